// Importers of public airport, runway and navaid tables in the common CSV layout.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

#include "worldgen.h"

std::vector<std::string> csv_split(const std::string& line) {
  std::vector<std::string> out(1);
  int quoted = 0;
  for (size_t i = 0; i < line.size(); i++) {
    char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        out.back() += '"';
        i++;
      } else if (c == '"') {
        quoted = 0;
      } else {
        out.back() += c;
      }
    } else if (c == '"') {
      quoted = 1;
    } else if (c == ',') {
      out.emplace_back();
    } else if (c != '\r') {
      out.back() += c;
    }
  }
  return out;
}

// A table: the header's column positions and one record at a time. A quoted field may run over
// a line end, so lines are joined while a quote is open.
struct csv_table {
  std::ifstream in;
  std::map<std::string, size_t> col;
  std::vector<std::string> rec;
};

static int next_record(csv_table* t) {
  std::string line, more;
  if (!std::getline(t->in, line)) return 0;
  while (std::count(line.begin(), line.end(), '"') % 2 && std::getline(t->in, more)) line += "\n" + more;
  t->rec = csv_split(line);
  return 1;
}

static int open_table(const char* path, const std::vector<const char*>& need, csv_table* t) {
  t->in.open(path);
  if (!t->in || !next_record(t)) {
    std::fprintf(stderr, "worldgen: cannot read %s\n", path);
    return 0;
  }
  for (size_t k = 0; k < t->rec.size(); k++) t->col[t->rec[k]] = k;
  for (const char* n : need)
    if (!t->col.count(n)) {
      std::fprintf(stderr, "worldgen: %s has no column %s\n", path, n);
      return 0;
    }
  return 1;
}

static std::string field(const csv_table& t, const char* name) {
  size_t k = t.col.at(name);
  return k < t.rec.size() ? t.rec[k] : std::string();
}

static int number(const std::string& s, double* v) {
  char* end = nullptr;
  *v = std::strtod(s.c_str(), &end);
  return !s.empty() && *end == 0 && std::isfinite(*v);
}

static int in_world(double lat, double lon) {
  return lat >= WORLD_LAT0 && lat <= WORLD_LAT1 && lon >= WORLD_LON0 && lon <= WORLD_LON1;
}

int to_id(const std::string& ident, char id[5]) {
  std::string s = ident;
  if (s.size() == 4 && s[0] == 'K' && std::isalpha((unsigned char)s[1])) s = s.substr(1);
  if (s.empty() || s.size() > 4) return 0;
  for (char c : s)
    if (!std::isalnum((unsigned char)c)) return 0;
  std::snprintf(id, 5, "%-4.4s", s.c_str());
  return 1;
}

// Index of every airport by identifier; public tables hold tens of thousands of rows.
static std::map<std::string, int> airport_index() {
  std::map<std::string, int> ix;
  for (size_t k = 0; k < wg.apt.size(); k++) ix.emplace(wg.apt[k].id, (int)k);
  return ix;
}

int import_airports_csv(const char* path) {
  csv_table t;
  if (!open_table(path, {"ident", "type", "name", "latitude_deg", "longitude_deg", "elevation_ft"}, &t)) return -1;
  int taken = 0;
  std::map<std::string, int> ix = airport_index();
  while (next_record(&t)) {
    std::string type = field(t, "type");
    // Public tables carry no tower flag; their large and medium airports are taken as towered.
    int twr = type == "large_airport" || type == "medium_airport";
    if (!twr && type != "small_airport") continue;
    wg_airport a{};
    double lat, lon, elev = 0;
    if (!to_id(field(t, "ident"), a.id) || !number(field(t, "latitude_deg"), &lat) ||
        !number(field(t, "longitude_deg"), &lon) || !in_world(lat, lon) || ix.count(a.id))
      continue;
    number(field(t, "elevation_ft"), &elev);
    a.lat = (float)lat;
    a.lon = (float)lon;
    a.elev_ft = (float)elev;
    a.twr = twr;
    a.name = field(t, "name");
    ix.emplace(a.id, (int)wg.apt.size());
    wg.apt.push_back(a);
    taken++;
  }
  return taken;
}

static int parse_designator(const std::string& s, int* num, char* lr) {
  std::string d = s;
  *lr = 'x';
  if (!d.empty() && (d.back() == 'L' || d.back() == 'R' || d.back() == 'C')) *lr = d.back(), d.pop_back();
  double v;
  if (!number(d, &v) || v < 1 || v > 36 || v != std::floor(v)) return 0;
  *num = (int)v;
  return 1;
}

int import_runways_csv(const char* path) {
  csv_table t;
  if (!open_table(path, {"airport_ident", "length_ft", "width_ft", "lighted", "le_ident", "le_latitude_deg",
                         "le_longitude_deg", "le_heading_degT", "he_ident", "he_latitude_deg",
                         "he_longitude_deg", "he_heading_degT"},
                  &t))
    return -1;
  int taken = 0;
  std::vector<char> touched(wg.apt.size());
  std::map<std::string, int> ix = airport_index();
  while (next_record(&t)) {
    char id[5];
    if (!to_id(field(t, "airport_ident"), id) || !ix.count(id)) continue;
    int k = ix[id];
    // Our own airports keep their own runways.
    if (wg.apt[k].authored) continue;
    wg_airport& a = wg.apt[k];
    wg_runway r{};
    double len, width = 75, v, lat1, lon1, lat2, lon2;
    if (!parse_designator(field(t, "le_ident"), &r.num, &r.lr)) continue;
    if (!number(field(t, "length_ft"), &len) || len < 100) continue;
    number(field(t, "width_ft"), &width);
    r.len_ft = (int)len;
    r.width_ft = std::max(10, (int)width);
    r.edge = field(t, "lighted") == "1" ? (len >= 8000 ? LIGHT_HIGH : LIGHT_MEDIUM) : LIGHT_NONE;
    r.ils_want[0] = r.ils_want[1] = -1;
    int ends = number(field(t, "le_latitude_deg"), &lat1) && number(field(t, "le_longitude_deg"), &lon1) &&
               number(field(t, "he_latitude_deg"), &lat2) && number(field(t, "he_longitude_deg"), &lon2);
    r.lat = ends ? (float)((lat1 + lat2) / 2) : a.lat;
    r.lon = ends ? (float)((lon1 + lon2) / 2) : a.lon;
    if (number(field(t, "le_heading_degT"), &v)) {
      r.hdng = ((int)std::lround(v) % 360 + 360) % 360;
    } else if (ends && (lat1 != lat2 || lon1 != lon2)) {
      double dn = lat2 - lat1, de = (lon2 - lon1) * std::cos(lat1 * 3.14159265358979 / 180);
      r.hdng = ((int)std::lround(std::atan2(de, dn) * 180 / 3.14159265358979) % 360 + 360) % 360;
    } else {
      r.hdng = true_from_magnetic(r.num * 10, a.lat, a.lon);
    }
    a.rwy.push_back(r);
    touched[k] = 1;
    taken++;
  }
  // The database holds three runways per airport: the longest three.
  for (size_t k = 0; k < touched.size(); k++) {
    if (!touched[k]) continue;
    std::vector<wg_runway>& rw = wg.apt[k].rwy;
    std::stable_sort(rw.begin(), rw.end(), [](const wg_runway& x, const wg_runway& y) { return x.len_ft > y.len_ft; });
    if (rw.size() > 3) taken -= (int)rw.size() - 3, rw.resize(3);
  }
  return taken;
}

int import_navaids_csv(const char* path) {
  csv_table t;
  if (!open_table(path, {"ident", "name", "type", "frequency_khz", "latitude_deg", "longitude_deg", "elevation_ft"}, &t))
    return -1;
  int taken = 0;
  while (next_record(&t)) {
    std::string type = field(t, "type");
    wg_navaid n{};
    double khz = 0, lat = 0, lon = 0, elev = 0;
    if (type == "VOR" || type == "VOR-DME" || type == "VORTAC")
      n.type = NAV_VOR;
    else if (type == "NDB" || type == "NDB-DME")
      n.type = NAV_NDB;
    else
      continue;
    std::string ident = field(t, "ident");
    if (ident.empty() || ident.size() > 4 || !number(field(t, "frequency_khz"), &khz) ||
        !number(field(t, "latitude_deg"), &lat) || !number(field(t, "longitude_deg"), &lon) || !in_world(lat, lon))
      continue;
    number(field(t, "elevation_ft"), &elev);
    // VORs are keyed in hundredths of a megahertz, NDBs in whole kilohertz.
    n.key = n.type == NAV_VOR ? (int)std::lround(khz / 10.0) : (int)khz;
    if (n.type == NAV_VOR ? (n.key < 10800 || n.key > 11795) : (n.key < 190 || n.key > 1750)) continue;
    std::snprintf(n.id, sizeof n.id, "%-4.4s", ident.c_str());
    int dup = 0;
    for (const wg_navaid& o : wg.nav)
      dup |= o.type == n.type && std::strcmp(o.id, n.id) == 0 && std::fabs(o.lat - lat) < 0.2 && std::fabs(o.lon - lon) < 0.2;
    if (dup) continue;
    n.lat = (float)lat;
    n.lon = (float)lon;
    n.elev_ft = (float)elev;
    n.name = field(t, "name");
    wg.nav.push_back(n);
    taken++;
  }
  return taken;
}
