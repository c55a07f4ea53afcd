// The engine loops, each at the engine speed at which the simulator plays it at the file's own
// rate: a piston engine from the harmonics of its firing, a turboprop's propeller buzz and turbine
// whine over broadband noise, a jet's roar, and the blade slap of two helicopters. Every tone has a
// whole number of cycles in the loop and every noise repeats with it, so the loops join cleanly.
#include "soundgen.h"

// Harmonics 1..count of base_hz with amplitude amp(k) and repeatable phases, over n samples.
template <typename A>
static wave harmonics(int n, double base_hz, int count, A amp, std::uint32_t seed) {
  noise r{seed};
  wave w(static_cast<size_t>(n), 0.0f);
  for (int k = 1; k <= count; k++) {
    const double a = amp(k), phase = TWO_PI * (0.5 + 0.5 * r.next());
    if (k * base_hz > 0.45 * GEN_RATE) break;
    for (int i = 0; i < n; i++)
      w[static_cast<size_t>(i)] += static_cast<float>(a * std::sin(TWO_PI * k * base_hz * i / GEN_RATE + phase));
  }
  return w;
}

// `per_loop` evenly spaced bursts over n samples, wrapping round the loop's end: noise under an
// envelope rising over `attack` and decaying with `decay` seconds, pulse p scaled by gains[p % size].
static wave pulses(int n, int per_loop, double attack, double decay, const std::vector<float>& gains,
                   std::uint32_t seed) {
  noise r{seed};
  wave w(static_cast<size_t>(n), 0.0f);
  const int len = static_cast<int>((attack + 6.0 * decay) * GEN_RATE);
  for (int p = 0; p < per_loop; p++) {
    const int start = static_cast<int>(static_cast<double>(p) * n / per_loop);
    const float g = gains[static_cast<size_t>(p) % gains.size()];
    for (int j = 0; j < len; j++) {
      const double t = static_cast<double>(j) / GEN_RATE;
      const double env = t < attack ? t / attack : std::exp(-(t - attack) / decay);
      w[static_cast<size_t>((start + j) % n)] += g * static_cast<float>(env) * r.next();
    }
  }
  return w;
}

static float sine(double hz, int i) { return static_cast<float>(std::sin(TWO_PI * hz * i / GEN_RATE)); }

// A four-cylinder engine at 2,520 rpm: a cycle of two turns is 21 Hz and it fires at 84 Hz, as
// the two-bladed propeller passes. Each cylinder fires a little differently.
static wave piston_cycle(int n) {
  return harmonics(n, 21.0, 60, [](int k) { return (k % 4 == 0 ? 1.0 : 0.3) / (1.0 + k * k / 360.0); }, 11);
}

static wave piston() {
  const int n = GEN_RATE;
  const wave harm = piston_cycle(n);
  const wave pops = pulses(n, 84, 0.0005, 0.004, {1.0f, 0.85f, 0.95f, 0.8f}, 12);
  const wave hiss = noise_table(n, 13);
  lowpass pop1(1800), pop2(1800), air(3000);
  return periodic_loop(n, [&](int i) {
    const size_t k = static_cast<size_t>(i % n);
    return 0.55f * harm[k] + 0.9f * pop2(pop1(pops[k])) + 0.04f * air(hiss[k]);
  });
}

// Four blades at 1,905 rpm buzz at 127 Hz; the compressor whines at 3,810 Hz.
static wave turboprop() {
  const int n = GEN_RATE;
  const wave buzz = harmonics(n, 127.0, 30, [](int k) { return 1.0 / std::pow(k, 1.1); }, 21);
  const wave hiss = noise_table(n, 22);
  bandpass roar(900.0, 0.6);
  lowpass low1(250), low2(250);
  return periodic_loop(n, [&](int i) {
    const float x = hiss[static_cast<size_t>(i % n)];
    return 0.45f * buzz[static_cast<size_t>(i % n)] + 0.12f * sine(3810.0, i) +
           0.04f * sine(7620.0, i) + 1.2f * roar(x) + 1.5f * low2(low1(x));
  });
}

// The roar of the exhaust over a hiss, a faint fan whine and a slow surge; two seconds, so that
// the noise does not repeat too soon.
static wave jet() {
  const int n = 2 * GEN_RATE;
  const wave hiss = noise_table(n, 31);
  lowpass low1(350), low2(350);
  bandpass air(2500.0, 0.5);
  return periodic_loop(n, [&](int i) {
    const float x = hiss[static_cast<size_t>(i % n)];
    const float surge = 1.0f + 0.08f * sine(0.5, i);
    return surge * (3.0f * low2(low1(x)) + 0.35f * air(x)) + 0.05f * sine(2900.0, i) +
           0.02f * sine(5800.0, i);
  });
}

// Blade slap: sharp bursts at the blade passing, a thump under each, the tail rotor's buzz and the
// engine's own sound beneath.
static wave helicopter(int slaps, double tail_hz, const wave& engine, float engine_level,
                       double whine_hz, std::uint32_t seed) {
  const int n = GEN_RATE;
  const wave bursts = pulses(n, slaps, 0.001, 0.012, {1.0f, 0.9f}, seed);
  const wave tail = harmonics(n, tail_hz, 12, [](int k) { return 1.0 / k; }, seed + 1);
  bandpass crack(450.0, 1.2);
  lowpass thump1(120), thump2(120);
  return periodic_loop(n, [&](int i) {
    const size_t k = static_cast<size_t>(i % n);
    return 1.4f * crack(bursts[k]) + 6.0f * thump2(thump1(bursts[k])) + 0.12f * tail[k] +
           engine_level * engine[k] + 0.03f * sine(whine_hz, i);
  });
}

void engine_sounds(std::vector<named_sound>& out) {
  add_sound(out, "eng1.WAV", piston(), 0.8f);
  add_sound(out, "engn.WAV", piston(), 0.8f);
  add_sound(out, "eng2.WAV", turboprop(), 0.8f);
  add_sound(out, "eng3.WAV", jet(), 0.8f);
  // Two blades at 510 rpm slap 17 times a second over a piston engine; at 390 rpm, 13 times over
  // a turbine.
  add_sound(out, "eng4.WAV", helicopter(17, 102.0, piston_cycle(GEN_RATE), 0.2f, 0.0, 41), 0.8f);
  add_sound(out, "eng5.WAV", helicopter(13, 104.0, noise_table(GEN_RATE, 51), 0.05f, 6100.0, 52), 0.8f);
}
