// Shared set-up of the flight tests: clean records and still sea-level air, hand-built discs and
// engines for the engine and contact tests, and the sample aircraft flown through the runner.
#pragma once

#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "aircraft/aircraft.h"
#include "app/headless/joystick.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// Every record reset, the constants filled and standard sea level air; the runner finds the data
// folders where the build lays them out.
class FlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    macibm_program_folder = KESTRIX_RUNTIME_DIR "/";
    reset_world_state();
    init_constants();
    reset_set_a_memory();
    atm.rho = 1.225f, atm.crtsig = 1.0f, atm.a = 340.3f, atm.g = con.g, atm.temp_SL = 59.0f;
    msc.prd = 0.05f;
  }
};

// What was written to the scratch files out and errs, as text; both are closed.
inline void read_outputs(std::FILE* out, std::FILE* errs, std::string* out_text,
                         std::string* errs_text) {
  for (auto [f, s] : {std::make_pair(out, out_text), std::make_pair(errs, errs_text)}) {
    std::rewind(f);
    char buf[4096];
    s->clear();
    while (std::fgets(buf, sizeof buf, f)) *s += buf;
    std::fclose(f);
  }
}

// kestrix-fly's command line `args` parsed into *o, after "--aircraft aircraft" when one is given.
inline int parse_args(std::initializer_list<const char*> args, fly_options* o, char* err,
                      const char* aircraft = nullptr) {
  const char* argv[32] = {"kestrix-fly", "--aircraft", aircraft};
  int argc = aircraft ? 3 : 1;
  for (const char* a : args) argv[argc++] = a;
  return fly_parse_args(argc, argv, o, err);
}

// The threshold of runway 0 of airport n, where a takeoff starts, in world X and Z.
inline void runway_threshold(int n, double* x, double* z) {
  const int h = apt_hdng[n][0];
  const float half = 0.5f * apt_len[n][0];
  *x = X_with_latlon(apt_lat[n][0], apt_lon[n][0]) - half * isin(h);
  *z = Z_with_lat(apt_lat[n][0]) + half * icos(h);
}

// The built-in aircraft `name` in the air over the flat world, as the runner starts it.
inline fly_options start_builtin(const char* name, float alt_ft, float kias, float prd = 0.05f) {
  fly_setup_world(0.0f);
  EXPECT_TRUE(fly_builtin_aircraft(name)) << name;
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = alt_ft, o.kias = kias, o.prd = prd;
  fly_start(&o);
  return o;
}

// Loads the sample aircraft `name` from the build's data folder.
inline bool load_sample(const char* name) {
  char path[1000], err[FLY_ERR] = "";
  std::snprintf(path, sizeof path, "%s/aircraft/%s.acf", KESTRIX_RUNTIME_DIR, name);
  bool ok = fly_load_aircraft(path, err);
  EXPECT_TRUE(ok) << name << ": " << err;
  return ok;
}

// Stops every engine for good: failed, closed and cut off, so that no governor or idle thrust
// feeds energy in (the propellers still windmill).
inline void engines_off() {
  for (int i = 0; i < MAX_ENGINES; i++) {
    rel.engine[i] = flt.eng_running[i] = 0;
    flt.thro[i] = flt.throrequest[i] = flt.mixt[i] = 0.0f;
  }
}

inline float ground_speed() { return static_cast<float>(std::hypot(flt.vX, flt.vZ)); }

// Flies s seconds of frames; false as soon as the state stops being finite.
inline bool fly_seconds(float s) {
  for (long n = std::lround(s / msc.prd); n > 0; n--) {
    fly_frame();
    if (!fly_state_is_finite()) return false;
  }
  return true;
}

// The flight starts' world: a region at 34 N 118 W flat at `ground` without ships or buildings
// (the world tables outlive the records' resets), and an aeroplane with one engine, retractable
// gear holding it 1.5 m up and a stall speed of 30 m/s.
inline void start_region(float ground) {
  reset_world_state();
  init_constants();
  headless_joy_reset();
  std::memset(obs_type, 0, sizeof obs_type);
  std::memset(frig_on_poly, 0, sizeof frig_on_poly);
  std::memset(carr_on_poly, 0, sizeof carr_on_poly);
  std::memset(oilr_on_poly, 0, sizeof oilr_on_poly);
  env.lat_sou = 34, env.lon_wes = -118;
  for (auto& col : env.lonwes_ref) col[0] = col[1] = -118.0f;
  float dx = 60.0f * con.nmtomtrs * std::cos(35.0f * con.degtorad) / 59.0f;
  float dz = 60.0f * con.nmtomtrs / 79.0f;
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++)
      planexyz[i][j][0] = i * dx, planexyz[i][j][1] = ground, planexyz[i][j][2] = -j * dz;
  pln.gearEQ = pln.retractEQ = 1, pln.h_eqlbm = 1.5f, pln.numen = 1;
  pln.omegamin = 60.0f, pln.omegamax = 260.0f, msc.est_Vs = 30.0f;
}

// Every record cleared, constants filled, still sea-level air, level ground at height 0 under the
// aircraft (grid vertices 100 m apart), frame sub-step 0.025 s.
inline void reset_flight_world() {
  reset_world_state();
  init_constants();
  reset_props();
  atm.rho = 1.225f, atm.crtsig = 1.0f, atm.a = 340.0f, atm.baro = 29.92f, atm.temp_SL = 59.0f;
  msc.prd = 0.025f, flt.costhe = flt.cosphi = flt.cospsi = flt.cosalph = flt.cosbeta = 1.0f;
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++)
      planexyz[i][j][0] = 100.0f * i, planexyz[i][j][2] = -100.0f * j;
  env.i_aircraft = 89, env.j_aircraft = 79;
  flt.X = 8950.0, flt.Z = -7950.0;
}

inline void clear_accumulators() {
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = flt.L = flt.M = flt.N = 0.0f;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
}

// Disc i: `blades` blades of radius R and chord c in 4 rings, all at blade angle `twist`, turning
// in sense dir, axis canted up by `cant` degrees; areas and inertia as the loader derives them;
// a thin section with lift slope 0.1 per degree stalling at 12 degrees.
inline void make_disc(int i, float R, float c, float blades, float twist, int dir, int cant) {
  pln.semilen[i] = R, pln.els[i] = 4, pln.numblades[i] = blades, pln.propdir[i] = dir;
  pln.vertcant[i] = static_cast<float>(cant);
  pln.sin_vertcant[i] = isin(cant), pln.cos_vertcant[i] = icos(cant), pln.cos_sidecant[i] = 1.0f;
  for (int e = 0; e < 4; e++) {
    pln.s[i][e] = c * R / 4, pln.mac[i][e] = c, pln.anginc[i][e] = twist;
    pln.ringarea[i][e] = con.pi * R * R * (2 * e + 1) / 16;
  }
  pln.discarea[i] = con.pi * R * R;
  pln.miprop[i] = R * c * c * 0.15f * 0.75f * 300.0f * blades * 0.5f * R * R;
  for (int n = 0; n < AFL_CD_ROWS; n++) {
    float deg = n <= 200 ? n / 10.0f : n - 180.0f, over = fltmax2(deg - 12.0f, 0.0f);
    afl.cdpos[i][0][0][n] = afl.cdneg[i][0][0][n] = 0.012f + 0.02f * over;
    if (n >= 100) afl.clpos[i][0][0][n - 100] = 0.1f * (deg - over) - 0.02f * over;
    if (n >= 100) afl.clneg[i][0][0][n - 100] = -afl.clpos[i][0][0][n - 100];
  }
  afl.clM[i][0][0] = 0.1f, afl.cmal2[i][0][0] = -5.0f, afl.cmal3[i][0][0] = 5.0f;
  pln.al_D_al0[i] = pln.cl_D_cl0[i] = pln.cm_D_cm0[i] = pln.e[i] = 1.0f, pln.AR[i] = 10.0f;
  flt.alpha_max[i] = 12.0f, flt.slat_effect[i] = flt.CLgrndeffect[i] = flt.CDIgrndeffect[i] = 1.0f;
}

// Engine 0: a running piston engine of pmax W, idle 60 and rated 270 rad/s, at full throttle.
inline void make_piston_engine(float pmax) {
  pln.entype = pln.numen = 1, pln.pmax = pmax, pln.omegamin = 60.0f;
  pln.omegamax = flt.tac[0] = 270.0f, flt.eng_running[0] = 1;
  flt.thro[0] = flt.mixt_powr_rat[0] = 1.0f;
}
