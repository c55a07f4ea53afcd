// Conversions between latitude/longitude and the world coordinates of the loaded region.
#include <cmath>

#include "world/world_local.h"

int trunc_int(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2.0e9f) return 2000000000;
  if (v <= -2.0e9f) return -2000000000;
  return static_cast<int>(v);
}

float region_x(float lat, float lon) {
  return (lon - static_cast<float>(env.lon_wes)) * m_per_deg() * std::cos(lat * con.degtorad) +
         planexyz[0][0][0];
}

float region_z(float lat) {
  return planexyz[0][0][2] - (lat - static_cast<float>(env.lat_sou)) * m_per_deg();
}

float lat_with_z(float z) {
  return static_cast<float>(env.lat_sou) + (env.hiz - z) * con.mtrstonm / 60.0f;
}

float Z_with_lat(float lat) {
  return env.hiz - (lat - static_cast<float>(env.lat_sou)) * con.nmtomtrs * 60.0f;
}

// The quadrant of a point: its reference pair. Differences are taken in 64 bits because a wild
// position saturates intround at the ends of the int range.
static int ref_index(int whole, int corner, int hi) {
  long long d = static_cast<long long>(whole) - corner;
  return d < 0 ? 0 : (d > hi ? hi : static_cast<int>(d));
}

// A place is laid out on the side of the date line nearer the region, the region's longitudes
// running on past 180 as they do: a target at 118 W seen from a region at 179 E lies 63 degrees
// east, not 297 degrees west.
float X_with_latlon(float lat, float lon) {
  const float middle = static_cast<float>(env.lon_wes) + 1.5f;
  lon = middle + std::remainder(lon - middle, 360.0f);
  int c = ref_index(intround(lon - 0.5f), env.lon_wes, 2);
  int r = ref_index(intround(lat - 0.5f), env.lat_sou, 1);
  return (lon - env.lonwes_ref[c][r]) * con.nmtomtrs * 60.0f * std::cos(lat * con.degtorad) +
         env.planex_ref[c][r];
}

// The column and row come from the point's place in the grid's extent; both are limited to the
// reference table, since a point outside the region (or a region not loaded, whose extent is 0)
// would otherwise index beyond it.
float lon_with_xz(float x, float z) {
  int c = intlim(trunc_int((x - env.lox) / env.dx * 3.0f), 0, 2);
  int r = intlim(trunc_int((env.hiz - z) / env.dz * 2.0f), 0, 1);
  return (x - env.planex_ref[c][r]) /
             (con.nmtomtrs * 60.0f * std::cos(lat_with_z(z) * con.degtorad)) +
         env.lonwes_ref[c][r];
}
