// The warnings' decisions (stall, ground proximity, call-outs, minimums, markers, Morse
// identification): which sound plays, when, and how often.
#include "panel_fixture.h"

#include <cstring>

namespace {

using PanelWarnings = PanelTest;

// The warnings' memory cleared and nothing heard yet, as at a new flight.
void restart() {
  reset_warnings();
  cues().clear();
}

// One stall check flying at `kt` with the root of the left wing at `alpha` degrees.
void stall_at(float kt, float alpha) {
  flt.vind = kt;
  flt.alpha[4][0] = alpha;
  update_stall();
}

TEST_F(PanelWarnings, StallWarningLoopsTheHornAndShakesTheStickWhileNearTheStallAngle) {
  pln.ff_stickshaker = 1;
  flt.alpha_max[4] = 16.0f;
  stall_at(60.0f, 12.9f);  // more than 3 degrees short of the stall angle
  EXPECT_TRUE(cues().empty());
  stall_at(60.0f, 13.5f);
  update_stall();  // still on: nothing new
  EXPECT_EQ(cues(), (std::vector<cue>{{'l', 3}, {'f', 27}}));
  cues().clear();
  stall_at(60.0f, 5.0f);
  EXPECT_EQ(cues(), (std::vector<cue>{{'s', 3}, {'f', 29}}));
  // A new flight begun while the horn sounds silences it and the shaker: the warnings forget it
  // was on, so no later tick would.
  stall_at(60.0f, 13.5f);
  cues().clear();
  reset_warnings();
  EXPECT_EQ(cues(), (std::vector<cue>{{'s', 3}, {'f', 29}}));
}

TEST_F(PanelWarnings, StallWarningNeedsSpeedAndAWingAndUsesTheCleanStallAngleUntilSet) {
  // Below 0.3 of the stall speed (25 m/s, 48.6 kt: the limit is 14.6 kt) a gust is no stall.
  stall_at(14.0f, 30.0f);
  EXPECT_TRUE(cues().empty());
  // Before the flight has set the stall angle with the slats the wing's own 16 degrees count:
  // an unset 0 would sound the horn at any angle above -3.
  stall_at(60.0f, 2.0f);
  EXPECT_TRUE(cues().empty());
  stall_at(60.0f, 14.0f);
  EXPECT_EQ(sounds_played(), std::vector<int>{3});
  // A wing without any stall angle (no airfoil read) gives no warning rather than a constant one.
  restart();
  pln.alpha_max[4] = 0.0f;
  update_stall();
  EXPECT_TRUE(cues().empty());
  pln.alpha_max[4] = 16.0f;
  // Wing 2 alone warns too; a missing wing 1 does not.
  restart();
  pln.semilen[4] = 0.0f, pln.semilen[6] = 4.0f, pln.alpha_max[6] = 12.0f;
  flt.alpha[6][0] = 5.0f;
  stall_at(60.0f, 14.0f);
  EXPECT_TRUE(cues().empty());
  flt.alpha[6][0] = 9.5f;
  update_stall();
  EXPECT_EQ(sounds_played(), std::vector<int>{3});
}

TEST_F(PanelWarnings, StickBuffetsWhileWingOneStallsOnlyWithoutForceFeedbackOptions) {
  flt.stalled[4] = 1;
  update_stall();
  flt.stalled[4] = 0;
  update_stall();
  EXPECT_EQ(cues(), (std::vector<cue>{{'f', 27}, {'f', 29}}));
  cues().clear();
  pln.ff_hydraulic = 1;
  flt.stalled[4] = 1;
  update_stall();
  EXPECT_TRUE(cues().empty());
}

// The aircraft in descent at `ft` of gear height and `fpm`, with voice warnings.
void descend(float ft, float fpm) {
  pln.bitchinbettyEQ = 1, msc.warn_bb = 1, flt.costhe = 1.0f;
  flt.h = ft * con.fttomtrs + 1.0f;  // the gear is 1 m below the reference point
  flt.vu = fpm * con.fpmtomsc;
  msc.elap_time += 2.0f;  // one check every 2 seconds
}
// The same, and the ground-proximity check made there.
void gpws_at(float ft, float fpm) {
  descend(ft, fpm);
  update_GPWS();
}

TEST_F(PanelWarnings, GroundProximityChoosesPullUpSinkRateOrGearByHeightAndDescent) {
  struct {
    float ft, fpm, kt;
    int gear_down;
    int sound;  // 0: none
  } cases[] = {
      {1200, -3000, 120, 1, 8},  // sink rate: limits there -4140 (pull up) and -2920
      {1200, -4200, 120, 1, 9},  // pull up
      {1200, -2800, 120, 1, 0},  // within both limits
      {2600, -9000, 120, 1, 0},  // above 2500 ft nothing is judged
      {400, -500, 90, 0, 10},    // gear up low and slow in a descent
      {400, -500, 90, 1, 0},     // gear down
      {400, -500, 110, 0, 0},    // faster than Vfe: not landing
      {400, 200, 90, 0, 0},      // climbing away
      {600, -500, 90, 0, 0},     // above 500 ft
  };
  for (const auto& c : cases) {
    restart();
    flt.onsurface = 1;  // no call-outs in these cases
    flt.vind = c.kt;
    set.gear_handle = c.gear_down;
    gpws_at(c.ft, c.fpm);
    std::vector<int> want;
    if (c.sound) want.push_back(c.sound);
    EXPECT_EQ(sounds_played(), want) << c.ft << " ft " << c.fpm << " ft/min";
  }
}

TEST_F(PanelWarnings, GroundProximityIsSilentWithoutVoiceWarningsAndChecksEveryTwoSeconds) {
  flt.onsurface = 1;
  descend(1200, -4500);
  msc.warn_bb = 0;
  update_GPWS();
  EXPECT_TRUE(cues().empty());
  msc.warn_bb = 1;
  update_GPWS();
  msc.elap_time += 1.9f;
  update_GPWS();  // too soon
  msc.elap_time += 0.2f;
  update_GPWS();
  EXPECT_EQ(sounds_played(), (std::vector<int>{9, 9}));
  // A fixed gear has no handle to forget.
  restart();
  pln.retractEQ = 0;
  set.gear_handle = 0;
  flt.vind = 90.0f;
  gpws_at(400, -500);
  EXPECT_TRUE(cues().empty());
}

TEST_F(PanelWarnings, CallOutsPlayOnceEachOnTheWayDownAndNotAfterTouchdown) {
  set.gear_handle = 1;
  for (float ft : {60.0f, 40.0f, 40.0f, 20.0f, 5.0f, 4.0f}) gpws_at(ft, -200.0f);
  EXPECT_EQ(sounds_played(), (std::vector<int>{15, 16, 17}));
  // Touching down before the next check: the remaining call-outs are not made, neither on the
  // ground nor when the aircraft bounces back into the air below them.
  restart();
  gpws_at(30.0f, -200.0f);
  flt.onsurface = 1;
  gpws_at(2.0f, 0.0f);
  flt.onsurface = 0;
  gpws_at(5.0f, 100.0f);
  EXPECT_EQ(sounds_played(), std::vector<int>{15});
  // One voice a check: the lowest of the heights passed since the last, and a warning before a
  // call-out, which is then not made.
  restart();
  gpws_at(60.0f, -200.0f);
  gpws_at(5.0f, -200.0f);
  gpws_at(60.0f, 0.0f);
  gpws_at(30.0f, -1500.0f);  // sink rate: the limit at 30 ft is -1048 ft/min
  gpws_at(20.0f, -200.0f);
  EXPECT_EQ(sounds_played(), (std::vector<int>{17, 8, 16}));
}

TEST_F(PanelWarnings, MinimumsSoundsOnceOnEachDescentThroughTheDecisionHeight) {
  ins.radalt_ft = 200.0f;
  auto at = [](float ft) {
    flt.Y = ft * con.fttomtrs + 1.0f;  // the gear 1 m below the reference point
    update_radalt();
  };
  for (float ft : {300.0f, 190.0f, 150.0f, 300.0f, 195.0f}) at(ft);
  EXPECT_EQ(sounds_played(), (std::vector<int>{12, 12}));
  // On the runway neither the decision height nor a call-out is called, even on a new flight's
  // first tick, before its first frame has found the ground.
  restart();
  descend(0.0f, 0.0f);
  flt.Y = 1.0f;
  update_warnings();
  flt.onsurface = 1;
  update_warnings();
  EXPECT_TRUE(cues().empty());
  // Standing on a roof or a deck, the radar measures down to it, not to the ground beneath.
  env.over_obs = 1, obs_height = 60.0f;
  flt.Y = 61.0f;
  EXPECT_NEAR(radar_altitude_ft(), 0.0f, 0.5f);
  // A helicopter resting on its skids, which stand 1.3 m below the reference point: no main gear.
  pln.mgearY = 0.0f, pln.h_eqlbm = 1.3f;
  flt.Y = 61.3f;
  EXPECT_NEAR(radar_altitude_ft(), 0.0f, 0.5f);
}

// A marker of the given type at the aircraft's position, in the loaded region.
void put_marker(int n, int type) {
  nav_type[n] = type, nav_lat[n] = flt.lat + 0.001f, nav_lon[n] = flt.lon - 0.001f;
  nav_inreg[n] = 1, env.navmax = intmax2(env.navmax, n + 2);
}

// Steps through the event ticks from `from` to `to` and returns the tones.
std::vector<int> keying(int from, int to) {
  cues().clear();
  for (int t = from; t <= to; t++) {
    msc.cntr10 = t % 10;
    update_morse();
  }
  return sounds_played();
}

// The tones of the second of two seconds: the markers are looked for at the end of the first.
std::vector<int> next_second() {
  keying(10, 19);
  return keying(10, 19);
}

TEST_F(PanelWarnings, MarkerTonesFollowTheKeyingOfTheInnermostMarkerHeardAlone) {
  flt.lat = 34.0f;
  flt.lon = -117.0f;
  put_marker(3, 7);
  EXPECT_EQ(next_second(), std::vector<int>{19});  // outer: a dash a second
  put_marker(5, 8);
  EXPECT_EQ(next_second(), (std::vector<int>{18, 19}));  // middle: dot, dash
  // With the inner marker too its dots win wherever it keys one; at tick 4, where it keys none,
  // the middle marker's dash still sounds.
  put_marker(7, 9);
  EXPECT_EQ(next_second(), (std::vector<int>{18, 18, 19, 18}));
  // Too far from the inner marker's narrow cone (0.002 degrees) the middle one decides again.
  nav_lat[7] = flt.lat + 0.0025f;
  EXPECT_EQ(next_second(), (std::vector<int>{18, 19}));
  // A selected receiver's identification keys the same recordings: it is not heard over them.
  nav.radout = 0, nav.goodnav[0] = 1;
  std::memcpy(nav.nav_id[0], "E   ", 4);
  EXPECT_EQ(keying(10, 19), (std::vector<int>{18, 19}));
  // On the ground nothing is heard.
  flt.onsurface = 1;
  EXPECT_TRUE(next_second().empty());
}

TEST_F(PanelWarnings, MorseScheduleKeysEachCharacterWithAGapAfterIt) {
  int sym[MORSE_SLOTS];
  float t[MORSE_SLOTS];
  const char abc[4] = {'A', 'B', 'C', ' '};
  ASSERT_EQ(morse_schedule(abc, 100.0f, sym, t), 14);
  const int want_sym[14] = {3, 4, 2, 4, 3, 3, 3, 2, 4, 3, 4, 3, 2, 2};
  const float want_t[14] = {0.0f, 0.3f, 0.8f, 1.8f, 2.3f, 2.6f, 2.9f,
                            3.2f, 4.2f, 4.7f, 5.0f, 5.5f, 5.8f, 6.8f};
  for (int i = 0; i < 14; i++) {
    EXPECT_EQ(sym[i], want_sym[i]) << i;
    EXPECT_NEAR(t[i], 100.0f + want_t[i], 1e-3f) << i;
  }
  for (int i = 14; i < MORSE_SLOTS; i++) EXPECT_EQ(sym[i], MORSE_GAP);
  // Four five-symbol digits fill every slot; lower case keys as upper case.
  const char digits[4] = {'0', '9', '1', '2'};
  EXPECT_EQ(morse_schedule(digits, 0.0f, sym, t), MORSE_SLOTS);
  int lower[MORSE_SLOTS], upper[MORSE_SLOTS];
  morse_schedule("lax ", 0.0f, lower, t);
  morse_schedule("LAX ", 0.0f, upper, t);
  EXPECT_EQ(std::memcmp(lower, upper, sizeof lower), 0);
}

TEST_F(PanelWarnings, SelectedReceiverIdentifiesItselfEveryTenSeconds) {
  nav.radout = 1;
  nav.goodnav[1] = 1;
  std::memcpy(nav.nav_id[1], "E   ", 4);  // one dot
  msc.cntr10 = -1;                        // no marker steps in this test
  auto run_until = [](float t_end) {
    while (msc.elap_time < t_end) {
      update_morse();
      msc.elap_time += 0.1f;
    }
  };
  msc.elap_time = 50.0f;
  run_until(69.95f);
  EXPECT_EQ(sounds_played(), (std::vector<int>{18, 18}));
  // Only NAV 1, NAV 2 and the ADF identify, and only while they receive a station.
  for (int r : {2, 4}) {
    restart();
    nav.radout = r;
    msc.cntr10 = -1;
    run_until(msc.elap_time + 12.0f);
    EXPECT_TRUE(cues().empty()) << r;
  }
  // Audio switched off cuts a code short; another station selected identifies itself at once.
  std::memcpy(nav.nav_id[1], "OO  ", 4);
  nav.radout = 1;
  run_until(msc.elap_time + 0.6f);
  nav.radout = 2;
  run_until(msc.elap_time + 1.0f);
  nav.radout = 0, nav.goodnav[0] = 1;
  std::memcpy(nav.nav_id[0], "E   ", 4);
  run_until(msc.elap_time + 5.0f);
  EXPECT_EQ(sounds_played(), (std::vector<int>{19, 19, 18}));
}

}  // namespace
