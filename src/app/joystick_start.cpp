// The simulator's joystick at start-up: the probe and the choice between the joystick and the
// mouse. Airwright uses no joystick, so this stays out of the platform layer both programs link.
#include "app/app.h"
#include "app/macibm.h"

int init_WIN95() { return backend_joystick_probe(); }

int MACIBM_initjoy() {
  set.controls_type = -1;
  int code = init_WIN95();
  if (code == 0) {
    backend_force_feedback_start();
    set.controls_type = 5;
    return 1;
  }
  // No joystick at all is the usual desktop: the mouse flies, and a box at every start would only
  // be in the way. It goes to the log (an alert without a first line shows no box). A stick that
  // is there but cannot be used is worth a box.
  if (code == 5)
    MACIBM_alert("", "No joystick was found. Flying is with the mouse.",
                 "To fly with a joystick, plug one in and start Kestrix again.", "",
                 ALERT_SIM_SERIAL);
  else if (code == 7)
    MACIBM_alert("The joystick system (SDL) could not be started on this computer.",
                 "Check that SDL2 is installed and that you may read /dev/input, then start "
                 "Kestrix again.",
                 "Flying is with the mouse.", "", ALERT_SIM_SERIAL);
  else
    MACIBM_alert("A joystick is plugged in but could not be opened.",
                 "Check that you may read its device under /dev/input (most systems give that to "
                 "the 'input' group), then start Kestrix again.",
                 "Flying is with the mouse.", "", ALERT_SIM_SERIAL);
  return 0;
}
