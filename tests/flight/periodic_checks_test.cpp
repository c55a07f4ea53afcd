// The once-a-second pass: fuel, engines, ice, gravity, speed warnings, and a pass over aircraft
// without engines or rotation speed.
#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

class FlightPeriodicChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_flt();
    reset_rel();
    reset_pln();
    reset_msc();
    reset_ins();
    reset_atm();
    reset_env();
    reset_atc();
    reset_fpl();
    reset_periodic_checks();
    reset_failures();
    reset_weather_sec();
    reset_wxcalc();
    std::srand(13);
    app_path[0] = '\0';
    std::remove("USA.rwx");
    atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1;
    atm.vis = 7 * con.nmtomtrs;
    atm.cld_type = 1;
    atm.baseMSL = 1000;
    atm.topsMSL = 3000;
    atm.temp_SL = 59;
    atm.T = 288.15f;
    // A twin piston aeroplane in flight with fuel and a rich mixture.
    pln.entype = 1;
    pln.numen = 2;
    pln.m_fuel = 100;
    pln.omegamax = 250;
    pln.Vne = 200;
    pln.Vfe = 100;
    pln.asi_units = 2;
    flt.m_fuel = 50;
    for (int e = 0; e < MAX_ENGINES; e++) flt.mixt_powr_rat[e] = 1;
    flt.h = flt.Y = 2000;
  }
  void seconds(int n) {
    for (int s = 0; s < n; s++) {
      mod_sec();
      msc.elap_time = fltwrap(msc.elap_time + 1, 0, 86400);
    }
  }
};

TEST_F(FlightPeriodicChecks, FuelBurnsAtTheEnginesFlowAcrossMidnight) {
  flt.ff_[0] = 0.1f;
  flt.ff_[1] = 0.2f;
  flt.ff_[2] = 5;  // no third engine
  seconds(2);
  EXPECT_NEAR(flt.m_fuel, 50 - 0.3f, 1e-4);
  msc.elap_time = 86399;
  mod_sec();  // a long gap empties the tanks, never below 0
  EXPECT_EQ(flt.m_fuel, 0);
  flt.m_fuel = 50;
  msc.elap_time = 0.5f;  // 1.5 s later, the clock has wrapped
  mod_sec();
  EXPECT_NEAR(flt.m_fuel, 50 - 0.45f, 1e-4);
  flt.m_fuel = 120;  // never more than the tanks hold
  mod_sec();
  EXPECT_EQ(flt.m_fuel, 100);
}

TEST_F(FlightPeriodicChecks, EnginesRunOnlyWithFuelMixtureAndNoFailure) {
  mod_sec();
  EXPECT_EQ(flt.eng_running[0] + flt.eng_running[1], 2);
  EXPECT_EQ(flt.eng_running[2] + flt.eng_running[3], 0);  // not fitted
  rel.engine[1] = 0;
  flt.mixt_powr_rat[0] = 0.005f;
  mod_sec();
  EXPECT_EQ(flt.eng_running[0] + flt.eng_running[1], 0);
  flt.mixt_powr_rat[0] = 1;
  flt.m_fuel = 0.005f;
  mod_sec();
  EXPECT_EQ(flt.eng_running[0], 0);  // an empty tank stops the engine
}

TEST_F(FlightPeriodicChecks, IceBuildsInColdCloudAndShedsInWarmAir) {
  atm.T = 273.15f - 5;
  seconds(10);
  EXPECT_NEAR(msc.ice, 0.0333f, 1e-5);
  EXPECT_EQ(msc.icebld, 1);
  flt.h = 3500;  // above the tops
  seconds(10);
  EXPECT_NEAR(msc.ice, 0.0333f, 1e-5);
  EXPECT_EQ(msc.icebld, 0);
  flt.h = 2000;
  atm.T = 273.15f - 25;  // too cold to stick
  seconds(1);
  EXPECT_NEAR(msc.ice, 0.0333f, 1e-5);
  atm.T = 273.15f - 5;
  rel.antice = 0;  // switched on but failed
  ins.antiice_on = 1;
  seconds(1);
  EXPECT_NEAR(msc.ice, 0.03663f, 1e-5);
  rel.antice = 1;
  seconds(1);
  EXPECT_NEAR(msc.ice, 0.02663f, 1e-5);
  ins.antiice_on = 0;
  atm.T = 273.15f + 10.5f;  // 10 C: sheds 0.00333 per second
  seconds(2);
  EXPECT_NEAR(msc.ice, 0.01997f, 1e-5);
  seconds(10);
  EXPECT_EQ(msc.ice, 0);
  atm.T = 273.15f - 5;
  atm.cld_type = 0;  // no cloud to fly in
  seconds(1);
  EXPECT_EQ(msc.ice, 0);
}

TEST_F(FlightPeriodicChecks, GravityFallsWithHeight) {
  flt.h = 0;
  mod_sec();
  EXPECT_NEAR(atm.g, con.g, 1e-4);
  flt.h = con.rearth;
  mod_sec();
  EXPECT_NEAR(atm.g, con.g / 4, 1e-4);
}

TEST_F(FlightPeriodicChecks, OverspeedWarnsOnceAndCostsTheRightWings) {
  pln.semilen[5] = pln.semilen[7] = 5;
  msc.warn_overspeed = 1;
  flt.vind = 219;
  mod_sec();
  EXPECT_EQ(flt.over_vne, 0);
  ASSERT_EQ(have_this_part(5), 1);
  flt.vind = 221;
  seconds(3);
  EXPECT_EQ(flt.over_vne, 1);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "You just busted the redline speed.");
  EXPECT_EQ(have_this_part(5) + have_this_part(7), 0);
  // In miles per hour the same speed in knots reads 15 % higher.
  flt.over_vne = 0;
  pln.asi_units = 1;
  flt.vind = 192;
  mod_sec();
  EXPECT_EQ(flt.over_vne, 1);
  // Not with the warning switched off, nor for a helicopter.
  flt.over_vne = 0;
  msc.warn_overspeed = 0;
  mod_sec();
  msc.warn_overspeed = 1;
  pln.is_heli = 1;
  mod_sec();
  EXPECT_EQ(flt.over_vne, 0);
}

TEST_F(FlightPeriodicChecks, FlapWarningOncePerExtensionAboveVfe) {
  msc.warn_flaps = 1;
  flt.vind = 120;
  flt.flaprequest = 10;
  seconds(3);
  EXPECT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "You just extended the flaps above Vfe.");
  flt.flaprequest = 0;
  mod_sec();
  EXPECT_EQ(flt.over_vfe, 0);
  flt.flaprequest = 20;
  mod_sec();
  EXPECT_EQ(macibm_alert_log().size(), 2u);
  flt.flaprequest = 0;
  mod_sec();
  flt.vind = 90;  // below Vfe nothing is said
  flt.flaprequest = 20;
  mod_sec();
  EXPECT_EQ(macibm_alert_log().size(), 2u);
}

TEST_F(FlightPeriodicChecks, GliderAndHelicopterWithoutRotationSpeedStayFinite) {
  pln.entype = 0;
  pln.numen = 0;
  pln.omegamax = 0;
  pln.ff_hydraulic = 1;
  flt.Qratio = 1.0e30f;  // stick forces are limited before they become integers
  for (int i = 0; i < FAIL_ENTRIES; i++) rel.fail_type[i] = 3;
  seconds(2);
  EXPECT_TRUE(std::isfinite(rel.hyd_rat));
  EXPECT_EQ(rel.engine[0] + rel.engine[1] + rel.engine[2] + rel.engine[3], 4);
  reset_rel();
  pln.is_heli = 1;  // rotor speed over no maximum gives no pressure rather than NaN
  flt.tac[0] = 30;
  seconds(1);
  EXPECT_EQ(rel.hyd_rat, 0);
}

TEST_F(FlightPeriodicChecks, WeatherStepsRunEverySecond) {
  atm.rain_tstm = 9;  // limited within the second
  atm.rate_change = 7;
  atm.change_vis = 1;
  float vis = atm.vis;
  mod_sec();
  EXPECT_EQ(atm.rain_tstm, 5);
  EXPECT_FLOAT_EQ(atm.vis, vis * 1.002f);  // limited first, then improved
}
