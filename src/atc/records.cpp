// The controller dialogue and flight-plan records, and their resets.
#include "atc/atc.h"

#include <cstring>
#include <type_traits>

// The records are cleared in place, byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<atcstruct>::value, "atc must stay plain data");
static_assert(std::is_trivially_copyable<flightplanstruct>::value, "fpl must stay plain data");

atcstruct atc;
flightplanstruct fpl;

void reset_atc() { std::memset(&atc, 0, sizeof atc); }

void reset_fpl() {
  std::memset(&fpl, 0, sizeof fpl);
  fpl.ifr = 1;
  std::strcpy(fpl.dep_id_str, "AAA ");
  std::strcpy(fpl.arr_id_str, "AAA ");
  fpl.cruise_alt = 5000;
}
