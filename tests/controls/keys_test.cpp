// The keyboard: views, the second radios, levers, knobs and the keypad yoke.
#include "atc/atc.h"
#include "controls/fixture.h"

class ControlsKeys : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    set.view_type = 601, pln.omegamin = 100.0f, pln.omegamax = 300.0f;
  }
  static void keys(const char* s) {
    for (; *s; s++) handle_simkey(*s);
  }
};

TEST_F(ControlsKeys, ViewKeysAndTheRingOfTurnedViews) {
  // The view after each key (0: not checked); "q" off the ring is the first step left, then
  // from the front "q" turns left and "e" right all the way round.
  const char pressed[] = "zaqwqqqqqqqqeeeeeeee";
  const int views[20] = {612, 618, 605, 0,   605, 607, 609, 612, 610, 608,
                         606, 601, 606, 608, 610, 612, 609, 607, 605, 601};
  for (int i = 0; i < 20; i++) {
    handle_simkey(pressed[i]);
    if (views[i] == 0) continue;
    EXPECT_EQ(set.view_type, views[i]) << "key " << i << ": " << pressed[i];
  }
}

TEST_F(ControlsKeys, SecondRadiosWrapEachPartByItself) {
  nav.cf[1] = 13695;
  keys("S");  // megahertz past 136 back to 118, the fraction kept
  EXPECT_EQ(nav.cf[1], 11895);
  keys("F");
  EXPECT_EQ(nav.cf[1], 11800);  // hundredths wrap without carrying into the megahertz
  nav.nf[1] = 10800;
  keys("GJ");
  EXPECT_EQ(nav.nf[1], 11795);
  nav.adff = 219;
  keys("?");  // the units digit wraps alone
  EXPECT_EQ(nav.adff, 210);
  keys("O");
  EXPECT_EQ(nav.adff, 110);
  nav.tran1 = 7;
  nav.tran4 = 0;
  keys("X<M");
  EXPECT_EQ(nav.tran1, 0);
  EXPECT_EQ(nav.tran4, 0);
  EXPECT_EQ(nav.nf[0], 0);  // the first radios belong to the panel
}

TEST_F(ControlsKeys, LeverKeysStepOneDetentFromWhereTheLeverStands) {
  keys("246");  // levers the aircraft lacks stay put
  EXPECT_EQ(flt.flaprequest, 0);
  EXPECT_EQ(flt.slatrequest, 0.0f);
  EXPECT_EQ(flt.sbrk, 0.0f);
  pln.flapEQ = pln.slatEQ = pln.sbrkEQ = 1;
  keys("2");
  EXPECT_EQ(flt.flaprequest, 10);
  flt.flaprequest = 40;  // moved by a click meanwhile
  keys("22");
  EXPECT_EQ(flt.flaprequest, 50);  // the last detent holds
  keys("1");
  EXPECT_EQ(flt.flaprequest, 40);
  keys("4");
  EXPECT_FLOAT_EQ(flt.slatrequest, 0.5f);
  pln.autosbrkEQ = 1;
  flt.sbrk = 0.0f;
  keys("6");
  EXPECT_FLOAT_EQ(flt.sbrk, 0.5f);
  keys("555");  // back through stowed to armed, and no further
  EXPECT_FLOAT_EQ(flt.sbrk, -1.0f);
}

TEST_F(ControlsKeys, FunctionKeysMoveOneLeverOrEachEnginesOwn) {
  pln.numen = 2, pln.varpitchEQ = 1;
  function_key(20);  // F2 opens the single throttle of both engines
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.1f);
  EXPECT_FLOAT_EQ(flt.throrequest[1], 0.1f);
  function_key(19);
  function_key(19);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.0f);
  function_key(24);  // F6: propeller towards maximum speed
  EXPECT_NEAR(flt.prop[1], 120.0f, 1e-3f);
  set.eq_thr = 1;
  function_key(20);  // F2: engine 2 alone
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[1], 0.1f);
  function_key(32);  // Shift F2 pulls it back
  EXPECT_FLOAT_EQ(flt.throrequest[1], 0.0f);
  function_key(21);  // F3: there is no third engine
  for (int e = 0; e < MAX_ENGINES; e++) EXPECT_FLOAT_EQ(flt.throrequest[e], 0.0f);
  flt.mixt[0] = 1.0f;
  function_key(39);  // Shift F9: engine 1's mixture leaner
  EXPECT_FLOAT_EQ(flt.mixt[0], 0.9f);
  pln.entype = 3;  // a jet's fuel cut-off has no lever
  function_key(39);
  EXPECT_FLOAT_EQ(flt.mixt[0], 0.9f);
  function_key(18);  // not a function key
  function_key(43);
}

TEST_F(ControlsKeys, KeypadYokeStepsAndStaysInRange) {
  for (int i = 0; i < 30; i++) yoke_key(1);
  EXPECT_FLOAT_EQ(set.MK_ptch, 1.0f);
  yoke_key(2);
  EXPECT_NEAR(set.MK_ptch, 0.95f, 1e-6f);
  for (int i = 0; i < 15; i++) yoke_key(3);
  yoke_key(6);
  EXPECT_FLOAT_EQ(set.MK_roll, -1.0f);
  EXPECT_NEAR(set.MK_hdng, 0.1f, 1e-6f);
  yoke_key(0);  // centres roll and yaw, not pitch
  EXPECT_EQ(set.MK_roll, 0.0f);
  EXPECT_EQ(set.MK_hdng, 0.0f);
  EXPECT_NEAR(set.MK_ptch, 0.95f, 1e-6f);
  // A helicopter in the hover without pedals: the yaw damping leaves the keypad's yaw room to act.
  pln.is_heli = 1, flt.R = 10.0f;
  for (int i = 0; i < 5; i++) yoke_key(6);
  update_controls();
  EXPECT_NEAR(set.FC_hdng, 0.1536f, 1e-4f);  // 0.5 through the response curve, less 0.2
}

TEST_F(ControlsKeys, SpaceLaunchesFromTheCatapultOrShowsTheControllersMenu) {
  flt.cat_stage = 3;
  keys(" ");
  EXPECT_EQ(flt.cat_stage, 4);
  EXPECT_EQ(atc.menu_up, 0);
  keys(" ");
  EXPECT_EQ(atc.menu_up, 1);
  EXPECT_EQ(atc.menu_level, 4);
  keys(" ");
  EXPECT_EQ(atc.menu_up, 0);
}

TEST_F(ControlsKeys, ControlKeysActLikeTheirPanelControls) {
  ott.ALHOLD = 1;
  keys("!");  // heading select alone
  EXPECT_EQ(ott.HDSLCT, 1);
  EXPECT_EQ(ott.ALHOLD, 0);
  pln.retractEQ = 1;
  int handle = set.gear_handle;
  keys("g");
  EXPECT_EQ(set.gear_handle, !handle);
  keys("b");
  EXPECT_EQ(set.parkbrake, 1.0f);
  keys("]]");
  EXPECT_NEAR(flt.trim, 2 * 0.05f * pln.hstbtrimmax, 1e-6f);
  nav.hdsel = 0.0f;
  keys("h");
  EXPECT_FLOAT_EQ(nav.hdsel, 359.0f);
}
