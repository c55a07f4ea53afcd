// The sound-file reader on files built here, well formed, unplayable and damaged.
#include "support/test_support.h"

#include <cstring>
#include <string>

namespace {

std::string le(unsigned v, int bytes) { return le_bytes(v, bytes); }

std::string chunk(const std::string& id, const std::string& body, unsigned size_said = ~0u) {
  std::string c = id + le(size_said == ~0u ? static_cast<unsigned>(body.size()) : size_said, 4) + body;
  return body.size() % 2 ? c + '\0' : c;
}

// A format chunk's first 16 bytes, then `extra` more.
std::string fmt(unsigned tag, unsigned channels, unsigned rate, unsigned bits, const std::string& extra = "") {
  const unsigned align = channels * bits / 8;
  return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
                           le(bits, 2) + extra);
}

std::string riff(const std::string& chunks) { return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks; }

// Two 16-bit samples: 0x1234 and -2.
const std::string samples = le(0x1234, 2) + le(0xFFFE, 2);
const std::string mono16 = fmt(1, 1, 22050, 16);

// An extensible format's tail: valid bits, channel mask, and a sub-format whose first two bytes
// name the real format.
std::string extensible_tail(unsigned sub) { return le(22, 2) + le(16, 2) + le(4, 4) + le(sub, 2) + std::string(14, 'x'); }

struct reader_case {
  const char* what;
  std::string file;
  const char* error;  // null: reads
  int bytes, rate;
};

TEST(SoundWav, ReadsWhatItCanPlayAndSaysWhyNot) {
  const reader_case cases[] = {
      {"plain", riff(mono16 + chunk("data", samples)), nullptr, 4, 22050},
      // A text chunk holding "data" comes first and an odd-sized one (padded) between: the
      // chunks are walked, not searched for by content.
      {"extra chunks", riff(chunk("LIST", "INFOdata....") + mono16 + chunk("junk", "abc") + chunk("data", samples)),
       nullptr, 4, 22050},
      {"40-byte format", riff(fmt(1, 1, 44100, 16, extensible_tail(1)) + chunk("data", samples)), nullptr, 4, 44100},
      {"extensible PCM", riff(fmt(0xFFFE, 1, 22050, 16, extensible_tail(1)) + chunk("data", samples)), nullptr, 4,
       22050},
      {"extensible float", riff(fmt(0xFFFE, 1, 22050, 16, extensible_tail(3)) + chunk("data", samples)),
       "The sound file is not a PCM file.", 0, 0},
      {"ADPCM", riff(fmt(2, 1, 22050, 16) + chunk("data", samples)), "The sound file is not a PCM file.", 0, 0},
      {"three channels", riff(fmt(1, 3, 22050, 16) + chunk("data", samples)),
       "The sound file is not 8- or 16-bit mono or stereo.", 0, 0},
      {"no rate", riff(fmt(1, 1, 0, 16) + chunk("data", samples)), "The sound file's sample rate is out of range.",
       0, 0},
      {"short format", riff(chunk("fmt ", std::string(14, '\1')) + chunk("data", samples)),
       "The sound file's fmt chunk is too short.", 0, 0},
      {"format past the end", riff(chunk("fmt ", std::string(16, '\1'), 400)), "The sound file's fmt chunk is cut short.",
       0, 0},
      {"zero data", riff(mono16 + chunk("data", "")), "The sound-file data chunk has no data.", 0, 0},
      // A data size past the file's end plays the whole frames there are: one stereo frame of
      // four bytes out of six.
      {"truncated data", riff(fmt(1, 2, 22050, 16) + "data" + le(1000000, 4) + samples + "zz"), nullptr, 4, 22050},
      {"data before format", riff(chunk("data", samples) + mono16), "WAVE file has no fmt chunk.", 0, 0},
      {"no data", riff(mono16 + chunk("junk", "abcd")), "WAVE file has no data chunk.", 0, 0},
      {"huge chunk size", riff(mono16 + "junk" + le(0xFFFFFFFFu, 4) + chunk("data", samples)),
       "WAVE file has no data chunk.", 0, 0},
      {"not RIFF", "RIFX" + riff(mono16).substr(4), "This is not a RIFF file.", 0, 0},
      {"not WAVE", "RIFF" + le(4, 4) + "AVI ", "This is not a WAVE file.", 0, 0},
      {"empty", "", "This is not a RIFF file.", 0, 0},
  };
  for (const reader_case& c : cases) {
    wav_sound w = {nullptr, 0, 0, 0, 0};
    const char* why = read_wav(reinterpret_cast<const unsigned char*>(c.file.data()), c.file.size(), &w);
    if (c.error) {
      EXPECT_STREQ(why, c.error) << c.what;
      continue;
    }
    ASSERT_EQ(why, nullptr) << c.what << ": " << why;
    EXPECT_EQ(w.bytes, c.bytes) << c.what;
    EXPECT_EQ(w.rate, c.rate) << c.what;
    EXPECT_EQ(std::memcmp(w.pcm, samples.data(), 4), 0) << c.what;
  }
}

}  // namespace
