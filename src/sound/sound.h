// Sound: the twenty sound buffers of the aircraft and the program, started, stopped and retuned.
#pragma once

// Starts buffer n (0..19) from where it stands, looping when `loop` is non-zero.
void play_buffer(int n, int loop);
// Stops buffer n.
void stop_buffer(int n);
