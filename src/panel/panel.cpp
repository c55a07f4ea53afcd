// The panel's update: what to draw and when, the table of places that answer clicks, the memory
// of what each part showed, and the marks the flight and the controls leave for the next update.
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"

panel_layout lay;
int panel_dirty;

// ---- Clicks ----------------------------------------------------------------------------------

struct hot_spot {
  panel_rect r;
  click_fn fn;
  int arg;
  int repeats;
};
enum { MAX_HOT_SPOTS = 200 };
static hot_spot hot[MAX_HOT_SPOTS];
static int hot_count;

static void clear_hot_spots() { hot_count = 0; }

void add_hot_spot(const panel_rect& r, click_fn fn, int arg, int repeats) {
  if (hot_count < MAX_HOT_SPOTS) hot[hot_count++] = {r, fn, arg, repeats};
}

enum { REPEATS_PER_S = 20 };

// The spot the button went down on, -1 none. A held button repeats that spot only, while the
// pointer stays on it: a press above the panel, or on one lever, dragged over another control does
// not work that control.
static int pressed_spot = -1;

// The spot under (x, y) acts; returns 1 when there was one.
static int click_hot_spot(int x, int y, int repeat) {
  // Spots registered later lie on top of earlier ones.
  for (int i = hot_count - 1; i >= 0; i--) {
    if (!in_rect(hot[i].r, x, y)) continue;
    if (!repeat) pressed_spot = i;
    if (!repeat || (hot[i].repeats && i == pressed_spot)) hot[i].fn(hot[i].arg, x, y, hot[i].r);
    return 1;
  }
  return 0;
}

// ---- Shown values ----------------------------------------------------------------------------

// Values drawn in an earlier generation count as not drawn: forgetting them all is one increment.
static int shown_generation = 1;

// Forgets every instrument's values (the next update draws them all).
static void forget_shown() { shown_generation++; }

int shown_changed(shown_values* s, float* v, int n, float tol, int full) {
  for (int i = 0; i < n; i++)
    if (!(v[i] == v[i])) v[i] = 0.0f;
  int must = full || s->drawn != shown_generation;
  for (int i = 0; i < n && !must; i++)
    if (!(std::fabs(v[i] - s->v[i]) <= tol)) must = 1;
  if (!must) return 0;
  for (int i = 0; i < n; i++) s->v[i] = v[i];
  s->drawn = shown_generation;
  return 1;
}

// ---- Layout ----------------------------------------------------------------------------------

static int layout_known;

int panel_layout_now() {
  static panel_layout before;
  std::memset(&lay, 0, sizeof lay);
  lay.glass = pln.paneltype == 2;
  clear_hot_spots();
  set_panel_geometry();
  layout_instruments();
  layout_engines();
  layout_glass();
  layout_levers();
  layout_radios();
  layout_strip();
  int changed = !layout_known || std::memcmp(&before, &lay, sizeof lay) != 0;
  before = lay;
  layout_known = 1;
  return changed;
}

// ---- Update ----------------------------------------------------------------------------------

void reset_panel() {
  layout_known = 0;
  panel_dirty = 0;
  clear_hot_spots();
  forget_shown();
  reset_warnings();
  ins.tickle_all = 1;
}

void update_panel() {
  // A full-screen view draws over the panel: when the panel comes back, all of it is drawn, not
  // only the instruments whose readings changed meanwhile.
  if (set.view_is_fullscreen) {
    ins.tickle_all = 1;
    return;
  }
  // The view may have left another window current, its own projection or the depth test on.
  if (mnw.up[WIN_MAIN]) MACIBM_startwind(WIN_MAIN, 0);
  OGL_setstate(0, 0, 0, 0);

  if (panel_layout_now()) ins.tickle_all = 1;
  int full = ins.tickle_all;
  if (full) {
    forget_shown();
    clear_box(0, 0, PANEL_W, PANEL_H);
    // A window wider than the panel's scale leaves room beside it, which is panel too.
    OGL_fill_margins(C_PANEL, 0, PANEL_H);
    OGL_line(C_BLACK, 0, PANEL_H - 1, PANEL_W, PANEL_H - 1);
  }
  for (int slot = 1; slot < PANEL_SLOTS; slot++) draw_slot(slot, full);
  if (lay.glass) {
    draw_pfd(full);
    draw_nd(full);
  }
  draw_engines(full || (panel_dirty & DIRTY_ECAM));
  draw_levers(full || (panel_dirty & DIRTY_LEVERS));
  draw_radios(full);
  draw_strip(full || (panel_dirty & DIRTY_GEAR));
  panel_dirty = 0;

  // The warnings are decided on every event tick, whatever the view; here they are only shown.
  draw_warnings(full);
  ins.tickle_all = 0;
}

void manage_das(int open, int x, int y) {
  if (open) {
    ins.tickle_all = 1;
    return;
  }
  // The loop calls again every pass while the button is held past half a second, as fast as the
  // machine runs: a held button repeats at most REPEATS_PER_S times a second of the hold.
  static int repeats_done;
  const int repeat = mnw.dragtime > 0.0f;
  if (!repeat) {
    pressed_spot = -1;
    repeats_done = 0;
  } else {
    const float held = fltlim(mnw.dragtime - 0.5f, 0.0f, 3600.0f);
    if (repeats_done > static_cast<int>(held * REPEATS_PER_S)) return;
    repeats_done++;
  }
  if (set.view_is_fullscreen || !intrange(y, 0, PANEL_H - 1)) return;
  if (panel_layout_now()) ins.tickle_all = 1, pressed_spot = -1;
  click_hot_spot(x, y, repeat);
}

void plotflap() { panel_dirty |= DIRTY_LEVERS; }
void plotswee() { panel_dirty |= DIRTY_LEVERS; }
void plotvect() { panel_dirty |= DIRTY_LEVERS; }
void gear_light() { panel_dirty |= DIRTY_GEAR | DIRTY_LEVERS; }
void init_ecam() { panel_dirty |= DIRTY_ECAM; }
