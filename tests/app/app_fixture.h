// Set-up shared by the application tests: a clean world, the headless script emptied, the
// simulator's hooks installed, and file names private to the running test (CTest runs the tests
// of a folder side by side in one working folder).
#pragma once

#include "support/test_support.h"

#include <filesystem>
#include <string>

#include "app/app.h"
#include "app/headless/headless.h"
#include "app/macibm.h"
#include "shared/shared.h"

// The full path of a sample aircraft as the build lays it out beside the programs.
#define SAMPLE_ACF(name) KESTRIX_RUNTIME_DIR "/aircraft/" name

// A file name of this test's own.
inline std::string scratch(const char* name) {
  const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(t->test_suite_name()) + "_" + t->name() + "_" + name;
}

// The last alert since the last clear whose first line is this, or null.
inline const alert_record* find_alert(const std::string& first_line) {
  const alert_record* found = nullptr;
  for (const alert_record& a : macibm_alert_log())
    if (a.line[0] == first_line) found = &a;
  return found;
}
inline bool alert_shown(const std::string& first_line) { return find_alert(first_line) != nullptr; }

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    headless_reset();
    macibm_clear_menus();
    install_simulator_hooks();
    reset_frame_timing();
    std::snprintf(prefs_path, sizeof prefs_path, "%s", scratch("config/Kestrix.prf").c_str());
    std::error_code ec;
    std::filesystem::remove(prefs_path, ec);  // left by an earlier run
  }
  // The test support puts the program's handlers and the clock back before the next test.
  void TearDown() override { headless_reset(); }
};
