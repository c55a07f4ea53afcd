// Airwright itself on a virtual X server: started on a sample aircraft, it shows the aircraft in
// its four panes with the turning one turning, keeps a second start out, redraws a change typed
// into a screen, and leaves through File > Quit with status 0 once the change is saved.
#include <gtest/gtest.h>

#include "desktop/x11_process.h"

namespace {

// Starts Airwright in a folder of its own on a copy of a sample and returns its main window once
// the views are drawn in it (in *pic), answering the notices of the start (empty: not up in 30 s).
std::string start_on(const char* sample, const fs::path& folder, pid_t* pid, screen_picture* pic) {
  fs::remove_all(folder);
  fs::create_directories(folder / "config");
  fs::copy_file(fs::path(KESTRIX_RUNTIME_DIR) / "aircraft" / sample, folder / sample);
  *pid = start(AIRWRIGHT_BINARY, {(folder / sample).string()}, folder, folder / "config");
  std::string window;
  const std::string title = std::string("^Airwright: ") + sample + "$";
  for (double until = seconds_now() + 30.0; window.empty() && seconds_now() < until;
       pause_ms(200)) {
    close_boxes();
    const std::vector<std::string> ids = window_ids(title);
    if (!ids.empty() && window_ids("^Skyloom Message$").empty()) window = ids.front();
  }
  // The drawing area is the bottom 800 x 560 of the window, under its menu bar: the top view in
  // its upper left quarter, the turning view in its lower right.
  for (double until = seconds_now() + 10.0;
       !window.empty() && colours_in_rows(*pic, pic->h - 560, pic->h - 280) < 8 &&
       seconds_now() < until;
       pause_ms(200))
    *pic = picture_of_window(window);
  return window;
}

}  // namespace

TEST(DesktopAirwright, ShowsTheAircraftKeepsOneInstanceRedrawsAChangeAndQuitsThroughTheFileMenu) {
  const fs::path folder = fs::absolute("airwright"), config = folder / "config";
  pid_t pid = -1;
  screen_picture a;
  const std::string window = start_on("Light Twin.acf", folder, &pid, &a);
  ASSERT_GT(pid, 0);
  ASSERT_FALSE(window.empty()) << read_file(folder / "Error.out");
  ASSERT_EQ(a.w, 800);
  EXPECT_GE(colours_in_rows(a, a.h - 560, a.h - 280), 8u);
  pause_ms(700);
  const screen_picture b = picture_of_window(window);
  const int top = b.h - 560, mid = b.h - 280;
  EXPECT_GT(changed_in(a, b, 400, mid, b.w, b.h), 300u) << "the turning view did not turn";
  EXPECT_EQ(changed_in(a, b, 0, top, b.w, mid), 0u) << "the upper views changed by themselves";
  EXPECT_EQ(changed_in(a, b, 0, mid, 400, b.h), 0u) << "the lower left view changed by itself";

  // A second start finds the first and ends at once, saying why.
  const std::string second =
      output_of("cd '" + folder.string() + "' && XDG_CONFIG_HOME='" + config.string() + "' '" +
                AIRWRIGHT_BINARY + "' 2>&1; echo status=$?");
  EXPECT_NE(second.find("running already"), std::string::npos) << second;
  EXPECT_NE(second.find("status=0"), std::string::npos) << second;

  // The Wing 1 screen, the sixth item of Screens (the second menu; separators are no items): a
  // longer span typed into its first field, which has the focus, redraws the still views at once.
  const std::string keys = "xdotool windowfocus --sync " + window + " key --delay 150 F10 ";
  output_of(keys + "Right Down Down Down Down Down Down Return");
  const std::vector<std::string> wing = wait_for_windows("^Wing 1$", 10.0);
  ASSERT_FALSE(wing.empty()) << "the Wing 1 screen did not open";
  output_of("xdotool windowfocus --sync " + wing[0] + " key ctrl+a type 25");
  output_of("xdotool key --window " + wing[0] + " Return");
  pause_ms(500);
  output_of("xdotool windowraise " + window);
  pause_ms(700);
  // A picture of another size differs nowhere by changed_in, failing the check.
  const screen_picture after = picture_of_window(window);
  EXPECT_GT(changed_in(b, after, 0, top, b.w, mid) + changed_in(b, after, 0, mid, 400, b.h), 300u)
      << "the still views did not redraw the longer wing";

  // Save is the fourth item of File and Quit the eighth: once saved, the aircraft is unchanged,
  // so Quit asks nothing.
  output_of(keys + "Down Down Down Down Return");
  for (double until = seconds_now() + 10.0;
       read_file(folder / "Light Twin.acf").find("  25.0 semi-length") == std::string::npos &&
       seconds_now() < until;
       pause_ms(200))
    close_boxes();
  EXPECT_NE(read_file(folder / "Light Twin.acf").find("  25.0 semi-length"), std::string::npos);
  output_of(keys + "Down Down Down Down Down Down Down Down Return");
  const int status = wait_exit(pid, seconds_now() + 20.0, close_boxes);
  if (status < 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  EXPECT_EQ(status, 0) << read_file(folder / "Error.out");
}
