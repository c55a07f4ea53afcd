// The once-a-second pass as the frame runs it: radio retuning every sixth second, and engines
// starting and stopping with fuel, mixture and failures drawn in the same second.
#include "weather/weather_fixture.h"
#include "world/world_files.h"

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
};

TEST_F(FlightModSec, RadiosFollowStationsInAndOutOfRangeEverySixthSecond) {
  wf::add_nav(3, 35.0f, -117.0f, 11390, "FAR");
  wf::add_nav(2, 35.0f, -117.1f, 210, "NDB");
  nav.nf[0] = nav.nf[1] = 11390;
  nav.adff = 210;
  wf::fly_at(35.1f, -117.0f);
  seconds(5);
  EXPECT_EQ(id_on(0) + id_on(1) + id_on(4), "offoffoff");
  seconds(1);
  EXPECT_EQ(id_on(0) + id_on(1) + id_on(4), "FAR FAR NDB ");

  // A nearer station on the frequency takes over at the next retuning, not before.
  wf::add_nav(3, 35.12f, -117.0f, 11390, "NEAR");
  seconds(5);
  EXPECT_EQ(id_on(1), "FAR ");
  seconds(1);
  EXPECT_EQ(id_on(0) + id_on(1), "NEARNEAR");

  // Out of range of every station: the receivers lose them at the next retuning.
  wf::fly_at(37.5f, -117.0f);
  seconds(5);
  EXPECT_EQ(id_on(1) + id_on(4), "NEARNDB ");
  seconds(1);
  EXPECT_EQ(id_on(0) + id_on(1) + id_on(4), "offoffoff");
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
