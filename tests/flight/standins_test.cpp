// Weak stand-ins for the force accumulators and the element coefficient model of the force pass,
// which is built alongside. Once the real ones are linked they replace these; the tests of this
// folder hold with either. The coefficient model here is a thin section stalling at 12 degrees.
#include <cmath>

#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"

// clang-format off
[[gnu::weak]] void addFaprop(float F, float x, float y) { flt.faxilprop += F; flt.M -= F * y; flt.N -= F * x; }
[[gnu::weak]] void addFsprop(float F, float z, float y) { flt.fsideprop += F; flt.L += F * y; flt.N -= F * z; }
[[gnu::weak]] void addFnprop(float F, float z, float x) { flt.fnrmlprop += F; flt.L -= F * x; flt.M -= F * z; }
[[gnu::weak]] void addFagear(float F, float x, float y) { flt.faxilgear += F; flt.M -= F * y; flt.N -= F * x; }
[[gnu::weak]] void addFsgear(float F, float z, float y) { flt.fsidegear += F; flt.L += F * y; flt.N -= F * z; }
[[gnu::weak]] void addFngear(float F, float z, float x) { flt.fnrmlgear += F; flt.L -= F * x; flt.M -= F * z; }
// clang-format on

[[gnu::weak]] float F_el_force(float dcl, float dcd, float dcm, float* lift, float* drag,
                               float* moment, int w, int e) {
  float cl = 0.1f * fltlim(flt.alpha[w][e], -12.0f, 12.0f) + dcl;
  float cd = 0.012f + 0.01f * cl * cl + dcd;
  float dd = flt.deldir[w][e] * con.degtorad;
  float q = 0.5f * atm.rho * flt.v_el[w][e] * flt.v_el[w][e] * pln.s[w][e];
  *lift = (cl * std::cos(dd) + cd * std::sin(dd)) * q;
  *drag = (cd * std::cos(dd) - cl * std::sin(dd)) * q;
  *moment = dcm * q * pln.mac[w][e];
  return cl;
}
