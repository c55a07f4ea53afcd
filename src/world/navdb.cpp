// The navigation database: reading "apt_dat", "nav_dat" and "fix_dat" at start-up, and the two
// navaid slots of the aircraft carrier.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/macibm.h"
#include "world/world_local.h"

static const char apt_label[] = "scan apt line";
static const char nav_label[] = "scan nav line";
static const char fix_label[] = "fix_dat";
static const char apx_label[] = "apx_dat";

// One character of the open data file; running out of file here is a scan failure like any other.
static char read_char(const char* label) {
  char c;
  if (!inf.get(c)) {
    MACIBM_alert("File-scanning error!", "stringscan", "file:", label, ALERT_SIM_FATAL);
    return ' ';
  }
  return c;
}

static int is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first character that is not a blank or a line end. Stops at the end of the stream, which
// read_char has already reported.
static char read_nonblank(const char* label) {
  char c = read_char(label);
  while (is_blank(c) && inf.good()) c = read_char(label);
  return c;
}

// `count` characters as they come, blanks included, then the terminator.
static void read_chars(char* to, int count, const char* label) {
  for (int i = 0; i < count; i++) to[i] = read_char(label);
  to[count] = '\0';
}

// The rest of the line, cut to the 39 characters a name holds.
static void read_name(char* to, const char* label) {
  char line[STR_SIZE];
  stringscan(line, label, STR_SIZE);
  size_t n = strnlen(line, 39);
  std::memcpy(to, line, n);
  to[n] = '\0';
}

// Headings are wrapped into 0..359 however far outside they lie: they index the whole-degree sine
// and cosine tables, and a single wrap would leave 800 or -400 outside them.
static int wrap_heading(int h) {
  int w = h % 360;
  return w < 0 ? w + 360 : w;
}

// Positions are limited to the globe, so that a damaged value cannot reach the conversions and
// index computations as a number too large for them.
static float limit_lat(float lat) { return fltlim(lat, -90.0f, 90.0f); }
static float limit_lon(float lon) { return fltlim(lon, -180.0f, 180.0f); }

// Turns `name` (STR_SIZE long) into the path of that data file in the world folder and opens it as
// a text file of version 354; a file that cannot be opened or read is a fatal alert.
static void open_apt_nav_dat(char* name) {
  ap_dir(WORLD_DIR, name);
  if (inf_open(name, FILE_ANY, VERSION_WORLD_DATA, 1)) return;
  // inf_open is silent about a file it cannot open and about a damaged start of file.
  std::ifstream probe(name);
  if (!probe.is_open())
    MACIBM_alert("I am unable to access a nav, airport, or fix data file!",
                 "The path I am looking at is as follows:", name,
                 "Make sure the file listed above is available in the path listed above!",
                 ALERT_SIM_FATAL);
  else
    MACIBM_alert("Error reading in global data file after version-scan!", name, "", "",
                 ALERT_SIM_FATAL);
}

// The rest of one airport record after its code; the first eight pointers address 3-runway rows.
static void scan_apt_line(float* lat, float* lon, int* num, char* lr, int* hdng, int* len,
                          int* width, int* lite, float* h, int* twr, char* id, char* name) {
  for (int r = 0; r < APT_RWYS; r++) {
    lat[r] = limit_lat(fltscanNOSN(apt_label));
    lon[r] = limit_lon(fltscanNOSN(apt_label));
    num[r] = intscanNOSN(apt_label);
    lr[r] = read_nonblank(apt_label);
    hdng[r] = wrap_heading(intscanNOSN(apt_label));
    // Feet; no runway is longer than 30000 ft, and 0 or less means the slot is empty.
    len[r] = intlim(intscanNOSN(apt_label), 0, 30000);
    width[r] = intlim(intscanNOSN(apt_label), 0, 2000);
    lite[r] = intscanNOSN(apt_label);
  }
  *h = fltscanNOSN(apt_label);
  *twr = intscanNOSN(apt_label) == 1 ? 1 : 0;
  read_char(apt_label);
  read_chars(id, 4, apt_label);
  read_char(apt_label);
  read_name(name, apt_label);
}

// The rest of one navaid record after its type.
static void scan_nav_line(float* lat, float* lon, float* h, int* f1, int* f2, int* hdng, char* id,
                          char* name) {
  *lat = limit_lat(fltscanNOSN(nav_label));
  *lon = limit_lon(fltscanNOSN(nav_label));
  *h = fltscanNOSN(nav_label);
  // Limited so that the frequency key made from them always fits an int.
  *f1 = intlim(intscanNOSN(nav_label), -99999, 99999);
  *f2 = intlim(intscanNOSN(nav_label), -999, 999);
  *hdng = wrap_heading(intscanNOSN(nav_label));
  id[0] = read_nonblank(nav_label);
  read_chars(id + 1, 3, nav_label);
  read_char(nav_label);
  read_name(name, nav_label);
}

// The start-up progress bar moves on every 500 records.
static void progress(int k) {
  if (k % 500 == 499) world_hooks.show_progress();
}

static void too_many(const char* what, int count) {
  MACIBM_alert(what, "", "", reinterpret_cast<const char*>(&count), ALERT_SIM_FATAL_VALUE);
}

static void read_airports() {
  char path[STR_SIZE];
  C_to_C("apt_dat", path);
  open_apt_nav_dat(path);
  int k = 0;
  for (;;) {
    if (intscanNOSN(path) == 99) break;
    if (k >= APT_MAX) return too_many("Too many airports in world database!", k);
    scan_apt_line(apt_lat[k], apt_lon[k], apt_num[k], apt_lr[k], apt_hdng[k], apt_len[k],
                  apt_width[k], apt_lite[k], &apt_h[k], &apt_twr[k], apt_id[k], apt_name[k]);
    for (char* c = apt_name[k]; *c; c++)
      if (*c == '-') *c = ' ';
    for (int r = 0; r < APT_RWYS; r++) {
      apt_len[k][r] = trunc_int(static_cast<float>(apt_len[k][r]) * con.fttomtrs);
      apt_width[k][r] = trunc_int(static_cast<float>(apt_width[k][r]) * con.fttomtrs);
    }
    apt_h[k] *= con.fttomtrs;
    progress(k++);
  }
  inf.close();
  env.aptmax = k - 1;
}

static void read_navaids() {
  char path[STR_SIZE];
  C_to_C("nav_dat", path);
  open_apt_nav_dat(path);
  int k = 0;
  for (;;) {
    nav_type[k] = intscanNOSN(path);
    if (nav_type[k] == 99) break;
    // k + 2 must stay inside the table: the end mark and the carrier's two slots follow.
    if (k >= NAV_MAX - 3) return too_many("Too many navs in world database!", k);
    int f1 = 0, f2 = 0;
    scan_nav_line(&nav_lat[k], &nav_lon[k], &nav_h[k], &f1, &f2, &nav_hdng[k], nav_id[k],
                  nav_name[k]);
    nav_f12[k] = nav_type[k] == 2 ? f1 : f1 * 100 + f2;
    nav_h[k] *= con.fttomtrs;
    progress(k++);
  }
  inf.close();
  // The end mark stays in slot k. The carrier's glide slope and localizer take slots k and k + 1,
  // after the last real aid, and the scans run to k + 2.
  nav_type[k + 1] = nav_type[k + 2] = 0;
  env.navmax = k + 2;
}

static void read_fixes() {
  for (int k = 0; k < FIX_MAX; k++) fix_lat[k] = fix_lon[k] = -999.0f;
  char path[STR_SIZE];
  C_to_C("fix_dat", path);
  open_apt_nav_dat(path);
  for (int k = 0;; k++) {
    float lat = fltscanNOSN(fix_label);
    if (intround(lat) == 99) break;
    if (k >= FIX_MAX - 1) return too_many("Too many fixes in world database!", k);
    fix_lat[k] = limit_lat(lat);
    fix_lon[k] = limit_lon(fltscanNOSN(fix_label));
    fix_name[k][0] = read_nonblank(fix_label);
    read_chars(fix_name[k] + 1, 4, fix_label);
    read_char(fix_label);
    progress(k);
  }
  inf.close();
}

static void clear_extras() {
  std::memset(apt_kind, 0, sizeof apt_kind);
  std::memset(apt_twrf, 0, sizeof apt_twrf);
  std::memset(apt_atisf, 0, sizeof apt_atisf);
  std::memset(apt_surf, 0, sizeof apt_surf);
}

// A frequency outside the VHF airband is no frequency the controller could give.
static int airband(int khz) { return khz >= 108000 && khz <= 137000 ? khz : 0; }

// Extras that cannot be used are dropped with one notice, never given to the wrong fields.
static void drop_extras(const char* path, const char* why, const char* row) {
  inf.close();
  clear_extras();
  MACIBM_alert(why, path, row, "The airports are used without their frequencies and surfaces.",
               ALERT_NOTICE);
}

// Record k of the extras belongs to airport k of apt_dat. A record whose identifier is another
// airport's, or a count that differs, means the two files were not written together.
static void extras_mismatch(const char* path, int k) {
  char row[STR_SIZE];
  std::snprintf(row, sizeof row, "Its records and the airports part ways at record %d.", k + 1);
  drop_extras(path, "The airport extras file does not match the airport file!", row);
}

// One record after its kind; 0 when the file stops giving values. The scanners are silent here
// (the file counts as failed already, so its first fault is not told): the notice that drops the
// extras says it.
static int scan_extras_record(char id[5], int* twr, int* atis, int surf[APT_RWYS]) {
  inf.ignore(1);  // the blank before the identifier
  inf.read(id, 4);
  id[4] = '\0';
  *twr = intscanNOSN(apx_label), *atis = intscanNOSN(apx_label);
  for (int r = 0; r < APT_RWYS; r++) surf[r] = intscanNOSN(apx_label);
  return !inf.fail();
}

// The extras are optional: a world folder written before them has no such file, and one cut
// short, of another version or with text where a number belongs is dropped like extras that do
// not pair, rather than keeping the program from starting.
static void read_extras() {
  clear_extras();
  char path[STR_SIZE];
  C_to_C(apx_label, path);
  ap_dir(WORLD_DIR, path);
  if (!std::ifstream(path).is_open()) return;
  const int was_notice = inf_failure_notice, was_failed = inf_failed;
  inf_failure_notice = inf_failed = 1;
  const int opened = inf_open(path, FILE_ANY, VERSION_WORLD_DATA, 0);
  int k = 0, readable = opened, paired = 1;
  for (; readable; k++) {
    int kind = intscanNOSN(apx_label);
    if (kind == 99) break;
    char id[5];
    int twr, atis, surf[APT_RWYS];
    readable = scan_extras_record(id, &twr, &atis, surf);
    if (!readable) break;
    paired = k <= env.aptmax && k < APT_MAX && std::strncmp(id, apt_id[k], 4) == 0;
    if (!paired) break;
    apt_kind[k] = intrange(kind, APT_KIND_AIRPORT, APT_KIND_HELIPORT) ? kind : 0;
    apt_twrf[k] = airband(twr);
    apt_atisf[k] = airband(atis);
    for (int r = 0; r < APT_RWYS; r++)
      apt_surf[k][r] = intrange(surf[r], SURF_ASPHALT, SURF_METAL) ? surf[r] : 0;
  }
  inf_failure_notice = was_notice, inf_failed = was_failed;
  if (!readable) {
    char row[STR_SIZE] = "";
    if (opened) std::snprintf(row, sizeof row, "It could not be read at record %d.", k + 1);
    return drop_extras(path, "The airport extras file is damaged or of another version!", row);
  }
  if (!paired || k != env.aptmax + 1) return extras_mismatch(path, k);
  inf.close();
}

void init_country_data() {
  read_airports();
  read_extras();
  read_navaids();
  read_fixes();
}

int apt_faa_of_icao(const char* code, char faa[4]) {
  if (std::strlen(code) != 4 || std::toupper(static_cast<unsigned char>(code[0])) != 'K') return 0;
  for (int k = 1; k < 4; k++) {
    if (!std::isalpha(static_cast<unsigned char>(code[k]))) return 0;
    faa[k - 1] = static_cast<char>(std::toupper(static_cast<unsigned char>(code[k])));
  }
  faa[3] = ' ';
  return 1;
}

void put_carrier_navs(float x, float y, float z) {
  if (env.navmax < 2) return;
  float lat = lat_with_z(z), lon = lon_with_xz(x, z);
  for (int s = env.navmax - 2; s <= env.navmax - 1; s++) {
    nav_type[s] = s == env.navmax - 1 ? 4 : 6;
    nav_lat[s] = lat;
    nav_lon[s] = lon;
    nav_h[s] = y;
    nav_f12[s] = 10800;
    nav_hdng[s] = 352;
    C_to_C("----", nav_id[s]);
    C_to_C("USS Enterprise", nav_name[s]);
    nav_inreg[s] = 1;
  }
}
