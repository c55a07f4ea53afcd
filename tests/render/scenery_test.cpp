// The view's frame without a picture: the region move it runs, the cloud, ship and deck state the
// flight reads, lightning, the view's place in the window, the textures it loads, and every view
// drawn over an airport through the headless drawing layer.
#include "support/test_support.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"
#include "world/world_files.h"

namespace {

class RenderScenery : public ::testing::Test {
 protected:
  void SetUp() override {
    wf::fresh_world();
    reset_msc();
    reset_set();
    reset_pln();
    reset_mnw();
    reset_ogl();
    reset_view_state();
    std::memset(carr_on_poly, 0, sizeof carr_on_poly);
    std::memset(frig_on_poly, 0, sizeof frig_on_poly);
    std::memset(oilr_on_poly, 0, sizeof oilr_on_poly);
    std::memset(cloudxyz, 0, sizeof cloudxyz);
    for (float& t : atm.strike_t_exp) t = -1.0f;
    set.view_type = 601;
  }
  // A region of synthetic ground around (34, -118) with one lit, towered field in its middle.
  void load_field_region() {
    wf::write_quadrants(33, -120, 2, 5);
    wf::airport a = wf::field(34.0f, -117.5f, 90, 8000, 150, 500.0f, 1);
    a.rw[0].lite = 356356;
    wf::write_database({a});
    init_country_data();
    env.lat_sou = 33, env.lon_wes = -119;
    load_region();
    ASSERT_TRUE(macibm_alert_log().empty());
  }
  static void place(float x, float y, float z) {
    flt.X = x, flt.Y = y, flt.Z = z;
    flt.h = y;
  }
};

}  // namespace

TEST_F(RenderScenery, TheRegionFollowsTheAircraftOnceOneIsLoaded) {
  // Without a region nothing is read, wherever the aircraft seems to be.
  flt.lat = 0.0f, flt.lon = 0.0f;
  update_scenery();
  EXPECT_EQ(env.lon_wes, 0);
  EXPECT_TRUE(macibm_alert_log().empty());

  load_field_region();
  flt.lat = 34.0f, flt.lon = -119.0f + 0.94f;
  update_scenery();
  EXPECT_EQ(env.lon_wes, -120);
  // Back to the old place the region stays: a move needs the aircraft near the new edge.
  flt.lon = -119.0f + 1.0f;
  update_scenery();
  EXPECT_EQ(env.lon_wes, -120);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(RenderScenery, CloudStateFollowsTheReliefOverTheAircraft) {
  env.lox = 0.0f, env.hix = 48000.0f, env.loz = -32000.0f, env.hiz = 0.0f;
  place(24000.0f, 500.0f, -16000.0f);
  atm.cld_type = 0;
  update_cloud_state();
  EXPECT_EQ(scn.belowbases, 1);  // no layer: never in or over it
  EXPECT_EQ(scn.abovetops, 0);

  atm.cld_type = 1, atm.baseMSL = 1000.0f, atm.topsMSL = 2000.0f;
  const struct {
    float y;
    int below, above;
  } cases[] = {{500.0f, 1, 0}, {1500.0f, 0, 0}, {2500.0f, 0, 1}};
  for (const auto& c : cases) {
    flt.Y = c.y;
    update_cloud_state();
    EXPECT_EQ(scn.belowbases, c.below) << c.y;
    EXPECT_EQ(scn.abovetops, c.above) << c.y;
  }
  // A bulge of the relief 300 m down over the aircraft's point (i 40, k 32) puts 800 m in cloud.
  for (int i = 39; i <= 41; i++)
    for (int k = 31; k <= 33; k++) cloudxyz[i][k][1] = -300.0f;
  EXPECT_NEAR(cloud_base_at(24000.0f, -16000.0f), 700.0f, 1.0f);
  flt.Y = 800.0f;
  update_cloud_state();
  EXPECT_EQ(scn.belowbases, 0);
}

TEST_F(RenderScenery, ShipStateFollowsTheNearerShipAndItsWaves) {
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

  place(100.0f, 30.0f, -40.0f);
  update_ships();
  EXPECT_FLOAT_EQ(con.BOAT_loc_X, 50.0f);
  EXPECT_FLOAT_EQ(con.BOAT_loc_Z, -50.0f);
  EXPECT_NEAR(con.sinBOATthe, std::sin(2.0f * con.degtorad), 1e-6f);
  // The carrier's localizer and glide slope stand on its deck, on course 352.
  EXPECT_EQ(nav_type[env.navmax - 1], 4);
  EXPECT_EQ(nav_type[env.navmax - 2], 6);
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
               {20070.0f, 8.0f, 0.0f, 0, 0}};
  for (const auto& c : cases) {
    place(c.x, c.y, c.z);
    update_over_surfaces();
    EXPECT_EQ(env.over_carr, c.carr) << c.x << " " << c.z;
    EXPECT_EQ(env.over_frig, c.frig) << c.x << " " << c.z;
  }
}

TEST_F(RenderScenery, RoofsCarryTheAircraftButMastsDoNot) {
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
  place(1005.0f, 320.0f, 990.0f);
  update_over_surfaces();
  EXPECT_EQ(env.over_obs, 1);
  EXPECT_FLOAT_EQ(obs_height, 300.0f);
  place(1020.0f, 320.0f, 990.0f);
  update_over_surfaces();
  EXPECT_EQ(env.over_obs, 0);
}

TEST_F(RenderScenery, LightningComesDownOnlyWhereTheStormIs) {
  env.lox = 0.0f, env.hix = 300000.0f, env.loz = -200000.0f, env.hiz = 0.0f;
  env.min_h = 0.0f;
  place(150000.0f, 1000.0f, -100000.0f);
  msc.elap_time = 50.0f;
  atm.rain_tstm = 5.0f;
  for (int n = 0; n < 20; n++) start_strike();
  int alive = 0;
  for (float t : atm.strike_t_exp) alive += t > msc.elap_time;
  EXPECT_EQ(alive, 0);  // a calm field
  for (auto& row : atm.wxr)
    for (float& v : row) v = 1.0f;
  start_strike();
  alive = 0;
  for (float t : atm.strike_t_exp) {
    if (t > msc.elap_time) {
      alive++;
      EXPECT_LE(t, msc.elap_time + 0.4f);
    }
  }
  EXPECT_EQ(alive, 1);
  // With every slot alive no strike is lost over an old one.
  for (float& t : atm.strike_t_exp) t = msc.elap_time + 1.0f;
  start_strike();
  for (float t : atm.strike_t_exp) EXPECT_FLOAT_EQ(t, msc.elap_time + 1.0f);
}

TEST_F(RenderScenery, TheViewTakesTheWindowAboveThePanelUnlessFullScreen) {
  int x, y, w, h;
  view_area(800, 580, 0, &x, &y, &w, &h);
  EXPECT_EQ(y, PANEL_BMP_H);
  EXPECT_EQ(h, 580 - PANEL_BMP_H);
  EXPECT_EQ(w, 800);
  view_area(800, 580, 1, &x, &y, &w, &h);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(h, 580);
  view_area(640, 300, 0, &x, &y, &w, &h);  // too low for a strip above the panel
  EXPECT_EQ(h, 300);
  view_area(0, 0, 0, &x, &y, &w, &h);
  EXPECT_EQ(w * h, 0);
}

TEST_F(RenderScenery, EveryViewDrawsOverAnAirportInAnyWeather) {
  load_field_region();
  const int n = apt_to_index[0];
  place(X_with_latlon(apt_lat[n][0], apt_lon[n][0]) - 1500.0f, apt_h[n] + 300.0f,
        Z_with_lat(apt_lat[n][0]));
  flt.lat = 34.0f, flt.lon = -117.5f;
  flt.psi = 90.0f;
  mnw.dx[0] = 800, mnw.dy[0] = 580;
  ogl_trees = ogl_fscene = 1;
  on_fire_now[env.i_aircraft][env.j_aircraft] = 1;
  const int views[] = {601, 602, 603, 605, 606, 607, 608, 609, 610, 612, 614,
                       615, 616, 618, 619, 620, 621, 622, 623, 625, 626};
  const struct {
    float hour;
    int clouds;
    float rain;
  } weather[] = {{12.0f, 0, 1.0f}, {0.5f, 0, 1.0f}, {18.0f, 1, 4.0f}};
  for (const auto& w : weather) {
    msc.locl_time = w.hour * 3600.0f;
    atm.cld_type = w.clouds, atm.baseMSL = apt_h[n] + 200.0f, atm.topsMSL = apt_h[n] + 900.0f;
    atm.rain_tstm = w.rain, atm.level = w.rain - 1.0f, atm.vis = 10000.0f;
    atm.strike_t_exp[0] = w.rain > 1.0f ? msc.elap_time + 1.0f : -1.0f;
    for (int v : views) {
      choose_view(v);
      update_scenery();
      for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(con.VIEW_xyz[k])) << v;
      EXPECT_FLOAT_EQ(con.cntrx, 400.0f);
      EXPECT_FLOAT_EQ(con.cntry, set.view_is_fullscreen ? 290.0f : PANEL_BMP_H + 123.5f);
    }
    // The scene's light reaches the palette's scene colours.
    EXPECT_LE(scn.r_rat, 1.0f);
    if (w.hour < 1.0f) {
      EXPECT_LT(scn.g_rat, 0.3f);
    }
  }
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(RenderScenery, EveryTextureTheViewLoadsIsShippedAsA24BitPowerOfTwoBitmap) {
  auto check = [](const std::string& name, bool square) {
    std::ifstream f(std::string(KESTRIX_RUNTIME_DIR) + "/textures/" + name + ".BMP",
                    std::ios::binary);
    ASSERT_TRUE(f.is_open()) << name;
    unsigned char h[54];
    f.read(reinterpret_cast<char*>(h), sizeof h);
    ASSERT_EQ(f.gcount(), 54) << name;
    const int w = h[18] | h[19] << 8, ht = h[22] | h[23] << 8, bits = h[28];
    EXPECT_EQ(bits, 24) << name;
    EXPECT_EQ(w & (w - 1), 0) << name << " " << w;
    EXPECT_EQ(ht & (ht - 1), 0) << name << " " << ht;
    EXPECT_LE(w, OGL_BMP_MAX);
    if (square) {
      EXPECT_EQ(w, ht) << name;
    }
  };
  for (int k = 0; k < scene_texture_count; k++)
    check(scene_textures[k].name, scene_textures[k].treatment == TEX_TERRAIN);
  // The winter forms the loader puts in place of the grass ones, and the common aircraft ones.
  for (const char* snow :
       {"sno", "sno_wat_h", "sno_wat_c", "wat_sno_c", "sno_mnt_h", "sno_mnt_c", "mnt_sno_c"})
    check(snow, true);
  check("tire", false);
}
