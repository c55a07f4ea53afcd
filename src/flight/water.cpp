// Contact of floats and hulls with water: buoyancy of the patch of hull around each submerged
// outline point, hydrodynamic damping, planing lift and drag, and skin friction.
#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"

// Height of the point above the water, m (negative when it is under).
static float height_above(float x, float y, float z, float h_water) {
  return flt.h - h_water + y * flt.costhe * flt.cosphi - z * flt.sinthe - x * flt.sinphi;
}

// The point's vertical speed, m/s.
static float sink_speed(float x, float z) { return flt.vu - z * flt.Qrad - x * flt.Prad; }

// The patch of hull a point stands for reaches halfway to its neighbours around the station and
// to the same point on the stations fore and aft (indices stay on the outline): its half widths
// across (dX), up (dY) and along (dZ) the body.
static void patch(int part, int station, int point, float* dX, float* dY, float* dZ) {
  const int last_s = intlim(f_body_s_dim(part) - 1, 0, BODY_SECTIONS - 1);
  const int last_r = intlim(f_body_r_dim(part) - 1, 0, BODY_POINTS - 1);
  const int s = intlim(station, 0, last_s);
  const int r = intlim(point, 0, last_r);
  const int s0 = intlim(s - 1, 0, last_s), s1 = intlim(s + 1, 0, last_s);
  const int r0 = intlim(r - 1, 0, last_r), r1 = intlim(r + 1, 0, last_r);
  *dX = 0.5f * (pln.body_X[part][s][r1] - pln.body_X[part][s][r0]);
  *dY = 0.5f * (pln.body_Y[part][s1][r] - pln.body_Y[part][s0][r]);
  *dZ = 0.5f * (pln.body_Z[part][s1][r] - pln.body_Z[part][s0][r]);
}

float float_point_damping(int part, int station, int point, float x, float y, float z,
                          float h_water) {
  if (height_above(x, y, z, h_water) > 0.0f) return 0.0f;
  float dX, dY, dZ;
  patch(part, station, point, &dX, &dY, &dZ);
  return con.rho_h20 * std::fabs(dZ * dX) * std::fabs(sink_speed(x, z));
}

void handle_float_point(int part, int station, int point, float x, float y, float z,
                        float h_water, float damp_scale) {
  const float hp = height_above(x, y, z, h_water);
  const float depth = -hp;
  if (depth < 0.0f) return;

  const float vv = sink_speed(x, z);
  const float va = flt.vaxial - x * flt.Rrad;  // the point's speed along the hull

  float dX, dY, dZ;
  patch(part, station, point, &dX, &dY, &dZ);
  // The same patch in the water's frame, turned by the pitch.
  const float dYf = dY * flt.costhe - dZ * flt.sinthe;
  const float dZf = dZ * flt.costhe + dY * flt.sinthe;

  const float cap_area = std::fabs(dZ * dX);   // seen from below
  const float wet_area = std::fabs(dX * dYf);  // seen from ahead
  const float volume = depth * cap_area;

  // Slope of the hull bottom along the flow. Stations at the same place (or a vertical face)
  // have no slope to plane on, like a patch steeper than 45 degrees.
  float k = std::fabs(dZf) > 1.0e-6f ? dYf / dZf : 0.0f;
  if (k > 1.0f) k = 0.0f;

  const float rho = con.rho_h20;
  const float B = volume * rho * con.g;
  const float D = -rho * cap_area * vv * std::fabs(vv) * damp_scale;
  const float M = -rho * k * wet_area * va * std::fabs(va);
  const float P = M * k;  // the planing force's component along the hull
  const float F = -0.00165f * cap_area * rho * va * std::fabs(va);

  addFngear(B, z, x);
  addFngear(D, z, x);
  addFngear(M, z, x);
  addFagear(P, x, y);
  addFagear(F, x, y);
  flt.onsurface = 1;

  if (set.cycout) {
    trk << "[" << part << "][" << station << "][" << point << "],  z =" << z << "  x =" << x << "\n"
        << "dX =" << dX << " dY =" << dY << "dZ =" << dZ << "\n"
        << "dXf=" << dX << "dZf=" << dZf << "\n"
        << "height=" << hp << ", vert_vel=" << vv << "\n"
        << " cap_area=" << cap_area << ", wet_area=" << wet_area << " sid_area=" << wet_area << "\n"
        << "axial_v=" << va << ", Q=" << 0.5f * rho * va * va << "\n"
        << "displacement=" << volume << "\n"
        << "nrmlforce_B=" << B << "\n"
        << "nrmlforce_D=" << D << "\n"
        << "nrmlforce_M=" << M << "\n"
        << "axilforce_P=" << P << "\n"
        << "axilforce_F=" << F << "\n";
  }
}
