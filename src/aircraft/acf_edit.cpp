// The editor's aircraft-file reader: the same sections as the simulator's reader, kept as written
// in the file's units, so that saving writes back what was opened.
#include "aircraft/aircraft.h"
#include "shared/shared.h"

void (*readin_type_hook)(int is_heli) = nullptr;
void (*readin_foil_hook)(const char* path, int p) = nullptr;

static const char* label() { return pln.C_path; }
static float flt() { return fltscan(label()); }
static int num() { return intscan(label()); }

// Flags and integers are kept as the plain integers the file holds.
static void ints(int* const* fields, int n) {
  for (int i = 0; i < n; i++) *fields[i] = num();
}
static void floats(float* const* fields, int n) {
  for (int i = 0; i < n; i++) *fields[i] = flt();
}

static void edit_instruments() {
  checkpoint(100, 1);
  int heli = num();
  // The editor resets the record and its defaults for the type before the rest is read, so that
  // what the file does not hold keeps its default.
  if (readin_type_hook) readin_type_hook(heli);
  pln.is_heli = heli;
  stringscan(pln.tailnum, label(), STR_SIZE);
  pln.asi_units = num();
  float* speeds[] = {&pln.Vso, &pln.Vs,  &pln.Vfe, &pln.Vno, &pln.Vne,
                     &pln.Mmo, &pln.peZ, &pln.peX, &pln.peY};
  floats(speeds, 9);
  int* types[] = {&pln.paneltype, &pln.radiotype, &pln.AStype,
                  &pln.supptype,  &pln.HUDtype,   &pln.VVItype};
  ints(types, 6);
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = num();
  pln.ff_hydraulic = num();
  pln.ff_stickshaker = num();
}

static void edit_powerplant() {
  checkpoint(101, 1);
  int* kind[] = {&pln.entype, &pln.bypass, &pln.numen};
  ints(kind, 3);
  float* engine[] = {&pln.pmax,          &pln.critalt,       &pln.omegamin, &pln.omegamax,
                     &pln.omegamingreen, &pln.omegamaxgreen, &pln.tmax,     &pln.spooltime,
                     &pln.facejet,       &pln.burnerinc};
  floats(engine, 10);
  pln.revthrustEQ = num();
  float* cants[] = {&pln.vertcant[0], &pln.sidecant[0], &pln.vertcant[1], &pln.sidecant[1],
                    &pln.trotor_rat};
  floats(cants, 5);
  float vect = flt();
  pln.vectEQ = vect > 0.0f ? 1 : 0;
  pln.vectarm = pln.vectEQ ? (vect - 1.0f) * 100.0f : 0.0f;
  pln.varpitchEQ = num();
}

// Part sections are kept as written: flags and integers as the plain integers the file holds,
// names without a folder, no conversions.
static void edit_grabapart(int cp, int p) {
  checkpoint(cp, 1);
  for (int k = 0; k < acf_part_field_count; k++) {
    const acf_part_field& f = acf_part_fields[k];
    if (f.discs_only && p > PART_LAST_DISC) continue;
    if (f.kind == ACF_NAME)
      stringscan(f.str[p], label(), STR_SIZE);
    else if (f.kind == ACF_FLOAT)
      f.f[p] = flt();
    else
      f.i[p] = num();
  }
  // The element count bounds the per-element arrays; the lines hold at most that many values.
  pln.els[p] = intlim(pln.els[p], 0, MAX_ELS);
  for (int e = 0; e < pln.els[p]; e++) pln.anginc[p][e] = fltscanNOSN(label());
  rln(label());
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (p < l.first || p > l.last) continue;
    for (int e = 0; e < pln.els[p]; e++) l.flags[p][e] = intscanNOSN(label());
    rln(label());
  }
}

static void edit_foils_controls_fuselage() {
  checkpoint(114, 1);
  stringscan(pln.flap_str, label(), STR_SIZE);
  // Kept as a float in older files; the limit keeps the conversion to int defined.
  pln.hstabtype = static_cast<int>(fltlim(flt(), -1.0e6f, 1.0e6f));
  pln.hstbtrimmax = flt();

  checkpoint(115, 1);
  float* surfaces[] = {&pln.ailn_crat, &pln.elev_crat, &pln.rudd_crat, &pln.splr_crat,
                       &pln.drud_crat, &pln.sbrk_crat, &pln.ailn_up,   &pln.ailn_dn,
                       &pln.elev_up,   &pln.elev_dn,   &pln.rudd_def,  &pln.splr_def,
                       &pln.drud_def,  &pln.sbrk_def,  &pln.slat_inc};
  floats(surfaces, 15);
  pln.con_smooth = num();

  checkpoint(116, 1);
  pln.fuse_cd = flt();
  int* bodies[] = {&pln.fusewash, &pln.nace_eq, &pln.misc_eq};
  ints(bodies, 3);
  float* misc[] = {&pln.misc_Z,
                   &pln.misc_X,
                   &pln.misc_Y,
                   &pln.body_r[PART_FUSELAGE],
                   &pln.body_r[PART_NACELLE1],
                   &pln.body_r[PART_MISC1]};
  floats(misc, 6);
  // Body points go through the checked scanner, so a malformed coordinate stops the reading
  // instead of leaving the stream failed and the rest of the record unread.
  for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
    for (int j = 0; j <= 8; j++) {
      for (int k = 0; k < BODY_POINTS; k++) {
        pln.body_Z[b][j][k] = fltscanNOSN(label());
        pln.body_X[b][j][k] = fltscanNOSN(label());
        pln.body_Y[b][j][k] = fltscanNOSN(label());
        rln(label());
      }
    }
  }
}

static void edit_weight_gear_special() {
  checkpoint(117, 1);
  float* weights[] = {&pln.cgZ, &pln.cgY, &pln.m_empty, &pln.m_max, &pln.m_fuel, &pln.m_jettison};
  floats(weights, 6);

  checkpoint(118, 1);
  int* gear[] = {&pln.gearEQ, &pln.retractEQ, &pln.skidEQ};
  ints(gear, 3);
  float* legs[] = {&pln.nwsteer, &pln.sgear, &pln.ngearZ, &pln.ngearY, &pln.mgearZ, &pln.mgearX,
                   &pln.mgearY,  &pln.skidZ, &pln.skidX,  &pln.skidY,  &pln.skidl};
  floats(legs, 11);

  checkpoint(119, 1);
  float* jato[] = {&pln.jatoZ,   &pln.jatoY,    &pln.jatotheta, &pln.jatothrust,
                   &pln.jatodur, &pln.stabroll, &pln.ailpitch,  &pln.ailflaps};
  floats(jato, 8);
  int* equipment[] = {&pln.antiiceEQ,  &pln.arrestingEQ, &pln.bitchinbettyEQ, &pln.autosbrkEQ,
                      &pln.autofbrkEQ, &pln.autosweepEQ, &pln.autoslatEQ};
  ints(equipment, 7);
  float* areas[] = {&pln.speedbrake_area, &pln.chute_area};
  floats(areas, 2);

  checkpoint(120, 1);
  float* vtol[] = {&pln.elevcyclic, &pln.ailncyclic, &pln.puffL, &pln.puffM, &pln.puffN};
  floats(vtol, 5);
}

static void edit_pair(float* a, float* b) {
  *a = fltscanNOSN(label());
  *b = fltscanNOSN(label());
  rln(label());
}

void readin() {
  edit_instruments();
  edit_powerplant();
  for (int p = 0; p < LIFTING_PARTS; p++) edit_grabapart(ACF_PART_CHECKPOINT + p, p);
  edit_foils_controls_fuselage();
  edit_weight_gear_special();
  checkpoint(121, 1);
  pln.ASloV = flt();
  pln.AShiV = flt();
  edit_pair(&pln.ASmaxp1, &pln.ASp1);
  edit_pair(&pln.ASmaxh1, &pln.ASh1);
  edit_pair(&pln.ASmaxr1, &pln.ASr1);
  edit_pair(&pln.ASmaxp2, &pln.ASp2);
  edit_pair(&pln.ASmaxh2, &pln.ASh2);
  edit_pair(&pln.ASmaxr2, &pln.ASr2);
  inf.close();

  for (int p = 0; p < LIFTING_PARTS; p++) {
    char path[STR_SIZE];
    C_to_C(pln.Rafl0[p], path);
    ap_dir("airfoils", path);
    if (readin_foil_hook) readin_foil_hook(path, p);
  }
}
