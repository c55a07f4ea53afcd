// Engine gauge full scales and the blinking level of the lights.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "support/test_support.h"

// Weak stand-in for the flight frame's fuel flow until the real one is linked: 0.42 lb/h per hp
// at full power (piston), 0.5 lb/h per lbf at full thrust (pure jet), idle 1 % or 5 %.
[[gnu::weak]] float burnin_fuel(float x) {
  bool jet = pln.entype == 3;
  float full = jet ? pln.tmax * con.ntntolbs * 0.5f : pln.pmax * con.watttohp * 0.42f;
  float idle = full * (jet ? 0.05f : 0.01f), top = jet ? pln.tmax : pln.pmax;
  return fltmax2(interp(0.0f, idle, top, full, x), idle) * con.lbstokgs / 3600.0f;
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
  pln.tmax = 50000.0f;       // 11240 lbf, 5620 lb/h
  pln.burnerinc = 20000.0f;  // the afterburner's scale: three times the thrust, 16298 lb/h
  EXPECT_EQ(ff__max(), 18000.0f);
  EXPECT_FLOAT_EQ(pulse(0.25f * con.pi), 1.0f);
}
