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
// A file, pipe or terminal (a pseudo-terminal's slave) that stands for serial port 1: opening the
// port opens it for writing (a terminal in raw mode), and writes wait until all is taken. It fails
// as a port does: a missing path is no such port, a write that fails (a full disk, a reader that
// went away) takes fewer bytes. Null or "" goes back to the port of the codes above, which takes
// every byte and keeps none.
void headless_set_serial_device(const char* path);
void headless_set_joystick_code(int code);
// The screen the windows are placed on (default 1920 x 1080 at 96 dots per inch).
void headless_set_screen(int w, int h, float dpi);

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

// ---- Settings windows ------------------------------------------------------------------------

// The settings windows as a model of their widgets: the user's part (set, type, pick, press,
// release) goes through the same code as the desktop's widgets; what the widgets show can be read
// back. Fields are named as in their window's table; each call returns false when window w is not
// an open settings window or has no such field.
bool headless_form_set(int w, const char* field, float shown, int element = 0);
bool headless_form_type(int w, const char* field, const char* text);
bool headless_form_pick(int w, const char* field, int row);
bool headless_form_press(int w, const char* field, int element = 0);
void headless_form_release();
// What the field's widget shows: the value (a choice's position, a check's 0/1, a list's row), its
// text, its lines, and whether it is enabled. NaN, "" or no lines for a field that is not there.
float headless_form_shown(int w, const char* field, int element = 0);
std::string headless_form_text(int w, const char* field);
const std::vector<std::string>& headless_form_lines(int w, const char* field);
bool headless_form_enabled(int w, const char* field);

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
