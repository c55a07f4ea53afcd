// The editor's screens: one settings-kit window per screen, made of the screen's own fields and,
// for the screens of propellers, wings and stabilisers, the part fields of the aircraft file's
// part sections. Every value is in the file's units and clamped to what Kestrix accepts.
#pragma once

#include "aircraft/aircraft.h"
#include "app/form.h"

// One screen: its window, its own fields, the parts whose part fields follow (as arrays over the
// parts when there are several), the twin part shown read-only beside them, whether it is the
// expert screen of those parts, and the body whose cross-sections it shapes.
struct screen_def {
  int w;
  const form_field* fields;
  int count;
  int parts[MAX_ENGINES];
  int nparts;
  int twin;  // -1: none
  int expert;
  int body;  // -1: none
};
extern const screen_def screen_defs[];
extern const int screen_def_count;

// The screen shown in window w, or null.
const screen_def* screen_of(int w);
// The window of a screens-menu item for the aircraft's type, or 0 when the item is no screen.
int screen_window_of_item(int item);
// Opens screen w (built on its first opening), or raises it.
void open_screen(int w);
// The screen's form once it was built, or null (the tests walk the fields of every screen).
const form_window* screen_form(int w);

// A body's cross-section j as the screens show it: station, height of its centre, half width and
// half height, ft. Setting one lays the section out as an ellipse of the four.
enum { SECTION_STATION, SECTION_CENTRE, SECTION_WIDTH, SECTION_HEIGHT, SECTION_VALUES };
float body_section_value(int b, int j, int q);
void set_body_section(int b, int j, int q, float v);
