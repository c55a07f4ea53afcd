// The panel's update as a whole: whatever the records hold it draws to the end without a pixel
// computed from nonsense (the sanitizer build shows an out-of-range conversion) and still answers
// the pilot; the turn coordinator's ball and the DME.
#include "panel_fixture.h"

#include <cmath>
#include <limits>

#include "weather/weather.h"

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
  const lever_slot* thr = slot_of(LEVER_THROTTLE);
  ASSERT_NE(thr, nullptr);
  manage_das(0, thr->r.x + thr->r.w / 2, thr->r.y + thr->r.h - 14);
  EXPECT_EQ(flt.throrequest[0], 1.0f);
  // So does a knob whose setting was lost: it starts again from the standard setting.
  ins.baro = nan;
  step_baro(1);
  EXPECT_NEAR(ins.baro, 29.93f, 1e-4f);
  EXPECT_EQ(sane(nan, 5.0f), 0.0f);
  EXPECT_EQ(sane(-huge, 5.0f), -5.0f);
}

// The ball follows the apparent vertical, not the airflow: centred in a side wind and in a
// balanced turn, to the low wing on a slope.
TEST_F(PanelUpdate, TheBallLiesAlongTheApparentVertical) {
  const int tsi = slot_of_instrument(INS_TSI);
  ASSERT_GT(tsi, 0);
  atm.g = 9.81f;
  auto ball = [&](float bank, float east_accel) {
    flt.sinphi = std::sin(bank * con.degtorad), flt.cosphi = std::cos(bank * con.degtorad);
    flt.sinthe = 0.0f, flt.costhe = 1.0f, flt.sinpsi = 0.0f, flt.cospsi = 1.0f;  // north
    flt.aX = east_accel, flt.aY = flt.aZ = 0.0f;
    ins.tickle_all = 1;
    update_panel();
    return slot_shown[tsi].v[1];
  };
  flt.Beta = 90.0f;  // the wind straight from the right
  EXPECT_NEAR(ball(0.0f, 0.0f), 0.0f, 1e-4f);
  EXPECT_NEAR(ball(4.0f, 0.0f), 8.0f, 0.01f);  // right wing low
  EXPECT_NEAR(ball(30.0f, atm.g * std::tan(30.0f * con.degtorad)), 0.0f, 1e-3f);
  EXPECT_NEAR(ball(0.0f, 0.1f * atm.g), -2.0f * std::atan(0.1f) * con.radtodeg, 0.01f);
}

// The DME reads the distance along the line to the station: overhead, the height above it. Behind
// a localizer nothing is measured, and the glide slope shows its flag rather than a centred needle.
TEST_F(PanelUpdate, DmeReadsTheSlantDistanceAndTheGlideSlopeFlagsBehindTheLocalizer) {
  nav.dmesel = 1, nav.goodnav[1] = 1;
  nav.vorX[1] = 1000.0f, nav.vorY[1] = 300.0f, nav.vorZ[1] = -2000.0f;
  flt.X = 1000.0, flt.Z = -2000.0, flt.Y = 300.0 + 6.0 * con.nmtomtrs;
  EXPECT_NEAR(dme_nm(), 6.0f, 1e-3f);
  flt.X += 8.0 * con.nmtomtrs;
  EXPECT_NEAR(dme_nm(), 10.0f, 1e-3f);
  nav.goodnav[1] = 0;
  EXPECT_LT(dme_nm(), 0.0f);

  const int cdi = slot_of_instrument(INS_SUPP);
  nav.goodnav[0] = 1, nav.ilsgs[0] = 3;
  for (int ntf : {1, 0}) {
    nav.ntf[0] = ntf, ins.tickle_all = 1;
    update_panel();
    EXPECT_EQ(slot_shown[cdi].v[4], ntf) << "glide slope shown with the flag " << ntf;
  }
}

}  // namespace
