// Fuzzes the readers of "apt_dat", "nav_dat", "fix_dat" and the extras "apx_dat": the input split
// at its 0x01 bytes makes the four files (an empty part: an empty file, or no extras), and what is
// read is used: radios tuned, carrier slots, region lists, the first airports' scenery.
#include "fuzz_support.h"

#include <cstdio>
#include <filesystem>

#include "flight/flight.h"
#include "panel/panel.h"
#include "world/world.h"

static void use_database() {
  flt.lat = 35.0f, flt.lon = -116.5f, flt.h = 3000.0f, flt.psi_int = 90;
  flt.X = X_with_latlon(flt.lat, flt.lon), flt.Z = Z_with_lat(flt.lat);
  nav.nf[0] = 11170, nav.nf[1] = 10990, nav.adff = 210, nav.gps_index_mode = 1, nav.gps_index = 0;
  ins.lock_GPS = 1;
  for (int radio : {0, 1, 4, 5}) setnav(radio);
  put_carrier_navs(flt.X, 20.0f, flt.Z);
  finish_nav_readin();
  for (int n = 0; n <= env.aptmax && n < 4; n++) build_apt(70 - 1 - n, n);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  reset_env();
  reset_scn();
  reset_nav();
  reset_flt();
  reset_ins();
  std::filesystem::create_directories("navdata_fuzz_app/world");
  std::snprintf(app_path, STR_SIZE, "%s/navdata_fuzz_app/",
                std::filesystem::current_path().string().c_str());
  // A region with no terrain files: flat sea, enough to stand airports on.
  env.lat_sou = 34, env.lon_wes = -118, env.aptmax = env.navmax = -1;
  load_region();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  const char* names[4] = {"apt_dat", "nav_dat", "fix_dat", "apx_dat"};
  size_t from = 0;
  for (int p = 0; p < 4; p++) {
    size_t to = in.find('\x01', from);
    std::string part = from <= in.size() ? in.substr(from, to == std::string::npos ? to : to - from)
                                         : std::string();
    if (p == 3 && part.empty()) {
      std::filesystem::remove(std::string(app_path) + "world/" + names[p]);
    } else {
      if (part.empty()) part = "I\n354 version\n99\n";
      fuzz_write(std::string(app_path) + "world/" + names[p],
                 reinterpret_cast<const uint8_t*>(part.data()), part.size());
    }
    from = to == std::string::npos ? in.size() + 1 : to + 1;
  }
  fuzz_run([] {
    init_country_data();
    use_database();
  });
  if (inf.is_open()) inf.close();
  return 0;
}
