// The controls tests' set-up: every record reset, no joystick, a plain one-engine aeroplane.
#pragma once

#include "support/test_support.h"

#include "app/headless/joystick.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

// A stick at the given axes (0..65535), buttons and hat, plugged in and selected.
inline void plug_stick(int x, int y, int z, int r, unsigned buttons = 0u, int pov = -1) {
  headless_joy_plug(1, macibm_joy_state{x, y, z, r, buttons, pov});
  set.controls_type = 5;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    headless_joy_reset();
    set.controls_type = -1, set.joy_rat_ptch = set.joy_rat_roll = set.joy_rat_hdng = 1.0f;
    pln.hstbtrimmax = 0.5f, pln.numen = 1, pln.entype = 1;
    // A stall speed far above any test speed keeps the automatic-input gain at 1.
    msc.est_Vs = 1000.0f, msc.prd = 0.05f;
    reset_ctm();
  }
};
