// Tuning the receivers against the navaid table, and the GPS target.
#include "world/world_files.h"

class WorldRadios : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    // A region at 34 N, 118 W laid out from its south-west corner, as a load leaves it.
    env.lat_sou = 34, env.lon_wes = -118;
    for (auto& col : env.lonwes_ref) col[0] = col[1] = -118.0f;
  }
  static std::string id_on(int radio) { return std::string(nav.nav_id[radio], 4); }
  // Receiver `radio` tuned with the aircraft at (lat, lon) on `heading`.
  static void tune(int radio, float lat, float lon, int heading = 90) {
    wf::fly_at(lat, lon, heading);
    setnav(radio);
  }
};

TEST_F(WorldRadios, NearestAidOnTheFrequencyWinsWithinRange) {
  wf::add_nav(3, 35.0f, -117.0f, 11390, "AAA");
  wf::add_nav(3, 35.3f, -117.0f, 11390, "BBB");
  wf::add_nav(3, 35.1f, -117.0f, 11170, "CCC");  // nearest, but on another frequency
  nav.nf[0] = 11390;
  tune(0, 35.1f, -117.0f);
  EXPECT_EQ(nav.goodnav[0], 1);
  EXPECT_EQ(id_on(0), "AAA ");
  EXPECT_EQ(nav.ilsgs[0], 9);
  EXPECT_FLOAT_EQ(nav.vorX[0], X_with_latlon(35.0f, -117.0f));
  tune(0, 35.25f, -117.0f);
  EXPECT_EQ(id_on(0), "BBB ");
  float x = nav.vorX[0];
  tune(0, 37.0f, -117.0f);  // out of range of both: the station goes, its position stays
  EXPECT_EQ(nav.goodnav[0], 0);
  EXPECT_FLOAT_EQ(nav.vorX[0], x);
  // At 35 N a degree of longitude is 49 nm: 0.6 degrees east (29 nm) is nearer than 0.55 degrees
  // north (33 nm).
  wf::add_nav(3, 35.55f, -116.0f, 11500, "NTH");
  wf::add_nav(3, 35.0f, -115.4f, 11500, "EST");
  nav.nf[0] = 11500;
  tune(0, 35.0f, -116.0f);
  EXPECT_EQ(id_on(0), "EST ");
}

TEST_F(WorldRadios, LocalizerNeedsItsFrontCourseAndAVorOverridesIt) {
  wf::add_nav(4, 35.0f, -117.0f, 10990, "IFAR", 90);
  wf::add_nav(4, 35.0f, -117.3f, 10990, "IBEH", 90);  // nearer, but the aircraft is behind it
  nav.nf[1] = 10990;
  tune(1, 35.0f, -117.2f);
  EXPECT_EQ(id_on(1), "IFAR");
  EXPECT_FLOAT_EQ(nav.ilscrs[1], 90.0f);
  EXPECT_EQ(nav.ilsgs[1], 0);
  wf::add_nav(3, 35.5f, -117.2f, 10990, "VOR");
  setnav(1);
  EXPECT_EQ(id_on(1), "VOR ");
  EXPECT_EQ(nav.ilsgs[1], 9);
}

TEST_F(WorldRadios, GlideSlopeMustFaceTheAircraftsHeading) {
  wf::add_nav(4, 35.0f, -117.0f, 10990, "ILOC", 90);
  wf::add_nav(6, 35.0f, -117.05f, 10990, "", 90);
  wf::add_nav(6, 35.0f, -117.15f, 10990, "", 270);  // nearer, facing the other way
  nav.nf[0] = 10990;
  tune(0, 35.0f, -117.2f, 100);
  EXPECT_EQ(nav.ilsgs[0], 3);
  EXPECT_FLOAT_EQ(nav.gsX[0], X_with_latlon(35.0f, -117.05f));
  tune(0, 35.0f, -117.2f, 181);  // 91 degrees off the first, 89 off the second
  EXPECT_FLOAT_EQ(nav.gsX[0], X_with_latlon(35.0f, -117.15f));
  tune(0, 35.0f, -117.2f, 0);  // 90 off both: the localizer alone is left
  EXPECT_EQ(nav.ilsgs[0], 0);
}

TEST_F(WorldRadios, AdfRangeGrowsWithHeight) {
  wf::add_nav(2, 35.0f, -116.6f, 210, "NDB");
  nav.adff = 210;
  tune(4, 35.0f, -117.2f);  // 29 nm away: beyond 4/9 of a degree (27 nm) at sea level
  EXPECT_EQ(nav.goodnav[4], 0);
  flt.h = 10000.0f * con.fttomtrs;
  setnav(4);
  EXPECT_EQ(nav.goodnav[4], 1);
  EXPECT_EQ(id_on(4), "NDB ");
  flt.h = 30000.0f * con.fttomtrs;
  EXPECT_NEAR(ils_range(), 14.0f / 9.0f, 1e-5f);
  EXPECT_NEAR(vor_range(), 28.0f / 9.0f, 1e-5f);
}

TEST_F(WorldRadios, GpsTargetCourseAndLock) {
  env.aptmax = 0, apt_lat[0][0] = 35.0f, apt_lon[0][0] = -117.0f;
  std::snprintf(apt_id[0], 5, "TRM ");
  nav.gps_index_mode = 1, nav.gps_index = 0, ins.lock_GPS = 1;
  for (int& c : nav.gps_id) c = 11;  // "AAAA", the first start's default
  tune(5, 35.0f, -117.5f);
  std::string shown;
  for (int c : nav.gps_id) shown += code_to_char(c);
  EXPECT_EQ(shown, "TRM ");
  EXPECT_FLOAT_EQ(nav.gps_crs, 90.0f);
  EXPECT_NEAR(nav.gps_dis, X_with_latlon(35.0f, -117.0f) - flt.X, 0.01f);
  EXPECT_FLOAT_EQ(nav.gps_lock_crs, 90.0f);
  EXPECT_EQ(ins.lock_GPS, 0);
  // A target index outside its table (a damaged preferences file) leaves the target alone.
  nav.gps_index = 5000;
  setnav(5);
  nav.gps_index_mode = 0, nav.gps_index = -3;
  setnav(5);
  EXPECT_FLOAT_EQ(nav.gps_lat, 35.0f);
  EXPECT_FLOAT_EQ(nav.gps_lon, -117.0f);
  env.lon_wes = 178;
  for (auto& col : env.lonwes_ref) col[0] = col[1] = 178.0f;
  apt_lon[0][0] = -179.5f, nav.gps_index_mode = 1, nav.gps_index = 0, ins.lock_GPS = 1;
  tune(5, 35.0f, 179.5f);
  EXPECT_NEAR(nav.gps_crs, 90.0f, 0.01f);
  EXPECT_NEAR(nav.gps_dis, 60.0f * con.nmtomtrs * std::cos(35.0f * con.degtorad), 1.0f);
  // A target 180 nm due north, beyond the region, is due north wherever the region stands.
  for (float west : {-118.0f, -119.0f}) {
    for (auto& col : env.lonwes_ref) col[0] = col[1] = west;
    apt_lat[0][0] = 38.0f, apt_lon[0][0] = -117.5f;
    nav.gps_index_mode = 1, nav.gps_index = 0, ins.lock_GPS = 1;
    tune(5, 35.0f, -117.5f);
    EXPECT_NEAR(fltwrap(nav.gps_crs, -180.0f, 180.0f), 0.0f, 0.01f) << west;
    EXPECT_NEAR(nav.gps_dis * con.mtrstonm, 180.0f, 0.01f) << west;
  }
}
