// The editor's record and the aircraft record as the editor starts and reads it: the defaults of
// a new aircraft of each type, and the reading of an aircraft file that never ends the program.
#include "editor/editor.h"

#include <cmath>
#include <cstring>

#include "app/macibm.h"
#include "shared/shared.h"

editstruct edt;

void reset_edt() { std::memset(&edt, 0, sizeof edt); }

// ---- Defaults of a new aircraft --------------------------------------------------------------

// "N", three digits and two letters, as on a civil register.
static void random_tail_number() {
  char t[7];
  t[0] = 'N';
  for (int i = 1; i <= 3; i++) t[i] = code_to_char(intrand(1, 10));
  for (int i = 4; i <= 5; i++) t[i] = code_to_char(intrand(11, 36));
  t[6] = '\0';
  C_to_C(t, pln.tailnum);
}

// Body b as a tube of circles of radius r about the longitudinal axis: point 0 at the top, 2 on
// the right, 4 at the bottom. The file keeps nine stations; the bodies that use five repeat the
// fifth, as the readers expect, so that no two stations in use coincide.
static void round_body(int b, float r, float first_z, float spacing, int used) {
  pln.body_r[b] = r;
  for (int j = 0; j <= 8; j++) {
    float z = first_z + spacing * static_cast<float>(j < used ? j : used - 1);
    for (int k = 0; k < BODY_POINTS; k++) {
      float a = con.pim2 * static_cast<float>(k) / BODY_POINTS;
      pln.body_X[b][j][k] = r * std::sin(a);
      pln.body_Y[b][j][k] = r * std::cos(a);
      pln.body_Z[b][j][k] = z;
    }
  }
}

static void default_airfoils() {
  for (int p = 0; p < LIFTING_PARTS; p++) {
    const char* foil = p <= PART_LAST_DISC        ? "Clark-Y (good propeller).afl"
                       : p <= PART_WING2_RIGHT ? "NACA 2412 (popular).afl"
                                               : "NACA 0009 (symmetrical).afl";
    C_to_C(foil, pln.Rafl0[p]);
    C_to_C(foil, pln.Rafl1[p]);
    C_to_C(foil, pln.Tafl0[p]);
    C_to_C(foil, pln.Tafl1[p]);
  }
  C_to_C("plain flap.flp", pln.flap_str);
}

// A value of zero in these fields is one Kestrix refuses (a stall speed, an engine that cannot
// turn, a weightless aircraft, a propeller without blades), so a new aircraft starts from figures
// of a light single rather than from zero: with a wing and tail added it passes the checks and
// flies.
static void starting_figures(int is_heli) {
  pln.Vso = 45.0f;
  pln.Vs = 50.0f;
  pln.Vfe = 90.0f;
  pln.Vno = 120.0f;
  pln.Vne = 150.0f;
  pln.Mmo = 0.3f;
  pln.peZ = 6.0f;
  pln.peY = 1.5f;
  pln.pmax = 150.0f;
  pln.omegamin = 600.0f;
  pln.omegamax = 2700.0f;
  pln.omegamingreen = 2100.0f;
  pln.omegamaxgreen = 2700.0f;
  pln.spooltime = 1.0f;
  pln.m_empty = 1000.0f;
  pln.m_max = 1600.0f;
  pln.m_fuel = 200.0f;
  for (int p = 0; p <= PART_LAST_DISC; p++) {
    const int rotor = is_heli && p == PART_MAIN_ROTOR, tail = is_heli && p == PART_TAIL_ROTOR;
    pln.semilen[p] = rotor ? 14.0f : (tail ? 2.5f : 3.0f);
    pln.Croot[p] = rotor ? 0.8f : 0.5f;
    pln.Ctip[p] = rotor ? 0.8f : 0.3f;
    pln.els[p] = MAX_ELS;
    pln.des_adv[p] = 60.0f;
    pln.des_rpm[p] = 2400.0f;
    // An aeroplane's propeller with flat blades gives no thrust and lets its engine race far past
    // its maximum rpm: its blades are twisted for the cruise of a light single, as the designer
    // does on the expert screen. A helicopter's blades take their pitch from the collective.
    if (!is_heli) design_prop(p, DESIGN_BY_ADVANCE);
  }
  if (is_heli) pln.trotor_rat = 5.0f;
}

void new_aircraft_record(int is_heli) {
  static planestruct keep;
  keep = pln;
  reset_pln();
  std::memcpy(pln.C_file, keep.C_file, sizeof pln.C_file);
  std::memcpy(pln.C_path, keep.C_path, sizeof pln.C_path);
  pln.draw_full = keep.draw_full;
  pln.is_heli = is_heli;

  random_tail_number();
  pln.asi_units = 2;
  pln.paneltype = pln.radiotype = pln.AStype = pln.supptype = pln.HUDtype = pln.VVItype = 1;
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = loc;
  pln.entype = ENGINE_PISTON;
  pln.numen = 1;
  pln.con_smooth = 2;
  for (int p = PART_WING1_LEFT; p <= PART_WING2_RIGHT; p++) pln.els[p] = 6;
  for (int p = PART_HSTAB_LEFT; p <= PART_VSTAB2; p++) pln.els[p] = 4;
  pln.dihed[PART_VSTAB1] = pln.dihed[PART_VSTAB2] = 90;
  for (int p = 0; p <= PART_LAST_DISC; p++) pln.numblades[p] = 2.0f;
  round_body(PART_FUSELAGE, 3.0f, -6.0f, 3.0f, 9);
  for (int b = PART_NACELLE1; b <= PART_NACELLE4; b++) round_body(b, 2.0f, -1.5f, 1.5f, 5);
  for (int b = PART_MISC1; b <= PART_MISC2; b++) round_body(b, 2.0f, -3.0f, 2.0f, 5);
  default_airfoils();
  starting_figures(is_heli);
}

// ---- Reading a file --------------------------------------------------------------------------

static const char* file_name_of(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

// The airfoils' thickness is only looked up for a file that was read in full.
static void thickness_after_read(const char* path, int p) {
  if (!inf_failed) assign_foil_thickness(path, p);
}

int read_aircraft_file(const char* path, int* mirrored) {
  static planestruct before;
  before = pln;
  *mirrored = 0;
  C_to_C(path, pln.C_path);
  C_to_C(file_name_of(path), pln.C_file);
  readin_type_hook = new_aircraft_record;
  readin_foil_hook = thickness_after_read;

  // A malformed file is told once as a notice and the aircraft being edited stays.
  inf_failed = 0;
  inf_failure_notice = 1;
  int opened = inf_open(path, FILE_ANY, VERSION_AIRCRAFT, 1);
  if (opened) readin();
  inf_failure_notice = 0;
  if (inf.is_open()) inf.close();
  inf.clear();
  if (!opened || inf_failed) {
    if (!inf_failed)
      MACIBM_alert("I am unable to open the airplane! Sorry!!!", "I am trying to open:",
                   file_name_of(path),
                   "The actual file-opening has failed. inf_open failed after string selected!",
                   ALERT_NOTICE);
    inf_failed = 0;
    pln = before;
    return 0;
  }
  if (apply_symmetry()) {
    *mirrored = 1;
    MACIBM_alert("In this file the left wings and stabilizer, the nacelles 2 to 4 or the second "
                 "float differed from their twins:",
                 pln.C_file,
                 "Airwright keeps them as mirror images or copies of the right wings and "
                 "stabilizer, nacelle 1 and the first float, and has made them so.",
                 "The aircraft therefore counts as changed: save it to keep it this way.",
                 ALERT_NOTICE);
  }
  return 1;
}
