// The location windows with the real airport database: the list narrowing as an identifier is
// typed, names found by any part, a flight started from a picked runway end, a start at a typed
// place and the refusal of places that are not on the earth, and the nearest fields and aids.
#include "app_fixture.h"

#include "app/settings.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "world/world.h"

class AppSettingsLocation : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
    init_country_data();
    ASSERT_GT(env.aptmax, 1000);
  }
};

TEST_F(AppSettingsLocation, TypingAnIdentifierNarrowsTheListAndAFullOneIsPickedWithItsRunways) {
  APPLICATION_handlemenu(309);
  const size_t all = headless_form_lines(WIN_AIRPORT_ID, "airports").size();
  EXPECT_EQ(all, static_cast<size_t>(env.aptmax + 1));  // nothing typed: every field
  headless_form_type(WIN_AIRPORT_ID, "typed", "s");
  const std::vector<std::string> s = headless_form_lines(WIN_AIRPORT_ID, "airports");
  EXPECT_LT(s.size(), all);
  for (const std::string& line : s) EXPECT_EQ(line[0], 'S') << line;
  headless_form_type(WIN_AIRPORT_ID, "typed", "sbd");
  ASSERT_FALSE(headless_form_lines(WIN_AIRPORT_ID, "airports").empty());
  EXPECT_EQ(headless_form_lines(WIN_AIRPORT_ID, "airports")[0].substr(0, 4), "SBD ");
  EXPECT_EQ(headless_form_shown(WIN_AIRPORT_ID, "airports"), 0.0f);
  const int sbd = find_apt_by_id("SBD ");
  int ends = 0;
  for (int r = 0; r < 6; r++) ends += apt_len[sbd][r / 2] >= 1;
  EXPECT_EQ(headless_form_lines(WIN_AIRPORT_ID, "runways").size(), static_cast<size_t>(ends));
  // The ICAO code, as pilots say it, finds the same field and picks it; only letters take a K.
  headless_form_type(WIN_AIRPORT_ID, "typed", "ksbd");
  ASSERT_EQ(headless_form_lines(WIN_AIRPORT_ID, "airports").size(), 1u);
  EXPECT_EQ(headless_form_lines(WIN_AIRPORT_ID, "airports")[0].substr(0, 4), "SBD ");
  EXPECT_EQ(headless_form_shown(WIN_AIRPORT_ID, "airports"), 0.0f);
  EXPECT_EQ(find_apt_by_id("KSBD"), sbd);
  EXPECT_EQ(find_apt_by_id("K00C"), -1);
  EXPECT_GE(find_apt_by_id("00C"), 0);
  headless_form_type(WIN_AIRPORT_ID, "typed", "QQQQ");
  EXPECT_TRUE(headless_form_lines(WIN_AIRPORT_ID, "airports").empty());
  EXPECT_TRUE(headless_form_lines(WIN_AIRPORT_ID, "runways").empty());
}

TEST_F(AppSettingsLocation, APickedRunwayEndStartsTheFlightThereAndClosesTheWindow) {
  APPLICATION_handlemenu(309);
  headless_form_press(WIN_AIRPORT_ID, "go");  // nothing picked yet
  headless_form_release();
  EXPECT_TRUE(alert_shown("Pick an airport and one of its runways first."));
  headless_form_type(WIN_AIRPORT_ID, "typed", "TRM");
  headless_form_pick(WIN_AIRPORT_ID, "runways", 1);
  headless_form_set(WIN_AIRPORT_ID, "start", 2);  // instrument final
  headless_form_press(WIN_AIRPORT_ID, "go");
  headless_form_release();
  EXPECT_EQ(msc.loc_apt_wrl, find_apt_by_id("TRM "));
  EXPECT_EQ(msc.rway_sel, 1);
  EXPECT_EQ(msc.typestart, TYPESTART_ILS_FINAL);
  EXPECT_STREQ(msc.req_id_str, "TRM ");
  EXPECT_EQ(form_of(WIN_AIRPORT_ID), nullptr);  // the start closed it
  EXPECT_NEAR(flt.lat, apt_lat[find_apt_by_id("TRM ")][0], 0.3);
}

TEST_F(AppSettingsLocation, NamesAreFoundByAnyPartInAnyCase) {
  APPLICATION_handlemenu(310);
  headless_form_type(WIN_AIRPORT_NAME, "typed", "lakefront");
  const std::vector<std::string>& lines = headless_form_lines(WIN_AIRPORT_NAME, "airports");
  ASSERT_FALSE(lines.empty());
  bool burke = false;
  for (const std::string& l : lines) burke = burke || l.rfind("BKL ", 0) == 0;
  EXPECT_TRUE(burke);
  APPLICATION_handlemenu(329);  // the look-up takes identifiers and names alike
  headless_form_type(WIN_AIRPORT_IDS, "typed", "CGX");
  EXPECT_NE(headless_form_text(WIN_AIRPORT_IDS, "details").find("CGX"), std::string::npos);
}

TEST_F(AppSettingsLocation, ATypedPlaceOffTheEarthIsRefusedAndOneOnItStartsTheFlightThere) {
  APPLICATION_handlemenu(314);
  for (float bad : {95.0f, -91.0f}) {
    macibm_clear_alert_log();
    headless_form_set(WIN_LATLON, "lat", bad);
    EXPECT_TRUE(alert_shown("There is no such place on the earth.")) << bad;
    EXPECT_NE(headless_form_shown(WIN_LATLON, "lat"), bad);
  }
  macibm_clear_alert_log();
  headless_form_set(WIN_LATLON, "lon", 200.0f);
  EXPECT_TRUE(alert_shown("There is no such place on the earth."));
  headless_form_set(WIN_LATLON, "lat", 40.5f);
  headless_form_set(WIN_LATLON, "lon", -105.25f);
  headless_form_set(WIN_LATLON, "alt", 12000.0f);
  headless_form_press(WIN_LATLON, "go");
  headless_form_release();
  EXPECT_EQ(env.lat_sou, 40);  // the region around the place
  EXPECT_EQ(env.lon_wes, -107);
  EXPECT_NEAR(flt.lat, 40.5f, 0.01f);
  EXPECT_NEAR(flt.lon, -105.25f, 0.01f);
  EXPECT_NEAR(flt.Y * con.mtrstoft, 12000.0f, 1.0f);
  // A height the window offers but the mountains there rise above: the flight starts over them.
  APPLICATION_handlemenu(314);
  headless_form_set(WIN_LATLON, "lat", 39.6f);
  headless_form_set(WIN_LATLON, "lon", -105.9f);
  headless_form_set(WIN_LATLON, "alt", 3000.0f);
  headless_form_press(WIN_LATLON, "go");
  headless_form_release();
  int i = env.i_aircraft, j = env.j_aircraft;
  const float fx = static_cast<float>(flt.X), fz = static_cast<float>(flt.Z);
  ASSERT_TRUE(find_ijt_with_loc(fx, fz, &i, &j, 1));
  const float ground = find_local_h(fx, fz, i, j);
  EXPECT_GT(ground, 3000.0f * con.fttomtrs);
  EXPECT_NEAR(flt.Y - ground, 1000.0f * con.fttomtrs, 1.0f);
}

TEST_F(AppSettingsLocation, WhereAmINamesTheNearestFieldWithItsDistanceAndMagneticBearing) {
  const int sbd = find_apt_by_id("SBD ");
  flt.lat = apt_lat[sbd][0] - 0.01f;  // 0.6 nm south of the field
  flt.lon = apt_lon[sbd][0];
  env.mvar = 12;
  APPLICATION_handlemenu(326);
  const std::string near = headless_form_text(WIN_WHERE_AM_I, "airport");
  EXPECT_EQ(near.rfind("Airport SBD", 0), 0u) << near;
  EXPECT_NE(near.find(": 0.6 nm, bearing 012 mag"), std::string::npos) << near;  // north, true
  EXPECT_EQ(headless_form_text(WIN_WHERE_AM_I, "vor").rfind("VOR ", 0), 0u);
  flt.lon = 181.25f;  // past the date line, where the region's longitudes run on
  flt.psi = 77.9f;     // 89.9 magnetic: the nearest whole degree, not the one below
  APPLICATION_handlemenu(326);
  const std::string here = headless_form_text(WIN_WHERE_AM_I, "position");
  EXPECT_NE(here.find(" 178.750 W "), std::string::npos) << here;
  EXPECT_NE(here.find("heading 090 mag"), std::string::npos) << here;
  const std::string east = headless_form_text(WIN_WHERE_AM_I, "airport");
  float nm = 0.0f;
  int brg = 0;
  ASSERT_EQ(std::sscanf(east.c_str() + east.find(": "), ": %f nm, bearing %d", &nm, &brg), 2) << east;
  EXPECT_LT(nm, 3000.0f) << east;
  EXPECT_TRUE(brg > 60 && brg < 140) << east;
}

// Flown east past the date line the region's longitudes run on past 180: the Lat-Lon window offers
// the place as a pilot reads it, a value it can fly to.
TEST_F(AppSettingsLocation, PastTheDateLineTheLatLonWindowOffersTheLongitudeWest) {
  flt.lon = 180.5f;
  APPLICATION_handlemenu(314);
  EXPECT_FLOAT_EQ(headless_form_shown(WIN_LATLON, "lon"), -179.5f);
}
