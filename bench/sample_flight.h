// A sample aircraft flying for the benchmarks that time a flight frame or part of one.
#pragma once

#include <cstdio>

#include "app/app.h"
#include "app/macibm.h"
#include "flyrun.h"
#include "shared/shared.h"

// The sample aircraft `name` (its file name without ".acf") at 8000 ft and 1.5 times the stall
// speed with 80 % power, settled for five seconds so that the frame works on a flying aircraft.
inline void fly_sample(const char* name) {
  macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
  fly_setup_world(0.0f);
  char path[1000], err[FLY_ERR];
  std::snprintf(path, sizeof path, "%saircraft/%s.acf", app_path, name);
  if (!fly_load_aircraft(path, err)) std::fprintf(stderr, "%s\n", err);
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = 8000.0f;
  o.kias = 1.5f * msc.est_Vs * con.msctokts;
  o.controls.throttle = 0.8f;
  fly_start(&o);
  for (int n = 0; n < 100; n++) fly_frame();
}
