// Clicks on the panel reach the records of the control they hit; a held button repeats only
// what may repeat.
#include "panel_fixture.h"

#include "render/ogl.h"

namespace {

class PanelClicks : public PanelTest {
 protected:
  // A click at (x, y), as the press itself (repeat 0) or as the repeat of a held button, one
  // repeat's time (a twentieth of a second) after the last.
  static void click(int x, int y, int repeat = 0) {
    mnw.dragtime = repeat ? fltmax2(mnw.dragtime, 0.5f) + 0.05f : 0.0f;
    manage_das(0, x, y);
  }
  // Clicks near the top (1) or bottom (0) of a lever's travel, or at its middle (0.5).
  static void click_lever(const lever_slot* l, float where) {
    ASSERT_NE(l, nullptr);
    int y = l->r.y + 4 + intround(where * (l->r.h - 20));
    click(l->r.x + l->r.w / 2, y);
  }
};

TEST_F(PanelClicks, LeversMoveTheirRequestsToWhereTheyAreClicked) {
  click_lever(slot_of(LEVER_THROTTLE), 1.0f);
  EXPECT_NEAR(flt.throrequest[0], 1.0f, 0.01f);
  click_lever(slot_of(LEVER_THROTTLE), 0.0f);
  EXPECT_NEAR(flt.throrequest[0], 0.0f, 0.01f);
  click_lever(slot_of(LEVER_PROP), 1.0f);
  EXPECT_NEAR(flt.prop[0], pln.omegamax, 1.0f);
  click_lever(slot_of(LEVER_MIXTURE), 0.5f);
  EXPECT_NEAR(flt.mixt[0], 0.5f, 0.05f);
  // Flaps grow downwards (their detents are the cockpit controls' concern).
  click_lever(slot_of(LEVER_FLAP), 0.0f);
  EXPECT_EQ(flt.flaprequest, 50);
  click_lever(slot_of(LEVER_FLAP), 1.0f);
  EXPECT_EQ(flt.flaprequest, 0);
  // Separate throttles move one engine each.
  pln.numen = 2;
  set.eq_thr = 1;
  panel_layout_now();
  EXPECT_EQ(slot_of(LEVER_THROTTLE), nullptr);
  click_lever(slot_of(LEVER_THROTTLE, 1), 1.0f);
  EXPECT_NEAR(flt.throrequest[1], 1.0f, 0.01f);
  EXPECT_EQ(flt.throrequest[0], 0.0f);
}

TEST_F(PanelClicks, TrimStepsWhileHeldButTheGearHandleFlipsOncePerPress) {
  const lever_slot* trim = slot_of(LEVER_TRIM);
  ASSERT_NE(trim, nullptr);
  int x = trim->r.x + trim->r.w / 2, top = trim->r.y + trim->r.h - 16;
  click(x, top);
  float one = flt.trim;
  EXPECT_GT(one, 0.0f);  // nose up
  click(x, top, 1);
  click(x, top, 1);
  float held = flt.trim;
  EXPECT_GT(held, one);
  click(x, trim->r.y + 4);
  EXPECT_LT(flt.trim, held);
  // A click steps towards itself: above the middle but under a pointer trimmed high, nose down.
  flt.trim = 0.8f * pln.hstbtrimmax;
  click(x, trim->r.y + trim->r.h / 2);
  EXPECT_LT(flt.trim, 0.8f * pln.hstbtrimmax);

  const lever_slot* gear = slot_of(LEVER_GEAR);
  ASSERT_NE(gear, nullptr);
  set.gear_handle = 1;
  click(gear->r.x + gear->r.w / 2, gear->r.y + 20);
  EXPECT_EQ(set.gear_handle, 0);
  click(gear->r.x + gear->r.w / 2, gear->r.y + 20, 1);  // once: twice would flip it back
  EXPECT_EQ(set.gear_handle, 0);
}

TEST_F(PanelClicks, QuadrantShowsOnlyTheLeversTheAircraftHas) {
  EXPECT_NE(slot_of(LEVER_MIXTURE), nullptr);
  EXPECT_EQ(slot_of(LEVER_SBRK), nullptr);
  pln.entype = 3;  // a jet: no propeller or mixture
  pln.retractEQ = 0;
  pln.sbrkEQ = 1;
  panel_layout_now();
  EXPECT_EQ(slot_of(LEVER_PROP), nullptr);
  EXPECT_EQ(slot_of(LEVER_MIXTURE), nullptr);
  EXPECT_EQ(slot_of(LEVER_GEAR), nullptr);
  EXPECT_NE(slot_of(LEVER_SBRK), nullptr);
  // Every slot lies inside the quadrant, side by side.
  for (int i = 0; i < lay.nlevers; i++) {
    EXPECT_TRUE(contains(lay.levers, lay.lever[i].r)) << i;
    EXPECT_GE(lay.lever[i].r.w, 6) << i;
  }
}

TEST_F(PanelClicks, AutopilotButtonsEngageTheirModesAndReadoutsStepTheirTargets) {
  flt.h_ind = 1000.0f;
  // The buttons sit in a row along the top strip, HDG first; their readouts under them.
  int bx = 192 + 27, by = 320, step = 59;
  click(bx + 0 * step, by);
  EXPECT_EQ(ott.HDSLCT, 1);
  click(bx + 1 * step, by);
  EXPECT_EQ(ott.NAV[0], 1);
  click(bx + 3 * step, by);
  EXPECT_EQ(ott.ALHOLD, 1);
  click(bx + 3 * step, by, 1);  // held: no second toggle
  EXPECT_EQ(ott.ALHOLD, 1);
  click(bx + 3 * step, 306);  // upper half of the altitude readout
  EXPECT_NEAR(ott.al_hold, 1000.0f + 100.0f * con.fttomtrs, 0.01f);
  float bug = nav.hdsel;
  click(bx, 296);  // lower half of the heading readout
  EXPECT_NEAR(fltwrap(nav.hdsel - bug, -180.0f, 180.0f), -1.0f, 1e-3f);
}

TEST_F(PanelClicks, RadiosTuneTheDigitsClickedUpperHalfUpLowerHalfDown) {
  nav.nf[0] = 11170, nav.cf[0] = 12100, nav.adff = 210;
  // NAV 1 in the right column, COM 1 in the left, frequencies 30 pixels after the label.
  click(704 + 30 + 7, 316 + 6);  // NAV 1 megahertz, upper half
  EXPECT_EQ(nav.nf[0], 11270);
  click(610 + 30 + 30, 316 - 2);  // COM 1 fraction, lower half: the hundredths wrap alone
  EXPECT_EQ(nav.cf[0], 12195);
  click(610 + 30 + 6 + 2, 280 + 6);  // ADF tens digit, upper half
  EXPECT_EQ(nav.adff, 220);
  click(620, 262);  // audio selector: NAV 1
  EXPECT_EQ(nav.radout, 0);
  // The second clock's name swaps UTC for the timer; its digits start, stop, then zero it.
  click(704 + 30 + 10, 244 + 4);
  EXPECT_EQ(msc.timer_running, 0);  // UTC has no button
  click(704 + 6, 244 + 4);
  EXPECT_EQ(ins.clock_et, 1);
  click(704 + 30 + 10, 244 + 4);
  EXPECT_EQ(msc.timer_running, 1);
  msc.timr_time = 65.0f;
  click(704 + 30 + 10, 244 + 4);
  EXPECT_EQ(std::make_pair(msc.timer_running, msc.timr_time), std::make_pair(0, 65.0f));
  click(704 + 30 + 10, 244 + 4);
  EXPECT_EQ(std::make_pair(msc.timer_running, msc.timr_time), std::make_pair(0, 0.0f));
}

TEST_F(PanelClicks, KnobsSetTheAltimeterTheDecisionHeightAndTheCourses) {
  int alt = 3;  // the test aircraft's altimeter location
  ASSERT_EQ(lay.ins[alt], INS_ALT);
  int kx = lay.cx[alt] - lay.rad[alt], ky = lay.cy[alt] - lay.rad[alt] + 8;
  click(kx + 14, ky);  // right half: up
  EXPECT_NEAR(ins.baro, 29.93f, 1e-4f);
  click(kx + 2, ky, 1);
  click(kx + 2, ky, 1);
  EXPECT_NEAR(ins.baro, 29.91f, 1e-4f);
  // Held on a fast machine, a thousand passes a second, it steps twenty times a second.
  click(kx + 14, ky);
  for (int pass = 1; pass <= 90; pass++) {
    mnw.dragtime = 0.5f + 0.001f * pass;
    manage_das(0, kx + 14, ky);
  }
  EXPECT_NEAR(ins.baro, 29.94f, 1e-4f);
  int ra = SLOT_RADALT;
  click(lay.cx[ra] - lay.rad[ra] + 14, lay.cy[ra] - lay.rad[ra] + 8);
  EXPECT_FLOAT_EQ(ins.radalt_ft, 10.0f);
  click(lay.cx[SLOT_NAV2] - lay.rad[SLOT_NAV2] + 14, lay.cy[SLOT_NAV2] - lay.rad[SLOT_NAV2] + 8);
  EXPECT_FLOAT_EQ(nav.obs[1], 1.0f);
  // A GPS in the supplementary location locks its course from anywhere on its LCK button, and
  // steps to the region's next airport, east of the aircraft, on the right of its -+ button.
  pln.supptype = 2;
  panel_layout_now();
  click(lay.cx[4] + lay.rad[4] - 22, lay.cy[4] - lay.rad[4] + 6);
  EXPECT_EQ(ins.lock_GPS, 0);
  env.aptmax = env.apt_list_max = 1, apt_to_index[1] = 1, apt_lon[1][0] = 0.1f;
  click(lay.cx[4] - lay.rad[4] + 15, lay.cy[4] - lay.rad[4] + 6);
  EXPECT_EQ(nav.gps_index, 1);
  EXPECT_FLOAT_EQ(nav.gps_lock_crs, 90.0f);
  click(192 + 59 + 27, 306);  // NAV 1's readout, now the GPS course, turns no OBS
  EXPECT_EQ(nav.obs[0], 0.0f);
}

// A click as the window system gives it: at the window pixel in the middle of what was drawn at
// (x, y), counted down from the top, taken back through the platform's mapping.
static void click_in_window(int x, int y) {
  const float s = mnw.scale[0];
  const int px = (OGL_pixel_edge(s, mnw.ox[0], x) + OGL_pixel_edge(s, mnw.ox[0], x + 1)) / 2;
  const int py = (OGL_pixel_edge(s, mnw.oy[0], y) + OGL_pixel_edge(s, mnw.oy[0], y + 1)) / 2;
  macibm_event_mouse_move(0, px, mnw.wdy[0] - 1 - py);
  mnw.dragtime = 0.0f;
  manage_das(0, mnw.mx, mnw.my);
}

TEST_F(PanelClicks, AKnobOrLeverClickedInAWindowOfAnySizeMovesTheSameControl) {
  const int alt = 3;
  ASSERT_EQ(lay.ins[alt], INS_ALT);
  const int kx = lay.cx[alt] - lay.rad[alt] + 14, ky = lay.cy[alt] - lay.rad[alt] + 8;
  const lever_slot* thr = slot_of(LEVER_THROTTLE);
  ASSERT_NE(thr, nullptr);
  set_win_params(0, "Kestrix", 800, 580);
  struct size {
    int w, h, ui_scale;
  } sizes[] = {{800, 580, 0}, {1920, 1055, 0}, {1920, 1055, 100}, {3840, 2135, 0}, {1024, 1400, 0}};
  for (const size& z : sizes) {
    MACIBM_set_ui_scale(z.ui_scale);
    macibm_event_resize(0, z.w, z.h);
    ins.baro = 29.92f;
    click_in_window(kx, ky);
    EXPECT_NEAR(ins.baro, 29.93f, 1e-4f) << z.w << "x" << z.h << " at " << z.ui_scale;
    flt.throrequest[0] = 0.0f;
    click_in_window(thr->r.x + thr->r.w / 2, thr->r.y + thr->r.h - 16);
    EXPECT_NEAR(flt.throrequest[0], 1.0f, 0.01f) << z.w << "x" << z.h << " at " << z.ui_scale;
  }
}

TEST_F(PanelClicks, EquipmentSwitchesAppearForWhatIsFittedAndTheRocketsOnlyLight) {
  pln.chuteEQ = pln.jatoEQ = 1;
  panel_layout_now();
  int y = lay.switches.y + lay.switches.h / 2, x0 = lay.switches.x + 13;
  click(x0, y);  // the first fitted switch: the drag chute
  EXPECT_EQ(ins.chute_on, 1);
  EXPECT_EQ(ins.antiice_on, 0);
  click(x0 + 27, y);  // the rockets, with none left to burn
  EXPECT_EQ(ins.jato_on, 0);
  flt.jatoleft = 3.0f;
  click(x0 + 27, y);
  click(x0 + 27, y);  // a second press does not put them out
  EXPECT_EQ(ins.jato_on, 1);
  click(x0, y);
  EXPECT_EQ(ins.chute_on, 0);
}

TEST_F(PanelClicks, ClicksOutsideThePanelInFullScreenOrHeldOntoAnotherControlDoNothing) {
  const lever_slot* thr = slot_of(LEVER_THROTTLE);
  ASSERT_NE(thr, nullptr);
  set.view_is_fullscreen = 1;
  click_lever(thr, 1.0f);
  EXPECT_EQ(flt.throrequest[0], 0.0f);
  set.view_is_fullscreen = 0;
  click(thr->r.x + 2, PANEL_H + 10);
  EXPECT_EQ(flt.throrequest[0], 0.0f);
  // A held button repeats only the control it went down on: held from above the panel down onto
  // the throttle, or from the throttle astray onto the propeller lever beside it, it moves neither.
  const lever_slot* prop = slot_of(LEVER_PROP);
  ASSERT_NE(prop, nullptr);
  const int top = thr->r.y + thr->r.h - 16;
  click(thr->r.x + thr->r.w / 2, top, 1);
  EXPECT_EQ(flt.throrequest[0], 0.0f);
  flt.prop[0] = pln.omegamin;
  click(thr->r.x + thr->r.w / 2, thr->r.y + 4);
  click(prop->r.x + prop->r.w / 2, top, 1);
  EXPECT_EQ(flt.prop[0], pln.omegamin);
}

TEST_F(PanelClicks, GlassPanelRangesItsNavigationDisplayAndPagesItsEcam) {
  pln.paneltype = 2, pln.ecam = 1, ins.map_range = 30, ins.ecam_mode = 3;
  panel_layout_now();
  ASSERT_TRUE(lay.glass);
  click(lay.nd.x + 20, lay.nd.y + lay.nd.h - 20);
  EXPECT_EQ(ins.map_range, 60);
  click(lay.nd.x + 20, lay.nd.y + 20);
  click(lay.nd.x + 20, lay.nd.y + 20);
  EXPECT_EQ(ins.map_range, 15);
  click(lay.engines.x + 20, lay.engines.y + 20);
  EXPECT_EQ(ins.ecam_mode, 7);
}

}  // namespace
