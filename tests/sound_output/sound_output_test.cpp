// What the pilot would hear, mixed into a file by OpenAL Soft's "wave" driver (chosen by the
// configuration in ALSOFT_CONF): the engine, an outer marker, the horn and the controller's speech.
#include "support/test_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "aircraft/aircraft.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "world/world.h"

namespace {

using clock_type = std::chrono::steady_clock;
clock_type::time_point t0;

double since_t0() { return std::chrono::duration<double>(clock_type::now() - t0).count(); }

// Runs `step` every `ms` milliseconds of real time until `until` seconds after t0.
void run_until(double until, int ms, void (*step)()) {
  while (since_t0() < until) {
    step();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

// One event tick: a tenth of a second counted, and the warnings decided.
void event_tick() {
  msc.cntr10 = (msc.cntr10 + 1) % 10;
  msc.elap_time += 0.1f;
  update_warnings();
}

// Mean square of the component at `hz` between two times (Goertzel).
double power(const std::vector<float>& x, double from_s, double to_s, double hz, int rate) {
  const size_t a = static_cast<size_t>(from_s * rate),
               b = std::min(x.size(), static_cast<size_t>(to_s * rate));
  const double c = 2.0 * std::cos(2.0 * M_PI * hz / rate), n = static_cast<double>(b - a);
  double s1 = 0.0, s2 = 0.0;
  for (size_t i = a; i < b; i++) {
    const double s0 = x[i] + c * s1 - s2;
    s2 = s1, s1 = s0;
  }
  return (s1 * s1 + s2 * s2 - c * s1 * s2) / (n * n);
}

// The mix the driver wrote, its first channel's samples scaled to 1; its rate in *rate.
std::vector<float> read_mix(int* rate) {
  const std::string bytes = read_file(KESTRIX_SOUND_MIX);
  wav_sound w = {nullptr, 0, 0, 0, 0};
  const char* why =
      read_wav(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &w);
  EXPECT_EQ(why, nullptr) << why;
  EXPECT_EQ(w.bits, 16);
  std::vector<float> x;
  for (int i = 0; i + 1 < w.bytes; i += 2 * w.channels)
    x.push_back(static_cast<short>(w.pcm[i] | (w.pcm[i + 1] << 8)) / 32768.0f);
  *rate = w.rate;
  return x;
}

double rms(const std::vector<float>& x, double from_s, double to_s, int rate) {
  const size_t a = static_cast<size_t>(from_s * rate);
  const size_t b = std::min(x.size(), static_cast<size_t>(to_s * rate));
  double s = 0.0;
  for (size_t i = a; i < b; i++) s += x[i] * x[i];
  return b > a ? std::sqrt(s / static_cast<double>(b - a)) : 0.0;
}

// The spectral centroid between 20 Hz and 3 kHz, Hz.
double centroid(const std::vector<float>& x, double from_s, double to_s, int rate) {
  double sum = 0.0, weighted = 0.0;
  for (double hz = 20.0; hz <= 3000.0; hz += 10.0) {
    const double p = power(x, from_s, to_s, hz, rate);
    sum += p, weighted += p * hz;
  }
  return weighted / sum;
}

TEST(SoundOutput, EngineOuterMarkerAndStallHornAreInTheMix) {
  // A light single with an outer marker just ahead of it.
  reset_world_state();
  init_constants();
  reset_snd();
  reset_panel();
  C_to_C(KESTRIX_RUNTIME_DIR "/", app_path);
  pln.entype = pln.numen = 1, pln.pmax = 120000.0f, pln.Vne = 160.0f;
  pln.semilen[4] = 5.0f, pln.alpha_max[4] = 16.0f, msc.est_Vs = 25.0f;
  flt.thro[0] = flt.mixt_powr_rat[0] = 1.0f;
  flt.lat = 34.0f, flt.lon = -117.0f;
  nav_type[3] = 7, nav_lat[3] = 34.001f, nav_lon[3] = -117.001f, env.navmax = 5;
  msc.sound_avail = init_sound();
  ASSERT_EQ(msc.sound_avail, 1) << "OpenAL Soft found no device: is ALSOFT_CONF set?";
  msc.sound_on = mnw.ready_to_update = 1;
  for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);
  ASSERT_TRUE(macibm_alert_log().empty()) << macibm_alert_log()[0].line[0];
  t0 = clock_type::now();

  // The engine at 1500 rpm, then at 3000.
  play_engine_and_windrain();
  flt.tac[0] = 1500.0f * con.rpmtorsc;
  run_until(1.2, 50, maintain_engine_sound);
  flt.tac[0] = 3000.0f * con.rpmtorsc;
  run_until(2.4, 50, maintain_engine_sound);
  stop_engine_and_windrain();
  // Over the marker, which is looked for at the tenth tick of a second and keyed from the next.
  nav_inreg[3] = 1;
  msc.cntr10 = 8;
  run_until(5.4, 100, event_tick);
  nav_inreg[3] = 0;
  // The stall, and out of it.
  flt.vind = 60.0f, flt.alpha[4][0] = 20.0f;
  run_until(6.6, 100, event_tick);
  flt.alpha[4][0] = 2.0f;
  run_until(7.0, 100, event_tick);
  dispose_sound();

  int rate = 0;
  const std::vector<float> x = read_mix(&rate);
  ASSERT_GT(x.size(), static_cast<size_t>(6.5 * rate));

  // The engine's tone at twice the rpm is clearly higher.
  const double low = centroid(x, 0.3, 1.1, rate), high = centroid(x, 1.5, 2.3, rate);
  EXPECT_GT(high, 1.5 * low) << low << " Hz, then " << high << " Hz";
  // The outer marker: dashes of 400 Hz (not the file's own 1300 Hz), half a second long, one a
  // second. Twentieths of a second are judged loud or quiet against the loudest.
  std::vector<double> p400;
  for (double t = 2.4; t < 5.4; t += 0.05) p400.push_back(power(x, t, t + 0.05, 400.0, rate));
  const double most = *std::max_element(p400.begin(), p400.end());
  int bursts = 0, longest = 0, run = 0;
  for (double p : p400) {
    run = p > 0.2 * most ? run + 1 : 0;
    bursts += run == 1;
    longest = std::max(longest, run);
  }
  EXPECT_TRUE(bursts >= 2 && bursts <= 4) << bursts;
  EXPECT_TRUE(longest >= 6 && longest <= 14) << longest * 0.05 << " s";
  EXPECT_GT(power(x, 2.4, 5.4, 400.0, rate), 20.0 * power(x, 2.4, 5.4, 1300.0, rate));
  // The horn sounds through the stall and not over the marker.
  EXPECT_GT(power(x, 5.7, 6.5, 700.0, rate), 100.0 * power(x, 2.5, 5.3, 700.0, rate));
}

// espeak-ng makes a sentence on its own thread; the loop's pump hands it to the stream.
TEST(SoundOutput, ControllerSpeechIsMadeBesideTheLoopAndPlayed) {
  reset_world_state();
  init_constants();
  ASSERT_EQ(MACIBM_sound_open(), 1) << "OpenAL Soft found no device: is ALSOFT_CONF set?";
  ASSERT_EQ(backend_speech_init(), 1) << "espeak-ng or its en-us voice is missing";
  t0 = clock_type::now();
  ASSERT_EQ(MACIBM_speak("San Bernardino tower, cleared to land runway six.", 0), 1);
  double heard_at = -1.0;
  int failures = 0;
  while (since_t0() < 5.0) {
    failures += MACIBM_speech_pump();
    if (heard_at < 0.0 && MACIBM_stream_playing()) heard_at = since_t0();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(failures, 0);
  EXPECT_GE(heard_at, 0.0);
  EXPECT_EQ(MACIBM_stream_playing(), 0);  // played out by now
  EXPECT_EQ(MACIBM_speak("", 0), 0);      // nothing to say is refused
  MACIBM_sound_close();

  int rate = 0;
  const std::vector<float> x = read_mix(&rate);
  ASSERT_GT(x.size(), static_cast<size_t>(4.5 * rate));
  // Words over the first seconds, silence at the end.
  EXPECT_GT(rms(x, heard_at, heard_at + 2.0, rate), 0.01);
  EXPECT_LT(rms(x, 4.6, 5.0, rate), 1.0e-4);
}

}  // namespace
