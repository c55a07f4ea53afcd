// The desktop's devices: force commands turned into haptic effects, a joystick plugged back in,
// and the serial port on a pseudo-terminal standing in for the machine's first serial device.
#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "app/desktop/desktop.h"
#include "app/macibm.h"

TEST(DesktopForces, SpringsCentreAndStiffenEachAxis) {
  desktop_effect e = desktop_force_effect(FORCE_XSPRING, -50, 100, 20);
  EXPECT_EQ(e.slot, EFFECT_SPRING_X);
  EXPECT_EQ(e.center, -16383);
  EXPECT_EQ(e.pos_coeff, 32767);
  EXPECT_EQ(e.neg_coeff, 6553);
  e = desktop_force_effect(FORCE_YSPRING, 250, 150, -5);  // limited to the stick's travel
  EXPECT_EQ(e.slot, EFFECT_SPRING_Y);
  EXPECT_EQ(e.center, 32767);
  EXPECT_EQ(e.pos_coeff, 32767);
  EXPECT_EQ(e.neg_coeff, 0);
}

// A stick pulled out and plugged back in (SDL's virtual stick standing in for it) reads again.
TEST(DesktopJoystick, AStickPluggedBackInIsReadAgain) {
  // Counting the sticks starts SDL's joystick subsystem; a real stick would be read instead.
  if (MACIBM_joy_devices() > 0) GTEST_SKIP() << "a joystick is plugged in";
  int dev = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 4, 4, 1);
  ASSERT_EQ(backend_joystick_probe(), 0) << SDL_GetError();
  macibm_joy_state s;
  EXPECT_EQ(MACIBM_joy_read(0, &s), JOY_READ_OK);
  SDL_JoystickDetachVirtual(dev);
  EXPECT_EQ(MACIBM_joy_read(0, &s), JOY_READ_UNPLUGGED);
  SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 4, 4, 1);
  EXPECT_EQ(MACIBM_joy_read(0, &s), JOY_READ_OK);
  MACIBM_joy_close();
}

TEST(DesktopForces, VibrationsBuffetAndJoltsPlayAndTheirClearsStopThem) {
  desktop_effect e = desktop_force_effect(FORCE_YVIBRATION, 30, 60, 20);
  EXPECT_EQ(e.slot, EFFECT_VIBRATION_Y);
  EXPECT_EQ(e.magnitude, 19660);
  EXPECT_EQ(e.period_ms, 50);
  EXPECT_EQ(e.direction, 0);
  EXPECT_EQ(e.length_ms, -1);
  e = desktop_force_effect(FORCE_XVIBRATION, 10, 10, 500);
  EXPECT_EQ(e.direction, 9000);
  EXPECT_EQ(e.period_ms, 20);  // 50 Hz at most
  // No frequency is no vibration: the one playing stops and nothing divides by zero.
  e = desktop_force_effect(FORCE_XVIBRATION, 10, 10, 0);
  EXPECT_EQ(e.slot, EFFECT_NONE);
  EXPECT_EQ(e.stop_slot, EFFECT_VIBRATION_X);

  e = desktop_force_effect(FORCE_BUFFETING, 100, 0, 0);
  EXPECT_EQ(e.slot, EFFECT_BUFFETING);
  EXPECT_EQ(e.magnitude, 32767);
  EXPECT_GT(e.period_ms, 0);

  e = desktop_force_effect(FORCE_JOLT, 50, -90, 5000);
  EXPECT_EQ(e.slot, EFFECT_JOLT);
  EXPECT_EQ(e.direction, 27000);
  EXPECT_EQ(e.length_ms, 2500);
  EXPECT_EQ(desktop_force_effect(FORCE_JOLT, 50, 0, 0).slot, EFFECT_NONE);

  EXPECT_EQ(desktop_force_effect(FORCE_YVIBRATION_CLEAR, 0, 0, 0).stop_slot, EFFECT_VIBRATION_Y);
  EXPECT_EQ(desktop_force_effect(FORCE_BUFFETING_CLEAR, 0, 0, 0).stop_slot, EFFECT_BUFFETING);
  EXPECT_EQ(desktop_force_effect(FORCE_CLEAR, 0, 0, 0).stop_slot, EFFECT_SLOTS);
  desktop_effect none = desktop_force_effect(99, 1, 2, 3);
  EXPECT_EQ(none.slot, EFFECT_NONE);
  EXPECT_EQ(none.stop_slot, EFFECT_NONE);
}

class DesktopSerialPort : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    device = ptsname(master);
    // The test's own hold on the device keeps it alive and shows its settings.
    other = open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
  }
  void TearDown() override {
    desktop_serial_close();
    if (other >= 0) close(other);
    if (master >= 0) close(master);
  }
  std::string read_master() {
    char buf[64];
    std::string out;
    for (int tries = 0; tries < 50 && out.size() < 3; tries++) {
      ssize_t n = read(master, buf, sizeof buf);
      if (n > 0) out.append(buf, static_cast<size_t>(n));
      if (n <= 0) usleep(10000);
    }
    return out;
  }
  int master = -1, other = -1;
  std::string device;
};

TEST_F(DesktopSerialPort, PortSendsBytesAsTheyAreAndIsLeftAsItWasFound) {
  struct termios before;
  ASSERT_EQ(tcgetattr(other, &before), 0);
  ASSERT_EQ(desktop_serial_open_device(device.c_str()), 0);
  EXPECT_EQ(desktop_serial_set_baud(115200), 0);
  EXPECT_EQ(desktop_serial_set_baud(12345), -12);
  struct termios during;
  ASSERT_EQ(tcgetattr(other, &during), 0);
  EXPECT_EQ(cfgetospeed(&during), static_cast<speed_t>(B115200));
  // Raw: a line feed is not turned into carriage return and line feed.
  EXPECT_EQ(desktop_serial_write("A\nB", 3), 3);
  EXPECT_EQ(read_master(), "A\nB");

  desktop_serial_close();
  EXPECT_EQ(desktop_serial_write("C", 1), -1);
  struct termios after;
  ASSERT_EQ(tcgetattr(other, &after), 0);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}

TEST_F(DesktopSerialPort, PortHeldByAnotherProgramOrMissingIsReported) {
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(desktop_serial_open_device(device.c_str()), -2);
  EXPECT_EQ(desktop_serial_set_baud(115200), -1);  // no port was opened
  flock(other, LOCK_UN);
  EXPECT_EQ(desktop_serial_open_device("/dev/no-such-serial-port"), -1);
}
