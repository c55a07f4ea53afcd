// Which parts of the aircraft exist, where the points along a surface's span lie, and the size and
// offset of each part's outline.
#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "shared/shared.h"

// The degree tables hold 0..360 only, while dihedral and sweep come straight from the aircraft
// file and may be negative (anhedral, forward sweep) or a full turn out; bring them into range
// before indexing.
static int table_deg(int deg) {
  int d = deg % 360;
  return d < 0 ? d + 360 : d;
}

static int is_left_part(int p) { return p == 4 || p == 6 || p == 8; }

int have_this_part(int p) {
  if (p >= 0 && p <= 3) {
    if (pln.is_heli && p <= 1) return 1;
    return pln.entype != ENGINE_JET && pln.numen > p;
  }
  if (p >= 4 && p <= 11) {
    // A surface shed after an overspeed stays gone until the flight is restarted.
    if ((p == 5 || p == 7) && flt.over_vne) return 0;
    return pln.semilen[p] > 0.05f;
  }
  if (p == 12) return 1;
  if (p >= 13 && p <= 16) return pln.nace_eq && pln.numen > p - 13;
  if (p == 17) return pln.misc_eq != 0;
  if (p == 18) return pln.misc_eq && pln.misc_X > 0.01f;
  return 0;
}

float get_wing_rarm(int p, int e) {
  // A part without elements has no element centres; keep the span position finite.
  if (pln.els[p] <= 0) return 0.0f;
  return pln.semilen[p] * (e + 0.5f) / pln.els[p];
}

float get_wing_Xarm(int p, float r) {
  float out = r * icos(table_deg(pln.dihed[p])) * icos(table_deg(pln.sweepnow[p]));
  return is_left_part(p) ? pln.Xarm[p] - out : pln.Xarm[p] + out;
}

float get_wing_Yarm(int p, float r) {
  return pln.Yarm[p] + r * isin(table_deg(pln.dihed[p])) * icos(table_deg(pln.sweepnow[p]));
}

float get_wing_Zarm(int p, float r) { return pln.Zarm[p] + r * isin(table_deg(pln.sweepnow[p])); }

int f_body_s_dim(int p) {
  if (p >= 0 && p <= 3) return static_cast<int>(2.0f * pln.numblades[p]);
  if (p >= 4 && p <= 11) return 2;
  if (p == 12) return 9;
  if (p >= 13 && p <= 18) return 5;
  return 0;
}

int f_body_r_dim(int p) {
  if (p >= 0 && p <= 3) return 2;
  if (p >= 4 && p <= 11) return 6;
  if (p >= 12 && p <= 18) return 8;
  return 0;
}

void get_body_os(int p, float* x, float* y, float* z) {
  *x = *y = *z = 0.0f;
  int arm = -1;  // the part whose root arm is the offset
  if (p >= 0 && p <= 11) arm = p;
  if (p >= 13 && p <= 16) arm = p - 13;  // a nacelle sits on its engine's disc
  if (arm >= 0) {
    *x = pln.Xarm[arm];
    *y = pln.Yarm[arm];
    *z = pln.Zarm[arm];
  } else if (p == 17 || p == 18) {
    *x = p == 17 ? -pln.misc_X : pln.misc_X;
    *y = pln.misc_Y;
    *z = pln.misc_Z;
  }
}
