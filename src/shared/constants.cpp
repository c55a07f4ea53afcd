// The constants record and the whole-degree sine and cosine tables, filled once at start-up.
#include "shared/shared.h"

#include <cmath>

constantstruct con;
float lookup_sin[361];
float lookup_cos[361];

// Fills both tables from the sines of 0..90 degrees by symmetry, so that the quadrant points come
// out exact (sin 180 is 0, not the 1e-16 a direct evaluation gives) and every entry has the same
// magnitude as its mirror images.
static void fill_trig_tables() {
  const double pi = 3.14159265358979323846;
  float quarter[91];
  for (int i = 0; i <= 90; i++) quarter[i] = static_cast<float>(std::sin(i * pi / 180.0));
  quarter[90] = 1.0f;
  for (int i = 0; i <= 360; i++) {
    if (i <= 90) {
      lookup_sin[i] = quarter[i];
      lookup_cos[i] = quarter[90 - i];
    } else if (i <= 180) {
      lookup_sin[i] = quarter[180 - i];
      lookup_cos[i] = -quarter[i - 90];
    } else if (i <= 270) {
      lookup_sin[i] = -quarter[i - 180];
      lookup_cos[i] = -quarter[270 - i];
    } else {
      lookup_sin[i] = -quarter[360 - i];
      lookup_cos[i] = quarter[i - 270];
    }
  }
}

// Each derived field is computed from fields already stored above it, so it inherits their
// single-precision rounding: g from the stored muearth and rearth, ktstomsc from the stored
// fttomtrs, and so on down the record.
void init_constants() {
  con = constantstruct{};

  con.muearth = 398601184346112.0f;
  con.rearth = 6378145.0f;
  con.rhoSL = 1.225f;
  con.muair = 1.7894e-05f;
  con.pi = 3.1415927f;
  con.pim2 = con.pi * 2.0f;
  con.g = con.muearth / (con.rearth * con.rearth);
  con.rho_h20 = 1000.0f;

  con.lbstokgs = 0.4535925f;
  con.kgstolbs = 1.0f / con.lbstokgs;
  con.fttomtrs = 0.3048f;
  con.mtrstoft = 1.0f / con.fttomtrs;
  con.hptowatt = 745.7f;
  con.watttohp = 1.0f / con.hptowatt;
  con.dgrtodgk = 0.5555556f;
  con.dgktodgr = 1.0f / con.dgrtodgk;
  con.radtodeg = 180.0f / con.pi;
  con.degtorad = 1.0f / con.radtodeg;
  con.ktstomsc = static_cast<float>(con.fttomtrs * 1.687809861111111);
  con.msctokts = 1.0f / con.ktstomsc;
  con.rpmtorsc = con.degtorad * 6.0f;
  con.rsctorpm = 1.0f / con.rpmtorsc;
  con.fpmtomsc = con.fttomtrs / 60.0f;
  con.msctofpm = 1.0f / con.fpmtomsc;
  con.nmtomtrs = static_cast<float>(con.fttomtrs * 6076.1155);
  con.mtrstonm = 1.0f / con.nmtomtrs;
  con.sftosmtr = con.fttomtrs * con.fttomtrs;
  con.smtrtosf = 1.0f / con.sftosmtr;
  con.lbstontn = con.lbstokgs * con.g;
  con.ntntolbs = 1.0f / con.lbstontn;
  con.ftlbtonm = con.lbstontn * con.fttomtrs;
  con.nmtoftlb = 1.0f / con.ftlbtonm;
  con.endtomed = con.g * con.lbstokgs / (con.fttomtrs * con.fttomtrs * con.fttomtrs * con.fttomtrs);
  con.medtoend = 1.0f / con.endtomed;
  con.meptoenp = 1.0f / (con.lbstontn * con.smtrtosf);
  con.nm_to_sm = 1.1507795f;
  con.mtrtoplt = 0.0066666668f;
  con.plttomtr = 1.0f / con.mtrtoplt;
  // mtrtonrt and nrttomtr stay 0 until the terrain loader sets the map scale.

  fill_trig_tables();
}
