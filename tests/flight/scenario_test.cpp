// Physical checks of whole flights through the runner: free fall without air, energy, the glide,
// symmetry, damping of disturbances, a coordinated turn and the choice of frame period.
#include "flight_fixture.h"

class FlightScenario : public FlightTest {
 protected:
  fly_options o;
  void start(const char* aircraft, float alt_ft, float kias, float prd = 0.05f) {
    o = start_builtin(aircraft, alt_ft, kias, prd);
  }
  // The sample `name` at alt_ft, at `stall` times its estimated stall speed.
  void start_sample(const char* name, float alt_ft, float stall, float prd = 0.05f) {
    fly_setup_world(0.0f);
    ASSERT_TRUE(load_sample(name));
    fly_default_options(&o);
    o.alt_ft = alt_ft, o.kias = stall * msc.est_Vs * con.msctokts, o.prd = prd;
    fly_start(&o);
  }
  bool fly(float s) {
    fly_set_controls(&o.controls);
    return fly_seconds(s);
  }
  // Flies on from the present start, engines off, until what is left of the phugoid averages out
  // over the last minute; the mean indicated speed and glide ratio.
  void glide(float settle, float* speed, float* ratio) {
    engines_off();
    o.controls.throttle = 0.0f;
    ASSERT_TRUE(fly(settle));
    double v = 0.0, ground = 0.0, sink = 0.0;
    for (int n = 0; n < 1200; n++) {
      fly_frame();
      v += flt.vind, ground += ground_speed(), sink += -flt.vu;
    }
    *speed = static_cast<float>(v / 1200);
    *ratio = static_cast<float>(ground / sink);
  }
  // In the air from the present start, for at most `frames`: a touchdown is a collision, whose
  // springs may return energy, and a crash starts a new flight. Keeps the highest height flown.
  float peak_h = 0.0f;
  void expect_no_energy_gained(int frames) {
    fly_set_controls(&o.controls);
    float e = fly_energy();
    peak_h = flt.h;
    for (int n = 0; n < frames && !flt.onsurface && flt.crashes == 0; n++) {
      fly_frame();
      ASSERT_TRUE(fly_state_is_finite());
      if (flt.crashes) break;
      float now = fly_energy();
      ASSERT_LE(now, e + 1e-4f * e) << "t=" << fly_time();
      e = now;
      peak_h = fltmax2(peak_h, flt.h);
    }
  }
};

TEST_F(FlightScenario, GlidingInCalmAirNeverGainsEnergy) {
  start("glider", 3000.0f, 100.0f);  // fast: trades speed for height first
  o.controls.elevator = 0.1f;
  float h0 = flt.h;
  expect_no_energy_gained(3000);
  EXPECT_GT(peak_h, h0 + 20.0f);  // the zoom climb happened, and still no energy was gained
}

// The glider from 50 and 110 kt, the trainer from 1.1 and 2.2 times its stall speed.
TEST_F(FlightScenario, GlideConvergesToOneSpeedAndRatioFromAnyStart) {
  for (bool trainer : {false, true}) {
    float speed[2], ratio[2];
    for (int k = 0; k < 2; k++) {
      if (trainer) start_sample("Trainer", 15000.0f, k ? 2.2f : 1.1f);
      if (!trainer) start("glider", 5000.0f, k ? 110.0f : 50.0f);
      glide(trainer ? 300.0f : 400.0f, &speed[k], &ratio[k]);
    }
    EXPECT_NEAR(speed[0], speed[1], 0.02f * speed[1]) << trainer;
    EXPECT_NEAR(ratio[0], ratio[1], 0.03f * ratio[1]) << trainer;
    if (trainer) continue;
    EXPECT_GT(ratio[0], 12.0f);  // a sailplane-like glide, not a brick
    EXPECT_LT(ratio[0], 40.0f);
  }
}

TEST_F(FlightScenario, MirrorSymmetricAircraftStaysSymmetric) {
  start("glider", 3000.0f, 70.0f);
  o.controls.elevator = 0.3f;  // a pitch manoeuvre must not leak into roll or yaw
  for (int k = 0; k < 6; k++) {
    ASSERT_TRUE(fly(5.0f));
    EXPECT_NEAR(flt.P, 0.0f, 1e-3f);
    EXPECT_NEAR(flt.R, 0.0f, 1e-3f);
    EXPECT_NEAR(flt.Beta, 0.0f, 1e-3f);
    o.controls.elevator = -o.controls.elevator;
  }
}

TEST_F(FlightScenario, DisturbancesInPitchYawAndRollDieOut) {
  // Without the integrator's own rate damping only the aerodynamics can damp them.
  struct {
    float* rate;
    float kick;
  } axes[] = {{&flt.Q, 20.0f}, {&flt.R, 20.0f}, {&flt.P, 40.0f}};
  for (auto a : axes) {
    start("glider", 3000.0f, 65.0f);
    ASSERT_TRUE(fly(30.0f));  // settle on the glide first
    set.damp = 0.0f;
    *a.rate = a.kick;
    ASSERT_TRUE(fly(0.5f));
    float early = std::fabs(*a.rate);
    ASSERT_TRUE(fly(8.0f));
    float peak = 0.0f;
    for (int n = 0; n < 40; n++) {
      ASSERT_TRUE(fly(0.05f));
      peak = fltmax2(peak, std::fabs(*a.rate));
    }
    EXPECT_LT(peak, 0.2f * a.kick) << a.kick;
    EXPECT_LT(peak, early);
  }
}

TEST_F(FlightScenario, CoordinatedTurnRateMatchesBankAndSpeed) {
  start("glider", 6000.0f, 65.0f);
  // The integrator's own rate damping resists any steady rotation, turning included; the turn
  // is a matter of the aerodynamics alone.
  set.damp = 0.0f;
  const float bank = 30.0f;
  double turned = 0.0, expected = 0.0;
  float held = 0.0f;  // integral of the sink-rate error
  for (int n = 0; n < 1800; n++) {
    // A pilot holding the bank with the ailerons, the ball centred with the rudder and a steady
    // sink with the elevator, so that lift carries the weight as the formula assumes.
    o.controls.aileron = fltlim((bank - flt.phi180) * 0.05f - flt.P * 0.05f, -1.0f, 1.0f);
    o.controls.rudder = fltlim(-flt.Beta * 0.3f, -1.0f, 1.0f);
    float err = -1.5f - flt.vu;
    held += err * msc.prd;
    o.controls.elevator = fltlim(0.04f * err + 0.02f * held - 0.01f * flt.Q, -1.0f, 1.0f);
    fly_set_controls(&o.controls);
    float psi0 = flt.psi;
    fly_frame();
    ASSERT_TRUE(fly_state_is_finite());
    if (n < 600) continue;  // let it settle into the turn
    turned += fltwrap(flt.psi - psi0, -180.0f, 180.0f);
    expected +=
        con.g * std::tan(flt.phi180 * con.degtorad) / ground_speed() * con.radtodeg * msc.prd;
  }
  EXPECT_NEAR(flt.phi180, bank, 2.0f);
  EXPECT_NEAR(flt.Beta, 0.0f, 1.0f);
  EXPECT_GT(turned, 360.0);  // right bank, right turn, more than once round
  EXPECT_NEAR(turned, expected, 0.02 * expected);
}

TEST_F(FlightScenario, FramePeriodsOfTwoAndTenHundredthsFlyTheSameGlide) {
  // A pull into a zoom and the phugoid that follows: positions every 10 s must agree.
  const int samples = 6;
  double x[2][samples], y[2][samples];
  float prd[2] = {0.02f, 0.1f};
  for (int k = 0; k < 2; k++) {
    start("glider", 3000.0f, 80.0f, prd[k]);
    o.controls.elevator = 0.05f;
    for (int i = 0; i < samples; i++) {
      ASSERT_TRUE(fly(10.0f));
      x[k][i] = flt.Z, y[k][i] = flt.Y;
    }
  }
  for (int i = 0; i < samples; i++) {
    double flown = std::fabs(x[0][i] - 0.5 * (env.loz + env.hiz));
    EXPECT_NEAR(x[0][i], x[1][i], 0.01 * flown) << i;
    EXPECT_NEAR(y[0][i], y[1][i], 10.0) << i;
  }
}

// At the longest frame periods the constant-speed governors once swung the propellers' speed by
// thousands of rpm, the four-engine turboprop's below zero.
TEST_F(FlightScenario, ConstantSpeedPropellersSettleAtLongFramePeriods) {
  for (float prd : {0.05f, 0.1f}) {
    for (int k = 0; k < 2; k++) {
      if (k == 0) start("fourprop", 3000.0f, 200.0f, prd);
      if (k == 1) start_sample("Light Twin", 3000.0f, 2.0f, prd);
      o.controls.throttle = 1.0f;
      ASSERT_TRUE(fly(20.0f)) << prd;
      float lo = flt.tac[0], hi = lo;
      for (int n = 0; n < 10; n++) {
        ASSERT_TRUE(fly(0.5f)) << prd;
        lo = fltmin2(lo, flt.tac[0]), hi = fltmax2(hi, flt.tac[0]);
      }
      EXPECT_LT(hi - lo, 0.01f * pln.omegamax) << k << " at " << prd;
      EXPECT_NEAR(lo, flt.prop[0], 0.1f * flt.prop[0]) << k << " at " << prd;
    }
  }
}

// ---- The sample aircraft ---------------------------------------------------------------------

class FlightSampleScenario : public FlightScenario,
                             public ::testing::WithParamInterface<const char*> {};

// Above the atmosphere table, moving, turning and with the controls deflected, the aircraft falls
// at the local gravity, brought to the height once a second (so off g(h) by a second's fall).
TEST_P(FlightSampleScenario, WithoutAirEverySampleFallsFreely) {
  start_sample(GetParam(), 300000.0f, 0.0f);
  auto g_at = [](float h) { return con.muearth / sqr(h + con.rearth); };
  float g0 = g_at(flt.h);
  flt.vZ = 200.0, flt.Q = 5.0f, o.controls.aileron = 0.5f;
  ASSERT_TRUE(fly(10.0f));
  EXPECT_EQ(atm.rho, 0.0f);
  EXPECT_NEAR(flt.aY, -g_at(flt.h), 5e-4f);
  EXPECT_GT(-flt.aY, g0);  // and it grows as the aircraft falls
  EXPECT_NEAR(flt.aX, 0.0f, 1e-5f);
  EXPECT_NEAR(flt.aZ, 0.0f, 1e-5f);
  EXPECT_NEAR(flt.vY, -g0 * 10.0f, 0.02);
  EXPECT_NEAR(flt.vZ, 200.0, 1e-3);
}

// Engines stopped for good and the stick let go: the propellers windmill, and the helicopter's
// rotor autorotates through flows from below and from behind its discs; none gains energy.
TEST_P(FlightSampleScenario, EnginesOffTheSampleNeverGainsEnergy) {
  start_sample(GetParam(), 8000.0f, 1.6f);
  ASSERT_GT(flt.av, 10.0f);
  engines_off();
  o.controls.throttle = 0.0f;
  expect_no_energy_gained(1200);
}

INSTANTIATE_TEST_SUITE_P(Samples, FlightSampleScenario,
                         ::testing::Values("Trainer", "Light Twin", "Turboprop Transport",
                                           "Business Jet", "Floatplane", "Helicopter"));
