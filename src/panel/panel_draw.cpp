// Drawing helpers of the panel: instrument cases, scales, needles, centred text, buttons, knobs
// and lights, all in window pixels through the OGL_ primitives.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"

int in_rect(const panel_rect& r, int x, int y) {
  return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

void clear_box(int x, int y, int w, int h) { OGL_fillrect(C_PANEL, x, y, w, h); }

void dial_case(int cx, int cy, int r) {
  clear_box(cx - r - 2, cy - r - 2, 2 * r + 5, 2 * r + 5);
  OGL_fillcircle(C_BLACK, cx, cy, r + 1);
  OGL_framecircle(C_EDGE, cx, cy, r + 1);
  OGL_fillcircle(C_FACE, cx, cy, r - 2);
}

int dial_px(int cx, float r, float deg) { return cx + intround(r * std::sin(deg * con.degtorad)); }

int dial_py(int cy, float r, float deg) { return cy + intround(r * std::cos(deg * con.degtorad)); }

void dial_tick(int c, int cx, int cy, float r1, float r2, float deg) {
  OGL_line(c, dial_px(cx, r1, deg), dial_py(cy, r1, deg), dial_px(cx, r2, deg),
           dial_py(cy, r2, deg));
}

void dial_needle(int c, int cx, int cy, float len, float deg, int wide) {
  float s = std::sin(deg * con.degtorad), k = std::cos(deg * con.degtorad);
  int tx = cx + intround(len * s), ty = cy + intround(len * k);
  int bx = cx - intround(0.15f * len * s), by = cy - intround(0.15f * len * k);
  OGL_line(c, bx, by, tx, ty);
  if (wide) {
    // Two more lines a pixel to either side, meeting at the tip.
    int ox = intround(k), oy = intround(-s);
    if (ox == 0 && oy == 0) ox = 1;
    OGL_line(c, bx + ox, by + oy, tx, ty);
    OGL_line(c, bx - ox, by - oy, tx, ty);
  }
  OGL_fillcircle(c, cx, cy, wide ? 3 : 2);
}

float sane(float x, float limit) { return x == x ? fltlim(x, -limit, limit) : 0.0f; }

int text_width(const char* s) {
  int n = static_cast<int>(std::strlen(s));
  return n > 0 ? (n - 1) * 6 + 5 : 0;
}

void text_centre(int c, int x, int y, const char* s) {
  OGL_string(c, x - text_width(s) / 2, y - 3, s, 0, 0, 6);
}

// ---- Scales ----------------------------------------------------------------------------------

// The value along the scale as a fraction 0..1 of its sweep, before limiting: linear, or linear
// in value^pwr for a compressed scale (which needs no negative values).
static float scale_fraction(const dial_scale& d, float v) {
  if (d.pwr == 1.0f || d.pwr <= 0.0f || d.lo < 0.0f)
    return d.hi != d.lo ? (v - d.lo) / (d.hi - d.lo) : 0.0f;
  float lo = std::pow(d.lo, d.pwr), hi = std::pow(d.hi, d.pwr);
  float x = std::pow(fltmax2(v, 0.0f), d.pwr);
  return hi != lo ? (x - lo) / (hi - lo) : 0.0f;
}

// A needle below the scale rests a little short of its start, one above it a little past its end,
// as against the stop pins of a real gauge.
float scale_angle(const dial_scale& d, float v) {
  float f = scale_fraction(d, v);
  if (!(f == f)) f = 0.0f;  // NaN: at the start
  f = fltlim(f, -0.03f, 1.03f);
  return d.a_lo + f * (d.a_hi - d.a_lo);
}

void draw_scale(const dial_scale& d, float minor, float major, int divisor, int label_r) {
  if (!(d.hi > d.lo) || !(minor > 0.0f) || !(major > 0.0f)) return;
  if (!(std::fabs(d.lo / minor) < 1.0e6f && std::fabs(d.hi / minor) < 1.0e6f)) return;
  // Ticks count from zero so that labels fall on round values whatever the scale's start.
  int first = static_cast<int>(std::ceil(d.lo / minor - 0.001f));
  int last = static_cast<int>(std::floor(d.hi / minor + 0.001f));
  if (last - first > 400) return;  // a scale this dense would be a smear
  int last_lx = -9999, last_ly = -9999, last_w = 0;
  for (int i = first; i <= last; i++) {
    float v = i * minor;
    float a = scale_angle(d, v);
    float m = std::fmod(std::fabs(v) + 0.001f * minor, major);
    int is_major = m < 0.01f * minor;
    dial_tick(C_WHITE, d.cx, d.cy, d.r - (is_major ? 8.0f : 4.0f), d.r - 1.0f, a);
    if (!is_major || label_r <= 0) continue;
    // Labels count whole units of the divisor: a major tick between two of them (every fifty on
    // a scale labelled in hundreds) stays unlabelled, as rounded it would name the next hundred.
    const int unit = divisor > 0 ? divisor : 1;
    const float units = v / static_cast<float>(unit);
    if (std::fabs(units - std::round(units)) > 0.01f) continue;
    char s[16];
    std::snprintf(s, sizeof s, "%d", intround(units));
    int lx = dial_px(d.cx, static_cast<float>(label_r), a);
    int ly = dial_py(d.cy, static_cast<float>(label_r), a);
    int w = text_width(s);
    // A label too close to the one before is left out rather than drawn over it.
    if (std::abs(lx - last_lx) * 2 < w + last_w + 4 && std::abs(ly - last_ly) < 10) continue;
    text_centre(C_WHITE, lx, ly, s);
    last_lx = lx, last_ly = ly, last_w = w;
  }
}

void scale_arc(const dial_scale& d, int c, float v1, float v2, int r1, int r2) {
  if (!(v2 > v1)) return;
  int a1 = intround(scale_angle(d, v1)), a2 = intround(scale_angle(d, v2));
  if (a2 <= a1) return;
  OGL_arc(c, d.cx, d.cy, r1, r2, a1, a2);
}

// ---- Controls and lights ---------------------------------------------------------------------

void draw_button(const panel_rect& r, const char* label, int lit, int lit_c) {
  OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
  OGL_framerect(lit ? lit_c : C_SHADOW, r.x, r.y, r.w, r.h);
  text_centre(lit ? lit_c : C_EDGE, r.x + r.w / 2, r.y + r.h / 2, label);
}

void draw_knob(int x, int y, int r) {
  OGL_fillcircle(C_SHADOW, x, y, r);
  OGL_framecircle(C_BLACK, x, y, r);
  OGL_line(C_WHITE, x, y, x, y + r);
}

void draw_light(const panel_rect& r, int c, int lit, const char* label) {
  OGL_fillrect(lit ? c : C_BLACK, r.x, r.y, r.w, r.h);
  OGL_framerect(C_EDGE, r.x, r.y, r.w, r.h);
  if (label && *label) text_centre(lit ? C_BLACK : C_EDGE, r.x + r.w / 2, r.y + r.h / 2, label);
}
