// The mapping of a window's drawing coordinates onto its pixels: the mapping in force, the first
// pixel of a coordinate and the coordinate under a pixel.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <cmath>

#include "shared/shared.h"

static ogl_mapping current = {1.0f, 0, 0, 0, 0, 0, 0};

// A scale outside 0.05..8 (or not a number) would leave the inverse searching for a very long way
// or draw blocks larger than any screen.
static float usable_scale(float s) {
  return s >= 0.05f && s <= 8.0f ? s : (s > 8.0f ? 8.0f : 1.0f);
}

void OGL_set_mapping(const ogl_mapping& m) {
  current = m;
  current.scale = usable_scale(m.scale);
}

const ogl_mapping& OGL_mapping() { return current; }

void ogl_mapping_reset() { current = ogl_mapping{1.0f, 0, 0, 0, 0, 0, 0}; }

// Computed in double precision: the edges of neighbouring coordinates must come out in order for
// every coordinate a window can have.
int OGL_pixel_edge(float scale, int origin, int c) {
  return origin + static_cast<int>(std::floor(static_cast<double>(usable_scale(scale)) * c + 0.5));
}

int OGL_coord_of_pixel(float scale, int origin, int p) {
  const double s = usable_scale(scale);
  int c = static_cast<int>(std::floor((p + 0.5 - origin) / s));
  // The estimate is off by at most one either way where rounding puts an edge next to it.
  while (OGL_pixel_edge(scale, origin, c) > p) c--;
  while (OGL_pixel_edge(scale, origin, c + 1) <= p) c++;
  return c;
}

int ogl_unit_scale() { return current.scale == 1.0f; }

int ogl_edge_x(int x) { return OGL_pixel_edge(current.scale, current.ox, x); }
int ogl_edge_y(int y) { return OGL_pixel_edge(current.scale, current.oy, y); }
