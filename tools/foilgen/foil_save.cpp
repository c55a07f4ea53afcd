// Whole airfoil and flap files written through the shared text-file layer, and the shipped set.
#include "foilgen/foilgen.h"

#include <filesystem>
#include <string>

#include "shared/shared.h"

int write_airfoil_file(const char* path, const foil_polar* p, const char* word) {
  if (!ouf_open(path, FILE_AIRFOIL, VERSION_AIRFOIL)) return 0;
  write_airfoil_body(ouf, p, word);
  return ouf_close();
}

int write_flap_file(const char* path, const flap_table* f) {
  if (!ouf_open(path, FILE_FLAP, VERSION_AIRFOIL)) return 0;
  write_flap_body(ouf, f);
  return ouf_close();
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
