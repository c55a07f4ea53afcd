// dump_geo: the design checks, then the analysis report's conventions, element, body and downwash
// sections, with the downwash table it describes.
#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

static void report_conventions() {
  trk << "\n"
      << "x location positive aft      x force positive forwards    pitch/alpha pos nose up\n"
      << "y location positive right    y force positive right       roll pos right\n"
      << "z location positive up       z force positive up          yaw/beta pos nose right\n"
      << "elevator, aileron, spoiler         positive control surface up      \n"
      << "rudder                             positive control surface right   \n"
      << "brake-yaw                          positive control surface deployed\n"
      << "differential thrust vector for yaw positive request nose right      \n"
      << "pitch cyclic prop pitch            positive request nose up         \n"
      << "roll  cyclic prop pitch            positive request nose right      \n";
}

static const char* element_label(int p) {
  static const char* const label[LIFTING_PARTS] = {
      "prop1:",      "prop2:",       "prop3:",     "prop4:",      "left wing1:", "right wing1:",
      "left wing2:", "right wing2:", "left hstb:", "right hstb:", "vstb1:",      "vstb2:"};
  if (pln.is_heli && p == 0) return "mrotr:";
  if (pln.is_heli && p == 1) return "tailr:";
  return label[p];
}

static void report_elements() {
  trk << "\nELEMENT BREAK-DOWN:\n\n";
  trk.precision(3);
  for (int p = 0; p < LIFTING_PARTS; p++) {
    if (!have_this_part(p)) continue;
    trk << element_label(p);
    for (int e = 0; e < pln.els[p]; e++)
      trk << "  s=" << pln.s[p][e] << " m^2 mac=" << pln.mac[p][e] << " m";
    trk << "\n";
  }
}

static void report_bodies() {
  trk.precision(3);
  trk << "\nBased on fuselage geometry:\n";
  trk << "   The frontal area of the fuselage is " << pln.fuse_s_frn << " square meters.\n";
  trk << "   The side    area of the fuselage is " << pln.fuse_s_sid << " square meters.\n";
  trk << "   The top     area of the fuselage is " << pln.fuse_s_top << " square meters.\n";
  trk << "   The longitudinal centroid of the fuselage is at " << pln.fuseZcent << " meters.\n";
  trk << "   The vertical     centroid of the fuselage is at " << pln.fuseYcent << " meters.\n";
  trk << "These dimensions, like all dimensions in this output file, are with respect to the "
         "C.G.!\n\n";
  if (pln.nace_eq && pln.entype != ENGINE_JET)
    trk << "The frontal area of the engine nacelles is " << pln.nace_s << " square meters.\n";
}

// The surface ahead whose downwash covers element e of part b, by its label.
static const char* wash_source(int b, int e) {
  static const char* const name[3] = {"W1", "W2", "HS"};
  for (int a = PART_WING1_LEFT; a <= PART_HSTAB_RIGHT; a++)
    if (pln.in_wash[a][b][e]) return name[(a - 4) / 2];
  return "--";
}

// Left part from tip to root, the fuselage, right part from root to tip.
static void downwash_row(const char* title, int left) {
  trk << title;
  for (int side = 0; side < 2; side++) {
    int p = left + side;
    if (side == 1) trk << "FUSE ";
    for (int i = 0; i < MAX_ELS; i++) {
      int e = side == 0 ? MAX_ELS - 1 - i : i;
      if (!have_this_part(p) || e >= pln.els[p])
        trk << "   ";
      else
        trk << wash_source(p, e) << " ";
    }
  }
  trk << "\n";
}

static void report_downwash() {
  trk << "\nDOWNWASH SITUATION:  W1=wing 1\n"
      << "                     W2=wing 2\n"
      << "                     HS=horizontal stabilizer\n\n";
  downwash_row("WING ONE:        ", 4);
  downwash_row("WING TWO:        ", 6);
  downwash_row("HORIZONTAL STAB: ", 8);
}

void dump_geo() {
  check_design();
  report_conventions();
  report_elements();
  report_bodies();
  build_downwash();
  report_downwash();
}
