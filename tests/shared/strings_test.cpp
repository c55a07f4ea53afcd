// String and character helpers.
#include "support/test_support.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "shared/shared.h"

TEST(SharedStrings, JoiningOverlapsAndStopsAtTheBufferSize) {
  char a[STR_SIZE] = "dir/", b[STR_SIZE];
  C_plus_C(a, "file", b);
  C_plus_C("x/", b, b);  // destination is also the second source
  EXPECT_STREQ(b, "x/dir/file");
  app_C(a, a);
  EXPECT_STREQ(a, "dir/dir/");
  std::string longer(600, 'q');
  char guard[STR_SIZE + 8];
  std::fill(guard, guard + sizeof guard, '#');
  C_to_C(longer.c_str(), guard);
  app_C(guard, "more");
  EXPECT_EQ(std::string(guard).size(), STR_SIZE - 1u);
  EXPECT_EQ(guard[STR_SIZE], '#');
}

TEST(SharedStrings, DigitsAndFractions) {
  EXPECT_EQ((std::vector<int>{str_is_int(""), str_is_int("0123"), str_is_int("12a")}),
            (std::vector<int>{1, 1, 0}));
  EXPECT_EQ((std::vector<int>{str_to_int("12a"), str_to_int("12345"), str_to_int("")}),
            (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(str_to_int("0042"), 42);
  EXPECT_EQ(str_is_frac("1/2"), 1);
  for (const char* s : {"0/2", "1/0", "1-2", "11/2"}) EXPECT_EQ(str_is_frac(s), 0) << s;
  EXPECT_EQ((std::vector<float>{str_to_frac("3/4"), str_to_frac("1/0"), str_to_frac("1/")}),
            (std::vector<float>{0.75f, -1, -1}));
  EXPECT_EQ(
      (std::vector<int>{char_to_int('7'), char_to_int('+'), char_to_int('-'), char_to_int('x')}),
      (std::vector<int>{7, 1, -1, 0}));
  EXPECT_EQ(std::string() + int_to_char(9) + int_to_char(10) + int_to_char(-1), "900");
  const std::pair<int, const char*> ints[] = {{0, "0"},         {-5, "-5"},
                                              {99999, "99999"}, {123456, "23456"},
                                              {100007, "7"},    {INT_MIN, "-83648"}};
  char to[STR_SIZE];
  for (const auto& c : ints) {
    int_to_str(c.first, to);
    EXPECT_STREQ(to, c.second);
  }
}

TEST(SharedStrings, SymbolCodeAndFlagsRoundTrip) {
  for (int k = 0; k <= 36; k++) EXPECT_EQ(char_to_code(code_to_char(k)), k);
  EXPECT_EQ(code_to_char(37), '0');
  EXPECT_EQ(char_to_code('?'), char_to_code('0'));
  for (int v = 0; v < 32; v++) {
    int f[5];
    int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], v);
    EXPECT_EQ(bol_to_int(f[0], f[1], f[2], f[3], f[4]), v);
  }
  EXPECT_EQ(bol_to_int(5, 0, -1, 0, 0), 5);
}

TEST(SharedStrings, ClockAndEnvironmentNames) {
  int h, m;
  sec_to_hrs_min(3725.9f, &h, &m);
  EXPECT_EQ(std::vector<int>({h, m}), std::vector<int>({1, 2}));
  char to[STR_SIZE];
  return_latlon_str_ENV(34, -118, to, 1);
  EXPECT_STREQ(to, "+030-120/+034-118.env");
  return_latlon_str_ENV(34, -118, to, 0);
  EXPECT_STREQ(to, "United States/+034-118.env");
  return_latlon_str_ENV(-34, 151, to, 1);
  EXPECT_STREQ(to, "-040+150/-034+151.env");
}
