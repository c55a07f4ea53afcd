// Potential flow about a section: the linear-strength vortex panel method of Katz and Plotkin,
// "Low-Speed Aerodynamics", 2nd ed. (2001), section 11.4. The vortex strength varies linearly
// along each panel and is continuous at the contour points; the flow normal to the surface
// vanishes at every panel midpoint, and the Kutta condition makes the two trailing-edge strengths
// cancel so the flow leaves the trailing edge smoothly.
#include "foilgen/foilgen.h"

#include <cmath>
#include <cstring>

static const double pi = 3.14159265358979323846;

enum { PANELS = FOIL_NODES - 1 };

// Velocity at (px, py) induced by panel k carrying unit strength at its first point (a) and at
// its second point (b), the strength varying linearly between. `self` evaluates the panel at its
// own midpoint on the outer side, where the general formula has a 0/0 limit.
static void panel_influence(const foil_shape* s, int k, double px, double py, int self, double* ua,
                            double* va, double* ub, double* vb) {
  const double dx = s->x[k + 1] - s->x[k], dy = s->y[k + 1] - s->y[k];
  const double len = std::sqrt(dx * dx + dy * dy);
  const double tx = dx / len, ty = dy / len;
  const double nx = -ty, ny = tx;  // outward: the body lies to the right of the panel
  double x, z, th, lnr;            // point in panel axes; angle and log-distance differences
  if (self) {
    x = 0.5 * len;
    z = 0.0;
    th = pi;
    lnr = 0.0;
  } else {
    x = (px - s->x[k]) * tx + (py - s->y[k]) * ty;
    z = (px - s->x[k]) * nx + (py - s->y[k]) * ny;
    th = std::atan2(z, x - len) - std::atan2(z, x);
    lnr = 0.5 * std::log(((x - len) * (x - len) + z * z) / (x * x + z * z));
  }
  // Constant part gives (th, lnr)/2pi; the linear part integrates s over the panel.
  const double ul = (z * lnr + x * th) / len, wl = (len + x * lnr - z * th) / len;
  const double u_a = (th - ul) / (2 * pi), w_a = (lnr - wl) / (2 * pi);
  const double u_b = ul / (2 * pi), w_b = wl / (2 * pi);
  *ua = u_a * tx + w_a * nx;
  *va = u_a * ty + w_a * ny;
  *ub = u_b * tx + w_b * nx;
  *vb = u_b * ty + w_b * ny;
}

// Gaussian elimination with partial pivoting; a is n x n, row-major; b is replaced by the
// solution. The panel matrices are well conditioned, so no refinement is needed.
static void solve_dense(double* a, double* b, int n) {
  for (int c = 0; c < n; c++) {
    int piv = c;
    for (int r = c + 1; r < n; r++)
      if (std::fabs(a[r * n + c]) > std::fabs(a[piv * n + c])) piv = r;
    if (piv != c) {
      for (int j = 0; j < n; j++) {
        const double t = a[c * n + j];
        a[c * n + j] = a[piv * n + j];
        a[piv * n + j] = t;
      }
      const double t = b[c];
      b[c] = b[piv];
      b[piv] = t;
    }
    for (int r = c + 1; r < n; r++) {
      const double f = a[r * n + c] / a[c * n + c];
      if (f == 0.0) continue;
      for (int j = c; j < n; j++) a[r * n + j] -= f * a[c * n + j];
      b[r] -= f * b[c];
    }
  }
  for (int r = n - 1; r >= 0; r--) {
    double sum = b[r];
    for (int j = r + 1; j < n; j++) sum -= a[r * n + j] * b[j];
    b[r] = sum / a[r * n + r];
  }
}

void panel_solve(const foil_shape* s, double alpha_deg, panel_solution* out) {
  const int n = FOIL_NODES;
  static double a[FOIL_NODES * FOIL_NODES];
  double rhs[FOIL_NODES];
  const double ca = std::cos(alpha_deg * pi / 180), sa = std::sin(alpha_deg * pi / 180);
  std::memset(a, 0, sizeof a);
  for (int i = 0; i < PANELS; i++) {
    const double mx = 0.5 * (s->x[i] + s->x[i + 1]), my = 0.5 * (s->y[i] + s->y[i + 1]);
    const double dx = s->x[i + 1] - s->x[i], dy = s->y[i + 1] - s->y[i];
    const double len = std::sqrt(dx * dx + dy * dy);
    const double nx = -dy / len, ny = dx / len;
    for (int k = 0; k < PANELS; k++) {
      double ua, va, ub, vb;
      panel_influence(s, k, mx, my, k == i, &ua, &va, &ub, &vb);
      a[i * n + k] += ua * nx + va * ny;
      a[i * n + k + 1] += ub * nx + vb * ny;
    }
    rhs[i] = -(ca * nx + sa * ny);
  }
  // Kutta condition: equal speeds leaving the trailing edge on both surfaces.
  a[PANELS * n + 0] = 1.0;
  a[PANELS * n + PANELS] = 1.0;
  rhs[PANELS] = 0.0;
  solve_dense(a, rhs, n);

  out->alpha = alpha_deg;
  std::memcpy(out->gamma, rhs, sizeof out->gamma);
  // Circulation, clockwise positive, gives the lift; the surface pressure (the vortex strength is
  // the surface speed, the flow inside the contour being at rest) gives lift and moment.
  double circ = 0, fx = 0, fy = 0, mz = 0;
  for (int k = 0; k < PANELS; k++) {
    const double dx = s->x[k + 1] - s->x[k], dy = s->y[k + 1] - s->y[k];
    const double len = std::sqrt(dx * dx + dy * dy);
    const double vt = 0.5 * (out->gamma[k] + out->gamma[k + 1]);
    circ += vt * len;
    const double cp = 1.0 - vt * vt;
    const double px = -cp * len * (-dy / len), py = -cp * len * (dx / len);  // -cp * n * len
    const double mx = 0.5 * (s->x[k] + s->x[k + 1]) - 0.25, my = 0.5 * (s->y[k] + s->y[k + 1]);
    fx += px;
    fy += py;
    mz += mx * py - my * px;
  }
  out->cl_circ = 2.0 * circ;
  out->cl_press = fy * ca - fx * sa;
  out->cm = -mz;  // counter-clockwise torque lowers the nose
}

void panel_velocity(const foil_shape* s, const panel_solution* sol, double px, double py, double* u,
                    double* v) {
  *u = std::cos(sol->alpha * pi / 180);
  *v = std::sin(sol->alpha * pi / 180);
  for (int k = 0; k < PANELS; k++) {
    double ua, va, ub, vb;
    panel_influence(s, k, px, py, 0, &ua, &va, &ub, &vb);
    *u += sol->gamma[k] * ua + sol->gamma[k + 1] * ub;
    *v += sol->gamma[k] * va + sol->gamma[k + 1] * vb;
  }
}

void inviscid_characteristics(const foil_shape* s, foil_inviscid* out) {
  // The circulation is linear in the free-stream components, Gamma = Gx cos a + Gy sin a, so two
  // solutions give the exact zero-lift angle and the slope there.
  panel_solution along, across;
  panel_solve(s, 0.0, &along);
  panel_solve(s, 90.0, &across);
  const double gx = 0.5 * along.cl_circ, gy = 0.5 * across.cl_circ;
  out->al0 = std::atan2(-gx, gy) * 180 / pi;
  out->cla = 2.0 * std::sqrt(gx * gx + gy * gy);
  // The moment about the quarter chord at zero lift and a little above it.
  panel_solution zero, up;
  panel_solve(s, out->al0, &zero);
  panel_solve(s, out->al0 + 4.0, &up);
  out->cm0 = zero.cm;
  out->dcm_dcl = (up.cm - zero.cm) / (up.cl_press - zero.cl_press);
}
