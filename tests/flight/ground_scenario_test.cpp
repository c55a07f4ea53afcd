// The sample aircraft on the ground, on water and in a hover, flown through the headless runner.
#include "flight_fixture.h"
#include "flyrun_support.h"

#include "app/headless/headless.h"

// Loads a sample aircraft and starts it on flat land at sea level: resting on the ground (or in
// the air at 300 ft and `kias`), engines at `throttle`, parking brake set.
class FlightGroundScenario : public FlightTest {
 protected:
  static void start(const char* name, int on_ground, float throttle, float kias = 0.0f) {
    fly_setup_world(0.0f);
    reset_props();
    ASSERT_TRUE(load_sample(name));
    fly_options o;
    fly_default_options(&o);
    o.start_ground = on_ground, o.alt_ft = 300.0f, o.kias = kias, o.prd = 0.02f;
    o.controls.throttle = throttle, o.controls.brakes = 1.0f;
    fly_start(&o);
  }
};

// Loaded to the weight its gear was sized for, the aircraft rests where the loader says it will,
// and comes back there after a one-metre drop onto the gear, the drop alone heard as a touchdown.
TEST_F(FlightGroundScenario, RestsOnItsGearAtItsRestingHeightAndAttitudeAndADropDampsOut) {
  start("Trainer", 1, 0.0f);
  for (int n : {SND_LAND, SND_CRASH}) load_silent_sound(n);
  headless_clear_sound_calls();
  flt.m_fixed = pln.m_max - pln.m_empty - flt.m_fuel - flt.m_jettison;
  ASSERT_TRUE(fly_seconds(10.0f));
  EXPECT_TRUE(headless_sound_calls().empty());  // resting there is no touchdown
  const float weight = flt.m_total * atm.g;
  EXPECT_NEAR(flt.gearf[0] + flt.gearf[1] + flt.gearf[2], weight, 0.01f * weight);
  EXPECT_NEAR(flt.h - env.local_h, pln.h_eqlbm, 0.02f);
  EXPECT_NEAR(flt.the180, pln.the_eqlbm, 0.5f);
  float creep = 0.0f;
  for (int k = 0; k < 250; k++, fly_frame()) creep = fltmax2(creep, ground_speed());
  EXPECT_LT(creep, 0.05f);

  flt.Y += 1.0;
  flt.h += 1.0f;
  float lowest = flt.h;
  for (int k = 0; k < 250; k++, fly_frame()) lowest = fltmin2(lowest, flt.h);
  EXPECT_GT(lowest - env.local_h, pln.h_eqlbm - 0.5f);  // caught by the gear
  EXPECT_FALSE(headless_sound_calls().empty());
  ASSERT_TRUE(fly_seconds(5.0f));
  EXPECT_LT(std::fabs(flt.vu), 0.02f);
  EXPECT_NEAR(flt.h - env.local_h, pln.h_eqlbm, 0.1f);
  for (int k = 0; k < GEAR_LEGS; k++) EXPECT_EQ(set.gear_stat[k], 1) << k;
}

// The flat world turned to sea, with one ship of the kind the flags mark in its middle.
static void put_ship_at_sea(int (*flags)[GRID_J]) {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) on_water[i][j] = 1;
  flags[(GRID_I - 1) / 2][(GRID_J - 1) / 2] = 1;
  find_region_surfaces();
  update_ships();
}

// Skids hold a helicopter whose rotor lifts half its weight, its tail rotor pushing sideways, where
// it stands: on the ground, and on a frigate's deck, which carries it along in the waves.
TEST_F(FlightGroundScenario, SkidsHoldAHelicopterLightOnThemWhereItStands) {
  for (float waves : {-1.0f, 0.0f, 1.0f}) {  // on land, then on a deck in a calm and a rough sea
    SCOPED_TRACE(waves);
    start("Helicopter", 1, 0.25f);
    if (waves >= 0.0f) {
      put_ship_at_sea(frig_on_poly);
      flt.X = ships.frig[0], flt.Z = ships.frig[2];
      flt.Y = flt.h = ships.frig[1] + FRIGATE_DECK + pln.h_eqlbm;
      atm.wave_amp = waves;
    }
    ASSERT_TRUE(fly_seconds(5.0f));
    const double x0 = flt.X, z0 = flt.Z;
    const float psi0 = flt.psi;
    ASSERT_TRUE(fly_seconds(30.0f));
    EXPECT_EQ(flt.onsurface, 1);
    EXPECT_EQ(env.over_frig, waves >= 0.0f);
    EXPECT_LT(flt.fnrmlgear, 0.5f * flt.m_total * atm.g);
    // A rolling deck swings what stands on it to and fro, 0.2 m each way in this sea.
    EXPECT_LT(std::hypot(flt.X - x0, flt.Z - z0), waves > 0.0f ? 0.5 : 0.05);
    EXPECT_NEAR(fltwrap(flt.psi - psi0, -180.0f, 180.0f), 0.0f, 0.1f);
    if (waves >= 0.0f) continue;
    flt.vX += 0.5;  // set sliding sideways, as after a landing with drift, it comes to rest
    ASSERT_TRUE(fly_seconds(10.0f));
    const double x1 = flt.X, z1 = flt.Z;
    ASSERT_TRUE(fly_seconds(20.0f));
    EXPECT_LT(std::hypot(flt.X - x1, flt.Z - z1), 0.05);
    msc.prd = 0.1f;  // a slow machine's frames: it stands as still, not rocking on its skids
    float rock = 0.0f;
    for (int k = 0; k < 300; k++, fly_frame()) rock = fltmax2(rock, std::fabs(flt.P));
    EXPECT_LT(rock, 1.0f);
  }
}

// Held on a carrier's catapult in a moderate sea, the trainer rolls and pitches with the deck
// (1 and 0.5 degrees each way), not on the wheels that the moving deck drags sideways under it;
// started there with the bow pitched up and the deck rolled, it stands on the deck, not inside it.
TEST_F(FlightGroundScenario, OnTheCatapultTheAircraftMovesWithTheDeck) {
  start("Trainer", 1, 0.0f);
  put_ship_at_sea(carr_on_poly);
  atm.wave_amp = 1.0f;
  env.carr_the = 3.0f, env.carr_phi = 3.0f;
  set_fltvars(START_CATAPULT);
  ASSERT_EQ(flt.cat_stage, 3);
  ASSERT_TRUE(fly_seconds(2.0f));
  float roll = 0.0f, pitch = 0.0f;
  for (int k = 0; k < 500; k++, fly_frame()) {
    roll = fltmax2(roll, std::fabs(flt.phi180 - env.carr_phi));
    pitch = fltmax2(pitch, std::fabs(flt.the180 - pln.the_eqlbm - env.carr_the));
  }
  EXPECT_EQ(env.over_carr, 1);
  EXPECT_EQ(flt.cat_stage, 3);
  EXPECT_LT(roll, 1.0f);
  EXPECT_LT(pitch, 1.5f);  // the gear settles the trainer half a degree nose down
}

// Rolling onto the carrier's wires with its hook down, the trainer at full power is stopped by a
// wire in an arrested landing's runout and freed at rest; no hook, a hook up, a walking pace, or
// wheels on the deck ahead of the wires catch nothing.
TEST_F(FlightGroundScenario, TheHookCatchesACarriersWireAndStopsTheAircraftInItsRunout) {
  struct {
    int fitted, down;
    float aft, v;
    int caught;
  } cases[] = {{1, 1, 115.0f, 30.0f, 1}, {0, 1, 115.0f, 30.0f, 0}, {1, 0, 115.0f, 30.0f, 0},
               {1, 1, 115.0f, 1.0f, 0},  {1, 1, 0.0f, 30.0f, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const float power = c.v > 2.0f ? 1.0f : 0.0f;
    start("Trainer", 1, power);
    put_ship_at_sea(carr_on_poly);
    start_place s = {ships.carr[0] - 14.0, ships.carr[1] + CARRIER_DECK + pln.h_eqlbm,
                     ships.carr[2] + c.aft, 352.0f, pln.the_eqlbm, c.v, power, 1, 5};
    start_flight_state(&s);
    set.parkbrake = 0.0f, pln.arrestingEQ = c.fitted, ins.hook_down = c.down;
    int caught = 0;
    for (int k = 0; k < 50; k++, fly_frame()) caught |= flt.wired;
    EXPECT_EQ(caught, c.caught);
    if (!caught) continue;
    for (int k = 0; k < 1000 && flt.wired; k++) fly_frame();
    EXPECT_NEAR(std::hypot(flt.X - s.X, flt.Z - s.Z), 100.0, 5.0);
    EXPECT_LT(ground_speed(), 0.5f);
    EXPECT_EQ(flt.trap_accel, 0.0f);
  }
}

// On its brakes the trainer holds a run-up where it stands, and rolls once they are let go.
TEST_F(FlightGroundScenario, BrakesHoldARunUpUntilTheyAreLetGo) {
  start("Trainer", 1, 0.6f);
  ASSERT_TRUE(fly_seconds(2.0f));
  const double x0 = flt.X, z0 = flt.Z;
  ASSERT_TRUE(fly_seconds(20.0f));
  EXPECT_GT(flt.faxilprop, 1500.0f);
  EXPECT_LT(std::hypot(flt.X - x0, flt.Z - z0), 0.01);
  fly_controls c{};
  c.throttle = 0.6f, c.gear_down = 1;
  fly_set_controls(&c);
  ASSERT_TRUE(fly_seconds(5.0f));
  EXPECT_GT(ground_speed(), 3.0f);
}

// At rest on land the floatplane sits where it was put, not thrown up by floats started inside the
// ground; on calm water with its engine stopped it floats level on its displacement.
TEST_F(FlightGroundScenario, FloatplaneRestsOnLandAndFloatsOnItsDisplacement) {
  start("Floatplane", 1, 0.0f);
  const float h0 = flt.h;
  float highest = h0;
  for (int k = 0; k < 100; k++, fly_frame()) highest = fltmax2(highest, flt.h);
  EXPECT_LT(highest - h0, 0.05f);
  EXPECT_GT(h0 - env.local_h, 0.5f);  // the reference point stands above the float bottoms
  // Its floats hold it where it sits against a third of its power.
  fly_controls c{};
  c.throttle = 0.3f;
  fly_set_controls(&c);
  const double x0 = flt.X, z0 = flt.Z;
  const float psi0 = flt.psi;
  ASSERT_TRUE(fly_seconds(20.0f));
  EXPECT_LT(std::hypot(flt.X - x0, flt.Z - z0), 0.05);
  EXPECT_NEAR(fltwrap(flt.psi - psi0, -180.0f, 180.0f), 0.0f, 0.1f);
  start("Floatplane", 1, 0.0f);
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) on_water[i][j] = 1;
  for (int i = 0; i < MAX_ENGINES; i++) flt.mixt[i] = 0.0f;  // mixture cut off
  ASSERT_TRUE(fly_seconds(20.0f));
  float lift = 0.0f;
  for (int k = 0; k < 100; k++, fly_frame()) lift += flt.fnrmlgear / 100.0f;
  EXPECT_NEAR(lift, flt.m_total * atm.g, 0.01f * flt.m_total * atm.g);
  EXPECT_LT(std::fabs(flt.vu), 0.05f);
  EXPECT_LT(ground_speed(), 0.1f);
  EXPECT_GT(flt.h, env.local_h);
}

// Held over its spot with the cyclic, pedals centred, at the collective found in the first 30 s,
// the helicopter keeps its height for 20 s on a governed rotor, its tail rotor balancing the
// torque.
TEST_F(FlightGroundScenario, HelicopterHoversOnAConstantCollectiveWithPedalsCentred) {
  start("Helicopter", 0, 0.5f);
  fly_controls c{};
  c.throttle = 0.5f;
  const float h_start = flt.h;
  float h_held = 0.0f, yaw = 0.0f;
  for (int k = 0; k < 2500; k++) {
    if (k < 1500) c.throttle -= (flt.vu * 0.05f + (flt.h - h_start) * 0.005f) * msc.prd;
    if (k == 1500) h_held = flt.h;
    float ahead = static_cast<float>(flt.vZ * flt.cospsi + flt.vX * flt.sinpsi);
    float right = static_cast<float>(flt.vX * flt.cospsi - flt.vZ * flt.sinpsi);
    float the = flt.the180 - fltlim(2.0f * ahead, -10, 10);
    float phi = flt.phi180 + fltlim(2.0f * right, -10, 10);
    c.elevator = fltlim(-(the * 0.05f + flt.Q * 0.02f), -1, 1);
    c.aileron = fltlim(-(phi * 0.05f + flt.P * 0.02f), -1, 1);
    fly_set_controls(&c);
    fly_frame();
    if (k >= 1500) yaw = fltmax2(yaw, std::fabs(flt.R));
  }
  EXPECT_NEAR(flt.h, h_held, 1.0f);
  EXPECT_LT(std::fabs(flt.vu), 0.1f);
  EXPECT_NEAR(flt.thrust[0], flt.m_total * atm.g, 0.02f * flt.m_total * atm.g);
  EXPECT_NEAR(flt.tac[0], pln.omegamax, 0.01f * pln.omegamax);
  EXPECT_LT(yaw, 3.0f);         // deg/s: the pedals in the middle nearly balance the torque
  EXPECT_GT(c.throttle, 0.2f);  // a collective with room to climb and to descend
  EXPECT_LT(c.throttle, 0.8f);
}

// The trainer a metre above its wheels sinking at `sink` m/s, flying at 60 kt over land, or
// dropped onto water at frame period `prd`: flies until it has been on the surface for a second
// (or crashed) and returns the crash count.
static int touch_down_sinking(float sink, int water = 0, float prd = 0.02f) {
  fly_setup_world(0.0f);
  load_sample("Trainer");
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = (pln.h_eqlbm + 1.0f) * con.mtrstoft, o.kias = water ? 0.0f : 60.0f, o.prd = prd;
  fly_start(&o);
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) on_water[i][j] = water;
  flt.vY = -sink;
  float on_ground = 0.0f;
  for (int k = 0; k < 500 && on_ground < 1.0f && flt.crashes == 0; k++) {
    fly_frame();
    if (flt.onsurface) on_ground += msc.prd;
  }
  EXPECT_TRUE(flt.onsurface || flt.crashes > 0) << "never reached the ground, sink " << sink;
  return flt.crashes;
}

// The impact speed decides: a normal or a firm landing is a landing (the gear stays down after
// the normal one), one beyond 20 m/s of sink is a crash, counted once. A ditching below the crash
// sink rate is no crash at any frame period, nor does the water throw the aircraft back up.
TEST_F(FlightGroundScenario, OnlyATouchdownBeyondTheCrashSinkRateIsACrash) {
  EXPECT_EQ(touch_down_sinking(2.0f), 0);
  for (int k = 0; k < GEAR_LEGS; k++) EXPECT_EQ(set.gear_stat[k], 1) << k;
  EXPECT_EQ(touch_down_sinking(17.0f), 0);
  EXPECT_EQ(touch_down_sinking(24.0f), 1);
  for (float prd : {0.05f, 0.1f}) EXPECT_EQ(touch_down_sinking(12.0f, 1, prd), 0) << prd;
}

// A block 30 m across whose roof carries aircraft, its near side 100 m ahead of the aircraft
// (which flies north).
static void building_ahead(float height) {
  std::memset(obs_type, 0, sizeof obs_type);
  building(400, 94, static_cast<float>(flt.X) - 15.0f, static_cast<float>(flt.Z) - 130.0f, height);
  find_region_surfaces();
}

// Flown into the side of a building below its roof, the trainer crashes there, rather than being
// hurled out of the wall onto and over the roof; a helicopter set down on the roof rests on it.
TEST_F(FlightGroundScenario, FlyingIntoABuildingIsACrashButItsRoofCarriesAHelicopter) {
  start("Trainer", 0, 0.7f, 90.0f);
  flt.Y = flt.h = 30.0f;
  building_ahead(60.0f);
  float highest = 0.0f;
  for (int k = 0; k < 200 && flt.crashes == 0; k++, fly_frame()) highest = fltmax2(highest, flt.h);
  EXPECT_EQ(flt.crashes, 1);
  EXPECT_LT(highest, 35.0f);

  start("Helicopter", 0, 0.0f);
  flt.Y = flt.h = 60.0f + pln.h_eqlbm + 0.2f;
  building_ahead(60.0f);
  flt.Z -= 115.0f;  // over the middle of the roof
  ASSERT_TRUE(fly_seconds(5.0f));
  EXPECT_EQ(flt.crashes, 0);
  EXPECT_EQ(flt.onsurface, 1);
  EXPECT_NEAR(flt.h - 60.0f, pln.h_eqlbm, 0.1f);
}
