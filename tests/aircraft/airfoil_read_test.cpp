// Airfoil and flap files: where each row lands, the row-angle and drag checks, the Reynolds pair
// and the alerts of missing and corrupted files.
#include <string>

#include "acf_fixture.h"

namespace {

class AircraftAirfoilRead : public AircraftTest {
 protected:
  void expect_refused(const test_foil& f, const char* line1) {
    write_test_airfoil("bad.afl", f);
    EXPECT_FATAL_ALERT(grabafoil("bad.afl", 6, 0, 0));
    EXPECT_EQ(last_alert().line[0], line1);
  }
};

const char* const negative_drag =
    "An airfoil used by this aircraft has negative drag at some angle of attack!";

}  // namespace

TEST_F(AircraftAirfoilRead, RowsLandInTheirTables) {
  test_foil f;
  f.re = 6.0f;
  write_test_airfoil("good.afl", f);
  grabafoil("good.afl", 9, 1, 1);
  EXPECT_TRUE(macibm_alert_log().empty());
  // Row 270 is 90 degrees, row 205 is 25 degrees, row 150 is 15 degrees, row 37 is 3.7 degrees.
  EXPECT_NEAR(afl.clneg[9][1][1][170], test_cl(f, -90), 1e-5);
  EXPECT_NEAR(afl.cdneg[9][1][1][205], test_cd(25), 1e-5);
  EXPECT_NEAR(afl.cdneg[9][1][1][37], test_cd(3.7f), 1e-5);
  EXPECT_NEAR(afl.cdpos[9][1][1][37], test_cd(3.7f), 1e-5);
  EXPECT_NEAR(afl.clpos[9][1][1][50], test_cl(f, 15), 1e-5);
  EXPECT_NEAR(afl.cdpos[9][1][1][270], test_cd(90), 1e-4);
  // The header's values, two moment figures and the zero-lift angle, with what they must be.
  const float values[][2] = {{pln.trat[9], 0.12f},      {pln.Re[9][1][1], 6.0f},
                             {pln.alpha_max[9], 15.0f}, {afl.cmal3[9][1][1], 8.0f},
                             {afl.cm4[9][1][1], -0.2f}, {afl.al_zl[9][1][1], -2.5f}};
  for (const auto& v : values) EXPECT_FLOAT_EQ(v[0], v[1]);
  EXPECT_EQ(afl.clM[9][0][0], 0.0f);  // other slots untouched
  EXPECT_FALSE(inf.is_open());
}

TEST_F(AircraftAirfoilRead, RowOutOfStepEndsTheLoad) {
  if (trk.is_open()) trk.close();
  trk.open("Kestrix.out");
  test_foil f;
  f.shifted_row = 199;  // -19.9 written as -19.8
  expect_refused(f, "An error occurred during read-in of the airfoil file.");
  EXPECT_EQ(last_alert().line[3], "bad.afl");
  trk.close();
  std::string report = read_file("Kestrix.out");
  EXPECT_NE(report.find("Exited because looking in wingfile bad.afl for alpha -19.9"),
            std::string::npos)
      << report;
}

TEST_F(AircraftAirfoilRead, SlightlyNegativeDragOnlyNearZeroAngle) {
  test_foil f;
  f.drag_block = 1;  // the -9.9..0 drag-only rows
  write_test_airfoil("near_zero.afl", f);
  grabafoil("near_zero.afl", 4, 0, 0);
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_FLOAT_EQ(afl.cdneg[4][0][0][50], -0.005f);

  f.drag = -0.02f;
  expect_refused(f, negative_drag);
  f.drag = -0.005f;
  for (int block : {0, 2, 3}) {
    f.drag_block = block;
    expect_refused(f, negative_drag);
    EXPECT_EQ(last_alert().line[1], "The name of the airfoil file is: bad.afl");
    EXPECT_EQ(last_alert().line[2], "The foil file is used by wing number two.");
  }
}

TEST_F(AircraftAirfoilRead, MissingCorruptAndSlopelessFilesAreRefused) {
  EXPECT_FATAL_ALERT(grabafoil("airfoils/none.afl", 11, 0, 0));
  EXPECT_EQ(last_alert().line[0],
            "An airfoil file that is required by the aircraft you are attempting to fly could not "
            "be found.");
  EXPECT_EQ(last_alert().line[2], "The foil file is used by vertical stab number two.");

  std::ofstream("corrupt.afl") << "I\n363 version\n1235 not an airfoil\n";
  EXPECT_FATAL_ALERT(grabafoil("corrupt.afl", 0, 0, 0));
  EXPECT_EQ(last_alert().line[3], "Revert to back-up.");

  std::ofstream("old.afl") << "I\n362 version\n1234\n";
  EXPECT_FATAL_ALERT(grabafoil("old.afl", 0, 0, 0));
  EXPECT_EQ(last_alert().line[1], "old.afl");

  test_foil f;
  f.clM = 0.0f;
  expect_refused(f, "An airfoil used by this aircraft has a lift slope of zero!");
}

TEST_F(AircraftAirfoilRead, ReynoldsPairMustLieAMillionApartInEitherOrder) {
  auto pair = [](float re0, float re1) {
    test_foil f;
    f.re = re0;
    f.clB = 0.1f;
    write_test_airfoil("re0.afl", f);
    f.re = re1;
    f.clB = 0.3f;
    write_test_airfoil("re1.afl", f);
    C_to_C("re0.afl", pln.Tafl0[5]);
    C_to_C("re1.afl", pln.Tafl1[5]);
    grabafoil("re0.afl", 5, 1, 0);
    grabafoil("re1.afl", 5, 1, 1);
    checkRediff("re0.afl", "re1.afl", 5, 1);
  };
  EXPECT_FATAL_ALERT(pair(3.0f, 3.5f));
  EXPECT_EQ(last_alert().line[0],
            "You are attempting Reynolds number interpolation with two airfoils of similar "
            "Reynolds numbers.");
  EXPECT_EQ(last_alert().line[2], "re1.afl");

  macibm_clear_alert_log();
  pair(3.0f, 4.0f);
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_EQ(pln.Re[5][1][0], 3.0f);
  EXPECT_FLOAT_EQ(afl.clB[5][1][0], 0.1f);

  // The higher Reynolds number named first ends up in the second slot with its own tables.
  pair(4.0f, 3.0f);
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_EQ(pln.Re[5][1][0], 3.0f);
  EXPECT_EQ(pln.Re[5][1][1], 4.0f);
  EXPECT_FLOAT_EQ(afl.clB[5][1][0], 0.3f);
  EXPECT_FLOAT_EQ(afl.clB[5][1][1], 0.1f);
  EXPECT_NEAR(afl.clpos[5][1][1][0], 0.1f + 1.0f, 1e-5);
  EXPECT_STREQ(pln.Tafl0[5], "re1.afl");
}

TEST_F(AircraftAirfoilRead, FlapFileFillsItsRows) {
  write_test_flap("flaps/good.flp");
  read_flap_file("flaps/good.flp");
  EXPECT_FLOAT_EQ(pln.clflap[50], 1.0f);
  EXPECT_FLOAT_EQ(pln.cdflap[10], 0.01f);
  EXPECT_FLOAT_EQ(pln.cmflap[25], -0.1f);

  EXPECT_FATAL_ALERT(read_flap_file("flaps/none.flp"));
  EXPECT_EQ(last_alert().line[0],
            "The flap file that is required by the aircraft you are attempting to fly could not be "
            "found.");
  EXPECT_EQ(last_alert().line[2], "flaps/none.flp");
  std::ofstream("bad.flp") << "I\n363 version\n2346\n";
  EXPECT_FATAL_ALERT(read_flap_file("bad.flp"));
  EXPECT_EQ(last_alert().line[0], "An error occurred during read-in of the flaps file.");
}
