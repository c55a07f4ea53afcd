// The last steps of the aircraft's preparation that need no airfoil: the panel's instrument
// locations and airspeed scale, and the stretch of the coefficient curves by the slats.
#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

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
