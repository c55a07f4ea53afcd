// The map windows' views: setting a map up, the projection of the 2-D maps, zoom, fit, the button
// bar, and what a press, a drag and a release do.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map.h"
#include "shared/shared.h"
#include "world/world.h"

mapview mapv[MAP_SLOTS];

static const int slot_windows[MAP_SLOTS] = {MAP_WIN_CHART, MAP_WIN_WORLD, MAP_WIN_ISO,
                                            MAP_WIN_PATH};

mapview* map_of_window(int w) {
  for (int s = 0; s < MAP_SLOTS; s++)
    if (slot_windows[s] == w) return &mapv[s];
  return nullptr;
}

int map_window_of_kind(int kind) {
  switch (kind) {
    case MAP_WORLD:
      return MAP_WIN_WORLD;
    case MAP_ISO:
      return MAP_WIN_ISO;
    case MAP_PATH:
      return MAP_WIN_PATH;
    default:
      return MAP_WIN_CHART;
  }
}

int map_width(int w) { return intlim(mnw.dx[intlim(w, 0, MAX_WINDOWS - 1)], 1, 4096); }
int map_height(int w) { return intlim(mnw.dy[intlim(w, 0, MAX_WINDOWS - 1)], 1, 4096); }

// The map area: the window below the button bar.
static float area_h(const mapview* v) {
  return static_cast<float>(intmax2(map_height(v->win) - MAP_BAR_H, 1));
}

const char* map_title(const mapview* v) {
  static const char* const view_titles[MAP_KINDS] = {
      "Low Enroute", "Local Virtual-World", "Weather Radar Map", "World", "Isometric Region",
      "3-D Flight Path"};
  static const char* const pick_titles[MAP_KINDS] = {
      "Enroute: Click A Place To Start There", "Local VR: Click A Place To Start There", "",
      "", "", ""};
  const int k = intlim(v->kind, 0, MAP_KINDS - 1);
  return v->pick && pick_titles[k][0] ? pick_titles[k] : view_titles[k];
}

// ---- Projection ------------------------------------------------------------------------------

// An equirectangular projection about the map's centre: north up, one nautical mile a minute of
// latitude, and of longitude times the cosine of the reference parallel.
static float east_nm_per_deg(const mapview* v) {
  return 60.0f * fltmax2(std::cos(v->ref_lat * con.degtorad), 0.05f);
}

void map_project(const mapview* v, float lat, float lon, float* x, float* y) {
  *x = 0.5f * map_width(v->win) + (lon - v->clon) * east_nm_per_deg(v) * v->ppnm;
  *y = 0.5f * area_h(v) + (lat - v->clat) * 60.0f * v->ppnm;
}

void map_unproject(const mapview* v, float x, float y, float* lat, float* lon) {
  *lon = v->clon + (x - 0.5f * map_width(v->win)) / (east_nm_per_deg(v) * v->ppnm);
  *lat = v->clat + (y - 0.5f * area_h(v)) / (60.0f * v->ppnm);
}

void map_zoom(mapview* v, float factor) {
  if (!(factor > 0.0f)) return;
  if (v->kind == MAP_ISO || v->kind == MAP_PATH)
    v->zoom = fltlim(v->zoom * factor, 0.25f, 16.0f);
  else
    v->ppnm = fltlim(v->ppnm * factor, MAP_PPNM_MIN, MAP_PPNM_MAX);
}

int map_in_world(float lat, float lon) {
  return lat >= WORLD_LAT0 && lat <= WORLD_LAT1 && lon >= WORLD_LON0 && lon <= WORLD_LON1;
}

// Centre and scale so that the box south..north, west..east fills the map area with a margin.
static void show_box(mapview* v, float south, float north, float west, float east) {
  v->clat = 0.5f * (south + north);
  v->clon = 0.5f * (west + east);
  v->ref_lat = v->clat;
  const float w_nm = fltmax2((east - west) * east_nm_per_deg(v), 1.0f);
  const float h_nm = fltmax2((north - south) * 60.0f, 1.0f);
  v->ppnm = fltlim(0.96f * fltmin2(map_width(v->win) / w_nm, area_h(v) / h_nm), MAP_PPNM_MIN,
                   MAP_PPNM_MAX);
}

static int region_loaded() { return env.dx > 0.0f && env.dz > 0.0f; }

static float aircraft_lat() { return std::isfinite(flt.lat) ? flt.lat : 0.0f; }
static float aircraft_lon() { return std::isfinite(flt.lon) ? flt.lon : 0.0f; }

void map_fit(mapview* v) {
  v->follow = 0;
  v->zoom = 1.0f;
  switch (v->kind) {
    case MAP_WORLD:
      show_box(v, WORLD_LAT0, WORLD_LAT1, WORLD_LON0, WORLD_LON1);
      break;
    case MAP_LOCAL:
    case MAP_RADAR:
      if (region_loaded()) {
        const float s = static_cast<float>(env.lat_sou), w = static_cast<float>(env.lon_wes);
        show_box(v, s, s + 2.0f, w, w + 3.0f);
        break;
      }
      [[fallthrough]];
    case MAP_ENROUTE:
      // Sixty nautical miles across the chart around the aircraft, following it.
      v->clat = v->ref_lat = aircraft_lat();
      v->clon = aircraft_lon();
      v->ppnm = map_width(v->win) / 60.0f;
      v->follow = 1;
      break;
    default:
      // The 3-D views look north-east from the south-west, as an isometric drawing does.
      v->yaw = 45.0f;
      v->pitch = v->kind == MAP_ISO ? 35.0f : 25.0f;
      break;
  }
}

static const char* hint(const mapview* v) {
  if (v->kind == MAP_ISO || v->kind == MAP_PATH) return "DRAG TO TURN, + AND - TO ZOOM";
  if (v->pick) return "CLICK A PLACE TO START THE FLIGHT THERE, DRAG TO MOVE THE MAP";
  return "DRAG TO MOVE THE MAP, CLICK A SYMBOL FOR ITS DETAILS";
}

int map_setup(int kind, int pick) {
  kind = intlim(kind, 0, MAP_KINDS - 1);
  const int w = map_window_of_kind(kind);
  mapview* v = map_of_window(w);
  if (!v) return w;
  *v = mapview();
  v->win = w;
  v->kind = kind;
  v->picker = pick;
  v->pick = pick && (kind == MAP_ENROUTE || kind == MAP_LOCAL || kind == MAP_WORLD);
  map_fit(v);
  std::snprintf(v->info, sizeof v->info, "%s", hint(v));
  return w;
}

// ---- Button bar ------------------------------------------------------------------------------

namespace {
struct bar_button {
  int id;
  int x, w;  // px from the window's left edge
};
}  // namespace

static const bar_button chart_bar[] = {
    {MAP_BTN_ENROUTE, 4, 58},   {MAP_BTN_LOCAL, 64, 46}, {MAP_BTN_RADAR, 112, 46},
    {MAP_BTN_ZOOM_IN, 168, 18}, {MAP_BTN_ZOOM_OUT, 188, 18}, {MAP_BTN_FOLLOW, 208, 52},
    {MAP_BTN_ALL, 262, 28}};
static const bar_button other_bar[] = {
    {MAP_BTN_ZOOM_IN, 4, 18}, {MAP_BTN_ZOOM_OUT, 24, 18}, {MAP_BTN_ALL, 44, 28}};

// The buttons of a window's bar.
static const bar_button* bar_of(const mapview* v, int* n) {
  if (v->win == MAP_WIN_CHART) {
    *n = static_cast<int>(sizeof chart_bar / sizeof chart_bar[0]);
    return chart_bar;
  }
  *n = static_cast<int>(sizeof other_bar / sizeof other_bar[0]);
  return other_bar;
}

int map_button_at(const mapview* v, int x, int y) {
  if (y < map_height(v->win) - MAP_BAR_H) return MAP_BTN_NONE;
  int n;
  const bar_button* b = bar_of(v, &n);
  for (int k = 0; k < n; k++)
    if (x >= b[k].x && x < b[k].x + b[k].w) return b[k].id;
  return MAP_BTN_NONE;
}

int map_button_box(const mapview* v, int id, int* x, int* w) {
  int n;
  const bar_button* b = bar_of(v, &n);
  for (int k = 0; k < n; k++)
    if (b[k].id == id) {
      *x = b[k].x, *w = b[k].w;
      return 1;
    }
  return 0;
}

// A chart tab shows another chart in the same window, keeping whether a click picks a place: a
// picking window stays one through a chart that cannot pick (the radar).
static void switch_chart(mapview* v, int kind) {
  if (v->kind == kind) return;
  map_setup(kind, v->picker);
}

static void press_button(mapview* v, int id) {
  switch (id) {
    case MAP_BTN_ENROUTE:
      switch_chart(v, MAP_ENROUTE);
      break;
    case MAP_BTN_LOCAL:
      switch_chart(v, MAP_LOCAL);
      break;
    case MAP_BTN_RADAR:
      switch_chart(v, MAP_RADAR);
      break;
    case MAP_BTN_ZOOM_IN:
      map_zoom(v, 1.5f);
      break;
    case MAP_BTN_ZOOM_OUT:
      map_zoom(v, 1.0f / 1.5f);
      break;
    case MAP_BTN_FOLLOW:
      v->follow = !v->follow;
      break;
    case MAP_BTN_ALL:
      map_fit(v);
      break;
    default:
      break;
  }
}

// ---- Mouse -----------------------------------------------------------------------------------

void map_press(mapview* v, int x, int y) {
  v->down = 0;
  if (y >= map_height(v->win) - MAP_BAR_H) {
    press_button(v, map_button_at(v, x, y));
    return;
  }
  v->down = 1;
  v->moved = 0;
  v->press_x = x, v->press_y = y;
  const int three_d = v->kind == MAP_ISO || v->kind == MAP_PATH;
  v->press_clat = three_d ? v->yaw : v->clat;
  v->press_clon = three_d ? v->pitch : v->clon;
}

void map_drag(mapview* v, int x, int y) {
  if (!v->down) return;
  const int dx = x - v->press_x, dy = y - v->press_y;
  if (!v->moved && std::abs(dx) <= MAP_CLICK_SLOP && std::abs(dy) <= MAP_CLICK_SLOP) return;
  v->moved = 1;
  if (v->kind == MAP_ISO || v->kind == MAP_PATH) {
    // Half a degree of turn per pixel across, a third of a degree of tilt per pixel up or down.
    v->yaw = fltwrap(v->press_clat - 0.5f * dx, 0.0f, 360.0f);
    v->pitch = fltlim(v->press_clon - 0.3f * dy, 5.0f, 89.0f);
    return;
  }
  // The ground under the mouse stays under it: the centre moves against the drag. Its longitude
  // runs on past the date line as the region's and the aircraft's do; wrapped, the chart would
  // jump a whole turn away from the ground and the aircraft it shows.
  v->follow = 0;
  v->clat = fltlim(v->press_clat - dy / (60.0f * v->ppnm), -89.0f, 89.0f);
  v->clon = v->press_clon - dx / (east_nm_per_deg(v) * v->ppnm);
}

int map_release(mapview* v, int x, int y, float* lat, float* lon) {
  if (!v->down) return 0;
  map_drag(v, x, y);
  v->down = 0;
  if (v->moved || v->kind == MAP_ISO || v->kind == MAP_PATH) return 0;
  float la, lo;
  map_unproject(v, static_cast<float>(x), static_cast<float>(y), &la, &lo);
  lo = std::remainder(lo, 360.0f);  // a place east of the date line lies west of Greenwich
  if (v->pick) {
    *lat = la, *lon = lo;
    return 1;
  }
  // The symbols of this map as it stands: the list may hold another map's, drawn since.
  map_collect(v);
  const int k = map_item_near(static_cast<float>(x), static_cast<float>(y), 8.0f);
  if (k >= 0) {
    map_describe_item(k, v->info, sizeof v->info);
    return 0;
  }
  // Rounded to the tenth of a minute shown, as a whole: rounding the minutes alone made 34.9999
  // read as 34 degrees 60.0 minutes.
  const long lat_tenths = std::lround(std::fabs(la) * 600.0f);
  const long lon_tenths = std::lround(std::fabs(lo) * 600.0f);
  std::snprintf(v->info, sizeof v->info, "%c%02ld %02ld.%ld  %c%03ld %02ld.%ld", la < 0 ? 'S' : 'N',
                lat_tenths / 600, lat_tenths % 600 / 10, lat_tenths % 10, lo < 0 ? 'W' : 'E',
                lon_tenths / 600, lon_tenths % 600 / 10, lon_tenths % 10);
  return 0;
}
