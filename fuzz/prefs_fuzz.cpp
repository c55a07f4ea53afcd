// Fuzzes the preferences and situation readers: the input read as both may not end the program
// (a fatal alert throws out of the reader here), read past a table or leave a record half written.
#include "fuzz_support.h"

#include <cstdio>

#include "app/app.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

const char* const file_name = "prefs_fuzz.sit";

// Every value a read applies must keep the tables it indexes in bounds.
void check_records() {
  if (msc.loc_apt_wrl < 0 || msc.loc_apt_wrl >= APT_MAX) __builtin_trap();
  if (msc.rway_sel < 0 || msc.rway_sel > 5) __builtin_trap();
  if (msc.prd < 0.01f || msc.prd > 0.1f) __builtin_trap();
  if (atm.wave_dir < 0 || atm.wave_dir > 359) __builtin_trap();
  if (nav.gps_apt_index < 0 || nav.gps_apt_index >= APT_MAX) __builtin_trap();
  for (int i = 0; i < 4; i++)
    if (nav.gps_id[i] < 0 || nav.gps_id[i] > 36) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  install_simulator_hooks();
  // Alerts go to a log file with nowhere to write and to a log that is cleared after each input.
  err.open("/dev/null");
  reset_world_state();
  init_constants();
  env.aptmax = 10;
  std::snprintf(prefs_path, sizeof prefs_path, "%s", file_name);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_write(file_name, data, size);
  try {
    msc.prd = 0.05f;
    if (inf_open(file_name, FILE_ANY, VERSION_PREFS, 0) && grab_prefs()) check_records();
    inf.close();
    inf.clear();
    prefs_body b;
    float pos[5];
    int region_lat, region_lon, has_region;
    int ok = inf_open(file_name, FILE_ANY, VERSION_PREFS, 0) && read_prefs_body(&b) &&
             read_situation_tail(pos, &region_lat, &region_lon, &has_region);
    inf.close();
    inf.clear();
    if (ok) {
      check_prefs(&b);
      apply_prefs(b);
      check_records();
    }
  } catch (const fuzz_fatal&) {
    __builtin_trap();
  }
  macibm_clear_alert_log();
  return 0;
}
