// The force pass: slipstream share, the local flow of each element, downwash, flaps and the
// resolution into accelerations.

#include "flight_fixture.h"

class FlightForces : public FlightTest {
 protected:
  void load(const char* name) {
    ASSERT_TRUE(fly_builtin_aircraft(name));
    for (int p = 0; p < NUM_PARTS; p++) {
      flt.slat_effect[p] = flt.CDIgrndeffect[p] = flt.CLgrndeffect[p] = 1.0f;
      flt.alpha_max[p] = pln.alpha_max[p];
    }
    rel.symflp = 1;
  }
  // Steady flight through still air at speed v and angle of attack a.
  void air(float v, float a) {
    flt.av = v, flt.Alpha = a;
    flt.sinalph = std::sin(a * con.degtorad), flt.cosalph = std::cos(a * con.degtorad);
    flt.cosbeta = 1.0f, flt.sinbeta = 0.0f;
  }
  void surfaces() { set_a_engines(), set_a_surfaces(), set_a_downwash(); }
  // Twice, so that the downwash of the same state is in force (it lags one pass).
  void settled() { surfaces(), surfaces(); }
};

TEST_F(FlightForces, SlipstreamShareIsATriangleOverTheStreamAngle) {
  pln.lo_washdir[4][0] = -10.0f, pln.max_washdir[4][0] = 2.0f, pln.hi_washdir[4][0] = 6.0f;
  EXPECT_EQ(propwash_share(4, 0, 2.0f), 1.0f);
  EXPECT_EQ(propwash_share(4, 0, -10.0f), 0.0f);
  EXPECT_EQ(propwash_share(4, 0, 6.0f), 0.0f);
  EXPECT_FLOAT_EQ(propwash_share(4, 0, -4.0f), 0.5f);
  EXPECT_FLOAT_EQ(propwash_share(4, 0, 5.0f), 0.25f);
  EXPECT_EQ(propwash_share(4, 0, NAN), 0.0f);
}

TEST_F(FlightForces, RollRateDampsWithoutChangingTheLiftOfDihedralWings) {
  load("glider");
  pln.dihed[4] = pln.dihed[5] = 30;  // strong dihedral makes the sideways rotation flow count
  air(40.0f, 4.0f);
  settled();
  float lift0 = flt.fnrmlaero;
  flt.Prad = 0.5f;  // rolling right
  settled();
  EXPECT_LT(flt.L, 0.0f);  // the falling right wing lifts more and opposes the roll
  EXPECT_NEAR(flt.fnrmlaero, lift0, 0.01f * lift0);
}

TEST_F(FlightForces, FinElementsInASlipstreamGetTheWholeIncrement) {
  load("trainer");
  air(40.0f, 0.0f);
  for (int e = 0; e < pln.els[10]; e++) pln.in_propwash[10][0][e] = 1;
  set_a_engines();
  flt.DVinc[0] = 10.0f;  // after the engines, which set the wash themselves
  set_a_surfaces();
  float vn = std::fabs(std::cos(pln.sweepnow[10] * con.degtorad) * 40.0f);
  EXPECT_NEAR(flt.v_el[10][0], vn + 10.0f, 1e-3f);
}

// A torn-off wing stops washing its tail; a stalled one sheds a wake that pulses with |sin 2t|.
TEST_F(FlightForces, TheWingsWakeStopsWithTheWingAndPulsesWhenItStalls) {
  load("trainer");
  air(50.0f, 4.0f);
  surfaces();
  ASSERT_LT(downwash_now(9, 0), -0.1f);  // the right wing washes the right stabiliser down
  wings_torn_off = 1;                      // the right wing is torn off
  surfaces();
  EXPECT_EQ(downwash_now(9, 0), 0.0f);
  EXPECT_LT(downwash_now(8, 0), -0.1f);  // the left side still washes
  air(50.0f, 25.0f);
  msc.elap_time = 0.0f;
  surfaces();
  ASSERT_EQ(flt.stalled[4], 1);
  EXPECT_EQ(downwash_now(8, 0), 0.0f);
  msc.elap_time = con.pi / 4.0f;
  surfaces();
  EXPECT_LT(downwash_now(8, 0), -0.1f);
}

TEST_F(FlightForces, AsymmetricFlapFailureLeavesOneSideWorking) {
  load("trainer");
  air(40.0f, 2.0f);
  flt.flap = 50;
  settled();
  EXPECT_NEAR(flt.L, 0.0f, 5.0f);  // symmetric flaps: no roll
  rel.symflp = 0;
  settled();
  float first = flt.L;
  EXPECT_GT(std::fabs(first), 500.0f);
  settled();
  // The working side was drawn once and stays (only the engines' small drift moves the sum).
  EXPECT_NEAR(flt.L, first, 1e-3f * std::fabs(first));
}

TEST_F(FlightForces, FuselageLiftStopsGrowingAtFifteenDegrees) {
  load("trainer");
  auto lift_at = [this](float a) {
    air(40.0f, a);
    set_a_engines(), set_a_bodies();
    return flt.fnrmlaero;
  };
  float at15 = lift_at(15.0f);
  EXPECT_GT(at15, 0.0f);
  EXPECT_FLOAT_EQ(lift_at(40.0f), at15);
}

// Flying tail first the surfaces meet the air trailing edge first: no broadside drag, no roll
// from the dihedral, and nothing changes as the angles turn through 180 degrees.
TEST_F(FlightForces, TailFirstFlightMeetsTheSurfacesFromBehind) {
  load("trainer");
  pln.entype = ENGINE_NONE;  // the surfaces alone
  pln.dihed[4] = pln.dihed[5] = 10, pln.sweepnow[4] = pln.sweepnow[5] = 20;
  air(30.0f, 4.0f);
  settled();
  float forward = -flt.faxilaero;
  auto tail_first = [&](float a) {
    air(30.0f, a);
    flt.Beta = 180.0f, flt.cosbeta = -1.0f;
    settled();
    return -flt.faxilaero;
  };
  float drag = tail_first(180.0f);
  EXPECT_LT(drag, 3.0f * forward);
  EXPECT_NEAR(flt.L, 0.0f, 0.01f * std::fabs(flt.M) + 1.0f);
  EXPECT_NEAR(tail_first(-180.0f), drag, 1e-3f * drag);  // the same flow by its other name
}

TEST_F(FlightForces, NacelleDragByEngineType) {
  load("fourprop");
  air(100.0f, 0.0f);
  auto body_drag = [] {
    set_a_engines(), set_a_bodies();
    return -flt.faxilaero;
  };
  pln.nace_eq = 0;
  float fuselage = body_drag();
  pln.nace_eq = 1;
  float turbine = body_drag() - fuselage;
  EXPECT_GT(turbine, 0.0f);
  pln.entype = 1;
  EXPECT_NEAR(body_drag() - fuselage, 2.0f * turbine, 1e-2f * turbine);
  pln.entype = 3;
  EXPECT_FLOAT_EQ(body_drag(), fuselage);
}

TEST_F(FlightForces, IceAndCatapultInTheAccelerations) {
  load("trainer");
  flt.m_total = 1000.0f;
  flt.costhe = flt.cosphi = flt.cospsi = flt.cosavpath = flt.cosahpath = flt.cosphi_path = 1.0f;
  auto resolve = [] {
    flt.fnrmlprop = 3000.0f, flt.faxilprop = 2000.0f, flt.L = 400.0f, flt.N = -300.0f;
    set_a_resolve();
  };
  resolve();
  float aZ = flt.aZ, aY = flt.aY + atm.g, Pdot = flt.Pdot, Rdot = flt.Rdot;
  EXPECT_NEAR(aZ, 2.0f, 1e-5f);
  msc.ice = 0.5f;
  resolve();
  EXPECT_NEAR(flt.aZ, aZ * 2.0f / 3.0f, 1e-5f);
  EXPECT_NEAR(flt.aY + atm.g, aY * 2.0f / 3.0f, 1e-5f);
  EXPECT_NEAR(flt.Pdot, Pdot * 4.0f / 9.0f, 1e-4f);
  EXPECT_NEAR(flt.Rdot, Rdot * 4.0f / 9.0f, 1e-4f);

  msc.ice = 0.0f;
  msc.est_Vs = 30.0f;
  flt.cat_stage = 4;  // launch: the forces do not matter
  resolve();
  EXPECT_NEAR(flt.aX, isin(2) * 900.0f / 200.0f, 1e-5f);
  EXPECT_NEAR(flt.aZ, icos(2) * 900.0f / 200.0f, 1e-5f);
  flt.vZ = 30.0;  // the end of the stroke: the shuttle lets go
  resolve();
  EXPECT_EQ(flt.cat_stage, 5);
  EXPECT_NEAR(flt.aZ, aZ, 1e-5f);
  flt.cat_stage = 3;  // held on the shuttle
  flt.vX = flt.vZ = 5.0;
  resolve();
  EXPECT_EQ(flt.vZ, 0.0);
}
