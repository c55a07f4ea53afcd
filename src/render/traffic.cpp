// The traffic aircraft: where a new one appears, and drawing them with their lights.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

void make_a_plane(int k, int anew) {
  if (k < 0 || k >= TRAFFIC) return;
  // At a flight start anywhere around the aircraft; later out ahead of it, from beyond where it
  // can be seen, so that a new one flies into view rather than appearing.
  const float dist = (anew ? fltrand(2.0f, 25.0f) : fltrand(20.0f, 28.0f)) * con.nmtomtrs;
  const float bearing = anew ? fltrand(0.0f, 360.0f) : flt.psi + fltrand(-60.0f, 60.0f);
  traf_xyz[k][0] = static_cast<float>(flt.X) + dist * std::sin(bearing * con.degtorad);
  traf_xyz[k][2] = static_cast<float>(flt.Z) - dist * std::cos(bearing * con.degtorad);
  traf_xyz[k][1] = fltmax2(static_cast<float>(flt.Y), 0.0f) + fltrand(300.0f, 2000.0f);
  traf_h[k] = intwrap(intround(fltrand(0.0f, 359.0f)), 0, 359);
  traf_v[k] = fltrand(100.0f, 250.0f) * con.ktstomsc;
}

// A small airliner in its own axes (x right, y up, z aft), flat grey and white.
VBUF(shape, 200);
static int shape_built;

static void build_shape() {
  const rgba body = color_of(0.92f, 0.92f, 0.9f, 1.0f), wing = color_of(0.6f, 0.62f, 0.65f, 1.0f);
  const float top[4][3] = {
      {-1.5f, 1.5f, 15.0f}, {-1.5f, 1.5f, -15.0f}, {1.5f, 1.5f, -15.0f}, {1.5f, 1.5f, 15.0f}};
  const float bot[4][3] = {
      {-1.5f, -1.5f, 15.0f}, {-1.5f, -1.5f, -15.0f}, {1.5f, -1.5f, -15.0f}, {1.5f, -1.5f, 15.0f}};
  for (int a = 0; a < 4; a++) {
    const int n = (a + 1) % 4;
    vb_quad(&shape, top[n], top[a], bot[a], bot[n], nullptr, 0, 0, 1, 1, body);
  }
  vb_quad(&shape, top[1], top[2], top[3], top[0], nullptr, 0, 0, 1, 1, body);
  vb_quad(&shape, bot[0], bot[3], bot[2], bot[1], nullptr, 0, 0, 1, 1, body);
  // Wings and tailplane, seen from both sides; the fin upright.
  const float w1[3] = {-16.0f, 0.0f, 3.0f}, w2[3] = {16.0f, 0.0f, 3.0f},
              w3[3] = {2.0f, 0.0f, -4.0f}, w4[3] = {-2.0f, 0.0f, -4.0f};
  vb_quad2(&shape, w4, w3, w2, w1, wing);
  const float t1[3] = {-6.0f, 1.0f, 15.0f}, t2[3] = {6.0f, 1.0f, 15.0f},
              t3[3] = {1.0f, 1.0f, 11.0f}, t4[3] = {-1.0f, 1.0f, 11.0f};
  vb_quad2(&shape, t4, t3, t2, t1, wing);
  const float f1[3] = {0.0f, 1.5f, 15.0f}, f2[3] = {0.0f, 1.5f, 10.0f}, f3[3] = {0.0f, 7.0f, 14.0f},
              f4[3] = {0.0f, 7.0f, 16.0f};
  vb_quad2(&shape, f2, f3, f4, f1, wing);
  shape_built = 1;
}

void draw_traffic() {
  if (!shape_built) build_shape();
  for (int k = 0; k < TRAFFIC; k++) {
    const float* p = traf_xyz[k];
    if (p[0] == 0.0f && p[1] == 0.0f && p[2] == 0.0f) continue;
    if (pythag3(p[0] - vf.cam.eye[0], p[1] - vf.cam.eye[1], p[2] - vf.cam.eye[2]) > vf.vis)
      continue;
    if (!frustum_sees(&vf.frustum, p, 20.0f)) continue;
    float r[3], u[3], f[3];
    body_axes(static_cast<float>(traf_h[k]), 0.0f, 0.0f, r, u, f);
    object_begin(p, r, u, f);
    vb_draw(&shape, OGL_BATCH_TRIANGLES, -1, 1, 1, 1.0f);
    object_end();
    // Navigation lights, and a white strobe once a second.
    float q[3];
    body_to_world(p, r, u, f, -16.0f, 0.0f, 3.0f, q);
    light_point(q, rgba{255, 40, 30, 255});
    body_to_world(p, r, u, f, 16.0f, 0.0f, 3.0f, q);
    light_point(q, rgba{40, 255, 80, 255});
    if (std::fmod(msc.elap_time + k * 0.37f, 1.0f) < 0.1f) {
      body_to_world(p, r, u, f, 0.0f, 2.0f, 0.0f, q);
      light_point(q, rgba{255, 255, 255, 255});
    }
  }
}
