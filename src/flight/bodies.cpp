// The force pass on everything that is not a lifting surface: fuselage lift, side force and drag,
// nacelle and tank drag, speed brakes, drag chute, arresting wire, landing-gear drag and the
// propeller torque roll.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>

#include "app/app.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

static const char* body_label(int b) {
  static const char* labels[6] = {"Nacelle #1", "Nacelle #2",         "Nacelle #3",
                                  "Nacelle #4", "Float/Fuel Tank #1", "Float/Fuel Tank #2"};
  return labels[b - 13];
}

static void fuselage() {
  float v = pln.fusewash ? flt.av + flt.DVinc[0] : flt.av;
  float q = 0.5f * atm.rho * v * v;
  // The fuselage's lift and side force stop growing at 15 degrees.
  float a = fltlim(flt.Alpha, -15.0f, 15.0f);
  float b = fltlim(flt.Beta, -15.0f, 15.0f);
  float cl = interp(0.0f, 0.0f, 90.0f, 0.27f, a);
  float cs = interp(0.0f, 0.0f, 90.0f, 0.27f, b);
  float lift = cl * pln.fuse_s_top * q;
  float side = cs * pln.fuse_s_sid * q;
  float g = std::sqrt(a * a + b * b);
  float cd = interp(0.0f, pln.fuse_cd, 90.0f, 0.27f, g);
  float area =
      interp(0.0f, pln.fuse_s_frn, 90.0f, (pln.fuse_s_top + pln.fuse_s_sid) * 0.5f, std::fabs(g));
  float drag = cd * area * q;
  addFaero(-drag, side, lift, pln.fuseZcent, 0.0f, pln.fuseYcent);
  if (dumping()) {
    dump_text(" FUSELAGE:\n");
    dump_value("   fuse speed                       =", flt.av, " m/s\n");
    dump_value("   fuse speed after propwash        =", v, " m/s\n");
    dump_value("   air density for fuse             =", atm.rho, " kg/m^3\n");
    dump_value("   alpha for fuse for lift force    =", a, " deg\n");
    dump_value("   beta  for fuse for side force    =", b, " deg\n");
    dump_value("   fuse coefficient for lift force  =", cl);
    dump_value("   fuse coefficient for side force  =", cs);
    dump_value("   fuse top  area for lift force    =", pln.fuse_s_top, " m^2\n");
    dump_value("   fuse side area for side force    =", pln.fuse_s_sid, " m^2\n");
    dump_value("   fuselage lift force              =", lift, " N\n");
    dump_value("   fuselage side force              =", side, " N\n");
    dump_value("   fuselage offset angle            =", g, " deg\n");
    dump_value("   cd for fuse                      =", cd);
    dump_value("   area for fuse for drag           =", area, " m^2\n");
    dump_value("   fuselage drag                    =", drag, " N\n");
  }
}

void set_a_bodies() {
  fuselage();
  for (int b = PART_NACELLE1; b <= PART_MISC2; b++) {
    if (!have_this_part(b)) continue;
    bool nacelle = b <= PART_NACELLE4;
    // A jet's nacelles are its engines; their drag is in the thrust.
    if (nacelle && pln.entype == ENGINE_JET) continue;
    float cd = pln.fuse_cd, area = pln.misc_s, v = flt.av;
    if (nacelle) {
      if (pln.entype == ENGINE_PISTON) cd *= 2.0f;
      area = pln.nace_s;
      v = flt.av + flt.DVinc[b - 13];
    }
    float drag = cd * 0.5f * atm.rho * area * v * v;
    addFaero(-drag, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    if (dumping()) {
      trk << body_label(b) << ":\n";
      dump_value("   cd     =", cd);
      dump_value("   area   =", area, " m^2\n");
      dump_value("   speed  =", v, " m/s\n");
      dump_value("   density=", atm.rho, " kg/m^3\n");
      dump_value("   drag   =", drag, " N\n");
    }
  }
}

// The arresting wire. A hook lowered onto the carrier's landing area catches a wire once the main
// wheels bear on the deck among the wires and the aircraft rolls on over the deck faster than a
// walking pace; rolling slowly over them, the hook rides over the wires. The wire's engine stops
// the aircraft within a fixed runout whatever its power (a pilot goes to full power on touching
// down, in case the hook misses): every pass it pulls with the deceleration that takes the speed
// left to rest in the runout left, plus what holds the engines' push. Raising the hook, or coming
// to rest, frees the wire.
static const float WIRE_RUNOUT = 100.0f;      // m
static const float WIRE_CATCH_SPEED = 1.5f;   // m/s over the deck
static const float WIRE_REST_SPEED = 0.3f;    // m/s over the deck
static const float WIRE_MAX_ACCEL = 49.0f;    // m/s^2, 5 g: the most the engine pulls

static void arresting_wire() {
  // The speed over the deck is asked only with the hook down: this runs in every force pass.
  const int hooked = pln.arrestingEQ && ins.hook_down;
  float ahead = 0.0f;
  if (hooked) {
    float deck_vx, deck_vz;
    deck_velocity(&deck_vx, &deck_vz);
    ahead = static_cast<float>(flt.vX - deck_vx) * flt.sinpsi +
            static_cast<float>(flt.vZ - deck_vz) * flt.cospsi;
  }
  if (!hooked || (flt.wired && ahead < WIRE_REST_SPEED)) {
    flt.wired = 0;
    flt.trap_accel = flt.wire_out = 0.0f;
    return;
  }
  if (!flt.wired) {
    // The hook trails just behind the main wheels; the gear forces are the last pass's.
    const bool mains_bear = flt.gearf[1] > 0.0f || flt.gearf[2] > 0.0f;
    const float x = static_cast<float>(flt.X) - pln.mgearZ * flt.sinpsi;
    const float z = static_cast<float>(flt.Z) + pln.mgearZ * flt.cospsi;
    if (!env.over_carr || !mains_bear || ahead <= WIRE_CATCH_SPEED || !over_carrier_wires(x, z))
      return;
    flt.wired = 1;
    flt.wire_out = 0.0f;
  }
  // The engines' push of this pass is taken up on top; the last metres are closed within a pass.
  const float left = fltmax2(WIRE_RUNOUT - flt.wire_out, ahead * msc.prd);
  const float push = fltmax2(flt.faxilprop, 0.0f) / flt.m_total;
  flt.trap_accel = fltmin2(ahead * ahead / (2.0f * left) + push, WIRE_MAX_ACCEL);
  flt.wire_out += ahead * msc.prd;
}

void set_a_drag_devices() {
  float q2 = flt.av * flt.av * atm.rho;
  if (pln.fbrkEQ && flt.sbrk > 0.0f) {
    float drag = flt.sbrk * pln.speedbrake_area * q2 * 0.3075f;
    addFaero(-drag, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    if (dumping()) dump_value("   Fuselage-mounted speedbrakes adding", drag, " N of drag.\n");
  }
  if (pln.chuteEQ && ins.chute_on) {
    float drag = pln.chute_area * q2 * 0.71f;
    addFaero(-drag, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    if (dumping()) dump_value("   Chutes adding", drag, " N of drag.\n");
  }
  arresting_wire();
  if (flt.wired) addFagear(-flt.m_total * flt.trap_accel, 0.0f, pln.mgearY * 0.2f);
}

void set_a_gear_drag() {
  if (!set.gear_handle) return;
  if (dumping()) {
    dump_text("\npre-gear-aerodynamics:\n");
    dump_aero_report();
  }
  float k = pln.retractEQ ? 0.3f : 0.1f;
  float drag = k * pln.sgear * flt.Qstatic;
  addFaero(-drag, 0.0f, 0.0f, pln.mgearZ, 0.0f, pln.mgearY);
  if (dumping()) {
    dump_text("\ngear:\n");
    dump_value("drag=", drag, " N\n");
    dump_text("\npost-gear-aerodynamics\n");
    dump_aero_report();
  }
}

void set_a_torque_roll() {
  if (pln.is_heli || !(pln.entype == ENGINE_PISTON || pln.entype == ENGINE_TURBOPROP)) return;
  bool one_way = pln.numen == 1 || (pln.numen == 2 && pln.propdir[0] == pln.propdir[1]);
  if (!one_way || !(pln.omegamax > 0.0f)) return;
  flt.L += pln.numen * (pln.pmax / pln.omegamax) * 0.75f * flt.Qratio * pln.propdir[0] * 2.0f;
}
