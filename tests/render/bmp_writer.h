// Writes small BMP files for the loader's tests, including deliberately malformed ones: every
// header field the loader checks can be set.
#pragma once

#include <cstdint>
#include <string>

#include "support/test_support.h"

// Tests size it in place as test_bmp b{width, height}: w and h stay the first fields.
struct test_bmp {
  int w = 1, h = 1;
  bool top_down = false;  // store the top row first, with a negative height
  int gap = 0;            // extra bytes between the headers and the pixels
  int bits = 24;          // bits per pixel written in the header (pixels are always 3 bytes)
  int compression = 0;
  int info_size = 40;    // size field of the information header
  int offset_delta = 0;  // added to the true pixel-data offset in the header
  std::string signature = "BM";
  // Colour of the pixel in column i, row j counted from the bottom.
  uint32_t (*color)(int i, int j) = nullptr;
};

// A pattern in which every pixel of a small picture differs: red from the column, green from the
// row, blue fixed.
inline uint32_t pattern_color(int i, int j) {
  return (uint32_t)((10 + 20 * i) & 255) << 16 | (uint32_t)((5 + 40 * j) & 255) << 8 | 0x99;
}

inline std::string bmp_bytes(const test_bmp& b) {
  const int row_bytes = (b.w * 3 + 3) & ~3;
  const uint32_t offset = 14 + 40 + b.gap;
  std::string s = b.signature;
  s += le_bytes(offset + (uint32_t)(row_bytes * b.h), 4);
  s += le_bytes(0, 4);
  s += le_bytes(offset + b.offset_delta, 4);
  s += le_bytes((uint32_t)b.info_size, 4);
  s += le_bytes((uint32_t)b.w, 4);
  s += le_bytes((uint32_t)(b.top_down ? -b.h : b.h), 4);
  s += le_bytes(1, 2);
  s += le_bytes((unsigned)b.bits, 2);
  s += le_bytes((uint32_t)b.compression, 4);
  s += le_bytes((uint32_t)(row_bytes * b.h), 4);
  for (int k = 0; k < 4; k++) s += le_bytes(0, 4);
  s.append((size_t)b.gap, '\x5a');
  for (int r = 0; r < b.h; r++) {
    const int j = b.top_down ? b.h - 1 - r : r;
    for (int i = 0; i < b.w; i++) {
      s += le_bytes(b.color ? b.color(i, j) : pattern_color(i, j), 3);  // blue, green, red
    }
    s.append((size_t)(row_bytes - 3 * b.w), '\x7e');  // padding the loader must skip
  }
  return s;
}

inline void write_bmp(const std::string& path, const test_bmp& b) { write_file(path, bmp_bytes(b)); }
