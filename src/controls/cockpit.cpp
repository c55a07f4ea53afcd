// The cockpit controls: what the panel's levers, handles, buttons, knobs and radios do. The keys
// that stand for them call the same functions, so a click and a key press always agree.
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "world/world.h"

// A helicopter's throttle lever is its collective: blade pitch from flat at 0 to open at 1.
static int lever_is_collective() { return pln.is_heli && pln.collectEQ; }

float lever_get(int lever, int engine) {
  int e = intlim(engine, 0, MAX_ENGINES - 1);
  float pos = 0.0f;
  switch (lever) {
    case LEVER_THROTTLE:
      if (!lever_is_collective()) {
        pos = flt.throrequest[e];
      } else if (pln.maxpitch[0] != pln.minpitch[0]) {
        pos = interp(pln.minpitch[0], 0.0f, pln.maxpitch[0], 1.0f, flt.proppitch[0]);
      }
      break;
    case LEVER_PROP:
      pos = pln.omegamax > pln.omegamin
                ? interp(pln.omegamin, 0.0f, pln.omegamax, 1.0f, flt.prop[e])
                : 1.0f;
      break;
    case LEVER_MIXTURE:
      pos = flt.mixt[e];
      break;
    case LEVER_SWEEP:
      pos = flt.sweerequest;
      break;
    case LEVER_VECTOR:
      pos = flt.vectrequest / 90.0f;
      break;
    case LEVER_FLAP:  // five detents of ten units
      pos = flt.flaprequest / 50.0f;
      break;
    case LEVER_SLAT:
      pos = flt.slatrequest;
      break;
    case LEVER_SBRK:  // armed, stowed, half and full at a third of the travel each
      pos = flt.sbrk < 0.0f ? 0.0f : (fltmin2(flt.sbrk, 1.0f) * 2.0f + 1.0f) / 3.0f;
      break;
    default:
      break;
  }
  return fltlim(pos, 0.0f, 1.0f);
}

// The lever's request follows the lever.
void lever_set(int lever, int engine, float pos) {
  pos = fltlim(pos, 0.0f, 1.0f);
  int first = engine < 0 ? 0 : intlim(engine, 0, MAX_ENGINES - 1);
  int last = engine < 0 ? intlim(pln.numen, 0, MAX_ENGINES) - 1 : first;
  for (int e = first; e <= last; e++) {
    // A collective sets the blade pitch; the governor keeps the throttles.
    if (lever == LEVER_THROTTLE && !lever_is_collective()) flt.throrequest[e] = pos;
    if (lever == LEVER_PROP) flt.prop[e] = interp(0.0f, pln.omegamin, 1.0f, pln.omegamax, pos);
    if (lever == LEVER_MIXTURE) flt.mixt[e] = pos;
  }
  if (lever == LEVER_THROTTLE && lever_is_collective())
    flt.proppitch[0] = interp(0.0f, pln.minpitch[0], 1.0f, pln.maxpitch[0], pos);
  if (lever == LEVER_SWEEP) flt.sweerequest = pos;
  if (lever == LEVER_VECTOR) flt.vectrequest = intround(pos * 90.0f);
  if (lever == LEVER_FLAP) flt.flaprequest = intround(pos * 5.0f) * 10;
  if (lever == LEVER_SLAT) flt.slatrequest = intround(pos * 2.0f) * 0.5f;
  if (lever == LEVER_SBRK) {
    static const float detent[4] = {-1.0f, 0.0f, 0.5f, 1.0f};
    flt.sbrk = detent[intround(pos * 3.0f)];
    if (flt.sbrk < 0.0f && !pln.autosbrkEQ) flt.sbrk = 0.0f;
  }
}

void reverse_toggle() {
  if (!pln.revthrustEQ) return;
  int on = !flt.revving_thrust[0];
  for (int e = 0; e < intlim(pln.numen, 0, MAX_ENGINES); e++) flt.revving_thrust[e] = on;
}

// The legs follow the handle one after the other.
void gear_toggle() {
  if (!pln.retractEQ) return;
  set.gear_handle = !set.gear_handle;
  for (int k = 0; k < GEAR_LEGS; k++)
    set.gear_time[k] = clock_after(msc.elap_time, 4.0f + k);
  play_buffer(5, 0);
}

void parkbrake_toggle() { set.parkbrake = set.parkbrake > 0.5f ? 0.0f : 1.0f; }

void trim_step(int axis, int dir) {
  if (axis == 0 && rel.sttrim)
    flt.trim = fltlim(flt.trim + dir * 0.05f * pln.hstbtrimmax, -pln.hstbtrimmax, pln.hstbtrimmax);
  if (axis == 1) flt.ail_trim = fltlim(flt.ail_trim + dir * 0.05f, -1.0f, 1.0f);
  if (axis == 2) flt.rud_trim = fltlim(flt.rud_trim + dir * 0.05f, -1.0f, 1.0f);
}

// Each mode engages at the present state.
void autopilot_button(int mode) {
  int* flag[AP_MODES] = {&ott.HDSLCT, &ott.NAV[0], &ott.NAV[1], &ott.ALHOLD,
                         &ott.VVHOLD, &ott.GS2,    &ott.ASHOLD};
  if (mode < 0 || mode >= AP_MODES) return;
  int on = !*flag[mode];
  if (on && mode <= AP_NAV2) ott.HDSLCT = ott.NAV[0] = ott.NAV[1] = 0;
  *flag[mode] = on;
  if (!on) return;
  if (mode == AP_ALT) {
    ott.al_hold = flt.h_ind;
    if (ott.vv_hold == 0.0f) ott.vv_hold = 500.0f * con.fpmtomsc;
  }
  if (mode == AP_VS) ott.vv_hold = flt.vu;
  if (mode == AP_SPD) ott.as_hold = flt.vind;
}

void knob_step(int knob, int dir) {
  if (knob == KNOB_HDG_BUG) nav.hdsel = fltwrap(nav.hdsel + dir, 0.0f, 360.0f);
  if (knob == KNOB_OBS1) nav.obs[0] = fltwrap(nav.obs[0] + dir, 0.0f, 360.0f);
  if (knob == KNOB_OBS2) nav.obs[1] = fltwrap(nav.obs[1] + dir, 0.0f, 360.0f);
  if (knob == KNOB_AP_ALT) ott.al_hold = fltmax2(ott.al_hold + dir * 100.0f * con.fttomtrs, 0.0f);
  if (knob == KNOB_AP_VS) ott.vv_hold += dir * 100.0f * con.fpmtomsc;
  if (knob == KNOB_AP_SPD) ott.as_hold = fltmax2(ott.as_hold + dir, 0.0f);
}

void tune_radio(int radio, int part, int dir) {
  if (radio < 0 || radio >= RADIO_COUNT) return;
  if (radio <= RADIO_COM2) {
    int* f = radio <= RADIO_NAV2 ? &nav.nf[radio - RADIO_NAV1] : &nav.cf[radio - RADIO_COM1];
    int lo = radio <= RADIO_NAV2 ? 108 : 118, hi = radio <= RADIO_NAV2 ? 117 : 136;
    int mhz = intlim(*f / 100, lo, hi), frac = intlim(*f % 100, 0, 99);
    if (part == 0) mhz = intwrap(mhz + dir, lo, hi);
    if (part == 1) frac = intwrap(frac + 5 * dir, 0, 99);
    *f = mhz * 100 + frac;
  } else if (radio == RADIO_ADF && part >= 0 && part <= 2) {
    int d[3] = {nav.adff / 100 % 10, nav.adff / 10 % 10, nav.adff % 10};
    d[part] = intwrap(d[part] + dir, 0, 9);
    nav.adff = d[0] * 100 + d[1] * 10 + d[2];
  } else if (radio == RADIO_XPDR && part >= 0 && part <= 3) {
    int* t[4] = {&nav.tran1, &nav.tran2, &nav.tran3, &nav.tran4};
    *t[part] = intwrap(intlim(*t[part], 0, 7) + dir, 0, 7);
  }
}

// Selecting the receiver heard already silences it.
void audio_select(int receiver) {
  if (receiver != 0 && receiver != 1 && receiver != 4) return;
  nav.radout = nav.radout == receiver ? 2 : receiver;
}

void gps_target_step(int dir) {
  if (env.apt_list_max < 0) return;
  int k = 0;
  for (int i = 0; i <= env.apt_list_max; i++)
    if (apt_to_index[i] == nav.gps_index) k = i;
  k = intwrap(k + dir, 0, env.apt_list_max);
  nav.gps_index_mode = 1;
  nav.gps_index = nav.gps_apt_index = apt_to_index[k];
  for (int i = 0; i < 4; i++) nav.gps_id[i] = char_to_code(apt_id[nav.gps_index][i]);
}
