// The autopilot and autothrottle: heading and navigation tracking through the roll command,
// vertical speed, altitude and glide-slope tracking through the stabiliser trim, and airspeed
// through the throttle.
#include "controls/local.h"

#include <cmath>

#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

void ott_heading_only() {
  ott.HDSLCT = 1;
  ott.NAV[0] = ott.NAV[1] = 0;
  ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
}

// The course the lateral autopilot steers, degrees true 0..360. The bug and the OBS are set in
// magnetic degrees, as the gyro and the course card show them. A localizer's own course is
// followed while the receiver has one; a receiver that has no station flies the course set on it
// (before any station was received its slot reads as a localizer's, of course 000).
static float target_heading() {
  if (ott.HDSLCT) return true_from_mag(nav.hdsel);
  int i = ott.NAV[0] ? 0 : 1;
  float course;
  if (i == 0 && pln.supptype != 1 && pln.supptype != 7) {
    course = nav.gps_lock_crs;
  } else if (nav.ilsgs[i] == 9 || !nav.goodnav[i]) {
    course = true_from_mag(nav.obs[i]);
  } else {
    course = nav.ilscrs[i];
  }
  // The intercept angle grows with the deviation and shrinks with speed; below 1 kt the divisor is
  // held at 1 so that a standing aircraft gets the largest correction, not a division by zero.
  float v = fallout(flt.vind, -1.0f, 1.0f);
  course += fltlim(nav.hdef[i] * 800.0f / v, -30.0f, 30.0f);
  return fltwrap(course, 0.0f, 360.0f);
}

void autopilot_lateral(float k) {
  if (!rel.otto || !(ott.HDSLCT || ott.NAV[0] || ott.NAV[1])) return;
  float error = fltwrap(target_heading() - flt.psi, -180.0f, 180.0f);
  // No steeper bank than a standard-rate turn (3 degrees a second) needs, and never beyond 30.
  float std_rate = std::atan(flt.v * con.pi / (con.g * 60.0f)) * con.radtodeg;
  float bank = fltlim(fltlim(error, -std_rate, std_rate), -30.0f, 30.0f);
  set.YK_roll = (-flt.P * 0.001f + (bank - flt.phi180) * 0.01f - flt.Pdot * 0.0001f) * k;
  if (!pln.is_heli) return;
  // At speed the pedals keep the helicopter in balance. In the hover, where no bank turns it and
  // the sideslip angle swings round with the slightest drift, they turn the nose to the heading
  // instead; between the two the one blends into the other.
  float f = sideslip_share();
  float turn = fltlim(error, -20.0f, 20.0f);
  set.YK_hdng = (-(f * flt.Beta - (1.0f - f) * turn) * 0.05f - flt.R * 0.05f) * k;
}

// Vertical speed the vertical autopilot asks for, m/s up; later modes override earlier ones.
static float target_climb() {
  float vv = 0.0f;
  if (ott.VVHOLD) vv = ott.vv_hold;
  if (ott.ALHOLD) {
    float most = std::fabs(ott.vv_hold);
    vv = fltlim((ott.al_hold - flt.h_ind) * 0.05f, -most, most);
  }
  // Only a glide slope received on NAV 2 is followed: a VOR marks its slot with 9, which taken as
  // an angle would dive the aircraft at 9 degrees, and a signal lost leaves the last angle behind.
  // Beyond the localizer the receiver shows its flag and no deviation, which would read as being
  // on the path and dive the aircraft down it.
  int have_gs = nav.goodnav[1] && nav.ntf[1] != 0 && nav.ilsgs[1] != 0 && nav.ilsgs[1] != 9;
  if (ott.GS2 && have_gs)
    vv = -flt.v * std::sin((nav.vdef[1] * 2.0f + nav.ilsgs[1]) * con.degtorad);
  return vv;
}

void autopilot_vertical(float k) {
  if (!rel.otto || !(ott.ALHOLD || ott.VVHOLD || ott.GS2)) {
    ctm.vert_engaged = 0;
    return;
  }
  if (!ctm.vert_engaged) {
    ctm.vert_engaged = 1;
    ctm.vert_trim0 = flt.trim;
    ctm.vert_integ = 0.0f;
  }
  float vv = target_climb();
  ctm.vert_integ += ((vv - flt.vu) * 0.1f - flt.aY * 0.2f) * msc.prd;
  // The climb angle of vv at the present speed, in degrees. Below 1 m/s the speed is taken as
  // 1 m/s: a standing aircraft would otherwise divide by zero.
  float ratio = fltlim(vv / fallout(flt.v, -1.0f, 1.0f), -0.99f, 0.99f);
  float pitch = std::asin(ratio) * con.radtodeg + ctm.vert_integ;
  if (!rel.sttrim) return;
  float g = pln.is_heli ? 0.1f : 1.0f;
  float tmax = pln.hstbtrimmax;
  flt.trim = (-flt.Q * 0.1f + (pitch - flt.the180) * g * 0.5f) * tmax * k + ctm.vert_trim0;
  if (std::fabs(flt.trim) > tmax) {
    ctm.vert_integ *= 0.95f;  // the trim is at its stop: let the integrator unwind
    flt.trim = fltlim(flt.trim, -tmax, tmax);
  }
}

void autothrottle() {
  // A helicopter's lever is its collective, which sets the climb, not the speed: driving it from
  // the speed error pitched the nose up, slowed the aircraft to a stop and let it sink to the
  // ground. There the lever stays the pilot's.
  int collective = pln.is_heli && pln.collectEQ;
  if (rel.otto && ott.ASHOLD && msc.prd > 0.0f && !collective) {
    float accel = (flt.vind - ctm.prev_vind) / msc.prd;
    float t = (ott.as_hold - flt.vind) * 0.05f + 0.5f - accel * 0.25f;
    // The throttle moves at most a tenth of its travel per second.
    float step = msc.prd * 0.1f;
    set.YK_thro = fltlim(t, set.FC_thro - step, set.FC_thro + step);
  }
  ctm.prev_vind = flt.vind;
}
