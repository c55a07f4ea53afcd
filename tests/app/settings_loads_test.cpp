// The fuel and weight windows: loads within the aircraft's are taken on at once, and loads
// beyond its tanks, its jettisonable capacity or its maximum weight are refused with a message.
#include "app_fixture.h"

#include "aircraft/aircraft.h"
#include "app/settings.h"
#include "flight/flight.h"

class AppSettingsLoads : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    pln.m_empty = 1000.0f;
    pln.m_max = 1500.0f;
    pln.m_fuel = 200.0f;
    pln.m_jettison = 0.0f;
    set.load_fuel = 100.0f;
    set.load_fixed = flt.m_fixed = 50.0f;
  }
};

TEST_F(AppSettingsLoads, LoadsThatFitAreFlownAtOnceAndOthersAreRefused) {
  open_settings_window(WIN_FUEL);
  EXPECT_FALSE(headless_form_enabled(WIN_FUEL, "jettison"));  // this aircraft has none
  const float lb = con.kgstolbs;
  struct {
    int w;
    const char* field;
    float typed_lb, fuel_kg, payload_kg;
    const char* refusal;
  } cases[] = {
      {WIN_FUEL, "fuel", 150.0f * lb, 150.0f, 50.0f, nullptr},
      {WIN_FUEL, "fuel", 201.0f * lb, 150.0f, 50.0f, "The tanks hold only 441 lb of fuel."},
      {WIN_WEIGHTS, "payload", 350.0f * lb, 150.0f, 350.0f, nullptr},  // exactly the maximum
      {WIN_WEIGHTS, "payload", 351.0f * lb, 150.0f, 350.0f,
       "That is more than the maximum weight of 3307 lb allows."},
      {WIN_FUEL, "fuel", 160.0f * lb, 150.0f, 350.0f,  // fits the tanks, not the weight
       "That is more than the maximum weight of 3307 lb allows."},
  };
  for (const auto& c : cases) {
    open_settings_window(c.w);
    macibm_clear_alert_log();
    flt.m_fuel = 20.0f;  // burnt since the start: only new fuel goes on board
    headless_form_set(c.w, c.field, c.typed_lb);
    EXPECT_NEAR(set.load_fuel, c.fuel_kg, 0.01f) << c.field << " " << c.typed_lb;
    EXPECT_NEAR(set.load_fixed, c.payload_kg, 0.01f) << c.typed_lb;
    const float on_board = std::string(c.field) == "fuel" && !c.refusal ? c.fuel_kg : 20.0f;
    EXPECT_NEAR(flt.m_fuel, on_board, 0.01f);
    if (!c.refusal) {
      EXPECT_NEAR(flt.m_total, 1000.0f + on_board + c.payload_kg, 0.01f);
    }
    EXPECT_EQ(macibm_alert_log().empty() ? std::string() : last_alert().line[0],
              c.refusal ? c.refusal : "");
  }
  open_settings_window(WIN_FUEL);
  headless_form_press(WIN_FUEL, "full");  // full tanks would be too heavy with this payload
  headless_form_release();
  EXPECT_NEAR(set.load_fuel, 150.0f, 0.01f);
  EXPECT_EQ(headless_form_text(WIN_FUEL, "weights"),  // 20 kg of fuel left, not the 150 loaded
            "Empty 2205 lb, maximum 3307 lb; now 3020 lb in all.");
}
