// Building blocks of the sample aircraft: the common start, surfaces, propellers, bodies and the
// centre of gravity, all in the file's units.
#include <cmath>

#include "acfgen/acfgen.h"
#include "aircraft/aircraft.h"
#include "shared/shared.h"

static const double pi = 3.14159265358979;

void begin_aircraft(const char* tailnum, int is_heli) {
  reset_pln();
  pln.is_heli = is_heli;
  C_to_C(tailnum, pln.tailnum);
  pln.asi_units = 2;  // knots
  pln.paneltype = pln.radiotype = pln.AStype = pln.supptype = pln.HUDtype = pln.VVItype = 1;
  // Upper row: airspeed, horizon, altimeter, supplementary; lower: turn-slip, directional gyro,
  // vertical speed, ADF.
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = loc;
  C_to_C("plain flap.flp", pln.flap_str);
  pln.con_smooth = 2;
  // The editor names the default airfoils in every part, used or not.
  for (int p = 0; p < LIFTING_PARTS; p++) {
    const char* foil = p <= 3   ? "Clark-Y (good propeller).afl"
                       : p <= 7 ? "NACA 2412 (popular).afl"
                                : "NACA 0009 (symmetrical).afl";
    C_to_C(foil, pln.Rafl0[p]);
    C_to_C(foil, pln.Rafl1[p]);
    C_to_C(foil, pln.Tafl0[p]);
    C_to_C(foil, pln.Tafl1[p]);
  }
}

void surface(int p, const char* foil, const char* high_foil, float semilen, float croot, float ctip,
             float z, float x, float y, int sweep, int dihed, int els, float inc_root,
             float inc_tip) {
  C_to_C(foil, pln.Rafl0[p]);
  C_to_C(foil, pln.Tafl0[p]);
  C_to_C(high_foil ? high_foil : foil, pln.Rafl1[p]);
  C_to_C(high_foil ? high_foil : foil, pln.Tafl1[p]);
  pln.diffRe[p] = high_foil != nullptr;
  pln.semilen[p] = semilen;
  pln.Croot[p] = croot;
  pln.Ctip[p] = ctip;
  pln.Zarm[p] = z;
  pln.Xarm[p] = x;
  pln.Yarm[p] = y;
  pln.sweep1[p] = pln.sweep2[p] = sweep;
  pln.dihed[p] = dihed;
  pln.els[p] = els;
  for (int e = 0; e < els; e++)
    pln.anginc[p][e] = els > 1 ? inc_root + (inc_tip - inc_root) * e / (els - 1) : inc_root;
}

void mirror(int left) {
  int right = left + 1;
  C_to_C(pln.Rafl0[right], pln.Rafl0[left]);
  C_to_C(pln.Rafl1[right], pln.Rafl1[left]);
  C_to_C(pln.Tafl0[right], pln.Tafl0[left]);
  C_to_C(pln.Tafl1[right], pln.Tafl1[left]);
  pln.sweep1[left] = pln.sweep1[right];
  pln.sweep2[left] = pln.sweep2[right];
  pln.dihed[left] = pln.dihed[right];
  pln.semilen[left] = pln.semilen[right];
  pln.Croot[left] = pln.Croot[right];
  pln.Ctip[left] = pln.Ctip[right];
  pln.Zarm[left] = pln.Zarm[right];
  pln.Yarm[left] = pln.Yarm[right];
  pln.Xarm[left] = -pln.Xarm[right];
  pln.diffRe[left] = pln.diffRe[right];
  pln.diffRT[left] = pln.diffRT[right];
  pln.varsweepEQ[left] = pln.varsweepEQ[right];
  pln.els[left] = pln.els[right];
  for (int e = 0; e < MAX_ELS; e++) {
    pln.anginc[left][e] = pln.anginc[right][e];
    pln.ailn[left][e] = pln.ailn[right][e];
    pln.splr[left][e] = pln.splr[right][e];
    pln.flap[left][e] = pln.flap[right][e];
    pln.slat[left][e] = pln.slat[right][e];
    pln.sbrk[left][e] = pln.sbrk[right][e];
    pln.drud[left][e] = pln.drud[right][e];
    pln.elev[left][e] = pln.elev[right][e];
  }
}

void propeller(int p, const char* foil, float radius, float croot, float ctip, float blades,
               float z, float x, float y, float advance_in, float rpm) {
  surface(p, foil, nullptr, radius, croot, ctip, z, x, y, 0, 0, MAX_ELS, 0, 0);
  pln.numblades[p] = blades;
  pln.des_adv[p] = advance_in;
  pln.des_rpm[p] = rpm;
  // Speed at which the blades meet the air at their design angle: advance times revolutions.
  pln.des_vel[p] = static_cast<float>(advance_in / 12.0 * rpm / 60.0 / 1.68780986);
  double r_in = radius * 12.0;
  for (int e = 0; e < MAX_ELS; e++) {
    double r = (e + 0.5) / MAX_ELS * r_in;
    pln.anginc[p][e] = static_cast<float>(std::atan(advance_in / (2.0 * pi * r)) * 180.0 / pi);
  }
  if (pln.varpitchEQ) {
    float tip = static_cast<float>(std::atan(advance_in / (2.0 * pi * r_in)) * 180.0 / pi);
    for (int e = 0; e < MAX_ELS; e++) pln.anginc[p][e] -= tip;
    pln.minpitch[p] = 0.0f;
    pln.maxpitch[p] = tip + 10.0f;
  }
}

void body(int b, const station* s, int count) {
  // Sines and cosines of the eight directions, written out so that every build agrees.
  static const float sn[BODY_POINTS] = {0, 0.70710678f,  1,  0.70710678f,
                                        0, -0.70710678f, -1, -0.70710678f};
  static const float cs[BODY_POINTS] = {1,  0.70710678f,  0, -0.70710678f,
                                        -1, -0.70710678f, 0, 0.70710678f};
  for (int j = 0; j <= 8; j++) {
    const station& st = s[j < count ? j : count - 1];
    for (int k = 0; k < BODY_POINTS; k++) {
      pln.body_Z[b][j][k] = st.z;
      pln.body_X[b][j][k] = sn[k] * st.w;
      pln.body_Y[b][j][k] = st.yc + cs[k] * st.h;
    }
  }
}

void copy_bodies() {
  for (int b = 14; b <= 16; b++)
    for (int j = 0; j < BODY_SECTIONS; j++)
      for (int k = 0; k < BODY_POINTS; k++) {
        pln.body_X[b][j][k] = pln.body_X[13][j][k];
        pln.body_Y[b][j][k] = pln.body_Y[13][j][k];
        pln.body_Z[b][j][k] = pln.body_Z[13][j][k];
      }
  for (int j = 0; j < BODY_SECTIONS; j++)
    for (int k = 0; k < BODY_POINTS; k++) {
      pln.body_X[18][j][k] = pln.body_X[17][j][k];
      pln.body_Y[18][j][k] = pln.body_Y[17][j][k];
      pln.body_Z[18][j][k] = pln.body_Z[17][j][k];
    }
}

void cg_at_chord(int p, float fraction) {
  double cr = pln.Croot[p], t = pln.Ctip[p] / pln.Croot[p], b = pln.semilen[p];
  double mac = 2.0 / 3.0 * cr * (1 + t + t * t) / (1 + t);
  double r = b / 3.0 * (1 + 2 * t) / (1 + t);  // span station of the mean chord
  double quarter = pln.Zarm[p] + std::sin(pln.sweep1[p] * pi / 180.0) * r;
  // Rounded to the tenth of a foot the file keeps.
  pln.cgZ = static_cast<float>(std::round((quarter + (fraction - 0.25) * mac) * 10.0) / 10.0);
}
