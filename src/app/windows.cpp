// The window table mnw shared by both back ends: placement, creation, redraw and destruction of the
// numbered windows, their bound checks, and the translation of input events into mnw and the
// program's handlers.
#include "app/macibm.h"

#include "app/form.h"
#include "render/ogl.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

// The record is cleared in place, byte-wise, which is only sound while it stays plain data.
static_assert(std::is_trivially_copyable<menuwindowstruct>::value, "mnw must stay plain data");

menuwindowstruct mnw;

void reset_mnw() {
  reset_forms();
  std::memset(&mnw, 0, sizeof mnw);
}

void* active_inst = nullptr;
int active_windstyle = 0;

void (*macibm_setupmenus_hook)() = nullptr;
void (*macibm_menu_hook)(int id) = nullptr;
void (*macibm_key_hook)(char c) = nullptr;
void (*macibm_function_hook)(int n) = nullptr;
void (*macibm_yoke_hook)(int k) = nullptr;
void (*macibm_freeview_hook)(int k) = nullptr;
void (*macibm_click_hook)(int w) = nullptr;
void (*macibm_paint_hook)(int w) = nullptr;
void (*macibm_zap_hook)(int w) = nullptr;
void (*macibm_hold_sounds_hook)() = nullptr;
void (*macibm_resume_sounds_hook)() = nullptr;

// The fatal-with-value alert that names the call and the index it was given. Negative indexes are
// refused as well as those above 61: either would index the table outside its bounds.
static bool window_out_of_bounds(int w, const char* message) {
  if (w >= 0 && w < MAX_WINDOWS) return false;
  MACIBM_alert(message, "", "", reinterpret_cast<const char*>(&w), macibm_fatal_value_kind());
  return true;
}

void set_win_params(int w, const char* title, int dx, int dy) {
  if (window_out_of_bounds(w, "Whoa! set_win_params out of bounds!")) return;
  std::snprintf(mnw.windowname[w], sizeof mnw.windowname[w], "%s", title ? title : "");
  mnw.dx[w] = dx;
  mnw.dy[w] = dy;
  mnw.x[w] = (800 - dx) / 2 - 3;
  mnw.y[w] = (600 - dy) / 2;
  if (w == 0) {
    mnw.x[w] -= 3;
    mnw.y[w] -= 9;
  }
}

void MACIBM_startwind(int w, int bring_to_front) {
  if (window_out_of_bounds(w, "MACIBM_startwind out of bounds")) return;
  if (!mnw.up[w]) {
    if (macibm_hold_sounds_hook) macibm_hold_sounds_hook();
    macibm_opening_size(w);
    int failure = backend_create_window(w);
    if (failure == 1) {
      MACIBM_alert("Can't create window!", "", "", reinterpret_cast<const char*>(&w),
                   macibm_fatal_value_kind());
      return;
    }
    if (failure == 2) {
      MACIBM_alert("Can't choose pixel format", "", "", "", macibm_fatal_kind());
      return;
    }
    if (failure == 3) {
      MACIBM_alert("SetPixelFormat failed.", "", "", "", macibm_fatal_kind());
      return;
    }
    mnw.up[w] = 1;
  }
  // Each window starts its drawing from the layer's default state, in its own coordinates.
  backend_make_current(w, bring_to_front);
  macibm_layout_window(w, 1);
  OGL_reset();
  if (bring_to_front) mnw.dragging_index = w;
}

void MACIBM_invalwind(int w) {
  if (window_out_of_bounds(w, "Invalwind out of bounds")) return;
  if (mnw.up[w]) backend_invalidate(w);
}

void MACIBM_killwind(int w) {
  if (window_out_of_bounds(w, "killwin out of bounds")) return;
  if (!mnw.up[w]) return;
  if (form_of(w)) {
    form_closed(w);
    backend_form_destroy(w);
  } else {
    backend_destroy_window(w);
  }
  mnw.up[w] = 0;
  mnw.wind[w] = nullptr;
  mnw.wgl_ctx[w] = nullptr;
}

void MACIBM_handlezap(int w) {
  if (window_out_of_bounds(w, "zapwin out of bounds")) return;
  if (form_of(w)) {
    form_closed(w);
    backend_form_destroy(w);
  }
  mnw.up[w] = 0;
  mnw.wind[w] = nullptr;
  mnw.wgl_ctx[w] = nullptr;
  if (macibm_zap_hook) macibm_zap_hook(w);
  if (macibm_resume_sounds_hook) macibm_resume_sounds_hook();
}

void set_win_title(int w, const char* title) {
  if (window_out_of_bounds(w, "set_win_title out of bounds")) return;
  std::snprintf(mnw.windowname[w], sizeof mnw.windowname[w], "%s", title ? title : "");
  if (mnw.up[w]) backend_set_title(w);
}

int get_win_index(void* handle) {
  if (!mnw.up[WIN_MAIN]) return 0;
  for (int w = 0; w < MAX_WINDOWS; w++)
    if (mnw.up[w] && mnw.wind[w] == handle) return w;
  return 0;
}

// ---- Input events ----------------------------------------------------------------------------

// An event for a window that is not in the table cannot be handled.
static bool event_window_bad(int w) {
  if (w < 0) {
    MACIBM_alert("win ind<0!", "", "", "", macibm_fatal_kind());
    return true;
  }
  if (w >= MAX_WINDOWS) {
    MACIBM_alert("win ind>=max!", "", "", "", macibm_fatal_kind());
    return true;
  }
  return false;
}

void macibm_event_menu(int id) {
  if (macibm_menu_hook) macibm_menu_hook(id);
}
void macibm_event_key(char c) {
  if (macibm_key_hook) macibm_key_hook(c);
}
void macibm_event_function(int n) {
  if (macibm_function_hook) macibm_function_hook(n);
}
void macibm_event_yoke(int k) {
  if (macibm_yoke_hook) macibm_yoke_hook(k);
}
void macibm_event_freeview(int k) {
  if (macibm_freeview_hook) macibm_freeview_hook(k);
}

// Rows are counted up from the bottom, so that the bottom row of a window is row 0; the pixel is
// then taken back to the drawing coordinate whose block holds it, so that a click lands on what
// was drawn under it at any scale.
void macibm_event_mouse_move(int w, int x, int y) {
  if (event_window_bad(w)) return;
  int wdx, wdy;
  macibm_window_pixels(w, &wdx, &wdy);
  macibm_layout_window(w, 0);
  mnw.mx = OGL_coord_of_pixel(mnw.scale[w], mnw.ox[w], x);
  mnw.my = OGL_coord_of_pixel(mnw.scale[w], mnw.oy[w], wdy - 1 - y);
}

double macibm_button_down_ms = 0.0;

void macibm_event_button_down(int w) {
  if (event_window_bad(w)) return;
  MACIBM_startwind(w, 1);
  mnw.mousedown = 1;
  macibm_button_down_ms = MACIBM_clock_ms();
  mnw.dragtime = 0.0f;
  if (macibm_click_hook) macibm_click_hook(w);
  mnw.dragging_index = w;
}

void macibm_event_button_up() { mnw.mousedown = 0; }

void macibm_event_paint(int w) {
  if (event_window_bad(w)) return;
  if (!mnw.up[w]) return;
  backend_make_current(w, 0);
  macibm_layout_window(w, 1);
  if (macibm_paint_hook) macibm_paint_hook(w);
}

void MACIBM_dispatch_events() { backend_pump_events(); }
