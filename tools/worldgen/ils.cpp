// Generated instrument approaches: lighting codes, ILS localizers, glide slopes, marker beacons,
// compass locators and approach fixes, with frequencies that keep clear of nearby aids.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "worldgen.h"

// Metres per degree of latitude in the simulator's flat world (60 nautical miles of 1852 m).
static const double M_PER_DEG = 60.0 * 1852.0;
static const double FT = 0.3048;
static const double DEG = 3.14159265358979323846 / 180.0;

// Usual ILS distances: the glide-slope antenna about 1000 ft past the threshold, where a
// 3-degree path crosses the threshold at about 50 ft, and 400 ft beside the centreline; the
// localizer 1000 ft beyond the far end; outer, middle and inner markers 3.9 nm, 3500 ft and
// 1000 ft before the threshold; fixes 6 and 12 nm out on the course.
static const double GS_ALONG_FT = 1000, GS_ACROSS_FT = 400, LOC_BEYOND_FT = 1000;
static const double OM_FT = 3.9 * 6076.1155, MM_FT = 3500, IM_FT = 1000;
static const double FIX_NM[2] = {6.0, 12.0};

// Runway length at and above which a towered airport gets an ILS, and both ends get one.
static const int ILS_MIN_FT = 6000, ILS_BOTH_FT = 10000;

// Moves a point by metres east and north on the flat world.
static void offset(float lat, float lon, double east_m, double north_m, float* olat, float* olon) {
  *olat = (float)(lat + north_m / M_PER_DEG);
  *olon = (float)(lon + east_m / (M_PER_DEG * std::cos(lat * DEG)));
}

void along_course(float lat, float lon, int h, double along_ft, double across_ft, float* olat,
                         float* olon) {
  double s = std::sin(h * DEG), c = std::cos(h * DEG);
  double e = (along_ft * s + across_ft * c) * FT;
  double n = (along_ft * c - across_ft * s) * FT;
  offset(lat, lon, e, n, olat, olon);
}

static int end_heading(const wg_runway& r, int e) { return (r.hdng + 180 * e) % 360; }

static int end_number(const wg_runway& r, int e) {
  if (e == 0) return r.num;
  int n = r.num + 18;
  return n > 36 ? n - 36 : n;
}

static char end_letter(const wg_runway& r, int e) {
  if (e == 0 || r.lr == 'x' || r.lr == 'C') return r.lr;
  return r.lr == 'L' ? 'R' : 'L';
}

// "06", "24L": the designator of one end.
static std::string end_name(const wg_runway& r, int e) {
  char b[16];
  char l = end_letter(r, e);
  std::snprintf(b, sizeof b, "%02d%s", end_number(r, e), l == 'x' ? "" : std::string(1, l).c_str());
  return b;
}

// Lighting code digits per end: glide-slope lights (1 none, 2 VASI, 3 PAPI), runway lights
// (1 none, 2 medium edge, 3 high edge, 4 with centreline, 5 with centreline and touchdown zone)
// and approach lights (1 none, 2 end identifier lights, 4 approach lights with sequenced
// flashers, 6 full approach lights with high-intensity flashers). The source gives the edge
// lights; the rest follows from the runway's length and its ILS ends.
int lighting_code(const wg_runway& r, int twr) {
  int code[2];
  for (int e = 0; e < 2; e++) {
    int gls = 1, rwy = 1, app = 1;
    if (r.edge != LIGHT_NONE) {
      rwy = r.edge == LIGHT_HIGH ? 3 : 2;
      if (r.len_ft >= 3000) gls = r.edge == LIGHT_HIGH || twr ? 3 : 2;
      if (r.len_ft >= 5000) app = 2;
      if (r.ils[e]) {
        app = 4;
        if (r.edge == LIGHT_HIGH && r.len_ft >= 8000) rwy = 4;
        if (r.edge == LIGHT_HIGH && r.len_ft >= ILS_BOTH_FT) rwy = 5, app = 6;
      }
    }
    code[e] = gls * 100 + rwy * 10 + app;
  }
  return code[0] * 1000 + code[1];
}

// The 40 paired localizer channels: 108.10 to 111.95 MHz, odd tenths, with the 50 kHz splits.
int ils_channel_count() { return 40; }
int ils_channel(int k) {
  int mhz = 108 + k / 10, tenth = 1 + 2 * ((k % 10) / 2), half = (k % 2) * 5;
  return mhz * 100 + tenth * 10 + half;
}

// Reception range in flat degrees at 10000 ft, as the simulator's receivers grow it with height.
static float range_at_10000(int type) {
  float r0 = type == NAV_VOR ? 8.0f / 9.0f : 4.0f / 9.0f, r30 = type == NAV_VOR ? 28.0f / 9.0f : 14.0f / 9.0f;
  return r0 + (r30 - r0) * (10000.0f / 30000.0f);
}

float conflict_distance(int type_a, int type_b) { return range_at_10000(type_a) + range_at_10000(type_b); }

static int nav_band(int type) { return type == NAV_VOR || type == NAV_ILS || type == NAV_LOC; }

static float flat_distance(float lat1, float lon1, float lat2, float lon2) {
  return std::sqrt((lat1 - lat2) * (lat1 - lat2) + (lon1 - lon2) * (lon1 - lon2));
}

// Picks the frequency for a new aid of `type` at (lat, lon) among `n` candidate keys: the first
// one no aid of its band uses within reception conflict distance; when every channel is taken,
// the one whose nearest user is farthest away.
static int pick_frequency(int type, float lat, float lon, const std::vector<int>& keys) {
  int best = keys[0];
  float best_gap = -1;
  for (int key : keys) {
    float gap = 1e9f;
    int clear = 1;
    for (const wg_navaid& n : wg.nav) {
      if (n.key != key || (type == NAV_NDB ? n.type != NAV_NDB : !nav_band(n.type))) continue;
      float d = flat_distance(lat, lon, n.lat, n.lon);
      if (d < conflict_distance(type, n.type)) clear = 0;
      gap = std::min(gap, d);
    }
    if (clear) return key;
    if (gap > best_gap) best_gap = gap, best = key;
  }
  std::fprintf(stderr, "worldgen: no clear frequency near %.3f %.3f, reusing %d\n", lat, lon, best);
  return best;
}

void fix_name_from(uint32_t seed, char name[6]) {
  static const char cons[] = "BCDFGHJKLMNPRSTVWZ";
  static const char vow[] = "AEIOU";
  uint32_t s = seed * 2654435761u + 0x9e3779b9u;
  for (int k = 0; k < 5; k++) {
    s ^= s >> 13;
    s *= 0x5bd1e995u;
    s ^= s >> 15;
    name[k] = (k % 2 == 0) ? cons[s % 18] : vow[s % 5];
  }
  name[5] = 0;
}

// 1 when every 3 x 2 degree region holding the point has fewer than 70 aids of the type, so
// that the simulator's region list can take one more.
static int region_has_room(int type, float lat, float lon) {
  for (int la = (int)std::ceil(lat) - 2; la <= (int)std::floor(lat); la++)
    for (int lo = (int)std::ceil(lon) - 3; lo <= (int)std::floor(lon); lo++) {
      int n = 0;
      for (const wg_navaid& o : wg.nav)
        n += o.type == type && o.lat >= la && o.lat <= la + 2 && o.lon >= lo && o.lon <= lo + 3;
      if (n >= MAX_REGION_LIST) return 0;
    }
  return 1;
}

static uint32_t hash_text(const std::string& t) {
  uint32_t h = 2166136261u;
  for (unsigned char c : t) h = (h ^ c) * 16777619u;
  return h;
}

static void add_nav(int type, float lat, float lon, float elev, int key, int hdng, const char* id,
                    const std::string& name) {
  wg_navaid n{};
  n.type = type;
  n.lat = lat;
  n.lon = lon;
  n.elev_ft = elev;
  n.key = key;
  n.hdng = hdng;
  std::snprintf(n.id, sizeof n.id, "%-4.4s", id);
  n.name = name;
  wg.nav.push_back(n);
}

// Which ends of a runway get an ILS when the source leaves it open: the long runways of towered
// airports, on the end that lands into the prevailing westerly wind, both ends when very long.
static void choose_ils_ends(const wg_airport& a, wg_runway* r) {
  if (r->ils_want[0] >= 0 && r->ils_want[1] >= 0) return;
  int on = a.twr && r->len_ft >= ILS_MIN_FT;
  if (!on) {
    r->ils_want[0] = r->ils_want[1] = 0;
    return;
  }
  if (r->len_ft >= ILS_BOTH_FT) {
    r->ils_want[0] = r->ils_want[1] = 1;
    return;
  }
  auto off_wind = [](int h) { int d = std::abs(h - 250) % 360; return d > 180 ? 360 - d : d; };
  int e = off_wind(end_heading(*r, 0)) <= off_wind(end_heading(*r, 1)) ? 0 : 1;
  r->ils_want[e] = 1;
  r->ils_want[1 - e] = 0;
}

static std::string trimmed_id(const char* id) {
  std::string s(id);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void generate_ils() {
  std::vector<int> ils_keys, ndb_keys;
  for (int k = 0; k < ils_channel_count(); k++) ils_keys.push_back(ils_channel(k));
  for (int f = 200; f <= 415; f++) ndb_keys.push_back(f);
  std::set<std::string> fix_names;

  // Pinned frequencies first, so that the free choices keep clear of them.
  std::vector<int> nils(wg.apt.size());
  int full = 0;
  for (int pass = 0; pass < 2; pass++) {
    for (size_t ai = 0; ai < wg.apt.size(); ai++) {
      wg_airport& a = wg.apt[ai];
      std::string id = trimmed_id(a.id);
      std::string id3 = id.size() > 3 ? id.substr(id.size() - 3) : id;
      for (wg_runway& r : a.rwy) {
        choose_ils_ends(a, &r);
        for (int e = 0; e < 2; e++) {
          int pinned = r.ils_freq[e] != 0 || r.lom_khz != 0;
          if (r.ils_want[e] != 1 || (pass == 0) != pinned) continue;
          // Six aids and two fixes per approach; the database must still take them all.
          if (wg.nav.size() + 6 > (size_t)MAX_NAVAIDS || wg.fix.size() + 2 > (size_t)MAX_FIXES) {
            full++;
            continue;
          }
          r.ils[e] = 1;
          int h = end_heading(r, e);
          std::string rw = end_name(r, e);
          float tlat, tlon, lat, lon;
          along_course(r.lat, r.lon, h, -r.len_ft / 2.0, 0, &tlat, &tlon);
          along_course(r.lat, r.lon, h, r.len_ft / 2.0 + LOC_BEYOND_FT, 0, &lat, &lon);
          int key = r.ils_freq[e] ? r.ils_freq[e] : pick_frequency(NAV_ILS, lat, lon, ils_keys);
          // The first ILS of an airport is I + its identifier; others end in the runway number.
          int first = nils[ai]++ == 0;
          std::string ident = "I" + (first ? id3 : id3.substr(0, 1) + rw.substr(0, 2));
          add_nav(NAV_ILS, lat, lon, a.elev_ft, key, h, ident.c_str(), id + " ILS " + rw);
          along_course(tlat, tlon, h, GS_ALONG_FT, -GS_ACROSS_FT, &lat, &lon);
          add_nav(NAV_GS, lat, lon, a.elev_ft, key, h, ident.c_str(), id + " GS " + rw);
          const double mk[3] = {OM_FT, MM_FT, IM_FT};
          const char* mkname[3] = {" OM ", " MM ", " IM "};
          for (int m = 0; m < 3; m++) {
            along_course(tlat, tlon, h, -mk[m], 0, &lat, &lon);
            add_nav(NAV_OM + m, lat, lon, a.elev_ft, 7500, h, ident.c_str(), id + mkname[m] + rw);
          }
          along_course(tlat, tlon, h, -OM_FT, 0, &lat, &lon);
          if (first && region_has_room(NAV_NDB, lat, lon)) {
            // A compass locator at the outer marker gives the ADF a station at every ILS field.
            int f = r.lom_khz ? r.lom_khz : pick_frequency(NAV_NDB, lat, lon, ndb_keys);
            add_nav(NAV_NDB, lat, lon, a.elev_ft, f, h, ident.substr(1, 2).c_str(), id + " LOM " + rw);
          }
          for (int k = 0; k < 2; k++) {
            wg_fix fx{};
            along_course(tlat, tlon, h, -FIX_NM[k] * 6076.1155, 0, &fx.lat, &fx.lon);
            uint32_t seed = hash_text(id + "/" + rw + "/" + std::to_string(k));
            do fix_name_from(seed++, fx.name);
            while (!fix_names.insert(fx.name).second);
            wg.fix.push_back(fx);
          }
        }
      }
    }
  }
  if (full) std::fprintf(stderr, "worldgen: database full, %d approaches left out\n", full);
}

// Counts, per 3 x 2 degree region and per quadrant with its 0.1-degree margin, how many entries
// would fall into it, and admits an entry only while every region and quadrant holding it has
// room. Whole-degree edges belong to both sides, as the simulator's inclusive tests have it.
struct region_count {
  std::vector<int> n;
  int idx(int la, int lo) const { return (la + 90) * 361 + (lo + 180); }
};

static int admit(region_count* regions, region_count* quads, float lat, float lon, int use_quads) {
  int la0 = (int)std::ceil(lat) - 2, la1 = (int)std::floor(lat);
  int lo0 = (int)std::ceil(lon) - 3, lo1 = (int)std::floor(lon);
  int qa0 = (int)std::ceil(lat - 1.1f), qa1 = (int)std::floor(lat + 0.1f);
  int qo0 = (int)std::ceil(lon - 1.1f), qo1 = (int)std::floor(lon + 0.1f);
  for (int la = la0; la <= la1; la++)
    for (int lo = lo0; lo <= lo1; lo++)
      if (regions->n[regions->idx(la, lo)] >= MAX_REGION_LIST) return 0;
  if (use_quads)
    for (int la = qa0; la <= qa1; la++)
      for (int lo = qo0; lo <= qo1; lo++)
        if (quads->n[quads->idx(la, lo)] >= MAX_REGION_LIST) return 0;
  for (int la = la0; la <= la1; la++)
    for (int lo = lo0; lo <= lo1; lo++) regions->n[regions->idx(la, lo)]++;
  if (use_quads)
    for (int la = qa0; la <= qa1; la++)
      for (int lo = qo0; lo <= qo1; lo++) quads->n[quads->idx(la, lo)]++;
  return 1;
}

static int longest(const wg_airport& a) {
  int m = 0;
  for (const wg_runway& r : a.rwy) m = std::max(m, r.len_ft);
  return m;
}

bool more_important(const wg_airport& a, const wg_airport& b) {
  if (a.keep != b.keep) return a.keep > b.keep;
  if (a.scheduled != b.scheduled) return a.scheduled > b.scheduled;
  if (a.size != b.size) return a.size < b.size;
  if (longest(a) != longest(b)) return longest(a) > longest(b);
  return std::strcmp(a.id, b.id) < 0;
}

void thin_to_capacities() {
  std::vector<wg_airport> apts;
  std::vector<size_t> order;
  for (size_t k = 0; k < wg.apt.size(); k++)
    if (!wg.apt[k].rwy.empty() && std::fabs(wg.apt[k].lat) <= 89 && std::fabs(wg.apt[k].lon) <= 179)
      order.push_back(k);
  std::stable_sort(order.begin(), order.end(),
                   [](size_t x, size_t y) { return more_important(wg.apt[x], wg.apt[y]); });
  region_count regions{std::vector<int>(181 * 361)}, quads{std::vector<int>(181 * 361)};
  int kept = 0;
  // The airports stay in this order: the database lists the most important first.
  for (size_t k : order) {
    const wg_airport& a = wg.apt[k];
    if (kept < MAX_AIRPORTS && admit(&regions, &quads, a.rwy[0].lat, a.rwy[0].lon, 1))
      apts.push_back(a), kept++;
  }
  if (apts.size() < wg.apt.size())
    std::fprintf(stderr, "worldgen: left out %zu airports (no runway, or a region already full)\n",
                 wg.apt.size() - apts.size());
  wg.apt.swap(apts);

  // VORs and NDBs have region lists of their own; authored ones are admitted first.
  region_count vor{std::vector<int>(181 * 361)}, ndb{std::vector<int>(181 * 361)};
  std::vector<wg_navaid> navs;
  for (int pass = 1; pass >= 0; pass--)
    for (const wg_navaid& n : wg.nav)
      if (n.authored == pass && std::fabs(n.lat) <= 89 && std::fabs(n.lon) <= 179 &&
          admit(n.type == NAV_VOR ? &vor : &ndb, nullptr, n.lat, n.lon, 0) &&
          navs.size() < (size_t)MAX_NAVAIDS / 2)
        navs.push_back(n);
  if (navs.size() < wg.nav.size())
    std::fprintf(stderr, "worldgen: left out %zu navaids\n", wg.nav.size() - navs.size());
  wg.nav.swap(navs);
}
