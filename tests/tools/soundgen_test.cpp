// The sound generator: every file the simulator looks for is made and reads back, the loops join
// without a click, and the marker tones have their pitch and lengths.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "sound/sound.h"
#include "soundgen.h"

namespace {

const std::map<std::string, named_sound>& all_sounds() {
  static std::map<std::string, named_sound> sounds;
  if (sounds.empty()) {
    std::vector<named_sound> made;
    engine_sounds(made);
    effect_sounds(made);
    std::string why;
    EXPECT_TRUE(voice_sounds(made, &why)) << why;
    for (const named_sound& s : made) EXPECT_TRUE(sounds.emplace(s.file, s).second) << s.file;
  }
  return sounds;
}

TEST(ToolsSoundgen, EverySoundFileIsMadeAndReadsBack) {
  std::vector<std::string> wanted(std::begin(sound_file_name), std::end(sound_file_name));
  wanted.insert(wanted.end(), std::begin(generic_engine_file), std::end(generic_engine_file));
  EXPECT_EQ(all_sounds().size(), wanted.size());
  for (const std::string& name : wanted) {
    ASSERT_EQ(all_sounds().count(name), 1u) << name;
    const named_sound& s = all_sounds().at(name);
    ASSERT_TRUE(write_wav("soundgen_test.WAV", s.w, s.rate));
    std::ifstream f("soundgen_test.WAV", std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), {});
    wav_sound w;
    ASSERT_EQ(read_wav(bytes.data(), bytes.size(), &w), nullptr) << name;
    EXPECT_EQ(w.rate, s.rate) << name;
    EXPECT_EQ(w.bytes, static_cast<int>(2 * s.w.size())) << name;
    const auto [lo, hi] = std::minmax_element(s.w.begin(), s.w.end());
    EXPECT_TRUE(*lo >= -1.0f && *hi <= 1.0f && *hi - *lo > 1.0f) << name << ": silent or clipped";
  }
}

TEST(ToolsSoundgen, LoopsJoinWithoutAClickAndMarkerTonesFitTheMorseTiming) {
  for (const char* name : {"eng1.WAV", "eng2.WAV", "eng3.WAV", "eng4.WAV", "eng5.WAV", "wind.WAV",
                           "rain.WAV", "stal.WAV"}) {
    const wave& w = all_sounds().at(name).w;
    std::vector<float> steps;
    for (size_t i = 1; i < w.size(); i++) steps.push_back(std::fabs(w[i] - w[i - 1]));
    std::sort(steps.begin(), steps.end());
    // From the last sample back to the first is no bigger a step than the loop's ordinary ones.
    EXPECT_LE(std::fabs(w.front() - w.back()), steps[steps.size() * 99 / 100]) << name;
  }
  double seconds[2];
  for (int k = 0; k < 2; k++) {
    const wave& w = all_sounds().at(k ? "mdas.WAV" : "mdot.WAV").w;
    int crossings = 0;
    for (size_t i = 1; i < w.size(); i++) crossings += (w[i - 1] < 0.0f) != (w[i] < 0.0f);
    seconds[k] = static_cast<double>(w.size()) / GEN_RATE;
    EXPECT_NEAR(crossings / (2.0 * seconds[k]), TONE_FILE_HZ, 15.0);
  }
  // Played at the identification's 1020 Hz a dot still ends inside its 0.3 s and a dash inside its
  // 0.5 s, each with a gap after it.
  EXPECT_LT(seconds[0] * TONE_FILE_HZ / 1020.0, 0.25);
  EXPECT_LT(seconds[1] * TONE_FILE_HZ / 1020.0, 0.47);
  EXPECT_GT(seconds[1], 2.0 * seconds[0]);
}

}  // namespace
