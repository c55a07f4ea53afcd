// The application records msc, set and grf, the start-up and graph globals, their resets,
// and the reset of the whole world state.
#include "app/app.h"
#include "app/form.h"
#include "app/macibm.h"

#include "aircraft/aircraft.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "weather/weather.h"
#include "world/world.h"

#include <cstring>
#include <type_traits>

// The records are cleared in place, byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<miscstruct>::value, "msc must stay plain data");
static_assert(std::is_trivially_copyable<settingstruct>::value, "set must stay plain data");
static_assert(std::is_trivially_copyable<graphstruct>::value, "grf must stay plain data");

miscstruct msc;
settingstruct set;
graphstruct grf;

float gscale[GRF_TRACES];
int XofCTR[GRF_SAMPLES];
int CTRofX[GRF_COLUMNS];
int grf_first, grf_last;

float star_xyz[STARS][3];

void reset_msc() {
  std::memset(&msc, 0, sizeof msc);
  msc.prd = 0.05f;
  msc.rtrat = 1.0f;
  // The frame takes the frame counter modulo evup, so it never starts below 1.
  msc.evup = 1;
  msc.typestart = TYPESTART_TAKEOFF;
  std::strcpy(msc.req_id_str, "AAA ");
}

void reset_set() {
  std::memset(&set, 0, sizeof set);
  for (int i = 0; i < RLT_ROWS; i++) set.rltsel[i] = -1;
  for (int i = 0; i < GRF_TRACES; i++) set.grfsel[i] = -1;
  set.cus_Y = 1524.0f;   // 5000 ft
  set.cus_v = 102.889f;  // 200 kt
}

void reset_grf() {
  std::memset(&grf, 0, sizeof grf);
  grf.cntr = -1;
  for (int k = 0; k < GRF_SAMPLES; k++) {
    grf.period[k] = 999.0f;
    for (int s = 0; s < GRF_TRACES; s++) {
      for (int v = 0; v < GRF_VALUES; v++) grf.data[s][v][k] = -999.0f;
    }
  }
}

void reset_run_records() {
  reset_flt();
  reset_ott();
  reset_ins();
  reset_set();
  reset_msc();
  reset_scn();
  reset_nav();
  reset_atm();
  reset_env();
  reset_grf();
  reset_pat();
  reset_rel();
  reset_afl();
  reset_atc();
  reset_fpl();
}

void reset_world_state() {
  reset_run_records();
  reset_pln();
  reset_mnw();
}
