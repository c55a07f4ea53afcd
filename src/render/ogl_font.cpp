// The 5 x 7 dot-matrix font of every printable ASCII character (lower case drawn as upper), the
// layout of text and fixed-format numbers, and the calls that draw them: a short string as its
// dots, a long batch of read-outs as a picture of its text.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "shared/shared.h"

struct glyph_def {
  char ch;
  unsigned char rows[OGL_GLYPH_H];  // top row first; bit 4 is the leftmost column
};

static const glyph_def font[] = {
    {'0', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b01110, 0b10001, 0b00001, 0b00110, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b01110, 0b10000, 0b11110, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00001, 0b00010, 0b00100, 0b00100, 0b00100}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b10001, 0b01111, 0b00001, 0b01110}},
    {'A', {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'B', {0b11110, 0b10001, 0b10001, 0b11110, 0b10001, 0b10001, 0b11110}},
    {'C', {0b01110, 0b10001, 0b10000, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'D', {0b11110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b11110}},
    {'E', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111}},
    {'F', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'G', {0b01110, 0b10001, 0b10000, 0b10000, 0b10011, 0b10001, 0b01111}},
    {'H', {0b10001, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'I', {0b01110, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'J', {0b00001, 0b00001, 0b00001, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'L', {0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111}},
    {'M', {0b10001, 0b11011, 0b10101, 0b10001, 0b10001, 0b10001, 0b10001}},
    {'N', {0b10001, 0b11001, 0b10101, 0b10011, 0b10001, 0b10001, 0b10001}},
    {'O', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'P', {0b11110, 0b10001, 0b10001, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'Q', {0b01110, 0b10001, 0b10001, 0b10001, 0b10101, 0b10011, 0b01111}},
    {'R', {0b11110, 0b10001, 0b10001, 0b11110, 0b10001, 0b10001, 0b10001}},
    {'S', {0b01110, 0b10001, 0b10000, 0b01110, 0b00001, 0b10001, 0b01110}},
    {'T', {0b11111, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'U', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'V', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'W', {0b10001, 0b10001, 0b10001, 0b10001, 0b10101, 0b11011, 0b10001}},
    {'X', {0b10001, 0b01010, 0b00100, 0b00100, 0b00100, 0b01010, 0b10001}},
    {'Y', {0b10001, 0b10001, 0b01010, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'Z', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b11111}},
    {' ', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'\'', {0b00100, 0b00100, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'/', {0b00001, 0b00001, 0b00010, 0b00010, 0b00100, 0b00100, 0b01000}},
    {':', {0b00000, 0b00000, 0b00100, 0b00000, 0b00000, 0b00000, 0b00100}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00100}},
    {',', {0b00000, 0b00000, 0b00000, 0b00000, 0b00100, 0b00100, 0b01000}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'+', {0b00000, 0b00100, 0b00100, 0b11111, 0b00100, 0b00100, 0b00000}},
    {'^', {0b00100, 0b01010, 0b10001, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'!', {0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00000, 0b00100}},
    {'(', {0b00100, 0b01000, 0b10000, 0b10000, 0b10000, 0b01000, 0b00100}},
    {')', {0b00100, 0b00010, 0b00001, 0b00001, 0b00001, 0b00010, 0b00100}},
    {'=', {0b00000, 0b00000, 0b11110, 0b00000, 0b11110, 0b00000, 0b00000}},
    {'_', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b11111}},
    {'?', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b00000, 0b00100}},
    {'"', {0b01010, 0b01010, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'#', {0b01010, 0b01010, 0b11111, 0b01010, 0b11111, 0b01010, 0b01010}},
    {'$', {0b00100, 0b01111, 0b10100, 0b01110, 0b00101, 0b11110, 0b00100}},
    {'%', {0b11000, 0b11001, 0b00010, 0b00100, 0b01000, 0b10011, 0b00011}},
    {'&', {0b01100, 0b10010, 0b10100, 0b01000, 0b10101, 0b10010, 0b01101}},
    {'*', {0b00000, 0b00100, 0b10101, 0b01110, 0b10101, 0b00100, 0b00000}},
    {';', {0b00000, 0b00000, 0b00100, 0b00000, 0b00100, 0b00100, 0b01000}},
    {'<', {0b00010, 0b00100, 0b01000, 0b10000, 0b01000, 0b00100, 0b00010}},
    {'>', {0b01000, 0b00100, 0b00010, 0b00001, 0b00010, 0b00100, 0b01000}},
    {'@', {0b01110, 0b10001, 0b10111, 0b10101, 0b10111, 0b10000, 0b01110}},
    {'[', {0b01110, 0b01000, 0b01000, 0b01000, 0b01000, 0b01000, 0b01110}},
    {'\\', {0b10000, 0b10000, 0b01000, 0b01000, 0b00100, 0b00100, 0b00010}},
    {']', {0b01110, 0b00010, 0b00010, 0b00010, 0b00010, 0b00010, 0b01110}},
    {'`', {0b01000, 0b00100, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'{', {0b00010, 0b00100, 0b00100, 0b01000, 0b00100, 0b00100, 0b00010}},
    {'|', {0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'}', {0b01000, 0b00100, 0b00100, 0b00010, 0b00100, 0b00100, 0b01000}},
    {'~', {0b00000, 0b00000, 0b01000, 0b10101, 0b00010, 0b00000, 0b00000}},
};
enum { FONT_GLYPHS = sizeof font / sizeof font[0] };

// Small digits 2..9 for the exponent of a number too large for its cells: three columns by five
// rows in the top of the cell, so they stand raised beside the mantissa.
static const unsigned char exponent_rows[8][OGL_GLYPH_H] = {
    {0b11100, 0b00100, 0b11100, 0b10000, 0b11100, 0, 0},  // 2
    {0b11100, 0b00100, 0b01100, 0b00100, 0b11100, 0, 0},  // 3
    {0b10100, 0b10100, 0b11100, 0b00100, 0b00100, 0, 0},  // 4
    {0b11100, 0b10000, 0b11100, 0b00100, 0b11100, 0, 0},  // 5
    {0b11100, 0b10000, 0b11100, 0b10100, 0b11100, 0, 0},  // 6
    {0b11100, 0b00100, 0b00100, 0b01000, 0b01000, 0, 0},  // 7
    {0b11100, 0b10100, 0b11100, 0b10100, 0b11100, 0, 0},  // 8
    {0b11100, 0b10100, 0b11100, 0b00100, 0b11100, 0, 0},  // 9
};

int ogl_font_glyph(char ch) {
  if (ch >= 'a' && ch <= 'z') ch = (char)(ch - 'a' + 'A');
  for (int g = 0; g < FONT_GLYPHS; g++)
    if (font[g].ch == ch) return g;
  return -1;
}

int ogl_exponent_glyph(int e) { return intrange(e, 2, 9) ? FONT_GLYPHS + e - 2 : -1; }

// The seven rows of glyph g, top row first; bit 4 is the leftmost column.
static const unsigned char* ogl_glyph_rows(int g) {
  if (intrange(g, 0, FONT_GLYPHS - 1)) return font[g].rows;
  if (intrange(g, FONT_GLYPHS, FONT_GLYPHS + 7)) return exponent_rows[g - FONT_GLYPHS];
  return nullptr;
}

int ogl_glyph_dots(const ogl_glyph_pos* g, int n, float* xy) {
  int dots = 0;
  for (int k = 0; k < n; k++) {
    const unsigned char* rows = ogl_glyph_rows(g[k].glyph);
    if (!rows) continue;
    for (int j = 0; j < OGL_GLYPH_H; j++) {
      unsigned char bits = rows[OGL_GLYPH_H - 1 - j];  // j counts up from the bottom row
      for (int i = 0; i < OGL_GLYPH_W; i++) {
        if (!(bits & (0x10 >> i))) continue;
        xy[2 * dots] = g[k].x + i + 0.5f;
        xy[2 * dots + 1] = g[k].y + j + 0.5f;
        dots++;
      }
    }
  }
  return dots;
}

// ---- Layout ----------------------------------------------------------------------------------

static int text_length(const char* text) {
  int n = 0;
  while (n < OGL_TEXT_MAX && text[n]) n++;
  return n;
}

int ogl_layout_string(int x, int y, const char* text, int wrap, int spacing, ogl_glyph_pos* out) {
  if (!text) return 0;
  const int len = text_length(text);
  const int x0 = x;
  int placed = 0;
  for (int i = 0; i < len; i++) {
    if (text[i] != ' ' && (i == 0 || text[i - 1] == ' ')) {
      int word = 0;
      while (i + word < len && text[i + word] != ' ') word++;
      int end = x + (word - 1) * spacing + OGL_GLYPH_W;
      // A word that does not fit even on a line of its own stays where it is: breaking before it
      // would only leave an empty line.
      if (wrap > 0 && x != x0 && end > x0 + wrap) {
        x = x0;
        y -= 10;
      }
    }
    int g = ogl_font_glyph(text[i]);
    if (g >= 0 && text[i] != ' ') out[placed++] = {x, y, g};
    x += spacing;
  }
  return placed;
}

// Cell k (1 = the first digit) of a number at x.
static int cell_x(int x, int k, int spacing) { return x + k * spacing; }

// The point drawn in the gap after digit cell k: half a cell further on.
static int point_x(int x, int k, int spacing) { return x + (2 * k + 1) * spacing / 2; }

static int place(ogl_glyph_pos* out, int n, int x, int y, char ch) {
  out[n] = {x, y, ogl_font_glyph(ch)};
  return n + 1;
}

int ogl_layout_number(int x, int y, float value, int digits, int decimals, int spacing, int sign,
                      ogl_glyph_pos* out) {
  digits = intlim(digits, 0, OGL_NUMBER_DIGITS_MAX);
  decimals = intlim(decimals, 0, digits);
  int n = 0;
  if (sign && value < 0) n = place(out, n, x - 6, y, '-');

  if (!std::isfinite(value)) {
    for (int k = 1; k <= digits; k++) n = place(out, n, cell_x(x, k, spacing), y, '-');
    return n;
  }

  // In double precision 10^digits and the scaled value stay exact enough to compare, and a
  // value too large for an int can never reach the conversion below.
  double a = std::fabs((double)value);
  double scaled = std::floor(a * std::pow(10.0, decimals) + 0.5);
  if (scaled < std::pow(10.0, digits)) {
    char cells[OGL_NUMBER_DIGITS_MAX + 1];
    long long v = (long long)scaled;
    for (int k = digits; k >= 1; k--) {
      cells[k] = (char)('0' + v % 10);
      v /= 10;
    }
    for (int k = 1; k <= digits; k++) n = place(out, n, cell_x(x, k, spacing), y, cells[k]);
    if (decimals > 0) n = place(out, n, point_x(x, digits - decimals, spacing), y, '.');
    return n;
  }

  // Too large for the cells: three significant digits d.dd and the power of ten.
  int e = 2;
  while (a >= 999.0) {
    a /= 10.0;
    e++;
  }
  if (ogl_exponent_glyph(e) < 0) {
    for (int k = 1; k <= intmax2(digits, 3); k++) n = place(out, n, cell_x(x, k, spacing), y, '-');
    return n;
  }
  int m = (int)std::floor(a + 0.5);
  n = place(out, n, cell_x(x, 1, spacing), y, (char)('0' + m / 100));
  n = place(out, n, point_x(x, 1, spacing), y, '.');
  n = place(out, n, cell_x(x, 2, spacing), y, (char)('0' + m / 10 % 10));
  n = place(out, n, cell_x(x, 3, spacing), y, (char)('0' + m % 10));
  out[n++] = {cell_x(x, 4, spacing), y, ogl_exponent_glyph(e)};
  return n;
}

// ---- Drawing ---------------------------------------------------------------------------------

// A long batch reaches the back end as a picture of its text made for the draw, in window pixels,
// and one quad per run of glyphs along a line (a string and its near neighbours): the software
// renderer pays for every small triangle it sets up, and a quad per glyph made the ten groups of
// the on-screen data list some 560 of them (90 now). Runs are packed into shelves of a square
// picture; a batch that overflows it is drawn a picture at a time.
enum { TEXT_PICTURE_SIDE = 512, RUN_GAP_GLYPHS = 2, FAR_OUTSIDE = 1 << 20 };

struct pixel_box {
  int x0, y0, x1, y1;  // window pixels; x1 and y1 are the first beyond
};

// The picture being filled, the run of glyphs being lit into it, and the quads of the runs done.
static struct {
  std::vector<unsigned char> alpha =
      std::vector<unsigned char>(static_cast<size_t>(TEXT_PICTURE_SIDE) * TEXT_PICTURE_SIDE);
  std::vector<float> xy, st;
  pixel_box run;
  bool in_run;
  int slot_x, slot_y;             // where the run's pixels go in the picture
  int shelf_x, shelf_y, shelf_h;  // the free place on the shelf being filled
} pic;

// The run's quad: its window pixels and its slot in the picture (t in pixels until the picture's
// height is known).
static void end_run() {
  if (!pic.in_run) return;
  pic.in_run = false;
  const pixel_box& r = pic.run;
  pic.shelf_x = pic.slot_x + r.x1 - r.x0;
  const float x0 = static_cast<float>(r.x0), x1 = static_cast<float>(r.x1);
  const float y0 = static_cast<float>(r.y0), y1 = static_cast<float>(r.y1);
  const float s0 = static_cast<float>(pic.slot_x) / TEXT_PICTURE_SIDE;
  const float s1 = static_cast<float>(pic.shelf_x) / TEXT_PICTURE_SIDE;
  const float t0 = static_cast<float>(pic.slot_y),
              t1 = static_cast<float>(pic.slot_y + r.y1 - r.y0);
  const float corners[8] = {x0, y0, x0, y1, x1, y1, x1, y0};
  const float picture[8] = {s0, t0, s0, t1, s1, t1, s1, t0};
  pic.xy.insert(pic.xy.end(), corners, corners + 8);
  pic.st.insert(pic.st.end(), picture, picture + 8);
}

// Draws what the picture holds and empties it.
static void draw_picture() {
  end_run();
  if (!pic.xy.empty()) {
    // Only the shelves in use go to the back end, in a height it takes (a power of two).
    const int used = pic.shelf_y + pic.shelf_h;
    int h = 1;
    while (h < used) h *= 2;
    for (size_t k = 0; k < pic.st.size(); k += 2) pic.st[k + 1] /= static_cast<float>(h);
    ogl_be_glyphs(pic.xy.data(), pic.st.data(), static_cast<int>(pic.xy.size() / 2),
                  pic.alpha.data(), TEXT_PICTURE_SIDE, h);
    std::fill(pic.alpha.begin(), pic.alpha.begin() + static_cast<long>(used) * TEXT_PICTURE_SIDE,
              0);
  }
  pic.xy.clear();
  pic.st.clear();
  pic.slot_x = pic.shelf_x = pic.shelf_y = pic.shelf_h = 0;
}

// A glyph joins the run on its line when it begins at most two glyphs' widths past the run's end
// (the next field of a row of read-outs) and the run's slot still has room for it.
static bool joins_run(const pixel_box& b) {
  const pixel_box& r = pic.run;
  const int gap = RUN_GAP_GLYPHS * (b.x1 - b.x0);
  return pic.in_run && b.y0 == r.y0 && b.y1 == r.y1 && b.x0 >= r.x0 && b.x0 <= r.x1 + gap &&
         pic.slot_x + intmax2(r.x1, b.x1) - r.x0 <= TEXT_PICTURE_SIDE;
}

// A new run from glyph box b, on the shelf being filled, on the next, or in a new picture.
static void start_run(const pixel_box& b) {
  end_run();
  const int w = b.x1 - b.x0, h = b.y1 - b.y0;
  if (pic.shelf_x + w > TEXT_PICTURE_SIDE) {
    pic.shelf_y += pic.shelf_h;
    pic.shelf_x = pic.shelf_h = 0;
  }
  if (pic.shelf_y + h > TEXT_PICTURE_SIDE) draw_picture();
  pic.slot_x = pic.shelf_x;
  pic.slot_y = pic.shelf_y;
  pic.shelf_h = intmax2(pic.shelf_h, h);
  pic.run = b;
  pic.in_run = true;
}

// Lights glyph g into the picture, the pixels its dots light: each run of dots along a row is the
// block of pixels of its coordinates, at least one pixel each way.
static void add_to_picture(const ogl_glyph_pos& g) {
  const unsigned char* rows = ogl_glyph_rows(g.glyph);
  // Even at the smallest scale a glyph this far out lies beyond the largest window, and nearer
  // ones keep their pixel sums far inside an int.
  if (!rows || std::abs(g.x) > FAR_OUTSIDE || std::abs(g.y) > FAR_OUTSIDE) return;
  int xs[OGL_GLYPH_W + 1], ys[OGL_GLYPH_H + 1];
  for (int i = 0; i <= OGL_GLYPH_W; i++) xs[i] = ogl_edge_x(g.x + i);
  for (int j = 0; j <= OGL_GLYPH_H; j++) ys[j] = ogl_edge_y(g.y + j);
  const pixel_box b = {xs[0], ys[0], intmax2(xs[OGL_GLYPH_W], xs[OGL_GLYPH_W - 1] + 1),
                       intmax2(ys[OGL_GLYPH_H], ys[OGL_GLYPH_H - 1] + 1)};
  if (!joins_run(b)) start_run(b);
  pic.run.x1 = intmax2(pic.run.x1, b.x1);
  for (int j = 0; j < OGL_GLYPH_H; j++) {
    const unsigned char bits = rows[OGL_GLYPH_H - 1 - j];  // j counts up from the bottom row
    const int y1 = intmax2(ys[j + 1], ys[j] + 1);
    for (int i = 0; i < OGL_GLYPH_W;) {
      int k = 0;
      while (i + k < OGL_GLYPH_W && (bits & (0x10 >> (i + k)))) k++;
      if (k == 0) {
        i++;
        continue;
      }
      const int x0 = xs[i] - pic.run.x0 + pic.slot_x,
                x1 = intmax2(xs[i + k], xs[i] + 1) - pic.run.x0 + pic.slot_x;
      for (int y = ys[j]; y < y1; y++)
        std::fill_n(&pic.alpha[(pic.slot_y + y - pic.run.y0) * TEXT_PICTURE_SIDE + x0], x1 - x0,
                    255);
      i += k;
    }
  }
}

// A draw of a picture switches texturing in and out around it, which costs more than the dots of
// a short string: the picture pays from a few dozen glyphs in one draw on (a batch of read-outs),
// dots below that (a panel's label).
enum { PICTURE_FROM_GLYPHS = 32 };

// Draws placed glyphs in the current colour.
static void draw_glyphs(const ogl_glyph_pos* g, int n) {
  if (n <= 0) return;
  if (n >= PICTURE_FROM_GLYPHS) {
    // All in one colour, the glyphs may be lit in any order: line by line, left to right, each
    // line's strings join into runs even where they were drawn by columns (a label over its unit).
    static std::vector<ogl_glyph_pos> lines;
    lines.assign(g, g + n);
    std::sort(lines.begin(), lines.end(), [](const ogl_glyph_pos& a, const ogl_glyph_pos& b) {
      return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    for (const ogl_glyph_pos& p : lines) add_to_picture(p);
    draw_picture();
    return;
  }
  static std::vector<float> xy;
  xy.resize(2 * OGL_GLYPH_W * OGL_GLYPH_H * static_cast<size_t>(n));
  ogl_draw_dot_blocks(xy.data(), ogl_glyph_dots(g, n, xy.data()));
}

// Text between OGL_text_batch(1) and OGL_text_batch(0) reaches the back end as one draw for each
// stretch of one colour, not one per string: the software renderer spends more on a draw than on
// the few glyphs of a short read-out, and a screen of read-outs is a hundred of them.
static int batching;
static int batch_colour;
static std::vector<ogl_glyph_pos> batch;

static void flush_batch() {
  if (!batch.empty()) {
    OGL_setcolor(batch_colour);
    draw_glyphs(batch.data(), static_cast<int>(batch.size()));
  }
  batch.clear();
}

static void draw_placed(int c, const ogl_glyph_pos* g, int n) {
  if (n <= 0) return;
  if (!batching) {
    OGL_setcolor(c);
    draw_glyphs(g, n);
    return;
  }
  if (c != batch_colour) flush_batch();
  batch_colour = c;
  batch.insert(batch.end(), g, g + n);
}

void OGL_text_batch(int on) {
  if (!on) flush_batch();
  batching = on;
}

void OGL_char(int x, int y, char ch) {
  ogl_glyph_pos g = {x, y, ogl_font_glyph(ch)};
  draw_glyphs(&g, 1);
  ogl_touched(x, y, OGL_GLYPH_W, OGL_GLYPH_H);
}

// Grows the rectangle x1..x2, y1..y2 (inclusive) to take in a glyph cell.
static void take_in(int* x1, int* y1, int* x2, int* y2, int x, int y) {
  *x1 = intmin2(*x1, x);
  *y1 = intmin2(*y1, y);
  *x2 = intmax2(*x2, x + OGL_GLYPH_W - 1);
  *y2 = intmax2(*y2, y + OGL_GLYPH_H - 1);
}

void OGL_string(int c, int x, int y, const char* text, int wrap, int background, int spacing) {
  static ogl_glyph_pos placed[OGL_TEXT_MAX];
  if (!text || !*text) return;
  const int len = text_length(text);
  int x1 = x, y1 = y, x2 = x, y2 = y;
  if (background) {
    flush_batch();  // text drawn before stays under this box
    int w = (len - 1) * spacing + OGL_GLYPH_W;
    OGL_fillrect(OGL_BACKGROUND_COLOR, x, y, w, OGL_GLYPH_H);
    take_in(&x1, &y1, &x2, &y2, x + w - OGL_GLYPH_W, y);
  }
  int n = ogl_layout_string(x, y, text, wrap, spacing, placed);
  for (int k = 0; k < n; k++) take_in(&x1, &y1, &x2, &y2, placed[k].x, placed[k].y);
  draw_placed(c, placed, n);
  ogl_touched(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
}

void OGL_number(int c, int x, int y, float value, int digits, int decimals, int spacing, int sign,
                int background) {
  ogl_glyph_pos placed[OGL_NUMBER_CELLS];
  int n = ogl_layout_number(x, y, value, digits, decimals, spacing, sign, placed);
  // The cells a number occupies: the sign cell, then the digit cells (or whatever the overflow
  // form or the dashes placed beyond them).
  int x1 = sign ? x - 6 : x, y1 = y;
  int x2 = cell_x(x, intlim(digits, 0, OGL_NUMBER_DIGITS_MAX), spacing) + OGL_GLYPH_W - 1;
  int y2 = y + OGL_GLYPH_H - 1;
  for (int k = 0; k < n; k++) take_in(&x1, &y1, &x2, &y2, placed[k].x, placed[k].y);
  if (background) {
    flush_batch();
    OGL_fillrect(OGL_BACKGROUND_COLOR, x1, y1, x2 - x1 + 1, y2 - y1 + 1);
  }
  draw_placed(c, placed, n);
  ogl_touched(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
}
