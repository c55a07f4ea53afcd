// What the boundary layer does to a section: skin friction and profile drag, the loss of lift
// slope against potential flow, and the largest lift before the flow separates.
#include "foilgen/foilgen.h"

#include <algorithm>
#include <cmath>

// Mean skin friction of a smooth flat plate (Schlichting, "Boundary-Layer Theory", 7th ed.,
// 1979): Blasius' laminar law 1.328 / sqrt(Re) and the Prandtl-Schlichting turbulent law
// 0.455 / (log10 Re)^2.58. With transition at x_tr the laminar run replaces the turbulent
// friction the same length would have had.
static double laminar_cf(double re) { return 1.328 / std::sqrt(re); }
static double turbulent_cf(double re) { return 0.455 / std::pow(std::log10(re), 2.58); }

double plate_friction(double re, double x_tr) {
  re = std::max(re, 1.0e4);  // below this the turbulent law has no meaning
  x_tr = std::clamp(x_tr, 0.0, 1.0);
  if (x_tr >= 1.0) return laminar_cf(re);
  if (x_tr <= 0.0) return turbulent_cf(re);
  const double rx = re * x_tr;
  return turbulent_cf(re) - x_tr * (turbulent_cf(rx) - laminar_cf(rx));
}

// On a smooth four-digit-like section in free flight the laminar layer lasts to the pressure
// minimum, about 30 % of the chord at low lift, unless its own length Reynolds number reaches
// the natural-transition value (about 1.8 million at free-flight turbulence) first. The value
// puts the smallest drag of a 12 % section at Re 6 million at the 0.006 Abbott and von Doenhoff
// measured ("Theory of Wing Sections", 1959, appendix IV).
double transition_point(double re) { return std::min(0.30, 1.8e6 / std::max(re, 1.0)); }

// Friction on both sides times the thickness form factor 1 + 2 t + 60 t^4 of Hoerner,
// "Fluid-Dynamic Drag" (1965), which adds the pressure drag of the thickened layer.
double min_profile_drag(double trat, double re) {
  const double form = 1.0 + 2.0 * trat + 60.0 * std::pow(trat, 4);
  return 2.0 * plate_friction(re, transition_point(re)) * form;
}

// The boundary layer thickens towards the trailing edge and unloads it, so a real section lifts
// less per degree than potential flow says, the more so the blunter its trailing edge and the
// thicker its layer. USAF Stability and Control DATCOM (Hoak, 1978, section 4.1.1.2) correlates
// this ratio with the trailing-edge parameter tan(phi/2) = (t90 - t99) / 2 / 0.09; the straight
// fit 1 - 0.9 tan(phi/2) at Re 6 million reproduces the measured slopes of the NACA 00xx and
// 24xx sections (0.105 to 0.108 per degree for 12 %, about 0.1 for 18 %; Abbott and von
// Doenhoff 1959), and the deficit grows with the turbulent layer's thickness, as Re^-0.2.
double lift_slope_factor(double te_slope, double re) {
  const double deficit = 0.9 * te_slope * std::pow(std::max(re, 1.0e5) / 6.0e6, -0.2);
  return std::max(0.6, 1.0 - deficit);
}

// Largest lift of smooth NACA four-digit-like sections, fitted to the measurements of Abbott and
// von Doenhoff (1959, appendix IV): symmetrical sections at Re 6 million against
// thickness; camber raises the positive maximum (NACA 2412 about 0.1 above NACA 0012) and lowers
// the negative one faster, since the lower surface's nose suction peaks sooner; the Reynolds
// number raises both slowly, as Re^0.072 (NACA 2412: about 1.57 at 3 million, 1.70 at 9).
double section_clmax(double trat, double camber, double re, int side) {
  static const double t_at[] = {0.06, 0.09, 0.12, 0.15, 0.18, 0.21, 0.24};
  static const double cl_at[] = {0.90, 1.30, 1.55, 1.60, 1.55, 1.45, 1.35};
  const int n = sizeof t_at / sizeof t_at[0];
  const double t = std::clamp(trat, 0.04, 0.24);
  int i = 0;
  while (i < n - 2 && t > t_at[i + 1]) i++;
  const double sym = cl_at[i] + (cl_at[i + 1] - cl_at[i]) * (t - t_at[i]) / (t_at[i + 1] - t_at[i]);
  const double cam = side == 0 ? 5.0 * camber : -12.0 * camber;
  const double scale = std::pow(std::clamp(re, 3.0e5, 3.0e7) / 6.0e6, 0.072);
  return std::max(0.3, (sym + cam) * scale);
}
