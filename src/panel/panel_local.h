// What the panel's files share: its colours, the layout of everything on the panel, the table of
// places that answer clicks, the memory of what each instrument last showed, and the drawing
// helpers for dials, needles, text, buttons and lights.
#pragma once

#include "controls/controls.h"
#include "panel/panel.h"

// ---- Colours ---------------------------------------------------------------------------------

// Interface colours of the palette (36 and above), drawn as stored whatever the scene's light.
enum {
  C_WHITE = 36,
  C_BLACK = 37,
  C_PANEL = 38,   // the panel itself
  C_EDGE = 39,    // bezel edges and slots
  C_FACE = 40,    // instrument faces
  C_NEEDLE = 41,  // needles and pointers
  C_RED = 42,
  C_YELLOW = 43,
  C_AMBER = 44,
  C_GREEN = 45,
  C_CYAN = 46,
  C_MAGENTA = 47,
  C_BLUE = 48,
  C_SKY = 49,
  C_GROUND = 50,
  C_DKGREEN = 51,
  C_ORANGE = 52,
  C_BUTTON = 54,
  C_SHADOW = 55,
};

// ---- Geometry --------------------------------------------------------------------------------

struct panel_rect {
  int x, y, w, h;  // bottom-left pixel and size, window pixels
};
int in_rect(const panel_rect& r, int x, int y);

// Panel slots: locations 1..8 hold the aircraft's instruments; 9 and 10 are the panel's own
// standby column (NAV 2 indicator and radar altimeter).
enum { SLOT_NAV2 = 9, SLOT_RADALT = 10, PANEL_SLOTS = 11 };
// What a slot shows: the aircraft's instrument codes 1..8, then the panel's own.
enum {
  INS_NONE,
  INS_ASI,
  INS_AHZ,
  INS_ALT,
  INS_SUPP,
  INS_TSI,
  INS_DGY,
  INS_VSI,
  INS_ADF,
  INS_NAV2,
  INS_RADALT,
};
enum { DIAL_WIDE = 62, DIAL_NARROW = 48 };  // dial radius of wide and narrow instruments

// The panel's own levers, besides the LEVER_ codes of the controls.
enum { LEVER_TRIM = LEVER_COUNT, LEVER_GEAR, MAX_LEVER_SLOTS = 20 };

struct lever_slot {
  panel_rect r;  // the slot with its label row at the top
  int lever;     // LEVER_ code, LEVER_TRIM or LEVER_GEAR
  int engine;    // engine of an engine lever, -1 all
};

// Where everything is for the aircraft loaded. Rebuilt whenever the panel lays itself out.
struct panel_layout {
  int glass;             // glass panel: primary flight and navigation displays
  int ins[PANEL_SLOTS];  // INS_ code shown in each slot
  int cx[PANEL_SLOTS];   // centre of each slot's dial
  int cy[PANEL_SLOTS];
  int rad[PANEL_SLOTS];  // dial radius; 0 for an empty slot
  panel_rect pfd, nd;    // glass displays
  panel_rect strip;      // annunciators and autopilot along the top
  panel_rect radios;     // radio stack
  panel_rect engines;    // engine gauges or the ECAM
  panel_rect switches;   // anti-ice, drag chute, take-off rockets and arresting hook
  panel_rect levers;     // lever quadrant
  int nlevers;
  lever_slot lever[MAX_LEVER_SLOTS];
};
extern panel_layout lay;

// Lays the panel out for the aircraft loaded and rebuilds the click table. Returns 1 when the
// layout differs from the one before (so everything must be drawn again).
int panel_layout_now();

// ---- Clicks ----------------------------------------------------------------------------------

// A click at (x, y) on the spot; `arg` is the spot's own argument.
typedef void (*click_fn)(int arg, int x, int y, const panel_rect& r);
// Spots that repeat act again on every pass while the button is held; the others only on the
// press itself, so that a held button does not flick a switch back and forth.
void add_hot_spot(const panel_rect& r, click_fn fn, int arg, int repeats);

// Each part of the panel lays out its share and registers its spots.
void layout_instruments();
void layout_levers();
void layout_radios();
void layout_strip();
void layout_lights();  // the strip's buttons beside the lights
void layout_engines();
void layout_glass();

// ---- What each part showed last ---------------------------------------------------------------

// The values an instrument was last drawn with. A failed instrument keeps showing them.
struct shown_values {
  int drawn;    // drawn since the last full redraw
  float v[24];  // the values as drawn
};
// 1 when the instrument must be drawn: on a full redraw, the first time, or when any of the n
// values moved by more than tol since it was drawn; the values are then remembered. A value that
// is not a number is shown, and replaced in v, as 0.
int shown_changed(shown_values* s, float* v, int n, float tol, int full);

// Marks set between updates by the flight and the controls, taken by the next update.
enum {
  DIRTY_LEVERS = 1,
  DIRTY_GEAR = 2,
  DIRTY_ECAM = 4,
};
extern int panel_dirty;

// ---- The parts of the panel, each drawn when it changed (or everything with full) -----------

void draw_slot(int slot, int full);  // the instrument in one slot
void draw_pfd(int full);
void draw_nd(int full);
void draw_engines(int full);  // engine gauges, or the ECAM pages
void draw_levers(int full);
void draw_radios(int full);
void draw_strip(int full);  // marker and gear lights, buttons, autopilot
void draw_radalt(int slot, int full, float ralt_ft);
// The warnings' lights and the radar altimeter as the last event tick decided them; `full` draws
// them whether they changed or not.
void draw_warnings(int full);
// The marker lights as update_morse leaves them: outer, middle, inner lit.
void draw_marker_lights(const int lit[3], int full);
// The stall light as update_stall leaves it.
void draw_stall_light(int on);
// The strip's lights and buttons other than the stall and marker lights.
void draw_strip_lights(int full);
// Less than a tenth of the fuel left in an aircraft with engines: the fuel caution.
int fuel_low();

// The values each slot's instrument was last drawn with.
extern shown_values slot_shown[PANEL_SLOTS];
// The navigation instruments of a slot (gauges_nav.cpp).
void draw_adf(int slot, int full);
void draw_supp(int slot, int full);  // NAV 1 indicator or GPS, by the equipment type
void draw_nav2(int slot, int full);

// Instrument drawings shared by the classic and the glass panel.
// The sky and ground of an attitude display of the given scan lines about (cx, cy) for pitch
// `the` and bank `phi` (degrees), `ppd` pixels per degree of pitch.
void paint_horizon(int cx, int cy, float the, float phi, float ppd, int top, int bot, const int* x1,
                   const int* x2, int semidim, const int* hole1, const int* hole2, int hole_top,
                   int hole_bot, int with_pitch);
// Attitude the horizon shows: the true attitude, or one drifting away from it after the vacuum
// system failed.
void shown_attitude(float* the, float* phi);
// Radar altitude of the main gear, ft, 0..2500.
float radar_altitude_ft();
// Slant distance to the station of the receiver the DME follows, nm; negative without one.
float dme_nm();

// ---- Drawing helpers -------------------------------------------------------------------------

// Panel background over a rectangle.
void clear_box(int x, int y, int w, int h);
// Case, bezel and black face of a round instrument of radius r, on its square of background.
void dial_case(int cx, int cy, int r);
// Point at radius r and angle deg (clockwise from straight up) about (cx, cy), rounded.
int dial_px(int cx, float r, float deg);
int dial_py(int cy, float r, float deg);
// Radial line from r1 to r2 at angle deg.
void dial_tick(int c, int cx, int cy, float r1, float r2, float deg);
// A needle from the centre (and a short tail) to radius len at angle deg; wide needles are three
// pixels across.
void dial_needle(int c, int cx, int cy, float len, float deg, int wide);
// x limited to -limit..limit, and 0 for a NaN: what a display shows of a value gone wild,
// so that no pixel position is ever computed from it.
float sane(float x, float limit);
// Text centred on (x, y).
void text_centre(int c, int x, int y, const char* s);
// Text width in pixels at the font's 6-pixel spacing.
int text_width(const char* s);

// A round scale: values lo..hi over the angles a_lo..a_hi, linear in value^pwr.
struct dial_scale {
  int cx, cy, r;
  float lo, hi;      // scale ends
  float a_lo, a_hi;  // their angles, degrees clockwise from up
  float pwr;         // 1 linear; below 1 compressed towards the top
};
float scale_angle(const dial_scale& d, float v);
// Ticks every minor and major step, with labels value / divisor on the major ticks where they
// have room (label_r is the radius of the labels' centres).
void draw_scale(const dial_scale& d, float minor, float major, int divisor, int label_r);
// A coloured band of the scale between values v1 and v2, from radius r1 to r2.
void scale_arc(const dial_scale& d, int c, float v1, float v2, int r1, int r2);

// A push button with its label, lit (text and edge in colour lit_c) or dark.
void draw_button(const panel_rect& r, const char* label, int lit, int lit_c);
// A round knob.
void draw_knob(int x, int y, int r);
// A square light: lit in colour c, dark otherwise, with a letter or word centred on it.
void draw_light(const panel_rect& r, int c, int lit, const char* label);
