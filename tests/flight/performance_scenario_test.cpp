// The sample aircraft against the figures of their class: climb, glide, cruise and height hold,
// flown through the runner library with a pilot who does no more than a real one would.
#include <algorithm>

#include "flight_fixture.h"

namespace {

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
  float mean(double sum) const { return static_cast<float>(sum / n); }
};

class FlightPerformance : public FlightTest {
 protected:
  fly_options o;

  // Sample `name` in the air at alt_ft and kias, gear up, at `throttle`, loaded to its maximum
  // weight if `gross`, with the nose at `pitch` degrees (level, at that angle of attack).
  void start(const char* name, float alt_ft, float kias, float throttle, int gross = 0,
             float pitch = 0.0f) {
    fly_setup_world(0.0f);
    ASSERT_TRUE(load_sample(name));
    fly_default_options(&o);
    o.alt_ft = alt_ft, o.kias = kias, o.controls.throttle = throttle, o.controls.gear_down = 0;
    fly_start(&o);
    if (pitch != 0.0f) {
      flt.the = pitch;
      float prd = msc.prd;
      msc.prd = 0.0f;
      integ_x();
      msc.prd = prd;
    }
    if (gross) flt.m_fixed = pln.m_max - pln.m_empty - flt.m_fuel - flt.m_jettison;
  }

  // The elevator of a pilot who holds `kias` with the pitch attitude.
  float speed_err_sum = 0.0f, attitude_err_sum = 0.0f;
  float elevator_for(float kias) {
    float err = flt.vind - kias;
    speed_err_sum += err * msc.prd * 0.05f;
    float wanted = fltlim(speed_err_sum + 0.5f * err, -30.0f, 30.0f);
    attitude_err_sum += (wanted - flt.the180) * msc.prd;
    return fltlim(0.05f * (wanted - flt.the180) + 0.02f * attitude_err_sum - 0.03f * flt.Q, -1.0f,
                  1.0f);
  }

  // `frames` frames hands-off, or of a pilot who holds `kias` with the pitch attitude, the wings
  // level and the ball centred; the means over the frames from `from` on.
  flight_means fly_frames(int frames, int from, float kias = 0.0f) {
    flight_means m;
    for (int k = 0; k < frames; k++) {
      if (kias > 0.0f) {
        o.controls.elevator = elevator_for(kias);
        o.controls.aileron = fltlim(-flt.phi180 * 0.03f - flt.P * 0.01f, -1.0f, 1.0f);
        o.controls.rudder = fltlim(-flt.Beta * 0.3f - flt.R * 0.1f, -1.0f, 1.0f);
        fly_set_controls(&o.controls);
      }
      fly_frame();
      if (k >= from) m.add();
    }
    return m;
  }
};

// At full power, maximum weight and sea level the four-seat trainer climbs 600-800 ft/min at its
// best-rate speed, the pilot holding 78 kt with the pitch attitude.
TEST_F(FlightPerformance, TrainerClimbsAtItsClassRate) {
  start("Trainer", 500.0f, 78.0f, 1.0f, 1);
  flight_means m = fly_frames(1200, 600, 78.0f);  // the second half minute: a steady climb
  EXPECT_NEAR(flt.vind, 78.0f, 2.0f);
  EXPECT_GT(m.mean(m.fpm), 600.0f);
  EXPECT_LT(m.mean(m.fpm), 800.0f);
}

// With its engine stopped and the propeller windmilling, the trainer at maximum weight glides at
// its best-glide speed of 65 kt about nine feet for each foot of height, sinking 3.5-4.5 m/s.
TEST_F(FlightPerformance, TrainerGlidesAtItsClassRatio) {
  start("Trainer", 8000.0f, 65.0f, 0.0f, 1);
  engines_off();
  flight_means m = fly_frames(1800, 1200, 65.0f);
  float sink = -m.mean(m.fpm) * con.fpmtomsc;
  EXPECT_NEAR(flt.vind, 65.0f, 2.0f);
  EXPECT_GT(sink, 3.5f);
  EXPECT_LT(sink, 4.5f);
  float ratio = m.mean(m.ktas) * con.ktstomsc / sink;
  EXPECT_GT(ratio, 8.0f);
  EXPECT_LT(ratio, 11.0f);
}

// Each fixed-wing sample left hands-off at a typical cruise of its class, in its cruise attitude
// and power: after half a minute it holds its height, pitches and turns less than 1 deg/s, at a
// true airspeed of its class.
TEST_F(FlightPerformance, EverySampleFliesHandsOffAtItsClassCruise) {
  const struct {
    const char* name;
    float alt_ft, kias, throttle, pitch;
    float ktas_lo, ktas_hi;  // the class's cruise, kt true
    float fpm;               // the largest mean climb or descent, ft/min
    float power;             // the share of rated power the engine gives, 0 unchecked
  } cases[] = {
      // Full throttle at 8000 ft: about 75% of the trainer's and the twin's rated power.
      {"Trainer", 8000.0f, 105.0f, 1.0f, 0.0f, 110.0f, 125.0f, 300.0f, 0.75f},
      {"Light Twin", 8000.0f, 158.0f, 1.0f, 0.5f, 165.0f, 200.0f, 400.0f, 0.0f},
      {"Floatplane", 5000.0f, 112.0f, 0.72f, 1.6f, 105.0f, 125.0f, 400.0f, 0.0f},  // 55% power
      {"Turboprop Transport", 20000.0f, 195.0f, 1.0f, 1.5f, 250.0f, 300.0f, 400.0f, 0.0f},
      {"Business Jet", 35000.0f, 225.0f, 0.46f, 3.2f, 390.0f, 440.0f, 400.0f, 0.0f},  // Mach 0.7
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    start(c.name, c.alt_ft, c.kias, c.throttle, 0, c.pitch);
    flight_means m = fly_frames(1200, 600);
    if (c.power > 0.0f) {
      EXPECT_NEAR(m.mean(m.power), c.power, 0.05f);
    }
    EXPECT_GT(m.mean(m.ktas), c.ktas_lo);
    EXPECT_LT(m.mean(m.ktas), c.ktas_hi);
    EXPECT_LT(std::fabs(m.mean(m.fpm)), c.fpm);
    EXPECT_LT(m.mean(m.abs_q), 1.0f);
    EXPECT_LT(m.mean(m.abs_r), 1.0f);
  }
}

// Each fixed-wing sample at its maximum weight, the autopilot holding its height at a fifth above
// the card's clean stall: the autopilot pitches through the trim alone, which must reach so far.
TEST_F(FlightPerformance, EverySamplesAutopilotHoldsTheHeightAFifthAboveTheCleanStall) {
  const struct {
    const char* name;
    float alt_ft, kias;
  } cases[] = {{"Trainer", 5000.0f, 63.0f},
               {"Light Twin", 5000.0f, 85.0f},
               {"Floatplane", 5000.0f, 76.0f},
               {"Turboprop Transport", 8000.0f, 148.0f},
               {"Business Jet", 5000.0f, 170.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    start(c.name, c.alt_ft, c.kias, 0.7f, 1);
    o.controls.ap_alt_on = o.controls.ap_kias_on = 1;
    o.controls.ap_alt_ft = c.alt_ft;
    o.controls.ap_kias = c.kias;
    fly_set_controls(&o.controls);
    float lowest = c.alt_ft, highest = c.alt_ft;
    for (int k = 0; k < 4800; k++) {
      fly_frame();
      if (k < 1200) continue;  // the first minute settles the trim and the power
      lowest = std::min(lowest, flt.h_ind * con.mtrstoft);
      highest = std::max(highest, flt.h_ind * con.mtrstoft);
    }
    EXPECT_GT(lowest, c.alt_ft - 150.0f);
    EXPECT_LT(highest, c.alt_ft + 150.0f);
  }
}

}  // namespace
