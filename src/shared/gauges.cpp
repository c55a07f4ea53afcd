// Gauge scales and tick spacing, and the filters that move a value towards a target.
#include "shared/shared.h"

#include <cmath>

// One row per band of full scale: a band applies when the full scale lies above `above`.
struct gauge_band {
  float above;
  int step;                 // rounding step of the full scale
  int small, big, divisor;  // tick spacing and the factor the labels are divided by
};

static const gauge_band bands[] = {
    {500000, 100000, 20000, 100000, 1000},
    {250000, 50000, 10000, 50000, 1000},
    {100000, 20000, 5000, 20000, 1000},
    {50000, 10000, 2000, 10000, 1000},
    {25000, 5000, 1000, 5000, 1000},
    {10000, 2000, 500, 2000, 100},
    {5000, 1000, 200, 1000, 100},
    {2500, 500, 100, 500, 100},
    {1000, 200, 50, 200, 100},
    {500, 100, 20, 100, 100},
    {250, 50, 10, 50, 100},
    {100, 20, 5, 20, 1},
};
static const gauge_band lowest_band = {0, 10, 2, 10, 1};

static const gauge_band& band_of(float top) {
  for (const gauge_band& b : bands)
    if (top > b.above) return b;
  return lowest_band;
}

// The full scale is the next whole step above the top value, so the needle never reaches the
// stop at the largest value the gauge can show.
int gage_me(float top) {
  int step = band_of(top).step;
  float above = top + static_cast<float>(step);
  if (std::isnan(above)) above = 0.0f;
  return intnear(static_cast<int>(fltlim(above, -2.0e9f, 2.0e9f)), step);
}

void set_mod(int top, int* small, int* big, int* divisor) {
  const gauge_band& b = band_of(static_cast<float>(top));
  *small = b.small;
  *big = b.big;
  *divisor = b.divisor;
}

// Takes the short way round a circular scale: a difference of more than half the scale is turned
// into the equivalent one in the other direction before it is limited to the step.
float closer_linear(float x, float target, float maxstep, float lo, float hi) {
  float d = target - x;
  float half = (lo + hi) * 0.5f;
  if (d > half) d -= hi - lo;
  if (d < -half) d += hi - lo;
  d = fltlim(d, -maxstep, maxstep);
  return fltwrap(x + d, lo, hi);
}

float closer_assymp(float x, float target, float k) { return target * k + (1.0f - k) * x; }
