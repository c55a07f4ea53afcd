// The location windows: airports found by identifier (the list narrowing as it is typed), by a
// part of their name, and looked up with their details; a start at a typed latitude and longitude;
// and where the aircraft is, with the nearest fields and radio aids. Starting a flight goes through
// the simulator's one start path, with the region loaded around the new place first.
#include "app/settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Finding airports ------------------------------------------------------------------------

// What each airport window found: the airports listed, the runway ends of the one picked.
namespace {
struct airport_search {
  char typed[48];
  int row;                   // airport picked, -1 none
  int runway_row;            // runway end picked, -1 none
  std::vector<int> found;    // database index of each line
  std::vector<int> runways;  // rway_sel of each runway line
};
}  // namespace

static airport_search by_id, by_name, lookup;

static airport_search* search_of(int w) {
  return w == WIN_AIRPORT_ID ? &by_id : w == WIN_AIRPORT_NAME ? &by_name : &lookup;
}

static std::string upper_trimmed(const char* s, size_t n) {
  std::string r;
  for (size_t k = 0; k < n && s[k]; k++)
    r += static_cast<char>(std::toupper(static_cast<unsigned char>(s[k])));
  while (!r.empty() && r.back() == ' ') r.pop_back();
  while (!r.empty() && r.front() == ' ') r.erase(r.begin());
  return r;
}

static std::string id_of(int n) { return upper_trimmed(apt_id[n], 4); }
static std::string name_of(int n) { return upper_trimmed(apt_name[n], sizeof apt_name[n]); }

// By identifier, those that begin with what was typed; by name (and in the look-up, by either),
// those that hold it anywhere. Listed in order of identifier, or of name in the name window.
static void find_airports(int w) {
  airport_search* s = search_of(w);
  const std::string want = upper_trimmed(s->typed, sizeof s->typed);
  // An ICAO code finds the airport of its FAA identifier as well.
  char faa[5] = "";
  const std::string also = apt_faa_of_icao(want.c_str(), faa) ? upper_trimmed(faa, 4) : "";
  s->found.clear();
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++) {
    if (!apt_id[n][0]) continue;
    std::string id = id_of(n);
    const bool by_id = id.compare(0, want.size(), want) == 0 || (!also.empty() && id == also);
    bool hit = w == WIN_AIRPORT_ID     ? by_id
               : w == WIN_AIRPORT_NAME ? name_of(n).find(want) != std::string::npos
                                       : by_id || name_of(n).find(want) != std::string::npos;
    if (hit) s->found.push_back(n);
  }
  const bool by_names = w == WIN_AIRPORT_NAME;
  std::stable_sort(s->found.begin(), s->found.end(), [by_names](int a, int b) {
    return by_names ? std::strncmp(apt_name[a], apt_name[b], sizeof apt_name[a]) < 0
                    : std::strncmp(apt_id[a], apt_id[b], 4) < 0;
  });
  std::vector<std::string> lines;
  lines.reserve(s->found.size());
  char line[80];
  for (int n : s->found) {
    std::snprintf(line, sizeof line, "%-4s  %.39s", id_of(n).c_str(), apt_name[n]);
    lines.push_back(line);
  }
  form_list(w, "airports", lines);
  // The single match of a full identifier is picked at once.
  s->row = s->found.size() == 1 || (!s->found.empty() && id_of(s->found[0]) == want) ? 0 : -1;
}

static int picked_airport(const airport_search* s) {
  if (s->row < 0 || s->row >= static_cast<int>(s->found.size())) return -1;
  int n = s->found[static_cast<size_t>(s->row)];
  return n >= 0 && n <= env.aptmax && n < APT_MAX ? n : -1;
}

// Each runway end the picked airport has: rway_sel r is runway r / 2, from its far end when odd.
static void list_runways(int w) {
  airport_search* s = search_of(w);
  s->runways.clear();
  std::vector<std::string> lines;
  int n = picked_airport(s);
  for (int r = 0; n >= 0 && r < 2 * APT_RWYS; r++) {
    if (apt_len[n][r / 2] < 1) continue;
    char name[STR_SIZE], line[80];
    rwy_item_name(n, r / 2, r % 2, name);
    std::snprintf(line, sizeof line, "%.16s  %d ft", name,
                  static_cast<int>(apt_len[n][r / 2] * con.mtrstoft));
    s->runways.push_back(r);
    lines.push_back(line);
  }
  s->runway_row = s->runways.empty() ? -1 : 0;
  form_list(w, "runways", lines);
}

// A start at runway end r of airport n: the region around it first, then the flight.
static void start_at_airport(int n, int r) {
  msc.loc_apt_wrl = n;
  msc.rway_sel = r;
  std::snprintf(msc.req_id_str, sizeof msc.req_id_str, "%.4s", apt_id[n]);
  region_corner_for_airport(n);
  load_region();
  set_fltvars(START_AIRPORT);
}

static void airport_action(int w, int field, int element) {
  const form_window* def = form_of(w);
  const char* name = def->fields[field].name;
  airport_search* s = search_of(w);
  if (std::strcmp(name, "typed") == 0) {
    find_airports(w);
    list_runways(w);
  } else if (std::strcmp(name, "airports") == 0) {
    list_runways(w);
  } else if (std::strcmp(name, "go") == 0) {
    int n = picked_airport(s);
    int k = s->runway_row;
    if (n < 0 || k < 0 || k >= static_cast<int>(s->runways.size())) {
      MACIBM_alert("Pick an airport and one of its runways first.", "", "", "", ALERT_NOTICE);
      return;
    }
    start_at_airport(n, s->runways[static_cast<size_t>(k)]);
  }
}

static void airport_open(int w) {
  find_airports(w);
  list_runways(w);
}

static const char start_kinds[] = "Takeoff|Visual final, 1.5 nm|Instrument final, 9 nm";

static const form_field airport_id_fields[] = {
    field_text("typed", "Identifier", by_id.typed, sizeof by_id.typed),
    field_list("airports", &by_id.row, 14),
    field_list("runways", &by_id.runway_row, 4),
    via(field_choice("start", "Start", nullptr, 0, 2, start_kinds), get_start_kind, set_start_kind),
    field_button("go", "Fly from here"),
};
const form_window airport_id_form = {airport_id_fields, count_of(airport_id_fields), airport_open,
                                     nullptr, airport_action};

static const form_field airport_name_fields[] = {
    field_text("typed", "Name", by_name.typed, sizeof by_name.typed),
    field_list("airports", &by_name.row, 10),
    field_list("runways", &by_name.runway_row, 4),
    via(field_choice("start", "Start", nullptr, 0, 2, start_kinds), get_start_kind, set_start_kind),
    field_button("go", "Fly from here"),
};
const form_window airport_name_form = {airport_name_fields, count_of(airport_name_fields),
                                       airport_open, nullptr, airport_action};

// ---- Looking an airport up -------------------------------------------------------------------

static void show_details(int w) {
  int n = picked_airport(&lookup);
  char l1[120] = "", l2[120] = "", l3[120] = "";
  if (n >= 0) {
    std::snprintf(l1, sizeof l1, "%.4s %.39s, %d ft", apt_id[n], apt_name[n],
                  static_cast<int>(apt_h[n] * con.mtrstoft));
    std::snprintf(l2, sizeof l2, "%.2f %c  %.2f %c", std::fabs(apt_lat[n][0]),
                  apt_lat[n][0] >= 0.0f ? 'N' : 'S', std::fabs(apt_lon[n][0]),
                  apt_lon[n][0] >= 0.0f ? 'E' : 'W');
    std::string freqs = apt_twr[n] ? "Tower" : "No tower";
    char f[40];
    if (apt_twrf[n]) {
      std::snprintf(f, sizeof f, " %.2f", apt_twrf[n] / 1000.0);
      freqs += f;
    }
    if (apt_atisf[n]) {
      std::snprintf(f, sizeof f, ", ATIS %.2f", apt_atisf[n] / 1000.0);
      freqs += f;
    }
    std::snprintf(l3, sizeof l3, "%s", freqs.c_str());
  }
  form_text(w, "details", l1);
  form_text(w, "position", l2);
  form_text(w, "radio", l3);
}

static void lookup_open(int w) {
  airport_open(w);
  show_details(w);
}

static void lookup_action(int w, int field, int element) {
  airport_action(w, field, element);
  show_details(w);
}

static const form_field airport_ids_fields[] = {
    field_text("typed", "Identifier or name", lookup.typed, sizeof lookup.typed),
    field_list("airports", &lookup.row, 8),
    field_label("details", 330),
    field_label("position", 330),
    field_label("radio", 330),
    field_list("runways", &lookup.runway_row, 3),
    field_button("go", "Fly from here"),
};
const form_window airport_ids_form = {airport_ids_fields, count_of(airport_ids_fields), lookup_open,
                                      nullptr, lookup_action};

// ---- Latitude and longitude ------------------------------------------------------------------

// The place typed, and how the flight starts there: height, magnetic heading, speed.
static float place_lat, place_lon, place_alt_ft, place_hdg, place_kt;

static const form_field latlon_fields[] = {
    not_saved(field_number("lat", "Latitude", "deg N", &place_lat, -1000, 1000, 0.01f, 3)),
    not_saved(field_number("lon", "Longitude", "deg E", &place_lon, -1000, 1000, 0.01f, 3)),
    not_saved(field_number("alt", "Height", "ft MSL", &place_alt_ft, 0, 60000, 100, 0)),
    not_saved(wrapping(field_number("hdg", "Heading", "deg mag", &place_hdg, 0, 360, 1, 0))),
    not_saved(field_number("speed", "Speed", "kt", &place_kt, 0, 2000, 5, 0)),
    field_button("go", "Fly there"),
    field_label("note", 240),
    field_label("note2", 240),
};

// The region cannot reach beyond a pole: its southern edge stops a degree short of the north one.
static int latlon_check(int w, int field, int element, float v) {
  const char* name = latlon_fields[field].name;
  bool lat = std::strcmp(name, "lat") == 0, lon = std::strcmp(name, "lon") == 0;
  if ((lat && std::fabs(v) <= 89.0f) || (lon && std::fabs(v) <= 180.0f) || (!lat && !lon)) return 1;
  MACIBM_alert("There is no such place on the earth.",
               "Latitudes run from -89 (south) to 89 (north), longitudes from -180 (west) to 180 "
               "(east).",
               "", "", ALERT_NOTICE);
  return 0;
}

static void latlon_open(int w) {
  place_lat = std::isfinite(flt.lat) ? flt.lat : 0.0f;
  place_lon = std::isfinite(flt.lon) ? longitude_180() : 0.0f;
  place_alt_ft = fltmax2(flt.Y * con.mtrstoft, 3000.0f);
  place_hdg = mag_from_true(flt.psi);
  place_kt = fltmax2(flt.v * con.msctokts, 1.5f * msc.est_Vs * con.msctokts);
  form_text(w, "note", "Terrain and airports: 23 to 51 N,");
  form_text(w, "note2", "126 to 65 W; elsewhere flat water.");
}

static void latlon_action(int w, int field, int element) {
  if (std::strcmp(latlon_fields[field].name, "go") != 0) return;
  region_corner_for(place_lat, place_lon);
  load_region();
  set.cus_X = X_with_latlon(place_lat, place_lon);
  set.cus_Z = Z_with_lat(place_lat);
  // The height offered is the aircraft's own, which over high ground can lie inside the hills:
  // a start below 1000 ft above the ground there is moved up to it, as the other air starts are.
  int i = env.i_aircraft, j = env.j_aircraft;
  const float ground = find_ijt_with_loc(set.cus_X, set.cus_Z, &i, &j, 1)
                           ? find_local_h(set.cus_X, set.cus_Z, i, j)
                           : 0.0f;
  set.cus_Y = fltmax2(place_alt_ft * con.fttomtrs, ground + 1000.0f * con.fttomtrs);
  set.cus_psi = fltwrap(place_hdg - find_var(place_lat, place_lon), 0.0f, 360.0f);
  set.cus_v = place_kt * con.ktstomsc;
  set_fltvars(START_CUSTOM);
}

const form_window latlon_form = {latlon_fields, count_of(latlon_fields), latlon_open, latlon_check,
                                 latlon_action};

// ---- Where am I? -----------------------------------------------------------------------------

// The nearest of a kind: airports (type 0) or radio aids of nav_type `type`.
static int nearest(int type, float* nm, float* brg) {
  int best = -1;
  float best_nm = 1e9f;
  int last = type == 0 ? std::min(env.aptmax, APT_MAX - 1) : std::min(env.navmax, NAV_MAX - 1);
  for (int n = 0; n <= last; n++) {
    float lat = type == 0 ? apt_lat[n][0] : nav_lat[n];
    float lon = type == 0 ? apt_lon[n][0] : nav_lon[n];
    if ((type == 0 && !apt_id[n][0]) || (type != 0 && nav_type[n] != type)) continue;
    float d, b;
    nm_and_bearing(flt.lat, flt.lon, lat, lon, &d, &b);
    if (d < best_nm) {
      best_nm = d;
      best = n;
      *nm = d;
      *brg = b;
    }
  }
  return best;
}

// A true direction as the magnetic whole degree nearest it, as the GPS shows it (89.9 is 090).
static int whole_mag(float true_deg) { return intwrap(intround(mag_from_true(true_deg)), 0, 359); }

static void where_am_i_open(int w) {
  char line[160];
  const float lon = longitude_180();
  std::snprintf(line, sizeof line, "%.3f %c  %.3f %c   %d ft MSL   heading %03d mag",
                std::fabs(flt.lat), flt.lat >= 0.0f ? 'N' : 'S', std::fabs(lon),
                lon >= 0.0f ? 'E' : 'W', static_cast<int>(flt.Y * con.mtrstoft),
                whole_mag(flt.psi));
  form_text(w, "position", line);
  static const struct {
    const char* field;
    const char* kind;
    int type;
  } rows[] = {{"airport", "Airport", 0}, {"vor", "VOR", 3}, {"ndb", "NDB", 2}};
  for (const auto& r : rows) {
    float nm = 0.0f, brg = 0.0f;
    int n = nearest(r.type, &nm, &brg);
    if (n < 0) {
      std::snprintf(line, sizeof line, "%s: none in the database", r.kind);
    } else {
      const char* id = r.type == 0 ? apt_id[n] : nav_id[n];
      const char* name = r.type == 0 ? apt_name[n] : nav_name[n];
      std::snprintf(line, sizeof line, "%s %.4s %.30s: %.1f nm, bearing %03d mag", r.kind, id, name,
                    nm, whole_mag(brg));
    }
    form_text(w, r.field, line);
  }
}

static const form_field where_am_i_fields[] = {
    field_label("position", 510),
    field_label("airport", 510),
    field_label("vor", 510),
    field_label("ndb", 510),
};
const form_window where_am_i_form = {where_am_i_fields, count_of(where_am_i_fields),
                                     where_am_i_open, nullptr, nullptr};
