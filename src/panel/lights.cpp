// The annunciator lights of the strip along the top of the panel: the stall light, the marker
// beacon lights, the caution lights (overspeed, ice, fuel, oil, hydraulics) and the parking-brake
// and reverser buttons, which light while engaged; and the switches of the equipment the aircraft
// has above the engine gauges: anti-ice, drag chute, take-off rockets and arresting hook.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"

// The stall light's place and colours (scene colours, so it dims with the cockpit light).
enum { STALL_X = 7, STALL_Y = 316, STALL_SIZE = 10, STALL_ON = 3, STALL_OFF = 27 };

void draw_stall_light(int on) {
  OGL_fillrect(on ? STALL_ON : STALL_OFF, STALL_X, STALL_Y, STALL_SIZE, STALL_SIZE);
}

static const panel_rect marker_rect[3] = {{56, 312, 16, 14}, {74, 312, 16, 14}, {92, 312, 16, 14}};
static const panel_rect park_rect = {116, 312, 34, 16};
static const panel_rect rev_rect = {154, 312, 30, 16};

void draw_marker_lights(const int lit[3], int full) {
  static const int colour[3] = {C_BLUE, C_AMBER, C_WHITE};
  static const char* const letter[3] = {"O", "M", "I"};
  static shown_values s;
  float v[3] = {static_cast<float>(lit[0]), static_cast<float>(lit[1]), static_cast<float>(lit[2])};
  if (!shown_changed(&s, v, 3, 0.5f, full)) return;
  for (int k = 0; k < 3; k++) draw_light(marker_rect[k], colour[k], lit[k], letter[k]);
}

// ---- Caution lights --------------------------------------------------------------------------

enum { CAUTIONS = 5 };

int fuel_low() {
  float fuel = pln.m_fuel > 0.0f ? flt.m_fuel / pln.m_fuel : 1.0f;
  return pln.numen > 0 && pln.entype != ENGINE_NONE && fuel < 0.1f;
}

// Overspeed from the redline in the indicator's units (or a surface already lost to it); ice
// building; a tenth of the fuel left; oil or hydraulic pressure below half.
static void caution_states(int on[CAUTIONS]) {
  on[0] = (pln.Vne > 0.0f && asi_speed() > pln.Vne) || wings_torn_off;
  on[1] = msc.icebld;
  on[2] = fuel_low();
  on[3] = pln.numen > 0 && pln.entype != ENGINE_NONE && rel.oil_rat < 0.5f;
  on[4] = pln.ff_hydraulic && rel.hyd_rat < 0.5f;
}

static void draw_cautions(int full) {
  static const panel_rect where[CAUTIONS] = {{4, 294, 36, 14},
                                             {42, 294, 24, 14},
                                             {68, 294, 30, 14},
                                             {100, 294, 24, 14},
                                             {126, 294, 24, 14}};
  static const char* const name[CAUTIONS] = {"OVSPD", "ICE", "FUEL", "OIL", "HYD"};
  static const int colour[CAUTIONS] = {C_RED, C_AMBER, C_AMBER, C_RED, C_RED};
  static shown_values s;
  int on[CAUTIONS];
  caution_states(on);
  float v[CAUTIONS];
  for (int i = 0; i < CAUTIONS; i++) v[i] = static_cast<float>(on[i]);
  if (!shown_changed(&s, v, CAUTIONS, 0.5f, full)) return;
  for (int i = 0; i < CAUTIONS; i++) draw_light(where[i], colour[i], on[i], name[i]);
}

// ---- Parking brake and reverser --------------------------------------------------------------

static void click_park(int arg, int x, int y, const panel_rect& r) { parkbrake_toggle(); }
static void click_rev(int arg, int x, int y, const panel_rect& r) { reverse_toggle(); }

// ---- Equipment switches ----------------------------------------------------------------------

enum { SW_ANTIICE, SW_CHUTE, SW_JATO, SW_HOOK, SWITCHES };
static const char* const switch_label[SWITCHES] = {"AICE", "CHUT", "JATO", "HOOK"};

static int switch_fitted(int sw) {
  const int fitted[SWITCHES] = {pln.antiiceEQ, pln.chuteEQ, pln.jatoEQ, pln.arrestingEQ};
  return fitted[sw];
}

static int* switch_flag(int sw) {
  int* flag[SWITCHES] = {&ins.antiice_on, &ins.chute_on, &ins.jato_on, &ins.hook_down};
  return flag[sw];
}

// The fitted switches side by side from the left; k counts the fitted ones before.
static panel_rect switch_rect(int k) {
  return {lay.switches.x + k * 27, lay.switches.y, 26, lay.switches.h};
}

// The rockets light once and burn out by themselves; the others switch on and off.
static void click_switch(int sw, int x, int y, const panel_rect& r) {
  int* flag = switch_flag(sw);
  if (sw == SW_JATO)
    *flag = *flag || flt.jatoleft > 0.0f;
  else
    *flag = !*flag;
}

void layout_lights() {
  add_hot_spot(park_rect, click_park, 0, 0);
  if (pln.revthrustEQ) add_hot_spot(rev_rect, click_rev, 0, 0);
  for (int sw = 0, k = 0; sw < SWITCHES; sw++)
    if (switch_fitted(sw)) add_hot_spot(switch_rect(k++), click_switch, sw, 0);
}

static void draw_switches(int full) {
  static shown_values s;
  float v[SWITCHES];
  for (int sw = 0; sw < SWITCHES; sw++) v[sw] = static_cast<float>(*switch_flag(sw) != 0);
  if (!shown_changed(&s, v, SWITCHES, 0.5f, full)) return;
  for (int sw = 0, k = 0; sw < SWITCHES; sw++)
    if (switch_fitted(sw)) draw_button(switch_rect(k++), switch_label[sw], v[sw] != 0.0f, C_GREEN);
}

void draw_strip_lights(int full) {
  if (full) OGL_string(C_WHITE, STALL_X + STALL_SIZE + 4, STALL_Y + 1, "STALL", 0, 0, 6);
  draw_cautions(full);
  draw_switches(full);
  static shown_values s;
  float v[2] = {static_cast<float>(set.parkbrake > 0.5f),
                static_cast<float>(pln.revthrustEQ && flt.revving_thrust[0])};
  if (!shown_changed(&s, v, 2, 0.5f, full)) return;
  draw_button(park_rect, "PARK", v[0] != 0.0f, C_RED);
  if (pln.revthrustEQ) draw_button(rev_rect, "REV", v[1] != 0.0f, C_AMBER);
}
