// Wind and rain as filtered noise and the stall horn (loops); thunder, the gear motor, the tyres'
// chirp and a crash (one-shots); and the dot and dash of the marker and identification tones.
#include <algorithm>

#include "sound/sound.h"
#include "soundgen.h"

static float sine(double hz, double t) { return static_cast<float>(std::sin(TWO_PI * hz * t)); }

// Rushing air with slow gusts and a faint whistle; the gusts have whole cycles in two seconds.
static wave wind() {
  const int n = 2 * GEN_RATE;
  const wave x = noise_table(n, 61);
  lowpass a(400), b(400);
  bandpass whistle(900.0, 3.0);
  return periodic_loop(n, [&](int i) {
    const double t = static_cast<double>(i) / GEN_RATE;
    const float gust = 0.7f + 0.2f * sine(0.5, t + 0.3) + 0.1f * sine(1.5, t);
    const float v = x[static_cast<size_t>(i % n)];
    return gust * 3.0f * b(a(v)) + (0.6f + 0.4f * sine(1.0, t)) * 0.15f * whistle(v);
  });
}

// A hiss with drops striking at random: short rings at 2..5 kHz, laid round the loop's end.
static wave rain() {
  const int n = 2 * GEN_RATE;
  const wave x = noise_table(n, 71);
  wave drops(static_cast<size_t>(n), 0.0f);
  noise r{72};
  for (int d = 0; d < 800; d++) {
    const int at = static_cast<int>((0.5f + 0.5f * r.next()) * (n - 1));
    const double hz = 3500.0 + 1500.0 * r.next();
    const float g = 0.3f + 0.35f * (1.0f + r.next());
    for (int j = 0; j < GEN_RATE / 200; j++) {
      const double t = static_cast<double>(j) / GEN_RATE;
      const float env = static_cast<float>(std::min(t / 0.0003, 1.0) * std::exp(-t / 0.001));
      drops[static_cast<size_t>((at + j) % n)] += g * env * sine(hz, t);
    }
  }
  lowpass low(2000);
  return periodic_loop(n, [&](int i) {
    const size_t k = static_cast<size_t>(i % n);
    return 0.25f * (x[k] - low(x[k])) + drops[k];
  });
}

// A reed horn at 700 Hz with a buzz of 20 Hz in its loudness: whole cycles in a second.
static wave stall_horn() {
  return periodic_loop(GEN_RATE, [](int i) {
    const double t = static_cast<double>(i) / GEN_RATE;
    float v = 0.0f;
    for (int k = 1; k <= 8; k++) v += (k % 2 ? 1.0f : 0.3f) / k * sine(700.0 * k, t);
    return v * (0.85f + 0.15f * sine(20.0, t));
  });
}

// A crack, then rolling rumbles that swell and die away over five seconds.
static wave thunder() {
  wave w(static_cast<size_t>(5 * GEN_RATE));
  noise r{81};
  bandpass crack(1500.0, 0.8);
  lowpass a(120), b(120);
  double swell_at[5], swell_width[5];
  for (int s = 0; s < 5; s++) {
    swell_at[s] = 0.2 + 1.4 * (1.0 + r.next());
    swell_width[s] = 0.25 + 0.2 * (1.0 + r.next());
  }
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / GEN_RATE;
    const float x = r.next();
    double rumble = 0.4;
    for (int s = 0; s < 5; s++)
      rumble += std::exp(-std::pow((t - swell_at[s]) / swell_width[s], 2.0));
    w[i] = static_cast<float>(std::exp(-t / 0.05) * 0.5 * crack(x) +
                              std::exp(-t / 1.8) * rumble * 8.0 * b(a(x)));
  }
  fade_ends(w, 0.01);
  return w;
}

// The gear motor's whine rising as it runs, and the thunk of the legs locking.
static wave gear_motor() {
  wave w(static_cast<size_t>(3 * GEN_RATE));
  noise r{91};
  lowpass a(300), b(300);
  double phase = 0.0;
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / GEN_RATE;
    phase += TWO_PI * (330.0 + 90.0 * std::min(t / 2.4, 1.0)) / GEN_RATE;
    float motor = 0.0f;
    for (int k = 1; k <= 6; k++) motor += static_cast<float>(std::sin(k * phase)) / k;
    const double run = std::min({t / 0.1, (2.5 - t) / 0.1, 1.0});
    const double since = t - 2.5;
    const float thunk = since < 0.0 ? 0.0f
                                    : static_cast<float>(std::exp(-since / 0.03) * 6.0 * b(a(r.next())) +
                                                         std::exp(-since / 0.08) * std::sin(TWO_PI * 55.0 * since));
    w[i] = static_cast<float>(std::max(run, 0.0)) * 0.3f * (motor + 0.3f * sine(100.0, t)) + thunk;
  }
  fade_ends(w, 0.005);
  return w;
}

// The tyres' chirp: a squeal gliding down from 1,150 Hz, with a thump under it.
static wave touchdown() {
  wave w(static_cast<size_t>(GEN_RATE / 2));
  noise r{101};
  lowpass rough(60);
  double phase = 0.0;
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / GEN_RATE;
    phase += TWO_PI * (1150.0 - 600.0 * t) / GEN_RATE;
    const double env = std::min(t / 0.005, 1.0) * std::exp(-t / 0.08);
    const float squeal = static_cast<float>(std::sin(phase) + 0.3 * std::sin(2.0 * phase));
    w[i] = static_cast<float>(env) * squeal * (0.8f + 2.0f * rough(r.next())) +
           static_cast<float>(std::exp(-t / 0.04)) * sine(70.0, t);
  }
  fade_ends(w, 0.003);
  return w;
}

// A crash: a burst of noise, crunching, metal ringing at unrelated pitches, and a low rumble.
static wave crash() {
  wave w(static_cast<size_t>(5 * GEN_RATE / 2));
  noise r{111};
  lowpass body(3000), deep(80), crunch_rate(30);
  static const double ring_hz[4] = {523.0, 1187.0, 1931.0, 2750.0};
  static const double ring_decay[4] = {1.2, 0.9, 0.7, 0.6};
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / GEN_RATE;
    const float x = r.next();
    const float gate = crunch_rate(r.next()) > 0.0f ? 1.0f : 0.3f;
    float ring = 0.0f;
    for (int k = 0; k < 4; k++)
      ring += static_cast<float>(std::exp(-t / ring_decay[k])) * sine(ring_hz[k], t) * 0.25f;
    w[i] = static_cast<float>(std::exp(-t / 0.35)) * gate * body(x) + 0.6f * ring +
           static_cast<float>(std::exp(-t / 0.5)) * (6.0f * deep(x) + 0.5f * sine(40.0, t));
  }
  fade_ends(w, 0.003);
  return w;
}

void effect_sounds(std::vector<named_sound>& out) {
  add_sound(out, "wind.WAV", wind(), 0.7f);
  add_sound(out, "rain.WAV", rain(), 0.7f);
  add_sound(out, "stal.WAV", stall_horn(), 0.7f);
  add_sound(out, "thun.WAV", thunder(), 0.9f);
  add_sound(out, "gear.WAV", gear_motor(), 0.8f);
  add_sound(out, "land.WAV", touchdown(), 0.8f);
  add_sound(out, "boom.WAV", crash(), 0.9f);
  // A dot fits the 0.3 s of a Morse dot and a dash the 0.5 s of a Morse dash even when the
  // identification plays them lower, at 1,020 Hz, and so longer.
  add_sound(out, "mdot.WAV", tone_burst(TONE_FILE_HZ, 0.16, 0.005), 0.6f);
  add_sound(out, "mdas.WAV", tone_burst(TONE_FILE_HZ, 0.36, 0.005), 0.6f);
}
