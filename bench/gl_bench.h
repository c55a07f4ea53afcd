// What the simulator's benchmarks that draw with the real GL drawing layer share (run under a
// virtual X server: xvfb-run -a build/bench/<name>): the window of gl_window.h, and the program's
// start-up on the generated world's database.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "shared/shared.h"
#include "world/world.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include "gl_window.h"

// The records afresh, the program's start-up tables and the navigation database of the world the
// build generated; false with the reason when it has not been generated.
inline bool load_runtime_database(std::string* why) {
  const std::string dir = KESTRIX_RUNTIME_DIR;
  if (!std::filesystem::exists(dir + "/world/apt_dat")) return *why = "no generated world data", false;
  reset_world_state();
  init_constants();
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  initgen();
  init_country_data();
  return true;
}
