// The generated Location items: built from the region's lists with the real world data, and
// replaced on every region build (what each item's number starts is decoded in appmenu_test).
#include "app_fixture.h"

#include <string>

#include "atc/atc.h"
#include "flyrun.h"
#include "world/world.h"

class AppLocationMenu : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
    init_country_data();
  }
  void load_around(const char* id) {
    int n = find_apt_by_id(id);
    ASSERT_GE(n, 0) << id;
    region_corner_for_airport(n);
    load_region();
  }
};

TEST_F(AppLocationMenu, EveryRunwayEndOfTheRegionBecomesAStartItem) {
  load_around("SBD ");
  ASSERT_GE(env.apt_list_max, 0);
  int sbd = -1;
  for (int k = 0; k <= env.apt_list_max; k++)
    if (apt_to_index[k] == find_apt_by_id("SBD ")) sbd = k;
  ASSERT_GE(sbd, 0);
  // Runway 0 of SBD, both ends, in each of the three start menus.
  for (int r = 0; r < 2; r++) {
    const macibm_menu_item* takeoff = macibm_find_menu_item(9, (15 + sbd) * 100 + r + 1);
    ASSERT_NE(takeoff, nullptr) << r;
    EXPECT_EQ(std::string(takeoff->text).substr(0, 4), "SBD ");
    EXPECT_NE(macibm_find_menu_item(10, (85 + sbd) * 100 + r + 1), nullptr);
    EXPECT_NE(macibm_find_menu_item(11, (155 + sbd) * 100 + r + 1), nullptr);
  }
  // Empty runway slots give no item.
  int n = find_apt_by_id("SBD ");
  for (int r = 0; r < 6; r++)
    EXPECT_EQ(macibm_find_menu_item(9, (15 + sbd) * 100 + r + 1) != nullptr, apt_len[n][r / 2] >= 1);
  EXPECT_EQ(macibm_menu_size(12), env.vor_list_max + 1);
  EXPECT_EQ(macibm_menu_size(13), env.ndb_list_max + 1);
}

TEST_F(AppLocationMenu, AnotherRegionReplacesTheItems) {
  load_around("SBD ");
  int before = macibm_menu_size(9);
  ASSERT_GT(before, 0);
  load_around("BKL ");
  // Only the new region's airports are offered: no item names SBD any more.
  for (int k = 0; k < macibm_menu_size(9); k++) {
    const macibm_menu_item* e = macibm_menu_entry(9, k);
    ASSERT_NE(e, nullptr);
    EXPECT_NE(std::string(e->text).substr(0, 4), "SBD ");
  }
  bool bkl = false;
  for (int k = 0; k < macibm_menu_size(10); k++)
    bkl |= std::string(macibm_menu_entry(10, k)->text).substr(0, 4) == "BKL ";
  EXPECT_TRUE(bkl);
}
