// The speech engine: espeak-ng making sentences into samples on a thread of its own, so that no
// frame waits for it. The desktop back end plays what it makes; the speech benchmark times frames
// beside it. Every call below is made from the program's one thread and returns at once.
#pragma once

// Starts espeak-ng with a US English voice and its thread; 1 on success, 0 when espeak-ng or its
// voice data cannot be had. A second call while started returns 1.
int speech_engine_open();
// Stops the thread, dropping whatever waits; a later open starts it again.
void speech_engine_close();
// Queues a sentence in voice 0 (the controllers') or 1 (ATIS); 0 when the engine is not started,
// the text is empty or too many sentences wait already.
int speech_engine_say(const char* text, int voice);
// Drops the sentences waiting, stops the one being made and forgets the samples not taken yet.
void speech_engine_cancel();
// Takes up to max of the samples made so far, oldest first (16-bit mono at *rate per second).
// Returns how many were taken.
int speech_engine_take(short* out, int max, int* rate);
// Sentences waiting or being made, and samples made but not taken, together: 0 when idle.
int speech_engine_busy();
// Sentences espeak-ng failed to make since the last call.
int speech_engine_failures();
