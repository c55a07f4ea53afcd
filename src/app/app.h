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
  EDIT_SCREENS = 62,  // editor screens, one per window
};

// ---- Miscellany and timing -------------------------------------------------------------------

// The loop's timing and counters, the clocks, the start selection, the sound and warning
// switches, and the editor's state. Times are seconds. Lifetime: program.
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

  // Editor
  int planemod;                     // the aircraft changed since it was saved or opened
  int planenamed;                   // the aircraft has a file name chosen by the user
  char pic_name[EDIT_SCREENS][16];  // picture of each editing screen, such as "EX_HSTB"
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
  float gear_time[3];  // msc.elap_time at which each leg reaches the handle, s
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

extern char prefs_path[400];      // full name of the preferences file
extern float star_xyz[STARS][3];  // star positions on a 1000 m sphere, x east, y up, z

// Restore the records to their start-up state. msc: all zero with a frame period of 0.05 s, one
// frame per event tick, real time at the simulated rate, a takeoff start and the placeholder
// airport "AAA ". set: all zero with no data-output group listed (-1) and the custom start at
// 5000 ft and 200 kt. grf: no samples (cntr -1, periods 999, values -999).
void reset_msc();
void reset_set();
void reset_grf();

// Restores every world-state record, in the order the program start-up clears them: the records
// of the simulation (flt, ott, ins, set, msc, scn, nav, atm, env, grf, pat, rel, afl, atc, fpl),
// then the aircraft pln and the windows mnw. The constants record is filled by init_constants.
void reset_world_state();

// One line of the data-output file, when disk output is on.
void dskoutproc();
// The header of a one-frame dump in the data-output file.
void trackdiv();
