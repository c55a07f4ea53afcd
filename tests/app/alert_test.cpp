// Alerts: logging, the value substitution, and the fatal path's ordering and re-entry guard.
#include "support/test_support.h"

TEST(AppAlert, NoticeIsLoggedAndReturns) {
  if (err.is_open()) err.close();  // the log opens afresh in this test's folder
  MACIBM_alert("one", "two", nullptr, "four", ALERT_NOTICE);
  const std::string log = read_file("Error.out");
  EXPECT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "one");
  EXPECT_EQ(last_alert().line[2], "");
  EXPECT_EQ(last_alert().line[3], "four");
  EXPECT_NE(log.find("one\ntwo\n\nfour\n"), std::string::npos) << log;
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

static int holds, resumes;
static int ready_seen_by_box;
static void count_hold() { holds++; }
static void count_resume() {
  resumes++;
  ready_seen_by_box = mnw.ready_to_update;  // the sound loops start again only on live windows
}

// The box clears the live-window flag while it is up and puts back what it found, so that an
// alert in flight leaves the windows live and one during start-up does not make them live.
TEST(AppAlert, BoxHoldsSoundsAndRestoresTheWindowState) {
  holds = resumes = 0;
  macibm_hold_sounds_hook = count_hold;
  macibm_resume_sounds_hook = count_resume;
  mnw.ready_to_update = 1;
  MACIBM_alert("in flight", "", "", "", ALERT_NOTICE);
  EXPECT_EQ(mnw.ready_to_update, 1);
  EXPECT_EQ(ready_seen_by_box, 1);
  mnw.ready_to_update = 0;
  MACIBM_alert("during start-up", "", "", "", ALERT_NOTICE);
  EXPECT_EQ(mnw.ready_to_update, 0);
  EXPECT_EQ(holds, 2);
  EXPECT_EQ(resumes, 2);
  mnw.ready_to_update = 1;
  EXPECT_FATAL_ALERT(MACIBM_alert("fatal", "", "", "", ALERT_SIM_FATAL));
  EXPECT_EQ(resumes, 2);  // the fatal path releases the sound instead
}

// The status the process would end with; -1 when the statement did not end it.
template <typename F>
static int exit_status_of(F statement) {
  try {
    statement();
  } catch (const fatal_alert_exit& e) {
    return e.status;
  }
  return -1;
}

// Only the silent fatal alert of File > Exit is a normal end; one that reports anything, and one
// raised while the program shuts down, end with a failure status.
TEST(AppAlert, OnlyTheSilentFatalAlertEndsWithSuccess) {
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("", "", "", "", ALERT_SIM_FATAL); }), 0);
  EXPECT_EQ(exit_status_of([] { MACIBM_alert(nullptr, nullptr, nullptr, nullptr, 57); }), 0);
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("Bitmap is compressed!", "", "", "", 57); }), 1);
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("", "", "", "file.acf", ALERT_SIM_FATAL); }), 1);
  int value = 300;
  EXPECT_EQ(exit_status_of([&] {
              MACIBM_alert("Menu index out of range in create_menu!", "", "",
                           reinterpret_cast<const char*>(&value), ALERT_SIM_FATAL_VALUE);
            }),
            1);
  macibm_program = PROGRAM_EDITOR;
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("", "", "", "", ALERT_EDIT_FATAL); }), 0);
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("too many colors!", "", "", "", 54); }), 1);
  macibm_program = PROGRAM_SIMULATOR;
  macibm_fatal_hook = count_fatal;  // raises a fatal alert of its own during the shutdown
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("", "", "", "", ALERT_SIM_FATAL); }), 1);
  EXPECT_EQ(exit_status_of([] { MACIBM_alert("none", "", "", "", ALERT_NOTICE); }), -1);
}
