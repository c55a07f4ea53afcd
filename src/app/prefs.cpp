// The preferences file: writing its body, the start-up that reads it or falls back to factory
// settings, the factory settings themselves, and the fatal path's logbook and spoiled file.
#include "app/app.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Writing ---------------------------------------------------------------------------------

void dump_prefs() {
  prefs_body b;
  capture_prefs(&b);
  write_prefs_body(b);
}

// The preferences live in a folder of their own, made on the first save.
static void make_prefs_folder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(prefs_path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
}

int save_prefs_file() {
  make_prefs_folder();
  if (!ouf_open(prefs_path, FILE_ANY, VERSION_PREFS)) return 0;
  dump_prefs();
  return ouf_close();
}

// The preferences file with version -1 and the single line "z": the next start is a first run.
static void spoil_prefs_file() {
  if (!prefs_path[0]) return;
  make_prefs_folder();
  if (!ouf_open(prefs_path, FILE_ANY, -1)) return;
  ouf << "z\n";
  ouf_close();
}

// A good preferences file (its header names this version) is copied to Kestrix.prf.bak before it
// is spoiled, so that one failure does not lose every setting; a file already spoiled is not, so
// that a second failure keeps the copy of the good one. 1 when the copy was made.
static int keep_backup(std::string* backup) {
  std::ifstream in(prefs_path);
  std::string marker, version;
  if (!std::getline(in, marker) || !std::getline(in, version)) return 0;
  if (version != std::to_string(VERSION_PREFS) + " version") return 0;
  in.close();
  *backup = std::string(prefs_path) + ".bak";
  std::error_code ec;
  std::filesystem::copy_file(prefs_path, *backup,
                             std::filesystem::copy_options::overwrite_existing, ec);
  return ec ? 0 : 1;
}

// ---- Start-up --------------------------------------------------------------------------------

void hardprefs() {
  prefs_loads_kept = 0;
  MACIBM_alert("Welcome to Kestrix.",
               "Since you have never flown with us before, you will now select an aircraft to "
               "start your flying in Kestrix.",
               "", "", ALERT_SIM_SERIAL);
  if (!MACIBM_open(pln.C_file, pln.C_path, FILE_AIRCRAFT)) {
    MACIBM_alert("I did not get a valid aircraft from you.",
                 "If you want to try again, navigate to the same folder that this program is in.",
                 "Then select an aircraft file.", "Aircraft files have a '.acf' suffix.",
                 ALERT_SIM_FATAL);
    return;
  }
  msc.loc_apt_wrl = default_start_airport();
  region_corner_for_airport(msc.loc_apt_wrl);
  msc.rway_sel = 0;

  msc.locl_time = 57600.0f;
  atm.temp_SL = 59.0f;
  ins.baro = 29.92f;
  atm.baro = 29.92f;
  atm.rain_tstm = 1.0f;
  atm.wind_tbl = 1.0f;
  atm.burst_prob = 1.0f;
  atm.change_clouds = atm.change_vis = atm.change_precip = 1;
  atm.change_turb = atm.change_micro = 1;
  atm.cld_type = 1;
  atm.topsMSL = 5000.0f * con.fttomtrs;
  atm.baseMSL = 4000.0f * con.fttomtrs;
  atm.vis = 7.0f * con.nmtomtrs;
  for (int i = 0; i < WIND_LAYERS; i++)
    atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0.0f;
  atm.wave_amp = 1.0f;
  atm.wave_length = 10.0f;
  atm.wave_speed = 2.0f;
  atm.wave_dir = 0;
  atm.thermal_part = 0.0f;
  atm.thermal_vvi = 0.0f;
  atm.meteorite_code = 2;
  atm.rway_fric_code = 1;

  msc.sound_on = 1;
  atc.voice_out = 1;
  atc.text_out = 1;
  msc.warn_frame = msc.warn_overspeed = msc.warn_flaps = msc.warn_bb = 1;
  for (int i = 0; i < DATA_GROUPS; i++) set.Bdsk[i] = set.Brlt[i] = set.Bgrf[i] = 0;

  set.damp = 0.5f;
  set.joy_rat_ptch = set.joy_rat_hdng = set.joy_rat_roll = 0.75f;
  set.eq_ped = set.eq_avi = set.eq_thr = set.eq_col = 0;
  set.fcon_force_rat = 1.0f;
  set.NZptch = set.NZroll = 0.01f;
  static const int response[JOY_BUTTONS] = {2,  1,  5,  6,  22, 21, 19, 20,
                                            15, 16, 11, 12, 10, 9,  17, 18};
  for (int i = 0; i < JOY_BUTTONS; i++) set.joy_response[i] = response[i];

  for (int r = 0; r < 2; r++) {
    nav.vol[r] = 0.5f;
    nav.nf[r] = 11170;
    nav.cf[r] = 12100;
    nav.obs[r] = 0.0f;
  }
  nav.adff = 210;
  nav.dmesel = 0;
  nav.gps_index_mode = 1;
  nav.gps_index = 1600;
  nav.gps_apt_index = 1600;
  nav.gps_vor_index = 2100;
  nav.gps_ndb_index = 700;
  for (int i = 0; i < 4; i++) nav.gps_id[i] = 11;

  msc.prd = 0.05f;
  rel.total_fail_entry = 1.0f;
}

void initprefs() {
  int ok = inf_open(prefs_path, FILE_ANY, VERSION_PREFS, 0);
  if (ok) ok = grab_prefs();
  inf.close();
  inf.clear();
  if (!ok) hardprefs();
  flt.lat = apt_lat[msc.loc_apt_wrl][0];
  flt.lon = apt_lon[msc.loc_apt_wrl][0];
  set_rlt_grf_choices();
}

// ---- Fatal path ------------------------------------------------------------------------------

static std::string logged(const char* label, float seconds) {
  int h = 0, m = 0;
  sec_to_hrs_min(seconds, &h, &m);
  return std::string(label) + std::to_string(h) + ":" + std::to_string(m) + ".";
}

// The logbook is shown as a plain box: the program is already on its way out, and a second fatal
// alert would cut the shutdown short and spoil the preferences that a clean exit has just saved.
void simulator_fatal(int had_message) {
  if (msc.logtime) {
    msc.logtime = 0;
    std::string total = logged("Total time logged: ", msc.elap_time);
    std::string night = logged("Night time logged: ", msc.nigt_time);
    std::string ifr = logged("Actual instrument time logged: ", msc.aifr_time);
    MACIBM_alert("Logbook results:", total.c_str(), night.c_str(), ifr.c_str(), ALERT_NOTICE);
  }
  std::string backup;
  if (had_message && keep_backup(&backup))
    MACIBM_alert("Your settings are kept in a copy of the preferences file:", backup.c_str(),
                 "Kestrix will start with the factory settings next time. To keep yours instead,",
                 "copy Kestrix.prf.bak over Kestrix.prf in that folder before starting it again.",
                 ALERT_NOTICE);
  if (had_message) spoil_prefs_file();
  dispose_sound();
  MACIBM_joy_close();
}
