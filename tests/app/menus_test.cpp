// The menu table: items, separators, accelerators, column breaks, check marks and greying, and the
// bound checks of every call.
#include "app_fixture.h"

class AppMenus : public AppTest {};

TEST_F(AppMenus, MenuItemsSeparatorsAndAccelerators) {
  MACIBM_create_menu(2, "File");
  MACIBM_append_menu(2, 201, 0, "Open Aircraft");
  MACIBM_append_menu(2, 0, -1, "-");
  MACIBM_append_menu(2, 206, 1, "Exit");
  MACIBM_append_menu(2, 207, 40, "Past the end");
  ASSERT_EQ(macibm_menu_size(2), 4);
  EXPECT_STREQ(macibm_menu_entry(2, 0)->text, "&Open Aircraft");
  EXPECT_EQ(macibm_menu_entry(2, 1)->separator, 1);
  EXPECT_STREQ(macibm_menu_entry(2, 2)->text, "E&xit");
  EXPECT_STREQ(macibm_menu_entry(2, 3)->text, "Past the end");
  EXPECT_EQ(macibm_menu_entry(0, 0)->id, 2);  // on the menu bar
  EXPECT_STREQ(macibm_menu_title(2), "File");

  MACIBM_check_menu(2, 206, 1);
  MACIBM_gray_menu(2, 201, 0);
  EXPECT_EQ(macibm_find_menu_item(2, 206)->checked, 1);
  EXPECT_EQ(macibm_find_menu_item(2, 201)->enabled, 0);
  MACIBM_delete_menu_item(2, 206);
  EXPECT_EQ(macibm_find_menu_item(2, 206), nullptr);
  EXPECT_EQ(macibm_menu_size(2), 3);
}

// A name from the database may hold an ampersand, and a generated text may not fit its buffer.
TEST_F(AppMenus, LiteralAmpersandsAreDoubledAndLongTextsAreCutAtAWholeCharacter) {
  MACIBM_create_menu(3, "Location & Time");
  MACIBM_append_menu(3, 1501, -1, "A&M Field");
  MACIBM_append_menu(3, 1502, 2, "A&M Field");
  EXPECT_STREQ(macibm_find_menu_item(3, 1501)->text, "A&&M Field");
  EXPECT_STREQ(macibm_find_menu_item(3, 1502)->text, "A&&&M Field");  // marker, then the literal
  EXPECT_STREQ(macibm_menu_entry(0, 0)->text, "Location && Time");
  EXPECT_STREQ(macibm_menu_title(3), "Location & Time");

  const std::string long_text(398, 'x');
  struct cut {
    std::string tail;
    int accel_pos;
  };
  // Each tail would need two bytes where one is left: the marked "y", a literal "&", an "é".
  for (const cut& c : {cut{"yz", 398}, cut{"&z", -1}, cut{"\xC3\xA9z", -1}}) {
    MACIBM_append_menu(3, 1600, c.accel_pos, (long_text + c.tail).c_str());
    const char* t = macibm_menu_entry(3, macibm_menu_size(3) - 1)->text;
    EXPECT_EQ(std::string(t), long_text) << c.tail;
  }
  MACIBM_append_menu(3, 1601, 397, (long_text + "yz").c_str());  // the marker fits, and the x
  EXPECT_EQ(std::string(macibm_find_menu_item(3, 1601)->text), std::string(397, 'x') + "&x");
}

TEST_F(AppMenus, ItemTwentyFiveStartsANewColumnAndTwentyFourDoesNot) {
  MACIBM_create_menu(5, "Output");
  MACIBM_append_menu(5, 24, -1, "twenty-four");
  MACIBM_append_menu(5, 25, -1, "twenty-five");
  MACIBM_append_menu(5, 625, -1, "six twenty-five");
  EXPECT_EQ(macibm_find_menu_item(5, 24)->new_column, 0);
  EXPECT_EQ(macibm_find_menu_item(5, 25)->new_column, 1);
  EXPECT_EQ(macibm_find_menu_item(5, 625)->new_column, 1);
  MACIBM_create_submenu(5, 9, 24, "no break");
  MACIBM_create_submenu(5, 10, 25, "break");
  EXPECT_EQ(macibm_menu_entry(5, 3)->new_column, 0);
  EXPECT_EQ(macibm_menu_entry(5, 4)->new_column, 1);
}

TEST_F(AppMenus, DeletedSubmenuLeavesItsParent) {
  MACIBM_create_menu(3, "Location");
  MACIBM_create_submenu(3, 9, 0, "Takeoff");
  MACIBM_append_menu(9, 1501, -1, "Rwy 06");
  MACIBM_delete_menu(9);
  EXPECT_EQ(macibm_menu_size(3), 0);
  EXPECT_FALSE(macibm_menu_exists(9));
  MACIBM_create_submenu(3, 9, 0, "Takeoff");  // rebuilt as a region loads
  EXPECT_EQ(macibm_menu_size(3), 1);
  EXPECT_EQ(macibm_menu_size(9), 0);
}

TEST_F(AppMenus, MenuIndexesOutsideTheTableAreFatalWithTheirTexts) {
  struct call {
    void (*run)(int);
    const char* text;
  };
  const call calls[] = {
      {[](int m) { MACIBM_create_menu(m, "x"); }, "Menu index out of range in create_menu!"},
      {[](int m) { MACIBM_create_submenu(3, m, 0, "x"); },
       "Menu index out of range in create_sub_menu!"},
      {[](int m) { MACIBM_append_menu(m, 1, -1, "x"); }, "Menu index out of range in append_menu!"},
      {[](int m) { MACIBM_delete_menu_item(m, 1); },
       "Menu index out of range in delete_menu_item!"},
      {[](int m) { MACIBM_delete_menu(m); }, "Menu index out of range in delete_menu!"},
  };
  for (const call& c : calls) {
    EXPECT_FATAL_ALERT(c.run(235));
    EXPECT_EQ(last_alert().line[0], c.text);
    EXPECT_EQ(last_alert().line[3], "235");
    EXPECT_FATAL_ALERT(c.run(0));
    EXPECT_EQ(last_alert().line[0], "Menu index must be 1->235!");
  }
  MACIBM_create_menu(234, "last");
  EXPECT_TRUE(macibm_menu_exists(234));
}
