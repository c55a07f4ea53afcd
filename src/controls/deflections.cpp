// The one rule from the flight-control commands to the surface deflections, cyclic and tail-rotor
// pitch, and the engines' cant sines and cosines.
#include "controls/controls.h"

#include <cmath>

#include "flight/flight.h"
#include "shared/shared.h"

// Deflections are degrees, trailing edge up positive, so a positive roll command (right) raises the
// right aileron and lowers the left one, each by its own travel.
static void ailerons(float pitch, float roll) {
  if (!pln.ailnEQ) {
    flt.lailndef = flt.railndef = 0.0f;
    return;
  }
  if (roll >= 0.0f) {
    flt.lailndef = -roll * pln.ailn_dn;
    flt.railndef = roll * pln.ailn_up;
  } else {
    flt.lailndef = -roll * pln.ailn_up;
    flt.railndef = roll * pln.ailn_dn;
  }
  // Ailerons that also work as elevons (with pitch) and as flaperons (with the flaps).
  float mix = pln.ailpitch * pitch - flt.flap * pln.ailflaps * 0.02f;
  flt.lailndef += mix;
  flt.railndef += mix;
}

// Only the spoiler of the wing going down rises.
static void spoilers(float roll) {
  if (!pln.splrEQ) {
    flt.lsplrdef = flt.rsplrdef = 0.0f;
    return;
  }
  flt.lsplrdef = roll >= 0.0f ? 0.0f : -roll * pln.splr_def;
  flt.rsplrdef = roll >= 0.0f ? roll * pln.splr_def : 0.0f;
}

static void drag_rudders(float yaw) {
  if (!pln.drudEQ) {
    flt.ldruddef = flt.rdruddef = 0.0f;
    return;
  }
  flt.ldruddef = fltmax2(0.0f, -yaw * pln.drud_def);
  flt.rdruddef = fltmax2(0.0f, yaw * pln.drud_def);
}

// A tailplane raises its trailing edge to pitch the nose up; a canard (ahead of the reference
// point) lowers it. The two halves also move differentially with roll (tailerons).
static void stabiliser(float pitch, float roll) {
  float e;
  if (pln.Zarm[8] >= 0.0f) {
    e = pitch * (pitch > 0.0f ? pln.elev_up : pln.elev_dn);
  } else {
    e = -pitch * (pitch <= 0.0f ? pln.elev_up : pln.elev_dn);
  }
  flt.lhstbdef = e - roll * pln.stabroll;
  flt.rhstbdef = e + roll * pln.stabroll;
}

// Cyclic pitch serves helicopters and propeller aircraft with thrust vectoring (tilt rotors).
static void rotors(float pitch, float roll, float yaw) {
  int cyclic = pln.is_heli || (pln.vectEQ && pln.entype != ENGINE_JET);
  flt.elevcyclic = cyclic ? pln.elevcyclic * pitch : 0.0f;
  flt.ailncyclic = cyclic ? pln.ailncyclic * roll : 0.0f;
  if (!pln.is_heli) return;
  float lo = pln.minpitch[1], hi = pln.maxpitch[1];
  // The tail rotor's pitch range runs the other way when the main rotor turns the other way.
  if (pln.propdir[0] < 1) {
    flt.proppitch[1] = interp(-1.0f, lo, 1.0f, hi, yaw);
  } else {
    flt.proppitch[1] = interp(-1.0f, hi, 1.0f, lo, yaw);
  }
}

void set_deflections() {
  float pitch = set.FC_ptch, roll = set.FC_roll, yaw = set.FC_hdng;
  ailerons(pitch, roll);
  spoilers(roll);
  drag_rudders(yaw);
  stabiliser(pitch, roll);
  flt.ruddef = -yaw * pln.rudd_def;
  rotors(pitch, roll, yaw);
  // Thrust vectoring turns the engines between frames, so their cant is taken afresh each time.
  for (int i = 0; i < MAX_ENGINES; i++) {
    float vc = pln.vertcant[i] * con.degtorad, sc = pln.sidecant[i] * con.degtorad;
    pln.sin_vertcant[i] = std::sin(vc);
    pln.cos_vertcant[i] = std::cos(vc);
    pln.sin_sidecant[i] = std::sin(sc);
    pln.cos_sidecant[i] = std::cos(sc);
  }
}
