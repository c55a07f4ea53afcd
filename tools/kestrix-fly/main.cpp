// kestrix-fly: flies an aircraft headless for a number of simulated seconds and reports.
#include <cstdio>

#include "flyrun.h"

int main(int argc, char** argv) {
  fly_options o;
  char err[FLY_ERR];
  if (!fly_parse_args(argc, argv, &o, err)) {
    std::fprintf(stderr, "kestrix-fly: %s\n", err);
    std::fprintf(
        stderr,
        "usage: kestrix-fly --aircraft FILE|builtin:NAME "
        "[--start air|ground|runway|vfr-final|ils-final] [--airport ID] [--runway 0..5] "
        "[--alt-ft N] [--kias N] [--heading DEG] [--ground-elev-ft N] [--seconds N] [--prd S] "
        "[--throttle 0..1] [--elevator -1..1] [--aileron -1..1] [--rudder -1..1] "
        "[--flaps 0..1] [--gear up|down] [--brakes 0..1] [--ap-hdg DEG] [--ap-nav] "
        "[--ap-alt-ft N] [--ap-vs-fpm N] [--ap-kias N] [--nav1 MHZ] [--obs DEG] [--wind DIR/KT] "
        "[--script FILE] [--csv FILE] [--cycle-dump FILE] [--dump-at S]\n");
    fly_default_options(&o);
    std::printf(
        "summary t=0.0 alt_ft=0 agl_ft=0 kias=0.0 ktas=0.0 vs_fpm=0 pitch=0.0 roll=0.0 "
        "heading=0.0 hdg_mag=0.0 lat=0.00000 lon=0.00000 dist_nm=0.00 rpm=0 fuel_lb=0.0 "
        "on_ground=0 crashed=0\n");
    return FLY_BAD_INPUT;
  }
  return fly_run(&o, stdout, stderr);
}
