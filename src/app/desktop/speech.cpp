// Speech on the desktop: the engine of speech_engine.cpp makes the sentences beside the frame
// loop, and every loop pass moves what it has made onto the sound device's stream.
#include "app/desktop/speech_engine.h"
#include "app/macibm.h"

int backend_speech_init() { return speech_engine_open(); }

int MACIBM_speak(const char* text, int voice) { return speech_engine_say(text, voice); }

void MACIBM_speech_cancel() {
  speech_engine_cancel();
  MACIBM_stream_cancel();
}

// The samples go to the device in the pieces they were made in; what the device refuses is lost
// rather than retried, so a device that went away cannot fill the engine's memory.
int MACIBM_speech_pump() {
  static short block[22050];
  int rate = 22050;
  for (int k = 0; k < 4; k++) {
    const int n = speech_engine_take(block, 22050, &rate);
    if (n <= 0) break;
    MACIBM_stream_queue(block, n, rate);
  }
  return speech_engine_failures();
}
