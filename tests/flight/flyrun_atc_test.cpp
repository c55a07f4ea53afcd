// The runner talking to the controller: the script's menu picks, the --ap-follow-atc option, and
// an aircraft 15 nm from San Bernardino at 5000 ft that asks for the ILS, flies the vectors with
// its autopilot, is cleared inside the intercept window and then tracks the localizer.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "atc/atc.h"
#include "flight_fixture.h"

namespace {
struct transmission {
  float t;
  std::string text;
};

struct csv_row {
  float t, lat, lon, heading;
};

// The first row of the time history at or after time t; t is negative when there is none.
csv_row row_at(const char* path, float t) {
  for (const std::string& line : lines_of(read_file(path))) {
    csv_row r{};
    if (std::sscanf(line.c_str(), "%f,%*f,%*f,%f,%f,%*f,%*f,%*f,%*f,%*f,%*f,%*f,%*f,%*f,%f", &r.t,
                    &r.lat, &r.lon, &r.heading) == 4 && r.t >= t - 0.001f)
      return r;
  }
  return {-1.0f, 0.0f, 0.0f, 0.0f};
}

// Bearing (true) and distance (nm) from a row's position to the San Bernardino localizer.
void to_localizer(const csv_row& r, float* brg, float* nm) {
  nm_and_bearing(r.lat, r.lon, 34.100487f, -117.215996f, nm, brg);
}

float apart(float a, float b) { return std::fabs(std::remainder(a - b, 360.0f)); }
}  // namespace

TEST(FlightRunnerAtc, ScriptKeysTalkToTheController) {
  fly_script_entry e;
  char err[FLY_ERR];
  ASSERT_TRUE(fly_parse_script_line("t=3 atc=13", &e, err)) << err;
  EXPECT_EQ(e.mask, unsigned(FLY_ATC));
  EXPECT_EQ(e.atc_line, 13);
  ASSERT_TRUE(fly_parse_script_line("t=4 atc_pick=ISBD", &e, err)) << err;
  EXPECT_STREQ(e.atc_pick, "ISBD");
  for (const char* bad : {"t=1 atc=17", "t=1 atc=2.5", "t=1 atc_pick=ISBDX", "t=1 atc=-1"})
    EXPECT_FALSE(fly_parse_script_line(bad, &e, err)) << bad;
}

TEST(FlightRunnerAtc, IlsVectorsFromFifteenMilesOutToTheLocalizer) {
  std::ofstream("atc.fly") << "t=2 atc=13\nt=3 atc_pick=ISBD\n";
  const char* argv[] = {"kestrix-fly", "--aircraft", "builtin:trainer", "--lat", "33.8605",
                        "--lon", "-117.338", "--alt-ft", "5000", "--kias", "100", "--heading",
                        "0", "--ap-hdg", "0", "--ap-alt-ft", "5000", "--ap-kias", "100",
                        "--seconds", "1500", "--script", "atc.fly", "--csv", "atc.csv",
                        "--ap-follow-atc"};
  fly_options o;
  char err[FLY_ERR];
  ASSERT_TRUE(fly_parse_args(sizeof argv / sizeof argv[0], argv, &o, err)) << err;
  EXPECT_EQ(o.ap_follow_atc, 1);
  std::FILE* out = std::tmpfile();
  ASSERT_EQ(fly_run(&o, out, stderr), FLY_OK);
  std::rewind(out);
  std::vector<transmission> said;
  char line[1024];
  while (std::fgets(line, sizeof line, out)) {
    float t;
    char text[1024];
    if (std::sscanf(line, "atc t=%f \"%1000[^\"]\"", &t, text) == 2) said.push_back({t, text});
  }
  std::fclose(out);
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said[0].text.rfind("Trainer turn left heading ", 0), 0u) << said[0].text;
  EXPECT_NE(said[0].text.find("vectors SBD ILS 06, if you would like another approach"),
            std::string::npos) << said[0].text;
  const transmission* cleared = nullptr;
  int headings = 0;
  for (const transmission& s : said) {
    if (s.text.find("heading") != std::string::npos) headings++;
    if (s.text.find("intercept localizer") != std::string::npos) cleared = &s;
  }
  ASSERT_NE(cleared, nullptr) << "never cleared; last: " << said.back().text;
  EXPECT_GE(headings, 2);
  EXPECT_NE(cleared->text.find("cleared SBD ILS 06 contact tower."), std::string::npos);

  // Where the aircraft was when it was cleared: inside the intercept window.
  const csv_row at = row_at("atc.csv", cleared->t - 0.05f);
  ASSERT_GE(at.t, 0.0f);
  float brg, nm;
  to_localizer(at, &brg, &nm);
  // The controller judges whole degrees of heading, the report gives tenths.
  EXPECT_LE(apart(brg, 72.0f), 8.0f);
  EXPECT_LE(apart(at.heading, 72.0f), 46.0f);
  EXPECT_GT(nm, 5.0f);
  EXPECT_LT(nm, 20.0f);
  // Two minutes on, the autopilot tracks the localizer it was cleared onto.
  const csv_row later = row_at("atc.csv", cleared->t + 120.0f);
  ASSERT_GE(later.t, 0.0f);
  to_localizer(later, &brg, &nm);
  EXPECT_LE(apart(brg, 72.0f), 3.0f) << nm;
  EXPECT_LE(apart(later.heading, 72.0f), 15.0f);
}

TEST(FlightRunnerAtc, AnAltitudeGivenOnTheGroundIsHeldOnlyOnceAirborne) {
  fly_forget_atc();
  fly_controls c{};
  atc.said_hdg = -1, atc.said_alt = 3000, atc.instructions++, flt.onsurface = 1;
  fly_follow_atc(&c);
  EXPECT_EQ(c.ap_alt_on, 0);
  flt.onsurface = 0;
  fly_follow_atc(&c);
  EXPECT_EQ(c.ap_alt_on, 1);
}

TEST(FlightRunnerAtc, ALocalizerIsTrackedOnceNav1HoldsItNotTheStationBefore) {
  fly_forget_atc();
  fly_controls c{};
  const int loc = 7;
  nav_f12[loc] = 11170, nav_hdng[loc] = 72;
  std::memcpy(nav_id[loc], "ISBD", 5);
  atc.cleared_nav = loc, atc.instructions++, flt.onsurface = 0;
  fly_follow_atc(&c);
  nav.nf[0] = c.nav1, nav.goodnav[0] = 1;
  std::memcpy(nav.nav_id[0], "POM ", 4);  // the VOR tuned before, held until the retuning
  fly_follow_atc(&c);
  EXPECT_EQ(c.ap_nav_on, 0);
  std::memcpy(nav.nav_id[0], "ISBD", 4);
  fly_follow_atc(&c);
  EXPECT_EQ(c.ap_nav_on, 1);
}
