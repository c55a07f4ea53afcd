// Pictures of the 3-D view drawn by Mesa under a virtual X server: the generated world around the
// factory airport "SBD " with the trainer on its runway 0, loaded once per program, and helpers
// that measure the pictures.
#pragma once

#include <cstdlib>
#include <string>

#include "render_gl/gl_harness.h"

// Sky: clearly bluer than it is red.
inline bool is_sky(uint32_t c) { return blue_of(c) > red_of(c) + 40; }
// Runway: a neutral grey of asphalt or its paint, neither green nor blue.
inline bool is_pavement(uint32_t c) {
  const int r = red_of(c), g = green_of(c), b = blue_of(c);
  return std::abs(r - g) < 14 && std::abs(g - b) < 14 && r > 45;
}
// Row, counted from the top, of the first pixel below the sky in column x among the top `rows`
// rows; `rows` when all of them are sky.
inline int horizon_row(const picture& p, int x, int rows) {
  for (int row = 0; row < rows; row++)
    if (!is_sky(p.at(x, p.h - 1 - row))) return row;
  return rows;
}
// Pixels of x0..x1-1 by y0..y1-1, or of the whole picture, that pass the test.
inline int count(const picture& p, int x0, int x1, int y0, int y1, bool (*pred)(uint32_t)) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) n += pred(p.at(x, y));
  return n;
}
inline int count(const picture& p, bool (*f)(uint32_t)) { return count(p, 0, p.w, 0, p.h, f); }

// The default start, loaded once: false with a reason when there is no display or no generated
// world or aircraft.
bool view_world_ready(std::string* why);
// Puts the trainer back at the start of runway 0 of "SBD " at rest, at local time `hour`, clear
// sky with the factory visibility, looking forwards without the head-up display, the whole test
// window being the view.
void view_start(float hour);
// Draws one frame of the view and reads the window's picture.
picture view_frame_picture();
// Database index of "SBD " and the world position where runway 0 starts.
int view_sbd();
// Hills around the field would hide the horizon: the tests that look for it level the ground at
// the field's height, and put the hills back afterwards.
void level_the_ground();
void restore_the_ground();

class RenderView : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!view_world_ready(&why)) GTEST_SKIP() << why;
    view_start(12.0f);
  }
};
