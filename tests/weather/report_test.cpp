// Decoding the one-line weather report.
#include "support/test_support.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "shared/shared.h"
#include "weather/weather.h"

namespace {

// Every output starts at -1 (0 for the precipitation), so that what a report leaves alone shows.
struct decoded {
  float time = -1;
  int cld = -1;
  float base = -1, tops = -1, vis = -1;
  int kind = 0, level = 0;
  float temp = -1, dewp = -1, dir = -1, spd = -1, gust = -1, baro = -1;
};

void decode_into(decoded* d, const char* report, float field_h = 0) {
  decode_wxr(report, field_h, &d->time, &d->cld, &d->base, &d->tops, &d->vis, &d->kind, &d->level,
             &d->temp, &d->dewp, &d->dir, &d->spd, &d->gust, &d->baro);
}

decoded decode(const char* report, float field_h = 0) {
  decoded d;
  decode_into(&d, report, field_h);
  return d;
}

}  // namespace

class WeatherReport : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    std::srand(2);
  }
  float ft(float v) { return v * con.fttomtrs; }
  float nm(float v) { return v * con.nmtomtrs; }
  float kt(float v) { return v * con.ktstomsc; }
};

TEST_F(WeatherReport, ClearSkyWithTimeAndDataGroup) {
  decoded d = decode("1950 SA CLR 10 65/50/2505/992", 100);
  EXPECT_EQ(d.time, 19 * 3600 + 50 * 60);
  EXPECT_EQ(d.cld, 0);
  EXPECT_EQ(d.base, -1);
  EXPECT_FLOAT_EQ(d.vis, nm(10));
  EXPECT_EQ(d.kind, 0);
  EXPECT_EQ(d.temp, 65);
  EXPECT_EQ(d.dewp, 50);
  EXPECT_EQ(d.dir, 250);
  EXPECT_FLOAT_EQ(d.spd, kt(5));
  EXPECT_EQ(d.gust, 0);
  EXPECT_FLOAT_EQ(d.baro, 29.92f);
}

TEST_F(WeatherReport, BrokenAndOvercastLayersGiveBaseAndTopsAboveTheField) {
  decoded d = decode("0550 SA 25 SCT 80 BKN 250 OVC 3 R- 55/52/1812G25/013", 100);
  EXPECT_EQ(d.time, 5 * 3600 + 50 * 60);
  EXPECT_EQ(d.cld, 1);
  EXPECT_FLOAT_EQ(d.base, ft(8000) + 100);
  EXPECT_FLOAT_EQ(d.tops, ft(25000) + 100 + ft(1000));  // light rain raises the tops 1000 ft
  EXPECT_FLOAT_EQ(d.vis, nm(3));
  EXPECT_EQ(d.kind, 2);
  EXPECT_EQ(d.level, 1);
  EXPECT_EQ(d.dir, 180);
  EXPECT_FLOAT_EQ(d.spd, kt(12));
  EXPECT_FLOAT_EQ(d.gust, kt(13));
  EXPECT_FLOAT_EQ(d.baro, 30.13f);
  // Pairs must start more than two words before the data group: the overcast at 100 is not read.
  d = decode("1200 SA 30 BKN 100 OVC 60/50/0000/992");
  EXPECT_FLOAT_EQ(d.tops, ft(3000));
  // Only scattered clouds: clouds, but no layer.
  d = decode("1200 SA 20 SCT 45 SCT 7 60/50/0000/992");
  EXPECT_EQ(d.cld, 0);
  EXPECT_EQ(d.base, -1);
}

TEST_F(WeatherReport, VisibilityFromWholeNumbersAndFractions) {
  const struct {
    const char* report;
    float miles;
  } cases[] = {
      {"1200 SA 5 OVC 1 1/2 45/40/0000/001", 1.5f},  // a fraction overrides the whole before it
      {"1200 SA 5 OVC 1/2 45/40/0000/001", 0.5f},
      {"1200 SA 5 OVC 1 1/2 F 45/40/0000/001", 1.5f},
      {"1200 SA 5 OVC 2 1/4 RW+ 45/40/0000/001", 2.25f},
      {"1200 SA 5 OVC 6 RW 45/40/0000/001", 6},
  };
  for (auto c : cases) EXPECT_FLOAT_EQ(decode(c.report).vis, nm(c.miles)) << c.report;
  // The time word is never a visibility.
  EXPECT_EQ(decode("1200 45/40/0000/001").vis, -1);
  EXPECT_EQ(decode("1200 SA 45/40/0000/001").vis, -1);
}

TEST_F(WeatherReport, EveryPrecipitationWordAndItsRiseOfTheTops) {
  const char* words[6][3] = {{"R-", "R", "R+"},       {"RW-", "RW", "RW+"},
                             {"TRW-", "TRW", "TRW+"}, {"R-F", "RF", "R+F"},
                             {"RW-F", "RWF", "RW+F"}, {"TRW-F", "TRWF", "TRW+F"}};
  const int kinds[6] = {2, 4, 1, 3, 4, 1};
  for (int row = 0; row < 6; row++) {
    for (int l = 0; l < 3; l++) {
      std::string r = std::string("1200 SA 30 BKN 2 ") + words[row][l] + " 60/50/0000/992";
      decoded d = decode(r.c_str());
      EXPECT_EQ(d.kind, kinds[row]) << r;
      EXPECT_EQ(d.level, l + 1) << r;
      float rise = (l + 1) * (kinds[row] == 1 ? 10000 : 1000);
      EXPECT_FLOAT_EQ(d.tops, ft(3000 + rise)) << r;
    }
  }
  EXPECT_EQ(decode("1200 SA 30 BKN 2 SN 60/50/0000/992").kind, 0);
  EXPECT_EQ(decode("SA 2 R 60/50/0000/992").kind, 0);  // too close to the start
}

TEST_F(WeatherReport, PrecipitationWithoutALayerLeavesTheTopsAlone) {
  decoded d;
  d.tops = 1500;
  decode_into(&d, "1200 SA 20 SCT 3 R+ 60/50/0000/992");
  decode_into(&d, "1200 SA 20 SCT 3 R+ 60/50/0000/992");
  EXPECT_EQ(d.kind, 2);
  EXPECT_EQ(d.tops, 1500);
}

TEST_F(WeatherReport, ReportWithoutTimeAndVariableWind) {
  for (int n = 0; n < 20; n++) {
    decoded d = decode("SA 15 SCT 7 23/15/VR05/998");
    EXPECT_EQ(d.time, -1);
    EXPECT_EQ(d.cld, 0);
    EXPECT_FLOAT_EQ(d.vis, nm(7));
    EXPECT_EQ(d.kind, 0);
    EXPECT_EQ(std::fmod(d.dir, 10.0f), 0) << d.dir;
    EXPECT_TRUE(d.dir >= 0 && d.dir <= 350) << d.dir;
    EXPECT_FLOAT_EQ(d.spd, kt(5));
    EXPECT_FLOAT_EQ(d.baro, 29.98f);
  }
}

TEST_F(WeatherReport, FourSlashGroupSkipsItsFirstField) {
  decoded d = decode("1200 SA 40 OVC 5 TRW 1/70/60/2710/002", 50);
  EXPECT_EQ(d.temp, 70);
  EXPECT_EQ(d.dewp, 60);
  EXPECT_EQ(d.dir, 270);
  EXPECT_FLOAT_EQ(d.spd, kt(10));
  EXPECT_FLOAT_EQ(d.baro, 30.02f);
  EXPECT_EQ(d.kind, 1);
  EXPECT_EQ(d.level, 2);
  EXPECT_FLOAT_EQ(d.tops, ft(4000) + 50 + ft(20000));
}

TEST_F(WeatherReport, MalformedPartsLeaveTheirOutputsAlone) {
  decoded d = decode("1200 SA CLR 10 0/M05/25055/99");
  EXPECT_EQ(d.temp, -1);  // 0 and below are not taken
  EXPECT_EQ(d.dewp, -1);
  EXPECT_EQ(d.dir, -1);  // five characters
  EXPECT_EQ(d.baro, -1);  // fewer than three digits
  d = decode("2561 SA CLR 10 60/50/9905/992");
  EXPECT_EQ(d.time, -1);
  EXPECT_EQ(d.dir, -1);  // 990 degrees
  EXPECT_EQ(d.temp, 60);
  d = decode("12A0 SA CLR 10 60/50/27G5/99A");
  EXPECT_EQ(d.time, -1);
  EXPECT_EQ(d.dir, -1);
  EXPECT_EQ(d.baro, -1);
  d = decode("1200 SA CLR 10 60/50/0000/992/5/6");  // too many fields for either form
  EXPECT_EQ(d.temp, -1);
  EXPECT_FLOAT_EQ(d.vis, nm(10));
  for (const char* r : {"", "   ", "////", "/ / /", "1200", "1200 SA 30"}) {
    d = decode(r);
    EXPECT_EQ(d.vis + d.temp + d.baro + d.tops, -4) << r;
  }
  decode_wxr(nullptr, 0, &d.time, &d.cld, &d.base, &d.tops, &d.vis, &d.kind, &d.level, &d.temp,
             &d.dewp, &d.dir, &d.spd, &d.gust, &d.baro);
  // Doubled blanks do not move the words; a data group past the fortieth word is not seen.
  EXPECT_EQ(decode("1950  SA   CLR 10  65/50/2505/992").temp, 65);
  std::string many = "1200 SA";
  for (int n = 0; n < 40; n++) many += " 1";
  EXPECT_EQ(decode((many + " 65/50/2505/992").c_str()).temp, -1);
}
