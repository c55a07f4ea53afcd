// The 2-D primitives in drawing coordinates, mapped onto window pixels: lines, rectangles,
// circles, ring sectors, the margins beside a drawing, the blocks of enlarged text and the
// start-up progress bar.
//
// Rows, columns and rectangles of pixels are quads on pixel edges, which take exactly the pixels
// whose centres they hold. A slanting line runs between pixel centres, from its lower end: GL
// then draws the first pixel and leaves out the last, and nothing lies on the boundary between
// two pixels, where rasterisers disagree. Drawing every line from its lower end also gives both
// argument orders the same pixels, so a line can be erased by drawing it again in the background
// colour; the same holds of the blocks each cell becomes at any scale.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <cmath>
#include <cstdlib>

#include "app/macibm.h"
#include "shared/shared.h"

enum { BATCH_VERTICES = 4096 };  // a multiple of 4: lines are pairs, quads fours
static float lines[BATCH_VERTICES * 2], quads[BATCH_VERTICES * 2];
static int lines_n, quads_n;

static void flush_lines(float width = 1.0f) {
  if (quads_n > 0) ogl_be_draw2d(OGL_PRIM_QUADS, quads, quads_n, 1.0f);
  if (lines_n > 0) ogl_be_draw2d(OGL_PRIM_LINES, lines, lines_n, width);
  quads_n = lines_n = 0;
}

static void add_line(float x1, float y1, float x2, float y2) {
  if (lines_n + 2 > BATCH_VERTICES) flush_lines();
  float* v = lines + 2 * lines_n;
  v[0] = x1;
  v[1] = y1;
  v[2] = x2;
  v[3] = y2;
  lines_n += 2;
}

// No window has pixels below 0 or beyond this: a rectangle reaching further is cut here, so that
// an absurd size costs no more than the window.
enum { PIXELS_MAX = 16384 };

// Window pixels x0..x1-1 by y0..y1-1: a quad on their outer edges, which takes exactly the pixels
// whose centres lie inside. Wound clockwise, the way front faces turn.
static void add_pixels(int x0, int y0, int x1, int y1) {
  x0 = intlim(x0, 0, PIXELS_MAX), x1 = intlim(x1, 0, PIXELS_MAX);
  y0 = intlim(y0, 0, PIXELS_MAX), y1 = intlim(y1, 0, PIXELS_MAX);
  if (x1 <= x0 || y1 <= y0) return;
  if (quads_n + 4 > BATCH_VERTICES) flush_lines();
  float* v = quads + 2 * quads_n;
  const float corners[8] = {(float)x0, (float)y0, (float)x0, (float)y1,
                            (float)x1, (float)y1, (float)x1, (float)y0};
  for (int k = 0; k < 8; k++) v[k] = corners[k];
  quads_n += 4;
}

// Coordinates far outside any window are held where they still map outside it, so that the sums
// below cannot overflow.
static int held(long long c) {
  const long long most = PIXELS_MAX;
  return (int)(c < -most ? -most : c > most ? most : c);
}

// Cells x..x+w-1 by y..y+h-1 of the drawing: the blocks of window pixels they map to, at least
// one pixel each way, so that nothing vanishes in a window smaller than its drawing.
static void add_cells(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  int x0 = ogl_edge_x(held(x)), x1 = ogl_edge_x(held((long long)x + w));
  int y0 = ogl_edge_y(held(y)), y1 = ogl_edge_y(held((long long)y + h));
  if (x1 <= x0) x1 = x0 + 1;
  if (y1 <= y0) y1 = y0 + 1;
  add_pixels(x0, y0, x1, y1);
}

// The window point at the middle of cell (x, y)'s block.
static float middle_x(int x) { return 0.5f * (ogl_edge_x(held(x)) + ogl_edge_x(held(x + 1LL))); }
static float middle_y(int y) { return 0.5f * (ogl_edge_y(held(y)) + ogl_edge_y(held(y + 1LL))); }

// Lines in a row or column are whole cells; a slanting one runs between the middles of its end
// cells, as thick as a cell, at the window's own resolution.
void OGL_line(int c, int x1, int y1, int x2, int y2) {
  OGL_setcolor(c);
  long long dx = (long long)x2 - x1, dy = (long long)y2 - y1;
  bool x_major = std::llabs(dx) >= std::llabs(dy);
  if (x_major ? dx < 0 : dy < 0) {
    int_switch(&x1, &x2);
    int_switch(&y1, &y2);
  }
  float width = 1.0f;
  if (dy == 0) {
    add_cells(x1, y1, (int)std::llabs(dx), 1);
  } else if (dx == 0) {
    add_cells(x1, y1, 1, (int)std::llabs(dy));
  } else {
    add_line(middle_x(x1), middle_y(y1), middle_x(x2), middle_y(y2));
    width = fltmax2(1.0f, std::floor(OGL_mapping().scale + 0.5f));
  }
  flush_lines(width);
  ogl_touched(intmin2(x1, x2), intmin2(y1, y2), (int)std::llabs(dx) + 1, (int)std::llabs(dy) + 1);
}

void OGL_fillrect(int c, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  OGL_setcolor(c);
  add_cells(x, y, w, h);
  flush_lines();
  ogl_touched(x, y, w, h);
}

void OGL_framerect(int c, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  OGL_setcolor(c);
  // Each border pixel is covered once: full bottom and top rows, the columns between them.
  add_cells(x, y, w, 1);
  if (h > 1) add_cells(x, y + h - 1, w, 1);
  if (h > 2) {
    add_cells(x, y + 1, 1, h - 2);
    if (w > 1) add_cells(x + w - 1, y + 1, 1, h - 2);
  }
  flush_lines();
  ogl_touched(x, y, w, h);
}

void OGL_fill_margins(int c, int y, int h) {
  const ogl_mapping& m = OGL_mapping();
  if (h <= 0 || m.wdx <= 0) return;
  OGL_setcolor(c);
  const int y0 = ogl_edge_y(held(y)), y1 = ogl_edge_y(held((long long)y + h));
  add_pixels(0, y0, ogl_edge_x(0), y1);
  add_pixels(ogl_edge_x(held(m.dx)), y0, m.wdx, y1);
  flush_lines();
  ogl_touched(0, y, m.dx, h);
}

void OGL_fill_outside(int c) {
  const ogl_mapping& m = OGL_mapping();
  if (m.wdx <= 0 || m.wdy <= 0) return;
  OGL_setcolor(c);
  const int x0 = ogl_edge_x(0), x1 = ogl_edge_x(held(m.dx));
  const int y0 = ogl_edge_y(0), y1 = ogl_edge_y(held(m.dy));
  add_pixels(0, 0, m.wdx, y0);
  add_pixels(0, y1, m.wdx, m.wdy);
  add_pixels(0, y0, x0, y1);
  add_pixels(x1, y0, m.wdx, y1);
  flush_lines();
  ogl_touched(0, 0, m.dx, m.dy);
}

int ogl_circle_half_width(int r, int j) {
  if (r < 0 || std::abs(j) > r) return -1;
  float w = (float)r * r - (float)j * j;
  return (int)std::sqrt(w);
}

// A disc (inner radius ri <= 0) or a ring of window pixels about the middle of cell (x, y), radii
// in window pixels: the pixels whose centres lie inside, row by row. A ring at least one pixel
// thick leaves no row without a pixel on either side, so its outline stays joined.
static void add_ring(int x, int y, float ro, float ri) {
  const float cx = middle_x(x), cy = middle_y(y);
  const int bottom = (int)std::floor(cy - ro), top = (int)std::ceil(cy + ro);
  for (int row = intmax2(bottom, 0); row <= intmin2(top, PIXELS_MAX); row++) {
    const float d = row + 0.5f - cy;
    if (std::fabs(d) > ro) continue;
    const float ho = std::sqrt(ro * ro - d * d);
    const int left = (int)std::ceil(cx - ho - 0.5f), right = (int)std::floor(cx + ho - 0.5f);
    if (ri <= 0.0f || std::fabs(d) >= ri) {
      add_pixels(left, row, right + 1, row + 1);
      continue;
    }
    const float hi = std::sqrt(ri * ri - d * d);
    add_pixels(left, row, (int)std::ceil(cx - hi - 0.5f), row + 1);
    add_pixels((int)std::floor(cx + hi - 0.5f) + 1, row, right + 1, row + 1);
  }
}

void OGL_fillcircle(int c, int x, int y, int r) {
  if (r < 0) return;
  OGL_setcolor(c);
  const float s = OGL_mapping().scale;
  if (!ogl_unit_scale()) {
    add_ring(x, y, s * (r + 0.5f), 0.0f);
  } else {
    for (int j = -r; j <= r; j++) {
      int hw = ogl_circle_half_width(r, j);
      add_cells(x - hw, y + j, 2 * hw + 1, 1);
    }
  }
  flush_lines();
  ogl_touched(x - r, y - r, 2 * r + 1, 2 * r + 1);
}

void OGL_framecircle(int c, int x, int y, int r) {
  if (r < 0) return;
  OGL_setcolor(c);
  const float s = OGL_mapping().scale;
  if (!ogl_unit_scale()) {
    add_ring(x, y, s * (r + 0.5f), s * (r + 0.5f) - fltmax2(s, 1.0f));
  } else {
    for (int j = -r; j <= r; j++) {
      // The outline of a row runs in from its own edge to just outside the narrower neighbouring
      // row, so that steep parts of the circle stay joined.
      int hw = ogl_circle_half_width(r, j);
      int hn = intmin2(ogl_circle_half_width(r, j - 1), ogl_circle_half_width(r, j + 1));
      int inner = intmin2(hn + 1, hw);
      add_cells(x + inner, y + j, hw - inner + 1, 1);
      add_cells(x - hw, y + j, hw - inner + 1, 1);
    }
  }
  flush_lines();
  ogl_touched(x - r, y - r, 2 * r + 1, 2 * r + 1);
}

// Dots in a row of one glyph come one after another, so that a run of them is one block.
void ogl_draw_dot_blocks(float* xy, int n) {
  if (ogl_unit_scale()) {
    const ogl_mapping& m = OGL_mapping();
    for (int k = 0; k < n; k++) {
      xy[2 * k] += m.ox;
      xy[2 * k + 1] += m.oy;
    }
    if (n > 0) ogl_be_draw2d(OGL_PRIM_POINTS, xy, n, 1.0f);
    return;
  }
  for (int k = 0; k < n;) {
    const int x = (int)std::floor(xy[2 * k]), y = (int)std::floor(xy[2 * k + 1]);
    int run = 1;
    while (k + run < n && xy[2 * (k + run) + 1] == xy[2 * k + 1] &&
           xy[2 * (k + run)] == xy[2 * k] + run)
      run++;
    add_cells(x, y, run, 1);
    k += run;
  }
  flush_lines();
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
  const ogl_mapping& m = OGL_mapping();
  for (int k = 0; k < n; k++) {
    xy[2 * k] = m.ox + m.scale * xy[2 * k];
    xy[2 * k + 1] = m.oy + m.scale * xy[2 * k + 1];
  }
  ogl_be_draw2d(OGL_PRIM_LINE_STRIP, xy, n, m.scale * (r2 - r1 + 1));
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
