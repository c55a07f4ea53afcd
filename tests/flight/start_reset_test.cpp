// A new flight through the flight start forgets the last one: flown again from the same place
// with the same pilot, it is the same flight to the last bit.
#include "flight_fixture.h"

// The records a flight moves, byte for byte.
static std::vector<unsigned char> flight_records() {
  return bytes_of(flt, pat, rel, ctm, ott, nav, atm, set, msc);
}

// The program's clocks and its random numbers are not the flight's: each flight here starts
// from the same ones, through the start the Location menu's "Over VOR" items take.
static void start_over_the_middle() {
  std::srand(11);
  msc.elap_time = 100.0f, msc.locl_time = 50000.0f, msc.zulu_time = 0.0f;
  msc.aifr_time = msc.nigt_time = msc.timr_time = 0.0f, set.cus_X = 0.5f * (env.lox + env.hix);
  set.cus_Z = 0.5f * (env.loz + env.hiz), set.cus_Y = 1500.0f, set.cus_psi = 30.0f;
  set.cus_v = 55.0f;
  set_fltvars(34);
}

// Twenty seconds of a pilot on the throttle (or collective), the stick, the flaps and the gear.
static void fly_the_pilot() {
  for (int f = 0; f < 400; f++) {
    if (f == 0) lever_set(LEVER_THROTTLE, -1, 0.6f), set.MK_ptch = 0.1f;
    if (f == 100) set.MK_roll = 0.5f, lever_set(LEVER_FLAP, -1, 0.4f);
    if (f == 200) set.MK_roll = -0.3f, set.MK_ptch = -0.1f, gear_toggle();
    fly_frame();
  }
}

class FlightStartReset : public FlightTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FlightStartReset, ASecondFlightFromTheSameStartIsTheSameFlight) {
  fly_setup_world(200.0f);
  ASSERT_TRUE(load_sample(GetParam()));
  for (int k = 0; k < WIND_LAYERS; k++) atm.wnddir[k] = 40.0f * k, atm.wndspd[k] = 2.0f * k;
  start_over_the_middle();
  EXPECT_NEAR(std::hypot(flt.vX - atm.wind_X, flt.vZ - atm.wind_Z), 55.0, 1e-3);
  fly_the_pilot();
  std::vector<unsigned char> first = flight_records();
  ASSERT_GT(std::hypot(flt.X - set.cus_X, flt.Z - set.cus_Z), 30.0);
  ASSERT_GT(flt.h, 500.0f);  // it flew, and is still in the air
  ASSERT_EQ(flt.crashes, 0);

  // A flight that leaves every kind of mark: a tumble, failures, an engine stopped, trim, flaps
  // and autopilot modes, fuel burnt and the path recorded.
  set.cus_v = 80.0f;
  set_fltvars(34);
  flt.P = 200.0f, flt.Q = -150.0f, rel.engine[0] = rel.vacuum = rel.fc_ail = rel.hydsys = 0;
  flt.trim = 0.3f, flt.rud_trim = 0.5f, ott.ALHOLD = ott.HDSLCT = 1;
  lever_set(LEVER_FLAP, -1, 1.0f);
  set.MK_ptch = -0.7f, set.MK_hdng = 0.8f;
  for (int f = 0; f < 600; f++) fly_frame();
  ASSERT_NE(flight_records(), first);

  start_over_the_middle();
  fly_the_pilot();
  std::vector<unsigned char> again = flight_records();
  ASSERT_EQ(again.size(), first.size());
  size_t at = 0;
  while (at < first.size() && first[at] == again[at]) at++;
  EXPECT_EQ(at, first.size()) << "first difference at byte " << at << " of the records";
}

// An aeroplane with flaps, gear and propellers, and a helicopter with its rotors' filters.
INSTANTIATE_TEST_SUITE_P(Samples, FlightStartReset, ::testing::Values("Light Twin", "Helicopter"));
