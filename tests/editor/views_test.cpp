// The views are built from the record as it stands: a change of a part shows in them at once.
#include "editor/editor_fixture.h"

#include <cmath>

TEST_F(EditorTest, ViewsFollowTheRecordAndStayFinite) {
  open(copy_sample("Light Twin.acf"));
  float lo[3], hi[3];
  ASSERT_GT(build_view_geometry(), 0);
  view_extent(lo, hi);
  const float span = hi[0] - lo[0], length = hi[2] - lo[2];
  // The wings reach out to their tips on both sides (and the tip's thickness a trace beyond).
  const float tip = pln.Xarm[5] + pln.semilen[5] * std::cos(pln.dihed[5] * 0.0174533f);
  EXPECT_NEAR(span, 2.0f * tip, 0.1f);

  pln.semilen[PART_WING1_RIGHT] += 5.0f;
  apply_symmetry();
  build_view_geometry();
  view_extent(lo, hi);
  EXPECT_NEAR(hi[0] - lo[0], span + 10.0f * std::cos(pln.dihed[5] * 0.0174533f), 0.05f);
  EXPECT_NEAR(hi[2] - lo[2], length, 1e-3f);

  // A new helicopter, rotors and all, is drawn with finite numbers everywhere.
  command(CMD_NEW_HELI);
  ASSERT_GT(build_view_geometry(), 0);
  view_extent(lo, hi);
  for (int k = 0; k < 3; k++) {
    EXPECT_TRUE(std::isfinite(lo[k])) << k;
    EXPECT_TRUE(std::isfinite(hi[k])) << k;
    EXPECT_GT(hi[k], lo[k]) << k;
  }
}
