// Reader of our authored world list: airports with their runways, VORs, NDBs and lake levels.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "worldgen.h"

worldgenstruct wg;

void reset_wg() {
  wg.apt.clear();
  wg.nav.clear();
  wg.fix.clear();
  wg.lakes.clear();
  wg.errors = 0;
}

// Magnetic variation, degrees east, around the year 2000 at a few cities, read off isogonic charts
// to about 2 degrees; between them it is interpolated by inverse squared distance. It only turns
// painted runway numbers into true headings where the source gives no surveyed heading.
static const float var_points[][3] = {
    {47.5f, -122.3f, 18.5f},  // Seattle
    {37.6f, -122.4f, 14.5f},  // San Francisco
    {34.0f, -118.3f, 12.5f},  // Los Angeles
    {33.4f, -112.0f, 11.0f},  // Phoenix
    {39.8f, -104.9f, 9.5f},   // Denver
    {32.9f, -97.0f, 5.0f},    // Dallas
    {44.9f, -93.2f, 1.5f},    // Minneapolis
    {41.9f, -87.7f, -2.0f},   // Chicago
    {33.6f, -84.4f, -3.5f},   // Atlanta
    {41.5f, -81.7f, -7.5f},   // Cleveland
    {25.8f, -80.3f, -4.5f},   // Miami
    {40.7f, -73.8f, -13.5f},  // New York
    {42.4f, -71.0f, -15.5f},  // Boston
    {44.8f, -68.8f, -18.0f},  // Bangor
};

float variation_east(float lat, float lon) {
  double sw = 0, sv = 0;
  for (const auto& p : var_points) {
    double dlat = lat - p[0], dlon = (lon - p[1]) * 0.8;
    double d2 = dlat * dlat + dlon * dlon;
    if (d2 < 1e-6) return p[2];
    sw += 1.0 / d2;
    sv += p[2] / d2;
  }
  return (float)(sv / sw);
}

int true_from_magnetic(int mag, float lat, float lon) {
  int h = (int)std::lround(mag + variation_east(lat, lon));
  return ((h % 360) + 360) % 360;
}

// Splits a line into words; a double-quoted text is one word, '#' outside quotes ends the line.
static std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> w;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == '#') break;
    if (c == ' ' || c == '\t' || c == '\r') {
      i++;
    } else if (c == '"') {
      size_t e = line.find('"', i + 1);
      if (e == std::string::npos) e = line.size();
      w.push_back(line.substr(i + 1, e - i - 1));
      i = e + 1;
    } else {
      size_t e = i;
      while (e < line.size() && line[e] != ' ' && line[e] != '\t' && line[e] != '\r') e++;
      w.push_back(line.substr(i, e - i));
      i = e;
    }
  }
  return w;
}

static int to_float(const std::string& s, float* v) {
  char* end = nullptr;
  double d = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != 0 || !std::isfinite(d)) return 0;
  *v = (float)d;
  return 1;
}

static int to_int(const std::string& s, int* v) {
  char* end = nullptr;
  long d = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != 0) return 0;
  *v = (int)d;
  return 1;
}

static void set_id(char id[5], const std::string& s) {
  std::snprintf(id, 5, "%-4.4s", s.c_str());
}

// Frequency in MHz ("111.70") or kHz ("210") as the key the navigation file stores.
static int mhz_key(const std::string& s, int* key) {
  float f;
  if (!to_float(s, &f) || f < 108.0f || f > 118.0f) return 0;
  *key = (int)std::lround(f * 100.0f);
  return 1;
}

int parse_end(const std::string& s, int* num, char* lr) {
  // Water lanes are often named by the compass: the end facing north is 36.
  static const char* const compass[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  static const int compass_num[] = {36, 5, 9, 14, 18, 23, 27, 32};
  for (int k = 0; k < 8; k++)
    if (s == compass[k]) return *num = compass_num[k], *lr = 'x', 1;
  if (s.empty() || s.size() > 3) return 0;
  std::string digits = s;
  *lr = 'x';
  char last = s.back();
  if (last == 'L' || last == 'R' || last == 'C' || last == 'W') {
    *lr = last;
    digits = s.substr(0, s.size() - 1);
  }
  return to_int(digits, num) && *num >= 1 && *num <= 36;
}

int number_from_true(int hdng, float lat, float lon) {
  int n = (int)std::lround((hdng - variation_east(lat, lon)) / 10.0);
  n %= 36;
  return n <= 0 ? n + 36 : n;
}

void lay_from_reference(float lat, float lon, wg_runway* r) {
  r->lat = lat;
  r->lon = lon;
  if (r->lr != 'L' && r->lr != 'R') return;
  double side_m = (r->lr == 'L' ? -2200.0 : 2200.0) * 0.3048, h = r->hdng * 3.14159265358979 / 180;
  r->lat = (float)(lat - side_m * std::sin(h) / 111120.0);
  r->lon = (float)(lon + side_m * std::cos(h) / (111120.0 * std::cos(lat * 3.14159265358979 / 180)));
}

static int latlon_ok(float lat, float lon) { return lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180; }

static void complain(const char* path, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: %s\n", path, line, what);
  wg.errors++;
}

static int parse_runway(const std::vector<std::string>& w, wg_airport* a, const char* path, int ln) {
  if (w.size() < 4) return complain(path, ln, "runway needs ends, length and width"), 0;
  wg_runway r{};
  r.lat = a->lat;
  r.lon = a->lon;
  r.edge = LIGHT_MEDIUM;
  r.surface = SURF_ASPHALT;
  r.ils_want[0] = r.ils_want[1] = -1;
  size_t slash = w[1].find('/');
  int num2;
  char lr2;
  if (slash == std::string::npos || !parse_end(w[1].substr(0, slash), &r.num, &r.lr) ||
      !parse_end(w[1].substr(slash + 1), &num2, &lr2))
    return complain(path, ln, "runway ends must read like 06/24 or 07L/25R"), 0;
  if (!to_int(w[2], &r.len_ft) || !to_int(w[3], &r.width_ft) || r.len_ft <= 0 || r.width_ft <= 0)
    return complain(path, ln, "runway length and width must be positive feet"), 0;
  int have_heading = 0, have_position = 0;
  for (size_t k = 4; k < w.size(); k++) {
    const std::string& o = w[k];
    int v;
    if ((o == "true" || o == "mag") && k + 1 < w.size() && to_int(w[k + 1], &v)) {
      r.hdng = o == "true" ? ((v % 360) + 360) % 360 : true_from_magnetic(v, a->lat, a->lon);
      have_heading = 1;
      k++;
    } else if (o == "at" && k + 2 < w.size() && to_float(w[k + 1], &r.lat) && to_float(w[k + 2], &r.lon)) {
      have_position = 1;
      k += 2;
    } else if (o == "unlit") {
      r.edge = LIGHT_NONE;
    } else if (o == "hirl") {
      r.edge = LIGHT_HIGH;
    } else if (o == "lom" && k + 1 < w.size() && to_int(w[k + 1], &v) && v >= 190 && v <= 535) {
      r.lom_khz = v;
      k++;
    } else if (o == "noils") {
      r.ils_want[0] = r.ils_want[1] = 0;
    } else if (o == "ils" && k + 1 < w.size()) {
      std::string end = w[++k];
      int key = 0;
      size_t at = end.find('@');
      if (at != std::string::npos) {
        if (!mhz_key(end.substr(at + 1), &key)) return complain(path, ln, "bad ILS frequency"), 0;
        end = end.substr(0, at);
      }
      int n;
      char l;
      if (!parse_end(end, &n, &l)) return complain(path, ln, "bad ILS runway end"), 0;
      int e = (n == r.num && l == r.lr) ? 0 : ((n == num2 && l == lr2) ? 1 : -1);
      if (e < 0) return complain(path, ln, "ILS end is not an end of this runway"), 0;
      r.ils_want[e] = 1;
      r.ils_freq[e] = key;
      if (r.ils_want[1 - e] < 0) r.ils_want[1 - e] = 0;
    } else {
      return complain(path, ln, ("unknown runway option " + o).c_str()), 0;
    }
  }
  // Without a surveyed heading the painted number is the magnetic heading to within 5 degrees.
  if (!have_heading) r.hdng = true_from_magnetic(r.num * 10, a->lat, a->lon);
  if (!have_position) lay_from_reference(a->lat, a->lon, &r);
  if (!latlon_ok(r.lat, r.lon)) return complain(path, ln, "runway position out of range"), 0;
  if (a->rwy.size() >= 3) return complain(path, ln, "at most 3 runways per airport"), 0;
  a->rwy.push_back(r);
  return 1;
}

int read_world_source(const char* path) {
  std::ifstream in(path);
  if (!in) return 0;
  std::string line;
  int ln = 0;
  wg_airport* cur = nullptr;
  while (std::getline(in, line)) {
    ln++;
    std::vector<std::string> w = words_of(line);
    if (w.empty()) continue;
    const std::string& kind = w[0];
    float lat, lon, elev;
    if (kind == "airport") {
      cur = nullptr;
      int keep = w.size() == 8 && w[7] == "keep";
      if ((w.size() != 7 && !keep) || w[1].size() > 4 || !to_float(w[2], &lat) || !to_float(w[3], &lon) ||
          !to_float(w[4], &elev) || !latlon_ok(lat, lon) || (w[5] != "tower" && w[5] != "notower")) {
        complain(path, ln, "airport ID LAT LON ELEV_FT tower|notower \"NAME\" [keep]");
        continue;
      }
      wg_airport a{};
      set_id(a.id, w[1]);
      a.lat = lat;
      a.lon = lon;
      a.elev_ft = elev;
      a.twr = w[5] == "tower";
      a.name = w[6];
      a.authored = 1;
      a.keep = keep;
      a.kind = APT_KIND_AIRPORT;
      a.size = a.twr ? SIZE_MEDIUM : SIZE_SMALL;
      for (const wg_airport& b : wg.apt)
        if (std::strcmp(b.id, a.id) == 0) complain(path, ln, "airport listed twice");
      wg.apt.push_back(a);
      cur = &wg.apt.back();
    } else if (kind == "runway") {
      if (!cur) {
        complain(path, ln, "runway outside an airport");
        continue;
      }
      parse_runway(w, cur, path, ln);
    } else if (kind == "vor" || kind == "ndb") {
      wg_navaid n{};
      float f;
      int ok = w.size() == 7 && w[1].size() <= 4 && to_float(w[2], &lat) && to_float(w[3], &lon) &&
               to_float(w[4], &elev) && latlon_ok(lat, lon);
      if (ok && kind == "vor") ok = mhz_key(w[5], &n.key);
      if (ok && kind == "ndb") ok = to_float(w[5], &f) && f >= 190 && f <= 1750 && (n.key = (int)f) > 0;
      if (!ok) {
        complain(path, ln, "vor|ndb ID LAT LON ELEV_FT FREQ \"NAME\"");
        continue;
      }
      n.type = kind == "vor" ? NAV_VOR : NAV_NDB;
      n.lat = lat;
      n.lon = lon;
      n.elev_ft = elev;
      set_id(n.id, w[1]);
      n.name = w[6];
      n.authored = 1;
      wg.nav.push_back(n);
    } else if (kind == "lake") {
      if (w.size() != 5 || !to_float(w[1], &lat) || !to_float(w[2], &lon) || !to_float(w[3], &elev)) {
        complain(path, ln, "lake LAT LON LEVEL_FT \"NAME\"");
        continue;
      }
      wg.lakes.push_back({lat, lon, elev * 0.3048f, w[4]});
    } else {
      complain(path, ln, ("unknown record " + kind).c_str());
    }
  }
  // A folder opens, and its first read fails: it is no list of nothing.
  return in.bad() ? 0 : 1;
}
