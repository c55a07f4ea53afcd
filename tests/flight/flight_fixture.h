// Shared set-up of the flight tests: every record reset, the constants filled and standard sea
// level air, so that each test starts from the same clean world.
#pragma once

#include <gtest/gtest.h>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

class FlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    reset_set_a_memory();
    atm.rho = 1.225f;
    atm.crtsig = 1.0f;
    atm.a = 340.3f;
    atm.g = con.g;
    atm.temp_SL = 59.0f;
    msc.prd = 0.05f;
  }
};
