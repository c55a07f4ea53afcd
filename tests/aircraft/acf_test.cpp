// The aircraft file: writer and editor reader as mirror images, the simulator reader's
// conversions and rules, and the alerts of malformed files and of the values read.
#include <cstring>
#include <string>

#include "acf_fixture.h"

namespace {

class AircraftAcf : public AircraftTest {
 protected:
  // Writes the test aircraft with the changes and reads it with the simulator's reader.
  void sim_read(const std::vector<change>& changes) {
    ASSERT_EQ(write_variant("plane.acf", changes), 1);
    reset_pln();
    ASSERT_EQ(open_acf("plane.acf"), 1);
    read_plane_file();
  }
  void expect_fatal_read(const std::vector<change>& changes, const char* line1) {
    EXPECT_FATAL_ALERT(sim_read(changes));
    EXPECT_EQ(last_alert().line[0], line1);
  }
};

// Every field the file carries, set to a value the writer's decimals hold exactly.
void fill_every_field() {
  fill_test_aircraft("round.acf");
  C_to_C("root high.afl", pln.Rafl1[5]);
  C_to_C("tip.afl", pln.Tafl0[5]);
  pln.slat[5][3] = pln.splr[4][1] = pln.sbrk[4][0] = pln.drud[4][2] = 1;
  test_body(13, -2, 3, 1, 1);
  test_body(17, -5, 10, 0.75f, 0.75f);
  apply({to(pln.bypass, 1), to(pln.tmax, 3500), to(pln.facejet, 4), to(pln.burnerinc, 200),
         to(pln.revthrustEQ, 1), to(pln.vertcant[0], 1.5f), to(pln.sidecant[0], -2.5f),
         to(pln.vertcant[1], 3.5f), to(pln.sidecant[1], 4.5f), to(pln.vectEQ, 1),
         to(pln.vectarm, 12.5f), to(pln.varpitchEQ, 1), to(pln.propdir[0], 1),
         to(pln.sweep2[4], -30), to(pln.varsweepEQ[4], 2), to(pln.diffRe[5], 1),
         to(pln.diffRT[5], 1), to(pln.hstabtype, 1), to(pln.hstbtrimmax, 2.5f)});
  apply({to(pln.splr_crat, 0.15f), to(pln.drud_crat, 0.2f), to(pln.sbrk_crat, 0.1f),
         to(pln.splr_def, 60),     to(pln.drud_def, 45),    to(pln.sbrk_def, 55),
         to(pln.nace_eq, 1),       to(pln.misc_eq, 1),      to(pln.misc_Z, 8),
         to(pln.misc_X, 5.5f),     to(pln.misc_Y, -3),      to(pln.body_r[13], 1),
         to(pln.body_r[17], 0.5f), to(pln.m_jettison, 800), to(pln.retractEQ, 1),
         to(pln.skidEQ, 1),        to(pln.skidZ, -2),       to(pln.skidX, 3.5f),
         to(pln.skidY, -4),        to(pln.skidl, 8)});
  apply({to(pln.jatoZ, 10),          to(pln.jatoY, -2),         to(pln.jatotheta, 15),
         to(pln.jatothrust, 1000),   to(pln.jatodur, 12),       to(pln.stabroll, 2.5f),
         to(pln.ailpitch, 1.5f),     to(pln.ailflaps, 5),       to(pln.antiiceEQ, 1),
         to(pln.arrestingEQ, 1),     to(pln.bitchinbettyEQ, 1), to(pln.autosbrkEQ, 1),
         to(pln.autofbrkEQ, 1),      to(pln.autosweepEQ, 1),    to(pln.autoslatEQ, 1),
         to(pln.speedbrake_area, 6), to(pln.chute_area, 80),    to(pln.elevcyclic, 6),
         to(pln.ailncyclic, 4),      to(pln.puffL, 1000),       to(pln.puffM, 2000),
         to(pln.puffN, 500)});
  apply({to(pln.ASmaxp1, 0.25f), to(pln.ASp1, 1.125f), to(pln.ASmaxh1, 0.5f), to(pln.ASh1, 2),
         to(pln.ASmaxr1, 0.375f), to(pln.ASr1, 0.75f), to(pln.ASmaxp2, 0.1f), to(pln.ASp2, 0.2f),
         to(pln.ASmaxh2, 0.3f), to(pln.ASh2, 0.4f), to(pln.ASmaxr2, 0.5f), to(pln.ASr2, 0.6f)});
}

void editor_read(const char* path) {
  reset_pln();
  ASSERT_EQ(open_acf(path), 1);
  readin();
}

}  // namespace

TEST_F(AircraftAcf, WriterAndEditorReaderAreMirrorImages) {
  fill_every_field();
  planestruct written = pln;
  ASSERT_EQ(writeout_file("round.acf"), 1);
  editor_read("round.acf");
  EXPECT_EQ(std::memcmp(&written, &pln, sizeof pln), 0);

  ASSERT_EQ(writeout_file("again.acf"), 1);
  EXPECT_EQ(read_file("again.acf"), read_file("round.acf"));
  std::string text = read_file("round.acf");
  EXPECT_EQ(text.rfind("I\n35 version\n\n100 checkpoint: INSTRUMENTS\n\n     0 aircraft type", 0),
            0u);
  EXPECT_NE(text.find("\n106 checkpoint, wng1lEN\n\n"), std::string::npos);
  EXPECT_NE(text.find("\n1.12500 vectored thrust"), std::string::npos);
  EXPECT_NE(text.find("\n 12.5000  -1.4142   1.7678 [4][7]\n"), std::string::npos);
  EXPECT_NE(text.find("\n122 checkpoint: SOUNDS\n\nengine sound file\n"), std::string::npos);
}

TEST_F(AircraftAcf, EditorReaderTakesExactlyElsValuesAndHandsOverTheRootAirfoils) {
  ASSERT_EQ(write_variant("els.acf", {}), 1);
  // Extra values after the two of a part's line are ignored.
  std::string text = read_file("els.acf");
  text.insert(text.find(" angle incidence", text.find("hstblEN")), "  99.000 ");
  write_file("els.acf", text);
  static int calls;
  static std::string first;
  calls = 0;
  readin_foil_hook = [](const char* path, int p) {
    if (calls++ == 0) first = path;
  };
  editor_read("els.acf");
  readin_foil_hook = nullptr;
  EXPECT_EQ((std::vector<float>{pln.anginc[8][1], pln.anginc[8][2]}), (std::vector<float>{-2, 0}));
  EXPECT_EQ(pln.elev[8][1], 1);
  EXPECT_EQ(calls, LIFTING_PARTS);
  EXPECT_EQ(first, std::string(app_path) + "airfoils/test.afl");
  EXPECT_FALSE(inf.is_open());
}

TEST_F(AircraftAcf, SimulatorReaderConvertsToSI) {
  sim_read({to(pln.vectEQ, 1), to(pln.vectarm, 12.5f), to(pln.m_jettison, 100), to(pln.jatodur, 10),
            to(pln.chute_area, 10), to(pln.puffN, 10), to(pln.sweep1[4], -10),
            to(pln.dihed[5], 365)});
  // Each value read, and its value in the file's units converted by hand.
  const float si[][2] = {{pln.semilen[4], 16.0f * 0.3048f}, {pln.m_max, 2450.0f * 0.4535925f},
                         {pln.pmax, 160.0f * 745.7f},       {pln.omegamax, 2700.0f * con.rpmtorsc},
                         {pln.des_adv[0], 5.0f * 0.3048f},  {pln.des_vel[0], 100.0f * con.ktstomsc},
                         {pln.vectarm, 12.5f * 0.3048f},    {pln.puffN, 10.0f * con.ftlbtonm}};
  for (const auto& v : si) EXPECT_FLOAT_EQ(v[0], v[1]);
  EXPECT_EQ((std::vector<int>{pln.vectEQ, pln.jettisonEQ, pln.jatoEQ, pln.chuteEQ, pln.puffEQ,
                              pln.propdir[0]}),
            std::vector<int>(6, 1));
  EXPECT_EQ(std::string(pln.Rafl0[4]), std::string(app_path) + "airfoils/test.afl");
  EXPECT_EQ(std::string(pln.flap_str), std::string(app_path) + "flaps/test.flp");
  // Whole-degree angles come back inside the tables, as does the current sweep.
  EXPECT_EQ((std::vector<int>{pln.sweep1[4], pln.sweepnow[4], pln.dihed[5]}),
            (std::vector<int>{350, 350, 5}));
  // Control flags of existing parts make the aircraft-wide flags.
  EXPECT_EQ((std::vector<int>{pln.ailnEQ, pln.flapEQ, pln.elevEQ, pln.ruddEQ}),
            std::vector<int>(4, 1));
  EXPECT_EQ(
      (std::vector<int>{pln.slatEQ, pln.splrEQ, pln.sbrkEQ, pln.drudEQ, pln.fbrkEQ, pln.collectEQ}),
      std::vector<int>(6, 0));
  // An untrimmable stabiliser gets the fixed trim.
  EXPECT_EQ(pln.flyingstabEQ, 0);
  EXPECT_FLOAT_EQ(pln.hstbtrimmax, 0.5f);
  // Panel locations and their inverse; the upper row starts at 2 + 64 with the airspeed, and the
  // supplementary instrument (location 4) is narrow.
  EXPECT_EQ(pln.loc_of_ins[7], 7);
  EXPECT_EQ((std::vector<int>{pln.loc_x[1], pln.loc_x[2], pln.loc_x[5], pln.loc_x[4]}),
            (std::vector<int>{66, 66 + 129, 66, 66 + 129 + 129 + 115}));
  EXPECT_EQ((std::vector<int>{pln.loc_y[4], pln.loc_y[8]}), (std::vector<int>{222, 84}));
  // Element by element, so that area put in the wrong element shows: the 3 ft propeller's rings
  // of a quarter radius grow by odd multiples outwards; the wing (chord 5 ft to 4 ft) tapers.
  const float ring = con.pi * (0.75f * 0.3048f) * (0.75f * 0.3048f), ft2 = 0.3048f * 0.3048f;
  for (int e = 0; e < 4; e++) {
    EXPECT_NEAR(pln.ringarea[0][e], (2 * e + 1) * ring, 1e-5) << e;
    EXPECT_NEAR(pln.s[4][e], (19.5f - e) * ft2, 1e-5) << e;
  }
  EXPECT_NEAR(pln.discarea[0], 16 * ring, 1e-5);
  EXPECT_GT(pln.miprop[0], 0.0f);
}

TEST_F(AircraftAcf, SimulatorReaderSplitsAndReplacesValues) {
  // The steerable wheel behind the main gear is a tail wheel.
  sim_read({to(pln.numen, 0), to(pln.vertcant[0], 5), to(pln.sidecant[0], 2),
            to(pln.vertcant[1], 7), to(pln.ngearZ, 12), to(pln.AShiV, 30),
            to(pln.hstbtrimmax, 1.5f), to(pln.propdir[0], 1), to(pln.fusewash, 2)});
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

  // A helicopter keeps its tail rotor's cants and may leave its speeds at zero.
  sim_read({to(pln.is_heli, 1), to(pln.Vso, 0), to(pln.Vs, 0), to(pln.Vfe, 0), to(pln.Vno, 0),
            to(pln.Vne, 0), to(pln.sidecant[1], 90), to(pln.semilen[1], 2), to(pln.Croot[1], 0.5f),
            to(pln.Ctip[1], 0.5f), to(pln.numblades[1], 2), to(pln.els[1], 2),
            to(pln.hstbtrimmax, 2)});
  EXPECT_EQ(pln.sidecant[1], 90.0f);
  EXPECT_EQ(pln.sidecant[2], 0.0f);
  EXPECT_EQ(pln.collectEQ, 1);
  EXPECT_EQ(pln.flyingstabEQ, 0);
  EXPECT_EQ(pln.hstbtrimmax, 1.0f);
}

TEST_F(AircraftAcf, ZeroSpeedsAndWeightsStopTheReading) {
  expect_fatal_read({to(pln.Vso, 0)}, "You entered a Vso of zero!");
  EXPECT_EQ(last_alert().line[1], "You need to change this in Airwright.");
  expect_fatal_read({to(pln.Vs, 0)}, "You entered a Vs  of zero!");
  expect_fatal_read({to(pln.Vfe, 0)}, "You entered a Vfe of zero!");
  expect_fatal_read({to(pln.Vno, 0)}, "You entered a Vno of zero!");
  expect_fatal_read({to(pln.Vne, 0), to(pln.Vs, 0)}, "You entered a Vs  of zero!");
  expect_fatal_read({to(pln.m_empty, 2)}, "You have entered an empty weight of zero!");
  EXPECT_EQ(last_alert().line[3], "plane.acf");
  expect_fatal_read({to(pln.m_max, 0.4f)}, "You have entered a maximum weight of zero!");
}

TEST_F(AircraftAcf, PanelRowHoldsAtMostThreeWideInstruments) {
  expect_fatal_read({to(pln.ins_of_loc[4], 5), to(pln.ins_of_loc[5], 0)},
                    "Invalid panel specification!");
  EXPECT_EQ(last_alert().line[3],
            "Go into Airwright and select only 3 WIDE instruments for each row of instruments.");
  expect_fatal_read({to(pln.ins_of_loc[6], 9)}, "Invalid panel specification!");
  EXPECT_EQ(last_alert().line[1], "Panel location 6 holds instrument number 9.");
}

TEST_F(AircraftAcf, ValuesThatWouldOverflowOrDivideByZeroAreRefused) {
  const char* const rpm =
      "You entered an idle rpm or a maximum engine rpm of zero, or the two are equal!";
  const char* const blade = "The Prop 1 has a blade length, chord or number of blades of zero!";
  expect_fatal_read({to(pln.numen, 5)}, "This aircraft has 5 engines!");
  expect_fatal_read({to(pln.els[4], 9)}, "The Left Wing #1 is divided into 9 elements!");
  EXPECT_EQ(last_alert().line[2],
            "Go into Airwright, select the 'Wing 1' screen, and enter 1 to 8 elements.");
  expect_fatal_read({to(pln.els[10], 0)}, "The Vertical Stabilizer #1 is divided into 0 elements!");
  expect_fatal_read({to(pln.semilen[11], 0), to(pln.els[11], -1)},
                    "The Vertical Stabilizer #2 is divided into -1 elements!");
  expect_fatal_read({to(pln.omegamin, 2700)}, rpm);
  expect_fatal_read({to(pln.omegamin, 0)}, rpm);
  expect_fatal_read({to(pln.entype, 3), to(pln.spooltime, 0)},
                    "You entered a jet engine spool time of zero!");
  expect_fatal_read({to(pln.numblades[0], 0)}, blade);
  expect_fatal_read({to(pln.semilen[0], 0)}, blade);
  expect_fatal_read({to(pln.Croot[9], 0), to(pln.Ctip[9], 0)},
                    "The Right Horizontal Stab/Canard has a chord of zero!");
  expect_fatal_read({to(pln.skidEQ, 1), to(pln.skidl, 0)},
                    "You have fitted skids with a length of zero!");
  // A jet's unused rpm and a missing disc's unused blades are not looked at.
  macibm_clear_alert_log();
  sim_read({to(pln.entype, 3), to(pln.omegamin, 0), to(pln.omegamax, 0), to(pln.numblades[0], 0)});
  sim_read({to(pln.numen, 0), to(pln.numblades[0], 0), to(pln.omegamax, 0)});
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AircraftAcf, MalformedFilesGiveTheirAlerts) {
  ASSERT_EQ(write_variant("plane.acf", {}), 1);
  std::string good = read_file("plane.acf");
  auto read_text = [](const std::string& text) {
    write_file("bad.acf", text);
    if (open_acf("bad.acf")) read_plane_file();
  };

  EXPECT_FATAL_ALERT(read_text(good.substr(0, good.size() / 2)));
  EXPECT_EQ(last_alert().line[0], "File-scanning error!");
  EXPECT_EQ(last_alert().line[3], "bad.acf");

  std::string step = good;
  step.replace(step.find("\n106 checkpoint"), 4, "\n107");
  EXPECT_FATAL_ALERT(read_text(step));
  EXPECT_EQ(last_alert().line[0], "An error occurred during read-in of the aircraft file.");
  EXPECT_EQ(last_alert().line[2], "Wanted checkpoint 106, but got point 107.");
}
