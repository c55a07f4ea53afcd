// Fuzzes the weather report decoder and the real-weather file "USA.rwx" (two region airports to
// match): the decoded values and the settled weather must stay finite and within their ranges.
#include "fuzz_support.h"

#include <cmath>
#include <cstring>

#include "app/app.h"
#include "flight/flight.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

void add_airport(int n, const char* id, float lat, float lon, float h) {
  std::strcpy(apt_id[n], id);
  apt_lat[n][0] = lat, apt_lon[n][0] = lon, apt_h[n] = h, apt_inreg[n] = 1;
}

void decode_alone(const std::string& report) {
  float time = 0, base = 0, tops = 0, vis = 0, temp = 0, dewp = 0, dir = 0, spd = 0, gust = 0;
  float baro = 0;
  int cld = 0, kind = 0, level = 0;
  decode_wxr(report.c_str(), 100, &time, &cld, &base, &tops, &vis, &kind, &level, &temp, &dewp,
             &dir, &spd, &gust, &baro);
  check(time >= 0 && time < 86400);
  check(cld == 0 || cld == 1);
  check(kind >= 0 && kind <= 4 && level >= 0 && level <= 3);
  check(std::isfinite(base) && std::isfinite(tops) && vis >= 0 && std::isfinite(vis));
  check(dir >= 0 && dir <= 360 && spd >= 0 && gust >= 0);
  check(baro == 0 || (baro >= 20 && baro < 35));
}

void follow_file(const std::string& text) {
  fuzz_write("USA.rwx", reinterpret_cast<const uint8_t*>(text.data()), text.size());
  reset_atm();
  reset_weather_sec();
  atm.vis = 7 * con.nmtomtrs;
  atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1;
  read_real_weather();
  settle_weather();
  evolve_weather();
  check(atm.vis >= 185.0f && atm.vis <= 37041.0f);
  check(atm.rain_tstm >= 1 && atm.rain_tstm <= 5 && atm.burst_prob >= 1 && atm.burst_prob <= 5);
  check(std::isfinite(atm.baseMSL) && atm.topsMSL > atm.baseMSL && std::isfinite(atm.topsMSL));
  for (int k = 0; k < WIND_LAYERS; k++)
    check(atm.wnddir[k] >= 0 && atm.wnddir[k] <= 360 && std::isfinite(atm.wndspd[k]));
  check(msc.locl_time >= 0 && msc.locl_time <= 86400);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  reset_flt();
  reset_msc();
  app_path[0] = '\0', flt.lat = 34.2f, flt.lon = -118.1f;
  add_airport(1, "KAAA", 34.0f, -118.0f, 100);
  add_airport(2, "KBBB", 34.5f, -118.5f, 2000);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  fuzz_run([&] {
    decode_alone(text.c_str());  // up to the first NUL, as a report arrives
    follow_file(text);
  });
  return 0;
}
