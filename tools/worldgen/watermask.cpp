// The committed water mask: run-length coding of one land, sea or lake class per terrain cell.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "worldgen.h"

static void put32(std::vector<uint8_t>* o, int32_t v) {
  uint32_t u = (uint32_t)v;
  for (int k = 0; k < 4; k++) o->push_back((uint8_t)(u >> (8 * k)));
}

static int get32(const std::vector<uint8_t>& in, size_t* p, int32_t* v) {
  if (*p + 4 > in.size()) return 0;
  uint32_t u = 0;
  for (int k = 0; k < 4; k++) u |= (uint32_t)in[*p + k] << (8 * k);
  *p += 4;
  *v = (int32_t)u;
  return 1;
}

int encode_mask(const water_mask& m, std::vector<uint8_t>* out) {
  if (m.cols <= 0 || m.rows <= 0 || m.c.size() != (size_t)m.cols * m.rows) return 0;
  out->assign({'K', 'W', 'M', '1'});
  put32(out, m.cols);
  put32(out, m.rows);
  put32(out, m.lon0);
  put32(out, m.lat0);
  for (int j = 0; j < m.rows; j++) {
    const uint8_t* row = &m.c[(size_t)j * m.cols];
    int i = 0;
    while (i < m.cols) {
      int n = 1;
      while (i + n < m.cols && row[i + n] == row[i]) n++;
      out->push_back(row[i]);
      for (uint32_t u = (uint32_t)n;; u >>= 7) {
        out->push_back((uint8_t)((u & 0x7f) | (u > 0x7f ? 0x80 : 0)));
        if (u <= 0x7f) break;
      }
      i += n;
    }
  }
  return 1;
}

int decode_mask(const std::vector<uint8_t>& in, water_mask* m) {
  size_t p = 4;
  int32_t cols, rows, lon0, lat0;
  if (in.size() < 4 || std::memcmp(in.data(), "KWM1", 4) != 0) return 0;
  if (!get32(in, &p, &cols) || !get32(in, &p, &rows) || !get32(in, &p, &lon0) || !get32(in, &p, &lat0))
    return 0;
  // Bounds keep a damaged header from asking for an absurd allocation.
  if (cols <= 0 || rows <= 0 || cols > 100000 || rows > 100000 || (int64_t)cols * rows > 400000000) return 0;
  m->cols = cols;
  m->rows = rows;
  m->lon0 = lon0;
  m->lat0 = lat0;
  m->c.assign((size_t)cols * rows, MASK_LAND);
  for (int j = 0; j < rows; j++) {
    int i = 0;
    while (i < cols) {
      if (p >= in.size()) return 0;
      uint8_t cls = in[p++];
      uint32_t n = 0;
      for (int shift = 0;; shift += 7) {
        if (p >= in.size() || shift > 28) return 0;
        uint8_t b = in[p++];
        n |= (uint32_t)(b & 0x7f) << shift;
        if (!(b & 0x80)) break;
      }
      // A run must stay inside its row and hold a known class.
      if (cls > MASK_LAKE || n == 0 || n > (uint32_t)(cols - i)) return 0;
      std::memset(&m->c[(size_t)j * cols + i], cls, n);
      i += (int)n;
    }
  }
  return p == in.size();
}

int read_mask_file(const char* path, water_mask* m) {
  // A folder would open, and its first read end the program with an exception.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return 0;
  std::ifstream f(path, std::ios::binary);
  if (!f) return 0;
  std::vector<uint8_t> in((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return decode_mask(in, m);
}

int mask_at(const water_mask& m, double lat, double lon) {
  double fi = (lon - m.lon0) * QUAD_CELLS_I, fj = (lat - m.lat0) * QUAD_CELLS_J;
  if (!(fi >= 0 && fj >= 0 && fi < m.cols && fj < m.rows)) return MASK_LAND;
  return m.c[(size_t)std::floor(fj) * m.cols + (size_t)std::floor(fi)];
}
