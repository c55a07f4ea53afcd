// The editor's views drawn with the real GL layer into a picture of the main window's size: the
// trainer in every pane, and enlarged in place in a larger window.
#include "render_gl/gl_harness.h"

#include <algorithm>
#include <cstdlib>

#include "app/macibm.h"
#include "editor/editor.h"
#include "render/ogl.h"

namespace {

// The box around the pixels of pane v that are not its background, inside a margin that leaves
// out the pane's frame and name, in pixels of the window as the drawing's mapping places it.
struct box {
  int x0 = 10000, y0 = 10000, x1 = -1, y1 = -1;
  int red = 0;           // pixels of the surfaces' red
  double yellow_y = 0.0;  // the mean row of the controls' yellow
};

box drawn_in(int v) {
  const ogl_mapping& s = OGL_mapping();
  int x, y, w, h;
  view_pane(v, &x, &y, &w, &h);
  const int m = 16, x0 = OGL_pixel_edge(s.scale, s.ox, x + m),
            y0 = OGL_pixel_edge(s.scale, s.oy, y + m);
  const picture p = gl_read(x0, y0, OGL_pixel_edge(s.scale, s.ox, x + w - m) - x0,
                            OGL_pixel_edge(s.scale, s.oy, y + h - m) - y0);
  const uint32_t bg = p.at(0, 0);
  box b;
  int yellow = 0;
  for (int j = 0; j < p.h; j++)
    for (int i = 0; i < p.w; i++) {
      const uint32_t c = p.at(i, j);
      if (std::abs(red_of(c) - red_of(bg)) + std::abs(green_of(c) - green_of(bg)) +
              std::abs(blue_of(c) - blue_of(bg)) <
          40)
        continue;
      b.x0 = std::min(b.x0, i), b.x1 = std::max(b.x1, i);
      b.y0 = std::min(b.y0, j), b.y1 = std::max(b.y1, j);
      if (red_of(c) > 2 * green_of(c) && red_of(c) > 80) b.red++;
      if (green_of(c) > red_of(c) / 2 && blue_of(c) < green_of(c) / 2) yellow++, b.yellow_y += j;
    }
  b.yellow_y /= std::max(yellow, 1);
  return b;
}

class EditorGl : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(gl_harness_open(&why)) << why;
    init_constants();
    gl_harness_fresh(WIN_MAIN, EDITOR_WINDOW_W, EDITOR_WINDOW_H);
    reset_edt();
    int mirrored = 0;
    ASSERT_EQ(read_aircraft_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf", &mirrored), 1);
  }
};

}  // namespace

TEST_F(EditorGl, EveryPaneShowsTheAircraftAndTheTopViewItsSurfacesInTheirColour) {
  draw_views();
  const box top = drawn_in(VIEW_TOP);
  ASSERT_GT(top.x1, top.x0);
  EXPECT_GT(top.red, 500);  // the wings and tail are there, in their colour
  box at_one[VIEW_PANES];
  for (int v = 0; v < VIEW_PANES; v++) {
    at_one[v] = drawn_in(v);
    EXPECT_GT(at_one[v].x1, at_one[v].x0) << v;
  }
  // A window larger than its drawing shows every pane's picture enlarged in its own place (to a
  // few pixels: thin lines stay one pixel wide).
  gl_harness_fresh(WIN_MAIN, 1400, 900);
  OGL_set_mapping(ogl_mapping{1.5f, 100, 0, EDITOR_WINDOW_W, EDITOR_WINDOW_H, 1400, 900});
  draw_views();
  // The bands beside and above the drawing are painted plain, not left as they were.
  for (const uint32_t c : {gl_pixel(50, 450), gl_pixel(1350, 450), gl_pixel(700, 880)})
    EXPECT_EQ(c, gl_pixel(50, 880));
  EXPECT_GT(red_of(gl_pixel(50, 880)), 100);
  for (int v = 0; v < VIEW_PANES; v++) {
    const box b = drawn_in(v);
    EXPECT_NEAR(b.x0, 1.5f * at_one[v].x0, 6.0f) << v;
    EXPECT_NEAR(b.x1, 1.5f * at_one[v].x1, 6.0f) << v;
    EXPECT_NEAR(b.y0, 1.5f * at_one[v].y0, 6.0f) << v;
    EXPECT_NEAR(b.y1, 1.5f * at_one[v].y1, 6.0f) << v;
  }
  // Ailerons move aft of their hinges, slats along the leading edge: wing 1's ailerons alone, then
  // its slats alone, seen from above with the nose up the pane (rows count up from the bottom).
  double rows[2];
  for (int slats = 0; slats <= 1; slats++) {
    for (int p = PART_WING1_LEFT; p <= PART_VSTAB2; p++)
      for (int e = 0; e < MAX_ELS; e++) {
        for (int c = 0; c < acf_control_line_count; c++) acf_control_lines[c].flags[p][e] = 0;
        (slats ? pln.slat : pln.ailn)[p][e] = p <= PART_WING1_RIGHT;
      }
    draw_views();
    rows[slats] = drawn_in(VIEW_TOP).yellow_y;
  }
  EXPECT_GT(rows[1], rows[0] + 10.0) << rows[0];
}
