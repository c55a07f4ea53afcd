// What the editor's tests share: a folder of each test's own, the editor started on the headless
// back end as the program starts it, its commands delivered through the loop, and the samples.
#pragma once

#include <filesystem>
#include <string>

#include "support/test_support.h"

#include "app/headless/headless.h"
#include "app/macibm.h"
#include "editor/editor.h"
#include "shared/shared.h"

// A sample aircraft as the build lays it out, and a copy of it in the test's own folder.
inline std::string sample_path(const std::string& file) {
  return std::string(KESTRIX_RUNTIME_DIR) + "/aircraft/" + file;
}
inline std::string copy_sample(const std::string& file) {
  std::filesystem::copy_file(sample_path(file), file,
                             std::filesystem::copy_options::overwrite_existing);
  return (std::filesystem::current_path() / file).string();
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_reset();
    install_editor_hooks();
    ASSERT_EQ(MACIBM_init("Airwright", EDITOR_WINDOW_W, EDITOR_WINDOW_H), 1);
    initairwright();
    mnw.ready_to_update = 1;
    macibm_clear_alert_log();
  }

  // A menu command as the user gives it: queued, then delivered by one pass of the loop.
  static void command(int id) {
    headless_post_menu(id);
    editor_loop_pass();
  }
  // Opens a file through the Open command and its dialog.
  static void open(const std::string& path) {
    headless_queue_open_answer(path.c_str());
    command(CMD_OPEN);
  }
};
