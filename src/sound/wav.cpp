// The sound-file reader: RIFF/WAVE with 8- or 16-bit PCM samples, mono or stereo, read from
// memory by walking the chunk headers, never past the end of what was read.
#include <cstdint>
#include <cstring>

#include "sound/sound.h"

static std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }

static std::uint32_t le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

enum { FORMAT_PCM = 1, FORMAT_EXTENSIBLE = 0xFFFE };

// The fields of a format chunk the samples need. Bytes past them (the extension of a longer
// chunk) are skipped, except the sub-format of an extensible one, which says whether it is PCM.
struct wav_format {
  unsigned tag, channels, rate, bits;
};

static const char* read_format(const unsigned char* p, std::uint32_t len, wav_format* f) {
  if (len < 16) return "The sound file's fmt chunk is too short.";
  f->tag = le16(p);
  f->channels = le16(p + 2);
  f->rate = le32(p + 4);
  f->bits = le16(p + 14);
  // An extensible format carries the real format code at the start of its sub-format.
  if (f->tag == FORMAT_EXTENSIBLE && len >= 40) f->tag = le16(p + 24);
  if (f->tag != FORMAT_PCM) return "The sound file is not a PCM file.";
  if (f->channels < 1 || f->channels > 2 || (f->bits != 8 && f->bits != 16))
    return "The sound file is not 8- or 16-bit mono or stereo.";
  if (f->rate < 1000 || f->rate > 192000) return "The sound file's sample rate is out of range.";
  return nullptr;
}

const char* read_wav(const unsigned char* bytes, size_t size, wav_sound* out) {
  if (size < 8 || std::memcmp(bytes, "RIFF", 4) != 0) return "This is not a RIFF file.";
  if (size < 12 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return "This is not a WAVE file.";
  // The RIFF size is not trusted: files written while recording often leave it 0 or too large.
  wav_format f = {0, 0, 0, 0};
  bool have_format = false;
  size_t pos = 12;
  while (size - pos >= 8) {
    const unsigned char* head = bytes + pos;
    const std::uint32_t len = le32(head + 4);
    const size_t body = pos + 8, avail = size - body;
    if (std::memcmp(head, "fmt ", 4) == 0) {
      if (len > avail) return "The sound file's fmt chunk is cut short.";
      if (const char* why = read_format(bytes + body, len, &f)) return why;
      have_format = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      if (!have_format) return "WAVE file has no fmt chunk.";
      // A cut-short file plays the whole frames it has.
      const size_t frame = f.channels * f.bits / 8;
      size_t n = len < avail ? len : avail;
      n -= n % frame;
      if (n == 0) return "The sound-file data chunk has no data.";
      if (n > 0x7FFFFFFFu) n = 0x7FFFFFFFu - 0x7FFFFFFFu % frame;
      out->pcm = bytes + body;
      out->bytes = static_cast<int>(n);
      out->channels = static_cast<int>(f.channels);
      out->bits = static_cast<int>(f.bits);
      out->rate = static_cast<int>(f.rate);
      return nullptr;
    }
    // Chunks are padded to an even length.
    const size_t step = static_cast<size_t>(len) + (len & 1u);
    if (step > avail) break;
    pos = body + step;
  }
  return have_format ? "WAVE file has no data chunk." : "WAVE file has no fmt chunk.";
}
