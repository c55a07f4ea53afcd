// Limits, wrapping, rounding, arithmetic, random numbers and the timed wait.
#include "support/test_support.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "shared/shared.h"

TEST(SharedLimits, WrapOnceOverTheRange) {
  EXPECT_EQ(fltwrap(190, -180, 180), -170);
  EXPECT_EQ(fltwrap(540, 0, 360), 180);  // one wrap only
  EXPECT_EQ(fltwrap(180, -180, 180), 180);
  EXPECT_EQ(fltwrap(-180, -180, 180), -180);
  EXPECT_EQ(intwrap(10, 0, 9), 0);
  EXPECT_EQ(intwrap(-1, 0, 5999), 5999);
  EXPECT_EQ(intwrap(9, 0, 9), 9);
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
  EXPECT_EQ(intround(2.5f), 3);
  EXPECT_EQ(intround(-2.5f), -3);
  EXPECT_EQ(intround(0.49999997f), 0);  // would be 1 if the half were added in single precision
  EXPECT_EQ(intround(NAN), 0);
  EXPECT_EQ(intround(1e20f), INT_MAX);
  EXPECT_EQ(intround(-1e20f), INT_MIN);
  EXPECT_EQ(inttrunc(-2.9f), -2);  // towards zero, saturating like intround
  EXPECT_EQ(inttrunc(NAN), 0);
  EXPECT_EQ(inttrunc(2147483648.0f), INT_MAX);
  EXPECT_EQ(inttrunc(-1e20f), INT_MIN);
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
