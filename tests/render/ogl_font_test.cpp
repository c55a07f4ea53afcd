// The font and the layout of text and numbers: glyph lookup and dots, word wrap, the fixed-format
// number with its point, sign, overflow form and unshowable values.
#include "support/test_support.h"

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "render/ogl.h"
#include "render/ogl_local.h"

// The placed glyphs as text: each glyph's character and position, "A@10,20".
static std::string describe(const ogl_glyph_pos* g, int n) {
  std::string s;
  for (int k = 0; k < n; k++) {
    char ch = '?';
    for (int c = 32; c < 127; c++)
      if (ogl_font_glyph((char)c) == g[k].glyph && !(c >= 'a' && c <= 'z')) ch = (char)c;
    for (int e = 2; e <= 9; e++) {
      if (ogl_exponent_glyph(e) != g[k].glyph) continue;
      s += '^';
      ch = (char)('0' + e);
    }
    s += ch;
    s += '@' + std::to_string(g[k].x) + ',' + std::to_string(g[k].y) + ' ';
  }
  return s;
}

// A string laid out from (x, y), wrapping at `wrap` (none at 0), as describe gives it.
static std::string layout(int x, int y, const char* text, int wrap, int advance) {
  ogl_glyph_pos g[OGL_TEXT_MAX];
  return describe(g, ogl_layout_string(x, y, text, wrap, advance, g));
}

static std::string number(float v, int digits, int decimals, int sign = 0) {
  ogl_glyph_pos g[OGL_NUMBER_CELLS];
  return describe(g, ogl_layout_number(100, 0, v, digits, decimals, 6, sign, g));
}

TEST(RenderOglFont, GlyphsAreFoundCaseBlindAndDrawnAtPixelCentres) {
  ASSERT_GE(ogl_font_glyph('0'), 0);
  EXPECT_EQ(ogl_font_glyph('q'), ogl_font_glyph('Q'));
  EXPECT_NE(ogl_font_glyph('O'), ogl_font_glyph('0'));
  // Every printable character has a glyph of its own (a controller's question, an airport's
  // "&"), and nothing else has one.
  std::set<int> seen;
  for (int ch = '!'; ch <= '~'; ch++) {
    if (ch >= 'a' && ch <= 'z') continue;
    EXPECT_TRUE(seen.insert(ogl_font_glyph((char)ch)).second) << ch;
  }
  EXPECT_EQ(seen.count(-1), 0u);
  for (char ch : {'\t', '\x7f', '\xe9'}) EXPECT_EQ(ogl_font_glyph(ch), -1) << ch;
  for (int e : {1, 10}) EXPECT_EQ(ogl_exponent_glyph(e), -1) << e;

  // 'L': a column on the left and a full bottom row: its first dot lies at the centre of the
  // glyph's bottom-left pixel, the last at the top of the column.
  float xy[2 * 35];
  ogl_glyph_pos l = {10, 20, ogl_font_glyph('L')};
  ASSERT_EQ(ogl_glyph_dots(&l, 1, xy), 11);
  EXPECT_EQ(xy[0], 10.5f);
  EXPECT_EQ(xy[1], 20.5f);
  EXPECT_EQ(xy[8], 14.5f);   // bottom row, rightmost column
  EXPECT_EQ(xy[21], 26.5f);  // top row
  ogl_glyph_pos space = {0, 0, ogl_font_glyph(' ')};
  EXPECT_EQ(ogl_glyph_dots(&space, 1, xy), 0);
  // Every exponent glyph has dots and stays inside the cell's top five rows.
  for (int e = 2; e <= 9; e++) {
    ogl_glyph_pos g = {0, 0, ogl_exponent_glyph(e)};
    int n = ogl_glyph_dots(&g, 1, xy);
    EXPECT_GT(n, 5) << e;
    for (int k = 0; k < n; k++) EXPECT_GE(xy[2 * k + 1], 2.5f) << e;
  }
}

TEST(RenderOglFont, WordsThatWouldPassTheWrapStartALineTenPixelsLower) {
  // "TWO" would end at 24 + 2 * 6 + 5 = 41, past 40; ending exactly on the wrap is not passing it.
  EXPECT_EQ(layout(0, 50, "ONE TWO", 40, 6), "O@0,50 N@6,50 E@12,50 T@0,40 W@6,40 O@12,40 ");
  EXPECT_EQ(layout(0, 50, "ONE TWO", 41, 6), "O@0,50 N@6,50 E@12,50 T@24,50 W@30,50 O@36,50 ");
  // A word longer than the line stays on the first line instead of leaving it empty.
  EXPECT_EQ(layout(0, 50, "LONGWORD AB", 20, 6),
            "L@0,50 O@6,50 N@12,50 G@18,50 W@24,50 O@30,50 R@36,50 D@42,50 A@0,40 B@6,40 ");
  // No wrap width, no wrapping; lower case, blanks and characters without a glyph take their cells.
  EXPECT_EQ(layout(5, 0, "ab c\xe9" "d", 0, 7), "A@5,0 B@12,0 C@26,0 D@40,0 ");
}

TEST(RenderOglFont, AtMost400CharactersAreDrawn) {
  std::string text(500, 'A');
  static ogl_glyph_pos g[OGL_TEXT_MAX];
  EXPECT_EQ(ogl_layout_string(0, 0, text.c_str(), 0, 6, g), 400);
  EXPECT_EQ(g[399].x, 399 * 6);
}

TEST(RenderOglFont, NumbersFillTheirCellsWithLeadingZerosAndAPointInTheGap) {
  EXPECT_EQ(number(3.14159f, 4, 2), "0@106,0 3@112,0 1@118,0 4@124,0 .@115,0 ");
  EXPECT_EQ(number(42.0f, 3, 0), "0@106,0 4@112,0 2@118,0 ");
  EXPECT_EQ(number(0.5f, 1, 0), "1@106,0 ");  // rounded half away from zero
  EXPECT_EQ(number(0.07f, 2, 2), "0@106,0 7@112,0 .@103,0 ");
  // The sign cell six pixels left of x: a minus, or nothing for a positive value.
  EXPECT_EQ(number(-7.0f, 1, 0, 1), "-@94,0 7@106,0 ");
  EXPECT_EQ(number(7.0f, 1, 0, 1), "7@106,0 ");
  EXPECT_EQ(number(-7.0f, 1, 0, 0), "7@106,0 ");
  // More decimals than digits cannot be placed; they are held to the digits.
  EXPECT_EQ(number(0.25f, 2, 5), "2@106,0 5@112,0 .@103,0 ");
}

TEST(RenderOglFont, NumbersTooLargeForTheirCellsShowThreeDigitsAndAnExponent) {
  EXPECT_EQ(number(12345.0f, 3, 0), "1@106,0 .@109,0 2@112,0 3@118,0 ^4@124,0 ");
  // Rounding to three digits can carry into a new power of ten.
  EXPECT_EQ(number(9995.0f, 3, 0), "1@106,0 .@109,0 0@112,0 0@118,0 ^4@124,0 ");
  EXPECT_EQ(number(999.6f, 2, 0), "1@106,0 .@109,0 0@112,0 0@118,0 ^3@124,0 ");
  EXPECT_EQ(number(-995.0f, 2, 0, 1), "-@94,0 9@106,0 .@109,0 9@112,0 5@118,0 ^2@124,0 ");
  // Decimals count towards the cells: 9.5 with one decimal needs 2 of them.
  EXPECT_EQ(number(9.5f, 1, 1), "0@106,0 .@109,0 1@112,0 0@118,0 ^2@124,0 ");
  EXPECT_EQ(number(5.0e9f, 3, 0), "5@106,0 .@109,0 0@112,0 0@118,0 ^9@124,0 ");
}

TEST(RenderOglFont, UnshowableNumbersShowDashesAndStop) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::string dashes = "-@106,0 -@112,0 -@118,0 ";
  EXPECT_EQ(number(inf, 3, 0), dashes);
  EXPECT_EQ(number(-inf, 3, 1), dashes);
  EXPECT_EQ(number(std::nanf(""), 3, 0), dashes);
  // Beyond the exponent glyphs, and values whose scaled form would not fit an integer.
  EXPECT_EQ(number(1.0e12f, 3, 0), dashes);
  EXPECT_EQ(number(3.0e38f, 18, 18).substr(0, 8), "-@106,0 ");
  // Digit counts beyond the cells a number can have are held to them.
  ogl_glyph_pos g[OGL_NUMBER_CELLS];
  EXPECT_EQ(ogl_layout_number(0, 0, 1.0f, 1000, 0, 6, 1, g), OGL_NUMBER_DIGITS_MAX);
  EXPECT_EQ(ogl_layout_number(0, 0, 1.0f, -3, -3, 6, 0, g), 5);  // the overflow form of 1
}
