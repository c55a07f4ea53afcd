// Engine shaft torque, manifold pressure, a helicopter's N1 and the torque reaction.
#include <cmath>

#include "flight/flight_fixture.h"
#include "support/test_support.h"

TEST(FlightEngines, TorqueCurveAltitudeAndManifoldPressure) {
  reset_flight_world();
  make_disc(0, 0.95f, 0.15f, 4, 2, 12, 1, 0);
  make_piston_engine(150000.0f);
  const float Tr = 150000.0f / 270.0f;
  const float cases[][4] = {// throttle, crtsig, critical altitude, torque / Tr
                            {1, 1, 0, 1},
                            {0, 1, 0, -0.99f},
                            {1, 0.55f, 0, 0.5f},
                            {1, std::pow(1 - 2.306e-05f * 5000, 4.14f), 5000, 1}};
  for (const auto& c : cases) {
    flt.thro[0] = c[0], atm.crtsig = c[1], pln.critalt = c[2];
    apropengine(0);
    EXPECT_NEAR(flt.trq[0], c[3] * Tr, 0.05f) << c[0] << " " << c[1] << " " << c[2];
  }
  flt.mpr[0] = 0.0f;
  apropengine(0);
  EXPECT_NEAR(flt.mpr[0], 29.92f * msc.prd, 1e-4f);  // one frame of a one-second lag

  flt.eng_running[0] = 0;  // windmilling: braking with the square of the speed fraction
  flt.tac[0] = 165.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], -0.25f * Tr, 0.01f);
  flt.eng_running[0] = 1;  // idle and rated speeds alike: no range, but a finite torque
  pln.omegamin = flt.tac[0] = 270.0f;
  apropengine(0);
  EXPECT_NEAR(flt.trq[0], 0.5f * Tr, 0.01f);
}

TEST(FlightEngines, HelicopterEnginesTurnTheMainRotor) {
  reset_flight_world();
  make_disc(0, 5.0f, 0.3f, 4, 2, 8, 1, 90);
  make_disc(1, 1.0f, 0.15f, 2, 2, 8, -1, 0);
  make_piston_engine(150000.0f);
  pln.is_heli = 1;
  pln.entype = pln.numen = 2;
  flt.eng_running[1] = 1;
  flt.thro[1] = flt.mixt_powr_rat[1] = 1.0f;
  // N1 climbs from 0 on a straight scale, not round its top.
  apropengine(1);
  EXPECT_NEAR(flt.n1_[1], 10.0f * msc.prd, 1e-5f);
  // The second engine's reaction yaws the airframe about the rotor shaft like the first's.
  EXPECT_GT(flt.trq[1], 0.0f);
  EXPECT_NEAR(flt.N, flt.trq[1], 0.01f);
  EXPECT_NEAR(flt.L, 0.0f, 1e-3f);
}
