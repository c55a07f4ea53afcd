// The joystick: axes to -1..1, buttons to slots, the helicopter collective on buttons, calibration,
// dead zones and response curves, and the commands of the button slots.
#include "controls/controls.h"

#include <cmath>
#include <cstring>

#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"

// One reading of joystick 1 scaled to -1..1 (throttle: 1.1 fully forward, so that both ends of
// the travel saturate once limited), with its buttons and hat.
struct stick_reading {
  float ptch, roll, hdng, thro;
  unsigned buttons;
  int pov;
};

// 0 when there is no joystick to read or the read failed.
static int read_stick(stick_reading* r) {
  macibm_joy_state s;
  if (set.controls_type != 5 || MACIBM_joy_read(0, &s) != JOY_READ_OK) return 0;
  r->ptch = s.y / 32767.0f - 1.0f;
  r->roll = s.x / 32767.0f - 1.0f;
  r->hdng = s.r / 32767.0f - 1.0f;
  r->thro = 1.1f - 1.2f * s.z / 65537.0f;
  r->buttons = s.buttons;
  r->pov = s.pov;
  return 1;
}

float curve_joy(float* v, float deadzone) {
  if (*v < 0.0f) {
    *v = fltmin2(*v + deadzone, 0.0f);
  } else if (*v > 0.0f) {
    *v = fltmax2(*v - deadzone, 0.0f);
  }
  return fltsgn(*v) * std::pow(std::fabs(*v), 1.5f);
}

// ---- Buttons ---------------------------------------------------------------------------------

// Buttons 5..12 have slots of their own; buttons 1..4 count only when pressed alone, so that a
// chord of two of them fires neither single-button command.
static void decode_buttons(unsigned b, int pov, int slot[JOY_BUTTONS]) {
  for (int k = 0; k < JOY_BUTTONS; k++) slot[k] = 0;
  for (int bit = 11; bit >= 4; bit--) slot[bit + 4] = (b >> bit) & 1u;
  unsigned low = b & 0xFu;
  for (int bit = 0; bit < 4; bit++) slot[4 + bit] = low == (1u << bit) ? 1 : 0;
  if (pov == 0) {
    slot[0] = 1;
  } else if (pov == 18000) {
    slot[1] = 1;
  } else if (pov == 27000) {
    slot[2] = 1;
  } else if (pov == 9000) {
    slot[3] = 1;
  }
}

// A piston helicopter whose pilot works the collective with the buttons: buttons 3 and 4 step the
// throttle down and up by a tenth, button 2 with one of them goes to the end of the travel.
static void collective_buttons(unsigned b, unsigned before) {
  if (!pln.is_heli || pln.entype != ENGINE_PISTON || !set.eq_col) return;
  unsigned pressed = b & ~before;
  float t = flt.throrequest[0];
  if (pressed & 4u) t -= 0.1f;
  if (pressed & 8u) t += 0.1f;
  if ((b & 6u) == 6u) t = 0.0f;
  if ((b & 10u) == 10u) t = 1.0f;
  t = fltlim(t, 0.0f, 1.0f);
  flt.throrequest[0] = flt.throrequest[1] = t;
}

enum { BUTTON_HELD, BUTTON_PRESSED, BUTTON_RELEASED };

// The buttons choose views through the View menu, as the keys do, so that leaving a full-screen
// view brings the panel back.
static void select_view(int id) { controls_hooks.menu_command(id); }

// Thrust-vector lever: 10 degrees a step between straight aft and straight down.
static void step_vector(int step) {
  if (pln.vectEQ) flt.vectrequest = intlim(flt.vectrequest + step, 0, 90);
}

// The command of code `code` for a slot that is held this frame, was just pressed or was just let
// go. Codes are those of set.joy_response.
static void button_command(int code, int event) {
  static const char held_keys[7] = {0, ']', '[', '9', '0', '7', '8'};
  if (event == BUTTON_HELD) {
    if (code >= 1 && code <= 6) handle_simkey(held_keys[code]);
    if (code >= 25 && code <= 28) controls_hooks.free_view(code);
    return;
  }
  if (event == BUTTON_RELEASED) {
    if (code >= 10 && code <= 12) select_view(601);
    if (code == 20) set.parkbrake = 0.0f;
    return;
  }
  switch (code) {
    case 7:
      yoke_key(5);
      break;
    case 8:
      yoke_key(6);
      break;
    case 9:
      select_view(601);
      break;
    case 10:
      select_view(603);
      break;
    case 11:
      select_view(607);
      break;
    case 12:
      select_view(608);
      break;
    case 13:
      handle_simkey('q');
      break;
    case 14:
      handle_simkey('e');
      break;
    case 15:
      handle_simkey('1');
      break;
    case 16:
      handle_simkey('2');
      break;
    case 17:
      step_vector(-10);
      break;
    case 18:
      step_vector(10);
      break;
    case 19:
      handle_simkey('g');
      break;
    case 20:
      set.parkbrake = 1.0f;
      break;
    // The speed-brake handle goes to the far end from where it is: out when stowed or armed,
    // stowed when out.
    case 21:
      flt.sbrk = flt.sbrk < 1.0f ? 2.0f : 0.0f;
      break;
    case 22:
      ott_heading_only();
      break;
    case 23:
      handle_simkey('.');
      break;
    default:
      break;
  }
}

// A stick that could not be read keeps its buttons as they were, but what acts while a button is
// held waits for the stick to be heard again: a stick unplugged with the trim hat held would
// otherwise run the trim to its stop and hold it there against the keys.
static void act_on_buttons(int heard) {
  for (int k = 0; k < JOY_BUTTONS; k++) {
    int code = set.joy_response[k];
    if (n_button_pressed[k] && heard) button_command(code, BUTTON_HELD);
    if (n_button_pressed[k] && !o_button_pressed[k]) button_command(code, BUTTON_PRESSED);
    if (!n_button_pressed[k] && o_button_pressed[k]) button_command(code, BUTTON_RELEASED);
  }
  std::memcpy(o_button_pressed, n_button_pressed, sizeof o_button_pressed);
}

// ---- Reading ---------------------------------------------------------------------------------

void MACIBM_getjoy(float* ptch, float* roll, float* hdng, float* thro, int raw, int live) {
  *ptch = *roll = *hdng = *thro = 0.0f;
  unsigned buttons = 0u;
  int pov = -1;
  stick_reading r;
  int heard = read_stick(&r);
  if (heard) {
    *ptch = r.ptch;
    *roll = r.roll;
    *hdng = r.hdng;
    *thro = r.thro;
    buttons = r.buttons;
    pov = r.pov;
    ctm.raw_thro = r.thro;
  } else if (set.controls_type == 5) {
    // A reading that fails leaves the stick centred, the throttle where it was last read and the
    // buttons as they were, so that a glitch neither throws the aircraft about nor releases a
    // held button.
    *thro = ctm.raw_thro;
    buttons = ctm.raw_buttons;
    pov = ctm.raw_pov;
  }

  if (live) {
    decode_buttons(buttons, pov, n_button_pressed);
    collective_buttons(buttons, ctm.raw_buttons);
    ctm.raw_buttons = buttons;
    ctm.raw_pov = pov;
  }

  if (!raw) {
    *ptch -= set.OS_ptch;
    *roll -= set.OS_roll;
    *hdng -= set.OS_hdng;
    if (live) {
      *ptch += set.MK_ptch;
      *roll += set.MK_roll;
      *hdng += set.MK_hdng;
    }
    *ptch = curve_joy(ptch, set.NZptch) * set.joy_rat_ptch;
    *roll = curve_joy(roll, set.NZroll) * set.joy_rat_roll;
    *hdng = curve_joy(hdng, 0.0f) * set.joy_rat_hdng;
  }

  *ptch = fltlim(*ptch, -1.0f, 1.0f);
  *roll = fltlim(*roll, -1.0f, 1.0f);
  *hdng = fltlim(*hdng, -1.0f, 1.0f);
  *thro = fltlim(*thro, -1.0f, 1.0f);

  if (live) act_on_buttons(heard);
}

// Only good readings count towards the centre: a failed read would pull it towards zero.
void cal_stick() {
  set.OS_ptch = set.OS_roll = set.OS_hdng = 0.0f;
  if (set.controls_type == -1) return;
  double p = 0.0, r = 0.0, h = 0.0;
  int n = 0;
  for (int k = 0; k < 100; k++) {
    stick_reading s;
    if (!read_stick(&s)) continue;
    p += fltlim(s.ptch, -1.0f, 1.0f);
    r += fltlim(s.roll, -1.0f, 1.0f);
    h += fltlim(s.hdng, -1.0f, 1.0f);
    n++;
  }
  if (n == 0) return;
  set.OS_ptch = static_cast<float>(p / n);
  set.OS_roll = static_cast<float>(r / n);
  set.OS_hdng = static_cast<float>(h / n);
}
