// World data written by the tests themselves: the three database files and terrain quadrants in
// the binary environment-file layout, in a fresh program folder per test.
#pragma once

#include <gtest/gtest.h>

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

#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

namespace wf {

// A program folder named after the running test, holding an empty "world" folder; app_path
// points at it.
inline std::string fresh_app_folder() {
  const auto* t = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string dir = (std::filesystem::current_path() /
                     (std::string("app_") + t->test_suite_name() + "_" + t->name()))
                        .string();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "/world");
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  return dir;
}

// Every record the world reads, reset, with the constants filled and the aircraft on the ground.
inline void reset_world() {
  init_constants();
  reset_env();
  reset_scn();
  reset_nav();
  reset_flt();
  reset_ins();
  reset_atm();
  std::memset(obs_type, 0, sizeof obs_type);
  std::srand(7);
}

struct object {
  std::int32_t type;
  float lat, lon, h_ft;
  std::int32_t i, j;
};

using height_fn = std::function<float(double lat, double lon)>;
using water_fn = std::function<bool(double lat, double lon)>;

inline std::string quadrant_path(int lat, int lon) {
  char name[STR_SIZE];
  return_latlon_str_ENV(lat, lon, name, 1);
  return std::string(app_path) + "world/" + name;
}

struct quadrant_options {
  std::vector<object> objects;
  std::int32_t version = 3;
  char marker = 'i';                // 'a' writes every value most significant byte first
  size_t keep_bytes = SIZE_MAX;     // cut the file after this many bytes
  float bad_lat = 0.0f;             // added to the latitude of vertex 0
  bool end_mark = true;             // close the object list with a type-99 record
};

// Writes the quadrant whose south-west corner is (lat, lon): its 80 x 60 vertices on the lattice,
// heights from h and water where `water` says, then the objects.
inline void write_quadrant(int lat, int lon, const height_fn& h, const water_fn& water,
                           const quadrant_options& o = {}) {
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
      float vlat = static_cast<float>(la) + (i == 0 && j == 0 ? o.bad_lat : 0.0f);
      float vlon = static_cast<float>(lo), vh = h(la, lo);
      std::int32_t flags = water(la, lo) ? 6 : 0;
      put(&vlat);
      put(&vlon);
      put(&vh);
      put(&flags);
    }
  for (const object& b : o.objects) {
    put(&b.type), put(&b.lat), put(&b.lon), put(&b.h_ft), put(&b.i), put(&b.j);
  }
  if (o.end_mark) {
    std::int32_t end[6] = {99, 0, 0, 0, 0, 0};
    for (auto& v : end) put(&v);
  }
  std::string path = quadrant_path(lat, lon);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << bytes.substr(0, std::min(o.keep_bytes, bytes.size()));
}

// The quadrants of the lat x lon degrees from (lat0, lon0).
inline void write_quadrants(int lat0, int lon0, int nlat, int nlon, const height_fn& h,
                            const water_fn& water) {
  for (int a = 0; a < nlat; a++)
    for (int b = 0; b < nlon; b++) write_quadrant(lat0 + a, lon0 + b, h, water);
}

// Rolling ground 100..300 m, the same seen from every quadrant.
inline float rolling(double lat, double lon) {
  return static_cast<float>(200.0 + 100.0 * std::sin(lat * 7.0) * std::cos(lon * 5.0));
}
inline bool dry(double, double) { return false; }

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
struct navaid {
  int type = 3;
  float lat = 0, lon = 0, h_ft = 0;
  int f1 = 0, f2 = 0, hdng = 0;
  std::string id = "TST ", name = "Test Aid";
};
struct fix {
  float lat = 0, lon = 0;
  std::string name = "FIXAA";
};

inline void write_text(const char* name, const std::string& body) {
  std::ofstream(std::string(app_path) + "world/" + name, std::ios::binary | std::ios::trunc)
      << "I\n354 version\n"
      << body;
}

inline void write_database(const std::vector<airport>& apts, const std::vector<navaid>& navs,
                           const std::vector<fix>& fixes) {
  std::string a, n, f;
  char line[STR_SIZE];
  for (const airport& p : apts) {
    a += "1\n";
    for (const runway& r : p.rw) {
      std::snprintf(line, sizeof line, "%.5f %.5f %d %c %d %d %d %d\n", r.lat, r.lon, r.num, r.lr,
                    r.hdng, r.len_ft, r.width_ft, r.lite);
      a += line;
    }
    std::snprintf(line, sizeof line, "%.1f %d %-4.4s %s\n", p.h_ft, p.twr, p.id.c_str(),
                  p.name.c_str());
    a += line;
  }
  for (const navaid& v : navs) {
    std::snprintf(line, sizeof line, "%d %.5f %.5f %.1f %d %d %d %-4.4s %s\n", v.type, v.lat,
                  v.lon, v.h_ft, v.f1, v.f2, v.hdng, v.id.c_str(), v.name.c_str());
    n += line;
  }
  for (const fix& x : fixes) {
    std::snprintf(line, sizeof line, "%.5f %.5f %-5.5s\n", x.lat, x.lon, x.name.c_str());
    f += line;
  }
  write_text("apt_dat", a + "99\n");
  write_text("nav_dat", n + "99\n");
  write_text("fix_dat", f + "99.0\n");
}

// A runway of the given heading whose centre is (lat, lon).
inline airport field(float lat, float lon, int hdng, int len_ft, int width_ft, float h_ft,
                     int twr = 0) {
  airport p;
  p.rw[0].lat = lat;
  p.rw[0].lon = lon;
  p.rw[0].num = (hdng + 5) / 10 == 0 ? 36 : (hdng + 5) / 10;
  p.rw[0].hdng = hdng;
  p.rw[0].len_ft = len_ft;
  p.rw[0].width_ft = width_ft;
  p.h_ft = h_ft;
  p.twr = twr;
  return p;
}

}  // namespace wf
