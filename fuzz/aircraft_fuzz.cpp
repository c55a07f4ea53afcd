// Fuzzes the aircraft readers: the editor reads the input and the simulator loads it end to end,
// with small valid copies of the airfoils and flaps it may name, so a good input goes all the way.
#include "fuzz_support.h"

#include "aircraft/acf_files.h"
#include "aircraft/aircraft.h"

static const char* const file_name = "aircraft_fuzz.acf";

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_init();
  write_shipped_names();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_write(file_name, data, size);
  for (macibm_program_kind program : {PROGRAM_EDITOR, PROGRAM_SIMULATOR}) {
    macibm_program = program;
    reset_pln();
    C_to_C(file_name, pln.C_path);
    C_to_C(file_name, pln.C_file);
    fuzz_run([program] {
      if (program == PROGRAM_SIMULATOR)
        load_plane();
      else if (inf_open(file_name, FILE_ANY, VERSION_AIRCRAFT, 1))
        readin();
    });
  }
  return 0;
}
