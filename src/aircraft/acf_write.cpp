// The aircraft-file writer: the record, in the file's units, written section by section in the
// order both readers consume it.
#include <iomanip>

#include "aircraft/aircraft.h"
#include "shared/shared.h"

// A value right-aligned in six columns with the given decimals, then the comment that ends the
// line (its leading blank included).
static void put(float v, int decimals, const char* comment) {
  ouf << std::setw(6) << std::setprecision(decimals) << v << comment;
}

static void put(int v, const char* comment) { ouf << std::setw(6) << v << comment; }

// Readers of a flag accept only 1 as set.
static void flag(int v, const char* comment) { put(v ? 1 : 0, comment); }

static void put_pair(float a, float b, const char* comment) {
  ouf << std::setw(6) << std::setprecision(3) << a << " " << std::setw(6) << b << comment;
}

static void write_instruments() {
  ouf << "\n100 checkpoint: INSTRUMENTS\n\n";
  flag(pln.is_heli, " aircraft type, plane/helicopter\n");
  ouf << pln.tailnum << "\n";
  put(pln.asi_units, " indication type, 1=mph, 2=kts\n");
  put(pln.Vso, 0, " Vso\n");
  put(pln.Vs, 0, " Vs\n");
  put(pln.Vfe, 0, " Vfe\n");
  put(pln.Vno, 0, " Vno\n");
  put(pln.Vne, 0, " Vne\n");
  put(pln.Mmo, 2, " Mmo\n");
  put(pln.peZ, 1, " pe long arm, pos aft\n");
  put(pln.peX, 1, " pe lat arm, pos right\n");
  put(pln.peY, 1, " pe vert arm, pos up\n");
  put(pln.paneltype, " paneltype\n");
  put(pln.radiotype, " radiotype\n");
  put(pln.AStype, " AS type\n");
  put(pln.supptype, " layout type\n");
  put(pln.HUDtype, " HUD type\n");
  put(pln.VVItype, " VVI type\n");
  for (int loc = 1; loc < PANEL_LOCS; loc++) put(pln.ins_of_loc[loc], " ins in this loc\n");
  flag(pln.ff_hydraulic, " ff hydraulic\n");
  flag(pln.ff_stickshaker, " ff stick-shaker\n");
}

static void write_powerplant() {
  ouf << "\n101 checkpoint: POWERPLANT\n\n";
  put(pln.entype, " engine type\n");
  put(pln.bypass, " engine bypass\n");
  put(pln.numen, " number engines\n");
  put(pln.pmax, 1, " max power\n");
  put(pln.critalt, 0, " crit alt\n");
  put(pln.omegamin, 0, " rpm lo\n");
  put(pln.omegamax, 0, " rpm hi\n");
  put(pln.omegamingreen, 0, " rpm lo green\n");
  put(pln.omegamaxgreen, 0, " rpm hi green\n");
  put(pln.tmax, 0, " max thrust\n");
  put(pln.spooltime, 0, " spool time\n");
  put(pln.facejet, 0, " jet face area\n");
  put(pln.burnerinc, 0, " afterburner inc\n");
  flag(pln.revthrustEQ, " revthrustEQ thrust, 0/1\n");
  put(pln.vertcant[0], 1, " vert cant 0\n");
  put(pln.sidecant[0], 1, " side cant 0\n");
  put(pln.vertcant[1], 1, " vert cant 1\n");
  put(pln.sidecant[1], 1, " side cant 1\n");
  put(pln.trotor_rat, 1, " tail rotor rat\n");
  // The readers take any positive value as vectoring fitted, so the arm of an aircraft without
  // vectoring is not written: it would read back as vectoring with a strange arm.
  float vect = pln.vectEQ ? 1.0f + pln.vectarm / 100.0f : 0.0f;
  put(vect, 5, " vectored thrust is 0/1 and then pivot length after decimal\n");
  flag(pln.varpitchEQ, "\tvariable-pitch prop\n");
}

// Writes part section p under checkpoint cp with its tag.
static void spitapart(int cp, int p, const char* tag) {
  ouf << "\n" << cp << " checkpoint, " << tag << "\n\n";
  for (int k = 0; k < acf_part_field_count; k++) {
    const acf_part_field& f = acf_part_fields[k];
    if (f.discs_only && p > PART_LAST_DISC) continue;
    switch (f.kind) {
      case ACF_NAME:
        ouf << f.str[p] << "\n";
        break;
      case ACF_FLAG:
        flag(f.i[p], f.comment);
        break;
      case ACF_FLOAT:
        put(f.f[p], f.decimals, f.comment);
        break;
      // The element count too is written as it stands: the readers refuse one out of range.
      default:
        put(f.i[p], f.comment);
        break;
    }
  }
  // The lines hold no more values than the per-element arrays.
  int n = intlim(pln.els[p], 0, MAX_ELS);
  for (int e = 0; e < n; e++)
    ouf << std::setw(6) << std::setprecision(3) << pln.anginc[p][e] << " ";
  ouf << " angle incidence\n";
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (p < l.first || p > l.last) continue;
    for (int e = 0; e < n; e++) ouf << std::setw(6) << (l.flags[p][e] ? 1 : 0) << " ";
    ouf << l.name;
  }
}

static void write_foils_controls() {
  ouf << "\n114 checkpoint: FOILS\n\n";
  ouf << pln.flap_str << "\n";
  put(pln.hstabtype, " hstabtype (0=stabilizer,trimmable or not, 1=stabilator)\n");
  put(pln.hstbtrimmax, 1, " flying stabilizer maximum trim deflection\n");

  ouf << "\n115 checkpoint: CONTROLS\n\n";
  const float crat[] = {pln.ailn_crat, pln.elev_crat, pln.rudd_crat,
                        pln.splr_crat, pln.drud_crat, pln.sbrk_crat};
  for (float c : crat) put(c, 2, " chord rat\n");
  put(pln.ailn_up, 1, " ailn up\n");
  put(pln.ailn_dn, 1, " ailn dn\n");
  put(pln.elev_up, 1, " elev up\n");
  put(pln.elev_dn, 1, " elev dn\n");
  put(pln.rudd_def, 1, " rudd def\n");
  put(pln.splr_def, 1, " splr def\n");
  put(pln.drud_def, 1, " drud def\n");
  put(pln.sbrk_def, 1, " sbrk def\n");
  put(pln.slat_inc, 0, " slat_inc\n");
  put(pln.con_smooth, " con surf type\n");
}

static void write_fuselage() {
  ouf << "\n116 checkpoint: FUSE\n\n";
  put(pln.fuse_cd, 3, " cd fuse\n");
  flag(pln.fusewash, " fuse in propwash 0/1\n");
  flag(pln.nace_eq, " nace-equipped\n");
  flag(pln.misc_eq, " misc-equipped\n");
  put(pln.misc_Z, 1, " misc-x\n");
  put(pln.misc_X, 1, " misc-y\n");
  put(pln.misc_Y, 1, " misc-z\n");
  put(pln.body_r[PART_FUSELAGE], 1, " fuse rad\n");
  put(pln.body_r[PART_NACELLE1], 1, " nace rad\n");
  put(pln.body_r[PART_MISC1], 1, " misc rad\n");
  ouf << std::setprecision(4);
  for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
    for (int j = 0; j <= 8; j++) {
      for (int k = 0; k < BODY_POINTS; k++) {
        ouf << std::setw(8) << pln.body_Z[b][j][k] << " " << std::setw(8) << pln.body_X[b][j][k]
            << " " << std::setw(8) << pln.body_Y[b][j][k] << " [" << j << "][" << k << "]\n";
      }
    }
  }
}

static void write_weight_gear() {
  ouf << "\n117 checkpoint: WEIGHT&BAL\n\n";
  put(pln.cgZ, 1, " long cg\n");
  put(pln.cgY, 1, " vert cg\n");
  put(pln.m_empty, 0, " empty weight\n");
  put(pln.m_max, 0, " max weight\n");
  put(pln.m_fuel, 0, " fuel weight\n");
  put(pln.m_jettison, 0, " water weight\n");

  ouf << "\n118 checkpoint: GEAR\n\n";
  flag(pln.gearEQ, " gear equipped Y/N\n");
  flag(pln.retractEQ, " gear retractible\n");
  flag(pln.skidEQ, " pln.skidEQ\n");
  put(pln.nwsteer, 1, " max nosewheel steering, deg\n");
  put(pln.sgear, 1, " sgear, ft*ft\n");
  put(pln.ngearZ, 1, " ngear long arm\n");
  put(pln.ngearY, 1, " ngear vert arm\n");
  put(pln.mgearZ, 1, " mgear long arm\n");
  put(pln.mgearX, 1, " mgear lat  arm\n");
  put(pln.mgearY, 1, " mgear vert arm\n");
  put(pln.skidZ, 1, " skidx\n");
  put(pln.skidX, 1, " skidy\n");
  put(pln.skidY, 1, " skidz\n");
  put(pln.skidl, 1, " skidl\n");
}

static void write_special_controls() {
  ouf << "\n119 checkpoint: SPECIAL CONTROLS\n\n";
  put(pln.jatoZ, 1, " JATO long arm\n");
  put(pln.jatoY, 1, " JATO vert arm\n");
  put(pln.jatotheta, 0, " JATO angle (0=long axis aft)\n");
  put(pln.jatothrust, 0, " JATO thrust\n");
  put(pln.jatodur, 0, " JATO duration\n");
  put(pln.stabroll, 1, " stab diff deflection\n");
  put(pln.ailpitch, 1, " ail def with pitch\n");
  put(pln.ailflaps, 0, " ail def with flaps\n");
  flag(pln.antiiceEQ, " anti-ice eq\n");
  flag(pln.arrestingEQ, " arresting gear eq\n");
  flag(pln.bitchinbettyEQ, " bitchin' betty eq\n");
  flag(pln.autosbrkEQ, " auto speedbrake deploy\n");
  flag(pln.autofbrkEQ, " auto brake deploy\n");
  flag(pln.autosweepEQ, " auto wing-sweep with flaps\n");
  flag(pln.autoslatEQ, " auto slat with flaps\n");
  put(pln.speedbrake_area, 0, " fuselage speedbrake area\n");
  put(pln.chute_area, 0, " chute area\n");

  ouf << "\n120 checkpoint: VTOL CONTROLS\n\n";
  put(pln.elevcyclic, 0, " elevcyclic\n");
  put(pln.ailncyclic, 0, " ailncyclic\n");
  put(pln.puffL, 0, " puffer L\n");
  put(pln.puffM, 0, " puffer M\n");
  put(pln.puffN, 0, " puffer N\n");
}

static void write_stability_and_sounds() {
  ouf << "\n121 checkpoint: ART STAB\n\n";
  put(pln.ASloV, 0, " ASloV\n");
  put(pln.AShiV, 0, " AShiV\n");
  put_pair(pln.ASmaxp1, pln.ASp1, " ptch 1\n");
  put_pair(pln.ASmaxh1, pln.ASh1, " hdng 1\n");
  put_pair(pln.ASmaxr1, pln.ASr1, " roll 1\n");
  put_pair(pln.ASmaxp2, pln.ASp2, " ptch 2\n");
  put_pair(pln.ASmaxh2, pln.ASh2, " hdng 2\n");
  put_pair(pln.ASmaxr2, pln.ASr2, " roll 2\n");

  ouf << "\n122 checkpoint: SOUNDS\n\n";
  ouf << "engine sound file\nwind sound file\nflap sound file\ngear sound file\n"
         "touchdown sound file\n";
}

int writeout_file(const char* path) {
  if (!ouf_open(path, pln.is_heli ? FILE_HELI_SAVE : FILE_PLANE_SAVE, VERSION_AIRCRAFT)) return 0;
  write_instruments();
  write_powerplant();
  for (int p = 0; p < LIFTING_PARTS; p++) spitapart(ACF_PART_CHECKPOINT + p, p, acf_part_tags[p]);
  write_foils_controls();
  write_fuselage();
  write_weight_gear();
  write_special_controls();
  write_stability_and_sounds();
  return ouf_close();
}
