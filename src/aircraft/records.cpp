// The aircraft record and the airfoil tables, and their resets.
#include "aircraft/aircraft.h"

#include <cstring>
#include <type_traits>

// The records are cleared byte-wise, which is only sound while they stay plain data.
static_assert(std::is_trivially_copyable<planestruct>::value, "pln must stay plain data");
static_assert(std::is_trivially_copyable<airfoilstruct>::value, "afl must stay plain data");

planestruct pln;
airfoilstruct afl;

void reset_pln() {
  std::memset(&pln, 0, sizeof pln);
  pln.draw_full = 1;
}

void reset_afl() { std::memset(&afl, 0, sizeof afl); }
