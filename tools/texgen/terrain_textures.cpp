// Terrain textures: one picture covers one terrain cell (about a mile), so the land shows fields,
// the rock shows ridges and scree, the water a light swell. The border pictures face north: a
// straight border has the neighbour's ground along the northern edge, a bend along the northern
// and eastern edges, an outer corner in the north-eastern corner only; each meets its neighbours
// half-way along the cell's edges, so that borders turned to any side join up.
#include <cmath>
#include <functional>

#include "texgen.h"

enum { TERRAIN_SIZE = 256 };

using ground_fn = std::function<rgb(double u, double v)>;

static rgb water(double u, double v) {
  const double n = tile_fbm(u, v, 8, 4, 11);
  const double swell = 0.5 + 0.5 * std::sin((u * 6 + v * 14 + 2.0 * n) * 2 * M_PI);
  return mix(rgb{0.07, 0.2, 0.36}, rgb{0.12, 0.29, 0.45}, 0.6 * n + 0.15 * swell);
}

// Farmland: a patchwork of fields in greens and tans, with darker hedges between them.
static rgb grass(double u, double v) {
  const double wu = u + 0.03 * (tile_noise(u, v, 4, 21) - 0.5),
               wv = v + 0.03 * (tile_noise(u, v, 4, 22) - 0.5);
  const int fields = 6;
  const double fu = std::fmod(wu + 1.0, 1.0) * fields, fv = std::fmod(wv + 1.0, 1.0) * fields;
  const int cu = static_cast<int>(fu) % fields, cv = static_cast<int>(fv) % fields;
  const double pick = lattice01(cu, cv, 23);
  static const rgb crops[4] = {
      {0.24, 0.42, 0.16}, {0.32, 0.46, 0.2}, {0.45, 0.44, 0.26}, {0.2, 0.36, 0.14}};
  rgb c = crops[static_cast<int>(pick * 3.999)];
  const double grain = tile_fbm(u, v, 32, 3, 24);
  c = scale(c, 0.85 + 0.3 * grain);
  const double edge = std::min(std::min(fu - std::floor(fu), 1 - (fu - std::floor(fu))),
                               std::min(fv - std::floor(fv), 1 - (fv - std::floor(fv))));
  const double hedge = 1.0 - smoothstep(0.0, 0.04, edge);
  return mix(c, rgb{0.12, 0.22, 0.08}, 0.7 * hedge);
}

static rgb rock(double u, double v) {
  const double n = tile_fbm(u, v, 8, 5, 31);
  const double ridge = 1.0 - std::fabs(2.0 * tile_fbm(u, v, 4, 3, 32) - 1.0);
  rgb c = mix(rgb{0.36, 0.31, 0.25}, rgb{0.55, 0.5, 0.44}, n);
  c = mix(c, rgb{0.28, 0.33, 0.2}, 0.35 * smoothstep(0.55, 0.75, tile_fbm(u, v, 6, 2, 33)));
  return scale(c, 0.8 + 0.35 * ridge);
}

static rgb snow(double u, double v) {
  const double n = tile_fbm(u, v, 8, 4, 41);
  return mix(rgb{0.82, 0.85, 0.9}, rgb{0.97, 0.97, 0.99}, n);
}

// The dividing line of a straight border, as a height 0..1 across the cell: half-way at both
// edges, wandering a little in between.
static double shore_line(double s) {
  return 0.5 + 0.05 * std::sin(2 * M_PI * s) + 0.02 * std::sin(6 * M_PI * s + 1.0) -
         0.02 * std::sin(1.0);
}

// Share 0..1 of the neighbour's ground at (u, v) for each kind of border.
enum border_kind { STRAIGHT, BEND, CORNER };
static double neighbour_share(border_kind k, double u, double v) {
  const double soft = 0.03;
  const double wobble = 0.02 * (tile_noise(u, v, 8, 51) - 0.5);
  switch (k) {
    case STRAIGHT: {
      // At the edges the wobble fades out, so the line meets its neighbours exactly.
      const double line = shore_line(u) + wobble * std::sin(M_PI * u);
      return smoothstep(line - soft, line + soft, v);
    }
    case BEND: {
      // Own ground keeps the south-western quarter, rounded at its inner corner.
      const double r = 0.25;
      const double dx = std::max(u - (0.5 - r), 0.0), dy = std::max(v - (0.5 - r), 0.0);
      const double d = std::hypot(dx, dy) + wobble * std::sin(M_PI * std::min(u, v) * 2);
      return smoothstep(r - soft, r + soft, d);
    }
    default: {
      // The neighbour fills a quarter disc about the north-eastern corner.
      const double d = std::hypot(1 - u, 1 - v) + wobble * std::sin(M_PI * std::max(u, v));
      return 1.0 - smoothstep(0.5 - soft, 0.5 + soft, d);
    }
  }
}

// A border cell: `other` the neighbour's ground, `own` this cell's; sand where land meets water.
static rgb_image border(const ground_fn& other, const ground_fn& own, border_kind k, bool shore) {
  return paint(TERRAIN_SIZE, TERRAIN_SIZE, [&](double u, double v) {
    const double m = neighbour_share(k, u, v);
    rgb c = mix(own(u, v), other(u, v), m);
    if (shore) {
      const double beach = 1.0 - std::fabs(m - 0.5) * 2.0;
      c = mix(c, rgb{0.72, 0.66, 0.5}, 0.6 * smoothstep(0.3, 0.9, beach));
    }
    return c;
  });
}

void terrain_textures(std::vector<named_image>& out) {
  out.push_back({"wat", paint(TERRAIN_SIZE, TERRAIN_SIZE, water)});
  out.push_back({"grs", paint(TERRAIN_SIZE, TERRAIN_SIZE, grass)});
  out.push_back({"mnt", paint(TERRAIN_SIZE, TERRAIN_SIZE, rock)});
  out.push_back({"sno", paint(TERRAIN_SIZE, TERRAIN_SIZE, snow)});
  // Straight borders are named neighbour_own_h, bends neighbour_own_c, outer corners
  // own_neighbour_c: the ground that covers most of the cell comes first in the "_c" names.
  struct pair {
    const char *other, *own;
    ground_fn other_fn, own_fn;
    bool shore;
  };
  const pair pairs[] = {{"grs", "wat", grass, water, true},
                        {"grs", "mnt", grass, rock, false},
                        {"mnt", "wat", rock, water, true},
                        {"sno", "wat", snow, water, true},
                        {"sno", "mnt", snow, rock, false}};
  for (const pair& p : pairs) {
    const std::string other = p.other, own = p.own;
    out.push_back({other + "_" + own + "_h", border(p.other_fn, p.own_fn, STRAIGHT, p.shore)});
    out.push_back({other + "_" + own + "_c", border(p.other_fn, p.own_fn, BEND, p.shore)});
    out.push_back({own + "_" + other + "_c", border(p.other_fn, p.own_fn, CORNER, p.shore)});
  }
}
