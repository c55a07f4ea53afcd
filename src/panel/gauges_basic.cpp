// The basic flight instruments: airspeed, attitude, altimeter, turn coordinator, directional gyro
// and vertical speed, each redrawn when what it shows moved, and frozen (or drifting, for the
// vacuum-driven gyros) when it has failed.
#include <cmath>
#include <cstdio>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

shown_values slot_shown[PANEL_SLOTS];

// ---- Airspeed --------------------------------------------------------------------------------

float asi_speed() { return pln.asi_units == 1 ? flt.vind * con.nm_to_sm : flt.vind; }

// The airspeed scale of the aircraft. One whose prepared scale cannot be drawn (no scale type,
// ends out of order) gets a plain linear one from 0 to beyond its redline. The compressed scale
// ends at a fixed speed, below the redline of a fast jet: it is carried on beyond the redline, so
// that the dial shows every speed up to it, and the redline itself, rather than a pinned needle.
static dial_scale asi_scale(int slot) {
  dial_scale d = {lay.cx[slot], lay.cy[slot], lay.rad[slot], pln.Vmin,
                  pln.Vmax,     20.0f,        340.0f,        pln.ASpwr};
  if (pln.Vne >= d.hi && pln.Vne < 10000.0f) d.hi = fltnear(pln.Vne + 10.0f, 10);
  if (!(d.pwr > 0.0f) || !(d.hi > d.lo) || d.lo < 0.0f) {
    d.pwr = 1.0f;
    d.lo = 0.0f;
    d.hi = fltmax2(fltnear(pln.Vne + 10.0f, 10), 100.0f);
  }
  return d;
}

static void draw_asi(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  dial_scale d = asi_scale(slot);
  float a = scale_angle(d, asi_speed());
  if (!rel.ss_asi && s->drawn) a = s->v[0];
  if (!shown_changed(s, &a, 1, 0.4f, full)) return;

  int cx = d.cx, cy = d.cy, r = d.r;
  dial_case(cx, cy, r);
  // Flap range (white, inside), normal range (green), caution range (yellow), redline.
  scale_arc(d, C_WHITE, pln.Vso, pln.Vfe, r - 12, r - 9);
  scale_arc(d, C_GREEN, pln.Vs, pln.Vno, r - 7, r - 3);
  scale_arc(d, C_YELLOW, pln.Vno, pln.Vne, r - 7, r - 3);
  if (pln.Vne > d.lo && pln.Vne < d.hi)
    dial_tick(C_RED, cx, cy, r - 12.0f, r - 2.0f, scale_angle(d, pln.Vne));
  int small, big, divisor;
  set_mod(intround(d.hi), &small, &big, &divisor);
  draw_scale(d, static_cast<float>(small), static_cast<float>(big), 1, r - 20);
  text_centre(C_WHITE, cx, cy + 14, pln.asi_units == 1 ? "MPH" : "KNOTS");
  dial_needle(C_NEEDLE, cx, cy, r - 6.0f, a, 1);
}

// ---- Attitude --------------------------------------------------------------------------------

// The gyro winds down over half a minute after the vacuum fails, wandering towards the errors
// the failure drew.
void shown_attitude(float* the, float* phi) {
  *the = flt.the180;
  *phi = flt.phi180;
  if (rel.vacuum) return;
  float t = msc.elap_time - rel.vac_death_time;
  float f = t < 0.0f ? 1.0f : fltlim(t / 30.0f, 0.0f, 1.0f);  // the clock wrapped at midnight
  *the = fltwrap(*the + f * rel.the_fail_err, -180.0f, 180.0f);
  *phi = fltwrap(*phi + f * rel.phi_fail_err, -180.0f, 180.0f);
}

// One row of an attitude display from xa to xb split at the horizon: a point is sky when
// -x sin(phi) + y cos(phi) + ppd the > 0 (the horizon turns against the bank and sinks as the
// nose rises).
static void paint_span(int cx, int row, int y, int xa, int xb, float sp, float cp, float lift) {
  if (xb < xa) return;
  float a = -sp, b = y * cp + lift;
  if (std::fabs(a) < 1.0e-4f) {
    OGL_fillrect(b > 0.0f ? C_SKY : C_GROUND, cx + xa, row, xb - xa + 1, 1);
    return;
  }
  float xh = fltlim(-b / a, xa - 1.0f, xb + 1.0f);
  int left_sky = a < 0.0f;
  int split = left_sky ? static_cast<int>(std::ceil(xh)) : static_cast<int>(std::floor(xh)) + 1;
  split = intlim(split, xa, xb + 1);
  if (split > xa) OGL_fillrect(left_sky ? C_SKY : C_GROUND, cx + xa, row, split - xa, 1);
  if (split <= xb) OGL_fillrect(left_sky ? C_GROUND : C_SKY, cx + split, row, xb - split + 1, 1);
}

void paint_horizon(int cx, int cy, float the, float phi, float ppd, int top, int bot, const int* x1,
                   const int* x2, int semidim, const int* hole1, const int* hole2, int hole_top,
                   int hole_bot, int with_pitch) {
  the = sane(the, 180.0f);
  phi = sane(phi, 360.0f);
  float sp = std::sin(phi * con.degtorad), cp = std::cos(phi * con.degtorad);
  float lift = with_pitch ? ppd * the : 0.0f;
  for (int j = top; j <= bot; j++) {
    int y = semidim - j;
    if (hole1 && j >= hole_top && j <= hole_bot && hole2[j] >= hole1[j]) {
      paint_span(cx, cy + y, y, x1[j], hole1[j] - 1, sp, cp, lift);
      paint_span(cx, cy + y, y, hole2[j] + 1, x2[j], sp, cp, lift);
    } else {
      paint_span(cx, cy + y, y, x1[j], x2[j], sp, cp, lift);
    }
  }
}

// A line parallel to the horizon, q degrees of pitch above it, of half-length len; drawn only
// where it lies wholly inside the radius `inside`.
static void pitch_line(int cx, int cy, float the, float phi, float ppd, float q, float len,
                       float inside) {
  float sp = std::sin(phi * con.degtorad), cp = std::cos(phi * con.degtorad);
  float d = ppd * (the - q);
  float px = d * sp, py = -d * cp;
  if (len <= 0.0f) {  // the horizon itself, as far as the disc reaches
    float rest = inside * inside - (px * px + py * py);
    if (rest <= 0.0f) return;
    len = std::sqrt(rest);
  } else if (std::sqrt(px * px + py * py + len * len) > inside) {
    return;
  }
  OGL_line(C_WHITE, cx + intround(px - len * cp), cy + intround(py - len * sp),
           cx + intround(px + len * cp), cy + intround(py + len * sp));
}

static void draw_ahz(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  float v[2];
  shown_attitude(&v[0], &v[1]);
  if (!rel.ss_ahz && s->drawn) v[0] = s->v[0], v[1] = s->v[1];
  if (!shown_changed(s, v, 2, 0.25f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  float the = v[0], phi = v[1], ppd = 2.0f;
  dial_case(cx, cy, r);
  // The roll ring turns with the bank only; the ball inside it moves with the pitch too.
  paint_horizon(cx, cy, the, phi, ppd, pln.ah_top_roll, pln.ah_bot_roll, pln.ahx1_roll,
                pln.ahx2_roll, pln.ah_semidim_int, pln.ahx1_prim, pln.ahx2_prim, pln.ah_top_prim,
                pln.ah_bot_prim, 0);
  paint_horizon(cx, cy, the, phi, ppd, pln.ah_top_prim, pln.ah_bot_prim, pln.ahx1_prim,
                pln.ahx2_prim, pln.ah_semidim_int, nullptr, nullptr, 0, 0, 1);
  float ball = pln.ah_bot_prim - pln.ah_semidim_int - 1.0f;
  for (int q = -20; q <= 20; q += 5) {
    if (q != 0)
      pitch_line(cx, cy, the, phi, ppd, static_cast<float>(q), q % 10 ? 6.0f : 12.0f, ball);
  }
  pitch_line(cx, cy, the, phi, ppd, 0.0f, 0.0f, ball);
  // Bank marks on the case, and the pointer on the ring.
  static const int marks[] = {-60, -45, -30, -20, -10, 0, 10, 20, 30, 45, 60};
  for (int m : marks) dial_tick(C_WHITE, cx, cy, r - 3.0f, r + 0.0f, static_cast<float>(m));
  dial_tick(C_WHITE, cx, cy, pln.ah_semidim_flt - 8.0f, pln.ah_semidim_flt, -phi);
  dial_tick(C_WHITE, cx, cy, pln.ah_semidim_flt - 8.0f, pln.ah_semidim_flt - 4.0f, -phi - 4.0f);
  dial_tick(C_WHITE, cx, cy, pln.ah_semidim_flt - 8.0f, pln.ah_semidim_flt - 4.0f, -phi + 4.0f);
  // The little aeroplane, raised or lowered by the pilot's adjustment.
  int ay = cy + intround(fltlim(set.ah_bar_adjust, -10.0f, 10.0f));
  OGL_fillrect(C_AMBER, cx - 30, ay, 20, 2);
  OGL_fillrect(C_AMBER, cx + 11, ay, 20, 2);
  OGL_fillrect(C_AMBER, cx - 1, ay - 1, 3, 3);
}

// ---- Altimeter -------------------------------------------------------------------------------

static void draw_alt(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  // The setting in the feet it moves the needles, so that each step of the knob redraws the
  // window even when the needles stand still.
  float v[2] = {flt.h_ind * con.mtrstoft, ins.baro * 1000.0f};
  if (!rel.ss_alt && s->drawn) v[0] = s->v[0];
  if (!shown_changed(s, v, 2, 1.5f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  float h = v[0];
  dial_case(cx, cy, r);
  for (int i = 0; i < 50; i++) {
    float a = i * 7.2f;
    dial_tick(C_WHITE, cx, cy, r - (i % 5 ? 5.0f : 9.0f), r - 2.0f, a);
    if (i % 5 == 0) {
      char t[2] = {static_cast<char>('0' + i / 5), 0};
      text_centre(C_WHITE, dial_px(cx, r - 16.0f, a), dial_py(cy, r - 16.0f, a), t);
    }
  }
  // The Kollsman window with the setting, hundredths of an inch of mercury.
  char baro[16];
  std::snprintf(baro, sizeof baro, "%5.2f", fltlim(v[1] / 1000.0f, 0.0f, 99.99f));
  OGL_fillrect(C_BLACK, cx + 12, cy - 6, 32, 12);
  OGL_framerect(C_EDGE, cx + 12, cy - 6, 32, 12);
  OGL_string(C_WHITE, cx + 14, cy - 3, baro, 0, 0, 6);
  text_centre(C_WHITE, cx, cy + 20, "ALT");
  draw_knob(cx - r + 8, cy - r + 8, 7);

  float h1 = std::fmod(h, 1000.0f), h10 = std::fmod(h, 10000.0f), h100 = std::fmod(h, 100000.0f);
  if (h1 < 0.0f) h1 += 1000.0f;
  if (h10 < 0.0f) h10 += 10000.0f;
  if (h100 < 0.0f) h100 += 100000.0f;
  dial_needle(C_NEEDLE, cx, cy, r - 4.0f, h100 * 0.0036f, 0);
  dial_needle(C_NEEDLE, cx, cy, r * 0.5f, h10 * 0.036f, 1);
  dial_needle(C_NEEDLE, cx, cy, r - 8.0f, h1 * 0.36f, 1);
}

// ---- Turn coordinator ------------------------------------------------------------------------

// Where the inclinometer's ball lies, degrees to the right: along the apparent vertical, the
// acceleration less gravity taken across the wings against the floor. Parked on level ground it
// sits in the middle whatever the wind blows (the sideslip there is only the wind's, or nothing
// over nothing at rest); in a coordinated turn too; it rolls to the low wing in a slip and
// outwards in a skid. Under negative g the ball still goes the way the side force pushes it.
static float slip_ball_deg() {
  const float fe = flt.aX, fu = flt.aY + atm.g, fn = flt.aZ;
  const float st = flt.sinthe, ct = flt.costhe, sb = flt.sinphi, cb = flt.cosphi;
  const float sp = flt.sinpsi, cp = flt.cospsi;
  const float right = fn * (sb * st * cp - cb * sp) + fe * (sb * st * sp + cb * cp) - fu * sb * ct;
  const float up = -fn * (cb * st * cp + sb * sp) - fe * (cb * st * sp - sb * cp) + fu * cb * ct;
  return std::atan2(-right, std::fabs(up)) * con.radtodeg;
}

static void draw_tsi(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  // The symbol banks 20 degrees at a standard-rate turn (3 degrees a second); the ball moves two
  // pixels for each degree the apparent vertical leans, to the ends of its tube at ten.
  float v[2] = {fltlim(flt.psidot / 3.0f * 20.0f, -40.0f, 40.0f),
                fltlim(slip_ball_deg() * 2.0f, -20.0f, 20.0f)};
  if (!rel.ss_tsi && s->drawn) v[0] = s->v[0], v[1] = s->v[1];
  if (!shown_changed(s, v, 2, 0.3f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  dial_case(cx, cy, r);
  // Wings level and standard-rate marks on either side.
  for (float a : {90.0f, 110.0f, 250.0f, 270.0f})
    dial_tick(C_WHITE, cx, cy, r - 12.0f, r - 3.0f, a);
  text_centre(C_WHITE, dial_px(cx, r - 20.0f, 245.0f), dial_py(cy, r - 20.0f, 245.0f), "L");
  text_centre(C_WHITE, dial_px(cx, r - 20.0f, 115.0f), dial_py(cy, r - 20.0f, 115.0f), "R");
  text_centre(C_WHITE, cx, cy + 30, "TURN COORD");
  // Inclinometer tube and ball.
  int ty = cy - r / 2 - 6;
  OGL_fillrect(C_BUTTON, cx - 26, ty - 5, 53, 11);
  OGL_line(C_BLACK, cx - 6, ty - 5, cx - 6, ty + 6);
  OGL_line(C_BLACK, cx + 6, ty - 5, cx + 6, ty + 6);
  OGL_fillcircle(C_BLACK, cx + intround(v[1]), ty, 4);
  // The aeroplane: wings, fuselage and fin.
  float wing = r * 0.6f;
  OGL_line(C_WHITE, dial_px(cx, wing, 270.0f + v[0]), dial_py(cy, wing, 270.0f + v[0]),
           dial_px(cx, wing, 90.0f + v[0]), dial_py(cy, wing, 90.0f + v[0]));
  OGL_line(C_WHITE, dial_px(cx, wing, 270.0f + v[0]), dial_py(cy, wing, 270.0f + v[0]) + 1,
           dial_px(cx, wing, 90.0f + v[0]), dial_py(cy, wing, 90.0f + v[0]) + 1);
  OGL_fillcircle(C_WHITE, cx, cy, 4);
  dial_tick(C_WHITE, cx, cy, 4.0f, 10.0f, v[0]);
}

// ---- Directional gyro ------------------------------------------------------------------------

// The compass card's labels every 30 degrees.
static const char* const card_label[12] = {"N", "3",  "6",  "E", "12", "15",
                                           "S", "21", "24", "W", "30", "33"};

// A compass card turned so that `up` is under the lubber line.
static void compass_card(int cx, int cy, int r, float up) {
  for (int d = 0; d < 360; d += 5) {
    float a = d - up;
    dial_tick(C_WHITE, cx, cy, r - (d % 10 ? 4.0f : 8.0f), r - 1.0f, a);
    if (d % 30 == 0) {
      text_centre(C_WHITE, dial_px(cx, r - 15.0f, a), dial_py(cy, r - 15.0f, a),
                  card_label[d / 30]);
    }
  }
}

static void draw_dgy(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  float v[2] = {flt.magpsi, nav.hdsel};
  if ((!rel.ss_dgy || !rel.vacuum) && s->drawn) v[0] = s->v[0];
  if (!shown_changed(s, v, 2, 0.3f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  dial_case(cx, cy, r);
  compass_card(cx, cy, r - 2, v[0]);
  // Heading bug, lubber line and the aeroplane.
  float bug = v[1] - v[0];
  dial_tick(C_ORANGE, cx, cy, r - 12.0f, r - 3.0f, bug - 3.0f);
  dial_tick(C_ORANGE, cx, cy, r - 12.0f, r - 3.0f, bug + 3.0f);
  dial_tick(C_ORANGE, cx, cy, r - 3.0f, r + 1.0f, 0.0f);
  OGL_line(C_WHITE, cx - 12, cy, cx + 13, cy);
  OGL_line(C_WHITE, cx, cy - 12, cx, cy + 16);
  OGL_line(C_WHITE, cx - 5, cy - 10, cx + 6, cy - 10);
  draw_knob(cx - r + 8, cy - r + 8, 7);
}

// ---- Vertical speed --------------------------------------------------------------------------

// Zero at nine o'clock, climbs clockwise and descents anticlockwise to 170 degrees either way.
// Type 2 reads to 6000 ft/min on a square-root scale, the others to 2000 ft/min linearly.
static float vsi_angle(float fpm) {
  float top = pln.VVItype == 2 ? 6000.0f : 2000.0f;
  float f = fltlim(fpm / top, -1.05f, 1.05f);
  if (pln.VVItype == 2) f = fltsgn(f) * std::sqrt(std::fabs(f));
  return 270.0f + 170.0f * f;
}

static void draw_vsi(int slot, int full) {
  shown_values* s = &slot_shown[slot];
  float a = vsi_angle(flt.vu * con.msctofpm);
  if (!rel.ss_vvi && s->drawn) a = s->v[0];
  if (!shown_changed(s, &a, 1, 0.4f, full)) return;

  int cx = lay.cx[slot], cy = lay.cy[slot], r = lay.rad[slot];
  int wide_scale = pln.VVItype == 2;
  float top = wide_scale ? 6000.0f : 2000.0f, minor = wide_scale ? 500.0f : 100.0f;
  float major = wide_scale ? 1000.0f : 500.0f, unit = wide_scale ? 1000.0f : 100.0f;
  dial_case(cx, cy, r);
  for (float f = -top; f <= top + 1.0f; f += minor) {
    int is_major = std::fmod(std::fabs(f) + 1.0f, major) < 2.0f;
    float ang = vsi_angle(f);
    dial_tick(C_WHITE, cx, cy, r - (is_major ? 9.0f : 5.0f), r - 2.0f, ang);
    if (is_major && std::fabs(f) < top + 1.0f) {
      char t[8];
      std::snprintf(t, sizeof t, "%d", intround(std::fabs(f) / unit));
      text_centre(C_WHITE, dial_px(cx, r - 17.0f, ang), dial_py(cy, r - 17.0f, ang), t);
    }
  }
  text_centre(C_WHITE, cx + 8, cy + 22, "UP");
  text_centre(C_WHITE, cx + 8, cy - 22, "DN");
  text_centre(C_WHITE, cx + 14, cy, wide_scale ? "X1000" : "X100");
  dial_needle(C_NEEDLE, cx, cy, r - 6.0f, a, 1);
}

// ---- Slots -----------------------------------------------------------------------------------

void draw_slot(int slot, int full) {
  switch (lay.ins[slot]) {
    case INS_ASI:
      draw_asi(slot, full);
      break;
    case INS_AHZ:
      draw_ahz(slot, full);
      break;
    case INS_ALT:
      draw_alt(slot, full);
      break;
    case INS_SUPP:
      draw_supp(slot, full);
      break;
    case INS_TSI:
      draw_tsi(slot, full);
      break;
    case INS_DGY:
      draw_dgy(slot, full);
      break;
    case INS_VSI:
      draw_vsi(slot, full);
      break;
    case INS_ADF:
      draw_adf(slot, full);
      break;
    case INS_NAV2:
      draw_nav2(slot, full);
      break;
    default:  // the radar altimeter is drawn by its warning update
      break;
  }
}
