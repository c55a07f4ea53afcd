// Airfoil and flap data computed from section geometry: section contours, a vortex panel solver,
// the viscous, stall and post-stall models that turn it into a full -90..90 degree polar, the
// plain-flap increments, and the writers of the airfoil (".afl") and flap (".flp") files.
#pragma once

#include <ostream>

// ---- Section contours ------------------------------------------------------------------------

enum {
  FOIL_SIDE_PANELS = 100,                 // panels on each surface
  FOIL_NODES = 2 * FOIL_SIDE_PANELS + 1,  // contour points, the leading edge shared
};

// One section, chord 1. The contour runs from the trailing edge along the lower surface to the
// leading edge and back along the upper surface, so the body lies to the right of the direction
// of travel. Angles of attack are measured from the x axis. Lifetime: one generation.
struct foil_shape {
  char word[32];         // one-word name, written first in the airfoil file's parameter line
  double x[FOIL_NODES];  // chordwise position, 0 at the leading edge
  double y[FOIL_NODES];  // height above the x axis
  double trat;           // largest thickness, fraction of chord
  double camber;         // largest mean-line height above the leading-to-trailing-edge line
  double te_slope;       // (t90 - t99) / 2 / 0.09: tangent of half the trailing-edge angle
};

// NACA four-digit section "MPTT": camber M % at P tenths of chord, thickness TT %.
void shape_naca4(int digits, foil_shape* s);
// The flat-bottomed, 11.7 %-thick Clark Y, angles measured from its nose-to-tail chord line.
void shape_clark_y(foil_shape* s);

// ---- Potential flow --------------------------------------------------------------------------

// Surface vorticity of a solved section at one angle of attack, free stream of unit speed.
struct panel_solution {
  double alpha;              // angle of attack, degrees
  double gamma[FOIL_NODES];  // vortex strength at each contour point (= surface speed)
  double cl_circ;            // lift coefficient from the circulation (Kutta-Joukowski)
  double cl_press;           // lift coefficient from the integrated surface pressure
  double cm;                 // moment coefficient about the quarter chord, nose up positive
};

void panel_solve(const foil_shape* s, double alpha_deg, panel_solution* out);
// Flow velocity (u, v) at any point off the contour, for a solved section.
void panel_velocity(const foil_shape* s, const panel_solution* sol, double px, double py, double* u,
                    double* v);

// Potential-flow characteristics of a section.
struct foil_inviscid {
  double cla;      // lift slope at zero lift, per radian
  double al0;      // zero-lift angle, degrees
  double cm0;      // quarter-chord moment at zero lift
  double dcm_dcl;  // change of quarter-chord moment with lift (0.25 - aerodynamic centre)
};

void inviscid_characteristics(const foil_shape* s, foil_inviscid* out);

// ---- Viscous corrections, drag and maximum lift ----------------------------------------------

// Mean skin friction of one side of a flat plate at chord Reynolds number re (not millions),
// laminar up to x_tr (fraction of chord) and turbulent behind it.
double plate_friction(double re, double x_tr);
// Where the boundary layer turns turbulent on a smooth section, fraction of chord.
double transition_point(double re);
// Smallest profile drag of a section of thickness ratio trat at chord Reynolds number re.
double min_profile_drag(double trat, double re);
// Ratio of the measured lift slope to the potential-flow slope.
double lift_slope_factor(double te_slope, double re);
// Largest lift magnitude of a smooth section on one side (side 0 positive, 1 negative angles).
double section_clmax(double trat, double camber, double re, int side);

// ---- The complete polar ----------------------------------------------------------------------

// One side of the lift curve, written with angle magnitudes b = |alpha| and lift magnitudes
// L = |cl| on the side of stall, so both sides share one formula.
struct foil_side {
  double sgn;        // +1 for positive angles, -1 for negative
  double al0;        // zero-lift angle seen from this side, degrees (sgn * zero-lift angle)
  double cl_opt;     // lift of least drag seen from this side (sgn * cl_opt)
  double al_lin;     // end of the straight lift line, degrees, never below 10
  double al_stall;   // angle of the largest lift, degrees
  double clmax;      // largest lift magnitude
  double cd_stall;   // drag at the stall
  double dcd_stall;  // drag slope at the stall, per degree
  double sep_drag;   // drag of trailing-edge separation reached at the stall
  double al_post;    // end of the post-stall lift drop, degrees
  double cl_post;    // lift magnitude there
  double cd_post;    // drag there
  double A1, A2;     // flat-plate extrapolation of lift beyond al_post
  double B1, B2;     // and of drag
};

struct foil_polar {
  double re;          // chord Reynolds number, millions
  double trat;        // thickness ratio
  double cla_inv;     // potential-flow lift slope, per radian
  double slope_fac;   // measured over potential-flow lift slope
  double clM;         // lift slope of the straight range, per degree
  double al0;         // zero-lift angle, degrees
  double clB;         // lift at zero angle (= -clM * al0)
  double cm0;         // quarter-chord moment at zero lift
  double dcm_dcl;     // its change with lift in the straight range
  double cd_min;      // smallest profile drag
  double cd90;        // drag broadside to the flow
  foil_side side[2];  // 0 positive angles, 1 negative
  // Moment curve as the flight model reads it: straight from (cmal2, cm2) to (cmal3, cm3), then
  // on to (-20, cm1) and (20, cm4).
  double cmal2, cmal3, cm1, cm2, cm3, cm4;
};

void build_polar(const foil_shape* s, double re_millions, foil_polar* p);
// Lift, profile drag and quarter-chord moment at any angle from -90 to 90 degrees.
void polar_eval(const foil_polar* p, double alpha_deg, double* cl, double* cd, double* cm);

// Table rows of an airfoil file: row n is n/10 degrees up to 200, then n - 180 degrees.
enum { FOIL_ROWS = 271, FOIL_LIFT_ROW0 = 100 };
double row_angle(int n);

// ---- Plain flap ------------------------------------------------------------------------------

// Row i of a flap file holds the increments with the flap lever at i notches of 50, that is at
// deflection full_def * i / 50; the flight model indexes the rows by its flap-lever notch.
enum { FLAP_ROWS = 51 };

struct flap_table {
  double chord_ratio;  // flap chord over section chord
  double full_def;     // deflection at full travel, degrees, trailing edge down
  double cla;          // lift slope of the section the flap is hinged to, per degree
  double def[FLAP_ROWS], cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
};

// Lift effectiveness of a hinged flap: dcl/ddelta over dcl/dalpha, from thin-airfoil theory.
double flap_tau(double chord_ratio);
// Share of the theoretical lift increment that a plain flap still gives at a large deflection.
double flap_large_def_factor(double def_deg);
void build_flap_table(double cla_deg, double chord_ratio, double full_def, flap_table* f);

// ---- Files -----------------------------------------------------------------------------------

// Everything after the marker and version lines, in the layout the simulator's readers expect.
void write_airfoil_body(std::ostream& o, const foil_polar* p, const char* word);
void write_flap_body(std::ostream& o, const flap_table* f);
// Whole files, marker and version lines first; 1 on success, 0 (after a message) on failure.
int write_airfoil_file(const char* path, const foil_polar* p, const char* word);
int write_flap_file(const char* path, const flap_table* f);

// The files the programs ship with, written into dir/airfoils and dir/flaps.
struct foil_product {
  const char* file;  // file name in the "airfoils" folder
  int naca;          // four-digit NACA designation, or 0 for the Clark Y
  double re;         // chord Reynolds number, millions
};
extern const foil_product foil_products[];
extern const int foil_product_count;
extern const char* const flap_product_file;  // file name in the "flaps" folder

void product_shape(const foil_product* fp, foil_shape* s);
// The plain flap shipped: chord, travel and the section it is hinged to.
void product_flap(flap_table* f);
// Writes every shipped file; returns the number that failed.
int write_products(const char* dir);
