// Obstacles: towers, masts, buildings and the airport buildings, each a stack of four rectangles
// over the ground of its terrain cell; and the generator all generated scenery draws from.
#include <cstdint>
#include <cstring>

#include "world/world_local.h"

// Generated scenery (an obstacle's random sizes, a tall building's style, where towns and trees
// stand) draws from a small generator seeded by the place it is made for rather than from the
// program's shared one: a place then comes out the same each time its quadrant is read, whatever
// drew random numbers in between, so a building does not change its size, nor a roof carrying an
// aircraft its height, nor a town its place, when the region moves away and back. Lifetime: one
// place.
static std::uint32_t place_state = 1;

// A 32-bit mix in which every bit of the input reaches every bit of the output, so that
// neighbouring places draw unrelated numbers.
static std::uint32_t mix32(std::uint32_t v) {
  v ^= v >> 16;
  v *= 0x85ebca6bu;
  v ^= v >> 13;
  v *= 0xc2b2ae35u;
  v ^= v >> 16;
  return v;
}

void seed_place_rand(float lat, float lon) {
  std::uint32_t a, b;
  std::memcpy(&a, &lat, 4);
  std::memcpy(&b, &lon, 4);
  place_state = mix32(a ^ mix32(b));
}

// 0..32767, like the shared generator's source.
static int place_draw() {
  place_state += 0x9e3779b9u;
  return static_cast<int>(mix32(place_state) % 32768);
}

int place_intrand(int lo, int hi) { return intrand_of(place_draw(), lo, hi); }
float place_fltrand(float lo, float hi) { return fltrand_of(place_draw(), lo, hi); }

void make_an_obs(float x, float z, float h, int kind, int i, int j, int slot) {
  if (slot < 0 || slot >= OBS_MAX) return;
  // Half-widths east-west (wx) and north-south (wz) and heights above the ground of the four
  // levels; whatever a kind does not set stays 0.
  float wx[4] = {0, 0, 0, 0}, wz[4] = {0, 0, 0, 0}, y[4] = {0, 0, 0, 0};
  auto set = [](float* v, float a, float b, float c, float d) {
    v[0] = a, v[1] = b, v[2] = c, v[3] = d;
  };
  int stored = kind;
  switch (kind) {
    case 1:  // control tower
      set(wx, 3, 3, 5, 3);
      set(y, 0, 19, 23, 24);
      set(wz, 3, 3, 5, 3);
      break;
    case 2: {  // tower below 130 m
      float q = place_fltrand(0.2f, 0.4f) * h;
      set(wx, q, q, 0, 0);
      set(y, 0, h, 0, 0);
      set(wz, q, q, 0, 0);
      break;
    }
    case 3:
    case 4:  // masts
      set(y, 0, h, 0, 0);
      break;
    case 5:
      set(wx, 0.35f * h, 0.25f * h, 0.2f * h, 0.25f * h);
      set(y, 0, 0.4f * h, 0.8f * h, h);
      set(wz, 0.35f * h, 0.25f * h, 0.2f * h, 0.25f * h);
      break;
    case 6:  // a slender mast on a wide foot
      set(wx, 0.05f * h, 0.01f * h, 0, 0);
      set(y, 0, h, 0, 0);
      set(wz, 0.05f * h, 0.01f * h, 0, 0);
      break;
    case 93: {
      float c = place_fltrand(40, 50), d = place_fltrand(30, 40);
      set(wx, c, c, c, c);
      set(y, 0, 0.15f * h, 0.3f * h, h);
      set(wz, d, 0.6f * d, 0.4f * d, 0.4f * d);
      break;
    }
    case 90:
    case 91:
    case 92: {
      // Buildings above 250 m carry a helipad on the roof and are stored as 94..96.
      float a = place_fltrand(30, 40);
      float b = kind == 90 ? 0.9f * a : place_fltrand(20, 30);
      if (kind == 90) {
        set(wx, a, a, b, b);
        set(y, 0, 0.94f * h, 0.97f * h, h);
      } else if (kind == 91) {
        set(wx, b, a, a, b);
        set(y, 0, 0.1f * h, 0.9f * h, h);
      } else {
        set(wx, b, b, a, a);
        set(y, 0, 0.1f * h, 0.1f * h, h);
      }
      for (int l = 0; l < 4; l++) wz[l] = wx[l];
      if (h > 250.0f) stored = kind + 4;
      break;
    }
    case 97:  // airport building
      set(wx, 10, 10, 11, 1);
      set(y, 0, 5, 5.1f, 6);
      set(wz, 20, 20, 20, 20);
      break;
    default:
      break;
  }
  obs_type[slot] = stored;
  float g = find_local_h(x, z, intlim(i, 0, GRID_I - 2), intlim(j, 0, GRID_J - 2));
  for (int l = 0; l < 4; l++)
    for (int c = 0; c < 4; c++) {
      float* p = obs_xyz[slot][l][c];
      p[0] = x + (c < 2 ? -wx[l] : wx[l]);
      p[1] = g + y[l];
      p[2] = z + (c == 0 || c == 3 ? wz[l] : -wz[l]);
    }
}
