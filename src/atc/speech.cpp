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
  // The clock runs round at 86400 s: a sentence said just before stays up across it.
  if (atc.text_out)
    atc.response_timeout =
        clock_after(msc.elap_time, 0.1f * static_cast<float>(std::strlen(text)));
  if (msc.speech_avail && atc.voice_out && !MACIBM_speak(text, voice)) cannot_speak();
  if (atc_said_hook) atc_said_hook(text);
}

int atc_response_shown() {
  // At most 0.1 s for each of 399 characters still to go; a time passed is a day away.
  return atc.text_out && atc.response[0] &&
         clock_since(atc.response_timeout, msc.elap_time) <= 0.1f * (STR_SIZE - 1);
}

void speakstring(char* s) { speak_in_voice(s, ATC_VOICE_CONTROLLER); }

void pump_speech() {
  if (MACIBM_speech_pump() > 0 && msc.speech_avail && atc.voice_out) cannot_speak();
}
