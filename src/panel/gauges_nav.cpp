// The navigation instruments: the ADF, the course-deviation indicators of NAV 1 and NAV 2 with
// glide slope and TO/FROM flags, the GPS display, and the radar altimeter.
#include <cmath>
#include <cstdio>

#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- ADF -------------------------------------------------------------------------------------

// Bearing of the station relative to the nose; with no station the needle rests at the wing.
static float adf_relative_bearing() {
  if (!nav.goodnav[4]) return 90.0f;
  float dx = nav.adfX - static_cast<float>(flt.X), dn = static_cast<float>(flt.Z) - nav.adfZ;
  if (dx == 0.0f && dn == 0.0f) return 0.0f;
  return fltwrap(std::atan2(dx, dn) * con.radtodeg - flt.psi, 0.0f, 360.0f);
}

void draw_adf(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  float a = adf_relative_bearing();
  if (!shown_changed(s, &a, 1, 0.5f, full)) return;
  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  dial_case(cx, cy, r);
  for (int d = 0; d < 360; d += 10) {
    dial_tick(C_WHITE, cx, cy, r - (d % 30 ? 5.0f : 9.0f), r - 2.0f, static_cast<float>(d));
    if (d % 90 == 0) {
      static const char* const lbl[4] = {"N", "E", "S", "W"};
      text_centre(C_WHITE, dial_px(cx, r - 16.0f, static_cast<float>(d)),
                  dial_py(cy, r - 16.0f, static_cast<float>(d)), lbl[d / 90]);
    }
  }
  text_centre(C_WHITE, cx, cy - 14, "ADF");
  dial_needle(C_YELLOW, cx, cy, r - 8.0f, a, 1);
}

// ---- Course deviation ------------------------------------------------------------------------

// Course-deviation indicator of receiver r (0 NAV 1, 1 NAV 2) in a slot.
static void draw_cdi(int slot, int r_idx, int full) {
  shown_values* s = &slot_shown[slot];
  int good = nav.goodnav[r_idx];
  // A glide slope is received only with a localizer that has one, and only where the localizer's
  // signal is: beyond the localizer (past the runway's far end, on a go-around) the receiver
  // measures no deviation, and a needle shown there would sit centred, on the path.
  int gs = good && nav.ntf[r_idx] != 0 && nav.ilsgs[r_idx] != 0 && nav.ilsgs[r_idx] != 9;
  float v[6] = {nav.obs[r_idx],
                good ? fltlim(nav.hdef[r_idx], -5.5f, 5.5f) : 0.0f,
                gs ? fltlim(nav.vdef[r_idx], -5.5f, 5.5f) : 0.0f,
                static_cast<float>(good ? nav.ntf[r_idx] : 0),
                static_cast<float>(gs),
                static_cast<float>(good)};
  if (!shown_changed(s, v, 6, 0.04f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  dial_case(cx, cy, r);
  // Course card with the selected course at the top.
  for (int d = 0; d < 360; d += 10) {
    float a = d - v[0];
    dial_tick(C_WHITE, cx, cy, r - (d % 30 ? 4.0f : 7.0f), r - 2.0f, a);
    if (d % 90 == 0) {
      static const char* const lbl[4] = {"N", "E", "S", "W"};
      text_centre(C_WHITE, dial_px(cx, r - 12.0f, a), dial_py(cy, r - 12.0f, a), lbl[d / 90]);
    }
  }
  dial_tick(C_ORANGE, cx, cy, r - 8.0f, r + 1.0f, 0.0f);
  // Five dots either way, for the course and the glide path.
  int k = r / 8, half = r * 3 / 5;
  for (int i = -5; i <= 5; i++) {
    if (i == 0) continue;
    OGL_fillrect(C_WHITE, cx + i * k - 1, cy - 1, 2, 2);
    OGL_fillrect(C_WHITE, cx - 1, cy + i * k - 1, 2, 2);
  }
  const char* title = r_idx ? "NAV2" : "NAV1";
  text_centre(C_WHITE, cx - 20, cy + half - 2, title);
  // TO/FROM flag, or the red flag without a station.
  if (v[3] == 1.0f || v[3] == 2.0f) {
    text_centre(C_WHITE, cx + 22, cy + 10, v[3] == 1.0f ? "TO" : "FR");
  } else {
    OGL_fillrect(C_RED, cx + 12, cy + 5, 21, 11);
    text_centre(C_WHITE, cx + 23, cy + 10, "NAV");
  }
  if (!gs) {
    OGL_fillrect(C_RED, cx + 12, cy - 16, 15, 11);
    text_centre(C_WHITE, cx + 20, cy - 11, "GS");
  }
  // A station off to the right moves the course needle right; flying above the glide path moves
  // the glide-slope needle down.
  int nx = cx + intround(v[1] * k);
  OGL_fillrect(C_NEEDLE, nx - 1, cy - half, 2, 2 * half);
  if (gs) {
    int ny = cy - intround(v[2] * k);
    OGL_fillrect(C_NEEDLE, cx - half, ny - 1, 2 * half, 2);
  }
  draw_knob(cx - r + 8, cy - r + 8, 6);
}

void draw_nav2(int slot, int full) { draw_cdi(slot, 1, full); }

// ---- GPS -------------------------------------------------------------------------------------

static void draw_gps(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  float id = 0.0f;
  for (int i = 0; i < 4; i++) id = id * 37.0f + intlim(nav.gps_id[i], 0, 36);
  float nm = nav.gps_dis * con.mtrstonm;
  float v[5] = {id, std::floor(nm * 10.0f), static_cast<float>(intround(nav.gps_crs)),
                static_cast<float>(intround(nav.gps_lock_crs)), fltlim(nav.hdef[0], -5.5f, 5.5f)};
  if (!shown_changed(s, v, 5, 0.04f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  clear_box(cx - r - 2, cy - r - 2, 2 * r + 5, 2 * r + 5);
  OGL_fillrect(C_BLACK, cx - r, cy - r + 20, 2 * r, 2 * r - 20);
  OGL_framerect(C_EDGE, cx - r, cy - r + 20, 2 * r, 2 * r - 20);
  char line[24], ident[5] = {0, 0, 0, 0, 0};
  for (int i = 0; i < 4; i++) ident[i] = code_to_char(nav.gps_id[i]);
  std::snprintf(line, sizeof line, "GPS %s", ident);
  OGL_string(C_GREEN, cx - r + 4, cy + r - 12, line, 0, 0, 6);
  std::snprintf(line, sizeof line, "DIS %5.1f", fltlim(nm, 0.0f, 999.9f));
  OGL_string(C_GREEN, cx - r + 4, cy + r - 24, line, 0, 0, 6);
  // Courses are shown magnetic, as the pilot flies them.
  std::snprintf(line, sizeof line, "BRG %03d",
                intwrap(intround(mag_from_true(nav.gps_crs)), 0, 359));
  OGL_string(C_GREEN, cx - r + 4, cy + r - 36, line, 0, 0, 6);
  std::snprintf(line, sizeof line, "CRS %03d",
                intwrap(intround(mag_from_true(nav.gps_lock_crs)), 0, 359));
  OGL_string(C_GREEN, cx - r + 4, cy + r - 48, line, 0, 0, 6);
  // Cross-track bar: 4 units a nautical mile, full scale 1.25 nm either way.
  int k = (r - 6) / 5, by = cy - r + 30;
  for (int i = -5; i <= 5; i++) OGL_fillrect(C_WHITE, cx + i * k - 1, by - 1, 2, 2);
  OGL_fillrect(C_MAGENTA, cx + intround(v[4] * k) - 1, by - 6, 2, 13);
  // The target and lock buttons under the display. The target button's left half steps to the
  // previous airport, its right half to the next: "-+", for the panel's letters have no angle
  // brackets, and a label of them left the button blank.
  draw_button({cx - r, cy - r - 1, 20, 16}, "-+", 0, C_GREEN);
  draw_button({cx + r - 24, cy - r - 1, 24, 16}, "LCK", 0, C_GREEN);
}

void draw_supp(int slot, int full) {
  if (supp_is_nav1())
    draw_cdi(slot, 0, full);
  else
    draw_gps(slot, full);
}

// ---- Radar altimeter -------------------------------------------------------------------------

// The radar measures down to what is under the aircraft: a deck or a roof as well as the ground.
// It reads from the wheels or the skids as the aircraft rests on them, so that it reads 0 standing
// on either (a helicopter's skids are no main gear, whose height would leave it at 4 ft).
float radar_altitude_ft() {
  float h = (static_cast<float>(flt.Y) - pln.h_eqlbm - carrying_surface_h()) * con.mtrstoft;
  return h == h ? fltlim(h, 0.0f, 2500.0f) : 0.0f;
}

// Expanded below 500 ft, where it matters: 0..500 ft over the first 180 degrees, 500..2500 ft
// over the next 140.
static float radalt_angle(float ft) {
  if (ft <= 500.0f) return 20.0f + 180.0f * fltmax2(ft, 0.0f) / 500.0f;
  return 200.0f + 140.0f * fltmin2(ft - 500.0f, 2000.0f) / 2000.0f;
}

void draw_radalt(int slot, int full, float ralt_ft) {
  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  if (r <= 0) return;
  dial_case(cx, cy, r);
  for (int ft = 0; ft <= 2500; ft += ft < 500 ? 50 : 500) {
    float a = radalt_angle(static_cast<float>(ft));
    int major = ft % 100 == 0;
    dial_tick(C_WHITE, cx, cy, r - (major ? 8.0f : 4.0f), r - 2.0f, a);
    if (ft % 100 == 0 && (ft <= 500 || ft % 500 == 0)) {
      char t[8];
      std::snprintf(t, sizeof t, "%d", ft / 100);
      text_centre(C_WHITE, dial_px(cx, r - 15.0f, a), dial_py(cy, r - 15.0f, a), t);
    }
  }
  text_centre(C_WHITE, cx, cy + 14, "RAD ALT");
  float dh = fltlim(ins.radalt_ft, 0.0f, 2500.0f);
  dial_tick(C_ORANGE, cx, cy, r - 10.0f, r + 1.0f, radalt_angle(dh));
  draw_light({cx + 6, cy - 22, 20, 11}, C_AMBER, ralt_ft < dh, "DH");
  dial_needle(C_NEEDLE, cx, cy, r - 6.0f, radalt_angle(ralt_ft), 1);
  draw_knob(cx - r + 8, cy - r + 8, 6);
}
