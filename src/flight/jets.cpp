// Jet engines: a spool that lags the throttle, N1, Mach- and density-dependent thrust with ram
// drag, afterburner, reversers and thrust vectoring.
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "flight/local.h"
#include "shared/shared.h"
#include "weather/weather.h"

// Thrust factor of Mach number and air density.
static float thrust_factor(float M) {
  float phi = atm.crtsig;
  if (M > 1.0f) phi *= 2.4f * M * M / (0.4f * M * M + 2.0f);  // ram compression
  if (pln.bypass == 1) {
    // A fan gains with forward speed up to Mach 2, then loses, holding 1 beyond Mach 3.
    if (M < 2.0f)
      phi *= interp(0.0f, 1.0f, 2.0f, 2.0f, M);
    else
      phi *= fltmax2(interp(2.0f, 2.0f, 3.0f, 1.0f, M), 1.0f);
  } else {
    // A pure jet gains a little up to Mach 1 and then falls off, holding half beyond Mach 1.2: the
    // line carried on would turn full throttle into reverse thrust by Mach 1.4.
    if (M < 1.0f)
      phi *= 1.0f + 0.15f * M;
    else
      phi *= fltmax2(interp(1.0f, 1.15f, 1.2f, 0.5f, M), 0.5f);
  }
  return phi;
}

// Moves the spool fraction of engine i one frame towards its throttle and sets N1 from it.
static void spool(int i) {
  float& part = flt.parteqlbmthrust[i];
  const float target = 0.05f + 0.95f * flt.thro[i];  // idle is 5 %
  if (!(pln.spooltime > 0.0f)) {
    // An engine without spool lag follows its throttle at once.
    part = flt.eng_running[i] ? fltlim(target, 0.0f, 1.0f) : 0.0f;
  } else {
    const float err = target - part;
    const float s = std::sqrt(std::fabs(err)) * fltsgn(err);
    const float n1 = flt.n1_[i] / 100.0f;
    const float b = 3.0f * n1 * n1;  // spool-down rate, always present
    const float k = msc.prd / pln.spooltime;
    float step = -b * k;  // a stopped engine only spools down
    if (flt.eng_running[i]) {
      // Below 25 % N1 the starter lifts the spool slowly, whatever the throttle, but only up to
      // its target: idle (22 % N1) lies below that band, and a start that ran on past idle would
      // hold the engine chattering at 25 % N1 with the spool law pulling it back.
      if (flt.n1_[i] < 25.0f && err > 0.0f)
        step = fltmin2(0.04f * k, err);
      else
        step = 2.0f * s * k;
    }
    part = fltlim(part + step, 0.0f, 1.0f);
  }
  flt.n1_[i] = 100.0f * std::sqrt(part);
  // A failing oil pump takes the power it leaves the engine, N1 and thrust, off its heat too, as a
  // propeller turbine's heat follows its torque.
  float hot = flt.eng_running[i] ? part : 0.0f;
  if (!rel.oilpmp[i]) hot *= rel.oil_rat;
  follow_exhaust_temperature(i, hot);
}

// Jet engine i at longitudinal z, lateral x and vertical y: spool, N1 and thrust.
static void ajet(int i, float z, float x, float y) {
  spool(i);

  const float phi = thrust_factor(flt.machno);
  const float ram_drag = pln.facejet * flt.Qstatic * 0.3f;  // of the intake
  float thrust;
  if (flt.eng_running[i]) {
    const float full = pln.tmax * phi;
    const float idle = pln.tmax * phi * 0.01f - ram_drag;
    const float burner = flt.after_burning[i] ? pln.burnerinc * atm.crtsig : 0.0f;
    thrust = idle + (full - idle) * flt.parteqlbmthrust[i] + burner;
  } else {
    thrust = -ram_drag;
  }
  if (!rel.oilpmp[i]) {
    flt.n1_[i] *= rel.oil_rat;
    thrust *= rel.oil_rat;
  }
  // Reversers turn the jet's forward thrust; the drag of a stopped or idling engine's intake stays
  // a drag rather than becoming a push.
  if (pln.revthrustEQ && flt.revving_thrust[i] && thrust > 0.0f) thrust *= REVERSED_THRUST_SHARE;
  flt.thrust[i] = thrust;

  // The vertical cant is the thrust-vector angle.
  const float faxil = thrust * pln.cos_vertcant[i];
  const float fnrml = thrust * pln.sin_vertcant[i];
  addFaprop(faxil, x, y);
  addFsprop(0.0f, z, y);
  addFnprop(fnrml, z, x);

  if (set.cycout) {
    trk << "\nJET ENGINE #" << i + 1 << ":\n"
        << "   longitudinal thrust vector=" << pln.vertcant[i] << " degrees. (0=full aft)\n"
        << "   x=" << x << " m, y=" << y << " m, z=" << z << " m.\n"
        << "   THISfaxil=" << faxil << " N, THISfnrml=" << fnrml << " N\n";
  }
}

void jets() {
  const int n = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < n; i++) ajet(i, pln.Zarm[i], pln.Xarm[i], pln.Yarm[i]);
}
