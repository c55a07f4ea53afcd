// Which parts exist, the span geometry of the surfaces, and the outlines of the bodies.
#include <cmath>
#include <string>

#include "acf_fixture.h"

namespace {

using AircraftParts = AircraftTest;

float deg(float d) { return d * 3.14159265f / 180.0f; }

}  // namespace

// Parts 0..18 as a string of 0 and 1 for each variant of an empty record.
TEST_F(AircraftParts, DiscsNeedAPropellerEngineAndBodiesTheirOptions) {
  const struct {
    std::vector<change> record;
    const char* parts;
  } cases[] = {
      {{}, "0000000000001000000"},  // the fuselage exists even in an empty record
      {{to(pln.numen, 2), to(pln.entype, 3)}, "0000000000001000000"},  // jets drive no discs
      {{to(pln.numen, 2), to(pln.entype, 1)}, "1100000000001000000"},
      {{to(pln.numen, 4), to(pln.entype, 2)}, "1111000000001000000"},
      // A helicopter has its main and tail rotor even with an engine type that drives no disc.
      {{to(pln.is_heli, 1), to(pln.numen, 1), to(pln.entype, 3)}, "1100000000001000000"},
      // Nacelles count engines of any type.
      {{to(pln.numen, 2), to(pln.entype, 3), to(pln.nace_eq, 1)}, "0000000000001110000"},
      {{to(pln.misc_X, 2.0f)}, "0000000000001000000"},
      // The miscellaneous body is a pair only beyond one centimetre.
      {{to(pln.misc_eq, 1), to(pln.misc_X, 0.01f)}, "0000000000001000010"},
      {{to(pln.misc_eq, 1), to(pln.misc_X, 0.011f)}, "0000000000001000011"},
  };
  for (const auto& c : cases) {
    reset_pln();
    apply(c.record);
    std::string parts;
    for (int p = 0; p < NUM_PARTS; p++) parts += have_this_part(p) ? '1' : '0';
    EXPECT_EQ(parts, c.parts);
  }
}

TEST_F(AircraftParts, SurfaceNeedsMoreThanFiveCentimetresOfSpan) {
  for (int p = 4; p <= 11; p++) {
    pln.semilen[p] = 0.04f;
    EXPECT_EQ(have_this_part(p), 0) << p;
    pln.semilen[p] = 0.05f;
    EXPECT_EQ(have_this_part(p), 0) << p;
    pln.semilen[p] = 0.06f;
    EXPECT_EQ(have_this_part(p), 1) << p;
  }
}

TEST_F(AircraftParts, OverspeedLosesOnlyTheRightWings) {
  for (int p = 4; p <= 11; p++) pln.semilen[p] = 5.0f;
  wings_torn_off = 1;
  for (int p = 4; p <= 11; p++) EXPECT_EQ(have_this_part(p), p == 5 || p == 7 ? 0 : 1) << p;
  wings_torn_off = 0;
  EXPECT_EQ(have_this_part(5), 1);
  EXPECT_EQ(have_this_part(7), 1);
}

TEST_F(AircraftParts, PartNumbersOutsideTheSlotsNeverExist) {
  pln.misc_eq = pln.nace_eq = 1;
  pln.numen = 4;
  pln.entype = 1;
  EXPECT_EQ(have_this_part(-1), 0);
  EXPECT_EQ(have_this_part(19), 0);
  EXPECT_EQ(f_body_s_dim(19), 0);
  EXPECT_EQ(f_body_r_dim(-1), 0);
  float x = 1, y = 1, z = 1;
  get_body_os(19, &x, &y, &z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 0.0f);
}

TEST_F(AircraftParts, ElementCentresDivideTheSpanEvenly) {
  pln.semilen[5] = 5.0f;
  pln.els[5] = 4;
  EXPECT_FLOAT_EQ(get_wing_rarm(5, 0), 0.625f);
  EXPECT_FLOAT_EQ(get_wing_rarm(5, 3), 4.375f);
  pln.els[5] = 0;  // no elements: still a finite position
  EXPECT_EQ(get_wing_rarm(5, 0), 0.0f);
}

TEST_F(AircraftParts, LeftSurfacesExtendToTheLeft) {
  for (int p : {4, 5, 6, 7, 8, 9}) {
    pln.Xarm[p] = 0.5f;
    float tip = get_wing_Xarm(p, 3.0f);
    bool left = p == 4 || p == 6 || p == 8;
    EXPECT_FLOAT_EQ(tip, left ? -2.5f : 3.5f) << p;
  }
}

TEST_F(AircraftParts, DihedralAndSweepTurnTheSpan) {
  pln.Xarm[10] = 0.0f;
  pln.Yarm[10] = 1.0f;
  pln.Zarm[10] = 6.0f;
  pln.dihed[10] = 90;  // an upright fin
  pln.sweepnow[10] = 30;
  float r = 2.0f;
  EXPECT_NEAR(get_wing_Xarm(10, r), 0.0f, 1e-5f);
  EXPECT_NEAR(get_wing_Yarm(10, r), 1.0f + r * std::cos(deg(30)), 1e-5f);
  EXPECT_NEAR(get_wing_Zarm(10, r), 6.0f + r * 0.5f, 1e-5f);
}

TEST_F(AircraftParts, NegativeAndFullTurnAnglesFromTheFileAreWrapped) {
  pln.Yarm[5] = 0.0f;
  pln.Zarm[5] = 0.0f;
  pln.dihed[5] = -5;      // anhedral
  pln.sweepnow[5] = -30;  // forward sweep
  float r = 4.0f;
  EXPECT_NEAR(get_wing_Yarm(5, r), r * std::sin(deg(-5)) * std::cos(deg(30)), 1e-5f);
  EXPECT_NEAR(get_wing_Zarm(5, r), -r * 0.5f, 1e-5f);
  pln.sweepnow[5] = 390;
  EXPECT_NEAR(get_wing_Zarm(5, r), r * 0.5f, 1e-5f);
}

TEST_F(AircraftParts, DiscOutlineHasTwoStationsPerBlade) {
  pln.numblades[2] = 3;
  EXPECT_EQ(f_body_s_dim(2), 6);
  EXPECT_EQ(f_body_r_dim(2), 2);
  EXPECT_EQ(f_body_s_dim(12), 9);  // only the fuselage uses all nine stored sections
  EXPECT_EQ(f_body_s_dim(17), 5);
}

TEST_F(AircraftParts, BodyOffsetsFollowTheirMounts) {
  apply({to(pln.Xarm[1], -3), to(pln.Yarm[1], 0.2f), to(pln.Zarm[1], -1), to(pln.misc_X, 2),
         to(pln.misc_Y, -1.5f), to(pln.misc_Z, 0.5f)});
  // A nacelle sits on its engine's disc, the first miscellaneous body is the left one, and the
  // fuselage is the reference.
  const float want[][4] = {{14, -3, 0.2f, -1}, {17, -2, -1.5f, 0.5f}, {18, 2, -1.5f, 0.5f},
                           {12, 0, 0, 0}};
  for (const auto& w : want) {
    float x, y, z;
    get_body_os(static_cast<int>(w[0]), &x, &y, &z);
    EXPECT_EQ(x, w[1]) << w[0];
    EXPECT_EQ(y, w[2]) << w[0];
    EXPECT_EQ(z, w[3]) << w[0];
  }
}
