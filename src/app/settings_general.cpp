// The small settings windows: serial output, time of day, rendering options, flight mode, sound
// and warnings.
#include "app/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "sound/sound.h"

// ---- Serial output ---------------------------------------------------------------------------

static const form_field serial_fields[] = {
    field_check("nmea", "Position sentences (NMEA $GPRMC), once a second", &set.ser_NMEA),
    field_check("motion", "Motion-platform stream, every frame", &set.ser_motion),
    field_check("cockpit", "Cockpit instrument stream, every frame", &set.ser_cockpit),
    field_label("port_note", 420),
};

static void serial_open(int w) {
  form_text(w, "port_note",
            "Sent on the first serial port (/dev/ttyS0, else a USB adapter) at 115200 baud.");
}

const form_window serial_form = {serial_fields, count_of(serial_fields), serial_open, nullptr,
                                 nullptr};

// ---- Time of day -----------------------------------------------------------------------------

// The local time shown as hours and minutes of the day; each wraps round on its own, and the
// buttons move the whole time, so that 23:50 and ten minutes more is 00:00.
static const float DAY = 86400.0f;
static float get_hour(int) { return std::floor(msc.locl_time / 3600.0f); }
static float get_minute(int) { return std::floor(std::fmod(msc.locl_time, 3600.0f) / 60.0f); }
static void set_hour(int, float h) {
  msc.locl_time = fltwrap(h * 3600.0f + std::fmod(msc.locl_time, 3600.0f), 0.0f, DAY);
}
static void set_minute(int, float m) {
  msc.locl_time = fltwrap(get_hour(0) * 3600.0f + m * 60.0f, 0.0f, DAY);
}

static const form_field time_fields[] = {
    wrapping(field_computed("hour", "Local time", "h", get_hour, set_hour, 0, 24, 1, 0)),
    beside(wrapping(field_computed("minute", ":", "min", get_minute, set_minute, 0, 60, 1, 0))),
    saved(field_button("back_hour", "-1 hour")),
    beside(saved(field_button("back_10", "-10 min"))),
    beside(saved(field_button("on_10", "+10 min"))),
    beside(saved(field_button("on_hour", "+1 hour"))),
    field_label("zulu", 300),
};

// The universal time of the local time as set: the frame's own copy waits for the next frame,
// which a settings window holds back.
static void time_open(int w) {
  int h = 0, m = 0;
  sec_to_hrs_min(fltlim(zulu_for_local(msc.locl_time), 0.0f, DAY - 1.0f), &h, &m);
  char text[64];
  std::snprintf(text, sizeof text, "Universal time %02d:%02d", h, m);
  form_text(w, "zulu", text);
}

static void time_action(int w, int field, int element) {
  static const struct {
    const char* button;
    float seconds;
  } steps[] = {
      {"back_hour", -3600.0f}, {"back_10", -600.0f}, {"on_10", 600.0f}, {"on_hour", 3600.0f}};
  for (const auto& s : steps)
    if (std::strcmp(time_fields[field].name, s.button) == 0)
      msc.locl_time = fltwrap(msc.locl_time + s.seconds, 0.0f, DAY);
  time_open(w);
}

const form_window time_form = {time_fields, count_of(time_fields), time_open, nullptr, time_action};

// ---- Rendering -------------------------------------------------------------------------------

// The panel and text scale as one of the scales the View menu offers; a scale set by hand in
// the preferences shows as the nearest offered.
static float get_ui_scale(int) {
  int best = 0;
  for (int k = 1; k < count_of(ui_scale_offered); k++)
    if (std::abs(ui_scale_offered[k] - mnw.ui_scale) <
        std::abs(ui_scale_offered[best] - mnw.ui_scale))
      best = k;
  return static_cast<float>(best);
}
static void set_ui_scale(int, float k) {
  MACIBM_set_ui_scale(
      ui_scale_offered[intlim(static_cast<int>(k), 0, count_of(ui_scale_offered) - 1)]);
  show_ui_scale();
}

static const form_field rendering_fields[] = {
    field_choice("res", "Texture resolution", &ogl_res, 1, 5, "Lowest|Low|Medium|High|Highest"),
    via(field_choice("scale", "Panel and text scale", static_cast<int*>(nullptr), 0, 4,
                     "Automatic|100%|150%|200%|300%"),
        get_ui_scale, set_ui_scale),
    field_check("trees", "Draw trees", &ogl_trees),
    field_check("fscene", "Draw the whole city scene", &ogl_fscene),
    field_label("note", 420),
};

static void rendering_open(int w) {
  form_text(w, "note", "Lower settings draw faster; visibility (weather) costs the most.");
}

const form_window rendering_form = {rendering_fields, count_of(rendering_fields), rendering_open,
                                    nullptr, nullptr};

// ---- Flight mode -----------------------------------------------------------------------------

// The airport start's kind, shown as a choice of the three.
float get_start_kind(int) { return (msc.typestart - TYPESTART_TAKEOFF) / 100.0f; }
void set_start_kind(int, float v) {
  msc.typestart = TYPESTART_TAKEOFF + 100 * intlim(static_cast<int>(v), 0, 2);
}

static const form_field flight_mode_fields[] = {
    via(field_choice("start", "Airport starts", nullptr, 0, 2,
                     "Takeoff|Visual final, 1.5 nm|Instrument final, 9 nm"),
        get_start_kind, set_start_kind),
    field_button("restart", "Start again at the airport"),
    field_slider("damp", "Rate damping", "", &set.damp, 0, 1, 0.05f, 2),
};

static void flight_mode_action(int w, int field, int element) {
  if (flight_mode_fields[field].kind == FORM_BUTTON) set_fltvars(START_AIRPORT);
}

const form_window flight_mode_form = {flight_mode_fields, count_of(flight_mode_fields), nullptr,
                                      nullptr, flight_mode_action};

// ---- Sound and warnings ----------------------------------------------------------------------

static int have_sound() { return msc.sound_avail; }
static int have_speech() { return msc.speech_avail; }

static const form_field sound_fields[] = {
    applies_when(field_check("sound", "Sound", &msc.sound_on), have_sound),
    applies_when(field_check("voice", "Speak the controller's words", &atc.voice_out), have_speech),
    field_check("text", "Show the controller's words", &atc.text_out),
};
// Sound switched off silences what plays now: the calls that would stop it later do nothing then.
// The controller's voice switched off drops what it had still to say, up to a minute of it.
static void sound_action(int, int field, int) {
  if (field == 0 && !msc.sound_on) stop_all_sounds();
  if (field == 1 && !atc.voice_out) MACIBM_speech_cancel();
}
const form_window sound_form = {sound_fields, count_of(sound_fields), nullptr, nullptr,
                                sound_action};

static const form_field warnings_fields[] = {
    field_check("frame", "Warn when the frame rate is too low", &msc.warn_frame),
    field_check("overspeed", "Take a surface away above the redline", &msc.warn_overspeed),
    field_check("flaps", "Warn when the flaps go out above Vfe", &msc.warn_flaps),
    field_check("voice", "Spoken warnings", &msc.warn_bb),
};
const form_window warnings_form = {warnings_fields, count_of(warnings_fields), nullptr, nullptr,
                                   nullptr};
