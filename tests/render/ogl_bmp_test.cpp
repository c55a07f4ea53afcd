// The bitmap loader without a GL context: file names by kind, the header checks and their
// alerts, row order, padding and offsets, the grey stand-in, transparency, reduction and mipmaps.
#include "support/test_support.h"

#include <cstring>
#include <filesystem>
#include <string>

#include "render/bmp_writer.h"
#include "render/ogl.h"
#include "render/ogl_local.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace fs = std::filesystem;

class RenderOglBmp : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_ogl();
    reset_scn();
    reset_atm();
    ogl_res = 5;  // no reduction unless a test asks for it
    mnw.ready_to_update = 1;
    fs::create_directories("textures");
    fs::create_directories("bitmaps/Kestrix");
    C_to_C((fs::current_path().string() + "/").c_str(), app_path);
  }

  // Colour of pixel (i, j) of the staging buffer, as 0xRRGGBB, and its alpha.
  static uint32_t staged(int i, int j, int w) {
    const unsigned char* p = rgb_array + 4 * (j * w + i);
    return (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
  }
  static int alpha(int i, int j, int w) { return rgb_array[4 * (j * w + i) + 3]; }

  static void expect_pattern(int w, int h) {
    for (int j = 0; j < h; j++)
      for (int i = 0; i < w; i++) {
        EXPECT_EQ(staged(i, j, w), pattern_color(i, j)) << i << "," << j;
        EXPECT_EQ(alpha(i, j, w), 255);
      }
  }

  static std::string path(const char* name) { return std::string(app_path) + name + ".BMP"; }
};

TEST_F(RenderOglBmp, ReadsRowsInEveryStoredOrderSkippingPaddingAndGaps) {
  ASSERT_EQ(bmp_bytes(test_bmp{3, 2}).size(), 54u + 2 * 12);  // 9 bytes of pixels, 3 of padding
  // Bottom row first, top row first, bytes the header says to skip before the pixels, and a name
  // written on Windows for a file with a lower-case extension on disk.
  const struct {
    const char *file, *name;
    bool top_down;
    int gap, w;
  } cases[] = {{"up.BMP", "up", false, 0, 3},
               {"down.BMP", "down", true, 0, 3},
               {"gap.BMP", "gap", false, 10, 3},
               {"lower.bmp", ".\\lower", false, 0, 5}};
  for (const auto& c : cases) {
    test_bmp b{c.w, 2};
    b.top_down = c.top_down, b.gap = c.gap;
    write_bmp(c.file, b);
    std::memset(rgb_array, 0, 64);
    EXPECT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 4, 0, c.name), 1) << c.file;
    expect_pattern(c.w, 2);
    EXPECT_EQ(tex_size[4], c.w * 2 * 4) << c.file;
  }
  EXPECT_TRUE(macibm_alert_log().empty());
}

// Each file the loader refuses gives its fatal alert: for a bad header what is wrong, the file and
// a hint; for a file that ends early (in the file header, the information header or the pixels,
// or before the pixel-data offset) a scanning error with the file.
TEST_F(RenderOglBmp, EachBadFileGetsItsFatalAlert) {
  write_bmp("w1024.BMP", test_bmp{1024});
  EXPECT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 1, 0, "w1024"), 1);  // the widest allowed
  struct bad_case {
    const char* what;
    void (*spoil)(test_bmp& b);
    size_t keep;          // bytes of the file written; 0, all of them
    const char *l1, *l3;  // the alert's first and third lines; none for a scanning error
  };
  const char* const not_bmp = "Trying to read a texture bitmap that is not a bitmap";
  const char* const tall = "Bitmap too tall! (max is 1024)";
  auto three = [](test_bmp& b) { b.w = b.h = 3; };
  const bad_case cases[] = {
      {"wide", [](test_bmp& b) { b.w = 1025, b.h = 1; }, 0, "Bitmap too wide! (max is 1024)", ""},
      {"tall", [](test_bmp& b) { b.w = 1, b.h = 1025; }, 0, tall, ""},
      {"tall top down", [](test_bmp& b) { b.w = 1, b.h = 1025, b.top_down = true; }, 0, tall, ""},
      {"signature", [](test_bmp& b) { b.signature = "MB"; }, 0, not_bmp, ""},
      {"depth", [](test_bmp& b) { b.bits = 32; }, 0, "Wrong bitmap color depth for texture!",
       "We need 24-bit color."},
      {"compressed", [](test_bmp& b) { b.compression = 1; }, 0, "Bitmap is compressed!", ""},
      {"old header", [](test_bmp& b) { b.info_size = 12; }, 0, not_bmp, ""},
      {"no width", [](test_bmp& b) { b.w = 0; }, 0, not_bmp, ""},
      {"negative width", [](test_bmp& b) { b.w = -4; }, 0, not_bmp, ""},
      {"no height", [](test_bmp& b) { b.h = 0; }, 0, not_bmp, ""},
      {"offset in header", [](test_bmp& b) { b.offset_delta = -30; }, 0, not_bmp, ""},
      {"one byte", three, 1, nullptr, nullptr},
      {"cut in file header", three, 10, nullptr, nullptr},
      {"cut in information header", three, 40, nullptr, nullptr},
      {"cut in the pixels", three, 54 + 3 * 12 - 1, nullptr, nullptr},
      {"offset past the end", [](test_bmp& b) { b.w = b.h = 3, b.offset_delta = 1000; }, 0, nullptr,
       nullptr},
  };
  for (const bad_case& c : cases) {
    SCOPED_TRACE(c.what);
    test_bmp b{2, 2};
    c.spoil(b);
    const std::string bytes = bmp_bytes(b);
    write_file("bad.BMP", c.keep ? bytes.substr(0, c.keep) : bytes);
    macibm_clear_alert_log();
    EXPECT_FATAL_ALERT(OGL_texbmp(BMP_TEXTURE_PATH, 2, 0, "bad"));
    const std::string scan[4] = {"File-scanning error!", "intscan", "file:", "bad.BMP"};
    const std::string refused[4] = {c.l1 ? c.l1 : "", "bad.BMP", c.l3 ? c.l3 : "", ""};
    for (int k = 0; k < 4; k++) EXPECT_EQ(last_alert().line[k], (c.l1 ? refused : scan)[k]) << k;
    EXPECT_EQ(last_alert().kind, ALERT_SIM_FATAL);
  }
}

TEST_F(RenderOglBmp, MissingFilesDependOnTheKind) {
  EXPECT_FATAL_ALERT(OGL_texbmp(BMP_SCREEN, 0, 0, "nothing"));
  EXPECT_EQ(last_alert().line[0], "Can't open bitmap!");
  EXPECT_EQ(last_alert().line[1], path("bitmaps/Kestrix/nothing"));

  macibm_clear_alert_log();
  EXPECT_EQ(OGL_texbmp(BMP_PANEL, 0, 0, "nothing"), 0);
  EXPECT_TRUE(macibm_alert_log().empty());

  // Before any bitmap has been read the grey stand-in has a size of its own; after one, it takes
  // that one's size.
  EXPECT_EQ(OGL_texbmp(BMP_TEXTURE, 3, 0, "nothing"), 0);
  EXPECT_EQ(tex_size[3], OGL_GREY_DEFAULT_SIZE * OGL_GREY_DEFAULT_SIZE * 4);
  EXPECT_EQ(staged(OGL_GREY_DEFAULT_SIZE - 1, OGL_GREY_DEFAULT_SIZE - 1, OGL_GREY_DEFAULT_SIZE),
            0xc8c8c8u);
  test_bmp b{6, 2};
  write_bmp("textures/six.BMP", b);
  EXPECT_EQ(OGL_texbmp(BMP_TEXTURE, 3, 0, "six"), 1);
  EXPECT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 5, 0, "nothing"), 0);
  EXPECT_EQ(tex_size[5], 6 * 2 * 4);
  EXPECT_EQ(staged(5, 1, 6), 0xc8c8c8u);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(RenderOglBmp, TextureNumbersOutsideTheTableAreFatal) {
  test_bmp b;
  write_bmp("one.BMP", b);
  EXPECT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 59, 0, "one"), 1);
  for (int n : {60, -1}) {
    EXPECT_FATAL_ALERT(OGL_texbmp(BMP_TEXTURE_PATH, n, 0, "one"));
    EXPECT_EQ(last_alert().line[0], "Too many textures loaded!");
    EXPECT_EQ(last_alert().line[3], std::to_string(n));
    EXPECT_EQ(last_alert().kind, ALERT_SIM_FATAL_VALUE);
  }
}

TEST_F(RenderOglBmp, ScreenPicturesComeFromTheBitmapsFolderScaledForTheLight) {
  test_bmp b{2, 2};
  write_bmp("bitmaps/Kestrix/panel.BMP", b);
  ogl_light_rat[0] = 0.5f;
  ogl_light_rat[1] = 1.0f;
  ogl_light_rat[2] = 0.0f;
  EXPECT_EQ(OGL_texbmp(BMP_SCREEN, 10, 20, "panel"), 1);
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 2; i++) {
      uint32_t c = pattern_color(i, j);
      EXPECT_EQ(staged(i, j, 2), ((c >> 16) / 2) << 16 | (c & 0xff00));
    }
  // The start-up picture lies in the bitmaps folder itself.
  write_bmp("bitmaps/Skyloom.BMP", b);
  EXPECT_EQ(OGL_texbmp(BMP_SCREEN, 0, 0, "Skyloom"), 1);

  // A custom panel must be 800 x 333.
  b.w = 800;
  b.h = 332;
  write_bmp("cockpit.BMP", b);
  EXPECT_FATAL_ALERT(OGL_texbmp(BMP_PANEL, 0, 0, (std::string(app_path) + "cockpit").c_str()));
  EXPECT_EQ(last_alert().line[0], "Custom cockpit bitmap is not 800x333 pixels!");
  EXPECT_EQ(last_alert().line[2],
            "The cockpit bitmap must be 800x333 pixels, with 32 or 24 bit RGB color.");
  b.h = 333;
  write_bmp("cockpit.BMP", b);
  EXPECT_EQ(OGL_texbmp(BMP_PANEL, 0, 0, (std::string(app_path) + "cockpit").c_str()), 1);
}

TEST_F(RenderOglBmp, WinterSwapsTheGrassTexturesForSnow) {
  const test_bmp grass{4}, snow{2};
  write_bmp("textures/grs.BMP", grass);
  write_bmp("textures/sno.BMP", snow);
  write_bmp("textures/grs_wat_h.BMP", grass);
  write_bmp("textures/sno_wat_h.BMP", snow);
  write_bmp("textures/mnt.BMP", grass);
  atm.temp_SL = 20.0f;
  OGL_texbmp(BMP_TEXTURE, 11, 0, seasonal_texture(11, "grs"));
  OGL_texbmp(BMP_TEXTURE, 13, 0, seasonal_texture(13, "grs_wat_h"));
  OGL_texbmp(BMP_TEXTURE, 12, 0, seasonal_texture(12, "mnt"));  // rock has no winter form
  EXPECT_EQ(tex_size[11], 2 * 4);
  EXPECT_EQ(tex_size[13], 2 * 4);
  EXPECT_EQ(tex_size[12], 4 * 4);
  atm.temp_SL = 32.0f;
  OGL_texbmp(BMP_TEXTURE, 11, 0, seasonal_texture(11, "grs"));
  EXPECT_EQ(tex_size[11], 4 * 4);
}

TEST_F(RenderOglBmp, CutoutTexturesMakePureBlackTransparent) {
  test_bmp b{2};
  b.color = [](int i, int j) -> uint32_t { return i == 0 ? 0x000000 : 0x000001; };
  for (int kind : {TEX_CUTOUT, TEX_CUTOUT2, TEX_CLAMP}) {
    write_bmp("cut.BMP", b);
    OGL_texbmp(BMP_TEXTURE_PATH, 0, kind, "cut");
    EXPECT_EQ(alpha(0, 0, 2), kind == TEX_CLAMP ? 255 : 0) << kind;
    EXPECT_EQ(alpha(1, 0, 2), 255) << kind;
  }
}

TEST_F(RenderOglBmp, TerrainTexturesAreMipmappedAndShouldBeSquare) {
  test_bmp b{4, 4};
  write_bmp("square.BMP", b);
  OGL_texbmp(BMP_TEXTURE_PATH, 5, TEX_TERRAIN, "square");
  EXPECT_EQ(tex_size[5], (16 + 4 + 1) * 4);  // levels 4x4, 2x2, 1x1
  EXPECT_TRUE(macibm_alert_log().empty());

  b.h = 2;
  write_bmp("wide.BMP", b);
  OGL_texbmp(BMP_TEXTURE_PATH, 5, TEX_TERRAIN, "wide");
  EXPECT_EQ(last_alert().line[0], "WHOA!");
  EXPECT_EQ(last_alert().line[1], "You have defined a NON-SQUARE texture for terrain!");
  EXPECT_EQ(last_alert().kind, ALERT_NOTICE);
  EXPECT_EQ(tex_size[5], (8 + 2 + 1) * 4);  // 4x2, 2x1, 1x1
}

TEST_F(RenderOglBmp, ReductionFollowsTheResolutionLevelAndTheTextureSizeLimit) {
  // Level by level for other textures and for terrain textures 10..21.
  const int other[5] = {4, 2, 2, 1, 1}, terrain[5] = {16, 8, 4, 2, 1};
  for (int res = 1; res <= 5; res++) {
    EXPECT_EQ(ogl_reduction_factor(res, 9, 256, 256, 4096), other[res - 1]);
    EXPECT_EQ(ogl_reduction_factor(res, 10, 256, 256, 4096), terrain[res - 1]);
    EXPECT_EQ(ogl_reduction_factor(res, 21, 256, 256, 4096), terrain[res - 1]);
    EXPECT_EQ(ogl_reduction_factor(res, 22, 256, 256, 4096), other[res - 1]);
  }
  // A level read from a damaged preferences file stays inside the table.
  EXPECT_EQ(ogl_reduction_factor(0, 10, 256, 256, 4096), 16);
  EXPECT_EQ(ogl_reduction_factor(9, 10, 256, 256, 4096), 1);
  // Halved further until both sides fit.
  EXPECT_EQ(ogl_reduction_factor(5, 0, 1024, 100, 256), 4);
  EXPECT_EQ(ogl_reduction_factor(5, 0, 100, 1000, 256), 4);

  // Every factor-th pixel, and never less than one pixel a side.
  test_bmp b{8, 3};
  write_bmp("eight.BMP", b);
  ogl_res = 1;
  OGL_texbmp(BMP_TEXTURE_PATH, 0, 0, "eight");  // factor 4
  EXPECT_EQ(tex_size[0], 2 * 1 * 4);
  EXPECT_EQ(staged(0, 0, 2), pattern_color(0, 0));
  EXPECT_EQ(staged(1, 0, 2), pattern_color(4, 0));
}

TEST_F(RenderOglBmp, MipmapLevelsAverageBlocksWithoutLeavingTheImage) {
  // 3 x 1: the one row serves as both rows of its blocks; the odd last column is dropped.
  unsigned char img[3 * 4] = {10, 0, 0, 255, 20, 4, 0, 255, 99, 99, 99, 255};
  unsigned char out[4];
  ogl_halve_image(img, 3, 1, out);
  EXPECT_EQ(out[0], 15);
  EXPECT_EQ(out[1], 2);
  EXPECT_EQ(out[3], 255);

  // 1 x 1 stays itself; 2 x 2 in place becomes the average of its four texels (rounded).
  unsigned char one[4] = {7, 8, 9, 10};
  ogl_halve_image(one, 1, 1, one);
  EXPECT_EQ(one[0], 7);
  unsigned char sq[16] = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
  ogl_halve_image(sq, 2, 2, sq);
  EXPECT_EQ(sq[0], 2);  // (0 + 1 + 2 + 3 + 2) / 4
}
