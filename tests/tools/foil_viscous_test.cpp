// Boundary-layer corrections: the friction laws at their limits and the drag they give.
#include "support/test_support.h"

#include "foilgen/foilgen.h"

TEST(ToolsFoilViscous, FrictionAndDragFollowTheirLaws) {
  EXPECT_NEAR(plate_friction(1e6, 1.0), 0.001328, 1e-6);          // Blasius
  EXPECT_NEAR(plate_friction(1e7, 0.0), 0.00301, 2e-5);           // Prandtl-Schlichting
  EXPECT_LT(plate_friction(6e6, 0.3), plate_friction(6e6, 0.0));  // a laminar run helps
  EXPECT_NEAR(min_profile_drag(0.12, 6e6), 0.006, 0.0005);
  EXPECT_GT(min_profile_drag(0.12, 1e6), min_profile_drag(0.12, 6e6));
  EXPECT_GT(min_profile_drag(0.18, 6e6), min_profile_drag(0.06, 6e6));
}
