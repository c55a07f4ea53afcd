// The two 3-D maps: the loaded region as a block of ground seen from above at an angle, with its
// airports, the aircraft and its path; and the recorded flight path over the ground it crossed.
// Heights are stretched so that the relief and the climbs show against the distances.
#include <cmath>
#include <cstdio>

#include "flight/flight.h"
#include "render/map_local.h"
#include "shared/shared.h"
#include "world/world.h"

VBUF(scene_tris, 100000);
VBUF(scene_lines, 30000);
VBUF(path_strip, 2 * PATH_POINTS);

// ---- Camera ----------------------------------------------------------------------------------

namespace {
struct map_camera {
  float proj[16], cam[16];
  int w, h;  // the viewport, px from the window's bottom-left
};
}  // namespace

// Looking towards `yaw` (deg true) from `pitch` above the horizon: forward, right and up in world
// axes (x east, y up, z south).
static void camera_axes(float yaw, float pitch, float f[3], float r[3], float u[3]) {
  const float sy = std::sin(yaw * con.degtorad), cy = std::cos(yaw * con.degtorad);
  const float sp = std::sin(pitch * con.degtorad), cp = std::cos(pitch * con.degtorad);
  f[0] = sy * cp, f[1] = -sp, f[2] = -cy * cp;
  r[0] = cy, r[1] = 0.0f, r[2] = sy;
  u[0] = sy * sp, u[1] = cp, u[2] = -cy * sp;
}

// World to eye for an eye at e with those axes, column by column.
static void look(const float e[3], const float f[3], const float r[3], const float u[3], float m[16]) {
  const float* rows[3] = {r, u, f};
  for (int k = 0; k < 3; k++) {
    const float sign = k == 2 ? -1.0f : 1.0f;  // the eye looks down its -z
    for (int c = 0; c < 3; c++) m[4 * c + k] = sign * rows[k][c];
    m[12 + k] = -sign * (rows[k][0] * e[0] + rows[k][1] * e[1] + rows[k][2] * e[2]);
    m[4 * k + 3] = 0.0f;
  }
  m[15] = 1.0f;
}

static void orthographic(float half_w, float half_h, float near_m, float far_m, float m[16]) {
  for (int k = 0; k < 16; k++) m[k] = 0.0f;
  m[0] = 1.0f / half_w, m[5] = 1.0f / half_h;
  m[10] = -2.0f / (far_m - near_m), m[14] = -(far_m + near_m) / (far_m - near_m), m[15] = 1.0f;
}

static void perspective(float fov_deg, float aspect, float near_m, float far_m, float m[16]) {
  for (int k = 0; k < 16; k++) m[k] = 0.0f;
  const float t = 1.0f / std::tan(0.5f * fov_deg * con.degtorad);
  m[0] = t / aspect, m[5] = t;
  m[10] = (far_m + near_m) / (near_m - far_m), m[11] = -1.0f;
  m[14] = 2.0f * far_m * near_m / (near_m - far_m);
}

// Window pixel of world point p; 0 when it lies behind the eye.
static int to_window(const map_camera& c, const float p[3], float* x, float* y) {
  float e[4], q[4];
  for (int k = 0; k < 4; k++)
    e[k] = c.cam[k] * p[0] + c.cam[4 + k] * p[1] + c.cam[8 + k] * p[2] + c.cam[12 + k];
  for (int k = 0; k < 4; k++)
    q[k] = c.proj[k] * e[0] + c.proj[4 + k] * e[1] + c.proj[8 + k] * e[2] + c.proj[12 + k] * e[3];
  if (!(q[3] > 1e-6f)) return 0;
  *x = 0.5f * (q[0] / q[3] + 1.0f) * c.w;
  *y = 0.5f * (q[1] / q[3] + 1.0f) * c.h;
  return 1;
}

// ---- Ground ----------------------------------------------------------------------------------

static const float light_dir[3] = {-0.45f, 0.77f, -0.45f};

// Height h drawn with the stretch about the base.
static float stretched(float h, float base, float stretch) { return base + (h - base) * stretch; }

static rgba ground_color(int i, int j) {
  if (on_water[intmin2(i, GRID_I - 2)][intmin2(j, GRID_J - 2)])
    return color_of(0.45f, 0.62f, 0.82f, 1.0f);
  const float* n = planenrml[i][j];
  return map_ground_color(planexyz[i][j][1],
                          n[0] * light_dir[0] + n[1] * light_dir[1] + n[2] * light_dir[2]);
}

static void ground_point(int i, int j, float base, float stretch, float p[3]) {
  p[0] = planexyz[i][j][0];
  p[1] = stretched(planexyz[i][j][1], base, stretch);
  p[2] = planexyz[i][j][2];
}

static void put_vertex(vbuf* b, const float p[3], rgba c) {
  static const float up_n[3] = {0.0f, 1.0f, 0.0f};
  vb_vertex(b, p, up_n, 0.0f, 0.0f, c);
}

// The cells i0..i1, j0..j1 of the grid every `step` vertices, and, when floor_y is given, walls
// down to it along the four edges, so that the ground stands as a block.
static void ground_patch(int i0, int i1, int j0, int j1, int step, float base, float stretch,
                         const float* floor_y) {
  for (int i = i0; i < i1; i += step)
    for (int j = j0; j < j1; j += step) {
      const int ia = intmin2(i + step, i1), ja = intmin2(j + step, j1);
      float p00[3], p10[3], p11[3], p01[3];
      ground_point(i, j, base, stretch, p00);
      ground_point(ia, j, base, stretch, p10);
      ground_point(ia, ja, base, stretch, p11);
      ground_point(i, ja, base, stretch, p01);
      const rgba c00 = ground_color(i, j), c10 = ground_color(ia, j);
      const rgba c11 = ground_color(ia, ja), c01 = ground_color(i, ja);
      put_vertex(&scene_tris, p00, c00), put_vertex(&scene_tris, p10, c10);
      put_vertex(&scene_tris, p11, c11), put_vertex(&scene_tris, p00, c00);
      put_vertex(&scene_tris, p11, c11), put_vertex(&scene_tris, p01, c01);
    }
  if (!floor_y) return;
  const rgba side = color_of(0.50f, 0.40f, 0.30f, 1.0f), dark = color_of(0.38f, 0.30f, 0.22f, 1.0f);
  for (int e = 0; e < 4; e++) {
    const int along_i = e < 2, n = along_i ? i1 - i0 : j1 - j0;
    for (int k = 0; k < n; k += step) {
      const int k2 = intmin2(k + step, n);
      int ia, ja, ib, jb;
      if (along_i)
        ia = i0 + k, ib = i0 + k2, ja = jb = e == 0 ? j0 : j1;
      else
        ja = j0 + k, jb = j0 + k2, ia = ib = e == 2 ? i0 : i1;
      float a[3], b[3];
      ground_point(ia, ja, base, stretch, a);
      ground_point(ib, jb, base, stretch, b);
      const float a0[3] = {a[0], *floor_y, a[2]}, b0[3] = {b[0], *floor_y, b[2]};
      const rgba c = e % 2 ? side : dark;
      vb_quad2(&scene_tris, a, b, b0, a0, c);
    }
  }
}

// ---- The isometric region --------------------------------------------------------------------

// The stretch that makes the region's relief about an eighth of its width, within 1..6.
static float relief_stretch(float relief, float width) {
  return fltlim(0.12f * width / fltmax2(relief, 1.0f), 1.0f, 6.0f);
}

static void aircraft_pin(const mapview* v, const map_camera& c, float base, float stretch) {
  const float top[3] = {static_cast<float>(flt.X), stretched(static_cast<float>(flt.Y), base, stretch),
                        static_cast<float>(flt.Z)};
  const float foot[3] = {top[0], stretched(env.local_h, base, stretch), top[2]};
  vb_line(&scene_lines, foot, top, color_of(0.1f, 0.1f, 0.1f, 1.0f));
  float x, y;
  if (to_window(c, top, &x, &y)) map_add_item(v, MAP_ITEM_AIRCRAFT, -1, x, y, 0);
}

static void path_line(float base, float stretch, float low, float high) {
  static float xyz[PATH_POINTS][3];
  const int n = map_path_points(xyz, PATH_POINTS);
  path_strip.n = 0;
  for (int k = 0; k < n; k++) {
    // Blue low, through green, to red high.
    const float f = fltlim((xyz[k][1] - low) / fltmax2(high - low, 1.0f), 0.0f, 1.0f);
    const rgba col = color_of(f, 1.0f - std::fabs(2.0f * f - 1.0f), 1.0f - f, 1.0f);
    const float p[3] = {xyz[k][0], stretched(xyz[k][1], base, stretch), xyz[k][2]};
    if (k > 0) put_vertex(&path_strip, p, col);
    if (k + 1 < n) put_vertex(&path_strip, p, col);
  }
}

// The scene's batches, then in window pixels the aircraft's mark and the labels.
static void draw_scene(mapview* v, const map_camera& c, const char* info_fmt, float stretch) {
  float bg[3] = {0.80f, 0.86f, 0.92f};
  OGL_view_begin_drawn(0, 0, c.w, c.h, c.proj, c.cam, bg);
  OGL_cull(0);
  vb_draw(&scene_tris, OGL_BATCH_TRIANGLES, -1, 0, 0, 1.0f);
  vb_draw(&scene_lines, OGL_BATCH_LINES, -1, 0, 0, 1.0f);
  vb_draw(&path_strip, OGL_BATCH_LINES, -1, 0, 0, 2.0f);
  OGL_view_end();
  for (int k = 0; k < maplist.n_items; k++) {
    const map_item& it = maplist.items[k];
    if (it.type != MAP_ITEM_AIRCRAFT) continue;
    OGL_fillcircle(43, intround(it.x), intround(it.y), 4);
    OGL_framecircle(37, intround(it.x), intround(it.y), 5);
  }
  map_draw_labels(v);
  std::snprintf(v->info, sizeof v->info, info_fmt, stretch);
}

static void iso_region(mapview* v, map_camera* c) {
  const float cx = env.lox + 0.5f * env.dx, cz = env.loz + 0.5f * env.dz;
  const float stretch = relief_stretch(env.max_h - env.min_h, fltmax2(env.dx, env.dz));
  const float base = env.min_h, floor_y = base - 0.02f * fltmax2(env.dx, env.dz);
  const float top = stretched(env.max_h, base, stretch);
  const float centre[3] = {cx, 0.5f * (floor_y + top), cz};
  const float radius = 0.5f * std::sqrt(env.dx * env.dx + env.dz * env.dz + (top - floor_y) * (top - floor_y));
  float f[3], r[3], u[3], eye[3];
  camera_axes(v->yaw, v->pitch, f, r, u);
  for (int k = 0; k < 3; k++) eye[k] = centre[k] - 3.0f * radius * f[k];
  look(eye, f, r, u, c->cam);
  // Big enough for the block turned any way at this tilt, so that turning keeps the scale: its
  // half diagonal across, and that diagonal foreshortened plus its height up.
  const float half_diag = 0.5f * std::sqrt(env.dx * env.dx + env.dz * env.dz);
  const float sp = std::sin(v->pitch * con.degtorad), cp = std::cos(v->pitch * con.degtorad);
  const float aspect = static_cast<float>(c->w) / c->h;
  const float half_h = 1.04f * fltmax2(half_diag / aspect, half_diag * sp + 0.5f * (top - floor_y) * cp);
  orthographic(half_h * aspect / v->zoom, half_h / v->zoom, 0.1f * radius, 6.0f * radius, c->proj);

  // The full grid is more than a picture of this size can show: every second vertex.
  ground_patch(0, GRID_I - 1, 0, GRID_J - 1, 2, base, stretch, &floor_y);
  path_line(base, stretch, env.min_h, env.max_h + 3000.0f);
  map_list_clear();
  aircraft_pin(v, *c, base, stretch);
  for (int k = 0; k <= env.apt_list_max && k < REGION_LIST_MAX; k++) {
    const int n = apt_to_index[k];
    if (n < 0 || n >= APT_MAX) continue;
    const float x = X_with_latlon(apt_lat[n][0], apt_lon[n][0]), z = Z_with_lat(apt_lat[n][0]);
    const float ground = stretched(apt_h[n], base, stretch);
    const float foot[3] = {x, ground, z}, head[3] = {x, ground + 0.03f * radius, z};
    vb_line(&scene_lines, foot, head, color_of(1.0f, 1.0f, 1.0f, 1.0f));
    float sx, sy;
    if (!to_window(*c, head, &sx, &sy)) continue;
    const int item = map_add_item(v, MAP_ITEM_AIRPORT, n, sx, sy, apt_twr[n] ? 2 : 3);
    char id[5] = {apt_id[n][0], apt_id[n][1], apt_id[n][2], apt_id[n][3], '\0'};
    for (int e = 3; e > 0 && id[e] == ' '; e--) id[e] = '\0';
    if (item >= 0) map_place_label(v, item, id, apt_twr[n] ? 56 : 37);
  }
  draw_scene(v, *c, "HEIGHTS X%.1f  -  DRAG TO TURN, + AND - TO ZOOM", stretch);
}

// ---- The flight path -------------------------------------------------------------------------

static float path_xyz[PATH_POINTS][3];

static void flight_path_3d(mapview* v, map_camera* c, int n) {
  float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
  for (int k = 0; k < n; k++)
    for (int a = 0; a < 3; a++) lo[a] = fltmin2(lo[a], path_xyz[k][a]), hi[a] = fltmax2(hi[a], path_xyz[k][a]);
  // The ground under the path and a margin round it, at most 60 cells a side.
  const float span = fltmax2(fltmax2(hi[0] - lo[0], hi[2] - lo[2]), 2000.0f), margin = 0.15f * span;
  const float cell_x = env.dx / (GRID_I - 1), cell_z = env.dz / (GRID_J - 1);
  const int i0 = intlim(static_cast<int>((lo[0] - margin - env.lox) / cell_x), 0, GRID_I - 2);
  const int i1 = intlim(static_cast<int>((hi[0] + margin - env.lox) / cell_x) + 1, i0 + 1, GRID_I - 1);
  const int j0 = intlim(static_cast<int>((env.hiz - hi[2] - margin) / cell_z), 0, GRID_J - 2);
  const int j1 = intlim(static_cast<int>((env.hiz - lo[2] + margin) / cell_z) + 1, j0 + 1, GRID_J - 1);
  float ground_lo = 1e30f;
  for (int i = i0; i <= i1; i++)
    for (int j = j0; j <= j1; j++) ground_lo = fltmin2(ground_lo, planexyz[i][j][1]);
  const float stretch = fltlim(0.3f * span / fltmax2(hi[1] - ground_lo, 50.0f), 1.0f, 10.0f);
  ground_patch(i0, i1, j0, j1, intmax2(1, intmax2(i1 - i0, j1 - j0) / 60 + 1), ground_lo, stretch,
               nullptr);

  path_line(ground_lo, stretch, lo[1], hi[1]);
  // Lines down to the ground from every so many points, so that the eye can place the path.
  const int every = intmax2(1, n / 40);
  for (int k = 0; k < n; k += every) {
    int i = env.i_aircraft, j = env.j_aircraft;
    const float x = path_xyz[k][0], z = path_xyz[k][2];
    const float g = find_ijt_with_loc(x, z, &i, &j, 1) ? find_local_h(x, z, i, j) : ground_lo;
    const float a[3] = {x, stretched(path_xyz[k][1], ground_lo, stretch), z};
    const float b[3] = {x, stretched(g, ground_lo, stretch), z};
    vb_line(&scene_lines, a, b, color_of(0.35f, 0.35f, 0.35f, 1.0f));
  }

  const float centre[3] = {0.5f * (lo[0] + hi[0]), stretched(0.5f * (ground_lo + hi[1]), ground_lo, stretch),
                           0.5f * (lo[2] + hi[2])};
  const float height = stretched(hi[1], ground_lo, stretch) - ground_lo;
  const float radius = 0.5f * std::sqrt(span * span * 2.0f + height * height) + margin;
  float f[3], r[3], u[3], eye[3];
  camera_axes(v->yaw, v->pitch, f, r, u);
  const float dist = radius / std::tan(20.0f * con.degtorad) / v->zoom;
  for (int k = 0; k < 3; k++) eye[k] = centre[k] - dist * f[k];
  look(eye, f, r, u, c->cam);
  perspective(40.0f, static_cast<float>(c->w) / c->h, 0.05f * dist, dist + 3.0f * radius, c->proj);

  map_list_clear();
  const float now[3] = {path_xyz[n - 1][0], stretched(path_xyz[n - 1][1], ground_lo, stretch),
                        path_xyz[n - 1][2]};
  float sx, sy;
  if (to_window(*c, now, &sx, &sy)) map_add_item(v, MAP_ITEM_AIRCRAFT, -1, sx, sy, 0);
  draw_scene(v, *c, "HEIGHTS X%.1f  -  DRAG TO TURN, + AND - TO ZOOM", stretch);
}

void map_draw_3d(mapview* v) {
  map_camera c;
  c.w = map_width(v->win);
  c.h = map_height(v->win) - MAP_BAR_H;
  scene_tris.n = scene_lines.n = path_strip.n = 0;
  map_list_clear();
  const int region = env.dx > 0.0f && env.dz > 0.0f;
  const int n = v->kind == MAP_PATH ? map_path_points(path_xyz, PATH_POINTS) : 0;
  if (region && v->kind == MAP_ISO) {
    iso_region(v, &c);
  } else if (region && n >= 2) {
    flight_path_3d(v, &c, n);
  } else {
    float proj[16], cam[16], bg[3] = {0.80f, 0.86f, 0.92f};
    orthographic(1.0f, 1.0f, -1.0f, 1.0f, proj);
    orthographic(1.0f, 1.0f, -1.0f, 1.0f, cam);
    OGL_view_begin_drawn(0, 0, c.w, c.h, proj, cam, bg);
    OGL_view_end();
    std::snprintf(v->info, sizeof v->info, "%s",
                  region ? "NO FLIGHT PATH RECORDED YET" : "NO REGION LOADED");
  }
}
