// The fractal relief, the storm field per quadrant, the cloud-base relief per sector and their
// shifts when the region moves.
#include "support/test_support.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

class WeatherFields : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_atm();
    reset_env();
    std::memset(cloudxyz, 0, sizeof cloudxyz);
    std::memset(cloudrgb, 0, sizeof cloudrgb);
  }
  // A region 48 km wide and 32 km high: 16 km per degree both ways.
  void region_at(float lox) {
    env.lox = lox;
    env.hix = lox + 48000;
    env.loz = 0;
    env.hiz = 32000;
  }
  void fill_all_clouds() {
    for (int si = 0; si < 5; si++)
      for (int sk = 0; sk < 4; sk++) fill_a_sector_with_ocast(si, sk);
  }
};

TEST_F(WeatherFields, ReliefStaysInsideItsRectangleAndBounds) {
  const int n = 40;
  std::vector<float> f(n * n * 3, 7.0f);
  for (int i = 3; i <= 35; i++)
    for (int j = 5; j <= 37; j++) f[(i * n + j) * 3 + 1] = 0;
  std::srand(5);
  fractalize(3, 5, 35, 37, f.data(), n, 3, 1, -3, 3, 1, 4);
  float bound = 1.5f + 0.75f + 0.375f + 0.1875f;  // the sum of every level's largest step
  float spread = 0;
  for (int i = 0; i < n; i++) {
    for (int j = 0; j < n; j++) {
      EXPECT_EQ(f[(i * n + j) * 3], 7.0f);  // other components untouched
      EXPECT_EQ(f[(i * n + j) * 3 + 2], 7.0f);
      float v = f[(i * n + j) * 3 + 1];
      bool inside = i > 3 && i < 35 && j > 5 && j < 37;
      bool edge = !inside && i >= 3 && i <= 35 && j >= 5 && j <= 37;
      if (inside) {
        EXPECT_LE(std::abs(v), bound) << i << "," << j;
        spread = fltmax2(spread, std::abs(v));
      } else {
        EXPECT_EQ(v, edge ? 0.0f : 7.0f) << i << "," << j;
      }
    }
  }
  EXPECT_GT(spread, 0.1f);
}

TEST_F(WeatherFields, ReliefIsReproducibleWithASeed) {
  std::vector<float> a(33 * 33, 0), b(33 * 33, 0), c(33 * 33, 0);
  std::srand(9);
  fractalize(0, 0, 32, 32, a.data(), 33, 1, 0, -1, 1, 1, 4);
  std::srand(9);
  fractalize(0, 0, 32, 32, b.data(), 33, 1, 0, -1, 1, 1, 4);
  std::srand(10);
  fractalize(0, 0, 32, 32, c.data(), 33, 1, 0, -1, 1, 1, 4);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

TEST_F(WeatherFields, OneLevelIsAPyramidOverTheMiddle) {
  std::vector<float> f(33 * 33, 0);
  fractalize(0, 0, 32, 32, f.data(), 33, 1, 0, 2, 2, 1, 1);  // each quarter's middle rises by 1
  auto v = [&](int i, int j) { return f[i * 33 + j]; };
  EXPECT_FLOAT_EQ(v(8, 8), 1);
  EXPECT_FLOAT_EQ(v(4, 8), 0.5f);   // on the middle row, half way from the edge
  EXPECT_FLOAT_EQ(v(4, 4), 0.25f);  // mean of the row and column lines, each 0.25
  EXPECT_FLOAT_EQ(v(12, 10), 0.375f);
  EXPECT_EQ(v(16, 16), 0);  // a corner of the quarters
  // Degenerate calls change nothing.
  std::vector<float> g = f;
  fractalize(5, 5, 4, 9, g.data(), 33, 1, 0, -1, 1, 1, 4);
  fractalize(0, 0, 32, 32, g.data(), 33, 1, 1, -1, 1, 1, 4);
  fractalize(0, 0, 32, 32, nullptr, 33, 1, 0, -1, 1, 1, 4);
  EXPECT_EQ(g, f);
}

TEST_F(WeatherFields, StormSectorOfEachQuadrant) {
  const struct {
    int q, i0, k0;
  } cases[] = {{0, 0, 210}, {2, 420, 210}, {4, 210, 0}};
  for (auto c : cases) {
    for (int i = 0; i < WXR_I; i++)
      for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = 2.0f;
    std::srand(3);
    gen_wx_for_sec(c.q);
    int storm = 0;
    for (int i = 0; i < WXR_I; i++) {
      for (int k = 0; k < WXR_K; k++) {
        bool in = i >= c.i0 && i <= c.i0 + 210 && k >= c.k0 && k <= c.k0 + 210;
        if (!in) {
          ASSERT_EQ(atm.wxr[i][k], 2.0f) << c.q << " " << i << "," << k;
          continue;
        }
        ASSERT_GE(atm.wxr[i][k], 0);
        ASSERT_LE(atm.wxr[i][k], 1);
        storm += atm.wxr[i][k] > 0;
      }
    }
    EXPECT_GT(storm, 0) << c.q;
  }
  gen_wx_for_sec(-1);
  gen_wx_for_sec(6);
  EXPECT_EQ(atm.wxr[0][0], 2.0f);
}

TEST_F(WeatherFields, CloudSectorPlacesItsPointsAndShades) {
  region_at(0);
  std::srand(4);
  fill_a_sector_with_ocast(1, 1);
  float ft = con.fttomtrs;
  EXPECT_FLOAT_EQ(cloudxyz[16][16][0], 0);  // the region's south-west corner
  EXPECT_FLOAT_EQ(cloudxyz[16][16][2], 32000);
  EXPECT_FLOAT_EQ(cloudxyz[32][32][0], 16000);  // one degree east and north
  EXPECT_FLOAT_EQ(cloudxyz[32][32][2], 16000);
  for (int i = 16; i <= 32; i++) {
    for (int k = 16; k <= 32; k++) {
      float h = cloudxyz[i][k][1];
      EXPECT_GE(h, (-500 - 937.5f) * ft - 1e-3f);
      EXPECT_LE(h, (-500 + 937.5f) * ft + 1e-3f);
      float grey = fltlim(interp(-1000 * ft, 0.4f, 0, 1, h), 0, 1);
      EXPECT_FLOAT_EQ(cloudrgb[i][k][0], grey);
      EXPECT_FLOAT_EQ(cloudrgb[i][k][2], grey);
    }
  }
  EXPECT_EQ(cloudxyz[15][16][1], 0);  // the next sector is untouched
  EXPECT_EQ(cloudxyz[16][33][1], 0);
  fill_a_sector_with_ocast(5, 0);
  fill_a_sector_with_ocast(0, -1);
  EXPECT_EQ(cloudxyz[80][0][1], 0);
}

// Every region move of the terrain moves the storm field by a quadrant, reading each point before
// anything is written over it.
TEST_F(WeatherFields, StormShiftsOfTheFourRegionMoves) {
  const struct {
    int c1, c2, r1, r2, di, dk;
  } moves[] = {{0, 2, 0, 2, 210, 0}, {1, 3, 0, 2, -210, 0}, {0, 3, 1, 2, 0, -210}, {0, 3, 0, 1, 0, 210}};
  for (auto m : moves) {
    for (int i = 0; i < WXR_I; i++)
      for (int k = 0; k < WXR_K; k++) atm.wxr[i][k] = static_cast<float>(i * 1000 + k);
    shift_weather(m.c1, m.c2, m.r1, m.r2, m.di, m.dk);
    for (int i = intmax2(0, m.di); i < WXR_I + intmin2(0, m.di); i++)
      for (int k = intmax2(0, m.dk); k < WXR_K + intmin2(0, m.dk); k++)
        ASSERT_EQ(atm.wxr[i][k], (i - m.di) * 1000 + (k - m.dk)) << m.di << "," << m.dk;
  }
  static float before[WXR_I][WXR_K];
  std::memcpy(before, atm.wxr, sizeof before);
  shift_weather(0, 3, 0, 2, 631, 0);  // nothing can stay in the field
  shift_weather(0, 3, 0, 2, 0, -2000);
  EXPECT_EQ(std::memcmp(before, atm.wxr, sizeof before), 0);
}

TEST_F(WeatherFields, ShiftedStormEqualsTheNeighbouringQuadrantFresh) {
  std::srand(21);
  gen_wx_for_sec(1);
  std::vector<float> fresh;
  for (int i = 210; i <= 420; i++)
    for (int k = 210; k <= 420; k++) fresh.push_back(atm.wxr[i][k]);
  reset_atm();
  std::srand(21);
  gen_wx_for_sec(0);
  shift_weather(0, 2, 0, 2, 210, 0);  // the region moved west: column 0 becomes column 1
  std::vector<float> moved;
  for (int i = 210; i <= 420; i++)
    for (int k = 210; k <= 420; k++) moved.push_back(atm.wxr[i][k]);
  EXPECT_EQ(moved, fresh);
}

TEST_F(WeatherFields, CloudShiftAndRefillMatchAFreshRegion) {
  region_at(0);
  std::srand(8);
  fill_all_clouds();
  static float before[CLOUD_I][CLOUD_K][3];
  std::memcpy(before, cloudxyz, sizeof before);
  // The region moves one degree west: shift, then refill the new western sectors.
  region_at(-16000);
  shift_cloud(0, 4, 0, 4, 16, 0);
  for (int sk = 0; sk < 4; sk++) fill_a_sector_with_ocast(0, sk);
  for (int i = 0; i < CLOUD_I; i++) {
    for (int k = 0; k < CLOUD_K; k++) {
      ASSERT_NEAR(cloudxyz[i][k][0], interp(16, env.lox, 64, env.hix, i), 1e-2) << i;
      ASSERT_NEAR(cloudxyz[i][k][2], interp(16, env.hiz, 48, env.loz, k), 1e-2) << k;
      if (i > 16) {
        ASSERT_EQ(cloudxyz[i][k][1], before[i - 16][k][1]) << i << "," << k;
      }
    }
  }
  // North: rows move south by a sector and the northern row is new.
  std::memcpy(before, cloudxyz, sizeof before);
  shift_cloud(0, 5, 1, 4, 0, -16);
  for (int i = 0; i < CLOUD_I; i++)
    for (int k = 0; k <= 48; k++) ASSERT_EQ(cloudxyz[i][k][1], before[i][k + 16][1]);
}
