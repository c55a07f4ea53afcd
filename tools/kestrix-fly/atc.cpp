// The runner's pilot on the radio: the script's picks from the controller's menus, the transcript
// of what the controller says, and the pilot who flies the headings and altitudes given.
#include <cstdio>
#include <cstring>

#include "atc/atc.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "world/world.h"

int fly_talk_to_atc(const fly_script_entry* e, char* err) {
  if (e->mask & FLY_ATC) {
    atc.menu_up = 1;
    atc.menu_level = ATC_MENU_MAIN;
    atc_pick_line(e->atc_line);
  }
  if ((e->mask & FLY_ATC_PICK) && !atc_pick_id(e->atc_pick)) {
    std::snprintf(err, FLY_ERR, "t=%.1f: the controller's list holds no entry '%s'", e->t,
                  e->atc_pick);
    return 0;
  }
  return 1;
}

// What the pilot followed last, so that each instruction is taken once, and a localizer tuned
// but not received yet.
static int followed_instructions = -1, nav_armed = 0;
static int last_hdg = -1, last_alt = -1, last_nav = -1;

// NAV 1 receives the localizer cleared onto: tuned to it is not enough, as the receiver holds the
// station it had until the next retuning, up to six seconds on.
static int nav1_receives(int n) {
  return nav.goodnav[0] && nav.nf[0] == nav_f12[n] && std::memcmp(nav.nav_id[0], nav_id[n], 4) == 0;
}

void fly_follow_atc(fly_controls* c) {
  // The autopilot tracks the localizer once NAV 1 receives it, not before.
  if (nav_armed && nav1_receives(last_nav)) {
    nav_armed = 0;
    c->ap_nav_on = 1;
    c->ap_hdg_on = 0;
  }
  if (atc.instructions == followed_instructions) return;
  // On the ground the pilot only notes what was said: the clearance's altitude held before the
  // take-off would trim the nose onto the runway. It is flown once the wheels leave it.
  if (flt.onsurface) return;
  followed_instructions = atc.instructions;
  // Cleared onto a localizer, the pilot tunes it and sets its course.
  if (atc.cleared_nav >= 0 && atc.cleared_nav != last_nav && atc.cleared_nav < NAV_MAX) {
    last_nav = atc.cleared_nav;
    c->nav1 = nav_f12[last_nav];
    c->obs = mag_from_true(static_cast<float>(nav_hdng[last_nav]));
    nav_armed = 1;
  } else if (atc.said_hdg > 0 && atc.said_hdg != last_hdg) {
    c->ap_hdg_on = 1;
    c->ap_nav_on = 0;
    nav_armed = 0;
    c->ap_hdg = static_cast<float>(atc.said_hdg % 360);
  }
  last_hdg = atc.said_hdg;
  if (atc.said_alt >= 0 && atc.said_alt != last_alt) {
    last_alt = atc.said_alt;
    c->ap_alt_on = 1;
    c->ap_alt_ft = static_cast<float>(atc.said_alt);
  }
}

void fly_forget_atc() {
  followed_instructions = -1;
  nav_armed = 0;
  last_hdg = last_alt = last_nav = -1;
}
