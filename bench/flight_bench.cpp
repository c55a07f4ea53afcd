// The flight frame: one update_flight frame of each sample aircraft, and the headless runner
// flying ten simulated minutes and the Trainer's flight-test card.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "sample_flight.h"
#include "shared/shared.h"
#include "world/world.h"

static void BM_FrameOfSample(benchmark::State& state, const char* name) {
  fly_sample(name);
  double mid_x = flt.X, mid_z = flt.Z;
  for (auto _ : state) {
    update_flight();
    benchmark::DoNotOptimize(flt.aY);
    // Bring the aircraft back up and over the middle of the region now and then, so that
    // millions of frames fly the same flight condition above the same ground.
    if (flt.h < 1000.0f) flt.Y += 1000.0;
    if (std::fabs(flt.X - mid_x) > 20000.0 || std::fabs(flt.Z - mid_z) > 20000.0) {
      flt.X = mid_x, flt.Z = mid_z;
    }
  }
}
BENCHMARK_CAPTURE(BM_FrameOfSample, Trainer, "Trainer");
BENCHMARK_CAPTURE(BM_FrameOfSample, LightTwin, "Light Twin");
BENCHMARK_CAPTURE(BM_FrameOfSample, Floatplane, "Floatplane");
BENCHMARK_CAPTURE(BM_FrameOfSample, BusinessJet, "Business Jet");
BENCHMARK_CAPTURE(BM_FrameOfSample, TurbopropTransport, "Turboprop Transport");
BENCHMARK_CAPTURE(BM_FrameOfSample, Helicopter, "Helicopter");

// Options of a run of the Trainer from the build's data, and that run repeated, its output
// thrown away.
static fly_options trainer_run() {
  fly_options o;
  fly_default_options(&o);
  macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
  std::snprintf(o.aircraft, sizeof o.aircraft, "%saircraft/Trainer.acf", KESTRIX_RUNTIME_DIR "/");
  return o;
}

static void repeat_run(benchmark::State& state, const fly_options& o) {
  std::FILE* sink = std::tmpfile();
  for (auto _ : state) {
    std::rewind(sink);
    benchmark::DoNotOptimize(fly_run(&o, sink, sink));
  }
  std::fclose(sink);
}

static void BM_RunnerTenMinutes(benchmark::State& state) {
  fly_options o = trainer_run();
  o.alt_ft = 9000.0f;
  o.kias = 100.0f;
  o.seconds = 600.0f;
  o.prd = 0.05f;
  repeat_run(state, o);
}
BENCHMARK(BM_RunnerTenMinutes)->Unit(benchmark::kMillisecond);

// The Trainer's whole flight-test card, as `kestrix-fly --test-card` flies it; the goal is well
// under 20 s of CPU.
static void BM_TrainerTestCard(benchmark::State& state) {
  fly_options o = trainer_run();
  o.test_card = 1;
  repeat_run(state, o);
}
BENCHMARK(BM_TrainerTestCard)->Unit(benchmark::kMillisecond);
