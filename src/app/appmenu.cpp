// The simulator's menu bar and its commands: File, Location, Settings, Output, View, Special and
// About, the favourite airports and the generated airport items.
#include "app/app.h"

#include <cstdio>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "app/settings.h"
#include "flight/flight.h"
#include "render/render.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "world/world.h"

namespace {
struct menu_entry {
  int id;  // 0 for a separator
  const char* text;
};
}  // namespace

static const menu_entry file_menu[] = {{201, "Open Aircraft"},  {0, "-"}, {203, "Load Situation"},
                                       {204, "Save Situation"}, {0, "-"}, {206, "Exit"}};

static const menu_entry location_items[] = {
    {309, "Airport ID..."}, {310, "Airport Name..."}, {311, "Enroute..."},
    {312, "Local VR..."},   {313, "World Visual..."}, {314, "Lat-Lon..."},
    {318, "Helipad App"},   {319, "Frigate App"},     {320, "Carrier App"},
    {321, "Oil Rig App"},   {322, "Formation APP"},   {324, "Catshot"},
    {326, "Find Me"},       {327, "Get Me Lost"},     {329, "Find Apt ID"}};

static const menu_entry settings_menu[] = {{401, "Set Data Output..."},
                                           {402, "Set Serial Output..."},
                                           {404, "Set Time Of Day..."},
                                           {405, "Set Rendering Options..."},
                                           {407, "Set Weather Space..."},
                                           {408, "Set Weather Atmopshere..."},
                                           {409, "Set Weather Ground..."},
                                           {410, "Set Weather Water..."},
                                           {412, "Set Flight Mode..."},
                                           {413, "Set Joystick Options..."},
                                           {415, "Set Fuel Load..."},
                                           {416, "Set Weights..."},
                                           {418, "Set Realistic Reliability..."},
                                           {419, "Set Instrument Reliability..."},
                                           {420, "Set Equipment Reliability..."},
                                           {422, "Set Sound..."},
                                           {424, "Set Warnings..."}};

static const menu_entry output_menu[] = {{501, "Graphic Flight Record"}, {503, "Low Enroute"},
                                         {504, "Local Virtual-World"},   {505, "Weather Radar Map"},
                                         {506, "Isometric Region"},      {507, "World Map"},
                                         {508, "Show 3-D Flight-Path"}};

static const menu_entry view_menu[] = {{VIEW_FORWARDS, "[W] Forwards"},
                                       {VIEW_DOWN_4, "[S] Down 4 Deg"},
                                       {VIEW_DOWN_8, "[X] Down 8 Deg"},
                                       {VIEW_LEFT_45, "[Q] Left 45 Deg"},
                                       {VIEW_RIGHT_45, "[E] Right 45 Deg"},
                                       {VIEW_LEFT_90, "[QQ] Left 90 Deg"},
                                       {VIEW_RIGHT_90, "[EE] Right 90 Deg"},
                                       {VIEW_LEFT_135, "[QQQ] Left 135 Deg"},
                                       {VIEW_RIGHT_135, "[EEE] Right 135 Deg"},
                                       {VIEW_BACKWARDS, "[Z] Backwards"},
                                       {VIEW_SATELLITE, "[V] Satellite"},
                                       {VIEW_TOWER, "[T] Control Tower"},
                                       {VIEW_ON_RUNWAY, "[#] On Runway"},
                                       {VIEW_CHASE, "[A] Chase"},
                                       {VIEW_CIRCLING, "[C] Circling"},
                                       {VIEW_FOLLOW, "[|] Follow: Arrow Keys Rotate"},
                                       {VIEW_SPOT, "[@] Spot: Arrow Keys Move"},
                                       {VIEW_ABOVE_40, "[R] Above 40 Deg"},
                                       {VIEW_ABOVE_10, "[F] Above 10 Deg"},
                                       {VIEW_FULL_HUD, "[_] Full-Screen With HUD"},
                                       {VIEW_FULL_NO_HUD, "[+] Full-Screen Without HUD"},
                                       {VIEW_ZOOM_IN, "[=] Zoom In"},
                                       {VIEW_ZOOM_OUT, "[-] Zoom Out"},
                                       {0, "-"},
                                       {VIEW_WINDOW_FULL_SCREEN, "[F11] Full Screen Window"},
                                       {VIEW_SCALE_AUTO, "Panel and Text Scale: Automatic"},
                                       {VIEW_SCALE_100, "Panel and Text Scale: 100%"},
                                       {VIEW_SCALE_150, "Panel and Text Scale: 150%"},
                                       {VIEW_SCALE_200, "Panel and Text Scale: 200%"},
                                       {VIEW_SCALE_300, "Panel and Text Scale: 300%"}};

static const menu_entry special_menu[] = {
    {701, "Output One Flight Engine Cycle"}, {703, "Reset Preferences and Exit"},
    {705, "Instructions: Flight Controls"},  {706, "Instructions: Cockpit"},
    {707, "Instructions: Keyboard"},         {708, "Instructions: Air Traffic Control"},
    {709, "Instructions: Tech Support"},     {CMD_LOG_TIME, "Report Logged Time on Exit"}};

static const menu_entry favorites_menu[] = {{1401, "San Bernardino"},
                                            {1402, "Thermal"},
                                            {1403, "Burke Lakefront"},
                                            {1404, "Merrill C Meigs"}};

template <size_t N>
static void append_all(int m, const menu_entry (&entries)[N]) {
  for (const menu_entry& e : entries) MACIBM_append_menu(m, e.id, -1, e.text);
}

void APPLICATION_setupmenus() {
  MACIBM_create_menu(2, "File");
  append_all(2, file_menu);

  MACIBM_create_menu(3, "Location");
  MACIBM_create_submenu(3, 9, 0, "Takeoff");
  MACIBM_create_submenu(3, 10, 1, "VFR Final");
  MACIBM_create_submenu(3, 11, 2, "ILS Final");
  MACIBM_create_submenu(3, 12, 3, "Over VOR");
  MACIBM_create_submenu(3, 13, 4, "Over NDB");
  MACIBM_create_submenu(3, 14, 5, "Favorites");
  append_all(14, favorites_menu);
  append_all(3, location_items);

  MACIBM_create_menu(4, "Settings");
  append_all(4, settings_menu);
  MACIBM_create_menu(5, "Output");
  append_all(5, output_menu);
  MACIBM_create_menu(6, "View");
  append_all(6, view_menu);
  show_ui_scale();
  MACIBM_create_menu(7, "Special");
  append_all(7, special_menu);
  MACIBM_check_menu(MENU_SPECIAL, CMD_LOG_TIME, msc.logtime);
  MACIBM_create_menu(8, "About");
  MACIBM_append_menu(8, 801, -1, "About");
}

// ---- Commands --------------------------------------------------------------------------------

static const char* item_text(int id) {
  static const menu_entry* const lists[] = {location_items, settings_menu, output_menu,
                                            special_menu};
  static const size_t sizes[] = {sizeof location_items / sizeof location_items[0],
                                 sizeof settings_menu / sizeof settings_menu[0],
                                 sizeof output_menu / sizeof output_menu[0],
                                 sizeof special_menu / sizeof special_menu[0]};
  for (size_t l = 0; l < 4; l++)
    for (size_t k = 0; k < sizes[l]; k++)
      if (lists[l][k].id == id) return lists[l][k].text;
  return "This command";
}

// Commands whose windows and maps belong to parts of the simulator that are not in this build.
static void not_available(int id) {
  MACIBM_alert(item_text(id), "is not available in this build of Kestrix yet.", "", "",
               ALERT_NOTICE);
}

static void open_aircraft() {
  char name[400], path[400];
  C_to_C(pln.C_file, name);
  C_to_C(pln.C_path, path);
  C_to_C("*.acf", pln.C_file);
  if (!MACIBM_open(pln.C_file, pln.C_path, FILE_AIRCRAFT)) {
    C_to_C(name, pln.C_file);
    C_to_C(path, pln.C_path);
    return;
  }
  stop_engine_and_windrain();
  load_plane();
  play_engine_and_windrain();
  msc.typestart = TYPESTART_TAKEOFF;
  set_fltvars(START_AIRPORT);
}

static void load_situation_command() {
  char name[400] = "*.sit", path[400] = "";
  if (!MACIBM_open(name, path, FILE_SITUATION)) return;
  load_situation(path);
}

static void save_situation_command() {
  char name[400] = "Untitled.sit", path[400] = "";
  if (!MACIBM_save(name, path, FILE_SITUATION)) return;
  save_situation(path);
}

// Preferences are saved only once the navigation lists exist: before that the records do not yet
// describe a flight worth keeping.
static void exit_command() {
  if (env.apt_list_max > -1) {
    save_prefs_file();
    trk << "\n\nend simulation.";
    trk.flush();
  }
  MACIBM_alert(nullptr, nullptr, nullptr, nullptr, ALERT_SIM_FATAL);
}

static void favorite(int id) {
  static const char* const ids[] = {"SBD ", "TRM ", "BKL ", "CGX "};
  const char* want = ids[id - 1401];
  int found = -1;
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (std::strncmp(apt_id[n], want, 4) == 0) found = n;
  if (found < 0) {
    MACIBM_alert("I could not find an airport with this ID anywhere in the country!",
                 "Kestrix simulates over 8,000 airports, seaplane bases and heliports of the 48 "
                 "contiguous states, found by their FAA identifiers.",
                 "", "", ALERT_NOTICE);
    return;
  }
  msc.typestart = TYPESTART_TAKEOFF;
  msc.loc_apt_wrl = found;
  msc.rway_sel = id == 1404 ? 1 : 0;
  region_corner_for_airport(found);
  load_region();
  set_fltvars(START_AIRPORT);
}

// Items (base + k) * 100 + r + 1 of the Takeoff, VFR Final and ILS Final submenus, for the k-th
// airport of the region (0..69) and its runway r (0..5). Each base leaves 70 airports a hundred
// identifiers each, so the three ranges follow one another without overlapping: 1500..8499,
// 8500..15499 and 15500..22499, the last item of all being (155 + 69) * 100 + 6 = 22406. Nothing
// else uses identifiers from 1500 on.
enum {
  TAKEOFF_BASE = LOCATION_TAKEOFF_BASE,
  VFR_BASE = LOCATION_VFR_BASE,
  ILS_BASE = LOCATION_ILS_BASE,
  START_ITEMS_END = (ILS_BASE + 70) * 100
};

static void airport_item(int id) {
  int base = id / 100;
  int r = id % 100 - 1;
  int type = base < VFR_BASE   ? TYPESTART_TAKEOFF
             : base < ILS_BASE ? TYPESTART_VFR_FINAL
                               : TYPESTART_ILS_FINAL;
  int k = base - (base < VFR_BASE ? TAKEOFF_BASE : base < ILS_BASE ? VFR_BASE : ILS_BASE);
  if (k < 0 || k > env.apt_list_max || k >= REGION_LIST_MAX) {
    MACIBM_alert("Apt sel out of range!", "", "", "", ALERT_NOTICE);
    return;
  }
  int n = apt_to_index[k];
  if (n < 0 || n > env.aptmax || n >= APT_MAX) {
    MACIBM_alert("loc_apt_wrl out of range!", "", "", "", ALERT_NOTICE);
    return;
  }
  if (r < 0 || r > 5) {
    MACIBM_alert("rway_sel out of range!", "", "", "", ALERT_NOTICE);
    return;
  }
  msc.typestart = type;
  msc.loc_apt_wrl = n;
  msc.rway_sel = r;
  set_fltvars(START_AIRPORT);
}

// Items 1201 + k and 1301 + k: a start 1000 m over the k-th VOR or NDB of the region.
static void over_navaid(int id) {
  int k = id % 100 - 1;
  int list_max = id < 1300 ? env.vor_list_max : env.ndb_list_max;
  if (k < 0 || k > list_max || k >= REGION_LIST_MAX) return;
  int n = id < 1300 ? vor_to_index[k] : ndb_to_index[k];
  if (n < 0 || n >= NAV_MAX) return;
  set.cus_X = X_with_latlon(nav_lat[n], nav_lon[n]);
  set.cus_Z = Z_with_lat(nav_lat[n]);
  set.cus_Y = nav_h[n] + 1000.0f;
  set.cus_psi = 0.0f;
  set.cus_v = 1.5f * msc.est_Vs;
  set_fltvars(START_IN_FLIGHT);
}

static void get_me_lost() {
  set.cus_X = fltrand(env.lox, env.hix);
  set.cus_Z = fltrand(env.loz, env.hiz);
  set.cus_Y = fltrand(2000.0f, 4000.0f);
  // Lost in the air: over high ground, at least 300 m above the terrain there, or the flight
  // could start on a mountainside at cruising speed.
  int i, j;
  if (find_ijt_with_loc(set.cus_X, set.cus_Z, &i, &j, 1))
    set.cus_Y = fltmax2(set.cus_Y, find_local_h(set.cus_X, set.cus_Z, i, j) + 300.0f);
  set.cus_psi = fltrand(0.0f, 360.0f);
  set.cus_v = 1.3f * msc.est_Vs;
  set_fltvars(START_CUSTOM);
}

static void instructions(int id) {
  switch (id) {
    case 705:
      MACIBM_alert("Flight controls:",
                   "Fly with the joystick, or with the mouse when there is none: click the view "
                   "to take or release the controls.",
                   "The keypad keys 2, 8, 4, 6, 1 and 3 move the yoke and rudder; 5 centres them.",
                   "F1 and F2 work the throttle.", ALERT_NOTICE);
      break;
    case 706:
      MACIBM_alert("Cockpit:", "Click a lever or knob of the panel to move it.",
                   "Hold the button down to keep it moving.",
                   "The radios tune with clicks on either side of each digit.", ALERT_NOTICE);
      break;
    case 707:
      MACIBM_alert("Keyboard:", "W, S, X, Z, Q, E, V, T, A, C, R and F choose the views.",
                   "Shift with A to P tunes the second radios; 1 to 6 step flaps, slats and "
                   "speed brakes.",
                   "The space bar shows the controller's menu.", ALERT_NOTICE);
      break;
    case 708:
      MACIBM_alert("Air traffic control:",
                   "Press the space bar for the controller's menu, then click your request.",
                   "The controller answers on the radio, gives clearances and vectors,",
                   "and reads the ATIS of the airports around you.", ALERT_NOTICE);
      break;
    default:
      MACIBM_alert("Tech support:", "Problems and their messages are written to Error.out,",
                   "in the folder Kestrix was started from.",
                   "Special > Reset Preferences and Exit restores the factory settings.",
                   ALERT_NOTICE);
      break;
  }
}

static void special_command(int id) {
  switch (id) {
    case 701:
      set.cycoutwaiting = 1;
      MACIBM_alert(
          "I will dump all the data for the next cycle of Kestrix to the file 'Kestrix.out'.",
          "This will include all the angles of attack, forces, velocities, etc. for this instant "
          "in time.",
          "Quit Kestrix and open the file Kestrix.out' with a word processor to read the "
          "resultant file.",
          "Be sure to turn off text-wrapping in your word processor or allow very wide text area "
          "for the file to look right.",
          ALERT_NOTICE);
      break;
    case 703:
      MACIBM_alert("I have disabled the preferences file.",
                   "The next time you start Kestrix or, it will revert to the factory settings.",
                   "This should allow normal operation if the preferences file has become "
                   "corrupted somehow.",
                   "I will now terminate the program. Run Kestrix again to start in the standard "
                   "condition.",
                   ALERT_SIM_FATAL);
      break;
    case CMD_LOG_TIME:
      msc.logtime = !msc.logtime;
      MACIBM_check_menu(MENU_SPECIAL, CMD_LOG_TIME, msc.logtime);
      break;
    default:
      instructions(id);
      break;
  }
}

// The percentages the View menu's scale items choose, in their order.
const int ui_scale_offered[VIEW_SCALE_300 - VIEW_SCALE_AUTO + 1] = {0, 100, 150, 200, 300};

void show_ui_scale() {
  for (int k = 0; k < count_of(ui_scale_offered); k++)
    MACIBM_check_menu(6, VIEW_SCALE_AUTO + k, ui_scale_offered[k] == mnw.ui_scale);
}

static void window_command(int id) {
  if (id == VIEW_WINDOW_FULL_SCREEN) MACIBM_fullscreen(mnw.main_state != MAIN_FULL_SCREEN);
  if (id >= VIEW_SCALE_AUTO) MACIBM_set_ui_scale(ui_scale_offered[id - VIEW_SCALE_AUTO]);
  show_ui_scale();
}

static void location_command(int id) {
  switch (id) {
    case 318:
      set_fltvars(START_HELIPAD);
      break;
    case 319:
      set_fltvars(START_FRIGATE);
      break;
    case 320:
      set_fltvars(START_CARRIER);
      break;
    case 321:
      set_fltvars(START_OIL_RIG);
      break;
    case 322:
      set_fltvars(START_FORMATION);
      break;
    case 324:
      set_fltvars(START_CATAPULT);
      break;
    case 327:
      get_me_lost();
      break;
    case 311:
    case 312:
    case 313:
      open_map_command(id);
      break;
    default:
      if (!open_settings_command(id)) not_available(id);
      break;
  }
}

// "Graphic Flight Record": the graph window, which runs beside the flight without holding it.
static void open_graph_window() {
  MACIBM_startwind(25, 1);
  manage_grf(1);
}

// Every command closes the settings windows first, holds the sound loops while it runs and is time
// spent outside the frames.
void APPLICATION_handlemenu(int id) {
  for (int w = 1; w <= 28; w++) MACIBM_killwind(w);
  msc.winsup = 0;  // no window is left to hold the flight
  msc.event = 1;
  stop_engine_and_windrain();
  if (id == 201)
    open_aircraft();
  else if (id == 203)
    load_situation_command();
  else if (id == 204)
    save_situation_command();
  else if (id == 206)
    exit_command();
  else if (id >= 300 && id < 400)
    location_command(id);
  else if (id >= 503 && id <= 508)
    open_map_command(id);
  else if (id == 501)
    open_graph_window();
  else if (id >= 400 && id < 600 && !open_settings_command(id))
    not_available(id);
  else if (id >= VIEW_WINDOW_FULL_SCREEN && id <= VIEW_SCALE_300)
    window_command(id);
  else if (id >= 600 && id < 700)
    choose_view(id);
  else if (id >= 700 && id < 800)
    special_command(id);
  else if (id == 801)
    MACIBM_alert("", "", "", "", ALERT_SIM_ABOUT);
  else if (id >= 1201 && id < 1400)
    over_navaid(id);
  else if (id >= 1401 && id <= 1404)
    favorite(id);
  else if (id >= TAKEOFF_BASE * 100 && id < START_ITEMS_END)
    airport_item(id);
  if (!settings_window_up()) play_engine_and_windrain();  // a settings window holds them
}
