// The airfoil coefficient model: one element's lift, drag and moment from its local flow, the
// table look-up of one foil, the supersonic double-wedge section, the control-surface increments
// and the angle shift a lift increment causes.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "shared/shared.h"
#include "weather/weather.h"

// ---- One element -----------------------------------------------------------------------------

float F_el_force(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int w,
                 int e) {
  float delta = flt.deldir[w][e] * con.degtorad;
  return F_el_force_turned(dcl, dcd, dcm, std::cos(delta), std::sin(delta), lift, drag, moment, w,
                           e);
}

float F_el_force_turned(float dcl, float dcd, float dcm, float c, float s, float* lift,
                        float* drag, float* moment, int w, int e) {
  float cl, cd, cm;
  if (flt.machno < 1.0f) {
    Fco_subsonic(dcl, dcd, dcm, &cl, &cd, &cm, w, e);
  } else {
    Fco_supersonic(dcl, dcd, dcm, &cl, &cd, &cm, w, e);
  }

  // The coefficients belong to the local flow; turning them through the flow-direction change
  // measures lift and drag across and along the flight path again.
  float delta = flt.deldir[w][e];
  float clp = cl * c + cd * s;
  float cdp = cd * c - cl * s;

  float v = flt.v_el[w][e];
  float q = 0.5f * atm.rho * v * v * pln.s[w][e];
  *lift = clp * q;
  *drag = cdp * q;
  *moment = cm * q * pln.mac[w][e];

  if (dumping()) {
    dump_value("\n   This element has an infinite flow-direction modification of", delta,
               " degrees.\n");
    dump_text(
        "   This rotates the lift and drag vectors through the infinite flow-modification "
        "angle.\n");
    trk << "   This rotation turns the initial cl of " << cl << " and cd of " << cd
        << " along the direction of the flight path\n";
    trk << "   to the new values of cl=" << clp << " and cd=" << cdp
        << " along the direction of the flight path.\n\n";
    dump_text("   force=coeff*S*V*V*rho/2.0\n");
    trk << "   lift=" << clp << "* " << pln.s[w][e] << "* sqr(" << v << ") * " << atm.rho
        << " / 2         =" << *lift << " N\n";
    trk << "   drag=" << cdp << "* " << pln.s[w][e] << "* sqr(" << v << ") * " << atm.rho
        << " / 2         =" << *drag << " N\n";
    trk << "   momt=" << cm << "* " << pln.s[w][e] << "* sqr(" << v << ") * " << atm.rho
        << " / 2 * " << pln.mac[w][e] << " =" << *moment << " N-m\n\n";
  }
  return cl;
}

// ---- One foil --------------------------------------------------------------------------------

// The straight line through (x1, y1) and (x2, y2) at x, for the per-element path (x1 < x2).
static inline float lerp(float x1, float y1, float x2, float y2, float x) {
  return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

// The moment curve through (-90, 0.32), (-20, cm1), (cmal2, cm2), (cmal3, cm3), (20, cm4),
// (90, -0.32), its pieces tested in this order.
static float moment_curve(float a, int w, int r, int p) {
  float al2 = afl.cmal2[w][p][r], al3 = afl.cmal3[w][p][r];
  float m1 = afl.cm1[w][p][r], m2 = afl.cm2[w][p][r], m3 = afl.cm3[w][p][r], m4 = afl.cm4[w][p][r];
  if (al2 <= a && a <= al3) return al3 > al2 ? lerp(al2, m2, al3, m3, a) : m2;
  if (al3 <= a && a <= 20.0f) return al3 < 20.0f ? lerp(al3, m3, 20.0f, m4, a) : m4;
  if (-20.0f <= a && a <= al2) return al2 > -20.0f ? lerp(-20.0f, m1, al2, m2, a) : m1;
  if (a >= 20.0f) return lerp(20.0f, m4, 90.0f, -0.32f, a);
  if (a <= -20.0f) return lerp(-90.0f, 0.32f, -20.0f, m1, a);
  // Foils whose central line reaches past +-20 degrees leave a gap; no moment there.
  return 0.0f;
}

// One look-up of the tables at the flow angle alpha; leaves the effective angle in *eff and the
// slat stretch in *stretch_out, and returns whether the section is stalled there.
static inline int section_lookup(float alpha, float* cl, float* cd, float* cm, int w, int r,
                                 int p, int e, float* eff, float* stretch_out) {
  float zl = afl.al_zl[w][p][r];
  bool slatted = pln.slat[w][e] != 0;
  // A slat stretches the curves along the angle; a stretch not yet set counts as none.
  float stretch = slatted && flt.slat_effect[w] > 0.0f ? flt.slat_effect[w] : 1.0f;
  float a = zl + pln.al_D_al0[w] * (alpha - zl) / stretch;
  // The surface's stalling angle is the foil's own widened by the finite wing and by the slats
  // out on it; the effective angle has both taken out, so it meets the foil's own angle, where
  // the tables' lift peaks. A surface stalls on either side: a fin in a sideslip either way, a
  // wing pushed beyond its stall inverted.
  float surface_stretch = flt.slat_effect[w] > 0.0f ? flt.slat_effect[w] : 1.0f;
  float foil_max = flt.alpha_max[w] * pln.al_D_al0[w] / surface_stretch;
  int stalled = std::fabs(a) > foil_max ? 1 : 0;

  float mag = std::fabs(a);
  float x = mag <= 20.0f ? mag * 10.0f : mag - 20.0f + 200.0f;
  // The test is written so that NaN and infinite angles land on the last entries too: the index
  // must never come from a value that is not a finite number in range.
  if (!(x <= 269.99f)) x = 269.99f;
  int k = static_cast<int>(x);
  float wlo = (k + 1) - x, whi = 1.0f - wlo;

  bool positive = alpha > 0.0f;  // zero reads the negative-angle tables
  const float* cltab = positive ? afl.clpos[w][p][r] : afl.clneg[w][p][r];
  const float* cdtab = positive ? afl.cdpos[w][p][r] : afl.cdneg[w][p][r];
  bool straight = mag < 10.0f;
  *cl = straight ? afl.clB[w][p][r] + afl.clM[w][p][r] * a
                 : wlo * cltab[k - 100] + whi * cltab[k - 99];
  *cd = wlo * cdtab[k] + whi * cdtab[k + 1];
  *cm = moment_curve(a, w, r, p);
  if (slatted) *cl *= stretch;
  *eff = a;
  *stretch_out = stretch;
  return stalled;
}

// The table look-up itself, without the report: inlined into the per-element path. The tables
// end at 90 degrees, where the flow meets the section broadside; flow from behind (a surface
// flying tail first) meets it trailing edge first, and towards 180 degrees the section works as
// itself turned round, at the angle from its reversed chord. Beyond 90 degrees the broadside
// coefficients keep the share a plate's drag keeps, the square of the angle's sine, and the rest
// is the reversed section's: they run on without a jump through 90 and through the turn at 180,
// and a surface flying tail first no longer stops the air like a plate held across it. Leaves
// the effective angle in *eff and the slat stretch in *stretch_out.
static inline void foil_lookup(float alpha, float* cl, float* cd, float* cm, int w, int r, int p,
                               int e, float* eff, float* stretch_out) {
  // Almost every look-up meets the flow from ahead and pays for no wrapping or cosine; NaN reads
  // forward.
  float turn = alpha, back = 0.0f;
  if (std::fabs(alpha) > 90.0f) {
    turn = std::remainder(alpha, 360.0f);  // -180..180
    float cos_turn = std::cos(turn * con.degtorad);
    if (std::fabs(turn) > 90.0f) back = cos_turn * cos_turn;
  }
  if (!(back > 0.0f)) {
    flt.stalled[w] = section_lookup(alpha, cl, cd, cm, w, r, p, e, eff, stretch_out);
    return;
  }
  flt.stalled[w] = section_lookup(turn, cl, cd, cm, w, r, p, e, eff, stretch_out);
  float rcl, rcd, rcm, ra, rs;
  section_lookup(turn > 0.0f ? turn - 180.0f : turn + 180.0f, &rcl, &rcd, &rcm, w, r, p, e, &ra,
                 &rs);
  *cl += (rcl - *cl) * back;
  *cd += (rcd - *cd) * back;
  *cm += (rcm - *cm) * back;
}

void anyfoil(float alpha, float* cl, float* cd, float* cm, int w, int r, int p, int e) {
  float a, stretch;
  foil_lookup(alpha, cl, cd, cm, w, r, p, e, &a, &stretch);
  if (!dumping()) return;
  bool slatted = pln.slat[w][e] != 0;
  dump_value("   Finite-wing lift-slope reduction is to", pln.al_D_al0[w], " of infinite.\n");
  if (slatted)
    dump_value("   Alpha-ratio due to slats is", 1.0f / stretch, " at current slat deflection.\n");
  trk << "These coefficients are using the " << (r ? "HIGH" : "LOW")
      << " Reynolds number airfoil,\n";
  trk << "These coefficients are at the " << (p ? "TIP" : "ROOT") << " of the surface.\n";
  dump_value("   At an effective angle of attack (after finite-wing and slat alpha reduction) of", a,
             " degrees:\n");
  float cl_table = slatted ? *cl / stretch : *cl;
  if (std::fabs(a) < 10.0f) {
    trk << "   We use straight-line lift and moment curves to get cl=" << cl_table << " cm=" << *cm
        << "\n";
    dump_value("   We look up drag coefficients in tables to get cd=", *cd);
  } else {
    trk << "   We look up lift, drag, and moment coefficients in tables to get cl=" << cl_table
        << ", cd=" << *cd << ", cm=" << *cm << "\n";
  }
  if (slatted) {
    trk << "   Slats are boosting the resulting lift by " << (stretch - 1.0f) * 100.0f
        << "%, to a value of " << *cl << "\n";
  }
}

// ---- Below Mach 1 ----------------------------------------------------------------------------

// Blends a coefficient measured at Reynolds numbers r0 and r1 (millions) to the flight Reynolds
// number re, held inside the measured span. The two numbers may come in either order, and equal
// numbers leave nothing to blend: the first foil's value stands.
static float reynolds_blend(float re, float r0, float v0, float r1, float v1) {
  float lo = fltmin2(r0, r1), hi = fltmax2(r0, r1);
  if (!(hi - lo > 1.0e-6f)) return v0;
  return interp(r0, v0, r1, v1, fltlim(re, lo, hi));
}

// The coefficients of a surface with a second foil, at the other Reynolds number or at the tip:
// each foil looked up, then blended to the flight Reynolds number and along the span.
static void blended_foils(float alpha, int w, int e, float res[3]) {
  // Coefficients of each foil, [position][Reynolds choice][cl, cd, cm].
  float c[2][2][3] = {};
  anyfoil(alpha, &c[0][0][0], &c[0][0][1], &c[0][0][2], w, 0, 0, e);
  if (pln.diffRe[w]) anyfoil(alpha, &c[0][1][0], &c[0][1][1], &c[0][1][2], w, 1, 0, e);
  if (pln.diffRT[w]) {
    anyfoil(alpha, &c[1][0][0], &c[1][0][1], &c[1][0][2], w, 0, 1, e);
    if (pln.diffRe[w]) anyfoil(alpha, &c[1][1][0], &c[1][1][1], &c[1][1][2], w, 1, 1, e);
  }

  float re = flt.v_el[w][e] * atm.rho * pln.mac[w][e] / con.muair / 1000000.0f;
  float pos[2][3];  // root and tip after the Reynolds blend
  float span = pln.els[w] > 0 ? (e + 0.5f) / pln.els[w] : 0.0f;  // element centre, 0 root 1 tip
  for (int p = 0; p < 2; p++) {
    for (int k = 0; k < 3; k++) {
      pos[p][k] = pln.diffRe[w] ? reynolds_blend(re, pln.Re[w][p][0], c[p][0][k], pln.Re[w][p][1],
                                                 c[p][1][k])
                                : c[p][0][k];
    }
  }
  for (int k = 0; k < 3; k++) {
    res[k] = pln.diffRT[w] ? pos[0][k] + (pos[1][k] - pos[0][k]) * span : pos[0][k];
  }

  if (dumping() && pln.diffRe[w] && pln.diffRT[w]) {
    dump_value("                   flight RE=", re, " million\n");
    dump_value("                   element center=", span * 100.0f, "% of span\n");
    const char* head[3] = {"CL Coeff summary:  ---------- --root--  --tip---\n",
                           "CD Coeff summary:  ---------- --root--  --tip---\n",
                           "CM Coeff summary:  ---------- --root--  --tip---\n"};
    const char* name[3] = {"cl", "cd", "cm"};
    for (int k = 0; k < 3; k++) {
      trk << head[k];
      trk << "                   reyno 1 " << c[0][0][k] << "  " << c[1][0][k] << "\n";
      trk << "                   reyno 2 " << c[0][1][k] << "  " << c[1][1][k] << "\n";
      trk << "                   ---------- --------  --------\n";
      trk << "                   resultant " << name[k] << "=" << pos[0][k] << "  " << pos[1][k]
          << " -> " << res[k] << "\n";
    }
  }
}

void Fco_subsonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int w, int e) {
  float alpha = flt.alpha[w][e];
  float res[3];
  if (!pln.diffRe[w] && !pln.diffRT[w]) {
    // One foil over the whole surface, the common case: nothing to blend.
    if (dumping()) {
      anyfoil(alpha, &res[0], &res[1], &res[2], w, 0, 0, e);
    } else {
      float a, stretch;
      foil_lookup(alpha, &res[0], &res[1], &res[2], w, 0, 0, e, &a, &stretch);
    }
  } else {
    blended_foils(alpha, w, e, res);
  }

  float l = res[0] + dcl, d = res[1] + dcd, m = res[2] + dcm;
  if (dumping()) {
    dump_value("   adding control-effects cl of", dcl);
    dump_value("   adding control-effects cd of", dcd);
    dump_value("   adding control-effects cm of", dcm);
    dump_value("   finite-wing lift   multiplier=", pln.cl_D_cl0[w]);
    dump_value("   finite-wing moment multiplier=", pln.cm_D_cm0[w]);
  }
  l *= pln.cl_D_cl0[w];
  m *= pln.cm_D_cm0[w];

  float span_area = pln.AR[w] * pln.e[w] * con.pi;
  float cdi = span_area > 0.0f ? l * l / span_area : 0.0f;
  bool ground_surface = pln.is_heli ? w == 0 : (w >= PART_WING1_LEFT && w <= PART_HSTAB_RIGHT);
  if (l > 0.0f && ground_surface) {
    if (dumping()) {
      dump_value("   ground effect cdi  multiplier=", flt.CDIgrndeffect[w]);
      dump_value("   ground effect cl   multiplier=", flt.CLgrndeffect[w]);
    }
    cdi *= flt.CDIgrndeffect[w];
    l *= flt.CLgrndeffect[w];
  }
  if (dumping()) dump_value("   adding cdi of", cdi);
  d += cdi;

  // Without a speed of sound (no air) there is no compressibility to speak of.
  float mach = atm.a > 0.0f ? flt.v_el[w][e] / atm.a : 0.0f;
  float mc = mach < 0.0f ? 0.0f : (mach > 0.8f ? 0.8f : mach);
  float pg = 1.0f / std::sqrt(1.0f - mc * mc);
  l *= pg;
  m *= pg;
  if (dumping()) {
    dump_value("   local mach#=", mach);
    dump_value("   Prandtl-Glauert cl mult by", pg);
    dump_value("   Prandtl-Glauert cm mult by", pg);
  }
  float mdd = 0.7f - 0.2f * l;
  if (mach > mdd) {
    float inc = 2.5f * (mc - mdd) * (mc - mdd);
    d += inc;
    if (dumping()) dump_value("   drag divergent mach number exceeded, cd incremented by", inc);
  }
  float dm = -pln.delta_fac[w] * l * 0.25f;
  m += dm;
  if (dumping()) dump_value("   delta-wing moment change adds cm of", dm);

  if (msc.ice > 0.001f) {
    l /= 1.0f + 0.5f * msc.ice;
    d *= 1.0f + 4.0f * msc.ice;
    if (dumping()) dump_text("WARNING! ICE IS CHANGING THE COEFFICIENTS!\n");
  }
  *cl = l;
  *cd = d;
  *cm = m;
  if (dumping()) {
    trk << "   FINAL LOCAL-VELOCITY COEFFICIENTS: cl=" << l << ", cd=" << d << ", cm=" << m << "\n";
  }
}

// ---- From Mach 1 -----------------------------------------------------------------------------

// Adds one panel of a thin double-wedge section: alpha in degrees, share of the chord.
static void supersonic_flatplate(float alpha, float* cl, float* cd, float mach, float share) {
  float a = alpha * con.degtorad;
  float k = 2.0f * a / std::sqrt(mach * mach - 1.0f);
  *cl += k * std::cos(a) * share;
  *cd += k * std::sin(a) * share;
}

void Fco_supersonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int w,
                    int e) {
  float l = 0.0f, d = 0.0f;
  float t = std::atan(pln.trat[w]) * con.radtodeg;  // half wedge angle
  float mach = fltlim(flt.machno, 1.1f, 3.0f);
  float alpha = flt.alpha[w][e];
  supersonic_flatplate(alpha - t, &l, &d, mach, 0.5f);
  supersonic_flatplate(alpha + t, &l, &d, mach, 0.5f);
  supersonic_flatplate(alpha + t, &l, &d, mach, 0.5f);
  supersonic_flatplate(alpha - t, &l, &d, mach, 0.5f);
  d += 0.0005f;  // skin friction
  float m = -0.25f * l;
  if (dumping()) {
    dump_text("   SUPERSONIC COEFFICIENTS:\n");
    dump_value("      alpha =", alpha);
    dump_value("      machno=", flt.machno);
    dump_value("      cl=", l);
    dump_value("      cd=", d);
    dump_value("      cm=", m);
  }
  *cl = l + dcl;
  *cd = d + dcd;
  *cm = m + dcm;
  if (dumping()) {
    dump_text("   WITH CONTROL EFFECTS, WE GET:\n");
    trk << "      with control effect of (" << dcl << "), cl=" << *cl << "\n";
    trk << "      with control effect of (" << dcd << "), cd=" << *cd << "\n";
    trk << "      with control effect of (" << dcm << "), cm=" << *cm << "\n";
  }
}

// ---- Control surfaces ------------------------------------------------------------------------

// Share of the small-deflection lift increment a control keeps at |d| degrees.
static float deflection_loss(float d) {
  static const float deg[7] = {10.0f, 15.0f, 20.0f, 30.0f, 40.0f, 50.0f, 60.0f};
  static const float keep[7] = {1.0f, 0.98f, 0.86f, 0.68f, 0.60f, 0.55f, 0.50f};
  if (d < deg[0]) return 1.0f;
  for (int i = 0; i < 6; i++) {
    if (d < deg[i + 1]) return interp(deg[i], keep[i], deg[i + 1], keep[i + 1], d);
  }
  return 0.5f;
}

void set_con_eff(int w, int kind, float crat, float def, float* dcl, float* dcd, float* dcm,
                 const char* name) {
  float c = crat;
  float l = (1.114f + 14.92f * c - 11.58f * c * c) * con.pi / 180.0f * 0.67f;
  float d = c * 0.003f / 0.25f;
  float m = (0.75f - 0.5f * c) * l;
  if (kind == 13) {  // spoiler
    l *= 2.0f, d *= 2.0f, m *= 0.5f;
  } else if (kind == 15) {  // drag rudder: drag only
    l = 0.0f, d *= 4.0f, m = 0.0f;
  } else if (kind == 14) {  // speed brake
    l *= 0.5f, d *= 2.0f, m = 0.0f;
  }
  if (dumping()) {
    trk << "   " << name << " CHORD SURFACE:\n THEORETICAL RESULTS FOR " << c << "\n";
    dump_value("      cl=", l, " per degree\n");
    dump_value("      cd=", d, " per degree\n");
    dump_value("      cm=", m, " per degree\n");
  }
  l = -def * l;
  d = std::fabs(def) * d;
  m = def * m;
  l *= deflection_loss(std::fabs(def));
  if (flt.stalled[w]) l *= 0.2f;
  if (pln.con_smooth == 1) l *= 0.7f;
  if (pln.con_smooth == 2) l *= 0.85f;
  *dcl = l;
  *dcd = d;
  *dcm = m;
  if (dumping()) {
    dump_text(
        "   AFTER FINITE-DEFLECTION LOSSES, STALLED SURFACE LOSSES, AND FOIL ROUGHNESS LOSSES:\n");
    dump_value("      cl change due to surface is:", l);
    dump_value("      cd change due to surface is:", d);
    dump_value("      cm change due to surface is:", m);
  }
}

float induce_alpha(float cl, int w) {
  if (flt.machno > 1.0f) return 0.0f;
  return cl / (con.pi * fltlim(pln.AR[w], 2.0f, 20.0f)) * con.radtodeg;
}
