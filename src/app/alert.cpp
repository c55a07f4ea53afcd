// Alerts and the one fatal exit path, common to both back ends: composing the message, logging it
// to "Error.out" and standard error, and the ordered shutdown.
#include "app/macibm.h"

#include "shared/shared.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

macibm_program_kind macibm_program = PROGRAM_SIMULATOR;
void (*macibm_alert_hook)(const alert_record& a) = nullptr;
int macibm_no_boxes = 0;
void (*macibm_fatal_hook)(int had_message) = nullptr;
void (*macibm_exit_hook)(int status) = std::exit;

std::ofstream err;
std::ofstream trk;

static std::vector<alert_record> alert_log;

const std::vector<alert_record>& macibm_alert_log() { return alert_log; }
void macibm_clear_alert_log() { alert_log.clear(); }

bool macibm_alert_is_fatal(int kind) {
  if (macibm_program == PROGRAM_EDITOR)
    return kind == ALERT_EDIT_FATAL || kind == ALERT_EDIT_FATAL_VALUE;
  return kind == ALERT_SIM_FATAL || kind == ALERT_SIM_FATAL_VALUE;
}

int macibm_fatal_kind() {
  return macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_FATAL : ALERT_SIM_FATAL;
}
int macibm_fatal_value_kind() {
  return macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_FATAL_VALUE : ALERT_SIM_FATAL_VALUE;
}

static bool alert_has_value(int kind) {
  return kind ==
         (macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_FATAL_VALUE : ALERT_SIM_FATAL_VALUE);
}

static bool alert_is_about(int kind) {
  return kind == (macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_ABOUT : ALERT_SIM_ABOUT);
}

void macibm_open_error_log() {
  if (err.is_open()) return;
  err.open("Error.out");
  err.setf(std::ios::fixed);
}

void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int kind) {
  alert_record a;
  a.kind = kind;
  const char* in[3] = {l1, l2, l3};
  for (int i = 0; i < 3; i++) a.line[i] = in[i] ? in[i] : "";
  if (alert_has_value(kind)) {
    // The fourth argument of a "fatal with value" alert points at an int, not at text.
    a.line[3] = l4 ? std::to_string(*reinterpret_cast<const int*>(l4)) : "";
  } else {
    a.line[3] = l4 ? l4 : "";
  }
  if (alert_is_about(kind)) {
    a.line[0] = macibm_program == PROGRAM_EDITOR ? "Airwright" : "Kestrix";
    a.line[1] = "Skyloom flight simulation family";
    a.line[2] = "Version 0.1";
    a.line[3] = "";
  }
  alert_log.push_back(a);

  // Every alert reaches the error log and standard error, so that a run without a screen
  // explains why it stopped.
  macibm_open_error_log();
  for (const std::string& l : a.line) {
    err << l << '\n';
    std::cerr << l << '\n';
  }
  err << '\n';
  err.flush();
  std::cerr << '\n';

  if (macibm_alert_hook) macibm_alert_hook(a);

  // The sound loops are held and the live windows told to wait while the box is up. The window
  // flag goes back to what it was, not to a fixed value: an alert during start-up must not make
  // the windows live, and one during flight must not leave them dead.
  if (macibm_hold_sounds_hook) macibm_hold_sounds_hook();
  int was_ready = mnw.ready_to_update;
  mnw.ready_to_update = 0;
  // An alert whose first line is absent shows no box; a fatal one still ends the program.
  if (!a.line[0].empty() && !macibm_no_boxes) {
    std::string text;
    for (const std::string& l : a.line)
      if (!l.empty()) text += l + "\n\n";
    backend_show_alert("Skyloom Message", text);
  }
  mnw.ready_to_update = was_ready;
  if (macibm_alert_is_fatal(kind)) {
    bool had_message =
        !a.line[0].empty() || !a.line[1].empty() || !a.line[2].empty() || !a.line[3].empty();
    MACIBM_shutdown(had_message);
    return;
  }
  if (macibm_resume_sounds_hook) macibm_resume_sounds_hook();
}

void MACIBM_shutdown(int had_message) {
  static bool shutting_down = false;
  // A fatal alert raised by the shutdown itself goes straight to the exit hook: the shutdown has
  // failed.
  if (shutting_down) {
    macibm_exit_hook(EXIT_FAILURE);
    return;
  }
  // The flag is cleared on the way out as well, so that a test whose exit hook throws can go on
  // to raise further fatal alerts.
  struct guard {
    guard() { shutting_down = true; }
    ~guard() { shutting_down = false; }
  } g;
  if (macibm_fatal_hook) macibm_fatal_hook(had_message);
  // A file still being written stays in its temporary: the file it was to replace is untouched.
  if (ouf.is_open()) ouf.close();
  if (trk.is_open()) trk.close();
  if (err.is_open()) err.close();
  for (int w = 0; w < MAX_WINDOWS; w++) MACIBM_killwind(w);
  set_res(0);
  backend_serial_close();
  backend_shutdown();
  // A fatal alert with a message ends the program on an error (or on the user's reset of the
  // preferences), and whatever started the program learns that from the status; only the
  // silent one of File > Exit is a normal end.
  macibm_exit_hook(had_message ? EXIT_FAILURE : EXIT_SUCCESS);
}
