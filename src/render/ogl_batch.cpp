// The drawing layer's 3-D view calls: the view's rectangle, matrices, fog and sun, the extra
// switches of the scene, and vertex batches.
#include "render/ogl.h"
#include "render/ogl_local.h"

// The extra switches as set in the current view; -1 outside a view, where they are unknown.
enum { SW_BLEND, SW_ADD, SW_ALPHA, SW_OFFSET, SW_DEPTH_WRITE, SW_CULL, SW_COUNT };
static int cur[SW_COUNT] = {-1, -1, -1, -1, -1, -1};
static const int caps[SW_COUNT] = {OGL_CAP_BLEND,  OGL_CAP_ADD,         OGL_CAP_ALPHA_TEST,
                                   OGL_CAP_OFFSET, OGL_CAP_DEPTH_WRITE, OGL_CAP_CULL};

static void set_switch(int sw, int on) {
  on = on ? 1 : 0;
  if (cur[sw] == on) return;
  ogl_be_enable(caps[sw], on);
  cur[sw] = on;
}

// The state every view starts from and every view leaves behind, so that the 2-D primitives
// drawn after it find the layer's defaults.
static void default_switches() {
  for (int sw = 0; sw < SW_COUNT; sw++) cur[sw] = -1;
  set_switch(SW_BLEND, 0);
  set_switch(SW_ADD, 0);
  set_switch(SW_ALPHA, 0);
  set_switch(SW_OFFSET, 0);
  set_switch(SW_DEPTH_WRITE, 1);
  set_switch(SW_CULL, 1);
}

void OGL_view_begin(int x, int y, int w, int h, const float proj[16], const float camera[16],
                    const float rgb[3]) {
  if (w <= 0 || h <= 0) return;
  ogl_be_view(x, y, w, h, proj, camera, rgb);
  default_switches();
}

void OGL_view_begin_drawn(int x, int y, int w, int h, const float proj[16], const float camera[16],
                          const float rgb[3]) {
  const ogl_mapping& m = OGL_mapping();
  const int x0 = OGL_pixel_edge(m.scale, m.ox, x), y0 = OGL_pixel_edge(m.scale, m.oy, y);
  OGL_view_begin(x0, y0, OGL_pixel_edge(m.scale, m.ox, x + w) - x0,
                 OGL_pixel_edge(m.scale, m.oy, y + h) - y0, proj, camera, rgb);
}

void OGL_view_end() {
  default_switches();
  OGL_setstate(0, 0, 0, 0);
  ogl_be_view_end();
}

void OGL_modelview(const float m[16]) { ogl_be_modelview(m); }

void OGL_fog_range(float start, float end, const float rgb[3]) { ogl_be_fog(start, end, rgb); }

void OGL_sun(const float dir[3], const float diffuse[3], const float ambient[3]) {
  ogl_be_sun(dir, diffuse, ambient);
}

void OGL_blend(int mode) {
  set_switch(SW_BLEND, mode != OGL_BLEND_OFF);
  set_switch(SW_ADD, mode == OGL_BLEND_ADD);
}

void OGL_alpha_test(int on) { set_switch(SW_ALPHA, on); }
void OGL_ground_offset(int on) { set_switch(SW_OFFSET, on); }
void OGL_depth_write(int on) { set_switch(SW_DEPTH_WRITE, on); }
void OGL_cull(int on) { set_switch(SW_CULL, on); }

void OGL_draw_batch(int prim, const ogl_vertex* v, int n, float size) {
  if (!v || n <= 0 || prim < OGL_BATCH_TRIANGLES || prim > OGL_BATCH_POINTS) return;
  // Whole primitives only: a stray vertex at the end would join nothing.
  if (prim == OGL_BATCH_TRIANGLES) n -= n % 3;
  if (prim == OGL_BATCH_LINES) n -= n % 2;
  if (n > 0) ogl_be_batch(prim, v, n, size > 0.0f ? size : 1.0f);
}
