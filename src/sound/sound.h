// Engine, wind, rain and event sounds.
#pragma once

enum { SOUND_COUNT = 20 };

// Loads sound n (0..19) into its buffer, preferring the aircraft's own recording to the shared
// one; called for every sound each time an aircraft is loaded.
void fill_buffer(int n);
