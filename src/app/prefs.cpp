// The preferences file: writing its body, the start-up that reads it or falls back to factory
// settings, the factory settings themselves, and the fatal path's logbook and spoiled file.
#include "app/app.h"

#include <cstdio>
#include <filesystem>
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

void capture_prefs(prefs_body* b) {
  std::snprintf(b->C_file, sizeof b->C_file, "%s", pln.C_file);
  std::snprintf(b->C_path, sizeof b->C_path, "%s", pln.C_path);
  b->loc_apt_wrl = msc.loc_apt_wrl;
  b->rway_sel = msc.rway_sel;
  b->locl_time = msc.locl_time;
  b->temp_SL = atm.temp_SL;
  b->ins_baro = ins.baro;
  b->atm_baro = atm.baro;
  b->rain_tstm = atm.rain_tstm;
  b->wind_tbl = atm.wind_tbl;
  b->burst_prob = atm.burst_prob;
  b->change_clouds = atm.change_clouds != 0;
  b->change_vis = atm.change_vis != 0;
  b->change_precip = atm.change_precip != 0;
  b->change_turb = atm.change_turb != 0;
  b->change_micro = atm.change_micro != 0;
  b->cld_type = atm.cld_type;
  b->topsMSL = atm.topsMSL;
  b->baseMSL = atm.baseMSL;
  b->vis = atm.vis;
  for (int i = 0; i < WIND_LAYERS; i++) {
    b->wnddir[i] = atm.wnddir[i];
    b->wndspd[i] = atm.wndspd[i];
    b->shrdir[i] = atm.shrdir[i];
    b->shrspd[i] = atm.shrspd[i];
    b->tbl[i] = atm.tbl[i];
  }
  b->wave_amp = atm.wave_amp;
  b->wave_length = atm.wave_length;
  b->wave_speed = atm.wave_speed;
  b->wave_dir = atm.wave_dir;
  b->meteorite_code = atm.meteorite_code;
  b->rway_fric_code = atm.rway_fric_code;
  b->sound_on = msc.sound_on != 0;
  b->voice_out = atc.voice_out != 0;
  b->text_out = atc.text_out != 0;
  b->warn_frame = msc.warn_frame != 0;
  b->warn_overspeed = msc.warn_overspeed != 0;
  b->warn_flaps = msc.warn_flaps != 0;
  b->warn_bb = msc.warn_bb != 0;
  b->ser_NMEA = set.ser_NMEA != 0;
  b->ser_motion = set.ser_motion != 0;
  b->ser_cockpit = set.ser_cockpit != 0;
  for (int i = 0; i < DATA_GROUPS; i++) {
    b->Bdsk[i] = set.Bdsk[i] != 0;
    b->Brlt[i] = set.Brlt[i] != 0;
    b->Bgrf[i] = set.Bgrf[i] != 0;
  }
  b->damp = set.damp;
  b->joy_rat_ptch = set.joy_rat_ptch;
  b->joy_rat_hdng = set.joy_rat_hdng;
  b->joy_rat_roll = set.joy_rat_roll;
  b->eq_ped = set.eq_ped != 0;
  b->eq_avi = set.eq_avi != 0;
  b->eq_thr = set.eq_thr != 0;
  b->eq_col = set.eq_col != 0;
  b->fcon_force_rat = set.fcon_force_rat;
  b->NZptch = set.NZptch;
  b->NZroll = set.NZroll;
  for (int i = 0; i < JOY_BUTTONS; i++) b->joy_response[i] = set.joy_response[i];
  for (int r = 0; r < 2; r++) {
    b->vol[r] = nav.vol[r];
    b->nf[r] = nav.nf[r];
    b->cf[r] = nav.cf[r];
    b->obs[r] = nav.obs[r];
  }
  b->adff = nav.adff;
  b->dmesel = nav.dmesel;
  b->gps_index_mode = nav.gps_index_mode;
  b->gps_index = nav.gps_index;
  b->gps_apt_index = nav.gps_apt_index;
  b->gps_vor_index = nav.gps_vor_index;
  b->gps_ndb_index = nav.gps_ndb_index;
  for (int i = 0; i < 4; i++) b->gps_id[i] = nav.gps_id[i];
  b->prd = msc.prd;
  b->logtime = msc.logtime != 0;
  b->total_fail_entry = rel.total_fail_entry;
  b->ogl_res = ogl_res;
  b->ogl_trees = ogl_trees != 0;
  b->ogl_fscene = ogl_fscene != 0;
}

static void checkpoint_line(int n) { ouf << "\n" << n << " checkpoint\n\n"; }

// One value per line, except the wind layers and the output selections, whose values share a
// line separated by one blank.
void write_prefs_body(const prefs_body& b) {
  ouf << b.C_file << "\n" << b.C_path << "\n";
  checkpoint_line(100);
  ouf << b.loc_apt_wrl << "\n" << b.rway_sel << "\n" << b.locl_time << "\n" << b.temp_SL << "\n";

  checkpoint_line(101);
  ouf << b.ins_baro << "\n"
      << b.atm_baro << "\n"
      << b.rain_tstm << "\n"
      << b.wind_tbl << "\n"
      << b.burst_prob << "\n";
  ouf << b.change_clouds << "\n"
      << b.change_vis << "\n"
      << b.change_precip << "\n"
      << b.change_turb << "\n"
      << b.change_micro << "\n";
  ouf << b.cld_type << "\n" << b.topsMSL << "\n" << b.baseMSL << "\n" << b.vis << "\n";
  for (int i = 0; i < WIND_LAYERS; i++)
    ouf << b.wnddir[i] << " " << b.wndspd[i] << " " << b.shrdir[i] << " " << b.shrspd[i] << " "
        << b.tbl[i] << "\n";

  checkpoint_line(102);
  ouf << b.wave_amp << "\n"
      << b.wave_length << "\n"
      << b.wave_speed << "\n"
      << b.wave_dir << "\n"
      << b.meteorite_code << "\n"
      << b.rway_fric_code << "\n";

  checkpoint_line(103);
  ouf << b.sound_on << "\n"
      << b.voice_out << "\n"
      << b.text_out << "\n"
      << b.warn_frame << "\n"
      << b.warn_overspeed << "\n"
      << b.warn_flaps << "\n"
      << b.warn_bb << "\n"
      << b.ser_NMEA << "\n"
      << b.ser_motion << "\n"
      << b.ser_cockpit << "\n";
  for (int i = 0; i < DATA_GROUPS; i++)
    ouf << b.Bdsk[i] << " " << b.Brlt[i] << " " << b.Bgrf[i] << "\n";
  ouf << b.damp << "\n"
      << b.joy_rat_ptch << "\n"
      << b.joy_rat_hdng << "\n"
      << b.joy_rat_roll << "\n";
  ouf << b.eq_ped << "\n" << b.eq_avi << "\n" << b.eq_thr << "\n" << b.eq_col << "\n";
  ouf << b.fcon_force_rat << "\n" << b.NZptch << "\n" << b.NZroll << "\n";
  for (int i = 0; i < JOY_BUTTONS; i++) ouf << b.joy_response[i] << "\n";

  checkpoint_line(104);
  ouf << b.vol[0] << "\n"
      << b.vol[1] << "\n"
      << b.nf[0] << "\n"
      << b.nf[1] << "\n"
      << b.cf[0] << "\n"
      << b.cf[1] << "\n"
      << b.obs[0] << "\n"
      << b.obs[1] << "\n"
      << b.adff << "\n"
      << b.dmesel << "\n"
      << b.gps_index_mode << "\n"
      << b.gps_index << "\n"
      << b.gps_apt_index << "\n"
      << b.gps_vor_index << "\n"
      << b.gps_ndb_index << "\n";
  for (int i = 0; i < 4; i++) ouf << b.gps_id[i] << "\n";

  checkpoint_line(105);
  ouf << b.prd << "\n"
      << b.logtime << "\n"
      << b.total_fail_entry << "\n"
      << b.ogl_res << "\n"
      << b.ogl_trees << "\n"
      << b.ogl_fscene << "\n";
}

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

void spoil_prefs_file() {
  if (!prefs_path[0]) return;
  make_prefs_folder();
  if (!ouf_open(prefs_path, FILE_ANY, -1)) return;
  ouf << "z\n";
  ouf_close();
}

// ---- Start-up --------------------------------------------------------------------------------

void hardprefs() {
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
  if (had_message) spoil_prefs_file();
  dispose_sound();
}
