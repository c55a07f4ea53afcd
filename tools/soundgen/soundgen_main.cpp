// Writes every sound file the simulator plays, made here so that every sound we ship is our own:
//   soundgen <runtime folder>
// The engines, weather, warnings and markers are synthesised; the spoken call-outs are espeak-ng's.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "soundgen.h"

static const char usage[] = "usage: soundgen <runtime folder>\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return std::fputs(usage, stdout), 0;
  // An option is no folder, and an empty name would put the files at the root of the disk.
  if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') return std::fputs(usage, stderr), 2;
  const std::string dir = std::string(argv[1]) + "/sounds";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::vector<named_sound> sounds;
  engine_sounds(sounds);
  effect_sounds(sounds);
  std::string why;
  if (!voice_sounds(sounds, &why)) {
    std::fprintf(stderr, "soundgen: %s\n", why.c_str());
    return 1;
  }
  for (const named_sound& s : sounds) {
    if (!write_wav(dir + "/" + s.file, s.w, s.rate)) {
      std::fprintf(stderr, "soundgen: could not write %s/%s\n", dir.c_str(), s.file.c_str());
      return 1;
    }
  }
  return 0;
}
