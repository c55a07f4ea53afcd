// The sound device on OpenAL Soft: one source and one buffer per sound, heard in the cockpit
// rather than placed in the scene. OpenAL mixes on a thread of its own, so no call here waits for
// the sound card; which device is used (or a file, or nothing) is OpenAL Soft's configuration.
#include <AL/al.h>
#include <AL/alc.h>

#include <cmath>

#include "app/macibm.h"

static ALCdevice* device;
static ALCcontext* context;
static ALuint source[SOUND_SLOTS];
static ALuint buffer[SOUND_SLOTS];  // 0: none
static ALuint stream_source;        // the stream's own source, fed a queue of buffers

static bool valid(int n) { return device && n >= 0 && n < SOUND_SLOTS; }

static void release_context() {
  alcMakeContextCurrent(nullptr);
  if (context) alcDestroyContext(context);
  if (device) alcCloseDevice(device);
  context = nullptr;
  device = nullptr;
}

int MACIBM_sound_open() {
  if (device) return 1;
  device = alcOpenDevice(nullptr);
  if (!device) return 0;
  context = alcCreateContext(device, nullptr);
  if (!context || !alcMakeContextCurrent(context)) {
    release_context();
    return 0;
  }
  alGetError();
  alGenSources(SOUND_SLOTS, source);
  if (alGetError() != AL_NO_ERROR) {
    release_context();
    return 0;
  }
  alGenSources(1, &stream_source);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteSources(SOUND_SLOTS, source);
    release_context();
    return 0;
  }
  // Every sound is heard at the listener, unattenuated: the engine and the warnings are in the
  // cockpit with the pilot.
  for (ALuint s : source) {
    alSourcei(s, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(s, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(s, AL_ROLLOFF_FACTOR, 0.0f);
  }
  alSourcei(stream_source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(stream_source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcef(stream_source, AL_ROLLOFF_FACTOR, 0.0f);
  for (ALuint& b : buffer) b = 0;
  return 1;
}

// The source is left at its start (OpenAL's initial state), not stopped at an end.
static void drop_buffer(int n) {
  alSourceRewind(source[n]);
  alSourcei(source[n], AL_BUFFER, 0);
  if (buffer[n]) alDeleteBuffers(1, &buffer[n]);
  buffer[n] = 0;
}

void MACIBM_sound_close() {
  if (!device) return;
  for (int n = 0; n < SOUND_SLOTS; n++) drop_buffer(n);
  MACIBM_stream_cancel();
  alDeleteSources(1, &stream_source);
  alDeleteSources(SOUND_SLOTS, source);
  release_context();
}

int MACIBM_sound_load(int n, const unsigned char* pcm, int bytes, int channels, int bits,
                      int rate) {
  if (!valid(n)) return 0;
  drop_buffer(n);
  alSourcef(source[n], AL_GAIN, 1.0f);
  alSourcef(source[n], AL_PITCH, 1.0f);
  alSourcei(source[n], AL_LOOPING, AL_FALSE);
  if (!pcm || bytes <= 0) return 1;
  const ALenum format = channels == 2 ? (bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16)
                                      : (bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16);
  alGetError();
  alGenBuffers(1, &buffer[n]);
  if (alGetError() != AL_NO_ERROR) {
    buffer[n] = 0;
    return 0;
  }
  alBufferData(buffer[n], format, pcm, bytes, rate);
  if (alGetError() == AL_NO_ERROR) {
    alSourcei(source[n], AL_BUFFER, static_cast<ALint>(buffer[n]));
    if (alGetError() == AL_NO_ERROR) return 1;
  }
  drop_buffer(n);
  return 0;
}

static ALint al_state(int n) {
  ALint st = AL_INITIAL;
  alGetSourcei(source[n], AL_SOURCE_STATE, &st);
  return st;
}

// OpenAL would start a playing source again from its start, and a finished one too: the module
// asks for neither.
void MACIBM_sound_play(int n, int loop) {
  if (!valid(n) || !buffer[n]) return;
  alSourcei(source[n], AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  const ALint st = al_state(n);
  if (st == AL_INITIAL || st == AL_PAUSED) alSourcePlay(source[n]);
}

void MACIBM_sound_pause(int n) {
  if (valid(n) && al_state(n) == AL_PLAYING) alSourcePause(source[n]);
}

void MACIBM_sound_rewind(int n) {
  if (valid(n)) alSourceRewind(source[n]);
}

int MACIBM_sound_state(int n) {
  if (!valid(n)) return SOUND_AT_START;
  switch (al_state(n)) {
    case AL_PLAYING:
      return SOUND_PLAYING;
    case AL_PAUSED:
      return SOUND_PAUSED;
    case AL_STOPPED:
      return SOUND_FINISHED;
    default:
      return SOUND_AT_START;
  }
}

static int set_float(int n, ALenum what, float v) {
  if (!valid(n)) return 0;
  alGetError();
  alSourcef(source[n], what, v);
  return alGetError() == AL_NO_ERROR;
}

int MACIBM_sound_gain(int n, float gain) {
  return std::isfinite(gain) && gain >= 0.0f && set_float(n, AL_GAIN, gain);
}

int MACIBM_sound_pitch(int n, float pitch) {
  return std::isfinite(pitch) && pitch > 0.0f && set_float(n, AL_PITCH, pitch);
}

// ---- Stream ----------------------------------------------------------------------------------

// Buffers the source has finished with are deleted as new ones come, so the queue holds only
// what is still to be heard.
static void reclaim_stream(int all) {
  ALint done = 0;
  alGetSourcei(stream_source, all ? AL_BUFFERS_QUEUED : AL_BUFFERS_PROCESSED, &done);
  for (; done > 0; done--) {
    ALuint b = 0;
    alSourceUnqueueBuffers(stream_source, 1, &b);
    if (b) alDeleteBuffers(1, &b);
  }
}

int MACIBM_stream_queue(const short* pcm, int frames, int rate) {
  if (!device || !pcm || frames <= 0 || rate <= 0) return 0;
  reclaim_stream(0);
  alGetError();
  ALuint b = 0;
  alGenBuffers(1, &b);
  if (alGetError() != AL_NO_ERROR) return 0;
  alBufferData(b, AL_FORMAT_MONO16, pcm, frames * static_cast<int>(sizeof(short)), rate);
  if (alGetError() == AL_NO_ERROR) alSourceQueueBuffers(stream_source, 1, &b);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &b);
    return 0;
  }
  // A source that ran dry stops; the new samples start it again.
  ALint st = AL_INITIAL;
  alGetSourcei(stream_source, AL_SOURCE_STATE, &st);
  if (st != AL_PLAYING) alSourcePlay(stream_source);
  return 1;
}

void MACIBM_stream_cancel() {
  if (!device) return;
  alSourceStop(stream_source);
  reclaim_stream(1);
}

int MACIBM_stream_playing() {
  if (!device) return 0;
  ALint st = AL_INITIAL;
  alGetSourcei(stream_source, AL_SOURCE_STATE, &st);
  return st == AL_PLAYING;
}
