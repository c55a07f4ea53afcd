// load_plane: the aircraft loaded end to end, committed only when every step succeeded; with the
// panel layout, the panel scales and the slat effect it owns.
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "sound/sound.h"

// ---- Panel -----------------------------------------------------------------------------------

// Half-width in panel pixels of the instrument in location loc: narrow instruments and empty
// locations take less room.
static int half_width(int loc) {
  int ins = loc >= 1 && loc < PANEL_LOCS ? pln.ins_of_loc[loc] : 0;
  return ins == 0 || ins == 4 || ins == 8 ? 50 : 64;
}

int ret_ins_sep(int a, int b) { return 1 + half_width(a) + half_width(b); }

// Two rows of four from the left edge; the glass panel (type 2) places its displays itself.
void layout_panel_locations() {
  for (int loc = 0; loc < PANEL_LOCS; loc++) pln.loc_x[loc] = pln.loc_y[loc] = 0;
  if (pln.paneltype == 2) return;
  for (int first = 1; first <= 5; first += 4) {
    pln.loc_x[first] = 2 + half_width(first);
    for (int loc = first; loc < first + 4; loc++) pln.loc_y[loc] = first == 1 ? 222 : 84;
    for (int loc = first + 1; loc < first + 4; loc++)
      pln.loc_x[loc] = pln.loc_x[loc - 1] + ret_ins_sep(loc - 1, loc);
  }
}

// Top of the compressed airspeed scale of indicator type 2, in the indication units: beyond the
// redline of the fastest aircraft it serves.
static const float compressed_scale_top = 600.0f;

void finish_readin2() {
  pln.ecam = (pln.paneltype == 2 || pln.numen > 2) && !pln.is_heli;
  pln.tape = pln.numen > 2;
  if (pln.AStype == 1 || pln.AStype == 3) {
    pln.ASpwr = 1.0f;
    pln.Vmin = pln.vectEQ ? 0.0f : fltnear(pln.Vso - 10.0f, 10);
    pln.Vmax = fltnear(pln.Vne + 10.0f, 10);
  } else if (pln.AStype == 2) {
    pln.ASpwr = 0.3f;
    pln.Vmin = 60.0f;
    pln.Vmax = compressed_scale_top;
  }
}

// ---- Slats -----------------------------------------------------------------------------------

static void report_slats(int p) {
  static const char* const name[6] = {"left wing #1",         "right wing #1",
                                      "left wing #2",         "right wing #2",
                                      "left horizontal stab", "right horizontal stab"};
  trk.precision(1);
  trk << "\nFor " << name[p - 4] << ":\n";
  trk << "Full slat deployment will cause coefficient data to spread out alpha-wise to "
      << pln.slat_effect[p] * 100.0f << "% of original.\n";
  trk << "Full slat deployment will also change the lift coefficient by the same amount (keeping "
         "the lift SLOPE the same).\n";
}

// Slats act on the wings and horizontal stabilisers; every other slot, and a surface without a
// stall angle to stretch, keeps the neutral 1 that the flight model multiplies by.
void set_slat_effect() {
  for (int p = 0; p < NUM_PARTS; p++) pln.slat_effect[p] = 1.0f;
  for (int p = PART_WING1_LEFT; p <= PART_HSTAB_RIGHT; p++) {
    if (!have_this_part(p)) continue;
    int slats = 0;
    for (int e = 0; e < pln.els[p]; e++) slats |= pln.slat[p][e];
    if (!slats || pln.alpha_max[p] <= 0.0f) continue;
    pln.slat_effect[p] = (pln.alpha_max[p] + pln.slat_inc) / pln.alpha_max[p];
    report_slats(p);
  }
}

// ---- Loading ---------------------------------------------------------------------------------

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
