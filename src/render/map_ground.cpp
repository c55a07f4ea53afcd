// What lies under the symbols of a 2-D map: the loaded region's ground in the tints of its height
// (the local chart), its water (the en-route chart and the radar, whose dark ground carries the
// storm cells of the weather field), and the world's background with its grid and the region's
// outline.
#include <cmath>

#include "render/map_local.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

VBUF(ground_tris, (GRID_I - 1) * (GRID_J - 1) * 6 + 6);
VBUF(storm_tris, 60000);
VBUF(grid_lines, 2000);

// ---- Colours ---------------------------------------------------------------------------------

namespace {
struct tint {
  float h;  // m
  float r, g, b;
};
}  // namespace

// Layer tints of the height, from the green of the lowlands to the grey and white of the peaks.
static const tint tints[] = {{0.0f, 0.62f, 0.76f, 0.52f},    {300.0f, 0.74f, 0.80f, 0.55f},
                             {900.0f, 0.86f, 0.82f, 0.60f},  {1800.0f, 0.80f, 0.68f, 0.50f},
                             {3000.0f, 0.72f, 0.64f, 0.60f}, {4200.0f, 0.95f, 0.95f, 0.95f}};

rgba map_ground_color(float h, float shade) {
  const int n = static_cast<int>(sizeof tints / sizeof tints[0]);
  int k = 0;
  while (k < n - 2 && h > tints[k + 1].h) k++;
  const float f = fltlim((h - tints[k].h) / (tints[k + 1].h - tints[k].h), 0.0f, 1.0f);
  // Slopes towards the light brighten, those away from it darken, as a relief shading does.
  const float s = fltlim(0.55f + 0.5f * shade, 0.6f, 1.1f);
  return color_of((tints[k].r + f * (tints[k + 1].r - tints[k].r)) * s,
                  (tints[k].g + f * (tints[k + 1].g - tints[k].g)) * s,
                  (tints[k].b + f * (tints[k + 1].b - tints[k].b)) * s, 1.0f);
}

// Light from the north-west, high in the sky: x east, y up, z south.
static const float light_dir[3] = {-0.45f, 0.77f, -0.45f};

static rgba vertex_color(int i, int j) {
  const float* n = planenrml[i][j];
  const float shade = n[0] * light_dir[0] + n[1] * light_dir[1] + n[2] * light_dir[2];
  rgba c = map_ground_color(planexyz[i][j][1], shade);
  if (city_on_poly[intmin2(i, GRID_I - 2)][intmin2(j, GRID_J - 2)]) {
    // Towns in the yellow of a chart's built-up areas.
    c.r = static_cast<unsigned char>((c.r + 250) / 2);
    c.g = static_cast<unsigned char>((c.g + 225) / 2);
    c.b = static_cast<unsigned char>((c.b + 120) / 2);
  }
  return c;
}

// ---- The region's ground ---------------------------------------------------------------------

static float gx[GRID_I][GRID_J], gy[GRID_I][GRID_J];  // vertices in window px
static rgba gc[GRID_I][GRID_J];                        // their colours

static void ground_vertex(int i, int j, rgba c) {
  static const float up_n[3] = {0.0f, 0.0f, 1.0f};
  const float p[3] = {gx[i][j], gy[i][j], 0.0f};
  vb_vertex(&ground_tris, p, up_n, 0.0f, 0.0f, c);
}

static int region_loaded() { return env.dx > 0.0f && env.dz > 0.0f; }

// A cell of `step` x `step` grid cells is wet when most of its own cells are.
static int wet_block(int i, int j, int step) {
  int wet = 0, all = 0;
  for (int a = i; a < intmin2(i + step, GRID_I - 1); a++)
    for (int b = j; b < intmin2(j + step, GRID_J - 1); b++) wet += on_water[a][b], all++;
  return 2 * wet > all;
}

// Rows of wet blocks as single quads, over the tints of the local chart, or on the paper of the
// en-route chart and the dark ground of the radar.
static void water_runs(int step, rgba water) {
  for (int j = 0; j + 1 < GRID_J; j += step) {
    const int j1 = intmin2(j + step, GRID_J - 1);
    int start = -1, i = 0;
    for (; i + 1 < GRID_I; i += step) {
      const int wet = step == 1 ? on_water[i][j] : wet_block(i, j, step);
      if (wet && start < 0) start = i;
      if (wet || start < 0) continue;
      const float xy[4][2] = {{gx[start][j], gy[start][j]}, {gx[i][j], gy[i][j]},
                              {gx[i][j1], gy[i][j1]}, {gx[start][j1], gy[start][j1]}};
      map_quad(&ground_tris, xy, water);
      start = -1;
    }
    if (start >= 0) {
      const int i1 = GRID_I - 1;
      const float xy[4][2] = {{gx[start][j], gy[start][j]}, {gx[i1][j], gy[i1][j]},
                              {gx[i1][j1], gy[i1][j1]}, {gx[start][j1], gy[start][j1]}};
      map_quad(&ground_tris, xy, water);
    }
  }
}

// Steps through the grid for cells of at least `px` pixels on the map.
static int grid_step(const mapview* v, float px) {
  const float cell_px = env.dz / (GRID_J - 1) * con.mtrstonm * v->ppnm;
  return intlim(static_cast<int>(std::ceil(px / fltmax2(cell_px, 0.01f))), 1, 8);
}

// The chart's own cells: the vertices projected and coloured once, then the local chart's tints
// over blocks of cells at least eight pixels across (the tints change slowly; the renderer is
// spared most of its vertices), and the water over them in blocks of two pixels, so that the
// shores keep their shape. Each block is two triangles along its diagonal from (i, j) to
// (i + step, j + step).
static void region_ground(const mapview* v) {
  const float w = static_cast<float>(map_width(v->win));
  const float h = static_cast<float>(map_height(v->win) - MAP_BAR_H);
  const int tinted = v->kind == MAP_LOCAL;
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      const float x = planexyz[i][j][0], z = planexyz[i][j][2];
      map_project(v, lat_with_z(z), lon_with_xz(x, z), &gx[i][j], &gy[i][j]);
      if (tinted) gc[i][j] = vertex_color(i, j);
    }
  ground_tris.n = 0;
  const int step = tinted ? grid_step(v, 8.0f) : 1;
  for (int i = 0; tinted && i + 1 < GRID_I; i += step)
    for (int j = 0; j + 1 < GRID_J; j += step) {
      const int i1 = intmin2(i + step, GRID_I - 1), j1 = intmin2(j + step, GRID_J - 1);
      const float x0 = fltmin2(gx[i][j], gx[i][j1]), x1 = fltmax2(gx[i1][j], gx[i1][j1]);
      const float y0 = fltmin2(gy[i][j], gy[i1][j]), y1 = fltmax2(gy[i][j1], gy[i1][j1]);
      if (x1 < 0.0f || x0 > w || y1 < 0.0f || y0 > h) continue;
      ground_vertex(i, j, gc[i][j]);
      ground_vertex(i1, j, gc[i1][j]);
      ground_vertex(i1, j1, gc[i1][j1]);
      ground_vertex(i, j, gc[i][j]);
      ground_vertex(i1, j1, gc[i1][j1]);
      ground_vertex(i, j1, gc[i][j1]);
    }
  const rgba water = v->kind == MAP_RADAR   ? color_of(0.05f, 0.08f, 0.16f, 1.0f)
                     : v->kind == MAP_LOCAL ? color_of(0.60f, 0.75f, 0.90f, 1.0f)
                                            : color_of(0.82f, 0.89f, 0.96f, 1.0f);
  water_runs(grid_step(v, 2.0f), water);
  vb_draw(&ground_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
}

// ---- The world -------------------------------------------------------------------------------

static void box_corners(const mapview* v, float s, float n, float w, float e, float xy[4][2]) {
  map_project(v, s, w, &xy[0][0], &xy[0][1]);
  map_project(v, s, e, &xy[1][0], &xy[1][1]);
  map_project(v, n, e, &xy[2][0], &xy[2][1]);
  map_project(v, n, w, &xy[3][0], &xy[3][1]);
}

static void outline(vbuf* b, const float xy[4][2], rgba c) {
  for (int k = 0; k < 4; k++)
    map_line(b, xy[k][0], xy[k][1], xy[(k + 1) % 4][0], xy[(k + 1) % 4][1], c);
}

// The covered world on paper, a line every five degrees, and the loaded region outlined in red.
static void world_ground(const mapview* v) {
  float xy[4][2];
  ground_tris.n = grid_lines.n = 0;
  box_corners(v, WORLD_LAT0, WORLD_LAT1, WORLD_LON0, WORLD_LON1, xy);
  map_quad(&ground_tris, xy, map_paper());
  const rgba grid = color_of(0.72f, 0.78f, 0.84f, 1.0f);
  for (int lat = 25; lat < WORLD_LAT1; lat += 5) {
    float x1, y1, x2, y2;
    map_project(v, static_cast<float>(lat), WORLD_LON0, &x1, &y1);
    map_project(v, static_cast<float>(lat), WORLD_LON1, &x2, &y2);
    map_line(&grid_lines, x1, y1, x2, y2, grid);
  }
  for (int lon = -125; lon < WORLD_LON1; lon += 5) {
    float x1, y1, x2, y2;
    map_project(v, WORLD_LAT0, static_cast<float>(lon), &x1, &y1);
    map_project(v, WORLD_LAT1, static_cast<float>(lon), &x2, &y2);
    map_line(&grid_lines, x1, y1, x2, y2, grid);
  }
  if (region_loaded()) {
    const float s = static_cast<float>(env.lat_sou), w = static_cast<float>(env.lon_wes);
    box_corners(v, s, s + 2.0f, w, w + 3.0f, xy);
    outline(&grid_lines, xy, color_of(0.85f, 0.15f, 0.15f, 1.0f));
  }
  vb_draw(&ground_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
  vb_draw(&grid_lines, OGL_BATCH_LINES, -1, 0, 0, 1.0f);
}

void map_draw_ground(const mapview* v) {
  if (v->kind == MAP_WORLD)
    world_ground(v);
  else if (region_loaded())
    region_ground(v);
}

// ---- Storm cells -----------------------------------------------------------------------------

// The radar's colours by the storm level (the rain setting above 1 times the field's intensity):
// green, yellow, red and magenta from the lightest rain to the heaviest cells; -1 below the
// lightest.
static int storm_level_index(float level) {
  static const float limit[4] = {0.15f, 0.6f, 1.2f, 2.0f};
  int k = -1;
  while (k < 3 && level >= limit[k + 1]) k++;
  return k;
}

static rgba storm_color(int k) {
  static const float rgb[4][3] = {
      {0.15f, 0.65f, 0.2f}, {0.9f, 0.85f, 0.1f}, {0.9f, 0.15f, 0.1f}, {0.85f, 0.2f, 0.85f}};
  return color_of(rgb[k][0], rgb[k][1], rgb[k][2], 1.0f);
}

// The field point (i, k) on the map: i west to east over lox..hix, k north to south over
// loz..hiz.
static void field_point(const mapview* v, int i, int k, float* x, float* y) {
  const float wx = env.lox + env.dx * i / (WXR_I - 1), wz = env.loz + env.dz * k / (WXR_K - 1);
  map_project(v, lat_with_z(wz), lon_with_xz(wx, wz), x, y);
}

// Blocks i0..i1 of row k, all of storm colour c, as one quad.
static void storm_run(const mapview* v, int i0, int i1, int k, int b, int c) {
  if (c < 0) return;
  float xy[4][2];
  field_point(v, i0, k + b, &xy[0][0], &xy[0][1]);
  field_point(v, i1, k + b, &xy[1][0], &xy[1][1]);
  field_point(v, i1, k, &xy[2][0], &xy[2][1]);
  field_point(v, i0, k, &xy[3][0], &xy[3][1]);
  const float w = static_cast<float>(map_width(v->win));
  const float h = static_cast<float>(map_height(v->win) - MAP_BAR_H);
  if (xy[1][0] < 0.0f || xy[0][0] > w || xy[3][1] < 0.0f || xy[0][1] > h) return;
  map_quad(&storm_tris, xy, storm_color(c));
}

// The field in blocks of b x b points, each shown by its strongest point, b chosen so that a
// block is at least three pixels across; neighbours of one colour along a row make one quad.
void map_draw_radar(const mapview* v) {
  const float rain = atm.rain_tstm - 1.0f;
  if (!region_loaded() || !(rain > 0.0f)) return;
  const float step_px = env.dx / (WXR_I - 1) * con.mtrstonm * v->ppnm;
  const int b = intlim(static_cast<int>(std::ceil(3.0f / fltmax2(step_px, 0.01f))), 1, 16);
  storm_tris.n = 0;
  for (int k = 0; k + b < WXR_K; k += b) {
    int run_start = 0, run_color = -1, i = 0;
    for (; i + b < WXR_I; i += b) {
      float strongest = 0.0f;
      for (int di = 0; di < b; di++)
        for (int dk = 0; dk < b; dk++) strongest = fltmax2(strongest, atm.wxr[i + di][k + dk]);
      const int c = storm_level_index(rain * strongest);
      if (c == run_color) continue;
      storm_run(v, run_start, i, k, b, run_color);
      run_start = i, run_color = c;
    }
    storm_run(v, run_start, i, k, b, run_color);
  }
  vb_draw(&storm_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
}
