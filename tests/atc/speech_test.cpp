// Speech: text only without a voice, the controller's and the ATIS voices, the notice when the
// engine refuses a sentence or fails to make it, and silence at a new flight.
#include "app/headless/headless.h"
#include "atc_fixture.h"

using AtcSpeech = AtcTest;

TEST_F(AtcSpeech, ShownSpokenInTheirVoicesOrRefusedWithANotice) {
  headless_reset();
  atc.text_out = atc.voice_out = 1;
  msc.elap_time = 50.0f;
  char s[] = "taxi runway 6.";
  speakstring(s);  // no voice: shown only
  EXPECT_STREQ(atc.response, s);
  EXPECT_FLOAT_EQ(atc.response_timeout, 50.0f + 1.4f);
  EXPECT_TRUE(headless_sentences().empty());
  EXPECT_TRUE(macibm_alert_log().empty());

  headless_set_speech(1, 0);
  msc.speech_avail = initspeechsynth();
  ASSERT_EQ(msc.speech_avail, 1);
  speakstring(s);
  give_ATIS(SBD);
  ASSERT_EQ(headless_sentences().size(), 2u);
  EXPECT_EQ(headless_sentences()[0].text, s);
  EXPECT_EQ(headless_sentences()[0].voice, ATC_VOICE_CONTROLLER);
  EXPECT_EQ(headless_sentences()[1].voice, ATC_VOICE_ATIS);
  atc.voice_out = 0;
  speakstring(s);
  EXPECT_EQ(headless_sentences().size(), 2u);
  EXPECT_TRUE(macibm_alert_log().empty());

  // A sentence refused, or failed by the engine, is a notice once; the text stays.
  atc.voice_out = 1;
  headless_set_speech(1, 1);
  speakstring(s);
  EXPECT_STREQ(atc.response, s);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(last_alert().line[0], "Can't speak ATC command!");
  EXPECT_FALSE(macibm_alert_is_fatal(last_alert().kind));
  headless_fail_sentences(1);
  pump_speech();
  EXPECT_EQ(macibm_alert_log().size(), 2u);
  pump_speech();  // reported once
  EXPECT_EQ(macibm_alert_log().size(), 2u);
  // A new flight's controller does not go on with the last flight's words.
  const short words[4] = {1, 2, 3, 4};
  MACIBM_stream_queue(words, 4, 22050);
  start_atc_dialogue();
  EXPECT_EQ(MACIBM_stream_playing(), 0);
  char line[STR_SIZE];
  EXPECT_EQ(atc_main_line(7, line), ATC_LINE_HIDDEN);  // "say again please"
  headless_reset();
}

TEST_F(AtcSpeech, ASentenceSaidJustBeforeTheClockRunsRoundGoesAfterItsTime) {
  atc.text_out = 1;
  msc.elap_time = 86399.5f;
  char s[] = "taxi runway 6.";
  speakstring(s);
  msc.elap_time = 0.3f;
  EXPECT_TRUE(atc_response_shown());
  msc.elap_time = 2.0f;
  EXPECT_FALSE(atc_response_shown());
}
