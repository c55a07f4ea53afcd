// Where the panel puts things: the regions of the panel, the instrument slots and their knobs,
// and the gauge geometry the aircraft record carries (engine gauge rows and columns, and the
// attitude indicator's scan lines).
#include "aircraft/aircraft.h"
#include "controls/controls.h"
#include "panel/panel_local.h"
#include "shared/shared.h"
#include "world/world.h"

// Regions of the panel (window pixels). The aircraft's eight instrument locations take the left
// part, at most 490 pixels wide; the standby column, radios, engines and levers the right part.
static const panel_rect strip_rect = {0, 292, 606, 40};
static const panel_rect radios_rect = {606, 236, 194, 96};
static const panel_rect engines_rect = {606, 2, 110, 218};
static const panel_rect switches_rect = {606, 222, 110, 12};
static const panel_rect levers_rect = {718, 2, 82, 232};
static const panel_rect pfd_rect = {4, 4, 240, 284};
static const panel_rect nd_rect = {248, 4, 240, 284};
enum { STANDBY_X = 549, STANDBY_R = 48 };

// Radii of the attitude indicator: the pitch ball inside the roll ring.
enum { AH_BALL_R = 49, AH_RING_R = 58 };

void set_panel_geometry() {
  // Engine dials: two columns and three rows in the engine region.
  pln.gsw = 50;
  pln.gsx1 = engines_rect.x + 27;
  pln.gsx2 = engines_rect.x + 82;
  pln.gsy1 = engines_rect.y + 34;
  pln.gsyc = engines_rect.y + 109;
  pln.gsy2 = engines_rect.y + 184;

  // Attitude indicator: scan line j lies AH_RING_R - j pixels above the centre. Lines outside a
  // disc hold an empty span (left end past the right).
  pln.ah_semidim_int = AH_RING_R;
  pln.ah_semidim_flt = static_cast<float>(AH_RING_R);
  pln.ah_dim_int = 2 * AH_RING_R + 1;
  pln.ah_top_roll = 0;
  pln.ah_bot_roll = 2 * AH_RING_R;
  pln.ah_top_prim = AH_RING_R - AH_BALL_R;
  pln.ah_bot_prim = AH_RING_R + AH_BALL_R;
  for (int j = 0; j < AH_LINES; j++) {
    pln.ahx1_prim[j] = pln.ahx1_roll[j] = 0;
    pln.ahx2_prim[j] = pln.ahx2_roll[j] = -1;
  }
  float y = -static_cast<float>(AH_RING_R);
  for (int j = pln.ah_bot_roll; j >= pln.ah_top_roll; j--) {
    work_down_circle(static_cast<float>(AH_RING_R), &y, &pln.ahx1_roll[j], &pln.ahx2_roll[j]);
  }
  y = -static_cast<float>(AH_BALL_R);
  for (int j = pln.ah_bot_prim; j >= pln.ah_top_prim; j--) {
    work_down_circle(static_cast<float>(AH_BALL_R), &y, &pln.ahx1_prim[j], &pln.ahx2_prim[j]);
  }
}

// ---- Knobs of the instruments ------------------------------------------------------------------

// A knob in the lower-left corner of a slot's square: the left half turns it down, the right up.
static panel_rect knob_rect(int slot) {
  int off = lay.rad[slot] + 1;
  return {lay.cx[slot] - off, lay.cy[slot] - off, 18, 18};
}

static int knob_dir(int x, const panel_rect& r) { return x < r.x + r.w / 2 ? -1 : 1; }

static void click_knob(int knob, int x, int y, const panel_rect& r) {
  knob_step(knob, knob_dir(x, r));
}

// A setting gone to NaN starts again from the standard one rather than staying lost.
void step_baro(int dir) {
  float baro = ins.baro == ins.baro ? ins.baro : 29.92f;
  ins.baro = fltlim(baro + 0.01f * dir, 28.0f, 31.0f);
}

void step_decision_height(int dir) {
  float dh = ins.radalt_ft == ins.radalt_ft ? ins.radalt_ft : 0.0f;
  ins.radalt_ft = fltlim(dh + 10.0f * dir, 0.0f, 2500.0f);
}

static void click_baro(int arg, int x, int y, const panel_rect& r) { step_baro(knob_dir(x, r)); }
static void click_dh(int arg, int x, int y, const panel_rect& r) {
  step_decision_height(knob_dir(x, r));
}

// The GPS takes a new target, and locks the course to it, at once: left to the next retuning, up
// to six seconds later, it named the new target over the old one's distance and bearing, and the
// lock button seemed to do nothing.
static void lock_gps_now() {
  ins.lock_GPS = 1;
  setnav(5);
}

static void click_gps_target(int arg, int x, int y, const panel_rect& r) {
  gps_target_step(knob_dir(x, r));
  lock_gps_now();
}

static void click_gps_lock(int arg, int x, int y, const panel_rect& r) { lock_gps_now(); }

static void add_slot_knobs(int slot) {
  panel_rect k = knob_rect(slot);
  switch (lay.ins[slot]) {
    case INS_ALT:
      add_hot_spot(k, click_baro, 0, 1);
      break;
    case INS_DGY:
      add_hot_spot(k, click_knob, KNOB_HDG_BUG, 1);
      break;
    case INS_SUPP:
      if (supp_is_nav1()) {
        add_hot_spot(k, click_knob, KNOB_OBS1, 1);
      } else {  // the two buttons under the GPS display, as drawn
        add_hot_spot({lay.cx[slot] - lay.rad[slot], k.y, 20, 16}, click_gps_target, 0, 0);
        add_hot_spot({lay.cx[slot] + lay.rad[slot] - 24, k.y, 24, 16}, click_gps_lock, 0, 0);
      }
      break;
    case INS_NAV2:
      add_hot_spot(k, click_knob, KNOB_OBS2, 1);
      break;
    case INS_RADALT:
      add_hot_spot(k, click_dh, 0, 1);
      break;
    default:
      break;
  }
}

void layout_instruments() {
  lay.strip = strip_rect;
  lay.radios = radios_rect;
  lay.engines = engines_rect;
  lay.switches = switches_rect;
  lay.levers = levers_rect;
  if (lay.glass) {
    lay.pfd = pfd_rect;
    lay.nd = nd_rect;
  }
  for (int loc = 1; loc < PANEL_LOCS && !lay.glass; loc++) {
    int code = pln.ins_of_loc[loc];
    if (!intrange(code, 1, 8)) continue;
    lay.ins[loc] = code;
    lay.cx[loc] = pln.loc_x[loc];
    lay.cy[loc] = pln.loc_y[loc];
    lay.rad[loc] = code == INS_SUPP || code == INS_ADF ? DIAL_NARROW : DIAL_WIDE;
  }
  lay.ins[SLOT_NAV2] = INS_NAV2;
  lay.ins[SLOT_RADALT] = INS_RADALT;
  lay.cx[SLOT_NAV2] = lay.cx[SLOT_RADALT] = STANDBY_X;
  lay.cy[SLOT_NAV2] = 222;
  lay.cy[SLOT_RADALT] = 84;
  lay.rad[SLOT_NAV2] = lay.rad[SLOT_RADALT] = STANDBY_R;
  for (int slot = 1; slot < PANEL_SLOTS; slot++)
    if (lay.rad[slot] > 0) add_slot_knobs(slot);
}
