// The platform start-up shared by both programs, and the services around it: the program and
// preferences paths, the display mode, the clock, the file dialogs and the serial port.
#include "app/macibm.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "aircraft/aircraft.h"
#include "render/ogl.h"
#include "shared/shared.h"

// ---- Paths -----------------------------------------------------------------------------------

// A folder that does not fit the 400-character buffers would be cut to a different folder, so
// the current folder is used instead.
const char* macibm_program_folder = nullptr;
char prefs_path[400];

static void find_app_path() {
  if (macibm_program_folder) {
    std::snprintf(app_path, sizeof app_path, "%s", macibm_program_folder);
    return;
  }
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  app_path[0] = '\0';
  if (n <= 0) return;
  exe[n] = '\0';
  char* slash = std::strrchr(exe, '/');
  if (!slash) return;
  slash[1] = '\0';
  size_t len = std::strlen(exe);
  if (len < sizeof app_path) std::memcpy(app_path, exe, len + 1);
}

static void find_prefs_path() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  char path[4096];
  int n = -1;
  if (xdg && xdg[0] == '/')
    n = std::snprintf(path, sizeof path, "%s/Kestrix/Kestrix.prf", xdg);
  else if (home && home[0])
    n = std::snprintf(path, sizeof path, "%s/.config/Kestrix/Kestrix.prf", home);
  if (n <= 0 || n >= static_cast<int>(sizeof prefs_path)) {
    std::snprintf(prefs_path, sizeof prefs_path, "Kestrix.prf");
    return;
  }
  std::memcpy(prefs_path, path, static_cast<size_t>(n) + 1);
}

void macibm_find_paths() {
  find_app_path();
  find_prefs_path();
}

// ---- Display mode and clock ------------------------------------------------------------------

int set_res(int want) { return 1; }

static double steady_ms() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
double (*macibm_clock_hook)() = steady_ms;

double MACIBM_clock_ms() { return macibm_clock_hook(); }

// ---- Serial port -----------------------------------------------------------------------------

// The port is opened the first time a serial output asks for it, not at start-up: most pilots use
// no serial output, and a port that is missing or held by another program is news only to those
// who do. It is tried once; a port that cannot be opened is reported once and left alone.
enum { SERIAL_UNTRIED, SERIAL_OPEN, SERIAL_UNUSABLE };
static int serial_state = SERIAL_UNTRIED;

static const char* serial_error_text(int code) {
  switch (code) {
    case -1:
      return "No such port          ";
    case -2:
      return "Already open          ";
    case -4:
      return "Cannot allocate memory";
    case -10:
      return "Hardware error        ";
    case -12:
      return "Unsupported baud rate ";
    default:
      return "Unknown error         ";
  }
}

// Port 1 with 512-byte queues at 115200 baud. Every problem is a notice; the program carries on
// without the port. The speed is only set on a port that opened. A machine without any serial
// device (a positive code) is told so too, since an output was asked for.
static void open_serial_port() {
  serial_state = SERIAL_UNUSABLE;
  int code = backend_serial_open(512, 512);
  if (code != 0) {
    MACIBM_alert("Serial port error:", serial_error_text(code < 0 ? code : -1), "", "",
                 ALERT_SIM_SERIAL);
    return;
  }
  serial_state = SERIAL_OPEN;
  code = backend_serial_baud(115200);
  if (code < 0)
    MACIBM_alert("Baud-rate error:  ", serial_error_text(code), "", "", ALERT_SIM_SERIAL);
}

int MACIBM_serial_ready() {
  if (serial_state == SERIAL_UNTRIED) open_serial_port();
  return serial_state == SERIAL_OPEN;
}

int MACIBM_serial_write(const void* bytes, int n) {
  if (!MACIBM_serial_ready()) return -1;
  return backend_serial_write(bytes, n);
}

void MACIBM_serial_close() {
  backend_serial_close();
  serial_state = SERIAL_UNTRIED;
}

// ---- File dialogs ----------------------------------------------------------------------------

// A name typed without the kind's extension gets it here, before anything is written: the dialog
// asked about replacing the file of the name as typed, so the file of the whole name, if there is
// one, is asked about now. 0 when the user would rather keep that file.
static int with_saved_extension(char* chosen) {
  if (!def_ext[0] || std::strchr(def_ext, '*')) return 1;
  char dotted[8];
  std::snprintf(dotted, sizeof dotted, ".%s", def_ext);
  const size_t typed = std::strlen(chosen);
  with_extension(chosen, dotted);
  if (std::strlen(chosen) == typed || access(chosen, F_OK) != 0) return 1;
  const char* slash = std::strrchr(chosen, '/');
  const std::string question =
      std::string(slash ? slash + 1 : chosen) + " already exists. Replace it?";
  return backend_ask("Skyloom Alert Question", question) == 1;
}

// The dialog writes into its own buffer, so a cancelled dialog leaves name and path as they were.
static int file_dialog(int save, char* name, char* path, int kind) {
  if (macibm_hold_sounds_hook) macibm_hold_sounds_hook();
  set_up_IBM_filter(kind);
  char chosen[STR_SIZE] = "";
  int ok = backend_file_dialog(save, name, chosen, sizeof chosen) && chosen[0];
  if (ok) {
    fix_path_seps(chosen);
    if (save) ok = with_saved_extension(chosen);
  }
  if (ok) {
    std::snprintf(path, STR_SIZE, "%s", chosen);
    const char* slash = std::strrchr(chosen, '/');
    std::snprintf(name, STR_SIZE, "%s", slash ? slash + 1 : chosen);
  }
  if (macibm_resume_sounds_hook) macibm_resume_sounds_hook();
  return ok;
}

int MACIBM_open(char* name, char* path, int kind) { return file_dialog(0, name, path, kind); }
int MACIBM_save(char* name, char* path, int kind) { return file_dialog(1, name, path, kind); }

int MACIBM_respond_alert(const char* name) {
  std::string question = std::string("Save changes to ") + (name ? name : "") + " first?";
  int answer = backend_ask("Skyloom Alert Question", question);
  return answer >= 1 && answer <= 3 ? answer : 3;
}

// ---- Start-up --------------------------------------------------------------------------------

int MACIBM_init(const char* title, int dx, int dy) {
  if (!backend_init()) return 0;
  // The open and save dialogs need no record prepared here: each call fills its own. The serial
  // port waits for the first serial output.
  backend_serial_close();
  serial_state = SERIAL_UNTRIED;
  reset_pln();
  std::memset(&con, 0, sizeof con);
  reset_mnw();
  macibm_clear_menus();
  macibm_open_error_log();
  macibm_find_paths();
  set_res(1);
  init_constants();
  OGL_define_colors();

  set_win_params(0, title, dx, dy);
  MACIBM_startwind(WIN_MAIN, 0);
  ogl_res = 2;
  ogl_trees = 0;
  ogl_fscene = 0;
  ogl_will_be_blitted = 0;
  OGL_reset();
  if (macibm_setupmenus_hook) macibm_setupmenus_hook();
  backend_menus_changed();

  for (float& r : ogl_light_rat) r = 1.0f;
  OGL_texbmp(70, 0, 0, "Skyloom");
  for (int i = 0; i < 121; i++) OGL_show_init(1);
  return 1;
}
