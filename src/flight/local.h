// What the flight files share among themselves and no other subsystem calls: the one-cycle dump
// writer, the resets of state the force pass carries between frames, and what the engine files
// and the frame agree on about exhaust temperature and reversers.
#pragma once

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"

// The dump is armed for the first sub-step of one frame; every writer checks this first, so an
// unarmed frame pays one test per report.
inline bool dumping() { return set.cycout != 0; }

// x truncated towards zero and held to lo..hi; NaN gives lo. Every float that becomes an index or
// an int on the per-frame path goes through here, so that no value can make the conversion
// undefined or reach beyond a table.
inline int truncate_in(float x, int lo, int hi) {
  if (!(x >= static_cast<float>(lo))) return lo;
  if (!(x <= static_cast<float>(hi))) return hi;
  return static_cast<int>(x);
}

// A flow angle (degrees, -180..180) brought within -90..90 with the same sine: past a right angle
// it counts back towards the tail-first line, so that what grows with the flow's sideways or
// upward part runs back down to nothing flying tail first instead of jumping at 180.
inline float same_sine_angle(float a) {
  if (a > 90.0f) return 180.0f - a;
  if (a < -90.0f) return -180.0f - a;
  return a;
}

// The two-argument arc tangent of y and x in degrees, to within 0.001 degrees, for the blade
// elements of the discs, where the library's costs a fifth of a frame. Zero for (0, 0), as the
// library's gives; NaN stays NaN.
inline float fast_atan2_deg(float y, float x) {
  float ax = x < 0.0f ? -x : x, ay = y < 0.0f ? -y : y;
  float big = ax > ay ? ax : ay, small = ax > ay ? ay : ax;
  if (big == 0.0f) return 0.0f;
  // The arc tangent of t = small / big in 0..1 by a minimax polynomial, then the octant.
  float t = small / big, t2 = t * t;
  float a = t * (0.99997726f +
                 t2 * (-0.33262347f +
                       t2 * (0.19354346f + t2 * (-0.11643287f + t2 * (0.05265332f +
                                                                     t2 * -0.01172120f)))));
  if (ay > ax) a = 1.57079633f - a;
  if (x < 0.0f) a = 3.14159265f - a;
  if (y < 0.0f) a = -a;
  return a * 57.2957795f;
}

// An engine at its hottest in normal running (full power, or a piston at its best mixture) keeps
// its exhaust this far below the limit, in the gauges' green, as a real engine does; the limit is
// the red line of the tapes.
constexpr float EXHAUST_AT_HOTTEST = 0.85f;

// Engine i's exhaust temperature (parts of its limit) moves towards hot, its share of the hottest
// in normal running, with a lag of about a second, as the manifold pressure does; the engine files
// each give their own share.
inline void follow_exhaust_temperature(int i, float hot) {
  flt.egt[i] += (EXHAUST_AT_HOTTEST * hot - flt.egt[i]) * msc.prd;
}

// The share of a jet's forward thrust that its deployed reversers turn back.
constexpr float REVERSED_THRUST_SHARE = -0.4f;

// The thrust jet i's engine makes, before deployed reversers turn it: what its fuel flow follows.
// A reversed idle engine whose intake drag outweighed its thrust reads a little above idle.
inline float jet_engine_thrust(int i) {
  const float t = flt.thrust[i];
  return pln.revthrustEQ && flt.revving_thrust[i] && t < 0.0f ? t / REVERSED_THRUST_SHARE : t;
}

// Text, a labelled value followed by `tail`, and a banner line of bullets around a label, all to
// the data-output stream trk.
void dump_text(const char* text);
void dump_value(const char* label, float value, const char* tail = "\n");
void dump_banner(const char* label);
// The accumulators as they stand: aerodynamic, propulsive and ground forces with the moments.
void dump_aero_report();
void dump_prop_report();

// F_el_force for a flow turned through an angle whose cosine c and sine s the caller already
// has, as the discs do, sparing the two trigonometric calls; flt.deldir must hold the angle.
float F_el_force_turned(float dcl, float dcd, float dcm, float c, float s, float* lift,
                        float* drag, float* moment, int w, int e);

// Clear the touch flags of the contact step.
void reset_touch_flags();
