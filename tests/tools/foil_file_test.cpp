// The generated airfoil and flap files are the same on every run. (The simulator's loader reads
// the shipped ones in the aircraft tests.)
#include "support/test_support.h"

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
