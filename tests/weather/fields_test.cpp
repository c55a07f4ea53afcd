// The fractal relief, the storm field per quadrant, the cloud-base relief and their region shifts.
#include "weather/weather_fixture.h"

class WeatherFields : public WeatherFixture {
 protected:
  void SetUp() override {
    WeatherFixture::SetUp();
    std::memset(cloudxyz, 0, sizeof cloudxyz);
    std::memset(cloudrgb, 0, sizeof cloudrgb);
  }
  // A region 48 km wide and 32 km high: 16 km per degree both ways.
  static void region_at(float lox) { env.lox = lox, env.hix = lox + 48000, env.hiz = 32000; }
  std::vector<float> storm(int i0, int k0) {
    std::vector<float> v;
    for (int i = i0; i <= i0 + 210; i++) v.insert(v.end(), &atm.wxr[i][k0], &atm.wxr[i][k0 + 211]);
    return v;
  }
};

TEST_F(WeatherFields, ReliefStaysInsideItsRectangleAndBoundsAndRepeatsWithASeed) {
  std::vector<float> f(40 * 40 * 3, 7.0f), again;
  for (int seed : {5, 5, 6}) {
    for (int i = 3; i <= 35; i++)
      for (int j = 5; j <= 37; j++) f[(i * 40 + j) * 3 + 1] = 0;
    std::srand(seed);
    fractalize(3, 5, 35, 37, f.data(), 40, 3, 1, -3, 3, 1, 4);
    if (again.empty())
      again = f;
    else
      EXPECT_EQ(f == again, seed == 5);
  }
  for (int p = 0; p < 40 * 40 * 3; p++) {
    int i = p / 120, j = p / 3 % 40;
    bool inside = p % 3 == 1 && i > 3 && i < 35 && j > 5 && j < 37;
    bool edge = !inside && p % 3 == 1 && i >= 3 && i <= 35 && j >= 5 && j <= 37;
    float bound = 1.5f + 0.75f + 0.375f + 0.1875f;  // the sum of every level's largest step
    EXPECT_TRUE(inside ? std::abs(f[p]) <= bound : f[p] == (edge ? 0 : 7)) << i << "," << j;
  }
  // One level is a pyramid over each quarter's middle, interpolated along rows and columns.
  std::vector<float> g(33 * 33, 0);
  fractalize(0, 0, 32, 32, g.data(), 33, 1, 0, 2, 2, 1, 1);
  EXPECT_EQ((std::vector<float>{g[8 * 33 + 8], g[4 * 33 + 8], g[4 * 33 + 4], g[12 * 33 + 10]}),
            (std::vector<float>{1, 0.5f, 0.25f, 0.375f}));
}

TEST_F(WeatherFields, StormSectorOfAQuadrantStaysInPlaceAndInRange) {
  for (int i = 0; i < WXR_I; i++)
    for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = 2;
  for (int q : {4, -1, 6}) gen_wx_for_sec(q);  // quadrant 4: northern row, middle column
  for (int i = 0; i < WXR_I; i++) {
    for (int k = 0; k < WXR_K; k++) {
      bool in = i >= 210 && i <= 420 && k <= 210;
      ASSERT_TRUE(in ? atm.wxr[i][k] >= 0 && atm.wxr[i][k] <= 1 : atm.wxr[i][k] == 2) << i << k;
    }
  }
}

// Each region move shifts the storm field by a quadrant, reading every point before overwriting it;
// a shifted quadrant equals its neighbour generated fresh from the same seed.
TEST_F(WeatherFields, StormShiftsOfTheFourRegionMoves) {
  const int moves[4][6] = {
      {0, 2, 0, 2, 210, 0}, {1, 3, 0, 2, -210, 0}, {0, 3, 1, 2, 0, -210}, {0, 3, 0, 1, 0, 210}};
  for (auto m : moves) {
    for (int i = 0; i < WXR_I; i++)
      for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = static_cast<float>(i * 1000 + k);
    shift_weather(m[0], m[1], m[2], m[3], m[4], m[5]);
    for (int i = intmax2(0, m[4]); i < WXR_I + intmin2(0, m[4]); i++)
      for (int k = intmax2(0, m[5]); k < WXR_K + intmin2(0, m[5]); k++)
        ASSERT_EQ(atm.wxr[i][k], (i - m[4]) * 1000 + (k - m[5])) << m[4] << "," << m[5];
  }
  std::srand(21);
  gen_wx_for_sec(1);
  std::vector<float> fresh = storm(210, 210);
  std::srand(21);
  gen_wx_for_sec(0);
  shift_weather(0, 2, 0, 2, 210, 0);
  EXPECT_EQ(storm(210, 210), fresh);
}

TEST_F(WeatherFields, CloudShiftAndRefillMatchAFreshRegion) {
  region_at(0);
  for (int s = 0; s < 20; s++) fill_a_sector_with_ocast(s / 4, s % 4);
  static float before[CLOUD_I][CLOUD_K][3];
  std::memcpy(before, cloudxyz, sizeof before);
  region_at(-16000);  // one degree west: shift, then refill the new western sectors
  shift_cloud(0, 4, 0, 4, 16, 0);
  for (int sk = 0; sk < 4; sk++) fill_a_sector_with_ocast(0, sk);
  for (int i = 0; i < CLOUD_I; i++) {
    for (int k = 0; k < CLOUD_K; k++) {
      ASSERT_NEAR(cloudxyz[i][k][0], interp(16, env.lox, 64, env.hix, i), 1e-2) << i;
      ASSERT_NEAR(cloudxyz[i][k][2], interp(16, env.hiz, 48, env.loz, k), 1e-2) << k;
      ASSERT_TRUE(i <= 16 || cloudxyz[i][k][1] == before[i - 16][k][1]) << i << "," << k;
    }
  }
  std::memcpy(before, cloudxyz, sizeof before);
  fill_a_sector_with_ocast(5, 0);  // no such sectors
  fill_a_sector_with_ocast(0, 4);
  EXPECT_EQ(std::memcmp(before, cloudxyz, sizeof before), 0);
}
