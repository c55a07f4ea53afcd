// The world-data generator: the airport, navaid and fix database, the generated ILS and fixes,
// the water mask and the terrain quadrant files the simulator reads from its world folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/world.h"

// ---- Records (one global instance, filled by the readers and generators) ------------------------

// Lighting of one runway as the source describes it; the generator turns it into the per-end
// lighting code of the airport file.
enum { LIGHT_NONE = 0, LIGHT_MEDIUM = 1, LIGHT_HIGH = 2 };

// Runway surfaces (SURF_ASPHALT..SURF_METAL) and kinds of field (APT_KIND_AIRPORT..
// APT_KIND_HELIPORT) are numbered as the simulator's airport extras file has them (world/world.h).
// Size classes of the imported data, most important first.
enum { SIZE_LARGE = 0, SIZE_MEDIUM = 1, SIZE_SMALL = 2, SIZE_SEAPLANE = 3, SIZE_HELIPORT = 4 };
// How a runway's place and heading were found: surveyed from both ends, from one end, from its
// name at the reference point, or (no name either) from the runways around it.
enum { LAID_ENDS = 0, LAID_ONE_END = 1, LAID_NAME = 2, LAID_NEIGHBOURS = 3 };

struct wg_runway {
  float lat, lon;  // centre, degrees
  int num;         // painted number of the first end, 1..36
  char lr;         // side letter of the first end: 'L', 'R', 'C', 'W' water, 'x' for none
  int hdng;        // true heading of the first end, degrees 0..359
  int len_ft;      // length, feet
  int width_ft;    // width, feet
  int edge;        // LIGHT_NONE, LIGHT_MEDIUM or LIGHT_HIGH
  int surface;     // SURF_ASPHALT..SURF_METAL
  int laid;        // LAID_ENDS..LAID_NEIGHBOURS
  int ils_want[2]; // per end: -1 the generator decides, 0 no ILS, 1 an ILS
  int ils_freq[2]; // per end: frequency key wanted for its ILS, 0 for any free channel
  int lom_khz;      // frequency wanted for the compass locator of its first ILS, 0 for any
  int ils[2];      // per end: 1 when an ILS was generated for it
};

struct wg_airport {
  char id[5];        // 4 characters, blank-padded, NUL-terminated
  std::string name;  // at most 39 characters are written
  float lat, lon;    // reference point, degrees
  float elev_ft;     // field elevation, feet MSL
  int twr;           // 1 with a control tower
  int authored;      // 1 when it comes from our own source file
  int keep;          // 1 when its authored data wins over the imported (fields our starts name)
  int kind;          // APT_KIND_AIRPORT, APT_KIND_SEAPLANE or APT_KIND_HELIPORT
  int size;          // SIZE_LARGE..SIZE_HELIPORT
  int scheduled;     // 1 with an airline code (the data's sign of scheduled service)
  int twr_khz;       // tower frequency, kHz; 0 unknown
  int atis_khz;      // ATIS frequency, kHz; 0 unknown
  std::vector<wg_runway> rwy;  // at most 3, the longest first once imported
};

// Navaid kinds as the navigation file numbers them.
enum { NAV_NDB = 2, NAV_VOR = 3, NAV_ILS = 4, NAV_LOC = 5, NAV_GS = 6, NAV_OM = 7, NAV_MM = 8,
       NAV_IM = 9 };

struct wg_navaid {
  int type;
  float lat, lon;  // degrees
  float elev_ft;   // feet MSL
  int key;         // frequency key: kHz for NDBs, else 100 x MHz (113.90 MHz is 11390)
  int hdng;        // course or heading, degrees true 0..359
  char id[5];      // 4 characters, blank-padded
  std::string name;
  int authored;
};

struct wg_fix {
  float lat, lon;
  char name[6];  // 5 letters
};

// A lake whose surface level is known; the lake is the water body that holds the point.
struct wg_lake {
  float lat, lon;
  float level_m;
  std::string name;
};

// Lifetime: one generator run.
struct worldgenstruct {
  std::vector<wg_airport> apt;
  std::vector<wg_navaid> nav;
  std::vector<wg_fix> fix;
  std::vector<wg_lake> lakes;
  int errors;  // problems found in the source files; the program fails when above 0
};
extern worldgenstruct wg;
void reset_wg();

// Database capacities of the simulator's reader: beyond these it refuses the file.
enum { MAX_AIRPORTS = 10000, MAX_NAVAIDS = 14996, MAX_FIXES = 19999, MAX_REGION_LIST = 70 };

// The part of the earth the world files cover is WORLD_LAT0.. of world/world.h.
// Terrain grid of one quadrant: 59 x 79 cells, 60 x 80 vertices.
enum { QUAD_CELLS_I = 59, QUAD_CELLS_J = 79 };

// ---- Source files (source.cpp) --------------------------------------------------------------------

// Reads our authored airport, navaid and lake list. Returns 0 when the file cannot be opened;
// malformed lines are reported on stderr and counted in wg.errors.
int read_world_source(const char* path);
// Magnetic variation, degrees east (approximate, for turning runway numbers into headings).
float variation_east(float lat, float lon);
// True heading of a runway from its magnetic heading.
int true_from_magnetic(int mag, float lat, float lon);
// Runway end designator "06", "24L", "18W", or a compass end of a water lane ("N", "SE"):
// number 1..36 and side letter ('x' for none). Returns 0 for anything else.
int parse_end(const std::string& s, int* num, char* lr);
// Lays a runway that has no surveyed position through the reference point (lat, lon), parallel
// runways ('L', 'R') 4400 ft apart about it, on its heading r->hdng.
void lay_from_reference(float lat, float lon, wg_runway* r);
// Painted number of a runway end from its true heading: the magnetic heading in tens, 1..36.
int number_from_true(int hdng, float lat, float lon);

// ---- Importers (import_extract.cpp, import_csv.cpp, import_hgt.cpp) ----------------------------------

// The committed extract of open airport data (data/airports.txt, written by make_airports.py).
// Returns the number of airports taken, or -1, having changed nothing, when the file cannot be
// read or a line of it is damaged (reported on stderr with its line number). Fields of our own
// list marked `keep` keep their authored data; other authored fields give way to the import.
int import_airports_extract(const char* path);
// Orders airports by importance: kept authored fields, scheduled service, size class, longest
// runway, then identifier, so that every choice made in this order is the same in every build.
bool more_important(const wg_airport& a, const wg_airport& b);

// Identifiers as the simulator lists them: a US field's "K" prefix is dropped ("KSBD" is "SBD "),
// anything else is kept when it fits in four letters and digits. Returns 0 when it does not.
int to_id(const std::string& ident, char id[5]);
// Splits one CSV line into fields: commas separate, double quotes enclose fields that hold
// commas, a doubled quote inside quotes is one quote.
std::vector<std::string> csv_split(const std::string& line);
// Public airport, runway and navaid tables. Each returns the number of records taken, -1 when the
// file cannot be read or lacks a column it needs. Airports already in wg.apt are kept.
int import_airports_csv(const char* path);
int import_runways_csv(const char* path);
int import_navaids_csv(const char* path);

// Elevation tiles: signed 16-bit big-endian heights in metres, 1201 or 3601 samples square,
// named like N34W118.hgt after their south-west corner.
struct hgt_tile {
  int lat, lon;  // south-west corner
  int n;         // samples per side
  std::vector<int16_t> h;
};
std::string hgt_name(int lat, int lon);
int load_hgt_tile(const char* path, int lat, int lon, hgt_tile* t);
// Height at a point of the tile, bilinear; 0 when the point lies on a void sample.
int hgt_sample(const hgt_tile& t, double lat, double lon, float* h);

// ---- Generation (ils.cpp, regions.cpp) ------------------------------------------------------------

// Point `along_ft` feet along true heading h from (lat, lon) and `across_ft` feet to its right.
void along_course(float lat, float lon, int h, double along_ft, double across_ft, float* olat,
                  float* olon);
// Lighting code of a runway (two three-digit codes, first end first).
int lighting_code(const wg_runway& r, int twr);
// Decides which runway ends get an ILS and adds its localizer, glide slope and markers, a
// compass locator at the outer marker of each airport's first ILS, and the approach fixes.
void generate_ils();
// Frequency channels of the ILS band, in the order they are tried (40 paired channels).
int ils_channel(int k);
int ils_channel_count();
// Degrees of flat distance within which two aids on one frequency could both be received at
// 10000 ft (the simulator measures flat degrees with unscaled longitude).
float conflict_distance(int type_a, int type_b);
// Five-letter fix name made from a number: consonant-vowel patterns, deterministic.
void fix_name_from(uint32_t seed, char name[6]);
// Keeps at most 70 airports, VORs and NDBs in any region of 3 x 2 degrees and within the
// database capacities, the airports chosen in order of importance (more_important), and leaves
// the airports in that order.
void thin_to_capacities();

// ---- Text files (navfiles.cpp) --------------------------------------------------------------------

// Writes "apt_dat", "nav_dat", "fix_dat" and the airport extras "apx_dat" (kind, frequencies and
// runway surfaces, one record per airport of apt_dat) into the folder (path ending in '/').
// Returns 1 on success.
int write_nav_files(const char* folder);

// ---- Water mask (watermask.cpp) -------------------------------------------------------------------

enum { MASK_OCEAN = 0, MASK_LAND = 1, MASK_LAKE = 2 };

// The water mask: one class per terrain cell over the world box, row 0 the southern row.
struct water_mask {
  int cols, rows;          // cells
  int lon0, lat0;          // south-west corner, whole degrees
  std::vector<uint8_t> c;  // cols x rows classes
};
// Run-length file: "KWM1", int32 cols, rows, lon0, lat0 (little-endian), then for each row its
// runs as a class byte and a length in 7-bit groups, least significant first.
int encode_mask(const water_mask& m, std::vector<uint8_t>* out);
int decode_mask(const std::vector<uint8_t>& in, water_mask* m);
int read_mask_file(const char* path, water_mask* m);
// Class of the cell holding the point; MASK_LAND outside the mask.
int mask_at(const water_mask& m, double lat, double lon);

// ---- Terrain (terrain.cpp, envfile.cpp) -----------------------------------------------------------

// Gradient noise in global coordinates, -1..1, the same value wherever it is asked for.
float gradient_noise(double x, double y);
// The height grid of the whole world box, one value per vertex; built once.
struct world_heights {
  int cols, rows;  // vertices: cells + 1
  std::vector<float> h;
  std::vector<float> level;  // water level of each cell (cells), metres
};
// Builds the heights from the mask and the airports (and from elevation tiles in hgt_dir when it
// is not null and holds any).
void build_heights(const water_mask& m, const char* hgt_dir, world_heights* w);

// Tile folder and file name of the quadrant whose south-west corner is (lat, lon):
// "+030-120" and "+034-118.env" for (34, -118).
std::string quadrant_folder(int lat, int lon);
std::string quadrant_file(int lat, int lon);
// Writes the quadrant's environment file under the world folder; returns 1 on success.
int write_quadrant(const char* world_folder, int lat, int lon, const water_mask& m,
                   const world_heights& w);
