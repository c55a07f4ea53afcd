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
#include "shared/shared.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include <FL/x.H>
#include <X11/Xatom.h>

enum { MENU_BAR_H = 25, MAX_SIDE = 4096, MIN_SIDE = 40 };

// The toolkit delivers drawing, input and new sizes to a window through the methods a GL window
// overrides; they hand over to the free functions below at once.
struct gl_window : Fl_Gl_Window {
  int index;
  gl_window(int x, int y, int w, int h, int i) : Fl_Gl_Window(x, y, w, h), index(i) {}
  void draw() override;
  void flush() override;
  int handle(int event) override;
  void resize(int x, int y, int w, int h) override;
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

// Client size of window w as it can be created: the size the table opens it at, at least one
// pixel each way (a window of no size cannot exist on X11) and at most 4096.
static void desktop_window_size(int w, int* dx, int* dy) {
  int x = w >= 0 && w < MAX_WINDOWS ? mnw.wdx[w] : 1;
  int y = w >= 0 && w < MAX_WINDOWS ? mnw.wdy[w] : 1;
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

static void swap_rect_hook(int w, int x, int y, int dx, int dy) {
  if (w >= 0 && w < MAX_WINDOWS && gl[w] && gl[w]->shown()) ogl_gl_copy_sub_buffer(x, y, dx, dy);
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

// A window whose back buffer is its picture is shown by copying it, never swapped: a swap would
// leave the back buffer, and with it the picture, undefined.
void gl_window::flush() {
  if (!ogl_gl_window_direct(index)) {
    Fl_Gl_Window::flush();
    return;
  }
  make_current();
  ogl_gl_show_window(index);
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
    case KEY_FULLSCREEN:
      MACIBM_fullscreen(mnw.main_state != MAIN_FULL_SCREEN);
      break;
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
    const int shift = Fl::event_state(FL_SHIFT) ? 1 : 0;
    // Ctrl + F11 is the lever command F11 alone gives up to full screen.
    if (Fl::event_key() == FL_F + 11 && !shift && Fl::event_state(FL_CTRL))
      macibm_event_function(29);
    else
      deliver_key(desktop_translate_key(Fl::event_key(), shift));
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
  ogl_gl_swap_rect = swap_rect_hook;
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
  // Every window may be resized, the main one maximised and put in full screen: the drawing
  // follows the window's size.
  if (w == 0) {
    main_top = new Fl_Window(sx, sy, dx, dy + MENU_BAR_H);
    main_top->copy_label(mnw.windowname[0]);
    main_top->callback(close_callback, nullptr);
    desktop_menu_bar_create(0, 0, dx, MENU_BAR_H);
    g = new gl_window(0, MENU_BAR_H, dx, dy, 0);
    main_top->end();
    main_top->resizable(g);
    main_top->size_range(MIN_SIDE, MIN_SIDE + MENU_BAR_H);
  } else {
    g = new gl_window(sx, sy, dx, dy, w);
    g->end();
    g->copy_label(mnw.windowname[w]);
    g->callback(close_callback, reinterpret_cast<void*>(static_cast<std::intptr_t>(w)));
    g->resizable(g);
    g->size_range(MIN_SIDE, MIN_SIDE);
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

// The picture drawn into is always the size the window has now.
void backend_make_current(int w, int raise) {
  if (!gl[w] || !gl[w]->shown()) return;
  if (raise) (w == 0 ? static_cast<Fl_Window*>(main_top) : gl[w])->show();
  gl[w]->make_current();
  ogl_gl_select_window(w, gl[w]->w(), gl[w]->h());
  program_current = w;
}

// A new size is the table's at once, so that the next click and the next frame use it; the program
// draws the window again after the toolkit's dispatch.
void gl_window::resize(int x, int y, int w, int h) {
  const bool changed = w != this->w() || h != this->h();
  Fl_Gl_Window::resize(x, y, w, h);
  if (!changed || desktop_window_index(this) != index) return;
  if (index == 0 && mnw.main_state != MAIN_FULL_SCREEN)
    mnw.main_state = desktop_main_maximised() ? MAIN_MAXIMISED : MAIN_NORMAL;
  macibm_event_resize(index, w, h);
  desktop_post_paint(index);
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

// ---- Screen and the main window's state ----------------------------------------------------

void backend_screen(int* w, int* h, float* dpi) {
  int x = 0, y = 0;
  const int n = main_top ? Fl::screen_num(main_top->x(), main_top->y()) : 0;
  Fl::screen_work_area(x, y, *w, *h, n);
  float dh = 0.0f, dv = 0.0f;
  Fl::screen_dpi(dh, dv, n);
  *dpi = 0.5f * (dh + dv);
}

static Atom atom(const char* name) { return XInternAtom(fl_display, name, False); }

// Maximised is the window manager's: both of its maximised marks in the frame's _NET_WM_STATE,
// as the desktop's conventions keep them.
int desktop_main_maximised() {
  if (!main_top || !main_top->shown()) return 0;
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(fl_display, fl_xid(main_top), atom("_NET_WM_STATE"), 0, 32, False, XA_ATOM,
                         &type, &format, &n, &after, &data) != Success ||
      !data)
    return 0;
  const Atom vert = atom("_NET_WM_STATE_MAXIMIZED_VERT"),
             horz = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
  int marks = 0;
  for (unsigned long k = 0; k < n; k++) {
    const Atom a = reinterpret_cast<const Atom*>(data)[k];
    marks += a == vert || a == horz;
  }
  XFree(data);
  return marks == 2;
}

// A window manager that follows the desktop's conventions names its own check window on the root
// window; only then is there anybody to ask for maximised or full screen.
static bool window_manager_here() {
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  const bool here = XGetWindowProperty(fl_display, RootWindow(fl_display, fl_screen),
                                       atom("_NET_SUPPORTING_WM_CHECK"), 0, 1, False, XA_WINDOW,
                                       &type, &format, &n, &after, &data) == Success &&
                    data && n == 1;
  if (data) XFree(data);
  return here;
}

static void ask_maximised(int on) {
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = fl_xid(main_top);
  e.xclient.message_type = atom("_NET_WM_STATE");
  e.xclient.format = 32;
  e.xclient.data.l[0] = on ? 1 : 0;  // add or remove
  e.xclient.data.l[1] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
  e.xclient.data.l[2] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
  e.xclient.data.l[3] = 1;  // asked by the program itself
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// Without a window manager there is nobody to ask: full screen and maximised are then the frame
// made as large as the screen or its work area. The toolkit's own full screen without one hides
// and shows the window again, which would take its GL context and every texture with it.
static int plain_full_screen = 0;
static int before_full_x = 0, before_full_y = 0;

void backend_main_window(int w, int h, int state) {
  if (!main_top || !main_top->shown()) return;
  const bool manager = window_manager_here();
  int x = main_top->x(), y = main_top->y();
  const int n = Fl::screen_num(x, y);
  int sx, sy, sw, sh;
  if (state == MAIN_FULL_SCREEN) {
    if (manager) {
      main_top->fullscreen();
    } else if (!plain_full_screen) {
      plain_full_screen = 1;
      before_full_x = x, before_full_y = y;
      Fl::screen_xywh(sx, sy, sw, sh, n);
      main_top->resize(sx, sy, sw, sh);
    }
    return;
  }
  if (main_top->fullscreen_active()) main_top->fullscreen_off();
  if (plain_full_screen) {
    plain_full_screen = 0;
    x = before_full_x, y = before_full_y;
  }
  if (manager) ask_maximised(0);
  Fl::screen_work_area(sx, sy, sw, sh, n);
  if (state == MAIN_MAXIMISED && !manager) {
    main_top->resize(sx, sy, sw, sh);
    return;
  }
  // The frame stays where it was as far as the work area lets it.
  const int fw = intlim(w, MIN_SIDE, sw), fh = intlim(h + MENU_BAR_H, MIN_SIDE, sh);
  x = intlim(x, sx, sx + sw - fw);
  y = intlim(y, sy, sy + sh - fh);
  main_top->resize(x, y, fw, fh);
  if (state == MAIN_MAXIMISED) ask_maximised(1);
}
