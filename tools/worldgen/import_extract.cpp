// Importer of the committed extract of open airport data (data/airports.txt): fields, runways and
// frequencies, with the data's holes filled: runways without surveyed ends, runways without even
// a name, unknown surfaces, tower flags and tower frequencies.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "worldgen.h"

static const double DEG = 3.14159265358979323846 / 180.0;

// One runway end as the extract gives it; a '-' leaves its flag clear.
struct raw_end {
  std::string ident;
  int has_pos, has_hdg;
  double lat, lon, hdg;
};

struct raw_runway {
  int len, width;
  char surface;  // the extract's letter
  int lit;
  raw_end end[2];
};

// The first field that fails to parse names the line; the rest of the import is then refused.
struct line_reader {
  const char* path;
  int line;
  std::string error;
};

static int fail(line_reader* in, const std::string& what) {
  if (in->error.empty()) in->error = std::string(in->path) + ":" + std::to_string(in->line) + ": " + what;
  return 0;
}

static std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> w;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) i++;
    size_t e = i;
    while (e < s.size() && s[e] != ' ' && s[e] != '\t' && s[e] != '\r') e++;
    if (e > i) w.push_back(s.substr(i, e - i));
    i = e;
  }
  return w;
}

static int real(line_reader* in, const std::string& s, const char* what, double lo, double hi, double* v) {
  char* end = nullptr;
  *v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != 0 || !std::isfinite(*v) || *v < lo || *v > hi)
    return fail(in, std::string("bad ") + what + " '" + s + "'");
  return 1;
}

static int whole(line_reader* in, const std::string& s, const char* what, int lo, int hi, int* v) {
  double d;
  if (!real(in, s, what, lo, hi, &d)) return 0;
  if (d != std::floor(d)) return fail(in, std::string("bad ") + what + " '" + s + "'");
  *v = (int)d;
  return 1;
}

// A frequency in kHz within the VHF airband, or '-' for none (0).
static int khz(line_reader* in, const std::string& s, const char* what, int* v) {
  *v = 0;
  return s == "-" || whole(in, s, what, 108000, 137000, v);
}

static int parse_airport(line_reader* in, const std::string& line, wg_airport* out) {
  std::vector<std::string> w = words(line);
  if (w.size() < 12) return fail(in, "an airport line needs 11 fields and a name");
  wg_airport& a = *out;
  a = wg_airport{};
  static const char kinds[] = "LMSWH";
  const char* k = w[3].size() == 1 ? std::strchr(kinds, w[3][0]) : nullptr;
  if (!k) return fail(in, "bad kind '" + w[3] + "'");
  a.size = (int)(k - kinds);
  a.kind = a.size == SIZE_SEAPLANE ? APT_KIND_SEAPLANE : (a.size == SIZE_HELIPORT ? APT_KIND_HELIPORT : APT_KIND_AIRPORT);
  double lat, lon, elev;
  int tower, unicom;
  if (!real(in, w[4], "latitude", -90, 90, &lat) || !real(in, w[5], "longitude", -180, 180, &lon) ||
      !real(in, w[6], "elevation", -2000, 30000, &elev) || !khz(in, w[8], "ATIS frequency", &a.atis_khz) ||
      !khz(in, w[9], "tower frequency", &tower) || !khz(in, w[10], "unicom frequency", &unicom))
    return 0;
  // The local (FAA) code is what US pilots use; the ICAO ident without its K stands in for it.
  if (!to_id(w[2], a.id) && !to_id(w[1], a.id)) a.id[0] = 0;
  a.lat = (float)lat;
  a.lon = (float)lon;
  a.elev_ft = (float)elev;
  a.scheduled = w[7] != "-";
  // The data has no tower flag: an ATIS, a tower frequency or the largest size class mark one.
  a.twr = a.atis_khz || tower || a.size == SIZE_LARGE;
  // A towered field's advisory frequency is its tower's, unless it is one of the UNICOM channels.
  a.twr_khz = tower ? tower : (a.twr && unicom && (unicom < 122700 || unicom > 123075) ? unicom : 0);
  // The name is the rest of the line after the eleventh field, blanks inside it kept.
  size_t at = 0;
  for (int f = 0; f < 11; f++) at = line.find_first_of(" \t", line.find_first_not_of(" \t", at));
  a.name = line.substr(line.find_first_not_of(" \t", at));
  while (!a.name.empty() && (a.name.back() == ' ' || a.name.back() == '\r')) a.name.pop_back();
  return 1;
}

static int parse_rwy_end(line_reader* in, const std::vector<std::string>& w, size_t f, raw_end* e) {
  e->ident = w[f] == "-" ? std::string() : w[f];
  e->has_pos = w[f + 1] != "-" && w[f + 2] != "-";
  e->has_hdg = w[f + 3] != "-";
  if ((w[f + 1] == "-") != (w[f + 2] == "-")) return fail(in, "a runway end needs both latitude and longitude");
  if (e->has_pos && (!real(in, w[f + 1], "end latitude", -90, 90, &e->lat) ||
                     !real(in, w[f + 2], "end longitude", -180, 180, &e->lon)))
    return 0;
  return !e->has_hdg || real(in, w[f + 3], "end heading", -360, 720, &e->hdg);
}

static int parse_runway(line_reader* in, const std::string& line, raw_runway* r) {
  std::vector<std::string> w = words(line);
  if (w.size() != 13) return fail(in, "a runway line needs 12 fields");
  if (!whole(in, w[1], "length", 0, 100000, &r->len) || !whole(in, w[2], "width", 0, 100000, &r->width)) return 0;
  if (w[3].size() != 1 || !std::strchr("ACGVDWMU", w[3][0])) return fail(in, "bad surface '" + w[3] + "'");
  r->surface = w[3][0];
  if (w[4] != "0" && w[4] != "1") return fail(in, "bad lighting flag '" + w[4] + "'");
  r->lit = w[4] == "1";
  return parse_rwy_end(in, w, 5, &r->end[0]) && parse_rwy_end(in, w, 9, &r->end[1]);
}

static int heading_of(double h) { return ((int)std::lround(h) % 360 + 360) % 360; }

// The extract's surface, or for an unknown one what the field's kind and the runway's length
// make most likely: water at seaplane bases, concrete pads at heliports, asphalt at the larger
// airports and on runways of 5000 ft and more (most of which are paved where the data says),
// turf below.
static int surface_of(const wg_airport& a, char s, int len_ft) {
  switch (s) {
    case 'A': return SURF_ASPHALT;
    case 'C': return SURF_CONCRETE;
    case 'G': return SURF_TURF;
    case 'V': return SURF_GRAVEL;
    case 'D': return SURF_DIRT;
    case 'W': return SURF_WATER;
    case 'M': return SURF_METAL;
    default: break;
  }
  if (a.kind == APT_KIND_SEAPLANE) return SURF_WATER;
  if (a.kind == APT_KIND_HELIPORT) return SURF_CONCRETE;
  return a.size <= SIZE_MEDIUM || len_ft >= 5000 ? SURF_ASPHALT : SURF_TURF;
}

// An end the data puts farther from the field's reference point than the runway's length and
// the spread of the largest fields (5 nm) belongs to no runway of this field: another field's
// survey, or a sign lost. It counts as not surveyed.
static raw_end near_end(const wg_airport& a, const raw_runway& w, int k) {
  raw_end e = w.end[k];
  double dn = (e.lat - a.lat) * 60.0, de = (e.lon - a.lon) * 60.0 * std::cos(a.lat * DEG);
  if (e.has_pos && std::sqrt(dn * dn + de * de) > 5.0 + w.len / 6076.0) e.has_pos = 0;
  return e;
}

// Places one runway: between its surveyed ends; from one surveyed end along its heading; from the
// reference point on the heading of its name; or, nameless, at the reference point with its
// heading left for the neighbours (hdng -1). Returns 0 for a runway without length.
static int lay_runway(const wg_airport& a, const raw_runway& w, wg_runway* r) {
  if (w.len <= 0) return 0;
  *r = wg_runway{};
  r->len_ft = std::min(w.len, 30000);
  r->width_ft = std::min(w.width > 0 ? w.width : (a.kind == APT_KIND_HELIPORT ? w.len : 60), 2000);
  r->surface = surface_of(a, w.surface, w.len);
  r->edge = !w.lit ? LIGHT_NONE : (w.len >= 8000 ? LIGHT_HIGH : LIGHT_MEDIUM);
  int paved = r->surface == SURF_ASPHALT || r->surface == SURF_CONCRETE;
  r->ils_want[0] = r->ils_want[1] = paved && a.kind == APT_KIND_AIRPORT ? -1 : 0;
  const raw_end e0 = near_end(a, w, 0), e1 = near_end(a, w, 1);
  int named = parse_end(e0.ident, &r->num, &r->lr);
  if (!named && parse_end(e1.ident, &r->num, &r->lr)) {
    named = 1;
    r->num = r->num > 18 ? r->num - 18 : r->num + 18;
    r->lr = r->lr == 'L' ? 'R' : (r->lr == 'R' ? 'L' : r->lr);
  }
  if (!named) r->lr = 'x';
  if (r->surface == SURF_WATER) r->lr = 'W';
  else if (r->lr == 'W') r->lr = 'x';
  double half = r->len_ft / 2.0;
  if (e0.has_pos && e1.has_pos && (e0.lat != e1.lat || e0.lon != e1.lon)) {
    r->laid = LAID_ENDS;
    r->lat = (float)((e0.lat + e1.lat) / 2);
    r->lon = (float)((e0.lon + e1.lon) / 2);
    double dn = e1.lat - e0.lat, de = (e1.lon - e0.lon) * std::cos(e0.lat * DEG);
    r->hdng = heading_of(e0.has_hdg ? e0.hdg : std::atan2(de, dn) / DEG);
  } else if ((e0.has_pos && e0.has_hdg) || (e1.has_pos && e1.has_hdg)) {
    r->laid = LAID_ONE_END;
    const raw_end& e = e0.has_pos && e0.has_hdg ? e0 : e1;
    int h = heading_of(e.hdg);
    along_course((float)e.lat, (float)e.lon, h, half, 0, &r->lat, &r->lon);
    r->hdng = &e == &e0 ? h : (h + 180) % 360;
  } else if (named) {
    r->laid = LAID_NAME;
    r->hdng = e0.has_hdg ? heading_of(e0.hdg) : true_from_magnetic(r->num * 10, a.lat, a.lon);
    lay_from_reference(a.lat, a.lon, r);
  } else {
    r->laid = LAID_NEIGHBOURS;
    r->hdng = -1;
    r->lat = a.lat;
    r->lon = a.lon;
  }
  if (!named && r->hdng >= 0) r->num = number_from_true(r->hdng, a.lat, a.lon);
  return 1;
}

static int longest_known(const wg_airport& a) {
  int best = -1;
  for (const wg_runway& r : a.rwy)
    if (r.hdng >= 0 && (best < 0 || r.len_ft > a.rwy[best].len_ft)) best = (int)(&r - &a.rwy[0]);
  return best;
}

// Runways without even a name take the heading of the field's own longest known runway, or of
// the nearest field's, since the runways of a district are built into the same winds; a field's
// further nameless runways cross at 60 degrees, as three-runway fields are laid out.
static void fill_nameless(std::vector<wg_airport>* apts) {
  std::map<std::pair<int, int>, std::vector<const wg_airport*>> known;
  for (const wg_airport& a : *apts)
    if (longest_known(a) >= 0) known[{(int)std::floor(a.lat), (int)std::floor(a.lon)}].push_back(&a);
  std::vector<int> base(apts->size(), -1);
  for (size_t k = 0; k < apts->size(); k++) {
    const wg_airport& a = (*apts)[k];
    int own = longest_known(a), need = 0;
    for (const wg_runway& r : a.rwy) need |= r.hdng < 0;
    if (!need) continue;
    if (own >= 0) {
      base[k] = a.rwy[own].hdng;
      continue;
    }
    double best = 1e9, c = std::cos(a.lat * DEG);
    int la = (int)std::floor(a.lat), lo = (int)std::floor(a.lon);
    // Rings of whole degrees outward until no nearer field can lie beyond the ring.
    for (int ring = 0; ring <= 6 && best > (ring - 1) * c * (ring > 0); ring++)
      for (int i = -ring; i <= ring; i++)
        for (int j = -ring; j <= ring; j++) {
          if (std::max(std::abs(i), std::abs(j)) != ring) continue;
          auto it = known.find({la + i, lo + j});
          if (it == known.end()) continue;
          for (const wg_airport* b : it->second) {
            double dn = b->lat - a.lat, de = (b->lon - a.lon) * c, d = std::sqrt(dn * dn + de * de);
            if (d < best) best = d, base[k] = b->rwy[longest_known(*b)].hdng;
          }
        }
    if (base[k] < 0) base[k] = 0;
  }
  for (size_t k = 0; k < apts->size(); k++) {
    wg_airport& a = (*apts)[k];
    int turn = longest_known(a) >= 0 ? 1 : 0;
    for (wg_runway& r : a.rwy)
      if (r.hdng < 0) {
        r.hdng = (base[k] + 60 * turn++) % 360;
        r.num = number_from_true(r.hdng, a.lat, a.lon);
      }
  }
}

// Reads and checks the whole file before anything of it is used.
static int read_extract(const char* path, std::vector<wg_airport>* out) {
  std::ifstream f(path);
  if (!f) return std::fprintf(stderr, "worldgen: cannot read %s\n", path), 0;
  line_reader in{path, 0, ""};
  std::string line;
  std::vector<std::vector<raw_runway>> rw;
  while (std::getline(f, line)) {
    in.line++;
    if (line.empty() || line[0] == '#') continue;
    if (line.compare(0, 2, "A ") == 0) {
      out->emplace_back();
      rw.emplace_back();
      if (!parse_airport(&in, line, &out->back())) break;
    } else if (line.compare(0, 2, "R ") == 0) {
      raw_runway r{};
      if (out->empty()) {
        fail(&in, "a runway before any airport");
        break;
      }
      if (!parse_runway(&in, line, &r)) break;
      rw.back().push_back(r);
    } else {
      fail(&in, "a line that is neither airport (A) nor runway (R)");
      break;
    }
  }
  if (in.error.empty() && f.bad()) fail(&in, "read error");
  if (!in.error.empty()) return std::fprintf(stderr, "worldgen: %s\n", in.error.c_str()), 0;
  for (size_t k = 0; k < out->size(); k++) {
    wg_airport& a = (*out)[k];
    for (const raw_runway& w : rw[k]) {
      wg_runway r;
      if (lay_runway(a, w, &r)) a.rwy.push_back(r);
    }
    // A heliport whose pad the data does not list still has one, of the usual 50 ft.
    if (a.rwy.empty() && a.kind == APT_KIND_HELIPORT) {
      raw_runway pad{50, 50, 'U', 0, {}};
      wg_runway r;
      lay_runway(a, pad, &r);
      a.rwy.push_back(r);
    }
  }
  fill_nameless(out);
  return 1;
}

int import_airports_extract(const char* path) {
  std::vector<wg_airport> raw;
  if (!read_extract(path, &raw)) return -1;
  // Three runways a field, the longest; in order of importance, so that of two fields that share
  // an identifier the more important keeps it.
  for (wg_airport& a : raw) {
    std::vector<wg_runway>& rw = a.rwy;
    std::stable_sort(rw.begin(), rw.end(), [](const wg_runway& x, const wg_runway& y) { return x.len_ft > y.len_ft; });
    if (rw.size() > 3) rw.resize(3);
  }
  std::stable_sort(raw.begin(), raw.end(), more_important);
  std::map<std::string, size_t> authored;
  for (size_t k = 0; k < wg.apt.size(); k++) authored[wg.apt[k].id] = k;
  std::set<std::string> seen;
  int taken = 0, nameless = 0, unusable = 0;
  for (const wg_airport& a : raw) {
    if (!a.id[0] || a.rwy.empty() || seen.count(a.id)) {
      unusable++;
      continue;
    }
    seen.insert(a.id);
    auto own = authored.find(a.id);
    if (own != authored.end() && wg.apt[own->second].keep) {
      wg_airport& o = wg.apt[own->second];
      o.kind = a.kind, o.scheduled = a.scheduled, o.twr_khz = a.twr_khz, o.atis_khz = a.atis_khz;
      continue;
    }
    if (own != authored.end())
      wg.apt[own->second] = a;
    else
      wg.apt.push_back(a);
    taken++;
  }
  for (const wg_airport& a : wg.apt)
    for (const wg_runway& w : a.rwy) nameless += !a.authored && w.laid == LAID_NEIGHBOURS;
  std::printf("worldgen: imported %d airports from %s (%d runways laid by their neighbours' heading, "
              "%d fields without runway or identifier, or a duplicate, left out)\n",
              taken, path, nameless, unusable);
  return taken;
}
