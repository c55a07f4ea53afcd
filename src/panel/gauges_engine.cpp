// The engine instruments: round dials with a needle per engine (tachometer, manifold pressure or
// torque, or N1 for jets; fuel flow, exhaust temperature, fuel quantity and oil pressure), scaled
// by the gauge helpers; or, on aircraft with an ECAM, its engine page of tapes and its failure
// page, between which a click on the display switches.
#include <cstdio>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"

enum { EG_TACH, EG_MP, EG_TRQ, EG_N1, EG_FF, EG_EGT, EG_FUEL, EG_OIL, EG_KINDS };
enum { MAX_DIALS = 6, OIL_NORMAL_PSI = 80 };

static const char* const gauge_title[EG_KINDS] = {"RPM", "MP",  "TRQ",  "N1",
                                                  "FF",  "EGT", "FUEL", "OIL"};

// The gauges the aircraft's engines have, in panel order.
static int engine_kinds(int kinds[MAX_DIALS]) {
  if (pln.entype == ENGINE_NONE || pln.numen < 1) return 0;
  int n = 0;
  if (pln.entype == ENGINE_JET) {
    kinds[n++] = EG_N1;
    kinds[n++] = EG_EGT;
    kinds[n++] = EG_FF;
  } else {
    kinds[n++] = EG_TACH;
    kinds[n++] = pln.entype == ENGINE_PISTON ? EG_MP : EG_TRQ;
    kinds[n++] = EG_FF;
    kinds[n++] = EG_EGT;
  }
  kinds[n++] = EG_FUEL;
  kinds[n++] = EG_OIL;
  return n;
}

static float gauge_top(int kind) {
  switch (kind) {
    case EG_TACH:
      return tac_max();
    case EG_MP:
      return mpr_max();
    case EG_TRQ:
      return trq_max();
    case EG_N1:
      return n1__max();
    case EG_FF:
      return ff__max();
    case EG_FUEL:
      return static_cast<float>(gage_me(pln.m_fuel * con.kgstolbs));
    default:  // exhaust temperature in percent of its limit, oil pressure in psi
      return 100.0f;
  }
}

static float gauge_value(int kind, int e) {
  switch (kind) {
    case EG_TACH:  // a helicopter's engines all turn the main rotor; its disc 1 is the tail's
      return flt.tac[pln.is_heli ? 0 : e] * con.rsctorpm;
    case EG_MP:
      return flt.mpr[e];
    case EG_TRQ:
      return flt.trq[e] * con.nmtoftlb;
    case EG_N1:
      return flt.n1_[e];
    case EG_FF:
      return flt.ff_[e] * con.kgstolbs * 3600.0f;
    case EG_EGT:
      return flt.egt[e] * 100.0f;
    case EG_FUEL:
      return flt.m_fuel * con.kgstolbs;
    default:  // pressure needs a turning engine; only a failed pump's bleeds away
      return flt.eng_running[e] ? (rel.oilpmp[e] ? 1.0f : rel.oil_rat) * OIL_NORMAL_PSI : 0.0f;
  }
}

// Fuel is one tank for all engines; every other gauge has a needle or tape per engine.
static int gauge_engines(int kind) {
  return kind == EG_FUEL ? 1 : intlim(pln.numen, 1, MAX_ENGINES);
}

// ---- Dials -----------------------------------------------------------------------------------

static const int needle_colour[MAX_ENGINES] = {C_NEEDLE, C_YELLOW, C_CYAN, C_MAGENTA};

static void dial_centre(int i, int* cx, int* cy) {
  *cx = i % 2 ? pln.gsx2 : pln.gsx1;
  *cy = i / 2 == 0 ? pln.gsy2 : i / 2 == 1 ? pln.gsyc : pln.gsy1;
}

static void draw_dial(int i, int kind, const float* angle, int n) {
  int cx, cy, r = pln.gsw / 2;
  dial_centre(i, &cx, &cy);
  float top = gauge_top(kind);
  dial_scale d = {cx, cy, r, 0.0f, top, -120.0f, 120.0f, 1.0f};
  dial_case(cx, cy, r);
  if (kind == EG_TACH) {
    scale_arc(d, C_GREEN, pln.omegamingreen * con.rsctorpm, pln.omegamaxgreen * con.rsctorpm, r - 5,
              r - 3);
    dial_tick(C_RED, cx, cy, r - 9.0f, r - 2.0f, scale_angle(d, pln.omegamax * con.rsctorpm));
  }
  int small, big, divisor;
  set_mod(intround(top), &small, &big, &divisor);
  draw_scale(d, static_cast<float>(small), static_cast<float>(big), divisor, r - 13);
  text_centre(C_WHITE, cx, cy - 13, gauge_title[kind]);
  for (int e = n - 1; e >= 0; e--) dial_needle(needle_colour[e], cx, cy, r - 4.0f, angle[e], 0);
}

static void draw_dials(int full) {
  static shown_values s[MAX_DIALS];
  int kinds[MAX_DIALS], n = engine_kinds(kinds);
  for (int i = 0; i < n; i++) {
    int engines = gauge_engines(kinds[i]);
    dial_scale d = {0, 0, 0, 0.0f, gauge_top(kinds[i]), -120.0f, 120.0f, 1.0f};
    float a[MAX_ENGINES];
    for (int e = 0; e < engines; e++) a[e] = scale_angle(d, gauge_value(kinds[i], e));
    if (shown_changed(&s[i], a, engines, 0.5f, full)) draw_dial(i, kinds[i], a, engines);
  }
}

// ---- ECAM ------------------------------------------------------------------------------------

enum { TAPE_STEPS = 101 };
static int tape_colour[TAPE_STEPS];  // colour of a tape filled to each percent of its scale

// Green in the normal range, amber approaching the top of the scale, red at the top.
void init_tape() {
  for (int p = 0; p < TAPE_STEPS; p++)
    tape_colour[p] = p <= 85 ? C_GREEN : p <= 95 ? C_AMBER : C_RED;
}

static void click_ecam(int arg, int x, int y, const panel_rect& r) {
  ins.ecam_mode = ins.ecam_mode == 7 ? 3 : 7;
  panel_dirty |= DIRTY_ECAM;
}

// The failure page's lines: a name and whether that item has failed.
struct failure_line {
  const char* name;
  int failed;
};

static int failure_lines(failure_line* out, int max) {
  int n = 0;
  auto add = [&](const char* name, int works) {
    if (!works && n < max) out[n++] = {name, 1};
  };
  add("VACUUM", rel.vacuum);
  add("AIRSPEED", rel.ss_asi);
  add("ATTITUDE", rel.ss_ahz);
  add("ALTIMETER", rel.ss_alt);
  add("TURN COORD", rel.ss_tsi);
  add("DIR GYRO", rel.ss_dgy);
  add("VERT SPEED", rel.ss_vvi);
  add("EFIS 1", rel.efis_1);
  add("EFIS 2", rel.efis_2);
  static const char* const eng[4] = {"ENGINE 1", "ENGINE 2", "ENGINE 3", "ENGINE 4"};
  static const char* const gov[4] = {"GOVERNOR 1", "GOVERNOR 2", "GOVERNOR 3", "GOVERNOR 4"};
  static const char* const rev[4] = {"REVERSER 1", "REVERSER 2", "REVERSER 3", "REVERSER 4"};
  static const char* const oil[4] = {"OIL PUMP 1", "OIL PUMP 2", "OIL PUMP 3", "OIL PUMP 4"};
  for (int e = 0; e < intlim(pln.numen, 0, MAX_ENGINES); e++) {
    add(eng[e], rel.engine[e]);
    add(gov[e], rel.thrgov[e]);
    add(rev[e], rel.revlok[e]);
    add(oil[e], rel.oilpmp[e]);
  }
  add("AILERONS", rel.fc_ail);
  add("ELEVATOR", rel.fc_elv);
  add("RUDDER", rel.fc_rud);
  add("FLAPS", rel.fc_flp);
  add("SLATS", rel.fc_slt);
  add("THROTTLE", rel.fc_thr);
  static const char* const leg[3] = {"NOSE GEAR", "LEFT GEAR", "RIGHT GEAR"};
  for (int k = 0; k < GEAR_LEGS; k++) add(leg[k], rel.lagear[k]);
  add("HYDRAULICS", rel.hydsys);
  add("STAB AUG", rel.stbaug);
  add("FLAP SYMM", rel.symflp);
  add("STAB TRIM", rel.sttrim);
  add("ANTI-ICE", rel.antice);
  add("COCKPIT LTS", rel.clights);
  add("AUTOPILOT", rel.otto);
  add("TAIL ROTOR", rel.trotor);
  return n;
}

static void draw_failure_page(const panel_rect& r) {
  failure_line lines[48];
  int n = failure_lines(lines, 48);
  OGL_string(C_WHITE, r.x + 4, r.y + r.h - 12, "FAILURES", 0, 0, 6);
  if (n == 0) OGL_string(C_GREEN, r.x + 4, r.y + r.h - 26, "NONE", 0, 0, 6);
  int rows = (r.h - 24) / 9;
  for (int i = 0; i < n && i < rows; i++)
    OGL_string(C_AMBER, r.x + 4, r.y + r.h - 26 - 9 * i, lines[i].name, 0, 0, 6);
}

static void draw_engine_page(const panel_rect& r) {
  int kinds[MAX_DIALS], n = engine_kinds(kinds);
  OGL_string(C_WHITE, r.x + 4, r.y + r.h - 12, "ENGINES", 0, 0, 6);
  if (n == 0) return;
  // Four tapes fit side by side with their titles: the engines' gauges first, then the fuel.
  int groups = intmin2(n, 4), gw = (r.w - 4) / groups;
  int bar_lo = r.y + 56, bar_hi = r.y + r.h - 30;
  for (int g = 0; g < groups; g++) {
    int kind = kinds[g], engines = gauge_engines(kind);
    int gx = r.x + 3 + g * gw, bw = intmax2((gw - 4) / engines - 1, 2);
    text_centre(C_WHITE, gx + gw / 2, bar_hi + 8, gauge_title[kind]);
    float top = gauge_top(kind);
    for (int e = 0; e < engines; e++) {
      float f = top > 0.0f ? fltlim(gauge_value(kind, e) / top, 0.0f, 1.0f) : 0.0f;
      int x = gx + 1 + e * (bw + 1), h = intround(f * (bar_hi - bar_lo));
      OGL_framerect(C_EDGE, x - 1, bar_lo - 1, bw + 2, bar_hi - bar_lo + 2);
      // Full tanks are no caution: the fuel tape turns amber as the fuel caution light comes on.
      // N1's scale ends at the rated 100 %, which full power reaches at every take-off and no
      // engine passes: its whole tape is the normal range, not a red line.
      int c = tape_colour[intlim(intround(f * 100.0f), 0, TAPE_STEPS - 1)];
      if (kind == EG_FUEL) c = fuel_low() ? C_AMBER : C_GREEN;
      if (kind == EG_N1) c = C_GREEN;
      OGL_fillrect(c, x, bar_lo, bw, h);
    }
  }
  char t[24];
  std::snprintf(t, sizeof t, "FUEL %d LB", intlim(intround(gauge_value(EG_FUEL, 0)), 0, 999999));
  OGL_string(C_WHITE, r.x + 4, r.y + 43, t, 0, 0, 6);
  // The first gauge of each engine as a number, under the tapes.
  for (int e = 0; e < intlim(pln.numen, 0, MAX_ENGINES); e++) {
    std::snprintf(t, sizeof t, "%d %s %d", e + 1, gauge_title[kinds[0]],
                  intlim(intround(gauge_value(kinds[0], e)), -99999, 99999));
    OGL_string(needle_colour[e], r.x + 4, r.y + 33 - 9 * e, t, 0, 0, 6);
  }
}

static void draw_ecam(int full) {
  static shown_values s;
  const panel_rect& r = lay.engines;
  float v[24];
  std::memset(v, 0, sizeof v);
  v[0] = static_cast<float>(ins.ecam_mode);
  if (ins.ecam_mode == 7) {
    failure_line lines[48];
    v[1] = static_cast<float>(failure_lines(lines, 48));  // each drawn or mended changes it
  } else {
    int kinds[MAX_DIALS], n = engine_kinds(kinds);
    for (int g = 0, k = 1; g < n && g < 4; g++) {
      float top = gauge_top(kinds[g]);
      for (int e = 0; e < gauge_engines(kinds[g]) && k < 23; e++, k++)
        v[k] = top > 0.0f ? gauge_value(kinds[g], e) / top : 0.0f;
    }
    v[23] = static_cast<float>(intround(gauge_value(EG_FUEL, 0))) * 0.004f;  // a pound a step
  }
  if (!shown_changed(&s, v, 24, 0.004f, full)) return;
  OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
  OGL_framerect(C_EDGE, r.x, r.y, r.w, r.h);
  if (ins.ecam_mode == 7)
    draw_failure_page(r);
  else
    draw_engine_page(r);
}

void draw_engines(int full) {
  if (pln.ecam)
    draw_ecam(full);
  else
    draw_dials(full);
}

void layout_engines() {
  if (pln.ecam) add_hot_spot(lay.engines, click_ecam, 0, 0);
}
