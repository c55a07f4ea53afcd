// The views of the View menu: where each puts the camera and where it looks, the menu's view
// commands and the arrow keys of the free and spot views, and the camera's matrices.
#include <cmath>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Vectors ---------------------------------------------------------------------------------

static float dot3(const float a[3], const float b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
static void cross3(const float a[3], const float b[3], float out[3]) {
  const float x = a[1] * b[2] - a[2] * b[1], y = a[2] * b[0] - a[0] * b[2],
              z = a[0] * b[1] - a[1] * b[0];
  out[0] = x, out[1] = y, out[2] = z;
}
// Scales v to unit length; returns 0 and leaves it when it has none.
static int unit3(float v[3]) {
  const float l = std::sqrt(dot3(v, v));
  if (!(l > 1e-6f)) return 0;
  v[0] /= l, v[1] /= l, v[2] /= l;
  return 1;
}

static float rad(float deg) { return deg * con.degtorad; }

// ---- Axes and matrices -----------------------------------------------------------------------

void body_axes(float psi, float the, float phi, float right[3], float up[3], float fwd[3]) {
  const float sp = std::sin(rad(psi)), cp = std::cos(rad(psi));
  const float st = std::sin(rad(the)), ct = std::cos(rad(the));
  const float sf = std::sin(rad(phi)), cf = std::cos(rad(phi));
  // Heading turns clockwise from north (-z), pitch raises the nose, bank lowers the right wing.
  const float r0[3] = {cp, 0.0f, sp};
  const float u0[3] = {-sp * st, ct, cp * st};
  fwd[0] = sp * ct, fwd[1] = st, fwd[2] = -cp * ct;
  for (int k = 0; k < 3; k++) {
    right[k] = r0[k] * cf - u0[k] * sf;
    up[k] = u0[k] * cf + r0[k] * sf;
  }
}

void body_to_world(const float at[3], const float right[3], const float up[3], const float fwd[3],
                   float x, float y, float z, float out[3]) {
  for (int k = 0; k < 3; k++) out[k] = at[k] + x * right[k] + y * up[k] - z * fwd[k];
}

// Matrix element (row, col) of a column-by-column 4 x 4 matrix.
#define MAT(m, row, col) (m)[(col)*4 + (row)]

static void mat_mul(const float a[16], const float b[16], float out[16]) {
  float r[16];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      float s = 0.0f;
      for (int k = 0; k < 4; k++) s += MAT(a, i, k) * MAT(b, k, j);
      MAT(r, i, j) = s;
    }
  for (int i = 0; i < 16; i++) out[i] = r[i];
}

void object_matrix(const float cam[16], const float at[3], const float right[3], const float up[3],
                   const float fwd[3], float out[16]) {
  // Columns: the object's x (right), y (up) and z (aft) axes in world axes, then its place.
  float m[16] = {0};
  for (int k = 0; k < 3; k++) {
    MAT(m, k, 0) = right[k];
    MAT(m, k, 1) = up[k];
    MAT(m, k, 2) = -fwd[k];
    MAT(m, k, 3) = at[k];
  }
  MAT(m, 3, 3) = 1.0f;
  mat_mul(cam, m, out);
}

void view_matrices(const view_camera* c, float aspect, float near_m, float far_m, float proj[16],
                   float cam[16]) {
  for (int i = 0; i < 16; i++) proj[i] = cam[i] = 0.0f;
  const float tw = c->tan_half_w, th = tw / (aspect > 0.01f ? aspect : 0.01f);
  MAT(proj, 0, 0) = 1.0f / tw;
  MAT(proj, 1, 1) = 1.0f / th;
  MAT(proj, 2, 2) = (far_m + near_m) / (near_m - far_m);
  MAT(proj, 2, 3) = 2.0f * far_m * near_m / (near_m - far_m);
  MAT(proj, 3, 2) = -1.0f;
  // Eye axes: x to the picture's right, y up, the line of sight along -z.
  for (int k = 0; k < 3; k++) {
    MAT(cam, 0, k) = c->right[k];
    MAT(cam, 1, k) = c->up[k];
    MAT(cam, 2, k) = -c->fwd[k];
  }
  MAT(cam, 0, 3) = -dot3(c->right, c->eye);
  MAT(cam, 1, 3) = -dot3(c->up, c->eye);
  MAT(cam, 2, 3) = dot3(c->fwd, c->eye);
  MAT(cam, 3, 3) = 1.0f;
}

void view_frustum_for(const view_camera* c, float aspect, view_frustum* f) {
  const float tw = c->tan_half_w, th = tw / (aspect > 0.01f ? aspect : 0.01f);
  // A direction d lies inside when |d . right| <= tw (d . fwd) and |d . up| <= th (d . fwd).
  const float sides[4][2] = {{1.0f, tw}, {-1.0f, tw}, {1.0f, th}, {-1.0f, th}};
  for (int p = 0; p < 4; p++) {
    const float* axis = p < 2 ? c->right : c->up;
    float n[3];
    for (int k = 0; k < 3; k++) n[k] = sides[p][0] * axis[k] + sides[p][1] * c->fwd[k];
    unit3(n);
    for (int k = 0; k < 3; k++) f->plane[p][k] = n[k];
    f->plane[p][3] = -dot3(n, c->eye);
  }
}

int frustum_sees(const view_frustum* f, const float p[3], float r) {
  for (int k = 0; k < 4; k++)
    if (dot3(f->plane[k], p) + f->plane[k][3] < -r) return 0;
  return 1;
}

// ---- Camera placement ------------------------------------------------------------------------

// Size of the aircraft for the outside views, m (half its span or length), set with its geometry.
extern float plane_size;

// State of the views that move by themselves.
static float chase_eye[3];
static int chase_valid;
static int tower_obs = -1;  // obstacle slot whose top the tower view stands on
static float tower_top[3];  // where that slot's top was when the tower was chosen

void reset_view_state() {
  chase_valid = 0;
  tower_obs = -1;
}

static void aircraft_at(float p[3]) {
  p[0] = static_cast<float>(flt.X);
  p[1] = static_cast<float>(flt.Y);
  p[2] = static_cast<float>(flt.Z);
}

// Ground height at (x, z), or a very low value outside the region.
static float ground_at(float x, float z) {
  if (!(env.dx > 0.0f) || !(env.dz > 0.0f)) return -1.0e9f;
  int i = grid_index((x - env.lox) / env.dx * (GRID_I - 1), GRID_I - 2);
  int j = grid_index((env.hiz - z) / env.dz * (GRID_J - 1), GRID_J - 2);
  if (!find_ijt_with_loc(x, z, &i, &j, 0)) return -1.0e9f;
  return find_local_h(x, z, i, j);
}

static void keep_above_ground(float eye[3], float clearance) {
  const float g = ground_at(eye[0], eye[2]);
  if (eye[1] < g + clearance) eye[1] = g + clearance;
}

static void look_at(view_camera* c, const float eye[3], const float target[3]) {
  for (int k = 0; k < 3; k++) {
    c->eye[k] = eye[k];
    c->fwd[k] = target[k] - eye[k];
  }
  if (!unit3(c->fwd)) c->fwd[0] = 0.0f, c->fwd[1] = 0.0f, c->fwd[2] = -1.0f;
  // Straight down (or up) the picture's top points north.
  const float world_up[3] = {0.0f, 1.0f, 0.0f}, north[3] = {0.0f, 0.0f, -1.0f};
  cross3(c->fwd, world_up, c->right);
  if (!unit3(c->right)) {
    cross3(c->fwd, north, c->right);
    unit3(c->right);
  }
  cross3(c->right, c->fwd, c->up);
  unit3(c->up);
}

// The point `dist` metres from `target` in world direction azimuth az (degrees true, from the
// target towards the eye) and elevation el.
static void orbit_point(const float target[3], float az, float el, float dist, float out[3]) {
  const float ce = std::cos(rad(el));
  out[0] = target[0] + dist * std::sin(rad(az)) * ce;
  out[1] = target[1] + dist * std::sin(rad(el));
  out[2] = target[2] - dist * std::cos(rad(az)) * ce;
}

static void cockpit_view(view_camera* c, float yaw, float pitch) {
  float pos[3], r[3], u[3], f[3];
  aircraft_at(pos);
  body_axes(flt.psi, flt.the, flt.phi, r, u, f);
  body_to_world(pos, r, u, f, pln.peX, pln.peY, pln.peZ, c->eye);
  const float ca = std::cos(rad(yaw)), sa = std::sin(rad(yaw));
  const float cp = std::cos(rad(pitch)), sp = std::sin(rad(pitch));
  for (int k = 0; k < 3; k++) {
    c->fwd[k] = (f[k] * ca + r[k] * sa) * cp + u[k] * sp;
    c->up[k] = -(f[k] * ca + r[k] * sa) * sp + u[k] * cp;
  }
  cross3(c->fwd, c->up, c->right);
  unit3(c->right);
}

// Field of view that keeps the aircraft a useful size from far away.
static float auto_zoom(const float eye[3], const float target[3]) {
  const float d = pythag3(target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]);
  const float wide = std::tan(rad(VIEW_FOV_W * 0.5f)), narrow = std::tan(rad(1.0f));
  if (!(d > 1.0f)) return wide;
  return fltlim(5.0f * plane_size / d, narrow, wide);
}

// Top centre of obstacle slot n, m.
static void obstacle_top(int n, float out[3]) {
  out[0] = out[1] = out[2] = 0.0f;
  for (int c = 0; c < 4; c++)
    for (int k = 0; k < 3; k++) out[k] += obs_xyz[n][3][c][k] * 0.25f;
}

// The control tower nearest the aircraft (or, without one, the nearest airport building).
static int nearest_tower() {
  float pos[3];
  aircraft_at(pos);
  int best = -1, best_kind = 0;
  float best_d = 0.0f;
  for (int n = 0; n < OBS_MAX; n++) {
    const int kind = obs_type[n];
    if (kind != 1 && kind != 97) continue;
    float top[3];
    obstacle_top(n, top);
    const float d = pythag(top[0] - pos[0], top[2] - pos[2]);
    // A tower always wins over a building.
    const bool better =
        best < 0 || (kind == 1 && best_kind != 1) || (kind == best_kind && d < best_d);
    if (better) best = n, best_kind = kind, best_d = d;
  }
  return best;
}

// The tower chosen stays the view's while it stands. A region move or a new region frees the
// airports' obstacle slots and fills them again in another order, so a slot that no longer holds
// a tower where the chosen one stood means choosing again: it would otherwise put the eye on
// whatever tower of some other airport now has that slot.
static void tower_view(view_camera* c, const float target[3]) {
  float eye[3];
  if (tower_obs >= 0) obstacle_top(tower_obs, eye);
  if (tower_obs < 0 || (obs_type[tower_obs] != 1 && obs_type[tower_obs] != 97) ||
      !(pythag3(eye[0] - tower_top[0], eye[1] - tower_top[1], eye[2] - tower_top[2]) < 1.0f)) {
    tower_obs = nearest_tower();
    if (tower_obs >= 0) obstacle_top(tower_obs, tower_top);
  }
  if (tower_obs >= 0) {
    obstacle_top(tower_obs, eye);
    eye[1] += obs_type[tower_obs] == 1 ? 2.0f : 15.0f;
  } else {
    // No tower in the region: a tall mast beside the aircraft.
    orbit_point(target, flt.psi + 60.0f, 10.0f, 300.0f, eye);
    keep_above_ground(eye, 20.0f);
  }
  look_at(c, eye, target);
  c->tan_half_w = auto_zoom(eye, target);
}

static void runway_view(view_camera* c, const float target[3]) {
  float eye[3] = {msc.runwayview_X, msc.runwayview_Y, msc.runwayview_Z};
  if (eye[0] == 0.0f && eye[1] == 0.0f && eye[2] == 0.0f) {
    orbit_point(target, flt.psi + 30.0f, 2.0f, 200.0f, eye);
    keep_above_ground(eye, 2.0f);
  }
  look_at(c, eye, target);
  c->tan_half_w = auto_zoom(eye, target);
}

static void chase_view(view_camera* c, const float target[3]) {
  const float dist = 2.5f * plane_size;
  float want[3];
  orbit_point(target, flt.psi + 180.0f, 15.0f, dist, want);
  keep_above_ground(want, 2.0f);
  // The camera trails towards its place behind the aircraft, and jumps there when left far off.
  const float gap = pythag3(want[0] - chase_eye[0], want[1] - chase_eye[1], want[2] - chase_eye[2]);
  if (!chase_valid || !(gap < 5.0f * dist)) {
    for (int k = 0; k < 3; k++) chase_eye[k] = want[k];
    chase_valid = 1;
  } else {
    const float a = fltlim(msc.prd * 3.0f, 0.0f, 1.0f);
    for (int k = 0; k < 3; k++) chase_eye[k] += (want[k] - chase_eye[k]) * a;
  }
  look_at(c, chase_eye, target);
}

static void spot_start() {
  // Ahead of the aircraft and off to its right, looking back at it as it passes.
  float pos[3], eye[3];
  aircraft_at(pos);
  orbit_point(pos, flt.psi + 30.0f, 10.0f, 5.0f * plane_size, eye);
  keep_above_ground(eye, 2.0f);
  msc.spotview_X = eye[0], msc.spotview_Y = eye[1], msc.spotview_Z = eye[2];
}

void view_camera_for(int view, view_camera* c) {
  float target[3];
  aircraft_at(target);
  const float dist = 3.0f * plane_size;
  c->tan_half_w = std::tan(rad(VIEW_FOV_W * 0.5f));
  c->outside = 1;
  c->hud = 0;
  float eye[3];
  switch (view) {
    case VIEW_DOWN_4:
      cockpit_view(c, 0.0f, -4.0f);
      break;
    case VIEW_DOWN_8:
      cockpit_view(c, 0.0f, -8.0f);
      break;
    case VIEW_LEFT_45:
      cockpit_view(c, -45.0f, 0.0f);
      break;
    case VIEW_RIGHT_45:
      cockpit_view(c, 45.0f, 0.0f);
      break;
    case VIEW_LEFT_90:
      cockpit_view(c, -90.0f, 0.0f);
      break;
    case VIEW_RIGHT_90:
      cockpit_view(c, 90.0f, 0.0f);
      break;
    case VIEW_LEFT_135:
      cockpit_view(c, -135.0f, 0.0f);
      break;
    case VIEW_RIGHT_135:
      cockpit_view(c, 135.0f, 0.0f);
      break;
    case VIEW_BACKWARDS:
      cockpit_view(c, 180.0f, 0.0f);
      break;
    case VIEW_SATELLITE:
      eye[0] = target[0], eye[1] = target[1] + 100.0f * plane_size, eye[2] = target[2];
      look_at(c, eye, target);
      break;
    case VIEW_TOWER:
      tower_view(c, target);
      break;
    case VIEW_ON_RUNWAY:
      runway_view(c, target);
      break;
    case VIEW_CHASE:
      chase_view(c, target);
      break;
    case VIEW_CIRCLING:
      orbit_point(target, std::fmod(msc.elap_time * 12.0f, 360.0f), 15.0f, 4.0f * plane_size, eye);
      keep_above_ground(eye, 2.0f);
      look_at(c, eye, target);
      break;
    case VIEW_FOLLOW:
      orbit_point(target, flt.psi + 180.0f + msc.freeviewXZ, msc.freeviewY, dist, eye);
      keep_above_ground(eye, 2.0f);
      look_at(c, eye, target);
      break;
    case VIEW_SPOT:
      eye[0] = msc.spotview_X, eye[1] = msc.spotview_Y, eye[2] = msc.spotview_Z;
      look_at(c, eye, target);
      break;
    case VIEW_ABOVE_40:
    case VIEW_ABOVE_10:
      orbit_point(target, flt.psi + 180.0f, view == VIEW_ABOVE_40 ? 40.0f : 10.0f, dist, eye);
      keep_above_ground(eye, 2.0f);
      look_at(c, eye, target);
      break;
    default:  // forwards, and the two full-screen views
      cockpit_view(c, 0.0f, 0.0f);
      break;
  }
  if (view < VIEW_SATELLITE || view == VIEW_FULL_HUD || view == VIEW_FULL_NO_HUD) c->outside = 0;
  if (view == VIEW_FULL_HUD) c->hud = 1;
  if (view >= VIEW_FORWARDS && view <= VIEW_DOWN_8) c->hud = ins.HUD_on && pln.HUDtype != 0;
  if (view != VIEW_CHASE) chase_valid = 0;
  c->tan_half_w /= fltlim(scn.zoom, 1.0f, 100.0f);
}

// ---- Menu commands and keys ------------------------------------------------------------------

void choose_view(int id) {
  if (id == VIEW_ZOOM_IN) {
    scn.zoom = fltlim(scn.zoom * 2.0f, 1.0f, 100.0f);
    return;
  }
  if (id == VIEW_ZOOM_OUT) {
    scn.zoom = fltlim(scn.zoom * 0.5f, 1.0f, 100.0f);
    return;
  }
  set.view_type = id;
  set.view_is_fullscreen = id == VIEW_FULL_HUD || id == VIEW_FULL_NO_HUD;
  if (id == VIEW_TOWER) tower_obs = -1;
  if (id == VIEW_CHASE) chase_valid = 0;
  if (id == VIEW_FOLLOW) msc.freeviewXZ = 0.0f, msc.freeviewY = 15.0f;
  if (id == VIEW_SPOT) spot_start();
}

void freeviews_keys(int k) {
  if (k < 25 || k > 28) return;
  // A press turns the free view by the frame period in radians, so that a held key turns it at
  // the same rate whatever the frame rate.
  const float step = msc.prd * con.radtodeg;
  // The spot camera moves relative to where it looks: across for left and right, along its line
  // of sight, climb included, for up and down.
  float pos[3], spot[3] = {msc.spotview_X, msc.spotview_Y, msc.spotview_Z}, d[3];
  aircraft_at(pos);
  for (int i = 0; i < 3; i++) d[i] = pos[i] - spot[i];
  if (!unit3(d)) d[0] = 0.0f, d[1] = 0.0f, d[2] = -1.0f;
  float across[3] = {-d[2], 0.0f, d[0]};  // to the right of the line of sight, level
  if (!unit3(across)) across[0] = 1.0f, across[1] = 0.0f, across[2] = 0.0f;
  float move[3] = {0.0f, 0.0f, 0.0f};
  switch (k) {
    case 25:
      msc.freeviewXZ = fltwrap(msc.freeviewXZ - step, 0.0f, 360.0f);
      for (int i = 0; i < 3; i++) move[i] = -100.0f * across[i];
      break;
    case 26:
      msc.freeviewXZ = fltwrap(msc.freeviewXZ + step, 0.0f, 360.0f);
      for (int i = 0; i < 3; i++) move[i] = 100.0f * across[i];
      break;
    case 27:
      msc.freeviewY = fltlim(msc.freeviewY + step, -89.0f, 89.0f);
      for (int i = 0; i < 3; i++) move[i] = 100.0f * d[i];
      break;
    default:
      msc.freeviewY = fltlim(msc.freeviewY - step, -89.0f, 89.0f);
      for (int i = 0; i < 3; i++) move[i] = -100.0f * d[i];
      break;
  }
  msc.spotview_X += move[0];
  msc.spotview_Y += move[1];
  msc.spotview_Z += move[2];
}
