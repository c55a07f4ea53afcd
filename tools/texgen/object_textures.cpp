// Textures of things: ship decks and hulls, metal and grime, helipads, the walls of towers and
// buildings (one tile is about three floors of windows), smoke and flames cut out of black, and
// tires.
#include <algorithm>
#include <cmath>

#include "texgen.h"

static rgb deck(double u, double v) {
  const double n = tile_fbm(u, v, 32, 3, 81);
  rgb c = mix(rgb{0.2, 0.21, 0.22}, rgb{0.3, 0.31, 0.32}, n);
  if (std::fabs(u - 0.5) < 0.01) c = rgb{0.85, 0.85, 0.8};
  if (std::fabs(u - 0.08) < 0.006 || std::fabs(u - 0.92) < 0.006) c = rgb{0.8, 0.7, 0.2};
  return c;
}

static rgb metal(double u, double v) {
  const double streak = tile_noise(u * 0.05, v, 64, 82);
  return mix(rgb{0.5, 0.52, 0.55}, rgb{0.68, 0.7, 0.72},
             0.5 * streak + 0.5 * tile_fbm(u, v, 8, 3, 83));
}

static rgb dirty(double u, double v) {
  const double n = tile_fbm(u, v, 8, 5, 84);
  const double stain = smoothstep(0.55, 0.8, tile_fbm(u, v, 4, 3, 85));
  return scale(mix(rgb{0.5, 0.48, 0.44}, rgb{0.62, 0.6, 0.55}, n), 1.0 - 0.4 * stain);
}

// A landing pad: a white ring round a big H on a dark square.
static rgb pad(double u, double v) {
  rgb c = mix(rgb{0.22, 0.24, 0.22}, rgb{0.3, 0.32, 0.3}, tile_fbm(u, v, 16, 3, 86));
  const double r = std::hypot(u - 0.5, v - 0.5);
  if (r > 0.4 && r < 0.45) c = rgb{0.92, 0.92, 0.9};
  if (glyph_cover('H', (u - 0.32) / 0.36, (v - 0.28) / 0.44, 0.09) > 0) c = rgb{0.92, 0.92, 0.9};
  if (u < 0.02 || u > 0.98 || v < 0.02 || v > 0.98) c = rgb{0.85, 0.7, 0.15};
  return c;
}

// Wall with a grid of windows: `cols` x `rows` windows per tile, each filling `fill` of its bay.
struct facade {
  rgb wall, glass;
  int cols, rows;
  double fill_u, fill_v;
  int seed;
};

static rgb_image wall(const facade& f) {
  return paint(128, 128, [f](double u, double v) {
    rgb c = scale(f.wall, 0.9 + 0.2 * tile_fbm(u, v, 16, 3, f.seed));
    const double bu = u * f.cols, bv = v * f.rows;
    const double fu = bu - std::floor(bu), fv = bv - std::floor(bv);
    if (std::fabs(fu - 0.5) < f.fill_u * 0.5 && std::fabs(fv - 0.5) < f.fill_v * 0.5) {
      // Some windows catch the sky, some are dark.
      const double lit = lattice01(static_cast<int>(bu), static_cast<int>(bv), f.seed + 1);
      c = scale(f.glass, 0.7 + 0.5 * lit);
    }
    return c;
  });
}

static rgb hull(double u, double v) {
  rgb c = mix(rgb{0.42, 0.45, 0.48}, rgb{0.5, 0.53, 0.56}, tile_fbm(u, v, 16, 3, 87));
  if (v < 0.18) c = rgb{0.35, 0.12, 0.1};  // below the water line
  if (v > 0.18 && v < 0.22) c = rgb{0.15, 0.15, 0.16};
  const double pu = std::fmod(u * 16, 1.0);
  if (v > 0.7 && v < 0.76 && std::fabs(pu - 0.5) < 0.12) c = rgb{0.1, 0.1, 0.12};
  return c;
}

// A puff of smoke: soft grey inside a ragged round edge; outside pure black, which is cut away.
static rgb smoke(double u, double v) {
  const double r = std::hypot(u - 0.5, v - 0.5) + 0.12 * (tile_fbm(u, v, 4, 4, 88) - 0.5);
  if (r > 0.42) return {0, 0, 0};
  const double shade = 0.45 + 0.35 * tile_fbm(u, v, 8, 3, 89);
  return {shade, shade, shade * 1.02};
}

// A flame: yellow at the root, orange and red towards its flickering tip, on black.
static rgb flame(double u, double v) {
  const double n = tile_fbm(u, v, 4, 4, 90);
  const double half = 0.42 * (1.0 - v) * (0.8 + 0.4 * n);
  const double d = std::fabs(u - 0.5);
  if (v > 0.95 || d > half) return {0, 0, 0};
  const double heat = 1.0 - d / std::max(half, 1e-3) * 0.6 - v * 0.6;
  return mix(rgb{0.8, 0.15, 0.02}, rgb{1.0, 0.9, 0.45}, std::clamp(heat, 0.0, 1.0));
}

static rgb tire(double u, double v) {
  const double tread = std::fmod(v * 12 + std::fabs(u - 0.5) * 2, 1.0) < 0.5 ? 1.0 : 0.7;
  return scale(rgb{0.13, 0.13, 0.14}, 0.8 + 0.2 * tread);
}

void object_textures(std::vector<named_image>& out) {
  out.push_back({"deck", paint(256, 256, deck)});
  out.push_back({"metal", paint(128, 128, metal)});
  out.push_back({"dirty", paint(128, 128, dirty)});
  out.push_back({"pad", paint(256, 256, pad)});
  out.push_back({"tower", wall({{0.72, 0.7, 0.66}, {0.15, 0.2, 0.25}, 2, 3, 0.3, 0.35, 91})});
  out.push_back({"hull", paint(256, 128, hull)});
  out.push_back({"bld_block", wall({{0.7, 0.64, 0.55}, {0.2, 0.28, 0.38}, 4, 3, 0.5, 0.45, 92})});
  out.push_back({"bld_nartop", wall({{0.5, 0.55, 0.6}, {0.25, 0.38, 0.5}, 4, 3, 0.8, 0.7, 93})});
  out.push_back(
      {"bld_tapered", wall({{0.55, 0.32, 0.25}, {0.22, 0.24, 0.28}, 3, 3, 0.45, 0.5, 94})});
  out.push_back({"bld_narbot", wall({{0.3, 0.32, 0.36}, {0.12, 0.2, 0.3}, 4, 3, 0.85, 0.75, 95})});
  out.push_back({"bld_avon", wall({{0.82, 0.8, 0.76}, {0.3, 0.35, 0.4}, 4, 3, 0.7, 0.4, 96})});
  out.push_back({"bld_contow", wall({{0.3, 0.34, 0.34}, {0.35, 0.55, 0.5}, 6, 1, 0.85, 0.8, 97})});
  out.push_back({"smoke", paint(128, 128, smoke)});
  out.push_back({"fire1", paint(128, 128, flame)});
  out.push_back({"tire", paint(64, 64, tire)});
}

std::vector<named_image> all_textures() {
  std::vector<named_image> all;
  terrain_textures(all);
  runway_textures(all);
  object_textures(all);
  return all;
}
