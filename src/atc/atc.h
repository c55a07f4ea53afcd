// Air traffic control: the dialogue record atc and the flight plan fpl.
#pragma once

// ---- Controller dialogue ---------------------------------------------------------------------

// Lifetime: program; the flight start resets the menu and the flight-plan phase.
struct atcstruct {
  int menu_up;              // the controller menu is on screen
  int menu_level;           // 4 main, 5 ATIS airports, 8 vectors, 9 landing, 10 ILS, 11 localizer
  int ils_vec_in_progress;  // vectors to an ILS or localizer are being given
  char ils_command[400];    // request text of the approach being vectored
  char response[400];       // the controller's last sentence
  float response_timeout;   // the sentence stays on screen until this msc.elap_time, s
  int voice_out;            // speak the sentences
  int text_out;             // show the sentences
  int plan_phase;           // flight-plan phase: 1 clearance, 4..10 ground to after landing
  int plan_index;           // database index of the destination airport
  int waiting_new_frq;      // handed to a new frequency, waiting for the check-in call
  float cardxyz[3];         // aircraft position from the carrier deck, x, y, z, m
};
extern atcstruct atc;

// ---- Flight plan -----------------------------------------------------------------------------

// Lifetime: program.
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

// Restore the records to their start-up state: atc all zero; fpl all zero but an IFR plan to
// cruise at 5000 ft between the placeholder airports "AAA ".
void reset_atc();
void reset_fpl();

// ---- Dialogue ------------------------------------------------------------------------------

// Runs the flight-plan phase machine; check_in 1 when the pilot calls in, 0 when called
// periodically.
void handle_plan(int check_in);
// Answers a pilot request.
void controller_respond(char* request);
// The landing signal officer's calls on the carrier approach.
void LSO_respond();
