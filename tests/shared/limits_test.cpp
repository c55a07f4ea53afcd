// Limits, wrapping, rounding, arithmetic, random numbers and the timed wait.
#include "support/test_support.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "shared/shared.h"

// Value, range and the value wrapped; 540 over 0..360 is wrapped once only.
TEST(SharedLimits, WrapOnceOverTheRange) {
  const float flt[][4] = {
      {190, -180, 180, -170}, {540, 0, 360, 180}, {180, -180, 180, 180}, {-180, -180, 180, -180}};
  for (const auto& c : flt) EXPECT_EQ(fltwrap(c[0], c[1], c[2]), c[3]) << c[0];
  const int in[][4] = {{10, 0, 9, 0}, {-1, 0, 5999, 5999}, {9, 0, 9, 9}};
  for (const auto& c : in) EXPECT_EQ(intwrap(c[0], c[1], c[2]), c[3]) << c[0];
}

TEST(SharedLimits, BoxesRangesAndBands) {
  EXPECT_EQ(fltbox(0, 5, 0, 0, 10, 10), 0);  // edges are outside
  EXPECT_EQ(fltbox(5, 10, 0, 0, 10, 10), 0);
  EXPECT_EQ(fltbox(5, 5, 0, 0, 10, 10), 1);
  EXPECT_EQ(intbox(0, 5, 0, 0, 10, 10), 1);  // edges are inside
  EXPECT_EQ(intbox(10, 10, 0, 0, 10, 10), 1);
  EXPECT_EQ(intbox(11, 5, 0, 0, 10, 10), 0);
  EXPECT_EQ(intrange(3, 3, 3), 1);
  EXPECT_EQ(fltrange(3.01f, 1, 3), 0);
  EXPECT_EQ(fallout(0.2f, -10, 10), 10);
  EXPECT_EQ(fallout(-0.2f, -10, 10), -10);
  EXPECT_EQ(fallout(12, -10, 10), 12);
  EXPECT_EQ(fltsgn(0), 1);
  EXPECT_EQ(fltsgn(-0.1f), -1);
  EXPECT_EQ(fltmin4(3, -1, 7, 2), -1);
  EXPECT_EQ(fltmax4(3, -1, 7, 2), 7);
  EXPECT_EQ(fltmax3(3, 9, 7), 9);
}

TEST(SharedLimits, RoundingIsHalfAwayFromZero) {
  // 0.49999997 would round to 1 if the half were added in single precision.
  const std::pair<float, int> rounded[] = {{2.5f, 3}, {-2.5f, -3},      {0.49999997f, 0},
                                           {NAN, 0},  {1e20f, INT_MAX}, {-1e20f, INT_MIN}};
  for (const auto& [in, out] : rounded) EXPECT_EQ(intround(in), out) << in;
  // Towards zero, saturating like intround.
  const std::pair<float, int> truncated[] = {
      {-2.9f, -2}, {NAN, 0}, {2147483648.0f, INT_MAX}, {-1e20f, INT_MIN}};
  for (const auto& [in, out] : truncated) EXPECT_EQ(inttrunc(in), out) << in;
  EXPECT_EQ(fltnear(-47.5f, 5), -50);
  EXPECT_EQ(intnear(1234, 100), 1200);
  EXPECT_EQ(interp(0, 0, 10, 1, 20), 2);  // extrapolates
  EXPECT_EQ(signsqr(-3), -9);
  EXPECT_EQ(signsqrt(-16), -4);
  EXPECT_EQ(pythag3(2, 3, 6), 7);
}

TEST(SharedLimits, RandomNumbersCoverTheirRange) {
  std::srand(7);
  int seen[6] = {};
  for (int i = 0; i < 20000; i++) {
    int v = intrand(-2, 3);
    ASSERT_TRUE(v >= -2 && v <= 3) << v;
    seen[v + 2]++;
    float f = fltrand(1.5f, 2.5f);
    ASSERT_TRUE(f >= 1.5f && f <= 2.5f) << f;
  }
  for (int n : seen) EXPECT_GT(n, 2500);  // near 1/6 each
  // A range this wide would overflow a 32-bit product.
  for (int i = 0; i < 1000; i++) {
    int v = intrand(-2000000000, 2000000000);
    ASSERT_TRUE(v >= -2000000000 && v <= 2000000000) << v;
  }
}

TEST(SharedLimits, DelayWaitsAtLeastItsTime) {
  auto t0 = std::chrono::steady_clock::now();
  delay(0.03f);  // 0.03f is a hair below 0.03: truncated milliseconds would wait 29
  delay(-1.0f);
  delay(NAN);
  double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_GE(waited, 0.03);
}
