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

// A point r along the span from the root at (Xarm, Yarm, Zarm): left surfaces extend to the left;
// dihedral and sweep turn the span; negative and full-turn angles from the file are wrapped.
TEST_F(AircraftParts, SpanPointsFollowSideDihedralAndSweep) {
  const float s30 = 0.5f, c30 = std::cos(deg(30));
  const struct {
    int p, dihed, sweep;
    float r, x, y, z;  // root Yarm and Zarm 1 and 6; Xarm 0.5 on a side, 0 on the fin
  } cases[] = {
      {4, 0, 0, 3, -2.5f, 1, 6}, {5, 0, 0, 3, 3.5f, 1, 6},  {6, 0, 0, 3, -2.5f, 1, 6},
      {7, 0, 0, 3, 3.5f, 1, 6},  {8, 0, 0, 3, -2.5f, 1, 6}, {9, 0, 0, 3, 3.5f, 1, 6},
      {10, 90, 30, 2, 0, 1 + 2 * c30, 6 + 2 * s30},  // an upright fin, swept back
      {5, -5, -30, 4, 0.5f + 4 * std::cos(deg(5)) * c30, 1 + 4 * std::sin(deg(-5)) * c30,
       6 - 4 * s30},  // anhedral, swept forward
      {5, 0, 390, 4, 0.5f + 4 * c30, 1, 6 + 4 * s30},
  };
  for (const auto& c : cases) {
    pln.Xarm[c.p] = c.p == 10 ? 0.0f : 0.5f, pln.Yarm[c.p] = 1.0f, pln.Zarm[c.p] = 6.0f;
    pln.dihed[c.p] = c.dihed, pln.sweepnow[c.p] = c.sweep;
    EXPECT_NEAR(get_wing_Xarm(c.p, c.r), c.x, 1e-5f) << c.p << " " << c.sweep;
    EXPECT_NEAR(get_wing_Yarm(c.p, c.r), c.y, 1e-5f) << c.p << " " << c.sweep;
    EXPECT_NEAR(get_wing_Zarm(c.p, c.r), c.z, 1e-5f) << c.p << " " << c.sweep;
  }
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
