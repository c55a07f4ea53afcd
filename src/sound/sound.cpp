// The sound module's hold on the device: opening and releasing it, loading each sound from its
// file, and starting, stopping and retuning one sound behind the gate of live windows, an open
// device and the user's switch.
#include "sound/sound.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"

static_assert(static_cast<int>(SOUND_COUNT) == static_cast<int>(SOUND_SLOTS), "one device sound per sound number");

soundstruct snd;

void reset_snd() { std::memset(&snd, 0, sizeof snd); }

int init_sound() { return MACIBM_sound_open(); }

void dispose_sound() {
  if (!msc.sound_avail) return;
  MACIBM_sound_close();
  for (int n = 0; n < SOUND_COUNT; n++) snd.loaded[n] = 0;
}

// ---- Notices ---------------------------------------------------------------------------------

// A notice holds and resumes the loops like any alert. One of a load keeps them held, since the
// other sounds are not loaded yet; one of a setting lets them play again after it (the refused
// sound is muted by then), or a refusal in flight would silence every loop until the next alert.
static void notice(const char* what, const char* detail, int hold = 1,
                   const char* outcome = "That sound will be silent.") {
  snd.noticing += hold;
  MACIBM_alert(what, detail, outcome, "", ALERT_NOTICE);
  snd.noticing -= hold;
}

// ---- Loading ---------------------------------------------------------------------------------

// The engine recording shared by every aircraft of this kind (the aircraft's own comes first).
static const char* generic_engine() {
  if (pln.is_heli) return pln.entype == 1 || pln.entype == 2 ? generic_engine_file[pln.entype + 2]
                                                             : generic_engine_file[0];
  return pln.entype >= 1 && pln.entype <= 3 ? generic_engine_file[pln.entype - 1]
                                            : generic_engine_file[0];
}

// Larger files are no sound of ours: refused before anything is allocated for them.
enum { MAX_SOUND_FILE = 64 << 20 };

// The file's bytes; false when it cannot be opened (`too_large` when it is over the limit).
static bool read_file(const char* path, std::vector<unsigned char>* bytes, bool* too_large) {
  *too_large = false;
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  f.seekg(0, std::ios::end);
  const std::streamoff size = f.tellg();
  if (size < 0) return false;
  if (size > MAX_SOUND_FILE) {
    *too_large = true;
    return true;
  }
  f.seekg(0, std::ios::beg);
  bytes->resize(static_cast<size_t>(size));
  f.read(reinterpret_cast<char*>(bytes->data()), size);
  return f.gcount() == size;
}

void fill_buffer(int n) {
  // A number outside the table is the program's own error, not the user's.
  if (n < 0 || n >= SOUND_COUNT) {
    MACIBM_alert("Requested sound out of range!", "", "", reinterpret_cast<const char*>(&n),
                 macibm_fatal_value_kind());
    return;
  }
  if (!msc.sound_avail) return;
  snd.loaded[n] = snd.muted[n] = 0;
  snd.frequency[n] = snd.volume[n] = 0;
  snd.path[n][0] = 0;
  if (n == SND_STALL) snd.stall_held = 0;
  MACIBM_sound_load(n, nullptr, 0, 1, 16, 22050);  // the last aircraft's sound goes either way

  // The aircraft's own: its file's path without ".acf", a space and the sound's file name.
  char path[STR_SIZE] = "";
  std::vector<unsigned char> bytes;
  bool too_large = false, found = false;
  const size_t len = std::strlen(pln.C_path);
  if (len > 4) {
    std::snprintf(path, sizeof path, "%.*s %s", static_cast<int>(len - 4), pln.C_path,
                  sound_file_name[n]);
    found = read_file(path, &bytes, &too_large);
  }
  if (!found) {
    C_to_C(n == SND_ENGINE ? generic_engine() : sound_file_name[n], path);
    ap_dir("sounds", path);
    found = read_file(path, &bytes, &too_large);
  }
  if (!found) {
    // Without the shared folder at all every sound would bring its own notice, twenty boxes at
    // every aircraft load: the folder is told of once for the program's run instead.
    char folder[STR_SIZE] = "";
    ap_dir("sounds", folder);
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return notice("Cannot open sound file!", path);
    if (snd.told_no_folder) return;
    snd.told_no_folder = 1;
    return notice("Cannot open the sounds folder!", folder, 1, "The sounds it holds will be silent.");
  }
  if (too_large) return notice("The sound file is too large.", path);
  wav_sound w;
  if (const char* why = read_wav(bytes.data(), bytes.size(), &w)) return notice(why, path);
  if (!MACIBM_sound_load(n, w.pcm, w.bytes, w.channels, w.bits, w.rate))
    return notice("The sound device refused the sound file.", path);
  snd.loaded[n] = 1;
  snd.file_rate[n] = w.rate;
  C_to_C(path, snd.path[n]);
}

// ---- Playing ---------------------------------------------------------------------------------

static int sound_live() { return mnw.ready_to_update && msc.sound_avail && msc.sound_on; }

static int usable(int n) {
  return n >= 0 && n < SOUND_COUNT && snd.loaded[n] && !snd.muted[n] && sound_live();
}

// Sets the device's rate (Hz) and volume (hundredths of a decibel) of sound n, only where they
// changed: most frames retune the loops to what they already are.
static void apply(int n, int frequency, int volume) {
  if (volume != snd.volume[n] || !snd.frequency[n]) {
    const float gain = volume <= -5000 ? 0.0f : std::pow(10.0f, volume / 2000.0f);
    if (!MACIBM_sound_gain(n, gain)) {
      snd.muted[n] = 1;
      std::snprintf(C_s, STR_SIZE, "%d", volume);
      return notice("Can't set sound vol!", C_s, 0);
    }
    snd.volume[n] = volume;
  }
  if (frequency != snd.frequency[n]) {
    if (!MACIBM_sound_pitch(n, static_cast<float>(frequency) / snd.file_rate[n])) {
      snd.muted[n] = 1;
      std::snprintf(C_s, STR_SIZE, "%d", frequency);
      return notice("Can't set sound frq!", C_s, 0);
    }
    snd.frequency[n] = frequency;
  }
}

void play_buffer(int n, int loop) {
  // The warning starts the horn once, as the stall begins: asked for while sound is off, it is
  // held to sound with the loops when sound comes back on, the stall lasting.
  if (n == SND_STALL && !sound_live()) snd.stall_held = 1;
  if (!usable(n)) return;
  if (n == SND_STALL && MACIBM_sound_state(n) != SOUND_PLAYING) apply(n, snd.file_rate[n], 0);
  if (snd.muted[n]) return;
  // A one-shot that has finished would stay silent at its end.
  if (MACIBM_sound_state(n) == SOUND_FINISHED) MACIBM_sound_rewind(n);
  MACIBM_sound_play(n, loop);
}

void stop_buffer(int n) {
  if (n == SND_STALL) snd.stall_held = 0;
  if (usable(n)) MACIBM_sound_pause(n);
}

void stop_all_sounds() {
  if (!msc.sound_avail) return;
  if (snd.loaded[SND_STALL] && MACIBM_sound_state(SND_STALL) == SOUND_PLAYING) snd.stall_held = 1;
  // A one-shot cut here is put back at its start: paused, the next call-out or clap of its kind
  // would be heard from where this one was cut, its end alone.
  for (int n = 0; n < SOUND_COUNT; n++) {
    if (!snd.loaded[n]) continue;
    if (n == SND_ENGINE || n == SND_WIND || n == SND_RAIN || n == SND_STALL)
      MACIBM_sound_pause(n);
    else if (MACIBM_sound_state(n) == SOUND_PLAYING)
      MACIBM_sound_rewind(n);
  }
}

void set_frq_vol(float rate, float level, float level_min, float level_max, int n) {
  if (!usable(n)) return;
  const float v = level_min + level * (level_max - level_min);
  // Nothing that is not a number, nor a negative level, reaches the root or the conversions.
  if (!std::isfinite(rate) || !std::isfinite(v) || v < 0.0f) return apply(n, 100, -5000);
  const double hz = std::round(static_cast<double>(rate) * snd.file_rate[n]);
  const int frequency = hz < 100.0 ? 100 : hz > 100000.0 ? 100000 : static_cast<int>(hz);
  const double volume = -5000.0 + 5000.0 * std::sqrt(0.67 * v);
  apply(n, frequency, volume > 0.0 ? 0 : static_cast<int>(volume));
}

// Each keyed symbol is heard whole: one cut short by the keying would otherwise go on from where
// it was stopped.
void tune_tone(int n, float hz) {
  if (!usable(n) || !(hz > 0.0f)) return;
  apply(n, intlim(intround(hz / TONE_FILE_HZ * snd.file_rate[n]), 100, 100000), 0);
  if (MACIBM_sound_state(n) != SOUND_AT_START) MACIBM_sound_rewind(n);
}
