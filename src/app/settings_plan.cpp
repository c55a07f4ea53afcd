// The "Flight Plan" window, opened from the controller's menu: the rules, the departure and
// destination airports by identifier and the cruise altitude. The window edits a draft; filing or
// amending checks both airports against the database and only then puts the draft on file, so that
// a plan in flight never holds an airport nobody can find. Closing the plan is the radio call of
// the controller's menu.
#include "app/settings.h"

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "shared/shared.h"
#include "world/world.h"

enum { RULES_IFR, RULES_VFR, RULES_DVFR };
enum { ID_CHARS = 16 };  // room to see that a fifth letter was typed, which names no airport

static int draft_rules = RULES_IFR;
static char draft_dep[ID_CHARS], draft_arr[ID_CHARS];
static int draft_cruise = 5000;
// Cruise altitudes from 1000 ft up to the top of the controlled airspace.
enum { CRUISE_LOWEST = 1000, CRUISE_HIGHEST = 60000 };

static int plan_on_file() { return fpl.onfile; }
static int plan_not_on_file() { return !fpl.onfile; }

static const form_field plan_fields[] = {
    not_saved(
        field_choice("rules", "Flight rules", &draft_rules, RULES_IFR, RULES_DVFR, "IFR|VFR|DVFR")),
    field_text("departure", "Departure", draft_dep, ID_CHARS),
    beside(field_label("departure_name", 260)),
    field_text("destination", "Destination", draft_arr, ID_CHARS),
    beside(field_label("destination_name", 260)),
    not_saved(field_number("cruise", "Cruise altitude", "ft", &draft_cruise, CRUISE_LOWEST,
                           CRUISE_HIGHEST, 500)),
    field_label("initial", 400),
    applies_when(field_button("file", "File"), plan_not_on_file),
    beside(applies_when(field_button("amend", "Amend"), plan_on_file)),
    beside(applies_when(field_button("close", "Close plan"), plan_on_file)),
};

static const char* skip_blanks(const char* s) {
  while (*s == ' ') s++;
  return s;
}
static int airport_of(const char* typed) { return find_apt_by_id(skip_blanks(typed)); }

// The name of each airport as it is typed, or that the database has none of that identifier.
static void show_airport(int w, const char* field, const char* typed) {
  const int n = airport_of(typed);
  char text[80];
  if (n >= 0)
    std::snprintf(text, sizeof text, "%.39s", apt_name[n]);
  else
    std::snprintf(text, sizeof text, "%s", skip_blanks(typed)[0] ? "not in the database" : "");
  form_text(w, field, text);
}

static void show_plan(int w) {
  show_airport(w, "departure_name", draft_dep);
  show_airport(w, "destination_name", draft_arr);
  char text[80];
  if (fpl.activated && atc.plan_phase > 1)  // past the clearance, which works it out
    std::snprintf(text, sizeof text, "Initial altitude %d ft, as cleared", fpl.init_alt);
  else
    std::snprintf(text, sizeof text, "The initial altitude comes with the clearance.");
  form_text(w, "initial", text);
}

// The draft starts from the plan as it stands (the controller's menu has just put the local
// airport in as the departure when a new plan is being filed).
static void plan_open(int w) {
  draft_rules = fpl.vfr ? RULES_VFR : fpl.dvfr ? RULES_DVFR : RULES_IFR;
  std::snprintf(draft_dep, sizeof draft_dep, "%.4s", fpl.dep_id_str);
  std::snprintf(draft_arr, sizeof draft_arr, "%.4s", fpl.arr_id_str);
  draft_cruise = intlim(fpl.cruise_alt, CRUISE_LOWEST, CRUISE_HIGHEST);
  show_plan(w);
}

// 1 when both airports are known; otherwise the user is told which is not, and 0.
static int airports_known() {
  const struct {
    const char* what;
    const char* typed;
  } ends[] = {{"departure", draft_dep}, {"destination", draft_arr}};
  for (const auto& e : ends) {
    if (airport_of(e.typed) >= 0) continue;
    char line[80];
    std::snprintf(line, sizeof line, "The %s \"%.8s\" is not an airport identifier I know.", e.what,
                  skip_blanks(e.typed));
    MACIBM_alert("I could not find an airport with this ID anywhere in the country!", line,
                 "Type the identifier of an airport in the database, such as SBD.", "",
                 ALERT_NOTICE);
    return 0;
  }
  return 1;
}

// The draft goes on file, its airports as the database spells them; the window's work is done.
static void file_draft(int w) {
  if (!airports_known()) return;
  fpl.ifr = draft_rules == RULES_IFR;
  fpl.vfr = draft_rules == RULES_VFR;
  fpl.dvfr = draft_rules == RULES_DVFR;
  std::snprintf(fpl.dep_id_str, sizeof fpl.dep_id_str, "%.4s", apt_id[airport_of(draft_dep)]);
  std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%.4s", apt_id[airport_of(draft_arr)]);
  fpl.cruise_alt = draft_cruise;
  file_flight_plan();
  MACIBM_killwind(w);
}

static void plan_action(int w, int field, int element) {
  const char* name = plan_fields[field].name;
  if (std::strcmp(name, "file") == 0 || std::strcmp(name, "amend") == 0) {
    file_draft(w);
  } else if (std::strcmp(name, "close") == 0) {
    close_flight_plan_by_radio();
    MACIBM_killwind(w);
  } else {
    show_plan(w);
  }
}

const form_window flight_plan_form = {plan_fields, count_of(plan_fields), plan_open, nullptr,
                                      plan_action};
