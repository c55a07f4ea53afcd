// Which menu command opens which settings window with which form, the hold of the simulation
// while any is open, the handlers the loop calls for a held button, and the saving of what they
// set.
#include "app/settings.h"

#include "app/app.h"
#include "app/macibm.h"
#include "render/map.h"
#include "sound/sound.h"
#include "world/world.h"

namespace {
struct settings_window {
  int command;  // Location or Settings menu item; 0 for none
  int w;        // window of the table
  const form_window* form;
};
}  // namespace

static const settings_window windows[] = {
    {309, WIN_AIRPORT_ID, &airport_id_form},
    {310, WIN_AIRPORT_NAME, &airport_name_form},
    {314, WIN_LATLON, &latlon_form},
    {326, WIN_WHERE_AM_I, &where_am_i_form},
    {329, WIN_AIRPORT_IDS, &airport_ids_form},
    {401, WIN_DATA_OUTPUT, &data_output_form},
    {402, WIN_SERIAL, &serial_form},
    {404, WIN_TIME, &time_form},
    {405, WIN_RENDERING, &rendering_form},
    {407, WIN_WX_SPACE, &wx_space_form},
    {408, WIN_WX_ATMOSPHERE, &wx_atmosphere_form},
    {409, WIN_WX_GROUND, &wx_ground_form},
    {410, WIN_WX_WATER, &wx_water_form},
    {412, WIN_FLIGHT_MODE, &flight_mode_form},
    {413, WIN_JOYSTICK, &joystick_form},
    {415, WIN_FUEL, &fuel_form},
    {416, WIN_WEIGHTS, &weights_form},
    {418, WIN_RELIABILITY, &reliability_form},
    {419, WIN_INSTRUMENTS, &instruments_form},
    {420, WIN_EQUIPMENT, &equipment_form},
    {422, WIN_SOUND, &sound_form},
    {424, WIN_WARNINGS, &warnings_form},
    {0, WIN_FLIGHT_PLAN, &flight_plan_form},  // from the controller's menu
};

// The simulation waits while a settings window is open, and its sounds with it; the time the
// window was up is no frame's time.
void open_settings_window(int w) {
  for (const settings_window& s : windows) {
    if (s.w != w) continue;
    msc.winsup = 1;
    msc.event = 1;
    MACIBM_form_open(w, s.form);
    stop_engine_and_windrain();
    return;
  }
}

int open_settings_command(int id) {
  for (const settings_window& s : windows)
    if (s.command == id && id != 0) {
      open_settings_window(s.w);
      return 1;
    }
  return 0;
}

// A moving map is no settings window: the flight goes on under it. A map window opened to pick a
// place holds the flight like the other location windows, whichever of its charts it shows.
int settings_window_up() {
  for (int w = 1; w <= SETTINGS_LAST; w++) {
    const mapview* v = map_of_window(w);
    if (mnw.up[w] && !(v && !v->picker)) return 1;
  }
  return 0;
}

// Before the navigation lists exist the records do not yet describe a flight worth keeping, as
// at File > Exit.
void save_settings() {
  if (env.apt_list_max > -1) save_prefs_file();
}

// The handlers the loop calls for a held button (open 0), which also open their windows.
static void manage(int w, int open) {
  if (open)
    open_settings_window(w);
  else
    form_repeat(w);
}
void manage_id_(int open) { manage(WIN_AIRPORT_ID, open); }
void manage_nam(int open) { manage(WIN_AIRPORT_NAME, open); }
void manage_gid(int open) { manage(WIN_AIRPORT_IDS, open); }
void manage_tim(int open) { manage(WIN_TIME, open); }
void manage_flt(int open) { manage(WIN_FLIGHT_MODE, open); }
void manage_joy(int open) { manage(WIN_JOYSTICK, open); }
void manage_ins(int open) { manage(WIN_INSTRUMENTS, open); }
void manage_eqp(int open) { manage(WIN_EQUIPMENT, open); }
void manage_pln(int open) { manage(WIN_FLIGHT_PLAN, open); }
void open_flight_plan_window() { open_settings_window(WIN_FLIGHT_PLAN); }
