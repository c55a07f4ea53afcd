// The consistency checks of an aircraft: those of the file's values, made while it is read, the
// refusals of values the flight model cannot keep finite, and the design checks of dump_geo.
#include <cmath>
#include <cstdio>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

static const char* const change_in_airwright = "You need to change this in Airwright.";

static void fatal(const char* l1, const char* l2, const char* l3, const char* l4) {
  MACIBM_alert(l1, l2, l3, l4, ALERT_SIM_FATAL);
}

const char* part_name(int p) {
  static const char* const plane[LIFTING_PARTS] = {"Prop 1",
                                                   "Prop 2",
                                                   "Prop 3",
                                                   "Prop 4",
                                                   "Left Wing #1",
                                                   "Right Wing #1",
                                                   "Left Wing #2",
                                                   "Right Wing #2",
                                                   "Left Horizontal Stab/Canard",
                                                   "Right Horizontal Stab/Canard",
                                                   "Vertical Stabilizer #1",
                                                   "Vertical Stabilizer #2"};
  if (pln.is_heli && p == 0) return "Main Rotor";
  if (pln.is_heli && p == 1) return "Tail Rotor";
  return p >= 0 && p < LIFTING_PARTS ? plane[p] : "";
}

// The Airwright screen that edits part p: "Wing 1", "Main Rotor" and so on.
static const char* part_screen(int p) {
  static const char* const screen[LIFTING_PARTS] = {"Props",
                                                    "Props",
                                                    "Props",
                                                    "Props",
                                                    "Wing 1",
                                                    "Wing 1",
                                                    "Wing 2",
                                                    "Wing 2",
                                                    "Horizontal Stabilizer",
                                                    "Horizontal Stabilizer",
                                                    "Vertical Stabilizer 1",
                                                    "Vertical Stabilizer 2"};
  if (pln.is_heli && p == 0) return "Main Rotor";
  if (pln.is_heli && p == 1) return "Tail Rotor";
  return p >= 0 && p < LIFTING_PARTS ? screen[p] : "";
}

// ---- Checks of the file's values ---------------------------------------------------------------

// A helicopter may leave its speeds at zero; an aeroplane's speed scales and stall warnings need
// them.
void check_speed_not_zero(float v, const char* line1) {
  if (!pln.is_heli && v == 0.0f) fatal(line1, change_in_airwright, "", "");
}

static int is_wide_instrument(int code) {
  return code == 1 || code == 2 || code == 3 || code == 5 || code == 6 || code == 7;
}

// Counts the wide instruments read so far in the row of location loc.
void check_panel_row(int loc) {
  int first = loc <= 4 ? 1 : 5;
  int wide = 0;
  for (int l = first; l <= loc; l++) wide += is_wide_instrument(pln.ins_of_loc[l]);
  if (wide > 3)
    fatal("Invalid panel specification!",
          "There can only be THREE WIDE INSTRUMENTS ON EACH ROW of the panel (the fourth must be "
          "narrow to fit!)",
          "The WIDE instruments are the 'standard six', namely the airspeed, horizon, altimeter, "
          "turn-slip, HSI, and vertical speed.",
          "Go into Airwright and select only 3 WIDE instruments for each row of instruments.");
}

// The instrument code indexes the table of instrument locations.
void check_instrument_code(int loc, int code) {
  if (code >= 0 && code <= 8) return;
  char l2[STR_SIZE];
  std::snprintf(l2, sizeof l2, "Panel location %d holds instrument number %d.", loc, code);
  fatal("Invalid panel specification!", l2, "The instruments are numbered 0 (none) to 8 (ADF).",
        "Go into Airwright, select the 'Panel' screen, and choose the instrument for that "
        "location again.");
}

void check_weight(float kg, const char* line1) {
  if (kg < 1.0f)
    fatal(line1, "This defies the immutable laws of physics!",
          "Please do not defy the immutable laws of physics!", pln.C_file);
}

// ---- Values the flight model cannot keep finite ------------------------------------------------

// "Go [back] into Airwright, select the engine screen, and enter WHAT.", naming the screen as the
// type's menu does: "Engines" for an aeroplane, "Engine" for a helicopter.
static const char* engine_screen_line(const char* go, const char* what) {
  static char line[STR_SIZE];
  std::snprintf(line, sizeof line, "%s, select the '%s' screen, and enter %s.", go,
                pln.is_heli ? "Engine" : "Engines", what);
  return line;
}

// The engine count bounds every per-engine array.
void check_engine_count(int numen) {
  if (numen >= 0 && numen <= MAX_ENGINES) return;
  char l1[STR_SIZE];
  std::snprintf(l1, sizeof l1, "This aircraft has %d engines!", numen);
  fatal(l1, "An aircraft may have from 0 to 4 engines.",
        engine_screen_line("Go into Airwright", "the number of engines"), pln.C_file);
}

// The engine model divides by the rotation-speed range and the maximum speed of a propeller
// engine, and by the spool time of a jet.
void check_engine_values() {
  if ((pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) &&
      (pln.omegamin <= 0.0f || pln.omegamax <= 0.0f || pln.omegamin == pln.omegamax))
    fatal("You entered an idle rpm or a maximum engine rpm of zero, or the two are equal!",
          "The engine needs an idle rpm above zero and a greater maximum rpm.",
          engine_screen_line("Go back into Airwright", "the engine rpm data"), pln.C_file);
  if (pln.entype == ENGINE_JET && pln.spooltime <= 0.0f)
    fatal("You entered a jet engine spool time of zero!",
          "A jet engine needs some time to spool up.",
          engine_screen_line("Go back into Airwright", "the spool time"), pln.C_file);
}

// A helicopter's screens edit its main and tail rotors only; with more than two engines the discs
// of engines 3 and 4 exist too, and the one remedy is fewer engines.
static const char* const heli_two_engines =
    "A helicopter has only its main and tail rotors: go into Airwright, select the 'Engine' "
    "screen, and enter 1 or 2 engines.";

// An aeroplane whose engine type is none still has the propellers of its engine count; a glider
// is made by having no engines, not by leaving its propeller out.
static const char* const glider_no_engines =
    "For an aircraft without engines, go into Airwright, select the 'Engines' screen, and enter 0 "
    "engines; otherwise give the propeller its blade data on the 'Props' screen.";

// What the designer must change for a disc of part p that is refused, or `usual` when it is the
// part's own screen.
static const char* disc_remedy(int p, const char* usual) {
  if (p < 0 || p > PART_LAST_DISC) return usual;
  if (pln.is_heli && p > PART_TAIL_ROTOR) return heli_two_engines;
  if (!pln.is_heli && pln.entype == ENGINE_NONE) return glider_no_engines;
  return usual;
}

// The element count bounds the per-element arrays, and an existing part divides its span by it.
void check_element_count(int p) {
  int n = pln.els[p];
  if (n >= 1 && n <= MAX_ELS) return;
  if (!have_this_part(p) && n >= 0 && n <= MAX_ELS) return;
  char l1[STR_SIZE], l3[STR_SIZE];
  std::snprintf(l1, sizeof l1, "The %s is divided into %d elements!", part_name(p), n);
  std::snprintf(l3, sizeof l3,
                "Go into Airwright, select the '%s' screen, and enter 1 to 8 elements.",
                part_screen(p));
  fatal(l1, "Each flying surface must have from 1 to 8 elements.", disc_remedy(p, l3), pln.C_file);
}

// An existing surface needs a chord, and an existing propeller or rotor also a blade length and
// blades, or its areas, chords and inertia come out zero and the flight model divides by them.
void check_disc(int p) {
  if (!have_this_part(p)) return;
  int disc = p <= 3;
  if (pln.Croot[p] + pln.Ctip[p] > 0.0f &&
      (!disc || (pln.semilen[p] > 0.0f && pln.numblades[p] > 0.0f)))
    return;
  char l1[STR_SIZE], l3[STR_SIZE];
  if (disc)
    std::snprintf(l1, sizeof l1, "The %s has a blade length, chord or number of blades of zero!",
                  part_name(p));
  else
    std::snprintf(l1, sizeof l1, "The %s has a chord of zero!", part_name(p));
  std::snprintf(l3, sizeof l3, "Go into Airwright, select the '%s' screen, and enter %s.",
                part_screen(p), disc ? "the blade data" : "the root and tip chords");
  fatal(l1, "This cannot produce any force, and the flight model cannot handle it.",
        disc_remedy(p, l3), pln.C_file);
}

// The skid's loads and resting attitude are divided by its length.
void check_skid() {
  if (pln.skidEQ && pln.skidl == 0.0f)
    fatal("You have fitted skids with a length of zero!",
          "The skids must have some length to carry the machine on the ground.",
          "Go into Airwright, select the 'Skid' screen, and enter the skid length.", pln.C_file);
}

// ---- Design checks ---------------------------------------------------------------------------

static int any_flag(const int (&flags)[NUM_PARTS][MAX_ELS], int p) {
  for (int e = 0; e < pln.els[p] && e < MAX_ELS; e++)
    if (flags[p][e]) return 1;
  return 0;
}

static const char* const two_tail_types =
    "There are 2 different tail-types in Kestrix: STABILIZER and STABILATOR.";

static void check_fuselage_stations() {
  for (int j = 1; j <= 8; j++) {
    if (pln.body_Z[12][j][0] == pln.body_Z[12][j - 1][0]) {
      fatal("You have entered a fuselage with at least two sections at the same station!",
            "In other words, the longitudinal location of two fuselage cross-sections is the same.",
            "This is not tenable for the aerodynamics/hydrodynamics flight model.",
            "Please chnage this in Airwright.");
      return;
    }
  }
}

static void check_panel_and_tail() {
  if (pln.paneltype == 2 && (pln.supptype == 3 || pln.supptype == 6))
    fatal("You have indicated in 'Airwright' that this aircraft has a GLASS PANEL.",
          "However, you have selected either the Argus or weather-radar as the equipment option.",
          "The glass panel contains all the information of both the Argus and weather radar "
          "systems.",
          "Therefore you need to change your equipment type to some other option.");
  if (pln.m_empty > pln.m_max)
    fatal(
        "You have selected an empty weight that is greater than the maximum weight for this "
        "airplane!",
        "Go into Airwright and set the empty weight to less than the maximum weight!",
        "The airplane in question is:", pln.C_file);
  if (pln.hstabtype == 1 && pln.flyingstabEQ)
    fatal(two_tail_types,
          "You select the tail type for your airplane in the Airwright Horizontal Stabilizer "
          "screen.",
          "If you select a tail-type of STABILATOR, you may NOT enter a STABILIZER trim. (Trim is "
          "automatically 40% for stabilators).",
          "You have selected a trim, though. Go into Airwright and set the STABILIZER trim to 0, "
          "or set the tail-type to STABILIZER.");
  if (have_this_part(8) && pln.hstabtype == 1 && any_flag(pln.elev, 8))
    fatal(two_tail_types, "With STABILIZERS, an elevator moves for pitch control.",
          "With STABILATORS, the whole tail moves for pitch control.",
          "You have selected elevators as being on a STABILATOR, which is not acceptable. Correct "
          "the design in Airwright.");
}

static void check_propulsion() {
  int props = pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP;
  if (pln.fusewash && (pln.entype == ENGINE_JET || pln.entype == ENGINE_NONE))
    fatal(
        "You have selected the fuselage as being in propwash, yet there are no propellers on "
        "this aircraft!",
        "This has me very confused.",
        "Select reciprocating or turboprop engines, or select the fuselage as NOT being in "
        "propwash.",
        "Do this in 'Airwright'.");
  if (pln.vectEQ && props && (pln.elevcyclic == 0.0f || pln.ailncyclic == 0.0f) &&
      (pln.puffL == 0.0f || pln.puffM == 0.0f))
    fatal(
        "This aircraft has vectored thrust, but does NOT have pitch and roll cyclic deflections "
        "or puffers!",
        "There will be no control authority in hover!",
        "Add pitch and roll cyclic deflections or add puffers.",
        "...or check the aircraft as being NON-VECTORED THRUST in Foilsmith, 'engines' menu.");
  if (pln.vectEQ && pln.entype == ENGINE_JET && (pln.puffL == 0.0f || pln.puffM == 0.0f))
    fatal("The puffer moments in pitch and roll are zero.",
          "This will not allow you to manuever the aircraft in pitch or roll.",
          "Put in some puffers for pitch and roll control....",
          "...you can use differential vectoring for rudder control.");
}

static void check_surfaces_and_attitude() {
  int any = 0;
  for (int p = PART_WING1_LEFT; p <= PART_VSTAB2; p++) any |= have_this_part(p);
  if (!any)
    fatal("This aircraft has no flying surfaces!",
          "You must have at least a stabilizer or something on the airplane!",
          "Put on a wing or stabilizer or something in Airwright.", "");
  // The one check that lets the aircraft fly: it can still take off from a steep stance.
  if (std::fabs(fltwrap(pln.the_eqlbm, -180.0f, 180.0f)) > 30.0f)
    MACIBM_alert("This thing sits on the ground with an excessive attitute.",
                 "Check up on the landing gear locations and heights in Airwright.", "",
                 "I will let you go flying, but you may encounter problems on the ground.",
                 ALERT_NOTICE);
}

static void check_vectoring_and_sweep() {
  int varsweep = pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8];
  if (pln.vertcant[0] != 0.0f && pln.vectEQ)
    fatal(
        "This aircraft has both vectored thrust and a canted engine! The trigonometry for this "
        "is not currently supported.",
        "You must set the thrust-vectoring option OFF OR set the engine cants to ZERO in "
        "Airwright.",
        "Call customer support if niether of these options is feasible.", "");
  if (pln.vectEQ && varsweep)
    fatal("Aircraft has vectored thrust and variable-sweep wing or stabilizer!",
          "This is not allowed because the thrust vector and wing-sweep controls will overlap on "
          "the engine control console.",
          "Use vect thrust OR variable-sweep wings, not both.",
          "Correct the problem in Airwright.");
  if (pln.autosweepEQ && !varsweep)
    fatal(
        "Your aircraft has been selected to have the wings and/or horizontal stabilizer sweep "
        "automatically ",
        "...yet neither the wings nor the horizontal stabilizer are selected for variable "
        "sweep!",
        "This is untenable.", "Correct the problem in Airwright.");
}

static void check_ground_contact() {
  int between =
      (pln.ngearZ < 0.0f && pln.mgearZ > 0.0f) || (pln.ngearZ > 0.0f && pln.mgearZ < 0.0f);
  if (pln.gearEQ && !between)
    fatal("The center of gravity is not between the nose gear and the main gear!",
          "This will result in a plane that falls on it's nose or tail on the ground!",
          "Keep the CG between the landing gear by using 'Airwright' to enter the gear and CG in "
          "the right place",
          "");
  if (pln.skidEQ && (pln.skidZ > 0.0f || pln.skidZ + pln.skidl < 0.0f))
    fatal("The center of gravity is not between the front and back of the skid!",
          "This will result in a machine that falls on it's nose or tail on the ground!", "", "");
}

static void check_engines() {
  if ((pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) &&
      pln.omegamin > pln.omegamax)
    fatal("You entered an idle rpm greater then the maximum engine rpm in Airwright!",
          "That is not possible. Go back into Airwright, select the 'Engine' screen, and enter the "
          "engine rpm data.",
          "The airplane in question is:", pln.C_file);
  // The airframe's inertia is the empty mass less the engines': with nothing left, an engine on
  // the centreline leaves the aircraft no inertia in roll, and the flight model divides by it.
  if (pln.entype != ENGINE_NONE && pln.numen * engine_mass() >= pln.m_empty)
    fatal("The engines weigh more than the whole empty aircraft!",
          "Kestrix reckons 1.75 lb per horsepower of a piston engine, 0.5 lb per horsepower of a "
          "turboprop and 0.18 lb per pound of a jet's thrust.",
          "Go into Airwright and raise the empty weight, or lower the engines' power or thrust.",
          pln.C_file);
  if (pln.is_heli && pln.entype == ENGINE_JET)
    fatal("You are using a jet engine on this helicopter!",
          "Helicopters may use reciprocating or turboprop engines only.",
          "Generate a turboprop engine in Foilsmith, and select that engine for your helicopter in "
          "Airwright.",
          "");
  if (pln.is_heli && pln.entype == ENGINE_NONE)
    fatal("You have selected no engines for your helicopter!",
          "Make sure you have either 1 or 2 engines selected for your helicopter in Airwright", "",
          "");
}

// The order is the order of the messages a designer meets, one at a time.
void check_design() {
  check_fuselage_stations();
  check_panel_and_tail();
  check_propulsion();
  check_surfaces_and_attitude();
  check_vectoring_and_sweep();
  check_ground_contact();
  check_engines();
}
