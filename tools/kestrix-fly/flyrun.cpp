// The runner's world, start, controls, frames and reports, and the whole run of kestrix-fly.
#include "flyrun.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/headless/headless.h"
#include "app/macibm.h"
#include "atc/atc.h"
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
// What the pilot last did with each control; a control is worked only when its command changes,
// so that the aircraft's own systems (the touchdown's autopilot disconnect, the brake release,
// the autothrottle, a governor) act between the pilot's moves as they do in the simulator.
static fly_controls worked;
static int have_worked;

// ---- World -----------------------------------------------------------------------------------

void fly_flat_region(float h) {
  env.lat_sou = region_lat;
  env.lon_wes = region_lon;
  fill_flat_region(h, 0.0f, 0.0f);
  env.i_aircraft = env.i_viewpoint = (GRID_I - 1) / 2;
  env.j_aircraft = env.j_viewpoint = (GRID_J - 1) / 2;
  env.local_h = h;
}

// Nobody watches a run without a screen: a crash restarts it at once. The restart puts the
// aircraft elsewhere at rest, so the summary of a crashed run is the one taken at the impact.
static char impact_summary[400];
// A state that ran away numerically reaches the ground as an impact too, and the restart then
// leaves a sound state behind: the impact remembers it.
static int impact_ran_away;
static float impact_kias;
static void note_impact(float) {
  fly_summary(impact_summary, sizeof impact_summary);
  impact_kias = flt.vind;
  if (!flight_state_sound()) impact_ran_away = 1;
}

void fly_setup_world(float ground_elev_m) {
  reset_world_state();
  init_constants();
  macibm_find_paths();  // the airfoil and flap folders beside the program
  fill_standard_atmosphere();
  fly_flat_region(ground_elev_m);
  atm.temp_SL = 59.0f;
  atm.dewp_SL = 40.0f;
  atm.baro = ins.baro = 29.92f;
  atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1.0f;
  atm.vis = 7.0f * con.nmtomtrs;
  atm.cld_type = 0;
  atm.g = con.g;
  msc.locl_time = 57600.0f;
  set.damp = 0.5f;
  set.eq_ped = 1;  // the runner's pilot works the pedals: no automatic yaw damping takes the rudder
  // The pilot flies the keyboard yoke at full ratio and without dead zones, so that a command is
  // the yoke deflection the control laws see.
  set.joy_rat_ptch = set.joy_rat_roll = set.joy_rat_hdng = 1.0f;
  crash_pause = note_impact;
  impact_summary[0] = '\0';
  impact_ran_away = 0;
  run_time = 0.0;
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
  // A folder opens for reading too, and the simulator's loader, meeting a file it cannot read as
  // an aircraft, would say the aircraft was not found beside the program and offer a dialog.
  const int opened = inf_open(name, FILE_ANY, VERSION_AIRCRAFT, 0);
  inf.close();
  inf.clear();
  if (!opened) {
    std::snprintf(err, FLY_ERR, "cannot open aircraft file %s, or it is not an aircraft file",
                  name);
    return 0;
  }
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

// ---- Start ----------------------------------------------------------------------------------

// An air start at world (x, z): the altitude and indicated airspeed of the options, true airspeed
// from the density there; a helicopter's governor works its engines, the throttle command being
// its collective.
static start_place air_start(const fly_options* o, double x, double z) {
  start_place s{};
  s.X = x, s.Z = z;
  s.psi = fltwrap(o->heading, 0.0f, 360.0f);
  s.Y = o->alt_ft * con.fttomtrs;
  flt.h = static_cast<float>(s.Y);
  set_air_at_aircraft();
  s.v = atm.crtsig > 0.0f ? o->kias * con.ktstomsc / std::sqrt(atm.crtsig) : o->kias * con.ktstomsc;
  s.power = pln.is_heli ? 1.0f : o->controls.throttle;
  s.gear = o->controls.gear_down;
  s.cat_stage = 5;
  return s;
}

// The flat world's start: in the middle of the region, in the air or at rest on the ground.
static void start_on_flat_world(const fly_options* o) {
  double x = 0.5 * (env.lox + env.hix), z = 0.5 * (env.loz + env.hiz);
  start_place s = air_start(o, x, z);
  if (o->start_ground) {
    s.Y = env.local_h + pln.h_eqlbm;
    s.the = pln.the_eqlbm;
    s.v = 0.0f;
  }
  start_flight_state(&s);
}

void fly_start(const fly_options* o) {
  msc.prd = o->prd;
  impact_summary[0] = '\0';
  impact_ran_away = 0;
  if (o->airport_start) {
    // As the simulator's Location menu starts it, at the airport fly_airport_world loaded.
    set_fltvars(32);
  } else if (o->at_position) {
    start_place s = air_start(o, X_with_latlon(o->lat, o->lon), Z_with_lat(o->lat));
    start_flight_state(&s);
  } else {
    start_on_flat_world(o);
  }
  // The simulator's starts place the traffic round the new start; these starts of the runner's
  // own do so too, or it would fly on from wherever the last flight of the process left it.
  if (!o->airport_start)
    for (int k = 0; k < TRAFFIC; k++) flight_hooks.place_traffic(k, 1);
  start_X = flt.X;
  start_Z = flt.Z;
  fly_controls c = fly_start_controls(o);
  have_worked = 0;
  fly_set_controls(&c);

  // A zero-time pass fills the derived state (air data, angles and their sines) from the start;
  // the second pass sees the angle of attack the first one found, and the wind, which needs the
  // magnetic variation the first pass found at the aircraft's position.
  float prd = msc.prd;
  msc.prd = 0.0f;
  set_air_at_aircraft();
  integ_x();
  if (o->wind_kt > 0.0f) {
    fly_set_wind(o->wind_dir, o->wind_kt);
    // A start in flight has its speed through the air: the aircraft moves with the air as well,
    // or a tailwind would start it below the stall.
    if (start_is_airborne()) {
      flt.vX += atm.wind_X;
      flt.vZ += atm.wind_Z;
    }
  }
  integ_x();
  msc.prd = prd;
  run_time = 0.0;
}

fly_controls fly_start_controls(const fly_options* o) {
  fly_controls c = o->controls;
  if (o->airport_start) {
    if (!(o->given & FLY_THROTTLE)) c.throttle = lever_get(LEVER_THROTTLE, 0);
    if (!(o->given & FLY_GEAR)) c.gear_down = set.gear_handle;
  }
  return c;
}

// ---- Controls --------------------------------------------------------------------------------

// The yoke deflection v (-1..1) that the joystick's response curve turns into the command c.
static float yoke_for(float c) {
  c = fltlim(c, -1.0f, 1.0f);
  return c < 0.0f ? -std::pow(-c, 2.0f / 3.0f) : std::pow(c, 2.0f / 3.0f);
}

void fly_set_controls(const fly_controls* c) {
  int all = !have_worked;
  const fly_controls& w = worked;
  if (all || c->flaps != w.flaps) flt.flaprequest = intround(fltlim(c->flaps, 0.0f, 1.0f) * 50.0f);
  int handle = c->gear_down || !pln.retractEQ;
  if (handle != set.gear_handle) {
    set.gear_handle = handle;
    for (int k = 0; k < GEAR_LEGS; k++) set.gear_time[k] = msc.elap_time;
  }
  if (all || c->brakes != w.brakes) set.parkbrake = fltlim(c->brakes, 0.0f, 1.0f);
  if (all || c->throttle != w.throttle) lever_set(LEVER_THROTTLE, -1, c->throttle);

  // The bug is magnetic, as the pilot sets it.
  if (all || c->ap_hdg_on != w.ap_hdg_on || c->ap_hdg != w.ap_hdg) {
    ott.HDSLCT = c->ap_hdg_on;
    nav.hdsel = c->ap_hdg;
  }
  // The OBS is magnetic, as the pilot sets it on the panel; the radio is tuned as its knobs tune
  // it, and the once-a-second pass finds the station.
  if (all || c->ap_nav_on != w.ap_nav_on) ott.NAV[0] = c->ap_nav_on;
  if ((all || c->nav1 != w.nav1) && c->nav1) nav.nf[0] = c->nav1;
  if (all || c->obs != w.obs) nav.obs[0] = c->obs;
  if (all || c->ap_alt_on != w.ap_alt_on || c->ap_alt_ft != w.ap_alt_ft) {
    ott.ALHOLD = c->ap_alt_on;
    ott.al_hold = c->ap_alt_ft * con.fttomtrs;
  }
  // An altitude hold without a vertical speed climbs or descends at 500 ft/min.
  if (all || c->ap_vs_on != w.ap_vs_on || c->ap_vs_fpm != w.ap_vs_fpm ||
      c->ap_alt_on != w.ap_alt_on) {
    ott.VVHOLD = c->ap_vs_on;
    ott.vv_hold = (c->ap_vs_on ? c->ap_vs_fpm : 500.0f) * con.fpmtomsc;
  }
  if (all || c->ap_kias_on != w.ap_kias_on || c->ap_kias != w.ap_kias) {
    ott.ASHOLD = c->ap_kias_on;
    ott.as_hold = c->ap_kias;
  }

  // The yoke stays where it is put, as the keypad leaves it.
  set.MK_ptch = yoke_for(c->elevator);
  set.MK_roll = yoke_for(c->aileron);
  set.MK_hdng = yoke_for(c->rudder);
  worked = *c;
  have_worked = 1;
}

// ---- Frames ----------------------------------------------------------------------------------

void fly_frame() {
  sim_frame(0);
  run_time += msc.prd;
}

float fly_time() { return static_cast<float>(run_time); }

int fly_state_is_finite() { return !impact_ran_away && flight_state_sound(); }

float fly_impact_kias() { return impact_kias; }

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
      shown(flt.phi180, 0.1), heading, compass(flt.magpsi), flt.lat, longitude_180(),
      ground_distance_nm(), pln.numen > 0 ? flt.tac[0] * con.rsctorpm : 0.0f,
      flt.m_fuel * con.kgstolbs, flt.onsurface ? 1 : 0, flt.crashes > 0 ? 1 : 0);
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
      fly_time(), flt.X, flt.Z, flt.lat, longitude_180(), flt.h * con.mtrstoft,
      (flt.h - env.local_h) * con.mtrstoft, flt.vind, flt.av * con.msctokts, flt.vu * con.msctofpm,
      flt.Alpha, flt.Beta, flt.the180, flt.phi180, flt.psi, flt.P, flt.Q, flt.R, flt.faxilaero,
      flt.fsideaero, flt.fnrmlaero, flt.faxilprop, flt.fnrmlgear,
      pln.numen > 0 ? flt.tac[0] * con.rsctorpm : 0.0f, pln.numen > 0 ? flt.thrust[0] : 0.0f,
      flt.m_fuel * con.kgstolbs);
}

// ---- The whole run ---------------------------------------------------------------------------

static int alert_seen;
static std::FILE* summary_out;

// Every sentence of the controller, as it is said: atc t=12.0 "TEXT".
static void print_transmission(const char* text) {
  if (!summary_out) return;
  std::fprintf(summary_out, "atc t=%.1f \"", fly_time());
  for (const char* p = text; *p; p++) std::fputc(*p == '"' ? '\'' : *p, summary_out);
  std::fprintf(summary_out, "\"\n");
}

// Any alert stops the run, except the notice that the ground beyond the world data is flat water:
// a start anywhere in the world may fly there, and standard error has shown the notice.
static void stop_on_alert(const alert_record& a) {
  if (a.line[2] != TERRAIN_FLAT_WATER) alert_seen = 1;
}

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
static void (*said_hook_before)(const char*);

static void restore_hooks() {
  macibm_alert_hook = alert_hook_before;
  macibm_exit_hook = exit_hook_before;
  atc_said_hook = said_hook_before;
}

// The run's options and where its messages go, for the closing of its files.
static const fly_options* run_options;
static std::FILE* run_errs;

// The last lines of a file reach it only when it is closed: a file that could not take them
// (a full disk) fails the run, as a failed write in flight does, instead of passing as complete.
static int close_outputs(int status, std::FILE* csv) {
  const char* lost = nullptr;
  if (csv && (std::ferror(csv) | std::fclose(csv))) lost = run_options->csv;
  if (trk.is_open()) {
    trk.flush();
    if (!trk.good())
      lost = run_options->data_out[0] ? run_options->data_out : run_options->cycle_dump;
    trk.close();
  }
  if (!lost) return status;
  std::fprintf(run_errs, "kestrix-fly: could not write %s\n", lost);
  return status == FLY_OK ? FLY_ALERT : status;
}

static int finish(int status, std::FILE* out, std::FILE* csv) {
  restore_hooks();
  MACIBM_serial_close();
  headless_set_serial_device(nullptr);
  set.ser_NMEA = 0;
  status = close_outputs(status, csv);
  char s[400];
  fly_summary(s, sizeof s);
  std::fprintf(out, "%s\n", impact_summary[0] ? impact_summary : s);
  return status;
}

// Bad input flies nothing, so there is no summary: the message says what was wrong.
static int refuse(std::FILE* errs, const char* why) {
  restore_hooks();
  if (trk.is_open()) trk.close();
  std::fprintf(errs, "kestrix-fly: %s\n", why);
  return FLY_BAD_INPUT;
}

// The real region around the start position, with the database its airports come from.
static void position_world(const fly_options* o) {
  init_country_data();
  region_corner_for(o->lat, o->lon);
  load_region();
}

// Fuel and payload (kg) within what the aircraft can carry; 0 with a message otherwise.
static int take_loads(const fly_options* o, float fuel, float payload, char* err) {
  float room = 0.0f;
  int fit = loads_fit(fuel, payload, set.load_jettison, &room);
  if (fit == LOADS_FUEL_OVER) {
    std::snprintf(err, FLY_ERR, "--fuel-lb %g is more than the tanks hold (%.1f lb)", o->fuel_lb,
                  pln.m_fuel * con.kgstolbs);
    return 0;
  }
  if ((o->have_fuel || o->have_payload) && fit == LOADS_WEIGHT_OVER) {
    std::snprintf(err, FLY_ERR,
                  "a payload of %.0f lb with %.0f lb of fuel is more than the maximum weight of "
                  "%.0f lb allows (%.0f lb of payload)",
                  payload * con.kgstolbs, fuel * con.kgstolbs, pln.m_max * con.kgstolbs,
                  room * con.kgstolbs);
    return 0;
  }
  set.load_fuel = fuel;
  set.load_fixed = payload;
  return 1;
}

// The loads the options ask for, the aircraft's own otherwise.
static int choose_loads(const fly_options* o, char* err) {
  float fuel = o->have_fuel ? o->fuel_lb * con.lbstokgs : set.load_fuel;
  float payload = o->have_payload ? o->payload_lb * con.lbstokgs : set.load_fixed;
  return take_loads(o, fuel, payload, err);
}

// Full tanks, or as much fuel as the maximum weight leaves room for beside the payload asked
// for, and the payload that makes up the maximum weight; what the options give stays.
int card_loads(const fly_options* o, char* err) {
  float payload = o->have_payload ? o->payload_lb * con.lbstokgs : 0.0f;
  float fuel = o->have_fuel ? o->fuel_lb * con.lbstokgs
                            : fltlim(pln.m_max - pln.m_empty - payload, 0.0f, pln.m_fuel);
  if (!o->have_payload) payload = fltmax2(pln.m_max - pln.m_empty - fuel, 0.0f);
  set.load_jettison = 0.0f;
  return take_loads(o, fuel, payload, err);
}

// The card's progress for a program that shows it while the card flies (Airwright).
static std::FILE* progress_to;
static void tell_progress(int done, int total) {
  std::fprintf(progress_to, "progress %d/%d\n", done, total);
  std::fflush(progress_to);
}

// An air start must be above the ground under it.
static int above_ground(const fly_options* o, char* err) {
  float ground = env.local_h;
  if (o->at_position) {
    float x = X_with_latlon(o->lat, o->lon), z = Z_with_lat(o->lat);
    int i = env.i_aircraft, j = env.j_aircraft;
    if (find_ijt_with_loc(x, z, &i, &j, 1)) ground = find_local_h(x, z, i, j);
  } else if (o->airport_start || o->start_ground) {
    return 1;
  }
  if (o->alt_ft * con.fttomtrs > ground) return 1;
  std::snprintf(err, FLY_ERR, "an air start at %g ft is not above the ground there at %.0f ft",
                o->alt_ft, ground * con.mtrstoft);
  return 0;
}

// The data file's groups, and the position sentences on the port that stands for the serial
// port: the flight writes both as the simulator does (every event tick, every whole second).
static void choose_outputs(const fly_options* o) {
  for (int g = 0; g < DATA_GROUPS; g++) set.Bdsk[g] = o->data_out[0] && o->groups[g];
  set_rlt_grf_choices();
  headless_set_serial_device(o->nmea[0] ? o->nmea : nullptr);
  MACIBM_serial_close();
  set.ser_NMEA = o->nmea[0] != '\0';
}

// An output written over the aircraft file or the script the run reads would destroy it, and two
// outputs in one file would spoil each other. Devices and pipes (/dev/null, a terminal) may be
// shared.
static int files_apart(const fly_options* o, char* err) {
  const struct {
    const char* option;
    const char* path;
  } f[] = {{"--aircraft", o->aircraft},     {"--script", o->script},     {"--csv", o->csv},
           {"--cycle-dump", o->cycle_dump}, {"--data-out", o->data_out}, {"--nmea", o->nmea}};
  const int inputs = 2, files = sizeof f / sizeof f[0];
  for (int b = inputs; b < files; b++) {
    std::error_code ec;
    if (!f[b].path[0] || (std::filesystem::exists(f[b].path, ec) &&
                          !std::filesystem::is_regular_file(f[b].path, ec)))
      continue;
    const std::filesystem::path out = std::filesystem::weakly_canonical(f[b].path, ec);
    for (int a = 0; a < b && !ec; a++) {
      std::error_code ea;
      if (!f[a].path[0] || std::filesystem::weakly_canonical(f[a].path, ea) != out || ea) continue;
      std::snprintf(err, FLY_ERR, "%s and %s both name the file %.250s", f[a].option, f[b].option,
                    f[b].path);
      return 0;
    }
  }
  return 1;
}

// The sentences go out through the serial port, opened at the first frame, whose failure would
// stop the run as a serial port's ("No such port"): a file that cannot be written is refused
// beforehand, as the other outputs are. A pipe or a terminal is left to that opening, since
// opening a pipe here would wait for its reader and then leave it.
static int nmea_writable(const char* path) {
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(path, ec);
  if (std::filesystem::is_fifo(st) || std::filesystem::is_character_file(st)) return 1;
  std::FILE* f = std::fopen(path, "a");
  if (!f) return 0;
  std::fclose(f);
  return 1;
}

int fly_run(const fly_options* o, std::FILE* out, std::FILE* errs) {
  static fly_script script;  // large; kept out of the stack
  char err[FLY_ERR];
  run_options = o;
  run_errs = errs;
  alert_hook_before = macibm_alert_hook;
  exit_hook_before = macibm_exit_hook;
  said_hook_before = atc_said_hook;
  script.count = 0;
  if (!files_apart(o, err)) return refuse(errs, err);
  if (o->script[0] && !fly_read_script(o->script, &script, err)) return refuse(errs, err);
  init_constants();  // the feet of the ground's elevation are converted before the world is set up
  fly_setup_world(o->ground_elev_ft * con.fttomtrs);
  summary_out = out;
  alert_seen = 0;
  macibm_alert_hook = stop_on_alert;
  macibm_exit_hook = exit_after_fatal;
  atc_said_hook = print_transmission;
  fly_forget_atc();
  if (o->cycle_dump[0]) {
    // The aircraft's analysis report goes to the same stream as the dump, as in the simulator.
    if (trk.is_open()) trk.close();
    trk.open(o->cycle_dump);
    if (!trk.is_open()) {
      std::snprintf(err, FLY_ERR, "cannot write %.250s", o->cycle_dump);
      return refuse(errs, err);
    }
    trk.setf(std::ios::fixed);
  }
  if (o->data_out[0]) {
    if (trk.is_open()) trk.close();
    trk.clear();
    trk.open(o->data_out);
    if (!trk.is_open()) {
      std::snprintf(err, FLY_ERR, "cannot write %.250s", o->data_out);
      return refuse(errs, err);
    }
    trk.setf(std::ios::fixed, std::ios::floatfield);
  }
  // Loading an aircraft file writes its analysis to the data stream, which the simulator opens as
  // "Kestrix.out" in the working folder: a run that asked for neither file must not replace one.
  if (!trk.is_open()) trk.open("/dev/null");
  if (o->airport_start && !fly_airport_world(o, err)) {
    if (alert_seen) return finish(FLY_ALERT, out, nullptr);
    return refuse(errs, err);
  }
  if (o->at_position) position_world(o);
  if (!fly_check_radios(o, &script, err)) return refuse(errs, err);
  if (!fly_load_aircraft(o->aircraft, err)) {
    if (alert_seen) return finish(FLY_ALERT, out, nullptr);
    return refuse(errs, err);
  }
  if (o->test_card) {
    if (!card_loads(o, err)) return refuse(errs, err);
    static fly_card card;
    progress_to = errs;
    card_progress_hook = o->progress ? tell_progress : nullptr;
    card_fly(&card);
    card_progress_hook = nullptr;
    return finish(card_print(&card, out, errs), out, nullptr);
  }
  if (!choose_loads(o, err) || !above_ground(o, err)) return refuse(errs, err);
  if (o->nmea[0] && !nmea_writable(o->nmea)) {
    std::snprintf(err, FLY_ERR, "cannot write %.250s", o->nmea);
    return refuse(errs, err);
  }
  std::FILE* csv = nullptr;
  if (o->csv[0]) {
    csv = std::fopen(o->csv, "w");
    if (!csv) {
      std::snprintf(err, FLY_ERR, "cannot write %.250s", o->csv);
      return refuse(errs, err);
    }
    fly_csv_header(csv);
  }

  fly_start(o);
  choose_outputs(o);
  // A notice raised while the flight was set up stops the run as one raised in flight does.
  if (alert_seen) return finish(FLY_ALERT, out, csv);
  fly_controls c = fly_start_controls(o);
  if (csv) fly_csv_row(csv);
  int next = 0, dumped = 0;
  long frames = std::lround(o->seconds / o->prd);
  for (long f = 0; f < frames; f++) {
    // The pilot's part: the script's commands as they fall due, then the frame.
    while (next < script.count && script.entry[next].t <= fly_time() + 1.0e-6f) {
      fly_apply_script(&c, &script.entry[next]);
      if (!fly_talk_to_atc(&script.entry[next++], err)) std::fprintf(errs, "kestrix-fly: %s\n", err);
    }
    if (o->ap_follow_atc) fly_follow_atc(&c);
    fly_set_controls(&c);
    if (o->cycle_dump[0] && !dumped && fly_time() + 1.0e-6f >= o->dump_at) {
      set.cycoutwaiting = 1;
      dumped = 1;
    }
    fly_frame();
    // A crash has restarted the flight elsewhere at rest: the history ends with the frame before.
    if (csv && flt.crashes == 0) fly_csv_row(csv);
    if (!fly_state_is_finite()) {
      std::fprintf(errs,
                   "kestrix-fly: the flight state stopped being a finite number, or ran away "
                   "beyond any flight, at t=%.3f s\n",
                   fly_time());
      return finish(FLY_NOT_FINITE, out, csv);
    }
    if (alert_seen) return finish(FLY_ALERT, out, csv);
    if (flt.crashes > 0) break;
  }
  return finish(alert_seen ? FLY_ALERT : FLY_OK, out, csv);
}
