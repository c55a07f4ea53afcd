// The drawing layer's back end without a GL context: the layer keeps its palette, state, texture
// bookkeeping and loader, and nothing is drawn or presented.
#include "render/ogl.h"

void ogl_be_reset() {}
void ogl_be_enable(int cap, int on) {}
void ogl_be_color(float r, float g, float b) {}
void ogl_be_draw2d(int prim, const float* xy, int n, float width) {}
void ogl_be_glyphs(const float* xy, const float* st, int n, const unsigned char* picture, int w,
                   int h) {}
void ogl_be_line3d(const float a[3], const float b[3]) {}
void ogl_be_quad3d(const float* const p[4], const float normal[3], const float* st) {}
void ogl_be_bind_texture(int n) {}
// Without a context the loader's own limit is the only one.
int ogl_be_max_texture_size() { return OGL_BMP_MAX; }
void ogl_be_texture_level(int level, int w, int h, const unsigned char* rgba) {}
void ogl_be_texture_params(int mipmapped, int clamp) {}
void ogl_be_draw_pixels(int x, int y, int w, int h, const unsigned char* rgba, float zoom) {}
void ogl_be_changed(int x, int y, int w, int h) {}
void OGL_present_changed() {}
void ogl_be_view(int x, int y, int w, int h, const float proj[16], const float camera[16],
                 const float rgb[3]) {}
void ogl_be_view_end() {}
void ogl_be_modelview(const float m[16]) {}
void ogl_be_fog(float start, float end, const float rgb[3]) {}
void ogl_be_sun(const float dir[3], const float diffuse[3], const float ambient[3]) {}
void ogl_be_batch(int prim, const ogl_vertex* v, int n, float size) {}
