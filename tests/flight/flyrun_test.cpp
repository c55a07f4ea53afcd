// The runner's input checking, and what kestrix-fly reports: the summary, status and alerts of good
// and bad runs, the frame dump, the data and time-history files, and the program's usage.
#include <gmock/gmock.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "atc/atc.h"
#include "flight_fixture.h"

namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string RUNNER = KESTRIX_RUNTIME_DIR "/kestrix-fly";

// The shipped Trainer with the line whose text ends in `label` replaced by `line`, written to
// `path` in the test's folder.
void trainer_with(const char* label, const char* line, const char* path) {
  ASSERT_TRUE(write_with_line(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf", label, line, path))
      << label;
}

// The four lines of an alert as standard error shows them, as an extended regular expression.
std::string alert_pattern(const char* const lines[4]) {
  std::string p;
  for (int k = 0; k < 4; k++) {
    for (const char* c = lines[k]; *c; c++) {
      if (std::strchr(".[]{}()\\*+?^$|", *c)) p += '\\';
      p += *c;
    }
    p += '\n';
  }
  return p;
}

}  // namespace

class FlightRunnerReport : public ::testing::Test {
 protected:
  void SetUp() override {
    macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
    fly_default_options(&o);
    o.seconds = 2.0f;
    // The flight tests share one folder and may run side by side: each writes files of its own.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    out_path = name + ".out";
    err_path = name + ".err";
  }
  void aircraft(const char* name) { std::snprintf(o.aircraft, sizeof o.aircraft, "%s", name); }
  // The whole run with its output to files; the status.
  int run() {
    std::FILE* out = std::fopen(out_path.c_str(), "w");
    std::FILE* errs = std::fopen(err_path.c_str(), "w");
    int status = fly_run(&o, out, errs);
    std::fclose(out);
    std::fclose(errs);
    return status;
  }
  fly_options o;
  std::string out_path, err_path;
};

using FlightRunnerReportDeathTest = FlightRunnerReport;

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
  ASSERT_TRUE(parse_args(
      {"--aircraft", "x", "--data-out", "d.out", "--groups", "50,0,26", "--nmea", "/dev/pts/3"}, &o,
      err));
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
        "t=1 throttle=", "t=1 wings=2", "t=1 rudder=-3", "t=-1 rudder=0"})
    EXPECT_FALSE(fly_parse_script_line(line, &e, err)) << line;

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

TEST_F(FlightRunnerReport, StatusAndSummaryOfGoodAndBadRuns) {
  aircraft("builtin:glider");
  std::snprintf(o.csv, sizeof o.csv, "glide.csv");
  EXPECT_EQ(run(), FLY_OK);
  const std::string out = read_file(out_path);
  EXPECT_EQ(last_line(out).rfind("summary t=2.0 alt_ft=", 0), 0u) << out;
  EXPECT_THAT(out, HasSubstr(" crashed=0"));
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
    aircraft(b.aircraft);
    o.ground_elev_ft = b.ground_ft;
    o.have_fuel = b.fuel_lb >= 0, o.fuel_lb = b.fuel_lb;
    o.have_payload = b.payload_lb >= 0, o.payload_lb = b.payload_lb;
    EXPECT_EQ(run(), FLY_BAD_INPUT) << b.says;
    EXPECT_THAT(read_file(err_path), HasSubstr(b.says));
    EXPECT_THAT(read_file(out_path), Not(HasSubstr("summary")));
  }
  // The loads asked for are the ones flown.
  o.payload_lb = 593.0f, o.seconds = 0.5f;
  EXPECT_EQ(run(), FLY_OK) << read_file(err_path);
  EXPECT_NEAR(flt.m_total, pln.m_empty + 793.0f * con.lbstokgs, 0.1f);

  // An output over the aircraft or the script the run reads, or over another output, is refused.
  write_file("mine.acf", read_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf"));
  write_file("mine.fly", "t=1 throttle=1\n");
  fly_default_options(&o);
  o.seconds = 0.5f;
  aircraft("mine.acf");
  std::snprintf(o.csv, sizeof o.csv, "./mine.acf");
  EXPECT_EQ(run(), FLY_BAD_INPUT);
  std::snprintf(o.script, sizeof o.script, "mine.fly");
  std::snprintf(o.csv, sizeof o.csv, "mine.fly");
  EXPECT_EQ(run(), FLY_BAD_INPUT);
  std::snprintf(o.data_out, sizeof o.data_out, "/dev/null");
  std::snprintf(o.csv, sizeof o.csv, "/dev/null");
  o.groups[1] = 1;
  EXPECT_EQ(run(), FLY_OK) << read_file(err_path);  // a device is no file to spoil
  std::snprintf(o.csv, sizeof o.csv, "new.out");
  std::snprintf(o.data_out, sizeof o.data_out, "new.out");
  EXPECT_EQ(run(), FLY_BAD_INPUT);
  EXPECT_THAT(read_file(err_path), HasSubstr("--csv and --data-out both name the file new.out"));
  o.csv[0] = '\0';
  std::snprintf(o.nmea, sizeof o.nmea, "no-such-folder/gps.nmea");
  EXPECT_EQ(run(), FLY_BAD_INPUT);
  EXPECT_THAT(read_file(err_path), HasSubstr("cannot write no-such-folder/gps.nmea"));
  EXPECT_EQ(read_file("mine.acf"), read_file(KESTRIX_RUNTIME_DIR "/aircraft/Trainer.acf"));
  EXPECT_EQ(read_file("mine.fly"), "t=1 throttle=1\n");
}

TEST(FlightRunnerRun, NonFiniteStateIsCaught) {
  start_builtin("glider", 3000.0f, 90.0f);  // the runner's default start
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

// A fatal alert while the aircraft loads ends the process at once, but the summary still closes
// standard output.
TEST_F(FlightRunnerReportDeathTest, AFatalAlertEndsTheRunWithStatusThreeAndItsFourLines) {
  const struct {
    const char *label, *line, *file;
    const char* alert[4];
  } cases[] = {
      {"empty weight",
       "  3000 empty weight",
       "Heavy.acf",
       {"You have selected an empty weight that is greater than the maximum weight for this "
        "airplane!",
        "Go into Airwright and set the empty weight to less than the maximum weight!",
        "The airplane in question is:", "Heavy.acf"}},
      {"checkpoint: WEIGHT&BAL",
       "171 checkpoint: WEIGHT&BAL",
       "Damaged.acf",
       {"An error occurred during read-in of the aircraft file.",
        "Either the file has been corrupted,or it is not really an aircraft file.",
        "Wanted checkpoint 117, but got point 171.", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    trainer_with(c.label, c.line, c.file);
    aircraft(c.file);
    std::remove(out_path.c_str());
    EXPECT_EXIT(std::exit(run()), ::testing::ExitedWithCode(FLY_ALERT), alert_pattern(c.alert));
    std::string out = read_file(out_path.c_str());
    EXPECT_EQ(last_line(out).rfind("summary t=0.0 ", 0), 0u) << out;
    EXPECT_NE(last_line(out).find(" crashed=0"), std::string::npos) << out;
  }
}

// A notice does not end the process: the run stops before flying on, with the same status, even
// when it came while the aircraft loaded and no frame was to be flown.
TEST_F(FlightRunnerReport, ANoticeStopsTheRunWithStatusThreeEvenWithoutAFrame) {
  // A nose leg three times as long as the main legs: the aircraft sits nose high.
  trainer_with("ngear vert arm", " -12.0 ngear vert arm", "NoseHigh.acf");
  aircraft("NoseHigh.acf");
  ::testing::internal::CaptureStderr();
  int status = run();
  std::string errs = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, FLY_ALERT);
  const char* const lines[4] = {
      "This thing sits on the ground with an excessive attitute.",
      "Check up on the landing gear locations and heights in Airwright.", "",
      "I will let you go flying, but you may encounter problems on the ground."};
  EXPECT_THAT(errs, ContainsRegex(alert_pattern(lines)));
  std::string summary = last_line(read_file(out_path.c_str()));
  EXPECT_EQ(summary.rfind("summary t=", 0), 0u) << summary;
  EXPECT_LT(summary_value(summary, "t"), o.seconds);
  o.seconds = 0.0f;
  ::testing::internal::CaptureStderr();
  status = run();
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, FLY_ALERT);
}

TEST_F(FlightRunnerReport, ACycleDumpIsAFiniteAccountOfOneFrame) {
  aircraft("builtin:trainer");
  o.seconds = 1.0f;
  o.dump_at = 0.5f;
  std::snprintf(o.cycle_dump, sizeof o.cycle_dump, "cycle.out");
  ASSERT_EQ(run(), FLY_OK);
  std::string dump = read_file("cycle.out");
  for (const char* label :
       {"ONE-FRAME DUMP of the frame ending at 0.55", "aircraft Trainer (builtin:trainer)",
        "PROPELLER #1:", " LEFT WING ONE ", " RIGHT WING ONE ", "post-gear-aerodynamics",
        "f_up   =", "a_y=", "Qdot (pitch)="})
    EXPECT_THAT(dump, HasSubstr(label));
  // One frame's first sub-step: the force pass's closing account appears once.
  size_t first = dump.find("Qdot (pitch)=");
  EXPECT_EQ(dump.find("Qdot (pitch)=", first + 1), std::string::npos);
  // Every value is a finite number: no token of the account reads "nan" or "inf".
  int numbers = 0;
  std::string token;
  for (char ch : dump + ' ') {
    if (std::isalnum(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+') {
      token += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      continue;
    }
    if (token.empty()) continue;
    const std::string bare = token.substr(token[0] == '-' || token[0] == '+');
    EXPECT_TRUE(bare != "nan" && bare != "inf") << token;
    char* end = nullptr;
    std::strtod(token.c_str(), &end);
    numbers += *end == '\0' && std::isdigit(static_cast<unsigned char>(token.back()));
    token.clear();
  }
  EXPECT_GT(numbers, 500);
  float a_y = std::strtof(dump.c_str() + dump.find("a_y=") + 4, nullptr);
  EXPECT_LT(std::fabs(a_y), 2.0f * con.g);

  // A dump asked for after the end of the run writes no account.
  o.dump_at = 5.0f;
  ASSERT_EQ(run(), FLY_OK);
  EXPECT_EQ(read_file("cycle.out").find("Qdot (pitch)="), std::string::npos);
}

// A line every event tick (0.1 s), the labels first and before every tenth, values in group order.
TEST_F(FlightRunnerReport, TheDataFileHasALineEveryTenthOfASecond) {
  aircraft("builtin:trainer");
  o.seconds = 3.0f;
  std::snprintf(o.data_out, sizeof o.data_out, "data.out");
  o.groups[26] = o.groups[1] = 1;
  ASSERT_EQ(run(), FLY_OK);
  std::istringstream in(read_file("data.out"));
  std::string line;
  int labels = 0, values = 0, since_labels = 0;
  float last_t = -1.0f;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const bool is_labels = line == "TIME,_sec | _LAT,_deg | _LON,_deg | _ALT,__ft | ";
    ASSERT_TRUE(is_labels || labels > 0) << "values before the labels: " << line;
    if (is_labels) {
      // Ten lines between labels, once the first tenth-tick has come.
      if (labels++ >= 2) {
        EXPECT_EQ(since_labels, 10);
      }
      since_labels = 0;
      continue;
    }
    since_labels++;
    float t, lat;
    ASSERT_EQ(std::sscanf(line.c_str(), "%f | %f |", &t, &lat), 2) << line;
    EXPECT_GT(t, last_t);
    EXPECT_NEAR(lat, 41.0f, 0.1f);
    last_t = t;
    values++;
  }
  EXPECT_EQ(values, 30);
  EXPECT_GE(labels, 3);
}

// Lines that never reached their file fail the run, though they were only lost when it closed.
TEST_F(FlightRunnerReport, AnOutputFileThatCouldNotBeWrittenFailsTheRun) {
  for (char* file : {o.csv, o.data_out}) {
    fly_default_options(&o);
    aircraft("builtin:trainer");
    o.seconds = 1.0f;
    o.groups[1] = 1;
    std::snprintf(file, 400, "/dev/full");
    EXPECT_EQ(run(), FLY_ALERT);
    EXPECT_THAT(read_file(err_path), HasSubstr("could not write /dev/full"));
  }
  std::string out;
  const std::string args = " --aircraft builtin:trainer --seconds 0 >/dev/full 2>/dev/null";
  EXPECT_EQ(run_command(RUNNER + args, &out), FLY_ALERT);
}

// A crash restarts the flight at once; the summary tells where and how it hit, and the time
// history ends there, without the restart.
TEST_F(FlightRunnerReport, ACrashsSummaryIsTheImpact) {
  aircraft("builtin:trainer");
  o.alt_ft = 500.0f, o.seconds = 30.0f;
  o.controls.elevator = -1.0f, o.controls.throttle = 1.0f;
  std::snprintf(o.csv, sizeof o.csv, "crash.csv");
  ASSERT_EQ(run(), FLY_OK);
  std::string summary = last_line(read_file(out_path.c_str()));
  EXPECT_EQ(summary_value(summary, "crashed"), 1.0f) << summary;
  EXPECT_LT(summary_value(summary, "dist_nm"), 1.0f) << summary;
  EXPECT_GT(summary_value(summary, "kias"), 60.0f) << summary;
  float t, x, z, lat;
  const std::string row = last_line(read_file("crash.csv"));
  ASSERT_EQ(std::sscanf(row.c_str(), "%f,%f,%f,%f", &t, &x, &z, &lat), 4) << row;
  EXPECT_NEAR(lat, 41.0f, 0.1f) << row;
  o.csv[0] = '\0';

  // A trainer started at 2,000 kt runs away numerically within a frame or two, into the ground:
  // that is no crash the run completed, though the restart leaves a sound state behind.
  o.alt_ft = 3000.0f, o.kias = 2000.0f, o.seconds = 5.0f;
  EXPECT_EQ(run(), FLY_NOT_FINITE) << read_file(out_path.c_str());
}

// The program in a folder of its own: the flat world lies at the elevation given, and the folder
// gets no "Kestrix.out" (the aircraft's analysis report) it did not ask for.
TEST_F(FlightRunnerReport, TheProgramsFlatWorldIsAtTheGroundElevationGiven) {
  std::string out;
  const std::string args = " --aircraft " KESTRIX_RUNTIME_DIR
                           "/aircraft/Trainer.acf --start ground --ground-elev-ft 5000 --seconds 0";
  ASSERT_EQ(run_command(
                "rm -rf own_folder && mkdir own_folder && cd own_folder && " + RUNNER + args, &out),
            FLY_OK);
  EXPECT_NEAR(summary_value(out, "alt_ft") - summary_value(out, "agl_ft"), 5000.0f, 1.0f) << out;
  EXPECT_FALSE(std::ifstream("own_folder/Kestrix.out").good());
}

TEST_F(FlightRunnerReport, ARunwayStartsSummaryIsAtTheRunwayThreshold) {
  aircraft("builtin:trainer");
  o.airport_start = 900;
  o.seconds = 1.0f;
  o.wind_dir = 90.0f, o.wind_kt = 30.0f;
  ASSERT_EQ(run(), FLY_OK);
  EXPECT_NEAR(atm.wind_X, -15.0f * con.ktstomsc, 0.01f);  // half the wind on the ground
  EXPECT_EQ(flt.vX, 0.0);  // and the brakes hold it
  std::string summary = last_line(read_file(out_path.c_str()));
  float lat = summary_value(summary, "lat"), lon = summary_value(summary, "lon");
  ASSERT_TRUE(std::isfinite(lat) && std::isfinite(lon)) << summary;

  int n = find_apt_by_id("SBD");
  ASSERT_GE(n, 0);
  double tx, tz;
  runway_threshold(n, &tx, &tz);
  // Within a few metres of the threshold after a second at idle on the brakes.
  EXPECT_NEAR(X_with_latlon(lat, lon), tx, 10.0) << summary;
  EXPECT_NEAR(Z_with_lat(lat), tz, 10.0) << summary;
  EXPECT_EQ(summary_value(summary, "on_ground"), 1.0f) << summary;
}

TEST_F(FlightRunnerReport, TheSummaryPrintsNorthAsZeroNoNegativeZerosAndLongitudesTo180) {
  aircraft("builtin:trainer");
  o.seconds = 0.0f;
  ASSERT_EQ(run(), FLY_OK);
  flt.psi = 359.97f;
  flt.vu = -0.001f;
  flt.phi180 = -0.04f;
  flt.lon = 180.5f;  // east of the date line, as the region's longitudes run on
  char s[600];
  fly_summary(s, sizeof s);
  const std::string line = s;
  for (const char* part : {" heading=0.0 ", " vs_fpm=0 ", " roll=0.0 ", " lon=-179.50000 "})
    EXPECT_THAT(line, HasSubstr(part));
}

// The program itself: --help prints the usage and succeeds; a usage error prints the message and
// the usage on standard error and fails with status 2. Neither flies, so neither has a summary.
TEST_F(FlightRunnerReport, HelpAndUsageErrorsPrintTheUsageAndNoSummary) {
  const struct {
    const char* args;
    int status;
    const char *out_has, *err_has;
  } cases[] = {
      {"--help", FLY_OK, "usage: kestrix-fly", ""},
      {"--aircraft builtin:glider --lat 95 --lon 0", FLY_BAD_INPUT, "", "--lat must be"},
      {"--seconds 5", FLY_BAD_INPUT, "", "--aircraft FILE is required"},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(run_command(RUNNER + " " + c.args + " 2>" + err_path, &out), c.status) << c.args;
    const std::string errs = read_file(err_path);
    EXPECT_THAT(out, HasSubstr(c.out_has));
    EXPECT_THAT(errs, HasSubstr(c.err_has));
    EXPECT_THAT(out, Not(HasSubstr("summary")));
    if (c.status != FLY_OK) {
      EXPECT_TRUE(out.empty()) << out;
      EXPECT_THAT(errs, HasSubstr("usage: kestrix-fly"));
    }
  }
}

// An air start anywhere: over the world data the region around the point is the real one; beyond
// it the ground is flat water, which the notice says without stopping the run.
TEST_F(FlightRunnerReport, AnAirStartAtALatitudeAndLongitude) {
  aircraft("builtin:trainer");
  o.at_position = 1;
  o.alt_ft = 9000.0f;
  const struct {
    float lat, lon, ground_ft;
  } places[] = {{34.3f, -117.2f, -1.0f}, {-20.5f, 60.25f, 0.0f}};
  for (const auto& p : places) {
    o.lat = p.lat, o.lon = p.lon;
    ASSERT_EQ(run(), FLY_OK) << read_file(err_path.c_str());
    std::string summary = last_line(read_file(out_path.c_str()));
    EXPECT_NEAR(summary_value(summary, "lat"), p.lat, 0.01f) << summary;
    EXPECT_NEAR(summary_value(summary, "lon"), p.lon, 0.01f) << summary;
    EXPECT_EQ(env.lat_sou, intround(p.lat - 1.0f));
    float agl = summary_value(summary, "alt_ft") - summary_value(summary, "agl_ft");
    if (p.ground_ft >= 0.0f)
      EXPECT_NEAR(agl, p.ground_ft, 1.0f) << summary;
    else
      EXPECT_GT(agl, 500.0f) << summary;  // the hills east of San Bernardino, not the sea
  }
}
