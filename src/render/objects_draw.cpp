// Things standing on the ground: obstacles (control towers, airport buildings, office towers and
// skyscrapers, masts, chimneys), the blocks of the cities, trees, and fires with their smoke.
#include <cmath>

#include "app/app.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

// Walls and roofs by texture; masts as lines; flames and smoke apart.
enum { WALL_TEX_FIRST = TX_DECK, WALL_TEX_LAST = TX_BLD_CONTOW, WALL_VERTS = 8000 };
enum { WALL_TEXTURES = WALL_TEX_LAST - WALL_TEX_FIRST + 1 };
static ogl_vertex wall_store[WALL_TEXTURES][WALL_VERTS];
static vbuf walls[WALL_TEXTURES];
VBUF(masts, 2000);
VBUF(trees, 30000);
VBUF(flames, 600);
VBUF(smoke, 2400);

// How far the detail reaches, m: city blocks and trees are too small to matter beyond.
static const float CITY_REACH = 6000.0f, TREE_REACH = 2500.0f, WALL_TILE = 12.0f;

static vbuf* wall_buf(int tex) {
  if (tex < WALL_TEX_FIRST || tex > WALL_TEX_LAST) return nullptr;
  return &walls[tex - WALL_TEX_FIRST];
}

static rgba wall_color(int tex) {
  if (texture_ready(tex)) return color_of(1, 1, 1, 1);
  if (tex == TX_BLD_CONTOW) return color_of(0.3f, 0.45f, 0.5f, 1.0f);
  if (tex == TX_METAL || tex == TX_PAD) return color_of(0.6f, 0.6f, 0.62f, 1.0f);
  return color_of(col_rgb[33][0], col_rgb[33][1], col_rgb[33][2], 1.0f);
}

// The four walls between two rings of corners (clockwise from above), textured in tiles of
// WALL_TILE metres, from height t_lo to t_hi in tile units.
static void walls_between(const float lo[4][3], const float hi[4][3], int tex) {
  vbuf* b = wall_buf(tex);
  if (!b) return;
  const rgba c = wall_color(tex);
  for (int a = 0; a < 4; a++) {
    const int n = (a + 1) % 4;
    const float w = pythag(lo[n][0] - lo[a][0], lo[n][2] - lo[a][2]);
    const float tl = lo[a][1] / WALL_TILE, th = hi[a][1] / WALL_TILE;
    // Seen from outside, the wall from corner a to corner n has n on its left.
    vb_quad(b, hi[n], hi[a], lo[a], lo[n], nullptr, 0.0f, th, fltmax2(1.0f, w / WALL_TILE), tl, c);
  }
}

static void roof(const float ring[4][3], int tex) {
  vbuf* b = wall_buf(tex);
  if (!b) return;
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  vb_quad(b, ring[1], ring[2], ring[3], ring[0], up, 0.0f, 1.0f, 1.0f, 0.0f, wall_color(tex));
}

// Wall texture of each level band of an obstacle kind, and its roof's.
static void kind_textures(int kind, int wall[3], int* top) {
  int w = TX_BLD_BLOCK;
  *top = TX_DIRTY;
  switch (kind) {
    case 1:
      wall[0] = TX_TOWER, wall[1] = TX_BLD_CONTOW, wall[2] = TX_METAL, *top = TX_METAL;
      return;
    case 5:
      w = TX_BLD_TAPERED;
      break;
    case 6:
      w = TX_DIRTY;
      break;
    case 90:
    case 94:
      w = TX_BLD_NARTOP;
      break;
    case 91:
    case 95:
      w = TX_BLD_AVON;
      break;
    case 92:
    case 96:
      w = TX_BLD_NARBOT;
      break;
    case 97:
      *top = TX_METAL;
      break;
    default:
      break;
  }
  wall[0] = wall[1] = wall[2] = w;
  // The tallest buildings carry a helipad on the roof.
  if (kind >= 94 && kind <= 96) *top = TX_PAD;
}

static float ring_area(const float r[4][3]) { return pythag(r[2][0] - r[0][0], r[2][2] - r[0][2]); }

// Obstacle corners run south-west, north-west, north-east, south-east: clockwise from above.
static void obstacle(int s) {
  const int kind = obs_type[s];
  const float(*lv)[4][3] = obs_xyz[s];
  if (ring_area(lv[0]) < 0.5f && ring_area(lv[1]) < 0.5f) {
    // A mast: a line from its foot to its top.
    vb_line(&masts, lv[0][0], lv[1][0], scene_color(2));
    return;
  }
  int wall[3], top;
  kind_textures(kind, wall, &top);
  // Up to the top level the roof is found on; a ledge (a level at the height of the one under
  // it) has no walls, and the building goes on above it.
  const int last = obs_top_level(s);
  for (int l = 0; l < last; l++)
    if (lv[l + 1][0][1] > lv[l][0][1] + 0.01f) walls_between(lv[l], lv[l + 1], wall[l]);
  if (ring_area(lv[last]) > 0.5f) roof(lv[last], top);
}

static void obstacles() {
  for (int s = 0; s < OBS_MAX; s++) {
    if (!obs_type[s]) continue;
    const float(*lv)[4][3] = obs_xyz[s];
    float c[3] = {0.0f, 0.5f * (lv[0][0][1] + lv[3][0][1]), 0.0f};
    float r = 0.0f;
    for (int k = 0; k < 4; k++) {
      c[0] += 0.25f * lv[0][k][0];
      c[2] += 0.25f * lv[0][k][2];
    }
    for (int l = 0; l < 4; l++)
      r = fltmax2(r,
                  pythag(lv[l][0][0] - c[0], lv[l][0][2] - c[2]) + std::fabs(lv[l][0][1] - c[1]));
    if (pythag(c[0] - vf.cam.eye[0], c[2] - vf.cam.eye[2]) > vf.vis + r) continue;
    if (frustum_sees(&vf.frustum, c, r + 1.0f)) obstacle(s);
  }
}

// ---- Cities, trees and fires -----------------------------------------------------------------

float city_block_half(int i, int j, int q) { return 8.0f + 14.0f * hash01(i * 13 + q, j * 7); }

static void city_block(const float p[3], int i, int j, int q) {
  const float h2 = hash01(i * 5, j * 11 + q);
  const float half = city_block_half(i, j, q), height = 8.0f + 45.0f * h2 * h2;
  static const int facade[4] = {TX_BLD_BLOCK, TX_BLD_NARTOP, TX_BLD_AVON, TX_BLD_TAPERED};
  const int tex = facade[static_cast<int>(hash01(i, j * 3 + q) * 3.99f)];
  // The city point stands 3 m above the ground; the block starts a little below it.
  const float y0 = p[1] - 4.0f, y1 = p[1] + height;
  const float dx[4] = {-half, -half, half, half}, dz[4] = {half, -half, -half, half};
  float lo[4][3], hi[4][3];
  for (int c = 0; c < 4; c++) {
    lo[c][0] = hi[c][0] = p[0] + dx[c];
    lo[c][2] = hi[c][2] = p[2] + dz[c];
    lo[c][1] = y0, hi[c][1] = y1;
  }
  walls_between(lo, hi, tex);
  roof(hi, TX_DIRTY);
}

static void tree(const float base[3], const float top[3]) {
  // Two crossed upright triangles, seen from both sides.
  const float h = top[1] - base[1], w = 0.3f * h;
  const rgba dark = color_of(col_rgb[34][0], col_rgb[34][1], col_rgb[34][2], 1.0f);
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  for (int k = 0; k < 2; k++) {
    const float ax = k == 0 ? w : 0.0f, az = k == 0 ? 0.0f : w;
    const float l[3] = {base[0] - ax, base[1] + 0.15f * h, base[2] - az};
    const float r[3] = {base[0] + ax, base[1] + 0.15f * h, base[2] + az};
    vb_tri(&trees, top, r, l, up, dark);
    vb_tri(&trees, top, l, r, up, dark);
  }
}

// A flat picture facing the eye, `w` wide and `h` tall from `foot`.
static void billboard(vbuf* b, const float foot[3], float w, float h, rgba c) {
  const float* r = vf.cam.right;
  float p[4][3];
  for (int k = 0; k < 3; k++) {
    const float up = k == 1 ? 1.0f : 0.0f;
    p[0][k] = foot[k] - 0.5f * w * r[k] + h * up;
    p[1][k] = foot[k] + 0.5f * w * r[k] + h * up;
    p[2][k] = foot[k] + 0.5f * w * r[k];
    p[3][k] = foot[k] - 0.5f * w * r[k];
  }
  static const float up_n[3] = {0.0f, 1.0f, 0.0f};
  vb_quad(b, p[0], p[1], p[2], p[3], up_n, 0.0f, 1.0f, 1.0f, 0.0f, c);
}

static void fire(int i, int j) {
  float c[3];
  for (int k = 0; k < 3; k++) c[k] = 0.5f * (planexyz[i][j][k] + planexyz[i + 1][j + 1][k]);
  const float t = msc.elap_time;
  for (int f = 0; f < 3; f++) {
    const float foot[3] = {c[0] + 40.0f * (f - 1), c[1], c[2] + 25.0f * (f % 2)};
    const float flicker = 0.8f + 0.2f * std::sin(t * 9.0f + f * 2.1f);
    billboard(&flames, foot, 40.0f, 35.0f * flicker, color_of(1.0f, 0.8f, 0.5f, 1.0f));
  }
  // Puffs rising and spreading, each starting again at the fire when it reaches the top.
  for (int k = 0; k < 6; k++) {
    const float age = std::fmod(t * 0.15f + k / 6.0f, 1.0f);
    const float foot[3] = {c[0] + 60.0f * age, c[1] + 30.0f + 250.0f * age, c[2]};
    const float g = 0.35f * (ogl_light_rat[0] + ogl_light_rat[1] + ogl_light_rat[2]) / 3.0f;
    billboard(&smoke, foot, 60.0f + 120.0f * age, 60.0f + 120.0f * age, color_of(g, g, g, 1.0f));
  }
}

static void cells_with_things() {
  const int *ci, *cj;
  const int n = terrain_cells(&ci, &cj);
  for (int c = 0; c < n; c++) {
    const int i = ci[c], j = cj[c];
    if (on_fire_now[i][j]) fire(i, j);
    const float d = pythag(planexyz[i][j][0] - vf.cam.eye[0], planexyz[i][j][2] - vf.cam.eye[2]);
    if (city_on_poly[i][j] && d < CITY_REACH && (ogl_fscene || d < 0.5f * CITY_REACH))
      for (int t = 0; t < 2; t++)
        for (int q = 0; q < 3; q++) city_block(city_xyz[i][j][t][q], i, j, 3 * t + q);
    if (ogl_trees && tree_on_poly[i][j] && d < TREE_REACH)
      for (int t = 0; t < 2; t++)
        for (int q = 0; q < 3; q++) tree(tree_xyz[i][j][t][q][0], tree_xyz[i][j][t][q][1]);
  }
}

void draw_objects() {
  for (int t = 0; t < WALL_TEXTURES; t++) walls[t] = vbuf{wall_store[t], 0, WALL_VERTS};
  masts.n = trees.n = flames.n = smoke.n = 0;
  obstacles();
  cells_with_things();
  for (int t = 0; t < WALL_TEXTURES; t++)
    vb_draw(&walls[t], OGL_BATCH_TRIANGLES, WALL_TEX_FIRST + t, 1, 1, 1.0f);
  vb_draw(&masts, OGL_BATCH_LINES, -1, 0, 1, 1.0f);
  vb_draw(&trees, OGL_BATCH_TRIANGLES, -1, 1, 1, 1.0f);
  // Smoke is cut out of its square; flames add their light to what is behind them.
  OGL_alpha_test(1);
  vb_draw(&smoke, OGL_BATCH_TRIANGLES, TX_SMOKE, 0, 1, 1.0f);
  OGL_alpha_test(0);
  OGL_blend(OGL_BLEND_ADD);
  OGL_depth_write(0);
  vb_draw(&flames, OGL_BATCH_TRIANGLES, TX_FIRE, 0, 1, 1.0f);
  OGL_depth_write(1);
  OGL_blend(OGL_BLEND_OFF);
}
