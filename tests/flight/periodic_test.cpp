// The event tick and the half-second pass.

#include "flight_fixture.h"

class FlightPeriodic : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    env.apt_list_max = -999;
    pln.supptype = 1;  // radios without GPS
  }
};

TEST_F(FlightPeriodic, PathRingRecordsEveryTenMetresAndMarksItsEnd) {
  pat.cntr_record = PATH_POINTS - 1;
  pat.inited[0] = 1;
  flt.X = 5.0;  // not yet 10 m from the last point
  mod_evt();
  EXPECT_EQ(pat.cntr_record, PATH_POINTS - 1);
  flt.X = 12.0, flt.Y = 300.0, flt.the180 = 90.0f;
  mod_evt();
  EXPECT_EQ(pat.cntr_record, 0);  // the ring wraps
  EXPECT_EQ(pat.inited[0], 1);
  EXPECT_EQ(pat.inited[1], 0);
  EXPECT_FLOAT_EQ(pat.xyztpp[0][1], 300.0f);
  EXPECT_NEAR(pat.xyztpp[0][3], con.pi / 2.0f, 1e-6f);
}

// The storm level of the field around the aircraft (its edges are the weather tests' concern).
TEST_F(FlightPeriodic, StormLevelAroundTheAircraft) {
  env.lox = 0.0f, env.hix = 630.0f, env.loz = 0.0f, env.hiz = 420.0f;
  atm.rain_tstm = 3.0f;
  for (int i = 98; i <= 102; i++)
    for (int k = 48; k <= 52; k++) atm.wxr[i][k] = 1.0f;
  flt.X = 100.0, flt.Z = 50.0;
  mod_evt();
  EXPECT_FLOAT_EQ(atm.level, 2.0f);
  EXPECT_FLOAT_EQ(atm.prec_rat, 1.0f);  // the rain heard is the rain drawn: all of it from 2 up
  atm.rain_tstm = 1.5f;
  mod_evt();
  EXPECT_FLOAT_EQ(atm.prec_rat, 0.25f);
  scn.abovetops = 1;
  mod_evt();
  EXPECT_FLOAT_EQ(atm.prec_rat, 0.0f);
}

TEST_F(FlightPeriodic, MovablesStepTowardsTheirRequests) {
  pln.slatEQ = pln.varsweepEQ[4] = pln.vectEQ = pln.flapEQ = 1;
  pln.sweep1[4] = 20, pln.sweep2[4] = 60;
  flt.slatrequest = 1.0f, flt.sweerequest = 0.5f, flt.vectrequest = 10, flt.flaprequest = 2;
  mod_evt();
  EXPECT_FLOAT_EQ(flt.slat, 0.02f);
  EXPECT_FLOAT_EQ(pln.vertcant[0], 3.0f);
  EXPECT_FLOAT_EQ(pln.vertcant[3], 3.0f);
  EXPECT_EQ(flt.flap, 1);
  EXPECT_EQ(pln.sweepnow[4], 20);  // interpolated from sweep 0.02: 20.8 truncated
  for (int k = 0; k < 30; k++) mod_evt();
  EXPECT_FLOAT_EQ(flt.swee, 0.5f);
  EXPECT_EQ(pln.sweepnow[4], 40);
  EXPECT_FLOAT_EQ(pln.vertcant[0], 10.0f);
  EXPECT_EQ(flt.flap, 2);
  rel.fc_flp = 0;  // a failed flap drive leaves them where they are
  flt.flaprequest = 0;
  mod_evt();
  EXPECT_EQ(flt.flap, 2);
}

TEST_F(FlightPeriodic, GearFollowsTheHandleButALostLegStaysLost) {
  pln.retractEQ = set.gear_handle = 1;
  set.gear_time[0] = set.gear_time[1] = set.gear_time[2] = 5.0f;
  msc.elap_time = 4.0f;  // still travelling
  mod_evt();
  EXPECT_EQ(set.gear_stat[0], 0);
  msc.elap_time = 6.0f;
  mod_evt();
  EXPECT_EQ(set.gear_stat[0], 1);
  EXPECT_EQ(set.gear_stat[2], 1);
  set.gear_stat[1] = 0;  // the leg collapses on a hard landing
  mod_evt();
  mod_evt();
  EXPECT_EQ(set.gear_stat[1], 0);
  set.gear_stat[1] = 1;  // a new flight puts it back at the handle
  mod_evt();
  rel.lagear[2] = 0;  // a failed leg is jammed where it is
  set.gear_handle = 0, set.gear_time[1] = 7.0f;
  msc.elap_time = 8.0f;
  mod_evt();
  EXPECT_EQ(set.gear_stat[1], 0);  // and it follows the handle again
  EXPECT_EQ(set.gear_stat[2], 1);
  msc.elap_time = 86398.0f;  // moved just before the clock runs round
  gear_toggle();
  msc.elap_time = 3.0f;
  mod_evt();
  EXPECT_EQ(set.gear_stat[0], 1);
}

TEST_F(FlightPeriodic, TailUpReleasesTheParkingBrakeDownToAFloor) {
  pln.ngearZ = 5.0f, pln.the_eqlbm = 12.0f;  // a tail wheel, the tail up at 5 degrees
  flt.the180 = 5.0f, set.parkbrake = 1.0f;
  mod_evt();
  EXPECT_FLOAT_EQ(set.parkbrake, 0.95f);
  for (int k = 0; k < 100; k++) mod_evt();
  EXPECT_FLOAT_EQ(set.parkbrake, 0.25f);
  set.parkbrake = 0.0f;  // a released brake is not applied by the floor
  mod_evt();
  EXPECT_EQ(set.parkbrake, 0.0f);
}

TEST_F(FlightPeriodic, VorBehindShowsFromAndLocalizerGivesBothDeviations) {
  nav.goodnav[0] = nav.goodnav[1] = 1;
  nav.ilsgs[0] = 9;  // a VOR due south, course 000 selected
  nav.vorX[0] = 0.0f, nav.vorZ[0] = 5000.0f, nav.obs[0] = 0.0f;
  nav.ilsgs[1] = 3, nav.ilscrs[1] = 1.0f;  // a localizer ahead (north), a 3-degree glide path
  nav.vorX[1] = 0.0f, nav.vorZ[1] = -8000.0f;
  nav.gsX[1] = 0.0f, nav.gsY[1] = 0.0f, nav.gsZ[1] = -8000.0f;
  flt.Y = 8000.0 * std::tan(2.0 * con.degtorad);  // a degree below the glide path
  mod_evt();
  EXPECT_EQ(nav.ntf[0], 2);
  EXPECT_NEAR(nav.hdef[0], 0.0f, 1e-4f);
  EXPECT_EQ(nav.ntf[1], 1);
  EXPECT_NEAR(nav.hdef[1], -2.0f, 1e-3f);
  EXPECT_NEAR(nav.vdef[1], -2.0f, 1e-2f);
  nav.ilscrs[1] = 180.0f;  // localizer behind: no signal
  mod_evt();
  EXPECT_EQ(nav.ntf[1], 0);
  EXPECT_EQ(nav.hdef[1], 0.0f);
  // The GPS in NAV 1's place, course 090 locked to a target at the world's origin: 10 m south of
  // the course, 2 km before the target and 2 km past it, the needle stands the same.
  pln.supptype = 2, nav.gps_lat = nav.gps_lon = 0.0f, nav.gps_lock_crs = 90.0f;
  const float deg_per_m = con.mtrstonm / 60.0f;
  for (double x : {-2000.0, 2000.0}) {
    flt.lon = static_cast<float>(x) * deg_per_m, flt.lat = -10.0f * deg_per_m;
    mod_evt();
    EXPECT_NEAR(nav.hdef[0], -10.0f * con.mtrstonm * 4.0f, 1e-3f) << "x " << x;
  }
}

TEST_F(FlightPeriodic, GroundEffectAndSlatStretchTwiceASecond) {
  pln.semilen[4] = 5.0f, pln.AR[4] = 8.0f, pln.alpha_max[4] = 15.0f, pln.slat_effect[4] = 1.4f;
  flt.slat = 0.5f, flt.costhe = 1.0f;
  env.local_h = flt.h = 100.0f;  // on the ground: height held to a tenth of a semispan
  mod_semisec();
  EXPECT_NEAR(flt.slat_effect[4], 1.2f, 1e-6f);
  EXPECT_NEAR(flt.alpha_max[4], 18.0f, 1e-5f);
  EXPECT_NEAR(flt.CDIgrndeffect[4], 0.64f / 1.64f, 1e-5f);
  EXPECT_NEAR(flt.CLgrndeffect[4], (std::pow(1001.0f, 0.04f) - 1.0f) * 3.0f / 8.0f + 1.0f, 1e-4f);
  flt.h = 100.0f + 500.0f;  // a hundred semispans up: no ground effect left
  mod_semisec();
  EXPECT_NEAR(flt.CDIgrndeffect[4], 1.0f, 1e-4f);
  EXPECT_NEAR(flt.CLgrndeffect[4], 1.0f, 1e-4f);
  env.over_carr = 1, ships.carr[1] = 100.0f;  // on a carrier's deck, high above the sea
  flt.h = 100.0f + CARRIER_DECK;
  mod_semisec();
  EXPECT_NEAR(flt.CDIgrndeffect[4], 0.64f / 1.64f, 1e-5f);
}
