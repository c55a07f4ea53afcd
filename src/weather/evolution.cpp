// The weather's once-a-second work: following the real-weather file "USA.rwx", moving towards its
// targets, keeping every setting in its range, and letting the weather drift by itself.
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

enum { RWX_LINE_LEN = 399 };  // characters kept of a line of the real-weather file

// Fall of the standard atmosphere's temperature with height below the tropopause, deg F per ft.
static const float FIELD_LAPSE_F_PER_FT = (518.69f - 390.5f) / 36152.0f;

// Kept between seconds.
struct weather_sec_state {
  int inited;             // the targets have been taken from atm
  float vis, base, tops;  // real-weather targets: visibility, cloud base and tops, m
  float rain;             // real-weather target of rain_tstm
  int have_reading;       // the file has been looked for at least once
  int lat, lon;           // whole degrees of the last reading
  int secs;               // seconds since the last reading
  int active;             // a report for the region has been applied
  int notice_shown;       // the real-weather notice has been shown
  int drawn;              // a random change rate has been drawn
  float rate;             // the random change rate
  float rate_t;           // when it was drawn, s of msc.elap_time
};
static weather_sec_state ws;

void reset_weather_sec() { ws = weather_sec_state{}; }

// fltlim that also turns a value that is not a number into the low end.
static float lim(float x, float lo, float hi) { return x >= lo ? (x <= hi ? x : hi) : lo; }

static float wrap_to(float a, float period) {
  if (!std::isfinite(a)) return 0.0f;
  a = std::fmod(a, period);
  return a < 0.0f ? a + period : a;
}

// What the scan of the file has found so far: the report of the nearest region airport with a line.
struct report_search {
  std::vector<int> region;  // database indexes of the region's airports
  float best;               // distance of the nearest so far, degrees
  int found;
  char* report;
  float* elevation;
};

// One line of at most 399 characters: its first four name an airport, the rest is its report.
static void consider_line(const char* line, size_t len, report_search* s) {
  if (len < 4) return;
  for (int n : s->region) {
    if (std::memcmp(apt_id[n], line, 4) != 0) continue;
    float d = pythag(flt.lat - apt_lat[n][0], flt.lon - apt_lon[n][0]);
    if (!(d < s->best)) continue;
    s->best = d;
    std::memcpy(s->report, line + 4, len - 4);
    s->report[len - 4] = '\0';
    *s->elevation = apt_h[n];
    s->found = 1;
  }
}

// Reads the file in blocks, so that a file of any size or a line of any length costs no more than
// a line's worth of memory. Returns 0 when no line belongs to a region airport.
static int find_report(std::ifstream& in, char* report, float* elevation) {
  report_search s{{}, 9999.0f, 0, report, elevation};
  for (int n = 0; n < APT_MAX; n++)
    if (apt_inreg[n]) s.region.push_back(n);
  char block[4096], line[RWX_LINE_LEN + 1];
  size_t len = 0;
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    for (std::streamsize k = 0; k < in.gcount(); k++) {
      char c = block[k];
      if (c == '\r' || c == '\n') {
        consider_line(line, len, &s);
        len = 0;
      } else if (len < RWX_LINE_LEN) {
        line[len++] = c;
      }
    }
  }
  consider_line(line, len, &s);
  return s.found;
}

// Upper layers follow the reported ground wind with random changes of direction and strength.
static void spread_reported_wind() {
  atm.wind_tbl = 1.0f;
  atm.shrdir[0] = 2.0f * atm.shrspd[0];
  atm.tbl[0] = 0.1f * atm.wndspd[0] + 0.2f * atm.shrspd[0];
  for (int k = 1; k < WIND_LAYERS; k++) {
    atm.wnddir[k] = atm.wnddir[0] + fltrand(-30, 30);
    atm.wndspd[k] = atm.wndspd[0] * fltrand(0.5f, 1.5f);
    atm.shrdir[k] = atm.shrdir[0] + fltrand(-30, 30);
    atm.shrspd[k] = atm.shrspd[0] * fltrand(0.5f, 1.5f);
    atm.tbl[k] = atm.tbl[0] * fltrand(0.5f, 1.5f);
  }
}

void read_real_weather() {
  if (!ws.inited) {
    ws.inited = 1;
    ws.vis = atm.vis;
    ws.base = atm.baseMSL;
    ws.tops = atm.topsMSL;
    ws.rain = atm.rain_tstm;
  }
  ws.secs++;
  int lat = inttrunc(flt.lat), lon = inttrunc(flt.lon);
  if (ws.have_reading && lat == ws.lat && lon == ws.lon && ws.secs <= 59) return;
  ws.have_reading = 1;
  ws.lat = lat;
  ws.lon = lon;
  ws.secs = 0;

  char path[STR_SIZE];
  C_plus_C(app_path, "USA.rwx", path);
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  char report[RWX_LINE_LEN + 1] = "";
  float elevation = 0.0f;
  // A file with nothing for this region leaves the weather alone: taking it over would reset the
  // winds, storms and clock every minute to values no report gave.
  if (!find_report(in, report, &elevation)) return;

  ws.active = 1;
  atm.rate_change = 4;
  int kind = 0, level = 0;
  float from_true = -1.0f, field_temp = NAN;
  decode_wxr(report, elevation, &msc.zulu_time, &atm.cld_type, &ws.base, &ws.tops, &ws.vis, &kind,
             &level, &field_temp, &atm.dewp_SL, &from_true, &atm.wndspd[0], &atm.shrspd[0],
             &atm.baro);
  // A report gives the wind from true north; the layers hold it magnetic, as the weather window
  // and the controller give it to the pilot.
  if (from_true >= 0.0f) atm.wnddir[0] = mag_from_true(from_true);
  // The report's temperature is the field's; the atmosphere lapses from a sea-level one, which
  // is warmer by the standard lapse over the field's height, or a high field would be as much
  // colder and its air denser than the report says.
  if (std::isfinite(field_temp))
    atm.temp_SL = field_temp + FIELD_LAPSE_F_PER_FT * elevation * con.mtrstoft;
  atm.burst_prob = 1.0f;
  if (kind == 1 && level >= 1 && level <= 3) atm.burst_prob = 2.0f + static_cast<float>(level);
  ws.rain = atm.burst_prob;
  if (kind >= 2 && kind <= 4) {
    if (level == 1) ws.rain = 2.0f;
    if (level == 2) ws.rain = 3.5f;
    if (level == 3) ws.rain = 5.0f;
  }
  if (!ws.notice_shown) {
    ws.notice_shown = 1;
    MACIBM_alert("I have detected the file 'USA.rwx' in the Kestrix folder.",
                 "I shall therefore use that file to set the TIME and WEATHER conditions, though "
                 "you can over-ride the TIME setting.",
                 "You can over-ride the WEATHER settings in the 'Set Weather' window as well, but "
                 "REAL conditions will soon over-ride YOUR settings!",
                 "For complete weather CONTROL, rather than using REAL weather, remove the file "
                 "'USA.rwx' from the Kestrix folder.",
                 ALERT_NOTICE);
    msc.locl_time = fltwrap(msc.zulu_time + intround(flt.lon / 15.0f) * 3600.0f, 0, 86400);
  }
  spread_reported_wind();
}

// Elevation of the selected airport; an airport number that is not in the database counts as sea
// level.
static float selected_airport_h() {
  int n = msc.loc_apt_wrl;
  return n >= 0 && n < APT_MAX ? apt_h[n] : 0.0f;
}

void settle_weather() {
  if (ws.active) {
    atm.baseMSL = 0.02f * ws.base + 0.98f * atm.baseMSL;
    atm.topsMSL = 0.02f * ws.tops + 0.98f * atm.topsMSL;
    atm.rain_tstm = 0.02f * ws.rain + 0.98f * atm.rain_tstm;
    // While the frame rate is too low the loop holds the visibility near 3 nm: the report may
    // bring it closer to that band but not undo it.
    float three = 3.0f * con.nmtomtrs;
    int held = msc.running_slow &&
               ((atm.vis >= three && ws.vis > atm.vis) || (atm.vis < three && ws.vis < atm.vis));
    if (!held) atm.vis = 0.02f * ws.vis + 0.98f * atm.vis;
  }
  if (atm.rain_tstm > 1.5f) atm.cld_type = 1;

  float ft = con.fttomtrs, kt = con.ktstomsc;
  float field = selected_airport_h();
  atm.baseMSL = lim(atm.baseMSL, field + 50.0f, 98999.0f * ft);
  atm.topsMSL = lim(atm.topsMSL, atm.baseMSL + 1000.0f * ft, 99999.0f * ft);
  atm.baseAGL = atm.baseMSL - field;
  atm.vis = lim(atm.vis, 0.1f * con.nmtomtrs, 20.0f * con.nmtomtrs);
  atm.rain_tstm = lim(atm.rain_tstm, 1, 5);
  atm.wind_tbl = lim(atm.wind_tbl, 1, 5);
  atm.burst_prob = lim(atm.burst_prob, 1, 5);
  for (int k = 0; k < WIND_LAYERS; k++) {
    atm.wnddir[k] = wrap_to(atm.wnddir[k], 360.0f);
    atm.shrdir[k] = lim(atm.shrdir[k], 0, 180);
    atm.wndspd[k] = lim(atm.wndspd[k], 0, 99.0f * kt);
    atm.shrspd[k] = lim(atm.shrspd[k], 0, 99.0f * kt);
    atm.tbl[k] = lim(atm.tbl[k], 0, 9);
  }
}

// Moves a 1..5 setting by -0.01 c with probability |c|.
static void drift_setting(float* x, float c) {
  if (fltrand(0, 1) < std::fabs(c)) *x = lim(*x - 0.01f * c, 1, 5);
}

void evolve_weather() {
  if (atm.rate_change == 4) return;
  float rate;
  if (atm.rate_change == 8) {
    if (!ws.drawn || clock_since(msc.elap_time, ws.rate_t) >= 600.0f) {
      ws.drawn = 1;
      ws.rate_t = msc.elap_time;
      ws.rate = fallout(fltrand(1, 7), 3, 5);
    }
    rate = ws.rate;
  } else {
    // Rates beyond 1..7 would turn the cloud layer inside out within a second.
    rate = lim(static_cast<float>(atm.rate_change), 1, 7);
  }
  // Above 4 the weather improves: higher bases, lower tops, further visibility, less of the rest.
  float c = (rate - 4.0f) / 3.0f;
  if (atm.change_clouds) {
    atm.topsMSL *= (500.0f - c) / 500.0f;
    atm.baseMSL *= (500.0f + c) / 500.0f;
  }
  if (atm.change_vis) atm.vis *= (500.0f + c) / 500.0f;
  if (atm.change_precip) drift_setting(&atm.rain_tstm, c);
  if (atm.change_turb) {
    drift_setting(&atm.wind_tbl, c);
    assign_wind_tbl(0.05f);
  }
  if (atm.change_micro) drift_setting(&atm.burst_prob, c);
}
