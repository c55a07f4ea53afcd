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

TEST(ToolsFoilShape, NacaSectionHasItsThicknessAndArea) {
  foil_shape s;
  shape_naca4(12, &s);
  double thick = 0, at = 0;
  for (int k = 0; k <= FOIL_SIDE_PANELS; k++) {
    const double up = s.y[FOIL_SIDE_PANELS + k], lo = s.y[FOIL_SIDE_PANELS - k];
    if (up - lo > thick) thick = up - lo, at = s.x[FOIL_SIDE_PANELS + k];
  }
  EXPECT_NEAR(thick, 0.12, 0.0005);
  EXPECT_NEAR(at, 0.30, 0.02);
  EXPECT_NEAR(contour_area(&s), -0.685 * 0.12, 0.001);  // four-digit forms enclose 0.685 t c^2
}

TEST(ToolsFoilShape, ClarkYIsFlatBottomedAndElevenPointSevenThick) {
  foil_shape s;
  shape_clark_y(&s);
  EXPECT_NEAR(s.trat, 0.117, 0.001);
  // The nose and the middle of the blunt trailing edge on the x axis: angles are measured from
  // that chord. Checked apart, so that a nose off the axis cannot hide in the edge's thickness.
  EXPECT_NEAR(s.y[FOIL_SIDE_PANELS], 0.0, 1e-9);
  EXPECT_NEAR(s.y[0] + s.y[FOIL_NODES - 1], 0.0, 1e-9);
  // Every lower point aft of 30 % lies on one straight line, the flat bottom, with no wiggles;
  // it climbs towards the tail at the 2 degrees between it and the chord line.
  int flat = 0;
  const int mid = FOIL_SIDE_PANELS / 3;  // a lower-surface point near 75 % chord
  for (int k = FOIL_SIDE_PANELS; k > 0; k--) {
    if (s.x[k] < 0.31) continue;
    const double slope = (s.y[0] - s.y[mid]) / (s.x[0] - s.x[mid]);
    EXPECT_NEAR(s.y[k], s.y[mid] + slope * (s.x[k] - s.x[mid]), 1e-12);
    EXPECT_NEAR(std::atan(slope) * 180 / 3.14159265358979, 1.97, 0.03);
    flat++;
  }
  EXPECT_GT(flat, 40);
}
