// Kestrix itself on a virtual X server: it starts from a preferences file naming a sample
// aircraft, flies frames that move its view, takes a command from its real menu bar through
// synthetic key presses, and leaves through File > Exit with status 0 and its preferences saved.
// Started on an aircraft that fails its checks, it shows the fatal box, waits for it, spoils its
// preferences and ends with a failure status. A first start with no preferences shows only the
// welcome and the aircraft dialog.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/macibm.h"
#include "render/render.h"
#include "shared/shared.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include "desktop/x11_process.h"

// The main window's drawing area is 800 x 580 pixels at the bottom of its frame, under the menu
// bar; the 3-D view is the strip of it above the panel. Its rows in the frame's picture:
static void view_rows(const screen_picture& frame, int* top, int* bottom) {
  int x, y, w, h;
  view_area(800, 580, 0, &x, &y, &w, &h);
  *top = frame.h - (y + h);
  *bottom = frame.h - y;
}

// The simulated local time of day that a preferences file holds, read by the simulator's reader;
// -1 when the file cannot be read.
static float saved_local_time(const fs::path& prefs, int* logtime = nullptr) {
  std::snprintf(prefs_path, sizeof prefs_path, "%s", prefs.c_str());
  msc.locl_time = -1.0f;
  msc.logtime = 0;
  int ok = inf_open(prefs_path, FILE_ANY, VERSION_PREFS, 0) && grab_prefs();
  inf.close();
  inf.clear();
  if (logtime) *logtime = msc.logtime;
  return ok ? msc.locl_time : -1.0f;
}

class DesktopSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::absolute("smoke");
    fs::remove_all(folder);
    config = folder / "config";
    fs::create_directories(config);
    prefs = config / "Kestrix" / "Kestrix.prf";
  }
  void TearDown() override {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  // The preferences are the simulator's own, written by a short headless run that flew the first
  // sample aircraft.
  void write_prefs_by_a_headless_run() {
    pid_t headless = start(KESTRIX_HEADLESS_BINARY, {"--frames", "5"}, folder, config);
    ASSERT_EQ(wait_exit(headless, seconds_now() + 20.0), 0);
    ASSERT_NE(file_text(prefs).find("/aircraft/"), std::string::npos) << "no aircraft in the prefs";
    fs::remove(folder / "Error.out");
    fs::remove(folder / "Kestrix.out");
  }

  // Start-up ends with the joystick check, whose notice reaches the log (as a box only when a
  // stick is there but unusable). Every box before it is answered. Returns the main window's id.
  std::string wait_until_started() {
    const double started_by = seconds_now() + 30.0;
    std::string main_window;
    while (seconds_now() < started_by) {
      if (waitpid(pid, nullptr, WNOHANG) != 0) {
        pid = -1;
        ADD_FAILURE() << "Kestrix ended during start-up:\n" << file_text(folder / "Error.out");
        return "";
      }
      close_boxes();
      std::vector<std::string> mains = window_ids("^Kestrix$");
      if (!mains.empty()) main_window = mains.front();
      const std::string log = file_text(folder / "Error.out");
      if (!main_window.empty() && window_ids("^Skyloom Message$").empty() &&
          (log.find("Flying is with the mouse.") != std::string::npos ||
           log.find("Push the 'OK' button below") != std::string::npos))
        return main_window;
      pause_ms(100);
    }
    ADD_FAILURE() << "Kestrix did not start:\n" << file_text(folder / "Error.out");
    return "";
  }

  fs::path folder, config, prefs;
  pid_t pid = -1;
};

TEST_F(DesktopSmoke, KestrixStartsFliesTakesAMenuCommandAndExitsThroughTheFileMenu) {
  const double start_time = seconds_now();
  ASSERT_NO_FATAL_FAILURE(write_prefs_by_a_headless_run());
  const float time_of_day_before = saved_local_time(prefs);
  ASSERT_GE(time_of_day_before, 0.0f);

  pid = start(KESTRIX_BINARY, {}, folder, config);
  ASSERT_GT(pid, 0);
  const std::string main_window = wait_until_started();
  ASSERT_FALSE(main_window.empty());

  // The start-up picture fills the drawing area: far more than the few colours of a blank window.
  screen_picture first;
  for (double until = seconds_now() + 10.0;
       colours_in_rows(first, 0, first.h) < 16 && seconds_now() < until; pause_ms(200))
    first = picture_of_window(main_window);
  ASSERT_GE(colours_in_rows(first, 0, first.h), 16u);

  // Frames run: a second later the view shows the scene from where the aircraft has rolled to.
  // The start-up picture behind the view would stay as it was if no frame drew over it.
  pause_ms(1000);
  const screen_picture second = picture_of_window(main_window);
  int top = 0, bottom = 0;
  view_rows(second, &top, &bottom);
  ASSERT_GT(bottom - top, 100);
  EXPECT_GE(colours_in_rows(second, top, bottom), 16u);
  EXPECT_GT(changed_in_rows(first, second, top, bottom), static_cast<size_t>(second.w) * 10)
      << "the view did not change in a second";

  // F10 opens the menu bar; Special is the sixth menu and "Report Logged Time on Exit" its eighth
  // item. Then File > Exit, the fourth item of the first menu.
  const std::string keys = "xdotool windowfocus --sync " + main_window + " key --delay 120 ";
  output_of(keys +
            "F10 Right Right Right Right Right Down Down Down Down Down Down Down Down Return");
  output_of(keys + "F10 Down Down Down Down Return");
  const int status = wait_exit(pid, seconds_now() + 20.0, close_boxes);
  pid = -1;
  ASSERT_EQ(status, 0) << file_text(folder / "Error.out");

  // The command reached the simulator: the logged time was reported on the way out. The
  // preferences saved on the way out, read back by the simulator's own reader, keep the switch
  // on and the time of day that the frames advanced.
  EXPECT_NE(file_text(folder / "Error.out").find("Logbook results:"), std::string::npos);
  int logtime = 0;
  const float time_of_day_after = saved_local_time(prefs, &logtime);
  EXPECT_EQ(logtime, 1);
  EXPECT_GT(time_of_day_after, time_of_day_before + 0.2f);
  EXPECT_LT(seconds_now() - start_time, 60.0);
}

// The empty weight line of an aircraft file, as the writer puts it: the value, then the label.
static bool zero_the_empty_weight(const fs::path& from, const fs::path& to) {
  std::istringstream in(file_text(from));
  std::ofstream out(to, std::ios::binary);
  bool found = false;
  const std::string label = " empty weight";
  for (std::string line; std::getline(in, line);) {
    if (line.size() > label.size() &&
        line.compare(line.size() - label.size(), label.size(), label) == 0) {
      line = "0" + label;
      found = true;
    }
    out << line << '\n';
  }
  return found && out.good();
}

// The preferences name the aircraft by its file name and full path, the two lines after the
// header.
static bool point_prefs_at(const fs::path& prefs, const fs::path& aircraft) {
  std::istringstream in(file_text(prefs));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.size() < 4) return false;
  lines[2] = aircraft.filename().string();
  lines[3] = aircraft.string();
  std::ofstream out(prefs, std::ios::binary);
  for (const std::string& l : lines) out << l << '\n';
  return out.good();
}

static std::string line_of_prefs(const fs::path& prefs, int n) {
  std::istringstream in(file_text(prefs));
  std::string line;
  for (int i = 0; i <= n && std::getline(in, line); i++) {
  }
  return line;
}

TEST_F(DesktopSmoke, FatalAlertShowsItsBoxThenSpoilsThePreferencesAndEndsWithAFailure) {
  const double start_time = seconds_now();
  ASSERT_NO_FATAL_FAILURE(write_prefs_by_a_headless_run());
  const fs::path sample = line_of_prefs(prefs, 3);
  const fs::path weightless = folder / "Weightless.acf";
  ASSERT_TRUE(zero_the_empty_weight(sample, weightless)) << sample;
  ASSERT_TRUE(point_prefs_at(prefs, weightless));

  pid = start(KESTRIX_BINARY, {}, folder, config);
  ASSERT_GT(pid, 0);
  const std::string fatal_text =
      "You have entered an empty weight of zero!\n"
      "This defies the immutable laws of physics!\n"
      "Please do not defy the immutable laws of physics!\n"
      "Weightless.acf\n";

  // The boxes of start-up are answered until the fatal one is logged. The boxes are looked for
  // before the log is read, so that none found can be the fatal box itself.
  bool logged = false;
  for (double until = seconds_now() + 30.0; !logged && seconds_now() < until; pause_ms(100)) {
    ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "Kestrix ended before its fatal box:\n"
                                                 << file_text(folder / "Error.out");
    const std::vector<std::string> boxes = window_ids("^Skyloom Message$");
    logged = file_text(folder / "Error.out").find(fatal_text) != std::string::npos;
    if (!logged)
      for (const std::string& id : boxes)
        output_of("xdotool windowfocus --sync " + id + " key Return 2>/dev/null");
  }
  ASSERT_TRUE(logged) << file_text(folder / "Error.out");

  // The box waits for the pilot, and nothing is torn down before it is answered.
  std::vector<std::string> boxes;
  for (double until = seconds_now() + 10.0; boxes.empty() && seconds_now() < until; pause_ms(100))
    boxes = window_ids("^Skyloom Message$");
  ASSERT_FALSE(boxes.empty()) << "no box for the fatal alert";
  pause_ms(300);
  ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "Kestrix ended without waiting for its box";
  EXPECT_EQ(line_of_prefs(prefs, 1), "1412 version");

  const int status = wait_exit(pid, seconds_now() + 15.0, close_boxes);
  pid = -1;
  EXPECT_EQ(status, 1) << "a fatal error must end with a failure status, not 0 or a signal";

  // The next start falls back to the factory settings; the report of the aircraft being loaded
  // and the error log reached their files.
  EXPECT_EQ(file_text(prefs), "I\n-1 version\nz\n");
  EXPECT_NE(file_text(folder / "Kestrix.out").find("AIRCRAFT: " + weightless.string()),
            std::string::npos);
  EXPECT_NE(file_text(folder / "Error.out").find(fatal_text), std::string::npos);
  EXPECT_LT(seconds_now() - start_time, 60.0);
}

// A new user's first start, with an empty configuration folder: the welcome box and the aircraft
// dialog, then the flight, and no other box on the way.
TEST_F(DesktopSmoke, AFirstStartShowsOnlyTheWelcomeAndTheAircraftChoice) {
  const std::string trainer = std::string(KESTRIX_RUNTIME_DIR) + "/aircraft/Trainer.acf";
  pid = start(KESTRIX_BINARY, {}, folder, config);
  ASSERT_GT(pid, 0);
  std::set<std::string> boxes, dialogs;
  bool started = false;
  for (double until = seconds_now() + 40.0; !started && seconds_now() < until; pause_ms(100)) {
    ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "Kestrix ended during its first start:\n"
                                                 << file_text(folder / "Error.out");
    const std::vector<std::string> up = window_ids("^Skyloom Message$", true);
    const std::vector<std::string> open = window_ids("^Open$", true);
    for (const std::string& id : up) {
      boxes.insert(id);
      output_of("xdotool windowfocus --sync " + id + " key Return 2>/dev/null");
    }
    for (const std::string& id : open) {
      if (!dialogs.insert(id).second) continue;
      output_of("xdotool windowfocus --sync " + id + " type --delay 20 '" + trainer +
                "' 2>/dev/null");
      output_of("xdotool windowfocus --sync " + id + " key Return 2>/dev/null");
    }
    started =
        up.empty() && open.empty() && !window_ids("^Kestrix$", true).empty() &&
        file_text(folder / "Error.out").find("Flying is with the mouse.") != std::string::npos;
  }
  ASSERT_TRUE(started) << file_text(folder / "Error.out");
  pause_ms(1000);  // nothing follows once the flight has begun
  EXPECT_TRUE(window_ids("^Skyloom Message$", true).empty());

  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(dialogs.size(), 1u);
  const std::string log = file_text(folder / "Error.out");
  EXPECT_NE(log.find("Welcome to Kestrix.\n"), std::string::npos);
  EXPECT_EQ(log.find("Sound init failure!"), std::string::npos);
}
