// Atmosphere and weather: the weather record atm and the cloud-base relief over the region.
#pragma once

// ---- Sizes -----------------------------------------------------------------------------------

enum {
  WIND_LAYERS = 9,  // below 1000, 2000, 3000, 4000, 5000, 7000, 10000, 15000 ft, and above
  ATM_ROWS = 22,    // standard-atmosphere table rows, 0..200 thousand ft and 259 thousand ft
  STRIKES = 60,     // lightning strikes alive at once
  WXR_I = 631,      // storm field points west to east, 210 per degree
  WXR_K = 421,      // storm field points north to south, 210 per degree
  CLOUD_I = 81,     // cloud-base relief points west to east, 16 per sector
  CLOUD_K = 65,     // cloud-base relief points south to north, 16 per sector
  THERMAL_I = 178,  // terrain grid vertices west to east
  THERMAL_J = 159,  // terrain grid vertices south to north
};

// ---- Weather record --------------------------------------------------------------------------

// The air at and around the aircraft. Heights are m above sea level; the wind at the aircraft
// points east, up and north like the flight state's velocity. Lifetime: program; settings come from
// the preferences and the weather windows, the rest is recomputed during flight.
struct atmospherestruct {
  // Air at the aircraft
  float rho;              // air density, kg/m^3
  float T;                // temperature, K
  float a;                // speed of sound, m/s
  float crtsig;           // density ratio to sea level (rho / con.rhoSL)
  float g;                // gravity at the aircraft's height, m/s^2
  float hr[ATM_ROWS][2];  // standard atmosphere: height (m), density (kg/m^3), rising heights

  // Sea level and altimeter
  float temp_SL;  // sea-level temperature, deg F; 32 or below is winter
  float dewp_SL;  // sea-level dew point, deg F
  float baro;     // altimeter setting, inHg
  char info;      // ATIS information letter, 'A'..'Z'

  // Wind layers
  float wnddir[WIND_LAYERS];                // wind direction, degrees magnetic, 0..360
  float wndspd[WIND_LAYERS];                // wind speed, m/s
  float shrdir[WIND_LAYERS];                // random spread of direction, degrees, 0..180
  float shrspd[WIND_LAYERS];                // random spread of speed (gust), m/s
  float tbl[WIND_LAYERS];                   // turbulence, 0..9
  float wind_tbl;                           // overall windiness used to draw new layers, 1..5
  float wind_X, wind_Y, wind_Z;             // filtered wind at the aircraft, m/s east, up, north
  float thermal_part;                       // share of the terrain carrying thermals, 0..1
  float thermal_vvi;                        // thermal rise rate, m/s
  int therm_on_poly[THERMAL_I][THERMAL_J];  // 1 for terrain cells carrying a thermal

  // Storms, microbursts and precipitation
  float rain_tstm;          // rain/thunderstorm setting, 1..5; above 1 it rains, above 1.5 storms
  float burst_prob;         // microburst setting, 1..5; above 1 enables microbursts
  int inshear;              // a microburst acts on the aircraft
  float level;              // storm level at the aircraft, 0..4
  float prec_rat;           // precipitation ratio heard by the rain sound, 0..1
  float wxr[WXR_I][WXR_K];  // storm intensity over the region, 0..1
  float strike_t_exp[STRIKES];  // expiry time of each lightning strike, s; -1 none

  // Clouds and visibility
  int cld_type;   // cloud kind: 0 none, 1 cloud layer
  float baseMSL;  // cloud base, m
  float topsMSL;  // cloud tops, m
  float baseAGL;  // cloud base above the selected airport, m
  float vis;      // visibility, m, 185.2..37040

  // Evolution of the weather
  int rate_change;    // 4 holds still, 1..3 worsen, 5..7 improve, 8 draws random rates
  int change_clouds;  // let the clouds drift by themselves
  int change_vis;     // let the visibility drift
  int change_precip;  // let the precipitation drift
  int change_turb;    // let the turbulence drift
  int change_micro;   // let the microbursts drift

  // Water and surface
  float wave_amp;      // wave height, m
  float wave_length;   // wave length, m
  float wave_speed;    // wave travel speed, m/s
  int wave_dir;        // wave direction, whole degrees 0..359
  int rway_fric_code;  // runway surface: 1 dry, 2 damp or slushy, 3 wet or icy
  int meteorite_code;  // meteorite setting of the space window
};
extern atmospherestruct atm;

// Cloud-base relief: 5 x 4 sectors of 16 x 16 intervals reaching one sector beyond the region on
// every side; point (i, k) lies at world x interp(16, env.lox, 64, env.hix, i) and z
// interp(16, env.hiz, 48, env.loz, k) (k grows northwards).
extern float cloudxyz[CLOUD_I][CLOUD_K][3];  // x (m), height offset below the base (m), z (m)
extern float cloudrgb[CLOUD_I][CLOUD_K][3];  // grey shade of each point, 0..1 per colour part

// Restore atm to its start-up state: all zero, with the weather held still (rate_change 4) and no
// lightning strike alive.
void reset_atm();

// ---- Wind at the aircraft ----------------------------------------------------------------------

// Layer of a height (m above sea level): the first layer whose upper limit lies above h, else 8.
int wind_index(float h);
// One event tick of the weather: new turbulence targets every twelfth call, microbursts, and the
// filtered wind at the aircraft atm.wind_X/Y/Z.
void wxcalc();
// Sets the wind at the aircraft at once to its layer's mean wind as the ground lets it blow, with
// no gust or turbulence, for a start whose wind blows from its first frame.
void set_wind_at_aircraft();
// Moves every wind layer towards fresh random values drawn from atm.wind_tbl by `rate` (0..1); a
// rate above 0.9 also draws a new base direction, smaller rates drift about the layers' mean one.
void assign_wind_tbl(float rate);
// Storm level at world point (x, z): (rain_tstm - 1) times the mean of the 5 x 5 storm-field points
// around it. Points beyond the field repeat its edge, and a point that has no place in the field
// (no region, a non-finite position) gives 0.
float storm_level_at(float x, float z);
// 1 while lightning strike k is alight: its end (atm.strike_t_exp) is still to come on the
// elapsed-time clock, which runs round at 24 hours; an end of -1 is no strike.
int strike_lit(int k);
// Forgets the turbulence targets, the call counter, any microburst and the base direction.
void reset_wxcalc();
// Forgets what a flight meets at the aircraft, for a new flight: the turbulence targets, the call
// counter and any microburst, so that the first tick draws fresh targets. The base direction of
// the layers is the weather's and stays.
void reset_turbulence();

// ---- Storm field and cloud-base relief ------------------------------------------------------

// Random midpoint relief on the rectangle (i0, j0)..(i1, j1) of a field of ncomp-component points
// with rows of `stride` points, on component comp; levels level_from..level_to, each adding
// fltrand(lo, hi) / 2^level at the middle of every sub-rectangle and interpolating the rest.
void fractalize(int i0, int j0, int i1, int j1, float* field, int stride, int ncomp, int comp,
                float lo, float hi, int level_from, int level_to);
// New storm field for the sector of terrain quadrant q (0..5; 0..2 the southern row).
void gen_wx_for_sec(int q);
// New cloud-base relief for cloud sector (si, sk), si 0..4 west to east, sk 0..3 south to north.
void fill_a_sector_with_ocast(int si, int sk);
// Move the points of sector columns c1..c2 and rows r1..r2 (sector numbers; the point bounds are
// those numbers times the sector size) by (di, dk) points, when the region moves by a degree.
void shift_weather(int c1, int c2, int r1, int r2, int di, int dk);
void shift_cloud(int c1, int c2, int r1, int r2, int di, int dk);
// Fractional cloud-relief point (*fi, *fk) over world point (x, z), held inside the relief; 0 when
// there is no region to place it on.
int cloud_relief_index(float x, float z, float* fi, float* fk);
// Height of the cloud base over world point (x, z), m: the layer's base with the relief of cloudxyz.
float cloud_base_at(float x, float z);

// ---- Weather reports ---------------------------------------------------------------------------

// Decodes one weather report of blank-separated words; field_h is the reporting airport's
// elevation (m). Outputs the report does not give are left as they were. Units: time s of the day,
// base and tops m, visibility m, temperatures deg F, wind direction degrees, speeds m/s, inHg.
void decode_wxr(const char* report, float field_h, float* time, int* cld, float* base, float* tops,
                float* vis, int* precip_kind, int* precip_level, float* temp, float* dewp,
                float* wind_dir, float* wind_spd, float* gust, float* baro);

// ---- Once-a-second weather (called by the flight's once-a-second pass, in this order) ---------

// Reads "USA.rwx" in app_path when the aircraft has crossed a whole degree or a minute has
// passed, and applies the report of the nearest region airport that has one.
void read_real_weather();
// Moves the settings towards the real-weather targets, turns storms into clouds, and limits every
// weather setting to its range.
void settle_weather();
// Lets the weather drift by itself at atm.rate_change (4 holds it still, 8 draws random rates).
void evolve_weather();
// Forgets the real-weather state (targets, last reading, notice) and the random change rate.
void reset_weather_sec();
