// The world: the navigation database, the terrain region around the aircraft, airport scenery and
// obstacles, and the records env (region and world coordinates), scn (scenery) and nav (radios).
#pragma once

#include "shared/shared.h"

// ---- Sizes -----------------------------------------------------------------------------------

enum {
  APT_MAX = 10000,       // airports in the database
  APT_RWYS = 3,          // runway slots per airport
  NAV_MAX = 15000,       // navigation aids in the database
  FIX_MAX = 20000,       // named fixes in the database
  REGION_LIST_MAX = 70,  // airports, VORs or NDBs listed for the loaded region
  GRID_I = 178,          // terrain vertices west to east (3 quadrants of 59 cells)
  GRID_J = 159,          // terrain vertices south to north (2 quadrants of 79 cells)
  OBS_MAX = 2000,        // obstacle slots: 5 per region airport, 350..1999 from the files
  RWAY_POINTS = 813,     // light points laid out per runway
  RWAY_MARKS = 6,        // surface rectangles per runway
  TRAFFIC = 10,          // traffic aircraft around the aircraft
  QUAD_I = 59,           // cells of a quadrant west to east (60 vertices)
  QUAD_J = 79,           // cells of a quadrant south to north (80 vertices)
  OBS_FILE_FIRST = 350,  // first obstacle slot of the terrain-file objects
  OBS_PER_APT = 5,       // obstacle slots per region airport: 4 buildings and the tower
};

// Folder of the world data (the three database files and the terrain tile folders) beside the
// program.
inline constexpr char WORLD_DIR[] = "world";
// The part of the earth the world files cover: quadrants whose south-west corner lies in
// WORLD_LAT0..WORLD_LAT1-1 and WORLD_LON0..WORLD_LON1-1. It is the 48 contiguous states with one
// quadrant of margin all round, so that a region around any point of the states can be loaded.
enum { WORLD_LAT0 = 23, WORLD_LAT1 = 51, WORLD_LON0 = -126, WORLD_LON1 = -65 };
// Third line of the notice that a region quadrant beyond the world data (or of a file that could
// not be used) was laid out as flat water.
inline constexpr char TERRAIN_FLAT_WATER[] = "The ground there is flat water at sea level.";

// ---- Navigation database (filled once at start-up, indexed by record number) -----------------

// Airports; runway slot r of airport n holds no runway when apt_len[n][r] <= 0.
extern float apt_lat[APT_MAX][APT_RWYS];  // runway centre latitude, degrees north
extern float apt_lon[APT_MAX][APT_RWYS];  // runway centre longitude, degrees east
extern int apt_num[APT_MAX][APT_RWYS];    // runway number as painted, 1..36
extern char apt_lr[APT_MAX][APT_RWYS];    // side letter: 'L', 'R', 'C', 'W' water lane, 'x' none
extern int apt_hdng[APT_MAX][APT_RWYS];   // runway heading, degrees true, 0..359
extern int apt_len[APT_MAX][APT_RWYS];    // runway length, m
extern int apt_width[APT_MAX][APT_RWYS];  // runway width, m
extern int apt_lite[APT_MAX][APT_RWYS];   // lighting code: code / 1000 first end, % 1000 second
extern float apt_h[APT_MAX];              // field elevation, m
extern int apt_twr[APT_MAX];              // 1 when the airport has a control tower
extern char apt_id[APT_MAX][5];           // 4-character identifier
extern char apt_name[APT_MAX][40];        // name, '-' of the file stored as a blank

// Airport extras from "apx_dat" (all 0 when the world folder has no such file): what kind of
// field, the real tower and ATIS frequencies for the controller, and the runway surfaces.
enum { APT_KIND_AIRPORT = 1, APT_KIND_SEAPLANE = 2, APT_KIND_HELIPORT = 3 };
enum { SURF_ASPHALT = 1, SURF_CONCRETE = 2, SURF_TURF = 3, SURF_GRAVEL = 4, SURF_DIRT = 5,
       SURF_WATER = 6, SURF_METAL = 7 };
extern int apt_kind[APT_MAX];            // APT_KIND_AIRPORT..APT_KIND_HELIPORT; 0 unknown
extern int apt_twrf[APT_MAX];            // tower frequency, kHz (118300 = 118.30 MHz); 0 unknown
extern int apt_atisf[APT_MAX];           // ATIS frequency, kHz; 0 unknown
extern int apt_surf[APT_MAX][APT_RWYS];  // runway surface, SURF_ASPHALT..SURF_METAL; 0 unknown
// 1 when runway r of airport n is a water lane, on which seaplanes alight: the water under it is
// kept, and nothing is paved on it.
inline int water_lane(int n, int r) {
  return apt_lr[n][r] == 'W' || apt_surf[n][r] == SURF_WATER ? 1 : 0;
}

// Navigation aids. Types: 2 NDB, 3 VOR, 4 ILS localizer, 5 localizer-only, 6 glide slope, 7/8/9
// outer/middle/inner marker, 99 end of the file's list.
extern int nav_type[NAV_MAX];
extern float nav_lat[NAV_MAX];      // latitude, degrees north
extern float nav_lon[NAV_MAX];      // longitude, degrees east
extern float nav_h[NAV_MAX];        // elevation, m
extern int nav_f12[NAV_MAX];        // frequency key: kHz for an NDB, else 100 x MHz (11390)
extern int nav_hdng[NAV_MAX];       // course or heading, degrees, 0..359
extern char nav_id[NAV_MAX][5];     // 4-character identifier
extern char nav_name[NAV_MAX][40];  // name

// Fixes; unused slots hold -999 in latitude and longitude.
extern float fix_lat[FIX_MAX];     // degrees north
extern float fix_lon[FIX_MAX];     // degrees east
extern char fix_name[FIX_MAX][6];  // 5-character name

// ---- Region lists (rebuilt with every region load or move) -----------------------------------

extern int apt_inreg[APT_MAX];             // 1 when the airport's first runway lies in the region
extern int nav_inreg[NAV_MAX];             // 1 when the aid lies in the region
extern int apt_to_index[REGION_LIST_MAX];  // database index of the k-th region airport
extern int vor_to_index[REGION_LIST_MAX];  // database index of the k-th region VOR
extern int ndb_to_index[REGION_LIST_MAX];  // database index of the k-th region NDB

// ---- Terrain region --------------------------------------------------------------------------

// Vertex (i, j), i west to east, j south to north; cell (i, j) has (i, j) as its south-west
// vertex and is split along its diagonal from (i, j) to (i + 1, j + 1).
extern float planexyz[GRID_I][GRID_J][3];   // vertex x (m east), y (ground height, m), z (m south)
extern float planenrml[GRID_I][GRID_J][3];  // vertex normal for shading, unit length
extern unsigned int planetex[GRID_I][GRID_J];    // cell texture: 10 water, 11 land, 12 steep,
                                                 // 13..21 shore borders
extern int planes[GRID_I][GRID_J][2][2];         // texture coordinate s of the cell's four corners
extern int planet[GRID_I][GRID_J][2][2];         // texture coordinate t of the cell's four corners
extern int on_water[GRID_I][GRID_J];             // cell is water
extern int apt_on_poly[GRID_I][GRID_J];          // cell is flattened airport ground
extern int city_on_poly[GRID_I][GRID_J];         // cell carries city blocks
extern int tree_on_poly[GRID_I][GRID_J];         // cell carries trees
extern float city_xyz[GRID_I][GRID_J][2][3][3];  // [triangle][point] city point x, y, z, m
extern float tree_xyz[GRID_I][GRID_J][2][3][2][3];  // [triangle][tree][base, top] x, y, z, m
extern int frig_on_poly[GRID_I][GRID_J];            // a frigate stands on the cell
extern int carr_on_poly[GRID_I][GRID_J];            // an aircraft carrier stands on the cell
extern int oilr_on_poly[GRID_I][GRID_J];            // an oil rig stands on the cell
extern int on_fire_now[GRID_I][GRID_J];             // cell is burning
extern int was_on_fire[GRID_I][GRID_J];             // cell has burnt

// Runway boxes of the quadrant being read, per nearby airport k and runway r; a slot is valid
// when its elevation is above -998 (empty slots hold -999).
extern float rway_elev[REGION_LIST_MAX][APT_RWYS];  // field elevation, m
extern float r_x_min[REGION_LIST_MAX][APT_RWYS];    // box extremes, world x and z, m
extern float r_x_max[REGION_LIST_MAX][APT_RWYS];
extern float r_z_min[REGION_LIST_MAX][APT_RWYS];
extern float r_z_max[REGION_LIST_MAX][APT_RWYS];

// Obstacles: four stacked rectangles of four corners each. Slots 5k..5k+4 belong to region
// airport k, slots 350..1999 to the objects of the terrain files.
extern int obs_type[OBS_MAX];            // kind; 0 free slot
extern float obs_xyz[OBS_MAX][4][4][3];  // [level][corner] x, y, z, m
extern float obs_height;                 // height of the obstacle top under the aircraft, m
// The top level of obstacle slot s, where its roof is. A kind that needs fewer than four levels
// leaves the rest on the ground, below the level under them (a tower's block or a mast ends at
// level 1); a level at the height of the one under it is a ledge, and the building goes on above.
inline int obs_top_level(int s) {
  int l = 0;
  while (l < 3 && obs_xyz[s][l + 1][0][1] >= obs_xyz[s][l][0][1] - 0.01f) l++;
  return l;
}
// Height of the roof of obstacle slot s, m: its top level, where the aircraft lands on it.
inline float roof_height(int s) { return obs_xyz[s][obs_top_level(s)][0][1]; }

// Traffic aircraft flying around the aircraft.
extern float traf_xyz[TRAFFIC][3];  // world x, y, z, m
extern float traf_v[TRAFFIC];       // speed, m/s
extern int traf_h[TRAFFIC];         // heading, whole degrees true, 0..359

// ---- Region and world coordinates ------------------------------------------------------------

// The loaded region of 3 x 2 one-degree quadrants, its world coordinates and the aircraft's place
// in it, and the airport scenery bookkeeping per region airport k (0..69) and runway r (0..2).
// Lifetime: program; rebuilt with every region load or move.
struct envstruct {
  // Region
  int lat_sou;                   // whole-degree latitude of the region's southern edge
  int lon_wes;                   // whole-degree longitude of the region's western edge
  float lonwes_ref[3][2];        // [column][row 0 south] longitude the quadrant was laid out from
  float planex_ref[3][2];        // world x at that longitude, m
  float lox, hix;                // world x of the western and eastern grid edges, m
  float loz, hiz;                // world z of the northern and southern grid edges, m
  float dx, dz;                  // hix - lox and hiz - loz, m
  float min_h, max_h;            // lowest and highest vertex height, m (min <= 0 <= max)
  int i_aircraft, j_aircraft;    // terrain cell under the aircraft
  int i_viewpoint, j_viewpoint;  // terrain cell under the viewpoint
  float local_h;                 // terrain height under the aircraft, m
  int mvar;                      // magnetic variation, whole degrees to add to a true heading
  int flat_region;  // the region is the level one of fill_flat_region: a move lays it out anew

  // Database and region list extents
  int aptmax;        // index of the last airport read
  int navmax;        // last navaid index scanned: records read + 2 (end mark, carrier slots)
  int apt_list_max;  // last valid entry of apt_to_index, 0..69; -1 empty; -999 before any region
  int vor_list_max;  // last valid entry of vor_to_index
  int ndb_list_max;  // last valid entry of ndb_to_index
  int obs_slot;      // last obstacle slot given to a terrain-file object, 350..1999 (0 none yet)

  // Ships and obstacles under the aircraft
  int over_carr, over_frig, over_obs;  // over the carrier deck, the frigate deck, an obstacle
  float frig_the, frig_phi;            // frigate pitch and roll, degrees, -180..180
  float carr_the, carr_phi;            // carrier pitch and roll, degrees, -180..180

  // Airport scenery: point indexes into scn.rwayxyz
  int rwaymax[REGION_LIST_MAX];             // highest runway slot in use; -1 none
  int rwaymax1[REGION_LIST_MAX][APT_RWYS];  // last point of the left edge-light row
  int rwaymax2[REGION_LIST_MAX][APT_RWYS];  // last point of the right edge-light row
  int twaymax1[REGION_LIST_MAX][APT_RWYS];  // last point of taxiway-light row 1
  int twaymax2[REGION_LIST_MAX][APT_RWYS];  // last point of taxiway-light row 2
  int RCLSmax[REGION_LIST_MAX][APT_RWYS];   // last centreline light
  int amber1[REGION_LIST_MAX][APT_RWYS];    // bounds of the amber edge-light zones
  int amber2[REGION_LIST_MAX][APT_RWYS];
  int amber3[REGION_LIST_MAX][APT_RWYS];
  int amber4[REGION_LIST_MAX][APT_RWYS];
  int red1[REGION_LIST_MAX][APT_RWYS];  // bounds of the red centreline zone
  int red2[REGION_LIST_MAX][APT_RWYS];
  int altred1[REGION_LIST_MAX][APT_RWYS];  // bounds of the red/white centreline zone
  int altred2[REGION_LIST_MAX][APT_RWYS];
  int tway[REGION_LIST_MAX][APT_RWYS];        // the runway has a parallel taxiway
  int lgt_gls[REGION_LIST_MAX][APT_RWYS][2];  // per end: glide-slope light kind 1..3
  int lgt_rwy[REGION_LIST_MAX][APT_RWYS][2];  // per end: runway light kind 1..5
  int lgt_app[REGION_LIST_MAX][APT_RWYS][2];  // per end: approach light kind 1..6
};
extern envstruct env;

// ---- Scenery ---------------------------------------------------------------------------------

// Airport lights and surfaces of the region airports, and the view state shared with the drawing.
// Lifetime: program.
struct scenerystruct {
  float rwayxyz[REGION_LIST_MAX][APT_RWYS][RWAY_POINTS][3];    // light x, y, z (m); x = z = 0 none
  float markxyz[REGION_LIST_MAX][APT_RWYS][RWAY_MARKS][4][3];  // surface rectangle corners, m
  float rabbitsX[REGION_LIST_MAX][APT_RWYS][2];  // approach flasher start per end, world m
  float rabbitsY[REGION_LIST_MAX][APT_RWYS][2];
  float rabbitsZ[REGION_LIST_MAX][APT_RWYS][2];
  float rabbitdX[REGION_LIST_MAX][APT_RWYS][2];  // flasher step per event tick, m
  float rabbitdZ[REGION_LIST_MAX][APT_RWYS][2];
  float rb_cycle;             // beacon phase, 0..2 pi
  int abovetops;              // the aircraft is above the cloud tops
  int belowbases;             // the aircraft is below the cloud bases
  float zoom;                 // view zoom, 1..100
};
extern scenerystruct scn;

// ---- Radios ----------------------------------------------------------------------------------

// Receiver r: 0 NAV 1, 1 NAV 2, 4 ADF (slots 2 and 3 unused). Frequency keys are in hundredths of
// a MHz (11170 = 111.70) except the ADF's, in kHz. Lifetime: program.
struct navstruct {
  // Tuning
  int nf[2];     // NAV 1 and NAV 2 frequency keys
  int cf[2];     // COM 1 and COM 2 frequencies, hundredths of a MHz
  int adff;      // ADF frequency, kHz, three digits
  float vol[2];  // NAV audio volumes, 0..1
  float obs[2];  // course selected on each NAV indicator, degrees magnetic
  float hdsel;   // selected heading, degrees magnetic
  int dmesel;    // receiver the DME follows
  int radout;    // receiver whose audio is selected; only 0, 1 and 4 identify themselves
  int gs_dest;   // glide-slope receiver selection
  int tran1, tran2, tran3, tran4;  // transponder digits, 0..7

  // Stations received
  int goodnav[5];                   // 1 when the receiver has a station
  float vorX[2], vorY[2], vorZ[2];  // world position of the VOR or localizer, m
  float ilscrs[2];                  // localizer course, degrees true
  int ilsgs[2];                  // 0 localizer only, 3 localizer with 3-degree glide slope, 9 VOR
  float gsX[2], gsY[2], gsZ[2];  // glide-slope antenna position, m
  float adfX, adfZ;              // NDB position, world x and z, m
  char nav_id[5][4];             // identifier received on each receiver, no terminator

  // Deviations
  float hdef[2];  // course deviation, -5..5 (GPS: 4 per nm off the locked course)
  float vdef[2];  // glide-path deviation, -5..5
  int ntf[2];     // 0 off, 1 TO, 2 FROM

  // GPS
  int gps_index_mode;  // 1: the target is an airport, otherwise a navaid
  int gps_index;       // database index of the target
  int gps_apt_index;   // last airport chosen as target
  int gps_vor_index;   // last VOR chosen as target
  int gps_ndb_index;   // last NDB chosen as target
  int gps_id[4];       // target identifier, 37-symbol codes (0 blank, 1..10 digits, 11..36 A..Z)
  float gps_lat, gps_lon;  // target position, degrees
  float gps_crs;           // course to the target, degrees true, 0..360
  float gps_dis;           // distance to the target, m
  float gps_lock_crs;      // course locked by the pilot, degrees true
};
extern navstruct nav;

// Restore the records to their start-up state: env all zero with no region lists yet (-999) and
// the aircraft's cell at the middle of the grid (89, 79); scn all zero with full scene light and
// zoom 1; nav all zero with the audio selector on 2 (no navigation receiver), the glide-slope
// selection 1 and the transponder at 1200.
void reset_env();
void reset_scn();
void reset_nav();

// ---- Navigation database: loading (navdb.cpp) ------------------------------------------------

// Reads "apt_dat", "nav_dat" and "fix_dat" into the database arrays, and the airport extras
// "apx_dat" when the world folder has it; sets env.aptmax and env.navmax. Two navaid slots after
// the file's records are kept for the carrier (below).
void init_country_data();
// Airports are kept under their FAA identifiers. Pilots know those of three letters by their ICAO
// codes as well, the same letters after a K ("KSFO" is "SFO"): for such a code (any case) this
// writes the FAA identifier, padded to four characters, into faa and returns 1; else returns 0.
int apt_faa_of_icao(const char* code, char faa[4]);
// Writes the carrier's moving localizer (slot env.navmax - 1) and glide slope (env.navmax - 2) at
// world position (x, y, z); both slots lie after the file's records, so no real aid is lost.
void put_carrier_navs(float x, float y, float z);

// ---- World coordinates (coords.cpp, magvar.cpp) ----------------------------------------------

float lat_with_z(float z);
float Z_with_lat(float lat);
float X_with_latlon(float lat, float lon);
float lon_with_xz(float x, float z);
// Magnetic variation in whole degrees: the amount to add to a true heading to get the magnetic.
int find_var(float lat, float lon);
// The one conversion between true and magnetic directions at the aircraft, through env.mvar:
// magnetic = true + mvar. Both results are wrapped into 0..360. Everything the pilot sets or reads
// (bug, OBS, gyro, wind reports) is magnetic; everything the flight and the world compute is true.
// Inline, because they only read the world's record, and the weather below the world needs them.
inline float mag_from_true(float true_deg) { return fltwrap(true_deg + env.mvar, 0.0f, 360.0f); }
inline float true_from_mag(float mag_deg) { return fltwrap(mag_deg - env.mvar, 0.0f, 360.0f); }

// ---- Radios (radios.cpp) ---------------------------------------------------------------------

// Receiver ranges in flat degrees at the aircraft's height flt.h.
float ils_range();
float vor_range();
// Retunes one receiver: 0 NAV 1, 1 NAV 2, 4 ADF, 5 GPS target.
void setnav(int radio);
// Course (degrees true, 0..360) and distance (m) from the aircraft to the GPS target.
void get_gps_data(float* crs, float* dis);

// ---- Terrain region (region_load.cpp, region_shift.cpp, region_finish.cpp, cells.cpp) --------

// Full load of the 3 x 2 quadrants around (env.lat_sou, env.lon_wes), south-west corner at the
// world origin.
void load_region();
// Reads quadrant q (3 * row + column) whose south-west corner is (lat, lon). A missing or
// unreadable file, or an aircraft above 100000 ft, gives flat water at sea level.
void read_quadrant(int lat, int lon, int q);
// Rebuilds what depends on the whole region: extent, region lists, airport scenery, normals,
// heights, textures and shore borders.
void finish_nav_readin();
// A level land region at height h (m) whose south-west vertex is at world (x0, z0), with the
// cell sizes of the quadrants at the latitude of (env.lat_sou, env.lon_wes): the grid, its
// extent, height range and normals, for runs and tests that fly without terrain files. It has no
// airports, radio aids, ships or obstacles, and a region move lays it out again a degree on.
void fill_flat_region(float h, float x0, float z0);
// Called at the end of every region build, once the region's airport and navaid lists are new:
// the simulator rebuilds its Location menu here. Null by default.
extern void (*region_lists_changed_hook)();
// Calls up to the layers above (see aircraft_hooks): filled by the application.
struct world_hookstruct {
  void (*show_progress)();  // one step of the start-up picture's progress bar
};
extern world_hookstruct world_hooks;
// Direction of a region move: 2 west, 3 east, 4 north, 5 south.
enum { MOVE_WEST = 2, MOVE_EAST = 3, MOVE_NORTH = 4, MOVE_SOUTH = 5 };
// Moves the region one degree when the aircraft (flt.lat, flt.lon) nears its edge; returns the
// direction moved, or 0. The region never reaches beyond a pole.
int check_region_move();
// Moves the region one degree in direction dir: shifts the grid, reads the new quadrants and
// rebuilds the region.
void move_region(int dir);
// Cell containing (x, z): searched near *i, *j, or over the whole grid with search_all. Returns 1
// and sets *i, *j, or returns 0 and leaves them.
int find_ijt_with_loc(float x, float z, int* i, int* j, int search_all);
// Ground height at (x, z) on the plane of the triangle of cell (i, j) holding it.
float find_local_h(float x, float z, int i, int j);
void new_border(int tex_from, int tex_to, int tex_to2, int edge_a, int edge_b, int edge_c,
                int corner_a, int corner_b, int corner_c);
// Text of the menu item of runway r of airport n, landing towards end e (0 as numbered, 1 the
// reciprocal): "Rwy 09L", "Pad 36".
void rwy_item_name(int n, int r, int e, char* to);

// ---- Surroundings of the aircraft (surroundings.cpp) -----------------------------------------

// Heights of the decks above the water line, m, for the contact, the starts and the drawing alike.
const float CARRIER_DECK = 21.0f, FRIGATE_DECK = 7.0f, OILRIG_DECK = 62.0f;
// Headings of the carrier's and frigate's hulls, degrees true.
const int CARRIER_HDG = 0, FRIGATE_HDG = 355;
// Deck outlines in a ship's own axes (x right, z aft), m from its centre.
const float CARR_X0 = -38.0f, CARR_X1 = 20.0f, CARR_Z0 = -165.0f, CARR_Z1 = 165.0f;
// The frigate's deck is full width aft of FRIG_Z_FWD and narrows from there to a point at its bow,
// FRIG_Z0.
const float FRIG_HALF_W = 7.5f, FRIG_Z0 = -62.0f, FRIG_Z_FWD = -40.0f, FRIG_Z1 = 60.0f;
const float RIG_HALF = 30.0f;  // half the side of an oil rig's square deck
// The arresting wires span the carrier's landing area from 40 m to 95 m ahead of its stern, across
// the angled deck, in the ship's axes.
const float CARR_WIRE_X0 = -32.0f, CARR_WIRE_X1 = 4.0f, CARR_WIRE_Z0 = 70.0f, CARR_WIRE_Z1 = 125.0f;

enum { SHIPS_MAX = 24 };  // ships of one kind kept per region (a quadrant places one of each)

// The region's ships, found once per region build, and the nearest carrier and frigate to the
// aircraft, found every frame. Centres at the water line, world m. Lifetime: region.
struct ship_state {
  int n_carr, n_frig;                               // ships in the region
  float carr_at[SHIPS_MAX][3], frig_at[SHIPS_MAX][3];  // their centres
  int oilr_count;                                   // oil rigs in the region
  float oilr[SHIPS_MAX][3];                         // their centres
  int have_carr, have_frig;                         // there is a carrier / frigate
  float carr[3], frig[3];                           // the nearest of each to the aircraft
};
extern ship_state ships;

// Lists the ships and rigs the cell flags of the region carry and the roofs of its obstacles;
// every region build ends with it.
void find_region_surfaces();
// The nearest carrier and frigate, the ship state the deck contact reads (the nearer one's place
// and attitude in con.BOAT_*), and the carrier's localizer and glide slope on its deck.
void update_ships();
// env.over_carr, over_frig and over_obs, and obs_height, for the aircraft's position: the deck or
// roof that carries it instead of the terrain.
void update_over_surfaces();
// 1 when world point (x, z) lies among the arresting wires of the nearest carrier, else 0.
int over_carrier_wires(float x, float z);
// The height of what carries the aircraft where these last found it: the deck or roof under it,
// else the terrain (env.local_h), m. A deck's is its height when level. Inline, so that the
// weather, below the world, can judge the air's height above it too.
inline float carrying_surface_h() {
  if (env.over_carr) return ships.carr[1] + CARRIER_DECK;
  if (env.over_frig) return ships.frig[1] + FRIGATE_DECK;
  if (env.over_obs) return obs_height;
  return env.local_h;
}
// scn.belowbases and scn.abovetops for the aircraft under the cloud layer's relief.
void update_cloud_position();
// The world's step of every frame, drawn or not: the region move once a region exists, then the
// cloud position, the ships and the surfaces under the aircraft, from its position in flt.
void update_surroundings();

// ---- Airport scenery and obstacles (airport_build.cpp, obstacles.cpp) ------------------------

// An airport's scenery in region slot k: its runways' lights and surfaces, then its buildings and
// tower, which keep clear of the runways of every airport of the region built by then.
void build_apt(int k, int n);
void build_apt_runways(int k, int n);
void place_apt_buildings(int k, int n);
void setuprunway(int k, int r, float x, float z, float y, float len, float width, int hdng,
                 int lite);
// Splits a lighting code into the glide-slope, runway and approach light kinds of both ends.
void code_to_lgts(int* gls, int* rwy, int* app, int code);
int in_runway123(int k, float x, float z);
void make_an_obs(float x, float z, float h, int kind, int i, int j, int slot);
