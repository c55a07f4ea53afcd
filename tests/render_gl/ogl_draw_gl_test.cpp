// The 2-D primitives and the font drawn by Mesa into a window's off-screen picture, pixel by
// pixel.
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "render/ogl.h"
#include "render_gl/gl_harness.h"

class RenderGlDraw : public GlTest {
 protected:
  static void clear() { OGL_fillrect(25, 0, 0, GL_TEST_W, GL_TEST_H); }
};

static const int WHITE = 1;  // palette colour 1 is white

TEST_F(RenderGlDraw, LinesLeaveOutTheFarEndAndIgnoreArgumentOrder) {
  OGL_line(WHITE, 2, 2, 8, 2);
  OGL_line(WHITE, 8, 4, 2, 4);    // backwards: the same columns
  OGL_line(WHITE, 10, 1, 10, 5);  // upwards: rows 1..4
  EXPECT_EQ(gl_picture(0, 0, 12, 6),
            "............\n"
            "..######..#.\n"
            "..........#.\n"
            "..######..#.\n"
            "..........#.\n"
            "............\n");
  clear();
  OGL_line(WHITE, 1, 1, 3, 7);  // steep, drawn upwards
  const std::string up = gl_picture(0, 0, 6, 9);
  EXPECT_EQ(up,
            "......\n"
            "......\n"
            "...#..\n"
            "..#...\n"
            "..#...\n"
            "..#...\n"
            ".#....\n"
            ".#....\n"
            "......\n");
  clear();
  OGL_line(WHITE, 3, 7, 1, 1);
  EXPECT_EQ(gl_picture(0, 0, 6, 9), up);
}

TEST_F(RenderGlDraw, RectanglesFillAndFrameExactlyTheirPixels) {
  OGL_fillrect(WHITE, 1, 1, 4, 3);
  OGL_framerect(WHITE, 7, 1, 5, 4);
  OGL_framerect(WHITE, 14, 1, 3, 1);  // one row high
  OGL_framerect(WHITE, 14, 3, 1, 2);  // one column wide
  OGL_fillrect(WHITE, 18, 1, 0, 3);   // empty
  OGL_framerect(WHITE, 18, 1, 2, -1);
  EXPECT_EQ(gl_picture(0, 0, 20, 6),
            "....................\n"
            ".......#####..#.....\n"
            ".####..#...#..#.....\n"
            ".####..#...#........\n"
            ".####..#####..###...\n"
            "....................\n");
}

TEST_F(RenderGlDraw, CirclesAreDrawnRowByRow) {
  OGL_fillcircle(WHITE, 4, 4, 3);
  OGL_framecircle(WHITE, 14, 5, 4);
  EXPECT_EQ(gl_picture(0, 0, 20, 11),
            "....................\n"
            "..............#.....\n"
            "............##.##...\n"
            "....#......#.....#..\n"
            "..#####....#.....#..\n"
            "..#####...#.......#.\n"
            ".#######...#.....#..\n"
            "..#####....#.....#..\n"
            "..#####.....##.##...\n"
            "....#.........#.....\n"
            "....................\n");
}

TEST_F(RenderGlDraw, ArcsSweepClockwiseFromStraightUp) {
  OGL_arc(WHITE, 50, 50, 8, 10, 0, 90);
  // Mid-ring from straight up round to nearly right; left of the sector, inside the ring and
  // beyond its outer radius.
  const int in[][2] = {{50, 59}, {52, 59}, {56, 56}, {59, 52}},
            out[][2] = {{41, 50}, {50, 50}, {50, 64}};
  for (const auto& p : in) EXPECT_EQ(gl_pixel(p[0], p[1]), 0xffffffu) << p[0] << "," << p[1];
  for (const auto& p : out) EXPECT_EQ(gl_pixel(p[0], p[1]), 0u) << p[0] << "," << p[1];
}

TEST_F(RenderGlDraw, SceneColoursFollowTheLightAndInterfaceColoursDoNot) {
  ogl_light_rat[0] = 0.0f;
  ogl_light_rat[1] = 1.0f;
  ogl_light_rat[2] = 0.0f;
  OGL_fillrect(WHITE, 0, 0, 2, 2);  // white is a scene colour
  OGL_fillrect(36, 4, 0, 2, 2);     // interface white
  EXPECT_EQ(gl_pixel(1, 1), 0x00ff00u);
  EXPECT_EQ(gl_pixel(5, 1), 0xffffffu);
}

TEST_F(RenderGlDraw, AGlyphIsItsTableOfDotsWhicheverCase) {
  OGL_setcolor(WHITE);
  OGL_char(1, 1, 'R');
  OGL_char(8, 1, 'r');
  OGL_char(15, 1, '\xe9');  // no glyph: nothing
  EXPECT_EQ(gl_picture(0, 0, 21, 9),
            ".....................\n"
            ".####...####.........\n"
            ".#...#..#...#........\n"
            ".#...#..#...#........\n"
            ".####...####.........\n"
            ".#...#..#...#........\n"
            ".#...#..#...#........\n"
            ".#...#..#...#........\n"
            ".....................\n");
}

// Glyph c at (x, y): in the batch as a one-character string, or alone as its dots.
static void glyph(int batched, int x, int y, char c) {
  const char one[2] = {c, 0};
  if (batched)
    OGL_string(WHITE, x, y, one, 0, 0, 6);
  else
    OGL_char(x, y, c);
}

// A batch long enough to be drawn as a picture of its text lights exactly the pixels of its
// glyphs drawn one by one as dots, at whole and fractional scales (a full-HD screen's among them,
// and those of a window smaller than its drawing), and leaves the texture that was bound, texturing
// and the alpha test as it found them.
TEST_F(RenderGlDraw, ABatchDrawnAsAPictureLightsThePixelsOfItsDots) {
  static const char* const rows[] = {"ABCDEFGHIJKL", "MNOPQRSTUVWX", "YZ0123456789",
                                     "+-/:.,()'=!_"};
  for (float scale : {1.0f, 1.5f, 1080.0f / 580.0f, 2.0f, 0.5f, 0.7f}) {
    OGL_set_mapping(ogl_mapping{scale, 0, 0, 80, 50, GL_TEST_W, GL_TEST_H});
    std::string picture[2];
    for (int batched = 0; batched < 2; batched++) {
      clear();
      OGL_bindtex(3);
      OGL_setstate(0, 0, batched, 0);
      OGL_text_batch(batched);
      OGL_setcolor(WHITE);
      for (int r = 0; r < 4; r++)
        for (int k = 0; k < 12; k++) glyph(batched, 6 * k, 10 * r, rows[r][k]);
      OGL_text_batch(0);
      EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), batched);
      OGL_setstate(0, 0, 0, 0);
      picture[batched] = gl_picture(0, 0, GL_TEST_W, GL_TEST_H);
    }
    EXPECT_EQ(picture[1], picture[0]) << scale;
    EXPECT_GT(std::count(picture[0].begin(), picture[0].end(), '#'), 48 * 8) << scale;
  }
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 4);
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
}

// At two pixels a coordinate a line of fifty glyphs is wider than a text picture, and forty lines
// fill three pictures: the window, moved to where runs split and pictures follow one another,
// shows the same pixels as the glyphs drawn one by one.
TEST_F(RenderGlDraw, ABatchTooBigForOnePictureIsDrawnAPictureAtATime) {
  const ogl_mapping unit = OGL_mapping();
  std::string line;
  for (int k = 0; k < 5; k++) line += "0123456789";
  std::string picture[2];
  for (int batched = 0; batched < 2; batched++) {
    OGL_set_mapping(unit);
    clear();
    OGL_set_mapping(ogl_mapping{2.0f, -440, 0, 80, 50, GL_TEST_W, GL_TEST_H});
    OGL_text_batch(batched);
    OGL_setcolor(WHITE);
    for (int r = 0; r < 40; r++)
      for (int k = 0; k < 50; k++) glyph(batched, 6 * k, 10 * (39 - r), line[k]);
    for (int far : {1 << 30, -(1 << 30)})  // beyond any window: nothing, and no overflow
      for (int k = 0; k < 50; k++) glyph(batched, far + 6 * k, far, line[k]);
    OGL_text_batch(0);
    picture[batched] = gl_picture(0, 0, GL_TEST_W, GL_TEST_H);
  }
  OGL_set_mapping(unit);
  EXPECT_EQ(picture[1], picture[0]);
  EXPECT_GT(std::count(picture[0].begin(), picture[0].end(), '#'), 5 * 12 * 40);
}

// Batched read-outs keep each string's colour, and a box drawn behind a later string covers the
// batched text before it, as it would unbatched.
TEST_F(RenderGlDraw, BatchedTextKeepsEachColourAndLiesUnderALaterBox) {
  OGL_assigncolor(25, 0.0f, 0.0f, 1.0f);
  OGL_text_batch(1);
  OGL_string(25, 7, 1, "I", 0, 0, 6);
  OGL_string(WHITE, 13, 1, "1", 0, 0, 6);
  OGL_string(WHITE, 1, 1, "I", 0, 0, 6);
  OGL_string(WHITE, 1, 1, " ", 0, 1, 6);  // its box hides the white I still waiting to be drawn
  OGL_text_batch(0);
  EXPECT_EQ(gl_picture(0, 0, 19, 9),
            "...................\n"
            ".+++++..+++....#...\n"
            ".+++++...+....##...\n"
            ".+++++...+.....#...\n"
            ".+++++...+.....#...\n"
            ".+++++...+.....#...\n"
            ".+++++...+.....#...\n"
            ".+++++..+++....#...\n"
            "...................\n");
}

TEST_F(RenderGlDraw, StringsWrapBeforeAWordThatWouldPassTheWidthOnTheirBackground) {
  OGL_assigncolor(25, 0.0f, 0.0f, 1.0f);  // a background that shows against black
  OGL_string(WHITE, 1, 11, "I: L", 12, 1, 6);
  // "L" would end at 19 + 5 > 1 + 12, so it moves 10 rows down, off the one-line background.
  EXPECT_EQ(gl_picture(0, 0, 21, 19),
            ".....................\n"
            ".+###++++++++++++++++\n"
            ".++#+++++++++++++++++\n"
            ".++#+++++#+++++++++++\n"
            ".++#+++++++++++++++++\n"
            ".++#+++++++++++++++++\n"
            ".++#+++++++++++++++++\n"
            ".+###++++#+++++++++++\n"
            ".....................\n"
            ".....................\n"
            ".....................\n"
            ".#...................\n"
            ".#...................\n"
            ".#...................\n"
            ".#...................\n"
            ".#...................\n"
            ".#...................\n"
            ".#####...............\n"
            ".....................\n");
}

TEST_F(RenderGlDraw, NumbersTooLargeShowTheOverflowForm) {
  OGL_number(WHITE, 10, 1, 12345.0f, 3, 0, 6, 0, 0);
  // "1", the point in the gap after it, "2", "3" and the small exponent 4.
  // clang-format off
  EXPECT_EQ(gl_picture(16, 1, 21, 7),
            "..#..." ".###." "." ".###." "." "#.#\n"
            ".##..." "#...#" "." "#...#" "." "#.#\n"
            "..#..." "....#" "." "....#" "." "###\n"
            "..#..." "...#." "." "..##." "." "..#\n"
            "..#..." "..#.." "." "....#" "." "..#\n"
            "..#..." ".#..." "." "#...#" "." "...\n"
            "..#..#" "#####" "." ".###." "." "...\n");
  // clang-format on
  // With a sign cell and a background: the minus six pixels left of x.
  OGL_assigncolor(25, 0.0f, 0.0f, 1.0f);
  OGL_number(WHITE, 10, 20, -5.0f, 1, 0, 6, 1, 1);
  EXPECT_EQ(gl_picture(3, 20, 19, 7),
            ".++++++++++++#####.\n"
            ".++++++++++++#++++.\n"
            ".++++++++++++####+.\n"
            ".#####+++++++++++#.\n"
            ".++++++++++++++++#.\n"
            ".++++++++++++#+++#.\n"
            ".+++++++++++++###+.\n");
}

// Under a mapping every dot of a glyph is a solid block placed from the drawing's origin, a
// rectangle covers exactly the blocks of its cells, and the margins beside the drawing reach the
// window's edges.
TEST_F(RenderGlDraw, UnderAMappingTextAndRectanglesAreSolidBlocksFromTheDrawingsOrigin) {
  OGL_set_mapping(ogl_mapping{2.0f, 3, 1, 10, 10, 30, 24});
  OGL_setcolor(WHITE);
  OGL_char(0, 0, 'L');
  std::string want;
  auto rows = [&want](int n, const char* row) {
    for (int k = 0; k < n; k++) want += std::string(row) + "\n";
  };
  rows(2, "................");
  rows(12, "...##...........");  // the stem, six dots high
  rows(2, "...##########...");   // the foot, five dots wide
  rows(1, "................");
  EXPECT_EQ(gl_picture(0, 0, 16, 17), want);

  // At one and a half pixels a coordinate the blocks are one or two pixels, wherever the edges
  // round: the stem's column 0..1, the foot's edges at 0, 2, 3, 5, 6, 8 and the rows at 0, 2, 11.
  OGL_set_mapping(ogl_mapping{1.0f, 0, 0, 0, 0, 0, 0});
  clear();
  OGL_set_mapping(ogl_mapping{1.5f, 0, 0, 10, 4, 30, 24});
  OGL_setcolor(WHITE);
  OGL_char(0, 0, 'L');
  want.clear();
  rows(1, "..........");
  rows(9, "##........");
  rows(2, "########..");
  EXPECT_EQ(gl_picture(0, 0, 10, 12), want);

  OGL_set_mapping(ogl_mapping{1.0f, 0, 0, 0, 0, 0, 0});
  clear();
  OGL_set_mapping(ogl_mapping{1.5f, 4, 0, 10, 4, 30, 24});
  OGL_fillrect(WHITE, 1, 1, 2, 1);  // columns 6..8 of row 2
  OGL_fill_margins(WHITE, 3, 1);    // row 5 left of column 4 and from column 19 on
  const int white[][2] = {{6, 2}, {8, 2}, {0, 5}, {3, 5}, {19, 5}, {29, 5}};
  const int black[][2] = {{5, 2}, {9, 2}, {7, 1}, {7, 3}, {4, 5}, {18, 5}, {30, 5}, {0, 4}};
  for (const auto& p : white) EXPECT_EQ(gl_pixel(p[0], p[1]), 0xffffffu) << p[0] << "," << p[1];
  for (const auto& p : black) EXPECT_EQ(gl_pixel(p[0], p[1]), 0u) << p[0] << "," << p[1];
}
