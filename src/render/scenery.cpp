// The view's frame: the light of the moment, the camera, and the scene drawn part by part into
// the main window above the panel. What the flight stands on is the world's, kept every frame
// whether or not a picture is drawn (update_surroundings).
#include <algorithm>
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

void view_area(int wdx, int wdy, int panel_top, int fullscreen, int* x, int* y, int* w, int* h) {
  *x = 0;
  *w = wdx > 0 ? wdx : 0;
  // Above the panel, unless the window is too low to leave the view a useful strip.
  if (fullscreen || wdy - panel_top < 40) {
    *y = 0;
    *h = wdy > 0 ? wdy : 0;
  } else {
    *y = panel_top;
    *h = wdy - panel_top;
  }
}

// The part of the main window's drawing coordinates (where the mouse and the 2-D drawings over
// the view are) that the 3-D view shows: the view's pixels taken back through the window's scale,
// kept within the drawing, so that what is drawn over the view is seen whatever the window's shape.
void view_area_drawing(int* x, int* y, int* w, int* h) {
  int wdx, wdy;
  macibm_window_pixels(WIN_MAIN, &wdx, &wdy);
  const float s = mnw.scale[WIN_MAIN] > 0.0f ? mnw.scale[WIN_MAIN] : 1.0f;
  const int ox = mnw.ox[WIN_MAIN], oy = mnw.oy[WIN_MAIN];
  int px, py, pw, ph;
  view_area(wdx, wdy, OGL_pixel_edge(s, oy, PANEL_BMP_H), set.view_is_fullscreen, &px, &py, &pw,
            &ph);
  const int x0 = std::max(0, OGL_coord_of_pixel(s, ox, px));
  const int y0 = std::max(0, OGL_coord_of_pixel(s, oy, py));
  const int x1 = std::min(mnw.dx[WIN_MAIN], OGL_coord_of_pixel(s, ox, px + pw));
  const int y1 = std::min(mnw.dy[WIN_MAIN], OGL_coord_of_pixel(s, oy, py + ph));
  *x = x0;
  *y = y0;
  *w = std::max(0, x1 - x0);
  *h = std::max(0, y1 - y0);
}

// Distance the scene is drawn to: the visibility, nothing inside a cloud, and the clear air above
// the tops. An unset visibility (0) is the factory 7 nm.
static float view_distance() {
  float vis = atm.vis > 0.0f ? atm.vis : 7.0f * con.nmtomtrs;
  if (!std::isfinite(vis)) vis = 7.0f * con.nmtomtrs;
  vis = fltlim(vis, 185.0f, 40000.0f);
  if (atm.cld_type && !vf.below_bases && !vf.above_tops) vis = 80.0f;
  if (atm.cld_type && vf.above_tops) vis = fltmax2(vis, 30000.0f);
  return vis;
}

static int finite3(const float p[3]) {
  return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

// The camera, which also gives the terrain lookups their viewpoint, and the light of the moment
// where the eye is.
static void light_and_camera() {
  con.PLAN_loc_X = static_cast<float>(flt.X);
  con.PLAN_loc_Y = static_cast<float>(flt.Y);
  con.PLAN_loc_Z = static_cast<float>(flt.Z);
  view_camera_for(set.view_type, &vf.cam);
  for (int k = 0; k < 3; k++) con.VIEW_xyz[k] = vf.cam.eye[k];

  const float* e = vf.cam.eye;
  vf.below_bases = !atm.cld_type || e[1] < cloud_base_at(e[0], e[2]);
  vf.above_tops = atm.cld_type && e[1] > atm.topsMSL;
  sky_for_time(solar_time_at(zulu_for_local(msc.locl_time), flt.lon),
               std::isfinite(flt.lat) ? flt.lat : 0.0f, &vf.sky);
  sky_weather(&vf.sky, vf.below_bases, vf.above_tops);
  for (int k = 0; k < 3; k++) ogl_light_rat[k] = vf.sky.ratio[k];
}

static void draw_scene() {
  const view_camera* c = &vf.cam;
  const float near_m = c->outside ? 1.0f : 0.5f, far_m = vf.vis * 1.15f + 300.0f;
  // The scene is sent measured from the eye, so the camera stands at the origin.
  view_camera at_origin = *c;
  for (float& e : at_origin.eye) e = 0.0f;
  view_matrices(&at_origin, vf.aspect, near_m, far_m, vf.proj_m, vf.cam_m);
  view_frustum_for(c, vf.aspect, &vf.frustum);
  vf.px_per_rad = 0.5f * vf.w / c->tan_half_w;
  vf.dark = vf.sky.daylight < 0.6f || vf.vis < 4800.0f;

  const int saved = ogl_will_be_blitted;
  ogl_will_be_blitted = 1;
  OGL_view_begin(vf.x, vf.y, vf.w, vf.h, vf.proj_m, vf.cam_m, vf.sky.horizon);
  OGL_fog_range(0.3f * vf.vis, vf.vis, vf.sky.horizon);
  OGL_sun(vf.sky.sun_dir, vf.sky.diffuse, vf.sky.ambient);
  lights_reset();
  view_origin(c->eye);
  // Far to near and solid to see-through: the sky behind everything, the ground, what stands on
  // it, the aircraft, the clouds and rain, and the lights last so that they shine over haze. The
  // paving goes down before the terrain it lies on: pulled towards the eye, it hides the terrain
  // under it from the depth test, so those pixels are not shaded twice.
  draw_sky();
  draw_runways();
  draw_terrain();
  draw_objects();
  draw_ships();
  draw_traffic();
  draw_plane();
  draw_clouds();
  draw_lights();
  view_origin(nullptr);
  OGL_view_end();
  if (c->hud) draw_hud();
  draw_atc_words();
  ogl_will_be_blitted = saved;
  OGL_sbuf(vf.x, vf.y, vf.w, vf.h);
}

// The view takes the main window's own pixels, at the screen's resolution, from the top of the
// panel (where the drawing's row PANEL_BMP_H begins) up; tests and benchmarks that draw without
// the platform's window get the window's layout all the same.
void update_scenery() {
  light_and_camera();
  if (mnw.up[WIN_MAIN])
    MACIBM_startwind(WIN_MAIN, 0);
  else
    macibm_layout_window(WIN_MAIN, 1);
  const ogl_mapping& m = OGL_mapping();
  view_area(m.wdx, m.wdy, OGL_pixel_edge(m.scale, m.oy, PANEL_BMP_H), set.view_is_fullscreen, &vf.x,
            &vf.y, &vf.w, &vf.h);
  // Mouse flying measures the pointer from here, in the drawing's coordinates as the mouse is.
  con.cntrx = (vf.x + 0.5f * vf.w - m.ox) / m.scale;
  con.cntry = (vf.y + 0.5f * vf.h - m.oy) / m.scale;
  vf.vis = view_distance();
  if (vf.w <= 0 || vf.h <= 0 || !finite3(vf.cam.eye)) return;
  vf.aspect = static_cast<float>(vf.w) / static_cast<float>(vf.h);
  if (!texture_ready(TX_WATER)) load_scenery_textures();
  draw_scene();
}
