// load_plane: the simulator's load of the aircraft end to end, committed only when every step
// succeeded, with the starting loads, the drawing and the sounds.
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "sound/sound.h"

// The previous aircraft, kept until the new one has loaded completely.
static planestruct old_pln;
static airfoilstruct old_afl;

// Puts the previous aircraft back unless the load reached its end, so that no path out of a
// failed load (a fatal alert that the tests turn into an exception included) leaves a
// half-loaded aircraft to fly.
struct load_guard {
  int committed;
  int torn_off;
  float est_Vs;
  ~load_guard() {
    wings_torn_off = torn_off;
    if (committed) return;
    pln = old_pln;
    afl = old_afl;
    msc.est_Vs = est_Vs;
  }
};

static void open_report() {
  if (trk.is_open()) return;
  trk.open("Kestrix.out");
  trk.setf(std::ios::fixed);
}

// Every field is filled afresh, so nothing of the previous aircraft lingers in the parts the new
// one lacks; the names of the file, the drawing option and the panel's own flags stay.
static void clear_for_load() {
  static planestruct keep;
  keep = pln;
  reset_pln();
  reset_afl();
  std::memcpy(pln.C_file, keep.C_file, sizeof pln.C_file);
  std::memcpy(pln.C_path, keep.C_path, sizeof pln.C_path);
  std::memcpy(pln.has_ins, keep.has_ins, sizeof pln.has_ins);
  pln.draw_full = keep.draw_full;
}

// Opens the aircraft file, letting the user choose another while it cannot be opened. Returns 0
// when the user gave up.
static int open_plane_file() {
  while (!inf_open(pln.C_path, FILE_ANY, VERSION_AIRCRAFT, 1)) {
    MACIBM_alert("The aircraft file that you last used ", pln.C_path,
                 "could not be found in the same folder as the 'Kestrix' application.",
                 "I will therefore shunt you directly to the aircraft opening routine, where you "
                 "will select the aircraft you want to fly.",
                 ALERT_NOTICE);
    if (!MACIBM_open(pln.C_file, pln.C_path, FILE_AIRCRAFT)) {
      MACIBM_alert("File opening failed or aborted.", pln.C_file, pln.C_path, "", ALERT_SIM_FATAL);
      return 0;
    }
  }
  return 1;
}

// Every flight starts half fuelled and half loaded, with half the payload the maximum weight
// leaves, until the pilot chooses other loads.
static void set_starting_loads() {
  set.load_fuel = 0.5f * pln.m_fuel;
  set.load_jettison = 0.5f * pln.m_jettison;
  set.load_fixed = fltmax2(0.5f * (pln.m_max - pln.m_fuel - pln.m_jettison - pln.m_empty), 0.0f);
  flt.m_fuel = set.load_fuel;
  flt.m_jettison = set.load_jettison;
  flt.m_fixed = set.load_fixed;
}

// A hair of tolerance, so that loads converted from pounds and back still fit exactly full tanks
// and the exact maximum weight.
int loads_fit(float fuel, float payload, float jettison, float* payload_room) {
  float room = pln.m_max - pln.m_empty - fuel - jettison;
  if (payload_room) *payload_room = fltmax2(room, 0.0f);
  if (!(fuel >= 0.0f) || fuel > pln.m_fuel * 1.0001f) return LOADS_FUEL_OVER;
  if (!(jettison >= 0.0f) || jettison > pln.m_jettison * 1.0001f) return LOADS_JETTISON_OVER;
  if (!(payload >= 0.0f) || payload > room * 1.0001f + 0.01f) return LOADS_WEIGHT_OVER;
  return LOADS_FIT;
}

// The sounds load in this order: the three loops, the event sounds, then the stall horn and the
// call-outs.
static void load_sounds() {
  static const int order[SOUND_COUNT] = {0,  1,  2,  4,  5, 6,  7,  8,  9,  10,
                                         11, 12, 13, 14, 3, 15, 16, 17, 18, 19};
  for (int n : order) fill_buffer(n);
}

void load_plane() {
  old_pln = pln;
  old_afl = afl;
  load_guard guard = {0, wings_torn_off, msc.est_Vs};
  // The geometry covers the whole aircraft, whatever the previous flight lost to an overspeed.
  wings_torn_off = 0;
  clear_for_load();
  open_report();
  trk << "\nAIRCRAFT: " << pln.C_path << "\n";
  if (!open_plane_file()) return;
  read_plane_file();
  inf.close();
  finish_readin1();
  msc.est_Vs = estimated_stall_speed();
  finish_readin2();
  set_slat_effect();
  if (pln.flapEQ) read_flap_file(pln.flap_str);
  dump_geo();
  trk.flush();

  guard.committed = 1;
  set_starting_loads();
  aircraft_hooks.load_drawing(1, 0);
  load_sounds();
}
