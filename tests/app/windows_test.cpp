// The window table: placement, creation and destruction, handle look-up, the bound checks with
// their texts, and the mouse and button events.
#include "app_fixture.h"

class AppWindows : public AppTest {};

TEST_F(AppWindows, WindowsAreCentredAndTheMainWindowMovesUpAndLeft) {
  set_win_params(8, "Set Data Output", 620, 400);
  EXPECT_STREQ(mnw.windowname[8], "Set Data Output");
  EXPECT_EQ(mnw.x[8], 87);  // (800 - 620) / 2 - 3
  EXPECT_EQ(mnw.y[8], 100);
  set_win_params(0, "Kestrix", 800, 580);
  EXPECT_EQ(mnw.x[0], -6);
  EXPECT_EQ(mnw.y[0], 1);
}

TEST_F(AppWindows, WindowsLiveFromStartUntilKilledOrClosed) {
  static int zapped;
  zapped = -1;
  macibm_zap_hook = [](int w) { zapped = w; };
  MACIBM_startwind(0, 0);
  MACIBM_startwind(12, 1);
  EXPECT_EQ(mnw.up[12], 1);
  EXPECT_EQ(mnw.dragging_index, 12);
  EXPECT_EQ(get_win_index(mnw.wind[12]), 12);
  void* handle = mnw.wind[12];
  MACIBM_killwind(12);
  EXPECT_EQ(mnw.up[12], 0);
  EXPECT_EQ(get_win_index(handle), 0);
  EXPECT_EQ(zapped, -1);  // killing is not the user closing it

  MACIBM_startwind(5, 0);
  MACIBM_handlezap(5);
  EXPECT_EQ(mnw.up[5], 0);
  EXPECT_EQ(zapped, 5);

  MACIBM_killwind(0);
  MACIBM_startwind(3, 0);
  EXPECT_EQ(get_win_index(mnw.wind[3]), 0);  // no main window
}

TEST_F(AppWindows, WindowIndexesOutsideTheTableAreFatalWithTheirTexts) {
  struct call {
    void (*run)(int);
    const char* text;
  };
  const call calls[] = {
      {[](int w) { MACIBM_invalwind(w); }, "Invalwind out of bounds"},
      {[](int w) { MACIBM_startwind(w, 0); }, "MACIBM_startwind out of bounds"},
      {[](int w) { MACIBM_handlezap(w); }, "zapwin out of bounds"},
      {[](int w) { MACIBM_killwind(w); }, "killwin out of bounds"},
      {[](int w) { set_win_params(w, "x", 10, 10); }, "Whoa! set_win_params out of bounds!"},
  };
  for (const call& c : calls) {
    for (int w : {62, -1}) {
      EXPECT_FATAL_ALERT(c.run(w));
      EXPECT_EQ(last_alert().line[0], c.text);
      EXPECT_EQ(last_alert().line[3], std::to_string(w));
    }
  }
  MACIBM_startwind(61, 0);  // the last index is a window like any other
  EXPECT_EQ(mnw.up[61], 1);
  EXPECT_FATAL_ALERT(macibm_event_paint(-3));
  EXPECT_EQ(last_alert().line[0], "win ind<0!");
  EXPECT_FATAL_ALERT(macibm_event_mouse_move(62, 0, 0));
  EXPECT_EQ(last_alert().line[0], "win ind>=max!");
}

TEST_F(AppWindows, MouseRowsCountUpFromTheBottomRowAndClicksTakeTheWindow) {
  static int clicked;
  clicked = -1;
  macibm_click_hook = [](int w) { clicked = w; };
  set_win_params(10, "Set Time Of Day", 691, 147);
  macibm_event_mouse_move(10, 5, 146);  // bottom row, counted from the top
  EXPECT_EQ(mnw.my, 0);
  macibm_event_mouse_move(10, 5, 0);
  EXPECT_EQ(mnw.my, 146);
  EXPECT_EQ(mnw.mx, 5);
  mnw.dragtime = 3.0f;
  macibm_event_button_down(10);
  EXPECT_EQ(mnw.up[10], 1);
  EXPECT_EQ(mnw.mousedown, 1);
  EXPECT_EQ(mnw.dragtime, 0.0f);
  EXPECT_EQ(mnw.dragging_index, 10);
  EXPECT_EQ(clicked, 10);
  macibm_event_button_up();
  EXPECT_EQ(mnw.mousedown, 0);
}
