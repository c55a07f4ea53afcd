// The lights of the scene as points: runway edge, centreline, touchdown-zone, threshold and
// approach lights with their running flasher, glide-slope lights that change colour with the
// angle they are seen at, taxiway lights, airport beacons, and the lights of cities and tall
// obstacles. Lit at night, in twilight and in poor visibility; the glide-slope lights always.
#include <cmath>

#include "app/app.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

// Three sizes of light by distance, each its own batch.
enum { LIGHT_SIZES = 3, LIGHTS_PER_SIZE = 20000 };
static ogl_vertex light_store[LIGHT_SIZES][LIGHTS_PER_SIZE];
static vbuf lights[LIGHT_SIZES];
static const float light_px[LIGHT_SIZES] = {2.0f, 3.0f, 4.0f};

static const rgba WHITE = {255, 250, 215, 255}, AMBER = {255, 175, 30, 255},
                  RED = {255, 30, 15, 255}, GREEN = {40, 255, 90, 255}, BLUE = {70, 90, 255, 255};

void light_point(const float p[3], rgba c) {
  const float d = pythag3(p[0] - vf.cam.eye[0], p[1] - vf.cam.eye[1], p[2] - vf.cam.eye[2]);
  if (!(d <= vf.vis * 1.2f)) return;
  // Far lights dim into the haze but stay visible further than unlit things.
  const float fade = 1.0f - 0.6f * fltlim(d / (vf.vis * 1.2f), 0.0f, 1.0f);
  const rgba f = {static_cast<unsigned char>(c.r * fade), static_cast<unsigned char>(c.g * fade),
                  static_cast<unsigned char>(c.b * fade), 255};
  const int size = d < 400.0f ? 2 : d < 2000.0f ? 1 : 0;
  // Moved a little towards the eye along the line of sight, so that lights set into a surface
  // stay in front of it at any distance while still hiding behind hills.
  const float k = fltmin2(0.005f + 0.5f / fltmax2(d, 1.0f), 0.5f);
  float q[3];
  for (int a = 0; a < 3; a++) q[a] = p[a] + (vf.cam.eye[a] - p[a]) * k;
  vb_point(&lights[size], q, f);
}

// ---- Runways ---------------------------------------------------------------------------------

// The runway's axis: centre and unit vector from the first end to the second.
struct runway_axis {
  float c[3], u[3];
  float half;   // half the length, m
  float width;  // m
};

static void axis_of(int k, int r, runway_axis* a) {
  const float(*m)[3] = scn.markxyz[k][r][0];
  // Corners 0, 1 lie at the second end and 2, 3 at the first.
  for (int q = 0; q < 3; q++) {
    a->c[q] = 0.25f * (m[0][q] + m[1][q] + m[2][q] + m[3][q]);
    a->u[q] = 0.5f * (m[0][q] + m[1][q] - m[2][q] - m[3][q]);
  }
  a->half = 0.5f * pythag(a->u[0], a->u[2]);
  a->width = pythag(m[2][0] - m[3][0], m[2][2] - m[3][2]);
  const float l = 2.0f * a->half;
  for (int q = 0; q < 3; q++) a->u[q] = l > 0.0f ? a->u[q] / l : 0.0f;
}

// Distance of p along the axis from the centre, m (negative towards the first end).
static float along(const runway_axis* a, const float p[3]) {
  return (p[0] - a->c[0]) * a->u[0] + (p[2] - a->c[2]) * a->u[2];
}

static int lit_point(int k, int r, int i) {
  const float* p = scn.rwayxyz[k][r][i];
  return !(p[0] == 0.0f && p[2] == 0.0f);
}

static void point_if(int k, int r, int i, rgba c) {
  if (i >= 0 && i < RWAY_POINTS && lit_point(k, r, i)) light_point(scn.rwayxyz[k][r][i], c);
}

static void row(int k, int r, int from, int to, rgba c) {
  for (int i = from; i <= to; i++) point_if(k, r, i, c);
}

// Glide-slope lights of end e seen from the eye: white above their angle, red below.
static void glide_lights(int k, int r, int e, const runway_axis* a) {
  const int kind = env.lgt_gls[k][r][e], B = 311 * e;
  if (kind < 2) return;
  const float sign = e == 0 ? 1.0f : -1.0f;  // the approach to end e comes from this side
  const float* eye = vf.cam.eye;
  if (sign * along(a, eye) > sign * along(a, scn.rwayxyz[k][r][276 + B])) return;
  float across_d[4];
  for (int i = 0; i < 4; i++) {
    const float* p = scn.rwayxyz[k][r][276 + B + i];
    across_d[i] = std::fabs((p[0] - a->c[0]) * a->u[2] - (p[2] - a->c[2]) * a->u[0]);
  }
  const float aim = aiming_point_in(2.0f * a->half, a->width);
  for (int i = 0; i < 4; i++) {
    const float* p = scn.rwayxyz[k][r][276 + B + i];
    if (p[0] == 0.0f && p[2] == 0.0f) continue;
    // The lights stand short of the aiming point where the glide slope meets the runway (the
    // four 150 m in, the bars 50 and 200 m). Angles taken where they stand steepen as the runway
    // nears: a pilot on the glide slope would be shown high from a mile out, and one low on the
    // path. They are set as if abeam the aiming point, so that they show the glide slope's path.
    float from[3] = {p[0], p[1], p[2]};
    if (aim > 0.0f) {
      const float shift = sign * (aim - a->half) - along(a, p);
      from[0] += shift * a->u[0];
      from[2] += shift * a->u[2];
    }
    const float angle =
        std::atan2(eye[1] - from[1], pythag(eye[0] - from[0], eye[2] - from[2])) * con.radtodeg;
    float limit;
    if (kind == 2) {
      // Two bars: the one nearer the threshold is white above 2.5 degrees, the far one above 3.5.
      limit = std::fabs(along(a, p)) > a->half - 100.0f ? 2.5f : 3.5f;
    } else {
      // Four lights: the one nearest the runway turns white highest.
      int inner = 0;
      for (int q = 0; q < 4; q++) inner += across_d[q] < across_d[i];
      limit = 3.5f - inner / 3.0f;
    }
    light_point(p, angle > limit ? WHITE : RED);
  }
}

static void approach_lights(int k, int r, int e) {
  const int app = env.lgt_app[k][r][e], B = 311 * e;
  if (app >= 2) {
    // End identifier flashes at the threshold's ends, twice a second.
    if (std::fmod(msc.elap_time, 0.5f) < 0.08f) {
      point_if(k, r, 501 + 13 * e, WHITE);
      point_if(k, r, 513 + 13 * e, WHITE);
    }
  }
  if (app >= 3) {
    row(k, r, 250 + B, 275 + B, WHITE);
  }
  if (app >= 4) {
    row(k, r, 481 + B, 500 + B, WHITE);
    // The running flasher: back at its start on each second's first tick, one step a tick.
    const float t = static_cast<float>(msc.cntr10);
    const float p[3] = {scn.rabbitsX[k][r][e] + t * scn.rabbitdX[k][r][e],
                        scn.rabbitsY[k][r][e] + 1.0f,
                        scn.rabbitsZ[k][r][e] + t * scn.rabbitdZ[k][r][e]};
    if (!(p[0] == 0.0f && p[2] == 0.0f)) light_point(p, WHITE);
  }
  if (app >= 5) row(k, r, 281 + B, 360 + B, RED);
}

static void runway_lights(int k, int r) {
  runway_axis a;
  axis_of(k, r, &a);
  const int rwy = intmax2(env.lgt_rwy[k][r][0], env.lgt_rwy[k][r][1]);
  // Seen from the first end's side the caution zones and red centreline lie at the second end.
  const int far_end = along(&a, vf.cam.eye) < 0.0f ? 1 : 0, near_end = 1 - far_end;
  const int n = env.rwaymax1[k][r], n2 = env.rwaymax2[k][r];
  if (rwy >= 2) {
    const int amber = rwy >= 3;
    for (int i = 0; i <= n; i++) {
      const int caution = far_end ? i > env.amber2[k][r] : i < env.amber1[k][r];
      point_if(k, r, i, amber && caution ? AMBER : WHITE);
    }
    for (int i = 50; i <= n2; i++) {
      const int caution = far_end ? i > env.amber3[k][r] : i < env.amber4[k][r];
      point_if(k, r, i, amber && caution ? AMBER : WHITE);
    }
    // Threshold bars: green towards the approach, red towards the runway's end.
    row(k, r, 501 + 13 * near_end, 513 + 13 * near_end, GREEN);
    row(k, r, 501 + 13 * far_end, 513 + 13 * far_end, RED);
  }
  if (rwy >= 4) {
    const int last = env.RCLSmax[k][r];
    for (int i = 100; i <= last; i++) {
      int red, alt;
      if (far_end) {
        red = i >= env.red1[k][r];
        alt = i > env.altred1[k][r];
      } else {
        red = i <= env.red2[k][r];
        alt = i < env.altred2[k][r];
      }
      point_if(k, r, i, red || (alt && (i & 1)) ? RED : WHITE);
    }
  }
  // The touchdown zone is lit for landing on one end and not necessarily the other: the edge
  // and centreline lights serve both ways and take the better end's kind, but it takes its own.
  if (env.lgt_rwy[k][r][near_end] >= 5)
    row(k, r, 361 + 311 * near_end, 480 + 311 * near_end, WHITE);
  for (int e = 0; e < 2; e++) {
    approach_lights(k, r, e);
    glide_lights(k, r, e, &a);
  }
  // Taxiway lights along the parallel taxiway and its connectors, and round the apron.
  if (env.tway[k][r]) {
    row(k, r, 150, env.twaymax1[k][r], BLUE);
    row(k, r, 200, env.twaymax2[k][r], BLUE);
    row(k, r, 527, 550, BLUE);
  }
  row(k, r, 551, 560, BLUE);
}

// Every light of the airports by night; by day only the glide-slope lights, which a pilot flies
// a visual approach by whatever the light.
static void airport_lights(int day) {
  for (int k = 0; k <= intmin2(env.apt_list_max, REGION_LIST_MAX - 1); k++) {
    const int n = apt_to_index[k];
    if (n < 0 || n >= APT_MAX) continue;
    int beacon = -1;
    for (int r = 0; r <= intmin2(env.rwaymax[k], APT_RWYS - 1); r++) {
      if (apt_len[n][r] <= 1) continue;
      if (beacon < 0 && intmax2(env.lgt_rwy[k][r][0], env.lgt_rwy[k][r][1]) >= 2) beacon = r;
      if (!runway_in_view(k, r)) continue;
      if (!day) {
        runway_lights(k, r);
        continue;
      }
      runway_axis a;
      axis_of(k, r, &a);
      for (int e = 0; e < 2; e++) glide_lights(k, r, e, &a);
    }
    // The beacon turns: a white flash, then a green one half a turn later.
    if (beacon >= 0 && !day) {
      const float phase = std::fmod(scn.rb_cycle * 2.0f, con.pim2);
      if (phase < 0.3f)
        point_if(k, beacon, 812, WHITE);
      else if (phase > con.pi && phase < con.pi + 0.3f)
        point_if(k, beacon, 812, GREEN);
    }
  }
}

// ---- Cities and obstacles --------------------------------------------------------------------

static void city_lights() {
  const int *ci, *cj;
  const int n = terrain_cells(&ci, &cj);
  for (int c = 0; c < n; c++) {
    const int i = ci[c], j = cj[c];
    if (!city_on_poly[i][j]) continue;
    for (int t = 0; t < 2; t++)
      for (int q = 0; q < 3; q++) {
        // Street lights of warm and cool colours, one at a corner of each block, in the street
        // beside it: the city point itself is the middle of the block, whose walls hide it.
        const float h = hash01(i * 7 + t, j * 5 + q);
        const rgba c1 = h < 0.5f ? rgba{255, 200, 120, 255} : rgba{220, 230, 255, 255};
        const float* p = city_xyz[i][j][t][q];
        const float out = city_block_half(i, j, 3 * t + q) + 3.0f;
        const float street[3] = {p[0] + out, p[1] + 3.0f, p[2] + out};
        light_point(street, c1);
      }
  }
}

static void obstacle_lights() {
  // Red lights on top of tall obstacles, blinking with the beacon's cycle.
  if (std::sin(scn.rb_cycle * 3.0f) < -0.2f) return;
  for (int s = 0; s < OBS_MAX; s++) {
    if (!obs_type[s] || obs_type[s] == 97) continue;
    const int top = obs_top_level(s);
    const float top_y = roof_height(s), base_y = obs_xyz[s][0][0][1];
    if (top_y - base_y < 45.0f) continue;
    // On the top's corner nearest the eye: a light amid a wide roof is hidden by the roof's edge
    // from anywhere lower than the roof.
    int near = 0;
    for (int c = 1; c < 4; c++) {
      const float* a = obs_xyz[s][top][c];
      const float* b = obs_xyz[s][top][near];
      if (pythag(a[0] - vf.cam.eye[0], a[2] - vf.cam.eye[2]) <
          pythag(b[0] - vf.cam.eye[0], b[2] - vf.cam.eye[2]))
        near = c;
    }
    const float p[3] = {obs_xyz[s][top][near][0], top_y + 1.0f, obs_xyz[s][top][near][2]};
    if (pythag(p[0] - vf.cam.eye[0], p[2] - vf.cam.eye[2]) > vf.vis) continue;
    if (frustum_sees(&vf.frustum, p, 5.0f)) light_point(p, RED);
  }
}

void lights_reset() {
  for (int s = 0; s < LIGHT_SIZES; s++) lights[s] = vbuf{light_store[s], 0, LIGHTS_PER_SIZE};
}

void draw_lights() {
  airport_lights(!vf.dark);
  if (vf.dark) {
    city_lights();
    obstacle_lights();
  }
  // Lights shine through the haze on their own; they neither take fog nor hide what is behind.
  OGL_depth_write(0);
  for (int s = 0; s < LIGHT_SIZES; s++)
    vb_draw(&lights[s], OGL_BATCH_POINTS, -1, 0, 0, light_px[s]);
  OGL_depth_write(1);
}
