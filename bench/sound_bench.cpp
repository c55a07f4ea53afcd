// The sound upkeep of a frame (the engine, wind and rain loops retuned to the flight) beside a
// whole flight frame of the four-engine transport, on the headless sound device.
#include <benchmark/benchmark.h>

#include "app/headless/headless.h"
#include "flight/flight.h"
#include "sample_flight.h"
#include "sound/sound.h"

// The transport in cruise, its sounds loaded and live.
static void cruise_with_sound() {
  fly_sample("Turboprop Transport");
  msc.sound_avail = init_sound();
  msc.sound_on = 1;
  mnw.ready_to_update = 1;
  for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);
  play_engine_and_windrain();
}

// The engines' speed and the airspeed wander a little every frame, so that every loop is retuned.
static void BM_SoundUpkeep(benchmark::State& state) {
  cruise_with_sound();
  int k = 0;
  for (auto _ : state) {
    const float wobble = 1.0f + 0.001f * static_cast<float>(k % 7);
    for (int i = 0; i < 4; i++) flt.tac[i] *= wobble;
    flt.vind *= wobble;
    maintain_engine_sound();
    maintain_windrain_sound();
    for (int i = 0; i < 4; i++) flt.tac[i] /= wobble;
    flt.vind /= wobble;
    // The headless device records every call; the record is emptied before it grows large.
    if (++k % 4096 == 0) headless_clear_sound_calls();
  }
}
BENCHMARK(BM_SoundUpkeep);

static void BM_FrameOfTransport(benchmark::State& state) {
  cruise_with_sound();
  int k = 0;
  for (auto _ : state) {
    update_flight();
    benchmark::DoNotOptimize(flt.aY);
    if (flt.h < 1000.0f) flt.Y += 1000.0;
    if (++k % 4096 == 0) headless_clear_sound_calls();
  }
}
BENCHMARK(BM_FrameOfTransport);
