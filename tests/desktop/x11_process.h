// What the desktop tests that run a program need: starting it in a folder of its own, waiting
// for its end, finding its windows by name, pressing keys in them and taking their pictures from
// the virtual X server.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

inline double seconds_now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

inline void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

inline std::string output_of(const std::string& command) {
  std::string out;
  run_command(command, &out);
  return out;
}

inline std::vector<std::string> window_ids(const std::string& name_pattern,
                                           bool only_visible = false) {
  std::istringstream in(output_of(std::string("xdotool search ") +
                                  (only_visible ? "--onlyvisible " : "") + "--name '" +
                                  name_pattern + "' 2>/dev/null"));
  std::vector<std::string> ids;
  for (std::string id; in >> id;) ids.push_back(id);
  return ids;
}

// Runs a program in `folder` with the preferences under `config`; returns its process id. It is
// started once the virtual server, maybe still coming up, takes a connection (or after 10 s).
inline pid_t start(const char* program, const std::vector<std::string>& args,
                   const fs::path& folder, const fs::path& config) {
  for (double until = seconds_now() + 10.0; seconds_now() < until; pause_ms(100)) {
    if (Display* d = XOpenDisplay(nullptr)) {
      XCloseDisplay(d);
      break;
    }
  }
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
inline int wait_exit(pid_t pid, double deadline, void (*each_pass)() = nullptr) {
  while (seconds_now() < deadline) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (each_pass) each_pass();
    pause_ms(100);
  }
  return -1;
}

// The windows whose names match, once at least one is up or `seconds` have passed.
inline std::vector<std::string> wait_for_windows(const std::string& name_pattern, double seconds,
                                                 bool only_visible = false) {
  std::vector<std::string> ids;
  for (double until = seconds_now() + seconds; ids.empty() && seconds_now() < until; pause_ms(50))
    ids = window_ids(name_pattern, only_visible);
  return ids;
}

// xdotool's key arguments (options first, then keys) pressed in a window given the focus.
inline void press_keys(const std::string& window, const std::string& keys) {
  output_of("xdotool windowfocus --sync " + window + " key " + keys + " 2>/dev/null");
}

// Every box that is up is answered with Return, as a pilot clicking OK.
inline void close_boxes() {
  for (const std::string& id : window_ids("^Skyloom Message$")) press_keys(id, "Return");
}

// What a window shows on the screen, one pixel value per pixel, rows from the top.
struct screen_picture {
  int w = 0, h = 0;
  std::vector<unsigned long> px;
  unsigned long at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

inline screen_picture picture_of_window(const std::string& id) {
  screen_picture pic;
  Display* d = XOpenDisplay(nullptr);
  if (!d) return pic;
  Window w = static_cast<Window>(std::stoul(id));
  XWindowAttributes a;
  Window child;
  int x = 0, y = 0;
  if (XGetWindowAttributes(d, w, &a) &&
      XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child)) {
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (img) {
      pic.w = a.width;
      pic.h = a.height;
      pic.px.reserve(static_cast<size_t>(pic.w) * pic.h);
      for (int j = 0; j < pic.h; j++)
        for (int i = 0; i < pic.w; i++) pic.px.push_back(XGetPixel(img, i, j));
      XDestroyImage(img);
    }
  }
  XCloseDisplay(d);
  return pic;
}

// Distinct colours in rows top..bottom - 1 of a picture.
inline size_t colours_in_rows(const screen_picture& pic, int top, int bottom) {
  std::set<unsigned long> colours;
  for (int j = std::max(top, 0); j < std::min(bottom, pic.h); j++)
    for (int i = 0; i < pic.w; i++) colours.insert(pic.at(i, j));
  return colours.size();
}

// Pixels of columns left..right - 1, rows top..bottom - 1, that differ between two pictures.
inline size_t changed_in(const screen_picture& a, const screen_picture& b, int left, int top,
                         int right, int bottom) {
  if (a.w != b.w || a.h != b.h) return 0;
  size_t n = 0;
  for (int j = std::max(top, 0); j < std::min(bottom, a.h); j++)
    for (int i = std::max(left, 0); i < std::min(right, a.w); i++) n += a.at(i, j) != b.at(i, j);
  return n;
}
