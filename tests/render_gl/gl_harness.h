// A real GL context for the drawing layer's pixel tests: one X11 window under Xvfb with Mesa,
// registered with the desktop back end as window 1, whose off-screen picture the tests read.
#pragma once

#include <cstdint>
#include <string>

enum { GL_TEST_WINDOW = 1, GL_TEST_W = 160, GL_TEST_H = 100 };

// Opens the display, the window and its context once per program; false with a message when no
// display can be opened.
bool gl_harness_open(std::string* why);
// Makes the test window current and selected again, clears its picture to black and puts the
// drawing layer back in its start-up state with the programs' palette.
void gl_harness_fresh();
// Buffer swaps the back end has asked for so far.
int gl_harness_swaps();

// Colour of one pixel of the window's picture as 0xRRGGBB.
uint32_t gl_pixel(int x, int y);
// The same from the window on the screen, what presenting has shown.
uint32_t gl_screen_pixel(int x, int y);
// A rectangle of the picture, top row first, one line per row: '#' white, '.' black, '+' any
// other colour.
std::string gl_picture(int x, int y, int w, int h);
