// The runner's world, start, controls, frames and reports, and the whole run of kestrix-fly.
#include "flyrun.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// The region's south-west corner: flat country far from any coast.
static const int region_lat = 40, region_lon = -100;

static double run_time;  // simulated seconds since the start, not wrapped at midnight
static double start_X, start_Z;
static int region_is_real;  // an airport start flies over the real terrain, not the flat region

// ---- World -----------------------------------------------------------------------------------

// The start-up's standard-atmosphere table (densities in slug/ft^3 every 10000 ft, then 259000 ft).
static void standard_atmosphere_table() {
  static const float density[ATM_ROWS] = {
      0.0023769f, 0.001756f, 0.001267f, 0.0008907f, 0.0005873f, 0.0003639f, 0.0002256f, 0.0001399f,
      8.594e-5f,  5.253e-5f, 3.211e-5f, 2.001e-5f,  1.27e-5f,   8.19e-6f,   5.364e-6f,  3.564e-6f,
      2.433e-6f,  1.693e-6f, 1.2e-6f,   8.589e-7f,  6.061e-7f,  0.0f};
  for (int i = 0; i < ATM_ROWS - 1; i++) assign_hr(i, 10.0f * i, density[i]);
  assign_hr(ATM_ROWS - 1, 259.0f, density[ATM_ROWS - 1]);
}

void fly_flat_region(float h) {
  env.lat_sou = region_lat;
  env.lon_wes = region_lon;
  fill_flat_region(h, 0.0f, 0.0f);
  env.i_aircraft = env.i_viewpoint = (GRID_I - 1) / 2;
  env.j_aircraft = env.j_viewpoint = (GRID_J - 1) / 2;
  env.local_h = h;
}

// The region slides by whole degrees to keep the aircraft in its middle, as the simulator's does,
// so that a long flight never leaves the ground it stands for.
static void slide_flat_region() {
  int di = 0, dj = 0;
  if (flt.lon < env.lon_wes + 0.95f)
    di = -1;
  else if (flt.lon > env.lon_wes + 3.0f - 0.95f)
    di = 1;
  else if (flt.lat < env.lat_sou + 0.45f)
    dj = -1;
  else if (flt.lat > env.lat_sou + 2.0f - 0.45f)
    dj = 1;
  if (!di && !dj) return;
  float x0 = env.lox, z0 = env.hiz;
  float cell_x = env.dx / (GRID_I - 1), cell_z = env.dz / (GRID_J - 1);
  x0 += di * 59 * cell_x;
  z0 -= dj * 79 * cell_z;
  env.lon_wes += di;
  env.lat_sou += dj;
  fill_flat_region(planexyz[0][0][1], x0, z0);
  env.i_aircraft = intlim(env.i_aircraft - 59 * di, 0, GRID_I - 2);
  env.j_aircraft = intlim(env.j_aircraft - 79 * dj, 0, GRID_J - 2);
}

// Nobody watches a run without a screen: a crash restarts it at once.
static void no_pause(float) {}

void fly_setup_world(float ground_elev_m) {
  reset_world_state();
  init_constants();
  macibm_find_paths();  // the airfoil and flap folders beside the program
  standard_atmosphere_table();
  fly_flat_region(ground_elev_m);
  atm.temp_SL = 59.0f;
  atm.dewp_SL = 40.0f;
  atm.baro = ins.baro = 29.92f;
  atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1.0f;
  atm.vis = 7.0f * con.nmtomtrs;
  atm.cld_type = 0;
  atm.g = con.g;
  scn.belowbases = 1;
  msc.locl_time = 57600.0f;
  set.damp = 0.5f;
  set.eq_ped = 1;  // the runner's pilot works the pedals: no automatic yaw damping takes the rudder
  // Whatever the flight code carries from frame to frame starts afresh, as for a program that
  // has just started: a run never inherits the state of the one before it.
  reset_set_a_memory();
  reset_props();
  reset_periodic_checks();
  reset_failures();
  crash_pause = no_pause;
  run_time = 0.0;
  region_is_real = 0;
}

// ---- Aircraft --------------------------------------------------------------------------------

int fly_load_aircraft(const char* name, char* err) {
  if (std::strncmp(name, "builtin:", 8) == 0) {
    if (!fly_builtin_aircraft(name + 8)) {
      std::snprintf(err, FLY_ERR, "no built-in aircraft '%s' (trainer, glider, fourprop)",
                    name + 8);
      return 0;
    }
    return 1;
  }
  std::FILE* f = std::fopen(name, "r");
  if (!f) {
    std::snprintf(err, FLY_ERR, "cannot open aircraft file %s", name);
    return 0;
  }
  std::fclose(f);
  reset_pln();
  reset_afl();
  std::snprintf(pln.C_path, sizeof pln.C_path, "%s", name);
  const char* slash = std::strrchr(name, '/');
  std::snprintf(pln.C_file, sizeof pln.C_file, "%s", slash ? slash + 1 : name);
  load_plane();
  // A record without mass or inertia cannot be flown: the loader did not fill it.
  if (!(pln.m_empty > 0.0f) || !(pln.Jxx_unitmass > 0.0f) || !(pln.Jyy_unitmass > 0.0f) ||
      !(pln.Jzz_unitmass > 0.0f)) {
    std::snprintf(err, FLY_ERR, "aircraft file %s gave no usable aircraft (no mass or inertia)",
                  name);
    return 0;
  }
  return 1;
}

// ---- Start -----------------------------------------------------------------------------------

// The engines at power fraction p, as a flight start sets them; an engine with fuel runs.
static void engines_at(float p) {
  initpower(p);
  for (int i = 0; i < intlim(pln.numen, 0, MAX_ENGINES); i++)
    flt.eng_running[i] = flt.m_fuel > 0.01f;
}

// The flat world's start: in the middle of the region, in the air or at rest on the ground.
static void start_on_flat_world(const fly_options* o) {
  float ground = env.local_h;
  flt.X = start_X = 0.5 * (env.lox + env.hix);
  flt.Z = start_Z = 0.5 * (env.loz + env.hiz);
  flt.psi = fltwrap(o->heading, 0.0f, 360.0f);
  flt.phi = 0.0f;
  float v = 0.0f;
  if (o->start_ground) {
    flt.Y = ground + pln.h_eqlbm;
    flt.the = fltwrap(pln.the_eqlbm, 0.0f, 360.0f);
  } else {
    flt.Y = o->alt_ft * con.fttomtrs;
    flt.the = 0.0f;
    flt.h = static_cast<float>(flt.Y);
    set_air_at_aircraft();
    // Indicated to true airspeed through the density at the start height.
    v = atm.crtsig > 0.0f ? o->kias * con.ktstomsc / std::sqrt(atm.crtsig) : o->kias * con.ktstomsc;
  }
  flt.h = static_cast<float>(flt.Y);
  atm.g = con.muearth / sqr(flt.h + con.rearth);
  float r = con.degtorad;
  flt.vX = std::sin(flt.psi * r) * v;
  flt.vZ = std::cos(flt.psi * r) * v;
  flt.vY = 0.0;
  flt.P = flt.Q = flt.R = flt.Prad = flt.Qrad = flt.Rrad = 0.0f;
  flt.hpath = flt.psi;

  reset_ctm();
  // A helicopter's governor works its engines; the throttle command is its collective.
  engines_at(pln.is_heli ? 1.0f : o->controls.throttle);
  fly_set_controls(&o->controls);
  set.gear_handle = o->controls.gear_down || !pln.retractEQ;
  for (int k = 0; k < GEAR_LEGS; k++) set.gear_stat[k] = set.gear_handle;
}

// An airport start as the simulator's Location menu makes it: the selected runway end or final of
// the airport whose region fly_airport_world loaded.
static void start_at_airport(const fly_options* o) {
  region_is_real = 1;
  set_fltvars(32);
  start_X = flt.X;
  start_Z = flt.Z;
  atm.g = con.muearth / sqr(flt.h + con.rearth);
  for (int i = 0; i < intlim(pln.numen, 0, MAX_ENGINES); i++) {
    flt.eng_running[i] = flt.m_fuel > 0.01f;
  }
  fly_controls c = fly_start_controls(o);
  fly_set_controls(&c);
}

fly_controls fly_start_controls(const fly_options* o) {
  fly_controls c = o->controls;
  if (o->airport_start) {
    if (!(o->given & FLY_THROTTLE)) c.throttle = flt.throrequest[0];
    if (!(o->given & FLY_GEAR)) c.gear_down = set.gear_handle;
  }
  return c;
}

void fly_start(const fly_options* o) {
  // The loads are the aircraft's own starting loads, set when it was loaded.
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  flt.cat_stage = 5;
  msc.prd = o->prd;
  msc.cntr = msc.cntr10 = 0;
  msc.evup = 1;
  msc.ice = 0.0f;
  for (int p = 0; p < NUM_PARTS; p++) {
    flt.slat_effect[p] = 1.0f;
    flt.alpha_max[p] = pln.alpha_max[p];
    flt.CDIgrndeffect[p] = flt.CLgrndeffect[p] = 1.0f;
  }
  if (o->airport_start) {
    start_at_airport(o);
  } else {
    start_on_flat_world(o);
  }
  flt.flap = flt.flaprequest;

  // A zero-time pass fills the derived state (air data, angles and their sines) from the start;
  // the second pass sees the angle of attack the first one found, and the wind, which needs the
  // magnetic variation the first pass found at the aircraft's position.
  float prd = msc.prd;
  msc.prd = 0.0f;
  set_air_at_aircraft();
  integ_x();
  if (o->wind_kt > 0.0f) fly_set_wind(o->wind_dir, o->wind_kt);
  integ_x();
  msc.prd = prd;
  run_time = 0.0;
}

// ---- Controls --------------------------------------------------------------------------------

void fly_set_controls(const fly_controls* c) {
  flt.flaprequest = intround(fltlim(c->flaps, 0.0f, 1.0f) * 50.0f);
  int handle = c->gear_down || !pln.retractEQ;
  if (handle != set.gear_handle) {
    set.gear_handle = handle;
    for (int k = 0; k < GEAR_LEGS; k++) set.gear_time[k] = msc.elap_time;
  }
  set.parkbrake = fltlim(c->brakes, 0.0f, 1.0f);

  // The bug and the OBS are magnetic, as the pilot sets them on the panel; the radio is tuned as
  // its knobs tune it, and the once-a-second pass finds the station.
  ott.HDSLCT = c->ap_hdg_on;
  nav.hdsel = c->ap_hdg;
  ott.NAV[0] = c->ap_nav_on;
  if (c->nav1) nav.nf[0] = c->nav1;
  nav.obs[0] = c->obs;
  ott.ALHOLD = c->ap_alt_on;
  ott.al_hold = c->ap_alt_ft * con.fttomtrs;
  ott.VVHOLD = c->ap_vs_on;
  // An altitude hold without a vertical speed climbs or descends at 500 ft/min.
  ott.vv_hold = (c->ap_vs_on ? c->ap_vs_fpm : 500.0f) * con.fpmtomsc;
  ott.ASHOLD = c->ap_kias_on;
  ott.as_hold = c->ap_kias;

  // The commands stand for the yoke; the controls do the rest, as in the simulator.
  set.YK_ptch = fltlim(c->elevator, -1.0f, 1.0f);
  set.YK_roll = fltlim(c->aileron, -1.0f, 1.0f);
  set.YK_hdng = fltlim(c->rudder, -1.0f, 1.0f);
  set.YK_thro = fltlim(c->throttle, 0.0f, 1.0f);
  control_laws();
  throttle_to_engines();
}

// ---- Frames ----------------------------------------------------------------------------------

void fly_frame() {
  if (region_is_real) {
    check_region_move();
  } else {
    slide_flat_region();
  }
  update_flight();
  run_time += msc.prd;
}

float fly_time() { return static_cast<float>(run_time); }

int fly_state_is_finite() {
  double d[] = {flt.X, flt.Y, flt.Z, flt.vX, flt.vY, flt.vZ};
  for (double x : d) {
    if (!std::isfinite(x)) return 0;
  }
  float f[] = {flt.the, flt.psi,  flt.phi,  flt.P,    flt.Q,  flt.R,     flt.aX,   flt.aY,
               flt.aZ,  flt.Pdot, flt.Qdot, flt.Rdot, flt.av, flt.Alpha, flt.Beta, flt.m_total};
  for (float x : f) {
    if (!std::isfinite(x)) return 0;
  }
  return 1;
}

// The spinning propellers and rotors hold energy too: a rotor slowing down in autorotation gives
// its energy to the aircraft, so it belongs in the sum; so does the airframe's own rotation, which
// a tumbling aircraft may trade for speed.
float fly_energy() {
  float e = 0.5f * flt.v * flt.v + con.g * flt.h;
  e += 0.5f * (pln.Jzz_unitmass * sqr(flt.Prad) + pln.Jxx_unitmass * sqr(flt.Qrad) +
               pln.Jyy_unitmass * sqr(flt.Rrad));
  if (flt.m_total > 0.0f)
    for (int i = 0; i < MAX_ENGINES; i++)
      if (have_this_part(i)) e += 0.5f * pln.miprop[i] * sqr(flt.tac[i]) / flt.m_total;
  return e;
}

// ---- Reports ---------------------------------------------------------------------------------

static float ground_distance_nm() {
  return static_cast<float>(std::hypot(flt.X - start_X, flt.Z - start_Z)) * con.mtrstonm;
}

// A value as it will print with the given resolution, without the "-0" of a small negative value.
static double shown(double v, double unit) {
  double r = std::round(v / unit) * unit;
  return r == 0.0 ? 0.0 : r;
}

// A heading as printed to a tenth: 359.96 is due north, 0.0, not 360.0.
static double compass(float deg) {
  double h = shown(deg, 0.1);
  return h >= 360.0 ? h - 360.0 : h;
}

void fly_summary(char* out, int size) {
  double heading = compass(flt.psi);
  std::snprintf(
      out, size,
      "summary t=%.1f alt_ft=%.0f agl_ft=%.0f kias=%.1f ktas=%.1f vs_fpm=%.0f pitch=%.1f "
      "roll=%.1f heading=%.1f hdg_mag=%.1f lat=%.5f lon=%.5f dist_nm=%.2f rpm=%.0f fuel_lb=%.1f "
      "on_ground=%d crashed=%d",
      fly_time(), flt.h * con.mtrstoft, (flt.h - env.local_h) * con.mtrstoft, flt.vind,
      flt.av * con.msctokts, shown(flt.vu * con.msctofpm, 1.0), shown(flt.the180, 0.1),
      shown(flt.phi180, 0.1), heading, compass(flt.magpsi), flt.lat, flt.lon, ground_distance_nm(),
      pln.numen > 0 ? flt.tac[0] * con.rsctorpm : 0.0f, flt.m_fuel * con.kgstolbs,
      flt.onsurface ? 1 : 0, flt.crashes > 0 ? 1 : 0);
}

void fly_csv_header(std::FILE* f) {
  std::fprintf(f,
               "t_s,x_m,z_m,lat_deg,lon_deg,alt_ft,agl_ft,kias,ktas,vs_fpm,alpha_deg,beta_deg,"
               "pitch_deg,roll_deg,heading_deg,p_dps,q_dps,r_dps,f_axial_aero_n,f_side_aero_n,"
               "f_normal_aero_n,f_axial_prop_n,f_normal_gear_n,rpm1,thrust1_n,fuel_lb\n");
}

void fly_csv_row(std::FILE* f) {
  std::fprintf(
      f,
      "%.3f,%.2f,%.2f,%.6f,%.6f,%.1f,%.1f,%.2f,%.2f,%.1f,%.3f,%.3f,%.3f,%.3f,%.3f,%.4f,%.4f,"
      "%.4f,%.1f,%.1f,%.1f,%.1f,%.1f,%.0f,%.1f,%.2f\n",
      fly_time(), flt.X, flt.Z, flt.lat, flt.lon, flt.h * con.mtrstoft,
      (flt.h - env.local_h) * con.mtrstoft, flt.vind, flt.av * con.msctokts, flt.vu * con.msctofpm,
      flt.Alpha, flt.Beta, flt.the180, flt.phi180, flt.psi, flt.P, flt.Q, flt.R, flt.faxilaero,
      flt.fsideaero, flt.fnrmlaero, flt.faxilprop, flt.fnrmlgear,
      pln.numen > 0 ? flt.tac[0] * con.rsctorpm : 0.0f, pln.numen > 0 ? flt.thrust[0] : 0.0f,
      flt.m_fuel * con.kgstolbs);
}

// ---- The whole run ---------------------------------------------------------------------------

static int alert_seen;
static std::FILE* summary_out;

static void stop_on_alert(const alert_record&) { alert_seen = 1; }

// A fatal alert ends the process through the exit hook: the summary still closes the output.
static void exit_after_fatal(int) {
  char s[400];
  fly_summary(s, sizeof s);
  if (summary_out) {
    std::fprintf(summary_out, "%s\n", s);
    std::fflush(summary_out);
  }
  std::exit(FLY_ALERT);
}

static void (*alert_hook_before)(const alert_record&);
static void (*exit_hook_before)(int);

static int finish(int status, std::FILE* out, std::FILE* csv) {
  macibm_alert_hook = alert_hook_before;
  macibm_exit_hook = exit_hook_before;
  if (csv) std::fclose(csv);
  if (trk.is_open()) trk.close();
  char s[400];
  fly_summary(s, sizeof s);
  std::fprintf(out, "%s\n", s);
  return status;
}

int fly_run(const fly_options* o, std::FILE* out, std::FILE* errs) {
  static fly_script script;  // large; kept out of the stack
  char err[FLY_ERR];
  alert_hook_before = macibm_alert_hook;
  exit_hook_before = macibm_exit_hook;
  script.count = 0;
  if (o->script[0] && !fly_read_script(o->script, &script, err)) {
    std::fprintf(errs, "kestrix-fly: %s\n", err);
    return finish(FLY_BAD_INPUT, out, nullptr);
  }
  fly_setup_world(o->ground_elev_ft * con.fttomtrs);
  summary_out = out;
  alert_seen = 0;
  macibm_alert_hook = stop_on_alert;
  macibm_exit_hook = exit_after_fatal;
  if (o->cycle_dump[0]) {
    // The aircraft's analysis report goes to the same stream as the dump, as in the simulator.
    if (trk.is_open()) trk.close();
    trk.open(o->cycle_dump);
    if (!trk.is_open()) {
      std::fprintf(errs, "kestrix-fly: cannot write %s\n", o->cycle_dump);
      return finish(FLY_BAD_INPUT, out, nullptr);
    }
    trk.setf(std::ios::fixed);
  }
  if (o->airport_start && !fly_airport_world(o, err)) {
    std::fprintf(errs, "kestrix-fly: %s\n", err);
    return finish(alert_seen ? FLY_ALERT : FLY_BAD_INPUT, out, nullptr);
  }
  if (!fly_check_radios(o, &script, err)) {
    std::fprintf(errs, "kestrix-fly: %s\n", err);
    return finish(FLY_BAD_INPUT, out, nullptr);
  }
  if (!fly_load_aircraft(o->aircraft, err)) {
    std::fprintf(errs, "kestrix-fly: %s\n", err);
    return finish(alert_seen ? FLY_ALERT : FLY_BAD_INPUT, out, nullptr);
  }
  if (!o->airport_start && !o->start_ground && o->alt_ft * con.fttomtrs <= env.local_h) {
    std::fprintf(errs, "kestrix-fly: an air start at %g ft is not above the ground at %g ft\n",
                 o->alt_ft, o->ground_elev_ft);
    return finish(FLY_BAD_INPUT, out, nullptr);
  }
  std::FILE* csv = nullptr;
  if (o->csv[0]) {
    csv = std::fopen(o->csv, "w");
    if (!csv) {
      std::fprintf(errs, "kestrix-fly: cannot write %s\n", o->csv);
      return finish(FLY_BAD_INPUT, out, nullptr);
    }
    fly_csv_header(csv);
  }

  fly_start(o);
  // A notice raised while the flight was set up stops the run as one raised in flight does.
  if (alert_seen) return finish(FLY_ALERT, out, nullptr);
  fly_controls c = fly_start_controls(o);
  if (csv) fly_csv_row(csv);
  int next = 0, dumped = 0;
  long frames = std::lround(o->seconds / o->prd);
  for (long f = 0; f < frames; f++) {
    while (next < script.count && script.entry[next].t <= fly_time() + 1.0e-6f) {
      fly_apply_script(&c, &script.entry[next++]);
    }
    fly_set_controls(&c);
    if (o->cycle_dump[0] && !dumped && fly_time() + 1.0e-6f >= o->dump_at) {
      set.cycoutwaiting = 1;
      dumped = 1;
    }
    fly_frame();
    if (csv) fly_csv_row(csv);
    if (!fly_state_is_finite()) {
      std::fprintf(errs,
                   "kestrix-fly: the flight state stopped being a finite number at t=%.3f s\n",
                   fly_time());
      return finish(FLY_NOT_FINITE, out, csv);
    }
    if (alert_seen) return finish(FLY_ALERT, out, csv);
    if (flt.crashes > 0) break;
  }
  return finish(alert_seen ? FLY_ALERT : FLY_OK, out, csv);
}
