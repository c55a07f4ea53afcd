// The editor's views of the aircraft: from above, from the front, from the left and turning in
// perspective, built from the aircraft record in the file's units (feet) every time they are
// drawn, so that every change shows at once. Axes are the record's: x right, y up, z aft.
#include "editor/editor.h"

#include <cmath>
#include <vector>

#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"

namespace {
struct rgb8 {
  unsigned char r, g, b;
};
const rgb8 SURFACE = {200, 45, 35}, CONTROL = {245, 190, 40}, BODY = {235, 235, 235},
           NACELLE = {140, 143, 150}, TIRE = {35, 35, 35}, DISC = {70, 70, 70},
           MARK = {20, 60, 200};
const float BACKGROUND[3] = {0.78f, 0.84f, 0.9f};
}  // namespace

static std::vector<ogl_vertex> tris, lines;

// Bounds of what was built, for fitting it into the panes.
static float lo[3], hi[3];

static void grow(const float p[3]) {
  for (int k = 0; k < 3; k++) {
    lo[k] = fltmin2(lo[k], p[k]);
    hi[k] = fltmax2(hi[k], p[k]);
  }
}

static void vertex(std::vector<ogl_vertex>* to, const float p[3], const float n[3], rgb8 c) {
  ogl_vertex v;
  v.x = p[0], v.y = p[1], v.z = p[2];
  v.nx = n[0], v.ny = n[1], v.nz = n[2];
  v.s = v.t = 0.0f;
  v.r = c.r, v.g = c.g, v.b = c.b, v.a = 255;
  to->push_back(v);
  grow(p);
}

// A quad seen from both sides: each side is lit from its own normal. A quad of no area is left
// out, as its normal would not be a number.
static void quad(const float a[3], const float b[3], const float c[3], const float d[3], rgb8 col) {
  const float e1[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  const float e2[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                e1[0] * e2[1] - e1[1] * e2[0]};
  const float len = pythag3(n[0], n[1], n[2]);
  if (!(len > 1e-9f) || !std::isfinite(len)) return;
  for (float& x : n) x /= len;
  const float m[3] = {-n[0], -n[1], -n[2]};
  const float* side[2][4] = {{a, b, c, d}, {d, c, b, a}};
  for (int s = 0; s < 2; s++) {
    const float* q = s == 0 ? n : m;
    const float* const* v = side[s];
    vertex(&tris, v[0], q, col), vertex(&tris, v[1], q, col), vertex(&tris, v[2], q, col);
    vertex(&tris, v[0], q, col), vertex(&tris, v[2], q, col), vertex(&tris, v[3], q, col);
  }
}

static void line(const float a[3], const float b[3], rgb8 col) {
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  vertex(&lines, a, up, col);
  vertex(&lines, b, up, col);
}

// ---- Parts -----------------------------------------------------------------------------------

// The controls that move aft of a hinge: all but the slat, which runs along the leading edge.
static int has_control(int p, int e) {
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (l.flags != pln.slat && p >= l.first && p <= l.last && l.flags[p][e]) return 1;
  }
  return 0;
}

static int has_slat(int p, int e) {
  return p >= PART_WING1_LEFT && p <= PART_HSTAB_RIGHT && pln.slat[p][e];
}

static void span_point(int p, float r, float q[3]) {
  q[0] = get_wing_Xarm(p, r);
  q[1] = get_wing_Yarm(p, r);
  q[2] = get_wing_Zarm(p, r);
}

// Chord share of the moving surface of part p's controls: ailerons, flaps and spoilers on a
// wing, the elevator on a stabiliser, the rudder on a fin.
static float control_chord(int p) {
  const float crat = p >= PART_VSTAB1   ? pln.rudd_crat
                     : p >= PART_HSTAB_LEFT ? pln.elev_crat
                                            : pln.ailn_crat;
  return crat > 0.0f && crat < 1.0f ? crat : 0.25f;
}

// A lifting surface, element by element: a section with its thickest point at 30% of the chord,
// the thickness ratio of its root airfoil, the arm at the quarter chord. An element that carries a
// control shows its moving part, aft of the hinge, in the controls' colour, and a slat its leading
// edge, up to the thickest point.
static void surface(int p) {
  const int els = intlim(pln.els[p], 1, MAX_ELS);
  const float span = pln.semilen[p];
  float root[3], tip[3];
  span_point(p, 0.0f, root);
  span_point(p, span, tip);
  // The thickness stands across the chord and the span: up for a wing, sideways for a fin.
  const float s[3] = {tip[0] - root[0], tip[1] - root[1], tip[2] - root[2]};
  float n[3] = {s[1], -s[0], 0.0f};  // chord (0, 0, 1) across the span
  const float ln = pythag3(n[0], n[1], n[2]);
  if (ln > 0.0f)
    for (float& x : n) x /= ln;
  if (n[1] < 0.0f)
    for (float& x : n) x = -x;
  const float trat = fltlim(pln.trat[p], 0.0f, 0.5f);
  const float hinge = fltmax2(1.0f - control_chord(p), 0.3f);
  // Round the section from the leading edge: chord share and side (+1 top, -1 bottom) of each
  // point, the thickness falling linearly from 30% of the chord to the trailing edge.
  static const int POINTS = 6;
  const float at[POINTS] = {0.0f, 0.3f, hinge, 1.0f, hinge, 0.3f};
  const float side[POINTS] = {0.0f, 1.0f, 1.0f, 0.0f, -1.0f, -1.0f};
  for (int e = 0; e < els; e++) {
    float sec[2][POINTS][3];
    for (int end = 0; end < 2; end++) {
      const float r = span * static_cast<float>(e + end) / static_cast<float>(els);
      const float chord = pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * r / fltmax2(span, 0.01f);
      float q[3];
      span_point(p, r, q);
      for (int i = 0; i < POINTS; i++) {
        const float thick = at[i] <= 0.3f ? 1.0f : (1.0f - at[i]) / 0.7f;
        const float off = side[i] * 0.5f * trat * chord * thick;
        for (int k = 0; k < 3; k++) sec[end][i][k] = q[k] + off * n[k];
        sec[end][i][2] += (at[i] - 0.25f) * chord;
      }
    }
    const rgb8 moving = has_control(p, e) ? CONTROL : SURFACE;
    const rgb8 nose = has_slat(p, e) ? CONTROL : SURFACE;
    for (int f = 0; f < POINTS; f++) {
      const int g = (f + 1) % POINTS;
      quad(sec[0][f], sec[1][f], sec[1][g], sec[0][g],
           f == 2 || f == 3 ? moving : (f == 0 || f == 5 ? nose : SURFACE));
    }
  }
}

static void body(int b) {
  float o[3];
  get_body_os(b, &o[0], &o[1], &o[2]);
  const int ns = intlim(f_body_s_dim(b), 0, 9), nr = intlim(f_body_r_dim(b), 0, BODY_POINTS);
  const rgb8 col = b == PART_FUSELAGE ? BODY : NACELLE;
  for (int j = 0; j + 1 < ns; j++)
    for (int k = 0; k < nr; k++) {
      const int k1 = (k + 1) % nr;
      float c[4][3];
      const int js[4] = {j, j, j + 1, j + 1}, ks[4] = {k, k1, k1, k};
      for (int i = 0; i < 4; i++) {
        c[i][0] = o[0] + pln.body_X[b][js[i]][ks[i]];
        c[i][1] = o[1] + pln.body_Y[b][js[i]][ks[i]];
        c[i][2] = o[2] + pln.body_Z[b][js[i]][ks[i]];
      }
      quad(c[0], c[1], c[2], c[3], col);
    }
}

// A propeller or rotor: the circle its tips sweep and its blades, across the thrust axis. The
// aeroplane's engines all share engine 1's cants, as the simulator reads them.
static void disc(int p) {
  const int cants = pln.is_heli ? p : 0;
  const float vc = pln.vertcant[cants] * con.degtorad, sc = pln.sidecant[cants] * con.degtorad;
  const float axis[3] = {std::sin(sc) * std::cos(vc), std::sin(vc), -std::cos(sc) * std::cos(vc)};
  float u[3] = {0.0f, 1.0f, 0.0f};
  if (std::fabs(axis[1]) > 0.9f) u[0] = 1.0f, u[1] = 0.0f;
  float v[3] = {axis[1] * u[2] - axis[2] * u[1], axis[2] * u[0] - axis[0] * u[2],
                axis[0] * u[1] - axis[1] * u[0]};
  const float lv = pythag3(v[0], v[1], v[2]);
  for (float& x : v) x /= lv;
  const float w[3] = {axis[1] * v[2] - axis[2] * v[1], axis[2] * v[0] - axis[0] * v[2],
                      axis[0] * v[1] - axis[1] * v[0]};
  const float c[3] = {pln.Xarm[p], pln.Yarm[p], pln.Zarm[p]}, r = pln.semilen[p];
  auto at = [&](float a, float rr, float out[3]) {
    for (int k = 0; k < 3; k++) out[k] = c[k] + rr * (std::cos(a) * v[k] + std::sin(a) * w[k]);
  };
  for (int s = 0; s < 24; s++) {
    float a[3], b[3];
    at(s * con.pim2 / 24.0f, r, a);
    at((s + 1) * con.pim2 / 24.0f, r, b);
    line(a, b, DISC);
  }
  const int blades = intlim(static_cast<int>(pln.numblades[p]), 0, 12);
  for (int k = 0; k < blades; k++) {
    float tipp[3];
    at(k * con.pim2 / blades, r, tipp);
    line(c, tipp, DISC);
  }
}

// A wheel as a small box at its contact point.
static void wheel(float x, float y, float z, float size) {
  const float r = fltlim(0.03f * size, 0.5f, 3.0f), hw = 0.4f * r;
  const float p[8][3] = {{x - hw, y, z - r},         {x + hw, y, z - r},
                         {x + hw, y, z + r},         {x - hw, y, z + r},
                         {x - hw, y + 2 * r, z - r}, {x + hw, y + 2 * r, z - r},
                         {x + hw, y + 2 * r, z + r}, {x - hw, y + 2 * r, z + r}};
  static const int faces[6][4] = {{4, 5, 6, 7}, {3, 2, 1, 0}, {0, 1, 5, 4},
                                  {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
  for (const auto& f : faces) quad(p[f[0]], p[f[1]], p[f[2]], p[f[3]], TIRE);
}

static void gear_and_marks(float size) {
  if (pln.gearEQ) {
    wheel(0.0f, pln.ngearY, pln.ngearZ, size);
    wheel(-pln.mgearX, pln.mgearY, pln.mgearZ, size);
    wheel(pln.mgearX, pln.mgearY, pln.mgearZ, size);
  }
  if (pln.skidEQ) {
    for (int side = -1; side <= 1; side += 2) {
      const float a[3] = {side * pln.skidX, pln.skidY, pln.skidZ};
      const float b[3] = {side * pln.skidX, pln.skidY, pln.skidZ + pln.skidl};
      line(a, b, TIRE);
    }
  }
  // The centre of gravity as a small cross.
  const float m = 0.04f * size;
  const float cg[6][3] = {{-m, pln.cgY, pln.cgZ}, {m, pln.cgY, pln.cgZ},
                          {0, pln.cgY - m, pln.cgZ}, {0, pln.cgY + m, pln.cgZ},
                          {0, pln.cgY, pln.cgZ - m}, {0, pln.cgY, pln.cgZ + m}};
  for (int i = 0; i < 6; i += 2) line(cg[i], cg[i + 1], MARK);
}

int build_view_geometry() {
  tris.clear();
  lines.clear();
  for (int k = 0; k < 3; k++) lo[k] = hi[k] = 0.0f;
  // The record holds the sweep the file gives; the views show the wings at it.
  for (int p = 0; p < LIFTING_PARTS; p++) pln.sweepnow[p] = pln.sweep1[p];
  for (int p = 0; p < NUM_PARTS; p++) {
    if (!have_this_part(p)) continue;
    if (p <= PART_LAST_DISC)
      disc(p);
    else if (p <= PART_VSTAB2)
      surface(p);
    else
      body(p);
  }
  gear_and_marks(fltmax3(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]));
  return static_cast<int>(tris.size());
}

void view_extent(float l[3], float h[3]) {
  for (int k = 0; k < 3; k++) l[k] = lo[k], h[k] = hi[k];
}

// ---- Panes -----------------------------------------------------------------------------------

void view_pane(int v, int* x, int* y, int* w, int* h) {
  *w = EDITOR_WINDOW_W / 2;
  *h = EDITOR_WINDOW_H / 2;
  *x = v == VIEW_FRONT || v == VIEW_TURNING ? *w : 0;
  *y = v == VIEW_TOP || v == VIEW_FRONT ? *h : 0;
}

// The camera matrix (column by column) of an eye at `eye` with right r, up u and back b (the
// direction it looks away from).
static void camera_of(const float eye[3], const float r[3], const float u[3], const float b[3],
                      float m[16]) {
  const float* rows[3] = {r, u, b};
  for (int i = 0; i < 3; i++) {
    m[i] = rows[i][0];
    m[4 + i] = rows[i][1];
    m[8 + i] = rows[i][2];
    m[12 + i] = -(rows[i][0] * eye[0] + rows[i][1] * eye[1] + rows[i][2] * eye[2]);
    m[3 + 4 * i] = 0.0f;
  }
  m[15] = 1.0f;
}

static void zero16(float m[16]) {
  for (int i = 0; i < 16; i++) m[i] = 0.0f;
}

static void orthographic(float hw, float hh, float depth, float m[16]) {
  zero16(m);
  m[0] = 1.0f / hw;
  m[5] = 1.0f / hh;
  m[10] = -1.0f / depth;
  m[15] = 1.0f;
}

static void perspective(float fovy_deg, float aspect, float n, float f, float m[16]) {
  zero16(m);
  const float t = 1.0f / std::tan(0.5f * fovy_deg * con.degtorad);
  m[0] = t / aspect;
  m[5] = t;
  m[10] = (f + n) / (n - f);
  m[11] = -1.0f;
  m[14] = 2.0f * f * n / (n - f);
}

static void draw_pane(int v, const float centre[3], float radius) {
  int x, y, w, h;
  view_pane(v, &x, &y, &w, &h);
  const float aspect = static_cast<float>(w) / static_cast<float>(h);
  const float hh = 1.15f * radius, dist = 3.0f * radius;
  float proj[16], cam[16];
  float eye[3], r[3], u[3], b[3];
  if (v == VIEW_TURNING) {
    const float az = edt.turn * con.degtorad, el = 20.0f * con.degtorad;
    b[0] = std::sin(az) * std::cos(el), b[1] = std::sin(el), b[2] = std::cos(az) * std::cos(el);
    r[0] = std::cos(az), r[1] = 0.0f, r[2] = -std::sin(az);
    u[0] = b[1] * r[2] - b[2] * r[1], u[1] = b[2] * r[0] - b[0] * r[2],
    u[2] = b[0] * r[1] - b[1] * r[0];
    perspective(40.0f, aspect, 0.05f * radius, 10.0f * radius, proj);
  } else {
    // Above with the nose up the pane, from the front, and from the left with the nose to the left.
    static const float views[3][3][3] = {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
                                         {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
                                         {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}};
    for (int k = 0; k < 3; k++) r[k] = views[v][0][k], u[k] = views[v][1][k], b[k] = views[v][2][k];
    orthographic(hh * aspect, hh, 2.0f * dist, proj);
  }
  for (int k = 0; k < 3; k++) eye[k] = centre[k] + dist * b[k];
  camera_of(eye, r, u, b, cam);
  OGL_view_begin_drawn(x, y, w, h, proj, cam, BACKGROUND);
  // Light from above, ahead and to the left, so that the top, front and side views all see it.
  static const float sun[3] = {-0.45f, 0.7f, -0.55f}, diffuse[3] = {0.6f, 0.6f, 0.6f},
                     ambient[3] = {0.45f, 0.45f, 0.45f};
  OGL_sun(sun, diffuse, ambient);
  OGL_setstate(0, 1, 0, 1);
  if (!tris.empty()) OGL_draw_batch(OGL_BATCH_TRIANGLES, tris.data(), static_cast<int>(tris.size()), 1.0f);
  OGL_setstate(0, 0, 0, 1);
  if (!lines.empty()) OGL_draw_batch(OGL_BATCH_LINES, lines.data(), static_cast<int>(lines.size()), 1.0f);
  OGL_view_end();
}

void draw_views() {
  build_view_geometry();
  const float centre[3] = {0.5f * (lo[0] + hi[0]), 0.5f * (lo[1] + hi[1]), 0.5f * (lo[2] + hi[2])};
  // Every pane shows the aircraft at one scale, the largest half-extent filling it.
  const float radius = fltmax2(0.5f * fltmax3(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]), 1.0f);
  for (int v = 0; v < VIEW_PANES; v++) draw_pane(v, centre, radius);
  OGL_setstate(0, 0, 0, 0);
  static const char* const names[VIEW_PANES] = {"TOP", "FRONT", "LEFT SIDE", "TURNING"};
  for (int v = 0; v < VIEW_PANES; v++) {
    int x, y, w, h;
    view_pane(v, &x, &y, &w, &h);
    OGL_string(37, x + 6, y + h - 12, names[v], 0, 0, 6);
    OGL_framerect(38, x, y, w, h);
  }
  OGL_string(37, 6, 6, pln.C_file, 0, 0, 6);
  // A window made larger or of another shape than the views keeps, beside or above them, what it
  // showed at its old size, stretched: those bands are painted over.
  OGL_fill_outside(53);
}
