// The sound generator's pieces: repeatable noise, filters, loops that join without a click, the
// synthesised engines, weather and event sounds, the spoken call-outs, and the WAV writer.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

enum { GEN_RATE = 22050 };  // samples per second of every sound we make
constexpr double TWO_PI = 6.283185307179586;

using wave = std::vector<float>;  // mono samples, -1..1

struct named_sound {
  std::string file;  // file name in the sounds folder, such as "eng1.WAV"
  wave w;
  int rate;
};

// ---- Building blocks -------------------------------------------------------------------------

// Repeatable white noise, -1..1.
struct noise {
  std::uint32_t s;
  float next() {
    s ^= s << 13, s ^= s >> 17, s ^= s << 5;
    return static_cast<float>(s) / 2147483648.0f - 1.0f;
  }
};
// A table of n samples of white noise.
wave noise_table(int n, std::uint32_t seed);

// One-pole low pass at fc Hz.
struct lowpass {
  float a, y;
  explicit lowpass(double fc) : a(static_cast<float>(1.0 - std::exp(-TWO_PI * fc / GEN_RATE))), y(0) {}
  float operator()(float x) { return y += a * (x - y); }
};
// Band pass of constant peak gain around f0 Hz with quality q.
struct bandpass {
  float b0, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  bandpass(double f0, double q);
  float operator()(float x);
};

// A loop of n samples: `sample(i)` is run for i = 0 .. 3n - 1 and the last n are kept. Whatever
// `sample` draws from must repeat every n samples (tables indexed i % n, tones of whole cycles per
// loop), so that its filters settle into the loop's own period and the end meets the start.
template <typename F>
wave periodic_loop(int n, F sample) {
  wave w(static_cast<size_t>(n));
  for (int i = 0; i < 3 * n; i++) {
    const float v = sample(i);
    if (i >= 2 * n) w[static_cast<size_t>(i - 2 * n)] = v;
  }
  return w;
}

// Scales the wave so that its largest sample is `peak`.
void normalise(wave& w, float peak);
// Adds the sound `file` at GEN_RATE, scaled to `peak`.
void add_sound(std::vector<named_sound>& out, const char* file, wave w, float peak);
// Raised-cosine fades over the first and last `seconds`.
void fade_ends(wave& w, double seconds);
// A sine tone of `hz` lasting `seconds`, with fades of `edge` seconds.
wave tone_burst(double hz, double seconds, double edge);

// ---- The sounds ------------------------------------------------------------------------------

// "eng1.WAV" .. "eng5.WAV" and "engn.WAV" (the piston engine), each a loop at its reference speed.
void engine_sounds(std::vector<named_sound>& out);
// Wind, rain and the stall horn (loops); thunder, gear, touchdown and crash; the marker tones.
void effect_sounds(std::vector<named_sound>& out);
// The spoken warnings and call-outs; false (with the reason in `why`) when the speech synthesiser
// cannot speak.
bool voice_sounds(std::vector<named_sound>& out, std::string* why);

// Writes 16-bit mono PCM; false when the file cannot be written.
bool write_wav(const std::string& path, const wave& w, int rate);
