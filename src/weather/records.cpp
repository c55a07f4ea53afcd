// The weather record and the cloud-base relief, and the weather record's reset.
#include "weather/weather.h"

#include <cstring>
#include <type_traits>

// The record is cleared in place, byte-wise, which is only sound while it stays plain data.
static_assert(std::is_trivially_copyable<atmospherestruct>::value, "atm must stay plain data");

atmospherestruct atm;
float cloudxyz[CLOUD_I][CLOUD_K][3];
float cloudrgb[CLOUD_I][CLOUD_K][3];

void reset_atm() {
  std::memset(&atm, 0, sizeof atm);
  atm.rate_change = 4;
  for (int i = 0; i < STRIKES; i++) atm.strike_t_exp[i] = -1.0f;
}
