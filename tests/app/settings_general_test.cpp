// The time of day window: the clock wraps at midnight whichever way it is set (the held buttons'
// repeat is the form kit's, tested with the kit), the rendering options' scale, and failures
// mended from the reliability windows.
#include "app_fixture.h"

#include "app/settings.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "sound/sound.h"

class AppSettingsGeneral : public AppTest {};

TEST_F(AppSettingsGeneral, TimeOfDayWrapsAtMidnightWhicheverWayItIsSet) {
  msc.locl_time = 23.5f * 3600.0f;
  flt.lon = -117.0f, flt.clock_zone = 0;  // eight hours behind UTC
  APPLICATION_handlemenu(404);
  headless_form_set(WIN_TIME, "hour", 25.0f);  // typed past midnight
  EXPECT_FLOAT_EQ(msc.locl_time, 1.5f * 3600.0f);
  headless_form_set(WIN_TIME, "minute", -10.0f);
  EXPECT_FLOAT_EQ(msc.locl_time, 3600.0f + 50.0f * 60.0f);
  msc.locl_time = 23.5f * 3600.0f;
  headless_form_press(WIN_TIME, "on_hour");
  headless_form_release();
  EXPECT_FLOAT_EQ(msc.locl_time, 0.5f * 3600.0f);
  EXPECT_EQ(headless_form_shown(WIN_TIME, "hour"), 0.0f);
  EXPECT_EQ(headless_form_text(WIN_TIME, "zulu"), "Universal time 08:30");
}

// The rendering options' scale is the View menu's: a choice in the window is the scale in force,
// with the menu's check mark on it, and a scale set by hand shows as the nearest offered.
TEST_F(AppSettingsGeneral, TheRenderingScaleIsTheViewMenusScale) {
  APPLICATION_setupmenus();
  APPLICATION_handlemenu(405);
  headless_form_set(WIN_RENDERING, "scale", 3.0f);
  EXPECT_EQ(mnw.ui_scale, 200);
  EXPECT_TRUE(macibm_find_menu_item(6, VIEW_SCALE_200)->checked);
  EXPECT_FALSE(macibm_find_menu_item(6, VIEW_SCALE_AUTO)->checked);
  APPLICATION_handlemenu(VIEW_SCALE_AUTO);
  APPLICATION_handlemenu(405);
  EXPECT_EQ(headless_form_shown(WIN_RENDERING, "scale"), 0.0f);
  mnw.ui_scale = 180;
  APPLICATION_handlemenu(405);
  EXPECT_EQ(headless_form_shown(WIN_RENDERING, "scale"), 3.0f);
}

// The stall horn loops on its own while the stall lasts; sound switched off while it sounds must
// silence it, for stopping it at the stall's end is no longer heard by a switched-off device.
// The controller's voice switched off goes silent at once, not after what it had queued.
TEST_F(AppSettingsGeneral, SoundOrVoiceSwitchedOffSilencesTheStallHornOrTheController) {
  load_silent_sound(SND_STALL);
  play_buffer(SND_STALL, 1);
  APPLICATION_handlemenu(422);
  headless_form_set(WIN_SOUND, "sound", 0.0f);
  EXPECT_NE(headless_sound_slot(SND_STALL).state, SOUND_PLAYING);
  // Switched on again, it sounds again once the flight goes on, the stall lasting.
  headless_form_set(WIN_SOUND, "sound", 1.0f);
  EXPECT_NE(headless_sound_slot(SND_STALL).state, SOUND_PLAYING);
  const short words[4] = {1, 2, 3, 4};
  msc.speech_avail = atc.voice_out = 1;
  MACIBM_stream_queue(words, 4, 22050);
  headless_form_set(WIN_SOUND, "voice", 0.0f);
  EXPECT_EQ(MACIBM_stream_playing(), 0);
  headless_post_close(WIN_SOUND);
  msc.paused = 1;
  loop_pass();
  EXPECT_EQ(headless_sound_slot(SND_STALL).state, SOUND_PLAYING);
}

// A failure lasts until the pilot chooses that item's schedule again (every engine's for a
// per-engine item); the reset to random failures mends every item.
TEST_F(AppSettingsGeneral, ChoosingHowAnItemFailsMendsIt) {
  rel.fail_type[9] = 3, rel.engine[1] = rel.ss_asi = rel.vacuum = rel.lagear[2] = 0;
  rel.phi_fail_err = 12;
  APPLICATION_handlemenu(420);
  headless_form_set(WIN_EQUIPMENT, "type", 0.0f, 0);  // the engine, only at random
  EXPECT_EQ(rel.fail_type[9], 1);
  EXPECT_EQ(rel.engine[1], 1);
  APPLICATION_handlemenu(419);
  headless_form_set(WIN_INSTRUMENTS, "type", 1.0f, 1);  // the airspeed, after a mean time
  EXPECT_EQ(rel.ss_asi, 1);
  EXPECT_EQ(rel.vacuum + rel.lagear[2], 0);  // the others stay failed
  APPLICATION_handlemenu(418);
  headless_form_press(WIN_RELIABILITY, "all_random");
  headless_form_release();
  EXPECT_EQ(rel.vacuum + rel.lagear[2], 2);
  EXPECT_EQ(rel.phi_fail_err, 0);
}
