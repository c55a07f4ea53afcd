// The view's frame: the light of the moment, the camera, and the scene drawn part by part into
// the main window above the panel. What the flight stands on is the world's, kept every frame
// whether or not a picture is drawn (update_surroundings).
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

void view_area(int dx, int dy, int fullscreen, int* x, int* y, int* w, int* h) {
  *x = 0;
  *w = dx > 0 ? dx : 0;
  // Above the panel, unless the window is too low to leave the view a useful strip.
  if (fullscreen || dy < PANEL_BMP_H + 40) {
    *y = 0;
    *h = dy > 0 ? dy : 0;
  } else {
    *y = PANEL_BMP_H;
    *h = dy - PANEL_BMP_H;
  }
}

// Distance the scene is drawn to: the visibility, nothing inside a cloud, and the clear air above
// the tops. An unset visibility (0) is the factory 7 nm.
static float view_distance() {
  float vis = atm.vis > 0.0f ? atm.vis : 7.0f * con.nmtomtrs;
  if (!std::isfinite(vis)) vis = 7.0f * con.nmtomtrs;
  vis = fltlim(vis, 185.0f, 40000.0f);
  if (atm.cld_type && !scn.belowbases && !scn.abovetops) vis = 80.0f;
  if (atm.cld_type && scn.abovetops) vis = fltmax2(vis, 30000.0f);
  return vis;
}

static int finite3(const float p[3]) {
  return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

// The light of the moment and the camera, which also gives the terrain lookups their viewpoint.
static void light_and_camera() {
  sky_for_time(msc.locl_time, std::isfinite(flt.lat) ? flt.lat : 0.0f, &vf.sky);
  sky_weather(&vf.sky);
  for (int k = 0; k < 3; k++) ogl_light_rat[k] = vf.sky.ratio[k];

  con.PLAN_loc_X = static_cast<float>(flt.X);
  con.PLAN_loc_Y = static_cast<float>(flt.Y);
  con.PLAN_loc_Z = static_cast<float>(flt.Z);
  view_camera_for(set.view_type, &vf.cam);
  for (int k = 0; k < 3; k++) con.VIEW_xyz[k] = vf.cam.eye[k];
}

static void draw_scene() {
  const view_camera* c = &vf.cam;
  const float near_m = c->outside ? 1.0f : 0.5f, far_m = vf.vis * 1.15f + 300.0f;
  view_matrices(c, vf.aspect, near_m, far_m, vf.proj_m, vf.cam_m);
  view_frustum_for(c, vf.aspect, &vf.frustum);
  vf.px_per_rad = 0.5f * vf.w / c->tan_half_w;
  vf.dark = vf.sky.daylight < 0.6f || vf.vis < 4800.0f;

  const int saved = ogl_will_be_blitted;
  ogl_will_be_blitted = 1;
  OGL_view_begin(vf.x, vf.y, vf.w, vf.h, vf.proj_m, vf.cam_m, vf.sky.horizon);
  OGL_fog_range(0.3f * vf.vis, vf.vis, vf.sky.horizon);
  OGL_sun(vf.sky.sun_dir, vf.sky.diffuse, vf.sky.ambient);
  lights_reset();
  // Far to near and solid to see-through: the sky behind everything, the ground, what stands on
  // it, the aircraft, the clouds and rain, and the lights last so that they shine over haze.
  draw_sky();
  draw_terrain();
  draw_runways();
  draw_objects();
  draw_ships();
  draw_traffic();
  draw_plane();
  draw_clouds();
  draw_lights();
  OGL_view_end();
  if (c->hud) draw_hud();
  ogl_will_be_blitted = saved;
  OGL_sbuf(vf.x, vf.y, vf.w, vf.h);
}

void update_scenery() {
  light_and_camera();
  view_area(mnw.dx[0], mnw.dy[0], set.view_is_fullscreen, &vf.x, &vf.y, &vf.w, &vf.h);
  con.cntrx = vf.x + 0.5f * vf.w;
  con.cntry = vf.y + 0.5f * vf.h;
  vf.vis = view_distance();
  if (vf.w <= 0 || vf.h <= 0 || !finite3(vf.cam.eye)) return;
  vf.aspect = static_cast<float>(vf.w) / static_cast<float>(vf.h);
  if (mnw.up[0]) MACIBM_startwind(0, 0);
  if (!texture_ready(TX_WATER)) load_scenery_textures();
  draw_scene();
}
