// The phrase pieces: frequencies, headings, turns, the altimeter, the wind and the call signs.
#include <cstdlib>

#include "atc_fixture.h"

using AtcPhrases = AtcTest;

namespace {
// What a phrase function f writes into an empty sentence.
template <class F>
std::string piece(F f) {
  char s[STR_SIZE] = "";
  f(s);
  return s;
}
}  // namespace

TEST_F(AtcPhrases, NumbersAreSaidDigitByDigit) {
  EXPECT_EQ(piece([](char* s) { app_freq(s, 121, 80); }), "1 2 1 point 8 0");
  EXPECT_EQ(piece([](char* s) { app_freq_khz(s, 118275); }), "1 1 8 point 2 7 5");
  // A tower's frequency comes from the airport data where it has one, else one is made up within
  // the tower band.
  EXPECT_EQ(tower_frequency(SBD), 119450);
  for (int apt : {static_cast<int>(TWIN), -1, static_cast<int>(APT_MAX)}) {
    const int f = tower_frequency(apt);
    EXPECT_TRUE(f >= 118000 && f < 135000 && f % 50 == 0) << apt << ": " << f;
  }
  const struct {
    int hdg, step;
    const char* said;
  } headings[] = {{0, 5, "3 6 0"},   {360, 5, "3 6 0"}, {3, 5, "0 0 5"},    {358, 5, "3 6 0"},
                  {-10, 10, "3 5 0"}, {725, 5, "0 0 5"}, {72, 10, "0 7 0"}};
  for (const auto& h : headings)
    EXPECT_EQ(piece([&](char* s) { app_heading_string(s, h.hdg, h.step); }), h.said) << h.hdg;
  for (int k = 0; k < 20000; k++) {
    const std::string code = piece(app_squawk);
    ASSERT_THAT(code, ::testing::MatchesRegex("[0-7] [0-7] [0-7] [0-7]"));
    ASSERT_TRUE(code != "7 5 0 0" && code != "7 6 0 0" && code != "7 7 0 0") << code;
  }
  // Turns go the shorter way from the heading now, 90; straight ahead counts as left.
  flt.magpsi_int = 90;
  const char* turns[][2] = {{"80", "turn left heading 0 8 0"}, {"100", "turn right heading 1 0 0"},
                            {"90", "turn left heading 0 9 0"}, {"270", "turn right heading 2 7 0"},
                            {"275", "turn left heading 2 7 5"}};
  for (const auto& t : turns)
    EXPECT_EQ(piece([&](char* s) { app_turn_string(s, std::atoi(t[0]), 5); }), t[1]);
}

// Every setting from 28.00 to 31.00 is said as itself, not a hundredth low; from 18000 ft up the
// standard setting is said whatever the weather.
TEST_F(AtcPhrases, AltimeterIsSaidToTheNearestHundredth) {
  for (int v = 2800; v <= 3100; v++) {
    atm.baro = static_cast<float>(v) / 100.0f;
    char want[32];
    std::snprintf(want, sizeof want, "altimeter %d %d %d %d", v / 1000, v / 100 % 10, v / 10 % 10,
                  v % 10);
    EXPECT_EQ(piece(app_altimeter_string), want);
  }
  flt.h = 18000.0f * con.fttomtrs;
  atm.baro = 30.45f;
  EXPECT_EQ(piece(app_altimeter_string), "altimeter 2 9 9 2");
  flt.h = 1000.0f;
  atm.baro = NAN;
  EXPECT_EQ(piece(app_altimeter_string), "altimeter 2 9 9 2");
}

TEST_F(AtcPhrases, WindPhraseByStrengthVariationAndGust) {
  const float kt = con.ktstomsc;
  const struct {
    float dir, spd, gust, var;
    const char* said;
  } winds[] = {
      {270, 0, 0, 0, "Wind calm"},
      {270, 3 * kt, 0.5f * kt, 0, "Wind light and variable"},
      {270, 12.2f * kt, 0.5f * kt, 5, "Wind 2 7 0 at 12"},
      {270, 12.2f * kt, 0.5f * kt, 30,
       "Wind shear alert. Wind 2 7 0 at 12 variable 2 4 0 to 3 0 0"},
      {274, 12.2f * kt, 8.5f * kt, 0, "Wind shear alert. Wind 2 7 0 at 12 gust 20"},
      {90, NAN, NAN, NAN, "Wind calm"},
  };
  const int k = wind_index(apt_h[SBD]);
  for (const auto& w : winds) {
    atm.wnddir[k] = w.dir, atm.wndspd[k] = w.spd, atm.shrspd[k] = w.gust, atm.shrdir[k] = w.var;
    EXPECT_EQ(piece([](char* s) { app_wind_string(s, SBD); }), w.said);
  }
}

TEST_F(AtcPhrases, CallSignAndPhoneticWords) {
  char s[STR_SIZE];
  start_command_string(s, 1);
  EXPECT_STREQ(s, CALL_SIGN);
  C_to_C("n12ab", pln.tailnum);
  start_command_string(s, 1);
  EXPECT_STREQ(s, CALL_SIGN);
  EXPECT_STREQ(get_phonetic('9'), "niner");
  EXPECT_STREQ(get_phonetic('X'), "x ray");
  EXPECT_STREQ(get_phonetic('a'), "");
}

// A file name as long as the system allows, and a long tail number, are cut: the sentence after
// the call sign is still said whole.
TEST_F(AtcPhrases, LongFileNameIsCutNotOverrun) {
  std::memset(pln.C_file, 'Q', 255);
  std::strcpy(pln.C_file + 255, ".acf");
  std::memset(pln.tailnum, 'W', 390);
  pln.tailnum[390] = '\0';
  flt.onsurface = 1;
  flt.lat = apt_lat[SBD][0], flt.lon = apt_lon[SBD][0];
  char req[] = "request taxi.";
  controller_respond(req);
  ASSERT_EQ(said().size(), 1u);
  EXPECT_LT(said()[0].size(), 400u);
  EXPECT_EQ(said()[0].compare(said()[0].size() - 14, 14, "taxi runway 6."), 0) << said()[0];
}
