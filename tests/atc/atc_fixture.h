// Shared set-up of the controller's tests: every record reset, a small database of airports and
// localizers around San Bernardino in a region of their own, the aircraft "Trainer" N12AB near
// it, and the controller's sentences collected as they are said.
#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "support/test_support.h"

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

inline std::vector<std::string>& said() {
  static std::vector<std::string> s;
  return s;
}
inline void collect_sentence(const char* text) { said().push_back(text); }
inline std::string last_said() { return said().empty() ? "" : said().back(); }
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

const char CALL_SIGN[] = "Trainer november one two alpha bravo ";

enum { SBD = 0, TWIN = 1, TWIN_AGAIN = 2, HIGH = 3, ISBD = 0, POMONA_VOR = 1 };

inline void put_airport(int n, const char* id, const char* name, float lat, float lon, float h_m,
                        int tower) {
  C_to_C(id, apt_id[n]);
  C_to_C(name, apt_name[n]);
  apt_lat[n][0] = lat, apt_lon[n][0] = lon, apt_h[n] = h_m, apt_twr[n] = tower;
  apt_num[n][0] = 6, apt_hdng[n][0] = 72, apt_len[n][0] = 3000, apt_lr[n][0] = 'x';
  apt_inreg[n] = 1;
}

inline void put_navaid(int n, int type, const char* id, const char* name, float lat, float lon,
                       int hdng, int f12) {
  nav_type[n] = type, nav_lat[n] = lat, nav_lon[n] = lon, nav_hdng[n] = hdng, nav_f12[n] = f12;
  nav_h[n] = 350.0f;
  C_to_C(id, nav_id[n]);
  C_to_C(name, nav_name[n]);
  nav_inreg[n] = 1;
}

inline void reset_atc_world() {
  reset_world_state();
  init_constants();
  said().clear();
  atc_said_hook = collect_sentence;
  atc_hooks.open_plan_window = nullptr;
  env.lat_sou = 34, env.lon_wes = -118;
  put_airport(SBD, "SBD ", "San Bernardino International", 34.0954f, -117.2349f, 350.0f, 1);
  apt_twrf[SBD] = 119450;
  put_airport(TWIN, "TWN ", "Twin Field", 34.5f, -117.5f, 100.0f, 0);
  apt_num[TWIN][0] = 9, apt_hdng[TWIN][0] = 90;
  apt_num[TWIN][1] = 18, apt_hdng[TWIN][1] = 180, apt_len[TWIN][1] = 1500, apt_lr[TWIN][1] = 'x';
  put_airport(TWIN_AGAIN, "TW2 ", "Twin Field", 35.5f, -116.0f, 100.0f, 1);
  put_airport(HIGH, "HIG ", "High Field", 35.0f, -117.0f, 2000.0f, 1);
  env.aptmax = 3, env.apt_list_max = 3;
  put_navaid(ISBD, 4, "ISBD", "SBD ILS 06", 34.1005f, -117.216f, 72, 11170);
  put_navaid(POMONA_VOR, 3, "POM ", "Pomona", 34.0786f, -117.7869f, 0, 11040);
  env.navmax = 3;
  C_to_C("Trainer.acf", pln.C_file);
  C_to_C("N12AB", pln.tailnum);
  atm.baro = 29.92f;
  flt.lat = 34.0f, flt.lon = -117.5f;
  flt.h = flt.h_ind = 1500.0f;
  start_atc_dialogue();
}

class AtcTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_atc_world(); }
  void TearDown() override { atc_said_hook = nullptr; }
};
