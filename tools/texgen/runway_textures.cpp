// Runway and taxiway textures. Across a runway is u (0 its left edge seen from the end the tile
// reads from), along it v (0 towards that end). A number tile is half the runway wide and one
// width long: threshold stripes at the end, the digit beyond them; the tens digit takes the left
// half ("rway_0L" .. "rway_3L"), the units digit the right ("rway_0R" .. "rway_9R").
#include <cmath>

#include "texgen.h"

static const rgb PAINT = {0.93, 0.93, 0.9}, YELLOW = {0.9, 0.75, 0.15};

static rgb asphalt(double u, double v, int seed) {
  const double n = tile_fbm(u, v, 16, 4, seed);
  const double tyre = 0.06 * smoothstep(0.6, 0.8, tile_noise(u * 0.3, v, 4, seed + 1));
  return scale(mix(rgb{0.27, 0.27, 0.28}, rgb{0.38, 0.38, 0.39}, n), 1.0 - tyre);
}

// Concrete slabs with dark joints, for taxiways and aprons.
static rgb concrete(double u, double v) {
  const double n = tile_fbm(u, v, 16, 3, 71);
  rgb c = mix(rgb{0.48, 0.48, 0.46}, rgb{0.58, 0.58, 0.55}, n);
  const double ju = std::fabs(std::fmod(u * 4, 1.0) - 0.5),
               jv = std::fabs(std::fmod(v * 4, 1.0) - 0.5);
  if (ju > 0.485 || jv > 0.485) c = scale(c, 0.65);
  return c;
}

static bool in_box(double u, double v, double u0, double u1, double v0, double v1) {
  return u >= u0 && u <= u1 && v >= v0 && v <= v1;
}

// Side stripe of the runway edge at u0..u1, the whole length.
static rgb edge_stripe(rgb c, double u, double u0, double u1) {
  return u >= u0 && u <= u1 ? PAINT : c;
}

// Digit d on half a runway: four threshold stripes, then the figure.
static rgb_image number_tile(int d, bool left) {
  const char ch = static_cast<char>('0' + d);
  return paint(128, 256, [=](double u, double v) {
    rgb c = asphalt(u, v, 61);
    c = left ? edge_stripe(c, u, 0.03, 0.07) : edge_stripe(c, u, 0.93, 0.97);
    // Threshold stripes: four to a half, clear of the centre and the edge.
    if (v >= 0.03 && v <= 0.33) {
      const double k = (left ? u - 0.12 : 0.88 - u) / 0.8 * 4.0;
      const double f = k - std::floor(k);
      if (k >= 0 && k < 4 && f > 0.2 && f < 0.8) c = PAINT;
    }
    // The figure stands 0.4..0.92 along, centred across the half.
    const double gx = (u - 0.2) / 0.6, gy = (v - 0.42) / 0.5;
    if (gx >= -0.2 && gx <= 1.2 && gy >= -0.1 && gy <= 1.1 && glyph_cover(ch, gx, gy, 0.085) > 0)
      c = PAINT;
    return c;
  });
}

static rgb_image letter_tile(char ch) {
  return paint(256, 128, [=](double u, double v) {
    rgb c = edge_stripe(edge_stripe(asphalt(u, v, 62), u, 0.015, 0.035), u, 0.965, 0.985);
    const double gx = (u - 0.39) / 0.22, gy = (v - 0.12) / 0.76;
    if (glyph_cover(ch, gx, gy, 0.09) > 0) c = PAINT;
    return c;
  });
}

// Centreline: a dash over the first part of each tile, the gap after it; edge stripes.
static rgb line_tile(double u, double v) {
  rgb c = edge_stripe(edge_stripe(asphalt(u, v, 63), u, 0.015, 0.035), u, 0.965, 0.985);
  if (in_box(u, v, 0.488, 0.512, 0.05, 0.55)) c = PAINT;
  return c;
}

// Aiming-point marks: two broad bars either side of the centreline.
static rgb aim_tile(double u, double v) {
  rgb c = line_tile(u, v);
  if (in_box(u, v, 0.2, 0.38, 0.1, 0.9) || in_box(u, v, 0.62, 0.8, 0.1, 0.9)) c = PAINT;
  return c;
}

// Taxiway turn-off: concrete with a yellow line across it and a curve leading off towards v = 0.
static rgb turn_tile(double u, double v) {
  rgb c = concrete(u, v);
  if (std::fabs(v - 0.5) < 0.012) c = YELLOW;
  const double r = std::hypot(u - 0.0, v - 0.0);
  if (std::fabs(r - 0.5) < 0.012 && u < 0.5 && v < 0.5) c = YELLOW;
  return c;
}

// Blast pad: yellow chevrons pointing to the runway, twice per tile length.
static rgb blast_tile(double u, double v) {
  rgb c = scale(asphalt(u, v, 64), 0.85);
  const double k = std::fmod(v * 2 + std::fabs(u - 0.5) * 1.2, 1.0);
  if (k > 0.35 && k < 0.55 && u > 0.04 && u < 0.96) c = YELLOW;
  return c;
}

void runway_textures(std::vector<named_image>& out) {
  for (int d = 0; d <= 3; d++)
    out.push_back({"rway_" + std::to_string(d) + "L", number_tile(d, true)});
  for (int d = 0; d <= 9; d++)
    out.push_back({"rway_" + std::to_string(d) + "R", number_tile(d, false)});
  for (char ch : {'L', 'R', 'C'}) out.push_back({std::string("rway_") + ch, letter_tile(ch)});
  out.push_back({"rway_pave", paint(256, 256, concrete)});
  out.push_back({"rway_turn", paint(256, 256, turn_tile)});
  out.push_back({"rway_line", paint(256, 256, line_tile)});
  out.push_back({"rway_fdmk", paint(256, 256, aim_tile)});
  out.push_back({"rway_disp", paint(256, 256, blast_tile)});
}
