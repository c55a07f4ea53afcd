// Wind at the aircraft: the wind layers, turbulence targets, thermals and microbursts, new random
// layers, and the storm level of the region's storm field around a point.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// Upper limit of layers 0..7 in feet; layer 8 lies above them all.
static const float layer_top_ft[WIND_LAYERS - 1] = {1000, 2000, 3000,  4000,
                                                    5000, 7000, 10000, 15000};

// What wxcalc keeps between event ticks.
struct wxcalc_state {
  int calls;         // calls since the last turbulence draw
  float tx, ty, tz;  // turbulence targets, m/s east, up, north
  int burst;         // microburst: 0 none, 1 headwind, 2 tailwind, 3 head to tail with downdraft
  float burst_t0;    // start of the burst, s of msc.elap_time
  float burst_len;   // its duration, s
  float burst_h;     // horizontal speed of the burst, m/s
  float burst_v;     // vertical speed of the burst, m/s
  float base_dir;    // base direction of the last new layers, degrees
};
static wxcalc_state wx;

void reset_wxcalc() { wx = wxcalc_state{}; }

void reset_turbulence() {
  float base_dir = wx.base_dir;
  wx = wxcalc_state{};
  wx.base_dir = base_dir;
  // The flight's first tick draws its targets from the layer it flies in: targets of zero would
  // pull the wind at the aircraft towards calm until the twelfth tick drew the first ones.
  wx.calls = 11;
}

// Angle into 0..360 however far out it lies.
static float wrap360(float a) {
  a = std::fmod(a, 360.0f);
  return a < 0.0f ? a + 360.0f : a;
}

int wind_index(float h) {
  for (int k = 0; k < WIND_LAYERS - 1; k++)
    if (h < layer_top_ft[k] * con.fttomtrs) return k;
  return WIND_LAYERS - 1;
}

// The thermal flag of the aircraft's cell; a cell index that has no place in the grid has none.
static int thermal_under_aircraft() {
  int i = env.i_aircraft, j = env.j_aircraft;
  if (i < 0 || i >= THERMAL_I || j < 0 || j >= THERMAL_J) return 0;
  return atm.therm_on_poly[i][j];
}

// Share of the horizontal wind that blows at a height above what the air flows over: half up to
// 10 m, growing to all of it at 20 m.
static float ground_share(float agl) { return fltlim(agl / 20.0f, 0.5f, 1.0f); }

void set_wind_at_aircraft() {
  float agl = static_cast<float>(flt.Y) - carrying_surface_h();
  int k = wind_index(flt.h);
  float d = true_from_mag(atm.wnddir[k]) * con.degtorad;
  float s = atm.wndspd[k] * ground_share(agl);
  atm.wind_X = -s * std::sin(d);
  atm.wind_Z = -s * std::cos(d);
  atm.wind_Y = 0.0f;
}

// New turbulence targets from the layer the aircraft is in: the layer's mean wind with its random
// spread, gusts scaled by the storm level and the layer's turbulence, and the thermal. Near the
// ground the horizontal parts are halved and the vertical part fades out.
static void draw_turbulence_targets(float agl) {
  int k = wind_index(flt.h);
  float s = atm.wndspd[k] + atm.shrspd[k] * fltrand(-1, 1);
  int d = intwrap(inttrunc(true_from_mag(atm.wnddir[k] + atm.shrdir[k] * fltrand(-1, 1))), 0, 359);
  // A wind from d blows towards d + 180: its east and north parts are negative for d in 0..180.
  float wx_mean = -s * isin(d);
  float wz_mean = -s * icos(d);
  float th = thermal_under_aircraft() ? atm.thermal_vvi : 0.0f;
  float amp = atm.level * 10.0f + atm.tbl[k] * 2.0f;
  float fh = ground_share(agl);
  float fv = fltlim(agl / 100.0f, 0.0f, 1.0f);
  wx.tx = (amp * fltrand(-1, 1) + wx_mean) * fh;
  wx.tz = (amp * fltrand(-1, 1) + wz_mean) * fh;
  wx.ty = (amp * fltrand(-1, 1) + th) * fv;
}

// A microburst may start below 300 m when the setting allows them. The chance per tick rises from
// 0.1 in 300 at setting 1 to 0.1 in 60 at setting 5; the setting is held to that range here so
// that a wild value cannot make every tick a burst.
static void maybe_start_burst(float agl) {
  if (!(atm.burst_prob > 1.0f) || !(agl < 300.0f)) return;
  float p = interp(1, 300, 5, 60, fltlim(atm.burst_prob, 1.0f, 5.0f));
  if (!(fltrand(0, p) <= 0.1f)) return;
  wx.burst = intrand(1, 3);
  wx.burst_t0 = msc.elap_time;
  wx.burst_len = fltrand(10, 20);
  wx.burst_h = fltrand(30, 90) * con.ktstomsc;
  wx.burst_v = fltrand(2000, 8000) * con.fpmtomsc;
  if (pln.bitchinbettyEQ && msc.warn_bb) play_buffer(13, 0);
}

// The burst's wind on the aircraft, sx, sy, sz (east, up, north). Its phase runs from 0 to 1 over
// its duration; time is measured since its start so that a burst spanning midnight still ends.
static void burst_wind(float* sx, float* sy, float* sz) {
  *sx = *sy = *sz = 0.0f;
  atm.inshear = 0;
  if (wx.burst == 0) return;
  float t = clock_since(msc.elap_time, wx.burst_t0);
  if (t > wx.burst_len) {
    wx.burst = 0;
    return;
  }
  float phase = t / wx.burst_len;
  float e = 0.0f, v = 0.0f;
  if (wx.burst == 1) e = std::sin(con.pi * phase);
  if (wx.burst == 2) e = -std::sin(con.pi * phase);
  if (wx.burst == 3) {
    e = std::sin(2.0f * con.pi * phase);
    v = (std::cos(2.0f * con.pi * phase) - 1.0f) * 0.5f;
  }
  *sx = -wx.burst_h * e * flt.sinpsi;
  *sz = -wx.burst_h * e * flt.cospsi;
  *sy = wx.burst_v * v;
  atm.inshear = 1;
}

void wxcalc() {
  // Height above what the air flows over: a ship's deck, an oil rig's or a roof stops it as the
  // ground does, so an aircraft parked on one is not pressed down by a downdraft.
  float agl = static_cast<float>(flt.Y) - carrying_surface_h();
  // Every twelfth call: the count before the call must exceed 10.
  if (wx.calls > 10) {
    wx.calls = 0;
    draw_turbulence_targets(agl);
  } else {
    wx.calls++;
  }
  if (wx.burst == 0) maybe_start_burst(agl);
  float sx, sy, sz;
  burst_wind(&sx, &sy, &sz);
  // The downdraft cannot blow through the ground: like the turbulence's vertical part it fades
  // out over the last 100 m and the burst spreads along the surface as its outflow.
  sy *= fltlim(agl / 100.0f, 0.0f, 1.0f);
  atm.wind_X = (wx.tx + sx) * 0.1f + atm.wind_X * 0.9f;
  atm.wind_Z = (wx.tz + sz) * 0.1f + atm.wind_Z * 0.9f;
  atm.wind_Y = (wx.ty + sy) * 0.1f + atm.wind_Y * 0.9f;
}

// Directions move along the shorter arc towards their target, so that a wind near north drifting
// towards another near north does not swing round through south.
static float closer_direction(float from, float target, float rate) {
  float turn = std::fmod(target - from, 360.0f);
  if (turn > 180.0f) turn -= 360.0f;
  if (turn < -180.0f) turn += 360.0f;
  return wrap360(closer_assymp(from, from + turn, rate));
}

// Mean direction of the nine layers, degrees, taken round the circle; the last base direction
// when the layers cancel out.
static float layers_mean_direction() {
  float e = 0.0f, n = 0.0f;
  for (int k = 0; k < WIND_LAYERS; k++) {
    e += std::sin(atm.wnddir[k] * con.degtorad);
    n += std::cos(atm.wnddir[k] * con.degtorad);
  }
  if (!(std::fabs(e) + std::fabs(n) > 1.0e-3f)) return wx.base_dir;
  return wrap360(std::atan2(e, n) * con.radtodeg);
}

void assign_wind_tbl(float rate) {
  // A fresh draw picks a new base direction. A slow drift wanders about the direction the layers
  // blow from now, which the weather window or a report may have set since the last draw: towards
  // a direction of its own, a wind set from the west would turn to blow from it within a minute.
  wx.base_dir = rate > 0.9f ? fltrand(0, 359) : layers_mean_direction();
  // Windiness below 1 (or not a number) would give a root of a negative number: it counts as calm.
  float w = (atm.wind_tbl - 1.0f) / 4.0f;
  float f = std::pow(w > 0.0f ? fltmin2(w, 1.0f) : 0.0f, 1.5f);
  for (int k = 0; k < WIND_LAYERS; k++) {
    float dir = wx.base_dir + fltrand(-90.0f * f, 90.0f * f);
    atm.wnddir[k] = closer_direction(atm.wnddir[k], dir, rate);
    atm.wndspd[k] = closer_assymp(atm.wndspd[k], fltrand(0, 90.0f * f) * con.ktstomsc, rate);
    atm.shrdir[k] = closer_assymp(atm.shrdir[k], fltrand(0, 150.0f * f), rate);
    atm.shrspd[k] = closer_assymp(atm.shrspd[k], fltrand(0, 30.0f * f) * con.ktstomsc, rate);
    atm.tbl[k] = closer_assymp(atm.tbl[k], fltrand(0, 15.0f * f), rate);
  }
}

float storm_level_at(float x, float z) {
  float fi = interp(env.lox, 0, env.hix, WXR_I - 1, x);
  float fk = interp(env.loz, 0, env.hiz, WXR_K - 1, z);
  if (!std::isfinite(fi) || !std::isfinite(fk)) return 0.0f;
  // Far outside the field only the edge matters; holding the index near it keeps the sums in range.
  int i = inttrunc(fltlim(fi, -8.0f, WXR_I + 8.0f));
  int k = inttrunc(fltlim(fk, -8.0f, WXR_K + 8.0f));
  float sum = 0.0f;
  for (int di = -2; di <= 2; di++)
    for (int dk = -2; dk <= 2; dk++)
      sum += atm.wxr[intlim(i + di, 0, WXR_I - 1)][intlim(k + dk, 0, WXR_K - 1)];
  return (atm.rain_tstm - 1.0f) * sum / 25.0f;
}

int strike_lit(int k) {
  const float t = atm.strike_t_exp[k];
  return t >= 0.0f && !clock_reached(msc.elap_time, t);
}
