// The simulator's settings and location windows: their indexes in the window table, the menu
// commands that open them, and the forms of settings_*.cpp (docs/forms.md).
#pragma once

#include "app/form.h"

enum {
  WIN_AIRPORT_ID = 1,
  WIN_AIRPORT_NAME = 2,
  WIN_LATLON = 5,
  WIN_WHERE_AM_I = 6,
  WIN_AIRPORT_IDS = 7,
  WIN_DATA_OUTPUT = 8,
  WIN_SERIAL = 9,
  WIN_TIME = 10,
  WIN_RENDERING = 11,
  WIN_WX_SPACE = 12,
  WIN_WX_ATMOSPHERE = 13,
  WIN_WX_GROUND = 14,
  WIN_WX_WATER = 15,
  WIN_FLIGHT_MODE = 16,
  WIN_JOYSTICK = 17,
  WIN_FUEL = 18,
  WIN_WEIGHTS = 19,
  WIN_RELIABILITY = 20,
  WIN_INSTRUMENTS = 21,
  WIN_EQUIPMENT = 22,
  WIN_SOUND = 23,
  WIN_WARNINGS = 24,
  WIN_FLIGHT_PLAN = 28,
  SETTINGS_LAST = 28,  // windows 1..28 hold the simulation while open
};

// Opens the window of a Location or Settings menu command; 0 when the command has none here.
int open_settings_command(int id);
// Opens settings window w with its form and holds the simulation while it is open.
void open_settings_window(int w);
// The Flight Plan window, opened from the controller's menu to file or amend the plan.
void open_flight_plan_window();
// 1 while any of the windows 1..28 is open.
int settings_window_up();
// Keeps what a settings window set: the preferences file, once the world has started.
void save_settings();

// The airport start's kind (msc.typestart) as a choice of three: 0 takeoff, 1 visual final, 2
// instrument final.
float get_start_kind(int k);
void set_start_kind(int k, float v);

// The forms, by window.
extern const form_window wx_space_form, wx_atmosphere_form, wx_ground_form, wx_water_form;
extern const form_window serial_form, time_form, rendering_form, flight_mode_form, sound_form,
    warnings_form;
extern const form_window fuel_form, weights_form;
extern const form_window joystick_form;
extern const form_window reliability_form, instruments_form, equipment_form;
extern const form_window data_output_form;
extern const form_window flight_plan_form;
extern const form_window airport_id_form, airport_name_form, airport_ids_form, latlon_form,
    where_am_i_form;
