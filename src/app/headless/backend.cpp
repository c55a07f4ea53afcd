// The headless back end: no screen, no joystick, no serial port, and a sound device that only
// records (sound.cpp). Windows and menus live only in the common tables; alerts are logged by the
// common code and no box is shown; the user's part is played by the script of headless.h.
#include "app/headless/headless.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>

#include "app/macibm.h"

namespace {
enum event_kind { EV_MENU, EV_KEY, EV_CLICK, EV_RELEASE, EV_CLOSE };
struct event {
  event_kind kind;
  int a, b, c;
};
}  // namespace

static std::deque<event> events;
static std::deque<std::string> open_answers;
static std::deque<std::string> save_answers;
static int dialogs_asked = 0;
static int question_answer = 3;
static std::string last_question;
static int joystick_code = 5;
static int screen_w = 1920, screen_h = 1080;
static float screen_dpi = 96.0f;

void (*headless_pass_hook)() = nullptr;

void headless_reset_sound();
void headless_reset_serial();
void headless_reset_speech();

void headless_post_menu(int id) { events.push_back({EV_MENU, id, 0, 0}); }
void headless_post_key(char c) { events.push_back({EV_KEY, c, 0, 0}); }
void headless_post_click(int w, int x, int y) { events.push_back({EV_CLICK, w, x, y}); }
void headless_post_release() { events.push_back({EV_RELEASE, 0, 0, 0}); }
void headless_post_close(int w) { events.push_back({EV_CLOSE, w, 0, 0}); }
void headless_queue_open_answer(const char* path) { open_answers.push_back(path ? path : ""); }
void headless_queue_save_answer(const char* path) { save_answers.push_back(path ? path : ""); }
int headless_dialogs_asked() { return dialogs_asked; }
void headless_set_question_answer(int answer) { question_answer = answer; }
const char* headless_last_question() { return last_question.c_str(); }
void headless_set_joystick_code(int code) { joystick_code = code; }
void headless_set_screen(int w, int h, float dpi) {
  screen_w = w;
  screen_h = h;
  screen_dpi = dpi;
}

void headless_reset() {
  events.clear();
  open_answers.clear();
  save_answers.clear();
  dialogs_asked = 0;
  question_answer = 3;
  last_question.clear();
  headless_reset_serial();
  joystick_code = 5;
  headless_set_screen(1920, 1080, 96.0f);
  headless_pass_hook = nullptr;
  headless_reset_sound();
  headless_reset_speech();
}

// ---- Back-end hooks --------------------------------------------------------------------------

int backend_init() { return 1; }
void backend_show_alert(const char* title, const std::string& text) {}

int backend_ask(const char* title, const std::string& question) {
  last_question = question;
  return question_answer;
}

int backend_file_dialog(int save, const char* start_name, char* path, int size) {
  dialogs_asked++;
  std::deque<std::string>& q = save ? save_answers : open_answers;
  if (q.empty()) return 0;
  std::string answer = q.front();
  q.pop_front();
  if (answer.empty() || static_cast<int>(answer.size()) >= size) return 0;
  std::snprintf(path, static_cast<size_t>(size), "%s", answer.c_str());
  return 1;
}

// Every window gets a distinct handle so that handle look-ups work as on a desktop.
int backend_create_window(int w) {
  mnw.wind[w] = reinterpret_cast<void*>(static_cast<std::uintptr_t>(w + 1));
  return 0;
}
void backend_destroy_window(int w) {}
void backend_make_current(int w, int raise) {}
void backend_invalidate(int w) {}
void backend_set_title(int w) {}
void backend_menus_changed() {}

// Events are taken one at a time, so that a handler that queues further events (or ends the run)
// sees them delivered in order.
void backend_pump_events() {
  if (headless_pass_hook) headless_pass_hook();
  while (!events.empty()) {
    event e = events.front();
    events.pop_front();
    switch (e.kind) {
      case EV_MENU:
        macibm_event_menu(e.a);
        break;
      case EV_KEY:
        macibm_event_key(static_cast<char>(e.a));
        break;
      case EV_CLICK:
        macibm_event_mouse_move(e.a, e.b, e.c);
        macibm_event_button_down(e.a);
        break;
      case EV_RELEASE:
        macibm_event_button_up();
        break;
      case EV_CLOSE:
        MACIBM_handlezap(e.a);
        break;
    }
  }
}

int backend_joystick_probe() { return joystick_code; }
void backend_force_feedback_start() {}
void backend_force_feedback_stop() {}
void backend_shutdown() {}

void backend_screen(int* w, int* h, float* dpi) {
  *w = screen_w;
  *h = screen_h;
  *dpi = screen_dpi;
}

// Without a window manager a maximised or full-screen window is simply as large as the screen.
void backend_main_window(int w, int h, int state) {
  if (state == MAIN_NORMAL)
    macibm_event_resize(WIN_MAIN, w, h);
  else
    macibm_event_resize(WIN_MAIN, screen_w, screen_h);
}
