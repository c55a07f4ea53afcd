// Moving the region: every direction agrees with a fresh load at the new corner, the ground,
// towns and obstacles stay under the aircraft, and the move rule's hysteresis.
#include "world/world_files.h"

namespace {

// The state of a region that a move must reproduce, as a fresh load at its corner makes it.
struct snapshot {
  std::vector<float> xyz;
  std::vector<int> water, airport, city;
  float ref_lon[3][2], ref_x[3][2];
  std::vector<std::pair<float, float>> objects;  // latitude and longitude of each file obstacle

  snapshot() {
    const float* p = &planexyz[0][0][0];
    xyz.assign(p, p + GRID_I * GRID_J * 3);
    water.assign(&on_water[0][0], &on_water[0][0] + GRID_I * GRID_J);
    airport.assign(&apt_on_poly[0][0], &apt_on_poly[0][0] + GRID_I * GRID_J);
    city.assign(&city_on_poly[0][0], &city_on_poly[0][0] + GRID_I * GRID_J);
    for (int c = 0; c < 3; c++)
      for (int r = 0; r < 2; r++)
        ref_lon[c][r] = env.lonwes_ref[c][r], ref_x[c][r] = env.planex_ref[c][r];
    for (int s = OBS_FILE_FIRST; s < OBS_MAX; s++)
      if (obs_type[s])
        objects.emplace_back(lat_with_z(obs_xyz[s][0][0][2]),
                             lon_with_xz(obs_xyz[s][0][0][0], obs_xyz[s][0][0][2]));
    std::sort(objects.begin(), objects.end());
  }
  float v(int i, int j, int a) const { return xyz[(i * GRID_J + j) * 3 + a]; }
};

}  // namespace

class WorldRegionShift : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    // Sea west of 118.6 W; a mast in the middle of every quadrant; a field on the border of the
    // quadrants at 116 W, inside the region before and after every move.
    auto sea = [](double, double lon) { return lon < -118.6; };
    for (int lat = 33; lat <= 36; lat++)
      for (int lon = -119; lon <= -115; lon++) {
        wf::quadrant_options o;
        o.objects = {{3, lat + 40.2f / 79.0f, lon + 30.2f / 59.0f, 300.0f, 30, 40}};
        wf::write_quadrant(lat, lon, wf::rolling, sea, o);
      }
    wf::write_database({wf::field(35.2f, -116.002f, 0, 6000, 100, 1500.0f, 1)});
    init_country_data();
  }
  static void load_at(int lat, int lon) {
    env.lat_sou = lat;
    env.lon_wes = lon;
    load_region();
  }
};

TEST_F(WorldRegionShift, EveryMoveAgreesWithAFreshLoadAtTheNewCorner) {
  struct move {
    int dir, lat, lon;
    float plane_lat, plane_lon;  // where the move rule makes the move
  };
  for (move m :
       {move{MOVE_WEST, 34, -119, 35.3f, -117.06f}, move{MOVE_EAST, 34, -117, 34.7f, -115.94f},
        move{MOVE_NORTH, 35, -118, 35.56f, -116.5f}, move{MOVE_SOUTH, 33, -118, 34.44f, -116.5f}}) {
    SCOPED_TRACE(m.dir);
    load_at(34, -118);
    wf::fly_at(m.plane_lat, m.plane_lon);
    ASSERT_EQ(find_ijt_with_loc(flt.X, flt.Z, &env.i_aircraft, &env.j_aircraft, 1), 1);
    float ground = find_local_h(flt.X, flt.Z, env.i_aircraft, env.j_aircraft);
    // A station half a degree north and west of the aircraft on NAV 2 and the ADF, the runway
    // view's eye and a point of the recorded path there.
    float st_lat = m.plane_lat + 0.5f, st_lon = m.plane_lon - 0.5f;
    nav.vorX[1] = nav.adfX = msc.runwayview_X = pat.xyztpp[7][0] = X_with_latlon(st_lat, st_lon);
    nav.vorZ[1] = nav.adfZ = msc.runwayview_Z = pat.xyztpp[7][2] = Z_with_lat(st_lat);
    pat.inited[7] = 1;

    move_region(m.dir);
    // It moved with the ground.
    EXPECT_NEAR(nav.vorX[1], X_with_latlon(st_lat, st_lon), 0.5f);
    EXPECT_NEAR(nav.adfX, X_with_latlon(st_lat, st_lon), 0.5f);
    EXPECT_NEAR(msc.runwayview_X, X_with_latlon(st_lat, st_lon), 0.5f);
    EXPECT_NEAR(pat.xyztpp[7][0], X_with_latlon(st_lat, st_lon), 0.5f);
    EXPECT_EQ(std::pair(env.lat_sou, env.lon_wes), std::pair(m.lat, m.lon));
    // The ground under the aircraft has not moved, and its cell index moved with the grid.
    ASSERT_EQ(find_ijt_with_loc(flt.X, flt.Z, &env.i_aircraft, &env.j_aircraft, 0), 1);
    EXPECT_NEAR(find_local_h(flt.X, flt.Z, env.i_aircraft, env.j_aircraft), ground, 0.05f);
    // Kept trees still stand on their ground.
    int i = env.i_aircraft, j = env.j_aircraft;
    if (tree_on_poly[i][j]) {
      const float* t = tree_xyz[i][j][0][0][0];
      EXPECT_NEAR(t[1], find_local_h(t[0], t[2], i, j), 0.05f);
    }
    snapshot moved;
    float lat_a = lat_with_z(planexyz[100][100][2]);
    float lon_a = lon_with_xz(planexyz[100][100][0], planexyz[100][100][2]);

    load_at(m.lat, m.lon);
    snapshot fresh;
    // One translation takes the fresh region onto the moved one.
    float dx = moved.v(0, 0, 0) - fresh.v(0, 0, 0), dz = moved.v(0, 0, 2) - fresh.v(0, 0, 2);
    int bad = 0;
    for (int a = 0; a < GRID_I; a++)
      for (int b = 0; b < GRID_J; b++) {
        bad += std::fabs(moved.v(a, b, 0) - fresh.v(a, b, 0) - dx) > 0.5f;
        bad += std::fabs(moved.v(a, b, 2) - fresh.v(a, b, 2) - dz) > 0.5f;
        bad += std::fabs(moved.v(a, b, 1) - fresh.v(a, b, 1)) > 1e-3f;
      }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(moved.water, fresh.water);
    EXPECT_EQ(moved.airport, fresh.airport);
    EXPECT_EQ(moved.city, fresh.city);
    for (int c = 0; c < 3; c++)
      for (int r = 0; r < 2; r++) {
        EXPECT_EQ(moved.ref_lon[c][r], fresh.ref_lon[c][r]);
        EXPECT_NEAR(moved.ref_x[c][r] - fresh.ref_x[c][r], dx, 0.5f);
      }
    EXPECT_NEAR(lat_with_z(planexyz[100][100][2]), lat_a, 1e-5f);
    EXPECT_NEAR(lon_with_xz(planexyz[100][100][0], planexyz[100][100][2]), lon_a, 1e-5f);
    // The same file obstacles are in use, at the same places; the dropped quadrants' are gone.
    ASSERT_EQ(moved.objects.size(), 6u);
    ASSERT_EQ(fresh.objects.size(), 6u);
    for (size_t n = 0; n < 6; n++) {
      EXPECT_NEAR(moved.objects[n].first, fresh.objects[n].first, 1e-4f);
      EXPECT_NEAR(moved.objects[n].second, fresh.objects[n].second, 1e-4f);
    }
  }
}

TEST_F(WorldRegionShift, MoveRuleKeepsTheAircraftInTheMiddleWithHysteresis) {
  load_at(34, -118);
  const struct {
    float lat, lon;
    int move, lat_sou, lon_wes;
  } steps[] = {{35.0f, -117.0f, 0, 34, -118},  // 1.0 east of the western edge
               {35.0f, -117.06f, MOVE_WEST, 34, -119},
               {35.0f, -117.0f, 0, 34, -119},  // back: now 2.0 east of the edge, inside the band
               {35.0f, -116.04f, MOVE_EAST, 34, -118},
               {34.44f, -116.5f, MOVE_SOUTH, 33, -118},
               {34.56f, -116.5f, MOVE_NORTH, 34, -118}};
  for (const auto& st : steps) {
    flt.lat = st.lat, flt.lon = st.lon;
    EXPECT_EQ(check_region_move(), st.move) << st.lat << " " << st.lon;
    EXPECT_EQ(std::pair(env.lat_sou, env.lon_wes), std::pair(st.lat_sou, st.lon_wes)) << st.lon;
  }
  EXPECT_TRUE(macibm_alert_log().empty());
}

// Flying out over the sea past the world data is told once, not at every degree; back over the
// data and out again, again. The storms there are new, not a copy of the column that moved east.
TEST_F(WorldRegionShift, LeavingTheWorldDataIsToldOnce) {
  load_at(34, -119);
  for (auto& column : atm.wxr)
    for (float& w : column) w = 0.5f;
  move_region(MOVE_WEST);
  EXPECT_FLOAT_EQ(atm.wxr[315][105], 0.5f);  // the kept storms moved with the ground
  int stale = 0;
  for (int i = 0; i < 210; i++)
    for (int k = 0; k < WXR_K; k++) stale += atm.wxr[i][k] == 0.5f;
  EXPECT_LT(stale, 1000);
  for (int dir : {MOVE_WEST, MOVE_EAST, MOVE_EAST, MOVE_WEST}) move_region(dir);
  ASSERT_EQ(macibm_alert_log().size(), 2u);
  EXPECT_EQ(macibm_alert_log()[1].line[1], wf::quadrant_path(34, -120));
}

TEST_F(WorldRegionShift, HighAboveTheGroundNewQuadrantsAreFlatWater) {
  load_at(34, -118);
  float kept = planexyz[100][100][1];
  flt.h = 100000.0f * con.fttomtrs;
  move_region(MOVE_WEST);
  EXPECT_FLOAT_EQ(planexyz[159][100][1], kept);  // the grid moved one quadrant east
  for (int j : {0, 40, 150}) {
    EXPECT_FLOAT_EQ(planexyz[30][j][1], 0.0f);
    EXPECT_EQ((std::vector<int>{on_water[30][j], tree_on_poly[30][j], city_on_poly[30][j]}),
              (std::vector<int>{1, 0, 0}));
  }
}
