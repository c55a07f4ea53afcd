// The autopilot record and its reset.
#include "controls/controls.h"

#include <cstring>
#include <type_traits>

// The record is cleared in place, byte-wise, which is only sound while it stays plain data.
static_assert(std::is_trivially_copyable<ottostruct>::value, "ott must stay plain data");

ottostruct ott;

void reset_ott() { std::memset(&ott, 0, sizeof ott); }
