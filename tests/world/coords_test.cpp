// World coordinates and magnetic variation.
#include "world/world_files.h"

class WorldCoords : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    env.lat_sou = 34, env.lon_wes = -118;
    wf::write_quadrants(34, -118, 2, 3);
    load_region();
  }
};

TEST_F(WorldCoords, ConversionsAreExactInversesAcrossTheRegion) {
  float K = 60.0f * con.nmtomtrs;
  // The south-west corner is the origin, and x shrinks with the cosine of the point's latitude.
  EXPECT_FLOAT_EQ(X_with_latlon(34.0f, -118.0f), 0.0f);
  EXPECT_NEAR(X_with_latlon(35.5f, -117.0f), K * std::cos(35.5f * con.degtorad), 0.05f);
  EXPECT_NEAR(Z_with_lat(35.5f), -1.5f * K, 0.05f);
  for (float lat = 34.05f; lat < 36.0f; lat += 0.37f)
    for (float lon = -117.95f; lon < -115.0f; lon += 0.41f) {
      float x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
      EXPECT_NEAR(lat_with_z(z), lat, 1e-5f);
      EXPECT_NEAR(lon_with_xz(x, z), lon, 2e-5f) << lat << " " << lon;
    }
  for (int i : {0, 59, 118, 177})  // vertex (i, j) lies at lat + j/79, lon + i/59
    for (int j : {0, 79, 158})
      EXPECT_NEAR(planexyz[i][j][0], X_with_latlon(34.0f + j / 79.0f, -118.0f + i / 59.0f), 0.1f);
}

TEST_F(WorldCoords, LonWithXzLimitsItsReferenceToTheTable) {
  // Distinct references per quadrant show which one a point far outside the region uses.
  for (int c = 0; c < 3; c++)
    for (int r = 0; r < 2; r++) env.lonwes_ref[c][r] = 10.0f * c + r, env.planex_ref[c][r] = 0;
  float far = env.hix * 40.0f, K = 60.0f * con.nmtomtrs;
  EXPECT_NEAR(lon_with_xz(far, Z_with_lat(34.2f)), far / (K * std::cos(34.2f * con.degtorad)) + 20,
              1e-2f);
  EXPECT_NEAR(lon_with_xz(-far, Z_with_lat(80.0f)), 1 - far / (K * std::cos(80.0f * con.degtorad)),
              1e-1f);
  reset_env();  // no region yet: the extent is zero, and the result is still defined
  EXPECT_TRUE(std::isfinite(lon_with_xz(1000.0f, -1000.0f)));
}

TEST(WorldMagvar, InterpolatesInTheCellThatHoldsThePoint) {
  EXPECT_EQ(find_var(30.0f, -100.0f), -7);  // a table point: 7.3 east
  EXPECT_EQ(find_var(-30.0f, 20.0f), 20);   // 20.3 west
  EXPECT_EQ(find_var(60.0f, 180.0f), -5);   // the last row and column: 5.5 east
  // West and south of zero the cell is the one holding the point: -120..-110, not -110..-100.
  EXPECT_EQ(find_var(45.0f, -115.0f), -17);
  EXPECT_EQ(find_var(-45.0f, -15.0f), 19);
  // Flown east past the date line the region's longitudes run on: 185 E is 175 W. Near a pole
  // they run wild, and the variation must still be one of the table's, not extrapolated from it.
  EXPECT_EQ(find_var(50.0f, 185.0f), find_var(50.0f, -175.0f));
  EXPECT_LE(std::abs(find_var(89.9f, -1.2e6f)), 180);
}
