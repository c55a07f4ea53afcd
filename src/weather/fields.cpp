// The weather fields over the region: the fractal relief generator, the storm field of each
// terrain quadrant, the cloud-base relief of each cloud sector, and their shifts when the region
// moves by a degree, and the height of the cloud base over a point.
#include <cmath>
#include <cstddef>

#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

enum {
  WXR_SECTOR = 210,   // storm-field intervals per quadrant side
  CLOUD_SECTOR = 16,  // cloud-relief intervals per sector side
  CLOUD_SECTORS_I = 5,
  CLOUD_SECTORS_K = 4,
};

// Component comp of point (i, j) of a field of ncomp-component points with rows of stride points.
static float& value_at(float* field, int stride, int ncomp, int comp, int i, int j) {
  return field[(static_cast<size_t>(i) * stride + j) * ncomp + comp];
}

// One sub-rectangle (ia, ja)..(ib, jb) of one level: raise the middle, then lay the middle row and
// column as straight lines from the edges to the middle, then every other interior point as the
// mean of the straight lines along its row and its column. Only interior points change, so the
// order in which sub-rectangles are visited does not matter.
static void fractal_cell(float* f, int stride, int ncomp, int comp, int ia, int ja, int ib, int jb,
                         float bump) {
  int mi = (ia + ib) / 2, mj = (ja + jb) / 2;
  value_at(f, stride, ncomp, comp, mi, mj) += bump;
  auto v = [&](int i, int j) -> float& { return value_at(f, stride, ncomp, comp, i, j); };
  for (int i = ia + 1; i < ib; i++) {
    if (i == mi) continue;
    v(i, mj) =
        i < mi ? interp(ia, v(ia, mj), mi, v(mi, mj), i) : interp(mi, v(mi, mj), ib, v(ib, mj), i);
  }
  for (int j = ja + 1; j < jb; j++) {
    if (j == mj) continue;
    v(mi, j) =
        j < mj ? interp(ja, v(mi, ja), mj, v(mi, mj), j) : interp(mj, v(mi, mj), jb, v(mi, jb), j);
  }
  for (int i = ia + 1; i < ib; i++) {
    if (i == mi) continue;
    for (int j = ja + 1; j < jb; j++) {
      if (j == mj) continue;
      float along_i =
          i < mi ? interp(ia, v(ia, j), mi, v(mi, j), i) : interp(mi, v(mi, j), ib, v(ib, j), i);
      float along_j =
          j < mj ? interp(ja, v(i, ja), mj, v(i, mj), j) : interp(mj, v(i, mj), jb, v(i, jb), j);
      v(i, j) = (along_i + along_j) * 0.5f;
    }
  }
}

void fractalize(int i0, int j0, int i1, int j1, float* field, int stride, int ncomp, int comp,
                float lo, float hi, int level_from, int level_to) {
  if (!field || i1 < i0 || j1 < j0 || ncomp < 1 || comp < 0 || comp >= ncomp) return;
  for (int level = level_from < 0 ? 0 : level_from; level <= level_to; level++) {
    int n = 1 << (level < 30 ? level : 30);
    int si = (i1 - i0) / n, sj = (j1 - j0) / n;
    // Once the sub-rectangles have shrunk to single points every further level only adds noise to
    // points already placed; stopping there also bounds the work of a huge level count.
    if (si == 0 && sj == 0) break;
    for (int a = 0; a < n; a++) {
      int ia = i0 + a * si;
      for (int b = 0; b < n; b++) {
        int ja = j0 + b * sj;
        fractal_cell(field, stride, ncomp, comp, ia, ja, ia + si, ja + sj,
                     fltrand(lo, hi) / static_cast<float>(n));
      }
    }
  }
}

void gen_wx_for_sec(int q) {
  if (q < 0 || q > 5) return;
  // Quadrants 0..2 are the southern row; the field's row 0 is the northern half.
  int c = q % 3, r = q < 3 ? 1 : 0;
  int i0 = WXR_SECTOR * c, i1 = WXR_SECTOR * (c + 1);
  int k0 = WXR_SECTOR * r, k1 = WXR_SECTOR * (r + 1);
  for (int i = i0; i <= i1; i++)
    for (int k = k0; k <= k1; k++) atm.wxr[i][k] = 0.0f;
  fractalize(i0, k0, i1, k1, &atm.wxr[0][0], WXR_K, 1, 0, -3, 3, 1, 4);
  for (int i = i0; i <= i1; i++)
    for (int k = k0; k <= k1; k++) atm.wxr[i][k] = fltlim(atm.wxr[i][k], 0.0f, 1.0f);
}

void fill_a_sector_with_ocast(int si, int sk) {
  if (si < 0 || si >= CLOUD_SECTORS_I || sk < 0 || sk >= CLOUD_SECTORS_K) return;
  int i0 = CLOUD_SECTOR * si, i1 = CLOUD_SECTOR * (si + 1);
  int k0 = CLOUD_SECTOR * sk, k1 = CLOUD_SECTOR * (sk + 1);
  float ft = con.fttomtrs;
  for (int i = i0; i <= i1; i++)
    for (int k = k0; k <= k1; k++) cloudxyz[i][k][1] = -500.0f * ft;
  fractalize(i0, k0, i1, k1, &cloudxyz[0][0][0], CLOUD_K, 3, 1, -1000.0f * ft, 1000.0f * ft, 1, 4);
  for (int i = i0; i <= i1; i++) {
    for (int k = k0; k <= k1; k++) {
      // The relief reaches one sector beyond the region on every side; k grows northwards.
      cloudxyz[i][k][0] = interp(16, env.lox, 64, env.hix, i);
      cloudxyz[i][k][2] = interp(16, env.hiz, 48, env.loz, k);
      // The shade is a colour, so it stays within 0..1 where the relief rises above the base.
      float grey = fltlim(interp(-1000.0f * ft, 0.4f, 0, 1.0f, cloudxyz[i][k][1]), 0.0f, 1.0f);
      for (int c = 0; c < 3; c++) cloudrgb[i][k][c] = grey;
    }
  }
}

// Moves points i_lo..i_hi, k_lo..k_hi of an ni x nk field of ncomp-component points by (di, dk).
// Source and destination are both clipped to the field. Each axis is walked from the side the
// points move towards, so every point is read before anything is written over it.
static void shift_points(float* field, int ni, int nk, int ncomp, int i_lo, int i_hi, int k_lo,
                         int k_hi, int di, int dk) {
  if (di <= -ni || di >= ni || dk <= -nk || dk >= nk) return;  // nothing would stay in the field
  i_lo = intmax2(i_lo, intmax2(0, -di));
  i_hi = intmin2(i_hi, intmin2(ni - 1, ni - 1 - di));
  k_lo = intmax2(k_lo, intmax2(0, -dk));
  k_hi = intmin2(k_hi, intmin2(nk - 1, nk - 1 - dk));
  if (i_lo > i_hi || k_lo > k_hi) return;
  int i_step = di > 0 ? -1 : 1, k_step = dk > 0 ? -1 : 1;
  int i_first = di > 0 ? i_hi : i_lo, k_first = dk > 0 ? k_hi : k_lo;
  for (int n = 0; n <= i_hi - i_lo; n++) {
    int i = i_first + n * i_step;
    for (int m = 0; m <= k_hi - k_lo; m++) {
      int k = k_first + m * k_step;
      float* from = field + (static_cast<size_t>(i) * nk + k) * ncomp;
      float* to = field + (static_cast<size_t>(i + di) * nk + (k + dk)) * ncomp;
      for (int c = 0; c < ncomp; c++) to[c] = from[c];
    }
  }
}

void shift_weather(int c1, int c2, int r1, int r2, int di, int dk) {
  shift_points(&atm.wxr[0][0], WXR_I, WXR_K, 1, c1 * WXR_SECTOR, c2 * WXR_SECTOR, r1 * WXR_SECTOR,
               r2 * WXR_SECTOR, di, dk);
}

void shift_cloud(int c1, int c2, int r1, int r2, int di, int dk) {
  int i_lo = c1 * CLOUD_SECTOR, i_hi = c2 * CLOUD_SECTOR;
  int k_lo = r1 * CLOUD_SECTOR, k_hi = r2 * CLOUD_SECTOR;
  shift_points(&cloudxyz[0][0][0], CLOUD_I, CLOUD_K, 3, i_lo, i_hi, k_lo, k_hi, di, dk);
  shift_points(&cloudrgb[0][0][0], CLOUD_I, CLOUD_K, 3, i_lo, i_hi, k_lo, k_hi, di, dk);
}

// ---- Cloud base over a point -----------------------------------------------------------------

int cloud_relief_index(float x, float z, float* fi, float* fk) {
  if (!(env.hix > env.lox) || !(env.hiz > env.loz)) return 0;
  *fi = 16.0f + (x - env.lox) / (env.hix - env.lox) * 48.0f;
  *fk = 16.0f + (env.hiz - z) / (env.hiz - env.loz) * 32.0f;
  if (!std::isfinite(*fi) || !std::isfinite(*fk)) return 0;
  *fi = fltlim(*fi, 0.0f, CLOUD_I - 1.001f);
  *fk = fltlim(*fk, 0.0f, CLOUD_K - 1.001f);
  return 1;
}

float cloud_base_at(float x, float z) {
  float fi, fk;
  if (!cloud_relief_index(x, z, &fi, &fk)) return atm.baseMSL;
  const int i = static_cast<int>(fi), k = static_cast<int>(fk);
  const float a = fi - i, b = fk - k;
  const float h = cloudxyz[i][k][1] * (1 - a) * (1 - b) + cloudxyz[i + 1][k][1] * a * (1 - b) +
                  cloudxyz[i][k + 1][1] * (1 - a) * b + cloudxyz[i + 1][k + 1][1] * a * b;
  return atm.baseMSL + h;
}
