// File > Flight Test: the runner flies the design as the editor holds it in a process of its own,
// the loop goes on while it flies, and the card before stays beside the new one.
#include "editor/editor_fixture.h"

#include <cstdlib>
#include <cstring>

namespace {

class FlightTestCommand : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    setenv("TMPDIR", std::filesystem::current_path().c_str(), 1);
    flight_test_program = KESTRIX_FLY_BINARY;
  }
  void TearDown() override {
    flight_test_program = nullptr;
    unsetenv("TMPDIR");
    EditorTest::TearDown();
  }
  // Passes of the loop until the card is flown; false when it takes beyond a minute.
  static bool fly_card() {
    command(CMD_FLIGHT_TEST);
    for (int pass = 0; pass < 12000 && flight_test_running(); pass++) editor_loop_pass();
    return !flight_test_running();
  }
  static std::vector<std::string> lines(const char* list) {
    return headless_form_lines(WIN_FLIGHT_TEST, list);
  }
  static std::string line_of(const char* list, const char* figure) {
    for (const std::string& l : lines(list))
      if (l.compare(0, std::strlen(figure), figure) == 0) return l;
    return "";
  }
  static int temporary_files() {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator("."))
      n += e.path().filename().string().rfind("airwright-card-", 0) == 0;
    return n;
  }
};

}  // namespace

// The card comes while the loop runs, from a temporary file that goes afterwards; the next card
// flies beside it; a second Flight Test while one flies only says so.
TEST_F(FlightTestCommand, TheCardIsFlownBesideTheOneBeforeAndFailuresAreToldInTheWindow) {
  open(copy_sample("Trainer.acf"));
  const auto written = std::filesystem::last_write_time("Trainer.acf");
  edt.planemod = 0;
  ASSERT_TRUE(fly_card());
  EXPECT_EQ(edt.planemod, 0);
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_TEST, "status"), "The card is flown.");
  EXPECT_EQ(headless_form_shown(WIN_FLIGHT_TEST, "progress"), 100.0f);
  EXPECT_EQ(line_of("now", "weight_lb"), "weight_lb           2450");
  EXPECT_NE(line_of("now", "landing_roll_ft"), "");
  EXPECT_TRUE(lines("before").empty());
  EXPECT_EQ(temporary_files(), 0);
  EXPECT_EQ(std::filesystem::last_write_time("Trainer.acf"), written);
  const std::vector<std::string> first = lines("now");

  pln.m_max = 2600.0f;
  edt.planemod = 1;
  command(CMD_FLIGHT_TEST);
  ASSERT_TRUE(flight_test_running());
  macibm_clear_alert_log();
  ASSERT_TRUE(fly_card());
  ASSERT_FALSE(macibm_alert_log().empty());
  EXPECT_EQ(macibm_alert_log().front().line[0], "A card is being flown.");
  EXPECT_EQ(lines("before"), first);
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_TEST, "before title"), "Before: Trainer.acf");
  EXPECT_EQ(line_of("now", "weight_lb"), "weight_lb           2600");

  // A design the runner refuses and a runner that is not there are told in the window, and the
  // card before stays.
  pln.m_empty = pln.m_max + 100.0f;  // heavier empty than the maximum: no load fits
  ASSERT_TRUE(fly_card());
  const std::string why = headless_form_text(WIN_FLIGHT_TEST, "status");
  EXPECT_EQ(why.rfind("No card: You have selected an empty weight", 0), 0u) << why;
  EXPECT_TRUE(lines("now").empty());
  EXPECT_FALSE(lines("before").empty());

  flight_test_program = "/nonexistent/kestrix-fly";
  command(CMD_FLIGHT_TEST);
  EXPECT_FALSE(flight_test_running());
  EXPECT_EQ(headless_form_text(WIN_FLIGHT_TEST, "status"),
            "kestrix-fly, which flies the card, is not at /nonexistent/kestrix-fly.");
  EXPECT_EQ(temporary_files(), 0);
}
