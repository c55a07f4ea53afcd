// Joystick reading, buttons, calibration, dead zones and response curves.
#include <cmath>

#include "controls/fixture.h"

class ControlsJoystick : public ControlsTest {
 protected:
  void read(int raw, int live) { MACIBM_getjoy(&p, &r, &h, &t, raw, live); }
  float p = 9, r = 9, h = 9, t = 9;
};

TEST_F(ControlsJoystick, CurveRemovesDeadZoneAndKeepsTheEnds) {
  float v = 0.005f;
  EXPECT_EQ(curve_joy(&v, 0.01f), 0.0f);
  EXPECT_EQ(v, 0.0f);
  v = 0.51f;
  EXPECT_NEAR(curve_joy(&v, 0.01f), std::pow(0.5f, 1.5f), 1e-6f);
  EXPECT_NEAR(v, 0.5f, 1e-6f);
  v = -1.0f;
  EXPECT_FLOAT_EQ(curve_joy(&v, 0.0f), -1.0f);
}

TEST_F(ControlsJoystick, AxesScaleAndTheThrottleSaturatesAtBothEnds) {
  plug_stick(65535, 0, 0, 32767);
  read(1, 0);
  EXPECT_FLOAT_EQ(r, 1.0f);  // 65535 / 32767 - 1 is just over 1: limited
  EXPECT_FLOAT_EQ(p, -1.0f);
  EXPECT_NEAR(h, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(t, 1.0f);  // 1.1 at the forward stop
  plug_stick(32767, 32767, 65535, 32767);
  update_controls();
  EXPECT_EQ(set.YK_thro, 0.0f);  // -0.1 at the back stop
}

TEST_F(ControlsJoystick, FailedReadLeavesTheStickCentredAndButtonsHeld) {
  set.joy_response[4] = 20;  // button 1: parking brake while held
  set.joy_response[8] = 1;   // button 5: trim nose up while held
  plug_stick(65535, 0, 0, 0, 0x11u);
  update_controls();
  ASSERT_EQ(set.parkbrake, 1.0f);
  headless_joy_fail(JOY_READ_UNPLUGGED);
  read(0, 1);
  EXPECT_EQ(p, 0.0f);
  EXPECT_EQ(r, 0.0f);
  EXPECT_EQ(h, 0.0f);
  EXPECT_FLOAT_EQ(t, 1.0f);  // the throttle stays where it was last read
  EXPECT_EQ(set.parkbrake, 1.0f);
  EXPECT_FLOAT_EQ(flt.trim, 0.05f * pln.hstbtrimmax);  // a stick not heard from trims no further
}

TEST_F(ControlsJoystick, ChordsOfTheFirstFourButtonsRegisterNeitherSlot) {
  plug_stick(32767, 32767, 0, 32767, 0x3u);
  read(0, 1);
  for (int b : {4, 5}) EXPECT_EQ(n_button_pressed[b], 0) << b;
  plug_stick(32767, 32767, 0, 32767, 0x801u, 27000);
  read(0, 1);
  EXPECT_EQ(n_button_pressed[4], 1);
  EXPECT_EQ(n_button_pressed[15], 1);  // button 12
  EXPECT_EQ(n_button_pressed[2], 1);   // hat left
  for (int b : {0, 1, 3}) EXPECT_EQ(n_button_pressed[b], 0) << b;
}

TEST_F(ControlsJoystick, ButtonCommandsActOnPressAndRelease) {
  set.joy_response[8] = 10;  // button 5: look down while held
  set.joy_response[9] = 21;  // button 6: speed-brake handle
  flt.sbrk = -1.0f;
  handle_simkey('_');  // full screen: the view's own menu command brings the panel back
  plug_stick(32767, 32767, 0, 32767, 0x30u);
  read(0, 1);
  EXPECT_EQ(set.view_type, 603);
  EXPECT_EQ(set.view_is_fullscreen, 0);
  EXPECT_EQ(flt.sbrk, 2.0f);
  read(0, 1);  // still held: the press commands do not repeat
  EXPECT_EQ(flt.sbrk, 2.0f);
  plug_stick(32767, 32767, 0, 32767, 0x20u);
  read(0, 1);
  EXPECT_EQ(set.view_type, 601);
}

TEST_F(ControlsJoystick, CalibrationCentresTheStick) {
  plug_stick(40000, 30000, 0, 32767);
  cal_stick();
  EXPECT_NEAR(set.OS_roll, 40000 / 32767.0f - 1.0f, 1e-5f);
  read(0, 0);
  EXPECT_NEAR(r, 0.0f, 1e-6f);
  EXPECT_NEAR(p, 0.0f, 1e-6f);
  set.controls_type = -1;
  cal_stick();
  EXPECT_EQ(set.OS_roll, 0.0f);
}
