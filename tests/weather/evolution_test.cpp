// The weather's once-a-second work: the real-weather file, its targets, the limits of every
// setting, and the weather drifting by itself.
#include "weather/weather_fixture.h"

class WeatherEvolution : public WeatherFixture {
 protected:
  // Two region airports share an identifier; a third lies outside the region.
  void SetUp() override {
    WeatherFixture::SetUp();
    const char* ids[3] = {"KAAA", "KAAA", "KBBB"};
    const float lat[3] = {34.0f, 35.5f, 34.1f}, h[3] = {100, 500, 0};
    for (int n = 0; n < 3; n++) {
      std::strcpy(apt_id[5 + n], ids[n]);
      apt_lat[5 + n][0] = lat[n], apt_lon[5 + n][0] = -118;
      apt_h[5 + n] = h[n], apt_inreg[5 + n] = n < 2;
    }
    msc.loc_apt_wrl = 5;
    flt.lat = 34.2f, flt.lon = -118.1f;
  }
  void TearDown() override {
    for (int n = 5; n < 8; n++) apt_inreg[n] = 0;
    WeatherFixture::TearDown();
  }
  static void report(const std::string& text) { write_file("USA.rwx", text); }
};

TEST_F(WeatherEvolution, NoFileOrNoLineForTheRegionLeavesTheWeatherAlone) {
  atm.rate_change = 8;
  static atmospherestruct before;
  before = atm;
  read_real_weather();
  report("KBBB 1200 SA 10 OVC 1 R+ 60/50/3520/992\nKCCC 1200 SA CLR 10 60/50/0000/992\n");
  for (int s = 0; s < 61; s++) read_real_weather();
  EXPECT_EQ(std::memcmp(&before, &atm, sizeof atm), 0);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(WeatherEvolution, NearestRegionAirportsReportIsAppliedAndApproached) {
  report(
      "KBBB 1200 SA 10 OVC 1 60/50/0000/992\nKAAA 1950 SA 30 BKN 80 OVC 5 R 65/50/2710G20/001\rKA");
  float base0 = atm.baseMSL;
  env.mvar = -12;  // the report's wind is true: from 270 true is 258 magnetic
  read_real_weather();
  EXPECT_EQ(atm.rate_change, 4);
  EXPECT_NEAR(msc.locl_time, 71400 - 8 * 3600, 0.5f);  // UTC less the 8 hours of the zone
  EXPECT_EQ((std::vector<float>{atm.burst_prob, atm.wind_tbl, atm.wnddir[0]}),
            (std::vector<float>{1, 1, 258}));
  flt.h = 100;  // the field's height: the report's 65 F is the temperature there
  set_air_at_aircraft();
  EXPECT_NEAR(atm.T, (65 + 459.67f) / 1.8f, 0.01f);
  EXPECT_FLOAT_EQ(atm.tbl[0], 0.3f * 10 * con.ktstomsc);  // from wind and gust, 10 kt each
  for (int k = 1; k < WIND_LAYERS; k++) {
    EXPECT_LE(std::fabs(atm.wnddir[k] - 258), 30);
    EXPECT_LE(std::fabs(atm.wndspd[k] / atm.wndspd[0] - 1), 0.5f + 1e-5f);
  }
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "I have detected the file 'USA.rwx' in the Kestrix folder.");
  settle_weather();  // 2 % of the way to the nearer airport's report (100 m, not 500 m)
  EXPECT_NEAR(atm.baseMSL, 0.02f * (ft(3000) + 100) + 0.98f * base0, 1e-3);
  EXPECT_NEAR(atm.rain_tstm, 0.02f * 3.5f + 0.98f, 1e-5);  // moderate rain
  EXPECT_NEAR(atm.vis, 0.02f * nm(5) + 0.98f * nm(7), 1e-2);
  msc.running_slow = 1;  // a slow frame rate keeps the report from raising it beyond 3 nm
  atm.vis = nm(4);
  settle_weather();
  EXPECT_NEAR(atm.vis, nm(4), 1e-2);
  report("KAAA 1200 SA 30 BKN 5 TRW+ 65/50/2710/001\n");
  flt.lon = -117.9f;  // a whole degree crossed: read again at once
  read_real_weather();
  EXPECT_EQ(atm.burst_prob, 5);
  EXPECT_EQ(macibm_alert_log().size(), 1u);  // the notice comes once
}

TEST_F(WeatherEvolution, ReadsAgainEachMinute) {
  report("KAAA 1200 SA CLR 10 65/50/0000/992\n");
  read_real_weather();
  report("KAAA 1200 SA CLR 10 65/55/0000/992\n");
  for (int s = 0; s < 59; s++) read_real_weather();
  EXPECT_EQ(atm.dewp_SL, 50);
  read_real_weather();
  EXPECT_EQ(atm.dewp_SL, 55);
}

TEST_F(WeatherEvolution, LimitsHoldEverySettingInRange) {
  atm.baseMSL = -1000, atm.topsMSL = atm.vis = 0, atm.rain_tstm = 9;
  atm.wind_tbl = NAN, atm.burst_prob = -3, atm.wnddir[2] = 1000, atm.wnddir[3] = -30;
  atm.shrdir[4] = atm.wndspd[5] = 500, atm.shrspd[6] = -5, atm.tbl[7] = 50;
  msc.loc_apt_wrl = 123456;  // not an airport: sea level
  settle_weather();
  EXPECT_EQ(std::pair(atm.baseMSL, atm.baseAGL), std::pair(50.0f, 50.0f));
  EXPECT_FLOAT_EQ(atm.topsMSL, 50 + ft(1000));
  EXPECT_FLOAT_EQ(atm.vis, 185.2f);
  EXPECT_EQ(atm.cld_type, 1);  // storms bring clouds
  EXPECT_EQ((std::vector<float>{atm.rain_tstm, atm.wind_tbl, atm.burst_prob}),
            (std::vector<float>{5, 1, 1}));
  EXPECT_NEAR(atm.wnddir[2], 280, 1e-3);
  EXPECT_NEAR(atm.wnddir[3], 330, 1e-3);
  EXPECT_EQ((std::vector<float>{atm.shrdir[4], atm.shrspd[6], atm.tbl[7]}),
            (std::vector<float>{180, 0, 9}));
  EXPECT_FLOAT_EQ(atm.wndspd[5], 99 * con.ktstomsc);
  msc.loc_apt_wrl = 6;
  atm.baseMSL = 100000;
  settle_weather();
  EXPECT_FLOAT_EQ(atm.baseAGL, ft(98999) - 500);
  EXPECT_FLOAT_EQ(atm.topsMSL, ft(99999));
}

TEST_F(WeatherEvolution, RatesImproveOrWorsenTheWeather) {
  atm.change_clouds = atm.change_vis = atm.change_precip = 1;
  atm.rain_tstm = 2;
  const struct {
    int rate;
    float vis, tops, rain;
  } cases[] = {{4, 1, 1, 2},
               {7, 1.002f, 0.998f, 1.99f},
               {100, 1.002f, 0.998f, 1.98f},
               {1, 0.998f, 1.002f, 1.99f}};
  for (auto c : cases) {
    float vis = atm.vis, tops = atm.topsMSL;
    atm.rate_change = c.rate;
    evolve_weather();
    EXPECT_FLOAT_EQ(atm.vis, vis * c.vis) << c.rate;
    EXPECT_FLOAT_EQ(atm.topsMSL, tops * c.tops) << c.rate;
    EXPECT_FLOAT_EQ(atm.rain_tstm, c.rain) << c.rate;
  }
  // A random rate is never near still, and holds for ten minutes.
  atm.rate_change = 8;
  float ratio[3];
  for (int n = 0; n < 3; n++, msc.elap_time += 200) {
    float vis = atm.vis;
    evolve_weather();
    ratio[n] = atm.vis / vis;
  }
  EXPECT_GE(std::fabs(ratio[0] - 1) * 500, 1 / 3.0f - 1e-3f);
  EXPECT_TRUE(ratio[1] == ratio[0] && ratio[2] == ratio[0]);
}
