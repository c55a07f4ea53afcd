// The map windows in the simulator: the Output menu's maps and the Location items that pick a
// start place on a map, their clicks, drags and releases, their redraw as the aircraft flies,
// and the flight started where a picking map was clicked.
#include "app/app.h"

#include <cmath>

#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "world/world.h"

// A moving map is drawn again this often while the flight runs, ms: ten times a second is smooth
// enough for a chart and leaves the frame its time.
const double MAP_REDRAW_MS = 100.0;

static double last_draw_ms[MAP_SLOTS];
static int dirty[MAP_SLOTS];
// The press the maps have seen: one press acts once, however long the button is held.
static int press_taken = 0;

static int slot_of(const mapview* v) { return static_cast<int>(v - mapv); }

// ---- Opening ---------------------------------------------------------------------------------

namespace {
struct map_command {
  int id;
  int kind;
  int pick;
};
}  // namespace

// The Output menu's maps, the Location items that pick a place on a map, and the "d" key's chart
// (the same command as Low Enroute). The pickers hold the flight while the pilot chooses, as the
// other location windows do; the moving maps let it fly on under them.
static const map_command map_commands[] = {
    {503, MAP_ENROUTE, 0}, {504, MAP_LOCAL, 0}, {505, MAP_RADAR, 0}, {506, MAP_ISO, 0},
    {507, MAP_WORLD, 1},   {508, MAP_PATH, 0},  {311, MAP_ENROUTE, 1}, {312, MAP_LOCAL, 1},
    {313, MAP_WORLD, 1}};

int open_map_command(int id) {
  for (const map_command& c : map_commands) {
    if (c.id != id) continue;
    // The chart window has no size in the window table; a map window would be no use at the
    // single pixel a window without a size opens at.
    const int w = map_window_of_kind(c.kind);
    if (mnw.dx[w] <= 1 || mnw.dy[w] <= MAP_BAR_H + MAP_INFO_H)
      set_win_params(w, "", MAP_CHART_W, MAP_CHART_H);
    map_setup(c.kind, c.pick);
    set_win_title(w, map_title(map_of_window(w)));
    MACIBM_startwind(w, 1);
    if (c.pick) msc.winsup = 1;
    mapview* v = map_of_window(w);
    dirty[slot_of(v)] = 1;
    map_draw(w);
    last_draw_ms[slot_of(v)] = MACIBM_clock_ms();
    return 1;
  }
  return 0;
}

// ---- Starting where the pilot clicked ----------------------------------------------------------

// An air start over the place at the height and speed of a start over a radio aid, heading on as
// the aircraft flew. The region is loaded around the place unless the place already lies in the
// part of the region that keeps it from moving at once.
static void start_at(float lat, float lon) {
  const float s = static_cast<float>(env.lat_sou), w = static_cast<float>(env.lon_wes);
  const int inside = env.dx > 0.0f && lat > s + 0.45f && lat < s + 1.55f && lon > w + 0.95f &&
                     lon < w + 2.05f;
  if (!inside) {
    region_corner_for(lat, lon);
    load_region();
  }
  set.cus_X = X_with_latlon(lat, lon);
  set.cus_Z = Z_with_lat(lat);
  int i = env.i_aircraft, j = env.j_aircraft;
  const float ground =
      find_ijt_with_loc(set.cus_X, set.cus_Z, &i, &j, 1) ? find_local_h(set.cus_X, set.cus_Z, i, j) : 0.0f;
  set.cus_Y = ground + 1000.0f;
  set.cus_psi = std::isfinite(flt.psi) ? fltwrap(flt.psi, 0.0f, 360.0f) : 0.0f;
  set.cus_v = 1.5f * msc.est_Vs;
  set_fltvars(START_IN_FLIGHT);
}

// A picked place beyond the world data has no ground to fly over: the map stays open.
static void picked(mapview* v, float lat, float lon) {
  if (!map_in_world(lat, lon)) {
    MACIBM_alert("That place lies outside the world Kestrix flies in.",
                 "The world data covers the 48 contiguous states: latitudes 23 to 51 north, "
                 "longitudes 126 to 65 west.",
                 "Click a place inside it.", "", ALERT_NOTICE);
    return;
  }
  const int w = v->win;
  MACIBM_killwind(w);
  process_zap(w);
  stop_engine_and_windrain();
  start_at(lat, lon);
  play_engine_and_windrain();
  msc.event = 1;
}

// ---- Events ----------------------------------------------------------------------------------

// A press, a held button's repeat or a redraw of a map window: a new press on a map acts once;
// then every open map is drawn again.
void manage_map(int open) {
  const int w = mnw.dragging_index;
  mapview* v = map_of_window(w);
  if (!open && v && mnw.mousedown && mnw.up[w] && !press_taken) {
    press_taken = 1;
    map_press(v, mnw.mx, mnw.my);
    set_win_title(w, map_title(v));  // a tab may have shown another chart
    dirty[slot_of(v)] = 1;
  }
  for (int s = 0; s < MAP_SLOTS; s++)
    if (mnw.up[mapv[s].win] && mapv[s].win == map_window_of_kind(mapv[s].kind)) dirty[s] = 1;
}

// Each pass of the loop: a held mouse drags its map, a released one clicks it, and the open maps
// are drawn again when something changed or, while the flight runs, ten times a second.
void update_maps() {
  for (int s = 0; s < MAP_SLOTS; s++) {
    mapview* v = &mapv[s];
    if (!mnw.up[v->win] || v->win != map_window_of_kind(v->kind)) continue;
    if (v->down && mnw.mousedown) {
      map_drag(v, mnw.mx, mnw.my);
      dirty[s] = 1;
    } else if (v->down) {
      float lat, lon;
      dirty[s] = 1;
      if (map_release(v, mnw.mx, mnw.my, &lat, &lon)) {
        picked(v, lat, lon);
        continue;
      }
    }
    const double now = MACIBM_clock_ms();
    const int flying = !msc.paused && !msc.winsup;
    if (dirty[s] || (flying && now - last_draw_ms[s] >= MAP_REDRAW_MS)) {
      map_draw(v->win);
      last_draw_ms[s] = now;
      dirty[s] = 0;
    }
  }
  if (!mnw.mousedown) press_taken = 0;
}
