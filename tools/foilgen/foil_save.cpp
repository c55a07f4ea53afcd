// Whole airfoil and flap files, and the shipped set, written through the shared text-file layer:
// the marker and version lines, fixed-point values, and a file that replaces its target only once
// it has been written in full.
#include "foilgen/foilgen.h"

#include <filesystem>
#include <string>

#include "shared/shared.h"

static int write_text_file(const char* path, const foil_polar* p, const char* word,
                           const flap_table* f) {
  if (!ouf_open(path, p ? FILE_AIRFOIL : FILE_FLAP, VERSION_AIRFOIL)) return 0;
  if (p) write_airfoil_body(ouf, p, word);
  if (f) write_flap_body(ouf, f);
  return ouf_close();
}

int write_airfoil_file(const char* path, const foil_polar* p, const char* word) {
  return write_text_file(path, p, word, nullptr);
}

int write_flap_file(const char* path, const flap_table* f) {
  return write_text_file(path, nullptr, nullptr, f);
}

int write_products(const char* dir) {
  const std::string airfoils = std::string(dir) + "/airfoils/";
  const std::string flaps = std::string(dir) + "/flaps/";
  std::error_code ec;
  std::filesystem::create_directories(airfoils, ec);
  std::filesystem::create_directories(flaps, ec);
  int failed = 0;
  for (int i = 0; i < foil_product_count; i++) {
    foil_shape s;
    foil_polar p;
    product_shape(&foil_products[i], &s);
    build_polar(&s, foil_products[i].re, &p);
    if (!write_airfoil_file((airfoils + foil_products[i].file).c_str(), &p, s.word)) failed++;
  }
  flap_table f;
  product_flap(&f);
  if (!write_flap_file((flaps + flap_product_file).c_str(), &f)) failed++;
  return failed;
}
