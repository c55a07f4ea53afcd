// Fuzzes the bitmap loader: the input loaded as a terrain and a cut-out texture, a screen picture
// and a custom panel, at a resolution level taken from its last byte.
#include "fuzz_support.h"

#include <filesystem>

#include "render/ogl.h"
#include "world/world.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  reset_ogl();
  reset_scn();
  std::filesystem::create_directories("bitmaps/Kestrix");
  C_to_C((std::filesystem::current_path().string() + "/").c_str(), app_path);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_write("bmp_fuzz.BMP", data, size);
  fuzz_write("bitmaps/Kestrix/bmp_fuzz.BMP", data, size);
  ogl_res = size ? 1 + data[size - 1] % 5 : 2;
  fuzz_run([] { OGL_texbmp(BMP_TEXTURE_PATH, 12, TEX_TERRAIN, "bmp_fuzz"); });
  fuzz_run([] { OGL_texbmp(BMP_TEXTURE_PATH, 30, TEX_CUTOUT, "bmp_fuzz"); });
  fuzz_run([] { OGL_texbmp(BMP_SCREEN, 5, 5, "bmp_fuzz"); });
  fuzz_run([] { OGL_texbmp(BMP_PANEL, 0, 0, "bmp_fuzz"); });
  return 0;
}
