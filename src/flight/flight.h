// Flight dynamics: the flight state flt, the recorded flight path pat and the failure record rel.
#pragma once

#include "aircraft/aircraft.h"

// ---- Sizes -----------------------------------------------------------------------------------

enum {
  CONTACT_POINTS = 9,  // 0 nose wheel, 1/2 left/right main, 3-6 skid ends, 7 body, 8 wing tip
  GEAR_LEGS = 3,
  PATH_POINTS = 6000,  // ring of recorded path points
  FAIL_ENTRIES = 30,   // failure entries drawn once a second
};

// ---- Flight state ----------------------------------------------------------------------------

// Everything that moves during a flight. World axes: X east, Y up, Z south, m from the loaded
// region's reference; velocity and acceleration components point east, up and north (a northward
// speed decreases Z). Body axes: x right, y up, z aft. Angles in degrees unless marked rad; forces
// in N, moments in N m. Per-part arrays use the part slots of pln, per-engine arrays engines 0..3.
// Lifetime: flight; set by the flight start, advanced by every frame.
struct flightstruct {
  // Force accumulators, cleared at the start of each force pass
  float faxilaero, fsideaero, fnrmlaero;  // aerodynamic force, wind axes: forward, right, up
  float faxilprop, fsideprop, fnrmlprop;  // propulsive force, body axes: forward, right, up
  float faxilgear, fsidegear, fnrmlgear;  // ground force, level frame along the heading
  float L, M, N;                          // roll (right), pitch (nose up), yaw (nose right), N m

  // Rotation
  float Pdot, Qdot, Rdot;        // roll, pitch and yaw accelerations, deg/s^2
  float P, Q, R;                 // body roll, pitch and yaw rates, deg/s
  float Prad, Qrad, Rrad;        // the same rates, rad/s
  float thedot, psidot, phidot;  // Euler angle rates, deg/s

  // Attitude
  float the, psi, phi;           // pitch, true heading, bank, 0..360
  float the180, psi180, phi180;  // the same, -180..180
  float sinthe, costhe, sinpsi, cospsi, sinphi, cosphi;
  float phi_path;                  // bank about the flight path: phi + 180 when flying backwards
  float sinphi_path, cosphi_path;  // its sine and cosine, kept by the frame
  int psi_int;                     // true heading in whole degrees, 0..359
  float magpsi;                    // magnetic heading, 0..360
  int magpsi_int;                  // magnetic heading in whole degrees

  // Linear motion
  float aX, aY, aZ;   // acceleration east, up, north, m/s^2
  double vX, vY, vZ;  // velocity east, up, north, m/s
  float v;            // inertial speed, m/s
  float av;           // true airspeed, m/s
  float machno;       // Mach number
  float vaxial;       // airspeed along the body axis, m/s
  float vind;         // indicated airspeed, kt, >= 0
  float vu;           // vertical speed, m/s, up
  float Qstatic;      // dynamic pressure, N/m^2
  float Qratio;       // (vind / pln.Vne)^2, not limited
  float dist;         // distance flown along the body axis, m

  // Position
  double X, Y, Z;  // world position, m
  float lat, lon;  // latitude north and longitude east, degrees
  float h;         // height above sea level, m (= Y)
  float h_ind;     // indicated altitude, m

  // Flight path, air and body angles
  float hpath, vpath;    // ground track (0..360) and climb angle of the inertial velocity
  float ahpath, avpath;  // the same for the velocity through the air
  float Alpha, Beta;     // angle of attack (nose up) and sideslip (nose right)
  float vbody[3];        // velocity through the air in body axes (right, forward, up), m/s
  float sinalph, cosalph, sinbeta, cosbeta;
  float sinhpath, coshpath, sinvpath, cosvpath;
  float sinahpath, cosahpath, sinavpath, cosavpath;

  // Mass
  float m_fixed;     // payload, kg
  float m_fuel;      // fuel on board, kg, 0..pln.m_fuel
  float m_jettison;  // jettisonable load on board, kg
  float m_total;     // pln.m_empty + m_fixed + m_fuel + m_jettison, kg

  // Engines
  float thro[MAX_ENGINES];                 // throttle position, 0..1
  float throrequest[MAX_ENGINES];          // throttle position asked for, 0..1
  float prop[MAX_ENGINES];                 // requested propeller speed, rad/s
  float mixt[MAX_ENGINES];                 // mixture lever, 0..1
  float mixt_powr_rat[MAX_ENGINES];        // power factor of the mixture, 0..1
  float mixt_temp_rat[MAX_ENGINES];        // temperature factor of the mixture, 0..1
  float ff_[MAX_ENGINES];                  // fuel flow, kg/s
  float egt[MAX_ENGINES];                  // exhaust temperature level, 0..1
  int eng_running[MAX_ENGINES];            // engine running
  float tac[MAX_ENGINES];                  // rotation speed of the disc, rad/s
  float trq[MAX_ENGINES];                  // engine shaft torque, N m
  float Dtq[MAX_ENGINES];                  // aerodynamic drag torque of the disc, N m
  float power[MAX_ENGINES];                // shaft power, W
  float thrust[MAX_ENGINES];               // thrust, N
  float proppitch[MAX_ENGINES];            // collective blade angle, degrees
  float parteqlbmthrust[MAX_ENGINES];      // jet spool fraction, 0..1
  float n1_[MAX_ENGINES];                  // N1, percent 0..100
  float mpr[MAX_ENGINES];                  // manifold pressure, inHg
  int revving_thrust[MAX_ENGINES];         // reverser deployed
  int after_burning[MAX_ENGINES];          // afterburner lit
  float DVinc[MAX_ENGINES];                // slipstream speed increment behind each disc, m/s
  float ringthrust[MAX_ENGINES][MAX_ELS];  // thrust of each blade ring, N
  float ringDVinc[MAX_ENGINES][MAX_ELS];   // induced speed through each ring, m/s

  // Lifting surfaces, per part slot and element
  float v_el[NUM_PARTS][MAX_ELS];    // local airspeed at the element, m/s
  float alpha[NUM_PARTS][MAX_ELS];   // local angle of attack, degrees
  float deldir[NUM_PARTS][MAX_ELS];  // flow-direction change by rotation and wash, degrees
  int stalled[NUM_PARTS];            // the last look-up on the surface was past alpha_max
  float slat_effect[NUM_PARTS];      // slat stretch of the coefficient curves now, 1 retracted
  float alpha_max[NUM_PARTS];        // stall angle with the current slats, degrees
  float CDIgrndeffect[NUM_PARTS];    // ground-effect factor of induced drag, 0..1
  float CLgrndeffect[NUM_PARTS];     // ground-effect factor of lift, >= 1

  // Control-surface deflections, degrees, positive trailing edge up (rudder: right)
  float lailndef, railndef;      // left and right aileron
  float lsplrdef, rsplrdef;      // left and right spoiler, >= 0
  float ldruddef, rdruddef;      // left and right drag rudder, >= 0
  float lhstbdef, rhstbdef;      // left and right stabiliser (elevator or stabilator)
  float ruddef;                  // rudder
  float elevcyclic, ailncyclic;  // pitch and roll cyclic blade pitch, degrees

  // Movables and trim
  float trim;                // stabiliser trim, -hstbtrimmax..hstbtrimmax
  float ail_trim, rud_trim;  // aileron and rudder trim, fraction of full control
  float slat, slatrequest;   // slat extension and request, 0..1
  float swee, sweerequest;   // variable-sweep position and request, 0..1
  int flap, flaprequest;     // flap setting and request, notches 0..50
  int vectrequest;           // requested thrust-vector angle, whole degrees
  float sbrk;                // speed brake: -1 armed, 0 stowed, up to 2 deployed

  // Contact with the surface
  float geardef[CONTACT_POINTS];  // compression of each contact point, m, >= 0
  float gearf[GEAR_LEGS];         // normal force on each gear leg, N
  float gearhold[GEAR_LEGS];      // friction each gear leg's wheel can hold standing still, N
  float skidhold[2];  // friction the skids, hull and floats can hold standing still, left/right, N
  int onsurface;                  // some point carries load this pass
  int wired;                      // the arresting wire is caught
  float trap_accel;               // deceleration of the arresting wire, m/s^2
  float wire_out;                 // runout the caught wire has paid out, m
  int cat_stage;                  // catapult: 3 held on the shuttle, 4 launching, 5 none
  int gear_lost[GEAR_LEGS];       // leg collapsed or torn off: it ignores the handle until a start
  int gear_handle_tick;           // gear handle at the last event tick, plus 1; 0 before the first
  int gear_stat_tick[GEAR_LEGS];  // each leg at the last event tick
  float jatoleft;                 // take-off rocket burn time left, s

  // The clocks' time zone: the hours the zone under the aircraft was east of the clocks' reference
  // when they last advanced, plus 100; 0 before this flight's first frame
  int clock_zone;

  // Warnings
  int over_vfe;  // flaps were extended above Vfe; cleared when they are retracted
  int crashes;  // impacts beyond the crash sink rate counted by the force pass, never cleared by it
};
extern flightstruct flt;

// ---- Flight path -----------------------------------------------------------------------------

// The ring of recorded path points, one every 10 m of horizontal travel; the slot after the newest
// has its inited flag cleared to mark the end. Lifetime: flight.
struct pathstruct {
  float xyztpp[PATH_POINTS][6];  // X, Y, Z (m, world), pitch, heading, bank (rad, -pi..pi)
  int inited[PATH_POINTS];       // 1 when the slot holds a point
  int cntr_record;               // slot of the newest point, 0..5999
};
extern pathstruct pat;

// ---- Failures --------------------------------------------------------------------------------

// Failure switches are 1 while the system works and 0 once it has failed; a failure stays until the
// next flight start sets every switch back to working. Lifetime: program.
struct relstruct {
  // Instruments
  int vacuum;                  // vacuum system (gyro instruments)
  int ss_asi, ss_ahz, ss_alt;  // airspeed, horizon, altimeter
  int ss_tsi, ss_dgy, ss_vvi;  // turn-slip, directional gyro, vertical speed
  int efis_1, efis_2;          // the two glass displays
  // Engines and flight controls
  int engine[MAX_ENGINES];     // engine
  int fc_ail, fc_elv, fc_rud;  // aileron, elevator and rudder connections
  int fc_flp, fc_slt, fc_thr;  // flap, slat and throttle controls
  int lagear[GEAR_LEGS];       // gear legs
  int hydsys;                  // hydraulic system
  int thrgov[MAX_ENGINES];     // rotor and propeller governors
  int stbaug;                  // stability augmentation
  int symflp;                  // symmetric flap drive
  int sttrim;                  // stabiliser trim
  int revlok[MAX_ENGINES];     // reverser locks
  int antice;                  // anti-ice
  int oilpmp[MAX_ENGINES];     // oil pumps
  int clights;                 // cockpit lights
  int otto;                    // autopilot
  int trotor;                  // tail-rotor drive

  // Failure settings
  int fail_type[FAIL_ENTRIES];        // 1 only random, 2 mean time between failures, 3 fail now
  float fail_time_max[FAIL_ENTRIES];  // mean time between failures, minutes
  float total_fail_entry;             // random failure rate setting, 0..1000
  float inst_fail_entry;              // failure rate of the instrument reliability window
  float eqp_fail_entry;               // failure rate of the equipment reliability window

  // Consequences
  float vac_death_time;              // time of the vacuum failure, s of msc.elap_time
  float the_fail_err, phi_fail_err;  // pitch and bank error of the dying horizon, degrees
  float hyd_rat;                     // hydraulic pressure ratio, 0..1
  float oil_rat;                     // oil pressure ratio, 0..1
  int RAT_on;                        // ram-air turbine deployed
};
extern relstruct rel;

// Restore the records to their start-up state. flt and pat are all zero. rel has every system
// working, full hydraulic and oil pressure, every failure entry random-only with a mean time of
// 10 minutes, and no failure rate set.
void reset_flt();
void reset_pat();
void reset_rel();

// ---- Calls up to the layers above ------------------------------------------------------------

// What the flight frame and the flight start ask of the panel, the view and the data output, each
// through a hook the application fills in src/app/hooks.cpp (see aircraft_hooks).
struct flight_hookstruct {
  void (*redraw_flaps)();  // the flap lever moved
  void (*redraw_sweep)();
  void (*redraw_vector)();
  void (*redraw_gear_lights)();
  void (*reset_ecam)();                    // a failure changed what the ECAM shows
  void (*pulse_menu_highlight)(float g);   // the highlight colour's green, -1..1
  void (*crash_flash)();                   // the screen flashes at a crash
  void (*reload_scenery_textures)();       // the season or the resolution changed
  void (*place_traffic)(int k, int anew);  // traffic aircraft k placed again
  float (*lightning_strike)();  // a strike near the aircraft: how far away, m; -1 for none
  void (*new_flight)();         // a new flight: the warnings and the views forget the last one
  void (*dump_cycle_header)();  // the one-cycle dump begins
  void (*disk_output)();        // one record of the data-output file
};
extern flight_hookstruct flight_hooks;

// ---- Flight frame ----------------------------------------------------------------------------

// One frame of msc.prd simulated seconds: surroundings, serial outputs, periodic passes, clocks,
// then two integration sub-steps of the force pass. Called once per frame by the loop.
void update_flight();
// Universal time of day for a local time of the clocks' time zone (before a flight's first frame,
// the zone under the aircraft), s, 0..86400.
float zulu_for_local(float locl);
// One integration sub-step of msc.prd seconds (the frame halves msc.prd around the sub-steps):
// rates and velocities first, then attitude, position and the derived air data.
void integ_v();
void integ_x();
// The event tick (every 0.1 s of simulated time) and the half-second pass.
void mod_evt();
void mod_semisec();
// 1 when the aircraft flies backwards through the air (heading and the track of its path through
// the air more than 90 degrees apart).
int crs_wrapped();
// Fuel flow of one engine, kg/s, producing power x (W, engine types 1 and 2) or thrust x (N, type
// 3); never below the idle flow.
float burnin_fuel(float x);

// Steps of the frame that other code and the tests call on their own.
void set_air_at_aircraft();  // atm.rho, T, a, crtsig at flt.h from the standard atmosphere
void set_mixture_ratios();   // flt.mixt_powr_rat, mixt_temp_rat from the mixture and crtsig

// ---- Serial outputs --------------------------------------------------------------------------

// Longest sentence with its checksum and line end; the first day of a flight's UTC date, in days
// from 1 January 1970 (21 June 2024).
enum { NMEA_MAX = 100, NMEA_FIRST_DAY = 19895 };
// The RMC sentence (UTC time and date of the simulator's clock, position, speed over the ground,
// track, variation) into `out` (NMEA_MAX characters), ending "*HH\r\n"; returns its length.
int nmea_sentence(char* out);
// The GGA sentence (UTC time, position, a fix from eight satellites, height above sea level).
int nmea_gga(char* out);
// XOR of the characters between the leading '$' and the '*' (or the end).
int nmea_checksum(const char* sentence);
// Horizontal speed over the ground, m/s.
float speed_over_ground();
// The aircraft's longitude in -180..180: the region's longitudes run on past the date line as it
// moves east or west with the aircraft, and receivers and reports know only -180..180.
float longitude_180();
// The position sentences (once for each whole second of local time), the motion-platform and the
// cockpit streams, as the settings ask. A port that cannot be opened (one notice when it is tried)
// or that does not take a write (one notice) switches every serial output off.
void serial_outputs();

// ---- Force accumulators ----------------------------------------------------------------------

// Each adds one force and its moments about the reference point; arms in metres, body axes.
void addFaprop(float F, float x, float y);  // axial thrust at lateral x, height y
void addFsprop(float F, float z, float y);  // side force at longitudinal z, height y
void addFnprop(float F, float z, float x);  // normal force at longitudinal z, lateral x
void addFagear(float F, float x, float y);  // the same three for the ground forces
void addFsgear(float F, float z, float y);
void addFngear(float F, float z, float x);
// Axial, side and normal force in wind axes acting at (x, y, z); the moments are formed after
// turning them into body axes through the sideslip and the angle of attack.
void addFaero(float Fa, float Fs, float Fn, float z, float x, float y);

// ---- Force pass ------------------------------------------------------------------------------

// All forces and moments of one sub-step, resolved into flt.aX, aY, aZ and Pdot, Qdot, Rdot.
void set_a();
// Clears what the force pass carries from frame to frame (the downwash table, the wash sums and
// the touch flags), as at program start. Every flight start calls it.
void reset_set_a_memory();
// Steps of the force pass, in the order set_a runs them.
void set_a_engines();       // clear the accumulators, then the engines' forces
void set_a_jato_puffers();  // take-off rockets and reaction-control puffers
void set_a_surfaces();      // the blade-element loop over surfaces 4..11
void set_a_downwash();      // the downwash each wing sheds onto the next frame
void set_a_bodies();        // fuselage, nacelles and tanks
void set_a_drag_devices();  // speed brakes, drag chute, arresting wire
void set_a_contact();       // gear, skids, tips and bodies on land, floats on water
void set_a_crash();         // an impact beyond the crash sink rate restarts the flight
// 1 while the flight state is finite and within what any flight reaches (a height within 1,000 km,
// a speed within 10 km/s).
int flight_state_sound();
// A frame that left the state unsound restarts the flight as a crash does, with a notice.
void restart_if_ran_away();
// The wait after a crash that lets the pilot see the flashes before the flight restarts (delay
// by default). A run without a screen has no one to wait for and replaces it.
extern void (*crash_pause)(float seconds);
void set_a_gear_drag();    // extended landing gear
void set_a_torque_roll();  // the propeller torque roll of single-rotation aeroplanes
void set_a_resolve();      // earth-axis forces and the accelerations
// The downwash angle, degrees, that the previous frame left for element e of surface w.
float downwash_now(int w, int e);
// The share, 0..1, of disc i's slipstream that reaches surface w when the stream runs at theta
// degrees.
float propwash_share(int w, int i, float theta);

// ---- Coefficient model -----------------------------------------------------------------------

// Lift and drag (N, along and across the flight path) and moment (N m) of element e of surface w
// for its state in flt and the control increments; returns the unturned lift coefficient.
float F_el_force(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int w,
                 int e);
// Element coefficients below and from Mach 1, including the given increments.
void Fco_subsonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int w, int e);
void Fco_supersonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int w, int e);
// Two-dimensional coefficients of foil r (Reynolds choice) at position p (0 root, 1 tip) of
// surface w, at angle alpha (degrees), for element e.
void anyfoil(float alpha, float* cl, float* cd, float* cm, int w, int r, int p, int e);
// Control-surface increments: kind 12 hinged, 13 spoiler, 14 speed brake, 15 drag rudder; crat the
// control's chord over the element chord; def the deflection, degrees, trailing edge up.
void set_con_eff(int w, int kind, float crat, float def, float* dcl, float* dcd, float* dcm,
                 const char* name);
// Angle of attack shift, degrees, that a lift-coefficient increment causes on surface w.
float induce_alpha(float cl, int w);

// ---- Propellers, rotors and jets -------------------------------------------------------------

// All propeller engines of an aeroplane, or a helicopter's engines, main rotor and tail rotor:
// shaft torque, disc forces, wash, pitch governing and rotor speed. Runs inside the force pass
// while there is air.
void props();
// Shaft torque, power, N1 or manifold pressure of engine i and its torque reaction on the airframe.
void apropengine(int i);
// Forces of disc i with its hub at longitudinal z, lateral x and vertical y (m, body axes), ring by
// ring at four blade positions, and the disc's and rings' wash for the next frame.
void aprop(int i, float z, float x, float y);
// Clears the helicopter's filtered main-rotor roll and pitch moments, which carry over from frame
// to frame; the program starts with them clear.
void reset_props();
// Every jet engine, each at its engine arm.
void jets();

// ---- Ground and water contact ----------------------------------------------------------------

// Contact point n (0 nose wheel, 1/2 left/right main, 3-6 skid ends, 7 body, 8 wing tip) at
// lateral x, height y and longitudinal z (m, body axes) against the hard surface under it: spring,
// damper, friction, brakes and steering. Returns 1 when the point carries load.
int handle_contact_point(int n, float x, float y, float z);
// Height of the hard surface the contact points meet at world (Xw, Zw), m: the deck of the ship
// or the roof the aircraft is over, else the terrain.
float hard_surface_h(float Xw, float Zw);
// Velocity of the ship's deck under the aircraft, east and north, m/s; zero off the decks.
void deck_velocity(float* vx, float* vz);
// Outline point `point` of station `station` of body `part` at body position (x, y, z) against
// water whose surface lies at h_water (m, the datum of flt.h): buoyancy, damping, planing,
// friction. damp_scale (0..1) is the share of the water's damping applied in this pass: the
// damping goes as the square of the sink speed, and applied whole over a long step to a hull
// meeting the water fast it would throw the aircraft back up faster than it came down.
void handle_float_point(int part, int station, int point, float x, float y, float z, float h_water,
                        float damp_scale);
// The water's damping on that point per m/s of its vertical speed (N s/m); 0 when it is dry.
float float_point_damping(int part, int station, int point, float x, float y, float z,
                          float h_water);
// Pitch and roll rates of a ship's deck, degrees per second: type 36 the frigate, 37 the carrier.
float the_dot_now(int type);
float phi_dot_now(int type);
// Spring-damper contact force, N: 0 while the compression x (m) is negative, else x k + v c limited
// to five times the maximum weight, whole newtons, never pulling.
float dampedforce(float x, float v, float k, float c);

// ---- Flight start ----------------------------------------------------------------------------

// The start types of set_fltvars.
enum {
  START_AIRPORT = 32,    // the selected airport and runway, as msc.typestart says
  START_CUSTOM = 33,     // the custom position, power and gear by speed (a situation)
  START_IN_FLIGHT = 34,  // the custom position, in flight (over a navaid)
  START_HELIPAD = 35,    // approach to the nearest building-top helipad
  START_FRIGATE = 36,    // approach to the nearest frigate
  START_CARRIER = 37,    // approach to the nearest carrier
  START_OIL_RIG = 38,    // approach to the nearest oil rig
  START_CATAPULT = 39,   // on the nearest carrier's catapult
  START_FORMATION = 40,  // behind the nearest traffic aircraft
};
// How an airport start begins (msc.typestart).
enum { TYPESTART_TAKEOFF = 900, TYPESTART_VFR_FINAL = 1000, TYPESTART_ILS_FINAL = 1100 };
// Where and how a flight starts: world position (m), heading and pitch (degrees), speed (m/s), the
// engines' power fraction, the gear (1 down) and the catapult stage (3 held, 5 none).
struct start_place {
  double X, Y, Z;
  float psi, the, v;
  float power;
  int gear;
  int cat_stage;
};

// Starts a flight at the place: everything the last flight left behind is forgotten (the flight
// state, which takes the chosen loads of set.load_*, the path, and what the force pass, the
// rotors, the periodic passes, the failures, the turbulence, the controls and the warnings keep
// between frames), every failure repaired, the engines and gear set, the aircraft lifted out of
// the terrain when below it, the autopilot off and the controller dialogue started afresh.
// set_fltvars ends here once it has found the place.
void start_flight_state(const start_place* s);
// 1 when the flight has started in flight: moving, not held on a catapult, and more than 3 m above
// its resting height over the terrain. Such a start moves with the wind at the aircraft.
int start_is_airborne();
// The flight carries the loads of set.load_* from now on (a start does this).
void take_on_loads();

// Starts or restarts a flight of the given start type (START_*; for START_AIRPORT, msc.typestart
// says how). A search that finds nothing gives a notice and leaves the flight as it was.
void set_fltvars(int type);
// Engines at power fraction p (throttles, rotor speeds, spool, wash), as a flight starts them.
void initpower(float p);
// Gear handle and legs down (1) or up (0), a fixed gear always down; the parking brake is set
// with the gear down.
void setgear(int down);

// ---- Once-a-second checks --------------------------------------------------------------------

// The once-a-second pass of the flight frame: controller timers, radio retuning, real weather and
// weather evolution, stick forces, fuel, ice, failures, engines, pressures, lightning, gravity,
// speed warnings and the rain sound, in that order.
void mod_sec();
// 1 when failure entry i (0..29) fails in this second: by its own schedule (rel.fail_type) or by
// the random rate rel.total_fail_entry; 0 for any other i.
int failme(int i);
// Draws this second's failures of every entry the aircraft has and that still works.
void draw_failures();
// Failure entry i's item (0..29; every engine's for a per-engine item) back to working.
void repair_failure(int i);
// Hydraulic and oil pressure ratios rel.hyd_rat and rel.oil_rat for this second.
void update_pressures();
// Forget what the once-a-second pass keeps between calls: its sub-rate counters, the time of the
// last fuel update and the rain-sound state; and the hydraulic and oil-pump failure times.
void reset_periodic_checks();
void reset_failures();
// For a new flight: the sub-rate count starts again and the fuel clock at the present time.
void start_periodic_checks();
// Disarms the glide-slope warning and forgets its last call.
void reset_glide_slope_warning();
// Forgets the exact times the clocks keep beside the floats of msc.
void reset_exact_clocks();
// Forgets when the last position sentences went out, and the days the flight has seen.
void reset_serial_outputs();
