// Aircraft preparation after the file is read: span efficiencies and finite-wing corrections
// with the airfoil tables, arms from the centre of gravity, body areas, radii of gyration, gear
// constants and resting attitude, and the estimated stall speed.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

static float deg_of(float rad) { return rad * con.radtodeg; }

// One span panel as the efficiency sees it: root and tip chord, span and leading sweep.
struct span_panel {
  float cr, ct, b;
  int sweep;
};

// ---- Span efficiency -------------------------------------------------------------------------

// 1 when the tip of wing a lies within a fifth of its tip chord of the root of wing b.
static int tip_meets_root(int a, int b) {
  float r = pln.semilen[a];
  float tol = 0.2f * pln.Ctip[a];
  return std::fabs(get_wing_Zarm(a, r) - pln.Zarm[b]) <= tol &&
         std::fabs(get_wing_Xarm(a, r) - pln.Xarm[b]) <= tol &&
         std::fabs(get_wing_Yarm(a, r) - pln.Yarm[b]) <= tol;
}

// Two wings joined tip to root act as one panel from the inner root to the outer tip.
static int joined_panel(span_panel* out) {
  if (!have_this_part(PART_WING1_RIGHT) || !have_this_part(PART_WING2_RIGHT)) return 0;
  int inner, outer;
  if (tip_meets_root(5, 7)) {
    inner = 5;
    outer = 7;
  } else if (tip_meets_root(7, 5)) {
    inner = 7;
    outer = 5;
  } else {
    return 0;
  }
  float s5 = pln.semilen[5], s7 = pln.semilen[7];
  float w5 = static_cast<float>(intwrap(whole_turn(pln.sweep1[5]), -179, 180));
  float w7 = static_cast<float>(intwrap(whole_turn(pln.sweep1[7]), -179, 180));
  float mean = (s5 * w5 + s7 * w7) / (s5 + s7);
  if (!std::isfinite(mean)) mean = 0.0f;
  out->cr = pln.Croot[inner];
  out->ct = pln.Ctip[outer];
  out->b = s5 + s7;
  if (mean < 0.0f) mean += 360.0f;
  out->sweep = whole_turn(static_cast<int>(mean));
  return 1;
}

static float oswald(float AR, int sweep) {
  float w = std::fabs(fltwrap(static_cast<float>(whole_turn(sweep)), -180.0f, 180.0f));
  float we = fltlim(w, 30.0f, 90.0f);
  // A panel swept beyond a right angle has no span ahead of it; its aspect ratio counts as 0.
  float k = 1.0f - 0.045f * std::pow(fltmax2(AR, 0.0f), 0.68f);
  float eA = 1.78f * k - 0.64f;
  float eB = 4.61f * k * std::pow(fltmax2(std::cos(we * con.degtorad), 0.0f), 0.15f) - 3.1f;
  return w < 30.0f ? eA + (eB - eA) * w / 30.0f : eB;
}

static void span_efficiency(int p, const span_panel& sp) {
  float s = isin(sp.sweep), c = icos(sp.sweep);
  float num = sp.cr / 4.0f + s * sp.b - sp.ct / 4.0f;
  float den = c * sp.b;
  float sweep25 = den != 0.0f ? deg_of(std::atan(num / den)) : (num >= 0.0f ? 90.0f : -90.0f);
  float taper_term = sp.cr > 0.0f ? fltlim(1.0f - sp.ct / sp.cr, 0.0f, 1.0f) : 0.0f;
  pln.delta_fac[p] = fltlim(sweep25 / 65.0f, 0.0f, 1.0f) * taper_term;
  pln.AR[p] = 2.0f * sp.b * c / ((sp.cr + sp.ct) / 2.0f);
  pln.e[p] = oswald(pln.AR[p], sp.sweep);
}

// ---- Airfoils and finite-wing corrections ----------------------------------------------------

static void read_airfoils(int p) {
  grabafoil(pln.Rafl0[p], p, 0, 0);
  if (pln.diffRe[p]) {
    grabafoil(pln.Rafl1[p], p, 0, 1);
    checkRediff(pln.Rafl0[p], pln.Rafl1[p], p, 0);
  }
  if (pln.diffRT[p]) {
    grabafoil(pln.Tafl0[p], p, 1, 0);
    if (pln.diffRe[p]) {
      grabafoil(pln.Tafl1[p], p, 1, 1);
      checkRediff(pln.Tafl0[p], pln.Tafl1[p], p, 1);
    }
  }
}

// Two wings stacked clearly higher than they are staggered form a biplane, whose efficiency
// replaces every part's own; returns 0 when the aircraft is not one.
static int biplane_efficiency(float* e) {
  if (!have_this_part(PART_WING1_LEFT) || !have_this_part(PART_WING2_LEFT)) return 0;
  float gap = std::fabs(pln.Yarm[4] - pln.Yarm[6]);
  float stagger = std::fabs(pln.Zarm[4] - pln.Zarm[6]);
  if (gap <= stagger || gap <= 0.1f * pln.Ctip[4] || gap <= 0.1f * pln.Ctip[6]) return 0;
  float g = gap / (pln.semilen[4] + pln.semilen[6]);
  float k = 0.9962f - 4.896f * g + 17.98f * g * g - 37.8f * g * g * g + 31.0f * g * g * g * g;
  float mu = pln.semilen[4] / pln.semilen[6];
  if (mu > 1.0f) mu = 1.0f / mu;
  *e = 2.0f * mu * mu / (1.0f + 2.0f * k * mu + mu * mu);
  return 1;
}

static void report_finite_wing(int p, int sweep, float r) {
  trk.precision(3);
  trk << "\nFinite Wing for " << part_name(p) << "\n";
  trk << "   Oswalds efficiency factor based on AR (" << pln.AR[p] << ") and sweep (" << sweep
      << " deg) is " << pln.e[p] << "\n";
  trk.precision(1);
  trk << "   Thoretical lift-slope reduction is to " << r * 100.0f << "% of the 2-D value.\n";
  trk << "   We will accomplish this by:\n";
  trk << "      using coefficient data at an angle of attack that is " << pln.al_D_al0[p] * 100.0f
      << "% of actual,\n";
  trk << "      and reducing airfoil lift coefficients to " << pln.cl_D_cl0[p] * 100.0f
      << "% of their 2-D value.\n";
  trk << "      Based on AR and sweep, cm change is to " << pln.cm_D_cm0[p] * 100.0f
      << "% of it's 2-D value.\n";
  trk << "      Based on AR and TR, aerodynamic center is moved " << pln.delta_fac[p] * 100.0f
      << "% of the way from the the 25% chord to the 50% chord.\n";
}

static void finite_wing(int p, int sweep) {
  float ar = pln.AR[p];
  // Lift-slope ratio of the finite wing; a span of nothing keeps none of the section's slope.
  float r = ar > 0.0f ? 1.0f / (1.0f + 2.0f / (pln.e[p] * ar)) : 0.0f;
  float c1 = icos(pln.sweep1[p]);
  float cm_den = ar + 2.0f * c1;
  pln.al_D_al0[p] = 1.0f - 0.68f * (1.0f - r);
  pln.cl_D_cl0[p] = 1.0f - 0.32f * (1.0f - r);
  pln.cm_D_cm0[p] = cm_den != 0.0f ? ar * c1 * c1 / cm_den : 0.0f;
  pln.alpha_max[p] = pln.alpha_max[p] / pln.al_D_al0[p];
  report_finite_wing(p, sweep, r);
}

// ---- Re-measuring from the centre of gravity -------------------------------------------------

static void measure_from_cg() {
  float z = pln.cgZ, y = pln.cgY;
  pln.peZ -= z;
  pln.peY -= y;
  pln.ngearZ -= z;
  pln.ngearY -= y;
  pln.mgearZ -= z;
  pln.mgearY -= y;
  pln.skidZ -= z;
  pln.skidY -= y;
  pln.jatoZ -= z;
  pln.jatoY -= y;
  pln.misc_Z -= z;
  pln.misc_Y -= y;
  for (int p = 0; p < LIFTING_PARTS; p++) {
    pln.Zarm[p] -= z;
    pln.Yarm[p] -= y;
  }
  for (int j = 0; j <= 8; j++) {
    for (int k = 0; k < BODY_POINTS; k++) {
      pln.body_Z[12][j][k] -= z;
      pln.body_Y[12][j][k] -= y;
    }
  }
}

// ---- Body areas, centroid and radii of gyration ----------------------------------------------

// Frontal area of one cross-section: the right half, points 0 (top) to 4 (bottom), mirrored.
static float section_area(int b, int j) {
  float a = 0.0f;
  for (int k = 1; k <= 4; k++)
    a += (pln.body_X[b][j][k - 1] + pln.body_X[b][j][k]) / 2.0f *
         (pln.body_Y[b][j][k - 1] - pln.body_Y[b][j][k]);
  return 2.0f * a;
}

static float largest_section(int b, int last) {
  float m = section_area(b, 0);
  for (int j = 1; j <= last; j++) m = fltmax2(m, section_area(b, j));
  return m;
}

static void body_areas() {
  pln.fuse_s_frn = largest_section(12, 8);
  pln.nace_s = largest_section(13, 4);
  pln.misc_s = largest_section(17, 4);
  pln.fuse_s_sid = pln.fuse_s_top = 0.0f;
  // The body's outline is the same whichever end its sections are listed from: a fuselage listed
  // tail first must not come out with negative areas, which would turn its lift, side force and
  // drag round.
  for (int j = 0; j < 8; j++) {
    float dz = std::fabs(pln.body_Z[12][j + 1][0] - pln.body_Z[12][j][0]);
    float h0 = pln.body_Y[12][j][0] - pln.body_Y[12][j][4];
    float h1 = pln.body_Y[12][j + 1][0] - pln.body_Y[12][j + 1][4];
    pln.fuse_s_sid += (h0 + h1) / 2.0f * dz;
    pln.fuse_s_top += (2.0f * pln.body_X[12][j][2] + 2.0f * pln.body_X[12][j + 1][2]) / 2.0f * dz;
  }
}

struct mass_sums {
  float w, wz, wy, xx, yy, zz;  // weight, its moments, and the three squared-distance sums
};

static void add_mass(mass_sums* m, float w, float x, float y, float z) {
  m->xx += w * (y * y + z * z);
  m->yy += w * (x * x + z * z);
  m->zz += w * (x * x + y * y);
}

static void add_triangle(mass_sums* m, int j0, int k0, int j1, int k1, int j2, int k2) {
  const float(*X)[BODY_POINTS] = pln.body_X[12];
  const float(*Y)[BODY_POINTS] = pln.body_Y[12];
  const float(*Z)[BODY_POINTS] = pln.body_Z[12];
  float w = 2.0f * findarea(X[j0][k0], Y[j0][k0], Z[j0][k0], X[j1][k1], Y[j1][k1], Z[j1][k1],
                            X[j2][k2], Y[j2][k2], Z[j2][k2]);
  float x = (X[j0][k0] + X[j1][k1] + X[j2][k2]) / 3.0f;
  float y = (Y[j0][k0] + Y[j1][k1] + Y[j2][k2]) / 3.0f;
  float z = (Z[j0][k0] + Z[j1][k1] + Z[j2][k2]) / 3.0f;
  m->w += w;
  m->wz += w * z;
  m->wy += w * y;
  add_mass(m, w, x, y, z);
}

static void report_radii(const char* roll, const char* pitch, const char* yaw) {
  trk.precision(3);
  trk << roll << " " << std::sqrt(fltmax2(pln.Jzz_unitmass, 0.0f)) << " m\n";
  trk << pitch << " " << std::sqrt(fltmax2(pln.Jxx_unitmass, 0.0f)) << " m\n";
  trk << yaw << " " << std::sqrt(fltmax2(pln.Jyy_unitmass, 0.0f)) << " m\n";
}

float engine_mass() {
  float hp = pln.pmax * con.watttohp;
  if (pln.entype == ENGINE_PISTON) return hp * 1.75f * con.lbstokgs;
  if (pln.entype == ENGINE_TURBOPROP) return hp * 0.5f * con.lbstokgs;
  if (pln.entype == ENGINE_JET) return pln.tmax * con.ntntolbs * 0.18f * con.lbstokgs;
  return 0.0f;
}

static void centroid_and_gyration() {
  mass_sums m = {0, 0, 0, 0, 0, 0};
  for (int j = 0; j < 8; j++) {
    for (int k = 0; k < 4; k++) {
      add_triangle(&m, j, k, j, k + 1, j + 1, k + 1);
      add_triangle(&m, j, k, j + 1, k, j + 1, k + 1);
    }
  }
  // The centroid is the fuselage's own: the surfaces below add to the inertia only.
  float fuse_w = m.w;
  pln.fuseZcent = fuse_w > 0.0f ? m.wz / fuse_w : 0.0f;
  pln.fuseYcent = fuse_w > 0.0f ? m.wy / fuse_w : 0.0f;
  for (int p = PART_WING1_LEFT; p <= PART_VSTAB2; p++) {
    if (!have_this_part(p)) continue;
    for (int e = 0; e < pln.els[p]; e++) {
      float r = get_wing_rarm(p, e);
      add_mass(&m, 0.5f * pln.s[p][e], get_wing_Xarm(p, r), get_wing_Yarm(p, r),
               get_wing_Zarm(p, r));
      m.w += pln.s[p][e];
    }
  }
  pln.Jxx_unitmass = m.w > 0.0f ? m.xx / m.w : 0.0f;
  pln.Jyy_unitmass = m.w > 0.0f ? m.yy / m.w : 0.0f;
  pln.Jzz_unitmass = m.w > 0.0f ? m.zz / m.w : 0.0f;
  trk << "\n";
  report_radii("   The radius of gyration in roll  is", "   The radius of gyration in pitch is",
               "   The radius of gyration in yaw   is");

  if (pln.entype != ENGINE_NONE) {
    float em = engine_mass();
    // Engines heavier than the empty aircraft leave no mass for the airframe, never less.
    float scale = fltmax2((pln.m_empty - pln.numen * em) / pln.m_empty, 0.0f);
    pln.Jxx_unitmass *= scale;
    pln.Jyy_unitmass *= scale;
    pln.Jzz_unitmass *= scale;
    float share = em / pln.m_empty;
    for (int n = 0; n < pln.numen; n++) {
      float x = pln.Xarm[n], y = pln.Yarm[n], z = pln.Zarm[n];
      pln.Jxx_unitmass += share * (z * z + y * y);
      pln.Jyy_unitmass += share * (z * z + x * x);
      pln.Jzz_unitmass += share * (x * x + y * y);
    }
  }
  trk << "\nFinal radii of gyration are then as follows:\n";
  report_radii("   The radius of gyration in roll is", "   The radius of gyration in pitch is",
               "   The radius of gyration in yaw is");
}

// ---- Gear ------------------------------------------------------------------------------------

static float attitude_deg(float rise, float run) {
  return fltwrap(deg_of(std::asin(fltlim(rise / run, -1.0f, 1.0f))), -180.0f, 180.0f);
}

static void gear_constants() {
  float weight = pln.m_max * con.g;
  // Static deflection grows from 0.2 ft for the lightest aircraft to 1 ft at 3000 lb.
  float d_ft = fltmin2(interp(1.0f, 0.2f, 3000.0f, 1.0f, pln.m_max * con.kgstolbs), 1.0f);
  float d = d_ft * con.fttomtrs;
  // Wheels at one station carry no computable share; a design like that is refused by the
  // checks when it has wheels, and the constants then stay at zero.
  float span = pln.mgearZ - pln.ngearZ;
  float Fn = span != 0.0f ? pln.mgearZ / span * weight : 0.0f;
  float Fm = span != 0.0f ? -pln.ngearZ / span * weight * 0.5f : 0.0f;
  pln.ngearcon = Fn / d;
  pln.mgearcon = Fm / d;
  if (pln.mgearZ > pln.ngearZ) pln.ngearcon = pln.mgearcon;
  pln.ngeardmp = 0.2f * pln.ngearcon;
  pln.mgeardmp = 0.2f * pln.mgearcon;
  pln.skidcon = 2.0f * 0.25f * weight / d;
  pln.skiddmp = 0.05f * pln.skidcon;
  pln.h_eqlbm = pln.the_eqlbm = 0.0f;

  if (pln.gearEQ) {
    float hn = -pln.ngearY, hm = -pln.mgearY;
    pln.h_eqlbm = span != 0.0f ? interp(pln.ngearZ, hn, pln.mgearZ, hm, 0.0f) : hn;
    pln.the_eqlbm = span != 0.0f ? attitude_deg(hn - hm, span) : 0.0f;
    if (pln.ngearcon != 0.0f) pln.ngearY -= Fn / pln.ngearcon;
    if (pln.mgearcon != 0.0f) pln.mgearY -= Fm / pln.mgearcon;
  }
  if (pln.skidEQ && pln.skidl != 0.0f) {
    float Ff = (pln.skidZ + pln.skidl) / pln.skidl * weight;
    float Fb = -pln.skidZ / pln.skidl * weight;
    float hf = -pln.skidY - Ff / (2.0f * pln.skidcon);
    float hb = -pln.skidY - Fb / (2.0f * pln.skidcon);
    pln.h_eqlbm = interp(pln.skidZ, hf, pln.skidZ + pln.skidl, hb, 0.0f);
    pln.the_eqlbm = attitude_deg(hf - hb, pln.skidl);
  }
  if (!pln.gearEQ && !pln.skidEQ) {
    // Without wheels or skids (a floatplane, a flying boat) the aircraft rests level on the
    // bottoms of its fuselage, floats and nacelles: the outline points that meet the ground.
    // Started any lower it would begin with its hull inside the ground and be thrown off it.
    for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
      if (!have_this_part(b)) continue;
      float ox, oy, oz;
      get_body_os(b, &ox, &oy, &oz);
      const int k = intlim(f_body_r_dim(b) / 2, 0, BODY_POINTS - 1);
      const int stations = intlim(f_body_s_dim(b), 0, BODY_SECTIONS);
      for (int st = 0; st < stations; st++)
        pln.h_eqlbm = fltmax2(pln.h_eqlbm, -(pln.body_Y[b][st][k] + oy));
    }
  }
}

// ---- Estimated stall speed -------------------------------------------------------------------

// Planform area of a pair of halves, from the left half or, when only the right exists, from it.
static float pair_area(int left) {
  int p = have_this_part(left) ? left : (have_this_part(left + 1) ? left + 1 : -1);
  return p < 0 ? 0.0f : (pln.Croot[p] + pln.Ctip[p]) * pln.semilen[p];
}

// The wings carry the aircraft; a design without them is judged on the surfaces it has, so that
// the estimate stays finite.
float estimated_stall_speed() {
  if (pln.is_heli) return 50.0f * con.ktstomsc;
  float area = pair_area(4) + pair_area(6);
  if (area <= 0.0f) area = pair_area(8);
  for (int p = PART_VSTAB1; p <= PART_VSTAB2 && area <= 0.0f; p++)
    if (have_this_part(p)) area = (pln.Croot[p] + pln.Ctip[p]) * pln.semilen[p] / 2.0f;
  if (area <= 0.0f) return 50.0f * con.ktstomsc;
  return std::sqrt(2.0f * pln.m_max * con.g / (con.rhoSL * area));
}

// ---- The whole step --------------------------------------------------------------------------

void finish_readin1() {
  span_panel joined = {0.0f, 0.0f, 0.0f, 0};
  int is_joined = joined_panel(&joined);
  int sweep_used[LIFTING_PARTS] = {0};
  for (int p = 0; p < LIFTING_PARTS; p++) {
    if (!have_this_part(p)) continue;
    span_panel sp = {pln.Croot[p], pln.Ctip[p], pln.semilen[p], pln.sweep1[p]};
    if (is_joined && p >= PART_WING1_LEFT && p <= PART_WING2_RIGHT) sp = joined;
    sweep_used[p] = sp.sweep;
    span_efficiency(p, sp);
  }

  float bi_e = 0.0f;
  int biplane = biplane_efficiency(&bi_e);
  for (int p = 0; p < LIFTING_PARTS; p++) {
    if (!have_this_part(p)) continue;
    read_airfoils(p);
    if (biplane) pln.e[p] = bi_e;
    pln.e[p] = fltlim(pln.e[p], 0.5f, 1.0f);
    finite_wing(p, sweep_used[p]);
  }

  measure_from_cg();
  body_areas();
  centroid_and_gyration();
  gear_constants();
  build_propwash();
}
