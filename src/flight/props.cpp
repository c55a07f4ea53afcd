// Propellers and helicopter rotors: each disc ring by ring at four blade positions with the
// coefficient model of the wings, the disc and ring wash, pitch and rotor-speed governing, and the
// rotor speed that the engine torque and the disc's drag torque leave.
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "flight/local.h"
#include "shared/shared.h"
#include "weather/weather.h"

// The helicopter's main-rotor roll and pitch moments, filtered over about a second so that the
// four-position disc model does not shake the airframe. Zero when the program starts.
static float filt_L, filt_M;

void reset_props() { filt_L = filt_M = 0.0f; }

// The hub's velocity through the air in body axes (x right, y up, z aft), m/s: the aircraft's
// own plus what the rotation adds at the hub (x, y, z).
static void hub_velocity(float x, float y, float z, float h[3]) {
  h[0] = flt.vbody[0] + flt.Prad * y - flt.Rrad * z;
  h[1] = flt.vbody[2] - flt.Prad * x - flt.Qrad * z;
  h[2] = -flt.vbody[1] + flt.Qrad * y + flt.Rrad * x;
}

// Translational lift: a rotor moving through the air meets fresh air and needs less induced
// speed. The factor falls from 1 to 0.6 across a band of airspeed (knots).
static float translational_factor(float lo_kts) {
  float kts = flt.av * con.msctokts;
  return fltlim(interp(lo_kts, 1.0f, lo_kts + 4.0f, 0.6f, kts), 0.6f, 1.0f);
}

// A force T along disc i's axis acting at (px, py, pz), split into the body axes by the
// engine's cants.
static void push_along_axis(int i, float T, float px, float py, float pz) {
  const float cv = pln.cos_vertcant[i], sv = pln.sin_vertcant[i];
  const float cs = pln.cos_sidecant[i], ss = pln.sin_sidecant[i];
  addFaprop(T * cv * cs, px, py);
  addFsprop(T * ss, pz, py);
  addFnprop(T * sv * cs, pz, px);
}

static const char* const clock_name[4] = {"12", "3", "6", "9"};

static void dump_disc_header(int i) {
  if (pln.is_heli)
    trk << (i == 0 ? "\nMAIN ROTOR:\n" : "\nTAIL ROTOR:\n");
  else
    trk << "\nPROPELLER #" << i + 1 << ":\n";
}

void aprop(int i, float z, float x, float y) {
  const int dump = set.cycout;
  const bool tail_rotor = pln.is_heli && i == 1;
  const float sv = pln.sin_vertcant[i], cv = pln.cos_vertcant[i];

  // The flow at the hub: V along the disc axis, against the thrust; edge and side in the disc
  // plane, towards 12 and 3 o'clock. The tail rotor's blades meet no edgewise flow in this
  // model, at every position alike, so that it neither takes nor gives power through it.
  const float ss = pln.sin_sidecant[i], cs = pln.cos_sidecant[i];
  float h[3];
  hub_velocity(x, y, z, h);
  const float V = h[0] * ss + (h[1] * sv - h[2] * cv) * cs;
  const float edge = tail_rotor ? 0.0f : -(h[1] * cv + h[2] * sv);
  const float side = tail_rotor ? 0.0f : -h[0];

  // Wash behind the disc from last frame's thrust, lagged by about a second. The divisor never
  // sees less than 5 m/s of flow; a disc without area has no wash.
  const float rho = atm.rho;
  const float prd = msc.prd;
  float den = pln.discarea[i] * rho * std::fabs(fallout(V + flt.DVinc[i], -5.0f, 5.0f));
  flt.DVinc[i] = (1.0f - prd) * flt.DVinc[i] + (den > 0.0f ? flt.thrust[i] * prd / den : 0.0f);

  flt.Dtq[i] = 0.0f;
  flt.thrust[i] = 0.0f;
  const int d = pln.propdir[i] > 0;
  const float dir = static_cast<float>(pln.propdir[i]);
  const float blades = pln.numblades[i];
  // The in-plane flow each position's blade meets, for the clockwise sense seen from behind: at
  // 12 o'clock it moves towards 3, at 3 towards 6, and so on; the other sense the opposite.
  const float meets[4] = {d ? -side : side, d ? edge : -edge, d ? side : -side,
                          d ? -edge : edge};
  // Blade angle offsets of the cyclic at 12, 3, 6 and 9 o'clock; a tail rotor has none.
  const float ail = tail_rotor ? 0.0f : flt.ailncyclic, elv = tail_rotor ? 0.0f : flt.elevcyclic;
  const float cyclic[4] = {-dir * ail, dir * elv, dir * ail, -dir * elv};
  const float wash_c = !pln.is_heli ? 1.0f : translational_factor(tail_rotor ? 19.0f : 13.0f);
  if (dump) dump_disc_header(i);

  float edge_force = 0.0f, side_force = 0.0f;  // in-plane forces towards 12 and 3 o'clock, N
  // The rings' thrust, and the couples of their thrusts towards 12 and 3 o'clock, N and N m.
  float ring_sum = 0.0f, couple_12 = 0.0f, couple_3 = 0.0f;
  const int els = intlim(pln.els[i], 0, MAX_ELS);
  for (int e = 0; e < els; e++) {
    const float u = V + flt.ringDVinc[i][e];
    const float p0 = pln.anginc[i][e] + flt.proppitch[i];
    const float r = get_wing_rarm(i, e);
    float T[4];
    for (int k = 0; k < 4; k++) {
      const float t = flt.tac[i] * r + meets[k];
      const float v = std::sqrt(u * u + t * t);
      flt.v_el[i][e] = v;
      flt.deldir[i][e] = fast_atan2_deg(-u, t);
      const float blade = p0 + cyclic[k];
      flt.alpha[i][e] = flt.deldir[i][e] + blade;
      if (dump) {
        trk << "\n"
            << clock_name[k] << " O'CLOCK AS SEEN FROM AFT LOOKING FORWARDS, ELEMENT #" << e
            << ":\n"
            << "   speed in the plane of the prop disk due to rotation of the propeller:" << t
            << " m/s\n"
            << "   total segment speed (includes speed in the plane of AND speed normal to the "
               "prop disk):"
            << flt.v_el[i][e] << " m/s\n"
            << "   governor prop pitch:" << flt.proppitch[i] << " degrees\n"
            << "   incidence this segment:" << pln.anginc[i][e] << " degrees\n"
            << "   pitch before cyclic deflections:" << p0 << " degrees\n"
            << "   final pitch (after cyclic defs):" << blade << " degrees\n"
            << "   incoming airspeed thru this part of disc:" << u << " m/s\n"
            << "   corkscrew path from disk:" << flt.deldir[i][e] << " degrees. (-arctan(" << u
            << " m/s/" << t << " m/s))\n"
            << "   blade element angle of attack:" << flt.alpha[i][e] << " degrees\n";
      }
      // Lift comes back along the disc axis and drag in the disc plane, because the coefficient
      // model turns both through the corkscrew angle deldir.
      float lift, drag, moment;
      // The corkscrew angle's cosine and sine straight from the flow; a blade at rest in still
      // air is turned through nothing.
      const float c = v > 0.0f ? t / v : 1.0f, sn = v > 0.0f ? -u / v : 0.0f;
      F_el_force_turned(0.0f, 0.0f, 0.0f, c, sn, &lift, &drag, &moment, i, e);
      flt.Dtq[i] += blades * r * drag * 0.25f;
      T[k] = blades * lift * 0.25f;
      // A blade's drag pushes the hub the way the blade is going against the air: the blade
      // meeting the in-plane flow drags harder than the one going with it, and the difference
      // pushes the hub along the flow.
      const float f = drag * blades * 0.25f;
      if (k == 0) side_force += d ? -f : f;
      if (k == 1) edge_force += d ? f : -f;
      if (k == 2) side_force += d ? f : -f;
      if (k == 3) edge_force += d ? -f : f;
      if (dump) {
        trk << "   drag=" << drag << " N, RUNNING TOTAL drag on prop=" << flt.Dtq[i] << " N-m.\n\n"
            << "   EFFECT: (after multiplying by #blades/4) thrust=" << T[k] << " N\n";
      }
    }

    flt.ringthrust[i][e] = T[0] + T[1] + T[2] + T[3];
    ring_sum += flt.ringthrust[i][e];
    if (!tail_rotor) {
      // A blade's lift tilts the disc a quarter turn later (gyroscopic precession), so each
      // position's thrust acts at the next quarter in the sense of rotation: at 12 o'clock the
      // thrust found at 9 (or 3), and so on. Four thrusts r from the hub are their sum at the hub
      // and two couples, gathered over the rings and applied once below.
      const float t12 = d ? T[3] : T[1], t3 = d ? T[0] : T[2];
      const float t6 = d ? T[1] : T[3], t9 = d ? T[2] : T[0];
      couple_12 += (t12 - t6) * r;
      couple_3 += (t3 - t9) * r;
    }

    // Induced speed through the ring by momentum balance, lagged by about a second. The flow
    // through the ring is at least 1 m/s in the divisor; a ring without area has no wash.
    const float Vp = fltmax2(V, 0.0f);
    const float w = std::fabs(fallout(flt.ringDVinc[i][e] + Vp, -1.0f, 1.0f));
    const float rden = pln.ringarea[i][e] * rho * w;
    flt.ringDVinc[i][e] = (1.0f - prd) * flt.ringDVinc[i][e] +
                          (rden > 0.0f ? flt.ringthrust[i][e] * prd / rden / 2.0f * wash_c : 0.0f);
    if (dump) {
      trk << "   thrust=" << flt.ringthrust[i][e]
          << " N, propwash speed increment thru ring=" << flt.ringDVinc[i][e] << " m/s.\n";
    }
  }
  // The thrust: the whole at the hub, each couple as a force a metre out towards its o'clock
  // against the same force at the hub.
  flt.thrust[i] = ring_sum;
  push_along_axis(i, ring_sum, x, y, z);
  if (couple_12 != 0.0f) {
    push_along_axis(i, couple_12, x, y + cv, z + sv);
    push_along_axis(i, -couple_12, x, y, z);
  }
  if (couple_3 != 0.0f) {
    push_along_axis(i, couple_3, x + 1.0f, y, z);
    push_along_axis(i, -couple_3, x, y, z);
  }
  // The in-plane forces at the hub: drag along the flow for a rotor in forward flight, the
  // normal force of a propeller at an angle of attack or in a sideslip. Without them the disc
  // would take power from the in-plane flow through its torque and give none back as drag: a
  // rotor in autorotation would gain energy.
  addFaprop(-edge_force * sv, x, y);
  addFnprop(edge_force * cv, z, x);
  addFsprop(side_force, z, y);
}

// Constant-speed, governed or fixed pitch, the gyroscopic moments of the spinning disc, and the
// new disc speed for an aeroplane's engine i.
static void spin_propeller(int i) {
  const float prd = msc.prd;
  // A disc without inertia (no blades described) cannot be accelerated; it keeps its speed.
  const float a = pln.miprop[i] > 0.0f ? (flt.trq[i] - flt.Dtq[i]) / pln.miprop[i] : 0.0f;
  if (pln.collectEQ) {
    if (rel.thrgov[i])
      flt.throrequest[i] =
          fltlim(flt.throrequest[i] + ((pln.omegamax - flt.tac[i]) * 0.5f - a) * prd, 0.0f, 1.0f);
    else
      flt.throrequest[i] = 1.0f;
  } else if (pln.varpitchEQ) {
    if (pln.revthrustEQ && flt.revving_thrust[i]) {
      flt.proppitch[i] = -15.0f;
    } else {
      // The governor coarsens the blades while the disc turns faster than asked.
      float p = flt.proppitch[i] + ((flt.tac[i] - flt.prop[i]) * 0.3f + a * 0.1f) * prd;
      flt.proppitch[i] = fltlim(p, pln.minpitch[i], pln.maxpitch[i]);
    }
  } else {
    flt.proppitch[i] = 0.0f;
  }
  flt.M -= pln.miprop[i] * flt.tac[i] * flt.Qrad;
  flt.N -= pln.miprop[i] * flt.tac[i] * flt.Prad;
  flt.tac[i] += a * prd;
  if (!rel.oilpmp[i]) flt.tac[i] *= (rel.oil_rat + 9.0f) / 10.0f;
}

static void props_aeroplane_step() {
  const int n = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < n; i++) {
    apropengine(i);
    aprop(i, pln.Zarm[i], pln.Xarm[i], pln.Yarm[i]);
  }
  // The surfaces read the second wash slot too; with one engine it mirrors the first.
  if (n == 1) flt.DVinc[1] = flt.DVinc[0];
  for (int i = 0; i < n; i++) spin_propeller(i);
}

// The longest step the disc speed, its pitch governor and the ring wash are taken in, s. The disc's
// drag torque climbs steeply with its speed, and a step much longer than this overshoots: at the
// longest frames a constant-speed propeller's speed swings ever wider (below zero on a large
// turboprop) instead of settling where the governor holds it.
static const float PROP_STEP_MAX = 0.01f;

// Steps no longer than PROP_STEP_MAX are taken as they come. A longer one is flown in equal
// pieces, the airframe held as it is, and the forces and moments the discs gave over them are
// averaged into the accumulators; the cycle dump covers the first piece only.
static void props_aeroplane() {
  const float prd = msc.prd;
  if (!(prd > PROP_STEP_MAX)) {
    props_aeroplane_step();
    return;
  }
  const int pieces = static_cast<int>(std::ceil(fltmin2(prd / PROP_STEP_MAX, 100.0f)));
  float* const acc[6] = {&flt.faxilprop, &flt.fsideprop, &flt.fnrmlprop, &flt.L, &flt.M, &flt.N};
  float before[6], sum[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  for (int k = 0; k < 6; k++) before[k] = *acc[k];
  const int dump = set.cycout;
  msc.prd = prd / static_cast<float>(pieces);
  for (int p = 0; p < pieces; p++) {
    for (int k = 0; k < 6; k++) *acc[k] = 0.0f;
    props_aeroplane_step();
    for (int k = 0; k < 6; k++) sum[k] += *acc[k];
    set.cycout = 0;
  }
  set.cycout = dump;
  msc.prd = prd;
  for (int k = 0; k < 6; k++) *acc[k] = before[k] + sum[k] / static_cast<float>(pieces);
}

// A damping coefficient c (N m per rad/s) on an axis of inertia I, limited to what a step of dt
// can take without reversing the rate: at most I / dt.
static float rate_damping(float c, float I, float dt) {
  return dt > 0.0f && I > 0.0f ? fltmin2(c, I / dt) : c;
}

static void props_helicopter() {
  const float prd = msc.prd;
  const int n = intlim(pln.numen, 0, 2);
  float Q = 0.0f;
  for (int i = 0; i < n; i++) {
    apropengine(i);
    Q += flt.trq[i];
  }

  aprop(0, pln.Zarm[0], pln.Xarm[0], pln.Yarm[0]);
  flt.L = flt.L * prd + filt_L * (1.0f - prd);
  flt.M = flt.M * prd + filt_M * (1.0f - prd);
  filt_L = flt.L;
  filt_M = flt.M;

  aprop(1, pln.Zarm[1], pln.Xarm[1], pln.Yarm[1]);

  // Both discs are geared together. Seen from the main shaft, the tail rotor's drag torque is
  // multiplied by the gearing (it turns that much faster for the same power) and its inertia by
  // the gearing squared (its spin energy), so that the rotors' energy changes by exactly the
  // engine's power less the power both discs give the air.
  const float rat = pln.trotor_rat;
  const float inertia = pln.miprop[0] + pln.miprop[1] * rat * rat;
  const float a = inertia > 0.0f ? (Q - flt.Dtq[0] - flt.Dtq[1] * rat) / inertia : 0.0f;
  flt.tac[0] += a * prd;
  flt.tac[1] = rel.trotor ? flt.tac[0] * pln.trotor_rat : 1.0f;

  // Without a collective lever, and always for turbines, the governor works the throttles to hold
  // rated rotor speed.
  if (!set.eq_col || pln.entype == ENGINE_TURBOPROP) {
    for (int i = 0; i < n; i++) {
      if (rel.thrgov[i])
        flt.throrequest[i] =
            fltlim(flt.throrequest[i] + ((pln.omegamax - flt.tac[0]) * 0.5f - a) * prd, 0.0f, 1.0f);
      else
        flt.throrequest[i] = 1.0f;
    }
  }
  // The spinning rotor resists being tilted whichever way it turns: driven backwards by the air
  // it must still damp the roll and pitch, or every rate it met would feed itself. Within one
  // step the damping can at most stop the rate it meets: a light airframe under a heavy rotor, at
  // the longest frames, would otherwise be pushed past still into a rate the other way, a rocking
  // that the skids' springs keep up on the ground.
  const float spin = std::fabs(flt.tac[0]);
  // The roll and pitch inertias as the force pass divides by them (ice weighs on the radii).
  const float mk2 = flt.m_total * sqr(1.0f + msc.ice);
  flt.L -= rate_damping(pln.miprop[0] * spin, pln.Jzz_unitmass * mk2, prd) * flt.Prad;
  flt.M -= rate_damping(pln.miprop[0] * spin, pln.Jxx_unitmass * mk2, prd) * flt.Qrad;
}

void props() {
  if (pln.is_heli)
    props_helicopter();
  else
    props_aeroplane();
}
