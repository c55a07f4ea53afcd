// The sound tests' set-up: the headless device live, and a "sounds" folder of the test's own.
#pragma once

#include "support/test_support.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <utility>

#include "aircraft/aircraft.h"
#include "app/headless/headless.h"
#include "shared/shared.h"

// A 16-bit mono sound file of 100 samples at `rate`.
inline void write_sound_file(const std::string& path, int rate) {
  auto le = [](unsigned v) { return le_bytes(v, 4); };
  std::ofstream(path, std::ios::binary) << "RIFF" << le(236) << "WAVEfmt " << le(16) << le(0x10001)
                                        << le(rate) << le(2 * rate) << le(0x100002) << "data" << le(200)
                                        << std::string(200, '\1');
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_world_state();
    init_constants();
    headless_reset();
    reset_snd();
    dir = std::filesystem::current_path().string() + "/" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "sounds");
    C_to_C(dir.c_str(), app_path);
    msc.sound_avail = init_sound();
    msc.sound_on = mnw.ready_to_update = 1;
  }
  // A shared sound file, and every sound loaded from the shared folder.
  void shared(const char* name, int rate = 22050) { write_sound_file(dir + "sounds/" + name, rate); }
  void load_all() {
    for (const char* name : sound_file_name) shared(name);
    for (const char* name : generic_engine_file) shared(name);
    for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);
  }
  // Sound n's rate (Hz) and volume (hundredths of a decibel) as last set.
  static std::pair<int, int> tuning(int n) { return {snd.frequency[n], snd.volume[n]}; }
  // How often the sound module made this call on the device for sound n.
  static int calls(char op, int n) {
    int k = 0;
    for (const headless_sound_call& c : headless_sound_calls()) k += c.op == op && c.n == n;
    return k;
  }
  std::string dir;
};
