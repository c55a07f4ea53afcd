// Failure draws, their rates and conditions, and the pressures that failures leave.
#include "weather/weather_fixture.h"

#include "app/headless/headless.h"

#include <algorithm>

class FlightFailures : public WeatherFixture {
 protected:
  int failures(int type, float rate, int draws) {
    rel.fail_type[4] = type, rel.total_fail_entry = rate;
    int n = 0;
    for (int d = 0; d < draws; d++) n += failme(4);
    return n;
  }
  void fail_all_now() { std::fill(rel.fail_type, rel.fail_type + FAIL_ENTRIES, 3); }
  static int working(const int* sw) { return sw[0] + sw[1] + sw[2] + sw[3]; }
};

TEST_F(FlightFailures, ScheduleAndRandomRates) {
  EXPECT_EQ(failures(3, 0, 100), 100);            // fails now
  EXPECT_EQ(failures(1, 0, 100000), 0);           // random only, at rate 0
  EXPECT_NEAR(failures(2, 0, 60000), 100, 40);    // a mean time of 10 minutes
  rel.fail_time_max[4] = 2000;                    // 33 hours
  EXPECT_NEAR(failures(2, 0, 2000000), 17, 9);    // in 2 million seconds
  EXPECT_NEAR(failures(1, 100, 20000), 200, 60);  // two draws: (100 / 1000)^2 per second
  EXPECT_EQ(failme(-1), 0);
  EXPECT_EQ(failme(FAIL_ENTRIES), 0);
}

TEST_F(FlightFailures, EngineItemsFailOneEngineOnceAndNeedEngines) {
  pln.numen = 4, pln.revthrustEQ = 1;
  pln.ecam = msc.warn_bb = 1;
  load_silent_sound(SND_CAUTION);
  fail_all_now();
  for (int s = 0; s < 10; s++) draw_failures();
  EXPECT_EQ(headless_sound_slot(SND_CAUTION).state, SOUND_PLAYING);
  for (const int* sw : {rel.engine, rel.thrgov, rel.revlok, rel.oilpmp}) EXPECT_EQ(working(sw), 3);
  reset_rel();
  pln.numen = 0;  // an index below the engine arrays would land on efis_2 and its neighbours
  fail_all_now();
  draw_failures();
  EXPECT_EQ(
      (std::vector<int>{rel.efis_2, rel.fc_thr, rel.lagear[2], rel.hydsys, rel.symflp, rel.antice}),
      std::vector<int>(6, 1));
  for (const int* sw : {rel.engine, rel.thrgov, rel.revlok, rel.oilpmp}) EXPECT_EQ(working(sw), 4);
}

TEST_F(FlightFailures, EachEntryNeedsItsEquipmentAndFailsOnce) {
  pln.numen = 1;
  fail_all_now();
  draw_failures();  // no vacuum panel, glass, ailerons, flaps, slats, gear, hydraulics or rotor
  EXPECT_EQ(
      (std::vector<int>{rel.vacuum, rel.efis_1, rel.fc_ail, rel.fc_flp, rel.fc_slt, rel.lagear[0],
                        rel.hydsys, rel.symflp, rel.revlok[0], rel.antice, rel.trotor}),
      std::vector<int>(11, 1));
  EXPECT_EQ(
      (std::vector<int>{rel.ss_asi, rel.fc_elv, rel.fc_thr, rel.stbaug, rel.clights, rel.otto}),
      std::vector<int>(6, 0));
  reset_rel();
  fail_all_now();
  pln.paneltype = pln.is_heli = pln.ailnEQ = pln.flapEQ = pln.slatEQ = pln.gearEQ = 1;
  pln.ff_hydraulic = pln.revthrustEQ = pln.antiiceEQ = pln.ecam = 1, msc.elap_time = 42;
  load_silent_sound(SND_CAUTION);
  msc.warn_bb = 0;  // spoken warnings off: no caution said
  draw_failures();
  EXPECT_EQ(headless_sound_slot(SND_CAUTION).state, SOUND_AT_START);
  EXPECT_EQ((std::vector<int>{rel.vacuum, rel.fc_ail, rel.fc_flp, rel.fc_slt, rel.lagear[2],
                              rel.hydsys, rel.symflp, rel.revlok[0], rel.antice, rel.trotor}),
            std::vector<int>(10, 0));
  EXPECT_EQ(rel.efis_1, 1);                    // no glass panel
  EXPECT_EQ(ins.ecam_mode, 7);                 // a major failure shown
  EXPECT_GE(std::fabs(rel.the_fail_err), 10);  // the horizon drifts at least 10 degrees
  EXPECT_GE(std::fabs(rel.phi_fail_err), 10);
  msc.elap_time = 50;  // a failed item is not drawn again: its time stays
  draw_failures();
  EXPECT_EQ(rel.vac_death_time, 42);
}

TEST_F(FlightFailures, HydraulicPressureFromEnginesRamAirAndFailure) {
  pln.ff_hydraulic = pln.entype = 1, pln.numen = 2, pln.omegamax = 100, pln.Vne = 200;
  flt.tac[0] = 50, flt.tac[1] = 100, flt.eng_running[0] = 1;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.85f);  // 0.7 + 0.2 of the mean speed ratio
  flt.eng_running[0] = 0;               // all engines out in flight: the ram-air turbine
  flt.vind = 100;
  update_pressures();
  EXPECT_EQ(rel.RAT_on, 1);
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.5f);
  pln.is_heli = 1;
  pln.omegamax = 0;  // a rotor speed over no maximum gives no pressure rather than NaN
  update_pressures();
  EXPECT_EQ(rel.hyd_rat, 0);
  // After a failure the pressure bleeds from 0.85 to nothing in 90 s, even across midnight.
  rel.fail_type[19] = 3;
  const float times[3] = {86380, 25, 100}, expect[3] = {0.85f, 0.425f, 0};
  for (int n = 0; n < 3; n++) {
    msc.elap_time = times[n];
    draw_failures();
    update_pressures();
    EXPECT_NEAR(rel.hyd_rat, expect[n], 1e-4) << times[n];
  }
  // A failed oil pump drains the oil pressure in five minutes.
  rel.fail_type[26] = 3;
  draw_failures();
  msc.elap_time = 250;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.oil_rat, 0.5f);
}
