// The once-a-second pass of the flight frame, mod_sec, and its aircraft-side steps: controller
// timers, radio retuning, stick forces, fuel, ice, engine start and stop, lightning, gravity,
// speed warnings and the rain sound. The weather steps live with the weather, the failure draws and
// pressures with the failures.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "sound/sound.h"
#include "weather/weather.h"
#include "world/world.h"

// Kept between seconds.
struct periodic_state {
  int calls;     // calls so far, for the sub-rates of the controller and the radios
  float fuel_t;  // msc.elap_time of the last fuel update
  int raining;   // the rain sound is playing
};
static periodic_state sec;

void reset_periodic_checks() { sec = periodic_state{}; }

// A flight starts its sub-rate count and its fuel clock now; the rain sound keeps playing as it
// does.
void start_periodic_checks() {
  sec.calls = 0;
  sec.fuel_t = msc.elap_time;
}

static int engine_count() { return intlim(pln.numen, 0, MAX_ENGINES); }

// Rotation speed as a fraction of the maximum; an aircraft without a rotation speed (a glider)
// has none.
static float speed_ratio(float omega) { return pln.omegamax > 0.0f ? omega / pln.omegamax : 0.0f; }

// The controller follows the flight plan and any vectoring every second; the landing signal
// officer speaks every fourth second.
static void serve_controller() {
  if (fpl.onfile && fpl.activated) handle_plan(0);
  if (atc.ils_vec_in_progress) controller_respond(atc.ils_command);
  if (sec.calls % 4 == 0) LSO_respond();
}

// Every sixth second. Panels 1 and 7 have two NAV receivers and no GPS; the others use NAV 1's
// place for the GPS, and receive nothing on NAV 1: a station that an aircraft flown before had on
// it would otherwise stay received for good, its distance on the DME and its identifier keyed.
static void retune_radios() {
  if (sec.calls % 6 != 0) return;
  int no_gps = supp_is_nav1();
  if (no_gps)
    setnav(0);
  else
    nav.goodnav[0] = 0;
  setnav(1);
  setnav(4);
  if (!no_gps) setnav(5);
}

// Stick springs grow with dynamic pressure (or rotor speed for a helicopter with reversible
// controls); the stick vibrates with engine or rotor speed.
static void update_stick_forces() {
  float s = 0.0f;
  if (!pln.is_heli) s = 0.75f * flt.Qratio;
  if (pln.is_heli && !pln.ff_hydraulic) s = 0.5f * sqr(speed_ratio(flt.tac[0]));
  forcecall(25, 0, 0, inttrunc(fltlim(100.0f * s, 0.0f, 1.0e6f)));
  if (pln.entype == ENGINE_JET) return;
  float r = flt.tac[0];
  if (!pln.is_heli && pln.numen > 1) r = (flt.tac[0] + flt.tac[1]) * 0.5f;
  int a = inttrunc(20.0f * speed_ratio(r));
  int f = inttrunc(r / con.pim2);
  if (!pln.is_heli) a = a / 2 + 10;
  if (pln.is_heli && pln.ff_hydraulic) a = 0;
  forcecall(26, a, f, 0);
}

// Fuel burnt since the last update at the engines' flows. The time is measured across midnight,
// when the elapsed-time clock wraps, so that the tanks never refill.
static void burn_fuel() {
  float dt = clock_since(msc.elap_time, sec.fuel_t);
  sec.fuel_t = msc.elap_time;
  float flow = 0.0f;
  for (int e = 0; e < engine_count(); e++) flow += flt.ff_[e];
  flt.m_fuel = fltlim(flt.m_fuel - flow * dt, 0.0f, pln.m_fuel);
}

// Ice builds in cloud between -20 and 0 C unless a working anti-ice is on, and melts above 0 C in
// proportion to the temperature; a working anti-ice sheds it quickly. In cloud is where the view
// and the instrument clock put the aircraft: between the tops and the base's relief over it,
// which hangs below the layer's mean base.
static void build_ice() {
  int t = inttrunc(atm.T - 273.15f);
  msc.icebld = 0;
  if (!ins.antiice_on || !rel.antice) {
    int in_cloud = atm.cld_type == 1 && !scn.belowbases && !scn.abovetops;
    if (t >= -20 && t <= 0 && in_cloud) {
      msc.icebld = 1;
      msc.ice += 0.00333f;
    }
    if (t > 0) msc.ice -= 0.000333f * static_cast<float>(t);
  } else {
    msc.ice -= 0.01f;
  }
  if (!(msc.ice >= 0.0f)) msc.ice = 0.0f;
}

// An engine runs while it has fuel, a mixture that burns and has not failed.
static void decide_engines() {
  for (int e = 0; e < MAX_ENGINES; e++) {
    flt.eng_running[e] =
        e < engine_count() && flt.m_fuel > 0.01f && flt.mixt_powr_rat[e] > 0.01f && rel.engine[e];
  }
}

// Once per excursion: busting the redline costs the right wings for the rest of the flight, and
// the flap warning re-arms when the flaps are retracted.
static void warn_speeds() {
  if (pln.is_heli) return;
  float s = pln.asi_units == 2 ? flt.vind : flt.vind * 1.15f;
  if (!wings_torn_off && s > 1.1f * pln.Vne && msc.warn_overspeed) {
    MACIBM_alert("You just busted the redline speed.",
                 "I shall now remove a critical flying surface.", "Enjoy the ride down.",
                 "(To avoid this occurrence again, you can fly more slowly or select the "
                 "'Warnings' item in the 'Settings' menu).",
                 ALERT_NOTICE);
    wings_torn_off = 1;
  }
  if (!flt.over_vfe && s > pln.Vfe && flt.flaprequest > 0 && msc.warn_flaps) {
    MACIBM_alert("You just extended the flaps above Vfe.", "", "",
                 "(To avoid this occurrence again, you can fly right or go to the 'Warnings' item "
                 "in the 'Settings' menu.",
                 ALERT_NOTICE);
    flt.over_vfe = 1;
  }
  if (flt.flaprequest == 0) flt.over_vfe = 0;
}

// Rain is heard below the tops when it is warm enough for rain rather than snow.
static void switch_rain_sound() {
  int raining = !(flt.h > atm.topsMSL) && atm.temp_SL > 32.0f && atm.rain_tstm > 1.0f;
  if (raining == sec.raining) return;
  sec.raining = raining;
  if (raining)
    play_buffer(2, 1);
  else
    stop_buffer(2);
}

// Lightning comes with rain in a storm; its thunder is the louder the nearer it struck.
static void lightning() {
  if (!(atm.rain_tstm > 1.0f && atm.temp_SL > 32.0f)) return;
  const float metres = flight_hooks.lightning_strike();
  if (metres >= 0.0f) play_thunder(thunder_strength(metres));
}

void mod_sec() {
  sec.calls = (sec.calls + 1) % 12;
  serve_controller();     // reads fpl, atc
  retune_radios();        // writes nav through setnav
  read_real_weather();    // writes atm, msc.zulu_time and msc.locl_time from "USA.rwx"
  settle_weather();       // writes atm: targets approached, limits
  update_stick_forces();  // reads flt.Qratio, flt.tac
  burn_fuel();            // writes flt.m_fuel
  build_ice();            // writes msc.ice, msc.icebld
  draw_failures();        // writes rel, ins.ecam_mode
  decide_engines();       // writes flt.eng_running from fuel and failures drawn above
  update_pressures();     // writes rel.hyd_rat, rel.oil_rat, rel.RAT_on from the engines above
  lightning();            // start_strike, and play_thunder when it struck
  atm.g = con.muearth / sqr(flt.h + con.rearth);
  warn_speeds();        // writes wings_torn_off, flt.over_vfe
  evolve_weather();     // writes atm
  switch_rain_sound();  // reads atm after its evolution
}
