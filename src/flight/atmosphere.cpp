// The air at the aircraft (density from the standard-atmosphere table, temperature and speed of
// sound from the standard profile), the mixture's effect on each engine, and fuel flow.
#include "flight/flight.h"

#include <cmath>

#include "shared/shared.h"
#include "weather/weather.h"

void set_air_at_aircraft() {
  float h = flt.h;
  const float(*hr)[2] = atm.hr;
  if (h < hr[0][0]) {
    atm.rho = hr[0][1];
  } else if (fltrange(h, hr[0][0], hr[ATM_ROWS - 1][0])) {
    int i = 0;
    while (i < ATM_ROWS - 2 && h > hr[i + 1][0]) i++;
    // Rows of equal height (a table not filled yet) have nothing to interpolate between.
    atm.rho = hr[i + 1][0] > hr[i][0] ? interp(hr[i][0], hr[i][1], hr[i + 1][0], hr[i + 1][1], h)
                                      : hr[i][1];
  } else {
    atm.rho = hr[ATM_ROWS - 1][1];
  }

  // Standard temperature profile in degrees Rankine against height in feet.
  static const float ft[5] = {0.0f, 36152.0f, 82346.0f, 155348.0f, 175344.0f};
  static const float rankine[5] = {518.69f, 390.5f, 390.5f, 508.8f, 508.8f};
  float hft = h * con.mtrstoft;
  float tr = rankine[4];
  if (!(hft >= ft[4])) {
    int i = 0;
    while (i < 3 && hft > ft[i + 1]) i++;
    tr = interp(ft[i], rankine[i], ft[i + 1], rankine[i + 1], hft);
  }
  // A sea-level temperature other than 59 F moves the whole profile.
  atm.T = tr * con.dgrtodgk + (atm.temp_SL - 59.02f) * con.dgrtodgk;
  atm.a = atm.T > 0.0f ? std::sqrt(401.8f * atm.T) : 0.0f;
  atm.rho *= 518.69f / (atm.temp_SL + 459.67f);
  atm.crtsig = atm.rho / con.rhoSL;
}

void set_mixture_ratios() {
  int engines = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < engines; i++) {
    float m = flt.mixt[i];
    if (pln.entype != ENGINE_PISTON) {
      flt.mixt_powr_rat[i] = m > 0.5f ? 1.0f : 0.0f;
      continue;
    }
    // A piston engine runs best a little lean of the density ratio and stops below cut-off.
    float best = atm.crtsig - 0.3f, cutoff = atm.crtsig - 0.4f;
    float loss = m <= best ? (best - m) * 5.0f : (m - best) * 0.1f;
    float temp = m <= best ? (best - m) * 5.0f : (m - best) * 2.0f;
    float thro = fltmax2(flt.thro[i], 0.0f);
    flt.mixt_powr_rat[i] = fltlim(m <= cutoff ? 0.0f : 1.0f - loss, 0.0f, 1.0f);
    flt.mixt_temp_rat[i] = fltlim(m <= cutoff ? 0.0f : (1.0f - temp) * std::sqrt(thro), 0.0f, 1.0f);
  }
}

float burnin_fuel(float x) {
  float full = 0.0f, idle = 0.0f, top = 0.0f;  // lb/h, lb/h, and the power or thrust of full flow
  if (pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP) {
    full = pln.pmax * con.watttohp * (pln.entype == ENGINE_PISTON ? 0.42f : 0.63f);
    idle = full * (pln.entype == ENGINE_PISTON ? 0.01f : 0.05f);
    top = pln.pmax;
  } else if (pln.entype == ENGINE_JET) {
    full = pln.tmax * con.ntntolbs * (pln.bypass == 1 ? 0.8f : 0.5f);
    idle = full * 0.05f;
    top = pln.tmax;
  }
  float flow = top > 0.0f ? interp(0.0f, idle, top, full, x) : idle;
  if (!(flow > idle)) flow = idle;
  return flow * con.lbstokgs / 3600.0f;
}
