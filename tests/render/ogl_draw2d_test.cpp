// The geometry behind the 2-D primitives that does not need a GL context: circle rows, ring
// sector vertices for angles of any sign and span, and the start-up progress bar.
#include "support/test_support.h"

#include <climits>

#include "render/ogl.h"
#include "render/ogl_local.h"
#include "shared/shared.h"

TEST(RenderOglDraw2d, CircleRowsNarrowTowardsTheTopAndBottom) {
  const int expect[] = {5, 4, 4, 4, 3, 0};  // half-widths of rows 0..5 of a radius-5 disc
  for (int j = 0; j <= 5; j++) {
    EXPECT_EQ(ogl_circle_half_width(5, j), expect[j]) << j;
    EXPECT_EQ(ogl_circle_half_width(5, -j), expect[j]) << j;
  }
  EXPECT_EQ(ogl_circle_half_width(5, 6), -1);
  EXPECT_EQ(ogl_circle_half_width(0, 0), 0);
  EXPECT_EQ(ogl_circle_half_width(-2, 0), -1);
}

TEST(RenderOglDraw2d, ArcAnglesOfAnySignUseTheTablesWithinRange) {
  init_constants();
  float neg[2 * OGL_ARC_VERTICES], pos[2 * OGL_ARC_VERTICES];
  // Clockwise from straight up: 90 degrees points right.
  ASSERT_EQ(ogl_arc_vertices(100, 50, 10.0f, 90, 90, pos), 1);
  EXPECT_NEAR(pos[0], 110.5f, 1e-4);
  EXPECT_NEAR(pos[1], 50.5f, 1e-4);

  // -90..0 is the same quarter as 270..360, vertex for vertex.
  ASSERT_EQ(ogl_arc_vertices(0, 0, 20.0f, -90, 0, neg), 91);
  ASSERT_EQ(ogl_arc_vertices(0, 0, 20.0f, 270, 360, pos), 91);
  for (int k = 0; k < 2 * 91; k++) EXPECT_NEAR(neg[k], pos[k], 1e-4) << k;
  ASSERT_EQ(ogl_arc_vertices(0, 0, 20.0f, -1000, -990, neg), 11);
  ASSERT_EQ(ogl_arc_vertices(0, 0, 20.0f, 80, 90, pos), 11);
  for (int k = 0; k < 2 * 11; k++) EXPECT_NEAR(neg[k], pos[k], 1e-4) << k;

  // A reversed range draws nothing; more than a full turn draws one turn.
  EXPECT_EQ(ogl_arc_vertices(0, 0, 20.0f, 10, 9, pos), 0);
  EXPECT_EQ(ogl_arc_vertices(0, 0, 20.0f, INT_MIN, INT_MAX, pos), OGL_ARC_VERTICES);
  EXPECT_NEAR(pos[0], pos[2 * 360], 1e-4);
}

class RenderOglProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_ogl();
    mnw.ready_to_update = 0;
  }
};

TEST_F(RenderOglProgress, BlocksAdvanceFivePixelsAndStopBefore600) {
  int left = -1, drawn = 0, last = -1;
  for (int step = 0; step < 121; step++)
    if (ogl_progress_step(0, &left)) {
      EXPECT_EQ(left, 20 + 5 * drawn);
      last = left;
      drawn++;
    }
  EXPECT_EQ(drawn, 116);
  EXPECT_EQ(last + OGL_PROGRESS_STEP, 600);
}

TEST_F(RenderOglProgress, RestartsOnANewStyleAndWaitsWhileWindowsAreLive) {
  int left;
  for (int step = 0; step < 10; step++) ogl_progress_step(0, &left);
  ASSERT_TRUE(ogl_progress_step(1, &left));
  EXPECT_EQ(left, 20);
  ASSERT_TRUE(ogl_progress_step(1, &left));
  EXPECT_EQ(left, 25);

  mnw.ready_to_update = 1;
  EXPECT_FALSE(ogl_progress_step(1, &left));
  mnw.ready_to_update = 0;
  ASSERT_TRUE(ogl_progress_step(1, &left));
  EXPECT_EQ(left, 30);
}
