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
