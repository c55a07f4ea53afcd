// The drawing layer's inner workings that do not touch GL: font lookup, text and number layout,
// circle, arc and progress-bar geometry, and the bitmap reduction and mipmap arithmetic. Shared by
// the OGL_ calls of src/render, the back ends, and the tests.
#pragma once

enum {
  OGL_GLYPH_W = 5,
  OGL_GLYPH_H = 7,
  OGL_NUMBER_DIGITS_MAX = 18,  // digit cells of OGL_number; more are cut to this many
  // Cells one number may place: sign, digits, point (the overflow form needs fewer).
  OGL_NUMBER_CELLS = OGL_NUMBER_DIGITS_MAX + 2,
  OGL_ARC_VERTICES = 361,      // one full turn, both ends included
  OGL_PROGRESS_LEFT = 20,      // progress bar: first block's left edge, pixels
  OGL_PROGRESS_RIGHT = 600,    // no block reaches this column
  OGL_PROGRESS_STEP = 5,       // width of one block
  OGL_PROGRESS_Y = 20,         // bottom row of the bar
  OGL_PROGRESS_H = 4,          // rows 20..23
  OGL_GREY_DEFAULT_SIZE = 64,  // side of the grey stand-in before any bitmap has been read
};

// The fatal alert kind of the running program (the layer is shared by both), with or without a
// value in place of the fourth line.
int ogl_fatal_kind(int with_value);

// 1 while 2-D texturing is switched on in the current context.
int ogl_texturing();

// Binds texture n (0..59) unless it is bound already, without counting it as used.
void ogl_bind_quiet(int n);
// Marks the rectangle changed unless the whole frame will be presented at once: the end of
// every 2-D primitive.
void ogl_touched(int x, int y, int w, int h);

// ---- The mapping in force (ogl_map.cpp) ----

// Back to one pixel per coordinate with the origin at the window's corner.
void ogl_mapping_reset();
// 1 when the mapping in force is one pixel per coordinate (an origin of its own allowed): the
// primitives then take their pixel-exact forms.
int ogl_unit_scale();
// First window pixel of coordinate x across, y up, under the mapping in force.
int ogl_edge_x(int x);
int ogl_edge_y(int y);
// Draws the dots of ogl_glyph_dots (pixel centres in drawing coordinates) in the current colour,
// each a solid block of window pixels. The dots are scratch: they are moved to window pixels.
void ogl_draw_dot_blocks(float* xy, int n);

// A glyph placed by the layout: its index in the font at pixel (x, y), the bottom-left dot.
struct ogl_glyph_pos {
  int x, y;
  int glyph;
};

// Index of the glyph of ch (lower case as upper case), or -1 when the font has none.
int ogl_font_glyph(char ch);
// Index of the small exponent glyph for e = 2..9, or -1 for other values.
int ogl_exponent_glyph(int e);

// Writes the dots of n placed glyphs as x, y pairs at pixel centres; returns the number of dots.
// xy must hold 2 * 35 floats per glyph.
int ogl_glyph_dots(const ogl_glyph_pos* g, int n, float* xy);

// Places the glyphs of OGL_string (blanks and characters without a glyph take their cell but
// place nothing). out must hold OGL_TEXT_MAX entries. Returns the number placed.
int ogl_layout_string(int x, int y, const char* text, int wrap, int spacing, ogl_glyph_pos* out);
// Places the glyphs of OGL_number; out must hold OGL_NUMBER_CELLS entries. Returns the number
// placed.
int ogl_layout_number(int x, int y, float value, int digits, int decimals, int spacing, int sign,
                      ogl_glyph_pos* out);

// Half-width of a disc of radius r in row offset j: the disc covers columns -w..w of that row;
// -1 when the row lies outside the disc.
int ogl_circle_half_width(int r, int j);
// Vertices of OGL_arc's line strip at radius r about pixel (x, y); xy must hold 2 * 361 floats.
// Returns the number of vertices (0 when a2 < a1).
int ogl_arc_vertices(int x, int y, float r, int a1, int a2, float* xy);

// Advances the progress bar of OGL_show_init. Returns 1 with the left column of the block to
// draw, or 0 when nothing is drawn this step.
int ogl_progress_step(int style, int* left);
// Puts the progress bar back at its left end.
void ogl_progress_reset();

// Forgets the size of the last bitmap read, so that the grey stand-in starts at its default.
void ogl_bmp_reset();

// Factor by which a texture of w x h is reduced: from the resolution level (kept to 1..5), larger
// for the terrain textures 10..21, then doubled until both sides fit max_size.
int ogl_reduction_factor(int res, int tex, int w, int h, int max_size);
// The next mipmap level: each texel the average of a 2 x 2 block, the block kept inside the image
// at an odd or single-texel edge. dst may be src. The result is max(1, w/2) x max(1, h/2).
void ogl_halve_image(const unsigned char* src, int w, int h, unsigned char* dst);
