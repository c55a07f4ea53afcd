// The per-frame control pipeline: mouse flying and the joystick, then the control laws from the
// yoke values to the commands (automatic yaw damping, autopilot, artificial stability, failures,
// trim), the surface deflections, the throttle lever and the touchdown actions.
#include "controls/local.h"

#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"

static float indicated_ms() { return flt.vind * con.ktstomsc; }

// An aircraft without a stall speed (none estimated) gets the full gain rather than a division by
// zero.
float automatic_gain() {
  if (pln.is_heli || !(msc.est_Vs > 0.0f)) return 1.0f;
  float r = indicated_ms() / msc.est_Vs;
  return 1.0f / fltlim(r * r, 1.0f, 100.0f);
}

float sideslip_share() {
  return msc.est_Vs > 0.0f ? fltlim(indicated_ms() / msc.est_Vs, 0.0f, 1.0f) : 1.0f;
}

// A helicopter flown without pedals: yaw-rate damping in the hover blends into sideslip damping as
// the speed reaches the stall speed. It damps what the pilot asks for with the keypad or a stick's
// twist rather than replacing it, or nothing could turn the helicopter in the hover.
static void helicopter_yaw_damping(float k) {
  if (!pln.is_heli || set.eq_ped || flt.onsurface) return;
  float f = sideslip_share();
  set.YK_hdng -= ((1.0f - f) * flt.R * 0.02f + f * flt.Beta * 0.02f) * k;
}

// The low-speed gains act fully up to ASloV and fade out by AShiV, where the high-speed gains have
// faded in. A schedule whose two speeds coincide switches at that speed.
static void stability_weights(float* w_lo, float* w_hi) {
  if (pln.AShiV > pln.ASloV) {
    *w_lo = fltlim(interp(pln.ASloV, 1.0f, pln.AShiV, 0.0f, flt.vind), 0.0f, 1.0f);
    *w_hi = fltlim(interp(pln.ASloV, 0.0f, pln.AShiV, 1.0f, flt.vind), 0.0f, 1.0f);
  } else {
    *w_lo = flt.vind <= pln.ASloV ? 1.0f : 0.0f;
    *w_hi = 1.0f - *w_lo;
  }
}

// Each axis drives towards a demanded angle (high speed) or rate (low speed) in proportion to the
// pilot's input, on top of that input. Yaw augmentation rests while the wheels steer on the ground.
static void artificial_stability(float k) {
  float w_lo, w_hi;
  stability_weights(&w_lo, &w_hi);
  float a = rel.stbaug ? k : 0.0f;
  float a_yaw = flt.onsurface ? 0.0f : a;
  float t = pln.hstbtrimmax > 0.0f ? flt.trim / pln.hstbtrimmax * 0.5f : 0.0f;

  float p = set.YK_ptch + t;
  float p_hi = (p * pln.ASmaxp2 - flt.Alpha) * pln.ASp2 * w_hi;
  float p_lo = (p * pln.ASmaxp1 - flt.Q) * pln.ASp1 * w_lo;
  set.FC_ptch = (p_hi + p_lo) * a + set.YK_ptch;
  float h = set.YK_hdng + 0.5f * flt.rud_trim;
  float h_hi = (h * pln.ASmaxh2 - flt.Beta) * pln.ASh2 * w_hi;
  float h_lo = (h * pln.ASmaxh1 - flt.R) * pln.ASh1 * w_lo;
  set.FC_hdng = (h_hi + h_lo) * a_yaw + set.YK_hdng;
  // Roll damps the roll rate at both ends of the schedule.
  float r = set.YK_roll + 0.5f * flt.ail_trim;
  float r_hi = (r * pln.ASmaxr2 - flt.P) * pln.ASr2 * w_hi;
  float r_lo = (r * pln.ASmaxr1 - flt.P) * pln.ASr1 * w_lo;
  set.FC_roll = (r_hi + r_lo) * a + set.YK_roll;
  set.FC_thro = set.YK_thro;
}

// Weak hydraulics weaken every surface; a broken connection leaves its surface at neutral.
static void control_failures() {
  set.FC_ptch = fltlim(set.FC_ptch * rel.hyd_rat * (rel.fc_elv ? 1.0f : 0.0f), -1.0f, 1.0f);
  set.FC_hdng = fltlim(set.FC_hdng * rel.hyd_rat * (rel.fc_rud ? 1.0f : 0.0f), -1.0f, 1.0f);
  set.FC_roll = fltlim(set.FC_roll * rel.hyd_rat * (rel.fc_ail ? 1.0f : 0.0f), -1.0f, 1.0f);
  set.FC_thro = fltlim(set.FC_thro, 0.0f, 1.0f);
}

// Trim acts through the surfaces after the failures, so a surface whose connection has failed is
// still moved by its trim. A trimmable stabiliser takes the pitch trim in the force pass instead.
static void apply_trim() {
  if (!pln.flyingstabEQ) set.FC_ptch = fltlim(set.FC_ptch + flt.trim, -1.0f, 1.0f);
  set.FC_hdng = fltlim(flt.rud_trim * 0.25f + set.FC_hdng, -1.0f, 1.0f);
  set.FC_roll = fltlim(flt.ail_trim * 0.1f + set.FC_roll, -1.0f, 1.0f);
}

static void deploy_armed_speedbrake() {
  if (pln.autosbrkEQ && flt.sbrk < 0.0f) flt.sbrk = 2.0f;
}

// On the first frame on the surface an armed speed brake deploys, automatic brakes set the
// parking brake and an engaged autopilot drops to heading select; reversers deploy the armed
// speed brake too. A flight finds the ground it starts on only in its first frame, after the
// first pass here: the surface the second pass sees is where the flight began, not a touchdown.
static void touchdown() {
  if (ctm.passes >= 2 && flt.onsurface && !ctm.prev_onsurface) {
    deploy_armed_speedbrake();
    if (pln.autofbrkEQ) set.parkbrake = 1.0f;
    if (ott.HDSLCT || ott.NAV[0] || ott.NAV[1] || ott.ALHOLD || ott.VVHOLD || ott.GS2 ||
        ott.ASHOLD) {
      ott_heading_only();
    }
  }
  ctm.prev_onsurface = flt.onsurface;
  if (ctm.passes < 2) ctm.passes++;
  for (int i = 0; i < MAX_ENGINES; i++) {
    if (flt.revving_thrust[i] && !ctm.prev_revving[i]) deploy_armed_speedbrake();
    ctm.prev_revving[i] = flt.revving_thrust[i];
  }
}

void control_laws() {
  float k = automatic_gain();
  helicopter_yaw_damping(k);
  autopilot_lateral(k);
  autopilot_vertical(k);
  autothrottle();
  set.YK_ptch = fltlim(set.YK_ptch, -1.0f, 1.0f);
  set.YK_roll = fltlim(set.YK_roll, -1.0f, 1.0f);
  set.YK_hdng = fltlim(set.YK_hdng, -1.0f, 1.0f);
  set.YK_thro = fltlim(set.YK_thro, 0.0f, 1.0f);
  artificial_stability(k);
  control_failures();
  apply_trim();
  set_deflections();
  touchdown();
}

// ---- Throttle lever --------------------------------------------------------------------------

// A helicopter's lever is its collective: blade pitch from flat at 0 to open at 1.
static int lever_is_collective() { return pln.is_heli && pln.collectEQ; }

void throttle_to_engines() {
  if (lever_is_collective()) {
    flt.proppitch[0] = interp(0.0f, pln.minpitch[0], 1.0f, pln.maxpitch[0], set.FC_thro);
    return;
  }
  for (int i = 0; i < intlim(pln.numen, 0, MAX_ENGINES); i++) flt.throrequest[i] = set.FC_thro;
}

// Without a joystick the mouse is the stick: pitch and roll follow the pointer's distance from the
// centre of the view, a hundred pixels for full deflection. Only a pointer that moved over the view
// steers, so the stick stays where it was left while the pilot clicks the panel, and the keypad
// yoke flies while the mouse rests.
static void mouse_flying() {
  int moved = mnw.mx != ctm.mouse_x || mnw.my != ctm.mouse_y;
  ctm.mouse_x = mnw.mx;
  ctm.mouse_y = mnw.my;
  if (!msc.mouse_is_joy || !moved) return;
  if (!set.view_is_fullscreen && mnw.my < PANEL_H) return;
  // The pointer goes to the controller's menu while it is up, not to the stick.
  if (atc.menu_up) return;
  set.MK_ptch = fltlim((con.cntry - mnw.my) / 100.0f, -1.0f, 1.0f);
  set.MK_roll = fltlim((mnw.mx - con.cntrx) / 100.0f, -1.0f, 1.0f);
}

void mouse_pointer_used() {
  ctm.mouse_x = mnw.mx;
  ctm.mouse_y = mnw.my;
}

void update_controls() {
  mouse_flying();
  MACIBM_getjoy(&set.YK_ptch, &set.YK_roll, &set.YK_hdng, &set.YK_thro, 0, 1);
  // Without a joystick throttle the lever is the pilot's throttle, moved by the keys and the panel.
  if (set.controls_type != 5) set.YK_thro = lever_get(LEVER_THROTTLE, 0);
  int pos = static_cast<int>(interp(0.0f, 4.0f, 1.0f, 52.0f, fltlim(set.YK_thro, 0.0f, 1.0f)));
  control_laws();

  // The joystick throttle moves the lever only when its position on the lever's scale changes, so
  // the keys can still set the throttle while the joystick's stays put; the autothrottle moves it
  // every frame, and letting the autothrottle go leaves the throttle where it was until the
  // joystick's is moved. The first frame of a flight only notes where the joystick's throttle
  // stands: the flight starts with its own power, and a stick without a throttle axis, which reads
  // as closed, would otherwise close the throttle at every start. Without a joystick throttle the
  // command was read from engine 1's lever, and the engines already have what their levers say:
  // copying it to all would drag separate levers along with engine 1's.
  if (pln.entype == ENGINE_NONE || pln.numen < 1) return;
  int joystick_moved = set.controls_type == 5 && ctm.lever_pos >= 0 && pos != ctm.lever_pos;
  // A joystick throttle left where it was does not command the engines: the lever does, and the
  // autothrottle starts from the lever when engaged, not from a stick throttle resting elsewhere.
  // The autothrottle leaves a collective alone (see autothrottle).
  int autothrottle_on = rel.otto && ott.ASHOLD && !lever_is_collective();
  if (autothrottle_on || joystick_moved)
    throttle_to_engines();
  else
    set.FC_thro = lever_get(LEVER_THROTTLE, 0);
  ctm.lever_pos = pos;
}
