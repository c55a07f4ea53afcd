// Where things are for the controller: distances and bearings, the local airport, airports by
// identifier and places by name, what the list menus hold, and the active runway.
#include <cctype>
#include <cmath>
#include <cstring>

#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Distances -------------------------------------------------------------------------------

void nm_and_bearing(float lat1, float lon1, float lat2, float lon2, float* nm, float* brg) {
  const float dn = (lat2 - lat1) * 60.0f;
  // The aircraft's longitude runs on past the date line; the difference goes the short way round.
  const float de = std::remainder(lon2 - lon1, 360.0f) * 60.0f * std::cos(lat1 * con.degtorad);
  *nm = std::sqrt(dn * dn + de * de);
  *brg = std::atan2(de, dn) * con.radtodeg;
  if (*brg < 0.0f) *brg += 360.0f;
  // A place or an aircraft position that is not a number is nowhere near.
  if (!std::isfinite(*nm) || !std::isfinite(*brg)) *nm = 1.0e9f, *brg = 0.0f;
}

void apt_from_aircraft(int n, float* nm, float* brg) {
  nm_and_bearing(flt.lat, flt.lon, apt_lat[n][0], apt_lon[n][0], nm, brg);
}

void nav_from_aircraft(int n, float* nm, float* brg) {
  nm_and_bearing(flt.lat, flt.lon, nav_lat[n], nav_lon[n], nm, brg);
}

static int last_airport() { return intmin2(env.aptmax, APT_MAX - 1); }
static int last_navaid() { return intmin2(env.navmax, NAV_MAX - 1); }

// Distance (nm) from the aircraft to the nearest runway of airport n, along or beside it: 0 on the
// runway itself.
static float nm_from_runways(int n) {
  float least = 1.0e30f;
  for (int r = 0; r < APT_RWYS; r++) {
    if (r > 0 && apt_len[n][r] <= 1) continue;
    float d, b;
    nm_and_bearing(apt_lat[n][r], apt_lon[n][r], flt.lat, flt.lon, &d, &b);
    const float a = (b - static_cast<float>(apt_hdng[n][r])) * con.degtorad;
    const float half = 0.5f * fltmax2(static_cast<float>(apt_len[n][r]), 0.0f) * con.mtrstonm;
    const float along = d * std::cos(a), beside = d * std::sin(a);
    least = fltmin2(least, pythag(along - fltlim(along, -half, half), beside));
  }
  return least;
}

int local_airport() {
  int found = -1;
  if (env.apt_list_max < 0) return found;  // no region yet, or none of its airports
  // The field whose runway the aircraft is on, not whichever runway's middle is nearest: at the
  // east end of San Diego's runway 27 a heliport's pad lies 0.4 nm away and the runway's middle
  // 0.75 nm.
  float best = 1.0e30f;
  for (int n = 0; n <= last_airport(); n++) {
    if (!apt_inreg[n]) continue;
    const float d = nm_from_runways(n);
    if (d < best) best = d, found = n;
  }
  return found;
}

int on_ground_at_tower(int apt) {
  if (!flt.onsurface || apt < 0 || apt >= APT_MAX || !apt_twr[apt]) return 0;
  // Near any of its runways: at a large field the far end of one runway lies more than 3 nm from
  // the middle of another.
  for (int r = 0; r < APT_RWYS; r++) {
    if (r > 0 && apt_len[apt][r] <= 1) continue;
    float d, b;
    nm_and_bearing(flt.lat, flt.lon, apt_lat[apt][r], apt_lon[apt][r], &d, &b);
    if (d < 3.0f) return 1;
  }
  return 0;
}

// ---- Look-ups --------------------------------------------------------------------------------

int find_apt_by_id(const char* id) {
  char want[5] = "    ";
  int n = 0;
  for (; id[n] && n < 5; n++) {
    if (n == 4) {
      for (const char* p = id + 4; *p; p++)
        if (*p != ' ') return -1;  // five letters name no airport
      break;
    }
    want[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(id[n])));
  }
  if (want[0] == ' ') return -1;
  int found = -1;
  for (int k = 0; k <= last_airport(); k++)
    if (std::strncmp(apt_id[k], want, 4) == 0) found = k;
  char faa[5] = "";
  if (found < 0 && apt_faa_of_icao(want, faa))
    for (int k = 0; k <= last_airport(); k++)
      if (std::strncmp(apt_id[k], faa, 4) == 0) found = k;
  return found;
}

// Length of s without its trailing blanks.
static size_t trimmed(const char* s, size_t max) {
  size_t n = strnlen(s, max);
  while (n > 0 && s[n - 1] == ' ') n--;
  return n;
}

int find_by_name(const char* name, int localizer) {
  const size_t n = trimmed(name, STR_SIZE);
  if (n == 0) return -1;
  const int last = localizer ? last_navaid() : last_airport();
  // Names repeat across the country (several fields are "Arlington Municipal Airport"): the one
  // picked from the region's list is the near one, not the first of the database.
  int found = -1;
  float best = 0.0f;
  for (int k = 0; k <= last; k++) {
    if (localizer && nav_type[k] != 4 && nav_type[k] != 5) continue;
    const char* s = localizer ? nav_name[k] : apt_name[k];
    if (trimmed(s, 40) != n || std::strncmp(s, name, n) != 0) continue;
    float d, b;
    if (localizer)
      nav_from_aircraft(k, &d, &b);
    else
      apt_from_aircraft(k, &d, &b);
    if (found < 0 || d < best) found = k, best = d;
  }
  return found;
}

// ---- List menus ------------------------------------------------------------------------------

int use_apt(int n) {
  if (n < 0 || n > last_airport() || !apt_inreg[n]) return 0;
  if (atc.menu_level == ATC_MENU_VECTORS) return 1;
  return (atc.menu_level == ATC_MENU_ATIS || atc.menu_level == ATC_MENU_LANDING) && apt_twr[n];
}

int use_nav(int n) {
  if (n < 0 || n > last_navaid() || !nav_inreg[n]) return 0;
  return (atc.menu_level == ATC_MENU_ILS && nav_type[n] == 4) ||
         (atc.menu_level == ATC_MENU_LOC && nav_type[n] == 5);
}

// ---- Active runway ---------------------------------------------------------------------------

// Difference of two directions, degrees 0..180.
static float angle_apart(float a, float b) {
  float d = std::fmod(std::fabs(a - b), 360.0f);
  return d > 180.0f ? 360.0f - d : d;
}

// The runway end of airport apt whose heading is nearest to `course` (true): runway 0 always,
// runways 1 and 2 when they exist; end 1 is the runway's heading, end 2 its reciprocal.
static void nearest_end(int apt, float course, int* rway, int* end) {
  float best = 1.0e9f;
  for (int r = 0; r < APT_RWYS; r++) {
    if (r > 0 && apt_len[apt][r] <= 1) continue;
    for (int e = 1; e <= 2; e++) {
      const float d = angle_apart(apt_hdng[apt][r] + (e == 2 ? 180.0f : 0.0f), course);
      if (d < best) best = d, *rway = r, *end = e;
    }
  }
}

// Localizer n lies at airport apt: within 5 nm of its first runway.
static int localizer_at(int apt, int n) {
  if (nav_type[n] != 4 && nav_type[n] != 5) return 0;
  const float dlat = nav_lat[n] - apt_lat[apt][0], dlon = nav_lon[n] - apt_lon[apt][0];
  return std::sqrt(dlat * dlat + dlon * dlon) * 60.0f < 5.0f;
}

// The runway end of airport apt that localizer nav leads to, of those facing within 10 degrees
// of its course, and how far (nm) the localizer stands off that runway's centreline: parallel
// runways share their heading, and the localizer stands on the centreline of its own. 1e9 when
// no runway end faces its course.
static float localizer_end(int apt, int nav, int* rway, int* end) {
  const float course = static_cast<float>(nav_hdng[nav]);
  float least = 1.0e9f;
  for (int r = 0; r < APT_RWYS; r++) {
    if (r > 0 && apt_len[apt][r] <= 1) continue;
    for (int e = 1; e <= 2; e++) {
      const float h = apt_hdng[apt][r] + (e == 2 ? 180.0f : 0.0f);
      if (angle_apart(h, course) > 10.0f) continue;
      float d, b;
      nm_and_bearing(apt_lat[apt][r], apt_lon[apt][r], nav_lat[nav], nav_lon[nav], &d, &b);
      const float off = std::fabs(d * std::sin((b - h) * con.degtorad));
      if (off < least) least = off, *rway = r, *end = e;
    }
  }
  return least;
}

int localizer_rway(int apt, int nav, int* rway, int* end) {
  if (apt < 0 || apt > last_airport() || nav < 0 || nav > last_navaid() || !localizer_at(apt, nav))
    return 0;
  if (localizer_end(apt, nav, rway, end) >= 1.0e9f)
    nearest_end(apt, static_cast<float>(nav_hdng[nav]), rway, end);
  return 1;
}

int localizer_airport(int nav) {
  if (nav < 0 || nav > last_navaid()) return -1;
  int nearest = -1, served = -1;
  float best = 1.0e30f, least = 1.0e9f;
  for (int k = 0; k <= last_airport(); k++) {
    float d, b;
    nm_and_bearing(nav_lat[nav], nav_lon[nav], apt_lat[k][0], apt_lon[k][0], &d, &b);
    if (d < best) best = d, nearest = k;
    int r, e;
    if (!localizer_at(k, nav)) continue;
    const float off = localizer_end(k, nav, &r, &e);
    if (off < least) least = off, served = k;
  }
  return served >= 0 ? served : nearest;
}

void get_active_rway(int apt, int* rway, int* end, int* has_ils, int* ils_nav) {
  *rway = 0, *end = 1, *has_ils = 0, *ils_nav = -1;
  if (apt < 0 || apt > last_airport()) return;
  for (int r = 1; r < APT_RWYS; r++)
    if (apt_len[apt][r] > apt_len[apt][*rway]) *rway = r;

  // The layers hold the wind's direction in magnetic degrees; runways and localizers are true.
  const int k = wind_index(apt_h[apt]);
  float wind = atm.wnddir[k] - static_cast<float>(find_var(apt_lat[apt][0], apt_lon[apt][0]));
  if (!std::isfinite(wind)) wind = 0.0f;
  const float wind_kt = atm.wndspd[k] * con.msctokts;
  float best = 1.0e9f;
  for (int n = 0; n <= last_navaid(); n++) {
    // Within 5 nm of a field can stand another field's localizer (Los Angeles' three from the
    // east at Hawthorne, Ontario's 26L at Chino): the approach to it lands at that other field.
    if (!localizer_at(apt, n) || localizer_airport(n) != apt) continue;
    const float d = angle_apart(static_cast<float>(nav_hdng[n]), wind);
    // An approach with the wind behind it is no approach to land on: with more than 5 kt of
    // tailwind the runway end into the wind is used instead, as without a localizer.
    if (-wind_kt * std::cos(d * con.degtorad) > 5.0f) continue;
    if (d < best) best = d, *ils_nav = n;
  }
  if (*ils_nav >= 0) {
    *has_ils = 1;
    nearest_end(apt, static_cast<float>(nav_hdng[*ils_nav]), rway, end);
  } else if (atm.wndspd[k] * con.msctokts > 5.0f) {
    nearest_end(apt, wind, rway, end);
  }
}
