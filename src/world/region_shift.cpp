// Moving the region by whole degrees as the aircraft flies on: the move rule, shifting the grid in
// memory, and laying the kept part out again from the new western meridian.
//
// World coordinates are never re-centred: the grid moves under them. A move north or south keeps
// the meridian the region is laid out from, so the kept quadrants stay exactly where they are. A
// move west or east changes that meridian, and x = (lon - lon_wes) * m_per_deg * cos(lat) + x00
// then changes by a different amount on every parallel. The kept part is therefore laid out again
// from the new meridian, with x00 chosen so that nothing moves on the aircraft's own parallel:
// the ground, the obstacles and the aircraft stay together, the quadrants read next meet the kept
// ones without a seam, and the region is the one a fresh load at the new corner gives, moved as a
// whole.
#include <cmath>
#include <cstring>

#include "app/app.h"
#include "flight/flight.h"
#include "weather/weather.h"
#include "world/world_local.h"

int check_region_move() {
  float lw = static_cast<float>(env.lon_wes), ls = static_cast<float>(env.lat_sou);
  int dir = 0;
  if (flt.lon < lw + 0.95f)
    dir = MOVE_WEST;
  else if (flt.lon > lw + 3.0f - 0.95f)
    dir = MOVE_EAST;
  else if (flt.lat < ls + 0.45f && env.lat_sou > -90)
    dir = MOVE_SOUTH;
  else if (flt.lat > ls + 2.0f - 0.45f && env.lat_sou < 88)
    dir = MOVE_NORTH;
  if (dir) move_region(dir);
  return dir;
}

static void drop_old_quadrants(int dir);

// A level region has nothing to read: it is laid out again a degree on, the grid moving under
// the aircraft as it does for a region read from the files.
static void move_flat_region(int dir) {
  int di = dir == MOVE_WEST ? -1 : (dir == MOVE_EAST ? 1 : 0);
  int dj = dir == MOVE_SOUTH ? -1 : (dir == MOVE_NORTH ? 1 : 0);
  float cell_x = env.dx / (GRID_I - 1), cell_z = env.dz / (GRID_J - 1);
  float x0 = env.lox + di * QUAD_I * cell_x, z0 = env.hiz - dj * QUAD_J * cell_z;
  env.lon_wes += di;
  env.lat_sou += dj;
  fill_flat_region(planexyz[0][0][1], x0, z0);
  env.i_aircraft = intlim(env.i_aircraft - QUAD_I * di, 0, GRID_I - 2);
  env.j_aircraft = intlim(env.j_aircraft - QUAD_J * dj, 0, GRID_J - 2);
  env.i_viewpoint = intlim(env.i_viewpoint - QUAD_I * di, 0, GRID_I - 2);
  env.j_viewpoint = intlim(env.j_viewpoint - QUAD_J * dj, 0, GRID_J - 2);
}

void move_region(int dir) {
  if (dir < MOVE_WEST || dir > MOVE_SOUTH) return;
  if (env.flat_region) {
    move_flat_region(dir);
    return;
  }
  drop_old_quadrants(dir);
  switch (dir) {
    case MOVE_WEST:
      env.lon_wes--;
      read_quadrant(env.lat_sou, env.lon_wes, 0);
      read_quadrant(env.lat_sou + 1, env.lon_wes, 3);
      break;
    case MOVE_EAST:
      env.lon_wes++;
      read_quadrant(env.lat_sou, env.lon_wes + 2, 2);
      read_quadrant(env.lat_sou + 1, env.lon_wes + 2, 5);
      break;
    case MOVE_NORTH:
      env.lat_sou++;
      for (int c = 0; c < 3; c++) read_quadrant(env.lat_sou + 1, env.lon_wes + c, 3 + c);
      break;
    default:
      env.lat_sou--;
      for (int c = 0; c < 3; c++) read_quadrant(env.lat_sou, env.lon_wes + c, c);
      break;
  }
  finish_nav_readin();
  // The cloud sectors the move has uncovered.
  for (int s = 0; s < 5; s++) {
    if (dir == MOVE_WEST && s < 4) fill_a_sector_with_ocast(0, s);
    if (dir == MOVE_EAST && s < 4) fill_a_sector_with_ocast(4, s);
    if (dir == MOVE_NORTH) fill_a_sector_with_ocast(s, 3);
    if (dir == MOVE_SOUTH) fill_a_sector_with_ocast(s, 0);
  }
  report_terrain_problems(1);
}

// ---- Shifting the grid -----------------------------------------------------------------------

// Moves the cells i0..i1 x j0..j1 of one array by (di, dj), walking the columns against the
// direction of the move so that no column is overwritten before it has been copied; memmove
// takes care of the rows within a column.
template <typename T>
static void shift_cells(T (&a)[GRID_I][GRID_J], int i0, int i1, int j0, int j1, int di, int dj) {
  size_t bytes = static_cast<size_t>(j1 - j0 + 1) * sizeof(T);
  if (di > 0)
    for (int i = i1; i >= i0; i--) std::memmove(&a[i + di][j0 + dj], &a[i][j0], bytes);
  else
    for (int i = i0; i <= i1; i++) std::memmove(&a[i + di][j0 + dj], &a[i][j0], bytes);
}

static void shift_geo(int c1, int c2, int r1, int r2, int di, int dj) {
  // Quadrant bounds to vertex bounds, kept where both the cells and their new place exist.
  int i0 = intmax2(intmax2(QUAD_I * c1, 0), -di), i1 = intmin2(QUAD_I * c2, GRID_I - 1);
  i1 = intmin2(i1, GRID_I - 1 - di);
  int j0 = intmax2(intmax2(QUAD_J * r1, 0), -dj), j1 = intmin2(QUAD_J * r2, GRID_J - 1);
  j1 = intmin2(j1, GRID_J - 1 - dj);
  if (i0 > i1 || j0 > j1) return;
  shift_cells(planexyz, i0, i1, j0, j1, di, dj);
  shift_cells(on_water, i0, i1, j0, j1, di, dj);
  shift_cells(apt_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(city_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(tree_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(city_xyz, i0, i1, j0, j1, di, dj);
  shift_cells(tree_xyz, i0, i1, j0, j1, di, dj);
  shift_cells(frig_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(carr_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(oilr_on_poly, i0, i1, j0, j1, di, dj);
  shift_cells(on_fire_now, i0, i1, j0, j1, di, dj);
  shift_cells(was_on_fire, i0, i1, j0, j1, di, dj);
  env.i_aircraft = intlim(env.i_aircraft + di, 0, GRID_I - 2);
  env.j_aircraft = intlim(env.j_aircraft + dj, 0, GRID_J - 2);
  env.i_viewpoint = intlim(env.i_viewpoint + di, 0, GRID_I - 2);
  env.j_viewpoint = intlim(env.j_viewpoint + dj, 0, GRID_J - 2);
}

static void shift_ref(int c1, int r1, int c2, int r2) {
  if (c1 < 0 || c1 > 2 || c2 < 0 || c2 > 2 || r1 < 0 || r1 > 1 || r2 < 0 || r2 > 1) return;
  env.lonwes_ref[c2][r2] = env.lonwes_ref[c1][r1];
  env.planex_ref[c2][r2] = env.planex_ref[c1][r1];
}

// ---- Laying the kept part out from the new meridian ------------------------------------------

// z of the region's southern edge before the move: the grid's own vertex (0, 0) changes as the
// cells move.
static float old_south_z = 0.0f;

// Latitude of a world z of the region as it stands before the corner moves.
static float lat_of_z(float z) {
  return static_cast<float>(env.lat_sou) + (old_south_z - z) / m_per_deg();
}

// The change of x on the parallel of z when the meridian moves by `west` degrees westwards
// (-1 for a move east), zero on the anchor parallel.
static float x_change(float z, float west, float cos_anchor) {
  return west * m_per_deg() * (std::cos(lat_of_z(z) * con.degtorad) - cos_anchor);
}

static void relay_columns(int i0, int i1, float west, float cos_anchor) {
  for (int i = i0; i <= i1; i++)
    for (int j = 0; j < GRID_J; j++) {
      planexyz[i][j][0] += x_change(planexyz[i][j][2], west, cos_anchor);
      if (i == GRID_I - 1 || j == GRID_J - 1) continue;
      for (int t = 0; t < 2; t++)
        for (int k = 0; k < 3; k++) {
          if (city_on_poly[i][j]) {
            float* p = city_xyz[i][j][t][k];
            p[0] += x_change(p[2], west, cos_anchor);
          }
          if (tree_on_poly[i][j])
            for (float* p : {tree_xyz[i][j][t][k][0], tree_xyz[i][j][t][k][1]})
              p[0] += x_change(p[2], west, cos_anchor);
        }
    }
  for (int s = 0; s < OBS_MAX; s++) {
    if (!obs_type[s]) continue;
    float dx = x_change(obs_xyz[s][0][0][2], west, cos_anchor);
    for (auto& level : obs_xyz[s])
      for (auto& corner : level) corner[0] += dx;
  }
}

// The stations the receivers hold, kept as world positions between retunings, move with the ground
// they stand on: left where they were, a needle would swing by degrees until the next retuning.
// So do the runway view's eye and the recorded flight path, which would otherwise slide off the
// runway and the ground they were flown over, by hundreds of metres a degree away.
static void relay_radios(float west, float cos_anchor) {
  for (int r = 0; r < 2; r++) {
    nav.vorX[r] += x_change(nav.vorZ[r], west, cos_anchor);
    nav.gsX[r] += x_change(nav.gsZ[r], west, cos_anchor);
  }
  nav.adfX += x_change(nav.adfZ, west, cos_anchor);
  msc.runwayview_X += x_change(msc.runwayview_Z, west, cos_anchor);
  for (int k = 0; k < PATH_POINTS; k++)
    if (pat.inited[k]) pat.xyztpp[k][0] += x_change(pat.xyztpp[k][2], west, cos_anchor);
}

// Obstacles whose first corner lies outside the region after the move are freed; the test is
// made on latitude and longitude, because the region's edges are not lines of constant x.
static void free_fallen_obstacles(int dir) {
  float ls = static_cast<float>(env.lat_sou), lw = static_cast<float>(env.lon_wes);
  float s = dir == MOVE_SOUTH ? -1.0f : (dir == MOVE_NORTH ? 1.0f : 0.0f);
  float w = dir == MOVE_WEST ? -1.0f : (dir == MOVE_EAST ? 1.0f : 0.0f);
  for (int n = 0; n < OBS_MAX; n++) {
    if (!obs_type[n]) continue;
    float lat = lat_of_z(obs_xyz[n][0][0][2]);
    float lon = lw + (obs_xyz[n][0][0][0] - planexyz[0][0][0]) /
                         (m_per_deg() * std::cos(lat * con.degtorad));
    if (!fltrange(lat, ls + s, ls + s + 2.0f) || !fltrange(lon, lw + w, lw + w + 3.0f))
      obs_type[n] = 0;
  }
}

// Shifts the kept part of the grid for a move in direction dir, with the corner not yet moved.
static void drop_old_quadrants(int dir) {
  float ox = planexyz[0][0][0], oz = planexyz[0][0][2];
  old_south_z = oz;
  float ls = static_cast<float>(env.lat_sou);
  // The parallel that does not move: the aircraft's, kept within the region.
  float anchor = flt.lat >= ls && flt.lat <= ls + 2.0f ? flt.lat : ls;
  float cos_anchor = std::cos(anchor * con.degtorad);
  free_fallen_obstacles(dir);
  switch (dir) {
    case MOVE_WEST:
      shift_geo(0, 2, 0, 2, QUAD_I, 0);
      shift_weather(0, 2, 0, 2, 210, 0);
      shift_cloud(0, 4, 0, 4, 16, 0);
      relay_columns(QUAD_I, GRID_I - 1, 1.0f, cos_anchor);
      relay_radios(1.0f, cos_anchor);
      shift_ref(1, 0, 2, 0);
      shift_ref(1, 1, 2, 1);
      shift_ref(0, 0, 1, 0);
      shift_ref(0, 1, 1, 1);
      ox -= m_per_deg() * cos_anchor;
      break;
    case MOVE_EAST:
      shift_geo(1, 3, 0, 2, -QUAD_I, 0);
      shift_weather(1, 3, 0, 2, -210, 0);
      shift_cloud(1, 5, 0, 4, -16, 0);
      relay_columns(0, GRID_I - 1 - QUAD_I, -1.0f, cos_anchor);
      relay_radios(-1.0f, cos_anchor);
      for (int r = 0; r < 2; r++) {
        shift_ref(1, r, 0, r);
        shift_ref(2, r, 1, r);
      }
      ox += m_per_deg() * cos_anchor;
      break;
    case MOVE_NORTH:
      shift_geo(0, 3, 1, 2, 0, -QUAD_J);
      shift_weather(0, 3, 0, 1, 0, 210);
      shift_cloud(0, 5, 1, 4, 0, -16);
      for (int c = 0; c < 3; c++) shift_ref(c, 1, c, 0);
      oz -= m_per_deg();
      break;
    case MOVE_SOUTH:
      shift_geo(0, 3, 0, 1, 0, QUAD_J);
      shift_weather(0, 3, 1, 2, 0, -210);
      shift_cloud(0, 5, 0, 3, 0, 16);
      for (int c = 0; c < 3; c++) shift_ref(c, 0, c, 1);
      oz += m_per_deg();
      break;
    default:
      return;
  }
  // The new origin, from which the quadrants read next are laid out; the kept quadrants' references
  // now name the new meridian too.
  planexyz[0][0][0] = ox;
  planexyz[0][0][2] = oz;
  float west_meridian =
      static_cast<float>(env.lon_wes + (dir == MOVE_WEST ? -1 : 0) + (dir == MOVE_EAST ? 1 : 0));
  for (int c = 0; c < 3; c++)
    for (int r = 0; r < 2; r++) {
      env.lonwes_ref[c][r] = west_meridian;
      env.planex_ref[c][r] = ox;
    }
}
