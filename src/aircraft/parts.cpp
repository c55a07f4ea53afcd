// Which parts of the aircraft exist, where the points along a surface's span lie, and the size and
// offset of each part's outline.
#include "aircraft/aircraft.h"
#include "shared/shared.h"

int wings_torn_off = 0;

static int is_left_part(int p) {
  return p == PART_WING1_LEFT || p == PART_WING2_LEFT || p == PART_HSTAB_LEFT;
}

int have_this_part(int p) {
  if (p >= 0 && p <= PART_LAST_DISC) {
    if (pln.is_heli && p <= 1) return 1;
    return pln.entype != ENGINE_JET && pln.numen > p;
  }
  if (p >= PART_WING1_LEFT && p <= PART_VSTAB2) {
    // A surface shed after an overspeed stays gone until the flight is restarted.
    if ((p == PART_WING1_RIGHT || p == PART_WING2_RIGHT) && wings_torn_off) return 0;
    return pln.semilen[p] > 0.05f;
  }
  if (p == PART_FUSELAGE) return 1;
  if (p >= PART_NACELLE1 && p <= PART_NACELLE4) return pln.nace_eq && pln.numen > p - PART_NACELLE1;
  if (p == PART_MISC1) return pln.misc_eq != 0;
  if (p == PART_MISC2) return pln.misc_eq && pln.misc_X > 0.01f;
  return 0;
}

int supp_is_nav1() { return pln.supptype == 1 || pln.supptype == 7; }

float get_wing_rarm(int p, int e) {
  // A part without elements has no element centres; keep the span position finite.
  if (pln.els[p] <= 0) return 0.0f;
  return pln.semilen[p] * (e + 0.5f) / pln.els[p];
}

float get_wing_Xarm(int p, float r) {
  float out = r * icos(pln.dihed[p]) * icos(pln.sweepnow[p]);
  return is_left_part(p) ? pln.Xarm[p] - out : pln.Xarm[p] + out;
}

float get_wing_Yarm(int p, float r) {
  return pln.Yarm[p] + r * isin(pln.dihed[p]) * icos(pln.sweepnow[p]);
}

float get_wing_Zarm(int p, float r) { return pln.Zarm[p] + r * isin(pln.sweepnow[p]); }

int f_body_s_dim(int p) {
  if (p >= 0 && p <= PART_LAST_DISC) return static_cast<int>(2.0f * pln.numblades[p]);
  if (p >= PART_WING1_LEFT && p <= PART_VSTAB2) return 2;
  if (p == PART_FUSELAGE) return 9;
  if (p >= PART_NACELLE1 && p <= PART_MISC2) return 5;
  return 0;
}

int f_body_r_dim(int p) {
  if (p >= 0 && p <= PART_LAST_DISC) return 2;
  if (p >= PART_WING1_LEFT && p <= PART_VSTAB2) return 6;
  if (p >= PART_FUSELAGE && p <= PART_MISC2) return 8;
  return 0;
}

void get_body_os(int p, float* x, float* y, float* z) {
  *x = *y = *z = 0.0f;
  int arm = -1;  // the part whose root arm is the offset
  if (p >= 0 && p <= PART_VSTAB2) arm = p;
  if (p >= PART_NACELLE1 && p <= PART_NACELLE4)
    arm = p - PART_NACELLE1;  // a nacelle sits on its engine's disc
  if (arm >= 0) {
    *x = pln.Xarm[arm];
    *y = pln.Yarm[arm];
    *z = pln.Zarm[arm];
  } else if (p == PART_MISC1 || p == PART_MISC2) {
    *x = p == PART_MISC1 ? -pln.misc_X : pln.misc_X;
    *y = pln.misc_Y;
    *z = pln.misc_Z;
  }
}
