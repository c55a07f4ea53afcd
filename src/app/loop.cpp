// The simulation loop: events, the live windows, the repeat of a held button, one frame per pass,
// and the adaptation of the frame period to the real speed of the machine.
#include "app/app.h"

#include <cmath>

#include "app/form.h"
#include "app/macibm.h"
#include "app/settings.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

long long loop_frames_run = 0;
double loop_sim_seconds = 0.0;

// The 10-frame clock. Frames are counted here rather than read from msc.cntr: the frame counter
// goes back to 0 past 30000 on a multiple of the frames per tick, not of 10, so a test on the
// counter would measure twice a few frames apart and take them for ten.
static int frames_since_measure = 0;
static double measure_start_ms = 0.0;
static int slow_run = 0;  // consecutive slow measurements
static int slow_warning_given = 0;

void reset_frame_timing() {
  frames_since_measure = 0;
  measure_start_ms = MACIBM_clock_ms();
  slow_run = 0;
  slow_warning_given = 0;
  loop_frames_run = 0;
  loop_sim_seconds = 0.0;
}

// ---- Frame period ----------------------------------------------------------------------------

// Low visibility is the cheapest way to a lighter scene; the warning tells the pilot why the view
// closes in, once per run.
static void handle_slow_frames() {
  if (!(scn.belowbases || atm.cld_type == 0)) return;
  slow_run = msc.running_slow ? slow_run + 1 : 0;
  if (slow_run <= SLOW_RUN_LIMIT) return;
  if (atm.vis > 3.2f * con.nmtomtrs) atm.vis *= 0.95f;
  if (atm.vis < 3.0f * con.nmtomtrs) atm.vis /= 0.95f;
  if (!slow_warning_given && msc.warn_frame) {
    slow_warning_given = 1;
    MACIBM_alert(
        "Warning: The simulator is running too slow for smooth animation and accurate flight "
        "dynamics. You should lower the graphics load in the 'Set Rendering Options' window.",
        "The simulator will maintain smooth animation by reducing the visibility, allowing a "
        "higher frame rate for smoother animation.",
        "Remember, it is possible to set the visibility too high for almost ANY CPU... this "
        "insures that you can ask for all the visibility that YOUR CPU can handle!",
        "To avoid this warning again, reduce the visibility, or go to the 'Warnings' item in the "
        "'Settings' menu.",
        ALERT_SIM_SERIAL);
  }
}

// The period never falls below PRD_FLOOR: on a machine that runs frames faster than the clock can
// tell apart, each measurement would shrink it further until it reached zero and the next ratio
// divided by it.
void adapt_frame_period(float t) {
  if (msc.event) {
    msc.event = 0;
    return;
  }
  msc.rtrat = fltlim(t / (msc.prd * 10.0f), 0.2f, 10.0f);
  if (msc.rtrat >= 1.0f)
    msc.prd *= std::sqrt(msc.rtrat);
  else
    msc.prd *= std::pow(msc.rtrat, 0.2f);
  msc.running_slow = msc.prd > PRD_MAX ? 1 : 0;
  if (msc.running_slow) msc.prd = PRD_MAX;
  if (msc.prd < PRD_FLOOR) msc.prd = PRD_FLOOR;
  handle_slow_frames();
}

void frame_timing_tick(float frame_prd) {
  loop_frames_run++;
  loop_sim_seconds += frame_prd;
  if (++frames_since_measure < 10) return;
  frames_since_measure = 0;
  double now = MACIBM_clock_ms();
  float t = static_cast<float>((now - measure_start_ms) / 1000.0);
  measure_start_ms = now;
  adapt_frame_period(t);
}

// ---- Windows ---------------------------------------------------------------------------------

// While the controller's menu is up, a click in the view is a pick from it, not the panel's.
static int click_in_view() {
  int x, y, w, h;
  view_area_drawing(&x, &y, &w, &h);
  return intbox(mnw.mx, mnw.my, x, y, x + w - 1, y + h - 1);
}

// A held button repeats the panel's clicks, but picks from the menu once. The pointer went to the
// menu, not to the stick, even when the pick closes the menu before the frame sees the pointer.
static void atc_menu_click() {
  if (mnw.dragtime <= 0.0f) plot_atc_options(1);
  mouse_pointer_used();
}

void call_window_handler(int w) {
  switch (w) {
    case 0:
      if (atc.menu_up && click_in_view())
        atc_menu_click();
      else
        manage_das(0, mnw.mx, mnw.my);
      break;
    case 1:
      manage_id_(0);
      break;
    case 2:
      manage_nam(0);
      break;
    case 3:
    case 4:
    case 26:
    case 27:
      manage_map(0);
      break;
    case 7:
      manage_gid(0);
      break;
    case 10:
      manage_tim(0);
      break;
    case 16:
      manage_flt(0);
      break;
    case 17:
      manage_joy(0);
      break;
    case 21:
      manage_ins(0);
      break;
    case 22:
      manage_eqp(0);
      break;
    case 25:
      manage_grf(0);
      break;
    case 28:
      manage_pln(0);
      break;
    default:
      form_repeat(w);  // the held button of any other settings window
      break;
  }
}

// A settings window that held the simulation lets it go when the last one closes; the time it was
// open is not part of the next measurement.
void process_zap(int w) {
  msc.event = 1;
  if (!settings_window_up()) msc.winsup = 0;
}

// A button held for more than half a second repeats its window's action on every pass, as if it
// were clicked again. The hold is timed from the press itself, not from the pass before it.
static void repeat_held_button() {
  if (!mnw.mousedown) return;
  mnw.dragtime = static_cast<float>((MACIBM_clock_ms() - macibm_button_down_ms) / 1000.0);
  if (mnw.dragtime > 0.5f && macibm_click_hook) macibm_click_hook(mnw.dragging_index);
}

// ---- The loop --------------------------------------------------------------------------------

// The frame with its picture, then the timing, which is the loop's own: the period the frame ran
// with is counted before the adaptation changes it.
static void run_frame() {
  float frame_prd = msc.prd;
  sim_frame(1);
  frame_timing_tick(frame_prd);
}

void loop_pass() {
  MACIBM_dispatch_events();
  pump_speech();
  if (mnw.up[25]) plot_grf_current();
  if (mnw.up[17]) util_keepjoycurrent();
  repeat_held_button();
  update_maps();
  // Windows closed by a command or a flight start, not by the user, let the simulation go too.
  if (msc.winsup && !settings_window_up()) msc.winsup = 0;
  // Real time spent paused is no frame's time, so the measurement it falls into is discarded.
  if (!msc.paused && !msc.winsup)
    run_frame();
  else
    msc.event = 1;
  OGL_present_changed();
}
