// Airport scenery: lighting codes, the runway light layout, crossing runways, buildings and the
// tower, and airports without a runway.
#include "world/world_files.h"

class WorldAirportBuild : public WorldTest {
 protected:
  static const float* point(int k, int r, int i) { return scn.rwayxyz[k][r][i]; }
  static bool lit(int k, int r, int i) {
    return point(k, r, i)[0] != 0.0f || point(k, r, i)[2] != 0.0f;
  }
};

TEST_F(WorldAirportBuild, LightingCodesGiveTheKindsOfEachEnd) {
  int gls[2], rwy[2], app[2];
  code_to_lgts(gls, rwy, app, 325054);
  EXPECT_EQ((std::vector<int>{gls[0], rwy[0], app[0]}), (std::vector<int>{3, 2, 5}));
  EXPECT_EQ((std::vector<int>{gls[1], rwy[1], app[1]}), (std::vector<int>{1, 5, 4}));  // 0 is 1
  code_to_lgts(gls, rwy, app, 999999);  // digits beyond their range still give kinds in range
  for (int e = 0; e < 2; e++) {
    EXPECT_TRUE(gls[e] >= 1 && gls[e] <= 3);
    EXPECT_TRUE(rwy[e] >= 1 && rwy[e] <= 5);
    EXPECT_TRUE(app[e] >= 1 && app[e] <= 6);
  }
}

TEST_F(WorldAirportBuild, RunwayLightsFollowTheLayout) {
  // 4000 ft by 30 m heading east, centred at (1000, 2000), field at 100 m: "along" is +x and
  // "across" (to the right) is +z.
  float L = 4000.0f * 0.3048f, h = L / 2;
  setuprunway(0, 0, 1000.0f, 2000.0f, 100.0f, L, 30.0f, 90, 0);
  EXPECT_EQ((std::vector<int>{env.rwaymax1[0][0], env.twaymax2[0][0], env.amber1[0][0],
                              env.altred1[0][0], env.red2[0][0], env.tway[0][0]}),
            (std::vector<int>{20, 220, 10, 110, 105, 1}));
  EXPECT_NEAR(point(0, 0, 0)[0], 1000.0f - h, 1e-2f);  // first left edge light
  EXPECT_NEAR(point(0, 0, 0)[2], 2000.0f - 16.0f, 1e-2f);
  EXPECT_NEAR(point(0, 0, 0)[1], 100.5f, 1e-4f);
  EXPECT_NEAR(point(0, 0, 10)[0], 1000.0f, 1e-2f);           // evenly spaced
  EXPECT_FALSE(lit(0, 0, 40));                               // beyond the last edge light: no light
  EXPECT_NEAR(point(0, 0, 501)[2], 2000.0f - 18.0f, 1e-2f);  // threshold bar, just outside
  // The second end's lights are the first end's turned round the centre.
  EXPECT_NEAR(point(0, 0, 250)[0] + point(0, 0, 561)[0], 2000.0f, 1e-2f);
  EXPECT_NEAR(point(0, 0, 250)[2] + point(0, 0, 561)[2], 4000.0f, 1e-2f);
  EXPECT_NEAR(scn.rabbitsX[0][0][0], 1000.0f - h - 1050.0f, 1e-2f);
  EXPECT_NEAR(scn.rabbitdX[0][0][1], -50.0f, 1e-2f);
  // Taxiway row 2 runs round the apron, 2.5 to 4.5 widths to the right.
  float deepest = 0.0f;
  for (int i = 200; i <= env.twaymax2[0][0]; i++)
    deepest = fltmax2(deepest, point(0, 0, i)[2] - 2000.0f);
  EXPECT_NEAR(deepest, 4.5f * 30.0f, 1e-2f);

  // 10 ft spacing below 500 ft, and 10 to 49 edge lights a side.
  for (auto [ft, lights] : {std::pair{400, 40}, {12000, 49}, {1000, 10}}) {
    setuprunway(0, 1, 0, 0, 0, ft * 0.3048f, 20.0f, 0, 0);
    EXPECT_EQ(env.rwaymax1[0][1], lights) << ft;
  }
}

// Two crossing runways at (35, -117): 0 heading east, 45 m wide; 1 heading north, 150 m wide.
class WorldAirportField : public WorldAirportBuild {
 protected:
  void SetUp() override {
    WorldAirportBuild::SetUp();
    env.lat_sou = 34, env.lon_wes = -118;
    load_region();  // no terrain files: a flat sea grid to stand the buildings on
    macibm_clear_alert_log();
    env.aptmax = 1;
    for (int r = 0; r < 2; r++) {
      apt_lat[0][r] = 35.0f, apt_lon[0][r] = -117.0f;
      apt_hdng[0][r] = r == 0 ? 90 : 0;
      apt_len[0][r] = 3000, apt_width[0][r] = r == 0 ? 45 : 150;
    }
    apt_len[0][2] = 0, apt_h[0] = 100.0f, apt_twr[0] = 1;
    cx = X_with_latlon(35.0f, -117.0f), cz = Z_with_lat(35.0f);
  }
  float cx = 0, cz = 0;
};

TEST_F(WorldAirportField, CrossingRunwaysLoseTheLightsOnEachOther) {
  // Runway 2 heads north 1800 m east of the centre, across runway 0's second approach.
  apt_lat[0][2] = 35.0f, apt_lon[0][2] = lon_with_xz(cx + 1800.0f, cz);
  apt_len[0][2] = 3000, apt_width[0][2] = 45;
  build_apt(0, 0);
  EXPECT_EQ(env.rwaymax[0], 2);
  for (int i = 0; i < RWAY_POINTS; i++)
    EXPECT_TRUE(!lit(0, 0, i) || std::fabs(point(0, 0, i)[0] - cx - 1800.0f) > 21.0f) << i;
  // Runway 0's left edge lights, 61 m apart: 24 and 25 stand on runway 1, 30 on its taxiway.
  std::vector<int> dark;
  for (int i = 0; i <= env.rwaymax1[0][0]; i++)
    if (!lit(0, 0, i)) dark.push_back(i);
  EXPECT_EQ(dark, (std::vector<int>{24, 25, 30}));
  EXPECT_EQ(in_runway123(0, cx, cz), 1);
  EXPECT_EQ(in_runway123(0, cx + 1000.0f, cz + 2.2f * 45.0f), 1);  // runway 0's taxiway
  EXPECT_EQ(in_runway123(0, cx + 1000.0f, cz + 6.0f * 45.0f), 0);  // beyond its apron
  EXPECT_EQ(in_runway123(0, cx + 1700.0f, cz), 0);                 // beyond its end
}

TEST_F(WorldAirportField, BuildingsAndTowerStandClearOfTheRunways) {
  // A runway beside runway 0, its lights 8 m south of where the buildings' middles first stand:
  // each building's whole base keeps off it, be it the airport's own runway 2 or the runway of a
  // neighbouring airport (slot 1) built before it.
  for (int n = 0; n < 2; n++) {
    SCOPED_TRACE(n);
    const int r = n == 0 ? 2 : 0;
    apt_lat[n][r] = lat_with_z(cz + 189.0f + 8.0f + 16.0f), apt_lon[n][r] = -117.0f;
    apt_hdng[n][r] = 90, apt_len[n][r] = 3000, apt_width[n][r] = 30;
    if (n == 1) {
      apt_len[0][2] = apt_len[1][1] = apt_len[1][2] = 0;
      env.apt_list_max = 1;
      build_apt(1, 1);
    }
    build_apt(0, 0);
    for (int s = 0; s < 5; s++) {
      ASSERT_EQ(obs_type[s], s < 4 ? 97 : 1) << s;
      float x = obs_xyz[s][0][0][0] + (s < 4 ? 10.0f : 3.0f);  // back to the centre
      float z = obs_xyz[s][0][0][2] - (s < 4 ? 20.0f : 3.0f);
      EXPECT_EQ(in_runway123(0, x, z), 0) << s;
      for (int c = 0; c < 4; c++)
        EXPECT_EQ(in_runway123(n, obs_xyz[s][2][c][0], obs_xyz[s][2][c][2]), 0) << s << " " << c;
      EXPECT_NEAR(obs_xyz[s][0][0][1], 0.0f, 1e-3f);  // on the sea-level grid
    }
  }
  // They stand in a line, 45 m apart at least, beside the longest runway (the first of equals).
  EXPECT_GE(
      pythag(obs_xyz[1][0][0][0] - obs_xyz[0][0][0][0], obs_xyz[1][0][0][2] - obs_xyz[0][0][0][2]),
      44.9f);
}

TEST_F(WorldAirportField, AnAirportWithoutRunwaysBuildsNothing) {
  build_apt(1, 0);  // slot 1 first holds a real airport
  ASSERT_TRUE(lit(1, 0, 0));
  for (int r = 0; r < 3; r++) apt_len[1][r] = r == 0 ? 1 : 0;  // 1 m: no runway either
  apt_lat[1][0] = 35.0f, apt_lon[1][0] = -117.0f, apt_twr[1] = 1;
  for (int s = 5; s < 10; s++) obs_type[s] = 0;
  build_apt(1, 1);
  EXPECT_EQ(env.rwaymax[1], -1);
  EXPECT_FALSE(lit(1, 0, 0));
  EXPECT_FALSE(lit(1, 1, 0));
  EXPECT_EQ(in_runway123(1, cx, cz), 0);
  for (int s = 5; s < 10; s++) EXPECT_EQ(obs_type[s], 0);
}
