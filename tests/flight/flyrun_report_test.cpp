// What kestrix-fly reports: a run stopped by an alert (its lines on standard error, its status,
// the summary still last), the one-frame account of --cycle-dump, where a runway start's summary
// puts the aircraft, the usage of the program itself, and an air start at a latitude and longitude.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "app/macibm.h"
#include "atc/atc.h"
#include "flight_fixture.h"
#include "flyrun.h"

namespace {

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
  std::string want;
  for (const char* l : lines) want += std::string(l) + "\n";
  EXPECT_NE(errs.find(want), std::string::npos) << errs;
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
        "f_up   =", "a_y=", "Qdot (pitch)="}) {
    EXPECT_NE(dump.find(label), std::string::npos) << label;
  }
  // One frame's first sub-step: the force pass's closing account appears once.
  size_t first = dump.find("Qdot (pitch)=");
  EXPECT_EQ(dump.find("Qdot (pitch)=", first + 1), std::string::npos);
  // Every value is a finite number: no token of the account reads "nan" or "inf".
  int numbers = 0;
  std::string token;
  for (size_t i = 0; i <= dump.size(); i++) {
    char ch = i < dump.size() ? dump[i] : ' ';
    if (std::isalnum(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+') {
      token += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      continue;
    }
    if (token.empty()) continue;
    size_t sign = token[0] == '-' || token[0] == '+' ? 1 : 0;
    EXPECT_TRUE(token.compare(sign, std::string::npos, "nan") != 0 &&
                token.compare(sign, std::string::npos, "inf") != 0)
        << "at byte " << i;
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
    EXPECT_NE(read_file(err_path).find("could not write /dev/full"), std::string::npos);
  }
  std::string out;
  EXPECT_EQ(run_command(KESTRIX_RUNTIME_DIR "/kestrix-fly --aircraft builtin:trainer --seconds 0 "
                                            ">/dev/full 2>/dev/null",
                        &out),
            FLY_ALERT);
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

// The program itself, in a process and a folder of its own: the flat world lies at the elevation
// it is given, and the folder keeps no data file it did not ask for (the aircraft's analysis
// report would have replaced a "Kestrix.out" there).
TEST_F(FlightRunnerReport, TheProgramsFlatWorldIsAtTheGroundElevationGiven) {
  std::string out;
  ASSERT_EQ(run_command("rm -rf own_folder && mkdir own_folder && cd own_folder && "
                        KESTRIX_RUNTIME_DIR "/kestrix-fly --aircraft " KESTRIX_RUNTIME_DIR
                        "/aircraft/Trainer.acf --start ground --ground-elev-ft 5000 --seconds 0",
                        &out),
            FLY_OK);
  EXPECT_NEAR(summary_value(out, "alt_ft") - summary_value(out, "agl_ft"), 5000.0f, 1.0f) << out;
  EXPECT_FALSE(std::ifstream("own_folder/Kestrix.out").good());
}

TEST_F(FlightRunnerReport, ARunwayStartsSummaryIsAtTheRunwayThreshold) {
  aircraft("builtin:trainer");
  o.airport_start = 900;
  o.seconds = 1.0f;
  ASSERT_EQ(run(), FLY_OK);
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
  std::string line = s;
  EXPECT_NE(line.find(" heading=0.0 "), std::string::npos) << line;
  EXPECT_NE(line.find(" vs_fpm=0 "), std::string::npos) << line;
  EXPECT_NE(line.find(" roll=0.0 "), std::string::npos) << line;
  EXPECT_NE(line.find(" lon=-179.50000 "), std::string::npos) << line;
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
    EXPECT_EQ(run_command(std::string(KESTRIX_RUNTIME_DIR "/kestrix-fly ") + c.args + " 2>" +
                              err_path, &out), c.status) << c.args;
    const std::string errs = read_file(err_path);
    EXPECT_NE(out.find(c.out_has), std::string::npos) << out;
    EXPECT_NE(errs.find(c.err_has), std::string::npos) << errs;
    EXPECT_EQ(out.find("summary"), std::string::npos) << out;
    if (c.status != FLY_OK) {
      EXPECT_TRUE(out.empty()) << out;
      EXPECT_NE(errs.find("usage: kestrix-fly"), std::string::npos) << errs;
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
