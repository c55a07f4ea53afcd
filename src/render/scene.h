// The 3-D view's own workings, shared by its files: texture numbers, the camera of each view, the
// light of the time of day, the frame's view state, and the vertex buffers the scene is batched in.
#pragma once

#include "render/ogl.h"

// ---- Texture numbers -------------------------------------------------------------------------

// Numbers of the textures of the scene and the aircraft. The terrain's are the codes the terrain
// loader stores in planetex (10 water, 11 land, 12 steep, 13..21 their borders).
enum {
  TX_PLANE = 0,  // 0..8: the aircraft's own " prop" .. " misc" textures
  TX_TIRE = 9,
  TX_WATER = 10,  // 10..21 terrain, in planetex order
  TX_TERRAIN_LAST = 21,
  TX_RWAY_TENS = 22,   // 22..25: "rway_0L" .. "rway_3L", the tens digit of a runway number
  TX_RWAY_UNITS = 26,  // 26..35: "rway_0R" .. "rway_9R", the units digit
  TX_RWAY_PAVE = 36,
  TX_RWAY_TURN,
  TX_RWAY_LINE,
  TX_RWAY_FDMK,
  TX_RWAY_DISP,
  TX_DECK,
  TX_METAL,
  TX_DIRTY,
  TX_PAD,
  TX_TOWER,
  TX_HULL,
  TX_BLD_BLOCK,
  TX_BLD_NARTOP,
  TX_BLD_TAPERED,
  TX_BLD_NARBOT,
  TX_BLD_AVON,
  TX_BLD_CONTOW,
  TX_SMOKE,
  TX_FIRE,
  TX_RWAY_LETTER,  // 55..57: "rway_L", "rway_R", "rway_C", the side letter under the number
  TX_COUNT = 58,
};

// One texture of the scene: number, file name in the textures folder, treatment (OGL_texbmp's b).
struct scene_texture {
  int tex;
  const char* name;
  int treatment;
};
// Every scenery texture the view loads (the aircraft's own come with load_plane_geo).
extern const scene_texture scene_textures[];
extern const int scene_texture_count;
// The file name of texture tex: in winter (sea-level temperature below 32 F) the snow form of the
// grass textures 11 and 13..18, else `name`.
const char* seasonal_texture(int tex, const char* name);

// 1 when texture tex holds a picture in the drawing context (tex -1 never does).
int texture_ready(int tex);

// ---- Camera ----------------------------------------------------------------------------------

// Where the view looks from and how. World axes: x east, y up, z south.
struct view_camera {
  float eye[3];                   // m
  float fwd[3], up[3], right[3];  // unit vectors of the line of sight and the picture's up/right
  float tan_half_w;               // tangent of half the horizontal field of view (zoom applied)
  int outside;                    // the aircraft is seen from outside: it is drawn
  int hud;                        // the head-up display is drawn
};

// Base horizontal field of view, degrees, and the camera distance from the aircraft in its sizes.
const float VIEW_FOV_W = 70.0f;

// The camera of view command `view` (601..629) from the records: the aircraft's position and
// attitude, the pilot's eye, the free and spot view settings, the towers, the runway view point
// and the zoom. Also advances the chase view's lag by the frame period.
void view_camera_for(int view, view_camera* c);
// The camera's projection and world-to-eye matrices, column by column, for a picture of aspect
// w / h and the depth range near..far.
void view_matrices(const view_camera* c, float aspect, float near_m, float far_m, float proj[16],
                   float cam[16]);
// Body axes of the aircraft in world axes from its attitude (degrees): right, up and forward.
void body_axes(float psi, float the, float phi, float right[3], float up[3], float fwd[3]);
// World position of body point (x right, y up, z aft) of an object at `at` with those axes.
void body_to_world(const float at[3], const float right[3], const float up[3], const float fwd[3],
                   float x, float y, float z, float out[3]);
// Matrix placing an object's own axes (right, up, aft) at `at`, seen through camera matrix cam.
void object_matrix(const float cam[16], const float at[3], const float right[3], const float up[3],
                   const float fwd[3], float out[16]);

// The part of a camera's field of view a sphere may show in: its four side planes.
struct view_frustum {
  float plane[4][4];  // inward normal and offset: n . p + d >= 0 inside
};
void view_frustum_for(const view_camera* c, float aspect, view_frustum* f);
// 1 when a sphere of radius r about p may be seen.
int frustum_sees(const view_frustum* f, const float p[3], float r);

// ---- Light of the time of day ----------------------------------------------------------------

struct sky_state {
  float sun_dir[3];   // unit vector towards the sun, world axes
  float sun_elev;     // sun elevation, degrees
  float daylight;     // 0 at night .. 1 in full day
  float zenith[3];    // sky colour overhead
  float horizon[3];   // sky colour at the horizon, and the fog's
  float ratio[3];     // scene light ratios: what the drawing layer's ogl_light_rat become
  float diffuse[3];   // sunlight on surfaces facing the sun
  float ambient[3];   // light on every surface
  float star_bright;  // 0 no stars .. 1 full starlight
  float sun_glow;     // 0 .. 1: how much the sky brightens around the sun
};
// The sky and light at solar time `solar_time` (s of the day at the place's own meridian, noon
// with the sun due south) and latitude `lat` (degrees north), before clouds: twilight while the
// sun is less than 12 degrees below the horizon, night beyond.
void sky_for_time(float solar_time, float lat, sky_state* s);
// Solar time, s of the day, at longitude `lon` (degrees east) when the universal time is `utc`.
float solar_time_at(float utc, float lon);
// The same light under the weather, for an eye under the cloud layer's bases, above its tops or
// (neither) inside it: overcast or rain darkens it, flashes of lightning brighten.
void sky_weather(sky_state* s, int below_bases, int above_tops);

// ---- The frame's view ------------------------------------------------------------------------

// What the files of the view share while one frame is drawn. Lifetime: frame.
struct view_frame {
  view_camera cam;
  view_frustum frustum;
  sky_state sky;
  float cam_m[16];   // world to eye
  float proj_m[16];  // eye to picture
  float aspect;      // picture width / height
  float px_per_rad;  // picture pixels per radian near the centre
  float vis;         // distance the scene is drawn to, m (fog end)
  int x, y, w, h;    // the view's rectangle in the window, pixels
  int dark;          // lights of the airports, cities and obstacles are lit
  // The eye against the cloud layer (under it when there is none): an outside view's camera can
  // be under, in or over the clouds whatever the aircraft is.
  int below_bases, above_tops;
};
extern view_frame vf;

// ---- Vertex buffers --------------------------------------------------------------------------

// A fixed array of vertices filled each frame; what does not fit is dropped.
struct vbuf {
  ogl_vertex* v;
  int n, cap;
};
#define VBUF(name, size)                \
  static ogl_vertex name##_store[size]; \
  static vbuf name = {name##_store, 0, size}

// A colour with alpha, 0..255.
struct rgba {
  unsigned char r, g, b, a;
};
// Palette colour c, scaled by the scene light ratios when it is a scene colour, opaque.
rgba scene_color(int c);
// A colour from parts 0..1 (kept in range).
rgba color_of(float r, float g, float b, float a);
// A colour from parts 0..1 scaled by the frame's light ratios.
rgba lit_color(float r, float g, float b);

void vb_vertex(vbuf* b, const float p[3], const float n[3], float s, float t, rgba c);
// Triangle p1, p2, p3 clockwise seen from its front, with one normal (null: computed).
void vb_tri(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float* n,
            rgba c);
// Quad p1..p4 clockwise seen from its front, as two triangles; p1 gets (s1, t1), p2 (s2, t1),
// p3 (s2, t2), p4 (s1, t2). A null normal is computed from the corners.
void vb_quad(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float p4[3],
             const float* n, float s1, float t1, float s2, float t2, rgba c);
// The same quad seen from both sides.
void vb_quad2(vbuf* b, const float p1[3], const float p2[3], const float p3[3], const float p4[3],
              rgba c);
void vb_line(vbuf* b, const float p1[3], const float p2[3], rgba c);
void vb_point(vbuf* b, const float p[3], rgba c);
// Room for n more vertices.
inline int vb_room(const vbuf* b, int n) { return b->n + n <= b->cap; }
// Draws the buffer with texture tex (-1 none), lit by the sun or not, fogged or not.
void vb_draw(const vbuf* b, int prim, int tex, int lit, int fog, float size);
// Sends the buffer as it stands, in the drawing state already set.
void vb_send(const vbuf* b, int prim, float size);
// While the scene is drawn its world buffers are sent measured from world point o (the eye), to
// keep single-precision transforms exact near the eye; null ends that. The camera matrix vf.cam_m
// must then stand at o.
void view_origin(const float* o);
// An object drawn in its own axes (right, up, aft) placed at world point `at`: buffers drawn until
// object_end are in those axes; object_end puts the camera's matrix back.
void object_begin(const float at[3], const float right[3], const float up[3], const float fwd[3]);
void object_end();

// ---- The scene's parts, in drawing order -----------------------------------------------------

void draw_sky();      // sky dome, stars and sun around the eye
void draw_terrain();  // terrain cells within the visibility, by texture
void draw_runways();  // runway, taxiway and apron surfaces with their markings
void draw_objects();  // obstacles, buildings, towers, cities, trees and fires
void draw_ships();    // carrier, frigate and oil rigs
void draw_traffic();  // the traffic aircraft
void draw_plane();    // the aircraft itself, for the outside views
void draw_lights();   // runway, approach, taxiway, beacon, city and obstacle lights
void draw_clouds();   // cloud base and tops, rain and lightning
void draw_hud();      // the head-up display, in window pixels after the 3-D view

// Terrain cells drawn this frame (within the visibility and the field of view): their count, and
// their indices through *i and *j.
int terrain_cells(const int** i, const int** j);
// 1 when the surfaces and lights of runway r of region airport k may be seen this frame.
int runway_in_view(int k, int r);
// How far in from each end a runway of length len and width width (m) carries its aiming-point
// marks, where the instrument glide path meets it, m; 0 when it is too short for them.
float aiming_point_in(float len, float width);
// Half the side of city block q (0..5) of cell (i, j), m: the block stands square on its city
// point.
float city_block_half(int i, int j, int q);
// Point lights of the frame, sized by distance from the eye, drawn after everything solid:
// emptied at the start of the frame, filled by every part that has lights.
void lights_reset();
void light_point(const float p[3], rgba c);

// ---- Small helpers ---------------------------------------------------------------------------

// Index 0..hi of a fractional grid position: limited first, so that positions far outside the
// grid (or not numbers at all) become its edges rather than an integer they cannot be.
int grid_index(float f, int hi);

// Cheap repeatable pseudo-random fraction 0..1 of two integers, for sizes and phases of scenery
// that must not change from frame to frame.
float hash01(int a, int b);
