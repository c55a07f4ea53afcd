// Plain trailing-edge flap: the lift, drag and moment increments a deflected flap adds to the
// section it is hinged to, from thin-airfoil theory with empirical corrections for the flow
// separating off a strongly deflected flap.
#include "foilgen/foilgen.h"

#include <algorithm>
#include <cmath>

static const double pi = 3.14159265358979323846;
static const double deg = pi / 180.0;

// Hinge angle of thin-airfoil theory: the hinge at x = 1 - E lies at cos(theta_f) = 2E - 1.
static double hinge_angle(double chord_ratio) {
  return std::acos(std::clamp(2.0 * chord_ratio - 1.0, -1.0, 1.0));
}

// Glauert, "Theoretical relationships for an aerofoil with hinged flap", ARC R&M 1095 (1927):
// dcl/ddelta = 2 (pi - theta_f + sin theta_f), so the flap is worth tau degrees of angle of attack
// per degree of deflection, tau = 1 - (theta_f - sin theta_f) / pi.
double flap_tau(double chord_ratio) {
  const double th = hinge_angle(chord_ratio);
  return 1.0 - (th - std::sin(th)) / pi;
}

// Beyond about 10 degrees the flow separates from the upper surface of a plain flap and the
// theory overstates the lift. The efficiency below follows the two-dimensional plain-flap
// measurements collected by Abbott and von Doenhoff ("Theory of Wing Sections", 1959) in their
// account of flaps, falling to about 0.4 of the theoretical increment at 60 degrees.
double flap_large_def_factor(double def_deg) {
  static const double at[] = {10, 15, 20, 30, 40, 50, 60};
  static const double eff[] = {1.0, 0.85, 0.75, 0.62, 0.53, 0.46, 0.40};
  const int n = sizeof at / sizeof at[0];
  const double d = std::fabs(def_deg);
  if (d <= at[0]) return eff[0];
  if (d >= at[n - 1]) return eff[n - 1];
  int i = 0;
  while (d > at[i + 1]) i++;
  return eff[i] + (eff[i + 1] - eff[i]) * (d - at[i]) / (at[i + 1] - at[i]);
}

// Profile drag of the deflected flap: Raymer's plain-flap correlation 0.0144 (cf/c)(delta - 10)
// ("Aircraft Design: A Conceptual Approach", 1989), delta in degrees, holds for large
// deflections; below 20 degrees it is joined to zero by a parabola of the same value and slope
// at 20, since a slightly deflected flap barely thickens the wake.
static double flap_drag(double chord_ratio, double def_deg) {
  const double d = std::fabs(def_deg);
  const double g = d >= 20.0 ? d - 10.0 : d * d / 40.0;
  return 0.0144 * chord_ratio * g;
}

void build_flap_table(double cla_deg, double chord_ratio, double full_def, flap_table* f) {
  f->chord_ratio = chord_ratio;
  f->full_def = full_def;
  f->cla = cla_deg;
  const double tau = flap_tau(chord_ratio), th = hinge_angle(chord_ratio);
  // Thin-airfoil moment about the quarter chord, per radian of deflection; the real section's
  // boundary layer scales it like the lift, by the section's slope over 2 pi.
  const double cm_per_rad = -0.5 * std::sin(th) * (1.0 - std::cos(th));
  const double slope_ratio = cla_deg / (2.0 * pi * deg);
  for (int i = 0; i < FLAP_ROWS; i++) {
    const double d = full_def * i / (FLAP_ROWS - 1);
    const double eff = flap_large_def_factor(d);
    f->def[i] = d;
    f->cl[i] = cla_deg * tau * eff * d;
    f->cd[i] = flap_drag(chord_ratio, d);
    f->cm[i] = slope_ratio * cm_per_rad * eff * d * deg;
  }
}
