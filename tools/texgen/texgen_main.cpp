// Writes the bitmaps the programs load, computed here so that every picture we ship is our own:
//   texgen <runtime folder>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bmp_write.h"

rgb_image make_startup_picture(int w, int h);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: texgen <runtime folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir + "/bitmaps", ec);
  // The start-up picture fills the main window's client area.
  if (!write_bmp(dir + "/bitmaps/Skyloom.BMP", make_startup_picture(800, 580))) {
    std::fprintf(stderr, "texgen: could not write %s/bitmaps/Skyloom.BMP\n", dir.c_str());
    return 1;
  }
  return 0;
}
