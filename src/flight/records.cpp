// The flight state, the recorded flight path and the failure record, and their resets.
#include "flight/flight.h"

#include "aircraft/aircraft.h"

#include <cstring>
#include <type_traits>

// The records are cleared in place, byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<flightstruct>::value, "flt must stay plain data");
static_assert(std::is_trivially_copyable<pathstruct>::value, "pat must stay plain data");
static_assert(std::is_trivially_copyable<relstruct>::value, "rel must stay plain data");

flightstruct flt;
pathstruct pat;
relstruct rel;

// The torn-off wings are flight state kept beside the part queries (aircraft.h).
void reset_flt() {
  std::memset(&flt, 0, sizeof flt);
  wings_torn_off = 0;
}

void reset_pat() { std::memset(&pat, 0, sizeof pat); }

void reset_rel() {
  std::memset(&rel, 0, sizeof rel);
  // A cleared switch means a failed system, so every switch starts at working.
  rel.vacuum = 1;
  rel.ss_asi = rel.ss_ahz = rel.ss_alt = 1;
  rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
  rel.efis_1 = rel.efis_2 = 1;
  rel.fc_ail = rel.fc_elv = rel.fc_rud = 1;
  rel.fc_flp = rel.fc_slt = rel.fc_thr = 1;
  rel.hydsys = rel.stbaug = rel.symflp = rel.sttrim = 1;
  rel.antice = rel.clights = rel.otto = rel.trotor = 1;
  for (int i = 0; i < MAX_ENGINES; i++) {
    rel.engine[i] = rel.thrgov[i] = rel.revlok[i] = rel.oilpmp[i] = 1;
  }
  for (int i = 0; i < GEAR_LEGS; i++) rel.lagear[i] = 1;
  for (int i = 0; i < FAIL_ENTRIES; i++) {
    rel.fail_type[i] = 1;
    rel.fail_time_max[i] = 10.0f;
  }
  rel.hyd_rat = 1.0f;
  rel.oil_rat = 1.0f;
}
