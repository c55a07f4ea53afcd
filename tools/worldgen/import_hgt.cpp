// Importer of elevation tiles in the common 1- and 3-arc-second "hgt" layout.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "worldgen.h"

std::string hgt_name(int lat, int lon) {
  char b[32];
  std::snprintf(b, sizeof b, "%c%02d%c%03d.hgt", lat < 0 ? 'S' : 'N', std::abs(lat), lon < 0 ? 'W' : 'E',
                std::abs(lon));
  return b;
}

int load_hgt_tile(const char* path, int lat, int lon, hgt_tile* t) {
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  if (!f) return 0;
  std::streamoff size = f.tellg();
  // The size tells the resolution: 3601 samples a side at 1", 1201 at 3".
  int n = size == 3601LL * 3601 * 2 ? 3601 : (size == 1201LL * 1201 * 2 ? 1201 : 0);
  if (!n) return 0;
  std::vector<unsigned char> raw((size_t)size);
  f.seekg(0);
  if (!f.read(reinterpret_cast<char*>(raw.data()), size)) return 0;
  t->lat = lat;
  t->lon = lon;
  t->n = n;
  t->h.resize((size_t)n * n);
  for (size_t k = 0; k < t->h.size(); k++) t->h[k] = (int16_t)((raw[2 * k] << 8) | raw[2 * k + 1]);
  return 1;
}

int hgt_sample(const hgt_tile& t, double lat, double lon, float* h) {
  // Rows run from the northern edge southwards; both edges are included in the tile.
  double fx = (lon - t.lon) * (t.n - 1), fy = (t.lat + 1 - lat) * (t.n - 1);
  if (!(fx >= 0 && fy >= 0 && fx <= t.n - 1 && fy <= t.n - 1)) return 0;
  int x = (int)fx, y = (int)fy;
  if (x == t.n - 1) x--;
  if (y == t.n - 1) y--;
  double tx = fx - x, ty = fy - y;
  int v[4] = {t.h[(size_t)y * t.n + x], t.h[(size_t)y * t.n + x + 1], t.h[(size_t)(y + 1) * t.n + x],
              t.h[(size_t)(y + 1) * t.n + x + 1]};
  for (int k = 0; k < 4; k++)
    if (v[k] == -32768) return 0;
  double top = v[0] + (v[1] - v[0]) * tx, bot = v[2] + (v[3] - v[2]) * tx;
  *h = (float)(top + (bot - top) * ty);
  return 1;
}
