// Propeller and rotor discs: static thrust against momentum theory, torque reaction, precession
// of cyclic pitch, and a non-finite angle of attack.
#include <cmath>
#include <limits>

#include "flight/engine_fixture.h"
#include "support/test_support.h"

class FlightProps : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    make_disc(0, 0.95f, 0.15f, 2, 14, 1, 0);
    make_piston_engine(60000.0f);
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
  for (int dir = -1; dir <= 1; dir += 2) {
    for (int axis = 0; axis < 2; axis++) {
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
}

TEST_F(FlightProps, NonFiniteAngleOfAttackReadsAsLevel) {
  flt.av = flt.vaxial = 40.0f;
  auto thrust_at = [](float alpha) {
    flt.Alpha = alpha;
    flt.thrust[0] = flt.DVinc[0] = 0.0f;
    for (int e = 0; e < 4; e++) flt.ringDVinc[0][e] = 0.0f;
    aprop(0, 0.0f, 0.0f, 0.0f);
    return flt.thrust[0];
  };
  const float level = thrust_at(0.0f);
  EXPECT_GT(level, 0.0f);
  EXPECT_EQ(thrust_at(std::numeric_limits<float>::quiet_NaN()), level);
  EXPECT_EQ(thrust_at(-std::numeric_limits<float>::infinity()), level);
  EXPECT_TRUE(std::isfinite(thrust_at(1.0e30f)));  // huge but finite: still a valid index
}
