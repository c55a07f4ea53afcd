// The lever quadrant: throttle, propeller and mixture levers (one set, or one per engine with
// separate throttles), and the flap, slat, speed-brake, sweep and thrust-vector levers, the pitch
// trim and the gear handle with its lights. A click or a drag on a lever's slot moves the lever
// there through the controls; the trim steps while held; the gear handle flips.
#include <cmath>
#include <cstdlib>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"

// Engine levers fill the upper part of the quadrant, the airframe's the lower part.
enum { ENGINE_ROW_Y = 118, ENGINE_ROW_H = 116, AIRFRAME_ROW_Y = 2, AIRFRAME_ROW_H = 114 };
enum { LABEL_H = 11, KNOB_H = 8 };

// Levers whose request grows downwards (flaps out, speed brake out, nozzles down, wings swept).
static int grows_down(int lever) {
  return lever == LEVER_FLAP || lever == LEVER_SLAT || lever == LEVER_SBRK ||
         lever == LEVER_SWEEP || lever == LEVER_VECTOR;
}

// Travel of the knob's centre: bottom and top pixel rows.
static int travel_lo(const panel_rect& r) { return r.y + 2 + KNOB_H / 2; }
static int travel_hi(const panel_rect& r) { return r.y + r.h - LABEL_H - 2 - KNOB_H / 2; }

static float pos_of_row(int lever, const panel_rect& r, int y) {
  float f = (y - travel_lo(r)) / static_cast<float>(travel_hi(r) - travel_lo(r));
  f = fltlim(f, 0.0f, 1.0f);
  return grows_down(lever) ? 1.0f - f : f;
}

static int row_of_pos(int lever, const panel_rect& r, float pos) {
  float f = grows_down(lever) ? 1.0f - pos : pos;
  return travel_lo(r) + intround(fltlim(f, 0.0f, 1.0f) * (travel_hi(r) - travel_lo(r)));
}

// Where a lever or handle stands now, 0..1.
static float lever_now(int lever, int engine) {
  if (lever < LEVER_COUNT) return lever_get(lever, engine);
  if (lever == LEVER_TRIM)
    return pln.hstbtrimmax > 0.0f ? 0.5f + 0.5f * flt.trim / pln.hstbtrimmax : 0.5f;
  return static_cast<float>(set.gear_handle);
}

static const char* lever_label(int lever, int narrow) {
  static const char* const wide[] = {"THR", "PRP", "MIX", "SWP", "VEC",
                                     "FLP", "SLT", "SPB", "TRM", "GR"};
  static const char* const one[] = {"T", "P", "M", "W", "V", "F", "S", "B", "R", "G"};
  int i = intlim(lever, 0, LEVER_GEAR);
  return narrow ? one[i] : wide[i];
}

static int knob_colour(int lever) {
  switch (lever) {
    case LEVER_THROTTLE:
      return C_BLACK;
    case LEVER_PROP:
      return C_BLUE;
    case LEVER_MIXTURE:
      return C_RED;
    default:
      return C_BUTTON;
  }
}

// ---- Clicks ----------------------------------------------------------------------------------

static void click_lever(int slot, int x, int y, const panel_rect& r) {
  const lever_slot& l = lay.lever[slot];
  if (l.lever == LEVER_TRIM) {
    // A step towards the click from the pointer as drawn, so that a held button brings the
    // pointer to the mouse and stops there; a click on the pointer leaves it.
    int row = row_of_pos(LEVER_TRIM, r, lever_now(LEVER_TRIM, -1));
    if (std::abs(y - row) > 1) trim_step(0, y > row ? 1 : -1);
  } else if (l.lever == LEVER_GEAR) {
    gear_toggle();
  } else {
    lever_set(l.lever, l.engine, pos_of_row(l.lever, r, y));
  }
  panel_dirty |= DIRTY_LEVERS;
}

// ---- Layout ----------------------------------------------------------------------------------

static void add_lever(int lever, int engine) {
  if (lay.nlevers < MAX_LEVER_SLOTS) lay.lever[lay.nlevers++] = {{0, 0, 0, 0}, lever, engine};
}

// Spreads the slots first..last-1 evenly across one row of the quadrant.
static void place_row(int first, int last, int y, int h) {
  int n = last - first;
  if (n <= 0) return;
  int w = lay.levers.w / n;
  for (int i = first; i < last; i++) lay.lever[i].r = {lay.levers.x + (i - first) * w, y, w - 1, h};
}

void layout_levers() {
  lay.nlevers = 0;
  if (pln.entype != ENGINE_NONE && pln.numen > 0) {
    int kinds[3], nk = 0;
    kinds[nk++] = LEVER_THROTTLE;
    if (pln.varpitchEQ && (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) &&
        !pln.is_heli)
      kinds[nk++] = LEVER_PROP;
    if (pln.entype == ENGINE_PISTON) kinds[nk++] = LEVER_MIXTURE;
    int engines = set.eq_thr ? intlim(pln.numen, 1, MAX_ENGINES) : 1;
    for (int k = 0; k < nk; k++)
      for (int e = 0; e < engines; e++) add_lever(kinds[k], set.eq_thr ? e : -1);
  }
  int engine_slots = lay.nlevers;
  place_row(0, engine_slots, ENGINE_ROW_Y, ENGINE_ROW_H);

  if (pln.flapEQ) add_lever(LEVER_FLAP, -1);
  if (pln.slatEQ && !pln.autoslatEQ) add_lever(LEVER_SLAT, -1);
  if (pln.sbrkEQ || pln.fbrkEQ) add_lever(LEVER_SBRK, -1);
  if ((pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8]) && !pln.autosweepEQ)
    add_lever(LEVER_SWEEP, -1);
  if (pln.vectEQ && !pln.is_heli) add_lever(LEVER_VECTOR, -1);
  add_lever(LEVER_TRIM, -1);
  if (pln.retractEQ) add_lever(LEVER_GEAR, -1);
  place_row(engine_slots, lay.nlevers, AIRFRAME_ROW_Y, AIRFRAME_ROW_H);

  for (int i = 0; i < lay.nlevers; i++) {
    int lever = lay.lever[i].lever;
    add_hot_spot(lay.lever[i].r, click_lever, i, lever != LEVER_GEAR);
  }
}

// ---- Drawing ---------------------------------------------------------------------------------

// Green when the leg is down and locked, red while it travels, dark when it is up.
static int gear_light_colour(int k) {
  if (set.gear_stat[k] != set.gear_handle) return C_RED;
  return set.gear_stat[k] ? C_GREEN : C_BLACK;
}

// The drawn knob position is kept in the instrument record, one field per lever.
static void note_drawn(const lever_slot& l, int row) {
  int off = row - l.r.y, e = intlim(l.engine, 0, MAX_ENGINES - 1);
  switch (l.lever) {
    case LEVER_THROTTLE:
      ins.thro[e] = off;
      break;
    case LEVER_PROP:
      ins.prop[e] = off;
      break;
    case LEVER_MIXTURE:
      ins.mixt[e] = off;
      break;
    case LEVER_SWEEP:
      ins.swee = off;
      break;
    case LEVER_VECTOR:
      ins.vect = off;
      break;
    case LEVER_FLAP:
      ins.flap = off;
      break;
    case LEVER_SLAT:
      ins.slat = off;
      break;
    case LEVER_SBRK:
      ins.sbrk = off;
      break;
    default:
      break;
  }
}

static void draw_lever(const lever_slot& l) {
  const panel_rect& r = l.r;
  int cx = r.x + r.w / 2, narrow = r.w < 20;
  clear_box(r.x, r.y, r.w, r.h);
  text_centre(C_WHITE, cx, r.y + r.h - LABEL_H / 2 - 1, lever_label(l.lever, narrow));
  int lo = travel_lo(r), hi = travel_hi(r);
  OGL_fillrect(C_BLACK, cx - 1, lo, 3, hi - lo + 1);
  float pos = lever_now(l.lever, l.engine);
  int row = row_of_pos(l.lever, r, pos);
  int kw = intmax2(r.w - 4, 4);
  if (l.lever == LEVER_FLAP) {
    for (int d = 0; d <= 5; d++) {
      int y = row_of_pos(l.lever, r, d / 5.0f);
      OGL_line(C_WHITE, r.x + 1, y, r.x + 3, y);
    }
  }
  if (l.lever == LEVER_TRIM) {
    // A scale with its neutral mark and the trim's pointer.
    OGL_line(C_WHITE, r.x + 1, (lo + hi) / 2, r.x + r.w - 1, (lo + hi) / 2);
    OGL_fillrect(C_WHITE, cx - kw / 2, row - 1, kw, 3);
    return;
  }
  if (l.lever == LEVER_GEAR) {
    for (int k = 0; k < GEAR_LEGS; k++) {
      int lw = intmax2((r.w - 4) / 3, 2);
      OGL_fillrect(gear_light_colour(k), r.x + 1 + k * (lw + 1), hi + KNOB_H / 2 - 6, lw, 5);
    }
    // The handle's wheel up or down.
    OGL_fillcircle(C_WHITE, cx, set.gear_handle ? lo + 2 : hi - 14, intmin2(kw / 2, 6));
    return;
  }
  OGL_fillrect(knob_colour(l.lever), cx - kw / 2, row - KNOB_H / 2, kw, KNOB_H);
  OGL_framerect(C_WHITE, cx - kw / 2, row - KNOB_H / 2, kw, KNOB_H);
  note_drawn(l, row);
}

void draw_levers(int full) {
  static shown_values s[MAX_LEVER_SLOTS];
  for (int i = 0; i < lay.nlevers; i++) {
    const lever_slot& l = lay.lever[i];
    float v[4] = {lever_now(l.lever, l.engine), 0.0f, 0.0f, 0.0f};
    if (l.lever == LEVER_GEAR) {
      for (int k = 0; k < GEAR_LEGS; k++) v[1 + k] = static_cast<float>(gear_light_colour(k));
    }
    if (shown_changed(&s[i], v, 4, 0.002f, full)) draw_lever(l);
  }
}
