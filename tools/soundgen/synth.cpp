// The generator's building blocks: noise tables, the band-pass filter, levels and fades, tones,
// and the 16-bit PCM WAV writer.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "soundgen.h"

wave noise_table(int n, std::uint32_t seed) {
  noise r{seed ? seed : 1u};
  wave w(static_cast<size_t>(n));
  for (float& v : w) v = r.next();
  return w;
}

bandpass::bandpass(double f0, double q) {
  const double w0 = TWO_PI * f0 / GEN_RATE, alpha = std::sin(w0) / (2.0 * q), a0 = 1.0 + alpha;
  b0 = static_cast<float>(alpha / a0);
  a1 = static_cast<float>(-2.0 * std::cos(w0) / a0);
  a2 = static_cast<float>((1.0 - alpha) / a0);
}

float bandpass::operator()(float x) {
  const float y = b0 * (x - x2) - a1 * y1 - a2 * y2;
  x2 = x1, x1 = x, y2 = y1, y1 = y;
  return y;
}

void normalise(wave& w, float peak) {
  float most = 0.0f;
  for (float v : w) most = std::max(most, std::fabs(v));
  if (most > 0.0f)
    for (float& v : w) v *= peak / most;
}

void add_sound(std::vector<named_sound>& out, const char* file, wave w, float peak) {
  normalise(w, peak);
  out.push_back({file, std::move(w), GEN_RATE});
}

void fade_ends(wave& w, double seconds) {
  const size_t k = std::min(w.size() / 2, static_cast<size_t>(seconds * GEN_RATE));
  for (size_t i = 0; i < k; i++) {
    const float g = static_cast<float>(0.5 - 0.5 * std::cos(TWO_PI * 0.5 * i / k));
    w[i] *= g;
    w[w.size() - 1 - i] *= g;
  }
}

wave tone_burst(double hz, double seconds, double edge) {
  wave w(static_cast<size_t>(seconds * GEN_RATE));
  for (size_t i = 0; i < w.size(); i++)
    w[i] = static_cast<float>(std::sin(TWO_PI * hz * static_cast<double>(i) / GEN_RATE));
  fade_ends(w, edge);
  return w;
}

static void put16(std::FILE* f, unsigned v) {
  std::fputc(static_cast<int>(v & 0xFF), f);
  std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}

static void put32(std::FILE* f, unsigned v) {
  put16(f, v & 0xFFFF);
  put16(f, v >> 16);
}

bool write_wav(const std::string& path, const wave& w, int rate) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const unsigned data = static_cast<unsigned>(w.size() * 2);
  std::fputs("RIFF", f);
  put32(f, 36 + data);
  std::fputs("WAVEfmt ", f);
  put32(f, 16);
  put16(f, 1);  // PCM
  put16(f, 1);  // mono
  put32(f, static_cast<unsigned>(rate));
  put32(f, static_cast<unsigned>(rate) * 2);
  put16(f, 2);
  put16(f, 16);
  std::fputs("data", f);
  put32(f, data);
  for (float v : w) {
    const long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    put16(f, static_cast<unsigned>(s) & 0xFFFF);
  }
  return std::fclose(f) == 0;
}
