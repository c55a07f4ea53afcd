// Airfoil and flap files for the aircraft tests and the aircraft fuzz target, written on the spot:
// small and valid, or with one chosen fault.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "aircraft/aircraft.h"
#include "shared/shared.h"

// What a test airfoil file holds, and the one fault it may carry.
struct test_foil {
  float re = 3.0f;          // Reynolds number, millions
  float clM = 0.1f;         // lift slope, per degree
  float clB = 0.25f;        // lift at zero angle
  float alpha_max = 15.0f;  // stall angle, degrees
  float trat = 0.12f;       // thickness ratio
  int shifted_row = -1;     // row n (negative side) whose angle is written 0.1 degree off
  int drag_block = -1;      // block 0..3 (negative lift, negative drag-only, positive drag-only,
                            // positive lift) whose middle row gets the drag below
  float drag = -0.005f;
};

inline float test_row_angle(int n) { return n <= 200 ? n / 10.0f : static_cast<float>(n - 180); }
inline float test_cl(const test_foil& f, float a) { return f.clB + f.clM * fltlim(a, -15, 15); }
inline float test_cd(float a) { return 0.006f + 0.0001f * std::fabs(a) * std::fabs(a) / 4.0f; }

inline void make_parent(const std::string& path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
}

inline void write_test_airfoil(const std::string& path, const test_foil& f) {
  make_parent(path);
  std::ofstream o(path);
  o.setf(std::ios::fixed);
  o << "I\n363 version\n1234 test section\n";
  o.precision(3);
  o << "TESTFOIL " << f.trat << " " << f.re << " 1.5 " << f.alpha_max << " rest\n\n";
  auto drag = [&](int block, int n, float a) {
    int middle[4] = {180, 50, 50, 180};
    return block == f.drag_block && n == middle[block] ? f.drag : test_cd(a);
  };
  // A row of a block: the angle, the lift in the lift blocks (0 and 3), and the drag.
  auto row = [&](int block, int n, float a) {
    o << a << " ";
    if (block % 3 == 0) o << test_cl(f, a) << " ";
    o << drag(block, n, a) << "\n";
  };
  o.precision(5);
  for (int n = 270; n >= 0; n--)
    row(n >= 100 ? 0 : 1, n, -test_row_angle(n) - (n == f.shifted_row ? -0.1f : 0.0f));
  o << f.clM << " slope\n"
    << f.clB << " zero\n-4 cmal2\n8 cmal3\n-0.1 cm1\n-0.05 cm2\n"
    << "-0.04 cm3\n-0.2 cm4\n\n";
  for (int n = 0; n <= 270; n++) row(n >= 100 ? 3 : 2, n, test_row_angle(n));
}

inline void write_test_flap(const std::string& path) {
  make_parent(path);
  std::ofstream o(path);
  o << "I\n363 version\n2345 test flap\nrow cl cd cm\n\n";
  for (int i = 0; i < FLAP_ROWS; i++)
    o << i << " " << i * 0.02f << " " << i * 0.001f << " " << -i * 0.004f << "\n";
}

// The airfoils the sample aircraft name: pairs of one section at two Reynolds numbers (millions).
const struct {
  const char* name;
  float re;
} shipped_airfoils[] = {
    {"Clark-Y (good propeller).afl", 1}, {"Clark-Y (good propeller) Re3.afl", 3},
    {"NACA 2412 (popular).afl", 3},      {"NACA 2412 (popular) Re9.afl", 9},
    {"NACA 0009 (symmetrical).afl", 3},  {"NACA 0009 (symmetrical) Re9.afl", 9},
    {"NACA 0006 (thin jet).afl", 9},     {"NACA 0006 (thin jet) Re30.afl", 30}};

// Test airfoils under the shipped names, at their Reynolds numbers, and the shipped flap's name.
inline void write_shipped_names() {
  app_path[0] = '\0';
  for (const auto& f : shipped_airfoils) {
    test_foil t;
    t.re = f.re;
    write_test_airfoil(std::string("airfoils/") + f.name, t);
  }
  write_test_flap("flaps/plain flap.flp");
}
