// The control laws: gain, stability, failures, trim, the throttle lever and touchdown.
#include "controls/fixture.h"
#include "controls/local.h"

using ControlsPipeline = ControlsTest;

TEST_F(ControlsPipeline, AutomaticGainFallsWithTheSquareOfSpeed) {
  msc.est_Vs = 30.0f;
  flt.vind = 2.0f * 30.0f * con.msctokts;
  EXPECT_NEAR(automatic_gain(), 0.25f, 1e-4f);
  flt.vind = 10.0f;
  EXPECT_FLOAT_EQ(automatic_gain(), 1.0f);
  flt.vind = 20.0f * 30.0f * con.msctokts;
  EXPECT_NEAR(automatic_gain(), 0.01f, 1e-5f);
  pln.is_heli = 1;
  EXPECT_FLOAT_EQ(automatic_gain(), 1.0f);
}

// Low-speed term: pitch rate towards the input (ASmaxp1 1, ASp1 1); high-speed term: angle of
// attack towards 0 (ASmaxp2 0, ASp2 1).
TEST_F(ControlsPipeline, StabilityBlendsBetweenTheLowAndHighSpeeds) {
  pln.ASloV = 60.0f, pln.AShiV = 100.0f, pln.ASmaxp1 = pln.ASp1 = pln.ASp2 = 1.0f, flt.Alpha = 0.1f;
  auto fc_at = [](float vind) {
    flt.vind = vind;
    set.YK_ptch = 0.2f;
    control_laws();
    return set.FC_ptch;
  };
  EXPECT_NEAR(fc_at(50.0f), 0.4f, 1e-6f);
  EXPECT_NEAR(fc_at(80.0f), 0.25f, 1e-6f);
  EXPECT_NEAR(fc_at(150.0f), 0.1f, 1e-6f);
  rel.stbaug = 0;
  EXPECT_NEAR(fc_at(50.0f), 0.2f, 1e-6f);
  // Yaw rate damping at low speed, resting while the wheels steer on the ground.
  rel.stbaug = 1, pln.ASh1 = 1.0f, flt.R = 0.1f;
  fc_at(50.0f);
  EXPECT_FLOAT_EQ(set.FC_hdng, -0.1f);
  flt.onsurface = 1;
  fc_at(50.0f);
  EXPECT_FLOAT_EQ(set.FC_hdng, 0.0f);
}

TEST_F(ControlsPipeline, AFailedConnectionFreezesTheSurfaceButTrimStillActs) {
  rel.fc_elv = 0, flt.trim = 0.1f, set.YK_ptch = 0.5f;
  control_laws();
  EXPECT_FLOAT_EQ(set.FC_ptch, 0.1f);
  rel.fc_elv = 1;
  set.YK_ptch = 1.0f;
  control_laws();
  EXPECT_FLOAT_EQ(set.FC_ptch, 1.0f);  // input plus trim stops at full travel
  pln.flyingstabEQ = 1;                // the force pass trims the stabiliser instead
  set.YK_ptch = 0.5f;
  control_laws();
  EXPECT_FLOAT_EQ(set.FC_ptch, 0.5f);
  rel.hyd_rat = 0.5f, flt.rud_trim = 1.0f, set.YK_roll = 0.8f, set.YK_hdng = 0.0f;
  control_laws();
  EXPECT_FLOAT_EQ(set.FC_roll, 0.4f);
  EXPECT_FLOAT_EQ(set.FC_hdng, 0.25f);
}

TEST_F(ControlsPipeline, TheThrottleLeverFollowsTheJoystickOnlyWhenItMoves) {
  pln.numen = 2, flt.throrequest[0] = 0.6f, flt.throrequest[1] = 0.8f;  // a lever per engine
  update_controls();
  flt.throrequest[0] = 0.5f;  // engine 1's moved alone
  update_controls();
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.5f);  // no joystick: the levers stay, each its own
  EXPECT_FLOAT_EQ(flt.throrequest[1], 0.8f);
  plug_stick(32767, 32767, 0, 32767);
  update_controls();
  EXPECT_FLOAT_EQ(flt.throrequest[0], 1.0f);
  flt.throrequest[0] = 0.3f;  // a key moves the lever
  update_controls();
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.3f);
  plug_stick(32767, 32767, 32767, 32767);
  update_controls();
  EXPECT_NEAR(flt.throrequest[0], 0.5f, 0.01f);
  flt.throrequest[0] = 0.7f;  // a flight starts with power of its own
  reset_ctm();
  update_controls();
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.7f);
}

TEST_F(ControlsPipeline, TouchdownDeploysArmedBrakesAndDropsTheAutopilotOnce) {
  pln.autosbrkEQ = pln.autofbrkEQ = 1, ott.ALHOLD = 1;
  control_laws();  // a flight's first frame, before the flight has found the ground it starts on
  flt.onsurface = 1;
  control_laws();
  EXPECT_EQ(ott.ALHOLD, 1);  // a start on the ground is no touchdown
  ott.ALHOLD = 0, flt.onsurface = 0;
  control_laws();
  flt.onsurface = 1;
  control_laws();
  EXPECT_EQ(ott.HDSLCT, 0);  // no autopilot engaged: none is switched on
  flt.onsurface = 0;
  control_laws();
  flt.sbrk = -1.0f, ott.ALHOLD = ott.ASHOLD = 1, flt.onsurface = 1;
  control_laws();
  EXPECT_EQ(flt.sbrk, 2.0f);
  EXPECT_EQ(set.parkbrake, 1.0f);
  EXPECT_EQ(ott.HDSLCT, 1);
  EXPECT_EQ(ott.ALHOLD, 0);
  EXPECT_EQ(ott.ASHOLD, 0);
  flt.sbrk = -1.0f;
  control_laws();  // still on the surface: no second touchdown
  EXPECT_EQ(flt.sbrk, -1.0f);
  flt.revving_thrust[1] = 1;
  control_laws();
  EXPECT_EQ(flt.sbrk, 2.0f);
}

TEST_F(ControlsPipeline, TheMouseFliesOnlyWhenItMovesOverTheView) {
  msc.mouse_is_joy = 1, con.cntrx = 400.0f, con.cntry = 450.0f, mnw.mx = 400, mnw.my = 450;
  reset_ctm();
  set.MK_ptch = 0.3f;  // from the keypad
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_ptch, 0.3f);  // a resting pointer leaves the keypad's yoke alone
  mnw.mx = 450, mnw.my = 500;          // up and right: nose down, roll right
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_ptch, -0.5f);
  EXPECT_FLOAT_EQ(set.MK_roll, 0.5f);
  mnw.mx = 900;  // far off: full deflection, no more
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_roll, 1.0f);
  mnw.mx = 100, mnw.my = 40;  // down on the panel to click a lever: the stick stays
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_ptch, -0.5f);
  EXPECT_FLOAT_EQ(set.MK_roll, 1.0f);
  set.view_is_fullscreen = 1;  // without the panel the whole window is view
  mnw.my = 41;
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_ptch, 1.0f);
  msc.mouse_is_joy = 0;  // a joystick is the stick
  mnw.my = 450;
  update_controls();
  EXPECT_FLOAT_EQ(set.MK_ptch, 1.0f);
}
