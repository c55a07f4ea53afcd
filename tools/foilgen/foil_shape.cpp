// Section contours: NACA four-digit sections from their defining equations and the Clark Y from
// its ordinate table, both laid out with cosine spacing so panels crowd at the two edges.
#include "foilgen/foilgen.h"

#include <cmath>
#include <cstdio>
#include <cstring>

static const double pi = 3.14159265358979323846;

// Chordwise station of point k (0..FOIL_SIDE_PANELS) of one surface: cosine spacing puts short
// panels where the curvature and the pressure gradients are largest.
static double station(int k) { return 0.5 * (1.0 - std::cos(pi * k / FOIL_SIDE_PANELS)); }

// ---- NACA four-digit sections ----------------------------------------------------------------
// Jacobs, Ward and Pinkerton, "The characteristics of 78 related airfoil sections from tests in
// the variable-density wind tunnel", NACA Report 460 (1933); equations as collected in Abbott and
// von Doenhoff, "Theory of Wing Sections" (1959), section 6.4.

static double naca_half_thickness(double t, double x) {
  return 5.0 * t *
         (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
          0.1015 * x * x * x * x);
}

static void naca_mean_line(double m, double p, double x, double* yc, double* slope) {
  if (m <= 0.0 || p <= 0.0) {
    *yc = 0.0;
    *slope = 0.0;
  } else if (x < p) {
    *yc = m / (p * p) * (2.0 * p * x - x * x);
    *slope = 2.0 * m / (p * p) * (p - x);
  } else {
    *yc = m / ((1.0 - p) * (1.0 - p)) * (1.0 - 2.0 * p + 2.0 * p * x - x * x);
    *slope = 2.0 * m / ((1.0 - p) * (1.0 - p)) * (p - x);
  }
}

void shape_naca4(int digits, foil_shape* s) {
  const double m = (digits / 1000) / 100.0;
  const double p = (digits / 100 % 10) / 10.0;
  const double t = (digits % 100) / 100.0;
  std::memset(s, 0, sizeof *s);
  std::snprintf(s->word, sizeof s->word, "NACA%04d", digits);
  for (int k = 0; k <= FOIL_SIDE_PANELS; k++) {
    const double xc = station(k);
    double yc, slope;
    naca_mean_line(m, p, xc, &yc, &slope);
    const double yt = naca_half_thickness(t, xc);
    const double th = std::atan(slope);
    // The thickness stands perpendicular to the mean line.
    const int lo = FOIL_SIDE_PANELS - k, up = FOIL_SIDE_PANELS + k;
    s->x[lo] = xc + yt * std::sin(th);
    s->y[lo] = yc - yt * std::cos(th);
    s->x[up] = xc - yt * std::sin(th);
    s->y[up] = yc + yt * std::cos(th);
  }
  s->trat = t;
  s->camber = m;
  s->te_slope = (naca_half_thickness(t, 0.90) - naca_half_thickness(t, 0.99)) / 0.09;
}

// ---- Clark Y ---------------------------------------------------------------------------------
// Ordinates in percent of chord above the flat lower surface, as published for the section
// (Clark Y: 11.7 % thick at 30 % chord, leading-edge radius about 1.5 %, flat from 30 % aft).

enum { CLARK_Y_STATIONS = 17 };
static const double clark_x[CLARK_Y_STATIONS] = {0,  1.25, 2.5, 5,  7.5, 10, 15, 20, 30,
                                                 40, 50,   60,  70, 80,  90, 95, 100};
static const double clark_upper[CLARK_Y_STATIONS] = {3.50,  5.45,  6.50,  7.90,  8.85,  9.60,
                                                     10.68, 11.36, 11.70, 11.40, 10.52, 9.15,
                                                     7.35,  5.22,  2.80,  1.49,  0.12};
static const double clark_lower[CLARK_Y_STATIONS] = {
    3.50, 1.93, 1.47, 0.93, 0.63, 0.42, 0.15, 0.03, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Shape-preserving piecewise-cubic interpolation (Fritsch and Carlson, "Monotone piecewise cubic
// interpolation", SIAM J. Numer. Anal. 17, 1980): it adds no wiggles between the stations, so the
// flat bottom stays flat and the crest stays at 30 %. The ordinates are interpolated against the
// square root of x, in which the round nose is a smooth curve rather than a vertical tangent.
static double pchip(const double* u, const double* y, int n, double at) {
  int i = 0;
  while (i < n - 2 && at > u[i + 1]) i++;
  double d[2];
  for (int e = 0; e < 2; e++) {
    const int k = i + e;  // slope at station k from its neighbours
    const double hl = k > 0 ? u[k] - u[k - 1] : 0, hr = k < n - 1 ? u[k + 1] - u[k] : 0;
    const double sl = k > 0 ? (y[k] - y[k - 1]) / hl : 0,
                 sr = k < n - 1 ? (y[k + 1] - y[k]) / hr : 0;
    if (k == 0) {
      d[e] = sr;
    } else if (k == n - 1) {
      d[e] = sl;
    } else if (sl * sr <= 0) {
      d[e] = 0;  // a local extremum or a flat run: a level tangent keeps the curve within the data
    } else {
      const double w1 = 2 * hr + hl, w2 = hr + 2 * hl;
      d[e] = (w1 + w2) / (w1 / sl + w2 / sr);
    }
  }
  const double h = u[i + 1] - u[i], s = (at - u[i]) / h;
  const double h00 = (1 + 2 * s) * (1 - s) * (1 - s), h10 = s * (1 - s) * (1 - s);
  const double h01 = s * s * (3 - 2 * s), h11 = s * s * (s - 1);
  return h00 * y[i] + h10 * h * d[0] + h01 * y[i + 1] + h11 * h * d[1];
}

static void clark_y_at(double x, double* yu, double* yl) {
  double u[CLARK_Y_STATIONS], fu[CLARK_Y_STATIONS], fl[CLARK_Y_STATIONS];
  for (int i = 0; i < CLARK_Y_STATIONS; i++) {
    u[i] = std::sqrt(clark_x[i] / 100.0);
    fu[i] = clark_upper[i] / 100.0;
    fl[i] = clark_lower[i] / 100.0;
  }
  const double at = std::sqrt(x);
  *yu = pchip(u, fu, CLARK_Y_STATIONS, at);
  *yl = pchip(u, fl, CLARK_Y_STATIONS, at);
}

// The ordinates stand on the flat lower surface, but angles here are measured from the line
// joining the nose to the trailing edge, as for the NACA sections. Measured from the flat bottom
// the section already lifts about 1.6 at 10 degrees, inside the range where the flight model
// draws the lift as a straight line, and its rounding into the stall could not be represented.
void shape_clark_y(foil_shape* s) {
  std::memset(s, 0, sizeof *s);
  std::snprintf(s->word, sizeof s->word, "Clark-Y");
  double yu0, yl0, yu1, yl1;
  clark_y_at(0.0, &yu0, &yl0);
  clark_y_at(1.0, &yu1, &yl1);
  const double nose = 0.5 * (yu0 + yl0), tail = 0.5 * (yu1 + yl1);
  // Unit vector along the chord line and the scale that makes its length 1.
  const double len = std::sqrt(1.0 + (tail - nose) * (tail - nose));
  const double cx = 1.0 / len, cy = (tail - nose) / len;
  for (int k = 0; k <= FOIL_SIDE_PANELS; k++) {
    const double xc = station(k);
    double yu, yl;
    clark_y_at(xc, &yu, &yl);
    const int lo = FOIL_SIDE_PANELS - k, up = FOIL_SIDE_PANELS + k;
    s->x[lo] = (xc * cx + (yl - nose) * cy) / len;
    s->y[lo] = (-xc * cy + (yl - nose) * cx) / len;
    s->x[up] = (xc * cx + (yu - nose) * cy) / len;
    s->y[up] = (-xc * cy + (yu - nose) * cx) / len;
  }
  // Thickness and camber from a fine sweep of the ordinates, both in chord lengths.
  for (int i = 0; i <= 1000; i++) {
    const double x = i / 1000.0;
    double yu, yl;
    clark_y_at(x, &yu, &yl);
    if ((yu - yl) / len > s->trat) s->trat = (yu - yl) / len;
    const double mean = (0.5 * (yu + yl) - (nose + (tail - nose) * x)) / len;
    if (mean > s->camber) s->camber = mean;
  }
  double yu90, yl90, yu99, yl99;
  clark_y_at(0.90, &yu90, &yl90);
  clark_y_at(0.99, &yu99, &yl99);
  s->te_slope = ((yu90 - yl90) - (yu99 - yl99)) / 2.0 / 0.09;
}
