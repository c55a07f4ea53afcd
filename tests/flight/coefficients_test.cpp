// The coefficient model: table look-up edges, control increments, the compressible and supersonic
// branches, the Reynolds and span blends, and the turning of forces through the flow direction.

#include <tuple>

#include "flight_fixture.h"

class FlightCoefficients : public FlightTest {
 protected:
  // Surface 4 with tables whose entries name their own index: positive drag n, negative drag
  // 500 + n, positive lift 1000 + j, negative lift -(1000 + j); straight line 0.1 a + 0.2.
  void SetUp() override {
    FlightTest::SetUp();
    for (int n = 0; n < AFL_CD_ROWS; n++)
      afl.cdpos[4][0][0][n] = static_cast<float>(n), afl.cdneg[4][0][0][n] = 500.0f + n;
    for (int j = 0; j < AFL_CL_ROWS; j++)
      afl.clpos[4][0][0][j] = 1000.0f + j, afl.clneg[4][0][0][j] = -(1000.0f + j);
    afl.clM[4][0][0] = 0.1f, afl.clB[4][0][0] = 0.2f;
    afl.cmal2[4][0][0] = -5.0f, afl.cmal3[4][0][0] = 8.0f;
    afl.cm1[4][0][0] = 0.05f, afl.cm2[4][0][0] = -0.02f;
    afl.cm3[4][0][0] = -0.04f, afl.cm4[4][0][0] = -0.1f;
    pln.al_D_al0[4] = 1.0f, flt.alpha_max[4] = 100.0f;
  }
  float cl, cd, cm;
  // The coefficients at angle alpha; the drag returned.
  float look(float alpha) {
    anyfoil(alpha, &cl, &cd, &cm, 4, 0, 0, 0);
    return cd;
  }
};

TEST_F(FlightCoefficients, TableSideIndexAndWeightsAtTheEdgesAndBeyond) {
  EXPECT_FLOAT_EQ(look(0.0f), 500.0f);  // zero reads the negative side
  look(9.99f);                          // just below 10: the straight line
  EXPECT_NEAR(cl, 0.2f + 0.999f, 1e-4f);
  EXPECT_FLOAT_EQ(look(10.0f), 100.0f);  // exactly 10: the table's first entry
  EXPECT_FLOAT_EQ(cl, 1000.0f);
  EXPECT_NEAR(look(15.05f), 150.5f, 1e-3f);  // halfway between rows 150 and 151
  EXPECT_NEAR(cl, 1050.5f, 1e-3f);
  EXPECT_FLOAT_EQ(look(20.0f), 200.0f);
  EXPECT_FLOAT_EQ(look(21.0f), 201.0f);  // one-degree rows above 20
  EXPECT_FLOAT_EQ(look(-21.0f), 701.0f);
  EXPECT_FLOAT_EQ(cl, -1101.0f);
  for (float a : {89.99f, 1.0e9f})  // clamped to the last pair with weights 0.01 and 0.99
    EXPECT_NEAR(look(a), 0.01f * 269.0f + 0.99f * 270.0f, 1e-3f) << a;
  for (float a : {180.0f, -180.0f})  // tail first: the section's own drag at zero, not broadside
    EXPECT_FLOAT_EQ(look(a), 500.0f) << a;
  // Halfway from broadside to tail first, where it meets -45 degrees.
  EXPECT_NEAR(look(135.0f), 0.5f * 269.99f + 0.5f * 725.0f, 1e-2f);
  for (float a : {NAN, INFINITY, -INFINITY}) EXPECT_TRUE(std::isfinite(look(a))) << a;
}

TEST_F(FlightCoefficients, EffectiveAngleSlatAndStall) {
  // The foil stalls at 5 degrees; the finite wing (0.5) widens the surface's stall angle to 10.
  afl.al_zl[4][0][0] = -2.0f, pln.al_D_al0[4] = 0.5f, flt.alpha_max[4] = 10.0f;
  look(12.0f);  // effective -2 + 0.5 (12 + 2) = 5: on the line, not stalled
  EXPECT_NEAR(cl, 0.2f + 0.1f * 5.0f, 1e-5f);
  // Effective 5, 5.05, then on the negative side -4.05 and -5.25.
  for (auto [a, stalled] : {std::pair{12.0f, 0}, {12.1f, 1}, {-6.1f, 0}, {-8.5f, 1}}) {
    look(a);
    EXPECT_EQ(flt.stalled[4], stalled) << a;
  }

  pln.slat[4][0] = 1;
  flt.slat_effect[4] = 2.0f;  // angle halved from zero lift, then lift doubled
  look(22.0f);                // -2 + 0.5 * 24 / 2 = 4
  EXPECT_NEAR(cl, 2.0f * (0.2f + 0.4f), 1e-5f);
}

TEST_F(FlightCoefficients, MomentCurveThroughItsPoints) {
  struct {
    float a, cm;
  } points[] = {{-5.0f, -0.02f}, {8.0f, -0.04f},  {20.0f, -0.1f}, {-20.0f, 0.05f},
                {90.0f, -0.32f}, {-90.0f, 0.32f}, {1.5f, -0.03f}, {55.0f, -0.21f}};
  for (auto p : points) {
    look(p.a);
    EXPECT_NEAR(cm, p.cm, 1e-5f) << p.a;
  }
}

TEST_F(FlightCoefficients, ControlIncrementsByKindDeflectionAndFinish) {
  float l5, d5, m5, l, d, m;
  set_con_eff(4, 12, 0.25f, 5.0f, &l5, &d5, &m5, "AILERON");
  EXPECT_LT(l5, 0.0f);  // trailing edge up takes lift away
  EXPECT_GT(d5, 0.0f);
  for (auto [defl, kept] : {std::pair{9.9f, 1.0f}, {60.0f, 0.5f}, {25.0f, 0.77f}}) {
    set_con_eff(4, 12, 0.25f, defl, &l, &d, &m, "AILERON");  // no loss below 10 degrees
    EXPECT_NEAR(l / defl, kept * l5 / 5.0f, 1e-6f) << defl;
  }

  float ld, dd1, md, dd2;
  set_con_eff(4, 15, 0.25f, -10.0f, &ld, &dd1, &md, "DRAG-RUDDER");
  EXPECT_EQ(ld, 0.0f);
  EXPECT_EQ(md, 0.0f);
  set_con_eff(4, 15, 0.25f, 10.0f, &ld, &dd2, &md, "DRAG-RUDDER");
  EXPECT_FLOAT_EQ(dd1, dd2);
  EXPECT_FLOAT_EQ(dd1, 4.0f * 2.0f * d5);

  set_con_eff(4, 13, 0.25f, 5.0f, &l, &d, &m, "SPOILER");
  EXPECT_FLOAT_EQ(l, 2.0f * l5);
  EXPECT_FLOAT_EQ(m, 0.5f * m5);

  // Finish 0 works like finish 3; finish 1 keeps 0.7, and a stalled surface 0.2.
  for (auto [finish, stalled, kept] : {std::tuple{0, 0, 1.0f}, {1, 0, 0.7f}, {3, 1, 0.2f}}) {
    pln.con_smooth = finish, flt.stalled[4] = stalled;
    set_con_eff(4, 12, 0.25f, 5.0f, &l, &d, &m, "AILERON");
    EXPECT_FLOAT_EQ(l, kept * l5) << finish;
  }
}

TEST_F(FlightCoefficients, InducedAngleVanishesAboveMachOne) {
  pln.AR[4] = 1.0f;  // held to 2
  flt.machno = 1.0f;
  EXPECT_NEAR(induce_alpha(0.5f, 4), 0.5f / (con.pi * 2.0f) * con.radtodeg, 1e-5f);
  flt.machno = 1.001f;
  EXPECT_EQ(induce_alpha(0.5f, 4), 0.0f);
}

class FlightElement : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    ASSERT_TRUE(fly_builtin_aircraft("glider"));  // a real finite wing with model tables
    flt.v_el[4][2] = 60.0f, flt.alpha[4][2] = 4.0f;
    flt.slat_effect[4] = 1.0f, flt.alpha_max[4] = pln.alpha_max[4];
    flt.CDIgrndeffect[4] = flt.CLgrndeffect[4] = 1.0f;
  }
  float cl, cd, cm;
  // The subsonic coefficients of element 2; the lift returned.
  float sub() {
    Fco_subsonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, 4, 2);
    return cl;
  }
};

TEST_F(FlightElement, IceOnlyFromItsThreshold) {
  const float cl0 = sub(), cd0 = cd;
  msc.ice = 0.001f;
  EXPECT_EQ(sub(), cl0);
  EXPECT_EQ(cd, cd0);
  msc.ice = 0.5f;
  EXPECT_NEAR(sub(), cl0 / 1.25f, 1e-5f);
  EXPECT_NEAR(cd, cd0 * 3.0f, 1e-5f);
}

TEST_F(FlightElement, CompressibilityRaisesLiftUpToMachPointEight) {
  atm.a = 1.0e9f;
  const float cl0 = sub();
  atm.a = 120.0f;  // local Mach 0.5
  EXPECT_NEAR(sub(), cl0 / std::sqrt(0.75f), 1e-4f);
  atm.a = 0.0f;  // no air, no Mach number: no division by zero
  EXPECT_TRUE(std::isfinite(sub()) && std::isfinite(cd));
}

TEST_F(FlightElement, ReynoldsBlendTakesItsEndsInEitherOrder) {
  // A second foil with twice the lift line; flight Reynolds number of this element about 3.1.
  afl.clB[4][0][1] = 2.0f * afl.clB[4][0][0];
  afl.clM[4][0][1] = 2.0f * afl.clM[4][0][0];
  for (int n = 0; n < AFL_CD_ROWS; n++) afl.cdneg[4][0][1][n] = afl.cdpos[4][0][1][n] = 0.01f;
  const float single = sub();
  pln.diffRe[4] = 1;
  for (auto [re0, re1] : {std::pair{1.0f, 5.0f}, {5.0f, 1.0f}}) {
    pln.Re[4][0][0] = re0, pln.Re[4][0][1] = re1;
    sub();
    EXPECT_GT(cl, single) << re0;
    EXPECT_LT(cl, 2.0f * single) << re0;
  }
  pln.Re[4][0][0] = pln.Re[4][0][1] = 3.0f;
  EXPECT_FLOAT_EQ(sub(), single);  // nothing to blend: the first foil
}

TEST_F(FlightElement, SupersonicSectionMomentAndSymmetry) {
  flt.machno = 2.0f;
  flt.alpha[4][2] = 0.0f;
  Fco_supersonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, 4, 2);
  EXPECT_NEAR(cl, 0.0f, 1e-6f);
  EXPECT_GT(cd, 0.0005f);
  flt.alpha[4][2] = 3.0f;
  Fco_supersonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, 4, 2);
  EXPECT_GT(cl, 0.0f);
  EXPECT_FLOAT_EQ(cm, -0.25f * cl);
  Fco_supersonic(0.1f, 0.01f, 0.02f, &cl, &cd, &cm, 4, 2);
  EXPECT_FLOAT_EQ(cm, -0.25f * (cl - 0.1f) + 0.02f);
}

TEST_F(FlightElement, ForcesTurnThroughTheFlowDirection) {
  float lift, drag, moment;
  flt.deldir[4][2] = 0.0f;
  float c = F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, 4, 2);
  float q = 0.5f * atm.rho * 60.0f * 60.0f * pln.s[4][2];
  float cl0 = lift / q, cd0 = drag / q;
  EXPECT_NEAR(c, cl0, 1e-5f);
  flt.deldir[4][2] = 90.0f;  // a quarter turn: lift becomes drag's value, drag minus lift
  c = F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, 4, 2);
  EXPECT_NEAR(c, cl0, 1e-5f);  // the unturned coefficient comes back
  EXPECT_NEAR(lift / q, cd0, 1e-4f);
  EXPECT_NEAR(drag / q, -cl0, 1e-4f);
}
