// The light sample aircraft: a four-seat single-engine trainer, a six-seat piston twin and a
// single-engine utility floatplane. Figures are those a pilot's handbook gives for the class, in
// the file's units; positions are feet aft of the nose, right of and above the fuselage axis.
#include "acfgen/acfgen.h"
#include "aircraft/aircraft.h"
#include "shared/shared.h"

static const char* const clark_y = "Clark-Y (good propeller).afl";
static const char* const naca2412 = "NACA 2412 (popular).afl";
static const char* const naca0009 = "NACA 0009 (symmetrical).afl";

// High-wing, fixed tricycle gear, fixed-pitch propeller.
void fill_trainer() {
  begin_aircraft("N4172T", 0);
  pln.Vso = 40;   // stall, full flaps, kt
  pln.Vs = 48;    // stall, clean
  pln.Vfe = 85;   // full flaps
  pln.Vno = 129;  // normal operating limit
  pln.Vne = 163;  // never exceed
  pln.Mmo = 0.25f;
  pln.peZ = 8.0f;  // the pilot sits under the wing's leading edge, left seat
  pln.peX = -1.0f;
  pln.peY = 1.9f;

  pln.entype = ENGINE_PISTON;  // one 160 hp four-cylinder piston engine
  pln.numen = 1;
  pln.pmax = 160;
  pln.omegamin = 650;  // idle rpm
  pln.omegamax = 2700;
  pln.omegamingreen = 2100;
  pln.omegamaxgreen = 2700;
  pln.spooltime = 1;
  // Two-blade fixed-pitch propeller, 75 in across, pitched 60 in per turn: it turns about 2,300
  // rpm in the climb and 2,650 rpm at full throttle level at sea level. Pitched 56 in, it climbed
  // 5% faster than its class, and at full throttle at 8,000 ft it was 3 kt slower than its class
  // cruises there at three quarters of its power.
  propeller(0, clark_y, 3.1f, 0.65f, 0.4f, 2, 0.5f, 0, 0, 60, 2400);

  // 36 ft span, 174 ft^2, 3 degrees of washout, struts to the high wing. The dihedral is 3
  // degrees rather than the real wing's 1.7: the high wing's own stability in sideslip comes from
  // the wing-fuselage junction, which the elements do not see.
  surface(5, naca2412, nullptr, 18.0f, 5.5f, 4.1f, 8.7f, 0, 3.8f, 0, 3, 6, 1.5f, -1.5f);
  // Flaps on the inner third of each wing: over this span the shipped plain flaps give the class's
  // landing stall (over half the span they stalled it 3 kt slower).
  for (int e = 0; e < 6; e++) {
    pln.flap[5][e] = e < 2;
    pln.ailn[5][e] = e >= 4;
  }
  mirror(4);
  // The left wing is rigged with a trace more incidence against the engine's torque roll.
  for (int e = 0; e < 6; e++) pln.anginc[4][e] += 0.02f;
  // Stabiliser of 11.3 ft span with its elevator; fin and rudder swept 35 degrees.
  surface(9, naca0009, nullptr, 5.6f, 4.0f, 2.6f, 24.3f, 0, 0.5f, 0, 0, 3, -1.0f, -1.0f);
  for (int e = 0; e < 3; e++) pln.elev[9][e] = 1;
  mirror(8);
  surface(10, naca0009, nullptr, 5.0f, 4.8f, 2.6f, 24.0f, 0, 1.0f, 35, 90, 3, 0, 0);
  for (int e = 0; e < 3; e++) pln.rudd[10][e] = 1;

  pln.ailn_crat = 0.25f;
  pln.elev_crat = 0.45f;
  pln.rudd_crat = 0.4f;
  pln.ailn_up = 20;
  pln.ailn_dn = 15;
  pln.elev_up = 28;
  pln.elev_dn = 23;
  pln.rudd_def = 17;

  // Struts, fixed gear and cowling on the fuselage's frontal area; most of them sit outside the
  // slipstream, so the body is reckoned at the flight speed.
  pln.fuse_cd = 0.2f;
  pln.fusewash = 0;
  pln.body_r[12] = 2.3f;
  const station fuselage[9] = {
      {0.0f, 0.3f, 0.3f, 0.0f},  {2.0f, 1.4f, 1.5f, 0.0f},   {5.0f, 1.9f, 2.2f, 0.3f},
      {8.0f, 2.0f, 2.3f, 0.6f},  {11.5f, 1.9f, 2.2f, 0.6f},  {15.0f, 1.3f, 1.6f, 0.8f},
      {19.0f, 0.8f, 1.1f, 1.0f}, {23.0f, 0.45f, 0.8f, 1.1f}, {26.5f, 0.15f, 0.5f, 1.2f}};
  body(12, fuselage, 9);

  pln.m_empty = 1680;  // lb
  pln.m_max = 2450;
  pln.m_fuel = 318;  // 53 gal usable
  cg_at_chord(5, 0.22f);

  pln.gearEQ = 1;  // fixed tricycle gear, 7.2 ft track
  pln.nwsteer = 10;
  pln.sgear = 2.0f;
  pln.ngearZ = 3.2f;
  pln.ngearY = -4.0f;
  pln.mgearZ = 10.3f;
  pln.mgearX = 3.6f;
  pln.mgearY = -4.0f;

  pln.ASloV = 60;
  pln.AShiV = 160;
}

// Low wing, retractable gear, two 300 hp engines with three-blade constant-speed propellers.
void fill_light_twin() {
  begin_aircraft("N58LT", 0);
  pln.Vso = 75;
  pln.Vs = 84;
  pln.Vfe = 122;
  pln.Vno = 195;
  pln.Vne = 223;
  pln.Mmo = 0.4f;
  pln.peZ = 9.5f;
  pln.peX = -1.0f;
  pln.peY = 1.7f;

  pln.entype = ENGINE_PISTON;  // two 300 hp six-cylinder piston engines
  pln.numen = 2;
  pln.pmax = 300;
  pln.omegamin = 700;
  pln.omegamax = 2700;
  pln.omegamingreen = 2200;
  pln.omegamaxgreen = 2700;
  pln.spooltime = 1;
  pln.varpitchEQ = 1;
  // 74 in propellers, the shortest the class's three-blade installation allows and the best
  // climbers of the lengths allowed, at the front of the nacelles, 12.4 ft apart; both turn the
  // same way. Their blades are twisted as for 90 in a turn at 2,500 rpm, near the cruise: twisted
  // for 80 in they climbed 20 ft/min less; for 100 in, a little better still, but then at full
  // throttle the twin no longer holds its height hands-off in the cruise.
  propeller(0, clark_y, 3.1f, 0.6f, 0.35f, 3, 6.2f, -6.2f, -0.6f, 90, 2500);
  propeller(1, clark_y, 3.1f, 0.6f, 0.35f, 3, 6.2f, 6.2f, -0.6f, 90, 2500);

  // 37.8 ft span, 199 ft^2, 6 degrees dihedral.
  surface(5, naca2412, "NACA 2412 (popular) Re9.afl", 18.9f, 6.5f, 4.0f, 10.6f, 0, -1.4f, 0, 6, 6,
          2.0f, -1.0f);
  for (int e = 0; e < 6; e++) {
    pln.flap[5][e] = e < 3;
    pln.ailn[5][e] = e >= 4;
  }
  mirror(4);
  surface(9, naca0009, nullptr, 7.9f, 3.8f, 2.6f, 27.0f, 0, 0.8f, 0, 0, 3, 0.0f, 0.0f);
  for (int e = 0; e < 3; e++) pln.elev[9][e] = 1;
  mirror(8);
  surface(10, naca0009, nullptr, 5.5f, 5.4f, 2.8f, 26.0f, 0, 1.6f, 40, 90, 3, 0, 0);
  for (int e = 0; e < 3; e++) pln.rudd[10][e] = 1;

  pln.ailn_crat = 0.22f;
  pln.elev_crat = 0.4f;
  pln.rudd_crat = 0.38f;
  pln.ailn_up = 20;
  pln.ailn_dn = 15;
  pln.elev_up = 22;
  pln.elev_dn = 15;
  pln.rudd_def = 25;

  // Smooth cowlings and retracted gear: the nacelles, which count this twice for their cooling
  // air, give the class's top speed with it.
  pln.fuse_cd = 0.07f;
  pln.nace_eq = 1;
  pln.body_r[12] = 2.2f;
  pln.body_r[13] = 1.4f;
  const station fuselage[9] = {
      {0.0f, 0.2f, 0.2f, 0.0f},  {2.5f, 1.2f, 1.2f, 0.0f},  {6.0f, 2.0f, 2.1f, 0.2f},
      {10.0f, 2.1f, 2.3f, 0.4f}, {14.0f, 2.0f, 2.2f, 0.4f}, {18.0f, 1.5f, 1.7f, 0.6f},
      {22.0f, 1.0f, 1.2f, 0.8f}, {26.0f, 0.5f, 0.8f, 1.0f}, {29.5f, 0.15f, 0.5f, 1.1f}};
  body(12, fuselage, 9);
  const station nacelle[5] = {{0.3f, 0.5f, 0.5f, 0.0f},
                              {1.5f, 1.3f, 1.3f, 0.0f},
                              {4.0f, 1.4f, 1.4f, 0.0f},
                              {7.0f, 1.1f, 1.1f, 0.1f},
                              {10.0f, 0.3f, 0.4f, 0.2f}};
  body(13, nacelle, 5);
  copy_bodies();

  pln.m_empty = 3400;
  pln.m_max = 5500;
  pln.m_fuel = 1164;  // 194 gal usable
  cg_at_chord(5, 0.18f);

  pln.gearEQ = 1;  // retractable tricycle gear, 9.5 ft track
  pln.retractEQ = 1;
  pln.nwsteer = 20;
  pln.sgear = 4.0f;
  pln.ngearZ = 3.5f;
  pln.ngearY = -4.2f;
  pln.mgearZ = 12.3f;
  pln.mgearX = 4.75f;
  pln.mgearY = -4.2f;

  pln.ASloV = 80;
  pln.AShiV = 220;
}

// High wing on twin floats, a 450 hp radial engine and a constant-speed propeller.
void fill_floatplane() {
  begin_aircraft("C-FBVR", 0);
  pln.Vso = 45;
  pln.Vs = 52;
  pln.Vfe = 87;
  pln.Vno = 125;
  pln.Vne = 157;
  pln.Mmo = 0.3f;
  pln.peZ = 8.5f;
  pln.peX = -1.1f;
  pln.peY = 2.3f;

  pln.entype = ENGINE_PISTON;  // 450 hp nine-cylinder radial
  pln.numen = 1;
  pln.pmax = 450;
  pln.omegamin = 600;
  pln.omegamax = 2300;
  pln.omegamingreen = 1600;
  pln.omegamaxgreen = 2200;
  pln.spooltime = 1;
  pln.varpitchEQ = 1;
  // Two-blade constant-speed propeller, 8 ft 6 in across, its tips near the speed of sound at
  // 2,300 rpm. Blades twisted as for 120 in a turn, rather than the 67 in of a cruise at 2,000
  // rpm, give more thrust for the power at every speed flown: they give back the climb that the
  // drag of the floats and struts takes.
  propeller(0, clark_y, 4.2f, 0.7f, 0.45f, 2, 0.5f, 0, 0, 120, 2000);

  // 48 ft span, 250 ft^2 of constant chord; drooping ailerons follow the big flaps.
  surface(5, naca2412, nullptr, 24.0f, 5.2f, 5.2f, 9.8f, 0, 3.5f, 0, 3, 6, 2.0f, 0.0f);
  for (int e = 0; e < 6; e++) {
    pln.flap[5][e] = e < 4;
    pln.ailn[5][e] = e >= 4;
  }
  mirror(4);
  // As on the trainer: the high wing's stability in sideslip counted as 3 degrees of dihedral,
  // and the wings rigged so that the torque roll is balanced at cruise.
  for (int e = 0; e < 6; e++) pln.anginc[4][e] -= 0.02f;
  pln.ailflaps = 15;
  surface(9, naca0009, nullptr, 7.9f, 3.6f, 2.6f, 27.0f, 0, 0.6f, 0, 0, 3, -1.5f, -1.5f);
  for (int e = 0; e < 3; e++) pln.elev[9][e] = 1;
  mirror(8);
  surface(10, naca0009, nullptr, 6.0f, 5.5f, 3.0f, 26.5f, 0, 1.2f, 25, 90, 3, 0, 0);
  for (int e = 0; e < 3; e++) pln.rudd[10][e] = 1;

  pln.ailn_crat = 0.25f;
  pln.elev_crat = 0.4f;
  pln.rudd_crat = 0.4f;
  pln.ailn_up = 25;
  pln.ailn_dn = 15;
  pln.elev_up = 28;
  pln.elev_dn = 18;
  pln.rudd_def = 25;

  // The radial cowling, the float struts with their bracing wires and the water rudders: floats
  // keep the class well below the landplane's 137 kt.
  pln.fuse_cd = 0.23f;
  pln.fusewash = 1;
  pln.body_r[12] = 2.5f;
  const station fuselage[9] = {
      {0.0f, 1.6f, 1.6f, 0.0f},  {1.5f, 2.1f, 2.1f, 0.0f},  {4.0f, 2.3f, 2.4f, 0.3f},
      {8.0f, 2.4f, 2.6f, 0.6f},  {12.0f, 2.2f, 2.4f, 0.7f}, {16.0f, 1.6f, 1.8f, 0.9f},
      {20.0f, 1.0f, 1.3f, 1.1f}, {24.0f, 0.5f, 0.9f, 1.2f}, {28.5f, 0.15f, 0.5f, 1.3f}};
  body(12, fuselage, 9);
  // Two 25 ft floats 9.2 ft apart, 6 ft below the fuselage axis, each its own buoyant body.
  pln.misc_eq = 1;
  pln.misc_Z = 0.0f;
  pln.misc_X = 4.6f;
  pln.misc_Y = -6.0f;
  pln.body_r[17] = 1.3f;
  const station float_body[5] = {{-2.0f, 0.4f, 0.4f, 0.2f},
                                 {2.0f, 1.3f, 1.2f, 0.0f},
                                 {9.0f, 1.4f, 1.3f, 0.0f},
                                 {15.0f, 1.2f, 1.1f, 0.1f},
                                 {23.0f, 0.3f, 0.3f, 0.4f}};
  body(17, float_body, 5);
  copy_bodies();

  pln.m_empty = 3300;
  pln.m_max = 5090;
  pln.m_fuel = 570;  // 95 gal
  cg_at_chord(5, 0.22f);

  pln.ASloV = 50;
  pln.AShiV = 160;
}
