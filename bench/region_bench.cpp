// Times the world's loaders: a full region load, a one-quadrant slide and reading the navigation
// database, on data the benchmark writes itself (70 airports in the region, rolling ground with a
// coast) and, when the build has generated it, on the shipped world data.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

namespace {

std::string own_folder() { return std::filesystem::current_path().string() + "/region_bench_app/"; }
std::string shipped_folder() { return std::string(KESTRIX_RUNTIME_DIR) + "/"; }

void put(std::string& b, const void* p) { b.append(static_cast<const char*>(p), 4); }

void write_quadrant(const std::string& root, int lat, int lon) {
  std::string b("i");
  std::int32_t version = 3;
  put(b, &version);
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      float la = lat + j / 79.0f, lo = lon + i / 59.0f;
      float h = 200.0f + 100.0f * std::sin(la * 7.0f) * std::cos(lo * 5.0f);
      std::int32_t flags = lo < -118.4f ? 6 : 0;
      put(b, &la), put(b, &lo), put(b, &h), put(b, &flags);
    }
  for (int k = 0; k < 40; k++) {  // masts and towers
    std::int32_t type = 2 + k % 4, i = k, j = k + 20;
    float la = lat + (j + 0.5f) / 79.0f, lo = lon + (i + 0.5f) / 59.0f, h = 200.0f + 20.0f * k;
    put(b, &type), put(b, &la), put(b, &lo), put(b, &h), put(b, &i), put(b, &j);
  }
  std::int32_t end[6] = {99, 0, 0, 0, 0, 0};
  for (auto& v : end) put(b, &v);
  char name[STR_SIZE];
  return_latlon_str_ENV(lat, lon, name, 1);
  std::string path = root + "world/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << b;
}

void write_text(const std::string& root, const char* name, const std::string& body) {
  std::ofstream(root + "world/" + name, std::ios::trunc) << "I\n354 version\n" << body;
}

// A full airport table of 10000 fields with their extras, 70 of two crossing runways in the
// region at 34 N, 118 W; as many navaids and fixes as a continent's database holds, spread over
// the country.
void write_own_data() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string root = own_folder();
  for (int lat = 34; lat <= 35; lat++)
    for (int lon = -119; lon <= -116; lon++) write_quadrant(root, lat, lon);
  std::string apt, apx, nav, fix;
  char line[STR_SIZE];
  for (int k = 0; k < APT_MAX; k++) {
    float la = k < 70 ? 34.1f + 0.025f * k : 25.0f + (k % 25),
          lo = k < 70 ? -117.3f : -120.0f + k % 50;
    std::snprintf(line, sizeof line,
                  "1\n%.4f %.4f 9 x 90 8000 150 325054\n%.4f %.4f 36 x 0 6000 100 0\n"
                  "0 0 0 x 0 0 0 0\n1000 %d K%03d Field-%d\n",
                  la, lo, la, lo, k % 2, k % 1000, k);
    apt += line;
    std::snprintf(line, sizeof line, "%d K%03d %d %d 1 3 0\n", 1 + k % 3, k % 1000, 118000 + k % 100 * 25,
                  k % 2 ? 0 : 127750);
    apx += line;
  }
  for (int k = 0; k < 5000; k++) {
    std::snprintf(line, sizeof line, "%d %.4f %.4f 1000 %d %d 90 N%03d Aid %d\n", 2 + k % 5,
                  25.0f + (k % 25), -120.0f + k % 50, 108 + k % 10, k % 100, k % 1000, k);
    nav += line;
  }
  for (int k = 0; k < 8000; k++) {
    std::snprintf(line, sizeof line, "%.4f %.4f F%04d\n", 25.0f + (k % 25), -120.0f + k % 50,
                  k % 10000);
    fix += line;
  }
  write_text(root, "apt_dat", apt + "99\n");
  write_text(root, "apx_dat", apx + "99\n");
  write_text(root, "nav_dat", nav + "99\n");
  write_text(root, "fix_dat", fix + "99\n");
}

bool use_folder(const std::string& root) {
  if (!std::filesystem::exists(root + "world/apt_dat")) return false;
  std::snprintf(app_path, STR_SIZE, "%s", root.c_str());
  return true;
}

void setup(const std::string& root, int lat, int lon) {
  std::cerr.rdbuf(nullptr);  // notices of missing quadrants would flood the output
  init_constants();
  reset_env();
  reset_flt();
  use_folder(root);
  init_country_data();
  env.lat_sou = lat;
  env.lon_wes = lon;
}

void BM_LoadRegion(benchmark::State& state) {
  write_own_data();
  setup(own_folder(), 34, -118);
  for (auto _ : state) load_region();
  state.counters["region_airports"] = env.apt_list_max + 1;
}
BENCHMARK(BM_LoadRegion)->Unit(benchmark::kMillisecond);

// One slide per iteration, west and east in turn, each reading two quadrant files.
void BM_SlideOneQuadrant(benchmark::State& state) {
  write_own_data();
  setup(own_folder(), 34, -118);
  load_region();
  flt.lat = 35.0f;
  bool west = true;
  for (auto _ : state) {
    move_region(west ? MOVE_WEST : MOVE_EAST);
    west = !west;
  }
}
BENCHMARK(BM_SlideOneQuadrant)->Unit(benchmark::kMillisecond);

void BM_InitCountryData(benchmark::State& state) {
  write_own_data();
  use_folder(own_folder());
  for (auto _ : state) init_country_data();
  state.counters["airports"] = env.aptmax + 1;
}
BENCHMARK(BM_InitCountryData)->Unit(benchmark::kMillisecond);

// The generated world of the build, around San Bernardino, when it is there.
void BM_InitCountryDataShipped(benchmark::State& state) {
  if (!use_folder(shipped_folder())) {
    state.SkipWithError("no generated world data beside the programs");
    return;
  }
  init_constants();
  for (auto _ : state) init_country_data();
  state.counters["airports"] = env.aptmax + 1;
  state.counters["navaids"] = env.navmax;
}
BENCHMARK(BM_InitCountryDataShipped)->Unit(benchmark::kMillisecond);

void BM_LoadRegionShipped(benchmark::State& state) {
  if (!use_folder(shipped_folder())) {
    state.SkipWithError("no generated world data beside the programs");
    return;
  }
  setup(shipped_folder(), 33, -119);
  for (auto _ : state) load_region();
  state.counters["region_airports"] = env.apt_list_max + 1;
}
BENCHMARK(BM_LoadRegionShipped)->Unit(benchmark::kMillisecond);

}  // namespace
