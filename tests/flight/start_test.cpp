// Flight starts: runway ends, finals, custom positions, the catapult, terrain clearance and the
// clean start of the flight state.
#include "flight_fixture.h"

// The region flat at 300 m, holding one airport at 35 N 116.5 W with a 2000 m runway heading 270,
// a 1500 m runway heading 30 and an empty third slot.
class FlightStart : public ::testing::Test {
 protected:
  void SetUp() override {
    start_region(ground);
    env.aptmax = 0;
    apt_h[0] = ground;
    set_runway(0, 270, 2000);
    set_runway(1, 30, 1500);
    set_runway(2, 0, 0);
    pln.the_eqlbm = -3.0f, pln.minpitch[0] = 10.0f, pln.maxpitch[0] = 30.0f, msc.typestart = 900;
  }
  static void set_runway(int k, int hdng, int len) {
    apt_lat[0][k] = 35.0f, apt_lon[0][k] = -116.5f, apt_hdng[0][k] = hdng, apt_len[0][k] = len;
  }
  static float centre_x() { return X_with_latlon(35.0f, -116.5f); }
  static float centre_z() { return Z_with_lat(35.0f); }
  static void expect_place(double x, double z, float psi) {
    EXPECT_NEAR(flt.X, x, 0.5);
    EXPECT_NEAR(flt.Z, z, 0.5);
    EXPECT_FLOAT_EQ(flt.psi, psi);
  }
  const float ground = 300.0f;
};

TEST_F(FlightStart, TakeoffRestsOnTheGearAtTheThresholdOnTheCentreline) {
  rel.fc_elv = 0, ott.ALHOLD = 1, flt.P = 5.0f;
  set_fltvars(32);
  expect_place(centre_x() + 1000.0f, centre_z(), 270.0f);  // 1000 m east of the centre
  EXPECT_FLOAT_EQ(flt.Y, ground + 1.5f);
  EXPECT_FLOAT_EQ(flt.the, 357.0f);
  EXPECT_NEAR(flt.vX, -0.1, 1e-6);
  EXPECT_EQ(set.gear_handle, 1);
  EXPECT_EQ(set.parkbrake, 1.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.02f);
  EXPECT_EQ(flt.tac[0], 1.0f);  // near idle: just turning over
  EXPECT_EQ(flt.cat_stage, 5);
  EXPECT_EQ(rel.fc_elv, 1);
  EXPECT_EQ(ott.ALHOLD, 0);
  EXPECT_EQ(flt.P, 0.0f);
}

TEST_F(FlightStart, AnOddSelectionStartsAtTheFarEndAndAnEmptyRunwayFallsBackToRunwayZero) {
  msc.rway_sel = 3;
  set_fltvars(32);
  // Runway 1 from its far end: heading 210, 750 m back from the centre towards 30.
  expect_place(centre_x() + 375.0f, centre_z() - 649.5f, 210.0f);
  set_runway(1, 350, 1500);
  msc.typestart = 1000;
  set_fltvars(32);
  // 170 degrees, not 530: the far end's heading wraps before it serves as an angle.
  float back = 750.0f + 1.5f * con.nmtomtrs;
  expect_place(centre_x() - back * isin(170), centre_z() + back * icos(170), 170.0f);
  msc.typestart = 900;
  msc.rway_sel = 5;  // runway 2 has no length: the far end of runway 0
  set_fltvars(32);
  expect_place(centre_x() - 1000.0f, centre_z(), 90.0f);
}

// An instrument final is 9 nm out; a glider asked for a takeoff starts on a short final instead.
TEST_F(FlightStart, FinalsAreOnTheCentrelineOnAThreeDegreePath) {
  for (auto [glider, typestart, nm] : {std::tuple{0, 1100, 9.0f}, {1, 900, 1.5f}}) {
    SCOPED_TRACE(nm);
    if (glider) pln.gearEQ = pln.retractEQ = 0;
    msc.typestart = typestart;
    set_fltvars(32);
    float d = nm * con.nmtomtrs;
    expect_place(centre_x() + 1000.0f + d, centre_z(), 270.0f);
    EXPECT_NEAR(flt.Y, ground + d * isin(3), 0.01);
    EXPECT_FLOAT_EQ(flt.v, 36.0f);
    EXPECT_NEAR(flt.vX, -36.0, 1e-4);
    EXPECT_EQ(set.gear_handle, glider);  // up, unless there is none to raise
    EXPECT_EQ(set.parkbrake, 0.0f);
    EXPECT_FLOAT_EQ(flt.throrequest[0], 0.5f);
  }
}

TEST_F(FlightStart, ASituationBelowTheStallSpeedStartsOnTheGround) {
  set.cus_X = 5000.0f, set.cus_Z = -5000.0f, set.cus_psi = 45.0f;
  set.cus_Y = ground, set.cus_v = 20.0f;
  set_fltvars(33);
  EXPECT_EQ(set.gear_handle, 1);
  EXPECT_EQ(set.parkbrake, 1.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.02f);
  EXPECT_FLOAT_EQ(flt.Y, ground + 1.5f);  // lifted out of the ground onto its gear
  EXPECT_FLOAT_EQ(env.local_h, ground);
  set.cus_Y = ground + 300.0f;  // slow, high above the ground: hovering, not parked
  set_fltvars(33);
  EXPECT_EQ(set.parkbrake, 0.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.5f);
  set.cus_Y = 2000.0f, set.cus_v = 40.0f;
  set_fltvars(33);
  EXPECT_EQ(set.gear_handle, 0);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.5f);
  EXPECT_FLOAT_EQ(flt.Y, 2000.0f);
}

TEST_F(FlightStart, OutOfRangeSelectionsAreReportedAndReplaced) {
  msc.loc_apt_wrl = 7;
  msc.rway_sel = 9;
  set_fltvars(32);
  ASSERT_GE(macibm_alert_log().size(), 2u);
  EXPECT_EQ(macibm_alert_log()[0].line[0], "loc_apt_wrl out of range!");
  EXPECT_EQ(macibm_alert_log()[1].line[0], "rway_sel out of range!");
  EXPECT_EQ(msc.loc_apt_wrl, 0);
  expect_place(centre_x() + 1000.0f, centre_z(), 270.0f);
}

TEST_F(FlightStart, ACatapultShotIsHeldOnTheNearestCarrier) {
  carr_on_poly[GRID_I - 1][GRID_J - 1] = 1;  // an edge vertex has no cell: not a ship
  flt.X = 1234.0;
  flt.cat_stage = 4;
  set_fltvars(39);
  EXPECT_EQ(last_alert().line[0], "I can't find any ships in the area!");
  EXPECT_EQ(flt.X, 1234.0);  // the flight goes on as it was
  EXPECT_EQ(flt.cat_stage, 4);
  carr_on_poly[50][60] = 1;
  set_fltvars(39);
  float cx = 0.5f * (planexyz[50][60][0] + planexyz[51][61][0]);
  float cz = 0.5f * (planexyz[50][60][2] + planexyz[51][61][2]);
  expect_place(cx - 11.5f, cz - 60.0f, 2.0f);
  EXPECT_FLOAT_EQ(flt.Y, ground + 1.5f + 21.0f);
  EXPECT_EQ(flt.cat_stage, 3);
  EXPECT_NEAR(flt.v, 0.01f, 1e-7f);
  for (int heli : {0, 1}) {  // nothing to roll on, or a helicopter: the carrier's approach
    pln.is_heli = heli, pln.gearEQ = pln.skidEQ = heli;
    set_fltvars(39);
    EXPECT_EQ(flt.cat_stage, 5);
    EXPECT_EQ(flt.psi, 352.0f);
  }
}

// Running or stopped; with its drive failed the tail rotor starts at speed 1.
TEST_F(FlightStart, AHelicopterTailRotorStartsGearedToTheMainRotor) {
  pln.is_heli = 1;
  pln.trotor_rat = 6.0f;
  for (float p : {0.5f, 0.02f}) {
    flt.tac[1] = 0.0f;
    initpower(p);
    EXPECT_FLOAT_EQ(flt.tac[1], 6.0f * flt.tac[0]) << p;
  }
  rel.trotor = 0;
  initpower(0.5f);
  EXPECT_FLOAT_EQ(flt.tac[1], 1.0f);
}
