// Fuzzes the airfoil and flap readers: the first byte of the input chooses the reader and the
// table slot, the rest becomes the file. A fatal alert throws out of the reader here instead of
// ending the process.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

namespace {

struct fuzz_fatal {};

void throwing_exit(int) { throw fuzz_fatal{}; }

const char* const file_name = "airfoil_fuzz.in";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  macibm_exit_hook = throwing_exit;
  std::cerr.rdbuf(nullptr);
  init_constants();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int choice = data[0];
  {
    std::ofstream f(file_name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  // Bit 0: flap or airfoil; bits 1-2: root/tip and Reynolds choice; the rest: the part.
  int p = (choice >> 3) % LIFTING_PARTS, rt = (choice >> 1) & 1, re = (choice >> 2) & 1;
  try {
    if (choice & 1) {
      read_flap_file(file_name);
    } else {
      grabafoil(file_name, p, rt, re);
      // A second table at another Reynolds number exercises the pairing of the two.
      pln.Re[p][rt][re ^ 1] = pln.Re[p][rt][re] + 2.0f;
      checkRediff(file_name, file_name, p, rt);
    }
  } catch (const fuzz_fatal&) {
  }
  macibm_clear_alert_log();
  return 0;
}
