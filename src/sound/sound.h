// Sound: the engine, wind and rain loops and the event sounds.
#pragma once

// Starts sound n from where it stands, looping when loop is non-zero; stops it.
void play_buffer(int n, int loop);
void stop_buffer(int n);
// Retune the engine loop, and the wind and rain loops, to the flight state.
void maintain_engine_sound();
void maintain_windrain_sound();
// Stop and restart the three loops around anything that holds the simulation.
void stop_engine_and_windrain();
void play_engine_and_windrain();
