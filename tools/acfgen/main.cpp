// acfgen FOLDER: writes the sample aircraft files into FOLDER.
#include <cstdio>
#include <cstring>

#include "acfgen/acfgen.h"
#include "shared/shared.h"

static const char usage[] = "usage: acfgen FOLDER\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return std::fputs(usage, stdout), 0;
  // An option is no folder, and an empty name would put the files at the root of the disk.
  if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') return std::fputs(usage, stderr), 2;
  init_constants();
  int failed = write_samples(argv[1]);
  if (failed) std::fprintf(stderr, "acfgen: %d aircraft could not be written\n", failed);
  return failed ? 1 : 0;
}
