// The "Graphics Output" window (25): up to four groups as strip charts ten seconds wide, a time
// slider to look further back, and the values under the mouse. Drawn with the drawing layer; the
// background and the strips' grids are drawn here rather than loaded.
#include "app/app.h"

#include <cmath>
#include <cstring>

#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"

enum {
  GRF_WINDOW = 25,
  GRF_W = 620,
  GRF_H = 420,
  BACK_COLOR = 25,      // the drawing layer's box colour behind text
  GRID_COLOR = 38,      // the strips' grid
  TEXT_COLOR = 45,      // axes and read-outs
  SLIDER_Y = 4,         // the slider's track, below the time read-out
  SLIDER_H = 10,
  TIME_AXIS_Y = 406,
  READOUT_X = 396,
  READOUT_Y = 19,
};

static const int value_color[GRF_VALUES] = {5, 9, 7, 16};

// Mouse column last read out; -1 until the mouse moves over the window after it opened.
static int last_mouse_x = -1;

// Strip s stands on y = 45 + 90 s, 81 pixels high, with its zero line 40 pixels up.
static int trace_base(int s) { return 45 + 90 * s; }
static int trace_mid(int s) { return 85 + 90 * s; }

// The strips' grid: a frame, the zero line and a line every second.
static void draw_strip(int s) {
  const int y = trace_base(s), w = GRF_COLUMNS, h = 81;
  OGL_fillrect(BACK_COLOR, GRF_CHART_X, y, w, h);
  for (int i = 0; i <= GRF_CHART_SECONDS; i++)
    OGL_line(GRID_COLOR, GRF_CHART_X + GRF_PIXELS_PER_SECOND * i, y,
             GRF_CHART_X + GRF_PIXELS_PER_SECOND * i, y + h - 1);
  OGL_line(GRID_COLOR, GRF_CHART_X, trace_mid(s), GRF_CHART_X + w - 1, trace_mid(s));
  OGL_framerect(TEXT_COLOR, GRF_CHART_X, y, w, h);
}

static void draw_slider() {
  const float top = graph_slider_max();
  OGL_fillrect(BACK_COLOR, GRF_CHART_X, SLIDER_Y, GRF_COLUMNS, SLIDER_H);
  OGL_framerect(TEXT_COLOR, GRF_CHART_X, SLIDER_Y, GRF_COLUMNS, SLIDER_H);
  int x = GRF_CHART_X + (top > 0.0f ? intround(grf.lefttime / top * (GRF_COLUMNS - 11)) : 0);
  OGL_fillrect(TEXT_COLOR, x, SLIDER_Y + 1, 10, SLIDER_H - 2);
}

// A click or a held button on the slider's track moves the chart's left edge there.
static void follow_slider() {
  if (!mnw.mousedown || mnw.dragging_index != GRF_WINDOW) return;
  if (mnw.my < SLIDER_Y - 2 || mnw.my > SLIDER_Y + SLIDER_H + 2) return;
  float frac = fltlim(static_cast<float>(mnw.mx - GRF_CHART_X) / (GRF_COLUMNS - 11), 0.0f, 1.0f);
  grf.lefttime = frac * graph_slider_max();
}

void graph_label(int y, const char* label) {
  static const int dy[GRF_VALUES] = {33, 12, -9, -30};
  for (int k = 0; k < GRF_VALUES; k++) {
    char name[5], unit[5];
    if (!data_label_field(label, k, name, unit)) continue;
    OGL_string(value_color[k], 14, y + dy[k], name, 0, 1, 6);
    OGL_string(value_color[k], 48, y + dy[k], unit, 0, 1, 6);
  }
}

void graph_point(int x, int base_y, int k, float value, int trace, int connect) {
  static int last_x[GRF_TRACES][GRF_VALUES], last_y[GRF_TRACES][GRF_VALUES];
  if (trace < 0 || trace >= GRF_TRACES || k < 0 || k >= GRF_VALUES) return;
  if (value == DATA_ABSENT) return;
  float dy = fltlim(gscale[trace] * value, -1.0e6f, 1.0e6f);
  int y = intlim(base_y + intround(dy), base_y - GRF_HALF_HEIGHT - 7, base_y + GRF_HALF_HEIGHT + 7);
  if (connect)
    OGL_line(value_color[k], last_x[trace][k], last_y[trace][k], x, y);
  else
    OGL_line(value_color[k], x, y, x + 1, y);
  last_x[trace][k] = x;
  last_y[trace][k] = y;
}

void plot_grf_numbers(int style, int trace, int group, const float v[GRF_VALUES]) {
  int dig[GRF_VALUES], dec[GRF_VALUES];
  set_dig_dec(group, dig, dec);
  const int base = trace_mid(trace);
  if (style == 2) {
    // The scale: the values at the strip's top and bottom edges.
    OGL_number(TEXT_COLOR, 76, base + 33, v[0], 3, 0, 6, 1, 1);
    OGL_number(TEXT_COLOR, 76, base - 40, v[1], 3, 0, 6, 1, 1);
    return;
  }
  // Each value's box clears its last read-out: the sign cell and four digits or the overflow
  // form, x 8..42. It ends short of x 70, where the bottom scale's minus stands level with the
  // fourth value: a box reaching it made the scale read -2890 as 2890.
  static const int dy[GRF_VALUES] = {24, 3, -18, -39};
  for (int k = 0; k < GRF_VALUES; k++) {
    if (!data_field_used(group, k)) continue;
    OGL_fillrect(BACK_COLOR, 8, base + dy[k] - 1, 62, 9);
    if (v[k] != DATA_ABSENT)
      OGL_number(value_color[k], 14, base + dy[k], v[k], dig[k], dec[k], 6, 1, 0);
  }
}

static void draw_traces() {
  for (int s = 0; s < GRF_TRACES; s++) {
    draw_strip(s);
    if (set.grfsel[s] < 0 || grf_first < 0) continue;
    // A value joins its last drawn point; after a gap (no data) it starts afresh.
    int drawn[GRF_VALUES] = {};
    for (int k = grf_first;; k = (k + 1) % GRF_SAMPLES) {
      for (int v = 0; v < GRF_VALUES; v++) {
        if (grf.data[s][v][k] == DATA_ABSENT) {
          drawn[v] = 0;
          continue;
        }
        graph_point(XofCTR[k], trace_mid(s), v, grf.data[s][v][k], s, drawn[v]);
        drawn[v] = 1;
      }
      if (k == grf_last) break;
    }
  }
}

// Each second's number begins at its grid line: the chart's ten seconds take ten of
// them, and the right edge, which would push an eleventh out of the window, has none. The
// chart starts wherever the slider or the newest sample puts it, seldom on a whole second:
// the numbers carry the tenths, or a line 12.6 s in would read 13, and the read-out under
// the mouse on that line 12.6.
static void draw_time_axis() {
  OGL_fillrect(BACK_COLOR, GRF_CHART_X - 10, TIME_AXIS_Y - 2, GRF_COLUMNS + 20, 11);
  for (int i = 0; i < GRF_CHART_SECONDS; i++)
    OGL_number(TEXT_COLOR, GRF_CHART_X - 7 + GRF_PIXELS_PER_SECOND * i, TIME_AXIS_Y,
               grf.lefttime + i, 4, 1, 6, 0, 0);
}

// The frame of the window and each selected trace's scale and labels. The scale's box, from its
// sign cell, reaches one pixel into the last letter of the first unit beside it, where "DEG"
// read "DEC": the labels go over it.
static void draw_static_parts() {
  OGL_fillrect(BACK_COLOR, 0, 0, GRF_W, GRF_H);
  for (int s = 0; s < GRF_TRACES; s++) {
    int g = set.grfsel[s];
    if (!data_group_defined(g)) continue;
    const float scale[GRF_VALUES] = {40.0f / gscale[s], -40.0f / gscale[s], DATA_ABSENT,
                                     DATA_ABSENT};
    plot_grf_numbers(2, s, g, scale);
    out_label(DEST_GRAPH, g, trace_mid(s));
  }
}

// The slider's right end when the chart was last drawn: a chart left there follows the newest
// samples as they come.
static float last_slider_max = 0.0f;

void manage_grf(int open) {
  MACIBM_startwind(GRF_WINDOW, 0);
  const float top = graph_slider_max();
  if (open) {
    grf.lefttime = 0.0f;
    for (int s = 0; s < GRF_TRACES; s++) gscale[s] = graph_scale(s);
  } else {
    if (grf.lefttime >= last_slider_max - 0.001f) grf.lefttime = top;
    follow_slider();
  }
  grf.lefttime = fltlim(grf.lefttime, 0.0f, top);
  last_slider_max = top;
  draw_static_parts();
  draw_slider();
  draw_time_axis();
  graph_layout(grf.lefttime);
  draw_traces();
  last_mouse_x = -1;
}

// The values of the sample under the mouse, and its time.
static void show_readout() {
  OGL_fillrect(BACK_COLOR, READOUT_X - 8, READOUT_Y - 2, 40, 11);
  int sample = graph_sample_under(mnw.mx);
  // An empty graph has nothing under the mouse.
  if (sample >= 0) {
    int col = intlim(mnw.mx - GRF_CHART_X, 0, GRF_COLUMNS - 1);
    OGL_number(TEXT_COLOR, READOUT_X, READOUT_Y,
               grf.lefttime + static_cast<float>(col) / GRF_PIXELS_PER_SECOND, 3, 1, 6, 0, 0);
    for (int s = 0; s < GRF_TRACES; s++) {
      if (!data_group_defined(set.grfsel[s])) continue;
      float v[GRF_VALUES];
      for (int k = 0; k < GRF_VALUES; k++) v[k] = grf.data[s][k][sample];
      plot_grf_numbers(1, s, set.grfsel[s], v);
    }
  }
}

void plot_grf_current() {
  if (!mnw.up[GRF_WINDOW]) return;
  // New samples are drawn on each event tick, about ten times a simulated second.
  static int last_cntr = -2;
  int drew = 0;
  if (grf.cntr != last_cntr && msc.cntr % intlim(msc.evup, 1, 99) == 0) {
    last_cntr = grf.cntr;
    manage_grf(0);
    drew = 1;
  }
  if (mnw.mx != last_mouse_x) {
    last_mouse_x = mnw.mx;
    MACIBM_startwind(GRF_WINDOW, 0);
    show_readout();
    drew = 1;
  }
  // The frame after this draws into the main window.
  if (drew && mnw.up[WIN_MAIN]) MACIBM_startwind(WIN_MAIN, 0);
}
