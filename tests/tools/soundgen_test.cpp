// The sound generator: every file the simulator looks for is made and reads back, the loops join
// without a click, the marker tones have their pitch and lengths, and every call-out is spoken.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "sound/sound.h"
#include "soundgen.h"

namespace {

// Made once for every test here.
std::map<std::string, named_sound> make_all() {
  std::vector<named_sound> made;
  engine_sounds(made);
  effect_sounds(made);
  std::string why;
  EXPECT_TRUE(voice_sounds(made, &why)) << why;
  std::map<std::string, named_sound> by_name;
  for (const named_sound& s : made) EXPECT_TRUE(by_name.emplace(s.file, s).second) << s.file << " twice";
  return by_name;
}

const std::map<std::string, named_sound>& all_sounds() {
  static const std::map<std::string, named_sound> sounds = make_all();
  return sounds;
}

TEST(ToolsSoundgen, EverySoundFileIsMadeAndReadsBack) {
  const std::map<std::string, named_sound>& sounds = all_sounds();
  std::vector<std::string> wanted(std::begin(sound_file_name), std::end(sound_file_name));
  wanted.insert(wanted.end(), std::begin(generic_engine_file), std::end(generic_engine_file));
  EXPECT_EQ(sounds.size(), wanted.size());
  for (const std::string& name : wanted) {
    ASSERT_EQ(sounds.count(name), 1u) << name;
    const named_sound& s = sounds.at(name);
    ASSERT_TRUE(write_wav("soundgen_test.WAV", s.w, s.rate));
    std::ifstream f("soundgen_test.WAV", std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), {});
    wav_sound w;
    ASSERT_EQ(read_wav(bytes.data(), bytes.size(), &w), nullptr) << name;
    EXPECT_EQ(w.rate, s.rate) << name;
    EXPECT_EQ(w.bytes, static_cast<int>(2 * s.w.size())) << name;
    const float peak = std::fabs(*std::max_element(s.w.begin(), s.w.end(), [](float a, float b) {
      return std::fabs(a) < std::fabs(b);
    }));
    EXPECT_GT(peak, 0.5f) << name;
    EXPECT_LE(peak, 1.0f) << name;
  }
}

TEST(ToolsSoundgen, LoopsJoinWithoutAClick) {
  const std::map<std::string, named_sound>& sounds = all_sounds();
  for (const char* name : {"eng1.WAV", "eng2.WAV", "eng3.WAV", "eng4.WAV", "eng5.WAV", "wind.WAV",
                           "rain.WAV", "stal.WAV"}) {
    const wave& w = sounds.at(name).w;
    std::vector<float> steps;
    for (size_t i = 1; i < w.size(); i++) steps.push_back(std::fabs(w[i] - w[i - 1]));
    std::sort(steps.begin(), steps.end());
    // From the last sample back to the first is no bigger a step than the loop's ordinary ones.
    EXPECT_LE(std::fabs(w.front() - w.back()), steps[steps.size() * 99 / 100]) << name;
  }
}

// Seconds the sound lasts, and its pitch from its zero crossings.
void length_and_pitch(const wave& w, double* seconds, double* hz) {
  int crossings = 0;
  for (size_t i = 1; i < w.size(); i++) crossings += (w[i - 1] < 0.0f) != (w[i] < 0.0f);
  *seconds = static_cast<double>(w.size()) / GEN_RATE;
  *hz = crossings / (2.0 * *seconds);
}

TEST(ToolsSoundgen, MarkerTonesFitTheMorseTimingAtTheIdentificationsPitch) {
  const std::map<std::string, named_sound>& sounds = all_sounds();
  double dot_s, dot_hz, dash_s, dash_hz;
  length_and_pitch(sounds.at("mdot.WAV").w, &dot_s, &dot_hz);
  length_and_pitch(sounds.at("mdas.WAV").w, &dash_s, &dash_hz);
  EXPECT_NEAR(dot_hz, TONE_FILE_HZ, 15.0);
  EXPECT_NEAR(dash_hz, TONE_FILE_HZ, 15.0);
  // Played at 1020 Hz a dot still ends inside its 0.3 s and a dash inside its 0.5 s, with a gap.
  const double slower = TONE_FILE_HZ / 1020.0;
  EXPECT_LT(dot_s * slower, 0.25);
  EXPECT_LT(dash_s * slower, 0.47);
  EXPECT_GT(dash_s, 2.0 * dot_s);
}

TEST(ToolsSoundgen, CallOutsAreSpokenBriefly) {
  const std::map<std::string, named_sound>& sounds = all_sounds();
  for (const char* name : {"sink.WAV", "pull.WAV", "gwrn.WAV", "glid.WAV", "mini.WAV", "wshr.WAV",
                           "caut.WAV", "50ft.WAV", "25ft.WAV", "10ft.WAV"}) {
    const named_sound& s = sounds.at(name);
    const double seconds = static_cast<double>(s.w.size()) / s.rate;
    EXPECT_GT(seconds, 0.2) << name;
    EXPECT_LT(seconds, 1.6) << name;
  }
}

}  // namespace
