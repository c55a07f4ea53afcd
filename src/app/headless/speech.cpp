// The headless speech engine and sample stream: nothing is heard, but every sentence and every
// queued block is recorded for tests to read.
#include <string>
#include <vector>

#include "app/headless/headless.h"
#include "app/macibm.h"

static std::vector<headless_sentence> said;
static int has_voice = 0, refuses = 0, failures = 0;
static int stream_frames = 0;  // queued and not heard: the headless stream never plays

void headless_record_sound_call(char op, int n, float value);

const std::vector<headless_sentence>& headless_sentences() { return said; }

void headless_set_speech(int voice, int refuse) {
  has_voice = voice;
  refuses = refuse;
}

void headless_fail_sentences(int n) { failures = n; }

void headless_reset_speech() {
  said.clear();
  has_voice = refuses = failures = stream_frames = 0;
}

int backend_speech_init() { return has_voice; }

int MACIBM_speak(const char* text, int voice) {
  if (!has_voice || refuses || !text) return 0;
  said.push_back({text, voice});
  return 1;
}

void MACIBM_speech_cancel() { MACIBM_stream_cancel(); }

int MACIBM_speech_pump() {
  int n = failures;
  failures = 0;
  return n;
}

int MACIBM_stream_queue(const short* pcm, int frames, int rate) {
  if (!pcm || frames <= 0 || rate <= 0) return 0;
  headless_record_sound_call('q', 0, static_cast<float>(frames));
  stream_frames += frames;
  return 1;
}

void MACIBM_stream_cancel() {
  headless_record_sound_call('x', 0, 0.0f);
  stream_frames = 0;
}

int MACIBM_stream_playing() { return stream_frames > 0; }
