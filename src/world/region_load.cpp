// Loading the terrain region: the full load, and reading one quadrant from its environment file
// (or laying it out as flat water) with its runway flattening and objects.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/macibm.h"
#include "flight/flight.h"
#include "weather/weather.h"
#include "world/world_local.h"

// ---- Terrain files that could not be used ----------------------------------------------------

static int problem_count = 0, damaged_count = 0;
static char problem_what[STR_SIZE];
static char problem_path[STR_SIZE];
// Set once the pilot has been told that the region reaches past the world data: the moves that
// follow over the same flat sea say nothing more, so that a flight out over the ocean is not
// stopped by a box at every degree. It is cleared by a region built wholly from its files.
static int beyond_data_told = 0;

// Terrain files that could not be used while the region was built; one notice reports them.
static void note_terrain_problem(const char* what, const char* path, int damaged) {
  damaged_count += damaged;
  if (problem_count++ > 0) return;
  C_to_C(what, problem_what);
  C_to_C(path, problem_path);
}

// One notice per region build, naming the first file, so that flying beyond the world data does
// not stack a box for every quadrant. A damaged file is always told.
void report_terrain_problems(int on_move) {
  const int told = on_move && beyond_data_told && damaged_count == 0;
  beyond_data_told = problem_count > 0 && damaged_count == 0;
  if (problem_count == 0 || told) {
    problem_count = damaged_count = 0;
    return;
  }
  char more[STR_SIZE] = "";
  if (problem_count > 1)
    std::snprintf(more, sizeof more, "The same holds for %d more terrain files of this region.",
                  problem_count - 1);
  MACIBM_alert(problem_what, problem_path, TERRAIN_FLAT_WATER, more,
               ALERT_NOTICE);
  problem_count = damaged_count = 0;
}

// ---- Runway boxes ----------------------------------------------------------------------------

// The ground from the runway's left edge to beyond its parallel taxiway and apron, for every
// airport near the quadrant. A 71st airport takes over the last slot.
// Runways of the boxes that are water lanes: seaplanes alight on them, so the water cells under
// them stay water at their own level, and only land under them is levelled.
static int rway_water[REGION_LIST_MAX][APT_RWYS];

static void set_runway_boxes(int lat, int lon) {
  for (int k = 0; k < REGION_LIST_MAX; k++)
    for (int r = 0; r < APT_RWYS; r++)
      rway_elev[k][r] = r_x_min[k][r] = r_x_max[k][r] = r_z_min[k][r] = r_z_max[k][r] = -999.0f;
  int k = -1;
  int last = intmin2(env.aptmax, APT_MAX - 1);
  float la = static_cast<float>(lat), lo = static_cast<float>(lon);
  for (int n = 0; n <= last; n++) {
    if (!fltrange(apt_lat[n][0], la - 0.1f, la + 1.1f) ||
        !fltrange(apt_lon[n][0], lo - 0.1f, lo + 1.1f))
      continue;
    k = intmin2(k + 1, REGION_LIST_MAX - 1);
    for (int r = 0; r < APT_RWYS; r++) {
      rway_elev[k][r] = -999.0f;
      if (apt_len[n][r] <= 0) continue;
      rway_water[k][r] = water_lane(n, r);
      float x = region_x(apt_lat[n][r], apt_lon[n][r]), z = region_z(apt_lat[n][r]);
      float half = static_cast<float>(apt_len[n][r] / 2);
      float w = static_cast<float>(apt_width[n][r]);
      float across[2] = {static_cast<float>(trunc_int(-0.5f * w)),
                         static_cast<float>(trunc_int(4.5f * w))};
      float along[2] = {-half, half};
      for (int c = 0; c < 4; c++) {
        float cx = x + rx3d(across[c / 2], along[c % 2], apt_hdng[n][r]);
        float cz = z + rz3d(across[c / 2], along[c % 2], apt_hdng[n][r]);
        r_x_min[k][r] = c == 0 ? cx : fltmin2(r_x_min[k][r], cx);
        r_x_max[k][r] = c == 0 ? cx : fltmax2(r_x_max[k][r], cx);
        r_z_min[k][r] = c == 0 ? cz : fltmin2(r_z_min[k][r], cz);
        r_z_max[k][r] = c == 0 ? cz : fltmax2(r_z_max[k][r], cz);
      }
      rway_elev[k][r] = apt_h[n];
    }
  }
}

// The cells a runway box can touch, from the lattice: rows from z, columns from x on the box's
// own parallel, two cells wider on every side since a vertex may lie up to half a cell off its
// lattice point.
static void box_cells(int k, int w, int* ilo, int* ihi, int* jlo, int* jhi) {
  float ox = planexyz[0][0][0], oz = planexyz[0][0][2];
  float row = m_per_deg() / QUAD_J;
  *jlo = trunc_int(std::floor((oz - r_z_max[k][w]) / row)) - 2;
  *jhi = trunc_int(std::ceil((oz - r_z_min[k][w]) / row)) + 2;
  float lat =
      static_cast<float>(env.lat_sou) + (oz - 0.5f * (r_z_min[k][w] + r_z_max[k][w])) / m_per_deg();
  float col = m_per_deg() * std::cos(lat * con.degtorad) / QUAD_I;
  *ilo = trunc_int(std::floor((r_x_min[k][w] - ox) / col)) - 2;
  *ihi = trunc_int(std::ceil((r_x_max[k][w] - ox) / col)) + 2;
}

// Flattens every cell that a runway box touches, ends included, to the field elevation. The ring
// of cells around the quadrant is flattened too: its border vertices are written again by this
// quadrant, and flattening both sides makes the result the same whichever quadrant is read last.
// Neighbouring cells share vertices, so where two fields of different elevations meet the later
// one wins: the boxes go from the least important field (the list is in order of importance) to
// the most, so that a helipad beside an airport cannot bury the airport's runway or lift it.
static void flatten_runways(int c, int r) {
  int i0 = intmax2(QUAD_I * c - 1, 0), i1 = intmin2(QUAD_I * c + QUAD_I, GRID_I - 2);
  int j0 = intmax2(QUAD_J * r - 1, 0), j1 = intmin2(QUAD_J * r + QUAD_J, GRID_J - 2);
  for (int k = REGION_LIST_MAX - 1; k >= 0; k--)
    for (int w = 0; w < APT_RWYS; w++) {
      if (rway_elev[k][w] <= -998.0f) continue;
      int ilo, ihi, jlo, jhi;
      box_cells(k, w, &ilo, &ihi, &jlo, &jhi);
      for (int i = intmax2(i0, ilo); i <= intmin2(i1, ihi); i++)
        for (int j = intmax2(j0, jlo); j <= intmin2(j1, jhi); j++) {
          float* v[4] = {planexyz[i][j], planexyz[i][j + 1], planexyz[i + 1][j],
                         planexyz[i + 1][j + 1]};
          float xlo = fltmin4(v[0][0], v[1][0], v[2][0], v[3][0]);
          float xhi = fltmax4(v[0][0], v[1][0], v[2][0], v[3][0]);
          float zlo = fltmin4(v[0][2], v[1][2], v[2][2], v[3][2]);
          float zhi = fltmax4(v[0][2], v[1][2], v[2][2], v[3][2]);
          if (xlo > r_x_max[k][w] || r_x_min[k][w] > xhi) continue;
          if (zlo > r_z_max[k][w] || r_z_min[k][w] > zhi) continue;
          if (rway_water[k][w] && on_water[i][j]) continue;
          for (float* p : v) p[1] = rway_elev[k][w];
          apt_on_poly[i][j] = 1;
          on_water[i][j] = 0;
        }
    }
}

// ---- The environment file ----------------------------------------------------------------------

enum {
  QUAD_VERTS = (QUAD_I + 1) * (QUAD_J + 1),
  OBJECTS_PER_FILE = 4096,  // more would only overwrite the file's own earlier obstacles
};

// One quadrant's file as read, checked before anything of it enters the grid.
static float file_lat[QUAD_VERTS], file_lon[QUAD_VERTS], file_h[QUAD_VERTS];
static std::int32_t file_flags[QUAD_VERTS];
struct object_record {
  std::int32_t type;
  float lat, lon, h_ft;
  std::int32_t i, j;
};
static object_record file_objects[OBJECTS_PER_FILE];
static int file_object_count = 0;

static bool read4(void* to) {
  unsigned char b[4];
  if (!inf.read(reinterpret_cast<char*>(b), 4)) return false;
  if (rev_inf_bin) rev_byte_order4(b);
  std::memcpy(to, b, 4);
  return true;
}

// Every vertex must lie within half a cell of its place in the quadrant's lattice and carry a
// height between the deepest and highest ground on earth (with room to spare); NaN fails both.
static bool vertex_is_sound(int lat, int lon, int i, int j, int v) {
  float want_lat = static_cast<float>(lat) + static_cast<float>(j) / QUAD_J;
  float want_lon = static_cast<float>(lon) + static_cast<float>(i) / QUAD_I;
  return std::fabs(file_lat[v] - want_lat) <= 0.5f / QUAD_J &&
         std::fabs(file_lon[v] - want_lon) <= 0.5f / QUAD_I && file_h[v] >= -1000.0f &&
         file_h[v] <= 10000.0f;
}

// Reads the vertex block and the object list; returns 0 (and notes why) when the file is missing,
// of the wrong version, short, or holds a vertex out of place.
static int read_env_file(int lat, int lon) {
  char path[STR_SIZE];
  return_latlon_str_ENV(lat, lon, path, 1);
  ap_dir(WORLD_DIR, path);
  if (!std::ifstream(path).is_open()) {
    note_terrain_problem("I could not find the terrain file for this area:", path, 0);
    return 0;
  }
  int sound = inf_open(path, FILE_BINARY, VERSION_TERRAIN, 0);
  for (int j = 0; sound && j <= QUAD_J; j++)
    for (int i = 0; sound && i <= QUAD_I; i++) {
      int v = j * (QUAD_I + 1) + i;
      sound = read4(&file_lat[v]) && read4(&file_lon[v]) && read4(&file_h[v]) &&
              read4(&file_flags[v]) && vertex_is_sound(lat, lon, i, j, v);
    }
  file_object_count = 0;
  // The list ends with a record of type 99; a file cut short in it keeps its whole records.
  while (sound && file_object_count < OBJECTS_PER_FILE) {
    object_record& o = file_objects[file_object_count];
    if (!read4(&o.type) || o.type == 99) break;
    if (!(read4(&o.lat) && read4(&o.lon) && read4(&o.h_ft) && read4(&o.i) && read4(&o.j))) break;
    file_object_count++;
  }
  inf.close();
  if (!sound)
    note_terrain_problem("The terrain file for this area is damaged or of the wrong version:",
                         path, 1);
  return sound;
}

// Puts the checked vertices into the grid. Vertex (0, 0) of the region keeps its place: it is the
// origin every conversion is taken from.
static void lay_file_vertices(int c, int r) {
  float ox = planexyz[0][0][0], oz = planexyz[0][0][2];
  for (int j = 0; j <= QUAD_J; j++)
    for (int i = 0; i <= QUAD_I; i++) {
      int v = j * (QUAD_I + 1) + i;
      float* p = planexyz[QUAD_I * c + i][QUAD_J * r + j];
      p[0] = (file_lon[v] - static_cast<float>(env.lon_wes)) * m_per_deg() *
                 std::cos(file_lat[v] * con.degtorad) +
             ox;
      p[1] = file_h[v];
      p[2] = oz - (file_lat[v] - static_cast<float>(env.lat_sou)) * m_per_deg();
      if (i < QUAD_I && j < QUAD_J)
        on_water[QUAD_I * c + i][QUAD_J * r + j] = (file_flags[v] & 6) == 6 ? 1 : 0;
    }
  planexyz[0][0][0] = ox;
  planexyz[0][0][2] = oz;
}

// Flat water at sea level on the quadrant's regular lattice.
static void lay_flat_water(int lat, int lon, int c, int r) {
  for (int j = 0; j <= QUAD_J; j++)
    for (int i = 0; i <= QUAD_I; i++) {
      float la = static_cast<float>(lat) + static_cast<float>(j) / QUAD_J;
      float lo = static_cast<float>(lon) + static_cast<float>(i) / QUAD_I;
      float* p = planexyz[QUAD_I * c + i][QUAD_J * r + j];
      float x = region_x(la, lo), z = region_z(la);
      p[0] = x;
      p[1] = 0.0f;
      p[2] = z;
      if (i < QUAD_I && j < QUAD_J) on_water[QUAD_I * c + i][QUAD_J * r + j] = 1;
    }
}

// The file's obstacles, each in the next slot of the cycle 350..1999. A record whose cell lies
// outside the quadrant, whose place is not in the quadrant or whose height is not that of a
// building or mast is skipped.
static void make_file_objects(int lat, int lon, int c, int r) {
  float la = static_cast<float>(lat), lo = static_cast<float>(lon);
  for (int n = 0; n < file_object_count; n++) {
    const object_record& o = file_objects[n];
    env.obs_slot = env.obs_slot >= OBS_FILE_FIRST && env.obs_slot < OBS_MAX - 1 ? env.obs_slot + 1
                                                                                : OBS_FILE_FIRST;
    float h = o.h_ft * con.fttomtrs;
    if (o.i < 0 || o.i >= QUAD_I || o.j < 0 || o.j >= QUAD_J) continue;
    if (!fltrange(o.lat, la, la + 1.0f) || !fltrange(o.lon, lo, lo + 1.0f)) continue;
    if (!fltrange(h, 0.0f, 1000.0f)) continue;
    int kind;
    seed_place_rand(o.lat, o.lon);
    if (o.type == 2)
      kind = h < 130.0f ? 2 : place_intrand(90, 93);
    else if (o.type >= 3 && o.type <= 6)
      kind = o.type;
    else
      continue;
    make_an_obs(region_x(o.lat, o.lon), region_z(o.lat), h, kind, QUAD_I * c + o.i,
                QUAD_J * r + o.j, env.obs_slot);
  }
}

static void clear_quadrant_cells(int c, int r) {
  for (int i = QUAD_I * c; i < QUAD_I * c + QUAD_I; i++)
    for (int j = QUAD_J * r; j < QUAD_J * r + QUAD_J; j++) {
      apt_on_poly[i][j] = city_on_poly[i][j] = tree_on_poly[i][j] = 0;
      frig_on_poly[i][j] = carr_on_poly[i][j] = oilr_on_poly[i][j] = 0;
    }
}

void read_quadrant(int lat, int lon, int q) {
  long long c = static_cast<long long>(lon) - env.lon_wes;
  long long r = static_cast<long long>(lat) - env.lat_sou;
  if (c < 0 || c > 2 || r < 0 || r > 1 || q != 3 * r + c) {
    MACIBM_alert("i/j-ind out of range!", "", "", "", ALERT_SIM_FATAL);
    return;
  }
  int qc = static_cast<int>(c), qr = static_cast<int>(r);
  set_runway_boxes(lat, lon);
  for (int n = 0; n < 10; n++) world_hooks.show_progress();
  env.lonwes_ref[qc][qr] = static_cast<float>(env.lon_wes);
  env.planex_ref[qc][qr] = planexyz[0][0][0];

  // Above 100000 ft nothing of the ground can be seen, and no file is read.
  int with_file = flt.h < 100000.0f * con.fttomtrs && read_env_file(lat, lon);
  clear_quadrant_cells(qc, qr);
  if (with_file)
    lay_file_vertices(qc, qr);
  else
    lay_flat_water(lat, lon, qc, qr);
  flatten_runways(qc, qr);
  // Storms form over the sea beyond the data too; without a fresh sector the quadrant would keep
  // what the field held there before: after a move, a copy of the storms of the column that moved
  // on, and after a new load, the storms of the last region.
  gen_wx_for_sec(q);
  if (!with_file) return;
  make_file_objects(lat, lon, qc, qr);
  place_cities_and_trees(qc, qr);
  clear_fire(qc, qr);
  place_ships(qc, qr);
}

void load_region() {
  env.flat_region = 0;
  planexyz[0][0][0] = planexyz[0][0][2] = 0.0f;
  for (int s = 0; s < OBS_MAX; s++) obs_type[s] = 0;
  for (int c = 0; c < 3; c++) read_quadrant(env.lat_sou, env.lon_wes + c, c);
  for (int c = 0; c < 3; c++) read_quadrant(env.lat_sou + 1, env.lon_wes + c, 3 + c);
  finish_nav_readin();
  for (int i = 0; i < 5; i++)
    for (int j = 0; j < 4; j++) fill_a_sector_with_ocast(i, j);
  report_terrain_problems(0);
}
