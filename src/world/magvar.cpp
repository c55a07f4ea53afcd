// Magnetic variation from a built-in world table, and the conversion between true and magnetic
// directions.
#include <cmath>

#include "world/world_local.h"

// Variation, east positive, degrees, at every 10 degrees of longitude from -180 to 180 (rows) and
// every 30 degrees of latitude from -60 to 60 (columns).
static const float var_table[37][5] = {
    {44.7f, 16.7f, 10.3f, 8.1f, 5.5f},        // -180
    {43.8f, 16.9f, 9.8f, 10.3f, 11.9f},       // -170
    {42.8f, 16.8f, 9.1f, 11.7f, 17.7f},       // -160
    {41.9f, 16.8f, 9.0f, 12.8f, 22.5f},       // -150
    {41.2f, 16.8f, 9.3f, 13.6f, 26.0f},       // -140
    {40.3f, 16.8f, 9.3f, 13.7f, 27.5f},       // -130
    {39.0f, 16.7f, 9.2f, 13.0f, 26.2f},       // -120
    {36.8f, 16.6f, 9.1f, 11.1f, 20.5f},       // -110
    {33.6f, 16.1f, 8.2f, 7.3f, 8.4f},         // -100
    {29.3f, 14.3f, 5.4f, 1.4f, -8.7f},        // -90
    {23.8f, 9.9f, 0.3f, -5.8f, -23.4f},       // -80
    {17.6f, 2.6f, -6.6f, -12.4f, -31.0f},     // -70
    {11.1f, -6.5f, -13.6f, -16.6f, -32.6f},   // -60
    {4.8f, -15.0f, -18.6f, -17.7f, -30.7f},   // -50
    {-0.9f, -21.1f, -20.7f, -16.2f, -26.7f},  // -40
    {-5.8f, -24.5f, -19.7f, -13.0f, -21.7f},  // -30
    {-10.2f, -25.8f, -16.2f, -9.1f, -16.3f},  // -20
    {-14.5f, -25.7f, -11.6f, -5.3f, -10.8f},  // -10
    {-19.3f, -24.3f, -7.6f, -2.1f, -5.5f},    // 0
    {-24.8f, -21.9f, -4.7f, 0.1f, -0.6f},     // 10
    {-31.2f, -20.3f, -2.0f, 1.5f, 3.9f},      // 20
    {-38.2f, -21.9f, -0.1f, 2.5f, 7.8f},      // 30
    {-45.4f, -26.2f, -0.1f, 2.9f, 11.3f},     // 40
    {-52.5f, -30.2f, -2.0f, 2.6f, 14.0f},     // 50
    {-59.0f, -31.8f, -4.2f, 1.9f, 15.8f},     // 60
    {-64.7f, -30.5f, -5.0f, 1.2f, 15.9f},     // 70
    {-69.6f, -26.4f, -4.3f, 0.8f, 13.9f},     // 80
    {-73.2f, -19.8f, -2.5f, 0.4f, 9.1f},      // 90
    {-75.0f, -12.0f, -0.7f, -0.6f, 1.9f},     // 100
    {-73.5f, -5.0f, 0.5f, -2.4f, -6.0f},      // 110
    {-63.8f, 0.2f, 1.1f, -4.3f, -12.2f},      // 120
    {-30.5f, 4.2f, 1.9f, -5.4f, -15.1f},      // 130
    {18.2f, 7.8f, 3.6f, -4.9f, -14.7f},       // 140
    {37.8f, 11.1f, 5.9f, -2.6f, -11.8f},      // 150
    {43.7f, 13.8f, 8.1f, 0.9f, -6.9f},        // 160
    {45.0f, 15.7f, 9.8f, 4.8f, -1.0f},        // 170
    {44.7f, 16.7f, 10.3f, 8.1f, 5.5f},        // 180
};

// The multiple of `step` at or below v: a cell is the one that contains the point, west and south
// of the zero meridian and the equator as well as east and north of them. (Truncating toward zero
// would pick the cell on the zero side and extrapolate from it, which is 2 degrees off over
// California.)
static int floor_to(float v, int step) {
  int w = trunc_int(std::floor(v));
  int q = w >= 0 ? w / step : -((-w + step - 1) / step);
  return q * step;
}

int find_var(float lat, float lon) {
  // The region's longitudes run on past the date line, and wild near a pole, where the flat
  // region's meridians meet: the table covers one turn of the earth.
  lon = std::isfinite(lon) ? std::remainder(lon, 360.0f) : 0.0f;
  lat = fltlim(lat, -90.0f, 90.0f);
  int lat0 = intlim(floor_to(lat, 30), -60, 30);
  int lon0 = intlim(floor_to(lon, 10), -180, 170);
  int row = lat0 / 30 + 2;
  int col = lon0 / 10 + 18;
  float flat0 = static_cast<float>(lat0), flon0 = static_cast<float>(lon0);
  float a = interp(flat0, var_table[col][row], flat0 + 30.0f, var_table[col][row + 1], lat);
  float b = interp(flat0, var_table[col + 1][row], flat0 + 30.0f, var_table[col + 1][row + 1], lat);
  float v = interp(flon0, a, flon0 + 10.0f, b, lon);
  return trunc_int(-v);
}

