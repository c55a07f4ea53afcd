// The view's frame: lightning, the view's place in the window, the textures it loads, and every
// view drawn over an airport through the headless drawing layer.
#include "support/test_support.h"

#include <array>
#include <cmath>
#include <cstring>

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
    std::memset(cloudxyz, 0, sizeof cloudxyz);
    for (float& t : atm.strike_t_exp) t = -1.0f;
    set.view_type = 601;
  }
  static void place(float x, float y, float z) {
    flt.X = x, flt.Y = y, flt.Z = z;
    flt.h = y;
  }
};

}  // namespace

TEST_F(RenderScenery, LightningComesDownOnlyWhereTheStormIs) {
  env.lox = 0.0f, env.hix = 300000.0f, env.loz = -200000.0f, env.hiz = 0.0f;
  env.min_h = 0.0f;
  place(150000.0f, 1000.0f, -100000.0f);
  msc.elap_time = 50.0f;
  atm.rain_tstm = 5.0f;
  auto alive = [] {
    int n = 0;
    for (float t : atm.strike_t_exp) n += t > msc.elap_time;
    return n;
  };
  for (int n = 0; n < 20; n++) start_strike();
  EXPECT_EQ(alive(), 0);  // a calm field
  for (auto& row : atm.wxr)
    for (float& v : row) v = 1.0f;
  start_strike();
  EXPECT_EQ(alive(), 1);
  for (float t : atm.strike_t_exp) EXPECT_LE(t, msc.elap_time + 0.4f);  // a short flash
  // With every slot alive no strike is lost over an old one.
  for (float& t : atm.strike_t_exp) t = msc.elap_time + 1.0f;
  start_strike();
  for (float t : atm.strike_t_exp) EXPECT_FLOAT_EQ(t, msc.elap_time + 1.0f);
}

TEST_F(RenderScenery, TheViewTakesTheWindowAboveThePanelUnlessFullScreen) {
  // Window width, height, panel top, full screen, then the view's x, y, width and height: above
  // the panel, full screen, a window too low for a strip above the panel, and no window.
  const int p = PANEL_BMP_H, cases[][8] = {{800, 580, p, 0, 0, p, 800, 580 - p},
                                           {800, 580, p, 1, 0, 0, 800, 580},
                                           {640, 300, p, 0, 0, 0, 640, 300},
                                           {0, 0, 0, 0, 0, 0, 0, 0}};
  int x, y, w, h;
  for (const auto& c : cases) {
    view_area(c[0], c[1], c[2], c[3], &x, &y, &w, &h);
    const int got[4] = {x, y, w, h};
    for (int k = 0; k < 4; k++) EXPECT_EQ(got[k], c[4 + k]) << c[0] << "x" << c[1] << " " << k;
  }
  // In the drawing's coordinates the view of a window of any shape lies within the drawing, above
  // the panel, and reaches the drawing's top wherever the window shows it.
  set.view_is_fullscreen = 0;
  for (const std::array<int, 2>& size : {std::array<int, 2>{800, 580}, {1920, 1080}, {1000, 1000},
                                        {2560, 600}}) {
    mnw.dx[WIN_MAIN] = 800, mnw.dy[WIN_MAIN] = 580;
    mnw.wdx[WIN_MAIN] = size[0], mnw.wdy[WIN_MAIN] = size[1];
    macibm_layout_window(WIN_MAIN, 0);
    view_area_drawing(&x, &y, &w, &h);
    EXPECT_TRUE(x >= 0 && w > 0 && x + w <= 800) << size[0] << "x" << size[1];
    EXPECT_EQ(y, PANEL_BMP_H) << size[0] << "x" << size[1];
    EXPECT_TRUE(h > 0 && y + h <= 580) << size[0] << "x" << size[1];
  }
}

TEST_F(RenderScenery, EveryViewDrawsOverAnAirportInAnyWeather) {
  wf::load_field_region(356356);
  ASSERT_TRUE(macibm_alert_log().empty());
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
      update_surroundings();
      update_scenery();
      for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(con.VIEW_xyz[k])) << v;
      EXPECT_FLOAT_EQ(con.cntrx, 400.0f);
      EXPECT_FLOAT_EQ(con.cntry, set.view_is_fullscreen ? 290.0f : PANEL_BMP_H + 123.5f);
    }
    // The scene's light reaches the palette's scene colours.
    EXPECT_LE(ogl_light_rat[0], 1.0f);
    if (w.hour < 1.0f) {
      EXPECT_LT(ogl_light_rat[1], 0.3f);
    }
  }
  // Across a time zone's edge the clock steps by an hour; the sun does not.
  float elev[2];
  for (int k = 0; k < 2; k++) {
    flt.lon = k ? -82.4f : -82.6f, flt.clock_zone = 0;
    msc.locl_time = (18.5f + k) * 3600.0f;
    update_scenery();
    elev[k] = vf.sky.sun_elev;
  }
  EXPECT_NEAR(elev[0], elev[1], 0.5f);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(RenderScenery, EveryTextureTheViewLoadsIsShippedAsA24BitPowerOfTwoBitmap) {
  auto check = [](const std::string& name, bool square) {
    const std::string f = read_file(std::string(KESTRIX_RUNTIME_DIR) + "/textures/" + name + ".BMP");
    ASSERT_GE(f.size(), 54u) << name;
    const auto h = reinterpret_cast<const unsigned char*>(f.data());
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
