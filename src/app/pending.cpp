// Entry points that other subsystems will provide, defined here until their code is merged.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// World: terrain cell search.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all) { return 0; }

// World: ground height inside a terrain cell.
float find_local_h(float x, float z, int i, int j) {
  return planexyz[intlim(i, 0, GRID_I - 1)][intlim(j, 0, GRID_J - 1)][1];
}

// World: magnetic variation table.
int find_var(float lat, float lon) { return 0; }

// World: GPS course and distance.
void get_gps_data(float* crs, float* dis) { *crs = *dis = 0.0f; }

// Weather: wind at the aircraft.
void wxcalc() {}

// Controls: force feedback.
void forcecall(int code, int a, int b, int c) {}

// Instrument panel: flap lever.
void plotflap() {}

// Instrument panel: sweep lever.
void plotswee() {}

// Instrument panel: thrust-vector lever.
void plotvect() {}

// Instrument panel: gear lights.
void gear_light() {}

// Application shell: disk data output.
void dskoutproc() {}

// Application shell: one-frame dump header.
void trackdiv() {}

// Platform layer: serial port.
int MACIBM_serial_write(const void* bytes, int count) { return count; }

// Sound: start a sound.
void play_buffer(int n, int loop) {}

// Sound: stop a sound.
void stop_buffer(int n) {}

// Sound: engine loop.
void maintain_engine_sound() {}

// Sound: wind and rain loops.
void maintain_windrain_sound() {}

// Sound: stop the loops.
void stop_engine_and_windrain() {}

// Sound: start the loops.
void play_engine_and_windrain() {}

// Rendering: scenery textures.
void load_scenery_textures() {}

// Rendering: aircraft drawing geometry.
void load_plane_geo(int a, int b) {}

// Rendering: traffic aircraft.
void make_a_plane(int k, int anew) {}

// Aircraft definition: aircraft loader.
void load_plane() {}

// Flight dynamics (propellers and rotors): propeller engines.
void props() {}

// Flight dynamics (propellers and rotors): jet engines.
void jets() {}

// Flight dynamics (ground and water contact): one contact point.
int handle_contact_point(int n, float x, float y, float z) { return 0; }

// Flight dynamics (ground and water contact): one floating point.
void handle_float_point(int part, int station, int point, float x, float y, float z,
                        float h_water) {}

// Flight dynamics (ground and water contact): deck pitch rate.
float the_dot_now(int type) { return 0.0f; }

// Flight dynamics (ground and water contact): deck roll rate.
float phi_dot_now(int type) { return 0.0f; }

// Flight dynamics (flight start): start or restart a flight.
void set_fltvars(int type) {}

// Flight dynamics (periodic checks): the once-a-second pass.
void mod_sec() {}
