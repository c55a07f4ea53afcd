// acfgen FOLDER: writes the sample aircraft files into FOLDER.
#include <cstdio>

#include "acfgen/acfgen.h"
#include "shared/shared.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: acfgen FOLDER\n");
    return 2;
  }
  init_constants();
  int failed = write_samples(argv[1]);
  if (failed) std::fprintf(stderr, "acfgen: %d aircraft could not be written\n", failed);
  return failed ? 1 : 0;
}
