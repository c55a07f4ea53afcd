// The numbered windows on the desktop: titles and sizes, shared textures, keys from any window,
// the mouse counted from the bottom row, events of windows that left the table, closing, paints
// asked for twice, the display-mode check that leaves the screen be, and typed numbers.
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Value_Input.H>
#include <GL/gl.h>

#include <string>
#include <vector>

#include "app/form.h"
#include "app/settings.h"
#include "desktop_fixture.h"
#include "render/ogl.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include <FL/x.H>

class DesktopWindows : public DesktopTest {
 protected:
  // The main window and the time-of-day window 10 over it.
  static void open_time_window(int drag) {
    open_main_window();
    set_win_params(10, "Set Time Of Day", 691, 147);
    MACIBM_startwind(10, drag);
  }
};

namespace {
std::vector<std::string> got;  // what reached the program's handlers, in order
}

static Fl_Gl_Window* gl_of(int w) { return static_cast<Fl_Gl_Window*>(mnw.wind[w]); }
static std::vector<int> size_of(int w) { return {gl_of(w)->w(), gl_of(w)->h()}; }

static void record_input() {
  got.clear();
  macibm_key_hook = [](char c) { got.push_back("key " + std::to_string(c)); };
  macibm_function_hook = [](int n) { got.push_back("function " + std::to_string(n)); };
  macibm_yoke_hook = [](int k) { got.push_back("yoke " + std::to_string(k)); };
  macibm_freeview_hook = [](int k) { got.push_back("freeview " + std::to_string(k)); };
  macibm_click_hook = [](int w) { got.push_back("click " + std::to_string(w)); };
  macibm_zap_hook = [](int w) { got.push_back("zap " + std::to_string(w)); };
  macibm_menu_hook = [](int id) { got.push_back("menu " + std::to_string(id)); };
}

static void press(Fl_Window* win, int fl_key, int state) {
  Fl::e_keysym = fl_key;
  Fl::e_state = state;
  Fl::handle(FL_KEYDOWN, win);
}

static void mouse(Fl_Window* win, int event, int button, int x, int y) {
  Fl::e_x = x;
  Fl::e_y = y;
  Fl::e_keysym = FL_Button + button;
  Fl::handle(event, win);
}

TEST_F(DesktopWindows, WindowsOpenWithTheirTitlesAndClientSizes) {
  open_time_window(1);
  ASSERT_EQ(mnw.up[10], 1);
  EXPECT_EQ(size_of(0), (std::vector<int>{800, 580}));
  EXPECT_STREQ(gl_of(0)->top_window()->label(), "Kestrix");
  EXPECT_GT(gl_of(0)->top_window()->h(), 580);  // the menu bar is above the drawing area
  EXPECT_EQ(size_of(10), (std::vector<int>{691, 147}));
  EXPECT_STREQ(gl_of(10)->label(), "Set Time Of Day");
  EXPECT_EQ(get_win_index(mnw.wind[10]), 10);

  set_win_title(10, "Set Time Of Day (paused)");
  EXPECT_STREQ(gl_of(10)->label(), "Set Time Of Day (paused)");
  // A window whose size was never set still opens, as the smallest window there is.
  MACIBM_startwind(3, 0);
  ASSERT_EQ(mnw.up[3], 1);
  EXPECT_EQ(size_of(3), (std::vector<int>{1, 1}));
}

TEST_F(DesktopWindows, EveryWindowSeesTheTexturesLoadedInAnother) {
  open_main_window();
  const unsigned char red[4 * 4] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  ogl_be_bind_texture(7);
  ogl_be_texture_level(0, 2, 2, red);
  set_win_params(12, "Set Weather Space", 197, 84);
  MACIBM_startwind(12, 0);
  ASSERT_NE(mnw.wgl_ctx[12], mnw.wgl_ctx[0]);
  EXPECT_EQ(glIsTexture(8), GL_TRUE);  // texture 7 is GL name 8
  EXPECT_EQ(glIsTexture(9), GL_FALSE);
}

TEST_F(DesktopWindows, KeysReachTheSimulatorFromAnyWindowAndEscapeClosesNothing) {
  open_time_window(1);
  record_input();
  Fl_Window* main_frame = gl_of(0)->top_window();
  press(main_frame, 'q', 0);
  press(gl_of(10), 'q', FL_SHIFT);
  press(gl_of(10), FL_F + 1, FL_SHIFT);
  press(main_frame, FL_KP + '5', 0);
  press(gl_of(10), FL_Up, 0);
  press(gl_of(10), FL_Escape, 0);
  press(main_frame, 'f', FL_ALT);  // the menu bar's, not the simulator's
  MACIBM_dispatch_events();
  EXPECT_EQ(got, (std::vector<std::string>{"key 113", "key 81", "function 31", "yoke 0",
                                           "freeview 27", "key 27"}));
  EXPECT_EQ(mnw.up[10], 1);
  EXPECT_TRUE(gl_of(10)->shown());
}

TEST_F(DesktopWindows, MouseRowsCountFromTheBottomAndStrayEventsAreDropped) {
  open_time_window(0);
  record_input();
  mouse(gl_of(10), FL_PUSH, 1, 5, 146);
  // x, y (row 0 is the bottom row), button down, window dragged.
  EXPECT_EQ((std::vector<int>{mnw.mx, mnw.my, mnw.mousedown, mnw.dragging_index}),
            (std::vector<int>{5, 0, 1, 10}));
  mouse(gl_of(10), FL_DRAG, 1, 7, 0);
  EXPECT_EQ(mnw.my, 146);
  mouse(gl_of(10), FL_RELEASE, 1, 7, 0);
  EXPECT_EQ(mnw.mousedown, 0);
  mouse(gl_of(10), FL_PUSH, 2, 5, 5);  // the middle button clicks nothing
  EXPECT_EQ(got, (std::vector<std::string>{"click 10"}));

  // A click that reaches a window after it left the table is nobody's, least of all the main
  // window's.
  Fl_Gl_Window* gone = gl_of(10);
  MACIBM_killwind(10);
  EXPECT_EQ(desktop_window_index(gone), -1);
  Fl::e_keysym = FL_Button + 1;
  gone->handle(FL_PUSH);
  EXPECT_EQ(got, (std::vector<std::string>{"click 10"}));
  EXPECT_EQ(mnw.mousedown, 0);
}

TEST_F(DesktopWindows, ClosingASettingsWindowZapsItAndClosingTheMainWindowIsExit) {
  open_time_window(0);
  record_input();
  Fl::e_number = FL_CLOSE;
  gl_of(10)->do_callback();
  gl_of(0)->top_window()->do_callback();
  EXPECT_TRUE(got.empty());  // both wait for the dispatch
  MACIBM_dispatch_events();
  EXPECT_EQ(got, (std::vector<std::string>{"zap 10", "menu 206"}));
  EXPECT_EQ(mnw.up[10], 0);
  EXPECT_EQ(mnw.up[0], 1);
}

TEST_F(DesktopWindows, AWindowAskedTwiceForARedrawIsPaintedOnce) {
  open_time_window(0);
  Fl::check();
  desktop_clear_events();  // the paints of the first exposure
  record_input();
  macibm_paint_hook = [](int w) { got.push_back("paint " + std::to_string(w)); };
  MACIBM_invalwind(10);
  MACIBM_invalwind(10);
  MACIBM_invalwind(0);
  MACIBM_dispatch_events();
  EXPECT_EQ(got, (std::vector<std::string>{"paint 10", "paint 0"}));
}

// The root window's size and depth as the server has them now, not as the connection first
// saw them, and the main window's frame: place and size.
static std::vector<long> screen_and_frame() {
  Window root;
  int x, y;
  unsigned w, h, border, depth;
  XGetGeometry(fl_display, RootWindow(fl_display, fl_screen), &root, &x, &y, &w, &h, &border,
               &depth);
  const Fl_Window* f = gl_of(0)->top_window();
  return {w, h, depth, f->x(), f->y(), f->w(), f->h()};
}

// The desktop keeps its own display mode: asking for the simulator's mode or back for the
// desktop's succeeds at once, with no alert, and neither the screen nor the main window changes.
TEST_F(DesktopWindows, DisplayModeCheckSucceedsAndLeavesScreenAndWindowsAsTheyWere) {
  open_main_window();
  Fl::check();
  const std::vector<long> before = screen_and_frame();
  EXPECT_EQ(set_res(1), 1);
  EXPECT_EQ(set_res(0), 1);
  EXPECT_EQ(set_res(1), 1);
  Fl::check();
  EXPECT_EQ(screen_and_frame(), before);  // each value compared, none summed
  EXPECT_EQ((std::vector<int>{mnw.dx[0], mnw.dy[0]}), (std::vector<int>{800, 580}));
  EXPECT_TRUE(macibm_alert_log().empty());
}

// A value is typed as the user means it: a field shown without decimals does not swallow a typed
// decimal point ("3.4" is not 34), a whole-number record takes the nearest whole number, and a
// field emptied holds no number: a design value (strict) stays as it was rather than become 0.
TEST_F(DesktopWindows, TypedNumbersKeepTheirDecimalPointAndAnEmptiedOneIsNoZero) {
  static float speed = 0.0f;
  static int count = 0;
  static const form_field fields[] = {
      field_number("speed", "speed", "kt", &speed, 0.0f, 2000.0f, 1.0f, 0),
      with_flags(field_number("count", "count", nullptr, &count, 0, 9), FORM_STRICT),
  };
  static const form_window def = {fields, 2, nullptr, nullptr, nullptr};
  set_win_params(12, "Form", 300, 100);
  MACIBM_form_open(12, &def);
  std::vector<Fl_Value_Input*> inputs;
  Fl_Group* scroll = static_cast<Fl_Group*>(mnw.wind[12])->child(0)->as_group();
  for (int c = 0; c < scroll->children(); c++)
    if (auto* v = dynamic_cast<Fl_Value_Input*>(scroll->child(c))) inputs.push_back(v);
  ASSERT_EQ(inputs.size(), 2u);
  const auto type = [](Fl_Value_Input* v, const char* text) {
    Fl::focus(v);
    v->input.value("");
    for (const char* c = text; *c; c++) {
      const char k[2] = {*c, '\0'};
      Fl::e_keysym = *c == '\b' ? FL_BackSpace : k[0];
      Fl::e_text = const_cast<char*>(*c == '\b' ? "" : k);
      Fl::e_length = *c == '\b' ? 0 : 1;
      v->handle(FL_KEYBOARD);
    }
    Fl::e_keysym = FL_Enter;
    Fl::e_text = const_cast<char*>("\r");
    v->handle(FL_KEYBOARD);
    desktop_deliver_form_events();
  };
  type(inputs[0], "3.4");
  type(inputs[1], "3.4");
  EXPECT_FLOAT_EQ(speed, 3.4f);
  EXPECT_EQ(count, 3);
  type(inputs[1], "7\b");
  EXPECT_EQ(count, 3);
  EXPECT_STREQ(inputs[1]->input.value(), "3");
  // Emptied elsewhere it takes the floor, and shows it rather than stay blank.
  type(inputs[0], "12");
  type(inputs[0], "1\b");
  EXPECT_FLOAT_EQ(speed, 0.0f);
  EXPECT_STREQ(inputs[0]->input.value(), "0");
  // Typed and not entered when a menu command comes (Save): the command sees it.
  static float at_command = 0.0f;
  macibm_menu_hook = [](int) { at_command = speed; };
  Fl::focus(&inputs[0]->input);
  inputs[0]->input.value("60");
  inputs[0]->input.do_callback();
  desktop_post_menu(203);
  MACIBM_dispatch_events();
  EXPECT_FLOAT_EQ(at_command, 60.0f);
  // Typed and not entered when the window is closed: taken all the same.
  Fl::focus(&inputs[0]->input);
  inputs[0]->input.value("45");
  inputs[0]->input.do_callback();  // as each key typed does
  Fl::e_number = FL_CLOSE;
  static_cast<Fl_Window*>(mnw.wind[12])->do_callback();
  MACIBM_dispatch_events();
  EXPECT_EQ(mnw.up[12], 0);
  EXPECT_FLOAT_EQ(speed, 45.0f);
}

// Every settings window fits a screen of 1280 x 1024 whole, leaving room for the desktop's panels:
// a window wider than that had to be scrolled sideways to reach its last column.
TEST_F(DesktopWindows, EverySettingsWindowFitsAScreenOf1280By1024) {
  open_main_window();
  for (int w = 1; w < MAX_WINDOWS; w++) {
    open_settings_window(w);
    if (!mnw.up[w]) continue;
    const Fl_Window* win = static_cast<const Fl_Widget*>(mnw.wind[w])->top_window();
    EXPECT_LE(win->w(), 1280 - 60) << "window " << w;
    EXPECT_LE(win->h(), 1024 - 60) << "window " << w;
    MACIBM_killwind(w);
  }
}
