// The desktop back end's start, its event dispatch and its end: the display connection, the
// events queued while the toolkit dispatches, and the release of windows and devices on the
// fatal path.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdio>
#include <deque>

#include "app/desktop/desktop.h"
#include "app/desktop/speech_engine.h"
#include "app/macibm.h"

void desktop_windows_init();

// ---- Start -----------------------------------------------------------------------------------

// Without a display there is nothing to show a window or a box on: the program ends quietly, as
// when its window class cannot be registered, after saying why on standard error.
int backend_init() {
  static bool started = false;
  if (started) return 1;
  const char* program = macibm_program == PROGRAM_EDITOR ? "Airwright" : "Kestrix";
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "%s: cannot open the X display; is DISPLAY set?\n", program);
    return 0;
  }
  fl_open_display(d);
  Fl_Window::default_xclass(program);
  desktop_windows_init();
  started = true;
  return 1;
}

// ---- Deferred events -------------------------------------------------------------------------

namespace {
enum event_kind { EV_MENU, EV_CLOSE, EV_PAINT };
struct event {
  event_kind kind;
  int value;
};
}  // namespace

static std::deque<event> events;

void desktop_post_menu(int id) { events.push_back({EV_MENU, id}); }
void desktop_post_close(int w) { events.push_back({EV_CLOSE, w}); }

// A window waiting to be painted is painted once, however often it was asked.
void desktop_post_paint(int w) {
  for (const event& e : events)
    if (e.kind == EV_PAINT && e.value == w) return;
  events.push_back({EV_PAINT, w});
}

void desktop_clear_events() { events.clear(); }

// A command acts on what the settings windows show: a number still being typed, and the values
// the windows took while the menu was open (leaving a field for the menu bar takes its number),
// reach the record before it. Otherwise Save would write the value the field had before.
static void take_typed_values() {
  desktop_take_typed_value();
  desktop_deliver_form_events();
}

// Events are taken one at a time: a command may end the program, open a box that dispatches
// again, or queue further events, and each must find the queue as it stands.
static int desktop_deliver_events() {
  int delivered = 0;
  while (!events.empty()) {
    event e = events.front();
    events.pop_front();
    delivered++;
    switch (e.kind) {
      case EV_MENU:
        take_typed_values();
        macibm_event_menu(e.value);
        break;
      case EV_CLOSE:
        if (e.value == 0) {
          // The main window cannot go while the program runs: closing it is the File menu's
          // Exit, which saves the preferences.
          take_typed_values();
          macibm_event_menu(206);
        } else if (e.value > 0 && e.value < MAX_WINDOWS && mnw.up[e.value]) {
          desktop_deliver_form_events();  // what the window took before it was closed
          MACIBM_killwind(e.value);
          MACIBM_handlezap(e.value);
        }
        break;
      case EV_PAINT:
        if (e.value >= 0 && e.value < MAX_WINDOWS && mnw.up[e.value]) macibm_event_paint(e.value);
        break;
    }
  }
  return delivered;
}

// Never waits: the loop runs its frames between dispatches.
void backend_pump_events() {
  desktop_menu_bar_refresh();
  Fl::check();
  desktop_restore_current();
  desktop_deliver_events();
  desktop_deliver_form_events();
}

// ---- End -------------------------------------------------------------------------------------

void backend_shutdown() {
  desktop_clear_events();
  desktop_windows_shutdown();
  speech_engine_close();
  if (fl_display) XSync(fl_display, False);
}
