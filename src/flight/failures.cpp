// Random and scheduled failures of the aircraft's systems, drawn once a second, and the hydraulic
// and oil pressure that failures and engine speed leave.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"

// Failure entries in the order they are drawn.
enum {
  FAIL_VACUUM = 0,
  FAIL_ASI = 1,  // 1..6: airspeed, horizon, altimeter, turn-slip, directional gyro, vertical speed
  FAIL_EFIS_1 = 7,
  FAIL_EFIS_2 = 8,
  FAIL_ENGINE = 9,
  FAIL_AIL = 10,
  FAIL_ELV = 11,
  FAIL_RUD = 12,
  FAIL_FLP = 13,
  FAIL_SLT = 14,
  FAIL_THR = 15,
  FAIL_GEAR = 16,  // 16..18: gear legs 0..2
  FAIL_HYDSYS = 19,
  FAIL_THRGOV = 20,
  FAIL_STBAUG = 21,
  FAIL_SYMFLP = 22,
  FAIL_STTRIM = 23,
  FAIL_REVLOK = 24,
  FAIL_ANTICE = 25,
  FAIL_OILPMP = 26,
  FAIL_CLIGHTS = 27,
  FAIL_OTTO = 28,
  FAIL_TROTOR = 29,
};

// When the hydraulic system and an oil pump failed, s of msc.elap_time.
struct failure_times {
  float hydsys;
  float oilpmp;
};
static failure_times fail_t;

void reset_failures() { fail_t = failure_times{}; }

// A uniform draw in (0, 1) from two of the generator's 15-bit values. One value alone cannot tell
// a chance below 1 in 32768 from none, so every mean time beyond about nine hours (32768 s) failed
// as often as that, and shorter ones were rounded towards it.
static double fine_chance() {
  return (intrand(0, 32767) * 32768.0 + intrand(0, 32767) + 0.5) / (32768.0 * 32768.0);
}

int failme(int i) {
  if (i < 0 || i >= FAIL_ENTRIES) return 0;
  int type = rel.fail_type[i];
  // A chance of one in the mean time's seconds, each second.
  if (type == 2 && fine_chance() * rel.fail_time_max[i] * 60.0 < 1.0) return 1;
  if (type == 3) return 1;
  // Two independent draws: a rate of r gives a chance of (r / 1000)^2 per second.
  float r = rel.total_fail_entry;
  return fltrand(0, 1000) < r && fltrand(0, 1000) < r ? 1 : 0;
}

// Entry i of a single system: drawn only while the system still works, so that a failure that is
// scheduled to happen now happens once, and its time and consequences are not set again every
// second.
static int draw_one(int i, int* works) {
  if (!*works || !failme(i)) return 0;
  *works = 0;
  return 1;
}

// Entry i of a per-engine item: drawn only while the item works on every engine, and then it fails
// on one engine picked at random. An aircraft without engines has none to fail.
static int draw_engine(int i, int works[MAX_ENGINES]) {
  int n = intlim(pln.numen, 0, MAX_ENGINES);
  if (n == 0) return 0;
  for (int e = 0; e < n; e++)
    if (!works[e]) return 0;
  if (!failme(i)) return 0;
  works[intrand(0, n - 1)] = 0;
  return 1;
}

// The working flag of each entry's item, 1 while it works; for a per-engine item the first of its
// MAX_ENGINES flags.
static int* const entry_works[FAIL_ENTRIES] = {
    &rel.vacuum,    &rel.ss_asi, &rel.ss_ahz, &rel.ss_alt,  &rel.ss_tsi,    &rel.ss_dgy,
    &rel.ss_vvi,    &rel.efis_1, &rel.efis_2, rel.engine,   &rel.fc_ail,    &rel.fc_elv,
    &rel.fc_rud,    &rel.fc_flp, &rel.fc_slt, &rel.fc_thr,  &rel.lagear[0], &rel.lagear[1],
    &rel.lagear[2], &rel.hydsys, rel.thrgov,  &rel.stbaug,  &rel.symflp,    &rel.sttrim,
    rel.revlok,     &rel.antice, rel.oilpmp,  &rel.clights, &rel.otto,      &rel.trotor};

static int per_engine(int i) {
  return i == FAIL_ENGINE || i == FAIL_THRGOV || i == FAIL_REVLOK || i == FAIL_OILPMP;
}

// This second's draw of entry i; 1 when its item failed now.
static int draw(int i) {
  return per_engine(i) ? draw_engine(i, entry_works[i]) : draw_one(i, entry_works[i]);
}

void draw_failures() {
  int major = 0;
  int engines = intlim(pln.numen, 0, MAX_ENGINES) > 0;
  if (pln.paneltype == 1 && draw(FAIL_VACUUM)) {
    rel.vac_death_time = msc.elap_time;
    // The dying horizon drifts by at least 10 degrees either way.
    rel.the_fail_err = fallout(fltrand(-40, 40), -10, 10);
    rel.phi_fail_err = fallout(fltrand(-20, 20), -10, 10);
    major = 1;
  }
  for (int g = 0; g < 6; g++) draw(FAIL_ASI + g);
  // The panel blanks a failed display.
  if (pln.paneltype == 2) {
    draw(FAIL_EFIS_1);
    draw(FAIL_EFIS_2);
  }
  major |= draw(FAIL_ENGINE);
  if (pln.ailnEQ) major |= draw(FAIL_AIL);
  major |= draw(FAIL_ELV);
  major |= draw(FAIL_RUD);
  if (pln.flapEQ) major |= draw(FAIL_FLP);
  if (pln.slatEQ) major |= draw(FAIL_SLT);
  if (engines) major |= draw(FAIL_THR);
  if (pln.gearEQ)
    for (int leg = 0; leg < GEAR_LEGS; leg++) major |= draw(FAIL_GEAR + leg);
  if (pln.ff_hydraulic && draw(FAIL_HYDSYS)) {
    fail_t.hydsys = msc.elap_time;
    major = 1;
  }
  major |= draw(FAIL_THRGOV);
  major |= draw(FAIL_STBAUG);
  if (pln.flapEQ) major |= draw(FAIL_SYMFLP);
  major |= draw(FAIL_STTRIM);
  if (pln.revthrustEQ) major |= draw(FAIL_REVLOK);
  if (pln.antiiceEQ) major |= draw(FAIL_ANTICE);
  if (draw(FAIL_OILPMP)) {
    fail_t.oilpmp = msc.elap_time;
    major = 1;
  }
  draw(FAIL_CLIGHTS);
  draw(FAIL_OTTO);
  if (pln.is_heli) draw(FAIL_TROTOR);

  if (major && pln.ecam) {
    // The caution is spoken: the pilot's switch for spoken warnings silences it.
    if (msc.warn_bb) play_buffer(14, 0);
    ins.ecam_mode = 7;
    flight_hooks.reset_ecam();
  }
}

// A new schedule for an entry starts its item afresh: working, on every engine for a per-engine
// item, without the horizon's drift a vacuum failure left. The pressures follow in the next
// second, from the switches.
void repair_failure(int i) {
  if (i < 0 || i >= FAIL_ENTRIES) return;
  for (int e = 0; e < (per_engine(i) ? MAX_ENGINES : 1); e++) entry_works[i][e] = 1;
  if (i == FAIL_VACUUM) rel.vac_death_time = rel.the_fail_err = rel.phi_fail_err = 0.0f;
}

// Rotation speed as a fraction of the maximum; an aircraft without a rotation speed (a glider)
// has none.
static float speed_ratio(float omega) { return pln.omegamax > 0.0f ? omega / pln.omegamax : 0.0f; }

// Hydraulic pressure from the engines driving the pumps: 0.7 at a standstill to 0.9 at full speed
// for an aeroplane, the rotor speed ratio for a helicopter. With every engine stopped in flight
// the ram-air turbine drops out and gives pressure with airspeed.
static float engine_hydraulics() {
  if (pln.is_heli) return speed_ratio(flt.tac[0]);
  if (pln.entype < ENGINE_PISTON || pln.entype > ENGINE_JET) return 1.0f;
  int n = intlim(pln.numen, 0, MAX_ENGINES);
  float sum = 0.0f;
  int running = 0;
  for (int e = 0; e < n; e++) {
    sum += pln.entype == ENGINE_JET ? flt.n1_[e] / 100.0f : speed_ratio(flt.tac[e]);
    running |= flt.eng_running[e];
  }
  float hyd = n > 0 ? 0.2f * sum / static_cast<float>(n) + 0.7f : 1.0f;
  if (!running && !flt.onsurface) {
    rel.RAT_on = 1;
    hyd = pln.Vne > 0.0f ? interp(0, 0, pln.Vne, 1, flt.vind) : 0.0f;
  }
  if (flt.h > 20000.0f) hyd = 1.0f;
  return hyd;
}

void update_pressures() {
  float hyd = pln.ff_hydraulic ? engine_hydraulics() : 1.0f;
  // After a failure of the system the pressure bleeds from 0.85 to nothing in 90 s.
  if (!rel.hydsys) hyd = 0.85f - 0.85f * clock_since(msc.elap_time, fail_t.hydsys) / 90.0f;
  rel.hyd_rat = std::isfinite(hyd) ? fltlim(hyd, 0.0f, 1.0f) : 0.0f;

  int pump_failed = 0;
  for (int e = 0; e < MAX_ENGINES; e++) pump_failed |= !rel.oilpmp[e];
  rel.oil_rat = pump_failed
                    ? 1.0f - fltlim(clock_since(msc.elap_time, fail_t.oilpmp) / 300.0f, 0.0f, 1.0f)
                    : 1.0f;
}
