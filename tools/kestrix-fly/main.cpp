// kestrix-fly: flies an aircraft headless for a number of simulated seconds and reports.
#include <cstdio>

#include "flyrun.h"

int main(int argc, char** argv) {
  fly_options o;
  char err[FLY_ERR];
  if (!fly_parse_args(argc, argv, &o, err)) {
    std::fprintf(stderr, "kestrix-fly: %s\n%s", err, FLY_USAGE);
    return FLY_BAD_INPUT;
  }
  if (o.help) {
    std::fputs(FLY_USAGE, stdout);
    return FLY_OK;
  }
  return fly_run(&o, stdout, stderr);
}
