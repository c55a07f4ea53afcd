// Reading the preferences body: scanners that report a malformed file instead of ending the
// program, the checks every value passes before it is used, and grab_prefs, which changes the
// records only when the whole body could be read.
#include "app/app.h"

#include <cmath>
#include <cstdio>

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
static float scan_flt() { return scan<float>(true); }
static int scan_flag() { return scan<int>(true) == 1 ? 1 : 0; }
static int scan_int_on_line() { return scan<int>(false); }
static float scan_flt_on_line() { return scan<float>(false); }

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

// ---- The body --------------------------------------------------------------------------------

int read_prefs_body(prefs_body* b) {
  reading_ok = true;
  scan_string(b->C_file, sizeof b->C_file);
  scan_string(b->C_path, sizeof b->C_path);

  scan_checkpoint(100);
  b->loc_apt_wrl = scan_int();
  b->rway_sel = scan_int();
  b->locl_time = scan_flt();
  b->temp_SL = scan_flt();

  scan_checkpoint(101);
  b->ins_baro = scan_flt();
  b->atm_baro = scan_flt();
  b->rain_tstm = scan_flt();
  b->wind_tbl = scan_flt();
  b->burst_prob = scan_flt();
  b->change_clouds = scan_flag();
  b->change_vis = scan_flag();
  b->change_precip = scan_flag();
  b->change_turb = scan_flag();
  b->change_micro = scan_flag();
  b->cld_type = scan_int();
  b->topsMSL = scan_flt();
  b->baseMSL = scan_flt();
  b->vis = scan_flt();
  for (int i = 0; i < WIND_LAYERS; i++) {
    b->wnddir[i] = scan_flt_on_line();
    b->wndspd[i] = scan_flt_on_line();
    b->shrdir[i] = scan_flt_on_line();
    b->shrspd[i] = scan_flt_on_line();
    b->tbl[i] = scan_flt();
  }

  scan_checkpoint(102);
  b->wave_amp = scan_flt();
  b->wave_length = scan_flt();
  b->wave_speed = scan_flt();
  b->wave_dir = static_cast<int>(std::fmod(scan_flt(), 360.0f));
  b->meteorite_code = scan_int();
  b->rway_fric_code = scan_int();

  scan_checkpoint(103);
  b->sound_on = scan_flag();
  b->voice_out = scan_flag();
  b->text_out = scan_flag();
  b->warn_frame = scan_flag();
  b->warn_overspeed = scan_flag();
  b->warn_flaps = scan_flag();
  b->warn_bb = scan_flag();
  b->ser_NMEA = scan_flag();
  b->ser_motion = scan_flag();
  b->ser_cockpit = scan_flag();
  for (int i = 0; i < DATA_GROUPS; i++) {
    b->Bdsk[i] = scan_int_on_line();
    b->Brlt[i] = scan_int_on_line();
    b->Bgrf[i] = scan_int();
  }
  b->damp = scan_flt();
  b->joy_rat_ptch = scan_flt();
  b->joy_rat_hdng = scan_flt();
  b->joy_rat_roll = scan_flt();
  b->eq_ped = scan_flag();
  b->eq_avi = scan_flag();
  b->eq_thr = scan_flag();
  b->eq_col = scan_flag();
  b->fcon_force_rat = scan_flt();
  b->NZptch = scan_flt();
  b->NZroll = scan_flt();
  for (int i = 0; i < JOY_BUTTONS; i++) b->joy_response[i] = scan_int();

  scan_checkpoint(104);
  b->vol[0] = scan_flt();
  b->vol[1] = scan_flt();
  b->nf[0] = scan_int();
  b->nf[1] = scan_int();
  b->cf[0] = scan_int();
  b->cf[1] = scan_int();
  b->obs[0] = scan_flt();
  b->obs[1] = scan_flt();
  b->adff = scan_int();
  b->dmesel = scan_int();
  b->gps_index_mode = scan_int();
  b->gps_index = scan_int();
  b->gps_apt_index = scan_int();
  b->gps_vor_index = scan_int();
  b->gps_ndb_index = scan_int();
  for (int i = 0; i < 4; i++) b->gps_id[i] = scan_int();

  scan_checkpoint(105);
  b->prd = scan_flt();
  b->logtime = scan_flag();
  b->total_fail_entry = scan_flt();
  b->ogl_res = scan_int();
  b->ogl_trees = scan_flag();
  b->ogl_fscene = scan_flag();
  return reading_ok ? 1 : 0;
}

// Reads the five position values of a situation and the optional region line after them: the
// south-west corner of the region the position is measured from. A file without that line leaves
// *has_region 0.
int read_situation_tail(float pos[5], int* region_lat, int* region_lon, int* has_region) {
  for (int i = 0; i < 5; i++) pos[i] = scan_flt();
  if (!reading_ok) return 0;
  *has_region = 0;
  int lat = scan_int_on_line();
  int lon = scan_int_on_line();
  if (reading_ok && lat >= -90 && lat <= 88 && lon >= -180 && lon <= 177) {
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
  b->topsMSL = fltlim(b->topsMSL, 0.0f, 25000.0f);
  b->baseMSL = fltlim(b->baseMSL, 0.0f, 25000.0f);
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

  for (int i = 0; i < DATA_GROUPS; i++) {
    b->Bdsk[i] = 0;
    b->Brlt[i] = b->Brlt[i] != 0;
    b->Bgrf[i] = b->Bgrf[i] != 0;
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

  b->prd = fltlim(b->prd, 0.01f, 0.1f);
  b->total_fail_entry = fltlim(b->total_fail_entry, 0.0f, 1000.0f);
  b->ogl_res = index_or(b->ogl_res, 1, 5, 2);
}

// ---- Applying --------------------------------------------------------------------------------

static void copy_string(const char* from, char* to) { std::snprintf(to, 400, "%s", from); }

void apply_prefs(const prefs_body& b) {
  copy_string(b.C_file, pln.C_file);
  copy_string(b.C_path, pln.C_path);
  msc.loc_apt_wrl = b.loc_apt_wrl;
  msc.rway_sel = b.rway_sel;
  region_corner_for_airport(b.loc_apt_wrl);
  msc.locl_time = b.locl_time;
  atm.temp_SL = b.temp_SL;

  ins.baro = b.ins_baro;
  atm.baro = b.atm_baro;
  atm.rain_tstm = b.rain_tstm;
  atm.wind_tbl = b.wind_tbl;
  atm.burst_prob = b.burst_prob;
  atm.change_clouds = b.change_clouds;
  atm.change_vis = b.change_vis;
  atm.change_precip = b.change_precip;
  atm.change_turb = b.change_turb;
  atm.change_micro = b.change_micro;
  atm.cld_type = b.cld_type;
  atm.topsMSL = b.topsMSL;
  atm.baseMSL = b.baseMSL;
  atm.vis = b.vis;
  for (int i = 0; i < WIND_LAYERS; i++) {
    atm.wnddir[i] = b.wnddir[i];
    atm.wndspd[i] = b.wndspd[i];
    atm.shrdir[i] = b.shrdir[i];
    atm.shrspd[i] = b.shrspd[i];
    atm.tbl[i] = b.tbl[i];
  }

  atm.wave_amp = b.wave_amp;
  atm.wave_length = b.wave_length;
  atm.wave_speed = b.wave_speed;
  atm.wave_dir = b.wave_dir;
  atm.thermal_part = 0.0f;
  atm.thermal_vvi = 0.0f;
  atm.meteorite_code = b.meteorite_code;
  atm.rway_fric_code = b.rway_fric_code;

  msc.sound_on = b.sound_on;
  atc.voice_out = b.voice_out;
  atc.text_out = b.text_out;
  msc.warn_frame = b.warn_frame;
  msc.warn_overspeed = b.warn_overspeed;
  msc.warn_flaps = b.warn_flaps;
  msc.warn_bb = b.warn_bb;
  set.ser_NMEA = b.ser_NMEA;
  set.ser_motion = b.ser_motion;
  set.ser_cockpit = b.ser_cockpit;
  for (int i = 0; i < DATA_GROUPS; i++) {
    set.Bdsk[i] = b.Bdsk[i];
    set.Brlt[i] = b.Brlt[i];
    set.Bgrf[i] = b.Bgrf[i];
  }
  set.damp = b.damp;
  set.joy_rat_ptch = b.joy_rat_ptch;
  set.joy_rat_hdng = b.joy_rat_hdng;
  set.joy_rat_roll = b.joy_rat_roll;
  set.eq_ped = b.eq_ped;
  set.eq_avi = b.eq_avi;
  set.eq_thr = b.eq_thr;
  set.eq_col = b.eq_col;
  set.fcon_force_rat = b.fcon_force_rat;
  set.NZptch = b.NZptch;
  set.NZroll = b.NZroll;
  for (int i = 0; i < JOY_BUTTONS; i++) set.joy_response[i] = b.joy_response[i];

  for (int r = 0; r < 2; r++) {
    nav.vol[r] = b.vol[r];
    nav.nf[r] = b.nf[r];
    nav.cf[r] = b.cf[r];
    nav.obs[r] = b.obs[r];
  }
  nav.adff = b.adff;
  nav.dmesel = b.dmesel;
  nav.gps_index_mode = b.gps_index_mode;
  nav.gps_index = b.gps_index;
  nav.gps_apt_index = b.gps_apt_index;
  nav.gps_vor_index = b.gps_vor_index;
  nav.gps_ndb_index = b.gps_ndb_index;
  for (int i = 0; i < 4; i++) nav.gps_id[i] = b.gps_id[i];

  msc.prd = b.prd;
  msc.logtime = b.logtime;
  MACIBM_check_menu(7, 711, msc.logtime);
  rel.total_fail_entry = b.total_fail_entry;
  ogl_res = b.ogl_res;
  ogl_trees = b.ogl_trees;
  ogl_fscene = b.ogl_fscene;
}

int grab_prefs() {
  prefs_body b;
  if (!read_prefs_body(&b)) return 0;
  check_prefs(&b);
  apply_prefs(b);
  return 1;
}
