// Engine shaft torque, manifold pressure, a helicopter's N1 and the torque reaction.
#include <cmath>

#include "flight/flight_fixture.h"
#include "support/test_support.h"

class FlightEngines : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    make_disc(0, 0.95f, 0.15f, 4, 2, 12, 1, 0);
    make_piston_engine(150000.0f, 60.0f, 270.0f);
  }
  const float Tr = 150000.0f / 270.0f;  // rated torque
};

TEST_F(FlightEngines, RatedTorqueAtRatedSpeedUpToCriticalAltitude) {
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], Tr, 0.01f);
  EXPECT_NEAR(flt.power[0], 150000.0f, 5.0f);
  // After one frame the manifold pressure has closed prd of its gap to full-throttle pressure.
  EXPECT_NEAR(flt.mpr[0], 29.92f * msc.prd, 1e-4f);

  // A supercharger holds rated power up to its critical altitude...
  pln.critalt = 5000.0f;
  atm.crtsig = std::pow(1.0f - 2.306e-05f * 5000.0f, 4.14f);
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], Tr, 0.05f);
  // ...while a normally aspirated engine loses power with density, to none at 0.1.
  pln.critalt = 0.0f;
  atm.crtsig = 0.55f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], 0.5f * Tr, 0.05f);

  // Closed throttle at rated speed: the engine brakes the disc.
  atm.crtsig = 1.0f;
  flt.thro[0] = 0.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], -0.99f * Tr, 0.05f);
}

TEST_F(FlightEngines, StoppedEngineBrakesWithTheSquareOfItsSpeed) {
  flt.eng_running[0] = 0;
  flt.tac[0] = 60.0f;
  apropengine(0);
  EXPECT_EQ(flt.trq[0], 0.0f);
  flt.tac[0] = 60.0f + 0.5f * 210.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], -0.25f * Tr, 0.01f);

  // A helicopter's engine cannot hold its rotor back.
  pln.is_heli = 1;
  apropengine(0);
  EXPECT_EQ(flt.trq[0], 0.0f);

  // A failed oil pump costs a running engine its share of power.
  pln.is_heli = 0;
  flt.eng_running[0] = 1;
  flt.tac[0] = 270.0f;
  rel.oilpmp[0] = 0;
  rel.oil_rat = 0.4f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], 0.4f * Tr, 0.01f);
}

TEST_F(FlightEngines, EqualIdleAndRatedSpeedsGiveFiniteTorque) {
  pln.omegamin = pln.omegamax;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], 0.5f * Tr, 0.01f);
  pln.omegamin = pln.omegamax = 0.0f;
  apropengine(0);
  EXPECT_EQ(flt.trq[0], 0.0f);
}

TEST_F(FlightEngines, HelicopterTurbineN1ClimbsLinearlyFromZero) {
  pln.is_heli = 1;
  pln.entype = 2;
  flt.n1_[0] = 0.0f;
  apropengine(0);
  EXPECT_NEAR(flt.n1_[0], 10.0f * msc.prd, 1e-5f);  // not round the top of the scale
  for (int k = 0; k < 2000; k++) apropengine(0);
  EXPECT_NEAR(flt.n1_[0], 100.0f * std::sqrt(flt.power[0] / pln.pmax), 0.01f);
}

TEST_F(FlightEngines, TorqueReactionTurnsWithTheDrivenDisc) {
  apropengine(0);
  EXPECT_NEAR(flt.L, -flt.trq[0], 0.01f);  // a clockwise propeller rolls the airframe left
  flt.L = 0.0f;
  pln.propdir[0] = -1;
  apropengine(0);
  EXPECT_NEAR(flt.L, flt.trq[0], 0.01f);

  // A twin-engine helicopter: both engines turn the main rotor, so both reactions yaw the
  // airframe about the rotor shaft, whatever the tail rotor's slot holds.
  pln.is_heli = 1;
  pln.numen = 2;
  make_disc(0, 5.0f, 0.3f, 4, 2, 8, 1, 90);
  make_disc(1, 1.0f, 0.15f, 2, 2, 8, -1, 0);
  flt.tac[0] = 270.0f;
  flt.eng_running[1] = 1;
  flt.thro[1] = 1.0f;
  flt.mixt_powr_rat[1] = 1.0f;
  clear_accumulators();
  apropengine(1);
  EXPECT_GT(flt.trq[1], 0.0f);
  EXPECT_NEAR(flt.N, flt.trq[1], 0.01f);
  EXPECT_NEAR(flt.L, 0.0f, 1e-3f);
}
