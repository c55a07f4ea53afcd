// The navigation text files: records read back by the simulator's reading rules, and the
// generated database's favourites, factory frequencies and capacities.
#include <cmath>
#include <fstream>
#include <sstream>

#include "support/test_support.h"
#include "worldgen.h"

namespace {

struct apt_rec {
  float lat[3], lon[3], h;
  int num[3], hdng[3], len[3], width[3], lite[3], twr;
  char lr[3];
  std::string id, name;
};
struct nav_rec {
  int type, f1, f2, hdng;
  float lat, lon, h;
  std::string id, name;
};

// Reads a file's records as the simulator does: header, values separated by white space, then
// the fixed-count identifier after one separator and the name to the end of the line.
std::ifstream open_checked(const std::string& path) {
  std::ifstream in(path);
  std::string l1, l2;
  std::getline(in, l1);
  std::getline(in, l2);
  EXPECT_EQ(l1, "I");
  EXPECT_EQ(l2, "354 version");
  return in;
}

std::vector<apt_rec> read_apt(const std::string& path) {
  std::ifstream in = open_checked(path);
  std::vector<apt_rec> v;
  int code;
  while (in >> code && code != 99) {
    apt_rec a{};
    for (int r = 0; r < 3; r++)
      in >> a.lat[r] >> a.lon[r] >> a.num[r] >> a.lr[r] >> a.hdng[r] >> a.len[r] >> a.width[r] >> a.lite[r];
    in >> a.h >> a.twr;
    in.get();
    char id[5] = {};
    in.read(id, 4);
    a.id = id;
    in.get();
    std::getline(in, a.name);
    v.push_back(a);
  }
  EXPECT_EQ(code, 99);
  return v;
}

std::vector<nav_rec> read_nav(const std::string& path) {
  std::ifstream in = open_checked(path);
  std::vector<nav_rec> v;
  int type;
  while (in >> type && type != 99) {
    nav_rec n{};
    n.type = type;
    char c, id[4];
    in >> n.lat >> n.lon >> n.h >> n.f1 >> n.f2 >> n.hdng >> c;
    in.read(id, 3);
    n.id = std::string(1, c) + std::string(id, 3);
    in.get();
    std::getline(in, n.name);
    v.push_back(n);
  }
  EXPECT_EQ(type, 99);
  return v;
}

std::string world_dir() { return std::string(KESTRIX_RUNTIME_DIR) + "/world/"; }

int key_of(const nav_rec& n) { return n.type == NAV_NDB ? n.f1 : n.f1 * 100 + n.f2; }

float flat_deg(float a, float b, float c, float d) { return std::sqrt((a - c) * (a - c) + (b - d) * (b - d)); }

}  // namespace

class WorldgenNavfiles : public ::testing::Test {
 protected:
  void SetUp() override { reset_wg(); }
};

TEST_F(WorldgenNavfiles, RecordsReadBackFieldForField) {
  std::ofstream("src.txt") << "airport 7X4 40.5 -100.25 2500 notower \"Long-Name Field With A Name Longer Than The Limit\"\n"
                              "runway 09L/27R 5000 75 true 95 unlit\n"
                              "runway 18/36 2000 50 at 40.51 -100.24\n"
                              "vor ABC 40.6 -100.1 2600 113.90 \"Alpha\"\n"
                              "ndb QR 40.7 -100.2 2400 362 \"Quebec\"\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  ASSERT_EQ(wg.errors, 0);
  wg.fix.push_back({40.25f, -100.5f, {'B', 'A', 'K', 'E', 'R', 0}});
  ASSERT_EQ(write_nav_files("./"), 1);

  std::vector<apt_rec> apts = read_apt("apt_dat");
  ASSERT_EQ(apts.size(), 1u);
  const apt_rec& a = apts[0];
  EXPECT_EQ(a.id, "7X4 ");
  EXPECT_EQ(a.name.size(), 39u);
  EXPECT_EQ(a.name.substr(0, 14), "Long-Name Fiel");
  EXPECT_EQ(a.num[0], 9);
  EXPECT_EQ(a.lr[0], 'L');
  EXPECT_EQ(a.hdng[0], 95);
  EXPECT_EQ(a.len[0], 5000);
  EXPECT_EQ(a.width[0], 75);
  EXPECT_EQ(a.lite[0], 111111);  // unlit: every kind "none" on both ends
  EXPECT_NEAR(a.lat[1], 40.51f, 1e-5);
  EXPECT_EQ(a.lr[1], 'x');
  EXPECT_EQ(a.len[2], 0);  // the empty third slot holds no runway
  EXPECT_FLOAT_EQ(a.h, 2500);
  EXPECT_EQ(a.twr, 0);

  std::vector<nav_rec> navs = read_nav("nav_dat");
  ASSERT_EQ(navs.size(), 3u);
  EXPECT_EQ(navs[0].type, NAV_VOR);
  EXPECT_EQ(key_of(navs[0]), 11390);
  EXPECT_EQ(navs[0].id, "ABC ");
  EXPECT_EQ(navs[0].name, "Alpha");
  EXPECT_EQ(navs[1].type, NAV_NDB);
  EXPECT_EQ(key_of(navs[1]), 362);
  EXPECT_EQ(navs[1].id, "QR  ");
  // The last record before the end is the placeholder the carrier's glide slope overwrites.
  EXPECT_EQ(navs[2].type, NAV_GS);
  EXPECT_EQ(navs[2].name, "USS Enterprise");

  std::ifstream fx("fix_dat");
  std::string l1, l2, l3, l4;
  std::getline(fx, l1), std::getline(fx, l2), std::getline(fx, l3), std::getline(fx, l4);
  EXPECT_EQ(l3, "  40.250000 -100.500000 BAKER");
  EXPECT_EQ(std::lround(std::stof(l4)), 99);
}

// That the factory radios reach a station at the first-run airport is the world tests' to show,
// with the receivers' own code.
TEST_F(WorldgenNavfiles, GeneratedDatabaseHoldsTheFavouritesOnceAndRunwaysInRange) {
  std::vector<apt_rec> apts = read_apt(world_dir() + "apt_dat");
  std::vector<nav_rec> navs = read_nav(world_dir() + "nav_dat");
  ASSERT_FALSE(apts.empty());
  EXPECT_LE(apts.size(), (size_t)MAX_AIRPORTS);
  EXPECT_LE(navs.size(), (size_t)MAX_NAVAIDS + 1);
  for (const char* id : {"SBD ", "TRM ", "BKL ", "CGX "}) {
    int found = 0;
    for (const apt_rec& a : apts) found += a.id == id;
    EXPECT_EQ(found, 1) << id;
  }
  for (const apt_rec& a : apts)
    for (int r = 0; r < 3; r++) {
      EXPECT_TRUE(a.hdng[r] >= 0 && a.hdng[r] <= 359) << a.id;
      EXPECT_TRUE(a.len[r] == 0 || (a.num[r] >= 1 && a.num[r] <= 36)) << a.id;
    }
}

TEST_F(WorldgenNavfiles, GeneratedDatabaseKeepsEveryRegionListWithinSeventy) {
  std::vector<apt_rec> apts = read_apt(world_dir() + "apt_dat");
  std::vector<nav_rec> navs = read_nav(world_dir() + "nav_dat");
  for (int lat = WORLD_LAT0; lat < WORLD_LAT1 - 1; lat++)
    for (int lon = WORLD_LON0; lon < WORLD_LON1 - 2; lon++) {
      auto inside = [&](float la, float lo) { return la >= lat && la <= lat + 2 && lo >= lon && lo <= lon + 3; };
      int na = 0, nv = 0, nn = 0;
      for (const apt_rec& a : apts) na += inside(a.lat[0], a.lon[0]);
      for (const nav_rec& n : navs) nv += n.type == NAV_VOR && inside(n.lat, n.lon), nn += n.type == NAV_NDB && inside(n.lat, n.lon);
      ASSERT_LE(na, MAX_REGION_LIST) << lat << " " << lon;
      ASSERT_LE(nv, MAX_REGION_LIST) << lat << " " << lon;
      ASSERT_LE(nn, MAX_REGION_LIST) << lat << " " << lon;
    }
}

TEST_F(WorldgenNavfiles, NoTwoAidsShareAFrequencyWithinReceptionOfEachOther) {
  std::vector<nav_rec> navs = read_nav(world_dir() + "nav_dat");
  int generated_pairs = 0;
  for (size_t i = 0; i < navs.size(); i++)
    for (size_t j = i + 1; j < navs.size(); j++) {
      const nav_rec &a = navs[i], &b = navs[j];
      auto band = [](int t) { return t == NAV_VOR || t == NAV_ILS || t == NAV_LOC ? 1 : (t == NAV_NDB ? 2 : 0); };
      if (!band(a.type) || band(a.type) != band(b.type) || key_of(a) != key_of(b)) continue;
      // Our approach aids are the ones the generator numbers; authored stations keep their
      // real frequencies, so pairs of those are not the generator's to change.
      int ours = a.type == NAV_ILS || b.type == NAV_ILS || a.name.find(" LOM ") != std::string::npos ||
                 b.name.find(" LOM ") != std::string::npos;
      if (!ours) continue;
      generated_pairs++;
      EXPECT_GE(flat_deg(a.lat, a.lon, b.lat, b.lon), conflict_distance(a.type, b.type))
          << a.name << " / " << b.name << " on " << key_of(a);
    }
  EXPECT_GT(generated_pairs, 0);  // channels are reused at a distance, so pairs exist to check
}
