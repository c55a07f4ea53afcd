// The joystick window: the stick's four axes as the controls see them (live, with the centre,
// dead zones and ratios applied), the buttons held, the response ratios and dead zones, the
// equipment the pilot has, and the command of each button.
#include "app/settings.h"

#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"

// The axes as last read: pitch, roll, yaw, throttle.
static float live_axis[4];
static float get_axis(int k) { return live_axis[k]; }
static float get_pitch(int) { return get_axis(0); }
static float get_roll(int) { return get_axis(1); }
static float get_yaw(int) { return get_axis(2); }
static float get_throttle(int) { return get_axis(3); }

static const char button_slots[] =
    "Hat forward|Hat back|Hat left|Hat right|Button 1|Button 2|Button 3|Button 4|Button 5|"
    "Button 6|Button 7|Button 8|Button 9|Button 10|Button 11|Button 12";
static const char commands[] =
    "Trim nose up|Trim nose down|Yaw trim left|Yaw trim right|Roll trim left|Roll trim right|"
    "Rudder left|Rudder right|View forwards|Look down while held|Look left while held|"
    "Look right while held|View 45 deg left|View 45 deg right|Flaps up a notch|"
    "Flaps down a notch|Thrust vector up|Thrust vector down|Gear up or down|"
    "Parking brake while held|Speed brake|Autopilot: heading only|Reverse thrust|Panel button|"
    "Free view left|Free view right|Free view up|Free view down";

static const form_field joystick_fields[] = {
    field_meter("pitch", "Pitch", get_pitch, -1, 1, 2),
    field_meter("roll", "Roll", get_roll, -1, 1, 2),
    field_meter("yaw", "Yaw", get_yaw, -1, 1, 2),
    field_meter("throttle", "Throttle", get_throttle, -1, 1, 2),
    field_label("buttons", 330),
    field_button("centre", "Take the stick's centre now"),
    field_slider("rat_ptch", "Pitch response", "", &set.joy_rat_ptch, 0, 2, 0.05f, 2),
    field_slider("rat_roll", "Roll response", "", &set.joy_rat_roll, 0, 2, 0.05f, 2),
    field_slider("rat_hdng", "Yaw response", "", &set.joy_rat_hdng, 0, 2, 0.05f, 2),
    field_slider("nz_ptch", "Pitch dead zone", "", &set.NZptch, 0, 0.9f, 0.01f, 2),
    field_slider("nz_roll", "Roll dead zone", "", &set.NZroll, 0, 0.9f, 0.01f, 2),
    field_slider("force", "Stick forces", "", &set.fcon_force_rat, 0, 2, 0.05f, 2),
    field_check("pedals", "Rudder pedals", &set.eq_ped),
    field_check("toebrakes", "Toe brakes", &set.eq_toebrakes),
    field_check("throttles", "A throttle lever per engine", &set.eq_thr),
    field_check("collective", "Buttons work a helicopter's collective", &set.eq_col),
    field_check("avionics", "Radios set by external equipment", &set.eq_avi),
    new_column(array_of(field_choice("response", "Command", set.joy_response, 1, 28, commands),
                        JOY_BUTTONS, button_slots)),
};

// The calibration bars follow the stick on every pass of the loop while the window is open, the
// simulation held or not.
void util_keepjoycurrent() {
  if (form_of(WIN_JOYSTICK) != &joystick_form) return;
  MACIBM_getjoy(&live_axis[0], &live_axis[1], &live_axis[2], &live_axis[3], 0, 0);
  // The buttons are read here too: the controls' own record of them stands still while the
  // window holds the flight.
  macibm_joy_state s;
  unsigned buttons = 0u;
  if (set.controls_type == 5 && MACIBM_joy_read(0, &s) == JOY_READ_OK) buttons = s.buttons;
  std::string held = "Buttons held:";
  for (int b = 0; b < 32; b++)
    if (buttons & (1u << b)) held += " " + std::to_string(b + 1);
  if (held.size() == 13) held += " none";
  form_text(WIN_JOYSTICK, "buttons", held.c_str());
  for (const char* axis : {"pitch", "roll", "yaw", "throttle"}) form_show(WIN_JOYSTICK, axis);
}

static void joystick_action(int w, int field, int element) {
  if (joystick_fields[field].kind == FORM_BUTTON) cal_stick();
}

const form_window joystick_form = {joystick_fields, count_of(joystick_fields), nullptr, nullptr,
                                   joystick_action};
