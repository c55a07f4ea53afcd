// Loading the region: heights and places from the files, runway flattening, objects, cities,
// trees and ships, missing and damaged files, and the region lists and airport scenery.
#include "support/test_support.h"

#include "world/world_files.h"

class WorldRegionLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    wf::reset_world();
    wf::fresh_app_folder();
    env.lat_sou = 34;
    env.lon_wes = -118;
    env.aptmax = -1;
    env.navmax = -1;
  }
  static float lat_of(int j) { return 34.0f + j / 79.0f; }
  static float lon_of(int i) { return -118.0f + i / 59.0f; }
};

TEST_F(WorldRegionLoad, HeightsAndWaterComeFromTheFiles) {
  // The sea west of 117.5 W.
  auto sea = [](double, double lon) { return lon < -117.5; };
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, sea);
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  for (int i : {0, 30, 59, 100, 177})
    for (int j : {0, 40, 79, 158})
      EXPECT_NEAR(planexyz[i][j][1], wf::rolling(lat_of(j), lon_of(i)), 1e-3f) << i << " " << j;
  EXPECT_EQ(on_water[10][10], 1);
  EXPECT_EQ(on_water[100][10], 0);
  EXPECT_EQ(planetex[10][10], 10u);
  EXPECT_NE(planetex[100][10], 10u);
  EXPECT_NEAR(env.dz, 2.0f * 60.0f * con.nmtomtrs, 0.1f);
  EXPECT_FLOAT_EQ(env.hiz, 0.0f);
  EXPECT_LE(env.min_h, 0.0f);
  EXPECT_GE(env.max_h, 290.0f);
  EXPECT_NEAR(con.mtrtonrt * env.dz, 414.0f, 1e-2f);
  // Water meeting land along a straight shore gets the shore texture facing the land.
  int shore = static_cast<int>(planetex[29][40]);
  EXPECT_TRUE(shore == 13 || shore == 14 || shore == 15) << shore;
  EXPECT_GT(planenrml[50][50][1], 0.5f);
}

TEST_F(WorldRegionLoad, MissingAndDamagedFilesGiveFlatSeaWithOneNotice) {
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, wf::dry);
  std::filesystem::remove(wf::quadrant_path(35, -117));
  wf::write_quadrant(34, -117, wf::rolling, wf::dry, {{}, 2});               // wrong version
  wf::quadrant_options cut;
  cut.keep_bytes = 5000;
  wf::write_quadrant(34, -116, wf::rolling, wf::dry, cut);                   // short
  wf::quadrant_options misplaced;
  misplaced.bad_lat = 0.3f;
  wf::write_quadrant(35, -118, wf::rolling, wf::dry, misplaced);             // vertex out of place
  load_region();

  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().kind, ALERT_NOTICE);
  EXPECT_EQ(last_alert().line[0], "The terrain file for this area is damaged or of the wrong version:");
  EXPECT_EQ(last_alert().line[1], wf::quadrant_path(34, -117));
  EXPECT_EQ(last_alert().line[3], "The same holds for 3 more terrain files of this region.");
  // Quadrant 0 is sound; 1, 2, 3 and 4 are flat water at sea level on their lattice.
  EXPECT_NEAR(planexyz[20][20][1], wf::rolling(lat_of(20), lon_of(20)), 1e-3f);
  for (int q : {1, 2, 3, 4}) {
    int i = QUAD_I * (q % 3) + 20, j = QUAD_J * (q / 3) + 20;
    EXPECT_FLOAT_EQ(planexyz[i][j][1], 0.0f) << q;
    EXPECT_EQ(on_water[i][j], 1);
    EXPECT_EQ(tree_on_poly[i][j], 0);
    EXPECT_NEAR(planexyz[i][j][0], X_with_latlon(lat_of(j), lon_of(i)), 0.1f);
  }
  int i = 0, j = 0;
  EXPECT_EQ(find_ijt_with_loc(X_with_latlon(35.5f, -116.5f), Z_with_lat(35.5f), &i, &j, 1), 1);

  macibm_clear_alert_log();
  wf::quadrant_options big_endian;
  big_endian.marker = 'a';
  wf::write_quadrant(34, -117, wf::rolling, wf::dry, big_endian);
  std::filesystem::remove(wf::quadrant_path(34, -116));
  load_region();
  EXPECT_NEAR(planexyz[80][20][1], wf::rolling(lat_of(20), lon_of(80)), 1e-3f);
  EXPECT_EQ(last_alert().line[0], "I could not find the terrain file for this area:");
  EXPECT_EQ(last_alert().line[1], wf::quadrant_path(34, -116));

  // Above 100000 ft no file is read and nothing is reported.
  macibm_clear_alert_log();
  flt.h = 31000.0f;
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_FLOAT_EQ(planexyz[20][20][1], 0.0f);
}

TEST_F(WorldRegionLoad, RunwaysFlattenEveryCellTheyTouch) {
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, [](double, double lon) { return lon > -116.2; });
  // Field a lies inside quadrant 0. Field b runs north-south just west of 117 W, the border of
  // quadrants 0 and 1: its box (from half a width west of the centreline to 4.5 widths east of
  // it) ends 700 m short of the border, inside the cells of column 58.
  float K = 60.0f * 0.3048f * 6076.1155f;
  float lon_b = -117.0f - (4.5f * 30.0f + 700.0f) / (K * std::cos(34.5f * 3.14159265f / 180.0f));
  wf::airport a = wf::field(34.5f, -117.5f, 90, 8000, 150, 1000.0f);
  wf::airport b = wf::field(34.5f, lon_b, 0, 6000, 100, 2000.0f);
  wf::write_database({a, b}, {}, {});
  init_country_data();
  load_region();
  float elev_a = 1000.0f * con.fttomtrs, elev_b = 2000.0f * con.fttomtrs;
  int i = 0, j = 0;
  ASSERT_EQ(find_ijt_with_loc(X_with_latlon(34.5f, -117.5f), Z_with_lat(34.5f), &i, &j, 1), 1);
  EXPECT_EQ(apt_on_poly[i][j], 1);
  for (int di = 0; di < 2; di++)
    for (int dj = 0; dj < 2; dj++) EXPECT_FLOAT_EQ(planexyz[i + di][j + dj][1], elev_a);
  EXPECT_NE(planexyz[i][j + 10][1], elev_a);  // 13 km north: untouched
  // Quadrant 1, read after quadrant 0, writes the border vertices again; they stay flat because
  // the cells of column 58 that b touches are flattened once more by quadrant 1.
  int flat_rows = 0;
  for (int jj = 30; jj < 50; jj++) {
    if (!apt_on_poly[58][jj]) continue;
    flat_rows++;
    EXPECT_EQ(apt_on_poly[59][jj], 0);
    EXPECT_FLOAT_EQ(planexyz[59][jj][1], elev_b) << jj;
    EXPECT_FLOAT_EQ(planexyz[59][jj + 1][1], elev_b) << jj;
  }
  EXPECT_GE(flat_rows, 2);
  // A field at the coast turns its sea cells into land.
  wf::airport c = wf::field(35.5f, -116.2f, 90, 5000, 100, 0.0f);
  wf::write_database({a, b, c}, {}, {});
  init_country_data();
  load_region();
  ASSERT_EQ(find_ijt_with_loc(X_with_latlon(35.5f, -116.195f), Z_with_lat(35.5f), &i, &j, 1), 1);
  EXPECT_EQ(on_water[i][j], 0);
  EXPECT_EQ(apt_on_poly[i][j], 1);
}

TEST_F(WorldRegionLoad, FileObjectsBecomeObstaclesAndBadRecordsAreSkipped) {
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, wf::dry);
  wf::quadrant_options o;
  o.objects = {
      {3, lat_of(10) + 0.005f, lon_of(10) + 0.005f, 500.0f, 10, 10},  // mast -> slot 350
      {2, lat_of(20) + 0.005f, lon_of(20) + 0.005f, 900.0f, 20, 20},  // tall tower -> 90..96
      {3, lat_of(30), lon_of(30), 500.0f, QUAD_I, 30},                // cell east of the quadrant
      {3, lat_of(30), lon_of(30), 500.0f, 30, -1},                    // cell south of it
      {7, lat_of(30), lon_of(30), 500.0f, 30, 30},                    // a kind without a shape
      {4, 40.0f, lon_of(30), 500.0f, 30, 30},                         // place outside
      {5, lat_of(30), lon_of(30), 1.0e9f, 30, 30},                    // height of no building
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
  EXPECT_GE(obs_type[OBS_FILE_FIRST], 90);
  EXPECT_LE(obs_type[OBS_FILE_FIRST], 96);
  for (int s = OBS_FILE_FIRST + 1; s < OBS_FILE_FIRST + 10; s++) EXPECT_EQ(obs_type[s], 0) << s;
  EXPECT_EQ(env.obs_slot, OBS_FILE_FIRST + 5);  // every record advances the cycle
}

TEST_F(WorldRegionLoad, CitiesTreesAndShipsStayOnTheirQuadrantsCells) {
  // Land east of 116.5 W, sea west of it: a coast through quadrants 1 and 4.
  auto sea = [](double, double lon) { return lon < -116.5; };
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, sea);
  load_region();
  int cities = 0;
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      if (on_water[i][j]) {
        EXPECT_EQ(tree_on_poly[i][j] + city_on_poly[i][j], 0);
      }
      if (!tree_on_poly[i][j]) continue;
      cities += city_on_poly[i][j];
      for (int t = 0; t < 2; t++)
        for (int k = 0; k < 3; k++) {
          const float* base = tree_xyz[i][j][t][k][0];
          ASSERT_GE(base[0], fltmin2(planexyz[i][j][0], planexyz[i][j + 1][0]) - 0.01f);
          ASSERT_LE(base[0], fltmax2(planexyz[i + 1][j][0], planexyz[i + 1][j + 1][0]) + 0.01f);
          ASSERT_NEAR(base[1], find_local_h(base[0], base[2], i, j), 0.01f);
          ASSERT_FLOAT_EQ(tree_xyz[i][j][t][k][1][1], base[1] + 20.0f);
        }
    }
  EXPECT_GT(cities, 100);
  for (int j = 0; j < GRID_J; j++) EXPECT_EQ(tree_on_poly[GRID_I - 1][j], 0);
  for (int i = 0; i < GRID_I; i++) EXPECT_EQ(tree_on_poly[i][GRID_J - 1], 0);
  // Ships keep to the coast's water, at most one of each per quadrant.
  int ships[3] = {0, 0, 0};
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      ships[0] += frig_on_poly[i][j], ships[1] += carr_on_poly[i][j], ships[2] += oilr_on_poly[i][j];
      if (frig_on_poly[i][j] || carr_on_poly[i][j] || oilr_on_poly[i][j]) {
        EXPECT_EQ(on_water[i][j], 1);
        EXPECT_EQ(on_water[i + 4][j], 0);  // four cells off the shore
      }
    }
  for (int n : ships) EXPECT_EQ(n, 2);  // quadrants 1 and 4
}

TEST_F(WorldRegionLoad, RegionListsAndAirportScenery) {
  wf::write_quadrants(34, -118, 2, 3, wf::rolling, wf::dry);
  wf::write_database({}, {}, {});
  init_country_data();
  obs_type[300] = 5;  // an airport obstacle slot of region airport 60
  load_region();
  EXPECT_EQ(env.apt_list_max, -1);  // no region airport: an empty list, not one stale entry
  EXPECT_EQ(env.vor_list_max, -1);
  EXPECT_EQ(obs_type[300], 0);

  std::vector<wf::airport> fields;
  for (int k = 0; k < 75; k++) fields.push_back(wf::field(34.2f + 0.02f * k, -117.5f, 90, 4000, 100, 0));
  fields[3].twr = 1;
  fields.push_back(wf::field(40.0f, -100.0f, 90, 4000, 100, 0));  // far away
  wf::write_database(fields, {{3, 35.0f, -117.0f, 0, 113, 90, 0, "VOR", "In"},
                              {2, 37.0f, -117.0f, 0, 210, 0, 0, "NDB", "Out"}}, {});
  init_country_data();
  load_region();
  EXPECT_EQ(env.apt_list_max, 69);
  EXPECT_EQ(apt_inreg[75], 0);
  EXPECT_EQ(env.vor_list_max, 0);
  EXPECT_EQ(env.ndb_list_max, -1);
  EXPECT_EQ(nav_inreg[1], 0);
  EXPECT_EQ(env.rwaymax[3], 0);
  for (int s = 15; s < 19; s++) EXPECT_EQ(obs_type[s], 97) << s;
  EXPECT_EQ(obs_type[19], 1);
  EXPECT_EQ(obs_type[14], 0);  // airport 2 has no tower
}
