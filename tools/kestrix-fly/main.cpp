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
  int status = FLY_OK;
  if (o.help)
    std::fputs(FLY_USAGE, stdout);
  else
    status = fly_run(&o, stdout, stderr);
  // The summary is the run's report: a run whose summary could not be written (a full disk) is no
  // success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "kestrix-fly: could not write the standard output\n");
    if (status == FLY_OK) status = FLY_ALERT;
  }
  return status;
}
