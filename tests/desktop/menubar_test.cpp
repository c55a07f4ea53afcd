// The menu bar drawn from the menu table: labels as the toolkit must see them, submenus,
// separators, marks, grey, rebuilding, and commands that wait until the toolkit has returned.
#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

#include "app/desktop/desktop.h"
#include "desktop_fixture.h"

TEST(DesktopMenuLabels, AmpersandsMarkOneAcceleratorAndAnythingElseIsText) {
  EXPECT_EQ(desktop_menu_label("E&xit"), "E&xit");
  EXPECT_EQ(desktop_menu_label("A&&M Field"), "A&&M Field");  // a literal ampersand
  EXPECT_EQ(desktop_menu_label("[@] Spot: Arrow Keys Move"), "[@] Spot: Arrow Keys Move");
  EXPECT_EQ(desktop_menu_label("Rwy 09/27_x"), "Rwy 09/27_x");
  EXPECT_EQ(desktop_menu_label(""), "");
  EXPECT_EQ(desktop_menu_label(nullptr), "");
}

// Texts cut by the end of the table's buffer keep what is whole.
TEST(DesktopMenuLabels, CutTextsLoseTheirBrokenEnd) {
  EXPECT_EQ(desktop_menu_label("Thermal&"), "Thermal");  // its character was cut
  EXPECT_EQ(desktop_menu_label("A&&"), "A&&");
  EXPECT_EQ(desktop_menu_label("Z\xC3\xBCrich"), "Z\xC3\xBCrich");
  EXPECT_EQ(desktop_menu_label("Z\xC3"), "Z");      // half of a two-byte character
  EXPECT_EQ(desktop_menu_label("M\xE2\x82"), "M");  // two thirds of a three-byte one
  EXPECT_EQ(desktop_menu_label("a\200b"), "ab");    // a stray continuation byte
}

class DesktopMenuBar : public DesktopTest {};

namespace {
std::vector<int> commands;
}

// The toolkit's entries of one menu level, from `m` to its end: labels, with ">" for a submenu
// title, "|" after an entry drawn with a line under it, "*" for a check mark and "~" for grey.
static std::string level(const Fl_Menu_Item* m) {
  std::string out;
  int depth = 0;
  for (; m && (m->text || depth > 0); m++) {
    if (!m->text) {
      depth--;
      continue;
    }
    if (depth == 0) {
      if (!out.empty()) out += ",";
      out += m->text;
      if (m->flags & FL_SUBMENU) out += ">";
      if (m->flags & FL_MENU_VALUE) out += "*";
      if (m->flags & FL_MENU_INACTIVE) out += "~";
      if (m->flags & FL_MENU_DIVIDER) out += "|";
    }
    if (m->flags & FL_SUBMENU) depth++;
  }
  return out;
}

static const Fl_Menu_Item* find(const Fl_Menu_Item* m, const char* text) {
  for (int depth = 0; m && (m->text || depth > 0); m++) {
    if (!m->text) {
      depth--;
      continue;
    }
    if (std::string(m->text) == text) return m;
    if (m->flags & FL_SUBMENU) depth++;
  }
  return nullptr;
}

TEST_F(DesktopMenuBar, BarFollowsTheTableWithSubmenusSeparatorsMarksAndGrey) {
  MACIBM_create_menu(2, "File");
  MACIBM_append_menu(2, 201, 0, "Open Aircraft");
  MACIBM_append_menu(2, 0, -1, "-");
  MACIBM_append_menu(2, 206, -1, "Exit");
  MACIBM_create_menu(3, "Location");
  MACIBM_create_submenu(3, 14, 5, "Favorites");
  MACIBM_append_menu(14, 1401, -1, "San Bernardino");
  MACIBM_append_menu(3, 0, -1, "-");
  MACIBM_append_menu(3, 309, -1, "Airport ID...");
  open_main_window();

  const Fl_Menu_Item* bar = desktop_menu_bar_menu();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(level(bar), "File>,Location>");
  EXPECT_EQ(level(find(bar, "File") + 1), "&Open Aircraft|,Exit");
  // The line after a submenu belongs to the submenu's title, not to its last entry.
  EXPECT_EQ(level(find(bar, "Location") + 1), "Favorites>|,Airport ID...");
  EXPECT_EQ(level(find(bar, "Favorites") + 1), "San Bernardino");

  MACIBM_check_menu(2, 206, 1);
  MACIBM_gray_menu(2, 201, 0);
  MACIBM_delete_menu(14);
  bar = desktop_menu_bar_menu();
  EXPECT_EQ(level(find(bar, "File") + 1), "&Open Aircraft~|,Exit*");
  EXPECT_EQ(level(find(bar, "Location") + 1), "Airport ID...");
}

TEST_F(DesktopMenuBar, ChosenCommandsRunAfterTheToolkitReturns) {
  commands.clear();
  macibm_menu_hook = [](int id) { commands.push_back(id); };
  MACIBM_create_menu(7, "Special");
  MACIBM_append_menu(7, 711, -1, "Report Logged Time on Exit");
  MACIBM_create_menu(8, "About");
  MACIBM_append_menu(8, 801, -1, "About");
  open_main_window();

  const Fl_Menu_Item* bar = desktop_menu_bar_menu();
  // The items, each found inside its own menu: the About item, not the About menu's title.
  const Fl_Menu_Item* chosen[] = {find(find(bar, "Special") + 1, "Report Logged Time on Exit"),
                                  find(find(bar, "About") + 1, "About")};
  for (const Fl_Menu_Item* item : chosen) {
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->callback(), nullptr);
    item->callback()(nullptr, item->user_data());
  }
  EXPECT_TRUE(commands.empty());  // nothing runs inside the toolkit's menu handling
  MACIBM_dispatch_events();
  EXPECT_EQ(commands, (std::vector<int>{711, 801}));
}
