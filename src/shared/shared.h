// The shared utilities of both programs: the constants record, whole-degree trigonometry, limits,
// wrapping, rounding, interpolation, random numbers, string helpers and the text-file layer that
// every data file is read and written through.
#pragma once

#include <fstream>

// ---- Constants (filled once at start-up by init_constants) -----------------------------------

// Physical constants and unit conversions, all single precision; derived fields are computed in
// the order listed from the stored values. Lifetime: program, except the block marked per-frame
// scratch at the end.
struct constantstruct {
  float muearth;  // Earth's gravitational parameter, m^3/s^2
  float rearth;   // Earth radius, m
  float rhoSL;    // sea-level air density, kg/m^3
  float muair;    // dynamic viscosity of air, kg/(m s)
  float pi, pim2;
  float g;  // gravity at the surface, m/s^2 (muearth / rearth^2)
  float rho_h20;
  float lbstokgs, kgstolbs;
  float fttomtrs, mtrstoft;
  float hptowatt, watttohp;
  float dgrtodgk, dgktodgr;  // Rankine/Fahrenheit degrees <-> Kelvin/Celsius degrees
  float radtodeg, degtorad;
  float ktstomsc, msctokts;
  float rpmtorsc, rsctorpm;
  float fpmtomsc, msctofpm;
  float nmtomtrs, mtrstonm;
  float sftosmtr, smtrtosf;
  float lbstontn, ntntolbs;  // pounds-force <-> newtons
  float ftlbtonm, nmtoftlb;
  float endtomed, medtoend;  // slug/ft^3 <-> kg/m^3
  float meptoenp;            // N/m^2 -> lbf/ft^2
  float nm_to_sm;
  float mtrtoplt, plttomtr;  // metres <-> moving-map pixels at the base scale
  float mtrtonrt, nrttomtr;  // metres <-> terrain-grid map units; 0 until a region is loaded

  // ---- Per-frame scratch, not constants ----
  // These fields live here only because every layer can read this record; they change every
  // frame, each written by one owner and read by the others named. Lifetime: frame.
  float VIEW_xyz[3];  // viewpoint, world m; set by the view each frame (and at a flight start),
                      // read by flight to keep the terrain cells around the viewpoint
  float PLAN_loc_X, PLAN_loc_Z, PLAN_loc_Y;  // aircraft position the view was drawn for, world m
  // Sines and cosines of the aircraft's heading, pitch and bank; set by the integration each
  // step (and at a flight start), read by the body-to-world transforms.
  float sinPLANpsi, sinPLANthe, sinPLANphi, cosPLANpsi, cosPLANthe, cosPLANphi;
  // The ship drawn last: position (world m) and attitude; set by the ship drawing, read by the
  // ground contact for a carrier's deck height.
  float BOAT_loc_X, BOAT_loc_Y, BOAT_loc_Z;
  float sinBOATpsi, sinBOATthe, sinBOATphi, cosBOATpsi, cosBOATthe, cosBOATphi;
  float HUD_lft, HUD_top, HUD_rgt, HUD_bot;  // head-up display frame, window pixels; set by the HUD
  // Centre of the view in the main window's drawing coordinates (those of the mouse); set by the
  // view, read by mouse flying.
  float cntrx, cntry;
};
extern constantstruct con;

// Sine and cosine of every whole degree 0..360.
extern float lookup_sin[361];
extern float lookup_cos[361];

// Clears con, then fills its constants and the sine and cosine tables.
void init_constants();

// ---- Limits, ranges, wrapping ----------------------------------------------------------------

int intlim(int x, int lo, int hi);
float fltlim(float x, float lo, float hi);
int intrange(int x, int lo, int hi);                                   // 1 when lo <= x <= hi
int fltrange(float x, float lo, float hi);                             // 1 when lo <= x <= hi
int intbox(int x, int y, int x1, int y1, int x2, int y2);              // inclusive edges
int fltbox(float x, float y, float x1, float y1, float x2, float y2);  // exclusive edges
int intwrap(int x, int lo, int hi);          // one wrap over the inclusive range
int whole_turn(int deg);                     // whole degrees of any size brought into 0..359
float fltwrap(float x, float lo, float hi);  // one wrap over the period hi - lo
float fallout(float x, float lo, float hi);  // pushes a value out of the band lo..hi
int intpos(int x);
int fltpos(float x);
float fltsgn(float x);  // -1 when x < 0, else 1

int intmin2(int a, int b);
int intmax2(int a, int b);
float fltmin2(float a, float b);
float fltmax2(float a, float b);
float fltmin4(float a, float b, float c, float d);
float fltmax4(float a, float b, float c, float d);
float fltmax3(float a, float b, float c);
void int_switch(int* a, int* b);
void flt_switch(float* a, float* b);

// ---- Rounding and arithmetic -----------------------------------------------------------------

// Rounds half away from zero to an int. (Named intround because the C library owns round.)
int intround(float x);
// Truncates towards zero, saturating at the ends of the int range; NaN gives 0.
int inttrunc(float x);
// Seconds from clock value `then` to `now` on the 0..86400 clocks, across midnight: 0..86400.
float clock_since(float now, float then);
// The clock value `seconds` after `now`, run round at midnight.
float clock_after(float now, float seconds);
// 1 once clock value `when` has come: it lies in the half day before `now` (or is `now`), not in
// the half day still ahead, so that a time set just before midnight comes just after it.
int clock_reached(float now, float when);
float fltnear(float x, int step);
int intnear(int x, int step);
float sqr(float x);
float signsqr(float x);
float signsqrt(float x);
float pythag(float a, float b);
float pythag3(float a, float b, float c);
float interp(float x1, float y1, float x2, float y2, float x);  // extrapolates; no clamping

// ---- Random numbers (the standard generator, seeded once at start-up) ------------------------

int intrand(int lo, int hi);
float fltrand(float lo, float hi);
// A draw r of 0..32767 scaled to lo..hi as intrand and fltrand scale theirs, for a generator of
// its own.
int intrand_of(int r, int lo, int hi);
float fltrand_of(int r, float lo, float hi);

// ---- Whole-degree trigonometry and rotations -------------------------------------------------

// deg should lie in 0..360 (callers wrap with intwrap); other angles are folded into the table.
float isin(int deg);
float icos(int deg);
float rx2d(float x, float y, int deg);
float ry2d(float x, float y, int deg);
float rx3d(float x, float y, int deg);
float rz3d(float x, float y, int deg);
void xfrm_VVECT(float east, float north, float up, float out[3]);
void find_normal_vects(const float a[3], const float b[3], float n[3]);

// ---- Terrain-cell helpers --------------------------------------------------------------------

int inside_cw_reg(float x1, float z1, float x2, float z2, float x, float z, float margin);
void convert_ij_dxy(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3);
void convert_ij_cw(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3,
                   int cw, int di, int dj);

// ---- Strings and characters -----------------------------------------------------------------

// Size of the conventional string buffers. The copying and joining helpers write at most
// STR_SIZE - 1 characters and a terminator, cutting longer results; their sources may overlap the
// destination.
enum { STR_SIZE = 400 };

extern char C_s[STR_SIZE];  // shared scratch buffer for composing messages

void C_to_C(const char* from, char* to);
void C_plus_C(const char* a, const char* b, char* to);
void app_C(char* to, const char* b);
char* lit_to_var(const char* s);  // copies into a shared buffer that the next call overwrites
int str_is_int(const char* s);
int str_is_frac(const char* s);
int str_to_int(const char* s);
float str_to_frac(const char* s);  // "3/4" gives 0.75; -1 when there is no usable value
void int_to_str(int v, char* to);
int char_to_int(char c);
char int_to_char(int d);
char code_to_char(int k);
int char_to_code(char c);
int bol_to_int(int a, int b, int c, int d, int e);
void int_to_bol(int* a, int* b, int* c, int* d, int* e, int v);
void sec_to_hrs_min(float s, int* h, int* m);
// "+030-120/+034-118.env" for the quadrant at 34, -118 in its tile folder, else
// "United States/+034-118.env".
void return_latlon_str_ENV(int lat, int lon, char* to, int in_tile_folder);
void delay(float s);  // waits s seconds

// ---- Gauge and filter helpers ----------------------------------------------------------------

int gage_me(float top);
void set_mod(int top, int* small, int* big, int* divisor);
float closer_linear(float x, float target, float maxstep, float lo, float hi);
float closer_assymp(float x, float target, float k);
float findarea(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
               float z3);
void work_down_circle(float r, float* y, int* x_lo, int* x_hi);

// ---- Text-file layer -------------------------------------------------------------------------

// File-kind codes: they choose the dialog filter and whether a file is opened as binary (307).
enum {
  FILE_AIRFOIL = 301,
  FILE_FLAP = 302,
  FILE_PLANE_SAVE = 303,
  FILE_HELI_SAVE = 304,
  FILE_SITUATION = 305,
  FILE_AIRCRAFT = 306,
  FILE_BINARY = 307,
  FILE_ANY = 309,
};

// Versions the readers require.
enum {
  VERSION_AIRCRAFT = 35,
  VERSION_AIRFOIL = 363,
  VERSION_WORLD_DATA = 354,
  VERSION_PREFS = 1412,
  VERSION_TERRAIN = 3,
};

extern std::ifstream inf;          // the one input file open at any time
extern std::ofstream ouf;          // the one output file being written
extern int inf_is_bin;             // 1 while inf holds a binary file
extern int rev_inf_bin;            // 1 when the binary file's 4-byte values must be byte-reversed
extern char x_eln;                 // end-of-line character of the open text file
extern char filter_str[STR_SIZE];  // filter of the open and save dialogs, NUL-separated
extern char def_ext[5];            // their default extension: up to four characters
extern char app_path[STR_SIZE];    // folder of the running program, ending in '/'

// How the scanners, checkpoint and inf_open report a malformed file (a failed read, a checkpoint
// out of step, a wrong version): by default with a fatal alert. While inf_failure_notice is set
// the first such fault is a notice instead and sets inf_failed, which only the caller clears;
// later faults are not told, the scanners return 0 and the reader runs on to its end, and the
// caller throws away what it read. The editor opens aircraft and airfoil files this way, so that
// a bad file never ends it.
extern int inf_failure_notice;
extern int inf_failed;

// Scanners read the open file value by value; `label` names the file in the alert. A read that
// fails (end of file, text that is not a number, a number out of range) is a fatal
// "File-scanning error!". In a binary file every value is 4 bytes, byte-reversed when rev_inf_bin.
void rln(const char* label);     // skips the rest of the line, up to and including x_eln
int intscan(const char* label);  // one value, then the rest of its line is skipped
float fltscan(const char* label);
int bolscan(const char* label);
int intscanNOSN(const char* label);  // one value; the rest of the line stays to be read
float fltscanNOSN(const char* label);
int bolscanNOSN(const char* label);
// The whole line without its end; at most size - 2 characters are kept.
void stringscan(char* dest, const char* label, int size);
// Reads an empty line, a line starting with the number n, and an empty line. Returns 1 when the
// number is n; otherwise composes the mismatch in C_s and gives a fatal alert, or returns 0 when
// `alert` is 0.
int checkpoint(int n, int alert);
void rev_byte_order4(void* p);
// Turns the '\\' separators of a name written on Windows into '/'.
void fix_path_seps(char* path);
// name becomes app_path + dir + '/' + name (app_path + name when dir is empty), with '/'
// separators.
void ap_dir(const char* dir, char* name);
int build_IBM_filter(const char* desc, const char* ext);
void set_up_IBM_filter(int kind);
// A file path typed in a save dialog without the extension ext (".acf") gets it, so that the open
// dialogs, which list only such files, show the file; a path that would not fit stays as it is.
void with_extension(char* path, const char* ext);
// Closes whatever inf held and opens path (binary for FILE_BINARY), checks the marker line and
// the version and learns the line end. Returns 1 when the file can be read; 0 for a missing file,
// a wrong marker, or (with `alert` 0) a wrong or unreadable version. With `alert` set a wrong
// version is a fatal alert.
int inf_open(const char* path, int kind, int version, int alert);
// Starts writing path: text files get "I", the version line and fixed-point notation, binary
// files the byte-order marker and the 4-byte version. The bytes go to path + ".tmp" until
// ouf_close; a write that was never closed is abandoned here, its target untouched. A failure
// shows the save alert and returns 0.
int ouf_open(const char* path, int kind, int version);
// Finishes the file opened by ouf_open: flushes and closes it, and only when every byte was
// written replaces the target with it. Returns 1 on success; on failure shows the save alert,
// leaves any earlier file of that name untouched and returns 0. Returns 0 without a further alert
// when nothing is open because ouf_open failed.
int ouf_close();
