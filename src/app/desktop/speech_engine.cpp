// espeak-ng on a worker thread: sentences go in through a queue, samples come out through another.
// espeak-ng keeps global state and is not reentrant, so after the start-up only the worker calls
// it; the program's thread only touches the queues, under one lock held for a few copies.
#include "app/desktop/speech_engine.h"

#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace {
struct sentence {
  std::string text;
  int voice;
  unsigned generation;  // the cancel count when it was queued
};
}  // namespace

enum {
  MAX_WAITING = 16,       // sentences queued beyond this are refused
  CHUNK_MS = 100,         // espeak-ng hands its samples over in pieces this long
  MAX_UNTAKEN = 22050 * 60,  // samples kept for the player: a minute of speech
};

static std::mutex lock;
static std::condition_variable wake;
static std::thread worker;
static std::deque<sentence> waiting;
static std::deque<short> made;
static int started = 0, quitting = 0, making = 0, failures = 0, sample_rate = 22050;
static unsigned generation = 0;         // bumped by every cancel
static unsigned making_generation = 0;  // of the sentence being made

// espeak-ng's callback, on the worker: keeps the samples unless the sentence was cancelled, and
// tells espeak-ng to stop (1) when it was.
static int collect(short* wav, int count, espeak_EVENT*) {
  std::lock_guard<std::mutex> g(lock);
  if (making_generation != generation || quitting) return 1;
  if (wav && count > 0 && made.size() + static_cast<size_t>(count) <= MAX_UNTAKEN)
    made.insert(made.end(), wav, wav + count);
  return 0;
}

// The controllers speak briskly in a man's voice; the ATIS recording is a woman's, a little slower.
static void choose_voice(int voice) {
  if (voice == 1) {
    if (espeak_SetVoiceByName("en-us+f3") != EE_OK) espeak_SetVoiceByName("en-us");
    espeak_SetParameter(espeakRATE, 160, 0);
    espeak_SetParameter(espeakPITCH, 60, 0);
  } else {
    espeak_SetVoiceByName("en-us");
    espeak_SetParameter(espeakRATE, 180, 0);
    espeak_SetParameter(espeakPITCH, 40, 0);
  }
}

static void work() {
  for (;;) {
    sentence s;
    {
      std::unique_lock<std::mutex> g(lock);
      wake.wait(g, [] { return quitting || !waiting.empty(); });
      if (quitting) return;
      s = waiting.front();
      waiting.pop_front();
      if (s.generation != generation) continue;
      making = 1;
      making_generation = s.generation;
    }
    choose_voice(s.voice);
    const espeak_ERROR e = espeak_Synth(s.text.c_str(), s.text.size() + 1, 0, POS_CHARACTER, 0,
                                        espeakCHARS_AUTO, nullptr, nullptr);
    std::lock_guard<std::mutex> g(lock);
    // A cancelled sentence stops early on purpose: that is no failure.
    if (e != EE_OK && making_generation == generation) failures++;
    making = 0;
  }
}

// espeak-ng is started once for the program and never terminated: its termination waits for a
// thread of its own that a second start leaves waiting for ever.
static int espeak_started() {
  static int rate = 0;
  if (rate > 0) return rate;
  rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, CHUNK_MS, nullptr, espeakINITIALIZE_DONT_EXIT);
  if (rate > 0 && espeak_SetVoiceByName("en-us") != EE_OK) rate = -1;
  if (rate > 0) espeak_SetSynthCallback(collect);
  return rate;
}

int speech_engine_open() {
  if (started) return 1;
  const int rate = espeak_started();
  if (rate <= 0) return 0;
  sample_rate = rate;
  quitting = making = failures = 0;
  waiting.clear();
  made.clear();
  worker = std::thread(work);
  started = 1;
  // A program that ends without the back end's shutdown still stops the thread before the
  // thread's own record is destroyed, which would end the process.
  static int registered = 0;
  if (!registered) registered = std::atexit(speech_engine_close) == 0;
  return 1;
}

void speech_engine_close() {
  if (!started) return;
  {
    std::lock_guard<std::mutex> g(lock);
    quitting = 1;
    generation++;
    waiting.clear();
    made.clear();
  }
  wake.notify_all();
  worker.join();
  started = 0;
}

int speech_engine_say(const char* text, int voice) {
  if (!started || !text || !*text) return 0;
  {
    std::lock_guard<std::mutex> g(lock);
    if (waiting.size() >= MAX_WAITING) return 0;
    waiting.push_back({text, voice, generation});
  }
  wake.notify_one();
  return 1;
}

void speech_engine_cancel() {
  std::lock_guard<std::mutex> g(lock);
  generation++;
  waiting.clear();
  made.clear();
}

int speech_engine_take(short* out, int max, int* rate) {
  std::lock_guard<std::mutex> g(lock);
  *rate = sample_rate;
  int n = 0;
  while (n < max && !made.empty()) {
    out[n++] = made.front();
    made.pop_front();
  }
  return n;
}

int speech_engine_busy() {
  std::lock_guard<std::mutex> g(lock);
  return static_cast<int>(waiting.size()) + making + static_cast<int>(made.size());
}

int speech_engine_failures() {
  std::lock_guard<std::mutex> g(lock);
  const int n = failures;
  failures = 0;
  return n;
}
