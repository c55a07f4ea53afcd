// The on-screen data list drawn by Mesa into the main window's picture: each row's names, units
// and values where they belong, the right column shifted, absent values and unused rows blank,
// and none of it under the controller's menu.
// The graph window's time axis stays inside its window, and its labels clear of its scales.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "render/ogl.h"
#include "render_gl/gl_harness.h"
#include "shared/shared.h"

namespace {

const uint32_t LIST_GREEN = 0x33FF33;  // palette colour 45

// Pixels of the list's colour in a rectangle.
int green_in(int x, int y, int w, int h) {
  picture p = gl_read(x, y, w, h);
  int n = 0;
  for (uint32_t c : p.px) n += c == LIST_GREEN;
  return n;
}

class AppDataListGl : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(gl_harness_open(&why)) << why;
    reset_world_state();
    init_constants();
    gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
    mnw.dy[0] = GL_MAIN_H;
  }
};

TEST_F(AppDataListGl, RowsStandInTheirColumnsWithNamesUnitsAndValues) {
  flt.vu = 500.0f / con.msctofpm;
  msc.elap_time = 12.0f;
  flt.Q = 888.8f, flt.P = 1.0f;
  set.Brlt[16] = set.Brlt[1] = 1;
  for (int g = 22; g <= 27; g++) set.Brlt[g] = 1;  // rows 2..7
  set_rlt_grf_choices();
  ASSERT_EQ(set.rltsel[0], 1);
  ASSERT_EQ(set.rltsel[7], 27);
  draw_data_list();
  // Row 0, left column: name at y 532, value at 522, unit at 512, first value column x 10..34.
  EXPECT_GT(green_in(10, 532, 24, 7), 20);
  EXPECT_GT(green_in(4, 522, 36, 7), 10);
  EXPECT_GT(green_in(10, 512, 24, 7), 20);
  // Group 1 has one value: the second column stays blank.
  EXPECT_EQ(green_in(40, 512, 90, 27), 0);
  // Row 7 is the third row of the right column, 665 pixels over and 80 down.
  EXPECT_GT(green_in(669, 452, 100, 7), 20);
  EXPECT_GT(green_in(669, 442, 36, 7), 10);
  // Nothing between the two columns, nor below the five rows.
  EXPECT_EQ(green_in(140, 300, 520, 280), 0);
  EXPECT_EQ(green_in(0, 0, 800, 345), 0);
  // A minus in the next column stands before its own digits, off those of the value to its left.
  const int q_cells = green_in(4, 442, 36, 7);
  flt.P = -1.0f;
  gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
  draw_data_list();
  EXPECT_EQ(green_in(4, 442, 36, 7), q_cells);
  EXPECT_GT(green_in(46, 442, 5, 7), 0);
  // The controller's menu stands where the left column does: while it is up, the list gives way.
  gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
  atc.menu_up = 1;
  draw_data_list();
  EXPECT_EQ(green_in(0, 0, GL_MAIN_W, GL_MAIN_H), 0);
}

// A second's number begins at its grid line, so the chart's ten seconds take ten numbers:
// an eleventh, at the chart's right edge, would be cut off by the window's.
TEST_F(AppDataListGl, GraphTimeAxisNumbersTheTenSecondsOfTheChart) {
  set.Bgrf[9] = 1;  // four values
  set_rlt_grf_choices();
  gl_harness_fresh(25, 620, 420);
  manage_grf(1);
  EXPECT_GT(green_in(GRF_CHART_X, 404, 20, 12), 10);  // "000"
  EXPECT_EQ(green_in(GRF_CHART_X + GRF_COLUMNS + 1, 404, 14, 12), 0);
  // The scale beside the first unit leaves the right stroke of its "M", and the fourth value's
  // read-out the minus of the bottom scale.
  EXPECT_NE(gl_pixel(70, 121), gl_pixel(2, 2));
  const float v[GRF_VALUES] = {1.0f, 2.0f, 3.0f, 4.0f};
  plot_grf_numbers(1, 0, 9, v);
  EXPECT_GT(green_in(70, 45, 5, 7), 0);
  // A chart starting 2.6 s in is not numbered as one starting at 3 s.
  msc.prd = 0.05f;
  for (int i = 0; i < 300; i++) update_graph();
  manage_grf(1);
  grf.lefttime = 2.6f;
  manage_grf(0);
  const std::vector<uint32_t> axis = gl_read(GRF_CHART_X - 13, 404, 40, 10).px;
  grf.lefttime = 3.0f;
  manage_grf(0);
  EXPECT_NE(gl_read(GRF_CHART_X - 13, 404, 40, 10).px, axis);
}

}  // namespace
