// The event tick (every 0.1 s of simulated time: sounds, the flight-path record, precipitation,
// radio deviations, controller timing, movables, weather, gear) and the half-second pass (slat
// stretch and ground effect).
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Event tick ------------------------------------------------------------------------------

// A ring of 6000 points, one every 10 m of horizontal travel; the slot after the newest is marked
// empty so that readers find the end.
static void record_path() {
  int c = pat.cntr_record;
  float dx = static_cast<float>(flt.X) - pat.xyztpp[c][0];
  float dz = static_cast<float>(flt.Z) - pat.xyztpp[c][2];
  if (!(std::fabs(dx) > 10.0f || std::fabs(dz) > 10.0f)) return;
  c = intwrap(c + 1, 0, PATH_POINTS - 1);
  pat.cntr_record = c;
  float r = con.degtorad;
  float p[6] = {static_cast<float>(flt.X),
                static_cast<float>(flt.Y),
                static_cast<float>(flt.Z),
                flt.the180 * r,
                flt.psi180 * r,
                flt.phi180 * r};
  for (int k = 0; k < 6; k++) pat.xyztpp[c][k] = p[k];
  pat.inited[c] = 1;
  pat.inited[intwrap(c + 1, 0, PATH_POINTS - 1)] = 0;
}

// The storm level at the aircraft: the mean of the 5 x 5 storm-field points around it. The
// aircraft can be outside the field (no region yet, or between region moves), so the point is
// held far enough inside that the whole 5 x 5 block exists. The rain sound's share follows the
// rain the view draws, which is at its fullest from level 2 up.
static void precipitation_at_aircraft() {
  if (scn.abovetops) {
    atm.level = 0.0f;
    atm.prec_rat = 0.0f;
    return;
  }
  float fi = env.hix > env.lox
                 ? interp(env.lox, 0.0f, env.hix, WXR_I - 1.0f, static_cast<float>(flt.X))
                 : 0.0f;
  float fk = env.hiz > env.loz
                 ? interp(env.loz, 0.0f, env.hiz, WXR_K - 1.0f, static_cast<float>(flt.Z))
                 : 0.0f;
  int i = truncate_in(fi, 2, WXR_I - 3);
  int k = truncate_in(fk, 2, WXR_K - 3);
  float sum = 0.0f;
  for (int di = -2; di <= 2; di++) {
    for (int dk = -2; dk <= 2; dk++) sum += (atm.rain_tstm - 1.0f) * atm.wxr[i + di][k + dk];
  }
  atm.level = sum / 25.0f;
  atm.prec_rat = fltlim(atm.level / 2.0f, 0.0f, 1.0f);
}

// The glide-slope warning: armed on a stabilised approach, and when it last called. Lifetime:
// flight.
static int gs_armed = 0;
static float gs_last_call = -100.0f;

void reset_glide_slope_warning() {
  gs_armed = 0;
  gs_last_call = -100.0f;
}

// Course and glide-path deviations of receiver k, and the glide-slope warning, which arms on a
// stabilised approach and calls out a sink more than a degree below the glide path.
static void radio_deviation(int k) {
  nav.hdef[k] = nav.vdef[k] = 0.0f;
  nav.ntf[k] = 0;
  if (!nav.goodnav[k]) return;
  float X = static_cast<float>(flt.X), Y = static_cast<float>(flt.Y), Z = static_cast<float>(flt.Z);
  float b = std::atan2(nav.vorX[k] - X, Z - nav.vorZ[k]) * con.radtodeg;
  if (nav.ilsgs[k] == 9) {
    float h = fltwrap(b - true_from_mag(nav.obs[k]), -180.0f, 180.0f);
    if (std::fabs(h) <= 90.0f) {
      nav.ntf[k] = 1;
    } else {
      nav.ntf[k] = 2;
      h = -fltwrap(h + 180.0f, -180.0f, 180.0f);
    }
    nav.hdef[k] = fltlim(h * 0.5f, -5.0f, 5.0f);
    return;
  }
  float h = fltwrap(b - nav.ilscrs[k], -180.0f, 180.0f);
  if (!(std::fabs(h) <= 90.0f)) return;
  nav.ntf[k] = 1;
  float v = 0.0f;
  if (nav.ilsgs[k] != 0) {
    float dist = pythag(nav.gsX[k] - X, nav.gsZ[k] - Z);
    v = std::atan2(Y - nav.gsY[k], dist) * con.radtodeg - nav.ilsgs[k];

    if (pln.bitchinbettyEQ && msc.warn_bb) {
      float turn = std::fabs(fltwrap(flt.psi180 - nav.ilscrs[k], -180.0f, 180.0f));
      float fpm = flt.vu * con.msctofpm;
      float station = pythag(nav.vorX[k] - X, nav.vorZ[k] - Z);
      if (std::fabs(h) < 2.5f && std::fabs(v) < 2.5f && turn < 10.0f && fpm < 100.0f &&
          station < 10.0f * con.nmtomtrs)
        gs_armed = 1;
      if (fpm > 1000.0f || flt.onsurface || turn > 45.0f) gs_armed = 0;
      if (gs_armed && Y < 1000.0f * con.fttomtrs && v < -1.0f &&
          clock_since(msc.elap_time, gs_last_call) >= 2.0f) {
        play_buffer(11, 0);
        gs_last_call = msc.elap_time;
      }
    }
  }
  nav.hdef[k] = fltlim(h * 2.0f, -5.0f, 5.0f);
  nav.vdef[k] = fltlim(v * 2.0f, -5.0f, 5.0f);
}

static void radio_deviations() {
  bool no_gps = supp_is_nav1();
  if (no_gps) radio_deviation(0);
  radio_deviation(1);
  if (!no_gps) {
    get_gps_data(&nav.gps_crs, &nav.gps_dis);
    // Cross-track distance from the locked course through the target, 4 units per nautical mile.
    // The sine of the angle off the course, not the angle: past the target the bearing turns
    // round, and the angle near 180 degrees pegged the needle and weaved the autopilot across
    // the course, where the aircraft is as near the course as before it.
    float off = fltwrap(nav.gps_crs - nav.gps_lock_crs, -180.0f, 180.0f);
    nav.hdef[0] = std::sin(off * con.degtorad) * nav.gps_dis * con.mtrstonm * 4.0f;
  }
}

// Steps a movable 0.02 towards its request, or onto it when closer; 1 when it moved.
static int move_towards(float* pos, float request) {
  float d = request - *pos;
  if (!(std::fabs(d) > 0.001f)) return 0;
  *pos = std::fabs(d) < 0.02f ? request : *pos + (d > 0.0f ? 0.02f : -0.02f);
  return 1;
}

static void movables() {
  if (rel.fc_slt && pln.slatEQ) move_towards(&flt.slat, flt.slatrequest);
  if (pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8]) {
    if (move_towards(&flt.swee, flt.sweerequest)) flight_hooks.redraw_sweep();
  }
  for (int i = PART_WING1_LEFT; i <= PART_HSTAB_RIGHT; i++) {
    if (!pln.varsweepEQ[i]) {
      pln.sweepnow[i] = pln.sweep1[i];
      continue;
    }
    float s1 = static_cast<float>(intwrap(pln.sweep1[i], -179, 180));
    float s2 = static_cast<float>(intwrap(pln.sweep2[i], -179, 180));
    float now = interp(0.0f, s1, 1.0f, s2, fltlim(flt.swee, 0.0f, 1.0f));
    pln.sweepnow[i] = intwrap(truncate_in(now, -179, 180), 0, 359);
  }
  if (!pln.is_heli && pln.vectEQ) {
    float d = fltlim(flt.vectrequest - pln.vertcant[0], -3.0f, 3.0f);
    if (d != 0.0f) {
      pln.vertcant[0] += d;
      for (int i = 1; i < MAX_ENGINES; i++) pln.vertcant[i] = pln.vertcant[0];
      flight_hooks.redraw_vector();
    }
  }
  if (rel.fc_flp && pln.flapEQ && flt.flap != flt.flaprequest) {
    flt.flap += flt.flaprequest > flt.flap ? 1 : -1;
    flight_hooks.redraw_flaps();
  }
}

// Retractable legs follow the handle once their travel time has passed. A leg that left the
// handle's position while the handle stood still collapsed or was torn off: it stays where it is
// until it agrees with the handle again (a new flight start puts every leg at the handle). A leg
// whose mechanism has failed is jammed where it is.
static void landing_gear() {
  if (!pln.retractEQ) return;
  int moved = 0;
  bool handle_still = flt.gear_handle_tick == set.gear_handle + 1;
  for (int i = 0; i < GEAR_LEGS; i++) {
    if (set.gear_stat[i] == set.gear_handle) {
      flt.gear_lost[i] = 0;
    } else if (handle_still && flt.gear_stat_tick[i] == set.gear_handle) {
      flt.gear_lost[i] = 1;
    }
    // On the elapsed-time clock, which runs round at 24 hours.
    if (!flt.gear_lost[i] && rel.lagear[i] && set.gear_stat[i] != set.gear_handle &&
        clock_reached(msc.elap_time, set.gear_time[i])) {
      set.gear_stat[i] = set.gear_handle;
      moved = 1;
    }
    flt.gear_stat_tick[i] = set.gear_stat[i];
  }
  flt.gear_handle_tick = set.gear_handle + 1;
  if (moved) flight_hooks.redraw_gear_lights();
}

void mod_evt() {
  if (pln.entype != ENGINE_NONE) maintain_engine_sound();
  maintain_windrain_sound();
  record_path();
  precipitation_at_aircraft();
  radio_deviations();
  // The runway approach flashers need nothing here: each stands at its start plus msc.cntr10
  // steps, back at the start on every tenth tick, which the drawing reads directly.
  if (ins.reply_level == 0 && fltrand(0.0f, 1.0f) < 0.1f) {
    ins.reply_time1 = msc.elap_time;
    ins.reply_time2 = msc.elap_time + fltrand(0.1f, 0.3f);
  }
  // A tail-wheel aircraft with its tail up lets its parking brake off gradually. A brake already
  // at or below the floor is left alone: the floor must not apply the brake on a take-off roll.
  if (pln.ngearZ > 0.0f && flt.the180 < pln.the_eqlbm - 2.0f && set.parkbrake > 0.25f) {
    set.parkbrake = fltmax2(set.parkbrake * 0.95f, 0.25f);
  }
  movables();
  wxcalc();
  if (set.dskout) flight_hooks.disk_output();
  landing_gear();
}

// ---- Half-second pass ------------------------------------------------------------------------

void mod_semisec() {
  for (int i = PART_WING1_LEFT; i <= PART_VSTAB2; i++) {
    if (!have_this_part(i)) continue;
    flt.slat_effect[i] = interp(0.0f, 1.0f, 1.0f, pln.slat_effect[i], flt.slat);
    flt.alpha_max[i] = flt.slat_effect[i] * pln.alpha_max[i];
  }
  int first = pln.is_heli ? 0 : 4, last = pln.is_heli ? 0 : 9;
  // A ship's deck, an oil rig's or a roof carries the air cushion as the ground does, well above
  // the sea or terrain under it.
  float below = carrying_surface_h();
  for (int i = first; i <= last; i++) {
    if (!have_this_part(i) || !(pln.semilen[i] > 0.0f)) continue;
    // Height of the surface above what is under it, in its own semispans.
    float r =
        (pln.Yarm[i] * flt.costhe + flt.h - pln.Zarm[i] * flt.sinthe - below) / pln.semilen[i];
    if (!(r >= 0.1f)) r = 0.1f;
    float r8 = 8.0f * r;
    flt.CDIgrndeffect[i] = r8 * r8 / (r8 * r8 + 1.0f);
    float ar = pln.AR[i] > 0.0f ? pln.AR[i] : 1.0f;
    flt.CLgrndeffect[i] = (std::pow(1.0f + 1.0f / (r * r * r), 0.04f) - 1.0f) * 3.0f / ar + 1.0f;
  }
}
