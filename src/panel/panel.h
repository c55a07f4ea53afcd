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

// Redraws the instrument panel from the flight, radio and failure records.
void update_panel();
// The tape colour tables and the navigation-symbol pictures the panel draws.
void init_tape();
void init_nav_pic();
// A click (or a held button) on the main window at (x, y), y up from the bottom.
void manage_das(int open, int x, int y);

// Redraw the flap, sweep and thrust-vector levers and the gear lights after they moved.
void plotflap();
void plotswee();
void plotvect();
void gear_light();

// ---- Glass displays --------------------------------------------------------------------------

// Redraws the ECAM display from scratch in its current page ins.ecam_mode.
void init_ecam();

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
