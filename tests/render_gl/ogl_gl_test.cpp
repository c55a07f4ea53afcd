// The GL back end itself: the switches of OGL_reset and OGL_setstate, textures as uploaded and as
// drawn on quads, pictures drawn into the window, and presenting changed pictures on screen.
#include <GL/gl.h>

#include <array>
#include <filesystem>
#include <string>

#include "app/desktop/ogl_gl.h"
#include "render/bmp_writer.h"
#include "render/ogl.h"
#include "render_gl/gl_harness.h"

class RenderGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    std::filesystem::create_directories("bitmaps/Kestrix");
    C_to_C((std::filesystem::current_path().string() + "/").c_str(), app_path);
  }

  // Texel (i, j) of level `level` of the bound texture as 0xAARRGGBB.
  static uint32_t texel(int level, int i, int j) {
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    std::string buf((size_t)w * h * 4, '\0');
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, &buf[0]);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&buf[4 * ((size_t)j * w + i)]);
    return (uint32_t)p[3] << 24 | (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
  }
};

TEST_F(RenderGl, SetStateSwitchesOnlyWhatItIsAskedForAndResetClearsAll) {
  OGL_setstate(1, 1, 1, 1);
  for (GLenum cap : {GL_FOG, GL_LIGHTING, GL_LIGHT0, GL_TEXTURE_2D, GL_DEPTH_TEST})
    EXPECT_TRUE(glIsEnabled(cap)) << cap;
  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  for (int k = 0; k < 3; k++) EXPECT_EQ(color[k], 1.0f) << k;  // white under a texture
  OGL_setstate(0, 1, 0, 1);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

  // A reset brings a context back to the layer's fixed state, whatever was switched before.
  OGL_reset();
  for (GLenum cap : {GL_FOG, GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_NORMALIZE})
    EXPECT_FALSE(glIsEnabled(cap)) << cap;
  for (GLenum cap : {GL_CULL_FACE, GL_DITHER, GL_COLOR_MATERIAL}) EXPECT_TRUE(glIsEnabled(cap));
  GLint v;
  glGetIntegerv(GL_FRONT_FACE, &v);
  EXPECT_EQ(v, GL_CW);
  glGetIntegerv(GL_FOG_MODE, &v);
  EXPECT_EQ(v, GL_LINEAR);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &v);
  EXPECT_EQ(v, 1);
  // The cached state followed: asking for lighting switches it on again.
  OGL_setstate(0, 1, 0, 0);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(RenderGl, TexturesKeepTheirRowOrderAndTreatment) {
  test_bmp b{2, 2};
  b.top_down = true;
  write_bmp("tex.BMP", b);
  ASSERT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 3, TEX_CLAMP, "tex"), 1);
  OGL_bindtex(3);
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 2; i++) EXPECT_EQ(texel(0, i, j), 0xff000000u | pattern_color(i, j));
  GLint wrap;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);

  // Terrain: a mipmap chain down to one texel, each level the average of the one above.
  ASSERT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 4, TEX_TERRAIN, "tex"), 1);
  OGL_bindtex(4);
  uint32_t sum_r = 0;
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 2; i++) sum_r += pattern_color(i, j) >> 16 & 255;
  EXPECT_EQ(texel(1, 0, 0) >> 16 & 255, (sum_r + 2) / 4);
  GLint min_filter;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
  EXPECT_EQ(min_filter, GL_LINEAR_MIPMAP_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
  EXPECT_EQ(wrap, GL_REPEAT);
}

TEST_F(RenderGl, QuadsShowTheirFrontFacesInColourOrTextured) {
  test_bmp b{2, 2};
  write_bmp("quad.BMP", b);
  ASSERT_EQ(OGL_texbmp(BMP_TEXTURE_PATH, 7, TEX_CLAMP, "quad"), 1);

  // Clockwise on screen, texture rectangle (0, 1)-(1, 0) from the top-left corner, two pixels
  // per texel: the corner pixels sample their corner texels alone.
  const float tl[3] = {10, 14, 0}, tr[3] = {14, 14, 0}, br[3] = {14, 10, 0}, bl[3] = {10, 10, 0};
  OGL_setstate(0, 0, 1, 0);
  OGL_bindtex(7);
  OGL_3dquad_st(tl, tr, br, bl, 3, 0.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(gl_pixel(10, 10), pattern_color(0, 0));
  EXPECT_EQ(gl_pixel(13, 10), pattern_color(1, 0));
  EXPECT_EQ(gl_pixel(10, 13), pattern_color(0, 1));
  EXPECT_EQ(gl_pixel(13, 13), pattern_color(1, 1));
  EXPECT_EQ(tex_used[7], 1);

  // Flat colour; the same corners in the other order face away and are culled.
  OGL_setstate(0, 0, 0, 0);
  const float tl2[3] = {20, 14, 0}, tr2[3] = {24, 14, 0}, br2[3] = {24, 10, 0},
              bl2[3] = {20, 10, 0};
  OGL_3dquad(tl2, tr2, br2, bl2, 3);  // red
  EXPECT_EQ(gl_pixel(22, 12), 0xff0000u);
  const float tl3[3] = {30, 14, 0}, tr3[3] = {34, 14, 0}, br3[3] = {34, 10, 0},
              bl3[3] = {30, 10, 0};
  OGL_3dquad(bl3, br3, tr3, tl3, 3);
  EXPECT_EQ(gl_pixel(32, 12), 0u);
  // Without texturing a textured quad shows its flat colour.
  OGL_3dquad_flat(tl3, tr3, br3, bl3, 5, 0, 1, 1, 0);  // yellow
  EXPECT_EQ(gl_pixel(32, 12), 0xffff00u);
}

TEST_F(RenderGl, ScreenPicturesAreDrawnAtTheirWindowPosition) {
  test_bmp b{3, 2};
  write_bmp("bitmaps/Kestrix/pic.BMP", b);
  ogl_light_rat[2] = 0.0f;
  ASSERT_EQ(OGL_texbmp(BMP_SCREEN, 20, 30, "pic"), 1);
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 3; i++)
      EXPECT_EQ(gl_pixel(20 + i, 30 + j), pattern_color(i, j) & 0xffff00u) << i << "," << j;
  EXPECT_EQ(gl_pixel(19, 30), 0u);
  EXPECT_EQ(gl_pixel(23, 31), 0u);
  // Partly outside the window, the part inside is still drawn.
  ASSERT_EQ(OGL_texbmp(BMP_SCREEN, -1, -1, "pic"), 1);
  EXPECT_EQ(gl_pixel(0, 0), pattern_color(1, 1) & 0xffff00u);
}

TEST_F(RenderGl, ChangedPicturesReachTheScreenOncePerPresent) {
  const int before = gl_harness_swaps();
  OGL_fillrect(36, 5, 5, 10, 10);
  EXPECT_EQ(gl_harness_swaps(), before);  // nothing is shown until the loop presents
  OGL_present_changed();
  EXPECT_EQ(gl_harness_swaps(), before + 1);
  EXPECT_EQ(gl_screen_pixel(9, 9), 0xffffffu);
  EXPECT_EQ(gl_screen_pixel(20, 20), 0u);
  OGL_present_changed();
  EXPECT_EQ(gl_harness_swaps(), before + 1);  // no change, no swap

  // A frame drawn for presenting at once is shown only when it is declared done, and the whole
  // picture goes up, not only the last rectangle.
  ogl_will_be_blitted = 1;
  OGL_fillrect(3, 40, 40, 4, 4);
  OGL_present_changed();
  EXPECT_EQ(gl_harness_swaps(), before + 1);
  OGL_sbuf(0, 0, 1, 1);
  OGL_present_changed();
  EXPECT_EQ(gl_harness_swaps(), before + 2);
  EXPECT_EQ(gl_screen_pixel(41, 41), 0xff0000u);
  EXPECT_EQ(gl_screen_pixel(9, 9), 0xffffffu);
  // Drawing goes on into the picture after presenting.
  EXPECT_EQ(gl_pixel(41, 41), 0xff0000u);
}

// Where the window can show a part of its back buffer, the back buffer is the picture: it is
// never swapped, and a present shows what was drawn since the last one, however it was declared,
// while the window keeps showing everything shown before.
TEST_F(RenderGl, ABackBufferPictureShowsAllThatWasDrawnAndKeepsTheRest) {
  gl_harness_partial(true);
  gl_harness_fresh();
  const int swaps = gl_harness_swaps();
  // The part shown by the last present, as x, y, width, height; all zero when none was.
  auto shown = [] {
    const int before = gl_harness_rect_swaps(nullptr);
    OGL_present_changed();
    std::array<int, 4> r{};
    return gl_harness_rect_swaps(r.data()) > before ? r : std::array<int, 4>{};
  };
  OGL_fillrect(37, 0, 0, 1, 1);
  EXPECT_EQ(shown(), (std::array<int, 4>{0, 0, GL_TEST_W, GL_TEST_H}));  // a new picture: whole
  OGL_fillrect(36, 5, 5, 10, 10);
  const std::array<int, 4> r = shown();
  EXPECT_TRUE(r[0] <= 5 && r[1] <= 5 && r[0] + r[2] >= 15 && r[1] + r[3] >= 15 &&
              r[2] * r[3] < GL_TEST_W * GL_TEST_H / 8);
  // Drawn for presenting at once and declared by one pixel far off: it goes up all the same.
  ogl_will_be_blitted = 1;
  OGL_fillrect(3, 120, 70, 4, 4);
  ogl_will_be_blitted = 0;
  OGL_sbuf(0, 0, 1, 1);
  shown();
  EXPECT_EQ(gl_screen_pixel(121, 71), 0xff0000u);
  EXPECT_EQ(gl_screen_pixel(9, 9), 0xffffffu);  // shown before, still there
  // A view goes up to its edges and no further.
  const float id[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, blue[3] = {0, 0, 1};
  OGL_view_begin(40, 20, 30, 25, id, id, blue);
  OGL_view_end();
  OGL_sbuf(40, 20, 30, 25);
  EXPECT_EQ(shown(), (std::array<int, 4>{40, 20, 30, 25}));
  // 3-D drawing outside a view may be anywhere: the whole window goes up.
  const float a[3] = {150, 90, 0}, b[3] = {155, 90, 0}, c[3] = {155, 85, 0}, d[3] = {150, 85, 0};
  OGL_setstate(0, 0, 0, 0);
  OGL_3dquad(a, b, c, d, 5);
  OGL_sbuf(0, 0, 1, 1);
  EXPECT_EQ(shown(), (std::array<int, 4>{0, 0, GL_TEST_W, GL_TEST_H}));
  EXPECT_EQ(gl_screen_pixel(152, 87), 0xffff00u);
  // The window asked to repaint shows the whole picture, what is not yet presented included.
  ogl_will_be_blitted = 1;
  OGL_fillrect(36, 100, 10, 3, 3);
  ogl_will_be_blitted = 0;
  ogl_gl_show_window(GL_TEST_WINDOW);
  EXPECT_EQ(gl_screen_pixel(101, 11), 0xffffffu);
  EXPECT_EQ(gl_harness_swaps(), swaps);  // never swapped

  // A new size starts from the old picture stretched over it, until the program draws again.
  ogl_gl_select_window(GL_TEST_WINDOW, GL_TEST_W / 2, GL_TEST_H / 2);
  for (auto [x, y, rgb] : {std::array<unsigned, 3>{60, 35, 0xff0000}, {4, 4, 0xffffff},
                           {27, 16, 0x0000ff}, {45, 45, 0}})
    EXPECT_EQ(gl_pixel(x, y), rgb) << x << "," << y;
  gl_harness_partial(false);
  gl_harness_fresh();
}

TEST_F(RenderGl, TheStartupProgressBarPresentsEachStep) {
  mnw.ready_to_update = 0;
  const int before = gl_harness_swaps();
  OGL_show_init(0);
  OGL_show_init(0);
  EXPECT_EQ(gl_harness_swaps(), before + 2);
  EXPECT_EQ(gl_picture(19, 19, 12, 6),
            "............\n"
            ".##########.\n"
            ".##########.\n"
            ".##########.\n"
            ".##########.\n"
            "............\n");
  OGL_fillrect(25, 0, 0, 40, 40);
  OGL_show_init(1);  // a new style starts again at the left, framed
  EXPECT_EQ(gl_picture(19, 19, 12, 6),
            "............\n"
            ".#####......\n"
            ".#...#......\n"
            ".#...#......\n"
            ".#####......\n"
            "............\n");
}
