// The editor's menus and commands: New of either type, Open, Save, Save As, the paint kit, the
// flight test and Quit, the question before a changed aircraft is replaced, and the screens menus
// of each type.
#include "editor/editor.h"
#include "editor/screens.h"

#include <cstring>

#include "app/macibm.h"
#include "shared/shared.h"

// ---- Screens ---------------------------------------------------------------------------------

// One entry of a screens menu, in menu order: its window, its menu text ("-" a separator), the
// window's title and the picture of the screen. Windows 1..34 serve an aeroplane, 35..61 a
// helicopter; the expert entries follow the normal ones.
struct screen_entry {
  int w;
  int expert;
  const char* item;
  const char* title;
  const char* picture;
};

static const screen_entry screens[] = {
    {1, 0, "Viewpoint", "Viewpoint", "VIEW"},
    {2, 0, "Panel", "Panel", "ALL_PANL"},
    {3, 0, "-", "", ""},
    {4, 0, "Force Feedback", "Force Feedback", "ALL_FORC"},
    {5, 0, "-", "", ""},
    {6, 0, "Engines", "Engines", "ENGN"},
    {7, 0, "Props", "Propellers", "ALL_BPRP"},
    {8, 0, "-", "", ""},
    {9, 0, "Wing 1", "Wing 1", "WING"},
    {10, 0, "Wing 2", "Wing 2", "WING"},
    {11, 0, "Horizontal Stabilizer", "Horizontal Stab or Canard", "HSTB"},
    {12, 0, "Vertical Stabilizer 1", "Vertical Stab 1", "VSTB"},
    {13, 0, "Vertical Stabilizer 2", "Vertical Stab 2", "VSTB"},
    {14, 0, "-", "", ""},
    {15, 0, "Control Geometry", "Control Geometry", "CONT"},
    {16, 0, "-", "", ""},
    {17, 0, "Fuselage", "Fuselage", "ALL_FUSE"},
    {18, 0, "Nacelles", "Nacelles", "ALL_NACE"},
    {19, 0, "Fuel Tanks or Floats", "Fuel Tanks or Floats", "ALL_MISC"},
    {20, 0, "-", "", ""},
    {21, 0, "Weight & Balance", "Weight & Balance", "ALL_WTBL"},
    {22, 0, "-", "", ""},
    {23, 0, "Landing Gear", "Landing Gear", "ALL_GEAR"},
    {24, 1, "Prop", "EXPERT: Propeller", "ALL_EPRP"},
    {25, 1, "Wing 1", "EXPERT: Wing 1", "EX_WING"},
    {26, 1, "Wing 2", "EXPERT: Wing 2", "EX_WING"},
    {27, 1, "Horizontal Stabilizer", "EXPERT: Horizontal Stab or Canard", "EX_HSTB"},
    {28, 1, "Vertical Stabilizer 1", "EXPERT: Vertical Stab 1", "EX_VSTB"},
    {29, 1, "Vertical Stabilizer 2", "EXPERT: Vertical Stab 2", "EX_VSTB"},
    {30, 1, "-", "", ""},
    {31, 1, "Special Controls", "EXPERT: Special Controls", "EX_SPCN"},
    {32, 1, "VTOL Controls", "EXPERT: VTOL Controls", "EX_VCCN"},
    {33, 1, "-", "", ""},
    {34, 1, "Artificial Stability", "EXPERT: Artificial Stability System", "ALL_ASTB"},
    {35, 0, "Viewpoint", "Viewpoint", "H_VIEW"},
    {36, 0, "Panel", "Panel", "ALL_PANL"},
    {37, 0, "-", "", ""},
    {38, 0, "Force Feedback", "Force Feedback", "ALL_FORC"},
    {39, 0, "-", "", ""},
    {40, 0, "Engine", "Engine", "H_ENGN"},
    {41, 0, "Main Rotor", "Main Rotor", "ALL_BPRP"},
    {42, 0, "Tail Rotor", "Tail Rotor", "ALL_BPRP"},
    {43, 0, "Rotor System", "Rotor System", "H_ROTR"},
    {44, 0, "-", "", ""},
    {45, 0, "Horizontal Stabilizer", "Horizontal Stab", "H_HSTB"},
    {46, 0, "Vertical Stabilizer 1", "Vertical Stab 1", "H_VSTB"},
    {47, 0, "Vertical Stabilizer 2", "Vertical Stab 2", "H_VSTB"},
    {48, 0, "-", "", ""},
    {49, 0, "Fuselage", "Fuselage", "ALL_FUSE"},
    {50, 0, "Nacelles", "Nacelles", "ALL_NACE"},
    {51, 0, "Fuel Tanks or Floats", "Fuel Tanks or Floats", "ALL_MISC"},
    {52, 0, "-", "", ""},
    {53, 0, "Weight & Balance", "Weight & Balance", "ALL_WTBL"},
    {54, 0, "-", "", ""},
    {55, 0, "Landing Gear", "Landing Gear", "ALL_GEAR"},
    {56, 0, "Skid", "Skid", "H_SKID"},
    {57, 1, "Main Rotor", "EXPERT: Main Rotor", "ALL_EPRP"},
    {58, 1, "Tail Rotor", "EXPERT: Tail Rotor", "ALL_EPRP"},
    {59, 1, "Horizontal Stabilizer", "EXPERT: Horizontal Stab", "EXH_HSTB"},
    {60, 1, "-", "", ""},
    {61, 1, "Stability-Augmentation", "EXPERT: Stability-Augmentation", "ALL_ASTB"},
};

// Every screen window gets its title; the screens take their size when they are built.
void register_screen_windows() {
  for (const screen_entry& s : screens)
    if (s.item[0] != '-') set_win_params(s.w, s.title, 560, 400);
}

void build_screen_menus(int is_heli) {
  const int first = is_heli ? SCREENS_HELI_FIRST : SCREENS_PLANE_FIRST;
  const int last = is_heli ? SCREENS_LAST : SCREENS_HELI_FIRST - 1;
  const int offset = is_heli ? SCREEN_ITEMS_HELI : SCREEN_ITEMS_PLANE;
  MACIBM_delete_menu(MENU_EDIT_SCREENS);
  MACIBM_delete_menu(MENU_EDIT_EXPERT);
  MACIBM_create_menu(MENU_EDIT_SCREENS, "Screens");
  MACIBM_create_menu(MENU_EDIT_EXPERT, "Expert");
  for (const screen_entry& s : screens) {
    if (s.w < first || s.w > last) continue;
    const int m = s.expert ? MENU_EDIT_EXPERT : MENU_EDIT_SCREENS;
    MACIBM_append_menu(m, s.w + offset, -1, s.item);
  }
}

// ---- Menus -----------------------------------------------------------------------------------

// The File menu offers a new aircraft of the other type too, named for that type.
static void build_menus(int is_heli) {
  MACIBM_delete_menu(MENU_EDIT_FILE);
  MACIBM_create_menu(MENU_EDIT_FILE, "File");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_NEW, 0, "New");
  if (is_heli)
    MACIBM_append_menu(MENU_EDIT_FILE, CMD_NEW_PLANE, 4, "New Airplane");
  else
    MACIBM_append_menu(MENU_EDIT_FILE, CMD_NEW_HELI, 4, "New Helicopter");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_OPEN, 0, "Open...");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_SAVE, 0, "Save");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_SAVE_AS, 5, "Save As...");
  MACIBM_append_menu(MENU_EDIT_FILE, 0, -1, "-");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_PAINT_KIT, 5, "Make Paint Kit");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_FLIGHT_TEST, 7, "Flight Test");
  MACIBM_append_menu(MENU_EDIT_FILE, 0, -1, "-");
  MACIBM_append_menu(MENU_EDIT_FILE, CMD_QUIT, 0, "Quit");
  build_screen_menus(is_heli);
}

void editor_setupmenus() { build_menus(pln.is_heli ? 1 : 0); }

void refresh_titles() {
  char title[STR_SIZE];
  C_plus_C("Airwright: ", pln.C_file, title);
  set_win_title(WIN_MAIN, title);
}

static void close_screens() {
  for (int w = 1; w <= SCREENS_LAST; w++) MACIBM_killwind(w);
}

// The root airfoil of every part, for the thickness the views draw.
static void assign_all_thicknesses() {
  for (int p = 0; p < LIFTING_PARTS; p++) {
    char path[STR_SIZE];
    C_to_C(pln.Rafl0[p], path);
    ap_dir("airfoils", path);
    assign_foil_thickness(path, p);
  }
}

// ---- Commands --------------------------------------------------------------------------------

void set_up_for_type(int is_heli, const char* name, const char* path) {
  build_menus(is_heli);
  close_screens();
  edt.planemod = 0;
  edt.planenamed = 0;
  C_to_C(name, pln.C_file);
  C_to_C(path, pln.C_path);
  new_aircraft_record(is_heli);
  assign_all_thicknesses();
  refresh_titles();
  MACIBM_invalwind(WIN_MAIN);
}

int do_new_thing() {
  if (!edt.planemod) return 1;
  switch (MACIBM_respond_alert(pln.C_file)) {
    case 1:
      edt.planemod = writeout(0) ? 0 : 1;
      return edt.planemod ? 0 : 1;
    case 2:
      return 1;
    default:
      return 0;
  }
}

void openplane() {
  char name[STR_SIZE], path[STR_SIZE];
  C_to_C(pln.C_file, name);
  C_to_C(pln.C_path, path);
  if (!MACIBM_open(name, path, FILE_AIRCRAFT)) return;
  int mirrored = 0;
  if (!read_aircraft_file(path, &mirrored)) return;
  edt.planemod = mirrored;
  edt.planenamed = 1;
  close_screens();
  build_menus(pln.is_heli ? 1 : 0);
  refresh_titles();
}

int writeout(int save_as) {
  char name[STR_SIZE], path[STR_SIZE];
  C_to_C(pln.C_file, name);
  C_to_C(pln.C_path, path);
  if (!edt.planenamed || save_as || !path[0]) {
    if (!MACIBM_save(name, path, FILE_AIRCRAFT)) return 0;
  }
  // The file holds the design as the editor keeps it, whatever was changed since the last
  // command.
  if (apply_symmetry()) edt.planemod = 1;
  if (!writeout_file(path)) return 0;
  C_to_C(name, pln.C_file);
  C_to_C(path, pln.C_path);
  edt.planenamed = 1;
  refresh_titles();
  tell_check_problems(path);
  return 1;
}

void editor_handlemenu(int id) {
  switch (id) {
    case CMD_NEW:
      if (do_new_thing()) set_up_for_type(pln.is_heli ? 1 : 0, "Untitled.acf", "");
      break;
    case CMD_NEW_HELI:
    case CMD_NEW_PLANE:
      if (do_new_thing()) set_up_for_type(pln.is_heli ? 0 : 1, "Untitled.acf", "");
      break;
    case CMD_OPEN:
      if (do_new_thing()) openplane();
      break;
    case CMD_SAVE:
      edt.planemod = writeout(0) ? 0 : 1;
      break;
    case CMD_SAVE_AS:
      edt.planemod = writeout(1) ? 0 : 1;
      break;
    case CMD_PAINT_KIT:
      make_paint_kit();
      break;
    case CMD_FLIGHT_TEST:
      flight_test();
      break;
    case CMD_QUIT:
      // The silent fatal alert is the one way out: it ends the program with status 0.
      if (do_new_thing()) MACIBM_alert("", "", "", "", ALERT_EDIT_FATAL);
      break;
    default:
      if (const int w = screen_window_of_item(id)) open_screen(w);
      break;
  }
  if (apply_symmetry()) edt.planemod = 1;
  MACIBM_invalwind(WIN_MAIN);
}
