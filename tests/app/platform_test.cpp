// The platform start-up: paths, the main window and menu bar, the serial-port and joystick
// notices, the dialogs and the Yes/No/Cancel question.
#include "app_fixture.h"

#include <cstdlib>

#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "world/world.h"

class AppPlatform : public AppTest {};

TEST_F(AppPlatform, PathsComeFromTheProgramAndTheConfigurationFolder) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string saved_xdg = xdg ? xdg : "", saved_home = home ? home : "";
  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  macibm_find_paths();
  EXPECT_STREQ(prefs_path, "/tmp/cfg/Kestrix/Kestrix.prf");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/pilot", 1);
  macibm_find_paths();
  EXPECT_STREQ(prefs_path, "/home/pilot/.config/Kestrix/Kestrix.prf");
  setenv("XDG_CONFIG_HOME", std::string(500, 'a').insert(0, "/").c_str(), 1);
  macibm_find_paths();
  EXPECT_STREQ(prefs_path, "Kestrix.prf");  // too long for its buffer
  if (xdg)
    setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  if (home) setenv("HOME", saved_home.c_str(), 1);
  const char* saved_folder = macibm_program_folder;
  macibm_program_folder = nullptr;  // the folder of the running program itself
  macibm_find_paths();
  macibm_program_folder = saved_folder;
  std::string app = app_path;
  ASSERT_FALSE(app.empty());
  EXPECT_EQ(app.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(app + "test_app"));
}

TEST_F(AppPlatform, StartUpOpensTheMainWindowAndBuildsTheMenuBar) {
  pln.numen = 3;
  ASSERT_EQ(MACIBM_init("Kestrix", 800, 580), 1);
  EXPECT_EQ(pln.numen, 0);  // cleared
  EXPECT_GT(con.nmtomtrs, 1850.0f);
  EXPECT_EQ(mnw.up[0], 1);
  EXPECT_EQ(mnw.ready_to_update, 0);
  EXPECT_EQ(macibm_menu_size(0), 7);  // File .. About
  EXPECT_TRUE(macibm_alert_log().empty());  // no serial port is no news
}

// A port held by another program is no news at start-up; it is told once, when the first serial
// output asks for the port, and the outputs then go off instead of failing every frame.
TEST_F(AppPlatform, SerialPortOpensOnFirstUseAndReportsAProblemOnce) {
  headless_set_serial_codes(-2, 0);
  ASSERT_EQ(MACIBM_init("Kestrix", 800, 580), 1);
  EXPECT_TRUE(macibm_alert_log().empty());
  set.ser_motion = 1;
  for (int frame = 0; frame < 3; frame++) serial_outputs();
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "Serial port error:");
  EXPECT_EQ(last_alert().line[1], "Already open          ");
  EXPECT_EQ(last_alert().kind, ALERT_SIM_SERIAL);
  EXPECT_EQ(set.ser_motion, 0);

  // A port that opens but refuses the speed still carries the bytes; the speed is set once.
  macibm_clear_alert_log();
  headless_set_serial_codes(0, -12);
  ASSERT_EQ(MACIBM_init("Kestrix", 800, 580), 1);
  EXPECT_TRUE(macibm_alert_log().empty());
  EXPECT_EQ(MACIBM_serial_write("abcd", 4), 4);
  EXPECT_EQ(MACIBM_serial_write("abcd", 4), 4);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "Baud-rate error:  ");
  EXPECT_EQ(last_alert().line[1], "Unsupported baud rate ");
}

// No joystick at all is only logged (an alert without a first line shows no box); a stick that
// cannot be used gets a box. Every text says that the mouse flies.
TEST_F(AppPlatform, JoystickProbeDecidesBetweenStickAndMouse) {
  const struct {
    int code;
    const char* first;
  } cases[] = {
      {5, ""},
      {6, "A joystick is plugged in but could not be opened."},
      {7, "The joystick system (SDL) could not be started on this computer."},
  };
  for (const auto& c : cases) {
    headless_set_joystick_code(c.code);
    EXPECT_EQ(MACIBM_initjoy(), 0);
    EXPECT_EQ(set.controls_type, -1);
    EXPECT_EQ(last_alert().line[0], c.first);
    std::string text;
    for (const std::string& l : last_alert().line) text += l + "\n";
    EXPECT_NE(text.find("Flying is with the mouse."), std::string::npos) << text;
  }
  macibm_clear_alert_log();
  headless_set_joystick_code(0);
  EXPECT_EQ(MACIBM_initjoy(), 1);
  EXPECT_EQ(set.controls_type, 5);
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(AppPlatform, DialogsFillNameAndPathOrLeaveThemOnCancel) {
  char name[400] = "*.acf", path[400] = "/old/path.acf";
  EXPECT_EQ(MACIBM_open(name, path, FILE_AIRCRAFT), 0);
  EXPECT_STREQ(name, "*.acf");
  EXPECT_STREQ(path, "/old/path.acf");
  headless_queue_open_answer("C:\\planes\\Twin.acf");
  EXPECT_EQ(MACIBM_open(name, path, FILE_AIRCRAFT), 1);
  EXPECT_STREQ(path, "C:/planes/Twin.acf");
  EXPECT_STREQ(name, "Twin.acf");
  EXPECT_EQ(headless_dialogs_asked(), 2);

  EXPECT_EQ(MACIBM_respond_alert("Trainer.acf"), 3);
  EXPECT_STREQ(headless_last_question(), "Save changes to Trainer.acf first?");
  headless_set_question_answer(1);
  EXPECT_EQ(MACIBM_respond_alert("Trainer.acf"), 1);
}
