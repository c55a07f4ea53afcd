// Force-feedback commands: scaling, limits and the arguments each call receives.
#include "controls/fixture.h"

class ControlsForcefeedback : public ControlsTest {
 protected:
  static headless_force_command last() { return headless_force_log().back(); }
};

TEST_F(ControlsForcefeedback, MagnitudesAreScaledAndLimited) {
  set.fcon_force_rat = 0.5f;
  forcecall(25, 150, -150, 300);
  ASSERT_EQ(headless_force_log().size(), 2u);
  EXPECT_EQ(headless_force_log()[0].a, 100);  // spring centre limited
  EXPECT_EQ(headless_force_log()[0].b, 100);  // 300 x 0.5 limited
  EXPECT_EQ(last().call, FORCE_YSPRING);
  EXPECT_EQ(last().a, -100);
  forcecall(26, 85, 70, 0);
  EXPECT_EQ(last().a, 42);  // 42.5 truncated
  EXPECT_EQ(last().c, 50);  // frequency limited
  forcecall(30, -40, 0, 0);
  EXPECT_EQ(last().a, 0);
}

TEST_F(ControlsForcefeedback, JoltsWrapTheirDirectionAndUnknownCodesSendNothing) {
  set.fcon_force_rat = 1.0f;
  forcecall(32, 100, 725, 3000);
  EXPECT_EQ(last().b, 5);
  EXPECT_EQ(last().c, 2500);
  forcecall(32, 100, -30, -5);
  EXPECT_EQ(last().b, 330);
  EXPECT_EQ(last().c, 0);
  forcecall(24, 50, 50, 50);
  forcecall(34, 50, 50, 50);
  EXPECT_EQ(headless_force_log().size(), 2u);
}
