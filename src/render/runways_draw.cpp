// Runway, taxiway and apron surfaces of the region's airports: each runway cut into tiles along
// its length (blast pad, numbers and letter, aiming-point marks, centreline) and drawn one texture
// at a time over the flattened ground.
#include <cmath>

#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

// A surface rectangle as a frame: origin at its left corner of the first end, `across` to its
// right corner of that end, `along` to its left corner of the second end (world m).
struct rect_frame {
  float o[3], across[3], along[3];
  float w, l;  // lengths of across and along, m
};

static void frame_of(const float c[4][3], rect_frame* f) {
  // Corners: 0 left and 1 right at the second end, 2 right and 3 left at the first end.
  for (int k = 0; k < 3; k++) {
    f->o[k] = c[3][k];
    f->across[k] = c[2][k] - c[3][k];
    f->along[k] = c[0][k] - c[3][k];
  }
  f->w = pythag3(f->across[0], f->across[1], f->across[2]);
  f->l = pythag3(f->along[0], f->along[1], f->along[2]);
}

// Point at fractions a across and b along.
static void frame_point(const rect_frame* f, float a, float b, float out[3]) {
  for (int k = 0; k < 3; k++) out[k] = f->o[k] + a * f->across[k] + b * f->along[k];
}

// Texture groups of one frame: a buffer per texture used on the ground.
enum { GROUND_TEX_FIRST = TX_RWAY_TENS, GROUND_TEX_LAST = TX_RWAY_LETTER + 2 };
enum { GROUND_TEXTURES = GROUND_TEX_LAST - GROUND_TEX_FIRST + 1, GROUND_VERTS = 3000 };
static ogl_vertex ground_store[GROUND_TEXTURES][GROUND_VERTS];
static vbuf ground[GROUND_TEXTURES];

static vbuf* buf_for(int tex) {
  if (tex < GROUND_TEX_FIRST || tex > GROUND_TEX_LAST) return nullptr;
  return &ground[tex - GROUND_TEX_FIRST];
}

// Flat colour of each surface texture, for a context without the pictures.
static rgba plain(int tex) {
  if (tex == TX_PAD || tex == TX_RWAY_TURN || tex == TX_RWAY_PAVE)
    return color_of(0.42f, 0.42f, 0.4f, 1.0f);
  return color_of(col_rgb[23][0], col_rgb[23][1], col_rgb[23][2], 1.0f);
}

// The part a0..a1 across and b0..b1 along (fractions) of the frame, with texture coordinates
// (s0, t0) at (a0, b0) and (s1, t1) at (a1, b1).
static void tile(const rect_frame* f, int tex, float a0, float a1, float b0, float b1, float s0,
                 float s1, float t0, float t1) {
  vbuf* b = buf_for(tex);
  if (!b) return;
  float p1[3], p2[3], p3[3], p4[3];
  // Clockwise from above: far-left, far-right, near-right, near-left.
  frame_point(f, a0, b1, p1);
  frame_point(f, a1, b1, p2);
  frame_point(f, a1, b0, p3);
  frame_point(f, a0, b0, p4);
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  const rgba c = texture_ready(tex) ? color_of(1, 1, 1, 1) : plain(tex);
  vb_quad(b, p1, p2, p3, p4, up, s0, t1, s1, t0, c);
}

// A whole rectangle with a texture repeating every `repeat` metres both ways.
static void paved(const rect_frame* f, int tex, float repeat) {
  tile(f, tex, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, f->w / repeat, 0.0f, f->l / repeat);
}

// One marked tile seen from end e: from end 1 it is turned half a turn so that it reads from there.
static void marked(const rect_frame* f, int tex, int e, float a0, float a1, float d0, float d1) {
  const float L = f->l;
  if (e == 0)
    tile(f, tex, a0, a1, d0 / L, d1 / L, 0.0f, 1.0f, 0.0f, 1.0f);
  else
    tile(f, tex, 1.0f - a1, 1.0f - a0, 1.0f - d1 / L, 1.0f - d0 / L, 1.0f, 0.0f, 1.0f, 0.0f);
}

// Number painted at end e of runway r of database airport n, and its side letter texture or -1.
static void end_marking(int n, int r, int e, int* number, int* letter) {
  int num = apt_num[n][r];
  char lr = apt_lr[n][r];
  if (e == 1) {
    num = num + 18 > 36 ? num - 18 : num + 18;
    lr = lr == 'L' ? 'R' : lr == 'R' ? 'L' : lr;
  }
  *number = intlim(num, 0, 39);
  *letter = lr == 'L'   ? TX_RWAY_LETTER
            : lr == 'R' ? TX_RWAY_LETTER + 1
            : lr == 'C' ? TX_RWAY_LETTER + 2
                        : -1;
}

float aiming_point_in(float len, float width) {
  return len > 3.5f * width && len > 1500.0f ? 300.0f : 0.0f;
}

static void runway_surface(int k, int r, int n) {
  rect_frame f;
  frame_of(scn.markxyz[k][r][0], &f);
  const float W = f.w, L = f.l;
  if (!(W > 1.0f) || !(L > 1.0f)) return;
  // Pads shorter than 500 ft carry the helipad mark and nothing else.
  if (L < 500.0f * con.fttomtrs) {
    tile(&f, TX_PAD, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, L / W);
    return;
  }
  // Marked stretch at each end: numbers (one width long), the letter (half a width), and the
  // aiming-point marks 300 m in, on runways long enough to hold them all.
  const int room = L > 3.5f * W;
  const float aim = aiming_point_in(L, W);
  float end_mark[2] = {0.0f, 0.0f};
  for (int e = 0; e < 2 && room; e++) {
    int number, letter;
    end_marking(n, r, e, &number, &letter);
    marked(&f, TX_RWAY_TENS + number / 10 % 4, e, 0.0f, 0.5f, 0.0f, W);
    marked(&f, TX_RWAY_UNITS + number % 10, e, 0.5f, 1.0f, 0.0f, W);
    end_mark[e] = W;
    if (letter >= 0) {
      marked(&f, letter, e, 0.0f, 1.0f, W, 1.5f * W);
      end_mark[e] = 1.5f * W;
    }
  }
  // Centreline tiles fill what is left, cut around the aiming-point marks.
  float cuts[6] = {end_mark[0], L - end_mark[1]};
  int ncut = 2;
  if (aim > 0.0f) {
    const float a0 = fltmax2(aim, end_mark[0]), a1 = fltmin2(L - aim, L - end_mark[1]);
    marked(&f, TX_RWAY_FDMK, 0, 0.0f, 1.0f, a0, a0 + W);
    marked(&f, TX_RWAY_FDMK, 1, 0.0f, 1.0f, L - a1, L - a1 + W);
    cuts[1] = a0, cuts[2] = a0 + W, cuts[3] = a1 - W, cuts[4] = a1, cuts[5] = L - end_mark[1];
    ncut = 6;
  }
  for (int c = 0; c + 1 < ncut; c += 2)
    if (cuts[c + 1] > cuts[c])
      tile(&f, TX_RWAY_LINE, 0.0f, 1.0f, cuts[c] / L, cuts[c + 1] / L, 0.0f, 1.0f, cuts[c] / W,
           cuts[c + 1] / W);
  // Blast pads with chevrons beyond both ends.
  rect_frame pad = f;
  for (int e = 0; e < 2; e++) {
    const float len = 0.5f * W;
    for (int k3 = 0; k3 < 3; k3++) {
      pad.along[k3] = f.along[k3] / L * len;
      pad.o[k3] = e == 0 ? f.o[k3] - pad.along[k3] : f.o[k3] + f.along[k3];
    }
    pad.l = len;
    if (e == 0)
      tile(&pad, TX_RWAY_DISP, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.5f);
    else
      tile(&pad, TX_RWAY_DISP, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.5f, 0.0f);
  }
}

// 1 when the surfaces of runway r of region airport k may be seen: within the visibility and the
// field of view.
int runway_in_view(int k, int r) {
  const float(*c)[3] = scn.markxyz[k][r][0];
  const float centre[3] = {(c[0][0] + c[2][0]) * 0.5f, c[0][1], (c[0][2] + c[2][2]) * 0.5f};
  // The apron reaches four and a half widths aside; the approach lights a kilometre beyond.
  const float half = 0.5f * pythag(c[0][0] - c[2][0], c[0][2] - c[2][2]) + 1100.0f;
  if (pythag(centre[0] - vf.cam.eye[0], centre[2] - vf.cam.eye[2]) > vf.vis + half) return 0;
  return frustum_sees(&vf.frustum, centre, half);
}

void draw_runways() {
  for (int t = 0; t < GROUND_TEXTURES; t++) ground[t] = vbuf{ground_store[t], 0, GROUND_VERTS};
  for (int k = 0; k <= intmin2(env.apt_list_max, REGION_LIST_MAX - 1); k++) {
    const int n = apt_to_index[k];
    if (n < 0 || n >= APT_MAX) continue;
    for (int r = 0; r <= intmin2(env.rwaymax[k], APT_RWYS - 1); r++) {
      // A water lane has no paving: the water (or, on a lake too small for the map, the
      // ground) under it is what the seaplane pilot sees.
      if (apt_len[n][r] <= 1 || water_lane(n, r) || !runway_in_view(k, r)) continue;
      rect_frame f;
      if (env.tway[k][r]) {
        frame_of(scn.markxyz[k][r][1], &f);
        paved(&f, TX_RWAY_PAVE, 40.0f);
        for (int m = 2; m <= 4; m++) {
          frame_of(scn.markxyz[k][r][m], &f);
          tile(&f, TX_RWAY_TURN, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f);
        }
      }
      frame_of(scn.markxyz[k][r][5], &f);
      paved(&f, TX_RWAY_PAVE, 40.0f);
      runway_surface(k, r, n);
    }
  }
  // Markings lie on the ground they cover: pulled towards the eye, they never flicker under it.
  OGL_ground_offset(1);
  for (int t = 0; t < GROUND_TEXTURES; t++)
    vb_draw(&ground[t], OGL_BATCH_TRIANGLES, GROUND_TEX_FIRST + t, 1, 1, 1.0f);
  OGL_ground_offset(0);
}
