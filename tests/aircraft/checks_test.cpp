// The design checks of a loaded aircraft: each variant of one good design breaks a single rule and
// must be stopped by that rule's message, in the checks' order.
#include "support/test_support.h"

#include "acf_fixture.h"
#include "app/app.h"

namespace {

class AircraftChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_pln();
    reset_afl();
    reset_flt();
    reset_msc();
    write_test_foils();
  }
};

// Loads the test aircraft after `edit` has changed it.
void load_variant(void (*edit)()) {
  fill_test_aircraft("variant.acf");
  edit();
  ASSERT_EQ(writeout_file("variant.acf"), 1);
  load_plane();
}

void expect_stop(void (*edit)(), const char* line1) {
  macibm_clear_alert_log();
  EXPECT_FATAL_ALERT(load_variant(edit));
  EXPECT_EQ(last_alert().line[0], line1);
  EXPECT_EQ(macibm_alert_log().size(), 1u) << "only the broken rule may complain";
}

// A helicopter version of the test aircraft: main rotor, tail rotor, no wings, skids.
void make_helicopter() {
  pln.is_heli = 1;
  pln.Vso = pln.Vs = pln.Vfe = pln.Vno = 0;
  pln.fusewash = 0;
  pln.semilen[0] = 16;
  pln.semilen[1] = 2.5f;
  pln.Croot[1] = pln.Ctip[1] = 0.5f;
  pln.numblades[1] = 2;
  pln.els[1] = 4;
  pln.Zarm[1] = 24;
  for (int p = 4; p <= 5; p++) pln.semilen[p] = 0;
  pln.gearEQ = 0;
}

// Thrust vectoring with the hover controls it needs.
void vectored() {
  pln.vectEQ = 1;
  pln.vectarm = 2.0f;
  pln.elevcyclic = pln.ailncyclic = 5;
}

}  // namespace

TEST_F(AircraftChecks, GoodDesignLoadsWithoutAlert) {
  load_variant([] {});
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_GT(msc.est_Vs, 15.0f);
  EXPECT_FLOAT_EQ(flt.m_fuel, 0.5f * 330 * 0.4535925f);
  EXPECT_FLOAT_EQ(flt.m_fixed, 0.5f * (2450 - 1650 - 330) * 0.4535925f);
}

TEST_F(AircraftChecks, FuselagePanelWeightAndTailRules) {
  expect_stop([] { pln.body_Z[12][3][0] = pln.body_Z[12][2][0]; },
              "You have entered a fuselage with at least two sections at the same station!");
  expect_stop([] { pln.paneltype = 2; pln.supptype = 6; },
              "You have indicated in 'Airwright' that this aircraft has a GLASS PANEL.");
  expect_stop([] { pln.m_empty = 2500; },
              "You have selected an empty weight that is greater than the maximum weight for this "
              "airplane!");
  EXPECT_EQ(last_alert().line[3], "variant.acf");
  expect_stop([] { pln.hstabtype = 1; pln.hstbtrimmax = 2; pln.elev[8][0] = pln.elev[8][1] = 0; },
              "There are 2 different tail-types in Kestrix: STABILIZER and STABILATOR.");
  EXPECT_EQ(last_alert().line[1],
            "You select the tail type for your airplane in the Airwright Horizontal Stabilizer "
            "screen.");
  expect_stop([] { pln.hstabtype = 1; }, "There are 2 different tail-types in Kestrix: STABILIZER and STABILATOR.");
  EXPECT_EQ(last_alert().line[1], "With STABILIZERS, an elevator moves for pitch control.");
}

TEST_F(AircraftChecks, PropulsionRules) {
  expect_stop([] { pln.entype = 3; },
              "You have selected the fuselage as being in propwash, yet there are no propellers on "
              "this aircraft!");
  expect_stop([] { vectored(); pln.ailncyclic = 0; },
              "This aircraft has vectored thrust, but does NOT have pitch and roll cyclic "
              "deflections or puffers!");
  expect_stop([] { vectored(); pln.entype = 3; pln.fusewash = 0; pln.puffL = 100; },
              "The puffer moments in pitch and roll are zero.");
  expect_stop([] { vectored(); pln.vertcant[0] = 5; },
              "This aircraft has both vectored thrust and a canted engine! The trigonometry for "
              "this is not currently supported.");
  expect_stop([] { vectored(); pln.varsweepEQ[4] = 1; },
              "Aircraft has vectored thrust and variable-sweep wing or stabilizer!");
  expect_stop([] { pln.autosweepEQ = 1; },
              "Your aircraft has been selected to have the wings and/or horizontal stabilizer "
              "sweep automatically ");
  expect_stop([] { pln.omegamin = 2800; },
              "You entered an idle rpm greater then the maximum engine rpm in Airwright!");
  // Variable sweep with its automatic schedule, and vectoring with puffers alone, both pass.
  macibm_clear_alert_log();
  load_variant([] { pln.autosweepEQ = 1; pln.varsweepEQ[4] = 1; });
  load_variant([] { vectored(); pln.elevcyclic = pln.ailncyclic = 0; pln.puffL = pln.puffM = 50; });
  EXPECT_EQ(macibm_alert_log().size(), 0u);
}

TEST_F(AircraftChecks, SurfacesAndGroundContactRules) {
  expect_stop([] { for (int p = 4; p <= 11; p++) pln.semilen[p] = 0; },
              "This aircraft has no flying surfaces!");
  expect_stop([] { pln.mgearZ = 5.0f; },  // both wheels ahead of the centre of gravity
              "The center of gravity is not between the nose gear and the main gear!");
  expect_stop([] { pln.mgearZ = pln.cgZ; },
              "The center of gravity is not between the nose gear and the main gear!");
  expect_stop([] { pln.skidEQ = 1; pln.skidZ = 8.5f; pln.skidl = 4; },
              "The center of gravity is not between the front and back of the skid!");
  // A skid from 1 ft ahead to 2 ft behind the centre of gravity passes.
  macibm_clear_alert_log();
  load_variant([] { pln.skidEQ = 1; pln.skidZ = 7; pln.skidl = 3; });
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AircraftChecks, SteepRestingAttitudeOnlyWarns) {
  load_variant([] { pln.ngearY = -6.3f; pln.mgearY = -2.0f; });  // about 35 degrees nose up
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "This thing sits on the ground with an excessive attitute.");
  EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind));
  EXPECT_NEAR(pln.the_eqlbm, 35.0f, 0.1f);
  EXPECT_STREQ(pln.C_path, "variant.acf");  // loaded
}

TEST_F(AircraftChecks, HelicopterRules) {
  load_variant([] { make_helicopter(); pln.skidEQ = 1; pln.skidZ = 6; pln.skidl = 5; });
  EXPECT_TRUE(macibm_alert_log().empty());
  expect_stop([] { make_helicopter(); pln.entype = 3; }, "You are using a jet engine on this helicopter!");
  expect_stop([] { make_helicopter(); pln.numen = 0; }, "You have selected no engines for your helicopter!");
}
