// Whole airfoil and flap files, and the shipped set. Each file starts with the marker and version
// lines every text data file of the programs carries ("I" for files written here, then the
// version), with values in fixed-point notation, exactly as the shared text-file writer lays them
// out; a file is written beside its target and renamed over it only when complete, so a failed
// run never leaves a truncated file where the simulator would load it.
#include "foilgen/foilgen.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

enum { FOIL_FILE_VERSION = 363 };

static int write_text_file(const char* path, const foil_polar* p, const char* word,
                           const flap_table* f) {
  const std::string part = std::string(path) + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << std::fixed << "I\n" << FOIL_FILE_VERSION << " version\n";
    if (p) write_airfoil_body(out, p, word);
    if (f) write_flap_body(out, f);
    out.close();
    if (out.good()) {
      std::error_code ec;
      std::filesystem::rename(part, path, ec);
      if (!ec) return 1;
    }
  }
  std::error_code ec;
  std::filesystem::remove(part, ec);
  std::fprintf(stderr, "foilgen: could not write %s\n", path);
  return 0;
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
