// Boundary-layer corrections: friction laws at their limits, the profile drag of a 12 % section,
// and the direction of the thickness and Reynolds-number effects.
#include "support/test_support.h"

#include <cmath>

#include "foilgen/foilgen.h"

TEST(ToolsFoilViscous, FrictionFollowsTheLaminarAndTurbulentLaws) {
  EXPECT_NEAR(plate_friction(1e6, 1.0), 0.001328, 1e-6);  // Blasius
  EXPECT_NEAR(plate_friction(1e7, 0.0), 0.00301, 2e-5);   // Prandtl-Schlichting
  // A laminar run lowers the friction, and friction falls as the Reynolds number grows.
  EXPECT_LT(plate_friction(6e6, 0.3), plate_friction(6e6, 0.0));
  EXPECT_GT(plate_friction(6e6, 0.3), plate_friction(6e6, 1.0));
  EXPECT_LT(plate_friction(9e6, 0.0), plate_friction(3e6, 0.0));
}

TEST(ToolsFoilViscous, TwelvePercentSectionHasMeasuredMinimumDrag) {
  EXPECT_NEAR(min_profile_drag(0.12, 6e6), 0.006, 0.0005);
  EXPECT_GT(min_profile_drag(0.12, 1e6), min_profile_drag(0.12, 6e6));  // longer laminar share lost
  EXPECT_GT(min_profile_drag(0.18, 6e6), min_profile_drag(0.06, 6e6));  // thicker, more form drag
}

TEST(ToolsFoilViscous, BoundaryLayerCostsLiftSlopeAndStallLift) {
  foil_shape thin, thick;
  shape_naca4(6, &thin);
  shape_naca4(18, &thick);
  EXPECT_LT(lift_slope_factor(thick.te_slope, 6e6), lift_slope_factor(thin.te_slope, 6e6));
  EXPECT_LT(lift_slope_factor(thin.te_slope, 1e6), lift_slope_factor(thin.te_slope, 9e6));
  EXPECT_LT(lift_slope_factor(thin.te_slope, 6e6), 1.0);
  EXPECT_LT(section_clmax(0.12, 0.02, 1e6, 0), section_clmax(0.12, 0.02, 9e6, 0));
  // Camber helps the positive stall and hurts the negative one.
  EXPECT_GT(section_clmax(0.12, 0.02, 3e6, 0), section_clmax(0.12, 0.0, 3e6, 0));
  EXPECT_LT(section_clmax(0.12, 0.02, 3e6, 1), section_clmax(0.12, 0.0, 3e6, 1));
}
