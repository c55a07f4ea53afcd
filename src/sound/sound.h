// Sound: the engine, wind and rain loops, the one-shot sounds and the sound device.
#pragma once

enum { SOUND_COUNT = 20 };

// Opens the sound device; 1 on success, 0 when sound is unavailable.
int init_sound();
// Starts the engine, wind and rain loops and tunes them; called whenever the simulation resumes
// after an alert, a dialog, a menu command or a window change.
void play_engine_and_windrain();
// Stops the three loops; called before every alert, dialog and menu command.
void stop_engine_and_windrain();
// Releases the sound device on the way out.
void dispose_sound();
// Starts buffer n (0..19) from where it stands, looping when `loop` is non-zero.
void play_buffer(int n, int loop);
// Stops buffer n.
void stop_buffer(int n);
// Loads sound n (0..19) into its buffer, preferring the aircraft's own recording to the shared
// one; called for every sound each time an aircraft is loaded.
void fill_buffer(int n);
// Retune the engine loop, and the wind and rain loops, to the flight state.
void maintain_engine_sound();
void maintain_windrain_sound();
