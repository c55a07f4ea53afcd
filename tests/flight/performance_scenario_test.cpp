// The sample aircraft against the figures of their class: climb, cruise and hands-off trim, flown
// through the runner library with a pilot who does no more than a real one would.
#include <cmath>
#include <cstdio>

#include "app/macibm.h"
#include "flight_fixture.h"
#include "flyrun.h"

namespace {

class FlightPerformance : public FlightTest {
 protected:
  fly_options o;

  // Sample `name` in the air at alt_ft and kias, gear up, with the commands of o.controls.
  void start(const char* name, float alt_ft, float kias, float throttle, int gross = 0) {
    macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
    fly_setup_world(0.0f);
    char path[1000], err[FLY_ERR];
    std::snprintf(path, sizeof path, "%saircraft/%s.acf", app_path, name);
    ASSERT_TRUE(fly_load_aircraft(path, err)) << err;
    fly_default_options(&o);
    o.alt_ft = alt_ft;
    o.kias = kias;
    o.controls.throttle = throttle;
    o.controls.gear_down = 0;
    fly_start(&o);
    // Loaded to its maximum weight with the payload, the fuel as the aircraft comes.
    if (gross) flt.m_fixed = pln.m_max - pln.m_empty - flt.m_fuel - flt.m_jettison;
  }

  // One frame with a pilot who keeps the wings level and the ball centred.
  void frame_wings_level() {
    o.controls.aileron = fltlim(-flt.phi180 * 0.03f - flt.P * 0.01f, -1.0f, 1.0f);
    o.controls.rudder = fltlim(-flt.Beta * 0.3f - flt.R * 0.1f, -1.0f, 1.0f);
    fly_set_controls(&o.controls);
    fly_frame();
  }
};

// Means over a stretch of flight.
struct flight_means {
  double ktas = 0, fpm = 0, abs_q = 0, abs_r = 0, power = 0;
  int n = 0;
  void add() {
    ktas += flt.av * con.msctokts;
    fpm += flt.vu * con.msctofpm;
    abs_q += std::fabs(flt.Q);
    abs_r += std::fabs(flt.R);
    power += pln.pmax > 0.0f ? flt.power[0] / pln.pmax : 0.0f;
    n++;
  }
  float mean(double sum) const { return n ? static_cast<float>(sum / n) : 0.0f; }
};

// At full power, maximum weight and sea level the four-seat trainer climbs 600-800 ft/min at its
// best-rate speed, the pilot holding 78 kt with the pitch attitude.
TEST_F(FlightPerformance, TrainerClimbsAtItsClassRate) {
  start("Trainer", 500.0f, 78.0f, 1.0f, 1);
  float attitude = 0.0f, speed_err_sum = 0.0f;
  flight_means m;
  for (int k = 0; k < 1200; k++) {
    float err = flt.vind - 78.0f;
    speed_err_sum += err * msc.prd * 0.05f;
    float wanted = fltlim(speed_err_sum + 0.5f * err, -30.0f, 30.0f);
    attitude += (wanted - flt.the180) * msc.prd;
    o.controls.elevator =
        fltlim(0.05f * (wanted - flt.the180) + 0.02f * attitude - 0.03f * flt.Q, -1.0f, 1.0f);
    frame_wings_level();
    if (k >= 600) m.add();  // the second half minute, once the climb is steady
  }
  EXPECT_NEAR(flt.vind, 78.0f, 2.0f);
  EXPECT_GT(m.mean(m.fpm), 600.0f);
  EXPECT_LT(m.mean(m.fpm), 800.0f);
}

// At 8000 ft the trainer's engine at full throttle gives about 75% of its rated power; trimmed
// for cruise it flies hands-off, level within a few hundred ft/min and turning less than a degree
// a second, at 110-125 kt true.
TEST_F(FlightPerformance, TrainerCruisesHandsOffAtItsClassSpeed) {
  start("Trainer", 8000.0f, 105.0f, 1.0f);
  for (int k = 0; k < 600; k++) fly_frame();
  flight_means m;
  for (int k = 0; k < 600; k++) {
    fly_frame();
    m.add();
  }
  EXPECT_NEAR(m.mean(m.power), 0.75f, 0.05f);
  EXPECT_GT(m.mean(m.ktas), 110.0f);
  EXPECT_LT(m.mean(m.ktas), 125.0f);
  EXPECT_LT(std::fabs(m.mean(m.fpm)), 300.0f);
  EXPECT_LT(m.mean(m.abs_q), 1.0f);
  EXPECT_LT(m.mean(m.abs_r), 1.0f);
}

}  // namespace
