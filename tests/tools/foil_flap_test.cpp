// Plain-flap increments: the thin-airfoil limits of the flap effectiveness and the shape of the
// 51 rows the flight model indexes by flap-lever notch.
#include "support/test_support.h"

#include <cmath>

#include "foilgen/foilgen.h"

TEST(ToolsFoilFlap, EffectivenessRunsFromNothingToTheWholeSection) {
  EXPECT_NEAR(flap_tau(0.0), 0.0, 1e-12);
  EXPECT_NEAR(flap_tau(1.0), 1.0, 1e-12);  // a full-chord flap is the angle of attack itself
  EXPECT_NEAR(flap_tau(0.25), 0.61, 0.005);
  EXPECT_LT(flap_tau(0.2), flap_tau(0.3));
  EXPECT_DOUBLE_EQ(flap_large_def_factor(8.0), 1.0);
  EXPECT_LT(flap_large_def_factor(40.0), flap_large_def_factor(20.0));
  EXPECT_GE(flap_large_def_factor(90.0), 0.4);
}

TEST(ToolsFoilFlap, RowsGrowWithTheLeverAndStayPlausible) {
  flap_table f;
  product_flap(&f);
  EXPECT_EQ(f.def[0], 0.0);
  EXPECT_EQ(f.cl[0], 0.0);
  EXPECT_EQ(f.cd[0], 0.0);
  EXPECT_EQ(f.cm[0], 0.0);
  EXPECT_DOUBLE_EQ(f.def[FLAP_ROWS - 1], f.full_def);
  for (int i = 1; i < FLAP_ROWS; i++) {
    EXPECT_GT(f.cl[i], f.cl[i - 1]) << i;
    EXPECT_GT(f.cd[i], f.cd[i - 1]) << i;
    EXPECT_LT(f.cm[i], f.cm[i - 1]) << i;
    // The flap's load acts behind the quarter chord, ahead of the trailing edge.
    EXPECT_LT(f.cm[i] / f.cl[i], 0.0) << i;
    EXPECT_GT(f.cm[i] / f.cl[i], -0.25) << i;
  }
  // Small deflections follow theory: tau degrees of angle of attack per degree of flap.
  EXPECT_NEAR(f.cl[1] / f.def[1], f.cla * flap_tau(f.chord_ratio), 1e-9);
  // Full travel gives the increment measured on plain flaps of this size, well short of theory.
  EXPECT_GT(f.cl[FLAP_ROWS - 1], 1.1);
  EXPECT_LT(f.cl[FLAP_ROWS - 1], 1.6);
  EXPECT_LT(f.cl[FLAP_ROWS - 1], 0.7 * f.cla * flap_tau(f.chord_ratio) * f.full_def);
}
