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

// The wind at the aircraft for this event tick: turbulence targets, thermals and microbursts.
void wxcalc();
