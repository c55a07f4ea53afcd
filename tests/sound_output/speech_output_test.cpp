// The controller's speech as OpenAL Soft mixes it: espeak-ng makes a sentence on its own thread,
// the loop's pump hands the samples to the stream, and the mix holds the spoken words followed by
// silence once the stream has played them out.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/macibm.h"
#include "sound/sound.h"

namespace {
double rms(const std::vector<float>& x, double from_s, double to_s, int rate) {
  const size_t a = static_cast<size_t>(from_s * rate);
  const size_t b = std::min(x.size(), static_cast<size_t>(to_s * rate));
  double s = 0.0;
  for (size_t i = a; i < b; i++) s += x[i] * x[i];
  return b > a ? std::sqrt(s / static_cast<double>(b - a)) : 0.0;
}
}  // namespace

TEST(SoundOutput, ControllerSpeechIsMadeBesideTheLoopAndPlayed) {
  reset_world_state();
  init_constants();
  ASSERT_EQ(MACIBM_sound_open(), 1) << "OpenAL Soft found no device: is ALSOFT_CONF set?";
  ASSERT_EQ(backend_speech_init(), 1) << "espeak-ng or its en-us voice is missing";
  const auto t0 = std::chrono::steady_clock::now();
  auto since = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(); };
  ASSERT_EQ(MACIBM_speak("San Bernardino tower, cleared to land runway six.", 0), 1);
  double heard_at = -1.0;
  int failures = 0;
  while (since() < 5.0) {
    failures += MACIBM_speech_pump();
    if (heard_at < 0.0 && MACIBM_stream_playing()) heard_at = since();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(failures, 0);
  EXPECT_GE(heard_at, 0.0);
  EXPECT_EQ(MACIBM_stream_playing(), 0);  // played out by now
  EXPECT_EQ(MACIBM_speak("", 0), 0);       // nothing to say is refused
  MACIBM_sound_close();

  std::ifstream f(KESTRIX_SOUND_MIX, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), {});
  wav_sound w;
  ASSERT_EQ(read_wav(bytes.data(), bytes.size(), &w), nullptr);
  std::vector<float> x;
  for (int i = 0; i + 1 < w.bytes; i += 2 * w.channels)
    x.push_back(static_cast<short>(w.pcm[i] | (w.pcm[i + 1] << 8)) / 32768.0f);
  ASSERT_GT(x.size(), static_cast<size_t>(4.5 * w.rate));
  // Words over the first seconds, silence at the end.
  EXPECT_GT(rms(x, heard_at, heard_at + 2.0, w.rate), 0.01);
  EXPECT_LT(rms(x, 4.6, 5.0, w.rate), 1.0e-4);
}
