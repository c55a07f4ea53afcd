// The autopilot along the top of the panel: a button per mode, lit while engaged, and under it
// the value the mode holds, stepped by a click on its upper or lower half.
#include <cstdio>

#include "aircraft/aircraft.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "world/world.h"

static const char* const mode_name[AP_MODES] = {"HDG", "NAV1", "NAV2", "ALT", "VS", "GS", "SPD"};
// The knob each mode's readout steps; -1 for none.
static const int mode_knob[AP_MODES] = {KNOB_HDG_BUG, KNOB_OBS1, KNOB_OBS2,  KNOB_AP_ALT,
                                        KNOB_AP_VS,   -1,        KNOB_AP_SPD};

static panel_rect button_rect(int mode) { return {192 + mode * 59, 312, 55, 16}; }
static panel_rect readout_rect(int mode) { return {192 + mode * 59, 294, 55, 16}; }

static int engaged(int mode) {
  switch (mode) {
    case AP_HDG:
      return ott.HDSLCT;
    case AP_NAV1:
      return ott.NAV[0];
    case AP_NAV2:
      return ott.NAV[1];
    case AP_ALT:
      return ott.ALHOLD;
    case AP_VS:
      return ott.VVHOLD;
    case AP_GS:
      return ott.GS2;
    default:
      return ott.ASHOLD;
  }
}

// What each readout shows, in the units the pilot sets it in; the speed in those of the airspeed
// indicator, which the mode engages at.
static float readout_value(int mode) {
  switch (mode) {
    case AP_HDG:
      return nav.hdsel;
    case AP_NAV1:  // with a GPS, the course its LCK button set, which the mode steers
      return supp_is_nav1() ? nav.obs[0] : mag_from_true(nav.gps_lock_crs);
    case AP_NAV2:
      return nav.obs[1];
    case AP_ALT:
      return ott.al_hold * con.mtrstoft;
    case AP_VS:
      return ott.vv_hold * con.msctofpm;
    case AP_SPD:
      return pln.asi_units == 1 ? ott.as_hold * con.nm_to_sm : ott.as_hold;
    default:
      return 0.0f;
  }
}

static void click_button(int mode, int x, int y, const panel_rect& r) { autopilot_button(mode); }

static void click_readout(int knob, int x, int y, const panel_rect& r) {
  knob_step(knob, y >= r.y + r.h / 2 ? 1 : -1);
}

void layout_strip() {
  layout_lights();
  for (int m = 0; m < AP_MODES; m++) {
    add_hot_spot(button_rect(m), click_button, m, 0);
    if (mode_knob[m] >= 0 && (m != AP_NAV1 || supp_is_nav1()))
      add_hot_spot(readout_rect(m), click_readout, mode_knob[m], 1);
  }
}

void draw_strip(int full) {
  draw_strip_lights(full);
  static shown_values s;
  float v[2 * AP_MODES + 1];
  for (int m = 0; m < AP_MODES; m++) {
    v[m] = static_cast<float>(engaged(m));
    v[AP_MODES + m] = static_cast<float>(intround(readout_value(m)));
  }
  v[2 * AP_MODES] = static_cast<float>(rel.otto);
  if (!shown_changed(&s, v, 2 * AP_MODES + 1, 0.5f, full)) return;
  for (int m = 0; m < AP_MODES; m++) {
    // An engaged mode of a failed autopilot shows red: it does nothing.
    draw_button(button_rect(m), mode_name[m], engaged(m), rel.otto ? C_GREEN : C_RED);
    panel_rect r = readout_rect(m);
    OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
    if (mode_knob[m] < 0) continue;
    char t[16];
    int value = intround(readout_value(m));
    if (m == AP_VS)
      std::snprintf(t, sizeof t, "%+d", intlim(value, -99999, 99999));
    else if (m <= AP_NAV2)
      std::snprintf(t, sizeof t, "%03d", intwrap(value, 0, 359));
    else
      std::snprintf(t, sizeof t, "%d", intlim(value, -99999, 99999));
    text_centre(C_AMBER, r.x + r.w / 2, r.y + r.h / 2, t);
  }
}
