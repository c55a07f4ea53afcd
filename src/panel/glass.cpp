// The glass panel's two displays: the primary flight display (attitude with speed, altitude and
// heading tapes, vertical speed, radar altitude and the autopilot's modes) and the navigation
// display (compass rose, course and deviation, bearing pointers, GPS target and the region's
// airports, VORs and NDBs). A failed display is blanked.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Navigation symbols ----------------------------------------------------------------------

enum { PIC_AIRPORT, PIC_VOR, PIC_NDB, PIC_TARGET, PICS, PIC_SIZE = 7 };
static unsigned char nav_pic[PICS][PIC_SIZE];  // rows top first, bit 6 the leftmost pixel

void init_nav_pic() {
  static const char* const art[PICS][PIC_SIZE] = {
      {"..###..", ".#...#.", "#..#..#", "#.###.#", "#..#..#", ".#...#.", "..###.."},
      {"..###..", ".#...#.", "#.....#", "#..#..#", "#.....#", ".#...#.", "..###.."},
      {"...#...", ".#...#.", ".......", "#..#..#", ".......", ".#...#.", "...#..."},
      {"...#...", "..#.#..", ".#...#.", "#.....#", ".#...#.", "..#.#..", "...#..."},
  };
  for (int p = 0; p < PICS; p++)
    for (int row = 0; row < PIC_SIZE; row++) {
      nav_pic[p][row] = 0;
      for (int i = 0; i < PIC_SIZE; i++)
        if (art[p][row][i] == '#') nav_pic[p][row] |= 1 << (PIC_SIZE - 1 - i);
    }
}

static void draw_pic(int p, int c, int x, int y) {
  for (int row = 0; row < PIC_SIZE; row++)
    for (int i = 0; i < PIC_SIZE; i++)
      if (nav_pic[p][row] >> (PIC_SIZE - 1 - i) & 1) OGL_fillrect(c, x - 3 + i, y + 3 - row, 1, 1);
}

// ---- Primary flight display ------------------------------------------------------------------

enum { ATT_HALF = 70, ATT_LINES = 2 * ATT_HALF + 1 };

// Tape tick marks of value v every `step` within +-half pixels of the centre row cy, at ppu
// pixels per unit, labelled every `label` units, from `lowest` up.
static void tape(const panel_rect& t, float v, float ppu, int step, int label, int cy,
                 int label_right, int lowest) {
  OGL_fillrect(C_FACE, t.x, t.y, t.w, t.h);
  int half = t.h / 2;
  int first = static_cast<int>(std::floor((v - half / ppu) / step)) * step;
  for (int u = intmax2(first, lowest); u <= v + half / ppu; u += step) {
    int y = cy + intround((u - v) * ppu);
    if (y < t.y + 3 || y > t.y + t.h - 4) continue;
    int major = label > 0 && u % label == 0;
    int tx = label_right ? t.x : t.x + t.w - (major ? 8 : 4);
    OGL_line(C_WHITE, tx, y, tx + (major ? 8 : 4), y);
    if (major) {
      char s[12];
      std::snprintf(s, sizeof s, "%d", u);
      int x = label_right ? t.x + 10 : t.x + t.w - 10 - text_width(s);
      OGL_string(C_WHITE, x, y - 3, s, 0, 0, 6);
    }
  }
}

// A readout box at the middle of a tape.
static void tape_box(const panel_rect& t, int cy, const char* s) {
  OGL_fillrect(C_BLACK, t.x, cy - 7, t.w, 15);
  OGL_framerect(C_WHITE, t.x, cy - 7, t.w, 15);
  text_centre(C_WHITE, t.x + t.w / 2, cy, s);
}

static void ap_modes_text(char* s, int size) {
  s[0] = 0;
  static const char* const name[AP_MODES] = {"HDG ", "NAV1 ", "NAV2 ", "ALT ",
                                             "VS ",  "GS ",   "SPD "};
  const int on[AP_MODES] = {ott.HDSLCT, ott.NAV[0], ott.NAV[1], ott.ALHOLD,
                            ott.VVHOLD, ott.GS2,    ott.ASHOLD};
  for (int m = 0; m < AP_MODES; m++)
    if (on[m] && static_cast<int>(std::strlen(s) + std::strlen(name[m])) < size)
      std::strcat(s, name[m]);
}

// Cuts the line (px, py) + t (dx, dy), t0 <= t <= t1, to the square |x|, |y| <= half; 0 when
// nothing of it is left.
static int clip_to_square(float px, float py, float dx, float dy, float half, float* t0,
                          float* t1) {
  const float p[2] = {px, py}, d[2] = {dx, dy};
  for (int k = 0; k < 2; k++) {
    if (std::fabs(d[k]) < 1.0e-6f) {
      if (std::fabs(p[k]) > half) return 0;
      continue;
    }
    float a = (-half - p[k]) / d[k], b = (half - p[k]) / d[k];
    if (a > b) std::swap(a, b);
    *t0 = fltmax2(*t0, a);
    *t1 = fltmin2(*t1, b);
  }
  return *t1 > *t0;
}

void draw_pfd(int full) {
  static shown_values s;
  const panel_rect& r = lay.pfd;
  float the, phi;
  shown_attitude(&the, &phi);
  float v[9] = {
      the,
      phi,
      asi_speed(),
      flt.h_ind * con.mtrstoft,
      flt.magpsi,
      flt.vu * con.msctofpm,
      radar_altitude_ft(),
      ins.baro * 100.0f,  // hundredths, the knob's step
      static_cast<float>(ott.HDSLCT + 2 * ott.NAV[0] + 4 * ott.NAV[1] + 8 * ott.ALHOLD +
                         16 * ott.VVHOLD + 32 * ott.GS2 + 64 * ott.ASHOLD + 128 * rel.efis_1)};
  for (float& x : v) x = sane(x, 100000.0f);
  // The display draws from the same sources as the round instruments: a failed one's readings
  // stand where they were, as its dial's needle does.
  const int works[6] = {rel.ss_ahz, rel.ss_ahz, rel.ss_asi, rel.ss_alt, rel.ss_dgy, rel.ss_vvi};
  for (int k = 0; k < 6; k++)
    if (!works[k] && s.drawn) v[k] = s.v[k];
  if (!shown_changed(&s, v, 9, 0.3f, full)) return;
  OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
  if (!rel.efis_1) return;

  int ax = r.x + 120, ay = r.y + 160;
  static int x1[ATT_LINES], x2[ATT_LINES];
  for (int j = 0; j < ATT_LINES; j++) x1[j] = -ATT_HALF, x2[j] = ATT_HALF;
  paint_horizon(ax, ay, the, phi, 3.0f, 0, ATT_LINES - 1, x1, x2, ATT_HALF, nullptr, nullptr, 0, 0,
                1);
  float sp = std::sin(phi * con.degtorad), cp = std::cos(phi * con.degtorad);
  for (int q = -30; q <= 30; q += 5) {
    float d = 3.0f * (the - q), len = q == 0 ? 2.0f * ATT_HALF : q % 10 ? 8.0f : 16.0f;
    float px = d * sp, py = -d * cp;
    // The rungs show whole or not at all; the horizon is cut at the edges of the display.
    float t0 = -len, t1 = len;
    if (q != 0 && (std::fabs(px) + len > ATT_HALF - 2 || std::fabs(py) + len > ATT_HALF - 2))
      continue;
    if (q == 0 && !clip_to_square(px, py, cp, sp, ATT_HALF - 1.0f, &t0, &t1)) continue;
    OGL_line(C_WHITE, ax + intround(px + t0 * cp), ay + intround(py + t0 * sp),
             ax + intround(px + t1 * cp), ay + intround(py + t1 * sp));
  }
  OGL_fillrect(C_YELLOW, ax - 36, ay - 1, 24, 3);
  OGL_fillrect(C_YELLOW, ax + 13, ay - 1, 24, 3);
  OGL_fillrect(C_YELLOW, ax - 2, ay - 2, 5, 5);
  dial_tick(C_WHITE, ax, ay, ATT_HALF - 10.0f, ATT_HALF - 2.0f, -phi);

  char t[40];
  panel_rect spd = {r.x + 4, ay - 80, 44, 160};
  tape(spd, v[2], 2.0f, 5, 10, ay, 0, 0);
  // The speed ranges along the tape's edge: flap range, normal, caution.
  struct band {
    float lo, hi;
    int c;
  };
  const band bands[3] = {
      {pln.Vso, pln.Vfe, C_WHITE}, {pln.Vs, pln.Vno, C_GREEN}, {pln.Vno, pln.Vne, C_AMBER}};
  for (int b = 0; b < 3; b++) {
    int y1 = intlim(ay + intround((bands[b].lo - v[2]) * 2.0f), spd.y, spd.y + spd.h);
    int y2 = intlim(ay + intround((bands[b].hi - v[2]) * 2.0f), spd.y, spd.y + spd.h);
    if (y2 > y1) OGL_fillrect(bands[b].c, spd.x + spd.w - 2 - b % 2 * 2, y1, 2, y2 - y1);
  }
  std::snprintf(t, sizeof t, "%d", intlim(intround(v[2]), 0, 9999));
  tape_box(spd, ay, t);

  panel_rect alt = {r.x + 192, ay - 80, 44, 160};
  tape(alt, v[3], 0.16f, 100, 200, ay, 1, -100000);
  std::snprintf(t, sizeof t, "%d", intlim(intround(v[3]), -9999, 99999));
  tape_box(alt, ay, t);
  std::snprintf(t, sizeof t, "%5.2f", fltlim(v[7] / 100.0f, 0.0f, 99.99f));
  text_centre(C_CYAN, alt.x + alt.w / 2, alt.y - 8, t);
  std::snprintf(t, sizeof t, "VS %+d", intlim(intround(v[5] / 10.0f) * 10, -99999, 99999));
  text_centre(C_WHITE, alt.x + alt.w / 2 - 6, alt.y + alt.h + 8, t);

  // Heading tape along the bottom, 2 pixels a degree.
  panel_rect hdg = {ax - 100, r.y + 4, 200, 30};
  OGL_fillrect(C_FACE, hdg.x, hdg.y, hdg.w, hdg.h);
  for (int d = static_cast<int>(std::floor(v[4] / 5.0f)) * 5 - 50; d <= v[4] + 50; d += 5) {
    int x = ax + intround((d - v[4]) * 2.0f);
    if (x < hdg.x + 3 || x > hdg.x + hdg.w - 4) continue;
    OGL_line(C_WHITE, x, hdg.y + hdg.h - (d % 10 ? 5 : 9), x, hdg.y + hdg.h);
    if (d % 30 == 0) {
      std::snprintf(t, sizeof t, "%d", intwrap(d, 0, 359) / 10);
      text_centre(C_WHITE, x, hdg.y + 10, t);
    }
  }
  std::snprintf(t, sizeof t, "%03d", intwrap(intround(v[4]), 0, 359));
  OGL_fillrect(C_BLACK, ax - 12, hdg.y + hdg.h, 25, 12);
  text_centre(C_WHITE, ax, hdg.y + hdg.h + 6, t);

  if (v[6] < 2500.0f) {
    std::snprintf(t, sizeof t, "RA %d", intround(v[6]));
    text_centre(v[6] < ins.radalt_ft ? C_AMBER : C_WHITE, ax, ay - ATT_HALF - 10, t);
  }
  ap_modes_text(t, sizeof t);
  text_centre(C_GREEN, ax, r.y + r.h - 10, t);
}

// ---- Navigation display ----------------------------------------------------------------------

static void click_nd(int arg, int x, int y, const panel_rect& r) {
  int range = intlim(ins.map_range, 5, 160);
  ins.map_range = y >= r.y + r.h / 2 ? intmin2(range * 2, 160) : intmax2(range / 2, 5);
}

void layout_glass() {
  if (lay.glass) add_hot_spot(lay.nd, click_nd, 0, 0);
}

// Screen position of a world point on the heading-up display, pixels from the centre; the
// aircraft's true heading is nd_psi.
static float nd_psi;
static void nd_point(float wx, float wz, float ppm, int* px, int* py) {
  float east = wx - static_cast<float>(flt.X), north = static_cast<float>(flt.Z) - wz;
  float s = std::sin(nd_psi * con.degtorad), c = std::cos(nd_psi * con.degtorad);
  *px = intround((east * c - north * s) * ppm);
  *py = intround((east * s + north * c) * ppm);
}

// Direction of a world point on the heading-up display, degrees clockwise from straight up; 0
// when there is none (the aircraft on it, or a position gone wild). It is taken from the
// distances, not from the point's rounded pixels: at a long range those put a station a few miles
// away tens of degrees off, or straight ahead.
static int nd_bearing(float wx, float wz, float* a) {
  float east = wx - static_cast<float>(flt.X), north = static_cast<float>(flt.Z) - wz;
  *a = std::atan2(east, north) * con.radtodeg - nd_psi;
  if ((east != 0.0f || north != 0.0f) && std::isfinite(*a)) return 1;
  *a = 0.0f;
  return 0;
}

static void nd_symbol(int pic, int c, float lat, float lon, float ppm, int cx, int cy, int rad) {
  int px, py;
  nd_point(X_with_latlon(lat, lon), Z_with_lat(lat), ppm, &px, &py);
  if (px * px + py * py < (rad - 4) * (rad - 4)) draw_pic(pic, c, cx + px, cy + py);
}

void draw_nd(int full) {
  static shown_values s;
  const panel_rect& r = lay.nd;
  enum { ROSE = 100 };
  int range = intlim(ins.map_range, 5, 160);
  float ppm = ROSE / (range * con.nmtomtrs);
  int nav1 = supp_is_nav1();
  float course = nav1 ? nav.obs[0] : mag_from_true(nav.gps_lock_crs);
  // The display is turned by the heading the primary display's tape shows: after the heading
  // source has failed, both hold the heading they last showed, the map and pointers turned by it.
  float hdg = flt.magpsi;
  if (!rel.ss_dgy && s.drawn) hdg = s.v[0];
  nd_psi = sane(flt.psi + (hdg - flt.magpsi), 720.0f);
  // The bearing pointers: the NDB's and NAV 2's station's.
  float adf_a, nav2_a;
  int adf_on = nd_bearing(nav.adfX, nav.adfZ, &adf_a) && nav.goodnav[4];
  int nav2_on = nd_bearing(nav.vorX[1], nav.vorZ[1], &nav2_a) && nav.goodnav[1];
  float v[10] = {
      hdg,
      static_cast<float>(flt.X) * ppm,
      static_cast<float>(flt.Z) * ppm,
      static_cast<float>(range),
      course,
      fltlim(nav.hdef[0], -5.5f, 5.5f),
      static_cast<float>(nav.goodnav[0] + 2 * nav.goodnav[1] + 4 * nav.goodnav[4] + 8 * rel.efis_2 +
                         16 * (nav.ntf[0] != 0)),
      adf_on ? adf_a : 1000.0f,
      static_cast<float>(nav.gps_index),
      nav2_on ? nav2_a : 1000.0f};
  if (!shown_changed(&s, v, 10, 0.4f, full)) return;
  OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
  if (!rel.efis_2) return;
  hdg = v[0];
  course = v[4];

  int cx = r.x + r.w / 2, cy = r.y + 130;
  for (int d = 0; d < 360; d += 5) {
    float a = d - hdg;
    dial_tick(C_WHITE, cx, cy, ROSE - (d % 10 ? 4.0f : 8.0f), ROSE + 0.0f, a);
    if (d % 30 == 0) {
      char t[4];
      std::snprintf(t, sizeof t, "%d", d / 10);
      text_centre(C_WHITE, dial_px(cx, ROSE - 15.0f, a), dial_py(cy, ROSE - 15.0f, a), t);
    }
  }
  OGL_framecircle(C_EDGE, cx, cy, ROSE / 2);

  // The region's airports, VORs and NDBs within range, and the GPS target.
  for (int k = 0; k <= intmin2(env.apt_list_max, REGION_LIST_MAX - 1); k++) {
    int n = apt_to_index[k];
    if (intrange(n, 0, APT_MAX - 1))
      nd_symbol(PIC_AIRPORT, C_CYAN, apt_lat[n][0], apt_lon[n][0], ppm, cx, cy, ROSE);
  }
  for (int k = 0; k <= intmin2(env.vor_list_max, REGION_LIST_MAX - 1); k++) {
    int n = vor_to_index[k];
    if (intrange(n, 0, NAV_MAX - 1))
      nd_symbol(PIC_VOR, C_GREEN, nav_lat[n], nav_lon[n], ppm, cx, cy, ROSE);
  }
  for (int k = 0; k <= intmin2(env.ndb_list_max, REGION_LIST_MAX - 1); k++) {
    int n = ndb_to_index[k];
    if (intrange(n, 0, NAV_MAX - 1))
      nd_symbol(PIC_NDB, C_AMBER, nav_lat[n], nav_lon[n], ppm, cx, cy, ROSE);
  }
  if (!nav1) nd_symbol(PIC_TARGET, C_MAGENTA, nav.gps_lat, nav.gps_lon, ppm, cx, cy, ROSE);

  // Course with its deviation bar: 8 pixels a unit across the course.
  float ca = course - hdg;
  dial_tick(C_MAGENTA, cx, cy, 30.0f, ROSE - 10.0f, ca);
  dial_tick(C_MAGENTA, cx, cy, 30.0f, ROSE - 10.0f, ca + 180.0f);
  // NAV 1's bar only where its station is measured: beyond a localizer (past the runway's far
  // end, on a go-around) the receiver has no deviation, which drawn would put the bar on course.
  if (!nav1 || (nav.goodnav[0] && nav.ntf[0] != 0)) {
    float off = v[5] * 8.0f, sa = std::sin(ca * con.degtorad), ka = std::cos(ca * con.degtorad);
    int ox = intround(off * ka), oy = intround(-off * sa);
    OGL_line(C_MAGENTA, cx + ox - intround(25 * sa), cy + oy - intround(25 * ka),
             cx + ox + intround(25 * sa), cy + oy + intround(25 * ka));
  }
  // Bearing pointers: the NDB (cyan) and the station of NAV 2 (green).
  if (adf_on) dial_tick(C_CYAN, cx, cy, 12.0f, ROSE - 2.0f, adf_a);
  if (nav2_on) dial_tick(C_GREEN, cx, cy, 12.0f, ROSE - 2.0f, nav2_a);
  // The aircraft, the heading readout and the range.
  OGL_line(C_WHITE, cx, cy - 8, cx, cy + 9);
  OGL_line(C_WHITE, cx - 8, cy + 2, cx + 9, cy + 2);
  char t[24];
  std::snprintf(t, sizeof t, "HDG %03d", intwrap(intround(hdg), 0, 359));
  text_centre(C_WHITE, cx, r.y + r.h - 10, t);
  dial_tick(C_ORANGE, cx, cy, ROSE + 1.0f, ROSE + 8.0f, 0.0f);
  std::snprintf(t, sizeof t, "%dNM", range);
  OGL_string(C_WHITE, r.x + 4, r.y + r.h - 12, t, 0, 0, 6);
  if (!nav1) {
    char ident[5] = {0, 0, 0, 0, 0};
    for (int i = 0; i < 4; i++) ident[i] = code_to_char(nav.gps_id[i]);
    std::snprintf(t, sizeof t, "%s %.1fNM", ident,
                  fltlim(nav.gps_dis * con.mtrstonm, 0.0f, 999.9f));
    OGL_string(C_MAGENTA, r.x + 4, r.y + 6, t, 0, 0, 6);
  }
}
