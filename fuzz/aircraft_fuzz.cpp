// Fuzzes the aircraft readers: the input becomes an aircraft file that the editor's reader reads
// and the simulator loads end to end (airfoils, flaps, preparation, checks, report). The airfoil
// and flap files that the shipped aircraft name are made once, small and valid, so that an input
// that reads correctly goes on through the whole preparation. A fatal alert throws out of the
// loader here instead of ending the process.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

namespace {

struct fuzz_fatal {};

void throwing_exit(int) { throw fuzz_fatal{}; }

const char* const file_name = "aircraft_fuzz.acf";

float row_angle(int n) { return n <= 200 ? n / 10.0f : static_cast<float>(n - 180); }

// A straight lift line to 15 degrees and a drag bucket, at the given Reynolds number.
void write_airfoil(const std::string& path, float re) {
  std::ofstream o(path);
  o.setf(std::ios::fixed);
  o.precision(4);
  o << "I\n363 version\n1234\nFUZZFOIL 0.12 " << re << " 1.5 15.0\n\n";
  auto cl = [](float a) { return 0.2f + 0.1f * (a < -15 ? -15 : a > 15 ? 15 : a); };
  auto cd = [](float a) { return 0.006f + 0.0002f * a * a; };
  for (int n = 270; n >= 100; n--)
    o << -row_angle(n) << " " << cl(-row_angle(n)) << " " << cd(row_angle(n)) << "\n";
  for (int n = 99; n >= 0; n--) o << -row_angle(n) << " " << cd(row_angle(n)) << "\n";
  o << "0.1\n0.2\n-4\n8\n-0.1\n-0.05\n-0.04\n-0.2\n\n";
  for (int n = 0; n <= 99; n++) o << row_angle(n) << " " << cd(row_angle(n)) << "\n";
  for (int n = 100; n <= 270; n++)
    o << row_angle(n) << " " << cl(row_angle(n)) << " " << cd(row_angle(n)) << "\n";
}

void write_support_files() {
  std::filesystem::create_directories("airfoils");
  std::filesystem::create_directories("flaps");
  const struct {
    const char* name;
    float re;
  } foils[] = {{"Clark-Y (good propeller).afl", 1}, {"Clark-Y (good propeller) Re3.afl", 3},
               {"NACA 2412 (popular).afl", 3},      {"NACA 2412 (popular) Re9.afl", 9},
               {"NACA 0009 (symmetrical).afl", 3},  {"NACA 0009 (symmetrical) Re9.afl", 9},
               {"NACA 0006 (thin jet).afl", 9},     {"NACA 0006 (thin jet) Re30.afl", 30}};
  for (const auto& f : foils) write_airfoil(std::string("airfoils/") + f.name, f.re);
  std::ofstream flap("flaps/plain flap.flp");
  flap << "I\n363 version\n2345\nrows\n\n";
  for (int i = 0; i < FLAP_ROWS; i++) flap << i << " " << i * 0.02f << " 0.001 -0.004\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  macibm_exit_hook = throwing_exit;
  // Every alert is echoed to standard error; with a stream that has nowhere to write, the
  // fuzzer's own output stays readable.
  std::cerr.rdbuf(nullptr);
  init_constants();
  app_path[0] = '\0';
  write_support_files();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream f(file_name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  macibm_program = PROGRAM_EDITOR;
  reset_pln();
  C_to_C(file_name, pln.C_path);
  C_to_C(file_name, pln.C_file);
  try {
    if (inf_open(file_name, FILE_ANY, VERSION_AIRCRAFT, 1)) readin();
  } catch (const fuzz_fatal&) {
  }

  macibm_program = PROGRAM_SIMULATOR;
  reset_pln();
  C_to_C(file_name, pln.C_path);
  C_to_C(file_name, pln.C_file);
  try {
    load_plane();
  } catch (const fuzz_fatal&) {
  }
  // The alert log would otherwise grow with every input.
  macibm_clear_alert_log();
  return 0;
}
