// Wind layers, turbulence, thermals, microbursts, new random layers and the storm level.
#include "support/test_support.h"

#include <cmath>
#include <cstdlib>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

class WeatherWind : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_atm();
    reset_flt();
    reset_env();
    reset_msc();
    reset_pln();
    reset_wxcalc();
    atm.burst_prob = 1;
    atm.rain_tstm = 1;
    atm.wind_tbl = 1;
    std::srand(11);
  }
  // Height above ground of the aircraft over flat ground at sea level.
  void at_agl(float agl) {
    flt.Y = agl;
    flt.h = agl;
  }
  void run(int ticks) {
    for (int n = 0; n < ticks; n++) wxcalc();
  }
};

TEST_F(WeatherWind, LayerOfHeightSwitchesStrictlyAtEachLimit) {
  const float limits_ft[8] = {1000, 2000, 3000, 4000, 5000, 7000, 10000, 15000};
  for (int k = 0; k < 8; k++) {
    float limit = limits_ft[k] * con.fttomtrs;
    EXPECT_EQ(wind_index(limit - 0.01f), k) << limits_ft[k];
    EXPECT_EQ(wind_index(limit), k + 1) << limits_ft[k];
  }
  EXPECT_EQ(wind_index(-400), 0);
  EXPECT_EQ(wind_index(30000), 8);
  EXPECT_EQ(wind_index(NAN), 8);
}

TEST_F(WeatherWind, CalmSettingsGiveNoWindAtTheAircraft) {
  at_agl(500);
  run(500);
  EXPECT_EQ(atm.wind_X, 0);
  EXPECT_EQ(atm.wind_Y, 0);
  EXPECT_EQ(atm.wind_Z, 0);
  EXPECT_EQ(atm.inshear, 0);
}

TEST_F(WeatherWind, MeanWindBlowsFromItsDirectionCorrectedForVariation) {
  at_agl(200);  // layer 0, full strength
  atm.wnddir[0] = 270;  // from the west, magnetic
  atm.wndspd[0] = 10;
  run(400);
  EXPECT_NEAR(atm.wind_X, 10, 1e-3);  // blowing east
  EXPECT_NEAR(atm.wind_Z, 0, 1e-3);
  // With 90 degrees of easterly variation the magnetic 270 is a true 180: wind from the south.
  env.mvar = 90;
  run(400);
  EXPECT_NEAR(atm.wind_X, 0, 1e-3);
  EXPECT_NEAR(atm.wind_Z, 10, 1e-3);  // blowing north
  // The layer above 15000 ft is the one used up there.
  atm.wndspd[8] = 4;
  at_agl(6000);
  run(400);
  EXPECT_NEAR(pythag(atm.wind_X, atm.wind_Z), 4, 1e-3);
}

TEST_F(WeatherWind, GroundDampsHorizontalAndVerticalParts) {
  atm.wnddir[0] = 0;  // from the north
  atm.wndspd[0] = 10;
  atm.thermal_vvi = 4;
  env.i_aircraft = 10;
  env.j_aircraft = 20;
  atm.therm_on_poly[10][20] = 1;
  at_agl(5);  // horizontal halved, vertical at 5 %
  run(400);
  EXPECT_NEAR(atm.wind_Z, -5, 1e-3);
  EXPECT_NEAR(atm.wind_Y, 0.2f, 1e-3);
  at_agl(15);  // three quarters, 15 %
  run(400);
  EXPECT_NEAR(atm.wind_Z, -7.5f, 1e-3);
  EXPECT_NEAR(atm.wind_Y, 0.6f, 1e-3);
  at_agl(150);  // full
  run(400);
  EXPECT_NEAR(atm.wind_Z, -10, 1e-3);
  EXPECT_NEAR(atm.wind_Y, 4, 1e-3);
  // A cell index outside the grid carries no thermal and is never read.
  env.i_aircraft = -1;
  env.j_aircraft = 500;
  run(400);
  EXPECT_NEAR(atm.wind_Y, 0, 1e-3);
}

TEST_F(WeatherWind, TurbulenceTargetsChangeOnEveryTwelfthCall) {
  at_agl(500);
  atm.tbl[1] = 5;
  float seen[40];
  for (int n = 0; n < 40; n++) {
    wxcalc();
    seen[n] = atm.wind_X;
  }
  // Nothing before the twelfth call; then a filtered approach towards a target held for 12 calls.
  EXPECT_EQ(seen[10], 0);
  EXPECT_NE(seen[11], 0);
  float target = seen[11] / 0.1f;
  EXPECT_NEAR(seen[22], target * (1 - std::pow(0.9f, 12)), 1e-3);
  EXPECT_NE(seen[23] - 0.9f * seen[22], seen[22] - 0.9f * seen[21]);
}

TEST_F(WeatherWind, MicroburstsOnlyAboveSettingOneAndBelow300m) {
  at_agl(100);
  run(30000);
  EXPECT_EQ(atm.inshear, 0);
  atm.burst_prob = 5;
  at_agl(400);
  run(30000);
  EXPECT_EQ(atm.inshear, 0);
  at_agl(100);
  int ticks = 0;
  while (!atm.inshear && ticks < 30000) {
    wxcalc();
    ticks++;
  }
  ASSERT_EQ(atm.inshear, 1);  // about one in 600 ticks at setting 5
  // It lasts 10 to 20 s and then ends.
  for (int s = 0; s < 9; s++) {
    msc.elap_time += 1;
    wxcalc();
    EXPECT_EQ(atm.inshear, 1);
  }
  msc.elap_time += 12;
  wxcalc();
  EXPECT_EQ(atm.inshear, 0);
}

TEST_F(WeatherWind, MicroburstAcrossMidnightStillEnds) {
  atm.burst_prob = 5;
  at_agl(50);
  msc.elap_time = 86395;
  int ticks = 0;
  while (!atm.inshear && ticks < 30000) {
    wxcalc();
    ticks++;
  }
  ASSERT_EQ(atm.inshear, 1);
  atm.burst_prob = 1;
  msc.elap_time = 30;  // the clock wrapped: 35 s have passed
  wxcalc();
  EXPECT_EQ(atm.inshear, 0);
}

TEST_F(WeatherWind, NewLayersFollowWindinessAndStayFinite) {
  atm.wind_tbl = 1;  // calm: every layer on the base direction with nothing else
  assign_wind_tbl(1.0f);
  for (int k = 0; k < WIND_LAYERS; k++) {
    EXPECT_EQ(atm.wndspd[k], 0);
    EXPECT_EQ(atm.tbl[k], 0);
    EXPECT_EQ(atm.wnddir[k], atm.wnddir[0]);
  }
  atm.wind_tbl = 5;
  assign_wind_tbl(1.0f);
  for (int k = 0; k < WIND_LAYERS; k++) {
    EXPECT_LE(atm.wndspd[k], 90 * con.ktstomsc + 1e-3f);
    EXPECT_LE(atm.shrdir[k], 150);
    EXPECT_LE(atm.tbl[k], 15);
  }
  for (float w : {0.0f, -3.0f, NAN}) {
    atm.wind_tbl = w;
    assign_wind_tbl(1.0f);
    for (int k = 0; k < WIND_LAYERS; k++) EXPECT_EQ(atm.wndspd[k], 0) << w;
  }
}

TEST_F(WeatherWind, SlowDriftTurnsDirectionsTheShortWay) {
  atm.wind_tbl = 1;  // no spread: every target is the base direction b
  for (int seed = 1; seed <= 40; seed++) {
    std::srand(seed);
    assign_wind_tbl(1.0f);  // draws b
    float b = atm.wnddir[0];
    // From 160 or 200 degrees away the short way is 160 degrees round, whichever side b lies.
    for (int k = 0; k < WIND_LAYERS; k++) atm.wnddir[k] = std::fmod(b + (k % 2 ? 200 : 160), 360);
    assign_wind_tbl(0.5f);
    for (int k = 0; k < WIND_LAYERS; k++) {
      float expect = std::fmod(b + (k % 2 ? 280 : 80), 360);
      float diff = std::fabs(atm.wnddir[k] - expect);
      EXPECT_LT(fltmin2(diff, 360 - diff), 1e-2f) << "b " << b << " layer " << k;
      EXPECT_TRUE(atm.wnddir[k] >= 0 && atm.wnddir[k] <= 360) << atm.wnddir[k];
    }
  }
}

TEST_F(WeatherWind, StormLevelAveragesTheFieldAndHoldsAtTheEdges) {
  env.lox = 0;
  env.hix = 630;
  env.loz = 0;
  env.hiz = 420;
  for (int i = 0; i < WXR_I; i++)
    for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = i < 3 ? 1.0f : 0.0f;
  atm.rain_tstm = 3;
  // At the western edge 3 of 5 columns are storm; beyond the edge the edge column repeats.
  EXPECT_NEAR(storm_level_at(0, 200), 2 * 1.0f, 1e-5);
  EXPECT_NEAR(storm_level_at(-1.0e9f, 0), 2, 1e-5);
  EXPECT_NEAR(storm_level_at(1, 420), 2 * 4 / 5.0f, 1e-5);  // columns 0, 0, 1, 2, 3
  EXPECT_NEAR(storm_level_at(300, 200), 0, 1e-5);
  // A single storm point counts in the 5 x 5 points around it and nowhere else.
  for (int i = 0; i < 3; i++)
    for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = 0;
  atm.wxr[100][100] = 1;
  EXPECT_NEAR(storm_level_at(102, 98), 2 / 25.0f, 1e-6);
  EXPECT_NEAR(storm_level_at(103, 100), 0, 1e-6);
  EXPECT_NEAR(storm_level_at(100, 97), 0, 1e-6);
  EXPECT_EQ(storm_level_at(NAN, 10), 0);
  env.hix = env.lox;  // no region
  EXPECT_EQ(storm_level_at(10, 10), 0);
}
