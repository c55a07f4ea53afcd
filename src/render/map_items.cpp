// What a 2-D map shows from the database: the airports, radio aids, fixes and the aircraft within
// its area, ranked, their labels placed where they overlap nothing, the item under a click and
// its description, and the runways to scale.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "flight/flight.h"
#include "render/map.h"
#include "shared/shared.h"
#include "world/world.h"

map_list maplist;

// Scales below which the smaller items are left off a chart, pixels per nautical mile: NDBs from
// about 300 nm across the chart, fixes from about 100.
const float NDB_MIN_PPNM = 2.0f, FIX_MIN_PPNM = 6.0f;

// ---- Ranks and sizes -------------------------------------------------------------------------

// Lower ranks are collected, drawn on top and labelled first.
enum { RANK_AIRCRAFT, RANK_VOR, RANK_TOWERED, RANK_LONG_FIELD, RANK_NDB, RANK_FIELD, RANK_FIX };

static int longest_runway(int n) {
  int m = 0;
  for (int r = 0; r < APT_RWYS; r++) m = intmax2(m, apt_len[n][r]);
  return m;
}

static int airport_rank(int n) {
  if (apt_twr[n]) return RANK_TOWERED;
  return longest_runway(n) >= 1000 ? RANK_LONG_FIELD : RANK_FIELD;
}

// Half the size of an item's symbol, px.
static int symbol_radius(int type) {
  switch (type) {
    case MAP_ITEM_AIRCRAFT:
      return 9;
    case MAP_ITEM_VOR:
    case MAP_ITEM_NDB:
      return 5;
    case MAP_ITEM_FIX:
      return 3;
    default:
      return 4;
  }
}

// ---- Room for labels -------------------------------------------------------------------------

// Which 2 x 2 pixel cells of the map area are taken by a symbol or a label. A box takes every cell
// it touches, so that boxes in different cells never share a pixel.
enum { OCC_CELL = 2, OCC_W = 1024 / OCC_CELL, OCC_H = 768 / OCC_CELL };
static unsigned char occ[OCC_H][OCC_W];

// The cells of box x0..x1, y0..y1 (px, inclusive); 0 when it reaches beyond the grid.
static int box_cells(int x0, int y0, int x1, int y1, int* c0, int* r0, int* c1, int* r1) {
  if (x0 < 0 || y0 < 0 || x1 >= OCC_W * OCC_CELL || y1 >= OCC_H * OCC_CELL) return 0;
  *c0 = x0 / OCC_CELL, *r0 = y0 / OCC_CELL, *c1 = x1 / OCC_CELL, *r1 = y1 / OCC_CELL;
  return 1;
}

static void occ_mark(int x0, int y0, int x1, int y1) {
  int c0, r0, c1, r1;
  x0 = intmax2(x0, 0), y0 = intmax2(y0, 0);
  x1 = intmin2(x1, OCC_W * OCC_CELL - 1), y1 = intmin2(y1, OCC_H * OCC_CELL - 1);
  if (x0 > x1 || y0 > y1 || !box_cells(x0, y0, x1, y1, &c0, &r0, &c1, &r1)) return;
  for (int r = r0; r <= r1; r++) std::memset(&occ[r][c0], 1, static_cast<size_t>(c1 - c0 + 1));
}

static int occ_free(int x0, int y0, int x1, int y1) {
  int c0, r0, c1, r1;
  if (!box_cells(x0, y0, x1, y1, &c0, &r0, &c1, &r1)) return 0;
  for (int r = r0; r <= r1; r++)
    for (int c = c0; c <= c1; c++)
      if (occ[r][c]) return 0;
  return 1;
}

int map_place_label(const mapview* v, int k, const char* text, int color) {
  if (k < 0 || k >= maplist.n_items || maplist.n_labels >= MAP_LABELS_MAX) return 0;
  const map_item& it = maplist.items[k];
  const int len = static_cast<int>(std::strlen(text));
  if (len <= 0 || len >= static_cast<int>(sizeof maplist.labels[0].text)) return 0;
  // The glyphs with a pixel of halo all round; clear of the symbol by more than a grid cell.
  const int w = 6 * len + 1, h = 9, gap = symbol_radius(it.type) + OCC_CELL + 1;
  const int x = intround(it.x), y = intround(it.y);
  const int tries[4][2] = {
      {x + gap, y - h / 2}, {x - gap - w, y - h / 2}, {x - w / 2, y + gap}, {x - w / 2, y - gap - h}};
  const int right = map_width(v->win) - 1, top = map_height(v->win) - MAP_BAR_H - 1;
  for (const auto& t : tries) {
    const int x0 = t[0], y0 = t[1], x1 = t[0] + w - 1, y1 = t[1] + h - 1;
    if (x0 < 0 || y0 < MAP_INFO_H || x1 > right || y1 > top) continue;
    if (!occ_free(x0, y0, x1, y1)) continue;
    occ_mark(x0, y0, x1, y1);
    map_label& l = maplist.labels[maplist.n_labels++];
    l.item = k, l.x = x0, l.y = y0, l.w = w, l.h = h, l.color = color;
    std::snprintf(l.text, sizeof l.text, "%s", text);
    return 1;
  }
  return 0;
}

// ---- Collecting ------------------------------------------------------------------------------

// An identifier without its trailing blanks.
static void trimmed(const char* id, int size, char* out) {
  int n = 0;
  while (n < size && id[n] && id[n] != ' ') out[n] = id[n], n++;
  out[n] = '\0';
}

int map_add_item(const mapview* v, int type, int n, float x, float y, int rank) {
  // Symbols just beyond the edge are kept: a compass rose or a runway may reach into the map.
  const float m = 40.0f;
  if (maplist.n_items >= MAP_ITEMS_MAX || !std::isfinite(x) || !std::isfinite(y) || x < -m ||
      y < -m || x > map_width(v->win) + m || y > map_height(v->win) - MAP_BAR_H + m)
    return -1;
  maplist.items[maplist.n_items] = map_item{type, n, x, y, rank};
  return maplist.n_items++;
}

static void add_item(const mapview* v, int type, int n, float lat, float lon, int rank) {
  if (!std::isfinite(lat) || !std::isfinite(lon)) return;
  float x, y;
  map_project(v, lat, lon, &x, &y);
  map_add_item(v, type, n, x, y, rank);
}

static void collect_database(const mapview* v) {
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (apt_id[n][0]) add_item(v, MAP_ITEM_AIRPORT, n, apt_lat[n][0], apt_lon[n][0], airport_rank(n));
  if (v->kind == MAP_WORLD) return;
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) {
    if (nav_type[n] == 3)
      add_item(v, MAP_ITEM_VOR, n, nav_lat[n], nav_lon[n], RANK_VOR);
    else if (nav_type[n] == 2 && v->ppnm >= NDB_MIN_PPNM)
      add_item(v, MAP_ITEM_NDB, n, nav_lat[n], nav_lon[n], RANK_NDB);
  }
  if (v->ppnm < FIX_MIN_PPNM) return;
  for (int n = 0; n < FIX_MAX; n++)
    if (fix_lat[n] > -998.0f && fix_name[n][0])
      add_item(v, MAP_ITEM_FIX, n, fix_lat[n], fix_lon[n], RANK_FIX);
}

// The label of an item, and its colour on a light map or on the dark radar.
static int label_of(const mapview* v, const map_item& it, char* text, int size) {
  char id[8];
  const int dark = v->kind == MAP_RADAR;
  switch (it.type) {
    case MAP_ITEM_AIRPORT:
      trimmed(apt_id[it.n], 4, id);
      std::snprintf(text, size, "%s", id);
      return dark ? 36 : it.rank == RANK_TOWERED ? 56 : 37;
    case MAP_ITEM_VOR:
      trimmed(nav_id[it.n], 4, id);
      std::snprintf(text, size, "%s %d.%02d", id, nav_f12[it.n] / 100, nav_f12[it.n] % 100);
      return dark ? 46 : 56;
    case MAP_ITEM_NDB:
      trimmed(nav_id[it.n], 4, id);
      std::snprintf(text, size, "%s %d", id, nav_f12[it.n]);
      return dark ? 46 : 37;
    case MAP_ITEM_FIX:
      trimmed(fix_name[it.n], 5, id);
      std::snprintf(text, size, "%s", id);
      return dark ? 39 : 38;
    default:
      text[0] = '\0';
      return 37;
  }
}

void map_list_clear() {
  maplist.n_items = 0;
  maplist.n_labels = 0;
  std::memset(occ, 0, sizeof occ);
  occ_mark(0, 0, OCC_W * OCC_CELL - 1, MAP_INFO_H - 1);
  occ_mark(0, MAP_INFO_H, 170, MAP_INFO_H + 22);
}

void map_collect(const mapview* v) {
  map_list_clear();
  collect_database(v);
  if (std::isfinite(flt.lat) && std::isfinite(flt.lon) && (env.dx > 0.0f || flt.lat != 0.0f))
    add_item(v, MAP_ITEM_AIRCRAFT, -1, flt.lat, flt.lon, RANK_AIRCRAFT);
  std::stable_sort(maplist.items, maplist.items + maplist.n_items,
                   [](const map_item& a, const map_item& b) { return a.rank < b.rank; });

  // Labels keep off the info line, the scale bar and the symbols; on the world map the dots of
  // the small fields are too many to keep off.
  for (int k = 0; k < maplist.n_items; k++) {
    const map_item& it = maplist.items[k];
    if (v->kind == MAP_WORLD && it.rank > RANK_TOWERED) continue;
    const int r = symbol_radius(it.type), x = intround(it.x), y = intround(it.y);
    occ_mark(x - r, y - r, x + r, y + r);
  }
  char text[24];
  for (int k = 0; k < maplist.n_items; k++) {
    if (v->kind == MAP_WORLD && maplist.items[k].rank > RANK_TOWERED) break;
    const int color = label_of(v, maplist.items[k], text, sizeof text);
    if (text[0]) map_place_label(v, k, text, color);
  }
}

// ---- Clicks ----------------------------------------------------------------------------------

int map_item_near(float x, float y, float radius) {
  int best = -1;
  float best_d = radius * radius;
  for (int k = 0; k < maplist.n_items; k++) {
    const float dx = maplist.items[k].x - x, dy = maplist.items[k].y - y;
    const float d = dx * dx + dy * dy;
    if (d <= best_d) best = k, best_d = d;
  }
  return best;
}

// A frequency key of hundredths of a MHz (or kHz, kilo = 1) as it is read out.
static void frequency(int key, int kilo, char* out, int size) {
  if (key <= 0)
    std::snprintf(out, size, "-");
  else if (kilo)
    std::snprintf(out, size, "%d.%02d", key / 1000, key % 1000 / 10);
  else
    std::snprintf(out, size, "%d.%02d", key / 100, key % 100);
}

void map_describe_item(int k, char* out, int size) {
  if (k < 0 || k >= maplist.n_items || size <= 0) return;
  const map_item& it = maplist.items[k];
  char id[8], name[28], f[16];
  switch (it.type) {
    case MAP_ITEM_AIRPORT: {
      trimmed(apt_id[it.n], 4, id);
      std::snprintf(name, sizeof name, "%.24s", apt_name[it.n]);
      const int elev = intround(apt_h[it.n] * con.mtrstoft);
      frequency(apt_twrf[it.n], 1, f, sizeof f);
      std::snprintf(out, size, "%s  %s  ELEV %d FT  LONGEST RWY %d FT%s%s", id, name, elev,
                    intround(longest_runway(it.n) * con.mtrstoft), apt_twrf[it.n] ? "  TWR " : "",
                    apt_twrf[it.n] ? f : "");
      break;
    }
    case MAP_ITEM_VOR:
    case MAP_ITEM_NDB:
      trimmed(nav_id[it.n], 4, id);
      std::snprintf(name, sizeof name, "%.24s", nav_name[it.n]);
      if (it.type == MAP_ITEM_VOR)
        frequency(nav_f12[it.n], 0, f, sizeof f);
      else
        std::snprintf(f, sizeof f, "%d", nav_f12[it.n]);
      std::snprintf(out, size, "%s  %s  %s %s", id, name, it.type == MAP_ITEM_VOR ? "VOR" : "NDB",
                    f);
      break;
    case MAP_ITEM_FIX:
      trimmed(fix_name[it.n], 5, id);
      std::snprintf(out, size, "%s  FIX", id);
      break;
    default:
      // The heading the pilot's heading indicator and head-up display show: magnetic.
      std::snprintf(out, size, "YOU  %d FT  HDG %03d  %d KT", intround(flt.Y * con.mtrstoft),
                    intround(mag_from_true(std::isfinite(flt.psi) ? flt.psi : 0.0f)) % 360,
                    intround(flt.v * con.msctokts));
      break;
  }
}

// ---- Runways ---------------------------------------------------------------------------------

void map_runway_corners(const mapview* v, int n, int r, float xy[4][2]) {
  n = intlim(n, 0, APT_MAX - 1), r = intlim(r, 0, APT_RWYS - 1);
  float cx, cy;
  map_project(v, apt_lat[n][r], apt_lon[n][r], &cx, &cy);
  const float half_len = 0.5f * apt_len[n][r] * con.mtrstonm * v->ppnm;
  // A runway never narrower than a line and a half, so that it shows at every scale.
  const float half_w = fltmax2(0.5f * apt_width[n][r] * con.mtrstonm * v->ppnm, 0.75f);
  const float s = isin(apt_hdng[n][r]), c = icos(apt_hdng[n][r]);
  const float ax = s * half_len, ay = c * half_len, bx = c * half_w, by = -s * half_w;
  const float corners[4][2] = {
      {cx - ax - bx, cy - ay - by}, {cx - ax + bx, cy - ay + by}, {cx + ax + bx, cy + ay + by},
      {cx + ax - bx, cy + ay - by}};
  std::memcpy(xy, corners, sizeof corners);
}
