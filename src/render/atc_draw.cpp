// The controller's menus and words over the view: the main menu and the list menus at the top
// left, the controller's last sentence along the bottom while it is shown, and the clicks on the
// menus while they are up.
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "world/world.h"

enum {
  MENU_LEFT = 10,    // left edge of the menu's first column, view pixels
  MENU_TOP = 33,     // the first line's baseline below the view's top edge
  LINE_STEP = 10,    // pixels from one line to the next
  CHAR_STEP = 6,     // pixels from one character to the next
  C_MENU = 36,       // white: a line that can be picked
  C_SUGGESTED = 43,  // yellow: the call the pilot is expected to make next
};

// The first line's baseline, window pixels up from the bottom: 547 in the 580-pixel window.
static int menu_top(int vy, int vh) { return vy + vh - MENU_TOP; }

static int column_width() { return atc_list_column_chars() * CHAR_STEP; }

// Entry text cut to its column: "SBD  San Bernardino International"; the ATIS list gives the
// frequency too where it is known: "SBD  124.17 San Bernardino International".
static void entry_text(int n, char* out) {
  char t[STR_SIZE];
  const int airports = atc.menu_level == ATC_MENU_ATIS || atc.menu_level == ATC_MENU_VECTORS ||
                       atc.menu_level == ATC_MENU_LANDING;
  C_plus_C(airports ? apt_id[n] : nav_id[n], " ", t);
  if (atc.menu_level == ATC_MENU_ATIS && apt_atisf[n] > 0) {
    char f[16];
    std::snprintf(f, sizeof f, "%d.%02d ", apt_atisf[n] / 1000 % 1000, apt_atisf[n] % 1000 / 10);
    app_C(t, f);
  }
  app_C(t, airports ? apt_name[n] : nav_name[n]);
  const size_t keep = static_cast<size_t>(atc_list_column_chars() - 1);
  if (std::strlen(t) > keep) t[keep] = '\0';
  C_to_C(t, out);
}

static void draw_menu(int top) {
  char text[STR_SIZE];
  if (atc.menu_level == ATC_MENU_MAIN) {
    for (int k = 0; k < ATC_MAIN_LINES; k++) {
      const int state = atc_main_line(k, text);
      if (state == ATC_LINE_HIDDEN) continue;
      OGL_string(state == ATC_LINE_SUGGESTED ? C_SUGGESTED : C_MENU, MENU_LEFT,
                 top - k * LINE_STEP, text, 0, 1, CHAR_STEP);
    }
    return;
  }
  int entry[ATC_LIST_MAX];
  const int count = atc_list_entries(entry);
  for (int k = 0; k < count; k++) {
    entry_text(entry[k], text);
    OGL_string(C_MENU, MENU_LEFT + (k / ATC_LIST_ROWS) * column_width(),
               top - (k % ATC_LIST_ROWS) * LINE_STEP, text, 0, 1, CHAR_STEP);
  }
}

// The line under a pointer at window height y: a line's cell reaches from 2 pixels below its
// baseline to the top of its letters.
static int line_at(int top, int y) {
  const int d = top + 8 - y;
  return d < 0 ? -1 : d / LINE_STEP;
}

// A click picks the line or the entry under the pointer; a click beside the menu's lines, or on a
// cell of a list that holds no entry, does nothing.
static void click_menu(int top) {
  const int line = line_at(top, mnw.my);
  if (atc.menu_level == ATC_MENU_MAIN) {
    if (line >= 0 && line < ATC_MAIN_LINES) atc_pick_line(line);
    return;
  }
  const int x = mnw.mx - MENU_LEFT;
  if (line < 0 || line >= ATC_LIST_ROWS || x < 0) return;
  const int col = x / column_width();
  if (col >= atc_list_columns()) return;
  atc_pick_entry(col * ATC_LIST_ROWS + line);
}

void plot_atc_options(int click) {
  int x, y, w, h;
  view_area_drawing(&x, &y, &w, &h);
  if (!atc.menu_up || w <= 0 || h <= 0) return;
  if (click)
    click_menu(menu_top(y, h));
  else
    draw_menu(menu_top(y, h));
}

void draw_atc_words() {
  int x, y, w, h;
  view_area_drawing(&x, &y, &w, &h);
  if (w <= 0 || h <= 0) return;
  if (atc_response_shown())
    OGL_string(C_MENU, MENU_LEFT, y + 4 * LINE_STEP, atc.response, w - 2 * MENU_LEFT, 1, CHAR_STEP);
  plot_atc_options(0);
}
