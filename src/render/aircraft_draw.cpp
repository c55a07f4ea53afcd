// The aircraft as seen from outside: its lifting surfaces from their element outlines (with the
// ailerons, elevators and rudders deflected), its bodies from their cross-sections, its propeller
// and rotor discs, and its wheels and skids; textured when the aircraft brings its own pictures.
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"

// Half the aircraft's span or length, m: how far the outside views stand back.
float plane_size = 10.0f;
// The aircraft's own textures found beside its file: " prop" .. " misc" for texture 0..8.
static int plane_tex_ok[9];
static const char* const plane_tex_suffix[9] = {" prop", " wng1", " wng2", " hstb", " vst1",
                                                " vst2", " fuse", " nace", " misc"};

void load_plane_geo(int build_geometry, int only_textures) {
  if (build_geometry || only_textures) {
    char base[STR_SIZE], path[STR_SIZE];
    C_to_C(pln.C_path, base);
    // The file's path without its extension names the pictures.
    const size_t n = std::strlen(base);
    base[n >= 4 ? n - 4 : 0] = '\0';
    for (int t = 0; t < 9; t++) {
      plane_tex_ok[t] = 0;
      if (base[0] == '\0') continue;
      C_plus_C(base, plane_tex_suffix[t], path);
      plane_tex_ok[t] = OGL_texbmp(BMP_TEXTURE_PATH, TX_PLANE + t, 0, path);
    }
    OGL_texbmp(BMP_TEXTURE, TX_TIRE, 0, "tire");
    OGL_texbmp(BMP_TEXTURE, TX_METAL, 0, "metal");
    ins.tickle_all = 1;  // the loading bar was drawn across the panel
  }
  if (!build_geometry || only_textures) return;
  // Size for the outside views: the longest half span or half the fuselage's length.
  float size = 0.0f;
  for (int p = PART_WING1_LEFT; p <= PART_VSTAB2; p++)
    if (have_this_part(p)) size = fltmax2(size, pln.semilen[p] + std::fabs(pln.Xarm[p]));
  float z0 = 0.0f, z1 = 0.0f;
  for (int j = 0; j < f_body_s_dim(12); j++)
    z0 = fltmin2(z0, pln.body_Z[12][j][0]), z1 = fltmax2(z1, pln.body_Z[12][j][0]);
  size = fltmax2(size, 0.5f * (z1 - z0));
  plane_size = fltlim(size, 3.0f, 80.0f);
}

// ---- Building the shape in body axes (x right, y up, z aft) ----------------------------------

VBUF(plane_solid, 6000);
VBUF(plane_discs, 600);
static ogl_vertex tex_store[10][1200];
static vbuf plane_tex[10];  // pieces that carry texture 0..9

static int plane_texture(int p) {
  if (p <= PART_LAST_DISC) return 0;
  if (p <= PART_WING1_RIGHT) return 1;
  if (p <= PART_WING2_RIGHT) return 2;
  if (p <= PART_HSTAB_RIGHT) return 3;
  if (p == PART_VSTAB1) return 4;
  if (p == PART_VSTAB2) return 5;
  if (p == PART_FUSELAGE) return 6;
  if (p <= PART_NACELLE4) return 7;
  return 8;
}

// Colours of the plain aircraft: a white body with red wings and tail, grey nacelles.
static rgba part_color(int p) {
  if (p >= PART_WING1_LEFT && p <= PART_VSTAB2) return color_of(0.85f, 0.15f, 0.1f, 1.0f);
  if (p >= PART_NACELLE1) return color_of(0.55f, 0.56f, 0.6f, 1.0f);
  return color_of(0.96f, 0.96f, 0.96f, 1.0f);
}

// A quad seen from both sides, with texture coordinates, into the piece's buffer. Degenerate quads
// (a body station of no size, a part of no span) are left out.
static void skin(int p, const float a[3], const float b[3], const float c[3], const float d[3],
                 float s0, float t0, float s1, float t1) {
  const int t = plane_texture(p);
  vbuf* buf = plane_tex_ok[t] && texture_ready(TX_PLANE + t) ? &plane_tex[t] : &plane_solid;
  const rgba col = buf == &plane_solid ? part_color(p) : color_of(1, 1, 1, 1);
  float e1[3], e2[3], n[3];
  for (int k = 0; k < 3; k++) e1[k] = c[k] - a[k], e2[k] = b[k] - a[k];
  n[0] = e1[1] * e2[2] - e1[2] * e2[1];
  n[1] = e1[2] * e2[0] - e1[0] * e2[2];
  n[2] = e1[0] * e2[1] - e1[1] * e2[0];
  if (!(pythag3(n[0], n[1], n[2]) > 1e-8f)) return;
  vb_quad(buf, a, b, c, d, nullptr, s0, t0, s1, t1, col);
  vb_quad(buf, d, c, b, a, nullptr, s0, t1, s1, t0, col);
}

// Deflection of element e of part p (degrees, trailing edge up; a rudder's trailing edge to the
// left, as the controls set it: right pedal gives a negative deflection) and the share of its chord
// that moves.
static float control_deflection(int p, int e, float* crat) {
  *crat = 0.0f;
  if (pln.ailn[p][e] && (p == PART_WING1_LEFT || p == PART_WING2_LEFT || p == PART_WING1_RIGHT ||
                         p == PART_WING2_RIGHT)) {
    *crat = pln.ailn_crat;
    return (p == PART_WING1_LEFT || p == PART_WING2_LEFT) ? flt.lailndef : flt.railndef;
  }
  if (pln.elev[p][e] && (p == PART_HSTAB_LEFT || p == PART_HSTAB_RIGHT)) {
    *crat = pln.elev_crat;
    return p == PART_HSTAB_LEFT ? flt.lhstbdef : flt.rhstbdef;
  }
  if (pln.rudd[p][e] && (p == PART_VSTAB1 || p == PART_VSTAB2)) {
    *crat = pln.rudd_crat;
    return flt.ruddef;
  }
  return 0.0f;
}

static void surface(int p) {
  const int els = intmax2(pln.els[p], 1);
  const float span = pln.semilen[p];
  for (int e = 0; e < els; e++) {
    const float r[2] = {span * e / els, span * (e + 1) / els};
    float le[2][3], te[2][3], hinge[2][3];
    float crat;
    const float def = control_deflection(p, e, &crat) * con.degtorad;
    for (int s = 0; s < 2; s++) {
      const float chord = pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * r[s] / fltmax2(span, 0.01f);
      const float q[3] = {get_wing_Xarm(p, r[s]), get_wing_Yarm(p, r[s]), get_wing_Zarm(p, r[s])};
      // The arm is the quarter-chord point; the chord runs aft, level.
      for (int k = 0; k < 3; k++) le[s][k] = te[s][k] = hinge[s][k] = q[k];
      le[s][2] -= 0.25f * chord;
      te[s][2] += 0.75f * chord;
      hinge[s][2] = te[s][2] - crat * chord;
      if (crat > 0.0f) {
        // The control surface turns about its hinge: up for a wing, to the left for a fin.
        const float len = crat * chord;
        const int fin = p == PART_VSTAB1 || p == PART_VSTAB2;
        te[s][2] = hinge[s][2] + len * std::cos(def);
        if (fin)
          te[s][0] = hinge[s][0] - len * std::sin(def);
        else
          te[s][1] = hinge[s][1] + len * std::sin(def);
      }
    }
    const float s0 = static_cast<float>(e) / els, s1 = static_cast<float>(e + 1) / els;
    if (crat > 0.0f) {
      skin(p, le[0], le[1], hinge[1], hinge[0], s0, 0.0f, s1, 1.0f - crat);
      skin(p, hinge[0], hinge[1], te[1], te[0], s0, 1.0f - crat, s1, 1.0f);
    } else {
      skin(p, le[0], le[1], te[1], te[0], s0, 0.0f, s1, 1.0f);
    }
  }
}

static void body(int p) {
  float ox, oy, oz;
  get_body_os(p, &ox, &oy, &oz);
  const int ns = intmin2(f_body_s_dim(p), BODY_SECTIONS),
            nr = intmin2(f_body_r_dim(p), BODY_POINTS);
  for (int j = 0; j + 1 < ns; j++)
    for (int k = 0; k < nr; k++) {
      const int k1 = (k + 1) % nr;
      const float a[3] = {ox + pln.body_X[p][j][k], oy + pln.body_Y[p][j][k],
                          oz + pln.body_Z[p][j][k]};
      const float b[3] = {ox + pln.body_X[p][j][k1], oy + pln.body_Y[p][j][k1],
                          oz + pln.body_Z[p][j][k1]};
      const float c[3] = {ox + pln.body_X[p][j + 1][k1], oy + pln.body_Y[p][j + 1][k1],
                          oz + pln.body_Z[p][j + 1][k1]};
      const float d[3] = {ox + pln.body_X[p][j + 1][k], oy + pln.body_Y[p][j + 1][k],
                          oz + pln.body_Z[p][j + 1][k]};
      skin(p, a, b, c, d, static_cast<float>(j) / (ns - 1), static_cast<float>(k) / nr,
           static_cast<float>(j + 1) / (ns - 1), static_cast<float>(k + 1) / nr);
    }
}

// A propeller or rotor: a see-through disc across its thrust axis.
static void disc(int p) {
  const float vc = pln.vertcant[p] * con.degtorad, sc = pln.sidecant[p] * con.degtorad;
  const float axis[3] = {std::sin(sc) * std::cos(vc), std::sin(vc), -std::cos(sc) * std::cos(vc)};
  float u[3] = {0.0f, 1.0f, 0.0f};
  if (std::fabs(axis[1]) > 0.9f) u[0] = 1.0f, u[1] = 0.0f;
  float v[3] = {axis[1] * u[2] - axis[2] * u[1], axis[2] * u[0] - axis[0] * u[2],
                axis[0] * u[1] - axis[1] * u[0]};
  const float lv = pythag3(v[0], v[1], v[2]);
  for (int k = 0; k < 3; k++) v[k] /= lv;
  const float w[3] = {axis[1] * v[2] - axis[2] * v[1], axis[2] * v[0] - axis[0] * v[2],
                      axis[0] * v[1] - axis[1] * v[0]};
  const float c[3] = {pln.Xarm[p], pln.Yarm[p], pln.Zarm[p]}, r = pln.semilen[p];
  const rgba col = color_of(0.25f, 0.25f, 0.25f, 0.35f);
  static const float n[3] = {0.0f, 1.0f, 0.0f};
  for (int s = 0; s < 20; s++) {
    const float a0 = s * con.pim2 / 20.0f, a1 = (s + 1) * con.pim2 / 20.0f;
    float p0[3], p1[3];
    for (int k = 0; k < 3; k++) {
      p0[k] = c[k] + r * (std::cos(a0) * v[k] + std::sin(a0) * w[k]);
      p1[k] = c[k] + r * (std::cos(a1) * v[k] + std::sin(a1) * w[k]);
    }
    vb_vertex(&plane_discs, c, n, 0, 0, col);
    vb_vertex(&plane_discs, p0, n, 0, 0, col);
    vb_vertex(&plane_discs, p1, n, 0, 0, col);
  }
}

// A wheel as a small dark box at its contact point, with its leg up to the reference height.
static void wheel(float x, float y, float z) {
  const float r = fltlim(0.02f * plane_size + 0.15f, 0.2f, 0.7f), hw = 0.4f * r;
  const rgba tire = color_of(0.12f, 0.12f, 0.12f, 1.0f);
  const float p[8][3] = {{x - hw, y, z - r},         {x + hw, y, z - r},
                         {x + hw, y, z + r},         {x - hw, y, z + r},
                         {x - hw, y + 2 * r, z - r}, {x + hw, y + 2 * r, z - r},
                         {x + hw, y + 2 * r, z + r}, {x - hw, y + 2 * r, z + r}};
  static const int faces[6][4] = {{4, 5, 6, 7}, {3, 2, 1, 0}, {0, 1, 5, 4},
                                  {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
  for (const auto& f : faces)
    vb_quad(&plane_solid, p[f[0]], p[f[1]], p[f[2]], p[f[3]], nullptr, 0, 0, 1, 1, tire);
  const float top[3] = {x, fltmax2(y + 2 * r, 0.0f), z}, foot[3] = {x, y + r, z};
  const float l1[3] = {x - 0.05f, foot[1], z}, l2[3] = {x + 0.05f, foot[1], z};
  const float l3[3] = {x + 0.05f, top[1], z}, l4[3] = {x - 0.05f, top[1], z};
  vb_quad2(&plane_solid, l4, l3, l2, l1, color_of(0.5f, 0.5f, 0.5f, 1.0f));
}

static void gear() {
  // A leg is drawn while it is down: fixed legs are always down until a hard landing breaks
  // them off, and then the aircraft rests on what is left, as the ground contact has it.
  if (pln.gearEQ) {
    if (set.gear_stat[0]) wheel(0.0f, pln.ngearY, pln.ngearZ);
    if (set.gear_stat[1]) wheel(-pln.mgearX, pln.mgearY, pln.mgearZ);
    if (set.gear_stat[2]) wheel(pln.mgearX, pln.mgearY, pln.mgearZ);
  }
  if (pln.skidEQ) {
    const rgba c = color_of(0.3f, 0.3f, 0.3f, 1.0f);
    for (int side = -1; side <= 1; side += 2) {
      const float x = side * pln.skidX;
      const float a[3] = {x - 0.05f, pln.skidY, pln.skidZ},
                  b[3] = {x + 0.05f, pln.skidY, pln.skidZ};
      const float d[3] = {x - 0.05f, pln.skidY, pln.skidZ + pln.skidl};
      const float e[3] = {x + 0.05f, pln.skidY, pln.skidZ + pln.skidl};
      vb_quad2(&plane_solid, a, b, e, d, c);
    }
  }
}

static void build_plane() {
  plane_solid.n = plane_discs.n = 0;
  for (int t = 0; t < 10; t++) plane_tex[t] = vbuf{tex_store[t], 0, 1200};
  for (int p = 0; p < NUM_PARTS; p++) {
    if (!have_this_part(p)) continue;
    if (p <= PART_LAST_DISC)
      disc(p);
    else if (p <= PART_VSTAB2)
      surface(p);
    else
      body(p);
  }
  gear();
}

void draw_plane() {
  if (!vf.cam.outside) return;
  build_plane();
  float at[3] = {static_cast<float>(flt.X), static_cast<float>(flt.Y), static_cast<float>(flt.Z)};
  float r[3], u[3], f[3];
  body_axes(flt.psi, flt.the, flt.phi, r, u, f);
  object_begin(at, r, u, f);
  vb_draw(&plane_solid, OGL_BATCH_TRIANGLES, -1, 1, 1, 1.0f);
  for (int t = 0; t < 10; t++)
    vb_draw(&plane_tex[t], OGL_BATCH_TRIANGLES, TX_PLANE + t, 1, 1, 1.0f);
  OGL_blend(OGL_BLEND_ALPHA);
  OGL_depth_write(0);
  OGL_cull(0);
  vb_draw(&plane_discs, OGL_BATCH_TRIANGLES, -1, 0, 1, 1.0f);
  OGL_cull(1);
  OGL_depth_write(1);
  OGL_blend(OGL_BLEND_OFF);
  object_end();
}
