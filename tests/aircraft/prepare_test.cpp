// Aircraft preparation on small geometries worked out by hand: surfaces, biplanes, wash tables,
// body areas, gear, stall speed and slats.
#include <cmath>

#include "acf_fixture.h"

namespace {

class AircraftPrepare : public AircraftTest {
 protected:
  void SetUp() override {
    AircraftTest::SetUp();
    write_test_airfoil("airfoils/test.afl", test_foil());
    pln.m_empty = 1000.0f;
    pln.m_max = 1500.0f;
  }
  // A surface in SI units with its element geometry.
  void surface(int p, float b, float cr, float ct, int els, float z = 0, float y = 0,
               int sweep = 0) {
    apply({to(pln.semilen[p], b), to(pln.Croot[p], cr), to(pln.Ctip[p], ct), to(pln.els[p], els),
           to(pln.Zarm[p], z), to(pln.Yarm[p], y), to(pln.sweep1[p], sweep),
           to(pln.sweepnow[p], sweep)});
    C_to_C("airfoils/test.afl", pln.Rafl0[p]);
    part_geometry(p);
  }
};

}  // namespace

TEST_F(AircraftPrepare, RectangularWingMatchesTheHandFigures) {
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  for (int e = 0; e < 4; e++) {
    EXPECT_FLOAT_EQ(pln.s[4][e], 1.25f);
    EXPECT_FLOAT_EQ(pln.mac[4][e], 1.0f);
  }
  finish_readin1();
  EXPECT_FLOAT_EQ(pln.AR[4], 10.0f);
  EXPECT_FLOAT_EQ(pln.delta_fac[4], 0.0f);
  // e = 1.78 (1 - 0.045 * 10^0.68) - 0.64 unswept; r = 1 / (1 + 2 / (e AR)).
  EXPECT_NEAR(pln.e[4], 0.75662f, 1e-4);
  EXPECT_NEAR(pln.al_D_al0[4], 0.85783f, 1e-4);
  EXPECT_NEAR(pln.cl_D_cl0[4], 0.93310f, 1e-4);
  EXPECT_NEAR(pln.cm_D_cm0[4], 10.0f / 12.0f, 1e-5);
  EXPECT_NEAR(pln.alpha_max[4], 15.0f / 0.85783f, 1e-3);
}

TEST_F(AircraftPrepare, EfficiencyBlendsWithSweepAndIsClamped) {
  surface(4, 5.0f, 1.0f, 1.0f, 4, 0, 0, 15);  // the mean of the unswept and swept formulas
  surface(5, 5.0f, 1.0f, 1.0f, 4, 0, 0, 30);  // the swept formula alone
  surface(6, 20.0f, 1.0f, 1.0f, 4);           // AR 40: below 0.5
  surface(7, 0.5f, 1.0f, 1.0f, 1);            // AR 1: above 1
  surface(8, 5.0f, 2.0f, 1.0f, 2, 0, 0, 30);  // tapered and swept
  finish_readin1();
  EXPECT_NEAR(pln.e[4], 0.61403f, 1e-4);
  EXPECT_NEAR(pln.e[5], 0.53042f, 1e-4);
  EXPECT_EQ(pln.e[6], 0.5f);
  EXPECT_EQ(pln.e[7], 1.0f);
  // Quarter-chord sweep atan((0.5 + 2.5 - 0.25) / 4.330) = 32.42 deg; (32.42 / 65) * (1 - 1/2).
  EXPECT_NEAR(pln.delta_fac[8], 0.2494f, 1e-3);
}

TEST_F(AircraftPrepare, StackedWingsShareTheBiplaneEfficiency) {
  surface(4, 5.0f, 1.0f, 1.0f, 4, 0.0f, 0.0f);
  surface(6, 5.0f, 1.0f, 1.0f, 4, 0.0f, 5.0f);  // gap = half the combined span: k = 0.2557
  surface(8, 2.0f, 1.0f, 1.0f, 2, 5.0f, 0.0f);
  finish_readin1();
  for (int p : {4, 6, 8}) EXPECT_NEAR(pln.e[p], 2.0f / (2.0f + 2.0f * 0.2557f), 1e-4) << p;

  // Staggered more than stacked: each wing keeps its own efficiency.
  surface(6, 5.0f, 1.0f, 1.0f, 4, 6.0f, 5.0f);
  finish_readin1();
  EXPECT_NEAR(pln.e[4], 0.75662f, 1e-4);
}

TEST_F(AircraftPrepare, WashTablesFollowPositionAndSide) {
  apply({to(pln.entype, 1), to(pln.numen, 1)});
  surface(0, 1.0f, 0.2f, 0.1f, 4, -2.0f);  // propeller 2 m ahead of the wing root, radius 1 m
  apply({to(pln.numblades[0], 2), to(pln.omegamin, 60), to(pln.omegamax, 250)});
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  surface(8, 2.0f, 1.0f, 1.0f, 2, 4.0f);
  finish_readin1();
  build_downwash();
  // The left stabiliser sits behind the left wing, inside its span; nothing is behind the tail.
  EXPECT_EQ(pln.in_wash[4][8][0], 1);
  EXPECT_EQ(pln.in_wash[4][8][1], 1);
  EXPECT_EQ(pln.in_wash[8][4][0], 0);
  EXPECT_EQ(pln.in_wash[4][9][0], 0);
  // h = 0, l = 0.8 semispans, AR 10, taper 1: 3.667 - 0.2 * (0.2 * 1.2).
  EXPECT_NEAR(pln.spec_wash[4], 3.6187f, 1e-3);
  EXPECT_EQ(pln.spec_wash[8], 0.0f);

  // Element centres at 0.625 m and 0.5 m from the centreline lie within the disc's radius.
  EXPECT_EQ(pln.in_propwash[4][0][0], 1);
  EXPECT_EQ(pln.in_propwash[4][0][1], 0);
  EXPECT_EQ(pln.in_propwash[8][0][0], 1);
  EXPECT_EQ(pln.in_propwash[8][0][1], 0);
  EXPECT_NEAR(pln.max_washdir[4][0], 0.0f, 1e-4);
  EXPECT_NEAR(pln.hi_washdir[4][0], 26.565f, 1e-3);  // atan2(1, 2)
  EXPECT_NEAR(pln.lo_washdir[4][0], -26.565f, 1e-3);
}

TEST_F(AircraftPrepare, FuselageAreasAndCentroidOfABox) {
  // Nine 2 m x 2 m sections 1 m apart; points 0..4 down the right side, mirrored on the left. The
  // same box with its sections listed tail first is the same body, with the same areas.
  const float x[8] = {0, 1, 1, 1, 0, -1, -1, -1}, y[8] = {1, 1, 0, -1, -1, -1, 0, 1};
  for (int tail_first = 0; tail_first < 2; tail_first++) {
    for (int j = 0; j <= 8; j++)
      for (int k = 0; k < 8; k++) {
        pln.body_Z[12][j][k] = 1.0f + (tail_first ? 8 - j : j);
        pln.body_X[12][j][k] = x[k];
        pln.body_Y[12][j][k] = y[k] + 0.5f;
      }
    pln.cgZ = 1.0f;  // the arms are measured from here on
    pln.cgY = 0.5f;
    surface(4, 5.0f, 1.0f, 1.0f, 4, 3.0f);
    finish_readin1();
    EXPECT_FLOAT_EQ(pln.fuse_s_frn, 4.0f);
    EXPECT_FLOAT_EQ(pln.fuse_s_sid, 16.0f) << "tail first: " << tail_first;
    EXPECT_FLOAT_EQ(pln.fuse_s_top, 16.0f) << "tail first: " << tail_first;
    EXPECT_FLOAT_EQ(pln.body_Z[12][tail_first ? 8 : 0][0], 0.0f);
    EXPECT_FLOAT_EQ(pln.Zarm[4], 2.0f);
    // The wing adds to the inertia but does not pull the fuselage centroid towards itself.
    EXPECT_NEAR(pln.fuseZcent, 4.0f, 1e-4);
    EXPECT_NEAR(pln.fuseYcent, 0.0f, 1e-4);
    EXPECT_GT(pln.Jzz_unitmass, 0.0f);
  }
}

TEST_F(AircraftPrepare, GearSpringsAndRestingAttitude) {
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  // Nose wheel 2 m ahead, main wheels 0.5 m behind.
  apply({to(pln.gearEQ, 1), to(pln.ngearZ, -2), to(pln.mgearZ, 0.5f), to(pln.ngearY, -1.5f),
         to(pln.mgearY, -1)});
  finish_readin1();
  float W = 1500.0f * con.g, d = 0.3048f;         // 3307 lb: the full 1 ft of static deflection
  EXPECT_NEAR(pln.mgearcon, 0.4f * W / d, 1.0f);  // 2/2.5 of the weight on two wheels
  EXPECT_EQ(pln.ngearcon, pln.mgearcon);          // tricycle: the nose wheel gets the same spring
  EXPECT_NEAR(pln.ngeardmp, 0.2f * pln.ngearcon, 1e-2);
  EXPECT_NEAR(pln.the_eqlbm, std::asin(0.5f / 2.5f) * 57.29578f, 1e-3);
  EXPECT_NEAR(pln.h_eqlbm, 1.5f - 0.5f * 2.0f / 2.5f, 1e-5);
  EXPECT_NEAR(pln.ngearY, -1.5f - 0.5f * d, 1e-4);
  EXPECT_NEAR(pln.mgearY, -1.0f - d, 1e-4);

  // A tail wheel keeps the spring of its own load: 0.5/2.5 of the weight.
  SetUp();
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  apply({to(pln.gearEQ, 1), to(pln.ngearZ, 2), to(pln.mgearZ, -0.5f)});
  finish_readin1();
  EXPECT_NEAR(pln.ngearcon, 0.2f * W / d, 1.0f);
  EXPECT_NEAR(pln.mgearcon, 0.4f * W / d, 1.0f);

  // Skids from 1 m ahead to 2 m behind: two thirds of the weight on the front end.
  apply({to(pln.gearEQ, 0), to(pln.skidEQ, 1), to(pln.skidZ, -1), to(pln.skidl, 3),
         to(pln.skidY, -1)});
  finish_readin1();
  EXPECT_NEAR(pln.skidcon, 0.5f * W / d, 1.0f);
  EXPECT_NEAR(pln.the_eqlbm, std::asin(-(1.0f / 3.0f) * d / 3.0f) * 57.29578f, 1e-3);
}

TEST_F(AircraftPrepare, StallSpeedUsesTheSurfacesThatExist) {
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  finish_readin1();
  EXPECT_NEAR(estimated_stall_speed(), std::sqrt(2.0f * 1500.0f * con.g / (1.225f * 10.0f)), 1e-3);

  pln.semilen[4] = 0.0f;
  surface(8, 2.0f, 1.0f, 0.5f, 2);
  finish_readin1();
  EXPECT_NEAR(estimated_stall_speed(), std::sqrt(2.0f * 1500.0f * con.g / (1.225f * 3.0f)), 1e-3);

  pln.is_heli = 1;  // main and tail rotor exist now
  C_to_C("airfoils/test.afl", pln.Rafl0[0]);
  C_to_C("airfoils/test.afl", pln.Rafl0[1]);
  finish_readin1();
  EXPECT_NEAR(estimated_stall_speed(), 50.0f * con.ktstomsc, 1e-4);
}

TEST_F(AircraftPrepare, SlatsStretchOnlyTheirOwnSurfaces) {
  surface(4, 5.0f, 1.0f, 1.0f, 4);
  surface(10, 2.0f, 1.0f, 1.0f, 2);
  pln.slat[4][3] = pln.slat[10][0] = 1;  // a fin has no slats in the flight model
  pln.slat_inc = 5.0f;
  finish_readin1();
  set_slat_effect();
  EXPECT_NEAR(pln.slat_effect[4], (pln.alpha_max[4] + 5.0f) / pln.alpha_max[4], 1e-6);
  for (int p = 0; p < NUM_PARTS; p++) EXPECT_EQ(pln.slat_effect[p] == 1.0f, p != 4) << p;
}
