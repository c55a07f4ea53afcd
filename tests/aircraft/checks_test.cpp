// The design checks of a loaded aircraft: each variant of one good design breaks a single rule and
// must be stopped by that rule's message, in the checks' order.
#include "acf_fixture.h"

namespace {

class AircraftChecks : public AircraftTest {
 protected:
  void SetUp() override {
    AircraftTest::SetUp();
    write_test_foils();
  }
};

// Loads the test aircraft with the changes.
void load_variant(const std::vector<change>& changes) {
  ASSERT_EQ(write_variant("variant.acf", changes), 1);
  load_plane();
}

void expect_stop(const std::vector<change>& changes, const char* line1) {
  macibm_clear_alert_log();
  EXPECT_FATAL_ALERT(load_variant(changes));
  EXPECT_EQ(last_alert().line[0], line1);
  EXPECT_EQ(macibm_alert_log().size(), 1u) << "only the broken rule may complain";
}

// A helicopter version of the test aircraft: main rotor, tail rotor, no wings, no wheels.
const std::vector<change> helicopter = {
    to(pln.is_heli, 1),     to(pln.Vso, 0),           to(pln.Vs, 0),
    to(pln.Vfe, 0),         to(pln.Vno, 0),           to(pln.fusewash, 0),
    to(pln.semilen[0], 16), to(pln.semilen[1], 2.5f), to(pln.Croot[1], 0.5f),
    to(pln.Ctip[1], 0.5f),  to(pln.numblades[1], 2),  to(pln.els[1], 4),
    to(pln.Zarm[1], 24),    to(pln.semilen[4], 0),    to(pln.semilen[5], 0),
    to(pln.gearEQ, 0)};

// Thrust vectoring with the hover controls it needs.
const std::vector<change> vectored = {to(pln.vectEQ, 1), to(pln.vectarm, 2), to(pln.elevcyclic, 5),
                                      to(pln.ailncyclic, 5)};

const char* const tail_types =
    "There are 2 different tail-types in Kestrix: STABILIZER and STABILATOR.";
const char* const gear_cg = "The center of gravity is not between the nose gear and the main gear!";

}  // namespace

TEST_F(AircraftChecks, GoodDesignLoadsWithoutAlert) {
  load_variant({});
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_GT(msc.est_Vs, 15.0f);
  EXPECT_FLOAT_EQ(flt.m_fuel, 0.5f * 330 * 0.4535925f);
  EXPECT_FLOAT_EQ(flt.m_fixed, 0.5f * (2450 - 1650 - 330) * 0.4535925f);
}

TEST_F(AircraftChecks, FuselagePanelWeightAndTailRules) {
  expect_stop({to(pln.body_Z[12][3][0], 6.25f)},  // where section 2 stands
              "You have entered a fuselage with at least two sections at the same station!");
  expect_stop({to(pln.paneltype, 2), to(pln.supptype, 6)},
              "You have indicated in 'Airwright' that this aircraft has a GLASS PANEL.");
  expect_stop({to(pln.m_empty, 2500)},
              "You have selected an empty weight that is greater than the maximum weight for this "
              "airplane!");
  EXPECT_EQ(last_alert().line[3], "variant.acf");
  expect_stop(
      {to(pln.hstabtype, 1), to(pln.hstbtrimmax, 2), to(pln.elev[8][0], 0), to(pln.elev[8][1], 0)},
      tail_types);
  EXPECT_EQ(last_alert().line[1],
            "You select the tail type for your airplane in the Airwright Horizontal Stabilizer "
            "screen.");
  expect_stop({to(pln.hstabtype, 1)}, tail_types);
  EXPECT_EQ(last_alert().line[1], "With STABILIZERS, an elevator moves for pitch control.");
}

TEST_F(AircraftChecks, PropulsionRules) {
  expect_stop({to(pln.entype, 3)},
              "You have selected the fuselage as being in propwash, yet there are no propellers on "
              "this aircraft!");
  expect_stop(vectored + changes{to(pln.ailncyclic, 0)},
              "This aircraft has vectored thrust, but does NOT have pitch and roll cyclic "
              "deflections or puffers!");
  expect_stop(vectored + changes{to(pln.entype, 3), to(pln.fusewash, 0), to(pln.puffL, 100)},
              "The puffer moments in pitch and roll are zero.");
  expect_stop(vectored + changes{to(pln.vertcant[0], 5)},
              "This aircraft has both vectored thrust and a canted engine! The trigonometry for "
              "this is not currently supported.");
  expect_stop(vectored + changes{to(pln.varsweepEQ[4], 1)},
              "Aircraft has vectored thrust and variable-sweep wing or stabilizer!");
  expect_stop({to(pln.autosweepEQ, 1)},
              "Your aircraft has been selected to have the wings and/or horizontal stabilizer "
              "sweep automatically ");
  // A glider made by choosing no engine type but keeping an engine is told how to lose the
  // propeller it has no blades for.
  expect_stop({to(pln.entype, 0), to(pln.semilen[0], 0), to(pln.fusewash, 0)},
              "The Prop 1 has a blade length, chord or number of blades of zero!");
  EXPECT_EQ(last_alert().line[2],
            "For an aircraft without engines, go into Airwright, select the 'Engines' screen, and "
            "enter 0 engines; otherwise give the propeller its blade data on the 'Props' screen.");
  expect_stop({to(pln.omegamin, 2800)},
              "You entered an idle rpm greater then the maximum engine rpm in Airwright!");
  // 1000 hp of piston engine weighs 1750 lb: nothing is left of the 1650 lb for the airframe's
  // inertia, which the flight model divides by.
  expect_stop({to(pln.pmax, 1000)}, "The engines weigh more than the whole empty aircraft!");
  // Variable sweep with its automatic schedule, and vectoring with puffers alone, both pass.
  macibm_clear_alert_log();
  load_variant({to(pln.autosweepEQ, 1), to(pln.varsweepEQ[4], 1)});
  load_variant(vectored + changes{to(pln.elevcyclic, 0), to(pln.ailncyclic, 0), to(pln.puffL, 50),
                                  to(pln.puffM, 50)});
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AircraftChecks, SurfacesAndGroundContactRules) {
  std::vector<change> no_surfaces;
  for (int p = 4; p <= 11; p++) no_surfaces.push_back(to(pln.semilen[p], 0));
  expect_stop(no_surfaces, "This aircraft has no flying surfaces!");
  expect_stop({to(pln.mgearZ, 5)}, gear_cg);  // both wheels ahead of the centre of gravity
  expect_stop({to(pln.mgearZ, 8)}, gear_cg);  // the main wheels right at it
  expect_stop({to(pln.skidEQ, 1), to(pln.skidZ, 8.5f), to(pln.skidl, 4)},
              "The center of gravity is not between the front and back of the skid!");
  // A skid from 1 ft ahead to 2 ft behind the centre of gravity passes.
  macibm_clear_alert_log();
  load_variant({to(pln.skidEQ, 1), to(pln.skidZ, 7), to(pln.skidl, 3)});
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AircraftChecks, SteepRestingAttitudeOnlyWarns) {
  load_variant({to(pln.ngearY, -6.3f), to(pln.mgearY, -2)});  // about 35 degrees nose up
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "This thing sits on the ground with an excessive attitute.");
  EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind));
  EXPECT_NEAR(pln.the_eqlbm, 35.0f, 0.1f);
  EXPECT_STREQ(pln.C_path, "variant.acf");  // loaded
}

TEST_F(AircraftChecks, HelicopterRules) {
  load_variant(helicopter + changes{to(pln.skidEQ, 1), to(pln.skidZ, 6), to(pln.skidl, 5)});
  EXPECT_TRUE(macibm_alert_log().empty());
  expect_stop(helicopter + changes{to(pln.entype, 3)},
              "You are using a jet engine on this helicopter!");
  expect_stop(helicopter + changes{to(pln.numen, 0)},
              "You have selected no engines for your helicopter!");
  // A third engine adds a disc that no helicopter screen edits: the way out is fewer engines.
  expect_stop(helicopter + changes{to(pln.numen, 3)}, "The Prop 3 is divided into 0 elements!");
  EXPECT_EQ(last_alert().line[2],
            "A helicopter has only its main and tail rotors: go into Airwright, select the "
            "'Engine' screen, and enter 1 or 2 engines.");
  // The rpm are entered on the screen the helicopter's menu calls "Engine".
  expect_stop(helicopter + changes{to(pln.omegamin, 0)},
              "You entered an idle rpm or a maximum engine rpm of zero, or the two are equal!");
  EXPECT_EQ(last_alert().line[2],
            "Go back into Airwright, select the 'Engine' screen, and enter the engine rpm data.");
}
