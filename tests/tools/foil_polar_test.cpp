// Complete polars against published section data, and the shape of the curves the flight model
// reads: continuous everywhere, drag positive, a flat plate at 90 degrees.
#include "support/test_support.h"

#include <cmath>
#include <vector>

#include "foilgen/foilgen.h"

static foil_polar polar_of(int naca, double re) {
  foil_shape s;
  shape_naca4(naca, &s);
  foil_polar p;
  build_polar(&s, re, &p);
  return p;
}

// Largest lift over the file's positive rows, and its angle.
static double table_clmax(const foil_polar* p, double* at) {
  double best = -1, cl, cd, cm;
  for (int n = 0; n < FOIL_ROWS; n++) {
    polar_eval(p, row_angle(n), &cl, &cd, &cm);
    if (cl > best) best = cl, *at = row_angle(n);
  }
  return best;
}

TEST(ToolsFoilPolar, Naca2412MatchesMeasuredSectionData) {
  const foil_polar p = polar_of(2412, 3.0), p1 = polar_of(2412, 1.0), p9 = polar_of(2412, 9.0);
  EXPECT_NEAR(p.clM, 0.105, 0.004);
  EXPECT_NEAR(p.al0, -2.0, 0.25);
  EXPECT_NEAR(p.cm0, -0.047, 0.006);
  double at, at1, at9;
  const double clmax = table_clmax(&p, &at);
  EXPECT_GE(clmax, 1.5);
  EXPECT_LE(clmax, 1.6);
  EXPECT_NEAR(at, 16, 1.5);
  EXPECT_NEAR(at, p.side[0].al_stall, 0.1);  // the file's stall angle is where the table peaks
  EXPECT_LT(table_clmax(&p1, &at1), clmax - 0.05);  // lower Reynolds number, lower maximum
  EXPECT_GT(table_clmax(&p9, &at9), clmax + 0.05);
}

TEST(ToolsFoilPolar, SymmetricalSectionsAreOddInLiftAndThickOnesLiftLess) {
  const foil_polar p12 = polar_of(12, 9.0), p18 = polar_of(18, 9.0), p9 = polar_of(9, 3.0);
  EXPECT_GE(p12.clM, 0.105);
  EXPECT_LE(p12.clM, 0.11);
  EXPECT_LT(p18.clM, p12.clM - 0.001);
  double cl, cd, cm, cl2, cd2, cm2;
  for (int n = 0; n < FOIL_ROWS; n++) {
    polar_eval(&p9, row_angle(n), &cl, &cd, &cm);
    polar_eval(&p9, -row_angle(n), &cl2, &cd2, &cm2);
    EXPECT_NEAR(cl, -cl2, 1e-9) << row_angle(n);  // so zero lift and moment at zero angle
    EXPECT_NEAR(cd, cd2, 1e-9) << row_angle(n);
    EXPECT_NEAR(cm, -cm2, 1e-9) << row_angle(n);
  }
}

TEST(ToolsFoilPolar, EveryShippedSectionIsContinuousAndPhysical) {
  for (int i = 0; i < foil_product_count; i++) {
    foil_shape s;
    foil_polar p;
    product_shape(&foil_products[i], &s);
    build_polar(&s, foil_products[i].re, &p);
    SCOPED_TRACE(foil_products[i].file);
    // No jump at any joint of the model, on either side, nor where the flight model hands over
    // from its straight line to the tables at 10 degrees.
    std::vector<double> joints = {10.0, 20.0};
    for (const foil_side& sd : p.side)
      joints.insert(joints.end(), {sd.al_lin, sd.al_stall, sd.al_post});
    double cl, cd, cm, cl2, cd2, cm2;
    for (double b : joints)
      for (double a : {b, -b}) {
        polar_eval(&p, a - 1e-7, &cl, &cd, &cm);
        polar_eval(&p, a + 1e-7, &cl2, &cd2, &cm2);
        EXPECT_NEAR(cl, cl2, 1e-5) << a;
        EXPECT_NEAR(cd, cd2, 1e-5) << a;
        EXPECT_NEAR(cm, cm2, 1e-5) << a;
      }
    for (double a = -90; a <= 90; a += 0.05) {
      polar_eval(&p, a, &cl, &cd, &cm);
      EXPECT_GT(cd, 0.0) << a;
      // Nothing overshoots the stall; far beyond it a flat plate lifts about 1 at 45 degrees.
      const foil_side& sd = p.side[a > 0 ? 0 : 1];
      EXPECT_LE(std::fabs(cl), std::fabs(a) <= sd.al_post ? sd.clmax + 1e-12 : 1.3) << a;
    }
    polar_eval(&p, 90.0, &cl, &cd, &cm);
    EXPECT_NEAR(cl, 0.0, 1e-9);
    EXPECT_GE(cd, 1.8);
    EXPECT_LE(cd, 2.0);
    // The moment curve's corners lie in the order the flight model reads them, and separation
    // pitches the nose down.
    EXPECT_TRUE(-20 < p.cmal2 && p.cmal2 < p.cmal3 && p.cmal3 < 20);
    EXPECT_TRUE(p.cm4 < p.cm3 && p.cm1 > p.cm2);
  }
}
