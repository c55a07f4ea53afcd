// The navigation text files read by the simulator's own reader: records field for field, and the
// generated database's favourites, capacities and frequency plan.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "shared/shared.h"
#include "support/test_support.h"
#include "world/world.h"
#include "worldgen.h"

namespace {

float flat_deg(float a, float b, float c, float d) {
  return std::sqrt((a - c) * (a - c) + (b - d) * (b - d));
}

// The aid's frequency band: VOR and localizer receivers, or the ADF.
int band(int type) {
  return type == NAV_VOR || type == NAV_ILS || type == NAV_LOC ? 1 : (type == NAV_NDB ? 2 : 0);
}

}  // namespace

// The generated database is read from the program folder the build lays out.
class WorldgenNavfiles : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_wg();
    init_constants();
    init_country_data();
  }
};

TEST_F(WorldgenNavfiles, RecordsReadBackFieldForField) {
  std::ofstream("src.txt") << "airport 7X4 40.5 -100.25 2500 notower \"Long-Name Field With A Name "
                              "Longer Than The Limit\"\n"
                              "runway 09L/27R 5000 75 true 95 unlit\n"
                              "runway 18/36 2000 50 at 40.51 -100.24\n"
                              "vor ABC 40.6 -100.1 2600 113.90 \"Alpha\"\n"
                              "ndb QR 40.7 -100.2 2400 362 \"Quebec\"\n";
  ASSERT_EQ(read_world_source("src.txt"), 1);
  ASSERT_EQ(wg.errors, 0);
  wg.fix.push_back({40.25f, -100.5f, {'B', 'A', 'K', 'E', 'R', 0}});
  std::filesystem::create_directories("records/world");
  ASSERT_EQ(write_nav_files("records/world/"), 1);
  const std::string runtime = app_path;
  std::snprintf(app_path, STR_SIZE, "%s/records/", std::filesystem::current_path().c_str());
  init_country_data();
  std::snprintf(app_path, STR_SIZE, "%s", runtime.c_str());

  ASSERT_EQ(env.aptmax, 0);
  EXPECT_STREQ(apt_id[0], "7X4 ");
  EXPECT_EQ(std::string(apt_name[0]).size(), 39u);
  EXPECT_EQ(std::string(apt_name[0]).substr(0, 14), "Long Name Fiel");
  // 5000 by 75 ft, unlit: every kind of light "none" on both ends.
  EXPECT_EQ((std::vector<int>{apt_num[0][0], apt_lr[0][0], apt_hdng[0][0], apt_len[0][0],
                              apt_width[0][0], apt_lite[0][0]}),
            (std::vector<int>{9, 'L', 95, 1524, 22, 111111}));
  EXPECT_NEAR(apt_lat[0][1], 40.51f, 1e-5);
  EXPECT_EQ(apt_lr[0][1], 'x');
  EXPECT_EQ(apt_len[0][2], 0);  // the empty third slot holds no runway
  EXPECT_FLOAT_EQ(apt_h[0], 2500 * 0.3048f);
  EXPECT_EQ(apt_twr[0], 0);

  ASSERT_EQ(env.navmax, 3 + 2);  // three records, then the carrier's two slots
  EXPECT_EQ((std::vector<int>{nav_type[0], nav_f12[0]}), (std::vector<int>{NAV_VOR, 11390}));
  EXPECT_STREQ(nav_id[0], "ABC ");
  EXPECT_STREQ(nav_name[0], "Alpha");
  EXPECT_EQ((std::vector<int>{nav_type[1], nav_f12[1]}), (std::vector<int>{NAV_NDB, 362}));
  EXPECT_STREQ(nav_id[1], "QR  ");
  // The last record before the end is the placeholder the carrier's glide slope overwrites.
  EXPECT_EQ(nav_type[2], NAV_GS);
  EXPECT_STREQ(nav_name[2], "USS Enterprise");

  EXPECT_FLOAT_EQ(fix_lat[0], 40.25f);
  EXPECT_FLOAT_EQ(fix_lon[0], -100.5f);
  EXPECT_STREQ(fix_name[0], "BAKER");
  EXPECT_FLOAT_EQ(fix_lat[1], -999.0f);  // the end record is not a fix
}

// That the factory radios reach a station at the first-run airport is the world tests' to show,
// with the receivers' own code.
TEST_F(WorldgenNavfiles, GeneratedDatabaseHoldsTheFavouritesOnceAndRunwaysInRange) {
  ASSERT_GE(env.aptmax, 0);
  for (const char* id : {"SBD ", "TRM ", "BKL ", "CGX "}) {
    int found = 0;
    for (int n = 0; n <= env.aptmax; n++) found += std::string(apt_id[n]) == id;
    EXPECT_EQ(found, 1) << id;
  }
  for (int n = 0; n <= env.aptmax; n++)
    for (int r = 0; r < 3; r++) {
      EXPECT_TRUE(apt_len[n][r] == 0 || (apt_num[n][r] >= 1 && apt_num[n][r] <= 36)) << apt_id[n];
      // A runway 'R' lies to the right of its 'L', seen along their heading.
      for (int l = 0; l < 3; l++)
        if (apt_len[n][r] > 0 && apt_len[n][l] > 0 && apt_lr[n][r] == 'R' &&
            apt_lr[n][l] == 'L' && apt_num[n][r] == apt_num[n][l]) {
          const float north = apt_lat[n][r] - apt_lat[n][l],
                      east = (apt_lon[n][r] - apt_lon[n][l]) * icos(intround(apt_lat[n][l]));
          EXPECT_GT(east * icos(apt_hdng[n][l]) - north * isin(apt_hdng[n][l]), 0.0f) << apt_id[n];
        }
    }
}

TEST_F(WorldgenNavfiles, GeneratedDatabaseKeepsEveryRegionListWithinSeventy) {
  for (int lat = WORLD_LAT0; lat < WORLD_LAT1 - 1; lat++)
    for (int lon = WORLD_LON0; lon < WORLD_LON1 - 2; lon++) {
      auto inside = [&](float la, float lo) {
        return la >= lat && la <= lat + 2 && lo >= lon && lo <= lon + 3;
      };
      int na = 0, nv = 0, nn = 0;
      for (int n = 0; n <= env.aptmax; n++) na += inside(apt_lat[n][0], apt_lon[n][0]);
      for (int n = 0; n <= env.navmax; n++)
        nv += nav_type[n] == NAV_VOR && inside(nav_lat[n], nav_lon[n]),
            nn += nav_type[n] == NAV_NDB && inside(nav_lat[n], nav_lon[n]);
      ASSERT_LE(na, MAX_REGION_LIST) << lat << " " << lon;
      ASSERT_LE(nv, MAX_REGION_LIST) << lat << " " << lon;
      ASSERT_LE(nn, MAX_REGION_LIST) << lat << " " << lon;
    }
}

TEST_F(WorldgenNavfiles, NoTwoAidsShareAFrequencyWithinReceptionOfEachOther) {
  int generated_pairs = 0;
  for (int i = 0; i <= env.navmax; i++)
    for (int j = i + 1; j <= env.navmax; j++) {
      if (!band(nav_type[i]) || band(nav_type[i]) != band(nav_type[j]) || nav_f12[i] != nav_f12[j])
        continue;
      // Our approach aids are the ones the generator numbers; authored stations keep their
      // real frequencies, so pairs of those are not the generator's to change.
      const std::string a = nav_name[i], b = nav_name[j];
      if (nav_type[i] != NAV_ILS && nav_type[j] != NAV_ILS &&
          a.find(" LOM ") == std::string::npos && b.find(" LOM ") == std::string::npos)
        continue;
      generated_pairs++;
      EXPECT_GE(flat_deg(nav_lat[i], nav_lon[i], nav_lat[j], nav_lon[j]),
                conflict_distance(nav_type[i], nav_type[j]))
          << a << " / " << b << " on " << nav_f12[i];
    }
  EXPECT_GT(generated_pairs, 0);  // channels are reused at a distance, so pairs exist to check
}

// A hub, a country field, a seaplane base and a heliport of the generated world at the real
// places and elevations of the open data (to about a metre): runway centres between their
// surveyed ends, runways without ends at the reference point, elevations to the foot. The
// database holds thousands of fields, and the extras pair with them.
TEST_F(WorldgenNavfiles, RealFieldsStandWhereTheDataPutsThem) {
  const int count = env.aptmax + 1;
  EXPECT_GT(count, 5000);
  struct field {
    const char* id;
    float lat, lon;  // centre of the runway of that length
    int len_ft, elev_ft, kind, hdng;
    char lr;
  } fields[] = {
      // Atlanta's 08R/26L between its ends 33.646801 -84.438400 and 33.646801 -84.405502.
      {"ATL ", 33.646801f, -84.421951f, 9999, 1026, APT_KIND_AIRPORT, 90, 'R'},
      // Mondell Field, Newcastle WY: 14/32 between 43.891201 -104.321999 and 43.879501 -104.309998.
      {"ECS ", 43.885351f, -104.315999f, 5310, 4174, APT_KIND_AIRPORT, 144, 'x'},
      // Lindey's Landing West on Seeley Lake, MT: a water lane at the reference point.
      {"M35 ", 47.174400f, -113.480003f, 14000, 3993, APT_KIND_SEAPLANE, -1, 'W'},
      // Downtown Manhattan Heliport: its 62 ft pad at the reference point.
      {"JRB ", 40.700711f, -74.008573f, 62, 7, APT_KIND_HELIPORT, -1, 'x'},
  };
  for (const field& f : fields) {
    int n = 0;
    while (n < count && std::string(apt_id[n]) != f.id) n++;
    ASSERT_LT(n, count) << f.id;
    // The reader keeps whole metres of runway length, truncated from the file's feet.
    const int len_m = static_cast<int>(f.len_ft * con.fttomtrs);
    int r = 0;
    while (r < 2 && apt_len[n][r] != len_m) r++;
    EXPECT_EQ(apt_len[n][r], len_m) << f.id;
    EXPECT_EQ(apt_lr[n][r], f.lr) << f.id;
    EXPECT_EQ(apt_kind[n], f.kind) << f.id;
    EXPECT_NEAR(apt_h[n] * con.mtrstoft, f.elev_ft, 0.5f) << f.id;
    EXPECT_NEAR(apt_lat[n][r], f.lat, 1e-5) << f.id;
    EXPECT_NEAR(apt_lon[n][r], f.lon, 1e-5) << f.id;
    if (f.hdng >= 0) {
      EXPECT_EQ(apt_hdng[n][r], f.hdng) << f.id;
    }
  }
}
