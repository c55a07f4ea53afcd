// Propellers and helicopter rotors: each disc ring by ring at four blade positions with the
// coefficient model of the wings, the disc and ring wash, pitch and rotor-speed governing, and the
// rotor speed that the engine torque and the disc's drag torque leave.
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"

// The helicopter's main-rotor roll and pitch moments, filtered over about a second so that the
// four-position disc model does not shake the airframe. Zero when the program starts.
static float filt_L, filt_M;

void reset_props() { filt_L = filt_M = 0.0f; }

// Whole-degree disc angle: the angle of attack rounded, plus the engine's vertical cant, truncated
// and wrapped into 0..359. A non-finite angle of attack (a flight state gone wrong) must not become
// a table index, so it reads as 0.
static int disc_angle(float alpha, float vertcant) {
  if (!std::isfinite(alpha) || !std::isfinite(vertcant)) return 0;
  double a = static_cast<double>(intround(alpha)) + vertcant;
  int deg = static_cast<int>(std::fmod(std::trunc(a), 360.0));
  return deg < 0 ? deg + 360 : deg;
}

// Translational lift: a rotor moving through the air meets fresh air and needs less induced
// speed. The factor falls from 1 to 0.6 across a band of airspeed (knots).
static float translational_factor(float lo_kts) {
  float kts = flt.av * con.msctokts;
  return fltlim(interp(lo_kts, 1.0f, lo_kts + 4.0f, 0.6f, kts), 0.6f, 1.0f);
}

// Thrust T acting at (px, py, pz), split into the body axes by the engine's cants.
static void apply_thrust(int i, float T, float px, float py, float pz) {
  const float cv = pln.cos_vertcant[i], sv = pln.sin_vertcant[i];
  const float cs = pln.cos_sidecant[i], ss = pln.sin_sidecant[i];
  addFaprop(T * cv * cs, px, py);
  addFsprop(T * ss, pz, py);
  addFnprop(T * sv * cs, pz, px);
  flt.thrust[i] += T;
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

  // Disc angle A (the disc axis against the flight path) and the inflow V along the disc axis,
  // including the hub's motion from the aircraft's rotation.
  int A = 0;
  float V;
  if (tail_rotor) {
    V = -flt.av * flt.sinbeta - flt.Rrad * z;
  } else {
    A = disc_angle(flt.Alpha, pln.vertcant[i]);
    V = flt.av * icos(A) - flt.Prad * x * sv - (sv * z + cv * y) * flt.Qrad - flt.Rrad * x * cv;
  }

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
  const float edgewise = flt.vaxial * isin(A);  // flight-path speed in the disc plane
  // Blade angle offsets of the cyclic at 12, 3, 6 and 9 o'clock.
  const float cyclic[4] = {-dir * flt.ailncyclic, dir * flt.elevcyclic, dir * flt.ailncyclic,
                           -dir * flt.elevcyclic};
  const float wash_c = !pln.is_heli ? 1.0f : translational_factor(tail_rotor ? 19.0f : 13.0f);
  if (dump) dump_disc_header(i);

  const int els = intlim(pln.els[i], 0, MAX_ELS);
  for (int e = 0; e < els; e++) {
    const float u = V + flt.ringDVinc[i][e];
    const float p0 = pln.anginc[i][e] + flt.proppitch[i];
    const float r = get_wing_rarm(i, e);
    float T[4];
    for (int k = 0; k < 4; k++) {
      // The blade at 3 o'clock advances into the edgewise flow for one sense of rotation and
      // retreats from it for the other; 9 o'clock the opposite.
      float t = flt.tac[i] * r;
      if (k == 1) t += d ? edgewise : -edgewise;
      if (k == 3) t += d ? -edgewise : edgewise;
      flt.v_el[i][e] = std::sqrt(u * u + t * t);
      flt.deldir[i][e] = std::atan2(-u, t) * con.radtodeg;
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
      F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, i, e);
      flt.Dtq[i] += blades * r * drag * 0.25f;
      T[k] = blades * lift * 0.25f;
      if (dump) {
        trk << "   drag=" << drag << " N, RUNNING TOTAL drag on prop=" << flt.Dtq[i] << " N-m.\n\n"
            << "   EFFECT: (after multiplying by #blades/4) thrust=" << T[k] << " N\n";
      }
    }

    if (tail_rotor) {
      for (int k = 0; k < 4; k++) apply_thrust(i, T[k], x, y, z);
    } else {
      // A blade's lift tilts the disc a quarter turn later (gyroscopic precession), so each
      // position's thrust acts at the next quarter in the sense of rotation.
      apply_thrust(i, d ? T[3] : T[1], x, y + cv * r, z + sv * r);  // 12 o'clock
      apply_thrust(i, d ? T[0] : T[2], x + r, y, z);                // 3 o'clock
      apply_thrust(i, d ? T[1] : T[3], x, y - cv * r, z - sv * r);  // 6 o'clock
      apply_thrust(i, d ? T[2] : T[0], x - r, y, z);                // 9 o'clock
    }
    flt.ringthrust[i][e] = T[0] + T[1] + T[2] + T[3];

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

static void props_aeroplane() {
  const int n = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < n; i++) {
    apropengine(i);
    aprop(i, pln.Zarm[i], pln.Xarm[i], pln.Yarm[i]);
  }
  // The surfaces read the second wash slot too; with one engine it mirrors the first.
  if (n == 1) flt.DVinc[1] = flt.DVinc[0];
  for (int i = 0; i < n; i++) spin_propeller(i);
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

  // Both discs are geared together; the tail rotor's inertia counts through its gearing.
  const float inertia = pln.miprop[0] + pln.miprop[1] * pln.trotor_rat;
  const float a = inertia > 0.0f ? (Q - flt.Dtq[0] - flt.Dtq[1]) / inertia : 0.0f;
  flt.tac[0] += a * prd;
  flt.tac[1] = rel.trotor ? flt.tac[0] * pln.trotor_rat : 1.0f;

  // Without a collective lever, and always for turbines, the governor works the throttles to hold
  // rated rotor speed.
  if (!set.eq_col || pln.entype == 2) {
    for (int i = 0; i < n; i++) {
      if (rel.thrgov[i])
        flt.throrequest[i] =
            fltlim(flt.throrequest[i] + ((pln.omegamax - flt.tac[0]) * 0.5f - a) * prd, 0.0f, 1.0f);
      else
        flt.throrequest[i] = 1.0f;
    }
  }
  flt.L -= pln.miprop[0] * flt.tac[0] * flt.Prad;
  flt.M -= pln.miprop[0] * flt.tac[0] * flt.Qrad;
}

void props() {
  if (pln.is_heli)
    props_helicopter();
  else
    props_aeroplane();
}
