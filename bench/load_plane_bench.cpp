// The time to load the largest sample aircraft end to end: file, airfoils, preparation, checks
// and report, from the data folders beside the program.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

static void load_plane_transport(benchmark::State& state) {
  init_constants();
  std::string dir = std::string(KESTRIX_RUNTIME_DIR) + "/";
  std::string path = dir + "aircraft/Turboprop Transport.acf";
  if (!std::filesystem::exists(dir + "airfoils/NACA 2412 (popular).afl")) {
    state.SkipWithError("the shipped airfoils are not in the runtime folder");
    return;
  }
  C_to_C(dir.c_str(), app_path);
  for (auto _ : state) {
    C_to_C(path.c_str(), pln.C_path);
    C_to_C("Turboprop Transport.acf", pln.C_file);
    load_plane();
  }
  if (!macibm_alert_log().empty()) state.SkipWithError(macibm_alert_log().back().line[0].c_str());
}
BENCHMARK(load_plane_transport)->Unit(benchmark::kMillisecond);
