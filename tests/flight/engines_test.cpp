// Engine shaft torque, manifold pressure, a helicopter's N1 and the torque reaction.

#include "flight_fixture.h"

#include "flight/local.h"

TEST(FlightEngines, TorqueAtRatedSpeedAltitudeAndWindmilling) {
  reset_flight_world();
  make_disc(0, 0.95f, 0.15f, 2, 12, 1, 0);
  make_piston_engine(150000.0f);
  const float Tr = 150000.0f / 270.0f;
  apropengine(0);
  EXPECT_NEAR(flt.power[0], 150000.0f, 5.0f);
  EXPECT_NEAR(flt.mpr[0], 29.92f * msc.prd, 1e-4f);  // one frame of a one-second lag
  pln.critalt = 5000.0f;  // a supercharger holds rated power up to its critical altitude
  atm.crtsig = std::pow(1 - 2.306e-05f * 5000, 4.14f);
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], Tr, 0.05f);
  flt.eng_running[0] = 0;  // windmilling halfway up the range: braking with the square
  flt.tac[0] = 165.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], -0.25f * Tr, 0.01f);
  flt.eng_running[0] = 1;  // idle and rated speeds alike: no range, but a finite torque
  pln.omegamin = flt.tac[0] = 270.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], 0.5f * Tr, 0.01f);
  pln.critalt = 0.0f, atm.crtsig = 0.05f;  // too thin to burn in
  apropengine(0);
  EXPECT_EQ(flt.trq[0], 0.0f);
}

TEST(FlightEngines, HelicopterEnginesTurnTheMainRotor) {
  reset_flight_world();
  make_disc(0, 5.0f, 0.3f, 2, 8, 1, 90);
  make_disc(1, 1.0f, 0.15f, 2, 8, -1, 0);
  make_piston_engine(150000.0f);
  pln.is_heli = 1, pln.entype = pln.numen = 2, flt.eng_running[1] = 1;
  flt.thro[1] = flt.mixt_powr_rat[1] = 1.0f;
  apropengine(1);
  EXPECT_NEAR(flt.n1_[1], 10.0f * msc.prd, 1e-5f);  // from 0 on a straight scale
  // The second engine's reaction yaws the airframe about the rotor shaft, as the first's does.
  EXPECT_GT(flt.trq[1], 0.0f);
  EXPECT_NEAR(flt.N, flt.trq[1], 0.01f);
  EXPECT_NEAR(flt.L, 0.0f, 1e-3f);
}

TEST(FlightEngines, ExhaustTemperatureFollowsTheMixtureAndCoolsWhenStopped) {
  reset_flight_world();
  make_disc(0, 0.95f, 0.15f, 2, 12, 1, 0);
  make_piston_engine(150000.0f);
  auto settled = [](float mixture, int running) {
    flt.mixt[0] = mixture, flt.eng_running[0] = running;
    for (int n = 0; n < 400; n++) {
      set_mixture_ratios();
      apropengine(0);
    }
    return flt.egt[0];
  };
  const float hottest = EXHAUST_AT_HOTTEST;
  EXPECT_NEAR(settled(0.7f, 1), hottest, 0.01f);  // best mixture at sea level, full throttle
  EXPECT_NEAR(settled(1.0f, 1), 0.4f * hottest, 0.01f);  // full rich runs cooler
  EXPECT_NEAR(settled(0.65f, 1), 0.75f * hottest, 0.01f);
  EXPECT_NEAR(settled(0.7f, 0), 0.0f, 0.01f);
}
