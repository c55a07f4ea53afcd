// The serial outputs through a file standing for the port: the sentences once a second with valid
// checksums and the date turning at midnight, the float streams, and ports that fail.
#include "app/headless/headless.h"
#include "flight_fixture.h"

class FlightSerialPort : public FlightTest {
 protected:
  std::string path;
  void SetUp() override {
    FlightTest::SetUp();
    headless_reset();
    MACIBM_serial_close();
    reset_serial_outputs();
    path = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".port";
    headless_set_serial_device(path.c_str());
    macibm_clear_alert_log();
  }
  void TearDown() override {
    MACIBM_serial_close();
    headless_reset();
  }
  std::string port_bytes() {
    MACIBM_serial_close();
    return read_file(path);
  }
  // Frames as the flight runs them: the outputs, then the clocks. At longitude 0 UTC is the
  // local time.
  void frames(int n) {
    for (int i = 0; i < n; i++) {
      serial_outputs();
      msc.elap_time += msc.prd;
      msc.locl_time = fltwrap(msc.locl_time + msc.prd, 0.0f, 86400.0f);
    }
  }
};

TEST_F(FlightSerialPort, SentencesGoOutOnceASecondWithTheirChecksumsAndTheDateTurnsAtMidnight) {
  set.ser_NMEA = 1;
  msc.locl_time = 86397.5f;  // 23:59:57.5 UTC
  frames(80);  // four seconds: a sentence at the start and at each whole second of local time
  std::vector<std::string> rmc;
  int gga = 0;
  for (const std::string& line : lines_of(port_bytes())) {
    ASSERT_GE(line.size(), 6u);
    ASSERT_EQ(line.back(), '\r');
    size_t star = line.rfind('*');
    ASSERT_NE(star, std::string::npos) << line;
    int sum = 0;
    for (size_t k = 1; k < star; k++) sum ^= static_cast<unsigned char>(line[k]);
    EXPECT_EQ(std::stoi(line.substr(star + 1, 2), nullptr, 16), sum) << line;
    if (line.compare(0, 6, "$GPRMC") == 0) rmc.push_back(line);
    if (line.compare(0, 6, "$GPGGA") == 0) gga++;
  }
  ASSERT_EQ(rmc.size(), 5u);
  EXPECT_EQ(gga, 5);
  EXPECT_EQ(rmc[0].substr(7, 9), "235957.50");
  EXPECT_NE(rmc[2].find(",210624,"), std::string::npos) << rmc[2];
  EXPECT_EQ(rmc[3].substr(7, 6), "000000");
  EXPECT_NE(rmc[3].find(",220624,"), std::string::npos) << rmc[3];
}

// Sentences switched on after a midnight passed without them carry the new day; set back across
// midnight, the clock takes the date back a day, and the next midnight brings the second again.
TEST_F(FlightSerialPort, AClockSetBackAcrossMidnightTakesTheDateBackADay) {
  msc.locl_time = 86390.0f;
  frames(400);  // through midnight, the sentences off
  set.ser_NMEA = 1;
  frames(20);
  msc.locl_time = 86390.0f;
  frames(400);
  const std::string b = port_bytes(), last = b.substr(b.rfind("$GPRMC"));
  EXPECT_NE(b.substr(0, b.find('\n')).find(",220624,"), std::string::npos) << b.substr(0, 80);
  EXPECT_NE(last.find(",220624,"), std::string::npos) << last;
}

TEST_F(FlightSerialPort, AStepOfTheLocalClockIntoTheNextTimeZoneSendsNoExtraSentences) {
  set.ser_NMEA = 1;
  msc.locl_time = 40000.25f;
  frames(5);
  flt.lon = -8.0f, flt.clock_zone = 99, msc.locl_time -= 3600.0f;
  frames(5);
  EXPECT_EQ(lines_of(port_bytes()).size(), 2u);  // one RMC and one GGA
}

TEST_F(FlightSerialPort, MotionAndCockpitStreamsWriteAMarkerAndTheirFloatsEachFrame) {
  set.ser_motion = set.ser_cockpit = 1;
  msc.elap_time = 12.5f;
  flt.vind = 88.0f;
  flt.lon = 181.25f;  // past the date line, where the region's longitudes run on
  frames(3);
  std::string b = port_bytes();
  ASSERT_EQ(b.size(), 3u * (10 + 9) * 4);
  float v[19];
  std::memcpy(v, b.data(), sizeof v);  // this machine is little-endian, as the streams are
  EXPECT_EQ(v[0], -999.0f);
  EXPECT_EQ(v[1], 12.5f);
  EXPECT_EQ(v[5], -178.75f);
  EXPECT_EQ(v[10], -999.0f);
  EXPECT_EQ(v[11], 88.0f);
}

// A full device stands for a reader gone away or an adapter unplugged in flight.
TEST_F(FlightSerialPort, FailingOrMissingPortGivesOneNoticeAndSwitchesTheOutputsOff) {
  headless_set_serial_device("/dev/full");
  set.ser_NMEA = set.ser_motion = 1;
  frames(40);
  EXPECT_EQ(set.ser_NMEA, 0);
  EXPECT_EQ(set.ser_motion, 0);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(macibm_alert_log()[0].line[0], "Could not output serial port data!");

  macibm_clear_alert_log();
  headless_set_serial_device(nullptr);
  headless_set_serial_codes(-1, 0);
  set.ser_cockpit = 1;
  frames(40);
  EXPECT_EQ(set.ser_cockpit, 0);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(macibm_alert_log()[0].line[1], "No such port          ");
}
