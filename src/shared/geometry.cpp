// Whole-degree trigonometry, rotations, the world-to-body transform, normals, the terrain-cell
// helpers, triangle area and the circle walk.
#include "shared/shared.h"

#include <cmath>
#include <cstdlib>

#include "app/macibm.h"

// ---- Whole-degree trigonometry and rotations -------------------------------------------------

// Callers wrap their angles into 0..360 first; an angle that still lies outside (a damaged
// aircraft file can carry any dihedral or sweep) is folded into the table rather than read from
// memory beyond it.
static int table_index(int deg) {
  return deg >= 0 && deg <= 360 ? deg : whole_turn(deg);
}

float isin(int deg) { return lookup_sin[table_index(deg)]; }
float icos(int deg) { return lookup_cos[table_index(deg)]; }

float rx2d(float x, float y, int deg) { return x * icos(deg) + y * isin(deg); }
float ry2d(float x, float y, int deg) { return y * icos(deg) - x * isin(deg); }
float rx3d(float x, float y, int deg) { return x * icos(deg) - y * isin(deg); }
float rz3d(float x, float y, int deg) { return y * icos(deg) + x * isin(deg); }

// Heading first, then pitch, then roll, using the attitude sines and cosines that the flight
// frame stores in con each sub-step. out = (right, forward, up).
void xfrm_VVECT(float east, float north, float up, float out[3]) {
  float a = east * con.cosPLANpsi - north * con.sinPLANpsi;
  float b = east * con.sinPLANpsi + north * con.cosPLANpsi;
  float c = up * con.cosPLANthe - b * con.sinPLANthe;
  out[0] = a * con.cosPLANphi - c * con.sinPLANphi;
  out[1] = up * con.sinPLANthe + b * con.cosPLANthe;
  out[2] = a * con.sinPLANphi + c * con.cosPLANphi;
}

// A degenerate pair (parallel or zero vectors) has no normal; straight up is the safe answer for
// the terrain and lighting code that asks.
void find_normal_vects(const float a[3], const float b[3], float n[3]) {
  float x = a[1] * b[2] - a[2] * b[1];
  float y = a[2] * b[0] - a[0] * b[2];
  float z = a[0] * b[1] - a[1] * b[0];
  float len = std::sqrt(x * x + y * y + z * z);
  if (len > 0.0f) {
    n[0] = x / len;
    n[1] = y / len;
    n[2] = z / len;
  } else {
    n[0] = 0.0f;
    n[1] = 1.0f;
    n[2] = 0.0f;
  }
}

// ---- Terrain-cell helpers --------------------------------------------------------------------

// The line is evaluated along its longer axis so that a nearly vertical line never divides by a
// nearly zero run; the direction of travel decides which side is inside.
int inside_cw_reg(float x1, float z1, float x2, float z2, float x, float z, float margin) {
  if (std::fabs(x2 - x1) > std::fabs(z2 - z1)) {
    float zl = interp(x1, z1, x2, z2, x);
    if (x2 < x1) return z + margin < zl ? 1 : 0;
    return zl < z - margin ? 1 : 0;
  }
  float xl = interp(z1, x1, z2, x2, z);
  if (z2 < z1) return xl < x - margin ? 1 : 0;
  return x + margin < xl ? 1 : 0;
}

void convert_ij_dxy(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3) {
  if (t == 0) {
    *i1 = i, *j1 = j + 1;
    *i2 = i + 1, *j2 = j + 1;
    *i3 = i, *j3 = j;
  } else {
    *i1 = i + 1, *j1 = j;
    *i2 = i, *j2 = j;
    *i3 = i + 1, *j3 = j + 1;
  }
}

void convert_ij_cw(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3,
                   int cw, int di, int dj) {
  if (cw == 0) {
    if (t == 0) {
      *i1 = i, *j1 = j + dj;
      *i2 = i + di, *j2 = j;
      *i3 = i, *j3 = j;
    } else {
      *i1 = i + di, *j1 = j;
      *i2 = i, *j2 = j + dj;
      *i3 = i + di, *j3 = j + dj;
    }
  } else {
    if (t == 0) {
      *i1 = i + di, *j1 = j + dj;
      *i2 = i, *j2 = j;
      *i3 = i, *j3 = j + dj;
    } else {
      *i1 = i, *j1 = j;
      *i2 = i + di, *j2 = j + dj;
      *i3 = i + di, *j3 = j;
    }
  }
}

// ---- Areas and circles -----------------------------------------------------------------------

float findarea(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
               float z3) {
  float ax = x2 - x1, ay = y2 - y1, az = z2 - z1;
  float bx = x3 - x1, by = y3 - y1, bz = z3 - z1;
  return 0.5f * pythag3(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

// Truncates toward zero; NaN and values beyond the int range give defined results.
static int truncate_to_int(float v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(fltlim(v, -2.0e9f, 2.0e9f));
}

// Gives the span of whole columns inside the circle on row y, then steps to the next row. A row
// beyond the radius means the caller walked off the circle, which is a programming error.
void work_down_circle(float r, float* y, int* x_lo, int* x_hi) {
  if (std::fabs(*y) > std::fabs(r)) {
    int value = truncate_to_int(*y);
    int kind = macibm_program == PROGRAM_EDITOR ? ALERT_EDIT_FATAL_VALUE : ALERT_SIM_FATAL_VALUE;
    MACIBM_alert("y>r", "", "", reinterpret_cast<const char*>(&value), kind);
  }
  float w = r * r - *y * *y;
  if (w < 0.0f) w = 0.0f;
  float s = std::sqrt(w);
  *x_lo = truncate_to_int(-s);
  *x_hi = truncate_to_int(s);
  *y += 1.0f;
}
