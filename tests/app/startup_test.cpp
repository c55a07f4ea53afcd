// The start-up: the standard atmosphere, the settings windows, the stars, the output selections,
// the flight path, the entry, and a whole headless run from the first start to File > Exit.
#include "app_fixture.h"

#include <cmath>

#include "aircraft/aircraft.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "weather/weather.h"
#include "world/world.h"

class AppStartup : public AppTest {};

TEST_F(AppStartup, InitgenFillsTablesWindowsStarsAndDefaults) {
  trk.close();
  headless_set_sound_device(0, 0);  // a machine without sound
  initgen();
  EXPECT_FLOAT_EQ(atm.hr[0][1], 0.0023769f * con.endtomed);
  EXPECT_NEAR(atm.hr[20][0], 200000.0f * 0.3048f, 1.0f);
  EXPECT_NEAR(atm.hr[21][0], 259000.0f * 0.3048f, 1.0f);
  EXPECT_EQ(atm.hr[21][1], 0.0f);
  EXPECT_EQ(mnw.dx[3], 0);  // the map is not registered here
  int below = 0;
  for (int s = 0; s < STARS; s++) {
    float r = std::sqrt(star_xyz[s][0] * star_xyz[s][0] + star_xyz[s][1] * star_xyz[s][1] +
                        star_xyz[s][2] * star_xyz[s][2]);
    ASSERT_NEAR(r, 1000.0f, 0.5f);
    if (star_xyz[s][1] < 0.0f) below++;
  }
  EXPECT_GT(below, 800);
  EXPECT_LT(below, 1200);
  EXPECT_EQ(env.apt_list_max, -999);
  EXPECT_TRUE(trk.is_open());
  EXPECT_EQ(last_alert().line[0], "Sound init failure!");
  EXPECT_EQ(msc.sound_avail, 0);
}

TEST_F(AppStartup, OutputSelectionsTakeTheFirstGroups) {
  for (int i = 0; i < DATA_GROUPS; i += 2) set.Brlt[i] = 1;
  set.Bgrf[50] = 1;
  grf.data[3][3][1799] = 5.0f;
  grf.cntr = 17;
  flt.dist = 99.0f;
  set_rlt_grf_choices();
  for (int k = 0; k < RLT_ROWS; k++) EXPECT_EQ(set.rltsel[k], 2 * k);
  EXPECT_EQ(set.grfsel[0], 50);
  EXPECT_EQ(set.grfsel[1], -1);
  EXPECT_EQ(set.rltout, 1);
  EXPECT_EQ(set.grfout, 1);
  EXPECT_EQ(set.dskout, 0);
  EXPECT_EQ(grf.data[3][3][1799], -999.0f);
  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(flt.dist, 0.0f);
}

TEST_F(AppStartup, ClearPathEmptiesTheRing) {
  pat.cntr_record = 4321;
  pat.inited[5999] = 1;
  clear_path();
  EXPECT_EQ(pat.cntr_record, 0);
  EXPECT_EQ(pat.inited[5999], 0);
}

TEST_F(AppStartup, SecondInstanceReturnsAtOnce) {
  int other;
  EXPECT_EQ(WinMain(nullptr, &other, "", 1), 0);
  EXPECT_EQ(mnw.up[0], 0);
}

// The program from its first start to File > Exit, with the user's part scripted: the aircraft
// dialog is answered, a number of frames run, and Exit ends the run through the fatal path.
TEST_F(AppStartup, FirstStartRunsFramesAndLeavesThroughExit) {
  static int passes;
  passes = 0;
  headless_pass_hook = [] {
    if (++passes == 200) headless_post_menu(206);
  };
  const std::string trainer = std::string(KESTRIX_RUNTIME_DIR) + "/aircraft/Trainer.acf";
  headless_queue_open_answer(trainer.c_str());
  ASSERT_EQ(MACIBM_init("Kestrix", 800, 580), 1);
  std::snprintf(prefs_path, sizeof prefs_path, "%s", scratch("run.prf").c_str());
  std::filesystem::remove(prefs_path);  // left by an earlier run
  start_world();
  EXPECT_EQ(mnw.ready_to_update, 1);
  EXPECT_STREQ(pln.C_path, trainer.c_str());
  EXPECT_TRUE(alert_shown("Welcome to Kestrix."));
  EXPECT_FATAL_ALERT(for (;;) loop_pass());
  EXPECT_EQ(passes, 200);
  EXPECT_EQ(loop_frames_run, 199);
  EXPECT_GT(loop_sim_seconds, 0.0);
  EXPECT_GE(msc.prd, PRD_FLOOR);
  EXPECT_LE(msc.prd, PRD_MAX);
  EXPECT_EQ(msc.cntr, 199);
  // Exit saves the preferences once the navigation lists of the region exist.
  EXPECT_GT(env.apt_list_max, -1);
  EXPECT_TRUE(std::filesystem::exists(prefs_path));
}
