// The desktop's devices: force commands turned into haptic effects, a joystick plugged back in,
// and the serial port on a pseudo-terminal standing in for the machine's first serial device.
#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/desktop/desktop.h"
#include "app/macibm.h"

// Every force command as the effect it gives, field by field.
TEST(DesktopForces, CommandsGiveTheirEffectsAndClearsStopThem) {
  const int none = EFFECT_NONE;
  const struct {
    int call, a, b, c;
    // slot, stop_slot, magnitude, center, pos_coeff, neg_coeff, period_ms, direction, length_ms
    std::vector<int> effect;
  } cases[] = {
      {FORCE_XSPRING, -50, 100, 20, {EFFECT_SPRING_X, none, 0, -16383, 32767, 6553, 0, 0, -1}},
      // Limited to the stick's travel.
      {FORCE_YSPRING, 250, 150, -5, {EFFECT_SPRING_Y, none, 0, 32767, 32767, 0, 0, 0, -1}},
      {FORCE_YVIBRATION, 30, 60, 20, {EFFECT_VIBRATION_Y, none, 19660, 0, 0, 0, 50, 0, -1}},
      // 50 Hz at most.
      {FORCE_XVIBRATION, 10, 10, 500, {EFFECT_VIBRATION_X, none, 3276, 0, 0, 0, 20, 9000, -1}},
      // No frequency is no vibration: the one playing stops and nothing divides by zero.
      {FORCE_XVIBRATION, 10, 10, 0, {none, EFFECT_VIBRATION_X, 0, 0, 0, 0, 0, 0, -1}},
      {FORCE_BUFFETING, 100, 0, 0, {EFFECT_BUFFETING, none, 32767, 0, 0, 0, 83, 0, -1}},
      {FORCE_JOLT, 50, -90, 5000, {EFFECT_JOLT, none, 16383, 0, 0, 0, 0, 27000, 2500}},
      {FORCE_JOLT, 50, 0, 0, {none, none, 0, 0, 0, 0, 0, 0, -1}},
      {FORCE_YVIBRATION_CLEAR, 0, 0, 0, {none, EFFECT_VIBRATION_Y, 0, 0, 0, 0, 0, 0, -1}},
      {FORCE_BUFFETING_CLEAR, 0, 0, 0, {none, EFFECT_BUFFETING, 0, 0, 0, 0, 0, 0, -1}},
      {FORCE_CLEAR, 0, 0, 0, {none, EFFECT_SLOTS, 0, 0, 0, 0, 0, 0, -1}},
      {99, 1, 2, 3, {none, none, 0, 0, 0, 0, 0, 0, -1}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message()
                 << "command " << k.call << " " << k.a << " " << k.b << " " << k.c);
    const desktop_effect e = desktop_force_effect(k.call, k.a, k.b, k.c);
    EXPECT_EQ((std::vector<int>{e.slot, e.stop_slot, e.magnitude, e.center, e.pos_coeff,
                                e.neg_coeff, e.period_ms, e.direction, e.length_ms}),
              k.effect);
  }
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
