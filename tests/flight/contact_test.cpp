// Contact points on hard surfaces: the spring-damper, brakes and steering.

#include "flight_fixture.h"

// Nose wheel 2 m ahead, mains 1 m behind and 1 m out; at h = 1 m a point at y = -1.1 m is
// compressed 0.1 m: 5000 N on a wheel, 3000 N on a skid.
class FlightContact : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    pln.m_max = 1000.0f, pln.ngearZ = -2.0f, pln.mgearZ = 1.0f;
    pln.ngearcon = pln.mgearcon = 50000.0f, pln.ngeardmp = pln.mgeardmp = 10000.0f;
    pln.skidcon = 30000.0f, flt.h = 1.0f, set.joy_rat_hdng = 1.0f;
  }
  static float axial(int n, float x, float z = 1.0f) {
    clear_accumulators();
    handle_contact_point(n, x, -1.1f, z);
    return flt.faxilgear;
  }
  // The yaw rate after the steered wheel, at z, has touched.
  static float steered(float z) {
    axial(0, 0.0f, z);
    return flt.R;
  }
};

TEST_F(FlightContact, WheelSpringAndDamperAtKnownCompressionAndRate) {
  EXPECT_EQ(dampedforce(0.10001f, 0.0f, 1000.0f, 0.0f), 100.0f);   // whole newtons
  EXPECT_EQ(dampedforce(0.01f, -5.0f, 50000.0f, 10000.0f), 0.0f);  // rebounding: never pulls
  EXPECT_EQ(dampedforce(10.0f, 0.0f, 1.0e6f, 0.0f), std::trunc(5.0f * con.g * 1000.0f));
  flt.vu = -0.5f;
  EXPECT_EQ(handle_contact_point(1, -1.0f, -1.1f, 0.5f), 1);
  EXPECT_NEAR(flt.fnrmlgear, 0.1f * 50000.0f + 0.5f * 10000.0f, 2.0f);
  EXPECT_EQ(flt.gearf[1], flt.fnrmlgear);
  EXPECT_NEAR(flt.L, flt.fnrmlgear, 1.0f);                   // lifting the left side rolls right
  EXPECT_NEAR(flt.M, -0.5f * flt.fnrmlgear, 1.0f);           // and behind the centre, nose down
  EXPECT_EQ(handle_contact_point(2, 1.0f, -0.9f, 0.5f), 0);  // 0.1 m clear of the ground
  flt.vu = 0.0f, flt.vX = 10.0f;  // a skid sliding sideways is held back across, not along
  EXPECT_NEAR(axial(3, -1.0f), 0.0f, 1.0f);
  EXPECT_NEAR(flt.fsidegear, -3000.0f, 1.0f);
}

TEST_F(FlightContact, BrakesStopARollingWheelWithoutReversingIt) {
  set.parkbrake = 1.0f;
  for (float start : {5.0f, -5.0f}) {  // rolling forwards, then backwards
    flt.vZ = start;
    float stopped_at = 0.0f;
    for (int k = 1; k <= 400; k++) {
      double before = flt.vZ;
      flt.vZ += axial(1, -1.0f) / pln.m_max * msc.prd;
      ASSERT_LE(std::fabs(flt.vZ), std::fabs(before)) << start;
      ASSERT_GE(flt.vZ * start, 0.0) << start;
      if (stopped_at == 0.0f && std::fabs(flt.vZ) < 0.05) stopped_at = k * msc.prd;
    }
    // 0.9 x 5000 N on 1000 kg: 4.5 m/s^2 down to 1 m/s, then fading in proportion to the speed.
    EXPECT_NEAR(stopped_at, (4.0f + std::log(20.0f)) / 4.5f, 0.1f);
  }
}

TEST_F(FlightContact, WheelsTurnTowardsTheSteeringInput) {
  flt.vZ = flt.v = 10.0f;
  set.YK_roll = 1.0f;  // no steering, pedals or toe brakes: the right wheel brakes
  axial(1, -1.0f);
  EXPECT_NEAR(axial(2, 1.0f), -(0.04f + 0.86f * 0.5f) * 5000.0f, 1.0f);
  EXPECT_GT(flt.N, 0.0f);
  // At a crawl the unsteered wheel stops the yaw, but not a turn on one braked wheel.
  flt.vZ = flt.v = 0.5f;
  for (float roll : {1.0f, 0.0f}) {
    set.YK_roll = roll, flt.R = flt.Rrad = 5.0f;
    EXPECT_EQ(steered(-2.0f), 5.0f * roll) << roll;
  }
  flt.vZ = flt.v = 10.0f;
  // Steering: half travel keeps gain 1, 10 m/s gives gain 3; a tail wheel (negative angle,
  // behind the mains) turns the same way.
  pln.nwsteerEQ = set.eq_ped = 1, set.YK_hdng = 0.5f, pln.nwsteer = 30.0f;
  EXPECT_NEAR(steered(-2.0f), 10.0f * 3.0f * 0.5f * 30.0f / 3.0f, 0.01f);
  pln.nwsteer = -30.0f, pln.ngearZ = 4.0f, pln.mgearZ = -0.5f;
  EXPECT_NEAR(steered(4.0f), 10.0f * 3.0f * 0.5f * 30.0f / 4.5f, 0.01f);
  // Parked in a 10 m/s wind the wheel has nothing to turn with; rolling backwards it turns the
  // other way.
  flt.vZ = 0.0f;
  EXPECT_EQ(steered(4.0f), 0.0f);
  flt.vZ = -10.0f;
  EXPECT_NEAR(steered(4.0f), -10.0f * 3.0f * 0.5f * 30.0f / 4.5f, 0.01f);
  set.joy_rat_hdng = 0.0f;  // no stick travel to steer with, rather than a division by zero
  EXPECT_EQ(steered(4.0f), 0.0f);
}
