// The start-up picture shown behind the progress bar: dusk sky, a distant ridge line, and a
// runway running to the horizon with its edge lights, drawn procedurally.
#include <cmath>

#include "bmp_write.h"

static double mix(double a, double b, double t) { return a + (b - a) * t; }

rgb_image make_startup_picture(int w, int h) {
  rgb_image img;
  img.resize(w, h);
  const int horizon = h * 2 / 5;
  const double cx = w * 0.5;
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      double r, g, b;
      if (y >= horizon) {
        // Sky from a warm glow at the horizon to deep blue overhead, with a low sun.
        double t = double(y - horizon) / (h - horizon);
        r = mix(0.98, 0.10, std::pow(t, 0.6));
        g = mix(0.62, 0.20, std::pow(t, 0.5));
        b = mix(0.35, 0.45, t);
        double dx = x - w * 0.72, dy = y - (horizon + h * 0.08);
        double sun = std::exp(-(dx * dx + dy * dy) / (2.0 * 28.0 * 28.0));
        r += 0.6 * sun, g += 0.5 * sun, b += 0.3 * sun;
        // Ridge line: a sum of slow waves gives the skyline height above the horizon.
        double ridge = horizon + h * (0.05 + 0.03 * std::sin(x * 0.011) + 0.02 * std::sin(x * 0.031 + 1.3) +
                                      0.01 * std::sin(x * 0.07 + 0.4));
        if (y < ridge) r = 0.18 + 0.1 * t, g = 0.16 + 0.08 * t, b = 0.25;
      } else {
        // Ground darkening towards the viewer, and the runway in perspective.
        double t = double(horizon - y) / horizon;  // 0 at the horizon, 1 at the bottom
        r = mix(0.30, 0.10, t), g = mix(0.33, 0.22, t), b = mix(0.22, 0.10, t);
        double half = 4.0 + t * w * 0.22;  // runway half-width at this row
        double off = std::fabs(x - cx);
        if (off < half) {
          r = g = b = mix(0.42, 0.30, t);
          // Centre-line stripes every so far along the runway (spaced by perspective depth).
          double depth = 1.0 / (t + 0.02);
          if (off < half * 0.03 && std::fmod(depth, 4.0) < 2.0) r = g = b = 0.9;
        }
        // Edge lights: small warm dots along both edges, spaced by depth.
        double depth = 1.0 / (t + 0.02);
        if (std::fabs(off - half) < 1.5 + t * 3.0 && std::fmod(depth, 1.5) < 0.35) {
          r = 1.0, g = 0.9, b = 0.6;
        }
      }
      img.set(x, y, r, g, b);
    }
  }
  return img;
}
