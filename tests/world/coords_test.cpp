// World coordinates and magnetic variation.
#include "support/test_support.h"

#include "world/world_files.h"

class WorldCoords : public ::testing::Test {
 protected:
  void SetUp() override {
    wf::reset_world();
    wf::fresh_app_folder();
    env.lat_sou = 34;
    env.lon_wes = -118;
    wf::write_quadrants(34, -118, 2, 3, wf::rolling, wf::dry);
    load_region();
  }
};

TEST_F(WorldCoords, ConversionsAreExactInversesAcrossTheRegion) {
  float K = 60.0f * con.nmtomtrs;
  // The south-west corner is the origin, and x grows with the cosine of the point's own latitude.
  EXPECT_FLOAT_EQ(X_with_latlon(34.0f, -118.0f), 0.0f);
  EXPECT_FLOAT_EQ(Z_with_lat(34.0f), 0.0f);
  EXPECT_NEAR(X_with_latlon(35.5f, -117.0f), K * std::cos(35.5f * con.degtorad), 0.05f);
  EXPECT_NEAR(Z_with_lat(35.5f), -1.5f * K, 0.05f);
  for (float lat = 34.05f; lat < 36.0f; lat += 0.37f)
    for (float lon = -117.95f; lon < -115.0f; lon += 0.41f) {
      float x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
      EXPECT_NEAR(lat_with_z(z), lat, 1e-5f);
      EXPECT_NEAR(lon_with_xz(x, z), lon, 2e-5f) << lat << " " << lon;
    }
  // The grid's vertices agree with the conversions: vertex (i, j) lies at lat + j/79, lon + i/59.
  for (int i : {0, 58, 59, 118, 177})
    for (int j : {0, 78, 79, 158}) {
      EXPECT_NEAR(planexyz[i][j][0], X_with_latlon(34.0f + j / 79.0f, -118.0f + i / 59.0f), 0.1f);
      EXPECT_NEAR(planexyz[i][j][2], Z_with_lat(34.0f + j / 79.0f), 0.1f);
    }
}

TEST_F(WorldCoords, LonWithXzLimitsItsReferenceToTheTable) {
  // Distinct references per quadrant show which one a point far outside the region uses.
  for (int c = 0; c < 3; c++)
    for (int r = 0; r < 2; r++) {
      env.lonwes_ref[c][r] = static_cast<float>(10 * c + r);
      env.planex_ref[c][r] = 0.0f;
    }
  float z = Z_with_lat(34.2f);
  float scale = 60.0f * con.nmtomtrs * std::cos(34.2f * con.degtorad);
  EXPECT_NEAR(lon_with_xz(env.hix * 40.0f, z), env.hix * 40.0f / scale + 20.0f, 1e-2f);
  EXPECT_NEAR(lon_with_xz(-env.hix * 40.0f, Z_with_lat(80.0f)), 1.0f - env.hix * 40.0f /
              (60.0f * con.nmtomtrs * std::cos(80.0f * con.degtorad)), 1e-1f);
  // Before any region exists the extent is zero; the result is defined and the table never left.
  reset_env();
  EXPECT_TRUE(std::isfinite(lon_with_xz(1000.0f, -1000.0f)));
}

TEST(WorldMagvar, InterpolatesInTheCellThatHoldsThePoint) {
  EXPECT_EQ(find_var(30.0f, -100.0f), -7);   // a table point: 7.3 east
  EXPECT_EQ(find_var(-30.0f, 20.0f), 20);    // 20.3 west
  EXPECT_EQ(find_var(60.0f, 180.0f), -5);    // the last row and column: 5.5 east
  // West of the zero meridian the cell is the one between -120 and -110, not -110 and -100.
  EXPECT_EQ(find_var(45.0f, -115.0f), -17);
  EXPECT_EQ(find_var(-45.0f, -15.0f), 19);  // between -60/-30 and -20/-10
}
