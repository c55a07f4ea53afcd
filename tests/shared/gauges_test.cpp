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
  // A value, its target, and the value a step of at most 5 reaches: the short way, across north.
  const int steps[][3] = {{350, 10, 355}, {358, 10, 3}, {10, 350, 5}, {100, 102, 102}};
  for (const auto& s : steps) EXPECT_EQ(closer_linear(s[0], s[1], 5, 0, 360), s[2]) << s[0];
  EXPECT_EQ(closer_assymp(0, 10, 0.25f), 2.5f);
}
