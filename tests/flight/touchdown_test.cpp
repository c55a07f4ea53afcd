// The crash test of the force pass and its explanations.
#include "flight_fixture.h"

using FlightTouchdown = FlightTest;

TEST_F(FlightTouchdown, ImpactBeyondTwentyMetresPerSecondIsACrashWithItsExplanations) {
  flt.onsurface = 1;
  flt.vu = -20.0f;  // exactly the limit: a hard landing, not a crash
  set_a_crash();
  EXPECT_EQ(flt.crashes, 0);
  flt.onsurface = 0;
  flt.vu = -30.0f;  // falling fast but touching nothing
  set_a_crash();
  EXPECT_EQ(flt.crashes, 0);

  flt.onsurface = 1, msc.ice = 0.02f, rel.vacuum = 0;
  set_a_crash();
  EXPECT_EQ(flt.crashes, 1);
  EXPECT_EQ(msc.typestart, 900);
  const auto& log = macibm_alert_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].line[0], "The aircraft was carrying ice at time of impact.");
  EXPECT_EQ(log[0].line[1], "You have to keep out of the clouds between -4 and 32 deg F.");
  EXPECT_EQ(log[0].line[2].find("thermometer"), std::string::npos);  // none is drawn
  EXPECT_EQ(log[1].line[0], "Your vacuum system had failed before impact.");
  EXPECT_FALSE(macibm_alert_is_fatal(log[1].kind));
}
