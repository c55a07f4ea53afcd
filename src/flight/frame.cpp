// The flight frame: the aircraft's surroundings, the periodic passes, the counters and clocks, and
// the two integration sub-steps of the force pass.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// Measured against the path through the air, the path the aerodynamic forces are resolved along:
// an aircraft flying forwards through a headwind stronger than its airspeed drifts backwards over
// the ground, and judged by its ground track its lift would be turned over.
int crs_wrapped() {
  return std::fabs(fltwrap(flt.psi180 - fltwrap(flt.ahpath, -180.0f, 180.0f), -180.0f, 180.0f)) >
                 90.0f
             ? 1
             : 0;
}

// A clock is a float of up to 86400 s, whose last bit there is 1/256 s. Adding a frame period to
// the float itself rounds the same way every frame, so a clock of 0.05 s frames ran 1.6 % fast and
// one of 0.01 s frames 17 %. Each clock therefore keeps its exact time beside it, and the float
// follows that; a clock set from outside (the time of day, a weather report) is taken up as it is.
// Lifetime: flight.
struct exact_clock {
  double t;     // exact time, s, 0..86400
  float shown;  // the float last given out
};
enum { CLOCK_AIFR, CLOCK_NIGT, CLOCK_TIMR, CLOCK_ELAP, CLOCK_LOCL, CLOCKS };
static exact_clock clocks[CLOCKS];

void reset_exact_clocks() {
  for (exact_clock& c : clocks) c = {0.0, 0.0f};
}

static float advance_clock(int k, float t, float dt) {
  exact_clock* c = &clocks[k];
  if (t != c->shown) c->t = t;
  c->t += dt;
  if (c->t >= 86400.0) c->t -= 86400.0;
  if (!(c->t >= 0.0 && c->t < 86400.0)) c->t = fltwrap(static_cast<float>(c->t), 0.0f, 86400.0f);
  c->shown = static_cast<float>(c->t);
  return c->shown;
}

// ---- Surroundings ----------------------------------------------------------------------------

// Reads: pln masses, flt loads, power and thrust. Writes: flt.m_total, flt.ff_.
static void mass_and_fuel_flow() {
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  int engines = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < engines; i++) {
    float ff = burnin_fuel(pln.entype == ENGINE_JET ? jet_engine_thrust(i) : flt.power[i]);
    if (pln.entype == ENGINE_JET && pln.burnerinc > 1.0f && flt.after_burning[i]) ff *= 2.0f;
    flt.ff_[i] = flt.eng_running[i] ? ff : 0.0f;
  }
}

// Reads: flt.throrequest, rel.fc_thr. Writes: flt.thro (a first-order lag of about a second).
static void throttle_lag() {
  if (pln.entype == ENGINE_NONE || !rel.fc_thr) return;
  int engines = intlim(pln.numen, 0, MAX_ENGINES);
  for (int i = 0; i < engines; i++) {
    flt.thro[i] = flt.throrequest[i] * msc.prd + (1.0f - msc.prd) * flt.thro[i];
  }
}

// Reads: con.VIEW_xyz, flt.X, Z. Writes: env's viewpoint and aircraft cells, env.local_h. A
// viewpoint at the aircraft (a frame without a picture) shares its cell rather than searching
// for it twice.
static void terrain_under_aircraft() {
  float vx = con.VIEW_xyz[0], vz = con.VIEW_xyz[2];
  float x = static_cast<float>(flt.X), z = static_cast<float>(flt.Z);
  if (!find_ijt_with_loc(x, z, &env.i_aircraft, &env.j_aircraft, 0))
    find_ijt_with_loc(x, z, &env.i_aircraft, &env.j_aircraft, 1);
  if (vx == x && vz == z) {
    env.i_viewpoint = env.i_aircraft;
    env.j_viewpoint = env.j_aircraft;
  } else if (!find_ijt_with_loc(vx, vz, &env.i_viewpoint, &env.j_viewpoint, 0)) {
    find_ijt_with_loc(vx, vz, &env.i_viewpoint, &env.j_viewpoint, 1);
  }
  env.local_h = find_local_h(x, z, env.i_aircraft, env.j_aircraft);
}

// Grid vertex nearest to world (x, z), held inside the grid (and at its corner when no region
// is loaded, whose extent is zero).
static void nearest_vertex(float x, float z, int* i, int* j) {
  float fi = env.hix > env.lox ? interp(env.lox, 0.0f, env.hix, GRID_I - 1.0f, x) : 0.0f;
  float fj = env.hiz > env.loz ? interp(env.hiz, 0.0f, env.loz, GRID_J - 1.0f, z) : 0.0f;
  *i = intlim(intround(fi), 0, GRID_I - 1);
  *j = intlim(intround(fj), 0, GRID_J - 1);
}

// Reads and writes the traffic aircraft; moves them along their headings, keeps them above the
// terrain and places anew those that strayed beyond 30 nm.
static void move_traffic() {
  float far = 30.0f * con.nmtomtrs;
  for (int k = 0; k < TRAFFIC; k++) {
    float v = traf_v[k] * msc.prd;
    traf_xyz[k][0] += v * isin(traf_h[k]);
    traf_xyz[k][2] -= v * icos(traf_h[k]);
    int i, j;
    nearest_vertex(traf_xyz[k][0], traf_xyz[k][2], &i, &j);
    float floor = planexyz[i][j][1] + 500.0f;
    if (traf_xyz[k][1] < floor) traf_xyz[k][1] = floor;
    float dx = traf_xyz[k][0] - static_cast<float>(flt.X);
    float dz = traf_xyz[k][2] - static_cast<float>(flt.Z);
    if (dx * dx + dz * dz > far * far) flight_hooks.place_traffic(k, 0);
  }
}

// The scenery textures follow the season and the resolution level; the aircraft's drawing follows
// the resolution level too.
static void scenery_textures() {
  static int winter_before = -1, res_before = -1;
  int winter = atm.temp_SL < 32.0f ? 1 : 0;
  if (winter_before != -1 && (winter != winter_before || ogl_res != res_before)) {
    flight_hooks.reload_scenery_textures();
    if (ogl_res != res_before) aircraft_hooks.load_drawing(1, 0);
  }
  winter_before = winter;
  res_before = ogl_res;
}

// ---- Periodic passes, counters, clocks -------------------------------------------------------

// The event tick comes every msc.evup frames (0.1 s of simulated time); the once-a-second and
// half-second passes ride on it, on every tenth and every fifth tick.
static void periodic_passes() {
  int evup = msc.evup > 0 ? msc.evup : 1;
  if (msc.cntr % evup != 0) return;
  mod_evt();
  if (msc.cntr10 == 0) mod_sec();
  if (msc.cntr10 == 0 || msc.cntr10 == 5) mod_semisec();
}

// The tick counter counts the event passes that ran: a frame period that changes the frames per
// tick (the start's first tick, the loop following real time) would otherwise move it on at a
// frame without a pass, and the tick skipped could be the one of the once-a-second pass.
static void advance_counters() {
  const int evup = msc.evup > 0 ? msc.evup : 1;
  const bool ticked = msc.cntr % evup == 0;
  msc.cntr++;
  if (ticked) {
    msc.cntr10 = intwrap(msc.cntr10 + 1, 0, 9);
    msc.evup = intlim(intround(0.1f / msc.prd), 1, 99);
  }
  // Back to 0 past 30000 on a frame that starts a tick anyway, as 0 does: from any other, the
  // tick at 0 would follow the last one by less than a tenth of a second.
  if (msc.cntr > 30000 && msc.cntr % intmax2(msc.evup, 1) == 0) msc.cntr = 0;
}

// Flying backwards, the flight path is banked the other way round.
static void path_bank() {
  if (crs_wrapped()) {
    flt.phi_path = fltwrap(flt.phi + 180.0f, 0.0f, 360.0f);
    flt.sinphi_path = std::sin(flt.phi_path * con.degtorad);
    flt.cosphi_path = std::cos(flt.phi_path * con.degtorad);
    if (flt.the180 < 0.0f) flt.cosphi_path = -flt.cosphi_path;
  } else {
    flt.phi_path = flt.phi;
    flt.sinphi_path = flt.sinphi;
    flt.cosphi_path = flt.cosphi;
  }
}

// Whole hours east of Greenwich of the aircraft's time zone, by its longitude: local time is UTC
// plus that many hours (standard time, 8 hours behind UTC in California). The region's longitude
// runs on past the date line and grows wild over a pole, where the meridians meet; taken within
// one turn, a zone change is never more than a day, which the clock's one wrap can hold.
static int time_zone() { return intround(longitude_180() / 15.0f); }

static void advance_clocks() {
  float dt = msc.prd;
  bool in_cloud =
      (scn.belowbases && atm.vis < 3.0f * con.nmtomtrs) || (!scn.belowbases && !scn.abovetops);
  if (in_cloud) msc.aifr_time = advance_clock(CLOCK_AIFR, msc.aifr_time, dt);
  if (!fltrange(msc.locl_time / 3600.0f, 5.0f, 19.0f))
    msc.nigt_time = advance_clock(CLOCK_NIGT, msc.nigt_time, dt);
  if (msc.timer_running) msc.timr_time = advance_clock(CLOCK_TIMR, msc.timr_time, dt);
  msc.elap_time = advance_clock(CLOCK_ELAP, msc.elap_time, dt);
  // Flown into the next time zone, the local clock steps by the hour the zones differ, so that
  // UTC, the local time less the zone's offset, runs on; a flight start keeps the local time.
  const int zone = time_zone() + 100;
  if (flt.clock_zone > 0 && zone != flt.clock_zone)
    msc.locl_time = fltwrap(msc.locl_time + (zone - flt.clock_zone) * 3600.0f, 0.0f, 86400.0f);
  flt.clock_zone = zone;
  msc.locl_time = advance_clock(CLOCK_LOCL, msc.locl_time, dt);
  msc.zulu_time = zulu_for_local(msc.locl_time);
}

// The local clock keeps the zone it last advanced in until the next frame's clocks: the serial
// outputs, which run before them, see the aircraft already moved into the next zone, where the
// zone under it would put UTC an hour off (and past midnight, a day on).
float zulu_for_local(float locl) {
  const int zone = flt.clock_zone > 0 ? flt.clock_zone - 100 : time_zone();
  return fltwrap(locl - zone * 3600.0f, 0.0f, 86400.0f);
}

// One integration sub-step: the ship decks, the forces, then the motion.
static void sub_step() {
  env.frig_the = fltwrap(env.frig_the + the_dot_now(36) * msc.prd, -180.0f, 180.0f);
  env.frig_phi = fltwrap(env.frig_phi + phi_dot_now(36) * msc.prd, -180.0f, 180.0f);
  env.carr_the = fltwrap(env.carr_the + the_dot_now(37) * msc.prd, -180.0f, 180.0f);
  env.carr_phi = fltwrap(env.carr_phi + phi_dot_now(37) * msc.prd, -180.0f, 180.0f);
  set_a();
  integ_v();
  integ_x();
}

// ---- The frame -------------------------------------------------------------------------------

// Order: the surroundings (mass, throttles, terrain, air) must be current before the periodic
// passes read them; the counters advance after the passes so that a fresh start runs every pass
// on its first frame; the path bank must follow the attitude of the last sub-step; the sub-steps
// come last and see everything above; a state they left unsound restarts the flight.
void update_flight() {
  scn.rb_cycle += msc.prd;  // beacon phase
  if (scn.rb_cycle > con.pim2) scn.rb_cycle = 0.0f;
  mass_and_fuel_flow();
  throttle_lag();
  terrain_under_aircraft();
  set_air_at_aircraft();
  set_mixture_ratios();
  move_traffic();
  scenery_textures();
  serial_outputs();
  periodic_passes();
  advance_counters();
  path_bank();
  advance_clocks();
  flight_hooks.pulse_menu_highlight(std::sin(3.0f * msc.elap_time));

  float prd = msc.prd;
  msc.prd = prd * 0.5f;
  if (set.cycoutwaiting) {
    set.cycout = 1;
    flight_hooks.dump_cycle_header();
  }
  sub_step();
  // The dump covers the first sub-step only.
  if (set.cycout) set.cycout = set.cycoutwaiting = 0;
  sub_step();
  msc.prd = prd;
  restart_if_ran_away();
}
