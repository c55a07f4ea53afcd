// Fuzzes the text-file layer: the input becomes a file that is opened as a text file and as a
// binary file, and read with a fixed mix of scanners and checkpoints until a scan fails or the
// mix is done. A fatal alert throws out of the reader here instead of ending the process.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "app/macibm.h"
#include "shared/shared.h"

namespace {

struct fuzz_fatal {};

void throwing_exit(int) { throw fuzz_fatal{}; }

const char* const file_name = "textfile_fuzz.in";

// One pass of the reading mix; each round is what a reader of mixed lines does.
void read_mix() {
  char s[STR_SIZE];
  char tiny[3];
  for (int round = 0; round < 64; round++) {
    intscan("fuzz");
    fltscan("fuzz");
    bolscan("fuzz");
    intscanNOSN("fuzz");
    fltscanNOSN("fuzz");
    bolscanNOSN("fuzz");
    rln("fuzz");
    stringscan(s, "fuzz", STR_SIZE);
    stringscan(tiny, "fuzz", sizeof tiny);
    checkpoint(100 + round, 0);
    checkpoint(101 + round, 1);
  }
}

void run(int kind, int version, int alert) {
  try {
    if (inf_open(file_name, kind, version, alert)) read_mix();
  } catch (const fuzz_fatal&) {
  }
  // The alert log would otherwise grow with every input.
  macibm_clear_alert_log();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  macibm_exit_hook = throwing_exit;
  // Every alert is echoed to standard error; with a stream that has nowhere to write, the
  // fuzzer's own output stays readable.
  std::cerr.rdbuf(nullptr);
  init_constants();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream f(file_name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  run(FILE_ANY, VERSION_AIRCRAFT, 1);
  run(FILE_AIRFOIL, VERSION_AIRFOIL, 0);
  run(FILE_BINARY, VERSION_TERRAIN, 1);
  if (inf.is_open()) inf.close();
  return 0;
}
