// The chart's symbols in the colours of an aeronautical chart: airports (their runways to scale
// once they are long enough to see), VORs with compass roses turned to magnetic north, NDBs,
// fixes, the flight path, the aircraft, range rings on the radar, and the labels with their boxes.
#include <cmath>

#include "flight/flight.h"
#include "render/map_local.h"
#include "shared/shared.h"
#include "world/world.h"

VBUF(chart_tris, 120000);
VBUF(chart_lines, 120000);
VBUF(path_lines, 2 * PATH_POINTS);
VBUF(small_dots, APT_MAX);  // the world map's fields, one point each
VBUF(big_dots, APT_MAX);
VBUF(top_tris, 200);  // the aircraft, over everything
VBUF(top_lines, 200);

// ---- Flat shapes -----------------------------------------------------------------------------

static const float up_n[3] = {0.0f, 0.0f, 1.0f};

static void map_tri(vbuf* b, float x1, float y1, float x2, float y2, float x3, float y3, rgba c) {
  const float p1[3] = {x1, y1, 0.0f}, p2[3] = {x2, y2, 0.0f}, p3[3] = {x3, y3, 0.0f};
  vb_tri(b, p1, p2, p3, up_n, c);
}

void map_quad(vbuf* b, const float xy[4][2], rgba c) {
  map_tri(b, xy[0][0], xy[0][1], xy[1][0], xy[1][1], xy[2][0], xy[2][1], c);
  map_tri(b, xy[0][0], xy[0][1], xy[2][0], xy[2][1], xy[3][0], xy[3][1], c);
}

void map_line(vbuf* b, float x1, float y1, float x2, float y2, rgba c) {
  const float p1[3] = {x1, y1, 0.0f}, p2[3] = {x2, y2, 0.0f};
  vb_line(b, p1, p2, c);
}

// Degrees between the points of a circle of radius r: no side longer than about two pixels, and
// never fewer than six sides, so that a dot costs six triangles and a compass rose stays round.
static int circle_step(float r) {
  if (r < 2.0f) return 60;
  if (r < 5.0f) return 30;
  if (r < 15.0f) return 15;
  return r < 40.0f ? 5 : 2;
}

// A disc, or a ring of lines, of radius r about (x, y).
static void map_disc(vbuf* b, float x, float y, float r, rgba c) {
  const int step = circle_step(r);
  for (int a = 0; a < 360; a += step)
    map_tri(b, x, y, x + r * isin(a), y + r * icos(a), x + r * isin(a + step),
            y + r * icos(a + step), c);
}

static void map_ring(vbuf* b, float x, float y, float r, rgba c) {
  const int step = circle_step(r);
  for (int a = 0; a < 360; a += step)
    map_line(b, x + r * isin(a), y + r * icos(a), x + r * isin(a + step), y + r * icos(a + step),
             c);
}

rgba map_paper() { return color_of(0.97f, 0.96f, 0.91f, 1.0f); }

// ---- Colours ---------------------------------------------------------------------------------

// Towered fields blue, the others magenta, radio aids in the blue of the chart's aids, NDBs in a
// brownish magenta; on the dark radar everything lighter.
static rgba item_color(const mapview* v, const map_item& it) {
  const int dark = v->kind == MAP_RADAR;
  switch (it.type) {
    case MAP_ITEM_AIRPORT:
      if (apt_twr[it.n]) return dark ? color_of(0.5f, 0.7f, 1.0f, 1.0f) : color_of(0.1f, 0.3f, 0.7f, 1.0f);
      return dark ? color_of(0.9f, 0.6f, 0.9f, 1.0f) : color_of(0.65f, 0.15f, 0.5f, 1.0f);
    case MAP_ITEM_VOR:
      return dark ? color_of(0.5f, 0.8f, 1.0f, 1.0f) : color_of(0.2f, 0.35f, 0.75f, 1.0f);
    case MAP_ITEM_NDB:
      return dark ? color_of(0.9f, 0.7f, 0.8f, 1.0f) : color_of(0.55f, 0.25f, 0.45f, 1.0f);
    default:
      return dark ? color_of(0.7f, 0.7f, 0.7f, 1.0f) : color_of(0.3f, 0.3f, 0.3f, 1.0f);
  }
}

// ---- Symbols ---------------------------------------------------------------------------------

// A field with a runway long enough to see is drawn as its runways to scale; a smaller one as a
// disc, a seaplane base as a ring and a heliport as a ring round an H.
static void airport_symbol(const mapview* v, const map_item& it) {
  const rgba c = item_color(v, it);
  const int n = it.n;
  int longest = 0;
  for (int r = 0; r < APT_RWYS; r++) longest = intmax2(longest, apt_len[n][r]);
  if (v->kind != MAP_WORLD && longest * con.mtrstonm * v->ppnm >= 12.0f) {
    for (int r = 0; r < APT_RWYS; r++) {
      if (apt_len[n][r] <= 0) continue;
      float xy[4][2];
      map_runway_corners(v, n, r, xy);
      map_quad(&chart_tris, xy, c);
    }
    return;
  }
  if (v->kind == MAP_WORLD) {
    const float p[3] = {it.x, it.y, 0.0f};
    vb_point(it.rank <= 2 ? &big_dots : &small_dots, p, c);
    return;
  }
  if (apt_kind[n] == APT_KIND_HELIPORT) {
    map_ring(&chart_lines, it.x, it.y, 4.5f, c);
    map_line(&chart_lines, it.x - 2, it.y - 3, it.x - 2, it.y + 3, c);
    map_line(&chart_lines, it.x + 2, it.y - 3, it.x + 2, it.y + 3, c);
    map_line(&chart_lines, it.x - 2, it.y, it.x + 2, it.y, c);
  } else if (apt_kind[n] == APT_KIND_SEAPLANE) {
    map_ring(&chart_lines, it.x, it.y, 4.5f, c);
    map_ring(&chart_lines, it.x, it.y, 2.0f, c);
  } else {
    map_disc(&chart_tris, it.x, it.y, 4.0f, c);
    // The four ticks of a field with services, as a chart shows them.
    for (int a = 0; a < 360; a += 90)
      map_line(&chart_lines, it.x + 4 * isin(a), it.y + 4 * icos(a), it.x + 6.5f * isin(a),
               it.y + 6.5f * icos(a), c);
  }
}

// A hexagon with a dot and, at scales where it fits, the compass rose: ticks every 10 degrees,
// longer every 30, and an arrow to magnetic north, which lies `variation` east of true north.
static void vor_symbol(const mapview* v, const map_item& it) {
  const rgba c = item_color(v, it);
  for (int k = 0; k < 6; k++) {
    const int a = 30 + 60 * k;
    map_line(&chart_lines, it.x + 5 * isin(a), it.y + 5 * icos(a), it.x + 5 * isin(a + 60),
             it.y + 5 * icos(a + 60), c);
  }
  map_disc(&chart_tris, it.x, it.y, 1.2f, c);
  if (v->ppnm < 2.0f) return;
  const float r = 30.0f;
  map_ring(&chart_lines, it.x, it.y, r, c);
  const int north = -find_var(nav_lat[it.n], nav_lon[it.n]);  // true bearing of magnetic north
  for (int m = 0; m < 360; m += 10) {
    const int a = north + m;
    const float in = m % 30 ? r - 3.0f : r - 6.0f;
    map_line(&chart_lines, it.x + in * isin(a), it.y + in * icos(a), it.x + r * isin(a),
             it.y + r * icos(a), c);
  }
  const float tip = r + 8.0f;
  map_tri(&chart_tris, it.x + tip * isin(north), it.y + tip * icos(north),
          it.x + r * isin(north - 6), it.y + r * icos(north - 6), it.x + r * isin(north + 6),
          it.y + r * icos(north + 6), c);
}

// Two rings of dots about a centre disc.
static void ndb_symbol(const mapview* v, const map_item& it) {
  const rgba c = item_color(v, it);
  map_disc(&chart_tris, it.x, it.y, 1.8f, c);
  for (int a = 0; a < 360; a += 30) {
    map_disc(&chart_tris, it.x + 4.5f * isin(a), it.y + 4.5f * icos(a), 0.7f, c);
    map_disc(&chart_tris, it.x + 7.0f * isin(a + 15), it.y + 7.0f * icos(a + 15), 0.7f, c);
  }
}

static void fix_symbol(const mapview* v, const map_item& it) {
  const rgba c = item_color(v, it);
  map_line(&chart_lines, it.x - 3, it.y - 2, it.x + 3, it.y - 2, c);
  map_line(&chart_lines, it.x + 3, it.y - 2, it.x, it.y + 3, c);
  map_line(&chart_lines, it.x, it.y + 3, it.x - 3, it.y - 2, c);
}

// The aircraft seen from above, nose along its heading, in yellow with a dark outline.
static void aircraft_symbol(const map_item& it) {
  static const float shape[][2] = {{0, 9},  {1, 6},  {1, 2},   {8, -1},  {8, -2}, {1, -1},
                                   {1, -6}, {3, -8}, {3, -9},  {0, -8},  {-3, -9}, {-3, -8},
                                   {-1, -6}, {-1, -1}, {-8, -2}, {-8, -1}, {-1, 2}, {-1, 6}};
  const int n = static_cast<int>(sizeof shape / sizeof shape[0]);
  const float s = std::sin(flt.psi * con.degtorad), c = std::cos(flt.psi * con.degtorad);
  float px[n], py[n];
  for (int k = 0; k < n; k++) {
    px[k] = it.x + shape[k][0] * c + shape[k][1] * s;
    py[k] = it.y - shape[k][0] * s + shape[k][1] * c;
  }
  const rgba fill = color_of(1.0f, 0.85f, 0.1f, 1.0f), edge = color_of(0.1f, 0.1f, 0.1f, 1.0f);
  // The outline is concave: a fan from the centre of the fuselage covers it.
  for (int k = 0; k < n; k++)
    map_tri(&top_tris, it.x, it.y, px[k], py[k], px[(k + 1) % n], py[(k + 1) % n], fill);
  for (int k = 0; k < n; k++)
    map_line(&top_lines, px[k], py[k], px[(k + 1) % n], py[(k + 1) % n], edge);
}

// ---- The path, range rings and the scale -----------------------------------------------------

static float path_xyz[PATH_POINTS][3];

static void flight_path(const mapview* v) {
  if (!(env.dx > 0.0f)) return;
  const int n = map_path_points(path_xyz, PATH_POINTS);
  const rgba c = v->kind == MAP_RADAR ? color_of(1.0f, 0.4f, 0.9f, 1.0f)
                                      : color_of(0.85f, 0.1f, 0.6f, 1.0f);
  float px = 0.0f, py = 0.0f;
  for (int k = 0; k < n; k++) {
    const float lat = lat_with_z(path_xyz[k][2]), lon = lon_with_xz(path_xyz[k][0], path_xyz[k][2]);
    float x, y;
    map_project(v, lat, lon, &x, &y);
    if (k > 0) map_line(&path_lines, px, py, x, y, c);
    px = x, py = y;
  }
}

static void range_rings(const mapview* v) {
  if (v->kind != MAP_RADAR || !std::isfinite(flt.lat)) return;
  float x, y;
  map_project(v, flt.lat, flt.lon, &x, &y);
  const rgba c = color_of(0.25f, 0.55f, 0.3f, 1.0f);
  for (float nm = 10.0f; nm <= 40.0f; nm *= 2.0f) map_ring(&chart_lines, x, y, nm * v->ppnm, c);
}

void map_draw_chart(const mapview* v) {
  chart_tris.n = chart_lines.n = path_lines.n = top_tris.n = top_lines.n = 0;
  small_dots.n = big_dots.n = 0;
  range_rings(v);
  flight_path(v);
  // Symbols from the lowest rank up, so that the aircraft and the radio aids end on top.
  for (int k = maplist.n_items - 1; k >= 0; k--) {
    const map_item& it = maplist.items[k];
    switch (it.type) {
      case MAP_ITEM_AIRPORT:
        airport_symbol(v, it);
        break;
      case MAP_ITEM_VOR:
        vor_symbol(v, it);
        break;
      case MAP_ITEM_NDB:
        ndb_symbol(v, it);
        break;
      case MAP_ITEM_FIX:
        fix_symbol(v, it);
        break;
      default:
        aircraft_symbol(it);
        break;
    }
  }
  // The boxes behind the labels, over the symbols and the roses they may cross.
  const rgba box = v->kind == MAP_RADAR ? color_of(0.05f, 0.07f, 0.1f, 1.0f) : map_paper();
  for (int k = 0; k < maplist.n_labels; k++) {
    const map_label& l = maplist.labels[k];
    const float xy[4][2] = {{static_cast<float>(l.x), static_cast<float>(l.y)},
                            {static_cast<float>(l.x + l.w), static_cast<float>(l.y)},
                            {static_cast<float>(l.x + l.w), static_cast<float>(l.y + l.h)},
                            {static_cast<float>(l.x), static_cast<float>(l.y + l.h)}};
    map_quad(&chart_tris, xy, box);
  }
  // Lines first: a symbol's fill goes over the rings of the roses and the path beneath it.
  vb_draw(&chart_lines, OGL_BATCH_LINES, -1, 0, 0, 1.0f);
  vb_draw(&path_lines, OGL_BATCH_LINES, -1, 0, 0, 2.0f);
  vb_draw(&small_dots, OGL_BATCH_POINTS, -1, 0, 0, 2.0f);
  vb_draw(&big_dots, OGL_BATCH_POINTS, -1, 0, 0, 4.0f);
  vb_draw(&chart_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
  vb_draw(&top_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
  vb_draw(&top_lines, OGL_BATCH_LINES, -1, 0, 0, 1.0f);
}

// A chart holds up to a few hundred labels: one draw for each stretch of one colour.
void map_draw_labels(const mapview*) {
  OGL_text_batch(1);
  for (int k = 0; k < maplist.n_labels; k++) {
    const map_label& l = maplist.labels[k];
    OGL_string(l.color, l.x + 1, l.y + 1, l.text, 0, 0, 6);
  }
  OGL_text_batch(0);
}
