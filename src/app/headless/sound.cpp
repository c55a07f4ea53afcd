// The headless sound device: no sound is heard, but every call is recorded and each sound keeps
// the state a device would give it, for tests to read.
#include <vector>

#include "app/headless/headless.h"
#include "app/macibm.h"

static headless_sound slots[SOUND_SLOTS];
static std::vector<headless_sound_call> calls;
static int device_opens = 1, refuses_settings = 0;

static bool valid(int n) { return n >= 0 && n < SOUND_SLOTS; }

static void record(char op, int n, float value) { calls.push_back({op, n, value}); }
void headless_record_sound_call(char op, int n, float value) { record(op, n, value); }

static void empty_slots() {
  for (headless_sound& s : slots) s = {0, 0, 0, 0, SOUND_AT_START, 0, 1.0f, 1.0f};
}

const headless_sound& headless_sound_slot(int n) { return slots[valid(n) ? n : 0]; }
const std::vector<headless_sound_call>& headless_sound_calls() { return calls; }
void headless_clear_sound_calls() { calls.clear(); }

void headless_set_sound_device(int opens, int refuses) {
  device_opens = opens;
  refuses_settings = refuses;
}

void headless_finish_sound(int n) {
  if (valid(n) && slots[n].bytes) slots[n].state = SOUND_FINISHED;
}

void headless_reset_sound() {
  empty_slots();
  calls.clear();
  device_opens = 1;
  refuses_settings = 0;
}

int MACIBM_sound_open() {
  record('o', 0, 0.0f);
  empty_slots();
  return device_opens;
}

void MACIBM_sound_close() {
  record('c', 0, 0.0f);
  empty_slots();
}

int MACIBM_sound_load(int n, const unsigned char* pcm, int bytes, int channels, int bits,
                      int rate) {
  if (!valid(n)) return 0;
  record('l', n, static_cast<float>(bytes));
  slots[n] = {pcm ? bytes : 0, channels, bits, rate, SOUND_AT_START, 0, 1.0f, 1.0f};
  return 1;
}

void MACIBM_sound_play(int n, int loop) {
  if (!valid(n)) return;
  record('p', n, static_cast<float>(loop));
  headless_sound& s = slots[n];
  s.loop = loop != 0;
  if (s.bytes && s.state != SOUND_FINISHED) s.state = SOUND_PLAYING;
}

void MACIBM_sound_pause(int n) {
  if (!valid(n)) return;
  record('s', n, 0.0f);
  if (slots[n].state == SOUND_PLAYING) slots[n].state = SOUND_PAUSED;
}

void MACIBM_sound_rewind(int n) {
  if (!valid(n)) return;
  record('r', n, 0.0f);
  slots[n].state = SOUND_AT_START;
}

int MACIBM_sound_state(int n) { return valid(n) ? slots[n].state : SOUND_AT_START; }

// A gain or a pitch: recorded, then kept unless the device refuses settings.
static int set_value(char op, int n, float v, float headless_sound::*field) {
  if (!valid(n)) return 0;
  record(op, n, v);
  if (refuses_settings) return 0;
  slots[n].*field = v;
  return 1;
}

int MACIBM_sound_gain(int n, float gain) { return set_value('g', n, gain, &headless_sound::gain); }
int MACIBM_sound_pitch(int n, float pitch) { return set_value('f', n, pitch, &headless_sound::pitch); }
