// The headless simulator: the real start-up and loop without a screen, run for a bounded time. It
// answers the first-run aircraft dialog with the first aircraft file beside the program, leaves
// through the File menu's Exit and says what ran.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/headless/headless.h"
#include "app/macibm.h"
#include "shared/shared.h"

static long long max_frames = -1;  // a frame budget, when given
static double max_seconds = 5.0;   // otherwise simulated seconds
static bool loop_started = false;
static bool exit_posted = false;
static double real_start_ms = 0.0;
static std::string aircraft_folder;
static std::string aircraft_file;

static void usage(std::FILE* to) {
  std::fprintf(
      to,
      "usage: kestrix-headless [--frames N | --seconds S]\n"
      "Runs the simulator without a screen for N frames or S simulated seconds (default 5 s),\n"
      "then leaves through File > Exit.\n");
}

static char why[300];  // what could not be used, for the message
static bool help_asked = false;

// A budget is the whole text as a number: an empty one, or one too large to hold (which the
// conversion would turn into the largest it can, a run without end), is no budget.
static bool parse_args(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    const bool budget = std::strcmp(a, "--frames") == 0 || std::strcmp(a, "--seconds") == 0;
    if (std::strcmp(a, "--help") == 0) {
      help_asked = true;
      return true;
    }
    if (budget && i + 1 >= argc) {
      std::snprintf(why, sizeof why, "%s needs a value", a);
      return false;
    }
    if (std::strcmp(a, "--frames") == 0) {
      const char* v = argv[++i];
      char* end = nullptr;
      errno = 0;
      max_frames = std::strtoll(v, &end, 10);
      if (end == v || *end || errno == ERANGE || max_frames < 0) {
        std::snprintf(why, sizeof why, "--frames takes a whole number of frames, not '%.200s'", v);
        return false;
      }
    } else if (std::strcmp(a, "--seconds") == 0) {
      const char* v = argv[++i];
      char* end = nullptr;
      max_seconds = std::strtod(v, &end);
      if (end == v || *end || !(max_seconds >= 0.0 && max_seconds < 1.0e6)) {
        std::snprintf(why, sizeof why,
                      "--seconds takes simulated seconds from 0 to less than 1e6, not '%.200s'", v);
        return false;
      }
      max_frames = -1;
    } else {
      std::snprintf(why, sizeof why, "unknown option '%.200s'", a);
      return false;
    }
  }
  return true;
}

// The first aircraft file by name, so that every run flies the same one.
static void find_aircraft() {
  aircraft_folder = std::string(app_path) + "aircraft";
  std::vector<std::string> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(aircraft_folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == ".acf") found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  if (!found.empty()) aircraft_file = found.front();
}

// Called before each event dispatch of the loop: the first call marks the start of the run, and
// once the budget is spent the File menu's Exit is chosen.
static void end_run_when_done() {
  if (!loop_started) {
    loop_started = true;
    real_start_ms = MACIBM_clock_ms();
  }
  if (exit_posted) return;
  bool done = max_frames >= 0 ? loop_frames_run >= max_frames : loop_sim_seconds >= max_seconds;
  if (done) {
    headless_post_menu(206);
    exit_posted = true;
  }
}

static void report_and_exit(int status) {
  if (loop_started) {
    double real = (MACIBM_clock_ms() - real_start_ms) / 1000.0;
    std::printf(
        "kestrix-headless: ran %lld frames, %.2f simulated s in %.2f real s; final frame period "
        "%.4f s\n",
        loop_frames_run, loop_sim_seconds, real, msc.prd);
  } else if (aircraft_file.empty()) {
    std::printf(
        "kestrix-headless: no aircraft file (*.acf) in %s; the simulator needs one to start.\n",
        aircraft_folder.c_str());
  } else {
    std::printf("kestrix-headless: the simulator stopped during start-up (see Error.out).\n");
  }
  std::fflush(stdout);
  std::exit(status);
}

int main(int argc, char** argv) {
  if (!parse_args(argc, argv)) {
    std::fprintf(stderr, "kestrix-headless: %s\n", why);
    usage(stderr);
    return 2;
  }
  if (help_asked) {
    usage(stdout);
    return 0;
  }
  macibm_find_paths();
  find_aircraft();
  if (!aircraft_file.empty()) headless_queue_open_answer(aircraft_file.c_str());
  macibm_exit_hook = report_and_exit;
  headless_pass_hook = end_run_when_done;
  return WinMain(nullptr, nullptr, "", 1);
}
