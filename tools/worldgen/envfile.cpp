// Writer of the binary environment file of one terrain quadrant and of its name and folder.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

#include "worldgen.h"

static std::string signed3(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%c%03d", v >= 0 ? '+' : '-', std::abs(v));
  return b;
}

// Folders hold 10 x 10 degrees, named by their south-west corner rounded down to tens (the
// offsets keep the integer division rounding down for the southern and western hemispheres).
std::string quadrant_folder(int lat, int lon) {
  return signed3((lat + 60) / 10 * 10 - 60) + signed3((lon + 180) / 10 * 10 - 180);
}

std::string quadrant_file(int lat, int lon) { return signed3(lat) + signed3(lon) + ".env"; }

static void put(std::vector<char>* b, const void* p) {
  const char* c = static_cast<const char*>(p);
  b->insert(b->end(), c, c + 4);
}

// Water cells carry flag bits 1 and 2; the other bits stay clear.
static const int32_t WATER_FLAGS = 6;

int write_quadrant(const char* world_folder, int lat, int lon, const water_mask& m, const world_heights& w) {
  int I0 = (lon - m.lon0) * QUAD_CELLS_I, J0 = (lat - m.lat0) * QUAD_CELLS_J;
  if (I0 < 0 || J0 < 0 || I0 + QUAD_CELLS_I >= w.cols || J0 + QUAD_CELLS_J >= w.rows) return 0;
  std::vector<char> b;
  b.reserve(5 + 80 * 60 * 16 + 24);
  // Marker 'i': every 4-byte value follows in this machine's little-endian order.
  b.push_back('i');
  int32_t version = 3;
  put(&b, &version);
  for (int j = 0; j <= QUAD_CELLS_J; j++)
    for (int i = 0; i <= QUAD_CELLS_I; i++) {
      float vlat = (float)(lat + (double)j / QUAD_CELLS_J), vlon = (float)(lon + (double)i / QUAD_CELLS_I);
      float h = w.h[(size_t)(J0 + j) * w.cols + (I0 + i)];
      // The flags belong to the cell whose south-west vertex this is; vertices on the north and
      // east edges name the first cell of the neighbouring quadrant, which is the same cell.
      int ci = I0 + i, cj = J0 + j;
      int32_t flags = 0;
      if (ci < m.cols && cj < m.rows && m.c[(size_t)cj * m.cols + ci] != MASK_LAND) flags = WATER_FLAGS;
      put(&b, &vlat);
      put(&b, &vlon);
      put(&b, &h);
      put(&b, &flags);
    }
  // No objects: the closing record of type 99.
  int32_t end_rec[6] = {99, 0, 0, 0, 0, 0};
  for (int k = 0; k < 6; k++) put(&b, &end_rec[k]);

  std::string folder = std::string(world_folder) + quadrant_folder(lat, lon);
  mkdir(folder.c_str(), 0755);
  std::string path = folder + "/" + quadrant_file(lat, lon);
  std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f.write(b.data(), (std::streamsize)b.size())) return 0;
    f.close();
    if (!f) return 0;
  }
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}
