// Writers of the three text files of the navigation database: "apt_dat", "nav_dat", "fix_dat".
#include <cctype>
#include <cstdio>
#include <string>

#include "shared/shared.h"
#include "worldgen.h"

// Names stand at the end of their line and are cut to what the reader keeps.
static std::string clean_name(const std::string& s) {
  std::string o;
  for (char c : s) o += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
  if (o.size() > 39) o.resize(39);
  return o;
}

static int write_airports(const std::string& path) {
  if (!ouf_open(path.c_str(), FILE_ANY, VERSION_WORLD_DATA)) return 0;
  char b[160];
  for (const wg_airport& a : wg.apt) {
    ouf << "1\n";
    for (int r = 0; r < 3; r++) {
      if (r < (int)a.rwy.size()) {
        const wg_runway& w = a.rwy[r];
        // The reader takes the first non-blank character as the side letter.
        char lr = std::isgraph((unsigned char)w.lr) ? w.lr : 'x';
        std::snprintf(b, sizeof b, "%11.6f %11.6f %2d %c %3d %5d %4d %6d\n", w.lat, w.lon, w.num, lr,
                      w.hdng, w.len_ft, w.width_ft, lighting_code(w, a.twr));
      } else {
        // An empty slot: length 0 tells every reader that no runway is there, and short zeros
        // keep the start-up read of thousands of airports quick.
        std::snprintf(b, sizeof b, "0 0 0 x 0 0 0 0\n");
      }
      ouf << b;
    }
    // Elevation, tower flag, then the identifier and the name each after one separator blank.
    std::snprintf(b, sizeof b, "%.0f %d %-4.4s ", a.elev_ft, a.twr, a.id);
    ouf << b << clean_name(a.name) << "\n";
  }
  ouf << "99\n";
  return ouf_close();
}

static int write_navaids(const std::string& path) {
  if (!ouf_open(path.c_str(), FILE_ANY, VERSION_WORLD_DATA)) return 0;
  char b[160];
  auto one = [&](int type, float lat, float lon, float elev, int f1, int f2, int hdng, const char* id,
                 const std::string& name) {
    std::snprintf(b, sizeof b, "%d %11.6f %11.6f %.0f %d %d %d %-4.4s ", type, lat, lon, elev, f1, f2, hdng, id);
    ouf << b << clean_name(name) << "\n";
  };
  for (const wg_navaid& n : wg.nav) {
    int f1 = n.type == NAV_NDB ? n.key : n.key / 100, f2 = n.type == NAV_NDB ? 0 : n.key % 100;
    one(n.type, n.lat, n.lon, n.elev_ft, f1, f2, n.hdng, n.id, n.name);
  }
  // The reader hands the last record before the end marker to the carrier's glide slope, so the
  // file ends with a placeholder of exactly that kind, far from any region we cover.
  one(NAV_GS, 0.0f, 0.0f, 0.0f, 108, 0, 352, "----", "USS Enterprise");
  ouf << "99\n";
  return ouf_close();
}

static int write_fixes(const std::string& path) {
  if (!ouf_open(path.c_str(), FILE_ANY, VERSION_WORLD_DATA)) return 0;
  char b[80];
  for (const wg_fix& f : wg.fix) {
    std::snprintf(b, sizeof b, "%11.6f %11.6f %-5.5s\n", f.lat, f.lon, f.name);
    ouf << b;
  }
  ouf << "99.0\n";
  return ouf_close();
}

// One record per airport, in the order of apt_dat: kind, identifier (checked against apt_dat's
// by the reader), tower and ATIS frequencies in kHz (0 unknown) and the three slots' surfaces.
static int write_extras(const std::string& path) {
  if (!ouf_open(path.c_str(), FILE_ANY, VERSION_WORLD_DATA)) return 0;
  char b[120];
  for (const wg_airport& a : wg.apt) {
    int s[3] = {0, 0, 0};
    for (size_t r = 0; r < a.rwy.size() && r < 3; r++) s[r] = a.rwy[r].surface;
    std::snprintf(b, sizeof b, "%d %-4.4s %d %d %d %d %d\n", a.kind ? a.kind : APT_KIND_AIRPORT, a.id,
                  a.twr_khz, a.atis_khz, s[0], s[1], s[2]);
    ouf << b;
  }
  ouf << "99\n";
  return ouf_close();
}

int write_nav_files(const char* folder) {
  std::string f(folder);
  return write_airports(f + "apt_dat") && write_navaids(f + "nav_dat") && write_fixes(f + "fix_dat") &&
         write_extras(f + "apx_dat");
}
