// The autopilot and autothrottle: targets, limits, engagement and the zero-speed guards.
#include <cmath>

#include "controls/fixture.h"

using ControlsAutopilot = ControlsTest;

// With a localiser on NAV 2 slightly to the right and the airspeed at 0, the intercept correction
// is 0.01 x 800 / 1 = 8 degrees, not the 30-degree limit a division by zero would give.
TEST_F(ControlsAutopilot, InterceptCorrectionAtZeroAirspeedDividesByOne) {
  ott.NAV[1] = 1, nav.goodnav[1] = 1, nav.ilsgs[1] = 3, nav.ilscrs[1] = 90.0f, nav.hdef[1] = 0.01f;
  flt.v = 50.0f;  // a standard-rate bank of about 15 degrees
  flt.psi = 90.0f;
  control_laws();
  EXPECT_NEAR(set.YK_roll, 0.08f, 1e-5f);
  flt.psi = 98.0f;
  control_laws();
  EXPECT_NEAR(set.YK_roll, 0.0f, 1e-5f);
  // No station received yet (the slot as a start leaves it): the course set on the OBS, 098.
  nav.goodnav[1] = 0, nav.ilsgs[1] = 0, nav.ilscrs[1] = 0.0f, nav.hdef[1] = 0.0f;
  nav.obs[1] = 98.0f;
  control_laws();
  EXPECT_NEAR(set.YK_roll, 0.0f, 1e-5f);
}

TEST_F(ControlsAutopilot, BankIsLimitedToStandardRateAndThirtyDegrees) {
  ott.HDSLCT = 1;
  nav.hdsel = 10.0f;
  flt.psi = 180.0f;  // 170 degrees to the left
  flt.v = 200.0f;    // a standard-rate turn would need 47 degrees
  control_laws();
  EXPECT_NEAR(set.YK_roll, -0.3f, 1e-5f);
  flt.v = 50.0f;
  control_laws();
  float std_rate = std::atan(50.0f * con.pi / (con.g * 60.0f)) * con.radtodeg;
  EXPECT_NEAR(set.YK_roll, -std_rate * 0.01f, 1e-5f);
  rel.otto = 0;  // a failed autopilot leaves the pilot's roll alone
  set.YK_roll = 0.2f;
  control_laws();
  EXPECT_FLOAT_EQ(set.YK_roll, 0.2f);
  // A hovering helicopter 4 degrees right of the bug, its sideslip angle noise: left pedal, not
  // the stop the noise would ask for. At speed the pedals balance the sideslip.
  rel.otto = 1, pln.is_heli = 1, msc.est_Vs = 25.0f, flt.v = flt.vind = 0.0f;
  flt.psi = 14.0f, flt.Beta = 150.0f;
  control_laws();
  EXPECT_NEAR(set.YK_hdng, -0.2f, 1e-5f);
  flt.vind = 60.0f, flt.Beta = 2.0f;
  control_laws();
  EXPECT_NEAR(set.YK_hdng, -0.1f, 1e-5f);
}

// Climbing at exactly the asked 5 m/s at 50 m/s, pitched at the climb angle: the trim stays
// where it was at engagement. A climb angle taken in radians would pitch the nose far down.
TEST_F(ControlsAutopilot, PitchTargetIsTheClimbAngleInDegrees) {
  flt.trim = 0.1f, ott.VVHOLD = 1, ott.vv_hold = 5.0f, flt.v = 50.0f, flt.vu = 5.0f;
  flt.the180 = std::asin(0.1f) * con.radtodeg;
  control_laws();
  EXPECT_NEAR(flt.trim, 0.1f, 1e-5f);
  ott.VVHOLD = 0;
  control_laws();  // disengaged: the trim is the pilot's again
  flt.trim = -0.2f;
  ott.VVHOLD = 1;
  control_laws();  // engages anew and remembers the new trim
  EXPECT_NEAR(flt.trim, -0.2f, 1e-5f);
  flt.v = flt.vu = 0.0f;  // standing still: no division by zero
  ott.vv_hold = 0.0f;
  control_laws();
  EXPECT_TRUE(std::isfinite(flt.trim));
}

TEST_F(ControlsAutopilot, AltitudeHoldClimbsAtMostTheSetRateAndUnwindsAtTheStop) {
  ott.ALHOLD = 1;
  ott.al_hold = 1000.0f;
  ott.vv_hold = -2.0f;  // the sign of the rate does not matter
  flt.v = 40.0f;
  flt.the180 = -20.0f;
  control_laws();
  EXPECT_FLOAT_EQ(flt.trim, 0.5f);  // at the stop
  float integ = ctm.vert_integ;
  control_laws();
  EXPECT_NEAR(ctm.vert_integ, (integ + (2.0f * 0.1f) * msc.prd) * 0.95f, 1e-6f);
}

TEST_F(ControlsAutopilot, AutothrottleMovesAtMostATenthPerSecond) {
  ott.ASHOLD = 1, ott.as_hold = 200.0f, flt.vind = ctm.prev_vind = 100.0f, set.FC_thro = 0.5f;
  for (int f = 0; f < 20; f++) control_laws();  // one second
  EXPECT_NEAR(set.FC_thro, 0.6f, 1e-5f);
  ott.as_hold = 100.0f, flt.vind = 100.0f, set.FC_thro = 0.2f;
  control_laws();
  EXPECT_NEAR(set.FC_thro, 0.205f, 1e-6f);  // towards the 0.5 it wants
  plug_stick(32767, 32767, 65535, 32767);   // the stick's throttle closed, the lever's at 0.6
  ott.ASHOLD = 0, flt.throrequest[0] = 0.6f;
  update_controls();
  ott.ASHOLD = 1;
  update_controls();
  EXPECT_NEAR(flt.throrequest[0], 0.595f, 1e-6f);  // from the lever, not from the stick
  ott.ASHOLD = 0;
  update_controls();  // let go: the throttle stays until the stick's is moved
  EXPECT_NEAR(flt.throrequest[0], 0.595f, 1e-6f);
  pln.is_heli = pln.collectEQ = 1, pln.maxpitch[0] = 10.0f;  // a collective: left to the pilot
  ott.ASHOLD = 1, set.YK_thro = 0.3f;
  control_laws();
  EXPECT_FLOAT_EQ(set.FC_thro, 0.3f);
  lever_set(LEVER_THROTTLE, -1, 0.6f);
  update_controls();  // nor set to the stick's throttle
  EXPECT_NEAR(lever_get(LEVER_THROTTLE, 0), 0.6f, 1e-5f);
}

// Level at 50 m/s with the glide-slope mode on but no glide slope on NAV 2 (a VOR, then a lost
// signal): the trim stays put instead of diving at the VOR's 9 or the stale 3 degrees.
TEST_F(ControlsAutopilot, GlideSlopeModeWithoutAGlideSlopeHoldsLevel) {
  flt.trim = 0.1f, ott.GS2 = 1, flt.v = 50.0f;
  nav.goodnav[1] = 1, nav.ilsgs[1] = 9;
  control_laws();
  EXPECT_NEAR(flt.trim, 0.1f, 1e-5f);
  nav.goodnav[1] = 0, nav.ilsgs[1] = 3;
  control_laws();
  EXPECT_NEAR(flt.trim, 0.1f, 1e-5f);
  nav.goodnav[1] = 1;  // beyond the localizer: no signal, the flag out
  control_laws();
  EXPECT_NEAR(flt.trim, 0.1f, 1e-5f);
  nav.ntf[1] = 1;  // a received glide slope is followed down
  control_laws();
  EXPECT_LT(flt.trim, 0.1f);
}
