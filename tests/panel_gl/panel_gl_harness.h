// A real GL context for the panel's pixel tests: one X11 window of the main window's size under
// Xvfb with Mesa, standing for window 0, whose off-screen picture the tests read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum { PANEL_GL_W = 800, PANEL_GL_H = 580 };

// Opens the display, the window and its context once per program; false with a message when no
// display can be opened.
bool panel_gl_open(std::string* why);
// Makes the window current and its picture the drawing target, cleared to black, with the
// drawing layer in its start-up state and the programs' palette.
void panel_gl_fresh();
// Colour of one pixel of the picture as 0xRRGGBB.
uint32_t panel_pixel(int x, int y);
// A rectangle of the picture as 0xRRGGBB values, bottom row first.
std::vector<uint32_t> panel_pixels(int x, int y, int w, int h);
// Writes the panel part of the picture as a 24-bit BMP (for looking at it while working on it).
void panel_gl_save_bmp(const char* path);
