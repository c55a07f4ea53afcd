// Pictures of the 3-D view drawn by Mesa under a virtual X server: the generated world around the
// factory airport "SBD " with the trainer on its runway 0, loaded once per program, and helpers
// that read the picture and measure it.
#pragma once

#include "support/test_support.h"

#include <cstdint>
#include <string>
#include <vector>

// One picture of the test window, bottom row first, 0xRRGGBB per pixel.
struct picture {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

inline int red_of(uint32_t c) { return static_cast<int>(c >> 16 & 255); }
inline int green_of(uint32_t c) { return static_cast<int>(c >> 8 & 255); }
inline int blue_of(uint32_t c) { return static_cast<int>(c & 255); }

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
// Writes the picture as a binary PPM file, for looking at a failing case.
void save_picture(const picture& p, const std::string& path);

class RenderView : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!view_world_ready(&why)) GTEST_SKIP() << why;
    view_start(12.0f);
  }
};
