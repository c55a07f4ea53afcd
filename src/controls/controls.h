// Flight controls: the autopilot record ott, the memory of the control pipeline, the joystick,
// the per-frame pipeline from the pilot's inputs to the surface deflections, and force feedback.
#pragma once

#include "aircraft/aircraft.h"
#include "app/app.h"

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
  float vv_hold;  // vertical speed to hold, m/s; with ALHOLD the largest climb or descent rate
  float as_hold;  // indicated airspeed to hold, kt
};
extern ottostruct ott;

// Restore ott to its start-up state: all modes off, all targets zero.
void reset_ott();

// ---- Pipeline memory -------------------------------------------------------------------------

// Joystick button slots: 0..3 the hat (forward, back, left, right), 4..7 buttons 1..4 pressed
// alone, 8..15 buttons 5..12. 1 while pressed. Lifetime: flight.
extern int n_button_pressed[JOY_BUTTONS];  // this frame
extern int o_button_pressed[JOY_BUTTONS];  // last frame

// What the pipeline carries from one frame to the next besides the button slots.
// Lifetime: flight; the flight start clears it.
struct controlmemorystruct {
  unsigned raw_buttons;           // button mask of the last good joystick reading
  int raw_pov;                    // hat of the last good reading, -1 centred
  float raw_thro;                 // throttle of the last good reading, -1..1
  int vert_engaged;               // the vertical autopilot was engaged last frame
  float vert_trim0;               // stabiliser trim when it engaged, -hstbtrimmax..hstbtrimmax
  float vert_integ;               // its integrator, degrees of pitch
  float prev_vind;                // indicated airspeed of the last frame, kt
  int prev_onsurface;             // on the surface last frame
  int passes;                     // passes of the control laws since the flight start, up to 2
  int prev_revving[MAX_ENGINES];  // each engine's reverser was deployed last frame
  int lever_pos;                  // the stick's throttle last frame on the lever's scale, 4..52
                                  // (-1 unknown)
  int mouse_x, mouse_y;           // pointer of the last frame, main-window pixels, y up
};
extern controlmemorystruct ctm;

// Forgets the last frame: no button held, autopilot disengaged, the keyboard and mouse yoke
// centred, the aircraft's present state taken as the last frame's.
void reset_ctm();

// ---- Joystick --------------------------------------------------------------------------------

// Reads joystick 1 into the four outputs (pitch nose up, roll right, yaw right: -1..1; throttle
// -1..1, 1 full). With raw 0 the calibration offsets, dead zones, response curves and ratios are
// applied; with live set the mouse or keyboard yoke is added and the buttons act. Without a
// joystick (set.controls_type other than 5) or when the read fails, the stick counts as centred.
void MACIBM_getjoy(float* ptch, float* roll, float* hdng, float* thro, int raw, int live);
// Takes the dead zone off *v (in place, never crossing 0) and returns sign(v) |v|^1.5.
float curve_joy(float* v, float deadzone);
// Measures the stick's centre as the mean of 100 raw readings into set.OS_ptch, OS_roll, OS_hdng.
void cal_stick();

// ---- Pipeline --------------------------------------------------------------------------------

// The whole per-frame pipeline, run by the loop before the flight frame: mouse flying, the
// joystick, then control_laws and the throttle lever.
void update_controls();
// The pointer's place was taken by a click on the controller's menu: mouse flying leaves the stick
// where it is until the pointer moves on from there.
void mouse_pointer_used();
// From the yoke values set.YK_* on: automatic yaw damping, autopilot and autothrottle, limits,
// artificial stability, failures, trim, the surface deflections and the touchdown actions.
void control_laws();
// The one rule from the commands set.FC_* to flt's surface deflections, cyclic pitch and tail-rotor
// pitch, and the engines' cant sines and cosines in pln.
void set_deflections();
// Sets the engines' throttle requests (a helicopter's collective pitch) to set.FC_thro.
void throttle_to_engines();
// Autopilot to heading select only: HDSLCT on, every other mode off.
void ott_heading_only();

// ---- Force feedback --------------------------------------------------------------------------

// Force command `code` 25..33 (springs, vibrations, buffet, jolt, clear) with arguments a, b, c;
// magnitudes are scaled by set.fcon_force_rat and limited to 0..100. Other codes do nothing.
void forcecall(int code, int a, int b, int c);

// ---- Calls up to the layers above ------------------------------------------------------------

// The keys and buttons reach the menu commands, the free view and the panel's own knobs through
// these (see aircraft_hooks): filled by the application in src/app/hooks.cpp.
struct controls_hookstruct {
  void (*menu_command)(int id);
  void (*free_view)(int code);  // an arrow key of the free views, codes 25..28
  void (*redraw_flaps)();       // a lever moved: the panel draws it again
  void (*step_baro)(int dir);
  void (*step_decision_height)(int dir);
};
extern controls_hookstruct controls_hooks;

// ---- Keyboard (the joystick buttons call it too) ---------------------------------------------

// A character, a function key 19..42, a keypad yoke key 0..6, an arrow key 25..28.
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
// Where a lever stands now, 0..1 along its travel, read back from the request it makes (engine
// -1 reads engine 1's), so a step starts from wherever a click, a key or the joystick left it.
float lever_get(int lever, int engine);
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
