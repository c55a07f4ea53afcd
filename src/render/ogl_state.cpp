// The drawing layer's state and palette: colours, the cached GL switches and texture binding,
// and marking changed rectangles for presenting.
#include "render/ogl.h"
#include "render/ogl_local.h"

#include <cstring>

#include "app/macibm.h"
#include "shared/shared.h"

float col_rgb[OGL_COLORS][3];
int ogl_will_be_blitted;
float ogl_light_rat[3] = {1.0f, 1.0f, 1.0f};
int ogl_res = 2;
int ogl_trees;
int ogl_fscene;
int tex_used[OGL_TEXTURES];
int tex_size[OGL_TEXTURES];
unsigned char rgb_array[OGL_BMP_MAX * OGL_BMP_MAX * 4];

// What the current context has switched on, so that OGL_setstate only touches what changes;
// -1 until OGL_reset has put the context into a known state.
static int cur_fog = -1, cur_light = -1, cur_tex = -1, cur_depth = -1;
// Texture bound in the current context; -1 none known.
static int bound_tex = -1;

void reset_ogl() {
  std::memset(col_rgb, 0, sizeof col_rgb);
  ogl_will_be_blitted = 0;
  ogl_res = 2;
  ogl_trees = 0;
  ogl_fscene = 0;
  for (float& r : ogl_light_rat) r = 1.0f;
  std::memset(tex_used, 0, sizeof tex_used);
  std::memset(tex_size, 0, sizeof tex_size);
  cur_fog = cur_light = cur_tex = cur_depth = -1;
  bound_tex = -1;
  ogl_progress_reset();
  ogl_bmp_reset();
  ogl_mapping_reset();
}

int ogl_fatal_kind(int with_value) {
  if (macibm_program == PROGRAM_EDITOR)
    return with_value ? ALERT_EDIT_FATAL_VALUE : ALERT_EDIT_FATAL;
  return with_value ? ALERT_SIM_FATAL_VALUE : ALERT_SIM_FATAL;
}

// Scene colours 0..35 are multiplied by the light of the moment; 36..69 are the instruments' and
// windows' own. Colour 0 is the menu highlight, pulsed by the loop; 25 is the background of text.
static const float palette[OGL_COLORS][3] = {
    {0.0f, 1.0f, 0.0f},     // 0 menu highlight (pulsed green)
    {1.0f, 1.0f, 1.0f},     // 1 white
    {0.75f, 0.75f, 0.75f},  // 2 light grey
    {1.0f, 0.0f, 0.0f},     // 3 red
    {1.0f, 0.5f, 0.0f},     // 4 orange
    {1.0f, 1.0f, 0.0f},     // 5 yellow
    {0.5f, 1.0f, 0.5f},     // 6 light green
    {0.0f, 0.8f, 0.0f},     // 7 green
    {1.0f, 0.2f, 0.0f},     // 8 flash red
    {0.0f, 1.0f, 1.0f},     // 9 cyan
    {0.5f, 0.7f, 1.0f},     // 10 light blue
    {0.0f, 0.0f, 1.0f},     // 11 blue
    {0.0f, 0.0f, 0.5f},     // 12 dark blue
    {0.5f, 0.0f, 0.5f},     // 13 purple
    {0.5f, 0.3f, 0.1f},     // 14 brown
    {0.8f, 0.7f, 0.5f},     // 15 tan
    {1.0f, 0.0f, 1.0f},     // 16 magenta
    {0.4f, 0.6f, 0.9f},     // 17 sky blue
    {0.7f, 0.75f, 0.8f},    // 18 haze
    {0.9f, 0.9f, 0.9f},     // 19 cloud white
    {0.6f, 0.6f, 0.6f},     // 20 cloud grey
    {0.25f, 0.5f, 0.15f},   // 21 grass
    {0.1f, 0.25f, 0.5f},    // 22 water
    {0.35f, 0.35f, 0.35f},  // 23 runway grey
    {0.9f, 0.8f, 0.2f},     // 24 taxiway line yellow
    {0.0f, 0.0f, 0.0f},     // 25 black: text background
    {0.25f, 0.25f, 0.25f},  // 26 dark grey
    {0.3f, 0.0f, 0.0f},     // 27 dark red
    {1.0f, 0.75f, 0.0f},    // 28 amber
    {1.0f, 1.0f, 0.7f},     // 29 runway edge light
    {1.0f, 0.1f, 0.1f},     // 30 approach light red
    {0.2f, 0.3f, 1.0f},     // 31 taxiway light blue
    {0.1f, 1.0f, 0.3f},     // 32 threshold light green
    {0.55f, 0.5f, 0.45f},   // 33 building grey
    {0.1f, 0.35f, 0.1f},    // 34 tree green
    {0.45f, 0.48f, 0.5f},   // 35 ship grey
    // Interface colours
    {1.0f, 1.0f, 1.0f},     // 36 white
    {0.0f, 0.0f, 0.0f},     // 37 black
    {0.3f, 0.3f, 0.3f},     // 38 panel grey
    {0.5f, 0.5f, 0.5f},     // 39 light panel grey
    {0.08f, 0.08f, 0.08f},  // 40 instrument face
    {0.95f, 0.95f, 0.95f},  // 41 needle white
    {1.0f, 0.0f, 0.0f},     // 42 warning red
    {1.0f, 1.0f, 0.0f},     // 43 caution yellow
    {1.0f, 0.75f, 0.0f},    // 44 amber
    {0.2f, 1.0f, 0.2f},     // 45 head-up display green
    {0.0f, 1.0f, 1.0f},     // 46 cyan
    {1.0f, 0.0f, 1.0f},     // 47 magenta
    {0.0f, 0.0f, 1.0f},     // 48 blue
    {0.2f, 0.45f, 0.9f},    // 49 attitude sky
    {0.55f, 0.35f, 0.15f},  // 50 attitude ground
    {0.0f, 0.5f, 0.0f},     // 51 dark green
    {1.0f, 0.5f, 0.0f},     // 52 orange
    {0.75f, 0.75f, 0.75f},  // 53 window background
    {0.85f, 0.85f, 0.85f},  // 54 button face
    {0.45f, 0.45f, 0.45f},  // 55 button shadow
    {0.0f, 0.0f, 0.5f},     // 56 dark blue text
    {0.2f, 0.4f, 0.8f},     // 57 selection blue
    {0.2f, 0.35f, 0.6f},    // 58 map water
    {0.35f, 0.5f, 0.3f},    // 59 map land
    {0.8f, 0.2f, 0.8f},     // 60 map airport
    {0.3f, 0.5f, 1.0f},     // 61 map VOR
    {0.7f, 0.4f, 0.2f},     // 62 map NDB
    {0.6f, 0.6f, 0.6f},     // 63 map fix
    {0.25f, 0.25f, 0.25f},  // 64 graph grid
    {1.0f, 0.5f, 0.5f},     // 65 light red
    {1.0f, 1.0f, 0.6f},     // 66 light yellow
    {0.6f, 1.0f, 1.0f},     // 67 light cyan
    {1.0f, 0.6f, 1.0f},     // 68 light magenta
    {0.6f, 0.4f, 0.2f},     // 69 brown
};

void OGL_define_colors() {
  for (int c = 0; c < OGL_COLORS; c++)
    OGL_assigncolor(c, palette[c][0], palette[c][1], palette[c][2]);
}

void OGL_assigncolor(int c, float r, float g, float b) {
  if (!intrange(c, 0, OGL_COLORS - 1)) {
    MACIBM_alert("too many colors!", "", "", "", ogl_fatal_kind(0));
    return;
  }
  col_rgb[c][0] = r;
  col_rgb[c][1] = g;
  col_rgb[c][2] = b;
}

void OGL_setcolor(int c) {
  if (!intrange(c, 0, OGL_COLORS - 1)) return;
  if (c < OGL_SCENE_COLORS)
    ogl_be_color(col_rgb[c][0] * ogl_light_rat[0], col_rgb[c][1] * ogl_light_rat[1],
                 col_rgb[c][2] * ogl_light_rat[2]);
  else
    ogl_be_color(col_rgb[c][0], col_rgb[c][1], col_rgb[c][2]);
}

void OGL_reset() {
  ogl_be_reset();
  cur_fog = cur_light = cur_tex = cur_depth = 0;
  bound_tex = -1;
}

static void switch_cap(int* cur, int cap, int on) {
  on = on ? 1 : 0;
  if (*cur == on) return;
  ogl_be_enable(cap, on);
  *cur = on;
}

void OGL_setstate(int fog, int light, int tex, int depth) {
  switch_cap(&cur_fog, OGL_CAP_FOG, fog);
  switch_cap(&cur_light, OGL_CAP_LIGHT, light);
  switch_cap(&cur_tex, OGL_CAP_TEXTURE, tex);
  switch_cap(&cur_depth, OGL_CAP_DEPTH, depth);
  // A texture is shown in its own colours unless a quad asks for a tint.
  if (tex) ogl_be_color(1.0f, 1.0f, 1.0f);
}

int ogl_texturing() { return cur_tex == 1; }

void ogl_bind_quiet(int n) {
  if (!intrange(n, 0, OGL_TEXTURES - 1) || n == bound_tex) return;
  ogl_be_bind_texture(n);
  bound_tex = n;
}

void OGL_bindtex(int n) {
  if (!intrange(n, 0, OGL_TEXTURES - 1)) return;
  tex_used[n] = 1;
  ogl_bind_quiet(n);
}

void OGL_sbuf(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  ogl_be_changed(x, y, w, h);
}

void ogl_touched(int x, int y, int w, int h) {
  if (!ogl_will_be_blitted) OGL_sbuf(x, y, w, h);
}
