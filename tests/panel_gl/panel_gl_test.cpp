// The panel drawn by Mesa: needles, horizon and lights follow their records, only changed
// instruments are drawn again, and failed ones freeze or drift.
#include "panel/panel_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "render_gl/gl_harness.h"
#include "render/ogl.h"

namespace {

const uint32_t NEEDLE = 0xF2F2F2;  // palette colour 41
const uint32_t WHITE = 0xFFFFFF;
const uint32_t YELLOW = 0xFFFF00;  // the second engine's needles

bool is_sky(uint32_t c) { return (c & 255) > ((c >> 16) & 255) + 100; }
bool is_ground(uint32_t c) { return ((c >> 16) & 255) > (c & 255) + 60; }

// A pixel of colour c within one pixel of (x, y).
bool near_colour(int x, int y, uint32_t c) {
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      if (gl_pixel(x + dx, y + dy) == c) return true;
  return false;
}

class PanelGl : public PanelTest {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(gl_harness_open(&why)) << why;
    PanelTest::SetUp();
    gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
  }
  void TearDown() override {
    // PANEL_GL_DUMP names a folder to keep each test's picture in, for looking at the panel.
    if (const char* dir = std::getenv("PANEL_GL_DUMP")) {
      std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
      save_picture(gl_read(0, 0, PANEL_W, PANEL_H), std::string(dir) + "/" + name + ".ppm");
    }
    PanelTest::TearDown();
  }
  // The square of a slot's instrument.
  static std::vector<uint32_t> slot_pixels(int slot) {
    int h = lay.rad[slot] + 2;
    return gl_read(lay.cx[slot] - h, lay.cy[slot] - h, 2 * h + 1, 2 * h + 1).px;
  }
  // A pixel of colour c within one pixel of the point at radius r along angle deg about (x, y).
  static bool on_dial(int x, int y, float r, float deg, uint32_t c) {
    return near_colour(dial_px(x, r, deg), dial_py(y, r, deg), c);
  }
};

// The test aircraft's instruments sit in locations numbered as their codes.
const int ASI = 1, AHZ = 2, ALT = 3;

TEST_F(PanelGl, AirspeedNeedleMovesWithTheIndicatedAirspeedAndNothingElseIsRedrawn) {
  flt.vind = 60.0f;
  update_panel();
  std::vector<uint32_t> alt_before = slot_pixels(ALT);
  dial_scale d = {0, 0, 0, pln.Vmin, pln.Vmax, 20.0f, 340.0f, pln.ASpwr};
  float a60 = scale_angle(d, 60.0f), a120 = scale_angle(d, 120.0f);
  const int cx = lay.cx[ASI], cy = lay.cy[ASI];
  const float r = 0.5f * lay.rad[ASI];
  EXPECT_TRUE(on_dial(cx, cy, r, a60, NEEDLE));
  flt.vind = 120.0f;
  update_panel();
  EXPECT_TRUE(on_dial(cx, cy, r, a120, NEEDLE));
  EXPECT_FALSE(on_dial(cx, cy, r, a60, NEEDLE));
  // The altimeter showed the same and was left alone.
  EXPECT_EQ(slot_pixels(ALT), alt_before);
  // Back from a full-screen view, which drew over the whole panel, it is all there again.
  set.view_is_fullscreen = 1;
  update_panel();
  OGL_fillrect(37, 0, 0, PANEL_W, PANEL_H);
  set.view_is_fullscreen = 0;
  update_panel();
  EXPECT_EQ(slot_pixels(ALT), alt_before);

  // The speed the autopilot holds reads in the indicator's units too: 100 kt as 115 mph.
  const int spd_x = 192 + 6 * 59, spd_y = 294;  // its readout, the last along the strip
  ott.as_hold = 115.0f;
  update_panel();
  const std::vector<uint32_t> reads_115 = gl_read(spd_x, spd_y, 55, 16).px;
  pln.asi_units = 1, ott.as_hold = 100.0f;
  update_panel();
  EXPECT_EQ(gl_read(spd_x, spd_y, 55, 16).px, reads_115);
  // NAV 1's with a GPS reads the GPS's locked course, which the mode steers, as an OBS would.
  nav.obs[0] = 100.0f;
  update_panel();
  const std::vector<uint32_t> reads_100 = gl_read(192 + 59, spd_y, 55, 16).px;
  pln.supptype = 2, nav.obs[0] = 0.0f, nav.gps_lock_crs = true_from_mag(100.0f);
  panel_layout_now();
  update_panel();
  EXPECT_EQ(gl_read(192 + 59, spd_y, 55, 16).px, reads_100);
  // The GPS's target button is labelled: more than its black face shows inside its frame.
  const std::vector<uint32_t> face =
      gl_read(lay.cx[4] - lay.rad[4] + 2, lay.cy[4] - lay.rad[4] + 1, 16, 12).px;
  EXPECT_LT(std::count(face.begin(), face.end(), face.front()), std::ptrdiff_t(face.size()));
}

TEST_F(PanelGl, HorizonSinksAsTheNoseRisesAndTiltsAgainstTheBank) {
  int cx = lay.cx[AHZ], cy = lay.cy[AHZ];
  update_panel();
  // Probes 20 pixels right of the centre miss the pitch ladder's rungs.
  EXPECT_TRUE(is_sky(gl_pixel(cx + 20, cy + 10)));
  EXPECT_TRUE(is_ground(gl_pixel(cx + 20, cy - 10)));
  EXPECT_TRUE(near_colour(cx + 40, cy, WHITE));  // the horizon line

  flt.the180 = 10.0f;  // 2 pixels a degree: the horizon 20 pixels down
  update_panel();
  EXPECT_TRUE(is_sky(gl_pixel(cx + 20, cy - 10)));
  EXPECT_TRUE(is_ground(gl_pixel(cx + 20, cy - 30)));

  flt.the180 = 0.0f;
  flt.phi180 = 30.0f;  // right bank: the horizon's right end rises
  update_panel();
  EXPECT_TRUE(is_ground(gl_pixel(cx + 30, cy + 5)));
  EXPECT_TRUE(is_sky(gl_pixel(cx - 30, cy - 5)));
  EXPECT_TRUE(near_colour(cx + 17, cy + 10, WHITE));
}

TEST_F(PanelGl, FailedInstrumentsFreezeWithTheirKnobsStillTurningAndDeadVacuumTiltsTheHorizon) {
  flt.vind = 60.0f;
  update_panel();
  std::vector<uint32_t> frozen = slot_pixels(ASI);
  rel.ss_asi = 0;
  flt.vind = 120.0f;
  update_panel();
  EXPECT_EQ(slot_pixels(ASI), frozen);
  ins.tickle_all = 1;  // a full redraw shows the frozen value too
  update_panel();
  EXPECT_EQ(slot_pixels(ASI), frozen);
  // A failed altimeter's setting window still shows the knob turned.
  rel.ss_alt = 0;
  update_panel();
  const int kx = lay.cx[ALT] + 12, ky = lay.cy[ALT] - 6;
  const std::vector<uint32_t> window = gl_read(kx, ky, 32, 12).px;
  step_baro(1);
  update_panel();
  EXPECT_NE(gl_read(kx, ky, 32, 12).px, window);

  int cx = lay.cx[AHZ], cy = lay.cy[AHZ];
  msc.elap_time = 500.0f;
  rel.vacuum = 0;
  rel.vac_death_time = 400.0f;  // long enough for the gyro to have wandered all the way
  rel.the_fail_err = 15.0f;
  update_panel();
  EXPECT_TRUE(is_sky(gl_pixel(cx + 20, cy - 20)));  // level flight shown 15 degrees nose up
}

// Red of a pure red pixel, or -1 for any other colour.
int red_only(uint32_t c) { return (c & 0xFFFF) ? -1 : static_cast<int>(c >> 16); }

TEST_F(PanelGl, StallLightTurnsFromDarkToBrightRed) {
  update_panel();
  EXPECT_NEAR(red_only(gl_pixel(11, 320)), 77, 2);  // colour 27, dark red: off
  flt.vind = 80.0f;
  flt.alpha_max[4] = 16.0f;
  flt.alpha[4][0] = 15.0f;
  update_panel();  // the panel only shows what the event tick decided
  EXPECT_NEAR(red_only(gl_pixel(11, 320)), 77, 2);
  update_warnings();
  update_panel();
  EXPECT_EQ(red_only(gl_pixel(11, 320)), 255);
}

TEST_F(PanelGl, EngineNeedlesFollowTheSpeedAndOilOfTheirOwnEngine) {
  flt.tac[0] = 0.0f;
  update_panel();
  const int cx = pln.gsx1, cy = pln.gsy2;  // the first dial: rpm
  const float r = pln.gsw / 2 * 0.6f;
  EXPECT_TRUE(on_dial(cx, cy, r, -120.0f, NEEDLE));
  flt.tac[0] = 0.5f * tac_max() * con.rpmtorsc;  // half the scale: straight up
  update_panel();
  EXPECT_TRUE(near_colour(cx, cy + intround(r), NEEDLE));
  // A 0..300 lb fuel dial is labelled in hundreds: nothing names 150 lb, straight up.
  pln.m_fuel = 260.0f * con.lbstokgs, ins.tickle_all = 1;
  update_panel();
  const std::vector<uint32_t> top = gl_read(pln.gsx1 - 3, pln.gsy1 + 9, 7, 7).px;
  EXPECT_EQ(std::count(top.begin(), top.end(), WHITE), 0);

  // A twin whose first oil pump has failed: only that engine's pressure bleeds away. The oil
  // dial (the last) reads 0..100 psi over -120..120 degrees: 20 psi at -72, the normal 80 at 72.
  pln.numen = 2;
  flt.eng_running[0] = flt.eng_running[1] = 1;
  rel.oilpmp[0] = 0, rel.oil_rat = 0.25f;
  update_panel();
  EXPECT_TRUE(on_dial(pln.gsx2, pln.gsy1, r, -72.0f, NEEDLE));
  EXPECT_TRUE(on_dial(pln.gsx2, pln.gsy1, r, 72.0f, YELLOW));

  // Both engines of a twin helicopter turn the rotor (at half the scale, under engine 1's needle);
  // slot 1 of the discs is the tail rotor, turning faster, which is no engine's speed.
  pln.is_heli = 1;
  flt.tac[1] = 6.5f * flt.tac[0];
  update_panel();
  EXPECT_FALSE(on_dial(cx, cy, r, 127.2f, YELLOW));
  EXPECT_TRUE(near_colour(cx, cy + intround(r), NEEDLE));
}

TEST_F(PanelGl, GlassPanelShowsTheAttitudeTheFuelAndTheSettingAndBlanksAFailedDisplay) {
  pln.paneltype = 2;
  pln.ecam = 1;
  flt.h_ind = 1000.0f;
  flt.vind = 120.0f;
  update_panel();
  ASSERT_TRUE(lay.glass);
  int ax = lay.pfd.x + 120, ay = lay.pfd.y + 160;
  EXPECT_TRUE(is_sky(gl_pixel(ax + 5, ay + 20)));
  EXPECT_TRUE(is_ground(gl_pixel(ax + 5, ay - 20)));
  rel.ss_ahz = 0;  // a failed horizon stands still whatever the aircraft does
  flt.the180 = -30.0f;
  update_panel();
  EXPECT_TRUE(is_sky(gl_pixel(ax + 5, ay + 20)));
  // A jet's fourth tape is its fuel: green with the tanks full, amber with a twentieth left; its
  // first, N1, stays green up to its rated 100 %.
  pln.entype = 3, pln.m_fuel = 2800.0f, flt.m_fuel = pln.m_fuel;
  update_panel();
  const int fx = lay.engines.x + 3 + 3 * ((lay.engines.w - 4) / 4) + 2, fy = lay.engines.y + 57;
  EXPECT_EQ(gl_pixel(fx, fy), 0x33FF33u);
  flt.m_fuel = 0.05f * pln.m_fuel;
  flt.n1_[0] = 100.0f;  // full power, which is no exceedance
  update_panel();
  EXPECT_EQ(gl_pixel(fx, fy), 0xFFBF00u);
  EXPECT_EQ(gl_pixel(lay.engines.x + 5, fy), 0x33FF33u);
  rel.ss_alt = 0;  // the altimeter setting follows its knob under a frozen altitude
  const std::vector<uint32_t> setting = gl_read(lay.pfd.x + 192, lay.pfd.y + 66, 44, 12).px;
  step_baro(1);
  update_panel();
  EXPECT_NE(gl_read(lay.pfd.x + 192, lay.pfd.y + 66, 44, 12).px, setting);
  const int bx = lay.nd.x + lay.nd.w / 2, by = lay.nd.y + 130 + 18;
  nav.goodnav[0] = 1, nav.ilsgs[0] = 0;
  for (int ntf : {1, 0}) {
    nav.ntf[0] = ntf;
    update_panel();
    EXPECT_EQ(gl_pixel(bx, by) == gl_pixel(bx, by - 36) && gl_pixel(bx, by) != 0u, ntf == 1);
  }
  // An NDB 2 nm off at 30 degrees, at the longest range, where it is less than a pixel away.
  flt.X = flt.Z = 0.0, flt.psi = flt.magpsi = 0.0f, ins.map_range = 160, nav.goodnav[4] = 1;
  nav.adfX = isin(30) * 2.0f * con.nmtomtrs;
  nav.adfZ = -icos(30) * 2.0f * con.nmtomtrs;
  update_panel();
  const uint32_t pointer = gl_pixel(dial_px(bx, 70.0f, 30.0f), dial_py(by - 18, 70.0f, 30.0f));
  EXPECT_NE(pointer, 0u);
  EXPECT_EQ(gl_pixel(dial_px(bx, 25.0f, 30.0f), dial_py(by - 18, 25.0f, 30.0f)), pointer);
  // A failed heading source holds the navigation display where it stood, as it holds the tape.
  rel.ss_dgy = 0;
  const std::vector<uint32_t> nd = gl_read(lay.nd.x, lay.nd.y, lay.nd.w, lay.nd.h).px;
  flt.psi = flt.magpsi = 90.0f;
  update_panel();
  EXPECT_EQ(gl_read(lay.nd.x, lay.nd.y, lay.nd.w, lay.nd.h).px, nd);
  rel.efis_1 = 0;
  update_panel();
  for (uint32_t c : gl_read(lay.pfd.x, lay.pfd.y, lay.pfd.w, lay.pfd.h).px) ASSERT_EQ(c, 0u);
}

TEST_F(PanelGl, EveryShippedAircraftsPanelStaysBelowTheViewAndIsFilled) {
  for (const char* file : shipped_aircraft) {
    ASSERT_TRUE(read_shipped_panel(file)) << file;
    gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
    flt.vind = 110.0f;
    flt.h_ind = 2500.0f * con.fttomtrs;
    flt.the180 = 5.0f;
    flt.phi180 = -20.0f;
    for (int e = 0; e < MAX_ENGINES; e++) flt.tac[e] = 0.8f * pln.omegamax;
    ins.tickle_all = 1;
    update_panel();
    // Nothing is drawn into the view above the panel; the panel is drawn all over.
    for (uint32_t c : gl_read(0, PANEL_H, GL_MAIN_W, GL_MAIN_H - PANEL_H).px)
      ASSERT_EQ(c, 0u) << file;
    const picture panel = gl_read(0, 0, PANEL_W, PANEL_H);
    std::set<uint32_t> colours(panel.px.begin(), panel.px.end());
    EXPECT_GE(colours.size(), 12u) << file;
    uint32_t strip = gl_pixel(PANEL_W / 2, PANEL_H - 2);  // the panel's own grey, 0.3
    EXPECT_TRUE((strip >> 16) == (strip & 255) && std::abs(static_cast<int>(strip & 255) - 77) <= 2)
        << file << std::hex << strip;
    if (const char* dir = std::getenv("PANEL_GL_DUMP"))
      save_picture(panel, std::string(dir) + "/" + file + ".ppm");
  }
}

}  // namespace
