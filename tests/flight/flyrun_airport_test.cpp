// The runner's airport starts, autopilot commands and wind: their options and script lines, and
// where a final-approach start puts the aircraft.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/macibm.h"
#include "controls/controls.h"
#include "flight_fixture.h"
#include "flyrun.h"

namespace {
int parse(std::initializer_list<const char*> args, fly_options* o, char* err) {
  const char* argv[32] = {"kestrix-fly", "--aircraft", "builtin:trainer"};
  int argc = 3;
  for (const char* a : args) argv[argc++] = a;
  return fly_parse_args(argc, argv, o, err);
}
}  // namespace

TEST(FlightRunnerAirport, StartAutopilotAndWindOptions) {
  fly_options o;
  char err[FLY_ERR];
  ASSERT_TRUE(parse({}, &o, err));
  EXPECT_STREQ(o.airport, "SBD ");
  ASSERT_TRUE(parse({"--start", "ils-final", "--airport", "TRM", "--runway", "3", "--ap-hdg", "90",
                     "--ap-alt-ft", "5000", "--wind", "250/12"},
                    &o, err))
      << err;
  EXPECT_EQ(o.airport_start, 1100);
  EXPECT_STREQ(o.airport, "TRM ");
  EXPECT_EQ(o.runway, 3);
  EXPECT_EQ(o.controls.ap_hdg_on, 1);
  EXPECT_FLOAT_EQ(o.controls.ap_alt_ft, 5000.0f);
  EXPECT_EQ(o.given, unsigned(FLY_AP_HDG | FLY_AP_ALT));
  EXPECT_FLOAT_EQ(o.wind_dir, 250.0f);
  EXPECT_FLOAT_EQ(o.wind_kt, 12.0f);
  const char* bad[][2] = {{"--runway", "6"},   {"--runway", "1.5"},  {"--airport", "KSBDX"},
                          {"--wind", "250"},   {"--wind", "400/10"}, {"--start", "final"},
                          {"--ap-kias", "-5"}, {"--ap-off", "2"}};
  for (auto& b : bad) EXPECT_FALSE(parse({b[0], b[1]}, &o, err)) << b[0] << " " << b[1];
}

TEST(FlightRunnerAirport, ScriptLinesEngageAndDisengageTheAutopilot) {
  fly_script_entry e;
  char err[FLY_ERR];
  fly_controls c{};
  ASSERT_TRUE(fly_parse_script_line("t=10 ap_hdg=90 ap_vs_fpm=-500 throttle=0.7", &e, err)) << err;
  fly_apply_script(&c, &e);
  EXPECT_EQ(c.ap_hdg_on + c.ap_vs_on, 2);
  EXPECT_FLOAT_EQ(c.ap_vs_fpm, -500.0f);
  EXPECT_FLOAT_EQ(c.throttle, 0.7f);
  ASSERT_TRUE(fly_parse_script_line("t=20 ap_off=1 ap_kias=100", &e, err)) << err;
  fly_apply_script(&c, &e);
  EXPECT_EQ(c.ap_hdg_on + c.ap_vs_on, 0);
  EXPECT_EQ(c.ap_kias_on, 1);
  EXPECT_FLOAT_EQ(c.throttle, 0.7f);  // untouched by the line
}

class FlightRunnerAirportStart : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
  }
  void TearDown() override { macibm_program_folder = nullptr; }
  // The Trainer at the default airport, started as `start` on runway end `runway`.
  void start_trainer(int start, int runway) {
    fly_default_options(&o);
    o.airport_start = start;
    o.runway = runway;
    fly_setup_world(0.0f);
    char err[FLY_ERR], path[1000];
    ASSERT_TRUE(fly_airport_world(&o, err)) << err;
    std::snprintf(path, sizeof path, "%saircraft/Trainer.acf", app_path);
    ASSERT_TRUE(fly_load_aircraft(path, err)) << err;
    fly_start(&o);
  }
  fly_options o;
};

// 9 nm out on the extended centreline, 9 sin 3 nm above the field, faster than the stall.
TEST_F(FlightRunnerAirportStart, AnInstrumentFinalIsOnTheGlidePathAtASafeSpeed) {
  start_trainer(1100, 0);
  int n = msc.loc_apt_wrl;
  ASSERT_EQ(std::strncmp(apt_id[n], "SBD ", 4), 0);
  int h = apt_hdng[n][0];
  float half = 0.5f * apt_len[n][0];
  double tx = X_with_latlon(apt_lat[n][0], apt_lon[n][0]) - half * isin(h);
  double tz = Z_with_lat(apt_lat[n][0]) + half * icos(h);
  double along = (tx - flt.X) * isin(h) - (tz - flt.Z) * icos(h);  // towards the threshold
  double across = (tx - flt.X) * icos(h) + (tz - flt.Z) * isin(h);
  float d = 9.0f * con.nmtomtrs;
  EXPECT_NEAR(along, d, 1.0);
  EXPECT_NEAR(across, 0.0, 1.0);
  EXPECT_NEAR((flt.Y - apt_h[n]) / along, std::sin(3.0f * con.degtorad), 1e-3);
  EXPECT_FLOAT_EQ(flt.psi, static_cast<float>(h));
  EXPECT_GT(flt.vind, 1.1f * msc.est_Vs * con.msctokts);
  EXPECT_GT(flt.Y, env.local_h + 300.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.5f);  // the start's power, not the options' idle
}

// ---- Flying on the autopilot -----------------------------------------------------------------

// The Trainer in calm air at 3000 ft on the flat world, holding 3000 ft and the bug on 090.
TEST_F(FlightRunnerAirportStart, AutopilotHoldsAltitudeAndHeadingForTenMinutes) {
  fly_default_options(&o);
  o.kias = 90.0f;
  o.controls.throttle = 0.7f;
  o.controls.ap_hdg_on = o.controls.ap_alt_on = 1;
  o.controls.ap_hdg = 90.0f;
  o.controls.ap_alt_ft = 3000.0f;
  fly_setup_world(0.0f);
  char err[FLY_ERR], path[1000];
  std::snprintf(path, sizeof path, "%saircraft/Trainer.acf", app_path);
  ASSERT_TRUE(fly_load_aircraft(path, err)) << err;
  fly_start(&o);
  for (int n = 0; n < 13200; n++) {
    fly_set_controls(&o.controls);
    fly_frame();
    if (n < 1200) continue;  // a minute to settle on the heading
    ASSERT_NEAR(flt.h * con.mtrstoft, 3000.0f, 100.0f) << "t=" << fly_time();
    ASSERT_NEAR(fltwrap(flt.magpsi - 90.0f, -180.0f, 180.0f), 0.0f, 5.0f) << "t=" << fly_time();
  }
}

// Full throttle from the runway, the autopilot engaged once airborne: it climbs to 4000 ft
// heading south and stays there.
TEST_F(FlightRunnerAirportStart, ATakeoffClimbsOnAutopilotAndHoldsAltitudeAndHeading) {
  start_trainer(900, 0);
  fly_controls c = fly_start_controls(&o);
  c.throttle = 1.0f;
  for (int n = 0; n < 18000; n++) {
    if (n == 600) c.ap_hdg_on = c.ap_alt_on = 1, c.ap_hdg = 180.0f, c.ap_alt_ft = 4000.0f;
    fly_set_controls(&c);
    fly_frame();
    ASSERT_EQ(flt.crashes, 0) << "t=" << fly_time();
  }
  EXPECT_NEAR(flt.h * con.mtrstoft, 4000.0f, 100.0f);
  EXPECT_NEAR(flt.magpsi, 180.0f, 5.0f);
}

// A wind from the west pushes the track of an aircraft heading about north to the east of its
// heading.
TEST_F(FlightRunnerAirportStart, AWestWindDriftsANorthboundTrackEast) {
  fly_default_options(&o);
  o.kias = 100.0f;
  o.wind_dir = 270.0f;
  o.wind_kt = 20.0f;
  o.controls.throttle = 0.7f;
  o.controls.ap_hdg_on = 1;
  fly_setup_world(0.0f);
  char err[FLY_ERR], path[1000];
  std::snprintf(path, sizeof path, "%saircraft/Trainer.acf", app_path);
  ASSERT_TRUE(fly_load_aircraft(path, err)) << err;
  fly_start(&o);
  EXPECT_GT(atm.wind_X, 0.0f);
  for (int n = 0; n < 2400; n++) {
    fly_set_controls(&o.controls);
    fly_frame();
  }
  float track = std::atan2(static_cast<float>(flt.vX), static_cast<float>(flt.vZ)) * con.radtodeg;
  float drift = fltwrap(track - flt.psi, -180.0f, 180.0f);
  EXPECT_NEAR(drift, std::atan(20.0f / (flt.av * con.msctokts)) * con.radtodeg, 2.0f);
}
