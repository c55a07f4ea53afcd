// Floats on water: buoyancy, and a hull patch whose stations coincide.

#include "flight_fixture.h"

// Float 17: five stations 1 m apart, octagons of radius 0.5 m; the keel patch is 0.354 m x 1 m.
class FlightWater : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_flight_world();
    for (int s = 0; s < 5; s++)
      for (int p = 0; p < 8; p++) {
        pln.body_X[17][s][p] = 0.5f * isin(45 * p), pln.body_Y[17][s][p] = 0.5f * icos(45 * p);
        pln.body_Z[17][s][p] = s - 2.0f;
      }
  }
  // The upward force on the keel point of station s, `depth` under water.
  static float keel(int s, float depth) {
    clear_accumulators();
    float y = pln.body_Y[17][s][4];
    handle_float_point(17, s, 4, 0.0f, y, pln.body_Z[17][s][4], y + depth, 1.0f);
    return flt.fnrmlgear;
  }
};

TEST_F(FlightWater, BuoyancyIsTheWeightOfTheDisplacedWater) {
  EXPECT_NEAR(keel(2, 0.3f), 0.3f * 0.5f * std::sqrt(0.5f) * 1000.0f * con.g, 0.5f);
  flt.onsurface = 0;
  keel(2, -0.01f);
  EXPECT_EQ(flt.onsurface, 0);
  EXPECT_EQ(keel(2, 0.0f), 0.0f);  // exactly at the surface: afloat, without force
  EXPECT_EQ(flt.onsurface, 1);
}

TEST_F(FlightWater, StationsAtOnePlaceGiveFiniteForces) {
  for (int s = 0; s < 5; s++)
    for (int p = 0; p < 8; p++) pln.body_Z[17][s][p] = 0.0f;
  pln.body_Y[17][3][4] = -0.6f;  // and a step between stations 1 and 3
  flt.vaxial = 10.0f;
  for (int s = 0; s < 5; s++)
    EXPECT_TRUE(std::isfinite(keel(s, 0.3f)) && std::isfinite(flt.faxilgear)) << s;
}
