// The flight plan: a plan naming unknown airports is refused, the phases from the clearance on the
// ground to the taxi to the ramp, and the clearance's void time across midnight.
#include <functional>

#include "atc_fixture.h"

using AtcPlan = AtcTest;

namespace {
void at_airport(int n, int on_ground) {
  flt.lat = apt_lat[n][0], flt.lon = apt_lon[n][0];
  flt.onsurface = on_ground;
  flt.h = flt.h_ind = on_ground ? apt_h[n] : apt_h[n] + 1500.0f;
  env.local_h = apt_h[n];
}
void check_in() {
  atc.menu_up = 1;
  atc_pick_line(6);
}
}  // namespace

TEST_F(AtcPlan, PlanWithUnknownAirportsIsRefused) {
  fpl.onfile = 1;
  EXPECT_EQ(pick_up_flight_plan(), 0);
  EXPECT_EQ(last_said(), std::string(CALL_SIGN) + "I have no airport alpha alpha alpha on file. Please amend your flight plan.");
  EXPECT_EQ(fpl.activated, 0);
  handle_plan(0);  // nothing to run
  EXPECT_EQ(said().size(), 1u);
}

TEST_F(AtcPlan, PlanPhasesFromClearanceToRamp) {
  at_airport(SBD, 1);
  C_to_C("SBD ", fpl.dep_id_str);
  C_to_C("hig", fpl.arr_id_str);
  fpl.onfile = 1;
  const struct {
    std::function<void()> act;
    const char* says;  // in the last sentence; "" nothing new said
    int phase, waiting;
  } walk[] = {
      {[] { EXPECT_EQ(pick_up_flight_plan(), 1); }, "", 1, 0},
      {[] { handle_plan(0); }, "cleared as filed maintain at or below 3000 expect 5000 10 minutes after departure. Departure will be on ", 4, 0},
      {[] { handle_plan(0); }, "", 4, 0},
      {[] { flt.onsurface = 0, flt.h += 250.0f, handle_plan(0); }, "contact departure.", 5, 1},
      {[] { handle_plan(0); }, "", 5, 1},
      {[] { check_in(); }, "radar contact. Climb to 5000 approved, proceed on course to High Field.", 5, 0},
      {[] { msc.elap_time += 46.0f, handle_plan(0); }, "contact center ", 6, 1},
      {[] { check_in(); }, "roger proceed on course to High Field altimeter 2 9 9 2.", 6, 0},
      {[] { at_airport(HIGH, 0), msc.elap_time += 31.0f, handle_plan(0); }, "contact High Field approach on ", 7, 1},
      {[] { check_in(); }, "cleared full approach of your choice.", 1, 0},
      {[] { fpl.onfile = fpl.activated = 1, atc.plan_phase = 8, atc.waiting_new_frq = 1, check_in(); }, "Wind calm, cleared to land runway 6.", 9, 0},
      {[] { handle_plan(0); }, "", 9, 0},
      {[] { flt.onsurface = 1, flt.v = 5.0f, handle_plan(0); }, "make next turn-off contact ground 1 2 1 point ", 10, 1},
      {[] { check_in(); }, "taxi to the ramp.", 1, 0},
  };
  for (const auto& step : walk) {
    const size_t before = said().size();
    step.act();
    if (step.says[0]) {
      ASSERT_EQ(said().size(), before + 1) << step.says;
      EXPECT_THAT(last_said(), HasSubstr(step.says));
      EXPECT_EQ(last_said().rfind(CALL_SIGN, 0), 0u) << last_said();
    } else {
      EXPECT_EQ(said().size(), before) << last_said();
    }
    EXPECT_EQ(atc.plan_phase, step.phase) << step.says;
    EXPECT_EQ(atc.waiting_new_frq, step.waiting) << step.says;
  }
  EXPECT_EQ(std::pair(fpl.onfile, fpl.activated), std::pair(0, 0));
}

TEST_F(AtcPlan, ClearanceAtAHighFieldIsAboveIt) {
  at_airport(HIGH, 1);  // 6562 ft, the plan's cruise 5000 ft
  C_to_C("HIG ", fpl.dep_id_str);
  C_to_C("SBD ", fpl.arr_id_str);
  fpl.onfile = 1;
  ASSERT_EQ(pick_up_flight_plan(), 1);
  handle_plan(0);
  EXPECT_THAT(last_said(), HasSubstr("maintain at or below 8500 expect 9000 10 minutes"));
}

TEST_F(AtcPlan, EnrouteCallsWaitWhileVectoredToAnApproach) {
  at_airport(SBD, 0);  // 6070 ft, above the plan's 5000 ft, 56 nm from High Field
  fpl.onfile = fpl.activated = 1;
  atc.plan_index = HIGH, atc.plan_phase = 6;
  atc.ils_vec_in_progress = ATC_VECTORS_GIVEN;
  atc.plan_wait_from = msc.elap_time, atc.plan_wait_len = 1.0f;
  msc.elap_time += 2.0f;
  handle_plan(0);
  EXPECT_TRUE(said().empty()) << last_said();
}

// Without a tower the IFR clearance is void ten minutes on, across the hour and across midnight.
TEST_F(AtcPlan, ClearanceVoidTimeCarriesPastTheHourAndMidnight) {
  at_airport(TWIN, 1);
  C_to_C("TWN ", fpl.dep_id_str);
  C_to_C("SBD ", fpl.arr_id_str);
  const struct {
    float zulu;
    const char* times;
  } cases[] = {{14 * 3600.0f + 55 * 60.0f, "time now 1 4 5 5 Z, clearance void if not off by 1 5 0 5 Z."},
               {23 * 3600.0f + 55 * 60.0f, "time now 2 3 5 5 Z, clearance void if not off by 0 0 0 5 Z."}};
  for (const auto& c : cases) {
    fpl.onfile = 1;
    ASSERT_EQ(pick_up_flight_plan(), 1);
    msc.zulu_time = c.zulu;
    handle_plan(0);
    EXPECT_THAT(last_said(), HasSubstr(c.times));
    EXPECT_EQ(std::pair(atc.plan_phase, atc.said_alt), std::pair(6, 2500));
  }
}
