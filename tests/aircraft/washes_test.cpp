// The downwash factor of a wing, read from its design charts over aspect ratio and taper ratio.
#include "support/test_support.h"

#include "aircraft/aircraft.h"

// At height 0 and 0.6 semispans the factor is the first chart's (aspect 6, 9, 12):
//   taper 1.0: 6.2 4.0 3.0 / taper 0.5: 8.0 5.1 3.9 / taper 0.2: 9.1 6.1 4.3.
// Points in each cell and beyond the grid catch a wrong cell or a swapped corner.
TEST(AircraftWashes, FirstChartIsInterpolatedInEveryCellAndBeyond) {
  const struct {
    float ar, taper, expected;
  } cases[] = {
      {6.0f, 1.0f, 6.2f},    {12.0f, 0.2f, 4.3f}, {9.0f, 0.5f, 5.1f},  // grid points
      {7.5f, 0.75f, 5.825f},                                           // upper left cell
      {10.5f, 0.35f, 4.85f},                                           // lower right cell
      {15.0f, 1.0f, 2.0f},                                             // beyond aspect 12
      {3.0f, 1.0f, 8.4f},                                              // below aspect 6
      {6.0f, 1.1f, 5.84f},                                             // above taper 1
  };
  for (const auto& c : cases)
    EXPECT_NEAR(findspecwash(0.0f, 0.6f, c.ar, c.taper), c.expected, 1e-4f)
        << c.ar << " " << c.taper;
}

TEST(AircraftWashes, InputsAreHeldInsideTheChartsAndTheResultStaysInRange) {
  // Aspect ratio and taper are held to 3..15 and 0.1..1.1.
  EXPECT_FLOAT_EQ(findspecwash(0.2f, 2.0f, 25.0f, 0.5f), findspecwash(0.2f, 2.0f, 15.0f, 0.5f));
  EXPECT_FLOAT_EQ(findspecwash(0.2f, 2.0f, 8.0f, 0.0f), findspecwash(0.2f, 2.0f, 8.0f, 0.1f));
  // Extended far enough the first chart exceeds 10, and is held there.
  EXPECT_FLOAT_EQ(findspecwash(0.0f, 0.6f, 3.0f, 0.2f), 10.0f);
  // A surface far above the wake gets nothing from the first chart (held at 0), and the
  // distance term only ever takes away.
  EXPECT_GT(findspecwash(0.1f, 0.6f, 8.0f, 0.6f), 0.0f);
  EXPECT_EQ(findspecwash(2.0f, 0.6f, 8.0f, 0.6f), 0.0f);
  EXPECT_LT(findspecwash(0.1f, 1.5f, 8.0f, 0.6f), findspecwash(0.1f, 0.6f, 8.0f, 0.6f));
}
