// Rebuilding what depends on the whole region after a load or a move: its extent, the region
// lists, airport scenery, vertex normals, the height range, cell textures and shore borders, and
// the text of the runway menu items.
#include <cmath>
#include <cstdio>

#include "world/world_local.h"

static void set_extent() {
  env.lox = planexyz[0][0][0];
  env.hix = planexyz[GRID_I - 1][GRID_J - 1][0];
  env.dx = env.hix - env.lox;
  env.loz = planexyz[GRID_I - 1][GRID_J - 1][2];
  env.hiz = planexyz[0][0][2];
  env.dz = env.hiz - env.loz;
  if (env.dz > 0.0f) {
    con.mtrtonrt = 414.0f / env.dz;
    con.nrttomtr = 1.0f / con.mtrtonrt;
  }
}

// The lists hold the first 70 of each kind in database order; an empty list has -1 as its last
// entry, so that a loop over it does nothing.
static void build_region_lists() {
  float la0 = static_cast<float>(env.lat_sou), lo0 = static_cast<float>(env.lon_wes);
  int na = 0, nv = 0, nd = 0;
  for (int n = 0; n <= intmin2(env.aptmax, APT_MAX - 1); n++) {
    apt_inreg[n] =
        fltrange(apt_lat[n][0], la0, la0 + 2.0f) && fltrange(apt_lon[n][0], lo0, lo0 + 3.0f);
    if (apt_inreg[n] && na < REGION_LIST_MAX) apt_to_index[na++] = n;
  }
  for (int n = 0; n <= intmin2(env.navmax, NAV_MAX - 1); n++) {
    nav_inreg[n] = fltrange(nav_lat[n], la0, la0 + 2.0f) && fltrange(nav_lon[n], lo0, lo0 + 3.0f);
    if (!nav_inreg[n]) continue;
    if (nav_type[n] == 3 && nv < REGION_LIST_MAX) vor_to_index[nv++] = n;
    if (nav_type[n] == 2 && nd < REGION_LIST_MAX) ndb_to_index[nd++] = n;
  }
  env.apt_list_max = na - 1;
  env.vor_list_max = nv - 1;
  env.ndb_list_max = nd - 1;
}

// Normals across the neighbouring vertices, with heights exaggerated tenfold for the shading.
static void set_normals() {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      const float* w = planexyz[intmax2(i - 1, 0)][j];
      const float* e = planexyz[intmin2(i + 1, GRID_I - 1)][j];
      const float* s = planexyz[i][intmax2(j - 1, 0)];
      const float* n = planexyz[i][intmin2(j + 1, GRID_J - 1)];
      const float a[3] = {e[0] - w[0], (e[1] - w[1]) * 10.0f, e[2] - w[2]};
      const float b[3] = {n[0] - s[0], (n[1] - s[1]) * 10.0f, n[2] - s[2]};
      find_normal_vects(a, b, planenrml[i][j]);
    }
}

static void set_height_range() {
  env.min_h = env.max_h = 0.0f;
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      env.min_h = fltmin2(env.min_h, planexyz[i][j][1]);
      env.max_h = fltmax2(env.max_h, planexyz[i][j][1]);
    }
}

// Rise over run along one edge from the south-west vertex; an edge without length has none.
static float slope(const float* a, const float* b, int axis) {
  float run = b[axis] - a[axis];
  return run == 0.0f ? 0.0f : std::fabs((b[1] - a[1]) / run);
}

// Water 10, steep land 12 (no city stands there), other land 11, each with the texture upright.
static void set_textures() {
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      if (on_water[i][j]) {
        planetex[i][j] = 10;
      } else if (slope(planexyz[i][j], planexyz[i][j + 1], 2) +
                     slope(planexyz[i][j], planexyz[i + 1][j], 0) >=
                 0.05f) {
        planetex[i][j] = 12;
        city_on_poly[i][j] = 0;
      } else {
        planetex[i][j] = 11;
      }
      for (int a = 0; a < 2; a++)
        for (int b = 0; b < 2; b++) {
          planes[i][j][a][b] = a;
          planet[i][j][a][b] = b;
        }
    }
}

void (*region_lists_changed_hook)() = nullptr;

void finish_nav_readin() {
  set_extent();
  build_region_lists();
  // The slots of all 70 region airports are freed before their scenery is built again.
  for (int s = 0; s < OBS_PER_APT * REGION_LIST_MAX; s++) obs_type[s] = 0;
  // Every runway first: an airport's buildings keep clear of its neighbours' runways too.
  for (int k = 0; k <= env.apt_list_max; k++) build_apt_runways(k, apt_to_index[k]);
  for (int k = 0; k <= env.apt_list_max; k++) place_apt_buildings(k, apt_to_index[k]);
  set_normals();
  set_height_range();
  set_textures();
  new_border(12, 11, -1, 16, 17, 18, -1, -1, -1);
  new_border(10, 11, 12, 13, 14, 15, 19, 20, 21);
  new_border(10, 12, 11, 19, 20, 21, 13, 14, 15);
  find_region_surfaces();
  if (region_lists_changed_hook) region_lists_changed_hook();
}

void rwy_item_name(int n, int r, int e, char* to) {
  if (n < 0 || n >= APT_MAX || r < 0 || r >= APT_RWYS) {
    to[0] = '\0';
    return;
  }
  int num = intlim(apt_num[n][r], -1000, 1000);  // a wild number must not overflow below
  char lr = apt_lr[n][r];
  if (e == 1) {
    num = intwrap(num + 18, 1, 36);
    lr = lr == 'L' ? 'R' : (lr == 'R' ? 'L' : lr);
  }
  const char* kind = static_cast<float>(apt_len[n][r]) * con.mtrstoft < 500.0f ? "Pad " : "Rwy ";
  if (lr == 'x' || lr == '\0')
    std::snprintf(to, STR_SIZE, "%s%02d", kind, intlim(num, 0, 99));
  else
    std::snprintf(to, STR_SIZE, "%s%02d%c", kind, intlim(num, 0, 99), lr);
}

void fill_flat_region(float h, float x0, float z0) {
  float dx = 60.0f * con.nmtomtrs * std::cos((env.lat_sou + 1.0f) * con.degtorad) / 59.0f;
  float dz = 60.0f * con.nmtomtrs / 79.0f;
  for (int i = 0; i < GRID_I; i++) {
    for (int j = 0; j < GRID_J; j++) {
      planexyz[i][j][0] = x0 + i * dx;
      planexyz[i][j][1] = h;
      planexyz[i][j][2] = z0 - j * dz;
      on_water[i][j] = 0;
      carr_on_poly[i][j] = frig_on_poly[i][j] = oilr_on_poly[i][j] = 0;
    }
  }
  for (int n = 0; n < OBS_MAX; n++) obs_type[n] = 0;
  env.flat_region = 1;
  env.apt_list_max = env.vor_list_max = env.ndb_list_max = -1;
  set_extent();
  set_height_range();
  set_normals();
  find_region_surfaces();
}
