// The drawing seam: every OGL_ call of both programs (palette, 2-D primitives in window pixels, the
// dot-matrix font, the 3-D quads, texture and bitmap loading, presenting), the drawing layer's
// state, and the hooks each platform back end implements underneath it.
#pragma once

// ---- Sizes and codes -------------------------------------------------------------------------

enum {
  OGL_COLORS = 70,            // colour numbers 0..69
  OGL_SCENE_COLORS = 36,      // colours below this are scaled by the scene light ratios
  OGL_TEXTURES = 60,          // texture numbers 0..59
  OGL_BMP_MAX = 1024,         // largest bitmap side, pixels
  OGL_TEXT_MAX = 400,         // characters drawn by one OGL_string at most
  OGL_BACKGROUND_COLOR = 25,  // box behind text and numbers drawn with a background
};

// Kinds of OGL_texbmp: what the bitmap becomes and where its file is.
enum {
  BMP_TEXTURE = 68,       // scenery texture from the textures folder
  BMP_TEXTURE_PATH = 69,  // texture from a full path
  BMP_SCREEN = 70,        // picture from the bitmaps folder, drawn into the window
  BMP_PANEL = 71,         // custom cockpit panel from a full path, drawn into the window
};

// Treatment of a texture (the b argument of OGL_texbmp for the texture kinds).
enum {
  TEX_TERRAIN = 72,  // square terrain or water: mipmapped
  TEX_CLAMP = 73,    // coordinates clamp at the edges instead of repeating
  TEX_CUTOUT = 74,   // pure black is transparent
  TEX_CUTOUT2 = 75,  // pure black is transparent
};

// Size a custom cockpit panel must have.
enum { PANEL_BMP_W = 800, PANEL_BMP_H = 333 };

// ---- State (lifetime: program) ---------------------------------------------------------------

extern float col_rgb[OGL_COLORS][3];  // palette: red, green, blue 0..1 per colour number
extern int ogl_will_be_blitted;       // 1 while a whole frame is drawn to be presented at once
extern int ogl_res;                   // texture resolution level 1..5, default 2
extern int ogl_trees;                 // view option: draw trees
extern int ogl_fscene;                // view option: draw the full scene
extern int tex_used[OGL_TEXTURES];    // texture bound since the memory count last cleared it
extern int tex_size[OGL_TEXTURES];    // bytes held by each texture, all mipmap levels included
// Scene light ratios, red, green and blue, 0..1: the scene colours (below 36) and the pictures
// drawn into windows are multiplied by them. The view sets them from the sky; 1 at start-up.
extern float ogl_light_rat[3];
// Staging buffer of the bitmap being loaded: red, green, blue, alpha per pixel, rows bottom-up,
// packed without padding. After OGL_texbmp it holds the picture as drawn or uploaded (scaled for
// the light, or reduced for the resolution level).
extern unsigned char rgb_array[OGL_BMP_MAX * OGL_BMP_MAX * 4];

// Restores the drawing layer's start-up state: resolution level 2, trees and full scene off, no
// blitting, no textures counted, nothing bound, the progress bar at its start, a black palette,
// one pixel per coordinate, full light.
void reset_ogl();

// ---- Palette ---------------------------------------------------------------------------------

// Fills the palette with the programs' colours (scene colours 0..35, interface colours 36..69).
void OGL_define_colors();
// Stores a palette entry; a colour number outside 0..69 is the fatal alert "too many colors!".
void OGL_assigncolor(int c, float r, float g, float b);
// Makes colour c current, multiplied by the light ratios below 36. A number outside
// 0..69 leaves the current colour unchanged.
void OGL_setcolor(int c);

// ---- GL state --------------------------------------------------------------------------------

// The fixed drawing state: ambient light model, clockwise front faces with back faces culled,
// linear fog with the fastest hint, normalising off, smooth shading, dithering on, colour material
// for ambient and diffuse, byte-aligned pixel rows. Fog, lighting, texturing and the depth test
// are switched off and no texture counts as bound, so the cached state matches the context that
// was just made current.
void OGL_reset();
// Switches fog, lighting (with light 0), 2-D texturing and the depth test, each only when it
// differs from the current state. With texturing on the current colour becomes white.
void OGL_setstate(int fog, int light, int tex, int depth);
// Binds texture n (0..59) unless it is bound already, and marks it used. Other numbers are
// ignored.
void OGL_bindtex(int n);

// ---- Presenting ------------------------------------------------------------------------------

// Marks the rectangle of the current window as changed; the picture reaches the screen at the
// next OGL_present_changed.
void OGL_sbuf(int x, int y, int w, int h);
// Shows every window whose picture changed since the last call. The loop calls it once per pass;
// the start-up progress bar calls it after each step.
void OGL_present_changed();

// ---- Drawing coordinates and window pixels ---------------------------------------------------
// Each window is drawn in fixed coordinates of its own (the main window in 800 x 580 with the
// panel at its bottom), which the layer maps onto the window's pixels: coordinate c begins at
// pixel origin + round(scale * c), across and up. A coordinate cell becomes a solid block of
// pixels, so that rectangles and text stay crisp at any scale; lines and circles are drawn at the
// window's own resolution. The 3-D view alone is set up in window pixels.

struct ogl_mapping {
  float scale;   // window pixels per coordinate, 0.05..8
  int ox, oy;    // window pixel where coordinate (0, 0) begins
  int dx, dy;    // the window's size in its coordinates
  int wdx, wdy;  // the window's size in pixels
};
// Makes m the mapping of what is drawn next; the platform sets it whenever it makes a window
// current. The start-up mapping is one pixel per coordinate.
void OGL_set_mapping(const ogl_mapping& m);
const ogl_mapping& OGL_mapping();
// First pixel of coordinate c along an axis of this scale and origin.
int OGL_pixel_edge(float scale, int origin, int c);
// The coordinate whose block of pixels holds pixel p: the inverse of OGL_pixel_edge. Where the
// scale is below 1 and some coordinates have no pixel, the last coordinate starting at or before
// p.
int OGL_coord_of_pixel(float scale, int origin, int p);
// Fills with colour c the pixels of rows y..y+h-1 that lie beside the drawing, where a window
// wider than its drawing leaves room to its left and right.
void OGL_fill_margins(int c, int y, int h);
// Fills with colour c every pixel of the window outside the drawing: the bands to its left and
// right and those above and below it, where the window's shape differs from the drawing's.
void OGL_fill_outside(int c);

// ---- 2-D primitives (drawing coordinates, origin bottom-left) ---------------------------------
// Each marks its bounding rectangle changed unless ogl_will_be_blitted is set. "Pixel" below is
// one unit of the drawing's coordinates: a window pixel at scale 1.

// One-pixel line between the centres of pixels (x1, y1) and (x2, y2), drawn from the lower end
// along its longer axis so that both argument orders give the same pixels. The far end pixel is
// left out, as GL lines leave it out.
void OGL_line(int c, int x1, int y1, int x2, int y2);
// Pixels x..x+w-1 by y..y+h-1, one horizontal line per row.
void OGL_fillrect(int c, int x, int y, int w, int h);
// The border pixels of the same rectangle.
void OGL_framerect(int c, int x, int y, int w, int h);
// Disc of radius r about pixel (x, y), one line per whole row offset -r..r.
void OGL_fillcircle(int c, int x, int y, int r);
// Outline of that disc, two short lines per row offset.
void OGL_framecircle(int c, int x, int y, int r);
// Ring sector between radii r1 and r2 from angle a1 to a2, whole degrees clockwise from straight
// up; angles of any sign are taken modulo 360 and at most one full turn is drawn.
void OGL_arc(int c, int x, int y, int r1, int r2, int a1, int a2);

// ---- Text ------------------------------------------------------------------------------------

// One 5 x 7 glyph in the current colour with its bottom-left dot at pixel (x, y). Lower case draws
// as upper case; characters without a glyph draw nothing.
void OGL_char(int x, int y, char ch);
// Text in colour c advancing `spacing` pixels a character, at most 400 characters. A word whose
// last dot would pass x + wrap starts a new line 10 pixels lower (wrap <= 0: no wrapping). With
// `background`, a box of colour 25 is drawn behind the first line first.
void OGL_string(int c, int x, int y, const char* text, int wrap, int background, int spacing);
// Fixed-format number: `digits` digit cells from x + spacing, `decimals` of them after a point,
// leading zeros; a sign cell 6 pixels left of x when `sign` is set. A value too large for the
// cells shows three digits and a small exponent glyph (12345 as 1.23 with exponent 4); one that
// cannot be shown that way (not finite, exponent above 9) shows dashes.
void OGL_number(int c, int x, int y, float value, int digits, int decimals, int spacing, int sign,
                int background);
// With on, the strings and numbers that follow are drawn together when OGL_text_batch(0) ends the
// batch (a box behind one of them draws what came before first): for screens of many read-outs.
void OGL_text_batch(int on);

// ---- 3-D view (metres, in the current projection) --------------------------------------------

void OGL_3dline(float x1, float y1, float z1, float x2, float y2, float z2);
// Flat-coloured quad, corners clockwise as seen from its front.
void OGL_3dquad(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int c);
// Textured quad: p1 gets (s1, t1), p2 (s2, t1), p3 (s2, t2), p4 (s1, t2).
void OGL_3dquad_st(const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                   int c, float s1, float t1, float s2, float t2);
// The same for items lying flat on the ground: the normal points straight up.
void OGL_3dquad_flat(const float p1[3], const float p2[3], const float p3[3], const float p4[3],
                     int c, float s1, float t1, float s2, float t2);

// ---- Bitmaps ---------------------------------------------------------------------------------

// Loads the 24-bit bitmap name + ".BMP". Texture kinds: a is the texture number, b its treatment.
// Window kinds: the picture is drawn with its bottom-left corner at window pixel (a, b). Returns 1
// when the file's picture was used, 0 when the file could not be opened (a missing custom panel,
// or a missing texture replaced by plain grey). Malformed files are fatal alerts.
int OGL_texbmp(int kind, int a, int b, const char* name);

// One step of the start-up progress bar. It is drawn only while mnw.ready_to_update is 0, and
// starts again at the left whenever the style changes (0 filled blocks, other styles framed).
void OGL_show_init(int style);

// ---- Back-end hooks (implemented by src/app/headless and src/app/desktop) --------------------

// How ogl_be_draw2d joins its vertices (quads: four corners each, filled).
enum { OGL_PRIM_POINTS, OGL_PRIM_LINES, OGL_PRIM_LINE_STRIP, OGL_PRIM_QUADS };
// Switches handled by ogl_be_enable.
enum { OGL_CAP_FOG, OGL_CAP_LIGHT, OGL_CAP_TEXTURE, OGL_CAP_DEPTH };

// The fixed state of OGL_reset, with fog, lighting, texturing and depth test off.
void ogl_be_reset();
void ogl_be_enable(int cap, int on);
void ogl_be_color(float r, float g, float b);
// n vertices (x, y pairs in xy) in window pixels; `width` is the line width in pixels.
void ogl_be_draw2d(int prim, const float* xy, int n, float width);
// n vertices of text quads in window pixels (xy, four corners each) drawn in the current colour
// where the picture at the matching corners (st, 0..1) is set. The picture is w x h alpha bytes,
// rows bottom-up, made for this draw; the back end takes its own copy before it returns.
void ogl_be_glyphs(const float* xy, const float* st, int n, const unsigned char* picture, int w,
                   int h);
void ogl_be_line3d(const float a[3], const float b[3]);
// Quad with one normal; st holds four s, t pairs, or is null for an untextured quad.
void ogl_be_quad3d(const float* const p[4], const float normal[3], const float* st);
void ogl_be_bind_texture(int n);
// Largest texture side the context accepts.
int ogl_be_max_texture_size();
// Sets one mipmap level of the bound texture from w x h RGBA bytes, rows bottom-up.
void ogl_be_texture_level(int level, int w, int h, const unsigned char* rgba);
// Filtering and edges of the bound texture.
void ogl_be_texture_params(int mipmapped, int clamp);
// Draws w x h RGBA bytes, rows bottom-up, with the bottom-left pixel at window pixel (x, y), each
// pixel enlarged `zoom` times.
void ogl_be_draw_pixels(int x, int y, int w, int h, const unsigned char* rgba, float zoom);
// Records that the rectangle of the current window changed.
void ogl_be_changed(int x, int y, int w, int h);

// ---- 3-D view set-up and vertex batches ------------------------------------------------------
// The out-of-the-window view draws its scene in a few large batches rather than one call per
// quad: between OGL_view_begin and OGL_view_end the projection and camera are the view's, and the
// extra switches below start off (blending, alpha test, ground offset), with depth writes and back
// face culling on.

// One vertex of a batch: position (m), unit normal, texture coordinates and colour (alpha 255 is
// opaque). Colours are final: the scene light ratios are already applied by whoever fills them.
struct ogl_vertex {
  float x, y, z;
  float nx, ny, nz;
  float s, t;
  unsigned char r, g, b, a;
};

// How a batch joins its vertices.
enum { OGL_BATCH_TRIANGLES, OGL_BATCH_LINES, OGL_BATCH_POINTS };

// Blending of what is drawn over what is there.
enum { OGL_BLEND_OFF, OGL_BLEND_ALPHA, OGL_BLEND_ADD };

// Starts the 3-D view in the rectangle (x, y, w, h) of window pixels (not drawing coordinates;
// bottom-left origin): drawing is limited to it, it is cleared to rgb with the depth buffer, and
// the projection and the camera (world to eye) matrices, 4 x 4 column by column, are loaded.
void OGL_view_begin(int x, int y, int w, int h, const float proj[16], const float camera[16],
                    const float rgb[3]);
// The same for the rectangle (x, y, w, h) of drawing coordinates, placed and scaled as the window
// shows its drawing: a view inside a window drawn at a scale other than 100 %, or in a window of
// another size than its drawing, stays under the labels and frames drawn around it.
void OGL_view_begin_drawn(int x, int y, int w, int h, const float proj[16], const float camera[16],
                          const float rgb[3]);
// Ends the 3-D view: the whole window in pixels again, with the extra switches back off.
void OGL_view_end();
// Replaces the world-to-eye matrix, for things drawn in their own axes (the aircraft, ships).
void OGL_modelview(const float m[16]);
// Linear fog from `start` to `end` metres of eye depth, towards rgb.
void OGL_fog_range(float start, float end, const float rgb[3]);
// The sun: light 0 shining from the world direction dir (towards the sun), with its diffuse and
// ambient colours. Set after OGL_view_begin, so that the direction is taken in world axes.
void OGL_sun(const float dir[3], const float diffuse[3], const float ambient[3]);
// The extra switches, each touched only when it changes: blending mode, alpha test (texels of
// alpha 0 are left out), the ground offset that keeps markings on flat ground in front of it,
// writing depth, and culling of back faces.
void OGL_blend(int mode);
void OGL_alpha_test(int on);
void OGL_ground_offset(int on);
void OGL_depth_write(int on);
void OGL_cull(int on);
// Draws n vertices as triangles, lines or points; `size` is the point size or line width in
// pixels.
void OGL_draw_batch(int prim, const ogl_vertex* v, int n, float size);

// ---- Back-end hooks of the 3-D view ----------------------------------------------------------

// Extra switches of ogl_be_enable for the 3-D view.
enum {
  OGL_CAP_BLEND = 4,   // alpha blending
  OGL_CAP_ADD,         // additive blending (used with OGL_CAP_BLEND on)
  OGL_CAP_ALPHA_TEST,  // leave out texels of alpha 0
  OGL_CAP_OFFSET,      // pull filled polygons towards the eye
  OGL_CAP_DEPTH_WRITE,
  OGL_CAP_CULL,
};
// Viewport and scissor on the rectangle, clear to rgb with depth, load both matrices.
void ogl_be_view(int x, int y, int w, int h, const float proj[16], const float camera[16],
                 const float rgb[3]);
// Whole window in pixels again: viewport, no scissor, pixel projection, identity camera.
void ogl_be_view_end();
void ogl_be_modelview(const float m[16]);
void ogl_be_fog(float start, float end, const float rgb[3]);
void ogl_be_sun(const float dir[3], const float diffuse[3], const float ambient[3]);
void ogl_be_batch(int prim, const ogl_vertex* v, int n, float size);
