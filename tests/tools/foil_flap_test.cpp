// Plain-flap increments: thin-airfoil limits of the flap effectiveness and the shape of the 51
// rows the flight model indexes by flap-lever notch.
#include "support/test_support.h"

#include "foilgen/foilgen.h"

TEST(ToolsFoilFlap, RowsFollowTheoryAtFirstAndFallShortOfItLater) {
  EXPECT_NEAR(flap_tau(0.0), 0.0, 1e-12);
  EXPECT_NEAR(flap_tau(1.0), 1.0, 1e-12);  // a full-chord flap is the angle of attack itself
  EXPECT_NEAR(flap_tau(0.25), 0.61, 0.005);
  flap_table f;
  product_flap(&f);
  EXPECT_EQ((std::vector<double>{f.cl[0], f.cd[0], f.cm[0]}), std::vector<double>(3, 0.0));
  EXPECT_DOUBLE_EQ(f.def[FLAP_ROWS - 1], f.full_def);
  for (int i = 1; i < FLAP_ROWS; i++) {
    EXPECT_GT(f.cl[i], f.cl[i - 1]) << i;
    EXPECT_GT(f.cd[i], f.cd[i - 1]) << i;
    // The flap's load acts behind the quarter chord and ahead of the trailing edge.
    EXPECT_LT(f.cm[i], f.cm[i - 1]) << i;
    EXPECT_GT(f.cm[i] / f.cl[i], -0.25) << i;
  }
  EXPECT_NEAR(f.cl[1] / f.def[1], f.cla * flap_tau(f.chord_ratio), 1e-9);
  // Full travel gives what plain flaps of this size are measured to give, well short of theory.
  EXPECT_GT(f.cl[FLAP_ROWS - 1], 1.1);
  EXPECT_LT(f.cl[FLAP_ROWS - 1], 0.7 * f.cla * flap_tau(f.chord_ratio) * f.full_def);
}
