// Decoding the one-line weather report.
#include "weather/weather_fixture.h"

namespace {

// Every output starts at -1 (0 for the precipitation), so that what a report leaves alone shows.
struct decoded {
  float time = -1;
  int cld = -1;
  float base = -1, tops = -1, vis = -1;
  int kind = 0, level = 0;
  float temp = -1, dewp = -1, dir = -1, spd = -1, gust = -1, baro = -1;
};

decoded decode(const char* report, decoded d = decoded{}) {
  decode_wxr(report, 100, &d.time, &d.cld, &d.base, &d.tops, &d.vis, &d.kind, &d.level, &d.temp,
             &d.dewp, &d.dir, &d.spd, &d.gust, &d.baro);
  return d;
}

}  // namespace

TEST(WeatherReport, EachDocumentedFormDecodes) {
  init_constants();
  float ft = con.fttomtrs, nm = con.nmtomtrs, kt = con.ktstomsc;
  // Reports on a field at 100 m: sky, visibility, precipitation and the data group.
  const struct {
    const char* report;
    float time;
    int cld;
    float base_ft, tops_ft, vis_nm;
    int kind, level;
    float temp, dewp, dir, spd_kt, gust_kt, baro;
  } cases[] = {
      {"1950 SA CLR 10 65/50/2505/992", 71400, 0, -1, -1, 10, 0, 0, 65, 50, 250, 5, 0, 29.92f},
      {"0550 SA 25 SCT 80 BKN 250 OVC 3 R- 55/52/1812G25/013", 21000, 1, 8000, 26000, 3, 2, 1, 55,
       52, 180, 12, 13, 30.13f},
      {"1200 SA 5 OVC 1 1/2 45/40/0405/001", 43200, 1, 500, 500, 1.5f, 0, 0, 45, 40, 40, 5, 0,
       30.01f},
      {"1200 SA 5 OVC 2 1/4 RW+ 45/40/0000/001", 43200, 1, 500, 3500, 2.25f, 4, 3, 45, 40, 0, 0, 0,
       30.01f},
      {"1200 SA 40 OVC 5 TRW 1/70/60/2710/002", 43200, 1, 4000, 24000, 5, 1, 2, 70, 60, 270, 10, 0,
       30.02f},
      {"1200 SA 20 SCT 45 SCT 1/2 R+F 60/50/3620G19/990", 43200, 0, -1, -1, 0.5f, 3, 3, 60, 50, 360,
       20, 0, 29.90f},
      {"1200 SA 30 BKN 100 OVC 60/50/0000/992", 43200, 1, 3000, 3000, 100, 0, 0, 60, 50, 0, 0, 0,
       29.92f},  // a pair must start more than two words before the data group
  };
  for (auto c : cases) {
    decoded d = decode(c.report);
    EXPECT_EQ(d.time, c.time) << c.report;
    EXPECT_EQ(d.cld, c.cld) << c.report;
    EXPECT_FLOAT_EQ(d.base, c.base_ft < 0 ? -1 : c.base_ft * ft + 100) << c.report;
    EXPECT_FLOAT_EQ(d.tops, c.tops_ft < 0 ? -1 : c.tops_ft * ft + 100) << c.report;
    EXPECT_FLOAT_EQ(d.vis, c.vis_nm * nm) << c.report;
    EXPECT_EQ(d.kind, c.kind) << c.report;
    EXPECT_EQ(d.level, c.level) << c.report;
    EXPECT_EQ(d.temp, c.temp) << c.report;
    EXPECT_EQ(d.dewp, c.dewp) << c.report;
    EXPECT_EQ(d.dir, c.dir) << c.report;
    EXPECT_FLOAT_EQ(d.spd + 1, c.spd_kt * kt + 1) << c.report;
    EXPECT_FLOAT_EQ(d.gust + 1, c.gust_kt * kt + 1) << c.report;
    EXPECT_FLOAT_EQ(d.baro, c.baro) << c.report;
  }
  // Every precipitation word, its kind and level.
  const char* words[18] = {"R-",  "R",  "R+",  "RW-",  "RW",  "RW+",  "TRW-",  "TRW",  "TRW+",
                           "R-F", "RF", "R+F", "RW-F", "RWF", "RW+F", "TRW-F", "TRWF", "TRW+F"};
  const int kinds[6] = {2, 4, 1, 3, 4, 1};
  for (int w = 0; w < 18; w++) {
    decoded d = decode((std::string("1200 SA 30 BKN 2 ") + words[w] + " 60/50/0000/992").c_str());
    EXPECT_EQ(d.kind, kinds[w / 3]) << words[w];
    EXPECT_EQ(d.level, w % 3 + 1) << words[w];
  }
  // Without a time word the first word is skipped; VR is a random direction in tens of degrees.
  for (int n = 0; n < 20; n++) {
    decoded d = decode("SA 15 SCT 7 23/15/VR05/998");
    EXPECT_EQ((std::vector<float>{d.time, float(d.cld), float(d.kind)}),
              (std::vector<float>{-1, 0, 0}));
    EXPECT_FLOAT_EQ(d.vis, 7 * nm);
    EXPECT_TRUE(std::fmod(d.dir, 10.0f) == 0 && d.dir >= 0 && d.dir <= 350) << d.dir;
    EXPECT_FLOAT_EQ(d.spd, 5 * kt);
  }
}

TEST(WeatherReport, MalformedPartsLeaveTheirOutputsAlone) {
  init_constants();
  decoded d = decode("1200 SA CLR 10 0/M05/25055/99");  // 0 and below, five wind characters
  EXPECT_EQ((std::vector<float>{d.temp, d.dewp, d.dir, d.baro}), std::vector<float>(4, -1));
  d = decode("2561 SA CLR 10 60/50/9905/992");  // no 25th hour, no 990 degrees
  EXPECT_EQ((std::vector<float>{d.time, d.dir}), std::vector<float>(2, -1));
  EXPECT_EQ(d.temp, 60);
  d = decode("12A0 SA CLR 10 60/50/27G5/99A");
  EXPECT_EQ((std::vector<float>{d.time, d.dir, d.baro}), std::vector<float>(3, -1));
  EXPECT_EQ(decode("1200 SA CLR 10 60/50/0000/992/5/6").temp, -1);  // neither 3 nor 4 slashes
  for (const char* r : {"", "   ", "////", "/ / /", "1200", "1200 SA 30", "1200 45/40/0000/001"}) {
    d = decode(r);
    // The time word is never a visibility.
    EXPECT_EQ((std::vector<float>{d.vis, d.tops, float(d.cld)}), std::vector<float>(3, -1)) << r;
  }
  decode_wxr(nullptr, 0, &d.time, &d.cld, &d.base, &d.tops, &d.vis, &d.kind, &d.level, &d.temp,
             &d.dewp, &d.dir, &d.spd, &d.gust, &d.baro);
  EXPECT_EQ(decode("1950  SA   CLR 10  65/50/2505/992").temp, 65);  // doubled blanks
  std::string many = "1200 SA";
  for (int n = 0; n < 40; n++) many += " 1";
  EXPECT_EQ(decode((many + " 65/50/2505/992").c_str()).temp, -1);  // past the fortieth word
  // Rain without a layer leaves the old tops: nothing piles up over repeated readings.
  d.tops = 1500;
  d = decode("1200 SA 20 SCT 3 R+ 60/50/0000/992", decode("1200 SA 20 SCT 3 R+ 60/50/0000/992", d));
  EXPECT_EQ(std::tuple(d.kind, d.level, d.tops), std::tuple(2, 3, 1500.0f));
}
