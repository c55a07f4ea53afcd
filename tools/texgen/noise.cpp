// Repeatable tiling noise, colour arithmetic and the stroke font of the runway markings.
#include <algorithm>
#include <cmath>

#include "texgen.h"

double lattice01(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^
                    static_cast<std::uint32_t>(y) * 19349663u ^
                    static_cast<std::uint32_t>(seed) * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (h & 0xffffff) / double(0xffffff);
}

static int wrap(int i, int n) { return ((i % n) + n) % n; }

double tile_noise(double u, double v, int cells, int seed) {
  const double x = u * cells, y = v * cells;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  // Smooth steps between the lattice values give rounded blobs without grid lines.
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = lattice01(wrap(x0, cells), wrap(y0, cells), seed);
  const double b = lattice01(wrap(x0 + 1, cells), wrap(y0, cells), seed);
  const double c = lattice01(wrap(x0, cells), wrap(y0 + 1, cells), seed);
  const double d = lattice01(wrap(x0 + 1, cells), wrap(y0 + 1, cells), seed);
  return (a * (1 - sx) + b * sx) * (1 - sy) + (c * (1 - sx) + d * sx) * sy;
}

double tile_fbm(double u, double v, int cells, int octaves, int seed) {
  double sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves; o++) {
    sum += weight * tile_noise(u, v, cells << o, seed + 101 * o);
    total += weight;
    weight *= 0.5;
  }
  return sum / total;
}

rgb mix(rgb a, rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

rgb scale(rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }

double smoothstep(double e0, double e1, double x) {
  const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

double segment_distance(double x, double y, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1, l2 = dx * dx + dy * dy;
  double t = l2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / l2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

// ---- Stroke font -----------------------------------------------------------------------------

// Tall, plain figures as painted on runways, drawn with rounded corners from straight strokes.
static const double s0[] = {0, .15, 0,   .85, .15, 1, .85, 1,   1, .85, 1,   .15, .85, 0, .15, 0,
                            0, .85, .15, 1,   .85, 1, 1,   .85, 1, .15, .85, 0,   .15, 0, 0,   .15};
static const double s1[] = {.55, 0, .55, 1, .55, 1, .25, .8, .2, 0, .9, 0};
static const double s2[] = {0, .8, .15, 1,   .15, 1,   .85, 1, .85, 1, 1, .8,
                            1, .8, 1,   .62, 1,   .62, 0,   0, 0,   0, 1, 0};
static const double s3[] = {0, .85, .15, 1,   .15, 1,   .85, 1,   .85, 1,   1, .85, 1, .85, 1, .65,
                            1, .65, .85, .52, .85, .52, .35, .52, .85, .52, 1, .38, 1, .38, 1, .15,
                            1, .15, .85, 0,   .85, 0,   .15, 0,   .15, 0,   0, .15};
static const double s4[] = {.75, 0, .75, 1, .75, 1, 0, .3, 0, .3, 1, .3};
static const double s5[] = {1, 1,  0, 1,   0, 1,   0,   .56, 0,   .56, .8,  .56, .8,  .56, 1, .4,
                            1, .4, 1, .15, 1, .15, .85, 0,   .85, 0,   .15, 0,   .15, 0,   0, .15};
static const double s6[] = {.9, 1,   .15, 1,  .15, 1,  0,   .85, 0,   .85, 0, .15,
                            0,  .15, .15, 0,  .15, 0,  .85, 0,   .85, 0,   1, .15,
                            1,  .15, 1,   .4, 1,   .4, .85, .55, .85, .55, 0, .55};
static const double s7[] = {0, 1, 1, 1, 1, 1, .35, 0};
static const double s8[] = {.15, .55, 0, .7,  0, .7,  0, .85, 0, .85, .15, 1,   .15, 1,   .85, 1,
                            .85, 1,   1, .85, 1, .85, 1, .7,  1, .7,  .85, .55, .85, .55, .15, .55,
                            .15, .55, 0, .4,  0, .4,  0, .15, 0, .15, .15, 0,   .15, 0,   .85, 0,
                            .85, 0,   1, .15, 1, .15, 1, .4,  1, .4,  .85, .55};
static const double s9[] = {.1, 0,   .85, 0,  .85, 0,  1,   .15, 1,   .15, 1, .85,
                            1,  .85, .85, 1,  .85, 1,  .15, 1,   .15, 1,   0, .85,
                            0,  .85, 0,   .6, 0,   .6, .15, .45, .15, .45, 1, .45};
static const double sL[] = {0, 1, 0, 0, 0, 0, 1, 0};
static const double sR[] = {0, 0,   0, 1,   0,  1,  .8, 1,  .8, 1,  1,   .85, 1, .85,
                            1, .65, 1, .65, .8, .5, .8, .5, 0,  .5, .45, .5,  1, 0};
static const double sC[] = {1, .85, .85, 1,   .85, 1, .15, 1, .15, 1, 0,   .85, 0, .85,
                            0, .15, 0,   .15, .15, 0, .15, 0, .85, 0, .85, 0,   1, .15};
static const double sH[] = {0, 0, 0, 1, 1, 0, 1, 1, 0, .5, 1, .5};

int glyph_strokes(char ch, const double** strokes) {
#define GLYPH(c, a) \
  case c:           \
    *strokes = a;   \
    return static_cast<int>(sizeof a / sizeof a[0] / 4)
  switch (ch) {
    GLYPH('0', s0);
    GLYPH('1', s1);
    GLYPH('2', s2);
    GLYPH('3', s3);
    GLYPH('4', s4);
    GLYPH('5', s5);
    GLYPH('6', s6);
    GLYPH('7', s7);
    GLYPH('8', s8);
    GLYPH('9', s9);
    GLYPH('L', sL);
    GLYPH('R', sR);
    GLYPH('C', sC);
    GLYPH('H', sH);
    default:
      *strokes = nullptr;
      return 0;
  }
#undef GLYPH
}

double glyph_cover(char ch, double x, double y, double half) {
  const double* s;
  const int n = glyph_strokes(ch, &s);
  double d = 1e9;
  for (int k = 0; k < n; k++)
    d = std::min(d, segment_distance(x, y, s[4 * k], s[4 * k + 1], s[4 * k + 2], s[4 * k + 3]));
  return d <= half ? 1.0 : 0.0;
}
