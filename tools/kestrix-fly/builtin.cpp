// Aircraft built in code for the runner, its tests and benchmarks: the file-level description of
// each, airfoil tables drawn from a smooth model section, and the derived geometry that aircraft
// preparation computes from them (element areas and chords, finite-wing corrections, downwash and
// slipstream tables, propeller discs).
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "shared/shared.h"

// ---- Airfoil tables --------------------------------------------------------------------------

// A model section: straight lift line up to the stall, a short fall to flat-plate lift, a drag
// bucket rising to flat-plate drag, and a moment line. Angles in degrees.
struct model_foil {
  float clM, clB;  // lift slope per degree and lift at zero
  float stall;     // stall angle (and its mirror on the negative side)
  float cd0;       // minimum drag
  float cm0;       // moment in the central range
};

static float rad(float deg) { return deg * 3.14159265f / 180.0f; }

static float foil_cl(const model_foil& f, float a) {
  float m = std::fabs(a), sign = a > 0.0f ? 1.0f : -1.0f;
  float line = f.clB + f.clM * a;
  if (m <= f.stall) return line;
  float plate = sign * 1.1f * std::sin(rad(2.0f * m));
  float stall_end = f.stall + 8.0f;
  if (m >= stall_end) return plate;
  float peak = f.clB + f.clM * sign * f.stall;
  float at_end = sign * 1.1f * std::sin(rad(2.0f * stall_end));
  return interp(f.stall, peak, stall_end, at_end, m);
}

static float foil_cd(const model_foil& f, float a) {
  float m = std::fabs(a);
  float bucket = f.cd0 + 0.00008f * m * m;
  float plate = f.cd0 + 1.9f * std::sin(rad(m)) * std::sin(rad(m));
  return m <= f.stall ? bucket : fltmax2(bucket, plate);
}

// Fills the root, first-Reynolds-number tables of part p.
static void fill_foil(int p, const model_foil& f) {
  for (int n = 0; n < AFL_CD_ROWS; n++) {
    float a = n <= 200 ? n / 10.0f : n - 180.0f;
    afl.cdpos[p][0][0][n] = foil_cd(f, a);
    afl.cdneg[p][0][0][n] = foil_cd(f, -a);
    if (n >= 100) {
      afl.clpos[p][0][0][n - 100] = foil_cl(f, a);
      afl.clneg[p][0][0][n - 100] = foil_cl(f, -a);
    }
  }
  afl.clM[p][0][0] = f.clM;
  afl.clB[p][0][0] = f.clB;
  afl.al_zl[p][0][0] = -f.clB / f.clM;
  afl.cmal2[p][0][0] = -8.0f;
  afl.cmal3[p][0][0] = 10.0f;
  afl.cm1[p][0][0] = f.cm0 + 0.03f;
  afl.cm2[p][0][0] = f.cm0;
  afl.cm3[p][0][0] = f.cm0;
  afl.cm4[p][0][0] = f.cm0 - 0.06f;
  pln.trat[p] = 0.12f;
  pln.alpha_max[p] = f.stall;
  pln.Re[p][0][0] = 3.0f;
}

// ---- Parts -----------------------------------------------------------------------------------

// A lifting surface as the aircraft file describes it (arms from the centre of gravity).
static void surface(int p, float semilen, float croot, float ctip, int els, int dihed, int sweep,
                    float x, float y, float z, float incidence, const model_foil& f) {
  pln.semilen[p] = semilen;
  pln.Croot[p] = croot;
  pln.Ctip[p] = ctip;
  pln.els[p] = els;
  pln.dihed[p] = dihed;
  pln.sweep1[p] = pln.sweep2[p] = pln.sweepnow[p] = sweep;
  pln.Xarm[p] = x;
  pln.Yarm[p] = y;
  pln.Zarm[p] = z;
  for (int e = 0; e < MAX_ELS; e++) pln.anginc[p][e] = incidence;
  fill_foil(p, f);
}

// Both halves of a wing or stabiliser: left part p, right part p + 1.
static void pair(int p, float semilen, float croot, float ctip, int els, int dihed, int sweep,
                 float x, float y, float z, float incidence, const model_foil& f) {
  surface(p, semilen, croot, ctip, els, dihed, sweep, -x, y, z, incidence, f);
  surface(p + 1, semilen, croot, ctip, els, dihed, sweep, x, y, z, incidence, f);
}

// A body of nine elliptic cross-sections (points 0 top, 2 right, 4 bottom, 6 left) from z0 to z1
// with the given largest half-width and half-height, tapering to a point at both ends.
static void body(int b, float z0, float z1, float half_w, float half_h, float y) {
  for (int st = 0; st < 9; st++) {
    float f = st / 8.0f;
    float shape = std::sqrt(fltmax2(0.0f, std::sin(3.14159265f * (0.15f + 0.8f * f))));
    for (int k = 0; k < BODY_POINTS; k++) {
      float ang = rad(45.0f * k);
      pln.body_X[b][st][k] = half_w * shape * std::sin(ang);
      pln.body_Y[b][st][k] = y + half_h * shape * std::cos(ang);
      pln.body_Z[b][st][k] = z0 + (z1 - z0) * f;
    }
  }
}

static void flaps_table(float cl_full, float cd_full, float cm_full) {
  for (int k = 0; k < FLAP_ROWS; k++) {
    float f = k / 50.0f;
    pln.clflap[k] = cl_full * f;
    pln.cdflap[k] = cd_full * f * f;
    pln.cmflap[k] = cm_full * f;
  }
}

// ---- Derived geometry ------------------------------------------------------------------------

static void element_geometry(int p) {
  float cr = pln.Croot[p], ct = pln.Ctip[p];
  int els = pln.els[p];
  for (int e = 0; e < els; e++) {
    float c0 = cr + (ct - cr) * e / els, c1 = cr + (ct - cr) * (e + 1) / els;
    pln.s[p][e] = (c0 + c1) * pln.semilen[p] * 0.5f / els;
    pln.mac[p][e] = 2.0f / 3.0f * (c0 + c1 - c0 * c1 / (c0 + c1));
  }
}

static void finite_wing(int p) {
  float cr = pln.Croot[p], ct = pln.Ctip[p], b = pln.semilen[p];
  int sweep = pln.sweep1[p];
  float sl = isin(sweep), cl = icos(sweep);
  float l25 = std::atan((cr / 4.0f + sl * b - ct / 4.0f) / (cl * b)) * 180.0f / 3.14159265f;
  pln.delta_fac[p] = fltlim(l25 / 65.0f, 0.0f, 1.0f) * fltlim(1.0f - ct / cr, 0.0f, 1.0f);
  float ar = 2.0f * b * cl / ((cr + ct) / 2.0f);
  pln.AR[p] = ar;
  float lw = fltwrap(static_cast<float>(sweep), -180.0f, 180.0f);
  float le = fltlim(std::fabs(lw), 30.0f, 90.0f);
  float k = 1.0f - 0.045f * std::pow(ar, 0.68f);
  float ea = 1.78f * k - 0.64f;
  float eb = 4.61f * k * std::pow(std::cos(rad(le)), 0.15f) - 3.1f;
  float e = std::fabs(lw) < 30.0f ? ea + (eb - ea) * std::fabs(lw) / 30.0f : eb;
  pln.e[p] = fltlim(e, 0.5f, 1.0f);
  float r = 1.0f / (1.0f + 2.0f / (pln.e[p] * ar));
  pln.al_D_al0[p] = 1.0f - 0.68f * (1.0f - r);
  pln.cl_D_cl0[p] = 1.0f - 0.32f * (1.0f - r);
  pln.cm_D_cm0[p] = ar * cl * cl / (ar + 2.0f * cl);
  pln.alpha_max[p] /= pln.al_D_al0[p];
  pln.slat_effect[p] = 1.0f;
}

static void propeller_disc(int p) {
  float b = pln.semilen[p];
  int els = pln.els[p];
  for (int e = 0; e < els; e++) {
    float r0 = b * e / els, r1 = b * (e + 1) / els;
    pln.ringarea[p][e] = 3.14159265f * (r1 * r1 - r0 * r0);
  }
  pln.discarea[p] = 3.14159265f * b * b;
  float c = (pln.Croot[p] + pln.Ctip[p]) / 2.0f;
  pln.miprop[p] = b * c * (c * 0.15f) * 0.75f * 300.0f * pln.numblades[p] * sqr(0.7071f * b);
}

static bool same_side(int a, int b) {
  bool la = a == 4 || a == 6 || a == 8, lb = b == 4 || b == 6 || b == 8;
  return la == lb;
}

// Which stabiliser elements lie in a wing's wake, the wake's strength, and which elements lie in
// a propeller's slipstream with the stream angles that bound it.
static void wash_tables() {
  for (int a = PART_WING1_LEFT; a <= PART_HSTAB_RIGHT; a++) {
    if (!have_this_part(a)) continue;
    for (int b = PART_WING1_LEFT; b <= PART_HSTAB_RIGHT; b++) {
      if (!have_this_part(b) || !same_side(a, b) || !(pln.Zarm[b] > pln.Zarm[a])) continue;
      for (int e = 0; e < pln.els[b]; e++) {
        float x = get_wing_Xarm(b, get_wing_rarm(b, e));
        pln.in_wash[a][b][e] = std::fabs(x) < pln.semilen[a] ? 1 : 0;
      }
      pln.spec_wash[a] = findspecwash(std::fabs(pln.Yarm[b] - pln.Yarm[a]) / pln.semilen[a],
                                      std::fabs(pln.Zarm[b] - pln.Zarm[a]) / pln.semilen[a],
                                      pln.AR[a], pln.Ctip[a] / pln.Croot[a]);
    }
  }
  for (int n = 0; n < MAX_ENGINES; n++) {
    if (!have_this_part(n)) continue;
    for (int p = PART_WING1_LEFT; p <= PART_HSTAB_RIGHT; p++) {
      if (!have_this_part(p) || !(pln.Zarm[n] < pln.Zarm[p])) continue;
      int any = 0;
      for (int e = 0; e < pln.els[p]; e++) {
        float x = get_wing_Xarm(p, get_wing_rarm(p, e));
        if (std::fabs(x - pln.Xarm[n]) <= pln.semilen[n]) pln.in_propwash[p][n][e] = any = 1;
      }
      if (!any) continue;
      float dz = pln.Zarm[p] - pln.Zarm[n], dy = pln.Yarm[p] - pln.Yarm[n];
      float k = 180.0f / 3.14159265f;
      pln.max_washdir[p][n] = std::atan2(dy, dz) * k;
      pln.hi_washdir[p][n] = std::atan2(dy + pln.semilen[n], dz) * k;
      pln.lo_washdir[p][n] = std::atan2(dy - pln.semilen[n], dz) * k;
    }
  }
}

// Gear springs sized for the maximum weight, the attitude at rest on the wheels, and the wheels'
// contact points lowered by their static compression.
static void gear_springs() {
  if (!pln.gearEQ || !(pln.mgearZ != pln.ngearZ)) return;
  float ft = con.fttomtrs;
  float d = fltmin2(interp(1.0f, 0.2f, 3000.0f, 1.0f, pln.m_max * con.kgstolbs), 1.0f) * ft;
  float w = pln.m_max * con.g, span = pln.mgearZ - pln.ngearZ;
  float fn = pln.mgearZ / span * w, fm = -pln.ngearZ / span * w * 0.5f;
  pln.ngearcon = fn / d;
  pln.mgearcon = fm / d;
  if (pln.mgearZ > pln.ngearZ) pln.ngearcon = pln.mgearcon;
  pln.ngeardmp = 0.2f * pln.ngearcon;
  pln.mgeardmp = 0.2f * pln.mgearcon;
  pln.skidcon = 2.0f * 0.25f * w / d;
  pln.skiddmp = 0.05f * pln.skidcon;
  pln.h_eqlbm = interp(pln.ngearZ, -pln.ngearY, pln.mgearZ, -pln.mgearY, 0.0f);
  pln.the_eqlbm = std::asin((-pln.ngearY + pln.mgearY) / span) * 180.0f / 3.14159265f;
  pln.ngearY -= fn / pln.ngearcon;
  pln.mgearY -= fm / pln.mgearcon;
}

static void prepare() {
  gear_springs();
  for (int p = 0; p <= 11; p++) {
    if (!have_this_part(p)) continue;
    element_geometry(p);
    finite_wing(p);
    if (p <= 3 && (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP))
      propeller_disc(p);
  }
  wash_tables();
  for (int i = 0; i < MAX_ENGINES; i++) {
    pln.sin_vertcant[i] = isin(static_cast<int>(pln.vertcant[i]));
    pln.cos_vertcant[i] = icos(static_cast<int>(pln.vertcant[i]));
    pln.sin_sidecant[i] = isin(static_cast<int>(pln.sidecant[i]));
    pln.cos_sidecant[i] = icos(static_cast<int>(pln.sidecant[i]));
  }
  float a = 0.0f;
  for (int p = PART_WING1_LEFT; p <= PART_WING2_LEFT; p += 2) {
    if (have_this_part(p)) a += (pln.Croot[p] + pln.Ctip[p]) * pln.semilen[p];
  }
  msc.est_Vs = a > 0.0f ? std::sqrt(2.0f * pln.m_max * con.g / (1.225f * a)) : 0.0f;
}

// ---- The aircraft ----------------------------------------------------------------------------

static const model_foil cambered = {0.1f, 0.25f, 15.0f, 0.0065f, -0.05f};
static const model_foil symmetric = {0.1f, 0.0f, 14.0f, 0.006f, 0.0f};
static const model_foil blade = {0.1f, 0.3f, 14.0f, 0.008f, -0.05f};

// A propeller of `blades` blades and radius r on engine i at (x, y, z), its blade angle set for
// an advance of `pitch` metres per turn.
static void propeller(int i, float r, float blades, float pitch, float x, float y, float z) {
  surface(i, r, 0.18f, 0.08f, 4, 0, 0, x, y, z, 0.0f, blade);
  for (int e = 0; e < 4; e++) {
    float rr = r * (e + 0.5f) / 4.0f;
    pln.anginc[i][e] = std::atan(pitch / (2.0f * 3.14159265f * rr)) * 180.0f / 3.14159265f;
  }
  pln.numblades[i] = blades;
  pln.propdir[i] = 1;
}

// Rudder, elevator and ailerons on a conventional layout; flaps on the inner wing.
static void controls(int wing_els, int aileron_from, int flap_to) {
  for (int e = 0; e < wing_els; e++) {
    pln.ailn[4][e] = pln.ailn[5][e] = e >= aileron_from;
    pln.flap[4][e] = pln.flap[5][e] = e < flap_to;
  }
  for (int e = 0; e < pln.els[8]; e++) pln.elev[8][e] = pln.elev[9][e] = 1;
  for (int e = 0; e < pln.els[10]; e++) pln.rudd[10][e] = 1;
  pln.ailnEQ = pln.elevEQ = pln.ruddEQ = 1;
  pln.flapEQ = flap_to > 0;
  pln.ailn_crat = 0.25f, pln.elev_crat = 0.4f, pln.rudd_crat = 0.4f;
  pln.ailn_up = 20.0f, pln.ailn_dn = 15.0f;
  pln.elev_up = 25.0f, pln.elev_dn = 20.0f;
  pln.rudd_def = 20.0f;
  pln.con_smooth = 3;
  pln.hstbtrimmax = 0.5f;
  flaps_table(0.9f, 0.06f, -0.12f);
}

// The aircraft is known by its name: the controller calls it by it, as by a file's name without
// its extension.
static void common(const char* path, const char* name, float vne_kt) {
  std::strcpy(pln.C_file, name);
  std::strcpy(pln.C_path, path);
  pln.asi_units = 2;
  pln.Vne = vne_kt;
  pln.Vfe = vne_kt * 0.55f;
  pln.Vs = pln.Vso = vne_kt * 0.3f;
  pln.draw_full = 1;
  pln.supptype = 1;  // two NAV receivers, as the sample aircraft have, rather than a GPS on NAV 1
}

static void trainer() {
  common("builtin:trainer", "Trainer", 160.0f);
  pln.entype = ENGINE_PISTON, pln.numen = 1;
  pln.pmax = 160.0f * con.hptowatt;
  pln.omegamax = 2700.0f * con.rpmtorsc, pln.omegamin = 600.0f * con.rpmtorsc;
  pln.critalt = 0.0f;
  propeller(0, 0.95f, 2.0f, 1.5f, 0.0f, 0.0f, -1.9f);
  pair(4, 5.5f, 1.63f, 1.2f, 8, 2, 0, 0.5f, 1.2f, 0.05f, 1.5f, cambered);
  pair(8, 1.7f, 1.0f, 0.8f, 4, 0, 0, 0.15f, 0.3f, 4.6f, -2.0f, symmetric);
  surface(10, 1.5f, 1.3f, 0.7f, 4, 90, 30, 0.0f, 0.4f, 4.4f, 0.0f, symmetric);
  controls(8, 5, 4);
  body(12, -2.0f, 6.0f, 0.6f, 0.75f, 0.1f);
  pln.fuse_cd = 0.2f, pln.fuse_s_frn = 1.3f, pln.fuse_s_sid = 6.5f, pln.fuse_s_top = 5.0f;
  pln.fuseZcent = 1.0f, pln.fuseYcent = 0.1f;
  pln.m_empty = 750.0f, pln.m_max = 1110.0f, pln.m_fuel = 110.0f;
  pln.Jzz_unitmass = 1.23f, pln.Jxx_unitmass = 1.75f, pln.Jyy_unitmass = 2.56f;
  pln.gearEQ = 1, pln.retractEQ = 0, pln.sgear = 0.5f;
  pln.ngearZ = -1.3f, pln.ngearY = -1.15f;
  pln.mgearZ = 0.45f, pln.mgearX = 1.2f, pln.mgearY = -1.15f;
  pln.nwsteerEQ = 1, pln.nwsteer = 10.0f;
}

static void glider() {
  common("builtin:glider", "Glider", 135.0f);
  pair(4, 7.5f, 1.0f, 0.5f, 8, 3, 0, 0.3f, 0.4f, 0.05f, 1.0f, cambered);
  pair(8, 1.4f, 0.7f, 0.5f, 4, 0, 0, 0.1f, 1.2f, 4.8f, -2.0f, symmetric);
  surface(10, 1.2f, 1.0f, 0.6f, 4, 90, 25, 0.0f, 0.3f, 4.6f, 0.0f, symmetric);
  controls(8, 5, 0);
  body(12, -1.5f, 6.0f, 0.33f, 0.45f, 0.0f);
  pln.fuse_cd = 0.08f, pln.fuse_s_frn = 0.45f, pln.fuse_s_sid = 3.0f, pln.fuse_s_top = 2.5f;
  pln.fuseZcent = 1.5f, pln.fuseYcent = 0.0f;
  pln.m_empty = 300.0f, pln.m_max = 450.0f, pln.m_fuel = 0.0f;
  pln.Jzz_unitmass = 9.0f, pln.Jxx_unitmass = 3.0f, pln.Jyy_unitmass = 11.0f;
  pln.gearEQ = 1, pln.retractEQ = 1, pln.sgear = 0.1f;
  pln.ngearZ = -1.0f, pln.ngearY = -0.6f;
  pln.mgearZ = 0.3f, pln.mgearX = 0.05f, pln.mgearY = -0.6f;
}

static void fourprop() {
  common("builtin:fourprop", "Four-engine", 330.0f);
  pln.entype = ENGINE_TURBOPROP, pln.numen = 4;
  pln.pmax = 4600.0f * con.hptowatt;
  pln.omegamax = 1020.0f * con.rpmtorsc, pln.omegamin = 700.0f * con.rpmtorsc;
  pln.varpitchEQ = 1;
  float xs[4] = {-9.0f, -4.5f, 4.5f, 9.0f};
  for (int i = 0; i < MAX_ENGINES; i++) {
    propeller(i, 2.05f, 4.0f, 6.0f, xs[i], 0.2f, -3.5f);
    pln.minpitch[i] = -10.0f, pln.maxpitch[i] = 30.0f;
  }
  pair(4, 19.0f, 5.2f, 2.2f, 8, 3, 3, 1.6f, 0.3f, 0.3f, 2.0f, cambered);
  pair(8, 6.2f, 3.2f, 1.6f, 8, 5, 8, 0.3f, 1.0f, 17.0f, -1.5f, symmetric);
  surface(10, 6.7f, 4.5f, 2.0f, 8, 90, 25, 0.0f, 1.6f, 16.0f, 0.0f, symmetric);
  controls(8, 6, 5);
  body(12, -13.0f, 17.0f, 2.1f, 2.3f, 0.0f);
  pln.fuse_cd = 0.12f, pln.fuse_s_frn = 14.0f, pln.fuse_s_sid = 95.0f, pln.fuse_s_top = 85.0f;
  pln.fuseZcent = 1.5f, pln.fuseYcent = 0.0f;
  pln.nace_eq = 1, pln.nace_s = 1.4f;
  for (int b = PART_NACELLE1; b <= PART_NACELLE4; b++) body(b, -2.0f, 3.0f, 0.6f, 0.8f, 0.0f);
  pln.m_empty = 35000.0f, pln.m_max = 70000.0f, pln.m_fuel = 20000.0f;
  pln.Jzz_unitmass = 60.0f, pln.Jxx_unitmass = 75.0f, pln.Jyy_unitmass = 125.0f;
  pln.gearEQ = 1, pln.retractEQ = 1, pln.sgear = 6.0f;
  pln.ngearZ = -10.0f, pln.ngearY = -3.0f;
  pln.mgearZ = 1.2f, pln.mgearX = 2.2f, pln.mgearY = -3.0f;
  pln.nwsteerEQ = 1, pln.nwsteer = 60.0f;
}

int fly_builtin_aircraft(const char* name) {
  void (*make)() = nullptr;
  if (std::strcmp(name, "trainer") == 0) make = trainer;
  if (std::strcmp(name, "glider") == 0) make = glider;
  if (std::strcmp(name, "fourprop") == 0) make = fourprop;
  if (!make) return 0;
  reset_pln();
  reset_afl();
  make();
  prepare();
  // Full tanks and no payload.
  set.load_fixed = set.load_jettison = 0.0f;
  set.load_fuel = pln.m_fuel;
  flt.m_fixed = flt.m_jettison = 0.0f;
  flt.m_fuel = pln.m_fuel;
  return 1;
}
