// The terrain: the region's cells that lie within the visibility and the field of view, two
// triangles each, gathered by texture so that each texture is bound once a frame.
#include <cmath>

#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

enum {
  TERRAIN_TEXTURES = TX_TERRAIN_LAST - TX_WATER + 1,
  MAX_CELLS = 12000,  // cells drawn at most: a circle of about 50 km radius
};

static int cell_i[MAX_CELLS], cell_j[MAX_CELLS], cell_tex[MAX_CELLS];
VBUF(ground, MAX_CELLS * 6);

// Flat colours of the terrain textures, for a drawing context without the pictures.
static rgba untextured(int code) {
  if (code == TX_WATER) return color_of(col_rgb[22][0], col_rgb[22][1], col_rgb[22][2], 1.0f);
  if (code == 12) return color_of(0.45f, 0.4f, 0.33f, 1.0f);
  if (code >= 19) return color_of(0.35f, 0.38f, 0.4f, 1.0f);
  if (code >= 13 && code <= 15) return color_of(0.2f, 0.4f, 0.3f, 1.0f);
  return color_of(col_rgb[21][0], col_rgb[21][1], col_rgb[21][2], 1.0f);
}

// Range of cell indices whose cells may lie within r metres of (x, z); 0 when none.
static int cell_window(float x, float z, float r, int* i0, int* i1, int* j0, int* j1) {
  if (!(env.dx > 0.0f) || !(env.dz > 0.0f)) return 0;
  const float cw = env.dx / (GRID_I - 1), ch = env.dz / (GRID_J - 1);
  // The grid's columns narrow a little to the north; one spare cell all round covers that.
  const float ic = (x - env.lox) / cw, jc = (env.hiz - z) / ch;
  const float ri = r / cw + 2.0f, rj = r / ch + 2.0f;
  if (!(ic + ri >= 0.0f && jc + rj >= 0.0f && ic - ri <= GRID_I - 2 && jc - rj <= GRID_J - 2))
    return 0;
  *i0 = grid_index(ic - ri, GRID_I - 2);
  *i1 = grid_index(ic + ri, GRID_I - 2);
  *j0 = grid_index(jc - rj, GRID_J - 2);
  *j1 = grid_index(jc + rj, GRID_J - 2);
  return 1;
}

// Cells within the visibility and the field of view, in cell_i/j/tex; returns how many.
static int visible_cells() {
  int i0, i1, j0, j1, n = 0;
  const float* eye = vf.cam.eye;
  const float reach = vf.vis;
  if (!cell_window(eye[0], eye[2], reach, &i0, &i1, &j0, &j1)) return 0;
  for (int i = i0; i <= i1; i++)
    for (int j = j0; j <= j1; j++) {
      const float* a = planexyz[i][j];
      const float* b = planexyz[i + 1][j + 1];
      float lo = fltmin4(a[1], b[1], planexyz[i + 1][j][1], planexyz[i][j + 1][1]);
      float hi = fltmax4(a[1], b[1], planexyz[i + 1][j][1], planexyz[i][j + 1][1]);
      const float c[3] = {(a[0] + b[0]) * 0.5f, (lo + hi) * 0.5f, (a[2] + b[2]) * 0.5f};
      const float r = 0.5f * pythag3(b[0] - a[0], b[2] - a[2], hi - lo);
      if (pythag(c[0] - eye[0], c[2] - eye[2]) > reach + r) continue;
      if (!frustum_sees(&vf.frustum, c, r)) continue;
      if (n >= MAX_CELLS) return n;
      int code = static_cast<int>(planetex[i][j]);
      if (code < TX_WATER || code > TX_TERRAIN_LAST) code = 11;
      cell_i[n] = i, cell_j[n] = j, cell_tex[n] = code;
      n++;
    }
  return n;
}

static void put_corner(ogl_vertex* v, int i, int j, int a, int b, rgba c) {
  const float* p = planexyz[i + a][j + b];
  const float* nn = planenrml[i + a][j + b];
  v->x = p[0], v->y = p[1], v->z = p[2];
  v->nx = nn[0], v->ny = nn[1], v->nz = nn[2];
  v->s = static_cast<float>(planes[i][j][a][b]);
  v->t = static_cast<float>(planet[i][j][a][b]);
  v->r = c.r, v->g = c.g, v->b = c.b, v->a = c.a;
}

static int cells_now;

int terrain_cells(const int** i, const int** j) {
  *i = cell_i;
  *j = cell_j;
  return cells_now;
}

void draw_terrain() {
  const int n = visible_cells();
  cells_now = n;
  // Counting sort by texture: each texture's cells end up side by side in one buffer.
  int first[TERRAIN_TEXTURES + 1] = {0};
  for (int k = 0; k < n; k++) first[cell_tex[k] - TX_WATER + 1]++;
  for (int t = 0; t < TERRAIN_TEXTURES; t++) first[t + 1] += first[t];
  int fill[TERRAIN_TEXTURES];
  for (int t = 0; t < TERRAIN_TEXTURES; t++) fill[t] = first[t];
  for (int k = 0; k < n; k++) {
    const int t = cell_tex[k] - TX_WATER, i = cell_i[k], j = cell_j[k];
    const rgba c = texture_ready(cell_tex[k]) ? color_of(1, 1, 1, 1) : untextured(cell_tex[k]);
    ogl_vertex* v = ground.v + 6 * fill[t]++;
    // Triangle 0: (i, j+1), (i+1, j+1), (i, j); triangle 1: (i+1, j), (i, j), (i+1, j+1); both
    // run clockwise seen from above.
    put_corner(v + 0, i, j, 0, 1, c);
    put_corner(v + 1, i, j, 1, 1, c);
    put_corner(v + 2, i, j, 0, 0, c);
    put_corner(v + 3, i, j, 1, 0, c);
    put_corner(v + 4, i, j, 0, 0, c);
    put_corner(v + 5, i, j, 1, 1, c);
  }
  ground.n = 6 * n;
  for (int t = 0; t < TERRAIN_TEXTURES; t++) {
    const int count = first[t + 1] - first[t];
    if (count == 0) continue;
    const vbuf part = {ground.v + 6 * first[t], 6 * count, 6 * count};
    vb_draw(&part, OGL_BATCH_TRIANGLES, TX_WATER + t, 1, 1, 1.0f);
  }
}
