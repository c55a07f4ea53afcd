// Ships and oil rigs drawn rocking on the waves where the world's ship state puts them.
#include <cmath>

#include "app/app.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Drawing ---------------------------------------------------------------------------------

// A ship's shape in its own axes, one buffer per texture, built once.
struct part_buf {
  vbuf b;
  int tex;
};
enum { SHIP_VERTS = 600 };
static ogl_vertex carr_store[4][SHIP_VERTS], frig_store[3][SHIP_VERTS], rig_store[3][SHIP_VERTS];
static part_buf carr_parts[4], frig_parts[3], rig_parts[3];
// Built with the textures' white, or with flat colours while the textures are missing.
static int shapes_built, shapes_textured;

static rgba part_color(int tex) {
  if (texture_ready(tex)) return color_of(1, 1, 1, 1);
  if (tex == TX_DECK) return color_of(0.3f, 0.3f, 0.32f, 1.0f);
  if (tex == TX_PAD) return color_of(0.5f, 0.5f, 0.45f, 1.0f);
  return color_of(col_rgb[35][0], col_rgb[35][1], col_rgb[35][2], 1.0f);
}

// Box from (x0, y0, z0) to (x1, y1, z1) in the ship's axes: four walls and a top.
static void box(vbuf* b, float x0, float x1, float y0, float y1, float z0, float z1, float tile,
                int tex) {
  const float lo[4][3] = {{x0, y0, z1}, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}};
  float hi[4][3];
  for (int c = 0; c < 4; c++) hi[c][0] = lo[c][0], hi[c][1] = y1, hi[c][2] = lo[c][2];
  const rgba col = part_color(tex);
  for (int a = 0; a < 4; a++) {
    const int n = (a + 1) % 4;
    const float w = pythag(lo[n][0] - lo[a][0], lo[n][2] - lo[a][2]);
    vb_quad(b, hi[n], hi[a], lo[a], lo[n], nullptr, 0.0f, (y1 - y0) / tile, w / tile, 0.0f, col);
  }
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  vb_quad(b, hi[1], hi[2], hi[3], hi[0], up, 0.0f, 0.0f, (x1 - x0) / tile, (z1 - z0) / tile, col);
}

// Flat rectangle at height y, textured once over its extent (or tiled every `tile` metres).
static void deck(vbuf* b, float x0, float x1, float z0, float z1, float y, float tile, int tex) {
  const float p1[3] = {x0, y, z0}, p2[3] = {x1, y, z0}, p3[3] = {x1, y, z1}, p4[3] = {x0, y, z1};
  static const float up[3] = {0.0f, 1.0f, 0.0f};
  const float sw = tile > 0.0f ? (x1 - x0) / tile : 1.0f,
              sl = tile > 0.0f ? (z1 - z0) / tile : 1.0f;
  vb_quad(b, p1, p2, p3, p4, up, 0.0f, sl, sw, 0.0f, part_color(tex));
}

// Hull sides from below the water line up to the deck, round a pointed plan (clockwise from
// above: bow, starboard forward, starboard aft, port aft, port forward).
static void hull(vbuf* b, float half_w, float z_bow, float z_fwd, float z_aft, float deck_y) {
  const float plan[5][2] = {
      {0.0f, z_bow}, {half_w, z_fwd}, {half_w, z_aft}, {-half_w, z_aft}, {-half_w, z_fwd}};
  const rgba col = part_color(TX_HULL);
  for (int a = 0; a < 5; a++) {
    const int n = (a + 1) % 5;
    const float lo_a[3] = {plan[a][0], -4.0f, plan[a][1]},
                lo_n[3] = {plan[n][0], -4.0f, plan[n][1]};
    const float hi_a[3] = {plan[a][0], deck_y, plan[a][1]},
                hi_n[3] = {plan[n][0], deck_y, plan[n][1]};
    const float w = pythag(plan[n][0] - plan[a][0], plan[n][1] - plan[a][1]);
    vb_quad(b, hi_n, hi_a, lo_a, lo_n, nullptr, 0.0f, 1.0f, w / (2.0f * deck_y), 0.0f, col);
  }
}

static void start_parts(part_buf* p, ogl_vertex (*store)[SHIP_VERTS], const int* tex, int n) {
  for (int k = 0; k < n; k++) p[k] = part_buf{vbuf{store[k], 0, SHIP_VERTS}, tex[k]};
}

static void build_shapes() {
  static const int carr_tex[4] = {TX_HULL, TX_DECK, TX_METAL, TX_PAD};
  start_parts(carr_parts, carr_store, carr_tex, 4);
  hull(&carr_parts[0].b, 20.0f, CARR_Z0 - 5.0f, -110.0f, CARR_Z1, CARRIER_DECK);
  deck(&carr_parts[1].b, -20.0f, CARR_X1, CARR_Z0, CARR_Z1, CARRIER_DECK, 40.0f, TX_DECK);
  // The overhang to port runs the whole length: the deck drawn is the deck that carries aircraft.
  deck(&carr_parts[1].b, CARR_X0, -20.0f, CARR_Z0, CARR_Z1, CARRIER_DECK, 40.0f, TX_DECK);
  box(&carr_parts[2].b, 12.0f, 19.0f, CARRIER_DECK, CARRIER_DECK + 24.0f, -10.0f, 30.0f, 8.0f,
      TX_METAL);

  static const int frig_tex[3] = {TX_HULL, TX_METAL, TX_PAD};
  start_parts(frig_parts, frig_store, frig_tex, 3);
  hull(&frig_parts[0].b, FRIG_HALF_W, FRIG_Z0, FRIG_Z_FWD, FRIG_Z1, FRIGATE_DECK);
  box(&frig_parts[1].b, -5.0f, 5.0f, FRIGATE_DECK, FRIGATE_DECK + 9.0f, -35.0f, 25.0f, 6.0f,
      TX_METAL);
  box(&frig_parts[1].b, -4.0f, 4.0f, FRIGATE_DECK - 1.0f, FRIGATE_DECK, -40.0f, 30.0f, 6.0f,
      TX_METAL);
  deck(&frig_parts[2].b, -FRIG_HALF_W, FRIG_HALF_W, 30.0f, FRIG_Z1, FRIGATE_DECK + 0.02f, 0.0f,
       TX_PAD);
  // The deck round the deckhouse, from the pointed bow to the pad, closes the hull from above.
  deck(&frig_parts[1].b, -FRIG_HALF_W, -4.0f, FRIG_Z_FWD, 30.0f, FRIGATE_DECK, 6.0f, TX_METAL);
  deck(&frig_parts[1].b, 4.0f, FRIG_HALF_W, FRIG_Z_FWD, 30.0f, FRIGATE_DECK, 6.0f, TX_METAL);
  const float bow[3] = {0.0f, FRIGATE_DECK, FRIG_Z0},
              stb[3] = {FRIG_HALF_W, FRIGATE_DECK, FRIG_Z_FWD},
              port[3] = {-FRIG_HALF_W, FRIGATE_DECK, FRIG_Z_FWD}, up[3] = {0.0f, 1.0f, 0.0f};
  vb_tri(&frig_parts[1].b, bow, stb, port, up, part_color(TX_METAL));

  static const int rig_tex[3] = {TX_METAL, TX_DECK, TX_PAD};
  start_parts(rig_parts, rig_store, rig_tex, 3);
  for (int k = 0; k < 4; k++) {
    const float lx = k < 2 ? -22.0f : 19.0f, lz = k % 2 ? -22.0f : 19.0f;
    box(&rig_parts[0].b, lx, lx + 3.0f, -4.0f, OILRIG_DECK - 4.0f, lz, lz + 3.0f, 10.0f, TX_METAL);
  }
  box(&rig_parts[0].b, -RIG_HALF, RIG_HALF, OILRIG_DECK - 4.0f, OILRIG_DECK - 0.01f, -RIG_HALF,
      RIG_HALF, 10.0f, TX_METAL);
  box(&rig_parts[0].b, -12.0f, -4.0f, OILRIG_DECK, OILRIG_DECK + 38.0f, -12.0f, -4.0f, 6.0f,
      TX_METAL);
  deck(&rig_parts[1].b, -RIG_HALF, RIG_HALF, -RIG_HALF, RIG_HALF, OILRIG_DECK, 20.0f, TX_DECK);
  deck(&rig_parts[2].b, 8.0f, 28.0f, 8.0f, 28.0f, OILRIG_DECK + 0.05f, 0.0f, TX_PAD);
  shapes_built = 1;
  shapes_textured = texture_ready(TX_HULL);
}

static int ship_visible(const float c[3], float radius) {
  if (pythag(c[0] - vf.cam.eye[0], c[2] - vf.cam.eye[2]) > vf.vis + radius) return 0;
  const float mid[3] = {c[0], c[1] + 20.0f, c[2]};
  return frustum_sees(&vf.frustum, mid, radius);
}

// The top of each one's mast, island or derrick, in its own axes (m): where its light stands.
static const float CARR_MAST[3] = {15.5f, CARRIER_DECK + 25.0f, 10.0f},
                   FRIG_MAST[3] = {0.0f, FRIGATE_DECK + 10.0f, -5.0f},
                   RIG_MAST[3] = {-8.0f, OILRIG_DECK + 39.0f, -8.0f};

static void draw_ship(const float c[3], int hdg, float the, float phi, const part_buf* parts, int n,
                      const float mast[3]) {
  float r[3], u[3], f[3];
  body_axes(static_cast<float>(hdg), the, phi, r, u, f);
  object_begin(c, r, u, f);
  for (int k = 0; k < n; k++) {
    // Markings and pads lie on the decks they mark.
    OGL_ground_offset(parts[k].tex == TX_PAD);
    vb_draw(&parts[k].b, OGL_BATCH_TRIANGLES, parts[k].tex, 1, 1, 1.0f);
  }
  OGL_ground_offset(0);
  object_end();
  if (vf.dark) {
    // Mast-head light, just above the highest part of the ship or rig.
    float top[3];
    body_to_world(c, r, u, f, mast[0], mast[1], mast[2], top);
    light_point(top, rgba{255, 255, 230, 255});
  }
}

void draw_ships() {
  if (!shapes_built || shapes_textured != texture_ready(TX_HULL)) build_shapes();
  if (ships.have_carr && ship_visible(ships.carr, 180.0f))
    draw_ship(ships.carr, CARRIER_HDG, env.carr_the, env.carr_phi, carr_parts, 4, CARR_MAST);
  if (ships.have_frig && ship_visible(ships.frig, 70.0f))
    draw_ship(ships.frig, FRIGATE_HDG, env.frig_the, env.frig_phi, frig_parts, 3, FRIG_MAST);
  for (int k = 0; k < ships.oilr_count; k++)
    if (ship_visible(ships.oilr[k], 60.0f))
      draw_ship(ships.oilr[k], 0, 0.0f, 0.0f, rig_parts, 3, RIG_MAST);
}
