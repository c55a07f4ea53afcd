// Loading the default start for the view's pictures.
#include "render_view/view_fixture.h"

#include <cstdio>
#include <filesystem>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/desktop/ogl_gl.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

static int loaded = -1;  // -1 not tried, 0 failed, 1 ready
static std::string failure;
static int sbd = -1;

static bool load_world() {
  std::string why;
  if (!gl_harness_open(&why)) return failure = why, false;
  const std::string dir = KESTRIX_RUNTIME_DIR;
  if (!std::filesystem::exists(dir + "/world/apt_dat") ||
      !std::filesystem::exists(dir + "/aircraft/Trainer.acf"))
    return failure = "no generated world or sample aircraft", false;
  reset_world_state();
  init_constants();
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  init_country_data();
  for (int n = 0; n <= env.aptmax; n++)
    if (std::string(apt_id[n]) == "SBD ") sbd = n;
  if (sbd < 0) return failure = "no SBD in the database", false;
  region_corner_for_airport(sbd);
  load_region();
  std::snprintf(pln.C_path, STR_SIZE, "%s/aircraft/Trainer.acf", dir.c_str());
  std::snprintf(pln.C_file, STR_SIZE, "Trainer.acf");
  load_plane();
  if (!macibm_alert_log().empty()) return failure = macibm_alert_log().back().line[0], false;
  return true;
}

bool view_world_ready(std::string* why) {
  if (loaded < 0) loaded = load_world() ? 1 : 0;
  *why = failure;
  return loaded == 1;
}

int view_sbd() { return sbd; }

static float heights[GRID_I][GRID_J];
void level_the_ground() {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++)
      heights[i][j] = planexyz[i][j][1], planexyz[i][j][1] = apt_h[sbd];
}
void restore_the_ground() {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) planexyz[i][j][1] = heights[i][j];
}

void view_start(float hour) {
  // A fresh drawing layer in the test window, keeping the world and the aircraft.
  reset_ogl();
  OGL_define_colors();
  ogl_res = 5;
  ogl_gl_select_window(GL_TEST_WINDOW, GL_TEST_W, GL_TEST_H);

  reset_flt();
  const float lat = apt_lat[sbd][0], lon = apt_lon[sbd][0], len = apt_len[sbd][0];
  const int h = apt_hdng[sbd][0];
  flt.X = X_with_latlon(lat, lon) - 0.5f * len * isin(h);
  flt.Z = Z_with_lat(lat) + 0.5f * len * icos(h);
  flt.Y = flt.h = apt_h[sbd] + pln.h_eqlbm;
  flt.psi = static_cast<float>(h);
  flt.the = pln.the_eqlbm;
  flt.lat = lat, flt.lon = lon;
  env.i_aircraft = 89, env.j_aircraft = 79;
  find_ijt_with_loc(static_cast<float>(flt.X), static_cast<float>(flt.Z), &env.i_aircraft,
                    &env.j_aircraft, 1);
  set.gear_stat[0] = set.gear_stat[1] = set.gear_stat[2] = 1;

  msc.locl_time = hour * 3600.0f;
  msc.elap_time = 100.0f;
  msc.prd = 0.05f;
  atm.cld_type = 0;
  atm.vis = 7.0f * con.nmtomtrs;
  atm.temp_SL = 59.0f;
  atm.rain_tstm = 1.0f;
  atm.level = 0.0f;
  for (float& t : atm.strike_t_exp) t = -1.0f;
  set.view_type = 601;
  set.view_is_fullscreen = 1;
  scn.zoom = 1.0f;
  ins.HUD_on = 0;
  mnw.up[0] = 0;
  mnw.dx[0] = GL_TEST_W;
  mnw.dy[0] = GL_TEST_H;
  macibm_clear_alert_log();
}

picture view_frame_picture() {
  update_scenery();
  return gl_read(0, 0, GL_TEST_W, GL_TEST_H);
}
