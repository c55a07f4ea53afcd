// The importer of the open airport extract: runways laid from what the data gives, the holes of
// surfaces, towers and frequencies filled, authored fields kept, damaged lines refused.
#include <cmath>
#include <fstream>

#include "worldgen_fixture.h"

namespace {

const wg_airport* find(const char* id) {
  for (const wg_airport& a : wg.apt)
    if (std::string(a.id) == id) return &a;
  return nullptr;
}

int import(const std::string& body) {
  std::ofstream("airports.txt") << "# header\n" << body;
  return import_airports_extract("airports.txt");
}

// Metres to the right of the heading h of a point (lat, lon) seen from (lat0, lon0).
double right_of(float lat0, float lon0, int h, float lat, float lon) {
  double n = (lat - lat0) * 111120.0, e = (lon - lon0) * 111120.0 * std::cos(lat0 * 3.14159265 / 180);
  return e * std::cos(h * 3.14159265 / 180) - n * std::sin(h * 3.14159265 / 180);
}

}  // namespace

using WorldgenExtract = WorldgenTest;

// Between both ends; from the one known end; through the reference point on its name's heading;
// and without a name on the neighbour's heading, a second one crossing at 60 degrees.
TEST_F(WorldgenExtract, RunwaysAreLaidFromEndsOneEndNameOrNeighbours) {
  ASSERT_EQ(import("A KAAA AAA M 40.000000 -100.000000 2000 - - - - Alpha Field\n"
                   "R 8000 150 A 1 17 40.010000 -100.010000 170.0 35 39.990000 -100.006000 350.0\n"
                   "R 6000 100 A 1 - - - - 27 40.020000 -100.000000 265.0\n"
                   "R 4000 75 G 0 04L - - - 22R - - -\n"
                   "R 3000 60 G 0 - - - - - - - -\n"
                   "A KBBB BBB S 40.200000 -100.100000 2100 - - - - Bravo Field\n"
                   "R 2500 60 G 0 - - - - - - - -\nR 2400 60 G 0 - - - - - - - -\n"
                   "A KCCC CCC S 41.000000 -101.000000 2200 - - - - Charlie Field\n"
                   "R 5757 62 A 0 09 -0.936150 134.863998 91.0 27 -0.936503 134.880005 271.0\n"
                   "R 5000 100 A 1 06 40.900000 -101.000000 50.0 24 41.005000 -100.990000 230.0\n"),
            3);
  const wg_airport *a = find("AAA "), *b = find("BBB ");
  ASSERT_TRUE(a && b && a->rwy.size() == 3 && b->rwy.size() == 2);  // the three longest
  const wg_runway &ends = a->rwy[0], &one = a->rwy[1], &named = a->rwy[2];
  EXPECT_EQ((std::vector<int>{ends.laid, ends.hdng, ends.num}), (std::vector<int>{LAID_ENDS, 170, 17}));
  EXPECT_FLOAT_EQ(ends.lat, 40.0f);
  EXPECT_FLOAT_EQ(ends.lon, -100.008f);
  // Half the length back from the surveyed 27 end, numbered as its reciprocal.
  EXPECT_EQ((std::vector<int>{one.laid, one.hdng, one.num}), (std::vector<int>{LAID_ONE_END, 85, 9}));
  EXPECT_NEAR(right_of(40.02f, -100.0f, 265, one.lat, one.lon), 0.0, 1.0);
  EXPECT_NEAR((one.lat - 40.02f) * 111120.0, 3000 * 0.3048 * std::cos(265 * 3.14159265 / 180), 1.0);
  // 04L: the magnetic heading of its number turned true, the left one of a pair 4400 ft apart.
  EXPECT_EQ((std::vector<int>{named.laid, named.num, named.lr}), (std::vector<int>{LAID_NAME, 4, 'L'}));
  EXPECT_EQ(named.hdng, true_from_magnetic(40, 40.0f, -100.0f));
  EXPECT_NEAR(right_of(40.0f, -100.0f, named.hdng, named.lat, named.lon), -2200 * 0.3048, 1.0);
  EXPECT_EQ((std::vector<int>{b->rwy[0].laid, b->rwy[0].hdng, b->rwy[1].hdng}),
            (std::vector<int>{LAID_NEIGHBOURS, 170, 230}));
  EXPECT_EQ(b->rwy[0].num, number_from_true(170, 40.2f, -100.1f));
  // Ends far from the field's reference point are another field's: a runway is laid without them.
  const wg_airport* c = find("CCC ");
  ASSERT_TRUE(c && c->rwy.size() == 2);
  EXPECT_EQ((std::vector<int>{c->rwy[0].laid, c->rwy[1].laid}), (std::vector<int>{LAID_NAME, LAID_ONE_END}));
  for (const wg_runway& r : c->rwy) EXPECT_LT(std::hypot(r.lat - 41.0f, r.lon + 101.0f), 0.02f);
}

// Surfaces the data leaves unknown follow the kind and length; water lanes carry 'W' and no
// approach; an ATIS or a tower frequency marks a tower, whose frequency is the advisory one
// unless that is a UNICOM channel.
TEST_F(WorldgenExtract, EachFieldFillsItsHoles) {
  struct {
    const char* data;
    int surface;
    char lr;
    int ils, twr, twr_khz;
  } cases[] = {
      {"W 45 -93 900 - - - - Lake\nR 3000 200 U 0 - - - - - - - -", SURF_WATER, 'W', 0, 0, 0},
      {"W 45 -93 900 - - - - Lake\nR 3000 200 U 0 18W - - - 36W - - -", SURF_WATER, 'W', 0, 0, 0},
      {"H 45 -93 900 - - - 122800 Pad\nR 40 40 U 0 H1 - - - - - - -", SURF_CONCRETE, 'x', 0, 0, 0},
      {"M 45 -93 900 - 127750 - 118500 Town\nR 3000 75 U 1 09 - - - 27 - - -", SURF_ASPHALT, 'x', -1, 1, 118500},
      {"M 45 -93 900 - 127750 - 122950 Town\nR 3000 75 U 1 09 - - - 27 - - -", SURF_ASPHALT, 'x', -1, 1, 0},
      {"S 45 -93 900 - - 119100 - Farm\nR 3000 75 U 0 09 - - - 27 - - -", SURF_TURF, 'x', 0, 1, 119100},
      {"S 45 -93 900 - - - - Farm\nR 5000 75 U 0 09 - - - 27 - - -", SURF_ASPHALT, 'x', -1, 0, 0},
  };
  for (const auto& c : cases) {
    reset_wg();
    ASSERT_EQ(import(std::string("A KAAA AAA ") + c.data + "\n"), 1) << c.data;
    const wg_runway& r = wg.apt[0].rwy[0];
    EXPECT_EQ((std::vector<int>{r.surface, r.lr, r.ils_want[0], wg.apt[0].twr, wg.apt[0].twr_khz}),
              (std::vector<int>{c.surface, c.lr, c.ils, c.twr, c.twr_khz}))
        << c.data;
  }
}

// A kept field keeps its runways and takes the import's frequencies; another authored field gives
// way; a field without runway or identifier is left out, the lesser of two with one identifier
// too, but a heliport gets a pad.
TEST_F(WorldgenExtract, KeptFieldsWinAndUnusableOnesAreLeftOut) {
  std::ofstream("src.txt") << "airport SBD 34.0954 -117.2349 1159 tower \"Ours\" keep\nrunway 06/24 10001 200\n"
                              "airport ONT 34.0560 -117.6012 944 tower \"Old\"\nrunway 08/26 9000 150\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  EXPECT_EQ(import("A KSBD SBD L 34.09 -117.23 1159 SBD 124175 - 119450 Theirs\nR 9000 200 U 1 - - - - - - - -\n"
                   "A KONT ONT L 34.05 -117.60 944 ONT - - - Ontario\nR 12197 150 U 1 - - - - - - - -\n"
                   "A KXYZ - S 34.5 -117.5 2000 - - - - No runway\n"
                   "A US-123 - S 34.6 -117.5 2000 - - - - No identifier\nR 2000 60 G 0 - - - - - - - -\n"
                   "A XYZ - S 34.7 -117.5 2000 - - - - Shorter\nR 2000 60 G 0 - - - - - - - -\n"
                   "A 12CA 12CA S 34.8 -117.5 2000 - - - - Longer\nR 2100 60 G 0 - - - - - - - -\n"
                   "A 12CA 12CA H 34.8 -117.5 2000 - - - - Hospital Heliport\n"
                   "A 13CA 13CA H 34.9 -117.5 2000 - - - - Hospital Heliport\n"),
            4);
  const wg_airport *sbd = find("SBD "), *heli = find("13CA");
  EXPECT_EQ((std::vector<int>{sbd->rwy[0].len_ft, sbd->atis_khz, sbd->twr_khz}), (std::vector<int>{10001, 124175, 119450}));
  EXPECT_EQ(find("ONT ")->rwy[0].len_ft, 12197);
  EXPECT_EQ(find("12CA")->name, "Longer");
  EXPECT_EQ((std::vector<int>{(int)wg.apt.size(), heli->kind, heli->rwy[0].len_ft}), (std::vector<int>{5, APT_KIND_HELIPORT, 50}));
}

// A damaged line refuses the whole file, naming the line, and leaves the airports as they were.
TEST_F(WorldgenExtract, DamagedExtractIsRefusedNamingTheLine) {
  const char* bad[] = {"A KB B Q 45 -93 900 - - - - Unknown kind", "A KB B S 95 -93 900 - - - - Off the globe",
                       "A KB B S 45 -93 900 - 99000 - - ATIS off the band", "A KB B S 45 -93 900 - - -",
                       "R 3000 75 G 0 09 45.1 - - 27 - - -", "R 3000.5 75 X 0 09 - - - 27 - - -",
                       "Z neither airport nor runway"};
  for (const char* b : bad) {
    reset_wg();
    wg.apt.resize(1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(import(std::string("A KA A S 45 -93 900 - - - - Good\n") + b + "\n"), -1) << b;
    EXPECT_NE(testing::internal::GetCapturedStderr().find("airports.txt:3:"), std::string::npos) << b;
    EXPECT_EQ(wg.apt.size(), 1u);
  }
  EXPECT_EQ(import("R 3000 75 G 0 09 - - - 27 - - -\n"), -1);  // a runway before any airport
}
