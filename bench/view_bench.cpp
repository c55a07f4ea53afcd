// Frames of the loop drawing the 3-D view of the default start (the trainer on runway 0 of
// "SBD ") into an 800 x 580 main window through the GL drawing layer, under a virtual X server:
//   xvfb-run -a build/bench/view_bench
// Each benchmark reports frames per second of the whole frame (view, controls, flight, present)
// and, for the noon start, the share of the view's time each part of the scene takes.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <string>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/desktop/ogl_gl.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

enum { WIN_W = 800, WIN_H = 580 };

Display* dpy;
Window win;
GLXContext ctx;
std::string why_not;

void make_current(int) { glXMakeCurrent(dpy, win, ctx); }
void swap(int) { glXSwapBuffers(dpy, win); }

bool open_window() {
  dpy = XOpenDisplay(nullptr);
  if (!dpy) return why_not = "no X display: run under xvfb-run", false;
  int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                 8,        GLX_DEPTH_SIZE,   24,           None};
  XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
  if (!vi) return why_not = "no double-buffered RGB visual", false;
  XSetWindowAttributes swa = {};
  swa.colormap = XCreateColormap(dpy, RootWindow(dpy, vi->screen), vi->visual, AllocNone);
  win = XCreateWindow(dpy, RootWindow(dpy, vi->screen), 0, 0, WIN_W, WIN_H, 0, vi->depth,
                      InputOutput, vi->visual, CWColormap | CWBorderPixel, &swa);
  XMapWindow(dpy, win);
  XSync(dpy, False);
  ctx = glXCreateContext(dpy, vi, nullptr, True);
  XFree(vi);
  if (!ctx || !glXMakeCurrent(dpy, win, ctx)) return why_not = "no GL context", false;
  ogl_gl_make_current = make_current;
  ogl_gl_swap = swap;
  return true;
}

int sbd = -1;

bool load_start() {
  const std::string dir = KESTRIX_RUNTIME_DIR;
  if (!std::filesystem::exists(dir + "/world/apt_dat"))
    return why_not = "no generated world data", false;
  reset_world_state();
  init_constants();
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  initgen();
  init_country_data();
  for (int n = 0; n <= env.aptmax; n++)
    if (std::string(apt_id[n]) == "SBD ") sbd = n;
  if (sbd < 0) return why_not = "no SBD in the database", false;
  region_corner_for_airport(sbd);
  load_region();
  std::snprintf(pln.C_path, STR_SIZE, "%s/aircraft/Trainer.acf", dir.c_str());
  std::snprintf(pln.C_file, STR_SIZE, "Trainer.acf");
  load_plane();
  return true;
}

bool ready() {
  static int state = -1;
  if (state < 0) state = open_window() && load_start() ? 1 : 0;
  return state == 1;
}

// The trainer on the start of runway 0, the factory weather, at local time `hour`.
void place(float hour, int view) {
  reset_ogl();
  OGL_define_colors();
  ogl_gl_select_window(0, WIN_W, WIN_H);
  const float lat = apt_lat[sbd][0], lon = apt_lon[sbd][0], len = apt_len[sbd][0];
  const int h = apt_hdng[sbd][0];
  flt.X = X_with_latlon(lat, lon) - 0.5f * len * isin(h);
  flt.Z = Z_with_lat(lat) + 0.5f * len * icos(h);
  flt.Y = flt.h = apt_h[sbd] + pln.h_eqlbm;
  flt.psi = static_cast<float>(h);
  flt.the = pln.the_eqlbm;
  flt.lat = lat, flt.lon = lon;
  msc.locl_time = hour * 3600.0f;
  msc.prd = 0.05f;
  atm.cld_type = 0;
  atm.vis = 7.0f * con.nmtomtrs;
  atm.temp_SL = 59.0f;
  set.view_type = view;
  set.view_is_fullscreen = 0;
  mnw.up[0] = 0;
  mnw.dx[0] = WIN_W;
  mnw.dy[0] = WIN_H;
}

// One frame of the loop as it runs with the panel between event ticks.
void frame() {
  update_scenery();
  update_controls();
  update_flight();
  OGL_present_changed();
}

void run(benchmark::State& state, float hour, int view) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(hour, view);
  frame();  // textures in
  const double cpu0 = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  for (auto _ : state) frame();
  glFinish();
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  // Work of every thread of the process per frame, the software renderer's included: what the
  // frame costs on a machine with nothing else to do.
  state.counters["cpu_ms"] = benchmark::Counter(
      1000.0 * (static_cast<double>(std::clock()) / CLOCKS_PER_SEC - cpu0) / state.iterations());
}

// Where a frame's time goes: the frame drawn once as the loop draws it, then each part of
// the scene drawn again on its own and waited for, so that the software renderer's work is
// counted with the part that caused it.
void parts(benchmark::State& state, float hour) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(hour, 601);
  frame();
  static const char* const names[] = {"sky",     "terrain", "runways", "objects", "ships",
                                      "traffic", "plane",   "clouds",  "lights"};
  void (*const parts[])() = {draw_sky,     draw_terrain, draw_runways, draw_objects, draw_ships,
                             draw_traffic, draw_plane,   draw_clouds,  draw_lights};
  const int n = sizeof parts / sizeof parts[0];
  double ms[n + 1] = {0};
  auto now = [] {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
  for (auto _ : state) {
    update_scenery();
    glFinish();
    OGL_view_begin(vf.x, vf.y, vf.w, vf.h, vf.proj_m, vf.cam_m, vf.sky.horizon);
    OGL_fog_range(0.3f * vf.vis, vf.vis, vf.sky.horizon);
    OGL_sun(vf.sky.sun_dir, vf.sky.diffuse, vf.sky.ambient);
    lights_reset();
    glFinish();
    for (int k = 0; k < n; k++) {
      const double t0 = now();
      parts[k]();
      glFinish();
      ms[k] += now() - t0;
    }
    OGL_view_end();
    const double t0 = now();
    OGL_present_changed();
    glFinish();
    ms[n] += now() - t0;
  }
  for (int k = 0; k < n; k++)
    state.counters[names[k]] = benchmark::Counter(ms[k] / state.iterations());
  state.counters["present"] = benchmark::Counter(ms[n] / state.iterations());
}

void BM_ViewNoonParts(benchmark::State& state) { parts(state, 12.0f); }
void BM_ViewNightParts(benchmark::State& state) { parts(state, 0.5f); }

void BM_ViewNoonForwards(benchmark::State& state) { run(state, 12.0f, 601); }
void BM_ViewNightForwards(benchmark::State& state) { run(state, 0.5f, 601); }
void BM_ViewNoonChase(benchmark::State& state) { run(state, 12.0f, 618); }
void BM_ViewNoonFullScreen(benchmark::State& state) { run(state, 12.0f, 625); }

BENCHMARK(BM_ViewNoonParts)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNightParts)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonForwards)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNightForwards)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonChase)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonFullScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace
