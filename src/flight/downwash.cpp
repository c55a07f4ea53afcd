// The downwash factor of a wing, read from four design charts over aspect ratio and taper ratio,
// and the 3 x 3 chart interpolation it uses. Computed once per aircraft preparation.
#include "flight/flight.h"

#include "shared/shared.h"

float interp9(float x1, float x2, float x3, float y1, float y2, float y3, float v11, float v12,
              float v13, float v21, float v22, float v23, float v31, float v32, float v33, float x,
              float y) {
  // The cell: left or right pair of columns, upper or lower pair of rows. The rows of the charts
  // run downwards (taper 1.0, 0.5, 0.2), so "above the middle row" means the first two rows.
  bool left = x < x2;
  bool upper = y > y2;
  float xa = left ? x1 : x2, xb = left ? x2 : x3;
  float ya = upper ? y1 : y2, yb = upper ? y2 : y3;
  float a0, a1, b0, b1;  // corner values: row ya at xa, xb; row yb at xa, xb
  if (upper) {
    a0 = left ? v11 : v12, a1 = left ? v12 : v13;
    b0 = left ? v21 : v22, b1 = left ? v22 : v23;
  } else {
    a0 = left ? v21 : v22, a1 = left ? v22 : v23;
    b0 = left ? v31 : v32, b1 = left ? v32 : v33;
  }
  float row_a = interp(xa, a0, xb, a1, x);
  float row_b = interp(xa, b0, xb, b1, x);
  return interp(ya, row_a, yb, row_b, y);
}

// One chart: three rows (taper 1.0, 0.5, 0.2) of three columns (aspect ratio 6, 9, 12).
static float chart(const float t[3][3], float ar, float taper) {
  return interp9(6.0f, 9.0f, 12.0f, 1.0f, 0.5f, 0.2f, t[0][0], t[0][1], t[0][2], t[1][0], t[1][1],
                 t[1][2], t[2][0], t[2][1], t[2][2], ar, taper);
}

float findspecwash(float h, float l, float ar, float taper) {
  static const float T1[3][3] = {{6.2f, 4.0f, 3.0f}, {8.0f, 5.1f, 3.9f}, {9.1f, 6.1f, 4.3f}};
  static const float T2[3][3] = {
      {-5.25f, -3.5f, -2.51f}, {-8.17f, -5.33f, -4.0f}, {-12.0f, -7.38f, -5.0f}};
  static const float T3[3][3] = {{0.8f, 0.6f, 0.5f}, {0.7f, 0.5f, 0.4f}, {0.4f, 0.3f, 0.1f}};
  static const float T4[3][3] = {{1.5f, 1.3f, 1.0f}, {1.5f, 1.1f, 0.7f}, {1.4f, 1.0f, 0.4f}};
  ar = fltlim(ar, 3.0f, 15.0f);
  taper = fltlim(taper, 0.1f, 1.1f);
  float t1 = chart(T1, ar, taper), t2 = chart(T2, ar, taper);
  float t3 = chart(T3, ar, taper), t4 = chart(T4, ar, taper);
  float a = fltlim(t1 + t2 * h, 0.0f, 10.0f);
  float b = fltlim((l - 0.6f) * interp(0.0f, t4, 0.4f, t3, h), 0.0f, 10.0f);
  return a - (l - 0.6f) * b;
}
