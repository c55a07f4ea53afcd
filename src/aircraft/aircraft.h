// The aircraft definition: the aircraft record pln, the airfoil tables afl, and the queries of
// which parts exist and where they sit.
#pragma once

// ---- Sizes -----------------------------------------------------------------------------------

// Every per-part array has one slot per part: 0-3 propeller or rotor discs of engines 1-4 (a
// helicopter's main rotor in 0 and tail rotor in 1), 4/5 left/right wing 1, 6/7 left/right wing 2,
// 8/9 left/right horizontal stabiliser, 10/11 vertical stabilisers 1/2, 12 fuselage, 13-16
// nacelles 1-4, 17/18 the two miscellaneous bodies (floats or fuel tanks).
enum {
  NUM_PARTS = 19,
  MAX_ELS = 8,  // elements along the span of a lifting surface, numbered root outward
  MAX_ENGINES = 4,
  BODY_SECTIONS = 18,  // cross-sections held per body; the file stores 0..8
  BODY_POINTS = 8,     // points around a cross-section: 0 top, 2 right, 4 bottom, 6 left
  FLAP_ROWS = 51,      // flap settings 0..50, in 1/50 of full travel
  AH_LINES = 118,      // attitude-indicator scan lines
  PANEL_LOCS = 9,      // panel locations 1..8; slot 0 unused
  AFL_CL_ROWS = 171,   // lift rows 100..270 (|angle| 10..90 degrees)
  AFL_CD_ROWS = 271,   // drag rows 0..270 (|angle| 0..90 degrees)
};

// The part slots (see above); a part's existence is have_this_part's to say.
enum {
  PART_MAIN_ROTOR = 0,  // propeller 1, or a helicopter's main rotor
  PART_TAIL_ROTOR = 1,  // propeller 2, or a helicopter's tail rotor
  PART_LAST_DISC = 3,   // propellers and rotors are 0..3
  PART_WING1_LEFT = 4,
  PART_WING1_RIGHT = 5,
  PART_WING2_LEFT = 6,
  PART_WING2_RIGHT = 7,
  PART_HSTAB_LEFT = 8,
  PART_HSTAB_RIGHT = 9,  // wings and horizontal stabilisers are 4..9
  PART_VSTAB1 = 10,
  PART_VSTAB2 = 11,  // lifting surfaces are 4..11
  PART_FUSELAGE = 12,
  PART_NACELLE1 = 13,
  PART_NACELLE4 = 16,
  PART_MISC1 = 17,
  PART_MISC2 = 18,  // bodies are 12..18
};

// Engine types (pln.entype). Piston and turboprop engines drive propellers or rotors.
enum { ENGINE_NONE = 0, ENGINE_PISTON = 1, ENGINE_TURBOPROP = 2, ENGINE_JET = 3 };

// ---- Aircraft record -------------------------------------------------------------------------

// The one aircraft being flown or edited. Body axes: X right, Y up, Z aft. In the simulator all
// values are SI (m, m^2, kg, N, N m, W, rad/s) with angles in degrees, and after loading every
// longitudinal and vertical arm is measured from the centre of gravity; the editor keeps the
// file's units (ft, ft^2, lb, kt, hp, rpm). Flags are 0/1.
// Lifetime: program; filled completely by each aircraft load, read by every subsystem.
struct planestruct {
  // Identity and files
  int is_heli;        // 1 for a helicopter
  int draw_full;      // option of the aircraft drawing
  char C_file[400];   // aircraft file name
  char C_path[400];   // full path of the aircraft file
  char tailnum[400];  // tail number

  // Speeds
  int asi_units;                 // airspeed indication units: 1 mph, 2 kt
  float Vso, Vs, Vfe, Vno, Vne;  // characteristic speeds, in the asi_units units, > 0
  float Mmo;                     // maximum Mach number
  float peX, peY, peZ;           // pilot's eye position, m (right, up, aft)

  // Instrument panel
  int paneltype;     // panel type; 2 is the glass panel
  int radiotype;     // radio stack type
  int AStype;        // airspeed-indicator type 1..3
  int supptype;      // equipment (layout) type: 3 Argus, 6 weather radar; 1 and 7 have no GPS
  int HUDtype;       // head-up display type
  int VVItype;       // vertical-speed-indicator type
  int ecam;          // 1: the panel has an ECAM display (set by preparation)
  int tape;          // 1: tape engine gauges (set by preparation)
  int cp;            // panel option
  float ASpwr;       // airspeed-indicator scale exponent, 0.3 or 1 (set by preparation)
  float Vmin, Vmax;  // airspeed-indicator scale ends, asi_units
  int gsx1, gsx2, gsw, gsy1, gsyc, gsy2;         // panel gauge geometry, panel pixels
  int ah_dim_int;                                // attitude-indicator size, pixels
  int ah_semidim_int;                            // its half size, pixels
  float ah_semidim_flt;                          // its half size, pixels (float form)
  int ah_top_prim, ah_top_roll;                  // top scan line of the primary and roll displays
  int ah_bot_prim, ah_bot_roll;                  // bottom scan line of the same
  int ahx1_prim[AH_LINES], ahx1_roll[AH_LINES];  // left x of each scan line, pixels
  int ahx2_prim[AH_LINES], ahx2_roll[AH_LINES];  // right x of each scan line, pixels
  int has_ins[PANEL_LOCS];     // per-instrument flags, slots 1..8; not set by the loaders
  int ins_of_loc[PANEL_LOCS];  // instrument in location 1..8 (upper row 1..4, lower 5..8):
                               // 0 none, 1 airspeed, 2 horizon, 3 altimeter, 4 supplementary,
                               // 5 turn-slip, 6 directional gyro, 7 vertical speed, 8 ADF
  int loc_of_ins[PANEL_LOCS];  // inverse of ins_of_loc: location 1..8 of instrument 1..8, 0 none
  int loc_x[PANEL_LOCS];       // centre x of panel location 1..8, panel pixels
  int loc_y[PANEL_LOCS];       // centre y of panel location 1..8: 222 upper row, 84 lower row
  int ff_hydraulic;            // force feedback: hydraulic (irreversible) controls
  int ff_stickshaker;          // force feedback: stick shaker fitted

  // Powerplant
  int entype;                // engine type: ENGINE_NONE, _PISTON, _TURBOPROP, _JET
  int bypass;                // jet bypass: 0 or 1
  int numen;                 // number of engines, 0..4
  float pmax;                // maximum power per engine, W
  float critalt;             // critical altitude, m
  float omegamin;            // idle rotation speed, rad/s
  float omegamax;            // maximum rotation speed, rad/s
  float omegamingreen;       // green arc low end, rad/s
  float omegamaxgreen;       // green arc high end, rad/s
  float tmax;                // maximum thrust per engine, N
  float spooltime;           // engine spool-up time, s
  float facejet;             // jet engine face area, m^2
  float burnerinc;           // afterburner thrust increment, N
  int revthrustEQ;           // reverse thrust fitted
  float trotor_rat;          // tail-rotor gearing: tail rotor speed / main rotor speed
  int vectEQ;                // thrust vectoring fitted
  float vectarm;             // thrust-vector pivot arm, m
  int varpitchEQ;            // variable-pitch (constant-speed) propellers
  int collectEQ;             // collective pitch control (equals is_heli)
  int propdir[MAX_ENGINES];  // rotation sense per disc, +1 or -1
  float numblades[MAX_ENGINES];     // blades per disc
  float minpitch[MAX_ENGINES];      // flat blade pitch, degrees
  float maxpitch[MAX_ENGINES];      // open blade pitch, degrees
  float sidecant[MAX_ENGINES];      // engine side cant, degrees
  float vertcant[MAX_ENGINES];      // engine vertical cant, degrees: 0 axis forward, 90 axis up
  float sin_sidecant[MAX_ENGINES];  // sine of sidecant (kept current by the controls)
  float cos_sidecant[MAX_ENGINES];  // cosine of sidecant
  float sin_vertcant[MAX_ENGINES];  // sine of vertcant
  float cos_vertcant[MAX_ENGINES];  // cosine of vertcant
  float des_adv[MAX_ENGINES];       // design advance per revolution, m
  float des_rpm[MAX_ENGINES];       // design rotation speed, rad/s
  float des_vel[MAX_ENGINES];       // design speed, m/s
  float miprop[MAX_ENGINES];        // rotational inertia of each disc, kg m^2 (derived)
  float discarea[MAX_ENGINES];      // disc area, m^2 (derived)
  float ringarea[MAX_ENGINES][MAX_ELS];  // area swept by each blade element, m^2 (derived)

  // Lifting surfaces, parts 0..11 (slots 12..18 unused)
  char Rafl0[NUM_PARTS][400];  // root airfoil file, first Reynolds number (full path in flight)
  char Rafl1[NUM_PARTS][400];  // root airfoil file, second Reynolds number
  char Tafl0[NUM_PARTS][400];  // tip airfoil file, first Reynolds number
  char Tafl1[NUM_PARTS][400];  // tip airfoil file, second Reynolds number
  int els[NUM_PARTS];          // elements along the span, 0..8
  int sweep1[NUM_PARTS];       // sweep, whole degrees (may be negative in the file)
  int sweep2[NUM_PARTS];       // second sweep for variable sweep, whole degrees
  int sweepnow[NUM_PARTS];     // current sweep, whole degrees (starts at sweep1)
  int dihed[NUM_PARTS];        // dihedral, whole degrees (90 for an upright fin)
  float semilen[NUM_PARTS];    // semi-span or blade length, m; a part exists above 0.05 m
  float Croot[NUM_PARTS];      // root chord, m
  float Ctip[NUM_PARTS];       // tip chord, m
  float Xarm[NUM_PARTS];       // root position right, m
  float Yarm[NUM_PARTS];       // root position up, m
  float Zarm[NUM_PARTS];       // root position aft, m
  float anginc[NUM_PARTS][MAX_ELS];  // incidence (blade twist) per element, degrees
  float trat[NUM_PARTS];             // airfoil thickness ratio
  int varsweepEQ[NUM_PARTS];         // variable sweep fitted
  int diffRe[NUM_PARTS];             // a second Reynolds-number airfoil is used
  int diffRT[NUM_PARTS];             // separate tip airfoils are used
  float Re[NUM_PARTS][2][2];         // Reynolds number of each airfoil file, millions,
                                     // [part][root 0 / tip 1][Reynolds choice 0 / 1]
  float s[NUM_PARTS][MAX_ELS];       // element area, m^2 (derived)
  float mac[NUM_PARTS][MAX_ELS];     // element mean aerodynamic chord, m (derived)
  float AR[NUM_PARTS];               // aspect ratio (derived)
  float e[NUM_PARTS];                // Oswald span efficiency, 0.5..1 (derived)
  float delta_fac[NUM_PARTS];        // aerodynamic-centre shift factor, 0..1 (derived)
  float al_D_al0[NUM_PARTS];         // finite-wing angle-of-attack ratio (derived)
  float cl_D_cl0[NUM_PARTS];         // finite-wing lift ratio (derived)
  float cm_D_cm0[NUM_PARTS];         // finite-wing moment ratio (derived)
  float alpha_max[NUM_PARTS];        // stall angle of attack, degrees (airfoil / al_D_al0)
  float slat_effect[NUM_PARTS];      // stretch of the coefficient curves with full slats, 1 without
  float spec_wash[NUM_PARTS];        // downwash, degrees per unit mean lift coefficient
  int in_wash[NUM_PARTS][NUM_PARTS][MAX_ELS];        // [a][b][e]: element e of b in a's downwash
  int in_propwash[NUM_PARTS][MAX_ENGINES][MAX_ELS];  // [p][n][e]: element e of p in disc n's wash
  float lo_washdir[NUM_PARTS][MAX_ENGINES];   // slipstream angle below which none reaches, deg
  float hi_washdir[NUM_PARTS][MAX_ENGINES];   // slipstream angle above which none reaches, deg
  float max_washdir[NUM_PARTS][MAX_ENGINES];  // slipstream angle of full wash, degrees

  // Controls: per-element devices
  int ailn[NUM_PARTS][MAX_ELS];  // element carries an aileron
  int splr[NUM_PARTS][MAX_ELS];  // spoiler
  int flap[NUM_PARTS][MAX_ELS];  // flap
  int slat[NUM_PARTS][MAX_ELS];  // slat
  int sbrk[NUM_PARTS][MAX_ELS];  // speed brake
  int drud[NUM_PARTS][MAX_ELS];  // yaw brake (split rudder)
  int elev[NUM_PARTS][MAX_ELS];  // elevator
  int rudd[NUM_PARTS][MAX_ELS];  // rudder
  // 1 when any element of an existing part carries the device
  int ailnEQ, splrEQ, flapEQ, slatEQ, sbrkEQ, drudEQ, elevEQ, ruddEQ;

  // Controls: surfaces and equipment
  float ailn_crat, elev_crat, rudd_crat;         // control chord / element chord, 0..1
  float splr_crat, drud_crat, sbrk_crat;         // control chord / element chord, 0..1
  float ailn_up, ailn_dn;                        // aileron travel up and down, degrees
  float elev_up, elev_dn;                        // elevator travel up and down, degrees
  float rudd_def, splr_def, drud_def, sbrk_def;  // maximum deflections, degrees
  float slat_inc;                                // angle-of-attack gain with full slats, degrees
  int con_smooth;                                // control-surface finish: 1, 2 or 3
  int hstabtype;       // 0 stabiliser with elevator, 1 stabilator (all-moving)
  float hstbtrimmax;   // maximum stabiliser trim (1.0 helicopter / 0.5 otherwise when untrimmable)
  char flap_str[400];  // flap file name (full path in flight)
  float clflap[FLAP_ROWS];  // flap lift-coefficient increment per setting 0..50
  float cdflap[FLAP_ROWS];  // flap drag-coefficient increment
  float cmflap[FLAP_ROWS];  // flap moment-coefficient increment
  int puffEQ;               // reaction-control puffers fitted
  int fbrkEQ;               // fuselage speed brake fitted
  int chuteEQ;              // drag chute fitted
  int jatoEQ;               // take-off rockets fitted
  int jettisonEQ;           // jettisonable load fitted
  int flyingstabEQ;         // trimmable stabiliser fitted

  // Bodies (12 fuselage, 13-16 nacelles, 17/18 miscellaneous bodies)
  float fuse_cd;                 // fuselage drag coefficient
  int fusewash;                  // fuselage in the first propeller's slipstream
  int nace_eq;                   // nacelles fitted
  int misc_eq;                   // miscellaneous bodies fitted
  float misc_X, misc_Y, misc_Z;  // miscellaneous body position, m (right, up, aft)
  float body_r[NUM_PARTS];       // body radius (editor only)
  float body_X[NUM_PARTS][BODY_SECTIONS][BODY_POINTS];  // body point right, m
  float body_Y[NUM_PARTS][BODY_SECTIONS][BODY_POINTS];  // body point up, m
  float body_Z[NUM_PARTS][BODY_SECTIONS][BODY_POINTS];  // body point aft, m
  float fuseZcent, fuseYcent;  // fuselage surface centroid, m aft and up (derived)
  float fuse_s_frn;            // fuselage frontal area, m^2 (derived)
  float fuse_s_sid;            // fuselage side area, m^2 (derived)
  float fuse_s_top;            // fuselage top area, m^2 (derived)
  float nace_s;                // frontal area of one nacelle, m^2 (derived)
  float misc_s;                // frontal area of a miscellaneous body, m^2 (derived)

  // Mass
  float cgZ, cgY;      // centre of gravity aft and up in the file's frame, m
  float Jxx_unitmass;  // squared radius of gyration in pitch, m^2 (derived)
  float Jyy_unitmass;  // squared radius of gyration in yaw, m^2 (derived)
  float Jzz_unitmass;  // squared radius of gyration in roll, m^2 (derived)
  float m_empty;       // empty mass, kg, >= 1
  float m_max;         // maximum mass, kg, >= 1
  float m_fuel;        // fuel capacity, kg
  float m_jettison;    // jettisonable (water) load capacity, kg

  // Landing gear
  int gearEQ;            // wheels fitted
  int retractEQ;         // wheels retractable
  int skidEQ;            // skids fitted
  float nwsteer;         // steerable-wheel maximum angle, degrees (negative for a tail wheel)
  int nwsteerEQ;         // wheel steering fitted
  float sgear;           // gear drag area, m^2
  float ngearZ, ngearY;  // steerable wheel aft and up, m
  float mgearZ, mgearX, mgearY;       // main gear aft, right (each side) and up, m
  float skidX, skidY, skidZ;          // skid front end right, up and aft, m
  float skidl;                        // skid length, m
  float ngearcon, mgearcon, skidcon;  // spring constants, N/m (derived)
  float ngeardmp, mgeardmp, skiddmp;  // damping constants, N s/m (derived)
  float h_eqlbm;    // height of the reference point at rest on the ground, m (derived)
  float the_eqlbm;  // pitch at rest on the ground, degrees (derived)

  // Special equipment
  float jatoZ, jatoY;     // take-off rocket position aft and up, m
  float jatotheta;        // rocket angle, degrees, 0 along the long axis aft
  float jatothrust;       // rocket thrust, N
  float jatodur;          // rocket burn time, s
  float stabroll;         // differential stabiliser deflection with roll, degrees
  float ailpitch;         // aileron deflection with pitch, degrees
  float ailflaps;         // aileron deflection with flaps, degrees
  int antiiceEQ;          // anti-ice fitted
  int arrestingEQ;        // arresting hook fitted
  int bitchinbettyEQ;     // spoken warnings fitted
  int autosbrkEQ;         // automatic speed brake on touchdown
  int autofbrkEQ;         // automatic wheel brakes on touchdown
  int autosweepEQ;        // automatic sweep with flaps
  int autoslatEQ;         // automatic slats with flaps
  float speedbrake_area;  // fuselage speed-brake area, m^2
  float chute_area;       // drag-chute area, m^2

  // Vertical flight
  float elevcyclic, ailncyclic;  // pitch and roll cyclic deflections, degrees
  float puffL, puffM, puffN;     // puffer moments in roll, pitch and yaw, N m

  // Artificial stability: authority (max) and gain in pitch, heading and roll
  float ASloV, AShiV;  // low and high speed of the schedule, kt; AShiV >= ASloV + 1
  float ASmaxp1, ASp1, ASmaxh1, ASh1, ASmaxr1, ASr1;  // at the low speed
  float ASmaxp2, ASp2, ASmaxh2, ASh2, ASmaxr2, ASr2;  // at the high speed
};
extern planestruct pln;

// ---- Airfoil tables --------------------------------------------------------------------------

// Coefficient tables of every airfoil file of the aircraft, each indexed
// [part 0..18][root 0 / tip 1][Reynolds choice 0 / 1], the same order as pln.Re. Row n of the
// tables stands for n/10 degrees for n = 0..200 and n - 180 degrees for n = 201..270; the lift
// tables hold rows 100..270 at entry n - 100. The pos tables serve positive angles, the neg
// tables zero and negative angles (by magnitude). Lifetime: program; refilled by each load.
struct airfoilstruct {
  float clneg[NUM_PARTS][2][2][AFL_CL_ROWS];  // lift coefficient, |angle| 10..90, negative side
  float cdneg[NUM_PARTS][2][2][AFL_CD_ROWS];  // drag coefficient, |angle| 0..90, negative side
  float clpos[NUM_PARTS][2][2][AFL_CL_ROWS];  // lift coefficient, angle 10..90
  float cdpos[NUM_PARTS][2][2][AFL_CD_ROWS];  // drag coefficient, angle 0..90
  float clM[NUM_PARTS][2][2];    // slope of the straight lift line below 10 degrees, per degree
  float clB[NUM_PARTS][2][2];    // lift coefficient of that line at 0 degrees
  float cmal2[NUM_PARTS][2][2];  // lower angle of the central moment line, degrees (> -20)
  float cmal3[NUM_PARTS][2][2];  // upper angle of the central moment line, degrees (< 20)
  float cm1[NUM_PARTS][2][2];    // moment coefficient at -20 degrees
  float cm2[NUM_PARTS][2][2];    // moment coefficient at cmal2
  float cm3[NUM_PARTS][2][2];    // moment coefficient at cmal3
  float cm4[NUM_PARTS][2][2];    // moment coefficient at +20 degrees
  float al_zl[NUM_PARTS][2][2];  // zero-lift angle, degrees (-clB / clM)
};
extern airfoilstruct afl;

// Restore the records to their start-up state: pln all zero except draw_full 1; afl all zero.
void reset_pln();
void reset_afl();

// ---- Part queries ----------------------------------------------------------------------------

// 1 when part p exists in the current aircraft. Discs 0..3 need a non-jet engine of that number
// (a helicopter always has 0 and 1), surfaces 4..11 a semi-span above 0.05 m, the fuselage always
// exists, nacelles 13..16 need nace_eq and their engine, body 17 misc_eq and body 18 misc_eq with
// a lateral offset above 0.01 m. The right wings 5 and 7 are lost while wings_torn_off is set.
// Any other p gives 0.
int have_this_part(int p);
// 1 when the panel's supplementary place holds NAV 1 (supplementary types 1 and 7: two NAV
// receivers and no GPS); the other types show the GPS there, and NAV 1 receives nothing.
int supp_is_nav1();

// 1 while the right wings 5 and 7 are torn off: the redline was busted (flight state, cleared at
// every flight start and by reset_flt). The flight writes it; it lives beside the part queries
// rather than in flt so that the editor, which links no flight, shares them. The editor never
// sets it.
extern int wings_torn_off;

// Span position of the centre of element e of part p, m from the root.
float get_wing_rarm(int p, int e);

// Position of the point r metres out along the span of part p, following its dihedral and current
// sweep; the left-hand parts 4, 6 and 8 extend to the left.
float get_wing_Xarm(int p, float r);
float get_wing_Yarm(int p, float r);
float get_wing_Zarm(int p, float r);

// Stations of part p's outline and points around each station.
int f_body_s_dim(int p);
int f_body_r_dim(int p);

// Offset of part p's outline from the reference point, m (right, up, aft).
void get_body_os(int p, float* x, float* y, float* z);

// ---- Aircraft file ---------------------------------------------------------------------------

// The checkpoint of part section p is ACF_PART_CHECKPOINT + p; its line carries the part's tag.
enum { ACF_PART_CHECKPOINT = 102, LIFTING_PARTS = 12 };
extern const char* const acf_part_tags[LIFTING_PARTS];  // "prop1EN" .. "vstb2EN"

// How a value of the file is written and read.
enum acf_kind {
  ACF_NAME,      // a string line (an airfoil file name, made a full path by the simulator)
  ACF_ROTATION,  // 0 for the usual sense of rotation, else the other: +1 or -1 in the simulator
  ACF_INT,       // an integer
  ACF_DEGREES,   // whole degrees, brought into 0..359 by the simulator
  ACF_FLAG,      // written as 1 or 0; the simulator takes only 1 as set
  ACF_SWITCH,    // written as the editor holds it; the simulator takes only 1 as set
  ACF_FLOAT,     // fixed point with the field's decimals
};
// The unit a value has in the file (and in the editor); the simulator converts to SI on reading.
enum acf_unit { UNIT_NONE, UNIT_DEG, UNIT_FT, UNIT_INCH, UNIT_RPM, UNIT_KT };
// A value in a file unit converted to SI with the conversions of con.
float acf_to_si(float v, acf_unit u);

// One value of a part section: a field indexed by part (exactly one of str, i, f is set).
struct acf_part_field {
  const char* label;    // what the editor's part screens call it
  const char* comment;  // the text after the value, its leading blank and line end included
  acf_kind kind;
  int decimals;  // for ACF_FLOAT
  acf_unit unit;
  int discs_only;  // only in the sections of the propellers and rotors (parts 0..3)
  float lo, hi;    // the range the simulator's reader insists on; lo > hi when it checks none
  char (*str)[400];
  int* i;
  float* f;
};
// The values of a part section before its incidences and control lines, in file order; the
// writer, both readers and the editor walk this one list.
extern const acf_part_field acf_part_fields[];
extern const int acf_part_field_count;
// One line of per-element control flags and the parts whose sections hold it, in file order.
struct acf_control_line {
  int first, last;        // parts first..last
  int (*flags)[MAX_ELS];  // the per-element flags, indexed by part
  int* eq;                // the aircraft-wide flag the simulator sets
  const char* name;       // the text that ends the line
};
extern const acf_control_line acf_control_lines[];
extern const int acf_control_line_count;

// The simulator's reader. Reads sections 100 to 121 of the aircraft file open in inf into pln,
// converting to SI and applying the reading rules and checks; bad data is a fatal alert. The
// caller opens and closes the file. Also lays out the panel locations and clears the aircraft-wide
// control flags before the part sections.
void read_plane_file();
// The element areas and chords of part p, and for an existing propeller or rotor its rings, disc
// area and inertia (from pln in SI units).
void part_geometry(int p);

// The editor's reader: reads the aircraft file open in inf into pln as written, in the file's
// units, closes it, and hands each part's root airfoil (full path) to readin_foil_hook.
void readin();
// The editor's set-up for the aircraft type, called with the first value of the file before the
// rest is read, and its airfoil-thickness set-up; both may be null.
extern void (*readin_type_hook)(int is_heli);
extern void (*readin_foil_hook)(const char* path, int p);

// ---- Calls up to the layers above ------------------------------------------------------------

// The aircraft layer and the layers above it call the drawing through these, never directly, so
// that calls only go down the layer order of docs/design.md. The application fills them in
// src/app/hooks.cpp; a test may replace one.
struct aircraft_hookstruct {
  void (*load_drawing)(int build_geometry, int only_textures);  // the aircraft's drawing
};
extern aircraft_hookstruct aircraft_hooks;

// The writer: writes pln, held in the file's units, to path as a complete aircraft file. Returns 1
// when the file was written; on failure the save alert has been shown and any earlier file of that
// name is untouched.
int writeout_file(const char* path);

// ---- Airfoil and flap files ------------------------------------------------------------------

// Reads one airfoil file into the tables of part p, root or tip rt, Reynolds choice re, with its
// thickness ratio, Reynolds number (millions) and stall angle.
void grabafoil(const char* path, int p, int rt, int re);
// Refuses two airfoils of part p at position rt whose Reynolds numbers lie less than 0.99 million
// apart, and otherwise puts the lower Reynolds number in choice 0.
void checkRediff(const char* path0, const char* path1, int p, int rt);
// Reads the flap file into clflap, cdflap and cmflap.
void read_flap_file(const char* path);

// ---- Preparation and checks ------------------------------------------------------------------

// Loads the aircraft named by pln.C_path: file, airfoils, derived geometry, flaps, checks,
// analysis report (to trk), drawing and sound. A load that fails leaves the previous aircraft in
// pln and afl untouched.
void load_plane();
// Whether loads (kg) fit the aircraft, checked in this order: fuel within the tanks, the
// jettisonable load within its capacity, and the whole within the maximum weight. *payload_room
// receives the payload the fuel and jettisonable load leave room for (never below 0).
enum { LOADS_FIT = 0, LOADS_FUEL_OVER, LOADS_JETTISON_OVER, LOADS_WEIGHT_OVER };
int loads_fit(float fuel, float payload, float jettison, float* payload_room);
// Span efficiencies and finite-wing corrections with the airfoils, arms from the centre of
// gravity, body areas, radii of gyration, gear constants and resting attitude, and the
// slipstream tables.
void finish_readin1();
// Stall speed at the maximum weight from the wings' area (the stabilisers' or fins' when there
// are no wings), m/s; 50 kt for a helicopter or a design without surfaces. The loader gives it
// to the flight's starts and warnings (msc.est_Vs).
float estimated_stall_speed();
// Mass of one engine, kg: 1.75 lb per horsepower of a piston engine, 0.5 of a turboprop, 0.18 lb
// per pound of a jet's thrust.
float engine_mass();
// Panel scale values.
void finish_readin2();
// The slipstream tables and angles, with their report; the downwash table and each wing's
// downwash factor.
void build_propwash();
void build_downwash();
// Slat stretch of the coefficient curves, 1 on every slot without slats.
void set_slat_effect();
// The design checks, the analysis report's element, body and downwash sections, the downwash
// table and each wing's downwash factor.
void dump_geo();
// Panel spacing, in panel pixels, between the instruments in locations a and b.
int ret_ins_sep(int a, int b);
// Places the panel locations from ins_of_loc.
void layout_panel_locations();

// Downwash, degrees per unit mean lift coefficient, of a wing of aspect ratio ar and taper ratio
// taper at h semispans above or below and l semispans ahead of the surface behind it.
float findspecwash(float h, float l, float ar, float taper);

// ---- Checks used while reading (fatal alerts) -------------------------------------------------

// The name of part p in the analysis report and in messages: "Left Wing #1" and so on.
const char* part_name(int p);
void check_speed_not_zero(float v, const char* line1);
void check_panel_row(int loc);
void check_instrument_code(int loc, int code);
void check_weight(float kg, const char* line1);
void check_engine_count(int numen);
void check_engine_values();
void check_element_count(int p);
void check_disc(int p);
void check_skid();
// The design checks of dump_geo, in their order.
void check_design();
