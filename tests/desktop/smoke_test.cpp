// Kestrix itself on a virtual X server: it starts from a preferences file naming a sample
// aircraft, draws its main window, takes a command from its real menu bar through synthetic key
// presses, and leaves through File > Exit with status 0 and its preferences saved.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "shared/shared.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

static double seconds_now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

static void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

static std::string output_of(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[256];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

static std::vector<std::string> window_ids(const std::string& name_pattern) {
  std::istringstream in(output_of("xdotool search --name '" + name_pattern + "' 2>/dev/null"));
  std::vector<std::string> ids;
  for (std::string id; in >> id;) ids.push_back(id);
  return ids;
}

static std::string file_text(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs a program in `folder` with the preferences under `config`; returns its process id.
static pid_t start(const char* program, const std::vector<std::string>& args,
                   const fs::path& folder, const fs::path& config) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(folder.c_str()) != 0) _exit(126);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(program, argv.data());
  _exit(127);
}

// Waits for the process to end; -1 when it is still running at the deadline.
static int wait_exit(pid_t pid, double deadline, void (*each_pass)() = nullptr) {
  while (seconds_now() < deadline) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (each_pass) each_pass();
    pause_ms(100);
  }
  return -1;
}

// Every box that is up is answered with Return, as a pilot clicking OK.
static void close_boxes() {
  for (const std::string& id : window_ids("^Skyloom Message$"))
    output_of("xdotool windowfocus --sync " + id + " key Return 2>/dev/null");
}

// Distinct colours in the screen rectangle of a window.
static size_t colours_in_window(const std::string& id) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 0;
  Window w = static_cast<Window>(std::stoul(id));
  XWindowAttributes a;
  size_t n = 0;
  Window child;
  int x = 0, y = 0;
  if (XGetWindowAttributes(d, w, &a) &&
      XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child)) {
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (img) {
      std::set<unsigned long> colours;
      for (int j = 0; j < a.height; j++)
        for (int i = 0; i < a.width; i++) colours.insert(XGetPixel(img, i, j));
      n = colours.size();
      XDestroyImage(img);
    }
  }
  XCloseDisplay(d);
  return n;
}

class DesktopSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::absolute("smoke");
    fs::remove_all(folder);
    config = folder / "config";
    fs::create_directories(config);
  }
  void TearDown() override {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  fs::path folder, config;
  pid_t pid = -1;
};

TEST_F(DesktopSmoke, KestrixStartsDrawsTakesAMenuCommandAndExitsThroughTheFileMenu) {
  const double start_time = seconds_now();
  // The preferences are the simulator's own, written by a short headless run that flew the
  // first sample aircraft.
  pid_t headless = start(KESTRIX_HEADLESS_BINARY, {"--frames", "5"}, folder, config);
  ASSERT_EQ(wait_exit(headless, start_time + 20.0), 0);
  const fs::path prefs = config / "Kestrix" / "Kestrix.prf";
  ASSERT_NE(file_text(prefs).find("/aircraft/"), std::string::npos) << "no aircraft in the prefs";
  fs::remove(folder / "Error.out");

  pid = start(KESTRIX_BINARY, {}, folder, config);
  ASSERT_GT(pid, 0);

  // Start-up ends with the joystick check: with no stick its notice is the last box.
  const double started_by = seconds_now() + 30.0;
  std::string main_window;
  bool started = false;
  while (!started && seconds_now() < started_by) {
    ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "Kestrix ended during start-up:\n"
                                                 << file_text(folder / "Error.out");
    close_boxes();
    std::vector<std::string> mains = window_ids("^Kestrix$");
    if (!mains.empty()) main_window = mains.front();
    const std::string log = file_text(folder / "Error.out");
    started = !main_window.empty() && window_ids("^Skyloom Message$").empty() &&
              (log.find("Flight control will therefore be with the mouse.") != std::string::npos ||
               log.find("Push the 'OK' button below") != std::string::npos);
    pause_ms(100);
  }
  ASSERT_TRUE(started) << file_text(folder / "Error.out");

  // The start-up picture fills the drawing area: far more than the few colours of a blank window.
  size_t colours = 0;
  for (double until = seconds_now() + 10.0; colours < 16 && seconds_now() < until; pause_ms(200))
    colours = colours_in_window(main_window);
  EXPECT_GE(colours, 16u);

  // F10 opens the menu bar; Special is the sixth menu and "Report Logged Time on Exit" its eighth
  // item. Then File > Exit, the fourth item of the first menu.
  const std::string keys = "xdotool windowfocus --sync " + main_window + " key --delay 120 ";
  output_of(keys +
            "F10 Right Right Right Right Right Down Down Down Down Down Down Down Down Return");
  output_of(keys + "F10 Down Down Down Down Return");
  const int status = wait_exit(pid, seconds_now() + 20.0, close_boxes);
  pid = -1;
  ASSERT_EQ(status, 0) << file_text(folder / "Error.out");

  // The command reached the simulator: the logged time was reported on the way out, and the saved
  // preferences, read back by the simulator's own reader, keep the switch on.
  EXPECT_NE(file_text(folder / "Error.out").find("Logbook results:"), std::string::npos);
  std::snprintf(prefs_path, sizeof prefs_path, "%s", prefs.c_str());
  msc.logtime = 0;
  ASSERT_EQ(inf_open(prefs_path, FILE_ANY, VERSION_PREFS, 0), 1);
  EXPECT_EQ(grab_prefs(), 1);
  inf.close();
  EXPECT_EQ(msc.logtime, 1);
  EXPECT_LT(seconds_now() - start_time, 60.0);
}
