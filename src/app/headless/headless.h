// The headless back end's script: what stands in for the user when there is no screen. Tests and
// the headless program queue menu commands, clicks and dialog answers here; the loop's event
// dispatch delivers them.
#pragma once

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

// Forgets every queued event and answer and restores the defaults.
void headless_reset();
