// Entry points of subsystems that are not built yet, each doing the least that keeps its callers
// correct. Each block goes when its subsystem provides the real one.
#include "controls/controls.h"

#include <cmath>

#include "shared/shared.h"
#include "world/world.h"

// Keyboard commands (src/controls): no key acts yet.
void handle_simkey(char c) {}

// Keyboard commands (src/controls).
void yoke_key(int k) {}

// Keyboard commands (src/controls).
void freeviews_keys(int k) {}

// Traffic rendering (src/render): the traffic stays where it is.
void make_a_plane(int k, int anew) {}

// World coordinates (src/world): east of the quadrant's reference longitude at 60 nm a degree,
// shrunk by the cosine of the latitude.
float X_with_latlon(float lat, float lon) {
  int c = intlim(intround(lon - 0.5f) - env.lon_wes, 0, 2);
  int r = intlim(intround(lat - 0.5f) - env.lat_sou, 0, 1);
  return (lon - env.lonwes_ref[c][r]) * con.nmtomtrs * 60.0f * std::cos(lat * con.degtorad) +
         env.planex_ref[c][r];
}

// World coordinates (src/world): south of the region's southern edge at 60 nm a degree.
float Z_with_lat(float lat) { return env.hiz - (lat - env.lat_sou) * con.nmtomtrs * 60.0f; }

// Terrain regions (src/world): the first cell of the whole grid whose corners bound the point.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all) {
  for (int a = 0; a < GRID_I - 1; a++) {
    for (int b = 0; b < GRID_J - 1; b++) {
      float x0 = planexyz[a][b][0], x1 = planexyz[a + 1][b][0];
      float z0 = planexyz[a][b][2], z1 = planexyz[a][b + 1][2];
      if (x >= fltmin2(x0, x1) && x <= fltmax2(x0, x1) && z >= fltmin2(z0, z1) &&
          z <= fltmax2(z0, z1)) {
        *i = a;
        *j = b;
        return 1;
      }
    }
  }
  return 0;
}

// Terrain regions (src/world): the heights of the cell's corners blended by position.
float find_local_h(float x, float z, int i, int j) {
  i = intlim(i, 0, GRID_I - 2);
  j = intlim(j, 0, GRID_J - 2);
  float dx = planexyz[i + 1][j][0] - planexyz[i][j][0];
  float dz = planexyz[i][j + 1][2] - planexyz[i][j][2];
  float u = dx != 0.0f ? fltlim((x - planexyz[i][j][0]) / dx, 0.0f, 1.0f) : 0.0f;
  float w = dz != 0.0f ? fltlim((z - planexyz[i][j][2]) / dz, 0.0f, 1.0f) : 0.0f;
  float south = interp(0.0f, planexyz[i][j][1], 1.0f, planexyz[i + 1][j][1], u);
  float north = interp(0.0f, planexyz[i][j + 1][1], 1.0f, planexyz[i + 1][j + 1][1], u);
  return interp(0.0f, south, 1.0f, north, w);
}
