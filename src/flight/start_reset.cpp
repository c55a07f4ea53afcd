// The clean start of a flight from its place: everything the last flight left behind forgotten,
// terrain clearance, motion along the heading, controls and levers, failures, autopilot,
// controller dialogue and path; and the engine power and landing gear of a start.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

void initpower(float p) {
  for (int i = 0; i < intlim(pln.numen, 0, MAX_ENGINES); i++) {
    flt.throrequest[i] = flt.thro[i] = p;
    flt.prop[i] = pln.omegamax;
    flt.mixt[i] = 1.0f;
    flt.tac[i] =
        pln.is_heli ? pln.omegamax : pln.omegamin + std::sqrt(p) * (pln.omegamax - pln.omegamin);
    flt.mpr[i] = 10.0f + 20.0f * p;
    flt.n1_[i] = 40.0f + 60.0f * p;
    flt.ff_[i] = 0.0f;
    flt.egt[i] = EXHAUST_AT_HOTTEST * p;
    flt.parteqlbmthrust[i] = p;
    // Near idle the engine counts as just turning over, with the jet spool at rest.
    if (p < 0.1f) {
      flt.tac[i] = 1.0f;
      flt.n1_[i] = 0.0f;
      flt.parteqlbmthrust[i] = 0.0f;
    }
    flt.proppitch[i] = interp(0.0f, pln.minpitch[i], 1.0f, pln.maxpitch[i], flt.thro[i]);
    flt.thrust[i] = 0.0f;
    flt.trq[i] = 0.0f;
    flt.DVinc[i] = 10.0f;
    for (int e = 0; e < MAX_ELS; e++) {
      flt.ringDVinc[i][e] = 10.0f;
      flt.ringthrust[i][e] = 0.0f;
    }
  }
  // A helicopter's tail rotor is geared to the main rotor: it starts at the speed the gearing
  // gives, or the first frame would spin it up from rest with energy from nowhere.
  if (pln.is_heli) flt.tac[1] = rel.trotor ? flt.tac[0] * pln.trotor_rat : 1.0f;
}

void setgear(int down) {
  set.gear_handle = pln.retractEQ ? down : 1;
  for (int k = 0; k < GEAR_LEGS; k++) set.gear_stat[k] = set.gear_handle;
  set.parkbrake = down == 1 ? 1.0f : 0.0f;
}

static float sin_deg(float d) { return std::sin(d * con.degtorad); }
static float cos_deg(float d) { return std::cos(d * con.degtorad); }

// ---- Steps of the start ----------------------------------------------------------------------

// Never inside the ground: a start below the terrain under it rests on its gear instead. Outside
// the loaded grid there is no terrain to compare with.
static void clear_terrain() {
  if (!find_ijt_with_loc(static_cast<float>(flt.X), static_cast<float>(flt.Z), &env.i_aircraft,
                         &env.j_aircraft, 1)) {
    return;
  }
  env.local_h = find_local_h(static_cast<float>(flt.X), static_cast<float>(flt.Z), env.i_aircraft,
                             env.j_aircraft);
  if (flt.Y < env.local_h + pln.h_eqlbm) flt.Y = env.local_h + pln.h_eqlbm;
}

// Motion along the heading and pitch (whole degrees), level wings, and every angle's derived
// forms, so the first frame's force pass reads a consistent state.
static void set_attitude_and_motion(float v) {
  int psi = intwrap(intround(flt.psi), 0, 359);
  int the = intwrap(intround(flt.the), 0, 359);
  flt.vX = isin(psi) * v;
  flt.vZ = icos(psi) * v;
  flt.vY = isin(the) * v;
  flt.v = v;
  flt.h = static_cast<float>(flt.Y);
  flt.h_ind = flt.h + (ins.baro - atm.baro) * 1000.0f * con.fttomtrs;
  flt.psi_int = static_cast<int>(flt.psi);
  flt.phi = 0.0f;
  flt.the180 = fltwrap(flt.the, -180.0f, 180.0f);
  flt.psi180 = fltwrap(flt.psi, -180.0f, 180.0f);
  flt.phi180 = 0.0f;
  flt.sinthe = sin_deg(flt.the), flt.costhe = cos_deg(flt.the);
  flt.sinpsi = sin_deg(flt.psi), flt.cospsi = cos_deg(flt.psi);
  flt.sinphi = 0.0f, flt.cosphi = 1.0f;
  flt.sinphi_path = 0.0f, flt.cosphi_path = 1.0f;
  con.sinPLANthe = flt.sinthe, con.cosPLANthe = flt.costhe;
  con.sinPLANpsi = flt.sinpsi, con.cosPLANpsi = flt.cospsi;
  con.sinPLANphi = 0.0f, con.cosPLANphi = 1.0f;
  // Latitude and longitude as the frame derives them, so they are right before the first frame.
  flt.lat = env.lat_sou - (static_cast<float>(flt.Z) - env.hiz) * con.mtrstonm / 60.0f;
  float c = cos_deg(flt.lat);
  if (c > 0.0f) {
    flt.lon = env.lon_wes + (static_cast<float>(flt.X) - env.lox) * con.mtrstonm / (60.0f * c);
  }
}

static void zero_rates_and_forces() {
  msc.cntr = msc.cntr10 = 0;
  flt.wired = 0;
  ins.chute_on = 0;
  flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0.0f;
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0.0f;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
  flt.L = flt.M = flt.N = 0.0f;
  flt.P = flt.Q = flt.R = 0.0f;
  flt.Prad = flt.Qrad = flt.Rrad = 0.0f;
  flt.Pdot = flt.Qdot = flt.Rdot = 0.0f;
  flt.Alpha = flt.Beta = flt.vpath = 0.0f;
  flt.sinalph = flt.sinbeta = flt.sinvpath = 0.0f;
  flt.cosalph = flt.cosbeta = flt.cosvpath = 1.0f;
  flt.vu = flt.av = flt.Qstatic = flt.Qratio = 0.0f;
  flt.hpath = flt.psi;
  flt.sinhpath = flt.sinpsi, flt.coshpath = flt.cospsi;
}

static void centre_controls_and_levers() {
  flt.trim = 0.0f;
  flt.slat = flt.slatrequest = 0.0f;
  flt.sbrk = 0.0f;
  flt.flap = flt.flaprequest = 0;
  flt.swee = flt.sweerequest = pln.autosweepEQ ? 1.0f : 0.0f;
  if (!pln.is_heli && pln.vectEQ) {
    flt.vectrequest = 0;
    for (int i = 0; i < MAX_ENGINES; i++) pln.vertcant[i] = 0.0f;
  }
  flt.ail_trim = flt.rud_trim = 0.0f;

  ins.flap = 127;
  ins.slat = ins.sbrk = ins.swee = 113;
  ins.vect = 126;
  for (int i = 0; i < MAX_ENGINES; i++) {
    ins.prop[i] = ins.mixt[i] = 39;
    float lo = pln.revthrustEQ ? -0.33f : 0.0f;
    ins.thro[i] = static_cast<int>(interp(lo, 4.0f, 1.0f, 52.0f, flt.throrequest[i]));
  }
  // A collective lever shows blade pitch, full down at the flat pitch.
  if (pln.collectEQ && pln.maxpitch[0] != pln.minpitch[0]) {
    ins.thro[0] =
        static_cast<int>(interp(pln.maxpitch[0], 4.0f, pln.minpitch[0], 52.0f, flt.proppitch[0]));
  }
}

// Every failure switch back to working; the failure settings stay as the pilot chose them.
static void repair_everything() {
  rel.vacuum = 1;
  rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
  rel.efis_1 = rel.efis_2 = 1;
  rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.fc_flp = rel.fc_slt = rel.fc_thr = 1;
  for (int i = 0; i < MAX_ENGINES; i++) {
    rel.engine[i] = rel.thrgov[i] = rel.revlok[i] = rel.oilpmp[i] = 1;
  }
  for (int k = 0; k < GEAR_LEGS; k++) rel.lagear[k] = 1;
  rel.hydsys = rel.stbaug = rel.symflp = rel.sttrim = 1;
  rel.antice = rel.clights = rel.otto = rel.trotor = 1;
  // And what the failures had brought: pressures back to full, the ram-air turbine stowed, the
  // horizon's tumble gone.
  rel.hyd_rat = rel.oil_rat = 1.0f;
  rel.RAT_on = 0;
  rel.vac_death_time = rel.the_fail_err = rel.phi_fail_err = 0.0f;
}

static void restart_dialogue_and_displays() {
  start_atc_dialogue();

  forcecall(33, 0, 0, 0);
  con.VIEW_xyz[0] = static_cast<float>(flt.X);
  con.VIEW_xyz[1] = static_cast<float>(flt.Y);
  con.VIEW_xyz[2] = static_cast<float>(flt.Z);
  ins.EFIS_wxr = ins.EFIS_tcas = 1;
  ins.ecam_mode = 3;
  ins.lock_GPS = 1;
  ott.NAV[0] = ott.NAV[1] = 0;
  ott.HDSLCT = ott.GS2 = ott.VVHOLD = ott.ALHOLD = ott.ASHOLD = 0;
}

static void restart_path_and_counters() {
  flt.jatoleft = pln.jatodur;
  ins.jato_on = 0;
  // The first frame runs every periodic pass, and the time spent starting is not measured.
  msc.evup = 1;
  msc.event = 1;
  mnw.mousedown = 0;
  ins.hook_down = 0;
  ins.antiice_on = 0;
  msc.ice = 0.0f;
  set.ah_bar_adjust = 0.0f;
  for (int k = 0; k < STRIKES; k++) atm.strike_t_exp[k] = -1.0f;
}

// A crash starts the new flight from inside the force pass, which goes on to divide by the mass:
// the total is made at once.
void take_on_loads() {
  flt.m_fixed = set.load_fixed;
  flt.m_fuel = set.load_fuel;
  flt.m_jettison = set.load_jettison;
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
}

// Whatever the last flight left in the flight state and in the memories the frame keeps from one
// frame to the next starts afresh, so that a flight flies exactly as the first of the program
// would. The count of crashes is the program's, not the flight's.
static void forget_last_flight() {
  int crashes = flt.crashes;
  reset_flt();
  flt.crashes = crashes;
  take_on_loads();
  reset_pat();
  reset_set_a_memory();
  reset_props();
  start_periodic_checks();
  reset_failures();
  reset_glide_slope_warning();
  reset_serial_outputs();
  reset_exact_clocks();
  reset_turbulence();
  reset_ctm();
  flight_hooks.new_flight();
}

int start_is_airborne() {
  return flt.v > 0.0f && flt.cat_stage == 5 && flt.Y > env.local_h + pln.h_eqlbm + 3.0f;
}

void start_flight_state(const start_place* s) {
  forget_last_flight();
  // Repaired before the engines start: a helicopter's tail rotor turns only with its drive.
  repair_everything();
  initpower(s->power);
  setgear(s->gear);
  flt.cat_stage = s->cat_stage;
  flt.X = s->X;
  flt.Y = s->Y;
  flt.Z = s->Z;
  flt.psi = fltwrap(s->psi, 0.0f, 360.0f);
  flt.the = fltwrap(s->the, 0.0f, 360.0f);
  clear_terrain();

  flt.over_vfe = 0;
  wings_torn_off = 0;
  flt.vind = 0.0f;
  set.view_type = VIEW_FORWARDS;
  set.view_is_fullscreen = 0;
  for (int w = 1; w <= 28; w++) MACIBM_killwind(w);

  set_attitude_and_motion(s->v);
  zero_rates_and_forces();
  centre_controls_and_levers();
  restart_dialogue_and_displays();
  restart_path_and_counters();
  // UTC before the first frame's clocks: that frame's data-file line, controller and dump read it.
  msc.zulu_time = zulu_for_local(msc.locl_time);
  // The air and gravity at the start's height, so that nothing before the first frame reads the
  // last place's.
  set_air_at_aircraft();
  atm.g = con.muearth / sqr(flt.h + con.rearth);
  // The wind of the start's own layer and height, turned by the variation there: the wind the
  // last flight left at its place would blow on this one until the filter had let it go.
  env.mvar = find_var(flt.lat, flt.lon);
  set_wind_at_aircraft();
  // A start in flight has its speed through the air and moves with the air as well: a tailwind
  // would otherwise start an approach below the stall.
  if (start_is_airborne()) {
    flt.vX += atm.wind_X;
    flt.vZ += atm.wind_Z;
  }
  MACIBM_invalwind(WIN_MAIN);
}
