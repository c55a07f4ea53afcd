// The aircraft file: writer and editor reader as mirror images, the simulator reader's
// conversions and rules, and the alerts of malformed files and of the values read.
#include "support/test_support.h"

#include <cstring>
#include <fstream>
#include <string>

#include "acf_fixture.h"

namespace {

class AircraftAcf : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_pln();
    reset_afl();
    reset_flt();
  }
  // Writes the test aircraft, changed by `edit`, and reads it with the simulator's reader.
  template <typename F>
  void sim_read(F edit) {
    fill_test_aircraft("plane.acf");
    edit();
    ASSERT_EQ(writeout_file("plane.acf"), 1);
    reset_pln();
    C_to_C("plane.acf", pln.C_path);
    C_to_C("plane.acf", pln.C_file);
    ASSERT_EQ(inf_open("plane.acf", FILE_ANY, VERSION_AIRCRAFT, 1), 1);
    read_plane_file();
  }
  void sim_read() {
    sim_read([] {});
  }
  void expect_fatal_read(void (*edit)(), const char* line1) {
    EXPECT_FATAL_ALERT(sim_read(edit));
    EXPECT_EQ(last_alert().line[0], line1);
  }
};

// Every field the file carries, set to a value the writer's decimals hold exactly.
void fill_every_field() {
  fill_test_aircraft("round.acf");
  pln.is_heli = 0;
  pln.bypass = 1; pln.tmax = 3500; pln.facejet = 4; pln.burnerinc = 200; pln.revthrustEQ = 1;
  pln.vertcant[0] = 1.5f; pln.sidecant[0] = -2.5f; pln.vertcant[1] = 3.5f; pln.sidecant[1] = 4.5f;
  pln.vectEQ = 1; pln.vectarm = 12.5f; pln.varpitchEQ = 1; pln.propdir[0] = 1;
  pln.sweep2[4] = -30; pln.varsweepEQ[4] = 2; pln.diffRe[5] = 1; pln.diffRT[5] = 1;
  C_to_C("root high.afl", pln.Rafl1[5]);
  C_to_C("tip.afl", pln.Tafl0[5]);
  pln.slat[5][3] = pln.splr[4][1] = pln.sbrk[4][0] = pln.drud[4][2] = 1;
  pln.hstabtype = 1; pln.hstbtrimmax = 2.5f;
  pln.splr_crat = 0.15f; pln.drud_crat = 0.2f; pln.sbrk_crat = 0.1f; pln.splr_def = 60;
  pln.drud_def = 45; pln.sbrk_def = 55;
  pln.nace_eq = 1; pln.misc_eq = 1; pln.misc_Z = 8; pln.misc_X = 5.5f; pln.misc_Y = -3;
  pln.body_r[13] = 1; pln.body_r[17] = 0.5f;
  test_body(13, -2, 3, 1, 1);
  test_body(17, -5, 10, 0.75f, 0.75f);
  pln.m_jettison = 800; pln.retractEQ = 1; pln.skidEQ = 1; pln.skidZ = -2; pln.skidX = 3.5f;
  pln.skidY = -4; pln.skidl = 8;
  pln.jatoZ = 10; pln.jatoY = -2; pln.jatotheta = 15; pln.jatothrust = 1000; pln.jatodur = 12;
  pln.stabroll = 2.5f; pln.ailpitch = 1.5f; pln.ailflaps = 5;
  pln.antiiceEQ = pln.arrestingEQ = pln.bitchinbettyEQ = pln.autosbrkEQ = 1;
  pln.autofbrkEQ = pln.autosweepEQ = pln.autoslatEQ = 1;
  pln.speedbrake_area = 6; pln.chute_area = 80;
  pln.elevcyclic = 6; pln.ailncyclic = 4; pln.puffL = 1000; pln.puffM = 2000; pln.puffN = 500;
  pln.ASmaxp1 = 0.25f; pln.ASp1 = 1.125f; pln.ASmaxh1 = 0.5f; pln.ASh1 = 2;
  pln.ASmaxr1 = 0.375f; pln.ASr1 = 0.75f; pln.ASmaxp2 = 0.1f; pln.ASp2 = 0.2f;
  pln.ASmaxh2 = 0.3f; pln.ASh2 = 0.4f; pln.ASmaxr2 = 0.5f; pln.ASr2 = 0.6f;
}

void editor_read(const char* path) {
  reset_pln();
  C_to_C(path, pln.C_path);
  C_to_C(path, pln.C_file);
  ASSERT_EQ(inf_open(path, FILE_ANY, VERSION_AIRCRAFT, 1), 1);
  readin();
}

}  // namespace

TEST_F(AircraftAcf, WriterAndEditorReaderAreMirrorImages) {
  fill_every_field();
  planestruct written = pln;
  ASSERT_EQ(writeout_file("round.acf"), 1);
  editor_read("round.acf");
  EXPECT_EQ(std::memcmp(&written, &pln, sizeof pln), 0);
  EXPECT_EQ(pln.varsweepEQ[4], 2);  // integers and flags are kept as written
  EXPECT_EQ(pln.sweep2[4], -30);

  ASSERT_EQ(writeout_file("again.acf"), 1);
  EXPECT_EQ(slurp("again.acf"), slurp("round.acf"));
  std::string text = slurp("round.acf");
  EXPECT_EQ(text.rfind("I\n35 version\n\n100 checkpoint: INSTRUMENTS\n\n     0 aircraft type", 0), 0u);
  EXPECT_NE(text.find("\n106 checkpoint, wng1lEN\n\n"), std::string::npos);
  EXPECT_NE(text.find("\n1.12500 vectored thrust"), std::string::npos);
  EXPECT_NE(text.find("\n 12.5000  -1.4142   1.7678 [4][7]\n"), std::string::npos);
  EXPECT_NE(text.find("\n122 checkpoint: SOUNDS\n\nengine sound file\n"), std::string::npos);
}

TEST_F(AircraftAcf, EditorReaderTakesExactlyElsValuesAndHandsOverTheRootAirfoils) {
  fill_test_aircraft("els.acf");
  ASSERT_EQ(writeout_file("els.acf"), 1);
  // Extra values after the three of a part line are ignored, as is a longer element count.
  std::string text = slurp("els.acf");
  size_t at = text.find(" angle incidence", text.find("hstblEN"));
  text.insert(at, "  99.000 ");
  std::ofstream("els.acf", std::ios::binary) << text;
  static int calls;
  static std::string first;
  calls = 0;
  readin_foil_hook = [](const char* path, int p) {
    if (calls++ == 0) first = path;
  };
  editor_read("els.acf");
  readin_foil_hook = nullptr;
  EXPECT_EQ(pln.anginc[8][1], -2.0f);
  EXPECT_EQ(pln.anginc[8][2], 0.0f);
  EXPECT_EQ(pln.elev[8][1], 1);
  EXPECT_EQ(calls, LIFTING_PARTS);
  EXPECT_EQ(first, "airfoils/test.afl");
  EXPECT_FALSE(inf.is_open());
}

TEST_F(AircraftAcf, SimulatorReaderConvertsToSI) {
  sim_read([] {
    pln.vectEQ = 1;
    pln.vectarm = 12.5f;
    pln.elevcyclic = pln.ailncyclic = 5;
    pln.m_jettison = 100;
    pln.jatodur = 10;
    pln.chute_area = 10;
    pln.puffN = 10;
    pln.sweep1[4] = -10;
    pln.dihed[5] = 365;
  });
  EXPECT_FLOAT_EQ(pln.semilen[4], 16.0f * 0.3048f);
  EXPECT_FLOAT_EQ(pln.m_max, 2450.0f * 0.4535925f);
  EXPECT_FLOAT_EQ(pln.pmax, 160.0f * 745.7f);
  EXPECT_FLOAT_EQ(pln.omegamax, 2700.0f * con.rpmtorsc);
  EXPECT_FLOAT_EQ(pln.des_adv[0], 5.0f * 0.3048f);
  EXPECT_FLOAT_EQ(pln.des_vel[0], 100.0f * con.ktstomsc);
  EXPECT_FLOAT_EQ(pln.vectarm, 12.5f * 0.3048f);
  EXPECT_FLOAT_EQ(pln.puffN, 10.0f * con.ftlbtonm);
  EXPECT_EQ(pln.vectEQ + pln.jettisonEQ + pln.jatoEQ + pln.chuteEQ + pln.puffEQ, 5);
  EXPECT_EQ(pln.fbrkEQ, 0);
  EXPECT_EQ(pln.propdir[0], 1);
  EXPECT_EQ(pln.collectEQ, 0);
  EXPECT_STREQ(pln.Rafl0[4], "airfoils/test.afl");
  EXPECT_STREQ(pln.flap_str, "flaps/test.flp");
  // Whole-degree angles come back inside the tables, as does the current sweep.
  EXPECT_EQ(pln.sweep1[4], 350);
  EXPECT_EQ(pln.sweepnow[4], 350);
  EXPECT_EQ(pln.dihed[5], 5);
  // Control flags of existing parts make the aircraft-wide flags.
  EXPECT_EQ(pln.ailnEQ + pln.flapEQ + pln.elevEQ + pln.ruddEQ, 4);
  EXPECT_EQ(pln.slatEQ + pln.splrEQ + pln.sbrkEQ + pln.drudEQ, 0);
  // Reading rules: an untrimmable stabiliser gets the fixed trim, the schedule speeds stay apart.
  EXPECT_EQ(pln.flyingstabEQ, 0);
  EXPECT_FLOAT_EQ(pln.hstbtrimmax, 0.5f);
  EXPECT_FLOAT_EQ(pln.AShiV, 120.0f);
  // Panel locations and their inverse; the upper row starts at 2 + 64 with the airspeed.
  EXPECT_EQ(pln.loc_of_ins[7], 7);
  EXPECT_EQ(pln.loc_x[1], 66);
  EXPECT_EQ(pln.loc_x[2], 66 + 129);
  EXPECT_EQ(pln.loc_x[5], 66);
  EXPECT_EQ(pln.loc_x[4], 66 + 129 + 129 + 115);  // the supplementary instrument is narrow
  EXPECT_EQ(pln.loc_y[4], 222);
  EXPECT_EQ(pln.loc_y[8], 84);
  // Element geometry: rings of the propeller and areas of the wing.
  EXPECT_NEAR(pln.ringarea[0][0] + pln.ringarea[0][1] + pln.ringarea[0][2] + pln.ringarea[0][3],
              pln.discarea[0], 1e-4);
  EXPECT_GT(pln.miprop[0], 0.0f);
  float half_wing = 0;
  for (int e = 0; e < 4; e++) half_wing += pln.s[4][e];
  EXPECT_NEAR(half_wing, 4.5f * 16.0f * 0.3048f * 0.3048f, 1e-4);
}

TEST_F(AircraftAcf, SimulatorReaderSplitsAndReplacesValues) {
  sim_read([] {
    pln.numen = 0;
    pln.vertcant[0] = 5;
    pln.sidecant[0] = 2;
    pln.vertcant[1] = 7;
    pln.ngearZ = 12;  // the steerable wheel behind the main gear: a tail wheel
    pln.AShiV = 30;
    pln.hstbtrimmax = 1.5f;
    pln.propdir[0] = 1;
    pln.fusewash = 2;
  });
  EXPECT_EQ(pln.entype, 0);
  for (int n = 1; n < MAX_ENGINES; n++) {
    EXPECT_EQ(pln.vertcant[n], 5.0f);
    EXPECT_EQ(pln.sidecant[n], 2.0f);
  }
  EXPECT_EQ(pln.nwsteer, -30.0f);
  EXPECT_EQ(pln.nwsteerEQ, 1);
  EXPECT_EQ(pln.AShiV, 61.0f);
  EXPECT_EQ(pln.flyingstabEQ, 1);
  EXPECT_EQ(pln.hstbtrimmax, 1.5f);
  EXPECT_EQ(pln.fusewash, 1);  // written as a flag
}

TEST_F(AircraftAcf, HelicopterKeepsTailRotorCantsAndZeroSpeeds) {
  sim_read([] {
    pln.is_heli = 1;
    pln.Vso = pln.Vs = pln.Vfe = pln.Vno = pln.Vne = 0;
    pln.sidecant[1] = 90;
    pln.semilen[1] = 2;
    pln.Croot[1] = pln.Ctip[1] = 0.5f;
    pln.numblades[1] = 2;
    pln.els[1] = 2;
    pln.hstbtrimmax = 2;
  });
  EXPECT_EQ(pln.sidecant[1], 90.0f);
  EXPECT_EQ(pln.sidecant[2], 0.0f);
  EXPECT_EQ(pln.collectEQ, 1);
  EXPECT_EQ(pln.flyingstabEQ, 0);
  EXPECT_EQ(pln.hstbtrimmax, 1.0f);
}

TEST_F(AircraftAcf, ZeroSpeedsAndWeightsStopTheReading) {
  expect_fatal_read([] { pln.Vso = 0; }, "You entered a Vso of zero!");
  EXPECT_EQ(last_alert().line[1], "You need to change this in Airwright.");
  expect_fatal_read([] { pln.Vs = 0; }, "You entered a Vs  of zero!");
  expect_fatal_read([] { pln.Vfe = 0; }, "You entered a Vfe of zero!");
  expect_fatal_read([] { pln.Vno = 0; }, "You entered a Vno of zero!");
  expect_fatal_read([] { pln.Vne = 0; pln.Vs = 0; }, "You entered a Vs  of zero!");
  expect_fatal_read([] { pln.m_empty = 2; }, "You have entered an empty weight of zero!");
  EXPECT_EQ(last_alert().line[3], "plane.acf");
  expect_fatal_read([] { pln.m_max = 0.4f; }, "You have entered a maximum weight of zero!");
}

TEST_F(AircraftAcf, PanelRowHoldsAtMostThreeWideInstruments) {
  sim_read([] {
    pln.ins_of_loc[1] = 1; pln.ins_of_loc[2] = 2; pln.ins_of_loc[3] = 3; pln.ins_of_loc[4] = 4;
  });
  EXPECT_TRUE(macibm_alert_log().empty());
  expect_fatal_read([] { pln.ins_of_loc[4] = 5; pln.ins_of_loc[5] = 0; }, "Invalid panel specification!");
  EXPECT_EQ(last_alert().line[3],
            "Go into Airwright and select only 3 WIDE instruments for each row of instruments.");
  expect_fatal_read([] { pln.ins_of_loc[6] = 9; }, "Invalid panel specification!");
  EXPECT_EQ(last_alert().line[1], "Panel location 6 holds instrument number 9.");
}

TEST_F(AircraftAcf, ValuesThatWouldOverflowOrDivideByZeroAreRefused) {
  expect_fatal_read([] { pln.numen = 5; }, "This aircraft has 5 engines!");
  expect_fatal_read([] { pln.els[4] = 9; }, "The Left Wing #1 is divided into 9 elements!");
  EXPECT_EQ(last_alert().line[2],
            "Go into Airwright, select the 'Wing 1' screen, and enter 1 to 8 elements.");
  expect_fatal_read([] { pln.els[10] = 0; }, "The Vertical Stabilizer #1 is divided into 0 elements!");
  expect_fatal_read([] { pln.semilen[11] = 0; pln.els[11] = -1; },
                    "The Vertical Stabilizer #2 is divided into -1 elements!");
  expect_fatal_read([] { pln.omegamin = pln.omegamax; },
                    "You entered an idle rpm or a maximum engine rpm of zero, or the two are equal!");
  expect_fatal_read([] { pln.omegamin = 0; },
                    "You entered an idle rpm or a maximum engine rpm of zero, or the two are equal!");
  expect_fatal_read([] { pln.entype = 3; pln.spooltime = 0; },
                    "You entered a jet engine spool time of zero!");
  expect_fatal_read([] { pln.numblades[0] = 0; },
                    "The Prop 1 has a blade length, chord or number of blades of zero!");
  expect_fatal_read([] { pln.semilen[0] = 0; },
                    "The Prop 1 has a blade length, chord or number of blades of zero!");
  expect_fatal_read([] { pln.Croot[9] = pln.Ctip[9] = 0; },
                    "The Right Horizontal Stab/Canard has a chord of zero!");
  expect_fatal_read([] { pln.skidEQ = 1; pln.skidl = 0; },
                    "You have fitted skids with a length of zero!");
  // A jet's unused rpm and a missing disc's unused blades are not looked at.
  macibm_clear_alert_log();
  sim_read([] { pln.entype = 3; pln.omegamin = pln.omegamax = 0; pln.numblades[0] = 0; });
  sim_read([] { pln.numen = 0; pln.numblades[0] = 0; pln.omegamax = 0; });
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AircraftAcf, MalformedFilesGiveTheirAlerts) {
  fill_test_aircraft("plane.acf");
  ASSERT_EQ(writeout_file("plane.acf"), 1);
  std::string good = slurp("plane.acf");
  auto read_text = [](const std::string& text) {
    std::ofstream("bad.acf", std::ios::binary) << text;
    C_to_C("bad.acf", pln.C_path);
    if (inf_open("bad.acf", FILE_ANY, VERSION_AIRCRAFT, 1)) read_plane_file();
  };

  EXPECT_FATAL_ALERT(read_text(good.substr(0, good.size() / 2)));
  EXPECT_EQ(last_alert().line[0], "File-scanning error!");
  EXPECT_EQ(last_alert().line[3], "bad.acf");

  std::string step = good;
  step.replace(step.find("\n106 checkpoint"), 4, "\n107");
  EXPECT_FATAL_ALERT(read_text(step));
  EXPECT_EQ(last_alert().line[0], "An error occurred during read-in of the aircraft file.");
  EXPECT_EQ(last_alert().line[2], "Wanted checkpoint 106, but got point 107.");

  std::string old = good;
  old.replace(0, 5, "I\n34 ");
  EXPECT_FATAL_ALERT(read_text(old));
  EXPECT_EQ(last_alert().line[0],
            "The following file is the wrong version for this version of Kestrix:");
}
