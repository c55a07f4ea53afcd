// Engine gauge full scales and the blinking level of the lights.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "support/test_support.h"

// Weak stand-in for the flight frame's fuel flow, given way to once the real one is linked: full
// flow 0.42 lb/h per hp (piston) or 0.5 lb/h per lbf (pure jet), idle 1 % or 5 %.
[[gnu::weak]] float burnin_fuel(float x) {
  bool jet = pln.entype == 3;
  float full = jet ? pln.tmax * con.ntntolbs * 0.5f : pln.pmax * con.watttohp * 0.42f;
  float idle = full * (jet ? 0.05f : 0.01f);
  return fltmax2(interp(0.0f, idle, jet ? pln.tmax : pln.pmax, full, x), idle) * con.lbstokgs /
         3600.0f;
}

TEST(PanelScales, EngineGaugesRoundUpToAWholeStep) {
  reset_world_state();
  init_constants();
  pln.entype = 1;
  pln.pmax = 150000.0f;  // 201 hp
  pln.omegamax = 270.0f;
  EXPECT_EQ(tac_max(), 3000.0f);  // 2578 rpm
  EXPECT_EQ(trq_max(), 550.0f);   // 492 ft lb
  EXPECT_EQ(ff__max(), 90.0f);    // 84.5 lb/h
  pln.entype = 3;
  pln.tmax = 50000.0f;  // 11240 lbf, 5620 lb/h
  EXPECT_EQ(ff__max(), 7000.0f);
  pln.burnerinc = 20000.0f;  // three times the thrust: 16298 lb/h
  EXPECT_EQ(ff__max(), 18000.0f);
  msc.elap_time = 0.0f;
  EXPECT_FLOAT_EQ(pulse(0.25f * con.pi), 1.0f);
  EXPECT_NEAR(pulse(0.75f * con.pi), 0.0f, 1e-6f);
}
