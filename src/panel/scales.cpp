// Full scales of the engine gauges, and the blinking level of the panel's lights.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"

float tac_max() { return static_cast<float>(gage_me(pln.omegamax * con.rsctorpm)); }

float trq_max() {
  const float rated = pln.omegamax > 0.0f ? pln.pmax / pln.omegamax : 0.0f;
  return static_cast<float>(gage_me(1.2f * rated * con.nmtoftlb));
}

float ff__max() {
  // With an afterburner the scale reaches the flow of three times the dry thrust.
  float kgs;
  if (pln.entype == ENGINE_JET)
    kgs = burnin_fuel(pln.burnerinc > 1.0f ? 3.0f * pln.tmax : pln.tmax);
  else
    kgs = burnin_fuel(pln.pmax);
  return static_cast<float>(gage_me(kgs * con.kgstolbs * 3600.0f));
}

float n1__max() { return 100.0f; }

float mpr_max() { return 30.0f; }

float pulse(float phase) { return 0.5f + 0.5f * std::sin(2.0f * (msc.elap_time + phase)); }
