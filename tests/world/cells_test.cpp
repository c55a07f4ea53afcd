// Finding the cell of a point, the ground height in a cell, and obstacles built over a cell.
#include <climits>

#include "world/world_files.h"

// A regular grid of 100 m cells, flat at 0 but for cell (10, 20), whose corners are set apart.
class WorldCells : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    for (int i = 0; i < GRID_I; i++)
      for (int j = 0; j < GRID_J; j++) {
        planexyz[i][j][0] = 100.0f * i, planexyz[i][j][1] = 0.0f, planexyz[i][j][2] = -100.0f * j;
      }
    planexyz[11][20][1] = 20.0f;  // south-east
    planexyz[11][21][1] = 30.0f;  // north-east
  }
  // (u, v) inside cell (10, 20): east and north fractions.
  static float x(float u) { return 1000.0f + 100.0f * u; }
  static float z(float v) { return -2000.0f - 100.0f * v; }
};

TEST_F(WorldCells, GroundHeightFollowsTheTriangleHoldingThePoint) {
  // South-east of the diagonal the plane is 20u + 10v, north-west of it 30u.
  EXPECT_NEAR(find_local_h(x(0.7f), z(0.2f), 10, 20), 16.0f, 1e-3f);
  EXPECT_NEAR(find_local_h(x(0.2f), z(0.7f), 10, 20), 6.0f, 1e-3f);
  EXPECT_NEAR(find_local_h(x(1.0f), z(1.0f), 10, 20), 30.0f, 1e-3f);
  EXPECT_NEAR(find_local_h(x(0.5f), z(0.5f), 10, 20), 15.0f, 1e-3f);  // on the diagonal
  // A cell index beyond the grid is limited to it rather than read past it.
  EXPECT_NEAR(find_local_h(100.0f * 176.5f, -100.0f * 157.5f, INT_MAX, INT_MAX), 0.0f, 1e-3f);
}

TEST_F(WorldCells, CellSearchLooksNearbyOrOverTheWholeGrid) {
  int i = 12, j = 22;
  ASSERT_EQ(find_ijt_with_loc(x(0.5f), z(0.3f), &i, &j, 0), 1);
  EXPECT_EQ(std::pair(i, j), std::pair(10, 20));
  i = 15, j = 25;  // three cells away: not found nearby, and the cell is left as it was
  EXPECT_EQ(find_ijt_with_loc(x(0.5f), z(0.3f), &i, &j, 0), 0);
  EXPECT_EQ(std::pair(i, j), std::pair(15, 25));
  EXPECT_EQ(find_ijt_with_loc(x(0.5f), z(0.3f), &i, &j, 1), 1);
  EXPECT_EQ(std::pair(i, j), std::pair(10, 20));
  EXPECT_EQ(find_ijt_with_loc(17650.0f, -15750.0f, &i, &j, 1), 1);  // the last cell
  EXPECT_EQ(std::pair(i, j), std::pair(176, 157));
  EXPECT_EQ(find_ijt_with_loc(-50.0f, -50.0f, &i, &j, 1), 0);  // west of the grid
  i = INT_MAX, j = INT_MIN;
  EXPECT_EQ(find_ijt_with_loc(x(0.5f), z(0.3f), &i, &j, 0), 0);
}

TEST_F(WorldCells, ObstaclesStandOnTheGroundOfTheirCell) {
  make_an_obs(x(0.7f), z(0.2f), 0.0f, 1, 10, 20, 360);  // control tower
  EXPECT_EQ(obs_type[360], 1);
  const float(*tower)[4][3] = obs_xyz[360];
  EXPECT_NEAR(tower[0][0][1], 16.0f, 1e-3f);
  EXPECT_NEAR(tower[3][2][1], 16.0f + 24.0f, 1e-3f);
  // Corners 0, 1 lie west and 2, 3 east; 0, 3 south and 1, 2 north.
  EXPECT_FLOAT_EQ(tower[2][0][0], x(0.7f) - 5.0f);
  EXPECT_FLOAT_EQ(tower[2][3][2], z(0.2f) + 5.0f);

  make_an_obs(500.0f, -500.0f, 300.0f, 92, 5, 5, 361);  // tall enough for a helipad
  EXPECT_EQ(obs_type[361], 96);
  EXPECT_FLOAT_EQ(obs_xyz[361][3][0][1], 300.0f);
  make_an_obs(500.0f, -500.0f, 100.0f, 90, 5, 5, 362);
  EXPECT_EQ(obs_type[362], 90);
}
