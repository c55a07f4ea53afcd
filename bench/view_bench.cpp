// Frames of the loop drawing the default start (the trainer on runway 0 of "SBD ") into an
// 800 x 580 main window through the GL drawing layer, and into one of 1920 x 1080 with the panel
// scaled to it, under a virtual X server with a screen that large:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/view_bench
// Each benchmark reports frames per second of the whole frame as the loop runs it (the panel on
// its event ticks, the view, controls, flight, present) and, for the noon start, the share of the
// frame's time each part of the scene and the panel take.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <random>
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
#include "gl_bench.h"

namespace {

enum { WIN_W = 800, WIN_H = 580 };

std::string why_not;

int sbd = -1;

bool load_start() {
  if (!load_runtime_database(&why_not)) return false;
  const std::string dir = KESTRIX_RUNTIME_DIR;
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
  if (state < 0) state = open_gl_window(WIN_W, WIN_H, &why_not) && load_start() ? 1 : 0;
  return state == 1;
}

// The trainer on the start of runway 0, the factory weather, at local time `hour`, in a main
// window of w x h pixels.
void place(float hour, int view, int w = WIN_W, int h = WIN_H) {
  XResizeWindow(gl_window::dpy, gl_window::win, static_cast<unsigned>(w), static_cast<unsigned>(h));
  XSync(gl_window::dpy, False);
  reset_ogl();
  OGL_define_colors();
  ogl_gl_select_window(0, w, h);
  // The flight start itself, so that the flight frames that follow begin from a whole state (a
  // state placed by hand leaves the flight to run into numbers that are not numbers, and the view
  // to draw nothing).
  ins.baro = atm.baro = 29.92f;
  msc.loc_apt_wrl = sbd;
  msc.rway_sel = 0;
  msc.typestart = TYPESTART_TAKEOFF;
  flt.m_fuel = 0.5f * pln.m_fuel;
  set_fltvars(START_AIRPORT);
  msc.locl_time = hour * 3600.0f;
  // The frame period and event tick of a loop running at 60 frames a second.
  msc.prd = 1.0f / 60.0f;
  msc.evup = 6;
  msc.cntr = 0;
  atm.cld_type = 0;
  atm.vis = 7.0f * con.nmtomtrs;
  atm.temp_SL = 59.0f;
  set.view_type = view;
  set.view_is_fullscreen = 0;
  mnw.up[0] = 0;
  mnw.dx[0] = WIN_W;
  mnw.dy[0] = WIN_H;
  mnw.wdx[0] = w;
  mnw.wdy[0] = h;
  macibm_layout_window(0, 1);
  reset_panel();
}

// Work of every thread of the process, the software renderer's included, and its share per
// iteration since cpu0: what a frame costs on a machine with nothing else to do.
double cpu_seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }
benchmark::Counter cpu_ms_since(double cpu0, const benchmark::State& state) {
  return benchmark::Counter(1000.0 * (cpu_seconds() - cpu0) / state.iterations());
}

// One frame of the loop: the program's own frame with its picture, then the present.
void frame() {
  sim_frame(1);
  OGL_present_changed();
}

// With `rolling` the throttle is opened and the brakes let go, so that the panel's needles move
// on every event tick.
void run(benchmark::State& state, float hour, int view, int rolling = 0, int w = WIN_W,
         int h = WIN_H) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(hour, view, w, h);
  frame();  // textures in
  if (rolling) {
    lever_set(LEVER_THROTTLE, -1, 1.0f);
    set.parkbrake = 0.0f;
  }
  const double cpu0 = cpu_seconds();
  for (auto _ : state) frame();
  glFinish();
  // A flight gone wild leaves the view nothing to draw and the figures meaningless.
  if (!std::isfinite(flt.X) || !std::isfinite(flt.h)) state.SkipWithError("the flight went wild");
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["cpu_ms"] = cpu_ms_since(cpu0, state);
}

// Where a frame's time goes: the frame drawn once as the loop draws it, then each part of
// the scene drawn again on its own and waited for, so that the software renderer's work is
// counted with the part that caused it.
void parts(benchmark::State& state, float hour, int w = WIN_W, int h = WIN_H) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(hour, 601, w, h);
  frame();
  static const char* const names[] = {"sky",     "runways", "terrain", "objects", "ships",
                                      "traffic", "plane",   "clouds",  "lights"};
  void (*const parts[])() = {draw_sky,     draw_runways, draw_terrain, draw_objects, draw_ships,
                             draw_traffic, draw_plane,   draw_clouds,  draw_lights};
  const int n = sizeof parts / sizeof parts[0];
  double ms[n + 1] = {0};
  auto now = [] {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
  double panel_ms = 0.0;
  for (auto _ : state) {
    // The panel on its event ticks, counted per frame; the frame counter moves as the flight
    // frame would move it.
    if (msc.cntr++ % msc.evup == 0) {
      const double t0 = now();
      update_panel();
      glFinish();
      panel_ms += now() - t0;
    }
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
  state.counters["panel"] = benchmark::Counter(panel_ms / state.iterations());
}

// The panel alone drawn in full, as after a click on the window or a change of aircraft, and one
// event tick of it while the instruments move on the take-off roll.
void panel_draws(benchmark::State& state, int full, int w = WIN_W, int h = WIN_H) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(12.0f, 601, w, h);
  frame();
  const double cpu0 = cpu_seconds();
  float speed = 0.0f;
  for (auto _ : state) {
    speed = speed < 80.0f ? speed + 0.5f : 0.0f;
    flt.vind = speed;
    for (int e = 0; e < MAX_ENGINES; e++) flt.tac[e] = pln.omegamax * (0.6f + speed / 250.0f);
    flt.h_ind = apt_h[sbd] + speed * 0.2f;
    if (full) ins.tickle_all = 1;
    update_panel();
    OGL_present_changed();
    glFinish();
  }
  state.counters["cpu_ms"] = cpu_ms_since(cpu0, state);
}

void BM_PanelFullRedraw(benchmark::State& state) { panel_draws(state, 1); }
void BM_PanelTakeOffTick(benchmark::State& state) { panel_draws(state, 0); }
void BM_PanelFullRedraw1920x1080(benchmark::State& state) { panel_draws(state, 1, 1920, 1080); }

void BM_ViewNoonParts(benchmark::State& state) { parts(state, 12.0f); }
void BM_ViewNightParts(benchmark::State& state) { parts(state, 0.5f); }
void BM_ViewNoonParts1920x1080(benchmark::State& state) { parts(state, 12.0f, 1920, 1080); }

void BM_ViewNoonForwards(benchmark::State& state) { run(state, 12.0f, 601); }
void BM_ViewNoonTakeOffRoll(benchmark::State& state) { run(state, 12.0f, 601, 1); }
void BM_ViewNightForwards(benchmark::State& state) { run(state, 0.5f, 601); }
void BM_ViewNoonChase(benchmark::State& state) { run(state, 12.0f, 618); }
void BM_ViewNoonFullScreen(benchmark::State& state) { run(state, 12.0f, 625); }
void BM_ViewNoonForwards1920x1080(benchmark::State& state) {
  run(state, 12.0f, 601, 0, 1920, 1080);
}

// Ten data groups a pilot might watch.
const int watched[10] = {1, 5, 13, 15, 16, 23, 24, 26, 28, 31};

// The on-screen list of the ten groups alone, drawn over the picture and waited for. It is not
// presented, as in a frame the view under it is presented anyway; each draw waits for the software
// renderer on its own, which a frame does once for everything, so it is an upper bound of the
// list's share of a frame.
void BM_DataListAlone(benchmark::State& state) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  place(12.0f, 601);
  for (int g : watched) set.Brlt[g] = 1;
  set_rlt_grf_choices();
  frame();
  const double cpu0 = cpu_seconds();
  for (auto _ : state) {
    draw_data_list();
    glFinish();
  }
  state.counters["cpu_ms"] = cpu_ms_since(cpu0, state);
  for (int g : watched) set.Brlt[g] = 0;
  set_rlt_grf_choices();
}

// The forward view at noon in pairs of frames, the ten groups written to the data file and listed
// on the screen in one frame of each pair (which one, a seeded coin decides, so that nothing
// recurring every few frames falls on one kind): the data output's share of a frame as the mean
// difference within pairs. A shared machine drifts by far more than that share between whole runs
// of each kind, but not between neighbouring frames.
void paired_ten_groups(benchmark::State& state, int w, int h) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  for (int g : watched) set.Bdsk[g] = set.Brlt[g] = 1;
  set_rlt_grf_choices();
  trk.open("/dev/null");
  place(12.0f, 601, w, h);
  frame();
  double wall[2] = {0, 0}, cpu[2] = {0, 0};
  std::minstd_rand coin(7);
  for (auto _ : state) {
    const int first = static_cast<int>(coin() % 2);
    for (int k = 0; k < 2; k++) {
      const int on = (k + first) % 2;
      set.rltout = set.dskout = on;
      const auto t0 = std::chrono::steady_clock::now();
      const double c0 = cpu_seconds();
      frame();
      glFinish();
      cpu[on] += cpu_seconds() - c0;
      wall[on] += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
  }
  trk.close();
  for (int g : watched) set.Bdsk[g] = set.Brlt[g] = 0;
  set_rlt_grf_choices();
  const double n = static_cast<double>(state.iterations());
  state.counters["frame_ms"] = 1000.0 * wall[0] / n;
  state.counters["data_ms"] = 1000.0 * (wall[1] - wall[0]) / n;
  state.counters["data_pct"] = 100.0 * (wall[1] - wall[0]) / wall[0];
  state.counters["cpu_frame_ms"] = 1000.0 * cpu[0] / n;
  state.counters["cpu_data_pct"] = 100.0 * (cpu[1] - cpu[0]) / cpu[0];
}
void BM_TenGroupsPaired(benchmark::State& state) { paired_ten_groups(state, WIN_W, WIN_H); }
void BM_TenGroupsPaired1920x1080(benchmark::State& state) { paired_ten_groups(state, 1920, 1080); }

BENCHMARK(BM_ViewNoonParts)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNightParts)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonParts1920x1080)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_PanelFullRedraw)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_PanelTakeOffTick)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_PanelFullRedraw1920x1080)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonForwards)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonTakeOffRoll)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNightForwards)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonChase)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_ViewNoonFullScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_DataListAlone)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_TenGroupsPaired)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_TenGroupsPaired1920x1080)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ViewNoonForwards1920x1080)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace
