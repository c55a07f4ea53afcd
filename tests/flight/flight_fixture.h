// Hand-built aircraft pieces and surroundings for the engine and contact tests: a clean world at
// sea level in still air, airfoil tables of a thin section, and propeller discs prepared the way
// the aircraft loader prepares them.
#pragma once

#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// Every record cleared, constants filled, standard sea-level air, frame sub-step of 0.025 s.
inline void reset_flight_world() {
  reset_world_state();
  init_constants();
  reset_props();
  atm.rho = 1.225f;
  atm.crtsig = 1.0f;
  atm.a = 340.0f;
  atm.baro = 29.92f;
  atm.temp_SL = 59.0f;
  atm.rway_fric_code = 1;
  msc.prd = 0.025f;
  flt.costhe = flt.cosphi = flt.cospsi = 1.0f;
  flt.cosalph = flt.cosbeta = 1.0f;
}

inline void clear_accumulators() {
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0.0f;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
  flt.L = flt.M = flt.N = 0.0f;
}

// A thin symmetric section on surface w: lift slope 0.1 per degree, stalling at 12 degrees, drag
// 0.012 rising past the stall, no pitching moment, no finite-wing corrections.
inline void give_thin_airfoil(int w) {
  for (int rt = 0; rt < 2; rt++) {
    for (int re = 0; re < 2; re++) {
      for (int n = 0; n < AFL_CD_ROWS; n++) {
        float deg = n <= 200 ? n / 10.0f : n - 180.0f;
        float cl = deg <= 12.0f ? 0.1f * deg : 1.2f - 0.02f * (deg - 12.0f);
        float cd = 0.012f + (deg > 12.0f ? 0.02f * (deg - 12.0f) : 0.0f);
        afl.cdpos[w][rt][re][n] = afl.cdneg[w][rt][re][n] = cd;
        if (n >= 100) {
          afl.clpos[w][rt][re][n - 100] = cl;
          afl.clneg[w][rt][re][n - 100] = -cl;
        }
      }
      afl.clM[w][rt][re] = 0.1f;
      afl.cmal2[w][rt][re] = -5.0f;
      afl.cmal3[w][rt][re] = 5.0f;
    }
  }
  pln.al_D_al0[w] = pln.cl_D_cl0[w] = pln.cm_D_cm0[w] = 1.0f;
  pln.AR[w] = 10.0f;
  pln.e[w] = 0.9f;
  pln.alpha_max[w] = flt.alpha_max[w] = 12.0f;
  pln.slat_effect[w] = flt.slat_effect[w] = 1.0f;
  flt.CLgrndeffect[w] = flt.CDIgrndeffect[w] = 1.0f;
}

// Disc i: blades of radius R and constant chord, els rings, blade angle `twist` at every ring,
// turning in sense dir, with its axis canted up by vertcant degrees. Areas and inertia as the
// loader derives them.
inline void make_disc(int i, float R, float chord, int els, float blades, float twist, int dir,
                      int vertcant) {
  pln.semilen[i] = R;
  pln.Croot[i] = pln.Ctip[i] = chord;
  pln.els[i] = els;
  pln.numblades[i] = blades;
  pln.propdir[i] = dir;
  pln.vertcant[i] = static_cast<float>(vertcant);
  pln.sin_vertcant[i] = isin(vertcant);
  pln.cos_vertcant[i] = icos(vertcant);
  pln.sin_sidecant[i] = 0.0f;
  pln.cos_sidecant[i] = 1.0f;
  for (int e = 0; e < els; e++) {
    float r0 = R * e / els, r1 = R * (e + 1) / els;
    pln.s[i][e] = chord * R / els;
    pln.mac[i][e] = chord;
    pln.anginc[i][e] = twist;
    pln.ringarea[i][e] = con.pi * (r1 * r1 - r0 * r0);
  }
  pln.discarea[i] = con.pi * R * R;
  pln.miprop[i] = R * chord * (chord * 0.15f) * 0.75f * 300.0f * blades * (0.5f * R * R);
  give_thin_airfoil(i);
}

// One running piston engine of pmax watts, idle and rated speeds in rad/s, at full throttle.
inline void make_piston_engine(float pmax, float omegamin, float omegamax) {
  pln.entype = 1;
  pln.numen = 1;
  pln.pmax = pmax;
  pln.omegamin = omegamin;
  pln.omegamax = omegamax;
  flt.eng_running[0] = 1;
  flt.thro[0] = flt.throrequest[0] = 1.0f;
  flt.mixt_powr_rat[0] = 1.0f;
  flt.tac[0] = omegamax;
}
