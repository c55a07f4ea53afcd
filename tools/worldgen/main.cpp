// The world-data generator program: reads our airport list and the water mask, generates the
// approaches, and writes the navigation files and every terrain quadrant of the world box.
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <filesystem>

#include "app/macibm.h"
#include "worldgen.h"

// The usage on standard error for a command line that cannot be used (status 2), on standard
// output for --help.
static int usage(int status) {
  std::fprintf(status ? stderr : stdout,
               "usage: worldgen --source FILE --mask FILE --out FOLDER [--airports FILE] [--hgt FOLDER]\n"
               "                [--airports-csv FILE] [--runways-csv FILE] [--navaids-csv FILE]\n"
               "       worldgen --encode-mask RAW COLS ROWS LON0 LAT0 OUT\n");
  return status;
}

// A fatal alert from the shared layer must fail the build, not end quietly.
static void exit_failed(int) { std::exit(1); }

// A whole number from lo to hi and nothing after it.
static int whole_number(const char* s, long lo, long hi, int* v) {
  char* end = nullptr;
  errno = 0;
  const long x = std::strtol(s, &end, 10);
  if (end == s || *end != '\0' || errno || x < lo || x > hi) return 0;
  *v = static_cast<int>(x);
  return 1;
}

// Turns the raw class bytes that make_watermask.sh gets from the mapping tools (one byte per
// cell, southern row first) into the committed run-length mask. The file holds exactly one byte
// per cell: any other size means that the columns and rows given are not its grid's, and its
// rows would be cut at the wrong places.
static int encode_mask_file(char** a) {
  water_mask m;
  if (!whole_number(a[1], 1, 100000, &m.cols) || !whole_number(a[2], 1, 100000, &m.rows) ||
      !whole_number(a[3], -180, 180, &m.lon0) || !whole_number(a[4], -90, 90, &m.lat0))
    return usage(2);
  std::error_code ec;
  const std::uintmax_t bytes = std::filesystem::file_size(a[0], ec);
  const std::uintmax_t cells = static_cast<std::uintmax_t>(m.cols) * m.rows;
  if (!ec && bytes != cells) {
    std::fprintf(stderr, "worldgen: %s does not hold the %ju bytes of %d x %d cells\n", a[0],
                 cells, m.cols, m.rows);
    return 1;
  }
  std::ifstream in(a[0], std::ios::binary);
  m.c.assign(cells, 0);
  if (ec || !in || !in.read(reinterpret_cast<char*>(m.c.data()), (std::streamsize)m.c.size())) {
    std::fprintf(stderr, "worldgen: cannot read %zu mask bytes from %s\n", m.c.size(), a[0]);
    return 1;
  }
  std::vector<uint8_t> out;
  if (!encode_mask(m, &out)) return 1;
  std::ofstream f(a[5], std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(out.data()), (std::streamsize)out.size());
  f.close();
  if (!f) std::fprintf(stderr, "worldgen: cannot write %s\n", a[5]);
  return f ? 0 : 1;
}

int main(int argc, char** argv) {
  macibm_exit_hook = exit_failed;
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return usage(0);
  if (argc == 8 && std::strcmp(argv[1], "--encode-mask") == 0) return encode_mask_file(argv + 2);
  const char *source = nullptr, *mask = nullptr, *out = nullptr, *hgt = nullptr;
  const char *apt_csv = nullptr, *rwy_csv = nullptr, *nav_csv = nullptr, *extract = nullptr;
  for (int k = 1; k + 1 < argc; k += 2) {
    const char *o = argv[k], *v = argv[k + 1];
    if (!std::strcmp(o, "--source")) source = v;
    else if (!std::strcmp(o, "--mask")) mask = v;
    else if (!std::strcmp(o, "--out")) out = v;
    else if (!std::strcmp(o, "--hgt")) hgt = v;
    else if (!std::strcmp(o, "--airports")) extract = v;
    else if (!std::strcmp(o, "--airports-csv")) apt_csv = v;
    else if (!std::strcmp(o, "--runways-csv")) rwy_csv = v;
    else if (!std::strcmp(o, "--navaids-csv")) nav_csv = v;
    else return usage(2);
  }
  if (!source || !mask || !out || argc % 2 == 0) return usage(2);
  auto t0 = std::chrono::steady_clock::now();

  // Heights come from the tiles wherever they have a sample: a folder that is not there would
  // leave every height generated, without a word.
  std::error_code ec;
  if (hgt && !std::filesystem::is_directory(hgt, ec))
    return std::fprintf(stderr, "worldgen: %s is no folder of elevation tiles\n", hgt), 1;
  reset_wg();
  if (!read_world_source(source)) return std::fprintf(stderr, "worldgen: cannot read %s\n", source), 1;
  if (wg.errors) return std::fprintf(stderr, "worldgen: %d errors in %s\n", wg.errors, source), 1;
  // Every input is read and checked before anything is written, so that bad data never leaves
  // half a world behind.
  if (extract && import_airports_extract(extract) < 0) return std::fprintf(stderr, "worldgen: refused %s\n", extract), 1;
  if (apt_csv && import_airports_csv(apt_csv) < 0) return 1;
  if (rwy_csv && import_runways_csv(rwy_csv) < 0) return 1;
  if (nav_csv && import_navaids_csv(nav_csv) < 0) return 1;
  thin_to_capacities();
  generate_ils();

  water_mask m;
  if (!read_mask_file(mask, &m)) return std::fprintf(stderr, "worldgen: cannot read the water mask %s\n", mask), 1;
  if (m.lat0 > WORLD_LAT0 || m.lon0 > WORLD_LON0 || m.lat0 + m.rows / QUAD_CELLS_J < WORLD_LAT1 ||
      m.lon0 + m.cols / QUAD_CELLS_I < WORLD_LON1)
    return std::fprintf(stderr, "worldgen: the water mask does not cover the world box\n"), 1;

  std::string folder = std::string(out);
  if (folder.back() != '/') folder += '/';
  std::filesystem::create_directories(folder, ec);
  if (!write_nav_files(folder.c_str())) return std::fprintf(stderr, "worldgen: cannot write the navigation files\n"), 1;

  world_heights w;
  build_heights(m, hgt, &w);
  int files = 0;
  for (int lat = WORLD_LAT0; lat < WORLD_LAT1; lat++)
    for (int lon = WORLD_LON0; lon < WORLD_LON1; lon++) {
      if (!write_quadrant(folder.c_str(), lat, lon, m, w))
        return std::fprintf(stderr, "worldgen: cannot write quadrant %d %d\n", lat, lon), 1;
      files++;
    }

  int ils = 0, vor = 0, ndb = 0;
  for (const wg_navaid& n : wg.nav) ils += n.type == NAV_ILS, vor += n.type == NAV_VOR, ndb += n.type == NAV_NDB;
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("worldgen: %zu airports, %d VORs, %d NDBs, %d ILS (%zu navaids), %zu fixes, %d quadrants in %.1f s\n",
              wg.apt.size(), vor, ndb, ils, wg.nav.size(), wg.fix.size(), files, secs);
  return 0;
}
