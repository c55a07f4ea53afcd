// The once-a-second pass: fuel, engines, ice, gravity, speed warnings, aircraft without engines
// or rotation speed, radio retuning every sixth second, and engines starting and stopping.
#include "weather/weather_fixture.h"
#include "world/world_files.h"

class FlightPeriodicChecks : public TwinTest {
 protected:
  // In cloud, with speeds in knots.
  void SetUp() override {
    TwinTest::SetUp();
    atm.baseMSL = 1000, atm.topsMSL = 3000, flt.h = 2000;
    pln.Vne = 200, pln.Vfe = 100, pln.asi_units = 2;
  }
};

TEST_F(FlightPeriodicChecks, FuelBurnsAtTheEnginesFlow) {
  flt.ff_[0] = 0.1f, flt.ff_[1] = 0.2f, flt.ff_[2] = 5;  // no third engine
  seconds(2);
  EXPECT_NEAR(flt.m_fuel, 49.7f, 1e-4);
  msc.elap_time = 86399;
  mod_sec();
  flt.m_fuel = 50;
  msc.elap_time = 0.5f;  // 1.5 s later, across midnight: the tanks do not refill
  mod_sec();
  EXPECT_NEAR(flt.m_fuel, 49.55f, 1e-4);
}

TEST_F(FlightPeriodicChecks, IceBuildsInColdCloudAndShedsInWarmAir) {
  const struct {
    float celsius, h;
    int antiice_on, antice_works, seconds;
    float ice;
  } steps[] = {
      {-5, 2000, 0, 1, 10, 0.0333f},     // in cloud: 0.00333 per second
      {-5, 3500, 0, 1, 5, 0.0333f},      // above the tops
      {-25, 2000, 1, 0, 1, 0.0333f},     // too cold, whatever the anti-ice does
      {-5, 2000, 1, 0, 1, 0.03663f},     // anti-ice on but failed
      {-5, 2000, 1, 1, 1, 0.02663f},     // working anti-ice sheds 0.01 per second
      {10.5f, 2000, 0, 1, 2, 0.01997f},  // at 10 C it melts 0.00333 per second
      {10.5f, 2000, 0, 1, 10, 0},
      {-5, 600, 0, 1, 5, 0},             // below the base's relief
      {-5, 800, 0, 1, 3, 0.00999f},      // in the relief below the mean base: in cloud too
  };
  // The base hangs 300 m below the layer's mean base over the whole region. The relief is no
  // record's, so the test puts it back for the tests after it.
  std::vector<float> relief(&cloudxyz[0][0][0],
                            &cloudxyz[0][0][0] + sizeof cloudxyz / sizeof(float));
  env.lox = env.loz = 0, env.hix = env.hiz = 1000, flt.X = flt.Z = 500;
  for (auto& column : cloudxyz)
    for (auto& point : column) point[1] = -300;
  for (auto s : steps) {
    atm.T = 273.15f + s.celsius, flt.h = flt.Y = s.h, ins.antiice_on = s.antiice_on;
    rel.antice = s.antice_works;
    update_cloud_position();
    seconds(s.seconds);
    EXPECT_NEAR(msc.ice, s.ice, 1e-5) << s.celsius << " " << s.h;
  }
  std::copy(relief.begin(), relief.end(), &cloudxyz[0][0][0]);
  atm.cld_type = 0;  // no cloud to fly in: the ice neither builds nor melts at -5 C
  update_cloud_position();
  seconds(1);
  EXPECT_NEAR(msc.ice, 0.00999f, 1e-5);
  EXPECT_EQ(msc.icebld, 0);
}

TEST_F(FlightPeriodicChecks, GravityFallsWithTheSquareOfTheDistanceFromTheCentre) {
  flt.h = 20000;
  mod_sec();
  EXPECT_NEAR(atm.g, con.g * sqr(con.rearth / (con.rearth + 20000)), 1e-5);
}

TEST_F(FlightPeriodicChecks, OverspeedAndFlapWarningsOncePerExcursion) {
  pln.semilen[5] = pln.semilen[7] = 5, msc.warn_overspeed = msc.warn_flaps = 1, flt.vind = 219;
  mod_sec();
  EXPECT_EQ(wings_torn_off, 0);
  EXPECT_EQ(have_this_part(5), 1);
  flt.vind = 221;  // beyond 1.1 Vne
  seconds(3);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "You just busted the redline speed.");
  EXPECT_EQ(have_this_part(5), 0);
  EXPECT_EQ(have_this_part(7), 0);
  // Flaps: once while held down above Vfe, again after retracting and lowering them.
  macibm_clear_alert_log();
  for (int request : {10, 10, 0, 20}) {
    flt.flaprequest = request;
    mod_sec();
  }
  EXPECT_EQ(macibm_alert_log().size(), 2u);
  EXPECT_EQ(last_alert().line[0], "You just extended the flaps above Vfe.");
}

TEST_F(FlightPeriodicChecks, AircraftWithoutEnginesOrRotationSpeedStayFinite) {
  pln.entype = pln.numen = 0, pln.omegamax = 0;
  pln.ff_hydraulic = 1;
  flt.Qratio = 1.0e30f;  // stick forces are limited before they become integers
  for (int i = 0; i < FAIL_ENTRIES; i++) rel.fail_type[i] = 3;
  seconds(2);
  EXPECT_TRUE(std::isfinite(rel.hyd_rat));
  EXPECT_EQ(std::vector<int>(rel.engine, rel.engine + 4), std::vector<int>(4, 1));
  pln.is_heli = 1, flt.tac[0] = 30;
  seconds(2);
  EXPECT_TRUE(std::isfinite(rel.hyd_rat));
}

class FlightModSec : public TwinTest {
 protected:
  // In a region at 34 N 118 W, with radios but no GPS.
  void SetUp() override {
    TwinTest::SetUp();
    pln.supptype = 1;
    env.lat_sou = 34, env.lon_wes = -118;
    for (auto& col : env.lonwes_ref) col[0] = col[1] = -118.0f;
    std::memset(nav_type, 0, sizeof nav_type);
    std::memset(nav_f12, 0, sizeof nav_f12);
    env.navmax = -1;
  }
  static std::string id_on(int radio) {
    return nav.goodnav[radio] ? std::string(nav.nav_id[radio], 4) : "off";
  }
  static std::string radios() { return id_on(0) + id_on(1) + id_on(4); }
  // Five seconds on the receivers still show `before`; at the sixth, the retuning, `after`.
  static void expect_retuning(const char* before, const char* after) {
    seconds(5);
    EXPECT_EQ(radios(), before);
    seconds(1);
    EXPECT_EQ(radios(), after);
  }
};

TEST_F(FlightModSec, RadiosFollowStationsInAndOutOfRangeEverySixthSecond) {
  wf::add_nav(3, 35.0f, -117.0f, 11390, "FAR");
  wf::add_nav(2, 35.0f, -117.1f, 210, "NDB");
  nav.nf[0] = nav.nf[1] = 11390;
  nav.adff = 210;
  wf::fly_at(35.1f, -117.0f);
  expect_retuning("offoffoff", "FAR FAR NDB ");
  // A nearer station on the frequency takes over at the next retuning, not before.
  wf::add_nav(3, 35.12f, -117.0f, 11390, "NEAR");
  expect_retuning("FAR FAR NDB ", "NEARNEARNDB ");
  // Out of range of every station: the receivers lose them at the next retuning.
  wf::fly_at(37.5f, -117.0f);
  expect_retuning("NEARNEARNDB ", "offoffoff");
}

TEST_F(FlightModSec, APanelWithGpsRetunesTheGpsInsteadOfTheFirstReceiver) {
  pln.supptype = 2;
  wf::add_nav(3, 35.0f, -117.0f, 11390, "VOR");
  nav.nf[0] = nav.nf[1] = 11390, env.aptmax = 0, apt_lat[0][0] = 35.1f, apt_lon[0][0] = -116.5f;
  nav.gps_index_mode = 1, nav.gps_index = 0, ins.lock_GPS = 1;
  nav.goodnav[0] = 1;  // as an aircraft with two receivers flown before left it
  wf::fly_at(35.1f, -117.0f);
  seconds(6);
  EXPECT_EQ(id_on(0) + id_on(1), "offVOR ");
  EXPECT_FLOAT_EQ(nav.gps_lat, 35.1f);
  EXPECT_FLOAT_EQ(nav.gps_lon, -116.5f);
  EXPECT_NEAR(nav.gps_lock_crs, 90.0f, 0.1f);  // due east, locked once
  EXPECT_EQ(ins.lock_GPS, 0);
}

TEST_F(FlightModSec, EnginesStartAndStopWithFuelMixtureAndFailures) {
  seconds(1);
  EXPECT_EQ(flt.eng_running[0] + 2 * flt.eng_running[1], 3);
  EXPECT_EQ(flt.eng_running[2], 0);  // no third or fourth engine
  EXPECT_EQ(flt.eng_running[3], 0);

  // Mixture at cut-off stops an engine; a mixture that burns again starts it.
  flt.mixt_powr_rat[1] = 0;
  seconds(1);
  EXPECT_EQ(flt.eng_running[0] + 2 * flt.eng_running[1], 1);
  flt.mixt_powr_rat[1] = 1;
  seconds(1);
  EXPECT_EQ(flt.eng_running[0] + 2 * flt.eng_running[1], 3);

  // A failure scheduled for now stops its engine in the same second, and it stays stopped.
  rel.fail_type[9] = 3;
  seconds(1);
  int failed = rel.engine[0] ? 1 : 0;
  EXPECT_EQ(rel.engine[0] + rel.engine[1], 1);
  EXPECT_EQ(flt.eng_running[failed], 0);
  EXPECT_EQ(flt.eng_running[1 - failed], 1);

  // The tanks run dry within this second: the engine stops at once, and fuel starts it again.
  flt.m_fuel = 0.1f;
  flt.ff_[0] = flt.ff_[1] = 0.06f;
  seconds(1);
  EXPECT_EQ(flt.m_fuel, 0.0f);
  EXPECT_EQ(flt.eng_running[0], 0);
  EXPECT_EQ(flt.eng_running[1], 0);
  flt.m_fuel = 20;
  flt.ff_[0] = flt.ff_[1] = 0;
  seconds(1);
  EXPECT_EQ(flt.eng_running[1 - failed], 1);
  EXPECT_EQ(flt.eng_running[failed], 0);
}
