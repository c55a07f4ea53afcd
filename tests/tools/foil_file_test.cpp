// The generated airfoil and flap files are the same on every run (the simulator's loader reads
// the shipped ones in the aircraft tests), and the generators refuse what they cannot use.
#include "support/test_support.h"

#include <cstring>
#include <filesystem>
#include <string>

#include "foilgen/foilgen.h"

static const std::string runtime_dir = KESTRIX_RUNTIME_DIR;

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

// Each generator, in a folder of its own: --help is answered with the usage on standard output,
// and an argument it cannot use is refused with status 2, writing nothing.
TEST(ToolsCommandLines, HelpAndArgumentsThatCannotBeUsed) {
  const struct {
    const char* tool;
    const char* args;
    int status;
    const char* out;
  } runs[] = {
      {ACFGEN_BINARY, "--help", 0, "usage: "},   {ACFGEN_BINARY, "-o out", 2, ""},
      {FOILGEN_BINARY, "--help", 0, "usage: "},  {FOILGEN_BINARY, "--out", 2, ""},
      {TEXGEN_BINARY, "--help", 0, "usage: "},   {TEXGEN_BINARY, "-h", 2, ""},
      {SOUNDGEN_BINARY, "--help", 0, "usage: "}, {SOUNDGEN_BINARY, "--version", 2, ""},
      {WORLDGEN_BINARY, "--help", 0, "usage: "}, {WORLDGEN_BINARY, "--source", 2, ""},
      {WORLDGEN_BINARY,
       "--source " KESTRIX_SOURCE_DIR "/tools/worldgen/data/world.txt --mask " KESTRIX_SOURCE_DIR
       "/tools/worldgen/data/watermask.rle --out world --hgt no-such-folder",
       1, ""},
      {FOILGEN_BINARY, "--section 2412 3", 0, "NACA2412 "},
      {FOILGEN_BINARY, "--section 12abc 3", 2, ""},
      {FOILGEN_BINARY, "--section 2400 3", 2, ""},  // no thickness
      {FOILGEN_BINARY, "--section 2012 3", 2, ""},  // a camber without its position
      {FOILGEN_BINARY, "--section 2412 -5", 2, ""},
      {FOILGEN_BINARY, "--section 2412 nan", 2, ""},
  };
  for (const auto& r : runs) {
    const std::string command = std::string(r.tool) + " " + r.args;
    std::string out;
    EXPECT_EQ(run_command("rm -rf cl && mkdir cl && cd cl && " + command + " 2>/dev/null", &out),
              r.status)
        << command;
    EXPECT_EQ(r.status == 0 ? out.substr(0, std::strlen(r.out)) : out, r.out) << command;
    EXPECT_TRUE(std::filesystem::is_empty("cl")) << command;
  }
}
