// The force pass at the surface: which points touch land or float on water, the touchdown cues,
// and the crash that an impact beyond the crash sink rate, or a motion that ran away, causes.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "controls/controls.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// Which contact points touched in the previous pass: 0-2 gear legs, 3-6 skid ends, 7 any body
// point, 8 any wing tip. The cues fire only on the first pass of a contact.
static int touched_before[CONTACT_POINTS];
// 0 until the first contact pass of a flight: what a start rests on is no touchdown, and would
// otherwise squeal the tyres and jolt the stick as every flight on the ground begins.
static int contact_settled;

void reset_touch_flags() {
  for (int k = 0; k < CONTACT_POINTS; k++) touched_before[k] = 0;
  contact_settled = 0;
}

// The terrain cell under the aircraft, held inside the grid for the lookups that index by it.
static int on_water_now() {
  int i = intlim(env.i_aircraft, 0, GRID_I - 1), j = intlim(env.j_aircraft, 0, GRID_J - 1);
  return on_water[i][j];
}

// How far the aircraft's reference point stands above the highest ground of the loaded region,
// m, when nothing higher (a deck or an obstacle) lies under it; otherwise, or while the pass is
// being dumped, minus infinity. A point nearer the reference point than this in the sum of its
// offsets cannot reach the ground, so its terrain lookup can be spared.
static float clear_height;

static int contact(int n, float x, float y, float z) {
  if (std::fabs(x) + std::fabs(y) + std::fabs(z) < clear_height) {
    flt.geardef[n] = 0.0f;  // what the lookup would have found: no compression
    return 0;
  }
  return handle_contact_point(n, x, y, z);
}

static void land_contact() {
  int touched[CONTACT_POINTS] = {};
  bool raised = env.over_carr || env.over_frig || env.over_obs;
  clear_height = raised || dumping() ? -INFINITY : flt.h - env.max_h;
  if (pln.gearEQ) {
    if (set.gear_stat[0] && contact(0, 0.0f, pln.ngearY, pln.ngearZ)) touched[0] = 1;
    if (set.gear_stat[1] && contact(1, -pln.mgearX, pln.mgearY, pln.mgearZ))
      touched[1] = 1;
    if (set.gear_stat[2] && contact(2, pln.mgearX, pln.mgearY, pln.mgearZ))
      touched[2] = 1;
  }
  if (pln.skidEQ) {
    touched[3] = contact(3, -pln.skidX, pln.skidY, pln.skidZ);
    touched[4] = contact(4, -pln.skidX, pln.skidY, pln.skidZ + pln.skidl);
    touched[5] = contact(5, pln.skidX, pln.skidY, pln.skidZ);
    touched[6] = contact(6, pln.skidX, pln.skidY, pln.skidZ + pln.skidl);
  }
  for (int w = PART_WING1_LEFT; w <= PART_VSTAB2; w++) {
    if (!have_this_part(w)) continue;
    float r = pln.semilen[w];
    if (contact(8, get_wing_Xarm(w, r), get_wing_Yarm(w, r), get_wing_Zarm(w, r)))
      touched[8] = 1;
  }
  for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
    if (!have_this_part(b)) continue;
    float ox, oy, oz;
    get_body_os(b, &ox, &oy, &oz);
    int stations = intlim(f_body_s_dim(b), 0, BODY_SECTIONS);
    int k = intlim(f_body_r_dim(b) / 2, 0, BODY_POINTS - 1);
    for (int st = 0; st < stations; st++) {
      if (contact(7, pln.body_X[b][st][k] + ox, pln.body_Y[b][st][k] + oy,
                               pln.body_Z[b][st][k] + oz))
        touched[7] = 1;
    }
  }

  for (int k = 0; k < CONTACT_POINTS; k++) {
    if (!touched[k] || touched_before[k] || !contact_settled) continue;
    if (k <= 2) {
      play_buffer(flt.vY < -2.54 ? 7 : 6, 0);
      forcecall(32, truncate_in(flt.gearf[k] / flt.m_total * 200.0f, 0, 1000000), 0, 300);
    } else if (k >= 7) {
      play_buffer(7, 0);
      forcecall(32, 100, 0, 250);
    }
  }
  for (int k = 0; k < CONTACT_POINTS; k++) touched_before[k] = touched[k];
}

// Every float point over water, against the wave under it: applied (forces added, with damp_scale
// of the water's damping), or else only weighed, returning the sum of their damping per m/s of
// sink speed.
static float float_points(int apply, float damp_scale) {
  float damping = 0.0f;
  float d = atm.wave_speed * msc.elap_time;
  float wsin = isin(atm.wave_dir), wcos = icos(atm.wave_dir);
  float dx = -d * wsin, dz = d * wcos;
  // A wave length of zero means a flat sea.
  float inv_len = atm.wave_length > 0.0f ? 1.0f / atm.wave_length : 0.0f;
  float X = static_cast<float>(flt.X), Z = static_cast<float>(flt.Z);
  // No crest stands higher than half the wave height above the sea: a point nearer the reference
  // point than the aircraft's height above that, in the sum of its offsets, is dry.
  float dry = dumping() ? -INFINITY : flt.h - env.local_h - 0.5f * std::fabs(atm.wave_amp);
  for (int b = PART_FUSELAGE; b <= PART_MISC2; b++) {
    if (!have_this_part(b)) continue;
    float ox, oy, oz;
    get_body_os(b, &ox, &oy, &oz);
    int stations = intlim(f_body_s_dim(b), 0, BODY_SECTIONS);
    int mid = f_body_r_dim(b) / 2;
    for (int st = 0; st < stations; st++) {
      for (int k = intlim(mid - 1, 0, BODY_POINTS - 1); k <= intlim(mid + 1, 0, BODY_POINTS - 1);
           k++) {
        float px = pln.body_X[b][st][k] + ox;
        float py = pln.body_Y[b][st][k] + oy;
        float pz = pln.body_Z[b][st][k] + oz;
        if (std::fabs(px) + std::fabs(py) + std::fabs(pz) < dry) continue;
        float xw = px * flt.cospsi + X - pz * flt.sinpsi;
        float zw = -Z + pz * flt.cospsi + px * flt.sinpsi;
        float phase = ((zw - dz) * wcos - (xw - dx) * wsin) * inv_len;
        float h = std::sin(con.pim2 * phase) * atm.wave_amp * 0.5f + env.local_h;
        if (apply)
          handle_float_point(b, st, k, px, py, pz, h, damp_scale);
        else
          damping += float_point_damping(b, st, k, px, py, pz, h);
      }
    }
  }
  return damping;
}

// The damping of the whole wet hull, c, stops the aircraft's sinking over a step dt as
// v / (1 + c dt / m) does: never more than the sink speed it has, whatever the step. Applied as it
// stands, c v dt / m beyond 2 would throw a hull meeting the water fast (a ditching, a hard
// landing at a low frame rate) back up faster than it came down.
static void water_contact() {
  const float c = float_points(0, 1.0f);
  float_points(1, flt.m_total > 0.0f ? 1.0f / (1.0f + c * msc.prd / flt.m_total) : 1.0f);
}

void set_a_contact() {
  flt.onsurface = 0;
  for (int k = 0; k < GEAR_LEGS; k++) flt.gearf[k] = flt.gearhold[k] = 0.0f;
  flt.skidhold[0] = flt.skidhold[1] = 0.0f;
  bool hard = !on_water_now() || env.over_carr || env.over_frig || env.over_obs;
  if (hard) land_contact();
  if (dumping()) {
    dump_value("flt.v   =", flt.v, " m/s\n");
    dump_value("flt.h   =", flt.h, " m\n");
    dump_value("flt.vu  =", flt.vu, " m/s\n");
    dump_value("flt.the =", flt.the, " deg\n");
    dump_value("flt.Qrad=", flt.Qrad, " rad/s\n");
    dump_value("flt.Prad=", flt.Prad, " rad/s\n");
    dump_value("flt.Rrad=", flt.Rrad, " rad/s\n");
  }
  if (!hard) water_contact();
  contact_settled = 1;
}

void (*crash_pause)(float seconds) = delay;

// The crash: the pilot sees and hears it, is told what led to it, and the flight starts again at
// the airport.
static void crash_and_restart() {
  flt.crashes++;
  stop_engine_and_windrain();
  play_buffer(7, 0);
  forcecall(33, 0, 0, 0);
  forcecall(32, 100, intrand(0, 359), 250);
  flight_hooks.crash_flash();
  if (crash_pause) crash_pause(4.0f);
  if (msc.ice > 0.01f) {
    // Ice builds in cloud from -20 to 0 C. No thermometer is drawn, so the alert tells how the
    // pilot can work out the temperature aloft instead of pointing at one.
    MACIBM_alert("The aircraft was carrying ice at time of impact.",
                 "You have to keep out of the clouds between -4 and 32 deg F.",
                 "The air cools about 3.6 deg F per 1000 ft from the sea-level temperature of the "
                 "weather settings.",
                 "", ALERT_NOTICE);
  }
  if (!rel.vacuum) {
    MACIBM_alert("Your vacuum system had failed before impact.",
                 "You have to keep a cross-check going.",
                 "The rest of the airplane was in one piece until you buried it.",
                 "Kestrix features realistic gyro spin-down effects, including gyro sluggishness "
                 "and tumble.",
                 ALERT_NOTICE);
  }
  msc.typestart = TYPESTART_TAKEOFF;
  set_fltvars(START_AIRPORT);
  // The rest of this frame flies from the airport: the deck or roof of the impact is not under it.
  update_ships();
  update_over_surfaces();
  play_engine_and_windrain();
}

// A deck or a roof carries whatever is over it, so an aircraft that reaches one from the side,
// below its top, has its reference point inside the ship or the building: it has flown into it.
// The contact springs would otherwise hurl it out of the wall onto the top.
static bool inside_raised_surface() {
  if (!env.over_carr && !env.over_frig && !env.over_obs) return false;
  return flt.h < hard_surface_h(static_cast<float>(flt.X), static_cast<float>(flt.Z));
}

void set_a_crash() {
  if (flt.onsurface && (flt.vu < -20.0f || inside_raised_surface())) crash_and_restart();
}

// Finite, and for the height and the velocity within what any flight reaches: a state that runs
// away numerically grows by orders of magnitude a frame, long before it overflows.
int flight_state_sound() {
  double d[] = {flt.X, flt.Y, flt.Z, flt.vX, flt.vY, flt.vZ};
  for (double x : d) {
    if (!std::isfinite(x)) return 0;
  }
  if (std::fabs(flt.Y) > 1.0e6 || std::hypot(std::hypot(flt.vX, flt.vY), flt.vZ) > 1.0e4) return 0;
  float f[] = {flt.the, flt.psi,  flt.phi,  flt.P,    flt.Q,  flt.R,     flt.aX,   flt.aY,
               flt.aZ,  flt.Pdot, flt.Qdot, flt.Rdot, flt.av, flt.Alpha, flt.Beta, flt.m_total};
  for (float x : f) {
    if (!std::isfinite(x)) return 0;
  }
  return 1;
}

// A design or a start beyond what the flight model can follow (a helicopter started at 600 kt)
// runs away within a second; a state that is no number never meets the ground, so without this the
// aircraft would hang there unseen until the pilot chose another start.
void restart_if_ran_away() {
  if (flight_state_sound()) return;
  MACIBM_alert("The flight model could not follow this aircraft any further:",
               "its motion ran away beyond anything that flies.",
               "This happens to designs or starts far outside what the aircraft can do.",
               "The flight starts again at the airport.", ALERT_NOTICE);
  crash_and_restart();
}
