// The camera of each view: where it stands and where it looks, the projection, the field of view,
// the free and spot views' keys, and the view commands.
#include "support/test_support.h"

#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "shared/shared.h"
#include "world/world.h"

extern float plane_size;

namespace {

float dot(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
float len(const float a[3]) { return std::sqrt(dot(a, a)); }
void sub(const float a[3], const float b[3], float out[3]) {
  for (int k = 0; k < 3; k++) out[k] = a[k] - b[k];
}

class RenderView : public ::testing::Test {
 protected:
  void SetUp() override {
    init_constants();
    reset_world_state();
    reset_view_state();
    std::memset(obs_type, 0, sizeof obs_type);
    flt.X = 1000.0, flt.Y = 500.0, flt.Z = -2000.0;
    flt.psi = 90.0f;  // east
    pln.peX = 0.0f, pln.peY = 1.0f, pln.peZ = -2.0f;
    plane_size = 10.0f;
  }
  const float at[3] = {1000.0f, 500.0f, -2000.0f};

  view_camera camera(int view) {
    view_camera c;
    view_camera_for(view, &c);
    return c;
  }
  // Angle in degrees between the line of sight and a world direction.
  static float angle_to(const view_camera& c, const float d[3]) {
    return std::acos(fltlim(dot(c.fwd, d) / len(d), -1.0f, 1.0f)) * 180.0f / 3.14159265f;
  }
  // The line of sight from the eye passes through the aircraft.
  void expect_looks_at_aircraft(const view_camera& c) {
    float d[3];
    sub(at, c.eye, d);
    EXPECT_LT(angle_to(c, d), 0.1f);
  }
};

}  // namespace

TEST_F(RenderView, BodyAxesFollowHeadingPitchAndBank) {
  float r[3], u[3], f[3];
  body_axes(90.0f, 0.0f, 0.0f, r, u, f);
  EXPECT_NEAR(f[0], 1.0f, 1e-5f);  // heading 90 looks east
  EXPECT_NEAR(r[2], 1.0f, 1e-5f);  // with the right wing to the south
  body_axes(0.0f, 30.0f, 0.0f, r, u, f);
  EXPECT_NEAR(f[1], 0.5f, 1e-5f);
  EXPECT_NEAR(f[2], -std::cos(30.0f * con.degtorad), 1e-5f);  // north is -z
  body_axes(37.0f, 12.0f, 25.0f, r, u, f);
  EXPECT_LT(r[1], 0.0f);  // banked right: the right wing down
  for (const float* a : {r, u, f}) EXPECT_NEAR(len(a), 1.0f, 1e-5f);
  EXPECT_NEAR(dot(r, u), 0.0f, 1e-5f);
  EXPECT_NEAR(dot(r, f), 0.0f, 1e-5f);
  EXPECT_NEAR(dot(u, f), 0.0f, 1e-5f);
  // A body point ahead and above lands ahead and above in the world.
  const float at0[3] = {0, 0, 0};
  float p[3];
  body_to_world(at0, r, u, f, 0.0f, 0.0f, -10.0f, p);
  EXPECT_NEAR(dot(p, f), 10.0f, 1e-4f);
}

TEST_F(RenderView, CockpitViewsLookFromThePilotsEyeInTheirDirections) {
  const view_camera fwd = camera(601);
  // Pilot's eye 2 m ahead and 1 m above the reference point: heading east, so 2 m further east.
  EXPECT_NEAR(fwd.eye[0], 1002.0f, 1e-3f);
  EXPECT_NEAR(fwd.eye[1], 501.0f, 1e-3f);
  const struct {
    int view;
    float yaw, pitch;  // of the line of sight from the aircraft's nose, degrees
  } cases[] = {{601, 0, 0},   {602, 0, -4},  {603, 0, -8}, {605, -45, 0},
               {606, 45, 0},  {607, -90, 0}, {608, 90, 0}, {609, -135, 0},
               {610, 135, 0}, {612, 180, 0}, {625, 0, 0},  {626, 0, 0}};
  for (const auto& c : cases) {
    const view_camera v = camera(c.view);
    // Heading east: yaw to the right turns towards the south (+z).
    const float az = (90.0f + c.yaw) * con.degtorad, el = c.pitch * con.degtorad;
    const float want[3] = {std::sin(az) * std::cos(el), std::sin(el), -std::cos(az) * std::cos(el)};
    EXPECT_LT(angle_to(v, want), 0.05f) << c.view;
    EXPECT_EQ(v.outside, 0) << c.view;
  }
  EXPECT_EQ(camera(625).hud, 1);
  EXPECT_EQ(camera(626).hud, 0);
  ins.HUD_on = 1, pln.HUDtype = 1;
  EXPECT_EQ(camera(601).hud, 1);
  ins.HUD_on = 0;
  EXPECT_EQ(camera(601).hud, 0);
}

TEST_F(RenderView, OutsideViewsStandBackAndLookAtTheAircraft) {
  // Satellite: straight down from above.
  view_camera v = camera(614);
  EXPECT_GT(v.eye[1], at[1] + 100.0f);
  EXPECT_NEAR(v.fwd[1], -1.0f, 1e-4f);
  EXPECT_EQ(v.outside, 1);
  expect_looks_at_aircraft(v);

  // Behind at 40 and at 10 degrees: heading east, so behind is west.
  for (int view : {622, 623}) {
    v = camera(view);
    float d[3];
    sub(at, v.eye, d);
    EXPECT_GT(d[0], 0.0f) << view;
    const float el = std::asin(-d[1] / len(d)) * 180.0f / 3.14159265f;
    EXPECT_NEAR(el, view == 622 ? 40.0f : 10.0f, 0.1f);
    expect_looks_at_aircraft(v);
  }

  // Chase: behind and a little above, trailing the aircraft when it moves.
  v = camera(618);
  EXPECT_LT(v.eye[0], at[0]);
  EXPECT_GT(v.eye[1], at[1]);
  expect_looks_at_aircraft(v);
  const float before = v.eye[0];
  flt.X += 10.0;
  msc.prd = 0.05f;
  v = camera(618);
  EXPECT_GT(v.eye[0], before);
  EXPECT_LT(v.eye[0], before + 10.0f);  // lags behind the 10 m the aircraft moved

  // Circling: the same distance at every moment, from a turning direction.
  flt.X -= 10.0;
  msc.elap_time = 0.0f;
  view_camera c1 = camera(619);
  msc.elap_time = 5.0f;
  view_camera c2 = camera(619);
  float d1[3], d2[3];
  sub(at, c1.eye, d1);
  sub(at, c2.eye, d2);
  EXPECT_NEAR(len(d1), len(d2), 1e-2f);
  EXPECT_GT(std::fabs(d1[0] - d2[0]) + std::fabs(d1[2] - d2[2]), 1.0f);

  // Follow: the arrow-key angles turn the camera round the aircraft.
  msc.freeviewXZ = 0.0f, msc.freeviewY = 0.0f;
  c1 = camera(620);
  msc.freeviewXZ = 90.0f;
  c2 = camera(620);
  sub(at, c1.eye, d1);
  sub(at, c2.eye, d2);
  EXPECT_NEAR(dot(d1, d2), 0.0f, 1e-2f * dot(d1, d1));
  expect_looks_at_aircraft(c2);
}

TEST_F(RenderView, FixedCamerasStandWhereTheRecordsPutThem) {
  // Spot: the spot fields.
  msc.spotview_X = 1200.0f, msc.spotview_Y = 520.0f, msc.spotview_Z = -1900.0f;
  view_camera v = camera(621);
  EXPECT_FLOAT_EQ(v.eye[0], 1200.0f);
  expect_looks_at_aircraft(v);

  // Runway: the runway view point, narrowed to keep a distant aircraft in sight.
  msc.runwayview_X = 3000.0f, msc.runwayview_Y = 400.0f, msc.runwayview_Z = -2000.0f;
  v = camera(616);
  EXPECT_FLOAT_EQ(v.eye[0], 3000.0f);
  expect_looks_at_aircraft(v);
  EXPECT_LT(v.tan_half_w, std::tan(VIEW_FOV_W * 0.5f * con.degtorad));

  // Tower: on top of the nearest control tower, rather than a nearer airport building.
  auto put_box = [](int slot, int kind, float x, float z, float h) {
    obs_type[slot] = kind;
    for (int l = 0; l < 4; l++)
      for (int c = 0; c < 4; c++) {
        obs_xyz[slot][l][c][0] = x + (c < 2 ? -3.0f : 3.0f);
        obs_xyz[slot][l][c][1] = h * l / 3.0f;
        obs_xyz[slot][l][c][2] = z + (c == 0 || c == 3 ? 3.0f : -3.0f);
      }
  };
  put_box(4, 1, 5000.0f, -2000.0f, 24.0f);
  put_box(0, 97, 1100.0f, -2000.0f, 6.0f);
  put_box(9, 1, 9000.0f, -2000.0f, 24.0f);
  v = camera(615);
  EXPECT_NEAR(v.eye[0], 5000.0f, 1e-2f);
  EXPECT_NEAR(v.eye[1], 26.0f, 1e-2f);
  expect_looks_at_aircraft(v);
  // A region move fills the slots again in another order: the view stays with the nearest tower,
  // not with the slot.
  put_box(4, 1, 60000.0f, -2000.0f, 24.0f);
  put_box(7, 1, 5000.0f, -2000.0f, 24.0f);
  EXPECT_NEAR(camera(615).eye[0], 5000.0f, 1e-2f);
  // A new flight at another airport of the region takes the tower nearest the new start.
  flt.X = 9100.0f;
  flight_hooks.new_flight();
  EXPECT_NEAR(camera(615).eye[0], 9000.0f, 1e-2f);

  // Zoom narrows every view.
  const float wide = camera(601).tan_half_w;
  scn.zoom = 4.0f;
  EXPECT_NEAR(camera(601).tan_half_w, wide / 4.0f, 1e-6f);
}

TEST_F(RenderView, MatricesProjectTheLineOfSightToTheCentre) {
  view_camera c = camera(623);
  float proj[16], cam[16];
  view_matrices(&c, 2.0f, 1.0f, 1000.0f, proj, cam);
  auto ndc = [&](const float p[3], float out[3]) {
    float e[4], q[4];
    for (int r = 0; r < 4; r++)
      e[r] = cam[r] * p[0] + cam[4 + r] * p[1] + cam[8 + r] * p[2] + cam[12 + r];
    for (int r = 0; r < 4; r++)
      q[r] = proj[r] * e[0] + proj[4 + r] * e[1] + proj[8 + r] * e[2] + proj[12 + r] * e[3];
    for (int k = 0; k < 3; k++) out[k] = q[k] / q[3];
  };
  float n[3];
  ndc(at, n);
  EXPECT_NEAR(n[0], 0.0f, 1e-4f);
  EXPECT_NEAR(n[1], 0.0f, 1e-4f);
  // To the right of the aircraft appears right; above, up; the edge of the field at x = 1.
  float p[3];
  for (int k = 0; k < 3; k++) p[k] = at[k] + c.right[k];
  ndc(p, n);
  EXPECT_GT(n[0], 0.0f);
  for (int k = 0; k < 3; k++) p[k] = at[k] + c.up[k];
  ndc(p, n);
  EXPECT_GT(n[1], 0.0f);
  const float d = 30.0f;
  for (int k = 0; k < 3; k++) p[k] = c.eye[k] + d * c.fwd[k] + d * c.tan_half_w * c.right[k];
  ndc(p, n);
  EXPECT_NEAR(n[0], 1.0f, 1e-3f);
  // Depth: the near plane at -1, the far plane at 1.
  for (float dist : {1.0f, 1000.0f}) {
    for (int k = 0; k < 3; k++) p[k] = c.eye[k] + dist * c.fwd[k];
    ndc(p, n);
    EXPECT_NEAR(n[2], dist < 2 ? -1.0f : 1.0f, 1e-3f);
  }

  view_frustum f;
  view_frustum_for(&c, 2.0f, &f);
  EXPECT_TRUE(frustum_sees(&f, at, 0.0f));
  for (int k = 0; k < 3; k++) p[k] = c.eye[k] - 50.0f * c.fwd[k];
  EXPECT_FALSE(frustum_sees(&f, p, 10.0f));  // behind the eye
  EXPECT_TRUE(frustum_sees(&f, p, 60.0f));   // unless it reaches round it
  for (int k = 0; k < 3; k++) p[k] = at[k] + 3.0f * d * c.right[k];
  EXPECT_FALSE(frustum_sees(&f, p, 1.0f));  // far off to the side
}

TEST_F(RenderView, CommandsChooseViewsAndSetUpTheMovingOnes) {
  choose_view(626);
  EXPECT_EQ(set.view_type, 626);
  EXPECT_EQ(set.view_is_fullscreen, 1);
  choose_view(618);
  EXPECT_EQ(set.view_is_fullscreen, 0);
  msc.freeviewXZ = 123.0f;
  choose_view(620);
  EXPECT_EQ(msc.freeviewXZ, 0.0f);
  // The spot camera starts ahead of the aircraft, off to one side, a little above.
  choose_view(621);
  const float spot[3] = {msc.spotview_X, msc.spotview_Y, msc.spotview_Z};
  float d[3];
  sub(spot, at, d);
  EXPECT_GT(d[0], 20.0f);  // ahead, heading east
  EXPECT_GT(d[2], 10.0f);  // to the right, south
  EXPECT_GT(d[1], 0.0f);
  // Zoom commands leave the view as it was.
  choose_view(628);
  EXPECT_EQ(set.view_type, 621);
  EXPECT_FLOAT_EQ(scn.zoom, 2.0f);
}

TEST_F(RenderView, ArrowKeysTurnTheFreeViewAndMoveTheSpotCamera) {
  msc.prd = 0.05f;
  msc.freeviewXZ = 1.0f, msc.freeviewY = 88.0f;
  msc.spotview_X = 1000.0f, msc.spotview_Y = 500.0f, msc.spotview_Z = -1500.0f;  // 500 m south
  freeviews_keys(25);
  // One press turns by the frame period in radians, wrapped into one turn.
  EXPECT_NEAR(msc.freeviewXZ, 1.0f - 0.05f * con.radtodeg + 360.0f, 1e-3f);
  // Left, seen from the south looking north, is west.
  EXPECT_NEAR(msc.spotview_X, 900.0f, 1e-3f);
  EXPECT_NEAR(msc.spotview_Z, -1500.0f, 1e-3f);
  freeviews_keys(27);
  EXPECT_FLOAT_EQ(msc.freeviewY, 89.0f);  // limited
  const float before[3] = {msc.spotview_X, msc.spotview_Y, msc.spotview_Z};
  freeviews_keys(27);
  const float after[3] = {msc.spotview_X, msc.spotview_Y, msc.spotview_Z};
  float moved[3];
  sub(after, before, moved);
  EXPECT_NEAR(len(moved), 100.0f, 1e-2f);
  EXPECT_LT(moved[2], 0.0f);  // towards the aircraft, northwards
  freeviews_keys(28);
  EXPECT_NEAR(msc.spotview_Z, before[2], 1e-2f);
  freeviews_keys(24);  // not an arrow key
  EXPECT_NEAR(msc.spotview_Z, before[2], 1e-2f);
}
