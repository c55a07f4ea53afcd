// Gauge scales, tick spacing and the closing filters.
#include "support/test_support.h"

#include "shared/shared.h"

TEST(SharedGauges, FullScaleRoundsAboveTheTopInTheBandsStep) {
  EXPECT_EQ(gage_me(95), 110);  // step 10
  EXPECT_EQ(gage_me(100), 110);
  EXPECT_EQ(gage_me(101), 120);  // step 20
  EXPECT_EQ(gage_me(250), 280);
  EXPECT_EQ(gage_me(251), 300);    // step 50
  EXPECT_EQ(gage_me(2700), 3000);  // step 500
  EXPECT_EQ(gage_me(600000), 700000);
}

TEST(SharedGauges, TickSpacingByBand) {
  const int cases[][4] = {{100, 2, 10, 1},
                          {101, 5, 20, 1},
                          {251, 10, 50, 100},
                          {1001, 50, 200, 100},
                          {25000, 500, 2000, 100},
                          {25001, 1000, 5000, 1000},
                          {600000, 20000, 100000, 1000}};
  for (const auto& c : cases) {
    int s, b, d;
    set_mod(c[0], &s, &b, &d);
    EXPECT_EQ(s, c[1]) << c[0];
    EXPECT_EQ(b, c[2]) << c[0];
    EXPECT_EQ(d, c[3]) << c[0];
  }
}

TEST(SharedGauges, ClosingFilters) {
  EXPECT_EQ(closer_linear(350, 10, 5, 0, 360), 355);  // the short way, across north
  EXPECT_EQ(closer_linear(358, 10, 5, 0, 360), 3);
  EXPECT_EQ(closer_linear(10, 350, 5, 0, 360), 5);
  EXPECT_EQ(closer_linear(100, 102, 5, 0, 360), 102);
  EXPECT_EQ(closer_assymp(0, 10, 0.25f), 2.5f);
}
