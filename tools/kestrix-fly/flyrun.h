// The headless flight runner shared by kestrix-fly, the flight scenario tests and the benchmarks:
// a flat world or the real one around an airport, an aircraft (from a file or built in code), a
// start in the air, on the ground, on a runway or on a final, pilot commands and autopilot modes
// turned into surface deflections by the controls, frames, and the reports of a run.
#pragma once

#include <cstdio>

// Pilot commands, normalised.
struct fly_controls {
  float throttle;  // 0 idle .. 1 full; a helicopter's collective, flat pitch .. full pitch
  float elevator;  // -1 full nose-down .. 1 full nose-up
  float aileron;   // -1 full left roll .. 1 full right roll
  float rudder;    // -1 full left yaw .. 1 full right yaw
  float flaps;     // 0 up .. 1 full
  int gear_down;   // 1 gear down
  float brakes;    // 0 off .. 1 full
  // Autopilot modes, each engaged while its flag is set, and their targets. Heading select and
  // NAV 1 are the two lateral modes: one at a time.
  int ap_hdg_on;    // heading select
  float ap_hdg;     // the heading bug, degrees magnetic as the gyro shows it
  int ap_nav_on;    // NAV 1: tracks the course set on NAV 1's OBS
  int ap_alt_on;    // altitude hold
  float ap_alt_ft;  // altitude to hold, ft
  int ap_vs_on;     // vertical-speed hold
  float ap_vs_fpm;  // vertical speed, ft/min; with altitude hold the climb or descent rate
  int ap_kias_on;   // autothrottle
  float ap_kias;    // indicated airspeed to hold, kt
  // NAV 1, tuned as the radio panel tunes it; the once-a-second pass finds the station.
  int nav1;   // frequency key, hundredths of a MHz (11620 is 116.20); 0 leaves the radio alone
  float obs;  // course selected on NAV 1, degrees magnetic
};

// Which commands a script line sets.
enum {
  FLY_THROTTLE = 1,
  FLY_ELEVATOR = 2,
  FLY_AILERON = 4,
  FLY_RUDDER = 8,
  FLY_FLAPS = 16,
  FLY_GEAR = 32,
  FLY_BRAKES = 64,
  FLY_AP_HDG = 128,
  FLY_AP_ALT = 256,
  FLY_AP_VS = 512,
  FLY_AP_KIAS = 1024,
  FLY_AP_OFF = 2048,  // every autopilot mode off (applied before the modes the line engages)
  FLY_AP_NAV = 4096,
  FLY_NAV1 = 8192,
  FLY_OBS = 16384,
  FLY_ATC = 32768,       // the pilot picks a line of the controller's main menu
  FLY_ATC_PICK = 65536,  // the pilot picks an entry of the controller's list menu
};

struct fly_options {
  char aircraft[400];     // aircraft file, or "builtin:NAME" for an aircraft built in code
  int start_ground;       // 1 at rest on the ground, 0 in the air (flat world)
  int airport_start;      // 0 the flat world; else the start at the airport: 900 at the runway
                          // end, 1000 on a visual final, 1100 on an instrument final
  float alt_ft;           // start altitude above sea level (air start), ft
  float kias;             // start indicated airspeed (air start), kt
  float heading;          // start heading, degrees true
  float ground_elev_ft;   // elevation of the flat ground, ft
  float seconds;          // simulated seconds to fly
  float prd;              // frame period, s, 0.001..0.1
  fly_controls controls;  // commands from the start
  char script[400];       // timed command changes, "" none
  char csv[400];          // time history, "" none
  char cycle_dump[400];   // one-frame dump of the force pass, "" none
  float dump_at;          // simulated second at which the dump is taken
  char airport[5];        // airport of an airport start, four characters ("SBD ")
  int runway;             // its runway end, 0..5: runway runway / 2, the far end when odd
  float wind_dir;         // uniform wind: from this direction, degrees true
  float wind_kt;          // and at this speed, kt (0 calm)
  unsigned given;         // the commands the command line set (FLY_ bits)
  int at_position;        // 1: an air start at lat, lon over the real region built around it
  float lat, lon;         // its position, degrees north and east
  int have_fuel;          // 1: fuel_lb replaces the aircraft's starting fuel
  float fuel_lb;          // fuel on board at the start, lb
  int have_payload;       // 1: payload_lb replaces the aircraft's starting payload
  float payload_lb;       // payload at the start, lb
  char data_out[400];     // the data-output file, "" none
  int groups[60];         // groups written to it: 1 for each chosen group 0..50
  char nmea[400];         // the position sentences' file, pipe or terminal, "" none
  int ap_follow_atc;      // 1: the autopilot's bug and altitude follow the controller's words
  int test_card;          // 1: fly the flight-test card instead of a run
  int progress;           // 1: the card tells each procedure flown on standard error
  int help;               // 1: only the usage was asked for
};

// One script line: at time t the commands in `mask` take the values of c, and the pilot talks to
// the controller.
struct fly_script_entry {
  float t;
  unsigned mask;
  fly_controls c;
  int atc_line;      // main-menu line picked (FLY_ATC), 0..16
  char atc_pick[5];  // identifier of the list entry picked (FLY_ATC_PICK)
};

enum { FLY_SCRIPT_MAX = 4096, FLY_ERR = 300 };

struct fly_script {
  int count;
  fly_script_entry entry[FLY_SCRIPT_MAX];  // in time order
};

// Exit statuses of a run.
enum { FLY_OK = 0, FLY_BAD_INPUT = 2, FLY_ALERT = 3, FLY_NOT_FINITE = 4 };

// ---- Input -----------------------------------------------------------------------------------

void fly_default_options(fly_options* o);
// Fills o from the command line; 0 with a message in err when an option is unknown, lacks its
// value, has a malformed or out-of-range value, or does not go with another one. "--help" alone
// sets o->help.
int fly_parse_args(int argc, const char* const* argv, fly_options* o, char* err);
// The usage text, a line per group of options.
extern const char FLY_USAGE[];
// Parses "t=12.5 throttle=1 elevator=0.1 flaps=0.5 gear=down"; 0 with a message when malformed.
int fly_parse_script_line(const char* line, fly_script_entry* e, char* err);
// Reads a script file: blank lines and lines starting with '#' are skipped; entries are kept in
// time order. 0 with a message naming the line when anything is wrong.
int fly_read_script(const char* path, fly_script* s, char* err);
// Applies one script line's commands to c.
void fly_apply_script(fly_controls* c, const fly_script_entry* e);
// Says what one script line says to the controller: a main-menu line, then a list entry. 0 with
// a message when the list holds no entry of the identifier picked.
int fly_talk_to_atc(const fly_script_entry* e, char* err);
// The pilot who follows the controller: the heading and altitude last given become the
// autopilot's bug and altitude, and a clearance to intercept a localizer tunes NAV 1 to it and
// tracks it.
void fly_follow_atc(fly_controls* c);
// A new run follows from nothing said yet.
void fly_forget_atc();

// ---- World, aircraft, start ------------------------------------------------------------------

// Every record reset, constants filled, the standard-atmosphere table, calm standard weather at
// 16:00 local time, the pilot's yoke without dead zones at full ratio, and a flat land region at
// the given elevation with the aircraft's cell in its middle.
void fly_setup_world(float ground_elev_m);
// The flat region alone: every grid vertex at height h on a regular lattice, all land.
void fly_flat_region(float h);
// Aircraft built in code: "trainer" (single piston engine, high wing), "glider" (no engine) and
// "fourprop" (four turboprops). 1 when the name is known and pln and afl are filled.
int fly_builtin_aircraft(const char* name);
// "builtin:NAME" or an aircraft file; 0 with a message when it cannot be had or is unusable.
int fly_load_aircraft(const char* name, char* err);
// Starts the flight for the options through the flight start (set_fltvars at an airport,
// start_flight_state elsewhere), works the options' commands and brings every derived value of
// the flight state up to date (a zero-time pass).
void fly_start(const fly_options* o);
// The commands in force from the start: the options' commands, except that an airport start keeps
// its own power and gear where the command line did not set them.
fly_controls fly_start_controls(const fly_options* o);

// ---- Airport starts and wind (airport.cpp) ---------------------------------------------------

// Reads the navigation database and loads the terrain region around the options' airport, and
// selects its runway and start type for the flight start. 0 with a message when the airport is
// not in the database.
int fly_airport_world(const fly_options* o, char* err);
// Sets every wind layer to a steady wind from dir degrees true at kt, without gusts or
// turbulence, and the wind at the aircraft to it.
void fly_set_wind(float dir, float kt);
// NAV 1 frequencies of the command line and the script: each must belong to a VOR or localizer of
// the database, which only an airport start reads. 0 with a message when one does not.
int fly_check_radios(const fly_options* o, const fly_script* s, char* err);

// ---- Flying ----------------------------------------------------------------------------------

// The pilot's part: works each control whose command changed since the last call (every one at
// the first call after a start) as the cockpit does: flap request, gear handle, brakes, throttle
// lever, autopilot modes and targets; and holds the keyboard yoke where the response curve gives
// the commanded deflections. The controls and the flight do the rest in the frame.
void fly_set_controls(const fly_controls* c);
// One frame of msc.prd seconds: the simulator's frame without its picture (sim_frame(0)).
void fly_frame();
// Simulated seconds since the start.
float fly_time();
// 1 when every position, velocity, attitude, rate and acceleration is a finite number, the height
// within 1,000 km and the speed within 10 km/s; 0 also after an impact of a state that was not,
// which the simulator's crash restart has replaced.
int fly_state_is_finite();
// Indicated airspeed at the last crash, kt: the crash restart leaves the aircraft at rest.
float fly_impact_kias();
// Specific energy of the aircraft, J/kg: v^2 / 2 + g h, plus its rotation and the spin of its
// propellers and rotors.
float fly_energy();

// ---- Reports ---------------------------------------------------------------------------------

// "summary t=... crashed=..." for the state now (no line end).
void fly_summary(char* out, int size);
void fly_csv_header(std::FILE* f);
void fly_csv_row(std::FILE* f);

// The whole run of kestrix-fly: load, start, fly with the script, write the reports. Returns the
// exit status; the summary is the last line written to `out`, messages go to `errs`.
int fly_run(const fly_options* o, std::FILE* out, std::FILE* errs);

// ---- The flight-test card (card.cpp, pilot.cpp) --------------------------------

// The test pilot's memory between frames.
struct card_pilot {
  float pitch_base;  // attitude the outer loop works about (its integral), degrees
  float pitch_int;   // integral of the attitude error, degree-seconds (the elevator's trim)
  float heading;     // heading held on the ground, degrees true, -180..180
};
// Takes over the controls in the attitude and heading the aircraft has.
void pilot_reset(card_pilot* p);
// Each sets the elevator, ailerons and rudder of c for one frame.
void pilot_hold_speed(card_pilot* p, fly_controls* c, float kias);
void pilot_hold_climb(card_pilot* p, fly_controls* c, float fpm);
void pilot_hold_height(card_pilot* p, fly_controls* c, float h_m);
void pilot_hold_pitch(card_pilot* p, fly_controls* c, float deg);
// The rotation: the nose raised `rate` degrees a second from the attitude it has towards `deg`,
// then held there.
void pilot_rotate(card_pilot* p, fly_controls* c, float deg, float rate);

// The card's figures, in the order they are printed; CARD_NAMES holds their names.
enum {
  CARD_WEIGHT,
  CARD_STALL_CLEAN,
  CARD_STALL_LANDING,
  CARD_VY,
  CARD_ROC_SL,
  CARD_ROC_8000,
  CARD_CEILING,
  CARD_VMAX_SL,
  CARD_VMAX_8000,
  CARD_BEST_GLIDE,
  CARD_GLIDE_RATIO,
  CARD_TAKEOFF_ROLL,
  CARD_TAKEOFF_50FT,
  CARD_LANDING_ROLL,
  CARD_FIGURES
};
extern const char* const CARD_NAMES[CARD_FIGURES];

// A figure found, one that does not apply to the design, or one its procedure could not find.
enum { CARD_FOUND, CARD_NA, CARD_FAILED };
struct card_figure {
  float value;    // in the unit its name ends with
  int state;      // CARD_FOUND, CARD_NA or CARD_FAILED
  char why[200];  // why it does not apply or failed
};
struct fly_card {
  card_figure fig[CARD_FIGURES];
};

// Flies every procedure with the aircraft in pln at the loads of set.load_*, in the flat world
// fly_setup_world made. Every procedure has a time limit.
void card_fly(fly_card* card);
// Called after each procedure of card_fly: `done` of `total` flown. Null: none.
extern void (*card_progress_hook)(int done, int total);
// The card lines to `out`, the reasons for n/a and failed figures to `errs`; FLY_ALERT when any
// figure failed, else FLY_OK.
int card_print(const fly_card* card, std::FILE* out, std::FILE* errs);
// The loads of the card: full tanks and the payload that makes up the maximum weight, unless the
// options give them; 0 with a message when they do not fit.
int card_loads(const fly_options* o, char* err);
