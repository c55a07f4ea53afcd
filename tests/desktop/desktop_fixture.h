// Set-up shared by the desktop tests that open windows: the display opened once, an empty window
// table and menu table, no program handlers, and every window closed again after each test.
#pragma once

#include <FL/Fl.H>

#include "app/desktop/desktop.h"
#include "app/macibm.h"
#include "support/test_support.h"

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(backend_init(), 1) << "no X display: run under xvfb-run";
    reset_mnw();
    macibm_clear_menus();
    clear_hooks();
    desktop_clear_events();
    set_win_params(0, "Kestrix", 800, 580);
  }
  void TearDown() override {
    for (int w = 0; w < MAX_WINDOWS; w++)
      if (mnw.up[w]) MACIBM_killwind(w);
    Fl::check();
    desktop_clear_events();
    clear_hooks();
  }
  static void clear_hooks() {
    macibm_menu_hook = nullptr;
    macibm_key_hook = nullptr;
    macibm_function_hook = nullptr;
    macibm_yoke_hook = nullptr;
    macibm_freeview_hook = nullptr;
    macibm_click_hook = nullptr;
    macibm_paint_hook = nullptr;
    macibm_zap_hook = nullptr;
    macibm_hold_sounds_hook = nullptr;
    macibm_resume_sounds_hook = nullptr;
  }
  static void open_main_window() {
    MACIBM_startwind(0, 0);
    ASSERT_EQ(mnw.up[0], 1);
  }
};
