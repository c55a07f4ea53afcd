// The sky: the sun's place and the light of the time of day, the weather's effect on that light,
// and the sky dome, stars and sun drawn around the eye.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// The sun's declination, degrees: a late-spring sun, up from before six to after seven.
static const float SUN_DECLINATION = 15.0f;

static float smooth01(float x) {
  x = fltlim(x, 0.0f, 1.0f);
  return x * x * (3.0f - 2.0f * x);
}

static void mix3(const float a[3], const float b[3], float t, float out[3]) {
  for (int k = 0; k < 3; k++) out[k] = a[k] + (b[k] - a[k]) * t;
}

float solar_time_at(float utc, float lon) {
  // Four minutes of time a degree; the clocks keep their zone's time, up to half an hour and more
  // from the sun's, and step by an hour where the zones meet.
  return fltwrap(utc + (std::isfinite(lon) ? lon : 0.0f) * 240.0f, 0.0f, 86400.0f);
}

void sky_for_time(float solar_time, float lat, sky_state* s) {
  const float d2r = con.degtorad;
  const float hour_angle = (fltwrap(solar_time, 0.0f, 86400.0f) / 3600.0f - 12.0f) * 15.0f * d2r;
  const float dec = SUN_DECLINATION * d2r, la = fltlim(lat, -89.0f, 89.0f) * d2r;
  const float up =
      std::sin(la) * std::sin(dec) + std::cos(la) * std::cos(dec) * std::cos(hour_angle);
  const float north =
      std::cos(la) * std::sin(dec) - std::sin(la) * std::cos(dec) * std::cos(hour_angle);
  const float east = -std::cos(dec) * std::sin(hour_angle);
  s->sun_dir[0] = east, s->sun_dir[1] = up, s->sun_dir[2] = -north;
  s->sun_elev = std::asin(fltlim(up, -1.0f, 1.0f)) * con.radtodeg;

  const float e = s->sun_elev;
  // Full day from 10 degrees up, night from 6 degrees down; the warm light of sunrise and sunset
  // is strongest with the sun just over the horizon.
  s->daylight = smooth01((e + 6.0f) / 16.0f);
  const float warm = fltmax2(0.0f, 1.0f - std::fabs(e - 2.0f) / 7.0f);

  static const float night_ratio[3] = {0.12f, 0.12f, 0.2f}, day_ratio[3] = {1.0f, 1.0f, 1.0f};
  mix3(night_ratio, day_ratio, s->daylight, s->ratio);
  s->ratio[0] *= 1.0f + 0.1f * warm;
  s->ratio[1] *= 1.0f - 0.12f * warm;
  s->ratio[2] *= 1.0f - 0.35f * warm;

  static const float night_zen[3] = {0.0f, 0.0f, 0.03f}, day_zen[3] = {0.22f, 0.42f, 0.85f};
  static const float night_hor[3] = {0.03f, 0.03f, 0.07f}, day_hor[3] = {0.68f, 0.78f, 0.9f};
  static const float glow[3] = {0.95f, 0.55f, 0.3f};
  mix3(night_zen, day_zen, s->daylight, s->zenith);
  mix3(night_hor, day_hor, s->daylight, s->horizon);
  mix3(s->horizon, glow, 0.7f * warm, s->horizon);

  // Direct sunlight only while the sun is up; the sky's own light always.
  const float direct = fltlim(std::sin(e * d2r) * 4.0f, 0.0f, 1.0f);
  for (int k = 0; k < 3; k++) {
    s->ratio[k] = fltlim(s->ratio[k], 0.0f, 1.0f);
    s->diffuse[k] = s->ratio[k] * 0.7f * direct;
    s->ambient[k] = s->ratio[k] * 0.45f;
  }
  s->star_bright = fltlim((-e - 4.0f) / 8.0f, 0.0f, 1.0f);
  s->sun_glow = s->daylight;
}

// A lightning strike lights the whole scene while it lasts.
static int strike_alive() {
  for (int k = 0; k < STRIKES; k++)
    if (strike_lit(k)) return 1;
  return 0;
}

void sky_weather(sky_state* s, int below_bases, int above_tops) {
  static const float cloud_grey[3] = {0.55f, 0.57f, 0.6f};
  const int clouds = atm.cld_type != 0;
  const int in_cloud = clouds && !below_bases && !above_tops;
  if (clouds && below_bases) {
    // Under the deck: no sun, a grey sky, and darker the heavier the rain.
    const float dim = 0.8f - 0.08f * fltlim(atm.level, 0.0f, 4.0f);
    for (int k = 0; k < 3; k++) {
      s->diffuse[k] *= 0.3f;
      s->ratio[k] *= dim;
      s->ambient[k] = s->ambient[k] * dim + s->diffuse[k];
      s->zenith[k] = (s->zenith[k] * 0.3f + cloud_grey[k] * 0.7f * s->daylight) * dim;
      s->horizon[k] = (s->horizon[k] * 0.5f + cloud_grey[k] * 0.5f * s->daylight) * dim;
    }
    s->star_bright = 0.0f;
    s->sun_glow = 0.0f;
  }
  if (in_cloud) {
    s->sun_glow = 0.0f;
    for (int k = 0; k < 3; k++)
      s->horizon[k] = s->zenith[k] = cloud_grey[k] * (0.3f + 0.7f * s->daylight);
    s->star_bright = 0.0f;
  }
  if (strike_alive()) {
    for (int k = 0; k < 3; k++) {
      s->ratio[k] = fltmin2(1.0f, s->ratio[k] + 0.5f);
      s->ambient[k] = fltmin2(1.0f, s->ambient[k] + 0.5f);
      s->horizon[k] = fltmin2(1.0f, s->horizon[k] + 0.4f);
      s->zenith[k] = fltmin2(1.0f, s->zenith[k] + 0.3f);
    }
  }
}

// ---- Drawing ---------------------------------------------------------------------------------

enum { DOME_AZ = 16, DOME_EL = 4 };
VBUF(dome, DOME_AZ* DOME_EL * 6);
VBUF(stars, STARS);
VBUF(sun, 3 * 24);

// Radius of the sky around the eye: inside the far end of the depth range.
static float sky_radius() { return 0.5f * fltmax2(vf.vis, 100.0f); }

static rgba dome_color(float el, float az_cos_to_sun) {
  const float t = el <= 0.0f ? 0.0f : std::pow(std::sin(el * con.degtorad), 0.6f);
  float c[3];
  mix3(vf.sky.horizon, vf.sky.zenith, t, c);
  // A brighter sky around the sun.
  const float glow = vf.sky.sun_glow * 0.25f * fltmax2(0.0f, az_cos_to_sun) * (1.0f - t);
  return color_of(c[0] + glow, c[1] + glow, c[2] + glow * 0.7f, 1.0f);
}

static void build_dome() {
  dome.n = 0;
  // Bands from the horizon up to the zenith. Below the horizon the picture is cleared to the
  // horizon's colour, which the ground fades into at the end of the visibility.
  static const float band[DOME_EL + 1] = {0.0f, 6.0f, 18.0f, 40.0f, 90.0f};
  const float r = sky_radius();
  const float* eye = vf.cam.eye;
  float sun_h[2] = {vf.sky.sun_dir[0], vf.sky.sun_dir[2]};
  const float sl = pythag(sun_h[0], sun_h[1]);
  if (sl > 1e-4f) sun_h[0] /= sl, sun_h[1] /= sl;
  for (int b = 0; b < DOME_EL; b++)
    for (int a = 0; a < DOME_AZ; a++) {
      float p[4][3];
      float toward[4];
      const int az_k[4] = {a, a + 1, a + 1, a};
      const int el_k[4] = {b + 1, b + 1, b, b};
      for (int c = 0; c < 4; c++) {
        const float az = az_k[c] * 360.0f / DOME_AZ * con.degtorad;
        const float el = band[el_k[c]] * con.degtorad;
        const float dx = std::sin(az) * std::cos(el), dz = -std::cos(az) * std::cos(el);
        p[c][0] = eye[0] + r * dx;
        p[c][1] = eye[1] + r * std::sin(el);
        p[c][2] = eye[2] + r * dz;
        toward[c] =
            sl > 1e-4f ? (dx * sun_h[0] + dz * sun_h[1]) / fltmax2(std::cos(el), 1e-3f) : 0.0f;
      }
      // The dome is drawn with both faces, so the corners' order does not matter.
      const float n[3] = {0.0f, 1.0f, 0.0f};
      vb_vertex(&dome, p[0], n, 0, 0, dome_color(band[el_k[0]], toward[0]));
      vb_vertex(&dome, p[2], n, 0, 0, dome_color(band[el_k[2]], toward[2]));
      vb_vertex(&dome, p[1], n, 0, 0, dome_color(band[el_k[1]], toward[1]));
      vb_vertex(&dome, p[0], n, 0, 0, dome_color(band[el_k[0]], toward[0]));
      vb_vertex(&dome, p[3], n, 0, 0, dome_color(band[el_k[3]], toward[3]));
      vb_vertex(&dome, p[2], n, 0, 0, dome_color(band[el_k[2]], toward[2]));
    }
}

static void build_stars() {
  stars.n = 0;
  if (vf.sky.star_bright <= 0.01f) return;
  const float scale = sky_radius() / 1000.0f;
  for (int k = 0; k < STARS; k++) {
    if (star_xyz[k][1] <= 0.0f) continue;
    // Fainter stars for most, a few bright ones.
    const float b = vf.sky.star_bright * (0.45f + 0.55f * hash01(k, 17));
    const float p[3] = {vf.cam.eye[0] + star_xyz[k][0] * scale,
                        vf.cam.eye[1] + star_xyz[k][1] * scale,
                        vf.cam.eye[2] + star_xyz[k][2] * scale};
    vb_point(&stars, p, color_of(b, b, b * 0.95f, 1.0f));
  }
}

static void build_sun() {
  sun.n = 0;
  // The cloud that takes the glow round the sun, in it or under its layer, hides the disc too.
  if (vf.sky.sun_elev < -3.0f || vf.sky.sun_glow <= 0.0f) return;
  // A disc facing the eye, a little larger than the real sun so that it reads on screen.
  const float r = sky_radius() * 0.95f, size = r * 0.025f;
  const float* d = vf.sky.sun_dir;
  float centre[3], a[3], b[3];
  for (int k = 0; k < 3; k++) centre[k] = vf.cam.eye[k] + d[k] * r;
  // Two axes across the line of sight to the sun.
  a[0] = -d[2], a[1] = 0.0f, a[2] = d[0];
  const float al = pythag(a[0], a[2]);
  if (al < 1e-4f)
    a[0] = 1.0f, a[2] = 0.0f;
  else
    a[0] /= al, a[2] /= al;
  b[0] = d[1] * a[2], b[1] = d[2] * a[0] - d[0] * a[2], b[2] = -d[1] * a[0];
  const rgba c = color_of(1.0f, 0.95f, 0.75f + 0.2f * vf.sky.daylight, 1.0f);
  const float n[3] = {0.0f, 1.0f, 0.0f};
  for (int s = 0; s < 24; s++) {
    const float t0 = s * con.pim2 / 24.0f, t1 = (s + 1) * con.pim2 / 24.0f;
    float p0[3], p1[3];
    for (int k = 0; k < 3; k++) {
      p0[k] = centre[k] + size * (std::cos(t0) * a[k] + std::sin(t0) * b[k]);
      p1[k] = centre[k] + size * (std::cos(t1) * a[k] + std::sin(t1) * b[k]);
    }
    vb_vertex(&sun, centre, n, 0, 0, c);
    vb_vertex(&sun, p0, n, 0, 0, c);
    vb_vertex(&sun, p1, n, 0, 0, c);
  }
}

void draw_sky() {
  build_dome();
  build_stars();
  build_sun();
  // The sky lies behind everything: drawn first, it leaves the depth buffer clear.
  OGL_depth_write(0);
  OGL_cull(0);
  OGL_setstate(0, 0, 0, 0);
  vb_send(&dome, OGL_BATCH_TRIANGLES, 1.0f);
  vb_send(&stars, OGL_BATCH_POINTS, 1.5f);
  vb_send(&sun, OGL_BATCH_TRIANGLES, 1.0f);
  OGL_cull(1);
  OGL_depth_write(1);
}
