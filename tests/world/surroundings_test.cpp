// The surroundings of the aircraft that every frame keeps, drawn or not: the region move, the
// position under or over the clouds, the ship state and the decks and roofs that carry it.
#include "world/world_files.h"

namespace {

class WorldSurroundings : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    std::memset(carr_on_poly, 0, sizeof carr_on_poly);
    std::memset(frig_on_poly, 0, sizeof frig_on_poly);
    std::memset(oilr_on_poly, 0, sizeof oilr_on_poly);
    std::memset(cloudxyz, 0, sizeof cloudxyz);
  }
  static void place(float x, float y, float z) { flt.X = x, flt.Y = flt.h = y, flt.Z = z; }
};

}  // namespace

TEST_F(WorldSurroundings, TheRegionFollowsTheAircraftOnceOneIsLoaded) {
  // Without a region nothing is read, wherever the aircraft seems to be.
  flt.lat = 0.0f, flt.lon = 0.0f;
  update_surroundings();
  EXPECT_EQ(env.lon_wes, 0);
  EXPECT_TRUE(macibm_alert_log().empty());

  wf::load_field_region();
  ASSERT_TRUE(macibm_alert_log().empty());
  flt.lat = 34.0f, flt.lon = -119.0f + 0.94f;  // the move rule's own cases: the region tests
  update_surroundings();
  EXPECT_EQ(env.lon_wes, -120);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(WorldSurroundings, CloudPositionFollowsTheReliefOverTheAircraft) {
  env.lox = 0.0f, env.hix = 48000.0f, env.loz = -32000.0f, env.hiz = 0.0f;
  place(24000.0f, 500.0f, -16000.0f);
  atm.baseMSL = 1000.0f, atm.topsMSL = 2000.0f;
  const struct {
    int layer;
    float y;
    int below, above;
  } cases[] = {{0, 1500.0f, 1, 0},  // no layer: never in or over it
               {1, 500.0f, 1, 0},
               {1, 1500.0f, 0, 0},
               {1, 2500.0f, 0, 1}};
  for (const auto& c : cases) {
    atm.cld_type = c.layer, flt.Y = c.y;
    update_cloud_position();
    EXPECT_EQ(std::pair(scn.belowbases, scn.abovetops), std::pair(c.below, c.above)) << c.y;
  }
  // A bulge of the relief 300 m down over the aircraft's point (i 40, k 32) puts 800 m in cloud.
  for (int i = 39; i <= 41; i++)
    for (int k = 31; k <= 33; k++) cloudxyz[i][k][1] = -300.0f;
  EXPECT_NEAR(cloud_base_at(24000.0f, -16000.0f), 700.0f, 1.0f);
  flt.Y = 800.0f;
  update_cloud_position();
  EXPECT_EQ(scn.belowbases, 0);
}

TEST_F(WorldSurroundings, ShipStateFollowsTheNearerShipAndItsWaves) {
  env.navmax = 12;
  auto cell = [](int i, int j, float x, float z) {
    planexyz[i][j][0] = x, planexyz[i][j][1] = 0.0f, planexyz[i][j][2] = z;
    planexyz[i + 1][j + 1][0] = x + 100.0f, planexyz[i + 1][j + 1][1] = 0.0f;
    planexyz[i + 1][j + 1][2] = z - 100.0f;
  };
  cell(10, 10, 0.0f, 0.0f);
  carr_on_poly[10][10] = 1;
  cell(40, 40, 20000.0f, 0.0f);
  frig_on_poly[40][40] = 1;
  env.carr_the = 2.0f, env.frig_the = -3.0f;
  find_region_surfaces();

  place(100.0f, 30.0f, -40.0f);
  update_ships();
  EXPECT_FLOAT_EQ(con.BOAT_loc_X, 50.0f);
  EXPECT_FLOAT_EQ(con.BOAT_loc_Z, -50.0f);
  EXPECT_NEAR(con.sinBOATthe, std::sin(2.0f * con.degtorad), 1e-6f);
  // The carrier's localizer stands on its deck, on course 352.
  EXPECT_EQ(nav_hdng[env.navmax - 1], 352);
  EXPECT_FLOAT_EQ(nav_h[env.navmax - 1], CARRIER_DECK);

  place(19000.0f, 30.0f, -40.0f);
  update_ships();
  EXPECT_FLOAT_EQ(con.BOAT_loc_X, 20050.0f);
  EXPECT_NEAR(con.sinBOATthe, std::sin(-3.0f * con.degtorad), 1e-6f);

  // Over the deck only above it; beside it in the water there is no deck.
  const struct {
    float x, y, z;
    int carr, frig;
  } cases[] = {{50.0f, 22.0f, -50.0f, 1, 0},
               {50.0f, 5.0f, -50.0f, 0, 0},
               {50.0f, 22.0f, 200.0f, 0, 0},
               {20050.0f, 8.0f, 0.0f, 0, 1},
               {20070.0f, 8.0f, 0.0f, 0, 0},
               {20044.9f, 8.0f, -107.8f, 0, 1},  // near the bow on the centreline
               {20051.2f, 8.0f, -105.3f, 0, 0}};  // beside the bow's point, in the water
  for (const auto& c : cases) {
    place(c.x, c.y, c.z);
    update_over_surfaces();
    EXPECT_EQ(std::pair(env.over_carr, env.over_frig), std::pair(c.carr, c.frig))
        << c.x << " " << c.z;
  }
}

TEST_F(WorldSurroundings, RoofsCarryTheAircraftButMastsDoNot) {
  auto put = [](int slot, float half, float h) {
    obs_type[slot] = 94;
    for (int l = 0; l < 4; l++)
      for (int c = 0; c < 4; c++) {
        obs_xyz[slot][l][c][0] = 1000.0f + (c < 2 ? -half : half);
        obs_xyz[slot][l][c][1] = h * l / 3.0f;
        obs_xyz[slot][l][c][2] = 1000.0f + (c == 0 || c == 3 ? half : -half);
      }
  };
  put(400, 15.0f, 300.0f);
  put(401, 0.0f, 500.0f);  // a mast on the same spot
  find_region_surfaces();
  place(1005.0f, 320.0f, 990.0f);
  update_over_surfaces();
  EXPECT_EQ(env.over_obs, 1);
  EXPECT_FLOAT_EQ(obs_height, 300.0f);
  place(1020.0f, 320.0f, 990.0f);
  update_over_surfaces();
  EXPECT_EQ(env.over_obs, 0);
  // A block whose top is level 1, the levels above left on the ground at its centre.
  for (int c = 0; c < 4; c++) {
    obs_xyz[400][1][c][1] = 250.0f;
    for (int l = 2; l < 4; l++)
      obs_xyz[400][l][c][0] = obs_xyz[400][l][c][2] = 1000.0f, obs_xyz[400][l][c][1] = 0.0f;
  }
  find_region_surfaces();
  place(1005.0f, 320.0f, 990.0f);
  update_over_surfaces();
  EXPECT_EQ(env.over_obs, 1);
  EXPECT_FLOAT_EQ(obs_height, 250.0f);
  put(400, 15.0f, 300.0f);  // a ledge at 30 m on the way up to the roof
  for (int c = 0; c < 4; c++) obs_xyz[400][1][c][1] = obs_xyz[400][2][c][1] = 30.0f;
  find_region_surfaces();
  update_over_surfaces();
  EXPECT_FLOAT_EQ(obs_height, 300.0f);
}

TEST_F(WorldSurroundings, ALevelRegionMovesByBeingLaidOutAgainButNotPastAPole) {
  const struct {
    int lat_sou;
    float lat;
    int moved_to;
  } cases[] = {{40, 41.6f, 41}, {40, 40.4f, 39}, {88, 89.9f, 88}, {-90, -89.9f, -90}};
  for (const auto& c : cases) {
    env.lat_sou = c.lat_sou, env.lon_wes = -100;
    fill_flat_region(250.0f, 0.0f, 0.0f);
    flt.lat = c.lat, flt.lon = -98.5f;
    update_surroundings();
    EXPECT_EQ(env.lat_sou, c.moved_to) << c.lat;
    EXPECT_FLOAT_EQ(planexyz[100][100][1], 250.0f);
    EXPECT_EQ(env.flat_region, 1);
  }
}
