// The three reliability windows: the random failure rate of every item, and for each failure
// entry of the instruments and of the equipment whether it fails only at random, after a mean
// time, or at once.
#include "app/settings.h"

#include <cstring>

#include "app/app.h"
#include "flight/flight.h"

enum { INSTRUMENT_ENTRIES = 9 };  // entries 0..8; the equipment's follow

static const char fail_kinds[] = "Only at random|After a mean time|Now";

static const form_field reliability_fields[] = {
    field_number("rate", "Random failure rate", "per 1000", &rel.total_fail_entry, 0, 1000, 1, 1),
    field_label("rate_note", 330),
    field_label("rate_note2", 330),
    saved(field_button("all_random", "Every item: only at random")),
};

static void reliability_open(int w) {
  form_text(w, "rate_note", "At a rate r, each item fails with a chance");
  form_text(w, "rate_note2", "of (r / 1000) squared in every second.");
}

// Back to the factory schedule: no item has a time or fails now, and every item works again, or a
// failure would last until the next flight whatever the pilot chose.
static void reliability_action(int w, int field, int element) {
  if (std::strcmp(reliability_fields[field].name, "all_random") != 0) return;
  for (int i = 0; i < FAIL_ENTRIES; i++) {
    rel.fail_type[i] = 1;
    repair_failure(i);
  }
}

const form_window reliability_form = {reliability_fields, count_of(reliability_fields),
                                      reliability_open, nullptr, reliability_action};

static const form_field instrument_fields[] = {
    array_of(field_choice("type", "Fails", rel.fail_type, 1, 3, fail_kinds), INSTRUMENT_ENTRIES,
             "Vacuum system|Airspeed indicator|Attitude indicator|Altimeter|Turn and slip|"
             "Directional gyro|Vertical speed|Glass display 1|Glass display 2"),
    beside(array_of(
        field_number("minutes", "Mean time, min", "", rel.fail_time_max, 0.1f, 99999, 1, 1),
        INSTRUMENT_ENTRIES, "")),
};

// Choosing how an item fails starts it afresh under that schedule: an item failed now is cleared
// by choosing another, and one failed at random is mended by choosing its schedule again.
static void instruments_action(int w, int field, int element) {
  if (std::strcmp(instrument_fields[field].name, "type") == 0) repair_failure(element);
}

const form_window instruments_form = {instrument_fields, count_of(instrument_fields), nullptr,
                                      nullptr, instruments_action};

static const char equipment_names[] =
    "An engine|Ailerons|Elevator|Rudder|Flaps|Slats|Throttles|Gear leg 1|Gear leg 2|Gear leg 3|"
    "Hydraulic system|A governor|Stability augmentation|Symmetric flap drive|Stabiliser trim|"
    "A reverser lock|Anti-ice|An oil pump|Cockpit lights|Autopilot|Tail-rotor drive";

static const form_field equipment_fields[] = {
    array_of(field_choice("type", "Fails", rel.fail_type + INSTRUMENT_ENTRIES, 1, 3, fail_kinds),
             FAIL_ENTRIES - INSTRUMENT_ENTRIES, equipment_names),
    beside(array_of(field_number("minutes", "Mean time, min", "",
                                 rel.fail_time_max + INSTRUMENT_ENTRIES, 0.1f, 99999, 1, 1),
                    FAIL_ENTRIES - INSTRUMENT_ENTRIES, "")),
};

static void equipment_action(int w, int field, int element) {
  if (std::strcmp(equipment_fields[field].name, "type") == 0)
    repair_failure(INSTRUMENT_ENTRIES + element);
}

const form_window equipment_form = {equipment_fields, count_of(equipment_fields), nullptr, nullptr,
                                    equipment_action};
