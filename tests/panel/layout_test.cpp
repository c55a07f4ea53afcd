// The panel's layout: every part in a place of its own inside the panel for every shipped
// aircraft, the attitude indicator's scan lines, and the ends of a compressed scale.
#include "panel_fixture.h"

namespace {

using PanelLayout = PanelTest;

bool overlaps(const panel_rect& a, const panel_rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The square a slot's instrument covers, its case included.
panel_rect slot_square(int slot) {
  int half = lay.rad[slot] + 2;
  return {lay.cx[slot] - half, lay.cy[slot] - half, 2 * half + 1, 2 * half + 1};
}

// Every part of the panel as rectangles that must not overlap one another.
std::vector<panel_rect> parts() {
  std::vector<panel_rect> p = {lay.strip, lay.radios, lay.engines, lay.switches, lay.levers};
  if (lay.glass) p.push_back(lay.pfd), p.push_back(lay.nd);
  for (int slot = 1; slot < PANEL_SLOTS; slot++)
    if (lay.rad[slot] > 0) p.push_back(slot_square(slot));
  return p;
}

void check_layout(const std::string& what) {
  std::vector<panel_rect> p = parts();
  for (size_t i = 0; i < p.size(); i++) {
    EXPECT_TRUE(contains({0, 0, PANEL_W, PANEL_H}, p[i])) << what << " part " << i;
    for (size_t j = i + 1; j < p.size(); j++)
      EXPECT_FALSE(overlaps(p[i], p[j])) << what << " parts " << i << " and " << j;
  }
  for (int i = 0; i < lay.nlevers; i++)
    EXPECT_TRUE(contains(lay.levers, lay.lever[i].r)) << what << " lever " << i;
  int half = pln.gsw / 2 + 2;
  for (int x : {pln.gsx1, pln.gsx2})
    for (int y : {pln.gsy1, pln.gsyc, pln.gsy2})
      EXPECT_TRUE(contains(lay.engines, {x - half, y - half, 2 * half + 1, 2 * half + 1}))
          << what << " engine dial at " << x << "," << y;
}

TEST_F(PanelLayout, EveryShippedAircraftGetsAPanelWhosePartsDoNotOverlap) {
  for (const char* file : shipped_aircraft) {
    ASSERT_TRUE(read_shipped_panel(file)) << file;
    panel_layout_now();
    check_layout(file);
    if (pln.paneltype != 2) {
      for (int loc = 1; loc < PANEL_LOCS; loc++)
        EXPECT_EQ(lay.ins[loc], pln.ins_of_loc[loc]) << file << " location " << loc;
    }
  }
  // The widest arrangement the loader allows: three wide instruments and a narrow one a row.
  reset_pln();
  make_test_aircraft();
  const int codes[PANEL_LOCS] = {0, 1, 2, 3, 8, 5, 6, 7, 4};
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = codes[loc];
  layout_panel_locations();
  pln.numen = 4, set.eq_thr = 1, pln.slatEQ = pln.sbrkEQ = pln.vectEQ = 1, pln.varsweepEQ[4] = 1;
  panel_layout_now();
  check_layout("widest");
}

TEST_F(PanelLayout, AttitudeScanLinesTraceTheRingAndTheBallInsideIt) {
  set_panel_geometry();
  int r = pln.ah_semidim_int;
  ASSERT_LE(pln.ah_dim_int, AH_LINES);
  for (int j = pln.ah_top_roll; j <= pln.ah_bot_roll; j++) {
    int y = r - j;
    EXPECT_EQ(pln.ahx1_roll[j], -pln.ahx2_roll[j]) << j;
    EXPECT_LE(pln.ahx2_roll[j] * pln.ahx2_roll[j] + y * y, r * r) << j;
    EXPECT_GT((pln.ahx2_roll[j] + 1) * (pln.ahx2_roll[j] + 1) + y * y, r * r) << j;
  }
  int ball = pln.ah_bot_prim - r;
  EXPECT_EQ(pln.ah_top_prim, r - ball);
  for (int j = 0; j < pln.ah_dim_int; j++) {
    if (j < pln.ah_top_prim || j > pln.ah_bot_prim) continue;  // outside the ball
    EXPECT_LT(pln.ahx2_prim[j], pln.ahx2_roll[j]) << j;
    EXPECT_LE(pln.ahx2_prim[j] * pln.ahx2_prim[j] + (r - j) * (r - j), ball * ball) << j;
  }
}

TEST_F(PanelLayout, CompressedScaleSpreadsLowValuesAndStopsJustPastItsEnds) {
  dial_scale d = {0, 0, 60, 60.0f, 600.0f, 20.0f, 340.0f, 0.3f};
  EXPECT_NEAR(scale_angle(d, 60.0f), 20.0f, 1e-3f);
  EXPECT_NEAR(scale_angle(d, 600.0f), 340.0f, 1e-3f);
  float low = scale_angle(d, 110.0f) - scale_angle(d, 60.0f);
  float high = scale_angle(d, 600.0f) - scale_angle(d, 550.0f);
  EXPECT_GT(low, 3.0f * high);
  // A needle off the scale rests against a stop a little beyond either end, never across it.
  EXPECT_LT(scale_angle(d, 0.0f), 20.0f);
  EXPECT_GT(scale_angle(d, 0.0f), 0.0f);
  EXPECT_GT(scale_angle(d, 5000.0f), 340.0f);
  EXPECT_LT(scale_angle(d, 5000.0f), 360.0f);
  d.pwr = 1.0f, d.lo = -2000.0f, d.hi = 2000.0f;
  EXPECT_NEAR(scale_angle(d, 0.0f), 180.0f, 1e-3f);
  // A jet whose redline lies beyond the compressed scale's usual top reads up to it.
  pln.AStype = 2, pln.Vne = 750.0f, flt.vind = 740.0f;
  finish_readin2();
  update_panel();
  EXPECT_LT(slot_shown[slot_of_instrument(INS_ASI)].v[0], 340.0f);
}

}  // namespace
