// The instrument panel: the instrument record ins.
#pragma once

// ---- Instrument record -----------------------------------------------------------------------

// The pilot's switches and settings on the panel, the drawn positions of its levers, and the
// display modes of the glass instruments. Lever positions are panel pixels along the lever's
// travel. Lifetime: program; the flight start resets the per-flight switches.
struct instrumentstruct {
  // Settings
  float baro;       // altimeter setting, inHg
  float radalt_ft;  // decision height of the radar altimeter, ft
  int lock_GPS;     // the pilot asked to lock the GPS course; cleared once locked

  // Switches
  int antiice_on;  // anti-ice switched on
  int chute_on;    // drag chute deployed
  int jato_on;     // take-off rockets burning
  int hook_down;   // arresting hook lowered

  // Drawn lever positions, panel pixels
  int flap;     // flap lever
  int slat;     // slat lever
  int sbrk;     // speed-brake lever
  int swee;     // sweep lever
  int vect;     // thrust-vector lever
  int thro[4];  // throttle levers (one lever for a single throttle)
  int prop[4];  // propeller levers
  int mixt[4];  // mixture levers

  // Display modes
  int HUD_on;       // head-up display shown
  int HUD_color;    // head-up display colour number
  int hoop_on;      // hoop (tunnel) display shown
  int radar_on;     // weather radar on
  int map_mode;     // moving-map display mode
  int arg_mode;     // Argus display mode
  int map_range;    // moving-map range, nm
  int arg_range;    // Argus range, nm
  int radar_range;  // weather-radar range, nm
  int EFIS_wxr;     // weather shown on the glass display
  int EFIS_tcas;    // traffic shown on the glass display
  int ecam_mode;    // ECAM page: 3 engines, 7 failures
  int clock_et;     // the radio stack's second clock shows the timer (msc.timr_time), not UTC

  // Controller and redraw
  int reply_level;    // the controller reply indicator is idle when 0
  float reply_time1;  // time the next reply starts, s of msc.elap_time
  float reply_time2;  // time it ends, s
  int tickle_all;     // force a full redraw of every instrument
};
extern instrumentstruct ins;

// Restore ins to its start-up state: all zero with the head-up display and radar on, map and
// Argus displays in mode 1 at 30 nm, head-up display colour 45 and ECAM page 3.
void reset_ins();

// ---- Panel -----------------------------------------------------------------------------------

// The panel fills the bottom of the main window, window pixels x 0..PANEL_W-1, y 0..PANEL_H-1;
// the view above it is left to the 3-D drawing.
enum { PANEL_W = 800, PANEL_H = 333 };

// Redraws the instrument panel from the flight, radio and failure records: the instruments whose
// shown values changed, or every one after ins.tickle_all; then the warnings.
void update_panel();
// The tape colour tables and the navigation-symbol pictures the panel draws.
void init_tape();
void init_nav_pic();
// A click (or a held button) on the main window at (x, y), y up from the bottom. With open set,
// the whole panel is drawn again at the next update.
void manage_das(int open, int x, int y);
// The panel's own knobs, for the keys that stand for them: the altimeter setting by 0.01 inHg
// (28.00..31.00) and the radar altimeter's decision height by 10 ft (0..2500), dir +1 or -1.
void step_baro(int dir);
void step_decision_height(int dir);
// The flap, sweep and thrust-vector levers and the gear lights moved: they are drawn again at the
// next update.
void plotflap();
void plotswee();
void plotvect();
void gear_light();
// Fills the panel geometry of pln (gsx1 .. gsy2 and the attitude-indicator scan lines) for the
// aircraft loaded; the panel calls it whenever it lays itself out.
void set_panel_geometry();
// Forgets everything drawn and the warnings' memory: the next update draws the whole panel.
void reset_panel();

// ---- Glass displays --------------------------------------------------------------------------

// Redraws the ECAM display from scratch in its current page ins.ecam_mode (at the next update).
void init_ecam();

// ---- Aural warnings --------------------------------------------------------------------------

// The warnings' decisions, run by update_warnings on every event tick whatever the view, in this
// order: the stall warning, the ground-proximity warnings with their call-outs, the decision
// height of the radar altimeter, and the marker beacons with the Morse identification of the
// selected receiver. The panel's update only draws what they decided.
void update_warnings();
void update_stall();
void update_GPWS();
void update_radalt();
void update_morse();
// The warnings' memory back to its start: nothing warned, no marker, no identification playing;
// a stall horn or stick shaker still going is stopped.
void reset_warnings();

enum { MORSE_SLOTS = 24 };  // symbols of one identification: 4 characters of up to 5 and a gap
enum { MORSE_GAP = 2, MORSE_DOT = 3, MORSE_DASH = 4 };  // symbol codes
// The identification of a four-character identifier starting at time t0: symbol codes and start
// times, a dot lasting 0.3 s, a dash 0.5 s, and a 1 s gap after every character (blanks and
// characters without a code give only the gap). Returns the number of symbols written.
int morse_schedule(const char id[4], float t0, int sym[MORSE_SLOTS], float start[MORSE_SLOTS]);

// The warnings reach the sound module and the stick through these; they default to play_buffer,
// stop_buffer, tune_tone and forcecall. A test or a headless runner may point them elsewhere to
// hear what the panel decided.
extern void (*panel_play_hook)(int n, int loop);
extern void (*panel_stop_hook)(int n);
extern void (*panel_tune_hook)(int n, float hz);  // pitch of the next marker or Morse tone
extern void (*panel_force_hook)(int code, int a, int b, int c);

// ---- Engine gauge scales and blinking ---------------------------------------------------------

// Full scales of the engine gauges for the loaded aircraft: rotation speed (rpm), shaft torque
// (ft lb, 1.2 times rated), fuel flow (lb/h, at full power or thrust; at three times the thrust
// with an afterburner), N1 (percent) and manifold pressure (inHg).
float tac_max();
float trq_max();
float ff__max();
float n1__max();
float mpr_max();

// Blinking level of a light, 0..1, that cycles with simulated time; phase shifts it, s.
float pulse(float phase);
// Airspeed in the indicator's units (mph or kt), which every read-out of airspeed shows.
float asi_speed();
