// The design aids: the propeller designer and its refusals, the instrument picker, the airfoil
// thickness, the body smoothing, and the paint kit.
#include "editor/editor_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const float M_TO_FT = 1.0f / 0.3048f;

float deg(float rad) { return rad * 57.2957795f; }

// A 2 m propeller designed for 60 inches of advance per revolution at 2000 rpm.
void two_metre_prop(int varpitch) {
  pln.is_heli = 0;
  pln.varpitchEQ = varpitch;
  pln.semilen[0] = 2.0f * M_TO_FT;
  pln.des_adv[0] = 60.0f;
  pln.des_rpm[0] = 2000.0f;
  pln.des_vel[0] = 0.0f;
}

}  // namespace

TEST_F(EditorTest, PropellerByAdvanceTwistsTheBladesAndFindsTheDesignSpeed) {
  two_metre_prop(0);
  pln.els[0] = 3;
  ASSERT_EQ(design_prop(0, DESIGN_BY_ADVANCE), 1);
  EXPECT_EQ(pln.els[0], 8);
  const float outer = deg(std::atan(1.524f / (2.0f * 3.14159265f * 1.875f)));
  EXPECT_NEAR(pln.anginc[0][7], outer, 1e-3f);
  // 60 inches a turn at 2000 rpm is 1.524 * 2000 / 60 m/s.
  EXPECT_NEAR(pln.des_vel[0], 1.524f * 2000.0f / 60.0f / 0.51444f, 0.01f);

  // Designing by that speed gives the same blades and the same advance back.
  float by_advance[MAX_ELS];
  for (int e = 0; e < MAX_ELS; e++) by_advance[e] = pln.anginc[0][e];
  pln.des_adv[0] = 0.0f;
  ASSERT_EQ(design_prop(0, DESIGN_BY_SPEED), 1);
  EXPECT_NEAR(pln.des_adv[0], 60.0f, 0.01f);
  for (int e = 0; e < MAX_ELS; e++) EXPECT_NEAR(pln.anginc[0][e], by_advance[e], 1e-3f) << e;

  // With a variable-pitch hub the twist is relative to the tip, and the pitch opens to the tip
  // angle and ten degrees more.
  two_metre_prop(1);
  ASSERT_EQ(design_prop(0, DESIGN_BY_ADVANCE), 1);
  const float tip = deg(std::atan(1.524f / (2.0f * 3.14159265f * 2.0f)));
  EXPECT_NEAR(pln.anginc[0][7], outer - tip, 1e-3f);
  EXPECT_EQ(pln.minpitch[0], 0.0f);
  EXPECT_NEAR(pln.maxpitch[0], tip + 10.0f, 1e-3f);
}

TEST_F(EditorTest, PropellerWithoutLengthOrRpmIsRefusedAndLeftAlone) {
  const struct {
    float radius_ft, rpm;
  } refused[] = {{0.0f, 2000.0f}, {-3.0f, 2000.0f}, {6.0f, 0.0f}, {6.0f, -50.0f}, {NAN, 2000.0f}};
  for (const auto& c : refused) {
    for (int mode : {DESIGN_BY_ADVANCE, DESIGN_BY_SPEED}) {
      pln.semilen[1] = c.radius_ft, pln.des_rpm[1] = c.rpm;
      pln.des_adv[1] = 60.0f, pln.des_vel[1] = 100.0f;
      pln.els[1] = 3;
      pln.anginc[1][0] = 9.0f;
      macibm_clear_alert_log();
      const planestruct before = pln;
      EXPECT_EQ(design_prop(1, mode), 0) << c.radius_ft << " " << c.rpm;
      EXPECT_EQ(macibm_alert_log().size(), 1u);
      EXPECT_EQ(std::memcmp(&before, &pln, sizeof pln), 0);  // the record is left as it was
    }
  }
  EXPECT_EQ(design_prop(4, DESIGN_BY_ADVANCE), 0);  // a wing is no propeller
}

TEST_F(EditorTest, PickerPutsEachInstrumentInOneLocationAndIgnoresOthers) {
  const int x = 40, y = 300;
  auto click = [&](int loc, int v) {
    mnw.mx = x + 50;
    mnw.my = y - PICKER_STEP * v + 3;
    fiddle_ins_loc(loc, x, y, 0);
  };
  ASSERT_EQ(pln.ins_of_loc[3], 3);  // the altimeter
  click(5, 3);
  EXPECT_EQ(pln.ins_of_loc[5], 3);
  EXPECT_EQ(pln.ins_of_loc[3], 0);
  // "None" may fill any number of locations.
  click(6, 0);
  click(7, 0);
  for (int loc : {3, 6, 7}) EXPECT_EQ(pln.ins_of_loc[loc], 0) << loc;
  // Drawing only, a click beside the list, and locations outside 1..8 change nothing.
  int before[PANEL_LOCS];
  std::copy(pln.ins_of_loc, pln.ins_of_loc + PANEL_LOCS, before);
  mnw.mx = x + 50, mnw.my = y - PICKER_STEP * 2 + 3;
  fiddle_ins_loc(1, x, y, 1);
  mnw.mx = x + PICKER_WIDTH + 5;
  fiddle_ins_loc(1, x, y, 0);
  for (int loc : {-1, 0, 9, 1000}) click(loc, 2);
  EXPECT_TRUE(std::equal(before, before + PANEL_LOCS, pln.ins_of_loc));
}

TEST_F(EditorTest, FoilThicknessComesOnlyFromAnAirfoilFile) {
  const std::string foils = std::string(KESTRIX_RUNTIME_DIR) + "/airfoils/";
  assign_foil_thickness((foils + "NACA 0009 (symmetrical).afl").c_str(), 9);
  EXPECT_NEAR(pln.trat[9], 0.09f, 1e-4f);
  EXPECT_TRUE(macibm_alert_log().empty());

  // Not an airfoil (no 1234 on its third line), no file, and a file of the wrong version: no
  // thickness, and never the end of the editor.
  std::string afl = read_file(foils + "NACA 0009 (symmetrical).afl");
  write_file("flap.afl", std::string(afl).replace(afl.find("1234"), 4, "2345"));
  write_file("old.afl", "I\n300 version\n1234\nX 0.2\n");
  const struct {
    const char* path;
    const char* notice;
  } cases[] = {{"flap.afl", "You didn't select a foil!"},
               {"none.afl", nullptr},
               {"old.afl", "The following file is the wrong version for this version of Kestrix:"}};
  for (const auto& c : cases) {
    pln.trat[9] = 0.5f;
    macibm_clear_alert_log();
    assign_foil_thickness(c.path, 9);
    EXPECT_EQ(pln.trat[9], 0.0f) << c.path;
    EXPECT_EQ(last_alert().line[0], c.notice ? c.notice : "") << c.path;
    EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind));
  }
}

TEST_F(EditorTest, SmoothingKeepsTheMeanRadiusAndTheEndSections) {
  const int b = PART_FUSELAGE, n = 9, m = BODY_POINTS;
  // A lumpy body: every point's distance from the axis varies.
  for (int j = 0; j < n; j++)
    for (int k = 0; k < m; k++) {
      const float a = 6.2831853f * k / m, r = 2.0f + 0.6f * std::sin(3.0f * j + 2.0f * k);
      pln.body_X[b][j][k] = r * std::sin(a);
      pln.body_Y[b][j][k] = 1.0f + r * std::cos(a);
      pln.body_Z[b][j][k] = 3.0f * j + 0.4f * std::cos(1.0f * k);
    }
  const planestruct before = pln;
  const float r0 = ret_ave_rad(b, n, m);
  smoothit(b, n, m);
  EXPECT_NEAR(ret_ave_rad(b, n, m), r0, 1e-4f);
  for (int j : {0, n - 1})
    for (int k = 0; k < m; k++) {
      EXPECT_EQ(pln.body_X[b][j][k], before.body_X[b][j][k]);
      EXPECT_EQ(pln.body_Y[b][j][k], before.body_Y[b][j][k]);
    }
  // The inner sections are rounder than before: their radii spread less.
  auto spread = [&](const planestruct& s) {
    float lo = 1e9f, hi = 0.0f;
    for (int k = 0; k < m; k++) {
      const float r = pythag(s.body_X[b][4][k], s.body_Y[b][4][k] - 1.0f);
      lo = fltmin2(lo, r), hi = fltmax2(hi, r);
    }
    return hi - lo;
  };
  EXPECT_LT(spread(pln), spread(before));

  // A body of no size stays as it is, without a division by nothing; two stations are no body.
  for (auto* a : {pln.body_X[13], pln.body_Y[13], pln.body_Z[13]}) std::fill_n(a[0], n * m, 0.0f);
  smoothit(13, n, m);
  smoothit(b, 2, m);
  for (int k = 0; k < m; k++) EXPECT_EQ(pln.body_X[13][4][k], 0.0f);
  EXPECT_EQ(ret_ave_rad(b, 2, m), 0.0f);
}

TEST_F(EditorTest, PaintKitWritesAnOutlineBitmapForEachPartBesideTheFile) {
  open(copy_sample("Light Twin.acf"));
  macibm_clear_alert_log();
  // Wings 1, stabilizer, fin, fuselage and nacelles; no second wing and no floats.
  EXPECT_EQ(make_paint_kit(), 5);
  EXPECT_EQ(macibm_alert_log().front().line[0].rfind("I shall now create a bitmap called", 0), 0u);
  for (const char* f :
       {"start wng1.bmp", "start hstb.bmp", "start vstb.bmp", "start fuse.bmp", "start nace.bmp"}) {
    const std::string bmp = read_file(f);
    ASSERT_EQ(bmp.size(), 54u + 256u * 256u * 3u) << f;
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp[28], 24);                                                 // bits per pixel
    EXPECT_NE(bmp.find(std::string(3, '\0'), 54), std::string::npos) << f;  // outline drawn
  }
  EXPECT_FALSE(std::filesystem::exists("start wng2.bmp"));
  EXPECT_FALSE(std::filesystem::exists("start misc.bmp"));
}
