// World data written by the tests themselves, in a fresh program folder per test: the three
// database files and terrain quadrants in the binary environment-file layout.
#pragma once

#include "support/test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace wf {

// Resets what the world reads and points app_path at an empty program folder named after the
// running test.
inline void fresh_world() {
  init_constants();
  reset_env(), reset_scn(), reset_nav(), reset_flt(), reset_ins(), reset_atm();
  std::memset(obs_type, 0, sizeof obs_type);
  std::srand(7);
  const auto* t = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string dir =
      std::filesystem::current_path().string() + "/app_" + t->test_suite_name() + "_" + t->name();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "/world");
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  env.aptmax = env.navmax = -1;
}

inline std::string quadrant_path(int lat, int lon) {
  char name[STR_SIZE];
  return_latlon_str_ENV(lat, lon, name, 1);
  return std::string(app_path) + "world/" + name;
}

struct object {
  std::int32_t type;
  float lat, lon, h_ft;
  std::int32_t i, j;
};
struct quadrant_options {
  std::vector<object> objects;
  std::int32_t version = 3;
  char marker = 'i';             // 'a': every value most significant byte first
  size_t keep_bytes = SIZE_MAX;  // cut the file after this many bytes
  float bad_lat = 0.0f;          // added to the latitude of vertex 0
  bool end_mark = true;          // close the object list with a type-99 record
};
using height_fn = std::function<float(double lat, double lon)>;
using water_fn = std::function<bool(double lat, double lon)>;

// Rolling ground 100..300 m, the same seen from every quadrant, and ground without water.
inline float rolling(double lat, double lon) {
  return static_cast<float>(200.0 + 100.0 * std::sin(lat * 7.0) * std::cos(lon * 5.0));
}
inline bool dry(double, double) { return false; }

// The quadrant whose south-west corner is (lat, lon): 80 x 60 vertices on the lattice, then the
// objects.
inline void write_quadrant(int lat, int lon, const height_fn& h = rolling,
                           const water_fn& water = dry, const quadrant_options& o = {}) {
  std::string bytes(1, o.marker);
  auto put = [&](const void* p) {
    char b[4];
    std::memcpy(b, p, 4);
    if (o.marker == 'a') std::reverse(b, b + 4);
    bytes.append(b, 4);
  };
  put(&o.version);
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      double la = lat + j / 79.0, lo = lon + i / 59.0;
      float v[3] = {static_cast<float>(la) + (i + j == 0 ? o.bad_lat : 0.0f),
                    static_cast<float>(lo), h(la, lo)};
      std::int32_t flags = water(la, lo) ? 6 : 0;
      put(&v[0]), put(&v[1]), put(&v[2]), put(&flags);
    }
  std::vector<object> all = o.objects;
  if (o.end_mark) all.push_back({99, 0, 0, 0, 0, 0});
  for (const object& b : all)
    put(&b.type), put(&b.lat), put(&b.lon), put(&b.h_ft), put(&b.i), put(&b.j);
  std::string path = quadrant_path(lat, lon);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes.substr(0, std::min(o.keep_bytes, bytes.size()));
}

inline void write_quadrants(int lat0, int lon0, int nlat, int nlon, const water_fn& water = dry) {
  for (int a = 0; a < nlat; a++)
    for (int b = 0; b < nlon; b++) write_quadrant(lat0 + a, lon0 + b, rolling, water);
}

struct runway {
  float lat = 0, lon = 0;
  int num = 0;
  char lr = 'x';
  int hdng = 0, len_ft = 0, width_ft = 0, lite = 0;
};
struct airport {
  runway rw[3];
  float h_ft = 0;
  int twr = 0;
  std::string id = "TEST", name = "Test Field";
};

// A field of one runway centred at (lat, lon).
inline airport field(float lat, float lon, int hdng, int len_ft, int width_ft, float h_ft,
                     int twr = 0) {
  airport p;
  p.rw[0] = {lat, lon, 9, 'x', hdng, len_ft, width_ft, 0};
  p.h_ft = h_ft, p.twr = twr;
  return p;
}

inline void write_text(const char* name, const std::string& body) {
  std::ofstream(std::string(app_path) + "world/" + name, std::ios::binary) << "I\n354 version\n"
                                                                           << body;
}

// Airports from records; navaid and fix records as the files' own lines.
inline void write_database(const std::vector<airport>& apts, const std::string& navs = "",
                           const std::string& fixes = "") {
  std::string a;
  char s[STR_SIZE];
  for (const airport& p : apts) {
    a += "1\n";
    for (const runway& r : p.rw) {
      std::snprintf(s, sizeof s, "%.5f %.5f %d %c %d %d %d %d\n", r.lat, r.lon, r.num, r.lr, r.hdng,
                    r.len_ft, r.width_ft, r.lite);
      a += s;
    }
    std::snprintf(s, sizeof s, "%.1f %d %-4.4s %s\n", p.h_ft, p.twr, p.id.c_str(), p.name.c_str());
    a += s;
  }
  write_text("apt_dat", a + "99\n");
  write_text("nav_dat", navs + "99\n");
  write_text("fix_dat", fixes + "99.0\n");
}

// The region of synthetic ground around (34, -118) with one towered field in its middle, its
// runway lit with lighting code `lite`, loaded into the world.
inline void load_field_region(int lite = 0) {
  write_quadrants(33, -120, 2, 5);
  airport a = field(34.0f, -117.5f, 90, 8000, 150, 500.0f, 1);
  a.rw[0].lite = lite;
  write_database({a});
  init_country_data();
  env.lat_sou = 33, env.lon_wes = -119;
  load_region();
}

// Navaid navmax + 1: type, place, frequency key, identifier and heading, 100 m up.
inline int add_nav(int type, float lat, float lon, int key, const char* id, int hdng = 0) {
  int n = ++env.navmax;
  nav_type[n] = type, nav_lat[n] = lat, nav_lon[n] = lon, nav_f12[n] = key;
  nav_hdng[n] = hdng, nav_h[n] = 100.0f;
  std::snprintf(nav_id[n], 5, "%-4s", id);
  return n;
}

// The aircraft at (lat, lon) on `heading`, its world position to match.
inline void fly_at(float lat, float lon, int heading = 90) {
  flt.lat = lat, flt.lon = lon, flt.psi_int = heading;
  flt.X = X_with_latlon(lat, lon), flt.Z = Z_with_lat(lat);
}

}  // namespace wf

// A world test starts in its own empty program folder.
class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override { wf::fresh_world(); }
};
