// The data-output groups and the data file: label words, values, the limit, absent values,
// selections past the table, a file that cannot be written, the window. (The file's labels every
// tenth line are checked on a whole run by kestrix-fly's tests.)
#include "app_fixture.h"

#include <cmath>
#include <limits>

#include "aircraft/aircraft.h"
#include "app/settings.h"
#include "flight/flight.h"
#include "weather/weather.h"

class AppDataOutput : public AppTest {
 protected:
  std::string path;
  void SetUp() override {
    AppTest::SetUp();
    path = scratch("Kestrix.out");
    open_trk(path.c_str());
  }
  void TearDown() override {
    if (trk.is_open()) trk.close();
    AppTest::TearDown();
  }
  static void open_trk(const char* p) {
    if (trk.is_open()) trk.close();
    trk.clear();
    trk.open(p);
    trk.setf(std::ios::fixed, std::ios::floatfield);
  }
  std::string written() {
    trk.flush();
    return read_file(path);
  }
};

TEST_F(AppDataOutput, LabelWordsJoinNameAndUnitWithBlanksShownAndEmptyFieldsSkipped) {
  const struct {
    int group;
    const char* words;
  } cases[] = {
      {0, "FREQ,/sec | TIME,rtio | "},
      {16, "_VVI,_fpm | "},
      {17, "MACH,___# | ___G,unit | "},
      {14, "GEAR,_0/1 | WBRK,part | WBRK,part | SPBK,_0/1 | "},
  };
  for (const auto& c : cases) {
    open_trk(path.c_str());
    out_label(DEST_FILE, c.group, 0);
    EXPECT_EQ(written(), c.words) << "group " << c.group;
  }
}

TEST_F(AppDataOutput, TwoValueGroupWritesTwoValuesAndTheLimitHoldsHugeOnes) {
  msc.locl_time = 7200.0f;
  msc.zulu_time = 36000.0f;
  out_dat(DEST_FILE, 2, 0);
  EXPECT_EQ(written(), "     2.00 |     10.00 | ");
  open_trk(path.c_str());
  msc.elap_time = 1.0e12f;
  out_dat(DEST_FILE, 1, 0);
  EXPECT_EQ(written(), "9900000256.00 | ");
  open_trk(path.c_str());
  atm.rho = 1.225f;  // sea level: 0.0024 slug/ft3, which two decimals would write as 0.00
  out_dat(DEST_FILE, 4, 0);
  EXPECT_EQ(written(), "   0.0024 | ");
}

TEST_F(AppDataOutput, ValuesAreWrittenAsPrintfWritesThem) {
  for (int dec : {2, 4}) {
    for (float v : {0.0f, -0.0f, -0.001f, 0.005f, 0.125f, 0.375f, -2.675f, 1.005f, 99.995f,
                    123.456f, 0.00005f, -999.0f, 65536.125f, 1234567.0f, -98765432.1f, 9.9e9f,
                    -9.9e9f}) {
      char mine[32], theirs[64];
      format_value(mine, v, dec);
      std::snprintf(theirs, sizeof theirs, "%9.*f", dec, static_cast<double>(v));
      EXPECT_STREQ(mine, theirs) << v << " " << dec;
    }
  }
}

// At rest every force is zero and no engine turns: lift over drag and the propeller efficiencies
// are nothing over nothing, as they are for engines the aircraft does not have.
TEST_F(AppDataOutput, RatiosWithNothingToDivideByAreAbsentAndEveryValueIsFinite) {
  pln.numen = 1;
  flt.thrust[0] = 100.0f;
  flt.av = 30.0f;
  flt.power[0] = 6000.0f;
  float v[GRF_VALUES];
  data_values(41, v);
  EXPECT_FLOAT_EQ(v[0], 0.5f);
  for (int k = 1; k < GRF_VALUES; k++) EXPECT_EQ(v[k], DATA_ABSENT) << "engine " << k + 1;
  data_values(40, v);
  EXPECT_EQ(v[0], DATA_ABSENT);
  flt.lon = 181.25f;  // past the date line, where the region's longitudes run on
  data_values(26, v);
  EXPECT_FLOAT_EQ(v[1], -178.75f);

  // A state nobody filled (a zero frame period, no air) must not put a NaN or an infinity out.
  reset_world_state();
  flt.faxilaero = std::numeric_limits<float>::quiet_NaN();
  for (int g = 0; g < DATA_GROUPS_DEFINED; g++) {
    data_values(g, v);
    for (int k = 0; k < GRF_VALUES; k++) {
      EXPECT_TRUE(std::isfinite(v[k])) << "group " << g << " value " << k;
      EXPECT_LE(std::fabs(v[k]), DATA_LIMIT) << "group " << g << " value " << k;
      if (!data_field_used(g, k)) {
        EXPECT_EQ(v[k], DATA_ABSENT) << "group " << g;
      }
    }
  }
}

// A labelled value the group does not have now keeps its column in the file, blank, so that every
// column after it stays under its label.
TEST_F(AppDataOutput, AnAbsentValueKeepsItsColumnInTheFile) {
  pln.numen = 1;
  flt.thrust[0] = 100.0f;
  flt.av = 30.0f;
  flt.power[0] = 6000.0f;
  out_dat(DEST_FILE, 41, 0);
  EXPECT_EQ(written(), "    0.500 |           |           |           | ");
  // A value that only comes close to the mark of an absent one is a value.
  open_trk(path.c_str());
  flt.vu = -999.004f / con.msctofpm;
  out_dat(DEST_FILE, 16, 0);
  EXPECT_EQ(written(), "  -999.00 | ");
}

TEST_F(AppDataOutput, SelectionsPastTheGroupsAreIgnoredAndClearedWhenRead) {
  set.Bdsk[59] = set.Brlt[55] = set.Bgrf[51] = 1;
  set_rlt_grf_choices();
  EXPECT_EQ(set.dskout, 0);
  EXPECT_EQ(set.rltout, 0);
  EXPECT_EQ(set.grfout, 0);
  out_dat(DEST_FILE, 55, 0);
  out_label(DEST_FILE, -1, 0);
  EXPECT_EQ(written(), "");

  prefs_body b;
  capture_prefs(&b);
  b.Brlt[57] = b.Bgrf[51] = 1;
  b.Brlt[50] = 1;
  check_prefs(&b);
  EXPECT_EQ(b.Brlt[57], 0);
  EXPECT_EQ(b.Bgrf[51], 0);
  EXPECT_EQ(b.Brlt[50], 1);
}

TEST_F(AppDataOutput, AGroupChosenBetweenTwoLabelLinesIsLabelledOnItsFirstLine) {
  set.Bdsk[1] = 1;
  set_rlt_grf_choices();
  msc.cntr10 = 0;
  dskoutproc();
  set.Bdsk[0] = 1;
  set_rlt_grf_choices();
  msc.cntr10 = 1;
  dskoutproc();
  const std::vector<std::string> lines = lines_of(written());
  ASSERT_EQ(lines.size(), 6u);  // a blank line, the labels and the values, twice
  EXPECT_EQ(lines[4].rfind("FREQ,/sec | TIME,rtio | TIME,_sec | ", 0), 0u) << lines[4];
}

TEST_F(AppDataOutput, FileThatCannotBeWrittenGivesOneNoticeAndSwitchesDiskOutputOff) {
  open_trk("/dev/full");
  set.Bdsk[27] = 1;
  set_rlt_grf_choices();
  macibm_clear_alert_log();
  for (int i = 0; i < 2000 && set.dskout; i++) {
    msc.cntr10 = i % 10;
    dskoutproc();
  }
  EXPECT_EQ(set.dskout, 0);
  EXPECT_EQ(set.Bdsk[27], 0);
  dskoutproc();
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(macibm_alert_log()[0].kind, ALERT_NOTICE);
}

TEST_F(AppDataOutput, DumpHeaderNamesTheTimeAndTheAircraft) {
  std::snprintf(pln.C_file, sizeof pln.C_file, "Trainer.acf");
  msc.elap_time = 12.5f;
  msc.zulu_time = 3600.0f * 13 + 60.0f * 7;
  msc.prd = 0.025f;  // the half of a frame of 0.05 s
  trackdiv();
  std::string s = written();
  EXPECT_NE(s.find("ending at 12.50 s"), std::string::npos) << s;
  EXPECT_NE(s.find("sub-step, of 0.0250 s"), std::string::npos) << s;
  EXPECT_NE(s.find("13:07 UTC"), std::string::npos) << s;
  EXPECT_NE(s.find("Trainer.acf"), std::string::npos) << s;
}

// Through the window: group g is box g % 17 of its column in block g / 17. A choice past a
// destination's limit is refused with a notice and its box stays clear; each change applies at
// once.
TEST_F(AppDataOutput, WindowRefusesAChoicePastALimitWithANotice) {
  APPLICATION_setupmenus();
  APPLICATION_handlemenu(401);
  auto box = [](const char* column, int g, int on) {
    const std::string field = column + std::to_string(g / 17);
    headless_form_set(WIN_DATA_OUTPUT, field.c_str(), static_cast<float>(on), g % 17);
    return headless_form_shown(WIN_DATA_OUTPUT, field.c_str(), g % 17);
  };
  const struct {
    const char* column;
    int dest, most;
    const char* refusal;
  } cases[] = {{"disk", DEST_FILE, DATA_GROUPS_DEFINED, nullptr},
               {"screen", DEST_SCREEN, 10, "The on-screen list takes at most 10 groups."},
               {"graph", DEST_GRAPH, 4, "The graph takes at most 4 groups."}};
  for (const auto& c : cases) {
    // Spread over the blocks: the list gets 5, 10 .. 50 and the graph 14, 26, 38, 50.
    const int step = DATA_GROUPS_DEFINED / c.most;
    for (int k = 0; k < c.most; k++) EXPECT_EQ(box(c.column, 50 - step * k, 1), 1.0f) << c.column;
    EXPECT_EQ(data_choice_count(c.dest), c.most);
    if (!c.refusal) continue;
    EXPECT_FALSE(alert_shown(c.refusal));
    EXPECT_EQ(box(c.column, 1, 1), 0.0f) << c.column;
    EXPECT_TRUE(alert_shown(c.refusal)) << c.column;
  }
  EXPECT_EQ(set.rltsel[0], 5);  // in group order
  EXPECT_EQ(set.grfsel[0], 14);
  EXPECT_EQ(set.dskout, 1);
}
