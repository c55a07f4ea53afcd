// Airport scenery of the region airports: runway light layouts, surface rectangles, and the
// airport buildings and control tower.
//
// Runway-local positions are (across, along) in metres from the runway centre: across to the
// right of the runway heading, along in the heading's direction, negative towards the first end.
// rx3d and rz3d turn (across, -along) into world x (east) and z (south).
#include <cmath>
#include <cstring>

#include "world/world_local.h"

// Points laid by the runway being set up; the others stay at x = z = 0, which means no light, and
// are left out of the final translation so that they keep meaning it.
static bool laid[RWAY_POINTS];

static int slot_ok(int k, int r) {
  return k >= 0 && k < REGION_LIST_MAX && r >= 0 && r < APT_RWYS ? 1 : 0;
}
static int point_ok(int i) { return i >= 0 && i < RWAY_POINTS ? 1 : 0; }

void code_to_lgts(int* gls, int* rwy, int* app, int code) {
  static const int rwy_step[5] = {50, 40, 30, 20, 10};
  static const int app_step[6] = {6, 5, 4, 3, 2, 1};
  for (int e = 0; e < 2; e++) {
    int v = e == 0 ? code / 1000 : code % 1000;
    gls[e] = rwy[e] = app[e] = 1;
    // Each test is made once, in this order, and a later one overrides an earlier one.
    if (v > 299) gls[e] = 3, v -= 300;
    if (v > 199) gls[e] = 2, v -= 200;
    if (v > 99) gls[e] = 1, v -= 100;
    for (int s = 0; s < 5; s++)
      if (v > rwy_step[s] - 1) rwy[e] = 5 - s, v -= rwy_step[s];
    for (int s = 0; s < 6; s++)
      if (v > app_step[s] - 1) app[e] = 6 - s, v -= app_step[s];
  }
}

static void as_grnd_xy(int k, int r, int i, float across, float along, float y, int hdng) {
  if (!slot_ok(k, r) || !point_ok(i)) return;
  float* p = scn.rwayxyz[k][r][i];
  p[0] = rx3d(across, -along, hdng);
  p[1] = y;
  p[2] = rz3d(across, -along, hdng);
  laid[i] = true;
}

// Corners clockwise seen from above: 0 left far, 1 right far, 2 right near, 3 left near.
static void as_mark_xy(int k, int r, int m, float a1, float b1, float a2, float b2, int hdng,
                       float len, float width) {
  if (!slot_ok(k, r) || m < 0 || m >= RWAY_MARKS) return;
  const float a[4] = {a1, a2, a2, a1}, b[4] = {b2, b2, b1, b1};
  for (int c = 0; c < 4; c++) {
    float* p = scn.markxyz[k][r][m][c];
    p[0] = rx3d(a[c] * width, -b[c] * len, hdng);
    p[1] = 0.0f;
    p[2] = rz3d(a[c] * width, -b[c] * len, hdng);
  }
}

static void do_interp(int k, int r, int i1, int i2) {
  if (!slot_ok(k, r) || !point_ok(i1) || !point_ok(i2)) return;
  const float* p1 = scn.rwayxyz[k][r][i1];
  const float* p2 = scn.rwayxyz[k][r][i2];
  for (int i = i1 + 1; i < i2; i++) {
    float f = static_cast<float>(i - i1) / static_cast<float>(i2 - i1);
    for (int a = 0; a < 3; a++) scn.rwayxyz[k][r][i][a] = p1[a] + f * (p2[a] - p1[a]);
    laid[i] = true;
  }
}

// Point i takes corner c of rectangle m at height y.
static void corner_to_point(int k, int r, int m, int c, int i, float y) {
  if (!point_ok(i)) return;
  const float* q = scn.markxyz[k][r][m][c];
  scn.rwayxyz[k][r][i][0] = q[0];
  scn.rwayxyz[k][r][i][1] = y;
  scn.rwayxyz[k][r][i][2] = q[2];
  laid[i] = true;
}

static void lights_on_surf(int k, int r, int m, int i1, int i2, int i3, int i4) {
  if (!slot_ok(k, r) || m < 0 || m >= RWAY_MARKS) return;
  const int to[4] = {i1, i2, i3, i4};
  for (int c = 0; c < 4; c++) corner_to_point(k, r, m, c, to[c], 0.0f);
}

// A straight row of lights from point i1 to point i2.
static void row(int k, int r, int i1, int i2, float across1, float along1, float across2,
                float along2, float y, int hdng) {
  as_grnd_xy(k, r, i1, across1, along1, y, hdng);
  as_grnd_xy(k, r, i2, across2, along2, y, hdng);
  do_interp(k, r, i1, i2);
}

static void lay_surfaces_and_edges(int k, int r, float L, float W, int hdng) {
  float h = L / 2.0f;
  as_mark_xy(k, r, 0, -0.5f, -0.5f, 0.5f, 0.5f, hdng, L, W);   // runway
  as_mark_xy(k, r, 1, 2.0f, -0.5f, 2.5f, 0.5f, hdng, L, W);    // parallel taxiway
  as_mark_xy(k, r, 2, 0.5f, -0.5f, 2.0f, -0.45f, hdng, L, W);  // first-end connector
  as_mark_xy(k, r, 3, 0.5f, -0.02f, 2.0f, 0.02f, hdng, L, W);  // middle connector
  as_mark_xy(k, r, 4, 0.5f, 0.45f, 2.0f, 0.5f, hdng, L, W);    // second-end connector
  as_mark_xy(k, r, 5, 2.5f, -0.4f, 4.5f, -0.1f, hdng, L, W);   // apron

  int n = env.rwaymax1[k][r];
  row(k, r, 0, n, -W / 2 - 1, -h, -W / 2 - 1, h, 0.5f, hdng);
  row(k, r, 50, n + 50, W / 2 + 1, -h, W / 2 + 1, h, 0.5f, hdng);
  row(k, r, 100, n + 100, 0.0f, -h + 30, 0.0f, h - 30, 0.0f, hdng);

  for (int m = 2; m <= 4; m++) {
    int b = 8 * (m - 2);
    lights_on_surf(k, r, m, 527 + b, 530 + b, 531 + b, 534 + b);
    do_interp(k, r, 527 + b, 530 + b);
    do_interp(k, r, 531 + b, 534 + b);
  }
  lights_on_surf(k, r, 5, 551, 555, 556, 560);
  do_interp(k, r, 551, 555);
  do_interp(k, r, 556, 560);

  // Taxiway row 1 runs along the taxiway's runway-side edge; row 2 along its other edge and
  // round the apron.
  int t1 = env.twaymax1[k][r], t2 = env.twaymax2[k][r];
  corner_to_point(k, r, 1, 3, 150, 0.5f);
  corner_to_point(k, r, 1, 0, t1, 0.5f);
  do_interp(k, r, 150, t1);
  int p = intround(static_cast<float>(t2 - 200) * 0.1f);
  int q = intround(static_cast<float>(t2 - 200) * 0.3f);
  corner_to_point(k, r, 1, 2, 200, 0.5f);
  corner_to_point(k, r, 5, 3, 200 + p, 0.5f);
  corner_to_point(k, r, 5, 2, 201 + p, 0.5f);
  corner_to_point(k, r, 5, 1, 201 + p + q, 0.5f);
  corner_to_point(k, r, 5, 0, 202 + p + q, 0.5f);
  corner_to_point(k, r, 1, 1, t2, 0.5f);
  do_interp(k, r, 200, 200 + p);
  do_interp(k, r, 201 + p, 201 + p + q);
  do_interp(k, r, 202 + p + q, t2);
}

// The lights of one end, laid as for the first end; those of the second end are turned round
// afterwards.
static void lay_end(int k, int r, int e, float L, float W, int hdng) {
  float h = L / 2.0f;
  int B = 311 * e;
  row(k, r, 250 + B, 259 + B, -0.05f * W, -h - 500, -0.05f * W, -h - 50, 0.0f, hdng);
  row(k, r, 260 + B, 269 + B, 0.05f * W, -h - 500, 0.05f * W, -h - 50, 0.0f, hdng);

  // The crossbar continues sideways from the centre rows at the rows' own spacing.
  const float spacing = 450.0f / 9.0f;
  int from = env.lgt_app[k][r][e] == 5 ? 1 : 7;
  float along = -h - 500 + spacing * static_cast<float>(from);
  for (int m = 0; m < 3; m++) {
    float out = spacing * static_cast<float>(m + 1);
    as_grnd_xy(k, r, 270 + B + m, -0.05f * W - out, along, 0.0f, hdng);
    as_grnd_xy(k, r, 273 + B + m, 0.05f * W + out, along, 0.0f, hdng);
  }

  float side = e == 0 ? -1.0f : 1.0f;
  if (env.lgt_gls[k][r][e] == 2) {
    for (int m = 0; m < 4; m++)
      as_grnd_xy(k, r, 276 + B + m, side * 0.8f * W + (m % 2 == 0 ? -1.0f : 1.0f),
                 m < 2 ? -h + 200 : -h + 50, 1.5f, hdng);
  } else if (env.lgt_gls[k][r][e] == 3) {
    static const float off[4] = {-6, -2, 2, 6};
    for (int m = 0; m < 4; m++)
      as_grnd_xy(k, r, 276 + B + m, side * W + off[m], -h + 150, 1.5f, hdng);
  }

  static const float approach[4] = {-0.35f, -0.25f, 0.25f, 0.35f};
  for (int a = 0; a < 4; a++)
    row(k, r, 281 + 20 * a + B, 300 + 20 * a + B, approach[a] * W, -h - 429, approach[a] * W,
        -h - 50, 0.0f, hdng);
  static const float touchdown[6] = {-0.2f, -0.16f, -0.12f, 0.12f, 0.16f, 0.2f};
  for (int a = 0; a < 6; a++)
    row(k, r, 361 + 20 * a + B, 380 + 20 * a + B, touchdown[a] * W, -h + 20, touchdown[a] * W,
        -h + 400, 0.0f, hdng);
  row(k, r, 481 + B, 490 + B, -0.05f * W, -h - 1000, -0.05f * W, -h - 550, 0.0f, hdng);
  row(k, r, 491 + B, 500 + B, 0.05f * W, -h - 1000, 0.05f * W, -h - 550, 0.0f, hdng);
}

void setuprunway(int k, int r, float x, float z, float y, float len, float width, int hdng,
                 int lite) {
  if (!slot_ok(k, r)) return;
  std::memset(scn.rwayxyz[k][r], 0, sizeof scn.rwayxyz[k][r]);
  std::memset(laid, 0, sizeof laid);
  code_to_lgts(env.lgt_gls[k][r], env.lgt_rwy[k][r], env.lgt_app[k][r], lite);

  float Lft = len * con.mtrstoft, Wft = width * con.mtrstoft, h = len / 2.0f;
  env.tway[k][r] = Lft * Wft / 100.0f > 2500.0f ? 1 : 0;
  int s = Lft < 500.0f ? 10 : 200, amber = Lft < 500.0f ? 20 : 2000;
  int n = intlim(intround(Lft / static_cast<float>(s)), 10, 49);
  env.rwaymax1[k][r] = n;
  env.rwaymax2[k][r] = n + 50;
  env.twaymax1[k][r] = n + 150;
  env.twaymax2[k][r] = n + 200;
  int half_ft = trunc_int(Lft / 2.0f);
  int a = intmin2(half_ft, amber) / s;
  env.amber1[k][r] = a;
  env.amber2[k][r] = n - a;
  env.amber3[k][r] = n + 50 - a;
  env.amber4[k][r] = a + 50;
  env.RCLSmax[k][r] = n + 100;
  int xa = intmin2(half_ft, 3000), ya = intmin2(trunc_int(Lft / 4.0f), 1500);
  env.altred1[k][r] = env.RCLSmax[k][r] - xa / 200;
  env.altred2[k][r] = xa / 200 + 100;
  env.red1[k][r] = env.RCLSmax[k][r] - ya / 200;
  env.red2[k][r] = ya / 200 + 100;

  lay_surfaces_and_edges(k, r, len, width, hdng);
  for (int e = 0; e < 2; e++) lay_end(k, r, e, len, width, hdng);
  for (int i = 561; i <= 811; i++)
    if (laid[i]) {
      scn.rwayxyz[k][r][i][0] = -scn.rwayxyz[k][r][i][0];
      scn.rwayxyz[k][r][i][2] = -scn.rwayxyz[k][r][i][2];
    }
  // Threshold bars, with their outer lights just beyond the runway's sides.
  for (int t = 0; t <= 12; t++) {
    float across = -0.5f * width + static_cast<float>(t - 1) * width / 10.0f;
    as_grnd_xy(k, r, 501 + t, across, -h - 2, 0.5f, hdng);
    as_grnd_xy(k, r, 514 + t, across, h + 2, 0.5f, hdng);
  }
  as_grnd_xy(k, r, 812, -width, 0.0f, 27.0f, hdng);  // beacon

  for (int m = 0; m < RWAY_MARKS; m++)
    for (int c = 0; c < 4; c++) {
      float* p = scn.markxyz[k][r][m][c];
      p[0] += x;
      p[1] = y;
      p[2] += z;
    }
  for (int i = 0; i < RWAY_POINTS; i++)
    if (laid[i]) {
      float* p = scn.rwayxyz[k][r][i];
      p[0] += x;
      p[1] += y;
      p[2] += z;
    }

  // The running flasher starts beyond each end's approach lights and steps towards the runway.
  for (int e = 0; e < 2; e++) {
    int B = 311 * e;
    float d = (h + (env.lgt_app[k][r][e] == 6 ? 500.0f : 1050.0f)) * (e == 0 ? 1.0f : -1.0f);
    scn.rabbitsX[k][r][e] = x + rx3d(0.0f, d, hdng);
    scn.rabbitsY[k][r][e] = y;
    scn.rabbitsZ[k][r][e] = z + rz3d(0.0f, d, hdng);
    scn.rabbitdX[k][r][e] = scn.rwayxyz[k][r][251 + B][0] - scn.rwayxyz[k][r][250 + B][0];
    scn.rabbitdZ[k][r][e] = scn.rwayxyz[k][r][251 + B][2] - scn.rwayxyz[k][r][250 + B][2];
  }
}

// All four clockwise edge tests of rectangle corners c[0..3], with a margin.
static int inside_quad(const float* c0, const float* c1, const float* c2, const float* c3, float x,
                       float z, float margin) {
  return inside_cw_reg(c0[0], c0[2], c1[0], c1[2], x, z, margin) &&
         inside_cw_reg(c1[0], c1[2], c2[0], c2[2], x, z, margin) &&
         inside_cw_reg(c2[0], c2[2], c3[0], c3[2], x, z, margin) &&
         inside_cw_reg(c3[0], c3[2], c0[0], c0[2], x, z, margin);
}

static void clear_region(int k, int r, int r2, int m) {
  if (!slot_ok(k, r) || !slot_ok(k, r2) || m < 0 || m >= RWAY_MARKS) return;
  const float(*c)[3] = scn.markxyz[k][r2][m];
  // The approach lights of both ends go: those of the second end are the first end's turned
  // round, 311 points on.
  const int span[8][2] = {{1, env.rwaymax1[k][r] - 1},
                          {51, env.rwaymax2[k][r] - 1},
                          {151, env.twaymax1[k][r] - 1},
                          {201, env.twaymax2[k][r] - 1},
                          {250, 360},
                          {481, 526},
                          {250 + 311, 360 + 311},
                          {481 + 311, 500 + 311}};
  for (const auto& s : span)
    for (int i = intmax2(s[0], 0); i <= intmin2(s[1], RWAY_POINTS - 1); i++) {
      float* p = scn.rwayxyz[k][r][i];
      if (p[0] == 0.0f && p[2] == 0.0f) continue;
      if (inside_quad(c[0], c[1], c[2], c[3], p[0], p[2], 1.0f)) p[0] = p[2] = 0.0f;
    }
}

// A runway slot was built when it has edge lights (every built runway has at least 10).
static int runway_built(int k, int r) { return env.rwaymax1[k][r] > 0 ? 1 : 0; }

// The runway area reaches from the left edge lights to the taxiway's outer edge: its corners are
// the first and last left edge lights and the two ends of taxiway row 2.
int in_runway123(int k, float x, float z) {
  if (k < 0 || k >= REGION_LIST_MAX) return 0;
  for (int r = 0; r <= intmin2(env.rwaymax[k], APT_RWYS - 1); r++) {
    if (!runway_built(k, r)) continue;
    const float(*p)[3] = scn.rwayxyz[k][r];
    if (inside_quad(p[0], p[env.rwaymax1[k][r]], p[env.twaymax2[k][r]], p[200], x, z, 0.0f))
      return 1;
  }
  return 0;
}

// Half-widths east-west and north-south of the widest level of an airport building (kind 97) and
// of the control tower (kind 1), as make_an_obs builds them.
static const float BUILDING_HX = 11.0f, BUILDING_HZ = 20.0f, TOWER_HALF = 5.0f;

// 1 when the base of half-widths hx (east-west) and hz (north-south) around (x, z) reaches a
// runway area: its middle, its corners or the middles of its sides.
static int base_on_runways(int k, float x, float z, float hx, float hz) {
  for (int a = -1; a <= 1; a++)
    for (int b = -1; b <= 1; b++)
      if (in_runway123(k, x + a * hx, z + b * hz)) return 1;
  return 0;
}

// The same for the runways of the airport in slot k and of every other airport of the region: a
// neighbouring field's runway may pass where this one's buildings would stand. Airports whose
// first runway light lies farther off than any airport reaches are passed over unasked.
static int base_on_region_runways(int k, float x, float z, float hx, float hz) {
  if (base_on_runways(k, x, z, hx, hz)) return 1;
  const float reach = 10000.0f;
  for (int j = 0; j <= intmin2(env.apt_list_max, REGION_LIST_MAX - 1); j++) {
    int r = 0;
    while (r <= intmin2(env.rwaymax[j], APT_RWYS - 1) && !runway_built(j, r)) r++;
    if (j == k || r > intmin2(env.rwaymax[j], APT_RWYS - 1)) continue;
    const float* p = scn.rwayxyz[j][r][0];
    if (std::fabs(p[0] - x) > reach || std::fabs(p[2] - z) > reach) continue;
    if (base_on_runways(j, x, z, hx, hz)) return 1;
  }
  return 0;
}

// Steps (x, z) on by (dx, dz) while the base there reaches a runway area, so that no wall stands
// on a runway beside the one the line follows; the areas are finite, the bound only guards
// against a step of zero length.
static void skip_runways(int k, float* x, float* z, float dx, float dz, float hx, float hz) {
  for (int n = 0; n < 1000 && base_on_region_runways(k, *x, *z, hx, hz); n++) *x += dx, *z += dz;
}

static void place_obstacle(float x, float z, int kind, int slot) {
  int i = 0, j = 0;
  if (find_ijt_with_loc(x, z, &i, &j, 1)) make_an_obs(x, z, 0.0f, kind, i, j, slot);
}

void build_apt(int k, int n) {
  build_apt_runways(k, n);
  place_apt_buildings(k, n);
}

void build_apt_runways(int k, int n) {
  if (k < 0 || k >= REGION_LIST_MAX || n < 0 || n > env.aptmax || n >= APT_MAX) return;
  // -1 when no slot holds a runway: every loop over 0..rwaymax then does nothing.
  env.rwaymax[k] = -1;
  for (int r = 0; r < APT_RWYS; r++)
    if (runway_in_use(n, r)) env.rwaymax[k] = r;

  for (int r = 0; r < APT_RWYS; r++) {
    if (!runway_in_use(n, r)) {
      // No scenery of an earlier airport may remain in an empty slot.
      std::memset(scn.rwayxyz[k][r], 0, sizeof scn.rwayxyz[k][r]);
      std::memset(scn.markxyz[k][r], 0, sizeof scn.markxyz[k][r]);
      env.rwaymax1[k][r] = env.rwaymax2[k][r] = env.twaymax1[k][r] = env.twaymax2[k][r] = 0;
      continue;
    }
    setuprunway(k, r, X_with_latlon(apt_lat[n][r], apt_lon[n][r]), Z_with_lat(apt_lat[n][r]),
                apt_h[n], static_cast<float>(apt_len[n][r]), static_cast<float>(apt_width[n][r]),
                apt_hdng[n][r], apt_lite[n][r]);
    for (int m = 2; m <= 4; m++) clear_region(k, r, r, m);
  }
  for (int r1 = 0; r1 < APT_RWYS; r1++)
    for (int r2 = 0; r2 < APT_RWYS; r2++)
      if (r1 != r2 && runway_in_use(n, r1) && runway_in_use(n, r2)) {
        clear_region(k, r1, r2, 0);
        clear_region(k, r1, r2, 1);
      }
}

// Buildings stand in a line beside the apron of the longest runway (the first of equals), moved
// on along it until clear of every runway area; the tower follows two steps further.
void place_apt_buildings(int k, int n) {
  if (k < 0 || k >= REGION_LIST_MAX || n < 0 || n > env.aptmax || n >= APT_MAX) return;
  for (int m = 0; m < OBS_PER_APT; m++) obs_type[OBS_PER_APT * k + m] = 0;  // placed anew
  int longest = -1;
  for (int r = 0; r < APT_RWYS; r++)
    if (runway_in_use(n, r) && (longest < 0 || apt_len[n][r] > apt_len[n][longest])) longest = r;
  if (longest < 0) return;
  int hd = apt_hdng[n][longest];
  float W = static_cast<float>(apt_width[n][longest]);
  float L = static_cast<float>(apt_len[n][longest]);
  float a = fltmax2(4.2f * W, 60.0f), b = 0.35f * L;
  float x = X_with_latlon(apt_lat[n][longest], apt_lon[n][longest]) + rx3d(a, b, hd);
  float z = Z_with_lat(apt_lat[n][longest]) + rz3d(a, b, hd);
  float dx = -rx3d(0.0f, 45.0f, hd), dz = -rz3d(0.0f, 45.0f, hd);
  for (int m = 0; m < 4; m++) {
    x += dx, z += dz;
    skip_runways(k, &x, &z, dx, dz, BUILDING_HX, BUILDING_HZ);
    place_obstacle(x, z, 97, OBS_PER_APT * k + m);
  }
  if (!apt_twr[n]) return;
  x += 2 * dx, z += 2 * dz;
  skip_runways(k, &x, &z, dx, dz, TOWER_HALF, TOWER_HALF);
  place_obstacle(x, z, 1, OBS_PER_APT * k + 4);
}
