// Whole-degree rotations, the world-to-body transform, normals, terrain cells, areas and circles.
#include "support/test_support.h"

#include <cmath>

#include "shared/shared.h"

class SharedGeometry : public ::testing::Test {
 protected:
  void SetUp() override { init_constants(); }
};

TEST_F(SharedGeometry, OutOfRangeAnglesFoldIntoTheTable) {
  EXPECT_EQ(isin(90), 1.0f);
  EXPECT_EQ(isin(450), isin(90));
  EXPECT_EQ(isin(-90), isin(270));
  EXPECT_EQ(icos(-360), icos(0));
  EXPECT_EQ(icos(100000), icos(100000 % 360));
}

TEST_F(SharedGeometry, RotationsInvertEachOther) {
  for (int deg = 0; deg <= 360; deg += 17) {
    float x = rx2d(3, 4, deg), y = ry2d(3, 4, deg);
    EXPECT_NEAR(pythag(x, y), 5, 1e-5);
    EXPECT_NEAR(rx3d(x, y, deg), 3, 1e-5) << deg;
    EXPECT_NEAR(rz3d(x, y, deg), 4, 1e-5) << deg;
  }
  EXPECT_NEAR(ry2d(1, 0, 90), -1, 1e-7);
}

TEST_F(SharedGeometry, WorldVectorsTurnIntoBodyAxes) {
  float out[3];
  con.cosPLANpsi = con.cosPLANthe = con.cosPLANphi = 1;
  xfrm_VVECT(1, 2, 3, out);  // level, heading north: right = east, forward = north
  EXPECT_FLOAT_EQ(out[0], 1);
  EXPECT_FLOAT_EQ(out[1], 2);
  EXPECT_FLOAT_EQ(out[2], 3);
  con.cosPLANpsi = 0, con.sinPLANpsi = 1;  // heading east: east is ahead
  xfrm_VVECT(1, 0, 0, out);
  EXPECT_NEAR(out[1], 1, 1e-7);
  con.cosPLANpsi = 1, con.sinPLANpsi = 0;
  con.cosPLANthe = 0, con.sinPLANthe = 1;  // nose straight up: up is ahead
  xfrm_VVECT(0, 0, 1, out);
  EXPECT_NEAR(out[1], 1, 1e-7);
  con.cosPLANthe = 1, con.sinPLANthe = 0;
  con.cosPLANphi = 0, con.sinPLANphi = 1;  // rolled right 90: up is to the left
  xfrm_VVECT(0, 0, 1, out);
  EXPECT_NEAR(out[0], -1, 1e-7);
}

TEST_F(SharedGeometry, NormalsAreUnitCrossProducts) {
  const float x[3] = {2, 0, 0}, z[3] = {0, 0, 5}, xz[3] = {4, 0, 0};
  float n[3];
  find_normal_vects(z, x, n);
  EXPECT_FLOAT_EQ(n[1], 1);
  find_normal_vects(x, z, n);
  EXPECT_FLOAT_EQ(n[1], -1);
  find_normal_vects(x, xz, n);  // parallel: no normal, straight up instead
  EXPECT_EQ(n[0] + n[2], 0);
  EXPECT_EQ(n[1], 1);
}

TEST_F(SharedGeometry, ClockwiseRegionContainsItsInside) {
  // The square 0..10 x 0..10, its edges taken in turn.
  const float e[4][4] = {{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
  auto inside = [&](float x, float z, float margin) {
    int all = 1;
    for (const auto& l : e) all &= inside_cw_reg(l[0], l[1], l[2], l[3], x, z, margin);
    return all;
  };
  EXPECT_EQ(inside(5, 5, 0), 1);
  EXPECT_EQ(inside(5, 0.5f, 0), 1);
  EXPECT_EQ(inside(5, 0.5f, 1), 0);  // within the margin of an edge
  EXPECT_EQ(inside(11, 5, 0), 0);
  EXPECT_EQ(inside(5, -1, 0), 0);
  EXPECT_EQ(inside(-0.5f, 5, 0), 0);
}

TEST_F(SharedGeometry, CellTrianglesTileTheCellWithOneWinding) {
  auto twice_area = [](int i1, int j1, int i2, int j2, int i3, int j3) {
    return (i2 - i1) * (j3 - j1) - (j2 - j1) * (i3 - i1);
  };
  int c[6];
  for (int t = 0; t < 2; t++) {
    convert_ij_dxy(4, 7, t, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
    EXPECT_EQ(twice_area(c[0], c[1], c[2], c[3], c[4], c[5]), -1);
    for (int cw = 0; cw < 2; cw++) {
      convert_ij_cw(4, 7, t, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], cw, 2, 3);
      EXPECT_EQ(twice_area(c[0], c[1], c[2], c[3], c[4], c[5]), -6);
      for (int k = 0; k < 6; k += 2) EXPECT_TRUE(intbox(c[k], c[k + 1], 4, 7, 6, 10));
    }
  }
  // The diagonal of the one-unit cell runs from (i, j) to (i + 1, j + 1).
  convert_ij_dxy(4, 7, 1, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
  EXPECT_EQ(c[2] * 100 + c[3], 407);
  EXPECT_EQ(c[4] * 100 + c[5], 508);
}

TEST_F(SharedGeometry, TriangleArea) {
  EXPECT_FLOAT_EQ(findarea(0, 0, 0, 3, 0, 0, 0, 4, 0), 6);
  EXPECT_FLOAT_EQ(findarea(1, 1, 1, 1, 4, 1, 1, 1, 5), 6);
}

TEST_F(SharedGeometry, CircleWalkGivesRowSpansThenStopsPastTheEdge) {
  float y = -3;
  int lo, hi;
  const int want[7] = {0, 2, 2, 3, 2, 2, 0};
  for (int row = 0; row < 7; row++) {
    work_down_circle(3, &y, &lo, &hi);
    EXPECT_EQ(hi, want[row]);
    EXPECT_EQ(lo, -want[row]);
  }
  EXPECT_EQ(y, 4);
  EXPECT_FATAL_ALERT(work_down_circle(3, &y, &lo, &hi));
  EXPECT_EQ(last_alert().line[0], "y>r");
  EXPECT_EQ(last_alert().line[3], "4");
}
