// The weather's steps: one event tick of wxcalc, the once-a-second pass, a storm sector, a cloud
// sector and a report decoded.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

static void windy_world() {
  init_constants();
  reset_world_state();
  app_path[0] = '\0';
  atm.rain_tstm = atm.wind_tbl = 3;
  atm.burst_prob = 5;
  atm.vis = 10000;
  atm.baseMSL = 1000;
  atm.topsMSL = 3000;
  atm.rate_change = 8;
  atm.change_clouds = atm.change_vis = atm.change_precip = atm.change_turb = 1;
  assign_wind_tbl(1.0f);
  flt.Y = flt.h = 200;
  env.hix = 190000;
  env.hiz = 220000;
}

static void BM_wxcalc(benchmark::State& state) {
  windy_world();
  for (auto _ : state) {
    wxcalc();
    benchmark::DoNotOptimize(atm.wind_X);
  }
}
BENCHMARK(BM_wxcalc);

static void BM_storm_level_at(benchmark::State& state) {
  windy_world();
  for (auto _ : state) benchmark::DoNotOptimize(storm_level_at(90000, 110000));
}
BENCHMARK(BM_storm_level_at);

static void BM_mod_sec(benchmark::State& state) {
  windy_world();
  pln.numen = 2;
  pln.entype = ENGINE_PISTON;
  pln.omegamax = 250;
  for (auto _ : state) {
    mod_sec();
    msc.elap_time += 1;
  }
}
BENCHMARK(BM_mod_sec);

static void BM_gen_wx_for_sec(benchmark::State& state) {
  windy_world();
  for (auto _ : state) gen_wx_for_sec(4);
}
BENCHMARK(BM_gen_wx_for_sec);

static void BM_fill_a_sector_with_ocast(benchmark::State& state) {
  windy_world();
  for (auto _ : state) fill_a_sector_with_ocast(2, 1);
}
BENCHMARK(BM_fill_a_sector_with_ocast);

static void BM_decode_wxr(benchmark::State& state) {
  init_constants();
  float t, b, tops, v, temp, dew, dir, spd, gust, baro;
  int cld, kind, level;
  for (auto _ : state) {
    decode_wxr("0550 SA 25 SCT 80 BKN 250 OVC 3 R- 55/52/1812G25/013", 100, &t, &cld, &b, &tops, &v,
               &kind, &level, &temp, &dew, &dir, &spd, &gust, &baro);
    benchmark::DoNotOptimize(baro);
  }
}
BENCHMARK(BM_decode_wxr);
