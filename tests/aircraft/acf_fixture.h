// Test material for the aircraft tests: a folder of each test's own, and one good aircraft record
// in the file's units from which the broken variants are made.
#pragma once

#include <cmath>
#include <vector>

#include "support/test_support.h"

#include "aircraft/acf_files.h"
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "flight/flight.h"
#include "shared/shared.h"

// The aircraft tests' set-up: the test's own folder, and every record the loader fills reset.
class AircraftTest : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_pln();
    reset_afl();
    reset_flt();
    reset_msc();
  }
};

inline void set_foils(int p, const char* name) {
  for (char* foil : {pln.Rafl0[p], pln.Rafl1[p], pln.Tafl0[p], pln.Tafl1[p]}) C_to_C(name, foil);
}

// Rounds to the decimals the writer uses, so that the record survives a round trip exactly.
inline float dec4(float v) { return std::round(v * 10000.0f) / 10000.0f; }

// A body of nine elliptic cross-sections along Z from z0 to z1 (feet).
inline void test_body(int b, float z0, float z1, float w, float h) {
  for (int j = 0; j <= 8; j++) {
    float f = std::sin(3.14159265f * (j + 0.5f) / 9.0f);
    for (int k = 0; k < BODY_POINTS; k++) {
      float t = 2.0f * 3.14159265f * k / BODY_POINTS;
      pln.body_Z[b][j][k] = dec4(z0 + (z1 - z0) * j / 8.0f);
      pln.body_X[b][j][k] = dec4(std::sin(t) * w * f);
      pln.body_Y[b][j][k] = dec4(std::cos(t) * h * f);
    }
  }
}

// One change to a float or int field of the record, so that variants can be listed compactly.
struct change {
  float* f;
  int* i;
  float v;
};
using changes = std::vector<change>;
inline change to(float& f, float v) { return {&f, nullptr, v}; }
inline change to(int& i, int v) { return {nullptr, &i, static_cast<float>(v)}; }
inline void apply(const std::vector<change>& changes) {
  for (const change& c : changes) {
    if (c.f) *c.f = c.v;
    if (c.i) *c.i = static_cast<int>(c.v);
  }
}
inline std::vector<change> operator+(std::vector<change> a, const std::vector<change>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A lifting surface of the test aircraft with a constant incidence.
inline void test_part(int p, float b, float cr, float ct, float z, float x, float y, int els,
                      float inc) {
  set_foils(p, "test.afl");
  apply({to(pln.semilen[p], b), to(pln.Croot[p], cr), to(pln.Ctip[p], ct), to(pln.Zarm[p], z),
         to(pln.Xarm[p], x), to(pln.Yarm[p], y), to(pln.els[p], els)});
  for (int e = 0; e < els; e++) pln.anginc[p][e] = inc;
}

// A four-seat high-wing single in the file's units (ft, lb, kt, hp, rpm), which loads with no
// alert: propeller 0, wings 4/5, stabiliser 8/9, fin 10, fuselage, tricycle gear.
inline void fill_test_aircraft(const char* path) {
  reset_pln();
  C_to_C(path, pln.C_path);
  C_to_C(path, pln.C_file);
  C_to_C("N123TS", pln.tailnum);
  for (int p = 0; p < LIFTING_PARTS; p++) set_foils(p, "test.afl");
  C_to_C("test.flp", pln.flap_str);
  pln.paneltype = pln.radiotype = pln.AStype = pln.supptype = pln.HUDtype = pln.VVItype = 1;
  for (int loc = 1; loc < PANEL_LOCS; loc++) pln.ins_of_loc[loc] = loc;
  apply({to(pln.asi_units, 2), to(pln.Vso, 45), to(pln.Vs, 50), to(pln.Vfe, 85), to(pln.Vno, 125),
         to(pln.Vne, 160), to(pln.Mmo, 0.3f), to(pln.peZ, 7.5f), to(pln.peX, -1),
         to(pln.peY, 1.5f)});
  apply({to(pln.entype, 1), to(pln.numen, 1), to(pln.pmax, 160), to(pln.omegamin, 600),
         to(pln.omegamax, 2700), to(pln.omegamingreen, 2100), to(pln.omegamaxgreen, 2700),
         to(pln.spooltime, 2), to(pln.trotor_rat, 1)});
  test_part(0, 3.0f, 0.5f, 0.3f, 1.0f, 0.0f, 0.0f, 4, 0.0f);
  for (int e = 0; e < 4; e++) pln.anginc[0][e] = 25.0f - 4.0f * e;
  apply({to(pln.numblades[0], 2), to(pln.des_adv[0], 60), to(pln.des_rpm[0], 2400),
         to(pln.des_vel[0], 100), to(pln.minpitch[0], 10), to(pln.maxpitch[0], 30)});
  for (int p = 4; p <= 5; p++) {
    test_part(p, 16.0f, 5.0f, 4.0f, 7.0f, p == 4 ? -2.0f : 2.0f, 3.0f, 4, 1.5f);
    pln.dihed[p] = 2;
    for (int e = 0; e < 4; e++) {
      pln.ailn[p][e] = e >= 2;
      pln.flap[p][e] = e < 2;
    }
  }
  for (int p = 8; p <= 9; p++) {
    test_part(p, 5.0f, 3.0f, 2.0f, 22.0f, p == 8 ? -0.5f : 0.5f, 1.0f, 2, -2.0f);
    pln.elev[p][0] = pln.elev[p][1] = 1;
  }
  test_part(10, 5.0f, 4.0f, 2.5f, 21.0f, 0.0f, 1.0f, 2, 0.0f);
  pln.rudd[10][0] = pln.rudd[10][1] = 1;
  apply({to(pln.dihed[10], 90), to(pln.sweep1[10], 30), to(pln.sweep2[10], 30)});

  apply({to(pln.ailn_crat, 0.25f), to(pln.elev_crat, 0.35f), to(pln.rudd_crat, 0.4f),
         to(pln.ailn_up, 20), to(pln.ailn_dn, 15), to(pln.elev_up, 25), to(pln.elev_dn, 15),
         to(pln.rudd_def, 20), to(pln.slat_inc, 5), to(pln.con_smooth, 2)});
  apply({to(pln.fuse_cd, 0.12f), to(pln.fusewash, 1), to(pln.body_r[12], 2.5f)});
  test_body(12, 0.0f, 25.0f, 2.0f, 2.5f);
  apply({to(pln.cgZ, 8), to(pln.cgY, 0.5f), to(pln.m_empty, 1650), to(pln.m_max, 2450),
         to(pln.m_fuel, 330)});
  apply({to(pln.gearEQ, 1), to(pln.nwsteer, 30), to(pln.sgear, 2), to(pln.ngearZ, 2),
         to(pln.ngearY, -4), to(pln.mgearZ, 9.5f), to(pln.mgearX, 4), to(pln.mgearY, -4),
         to(pln.ASloV, 60), to(pln.AShiV, 120)});
}

// Writes the test aircraft with the changes to path; 1 when written.
inline int write_variant(const char* path, const std::vector<change>& changes) {
  fill_test_aircraft(path);
  apply(changes);
  return writeout_file(path);
}

// Names the aircraft file in pln as the shell does and opens it for a reader; 1 when open.
inline int open_acf(const char* path) {
  C_to_C(path, pln.C_path);
  C_to_C(path, pln.C_file);
  return inf_open(path, FILE_ANY, VERSION_AIRCRAFT, 1);
}

// Writes the airfoil and flap files the test aircraft names, beside the program.
inline void write_test_foils() {
  app_path[0] = '\0';
  write_test_airfoil("airfoils/test.afl", test_foil());
  write_test_flap("flaps/test.flp");
}
