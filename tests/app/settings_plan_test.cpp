// The Flight Plan window opened from the controller's menu: the plan filed through it is the plan
// the controller clears, airports it does not know are refused with a message and leave the plan
// as it was, absurd altitudes are brought into range, and amending and closing act on the plan in
// flight as the menu's lines do.
#include "app_fixture.h"

#include <string>

#include "app/settings.h"
#include "atc/atc_fixture.h"

class AppSettingsPlan : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    reset_atc_world();
    install_simulator_hooks();
    // On the ground at San Bernardino, which has a tower.
    flt.lat = apt_lat[SBD][0], flt.lon = apt_lon[SBD][0];
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
  static void fill(int rules, const char* dep, const char* arr, float cruise) {
    headless_form_set(WIN_FLIGHT_PLAN, "rules", static_cast<float>(rules));
    headless_form_type(WIN_FLIGHT_PLAN, "departure", dep);
    headless_form_type(WIN_FLIGHT_PLAN, "destination", arr);
    headless_form_set(WIN_FLIGHT_PLAN, "cruise", cruise);
  }
  static void press(const char* button) {
    headless_form_press(WIN_FLIGHT_PLAN, button);
    headless_form_release();
  }
};

TEST_F(AppSettingsPlan, APlanFiledInTheWindowIsThePlanTheControllerClears) {
  pick(0);  // "File flight plan"
  ASSERT_NE(form_of(WIN_FLIGHT_PLAN), nullptr);
  EXPECT_EQ(msc.winsup, 1);  // the flight waits
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_PLAN, "departure"), "SBD ");
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_PLAN, "departure_name"), "San Bernardino International");
  EXPECT_FALSE(headless_form_enabled(WIN_FLIGHT_PLAN, "close"));

  fill(1, "sbd", " hig", 7500.0f);  // VFR; case and a leading blank do not matter
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_PLAN, "destination_name"), "High Field");
  EXPECT_EQ(fpl.onfile, 0);  // nothing is filed before the button
  press("file");
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], 0);
  EXPECT_EQ(fpl.onfile, 1);
  EXPECT_EQ(fpl.vfr * 100 + fpl.ifr * 10 + fpl.dvfr, 100);
  EXPECT_STREQ(fpl.dep_id_str, "SBD ");
  EXPECT_STREQ(fpl.arr_id_str, "HIG ");
  EXPECT_EQ(fpl.cruise_alt, 7500);

  pick(4);  // "... would like to pick up my flight plan."
  EXPECT_EQ(fpl.activated, 1);
  EXPECT_EQ(atc.plan_index, HIGH);
  handle_plan(0);
  EXPECT_NE(last_said().find("you are cleared as filed maintain at or below 3000 initially"),
            std::string::npos)
      << last_said();
}

TEST_F(AppSettingsPlan, UnknownAirportsAreRefusedAndAltitudesKeptInRange) {
  const struct {
    const char *dep, *arr;
    float cruise;
    int filed, cruise_filed;
  } cases[] = {
      {"SBD", "XYZ", 9000.0f, 0, 0},      {"QQQ", "HIG", 9000.0f, 0, 0},
      {"SBD", "HIGH", 9000.0f, 0, 0},     {"", "HIG", 9000.0f, 0, 0},
      {"SBD", "TWN", 1.0e7f, 1, 60000},   {"TWN", "SBD", -3000.0f, 1, 1000},
  };
  for (const auto& c : cases) {
    close_flight_plan();
    macibm_clear_alert_log();
    open_flight_plan_window();
    fill(0, c.dep, c.arr, c.cruise);
    press("file");
    EXPECT_EQ(fpl.onfile, c.filed) << c.dep << " " << c.arr;
    EXPECT_EQ(alert_shown("I could not find an airport with this ID anywhere in the country!"),
              !c.filed)
        << c.dep << " " << c.arr;
    EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], !c.filed);  // a refused plan can be put right
    if (c.filed) {
      EXPECT_EQ(fpl.cruise_alt, c.cruise_filed);
    }
  }
  // A plan whose altitude is absurd opens in range.
  fpl.cruise_alt = -40;
  open_flight_plan_window();
  EXPECT_EQ(headless_form_shown(WIN_FLIGHT_PLAN, "cruise"), 1000.0f);
}

TEST_F(AppSettingsPlan, AmendingFollowsTheNewDestinationAndClosingIsTheRadioCall) {
  pick(0);
  fill(0, "SBD", "HIG", 9000.0f);
  press("file");
  pick(4);
  pick(1);  // "Amend flight plan"
  ASSERT_NE(form_of(WIN_FLIGHT_PLAN), nullptr);
  EXPECT_FALSE(headless_form_enabled(WIN_FLIGHT_PLAN, "file"));
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_PLAN, "destination"), "HIG ");
  headless_form_type(WIN_FLIGHT_PLAN, "destination", "TWN");
  press("amend");
  EXPECT_EQ(atc.plan_index, TWIN);
  EXPECT_EQ(fpl.activated, 1);

  open_flight_plan_window();
  press("close");
  EXPECT_EQ(fpl.onfile + fpl.activated, 0);
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], 0);
  EXPECT_EQ(last_said(), std::string(CALL_SIGN) + "flight plan closed. Squawk 1 2 0 0. Good day.");
}
