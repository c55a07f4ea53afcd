// The flight start's own steps, shared by start.cpp and start_reset.cpp.
#pragma once

#include "flight/flight.h"

// Where and how a flight starts: world position (m), heading and pitch (degrees), speed (m/s).
struct start_place {
  double X, Y, Z;
  float psi, the, v;
};

// Puts the aircraft at the place (lifted out of the terrain when below it) and starts every part
// of the flight state, the failures, the autopilot, the controller dialogue and the recorded path
// afresh.
void start_flight_state(const start_place* s);
