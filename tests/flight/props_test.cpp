// Propeller and rotor discs: static thrust against momentum theory, torque reaction, precession
// of cyclic pitch, the in-plane forces and the energy of a disc in a flow from any direction.
#include "flight_fixture.h"
#include "flight/local.h"

class FlightProps : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    make_disc(0, 0.95f, 0.15f, 2, 14, 1, 0);
    make_piston_engine(60000.0f);
  }
  // Disc 0's forces in a flow of (right, ahead, up) m/s in body axes, without induced flow.
  static void aprop_in(float right, float ahead, float up) {
    flt.vbody[0] = right, flt.vbody[1] = ahead, flt.vbody[2] = up;
    for (int e = 0; e < 4; e++) flt.ringDVinc[0][e] = 0.0f;
    clear_accumulators();
    aprop(0, 0.0f, 0.0f, 0.0f);
  }
};

TEST_F(FlightProps, StaticThrustIsBoundedByMomentumTheory) {
  for (int k = 0; k < 1200; k++) {  // 30 s to settle
    clear_accumulators();
    props();
  }
  EXPECT_NEAR(flt.Dtq[0], flt.trq[0], 0.02f * flt.trq[0]);
  const float P = flt.trq[0] * flt.tac[0];
  const float ideal = std::cbrt(2.0f * atm.rho * pln.discarea[0] * P * P);
  EXPECT_GT(flt.thrust[0], 0.4f * ideal) << "power " << P;
  EXPECT_LT(flt.thrust[0], ideal);
  EXPECT_NEAR(flt.faxilprop, flt.thrust[0], 1.0f);
  EXPECT_EQ(flt.DVinc[1], flt.DVinc[0]);  // a single engine's wash fills both slots
  // The reaction rolls the airframe against the rotation, either way round.
  EXPECT_NEAR(flt.L, -flt.trq[0], 0.01f * flt.trq[0]);
  pln.propdir[0] = -1;
  clear_accumulators();
  props();
  EXPECT_NEAR(flt.L, flt.trq[0], 0.01f * flt.trq[0]);
}

TEST_F(FlightProps, CyclicTiltsTheRotorTheSameWayForEitherRotation) {
  for (int dir : {-1, 1})
    for (int axis : {0, 1}) {
      make_disc(0, 5.0f, 0.3f, 2, 8, dir, 90);
      flt.tac[0] = 30.0f;
      flt.ailncyclic = axis == 0 ? 3.0f : 0.0f;
      flt.elevcyclic = axis == 1 ? 3.0f : 0.0f;
      clear_accumulators();
      aprop(0, 0.0f, 0.0f, 0.0f);
      // Roll cyclic banks right, pitch cyclic raises the nose: each position's thrust acts a
      // quarter turn later in the sense of rotation.
      const float turned = axis == 0 ? flt.L : flt.M, other = axis == 0 ? flt.M : flt.L;
      EXPECT_GT(turned, 0.01f * flt.fnrmlprop) << "dir " << dir << " axis " << axis;
      EXPECT_NEAR(other, 0.0f, 1e-3f * flt.fnrmlprop) << "dir " << dir << " axis " << axis;
    }
}

// Without induced flow the power the disc's forces give airframe and rotor is its blades' drag,
// never a gain: propellers and rotors of either sense, in a flow from any direction.
TEST_F(FlightProps, NoFlowDirectionLetsTheDiscCreateEnergy) {
  const float r = con.degtorad, speed = 60.0f;
  for (int dir : {-1, 1})
    for (int cant : {0, 90}) {
      make_disc(0, 3.0f, 0.3f, 2, 6, dir, cant);
      for (float a = -180.0f; a < 180.0f; a += 15.0f)
        for (float b : {-60.0f, 0.0f, 35.0f}) {
          flt.tac[0] = 15.0f;  // the blade tips slower than the flight: reversed flow too
          flt.proppitch[0] = 4.0f, flt.ailncyclic = 2.0f, flt.elevcyclic = -3.0f;
          aprop_in(speed * std::sin(b * r), speed * std::cos(b * r) * std::cos(a * r),
                   speed * std::cos(b * r) * std::sin(a * r));
          float power = flt.faxilprop * flt.vbody[1] + flt.fsideprop * flt.vbody[0] +
                        flt.fnrmlprop * flt.vbody[2] - flt.Dtq[0] * flt.tac[0];
          float scale = std::fabs(flt.Dtq[0] * flt.tac[0]) + 1.0f;
          EXPECT_LE(power, 1e-4f * scale) << dir << " " << cant << " " << a << " " << b;
        }
    }
}

TEST_F(FlightProps, InPlaneFlowPushesTheHubAlongIt) {
  make_disc(0, 5.0f, 0.3f, 2, 6, 1, 90);
  flt.tac[0] = 40.0f;
  aprop_in(0.0f, 30.0f, 0.0f);  // a rotor flying forwards is pushed aft
  EXPECT_LT(flt.faxilprop, -10.0f);
  EXPECT_NEAR(flt.fsideprop, 0.0f, 0.01f * std::fabs(flt.faxilprop));
  aprop_in(30.0f, 0.0f, 0.0f);  // sliding right, left
  EXPECT_LT(flt.fsideprop, -10.0f);
  make_disc(0, 1.0f, 0.15f, 2, 14, -1, 0);
  flt.tac[0] = 250.0f;
  aprop_in(0.0f, 40.0f, -10.0f);  // a propeller meeting the air from below is pushed up
  EXPECT_GT(flt.fnrmlprop, 10.0f);
}

// A helicopter's geared discs with the engine stopped: the spin energy of both, the tail rotor
// turning at its gearing's speed, falls by exactly the power both give the air; turning either
// way, they resist a roll and a pitch.
TEST_F(FlightProps, HelicopterRotorsLoseTheSpinEnergyTheyGiveTheAir) {
  pln.is_heli = 1;
  pln.trotor_rat = 5.0f;
  make_disc(0, 5.0f, 0.3f, 2, 6, 1, 90);
  make_disc(1, 1.0f, 0.15f, 2, 8, 1, 0);
  pln.sin_sidecant[1] = 1.0f, pln.cos_sidecant[1] = 0.0f;
  flt.eng_running[0] = 0, flt.tac[0] = 40.0f, flt.tac[1] = 200.0f;
  auto spin = [] {
    return 0.5f * (pln.miprop[0] * sqr(flt.tac[0]) + pln.miprop[1] * sqr(flt.tac[1]));
  };
  for (int k = 0; k < 20; k++) {
    float before = spin();
    clear_accumulators();
    props();
    float given = (flt.Dtq[0] * flt.tac[0] + flt.Dtq[1] * flt.tac[1]) * msc.prd;
    EXPECT_GT(given, 0.0f);
    EXPECT_NEAR(before - spin(), given, 0.02f * given) << k;
    EXPECT_FLOAT_EQ(flt.tac[1], 5.0f * flt.tac[0]);
  }
  // Driven backwards by the air, the rotor still damps a roll and a pitch.
  flt.tac[0] = -40.0f, flt.Prad = flt.Qrad = 0.2f;
  reset_props();
  clear_accumulators();
  props();
  EXPECT_LT(flt.L, 0.0f);
  EXPECT_LT(flt.M, 0.0f);
}

TEST(FlightFastArcTangent, AgreesWithTheLibraryEverywhere) {
  float worst = 0.0f;
  for (int k = 0; k < 3600; k++) {
    float a = k * 0.1f * con.degtorad;
    for (float r : {1e-3f, 1.0f, 250.0f}) {
      float y = r * std::sin(a), x = r * std::cos(a);
      worst = fltmax2(worst, std::fabs(fast_atan2_deg(y, x) - std::atan2(y, x) * con.radtodeg));
    }
  }
  EXPECT_LT(worst, 1e-3f);
  EXPECT_EQ(fast_atan2_deg(0.0f, 0.0f), 0.0f);
  EXPECT_FLOAT_EQ(fast_atan2_deg(0.0f, -2.0f), 180.0f);
  EXPECT_FLOAT_EQ(fast_atan2_deg(-3.0f, 0.0f), -90.0f);
}
