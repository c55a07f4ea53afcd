// A real GL context for the pixel tests: one X11 window under Xvfb with Mesa, registered with the
// desktop back end, whose off-screen picture the tests read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shared/shared.h"
#include "support/test_support.h"

// The drawing layer's own tests draw into window 1; the panel and the view draw into window 0 at
// the main window's size.
enum { GL_TEST_WINDOW = 1, GL_TEST_W = 160, GL_TEST_H = 100, GL_MAIN_W = 800, GL_MAIN_H = 580 };

// Opens the display, the window and its context once per program; false with a message when no
// display can be opened.
bool gl_harness_open(std::string* why);
// Makes the context current with window w of size dx x dy as the drawing target, clears its
// picture to black and puts the drawing layer back in its start-up state with the programs'
// palette.
void gl_harness_fresh(int w = GL_TEST_WINDOW, int dx = GL_TEST_W, int dy = GL_TEST_H);
// Buffer swaps the back end has asked for so far.
int gl_harness_swaps();
// Lets the back end show parts of the window (off: every present swaps the whole window).
void gl_harness_partial(bool on);
// Parts shown so far, and the last one (unless rect is null) as x, y, width, height in pixels
// from the bottom-left.
int gl_harness_rect_swaps(int rect[4]);

// A rectangle of the picture, bottom row first, 0xRRGGBB per pixel.
struct picture {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};
inline int red_of(uint32_t c) { return static_cast<int>(c >> 16 & 255); }
inline int green_of(uint32_t c) { return static_cast<int>(c >> 8 & 255); }
inline int blue_of(uint32_t c) { return static_cast<int>(c & 255); }

picture gl_read(int x, int y, int w, int h);
// Colour of one pixel of the window's picture as 0xRRGGBB.
uint32_t gl_pixel(int x, int y);
// The same from the window on the screen, what presenting has shown.
uint32_t gl_screen_pixel(int x, int y);
// A rectangle of the picture, top row first, one line per row: '#' white, '.' black, '+' any
// other colour.
std::string gl_picture(int x, int y, int w, int h);
// Writes a picture as a binary PPM file, for looking at a failing case.
void save_picture(const picture& p, const std::string& path);

// The drawing layer's tests: a fresh test window for each case.
class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(gl_harness_open(&why)) << why;
    init_constants();
    gl_harness_fresh();
  }
};
