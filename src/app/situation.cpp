// Situation files: the preferences body followed by the aircraft's position, heading, height and
// speed, and the flight they start.
#include "app/app.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "world/world.h"

// The position is measured from the south-west corner of the loaded region. The line after the
// five values names that corner, so that loading rebuilds the same region and puts the aircraft
// back where it was, wherever it had flown since the airport it started from; a reader that
// stops after the five values never sees it.
int save_situation(const char* path) {
  if (!ouf_open(path, FILE_SITUATION, VERSION_PREFS)) return 0;
  // The flight resumes with the fuel it has left, not with the tanks it started with.
  prefs_body b;
  capture_prefs(&b);
  b.load_fuel = flt.m_fuel;
  b.load_jettison = flt.m_jettison;
  write_prefs_body(b);
  ouf << flt.X - env.lox << " situation data\n";
  ouf << flt.Z - env.hiz << " situation data\n";
  ouf << flt.psi << " situation data\n";
  ouf << flt.Y << " situation data\n";
  ouf << flt.v << " situation data\n";
  ouf << env.lat_sou << " " << env.lon_wes << " situation region\n";
  return ouf_close();
}

static void situation_unreadable() {
  MACIBM_alert("Couldn't read prefs file!", "Are situation and Kestrix the same version?",
               "I cannot read this situation.", "We will just pretend this never happened.",
               ALERT_NOTICE);
}

// The situation's aircraft moved, deleted or replaced since it was saved: the pilot may choose
// another to fly it with. A cancelled choice leaves the flight as it was; the aircraft load would
// otherwise ask again and end the program on a cancel, as it must at start-up, when there is no
// flight.
static int situation_aircraft(prefs_body* b) {
  const int opens = inf_open(b->C_path, FILE_ANY, VERSION_AIRCRAFT, 0);
  inf.close();
  inf.clear();
  if (opens) return 1;
  MACIBM_alert("The aircraft of this situation could not be opened:", b->C_path,
               "Choose the aircraft to fly it with, or cancel to go on with this flight.", "",
               ALERT_NOTICE);
  char name[sizeof b->C_file] = "*.acf", chosen[sizeof b->C_path] = "";
  if (!MACIBM_open(name, chosen, FILE_AIRCRAFT)) return 0;
  C_to_C(name, b->C_file);
  C_to_C(chosen, b->C_path);
  return 2;
}

// Nothing changes until the whole file has been read: a file of another version or a damaged one
// is reported and the flight goes on as it was.
int load_situation(const char* path) {
  {
    std::ifstream probe(path ? path : "");
    if (!probe.is_open()) {
      const char* slash = path ? std::strrchr(path, '/') : nullptr;
      MACIBM_alert("Couldn't open file:", slash ? slash + 1 : (path ? path : ""),
                   "Couldn't open path:", path ? path : "", ALERT_NOTICE);
      return 0;
    }
  }
  prefs_body b;
  float pos[5] = {0, 0, 0, 0, 0};
  int region_lat = 0, region_lon = 0, has_region = 0;
  int ok = inf_open(path, FILE_ANY, VERSION_PREFS, 0);
  if (ok) ok = read_prefs_body(&b);
  if (ok) ok = read_situation_tail(pos, &region_lat, &region_lon, &has_region);
  inf.close();
  inf.clear();
  if (!ok) {
    situation_unreadable();
    return 0;
  }

  check_prefs(&b);
  const int aircraft = situation_aircraft(&b);
  if (!aircraft) return 0;
  // A situation is a flight: the window and the scale stay as the pilot has them.
  b.main_w = mnw.main_w, b.main_h = mnw.main_h;
  b.main_state = mnw.main_state, b.ui_scale = mnw.ui_scale;
  apply_prefs(b);
  // The loads it holds were chosen for its own aircraft.
  if (aircraft == 2) prefs_loads_kept = 0;
  if (has_region) {
    env.lat_sou = region_lat;
    env.lon_wes = region_lon;
  }
  load_region();
  // A full load puts the corner at the world origin; adding the new corner's coordinates keeps
  // the position right for any other reference. A saved aircraft was within its region, which
  // follows it; a position beyond it is a damaged file and is brought to the region's edge, not
  // past a pole.
  set.cus_X = fltlim(pos[0] + env.lox, env.lox, env.hix);
  set.cus_Z = fltlim(pos[1] + env.hiz, env.loz, env.hiz);
  set.cus_psi = std::fmod(pos[2], 360.0f);
  if (set.cus_psi < 0.0f) set.cus_psi += 360.0f;
  set.cus_Y = fltlim(pos[3], -500.0f, 40000.0f);
  set.cus_v = fltlim(pos[4], 0.0f, 1500.0f);

  const float chosen[3] = {set.load_fuel, set.load_fixed, set.load_jettison};
  stop_engine_and_windrain();
  load_plane();
  keep_chosen_loads(chosen);
  play_engine_and_windrain();
  set_fltvars(START_CUSTOM);
  set_rlt_grf_choices();
  clear_graph();
  msc.event = 1;
  return 1;
}
