// The X11 window, GLX context and pixel reading behind the panel's GL tests.
#include "panel_gl/panel_gl_harness.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/desktop/ogl_gl.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render_gl/gl_harness.h"
#include "world/world.h"

// The display, window and context are the drawing layer's harness's; the panel draws into an
// off-screen picture of the main window's size, so the X window's own size does not matter.
bool panel_gl_open(std::string* why) { return gl_harness_open(why); }

void panel_gl_fresh() {
  ogl_gl_make_current(0);
  reset_ogl();
  reset_scn();
  OGL_define_colors();
  ogl_gl_select_window(0, PANEL_GL_W, PANEL_GL_H);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  OGL_present_changed();
}

uint32_t panel_pixel(int x, int y) { return gl_pixel(x, y); }

std::vector<uint32_t> panel_pixels(int x, int y, int w, int h) {
  std::vector<unsigned char> p((size_t)w * h * 4);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  std::vector<uint32_t> out((size_t)w * h);
  for (size_t i = 0; i < out.size(); i++)
    out[i] = (uint32_t)p[4 * i] << 16 | (uint32_t)p[4 * i + 1] << 8 | p[4 * i + 2];
  return out;
}

void panel_gl_save_bmp(const char* path) {
  const int w = PANEL_W, h = PANEL_H, row = (w * 3 + 3) / 4 * 4;
  std::vector<uint32_t> px = panel_pixels(0, 0, w, h);
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  unsigned int size = 54 + row * h;
  unsigned char head[54] = {'B', 'M'};
  auto put32 = [&](int at, unsigned int v) {
    for (int i = 0; i < 4; i++) head[at + i] = (v >> (8 * i)) & 255;
  };
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  head[26] = 1;
  head[28] = 24;
  put32(34, row * h);
  std::fwrite(head, 1, 54, f);
  std::vector<unsigned char> line(row, 0);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      uint32_t c = px[(size_t)y * w + x];
      line[3 * x] = c & 255;
      line[3 * x + 1] = (c >> 8) & 255;
      line[3 * x + 2] = (c >> 16) & 255;
    }
    std::fwrite(line.data(), 1, row, f);
  }
  std::fclose(f);
}
