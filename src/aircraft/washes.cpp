// Which elements lie in a propeller's slipstream or in the downwash of a surface ahead, the
// slipstream angles, and each wing's downwash factor.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

// Lateral position of the centre of element e of part p.
static float element_x(int p, int e) { return get_wing_Xarm(p, get_wing_rarm(p, e)); }

// Left parts are 4, 6 and 8, right parts 5, 7 and 9.
static int same_side(int a, int b) { return a % 2 == b % 2; }

// ---- Slipstream ------------------------------------------------------------------------------

static void report_propwash(int n, int p) {
  static const char* const engine[MAX_ENGINES] = {"NUMBER ONE", "NUMBER TWO", "NUMBER THREE",
                                                  "NUMBER FOUR"};
  static const char* const surface[6] = {"LEFT WING ONE",        "RIGHT WING ONE",
                                         "LEFT WING TWO",        "RIGHT WING TWO",
                                         "LEFT HORIZONTAL STAB", "RIGHT HORIZONTAL STAB"};
  trk.precision(1);
  trk << "\nFor propwash from engine " << engine[n] << " onto " << surface[p - 4] << ":\n";
  trk << "There will be no   propwash if the propwash stream angle is above "
      << pln.hi_washdir[p][n] << " degrees.\n";
  trk << "There will be full propwash if the propwash stream angle is       "
      << pln.max_washdir[p][n] << " degrees.\n";
  trk << "There will be no   propwash if the propwash stream angle is below "
      << pln.lo_washdir[p][n] << " degrees.\n";
  trk << "The computer will interpolate automatically between these numbers based on prop stream "
         "angle.\n";
}

// Elements whose centre lies laterally within a disc's radius are in its slipstream; how much of
// it reaches them depends on the angles between the disc and the surface's root.
static void mark_propwash(int n, int p) {
  int any = 0;
  float lo = pln.Xarm[n] - pln.semilen[n], hi = pln.Xarm[n] + pln.semilen[n];
  for (int e = 0; e < pln.els[p]; e++) {
    if (fltrange(element_x(p, e), lo, hi)) {
      pln.in_propwash[p][n][e] = 1;
      any = 1;
    }
  }
  if (!any) return;
  float dz = pln.Zarm[p] - pln.Zarm[n];
  float dy = pln.Yarm[p] - pln.Yarm[n];
  pln.max_washdir[p][n] = std::atan2(dy, dz) * con.radtodeg;
  pln.hi_washdir[p][n] = std::atan2(dy + pln.semilen[n], dz) * con.radtodeg;
  pln.lo_washdir[p][n] = std::atan2(dy - pln.semilen[n], dz) * con.radtodeg;
  report_propwash(n, p);
}

// One row of the slipstream picture: left part from tip to root, the fuselage, right part from
// root to tip; each element shows the numbers of the engines whose wash covers it.
static void propwash_row(const char* title, int left) {
  trk << title;
  for (int side = 0; side < 2; side++) {
    int p = left + side;
    if (side == 1) trk << "FUSE ";
    for (int i = 0; i < MAX_ELS; i++) {
      int e = side == 0 ? MAX_ELS - 1 - i : i;
      if (!have_this_part(p) || e >= pln.els[p]) {
        trk << "     ";
        continue;
      }
      for (int n = 0; n < MAX_ENGINES; n++)
        trk << (pln.in_propwash[p][n][e] ? static_cast<char>('1' + n) : '-');
      trk << " ";
    }
  }
  trk << "\n";
}

void build_propwash() {
  for (int p = PART_WING1_LEFT; p <= PART_HSTAB_RIGHT; p++)
    for (int n = 0; n < MAX_ENGINES; n++)
      for (int e = 0; e < MAX_ELS; e++) pln.in_propwash[p][n][e] = 0;
  for (int n = 0; n < MAX_ENGINES; n++) {
    if (!have_this_part(n)) continue;
    for (int p = PART_WING1_LEFT; p <= PART_HSTAB_RIGHT; p++)
      if (have_this_part(p) && pln.Zarm[n] < pln.Zarm[p]) mark_propwash(n, p);
  }
  trk << "\nPROPWASH SITUATION: ('----' means no propwash on element, 1 through 4 means propwash "
         "from that engine on element).\n\n";
  propwash_row("WING ONE:        ", 4);
  propwash_row("WING TWO:        ", 6);
  propwash_row("HORIZONTAL STAB: ", 8);
}

// ---- Downwash --------------------------------------------------------------------------------

// Bilinear interpolation on a 3 x 3 grid (columns x1..x3, rows y1..y3, values row by row),
// extended linearly outside it.
static float interp9(float x1, float x2, float x3, float y1, float y2, float y3, float v11,
                     float v12, float v13, float v21, float v22, float v23, float v31, float v32,
                     float v33, float x, float y) {
  const float v[3][3] = {{v11, v12, v13}, {v21, v22, v23}, {v31, v32, v33}};
  const float xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
  int c = x < x2 ? 0 : 1;  // left or right pair of columns
  int r = y > y2 ? 0 : 1;  // first or last pair of rows (the rows may run downwards)
  float top = interp(xs[c], v[r][c], xs[c + 1], v[r][c + 1], x);
  float bottom = interp(xs[c], v[r + 1][c], xs[c + 1], v[r + 1][c + 1], x);
  return interp(ys[r], top, ys[r + 1], bottom, y);
}

// Charts over aspect ratio 6, 9, 12 (columns) and taper ratio 1.0, 0.5, 0.2 (rows).
static float chart(const float (&t)[9], float ar, float taper) {
  return interp9(6.0f, 9.0f, 12.0f, 1.0f, 0.5f, 0.2f, t[0], t[1], t[2], t[3], t[4], t[5], t[6],
                 t[7], t[8], ar, taper);
}

float findspecwash(float h, float l, float ar, float taper) {
  static const float T1[9] = {6.2f, 4.0f, 3.0f, 8.0f, 5.1f, 3.9f, 9.1f, 6.1f, 4.3f};
  static const float T2[9] = {-5.25f, -3.5f, -2.51f, -8.17f, -5.33f, -4.0f, -12.0f, -7.38f, -5.0f};
  static const float T3[9] = {0.8f, 0.6f, 0.5f, 0.7f, 0.5f, 0.4f, 0.4f, 0.3f, 0.1f};
  static const float T4[9] = {1.5f, 1.3f, 1.0f, 1.5f, 1.1f, 0.7f, 1.4f, 1.0f, 0.4f};
  ar = fltlim(ar, 3.0f, 15.0f);
  taper = fltlim(taper, 0.1f, 1.1f);
  float t1 = chart(T1, ar, taper), t2 = chart(T2, ar, taper);
  float t3 = chart(T3, ar, taper), t4 = chart(T4, ar, taper);
  float A = fltlim(t1 + t2 * h, 0.0f, 10.0f);
  float B = fltlim((l - 0.6f) * interp(0.0f, t4, 0.4f, t3, h), 0.0f, 10.0f);
  return A - (l - 0.6f) * B;
}

// Elements behind a surface on its side, laterally within its span, are in its downwash; the last
// surface behind a wing sets the wing's downwash factor.
void build_downwash() {
  for (int a = PART_WING1_LEFT; a <= PART_FUSELAGE; a++) {
    pln.spec_wash[a] = 0.0f;
    for (int b = PART_WING1_LEFT; b <= PART_FUSELAGE; b++)
      for (int e = 0; e < MAX_ELS; e++) pln.in_wash[a][b][e] = 0;
  }
  for (int a = PART_WING1_LEFT; a <= PART_HSTAB_RIGHT; a++) {
    if (!have_this_part(a)) continue;
    for (int b = PART_WING1_LEFT; b <= PART_HSTAB_RIGHT; b++) {
      if (!have_this_part(b) || !same_side(a, b) || pln.Zarm[b] <= pln.Zarm[a]) continue;
      for (int e = 0; e < pln.els[b]; e++)
        if (std::fabs(element_x(b, e)) < pln.semilen[a]) pln.in_wash[a][b][e] = 1;
      float taper = pln.Croot[a] > 0.0f ? pln.Ctip[a] / pln.Croot[a] : 1.0f;
      pln.spec_wash[a] =
          findspecwash(std::fabs(pln.Yarm[b] - pln.Yarm[a]) / pln.semilen[a],
                       std::fabs(pln.Zarm[b] - pln.Zarm[a]) / pln.semilen[a], pln.AR[a], taper);
    }
  }
}
