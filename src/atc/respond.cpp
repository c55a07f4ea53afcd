// The controller's answers to the pilot's requests: taxi, take-off, vectors to an airport, landing,
// an emergency, and vectors onto an ILS or a localizer with the intercept that ends them.
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

namespace {
enum request_kind { REQ_UNKNOWN, REQ_TAXI, REQ_TAKEOFF, REQ_VECTORS, REQ_LANDING, REQ_ILS, REQ_LOC,
                    REQ_EMERGENCY };
struct request_word {
  const char* start;    // the three letters after "request "
  const char* keyword;  // the whole word the target's name follows
  request_kind kind;
};
const request_word request_words[] = {
    {"tax", "taxi", REQ_TAXI},       {"tak", "takeoff", REQ_TAKEOFF},
    {"vec", "vectors", REQ_VECTORS}, {"lan", "landing", REQ_LANDING},
    {"I L", "I L S", REQ_ILS},       {"loc", "localizer", REQ_LOC},
};
}  // namespace

// The word "request" is looked for in the first 255 characters only; a request without it gets
// no answer (-1). The name after the keyword goes to `name`, without a final '.'.
static int request_kind_of(const char* r, char* name) {
  name[0] = '\0';
  if (std::strncmp(r, "dec", 3) == 0) return REQ_EMERGENCY;
  const char* p = nullptr;
  for (int i = 0; i < 255 && r[i]; i++) {
    if (std::strncmp(r + i, "request", 7) == 0) {
      p = r + i + 7;
      break;
    }
  }
  if (!p) return -1;
  if (*p == ' ') p++;
  if (strnlen(p, 3) < 3) return REQ_UNKNOWN;
  for (const request_word& w : request_words) {
    if (std::strncmp(p, w.start, 3) != 0) continue;
    const size_t k = strnlen(p, std::strlen(w.keyword));
    const char* rest = p + k;
    if (*rest == ' ') rest++;
    C_to_C(rest, name);
    size_t n = std::strlen(name);
    if (n > 0 && name[n - 1] == '.') name[n - 1] = '\0';
    return w.kind;
  }
  return REQ_UNKNOWN;
}

// The field for an emergency: the nearest of the region the aircraft can land at, a heliport's
// pad only for a helicopter; the nearest of any kind when the region has no other.
static int emergency_field() {
  if (env.apt_list_max < 0) return -1;
  int found = -1;
  float best = 1.0e30f;
  for (int n = 0; n <= intmin2(env.aptmax, APT_MAX - 1); n++) {
    if (!apt_inreg[n] || (apt_kind[n] == APT_KIND_HELIPORT && !pln.is_heli)) continue;
    float d, b;
    apt_from_aircraft(n, &d, &b);
    if (d < best) best = d, found = n;
  }
  return found >= 0 ? found : local_airport();
}

// A heading given to the own aircraft, for whoever follows the controller.
static void instruct_heading(int hdg) {
  atc.said_hdg = hdg;
  atc.instructions++;
}

// The magnetic heading of the active runway of airport apt, 1..360: "fly runway heading" is a
// heading given like any other, and the aircraft that takes off flies it until the next one.
static int runway_heading(int apt) {
  int r, end, has_ils, ils_nav;
  get_active_rway(apt, &r, &end, &has_ils, &ils_nav);
  const int true_hdg = apt_hdng[apt][r] + (end == 2 ? 180 : 0);
  return intwrap(true_hdg + env.mvar, 1, 360);
}

// "turn left heading 0 7 0 vectors to NAME" towards airport apt, and its distance.
static void vectors_to(char* s, int apt, const char* joiner) {
  float d, b;
  apt_from_aircraft(apt, &d, &b);
  instruct_heading(app_turn_string(s, intround(b) + env.mvar, 5));
  app_C(s, " vectors to ");
  app_C(s, apt_name[apt]);
  app_C(s, joiner);
  app_int(s, d);
  app_C(s, " miles from your current position.");
}

// Difference of two directions, -180..180.
static float signed_apart(float a, float b) {
  float d = std::fmod(a - b, 360.0f);
  if (d > 180.0f) d -= 360.0f;
  if (d < -180.0f) d += 360.0f;
  return d;
}

int vector_me(int hdg, int hdg_step, int alt, int alt_step, int force, char* s) {
  int said = 0;
  int h = intnear(((hdg % 360) + 360) % 360, hdg_step > 0 ? hdg_step : 1);
  if (h <= 0 || h > 360) h = 360;
  if (force || atc.said_hdg < 0 ||
      std::fabs(signed_apart(static_cast<float>(h), static_cast<float>(atc.said_hdg))) > 5.0f) {
    atc.said_hdg = app_turn_string(s, hdg, hdg_step);
    app_C(s, " ");
    said = 1;
  }
  const float ground_ft = env.local_h * con.mtrstoft;
  const float ind_ft = flt.h_ind * con.mtrstoft;
  int a = alt;
  if (a < ground_ft + 1500.0f) a = intround(ground_ft + 1500.0f);
  a = intnear(a, alt_step > 0 ? alt_step : 1);
  const int high = ind_ft > a + 200.0f && flt.vu > -2.0f;
  const int low = ind_ft < a - 200.0f && flt.vu < 2.0f;
  if (force || a != atc.said_alt || high || low) {
    app_C(s, ind_ft < a ? "climb and maintain " : "descend and maintain ");
    app_int(s, static_cast<float>(a));
    app_C(s, " feet ");
    atc.said_alt = a;
    said = 1;
  }
  if (said) atc.instructions++;
  return said;
}

// The heading (true) that brings the aircraft round onto the localizer's centreline at the gate,
// 7 nm out: it flies a tangent to a turn circle beside the gate, on the side it comes from, so
// that turning along the circle lays it on the course. Positions are nm east and north of the
// localizer.
static float heading_to_gate(float course, float d_nm, float brg_to_loc) {
  const float c = course * con.degtorad, b = brg_to_loc * con.degtorad;
  const float ae = -d_nm * std::sin(b), an = -d_nm * std::cos(b);  // the aircraft
  const float ue = std::sin(c), un = std::cos(c);                  // along the course
  const float re = std::cos(c), rn = -std::sin(c);                 // to the course's right
  const float side = ae * re + an * rn >= 0.0f ? 1.0f : -1.0f;
  const float r = fltmax2(interp(100.0f, 2.0f, 200.0f, 4.0f, flt.vind), 0.5f);
  const float ce = -7.0f * ue + side * 1.1f * r * re, cn = -7.0f * un + side * 1.1f * r * rn;
  const float dist = pythag(ce - ae, cn - an);
  const float to_centre = std::atan2(ce - ae, cn - an) * con.radtodeg;
  const float off = dist < r ? 180.0f - 90.0f * dist / r : std::asin(r / dist) * con.radtodeg;
  return to_centre - side * off;
}

// Vectors onto localizer t (named `name`): the intercept clearance once the aircraft is inside
// the window, otherwise a heading and an altitude after each quiet wait. 1 when s is to be said.
static int ils_vectors(int t, const char* name, const char* request, char* s) {
  // Landed, or down on the water, the aircraft has no use for an approach, and nothing on the
  // menu on the ground could stop the headings and altitudes coming every half minute.
  if (flt.onsurface) {
    atc.ils_vec_in_progress = 0;
    return 0;
  }
  const float course = static_cast<float>(nav_hdng[t]);
  float d, brg;
  nav_from_aircraft(t, &d, &brg);
  if (std::fabs(signed_apart(brg, course)) <= 8.0f &&
      std::fabs(signed_apart(static_cast<float>(flt.psi_int), course)) <= 45.0f && d > 5.0f &&
      d < 20.0f) {
    app_C(s, "intercept localizer ");
    app_altimeter_string(s);
    app_C(s, " cleared ");
    app_C(s, name);
    app_C(s, " contact tower.");
    fpl.onfile = fpl.activated = 1;
    atc.waiting_new_frq = 1;
    atc.plan_phase = 8;
    atc.plan_index = localizer_airport(t);
    atc.ils_vec_in_progress = 0;
    atc.cleared_nav = t;
    atc.instructions++;
    return 1;
  }
  if (clock_since(msc.elap_time, atc.ils_wait_from) < atc.ils_wait_len) {
    // The pilot's request inside the wait is not answered yet but kept: the once-a-second call
    // takes it up when the wait ends. Dropped, it would have stopped the vectors under way too.
    if (request != atc.ils_command) {
      C_to_C(request, atc.ils_command);
      atc.ils_vec_in_progress = ATC_VECTORS_ASKED;
    }
    return 0;
  }
  atc.ils_wait_from = msc.elap_time;
  atc.ils_wait_len = fltrand(15.0f, 30.0f);

  const float hdg = heading_to_gate(course, d, brg);
  float alt = static_cast<float>(intround(nav_h[t] * con.mtrstoft));
  alt += d < 15.0f ? 3000.0f : d < 30.0f ? 5000.0f : 10000.0f;
  // Only a plan on file has a cruise altitude to keep to: the one of a plan never filed (the
  // factory 5000 ft) would hold the vectors to a high field at 3000 ft over whatever ground passes.
  if (fpl.onfile && fpl.cruise_alt > 0 && alt > fpl.cruise_alt)
    alt = static_cast<float>(fpl.cruise_alt);
  const float ground_ft = env.local_h * con.mtrstoft;
  if (alt < ground_ft + 1000.0f) alt = ground_ft + 3000.0f;
  const int first = atc.ils_vec_in_progress != ATC_VECTORS_GIVEN;
  const int said =
      vector_me(intround(hdg) + env.mvar, 5, intround(alt), 100, first, s);
  if (first) {
    atc.ils_vec_in_progress = ATC_VECTORS_GIVEN;
    if (request != atc.ils_command) C_to_C(request, atc.ils_command);
    app_C(s, "vectors ");
    app_C(s, name);
    app_C(s, ", if you would like another approach instead just tell me");
  }
  // The commands end in a blank, kept for whatever follows them; the sentence ends here.
  size_t n = std::strlen(s);
  while (n > 0 && s[n - 1] == ' ') s[--n] = '\0';
  app_C(s, ".");
  if (said) return 1;
  make_random_call(0, 0);
  return 0;
}

void controller_respond(char* request) {
  char name[STR_SIZE], s[STR_SIZE];
  const int kind = request_kind_of(request, name);
  if (kind < 0) return;
  int target = -1;
  if (kind == REQ_VECTORS || kind == REQ_LANDING) target = find_by_name(name, 0);
  if (kind == REQ_ILS || kind == REQ_LOC) target = find_by_name(name, 1);
  if (kind == REQ_TAXI || kind == REQ_TAKEOFF) target = local_airport();
  if (kind == REQ_EMERGENCY) target = emergency_field();
  if (target < 0 && kind != REQ_UNKNOWN && kind != REQ_EMERGENCY) return;

  start_command_string(s, 1);
  switch (kind) {
    case REQ_TAXI:
      app_C(s, "taxi ");
      app_current_rway_string(s, target);
      app_C(s, ".");
      break;
    case REQ_TAKEOFF:
      app_C(s, "fly runway heading cleared for take off ");
      app_current_rway_string(s, target);
      app_C(s, ".");
      instruct_heading(runway_heading(target));
      break;
    case REQ_VECTORS:
      vectors_to(s, target, ". They are about ");
      break;
    case REQ_LANDING:
      app_wind_string(s, target);
      app_C(s, ", cleared to land ");
      app_current_rway_string(s, target);
      app_C(s, " ");
      app_C(s, apt_name[target]);
      app_C(s, ".");
      break;
    case REQ_ILS:
    case REQ_LOC:
      if (!ils_vectors(target, nav_name[target], request, s)) return;
      break;
    case REQ_EMERGENCY:
      app_C(s, "squawk 7 7 0 0 ");
      // With no airport in the region there is nowhere to send the aircraft, and the controller
      // says so rather than give a heading to nothing.
      if (target < 0)
        app_C(s, "I have no airport near you to give you vectors to.");
      else
        vectors_to(s, target, ", they are about ");
      fpl.activated = 0;
      atc.plan_phase = 1;
      // This controller now works the aircraft: a hand-off still pending would have the pilot
      // check in, and a check-in in phase 1 is answered with a clearance for the dropped plan.
      atc.waiting_new_frq = 0;
      // Vectors to an approach elsewhere would turn the aircraft away from the nearest field.
      atc.ils_vec_in_progress = 0;
      break;
    default:
      app_C(s, "say again please");
      break;
  }
  speakstring(s);
}
