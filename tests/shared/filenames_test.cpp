// Paths beside the program and the dialog filters.
#include "support/test_support.h"

#include <string>

#include "shared/shared.h"

TEST(SharedFilenames, PathsBesideTheProgramUseSlashes) {
  C_to_C("/opt/kestrix/", app_path);
  char name[STR_SIZE] = "NACA 2412.afl";
  ap_dir("airfoils", name);
  EXPECT_STREQ(name, "/opt/kestrix/airfoils/NACA 2412.afl");
  C_to_C("Aircraft\\General Aviation\\Cub.acf", name);
  ap_dir("", name);
  EXPECT_STREQ(name, "/opt/kestrix/Aircraft/General Aviation/Cub.acf");
  app_path[0] = '\0';
}

TEST(SharedFilenames, FilterHoldsDescriptionPatternAndTwoNuls) {
  int last = build_IBM_filter("Airfoil", "afl");
  const char want[] = "Airfoil (*.afl)\0*.afl\0";  // the literal adds the second NUL
  EXPECT_EQ(std::string(filter_str, last + 1), std::string(want, sizeof want));
  EXPECT_STREQ(def_ext, "afl");
  build_IBM_filter("Long", "abcdef");
  EXPECT_STREQ(def_ext, "abcd");
  set_up_IBM_filter(FILE_ANY);
  set_up_IBM_filter(FILE_BINARY);  // no description: unchanged
  EXPECT_STREQ(filter_str, "Any (*.*)");
  EXPECT_STREQ(def_ext, "*");

  std::string huge(1000, 'd');
  last = build_IBM_filter(huge.c_str(), "sit");
  EXPECT_LT(last, STR_SIZE);
  EXPECT_EQ(std::string(filter_str + last - 1, 2), std::string(2, '\0'));
  EXPECT_STREQ(filter_str + last - 6, "*.sit");
}
