// The flight frame: sub-steps, the event tick and the passes riding on it, clocks, path bank,
// traffic, and the position sentence.

#include "flight_fixture.h"

class FlightFrame : public FlightTest {
 protected:
  static void start(float prd) { start_builtin("glider", 3000.0f, 90.0f, prd); }
};

TEST_F(FlightFrame, TwoHalfStepsAndThePeriodRestored) {
  start(0.05f);
  double z0 = flt.Z, vz = flt.vZ;
  update_flight();
  EXPECT_EQ(msc.prd, 0.05f);
  EXPECT_NEAR(flt.Z, z0 - vz * 0.05, 0.05);  // moved one whole period, not two
  EXPECT_NEAR(msc.elap_time, 0.05f, 1e-6f);
}

TEST_F(FlightFrame, EventTickEveryTenthOfASecondWhateverThePeriod) {
  // Flaps move one notch per event tick, which counts the ticks.
  struct {
    float prd;
    int frames, ticks;
  } cases[] = {{0.01f, 101, 11}, {0.1f, 20, 20}, {0.3f, 5, 5}};
  for (auto c : cases) {
    start(c.prd);
    pln.flapEQ = 1;
    flt.flaprequest = 50;
    for (int f = 0; f < c.frames; f++) update_flight();
    EXPECT_EQ(flt.flap, c.ticks) << c.prd;
  }
  // Through the frame counter's return to 0: 30 frames of 0.05 s after the first tick, 15 more.
  start(0.05f);
  pln.flapEQ = 1;
  flt.flaprequest = 50;
  update_flight();
  msc.cntr = 29990;
  for (int f = 0; f < 30; f++) update_flight();
  EXPECT_EQ(flt.flap, 16);
}

TEST_F(FlightFrame, HalfSecondPassRunsOnlyOnEventTicks) {
  start(0.01f);
  int runs = 0, last = -1;
  for (int f = 0; f < 300; f++) {
    flt.CDIgrndeffect[4] = -1.0f;
    update_flight();
    if (flt.CDIgrndeffect[4] == -1.0f) continue;
    // Every fifth tick from the start's first: 50 frames of 0.01 s apart.
    EXPECT_TRUE(runs == 0 || f - last == 50) << f;
    runs++;
    last = f;
  }
  EXPECT_EQ(runs, 6);
}

TEST_F(FlightFrame, ClocksWrapAtMidnightAndZuluFollowsLongitude) {
  msc.zulu_time = -1.0f;
  start(0.05f);
  EXPECT_NEAR(msc.zulu_time, zulu_for_local(msc.locl_time), 0.01f);
  msc.locl_time = 86399.99f, msc.elap_time = 86399.99f, flt.lon = -117.25f;
  update_flight();
  // 86399.99 is 86399.992 as a float.
  EXPECT_NEAR(msc.locl_time, 0.042f, 1e-3f);
  EXPECT_NEAR(msc.elap_time, 0.042f, 1e-3f);
  EXPECT_NEAR(msc.zulu_time, fltwrap(msc.locl_time + 8.0f * 3600.0f, 0.0f, 86400.0f), 1e-2f);
  EXPECT_NEAR(clock_since(0.04f, 86399.5f), 0.54f, 1e-3f);  // across midnight, not negative
  EXPECT_NEAR(clock_since(10.0f, 4.0f), 6.0f, 1e-6f);
}

// The zone boundary is at 112.5 W; the clocks go by where the last frame left the aircraft.
TEST_F(FlightFrame, IntoTheNextTimeZoneTheLocalClockStepsAndUtcRunsOn) {
  start(0.05f);
  const auto two_frames_at = [](float lon) {
    flt.X += X_with_latlon(flt.lat, lon) - X_with_latlon(flt.lat, flt.lon);
    update_flight();
    update_flight();
  };
  two_frames_at(-112.55f);
  const float locl = msc.locl_time, zulu = msc.zulu_time, west = flt.lon;
  flt.lon = -112.45f;  // where the last sub-step left it, before the clocks have followed
  EXPECT_NEAR(zulu_for_local(msc.locl_time), zulu, 0.01f);
  flt.lon = west;
  two_frames_at(-112.45f);
  EXPECT_NEAR(msc.zulu_time - zulu, 0.1f, 0.01f);
  EXPECT_NEAR(msc.locl_time - locl, 3600.1f, 0.01f);
  two_frames_at(-112.45f + 10.0f * 360.0f);  // ten turns on, as over a pole
  EXPECT_NEAR(msc.zulu_time - zulu, 0.2f, 0.02f);
  EXPECT_NEAR(msc.locl_time - locl, 3600.2f, 0.02f);
}

// Late in the day a float clock's last bit is 1/256 s: short frames must not round it fast.
TEST_F(FlightFrame, ClocksKeepTimeOverManyShortFrames) {
  for (float prd : {0.01f, 0.05f}) {
    start(prd);
    msc.locl_time = 57600.0f;
    msc.elap_time = 0.0f;
    for (int i = 0; i < 500; i++) update_flight();
    EXPECT_NEAR(msc.locl_time, 57600.0f + 500 * prd, 0.01f) << prd;
    EXPECT_NEAR(msc.elap_time, 500 * prd, 0.001f) << prd;
  }
}

TEST_F(FlightFrame, FlyingBackwardsBanksThePathTheOtherWay) {
  start(0.05f);
  flt.vX = 0.0, flt.vZ = -10.0;  // heading north, moving south, pitched down
  flt.phi = 10.0f, flt.the = 350.0f, flt.the180 = -10.0f, flt.psi180 = 0.0f;
  flt.hpath = flt.ahpath = 180.0f;
  ASSERT_EQ(crs_wrapped(), 1);
  update_flight();
  EXPECT_NEAR(flt.sinphi_path, std::sin(190.0f * con.degtorad), 1e-5f);
  EXPECT_NEAR(flt.cosphi_path, -std::cos(190.0f * con.degtorad), 1e-5f);
  // Forwards through a headwind stronger than the airspeed, backwards over the ground.
  flt.psi180 = 0.0f, flt.hpath = 180.0f, flt.ahpath = 0.0f;
  EXPECT_EQ(crs_wrapped(), 0);
}

TEST_F(FlightFrame, TrafficFliesItsHeadingAboveTheGround) {
  start(0.1f);
  fly_flat_region(800.0f);
  traf_xyz[3][0] = static_cast<float>(flt.X), traf_xyz[3][1] = 100.0f;
  traf_xyz[3][2] = static_cast<float>(flt.Z), traf_v[3] = 50.0f, traf_h[3] = 90;
  update_flight();
  EXPECT_NEAR(traf_xyz[3][0] - flt.X, 5.0, 1.0);  // east at 50 m/s, and the glider too ~0
  EXPECT_FLOAT_EQ(traf_xyz[3][1], 1300.0f);
}

TEST(FlightSerial, PositionSentenceFields) {
  init_constants();
  reset_flt();  // a flight not yet begun: its clocks go by the zone under the aircraft
  reset_serial_outputs();
  flt.lat = 33.5f, flt.lon = -117.25f, flt.vZ = 100.0f * con.ktstomsc, flt.hpath = 45.5f;
  flt.vY = 30.0f;  // the climb is no speed over the ground
  flt.h = 1524.0f;
  env.mvar = -12;  // 12 degrees east, as in southern California
  msc.locl_time = 16.0f * 3600.0f;  // midnight UTC eight time zones west
  char s[NMEA_MAX];
  int n = nmea_sentence(s);
  EXPECT_STREQ(s, "$GPRMC,000000.00,A,3330.00,N,11715.00,W,100.0,045.5,210624,012.0,E*4F\r\n");
  EXPECT_EQ(n, static_cast<int>(std::strlen(s)));
  nmea_gga(s);
  EXPECT_STREQ(s, "$GPGGA,000000.00,3330.00,N,11715.00,W,1,08,1.0,1524.0,M,0.0,M,,*75\r\n");
  flt.lon = 181.25f;  // past the date line, where the region's longitudes run on beyond 180
  nmea_gga(s);
  EXPECT_NE(std::strstr(s, ",17845.00,W,"), nullptr) << s;
  flt.hpath = 359.97f;
  nmea_sentence(s);
  EXPECT_NE(std::strstr(s, ",100.0,000.0,"), nullptr) << s;
  flt.lat = NAN, flt.vZ = NAN;  // a broken state still gives a sentence of the right shape
  EXPECT_EQ(nmea_sentence(s), n);
}

// A runaway state never meets the ground: the frame restarts the flight as a crash does.
TEST_F(FlightFrame, AMotionThatRanAwayRestartsTheFlight) {
  start(0.05f);
  void (*pause)(float) = crash_pause;
  crash_pause = nullptr;
  flt.vX = 3.0e4;
  update_flight();
  crash_pause = pause;
  EXPECT_EQ(flt.crashes, 1);
  EXPECT_TRUE(flight_state_sound());
  EXPECT_EQ(last_alert().line[3], "The flight starts again at the airport.");
}
