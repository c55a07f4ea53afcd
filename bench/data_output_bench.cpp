// Data output beside the frame it reports on: the trainer's flight frame alone, and ten groups
// written to the data file and drawn in the on-screen list (the drawing layer's own work on the
// headless back end) as one event tick does it. The goal is the second under 3 % of the first.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "render/render.h"
#include "sample_flight.h"

static void BM_FrameOfTrainer(benchmark::State& state) {
  fly_sample("Trainer");
  for (auto _ : state) {
    update_flight();
    benchmark::DoNotOptimize(flt.aY);
    if (flt.h < 1000.0f) flt.Y += 1000.0;
  }
}
BENCHMARK(BM_FrameOfTrainer);

// The whole frame of the simulator with its picture, on the headless back end: the flight, the
// panel on event ticks and the view, whose drawing-layer work is done without a GL context.
static void BM_DrawnFrameOfTrainer(benchmark::State& state) {
  fly_sample("Trainer");
  set_win_params(0, "Kestrix", 800, 580);
  set.view_type = VIEW_FORWARDS;
  for (auto _ : state) {
    sim_frame(1);
    benchmark::DoNotOptimize(flt.aY);
    if (flt.h < 1000.0f) flt.Y += 1000.0;
  }
}
BENCHMARK(BM_DrawnFrameOfTrainer);

// The ten groups a pilot watching an approach might choose: speeds, attitude, position, engine.
static const int watched[10] = {1, 5, 13, 15, 16, 23, 24, 26, 28, 31};

static void BM_TenGroupsToFileAndScreen(benchmark::State& state) {
  fly_sample("Trainer");
  for (int g : watched) set.Bdsk[g] = set.Brlt[g] = 1;
  set_rlt_grf_choices();
  if (trk.is_open()) trk.close();
  trk.clear();
  trk.open("/dev/null");
  mnw.dy[0] = 580;
  int k = 0;
  for (auto _ : state) {
    msc.cntr10 = k++ % 10;
    dskoutproc();
    draw_data_list();
  }
  trk.close();
}
BENCHMARK(BM_TenGroupsToFileAndScreen);

static void BM_TenGroupsToFile(benchmark::State& state) {
  fly_sample("Trainer");
  for (int g : watched) set.Bdsk[g] = 1;
  set_rlt_grf_choices();
  if (trk.is_open()) trk.close();
  trk.clear();
  trk.open("/dev/null");
  int k = 0;
  for (auto _ : state) {
    msc.cntr10 = k++ % 10;
    dskoutproc();
  }
  trk.close();
}
BENCHMARK(BM_TenGroupsToFile);
