// The application shell: the loop's miscellaneous record msc, the settings set, the graph buffers
// grf, the other globals of start-up and the graph window, and the reset of the whole world state.
#pragma once

// ---- Sizes -----------------------------------------------------------------------------------

enum {
  DATA_GROUPS = 60,    // data-output selection slots (groups 0..50 are defined)
  RLT_ROWS = 10,       // groups listed on screen
  GRF_TRACES = 4,      // groups graphed
  GRF_VALUES = 4,      // values per group
  GRF_SAMPLES = 1800,  // samples kept per trace
  GRF_COLUMNS = 501,   // pixel columns of the graph
  JOY_BUTTONS = 16,    // joystick button slots
  STARS = 2000,
};

// The Special menu (7) and its check-marked "Report Logged Time on Exit".
enum { MENU_SPECIAL = 7, CMD_LOG_TIME = 711 };

// The View menu's commands (menu 6); set.view_type holds the view chosen last.
enum {
  VIEW_FORWARDS = 601,
  VIEW_DOWN_4 = 602,
  VIEW_DOWN_8 = 603,
  VIEW_LEFT_45 = 605,
  VIEW_RIGHT_45 = 606,
  VIEW_LEFT_90 = 607,
  VIEW_RIGHT_90 = 608,
  VIEW_LEFT_135 = 609,
  VIEW_RIGHT_135 = 610,
  VIEW_BACKWARDS = 612,
  VIEW_SATELLITE = 614,
  VIEW_TOWER = 615,
  VIEW_ON_RUNWAY = 616,
  VIEW_CHASE = 618,
  VIEW_CIRCLING = 619,
  VIEW_FOLLOW = 620,
  VIEW_SPOT = 621,
  VIEW_ABOVE_40 = 622,
  VIEW_ABOVE_10 = 623,
  VIEW_FULL_HUD = 625,
  VIEW_FULL_NO_HUD = 626,
  VIEW_ZOOM_IN = 628,
  VIEW_ZOOM_OUT = 629,
  // The main window and the scale of its panel and text.
  VIEW_WINDOW_FULL_SCREEN = 631,
  VIEW_SCALE_AUTO = 633,
  VIEW_SCALE_100 = 634,
  VIEW_SCALE_150 = 635,
  VIEW_SCALE_200 = 636,
  VIEW_SCALE_300 = 637,
};
// The panel and text scales offered, in percent (0: automatic from the screen), in the order of
// the View menu's items VIEW_SCALE_AUTO.. and of the rendering options' choice.
extern const int ui_scale_offered[VIEW_SCALE_300 - VIEW_SCALE_AUTO + 1];
// Puts the View menu's check mark on the panel and text scale in force (mnw.ui_scale).
void show_ui_scale();

// ---- Miscellany and timing -------------------------------------------------------------------

// The loop's timing and counters, the clocks, the start selection, the sound and warning
// switches. Times are seconds. Lifetime: program.
struct miscstruct {
  // Frame timing
  float prd;         // simulated seconds per frame, 0.01..0.1
  float rtrat;       // real time / simulated time over the last 10 frames, 0.2..10
  int event;         // real time was spent outside the loop; discard the next measurement
  int running_slow;  // the period had to be held at 0.1
  int cntr;          // frame counter, 0..30000
  int cntr10;        // event-tick counter, 0..9
  int evup;          // frames per event tick, 1..99
  int paused;        // no frame runs while set
  int winsup;        // a settings window holds the simulation

  // Clocks, each 0..86400
  float elap_time;    // elapsed simulated time
  float locl_time;    // local time of day
  float zulu_time;    // universal time of day
  float aifr_time;    // actual instrument time
  float nigt_time;    // night time
  float timr_time;    // panel timer
  int timer_running;  // the panel timer runs
  int logtime;        // report logged time on exit

  // Start selection
  int typestart;         // 900 takeoff, 1000 visual final, 1100 instrument final
  int loc_apt_wrl;       // airport record of the start location
  int rway_sel;          // runway 0..5: runway rway_sel / 2, far end when odd
  char req_id_str[400];  // airport identifier last asked for, 4 characters
  float est_Vs;          // estimated stall speed, m/s
  float runwayview_X, runwayview_Y, runwayview_Z;  // on-runway view point, world m

  // Sound, speech and warnings
  int sound_avail;     // the sound device could be opened
  int speech_avail;    // a speech voice was selected
  int sound_on;        // the user's sound switch
  int warn_frame;      // warn when the frame rate is too low
  int warn_overspeed;  // remove a surface when the redline is busted
  int warn_flaps;      // warn when the flaps are extended above Vfe
  int warn_bb;         // spoken warnings enabled

  // Ice
  float ice;   // ice load; the mass counts 1 + ice times, >= 0
  int icebld;  // ice is building now

  // Views and mouse
  int mouse_is_joy;                          // the mouse flies the aircraft
  float freeviewXZ;                          // free view horizontal angle, degrees
  float freeviewY;                           // free view vertical angle, degrees
  float spotview_X, spotview_Y, spotview_Z;  // spot-view camera, world m
};
extern miscstruct msc;

// ---- Settings --------------------------------------------------------------------------------

// The pilot's equipment and input settings, the control pipeline's values, the gear and brakes,
// the data-output selections and the custom start. Lifetime: program.
struct settingstruct {
  // Input equipment
  int controls_type;                               // 5 joystick with force feedback, -1 none
  int eq_ped;                                      // rudder pedals fitted
  int eq_col;                                      // joystick buttons work the collective
  int eq_thr;                                      // separate throttle levers per engine
  int eq_avi;                                      // radios driven by external equipment
  int eq_toebrakes;                                // toe brakes fitted
  float joy_rat_ptch, joy_rat_roll, joy_rat_hdng;  // response ratios per axis
  float NZptch, NZroll;                            // dead-zone widths, 0..1 of the stick travel
  int joy_response[JOY_BUTTONS];                   // command of each button slot, codes 1..28
  float fcon_force_rat;                            // force-feedback strength ratio
  float damp;                                      // rate damping of the integration

  // Control pipeline, pitch (nose up), roll (right), yaw (right), throttle
  float MK_ptch, MK_roll, MK_hdng;           // mouse or keyboard yoke, -1..1
  float OS_ptch, OS_roll, OS_hdng;           // stick centre offsets
  float YK_ptch, YK_roll, YK_hdng, YK_thro;  // yoke after input and autopilot, -1..1 (thro 0..1)
  float FC_ptch, FC_roll, FC_hdng, FC_thro;  // commands after stability, failures and trim

  // Gear and brakes
  int gear_handle;     // gear handle down
  int gear_stat[3];    // each leg down and locked; 0 up or lost
  float gear_time[3];  // msc.elap_time at which each leg reaches the handle, s, 0..86400
  float parkbrake;     // parking brake, 0..1
  float toe_brake[2];  // left and right toe brake, 0..1

  // Views
  int view_type;           // menu command of the current view (601..629, maps 503..)
  int view_is_fullscreen;  // the view fills the screen (no panel)
  float ah_bar_adjust;     // attitude-indicator bar adjustment

  // Data output
  int grfout, rltout, dskout;  // graph, on-screen and disk output active
  int Bdsk[DATA_GROUPS];       // group selected for disk output
  int Brlt[DATA_GROUPS];       // group selected for the on-screen list
  int Bgrf[DATA_GROUPS];       // group selected for the graph
  int rltsel[RLT_ROWS];        // first 10 groups of the on-screen list, -1 unused
  int grfsel[GRF_TRACES];      // first 4 graphed groups, -1 unused
  int cycoutwaiting;           // a one-frame dump was asked for
  int cycout;                  // the one-frame dump is being written
  int ser_NMEA;                // position sentence on the serial port
  int ser_motion;              // motion-platform stream on the serial port
  int ser_cockpit;             // cockpit stream on the serial port

  // Loads every flight starts with, kg: set when the aircraft is loaded (or by the weight windows)
  float load_fixed;     // payload
  float load_fuel;      // fuel, 0..pln.m_fuel
  float load_jettison;  // jettisonable load, 0..pln.m_jettison

  // Custom start
  float cus_X, cus_Z;  // world position, m
  float cus_psi;       // heading, degrees true
  float cus_Y;         // height, m
  float cus_v;         // speed, m/s
};
extern settingstruct set;

// ---- Graph -----------------------------------------------------------------------------------

// The graph samples, a ring of 1800 frames. Lifetime: program; cleared when the selections are
// rebuilt.
struct graphstruct {
  float lefttime;             // time of the chart's left edge from the oldest sample, s, 0..89
  int cntr;                   // newest sample, -1 after a reset
  int indexstart;             // oldest sample once the ring is full, else 0
  int graphstruct_full;       // the ring has wrapped at least once
  float period[GRF_SAMPLES];  // frame period of each sample, s; 999 none
  float data[GRF_TRACES][GRF_VALUES][GRF_SAMPLES];  // trace x value x sample; -999 no data
};
extern graphstruct grf;

// Drawing state of the graph window.
extern float gscale[GRF_TRACES];  // pixels per unit of each trace
extern int XofCTR[GRF_SAMPLES];   // x pixel of each sample on screen
extern int CTRofX[GRF_COLUMNS];   // sample under each pixel column
extern int grf_first, grf_last;   // first and last visible sample

// ---- Start-up globals ------------------------------------------------------------------------

extern float star_xyz[STARS][3];  // star positions on a 1000 m sphere, x east, y up, z

// Restore the records to their start-up state. msc: all zero with a frame period of 0.05 s, one
// frame per event tick, real time at the simulated rate, a takeoff start and the placeholder
// airport "AAA ". set: all zero with no data-output group listed (-1) and the custom start at
// 5000 ft and 200 kt. grf: no samples (cntr -1, periods 999, values -999).
void reset_msc();
void reset_set();
void reset_grf();

// ---- Location menu ---------------------------------------------------------------------------

// The generated submenus of the Location menu: Takeoff, VFR Final, ILS Final, Over VOR and Over
// NDB are menus 9..13. A runway item's identifier is (base + k) * 100 + r + 1 for the k-th airport
// of the region and its rway_sel r; a navaid item's is 1201 + k (VOR) or 1301 + k (NDB).
enum {
  LOCATION_FIRST_SUBMENU = 9,
  LOCATION_SUBMENUS = 5,
  LOCATION_TAKEOFF_BASE = 15,
  LOCATION_VFR_BASE = 85,
  LOCATION_ILS_BASE = 155,
};
// Replaces the generated items with those of the region's lists as they stand.
void rebuild_location_menus();

// Restores the records the program entry clears, in its order: flt, ott, ins, set, msc, scn,
// nav, atm, env, grf, pat, rel, afl, atc, fpl (the platform start-up clears pln and mnw itself).
void reset_run_records();
// Restores every world-state record: those of reset_run_records, then the aircraft pln and the
// windows mnw. The constants record is filled by init_constants.
void reset_world_state();

// ---- Program entry and start-up --------------------------------------------------------------

// The simulator's entry: keeps the instance and show mode, refuses a second instance (returns 0),
// restores the world records in the order flt, ott, ins, set, msc, scn, nav, atm, env, grf, pat,
// rel, afl, atc, fpl, installs the simulator's handlers, starts the platform as "Kestrix" 800 x 580
// and runs the simulation, which does not return. Returns 0 when the platform cannot start.
int WinMain(void* instance, void* previous_instance, const char* command_line, int show);

// Points the platform's hooks at the simulator: menus, keys, clicks, redraws, closed windows,
// the sound hold around alerts and dialogs, and the fatal path's logbook and preferences work.
void install_simulator_hooks();

// World start-up, in this order: initgen, the navigation database, the preferences, the terrain
// region, the aircraft, the flight start, the live windows and sound loops, the joystick, and the
// first reading of the frame clock.
void start_world();
// The world start-up, then the loop for ever; the program ends only through a fatal alert.
void simulate();
// One pass of the loop: the waiting events, the graph and joystick windows, the repeat of a held
// button, and one frame unless paused or held by a settings window.
void loop_pass();

// Random seed, sound and speech, the standard atmosphere, the panel tables, the settings windows'
// titles and sizes, the stars, the output selections, the program defaults and the data file.
void initgen();
// Row i of atm.hr from a height in thousands of feet and a density in slug/ft^3.
void assign_hr(int i, float height_kft, float density_slug_ft3);
// The standard-atmosphere table atm.hr: every 10000 ft to 200000 ft, then 259000 ft.
void fill_standard_atmosphere();
// Rebuilds set.rltsel and set.grfsel from the selections, clears the graph values and sets the
// three output switches; the distance flown restarts from 0.
void set_rlt_grf_choices();
// Empties the 6000-point flight-path ring.
void clear_path();
// Selects a speech voice through the back end; 1 when one was found.
int initspeechsynth();

// ---- The frame -------------------------------------------------------------------------------

// One frame of msc.prd simulated seconds: the panel on event ticks, the surroundings of the
// aircraft, the view, the controls, the flight frame and the graph (sim_frame.cpp lists the
// steps with what each reads and writes). With draw 0 nothing is drawn and the viewpoint is the
// aircraft: the headless flight runner's frame, the same in everything the flight reads.
void sim_frame(int draw);

// ---- Frame period ----------------------------------------------------------------------------

// Adapts msc.prd to t, the real seconds the last 10 frames took: rtrat = t / (10 prd) within
// 0.2..10; the period grows by rtrat^0.5 and shrinks by rtrat^0.2, never above 0.1 s (then
// running_slow) nor below PRD_FLOOR. A measurement across msc.event is discarded. While the view is
// below the clouds (or there are none) a run of more than 10 slow measurements drives the
// visibility into 3.0..3.2 nm and warns once per run when msc.warn_frame is on.
void adapt_frame_period(float t);
// Counts one frame that advanced the simulation by frame_prd seconds and adapts the period after
// every 10th, measured on the loop clock.
void frame_timing_tick(float frame_prd);
// Starts the 10-frame clock afresh: no frames counted, no slow run, no warning given yet.
void reset_frame_timing();

enum { SLOW_RUN_LIMIT = 10 };
const float PRD_MAX = 0.1f;      // longest frame period, s
const float PRD_FLOOR = 0.001f;  // shortest adapted frame period, s

extern long long loop_frames_run;  // frames run since the loop started
extern double loop_sim_seconds;    // simulated seconds those frames advanced

// ---- Preferences -----------------------------------------------------------------------------

// Every value the preferences file holds, in the records' units. The file is read into one of
// these and checked before any record changes.
struct prefs_body {
  char C_file[400], C_path[400];  // aircraft file name and full path
  int loc_apt_wrl, rway_sel;      // start airport record and runway 0..5
  float locl_time, temp_SL;       // s, deg F
  float ins_baro, atm_baro;       // inHg
  float rain_tstm, wind_tbl, burst_prob;
  int change_clouds, change_vis, change_precip, change_turb, change_micro;
  int cld_type;
  float topsMSL, baseMSL, vis;  // m
  float wnddir[9], wndspd[9], shrdir[9], shrspd[9], tbl[9];
  float wave_amp, wave_length, wave_speed;
  int wave_dir, meteorite_code, rway_fric_code;
  int sound_on, voice_out, text_out, warn_frame, warn_overspeed, warn_flaps, warn_bb;
  int ser_NMEA, ser_motion, ser_cockpit;
  int Bdsk[DATA_GROUPS], Brlt[DATA_GROUPS], Bgrf[DATA_GROUPS];
  float damp, joy_rat_ptch, joy_rat_hdng, joy_rat_roll;
  int eq_ped, eq_avi, eq_thr, eq_col;
  float fcon_force_rat, NZptch, NZroll;
  int joy_response[JOY_BUTTONS];
  float vol[2];
  int nf[2], cf[2];
  float obs[2];
  int adff, dmesel, gps_index_mode, gps_index, gps_apt_index, gps_vor_index, gps_ndb_index;
  int gps_id[4];
  float prd;
  int logtime;
  float total_fail_entry;
  int ogl_res, ogl_trees, ogl_fscene;
  // Added after checkpoint 105, at the end so that older files stay readable: a file that ends
  // before them leaves these settings as the records hold them (tail_read 0).
  int tail_read;
  int fail_type[30];
  float fail_time_max[30];
  float dewp_SL;
  int rate_change, eq_toebrakes, typestart;
  float load_fuel, load_fixed, load_jettison;  // kg, for the aircraft of C_path
  int main_w, main_h, main_state, ui_scale;  // main window (pixels, MAIN_ state), scale percent
};

// Opens prefs_path and reads it; when it cannot be read, factory settings and the taskbar note.
// Then the aircraft's place on the selected airport and the output selections.
void initprefs();
// Reads the preferences body from inf. On any fault of the file (a failed read, a checkpoint out
// of place) returns 0 with every record untouched; on success checks and applies the values and
// returns 1.
int grab_prefs();
// Factory settings and, on the first run, the choice of the aircraft.
void hardprefs();
// Writes the preferences body to ouf; the caller opens and closes ouf.
void dump_prefs();
// Writes prefs_path (creating its folder); 1 when the whole file was written.
int save_prefs_file();

// The parts of grab_prefs and dump_prefs: the records to and from a body, the body to ouf and from
// inf, and the checks a body read from a file passes before it is applied.
void capture_prefs(prefs_body* b);
void write_prefs_body(const prefs_body& b);
int read_prefs_body(prefs_body* b);
void check_prefs(prefs_body* b);
void apply_prefs(const prefs_body& b);
// 1 when the preferences last applied held the pilot's loads (set.load_*, kg) for the aircraft
// they name. Loading that aircraft gives it its own starting loads; keep_chosen_loads then puts
// back the chosen ones (fuel, payload, jettisonable, as they stood before the load) when they fit.
extern int prefs_loads_kept;
void keep_chosen_loads(const float chosen[3]);
// Reads the five position values of a situation after its body, and the optional line after them
// that names the south-west corner of the region they are measured from (*has_region 1 when it is
// there and valid). Returns 0 when the five values cannot be read.
int read_situation_tail(float pos[5], int* region_lat, int* region_lon, int* has_region);
// The airport record of the factory start: the last "SBD " in the database, else 0.
int default_start_airport();
// The south-west corner of the region around airport record n: env.lat_sou and env.lon_wes.
void region_corner_for_airport(int n);
// The same around a point (degrees north and east), held between the poles.
void region_corner_for(float lat, float lon);

// The simulator's part of the fatal path: the logbook once, when flight time is being logged, and
// the spoiled preferences when the alert carried a message; then the sound device and the
// joystick are released.
void simulator_fatal(int had_message);

// ---- Situations ------------------------------------------------------------------------------

// Writes the preferences body and the position to path; 1 when the whole file was written.
int save_situation(const char* path);
// Reads a situation and, only when all of it could be read, starts the flight it describes;
// otherwise tells the user and changes nothing. Returns 1 when the flight started.
int load_situation(const char* path);

// ---- Menus and windows -----------------------------------------------------------------------

// Builds the simulator's menu bar.
void APPLICATION_setupmenus();
// Carries out a menu command.
void APPLICATION_handlemenu(int id);
// The user closed window w.
void process_zap(int w);
// The handler of window w for a click, a held button or a redraw.
void call_window_handler(int w);

// ---- Data output, graph and settings windows -------------------------------------------------

void clear_graph();       // every period 999, every value -999, the ring empty
void update_graph();      // one graph sample
void plot_grf_current();  // the graph read-out under the mouse
void manage_grf(int open);
void manage_id_(int open);   // "Airport by ID"
void manage_nam(int open);   // "Airport by Name"
void manage_map(int open);   // the maps of windows 3, 4, 26 and 27: a press, a repeat or a redraw
void manage_gid(int open);   // "Airport IDs"
void manage_tim(int open);   // "Set Time Of Day"
void manage_flt(int open);   // "Set Flight Mode"
void manage_joy(int open);   // "Set Joystick Options"
void manage_ins(int open);   // "Set Reliability" of the instruments
void manage_eqp(int open);   // "Set Reliability" of the equipment
void manage_pln(int open);   // "Flight Plan"
void util_keepjoycurrent();  // live joystick read-out of "Set Joystick Options"

// ---- Maps ------------------------------------------------------------------------------------

// Opens the map of Output command 503..508 or the place-picking map of Location 311..313; 0 for
// any other command.
int open_map_command(int id);
// Each loop pass: drags and clicks on the map windows, and their redraw.
void update_maps();

// One line of the data-output file, when disk output is on: the labels of the groups selected
// for disk on every tenth event tick, then their values. A file that cannot be written switches
// disk output off with one notice.
void dskoutproc();
// The header of a one-frame dump in the data-output file: the time and the aircraft.
void trackdiv();

// ---- Data-output groups and writers ----------------------------------------------------------

// Groups 0..50 are defined; selections 51..59 of the preferences' 60 rows are ignored. A label is
// four 9-character fields (a 4-character name, a blank, a 4-character unit) joined by blanks.
enum { DATA_GROUPS_DEFINED = 51, DATA_LABEL_LEN = 39 };
// Destinations of the writers: the data file, the graph (slot: trace 0..3, or for labels the base
// height of the trace's label block) and the on-screen list (slot: row 0..9).
enum { DEST_FILE = 29, DEST_GRAPH = 30, DEST_SCREEN = 31 };
const float DATA_ABSENT = -999.0f;  // a value the group does not have
const float DATA_LIMIT = 9.9e9f;    // every value is held within +-DATA_LIMIT

int data_group_defined(int group);
// 1 when value k of the group has a label (and so a value).
int data_field_used(int group, int k);
// The group's label padded with blanks to 39 characters ("" padded for an undefined group).
void data_label(int group, char out[DATA_LABEL_LEN + 1]);
// The name and unit (4 characters each) of value k in a label; 0 when the value has no label.
int data_label_field(const char* label, int k, char name[5], char unit[5]);
// The group's four values now, each finite and within the limit; DATA_ABSENT where the group has
// no value, where a ratio has nothing to divide by, and for an undefined group.
void data_values(int group, float v[GRF_VALUES]);
// Digits and decimals each value of the group is shown with.
void set_dig_dec(int group, int dig[GRF_VALUES], int dec[GRF_VALUES]);
// The group's label, or its values now, to a destination.
void out_label(int dest, int group, int slot);
void out_dat(int dest, int group, int slot);
void sub_out_label(int dest, int slot, const char* label);
void sub_out_dat(int dest, int group, int slot, float a, float b, float c, float d);
// A value as the data file writes it: printf's "%9.*f" with 0..4 decimals, into out (32
// characters); its length.
int format_value(char* out, float v, int decimals);
// The on-screen list of set.rltsel in the cockpit view, in the main window: rows 0..4 down the
// left, 5..9 down the right, hanging from the window's top edge.
void draw_data_list();

// ---- The "Set Data Output" window's choices ---------------------------------------------------

// One column of the window: a destination, its title, how many groups it takes at most (the file
// every one, the list 10, the graph 4) and its selection row in set.
enum { DATA_DESTINATIONS = 3 };
struct data_destination {
  int dest;         // DEST_FILE, DEST_SCREEN or DEST_GRAPH
  const char* title;
  int most;         // groups it takes at most
  int* chosen;      // set.Bdsk, set.Brlt or set.Bgrf
};
const data_destination* data_destination_of(int dest);       // null for another number
const data_destination* data_destination_column(int column);  // columns 0..2, else null
// Groups chosen for a destination now.
int data_choice_count(int dest);
// Chooses (on 1) or drops a group for a destination; 0, changing nothing, for a group past the
// table or a choice beyond what the destination takes.
int data_choice_set(int dest, int group, int on);
// The choices take effect: the list, the graph's traces and the three outputs are rebuilt.
void data_choices_apply();

// ---- Graph ring and window -------------------------------------------------------------------

// The chart: GRF_COLUMNS pixel columns from x = GRF_CHART_X at 50 pixels a simulated second, ten
// seconds wide; 33 pixels are one unit of a trace at the widest scale.
enum { GRF_CHART_X = 105, GRF_PIXELS_PER_SECOND = 50, GRF_CHART_SECONDS = 10, GRF_HALF_HEIGHT = 33 };
// Samples held now (0 before the first, 1800 once the ring has wrapped).
int graph_samples();
// Simulated seconds the stored samples span, and the slider's end: that less the chart's width.
float graph_stored_seconds();
float graph_slider_max();
// The first and last sample a chart whose left edge is lefttime seconds after the oldest sample
// shows (-1 both when there is none); both walks stop at the newest sample.
void graph_span(float lefttime, int* first, int* last);
// grf_first, grf_last, XofCTR and CTRofX for a chart starting at lefttime; every column right of
// the last sample shows the last sample. Without samples every column holds -1.
void graph_layout(float lefttime);
// Pixels per unit of trace s: 33 over its largest magnitude, never more than 33.
float graph_scale(int s);
// The sample under the mouse at window x (left of the chart: its first column); -1 when none.
int graph_sample_under(int mouse_x);
// Drawing: a trace's label block, one value k of a sample at column x of the trace whose zero
// line is base_y (joined to the value's last point when connect), and the read-outs (style 1:
// the four values under the labels; style 2: the scale, v[0] at the top and v[1] at the bottom).
void graph_label(int y, const char* label);
void graph_point(int x, int base_y, int k, float value, int trace, int connect);
void plot_grf_numbers(int style, int trace, int group, const float v[GRF_VALUES]);
