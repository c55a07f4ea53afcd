// Redraws of every map over the busiest region of the world, drawn by the GL drawing layer under
// a virtual X server:
//   xvfb-run -a build/bench/map_bench
// The busiest region is found from the database: the 3 x 2 degree region holding the most
// airports, radio aids and fixes. Storms cover it for the radar, and a full flight-path ring
// winds over it. Each benchmark reports milliseconds per redraw (goal: under 16), the open
// benchmark the setting up and first picture of a map (goal: under 50).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"
#include "gl_bench.h"

namespace {

std::string why_not;
int busiest_lat = 0, busiest_lon = 0, busiest_count = 0;

// Items of the database per whole-degree quadrant, then the 3 x 2 sums.
void find_busiest_region() {
  static int per_quad[WORLD_LAT1 - WORLD_LAT0][WORLD_LON1 - WORLD_LON0];
  auto add = [](float lat, float lon) {
    const int i = static_cast<int>(std::floor(lat)) - WORLD_LAT0;
    const int j = static_cast<int>(std::floor(lon)) - WORLD_LON0;
    if (i >= 0 && i < WORLD_LAT1 - WORLD_LAT0 && j >= 0 && j < WORLD_LON1 - WORLD_LON0)
      per_quad[i][j]++;
  };
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++) add(apt_lat[n][0], apt_lon[n][0]);
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++)
    if (nav_type[n] > 0 && nav_type[n] < 99) add(nav_lat[n], nav_lon[n]);
  for (int n = 0; n < FIX_MAX; n++)
    if (fix_lat[n] > -998.0f) add(fix_lat[n], fix_lon[n]);
  for (int i = 0; i + 2 <= WORLD_LAT1 - WORLD_LAT0; i++)
    for (int j = 0; j + 3 <= WORLD_LON1 - WORLD_LON0; j++) {
      int sum = 0;
      for (int a = 0; a < 2; a++)
        for (int b = 0; b < 3; b++) sum += per_quad[i + a][j + b];
      if (sum > busiest_count) busiest_count = sum, busiest_lat = WORLD_LAT0 + i, busiest_lon = WORLD_LON0 + j;
    }
}

bool load_world() {
  if (!open_gl_window(800, 600, &why_not) || !load_runtime_database(&why_not)) return false;
  find_busiest_region();
  std::printf("busiest region: %d N %d E, %d airports, aids and fixes\n", busiest_lat, busiest_lon,
              busiest_count);
  env.lat_sou = busiest_lat, env.lon_wes = busiest_lon;
  load_region();
  flt.lat = busiest_lat + 1.0f, flt.lon = busiest_lon + 1.5f;
  flt.X = X_with_latlon(flt.lat, flt.lon), flt.Z = Z_with_lat(flt.lat), flt.Y = 1500.0f;
  // A full ring of path points: a slow spiral over the region.
  for (int k = 0; k < PATH_POINTS; k++) {
    const float a = k * 0.01f, r = 5000.0f + 10.0f * k;
    pat.xyztpp[k][0] = static_cast<float>(flt.X) + r * std::sin(a);
    pat.xyztpp[k][1] = 1000.0f + 0.3f * k;
    pat.xyztpp[k][2] = static_cast<float>(flt.Z) - r * std::cos(a);
    pat.inited[k] = 1;
  }
  pat.cntr_record = PATH_POINTS - 1;
  atm.rain_tstm = 4.0f;
  reset_ogl();
  OGL_define_colors();
  return true;
}

bool ready() {
  static int state = -1;
  if (state < 0) state = load_world() ? 1 : 0;
  return state == 1;
}

// The window a map is shown in, at its size in the simulator.
void select_window(int kind) {
  static const int sizes[MAP_KINDS][2] = {{640, 480}, {640, 480}, {640, 480},
                                          {800, 450}, {760, 540}, {432, 494}};
  const int w = map_window_of_kind(kind);
  mnw.up[w] = 1, mnw.dx[w] = sizes[kind][0], mnw.dy[w] = sizes[kind][1];
  ogl_gl_select_window(w, mnw.dx[w], mnw.dy[w]);
}

void redraw(benchmark::State& state, int kind) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  select_window(kind);
  const int w = map_setup(kind, 0);
  map_draw(w);
  const double cpu0 = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  for (auto _ : state) {
    map_draw(w);
    OGL_present_changed();
    glFinish();
  }
  // Work of every thread of the process per redraw, the software renderer's included: what a
  // redraw costs on a machine with nothing else to do.
  state.counters["cpu_ms"] = benchmark::Counter(
      1000.0 * (static_cast<double>(std::clock()) / CLOCKS_PER_SEC - cpu0) / state.iterations());
  state.counters["items"] = maplist.n_items;
  state.counters["labels"] = maplist.n_labels;
}

void open_map(benchmark::State& state) {
  if (!ready()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  for (auto _ : state) {
    select_window(MAP_ENROUTE);
    map_draw(map_setup(MAP_ENROUTE, 0));
    glFinish();
  }
}

}  // namespace

BENCHMARK_CAPTURE(redraw, enroute, MAP_ENROUTE)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(redraw, local, MAP_LOCAL)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(redraw, radar, MAP_RADAR)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(redraw, world, MAP_WORLD)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(redraw, isometric, MAP_ISO)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(redraw, flight_path, MAP_PATH)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(open_map)->Unit(benchmark::kMillisecond)->UseRealTime();
