// The importer of the open airport extract: runways laid from what the data gives, the holes of
// surfaces, towers and frequencies filled, authored fields kept, damaged lines refused.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "support/test_support.h"
#include "worldgen.h"

namespace {

const double M_PER_DEG = 111120.0, RAD = 3.14159265358979 / 180;

// Metres east and north of (lat0, lon0).
void metres(float lat0, float lon0, float lat, float lon, double* east, double* north) {
  *north = (lat - lat0) * M_PER_DEG;
  *east = (lon - lon0) * M_PER_DEG * std::cos(lat0 * RAD);
}

const wg_airport* find(const char* id) {
  for (const wg_airport& a : wg.apt)
    if (std::string(a.id) == id) return &a;
  return nullptr;
}

int import(const std::string& body) {
  std::ofstream("airports.txt") << "# header\n" << body;
  return import_airports_extract("airports.txt");
}

}  // namespace

class WorldgenExtract : public ::testing::Test {
 protected:
  void SetUp() override { reset_wg(); }
};

// One field with a runway of each kind of hole, and a neighbour whose runway heading the
// nameless ones follow.
TEST_F(WorldgenExtract, RunwaysAreLaidFromEndsOneEndNameOrNeighbours) {
  ASSERT_EQ(import("A KAAA AAA M 40.000000 -100.000000 2000 - - - - Alpha Field\n"
                   "R 8000 150 A 1 17 40.010000 -100.010000 170.0 35 39.990000 -100.006000 350.0\n"
                   "R 6000 100 A 1 - - - - 27 40.020000 -100.000000 265.0\n"
                   "R 4000 75 G 0 04L - - - 22R - - -\n"
                   "R 3000 60 G 0 - - - - - - - -\n"
                   "A KBBB BBB S 40.200000 -100.100000 2100 - - - - Bravo Field\n"
                   "R 2500 60 G 0 - - - - - - - -\n"
                   "R 2400 60 G 0 - - - - - - - -\n"),
            2);
  const wg_airport* a = find("AAA ");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->rwy.size(), 3u);  // the three longest
  // Both ends surveyed: the middle between them, the surveyed heading.
  EXPECT_EQ(a->rwy[0].laid, LAID_ENDS);
  EXPECT_FLOAT_EQ(a->rwy[0].lat, 40.0f);
  EXPECT_FLOAT_EQ(a->rwy[0].lon, -100.008f);
  EXPECT_EQ(a->rwy[0].hdng, 170);
  EXPECT_EQ(a->rwy[0].num, 17);
  // Only the far end surveyed: half the length back from it, numbered as the reciprocal.
  const wg_runway& one = a->rwy[1];
  EXPECT_EQ(one.laid, LAID_ONE_END);
  EXPECT_EQ(one.hdng, 85);
  EXPECT_EQ(one.num, 9);
  double e, n;
  metres(40.02f, -100.0f, one.lat, one.lon, &e, &n);
  EXPECT_NEAR(e, 3000 * 0.3048 * std::sin(265 * RAD), 1.0);
  EXPECT_NEAR(n, 3000 * 0.3048 * std::cos(265 * RAD), 1.0);
  // Only a name: the heading its number gives, turned true by the field's variation, laid to
  // the left of the reference point as the left one of a parallel pair.
  const wg_runway& named = a->rwy[2];
  EXPECT_EQ(named.laid, LAID_NAME);
  EXPECT_EQ(named.num, 4);
  EXPECT_EQ(named.lr, 'L');
  EXPECT_EQ(named.hdng, true_from_magnetic(40, 40.0f, -100.0f));
  metres(40.0f, -100.0f, named.lat, named.lon, &e, &n);
  EXPECT_NEAR(e * std::cos(named.hdng * RAD) - n * std::sin(named.hdng * RAD), -2200 * 0.3048, 1.0);
  // No name either: the neighbour's two runways follow Alpha's longest and cross at 60 degrees.
  const wg_airport* b = find("BBB ");
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->rwy.size(), 2u);
  EXPECT_EQ(b->rwy[0].laid, LAID_NEIGHBOURS);
  EXPECT_EQ(b->rwy[0].hdng, 170);
  EXPECT_EQ(b->rwy[1].hdng, 230);
  EXPECT_EQ(b->rwy[0].num, number_from_true(170, 40.2f, -100.1f));
  EXPECT_FLOAT_EQ(b->rwy[0].lat, 40.2f);
}

// Unknown surfaces follow the field's kind and the runway's length; water lanes carry 'W'.
TEST_F(WorldgenExtract, UnknownSurfacesFollowKindAndLength) {
  struct {
    const char* line;
    int surface;
    char lr;
  } cases[] = {
      {"A KAAA AAA W 45.0 -93.0 900 - - - - Lake Base\nR 3000 200 U 0 - - - - - - - -\n", SURF_WATER, 'W'},
      {"A KAAA AAA W 45.0 -93.0 900 - - - - Lake Base\nR 3000 200 U 0 18W - - - 36W - - -\n", SURF_WATER, 'W'},
      {"A KAAA AAA H 45.0 -93.0 900 - - - - Pad\nR 40 40 U 0 H1 - - - - - - -\n", SURF_CONCRETE, 'x'},
      {"A KAAA AAA M 45.0 -93.0 900 - - - - Town\nR 3000 75 U 1 09 - - - 27 - - -\n", SURF_ASPHALT, 'x'},
      {"A KAAA AAA S 45.0 -93.0 900 - - - - Farm\nR 3000 75 U 0 09 - - - 27 - - -\n", SURF_TURF, 'x'},
      {"A KAAA AAA S 45.0 -93.0 900 - - - - Farm\nR 5000 75 U 0 09 - - - 27 - - -\n", SURF_ASPHALT, 'x'},
      {"A KAAA AAA S 45.0 -93.0 900 - - - - Farm\nR 2000 75 V 0 09 - - - 27 - - -\n", SURF_GRAVEL, 'x'},
  };
  for (const auto& c : cases) {
    reset_wg();
    ASSERT_EQ(import(c.line), 1) << c.line;
    ASSERT_EQ(wg.apt[0].rwy.size(), 1u);
    EXPECT_EQ(wg.apt[0].rwy[0].surface, c.surface) << c.line;
    EXPECT_EQ(wg.apt[0].rwy[0].lr, c.lr) << c.line;
    // Only paved runways of airports may get an instrument approach.
    EXPECT_EQ(wg.apt[0].rwy[0].ils_want[0], c.surface == SURF_ASPHALT ? -1 : 0) << c.line;
  }
}

// The data has no tower flag: an ATIS or a tower frequency marks one, and a towered field's
// advisory frequency is its tower's unless it is a UNICOM channel.
TEST_F(WorldgenExtract, TowersAndTheirFrequencies) {
  ASSERT_EQ(import("A KT1 T1 M 41.0 -90.0 700 T1X 127750 - 118500 ATIS and advisory\n"
                   "R 5000 100 A 1 09 - - - 27 - - -\n"
                   "A KT2 T2 M 41.5 -90.0 700 - 127750 - 122950 ATIS and UNICOM\n"
                   "R 5000 100 A 1 09 - - - 27 - - -\n"
                   "A KT3 T3 M 42.0 -90.0 700 - - 119100 - Tower only\n"
                   "R 5000 100 A 1 09 - - - 27 - - -\n"
                   "A KT4 T4 S 42.5 -90.0 700 - - - 118500 No tower\n"
                   "R 5000 100 A 1 09 - - - 27 - - -\n"),
            4);
  struct {
    const char* id;
    int twr, twr_khz, atis_khz, scheduled;
  } want[] = {{"T1  ", 1, 118500, 127750, 1}, {"T2  ", 1, 0, 127750, 0}, {"T3  ", 1, 119100, 0, 0}, {"T4  ", 0, 0, 0, 0}};
  for (const auto& w : want) {
    const wg_airport* a = find(w.id);
    ASSERT_NE(a, nullptr) << w.id;
    EXPECT_EQ(a->twr, w.twr) << w.id;
    EXPECT_EQ(a->twr_khz, w.twr_khz) << w.id;
    EXPECT_EQ(a->atis_khz, w.atis_khz) << w.id;
    EXPECT_EQ(a->scheduled, w.scheduled) << w.id;
  }
  EXPECT_EQ(find("T1  ")->name, "ATIS and advisory");
}

// A kept authored field keeps its runways but learns its frequencies; another authored field
// gives way to the import; fields without runway or identifier, and duplicates, are left out,
// except a heliport, which gets a pad.
TEST_F(WorldgenExtract, KeptFieldsWinAndUnusableOnesAreLeftOut) {
  std::ofstream("src.txt") << "airport SBD 34.0954 -117.2349 1159 tower \"Ours\" keep\nrunway 06/24 10001 200\n"
                              "airport ONT 34.0560 -117.6012 944 tower \"Old\"\nrunway 08/26 9000 150\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  ASSERT_EQ(wg.errors, 0);
  EXPECT_EQ(import("A KSBD SBD L 34.096717 -117.236596 1159 SBD 124175 - 119450 Theirs\n"
                   "R 10000 200 U 1 06 34.090801 -117.250000 70.4 24 34.099998 -117.219002 250.4\n"
                   "A KONT ONT L 34.056 -117.601 944 ONT 124250 - - Ontario International\n"
                   "R 12197 150 U 1 08L 34.0 -117.6 90.0 26R 34.0 -117.5 270.0\n"
                   "A KXYZ - S 34.5 -117.5 2000 - - - - No runway\n"
                   "A US-123 - S 34.6 -117.5 2000 - - - - No identifier\n"
                   "R 2000 60 G 0 - - - - - - - -\n"
                   "A XYZ - S 34.7 -117.5 2000 - - - - Duplicate of KXYZ once K is dropped\n"
                   "R 2000 60 G 0 - - - - - - - -\n"
                   "A 12CA 12CA H 34.8 -117.5 2000 - - - - Hospital Heliport\n"),
            3);
  ASSERT_EQ(wg.apt.size(), 4u);
  const wg_airport* sbd = find("SBD ");
  EXPECT_EQ(sbd->name, "Ours");
  EXPECT_EQ(sbd->rwy[0].len_ft, 10001);
  EXPECT_EQ(sbd->atis_khz, 124175);
  EXPECT_EQ(sbd->twr_khz, 119450);
  const wg_airport* ont = find("ONT ");
  EXPECT_EQ(ont->name, "Ontario International");
  EXPECT_EQ(ont->rwy[0].len_ft, 12197);
  EXPECT_EQ(ont->authored, 0);
  ASSERT_NE(find("XYZ "), nullptr);
  EXPECT_EQ(find("XYZ ")->name, "Duplicate of KXYZ once K is dropped");
  const wg_airport* heli = find("12CA");
  ASSERT_NE(heli, nullptr);
  ASSERT_EQ(heli->rwy.size(), 1u);
  EXPECT_EQ(heli->rwy[0].len_ft, 50);
  EXPECT_EQ(heli->kind, KIND_HELIPORT);
}

// Each damaged line refuses the whole file, names the line, and leaves the airports as they were.
TEST_F(WorldgenExtract, DamagedExtractIsRefusedNamingTheLine) {
  const char* good = "A KAAA AAA S 45.0 -93.0 900 - - - - Good\nR 3000 75 G 0 09 - - - 27 - - -\n";
  const char* bad[] = {
      "R 3000 75 G 0 09\n",                                                // too few fields
      "A KBBB BBB Q 45.0 -93.0 900 - - - - Bad kind\n",                     // unknown kind
      "A KBBB BBB S 95.0 -93.0 900 - - - - Bad latitude\n",                 // off the globe
      "A KBBB BBB S 45.0 -93.0 high - - - - Bad elevation\n",               // not a number
      "A KBBB BBB S 45.0 -93.0 900 - 99000 - - Bad ATIS\n",                 // outside the airband
      "A KBBB BBB S 45.0 -93.0 900 - - -\n",                                // too few fields
      "A KBBB BBB S 45.0 -93.0 900 - - - - B\nR 3000 75 G 0 09 45.1 - - 27 - - -\n",  // half a position
      "A KBBB BBB S 45.0 -93.0 900 - - - - B\nR 3000.5 75 G 0 09 - - - 27 - - -\n",   // fractional length
      "A KBBB BBB S 45.0 -93.0 900 - - - - B\nR 3000 75 X 0 09 - - - 27 - - -\n",     // unknown surface
      "A KBBB BBB S 45.0 -93.0 900 - - - - B\nR 3000 75 G 2 09 - - - 27 - - -\n",     // lighting not 0/1
      "Z something else\n",                                                // unknown line
  };
  for (const char* b : bad) {
    reset_wg();
    std::ofstream("src.txt") << "airport SBD 34.0954 -117.2349 1159 tower \"Ours\" keep\nrunway 06/24 10001 200\n";
    ASSERT_EQ(read_world_source("src.txt"), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(import(std::string(good) + b), -1) << b;
    std::string err = testing::internal::GetCapturedStderr();
    // The header and the two good lines come first; the damage is on the last line.
    int line = 3 + (int)std::count(b, b + std::strlen(b), '\n');
    EXPECT_NE(err.find("airports.txt:" + std::to_string(line) + ":"), std::string::npos) << b << err;
    ASSERT_EQ(wg.apt.size(), 1u);
    EXPECT_EQ(wg.apt[0].name, "Ours");
  }
  EXPECT_EQ(import_airports_extract("no such file"), -1);
  reset_wg();
  EXPECT_EQ(import("R 3000 75 G 0 09 - - - 27 - - -\n"), -1);  // a runway before any airport
}
