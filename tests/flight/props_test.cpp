// Propeller and rotor discs: thrust against momentum theory, precession of cyclic pitch, pitch
// governing, the rotor drive of a helicopter and a flight state gone non-finite.
#include <cmath>
#include <limits>

#include "flight/flight_fixture.h"
#include "support/test_support.h"

class FlightProps : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    make_disc(0, 0.95f, 0.15f, 4, 2, 14, 1, 0);
    make_piston_engine(60000.0f, 60.0f, 270.0f);
  }
  // Runs whole frames of the engines for the given simulated time.
  void run(float seconds) {
    for (int k = 0; k < static_cast<int>(seconds / msc.prd); k++) {
      clear_accumulators();
      props();
    }
  }
};

TEST_F(FlightProps, StaticThrustIsBoundedByMomentumTheory) {
  run(30.0f);
  // Settled: the disc's drag torque takes the whole engine torque.
  EXPECT_NEAR(flt.Dtq[0], flt.trq[0], 0.02f * flt.trq[0]);
  const float P = flt.trq[0] * flt.tac[0];
  const float ideal = std::cbrt(2.0f * atm.rho * pln.discarea[0] * P * P);
  EXPECT_GT(flt.thrust[0], 0.4f * ideal) << "power " << P;
  EXPECT_LT(flt.thrust[0], ideal);
  EXPECT_NEAR(flt.faxilprop, flt.thrust[0], 1.0f);
  EXPECT_GT(flt.DVinc[0], 0.0f);
  EXPECT_EQ(flt.DVinc[1], flt.DVinc[0]);  // the second wash slot mirrors a single engine

  // The torque reaction rolls the airframe against the rotation, and the other way round for a
  // propeller turning the other way; a forward thrust line adds no roll of its own.
  EXPECT_NEAR(flt.L, -flt.trq[0], 0.01f * flt.trq[0]);
  pln.propdir[0] = -1;
  clear_accumulators();
  props();
  EXPECT_NEAR(flt.L, flt.trq[0], 0.01f * flt.trq[0]);
}

TEST_F(FlightProps, CyclicTiltsTheRotorTheSameWayForEitherRotation) {
  for (int dir = -1; dir <= 1; dir += 2) {
    make_disc(0, 5.0f, 0.3f, 4, 2, 8, dir, 90);
    flt.tac[0] = 30.0f;
    for (int axis = 0; axis < 2; axis++) {
      flt.ailncyclic = axis == 0 ? 3.0f : 0.0f;
      flt.elevcyclic = axis == 1 ? 3.0f : 0.0f;
      clear_accumulators();
      aprop(0, 0.0f, 0.0f, 0.0f);
      EXPECT_GT(flt.fnrmlprop, 0.0f);
      // Roll cyclic banks right, pitch cyclic raises the nose: the thrust found at one blade
      // position acts a quarter turn later in the sense of rotation.
      const float turned = axis == 0 ? flt.L : flt.M, other = axis == 0 ? flt.M : flt.L;
      EXPECT_GT(turned, 0.01f * flt.fnrmlprop) << "dir " << dir << " axis " << axis;
      EXPECT_NEAR(other, 0.0f, 1e-3f * flt.fnrmlprop) << "dir " << dir << " axis " << axis;
    }
  }
}

TEST_F(FlightProps, ConstantSpeedPropellerHoldsTheRequestedSpeed) {
  pln.varpitchEQ = 1;
  pln.minpitch[0] = -5.0f;
  pln.maxpitch[0] = 30.0f;
  for (int e = 0; e < 4; e++) pln.anginc[0][e] = 0.0f;
  flt.prop[0] = 200.0f;
  run(60.0f);
  EXPECT_NEAR(flt.tac[0], 200.0f, 2.0f);
  EXPECT_GT(flt.proppitch[0], pln.minpitch[0]);

  pln.revthrustEQ = 1;
  flt.revving_thrust[0] = 1;
  run(0.1f);
  EXPECT_EQ(flt.proppitch[0], -15.0f);
  run(2.0f);
  EXPECT_LT(flt.thrust[0], 0.0f);  // flat-out reverse pitch pulls the aircraft back
}

TEST_F(FlightProps, HelicopterRotorDrivesItsTailRotorThroughTheGearing) {
  pln.is_heli = pln.collectEQ = 1;
  pln.entype = 2;
  pln.trotor_rat = 5.0f;
  make_disc(0, 5.0f, 0.3f, 4, 2, 8, 1, 90);
  make_disc(1, 1.0f, 0.15f, 2, 2, 8, 1, 0);
  flt.tac[0] = 25.0f;
  flt.throrequest[0] = 0.5f;
  props();
  EXPECT_NEAR(flt.tac[1], 5.0f * flt.tac[0], 1e-3f);
  // Below rated speed the governor opens the throttle.
  EXPECT_GT(flt.throrequest[0], 0.5f);
  rel.trotor = 0;
  props();
  EXPECT_EQ(flt.tac[1], 1.0f);
  rel.thrgov[0] = 0;
  props();
  EXPECT_EQ(flt.throrequest[0], 1.0f);
}

TEST_F(FlightProps, NonFiniteAngleOfAttackReadsAsLevel) {
  flt.av = flt.vaxial = 40.0f;
  auto thrust_at = [](float alpha) {
    flt.Alpha = alpha;
    flt.thrust[0] = flt.DVinc[0] = 0.0f;
    for (int e = 0; e < 4; e++) flt.ringDVinc[0][e] = 0.0f;
    clear_accumulators();
    aprop(0, 0.0f, 0.0f, 0.0f);
    return flt.thrust[0];
  };
  const float level = thrust_at(0.0f);
  EXPECT_GT(level, 0.0f);
  EXPECT_EQ(thrust_at(std::numeric_limits<float>::quiet_NaN()), level);
  EXPECT_EQ(thrust_at(-std::numeric_limits<float>::infinity()), level);
  EXPECT_TRUE(std::isfinite(thrust_at(1.0e30f)));  // huge but finite: still a valid index
}
