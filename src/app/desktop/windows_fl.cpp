// The numbered windows on FLTK: the main window with its menu bar and drawing area, the settings
// windows, each with a GL context of its own (all sharing their textures), their placement, the
// mouse and the keys, which reach the simulator whichever of its windows has the focus.
#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Window.H>

#include <cstdint>

#include "app/desktop/desktop.h"
#include "app/desktop/ogl_gl.h"
#include "app/form.h"
#include "app/macibm.h"

enum { MENU_BAR_H = 25, MAX_SIDE = 4096 };

// The toolkit delivers drawing and input to a window through the two methods a GL window must
// override; they hand over to the free functions below at once.
struct gl_window : Fl_Gl_Window {
  int index;
  gl_window(int x, int y, int w, int h, int i) : Fl_Gl_Window(x, y, w, h), index(i) {}
  void draw() override;
  int handle(int event) override;
};

static gl_window* gl[MAX_WINDOWS];
static Fl_Window* main_top;       // the main window's frame: menu bar above the drawing area
static int program_current = -1;  // the window the program draws into

int desktop_window_index(const void* handle) {
  if (!handle) return -1;
  for (int w = 0; w < MAX_WINDOWS; w++)
    if (mnw.up[w] && mnw.wind[w] == handle) return w;
  return -1;
}

// Client size of window w as it can be created: the table's size, at least one pixel each way
// (a window of no size cannot exist on X11) and at most 4096.
static void desktop_window_size(int w, int* dx, int* dy) {
  int x = w >= 0 && w < MAX_WINDOWS ? mnw.dx[w] : 1;
  int y = w >= 0 && w < MAX_WINDOWS ? mnw.dy[w] : 1;
  *dx = x < 1 ? 1 : (x > MAX_SIDE ? MAX_SIDE : x);
  *dy = y < 1 ? 1 : (y > MAX_SIDE ? MAX_SIDE : y);
}

// ---- Drawing ---------------------------------------------------------------------------------

static void make_current_hook(int w) {
  if (w >= 0 && w < MAX_WINDOWS && gl[w] && gl[w]->shown()) gl[w]->make_current();
}

static void swap_hook(int w) {
  if (w >= 0 && w < MAX_WINDOWS && gl[w] && gl[w]->shown()) gl[w]->swap_buffers();
}

void desktop_restore_current() {
  if (program_current >= 0) make_current_hook(program_current);
}

// The window's picture is kept off screen, so an exposed window only needs it copied; the program
// is still told, as it would be by the window system, so that it can redraw what it wants.
void gl_window::draw() {
  ogl_gl_blit_window(index);
  desktop_post_paint(index);
}

// ---- Input -----------------------------------------------------------------------------------

// Mouse events of a window that has left the table are dropped.
int gl_window::handle(int event) {
  const int w = desktop_window_index(this);
  switch (event) {
    case FL_ENTER:
    case FL_LEAVE:
      return 1;  // so that moves without a button are delivered
    case FL_MOVE:
    case FL_DRAG:
      if (w >= 0) macibm_event_mouse_move(w, Fl::event_x(), Fl::event_y());
      return 1;
    case FL_PUSH:
      if (w >= 0 && (Fl::event_button() == FL_LEFT_MOUSE || Fl::event_button() == FL_RIGHT_MOUSE)) {
        macibm_event_mouse_move(w, Fl::event_x(), Fl::event_y());
        macibm_event_button_down(w);
      }
      return 1;
    case FL_RELEASE:
      if (Fl::event_button() == FL_LEFT_MOUSE || Fl::event_button() == FL_RIGHT_MOUSE)
        macibm_event_button_up();
      return 1;
    default:
      return Fl_Gl_Window::handle(event);
  }
}

// A settings window's keys are its widgets' (typing a value, moving between fields).
static bool is_program_window(const Fl_Window* win) {
  if (!win) return false;
  if (win == main_top) return true;
  int w = desktop_window_index(win);
  return w >= 0 && !form_of(w);
}

static void deliver_key(const desktop_key& k) {
  switch (k.kind) {
    case KEY_CHAR:
      macibm_event_key(static_cast<char>(k.value));
      break;
    case KEY_FUNCTION:
      macibm_event_function(k.value);
      break;
    case KEY_YOKE:
      macibm_event_yoke(k.value);
      break;
    case KEY_FREEVIEW:
      macibm_event_freeview(k.value);
      break;
    case KEY_MENU_BAR:
      desktop_menu_bar_open();
      break;
    case KEY_NONE:
      break;
  }
}

// Every key pressed in one of the program's windows goes to the simulator before the toolkit sees
// it, so that no widget takes it for navigation and Escape closes nothing. Keys held with Alt,
// and keys of menus, dialogs and boxes (another window, a grab or a modal window), are the
// toolkit's.
static int dispatch(int event, Fl_Window* win) {
  if (event == FL_KEYDOWN && !Fl::grab() && !Fl::modal() && is_program_window(win) &&
      !Fl::event_state(FL_ALT)) {
    deliver_key(desktop_translate_key(Fl::event_key(), Fl::event_state(FL_SHIFT) ? 1 : 0));
    return 1;
  }
  return Fl::handle_(event, win);
}

// The close box of a settings window closes it through the program; the main window's leaves
// the program through File > Exit, so that the preferences are saved. Escape closes nothing.
static void close_callback(Fl_Widget* widget, void* data) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  desktop_post_close(static_cast<int>(reinterpret_cast<std::intptr_t>(data)));
}

void desktop_windows_init() {
  Fl::event_dispatch(dispatch);
  ogl_gl_make_current = make_current_hook;
  ogl_gl_swap = swap_hook;
}

// ---- Window table ----------------------------------------------------------------------------

// The main window is centred on the screen; the others keep their place relative to it, so that
// a settings window opens over the main window as it would on an 800 x 600 screen.
static void place(int w, int dx, int dy, int* sx, int* sy) {
  if (w == 0) {
    *sx = (Fl::w() - dx) / 2;
    *sy = (Fl::h() - dy - MENU_BAR_H) / 2;
    if (*sx < 0) *sx = 0;
    if (*sy < 0) *sy = 0;
    return;
  }
  int ox = main_top ? main_top->x() : 0, oy = main_top ? main_top->y() : 0;
  *sx = ox + (mnw.x[w] - mnw.x[0]);
  *sy = oy + (mnw.y[w] - mnw.y[0]);
}

static const int gl_mode = FL_RGB8 | FL_DOUBLE | FL_DEPTH;

int backend_create_window(int w) {
  int dx, dy, sx, sy;
  desktop_window_size(w, &dx, &dy);
  if (!Fl_Gl_Window::can_do(gl_mode)) return 2;
  place(w, dx, dy, &sx, &sy);
  gl_window* g;
  if (w == 0) {
    main_top = new Fl_Window(sx, sy, dx, dy + MENU_BAR_H);
    main_top->copy_label(mnw.windowname[0]);
    main_top->callback(close_callback, nullptr);
    desktop_menu_bar_create(0, 0, dx, MENU_BAR_H);
    g = new gl_window(0, MENU_BAR_H, dx, dy, 0);
    main_top->end();
    main_top->size_range(dx, dy + MENU_BAR_H, dx, dy + MENU_BAR_H);
  } else {
    g = new gl_window(sx, sy, dx, dy, w);
    g->end();
    g->copy_label(mnw.windowname[w]);
    g->callback(close_callback, reinterpret_cast<void*>(static_cast<std::intptr_t>(w)));
    g->size_range(dx, dy, dx, dy);
  }
  if (g->mode(gl_mode) == 0) {
    if (w == 0) {
      desktop_menu_bar_gone();
      delete main_top;
      main_top = nullptr;
    } else {
      delete g;
    }
    return 3;
  }
  gl[w] = g;
  mnw.wind[w] = g;
  Fl_Window* top = w == 0 ? main_top : g;
  top->show();
  if (!top->shown()) return 1;
  // The start-up picture and progress bar are drawn before the loop runs: the window must be on
  // the screen for them to be seen.
  top->wait_for_expose();
  g->make_current();
  if (!g->context()) return 3;
  mnw.wgl_ctx[w] = g->context();
  return 0;
}

void backend_make_current(int w, int raise) {
  if (!gl[w] || !gl[w]->shown()) return;
  if (raise) (w == 0 ? static_cast<Fl_Window*>(main_top) : gl[w])->show();
  gl[w]->make_current();
  int dx, dy;
  desktop_window_size(w, &dx, &dy);
  ogl_gl_select_window(w, dx, dy);
  program_current = w;
}

void backend_destroy_window(int w) {
  gl_window* g = gl[w];
  if (!g) return;
  if (g->shown()) {
    g->make_current();
    ogl_gl_release_window(w);
  }
  gl[w] = nullptr;
  if (w == 0) {
    desktop_menu_bar_gone();
    main_top->hide();
    Fl::delete_widget(main_top);
    main_top = nullptr;
  } else {
    g->hide();
    Fl::delete_widget(g);
  }
  if (program_current == w)
    program_current = -1;
  else
    desktop_restore_current();
}

void backend_invalidate(int w) { desktop_post_paint(w); }

void backend_set_title(int w) {
  if (w == 0 && main_top)
    main_top->copy_label(mnw.windowname[0]);
  else if (gl[w])
    gl[w]->copy_label(mnw.windowname[w]);
}

void desktop_windows_shutdown() {
  for (int w = 0; w < MAX_WINDOWS; w++)
    if (gl[w]) backend_destroy_window(w);
  Fl::do_widget_deletion();
  program_current = -1;
}
