// Fuzzes the bitmap loader: the input becomes a bitmap file that is loaded as a terrain texture,
// a cut-out texture, a screen picture and a custom panel, at a resolution level taken from its
// last byte. A fatal alert throws out of the loader here instead of ending the process.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "world/world.h"

namespace {

struct fuzz_fatal {};

void throwing_exit(int) { throw fuzz_fatal{}; }

void load(int kind, int a, int b, const char* name) {
  try {
    OGL_texbmp(kind, a, b, name);
  } catch (const fuzz_fatal&) {
  }
  // The alert log would otherwise grow with every input.
  macibm_clear_alert_log();
}

void write(const char* path, const uint8_t* data, size_t size) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  macibm_exit_hook = throwing_exit;
  // Every alert is echoed to standard error; with a stream that has nowhere to write, the
  // fuzzer's own output stays readable.
  std::cerr.rdbuf(nullptr);
  init_constants();
  reset_ogl();
  reset_scn();
  std::filesystem::create_directories("bitmaps/Kestrix");
  C_to_C((std::filesystem::current_path().string() + "/").c_str(), app_path);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write("bmp_fuzz.BMP", data, size);
  write("bitmaps/Kestrix/bmp_fuzz.BMP", data, size);
  ogl_res = size ? 1 + data[size - 1] % 5 : 2;
  load(BMP_TEXTURE_PATH, 12, TEX_TERRAIN, "bmp_fuzz");
  load(BMP_TEXTURE_PATH, 30, TEX_CUTOUT, "bmp_fuzz");
  load(BMP_SCREEN, 5, 5, "bmp_fuzz");
  load(BMP_PANEL, 0, 0, "bmp_fuzz");
  return 0;
}
