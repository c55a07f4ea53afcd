// The three loops whose pitch and loudness follow the flight (engine, wind, rain), their start and
// stop around every pause of the simulation, and the thunder of a lightning strike.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "sound/sound.h"
#include "weather/weather.h"

// The engine speed at which the engine recording plays at its file's own rate: N1 percent for a
// jet, rad/s for the others.
static float engine_reference() {
  if (pln.is_heli) return (pln.entype == 2 ? 400.0f : 500.0f) * con.rpmtorsc;
  if (pln.entype == 3) return 100.0f;
  if (pln.entype == 2) return (pln.vectEQ ? 500.0f : 1900.0f) * con.rpmtorsc;
  // A very small engine (under 10 hp, a model's) turns much faster.
  return (pln.pmax * con.watttohp >= 10.0f ? 2500.0f : 7000.0f) * con.rpmtorsc;
}

void maintain_engine_sound() {
  // The engine types the recordings are made for; any other leaves the loop as it is.
  const int heli = pln.is_heli != 0, type = pln.entype;
  if (heli ? (type != 1 && type != 2) : (type < 1 || type > 3)) return;
  const int engines = heli ? 1 : intlim(pln.numen, 0, MAX_ENGINES);
  const float ref = engine_reference();
  float p = 0.0f, s = 0.0f;
  for (int i = 0; i < engines; i++) {
    p += flt.thro[i] * flt.mixt_powr_rat[i];
    s += (type == 3 && !heli ? flt.n1_[i] : flt.tac[i]) / ref;
  }
  if (engines > 0) p /= engines, s /= engines;
  const float level = heli ? 0.1f * p + 0.9f * s : 0.5f * p + 0.5f * s;
  if (heli)
    set_frq_vol(s, level, 0.5f, 1.0f, SND_ENGINE);
  else if (type == 3)
    set_frq_vol(std::sqrt(fltmax2(s, 0.0f)), level, 0.9f, 1.0f, SND_ENGINE);
  else
    set_frq_vol(s, level, type == 2 ? 0.8f : 0.5f, 1.0f, SND_ENGINE);
}

void maintain_windrain_sound() {
  // Without a never-exceed speed there is no scale for the airflow: both fall silent.
  if (!(pln.Vne > 0.0f)) {
    set_frq_vol(0.0f, 0.0f, 0.0f, 0.0f, SND_WIND);
    set_frq_vol(0.0f, 0.0f, 0.0f, 0.0f, SND_RAIN);
    return;
  }
  const float r = flt.vind / pln.Vne;
  set_frq_vol(r, r * r, 0.0f, 1.0f, SND_WIND);
  const float s = interp(0.0f, 0.5f, pln.Vne, 2.0f, flt.vind) * atm.prec_rat;
  set_frq_vol(s, s, 0.0f, 1.0f, SND_RAIN);
}

void play_engine_and_windrain() {
  // A setting refused while tuning them raises a notice, which resumes the loops: this call is
  // already doing that.
  static int playing = 0;
  if (snd.noticing || playing) return;
  playing = 1;
  // Tuned before they start, so that no loop is heard for a moment at its old pitch.
  if (pln.entype != 0) maintain_engine_sound();
  maintain_windrain_sound();
  if (pln.numen > 0) play_buffer(SND_ENGINE, 1);
  play_buffer(SND_WIND, 1);
  if (!(flt.h > atm.topsMSL) && atm.temp_SL > 32.0f && atm.rain_tstm > 1.0f)
    play_buffer(SND_RAIN, 1);
  if (snd.stall_held) play_buffer(SND_STALL, 1);
  playing = 0;
}

// The stall horn loops on its own while the warning lasts, so it is held with the loops; the
// warning's end stops it for good meanwhile (stop_buffer forgets the hold).
void stop_engine_and_windrain() {
  stop_buffer(SND_ENGINE);
  stop_buffer(SND_WIND);
  stop_buffer(SND_RAIN);
  if (MACIBM_sound_state(SND_STALL) == SOUND_PLAYING) {
    stop_buffer(SND_STALL);
    snd.stall_held = 1;
  }
}

// Each strike heard is a clap of its own: one still rolling from an earlier strike would
// otherwise go on, jumping to this strike's pitch and loudness, and this clap would never start.
void play_thunder(float strength) {
  if (!(strength >= 0.3f)) return;
  if (MACIBM_sound_state(SND_THUNDER) == SOUND_PLAYING) MACIBM_sound_rewind(SND_THUNDER);
  set_frq_vol(fltlim(strength, 0.3f, 1.0f), fltlim(strength, 0.0f, 1.0f), 0.0f, 1.0f,
              SND_THUNDER);
  play_buffer(SND_THUNDER, 0);
}

float thunder_strength(float metres) {
  return fltmin2(interp(1000.0f, 1.0f, 15000.0f, 0.3f, metres), 1.0f);
}
