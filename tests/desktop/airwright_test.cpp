// Airwright itself on a virtual X server: started on a sample aircraft, it shows the aircraft in
// its four panes with the turning one turning, keeps a second start out, and leaves through File >
// Quit with status 0 when nothing changed.
#include <gtest/gtest.h>

#include "desktop/x11_process.h"

TEST(DesktopAirwright, ShowsTheAircraftKeepsOneInstanceAndQuitsThroughTheFileMenu) {
  const fs::path folder = fs::absolute("airwright"), config = folder / "config";
  fs::remove_all(folder);
  fs::create_directories(config);
  const fs::path twin = folder / "Light Twin.acf";
  fs::copy_file(fs::path(KESTRIX_RUNTIME_DIR) / "aircraft" / "Light Twin.acf", twin);

  pid_t pid = start(AIRWRIGHT_BINARY, {twin.string()}, folder, config);
  ASSERT_GT(pid, 0);
  std::string window;
  for (double until = seconds_now() + 30.0; window.empty() && seconds_now() < until; pause_ms(200)) {
    const std::vector<std::string> ids = window_ids("^Airwright: Light Twin.acf$");
    if (!ids.empty()) window = ids.front();
  }
  ASSERT_FALSE(window.empty()) << file_text(folder / "Error.out");

  // The drawing area is the bottom 800 x 560 of the window, under its menu bar: the top view in
  // its upper left quarter, the turning view in its lower right.
  screen_picture a;
  for (double until = seconds_now() + 10.0;
       colours_in_rows(a, a.h - 560, a.h - 280) < 8 && seconds_now() < until; pause_ms(200))
    a = picture_of_window(window);
  ASSERT_EQ(a.w, 800);
  EXPECT_GE(colours_in_rows(a, a.h - 560, a.h - 280), 8u);
  pause_ms(700);
  const screen_picture b = picture_of_window(window);
  size_t turning = 0, still = 0;
  for (int j = b.h - 560; j < b.h; j++)
    for (int i = 0; i < b.w; i++) {
      if (a.at(i, j) == b.at(i, j)) continue;
      (i >= 400 && j >= b.h - 280 ? turning : still)++;
    }
  EXPECT_GT(turning, 300u) << "the turning view did not turn";
  EXPECT_EQ(still, 0u) << "the other views changed without a change of the aircraft";

  // A second start finds the first and ends at once, saying why.
  const std::string second = output_of("cd '" + folder.string() + "' && XDG_CONFIG_HOME='" +
                                       config.string() + "' '" + AIRWRIGHT_BINARY + "' 2>&1; echo status=$?");
  EXPECT_NE(second.find("running already"), std::string::npos) << second;
  EXPECT_NE(second.find("status=0"), std::string::npos) << second;

  // F10 opens the menu bar; Quit is the seventh item of File. The aircraft is unchanged, so
  // nothing is asked.
  output_of("xdotool windowfocus --sync " + window +
            " key --delay 120 F10 Down Down Down Down Down Down Down Return");
  const int status = wait_exit(pid, seconds_now() + 20.0);
  if (status < 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  EXPECT_EQ(status, 0) << file_text(folder / "Error.out");
}
