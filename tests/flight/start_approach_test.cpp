// Flight starts away from the runways: over a VOR or NDB of the Location menu, the helipad, ship
// and oil-rig approaches, and formation flight behind the nearest traffic aircraft.
#include "flight_fixture.h"
#include "flyrun_support.h"

// The region at height 0, the aeroplane flying at 500 m in its middle.
class FlightStartApproach : public ::testing::Test {
 protected:
  void SetUp() override {
    start_region(0.0f);
    std::srand(3);
    flt.X = planexyz[89][79][0], flt.Z = planexyz[89][79][2], flt.Y = 500.0;
    flt.v = 50.0f, flt.psi = 123.0f, flt.cat_stage = 5, set.gear_handle = 1;
  }
  static float nm(float miles) { return miles * con.nmtomtrs; }
  // In flight, gear up, wings level, at speed v along the heading, with throttle p.
  static void expect_in_flight(float v, float p) {
    EXPECT_NEAR(flt.v, v, 1e-4f);
    EXPECT_NEAR(flt.vX, isin(intround(flt.psi) % 360) * v, 1e-3);
    EXPECT_NEAR(flt.vZ, icos(intround(flt.psi) % 360) * v, 1e-3);
    EXPECT_EQ(flt.the, 0.0f);
    EXPECT_EQ(flt.phi, 0.0f);
    EXPECT_EQ(set.gear_handle, 0);
    EXPECT_EQ(set.parkbrake, 0.0f);
    EXPECT_FLOAT_EQ(flt.throrequest[0], p);
    EXPECT_EQ(flt.cat_stage, 5);
  }
  // A search that finds nothing leaves the flight exactly as it was.
  static void expect_untouched() {
    EXPECT_EQ(flt.X, planexyz[89][79][0]);
    EXPECT_EQ(flt.Y, 500.0);
    EXPECT_EQ(flt.psi, 123.0f);
    EXPECT_EQ(set.gear_handle, 1);
  }
  // The centre of a ship standing on cell (i, j): the middle of the cell's diagonal.
  static void ship_centre(int i, int j, float* x, float* z) {
    *x = 0.5f * (planexyz[i][j][0] + planexyz[i + 1][j + 1][0]);
    *z = 0.5f * (planexyz[i][j][2] + planexyz[i + 1][j + 1][2]);
  }
};

TEST_F(FlightStartApproach, OverANavaidOfTheLocationMenu) {
  env.navmax = 3;
  nav_lat[2] = 34.5f, nav_lon[2] = -117.5f, nav_h[2] = 200.0f;   // a VOR
  nav_lat[3] = 35.2f, nav_lon[3] = -116.8f, nav_h[3] = 1200.0f;  // an NDB
  // Before the region has its lists, and with empty lists, the items do nothing.
  APPLICATION_handlemenu(1201);
  expect_untouched();
  env.vor_list_max = env.ndb_list_max = -1;
  APPLICATION_handlemenu(1201);
  APPLICATION_handlemenu(1301);
  expect_untouched();

  env.vor_list_max = env.ndb_list_max = 0;
  vor_to_index[0] = 2, ndb_to_index[0] = 3;
  APPLICATION_handlemenu(1202);  // a second VOR the list does not hold
  APPLICATION_handlemenu(1300);  // no item of either list
  expect_untouched();
  EXPECT_TRUE(macibm_alert_log().empty());

  APPLICATION_handlemenu(1201);
  EXPECT_NEAR(flt.X, X_with_latlon(34.5f, -117.5f), 0.01);
  EXPECT_NEAR(flt.Z, Z_with_lat(34.5f), 0.01);
  EXPECT_FLOAT_EQ(flt.Y, 1200.0f);  // 1000 m over the aid
  EXPECT_EQ(flt.psi, 0.0f);
  expect_in_flight(45.0f, 0.5f);
  APPLICATION_handlemenu(1301);
  EXPECT_NEAR(flt.X, X_with_latlon(35.2f, -116.8f), 0.01);
  EXPECT_NEAR(flt.Z, Z_with_lat(35.2f), 0.01);
  EXPECT_FLOAT_EQ(flt.Y, 2200.0f);
}

TEST_F(FlightStartApproach, GetMeLostStartsWellAboveHighGround) {
  for (auto& row : planexyz)
    for (auto& vertex : row) vertex[1] = 5000.0f;  // a plateau above every height it picks
  env.lox = planexyz[0][0][0], env.hix = planexyz[GRID_I - 1][0][0];
  env.hiz = planexyz[0][0][2], env.loz = planexyz[0][GRID_J - 1][2];
  APPLICATION_handlemenu(327);
  EXPECT_GE(flt.Y, 5299.9);
  EXPECT_EQ(set.gear_handle, 0);
}

TEST_F(FlightStartApproach, HelipadApproachIsAMileSouthOfTheNearestRoof) {
  set_fltvars(35);
  EXPECT_EQ(last_alert().line[0], "I can't find any buildings with helipads in the area!");
  EXPECT_EQ(last_alert().line[1],
            "Try going to New York, Chicago, Los Angeles or some other major city.");
  EXPECT_EQ(last_alert().line[2], "There are likely to be building-top helipads there.");
  expect_untouched();

  float x = static_cast<float>(flt.X), z = static_cast<float>(flt.Z);
  building(10, 97, x + 100.0f, z, 300.0f);     // nearest, but no helipad on its roof
  building(20, 94, x + 9000.0f, z, 100.0f);    // helipads, far
  building(400, 96, x - 2000.0f, z, 150.0f);   // helipad, nearest of those with one
  building(1999, 95, x, z + 5000.0f, 250.0f);  // the last slot is searched too
  set_fltvars(35);
  EXPECT_NEAR(flt.X, x - 2000.0f + 15.0f, 0.01);  // lined up on the middle of its roof
  EXPECT_NEAR(flt.Z, z + 15.0f + nm(1.0f), 0.01);
  EXPECT_NEAR(flt.Y, 150.0f + nm(0.05f), 0.01);
  EXPECT_EQ(flt.psi, 0.0f);  // flying north towards it
  expect_in_flight(36.0f, 0.2f);

  flt.X = x, flt.Z = z + 4900.0f;
  set_fltvars(35);
  EXPECT_NEAR(flt.Z, z + 5015.0f + nm(1.0f), 0.01);
}

TEST_F(FlightStartApproach, ShipApproachesLineUpWithTheNearestDeckOfTheirKind) {
  const struct {
    int type;
    int (*flags)[GRID_J];
    int heading;
    float deck;
  } ships[] = {{36, frig_on_poly, 355, 7.0f},
               {37, carr_on_poly, 352, 21.0f},
               {38, oilr_on_poly, 355, 62.0f}};
  for (const auto& s : ships) {
    SCOPED_TRACE(s.type);
    SetUp();
    macibm_clear_alert_log();
    set_fltvars(s.type);
    EXPECT_EQ(last_alert().line[0], "I can't find any ships in the area!");
    expect_untouched();
    // Every kind but the one asked for is passed over, however near.
    for (const auto& other : ships)
      if (other.type != s.type) other.flags[89][79] = 1;
    s.flags[40][30] = 1;
    s.flags[120][100] = 1;  // nearer to the aircraft at (89, 79)
    float cx, cz;
    ship_centre(120, 100, &cx, &cz);
    for (float miles : {3.0f, 1.0f}) {  // a helicopter starts a mile out on the same line
      pln.is_heli = miles == 1.0f;
      set_fltvars(s.type);
      float d = nm(miles);
      EXPECT_NEAR(flt.X, cx - d * isin(s.heading), 0.05);
      EXPECT_NEAR(flt.Z, cz + d * icos(s.heading), 0.05);
      EXPECT_NEAR(flt.Y, s.deck + d * std::sin(3.5f * con.degtorad), 0.01);
      EXPECT_EQ(flt.psi, static_cast<float>(s.heading));
      expect_in_flight(36.0f, 0.2f);
    }
  }
}

TEST_F(FlightStartApproach, FormationFlightIsAFifthOfAMileBehindTheNearestTraffic) {
  // The traffic is placed anew at random by each start: over many starts the nearest aircraft's
  // heading takes every kind of value, those under 10 degrees among them.
  int wrapped = 0;
  for (int n = 0; n < 200; n++) {
    SetUp();
    std::srand(100 + n);
    double x0 = flt.X, z0 = flt.Z;
    set_fltvars(40);
    int t = 0;
    for (int k = 1; k < TRAFFIC; k++)
      if (std::hypot(traf_xyz[k][0] - x0, traf_xyz[k][2] - z0) <
          std::hypot(traf_xyz[t][0] - x0, traf_xyz[t][2] - z0))
        t = k;
    int h = traf_h[t];
    wrapped += h < 10;
    // Behind it along its heading less 10 degrees: a little to its right.
    int back = (h + 350) % 360;
    EXPECT_NEAR(flt.X, traf_xyz[t][0] - nm(0.2f) * isin(back), 0.05) << h;
    EXPECT_NEAR(flt.Z, traf_xyz[t][2] + nm(0.2f) * icos(back), 0.05) << h;
    double right = (flt.X - traf_xyz[t][0]) * icos(h) + (flt.Z - traf_xyz[t][2]) * isin(h);
    EXPECT_GT(right, 0.0) << h;
    EXPECT_FLOAT_EQ(flt.Y, traf_xyz[t][1]);
    EXPECT_EQ(flt.psi, static_cast<float>(h));
    expect_in_flight(traf_v[t], 0.6f);
  }
  EXPECT_GT(wrapped, 0);
  pln.asi_units = 2, pln.Vno = 90.0f;  // slower than any traffic: it follows at its top speed
  set_fltvars(40);
  EXPECT_FLOAT_EQ(flt.v, 90.0f * con.ktstomsc);
}
