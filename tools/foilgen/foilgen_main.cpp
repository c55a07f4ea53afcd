// foilgen: computes the airfoil and flap files the programs ship with.
//   foilgen DIR                 writes every shipped file into DIR/airfoils and DIR/flaps
//   foilgen --section NAME RE   prints the key figures of one section at RE million, where NAME
//                               is a four-digit NACA designation or "clark-y"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foilgen/foilgen.h"

// Rounds away the sign of a value that prints as zero.
static double z(double v) { return std::fabs(v) < 5e-5 ? 0.0 : v; }

static void print_figures(const char* title, const foil_shape* s, const foil_polar* p) {
  std::printf(
      "%-34s Re %5.1f M  t/c %.3f  slope %.4f/deg  al0 %6.2f  clmax %.3f at %5.2f  "
      "clmin %.3f at %6.2f  cd0 %.5f  cm0 %7.4f\n",
      title, p->re, s->trat, p->clM, z(p->al0), p->side[0].clmax, p->side[0].al_stall,
      -p->side[1].clmax, -p->side[1].al_stall, p->cd_min, z(p->cm0));
}

// The section of --section: "clark-y", or four NACA digits with a thickness, and with the
// position of any camber (a camber at 0 tenths would be drawn as no camber at all). 0 if neither.
static int section_shape(const char* name, foil_shape* s) {
  if (std::strcmp(name, "clark-y") == 0) {
    shape_clark_y(s);
    return 1;
  }
  if (std::strlen(name) != 4 || std::strspn(name, "0123456789") != 4) return 0;
  const int digits = std::atoi(name);
  if (digits % 100 == 0 || (digits >= 1000 && digits / 100 % 10 == 0)) return 0;
  shape_naca4(digits, s);
  return 1;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--section") == 0) {
    foil_shape s;
    foil_polar p;
    char* end = nullptr;
    const double re = std::strtod(argv[3], &end);
    if (!section_shape(argv[2], &s) || end == argv[3] || *end != '\0' || !(re > 0.0) ||
        re > 1000.0) {
      std::fprintf(stderr,
                   "foilgen: --section takes clark-y or a four-digit NACA section with a "
                   "thickness, and a Reynolds number above 0 and up to 1000 million, not '%s %s'\n",
                   argv[2], argv[3]);
      return 2;
    }
    build_polar(&s, re, &p);
    print_figures(s.word, &s, &p);
    return 0;
  }
  static const char usage[] = "usage: foilgen DIR | foilgen --section NACA|clark-y RE\n";
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return std::fputs(usage, stdout), 0;
  // An option is no folder, and an empty name would put the files at the root of the disk.
  if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') return std::fputs(usage, stderr), 2;
  const int failed = write_products(argv[1]);
  for (int i = 0; i < foil_product_count; i++) {
    foil_shape s;
    foil_polar p;
    product_shape(&foil_products[i], &s);
    build_polar(&s, foil_products[i].re, &p);
    print_figures(foil_products[i].file, &s, &p);
  }
  return failed == 0 ? 0 : 1;
}
