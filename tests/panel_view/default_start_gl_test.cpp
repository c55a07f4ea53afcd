// The default start as the loop draws it, the panel below the 3-D view: the runway ahead under a
// level horizon, and instruments that read what the flight start and the flight frame leave.
#include <algorithm>
#include <cmath>
#include <vector>

#include "aircraft/aircraft.h"
#include "app/desktop/ogl_gl.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "panel/panel_local.h"
#include "render/render.h"
#include "render_view/view_fixture.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

enum { WIN_W = GL_MAIN_W, WIN_H = GL_MAIN_H };
const uint32_t NEEDLE = 0xF2F2F2;  // the panel's needle colour

// The attitude indicator's own sky and ground.
bool is_ai_sky(uint32_t c) { return blue_of(c) > red_of(c) + 100; }
bool is_ai_ground(uint32_t c) { return red_of(c) > blue_of(c) + 60; }

picture window_picture() { return gl_read(0, 0, WIN_W, WIN_H); }

// One drawing pass of the loop: the panel, then the view above it.
picture loop_picture() {
  update_panel();
  update_scenery();
  return window_picture();
}

int slot_of(int instrument) {
  for (int s = 1; s < PANEL_SLOTS; s++)
    if (lay.ins[s] == instrument && lay.rad[s] > 0) return s;
  return -1;
}

// Whole degrees (clockwise from up) at which the circle of radius f * r about a slot's centre
// crosses needle pixels.
std::vector<int> needle_angles(const picture& p, int slot, float f) {
  std::vector<int> a;
  for (int deg = 0; deg < 360; deg++) {
    const int x = dial_px(lay.cx[slot], f * lay.rad[slot], static_cast<float>(deg));
    const int y = dial_py(lay.cy[slot], f * lay.rad[slot], static_cast<float>(deg));
    if (p.at(x, y) == NEEDLE) a.push_back(deg);
  }
  return a;
}

float angle_apart(float a, float b) {
  const float d = std::fabs(std::fmod(a - b + 720.0f, 360.0f));
  return d > 180.0f ? 360.0f - d : d;
}

// Some needle pixel within tol degrees of deg.
bool needle_at(const std::vector<int>& found, float deg, float tol) {
  for (int a : found)
    if (angle_apart(static_cast<float>(a), deg) <= tol) return true;
  return false;
}

// Every needle pixel within tol degrees of one of the angles.
bool only_needles_at(const std::vector<int>& found, std::vector<float> degs, float tol) {
  for (int a : found) {
    bool near = false;
    for (float d : degs) near = near || angle_apart(static_cast<float>(a), d) <= tol;
    if (!near) return false;
  }
  return true;
}

// Top row (counted from the window's top) of the first non-sky pixel of column x of the view.
int horizon_row(const picture& p, int x) { return ::horizon_row(p, x, p.h - PANEL_H); }

// The horizon across columns x0..x1-1: buildings and aircraft standing in front of the sky only
// ever lift a column's first non-sky row.
int ground_row(const picture& p, int x0, int x1) {
  int row = 0;
  for (int x = x0; x < x1; x++) row = std::max(row, horizon_row(p, x));
  return row;
}

// Row of the attitude indicator's first ground pixel going down column x from its top.
int ai_horizon_y(const picture& p, int slot, int x) {
  for (int y = lay.cy[slot] + lay.rad[slot] / 2; y > lay.cy[slot] - lay.rad[slot] / 2; y--)
    if (is_ai_ground(p.at(x, y))) return y;
  return -1;
}

// The panel's part of a picture.
std::vector<uint32_t> panel_part(const picture& p) {
  return std::vector<uint32_t>(p.px.begin(), p.px.begin() + static_cast<long>(p.w) * PANEL_H);
}

class PanelView : public RenderView {
 protected:
  void SetUp() override {
    RenderView::SetUp();
    if (IsSkipped()) return;
    // The start-up's tables, then the region as the start-up loads it (the tables empty its
    // airport and navaid lists); then a first flight's take-off from the default runway.
    static int started;
    if (!started) {
      initgen();
      std::srand(1);  // the same buildings and traffic on every run
      load_region();
      started = 1;
    }
    ins.HUD_on = 0;
    ins.baro = atm.baro = 29.92f;
    msc.loc_apt_wrl = view_sbd();
    msc.rway_sel = 0;
    msc.typestart = 900;
    // Half tanks, as loading the aircraft gives them; the fixture cleared the flight record.
    flt.m_fuel = 0.5f * pln.m_fuel;
    set_fltvars(32);
    // The main window: the view above the panel.
    ogl_gl_select_window(GL_TEST_WINDOW, WIN_W, WIN_H);
    mnw.dx[0] = WIN_W;
    mnw.dy[0] = WIN_H;
    set.view_is_fullscreen = 0;
    reset_panel();
  }
};

TEST_F(PanelView, DefaultStartShowsTheRunwayAheadAndAPanelAtRestOnTheField) {
  // The first pass may load the view's textures; the picture is the one the next pass leaves.
  level_the_ground();
  loop_picture();
  const picture p = loop_picture();
  restore_the_ground();
  if (std::getenv("PANEL_GL_DUMP"))
    save_picture(p, std::string(std::getenv("PANEL_GL_DUMP")) + "/default_start.ppm");

  // The view: a level horizon across the strip above the panel, the runway's grey straight ahead
  // below it and not all the way out to the sides.
  const int view_h = WIN_H - PANEL_H;
  const int left = ground_row(p, 0, 100), right = ground_row(p, WIN_W - 100, WIN_W);
  EXPECT_GT(left, view_h / 5);
  EXPECT_LT(left, 4 * view_h / 5);
  EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
  const int below = WIN_H - 1 - horizon_row(p, WIN_W / 2) - 3;
  EXPECT_GT(count(p, WIN_W / 2 - 6, WIN_W / 2 + 6, PANEL_H, below, is_pavement),
            12 * (below - PANEL_H) * 8 / 10);
  EXPECT_LT(count(p, 0, 8, below - 6, below, is_pavement) +
                count(p, WIN_W - 8, WIN_W, below - 6, below, is_pavement),
            2 * 8 * 6);

  // The view left the panel alone: its own grey at the top edge, and nothing over it.
  ins.tickle_all = 1;  // a full redraw of the same records
  update_panel();
  EXPECT_TRUE(panel_part(p) == panel_part(window_picture()));
  const uint32_t strip = p.at(WIN_W / 2, PANEL_H - 2);
  EXPECT_TRUE(red_of(strip) == blue_of(strip) && std::abs(blue_of(strip) - 77) <= 2)
      << std::hex << strip;

  // Airspeed: standing still, the needle rests at the start of the scale, just right of the top.
  const int asi = slot_of(INS_ASI), alt = slot_of(INS_ALT), ahz = slot_of(INS_AHZ);
  ASSERT_GT(asi, 0);
  ASSERT_GT(alt, 0);
  ASSERT_GT(ahz, 0);
  const std::vector<int> asi_needle = needle_angles(p, asi, 0.55f);
  ASSERT_FALSE(asi_needle.empty());
  EXPECT_TRUE(only_needles_at(asi_needle, {15.0f}, 12.0f)) << asi_needle.front();

  // Altimeter: the field's elevation (the gear holds the instrument a few feet above it) on the
  // long hundreds needle, the short thousands needle and the thin ten-thousands pointer.
  const float ft = apt_h[view_sbd()] * con.mtrstoft + pln.h_eqlbm * con.mtrstoft;
  const float hundreds = std::fmod(ft, 1000.0f) * 0.36f,
              thousands = std::fmod(ft, 10000.0f) * 0.036f,
              tens = std::fmod(ft, 100000.0f) * 0.0036f;
  const std::vector<int> long_ring = needle_angles(p, alt, 0.7f);
  EXPECT_TRUE(needle_at(long_ring, hundreds, 4.0f)) << ft << " ft";
  EXPECT_TRUE(only_needles_at(long_ring, {hundreds, tens}, 6.0f)) << ft << " ft";
  const std::vector<int> short_ring = needle_angles(p, alt, 0.3f);
  EXPECT_TRUE(needle_at(short_ring, thousands, 8.0f)) << ft << " ft";
  EXPECT_TRUE(only_needles_at(short_ring, {hundreds, thousands, tens}, 10.0f)) << ft << " ft";

  // Attitude: sky over ground with a level horizon, the nose a little up as the gear holds it.
  const int l = ai_horizon_y(p, ahz, lay.cx[ahz] - 25), r = ai_horizon_y(p, ahz, lay.cx[ahz] + 25);
  ASSERT_GT(l, 0);
  EXPECT_LE(std::abs(l - r), 1) << l << " " << r;
  EXPECT_LE(l, lay.cy[ahz] + 1);
  EXPECT_TRUE(is_ai_sky(p.at(lay.cx[ahz] + 25, l + 6)));
}

TEST_F(PanelView, FullThrottleFromThePanelSetsTheNeedlesMovingOnTheTakeOffRoll) {
  loop_picture();
  const int asi = slot_of(INS_ASI);
  ASSERT_GT(asi, 0);
  const std::vector<int> at_rest = needle_angles(window_picture(), asi, 0.55f);

  // The throttle's slot, clicked at its top; the brakes let go.
  int thr = -1;
  for (int i = 0; i < lay.nlevers; i++)
    if (lay.lever[i].lever == LEVER_THROTTLE) thr = i;
  ASSERT_GE(thr, 0);
  const panel_rect& r = lay.lever[thr].r;
  manage_das(0, r.x + r.w / 2, r.y + r.h - 1);
  EXPECT_GT(flt.throrequest[0], 0.95f);
  set.parkbrake = 0.0f;

  // Twenty-five seconds of the loop's frames, the panel on every fifth.
  msc.evup = 5;
  for (msc.cntr = 0; msc.cntr < 500; msc.cntr++) {
    if (msc.cntr % msc.evup == 0) update_panel();
    update_controls();
    update_flight();
  }
  ASSERT_GT(flt.vind, 40.0f);
  const picture p = loop_picture();
  const std::vector<int> rolling = needle_angles(p, asi, 0.55f);
  ASSERT_FALSE(rolling.empty());
  // Clockwise from where it rested, to where the scale puts the speed the flight reached.
  const dial_scale d = {0, 0, 0, pln.Vmin, pln.Vmax, 20.0f, 340.0f, pln.ASpwr};
  EXPECT_GT(rolling.front(), at_rest.back() + 30);
  EXPECT_TRUE(needle_at(rolling, scale_angle(d, asi_speed()), 3.0f))
      << flt.vind << " kt at " << scale_angle(d, asi_speed());
}

TEST_F(PanelView, ALoadingBarDrawnAcrossThePanelIsGoneAfterTheNextPass) {
  loop_picture();
  const std::vector<uint32_t> before = panel_part(loop_picture());
  // A change of season or of the resolution level reloads the view's textures in flight.
  load_scenery_textures();
  ASSERT_FALSE(panel_part(window_picture()) == before);
  EXPECT_TRUE(panel_part(loop_picture()) == before);
}

}  // namespace
