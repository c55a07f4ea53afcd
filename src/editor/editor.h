// Airwright, the aircraft editor: its own record, its commands and menus, the operations on the
// aircraft record in the file's units, the views of the aircraft, the paint kit and the batch
// modes. The aircraft itself is pln (aircraft.h), holding the file's units (ft, lb, kt, hp, rpm).
#pragma once

#include <cstdio>

#include "aircraft/aircraft.h"

// ---- Menus and commands ----------------------------------------------------------------------

enum {
  MENU_EDIT_FILE = 2,     // File
  MENU_EDIT_SCREENS = 3,  // the screens of the aircraft's type
  MENU_EDIT_EXPERT = 4,   // the expert screens of the aircraft's type
  CMD_NEW = 201,
  CMD_OPEN = 202,
  CMD_SAVE = 203,
  CMD_SAVE_AS = 204,
  CMD_PAINT_KIT = 205,  // the "start ... .bmp" bitmaps
  CMD_QUIT = 206,
  CMD_FLIGHT_TEST = 207,  // the flight-test card, flown by kestrix-fly
  CMD_NEW_HELI = 605,   // New of the other type, offered to an aeroplane
  CMD_NEW_PLANE = 606,  // the same offered to a helicopter
  // A screen's menu item is its window plus the type's offset: windows 1..34 are the aeroplane's
  // screens, 35..61 the helicopter's, in menu order with the separators counted.
  SCREEN_ITEMS_PLANE = 300,
  SCREEN_ITEMS_HELI = 266,
  SCREENS_PLANE_FIRST = 1,
  SCREENS_HELI_FIRST = 35,
  SCREENS_LAST = 61,
  // The Flight Test window: an index the screens menus keep for a separator, never a screen.
  WIN_FLIGHT_TEST = 60,
};

// The editor's own state. Lifetime: program.
struct editstruct {
  int planemod;    // the aircraft changed since it was last saved or opened
  int planenamed;  // the aircraft has a file name the user chose (opened or saved once)
  float turn;      // heading of the turning view, degrees 0..360
};
extern editstruct edt;
void reset_edt();

// ---- The program -----------------------------------------------------------------------------

// The whole program: `--check FILE`, `--resave IN OUT`, or the editor on its window, opening FILE
// when one is given (only when built with a window: has_window). Returns the exit status of the
// batch modes; the editor on its window ends through Quit.
int airwright_main(int argc, char** argv, int has_window);
// The editor on its window: one instance at a time (0 when another runs, 1 when the platform
// cannot start), then the platform start-up, initairwright and the loop, which does not return.
int airwright_run(const char* file);
// Takes the lock file of the configuration folder: 1 when this is the only instance (or the folder
// cannot hold a lock), 0 when another instance holds it.
int take_instance_lock();
// Points the platform's hooks at the editor.
void install_editor_hooks();
// The screens' window titles and sizes, the menus and a new aeroplane named "Untitled.acf".
void initairwright();
// One pass of the loop: the waiting events, the repeat of a button held over a body screen's drag
// band, and the views (turning) at most 30 times a second.
void editor_loop_pass();

// ---- Commands (commands.cpp) -----------------------------------------------------------------

void editor_setupmenus();
// Carries out a menu command, then applies the symmetry rules; a change they make counts as a
// change of the aircraft.
void editor_handlemenu(int id);
// The screens menus of the aircraft's type; their items open the screens (screens.h).
void build_screen_menus(int is_heli);
// 1 when the aircraft may be replaced: it is unchanged, or the user saved it (and the save
// succeeded) or chose not to; 0 when the user cancelled.
int do_new_thing();
// A new aircraft of the type: screens menus, windows 1..61 closed, the record reset to the type's
// defaults with that name and path, unchanged and unnamed, and the views redrawn.
void set_up_for_type(int is_heli, const char* name, const char* path);
// The open dialog, then read_aircraft_file and, when it was read, the menus, windows and titles.
void openplane();
// Saves the aircraft: the save dialog first when it has no name yet or save_as is set (a
// cancelled dialog returns 0). Returns 1 when the file was written in full. A new name is taken
// only once its file is written; a failed save keeps any earlier file and says so.
int writeout(int save_as);
// The main window's title from the aircraft's file name.
void refresh_titles();

// ---- The aircraft record (aircraft_ops.cpp) --------------------------------------------------

// Resets pln to the defaults of a new aircraft of the type, keeping the file name and path and the
// drawing option: a random tail number, knots, panel types 1 with instrument i in location i, one
// piston engine, 6 elements on the wings and 4 on the tails, upright fins, two blades, round
// bodies and the shipped airfoils and flap file.
void new_aircraft_record(int is_heli);
// Reads the aircraft file at path into pln with the editor's reader, as a notice-only reading: a
// file that cannot be opened or is malformed leaves pln as it was, tells the user why and returns
// 0. On success the symmetry rules are applied; when they changed the file's record the user is
// told and 1 is still returned, with *mirrored set.
int read_aircraft_file(const char* path, int* mirrored);
// The symmetry rules: nacelles 2..4 follow nacelle 1, the second miscellaneous body the first,
// and the left wing 1, wing 2 and horizontal stabiliser mirror the right. 1 when anything changed.
int apply_symmetry();
// Part dst becomes the mirror image of part src: names, sweeps, dihedral, sizes, arms (the lateral
// one negated), thickness, airfoil switches, elements, incidences and the controls of its kind.
void copy_foil(int src, int dst);
// Body dst takes the cross-sections of body src.
void copy_body(int src, int dst);
// 1 when part p is a left part or body that follows its twin, and so is not edited by itself.
int is_mirrored_part(int p);

// Propeller designer: mode 4 by the advance per revolution, mode 5 by the design speed and rpm.
enum { DESIGN_BY_ADVANCE = 4, DESIGN_BY_SPEED = 5 };
// Twists the 8 elements of disc p for the design and makes the advance and the speed agree; with a
// variable-pitch hub the twist is relative to the tip. A design rpm or blade radius that is zero or
// negative (or any design value that is not a number) is refused with a notice and nothing is
// written: returns 0. Returns 1 when designed.
int design_prop(int p, int mode);

// The instrument picker of panel location loc (1..8) at x, y: nine entries 10 pixels apart, the
// current one highlighted. With mode 0 a click (mnw.mx, mnw.my) inside an entry's box assigns that
// instrument, and any other location that held it is emptied; any other mode only draws. Other
// locations do nothing.
void fiddle_ins_loc(int loc, int x, int y, int mode);
// Instrument codes 0..8 and their names as the picker lists them.
enum { INSTRUMENT_CODES = 9 };
extern const char* const instrument_names[INSTRUMENT_CODES];
// Picker geometry: entries stacked this far apart, each box this wide.
enum { PICKER_STEP = 10, PICKER_WIDTH = 100 };

// Thickness ratio of part p from airfoil file path: trat[p] from its parameter line when the file
// is an airfoil file (1234 on its third line); 0 and the notice "You didn't select a foil!" when
// it is not, 0 when it cannot be opened or read.
void assign_foil_thickness(const char* path, int p);

// Body smoothing of body b with n cross-sections of m points: the inner sections move towards
// their neighbours and towards an ellipse, keeping the body's mean radius; the end sections stay.
void smoothit(int b, int n, int m);
// Mean distance of the points of sections 1..n-2 from their section's vertical centre.
float ret_ave_rad(int b, int n, int m);
// Vertical centre of section j: the mean of its m heights.
float ret_y_center(int b, int j, int m);

// ---- Views (views.cpp) -----------------------------------------------------------------------

// The main window's four panes: the aircraft from above, from the front, from the left and turning
// in perspective, drawn from pln in the file's units.
enum { VIEW_TOP, VIEW_FRONT, VIEW_SIDE, VIEW_TURNING, VIEW_PANES };
enum { EDITOR_WINDOW_W = 800, EDITOR_WINDOW_H = 560 };
// Pane v's rectangle in the main window, pixels from the bottom left.
void view_pane(int v, int* x, int* y, int* w, int* h);
// Draws every pane into the current window.
void draw_views();
// Builds the aircraft's triangles and lines from pln (file units): returns the triangle vertices.
int build_view_geometry();
// The box around what build_view_geometry built last, feet.
void view_extent(float lo[3], float hi[3]);

// ---- Paint kit (paint.cpp) -------------------------------------------------------------------

// After telling the user, writes "start wng1.bmp", "start wng2.bmp", "start hstb.bmp", "start
// vstb.bmp", "start fuse.bmp", "start nace.bmp" and "start misc.bmp" for the parts the aircraft has,
// beside its file (in the current folder while it has none): each the outline of the part's
// elements or cross-sections in the texture's own coordinates. Returns the number written.
int make_paint_kit();

// ---- Flight test (flight_test.cpp) ----------------------------------------------------------

// The command: opens the Flight Test window, saves the design as the editor holds it to a
// temporary file (its own file is left as it is) and starts kestrix-fly --test-card on it as a
// process of its own. The card flown before stays beside the new one. While a card is flown the
// command only says so.
void flight_test();
// One pass of the loop: reads what the runner wrote, without waiting, and shows it; when the
// runner has ended, its status and the temporary file's removal.
void flight_test_poll();
// 1 while a card is being flown.
int flight_test_running();
// The runner to start; null: kestrix-fly beside Airwright.
extern const char* flight_test_program;

// ---- Batch modes (batch.cpp) -----------------------------------------------------------------

// Reads path as the simulator does, runs the aircraft checks and prints each problem to `out`,
// one line each, then each warning Kestrix gives but flies on after, marked "warning: ". Returns 1
// when there was a problem, 0 when none.
int airwright_check(const char* path, FILE* out);
// After a save: the same checks on the saved file, the design being edited kept as it is, and
// the first problem told in a notice, or else the first warning. Returns the number of problems.
int tell_check_problems(const char* path);
// Opens in and saves it as out without a window. 0 when saved, 1 when either failed.
int airwright_resave(const char* in, const char* out);
