// Entry points of subsystems that are not built yet, each doing the least that keeps the loop
// correct. Each block goes when its subsystem provides the real one.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "sound/sound.h"
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

// Traffic rendering (src/render): the traffic stays where it is.
void make_a_plane(int k, int anew) {}

// World coordinates (src/world): east of the quadrant's reference longitude at 60 nm a degree,
// shrunk by the cosine of the latitude.
float X_with_latlon(float lat, float lon) {
  int c = intlim(intround(lon - 0.5f) - env.lon_wes, 0, 2);
  int r = intlim(intround(lat - 0.5f) - env.lat_sou, 0, 1);
  return (lon - env.lonwes_ref[c][r]) * con.nmtomtrs * 60.0f * std::cos(lat * con.degtorad) +
         env.planex_ref[c][r];
}

// World coordinates (src/world): south of the region's southern edge at 60 nm a degree.
float Z_with_lat(float lat) { return env.hiz - (lat - env.lat_sou) * con.nmtomtrs * 60.0f; }

// Terrain regions (src/world): the first cell of the whole grid whose corners bound the point.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all) {
  for (int a = 0; a < GRID_I - 1; a++) {
    for (int b = 0; b < GRID_J - 1; b++) {
      float x0 = planexyz[a][b][0], x1 = planexyz[a + 1][b][0];
      float z0 = planexyz[a][b][2], z1 = planexyz[a][b + 1][2];
      if (x >= fltmin2(x0, x1) && x <= fltmax2(x0, x1) && z >= fltmin2(z0, z1) &&
          z <= fltmax2(z0, z1)) {
        *i = a;
        *j = b;
        return 1;
      }
    }
  }
  return 0;
}

// Terrain regions (src/world): the heights of the cell's corners blended by position.
float find_local_h(float x, float z, int i, int j) {
  i = intlim(i, 0, GRID_I - 2);
  j = intlim(j, 0, GRID_J - 2);
  float dx = planexyz[i + 1][j][0] - planexyz[i][j][0];
  float dz = planexyz[i][j + 1][2] - planexyz[i][j][2];
  float u = dx != 0.0f ? fltlim((x - planexyz[i][j][0]) / dx, 0.0f, 1.0f) : 0.0f;
  float w = dz != 0.0f ? fltlim((z - planexyz[i][j][2]) / dz, 0.0f, 1.0f) : 0.0f;
  float south = interp(0.0f, planexyz[i][j][1], 1.0f, planexyz[i + 1][j][1], u);
  float north = interp(0.0f, planexyz[i][j + 1][1], 1.0f, planexyz[i + 1][j + 1][1], u);
  return interp(0.0f, south, 1.0f, north, w);
}

// Flight frame (src/flight): only the elapsed time and the frame and event counters advance.
void update_flight() {
  msc.elap_time += msc.prd;
  msc.cntr = msc.cntr >= 30000 ? 0 : msc.cntr + 1;
  if (msc.evup < 1) msc.evup = 1;
  if (msc.cntr % msc.evup == 0) {
    msc.cntr10 = intwrap(msc.cntr10 + 1, 0, 9);
    msc.evup = intlim(intround(0.1f / msc.prd), 1, 99);
  }
}

// Instrument panel (src/panel).
void update_panel() {}

// Instrument panel (src/panel).
void init_tape() {}

// Instrument panel (src/panel).
void init_nav_pic() {}

// Instrument panel (src/panel).
void manage_das(int open, int x, int y) {}

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
