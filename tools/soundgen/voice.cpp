// The spoken warnings and call-outs, synthesised by espeak-ng into memory, trimmed of their
// silence, and narrowed to the band of a cockpit loudspeaker.
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstring>

#include "soundgen.h"

static std::vector<short>* spoken;

static int collect(short* samples, int count, espeak_EVENT*) {
  if (samples && count > 0) spoken->insert(spoken->end(), samples, samples + count);
  return 0;
}

// 300 Hz to 3.4 kHz, the silence before and after cut away, the level evened out.
static wave loudspeaker(const std::vector<short>& s) {
  wave w(s.size());
  lowpass rumble(300), top1(3400), top2(3400);
  for (size_t i = 0; i < s.size(); i++) {
    const float x = s[i] / 32768.0f;
    w[i] = top2(top1(x - rumble(x)));
  }
  normalise(w, 1.0f);
  auto loud = [](float v) { return std::fabs(v) > 0.02f; };
  const auto first = std::find_if(w.begin(), w.end(), loud);
  const auto last = std::find_if(w.rbegin(), w.rend(), loud).base();
  wave cut = first < last ? wave(first, last) : wave();
  // A gentle compression keeps the quiet syllables audible over the engine.
  for (float& v : cut) v = std::tanh(2.5f * v);
  fade_ends(cut, 0.01);
  normalise(cut, 0.9f);
  return cut;
}

bool voice_sounds(std::vector<named_sound>& out, std::string* why) {
  static const struct {
    const char* file;
    const char* words;
  } lines[] = {{"sink.WAV", "sink rate"},   {"pull.WAV", "pull up"},      {"gwrn.WAV", "too low, gear"},
               {"glid.WAV", "glideslope"},  {"mini.WAV", "minimums"},     {"wshr.WAV", "wind shear"},
               {"caut.WAV", "caution"},     {"50ft.WAV", "fifty"},        {"25ft.WAV", "twenty five"},
               {"10ft.WAV", "ten"}};
  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  if (rate <= 0) {
    *why = "espeak-ng could not start (is espeak-ng-data installed?)";
    return false;
  }
  espeak_SetSynthCallback(collect);
  if (espeak_SetVoiceByName("en-us") != EE_OK) {
    *why = "espeak-ng has no en-us voice";
    espeak_Terminate();
    return false;
  }
  // A firm, measured, low voice.
  espeak_SetParameter(espeakRATE, 150, 0);
  espeak_SetParameter(espeakPITCH, 35, 0);
  bool ok = true;
  for (const auto& l : lines) {
    std::vector<short> s;
    spoken = &s;
    const size_t size = std::strlen(l.words) + 1;
    if (espeak_Synth(l.words, size, 0, POS_CHARACTER, 0, espeakCHARS_AUTO, nullptr, nullptr) != EE_OK ||
        s.empty()) {
      *why = std::string("espeak-ng could not say \"") + l.words + "\"";
      ok = false;
      break;
    }
    out.push_back({l.file, loudspeaker(s), rate});
  }
  spoken = nullptr;
  espeak_Terminate();
  return ok;
}
