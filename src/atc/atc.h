// Air traffic control: the dialogue record atc and the flight plan fpl, the controller's answers,
// the flight-plan phases, ATIS, the landing signal officer, the menus and the speech.
#pragma once

// ---- Controller dialogue ---------------------------------------------------------------------

// Menu levels: the main menu and the list menus it opens.
enum {
  ATC_MENU_MAIN = 4,
  ATC_MENU_ATIS = 5,     // airports of the region with a tower
  ATC_MENU_VECTORS = 8,  // every airport of the region
  ATC_MENU_LANDING = 9,  // airports of the region with a tower
  ATC_MENU_ILS = 10,     // ILS localizers of the region
  ATC_MENU_LOC = 11,     // localizer-only aids of the region
};

// Fields whose information letters the controller keeps.
enum { ATC_ATIS_KEPT = 16 };

// Vectors to an approach: being given, or asked for inside the quiet wait between two calls and
// given (from ils_command) when it ends.
enum { ATC_VECTORS_GIVEN = 1, ATC_VECTORS_ASKED = 2 };

// Lifetime: program; the flight start resets the menu, the vectoring, the timers and the
// flight-plan phase (start_atc_dialogue).
struct atcstruct {
  int menu_up;              // the controller menu is on screen
  int menu_level;           // an ATC_MENU_ level
  int ils_vec_in_progress;  // vectors to an ILS or localizer: 0 none, else an ATC_VECTORS_ state
  char ils_command[400];    // request text of the approach being vectored
  char response[400];       // the controller's last sentence
  float response_timeout;   // the sentence stays on screen until this msc.elap_time, s
  int voice_out;            // speak the sentences
  int text_out;             // show the sentences
  int plan_phase;           // flight-plan phase: 1 clearance, 4..10 ground to after landing
  int plan_index;           // database index of the destination airport; -1 unknown
  int waiting_new_frq;      // handed to a new frequency, waiting for the check-in call
  float cardxyz[3];         // aircraft position from the carrier's deck, x east, y up, z south, m

  // Timers, each a start (msc.elap_time, s) and a length (s); a length of 0 has run out
  float ils_wait_from, ils_wait_len;    // the quiet wait between vectors to an approach
  float plan_wait_from, plan_wait_len;  // the flight plan's next periodic call

  // What the controller last told the own aircraft, for a pilot who follows it
  int said_hdg;       // heading, degrees magnetic 1..360; -1 none yet
  int said_alt;       // altitude, ft; -1 none yet
  int cleared_nav;    // localizer the aircraft was cleared to intercept; -1 none
  int instructions;   // count of instructions given, so a follower sees each new one
  int vectored_me;    // the last unsolicited call vectored the own aircraft
  // The information of the fields heard lately, each with its own letter and the checksum of the
  // weather it gave, to advance its letter; a slot whose letter is not 'A'..'Z' is free.
  int atis_apt[ATC_ATIS_KEPT];
  int atis_sum[ATC_ATIS_KEPT];
  char atis_letter[ATC_ATIS_KEPT];
  int atis_next;  // the slot a field not heard lately takes
};
extern atcstruct atc;

// ---- Flight plan -----------------------------------------------------------------------------

// Lifetime: program; the flight start takes the plan off file.
struct flightplanstruct {
  int onfile;            // a flight plan is on file
  int activated;         // the plan has been picked up
  int ifr, vfr, dvfr;    // flight rules, one of the three set
  char dep_id_str[400];  // departure airport identifier, 4 characters
  char arr_id_str[400];  // arrival airport identifier, 4 characters
  int init_alt;          // initial altitude, ft
  int cruise_alt;        // cruise altitude, ft
};
extern flightplanstruct fpl;

// Restore the records to their start-up state: atc all zero but nothing said yet (-1) and no
// destination known; fpl all zero but an IFR plan to cruise at 5000 ft between the placeholder
// airports "AAA ".
void reset_atc();
void reset_fpl();
// A flight starts with the menu down at its top, no vectoring, no timers running, nothing said to
// it yet, phase 1 and no plan on file.
void start_atc_dialogue();

// Calls up to the layers above (see aircraft_hooks): filled by the application. Null hooks are
// skipped.
struct atc_hookstruct {
  void (*open_plan_window)();  // the Flight Plan window, to file or amend the plan
};
extern atc_hookstruct atc_hooks;
// Called with every sentence the controller says, after it is shown and spoken; the headless
// flight runner prints them. Null by default.
extern void (*atc_said_hook)(const char* text);

// ---- Phrases (phrases.cpp) -------------------------------------------------------------------

// Every piece appends to a sentence of STR_SIZE characters and cuts what does not fit.
//
// The phonetic word of a digit or capital letter ("niner", "x ray"); any other character gives "".
const char* get_phonetic(char c);
// The own call sign (own 1): the aircraft file's name without its extension (from its last '.'),
// then every character of the tail number as its phonetic word (small letters as capitals); both
// are cut so that a sentence still fits after them.
// With own 0 a random registration of other traffic: N, three digits, a digit or letter, a letter.
// Replaces s.
void start_command_string(char* s, int own);
// Appends c as its phonetic word and a blank.
void app_phonetic(char* s, char c);
// "1 2 3 point 4 5" for whole 123 and hundredths 45.
void app_freq(char* s, int whole, int frac);
// A frequency in kHz (119450): as app_freq, with the third decimal when it is not 0.
void app_freq_khz(char* s, int khz);
// Four random transponder digits 0..7, separated by blanks; never an emergency code.
void app_squawk(char* s);
// hdg wrapped into 0..359 and rounded to step, 0 said as 360: "0 7 0". Returns the heading said.
int app_heading_string(char* s, int hdg, int step);
// "turn left heading " or "turn right heading " from the magnetic heading now, then the heading.
// Returns the heading said.
int app_turn_string(char* s, int hdg, int step);
// "altimeter 3 0 0 5": the setting rounded to the hundredth; 29.92 at or above 18000 ft.
void app_altimeter_string(char* s);
// The same for the recorded information of a field, whatever the height of who listens to it.
void app_field_altimeter_string(char* s);
// "runway 2 4 left" (or right, or center) for the active runway end of airport apt.
void app_current_rway_string(char* s, int apt);
// The same for the runway localizer nav leads to, when nav is a localizer of apt.
void app_landing_rway_string(char* s, int apt, int nav);
// The wind at airport apt: calm, light and variable, or its direction, speed, variation and gust.
void app_wind_string(char* s, int apt);
// A random aircraft type for traffic at altitude alt (ft).
void app_rand_plane(char* s, int alt);
// The digits of v (0 or more), separated by blanks, at least `width` of them: "0 7".
void app_digits(char* s, int v, int width);
// A number said as a whole number ("4200"); a value that is not finite is said as 0.
void app_int(char* s, float v);
// Invented frequencies: any controller's (118.00..134.95) and ground's (121.00..121.90), kHz.
int invent_frequency();
int invent_ground_frequency();
// Airport apt's tower frequency, kHz: the real one where the database knows it.
int tower_frequency(int apt);

// ---- Places (places.cpp) ---------------------------------------------------------------------

// Distance (nm) and true bearing (degrees 0..360) from one point to another, on a plane tangent
// at the first; the longitudes' difference is taken the short way round.
void nm_and_bearing(float lat1, float lon1, float lat2, float lon2, float* nm, float* brg);
// From the aircraft to airport n's first runway and to navaid n.
void apt_from_aircraft(int n, float* nm, float* brg);
void nav_from_aircraft(int n, float* nm, float* brg);
// The local airport: the nearest airport of the region to the aircraft; -1 when the region has none.
int local_airport();
// 1 when the aircraft is on the ground at airport apt's field (within 3 nm of one of its runways)
// and apt has a tower.
int on_ground_at_tower(int apt);
// The airport with identifier id (case and trailing blanks ignored; the last of equals, as the
// start-up takes it), or -1.
int find_apt_by_id(const char* id);
// The airport (with localizer 1: the localizer, ILS or localizer-only) whose name is exactly name,
// trailing blanks ignored, the nearest to the aircraft of those that share it; -1 when none.
int find_by_name(const char* name, int localizer);
// Whether database entry n belongs in the current list menu.
int use_apt(int n);
int use_nav(int n);
// The active runway r (0..2) and end (1 as numbered, 2 the reciprocal) of airport apt, and the
// localizer serving it (has_ils 1, ils_nav its index).
void get_active_rway(int apt, int* rway, int* end, int* has_ils, int* ils_nav);
// The runway r and end that localizer nav of airport apt leads to: 1, or 0 when nav is no
// localizer of apt.
int localizer_rway(int apt, int nav, int* rway, int* end);
// The airport localizer nav serves: the one with a runway lined up with its course whose
// centreline it stands nearest to (a heliport beside the localizer is nearer), else the nearest.
int localizer_airport(int nav);

// ---- Answers (respond.cpp) -------------------------------------------------------------------

// Answers a pilot request: "request taxi", "request takeoff", "request vectors NAME", "request
// landing NAME", "request I L S NAME", "request localizer NAME", or an emergency.
void controller_respond(char* request);
// Appends the heading and altitude commands that differ from the last ones said (or all with
// force); 1 when anything was appended.
int vector_me(int hdg, int hdg_step, int alt, int alt_step, int force, char* s);

// ---- Flight plan (plan.cpp) ------------------------------------------------------------------

// Runs the flight-plan phase machine; check_in 1 when the pilot calls in, 0 when called
// periodically.
void handle_plan(int check_in);
// Files the plan as it stands: departure, destination, rules and altitudes.
void file_flight_plan();
// Picks up the plan on file: 1, or 0 when an airport of it is not in the database, which the
// controller then says.
int pick_up_flight_plan();
// Takes the plan off file: not on file, not activated, no vectoring.
void close_flight_plan();
// The pilot closes the plan on the radio: the controller's answer, then close_flight_plan.
void close_flight_plan_by_radio();

// ---- Unsolicited calls, ATIS and the carrier (calls.cpp) -------------------------------------

// Traffic advisories and other unsolicited calls; 1 only for a vectoring call addressed to the
// own aircraft.
int make_random_call(int may_address_me, int may_handoff);
// The automatic terminal information of airport apt.
void give_ATIS(int apt);
// The landing signal officer's calls on the carrier approach.
void LSO_respond();

// ---- Menus (menu.cpp) ------------------------------------------------------------------------

enum {
  ATC_MAIN_LINES = 17,
  ATC_LIST_ROWS = 15,     // entries per column of a list menu
  ATC_LIST_MAX = 60,      // 4 columns of airports, 2 of navaids
  ATC_LINE_HIDDEN = 0,
  ATC_LINE_SHOWN = 1,
  ATC_LINE_SUGGESTED = 2,
};
// Main-menu line k: its state (an ATC_LINE_ value) and its text.
int atc_main_line(int k, char* text);
// The entries of the current list menu, database indexes in database order; returns their count.
int atc_list_entries(int* entry);
// Columns of the current list menu, and the characters a name keeps in one.
int atc_list_columns();
int atc_list_column_chars();
// Acts on main-menu line k: hidden lines close the menu.
void atc_pick_line(int k);
// Acts on entry k of the current list menu; a k past the list does nothing.
void atc_pick_entry(int k);
// The entry of the current list whose identifier is id (as atc_pick_entry), 1 when found.
int atc_pick_id(const char* id);

// ---- Speech (speech.cpp) ---------------------------------------------------------------------

// Voices: the controllers, and the recorded information of ATIS.
enum { ATC_VOICE_CONTROLLER = 0, ATC_VOICE_ATIS = 1 };
// Shows a sentence and speaks it in the controller's voice; the text is cut to 399 characters.
void speakstring(char* s);
// The same in a given voice.
void speak_in_voice(const char* s, int voice);
// 1 while the last sentence is to stay on screen (shown sentences and text output on).
int atc_response_shown();
// Hands what the speech engine has made to the sound device; once per loop pass. A sentence the
// engine failed to say gets the notice "Can't speak ATC command!".
void pump_speech();
