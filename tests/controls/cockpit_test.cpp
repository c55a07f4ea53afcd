// The cockpit controls the panel and the keys share: levers, equipment, buttons and knobs.
#include "controls/fixture.h"

class ControlsCockpit : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pln.numen = 2, pln.omegamin = 100.0f, pln.omegamax = 300.0f;
  }
};

TEST_F(ControlsCockpit, LeversTakeTheirDetentsAndOneOrEveryEngine) {
  lever_set(LEVER_FLAP, -1, 0.55f);
  EXPECT_EQ(flt.flaprequest, 30);  // nearest of the five steps
  lever_set(LEVER_FLAP, -1, 7.0f);
  EXPECT_EQ(flt.flaprequest, 50);  // beyond the travel: the last detent
  lever_set(LEVER_SLAT, -1, 0.3f);
  EXPECT_FLOAT_EQ(flt.slatrequest, 0.5f);
  lever_set(LEVER_SBRK, -1, 0.0f);
  EXPECT_FLOAT_EQ(flt.sbrk, 0.0f);  // no automatic speed brake to arm
  pln.autosbrkEQ = 1;
  lever_set(LEVER_SBRK, -1, 0.0f);
  EXPECT_FLOAT_EQ(flt.sbrk, -1.0f);
  lever_set(LEVER_THROTTLE, 1, 0.7f);
  EXPECT_FLOAT_EQ(flt.throrequest[0], 0.0f);
  EXPECT_FLOAT_EQ(flt.throrequest[1], 0.7f);
  lever_set(LEVER_PROP, -1, 0.5f);
  for (int e : {0, 1}) EXPECT_FLOAT_EQ(flt.prop[e], 200.0f) << e;
  EXPECT_FLOAT_EQ(flt.prop[2], 0.0f);  // no third engine
}

TEST_F(ControlsCockpit, EquipmentTheAircraftLacksDoesNothing) {
  set.gear_handle = 1;
  gear_toggle();
  EXPECT_EQ(set.gear_handle, 1);  // fixed gear
  reverse_toggle();
  EXPECT_EQ(flt.revving_thrust[0], 0);
  pln.retractEQ = pln.revthrustEQ = 1;
  gear_toggle();
  EXPECT_EQ(set.gear_handle, 0);
  EXPECT_GT(set.gear_time[1], set.gear_time[0]);  // the legs move one after the other
  reverse_toggle();
  EXPECT_EQ(flt.revving_thrust[1], 1);
  rel.sttrim = 0;  // a failed trim motor
  trim_step(0, 1);
  EXPECT_FLOAT_EQ(flt.trim, 0.0f);
}

TEST_F(ControlsCockpit, AutopilotButtonsEngageAtThePresentStateAndLateralModesExcludeEachOther) {
  flt.h_ind = 1000.0f;
  flt.vind = 95.0f;
  autopilot_button(AP_HDG);
  autopilot_button(AP_NAV1);
  EXPECT_EQ(ott.HDSLCT, 0);
  EXPECT_EQ(ott.NAV[0], 1);
  autopilot_button(AP_ALT);
  EXPECT_FLOAT_EQ(ott.al_hold, 1000.0f);
  EXPECT_GT(ott.vv_hold, 0.0f);  // a climb rate to reach it with
  autopilot_button(AP_SPD);
  EXPECT_FLOAT_EQ(ott.as_hold, 95.0f);
  autopilot_button(AP_ALT);  // a second press disengages
  EXPECT_EQ(ott.ALHOLD, 0);
  autopilot_button(AP_MODES);
  autopilot_button(-1);
  EXPECT_EQ(ott.NAV[0], 1);
}

TEST_F(ControlsCockpit, KnobsWrapHeadingsAndKeepTargetsAboveZero) {
  nav.obs[1] = 359.5f;
  knob_step(KNOB_OBS2, 1);
  EXPECT_FLOAT_EQ(nav.obs[1], 0.5f);
  ott.al_hold = 10.0f;
  knob_step(KNOB_AP_ALT, -1);
  EXPECT_FLOAT_EQ(ott.al_hold, 0.0f);
  knob_step(KNOB_AP_SPD, -1);
  EXPECT_FLOAT_EQ(ott.as_hold, 0.0f);
  nav.nf[0] = 11170;
  tune_radio(-1, 0, 1);  // no such radio
  tune_radio(RADIO_COUNT, 0, 1);
  tune_radio(RADIO_NAV1, 1, -1);
  EXPECT_EQ(nav.nf[0], 11165);
  nav.radout = 0;
  audio_select(0);  // the receiver heard: silenced
  EXPECT_EQ(nav.radout, 2);
  audio_select(3);  // not a receiver with audio
  EXPECT_EQ(nav.radout, 2);
}
