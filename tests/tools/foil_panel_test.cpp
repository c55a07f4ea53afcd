// The vortex panel solver against thin-airfoil theory and the thickness correction to the lift
// slope, and its own consistency: pressure against circulation, still flow inside the body.
#include "support/test_support.h"

#include <cmath>

#include "foilgen/foilgen.h"

static const double pi = 3.14159265358979323846;

TEST(ToolsFoilPanel, SymmetricSectionsLiftAsTheoryGives) {
  for (int t : {6, 12, 18}) {
    foil_shape s;
    shape_naca4(t, &s);
    foil_inviscid inv;
    inviscid_characteristics(&s, &inv);
    EXPECT_NEAR(inv.al0, 0.0, 1e-7) << t;
    EXPECT_NEAR(inv.cm0, 0.0, 1e-9) << t;
    EXPECT_NEAR(inv.cla / (2 * pi * (1 + 0.77 * t / 100.0)), 1.0, 0.02) << t;
    EXPECT_NEAR(inv.dcm_dcl, 0.0, 0.03) << t;  // aerodynamic centre near the quarter chord
  }
}

// Thin-airfoil theory for the NACA 24 mean line by quadrature: zero-lift angle
// -(1/pi) int dz/dx (cos th - 1) dth and quarter-chord moment (pi/4)(A2 - A1).
TEST(ToolsFoilPanel, ThinCamberedSectionMatchesThinAirfoilTheory) {
  const double m = 0.02, p = 0.4;
  double al0 = 0, a1 = 0, a2 = 0;
  const int n = 20000;
  for (int i = 0; i < n; i++) {
    const double th = pi * (i + 0.5) / n, x = 0.5 * (1 - std::cos(th));
    const double dz = x < p ? 2 * m / (p * p) * (p - x) : 2 * m / ((1 - p) * (1 - p)) * (p - x);
    al0 -= dz * (std::cos(th) - 1) / n;
    a1 += 2 * dz * std::cos(th) / n;
    a2 += 2 * dz * std::cos(2 * th) / n;
  }
  foil_shape s;
  shape_naca4(2402, &s);
  foil_inviscid inv;
  inviscid_characteristics(&s, &inv);
  EXPECT_NEAR(inv.al0, al0 * 180 / pi, 0.05);
  EXPECT_NEAR(inv.cm0, pi / 4 * (a2 - a1), 0.002);
}

TEST(ToolsFoilPanel, PressureAndCirculationAgreeAndTheBodyIsStill) {
  foil_shape s;
  shape_naca4(2412, &s);
  panel_solution sol;
  panel_solve(&s, 8.0, &sol);
  EXPECT_NEAR(sol.cl_press / sol.cl_circ, 1.0, 0.01);
  EXPECT_NEAR(sol.gamma[0] + sol.gamma[FOIL_NODES - 1], 0.0, 1e-12);  // Kutta condition
  double u, v;
  panel_velocity(&s, &sol, 0.3, 0.02, &u, &v);
  EXPECT_LT(std::hypot(u, v), 0.01);  // inside the contour the flow is at rest
}
