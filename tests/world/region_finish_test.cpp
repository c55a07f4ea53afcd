// The runway items of the airport menus built with the region, and the level region of runs
// without terrain files.
#include <cmath>

#include "world/world_files.h"

using WorldRegionFinish = WorldTest;

TEST_F(WorldRegionFinish, RunwayItemsNameBothDirections) {
  apt_num[0][0] = 9, apt_lr[0][0] = 'L', apt_len[0][0] = 2000;
  apt_num[0][1] = 36, apt_lr[0][1] = 'x', apt_len[0][1] = 150;  // under 500 ft: a pad
  char s[STR_SIZE];
  const char* want[4] = {"Rwy 09L", "Rwy 27R", "Pad 36", "Pad 18"};
  for (int k = 0; k < 4; k++) {
    rwy_item_name(0, k / 2, k % 2, s);
    EXPECT_STREQ(s, want[k]);
  }
}

// A level region stands at its height everywhere inside it, spans three degrees of longitude and
// two of latitude from its corner, faces straight up and holds no water.
TEST_F(WorldRegionFinish, AFlatRegionIsLevelLandOverItsWholeExtent) {
  env.lat_sou = 40, env.lon_wes = -100;
  on_water[5][5] = 1;
  fill_flat_region(350.0f, 1000.0f, -2000.0f);
  EXPECT_FLOAT_EQ(env.lox, 1000.0f);
  EXPECT_FLOAT_EQ(env.hiz, -2000.0f);
  // 177 cells of 1/59 degree east, 158 of 1/79 degree north.
  EXPECT_NEAR(env.dx, 3.0f * 60.0f * con.nmtomtrs * std::cos(41.0f * con.degtorad), 1.0f);
  EXPECT_NEAR(env.dz, 2.0f * 60.0f * con.nmtomtrs, 1.0f);
  EXPECT_FLOAT_EQ(env.min_h, 0.0f);  // the range always holds sea level
  EXPECT_FLOAT_EQ(env.max_h, 350.0f);
  int i = 0, j = 0;
  float x = env.lox + 0.37f * env.dx, z = env.hiz - 0.81f * env.dz;
  ASSERT_TRUE(find_ijt_with_loc(x, z, &i, &j, 1));
  EXPECT_FLOAT_EQ(find_local_h(x, z, i, j), 350.0f);
  EXPECT_EQ(on_water[5][5], 0);
  EXPECT_NEAR(planenrml[100][70][1], 1.0f, 1e-6f);
  EXPECT_NEAR(planenrml[100][70][0], 0.0f, 1e-6f);
}
