// The panel's update on the headless back end (the drawing layer's own work, no GL): an event
// tick in climbing, turning flight where the flight instruments move, a full redraw, and laying
// the panel out; for the classic and the glass panel.
#include <benchmark/benchmark.h>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "world/world.h"

static void small_aircraft(int glass) {
  init_constants();
  reset_world_state();
  init_tape();
  init_nav_pic();
  pln.asi_units = 2;
  pln.Vso = 50, pln.Vs = 55, pln.Vfe = 100, pln.Vno = 130, pln.Vne = 160;
  pln.paneltype = glass ? 2 : 1;
  pln.AStype = pln.supptype = pln.VVItype = 1;
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = loc;
  layout_panel_locations();
  finish_readin2();
  pln.entype = ENGINE_PISTON;
  pln.numen = 2;
  pln.pmax = 120000;
  pln.omegamax = 280;
  pln.m_fuel = 150;
  pln.flapEQ = pln.retractEQ = pln.varpitchEQ = 1;
  pln.ecam = glass;
  ins.baro = 29.92f;
  reset_panel();
  update_panel();
}

// One tick of a climbing right turn: every flight instrument has moved.
static void fly_a_tick(int k) {
  flt.vind = 100.0f + (k % 20);
  flt.h_ind = 1000.0f + 3.0f * k;
  flt.the180 = 5.0f + 0.1f * (k % 30);
  flt.phi180 = 20.0f + 0.2f * (k % 40);
  flt.psi = flt.magpsi = fltwrap(0.5f * k, 0.0f, 360.0f);
  flt.psidot = 3.0f;
  flt.vu = 2.5f + 0.01f * (k % 50);
  flt.tac[0] = flt.tac[1] = 250.0f + (k % 10);
  msc.elap_time += 0.1f;
  msc.cntr10 = k % 10;
}

static void BM_panel_tick(benchmark::State& state) {
  small_aircraft(static_cast<int>(state.range(0)));
  int k = 0;
  for (auto _ : state) {
    fly_a_tick(k++);
    update_panel();
  }
}
BENCHMARK(BM_panel_tick)->Arg(0)->Arg(1);

static void BM_panel_full_redraw(benchmark::State& state) {
  small_aircraft(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ins.tickle_all = 1;
    update_panel();
  }
}
BENCHMARK(BM_panel_full_redraw)->Arg(0)->Arg(1);

static void BM_panel_click(benchmark::State& state) {
  small_aircraft(0);
  for (auto _ : state) manage_das(0, 760, 150);
}
BENCHMARK(BM_panel_click);
