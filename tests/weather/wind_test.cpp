// Wind layers, ground effect on the wind, microbursts, new random layers and the storm level.
#include "weather/weather_fixture.h"

class WeatherWind : public WeatherFixture {
 protected:
  // Runs long enough for the filtered wind to settle on its targets, at a height above ground.
  void settle_at(float agl) {
    flt.Y = flt.h = agl;
    for (int n = 0; n < 400; n++) wxcalc();
  }
  int ticks_to_burst() {
    int n = 0;
    while (!atm.inshear && n < 30000) wxcalc(), n++;
    return n;
  }
};

TEST_F(WeatherWind, LayerOfHeightSwitchesStrictlyAtEachLimit) {
  const float limits_ft[8] = {1000, 2000, 3000, 4000, 5000, 7000, 10000, 15000};
  for (int k = 0; k < 8; k++) {
    EXPECT_EQ(wind_index(ft(limits_ft[k]) - 0.01f), k);
    EXPECT_EQ(wind_index(ft(limits_ft[k])), k + 1);
  }
  EXPECT_EQ(wind_index(-400), 0);
  EXPECT_EQ(wind_index(NAN), 8);
}

TEST_F(WeatherWind, WindAtTheAircraftFromItsLayerAndTheGround) {
  settle_at(500);
  // Calm settings: no wind at all.
  EXPECT_EQ((std::vector<float>{atm.wind_X, atm.wind_Y, atm.wind_Z}), std::vector<float>(3, 0));
  atm.wndspd[0] = 10;  // from magnetic north
  atm.thermal_vvi = 4, atm.therm_on_poly[10][20] = 1;
  env.i_aircraft = 10, env.j_aircraft = 20;
  // Horizontal parts halved up to 10 m and full from 20 m; the vertical part grows to 100 m.
  const float agl[3] = {5, 15, 150}, horizontal[3] = {0.5f, 0.75f, 1},
              vertical[3] = {0.05f, 0.15f, 1};
  for (int n = 0; n < 3; n++) {
    settle_at(agl[n]);
    EXPECT_NEAR(atm.wind_Z, -10 * horizontal[n], 1e-3) << agl[n];
    EXPECT_NEAR(atm.wind_Y, 4 * vertical[n], 1e-3) << agl[n];
  }
  reset_turbulence();
  wxcalc();
  EXPECT_NEAR(atm.wind_Z, -10, 1e-3) << "a new flight's first tick keeps the layer's wind";
  env.mvar = 90;        // magnetic north is true west: the wind blows east
  env.i_aircraft = -1;  // a cell outside the grid has no thermal
  settle_at(150);
  EXPECT_NEAR(atm.wind_X, 10, 1e-3);
  EXPECT_NEAR(atm.wind_Y, 0, 1e-3);
}

TEST_F(WeatherWind, MicroburstsOnlyAboveSettingOneAndBelow300mAndTheyEnd) {
  flt.Y = 100;
  EXPECT_EQ(ticks_to_burst(), 30000);
  atm.burst_prob = 5;
  flt.Y = 400;
  EXPECT_EQ(ticks_to_burst(), 30000);
  flt.Y = 100;
  msc.elap_time = 86395;
  ASSERT_LT(ticks_to_burst(), 30000);  // about one tick in 600 at setting 5
  atm.burst_prob = 1;
  msc.elap_time = 86404;
  wxcalc();
  EXPECT_EQ(atm.inshear, 1);  // at least 10 s
  msc.elap_time = 16;         // 21 s on, across midnight
  wxcalc();
  EXPECT_EQ(atm.inshear, 0);
}

// Air cannot flow down through the ground or a deck: at the surface a microburst blows along it
// only, as the turbulence's vertical part fades there too. A downdraft of thousands of feet a
// minute on a parked aircraft tipped it over.
TEST_F(WeatherWind, MicroburstDowndraftFadesAtTheGround) {
  atm.burst_prob = 5;
  flt.Y = 0, flt.cospsi = 1;  // parked facing north, on the ground, then on a carrier's deck
  for (int deck = 0; deck < 2; deck++, env.over_carr = 1, flt.Y = CARRIER_DECK) {
    float most = 0, shear = 0;
    for (int n = 0; n < 20000; n++, msc.elap_time += 0.1f) {
      wxcalc();
      most = fltmax2(most, std::fabs(atm.wind_Y));
      shear = fltmax2(shear, std::hypot(atm.wind_X, atm.wind_Z));
    }
    ASSERT_GT(shear, 10.0f) << deck;  // bursts blew
    EXPECT_EQ(most, 0.0f) << deck;
  }
}

TEST_F(WeatherWind, NewLayersStayCalmBelowWindinessOneTurnTheShortWayAndDriftAboutTheirWind) {
  atm.wind_tbl = NAN;
  assign_wind_tbl(1.0f);
  EXPECT_EQ(atm.wndspd[3], 0);
  EXPECT_EQ(atm.tbl[3], 0);
  atm.wind_tbl = 1;  // no spread: every target is the base direction, b + 180 here
  for (int seed = 1; seed <= 40; seed++) {
    std::srand(seed);
    assign_wind_tbl(1.0f);
    float b = atm.wnddir[0];
    // Layers 20 degrees either side of their mean turn the short way, whichever side north lies.
    auto off = [](int k) { return k == 8 ? 0 : k % 2 ? 20 : -20; };
    for (int k = 0; k < WIND_LAYERS; k++) atm.wnddir[k] = std::fmod(b + 180 + off(k), 360);
    assign_wind_tbl(0.5f);
    for (int k = 0; k < WIND_LAYERS; k++) {
      float diff = std::fabs(atm.wnddir[k] - std::fmod(b + 180 + off(k) / 2, 360));
      EXPECT_LT(fltmin2(diff, 360 - diff), 1e-2f) << "b " << b << " layer " << k;
    }
  }
  // Drifting by itself, a wind set by hand from the west keeps blowing from about the west.
  reset_wxcalc();
  atm.wind_tbl = 3;
  for (int k = 0; k < WIND_LAYERS; k++) atm.wnddir[k] = 270;
  for (int s = 0; s < 600; s++) assign_wind_tbl(0.05f);
  for (int k = 0; k < WIND_LAYERS; k++) EXPECT_NEAR(atm.wnddir[k], 270, 90) << k;
}

TEST_F(WeatherWind, StormLevelAveragesTheFieldAndHoldsAtTheEdges) {
  env.hix = 630, env.hiz = 420;  // one metre per point
  atm.rain_tstm = 3;
  for (int k = 0; k < WXR_K; k++) atm.wxr[0][k] = atm.wxr[1][k] = atm.wxr[2][k] = 1;
  EXPECT_NEAR(storm_level_at(-1.0e9f, 0), 2, 1e-5);  // beyond the edge the edge repeats
  EXPECT_NEAR(storm_level_at(1, 420), 2 * 4 / 5.0f, 1e-5);
  atm.wxr[100][100] = 1;  // one point counts in the 5 x 5 around it only
  EXPECT_NEAR(storm_level_at(102, 98), 2 / 25.0f, 1e-6);
  EXPECT_EQ((std::vector<float>{storm_level_at(103, 100), storm_level_at(100, 97),
                                storm_level_at(NAN, 10)}),
            std::vector<float>(3, 0));
  env.hix = env.lox;  // no region
  EXPECT_EQ(storm_level_at(10, 10), 0);
}
