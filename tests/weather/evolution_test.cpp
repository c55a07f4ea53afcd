// The weather's once-a-second work: the real-weather file, its targets, the limits of every
// setting, and the weather drifting by itself.
#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

class WeatherEvolution : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_atm();
    reset_flt();
    reset_msc();
    reset_env();
    reset_weather_sec();
    reset_wxcalc();
    std::srand(3);
    app_path[0] = '\0';  // the test's scratch folder
    std::remove("USA.rwx");
    atm.vis = 7 * con.nmtomtrs;
    atm.baseMSL = 4000 * con.fttomtrs;
    atm.topsMSL = 5000 * con.fttomtrs;
    atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1;
    atm.cld_type = 1;
    atm.temp_SL = 59;
    atm.baro = 29.92f;
    // Two region airports share an identifier; a third lies outside the region.
    add_airport(5, "KAAA", 34.0f, -118.0f, 100, 1);
    add_airport(7, "KAAA", 35.5f, -118.0f, 500, 1);
    add_airport(9, "KBBB", 34.1f, -118.1f, 0, 0);
    msc.loc_apt_wrl = 5;
    flt.lat = 34.2f;
    flt.lon = -118.1f;
  }
  void TearDown() override {
    for (int n : {5, 7, 9}) {
      apt_inreg[n] = 0;
      apt_id[n][0] = '\0';
    }
    std::remove("USA.rwx");
  }
  void add_airport(int n, const char* id, float lat, float lon, float h, int inreg) {
    std::strcpy(apt_id[n], id);
    apt_lat[n][0] = lat;
    apt_lon[n][0] = lon;
    apt_h[n] = h;
    apt_inreg[n] = inreg;
  }
  void write_file(const std::string& text) { std::ofstream("USA.rwx", std::ios::binary) << text; }
  float ft(float v) { return v * con.fttomtrs; }
  float nm(float v) { return v * con.nmtomtrs; }
  float kt(float v) { return v * con.ktstomsc; }
};

TEST_F(WeatherEvolution, NoFileOrNoLineForTheRegionLeavesTheWeatherAlone) {
  atm.rate_change = 8;
  static atmospherestruct before;
  before = atm;
  read_real_weather();
  write_file("KBBB 1200 SA 10 OVC 1 R+ 60/50/3520/992\nKCCC 1200 SA CLR 10 60/50/0000/992\n");
  for (int s = 0; s < 61; s++) read_real_weather();
  EXPECT_EQ(std::memcmp(&before, &atm, sizeof atm), 0);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(WeatherEvolution, ReportOfTheNearestRegionAirportIsApplied) {
  atm.rate_change = 7;
  write_file(
      "KBBB 1200 SA 10 OVC 1 60/50/0000/992\n"
      "KAAA 1950 SA 30 BKN 80 OVC 5 R 65/50/2710G20/001\r"
      "KA");
  float base0 = atm.baseMSL;
  read_real_weather();
  EXPECT_EQ(atm.rate_change, 4);
  EXPECT_EQ(msc.zulu_time, 19 * 3600 + 50 * 60);
  EXPECT_NEAR(msc.locl_time, (-118.1f / 15 + 3) * 3600 + msc.zulu_time, 0.5f);
  EXPECT_EQ(atm.temp_SL, 65);
  EXPECT_FLOAT_EQ(atm.baro, 30.01f);
  EXPECT_EQ(atm.burst_prob, 1);
  // The ground layer, its gust as spread, and the layers above drawn around it.
  EXPECT_EQ(atm.wnddir[0], 270);
  EXPECT_FLOAT_EQ(atm.wndspd[0], kt(10));
  EXPECT_FLOAT_EQ(atm.shrspd[0], kt(10));
  EXPECT_FLOAT_EQ(atm.shrdir[0], 2 * kt(10));
  EXPECT_FLOAT_EQ(atm.tbl[0], 0.3f * kt(10));
  EXPECT_EQ(atm.wind_tbl, 1);
  for (int k = 1; k < WIND_LAYERS; k++) {
    EXPECT_LE(std::fabs(atm.wnddir[k] - 270), 30);
    EXPECT_GE(atm.wndspd[k], kt(5) - 1e-4f);
    EXPECT_LE(atm.wndspd[k], kt(15) + 1e-4f);
  }
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "I have detected the file 'USA.rwx' in the Kestrix folder.");
  // The settings move 2 % towards the report of the nearer airport (100 m, not 500 m).
  settle_weather();
  EXPECT_NEAR(atm.baseMSL, 0.02f * (ft(3000) + 100) + 0.98f * base0, 1e-3);
  EXPECT_NEAR(atm.rain_tstm, 0.02f * 3.5f + 0.98f, 1e-5);  // moderate rain: 3.5
  EXPECT_NEAR(atm.vis, 0.02f * nm(5) + 0.98f * nm(7), 1e-2);
}

TEST_F(WeatherEvolution, ReadsAgainEachMinuteOrAtOnceOnCrossingADegree) {
  write_file("KAAA 1200 SA CLR 10 65/50/0000/992\n");
  read_real_weather();
  EXPECT_EQ(atm.temp_SL, 65);
  write_file("KAAA 1200 SA CLR 10 70/50/0000/992\n");
  for (int s = 0; s < 59; s++) read_real_weather();
  EXPECT_EQ(atm.temp_SL, 65);
  read_real_weather();  // the sixtieth second
  EXPECT_EQ(atm.temp_SL, 70);
  write_file("KAAA 1200 SA CLR 10 75/50/0000/992\n");
  read_real_weather();
  EXPECT_EQ(atm.temp_SL, 70);
  flt.lon = -117.9f;  // a whole degree of longitude crossed
  read_real_weather();
  EXPECT_EQ(atm.temp_SL, 75);
  EXPECT_EQ(macibm_alert_log().size(), 1u);  // the notice comes once
}

TEST_F(WeatherEvolution, ThunderstormBringsMicroburstsAndHeavyRain) {
  write_file("KAAA 1200 SA 30 BKN 5 TRW+ 65/50/2710/001\n");
  read_real_weather();
  EXPECT_EQ(atm.burst_prob, 5);
  settle_weather();
  EXPECT_NEAR(atm.rain_tstm, 0.02f * 5 + 0.98f, 1e-5);
}

TEST_F(WeatherEvolution, SlowFramesKeepTheVisibilityBand) {
  write_file("KAAA 1200 SA CLR 1 65/50/0000/992\nKAAA 1200 SA CLR 10 65/50/0000/992\n");
  read_real_weather();  // both lines name the same airports: the later one is not nearer
  msc.running_slow = 1;
  const struct {
    float from_nm, expect_nm;
  } cases[] = {{5, 0.02f * 1 + 0.98f * 5}, {2, 2}};
  for (auto c : cases) {
    atm.vis = nm(c.from_nm);
    settle_weather();
    EXPECT_NEAR(atm.vis, nm(c.expect_nm), 1e-2) << c.from_nm;
  }
  msc.running_slow = 0;
  atm.vis = nm(2);
  settle_weather();
  EXPECT_NEAR(atm.vis, nm(0.02f + 0.98f * 2), 1e-2);
}

TEST_F(WeatherEvolution, LimitsHoldEverySettingInRange) {
  atm.baseMSL = -1000;
  atm.topsMSL = 0;
  atm.vis = 0;
  atm.cld_type = 0;
  atm.rain_tstm = 9;
  atm.wind_tbl = NAN;
  atm.burst_prob = -3;
  atm.wnddir[2] = 1000;
  atm.wnddir[3] = -30;
  atm.shrdir[4] = 500;
  atm.wndspd[5] = 500;
  atm.shrspd[6] = -5;
  atm.tbl[7] = 50;
  msc.loc_apt_wrl = 123456;  // not an airport: sea level
  settle_weather();
  EXPECT_EQ(atm.baseMSL, 50);
  EXPECT_FLOAT_EQ(atm.topsMSL, 50 + ft(1000));
  EXPECT_EQ(atm.baseAGL, 50);
  EXPECT_FLOAT_EQ(atm.vis, 185.2f);
  EXPECT_EQ(atm.cld_type, 1);  // storms bring clouds
  EXPECT_EQ(atm.rain_tstm, 5);
  EXPECT_EQ(atm.wind_tbl, 1);
  EXPECT_EQ(atm.burst_prob, 1);
  EXPECT_NEAR(atm.wnddir[2], 280, 1e-3);
  EXPECT_NEAR(atm.wnddir[3], 330, 1e-3);
  EXPECT_EQ(atm.shrdir[4], 180);
  EXPECT_FLOAT_EQ(atm.wndspd[5], kt(99));
  EXPECT_EQ(atm.shrspd[6], 0);
  EXPECT_EQ(atm.tbl[7], 9);
  msc.loc_apt_wrl = 7;
  atm.baseMSL = 100000;
  settle_weather();
  EXPECT_FLOAT_EQ(atm.baseMSL, ft(98999));
  EXPECT_FLOAT_EQ(atm.baseAGL, ft(98999) - 500);
  EXPECT_FLOAT_EQ(atm.topsMSL, ft(99999));
}

TEST_F(WeatherEvolution, RatesImproveOrWorsenTheWeather) {
  atm.change_clouds = atm.change_vis = atm.change_precip = 1;
  atm.rain_tstm = 2;
  float vis = atm.vis, tops = atm.topsMSL, base = atm.baseMSL;
  atm.rate_change = 4;
  evolve_weather();
  EXPECT_EQ(atm.vis, vis);
  atm.rate_change = 7;  // improving: visibility grows 0.2 % per second
  evolve_weather();
  EXPECT_FLOAT_EQ(atm.vis, vis * 1.002f);
  EXPECT_FLOAT_EQ(atm.topsMSL, tops * 0.998f);
  EXPECT_FLOAT_EQ(atm.baseMSL, base * 1.002f);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 1.99f);
  atm.rate_change = 100;  // beyond the scale: as fast as 7
  vis = atm.vis;
  evolve_weather();
  EXPECT_FLOAT_EQ(atm.vis, vis * 1.002f);
  atm.rate_change = 1;  // worsening
  vis = atm.vis;
  evolve_weather();
  EXPECT_FLOAT_EQ(atm.vis, vis * 0.998f);
}

TEST_F(WeatherEvolution, RandomRateIsNeverNearStillAndHeldTenMinutes) {
  atm.change_vis = 1;
  atm.rate_change = 8;
  float ratios[3];
  for (int n = 0; n < 3; n++) {
    float vis = atm.vis;
    evolve_weather();
    ratios[n] = atm.vis / vis;
    msc.elap_time += 200;
  }
  float c = (ratios[0] - 1) * 500;
  EXPECT_GE(std::fabs(c), 1 / 3.0f - 1e-3f);
  EXPECT_LE(std::fabs(c), 1 + 1e-3f);
  EXPECT_FLOAT_EQ(ratios[1], ratios[0]);
  EXPECT_FLOAT_EQ(ratios[2], ratios[0]);
}

TEST_F(WeatherEvolution, DriftingTurbulenceMovesTheWindLayers) {
  atm.change_turb = 1;
  atm.rate_change = 1;
  atm.wind_tbl = 5;
  evolve_weather();
  EXPECT_GT(atm.wind_tbl, 5 - 1e-6f);  // worsening pushes it to the top of its range
  float moved = 0;
  for (int k = 0; k < WIND_LAYERS; k++) moved += atm.wndspd[k];
  EXPECT_GT(moved, 0);
}
