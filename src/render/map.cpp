// Drawing a map window whole: the map under its button bar, the scale bar and the info line, in
// one picture presented at once; and the recorded flight path the maps share.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map_local.h"
#include "shared/shared.h"
#include "world/world.h"

int map_path_points(float (*xyz)[3], int max) {
  // The ring's newest point is cntr_record and the slot after it is cleared, so walking on from
  // there meets the points oldest first.
  const int newest = intlim(pat.cntr_record, 0, PATH_POINTS - 1);
  int n = 0;
  for (int k = 1; k <= PATH_POINTS && n < max; k++) {
    const int s = (newest + k) % PATH_POINTS;
    if (!pat.inited[s]) continue;
    for (int c = 0; c < 3; c++) xyz[n][c] = pat.xyztpp[s][c];
    n++;
  }
  return n;
}

// ---- Button bar, scale and info line ---------------------------------------------------------

static const char* button_text(int id) {
  static const char* const texts[] = {"",  "ENROUTE", "LOCAL",  "RADAR",
                                      "+", "-",       "FOLLOW", "ALL"};
  return id >= 0 && id <= MAP_BTN_ALL ? texts[id] : "";
}

static int button_lit(const mapview* v, int id) {
  return (id == MAP_BTN_ENROUTE && v->kind == MAP_ENROUTE) ||
         (id == MAP_BTN_LOCAL && v->kind == MAP_LOCAL) ||
         (id == MAP_BTN_RADAR && v->kind == MAP_RADAR) || (id == MAP_BTN_FOLLOW && v->follow);
}

// The window's buttons on a grey bar, the lit ones in the selection blue, and the chart's range
// across the window (or the 3-D zoom) after them.
static void button_bar(const mapview* v, int w, int h) {
  const int y = h - MAP_BAR_H;
  OGL_fillrect(53, 0, y, w, MAP_BAR_H);
  OGL_line(55, 0, y, w, y);
  int right = 0;
  for (int id = MAP_BTN_ENROUTE; id <= MAP_BTN_ALL; id++) {
    int x, bw;
    if (!map_button_box(v, id, &x, &bw)) continue;
    const int lit = button_lit(v, id);
    OGL_fillrect(lit ? 57 : 54, x, y + 3, bw, MAP_BAR_H - 6);
    OGL_framerect(55, x, y + 3, bw, MAP_BAR_H - 6);
    const char* t = button_text(id);
    const int tw = 6 * static_cast<int>(std::strlen(t)) - 1;
    OGL_string(lit ? 36 : 37, x + (bw - tw) / 2, y + 7, t, 0, 0, 6);
    right = intmax2(right, x + bw);
  }
  char s[48];
  if (v->kind == MAP_ISO || v->kind == MAP_PATH)
    std::snprintf(s, sizeof s, "ZOOM X%.1f", v->zoom);
  else
    std::snprintf(s, sizeof s, "%.0f NM ACROSS", w / v->ppnm);
  OGL_string(37, right + 10, y + 7, s, 0, 0, 6);
}

// A bar of a round distance between about 60 and 150 pixels long, in its ten parts.
static void scale_bar(const mapview* v, int ink) {
  float nm = 1000.0f;
  static const float steps[] = {500.0f, 200.0f, 100.0f, 50.0f, 20.0f, 10.0f, 5.0f,
                                2.0f,   1.0f,   0.5f,   0.2f,  0.1f};
  for (float s : steps)
    if (s * v->ppnm >= 60.0f) nm = s;
  const int len = intround(nm * v->ppnm), x = 8, y = MAP_INFO_H + 8;
  if (len > 160) return;
  OGL_fillrect(ink, x, y, len, 2);
  for (int k = 0; k <= 10; k += 5) OGL_fillrect(ink, x + len * k / 10, y - 3, 1, 6);
  char s[24];
  std::snprintf(s, sizeof s, nm < 1.0f ? "%.1f NM" : "%.0f NM", nm);
  OGL_string(ink, x + len + 6, y - 3, s, 0, 0, 6);
}

static void info_line(const mapview* v, int w, int dark) {
  OGL_fillrect(dark ? 37 : 54, 0, 0, w, MAP_INFO_H);
  OGL_string(dark ? 36 : 37, 4, 3, v->info, 0, 0, 6);
}

// ---- The window ------------------------------------------------------------------------------

// Window pixels straight through: the projection maps x 0..w and y 0..h of the map area to it.
static void pixel_matrices(int w, int h, float proj[16], float cam[16]) {
  for (int k = 0; k < 16; k++) proj[k] = cam[k] = 0.0f;
  proj[0] = 2.0f / w, proj[5] = 2.0f / h, proj[10] = -1.0f;
  proj[12] = -1.0f, proj[13] = -1.0f, proj[15] = 1.0f;
  cam[0] = cam[5] = cam[10] = cam[15] = 1.0f;
}

static void background(int kind, float rgb[3]) {
  static const float colors[MAP_KINDS][3] = {{0.97f, 0.96f, 0.91f}, {0.86f, 0.86f, 0.84f},
                                             {0.10f, 0.13f, 0.11f}, {0.76f, 0.85f, 0.94f},
                                             {0.80f, 0.86f, 0.92f}, {0.80f, 0.86f, 0.92f}};
  for (int k = 0; k < 3; k++) rgb[k] = colors[intlim(kind, 0, MAP_KINDS - 1)][k];
}

static void draw_2d(mapview* v, int w, int h) {
  if (v->follow && std::isfinite(flt.lat) && std::isfinite(flt.lon)) v->clat = flt.lat, v->clon = flt.lon;
  map_collect(v);
  float proj[16], cam[16], bg[3];
  pixel_matrices(w, h - MAP_BAR_H, proj, cam);
  background(v->kind, bg);
  OGL_view_begin_drawn(0, 0, w, h - MAP_BAR_H, proj, cam, bg);
  OGL_cull(0);
  map_draw_ground(v);
  if (v->kind == MAP_RADAR) map_draw_radar(v);
  map_draw_chart(v);
  OGL_view_end();
  map_draw_labels(v);
  const int dark = v->kind == MAP_RADAR;
  scale_bar(v, dark ? 36 : 37);
  info_line(v, w, dark);
}

void map_draw(int w) {
  mapview* v = map_of_window(w);
  if (!v || !mnw.up[w] || v->win != w) return;
  MACIBM_startwind(w, 0);
  const int width = map_width(w), height = map_height(w);
  if (height <= MAP_BAR_H + MAP_INFO_H) return;
  const int saved = ogl_will_be_blitted;
  ogl_will_be_blitted = 1;
  if (v->kind == MAP_ISO || v->kind == MAP_PATH) {
    map_draw_3d(v);
    info_line(v, width, 0);
  } else {
    draw_2d(v, width, height);
  }
  button_bar(v, width, height);
  // A window given another shape than the map's keeps, beside the enlarged map, what it showed
  // at its old size: those bands are painted over.
  OGL_fill_outside(53);
  ogl_will_be_blitted = saved;
  OGL_sbuf(0, 0, width, height);
}
