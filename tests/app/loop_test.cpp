// The loop: adapting the frame period to the measured real time, the slow-frame visibility rule,
// the frame counter's wrap, pauses, and the repeat of a held button.
#include "app_fixture.h"

#include <cmath>

#include "weather/weather.h"
#include "world/world.h"

static double fake_now_ms = 0.0;
static double fake_clock() { return fake_now_ms; }

class AppLoop : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fake_now_ms = 1000.0;
    macibm_clock_hook = fake_clock;
    reset_frame_timing();
  }
  // Ten frames of the loop's timing, each taking `ratio` times its simulated period in real time.
  void ten_frames(float ratio) {
    for (int i = 0; i < 10; i++) {
      fake_now_ms += msc.prd * ratio * 1000.0;
      frame_timing_tick(msc.prd);
    }
  }
};

TEST_F(AppLoop, RealTimeKeepsThePeriodAndSlowerMachinesGrowItToTheLimit) {
  msc.prd = 0.05f;
  adapt_frame_period(0.5f);  // 10 frames in exactly 10 periods
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  EXPECT_FLOAT_EQ(msc.rtrat, 1.0f);

  // Twice as slow: each measurement multiplies by sqrt(2) until 0.1 is reached.
  float expect = 0.05f;
  for (int m = 0; m < 3; m++) {
    adapt_frame_period(msc.prd * 10.0f * 2.0f);
    expect = std::fmin(expect * std::sqrt(2.0f), 0.1f);
    EXPECT_NEAR(msc.prd, expect, 1e-6);
  }
  EXPECT_FLOAT_EQ(msc.prd, 0.1f);
  EXPECT_EQ(msc.running_slow, 1);

  // Faster again: the period shrinks by rtrat^0.2 and the slow flag drops.
  adapt_frame_period(msc.prd * 10.0f * 0.5f);
  EXPECT_NEAR(msc.prd, 0.1f * std::pow(0.5f, 0.2f), 1e-6);
  EXPECT_EQ(msc.running_slow, 0);
}

TEST_F(AppLoop, MeasurementAcrossAnEventIsDiscardedOnce) {
  msc.prd = 0.05f;
  msc.rtrat = 1.0f;
  msc.event = 1;
  adapt_frame_period(30.0f);  // a dialog was up
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  EXPECT_FLOAT_EQ(msc.rtrat, 1.0f);
  EXPECT_EQ(msc.event, 0);
  adapt_frame_period(1.0f);
  EXPECT_GT(msc.prd, 0.05f);
}

TEST_F(AppLoop, RatioIsLimitedAndThePeriodNeverReachesZero) {
  msc.prd = 0.05f;
  for (int m = 0; m < 200; m++) adapt_frame_period(0.0f);  // frames faster than the clock
  EXPECT_FLOAT_EQ(msc.rtrat, 0.2f);
  EXPECT_FLOAT_EQ(msc.prd, PRD_FLOOR);
  adapt_frame_period(1000.0f);
  EXPECT_FLOAT_EQ(msc.rtrat, 10.0f);
  EXPECT_FLOAT_EQ(msc.prd, PRD_FLOOR * std::sqrt(10.0f));
}

// Frames are counted by the loop: the flight frame's counter going from 30000 to 0 (both
// multiples of 10) must not add a measurement of a single frame.
TEST_F(AppLoop, CounterWrapStillMeasuresEveryTenFrames) {
  msc.prd = 0.05f;
  msc.cntr = 29995;
  for (int i = 0; i < 20; i++) {
    fake_now_ms += msc.prd * 2.0 * 1000.0;  // twice as slow as real time
    msc.cntr = msc.cntr >= 30000 ? 0 : msc.cntr + 1;
    frame_timing_tick(msc.prd);
  }
  EXPECT_NEAR(msc.prd, 0.1f, 1e-6);  // exactly two measurements of 2.0
  EXPECT_EQ(loop_frames_run, 20);
}

TEST_F(AppLoop, LongSlowRunBelowTheCloudsDrivesVisibilityIntoBandAndWarnsOnce) {
  scn.belowbases = 1;
  atm.cld_type = 1;
  atm.vis = 10.0f * con.nmtomtrs;
  msc.warn_frame = 1;
  msc.prd = 0.1f;
  for (int m = 0; m < 10; m++) ten_frames(3.0f);
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);  // ten slow measurements: not yet
  EXPECT_TRUE(macibm_alert_log().empty());
  ten_frames(3.0f);
  EXPECT_FLOAT_EQ(atm.vis, 9.5f * con.nmtomtrs);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().kind, ALERT_SIM_SERIAL);
  for (int m = 0; m < 60; m++) ten_frames(3.0f);
  EXPECT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_GE(atm.vis, 3.0f * con.nmtomtrs * 0.95f);
  EXPECT_LE(atm.vis, 3.2f * con.nmtomtrs);

  // Below the band the visibility is raised.
  atm.vis = 2.0f * con.nmtomtrs;
  ten_frames(3.0f);
  EXPECT_FLOAT_EQ(atm.vis, 2.0f / 0.95f * con.nmtomtrs);
}

TEST_F(AppLoop, SlowRunAboveTheCloudsOrInterruptedLeavesVisibility) {
  scn.belowbases = 0;
  atm.cld_type = 1;
  atm.vis = 10.0f * con.nmtomtrs;
  msc.prd = 0.1f;
  for (int m = 0; m < 15; m++) ten_frames(3.0f);
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);

  // Below the clouds, but one fast measurement restarts the count.
  scn.belowbases = 1;
  for (int m = 0; m < 10; m++) ten_frames(3.0f);
  ten_frames(0.5f);
  for (int m = 0; m < 10; m++) ten_frames(3.0f);
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);
  EXPECT_TRUE(macibm_alert_log().empty());  // warn_frame is off in any case
}

TEST_F(AppLoop, PausedPassesRunNoFrameAndDiscardTheirTime) {
  msc.prd = 0.05f;
  msc.paused = 1;
  for (int i = 0; i < 5; i++) loop_pass();
  EXPECT_EQ(loop_frames_run, 0);
  EXPECT_EQ(msc.event, 1);
  msc.paused = 0;
  fake_now_ms += 60000.0;  // a minute paused
  for (int i = 0; i < 10; i++) loop_pass();
  EXPECT_EQ(loop_frames_run, 10);
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
}

static int held_calls;
static void count_panel_click(int w) {
  EXPECT_EQ(w, 0);
  held_calls++;
}

TEST_F(AppLoop, HeldButtonRepeatsAfterHalfASecond) {
  held_calls = 0;
  macibm_click_hook = count_panel_click;
  msc.paused = 1;
  loop_pass();
  fake_now_ms += 2000.0;  // time before the press does not count
  headless_post_click(0, 10, 10);
  loop_pass();
  EXPECT_EQ(mnw.mousedown, 1);
  EXPECT_EQ(held_calls, 1);  // the click itself
  EXPECT_LT(mnw.dragtime, 0.5f);
  fake_now_ms += 400.0;
  loop_pass();
  EXPECT_EQ(held_calls, 1);
  fake_now_ms += 200.0;
  loop_pass();
  loop_pass();
  EXPECT_NEAR(mnw.dragtime, 0.6f, 1e-3);
  EXPECT_EQ(held_calls, 3);  // once per pass past half a second
  headless_post_release();
  loop_pass();
  EXPECT_EQ(mnw.mousedown, 0);
  EXPECT_EQ(held_calls, 3);
}
