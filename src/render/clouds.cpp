// Clouds, rain and lightning: the cloud layer's relief seen from below or above, streaks of rain
// or flakes of snow around the eye, and the strikes of lightning the once-a-second checks start.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Cloud layer -----------------------------------------------------------------------------

enum { CLOUD_SUB = 4 };
VBUF(cloud, 24000);

// One relief point, with the layer's tops mirrored upwards for the view from above.
static void relief_point(int i, int k, int top, float out[3], float* shade) {
  out[0] = cloudxyz[i][k][0];
  out[2] = cloudxyz[i][k][2];
  const float off = cloudxyz[i][k][1];
  out[1] = top ? atm.topsMSL - 0.5f * off : atm.baseMSL + off;
  *shade = top ? 1.0f : cloudrgb[i][k][0];
}

static void cloud_cell(int i, int k, int top) {
  float p[4][3], sh[4];
  relief_point(i, k, top, p[0], &sh[0]);
  relief_point(i + 1, k, top, p[1], &sh[1]);
  relief_point(i, k + 1, top, p[2], &sh[2]);
  relief_point(i + 1, k + 1, top, p[3], &sh[3]);
  // Cut into smaller quads so that the haze, worked out at the corners, follows the distance.
  for (int a = 0; a < CLOUD_SUB; a++)
    for (int b = 0; b < CLOUD_SUB; b++) {
      float q[4][3], s[4];
      const float fa[4] = {float(a), float(a + 1), float(a + 1), float(a)};
      const float fb[4] = {float(b + 1), float(b + 1), float(b), float(b)};
      for (int c = 0; c < 4; c++) {
        const float u = fa[c] / CLOUD_SUB, v = fb[c] / CLOUD_SUB;
        for (int d = 0; d < 3; d++)
          q[c][d] = p[0][d] * (1 - u) * (1 - v) + p[1][d] * u * (1 - v) + p[2][d] * (1 - u) * v +
                    p[3][d] * u * v;
        s[c] =
            sh[0] * (1 - u) * (1 - v) + sh[1] * u * (1 - v) + sh[2] * (1 - u) * v + sh[3] * u * v;
      }
      // q runs (a, b+1), (a+1, b+1), (a+1, b), (a, b): k grows northwards, so this is clockwise
      // seen from above; from below the same corners are taken the other way round.
      const int order_up[4] = {0, 1, 2, 3}, order_down[4] = {3, 2, 1, 0};
      const int* o = top ? order_up : order_down;
      const float n[3] = {0.0f, top ? 1.0f : -1.0f, 0.0f};
      if (!vb_room(&cloud, 6)) return;
      const int tri[6] = {0, 1, 2, 0, 2, 3};
      for (int t = 0; t < 6; t++) {
        const int c = o[tri[t]];
        vb_vertex(&cloud, q[c], n, 0.0f, 0.0f, lit_color(s[c], s[c], s[c] * 1.02f));
      }
    }
}

static void cloud_layer(int top) {
  float fi, fk;
  if (!cloud_relief_index(vf.cam.eye[0], vf.cam.eye[2], &fi, &fk)) return;
  const float step_i = (env.hix - env.lox) / 48.0f, step_k = (env.hiz - env.loz) / 32.0f;
  const float ri = vf.vis / step_i + 2.0f, rk = vf.vis / step_k + 2.0f;
  const int i0 = grid_index(fi - ri, CLOUD_I - 2), i1 = grid_index(fi + ri, CLOUD_I - 2);
  const int k0 = grid_index(fk - rk, CLOUD_K - 2), k1 = grid_index(fk + rk, CLOUD_K - 2);
  for (int i = i0; i <= i1; i++)
    for (int k = k0; k <= k1; k++) {
      const float c[3] = {0.5f * (cloudxyz[i][k][0] + cloudxyz[i + 1][k + 1][0]),
                          top ? atm.topsMSL : atm.baseMSL,
                          0.5f * (cloudxyz[i][k][2] + cloudxyz[i + 1][k + 1][2])};
      const float r = 0.5f * pythag(step_i, step_k) + 400.0f;
      if (pythag(c[0] - vf.cam.eye[0], c[2] - vf.cam.eye[2]) > vf.vis + r) continue;
      if (frustum_sees(&vf.frustum, c, r)) cloud_cell(i, k, top);
    }
}

// ---- Rain, snow and lightning ----------------------------------------------------------------

VBUF(rain, 2400);
VBUF(bolts, 60 * 24);

static float strike_xyz[STRIKES][3];  // foot of each strike on the ground
static float strike_top[STRIKES];     // height it comes down from
static int strike_seed[STRIKES];

float start_strike() {
  int slot = -1;
  for (int k = 0; k < STRIKES && slot < 0; k++)
    if (!strike_lit(k)) slot = k;
  if (slot < 0) return -1.0f;
  // A place near the aircraft; the storm there decides whether lightning comes down at all.
  const float ang = fltrand(0.0f, 360.0f) * con.degtorad, dist = fltrand(1000.0f, 15000.0f);
  const float x = static_cast<float>(flt.X) + dist * std::sin(ang);
  const float z = static_cast<float>(flt.Z) - dist * std::cos(ang);
  const float chance = fltlim(storm_level_at(x, z) * 0.5f, 0.0f, 1.0f);
  if (!(fltrand(0.0f, 1.0f) < chance)) return -1.0f;
  atm.strike_t_exp[slot] = clock_after(msc.elap_time, fltrand(0.15f, 0.4f));
  int i = env.i_aircraft, j = env.j_aircraft;
  const float ground = find_ijt_with_loc(x, z, &i, &j, 0) ? find_local_h(x, z, i, j) : env.min_h;
  strike_xyz[slot][0] = x, strike_xyz[slot][1] = ground, strike_xyz[slot][2] = z;
  strike_top[slot] =
      atm.cld_type ? fltmax2(cloud_base_at(x, z), ground + 300.0f) : ground + 2500.0f;
  strike_seed[slot] = intrand(0, 30000);
  return dist;
}

static void lightning() {
  bolts.n = 0;
  const rgba c = color_of(0.9f, 0.9f, 1.0f, 1.0f);
  for (int s = 0; s < STRIKES; s++) {
    if (!strike_lit(s)) continue;
    // A jagged line from the cloud to the ground, the same for the strike's whole life.
    float prev[3] = {strike_xyz[s][0], strike_top[s], strike_xyz[s][2]};
    const int segs = 12;
    for (int g = 1; g <= segs; g++) {
      const float f = static_cast<float>(g) / segs;
      const float jitter = g == segs ? 0.0f : 60.0f;
      const float next[3] = {strike_xyz[s][0] + jitter * (hash01(strike_seed[s], g) - 0.5f) * 2.0f,
                             strike_top[s] + (strike_xyz[s][1] - strike_top[s]) * f,
                             strike_xyz[s][2] + jitter * (hash01(g, strike_seed[s]) - 0.5f) * 2.0f};
      vb_line(&bolts, prev, next, c);
      for (int k = 0; k < 3; k++) prev[k] = next[k];
    }
  }
}

static void precipitation() {
  rain.n = 0;
  if (!(atm.rain_tstm > 1.0f) || !(atm.level > 0.02f)) return;
  // It falls from the cloud layer, and only under it: a light setting leaves the sky clear (the
  // weather brings in the layer from 1.5 up), and a clear sky drops nothing.
  if (!atm.cld_type || !vf.below_bases) return;
  const int snow = atm.temp_SL <= 32.0f;
  const int count = static_cast<int>(fltlim(atm.level / 2.0f, 0.0f, 1.0f) * (rain.cap / 2));
  const float box = 40.0f, fall = snow ? 1.5f : 9.0f;
  // Flakes of snow are white. Streaks of rain are half see-through and lighter than the sky at
  // the horizon: a fixed grey would be the grey of the overcast they fall from, and not be seen.
  rgba c = lit_color(1.0f, 1.0f, 1.0f);
  if (!snow) {
    const float* h = vf.sky.horizon;
    const float lift = 0.15f * vf.sky.daylight;
    c = color_of(1.25f * h[0] + lift, 1.25f * h[1] + lift, 1.25f * h[2] + lift, 1.0f);
    c.a = 120;
  }
  const float* e = vf.cam.eye;
  for (int k = 0; k < count; k++) {
    // Each drop falls through a box that moves with the eye, and starts again at its top.
    const float h = fmodf(hash01(k, 3) * 2.0f * box + msc.elap_time * fall, 2.0f * box);
    const float p[3] = {e[0] + (hash01(k, 1) - 0.5f) * 2.0f * box, e[1] + box - h,
                        e[2] + (hash01(k, 2) - 0.5f) * 2.0f * box};
    const float q[3] = {p[0], p[1] - (snow ? 0.1f : 1.5f), p[2]};
    vb_line(&rain, p, q, c);
  }
}

void draw_clouds() {
  cloud.n = 0;
  if (atm.cld_type) {
    if (vf.below_bases) cloud_layer(0);
    if (vf.above_tops) cloud_layer(1);
  }
  vb_draw(&cloud, OGL_BATCH_TRIANGLES, -1, 0, 1, 1.0f);
  precipitation();
  lightning();
  OGL_blend(OGL_BLEND_ALPHA);
  vb_draw(&rain, OGL_BATCH_LINES, -1, 0, 0, 1.0f);
  OGL_blend(OGL_BLEND_OFF);
  vb_draw(&bolts, OGL_BATCH_LINES, -1, 0, 0, 2.0f);
}
