// Engine gauge full scales and the blinking level of the lights.
#include "panel_fixture.h"

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
