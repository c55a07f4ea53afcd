// Keyboard commands: the keys choose views, tune the second radios, step the levers and knobs the
// panel draws, and fly the yoke from the keypad. Every key that stands for a panel control calls
// the same cockpit function as a click on it, so a key and a click always agree.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"

// ---- Views -----------------------------------------------------------------------------------

// The ring of views "q" and "e" walk round, 45 degrees apart, starting forwards.
static const int view_ring[8] = {VIEW_FORWARDS, VIEW_RIGHT_45, VIEW_RIGHT_90, VIEW_RIGHT_135, VIEW_BACKWARDS, VIEW_LEFT_135, VIEW_LEFT_90, VIEW_LEFT_45};

// The next view of the ring, dir +1 to the right, -1 to the left; from a view off the ring the
// first step away from forwards.
static int turned_view(int from, int dir) {
  for (int i = 0; i < 8; i++)
    if (view_ring[i] == from) return view_ring[intwrap(i + dir, 0, 7)];
  return dir > 0 ? VIEW_RIGHT_45 : VIEW_LEFT_45;
}

struct key_command {
  char key;
  int command;
};

// Keys that select a View-menu (or map) command.
static const key_command view_keys[] = {
    {'w', VIEW_FORWARDS}, {'s', VIEW_DOWN_4}, {'x', VIEW_DOWN_8}, {'z', VIEW_BACKWARDS}, {'v', VIEW_SATELLITE}, {'t', VIEW_TOWER},
    {'#', VIEW_ON_RUNWAY}, {'a', VIEW_CHASE}, {'c', VIEW_CIRCLING}, {'|', VIEW_FOLLOW}, {'@', VIEW_SPOT}, {'r', VIEW_ABOVE_40},
    {'f', VIEW_ABOVE_10}, {'_', VIEW_FULL_HUD}, {'+', VIEW_FULL_NO_HUD}, {'=', VIEW_ZOOM_IN}, {'-', VIEW_ZOOM_OUT}, {'d', 503},
};

// ---- Radios (Shift held) ---------------------------------------------------------------------

struct radio_key {
  char key;
  int radio, part, dir;
};

static const radio_key radio_keys[] = {
    {'A', RADIO_COM2, 0, -1}, {'S', RADIO_COM2, 0, 1},  {'D', RADIO_COM2, 1, -1},
    {'F', RADIO_COM2, 1, 1},  {'G', RADIO_NAV2, 0, -1}, {'H', RADIO_NAV2, 0, 1},
    {'J', RADIO_NAV2, 1, -1}, {'K', RADIO_NAV2, 1, 1},  {'O', RADIO_ADF, 0, -1},
    {'P', RADIO_ADF, 0, 1},   {'L', RADIO_ADF, 1, -1},  {':', RADIO_ADF, 1, 1},
    {'>', RADIO_ADF, 2, -1},  {'?', RADIO_ADF, 2, 1},   {'Z', RADIO_XPDR, 0, -1},
    {'X', RADIO_XPDR, 0, 1},  {'C', RADIO_XPDR, 1, -1}, {'V', RADIO_XPDR, 1, 1},
    {'B', RADIO_XPDR, 2, -1}, {'N', RADIO_XPDR, 2, 1},  {'M', RADIO_XPDR, 3, -1},
    {'<', RADIO_XPDR, 3, 1},
};

// ---- Levers ----------------------------------------------------------------------------------

// One step of a lever, dir +1 towards more (power, flap, speed brake) or -1 towards less. The
// detented levers move one detent.
static void lever_step(int lever, int engine, int dir) {
  float step = 0.1f;
  if (lever == LEVER_FLAP) step = 0.2f;
  if (lever == LEVER_SLAT) step = 0.5f;
  if (lever == LEVER_SBRK) step = 1.0f / 3.0f;
  lever_set(lever, engine, fltlim(lever_get(lever, engine) + dir * step, 0.0f, 1.0f));
  controls_hooks.redraw_flaps();
}

// Whether the panel has this lever: a key only moves a lever there is, as a click would. Flaps
// requested on an aircraft without them would set off the flap-speed notice.
static int detent_lever_fitted(int lever) {
  if (lever == LEVER_FLAP) return pln.flapEQ;
  if (lever == LEVER_SLAT) return pln.slatEQ && !pln.autoslatEQ;
  return pln.sbrkEQ || pln.fbrkEQ;
}

// "1" and "2" the flaps, "3" and "4" the slats, "5" and "6" the speed brake: the odd key retracts.
static int detent_key(char c) {
  static const int lever[3] = {LEVER_FLAP, LEVER_SLAT, LEVER_SBRK};
  if (c < '1' || c > '6') return 0;
  int k = c - '1';
  if (detent_lever_fitted(lever[k / 2])) lever_step(lever[k / 2], -1, k % 2 ? 1 : -1);
  return 1;
}

// ---- Fixed controls ----------------------------------------------------------------------------

static void caution_sound() {
  if (pln.bitchinbettyEQ && msc.warn_bb) play_buffer(14, 0);
}

// The keys that stand for the buttons, knobs and switches around the instruments.
struct control_binding {
  char key;
  void (*act)(int);
  int arg;
};

static const control_binding control_keys[] = {
    {'g', [](int) { gear_toggle(); }, 0},
    {'b', [](int) { parkbrake_toggle(); }, 0},
    {'.', [](int) { reverse_toggle(); }, 0},
    {'$', autopilot_button, AP_HDG},
    {'%', autopilot_button, AP_NAV1},
    {'^', autopilot_button, AP_ALT},
    {'&', autopilot_button, AP_VS},
    {'*', autopilot_button, AP_SPD},
    {'p', autopilot_button, AP_GS},
    {'[', [](int) { trim_step(0, -1); }, 0},  // nose down
    {']', [](int) { trim_step(0, 1); }, 0},   // nose up
    {'7', [](int) { trim_step(1, -1); }, 0},  // roll left
    {'8', [](int) { trim_step(1, 1); }, 0},
    {'9', [](int) { trim_step(2, -1); }, 0},  // yaw left
    {'0', [](int) { trim_step(2, 1); }, 0},
    {'h', [](int d) { knob_step(KNOB_HDG_BUG, d); }, -1},
    {'j', [](int d) { knob_step(KNOB_HDG_BUG, d); }, 1},
    {'k', [](int d) { knob_step(KNOB_OBS1, d); }, -1},
    {'l', [](int d) { knob_step(KNOB_OBS1, d); }, 1},
    {'n', [](int d) { controls_hooks.step_baro(d); }, -1},
    {'m', [](int d) { controls_hooks.step_baro(d); }, 1},
    {'y', [](int d) { controls_hooks.step_decision_height(d); }, -1},
    {'u', [](int d) { controls_hooks.step_decision_height(d); }, 1},
    {'i', [](int d) { knob_step(KNOB_AP_ALT, d); }, -1},
    {'o', [](int d) { knob_step(KNOB_AP_ALT, d); }, 1},
};

static int control_key(char c) {
  for (const control_binding& k : control_keys) {
    if (k.key != c) continue;
    k.act(k.arg);
    return 1;
  }
  return 0;
}

// ---- Entry points ------------------------------------------------------------------------------

void handle_simkey(char c) {
  for (const key_command& k : view_keys)
    if (k.key == c) return controls_hooks.menu_command(k.command);
  if (c == 'q' || c == 'e')
    return controls_hooks.menu_command(turned_view(set.view_type, c == 'e' ? 1 : -1));
  for (const radio_key& k : radio_keys)
    if (k.key == c) return tune_radio(k.radio, k.part, k.dir);
  if (detent_key(c) || control_key(c)) return;
  switch (c) {
    case ' ':
      if (flt.cat_stage == 3) {
        flt.cat_stage = 4;  // launch from the catapult's hold
      } else {
        atc.menu_up = !atc.menu_up;
        atc.menu_level = 4;
      }
      return;
    case '/':
      cal_stick();
      return;
    case '!':
      ott_heading_only();
      caution_sound();
      return;
    default:
      return;
  }
}

// F1..F12 are 19..30 (Backspace stands for F10), 31..42 with Shift. With one lever per kind F1/F2
// close and open the throttle, F5/F6 the propeller, F9/F10 the mixture; with a lever per engine
// F1..F4 advance engine 1..4's throttle and Shift pulls it back, likewise F5..F8 the propellers and
// F9..F12 the mixtures.
// The engine levers the panel draws: the throttles, propeller levers for an aeroplane's
// variable-pitch propellers, and mixtures for piston engines. A turbine's "mixture" is its fuel
// cut-off, which no lever shows: a key that moved it would stop the engines without a trace.
static int engine_lever_fitted(int lever) {
  if (pln.entype == ENGINE_NONE || pln.numen < 1) return 0;
  if (lever == LEVER_PROP)
    return pln.varpitchEQ && !pln.is_heli &&
           (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP);
  if (lever == LEVER_MIXTURE) return pln.entype == ENGINE_PISTON;
  return 1;
}

void function_key(int n) {
  int shifted = n >= 31;
  int k = n - (shifted ? 31 : 19);  // 0..11
  if (k < 0 || k > 11) return;
  static const int lever[3] = {LEVER_THROTTLE, LEVER_PROP, LEVER_MIXTURE};
  int group = k / 4, slot = k % 4;
  if (!engine_lever_fitted(lever[group])) return;
  if (set.eq_thr) {
    if (slot < intlim(pln.numen, 1, MAX_ENGINES)) lever_step(lever[group], slot, shifted ? -1 : 1);
    return;
  }
  if (shifted || slot > 1) return;
  lever_step(lever[group], -1, slot == 0 ? -1 : 1);
}

// Keypad: 5 centres roll and yaw, 8 and 2 push and pull, 4 and 6 roll, 1 and 3 yaw.
void yoke_key(int k) {
  switch (k) {
    case 0:
      set.MK_roll = set.MK_hdng = 0.0f;
      break;
    case 1:
    case 2:
      set.MK_ptch = fltlim(set.MK_ptch + (k == 1 ? 0.05f : -0.05f), -1.0f, 1.0f);
      break;
    case 3:
    case 4:
      set.MK_roll = fltlim(set.MK_roll + (k == 3 ? -0.1f : 0.1f), -1.0f, 1.0f);
      break;
    case 5:
    case 6:
      set.MK_hdng = fltlim(set.MK_hdng + (k == 5 ? -0.1f : 0.1f), -1.0f, 1.0f);
      break;
    default:
      break;
  }
}
