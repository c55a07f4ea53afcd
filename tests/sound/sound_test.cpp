// The sound module's hold on the device: files, bad files, the gate, retuning and replaying.
#include "sound_fixture.h"

#include <cmath>

namespace {

using SoundModule = SoundTest;

TEST_F(SoundModule, EngineRecordingFollowsTheAircraftThenItsKindAndEngineType) {
  load_all();  // "engn.WAV" too, which in the shared folder is never the engine
  struct {
    int heli, entype;
    const char* file;
  } cases[] = {{0, 1, "eng1.WAV"}, {0, 2, "eng2.WAV"}, {0, 3, "eng3.WAV"}, {0, 0, "eng1.WAV"},
               {1, 1, "eng4.WAV"}, {1, 2, "eng5.WAV"}, {1, 3, "eng1.WAV"}};
  for (const auto& c : cases) {
    pln.is_heli = c.heli, pln.entype = c.entype;
    fill_buffer(SND_ENGINE);
    EXPECT_EQ(std::string(snd.path[SND_ENGINE]), dir + "sounds/" + c.file) << c.heli << c.entype;
  }
  // The aircraft's own recordings, named after its file, come first, for any sound.
  C_to_C((dir + "Jet.acf").c_str(), pln.C_path);
  write_sound_file(dir + "Jet engn.WAV", 44100);
  write_sound_file(dir + "Jet wind.WAV", 11025);
  fill_buffer(SND_ENGINE);
  fill_buffer(SND_WIND);
  EXPECT_EQ(headless_sound_slot(SND_ENGINE).rate, 44100);
  EXPECT_EQ(std::string(snd.path[SND_WIND]), dir + "Jet wind.WAV");
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(SoundModule, AMissingOrDamagedFileSilencesOnlyItsSoundAfterOneNotice) {
  load_all();
  std::ofstream(dir + "sounds/wind.WAV", std::ios::binary) << std::string("RIFF\4\0\0\0WAVE", 12);
  std::filesystem::remove(dir + "sounds/rain.WAV");
  for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);  // a second aircraft load
  ASSERT_EQ(macibm_alert_log().size(), 2u);
  EXPECT_EQ(macibm_alert_log()[0].line[0], "WAVE file has no fmt chunk.");
  EXPECT_EQ(macibm_alert_log()[0].line[1], dir + "sounds/wind.WAV");
  EXPECT_EQ(macibm_alert_log()[1].line[0], "Cannot open sound file!");
  EXPECT_EQ(macibm_alert_log()[1].kind, ALERT_NOTICE);
  // The earlier aircraft's wind is gone from the device too, and nothing plays in its place.
  EXPECT_EQ(headless_sound_slot(SND_WIND).bytes, 0);
  play_buffer(SND_WIND, 1);
  play_buffer(SND_ENGINE, 1);
  EXPECT_EQ(calls('p', SND_WIND), 0);
  EXPECT_EQ(headless_sound_slot(SND_ENGINE).state, SOUND_PLAYING);
  // Without the folder at all, one notice for the program's run rather than one a sound a load.
  std::filesystem::remove_all(dir + "sounds");
  for (int load = 0; load < 2; load++)
    for (int n = 0; n < SOUND_COUNT; n++) fill_buffer(n);
  ASSERT_EQ(macibm_alert_log().size(), 3u);
  EXPECT_EQ(macibm_alert_log()[2].line[0], "Cannot open the sounds folder!");
  EXPECT_EQ(macibm_alert_log()[2].line[1], dir + "sounds/");
}

TEST_F(SoundModule, RetuningSetsRateFromTheFilesOwnRateAndVolumeOnTheRootScale) {
  struct {
    float rate, level, lo, hi;
    int file_rate, hz, volume;  // volume in hundredths of a decibel
  } cases[] = {
      {1.0f, 1.0f, 0.0f, 1.0f, 22050, 22050, -907},
      {1.0f, 0.0f, 0.5f, 1.0f, 44100, 44100, -2106},  // a 44.1 kHz file is not played an octave low
      {0.0f, 0.0f, 0.0f, 1.0f, 22050, 100, -5000},    // the lowest rate, and silence
      {1.0f, 2.0f, 0.0f, 1.0f, 22050, 22050, 0},      // a level above 1 is limited only at the end
      {10.0f, 1.0f, 0.0f, 1.0f, 22050, 100000, -907},
      {NAN, 1.0f, 0.0f, 1.0f, 22050, 100, -5000},  // not a number: silence at the lowest rate
      {INFINITY, 1.0f, 0.0f, 1.0f, 22050, 100, -5000},
      {1.0f, -0.5f, 0.0f, 1.0f, 22050, 100, -5000},  // a negative level never reaches the root
  };
  for (const auto& c : cases) {
    shared("gear.WAV", c.file_rate);
    fill_buffer(SND_GEAR);
    set_frq_vol(c.rate, c.level, c.lo, c.hi, SND_GEAR);
    EXPECT_EQ(tuning(SND_GEAR), std::make_pair(c.hz, c.volume)) << c.rate << " " << c.level;
    const headless_sound& s = headless_sound_slot(SND_GEAR);
    EXPECT_FLOAT_EQ(s.pitch, static_cast<float>(c.hz) / c.file_rate);
    EXPECT_NEAR(s.gain, c.volume <= -5000 ? 0.0 : std::pow(10.0, c.volume / 2000.0), 1e-6);
  }
}

TEST_F(SoundModule, NothingPlaysUnlessWindowsDeviceAndSwitchAllAllowButFilesStillLoad) {
  msc.sound_on = 0;
  load_all();
  EXPECT_GT(headless_sound_slot(SND_MINIMUMS).bytes, 0);
  headless_clear_sound_calls();
  for (int k = 0; k < 2; k++) {
    play_engine_and_windrain();
    play_buffer(SND_CAUTION, 0);
    set_frq_vol(1.0f, 1.0f, 0.0f, 1.0f, SND_WIND);
    stop_engine_and_windrain();
    msc.sound_on = 1, mnw.ready_to_update = 0;
  }
  EXPECT_TRUE(headless_sound_calls().empty());
  // Without a device nothing is loaded and no file is complained of.
  msc.sound_avail = 0;
  std::filesystem::remove_all(dir + "sounds");
  fill_buffer(SND_RAIN);
  EXPECT_TRUE(headless_sound_calls().empty());
  EXPECT_TRUE(macibm_alert_log().empty());
}

TEST_F(SoundModule, LoopsResumeWhereTheyStoppedAndFinishedOneShotsStartAgain) {
  load_all();
  play_buffer(SND_WIND, 1);
  stop_buffer(SND_WIND);
  play_buffer(SND_WIND, 1);
  EXPECT_EQ(calls('r', SND_WIND), 0);
  EXPECT_EQ(headless_sound_slot(SND_WIND).state, SOUND_PLAYING);
  // A second call-out after the first has finished starts from the beginning; one still
  // sounding goes on.
  play_buffer(SND_MINIMUMS, 0);
  play_buffer(SND_MINIMUMS, 0);
  EXPECT_EQ(calls('r', SND_MINIMUMS), 0);
  headless_finish_sound(SND_MINIMUMS);
  play_buffer(SND_MINIMUMS, 0);
  EXPECT_EQ(calls('r', SND_MINIMUMS), 1);
  EXPECT_EQ(headless_sound_slot(SND_MINIMUMS).state, SOUND_PLAYING);
  // The stall horn starts at full volume at its file's own rate, whatever it was tuned to.
  set_frq_vol(0.5f, 0.1f, 0.0f, 1.0f, SND_STALL);
  play_buffer(SND_STALL, 1);
  EXPECT_EQ(tuning(SND_STALL), std::make_pair(22050, 0));
  // Sound switched off holds the loops, but a call-out it cuts is heard whole the next time.
  play_buffer(SND_50FT, 0);
  stop_all_sounds();
  EXPECT_EQ(headless_sound_slot(SND_WIND).state, SOUND_PAUSED);
  EXPECT_EQ(headless_sound_slot(SND_50FT).state, SOUND_AT_START);
}

TEST_F(SoundModule, ARefusedSettingMutesThatSoundAfterOneNotice) {
  load_all();
  headless_set_sound_device(1, 1);
  set_frq_vol(1.0f, 0.5f, 0.0f, 1.0f, SND_WIND);
  set_frq_vol(0.8f, 0.5f, 0.0f, 1.0f, SND_WIND);
  play_buffer(SND_WIND, 1);
  ASSERT_EQ(macibm_alert_log().size(), 1u);
  EXPECT_EQ(macibm_alert_log()[0].line[0], "Can't set sound vol!");
  EXPECT_EQ(macibm_alert_log()[0].line[1], "-2106");
  EXPECT_EQ(calls('p', SND_WIND), 0);
  // Loading it again gives it another chance.
  headless_set_sound_device(1, 0);
  fill_buffer(SND_WIND);
  play_buffer(SND_WIND, 1);
  EXPECT_EQ(calls('p', SND_WIND), 1);
}

}  // namespace
