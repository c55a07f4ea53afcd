// The main menu's lines by situation, filing from the menu, and the list menus' picks.
#include "atc_fixture.h"

using AtcMenu = AtcTest;

namespace {
// The state of each of the 17 lines, as a string of digits.
std::string line_states() {
  std::string s;
  char text[STR_SIZE];
  for (int k = 0; k < ATC_MAIN_LINES; k++) s += static_cast<char>('0' + atc_main_line(k, text));
  return s;
}
int opened;
void count_window() { opened++; }
}  // namespace

TEST_F(AtcMenu, MainMenuLinesBySituation) {
  flt.lat = apt_lat[SBD][0], flt.lon = apt_lon[SBD][0], flt.onsurface = 1;
  //                     0123456789abcdefg
  EXPECT_EQ(line_states(), "20100000011000000");
  fpl.onfile = 1;
  EXPECT_EQ(line_states(), "11102000011000000");
  fpl.activated = 1, atc.plan_phase = 4;
  EXPECT_EQ(line_states(), "11100100022000000");
  flt.onsurface = 0, atc.waiting_new_frq = 1, atc.plan_phase = 5, atc.response[0] = 'x';
  EXPECT_EQ(line_states(), "11100121000111001");  // no localizer-only approach in the region
  char text[STR_SIZE];
  atc_main_line(6, text);
  EXPECT_EQ(std::string(text), std::string("San Bernardino International departure, ") + CALL_SIGN + "with you.");
  C_to_C("SBD ", fpl.dep_id_str);
  flt.lat = apt_lat[TWIN][0], flt.lon = apt_lon[TWIN][0];  // climbing out past another field
  atc_main_line(6, text);
  EXPECT_THAT(std::string(text), ::testing::StartsWith("San Bernardino International departure, "));
}

TEST_F(AtcMenu, MenuPicksFileAndOpenLists) {
  flt.lat = apt_lat[TWIN][0], flt.lon = apt_lon[TWIN][0], flt.onsurface = 1;
  atc.menu_up = 1;
  atc_pick_line(3);  // a line that is never shown closes the menu
  EXPECT_EQ(atc.menu_up, 0);
  // Without a Flight Plan window the menu files a plan from the local airport, back to it while
  // the destination names no airport.
  atc.menu_up = 1;
  atc_pick_line(0);
  EXPECT_EQ(fpl.onfile, 1);
  EXPECT_STREQ(fpl.dep_id_str, "TWN ");
  EXPECT_STREQ(fpl.arr_id_str, "TWN ");
  // With the window, the window files it.
  fpl.onfile = 0;
  opened = 0;
  atc_hooks.open_plan_window = count_window;
  atc_pick_line(0);
  EXPECT_EQ(std::pair(opened, fpl.onfile), std::pair(1, 0));
  atc.menu_up = 1;
  atc_pick_line(2);
  EXPECT_EQ(atc.menu_level, ATC_MENU_ATIS);
  EXPECT_EQ(atc.menu_up, 1);
}

// The lists hold what each request can name; a pick by identifier asks for it.
TEST_F(AtcMenu, ListsAndPicksByIdentifier) {
  flt.lat = 34.9f, flt.lon = -117.0f, flt.onsurface = 0;
  int entry[ATC_LIST_MAX];
  const struct {
    int level, count, first;
  } lists[] = {{ATC_MENU_VECTORS, 4, SBD}, {ATC_MENU_ATIS, 3, SBD}, {ATC_MENU_ILS, 1, ISBD},
               {ATC_MENU_LOC, 0, -1}};
  for (const auto& l : lists) {
    atc.menu_level = l.level;
    EXPECT_EQ(atc_list_entries(entry), l.count) << l.level;
    EXPECT_EQ(l.count ? entry[0] : -1, l.first) << l.level;
  }
  atc.menu_up = 1, atc.menu_level = ATC_MENU_ATIS;
  EXPECT_EQ(atc_pick_id("TWN"), 0);  // no tower, no ATIS
  atc.menu_level = ATC_MENU_VECTORS;
  EXPECT_EQ(atc_pick_id("hig"), 1);
  EXPECT_THAT(last_said(), HasSubstr("vectors to High Field. They are about 6 miles"));
  EXPECT_EQ(atc.menu_up, 0);
}
