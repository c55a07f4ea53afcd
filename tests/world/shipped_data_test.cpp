// The generated world data of the build: the start-up field, its radios, and a long flight over
// the country with the region sliding under the aircraft.
#include "world/world_files.h"

using WorldShippedData = WorldTest;

TEST_F(WorldShippedData, FlyingAcrossTheCountryKeepsGroundUnderTheAircraft) {
  std::snprintf(app_path, STR_SIZE, "%s/", KESTRIX_RUNTIME_DIR);
  if (!std::filesystem::exists(std::string(app_path) + "world/apt_dat"))
    GTEST_SKIP() << "no generated world data";
  init_country_data();
  int sbd = -1;
  for (int n = 0; n <= env.aptmax; n++)
    if (std::string(apt_id[n]) == "SBD ") sbd = n;
  ASSERT_GE(sbd, 0);
  env.lat_sou = intround(apt_lat[sbd][0] - 1.0f), env.lon_wes = intround(apt_lon[sbd][0] - 1.5f);
  load_region();
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_GT(env.apt_list_max, 5);
  // The factory radios find a station at the field: NAV 111.70 and ADF 210.
  flt.lat = apt_lat[sbd][0], flt.lon = apt_lon[sbd][0], flt.h = apt_h[sbd] + 300.0f;
  nav.nf[0] = 11170, nav.adff = 210;
  setnav(0), setnav(4);
  EXPECT_EQ(nav.goodnav[0], 1);
  EXPECT_EQ(nav.goodnav[4], 1);

  // East along 34.5 N, then north along 110 W: every step finds its cell and a height in range.
  int i = env.i_aircraft, j = env.j_aircraft, moves = 0;
  for (int step = 0; step < 280; step++) {
    flt.lat = step < 140 ? 34.5f : 34.5f + 0.06f * (step - 140);
    flt.lon = step < 140 ? -117.0f + 0.05f * step : -110.0f;
    moves += check_region_move() != 0;
    flt.X = X_with_latlon(flt.lat, flt.lon), flt.Z = Z_with_lat(flt.lat);
    if (!find_ijt_with_loc(flt.X, flt.Z, &i, &j, 0)) {
      ASSERT_EQ(find_ijt_with_loc(flt.X, flt.Z, &i, &j, 1), 1) << flt.lat << " " << flt.lon;
    }
    float h = find_local_h(flt.X, flt.Z, i, j);
    ASSERT_TRUE(h >= env.min_h && h <= env.max_h) << flt.lat << " " << flt.lon;
    EXPECT_NEAR(lon_with_xz(flt.X, flt.Z), flt.lon, 1e-4f);
  }
  EXPECT_GE(moves, 14);
  EXPECT_TRUE(macibm_alert_log().empty());
}
