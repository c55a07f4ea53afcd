// The headless back end's script: what stands in for the user when there is no screen. Tests and
// the headless program queue menu commands, clicks and dialog answers here; the loop's event
// dispatch delivers them.
#pragma once

#include <string>
#include <vector>

// Events delivered by the next MACIBM_dispatch_events, oldest first.
void headless_post_menu(int id);
void headless_post_key(char c);
void headless_post_click(int w, int x, int y);  // mouse moved to (x, y) from the top, button down
void headless_post_release();
void headless_post_close(int w);  // the user closes window w

// Answers of the open and save dialogs, used oldest first; an empty queue cancels the dialog.
void headless_queue_open_answer(const char* path);
void headless_queue_save_answer(const char* path);
int headless_dialogs_asked();  // open and save dialogs shown since the last reset

// Answer of the Yes/No/Cancel question (default 3, Cancel) and the last question asked.
void headless_set_question_answer(int answer);
const char* headless_last_question();

// Result codes the serial port and the joystick report (default: no port, no joystick devices).
void headless_set_serial_codes(int open_code, int baud_code);
void headless_set_joystick_code(int code);

// Called at the start of every event dispatch; the headless program ends its run from here.
extern void (*headless_pass_hook)();

// Forgets every queued event and answer, empties the sound device and restores the defaults.
void headless_reset();

// ---- Sound ---------------------------------------------------------------------------------

// The headless sound device records every call made on it, and keeps each sound's state as a
// device would, so that tests can hear what the sound module did. It opens by default.
struct headless_sound {
  int bytes, channels, bits, rate;  // the samples loaded (bytes 0: empty)
  int state;                        // a SOUND_ value of app/macibm.h
  int loop;                         // playing as a loop
  float gain, pitch;                // last accepted
};
// One call, in order: 'o' open, 'c' close, 'l' load (value: bytes), 'p' play (value: loop),
// 's' pause, 'r' rewind, 'g' gain, 'f' pitch (value: the value asked for), 'q' samples queued on
// the stream (value: frames), 'x' the stream cancelled.
struct headless_sound_call {
  char op;
  int n;
  float value;
};
const headless_sound& headless_sound_slot(int n);
const std::vector<headless_sound_call>& headless_sound_calls();
void headless_clear_sound_calls();
// Whether the device opens (default 1), and whether it refuses gains or pitches (default 0).
void headless_set_sound_device(int opens, int refuses_settings);
// Sound n reaches its end, as a one-shot does after playing: it stands finished.
void headless_finish_sound(int n);

// ---- Speech --------------------------------------------------------------------------------

// The headless speech engine makes no samples; it records every sentence handed to it. It has no
// voice unless a test gives it one (then initspeechsynth finds it), and may be told to refuse.
struct headless_sentence {
  std::string text;
  int voice;
};
const std::vector<headless_sentence>& headless_sentences();
void headless_set_speech(int has_voice, int refuses);
// The next speech pump reports n sentences the engine failed to make.
void headless_fail_sentences(int n);
