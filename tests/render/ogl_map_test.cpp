// The mapping of drawing coordinates onto window pixels, both ways, at the scales and origins a
// window can have: every pixel belongs to exactly one coordinate, and the coordinates keep their
// order.
#include "support/test_support.h"

#include "render/ogl.h"

TEST(RenderOglMap, EveryPixelBelongsToTheCoordinateWhoseBlockHoldsIt) {
  const float scales[] = {0.1f, 0.5f, 1.0f, 1.25f, 1.819f, 2.4f, 3.0f, 8.0f};
  for (float s : scales) {
    for (int origin : {0, 232, -40}) {
      for (int p = -20; p < 2000; p++) {
        const int c = OGL_coord_of_pixel(s, origin, p);
        ASSERT_LE(OGL_pixel_edge(s, origin, c), p) << s << " " << origin << " " << p;
        ASSERT_GT(OGL_pixel_edge(s, origin, c + 1), p) << s << " " << origin << " " << p;
      }
      // At one pixel a coordinate or more, every coordinate has pixels of its own, and its first
      // pixel maps back to it.
      for (int c = -10; s >= 1.0f && c < 900; c++) {
        ASSERT_GT(OGL_pixel_edge(s, origin, c + 1), OGL_pixel_edge(s, origin, c)) << s << " " << c;
        ASSERT_EQ(OGL_coord_of_pixel(s, origin, OGL_pixel_edge(s, origin, c)), c) << s << " " << c;
      }
    }
  }
  // A scale that is no number or out of range is held, never divided by.
  EXPECT_EQ(OGL_coord_of_pixel(0.0f, 0, 50), 50);
  EXPECT_EQ(OGL_coord_of_pixel(-3.0f, 10, 50), 40);
  EXPECT_EQ(OGL_pixel_edge(100.0f, 0, 10), 80);
}
