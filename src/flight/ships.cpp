// Motion of the ships' decks: pitch and roll rates that follow the waves.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "weather/weather.h"

enum { SHIP_FRIGATE = 36 };

// The small frigate pitches and rolls twice as much as the carrier in the same sea.
float the_dot_now(int type) {
  const float k = type == SHIP_FRIGATE ? 1.0f : 0.5f;
  return k * atm.wave_amp * std::cos(msc.elap_time);
}

float phi_dot_now(int type) {
  const float k = type == SHIP_FRIGATE ? 2.0f : 1.0f;
  return k * atm.wave_amp * std::cos(msc.elap_time);
}
