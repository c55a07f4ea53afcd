// Terrain quadrants: names and folders, the file layout, continuity across borders, the water
// mask at known places and the heights at airports and on water.
#include <cmath>
#include <cstring>

#include "support/test_support.h"
#include "worldgen.h"

namespace {

struct vertex {
  float lat, lon, h;
  int32_t flags;
};

// Reads a quadrant file of the generated world: marker, version, 80 x 60 vertices, objects to 99.
std::vector<vertex> read_quadrant_file(int lat, int lon) {
  std::string path = std::string(KESTRIX_RUNTIME_DIR) + "/world/" + quadrant_folder(lat, lon) + "/" + quadrant_file(lat, lon);
  const std::string b = read_file(path);
  EXPECT_EQ(b.size(), 5u + 80 * 60 * 16 + 24) << path;
  if (b.size() != 5u + 80 * 60 * 16 + 24) return {};
  EXPECT_EQ(b[0], 'i');
  int32_t version, end_type;
  std::memcpy(&version, &b[1], 4);
  std::memcpy(&end_type, &b[5 + 80 * 60 * 16], 4);
  EXPECT_EQ(version, 3);
  EXPECT_EQ(end_type, 99);
  std::vector<vertex> v(80 * 60);
  std::memcpy(v.data(), &b[5], v.size() * 16);
  return v;
}

const vertex& at(const std::vector<vertex>& q, int i, int j) { return q[j * 60 + i]; }

}  // namespace

TEST(WorldgenTerrain, QuadrantNamesAndTileFolders) {
  EXPECT_EQ(quadrant_folder(34, -118) + "/" + quadrant_file(34, -118), "+030-120/+034-118.env");
  EXPECT_EQ(quadrant_folder(30, -120), "+030-120");  // on the tens: its own folder
  EXPECT_EQ(quadrant_folder(29, -121), "+020-130");
  EXPECT_EQ(quadrant_folder(0, 0) + quadrant_file(0, 0), "+000+000+000+000.env");
  EXPECT_EQ(quadrant_folder(-5, -1) + quadrant_file(-5, -1), "-010-010-005-001.env");
  EXPECT_EQ(quadrant_folder(-60, -180), "-060-180");
  EXPECT_EQ(quadrant_folder(49, 179), "+040+170");
}

TEST(WorldgenTerrain, BordersAreSharedExactlyWithTheNeighbours) {
  // Mountains east of Los Angeles and the Lake Erie shore: relief on both sides of each border.
  for (auto c : {std::make_pair(34, -118), std::make_pair(41, -82)}) {
    std::vector<vertex> q = read_quadrant_file(c.first, c.second);
    std::vector<vertex> east = read_quadrant_file(c.first, c.second + 1);
    std::vector<vertex> north = read_quadrant_file(c.first + 1, c.second);
    ASSERT_FALSE(q.empty() || east.empty() || north.empty());
    // The vertices lie on the lattice of the quadrant's corner, and carry only the water bits.
    EXPECT_FLOAT_EQ(at(q, 0, 0).lat, (float)c.first);
    EXPECT_FLOAT_EQ(at(q, 59, 79).lon, (float)c.second + 1);
    EXPECT_NEAR(at(q, 10, 20).lat, c.first + 20.0 / 79, 1e-5);
    EXPECT_NEAR(at(q, 10, 20).lon, c.second + 10.0 / 59, 1e-5);
    for (const vertex& v : q) EXPECT_TRUE(v.flags == 0 || v.flags == 6) << v.flags;
    float spread = 0;
    for (int j = 0; j < 80; j++) {
      EXPECT_EQ(bytes_of(at(q, 59, j)), bytes_of(at(east, 0, j))) << j;  // the same vertex
      // Continuous, not merely equal at the seam: the next vertex inland is a small step away.
      EXPECT_LT(std::fabs(at(q, 58, j).h - at(east, 1, j).h), 400.0f);
      spread = std::max(spread, std::fabs(at(q, 59, j).h - at(q, 59, 0).h));
    }
    for (int i = 0; i < 60; i++) EXPECT_EQ(at(q, i, 79).h, at(north, i, 0).h) << i;
    EXPECT_GT(spread, 1.0f);
  }
}

TEST(WorldgenTerrain, NoiseIsContinuousAndBounded) {
  float lo = 0, hi = 0;
  for (int k = 0; k < 2000; k++) {
    double x = k * 0.731, y = k * 0.377 - 300;
    float v = gradient_noise(x, y);
    lo = std::min(lo, v), hi = std::max(hi, v);
    EXPECT_LT(std::fabs(gradient_noise(x + 1e-4, y) - v), 1e-3);
  }
  EXPECT_TRUE(lo < -0.3f && lo >= -1.5f && hi > 0.3f && hi <= 1.5f) << lo << " " << hi;
}

TEST(WorldgenTerrain, WaterMaskMatchesTheMap) {
  water_mask m;
  ASSERT_EQ(read_mask_file(KESTRIX_SOURCE_DIR "/tools/worldgen/data/watermask.rle", &m), 1);
  EXPECT_EQ(mask_at(m, 41.86, -87.45), MASK_LAKE);   // Lake Michigan east of Meigs Field
  EXPECT_EQ(mask_at(m, 41.60, -81.70), MASK_LAKE);   // Lake Erie off Burke Lakefront
  EXPECT_EQ(mask_at(m, 33.70, -118.60), MASK_OCEAN); // the Pacific off Los Angeles
  EXPECT_EQ(mask_at(m, 40.50, -73.70), MASK_OCEAN);  // the Atlantic off New York
  EXPECT_EQ(mask_at(m, 27.00, -90.00), MASK_OCEAN);  // the Gulf of Mexico
  EXPECT_EQ(mask_at(m, 33.30, -115.80), MASK_LAKE);  // the Salton Sea beside Thermal
  EXPECT_EQ(mask_at(m, 39.74, -104.99), MASK_LAND);  // Denver
  EXPECT_EQ(mask_at(m, 34.10, -117.23), MASK_LAND);  // San Bernardino
  EXPECT_EQ(mask_at(m, 38.00, -98.00), MASK_LAND);   // Kansas
  // The lakeshore fields have water within two cells.
  for (auto p : {std::make_pair(41.5175, -81.6833), std::make_pair(41.8586, -87.6079)}) {
    int water = 0;
    for (int dj = -2; dj <= 2; dj++)
      for (int di = -2; di <= 2; di++) water |= mask_at(m, p.first + dj / 79.0, p.second + di / 59.0) == MASK_LAKE;
    EXPECT_TRUE(water) << p.first;
  }
}

TEST(WorldgenTerrain, MaskSurvivesRunLengthCodingAndRejectsDamage) {
  water_mask a;
  a.cols = 300, a.rows = 3, a.lon0 = -100, a.lat0 = 40;
  a.c.assign(900, MASK_LAND);
  for (int k = 0; k < 200; k++) a.c[k] = MASK_OCEAN;  // a run longer than one length byte holds
  a.c[450] = MASK_LAKE;
  std::vector<uint8_t> bytes;
  ASSERT_EQ(encode_mask(a, &bytes), 1);
  water_mask b;
  ASSERT_EQ(decode_mask(bytes, &b), 1);
  EXPECT_EQ(b.c, a.c);
  EXPECT_EQ(b.lat0, 40);
  EXPECT_EQ(mask_at(b, 40 + 1.5 / 79, -100 + 150.5 / 59), MASK_LAKE);  // row 1, column 150
  EXPECT_EQ(mask_at(b, 40 + 0.5 / 79, -100 + 150.5 / 59), MASK_OCEAN);
  EXPECT_EQ(mask_at(b, 50.0, -97.0), MASK_LAND);  // outside
  std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
  EXPECT_EQ(decode_mask(cut, &b), 0);
  std::vector<uint8_t> bad = bytes;
  bad[20] = 200;  // the first run's class
  EXPECT_EQ(decode_mask(bad, &b), 0);
  bad = bytes;
  bad[8] = 0x7f;  // rows: far more than the data holds
  EXPECT_EQ(decode_mask(bad, &b), 0);
}

TEST(WorldgenTerrain, AirportsSitLevelAndWaterAtItsLevel) {
  // San Bernardino (1159 ft) in quadrant (34, -118): the nearest vertex is at field elevation.
  std::vector<vertex> q = read_quadrant_file(34, -118);
  ASSERT_FALSE(q.empty());
  int i = (int)std::lround((-117.2349 + 118) * 59), j = (int)std::lround((34.0954 - 34) * 79);
  EXPECT_NEAR(at(q, i, j).h, 1159 * 0.3048, 3.0);
  // Lake Michigan east of Meigs Field lies at 577 ft; the sea off Los Angeles at 0.
  std::vector<vertex> chi = read_quadrant_file(41, -88);
  ASSERT_FALSE(chi.empty());
  const vertex& lake = at(chi, (int)std::lround((-87.3 + 88) * 59), (int)std::lround((41.86 - 41) * 79));
  EXPECT_EQ(lake.flags, 6);
  EXPECT_NEAR(lake.h, 577 * 0.3048, 0.5);
  std::vector<vertex> la = read_quadrant_file(33, -119);
  ASSERT_FALSE(la.empty());
  const vertex& sea = at(la, (int)std::lround((-118.6 + 119) * 59), (int)std::lround((33.7 - 33) * 79));
  EXPECT_EQ(sea.flags, 6);
  EXPECT_EQ(sea.h, 0.0f);
  // Land next to the lake is not below it.
  for (const vertex& v : chi) {
    if (v.flags == 0 && v.lon > -87.7f && v.lat > 41.6f) {
      EXPECT_GE(v.h, 577 * 0.3048 - 0.5) << v.lat << " " << v.lon;
    }
  }
}

// Every vertex within 500 m of a runway's centreline lies at the field elevation, on both sides
// of the degree line it crosses (east-west along a row of vertices, so that some lie on it); a
// water lane leaves the lake at its own level.
TEST(WorldgenTerrain, RunwaysLieAtFieldElevationAcrossDegreeLines) {
  reset_wg();
  water_mask m{2 * QUAD_CELLS_I, 2 * QUAD_CELLS_J, -118, 34, {}};
  m.c.assign((size_t)m.cols * m.rows, MASK_LAND);
  for (int j = 100; j < 120; j++)
    for (int i = 20; i < 40; i++) m.c[(size_t)j * m.cols + i] = MASK_LAKE;  // round 35.4 N 117.5 W
  const float lat0 = 34.0f + 40.0f / QUAD_CELLS_J;
  wg_airport a{};
  a.elev_ft = 3000, a.lat = lat0, a.lon = -117.0f, a.kind = APT_KIND_AIRPORT;
  a.rwy.push_back(wg_runway{});
  wg_runway& r = a.rwy[0];
  r.lat = lat0, r.lon = -117.0f, r.hdng = 90, r.len_ft = 12000, r.width_ft = 150, r.surface = SURF_ASPHALT;
  wg_airport sea = a;
  sea.elev_ft = 6000, sea.lat = sea.rwy[0].lat = 35.4f, sea.lon = sea.rwy[0].lon = -117.5f;
  sea.rwy[0].surface = SURF_WATER;
  wg.apt = {a, sea};
  world_heights w;
  build_heights(m, nullptr, &w);
  int sides[2] = {0, 0};
  for (int J = 0; J < w.rows; J++)
    for (int I = 0; I < w.cols; I++) {
      double north = ((double)J / QUAD_CELLS_J - 40.0 / QUAD_CELLS_J) * 111120;
      double east = ((double)I / QUAD_CELLS_I - 1.0) * 111120 * std::cos(lat0 * 3.14159265 / 180);
      if (std::fabs(east) > 12000 * 0.3048 / 2 || std::fabs(north) > 500) continue;
      sides[I < QUAD_CELLS_I]++;
      EXPECT_FLOAT_EQ(w.h[(size_t)J * w.cols + I], 3000 * 0.3048f) << I << " " << J;
    }
  EXPECT_TRUE(sides[0] > 0 && sides[1] > 0);
  size_t I = 30, J = 110;
  EXPECT_EQ(w.h[J * w.cols + I], w.level[J * m.cols + I]);
  EXPECT_NE(w.h[J * w.cols + I], 6000 * 0.3048f);
}

// A valley field beside a high one: the spread of their elevations makes rough relief, yet the
// ground round the valley field never rises above a 40-to-1 surface from the vertex at its
// reference point (with the chamfer distance's slack of up to a tenth), while the mountains round
// the high field keep their height.
TEST(WorldgenTerrain, GroundRoundAFieldStaysBelowItsClimbOutSurface) {
  reset_wg();
  water_mask m{2 * QUAD_CELLS_I, 2 * QUAD_CELLS_J, -118, 34, {}};
  m.c.assign((size_t)m.cols * m.rows, MASK_LAND);
  wg_airport valley{};
  valley.elev_ft = 1000, valley.lat = 34.5f, valley.lon = -117.5f, valley.kind = APT_KIND_AIRPORT;
  wg_airport high = valley;
  high.elev_ft = 8000, high.lat = 35.2f, high.lon = -116.5f;
  wg.apt = {valley, high};
  world_heights w;
  build_heights(m, nullptr, &w);
  const double c = std::cos(34.5 * 3.14159265 / 180);
  float highest = 0;
  for (int J = 0; J < w.rows; J++)
    for (int I = 0; I < w.cols; I++) {
      double lat = 34.0 + (double)J / QUAD_CELLS_J, lon = -118.0 + (double)I / QUAD_CELLS_I;
      const double seed_lat = 34.0 + std::round(0.5 * QUAD_CELLS_J) / QUAD_CELLS_J;
      const double seed_lon = -118.0 + std::round(0.5 * QUAD_CELLS_I) / QUAD_CELLS_I;
      double d = std::hypot((lat - seed_lat) * 111120, (lon - seed_lon) * 111120 * c);
      const float h = w.h[(size_t)J * w.cols + I];
      highest = std::max(highest, h);
      if (d < 40000) {
        EXPECT_LE(h, 1000 * 0.3048 + 0.025 * d * 1.12 + 0.5) << I << " " << J;
      }
    }
  EXPECT_GT(highest, 8000 * 0.3048f);
}
