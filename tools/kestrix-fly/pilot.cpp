// The test pilot of the flight-test card: a pitch-attitude loop under a speed, climb-rate or
// attitude target, wings held level with the ailerons, the ball centred with the rudder in the
// air and the heading held with it on the ground. It only moves the controls; the frame flies.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "shared/shared.h"

void pilot_reset(card_pilot* p) {
  *p = card_pilot{};
  // The attitude the aircraft has is where the outer loops start from, so that taking over the
  // controls does not jerk the nose.
  p->pitch_base = flt.the180;
  p->heading = flt.psi180;
}

// The elevator that brings the nose to `want` degrees: proportional with pitch-rate damping and
// an integral that finds the trim. The integral is held while the elevator is at its stop, so
// that it does not wind up behind a stalled or elevator-limited aircraft. `rate` is the pitch
// rate asked for (deg/s): the damping works about it, so that a nose asked to rise follows the
// rise instead of lagging behind it; `firm` scales the pull, for a rotation.
static float elevator_for_pitch(card_pilot* p, float want, float rate = 0.0f, float firm = 1.0f) {
  float err = want - flt.the180;
  float e = firm * (0.05f * err - 0.03f * (flt.Q - rate)) + 0.02f * p->pitch_int;
  if (std::fabs(e) < 1.0f || e * err < 0.0f) p->pitch_int += err * msc.prd;
  return fltlim(e, -1.0f, 1.0f);
}

// Ailerons level the wings; in the air the rudder centres the ball, on the ground it holds the
// heading the pilot took over on (the nosewheel steers with it).
static void lateral(card_pilot* p, fly_controls* c) {
  c->aileron = fltlim(-flt.phi180 * 0.03f - flt.P * 0.01f, -1.0f, 1.0f);
  if (flt.onsurface) {
    float err = fltwrap(flt.psi180 - p->heading, -180.0f, 180.0f);
    c->rudder = fltlim(-err * 0.02f, -1.0f, 1.0f);
  } else {
    c->rudder = fltlim(-flt.Beta * 0.3f - flt.R * 0.1f, -1.0f, 1.0f);
  }
}

// The nose is raised to slow down and lowered to speed up: half a degree a knot, and an
// integral (the attitude the speed needs) that moves a twentieth of a degree a knot-second.
void pilot_hold_speed(card_pilot* p, fly_controls* c, float kias) {
  float err = flt.vind - kias;
  p->pitch_base = fltlim(p->pitch_base + err * msc.prd * 0.08f, -30.0f, 30.0f);
  float want = fltlim(p->pitch_base + 0.5f * err, -30.0f, 30.0f);
  c->elevator = elevator_for_pitch(p, want);
  lateral(p, c);
}

// The climb rate `fpm` held with the attitude: a degree for each 200 ft/min of error, and an
// integral for the attitude the climb needs.
void pilot_hold_climb(card_pilot* p, fly_controls* c, float fpm) {
  float err = fpm - flt.vu * con.msctofpm;
  p->pitch_base = fltlim(p->pitch_base + err * msc.prd * 0.002f, -30.0f, 30.0f);
  float want = fltlim(p->pitch_base + err * 0.005f, -30.0f, 30.0f);
  c->elevator = elevator_for_pitch(p, want);
  lateral(p, c);
}

// Height `h_m` held through the climb rate: 2 ft/min for each foot off, at most 600 ft/min.
void pilot_hold_height(card_pilot* p, fly_controls* c, float h_m) {
  float off_ft = (h_m - flt.h) * con.mtrstoft;
  pilot_hold_climb(p, c, fltlim(off_ft * 2.0f, -600.0f, 600.0f));
}

void pilot_hold_pitch(card_pilot* p, fly_controls* c, float deg) {
  c->elevator = elevator_for_pitch(p, deg);
  lateral(p, c);
}

// A rotation is a firm pull: three times the hand of the attitude hold, so that the nose keeps up
// with the rise on the runway, where the nosewheel and the slow air resist it.
void pilot_rotate(card_pilot* p, fly_controls* c, float deg, float rate) {
  float rising = p->pitch_base < deg ? rate : 0.0f;
  p->pitch_base = fltmin2(p->pitch_base + rising * msc.prd, deg);
  c->elevator = elevator_for_pitch(p, p->pitch_base, rising, 3.0f);
  lateral(p, c);
}
