// Set-up shared by the maps' tests: constants, an empty window table with every map window at its
// size in the simulator, no region and the aircraft over the Los Angeles basin.
#pragma once

#include "support/test_support.h"

#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map.h"
#include "shared/shared.h"
#include "world/world.h"

class MapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_mnw();
    reset_env();
    reset_flt();
    flt.lat = 34.1f, flt.lon = -117.2f;
    const int sizes[][3] = {{MAP_WIN_CHART, MAP_CHART_W, MAP_CHART_H}, {MAP_WIN_WORLD, 800, 450},
                            {MAP_WIN_ISO, 760, 540}, {MAP_WIN_PATH, 432, 494}};
    for (const auto& s : sizes) mnw.dx[s[0]] = s[1], mnw.dy[s[0]] = s[2];
  }
  static mapview* open(int kind, int pick = 0) { return map_of_window(map_setup(kind, pick)); }
};
