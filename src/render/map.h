// The moving maps: what each map window shows (the en-route and local charts, the weather radar,
// the world, the isometric region and the 3-D flight path), their projection, zoom, pan and turn,
// the items of a chart with their labels, the button bar, and drawing them with the drawing layer.
// The application opens the windows and routes their clicks here (src/app/maps.cpp).
#pragma once

// What a map shows.
enum {
  MAP_ENROUTE,  // low-altitude chart around the aircraft: airports, radio aids and fixes
  MAP_LOCAL,    // the loaded region's ground, its airports and aids
  MAP_RADAR,    // the storm field over the region
  MAP_WORLD,    // the whole world the data covers
  MAP_ISO,      // the region's ground seen from above at an angle
  MAP_PATH,     // the recorded flight path in 3-D
  MAP_KINDS,
};

// The windows the maps are drawn in: the charts share window 3, whose size no table gives.
enum { MAP_WIN_CHART = 3, MAP_WIN_WORLD = 4, MAP_WIN_ISO = 26, MAP_WIN_PATH = 27, MAP_SLOTS = 4 };
enum { MAP_CHART_W = 640, MAP_CHART_H = 480 };
// The button bar along the top of every map window, and the info line along its bottom, px.
enum { MAP_BAR_H = 20, MAP_INFO_H = 13 };

// Limits of the 2-D charts' scale, pixels per nautical mile.
const float MAP_PPNM_MIN = 0.25f, MAP_PPNM_MAX = 200.0f;
// How far the mouse may move between press and release for the press to count as a click, px.
enum { MAP_CLICK_SLOP = 3 };

// One map window's view. Lifetime: program; a menu command sets a map up afresh.
struct mapview {
  int win;            // window index
  int kind;           // MAP_ENROUTE..MAP_PATH
  int pick;           // a click on the map picks a start place
  int picker;         // the window was opened to pick one: its charts that can, pick
  int follow;         // the chart keeps the aircraft at its centre
  float clat, clon;   // 2-D: centre of the map, degrees north and east
  float ref_lat;      // 2-D: parallel whose scale the projection keeps, degrees
  float ppnm;         // 2-D: scale, pixels per nautical mile
  float yaw, pitch;   // 3-D: the camera looks towards yaw (deg true), from pitch above the horizon
  float zoom;         // 3-D: magnification, 1 shows the whole scene
  int down;           // the button went down on the map and has not come up
  int press_x, press_y;         // where it went down, window px from the bottom-left
  int moved;                    // it moved beyond the click slop since
  float press_clat, press_clon;  // the centre, or the camera angles, when it went down
  char info[160];     // info line: what the last click found, or a hint
};
extern mapview mapv[MAP_SLOTS];

// The view of window w, or null when w shows no map.
mapview* map_of_window(int w);
// The window a kind is shown in.
int map_window_of_kind(int kind);
// Sets the map of `kind` up afresh in its window: centred on the aircraft (the charts), on the
// region (local, radar, isometric), on the world, or on the path; `pick` makes a click start the
// flight there. The window's size must be set first; its title is map_title's. Returns the
// window.
int map_setup(int kind, int pick);
// The window's title for its view.
const char* map_title(const mapview* v);
// Client size of window w.
int map_width(int w);
int map_height(int w);

// ---- Projection of the 2-D maps --------------------------------------------------------------

// Window pixels of a place, and the place under a window pixel. The map area lies under the
// button bar; north is up, and the scale is true along ref_lat.
void map_project(const mapview* v, float lat, float lon, float* x, float* y);
void map_unproject(const mapview* v, float x, float y, float* lat, float* lon);
// Scales about the map's centre by `factor`, within MAP_PPNM_MIN..MAX (2-D), or the 3-D zoom.
void map_zoom(mapview* v, float factor);
// Shows the whole region (local, radar) or the whole world (world) in the window.
void map_fit(mapview* v);
// 1 when the place lies in the world the data covers.
int map_in_world(float lat, float lon);

// ---- Mouse -----------------------------------------------------------------------------------

// The button bar: what a press at x (window px) does.
enum {
  MAP_BTN_NONE,
  MAP_BTN_ENROUTE,
  MAP_BTN_LOCAL,
  MAP_BTN_RADAR,
  MAP_BTN_ZOOM_IN,
  MAP_BTN_ZOOM_OUT,
  MAP_BTN_FOLLOW,  // charts: keep the aircraft centred
  MAP_BTN_ALL,     // show the whole region, world or path again
};
int map_button_at(const mapview* v, int x, int y);
// Left edge and width of button `id` in window w's bar; 0 when the window has no such button.
int map_button_box(const mapview* v, int id, int* x, int* w);
// A press at window pixel (x, y): a button acts at once; on the map it starts a drag or a click.
void map_press(mapview* v, int x, int y);
// The held mouse is at (x, y): the 2-D maps pan with it, the 3-D ones turn.
void map_drag(mapview* v, int x, int y);
// The button came up at (x, y). When it had not moved, a click: a picking map returns 1 with the
// place in *lat, *lon; any other writes what lies there to the info line.
int map_release(mapview* v, int x, int y, float* lat, float* lon);

// ---- Chart items and labels ------------------------------------------------------------------

enum { MAP_ITEM_AIRPORT, MAP_ITEM_VOR, MAP_ITEM_NDB, MAP_ITEM_FIX, MAP_ITEM_AIRCRAFT };
enum { MAP_ITEMS_MAX = 12000, MAP_LABELS_MAX = 800 };

// A symbol on the chart: a database record (airport, navaid or fix index) at window pixel x, y.
struct map_item {
  int type;   // MAP_ITEM_*
  int n;      // database index; -1 for the aircraft
  float x, y;  // window px
  int rank;   // 0 first: which symbols and labels win where they would overlap
};
// A label placed beside its symbol: its box in window px (x, y bottom-left), never over another.
struct map_label {
  int item;
  int x, y, w, h;
  int color;  // palette colour
  char text[24];
};
// What the last chart drawn holds: its symbols in rank order and the labels that found room.
// Lifetime: one redraw.
struct map_list {
  int n_items;
  map_item items[MAP_ITEMS_MAX];
  int n_labels;
  map_label labels[MAP_LABELS_MAX];
};
extern map_list maplist;

// Empties the list and the room for labels, keeping the labels off the info line and the scale.
void map_list_clear();
// Adds a symbol at window pixel (x, y) unless it lies well beyond the map area or the list is
// full; returns its index or -1.
int map_add_item(const mapview* v, int type, int n, float x, float y, int rank);
// Collects the symbols within the map area of a 2-D map from the database, the aircraft included,
// and places their labels.
void map_collect(const mapview* v);
// Places a label of `text` beside item k, trying right, left, above and below in turn; 0 when
// every place overlaps a label or symbol already there or leaves the map area.
int map_place_label(const mapview* v, int k, const char* text, int color);
// The item nearest window pixel (x, y) within `radius` px; -1 when none.
int map_item_near(float x, float y, float radius);
// What item k is, for the info line: identifier, name, kind and frequency or elevation.
void map_describe_item(int k, char* out, int size);
// The corners of runway r of airport n on the map, to scale along its true heading.
void map_runway_corners(const mapview* v, int n, int r, float xy[4][2]);

// ---- Drawing ---------------------------------------------------------------------------------

// Draws window w's map as it stands, when the window is open; a chart that follows the aircraft
// is centred on it first.
void map_draw(int w);
// The recorded flight path, oldest point first: up to `max` world positions x, y, z (m).
// Returns how many.
int map_path_points(float (*xyz)[3], int max);
