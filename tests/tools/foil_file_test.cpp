// The generated airfoil and flap files, read back by a strict reader that scans them value by
// value in the order, and with the checks, of the simulator's loader.
#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "foilgen/foilgen.h"

static const std::string runtime_dir = KESTRIX_RUNTIME_DIR;

struct read_foil {
  float trat, re, alpha_max, cl[2][171], cd[2][271];  // [0] positive, [1] negative angles
  float clM, clB, cmal2, cmal3, cm1, cm2, cm3, cm4;
  std::string fault;  // empty when the file loaded
};

static void rln(std::istream& in) {
  char c;
  while (in.get(c) && c != '\n') {
  }
}

static bool header(std::istream& in) {
  int version = 0;
  const bool marker = in.get() == 'I' && in.get() == '\n';
  in >> version;
  rln(in);
  return marker && version == 363;
}

// Rows n from `from` to `to`; each angle must be the one its position implies, each drag at
// least min_cd. Lift is read when `cl` is given.
static bool rows(std::istream& in, int from, int to, float sign, float* cl, float* cd, float min_cd,
                 std::string* fault) {
  for (int n = from; from <= to ? n <= to : n >= to; n += from <= to ? 1 : -1) {
    const float expected = sign * (n <= 200 ? n / 10.0f : n - 180.0f);
    float angle;
    in >> angle;
    if (cl) in >> cl[n - 100];
    in >> cd[n];
    if (!in || std::fabs(angle - expected) > 0.00001f || cd[n] < min_cd)
      return *fault = "row " + std::to_string(expected), false;
  }
  return true;
}

static void read_airfoil(std::istream& in, read_foil* r) {
  std::string word;
  int magic = 0;
  float ignored;
  r->fault = "header";
  if (!header(in)) return;
  in >> magic;
  rln(in);
  in >> word >> r->trat >> r->re >> ignored >> r->alpha_max;
  rln(in);
  rln(in);
  if (!in || magic != 1234) return;
  if (!rows(in, 270, 100, -1, r->cl[1], r->cd[1], 0.0f, &r->fault) ||
      !rows(in, 99, 0, -1, nullptr, r->cd[1], -0.01f, &r->fault))
    return;
  rln(in);
  for (float* v : {&r->clM, &r->clB, &r->cmal2, &r->cmal3, &r->cm1, &r->cm2, &r->cm3, &r->cm4}) {
    in >> *v;
    rln(in);
  }
  rln(in);
  if (!rows(in, 0, 99, 1, nullptr, r->cd[0], 0.0f, &r->fault) ||
      !rows(in, 100, 270, 1, r->cl[0], r->cd[0], 0.0f, &r->fault))
    return;
  r->fault = (in >> std::ws).eof() ? "" : "text after the last row";
}

TEST(ToolsFoilFile, ShippedAirfoilsLoadAndJoinTheStraightLine) {
  static read_foil r[2];
  for (int i = 0; i < foil_product_count; i++) {
    SCOPED_TRACE(foil_products[i].file);
    std::istringstream in(read_file(runtime_dir + "/airfoils/" + foil_products[i].file));
    read_airfoil(in, &r[i % 2]);
    ASSERT_EQ(r[i % 2].fault, "");
    const read_foil& f = r[i % 2];
    EXPECT_FLOAT_EQ(f.re, foil_products[i].re);
    // The flight model draws the straight line below 10 degrees and reads the tables from 10.
    EXPECT_NEAR(f.cl[0][0], f.clB + f.clM * 10, 0.0005);
    EXPECT_NEAR(f.cl[1][0], f.clB - f.clM * 10, 0.0005);
    // Files come in pairs of one section, the second at a Reynolds number at least 1 million
    // higher, so the simulator may blend them.
    if (i % 2 == 1) {
      EXPECT_EQ(f.trat, r[0].trat);
      EXPECT_GE(f.re - r[0].re, 1.0f);
    }
  }
}

TEST(ToolsFoilFile, FlapFileHasFiftyOneRows) {
  std::istringstream in(read_file(runtime_dir + "/flaps/" + flap_product_file));
  int magic = 0, index;
  float cl, cd, cm, last_cl = -1;
  ASSERT_TRUE(header(in) && in >> magic && magic == 2345);
  for (int skip = 0; skip < 3; skip++) rln(in);  // the rest of the 2345 line, then two lines
  for (int i = 0; i < FLAP_ROWS; i++) {
    in >> index >> cl >> cd >> cm;
    ASSERT_TRUE(in && index == i && cl > last_cl && cd >= 0) << i;
    last_cl = cl;
  }
  EXPECT_TRUE((in >> std::ws).eof());
}

TEST(ToolsFoilFile, FilesAreTheSameOnEveryRun) {
  ASSERT_EQ(write_products("run1"), 0);
  ASSERT_EQ(write_products("run2"), 0);
  for (int i = 0; i <= foil_product_count; i++) {
    const std::string name = i < foil_product_count
                                 ? std::string("/airfoils/") + foil_products[i].file
                                 : std::string("/flaps/") + flap_product_file;
    const std::string built = read_file(runtime_dir + name);
    EXPECT_FALSE(built.empty()) << name;
    EXPECT_EQ(read_file("run1" + name), built) << name;
    EXPECT_EQ(read_file("run2" + name), built) << name;
  }
}

// The reader's own checks, so that a file it loads means something.
TEST(ToolsFoilFile, ReaderRefusesRowsOutOfStepAndNegativeDrag) {
  foil_shape s;
  foil_polar p;
  shape_naca4(12, &s);
  build_polar(&s, 3.0, &p);
  std::ostringstream body;
  write_airfoil_body(body, &p, s.word);
  static read_foil r;
  auto load = [&](const std::string& from, const std::string& to) {
    std::string text = "I\n363 version\n" + body.str();
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    std::istringstream in(text);
    read_airfoil(in, &r);
    return r.fault;
  };
  EXPECT_EQ(load("NACA0012", "NACA0012"), "");
  EXPECT_NEAR(r.clM, p.clM, 1e-6);
  EXPECT_NE(load("  -19.9 ", "  -19.8 "), "");
  // The zero-angle row ends the negative drag-only rows and, after a blank line, begins the
  // positive ones; only the negative rows tolerate a slightly negative drag.
  char zero_row[40];
  std::snprintf(zero_row, sizeof zero_row, "    0.0 %8.5f", p.cd_min);
  EXPECT_EQ(load(zero_row, "    0.0 -0.00500"), "");
  EXPECT_NE(load(std::string("\n\n") + zero_row, "\n\n    0.0 -0.00500"), "");
}
