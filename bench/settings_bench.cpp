// Times opening each settings and location window from its menu item and closing it again, with
// the whole airport database loaded (the airport windows list every field of it when they open).
// Opening any window must take well under 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/app.h"
#include "app/form.h"
#include "app/macibm.h"
#include "shared/shared.h"
#include "world/world.h"

namespace {

const int items[] = {309, 310, 314, 326, 329, 402, 404, 405, 407, 408, 409,
                     410, 412, 413, 415, 416, 418, 419, 420, 422, 424};

bool world_loaded() {
  static int loaded = -1;
  if (loaded >= 0) return loaded;
  std::cerr.rdbuf(nullptr);
  reset_world_state();
  init_constants();
  install_simulator_hooks();
  std::string root = std::string(KESTRIX_RUNTIME_DIR) + "/";
  loaded = std::filesystem::exists(root + "world/apt_dat");
  if (!loaded) return false;
  std::snprintf(app_path, STR_SIZE, "%s", root.c_str());
  init_country_data();
  form_save_hook = nullptr;  // nothing is set, and nothing written
  APPLICATION_setupmenus();
  return true;
}

// Each pass opens the window as its menu item does and closes it, as the next command would.
void BM_OpenSettingsWindow(benchmark::State& state) {
  if (!world_loaded()) {
    state.SkipWithError("no generated world data beside the programs");
    return;
  }
  const int command = items[state.range(0)];
  for (auto _ : state) {
    APPLICATION_handlemenu(command);
    for (int w = 1; w <= 28; w++) MACIBM_killwind(w);
  }
  state.SetLabel(std::to_string(command));
}
BENCHMARK(BM_OpenSettingsWindow)->DenseRange(0, 20)->Unit(benchmark::kMillisecond);

}  // namespace
