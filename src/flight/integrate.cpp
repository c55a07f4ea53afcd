// The force accumulators every force source reports through, and the two halves of one
// integration sub-step: rates and velocities (integ_v), then attitude, position and air data
// (integ_x).
#include "flight/flight.h"

#include <cmath>

#include "app/app.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Force accumulators ----------------------------------------------------------------------

void addFaprop(float F, float x, float y) {
  flt.faxilprop += F;
  flt.M -= F * y;
  flt.N -= F * x;
}

void addFsprop(float F, float z, float y) {
  flt.fsideprop += F;
  flt.L += F * y;
  flt.N -= F * z;
}

void addFnprop(float F, float z, float x) {
  flt.fnrmlprop += F;
  flt.L -= F * x;
  flt.M -= F * z;
}

void addFagear(float F, float x, float y) {
  flt.faxilgear += F;
  flt.M -= F * y;
  flt.N -= F * x;
}

void addFsgear(float F, float z, float y) {
  flt.fsidegear += F;
  flt.L += F * y;
  flt.N -= F * z;
}

void addFngear(float F, float z, float x) {
  flt.fnrmlgear += F;
  flt.L -= F * x;
  flt.M -= F * z;
}

void addFaero(float Fa, float Fs, float Fn, float z, float x, float y) {
  flt.faxilaero += Fa;
  flt.fsideaero += Fs;
  flt.fnrmlaero += Fn;
  // Wind axes to body axes, through the sideslip first and then the angle of attack. Flying tail
  // first both angles read about 180 degrees; the backward flow must be counted in one of them
  // only (the angle of attack), or the two turns cancel and the drag acts towards the tail, the
  // lift across it the wrong way: the moments of a tail slide would hold the tail down into the
  // flow instead of letting the nose fall through.
  const float cosbeta = std::fabs(flt.cosbeta);
  float t = Fs * flt.sinbeta + Fa * cosbeta;
  float side = Fs * cosbeta - Fa * flt.sinbeta;
  float axial = Fn * flt.sinalph + t * flt.cosalph;
  float normal = Fn * flt.cosalph - t * flt.sinalph;
  flt.L -= normal * x - side * y;
  flt.M -= normal * z + axial * y;
  flt.N -= side * z + axial * x;
}

// ---- Rates and velocities --------------------------------------------------------------------

void integ_v() {
  float dt = msc.prd, d = set.damp;
  flt.P = (flt.P + flt.Pdot * dt) * (1.0f - 6.0f * d * dt);
  flt.Q = (flt.Q + flt.Qdot * dt) * (1.0f - 6.0f * d * dt);
  flt.R = (flt.R + flt.Rdot * dt) * (1.0f - 3.0f * d * dt);
  flt.Prad = flt.P * con.degtorad;
  flt.Qrad = flt.Q * con.degtorad;
  flt.Rrad = flt.R * con.degtorad;

  if (std::fabs(flt.the180) <= 89.9f) {
    float turn = flt.R * flt.cosphi + flt.Q * flt.sinphi;
    flt.phidot = flt.P + turn * flt.sinthe / flt.costhe;
    flt.thedot = flt.Q * flt.cosphi - flt.R * flt.sinphi;
    flt.psidot = turn / flt.costhe;
  } else {
    // The Euler rates are singular at the vertical; there pitch follows the pitch rate (reversed
    // when inverted) and the yaw rate, and heading takes the roll rate.
    flt.phidot = 0.0f;
    flt.thedot = (std::fabs(flt.phi180) > 90.0f ? -flt.Q : flt.Q) +
                 (flt.the180 > 0.0f ? -std::fabs(flt.R) : std::fabs(flt.R));
    flt.psidot = flt.P;
  }

  flt.vX += static_cast<double>(flt.aX) * dt;
  flt.vY += static_cast<double>(flt.aY) * dt;
  flt.vZ += static_cast<double>(flt.aZ) * dt;
}

// ---- Attitude, position and air data ---------------------------------------------------------

static void set_180_forms() {
  flt.the180 = fltwrap(flt.the, -180.0f, 180.0f);
  flt.psi180 = fltwrap(flt.psi, -180.0f, 180.0f);
  flt.phi180 = fltwrap(flt.phi, -180.0f, 180.0f);
}

static float deg_atan2(float y, float x) { return std::atan2(y, x) * con.radtodeg; }

void integ_x() {
  float dt = msc.prd;
  set_180_forms();
  float old_the180 = flt.the180;

  // Speeds: inertial, and through the air.
  float ax = static_cast<float>(flt.vX) - atm.wind_X;
  float ay = static_cast<float>(flt.vY) - atm.wind_Y;
  float az = static_cast<float>(flt.vZ) - atm.wind_Z;
  flt.v = static_cast<float>(std::sqrt(flt.vX * flt.vX + flt.vY * flt.vY + flt.vZ * flt.vZ));
  flt.av = pythag3(ax, ay, az);
  flt.machno = atm.a > 0.0f ? flt.av / atm.a : 0.0f;
  // Both angles run over a full turn, so flying tail first makes each of them 180 degrees; the
  // sign of the forward component must come from one of them only, or tail-first flight would
  // count as forward.
  flt.vaxial = flt.av * flt.cosalph * std::fabs(flt.cosbeta);
  flt.vind = std::sqrt(atm.crtsig) * flt.av * flt.cosalph * con.msctokts;
  flt.Qstatic = 0.5f * atm.rho * flt.av * flt.av;
  // Without a never-exceed speed there is no redline to measure against; the ratio would be
  // infinite and poison every force that scales with it.
  flt.Qratio = pln.Vne > 0.0f ? sqr(flt.vind / pln.Vne) : 0.0f;
  flt.dist += flt.vaxial * dt;
  if (flt.vind < 0.0f) flt.vind = 0.0f;

  flt.the = fltwrap(flt.the + flt.thedot * dt, 0.0f, 360.0f);
  flt.psi = fltwrap(flt.psi + flt.psidot * dt, 0.0f, 360.0f);
  flt.phi = fltwrap(flt.phi + flt.phidot * dt, 0.0f, 360.0f);
  set_180_forms();

  // Pitching through the vertical: the same attitude expressed with a pitch below 90 degrees.
  if (std::fabs(old_the180) < 90.0f && std::fabs(flt.the180) > 90.0f) {
    flt.the = fltwrap(180.0f - flt.the, 0.0f, 360.0f);
    flt.phi = fltwrap(flt.phi + 180.0f, 0.0f, 360.0f);
    flt.psi = fltwrap(flt.psi + 180.0f, 0.0f, 360.0f);
    set_180_forms();
  }

  flt.psi_int = intround(flt.psi);
  env.mvar = find_var(flt.lat, flt.lon);
  flt.magpsi = mag_from_true(flt.psi);
  flt.magpsi_int = intround(flt.magpsi);
  con.sinPLANthe = std::sin(flt.the * con.degtorad);
  con.cosPLANthe = std::cos(flt.the * con.degtorad);
  con.sinPLANpsi = std::sin(flt.psi * con.degtorad);
  con.cosPLANpsi = std::cos(flt.psi * con.degtorad);
  con.sinPLANphi = std::sin(flt.phi * con.degtorad);
  con.cosPLANphi = std::cos(flt.phi * con.degtorad);

  flt.X += dt * flt.vX;
  flt.Y += dt * flt.vY;
  flt.Z -= dt * flt.vZ;
  flt.h = static_cast<float>(flt.Y);
  flt.h_ind = flt.h + (ins.baro - atm.baro) * 1000.0f * con.fttomtrs;
  flt.lat = env.lat_sou - (static_cast<float>(flt.Z) - env.hiz) * con.mtrstonm / 60.0f;
  flt.lon = env.lon_wes + (static_cast<float>(flt.X) - env.lox) * con.mtrstonm /
                              (60.0f * std::cos(flt.lat * con.degtorad));

  // Path angles from the two-argument arc tangent: at rest in calm air both components are zero
  // and the climb angle is simply 0 instead of the 0/0 of a quotient.
  float gx = static_cast<float>(flt.vX), gz = static_cast<float>(flt.vZ);
  flt.vu = static_cast<float>(flt.vY);
  flt.vpath = deg_atan2(static_cast<float>(flt.vY), pythag(gx, gz));
  flt.hpath = fltwrap(deg_atan2(gx, gz), 0.0f, 360.0f);
  flt.avpath = deg_atan2(ay, pythag(ax, az));
  flt.ahpath = fltwrap(deg_atan2(ax, az), 0.0f, 360.0f);

  float b[3];
  xfrm_VVECT(ax, az, ay, b);
  flt.Alpha = deg_atan2(-b[2], b[1]);
  flt.Beta = deg_atan2(-b[0], b[1]);
  for (int k = 0; k < 3; k++) flt.vbody[k] = b[k];

  flt.sinthe = con.sinPLANthe, flt.costhe = con.cosPLANthe;
  flt.sinpsi = con.sinPLANpsi, flt.cospsi = con.cosPLANpsi;
  flt.sinphi = con.sinPLANphi, flt.cosphi = con.cosPLANphi;
  float r = con.degtorad;
  flt.sinalph = std::sin(flt.Alpha * r), flt.cosalph = std::cos(flt.Alpha * r);
  flt.sinbeta = std::sin(flt.Beta * r), flt.cosbeta = std::cos(flt.Beta * r);
  flt.sinhpath = std::sin(flt.hpath * r), flt.coshpath = std::cos(flt.hpath * r);
  flt.sinvpath = std::sin(flt.vpath * r), flt.cosvpath = std::cos(flt.vpath * r);
  flt.sinahpath = std::sin(flt.ahpath * r), flt.cosahpath = std::cos(flt.ahpath * r);
  flt.sinavpath = std::sin(flt.avpath * r), flt.cosavpath = std::cos(flt.avpath * r);
}
