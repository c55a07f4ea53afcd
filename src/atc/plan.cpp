// The flight plan: filing, picking up and closing it, and the phases the controllers take the
// aircraft through, from the clearance on the ground to the taxi back to the ramp.
#include <cmath>
#include <cstring>

#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Filing ----------------------------------------------------------------------------------

void file_flight_plan() {
  fpl.onfile = 1;
  // An amended plan that is already flying follows its new destination when there is one.
  const int arr = find_apt_by_id(fpl.arr_id_str);
  if (fpl.activated && arr >= 0) atc.plan_index = arr;
}

void close_flight_plan() {
  fpl.onfile = fpl.activated = 0;
  atc.ils_vec_in_progress = 0;
  atc.waiting_new_frq = 0;
  atc.plan_phase = 1;
}

void close_flight_plan_by_radio() {
  char s[STR_SIZE];
  start_command_string(s, 1);
  app_C(s, "flight plan closed. Squawk 1 2 0 0. Good day.");
  close_flight_plan();
  speakstring(s);
}

// A plan naming an airport the database does not hold cannot be flown: the controller says which
// one, spelled, and the plan stays as it was.
int pick_up_flight_plan() {
  const char* ids[2] = {fpl.dep_id_str, fpl.arr_id_str};
  for (const char* id : ids) {
    if (find_apt_by_id(id) >= 0) continue;
    char s[STR_SIZE];
    start_command_string(s, 1);
    app_C(s, "I have no airport ");
    for (int k = 0; k < 4 && id[k]; k++) app_phonetic(s, id[k]);
    app_C(s, "on file. Please amend your flight plan.");
    speakstring(s);
    return 0;
  }
  fpl.activated = 1;
  atc.plan_index = find_apt_by_id(fpl.arr_id_str);
  atc.plan_phase = 1;
  atc.waiting_new_frq = 0;
  atc.plan_wait_len = 0.0f;
  return 1;
}

// ---- Phases ----------------------------------------------------------------------------------

enum {
  PHASE_CLEARANCE = 1,
  PHASE_GROUND = 4,
  PHASE_DEPARTURE = 5,
  PHASE_ENROUTE = 6,
  PHASE_APPROACH = 7,
  PHASE_TOWER = 8,
  PHASE_LANDING = 9,
  PHASE_LANDED = 10,
};

static void hand_off(int phase) {
  atc.waiting_new_frq = 1;
  atc.plan_phase = phase;
}

static void start_timer(float lo, float hi) {
  atc.plan_wait_from = msc.elap_time;
  atc.plan_wait_len = fltrand(lo, hi);
}

// 1 once the running timer has run out (it then stops); 0 while it runs or when none runs.
static int timer_ran_out() {
  if (atc.plan_wait_len <= 0.0f) return 0;
  if (clock_since(msc.elap_time, atc.plan_wait_from) < atc.plan_wait_len) return 0;
  atc.plan_wait_len = 0.0f;
  return 1;
}

static int ifr_plan() { return fpl.ifr && !fpl.vfr && !fpl.dvfr; }

// "contact center 1 2 3 point 4 5"
static void app_contact(char* s, const char* who, int khz) {
  app_C(s, who);
  app_freq_khz(s, khz);
}

// Hours and minutes of a time of day, s: "1 4 3 5".
static void app_time(char* s, float t) {
  int h, m;
  sec_to_hrs_min(fltwrap(std::fmod(t, 86400.0f), 0.0f, 86400.0f), &h, &m);
  app_digits(s, intwrap(h, 0, 23), 2);
  app_C(s, " ");
  app_digits(s, intlim(m, 0, 59), 2);
}

// "proceed on course": the heading to the destination, for whoever follows the controller.
static void on_course_to(int dest) {
  float d, b;
  apt_from_aircraft(dest, &d, &b);
  atc.said_hdg = intwrap(intround(b) + env.mvar, 1, 360);
  if (atc.said_hdg <= 0 || atc.said_hdg > 360) atc.said_hdg = 360;
  atc.instructions++;
}

static void clearance(char* s) {
  const int local = local_airport();
  int field = find_apt_by_id(fpl.dep_id_str);
  if (field < 0) field = local;
  const float elev_ft = field >= 0 ? apt_h[field] * con.mtrstoft : 0.0f;
  // A plan filed without a usable cruise altitude still gets a clearance that can be flown.
  fpl.cruise_alt = intmax2(intnear(fpl.cruise_alt, 1000), 1000);
  const int initial = intnear(intround(elev_ft) + 2000, 500);
  // A cruise altitude below that (5000 ft filed at a field 7800 ft high) would clear the aircraft
  // below its own runway: it becomes the first thousand above the initial altitude.
  if (fpl.cruise_alt < initial + 500) fpl.cruise_alt = (initial + 500 + 999) / 1000 * 1000;
  fpl.init_alt = intmin2(initial, fpl.cruise_alt - 500);
  const int ifr = ifr_plan();
  if (on_ground_at_tower(local)) {
    app_C(s, ifr ? "cleared as filed maintain at or below " : "you are cleared as filed maintain at or below ");
    app_int(s, static_cast<float>(fpl.init_alt));
    if (ifr) {
      app_C(s, " expect ");
      app_int(s, static_cast<float>(fpl.cruise_alt));
      app_C(s, " 10 minutes after departure.");
    } else {
      app_C(s, " initially, expect higher after that.");
    }
    app_contact(s, " Departure will be on ", invent_frequency());
    app_C(s, " squawk ");
    app_squawk(s);
    app_C(s, " advise when ready to taxi.");
    atc.plan_phase = PHASE_GROUND;
    atc.said_alt = fpl.init_alt;
    atc.instructions++;
    return;
  }
  if (!flt.onsurface) {
    app_contact(s, "cleared as filed contact center ", invent_frequency());
    app_C(s, ".");
  } else if (!ifr) {
    app_contact(s, "cleared as filed. Contact center on ", invent_frequency());
    app_C(s, " when airborne. Squawk ");
    app_squawk(s);
    app_C(s, ".");
  } else {
    app_C(s, "cleared as filed maintain at or below ");
    app_int(s, static_cast<float>(fpl.init_alt));
    atc.said_alt = fpl.init_alt;
    atc.instructions++;
    app_C(s, " expect ");
    app_int(s, static_cast<float>(fpl.cruise_alt));
    app_contact(s, " 10 minutes after that. Contact center on ", invent_frequency());
    app_C(s, " when airborne, squawk ");
    app_squawk(s);
    app_C(s, " time now ");
    app_time(s, msc.zulu_time);
    // Ten minutes on, across the hour and across midnight.
    app_C(s, " Z, clearance void if not off by ");
    app_time(s, msc.zulu_time + 600.0f);
    app_C(s, " Z.");
  }
  hand_off(PHASE_ENROUTE);
}

// The en-route controller's call every 15 to 30 seconds; 1 when s is to be said.
static int enroute_call(char* s, int dest) {
  float d, b;
  apt_from_aircraft(dest, &d, &b);
  const float h_ft = flt.h * con.mtrstoft, ind_ft = flt.h_ind * con.mtrstoft;
  if (d < interp(0.0f, 20.0f, 30000.0f, 120.0f, h_ft)) {
    app_C(s, "contact ");
    app_C(s, apt_name[dest]);
    app_contact(s, " approach on ", invent_frequency());
    app_C(s, ".");
    hand_off(PHASE_APPROACH);
    return 1;
  }
  const int high = ind_ft > fpl.cruise_alt + 200.0f && flt.vu > -2.0f;
  const int low = ind_ft < fpl.cruise_alt - 200.0f && flt.vu < 2.0f;
  if (high || low) {
    app_C(s, "your flight plan calls for ");
    app_int(s, static_cast<float>(fpl.cruise_alt));
    app_C(s, " feet while enroute, sir. I will need you to ");
    app_C(s, low ? "climb" : "descend");
    app_C(s, " and maintain that altitude. You may amend your plan if you want a different altitude.");
    atc.said_alt = fpl.cruise_alt;
    atc.instructions++;
    return 1;
  }
  if (flt.vind > 250.0f && ind_ft < 10000.0f) {
    app_C(s, "I will need you to stay below 2 5 0 knots while below ten thousand feet.");
    return 1;
  }
  if (atc.vectored_me) {
    atc.vectored_me = 0;
    app_C(s, "proceed back on course to ");
    app_C(s, apt_name[dest]);
    app_C(s, ".");
    on_course_to(dest);
    return 1;
  }
  atc.vectored_me = make_random_call(1, 1);
  return 0;
}

// The approach controller asks for the destination's localizer, or clears any approach where it
// has none; 1 when s is to be said.
static int approach_check_in(char* s, int dest) {
  int r, end, has_ils, ils_nav;
  get_active_rway(dest, &r, &end, &has_ils, &ils_nav);
  if (!has_ils) {
    app_C(s, "cleared full approach of your choice.");
    close_flight_plan();
    return 1;
  }
  char request[STR_SIZE];
  C_to_C(nav_type[ils_nav] == 4 ? "request I L S " : "request localizer ", request);
  app_C(request, nav_name[ils_nav]);
  controller_respond(request);
  return 0;
}

void handle_plan(int check_in) {
  if (!check_in && atc.waiting_new_frq) return;
  const int dest = atc.plan_index;
  // A plan whose destination is not in the database cannot be flown.
  if (dest < 0 || dest > intmin2(env.aptmax, APT_MAX - 1)) {
    fpl.activated = 0;
    return;
  }
  char s[STR_SIZE];
  start_command_string(s, 1);
  int say = 0;
  float d, b;
  switch (atc.plan_phase) {
    case PHASE_CLEARANCE:
      clearance(s);
      say = 1;
      break;
    case PHASE_GROUND:
      if (!check_in && flt.h - env.local_h > 200.0f) {
        app_C(s, "contact departure.");
        hand_off(PHASE_DEPARTURE);
        say = 1;
      }
      break;
    case PHASE_DEPARTURE:
      if (check_in) {
        app_C(s, "radar contact. Climb to ");
        app_int(s, static_cast<float>(fpl.cruise_alt));
        app_C(s, " approved, proceed on course to ");
        app_C(s, apt_name[dest]);
        app_C(s, ".");
        atc.said_alt = fpl.cruise_alt;
        on_course_to(dest);
        start_timer(15.0f, 45.0f);
        say = 1;
      } else if (timer_ran_out()) {
        app_contact(s, "contact center ", invent_frequency());
        app_C(s, ".");
        hand_off(PHASE_ENROUTE);
        say = 1;
      }
      break;
    case PHASE_ENROUTE:
      if (check_in) {
        app_C(s, "roger proceed on course to ");
        app_C(s, apt_name[dest]);
        app_C(s, " ");
        app_altimeter_string(s);
        app_C(s, ".");
        if (fltrand(0.0f, 1.0f) < 0.3f) {
          app_C(s, " Reset transponder squawk ");
          app_squawk(s);
          app_C(s, ".");
        }
        on_course_to(dest);
        start_timer(15.0f, 30.0f);
        say = 1;
      } else if (timer_ran_out()) {
        start_timer(15.0f, 30.0f);
        // Vectored to an approach, the aircraft flies that controller's headings and altitudes,
        // which the plan's cruise altitude and course would contradict call after call.
        if (!atc.ils_vec_in_progress) say = enroute_call(s, dest);
      }
      break;
    case PHASE_APPROACH:
      if (check_in) {
        say = approach_check_in(s, dest);
        break;
      }
      apt_from_aircraft(dest, &d, &b);
      if (!atc.ils_vec_in_progress && apt_twr[dest] && d < 10.0f) {
        app_C(s, "contact ");
        app_C(s, apt_name[dest]);
        app_contact(s, " tower on ", tower_frequency(dest));
        app_C(s, ".");
        atc.cleared_nav = -1;  // no approach cleared: the tower gives the active runway
        hand_off(PHASE_TOWER);
        say = 1;
      }
      break;
    case PHASE_TOWER:
      if (check_in) {
        app_wind_string(s, dest);
        app_C(s, ", cleared to land ");
        // Cleared onto a localizer, the aircraft lands on that localizer's runway: the runway
        // the wind favours, or the first of two localizers, may be the other end.
        app_landing_rway_string(s, dest, atc.cleared_nav);
        app_C(s, ".");
        atc.plan_phase = PHASE_LANDING;
        say = 1;
      }
      break;
    case PHASE_LANDING:
      if (!check_in && flt.onsurface && flt.v < 10.0f) {
        app_contact(s, "make next turn-off contact ground ", invent_ground_frequency());
        app_C(s, " when clear.");
        hand_off(PHASE_LANDED);
        say = 1;
      }
      break;
    case PHASE_LANDED:
      if (check_in) {
        app_C(s, "taxi to the ramp.");
        close_flight_plan();
        say = 1;
      }
      break;
    default:
      break;
  }
  if (say) speakstring(s);
}
