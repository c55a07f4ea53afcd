// Window sizes and the scale of their drawings: the main window's drawing stands on its bottom
// edge at the largest scale that fits (or the one chosen), the scale windows open at follows the
// screen's DPI, and sizes from a preferences file of any kind give a window that fits the screen.
#include "app_fixture.h"

#include "render/ogl.h"

class AppWindowLayout : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    set_win_params(0, "Kestrix", 800, 580);
    MACIBM_startwind(0, 0);
  }
};

TEST_F(AppWindowLayout, TheDrawingStandsOnTheBottomEdgeAtTheLargestScaleThatFits) {
  struct layout {
    int w, h, ui_scale;
    float scale;
    int ox, panel_top;
  };
  const layout layouts[] = {
      {800, 580, 0, 1.0f, 0, 333},
      {1920, 1055, 0, 1055.0f / 580.0f, 232, 606},  // the height decides; room beside the panel
      {1920, 1055, 100, 1.0f, 560, 333},            // a chosen scale is the largest taken
      {1024, 1400, 0, 1.28f, 0, 426},  // the width decides; the view takes the height left
      {400, 290, 0, 0.5f, 0, 167},
  };
  for (const layout& l : layouts) {
    MACIBM_set_ui_scale(l.ui_scale);
    macibm_event_resize(0, l.w, l.h);
    EXPECT_NEAR(mnw.scale[0], l.scale, 1e-4f) << l.w << "x" << l.h << " at " << l.ui_scale;
    EXPECT_EQ(mnw.ox[0], l.ox) << l.w << "x" << l.h << " at " << l.ui_scale;
    EXPECT_EQ(mnw.oy[0], 0);
    EXPECT_EQ(OGL_pixel_edge(mnw.scale[0], mnw.oy[0], 333), l.panel_top) << l.w << "x" << l.h;
  }
  // A window reported with no size is one pixel, with a scale to divide by.
  macibm_event_resize(0, 0, -5);
  macibm_event_mouse_move(0, 0, 0);
  EXPECT_TRUE(intrange(mnw.mx, 0, 799) && intrange(mnw.my, 0, 579)) << mnw.mx << "," << mnw.my;
}

TEST_F(AppWindowLayout, WindowsOpenAtTheScreensDpiInQuarterStepsOrAtTheChosenScale) {
  const float dpi[][2] = {{0, 1}, {50, 1}, {96, 1}, {120, 1.25f}, {150, 1.5f}, {400, 3}};
  for (const auto& d : dpi) {
    headless_set_screen(3840, 2160, d[0]);
    EXPECT_FLOAT_EQ(macibm_screen_scale(), d[1]) << d[0];
  }
  MACIBM_set_ui_scale(150);
  set_win_params(11, "Set Rendering Options", 600, 540);
  MACIBM_startwind(11, 0);
  EXPECT_EQ(mnw.wdx[11], 900);
  EXPECT_FLOAT_EQ(mnw.scale[11], 1.5f);
}

TEST_F(AppWindowLayout, AnySavedSizeGivesAWindowThatFitsTheScreenAndFullScreenComesBack) {
  headless_set_screen(1920, 1080, 192.0f);
  struct saved {
    int w, h, state;
    int want_w, want_h;
  };
  const saved cases[] = {
      {0, 0, MAIN_NORMAL, 1600, 1080},  // the default at the screen's scale, cut to the screen
      {100000, 2, MAIN_NORMAL, 1920, 120},
      {1280, 700, MAIN_MAXIMISED, 1920, 1080},
      {1280, 700, 9, 1280, 700},  // an unknown state is the normal one, and the size is kept
  };
  for (const saved& c : cases) {
    mnw.main_w = c.w, mnw.main_h = c.h, mnw.main_state = c.state;
    MACIBM_restore_main_window();
    EXPECT_EQ(mnw.wdx[0], c.want_w) << c.w << "x" << c.h;
    EXPECT_EQ(mnw.wdy[0], c.want_h) << c.w << "x" << c.h;
  }
  MACIBM_fullscreen(1);
  EXPECT_EQ(mnw.main_state, MAIN_FULL_SCREEN);
  EXPECT_EQ(mnw.wdx[0], 1920);
  EXPECT_EQ(mnw.wdy[0], 1080);
  MACIBM_fullscreen(0);
  EXPECT_EQ(mnw.main_state, MAIN_NORMAL);
  EXPECT_EQ(mnw.wdx[0], 1280);  // the normal size was kept through full screen
  EXPECT_EQ(mnw.wdy[0], 700);
}
