// The controller's voice: every sentence is shown for a while and handed to the speech engine,
// which speaks it without holding up the frame.
#include <cstring>

#include "app/app.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "shared/shared.h"

static void cannot_speak() { MACIBM_alert("Can't speak ATC command!", "", "", "", ALERT_NOTICE); }

void speak_in_voice(const char* s, int voice) {
  char text[STR_SIZE];
  C_to_C(s, text);
  C_to_C(text, atc.response);
  if (atc.text_out)
    atc.response_timeout = msc.elap_time + 0.1f * static_cast<float>(std::strlen(text));
  if (msc.speech_avail && atc.voice_out && !MACIBM_speak(text, voice)) cannot_speak();
  if (atc_said_hook) atc_said_hook(text);
}

void speakstring(char* s) { speak_in_voice(s, ATC_VOICE_CONTROLLER); }

void pump_speech() {
  if (MACIBM_speech_pump() > 0 && msc.speech_avail && atc.voice_out) cannot_speak();
}
