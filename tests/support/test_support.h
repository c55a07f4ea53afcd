// Helpers shared by every test program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/macibm.h"
#include "sound/sound.h"

// Thrown by the exit hook that the test programs install: a fatal alert ends the code under test
// with this exception instead of ending the test run.
struct fatal_alert_exit {
  int status;
};

// The lines of the last alert shown, or empty lines when none was.
const alert_record& last_alert();

// Checks that the statement raises a fatal alert.
#define EXPECT_FATAL_ALERT(statement) EXPECT_THROW(statement, fatal_alert_exit)

// The device open and live, sound on, and sound n holding a moment of silence.
inline void load_silent_sound(int n) {
  static const unsigned char pcm[4] = {};
  msc.sound_avail = MACIBM_sound_open();
  MACIBM_sound_load(n, pcm, 4, 1, 16, 22050);
  snd.loaded[n] = 1, snd.file_rate[n] = 22050;
  msc.sound_on = mnw.ready_to_update = 1;
}

// v as the n little-endian bytes binary file headers store it in.
inline std::string le_bytes(uint32_t v, int n) {
  std::string s;
  for (int k = 0; k < n; k++) s += static_cast<char>(v >> (8 * k) & 255);
  return s;
}

// The whole of a file, empty when it cannot be read; and a file made to hold exactly these bytes.
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// The text file `from` with its line that ends in `label` made `line`, written to `to` (an
// aircraft file puts each value before its label); false unless exactly one line ends so.
bool write_with_line(const std::string& from, const std::string& label, const std::string& line,
                     const std::string& to);

// The bytes of the records given, one after another: two states compared to the last bit.
template <typename... R>
std::vector<unsigned char> bytes_of(const R&... records) {
  std::vector<unsigned char> b;
  (b.insert(b.end(), reinterpret_cast<const unsigned char*>(&records),
            reinterpret_cast<const unsigned char*>(&records) + sizeof records),
   ...);
  return b;
}

// A picture as the bytes of a binary PPM file, for looking at a failing case: rgb(x, y) is the
// colour, 0xRRGGBB, of the pixel x across and y down from the top.
template <typename F>
std::string ppm_bytes(int w, int h, F rgb) {
  std::string s = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      for (int shift : {16, 8, 0}) s += static_cast<char>(rgb(x, y) >> shift & 255);
  return s;
}

// A text's lines without their ends, and its last line that is not empty.
std::vector<std::string> lines_of(const std::string& text);
std::string last_line(const std::string& text);

// Runs a shell command; its exit status (-1 when it did not exit) with its standard output in *out.
int run_command(const std::string& command, std::string* out);

// The number after " key=" in the last summary line of kestrix-fly's output; NAN when absent.
float summary_value(const std::string& output, const char* key);

