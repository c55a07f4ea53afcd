// The turbine sample aircraft: a four-engine turboprop transport, a twin-jet business aircraft
// and a light turbine helicopter. Figures are those a pilot's handbook gives for the class, in the
// file's units; positions are feet aft of the nose, right of and above the fuselage axis.
#include "acfgen/acfgen.h"
#include "aircraft/aircraft.h"
#include "shared/shared.h"

static const char* const clark_y = "Clark-Y (good propeller).afl";
static const char* const naca2412 = "NACA 2412 (popular).afl";
static const char* const naca2412_high = "NACA 2412 (popular) Re9.afl";
static const char* const naca0009 = "NACA 0009 (symmetrical).afl";
static const char* const naca0009_high = "NACA 0009 (symmetrical) Re9.afl";
static const char* const thin = "NACA 0006 (thin jet).afl";
static const char* const thin_high = "NACA 0006 (thin jet) Re30.afl";

// High wing, four turboprops with four-blade constant-speed propellers, retractable gear on the
// fuselage.
void fill_turboprop_transport() {
  begin_aircraft("N130TP", 0);
  pln.Vso = 95;  // full flaps at maximum weight
  pln.Vs = 115;
  pln.Vfe = 145;
  pln.Vno = 250;
  pln.Vne = 320;
  pln.Mmo = 0.55f;
  pln.peZ = 7.0f;
  pln.peX = -2.0f;
  pln.peY = 5.5f;

  pln.entype = ENGINE_TURBOPROP;  // four 4,590 shp turboprops, propellers governed at 1,020 rpm
  pln.numen = 4;
  pln.pmax = 4590;
  pln.omegamin = 720;
  pln.omegamax = 1020;
  pln.omegamingreen = 980;
  pln.omegamaxgreen = 1020;
  pln.spooltime = 3;
  pln.varpitchEQ = 1;
  // 13.6 ft four-blade propellers designed for 290 kt at 1,020 rpm (345 in per turn). The blades
  // keep their width out to the tip, as the paddle blades of big turboprops do: blades tapering
  // to 0.9 ft gave 29 kN each standing at full power, about 0.4 of what the disc's momentum
  // allows, where these give 52 kN, about 0.7 of it as the light samples' propellers do.
  const float px[4] = {-33.0f, -18.6f, 18.6f, 33.0f};
  for (int n = 0; n < 4; n++)
    propeller(n, clark_y, 6.8f, 1.6f, 1.5f, 4, 33.0f, px[n], 5.5f, 345, 1020);

  // 132.6 ft span, 1,745 ft^2. The flaps run from the fuselage out to the ailerons, as the
  // class's do.
  surface(5, naca2412, naca2412_high, 66.3f, 16.0f, 10.0f, 41.5f, 0, 7.0f, 0, 1, 8, 3.0f, 0.0f);
  for (int e = 0; e < 8; e++) {
    pln.flap[5][e] = e < 6;
    pln.ailn[5][e] = e >= 6;
  }
  mirror(4);
  // The left wing is rigged with a little more incidence against the torque roll of the four
  // propellers, which all turn the same way.
  for (int e = 0; e < 8; e++) pln.anginc[4][e] += 0.15f;
  surface(9, naca0009, naca0009_high, 26.4f, 13.0f, 7.0f, 88.0f, 0, 4.0f, 5, 0, 4, -0.2f, -0.2f);
  for (int e = 0; e < 4; e++) pln.elev[9][e] = 1;
  mirror(8);
  surface(10, naca0009, naca0009_high, 18.0f, 16.5f, 8.5f, 84.0f, 0, 6.0f, 30, 90, 4, 0, 0);
  for (int e = 0; e < 4; e++) pln.rudd[10][e] = 1;

  pln.ailn_crat = 0.2f;
  pln.elev_crat = 0.35f;
  pln.rudd_crat = 0.35f;
  pln.ailn_up = 25;
  pln.ailn_dn = 15;
  pln.elev_up = 30;
  pln.elev_dn = 15;
  pln.rudd_def = 30;

  pln.fuse_cd = 0.12f;
  pln.nace_eq = 1;
  pln.body_r[12] = 7.0f;
  pln.body_r[13] = 2.2f;
  const station fuselage[9] = {
      {0.0f, 1.0f, 1.0f, 0.0f},  {5.0f, 5.0f, 5.5f, 0.5f},  {12.0f, 7.0f, 7.5f, 0.5f},
      {30.0f, 7.0f, 7.5f, 0.5f}, {50.0f, 7.0f, 7.5f, 0.5f}, {62.0f, 6.5f, 7.0f, 1.5f},
      {74.0f, 4.5f, 5.0f, 3.5f}, {86.0f, 2.0f, 3.0f, 5.0f}, {96.0f, 0.5f, 1.0f, 6.0f}};
  body(12, fuselage, 9);
  const station nacelle[5] = {{0.5f, 1.0f, 1.0f, 0.0f},
                              {3.0f, 2.2f, 2.6f, -0.4f},
                              {8.0f, 2.3f, 2.8f, -0.5f},
                              {14.0f, 1.8f, 2.2f, -0.3f},
                              {20.0f, 0.6f, 0.8f, 0.0f}};
  body(13, nacelle, 5);
  copy_bodies();

  pln.m_empty = 75800;
  pln.m_max = 155000;
  pln.m_fuel = 45240;  // 6,700 gal
  cg_at_chord(5, 0.22f);

  pln.gearEQ = 1;  // tandem main wheels in fuselage pods, 14.3 ft track
  pln.retractEQ = 1;
  pln.nwsteer = 60;
  pln.sgear = 30.0f;
  pln.ngearZ = 13.0f;
  pln.ngearY = -8.0f;
  pln.mgearZ = 44.5f;
  pln.mgearX = 7.1f;
  pln.mgearY = -8.0f;

  pln.antiiceEQ = 1;
  pln.ASloV = 120;
  pln.AShiV = 320;
}

// Low swept wing, two rear-mounted turbofans, T-tail with a trimmable stabiliser, glass panel.
void fill_business_jet() {
  begin_aircraft("N35BJ", 0);
  pln.Vso = 96;
  pln.Vs = 112;
  pln.Vfe = 150;
  pln.Vno = 305;
  pln.Vne = 350;
  pln.Mmo = 0.81f;
  pln.peZ = 8.0f;
  pln.peX = -1.2f;
  pln.peY = 1.6f;
  pln.paneltype = 2;  // glass panel with the compressed airspeed scale
  pln.AStype = 2;

  pln.entype = ENGINE_JET;  // two 3,500 lbf turbofans
  pln.bypass = 1;
  pln.numen = 2;
  pln.tmax = 3500;
  pln.spooltime = 5;
  pln.facejet = 4;  // 28 in fan
  pln.revthrustEQ = 1;
  // The engines' positions are those of the first two disc parts, which a jet does not fly.
  surface(0, clark_y, nullptr, 0, 0, 0, 38.0f, -4.2f, 1.8f, 0, 0, 0, 0, 0);
  surface(1, clark_y, nullptr, 0, 0, 0, 38.0f, 4.2f, 1.8f, 0, 0, 0, 0, 0);

  // 39.6 ft span, 253 ft^2, 13 degrees of sweep, 2.5 degrees of washout.
  surface(5, thin, thin_high, 19.8f, 9.0f, 3.8f, 23.3f, 0, -1.8f, 13, 3, 6, 1.0f, -1.5f);
  for (int e = 0; e < 6; e++) {
    pln.flap[5][e] = e < 3;
    pln.splr[5][e] = e >= 1 && e <= 3;
    pln.ailn[5][e] = e >= 4;
  }
  mirror(4);
  surface(9, naca0009, naca0009_high, 7.3f, 4.5f, 2.4f, 45.5f, 0, 9.0f, 30, 0, 3, -2.5f, -2.5f);
  for (int e = 0; e < 3; e++) pln.elev[9][e] = 1;
  mirror(8);
  // The whole stabiliser trims 6 degrees each way. The autopilot pitches through the trim alone:
  // with 3 it let the aircraft sink to the ground below 200 kt at the maximum weight, with 5 it
  // still could not hold the height at 170 kt, a fifth above the clean stall.
  pln.hstbtrimmax = 6.0f;
  surface(10, naca0009, naca0009_high, 7.5f, 7.5f, 4.6f, 41.0f, 0, 2.5f, 40, 90, 3, 0, 0);
  for (int e = 0; e < 3; e++) pln.rudd[10][e] = 1;

  pln.ailn_crat = 0.22f;
  pln.elev_crat = 0.32f;
  pln.rudd_crat = 0.3f;
  pln.splr_crat = 0.15f;
  pln.ailn_up = 18;
  pln.ailn_dn = 15;
  pln.elev_up = 15;
  pln.elev_dn = 10;
  pln.rudd_def = 25;
  pln.splr_def = 40;
  pln.con_smooth = 3;

  pln.fuse_cd = 0.08f;
  pln.nace_eq = 1;  // engine pods
  pln.body_r[12] = 2.9f;
  pln.body_r[13] = 1.3f;
  const station fuselage[9] = {
      {0.0f, 0.2f, 0.2f, 0.0f},  {3.0f, 1.5f, 1.5f, -0.1f}, {7.0f, 2.6f, 2.7f, 0.1f},
      {12.0f, 2.9f, 3.0f, 0.2f}, {20.0f, 2.9f, 3.0f, 0.2f}, {28.0f, 2.7f, 2.8f, 0.3f},
      {35.0f, 2.0f, 2.2f, 0.6f}, {41.0f, 1.2f, 1.6f, 1.0f}, {47.0f, 0.3f, 0.6f, 1.4f}};
  body(12, fuselage, 9);
  const station pod[5] = {{-2.5f, 1.2f, 1.2f, 0.0f},
                          {-1.0f, 1.35f, 1.35f, 0.0f},
                          {1.5f, 1.3f, 1.3f, 0.0f},
                          {4.0f, 1.0f, 1.0f, 0.0f},
                          {5.5f, 0.8f, 0.8f, 0.0f}};
  body(13, pod, 5);
  copy_bodies();

  pln.m_empty = 10100;
  pln.m_max = 18300;
  pln.m_fuel = 6200;
  cg_at_chord(5, 0.2f);

  pln.gearEQ = 1;
  pln.retractEQ = 1;
  pln.nwsteer = 45;
  pln.sgear = 6.0f;
  pln.ngearZ = 7.5f;
  pln.ngearY = -4.3f;
  pln.mgearZ = 26.5f;
  pln.mgearX = 4.9f;
  pln.mgearY = -4.3f;

  pln.antiiceEQ = 1;
  pln.bitchinbettyEQ = 1;
  pln.autosbrkEQ = 1;
  // A yaw damper: heading authority and gain at the low and the high end of the speed range.
  pln.ASloV = 120;
  pln.AShiV = 350;
  pln.ASmaxh1 = 0.3f;
  pln.ASh1 = 0.5f;
  pln.ASmaxh2 = 0.2f;
  pln.ASh2 = 0.3f;
}

// Two-blade teetering main rotor, two-blade tail rotor, one turboshaft, skids.
void fill_helicopter() {
  begin_aircraft("N206LH", 1);
  pln.Vno = 110;
  pln.Vne = 122;
  pln.peZ = 5.0f;
  pln.peX = 1.2f;  // the pilot flies from the right seat
  pln.peY = 1.8f;

  pln.entype = ENGINE_TURBOPROP;  // one turboshaft rated 317 shp for take-off
  pln.numen = 1;
  pln.pmax = 317;
  pln.omegamin = 260;  // main rotor rpm
  pln.omegamax = 394;
  pln.omegamingreen = 380;
  pln.omegamaxgreen = 394;
  pln.spooltime = 3;
  pln.trotor_rat = 6.5f;  // tail rotor turns at 2,550 rpm
  pln.vertcant[0] = 90;   // main rotor shaft upright
  pln.sidecant[1] = 90;   // tail rotor shaft across the boom
  // 33.4 ft main rotor, 13 in chord, 10 degrees of twist; collective from 0 to 12 degrees. With
  // the lever down the blades stand at about 1 degree at three quarters of the radius, where a
  // windmilling rotor keeps its speed in autorotation; it hovers at about 5 degrees.
  surface(0, naca0009, nullptr, 16.7f, 1.08f, 1.08f, 9.4f, 0, 4.5f, 0, 0, 8, 9.0f, -1.0f);
  pln.numblades[0] = 2;
  pln.des_rpm[0] = 394;
  pln.maxpitch[0] = 12;
  // 5.4 ft tail rotor on the left of the boom, untwisted; the pedals work its pitch from -8 to 20
  // degrees, and centred they give the 6 degrees that balance the hover torque.
  surface(1, naca0009, nullptr, 2.7f, 0.44f, 0.44f, 31.0f, -0.9f, 2.5f, 0, 0, 4, 0.0f, 0.0f);
  pln.numblades[1] = 2;
  pln.des_rpm[1] = 2550;
  pln.propdir[1] = 1;
  pln.minpitch[1] = -8;
  pln.maxpitch[1] = 20;

  surface(9, naca0009, nullptr, 3.2f, 1.5f, 1.5f, 21.5f, 0, 0.0f, 0, 0, 2, -3.0f, -3.0f);
  mirror(8);
  surface(10, naca0009, nullptr, 3.0f, 2.0f, 1.3f, 29.5f, 0, 1.5f, 40, 90, 2, 0, 0);
  pln.elevcyclic = 10;
  pln.ailncyclic = 8;

  pln.fuse_cd = 0.2f;
  pln.body_r[12] = 2.6f;
  const station fuselage[9] = {
      {0.0f, 0.8f, 1.2f, 0.0f},  {1.5f, 2.2f, 2.5f, 0.2f},   {4.0f, 2.5f, 2.8f, 0.4f},
      {8.0f, 2.5f, 2.9f, 0.6f},  {12.0f, 2.0f, 2.5f, 0.9f},  {15.0f, 0.9f, 1.0f, 1.4f},
      {20.0f, 0.6f, 0.7f, 1.5f}, {25.0f, 0.45f, 0.5f, 1.6f}, {30.5f, 0.3f, 0.35f, 1.7f}};
  body(12, fuselage, 9);

  pln.m_empty = 1710;
  pln.m_max = 3200;
  pln.m_fuel = 610;  // 91 gal of turbine fuel
  pln.cgZ = 9.4f;    // under the rotor mast

  pln.skidEQ = 1;  // skids 7.8 ft apart from 4 ft ahead of the mast to 8.5 ft behind it
  pln.skidZ = 5.4f;
  pln.skidX = 3.9f;
  pln.skidY = -4.5f;
  pln.skidl = 12.5f;

  // Stability augmentation, strongest in the hover and fading with speed: rate damping of a
  // twentieth of full cyclic per degree a second, full cyclic asking for 20 deg/s.
  pln.ASloV = 0;
  pln.AShiV = 60;
  pln.ASmaxp1 = 20.0f;
  pln.ASp1 = 0.05f;
  pln.ASmaxr1 = 20.0f;
  pln.ASr1 = 0.05f;
  pln.ASmaxp2 = 10.0f;
  pln.ASp2 = 0.02f;
  pln.ASmaxr2 = 20.0f;
  pln.ASr2 = 0.03f;
}
