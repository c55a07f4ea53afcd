// Fuzzes the text-file layer: the input opened as a text and as a binary file and read with a
// fixed mix of scanners and checkpoints until a scan fails or the mix is done.
#include "fuzz_support.h"

static const char* const file_name = "textfile_fuzz.in";

// One pass of the reading mix; each round is what a reader of mixed lines does.
static void read_mix() {
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

static void run(int kind, int version, int alert) {
  fuzz_run([=] {
    if (inf_open(file_name, kind, version, alert)) read_mix();
  });
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_write(file_name, data, size);
  run(FILE_ANY, VERSION_AIRCRAFT, 1);
  run(FILE_AIRFOIL, VERSION_AIRFOIL, 0);
  run(FILE_BINARY, VERSION_TERRAIN, 1);
  if (inf.is_open()) inf.close();
  return 0;
}
