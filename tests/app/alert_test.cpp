// Alerts: logging, the value substitution, and the fatal path's ordering and re-entry guard.
#include "support/test_support.h"

#include <fstream>
#include <sstream>

TEST(AppAlert, NoticeIsLoggedAndReturns) {
  MACIBM_alert("one", "two", nullptr, "four", ALERT_NOTICE);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "one");
  EXPECT_EQ(last_alert().line[2], "");
  EXPECT_EQ(last_alert().line[3], "four");
  std::ifstream log("Error.out");
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_NE(text.str().find("two"), std::string::npos);
}

TEST(AppAlert, FatalWithValueShowsTheNumberAndEnds) {
  int value = 62;
  EXPECT_FATAL_ALERT(MACIBM_alert("Invalwind out of bounds", "", "", reinterpret_cast<const char*>(&value),
                                  ALERT_SIM_FATAL_VALUE));
  EXPECT_EQ(last_alert().line[3], "62");
}

TEST(AppAlert, EditorCodesDifferFromSimulatorCodes) {
  macibm_program = PROGRAM_EDITOR;
  MACIBM_alert("not fatal in the editor", "", "", "", ALERT_SIM_FATAL);
  EXPECT_FATAL_ALERT(MACIBM_alert("fatal", "", "", "", ALERT_EDIT_FATAL));
}

static int fatal_hook_calls;
static int fatal_hook_message;
static void count_fatal(int had_message) {
  fatal_hook_calls++;
  fatal_hook_message = had_message;
  // A fatal alert raised during shutdown must not run the shutdown again.
  MACIBM_alert("nested", "", "", "", ALERT_SIM_FATAL);
}

TEST(AppAlert, FatalPathRunsHookOnceEvenWhenItRaisesAnother) {
  fatal_hook_calls = 0;
  macibm_fatal_hook = count_fatal;
  EXPECT_FATAL_ALERT(MACIBM_alert("", "", "", "", ALERT_SIM_FATAL));
  EXPECT_EQ(fatal_hook_calls, 1);
  EXPECT_EQ(fatal_hook_message, 0);
  // The guard is released after the throw, so a later fatal alert shuts down again.
  EXPECT_FATAL_ALERT(MACIBM_alert("again", "", "", "", ALERT_SIM_FATAL));
  EXPECT_EQ(fatal_hook_calls, 2);
  EXPECT_EQ(fatal_hook_message, 1);
}
