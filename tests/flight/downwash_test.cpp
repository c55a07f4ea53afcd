// The downwash factor charts and their 3 x 3 interpolation.
#include "flight_fixture.h"

namespace {
// A plane z = 2x + 3y sampled on columns 6, 9, 12 and falling rows 1.0, 0.5, 0.2.
float plane9(float x, float y) {
  auto z = [](float a, float b) { return 2.0f * a + 3.0f * b; };
  return interp9(6, 9, 12, 1.0f, 0.5f, 0.2f, z(6, 1), z(9, 1), z(12, 1), z(6, 0.5f), z(9, 0.5f),
                 z(12, 0.5f), z(6, 0.2f), z(9, 0.2f), z(12, 0.2f), x, y);
}
}  // namespace

TEST(FlightDownwash, GridInterpolationReproducesAPlaneInsideAndOutside) {
  // A plane is reproduced exactly by bilinear interpolation in every cell and by its linear
  // extension beyond the grid, which catches a wrong cell choice or a swapped corner.
  for (float x : {6.0f, 7.5f, 9.0f, 10.0f, 12.0f, 3.0f, 15.0f}) {
    for (float y : {1.0f, 0.7f, 0.5f, 0.3f, 0.2f, 1.1f, 0.1f}) {
      EXPECT_NEAR(plane9(x, y), 2.0f * x + 3.0f * y, 1e-4f) << x << " " << y;
    }
  }
}

TEST(FlightDownwash, BilinearTermInsideACell) {
  // Only one corner non-zero: the value at the cell centre is a quarter of it.
  float v = interp9(0, 1, 2, 1, 0.5f, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0.5f, 0.25f);
  EXPECT_NEAR(v, 1.0f, 1e-6f);
}

TEST(FlightDownwash, WashFactorFromTheChartsAndItsLimits) {
  // At aspect ratio 6, taper 1, height 0 and distance 0.6 semispans only chart 1 counts.
  EXPECT_NEAR(findspecwash(0.0f, 0.6f, 6.0f, 1.0f), 6.2f, 1e-5f);
  EXPECT_NEAR(findspecwash(0.0f, 0.6f, 12.0f, 0.2f), 4.3f, 1e-5f);
  // Aspect ratio and taper are held to 3..15 and 0.1..1.1.
  EXPECT_FLOAT_EQ(findspecwash(0.2f, 2.0f, 25.0f, 0.5f), findspecwash(0.2f, 2.0f, 15.0f, 0.5f));
  EXPECT_FLOAT_EQ(findspecwash(0.2f, 2.0f, 8.0f, 0.0f), findspecwash(0.2f, 2.0f, 8.0f, 0.1f));
  // A surface far above the wake gets nothing from chart 1 (held at 0), and the distance term
  // only ever takes away.
  EXPECT_GT(findspecwash(0.1f, 0.6f, 8.0f, 0.6f), 0.0f);
  EXPECT_EQ(findspecwash(2.0f, 0.6f, 8.0f, 0.6f), 0.0f);
  EXPECT_LT(findspecwash(0.1f, 1.5f, 8.0f, 0.6f), findspecwash(0.1f, 0.6f, 8.0f, 0.6f));
}
