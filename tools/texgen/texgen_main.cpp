// Writes the bitmaps the programs load, computed here so that every picture we ship is our own:
//   texgen <runtime folder>
// The start-up picture goes to bitmaps/, the scenery and common aircraft textures to textures/.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bmp_write.h"
#include "texgen.h"

rgb_image make_startup_picture(int w, int h);

static bool write_or_say(const std::string& path, const rgb_image& img) {
  if (write_bmp(path, img)) return true;
  std::fprintf(stderr, "texgen: could not write %s\n", path.c_str());
  return false;
}

static const char usage[] = "usage: texgen <runtime folder>\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return std::fputs(usage, stdout), 0;
  // An option is no folder, and an empty name would put the files at the root of the disk.
  if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') return std::fputs(usage, stderr), 2;
  const std::string dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir + "/bitmaps", ec);
  std::filesystem::create_directories(dir + "/textures", ec);
  // The start-up picture fills the main window's client area.
  if (!write_or_say(dir + "/bitmaps/Skyloom.BMP", make_startup_picture(800, 580))) return 1;
  for (const named_image& t : all_textures())
    if (!write_or_say(dir + "/textures/" + t.name + ".BMP", t.img)) return 1;
  return 0;
}
