// The Flight Plan window opened from the controller's menu: what it files is the plan the
// controller clears; unknown airports are refused and altitudes kept in range; amending and
// closing act on the plan in flight as the menu's lines do.
#include "app_fixture.h"

#include "app/settings.h"
#include "atc/atc_fixture.h"

class AppSettingsPlan : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    reset_atc_world();
    install_simulator_hooks();
    flt.lat = apt_lat[SBD][0], flt.lon = apt_lon[SBD][0];  // on the ground at San Bernardino
    flt.onsurface = 1;
  }
  void TearDown() override {
    atc_said_hook = nullptr;
    AppTest::TearDown();
  }
  static void pick(int line) {
    atc.menu_up = 1;
    atc.menu_level = ATC_MENU_MAIN;
    atc_pick_line(line);
  }
  static void fill(const char* dep, const char* arr, float cruise, const char* button) {
    headless_form_type(WIN_FLIGHT_PLAN, "departure", dep);
    headless_form_type(WIN_FLIGHT_PLAN, "destination", arr);
    headless_form_set(WIN_FLIGHT_PLAN, "cruise", cruise);
    headless_form_press(WIN_FLIGHT_PLAN, button);
    headless_form_release();
  }
};

TEST_F(AppSettingsPlan, UnknownAirportsAreRefusedAndAltitudesKeptInRange) {
  const struct {
    const char *dep, *arr;
    float cruise;
    int filed_cruise;  // 0: refused
  } cases[] = {{"SBD", "XYZ", 9000, 0}, {"QQQ", "HIG", 9000, 0},      {"SBD", "HIGH", 9000, 0},
               {"", "HIG", 9000, 0},    {"SBD", " twn", 1e7f, 60000}, {"TWN", "SBD", -3000, 1000}};
  for (const auto& c : cases) {
    close_flight_plan();
    macibm_clear_alert_log();
    open_flight_plan_window();
    fill(c.dep, c.arr, c.cruise, "file");
    const int refused = c.filed_cruise == 0;
    EXPECT_EQ(fpl.onfile, !refused) << c.dep << " " << c.arr;
    EXPECT_EQ(alert_shown("I could not find an airport with this ID anywhere in the country!"),
              refused);
    EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], refused);  // left open to put right
    EXPECT_EQ(fpl.cruise_alt, refused ? 5000 : c.filed_cruise);
  }
}

TEST_F(AppSettingsPlan, AFiledPlanIsClearedAmendedAndClosedAsTheMenuLinesDo) {
  pick(0);                   // "File flight plan"
  EXPECT_EQ(msc.winsup, 1);  // the flight waits
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_PLAN, "departure_name"), "San Bernardino International");
  headless_form_set(WIN_FLIGHT_PLAN, "rules", 1);  // VFR
  fill("SBD", "hig", 7500, "file");
  EXPECT_EQ(fpl.vfr, 1);
  EXPECT_EQ(fpl.ifr, 0);
  EXPECT_EQ(fpl.dvfr, 0);
  EXPECT_STREQ(fpl.arr_id_str, "HIG ");  // as the database spells it
  EXPECT_EQ(fpl.cruise_alt, 7500);

  pick(4);  // pick up the plan, then the clearance a VFR plan gets
  handle_plan(0);
  EXPECT_NE(last_said().find("you are cleared as filed"), std::string::npos) << last_said();

  pick(1);  // "Amend flight plan"
  EXPECT_FALSE(headless_form_enabled(WIN_FLIGHT_PLAN, "file"));
  fill("SBD", "TWN", 7500, "amend");
  EXPECT_EQ(atc.plan_index, TWIN);  // flown to at once

  open_flight_plan_window();
  headless_form_press(WIN_FLIGHT_PLAN, "close");
  headless_form_release();
  EXPECT_EQ(fpl.onfile, 0);
  EXPECT_EQ(fpl.activated, 0);
  EXPECT_EQ(last_said(), std::string(CALL_SIGN) + "flight plan closed. Squawk 1 2 0 0. Good day.");
}
