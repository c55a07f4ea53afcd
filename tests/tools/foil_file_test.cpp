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

// Each generator, in a folder of its own, answers --help with the usage on standard output and
// refuses an argument it cannot use on standard error with the status given, writing nothing.
TEST(ToolsCommandLines, HelpAndArgumentsThatCannotBeUsed) {
  const std::string data = KESTRIX_SOURCE_DIR "/tools/worldgen/data/";
  const std::string world =
      "--source " + data + "world.txt --mask " + data + "watermask.rle --out w ";
  const struct {
    const char* tool;
    std::string args;
    int status;
    const char* says;  // the start of standard output, or of standard error when refused
  } runs[] = {
      {ACFGEN_BINARY, "--help", 0, "usage: "},
      {ACFGEN_BINARY, "-o out", 2, "usage: "},
      {FOILGEN_BINARY, "--help", 0, "usage: "},
      {FOILGEN_BINARY, "--out", 2, "usage: "},
      {TEXGEN_BINARY, "--help", 0, "usage: "},
      {TEXGEN_BINARY, "-h", 2, "usage: "},
      {SOUNDGEN_BINARY, "--help", 0, "usage: "},
      {SOUNDGEN_BINARY, "--version", 2, "usage: "},
      {WORLDGEN_BINARY, "--help", 0, "usage: "},
      {WORLDGEN_BINARY, "--source", 2, "usage: "},
      {WORLDGEN_BINARY, world + "--hgt no-such-folder", 1, "worldgen: no-such-folder is no"},
      {WORLDGEN_BINARY, world + "--navaids-csv no.csv", 1, "worldgen: cannot read no.csv"},
      {WORLDGEN_BINARY, "--source . --mask " + data + "watermask.rle --out w", 1,
       "worldgen: cannot read ."},
      {WORLDGEN_BINARY, "--source " + data + "world.txt --mask . --out w", 1,
       "worldgen: cannot read the water mask ."},
      {WORLDGEN_BINARY, "--encode-mask ../six.raw 3x 2 -126 23 m.rle", 2, "usage: "},
      {WORLDGEN_BINARY, "--encode-mask ../six.raw 2 2 -126 23 m.rle", 1, "worldgen: ../six.raw"},
      {FOILGEN_BINARY, "--section 2412 3", 0, "NACA2412 "},
      {FOILGEN_BINARY, "--section 12abc 3", 2, "foilgen: --section takes"},
      {FOILGEN_BINARY, "--section 2400 3", 2, "foilgen: "},  // no thickness
      {FOILGEN_BINARY, "--section 2012 3", 2, "foilgen: "},  // a camber without its position
      {FOILGEN_BINARY, "--section 2412 -5", 2, "foilgen: "},
      {FOILGEN_BINARY, "--section 2412 nan", 2, "foilgen: "},
  };
  write_file("six.raw", std::string("\1\1\2\0\0\1", 6));
  for (const auto& r : runs) {
    const std::string command = std::string(r.tool) + " " + r.args;
    std::string out;
    EXPECT_EQ(run_command("rm -rf cl && mkdir cl && cd cl && " + command +
                              (r.status == 0 ? " 2>/dev/null" : " 2>&1 >/dev/null"),
                          &out),
              r.status)
        << command;
    EXPECT_EQ(out.substr(0, std::strlen(r.says)), r.says) << command << ": " << out;
    EXPECT_TRUE(std::filesystem::is_empty("cl")) << command;
  }
}
