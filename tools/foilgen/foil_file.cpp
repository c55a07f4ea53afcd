// The text of airfoil and flap files after their marker and version lines: fixed-point values
// with a fixed number of decimals, in the order the simulator's readers scan them. Lines the
// readers skip are left empty or carry their text after the values, so that a reader that skips
// one line more or less still finds the numbers where it expects them.
#include "foilgen/foilgen.h"

#include <cmath>
#include <iomanip>

// A value that prints as zero is written as zero, never as "-0.0000".
static double tidy(double v, int decimals) {
  return std::fabs(v) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : v;
}

static void put(std::ostream& o, double v, int width, int decimals) {
  o << ' ' << std::setw(width) << std::setprecision(decimals) << tidy(v, decimals);
}

static void lift_row(std::ostream& o, const foil_polar* p, double alpha) {
  double cl, cd, cm;
  polar_eval(p, alpha, &cl, &cd, &cm);
  put(o, alpha, 6, 1);
  put(o, cl, 8, 4);
  put(o, cd, 8, 5);
  o << '\n';
}

static void drag_row(std::ostream& o, const foil_polar* p, double alpha) {
  double cl, cd, cm;
  polar_eval(p, alpha, &cl, &cd, &cm);
  put(o, alpha, 6, 1);
  put(o, cd, 8, 5);
  o << '\n';
}

static void value_line(std::ostream& o, double v, int decimals, const char* what) {
  put(o, v, 11, decimals);
  o << "  " << what << '\n';
}

void write_airfoil_body(std::ostream& o, const foil_polar* p, const char* word) {
  o << std::fixed;
  o << "1234 airfoil: angle of attack, lift and drag from -90 to 90 degrees\n";
  o << word;
  put(o, p->trat, 6, 4);
  put(o, p->re, 6, 2);
  put(o, p->side[0].clmax, 6, 4);
  put(o, p->side[0].al_stall, 6, 2);
  o << "  name, thickness ratio, Reynolds number (millions), largest lift, stall angle\n\n";
  for (int n = FOIL_ROWS - 1; n >= FOIL_LIFT_ROW0; n--) lift_row(o, p, -row_angle(n));
  for (int n = FOIL_LIFT_ROW0 - 1; n >= 0; n--) drag_row(o, p, -row_angle(n));
  value_line(o, p->clM, 6, "lift slope of the straight range, per degree");
  value_line(o, p->clB, 5, "lift at zero angle of attack");
  value_line(o, p->cmal2, 2, "lower end of the straight moment range, degrees");
  value_line(o, p->cmal3, 2, "upper end of the straight moment range, degrees");
  value_line(o, p->cm1, 5, "quarter-chord moment at -20 degrees");
  value_line(o, p->cm2, 5, "quarter-chord moment at the lower end");
  value_line(o, p->cm3, 5, "quarter-chord moment at the upper end");
  value_line(o, p->cm4, 5, "quarter-chord moment at 20 degrees");
  o << '\n';
  for (int n = 0; n < FOIL_LIFT_ROW0; n++) drag_row(o, p, row_angle(n));
  for (int n = FOIL_LIFT_ROW0; n < FOIL_ROWS; n++) lift_row(o, p, row_angle(n));
}

void write_flap_body(std::ostream& o, const flap_table* f) {
  o << std::fixed;
  o << "2345 plain flap of " << std::setprecision(0) << f->chord_ratio * 100
    << " % chord, full travel " << f->full_def << " degrees\n";
  o << "row i: increments of lift, drag and quarter-chord moment at i/50 of full travel\n\n";
  for (int i = 0; i < FLAP_ROWS; i++) {
    o << std::setw(3) << i;
    put(o, f->cl[i], 8, 4);
    put(o, f->cd[i], 8, 5);
    put(o, f->cm[i], 8, 5);
    o << '\n';
  }
}
