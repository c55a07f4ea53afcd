// Gauge scales, tick spacing and the closing filters.
#include "support/test_support.h"

#include <vector>

#include "shared/shared.h"

TEST(SharedGauges, ScalesAndTicksByBand) {
  const int full[][2] = {{95, 110},  {100, 110},   {101, 120},      {250, 280},
                         {251, 300}, {2700, 3000}, {600000, 700000}};
  for (const auto& f : full) EXPECT_EQ(gage_me(f[0]), f[1]) << f[0];
  const int ticks[][4] = {{100, 2, 10, 1},           {101, 5, 20, 1},
                          {251, 10, 50, 100},        {25000, 500, 2000, 100},
                          {25001, 1000, 5000, 1000}, {600000, 20000, 100000, 1000}};
  for (const auto& c : ticks) {
    int s, b, d;
    set_mod(c[0], &s, &b, &d);
    EXPECT_EQ(std::vector<int>({s, b, d}), std::vector<int>({c[1], c[2], c[3]})) << c[0];
  }
}

TEST(SharedGauges, ClosingFilters) {
  EXPECT_EQ(closer_linear(350, 10, 5, 0, 360), 355);  // the short way, across north
  EXPECT_EQ(closer_linear(358, 10, 5, 0, 360), 3);
  EXPECT_EQ(closer_linear(10, 350, 5, 0, 360), 5);
  EXPECT_EQ(closer_linear(100, 102, 5, 0, 360), 102);
  EXPECT_EQ(closer_assymp(0, 10, 0.25f), 2.5f);
}
