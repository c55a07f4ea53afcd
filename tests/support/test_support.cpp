// Shared set-up for every test program: fatal alerts throw instead of ending the process, and each
// test starts in a folder of its own with an empty alert log, the real clock and no program
// handlers.
#include "support/test_support.h"

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "shared/shared.h"

static void throwing_exit(int status) { throw fatal_alert_exit{status}; }

namespace {
double (*const real_clock)() = macibm_clock_hook;

// Enters the running test's folder inside the folder the program started in, making it.
void enter_test_folder() {
  static const std::filesystem::path suite = std::filesystem::current_path();
  const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path dir = suite / (std::string(t->test_suite_name()) + "." + t->name());
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
}

class AlertReset : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    // CTest runs every case as a process of its own, side by side with others of its suite: a
    // file one case writes and reads back (the error log, a weather report) must not be one that
    // another case empties or rewrites meanwhile.
    enter_test_folder();
    macibm_exit_hook = throwing_exit;
    macibm_alert_hook = nullptr;
    macibm_fatal_hook = nullptr;
    macibm_clock_hook = real_clock;
    macibm_setupmenus_hook = macibm_hold_sounds_hook = macibm_resume_sounds_hook = nullptr;
    macibm_menu_hook = macibm_function_hook = macibm_yoke_hook = macibm_freeview_hook = nullptr;
    macibm_click_hook = macibm_paint_hook = macibm_zap_hook = nullptr;
    macibm_key_hook = nullptr;
    macibm_program = PROGRAM_SIMULATOR;
    macibm_clear_alert_log();
  }
};

struct Registrar {
  Registrar() {
#ifdef KESTRIX_RUNTIME_DIR
    // The tests find the data folders where the build lays them out beside the programs.
    macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
    std::snprintf(app_path, sizeof app_path, "%s", macibm_program_folder);
#endif
    ::testing::UnitTest::GetInstance()->listeners().Append(new AlertReset);
  }
} registrar;
}  // namespace

const alert_record& last_alert() {
  static const alert_record none{};
  const auto& log = macibm_alert_log();
  return log.empty() ? none : log.back();
}

std::string read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

bool write_with_line(const std::string& from, const std::string& label, const std::string& line,
                     const std::string& to) {
  std::string out;
  int replaced = 0;
  for (std::string l : lines_of(read_file(from))) {
    if (l.size() >= label.size() && l.compare(l.size() - label.size(), label.size(), label) == 0) {
      l = line;
      replaced++;
    }
    out += l + '\n';
  }
  write_file(to, out);
  return replaced == 1;
}

std::string last_line(const std::string& text) {
  const size_t end = text.find_last_not_of('\n');
  if (end == std::string::npos) return "";
  const size_t start = text.rfind('\n', end);
  const size_t from = start == std::string::npos ? 0 : start + 1;
  return text.substr(from, end - from + 1);
}

int run_command(const std::string& command, std::string* out) {
  out->clear();
  FILE* p = popen(command.c_str(), "r");
  if (!p) return -1;
  char buf[512];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out->append(buf, n);
  const int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

float summary_value(const std::string& output, const char* key) {
  const size_t line = output.rfind("summary ");
  if (line == std::string::npos) return NAN;
  const size_t at = output.find(std::string(" ") + key + "=", line);
  if (at == std::string::npos || output.find('\n', line) < at) return NAN;
  return std::strtof(output.c_str() + at + std::string(key).size() + 2, nullptr);
}
