// The runway items of the airport menus built with the region.
#include "support/test_support.h"

#include "world/world_files.h"

TEST(WorldRegionFinish, RunwayItemsNameBothDirections) {
  wf::fresh_world();
  apt_num[0][0] = 9, apt_lr[0][0] = 'L', apt_len[0][0] = 2000;
  apt_num[0][1] = 36, apt_lr[0][1] = 'x', apt_len[0][1] = 150;  // under 500 ft: a pad
  char s[STR_SIZE];
  const char* want[4] = {"Rwy 09L", "Rwy 27R", "Pad 36", "Pad 18"};
  for (int k = 0; k < 4; k++) {
    rwy_item_name(0, k / 2, k % 2, s);
    EXPECT_STREQ(s, want[k]);
  }
}
