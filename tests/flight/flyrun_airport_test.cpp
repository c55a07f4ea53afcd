// The runner's airport starts, autopilot commands, NAV 1 and wind: their options and script lines,
// where a final-approach start puts the aircraft, and the autopilot flying the magnetic bug and a
// VOR radial set in magnetic degrees.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "flight_fixture.h"

namespace {
int parse(std::initializer_list<const char*> args, fly_options* o, char* err) {
  return parse_args(args, o, err, "builtin:trainer");
}
}  // namespace

TEST(FlightRunnerAirport, StartAutopilotAndWindOptions) {
  fly_options o;
  char err[FLY_ERR];
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
  EXPECT_EQ(c.ap_hdg_on, 1);
  EXPECT_EQ(c.ap_vs_on, 1);
  EXPECT_FLOAT_EQ(c.ap_vs_fpm, -500.0f);
  EXPECT_FLOAT_EQ(c.throttle, 0.7f);
  ASSERT_TRUE(fly_parse_script_line("t=20 ap_off=1 ap_kias=100", &e, err)) << err;
  fly_apply_script(&c, &e);
  EXPECT_EQ(c.ap_hdg_on, 0);
  EXPECT_EQ(c.ap_vs_on, 0);
  EXPECT_EQ(c.ap_kias_on, 1);
  EXPECT_FLOAT_EQ(c.throttle, 0.7f);  // untouched by the line
}

TEST(FlightRunnerAirport, NavOptionsAndScriptKeysTuneSetTheCourseAndEngageNav) {
  fly_options o;
  char err[FLY_ERR];
  ASSERT_TRUE(
      parse({"--nav1", "116.2", "--obs", "355", "--ap-nav", "--ap-alt-ft", "4000"}, &o, err))
      << err;
  EXPECT_EQ(o.controls.nav1, 11620);
  EXPECT_FLOAT_EQ(o.controls.obs, 355.0f);
  EXPECT_EQ(o.controls.ap_nav_on, 1);
  EXPECT_EQ(o.given, unsigned(FLY_NAV1 | FLY_OBS | FLY_AP_NAV | FLY_AP_ALT));

  // A script line engaging one lateral mode drops the other.
  fly_script_entry e;
  fly_controls c = o.controls;
  ASSERT_TRUE(fly_parse_script_line("t=5 ap_hdg=90", &e, err)) << err;
  fly_apply_script(&c, &e);
  EXPECT_EQ(c.ap_hdg_on, 1);
  EXPECT_EQ(c.ap_nav_on, 0);
  ASSERT_TRUE(fly_parse_script_line("t=9 nav1=108.05 obs=20 ap_nav=1", &e, err)) << err;
  fly_apply_script(&c, &e);
  EXPECT_EQ(c.ap_nav_on, 1);
  EXPECT_EQ(c.ap_hdg_on, 0);
  EXPECT_EQ(c.nav1, 10805);
  EXPECT_FLOAT_EQ(c.obs, 20.0f);

  const char* bad[][2] = {{"--nav1", "107.95"}, {"--nav1", "118.00"}, {"--nav1", "116.23"},
                          {"--nav1", "116.2x"}, {"--obs", "-1"},      {"--obs", "360.5"}};
  for (auto& b : bad) EXPECT_FALSE(parse({b[0], b[1]}, &o, err)) << b[0] << " " << b[1];
  EXPECT_FALSE(parse({"--ap-hdg", "90", "--ap-nav"}, &o, err));
  EXPECT_FALSE(fly_parse_script_line("t=1 ap_nav=2", &e, err));
  EXPECT_FALSE(fly_parse_script_line("t=1 ap_nav=1 ap_hdg=10", &e, err));
}

class FlightRunnerAirportStart : public FlightTest {
 protected:
  // The Trainer at an airport, started as `start` on runway end `runway`.
  void start_trainer(int start, int runway, const char* airport = "SBD") {
    fly_default_options(&o);
    o.airport_start = start;
    o.runway = runway;
    std::snprintf(o.airport, sizeof o.airport, "%-4s", airport);
    fly_setup_world(0.0f);
    char err[FLY_ERR];
    ASSERT_TRUE(fly_airport_world(&o, err)) << err;
    ASSERT_TRUE(load_sample("Trainer"));
    fly_start(&o);
  }
  // The Trainer on the instrument final to Thermal's runway 35 at 0.75 power, NAV 1 on Thermal's
  // VOR beside the field (116.20 MHz), flown until the once-a-second pass has tuned the radio.
  void start_south_of_thermal() {
    ASSERT_NO_FATAL_FAILURE(start_trainer(1100, 1, "TRM"));
    c = fly_start_controls(&o);
    c.throttle = 0.75f;
    c.nav1 = 11620;
    c.ap_alt_on = 1;
    c.ap_alt_ft = 4000.0f;
    for (int n = 0; n < 200 && !nav.goodnav[0]; n++) frame();
    ASSERT_EQ(nav.goodnav[0], 1);
    ASSERT_EQ(nav.ilsgs[0], 9);
    ASSERT_EQ(std::strncmp(nav.nav_id[0], "TRM ", 4), 0);
    // The variation the tests are about: about 13 degrees east, so mvar is about -13.
    ASSERT_LE(env.mvar, -10);
  }
  void frame() {
    fly_set_controls(&c);
    fly_frame();
  }
  // The station's magnetic bearing from the aircraft, worked out here from the station's place in
  // the database and the variation table, not from the receiver's own numbers.
  float magnetic_bearing_to_station() {
    int n = -1;
    for (int k = 0; k <= env.navmax && k < NAV_MAX; k++)
      if (nav_type[k] == 3 && std::strncmp(nav_id[k], "TRM ", 4) == 0) n = k;
    EXPECT_GE(n, 0);
    float east = X_with_latlon(nav_lat[n], nav_lon[n]) - static_cast<float>(flt.X);
    float north = static_cast<float>(flt.Z) - Z_with_lat(nav_lat[n]);
    float true_brg = std::atan2(east, north) * con.radtodeg;
    return fltwrap(true_brg + find_var(flt.lat, flt.lon), 0.0f, 360.0f);
  }
  fly_options o;
  fly_controls c;
};

// A frequency no VOR or localizer uses, or any frequency over the flat world, stops the run before
// it flies, as bad input; so does a runway the airport does not have (San Bernardino has one).
TEST_F(FlightRunnerAirportStart, AFrequencyWithoutAStationIsBadInput) {
  char err[FLY_ERR];
  std::FILE* f = std::tmpfile();
  for (auto args : {std::initializer_list<const char*>{"--start", "runway", "--airport", "TRM",
                                                       "--nav1", "117.85"},
                    {"--nav1", "116.20"},
                    {"--start", "runway", "--airport", "SBD", "--runway", "2"}}) {
    ASSERT_TRUE(parse(args, &o, err)) << err;
    EXPECT_EQ(fly_run(&o, f, f), FLY_BAD_INPUT);
  }
  std::fclose(f);
}

// 9 nm out on the extended centreline, 9 sin 3 nm above the field, faster than the stall.
TEST_F(FlightRunnerAirportStart, AnInstrumentFinalIsOnTheGlidePathAtASafeSpeed) {
  start_trainer(1100, 0);
  int n = msc.loc_apt_wrl;
  ASSERT_EQ(std::strncmp(apt_id[n], "SBD ", 4), 0);
  const int h = apt_hdng[n][0];
  double tx, tz;
  runway_threshold(n, &tx, &tz);
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

// Full throttle from the runway, the autopilot engaged once airborne: it climbs to 4000 ft
// heading south and holds both for the last five minutes.
TEST_F(FlightRunnerAirportStart, ATakeoffClimbsOnAutopilotAndHoldsAltitudeAndHeading) {
  start_trainer(900, 0);
  fly_controls c = fly_start_controls(&o);
  c.throttle = 1.0f;
  for (int n = 0; n < 18000; n++) {
    if (n == 600) c.ap_hdg_on = c.ap_alt_on = 1, c.ap_hdg = 180.0f, c.ap_alt_ft = 4000.0f;
    fly_set_controls(&c);
    fly_frame();
    ASSERT_EQ(flt.crashes, 0) << "t=" << fly_time();
    if (n < 12000) continue;
    ASSERT_NEAR(flt.h * con.mtrstoft, 4000.0f, 100.0f) << "t=" << fly_time();
    ASSERT_NEAR(fltwrap(flt.magpsi - 180.0f, -180.0f, 180.0f), 0.0f, 5.0f) << "t=" << fly_time();
  }
}

TEST_F(FlightRunnerAirportStart, AWestWindDriftsANorthboundTrackEast) {
  fly_default_options(&o);
  o.kias = 100.0f;
  o.wind_dir = 270.0f;
  o.wind_kt = 20.0f;
  o.controls.throttle = 0.7f;
  o.controls.ap_hdg_on = 1;
  fly_setup_world(0.0f);
  ASSERT_TRUE(load_sample("Trainer"));
  fly_start(&o);
  EXPECT_GT(atm.wind_X, 0.0f);
  EXPECT_NEAR(flt.vind, 100.0f, 0.5f);
  for (int n = 0; n < 2400; n++) {
    fly_set_controls(&o.controls);
    fly_frame();
  }
  float track = std::atan2(static_cast<float>(flt.vX), static_cast<float>(flt.vZ)) * con.radtodeg;
  float drift = fltwrap(track - flt.psi, -180.0f, 180.0f);
  EXPECT_NEAR(drift, std::atan(20.0f / (flt.av * con.msctokts)) * con.radtodeg, 2.0f);
}

// ---- NAV 1 and the bug at Thermal, some 13 degrees of easterly variation ----------------------

// On the selected radial the needle is centred, TO inbound and FROM on the reciprocal; a course
// four degrees to the right puts the station two dots to the left.
TEST_F(FlightRunnerAirportStart, OnTheSelectedRadialTheNeedleIsCentred) {
  ASSERT_NO_FATAL_FAILURE(start_south_of_thermal());
  const float to_station = magnetic_bearing_to_station();
  const struct {
    float obs;
    int flag;
    float dots;
  } cases[] = {{to_station, 1, 0.0f},
               {fltwrap(to_station + 180.0f, 0.0f, 360.0f), 2, 0.0f},
               {fltwrap(to_station + 4.0f, 0.0f, 360.0f), 1, -2.0f}};
  for (const auto& k : cases) {
    nav.obs[0] = k.obs;
    mod_evt();
    EXPECT_EQ(nav.ntf[0], k.flag) << "OBS " << k.obs;
    // The variation is whole degrees: the needle is true to a quarter of a dot.
    EXPECT_NEAR(nav.hdef[0], k.dots, 0.25f) << "OBS " << k.obs;
  }
}

// Outbound on the radial the aircraft is on, after turning round, in a 20 kt wind square to the
// course: the needle stays within one dot for ten minutes.
TEST_F(FlightRunnerAirportStart, NavModeTracksAVorRadialInACrosswindForTenMinutes) {
  ASSERT_NO_FATAL_FAILURE(start_south_of_thermal());
  const float radial = fltwrap(magnetic_bearing_to_station() + 180.0f, 0.0f, 360.0f);
  const float radial_true = fltwrap(radial - env.mvar, 0.0f, 360.0f);
  fly_set_wind(fltwrap(radial_true + 90.0f, 0.0f, 360.0f), 20.0f);
  c.obs = radial;
  c.ap_nav_on = 1;
  for (int n = 0; n < 4 * 1200; n++) frame();  // the turn and the intercept
  for (int n = 0; n < 10 * 1200; n++) {
    frame();
    ASSERT_EQ(flt.crashes, 0) << "t=" << fly_time();
    ASSERT_EQ(nav.ntf[0], 2) << "t=" << fly_time();
    ASSERT_LE(std::fabs(nav.hdef[0]), 1.0f) << "t=" << fly_time();
  }
}

// The bug is set as the gyro shows headings: the aircraft settles on it as the gyro shows it,
// which here is 13 degrees from the true heading.
TEST_F(FlightRunnerAirportStart, HeadingModeSettlesOnTheBugAsTheGyroShowsIt) {
  ASSERT_NO_FATAL_FAILURE(start_south_of_thermal());
  c.ap_hdg_on = 1;
  c.ap_hdg = 270.0f;
  for (int n = 0; n < 3 * 1200; n++) {
    frame();
    if (n < 2 * 1200) continue;
    ASSERT_NEAR(fltwrap(flt.magpsi - 270.0f, -180.0f, 180.0f), 0.0f, 2.0f) << "t=" << fly_time();
  }
  EXPECT_NEAR(flt.psi, 270.0f - env.mvar, 2.0f);
  char s[600];
  fly_summary(s, sizeof s);
  const char* at = std::strstr(s, " hdg_mag=");
  ASSERT_NE(at, nullptr) << s;
  EXPECT_NEAR(std::strtof(at + 9, nullptr), flt.magpsi, 0.06f) << s;
}
