// The aural warnings and radio identification, decided on every event tick whatever the view:
// stall warning (horn, stick shaker and buffet), ground-proximity warnings with their altitude
// call-outs, the radar altimeter's decision height, the marker beacons, and the Morse
// identification of the selected receiver. Each is a small state machine over the flight state and
// the navigation database. The panel draws what they decided (the stall and marker lights and the
// radar altimeter) when it is shown.
#include <cctype>
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "world/world.h"

// Force-feedback commands: vibration along the stick's pitch axis, and its end.
enum { FF_Y_VIBRATION = 27, FF_Y_VIBRATION_CLEAR = 29 };

static void play_sound(int n, int loop) { play_buffer(n, loop); }
static void stop_sound(int n) { stop_buffer(n); }
void (*panel_play_hook)(int n, int loop) = play_sound;
void (*panel_stop_hook)(int n) = stop_sound;
void (*panel_tune_hook)(int n, float hz) = tune_tone;
void (*panel_force_hook)(int code, int a, int b, int c) = forcecall;

// What the warnings remember from one tick to the next, and what the panel last drew of them.
// Lifetime: program (nothing is saved; a new flight carries on from the state the last tick left).
struct warning_memory {
  int stall_on;       // the stall warning is on
  int wing1_stalled;  // wing 1 was stalled (the buffet without force-feedback options)
  float next_gpws;    // msc.elap_time of the next ground-proximity check
  int below[3];       // the main gear was below 50, 25 and 10 ft at the last check
  float radalt_ft;    // radar altitude and decision height at the last decision-height check
  float dh_ft;
  int below_dh;              // below the decision height at the last check
  int marker[3];             // outer, middle and inner marker received
  int marker_lit[3];         // their lights' state in the keying cycle
  int marker_tone;           // the marker tone sounding (SND_DOT or SND_DASH), 0 none
  int tone_by;               // the marker whose keying started it
  int last_cntr10;           // msc.cntr10 at the last marker step
  int stall_drawn;           // the stall light as drawn, -1 not yet
  float drawn_ralt_ft;       // radar altitude and decision height the altimeter was drawn with
  float drawn_dh_ft;
  int morse_playing;         // an identification is being keyed
  float morse_start;         // msc.elap_time it started
  int morse_receiver;        // the receiver it identifies, and the identifier it keys
  char morse_id[4];
  int sym[MORSE_SLOTS];      // its symbols; played ones are turned to gaps
  float sym_t[MORSE_SLOTS];  // their start times
  int ticked;                // a tick has passed since the last flight was forgotten
};

static warning_memory initial_memory() {
  warning_memory m;
  std::memset(&m, 0, sizeof m);
  m.radalt_ft = m.dh_ft = -999.0f;  // the first tick checks the decision height
  m.last_cntr10 = -1;               // and keys the markers
  m.stall_drawn = -1;
  m.drawn_ralt_ft = m.drawn_dh_ft = -999.0f;
  return m;
}

static warning_memory wrn = initial_memory();

// What sounds or shakes now would go on for ever once forgotten: a new flight stops it first.
void reset_warnings() {
  if (wrn.stall_on) panel_stop_hook(SND_STALL);
  if ((wrn.stall_on && pln.ff_stickshaker) || wrn.wing1_stalled)
    panel_force_hook(FF_Y_VIBRATION_CLEAR, 0, 0, 0);
  wrn = initial_memory();
}

// Whether the clock has reached `when`, a moment at most `span` seconds after the time it was
// set. The clock wraps at midnight: a moment further ahead than that has been passed.
static int time_reached(float now, float when, float span) {
  return now >= when || when - now > span;
}

// ---- Stall -----------------------------------------------------------------------------------

// The warning sounds when the root of wing 1 or wing 2 is within 3 degrees of its stall angle,
// above 0.3 of the stall speed (so a parked aircraft in a gust stays quiet). Until the flight has
// set the stall angle with the slats (twice a second) the clean wing's angle stands in for it; a
// wing with no stall angle at all (no airfoil read) gives no warning.
static int stall_warning_now() {
  if (!(flt.vind > 0.3f * msc.est_Vs * con.msctokts)) return 0;
  for (int wing : {4, 6}) {
    if (!have_this_part(wing)) continue;
    float amax = flt.alpha_max[wing] > 0.0f ? flt.alpha_max[wing] : pln.alpha_max[wing];
    if (amax > 0.0f && flt.alpha[wing][0] > amax - 3.0f) return 1;
  }
  return 0;
}

void update_stall() {
  int on = stall_warning_now();
  if (on != wrn.stall_on) {
    wrn.stall_on = on;
    if (on) {
      panel_play_hook(SND_STALL, 1);
      if (pln.ff_stickshaker) panel_force_hook(FF_Y_VIBRATION, 100, 10, 0);
    } else {
      panel_stop_hook(SND_STALL);
      if (pln.ff_stickshaker) panel_force_hook(FF_Y_VIBRATION_CLEAR, 0, 0, 0);
    }
  }
  // Without a shaker or hydraulic controls the stick buffets while wing 1 is stalled.
  if (pln.ff_stickshaker || pln.ff_hydraulic) return;
  int stalled = flt.stalled[4] != 0;
  if (stalled == wrn.wing1_stalled) return;
  wrn.wing1_stalled = stalled;
  if (stalled)
    panel_force_hook(FF_Y_VIBRATION, 60, 25, 0);
  else
    panel_force_hook(FF_Y_VIBRATION_CLEAR, 0, 0, 0);
}

// ---- Ground proximity ------------------------------------------------------------------------

void update_GPWS() {
  if (!pln.bitchinbettyEQ || !msc.warn_bb) return;
  float now = msc.elap_time;
  if (!time_reached(now, wrn.next_gpws, 2.0f)) return;
  wrn.next_gpws = now + 2.0f;

  // Height of the main gear above the ground, deck or roof under the aircraft.
  float h = (flt.h - carrying_surface_h() - pln.mgearZ * flt.sinthe + pln.mgearY * flt.costhe) *
            con.mtrstoft;
  // One voice a check: recordings started together are heard as neither. A warning goes before
  // the call-outs, and of the heights passed since the last check only the lowest is called.
  int said = 0;
  if (h < 2500.0f) {
    float vs = flt.vu * con.msctofpm;
    float pull_up = interp(0.0f, -1500.0f, 2500.0f, -7000.0f, h);
    float sink_rate = interp(0.0f, -1000.0f, 2500.0f, -5000.0f, h);
    // The gear warning compares the airspeed in the units Vfe is given in, and only an aircraft
    // whose gear can be up has a gear handle to forget.
    if (vs < pull_up) {
      said = SND_PULL;
    } else if (vs < sink_rate) {
      said = SND_SINK;
    } else if (pln.retractEQ && !set.gear_handle && h < 500.0f && vs < 0.0f &&
               asi_speed() < pln.Vfe) {
      said = SND_GEAR_WARN;
    }
  }
  static const float callout_ft[3] = {50.0f, 25.0f, 10.0f};
  for (int i = 0; i < 3; i++) {
    int below = h < callout_ft[i];
    if (below && !wrn.below[i] && !flt.onsurface && (!said || said >= SND_50FT)) said = SND_50FT + i;
    wrn.below[i] = below;
  }
  if (said) panel_play_hook(said, 0);
}

// ---- Decision height -------------------------------------------------------------------------

// Checked when the radar altitude or the decision height has moved by more than 2 ft.
void update_radalt() {
  float ralt = radar_altitude_ft(), dh = ins.radalt_ft;
  if (!(std::fabs(ralt - wrn.radalt_ft) > 2.0f || std::fabs(dh - wrn.dh_ft) > 2.0f)) return;
  wrn.radalt_ft = ralt;
  wrn.dh_ft = dh;
  // A decision height set while standing on the runway is no reason to call minimums.
  int below = ralt < dh;
  if (below && !wrn.below_dh && !flt.onsurface) panel_play_hook(SND_MINIMUMS, 0);
  wrn.below_dh = below;
}

// ---- Marker beacons --------------------------------------------------------------------------

// Navaid types of the outer, middle and inner markers, and how close in latitude and longitude
// (degrees) the aircraft must be to hear each.
static const int marker_type[3] = {7, 8, 9};
static const float marker_reach[3] = {0.004f, 0.003f, 0.002f};

static void find_markers() {
  for (int k = 0; k < 3; k++) wrn.marker[k] = 0;
  if (flt.onsurface) return;
  int last = intmin2(env.navmax, NAV_MAX - 1);
  for (int n = 0; n <= last; n++) {
    if (!nav_inreg[n]) continue;
    for (int k = 0; k < 3; k++) {
      if (nav_type[n] == marker_type[k] && std::fabs(flt.lat - nav_lat[n]) < marker_reach[k] &&
          std::fabs(flt.lon - nav_lon[n]) < marker_reach[k]) {
        wrn.marker[k] = 1;
      }
    }
  }
}

// Keying of each marker over the ten event ticks of a second: 1 light on, -1 light off, and the
// tone started at that tick (0 none).
struct marker_key {
  int light[10];
  int tone[10];
};
static const marker_key keying[3] = {
    // Outer: one long dash a second.
    {{1, 0, 0, 0, 0, -1, 0, 0, 0, 0}, {SND_DASH, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    // Middle: dot and dash.
    {{1, 0, -1, 0, 1, 0, 0, 0, 0, -1}, {SND_DOT, 0, 0, 0, SND_DASH, 0, 0, 0, 0, 0}},
    // Inner: dots.
    {{1, 0, -1, 1, 0, -1, 1, 0, -1, 0}, {SND_DOT, 0, 0, SND_DOT, 0, 0, SND_DOT, 0, 0, 0}},
};

// The pitch of each marker's tone, Hz.
static const float marker_hz[3] = {400.0f, 1300.0f, 3000.0f};

static void marker_step(int tick) {
  if (tick == 9) find_markers();
  int tone = 0, by = 0;
  for (int k = 0; k < 3; k++) {
    if (keying[k].light[tick] > 0) wrn.marker_lit[k] = 1;
    if (keying[k].light[tick] < 0) wrn.marker_lit[k] = 0;
    // When several markers are heard the inner one's keying wins, then the middle's.
    if (wrn.marker[k] && keying[k].tone[tick]) tone = keying[k].tone[tick], by = k;
  }
  // A tone lasts while the light of the marker that keyed it is on: retuned to the low outer
  // marker's pitch, the recording runs longer than that.
  if (wrn.marker_tone && keying[wrn.tone_by].light[tick] < 0) {
    panel_stop_hook(wrn.marker_tone);
    wrn.marker_tone = 0;
  }
  if (!tone) return;
  panel_tune_hook(tone, marker_hz[by]);
  panel_play_hook(tone, 0);
  wrn.marker_tone = tone;
  wrn.tone_by = by;
}

// ---- Morse identification --------------------------------------------------------------------

static const char* morse_code(char c) {
  static const char* const letters[26] = {".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",
                                          "....", "..",   ".---", "-.-",  ".-..", "--",   "-.",
                                          "---",  ".--.", "--.-", ".-.",  "...",  "-",    "..-",
                                          "...-", ".--",  "-..-", "-.--", "--.."};
  static const char* const digits[10] = {"-----", ".----", "..---", "...--", "....-",
                                         ".....", "-....", "--...", "---..", "----."};
  unsigned char u = static_cast<unsigned char>(c);
  if (std::isalpha(u)) return letters[std::toupper(u) - 'A'];
  if (std::isdigit(u)) return digits[u - '0'];
  return "";
}

int morse_schedule(const char id[4], float t0, int sym[MORSE_SLOTS], float start[MORSE_SLOTS]) {
  for (int i = 0; i < MORSE_SLOTS; i++) {
    sym[i] = MORSE_GAP;
    start[i] = t0;
  }
  int n = 0;
  float t = t0;
  for (int c = 0; c < 4; c++) {
    for (const char* m = morse_code(id[c]); *m && n < MORSE_SLOTS; m++) {
      sym[n] = *m == '.' ? MORSE_DOT : MORSE_DASH;
      start[n++] = t;
      t += *m == '.' ? 0.3f : 0.5f;
    }
    if (n < MORSE_SLOTS) {
      sym[n] = MORSE_GAP;
      start[n++] = t;
    }
    t += 1.0f;
  }
  return n;
}

// The pitch of a radio aid's identification, Hz.
static const float IDENT_HZ = 1020.0f;

static void morse_step() {
  float now = msc.elap_time;
  // A received aid identifies itself every 10 seconds.
  if (wrn.morse_playing && time_reached(now, wrn.morse_start + 10.0f, 10.0f)) wrn.morse_playing = 0;
  // The rest of a code is the station's that was heard: once the audio is selected elsewhere or
  // the receiver loses or changes its station, it is dropped, and the station now heard, if any,
  // identifies itself at once.
  if (wrn.morse_playing) {
    const int r = wrn.morse_receiver;
    if (nav.radout != r || !nav.goodnav[r] || std::memcmp(nav.nav_id[r], wrn.morse_id, 4) != 0)
      wrn.morse_playing = 0;
  }
  if (!wrn.morse_playing) {
    int r = nav.radout;
    if ((r == 0 || r == 1 || r == 4) && nav.goodnav[r]) {
      morse_schedule(nav.nav_id[r], now, wrn.sym, wrn.sym_t);
      wrn.morse_playing = 1;
      wrn.morse_start = now;
      wrn.morse_receiver = r;
      std::memcpy(wrn.morse_id, nav.nav_id[r], 4);
    }
  }
  if (!wrn.morse_playing) return;
  // The identification keys the markers' two recordings: while a marker is heard each would
  // retune and cut the other's tones, so the identification's symbols pass unheard meanwhile.
  const int marker_heard = wrn.marker[0] || wrn.marker[1] || wrn.marker[2];
  for (int i = 0; i < MORSE_SLOTS; i++) {
    if (wrn.sym[i] == MORSE_GAP || wrn.sym_t[i] > now) continue;
    const int tone = wrn.sym[i] == MORSE_DOT ? SND_DOT : SND_DASH;
    if (!marker_heard) {
      panel_tune_hook(tone, IDENT_HZ);
      panel_play_hook(tone, 0);
    }
    wrn.sym[i] = MORSE_GAP;
  }
}

void update_morse() {
  if (msc.cntr10 != wrn.last_cntr10) {
    marker_step(intlim(msc.cntr10, 0, 9));
    wrn.last_cntr10 = msc.cntr10;
  }
  morse_step();
}

// ---- Every tick, and on the panel ------------------------------------------------------------

void update_warnings() {
  update_stall();
  // A new flight's first tick comes before its first frame has found what the aircraft stands
  // on: an aircraft on the runway would be taken for one in the air, a foot up, and the call-outs
  // and minimums heard as every flight on the ground begins.
  if (wrn.ticked) {
    update_GPWS();
    update_radalt();
  }
  wrn.ticked = 1;
  update_morse();
}

void draw_warnings(int full) {
  if (wrn.stall_on != wrn.stall_drawn || full) {
    draw_stall_light(wrn.stall_on);
    wrn.stall_drawn = wrn.stall_on;
  }
  float ralt = radar_altitude_ft(), dh = ins.radalt_ft;
  if (lay.ins[SLOT_RADALT] == INS_RADALT &&
      (std::fabs(ralt - wrn.drawn_ralt_ft) > 2.0f || std::fabs(dh - wrn.drawn_dh_ft) > 2.0f ||
       full)) {
    draw_radalt(SLOT_RADALT, 1, ralt);
    wrn.drawn_ralt_ft = ralt;
    wrn.drawn_dh_ft = dh;
  }
  int lit[3];
  for (int k = 0; k < 3; k++) lit[k] = wrn.marker[k] && wrn.marker_lit[k];
  draw_marker_lights(lit, full);
}
