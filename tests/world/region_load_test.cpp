// Loading the region: heights and water from the files, missing and damaged files, runway
// flattening, objects, cities, trees and ships, and the region lists and airport scenery.
#include "world/world_files.h"

class WorldRegionLoad : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    env.lat_sou = 34, env.lon_wes = -118;
  }
  static float lat_of(int j) { return 34.0f + j / 79.0f; }
  static float lon_of(int i) { return -118.0f + i / 59.0f; }
  static float height(int i, int j) { return wf::rolling(lat_of(j), lon_of(i)); }
  // The cell under (lat, lon), found over the whole grid.
  static std::pair<int, int> cell(float lat, float lon) {
    int i = -1, j = -1;
    find_ijt_with_loc(X_with_latlon(lat, lon), Z_with_lat(lat), &i, &j, 1);
    return {i, j};
  }
};

TEST_F(WorldRegionLoad, HeightsAndWaterComeFromTheFiles) {
  wf::write_quadrants(34, -118, 2, 3, [](double, double lon) { return lon < -117.5; });
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  for (int i : {0, 30, 59, 100, 177})
    for (int j : {0, 40, 79, 158}) EXPECT_NEAR(planexyz[i][j][1], height(i, j), 1e-3f);
  EXPECT_EQ(planetex[10][10], 10u);    // water
  EXPECT_EQ(planetex[100][10], 11u);   // gentle land
  EXPECT_EQ(planetex[29][40], 13u);    // water with land along its eastern edge: a straight shore
  EXPECT_EQ(planes[29][40][0][0], 1);  // turned a quarter clockwise, to face east
  EXPECT_EQ(planet[29][40][0][0], 0);
  EXPECT_NEAR(env.dz, 2.0f * 60.0f * con.nmtomtrs, 0.1f);
  EXPECT_LE(env.min_h, 0.0f);
  EXPECT_GE(env.max_h, 290.0f);
  EXPECT_GT(planenrml[50][50][1], 0.5f);
}

TEST_F(WorldRegionLoad, MissingAndDamagedFilesGiveFlatSeaWithOneNotice) {
  wf::write_quadrants(34, -118, 2, 3);
  std::filesystem::remove(wf::quadrant_path(35, -117));
  wf::write_quadrant(34, -117, wf::rolling, wf::dry, {{}, 2});  // wrong version
  wf::quadrant_options cut, misplaced;
  cut.keep_bytes = 5000;
  misplaced.bad_lat = 0.3f;
  wf::write_quadrant(34, -116, wf::rolling, wf::dry, cut);
  wf::write_quadrant(35, -118, wf::rolling, wf::dry, misplaced);
  load_region();
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().kind, ALERT_NOTICE);
  EXPECT_EQ(last_alert().line[0],
            "The terrain file for this area is damaged or of the wrong version:");
  EXPECT_EQ(last_alert().line[1], wf::quadrant_path(34, -117));
  EXPECT_EQ(last_alert().line[3], "The same holds for 3 more terrain files of this region.");
  EXPECT_NEAR(planexyz[20][20][1], height(20, 20), 1e-3f);  // quadrant 0 is sound
  for (int q : {1, 2, 3, 4}) {  // the others are flat sea on their lattice
    int i = QUAD_I * (q % 3) + 20, j = QUAD_J * (q / 3) + 20;
    EXPECT_FLOAT_EQ(planexyz[i][j][1], 0.0f);
    EXPECT_EQ(on_water[i][j], 1);
    EXPECT_EQ(tree_on_poly[i][j], 0);
    EXPECT_NEAR(planexyz[i][j][0], X_with_latlon(lat_of(j), lon_of(i)), 0.1f);
  }
  EXPECT_NE(cell(35.5f, -116.5f).first, -1);

  macibm_clear_alert_log();
  wf::quadrant_options big_endian;
  big_endian.marker = 'a';
  wf::write_quadrant(34, -117, wf::rolling, wf::dry, big_endian);
  std::filesystem::remove(wf::quadrant_path(34, -116));
  load_region();
  EXPECT_NEAR(planexyz[80][20][1], height(80, 20), 1e-3f);
  EXPECT_EQ(last_alert().line[0], "I could not find the terrain file for this area:");
  EXPECT_EQ(last_alert().line[1], wf::quadrant_path(34, -116));

  macibm_clear_alert_log();
  flt.h = 31000.0f;  // above 100000 ft no file is read, and nothing is reported
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_FLOAT_EQ(planexyz[20][20][1], 0.0f);
}

TEST_F(WorldRegionLoad, RunwaysFlattenEveryCellTheyTouch) {
  wf::write_quadrants(34, -118, 2, 3, [](double, double lon) { return lon > -116.2; });
  // Field b runs north-south just west of 117 W, the border of quadrants 0 and 1: its box (half
  // a width west of the centreline to 4.5 widths east) ends 700 m short of the border.
  float K = 60.0f * 0.3048f * 6076.1155f;
  float lon_b = -117.0f - (4.5f * 30.0f + 700.0f) / (K * std::cos(34.5f * 3.14159265f / 180.0f));
  // A helipad listed after field a, so less important, in the cell north of a's: the vertices
  // the two cells share keep a's height.
  wf::write_database({wf::field(34.5f, -117.5f, 90, 8000, 150, 1000.0f),
                      wf::field(34.5f, lon_b, 0, 6000, 100, 2000.0f),
                      wf::field(35.5f, -116.2f, 90, 5000, 100, 0.0f),  // at the coast
                      wf::field(34.5127f, -117.5f, 90, 50, 50, 1100.0f)});
  init_country_data();
  load_region();
  auto [i, j] = cell(34.5f, -117.5f);
  EXPECT_EQ(apt_on_poly[i][j], 1);
  for (int d = 0; d < 4; d++) EXPECT_FLOAT_EQ(planexyz[i + d / 2][j + d % 2][1], 1000 * 0.3048f);
  EXPECT_NEAR(planexyz[i][j + 10][1], height(i, j + 10), 1e-3f);  // 13 km north: untouched
  EXPECT_EQ(city_on_poly[i][j + 3], 1);                           // a town round the field
  EXPECT_EQ(city_on_poly[i][j - 4], 1);
  // Quadrant 1, read after quadrant 0, writes the border vertices again; they stay flat because
  // it flattens the cells of column 58 that b touches once more.
  int flat_rows = 0;
  for (int r = 30; r < 50; r++) {
    if (!apt_on_poly[58][r]) continue;
    flat_rows++;
    EXPECT_EQ(apt_on_poly[59][r], 0);
    EXPECT_FLOAT_EQ(planexyz[59][r][1], 2000 * 0.3048f);
    EXPECT_FLOAT_EQ(planexyz[59][r + 1][1], 2000 * 0.3048f);
  }
  EXPECT_GE(flat_rows, 2);
  auto [ci, cj] = cell(35.5f, -116.195f);  // the sea under the coastal field turned to land
  EXPECT_EQ(on_water[ci][cj], 0);
  EXPECT_EQ(apt_on_poly[ci][cj], 1);
}

// A seaplane base's water lane from the shore out over the sea leaves the water as it is, at its
// own level and water still; only the land under it is levelled.
TEST_F(WorldRegionLoad, WaterLanesKeepTheirWater) {
  wf::write_quadrants(34, -118, 2, 3, [](double, double lon) { return lon > -116.2; });
  wf::airport sea = wf::field(35.5f, -116.19f, 90, 5000, 300, 50.0f);
  sea.rw[0].lr = 'W';
  wf::write_database({sea});
  init_country_data();
  load_region();
  auto [i, j] = cell(35.5f, -116.18f);
  EXPECT_EQ(on_water[i][j] - apt_on_poly[i][j], 1);
  EXPECT_NEAR(planexyz[i + 1][j + 1][1], height(i + 1, j + 1), 1e-3f);
  auto [li, lj] = cell(35.5f, -116.199f);  // the shore cell: land up to 116.186 W
  EXPECT_EQ(apt_on_poly[li][lj], 1);
  EXPECT_FLOAT_EQ(planexyz[li][lj][1], 50 * 0.3048f);
}

TEST_F(WorldRegionLoad, FileObjectsBecomeObstaclesAndBadRecordsAreSkipped) {
  wf::write_quadrants(34, -118, 2, 3);
  wf::quadrant_options o;
  float la = lat_of(30), lo = lon_of(30);
  o.objects = {
      {3, lat_of(10) + 0.005f, lon_of(10) + 0.005f, 500.0f, 10, 10},  // a mast -> slot 1999
      {2, lat_of(20) + 0.005f, lon_of(20) + 0.005f, 900.0f, 20, 20},  // a tall tower -> slot 350
      {3, la, lo, 500.0f, QUAD_I, 30},
      {3, la, lo, 500.0f, 30, -1},  // cells outside the quadrant
      {7, la, lo, 500.0f, 30, 30},
      {4, 40.0f, lo, 500.0f, 30, 30},  // no shape; far away
      {5, la, lo, 1.0e9f, 30, 30},     // no building is so tall
  };
  o.end_mark = false;  // the list simply stops at the end of the file
  wf::write_quadrant(34, -118, wf::rolling, wf::dry, o);
  env.obs_slot = OBS_MAX - 2;  // the cycle wraps from 1999 back to 350
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_EQ(obs_type[OBS_MAX - 1], 3);
  const float* base = obs_xyz[OBS_MAX - 1][0][0];
  EXPECT_NEAR(base[0], X_with_latlon(lat_of(10) + 0.005f, lon_of(10) + 0.005f), 0.1f);
  EXPECT_NEAR(base[1], find_local_h(base[0], base[2], 10, 10), 1e-3f);
  EXPECT_NEAR(obs_xyz[OBS_MAX - 1][1][0][1] - base[1], 500.0f * con.fttomtrs, 1e-2f);
  EXPECT_TRUE(obs_type[OBS_FILE_FIRST] >= 90 && obs_type[OBS_FILE_FIRST] <= 96);
  for (int s = OBS_FILE_FIRST + 1; s < OBS_FILE_FIRST + 10; s++) EXPECT_EQ(obs_type[s], 0) << s;
  EXPECT_EQ(env.obs_slot, OBS_FILE_FIRST + 5);  // every record advances the cycle
  float tall[4][4][3];
  std::memcpy(tall, obs_xyz[OBS_FILE_FIRST], sizeof tall);
  int tall_kind = obs_type[OBS_FILE_FIRST];
  EXPECT_TRUE(fltrange(0.5f * (tall[0][2][0] - tall[0][0][0]), 20.0f, 50.0f));
  env.obs_slot = OBS_MAX - 2;  // the place read again keeps its building
  load_region();
  EXPECT_EQ(obs_type[OBS_FILE_FIRST], tall_kind);
  EXPECT_EQ(std::memcmp(tall, obs_xyz[OBS_FILE_FIRST], sizeof tall), 0);
}

TEST_F(WorldRegionLoad, CitiesTreesAndShipsStayOnTheirQuadrantsCells) {
  wf::write_quadrants(34, -118, 2, 3, [](double, double lon) { return lon < -116.5; });
  load_region();
  int cities = 0, ships[3] = {0, 0, 0};
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      cities += city_on_poly[i][j];
      ASSERT_EQ(tree_on_poly[i][j], 1 - on_water[i][j]);
      for (int t = 0; t < 2 * tree_on_poly[i][j]; t++) {  // every tree inside its cell, upright
        const float* base = tree_xyz[i][j][t][2][0];
        ASSERT_GE(base[0], fltmin2(planexyz[i][j][0], planexyz[i][j + 1][0]) - 0.01f);
        ASSERT_LE(base[0], fltmax2(planexyz[i + 1][j][0], planexyz[i + 1][j + 1][0]) + 0.01f);
        ASSERT_NEAR(base[1], find_local_h(base[0], base[2], i, j), 0.01f);
        ASSERT_FLOAT_EQ(tree_xyz[i][j][t][2][1][1], base[1] + 20.0f);
      }
      ships[0] += frig_on_poly[i][j], ships[1] += carr_on_poly[i][j],
          ships[2] += oilr_on_poly[i][j];
      if (frig_on_poly[i][j] + carr_on_poly[i][j] + oilr_on_poly[i][j] == 0) continue;
      EXPECT_EQ(on_water[i][j], 1);  // four cells off the shore
      EXPECT_EQ(on_water[i + 4][j], 0);
    }
  EXPECT_GT(cities, 100);
  for (int n = 0; n < GRID_J; n++) EXPECT_EQ(tree_on_poly[GRID_I - 1][n], 0);
  for (int n : ships) EXPECT_EQ(n, 2);  // one of each in quadrants 1 and 4, on the coast
}

TEST_F(WorldRegionLoad, RegionListsAndAirportScenery) {
  wf::write_quadrants(34, -118, 2, 3);
  wf::write_database({});
  init_country_data();
  obs_type[300] = 5;  // an airport obstacle slot of region airport 60
  load_region();
  EXPECT_EQ(env.apt_list_max, -1);  // no region airport: an empty list, not one stale entry
  EXPECT_EQ(obs_type[300], 0);

  std::vector<wf::airport> fields;
  for (int k = 0; k < 75; k++)
    fields.push_back(wf::field(34.2f + 0.02f * k, -117.5f, 90, 4000, 100, 0));
  fields[3].twr = 1;
  fields.push_back(wf::field(40.0f, -100.0f, 90, 4000, 100, 0));  // far away
  wf::write_database(fields,
                     "3 35.0 -117.0 0 113 90 0 VOR  In\n2 37.0 -117.0 0 210 0 0 NDB  Out\n");
  init_country_data();
  load_region();
  EXPECT_EQ(std::tuple(env.apt_list_max, env.vor_list_max, env.ndb_list_max),
            std::tuple(69, 0, -1));
  EXPECT_EQ(apt_inreg[75], 0);
  for (int s = 15; s < 20; s++) EXPECT_EQ(obs_type[s], s < 19 ? 97 : 1) << s;  // airport 3
  EXPECT_EQ(obs_type[14], 0);  // airport 2 has no tower
}
