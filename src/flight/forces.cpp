// The force pass: the order of its steps, the engines, rockets and puffers, the blade-element
// loop over every wing, stabiliser and fin, the downwash each wing leaves for the next frame, and
// the resolution of all forces into earth-axis accelerations.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// Carried from frame to frame (zero at program start, never cleared by a restart).
static float downwash[NUM_PARTS][MAX_ELS];  // degrees added to each element's angle of attack
static float wash_sum[NUM_PARTS];  // mean lift coefficient x downwash factor of each surface, deg
static int flap_side;  // 0 until drawn; 35: left flaps work after an asymmetric failure, 34 right

void reset_set_a_memory() {
  for (int w = 0; w < NUM_PARTS; w++) {
    wash_sum[w] = 0.0f;
    for (int e = 0; e < MAX_ELS; e++) downwash[w][e] = 0.0f;
  }
  reset_touch_flags();
}

float downwash_now(int w, int e) { return downwash[w][e]; }

// Order: the engines clear and start the sums; the surfaces need the engines' slipstream
// (DVinc); the downwash needs the surfaces' lift; contact needs nothing of the air but must run
// before the crash test reads its verdict; the resolution needs every force.
void set_a() {
  set_a_engines();
  set_a_jato_puffers();
  set_a_surfaces();
  set_a_downwash();
  set_a_bodies();
  set_a_drag_devices();
  set_a_contact();
  set_a_crash();
  set_a_gear_drag();
  set_a_torque_roll();
  set_a_resolve();
}

// ---- Engines, rockets, puffers ---------------------------------------------------------------

void set_a_engines() {
  flt.L = flt.M = flt.N = 0.0f;
  flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0.0f;
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0.0f;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
  // Without air the engines have nothing to work on.
  if (atm.rho > 0.0f) {
    if (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) props();
    if (pln.entype == ENGINE_JET) jets();
  }
}

// Whole degrees of an angle read from the aircraft, truncated; the degree tables fold any value.
static int whole_deg(float a) { return truncate_in(a, -1000000, 1000000); }

void set_a_jato_puffers() {
  if (ins.jato_on) {
    int th = whole_deg(pln.jatotheta);
    addFaprop(pln.jatothrust * icos(th), 0.0f, pln.jatoY);
    addFnprop(pln.jatothrust * isin(th), pln.jatoZ, 0.0f);
    flt.jatoleft -= msc.prd;
    if (flt.jatoleft < 0.0f) ins.jato_on = 0;
    if (dumping()) {
      dump_text("After JATO:\n");
      dump_aero_report();
    }
  }
  if (pln.puffEQ) {
    flt.L += pln.puffL * set.FC_roll;
    flt.M += pln.puffM * set.FC_ptch;
    flt.N += pln.puffN * set.FC_hdng;
    if (dumping()) {
      dump_text("After puffers:\n");
      dump_prop_report();
    }
  }
}

// ---- Blade-element loop ----------------------------------------------------------------------

float propwash_share(int w, int i, float theta) {
  float lo = pln.lo_washdir[w][i], hi = pln.hi_washdir[w][i], mx = pln.max_washdir[w][i];
  if (!(theta > lo && theta < hi)) return 0.0f;
  if (theta < mx) return (theta - lo) / (mx - lo);
  if (theta > mx) return (hi - theta) / (hi - mx);
  return 1.0f;
}

static const char* surface_label(int w) {
  static const char* labels[12] = {"",
                                   "",
                                   "",
                                   "",
                                   "LEFT WING ONE",
                                   "RIGHT WING ONE",
                                   "LEFT WING TWO",
                                   "RIGHT WING TWO",
                                   "LEFT HSTB",
                                   "RIGHT HSTB",
                                   "VERT STAB NUMBER 1",
                                   "VERT STAB NUMBER 2"};
  return labels[w];
}

static bool is_left(int w) {
  return w == PART_WING1_LEFT || w == PART_WING2_LEFT || w == PART_HSTAB_LEFT;
}

// Coefficient increments of the control surfaces and flaps of element e of surface w, and the
// angle-of-attack shift of those that change the lift.
static void control_increments(int w, int e, float* dcl, float* dcd, float* dcm, float* dal) {
  float l = 0.0f, d = 0.0f, m = 0.0f, a = 0.0f;
  float il, id, im;
  auto add = [&](bool shifts) {
    l += il, d += id, m += im;
    if (shifts) a += induce_alpha(il, w);
  };
  bool left = is_left(w);
  if (w >= PART_WING1_LEFT && w <= PART_WING2_RIGHT) {
    if (pln.ailn[w][e]) {
      set_con_eff(w, 12, pln.ailn_crat, left ? flt.lailndef : flt.railndef, &il, &id, &im,
                  "AILERON");
      add(true);
    }
    if (pln.splr[w][e]) {
      set_con_eff(w, 13, pln.splr_crat, left ? flt.lsplrdef : flt.rsplrdef, &il, &id, &im,
                  "SPOILER");
      add(false);
    }
    if (pln.sbrk[w][e] && flt.sbrk > 0.0f) {
      set_con_eff(w, 14, pln.sbrk_crat, flt.sbrk * pln.sbrk_def * 0.5f, &il, &id, &im,
                  "SPEEDBRAKE");
      add(false);
    }
    if (pln.drud[w][e]) {
      set_con_eff(w, 15, pln.drud_crat, left ? flt.ldruddef : flt.rdruddef, &il, &id, &im,
                  "DRAG-RUDDER");
      add(true);
    }
  }
  if ((w == PART_HSTAB_LEFT || w == PART_HSTAB_RIGHT) && pln.hstabtype == 0 && pln.elev[w][e]) {
    set_con_eff(w, 12, pln.elev_crat, w == PART_HSTAB_LEFT ? flt.lhstbdef : flt.rhstbdef, &il, &id,
                &im, "ELEVATOR");
    add(true);
  }
  if ((w == PART_VSTAB1 || w == PART_VSTAB2) && pln.rudd[w][e]) {
    set_con_eff(w, 12, pln.rudd_crat, flt.ruddef, &il, &id, &im, "RUDDER");
    add(true);
  }
  // After an asymmetric-flap failure only the drawn side's flaps still move.
  bool side_works = rel.symflp || (flap_side == 35 && left) || (flap_side == 34 && !left);
  if (pln.flap[w][e] && flt.flap > 0 && side_works) {
    int k = intlim(flt.flap, 0, FLAP_ROWS - 1);
    l += pln.clflap[k], d += pln.cdflap[k], m += pln.cmflap[k];
    a += induce_alpha(pln.clflap[k], w);
    if (dumping()) {
      trk << "   FLAP COEFF INC: cl incmntd by " << pln.clflap[k] << ", cd incmntd by "
          << pln.cdflap[k] << ", cm incmntd by " << pln.cmflap[k] << ". (def=" << k * 0.02f
          << ", 1=full deployment)\n\n";
    }
  }
  *dcl = l, *dcd = d, *dcm = m, *dal = a;
}

// One surface's geometry for the loop: its side, dihedral and the direction of its span.
struct surface_frame {
  float s, sd, cd;    // side sign, signed sine and cosine of the dihedral
  float ux, uy, uz;   // unit step along the span (dihedral and current sweep)
  float vn;           // airspeed normal to the swept span, m/s
  float behind;       // 180 when the air comes from behind, else 0
  float alpha, beta;  // angle of attack and sideslip, from the tail-first line when behind
  const float* wash_dir;  // direction of each disc's wash, degrees from horizontal
};

// The local flow, control increments and forces of element e of surface w.
static void one_element(int w, int e, const surface_frame& f, float* wsum) {
  float sd = f.sd, cd = f.cd, vn = f.vn;
  float r = get_wing_rarm(w, e);
  float x = pln.Xarm[w] + r * f.ux, y = pln.Yarm[w] + r * f.uy, z = pln.Zarm[w] + r * f.uz;
  float rad = con.degtorad;

  // Geometric angle and the flow in the element's section plane.
  float a0 = pln.anginc[w][e] + f.behind + f.alpha * cd - f.beta * sd;
  flt.deldir[w][e] = -a0;
  float u = std::cos(a0 * rad) * vn;  // aft
  float n = std::sin(a0 * rad) * vn;  // along the surface's own normal
  if (dumping()) {
    trk << "ELEMENT #" << e << "\n";
    dump_value("   element x=", x, " m\n");
    dump_value("   element y=", y, " m\n");
    dump_value("   element z=", z, " m\n");
    trk << "   After incidence, dihedral, and sweep, alpha=" << a0 << " deg, V=" << vn << " m/s.\n";
    trk << "   vector form,  BEFORE aircraft rotational velocities: V=" << u
        << " m/s axial, pos aft, " << n << " m/s normal, pos up.\n";
  }

  // Rotation. The sideways part of the rotation flow acts along a surface's normal with the sign
  // of its side: the normal of a right-hand surface with dihedral leans left, that of a
  // left-hand surface leans right, so the signed sine of the dihedral carries it.
  u = u - y * flt.Qrad - x * flt.Rrad;
  n = n + (z * flt.Qrad + x * flt.Prad) * cd + (y * flt.Prad - z * flt.Rrad) * sd;
  if (dumping()) {
    trk << "   vector form,  AFTER  aircraft rotational velocities: V=" << u
        << " m/s axial, pos aft, " << n << " m/s normal, pos up.\n";
  }

  // Slipstream of the propellers whose disc lies ahead of this element.
  if (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) {
    int engines = intlim(pln.numen, 0, MAX_ENGINES);
    for (int i = 0; i < engines; i++) {
      if (!pln.in_propwash[w][i][e]) continue;
      float dv = flt.DVinc[i];
      if (w == PART_VSTAB1 || w == PART_VSTAB2) {
        u += dv;
        if (dumping()) dump_value("   Axial speed increment due propwash is", dv, " m/s.\n");
        continue;
      }
      float theta = f.wash_dir[i];
      float share = propwash_share(w, i, theta);
      float inc = dv * share;
      u += pln.cos_vertcant[i] * inc;
      n -= pln.sin_vertcant[i] * inc;
      if (dumping()) {
        trk << "   The propwash from engine #" << i + 1 << " is at an angle of " << theta
            << " degrees. (0=horizontal)\n";
        trk << "   This causes " << 100.0f * share
            << "% of the total propwash to act on the surface.\n";
        dump_value("   The speed increment due to propwash is therefore", inc, " m/s.\n");
        trk << "   Vector form AFTER propwash is: V=" << u << " m/s axial, " << n
            << " m/s normal.\n";
      }
    }
  }

  // Local speed and angle, with last frame's downwash.
  flt.v_el[w][e] = pythag(u, n);
  float alpha = std::atan2(n, u) * con.radtodeg + downwash[w][e];
  flt.deldir[w][e] += alpha;
  if (dumping()) {
    dump_value("   The alpha increment due to downwash is", downwash[w][e], " degrees.\n");
    trk << "   The surface is therefore at an alpha of " << alpha << " degrees while at "
        << flt.v_el[w][e] << " m/s.\n";
    dump_value(
        "   The change in infinite flow direction due to rotation rates, propwash, and downwash is",
        flt.deldir[w][e], " degrees.\n");
  }

  if ((w == PART_HSTAB_LEFT || w == PART_HSTAB_RIGHT) && pln.hstabtype == 1) {
    float def = w == PART_HSTAB_LEFT ? flt.lhstbdef : flt.rhstbdef;
    alpha -= def;
    if (dumping()) dump_value("   alpha increment due hstab def=", -def, " degrees.\n");
  }
  if ((w == PART_HSTAB_LEFT || w == PART_HSTAB_RIGHT) && pln.flyingstabEQ) {
    // A stabiliser behind the reference point trims nose-up by lowering its angle; a canard by
    // raising it.
    float k = pln.Zarm[8] >= 0.0f ? -1.0f : 1.0f;
    alpha += flt.trim * k;
    if (dumping()) dump_value("   alpha increment due hstab trim=", flt.trim * k, " degrees.\n");
  }
  flt.alpha[w][e] = alpha;
  if (dumping()) {
    trk << "   Finally, surface is at an alpha of " << alpha << " deg while at " << flt.v_el[w][e]
        << " m/s.\n";
  }

  float dcl, dcd, dcm, dal;
  control_increments(w, e, &dcl, &dcd, &dcm, &dal);
  flt.alpha[w][e] += dal;
  if (dumping()) {
    dump_value("   Effective alpha increased", dal,
               " degrees by all combined lift-incrementation devices.\n");
  }

  float lift, drag, moment;
  float c = F_el_force(dcl, dcd, dcm, &lift, &drag, &moment, w, e);
  addFaero(-drag, -lift * sd, lift * cd, z, x, y);
  flt.M += moment * cd;
  flt.N -= moment * sd;
  *wsum += pln.spec_wash[w] * c;
  if (dumping()) dump_aero_report();
}

void set_a_surfaces() {
  if (flap_side == 0) flap_side = intrand(34, 35);
  // The direction of each disc's wash, the same for every element it reaches: worked out once.
  float wash_dir[MAX_ENGINES] = {};
  for (int i = 0; i < intlim(pln.numen, 0, MAX_ENGINES); i++) {
    float dv = flt.DVinc[i];
    wash_dir[i] = std::atan2(flt.av * flt.sinalph - pln.sin_vertcant[i] * dv,
                             flt.av * flt.cosalph + pln.cos_vertcant[i] * dv) *
                  con.radtodeg;
  }
  // Flying tail first, the angle of attack and the sideslip both read about 180 degrees and the
  // sections meet the air from behind, turned by the small angles off the tail-first line. Taking
  // the whole sideslip would turn a wing with dihedral by 180 times its sine, one side up and the
  // other down.
  float behind = 0.0f, alpha = flt.Alpha, beta = flt.Beta;
  if (std::fabs(alpha) > 90.0f) {
    behind = 180.0f;
    alpha += alpha > 0.0f ? -180.0f : 180.0f;
    if (std::fabs(beta) > 90.0f) beta += beta > 0.0f ? -180.0f : 180.0f;
  }
  for (int w = PART_WING1_LEFT; w <= PART_VSTAB2; w++) {
    // A surface that is gone sheds no wake: its wash must not linger in the next frames.
    if (!have_this_part(w)) {
      wash_sum[w] = 0.0f;
      continue;
    }
    surface_frame f;
    f.wash_dir = wash_dir;
    f.behind = behind, f.alpha = alpha, f.beta = beta;
    f.s = is_left(w) ? -1.0f : 1.0f;
    int dih = pln.dihed[w];
    f.sd = f.s * isin(dih), f.cd = icos(dih);
    // The element centres lie along one line from the root: one metre along it, found once.
    f.ux = get_wing_Xarm(w, 1.0f) - pln.Xarm[w];
    f.uy = get_wing_Yarm(w, 1.0f) - pln.Yarm[w];
    f.uz = get_wing_Zarm(w, 1.0f) - pln.Zarm[w];
    // The flow's climb or sink runs along a surface with dihedral and sweeps it further, and
    // its sideways part turns it; both vanish flying tail first.
    float sweep = std::fabs(f.sd) * same_sine_angle(flt.Alpha) + pln.sweepnow[w] +
                  f.s * same_sine_angle(flt.Beta) * f.cd;
    f.vn = std::fabs(std::cos(sweep * con.degtorad) * flt.av);
    if (dumping()) dump_banner(surface_label(w));

    float wsum = 0.0f;
    int els = intlim(pln.els[w], 0, MAX_ELS);
    for (int e = 0; e < els; e++) one_element(w, e, f, &wsum);

    wash_sum[w] = els > 0 ? wsum / els : 0.0f;
    // A stalled wing sheds a pulsing wake.
    if (flt.stalled[w]) wash_sum[w] *= std::fabs(std::sin(2.0f * msc.elap_time));
  }
}

void set_a_downwash() {
  for (int t = PART_WING1_LEFT; t <= PART_HSTAB_RIGHT; t++) {
    for (int e = 0; e < MAX_ELS; e++) downwash[t][e] = 0.0f;
  }
  for (int s = PART_WING1_LEFT; s <= PART_HSTAB_RIGHT; s++) {
    float ws = wash_sum[s];
    if (ws == 0.0f) continue;  // sheds nothing (absent, or no downwash factor)
    for (int t = PART_WING1_LEFT; t <= PART_HSTAB_RIGHT; t++) {
      for (int e = 0; e < MAX_ELS; e++) {
        if (pln.in_wash[s][t][e]) downwash[t][e] -= ws;
      }
    }
  }
}

// ---- Earth axes and accelerations ------------------------------------------------------------

// Friction that follows the speed (it must, to bring a wheel to rest without pushing it back) lets
// an aircraft on its brakes creep forward under power, some metres a minute at a run-up. Wheels
// that are standing still stay still while what pushes the aircraft across the ground (the air
// and the engines) is within what their friction can hold, and while this frame's speed is
// within what they can take off in a frame besides. Both main wheels must hold: one wheel braked
// alone lets the aircraft pivot about it. Skids hold the same way, both of them bearing. On a
// ship's deck the aircraft is held to the deck, which moves as the ship rolls and pitches: the
// speeds are taken relative to it (deck_vx, deck_vz).
// What the wheels and skids bearing on the surface can hold, N; 0 when they cannot hold the
// aircraft at all.
static float ground_grip() {
  if (!flt.onsurface || flt.cat_stage == 3 || flt.cat_stage == 4 || msc.prd <= 0.0f) return 0.0f;
  const float mains = fltmin2(flt.gearhold[1], flt.gearhold[2]);
  const float skids = fltmin2(flt.skidhold[0], flt.skidhold[1]);
  if (mains <= 0.0f && skids <= 0.0f) return 0.0f;
  return (mains > 0.0f ? flt.gearhold[0] + 2.0f * mains : 0.0f) + 2.0f * skids;
}

static bool held_by_wheels(float push_north, float push_east, float m, float deck_vx,
                           float deck_vz) {
  const float grip = ground_grip();
  if (grip <= 0.0f) return false;
  const float speed = static_cast<float>(std::hypot(flt.vX - deck_vx, flt.vZ - deck_vz));
  return pythag(push_north, push_east) + m * speed / msc.prd <= grip;
}

// Below 1 m/s the friction follows the speed, so a steady push within what the wheels or skids
// hold is balanced at a creep instead of being held: a helicopter that ran on and slowed to a stop
// on its skids slid on across the ground for ever at a few metres a minute, never slow enough for
// the hold to take it. Sliding that slowly, the friction acts with all its grip against the motion
// (without reversing it within the frame), so the aircraft comes to rest and is held.
static void stop_creeping(float push_north, float push_east, float m, float deck_vx, float deck_vz,
                          float* north, float* east) {
  const float grip = ground_grip();
  if (grip <= 0.0f || pythag(push_north, push_east) > grip) return;
  const float ve = static_cast<float>(flt.vX - deck_vx), vn = static_cast<float>(flt.vZ - deck_vz);
  const float speed = pythag(ve, vn);
  if (!(speed > 0.0f) || speed >= 1.0f) return;
  const float ue = ve / speed, un = vn / speed;
  const float along = *east * ue + *north * un;
  const float coulomb = fltmax2(push_east * ue + push_north * un - grip, -m * speed / msc.prd);
  if (along <= coulomb) return;
  *east += (coulomb - along) * ue;
  *north += (coulomb - along) * un;
}

void set_a_resolve() {
  // Ground forces: level frame along the heading.
  float sp = flt.sinpsi, cp = flt.cospsi;
  const float gear_north = flt.faxilgear * cp - flt.fsidegear * sp;
  const float gear_east = flt.faxilgear * sp + flt.fsidegear * cp;
  float north = gear_north, east = gear_east;
  float up = flt.fnrmlgear;

  // Aerodynamic forces: wind axes along the path through the air, banked with the aircraft.
  float sg = flt.sinavpath, cg = flt.cosavpath;
  float sh = flt.sinahpath, ch = flt.cosahpath;
  float sf = flt.sinphi_path, cf = flt.cosphi_path;
  float fa = flt.faxilaero, fs = flt.fsideaero, fn = flt.fnrmlaero;
  north += fa * cg * ch + fs * (sf * sg * ch - cf * sh) - fn * (cf * sg * ch + sf * sh);
  east += fa * cg * sh + fs * (sf * sg * sh + cf * ch) - fn * (cf * sg * sh - sf * ch);
  up += fa * sg - fs * sf * cg + fn * cf * cg;

  // Propulsive forces: body axes.
  float st = flt.sinthe, ct = flt.costhe, sb = flt.sinphi, cb = flt.cosphi;
  fa = flt.faxilprop, fs = flt.fsideprop, fn = flt.fnrmlprop;
  north += fa * ct * cp + fs * (sb * st * cp - cb * sp) - fn * (cb * st * cp + sb * sp);
  east += fa * ct * sp + fs * (sb * st * sp + cb * cp) - fn * (cb * st * sp - sb * cp);
  up += fa * st - fs * sb * ct + fn * cb * ct;

  // Ice adds mass in proportion to its load.
  float k = 1.0f + msc.ice;
  float m = flt.m_total * k;
  float deck_vx, deck_vz;
  deck_velocity(&deck_vx, &deck_vz);
  stop_creeping(north - gear_north, east - gear_east, m, deck_vx, deck_vz, &north, &east);
  flt.aX = east / m;
  flt.aZ = north / m;
  flt.aY = up / m - atm.g;

  // The deck under the aircraft moves as the ship rolls and pitches; what is held on it, by the
  // shuttle or by its own wheels, moves with it.
  if (flt.cat_stage == 3) {
    flt.vX = deck_vx;
    flt.vZ = deck_vz;
  } else if (flt.cat_stage == 4) {
    // The launch reaches the estimated stall speed in 100 m along the deck's 2-degree heading.
    // There the shuttle's stroke ends and it lets the aircraft go: from then on its own forces
    // fly it, or the pull would go on for ever, past any speed the aircraft can stand.
    if (std::hypot(flt.vX, flt.vZ) >= msc.est_Vs) {
      flt.cat_stage = 5;
    } else {
      float a = msc.est_Vs * msc.est_Vs / 200.0f;
      flt.aX = isin(2) * a;
      flt.aZ = icos(2) * a;
    }
  }

  float mk2 = flt.m_total * k * k;
  flt.Pdot = flt.L / (pln.Jzz_unitmass * mk2) * con.radtodeg;
  flt.Qdot = flt.M / (pln.Jxx_unitmass * mk2) * con.radtodeg;
  flt.Rdot = flt.N / (pln.Jyy_unitmass * mk2) * con.radtodeg;

  if (held_by_wheels(north - gear_north, east - gear_east, m, deck_vx, deck_vz)) {
    flt.vX = deck_vx;
    flt.vZ = deck_vz;
    flt.aX = flt.aZ = 0.0f;
    flt.R = flt.Rrad = flt.Rdot = 0.0f;
  }

  if (dumping()) {
    dump_value("f_axial =", flt.faxilprop, " N (prop)\n");
    dump_value("f_side  =", flt.fsideprop, " N (prop)\n");
    dump_value("f_normal=", flt.fnrmlprop, " N (prop)\n");
    dump_value("f_axial =", flt.faxilaero, " N (aero)\n");
    dump_value("f_side  =", flt.fsideaero, " N (aero)\n");
    dump_value("f_normal=", flt.fnrmlaero, " N (aero)\n");
    dump_value("f_axial   =", flt.faxilgear, " N (gear)\n");
    dump_value("f_side    =", flt.fsidegear, " N (gear)\n");
    dump_value("f_vertical=", flt.fnrmlgear, " N (gear)\n");
    dump_value("f_north=", north, " N\n");
    dump_value("f_east =", east, " N\n");
    dump_value("f_up   =", up, " N\n");
    dump_value("f_x=", east, " N\n");
    dump_value("f_y=", up, " N\n");
    dump_value("f_z=", north, " N\n");
    dump_value("L (roll) =", flt.L, " N-m\n");
    dump_value("M (pitch)=", flt.M, " N-m\n");
    dump_value("N (yaw)  =", flt.N, " N-m\n");
    dump_value("a_x=", flt.aX, " m/ss\n");
    dump_value("a_y=", flt.aY, " m/ss\n");
    dump_value("a_z=", flt.aZ, " m/ss\n");
    dump_value("Pdot (roll) =", flt.Pdot, " deg/ss\n");
    dump_value("Qdot (pitch)=", flt.Qdot, " deg/ss\n");
    dump_value("Rdot (yaw)  =", flt.Rdot, " deg/ss\n");
  }
}
