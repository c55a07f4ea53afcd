// Finding the terrain cell that holds a point, and the ground height at a point of a cell.
#include "world/world_local.h"

enum { CELL_I_MAX = GRID_I - 2, CELL_J_MAX = GRID_J - 2 };  // last cell: 176, 157

// Clockwise edge test along the edge from vertex a to vertex b, passed `slack` metres outside.
static int right_of(const float* a, const float* b, float x, float z, float slack = 0.0f) {
  return inside_cw_reg(a[0], a[2], b[0], b[2], x, z, -slack);
}

// The cell's edges run clockwise (seen from above, north up): south-west, north-west, north-east,
// south-east. A point on an edge shared by two cells would pass neither cell's strict test, and
// world coordinates hundreds of kilometres from the origin carry rounding of several centimetres,
// so the edges take half a metre of slack; the first of the two cells searched then holds the
// point, and its ground plane, extended by that much, gives the height within centimetres.
static int in_cell(float x, float z, int i, int j) {
  const float slack = 0.5f;
  const float* sw = planexyz[i][j];
  const float* nw = planexyz[i][j + 1];
  const float* ne = planexyz[i + 1][j + 1];
  const float* se = planexyz[i + 1][j];
  return right_of(sw, nw, x, z, slack) && right_of(nw, ne, x, z, slack) &&
         right_of(ne, se, x, z, slack) && right_of(se, sw, x, z, slack);
}

// i is the outer loop and both run upwards, so where cells overlap the first one found wins.
static int search(float x, float z, int i0, int i1, int j0, int j1, int* i, int* j) {
  for (int a = i0; a <= i1; a++)
    for (int b = j0; b <= j1; b++)
      if (in_cell(x, z, a, b)) {
        *i = a;
        *j = b;
        return 1;
      }
  return 0;
}

static int search_near(float x, float z, int ci, int cj, int* i, int* j) {
  ci = intlim(ci, -2, GRID_I);
  cj = intlim(cj, -2, GRID_J);
  return search(x, z, intlim(ci - 2, 0, CELL_I_MAX), intlim(ci + 2, 0, CELL_I_MAX),
                intlim(cj - 2, 0, CELL_J_MAX), intlim(cj + 2, 0, CELL_J_MAX), i, j);
}

// The rows lie on parallels, so the row follows from z; within the row the column follows from
// the row's own western and eastern x. Searching near that guess first finds the one cell that
// holds a point in a sound grid at once; the whole grid is searched only when that fails.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all) {
  if (!search_all) return search_near(x, z, *i, *j, i, j);
  float z0 = planexyz[0][0][2], z1 = planexyz[0][GRID_J - 1][2];
  int gj = intlim(trunc_int((z0 - z) / (z0 - z1) * CELL_J_MAX), 0, CELL_J_MAX);
  float x0 = planexyz[0][gj][0], x1 = planexyz[GRID_I - 1][gj][0];
  int gi = intlim(trunc_int((x - x0) / (x1 - x0) * (GRID_I - 1)), 0, CELL_I_MAX);
  if (search_near(x, z, gi, gj, i, j)) return 1;
  return search(x, z, 0, CELL_I_MAX, 0, CELL_J_MAX, i, j);
}

float find_local_h(float x, float z, int i, int j) {
  i = intlim(i, 0, CELL_I_MAX);
  j = intlim(j, 0, CELL_J_MAX);
  // Triangle 1 is south-east of the diagonal from (i, j) to (i + 1, j + 1), triangle 0 the rest.
  const float *p0, *p1, *p2;
  const float* sw = planexyz[i][j];
  const float* ne = planexyz[i + 1][j + 1];
  const float* se = planexyz[i + 1][j];
  if (right_of(sw, ne, x, z) && right_of(ne, se, x, z) && right_of(se, sw, x, z)) {
    p0 = se;
    p1 = sw;
    p2 = ne;
  } else {
    p0 = planexyz[i][j + 1];
    p1 = ne;
    p2 = sw;
  }
  float x0 = p0[0], y0 = p0[1], z0 = p0[2];
  float dx1 = p1[0] - x0, dy1 = p1[1] - y0, dz1 = p1[2] - z0;
  float dx2 = p2[0] - x0, dy2 = p2[1] - y0, dz2 = p2[2] - z0;
  // The two denominators are the triangle's doubled area with opposite signs; a triangle without
  // area (two vertices in one place) has no plane, and its first vertex's height is used.
  float den = dx2 * dz1 - dx1 * dz2;
  if (den == 0.0f) return y0;
  return y0 + (x - x0) * (dy2 * dz1 - dy1 * dz2) / den + (z - z0) * (dy2 * dx1 - dy1 * dx2) / -den;
}
