// What a chart collects from the database and how it labels it: the scales at which the small
// items show, the rank order, labels that never overlap, runways to scale along their heading,
// and what a click on a symbol tells.
#include "map_fixture.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

class RenderMapItems : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    flt.lat = 34.0f, flt.lon = -117.0f;
    std::memset(apt_id, 0, sizeof apt_id);
    std::memset(apt_len, 0, sizeof apt_len);
    std::memset(apt_twr, 0, sizeof apt_twr);
    std::memset(nav_type, 0, sizeof nav_type);
    for (int n = 0; n < FIX_MAX; n++) fix_lat[n] = -999.0f;
    env.aptmax = -1, env.navmax = -1;
    v = open(MAP_ENROUTE);
  }
  static int airport(const char* id, float lat, float lon, int tower = 0) {
    const int n = ++env.aptmax;
    std::snprintf(apt_id[n], sizeof apt_id[n], "%-4s", id);
    std::snprintf(apt_name[n], sizeof apt_name[n], "%s FIELD", id);
    apt_lat[n][0] = lat, apt_lon[n][0] = lon;
    apt_len[n][0] = 1200, apt_width[n][0] = 30, apt_hdng[n][0] = 90;
    apt_twr[n] = tower;
    return n;
  }
  static int navaid(int type, const char* id, float lat, float lon, int f12) {
    const int n = ++env.navmax;
    nav_type[n] = type;
    std::snprintf(nav_id[n], sizeof nav_id[n], "%-4s", id);
    std::snprintf(nav_name[n], sizeof nav_name[n], "%s AID", id);
    nav_lat[n] = lat, nav_lon[n] = lon, nav_f12[n] = f12;
    return n;
  }
  static int count(int type) {
    int c = 0;
    for (int k = 0; k < maplist.n_items; k++) c += maplist.items[k].type == type;
    return c;
  }
  mapview* v = nullptr;
};

TEST_F(RenderMapItems, TheSmallItemsShowOnlyAtScalesWhereTheyFitAndRanksComeInOrder) {
  airport("BIG", 34.05f, -117.0f, 1);
  airport("SML", 33.95f, -117.05f);
  airport("FAR", 40.0f, -100.0f);  // far off the chart
  navaid(3, "VOR", 34.0f, -116.9f, 11360);
  navaid(2, "NDB", 34.02f, -117.1f, 350);
  navaid(6, "GS", 34.02f, -117.1f, 11090);  // a glide slope is no chart symbol
  std::snprintf(fix_name[7], sizeof fix_name[7], "TITOK");
  fix_lat[7] = 34.03f, fix_lon[7] = -116.95f;

  const struct {
    float ppnm;
    int ndbs, fixes;
  } scales[] = {{1.0f, 0, 0}, {3.0f, 1, 0}, {10.0f, 1, 1}};
  for (const auto& s : scales) {
    v->ppnm = s.ppnm;
    map_collect(v);
    EXPECT_EQ(count(MAP_ITEM_AIRPORT), 2) << s.ppnm;
    EXPECT_EQ(count(MAP_ITEM_VOR), 1) << s.ppnm;
    EXPECT_EQ(count(MAP_ITEM_NDB), s.ndbs) << s.ppnm;
    EXPECT_EQ(count(MAP_ITEM_FIX), s.fixes) << s.ppnm;
    EXPECT_EQ(count(MAP_ITEM_AIRCRAFT), 1) << s.ppnm;
    for (int k = 1; k < maplist.n_items; k++)
      ASSERT_LE(maplist.items[k - 1].rank, maplist.items[k].rank) << k;
    EXPECT_EQ(maplist.items[0].type, MAP_ITEM_AIRCRAFT);
  }
  // The world map shows the fields alone, every one it covers.
  map_collect(open(MAP_WORLD, 1));
  EXPECT_EQ(count(MAP_ITEM_AIRPORT), 3);
  EXPECT_EQ(count(MAP_ITEM_VOR) + count(MAP_ITEM_NDB) + count(MAP_ITEM_FIX), 0);
}

TEST_F(RenderMapItems, LabelsNeverOverlapEachOtherOrTheSymbolsAndTheBetterRankWins) {
  // A crowd of fields around the centre, far more than there is room to name, and one towered
  // field at its edge, where its neighbours want the same room.
  for (int k = 0; k < 300; k++)
    airport(("F" + std::to_string(k)).c_str(), 34.0f + 0.004f * (k % 20) - 0.04f,
            -117.0f + 0.005f * (k / 20) - 0.04f);
  const int towered = airport("TWR", 34.0f, -116.96f, 1);
  v->ppnm = 20.0f;
  map_collect(v);
  ASSERT_GT(maplist.n_labels, 10);
  EXPECT_LT(maplist.n_labels, 300);
  for (int a = 0; a < maplist.n_labels; a++) {
    const map_label& p = maplist.labels[a];
    ASSERT_GE(p.x, 0);
    ASSERT_GE(p.y, MAP_INFO_H);
    ASSERT_LE(p.x + p.w, MAP_CHART_W);
    ASSERT_LE(p.y + p.h, MAP_CHART_H - MAP_BAR_H);
    for (int b = a + 1; b < maplist.n_labels; b++) {
      const map_label& q = maplist.labels[b];
      ASSERT_FALSE(p.x < q.x + q.w && q.x < p.x + p.w && p.y < q.y + q.h && q.y < p.y + p.h)
          << p.text << " over " << q.text;
    }
    for (int k = 0; k < maplist.n_items; k++) {
      const map_item& it = maplist.items[k];
      ASSERT_FALSE(it.x >= p.x && it.x <= p.x + p.w && it.y >= p.y && it.y <= p.y + p.h)
          << p.text << " covers a symbol";
    }
  }
  bool named = false;
  for (int a = 0; a < maplist.n_labels; a++)
    named |= maplist.items[maplist.labels[a].item].n == towered;
  EXPECT_TRUE(named);
}

TEST_F(RenderMapItems, RunwaysAreDrawnToScaleAlongTheirTrueHeading) {
  const int n = airport("RWY", 34.0f, -117.0f);
  apt_len[n][0] = 3000, apt_width[n][0] = 45;
  v->clat = 34.0f, v->clon = -117.0f, v->ppnm = 100.0f;
  const float len_px = 3000.0f * con.mtrstonm * 100.0f, wide_px = 45.0f * con.mtrstonm * 100.0f;
  for (int hdg : {0, 90, 45, 300}) {
    apt_hdng[n][0] = hdg;
    float c[4][2];
    map_runway_corners(v, n, 0, c);
    // Corners 0..1 are the near end, 2..3 the far end: the far end lies along the heading.
    const float ex = 0.5f * (c[2][0] + c[3][0] - c[0][0] - c[1][0]);
    const float ey = 0.5f * (c[2][1] + c[3][1] - c[0][1] - c[1][1]);
    EXPECT_NEAR(std::hypot(ex, ey), len_px, 0.05f) << hdg;
    EXPECT_NEAR(std::atan2(ex, ey) * con.radtodeg, hdg > 180 ? hdg - 360 : hdg, 0.1f) << hdg;
    EXPECT_NEAR(std::hypot(c[1][0] - c[0][0], c[1][1] - c[0][1]), wide_px, 0.05f) << hdg;
  }
  // Too narrow to see at this scale: never thinner than a line and a half.
  v->ppnm = 0.5f;
  float c[4][2];
  map_runway_corners(v, n, 0, c);
  EXPECT_NEAR(std::hypot(c[1][0] - c[0][0], c[1][1] - c[0][1]), 1.5f, 1e-3f);
}

TEST_F(RenderMapItems, AClickNearASymbolDescribesIt) {
  const int apt = airport("SBD", 34.05f, -117.0f, 1);
  apt_h[apt] = 1159.0f * con.fttomtrs;
  apt_twrf[apt] = 120100;
  navaid(3, "PDZ", 33.95f, -116.9f, 11220);
  flt.lat = 34.0f, flt.lon = -117.1f, flt.psi = 72.0f, env.mvar = -14.0f;
  flt.Y = 1000.0f * con.fttomtrs, flt.v = 0.0f;
  v->ppnm = 20.0f;
  map_collect(v);
  const struct {
    float lat, lon;
    const char* starts;
  } cases[] = {{34.05f, -117.0f, "SBD  SBD FIELD  ELEV 1159 FT  LONGEST RWY 3937 FT  TWR 120.10"},
               {33.95f, -116.9f, "PDZ  PDZ AID  VOR 112.20"},
               {34.0f, -117.1f, "YOU  1000 FT  HDG 058  0 KT"}};
  for (const auto& c : cases) {
    float x, y;
    map_project(v, c.lat, c.lon, &x, &y);
    const int k = map_item_near(x + 3.0f, y - 2.0f, 8.0f);
    ASSERT_GE(k, 0) << c.starts;
    char text[160];
    map_describe_item(k, text, sizeof text);
    EXPECT_EQ(std::string(text), c.starts);
  }
  EXPECT_EQ(map_item_near(5.0f, 300.0f, 8.0f), -1);
}

}  // namespace
