// The flight frame: one update_flight frame of each aircraft built in code, and the headless
// runner flying ten simulated minutes.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/app.h"
#include "flight/flight.h"
#include "flyrun.h"

// A glide at 3000 ft, settled for a few seconds so that the frame works on a flying aircraft.
static void start(const char* aircraft, float kias) {
  fly_setup_world(0.0f);
  fly_builtin_aircraft(aircraft);
  fly_options o;
  fly_default_options(&o);
  o.kias = kias;
  o.controls.throttle = 0.8f;
  fly_start(&o);
  for (int n = 0; n < 100; n++) fly_frame();
}

static void BM_FrameOfAircraft(benchmark::State& state, const char* aircraft, float kias) {
  start(aircraft, kias);
  for (auto _ : state) {
    update_flight();
    benchmark::DoNotOptimize(flt.aY);
    // Lift the aircraft back up now and then, so that millions of frames fly the same
    // flight condition.
    if (flt.h < 500.0f) flt.Y += 400.0;
  }
}
BENCHMARK_CAPTURE(BM_FrameOfAircraft, glider, "glider", 60.0f);
BENCHMARK_CAPTURE(BM_FrameOfAircraft, trainer, "trainer", 90.0f);
BENCHMARK_CAPTURE(BM_FrameOfAircraft, fourprop, "fourprop", 180.0f);

static void BM_RunnerTenMinutes(benchmark::State& state) {
  fly_options o;
  fly_default_options(&o);
  std::snprintf(o.aircraft, sizeof o.aircraft, "builtin:trainer");
  o.alt_ft = 8000.0f;
  o.seconds = 600.0f;
  o.prd = 0.05f;
  std::FILE* sink = std::tmpfile();
  for (auto _ : state) {
    std::rewind(sink);
    benchmark::DoNotOptimize(fly_run(&o, sink, sink));
  }
  std::fclose(sink);
}
BENCHMARK(BM_RunnerTenMinutes)->Unit(benchmark::kMillisecond);
