// The world state the weather and once-a-second tests start from: every record reset, calm air at
// the factory cloud and visibility settings, no real-weather file, a fixed random sequence.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "support/test_support.h"
#include "weather/weather.h"
#include "world/world.h"

class WeatherFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_world_state();
    reset_wxcalc();
    reset_weather_sec();
    reset_periodic_checks();
    reset_failures();
    std::srand(1);
    app_path[0] = '\0';  // the test's scratch folder
    std::remove("USA.rwx");
    atm.rain_tstm = atm.wind_tbl = atm.burst_prob = atm.cld_type = 1, atm.vis = nm(7);
    atm.baseMSL = ft(4000), atm.topsMSL = ft(5000);
  }
  void TearDown() override { std::remove("USA.rwx"); }
  static float ft(float v) { return v * con.fttomtrs; }
  static float nm(float v) { return v * con.nmtomtrs; }
};

// The once-a-second pass on a twin piston aeroplane with fuel and a rich mixture.
class TwinTest : public WeatherFixture {
 protected:
  void SetUp() override {
    WeatherFixture::SetUp();
    pln.entype = 1, pln.numen = 2, pln.m_fuel = 100, pln.omegamax = 250, flt.m_fuel = 50;
    for (int e = 0; e < MAX_ENGINES; e++) flt.mixt_powr_rat[e] = 1;
  }
  static void seconds(int n) {
    for (int s = 0; s < n; s++, msc.elap_time += 1) mod_sec();
  }
};
