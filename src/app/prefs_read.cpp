// The preferences file's fields: one table of them in file order, walked by capturing, applying,
// writing and reading; scanners that report a malformed file instead of ending the program; and
// the checks every value passes before it is used, so that grab_prefs changes the records only
// when the whole body could be read.
#include "app/app.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Scanners --------------------------------------------------------------------------------

// A preferences or situation file is the user's own and may be anything: every read here stops
// at the end of the stream, and the first failure makes the rest of the body a failure too.
static bool reading_ok = true;

// The end of the stream ends the last line as well; any read after it fails.
static void skip_line() {
  if (!reading_ok) return;
  char c;
  while (inf.get(c))
    if (c == x_eln) return;
}

template <typename T>
static T scan(bool rest_of_line) {
  T v{};
  if (!reading_ok) return v;
  if (!(inf >> v)) {
    reading_ok = false;
    return T{};
  }
  if (rest_of_line) skip_line();
  return v;
}

static int scan_int() { return scan<int>(true); }
static int scan_int_on_line() { return scan<int>(false); }

// The whole line without its end; a carriage return before a line feed is the other half of a
// Windows line end.
static void scan_string(char* dest, int size) {
  int stored = 0;
  dest[0] = '\0';
  if (!reading_ok) return;
  char c;
  bool ended = false;
  while (inf.get(c)) {
    if (c == x_eln) {
      ended = true;
      break;
    }
    if (stored < size - 2) dest[stored++] = c;
  }
  if (!ended) reading_ok = false;
  if (x_eln == '\n' && stored > 0 && dest[stored - 1] == '\r') stored--;
  dest[stored] = '\0';
}

static void scan_checkpoint(int n) {
  skip_line();
  if (scan_int() != n) reading_ok = false;
  skip_line();
}

// The same, where the file may have none: 1 when it was there; otherwise the stream is put back.
static int scan_later_checkpoint(int n) {
  if (!reading_ok) return 1;
  const std::streampos at = inf.tellg();
  scan_checkpoint(n);
  if (reading_ok) return 1;
  inf.clear();
  inf.seekg(at);
  reading_ok = true;
  return 0;
}

// ---- The fields ------------------------------------------------------------------------------

// How a value is written, read and captured. Flags and selections are captured as 0/1; a flag
// reads as set only when it is 1, a selection when it is any non-zero value (check_prefs makes
// it 0/1). Degrees are whole degrees that older files hold as floats.
enum pref_kind {
  PF_CHECKPOINT,
  PF_LATER_CHECKPOINT,  // a checkpoint before fields that files of earlier versions lack
  PF_ROW,
  PF_STRING,
  PF_INT,
  PF_FLOAT,
  PF_FLAG,
  PF_SELECTION,
  PF_DEGREES,
  PF_OPTIONAL
};

// One field of the file, or a checkpoint (n its number), or the start of a row (n fields that
// follow share each line, one value of each per line, as many lines as the first has values), or
// the mark after which a file may end (the settings added since the first version).
struct pref_field {
  pref_kind kind;
  int n;         // values of the field (characters of a string)
  void* record;  // the record's field
  size_t body;   // the same field's offset in prefs_body
};

// The record's field and the body's must be of one type; the count of values follows from it.
template <typename R, typename B>
constexpr int field_values() {
  static_assert(std::is_same<R, B>::value, "a record field and its body field differ in type");
  return static_cast<int>(sizeof(R) / sizeof(std::remove_all_extents_t<R>));
}
#define PREF(kind, record, member)                                                   \
  pref_field {                                                                       \
    kind, field_values<decltype(record), decltype(prefs_body::member)>(), &(record), \
        offsetof(prefs_body, member)                                                 \
  }
#define CHECKPOINT(n) \
  pref_field { PF_CHECKPOINT, n, nullptr, 0 }
#define LATER_CHECKPOINT(n) \
  pref_field { PF_LATER_CHECKPOINT, n, nullptr, 0 }
#define ROW(n) \
  pref_field { PF_ROW, n, nullptr, 0 }

// The file, in order.
static const pref_field pref_fields[] = {
    PREF(PF_STRING, pln.C_file, C_file),
    PREF(PF_STRING, pln.C_path, C_path),
    CHECKPOINT(100),
    PREF(PF_INT, msc.loc_apt_wrl, loc_apt_wrl),
    PREF(PF_INT, msc.rway_sel, rway_sel),
    PREF(PF_FLOAT, msc.locl_time, locl_time),
    PREF(PF_FLOAT, atm.temp_SL, temp_SL),
    CHECKPOINT(101),
    PREF(PF_FLOAT, ins.baro, ins_baro),
    PREF(PF_FLOAT, atm.baro, atm_baro),
    PREF(PF_FLOAT, atm.rain_tstm, rain_tstm),
    PREF(PF_FLOAT, atm.wind_tbl, wind_tbl),
    PREF(PF_FLOAT, atm.burst_prob, burst_prob),
    PREF(PF_FLAG, atm.change_clouds, change_clouds),
    PREF(PF_FLAG, atm.change_vis, change_vis),
    PREF(PF_FLAG, atm.change_precip, change_precip),
    PREF(PF_FLAG, atm.change_turb, change_turb),
    PREF(PF_FLAG, atm.change_micro, change_micro),
    PREF(PF_INT, atm.cld_type, cld_type),
    PREF(PF_FLOAT, atm.topsMSL, topsMSL),
    PREF(PF_FLOAT, atm.baseMSL, baseMSL),
    PREF(PF_FLOAT, atm.vis, vis),
    ROW(5),  // one wind layer per line
    PREF(PF_FLOAT, atm.wnddir, wnddir),
    PREF(PF_FLOAT, atm.wndspd, wndspd),
    PREF(PF_FLOAT, atm.shrdir, shrdir),
    PREF(PF_FLOAT, atm.shrspd, shrspd),
    PREF(PF_FLOAT, atm.tbl, tbl),
    CHECKPOINT(102),
    PREF(PF_FLOAT, atm.wave_amp, wave_amp),
    PREF(PF_FLOAT, atm.wave_length, wave_length),
    PREF(PF_FLOAT, atm.wave_speed, wave_speed),
    PREF(PF_DEGREES, atm.wave_dir, wave_dir),
    PREF(PF_INT, atm.meteorite_code, meteorite_code),
    PREF(PF_INT, atm.rway_fric_code, rway_fric_code),
    CHECKPOINT(103),
    PREF(PF_FLAG, msc.sound_on, sound_on),
    PREF(PF_FLAG, atc.voice_out, voice_out),
    PREF(PF_FLAG, atc.text_out, text_out),
    PREF(PF_FLAG, msc.warn_frame, warn_frame),
    PREF(PF_FLAG, msc.warn_overspeed, warn_overspeed),
    PREF(PF_FLAG, msc.warn_flaps, warn_flaps),
    PREF(PF_FLAG, msc.warn_bb, warn_bb),
    PREF(PF_FLAG, set.ser_NMEA, ser_NMEA),
    PREF(PF_FLAG, set.ser_motion, ser_motion),
    PREF(PF_FLAG, set.ser_cockpit, ser_cockpit),
    ROW(3),  // one output group per line: disk, screen, graph
    PREF(PF_SELECTION, set.Bdsk, Bdsk),
    PREF(PF_SELECTION, set.Brlt, Brlt),
    PREF(PF_SELECTION, set.Bgrf, Bgrf),
    PREF(PF_FLOAT, set.damp, damp),
    PREF(PF_FLOAT, set.joy_rat_ptch, joy_rat_ptch),
    PREF(PF_FLOAT, set.joy_rat_hdng, joy_rat_hdng),
    PREF(PF_FLOAT, set.joy_rat_roll, joy_rat_roll),
    PREF(PF_FLAG, set.eq_ped, eq_ped),
    PREF(PF_FLAG, set.eq_avi, eq_avi),
    PREF(PF_FLAG, set.eq_thr, eq_thr),
    PREF(PF_FLAG, set.eq_col, eq_col),
    PREF(PF_FLOAT, set.fcon_force_rat, fcon_force_rat),
    PREF(PF_FLOAT, set.NZptch, NZptch),
    PREF(PF_FLOAT, set.NZroll, NZroll),
    PREF(PF_INT, set.joy_response, joy_response),
    CHECKPOINT(104),
    PREF(PF_FLOAT, nav.vol, vol),
    PREF(PF_INT, nav.nf, nf),
    PREF(PF_INT, nav.cf, cf),
    PREF(PF_FLOAT, nav.obs, obs),
    PREF(PF_INT, nav.adff, adff),
    PREF(PF_INT, nav.dmesel, dmesel),
    PREF(PF_INT, nav.gps_index_mode, gps_index_mode),
    PREF(PF_INT, nav.gps_index, gps_index),
    PREF(PF_INT, nav.gps_apt_index, gps_apt_index),
    PREF(PF_INT, nav.gps_vor_index, gps_vor_index),
    PREF(PF_INT, nav.gps_ndb_index, gps_ndb_index),
    PREF(PF_INT, nav.gps_id, gps_id),
    CHECKPOINT(105),
    PREF(PF_FLOAT, msc.prd, prd),
    PREF(PF_FLAG, msc.logtime, logtime),
    PREF(PF_FLOAT, rel.total_fail_entry, total_fail_entry),
    PREF(PF_INT, ogl_res, ogl_res),
    PREF(PF_FLAG, ogl_trees, ogl_trees),
    PREF(PF_FLAG, ogl_fscene, ogl_fscene),
    pref_field{PF_OPTIONAL, 0, nullptr, 0},
    CHECKPOINT(106),
    ROW(2),  // one failure entry per line: how it fails, its mean time
    PREF(PF_INT, rel.fail_type, fail_type),
    PREF(PF_FLOAT, rel.fail_time_max, fail_time_max),
    PREF(PF_FLOAT, atm.dewp_SL, dewp_SL),
    PREF(PF_INT, atm.rate_change, rate_change),
    PREF(PF_FLAG, set.eq_toebrakes, eq_toebrakes),
    PREF(PF_INT, msc.typestart, typestart),
    PREF(PF_FLOAT, set.load_fuel, load_fuel),
    PREF(PF_FLOAT, set.load_fixed, load_fixed),
    PREF(PF_FLOAT, set.load_jettison, load_jettison),
    LATER_CHECKPOINT(107),
    ROW(4),  // the main window's normal size and its state, the scale of the panel and text
    PREF(PF_INT, mnw.main_w, main_w),
    PREF(PF_INT, mnw.main_h, main_h),
    PREF(PF_INT, mnw.main_state, main_state),
    PREF(PF_INT, mnw.ui_scale, ui_scale),
};
#undef PREF
#undef CHECKPOINT
#undef LATER_CHECKPOINT
#undef ROW

enum pref_op { PREFS_CAPTURE, PREFS_APPLY, PREFS_WRITE, PREFS_READ };

// Value i of field f, between the records, the body and the file; ends_line when it is the last
// value on its line.
static void transfer(const pref_field& f, int i, char* body, pref_op op, bool ends_line) {
  char* b = body + f.body;
  char* r = static_cast<char*>(f.record);
  const char* end = ends_line ? "\n" : " ";
  if (f.kind == PF_STRING) {
    if (op == PREFS_CAPTURE) std::snprintf(b, f.n, "%s", r);
    if (op == PREFS_APPLY) std::snprintf(r, f.n, "%s", b);
    if (op == PREFS_WRITE) ouf << b << "\n";
    if (op == PREFS_READ) scan_string(b, f.n);
  } else if (f.kind == PF_FLOAT) {
    float& bv = reinterpret_cast<float*>(b)[i];
    float& rv = reinterpret_cast<float*>(r)[i];
    if (op == PREFS_CAPTURE) bv = rv;
    if (op == PREFS_APPLY) rv = bv;
    if (op == PREFS_WRITE) ouf << bv << end;
    if (op == PREFS_READ) bv = scan<float>(ends_line);
  } else {
    int& bv = reinterpret_cast<int*>(b)[i];
    int& rv = reinterpret_cast<int*>(r)[i];
    bool boolean = f.kind == PF_FLAG || f.kind == PF_SELECTION;
    if (op == PREFS_CAPTURE) bv = boolean ? rv != 0 : rv;
    if (op == PREFS_APPLY) rv = bv;
    if (op == PREFS_WRITE) ouf << bv << end;
    if (op == PREFS_READ && f.kind == PF_FLAG) bv = scan<int>(ends_line) == 1 ? 1 : 0;
    if (op == PREFS_READ && f.kind == PF_DEGREES)
      bv = static_cast<int>(std::fmod(scan<float>(ends_line), 360.0f));
    if (op == PREFS_READ && f.kind != PF_FLAG && f.kind != PF_DEGREES) bv = scan<int>(ends_line);
  }
}

// The one walk over the fields that capturing, applying, writing and reading share, from field
// `first` on. A read that fails after the optional mark puts the stream back where the mark was
// and takes the records' values for what follows it: the file is one of an older version.
static void walk_prefs(prefs_body* body, pref_op op, int first = 0) {
  const pref_op asked = op;  // op turns to capturing where a file of an earlier version ends
  const int count = sizeof pref_fields / sizeof pref_fields[0];
  std::streampos optional_at = -1;
  int optional_k = -1;
  for (int k = first; k < count; k++) {
    const pref_field& f = pref_fields[k];
    if (f.kind == PF_OPTIONAL) {
      if (op == PREFS_READ && reading_ok) {
        optional_at = inf.tellg();
        optional_k = k + 1;
      }
      continue;
    }
    if (f.kind == PF_CHECKPOINT || f.kind == PF_LATER_CHECKPOINT) {
      if (op == PREFS_WRITE) ouf << "\n" << f.n << " checkpoint\n\n";
      if (op == PREFS_READ && f.kind == PF_CHECKPOINT) scan_checkpoint(f.n);
      // A file of an earlier version ends here, or a situation's own values follow: the fields
      // from here on keep what the records hold.
      if (op == PREFS_READ && f.kind == PF_LATER_CHECKPOINT && !scan_later_checkpoint(f.n))
        op = PREFS_CAPTURE;
      continue;
    }
    int width = 1;  // fields sharing each line
    if (f.kind == PF_ROW) {
      width = f.n;
      k++;
    }
    const pref_field* row = &pref_fields[k];
    int lines = row[0].kind == PF_STRING ? 1 : row[0].n;
    for (int i = 0; i < lines; i++)
      for (int j = 0; j < width; j++)
        transfer(row[j], i, reinterpret_cast<char*>(body), op, j == width - 1);
    k += width - 1;
  }
  if (asked != PREFS_READ) return;
  body->tail_read = reading_ok && optional_k >= 0;
  if (!reading_ok && optional_k >= 0) {
    inf.clear();
    inf.seekg(optional_at);
    reading_ok = true;
    walk_prefs(body, PREFS_CAPTURE, optional_k);
  }
}

void capture_prefs(prefs_body* b) {
  b->tail_read = 0;
  walk_prefs(b, PREFS_CAPTURE);
}

// One value per line, except the wind layers and the output selections, whose values share a
// line separated by one blank.
void write_prefs_body(const prefs_body& b) {
  // Writing only reads the body.
  walk_prefs(const_cast<prefs_body*>(&b), PREFS_WRITE);
}

int read_prefs_body(prefs_body* b) {
  reading_ok = true;
  b->tail_read = 0;
  walk_prefs(b, PREFS_READ);
  return reading_ok ? 1 : 0;
}

// A position value is known by the words after it on its line. A body whose later settings could
// not be read is taken for one of a version without them, and the five values looked for where
// those settings begin: numbers are found there too, but not these words.
static float scan_situation_value() {
  const float v = scan<float>(false);
  char rest[64];
  scan_string(rest, sizeof rest);
  if (!std::strstr(rest, "situation data")) reading_ok = false;
  return v;
}

// Reads the five position values of a situation and the optional region line after them: the
// south-west corner of the region the position is measured from. A file without that line leaves
// *has_region 0. A region reaching past the date line goes on counting degrees of longitude
// beyond 180 (or below -180), as the region moves with a flight across it or about a start near it.
int read_situation_tail(float pos[5], int* region_lat, int* region_lon, int* has_region) {
  for (int i = 0; i < 5; i++) pos[i] = scan_situation_value();
  if (!reading_ok) return 0;
  *has_region = 0;
  int lat = scan_int_on_line();
  int lon = scan_int_on_line();
  if (reading_ok && lat >= -90 && lat <= 88 && lon >= -360 && lon <= 360) {
    *region_lat = lat;
    *region_lon = lon;
    *has_region = 1;
  }
  reading_ok = true;
  return 1;
}

// ---- Checks ----------------------------------------------------------------------------------

int default_start_airport() {
  int found = 0;
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (apt_id[n][0] == 'S' && apt_id[n][1] == 'B' && apt_id[n][2] == 'D' && apt_id[n][3] == ' ')
      found = n;
  return found;
}

// A region reaching beyond a pole would have no meaning: near one it ends at the pole.
void region_corner_for(float lat, float lon) {
  env.lat_sou = intlim(intround(lat - 1.0f), -90, 88);
  env.lon_wes = intround(lon - 1.5f);
}

void region_corner_for_airport(int n) {
  n = intlim(n, 0, APT_MAX - 1);
  region_corner_for(apt_lat[n][0], apt_lon[n][0]);
}

static float wrap_positive(float v, float period) {
  float r = std::fmod(v, period);
  return r < 0.0f ? r + period : r;
}

static int index_or(int v, int lo, int hi, int fallback) {
  return v >= lo && v <= hi ? v : intlim(fallback, lo, hi);
}

// Values that index a table are brought inside it, and the others inside the ranges the records
// document, so that a file edited by hand or written by another version can never index past an
// array or feed the flight model a value it cannot fly. The read's own rules come first: disk
// output never starts switched on, the frame period lies in 0.01..0.1 s, and radios driven by
// external equipment start from their defaults.
void check_prefs(prefs_body* b) {
  fix_path_seps(b->C_file);
  fix_path_seps(b->C_path);
  if (b->loc_apt_wrl < 0 || b->loc_apt_wrl > env.aptmax || b->loc_apt_wrl >= APT_MAX) {
    b->loc_apt_wrl = default_start_airport();
    b->rway_sel = 0;
  }
  b->rway_sel = index_or(b->rway_sel, 0, 5, 0);
  b->locl_time = wrap_positive(b->locl_time, 86400.0f);
  b->temp_SL = fltlim(b->temp_SL, -100.0f, 150.0f);
  b->ins_baro = fltlim(b->ins_baro, 25.0f, 35.0f);
  b->atm_baro = fltlim(b->atm_baro, 25.0f, 35.0f);
  b->rain_tstm = fltlim(b->rain_tstm, 1.0f, 5.0f);
  b->wind_tbl = fltlim(b->wind_tbl, 1.0f, 5.0f);
  b->burst_prob = fltlim(b->burst_prob, 1.0f, 5.0f);
  b->cld_type = intlim(b->cld_type, 0, 1);
  // The weather window's own ranges, so that the clouds come back as they were set.
  b->topsMSL = fltlim(b->topsMSL, 0.0f, 99999.0f * con.fttomtrs);
  b->baseMSL = fltlim(b->baseMSL, 0.0f, 98999.0f * con.fttomtrs);
  b->vis = fltlim(b->vis, 185.2f, 37040.0f);
  for (int i = 0; i < WIND_LAYERS; i++) {
    b->wnddir[i] = fltlim(b->wnddir[i], 0.0f, 360.0f);
    b->wndspd[i] = fltlim(b->wndspd[i], 0.0f, 150.0f);
    b->shrdir[i] = fltlim(b->shrdir[i], 0.0f, 180.0f);
    b->shrspd[i] = fltlim(b->shrspd[i], 0.0f, 100.0f);
    b->tbl[i] = fltlim(b->tbl[i], 0.0f, 9.0f);
  }
  b->wave_amp = fltlim(b->wave_amp, 0.0f, 30.0f);
  b->wave_length = fltlim(b->wave_length, 0.1f, 2000.0f);
  b->wave_speed = fltlim(b->wave_speed, 0.0f, 100.0f);
  b->wave_dir = b->wave_dir < 0 ? b->wave_dir + 360 : b->wave_dir;
  b->wave_dir = intlim(b->wave_dir, 0, 359);
  b->rway_fric_code = intlim(b->rway_fric_code, 1, 3);

  // Rows past the defined groups select nothing and are cleared. A hand-edited file may choose
  // more groups than the list and the graph show: the first ones are kept, so that the boxes
  // ticked in the Data Output window are the groups in use.
  int n_rlt = 0, n_grf = 0;
  for (int i = 0; i < DATA_GROUPS; i++) {
    b->Bdsk[i] = 0;
    b->Brlt[i] = i < DATA_GROUPS_DEFINED && b->Brlt[i] != 0 && n_rlt++ < RLT_ROWS;
    b->Bgrf[i] = i < DATA_GROUPS_DEFINED && b->Bgrf[i] != 0 && n_grf++ < GRF_TRACES;
  }
  b->damp = fltlim(b->damp, 0.0f, 1.0f);
  b->joy_rat_ptch = fltlim(b->joy_rat_ptch, 0.0f, 2.0f);
  b->joy_rat_hdng = fltlim(b->joy_rat_hdng, 0.0f, 2.0f);
  b->joy_rat_roll = fltlim(b->joy_rat_roll, 0.0f, 2.0f);
  b->fcon_force_rat = fltlim(b->fcon_force_rat, 0.0f, 2.0f);
  b->NZptch = fltlim(b->NZptch, 0.0f, 0.9f);
  b->NZroll = fltlim(b->NZroll, 0.0f, 0.9f);
  static const int factory_response[JOY_BUTTONS] = {2,  1,  5,  6,  22, 21, 19, 20,
                                                    15, 16, 11, 12, 10, 9,  17, 18};
  for (int i = 0; i < JOY_BUTTONS; i++)
    if (b->joy_response[i] < 1 || b->joy_response[i] > 28) b->joy_response[i] = factory_response[i];

  for (int r = 0; r < 2; r++) {
    b->vol[r] = fltlim(b->vol[r], 0.0f, 1.0f);
    b->obs[r] = wrap_positive(b->obs[r], 360.0f);
    if (b->nf[r] < 10800 || b->nf[r] > 11795) b->nf[r] = 11170;
    if (b->cf[r] < 11800 || b->cf[r] > 13697) b->cf[r] = 12100;
  }
  b->adff = index_or(b->adff, 0, 999, 210);
  b->dmesel = intlim(b->dmesel, 0, 4);
  if (b->gps_index_mode == 1)
    b->gps_index = index_or(b->gps_index, 0, APT_MAX - 1, 1600);
  else
    b->gps_index = index_or(b->gps_index, 0, NAV_MAX - 1, 2100);
  b->gps_apt_index = index_or(b->gps_apt_index, 0, APT_MAX - 1, 1600);
  b->gps_vor_index = index_or(b->gps_vor_index, 0, NAV_MAX - 1, 2100);
  b->gps_ndb_index = index_or(b->gps_ndb_index, 0, NAV_MAX - 1, 700);
  for (int i = 0; i < 4; i++) b->gps_id[i] = index_or(b->gps_id[i], 0, 36, 11);
  if (b->eq_avi) {
    b->nf[0] = b->nf[1] = 11170;
    b->cf[0] = b->cf[1] = 12100;
    b->adff = 210;
  }

  for (int i = 0; i < FAIL_ENTRIES; i++) {
    b->fail_type[i] = index_or(b->fail_type[i], 1, 3, 1);
    float t = b->fail_time_max[i];
    b->fail_time_max[i] = t >= 0.1f && t <= 99999.0f ? t : 10.0f;  // NaN too
  }
  b->dewp_SL = b->dewp_SL >= -100.0f && b->dewp_SL <= 150.0f ? b->dewp_SL : b->temp_SL;
  b->rate_change = index_or(b->rate_change, 1, 8, 4);
  if (b->typestart != TYPESTART_VFR_FINAL && b->typestart != TYPESTART_ILS_FINAL)
    b->typestart = TYPESTART_TAKEOFF;

  b->prd = fltlim(b->prd, 0.01f, 0.1f);
  b->total_fail_entry = fltlim(b->total_fail_entry, 0.0f, 1000.0f);
  b->ogl_res = index_or(b->ogl_res, 1, 5, 2);
  // The window is brought within the screen when it opens; here only what no screen could hold.
  b->main_w = intlim(b->main_w, 0, 16384);
  b->main_h = intlim(b->main_h, 0, 16384);
  b->main_state = index_or(b->main_state, MAIN_NORMAL, MAIN_FULL_SCREEN, MAIN_NORMAL);
  if (!intrange(b->ui_scale, UI_SCALE_MIN, UI_SCALE_MAX)) b->ui_scale = 0;
}

// ---- Applying --------------------------------------------------------------------------------

int prefs_loads_kept = 0;
static char loads_aircraft[sizeof pln.C_path];  // the aircraft the loads were chosen for

// The loads go to the aircraft only once it is loaded, and only when they fit it. They are the
// chosen aircraft's alone: another one, chosen because that had gone, starts with its own.
void keep_chosen_loads(const float chosen[3]) {
  if (!prefs_loads_kept || std::strcmp(pln.C_path, loads_aircraft) != 0) return;
  if (loads_fit(chosen[0], chosen[1], chosen[2], nullptr) != LOADS_FIT) return;
  set.load_fuel = chosen[0];
  set.load_fixed = chosen[1];
  set.load_jettison = chosen[2];
}

void apply_prefs(const prefs_body& b) {
  // Applying only reads the body.
  walk_prefs(const_cast<prefs_body*>(&b), PREFS_APPLY);
  region_corner_for_airport(b.loc_apt_wrl);
  atm.thermal_part = 0.0f;
  atm.thermal_vvi = 0.0f;
  prefs_loads_kept = b.tail_read;
  std::snprintf(loads_aircraft, sizeof loads_aircraft, "%s", b.C_path);
  MACIBM_check_menu(MENU_SPECIAL, CMD_LOG_TIME, msc.logtime);
  show_ui_scale();
}

int grab_prefs() {
  prefs_body b;
  if (!read_prefs_body(&b)) return 0;
  check_prefs(&b);
  apply_prefs(b);
  return 1;
}
