// Fuzzes the terrain reader: the input is the quadrant file at 34 N, 118 W, read into a region with
// an airport and finished; a damaged file must come out as flat sea with a notice.
#include "fuzz_support.h"

#include <cstdio>
#include <filesystem>

#include "flight/flight.h"
#include "world/world.h"

static std::string quadrant_file;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  reset_env();
  reset_scn();
  reset_flt();
  std::filesystem::create_directories("terrain_fuzz_app/world");
  std::snprintf(app_path, STR_SIZE, "%s/terrain_fuzz_app/",
                std::filesystem::current_path().string().c_str());
  char name[STR_SIZE];
  return_latlon_str_ENV(34, -118, name, 1);
  quadrant_file = std::string(app_path) + "world/" + name;
  std::filesystem::create_directories(std::filesystem::path(quadrant_file).parent_path());

  // One airport with two crossing runways and a tower in the fuzzed quadrant.
  env.aptmax = 0;
  env.navmax = -1;
  for (int r = 0; r < 2; r++) {
    apt_lat[0][r] = 34.5f, apt_lon[0][r] = -117.5f;
    apt_hdng[0][r] = r == 0 ? 90 : 0;
    apt_len[0][r] = 2500, apt_width[0][r] = 45, apt_lite[0][r] = 325054;
  }
  apt_h[0] = 300.0f, apt_twr[0] = 1, env.lat_sou = 34, env.lon_wes = -118;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_write(quadrant_file, data, size);
  fuzz_run([] {
    planexyz[0][0][0] = planexyz[0][0][2] = 0.0f;
    read_quadrant(34, -118, 0);
    finish_nav_readin();
  });
  if (inf.is_open()) inf.close();
  return 0;
}
