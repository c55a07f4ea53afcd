// Filling the view's vertex buffers: colours under the light of the moment, triangles, quads,
// lines and points, and drawing a buffer with its texture and switches.
#include <cmath>

#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

view_frame vf;

static unsigned char byte_of(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return static_cast<unsigned char>(v * 255.0f + 0.5f);
}

int grid_index(float f, int hi) {
  if (!(f > 0.0f)) return 0;
  if (f >= static_cast<float>(hi)) return hi;
  return static_cast<int>(f);
}

rgba color_of(float r, float g, float b, float a) {
  return rgba{byte_of(r), byte_of(g), byte_of(b), byte_of(a)};
}

rgba lit_color(float r, float g, float b) {
  return color_of(r * ogl_light_rat[0], g * ogl_light_rat[1], b * ogl_light_rat[2], 1.0f);
}

rgba scene_color(int c) {
  c = intlim(c, 0, OGL_COLORS - 1);
  if (c < OGL_SCENE_COLORS) return lit_color(col_rgb[c][0], col_rgb[c][1], col_rgb[c][2]);
  return color_of(col_rgb[c][0], col_rgb[c][1], col_rgb[c][2], 1.0f);
}

float hash01(int a, int b) {
  unsigned h = static_cast<unsigned>(a) * 374761393u + static_cast<unsigned>(b) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xffffff) / static_cast<float>(0xffffff);
}

void vb_vertex(vbuf* b, const float p[3], const float n[3], float s, float t, rgba c) {
  if (b->n >= b->cap) return;
  ogl_vertex& v = b->v[b->n++];
  v.x = p[0], v.y = p[1], v.z = p[2];
  v.nx = n[0], v.ny = n[1], v.nz = n[2];
  v.s = s, v.t = t;
  v.r = c.r, v.g = c.g, v.b = c.b, v.a = c.a;
}

// Normal of the front of a clockwise triangle: (p3 - p1) x (p2 - p1), unit length.
static void front_normal(const float p1[3], const float p2[3], const float p3[3], float n[3]) {
  float a[3], b[3];
  for (int k = 0; k < 3; k++) a[k] = p3[k] - p1[k], b[k] = p2[k] - p1[k];
  find_normal_vects(a, b, n);
}

void vb_tri(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float* n,
            rgba c) {
  if (!vb_room(b, 3)) return;
  float nn[3];
  if (!n) {
    front_normal(p1, p2, p3, nn);
    n = nn;
  }
  vb_vertex(b, p1, n, 0.0f, 0.0f, c);
  vb_vertex(b, p2, n, 0.0f, 0.0f, c);
  vb_vertex(b, p3, n, 0.0f, 0.0f, c);
}

void vb_quad(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float p4[3],
             const float* n, float s1, float t1, float s2, float t2, rgba c) {
  if (!vb_room(b, 6)) return;
  float nn[3];
  if (!n) {
    front_normal(p1, p2, p3, nn);
    n = nn;
  }
  vb_vertex(b, p1, n, s1, t1, c);
  vb_vertex(b, p2, n, s2, t1, c);
  vb_vertex(b, p3, n, s2, t2, c);
  vb_vertex(b, p1, n, s1, t1, c);
  vb_vertex(b, p3, n, s2, t2, c);
  vb_vertex(b, p4, n, s1, t2, c);
}

void vb_quad2(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float p4[3],
              rgba c) {
  vb_quad(b, p1, p2, p3, p4, nullptr, 0.0f, 0.0f, 1.0f, 1.0f, c);
  vb_quad(b, p4, p3, p2, p1, nullptr, 0.0f, 0.0f, 1.0f, 1.0f, c);
}

static const float up_normal[3] = {0.0f, 1.0f, 0.0f};

void vb_line(vbuf* b, const float p1[3], const float p2[3], rgba c) {
  if (!vb_room(b, 2)) return;
  vb_vertex(b, p1, up_normal, 0.0f, 0.0f, c);
  vb_vertex(b, p2, up_normal, 0.0f, 0.0f, c);
}

void vb_point(vbuf* b, const float p[3], rgba c) { vb_vertex(b, p, up_normal, 0.0f, 0.0f, c); }

int texture_ready(int tex) { return tex >= 0 && tex < OGL_TEXTURES && tex_size[tex] > 0; }

// ---- Drawing from the eye --------------------------------------------------------------------

// The scene's buffers hold world positions, which lie up to a few hundred kilometres from the
// region's reference, but the drawing layer transforms in single precision: through the camera's
// matrix a point 150 km out comes back with errors of a couple of centimetres, different at every
// vertex, and the terrain then shows through the runway laid on it just ahead of a pilot sitting
// two metres up. So while the scene is drawn its vertices are sent measured from the eye (the
// difference of two nearby floats is exact), with a camera that stands at its own origin.
static float origin[3];
static int from_origin;  // world buffers are shifted by -origin
static int in_object;    // an object's own axes are in force: its buffers are not world positions
enum { SHIFT_CHUNK = 6 * 12000 };
static ogl_vertex shifted[SHIFT_CHUNK];

void view_origin(const float* o) {
  from_origin = o != nullptr;
  for (int k = 0; k < 3; k++) origin[k] = o ? o[k] : 0.0f;
  in_object = 0;
}

void object_begin(const float at[3], const float right[3], const float up[3], const float fwd[3]) {
  float rel[3], m[16];
  for (int k = 0; k < 3; k++) rel[k] = at[k] - origin[k];
  object_matrix(vf.cam_m, rel, right, up, fwd, m);
  OGL_modelview(m);
  in_object = 1;
}

void object_end() {
  OGL_modelview(vf.cam_m);
  in_object = 0;
}

void vb_send(const vbuf* b, int prim, float size) {
  if (!from_origin || in_object) {
    OGL_draw_batch(prim, b->v, b->n, size);
    return;
  }
  // In chunks of whole triangles, lines and points.
  for (int first = 0; first < b->n; first += SHIFT_CHUNK) {
    const int n = b->n - first < SHIFT_CHUNK ? b->n - first : SHIFT_CHUNK;
    for (int k = 0; k < n; k++) {
      shifted[k] = b->v[first + k];
      shifted[k].x -= origin[0], shifted[k].y -= origin[1], shifted[k].z -= origin[2];
    }
    OGL_draw_batch(prim, shifted, n, size);
  }
}

void vb_draw(const vbuf* b, int prim, int tex, int lit, int fog, float size) {
  if (b->n <= 0) return;
  const int textured = texture_ready(tex);
  OGL_setstate(fog, lit, textured, 1);
  if (textured) OGL_bindtex(tex);
  vb_send(b, prim, size);
}
