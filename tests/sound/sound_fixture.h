// Set-up shared by the sound tests: a clean world, the headless sound device open and live, sound
// on, and a program folder of the test's own whose "sounds" folder the tests fill.
#pragma once

#include "support/test_support.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/headless/headless.h"
#include "app/macibm.h"
#include "shared/shared.h"
#include "sound/sound.h"

// A 16-bit mono sound file of `frames` samples at `rate`.
inline void write_sound_file(const std::string& path, int rate, int frames) {
  auto le = [](unsigned v, int n) {
    std::string s;
    for (int i = 0; i < n; i++) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  const unsigned data = 2u * static_cast<unsigned>(frames);
  std::ofstream(path, std::ios::binary)
      << "RIFF" << le(36 + data, 4) << "WAVEfmt " << le(16, 4) << le(1, 2) << le(1, 2)
      << le(static_cast<unsigned>(rate), 4) << le(2u * static_cast<unsigned>(rate), 4) << le(2, 2)
      << le(16, 2) << "data" << le(data, 4) << std::string(data, '\1');
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    headless_reset();
    reset_snd();
    macibm_clear_alert_log();
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::current_path().string() + "/" + t->test_suite_name() + "_" + t->name() + "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "sounds");
    C_to_C(dir.c_str(), app_path);
    msc.sound_avail = init_sound();
    msc.sound_on = 1;
    mnw.ready_to_update = 1;
  }
  void TearDown() override {
    macibm_hold_sounds_hook = nullptr;
    macibm_resume_sounds_hook = nullptr;
    macibm_menu_hook = nullptr;
  }
  // A shared sound file, and every sound loaded from the shared folder at this rate.
  void shared(const char* name, int rate = 22050) { write_sound_file(dir + "sounds/" + name, rate, 100); }
  void load_all(int rate = 22050) {
    for (const char* name : sound_file_name) shared(name, rate);
    for (const char* name : generic_engine_file) shared(name, rate);
    for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);
  }
  // The calls the sound module made on the device with this op.
  static int calls(char op, int n) {
    int k = 0;
    for (const headless_sound_call& c : headless_sound_calls()) k += c.op == op && c.n == n;
    return k;
  }
  std::string dir;
};
