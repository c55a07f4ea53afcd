// Writing 24-bit bottom-up BMP files: the file and information headers, then the rows from the
// bottom in blue-green-red order, each padded to a multiple of four bytes.
#include "bmp_write.h"

#include <algorithm>
#include <cstdio>

static std::uint8_t channel(double v) {
  return static_cast<std::uint8_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5);
}

void rgb_image::set(int x, int y, double r, double g, double b) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  std::uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  p[0] = channel(r);
  p[1] = channel(g);
  p[2] = channel(b);
}

static void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}

static void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

bool write_bmp(const std::string& path, const rgb_image& img) {
  const int row = (img.width * 3 + 3) / 4 * 4;
  const std::uint32_t pixels = static_cast<std::uint32_t>(row) * img.height;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + pixels);  // file size
  put32(out, 0);            // reserved
  put32(out, 54);           // offset of the pixel data
  put32(out, 40);           // information header size
  put32(out, img.width);
  put32(out, img.height);   // positive: rows stored bottom-up
  put16(out, 1);            // planes
  put16(out, 24);           // bits per pixel
  put32(out, 0);            // no compression
  put32(out, pixels);
  put32(out, 2835);         // 72 dots per inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = 0; y < img.height; y++) {
    const std::uint8_t* p = &img.rgb[static_cast<size_t>(y) * img.width * 3];
    for (int x = 0; x < img.width; x++, p += 3) {
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    for (int pad = img.width * 3; pad < row; pad++) out.push_back(0);
  }
  std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}
