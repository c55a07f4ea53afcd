// The airfoil and flap files the programs ship with: which sections, at which Reynolds numbers,
// and the flap.
#include "foilgen/foilgen.h"

// Each wing section comes at two Reynolds numbers, far enough apart for the simulator to blend
// between them: the first file suits the usual size and speed of the part that uses it (light
// propeller blades near 1 million, light-aircraft wings and tails near 3, jet wings near 9).
const foil_product foil_products[] = {
    {"Clark-Y (good propeller).afl", 0, 1.0}, {"Clark-Y (good propeller) Re3.afl", 0, 3.0},
    {"NACA 2412 (popular).afl", 2412, 3.0},   {"NACA 2412 (popular) Re9.afl", 2412, 9.0},
    {"NACA 0009 (symmetrical).afl", 9, 3.0},  {"NACA 0009 (symmetrical) Re9.afl", 9, 9.0},
    {"NACA 0006 (thin jet).afl", 6, 9.0},     {"NACA 0006 (thin jet) Re30.afl", 6, 30.0},
};
const int foil_product_count = sizeof foil_products / sizeof foil_products[0];
const char* const flap_product_file = "plain flap.flp";

void product_shape(const foil_product* fp, foil_shape* s) {
  if (fp->naca == 0) {
    shape_clark_y(s);
  } else {
    shape_naca4(fp->naca, s);
  }
}

// A quarter-chord plain flap travelling to 40 degrees, hinged to the light-aircraft wing
// section (NACA 2412 at Re 3 million) whose lift slope sets its effectiveness.
void product_flap(flap_table* f) {
  foil_shape s;
  foil_polar p;
  shape_naca4(2412, &s);
  build_polar(&s, 3.0, &p);
  build_flap_table(p.clM, 0.25, 40.0, f);
}
