// load_plane end to end: the report, the panel scales, the missing-file path, and a failed load
// that must leave the previous aircraft in place.
#include <cstring>
#include <string>

#include "acf_fixture.h"

namespace {

class AircraftLoadPlane : public AircraftTest {
 protected:
  void SetUp() override {
    AircraftTest::SetUp();
    write_test_foils();
    if (trk.is_open()) trk.close();
  }
  // Writes a variant of the test aircraft without disturbing the aircraft in pln.
  void write_aircraft(const char* path, const std::vector<change>& changes) {
    static planestruct loaded;
    loaded = pln;
    EXPECT_EQ(write_variant(path, changes), 1);
    pln = loaded;
  }
  // The shell names the aircraft in pln before it asks for the load.
  void load(const char* path) {
    C_to_C(path, pln.C_path);
    C_to_C(path, pln.C_file);
    load_plane();
  }
  // The previous aircraft, apart from the name of the one asked for.
  void expect_unchanged(planestruct before) {
    C_to_C(pln.C_path, before.C_path);
    C_to_C(pln.C_file, before.C_file);
    EXPECT_EQ(std::memcmp(&before, &pln, sizeof pln), 0);
  }
};

}  // namespace

TEST_F(AircraftLoadPlane, WritesTheAnalysisReport) {
  write_aircraft("good.acf", {});
  load("good.acf");
  trk.close();
  std::string report = read_file("Kestrix.out");
  for (const char* text :
       {"The propeller DISC AREA is broken down into rings", "\nFinite Wing for Left Wing #1\n",
        "\nFinal radii of gyration are then as follows:\n", "\nPROPWASH SITUATION:",
        "x location positive aft      x force positive forwards", "\nELEMENT BREAK-DOWN:\n\n",
        "These dimensions, like all dimensions in this output file, are with respect to the C.G.!",
        "DOWNWASH SITUATION:  W1=wing 1\n"}) {
    EXPECT_NE(report.find(text), std::string::npos) << text;
  }
  // Both halves of the stabiliser sit in the wings' downwash; the table runs tip to tip.
  EXPECT_NE(report.find("HORIZONTAL STAB: " + std::string(18, ' ') + "W1 W1 FUSE W1 W1 "),
            std::string::npos);
  EXPECT_NE(report.find("HORIZONTAL STAB: " + std::string(30, ' ') + "---- 1--- FUSE 1--- ---- "),
            std::string::npos);
}

TEST_F(AircraftLoadPlane, PanelScalesFollowTheIndicatorType) {
  apply({to(pln.AStype, 1), to(pln.Vso, 44), to(pln.Vne, 163), to(pln.numen, 4)});
  finish_readin2();
  EXPECT_EQ((std::vector<float>{pln.Vmin, pln.Vmax, pln.ASpwr}), (std::vector<float>{30, 170, 1}));
  EXPECT_EQ((std::vector<int>{pln.ecam, pln.tape}), (std::vector<int>{1, 1}));
  pln.vectEQ = pln.is_heli = 1;
  finish_readin2();
  EXPECT_EQ(pln.Vmin, 0.0f);
  EXPECT_EQ(pln.ecam, 0);
  pln.AStype = 2;
  finish_readin2();
  EXPECT_EQ((std::vector<float>{pln.ASpwr, pln.Vmin}), (std::vector<float>{0.3f, 60}));
  apply({to(pln.ins_of_loc[1], 1), to(pln.ins_of_loc[4], 4)});
  EXPECT_EQ(ret_ins_sep(1, 4), 1 + 64 + 50);
}

TEST_F(AircraftLoadPlane, FailedLoadKeepsThePreviousAircraft) {
  write_aircraft("good.acf", {});
  load("good.acf");
  planestruct before = pln;
  static airfoilstruct afl_before;
  afl_before = afl;
  float vs = msc.est_Vs, fuel = flt.m_fuel;

  write_aircraft("heavy.acf", {to(pln.m_empty, 3000), to(pln.m_fuel, 100)});
  EXPECT_FATAL_ALERT(load("heavy.acf"));
  expect_unchanged(before);
  EXPECT_EQ(std::memcmp(&afl_before, &afl, sizeof afl), 0);
  EXPECT_EQ(msc.est_Vs, vs);
  EXPECT_EQ(flt.m_fuel, fuel);

  // A failure halfway through the airfoils (the fin's two files are one) keeps the tables too.
  write_aircraft("foil.acf", {to(pln.diffRe[10], 1)});
  EXPECT_FATAL_ALERT(load("foil.acf"));
  expect_unchanged(before);
  EXPECT_EQ(std::memcmp(&afl_before, &afl, sizeof afl), 0);
}

TEST_F(AircraftLoadPlane, MissingFileSendsTheUserToTheOpenDialog) {
  write_aircraft("good.acf", {});
  load("good.acf");
  planestruct before = pln;
  macibm_clear_alert_log();
  // Without a dialog to choose from, the request ends as cancelled.
  EXPECT_FATAL_ALERT(load("gone/nothere.acf"));
  ASSERT_EQ(macibm_alert_log().size(), 2u);
  const alert_record& notice = macibm_alert_log()[0];
  EXPECT_EQ(notice.line[0], "The aircraft file that you last used ");
  EXPECT_EQ(notice.line[1], "gone/nothere.acf");
  EXPECT_FALSE(macibm_alert_is_fatal(notice.kind));
  EXPECT_EQ(last_alert().line[0], "File opening failed or aborted.");
  expect_unchanged(before);
}

TEST_F(AircraftLoadPlane, NewAircraftKeepsTheWingThePreviousFlightLost) {
  write_aircraft("good.acf", {});
  wings_torn_off = 1;
  load("good.acf");
  EXPECT_GT(pln.s[5][0], 0.0f);
  EXPECT_GT(pln.AR[5], 0.0f);
  EXPECT_EQ(wings_torn_off, 1);  // the flight's own state is its restart's business
}

TEST_F(AircraftLoadPlane, ReloadLeavesNothingOfTheFormerAircraft) {
  write_aircraft("twin.acf", {to(pln.numen, 2), to(pln.semilen[1], 3), to(pln.Croot[1], 0.5f),
                              to(pln.Ctip[1], 0.3f), to(pln.numblades[1], 2), to(pln.els[1], 4),
                              to(pln.Xarm[1], 6)});
  load("twin.acf");
  EXPECT_GT(pln.discarea[1], 0.0f);
  write_aircraft("single.acf", {});
  load("single.acf");
  EXPECT_EQ(pln.discarea[1], 0.0f);
  EXPECT_EQ(pln.draw_full, 1);
}
