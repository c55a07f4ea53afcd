// File > Flight Test: the design is saved to a temporary file and flown through the flight-test
// card by kestrix-fly, in a process of its own, so that the editor stays free of the flight model.
// The loop reads what the runner has written on each pass without waiting for it, and the window
// shows the card as it comes, with the card flown before it beside it, so that a designer sees
// what a change did.
#include "editor/editor.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/macibm.h"
#include "shared/shared.h"

extern char** environ;

const char* flight_test_program;

// One card: its design's name and its lines, figures in the order printed, then the failures.
struct flight_card {
  std::string title;
  std::vector<std::string> figures, failures;
};

// The run in flight and the two cards. Lifetime: program.
static struct {
  pid_t pid;            // the runner while it flies, 0 otherwise
  int fd;               // the read end of its output, -1 when none
  std::string partial;  // a line not yet ended
  std::string file;     // the temporary design file
  float percent;        // of the procedures flown
  std::string status;
  std::string message;  // the first line of the runner's own that is no figure: why it stopped
  flight_card now, before;
  int row_now, row_before;  // the lists' picked rows (nothing is done with them)
} ft = {0, -1, "", "", 0.0f, "", "", {}, {}, -1, -1};

int flight_test_running() { return ft.pid > 0; }

// ---- The window ------------------------------------------------------------------------------

static float percent_of(int) { return ft.percent; }

static const form_field flight_test_fields[] = {
    field_label("status", 500),
    field_meter("progress", "Flown", percent_of, 0.0f, 100.0f, 0),
    field_label("now title", 240),
    field_list("now", &ft.row_now, 16),
    new_column(field_label("before title", 240)),
    field_list("before", &ft.row_before, 16),
};

static std::vector<std::string> lines_of(const flight_card& c) {
  std::vector<std::string> lines = c.figures;
  lines.insert(lines.end(), c.failures.begin(), c.failures.end());
  return lines;
}

static void show_card(int w) {
  if (!form_of(w)) return;
  form_text(w, "status", ft.status.c_str());
  form_show(w, "progress");
  form_text(w, "now title", ft.now.title.c_str());
  form_list(w, "now", lines_of(ft.now));
  form_text(w, "before title",
            ft.before.title.empty() ? "" : ("Before: " + ft.before.title).c_str());
  form_list(w, "before", lines_of(ft.before));
}

static const form_window flight_test_form = {flight_test_fields, count_of(flight_test_fields),
                                             show_card, nullptr, nullptr};

static void open_window() {
  set_win_params(WIN_FLIGHT_TEST, "Flight Test", 560, 400);
  MACIBM_form_open(WIN_FLIGHT_TEST, &flight_test_form);
  show_card(WIN_FLIGHT_TEST);
}

// ---- Reading the runner ----------------------------------------------------------------------

// "card NAME=VALUE" is a figure, "progress N/M" the procedures flown and "kestrix-fly: NAME
// failed: WHY" a figure the card could not find; the first other line of the runner (a refused
// design, an alert) says why it stopped. The summary and the reasons for n/a are left out.
static void take_line(const std::string& line) {
  int done = 0, total = 0;
  if (line.compare(0, 5, "card ") == 0) {
    std::string s = line.substr(5);
    const size_t eq = s.find('=');
    if (eq != std::string::npos)
      s = s.substr(0, eq) + std::string(eq < 20 ? 20 - eq : 1, ' ') + s.substr(eq + 1);
    ft.now.figures.push_back(s);
  } else if (std::sscanf(line.c_str(), "progress %d/%d", &done, &total) == 2 && total > 0) {
    ft.percent = 100.0f * fltlim(static_cast<float>(done) / total, 0.0f, 1.0f);
  } else if (line.compare(0, 13, "kestrix-fly: ") == 0) {
    const std::string s = line.substr(13);
    if (s.find(" failed: ") != std::string::npos)
      ft.now.failures.push_back(s);
    else if (s.find(" does not apply: ") == std::string::npos && ft.message.empty())
      ft.message = s;
  } else if (line.compare(0, 8, "summary ") != 0 && !line.empty() && ft.message.empty()) {
    ft.message = line;
  }
}

static void finish_run() {
  int st = 0;
  waitpid(ft.pid, &st, 0);
  ft.pid = 0;
  close(ft.fd);
  ft.fd = -1;
  if (!ft.partial.empty()) take_line(ft.partial);
  ft.partial.clear();
  std::remove(ft.file.c_str());
  const int code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  if (code == 0) {
    ft.status = "The card is flown.";
    ft.percent = 100.0f;
  } else if (code == -1) {
    ft.status = "kestrix-fly stopped before the card was flown.";
  } else if (code == 3 && !ft.now.figures.empty()) {
    ft.status = "Some figures could not be found: see the end of the card.";
  } else {
    ft.status = "No card: " + (ft.message.empty() ? "kestrix-fly could not fly it." : ft.message);
  }
  show_card(WIN_FLIGHT_TEST);
}

void flight_test_poll() {
  if (ft.pid <= 0) return;
  char buf[4096];
  int changed = 0;
  for (;;) {
    const ssize_t n = read(ft.fd, buf, sizeof buf);
    if (n > 0) {
      changed = 1;
      ft.partial.append(buf, static_cast<size_t>(n));
      size_t nl;
      while ((nl = ft.partial.find('\n')) != std::string::npos) {
        take_line(ft.partial.substr(0, nl));
        ft.partial.erase(0, nl + 1);
      }
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) return finish_run();  // the runner closed its output: it has ended
    break;                            // nothing more for now
  }
  if (changed) show_card(WIN_FLIGHT_TEST);
}

// ---- Starting a run --------------------------------------------------------------------------

static void fail_start(const char* why) {
  ft.status = why;
  if (!ft.file.empty()) std::remove(ft.file.c_str());
  show_card(WIN_FLIGHT_TEST);
}

// The runner's standard output and error both go into one pipe; its input is nothing.
static int spawn_runner(const char* program) {
  int p[2];
  if (pipe(p) != 0) return 0;
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&fa, p[1], 1);
  posix_spawn_file_actions_adddup2(&fa, p[1], 2);
  posix_spawn_file_actions_addclose(&fa, p[0]);
  posix_spawn_file_actions_addclose(&fa, p[1]);
  const char* argv[] = {program,       "--aircraft", ft.file.c_str(),
                        "--test-card", "--progress", nullptr};
  pid_t pid = 0;
  const int err = posix_spawn(&pid, program, &fa, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&fa);
  close(p[1]);
  if (err != 0) {
    close(p[0]);
    return 0;
  }
  fcntl(p[0], F_SETFL, fcntl(p[0], F_GETFL) | O_NONBLOCK);
  fcntl(p[0], F_SETFD, FD_CLOEXEC);
  ft.pid = pid;
  ft.fd = p[0];
  return 1;
}

// An editor that quits while a card flies stops the runner and takes its file away.
static void stop_at_exit() {
  if (ft.pid <= 0) return;
  kill(ft.pid, SIGTERM);
  waitpid(ft.pid, nullptr, 0);
  std::remove(ft.file.c_str());
}

void flight_test() {
  static int at_exit = 0;
  if (!at_exit) at_exit = std::atexit(stop_at_exit) == 0;
  open_window();
  if (ft.pid > 0) {
    MACIBM_alert("A card is being flown.", "Wait for it to end, then fly the design again.", "", "",
                 ALERT_NOTICE);
    return;
  }
  // The card just flown becomes the one before; a run that found nothing does not replace it.
  if (!ft.now.figures.empty()) ft.before = ft.now;
  ft.now = flight_card{};
  ft.now.title = pln.C_file;
  ft.percent = 0.0f;
  ft.status = "Flying the card...";
  ft.message.clear();
  ft.file.clear();
  std::string program =
      flight_test_program ? flight_test_program : std::string(app_path) + "kestrix-fly";
  if (access(program.c_str(), X_OK) != 0)
    return fail_start(("kestrix-fly, which flies the card, is not at " + program + ".").c_str());
  const char* tmp = std::getenv("TMPDIR");
  std::string name = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/airwright-card-XXXXXX.acf";
  std::vector<char> path(name.begin(), name.end());
  path.push_back('\0');
  const int fd = mkstemps(path.data(), 4);
  if (fd < 0) return fail_start("The design could not be saved for the flight test.");
  close(fd);
  ft.file = path.data();
  // The card flies the design as the editor holds it, saved or not; its file stays as it was.
  if (apply_symmetry()) edt.planemod = 1;
  if (!writeout_file(ft.file.c_str()))
    return fail_start("The design could not be saved for the flight test.");
  if (!spawn_runner(program.c_str())) return fail_start("kestrix-fly could not be started.");
  show_card(WIN_FLIGHT_TEST);
}
