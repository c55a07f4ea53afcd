// Flight controls: the autopilot record ott.
#pragma once

// ---- Autopilot -------------------------------------------------------------------------------

// Modes are 0/1. Lifetime: program; the flight start switches every mode off.
struct ottostruct {
  int HDSLCT;     // heading select
  int NAV[2];     // follow NAV 1 / NAV 2
  int ALHOLD;     // altitude hold
  int VVHOLD;     // vertical-speed hold
  int GS2;        // follow the glide slope of NAV 2
  int ASHOLD;     // airspeed hold (autothrottle)
  float al_hold;  // altitude to hold, m (indicated)
  float vv_hold;  // vertical speed to hold, m/s
  float as_hold;  // indicated airspeed to hold, kt
};
extern ottostruct ott;

// Restore ott to its start-up state: all modes off, all targets zero.
void reset_ott();

// ---- Controls and keys -----------------------------------------------------------------------

// Joystick, mouse, keys, trim and autopilot: the per-frame control pipeline.
void update_controls();
// Measures the stick's centre.
void cal_stick();
// The keyboard: characters, function keys 19..42, keypad yoke keys 0..6, arrows 25..28.
void handle_simkey(char c);
void function_key(int n);
void yoke_key(int k);
void freeviews_keys(int k);

// ---- Force feedback --------------------------------------------------------------------------

// Force-feedback command `code` (25 stick springs, 26/27 vibration, 28/29 clear it, 30/31
// buffeting, 32 jolt, 33 clear all) with its three arguments.
void forcecall(int code, int a, int b, int c);

// ---- Cockpit controls ------------------------------------------------------------------------

// What the panel's levers, handles, buttons and knobs do. The keys that stand for them call the
// same functions, so a key press and a click act alike.

// Levers. Engine levers act on one engine (0..3) or, with engine -1, on all.
enum {
  LEVER_THROTTLE,  // throttle request 0..1 (a helicopter's collective: flat to open pitch)
  LEVER_PROP,      // propeller speed request, idle to maximum rotation speed
  LEVER_MIXTURE,   // mixture 0 cut-off .. 1 full rich
  LEVER_SWEEP,     // sweep request 0..1
  LEVER_VECTOR,    // thrust-vector request 0..90 degrees
  LEVER_FLAP,      // flap request in detents of a fifth of the travel
  LEVER_SLAT,      // slat request: retracted, half, full
  LEVER_SBRK,      // speed brake: armed (with automatic speed brakes), stowed, half, full
  LEVER_COUNT,
};
// Moves a lever to pos, 0..1 along its travel (0 the position that asks for least: throttle
// closed, flaps and speed brake in); detented levers take the nearest detent.
void lever_set(int lever, int engine, float pos);
// Reverse thrust on or off on every engine that has it.
void reverse_toggle();
// The gear handle up or down (retractable gear only).
void gear_toggle();
void parkbrake_toggle();
// One step of trim: axis 0 pitch (+1 nose up), 1 roll (+1 right), 2 yaw (+1 right).
void trim_step(int axis, int dir);

// Autopilot modes: a button engages its mode, or disengages it when engaged. Heading and the two
// navigation modes exclude each other.
enum { AP_HDG, AP_NAV1, AP_NAV2, AP_ALT, AP_VS, AP_GS, AP_SPD, AP_MODES };
void autopilot_button(int mode);
// Knobs stepped by one click each way (dir +1 or -1).
enum {
  KNOB_HDG_BUG,  // selected heading, 1 degree
  KNOB_OBS1,     // NAV 1 course, 1 degree
  KNOB_OBS2,     // NAV 2 course, 1 degree
  KNOB_AP_ALT,   // altitude to hold, 100 ft
  KNOB_AP_VS,    // vertical speed to hold, 100 ft/min
  KNOB_AP_SPD,   // airspeed to hold, 1 kt
  KNOB_COUNT,
};
void knob_step(int knob, int dir);

// Radios: NAV 1, NAV 2, COM 1, COM 2, ADF and transponder.
enum { RADIO_NAV1, RADIO_NAV2, RADIO_COM1, RADIO_COM2, RADIO_ADF, RADIO_XPDR, RADIO_COUNT };
// One step of one part of a radio's frequency: NAV and COM part 0 the megahertz (1 MHz, within
// 108..117 or 118..136), part 1 the fraction (0.05 MHz); ADF parts 0..2 the hundreds, tens and
// units digits; transponder parts 0..3 its digits 0..7. Each part wraps by itself.
void tune_radio(int radio, int part, int dir);
// The receiver whose audio is heard: 0 NAV 1, 1 NAV 2, 4 ADF.
void audio_select(int receiver);
// The GPS target one step along the region's airports.
void gps_target_step(int dir);
