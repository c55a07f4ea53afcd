// The air at the aircraft, the mixture and the fuel flow.

#include "flight_fixture.h"

class FlightAtmosphere : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    fly_setup_world(0.0f);  // fills the standard-atmosphere table
  }
  // The density ft feet up; the rest of the air there is left in atm.
  static float rho_at(float ft) {
    flt.h = ft * con.fttomtrs, set_air_at_aircraft();
    return atm.rho;
  }
};

TEST_F(FlightAtmosphere, DensityFromTheTableInsideAndBeyondIt) {
  EXPECT_NEAR(rho_at(0.0f), 1.225f, 0.001f);
  EXPECT_NEAR(atm.crtsig, 1.0f, 0.001f);
  EXPECT_NEAR(rho_at(10000.0f), 0.905f, 0.002f);
  EXPECT_NEAR(rho_at(5000.0f), (1.2250f + 0.9050f) / 2.0f, 0.002f);  // between two rows
  EXPECT_NEAR(rho_at(-500.0f), 1.225f, 0.001f);  // below the table: its first row
  EXPECT_EQ(rho_at(300000.0f), 0.0f);            // above it: no air
  EXPECT_GT(atm.a, 0.0f);
}

TEST_F(FlightAtmosphere, TemperatureProfileAndItsSeaLevelShift) {
  const float rho59 = rho_at(0.0f), t59 = atm.T;
  EXPECT_NEAR(t59, 288.15f, 0.02f);
  EXPECT_NEAR(atm.a, std::sqrt(401.8f * t59), 1e-3f);
  rho_at(40000.0f);  // the isothermal layer
  EXPECT_NEAR(atm.T, 216.94f, 0.05f);
  rho_at(200000.0f);  // above the last break point
  EXPECT_NEAR(atm.T, 508.8f * 5.0f / 9.0f - 0.011f, 0.05f);
  atm.temp_SL = 79.0f;
  EXPECT_NEAR(rho_at(0.0f), rho59 * 518.69f / 538.67f, 1e-4f);
  EXPECT_NEAR(atm.T - t59, 20.0f * 5.0f / 9.0f, 0.01f);
}

TEST_F(FlightAtmosphere, MixtureRatiosOfAPistonEngine) {
  pln.entype = 1, pln.numen = 2;
  atm.crtsig = 1.0f, flt.thro[0] = flt.thro[1] = 0.25f;  // best 0.7, cut-off 0.6
  flt.mixt[0] = 1.0f, flt.mixt[1] = 0.65f;
  set_mixture_ratios();
  EXPECT_NEAR(flt.mixt_powr_rat[0], 0.97f, 1e-5f);                 // rich: a tenth per unit
  EXPECT_NEAR(flt.mixt_temp_rat[0], (1.0f - 0.6f) * 0.5f, 1e-5f);  // times the root of throttle
  EXPECT_NEAR(flt.mixt_powr_rat[1], 0.75f, 1e-5f);                 // lean: five per unit
  flt.mixt[1] = 0.6f;                                              // at cut-off it stops
  set_mixture_ratios();
  EXPECT_EQ(flt.mixt_powr_rat[1], 0.0f);
  EXPECT_EQ(flt.mixt_temp_rat[1], 0.0f);
  pln.entype = 3;  // other engines: lever above half runs at full power
  flt.mixt[0] = 0.51f, flt.mixt[1] = 0.5f;
  set_mixture_ratios();
  EXPECT_EQ(flt.mixt_powr_rat[0], 1.0f);
  EXPECT_EQ(flt.mixt_powr_rat[1], 0.0f);
}

TEST_F(FlightAtmosphere, FuelFlowFromIdleToFullByEngineType) {
  float lbh = con.lbstokgs / 3600.0f;
  pln.entype = 1, pln.pmax = 200.0f * con.hptowatt;
  EXPECT_NEAR(burnin_fuel(0.0f), 0.84f * lbh, 1e-7f);  // idle, never zero
  EXPECT_NEAR(burnin_fuel(pln.pmax), 84.0f * lbh, 1e-5f);
  EXPECT_NEAR(burnin_fuel(-5000.0f), 0.84f * lbh, 1e-7f);  // a windmilling engine still idles
  pln.entype = 2;
  EXPECT_NEAR(burnin_fuel(pln.pmax), 126.0f * lbh, 1e-5f);
  pln.entype = 3, pln.tmax = 10000.0f * con.lbstontn, pln.bypass = 0;
  EXPECT_NEAR(burnin_fuel(pln.tmax), 5000.0f * lbh, 1e-3f);
  pln.bypass = 1;
  EXPECT_NEAR(burnin_fuel(0.0f), 400.0f * lbh, 1e-4f);
  pln.entype = 0;
  EXPECT_EQ(burnin_fuel(1000.0f), 0.0f);
}
