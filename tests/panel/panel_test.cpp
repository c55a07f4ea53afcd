// The panel's update as a whole: whatever the records hold (a flight model gone wild, a scale
// out of reach) it draws to the end without a pixel computed from nonsense, and still answers the
// pilot. The sanitizer build is where an out-of-range conversion here would show.
#include "panel_fixture.h"

#include <limits>

namespace {

using PanelUpdate = PanelTest;

TEST_F(PanelUpdate, RecordsGoneWildDrawToTheEndAndTheLeversStillAnswer) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float huge = 3.0e38f;
  for (int glass = 0; glass <= 1; glass++) {
    for (float bad : {nan, huge, -huge}) {
      pln.paneltype = glass ? 2 : 1;
      pln.ecam = glass, pln.Vmax = huge;
      flt.vind = flt.h_ind = flt.the180 = flt.phi180 = flt.magpsi = flt.psi = bad;
      flt.vu = flt.psidot = flt.Beta = flt.Y = flt.X = flt.Z = bad;
      flt.tac[0] = flt.mpr[0] = flt.ff_[0] = flt.egt[0] = flt.m_fuel = bad;
      flt.throrequest[0] = flt.trim = bad;
      nav.hdef[0] = nav.vdef[1] = nav.obs[0] = nav.gps_dis = nav.gps_crs = bad;
      nav.goodnav[0] = nav.goodnav[1] = nav.goodnav[4] = 1, nav.adfX = nav.vorX[1] = bad;
      ott.al_hold = ott.vv_hold = ott.as_hold = bad, ins.baro = ins.radalt_ft = bad;
      ins.tickle_all = 1;
      update_panel();
      EXPECT_EQ(ins.tickle_all, 0) << "the full redraw did not finish";
      update_panel();
      for (int x = 0; x < PANEL_W; x += 7)
        for (int y = 0; y < PANEL_H; y += 7) manage_das(0, x, y);
    }
  }
  // A click on the throttle's top still sets full throttle, whatever the lever showed before.
  pln.paneltype = 1;
  panel_layout_now();
  for (int i = 0; i < lay.nlevers; i++) {
    if (lay.lever[i].lever != LEVER_THROTTLE) continue;
    const panel_rect& r = lay.lever[i].r;
    manage_das(0, r.x + r.w / 2, r.y + r.h - 14);
  }
  EXPECT_EQ(flt.throrequest[0], 1.0f);
  // So does a knob whose setting was lost: it starts again from the standard setting.
  ins.baro = nan;
  step_baro(1);
  EXPECT_NEAR(ins.baro, 29.93f, 1e-4f);
  EXPECT_EQ(sane(nan, 5.0f), 0.0f);
  EXPECT_EQ(sane(-huge, 5.0f), -5.0f);
}

}  // namespace
