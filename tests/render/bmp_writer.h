// Writes small BMP files for the loader's tests and the fuzz seeds, including deliberately
// malformed ones: every header field the loader checks can be set.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

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
  int cut = 0;  // bytes cut from the end of the file
  // Colour of the pixel in column i, row j counted from the bottom.
  uint32_t (*color)(int i, int j) = nullptr;
};

// A pattern in which every pixel of a small picture differs: red from the column, green from the
// row, blue fixed.
inline uint32_t pattern_color(int i, int j) {
  return (uint32_t)((10 + 20 * i) & 255) << 16 | (uint32_t)((5 + 40 * j) & 255) << 8 | 0x99;
}

inline void put16(std::string& s, unsigned v) {
  s += (char)(v & 255);
  s += (char)(v >> 8 & 255);
}

inline void put32(std::string& s, uint32_t v) {
  for (int k = 0; k < 4; k++) s += (char)(v >> (8 * k) & 255);
}

inline std::string bmp_bytes(const test_bmp& b) {
  const int row_bytes = (b.w * 3 + 3) & ~3;
  const uint32_t offset = 14 + 40 + b.gap;
  std::string s = b.signature;
  put32(s, offset + (uint32_t)(row_bytes * b.h));
  put32(s, 0);
  put32(s, offset + b.offset_delta);
  put32(s, (uint32_t)b.info_size);
  put32(s, (uint32_t)b.w);
  put32(s, (uint32_t)(b.top_down ? -b.h : b.h));
  put16(s, 1);
  put16(s, (unsigned)b.bits);
  put32(s, (uint32_t)b.compression);
  put32(s, (uint32_t)(row_bytes * b.h));
  for (int k = 0; k < 4; k++) put32(s, 0);
  s.append((size_t)b.gap, '\x5a');
  for (int r = 0; r < b.h; r++) {
    const int j = b.top_down ? b.h - 1 - r : r;
    for (int i = 0; i < b.w; i++) {
      uint32_t c = b.color ? b.color(i, j) : pattern_color(i, j);
      s += (char)(c & 255);        // blue
      s += (char)(c >> 8 & 255);   // green
      s += (char)(c >> 16 & 255);  // red
    }
    s.append((size_t)(row_bytes - 3 * b.w), '\x7e');  // padding the loader must skip
  }
  s.resize(s.size() - (size_t)b.cut);
  return s;
}

inline void write_bmp(const std::string& path, const test_bmp& b) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bmp_bytes(b);
}
