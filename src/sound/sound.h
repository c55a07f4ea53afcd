// Sound: the engine, wind and rain loops, the one-shot sounds, the sound files and the device.
#pragma once

#include <cstddef>

#include "shared/shared.h"

enum { SOUND_COUNT = 20 };

// Sound numbers, as the sound files' table lists them.
enum {
  SND_ENGINE = 0,
  SND_WIND = 1,
  SND_RAIN = 2,
  SND_STALL = 3,
  SND_THUNDER = 4,
  SND_GEAR = 5,
  SND_LAND = 6,
  SND_CRASH = 7,
  SND_SINK = 8,
  SND_PULL = 9,
  SND_GEAR_WARN = 10,
  SND_GLIDESLOPE = 11,
  SND_MINIMUMS = 12,
  SND_WINDSHEAR = 13,
  SND_CAUTION = 14,
  SND_50FT = 15,  // then 25 ft and 10 ft
  SND_DOT = 18,
  SND_DASH = 19,
};

// The file of each sound, in the aircraft's folder (prefixed by the aircraft file's name and a
// space) or in the shared "sounds" folder. The generator of tools/soundgen writes the same names.
inline constexpr const char* sound_file_name[SOUND_COUNT] = {
    "engn.WAV", "wind.WAV", "rain.WAV", "stal.WAV", "thun.WAV", "gear.WAV", "land.WAV",
    "boom.WAV", "sink.WAV", "pull.WAV", "gwrn.WAV", "glid.WAV", "mini.WAV", "wshr.WAV",
    "caut.WAV", "50ft.WAV", "25ft.WAV", "10ft.WAV", "mdot.WAV", "mdas.WAV"};
// The shared engine recordings that stand in when the aircraft brings no "engn.WAV": piston
// propeller, turbine propeller, jet, piston helicopter and turbine helicopter.
inline constexpr const char* generic_engine_file[5] = {"eng1.WAV", "eng2.WAV", "eng3.WAV",
                                                       "eng4.WAV", "eng5.WAV"};

// Pitch of the tone in "mdot.WAV" and "mdas.WAV" when played at the file's own rate: the middle
// marker's. The other markers and the radio identification play it retuned.
enum { TONE_FILE_HZ = 1300 };

// What the module knows of each sound. Lifetime: program; fill_buffer rewrites a sound's entry on
// every aircraft load, and the device holds the samples.
struct soundstruct {
  int loaded[SOUND_COUNT];        // the device holds the sound's samples
  int muted[SOUND_COUNT];         // the device refused a setting: silent until loaded again
  int file_rate[SOUND_COUNT];     // samples per second of its file, Hz
  int frequency[SOUND_COUNT];     // playback rate last set, Hz, 100..100000; 0 not set yet
  int volume[SOUND_COUNT];        // volume last set, hundredths of a decibel, -5000..0
  char path[SOUND_COUNT][STR_SIZE];  // the file it came from; empty when none could be used
  int noticing;                   // a notice of a load is up: the loops wait for it
  int told_no_folder;             // the shared sounds folder was found missing and told of
  int stall_held;                 // the stall horn was stopped with the loops: it sounds again with them
};
extern soundstruct snd;
// Every sound unloaded and unset (the device is not touched).
void reset_snd();

// Opens the sound device; 1 on success, 0 when sound is unavailable.
int init_sound();
// Releases the sound device on the way out.
void dispose_sound();
// Loads sound n (0..19) into the device, preferring the aircraft's own recording to the shared
// one; called for every sound each time an aircraft is loaded, whether sound is on or not. A file
// that cannot be used leaves that sound silent after one notice naming it.
void fill_buffer(int n);

// Every call below does nothing unless the windows are live (mnw.ready_to_update), the device is
// open (msc.sound_avail) and the user has sound on (msc.sound_on).

// Starts sound n from where it stands, looping when `loop` is non-zero; a one-shot that has
// finished starts again from its beginning, one still playing goes on. Starting the stall horn
// sets it to full volume at its file's own rate; asked for while nothing may play, it sounds with
// the loops when they play again.
void play_buffer(int n, int loop);
// Stops sound n where it stands, so that a loop resumes from there. The stall horn stopped here
// stays stopped when the loops play again.
void stop_buffer(int n);
// Stops every sound, whatever the user's switch: called as the switch goes off, for a loop the
// simulation keeps going on its own (the stall horn) would not be stopped after it. The loops stop
// where they stand; a one-shot goes back to its start.
void stop_all_sounds();
// Retunes sound n: playback rate `rate` times its file's own rate, and a volume from level mapped
// onto level_min..level_max (0..1: -50 dB..0 dB on a square-root scale, where -50 dB is silence).
// A rate or level that is not a finite number, or a negative level, gives silence at the lowest
// rate. A setting the device refuses mutes the sound after one notice.
void set_frq_vol(float rate, float level, float level_min, float level_max, int n);
// Tunes the marker and identification tone n (SND_DOT or SND_DASH) to sound at `hz`, full volume,
// and puts it back at its start for the play that follows.
void tune_tone(int n, float hz);

// Retune the engine loop, and the wind and rain loops, to the flight state.
void maintain_engine_sound();
void maintain_windrain_sound();
// Starts the engine, wind and rain loops and tunes them, and the stall horn they held; called
// whenever the simulation resumes after an alert, a dialog, a menu command or a window change.
void play_engine_and_windrain();
// Stops the three loops, and the stall horn while it sounds; called before every alert, dialog and
// menu command.
void stop_engine_and_windrain();
// Thunder of a strike: strength 0.3..1 (below 0.3 nothing is heard) sets its pitch and volume.
// The clap starts from its beginning, cutting one still rolling from an earlier strike.
void play_thunder(float strength);
// The strength of thunder from a strike `metres` away: 1 at 1 km or nearer, falling to 0.3 at
// 15 km and below it further out.
float thunder_strength(float metres);

// ---- Sound files -----------------------------------------------------------------------------

// A sound file's samples as the reader found them.
struct wav_sound {
  const unsigned char* pcm;  // the samples, inside the bytes read (not copied)
  int bytes;                 // whole frames only, > 0
  int channels;              // 1 or 2, interleaved
  int bits;                  // 8 (unsigned) or 16 (signed, little-endian)
  int rate;                  // frames per second, Hz
};
// Reads a RIFF/WAVE file held in memory by walking its chunks; extra chunks anywhere are skipped.
// Returns null with *out filled, or the message saying why the file cannot be played.
const char* read_wav(const unsigned char* bytes, size_t size, wav_sound* out);
