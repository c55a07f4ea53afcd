// The complete polar of a section from -90 to 90 degrees: the straight lift line of potential
// flow corrected for the boundary layer, a rounded approach to the largest lift, a smooth drop
// after the stall, and the flat-plate extrapolation of Viterna and Corrigan out to 90 degrees.
#include "foilgen/foilgen.h"

#include <algorithm>
#include <cmath>

static const double pi = 3.14159265358979323846;
static const double deg = pi / 180.0;

// Drag of a flat plate broadside to the flow in two dimensions (Hoerner, "Fluid-Dynamic Drag",
// 1965): the value every section approaches at 90 degrees.
static const double plate_cd90 = 1.98;

// Growth of profile drag with lift while the flow is attached: the polars of the NACA four-digit
// sections (Abbott and von Doenhoff 1959, appendix IV) rise about as cd_min * (1 + 0.55 dcl^2)
// away from the lift of least drag, before separation adds its own share near the stall.
static const double drag_lift_growth = 0.55;

double row_angle(int n) { return n <= 200 ? n / 10.0 : n - 180.0; }

static double attached_drag(const foil_polar* p, const foil_side* s, double lift) {
  const double d = lift - s->cl_opt;
  return p->cd_min * (1.0 + drag_lift_growth * d * d);
}

// Cubic Hermite between (b0, v0, slope d0) and (b1, v1, slope d1), slopes per degree.
static double hermite(double b0, double v0, double d0, double b1, double v1, double d1, double b) {
  const double h = b1 - b0, s = (b - b0) / h;
  const double h00 = (1 + 2 * s) * (1 - s) * (1 - s), h10 = s * (1 - s) * (1 - s);
  const double h01 = s * s * (3 - 2 * s), h11 = s * s * (s - 1);
  return h00 * v0 + h10 * h * d0 + h01 * v1 + h11 * h * d1;
}

// Viterna and Corrigan, "Fixed pitch rotor performance of large horizontal axis wind turbines",
// DOE/NASA Workshop on Large Horizontal Axis Wind Turbines, NASA CP-2230 (1982): beyond the
// stall a section behaves like a flat plate, cl = A1 sin 2b + A2 cos^2 b / sin b and
// cd = B1 sin^2 b + B2 cos b, with B1 the broadside drag and A2, B2 matching a post-stall point.
static void viterna_corrigan(const foil_side* s, double b_deg, double* lift, double* drag,
                             double* dlift, double* ddrag) {
  const double b = b_deg * deg, sb = std::sin(b), cb = std::cos(b);
  *lift = s->A1 * std::sin(2 * b) + s->A2 * cb * cb / sb;
  *drag = s->B1 * sb * sb + s->B2 * cb;
  *dlift = (2 * s->A1 * std::cos(2 * b) - s->A2 * cb * (1 + sb * sb) / (sb * sb)) * deg;
  *ddrag = (s->B1 * std::sin(2 * b) - s->B2 * sb) * deg;
}

// Lift and drag magnitudes on one side at angle magnitude b (degrees).
static void side_eval(const foil_polar* p, const foil_side* s, double b, double* lift,
                      double* drag) {
  const double a = p->clM;
  if (b <= s->al_lin) {
    *lift = a * (b - s->al0);
    *drag = attached_drag(p, s, *lift);
  } else if (b <= s->al_stall) {
    // The slope falls linearly to zero at the stall as trailing-edge separation spreads
    // forward; its drag grows with the square of the distance into the rounding.
    const double w = s->al_stall - s->al_lin, u = b - s->al_lin;
    *lift = a * (s->al_lin - s->al0) + a * u - a * u * u / (2 * w);
    *drag = attached_drag(p, s, *lift) + s->sep_drag * (u / w) * (u / w);
  } else if (b < s->al_post) {
    double l1, d1, dl1, dd1;
    viterna_corrigan(s, s->al_post, &l1, &d1, &dl1, &dd1);
    *lift = hermite(s->al_stall, s->clmax, 0.0, s->al_post, s->cl_post, dl1, b);
    *drag = hermite(s->al_stall, s->cd_stall, s->dcd_stall, s->al_post, s->cd_post, dd1, b);
  } else {
    double dl, dd;
    viterna_corrigan(s, std::min(b, 90.0), lift, drag, &dl, &dd);
  }
}

// Quarter-chord moment. While the flow is attached it follows the lift about the aerodynamic
// centre; once separated, the normal force acts at a centre of pressure that moves from about a
// third of the chord towards mid-chord at 90 degrees, as on a flat plate (Hoerner and Borst,
// "Fluid-Dynamic Lift", 1985); across the post-stall drop the two blend smoothly.
static double moment(const foil_polar* p, const foil_side* s, double alpha, double cl, double cd) {
  const double b = std::fabs(alpha);
  const double attached = p->cm0 + p->dcm_dcl * cl;
  if (b <= s->al_stall) return attached;
  const double u = std::min(1.0, (b - s->al_stall) / (s->al_post - s->al_stall));
  const double f = u * u * (3 - 2 * u);
  const double cn = cl * std::cos(alpha * deg) + cd * std::sin(alpha * deg);
  const double arm = 0.075 + 0.175 * std::min(b, 90.0) / 90.0;
  return (1 - f) * attached + f * (-cn * arm);
}

void polar_eval(const foil_polar* p, double alpha, double* cl, double* cd, double* cm) {
  // Zero belongs to the negative side, as in the flight model's tables; both sides agree there.
  const foil_side* s = &p->side[alpha > 0 ? 0 : 1];
  double lift, drag;
  side_eval(p, s, std::fabs(alpha), &lift, &drag);
  *cl = s->sgn * lift;
  *cd = drag;
  *cm = moment(p, s, alpha, *cl, *cd);
}

static void build_side(const foil_shape* sh, foil_polar* p, int side) {
  foil_side* s = &p->side[side];
  const double a = p->clM, t = sh->trat;
  s->sgn = side == 0 ? 1.0 : -1.0;
  s->al0 = s->sgn * p->al0;
  s->cl_opt = s->sgn * 0.5 * p->clB;  // least drag at about half the lift of zero angle

  // Stall: the straight line would reach the largest lift at bx; the curve rounds over
  // symmetrically about it, over a width that grows with thickness. Thin sections stall abruptly
  // from the nose, thick ones gradually from the trailing edge (McCullough and Gault, "Examples
  // of three representative types of airfoil-section stall at low speed", NACA TN 2502, 1951);
  // the widths, the separation drag and the post-stall drop below are fitted to the shapes of
  // the four-digit section curves of Abbott and von Doenhoff. The flight model draws the
  // straight line itself up to 10 degrees, so the rounding may not start before that: a thin
  // section whose line would stall sooner keeps its line to 10 degrees and stalls just after.
  const double target = section_clmax(t, sh->camber, p->re * 1e6, side);
  const double bx = s->al0 + target / a;
  const double half = std::clamp(0.5 + 40.0 * (t - 0.06), 0.5, 3.0);
  s->al_lin = std::max(bx - half, 10.0);
  s->al_stall = std::min(std::max(bx + half, s->al_lin + 1.0), 19.5);
  s->al_lin = std::min(s->al_lin, s->al_stall - 0.5);
  s->al_lin = std::max(s->al_lin, 10.0);
  s->clmax = a * (s->al_lin - s->al0) + 0.5 * a * (s->al_stall - s->al_lin);

  s->sep_drag = 1.5 * p->cd_min;
  s->cd_stall = attached_drag(p, s, s->clmax) + s->sep_drag;
  s->dcd_stall = 2.0 * s->sep_drag / (s->al_stall - s->al_lin);

  // Post-stall drop: a thin section loses more lift, and sooner, than a thick one.
  s->al_post = s->al_stall + std::clamp(4.0 + 40.0 * (t - 0.06), 4.0, 8.0);
  const double keep = std::clamp(0.55 + 1.5 * t, 0.6, 0.8);
  const double bp = s->al_post * deg;
  const double plate_lift = plate_cd90 * std::sin(bp) * std::cos(bp);
  s->cl_post = std::max(keep * s->clmax, plate_lift);
  s->cd_post = plate_cd90 * std::sin(bp) * std::sin(bp) + p->cd_min;

  s->B1 = plate_cd90;
  s->B2 = (s->cd_post - s->B1 * std::sin(bp) * std::sin(bp)) / std::cos(bp);
  s->A1 = 0.5 * s->B1;
  s->A2 = (s->cl_post - s->B1 * std::sin(bp) * std::cos(bp)) * std::sin(bp) /
          (std::cos(bp) * std::cos(bp));
}

void build_polar(const foil_shape* sh, double re_millions, foil_polar* p) {
  foil_inviscid inv;
  inviscid_characteristics(sh, &inv);
  p->re = re_millions;
  p->trat = sh->trat;
  p->cla_inv = inv.cla;
  p->slope_fac = lift_slope_factor(sh->te_slope, re_millions * 1e6);
  p->clM = inv.cla * p->slope_fac * deg;
  p->al0 = inv.al0;
  p->clB = -p->clM * p->al0;
  // The boundary layer unloads the rear of the section uniformly, so the camber's moment shrinks
  // with the lift slope while the zero-lift angle stays put.
  p->cm0 = inv.cm0 * p->slope_fac;
  p->dcm_dcl = inv.dcm_dcl;
  p->cd_min = min_profile_drag(sh->trat, re_millions * 1e6);
  p->cd90 = plate_cd90;
  build_side(sh, p, 0);
  build_side(sh, p, 1);

  double cl, cd;
  p->cmal3 = p->side[0].al_stall;
  p->cmal2 = -p->side[1].al_stall;
  polar_eval(p, p->cmal2, &cl, &cd, &p->cm2);
  polar_eval(p, p->cmal3, &cl, &cd, &p->cm3);
  polar_eval(p, -20.0, &cl, &cd, &p->cm1);
  polar_eval(p, 20.0, &cl, &cd, &p->cm4);
}
