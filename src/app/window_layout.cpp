// Window sizes on the screen and the scale of their drawings: the size a window opens at, the fit
// of a drawing into its window's pixels, the scale setting, and the main window's normal,
// maximised and full-screen states.
#include "app/macibm.h"

#include <cmath>

#include "render/ogl.h"
#include "shared/shared.h"

// A main window smaller than this leaves nothing of the panel to click.
enum { MAIN_MIN_W = 160, MAIN_MIN_H = 120 };

float macibm_screen_scale() {
  if (intrange(mnw.ui_scale, UI_SCALE_MIN, UI_SCALE_MAX)) return mnw.ui_scale / 100.0f;
  int w = 0, h = 0;
  float dpi = 96.0f;
  backend_screen(&w, &h, &dpi);
  if (!(dpi > 0.0f)) return 1.0f;
  return fltlim(std::floor(dpi / 96.0f * 4.0f + 0.5f) / 4.0f, 1.0f, 3.0f);
}

void macibm_fit_drawing(int dx, int dy, int wdx, int wdy, float most, int bottom, float* scale,
                        int* ox, int* oy) {
  dx = intmax2(dx, 1), dy = intmax2(dy, 1), wdx = intmax2(wdx, 1), wdy = intmax2(wdy, 1);
  float s = fltmin2(static_cast<float>(wdx) / dx, static_cast<float>(wdy) / dy);
  if (most > 0.0f) s = fltmin2(s, most);
  s = fltlim(s, 0.05f, 8.0f);
  *scale = s;
  *ox = (wdx - OGL_pixel_edge(s, 0, dx)) / 2;
  *oy = bottom ? 0 : (wdy - OGL_pixel_edge(s, 0, dy)) / 2;
}

// Until a window has a size on the screen (a window drawn by a test or a benchmark without the
// platform's window) its pixels are its table size.
void macibm_window_pixels(int w, int* wdx, int* wdy) {
  *wdx = mnw.wdx[w] > 0 ? mnw.wdx[w] : mnw.dx[w];
  *wdy = mnw.wdy[w] > 0 ? mnw.wdy[w] : mnw.dy[w];
}

void macibm_layout_window(int w, int use) {
  if (!intrange(w, 0, MAX_WINDOWS - 1)) return;
  int wdx, wdy;
  macibm_window_pixels(w, &wdx, &wdy);
  // Automatic: as large as the window allows; a chosen scale is the largest the drawing takes.
  const float most =
      intrange(mnw.ui_scale, UI_SCALE_MIN, UI_SCALE_MAX) ? mnw.ui_scale / 100.0f : 0.0f;
  macibm_fit_drawing(mnw.dx[w], mnw.dy[w], wdx, wdy, most, w == WIN_MAIN, &mnw.scale[w], &mnw.ox[w],
                     &mnw.oy[w]);
  if (use)
    OGL_set_mapping(
        ogl_mapping{mnw.scale[w], mnw.ox[w], mnw.oy[w], mnw.dx[w], mnw.dy[w], wdx, wdy});
}

// The screen's area for windows; a back end that cannot tell gives the drawing's own size.
static void screen_area(int* w, int* h) {
  float dpi = 96.0f;
  *w = *h = 0;
  backend_screen(w, h, &dpi);
  if (*w <= 0 || *h <= 0) *w = 800, *h = 600;
}

void macibm_opening_size(int w) {
  if (!intrange(w, 0, MAX_WINDOWS - 1)) return;
  const float s = macibm_screen_scale();
  int sw, sh;
  screen_area(&sw, &sh);
  mnw.wdx[w] = intlim(intround(mnw.dx[w] * s), 1, sw);
  mnw.wdy[w] = intlim(intround(mnw.dy[w] * s), 1, sh);
}

void macibm_event_resize(int w, int wdx, int wdy) {
  if (!intrange(w, 0, MAX_WINDOWS - 1)) return;
  mnw.wdx[w] = intmax2(wdx, 1);
  mnw.wdy[w] = intmax2(wdy, 1);
  if (w == WIN_MAIN && mnw.main_state == MAIN_NORMAL) {
    mnw.main_w = mnw.wdx[w];
    mnw.main_h = mnw.wdy[w];
  }
  macibm_layout_window(w, 0);
}

void MACIBM_set_ui_scale(int percent) {
  mnw.ui_scale = intrange(percent, UI_SCALE_MIN, UI_SCALE_MAX) ? percent : 0;
  for (int w = 0; w < MAX_WINDOWS; w++) {
    if (!mnw.up[w]) continue;
    macibm_layout_window(w, 0);
    backend_invalidate(w);
  }
}

void MACIBM_restore_main_window() {
  int sw, sh;
  screen_area(&sw, &sh);
  if (mnw.main_w <= 0 || mnw.main_h <= 0) {
    const float s = macibm_screen_scale();
    mnw.main_w = intround(mnw.dx[WIN_MAIN] * s);
    mnw.main_h = intround(mnw.dy[WIN_MAIN] * s);
  }
  mnw.main_w = intlim(mnw.main_w, MAIN_MIN_W, intmax2(sw, MAIN_MIN_W));
  mnw.main_h = intlim(mnw.main_h, MAIN_MIN_H, intmax2(sh, MAIN_MIN_H));
  if (!intrange(mnw.main_state, MAIN_NORMAL, MAIN_FULL_SCREEN)) mnw.main_state = MAIN_NORMAL;
  if (mnw.up[WIN_MAIN]) backend_main_window(mnw.main_w, mnw.main_h, mnw.main_state);
}

// The state full screen returns to.
static int state_before_full_screen = MAIN_NORMAL;

void MACIBM_fullscreen(int on) {
  if (!mnw.up[WIN_MAIN]) return;
  if (on && mnw.main_state != MAIN_FULL_SCREEN) {
    state_before_full_screen = mnw.main_state;
    mnw.main_state = MAIN_FULL_SCREEN;
  } else if (!on && mnw.main_state == MAIN_FULL_SCREEN) {
    mnw.main_state = state_before_full_screen;
  } else {
    return;
  }
  backend_main_window(mnw.main_w, mnw.main_h, mnw.main_state);
}
