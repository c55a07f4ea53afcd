// The fuel and weight windows: the loads every flight starts with (set.load_*, the same loads as
// kestrix-fly's --fuel-lb and --payload-lb), each taken on by the flight at once when it is set.
// Loads beyond what the aircraft carries are refused with a message, never flown.
#include "app/settings.h"

#include <cstdio>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"

static float get_fuel(int) { return set.load_fuel * con.kgstolbs; }
static void set_fuel(int, float lb) { set.load_fuel = lb * con.lbstokgs; }
static float get_jettison(int) { return set.load_jettison * con.kgstolbs; }
static void set_jettison(int, float lb) { set.load_jettison = lb * con.lbstokgs; }
static float get_payload(int) { return set.load_fixed * con.kgstolbs; }
static void set_payload(int, float lb) { set.load_fixed = lb * con.lbstokgs; }
static int has_jettison() { return pln.m_jettison > 0.0f; }

// The ranges are the aircraft's, which the table cannot know: the check below refuses what is
// beyond them.
static const float MOST_LB = 1.0e6f;

// Says why loads do not fit and returns 0, or returns 1.
static int loads_allowed(float fuel, float payload, float jettison) {
  float room = 0.0f;
  int fit = loads_fit(fuel, payload, jettison, &room);
  char l1[160], l2[160];
  l2[0] = '\0';
  switch (fit) {
    case LOADS_FIT:
      return 1;
    case LOADS_FUEL_OVER:
      std::snprintf(l1, sizeof l1, "The tanks hold only %.0f lb of fuel.",
                    pln.m_fuel * con.kgstolbs);
      std::snprintf(l2, sizeof l2, "I did not load %.0f lb.", fuel * con.kgstolbs);
      break;
    case LOADS_JETTISON_OVER:
      std::snprintf(l1, sizeof l1, "The jettisonable load can be at most %.0f lb.",
                    pln.m_jettison * con.kgstolbs);
      break;
    default:
      std::snprintf(l1, sizeof l1, "That is more than the maximum weight of %.0f lb allows.",
                    pln.m_max * con.kgstolbs);
      std::snprintf(l2, sizeof l2,
                    "With %.0f lb of fuel and %.0f lb of jettisonable load, the payload can be at "
                    "most %.0f lb.",
                    fuel * con.kgstolbs, jettison * con.kgstolbs, room * con.kgstolbs);
      break;
  }
  MACIBM_alert(l1, l2, "", "", ALERT_NOTICE);
  return 0;
}

// The loads as they would be with the new value of the field (pounds).
static int check_loads(const form_field& f, float lb) {
  float fuel = set.load_fuel, payload = set.load_fixed, jettison = set.load_jettison;
  float kg = lb * con.lbstokgs;
  if (f.get == get_fuel) fuel = kg;
  if (f.get == get_payload) payload = kg;
  if (f.get == get_jettison) jettison = kg;
  return loads_allowed(fuel, payload, jettison);
}

// The weight now is what is on board, with the fuel burnt since the start gone.
static void show_weights(int w) {
  char text[200];
  std::snprintf(text, sizeof text, "Empty %.0f lb, maximum %.0f lb; now %.0f lb in all.",
                pln.m_empty * con.kgstolbs, pln.m_max * con.kgstolbs,
                (pln.m_empty + flt.m_fuel + flt.m_fixed + flt.m_jettison) * con.kgstolbs);
  form_text(w, "weights", text);
  std::snprintf(text, sizeof text, "The tanks hold %.0f lb; jettisonable load up to %.0f lb.",
                pln.m_fuel * con.kgstolbs, pln.m_jettison * con.kgstolbs);
  form_text(w, "capacity", text);
}

// The load just set goes on board; the others stay as the flight has them, so that a new payload
// does not put back the fuel burnt since the start.
static void take_on(float* on_board, float chosen) {
  *on_board = chosen;
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
}

// ---- Fuel ------------------------------------------------------------------------------------

static const form_field fuel_fields[] = {
    field_computed("fuel", "Fuel", "lb", get_fuel, set_fuel, 0, MOST_LB, 10, 0),
    saved(field_button("full", "Fill the tanks")),
    beside(saved(field_button("half", "Half tanks"))),
    applies_when(field_computed("jettison", "Jettisonable load", "lb", get_jettison, set_jettison,
                                0, MOST_LB, 10, 0),
                 has_jettison),
    field_label("capacity", 420),
    field_label("weights", 420),
};

static int fuel_check(int w, int field, int element, float lb) {
  return check_loads(fuel_fields[field], lb);
}

static void fuel_action(int w, int field, int element) {
  const char* name = fuel_fields[field].name;
  float fuel = std::strcmp(name, "full") == 0   ? pln.m_fuel
               : std::strcmp(name, "half") == 0 ? 0.5f * pln.m_fuel
                                                : set.load_fuel;
  if (std::strcmp(name, "jettison") == 0) {
    take_on(&flt.m_jettison, set.load_jettison);
  } else if (fuel == set.load_fuel || loads_allowed(fuel, set.load_fixed, set.load_jettison)) {
    set.load_fuel = fuel;
    take_on(&flt.m_fuel, fuel);
  }
  show_weights(w);
}

const form_window fuel_form = {fuel_fields, count_of(fuel_fields), show_weights, fuel_check,
                               fuel_action};

// ---- Weights ---------------------------------------------------------------------------------

static const form_field weights_fields[] = {
    field_computed("payload", "Payload", "lb", get_payload, set_payload, 0, MOST_LB, 10, 0),
    field_label("weights", 420),
    field_label("capacity", 420),
};

static int weights_check(int w, int field, int element, float lb) {
  return check_loads(weights_fields[field], lb);
}

static void weights_action(int w, int field, int element) {
  take_on(&flt.m_fixed, set.load_fixed);
  show_weights(w);
}

const form_window weights_form = {weights_fields, count_of(weights_fields), show_weights,
                                  weights_check, weights_action};
