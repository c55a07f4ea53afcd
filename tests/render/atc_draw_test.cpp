// Clicks on the controller's menus over the view of the 800 x 580 main window: the line or the
// entry under the pointer is picked, and a click beside the lines or on an empty cell does nothing.
#include "atc/atc_fixture.h"
#include "render/render.h"

using RenderAtcDraw = AtcTest;

namespace {
// A click at window pixel (x, y), y up from the bottom as the mouse record holds it.
void click(int x, int y) {
  mnw.mx = x, mnw.my = y;
  plot_atc_options(1);
}
}  // namespace

TEST_F(RenderAtcDraw, ClicksPickTheLineOrEntryUnderThePointer) {
  mnw.dx[0] = 800, mnw.dy[0] = 580;
  flt.lat = 34.9f, flt.lon = -117.0f, flt.onsurface = 0;
  click(20, 547 - 110 + 3);  // the menu is down: nothing
  EXPECT_EQ(atc.menu_level, ATC_MENU_MAIN);
  atc.menu_up = 1;
  click(20, 340);  // below the seventeen lines
  EXPECT_EQ(atc.menu_up, 1);
  click(20, 547 - 110 + 3);  // line 11: vectors...
  ASSERT_EQ(atc.menu_level, ATC_MENU_VECTORS);
  click(10 + 2 * 150 + 5, 548);  // third column, first row: past the four airports
  click(10 + 3, 547 - 140);      // first column, row 14: empty too
  EXPECT_TRUE(said().empty());
  EXPECT_EQ(atc.menu_up, 1);
  click(10 + 3, 547 - 30 + 1);  // first column, row 3: High Field
  EXPECT_NE(last_said().find("vectors to High Field"), std::string::npos) << last_said();
  EXPECT_EQ(atc.menu_up, 0);
  atc.menu_up = 1;
  click(20, 547 - 30);  // line 3 is never shown: the menu closes
  EXPECT_EQ(atc.menu_up, 0);
}
