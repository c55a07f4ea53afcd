// The runner's airport starts and wind: the navigation database, the real terrain region around
// an airport, the runway and start type chosen for the flight start, and a steady wind.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "flyrun.h"
#include "app/app.h"
#include "atc/atc.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

int fly_airport_world(const fly_options* o, char* err) {
  init_country_data();
  int n = find_apt_by_id(o->airport);
  if (n < 0) {
    std::snprintf(err, FLY_ERR, "no airport '%s' in the database", o->airport);
    return 0;
  }
  // The start would fall back to the first runway for one the airport does not have.
  const int runway = intlim(o->runway, 0, 5);
  if (runway >= 2 && apt_len[n][runway / 2] < 1) {
    int ends = 0;
    while (ends < 2 * APT_RWYS && apt_len[n][ends / 2] >= 1) ends += 2;
    char id[5];
    std::snprintf(id, sizeof id, "%s", o->airport);
    for (int k = 3; k > 0 && id[k] == ' '; k--) id[k] = '\0';
    std::snprintf(err, FLY_ERR, "--runway %d: airport %s has runway ends 0..%d only", runway, id,
                  ends > 0 ? ends - 1 : 1);
    return 0;
  }
  msc.loc_apt_wrl = n;
  msc.rway_sel = runway;
  msc.typestart = o->airport_start;
  region_corner_for_airport(n);
  load_region();
  return 1;
}

// A frequency the NAV receivers can find: a VOR's or a localizer's.
static int nav_frequency_known(int key) {
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) {
    int t = nav_type[n];
    if ((t == 3 || t == 4 || t == 5) && nav_f12[n] == key) return 1;
  }
  return 0;
}

int fly_check_radios(const fly_options* o, const fly_script* s, char* err) {
  for (int k = -1; k < s->count; k++) {
    const unsigned mask = k < 0 ? o->given : s->entry[k].mask;
    const int key = k < 0 ? o->controls.nav1 : s->entry[k].c.nav1;
    if (!(mask & FLY_NAV1)) continue;
    if (!o->airport_start && !o->at_position) {
      std::snprintf(err, FLY_ERR,
                    "nav1 needs a real world (--start runway, vfr-final or ils-final, or --lat "
                    "and --lon): the flat world has no radio aids");
      return 0;
    }
    if (!nav_frequency_known(key)) {
      std::snprintf(err, FLY_ERR, "no VOR or localizer in the database is on %d.%02d MHz",
                    key / 100, key % 100);
      return 0;
    }
  }
  return 1;
}

// The layers hold the direction the wind comes from in magnetic degrees, as the weather window
// sets them; the wind at the aircraft is set too, as the model blows it there (near the ground, only
// a share of it), so it blows from the first frame on.
void fly_set_wind(float dir, float kt) {
  float s = kt * con.ktstomsc;
  for (int k = 0; k < WIND_LAYERS; k++) {
    atm.wnddir[k] = mag_from_true(dir);
    atm.wndspd[k] = s;
    atm.shrdir[k] = atm.shrspd[k] = atm.tbl[k] = 0.0f;
  }
  set_wind_at_aircraft();
}
