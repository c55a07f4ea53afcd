// Writing 24-bit bottom-up BMP files, the format the drawing layer loads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An image of width x height pixels, rows from the bottom, three bytes red, green, blue each.
struct rgb_image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  void resize(int w, int h) {
    width = w;
    height = h;
    rgb.assign(static_cast<size_t>(w) * h * 3, 0);
  }
  void set(int x, int y, double r, double g, double b);
};

// Writes the image as an uncompressed 24-bit BMP; returns false when the file cannot be written.
bool write_bmp(const std::string& path, const rgb_image& img);
