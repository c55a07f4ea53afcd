// The simulator's aircraft-file reader: every section in file order, converted to SI as it is
// read, with the checks of the file's values and the element geometry of each part.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

const char* const acf_part_tags[LIFTING_PARTS] = {"prop1EN", "prop2EN", "prop3EN", "prop4EN",
                                                  "wng1lEN", "wng1rEN", "wng2lEN", "wng2rEN",
                                                  "hstblEN", "hstbrEN", "vstb1EN", "vstb2EN"};

// The label every scanner of this file shows in its alert.
static const char* label() { return pln.C_path; }

static float ft() { return fltscan(label()) * con.fttomtrs; }

static float float_degrees(float deg) {
  if (!std::isfinite(deg)) return 0.0f;
  float d = std::fmod(deg, 360.0f);
  return d < 0.0f ? d + 360.0f : d;
}

static void read_airfoil_name(char* name) {
  stringscan(name, label(), STR_SIZE);
  ap_dir("airfoils", name);
}

// ---- 100 INSTRUMENTS -------------------------------------------------------------------------

static void read_instruments() {
  checkpoint(100, 1);
  pln.is_heli = bolscan(label());
  stringscan(pln.tailnum, label(), STR_SIZE);
  pln.asi_units = intscan(label());
  pln.Vso = fltscan(label());
  check_speed_not_zero(pln.Vso, "You entered a Vso of zero!");
  pln.Vs = fltscan(label());
  check_speed_not_zero(pln.Vs, "You entered a Vs  of zero!");
  pln.Vfe = fltscan(label());
  check_speed_not_zero(pln.Vfe, "You entered a Vfe of zero!");
  pln.Vno = fltscan(label());
  check_speed_not_zero(pln.Vno, "You entered a Vno of zero!");
  pln.Vne = fltscan(label());
  check_speed_not_zero(pln.Vne, "You entered a Vne of zero!");
  pln.Mmo = fltscan(label());
  pln.peZ = ft();
  pln.peX = ft();
  pln.peY = ft();
  pln.paneltype = intscan(label());
  pln.radiotype = intscan(label());
  pln.AStype = intscan(label());
  pln.supptype = intscan(label());
  pln.HUDtype = intscan(label());
  pln.VVItype = intscan(label());
  for (int i = 0; i < PANEL_LOCS; i++) pln.loc_of_ins[i] = 0;
  for (int loc = 1; loc < PANEL_LOCS; loc++) {
    int code = intscan(label());
    check_instrument_code(loc, code);
    pln.ins_of_loc[loc] = code;
    if (code > 0 && code < PANEL_LOCS) pln.loc_of_ins[code] = loc;
    check_panel_row(loc);
  }
  layout_panel_locations();
  pln.ff_hydraulic = bolscan(label());
  pln.ff_stickshaker = bolscan(label());
}

// ---- 101 POWERPLANT --------------------------------------------------------------------------

static void read_powerplant() {
  checkpoint(101, 1);
  pln.entype = intscan(label());
  pln.bypass = intscan(label());
  pln.numen = intscan(label());
  check_engine_count(pln.numen);
  pln.numen = intlim(pln.numen, 0, MAX_ENGINES);  // in case the fatal alert returns
  if (pln.numen == 0) pln.entype = ENGINE_NONE;
  pln.pmax = fltscan(label()) * con.hptowatt;
  pln.critalt = ft();
  pln.omegamin = fltscan(label()) * con.rpmtorsc;
  pln.omegamax = fltscan(label()) * con.rpmtorsc;
  pln.omegamingreen = fltscan(label()) * con.rpmtorsc;
  pln.omegamaxgreen = fltscan(label()) * con.rpmtorsc;
  pln.tmax = fltscan(label()) * con.lbstontn;
  pln.spooltime = fltscan(label());
  pln.facejet = fltscan(label()) * con.sftosmtr;
  pln.burnerinc = fltscan(label()) * con.lbstontn;
  pln.revthrustEQ = bolscan(label());
  pln.vertcant[0] = fltscan(label());
  pln.sidecant[0] = fltscan(label());
  pln.vertcant[1] = fltscan(label());
  pln.sidecant[1] = fltscan(label());
  // An aeroplane's engines all share engine 1's cants; a helicopter's second disc is its tail
  // rotor, which keeps its own.
  if (!pln.is_heli) {
    for (int n = 1; n < MAX_ENGINES; n++) {
      pln.vertcant[n] = pln.vertcant[0];
      pln.sidecant[n] = pln.sidecant[0];
    }
  }
  pln.trotor_rat = fltscan(label());
  // One value holds the vectoring flag in its whole part and the pivot arm / 100 ft after it.
  float vect = fltscan(label());
  pln.vectEQ = vect > 0.0f ? 1 : 0;
  pln.vectarm = pln.vectEQ ? (vect - 1.0f) * 100.0f * con.fttomtrs : 0.0f;
  pln.varpitchEQ = bolscan(label());
  pln.collectEQ = pln.is_heli;
  check_engine_values();

  pln.ailnEQ = pln.splrEQ = pln.flapEQ = pln.slatEQ = 0;
  pln.sbrkEQ = pln.drudEQ = pln.elevEQ = pln.ruddEQ = 0;
}

// ---- 102..113 part sections ------------------------------------------------------------------

// The trk report of how a propeller's disc is split into the rings its elements sweep.
static void report_rings(int p) {
  if (pln.is_heli)
    trk << (p == 0 ? "The main rotor " : "The tail rotor ");
  else
    trk << "The propeller ";
  trk << "DISC AREA is broken down into rings for propwash distribution as follows:\n";
  trk.precision(3);
  for (int e = 0; e < pln.els[p]; e++)
    trk << "   element number " << e << " (lat arm=" << get_wing_rarm(p, e) * con.mtrstoft
        << " ft):   ring area=" << pln.ringarea[p][e] << " square meters.\n";
}

void part_geometry(int p) {
  if (!have_this_part(p)) return;
  int n = pln.els[p];
  for (int e = 0; e < n; e++) {
    float c0 = pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * e / n;
    float c1 = pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * (e + 1) / n;
    pln.s[p][e] = (c0 + c1) * pln.semilen[p] * 0.5f / n;
    // A root or tip chord of zero leaves one end sharp; only both at zero is refused.
    pln.mac[p][e] = c0 + c1 > 0.0f ? (2.0f / 3.0f) * (c0 + c1 - c0 * c1 / (c0 + c1)) : 0.0f;
  }
  if (p > PART_LAST_DISC || (pln.entype != ENGINE_PISTON && pln.entype != ENGINE_TURBOPROP)) return;
  for (int e = 0; e < n; e++) {
    float r0 = pln.semilen[p] * e / n;
    float r1 = pln.semilen[p] * (e + 1) / n;
    pln.ringarea[p][e] = con.pi * (r1 * r1 - r0 * r0);
  }
  report_rings(p);
  float R = pln.semilen[p];
  float chord = (pln.Croot[p] + pln.Ctip[p]) / 2.0f;
  float thick = (pln.Croot[p] + pln.Ctip[p]) * 0.15f / 2.0f;
  float gyration = 0.7071f * R;
  pln.discarea[p] = con.pi * R * R;
  // Blades of wood-like density (300 kg/m^3) whose mass sits at 0.71 of the radius.
  pln.miprop[p] = R * chord * thick * 0.75f * 300.0f * pln.numblades[p] * gyration * gyration;
}

// One value of a part section, converted to SI.
static void read_part_field(const acf_part_field& f, int p) {
  switch (f.kind) {
    case ACF_NAME:
      read_airfoil_name(f.str[p]);
      break;
    case ACF_ROTATION:
      f.i[p] = intscan(label()) == 0 ? 1 : -1;
      break;
    case ACF_INT:
      f.i[p] = intscan(label());
      break;
    case ACF_DEGREES:
      f.i[p] = whole_turn(intscan(label()));
      break;
    case ACF_FLAG:
    case ACF_SWITCH:
      f.i[p] = bolscan(label());
      break;
    case ACF_FLOAT:
      f.f[p] = acf_to_si(fltscan(label()), f.unit);
      break;
  }
}

// Reads part section p (checkpoint number cp) with the simulator's conversions and derives the
// element areas and chords, and for an existing propeller its rings, disc and inertia.
static void grabapart(int cp, int p) {
  checkpoint(cp, 1);
  for (int k = 0; k < acf_part_field_count; k++)
    if (!acf_part_fields[k].discs_only || p <= PART_LAST_DISC)
      read_part_field(acf_part_fields[k], p);
  pln.sweepnow[p] = pln.sweep1[p];
  check_element_count(p);
  pln.els[p] = intlim(pln.els[p], 0, MAX_ELS);  // in case the fatal alert returns
  check_disc(p);
  for (int e = 0; e < pln.els[p]; e++) pln.anginc[p][e] = fltscanNOSN(label());
  rln(label());
  // A control on an element of an existing part fits the aircraft with that control.
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (p < l.first || p > l.last) continue;
    for (int e = 0; e < pln.els[p]; e++) {
      l.flags[p][e] = bolscanNOSN(label());
      if (l.flags[p][e] && have_this_part(p)) *l.eq = 1;
    }
    rln(label());
  }
  part_geometry(p);
}

// ---- 114..121 --------------------------------------------------------------------------------

static void read_foils_and_controls() {
  checkpoint(114, 1);
  stringscan(pln.flap_str, label(), STR_SIZE);
  ap_dir("flaps", pln.flap_str);
  pln.hstabtype = intscan(label());
  pln.hstbtrimmax = fltscan(label());
  pln.flyingstabEQ = std::fabs(pln.hstbtrimmax) > 0.01f && !pln.is_heli;
  if (!pln.flyingstabEQ) pln.hstbtrimmax = pln.is_heli ? 1.0f : 0.5f;

  checkpoint(115, 1);
  pln.ailn_crat = fltscan(label());
  pln.elev_crat = fltscan(label());
  pln.rudd_crat = fltscan(label());
  pln.splr_crat = fltscan(label());
  pln.drud_crat = fltscan(label());
  pln.sbrk_crat = fltscan(label());
  pln.ailn_up = fltscan(label());
  pln.ailn_dn = fltscan(label());
  pln.elev_up = fltscan(label());
  pln.elev_dn = fltscan(label());
  pln.rudd_def = fltscan(label());
  pln.splr_def = fltscan(label());
  pln.drud_def = fltscan(label());
  pln.sbrk_def = fltscan(label());
  pln.slat_inc = fltscan(label());
  pln.con_smooth = intscan(label());
}

static void read_fuselage() {
  checkpoint(116, 1);
  pln.fuse_cd = fltscan(label());
  pln.fusewash = bolscan(label());
  pln.nace_eq = bolscan(label());
  pln.misc_eq = bolscan(label());
  pln.misc_Z = ft();
  pln.misc_X = ft();
  pln.misc_Y = ft();
  // The body radii only shape new bodies in the editor.
  for (int i = 0; i < 3; i++) rln(label());
  for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
    for (int j = 0; j <= 8; j++) {
      for (int k = 0; k < BODY_POINTS; k++) {
        pln.body_Z[b][j][k] = fltscanNOSN(label()) * con.fttomtrs;
        pln.body_X[b][j][k] = fltscanNOSN(label()) * con.fttomtrs;
        pln.body_Y[b][j][k] = fltscanNOSN(label()) * con.fttomtrs;
        rln(label());
      }
    }
  }
}

static void read_weight_and_gear() {
  checkpoint(117, 1);
  pln.cgZ = ft();
  pln.cgY = ft();
  pln.m_empty = fltscan(label()) * con.lbstokgs;
  check_weight(pln.m_empty, "You have entered an empty weight of zero!");
  pln.m_max = fltscan(label()) * con.lbstokgs;
  check_weight(pln.m_max, "You have entered a maximum weight of zero!");
  pln.m_fuel = fltscan(label()) * con.lbstokgs;
  pln.m_jettison = fltscan(label()) * con.lbstokgs;
  pln.jettisonEQ = pln.m_jettison > 0.1f;

  checkpoint(118, 1);
  pln.gearEQ = bolscan(label());
  pln.retractEQ = bolscan(label()) && pln.gearEQ;
  pln.skidEQ = bolscan(label());
  pln.nwsteer = fltscan(label());
  pln.nwsteerEQ = pln.nwsteer != 0.0f;
  pln.sgear = fltscan(label()) * con.sftosmtr;
  pln.ngearZ = ft();
  pln.ngearY = ft();
  pln.mgearZ = ft();
  // A steerable wheel behind the main gear is a tail wheel, which steers the other way.
  if (pln.ngearZ > pln.mgearZ) pln.nwsteer = -pln.nwsteer;
  pln.mgearX = ft();
  pln.mgearY = ft();
  pln.skidZ = ft();
  pln.skidX = ft();
  pln.skidY = ft();
  pln.skidl = ft();
  check_skid();
}

static void read_special_controls() {
  checkpoint(119, 1);
  pln.jatoZ = ft();
  pln.jatoY = ft();
  pln.jatotheta = float_degrees(fltscan(label()));
  pln.jatothrust = fltscan(label()) * con.lbstontn;
  pln.jatodur = fltscan(label());
  pln.jatoEQ = pln.jatodur > 0.1f;
  pln.stabroll = fltscan(label());
  pln.ailpitch = fltscan(label());
  pln.ailflaps = fltscan(label());
  pln.antiiceEQ = bolscan(label());
  pln.arrestingEQ = bolscan(label());
  pln.bitchinbettyEQ = bolscan(label());
  pln.autosbrkEQ = bolscan(label());
  pln.autofbrkEQ = bolscan(label());
  pln.autosweepEQ = bolscan(label());
  pln.autoslatEQ = bolscan(label());
  pln.speedbrake_area = fltscan(label()) * con.sftosmtr;
  pln.fbrkEQ = pln.speedbrake_area > 0.01f;
  pln.chute_area = fltscan(label()) * con.sftosmtr;
  pln.chuteEQ = pln.chute_area > 0.01f;

  checkpoint(120, 1);
  pln.elevcyclic = fltscan(label());
  pln.ailncyclic = fltscan(label());
  pln.puffL = fltscan(label()) * con.ftlbtonm;
  pln.puffM = fltscan(label()) * con.ftlbtonm;
  pln.puffN = fltscan(label()) * con.ftlbtonm;
  pln.puffEQ = pln.puffL > 0.0f || pln.puffM > 0.0f || pln.puffN > 0.0f;
}

static void read_pair(float* a, float* b) {
  *a = fltscanNOSN(label());
  *b = fltscanNOSN(label());
  rln(label());
}

static void read_artificial_stability() {
  checkpoint(121, 1);
  pln.ASloV = fltscan(label());
  pln.AShiV = fltscan(label());
  // The schedule interpolates between the two speeds and divides by their difference.
  if (pln.AShiV < pln.ASloV + 1.0f) pln.AShiV = pln.ASloV + 1.0f;
  read_pair(&pln.ASmaxp1, &pln.ASp1);
  read_pair(&pln.ASmaxh1, &pln.ASh1);
  read_pair(&pln.ASmaxr1, &pln.ASr1);
  read_pair(&pln.ASmaxp2, &pln.ASp2);
  read_pair(&pln.ASmaxh2, &pln.ASh2);
  read_pair(&pln.ASmaxr2, &pln.ASr2);
}

// Section 122 names sound files that no reader uses; reading stops after 121.
void read_plane_file() {
  read_instruments();
  read_powerplant();
  for (int p = 0; p < LIFTING_PARTS; p++) grabapart(ACF_PART_CHECKPOINT + p, p);
  read_foils_and_controls();
  read_fuselage();
  read_weight_and_gear();
  read_special_controls();
  read_artificial_stability();
}
