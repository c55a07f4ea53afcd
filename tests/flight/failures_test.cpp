// Failure draws, their rates and conditions, and the pressures that failures leave.
#include "support/test_support.h"

#include <cmath>
#include <cstdlib>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"

class FlightFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_flt();
    reset_rel();
    reset_pln();
    reset_msc();
    reset_ins();
    reset_failures();
    std::srand(17);
  }
  int count_failures(int entry, int draws) {
    int n = 0;
    for (int d = 0; d < draws; d++) n += failme(entry);
    return n;
  }
  static int working(const int* sw, int n) {
    int w = 0;
    for (int e = 0; e < n; e++) w += sw[e];
    return w;
  }
};

TEST_F(FlightFailures, ScheduleAndRandomRates) {
  rel.fail_type[4] = 3;
  EXPECT_EQ(count_failures(4, 100), 100);  // fails now
  rel.fail_type[4] = 1;
  EXPECT_EQ(count_failures(4, 100000), 0);  // random only, at rate 0
  rel.fail_type[4] = 2;  // a mean time of 10 minutes: about one second in 600
  int n = count_failures(4, 60000);
  EXPECT_GT(n, 60);
  EXPECT_LT(n, 150);
  rel.fail_type[4] = 1;
  rel.total_fail_entry = 100;  // two draws: (100 / 1000)^2 per second
  n = count_failures(4, 20000);
  EXPECT_GT(n, 140);
  EXPECT_LT(n, 270);
  rel.total_fail_entry = 1000;
  EXPECT_GT(count_failures(4, 1000), 990);
  EXPECT_EQ(failme(-1) + failme(FAIL_ENTRIES), 0);
}

TEST_F(FlightFailures, EngineItemFailsOneEngineOnlyOnce) {
  pln.numen = 4;
  pln.revthrustEQ = 1;
  for (int i : {9, 20, 24, 26}) rel.fail_type[i] = 3;
  for (int s = 0; s < 10; s++) draw_failures();
  EXPECT_EQ(working(rel.engine, 4), 3);
  EXPECT_EQ(working(rel.thrgov, 4), 3);
  EXPECT_EQ(working(rel.revlok, 4), 3);
  EXPECT_EQ(working(rel.oilpmp, 4), 3);
}

TEST_F(FlightFailures, AircraftWithoutEnginesHasNoEngineToFail) {
  pln.numen = 0;
  pln.revthrustEQ = 1;
  for (int i : {9, 15, 20, 24, 26}) rel.fail_type[i] = 3;
  draw_failures();
  // An engine index below the arrays would land on the switches stored before them.
  EXPECT_EQ(rel.efis_2, 1);
  EXPECT_EQ(rel.lagear[2] + rel.hydsys + rel.symflp + rel.antice, 4);
  EXPECT_EQ(working(rel.engine, 4) + working(rel.thrgov, 4), 8);
  EXPECT_EQ(working(rel.revlok, 4) + working(rel.oilpmp, 4), 8);
  EXPECT_EQ(rel.fc_thr, 1);
}

TEST_F(FlightFailures, EachEntryNeedsItsEquipment) {
  for (int i = 0; i < FAIL_ENTRIES; i++) rel.fail_type[i] = 3;
  pln.numen = 1;
  draw_failures();  // no vacuum panel, no glass, no flaps, slats, gear, hydraulics, heli parts
  EXPECT_EQ(rel.vacuum + rel.efis_1 + rel.efis_2 + rel.fc_ail + rel.fc_flp + rel.fc_slt, 6);
  EXPECT_EQ(rel.lagear[0] + rel.hydsys + rel.symflp + rel.revlok[0] + rel.antice + rel.trotor, 6);
  EXPECT_EQ(rel.ss_asi + rel.ss_vvi + rel.fc_elv + rel.fc_rud + rel.fc_thr + rel.engine[0], 0);
  EXPECT_EQ(rel.thrgov[0] + rel.stbaug + rel.sttrim + rel.oilpmp[0] + rel.clights + rel.otto, 0);

  reset_rel();
  for (int i = 0; i < FAIL_ENTRIES; i++) rel.fail_type[i] = 3;
  pln.paneltype = 1;
  pln.is_heli = pln.ailnEQ = pln.flapEQ = pln.slatEQ = pln.gearEQ = 1;
  pln.ff_hydraulic = pln.revthrustEQ = pln.antiiceEQ = 1;
  msc.elap_time = 42;
  draw_failures();
  EXPECT_EQ(rel.vacuum + rel.fc_ail + rel.fc_flp + rel.fc_slt + rel.lagear[0] + rel.lagear[2], 0);
  EXPECT_EQ(rel.hydsys + rel.symflp + rel.revlok[0] + rel.antice + rel.trotor, 0);
  EXPECT_EQ(rel.efis_1, 1);  // a glass panel only
  EXPECT_EQ(rel.vac_death_time, 42);
  EXPECT_GE(std::fabs(rel.the_fail_err), 10);  // the horizon drifts at least 10 degrees
  EXPECT_GE(std::fabs(rel.phi_fail_err), 10);
  EXPECT_LE(std::fabs(rel.phi_fail_err), 20);
  // A failed item is not drawn again: its time stays that of the failure.
  msc.elap_time = 50;
  draw_failures();
  EXPECT_EQ(rel.vac_death_time, 42);
}

TEST_F(FlightFailures, MajorFailureShowsTheEcamFailurePage) {
  pln.ecam = 1;
  ins.ecam_mode = 3;
  rel.fail_type[1] = 3;  // the airspeed indicator is not major
  draw_failures();
  EXPECT_EQ(rel.ss_asi, 0);
  EXPECT_EQ(ins.ecam_mode, 3);
  rel.fail_type[21] = 3;  // stability augmentation is
  draw_failures();
  EXPECT_EQ(ins.ecam_mode, 7);
}

TEST_F(FlightFailures, HydraulicPressureFromEnginesRamAirAndFailure) {
  pln.ff_hydraulic = 1;
  pln.entype = 1;
  pln.numen = 2;
  pln.omegamax = 100;
  pln.Vne = 200;
  flt.tac[0] = 50;
  flt.tac[1] = 100;
  flt.eng_running[0] = 1;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.2f * 0.75f + 0.7f);
  pln.entype = 3;  // jets count their N1
  flt.n1_[0] = 100;
  flt.n1_[1] = 0;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.8f);
  flt.eng_running[0] = 0;  // all engines out in flight: the ram-air turbine
  flt.vind = 100;
  update_pressures();
  EXPECT_EQ(rel.RAT_on, 1);
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.5f);
  flt.h = 21000;
  update_pressures();
  EXPECT_EQ(rel.hyd_rat, 1);
  pln.is_heli = 1;
  flt.tac[0] = 80;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.8f);
  pln.omegamax = 0;  // no rotation speed to compare with
  update_pressures();
  EXPECT_EQ(rel.hyd_rat, 0);
  pln.Vne = 0;
  pln.is_heli = 0;
  flt.h = 0;
  update_pressures();
  EXPECT_EQ(rel.hyd_rat, 0);

  // After a failure the pressure bleeds from 0.85 to nothing in 90 s, the failure drawn once.
  rel.fail_type[19] = 3;
  msc.elap_time = 86380;
  draw_failures();
  update_pressures();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0.85f);
  msc.elap_time = 25;  // 45 s later, across midnight
  draw_failures();
  update_pressures();
  EXPECT_NEAR(rel.hyd_rat, 0.425f, 1e-4);
  msc.elap_time = 100;
  update_pressures();
  EXPECT_EQ(rel.hyd_rat, 0);
}

TEST_F(FlightFailures, OilPressureFallsOverFiveMinutesAfterAPumpFails) {
  pln.numen = 2;
  update_pressures();
  EXPECT_EQ(rel.oil_rat, 1);
  rel.fail_type[26] = 3;
  msc.elap_time = 100;
  draw_failures();
  EXPECT_EQ(working(rel.oilpmp, 2), 1);
  msc.elap_time = 250;
  update_pressures();
  EXPECT_FLOAT_EQ(rel.oil_rat, 0.5f);
  msc.elap_time = 500;
  update_pressures();
  EXPECT_EQ(rel.oil_rat, 0);
}
