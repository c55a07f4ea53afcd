// Shaft torque of the propeller and rotor engines: the piston and turbine torque curves with
// altitude capability and mixture, manifold pressure, a helicopter's N1, and the torque reaction.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "flight/local.h"
#include "shared/shared.h"
#include "weather/weather.h"

// Moves x towards target by at most maxstep. N1 is a plain 0..100 scale, not a circle: a
// circular stepper would take the "short way" from 0 to 80 through 100 and land on 99.75.
static float step_towards(float x, float target, float maxstep) {
  return x + fltlim(target - x, -maxstep, maxstep);
}

// The air density the engine breathes, relative to sea level, 0..1. A supercharged engine holds
// sea-level conditions up to its critical altitude; d is the density deficit it makes up there.
static float altitude_capability() {
  // The base is kept non-negative: a critical altitude beyond the formula's reach (about 43 km)
  // would otherwise raise a negative number to a fractional power.
  float base = fltmax2(1.0f - 2.306e-05f * pln.critalt, 0.0f);
  float d = 1.0f - std::pow(base, 4.14f);
  return fltlim(atm.crtsig + d, 0.0f, 1.0f);
}

void apropengine(int i) {
  // All of a helicopter's engines drive the main rotor and see its speed.
  const int j = pln.is_heli ? 0 : i;
  const float r = altitude_capability();
  // Share of rated power, none in air thinner than a tenth of sea level's: below nothing the
  // throttle would work backwards, the closed throttle driving the disc and the open one braking it.
  const float pf = fltmax2((r - 0.1f) / 0.9f, 0.0f);

  // Rated torque and the speed fraction between idle and rated speed. An aircraft whose idle and
  // rated speeds coincide (or whose rated speed is zero) has no speed range to interpolate over.
  const float Tr = pln.omegamax > 0.0f ? pln.pmax / pln.omegamax : 0.0f;
  const float range = pln.omegamax - pln.omegamin;
  float f = range > 0.0f ? (flt.tac[j] - pln.omegamin) / range : 0.0f;
  f = fltlim(f, 0.0f, 99.0f);

  const float Qf = (0.5f + 1.5f * f - f * f) * Tr;  // full throttle
  const float Qc = (0.01f - f * f) * Tr;            // closed throttle

  float trq;
  if (flt.eng_running[i]) {
    // A throttle below zero (the reverse range of the lever) counts as closed.
    float t = std::sqrt(fltmax2(flt.thro[i], 0.0f));
    trq = (Qc + (Qf - Qc) * t) * pf * flt.mixt_powr_rat[i];
  } else {
    trq = -Tr * f * std::fabs(f);  // a windmilling engine's friction
  }
  if (!rel.oilpmp[i] && trq > 0.0f) trq *= rel.oil_rat;
  // A helicopter's freewheel unit stops an engine from driving the rotor backwards.
  if (pln.is_heli && trq < 0.0f) trq = 0.0f;
  flt.trq[i] = trq;
  flt.power[i] = trq * flt.tac[j];

  if (pln.is_heli && pln.entype == ENGINE_TURBOPROP) {
    float target = 0.0f;
    if (flt.eng_running[i] && pln.pmax > 0.0f)
      target = 100.0f * std::sqrt(fltmax2(flt.power[i] / pln.pmax, 0.0f));
    flt.n1_[i] = fltlim(step_towards(flt.n1_[i], target, 10.0f * msc.prd), 0.0f, 100.0f);
  }

  if (pln.entype == ENGINE_PISTON) {
    // Manifold pressure lags its target by one second.
    float target = interp(0.0f, atm.baro * r * 0.5f, 1.0f, atm.baro * r, flt.thro[i]);
    flt.mpr[i] += (target - flt.mpr[i]) * msc.prd;
  }
  // A piston engine's exhaust is hottest at the best mixture, which is what its gauge is for; a
  // turbine's follows its share of rated power, from 5 % at idle.
  float hot = pln.entype == ENGINE_PISTON ? flt.mixt_temp_rat[i]
              : pln.pmax > 0.0f           ? fltlim(flt.power[i] / pln.pmax, 0.05f, 1.0f)
                                          : 0.0f;
  follow_exhaust_temperature(i, flt.eng_running[i] ? hot : 0.0f);

  // The airframe takes the reaction of the shaft torque about the axis of the disc the engine
  // turns; a helicopter's second engine turns the main rotor, not the tail rotor of its slot.
  flt.L -= trq * pln.propdir[j] * pln.cos_vertcant[j];
  flt.N += trq * pln.propdir[j] * pln.sin_vertcant[j];
}
