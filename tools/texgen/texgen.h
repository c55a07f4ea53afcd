// The texture generator's pieces: repeatable noise that tiles, drawing helpers, and the sets of
// textures the simulator loads, each a list of named pictures.
#pragma once

#include <string>
#include <vector>

#include "bmp_write.h"

// ---- Noise -----------------------------------------------------------------------------------

// A repeatable fraction 0..1 for lattice point (x, y) and seed.
double lattice01(int x, int y, int seed);
// Smooth value noise 0..1 at (u, v) in 0..1, over a lattice of `cells` cells that wraps at the
// picture's edges, so that the texture tiles without seams.
double tile_noise(double u, double v, int cells, int seed);
// Sum of `octaves` of tile_noise, each twice as fine and half as strong, scaled back to 0..1.
double tile_fbm(double u, double v, int cells, int octaves, int seed);

// ---- Colours and shapes ----------------------------------------------------------------------

struct rgb {
  double r, g, b;
};
rgb mix(rgb a, rgb b, double t);
rgb scale(rgb a, double k);
double smoothstep(double e0, double e1, double x);
// Distance from (x, y) to the segment (x1, y1)-(x2, y2).
double segment_distance(double x, double y, double x1, double y1, double x2, double y2);

// Strokes of a digit 0..9 or of 'L', 'R', 'C', 'H' in a unit box (x right, y up), each four
// numbers x1, y1, x2, y2; returns the count (0 for other characters).
int glyph_strokes(char ch, const double** strokes);
// Coverage 0..1 of a thick-stroked glyph at (x, y) of its unit box, stroke half-width `half`.
double glyph_cover(char ch, double x, double y, double half);

// Fills an image by sampling `f(u, v)` at each pixel centre (u, v in 0..1, v up) with 2 x 2
// samples per pixel, so that edges are smooth.
template <typename F>
rgb_image paint(int w, int h, F f) {
  rgb_image img;
  img.resize(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      rgb sum = {0, 0, 0};
      for (int s = 0; s < 4; s++) {
        const double u = (x + 0.25 + 0.5 * (s % 2)) / w, v = (y + 0.25 + 0.5 * (s / 2)) / h;
        const rgb c = f(u, v);
        sum.r += c.r, sum.g += c.g, sum.b += c.b;
      }
      img.set(x, y, sum.r / 4, sum.g / 4, sum.b / 4);
    }
  return img;
}

// ---- Texture sets ----------------------------------------------------------------------------

struct named_image {
  std::string name;  // file name without ".BMP"
  rgb_image img;
};

// Water, grass, rock and snow, and the shore and slope borders between them.
void terrain_textures(std::vector<named_image>& out);
// Runway numbers, letters and markings, pavements, taxiway turns and blast pads.
void runway_textures(std::vector<named_image>& out);
// Ship decks and hulls, metal, buildings and towers, helipads, smoke, flames and tires.
void object_textures(std::vector<named_image>& out);
// All of them, in the order written.
std::vector<named_image> all_textures();
