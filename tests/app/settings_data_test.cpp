// The "Set Data Output" window driven as the user would: each destination takes groups up to its
// limit from any block of the window, a choice beyond it is refused with a message and changes
// nothing, and every change reaches the list, the graph and the file at once.
#include "app_fixture.h"

#include <string>

#include "app/settings.h"

class AppSettingsData : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
    APPLICATION_handlemenu(401);
  }
  // Group g's box in a column ("disk", "screen", "graph"): the block's field and its element.
  static bool choose(const char* column, int g, int on) {
    const std::string field = column + std::to_string(g / 17);
    return headless_form_set(WIN_DATA_OUTPUT, field.c_str(), static_cast<float>(on), g % 17);
  }
  static float shown(const char* column, int g) {
    const std::string field = column + std::to_string(g / 17);
    return headless_form_shown(WIN_DATA_OUTPUT, field.c_str(), g % 17);
  }
};

TEST_F(AppSettingsData, EachDestinationTakesUpToItsLimitAndRefusesMoreWithAMessage) {
  const struct {
    const char* column;
    int most;
    const int* chosen;
    const int* slots;  // rltsel or grfsel: the groups in order, -1 unused
    const char* message;
  } cases[] = {
      {"screen", 10, set.Brlt, set.rltsel, "The on-screen list takes at most 10 groups."},
      {"graph", 4, set.Bgrf, set.grfsel, "The graph takes at most 4 groups."},
  };
  for (const auto& c : cases) {
    // Every third group, so that the choices run across the three blocks.
    for (int k = 0; k < c.most; k++) {
      ASSERT_TRUE(choose(c.column, 3 * k + 2, 1));
      EXPECT_EQ(c.slots[k], 3 * k + 2) << c.column;  // applied at once
    }
    EXPECT_FALSE(alert_shown(c.message));
    choose(c.column, 50, 1);
    EXPECT_TRUE(alert_shown(c.message)) << c.column;
    EXPECT_EQ(c.chosen[50], 0) << c.column;
    EXPECT_EQ(shown(c.column, 50), 0.0f) << c.column;
    // One off makes room for another.
    choose(c.column, 2, 0);
    choose(c.column, 50, 1);
    EXPECT_EQ(c.chosen[50], 1) << c.column;
    EXPECT_EQ(c.slots[c.most - 1], 50) << c.column;
  }
  EXPECT_EQ(set.rltout, 1);
  EXPECT_EQ(set.grfout, 1);
  EXPECT_EQ(set.dskout, 0);
}

TEST_F(AppSettingsData, TheFileTakesEveryGroup) {
  for (int g = 0; g < DATA_GROUPS_DEFINED; g++) choose("disk", g, 1);
  EXPECT_EQ(data_choice_count(DEST_FILE), DATA_GROUPS_DEFINED);
  EXPECT_EQ(set.dskout, 1);
  EXPECT_TRUE(macibm_alert_log().empty());
  choose("disk", 0, 0);
  EXPECT_EQ(set.Bdsk[0], 0);
  EXPECT_EQ(shown("disk", 0), 0.0f);
}
