// The simulator's menu bar and commands: the fixed menus, favourite airports, the generated
// airport items and their range checks, zoom, logging, the about box and the settings windows.
#include "app_fixture.h"

#include <cstring>

#include "aircraft/aircraft.h"
#include "app/form.h"
#include "world/world.h"

class AppAppmenu : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
  }
};

TEST_F(AppAppmenu, FavoriteStartsATakeoffAtItsAirportOrSaysItIsMissing) {
  APPLICATION_handlemenu(1402);
  EXPECT_EQ(last_alert().line[0],
            "I could not find an airport with this ID anywhere in the country!");

  env.aptmax = 4;
  std::strcpy(apt_id[3], "CGX ");
  apt_lat[3][0] = 41.86f;
  apt_lon[3][0] = -87.61f;
  msc.typestart = 1100;
  APPLICATION_handlemenu(1404);
  EXPECT_EQ(msc.loc_apt_wrl, 3);
  EXPECT_EQ(msc.rway_sel, 1);
  EXPECT_EQ(msc.typestart, 900);
  EXPECT_EQ(env.lat_sou, 41);
  EXPECT_EQ(env.lon_wes, -89);
}

TEST_F(AppAppmenu, AirportItemsOutOfRangeStartNothing) {
  env.aptmax = 50;
  env.apt_list_max = 2;
  apt_to_index[2] = 40;
  msc.typestart = 1100;
  APPLICATION_handlemenu((15 + 3) * 100 + 1);  // past the list
  EXPECT_EQ(last_alert().line[0], "Apt sel out of range!");
  apt_to_index[1] = 51;
  APPLICATION_handlemenu((15 + 1) * 100 + 1);
  EXPECT_EQ(last_alert().line[0], "loc_apt_wrl out of range!");
  APPLICATION_handlemenu((15 + 2) * 100 + 7 + 1);
  EXPECT_EQ(last_alert().line[0], "rway_sel out of range!");
  EXPECT_EQ(msc.typestart, 1100);  // nothing started
}

// The last range holds 70 airports of 6 runways up to (155 + 69) * 100 + 6 = 22406; the ranges
// meet without overlapping.
TEST_F(AppAppmenu, AirportItemRangesMeetWithoutOverlapAndTheLastReachesItsSeventiethAirport) {
  env.aptmax = 100;
  env.apt_list_max = 69;
  apt_to_index[0] = 10;
  apt_to_index[2] = 40;
  apt_to_index[69] = 79;
  struct item {
    int id, type, apt, rway;
  };
  const item items[] = {{(15 + 69) * 100 + 6, 900, 79, 5},
                        {(85 + 2) * 100 + 3 + 1, 1000, 40, 3},  // VFR final, third airport
                        {(85 + 0) * 100 + 1, 1000, 10, 0},
                        {(85 + 69) * 100 + 6, 1000, 79, 5},
                        {(155 + 0) * 100 + 1, 1100, 10, 0},
                        {22406, 1100, 79, 5}};
  for (const item& it : items) {
    msc.typestart = 0;
    APPLICATION_handlemenu(it.id);
    EXPECT_EQ(msc.typestart, it.type) << it.id;
    EXPECT_EQ(msc.loc_apt_wrl, it.apt) << it.id;
    EXPECT_EQ(msc.rway_sel, it.rway) << it.id;
  }
  EXPECT_TRUE(macibm_alert_log().empty());
  msc.typestart = 0;
  APPLICATION_handlemenu(22500);  // past the last range: no airport item
  EXPECT_EQ(msc.typestart, 0);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AppAppmenu, ZoomStaysWithinItsRangeAndLoggingTogglesItsMark) {
  scn.zoom = 1.0f;
  APPLICATION_handlemenu(629);
  EXPECT_FLOAT_EQ(scn.zoom, 1.0f);
  for (int i = 0; i < 8; i++) APPLICATION_handlemenu(628);
  EXPECT_FLOAT_EQ(scn.zoom, 100.0f);
  APPLICATION_handlemenu(629);
  EXPECT_FLOAT_EQ(scn.zoom, 50.0f);

  APPLICATION_handlemenu(711);
  EXPECT_EQ(msc.logtime, 1);
  EXPECT_EQ(macibm_find_menu_item(7, 711)->checked, 1);
  APPLICATION_handlemenu(711);
  EXPECT_EQ(macibm_find_menu_item(7, 711)->checked, 0);
}

TEST_F(AppAppmenu, CommandsCloseTheSettingsWindowsFirst) {
  MACIBM_startwind(0, 0);
  MACIBM_startwind(8, 1);
  MACIBM_startwind(28, 1);
  APPLICATION_handlemenu(401);
  EXPECT_NE(form_of(8), nullptr);  // opened afresh with its form
  EXPECT_EQ(mnw.up[28], 0);
  EXPECT_EQ(mnw.up[0], 1);
  EXPECT_EQ(msc.event, 1);

  APPLICATION_handlemenu(701);
  EXPECT_EQ(set.cycoutwaiting, 1);
  APPLICATION_handlemenu(801);
  EXPECT_EQ(last_alert().line[0], "Kestrix");
}

TEST_F(AppAppmenu, OpenAircraftKeepsTheOldNamesWhenCancelled) {
  std::strcpy(pln.C_file, "Trainer.acf");
  std::strcpy(pln.C_path, SAMPLE_ACF("Trainer.acf"));
  APPLICATION_handlemenu(201);
  EXPECT_STREQ(pln.C_file, "Trainer.acf");
  EXPECT_STREQ(pln.C_path, SAMPLE_ACF("Trainer.acf"));
  msc.typestart = 1000;
  headless_queue_open_answer(SAMPLE_ACF("Business Jet.acf"));
  APPLICATION_handlemenu(201);
  EXPECT_STREQ(pln.C_file, "Business Jet.acf");
  EXPECT_EQ(msc.typestart, 900);
}

// Every command of the Location, Settings and Output menus does its work in this build: none
// answers that it is not available.
TEST_F(AppAppmenu, NoCommandOfTheSettingsMenusIsUnavailable) {
  int commands = 0;
  for (int m = 1; m <= 8; m++) {
    const std::string title = macibm_menu_exists(m) ? macibm_menu_title(m) : "";
    if (title != "Location" && title != "Settings" && title != "Output") continue;
    for (int k = 0; k < macibm_menu_size(m); k++) {
      const macibm_menu_item* e = macibm_menu_entry(m, k);
      if (e->separator || e->submenu) continue;
      APPLICATION_handlemenu(e->id);
      commands++;
      for (const alert_record& a : macibm_alert_log())
        EXPECT_EQ(a.line[1].find("not available"), std::string::npos) << e->id << " " << e->text;
    }
  }
  EXPECT_GT(commands, 30);  // the menus were walked
}
