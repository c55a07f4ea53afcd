// Entry points of subsystems that are not built yet, each doing the least that keeps the loop
// correct. Each block goes when its subsystem provides the real one.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// 3-D view (src/render).
void update_scenery() {}

// Sound (src/sound): no device, as on a machine without sound.
int init_sound() { return 0; }

// Sound (src/sound).
void play_engine_and_windrain() {}

// Sound (src/sound).
void stop_engine_and_windrain() {}

// Sound (src/sound).
void dispose_sound() {}

// Aircraft files (src/aircraft).
void load_plane() {}

// Navigation database (src/world): the database stays empty.
void init_country_data() {}

// Terrain regions (src/world).
void load_region() {}

// Coordinates (src/world).
float X_with_latlon(float lat, float lon) { return 0.0f; }

// Coordinates (src/world).
float Z_with_lat(float lat) { return 0.0f; }

// Flight start (src/flight): the counters restart and the next timing measurement is discarded.
void set_fltvars(int type) {
  msc.cntr = 0;
  msc.cntr10 = 0;
  msc.evup = 1;
  msc.event = 1;
}

// Instrument panel (src/panel).
void update_panel() {}

// Instrument panel (src/panel).
void init_tape() {}

// Instrument panel (src/panel).
void init_nav_pic() {}

// Instrument panel (src/panel).
void manage_das(int open, int x, int y) {}

// Controls (src/controls).
void update_controls() {}

// Controls (src/controls).
void cal_stick() {}

// Keyboard commands (src/controls).
void handle_simkey(char c) {}

// Keyboard commands (src/controls).
void function_key(int n) {}

// Keyboard commands (src/controls).
void yoke_key(int k) {}

// Keyboard commands (src/controls).
void freeviews_keys(int k) {}

// Graph window (src/app).
void clear_graph() { reset_grf(); }

// Graph window (src/app).
void update_graph() {}

// Graph window (src/app).
void plot_grf_current() {}

// Graph window (src/app).
void manage_grf(int open) {}

// Settings windows (src/app).
void manage_id_(int open) {}

// Settings windows (src/app).
void manage_nam(int open) {}

// Settings windows (src/app).
void manage_map(int open) {}

// Settings windows (src/app).
void manage_gid(int open) {}

// Settings windows (src/app).
void manage_tim(int open) {}

// Settings windows (src/app).
void manage_flt(int open) {}

// Settings windows (src/app).
void manage_joy(int open) {}

// Settings windows (src/app).
void manage_ins(int open) {}

// Settings windows (src/app).
void manage_eqp(int open) {}

// Settings windows (src/app).
void manage_pln(int open) {}

// Settings windows (src/app).
void util_keepjoycurrent() {}

// Terrain regions (src/world): no cell search; the aircraft keeps the cell it has.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all) { return 0; }

// Terrain regions (src/world): the height of the cell's south-west vertex.
float find_local_h(float x, float z, int i, int j) {
  return planexyz[intlim(i, 0, GRID_I - 1)][intlim(j, 0, GRID_J - 1)][1];
}

// Navigation database (src/world): no magnetic variation.
int find_var(float lat, float lon) { return 0; }

// Navigation database (src/world): no GPS target.
void get_gps_data(float* crs, float* dis) { *crs = *dis = 0.0f; }

// Weather (src/weather): calm air.
void wxcalc() {}

// Controls (src/controls): no force feedback.
void forcecall(int code, int a, int b, int c) {}

// Instrument panel (src/panel).
void plotflap() {}

// Instrument panel (src/panel).
void plotswee() {}

// Instrument panel (src/panel).
void plotvect() {}

// Instrument panel (src/panel).
void gear_light() {}

// Data output (src/app).
void dskoutproc() {}

// Data output (src/app).
void trackdiv() {}

// Sound (src/sound).
void play_buffer(int n, int loop) {}

// Sound (src/sound).
void stop_buffer(int n) {}

// Sound (src/sound).
void maintain_engine_sound() {}

// Sound (src/sound).
void maintain_windrain_sound() {}

// 3-D view (src/render).
void load_scenery_textures() {}

// 3-D view (src/render).
void load_plane_geo(int a, int b) {}

// 3-D view (src/render).
void make_a_plane(int k, int anew) {}

// Propellers, rotors and jets (src/flight): no engine forces.
void props() {}

// Propellers, rotors and jets (src/flight).
void jets() {}

// Ground and water contact (src/flight): nothing touches.
int handle_contact_point(int n, float x, float y, float z) { return 0; }

// Ground and water contact (src/flight).
void handle_float_point(int part, int station, int point, float x, float y, float z, float h_water) {}

// Ground and water contact (src/flight): decks hold still.
float the_dot_now(int type) { return 0.0f; }

// Ground and water contact (src/flight).
float phi_dot_now(int type) { return 0.0f; }

// Periodic flight checks (src/flight).
void mod_sec() {}
