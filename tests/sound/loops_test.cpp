// The loops that follow the flight (engine, wind, rain, thunder) and their hold around alerts.
#include "sound_fixture.h"

#include "flight/flight.h"
#include "weather/weather.h"

namespace {

using SoundLoops = SoundTest;

TEST_F(SoundLoops, EngineTonesFollowEngineSpeedOverEachKindsReferenceSpeed) {
  load_all();
  const float rpm = con.rpmtorsc;
  struct {
    int heli, entype, vect;
    float hp, speed1, speed2;  // rpm (N1 percent for a jet); speed2 only for a second engine
    int hz, volume;
  } cases[] = {
      {0, 1, 0, 160, 2500, -1, 22050, -1171},
      {0, 1, 0, 4, 3500, -1, 11025, -1455},  // a model's engine turns at 7000 rpm
      {0, 2, 0, 600, 950, -1, 11025, -1117},
      {0, 2, 1, 600, 500, -1, 22050, -1010},  // thrust vectoring
      {0, 3, 0, 0, 25, -1, 11025, -1037},     // the root of N1
      {1, 2, 0, 300, 400, -1, 22050, -958},
      {1, 1, 0, 180, 250, -1, 11025, -1455},
      {0, 1, 0, 300, 2500, 1500, 17640, -1282},  // the mean of two engines
  };
  for (const auto& c : cases) {
    pln.is_heli = c.heli, pln.entype = c.entype, pln.vectEQ = c.vect;
    pln.pmax = c.hp * con.hptowatt;
    pln.numen = c.speed2 < 0 ? 1 : 2;
    for (int i = 0; i < 2; i++) {
      const float speed = i == 0 ? c.speed1 : c.speed2;
      flt.thro[i] = 0.5f, flt.mixt_powr_rat[i] = 1.0f;
      // The other measure of speed is far off, so that using it would show.
      flt.n1_[i] = c.entype == 3 ? speed : 99.0f;
      flt.tac[i] = c.entype == 3 ? 999.0f : speed * rpm;
    }
    maintain_engine_sound();
    EXPECT_EQ(tuning(SND_ENGINE), std::make_pair(c.hz, c.volume)) << c.heli << c.entype << " " << c.hp;
  }
}

TEST_F(SoundLoops, WindRainAndThunderFollowAirspeedAndStrengthAndFallSilentWithoutVne) {
  load_all();
  pln.Vne = 160.0f, flt.vind = 80.0f, atm.prec_rat = 0.4f;
  maintain_windrain_sound();
  EXPECT_EQ(tuning(SND_WIND), std::make_pair(11025, -2953));
  EXPECT_EQ(tuning(SND_RAIN), std::make_pair(11025, -2106));  // half-way from 0.5 to 2, times 0.4
  pln.Vne = 0.0f;
  maintain_windrain_sound();
  for (int n : {SND_WIND, SND_RAIN}) EXPECT_EQ(tuning(n), std::make_pair(100, -5000));
  // Thunder from near strikes only, tuned by its strength.
  play_thunder(0.29f);
  play_thunder(thunder_strength(20000.0f));
  EXPECT_EQ(calls('p', SND_THUNDER), 0);
  play_thunder(2.0f);
  EXPECT_EQ(tuning(SND_THUNDER), std::make_pair(22050, -907));
  EXPECT_EQ(calls('p', SND_THUNDER), 1);
  // Another strike while that clap rolls starts a clap of its own.
  play_thunder(0.5f);
  EXPECT_EQ(calls('r', SND_THUNDER), 1);
  EXPECT_GT(thunder_strength(5000.0f), thunder_strength(10000.0f));
}

// Sound n's calls on the device, as one string: 's' stopped, 'p' played.
std::string stop_play_calls(int n = SND_ENGINE) {
  std::string s;
  for (const headless_sound_call& c : headless_sound_calls())
    if (c.n == n && (c.op == 's' || c.op == 'p')) s += c.op;
  return s;
}

TEST_F(SoundLoops, LoopsAreHeldAroundAnAlertAndAMenuCommandAndPlayAgainAfter) {
  load_all();
  install_simulator_hooks();
  pln.entype = pln.numen = 1;
  atm.temp_SL = 20.0f, atm.rain_tstm = 3.0f;  // snow, not rain
  play_engine_and_windrain();
  play_buffer(SND_STALL, 1);
  EXPECT_EQ(headless_sound_slot(SND_RAIN).state, SOUND_AT_START);
  headless_clear_sound_calls();
  MACIBM_alert("Something to say.", "", "", "", ALERT_NOTICE);
  EXPECT_EQ(stop_play_calls(), "sp");
  EXPECT_EQ(stop_play_calls(SND_STALL), "sp");
  // A horn the warning stopped while the loops were held stays stopped.
  stop_engine_and_windrain();
  stop_buffer(SND_STALL);
  play_engine_and_windrain();
  EXPECT_EQ(headless_sound_slot(SND_STALL).state, SOUND_PAUSED);
  // A stall begun while sound was off is heard once sound is on and the loops play again.
  msc.sound_on = 0;
  play_buffer(SND_STALL, 1);
  msc.sound_on = 1;
  play_engine_and_windrain();
  EXPECT_EQ(headless_sound_slot(SND_STALL).state, SOUND_PLAYING);
  headless_clear_sound_calls();
  macibm_event_menu(601);  // a view: no alert of its own
  EXPECT_EQ(stop_play_calls(), "sp");
  EXPECT_EQ(headless_sound_slot(SND_ENGINE).state, SOUND_PLAYING);
  EXPECT_EQ(headless_sound_slot(SND_WIND).state, SOUND_PLAYING);
  // Warm rain starts with the loops; a glider has no engine to start.
  atm.temp_SL = 60.0f, pln.numen = 0;
  stop_engine_and_windrain();
  play_engine_and_windrain();
  EXPECT_EQ(headless_sound_slot(SND_RAIN).state, SOUND_PLAYING);
  EXPECT_EQ(headless_sound_slot(SND_ENGINE).state, SOUND_PAUSED);
  // A setting the device refuses in flight mutes that sound alone: its notice holds the loops,
  // and the others play again after it.
  headless_set_sound_device(1, 1);
  pln.numen = 1, flt.tac[0] = 100.0f;
  maintain_engine_sound();
  ASSERT_EQ(macibm_alert_log().size(), 2u);
  EXPECT_EQ(headless_sound_slot(SND_WIND).state, SOUND_PLAYING);
  EXPECT_EQ(headless_sound_slot(SND_RAIN).state, SOUND_PLAYING);
}

}  // namespace
