// Jet engines: spool-up time and slow start, Mach effects, reversers, ram drag, spool-less engines.

#include "flight_fixture.h"

#include "flight/local.h"

class FlightJets : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    pln.entype = 3, pln.numen = 1, pln.tmax = 50000.0f, pln.spooltime = 4.0f, pln.facejet = 0.5f;
    pln.cos_vertcant[0] = 1.0f, flt.eng_running[0] = 1, flt.thro[0] = flt.parteqlbmthrust[0] = 1.0f;
    flt.n1_[0] = 100.0f;
  }
  static float thrust_at(float mach) {
    flt.machno = mach;
    clear_accumulators();
    jets();
    return flt.faxilprop;
  }
};

TEST_F(FlightJets, SpoolsUpFromIdleInAboutTheSpoolTime) {
  // From idle: a creep at the start rate to 25 % N1 (0.3125 spool times, whatever the throttle),
  // then the square-root law closes a remaining gap g in sqrt(g) spool times.
  flt.parteqlbmthrust[0] = 0.05f;
  flt.n1_[0] = 100.0f * std::sqrt(0.05f);
  float t = 0.0f;
  for (; flt.parteqlbmthrust[0] < 0.99f && t < 20.0f; t += msc.prd) jets();
  EXPECT_NEAR(t, 4.0f * (0.3125f + std::sqrt(0.9375f) - 0.1f), 0.1f);
  flt.thro[0] = 0.0f;
  for (int n = 0; n < 800; n++) jets();
  const float idle = flt.n1_[0];
  for (int n = 0; n < 20; n++) jets();
  EXPECT_NEAR(idle, 100.0f * std::sqrt(0.05f), 0.1f);
  EXPECT_NEAR(flt.n1_[0], idle, 0.02f);
}

TEST_F(FlightJets, ExhaustTemperatureFollowsTheSpool) {
  for (int n = 0; n < 400; n++) jets();
  EXPECT_NEAR(flt.egt[0], EXHAUST_AT_HOTTEST, 0.01f);
  rel.oilpmp[0] = 0, rel.oil_rat = 0.5f;
  for (int n = 0; n < 400; n++) jets();
  EXPECT_NEAR(flt.egt[0], 0.5f * EXHAUST_AT_HOTTEST, 0.01f);
  flt.eng_running[0] = 0;
  for (int n = 0; n < 400; n++) jets();
  EXPECT_NEAR(flt.egt[0], 0.0f, 0.01f);
}

TEST_F(FlightJets, ThrustByMachReverserAndShutdown) {
  EXPECT_NEAR(thrust_at(1.0f), 50000.0f * 1.15f, 1.0f);  // Mach 1 takes the supersonic branch
  // Past Mach 1.2 a pure jet holds half its thrust instead of turning it into reverse thrust.
  EXPECT_NEAR(thrust_at(2.0f), 50000.0f * (9.6f / 3.6f) * 0.5f, 1.0f);
  pln.revthrustEQ = flt.revving_thrust[0] = 1;
  EXPECT_NEAR(thrust_at(0.0f), -0.4f * 50000.0f, 1.0f);
  flt.eng_running[0] = 0;
  flt.Qstatic = 5000.0f;
  EXPECT_NEAR(thrust_at(0.0f), -0.3f * 0.5f * 5000.0f, 0.01f);  // intake drag, not reversed
  pln.spooltime = 0.0f;  // no spool lag: the spool follows the throttle at once
  flt.eng_running[0] = 1;
  flt.thro[0] = 0.5f;
  EXPECT_TRUE(std::isfinite(thrust_at(0.0f)));
  EXPECT_NEAR(flt.parteqlbmthrust[0], 0.525f, 1e-6f);
}

TEST_F(FlightTest, ReversedJetBurnsTheFuelOfItsSpool) {
  fly_setup_world(0.0f);
  ASSERT_TRUE(load_sample("Business Jet"));
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = 5000.0f, o.kias = 150.0f, o.controls.throttle = 1.0f, o.given |= FLY_THROTTLE;
  fly_start(&o);
  fly_seconds(10.0f);
  const float forward = flt.ff_[0];
  reverse_toggle();
  fly_seconds(0.5f);
  EXPECT_NEAR(flt.ff_[0], forward, 0.1f * forward);
}
