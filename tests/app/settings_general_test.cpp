// The time of day window: the clock wraps at midnight whichever way it is set, and its held
// buttons go on stepping it every pass once held for half a second.
#include "app_fixture.h"

#include "app/settings.h"

static double fake_now_ms;
static double fake_clock() { return fake_now_ms; }

class AppSettingsGeneral : public AppTest {};

TEST_F(AppSettingsGeneral, TimeOfDayWrapsAtMidnightAndItsHeldButtonRepeats) {
  msc.locl_time = 23.5f * 3600.0f;
  APPLICATION_handlemenu(404);
  headless_form_set(WIN_TIME, "hour", 25.0f);  // typed past midnight
  EXPECT_FLOAT_EQ(msc.locl_time, 1.5f * 3600.0f);
  headless_form_set(WIN_TIME, "minute", -10.0f);
  EXPECT_FLOAT_EQ(msc.locl_time, 3600.0f + 50.0f * 60.0f);
  msc.locl_time = 23.5f * 3600.0f;
  fake_now_ms = 1000.0;
  macibm_clock_hook = fake_clock;
  msc.paused = 1;
  headless_form_press(WIN_TIME, "on_hour");
  EXPECT_FLOAT_EQ(msc.locl_time, 0.5f * 3600.0f);
  loop_pass();
  fake_now_ms += 600.0;
  loop_pass();
  loop_pass();
  headless_form_release();
  loop_pass();
  EXPECT_FLOAT_EQ(msc.locl_time, 2.5f * 3600.0f);
  EXPECT_EQ(headless_form_shown(WIN_TIME, "hour"), 2.0f);
}
