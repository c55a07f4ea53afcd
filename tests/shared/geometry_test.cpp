// Whole-degree rotations, the world-to-body transform, normals, terrain cells, areas and circles.
#include "support/test_support.h"

#include <vector>

#include "shared/shared.h"

class SharedGeometry : public ::testing::Test {
 protected:
  void SetUp() override { init_constants(); }
};

TEST_F(SharedGeometry, RotationsInvertEachOtherAndStrayAnglesFold) {
  for (int deg = 0; deg <= 360; deg += 17) {
    float x = rx2d(3, 4, deg), y = ry2d(3, 4, deg);
    EXPECT_NEAR(rx3d(x, y, deg), 3, 1e-5) << deg;
    EXPECT_NEAR(rz3d(x, y, deg), 4, 1e-5) << deg;
  }
  EXPECT_NEAR(ry2d(1, 0, 90), -1, 1e-7);
  EXPECT_EQ(isin(450), isin(90));
  EXPECT_EQ(isin(-90), -1.0f);
  EXPECT_EQ(icos(100000), icos(100000 % 360));
}

TEST_F(SharedGeometry, WorldVectorsTurnIntoBodyAxes) {
  float out[3];
  con.cosPLANpsi = con.cosPLANthe = con.cosPLANphi = 1;
  xfrm_VVECT(1, 2, 3, out);  // level, heading north: right = east, forward = north
  EXPECT_EQ(std::vector<float>(out, out + 3), (std::vector<float>{1, 2, 3}));
  con.cosPLANpsi = con.cosPLANphi = 0;
  con.sinPLANpsi = con.sinPLANphi = 1;  // heading east, rolled right 90 degrees
  xfrm_VVECT(1, 0, 0, out);
  EXPECT_NEAR(out[1], 1, 1e-7);  // east is ahead
  xfrm_VVECT(0, 0, 1, out);
  EXPECT_NEAR(out[0], -1, 1e-7);           // up is to the left
  con.cosPLANthe = 0, con.sinPLANthe = 1;  // and the nose straight up: up is ahead
  xfrm_VVECT(0, 0, 1, out);
  EXPECT_NEAR(out[1], 1, 1e-7);
}

TEST_F(SharedGeometry, NormalsAreUnitCrossProducts) {
  const float x[3] = {2, 0, 0}, z[3] = {0, 0, 5}, xx[3] = {4, 0, 0};
  float n[3];
  find_normal_vects(z, x, n);
  EXPECT_FLOAT_EQ(n[1], 1);
  find_normal_vects(x, z, n);
  EXPECT_FLOAT_EQ(n[1], -1);
  find_normal_vects(x, xx, n);  // parallel: no normal, straight up instead
  EXPECT_EQ(std::vector<float>(n, n + 3), (std::vector<float>{0, 1, 0}));
}

TEST_F(SharedGeometry, ClockwiseRegionContainsItsInside) {
  // The square 0..10 x 0..10, its edges taken in turn.
  const float e[4][4] = {{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
  auto inside = [&](float x, float z, float margin) {
    int all = 1;
    for (const auto& l : e) all &= inside_cw_reg(l[0], l[1], l[2], l[3], x, z, margin);
    return all;
  };
  // Inside, near an edge, within the margin of that edge, and beyond each edge.
  EXPECT_EQ(
      (std::vector<int>{inside(5, 5, 0), inside(5, 0.5f, 0), inside(5, 0.5f, 1), inside(11, 5, 0),
                        inside(5, -1, 0), inside(-0.5f, 5, 0), inside(5, 10.5f, 0)}),
      (std::vector<int>{1, 1, 0, 0, 0, 0, 0}));
}

TEST_F(SharedGeometry, CellTrianglesTileTheCellWithOneWinding) {
  auto twice_area = [](const int* c) {
    return (c[2] - c[0]) * (c[5] - c[1]) - (c[3] - c[1]) * (c[4] - c[0]);
  };
  int c[6];
  for (int t = 0; t < 2; t++) {
    convert_ij_dxy(4, 7, t, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
    EXPECT_EQ(twice_area(c), -1);
    for (int cw = 0; cw < 2; cw++) {
      convert_ij_cw(4, 7, t, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], cw, 2, 3);
      EXPECT_EQ(twice_area(c), -6);
      for (int k = 0; k < 6; k += 2) EXPECT_TRUE(intbox(c[k], c[k + 1], 4, 7, 6, 10));
    }
  }
  // The diagonal of the one-unit cell runs from (i, j) to (i + 1, j + 1).
  convert_ij_dxy(4, 7, 1, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
  EXPECT_EQ(std::vector<int>(c + 2, c + 6), (std::vector<int>{4, 7, 5, 8}));
}

TEST_F(SharedGeometry, AreasAndTheCircleWalk) {
  EXPECT_FLOAT_EQ(findarea(1, 1, 1, 1, 4, 1, 1, 1, 5), 6);
  float y = -3;
  int lo, hi;
  const int want[7] = {0, 2, 2, 3, 2, 2, 0};
  for (int row = 0; row < 7; row++) {
    work_down_circle(3, &y, &lo, &hi);
    EXPECT_EQ(hi, want[row]);
    EXPECT_EQ(lo, -want[row]);
  }
  EXPECT_FATAL_ALERT(work_down_circle(3, &y, &lo, &hi));  // y is now 4
  EXPECT_EQ(last_alert().line[0], "y>r");
  EXPECT_EQ(last_alert().line[3], "4");
}
