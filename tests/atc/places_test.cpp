// The active runway from the localizers and the wind, and airports found by identifier and name.
#include "atc_fixture.h"

using AtcPlaces = AtcTest;

// Twin Field: runway 9/27 of 3000 m and runway 18/36 of 1500 m, no localizer unless one is put.
TEST_F(AtcPlaces, ActiveRunwayFromLocalizerOrWind) {
  const struct {
    float wind_from_mag, wind_kt;
    int loc_course;  // -1: none
    float loc_nm;    // east of the field
    int rway, end, has_ils;
  } cases[] = {
      {0, 0, -1, 0, 0, 1, 0},      // calm: the longest runway as numbered
      {180, 10, -1, 0, 1, 1, 0},   // into the wind: 18
      {270, 10, -1, 0, 0, 2, 0},   // into the wind: 27
      {180, 4, -1, 0, 0, 1, 0},    // a light wind leaves the longest
      {180, 10, 270, 2, 0, 2, 1},  // a localizer decides, whatever the wind
      {180, 10, 270, 6, 1, 1, 0},  // one 6 nm away serves another field
      {90, 20, 270, 2, 0, 1, 0},   // 20 kt behind the localizer: into the wind on 9
  };
  for (const auto& c : cases) {
    reset_atc_world();
    const int k = wind_index(apt_h[TWIN]);
    atm.wnddir[k] = c.wind_from_mag + find_var(apt_lat[TWIN][0], apt_lon[TWIN][0]);
    atm.wndspd[k] = c.wind_kt * con.ktstomsc;
    if (c.loc_course >= 0)
      put_navaid(2, 5, "ITW ", "TWN LOC 27", apt_lat[TWIN][0], apt_lon[TWIN][0] + c.loc_nm / 60.0f,
                 c.loc_course, 10990);
    int r, end, has_ils, n;
    get_active_rway(TWIN, &r, &end, &has_ils, &n);
    EXPECT_EQ(std::tuple(r, end, has_ils), std::tuple(c.rway, c.end, c.has_ils))
        << c.wind_from_mag << " " << c.loc_course << " " << c.loc_nm;
  }
  // A localizer 2 nm north stands on High Field's runway 9/27, not on Twin Field's.
  reset_atc_world();
  put_navaid(2, 5, "IHG ", "HIG LOC 27", 34.5f + 2.0f / 60.0f, -117.5f, 270, 10990);
  apt_lat[HIGH][0] = 34.5f + 2.0f / 60.0f, apt_lon[HIGH][0] = -117.48f, apt_hdng[HIGH][0] = 90;
  int r, end, has_ils, n;
  get_active_rway(TWIN, &r, &end, &has_ils, &n);
  EXPECT_EQ(has_ils, 0);
  // Two localizers: the one whose course lies nearest to the wind wins, and names its runway end.
  put_navaid(2, 5, "ITW ", "TWN LOC 27", apt_lat[TWIN][0], apt_lon[TWIN][0], 270, 10990);
  put_navaid(3, 4, "ITX ", "TWN ILS 09", apt_lat[TWIN][0], apt_lon[TWIN][0], 90, 10950);
  env.navmax = 4;
  const int k = wind_index(apt_h[TWIN]);
  atm.wnddir[k] = 100.0f + find_var(apt_lat[TWIN][0], apt_lon[TWIN][0]);
  get_active_rway(TWIN, &r, &end, &has_ils, &n);
  EXPECT_EQ(std::pair(n, end), std::pair(3, 1));
  char s[STR_SIZE] = "";
  app_current_rway_string(s, TWIN);
  EXPECT_STREQ(s, "runway 9");
}

TEST_F(AtcPlaces, AirportsByIdentifierAndName) {
  EXPECT_EQ(find_apt_by_id("SBD "), SBD);
  EXPECT_EQ(find_apt_by_id("sbd"), SBD);
  for (const char* none : {"", "    ", "SBDX", "SBD X", "AAA "}) EXPECT_EQ(find_apt_by_id(none), -1) << none;
  EXPECT_EQ(find_by_name("Twin Field", 0), TWIN);  // the nearer of two
  flt.lat = 35.4f, flt.lon = -116.1f;
  EXPECT_EQ(find_by_name("Twin Field", 0), TWIN_AGAIN);
  flt.lat = 34.0f, flt.lon = -117.5f;
  EXPECT_EQ(find_by_name("Twin Field  ", 0), TWIN);
  EXPECT_EQ(find_by_name("Twin", 0), -1);
  EXPECT_EQ(find_by_name("SBD ILS 06", 1), ISBD);
  EXPECT_EQ(find_by_name("Pomona", 1), -1);  // a VOR is no approach
  flt.lat = 35.4f, flt.lon = -116.1f;
  EXPECT_EQ(local_airport(), TWIN_AGAIN);
  // On SBD's runway 0.8 nm from its middle, a field 0.4 nm to the north is not the local one.
  flt.lat = apt_lat[SBD][0] + 0.8f * std::cos(72 * con.degtorad) / 60.0f;
  flt.lon = apt_lon[SBD][0] +
            0.8f * std::sin(72 * con.degtorad) / 60.0f / std::cos(34.1f * con.degtorad);
  apt_lat[HIGH][0] = flt.lat + 0.4f / 60.0f, apt_lon[HIGH][0] = flt.lon;
  EXPECT_EQ(local_airport(), SBD);
  for (int n = 0; n < 4; n++) apt_inreg[n] = 0;
  EXPECT_EQ(local_airport(), -1);
}

TEST_F(AtcPlaces, OnTheGroundNearAnyRunwayOfATowerField) {
  flt.onsurface = 1;
  flt.lat = apt_lat[SBD][1] = apt_lat[SBD][0];
  flt.lon = apt_lon[SBD][1] = apt_lon[SBD][0] + 4.0f / 60.0f / std::cos(34.1f * con.degtorad);
  apt_len[SBD][1] = 3000;  // a second runway 4 nm from the first
  EXPECT_EQ(on_ground_at_tower(SBD), 1);
  apt_len[SBD][1] = 0;
  EXPECT_EQ(on_ground_at_tower(SBD), 0);
}
