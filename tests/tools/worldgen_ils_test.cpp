// Generated approaches: ILS geometry, channels, lighting codes, fix names and the thinning of
// crowded regions.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "worldgen_fixture.h"

namespace {

const double M_PER_DEG = 111120.0, FT = 0.3048, RAD = 3.14159265358979 / 180;

// Position of a point relative to a runway centre: metres along the given heading and to its right.
void runway_frame(const wg_runway& r, int hdng, float lat, float lon, double* along, double* right) {
  double n = (lat - r.lat) * M_PER_DEG, e = (lon - r.lon) * M_PER_DEG * std::cos(r.lat * RAD);
  double s = std::sin(hdng * RAD), c = std::cos(hdng * RAD);
  *along = e * s + n * c;
  *right = e * c - n * s;
}

const wg_navaid* find(int type, const char* name_part) {
  for (const wg_navaid& n : wg.nav)
    if (n.type == type && n.name.find(name_part) != std::string::npos) return &n;
  return nullptr;
}

wg_airport towered(const char* id, float lat, float lon, int len) {
  wg_airport a{};
  std::snprintf(a.id, sizeof a.id, "%-4.4s", id);
  a.lat = lat, a.lon = lon, a.twr = 1, a.elev_ft = 100, a.name = id;
  wg_runway r{};
  r.lat = lat, r.lon = lon, r.num = 9, r.lr = 'x', r.hdng = 90, r.len_ft = len, r.width_ft = 150;
  r.edge = LIGHT_HIGH;
  r.ils_want[0] = r.ils_want[1] = -1;
  a.rwy.push_back(r);
  return a;
}

}  // namespace

using WorldgenIls = WorldgenTest;

TEST_F(WorldgenIls, AidsStandOnTheCourseAtTheirUsualDistances) {
  // Heading 40 degrees at 45 N: a slanted course at a latitude where degrees of longitude shrink.
  wg.apt.push_back(towered("TST", 45.0f, -100.0f, 8000));
  wg.apt[0].rwy[0].hdng = 40;
  wg.apt[0].rwy[0].num = 4;
  wg.apt[0].rwy[0].ils_want[0] = 1, wg.apt[0].rwy[0].ils_want[1] = 0;
  generate_ils();
  const wg_runway& r = wg.apt[0].rwy[0];
  const double half = 4000 * FT;
  double along, right;
  const wg_navaid* loc = find(NAV_ILS, "ILS 04");
  ASSERT_NE(loc, nullptr);
  EXPECT_EQ(loc->hdng, 40);
  runway_frame(r, 40, loc->lat, loc->lon, &along, &right);
  EXPECT_NEAR(along, half + 1000 * FT, 3);  // beyond the far end, on the centreline
  EXPECT_NEAR(right, 0, 3);

  const wg_navaid* gs = find(NAV_GS, "GS 04");
  ASSERT_NE(gs, nullptr);
  EXPECT_EQ(gs->key, loc->key);  // the receiver finds the glide slope by its localizer's channel
  runway_frame(r, 40, gs->lat, gs->lon, &along, &right);
  EXPECT_NEAR(along + half, 1000 * FT, 3);  // abeam the touchdown zone
  EXPECT_NEAR(std::fabs(right), 400 * FT, 3);
  // A 3-degree path through the antenna crosses the threshold at about 50 ft.
  EXPECT_NEAR((along + half) * std::tan(3 * RAD) / FT, 50, 5);

  const double want[3] = {3.9 * 1852, 3500 * FT, 1000 * FT};
  for (int m = 0; m < 3; m++) {
    const wg_navaid* mk = find(NAV_OM + m, " 04");
    ASSERT_NE(mk, nullptr);
    runway_frame(r, 40, mk->lat, mk->lon, &along, &right);
    EXPECT_NEAR(-(along + half), want[m], 5) << m;
    EXPECT_NEAR(right, 0, 3);
  }
  EXPECT_NE(find(NAV_NDB, "LOM 04"), nullptr);
  ASSERT_EQ(wg.fix.size(), 2u);
  runway_frame(r, 40, wg.fix[1].lat, wg.fix[1].lon, &along, &right);
  EXPECT_NEAR(-(along + half), 12 * 1852, 10);
  EXPECT_NEAR(right, 0, 5);
}

TEST_F(WorldgenIls, EndsFollowLengthTowerAndWind) {
  wg.apt.push_back(towered("AAA", 35, -100, 7000));   // one end, the westerly one (27)
  wg.apt.push_back(towered("BBB", 35, -101, 11000));  // both ends
  wg.apt.push_back(towered("CCC", 35, -102, 5000));   // too short
  wg.apt.push_back(towered("DDD", 35, -103, 9000));
  wg.apt[3].twr = 0;  // no tower
  generate_ils();
  const int ends[4][2] = {{0, 1}, {1, 1}, {0, 0}, {0, 0}};
  for (int a = 0; a < 4; a++) {
    EXPECT_EQ(wg.apt[a].rwy[0].ils[0], ends[a][0]) << a;
    EXPECT_EQ(wg.apt[a].rwy[0].ils[1], ends[a][1]) << a;
  }
  // An ILS end gets approach lights, a non-ILS end of the same runway does not.
  int code = lighting_code(wg.apt[0].rwy[0], 1);
  EXPECT_EQ(code / 1000 % 10, 2);
  EXPECT_EQ(code % 1000 % 10, 4);
}

TEST_F(WorldgenIls, LightingCodesStayWithinTheDecodableDigits) {
  for (int edge = LIGHT_NONE; edge <= LIGHT_HIGH; edge++)
    for (int len : {400, 3000, 8000, 12000}) {
      wg_runway r{};
      r.edge = edge, r.len_ft = len, r.ils[1] = 1;
      int code = lighting_code(r, 1);
      for (int v : {code / 1000, code % 1000})
        EXPECT_TRUE(v / 100 >= 1 && v / 100 <= 3 && v / 10 % 10 >= 1 && v / 10 % 10 <= 5 && v % 10 >= 1 && v % 10 <= 6)
            << code;
    }
}

TEST_F(WorldgenIls, LocatorsStopWhenTheRegionListIsFull) {
  for (int k = 0; k < 80; k++) wg.apt.push_back(towered(("L" + std::to_string(k)).c_str(), 40 + 0.01f * k, -90, 7000));
  generate_ils();
  int ils = 0, ndb = 0;
  for (const wg_navaid& n : wg.nav) ils += n.type == NAV_ILS, ndb += n.type == NAV_NDB;
  EXPECT_EQ(ils, 80);
  EXPECT_EQ(ndb, MAX_REGION_LIST);
}

TEST_F(WorldgenIls, ChannelsArePairedIlsFrequenciesAndSpreadInACrowd) {
  std::set<int> keys;
  for (int k = 0; k < ils_channel_count(); k++) {
    int key = ils_channel(k);
    EXPECT_TRUE(key >= 10810 && key <= 11195) << key;
    EXPECT_EQ(key / 10 % 2, 1) << key;  // odd tenths: the localizer half of the band
    keys.insert(key);
  }
  EXPECT_EQ(keys.size(), 40u);

  // Thirty single-ILS airports within a degree take thirty different channels; a pinned
  // frequency is honoured and left to its airport alone.
  for (int k = 0; k < 30; k++) wg.apt.push_back(towered(("T" + std::to_string(k)).c_str(), 40 + 0.03f * k, -90, 7000));
  wg.apt[5].rwy[0].ils_freq[1] = 11170;
  generate_ils();
  std::set<int> ils, ndb;
  for (const wg_navaid& n : wg.nav) {
    EXPECT_TRUE(n.type != NAV_ILS || ils.insert(n.key).second) << n.key;
    EXPECT_TRUE(n.type != NAV_NDB || ndb.insert(n.key).second) << n.key;
  }
  EXPECT_EQ(ils.size(), 30u);
  EXPECT_EQ(find(NAV_ILS, "T5 ILS")->key, 11170);
}

TEST_F(WorldgenIls, FixNamesAreFiveLettersAndUnique) {
  for (int k = 0; k < 200; k++) wg.apt.push_back(towered(("F" + std::to_string(k)).c_str(), 30 + k * 0.1f, -80, 11000));
  generate_ils();
  std::set<std::string> names;
  for (const wg_fix& f : wg.fix) {
    ASSERT_EQ(std::strlen(f.name), 5u);
    for (int c = 0; c < 5; c++) EXPECT_TRUE(f.name[c] >= 'A' && f.name[c] <= 'Z');
    EXPECT_TRUE(names.insert(f.name).second) << f.name;
  }
  EXPECT_EQ(names.size(), 800u);
  char a[6], b[6];
  fix_name_from(12345, a);
  fix_name_from(12345, b);
  EXPECT_STREQ(a, b);
}

// 100 fields in one region: the kept ones, then scheduled service, then size, then the longest
// runway win the 70 places, whatever order the fields come in.
TEST_F(WorldgenIls, CrowdedRegionKeepsSeventyByImportanceTheSameEachBuild) {
  std::vector<wg_airport> all;
  for (int k = 0; k < 100; k++) {
    wg_airport a = towered(("C" + std::to_string(k)).c_str(), 40.5f + 0.005f * k, -90.5f, 3000 + k);
    a.keep = k >= 95;
    a.scheduled = k < 20;
    a.size = k < 40 ? SIZE_SMALL : SIZE_MEDIUM;
    all.push_back(a);
  }
  all.push_back(all[0]);
  all.back().rwy.clear();  // no runway: never written
  std::vector<std::string> first;
  for (int order = 0; order < 2; order++) {
    wg.apt = all;
    if (order == 1) std::reverse(wg.apt.begin(), wg.apt.end());
    thin_to_capacities();
    ASSERT_EQ(wg.apt.size(), 70u);
    std::vector<std::string> ids;
    for (const wg_airport& a : wg.apt) {
      ids.push_back(a.id);
      EXPECT_FALSE(a.rwy.empty());
    }
    if (order == 0) first = ids;
    EXPECT_EQ(ids, first);  // the same choice, in the same order
  }
  // Kept 99..95 first, the scheduled 19..0 next, then the medium fields 40..94 (longest first):
  // 45 of those 55 fit.
  EXPECT_EQ(first[0], "C99 ");
  EXPECT_EQ(first[4], "C95 ");
  EXPECT_EQ(first[5], "C19 ");
  EXPECT_EQ(first[25], "C94 ");
  EXPECT_EQ(first[69], "C50 ");
}
