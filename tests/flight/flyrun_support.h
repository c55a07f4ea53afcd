// Helpers shared by the flight tests of this folder that start or fly the aircraft near buildings.
#pragma once

#include "world/world.h"

// A building of the given type in obstacle slot o, 30 m square with its first corner at (x, z)
// and its roof at `roof`.
inline void building(int o, int type, float x, float z, float roof) {
  obs_type[o] = type;
  for (int level = 0; level < 4; level++)
    for (int c = 0; c < 4; c++) {
      obs_xyz[o][level][c][0] = x + (c == 1 || c == 2 ? 30.0f : 0.0f);
      obs_xyz[o][level][c][1] = roof * level / 3.0f;
      obs_xyz[o][level][c][2] = z + (c >= 2 ? 30.0f : 0.0f);
    }
}
