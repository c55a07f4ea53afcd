// The 2-D primitives in window pixels: lines, rectangles, circles, ring sectors and the start-up
// progress bar.
//
// Every line runs between pixel centres, from its lower end: GL then draws the first pixel and
// leaves out the last, and nothing lies on the boundary between two pixels, where rasterisers
// disagree (lines from pixel edge to pixel edge gain or lose a pixel from one row to the next).
// A row of pixels x1..x2 is therefore the line from the centre of x1 to the centre of x2 + 1.
// Drawing every line from its lower end also gives both argument orders the same pixels, so a
// line can be erased by drawing it again in the background colour.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <cmath>
#include <cstdlib>

#include "app/macibm.h"
#include "shared/shared.h"

enum { BATCH_VERTICES = 4096 };  // an even number: lines are pairs
static float batch[BATCH_VERTICES * 2];
static int batch_n;

static void flush_lines() {
  if (batch_n > 0) ogl_be_draw2d(OGL_PRIM_LINES, batch, batch_n, 1.0f);
  batch_n = 0;
}

static void add_line(float x1, float y1, float x2, float y2) {
  if (batch_n + 2 > BATCH_VERTICES) flush_lines();
  float* v = batch + 2 * batch_n;
  v[0] = x1;
  v[1] = y1;
  v[2] = x2;
  v[3] = y2;
  batch_n += 2;
}

// Pixels x1..x2 (inclusive) of one row.
static void add_row(int x1, int x2, int row) {
  add_line(x1 + 0.5f, row + 0.5f, x2 + 1.5f, row + 0.5f);
}

// Pixels y1..y2 (inclusive) of one column.
static void add_column(int col, int y1, int y2) {
  add_line(col + 0.5f, y1 + 0.5f, col + 0.5f, y2 + 1.5f);
}

void OGL_line(int c, int x1, int y1, int x2, int y2) {
  OGL_setcolor(c);
  long long dx = (long long)x2 - x1, dy = (long long)y2 - y1;
  bool x_major = std::llabs(dx) >= std::llabs(dy);
  if (x_major ? dx < 0 : dy < 0) {
    int_switch(&x1, &x2);
    int_switch(&y1, &y2);
  }
  add_line(x1 + 0.5f, y1 + 0.5f, x2 + 0.5f, y2 + 0.5f);
  flush_lines();
  ogl_touched(intmin2(x1, x2), intmin2(y1, y2), (int)std::llabs(dx) + 1, (int)std::llabs(dy) + 1);
}

void OGL_fillrect(int c, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  OGL_setcolor(c);
  for (int row = y; row < y + h; row++) add_row(x, x + w - 1, row);
  flush_lines();
  ogl_touched(x, y, w, h);
}

void OGL_framerect(int c, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  OGL_setcolor(c);
  // Each border pixel is covered once: full bottom and top rows, the columns between them.
  add_row(x, x + w - 1, y);
  if (h > 1) add_row(x, x + w - 1, y + h - 1);
  if (h > 2) {
    add_column(x, y + 1, y + h - 2);
    if (w > 1) add_column(x + w - 1, y + 1, y + h - 2);
  }
  flush_lines();
  ogl_touched(x, y, w, h);
}

int ogl_circle_half_width(int r, int j) {
  if (r < 0 || std::abs(j) > r) return -1;
  float w = (float)r * r - (float)j * j;
  return (int)std::sqrt(w);
}

void OGL_fillcircle(int c, int x, int y, int r) {
  if (r < 0) return;
  OGL_setcolor(c);
  for (int j = -r; j <= r; j++) {
    int hw = ogl_circle_half_width(r, j);
    add_row(x - hw, x + hw, y + j);
  }
  flush_lines();
  ogl_touched(x - r, y - r, 2 * r + 1, 2 * r + 1);
}

void OGL_framecircle(int c, int x, int y, int r) {
  if (r < 0) return;
  OGL_setcolor(c);
  for (int j = -r; j <= r; j++) {
    // The outline of a row runs in from its own edge to just outside the narrower neighbouring
    // row, so that steep parts of the circle stay joined.
    int hw = ogl_circle_half_width(r, j);
    int hn = intmin2(ogl_circle_half_width(r, j - 1), ogl_circle_half_width(r, j + 1));
    int inner = intmin2(hn + 1, hw);
    add_row(x + inner, x + hw, y + j);
    add_row(x - hw, x - inner, y + j);
  }
  flush_lines();
  ogl_touched(x - r, y - r, 2 * r + 1, 2 * r + 1);
}

// The table index of a whole-degree angle of any sign.
static int wrap_degrees(long long a) { return (int)(((a % 360) + 360) % 360); }

int ogl_arc_vertices(int x, int y, float r, int a1, int a2, float* xy) {
  if (a2 < a1) return 0;
  // More than a full turn would only retrace it.
  long long span = (long long)a2 - a1;
  if (span > 360) span = 360;
  int first = wrap_degrees(a1);
  for (int k = 0; k <= span; k++) {
    int a = (first + k) % 360;
    xy[2 * k] = x + 0.5f + r * lookup_sin[a];
    xy[2 * k + 1] = y + 0.5f + r * lookup_cos[a];
  }
  return (int)span + 1;
}

void OGL_arc(int c, int x, int y, int r1, int r2, int a1, int a2) {
  static float xy[2 * OGL_ARC_VERTICES];
  if (r2 < r1) int_switch(&r1, &r2);
  int n = ogl_arc_vertices(x, y, (r1 + r2) * 0.5f, a1, a2, xy);
  if (n == 0) return;
  OGL_setcolor(c);
  ogl_be_draw2d(OGL_PRIM_LINE_STRIP, xy, n, (float)(r2 - r1 + 1));
  ogl_touched(x - r2 - 1, y - r2 - 1, 2 * r2 + 3, 2 * r2 + 3);
}

// ---- Start-up progress bar -------------------------------------------------------------------

static int bar_x = OGL_PROGRESS_LEFT;  // right end of the bar so far
static int bar_style = 0;

void ogl_progress_reset() {
  bar_x = OGL_PROGRESS_LEFT;
  bar_style = 0;
}

int ogl_progress_step(int style, int* left) {
  if (style != bar_style) {
    bar_style = style;
    bar_x = OGL_PROGRESS_LEFT;
  }
  if (mnw.ready_to_update) return 0;
  if (bar_x + OGL_PROGRESS_STEP > OGL_PROGRESS_RIGHT) return 0;
  *left = bar_x;
  bar_x += OGL_PROGRESS_STEP;
  return 1;
}

void OGL_show_init(int style) {
  const int bar_color = 36;  // white, unaffected by the scene light
  int left;
  if (!ogl_progress_step(style, &left)) return;
  if (style == 0)
    OGL_fillrect(bar_color, left, OGL_PROGRESS_Y, OGL_PROGRESS_STEP, OGL_PROGRESS_H);
  else
    OGL_framerect(bar_color, left, OGL_PROGRESS_Y, OGL_PROGRESS_STEP, OGL_PROGRESS_H);
  // Start-up runs before the loop, which would otherwise be the first to present.
  OGL_present_changed();
}
