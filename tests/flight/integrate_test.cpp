// The force accumulators and the integration sub-step.

#include "flight_fixture.h"

class FlightIntegrate : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    flt.costhe = flt.cosphi = flt.cosalph = flt.cosbeta = 1.0f;
    con.cosPLANthe = con.cosPLANpsi = con.cosPLANphi = 1.0f, env.lat_sou = 40, env.lon_wes = -100;
    pln.Vne = 150.0f;
  }
  static void step(float dt) { msc.prd = dt, integ_x(); }
};

TEST_F(FlightIntegrate, AeroMomentsEqualTheBodyAxisForcesTheyTurnInto) {
  // Wind-axis forces at an angle of attack and sideslip must give the same moments as the body
  // forces they are: axial and normal through addFaprop/addFnprop, side through addFsprop.
  float a = 30.0f * con.degtorad, b = 10.0f * con.degtorad;
  flt.sinalph = std::sin(a), flt.cosalph = std::cos(a);
  flt.sinbeta = std::sin(b), flt.cosbeta = std::cos(b);
  float Fa = -300.0f, Fs = 120.0f, Fn = 2000.0f, x = 1.5f, y = -0.4f, z = 2.5f;
  addFaero(Fa, Fs, Fn, z, x, y);
  float L = flt.L, M = flt.M, N = flt.N;
  EXPECT_FLOAT_EQ(flt.fnrmlaero, Fn);
  flt.L = flt.M = flt.N = 0.0f;
  float t = Fs * flt.sinbeta + Fa * flt.cosbeta;
  addFaprop(Fn * flt.sinalph + t * flt.cosalph, x, y);
  addFsprop(Fs * flt.cosbeta - Fa * flt.sinbeta, z, y);
  addFnprop(Fn * flt.cosalph - t * flt.sinalph, z, x);
  EXPECT_NEAR(flt.L, L, 1e-2f);
  EXPECT_NEAR(flt.M, M, 1e-2f);
  EXPECT_NEAR(flt.N, N, 1e-2f);
  // Flying tail first both angles read 180 degrees: the drag pushes the aircraft forwards.
  flt.L = flt.M = flt.N = 0.0f;
  flt.sinalph = flt.sinbeta = 0.0f, flt.cosalph = flt.cosbeta = -1.0f;
  addFaero(Fa, 0.0f, 0.0f, z, x, y);
  EXPECT_FLOAT_EQ(flt.M, Fa * y);
  EXPECT_FLOAT_EQ(flt.N, Fa * x);
  // Signs: lift behind the reference point pitches nose down, lift on the right rolls left.
  flt.L = flt.M = flt.N = 0.0f;
  addFngear(100.0f, 2.0f, 1.0f);
  EXPECT_LT(flt.M, 0.0f);
  EXPECT_LT(flt.L, 0.0f);
}

TEST_F(FlightIntegrate, RatesAreDampedAndEulerRatesSwitchAtTheVertical) {
  set.damp = 0.5f, msc.prd = 0.02f;
  flt.Pdot = 10.0f, flt.P = 5.0f, flt.R = 4.0f;
  integ_v();
  EXPECT_NEAR(flt.P, (5.0f + 0.2f) * (1.0f - 0.06f), 1e-5f);
  EXPECT_NEAR(flt.R, 4.0f * (1.0f - 0.03f), 1e-5f);
  EXPECT_NEAR(flt.Prad, flt.P * con.degtorad, 1e-7f);

  set.damp = flt.Pdot = flt.P = 0.0f;
  flt.Q = 3.0f, flt.R = 2.0f;
  float th = 89.9f * con.degtorad;
  flt.the180 = 89.9f;  // still the ordinary formulas
  flt.sinthe = std::sin(th), flt.costhe = std::cos(th);
  flt.sinphi = 0.0f, flt.cosphi = 1.0f;
  integ_v();
  EXPECT_NEAR(flt.psidot, 2.0f / std::cos(th), 1e-1f);
  flt.the180 = 90.5f;  // past it: pitch follows Q less |R|, heading takes P
  flt.P = 7.0f;
  integ_v();
  EXPECT_EQ(flt.phidot, 0.0f);
  EXPECT_FLOAT_EQ(flt.thedot, 3.0f - 2.0f);
  EXPECT_FLOAT_EQ(flt.psidot, 7.0f);
}

TEST_F(FlightIntegrate, AtRestInCalmAirEveryAngleIsFinite) {
  step(0.05f);
  for (float v : {flt.vpath, flt.avpath, flt.hpath, flt.ahpath, flt.Alpha, flt.Beta, flt.sinvpath,
                  flt.cosavpath, flt.Qratio, flt.machno})
    EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(flt.vpath, 0.0f);
  EXPECT_EQ(flt.avpath, 0.0f);
}

TEST_F(FlightIntegrate, PitchingThroughTheVerticalTurnsHeadingAndBank) {
  flt.the = 85.0f, flt.psi = 30.0f, flt.phi = 0.0f;
  flt.thedot = 200.0f;  // 10 degrees in 0.05 s
  step(0.05f);
  EXPECT_NEAR(flt.the, 85.0f, 1e-3f);
  EXPECT_NEAR(flt.psi, 210.0f, 1e-3f);
  EXPECT_NEAR(flt.phi, 180.0f, 1e-3f);
}

TEST_F(FlightIntegrate, AirDataRedlineRatioAndBackwardsFlight) {
  flt.vZ = 51.4444;  // 100 kt north
  step(0.05f);
  step(0.05f);
  EXPECT_NEAR(flt.vind, 100.0f, 0.05f);
  EXPECT_NEAR(flt.Qratio, sqr(100.0f / 150.0f), 1e-3f);
  EXPECT_LT(flt.Z, 0.0);  // northward motion lowers Z
  EXPECT_GT(flt.lat, 40.0f);
  pln.Vne = 0.0f;  // no redline: no ratio rather than an infinite one
  step(0.05f);
  EXPECT_EQ(flt.Qratio, 0.0f);

  flt.vZ = -20.0;  // flying tail first; the angles catch up on the first step
  step(0.05f);
  float dist = flt.dist;
  step(0.05f);
  EXPECT_EQ(flt.vind, 0.0f);
  EXPECT_LT(flt.dist, dist);
  EXPECT_EQ(crs_wrapped(), 1);
}
