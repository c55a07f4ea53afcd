// The Airwright program: its command line, the one-instance lock, the platform start-up with the
// editor's hooks, initairwright and the loop that waits for the user.
#include "editor/editor.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"

void register_screen_windows();

// ---- One instance ----------------------------------------------------------------------------

// The lock is held for as long as the process lives and goes with it, however it ends, so a
// crashed editor never keeps the next one out.
int take_instance_lock() {
  static int held = -1;
  if (held >= 0) return 1;
  std::string folder = prefs_path;
  const size_t slash = folder.rfind('/');
  folder = slash == std::string::npos ? "." : folder.substr(0, slash);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::string lock = folder + "/Airwright.lock";
  const int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // A folder that cannot hold the lock does not keep the editor from starting.
  if (fd < 0) return 1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? 0 : 1;
  }
  held = fd;
  return 1;
}

// ---- Hooks -----------------------------------------------------------------------------------

// The screens' own handlers come with the screens; the main window shows the views.
static void editor_click(int w) {}

static void editor_paint(int w) {
  if (w == WIN_MAIN) draw_views();
}

// Closing the main window is Quit, with its question; a cancelled Quit keeps the window.
static void editor_zap(int w) {
  if (w != WIN_MAIN) return;
  editor_handlemenu(CMD_QUIT);
  MACIBM_startwind(WIN_MAIN, 0);
}

void install_editor_hooks() {
  macibm_program = PROGRAM_EDITOR;
  macibm_fatal_hook = nullptr;  // nothing of the simulator's preferences is ever touched
  macibm_setupmenus_hook = editor_setupmenus;
  macibm_menu_hook = editor_handlemenu;
  macibm_click_hook = editor_click;
  macibm_paint_hook = editor_paint;
  macibm_zap_hook = editor_zap;
  macibm_key_hook = nullptr;
  macibm_function_hook = macibm_yoke_hook = macibm_freeview_hook = nullptr;
  macibm_hold_sounds_hook = macibm_resume_sounds_hook = nullptr;
}

// ---- Start-up and loop -----------------------------------------------------------------------

void initairwright() {
  reset_edt();
  register_screen_windows();
  set_up_for_type(0, "Untitled.acf", "");
}

// While the button is held in the drawing band of a body screen (fuselage, nacelles, floats), its
// click handler runs again on every pass, so that dragging keeps changing the shape.
static void repeat_drag() {
  static const struct {
    int w, lo, hi;
  } bands[] = {{17, 96, 222}, {18, 66, 192}, {19, 197, 323},
               {49, 96, 222}, {50, 66, 192}, {51, 197, 323}};
  if (!mnw.mousedown || !macibm_click_hook) return;
  for (const auto& b : bands)
    if (mnw.dragging_index == b.w && mnw.up[b.w] && intrange(mnw.my, b.lo, b.hi))
      macibm_click_hook(b.w);
}

// The views turn at this rate and are drawn at most this often; between passes the loop sleeps a
// little, so that the editor waits for the user instead of spinning.
static const float TURN_DEG_PER_S = 20.0f;
static const double DRAW_PERIOD_MS = 1000.0 / 30.0;
static const float PASS_SLEEP_S = 0.005f;

void editor_loop_pass() {
  static double last_draw_ms = -1.0e9;
  MACIBM_dispatch_events();
  repeat_drag();
  flight_test_poll();
  const double now = MACIBM_clock_ms();
  if (now - last_draw_ms >= DRAW_PERIOD_MS && mnw.up[WIN_MAIN]) {
    // A pass held up by a dialog does not swing the view round.
    const float dt =
        last_draw_ms < 0.0 ? 0.0f : fltmin2(static_cast<float>((now - last_draw_ms) / 1000.0), 0.2f);
    edt.turn = fltwrap(edt.turn + TURN_DEG_PER_S * dt, 0.0f, 360.0f);
    last_draw_ms = now;
    MACIBM_startwind(WIN_MAIN, 0);
    draw_views();
  }
  OGL_present_changed();
  delay(PASS_SLEEP_S);
}

static void open_at_start(const char* file) {
  int mirrored = 0;
  if (!read_aircraft_file(file, &mirrored)) return;
  edt.planemod = mirrored;
  edt.planenamed = 1;
  editor_setupmenus();
  refresh_titles();
}

int airwright_run(const char* file) {
  macibm_find_paths();
  if (!take_instance_lock()) {
    std::fprintf(stderr, "Airwright is running already: only one may run at a time.\n");
    return 0;
  }
  install_editor_hooks();
  // A platform that cannot start (no display) is a failure the caller sees in the status.
  if (!MACIBM_init("Airwright", EDITOR_WINDOW_W, EDITOR_WINDOW_H)) return 1;
  for (int i = 0; i < 151; i++) {
    OGL_show_init(2);
    delay(0.01f);
  }
  std::srand(static_cast<unsigned>(static_cast<long long>(MACIBM_clock_ms()) % 32000));
  initairwright();
  if (file) open_at_start(file);
  mnw.ready_to_update = 1;
  for (;;) editor_loop_pass();
}

// ---- Command line ----------------------------------------------------------------------------

static int usage(FILE* to, int status) {
  std::fprintf(to,
               "usage: Airwright [FILE.acf]\n"
               "       Airwright --check FILE.acf      the aircraft checks of Kestrix; prints each "
               "problem, exit status 1 when there is one\n"
               "       Airwright --resave IN.acf OUT.acf   opens IN and saves it as OUT, without "
               "a window\n");
  return status;
}

// The batch modes show no box and need no display: what they have to say goes to the standard
// streams.
static void start_batch() {
  macibm_no_boxes = 1;
  macibm_find_paths();
  init_constants();
  reset_pln();
  reset_edt();
}

int airwright_main(int argc, char** argv, int has_window) {
  macibm_program = PROGRAM_EDITOR;
  const char* first = argc > 1 ? argv[1] : "";
  if (std::strcmp(first, "--help") == 0) return usage(stdout, 0);
  if (std::strcmp(first, "--check") == 0) {
    if (argc != 3) return usage(stderr, 2);
    start_batch();
    return airwright_check(argv[2], stdout);
  }
  if (std::strcmp(first, "--resave") == 0) {
    if (argc != 4) return usage(stderr, 2);
    start_batch();
    return airwright_resave(argv[2], argv[3]);
  }
  if (argc > 2 || first[0] == '-') return usage(stderr, 2);
  if (!has_window) {
    std::fprintf(stderr, "This Airwright was built without its desktop window (FLTK, OpenGL): only "
                         "--check and --resave run.\n");
    return usage(stderr, 2);
  }
  return airwright_run(argc == 2 ? argv[1] : nullptr);
}
