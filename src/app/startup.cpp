// The simulator's entry and world start-up: the records cleared in order, the platform's hooks,
// initgen with the atmosphere table, the settings windows, the stars and the program defaults,
// and the start-up sequence that leads into the loop.
#include "app/app.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "app/settings.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Entry -----------------------------------------------------------------------------------

static void simulator_click(int w) { call_window_handler(w); }

// A redraw of the main window is a full redraw of the panel on its next tick; the other windows
// draw themselves.
static void simulator_paint(int w) {
  if (w == 0)
    ins.tickle_all = 1;
  else
    call_window_handler(w);
}

// A box closed, or a window closed by the user, lets the loops play again only when no settings
// window still holds the flight: the engine would otherwise be heard running over a frozen flight.
static void resume_sounds() {
  if (!settings_window_up()) play_engine_and_windrain();
}

void install_simulator_hooks() {
  macibm_program = PROGRAM_SIMULATOR;
  macibm_fatal_hook = simulator_fatal;
  macibm_setupmenus_hook = APPLICATION_setupmenus;
  macibm_menu_hook = APPLICATION_handlemenu;
  macibm_key_hook = handle_simkey;
  macibm_function_hook = function_key;
  macibm_yoke_hook = yoke_key;
  macibm_freeview_hook = freeviews_keys;
  macibm_click_hook = simulator_click;
  macibm_paint_hook = simulator_paint;
  macibm_zap_hook = process_zap;
  macibm_hold_sounds_hook = stop_engine_and_windrain;
  macibm_resume_sounds_hook = resume_sounds;
  region_lists_changed_hook = rebuild_location_menus;
  form_save_hook = save_settings;
  atc_hooks.open_plan_window = open_flight_plan_window;
}

// The records start from their documented defaults rather than from bare zero bytes, so that no
// divisor (such as msc.evup) is ever 0 before the first flight start sets it.
int WinMain(void* instance, void* previous_instance, const char* command_line, int show) {
  active_inst = instance;
  active_windstyle = show;
  if (previous_instance) return 0;
  reset_run_records();
  install_simulator_hooks();
  if (MACIBM_init("Kestrix", 800, 580)) simulate();
  return 0;
}

// ---- Tables and defaults ---------------------------------------------------------------------

void assign_hr(int i, float height_kft, float density_slug_ft3) {
  if (i < 0 || i >= ATM_ROWS) return;
  atm.hr[i][0] = height_kft * 1000.0f * con.fttomtrs;
  atm.hr[i][1] = density_slug_ft3 * con.endtomed;
}

void fill_standard_atmosphere() {
  static const float density[ATM_ROWS] = {
      0.0023769f, 0.001756f, 0.001267f, 0.0008907f, 0.0005873f, 0.0003639f, 0.0002256f, 0.0001399f,
      8.594e-5f,  5.253e-5f, 3.211e-5f, 2.001e-5f,  1.27e-5f,   8.19e-6f,   5.364e-6f,  3.564e-6f,
      2.433e-6f,  1.693e-6f, 1.2e-6f,   8.589e-7f,  6.061e-7f,  0.0f};
  for (int i = 0; i < ATM_ROWS - 1; i++) assign_hr(i, 10.0f * i, density[i]);
  assign_hr(ATM_ROWS - 1, 259.0f, density[ATM_ROWS - 1]);
}

// The settings windows by index; window 3 (the map) takes its size when it opens.
static void register_settings_windows() {
  struct entry {
    int w;
    const char* title;
    int dx, dy;
  };
  static const entry table[] = {
      {1, "Airport by ID", 176, 440},
      {2, "Airport by Name", 351, 176},
      {4, "World", 800, 450},
      {5, "Set Lat/Lon", 246, 165},
      {6, "Where Am I?", 531, 121},
      {7, "Airport IDs", 351, 176},
      {8, "Set Data Output", 620, 400},
      {9, "Set Serial Output", 600, 364},
      {10, "Set Time Of Day", 691, 147},
      {11, "Set Rendering Options", 600, 540},
      {12, "Set Weather Space", 197, 84},
      {13, "Set Weather Atmosphere", 618, 527},
      {14, "Set Weather Ground", 197, 148},
      {15, "Set Weather Water", 197, 271},
      {16, "Set Flight Mode", 350, 474},
      {17, "Set Joystick Options", 539, 527},
      {18, "Set Fuel Load", 270, 131},
      {19, "Set Weights", 436, 252},
      {20, "Set Reliability", 344, 345},
      {21, "Set Reliability", 350, 481},
      {22, "Set Reliability", 682, 560},
      {23, "Set Sound", 293, 250},
      {24, "Set Warnings", 550, 172},
      {25, "Graphics Output", 620, 420},
      {26, "Isometric Region", 760, 540},
      {27, "", 432, 494},
      {28, "Flight Plan", 589, 415},
  };
  for (const entry& e : table) set_win_params(e.w, e.title, e.dx, e.dy);
}

// Elevations are spread by the signed square so that stars crowd towards the horizon.
static void place_stars() {
  for (int s = 0; s < STARS; s++) {
    float e = 90.0f * signsqr(fltrand(-90.0f, 90.0f) / 90.0f) * con.degtorad;
    float a = 360.0f * fltrand(0.0f, 1.0f) * con.degtorad;
    star_xyz[s][0] = std::sin(a) * std::cos(e) * 1000.0f;
    star_xyz[s][1] = std::sin(e) * 1000.0f;
    star_xyz[s][2] = std::cos(a) * std::cos(e) * 1000.0f;
  }
}

static void set_program_defaults() {
  fpl.ifr = 1;
  fpl.vfr = 0;
  fpl.dvfr = 0;
  C_to_C("AAA ", fpl.dep_id_str);
  C_to_C("AAA ", fpl.arr_id_str);
  C_to_C("AAA ", msc.req_id_str);
  fpl.cruise_alt = 5000;
  ins.HUD_on = 1;
  ins.hoop_on = 0;
  ins.radar_on = 1;
  ins.map_mode = 1;
  ins.arg_mode = 1;
  ins.map_range = 30;
  ins.arg_range = 30;
  ins.radar_range = 30;
  ins.HUD_color = 45;
  ins.ecam_mode = 3;
  msc.typestart = TYPESTART_TAKEOFF;
  set.cus_Y = 5000.0f * con.fttomtrs;
  set.cus_v = 200.0f * con.ktstomsc;
  env.i_aircraft = 89;
  env.j_aircraft = 79;
  nav.radout = 2;
  nav.gs_dest = 1;
  rel.total_fail_entry = 0.0f;
  rel.inst_fail_entry = 0.0f;
  rel.eqp_fail_entry = 0.0f;
  for (int i = 0; i < FAIL_ENTRIES; i++) {
    rel.fail_type[i] = 1;
    rel.fail_time_max[i] = 10.0f;
  }
  mnw.dragging_index = 0;
  msc.rtrat = 1.0f;
  atm.rate_change = 4;
  scn.zoom = 1.0f;
  pln.draw_full = 1;
  env.apt_list_max = -999;
  env.vor_list_max = -999;
  env.ndb_list_max = -999;
  nav.tran1 = 1;
  nav.tran2 = 2;
  nav.tran3 = 0;
  nav.tran4 = 0;
}

int initspeechsynth() { return backend_speech_init(); }

void initgen() {
  std::srand(static_cast<unsigned>(static_cast<long long>(MACIBM_clock_ms()) % 32000));
  msc.sound_avail = init_sound();
  if (!msc.sound_avail)
    MACIBM_alert("Sound init failure!", "Sound will not be available, but you can still fly.",
                 "Pretend you are wearing ANR headsets!", "", ALERT_NOTICE);
  msc.speech_avail = initspeechsynth();
  fill_standard_atmosphere();
  init_tape();
  init_nav_pic();
  register_settings_windows();
  place_stars();
  set_rlt_grf_choices();
  clear_graph();
  set_program_defaults();
  if (trk.is_open()) trk.close();
  trk.clear();
  trk.open("Kestrix.out");
  trk.setf(std::ios::fixed, std::ios::floatfield);
}

void set_rlt_grf_choices() {
  int n_rlt = 0, n_grf = 0;
  int any_dsk = 0;
  for (int i = 0; i < RLT_ROWS; i++) set.rltsel[i] = -1;
  for (int i = 0; i < GRF_TRACES; i++) set.grfsel[i] = -1;
  // Only the defined groups count: a selection past them has nothing to output.
  for (int i = 0; i < DATA_GROUPS_DEFINED; i++) {
    if (set.Brlt[i] && n_rlt < RLT_ROWS) set.rltsel[n_rlt++] = i;
    if (set.Bgrf[i] && n_grf < GRF_TRACES) set.grfsel[n_grf++] = i;
    if (set.Bdsk[i]) any_dsk = 1;
  }
  // The whole ring starts again, its start and fullness with it: samples of the old selection
  // must not show as the new traces.
  clear_graph();
  set.grfout = n_grf > 0;
  set.rltout = n_rlt > 0;
  set.dskout = any_dsk;
  flt.dist = 0.0f;
}

void clear_path() {
  std::memset(pat.xyztpp, 0, sizeof pat.xyztpp);
  std::memset(pat.inited, 0, sizeof pat.inited);
  pat.cntr_record = 0;
}

// ---- World start-up --------------------------------------------------------------------------

void start_world() {
  initgen();
  init_country_data();
  initprefs();
  MACIBM_restore_main_window();
  load_region();
  const float chosen[3] = {set.load_fuel, set.load_fixed, set.load_jettison};
  load_plane();
  keep_chosen_loads(chosen);
  set_fltvars(START_AIRPORT);
  mnw.ready_to_update = 1;
  play_engine_and_windrain();
  if (MACIBM_initjoy()) {
    MACIBM_alert("Center the trim on your joystick.",
                 "Get your feet off the rudder pedals if you have them.", "",
                 "Push the 'OK' button below, and don't touch your joystick or pedals for a few "
                 "seconds.",
                 ALERT_SIM_SERIAL);
    cal_stick();
  }
  msc.mouse_is_joy = set.controls_type != 5;
  reset_frame_timing();
}

void simulate() {
  start_world();
  for (;;) loop_pass();
}
