// The headless runner's input checking and the shape of a run's output.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "flight_fixture.h"
#include "flyrun.h"

namespace {
// Runs kestrix-fly's whole run and returns its status, with stdout and stderr as text.
int run(const fly_options& o, std::string* out, std::string* errs) {
  std::FILE* fo = std::tmpfile();
  std::FILE* fe = std::tmpfile();
  int status = fly_run(&o, fo, fe);
  read_outputs(fo, fe, out, errs);
  return status;
}

}  // namespace

TEST(FlightRunnerInput, OptionsAreCheckedOneByOne) {
  fly_options o;
  char err[FLY_ERR];
  ASSERT_TRUE(parse_args(
      {"--aircraft", "builtin:glider", "--start", "ground", "--seconds", "10", "--prd", "0.02",
       "--elevator", "-0.25", "--gear", "up", "--flaps", "0.5", "--csv", "h.csv"},
      &o, err));
  EXPECT_EQ(o.start_ground, 1);
  EXPECT_FLOAT_EQ(o.controls.elevator, -0.25f);
  EXPECT_EQ(o.controls.gear_down, 0);
  EXPECT_STREQ(o.csv, "h.csv");
  ASSERT_TRUE(parse_args(
      {"--aircraft", "x", "--lat", "-33.9", "--lon", "151.2", "--fuel-lb", "0", "--alt-ft", "5000"},
      &o, err));
  EXPECT_FLOAT_EQ(o.alt_ft, 5000.0f);
  EXPECT_EQ(o.at_position, 1);
  EXPECT_FLOAT_EQ(o.lon, 151.2f);
  EXPECT_EQ(o.have_fuel, 1);
  EXPECT_EQ(o.have_payload, 0);
  ASSERT_TRUE(parse_args({"--aircraft", "x", "--data-out", "d.out", "--groups", "50,0,26", "--nmea",
                     "/dev/pts/3"},
                    &o, err));
  for (int g = 0; g <= 50; g++) EXPECT_EQ(o.groups[g], g == 0 || g == 26 || g == 50) << g;
  EXPECT_STREQ(o.nmea, "/dev/pts/3");
  ASSERT_TRUE(parse_args({"--seconds", "5", "--help"}, &o, err));
  EXPECT_EQ(o.help, 1);

  const std::string long_path(400, 'a');
  struct {
    std::initializer_list<const char*> args;
    const char* says;
  } bad[] = {
      {{"--aircraft", "x", "--csv", long_path.c_str()}, "at most 399 characters"},
      {{"--seconds", "10"}, "--aircraft"},
      {{"--aircraft", "x", "--wings", "2"}, "unknown option --wings"},
      {{"--aircraft", "x", "--kias", "12kt"}, "--kias"},
      {{"--aircraft", "x", "--kias", "nan"}, "--kias"},
      {{"--aircraft", "x", "--elevator", "1.5"}, "elevator"},
      {{"--aircraft", "x", "--prd", "0.5"}, "--prd"},
      {{"--aircraft", "x", "--start", "sky"}, "--start"},
      {{"--aircraft", "x", "--gear", "sideways"}, "gear"},
      {{"--aircraft", "x", "--seconds"}, "needs a value"},
      {{"--aircraft", "x", "stray"}, "unexpected"},
      {{"--aircraft", "x", "--lat", "90", "--lon", "0"}, "--lat must be a number from -89 to 89"},
      {{"--aircraft", "x", "--lat", "40"}, "--lat and --lon go together"},
      {{"--aircraft", "x", "--lat", "40", "--lon", "-100", "--start", "runway"}, "air start"},
      {{"--aircraft", "x", "--lat", "40", "--lon", "-100", "--ground-elev-ft", "10"}, "flat"},
      {{"--aircraft", "x", "--start", "runway", "--ground-elev-ft", "10"}, "flat"},
      {{"--aircraft", "x", "--airport", "TRM", "--runway", "1"}, "--start runway"},
      {{"--aircraft", "x", "--start", "vfr-final", "--heading", "200"}, "take the runway's"},
      {{"--aircraft", "x", "--start", "ground", "--kias", "80"}, "at rest on the ground"},
      {{"--aircraft", "x", "--fuel-lb", "-5"}, "--fuel-lb"},
      {{"--aircraft", "x", "--payload-lb", "lots"}, "--payload-lb"},
      {{"--aircraft", "x", "--data-out", "d", "--groups", "5,51"}, "--groups"},
      {{"--aircraft", "x", "--data-out", "d", "--groups", "5,"}, "--groups"},
      {{"--aircraft", "x", "--data-out", "d", "--groups", "-1"}, "--groups"},
      {{"--aircraft", "x", "--data-out", "d"}, "go together"},
      {{"--aircraft", "x", "--data-out", "d", "--groups", "1", "--cycle-dump", "c"}, "give one"},
      {{"--aircraft", "x", "--cycle-dump", "c", "--seconds", "3", "--dump-at", "3"}, "--dump-at"},
      {{"--aircraft", "x", "--dump-at", "1"}, "--dump-at goes with --cycle-dump"},
  };
  for (auto& b : bad) {
    err[0] = '\0';
    EXPECT_FALSE(parse_args(b.args, &o, err));
    EXPECT_NE(std::strstr(err, b.says), nullptr) << err;
  }
}

TEST(FlightRunnerInput, ScriptLinesAndFiles) {
  fly_script_entry e;
  char err[FLY_ERR];
  ASSERT_TRUE(fly_parse_script_line("t=12.5 throttle=1 elevator=0.1 flaps=0.5 gear=up\n", &e, err));
  EXPECT_FLOAT_EQ(e.t, 12.5f);
  EXPECT_EQ(e.mask, unsigned(FLY_THROTTLE | FLY_ELEVATOR | FLY_FLAPS | FLY_GEAR));
  EXPECT_FLOAT_EQ(e.c.elevator, 0.1f);
  for (const char* line :
       {"throttle=1", "t=1", "t=x throttle=1", "t=1 t=2 throttle=1", "t=1 throttle",
        "t=1 throttle=", "t=1 wings=2", "t=1 rudder=-3", "t=-1 rudder=0"}) {
    EXPECT_FALSE(fly_parse_script_line(line, &e, err)) << line;
  }

  write_file("order.txt", "# comment\n\nt=5 throttle=0.5 # half\n  t=1 aileron=0.2\n# " +
                              std::string(700, 'x') + "\n");
  static fly_script s;
  ASSERT_TRUE(fly_read_script("order.txt", &s, err)) << err;
  ASSERT_EQ(s.count, 2);
  EXPECT_FLOAT_EQ(s.entry[0].t, 1.0f);  // kept in time order
  write_file("broken.txt", "t=1 throttle=1\nt=2 thrust=1\n");
  EXPECT_FALSE(fly_read_script("broken.txt", &s, err));
  EXPECT_NE(std::strstr(err, "line 2"), nullptr) << err;
  std::string long_line = "t=1";
  for (int k = 0; k < 60; k++) long_line += " throttle=1";
  write_file("broken.txt", long_line + "\nt=2 throttle=0\n");
  EXPECT_FALSE(fly_read_script("broken.txt", &s, err));
  EXPECT_NE(std::strstr(err, "line 1: line too long"), nullptr) << err;
  EXPECT_FALSE(fly_read_script(".", &s, err));  // a folder opens, but reads as nothing
}

TEST(FlightRunnerRun, StatusAndSummaryOfGoodAndBadRuns) {
  fly_options o;
  fly_default_options(&o);
  std::snprintf(o.aircraft, sizeof o.aircraft, "builtin:glider");
  o.seconds = 2.0f;
  std::snprintf(o.csv, sizeof o.csv, "glide.csv");
  std::string out, errs;
  EXPECT_EQ(run(o, &out, &errs), FLY_OK);
  EXPECT_EQ(last_line(out).rfind("summary t=2.0 alt_ft=", 0), 0u) << out;
  EXPECT_NE(out.find(" crashed=0"), std::string::npos);
  EXPECT_EQ(lines_of(read_file("glide.csv")).size(), 1u + 1 + 40);  // header, start, 40 frames

  // Bad input flies nothing and reports no summary, only what was wrong.
  o.csv[0] = '\0';
  const struct {
    const char* aircraft;
    float ground_ft, fuel_lb, payload_lb;
    const char* says;
  } bad[] = {
      {"builtin:zeppelin", 0, -1, -1, "zeppelin"},
      {"no-such-file.acf", 0, -1, -1, "no-such-file.acf"},
      {KESTRIX_SOURCE_DIR "/README.md", 0, -1, -1, "README.md, or it is not an aircraft file"},
      {".", 0, -1, -1, "file ., or it is not an aircraft file"},
      {"builtin:glider", 4000, -1, -1, "not above the ground"},  // an air start underground
      {"builtin:trainer", 0, 243, -1, "more than the tanks hold (242.5 lb)"},
      // 1653.5 lb empty, 2447.2 lb at most: 793.7 lb of fuel and payload together.
      {"builtin:trainer", 0, 200, 594, "more than the maximum weight"},
  };
  for (const auto& b : bad) {
    std::snprintf(o.aircraft, sizeof o.aircraft, "%s", b.aircraft);
    o.ground_elev_ft = b.ground_ft;
    o.have_fuel = b.fuel_lb >= 0, o.fuel_lb = b.fuel_lb;
    o.have_payload = b.payload_lb >= 0, o.payload_lb = b.payload_lb;
    EXPECT_EQ(run(o, &out, &errs), FLY_BAD_INPUT) << b.says;
    EXPECT_NE(errs.find(b.says), std::string::npos) << errs;
    EXPECT_EQ(out.find("summary"), std::string::npos) << out;
  }
  // An output over the aircraft or the script the run reads, or over another output, is refused.
  write_file("mine.acf", read_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf"));
  write_file("mine.fly", "t=1 throttle=1\n");
  fly_options clash;
  fly_default_options(&clash);
  clash.seconds = 0.5f;
  std::snprintf(clash.aircraft, sizeof clash.aircraft, "mine.acf");
  std::snprintf(clash.csv, sizeof clash.csv, "./mine.acf");
  EXPECT_EQ(run(clash, &out, &errs), FLY_BAD_INPUT);
  std::snprintf(clash.script, sizeof clash.script, "mine.fly");
  std::snprintf(clash.csv, sizeof clash.csv, "mine.fly");
  EXPECT_EQ(run(clash, &out, &errs), FLY_BAD_INPUT);
  std::snprintf(clash.data_out, sizeof clash.data_out, "/dev/null");
  std::snprintf(clash.csv, sizeof clash.csv, "/dev/null");
  clash.groups[1] = 1;
  EXPECT_EQ(run(clash, &out, &errs), FLY_OK) << errs;  // a device is no file to spoil
  std::snprintf(clash.csv, sizeof clash.csv, "new.out");
  std::snprintf(clash.data_out, sizeof clash.data_out, "new.out");
  EXPECT_EQ(run(clash, &out, &errs), FLY_BAD_INPUT);
  EXPECT_NE(errs.find("--csv and --data-out both name the file new.out"), std::string::npos)
      << errs;
  clash.csv[0] = '\0';
  std::snprintf(clash.nmea, sizeof clash.nmea, "no-such-folder/gps.nmea");
  EXPECT_EQ(run(clash, &out, &errs), FLY_BAD_INPUT);
  EXPECT_NE(errs.find("cannot write no-such-folder/gps.nmea"), std::string::npos) << errs;
  EXPECT_TRUE(read_file("mine.acf") == read_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf"));
  EXPECT_TRUE(read_file("mine.fly") == "t=1 throttle=1\n");

  // The loads asked for are the ones flown.
  o.payload_lb = 593.0f, o.seconds = 0.5f;
  EXPECT_EQ(run(o, &out, &errs), FLY_OK) << errs;
  EXPECT_NEAR(flt.m_total, pln.m_empty + 793.0f * con.lbstokgs, 0.1f);
}

TEST(FlightRunnerRun, NonFiniteStateIsCaught) {
  fly_setup_world(0.0f);
  ASSERT_TRUE(fly_builtin_aircraft("glider"));
  fly_options o;
  fly_default_options(&o);
  fly_start(&o);
  EXPECT_TRUE(fly_state_is_finite());
  flt.Qdot = NAN;
  EXPECT_FALSE(fly_state_is_finite());
  flt.Qdot = 0.0f;
  flt.Z = INFINITY;
  EXPECT_FALSE(fly_state_is_finite());
}

TEST(FlightRunnerRun, FlatRegionSlidesUnderALongFlight) {
  fly_setup_world(300.0f);
  ASSERT_TRUE(fly_builtin_aircraft("glider"));
  fly_options o;
  fly_default_options(&o);
  fly_start(&o);
  int west = env.lon_wes;
  // Put the aircraft past the eastern threshold of the middle column.
  flt.X = env.lox + (2.1 / 3.0) * (env.hix - env.lox);
  update_flight();  // position, latitude and longitude from X
  float lon = flt.lon;
  fly_frame();
  EXPECT_EQ(env.lon_wes, west + 1);
  EXPECT_NEAR(flt.lon, lon, 0.01f);  // the world did not jump, only the grid moved
  EXPECT_LT(flt.lon, env.lon_wes + 2.05f);
  EXPECT_FLOAT_EQ(env.local_h, 300.0f);
  EXPECT_GT(static_cast<float>(flt.X), env.lox);
  EXPECT_LT(static_cast<float>(flt.X), env.hix);
}
