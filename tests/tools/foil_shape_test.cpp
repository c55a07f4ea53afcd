// Section contours: the NACA equations and the Clark Y table give the sections they name.
#include "support/test_support.h"

#include <cmath>

#include "foilgen/foilgen.h"

// Signed area of the closed contour: negative when it runs clockwise, as the panel solver needs.
static double contour_area(const foil_shape* s) {
  double a = 0;
  for (int k = 0; k < FOIL_NODES; k++) {
    const int j = (k + 1) % FOIL_NODES;
    a += 0.5 * (s->x[k] * s->y[j] - s->x[j] * s->y[k]);
  }
  return a;
}

TEST(ToolsFoilShape, NacaSymmetricSectionHasItsThicknessAndArea) {
  foil_shape s;
  shape_naca4(12, &s);
  EXPECT_STREQ(s.word, "NACA0012");
  EXPECT_DOUBLE_EQ(s.x[FOIL_SIDE_PANELS], 0.0);  // the nose is the shared middle point
  double thick = 0, at = 0;
  for (int k = 0; k <= FOIL_SIDE_PANELS; k++) {
    const double up = s.y[FOIL_SIDE_PANELS + k], lo = s.y[FOIL_SIDE_PANELS - k];
    EXPECT_NEAR(up, -lo, 1e-15);
    if (up - lo > thick) thick = up - lo, at = s.x[FOIL_SIDE_PANELS + k];
  }
  EXPECT_NEAR(thick, 0.12, 0.0005);
  EXPECT_NEAR(at, 0.30, 0.02);
  // The area of a four-digit thickness form is 0.685 t c^2.
  EXPECT_LT(contour_area(&s), 0.0);
  EXPECT_NEAR(-contour_area(&s), 0.685 * 0.12, 0.001);
}

TEST(ToolsFoilShape, NacaCamberLineRisesTwoPercentAtFortyPercent) {
  foil_shape s;
  shape_naca4(2412, &s);
  EXPECT_DOUBLE_EQ(s.camber, 0.02);
  double top = 0, at = 0;
  for (int k = 0; k <= FOIL_SIDE_PANELS; k++) {
    const double mid = 0.5 * (s.y[FOIL_SIDE_PANELS + k] + s.y[FOIL_SIDE_PANELS - k]);
    if (mid > top) top = mid, at = 0.5 * (s.x[FOIL_SIDE_PANELS + k] + s.x[FOIL_SIDE_PANELS - k]);
  }
  EXPECT_NEAR(top, 0.02, 0.0005);
  EXPECT_NEAR(at, 0.40, 0.03);
}

TEST(ToolsFoilShape, ClarkYIsFlatBottomedAndElevenPointSevenThick) {
  foil_shape s;
  shape_clark_y(&s);
  EXPECT_NEAR(s.trat, 0.117, 0.001);
  EXPECT_NEAR(s.camber, 0.036, 0.004);
  EXPECT_LT(contour_area(&s), 0.0);
  // Nose at the origin and trailing edge on the x axis: angles are measured from that chord.
  EXPECT_NEAR(s.x[FOIL_SIDE_PANELS], 0.0, 1e-12);
  EXPECT_NEAR(s.y[FOIL_SIDE_PANELS], 0.0, 1e-12);
  EXPECT_NEAR(0.5 * (s.x[0] + s.x[FOIL_NODES - 1]), 1.0, 1e-3);
  EXPECT_NEAR(0.5 * (s.y[0] + s.y[FOIL_NODES - 1]), 0.0, 1e-9);
  // Every lower point aft of 30 % lies on one straight line, the flat bottom, with no
  // interpolation wiggles; it climbs towards the tail at the 2 degrees between it and the chord
  // line (nose 3.5 % above the bottom, trailing edge 0.06 %).
  int first = -1, flat = 0;
  for (int k = FOIL_SIDE_PANELS; k >= 0; k--) {
    if (s.x[k] < 0.31) continue;
    if (first < 0) {
      first = k;
      continue;
    }
    const double slope = (s.y[0] - s.y[first]) / (s.x[0] - s.x[first]);
    EXPECT_NEAR(s.y[k], s.y[first] + slope * (s.x[k] - s.x[first]), 1e-12);
    EXPECT_NEAR(std::atan(slope) * 180 / 3.14159265358979, 1.97, 0.03);
    flat++;
  }
  EXPECT_GT(flat, 40);
}
