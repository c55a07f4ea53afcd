// Set-up shared by the desktop tests that open windows: the display opened once, empty window and
// menu tables (the test support clears the handlers), every window closed after each test.
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
    desktop_clear_events();
    set_win_params(0, "Kestrix", 800, 580);
  }
  void TearDown() override {
    for (int w = 0; w < MAX_WINDOWS; w++)
      if (mnw.up[w]) MACIBM_killwind(w);
    Fl::check();
    desktop_clear_events();
  }
  static void open_main_window() {
    MACIBM_startwind(0, 0);
    ASSERT_EQ(mnw.up[0], 1);
  }
};
