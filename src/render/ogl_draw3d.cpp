// Lines and quads of the 3-D view, in metres in whatever projection the view has set.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include "shared/shared.h"

void OGL_3dline(float x1, float y1, float z1, float x2, float y2, float z2) {
  const float a[3] = {x1, y1, z1}, b[3] = {x2, y2, z2};
  ogl_be_line3d(a, b);
}

// Front faces run clockwise, so the normal that faces the viewer is (p3 - p1) x (p2 - p1).
static void face_normal(const float p1[3], const float p2[3], const float p3[3], float n[3]) {
  float a[3], b[3];
  for (int i = 0; i < 3; i++) {
    a[i] = p3[i] - p1[i];
    b[i] = p2[i] - p1[i];
  }
  find_normal_vects(a, b, n);
}

void OGL_3dquad(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int c) {
  const float* p[4] = {p1, p2, p3, p4};
  float n[3];
  face_normal(p1, p2, p3, n);
  OGL_setcolor(c);
  ogl_be_quad3d(p, n, nullptr);
}

static void textured_quad(const float* const p[4], const float n[3], int c, float s1, float t1,
                          float s2, float t2) {
  const float st[8] = {s1, t1, s2, t1, s2, t2, s1, t2};
  // With texturing on the texture shows in its own colours; with it off the same call draws the
  // quad in its flat colour.
  if (!ogl_texturing()) OGL_setcolor(c);
  ogl_be_quad3d(p, n, st);
}

void OGL_3dquad_st(const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                   int c, float s1, float t1, float s2, float t2) {
  const float* p[4] = {p1, p2, p3, p4};
  float n[3];
  face_normal(p1, p2, p3, n);
  textured_quad(p, n, c, s1, t1, s2, t2);
}

void OGL_3dquad_flat(const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                     int c, float s1, float t1, float s2, float t2) {
  const float* p[4] = {p1, p2, p3, p4};
  const float up[3] = {0.0f, 1.0f, 0.0f};
  textured_quad(p, up, c, s1, t1, s2, t2);
}
