// Fuzzes the airfoil and flap readers: the first byte of the input chooses the reader and the
// table slot, the rest becomes the file.
#include "fuzz_support.h"

#include "aircraft/aircraft.h"

static const char* const file_name = "airfoil_fuzz.in";

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int choice = data[0];
  fuzz_write(file_name, data + 1, size - 1);
  // Bit 0: flap or airfoil; bits 1-2: root/tip and Reynolds choice; the rest: the part.
  int p = (choice >> 3) % LIFTING_PARTS, rt = (choice >> 1) & 1, re = (choice >> 2) & 1;
  fuzz_run([&] {
    if (choice & 1) {
      read_flap_file(file_name);
    } else {
      grabafoil(file_name, p, rt, re);
      // A second table at another Reynolds number exercises the pairing of the two.
      pln.Re[p][rt][re ^ 1] = pln.Re[p][rt][re] + 2.0f;
      checkRediff(file_name, file_name, p, rt);
    }
  });
  return 0;
}
