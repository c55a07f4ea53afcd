// What stands on the ground of a quadrant read from its file: city blocks, trees, fire and ships.
#include <cstdlib>

#include "world/world_local.h"

// A point at random fractions (0.01..0.99) between the three vertices of triangle t of cell
// (i, j): it always lies inside the triangle, and on its plane.
static void random_point(int i, int j, int t, float out[3]) {
  int i1, j1, i2, j2, i3, j3;
  convert_ij_dxy(i, j, t, &i1, &j1, &i2, &j2, &i3, &j3);
  const float* p0 = planexyz[i1][j1];
  const float* p1 = planexyz[i2][j2];
  const float* p2 = planexyz[i3][j3];
  float f1 = place_fltrand(0.01f, 0.99f), f2 = place_fltrand(0.01f, 0.99f);
  for (int a = 0; a < 3; a++) {
    float along1 = p0[a] + f1 * (p1[a] - p0[a]);
    float along2 = p0[a] + f1 * (p2[a] - p0[a]);
    out[a] = along1 + f2 * (along2 - along1);
  }
}

// Cells of the quadrant within 4 cells (in both directions, the quadrant's cells only) of airport
// ground: a row pass and then a column pass over the quadrant.
static void mark_near_airports(int c, int r, bool near[QUAD_I][QUAD_J]) {
  static bool row_near[QUAD_I][QUAD_J];
  for (int li = 0; li < QUAD_I; li++)
    for (int lj = 0; lj < QUAD_J; lj++) {
      row_near[li][lj] = false;
      for (int a = intmax2(li - 4, 0); a <= intmin2(li + 4, QUAD_I - 1) && !row_near[li][lj]; a++)
        row_near[li][lj] = apt_on_poly[QUAD_I * c + a][QUAD_J * r + lj] != 0;
    }
  for (int li = 0; li < QUAD_I; li++)
    for (int lj = 0; lj < QUAD_J; lj++) {
      near[li][lj] = false;
      for (int b = intmax2(lj - 4, 0); b <= intmin2(lj + 4, QUAD_J - 1) && !near[li][lj]; b++)
        near[li][lj] = row_near[li][b];
    }
}

// Only the quadrant's own cells (59 x 79) are visited: their triangles reach the vertices of the
// quadrant's east column and north row, and a further column or row would reach past the grid.
void place_cities_and_trees(int c, int r) {
  static bool near[QUAD_I][QUAD_J];
  mark_near_airports(c, r, near);
  for (int li = 0; li < QUAD_I; li++)
    for (int lj = 0; lj < QUAD_J; lj++) {
      int i = QUAD_I * c + li, j = QUAD_J * r + lj;
      city_on_poly[i][j] = tree_on_poly[i][j] = 0;
      if (apt_on_poly[i][j] || on_water[i][j]) continue;
      seed_place_rand(static_cast<float>(env.lat_sou + r) + static_cast<float>(lj) / QUAD_J,
                      static_cast<float>(env.lon_wes + c) + static_cast<float>(li) / QUAD_I);
      city_on_poly[i][j] = near[li][lj] || place_intrand(1, 10) == 1 ? 1 : 0;
      tree_on_poly[i][j] = 1;
      for (int t = 0; t < 2; t++)
        for (int k = 0; k < 3; k++) {
          if (city_on_poly[i][j]) {
            random_point(i, j, t, city_xyz[i][j][t][k]);
            city_xyz[i][j][t][k][1] += 3.0f;
          }
          float* base = tree_xyz[i][j][t][k][0];
          float* top = tree_xyz[i][j][t][k][1];
          random_point(i, j, t, base);
          top[0] = base[0];
          top[1] = base[1] + 20.0f;
          top[2] = base[2];
        }
    }
}

void clear_fire(int c, int r) {
  for (int i = QUAD_I * c; i < QUAD_I * c + QUAD_I; i++)
    for (int j = QUAD_J * r; j < QUAD_J * r + QUAD_J; j++)
      on_fire_now[i][j] = was_on_fire[i][j] = 0;
}

// ---- Ships -----------------------------------------------------------------------------------

enum { SHIP_CELLS_MAX = 3 * 6 };  // at most one of each ship per quadrant

struct ship_cell {
  int i, j;
};

static int land(int i, int j) { return on_water[i][j] ? 0 : 1; }

// Ships stand off a coast: a cell scores one point for each offset d in -4..4 at which the cell d
// rows or d columns away is land, and two more for every ship within 12 cells. A score of exactly
// 1 takes the quadrant's frigate, then its carrier, then its oil rig.
void place_ships(int c, int r) {
  ship_cell ships[SHIP_CELLS_MAX];
  int count = 0;
  for (int i = 0; i < GRID_I && count < SHIP_CELLS_MAX; i++)
    for (int j = 0; j < GRID_J && count < SHIP_CELLS_MAX; j++)
      if (frig_on_poly[i][j] || carr_on_poly[i][j] || oilr_on_poly[i][j]) ships[count++] = {i, j};

  int placed = 0;  // 0 none yet, 1 frigate, 2 carrier, 3 oil rig
  for (int li = 12; li <= 45 && placed < 3; li++)
    for (int lj = 12; lj <= 65 && placed < 3; lj++) {
      int i = QUAD_I * c + li, j = QUAD_J * r + lj;
      int score = 0;
      for (int d = -4; d <= 4; d++)
        if (land(i, j + d) || land(i + d, j)) score++;
      if (score != 1) continue;
      for (int s = 0; s < count; s++)
        if (std::abs(ships[s].i - i) <= 12 && std::abs(ships[s].j - j) <= 12) score += 2;
      if (score != 1) continue;
      int* flag[3] = {&frig_on_poly[i][j], &carr_on_poly[i][j], &oilr_on_poly[i][j]};
      *flag[placed++] = 1;
      if (count < SHIP_CELLS_MAX) ships[count++] = {i, j};
    }
}
