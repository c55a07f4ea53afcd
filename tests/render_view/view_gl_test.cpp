// The default start drawn by Mesa: measurable properties of the pictures, never exact pictures.
// (The level horizon and the runway ahead at noon are checked in panel_view's default start.)
#include "render_view/view_fixture.h"

#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/desktop/ogl_gl.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "render/scene.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

int luminance(uint32_t c) { return (red_of(c) * 3 + green_of(c) * 6 + blue_of(c)) / 10; }
int horizon_row(const picture& p, int x) { return ::horizon_row(p, x, p.h); }

bool is_aircraft_red(uint32_t c) { return red_of(c) > 120 && green_of(c) < 70 && blue_of(c) < 70; }
bool is_light(uint32_t c) { return luminance(c) > 170; }
bool is_red_light(uint32_t c) { return red_of(c) > 150 && green_of(c) < 80; }
bool is_hud_green(uint32_t c) { return green_of(c) > 200 && red_of(c) < 120 && blue_of(c) < 120; }

// One frame of the view in a picture of a size a window has.
enum { BIG_W = 640, BIG_H = 400 };
picture big_picture() {
  ogl_gl_select_window(GL_TEST_WINDOW, BIG_W, BIG_H);
  mnw.dx[0] = BIG_W, mnw.dy[0] = BIG_H;
  update_scenery();
  return gl_read(0, 0, BIG_W, BIG_H);
}

// Colour of world point p in a big picture of the frame just drawn.
uint32_t colour_at(const picture& pic, const float p[3]) {
  const view_camera& c = vf.cam;
  float d[3], a = 0.0f, x = 0.0f, y = 0.0f;
  for (int k = 0; k < 3; k++) d[k] = p[k] - c.eye[k];
  for (int k = 0; k < 3; k++) a += d[k] * c.fwd[k], x += d[k] * c.right[k], y += d[k] * c.up[k];
  const float f = 0.5f * pic.w / c.tan_half_w;
  return pic.at(static_cast<int>(0.5f * pic.w + f * x / a),
                static_cast<int>(0.5f * pic.h + f * y / a));
}

// Ship `kind` (0 carrier, 1 frigate, 2 oil rig) is put level 300 m east of the aircraft at the
// field, and the eye looks straight down from `above` m over the point (x, y, z) of the ship's own
// axes, which p receives in world axes.
void place_ship_under_the_eye(int kind, float x, float y, float z, float above, float p[3]) {
  const float at[3] = {static_cast<float>(flt.X) + 300.0f, apt_h[view_sbd()] + 2.0f,
                       static_cast<float>(flt.Z)};
  env.frig_the = env.frig_phi = env.carr_the = env.carr_phi = 0.0f;
  for (int k = 0; k < 3; k++) ships.carr_at[0][k] = ships.frig_at[0][k] = ships.oilr[0][k] = at[k];
  const int hdg = kind == 0 ? CARRIER_HDG : kind == 1 ? FRIGATE_HDG : 0;
  float r[3], u[3], f[3];
  body_axes(static_cast<float>(hdg), 0.0f, 0.0f, r, u, f);
  body_to_world(at, r, u, f, x, y, z, p);
  flt.X = p[0], flt.Z = p[2], flt.Y = flt.h = p[1] + above;
  flt.psi = 0.0f, flt.the = -90.0f;
}

// Only ship `kind` is there; -1, none.
void show_ship(int kind) {
  ships.n_carr = kind == 0, ships.n_frig = kind == 1, ships.oilr_count = kind == 2;
  update_ships();
}

// Takes the aircraft's body and every part but the fins (all of them unless `fins`) away.
void strip_aircraft(bool fins) {
  for (int part = 0; part < NUM_PARTS; part++)
    if (!fins || (part != PART_VSTAB1 && part != PART_VSTAB2)) pln.semilen[part] = 0.0f;
  std::memset(pln.body_X, 0, sizeof pln.body_X);
  std::memset(pln.body_Y, 0, sizeof pln.body_Y);
  std::memset(pln.body_Z, 0, sizeof pln.body_Z);
}

}  // namespace

TEST_F(RenderView, BankingTiltsTheHorizonTheWayTheWingsGo) {
  level_the_ground();
  flt.phi = 20.0f;
  const picture p = view_frame_picture();
  const int left = horizon_row(p, 2), right = horizon_row(p, p.w - 3);
  // Right wing down: the world turns the other way, the horizon rises on the right.
  EXPECT_GT(left - right, 15) << left << " " << right;
  flt.phi = 340.0f;
  const picture q = view_frame_picture();
  restore_the_ground();
  EXPECT_LT(horizon_row(q, 2) - horizon_row(q, q.w - 3), -15);
}

TEST_F(RenderView, AtNightTheRunwayLightsShineOnADarkScene) {
  view_start(0.5f);
  const picture p = view_frame_picture();
  long sum = 0;
  for (uint32_t c : p.px) sum += luminance(c);
  EXPECT_LT(sum / static_cast<long>(p.px.size()), 30);
  const int lights = count(p, is_light);
  EXPECT_GT(lights, 20);
  // The touchdown zone ahead is lit only when the end landed on has it, whatever the other end has.
  int k = 0;
  while (apt_to_index[k] != view_sbd()) k++;
  int* kinds = env.lgt_rwy[k][0];
  for (int swapped = 0; swapped < 2; swapped++) {
    const picture t = big_picture();
    int tdz = 0;
    for (int i = 361; i <= 480; i++)
      tdz += (i - 361) % 20 >= 10 && is_light(colour_at(t, scn.rwayxyz[k][0][i]));
    EXPECT_EQ(tdz > 10, swapped == 0) << tdz;
    std::swap(kinds[0], kinds[1]);
  }
  // By day the same lights are off: what is bright is sky and paint, not points of light in the
  // dark ground beyond the runway.
  save_picture(p, "night.ppm");
  view_start(12.0f);
  const picture d = view_frame_picture();
  long day = 0;
  for (uint32_t c : d.px) day += luminance(c);
  EXPECT_GT(day / static_cast<long>(d.px.size()), 100);
  // All but the glide-slope lights: the pilot of a visual approach flies by them in daylight too.
  int& kind = env.lgt_gls[k][0][0];
  const int papi = kind;
  kind = 1;
  const int without = count(big_picture(), is_red_light);
  kind = papi;
  EXPECT_GT(count(big_picture(), is_red_light), without);
}

TEST_F(RenderView, TheGlideSlopeLightsShowThePathThatMeetsTheAimingPoint) {
  int k = 0;
  while (apt_to_index[k] != view_sbd()) k++;
  const float(*m)[3] = scn.markxyz[k][0][0];
  const float len = pythag(m[0][0] - m[3][0], m[0][2] - m[3][2]), d = 400.0f;
  const float f = (d - 300.0f) / len, field = scn.rwayxyz[k][0][276][1];
  // Four lights in a row, then two bars of two: on the path as many white as red either way.
  int& lite = apt_lite[view_sbd()][0];
  const int papi = lite;
  for (int code : {papi, papi - 100000}) {
    lite = code;
    build_apt_runways(k, view_sbd());
    for (auto [deg, white] : {std::pair{2.0f, 0}, {3.0f, 2}, {4.5f, 4}}) {
      flt.X = 0.5f * (m[2][0] + m[3][0]) - f * (m[0][0] - m[3][0]);
      flt.Z = 0.5f * (m[2][2] + m[3][2]) - f * (m[0][2] - m[3][2]);
      flt.Y = flt.h = field + d * std::tan(deg * con.degtorad);
      flt.the = -deg;
      const picture p = big_picture();
      int lit = 0;
      for (int i = 276; i < 280; i++) lit += green_of(colour_at(p, scn.rwayxyz[k][0][i])) > 150;
      EXPECT_EQ(lit, white) << code << " " << deg;
    }
  }
  lite = papi;
  build_apt_runways(k, view_sbd());
}

TEST_F(RenderView, AtNightTallObstaclesCarryARedLightOnTop) {
  // Two masts and a building, 600 m ahead and 200 m to the left: each adds red light to the
  // picture, the masts on top of their second levels, the building where its roof does not hide
  // it from below.
  view_start(0.5f);
  scn.rb_cycle = 0.0f;  // the lights' blink is on
  const int h = apt_hdng[view_sbd()][0];
  for (int kind : {3, 6, 90}) {
    int slot = 0;
    while (slot < OBS_MAX - 1 && obs_type[slot]) slot++;
    ASSERT_EQ(obs_type[slot], 0);
    const float x = static_cast<float>(flt.X) + 600.0f * isin(h) - 200.0f * icos(h),
                z = static_cast<float>(flt.Z) - 600.0f * icos(h) - 200.0f * isin(h);
    const int without = count(big_picture(), is_red_light);
    make_an_obs(x, z, 200.0f, kind, env.i_aircraft, env.j_aircraft, slot);
    EXPECT_GT(count(big_picture(), is_red_light), without) << kind;
    obs_type[slot] = 0;
  }
}

TEST_F(RenderView, AtNightACitysStreetLightsShowAmongItsBlocks) {
  // Straight down from 1500 m over the city nearest the field: its cell adds lights to the picture.
  view_start(0.5f);
  int ci = -1, cj = -1;
  float best = 1e30f;
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      const float d = pythag(planexyz[i][j][0] - static_cast<float>(flt.X),
                             planexyz[i][j][2] - static_cast<float>(flt.Z));
      if (city_on_poly[i][j] && d < best) best = d, ci = i, cj = j;
    }
  ASSERT_GE(ci, 0);
  const float* p = city_xyz[ci][cj][0][0];
  flt.X = p[0], flt.Z = p[2], flt.Y = flt.h = p[1] + 1500.0f;
  flt.psi = 0.0f, flt.the = -90.0f;
  city_on_poly[ci][cj] = 0;
  const int dark = count(big_picture(), is_light);
  city_on_poly[ci][cj] = 1;
  EXPECT_GE(count(big_picture(), is_light), dark + 6);
}

TEST_F(RenderView, OutsideViewsShowTheAircraftWhereTheCockpitViewDoesNot) {
  // The glide-slope lights, red from the ground, are off: red is the aircraft's here.
  int gls[REGION_LIST_MAX][APT_RWYS][2];
  std::memcpy(gls, env.lgt_gls, sizeof gls);
  for (auto& apt : env.lgt_gls)
    for (auto& rwy : apt) rwy[0] = rwy[1] = 1;
  static planestruct saved;
  saved = pln;
  for (int view : {618, 621}) {
    choose_view(view);
    const picture with = view_frame_picture();
    const int near_centre =
        count(with, with.w / 4, 3 * with.w / 4, with.h / 4, 3 * with.h / 4, is_aircraft_red);
    EXPECT_GT(near_centre, 10) << view;
    // The same picture with the aircraft's parts taken away: none of its colour is left.
    strip_aircraft(false);
    const picture without = view_frame_picture();
    // Only the fixed wheels are left, and they go with their legs when a hard landing breaks them.
    set.gear_stat[0] = set.gear_stat[1] = set.gear_stat[2] = 0;
    const picture broken = view_frame_picture();
    pln.gearEQ = 0;
    const picture wheelless = view_frame_picture();
    set.gear_stat[0] = set.gear_stat[1] = set.gear_stat[2] = 1;
    EXPECT_FALSE(without.px == wheelless.px) << view;
    EXPECT_TRUE(broken.px == wheelless.px) << view;
    pln = saved;
    EXPECT_EQ(count(without, is_aircraft_red), 0) << view;
    save_picture(with, "outside" + std::to_string(view) + ".ppm");
  }
  choose_view(601);
  const picture cockpit = view_frame_picture();
  EXPECT_EQ(count(cockpit, is_aircraft_red), 0);
  // The fin alone, seen from behind, close up: edge-on it covers only the middle column, and right
  // pedal swings the rudder's trailing edge out to the right of it, left pedal to the left.
  strip_aircraft(true);
  choose_view(618);
  scn.zoom = 3.0f;
  auto pedal = [](float p) {
    set.FC_hdng = p;
    set_deflections();
  };
  auto rudder_side = [&](float p) {
    pedal(0.0f);
    const picture centred = big_picture();
    pedal(p);
    const picture turned = big_picture();
    int right = 0, left = 0;
    for (int y = 0; y < turned.h; y++)
      for (int x = 0; x < turned.w; x++)
        if (turned.at(x, y) != centred.at(x, y)) (x > turned.w / 2 ? right : left)++;
    return right - left;
  };
  EXPECT_GT(rudder_side(1.0f), 20);
  EXPECT_LT(rudder_side(-1.0f), -20);
  pedal(0.0f);
  scn.zoom = 1.0f;
  pln = saved;
  std::memcpy(env.lgt_gls, gls, sizeof gls);
}

TEST_F(RenderView, TheHeadUpDisplayShowsOnlyWhereItBelongs) {
  choose_view(625);
  const picture with = view_frame_picture();
  EXPECT_GT(count(with, is_hud_green), 30);
  choose_view(626);
  const picture without = view_frame_picture();
  EXPECT_EQ(count(without, is_hud_green), 0);
  // Its airspeed is in the units of the aircraft's airspeed indicator: 100 kt on an aircraft
  // that indicates mph reads as 115 kt does on one that indicates knots.
  choose_view(625);
  const int units = pln.asi_units;
  pln.asi_units = 1, flt.vind = 100.0f;
  const picture mph = big_picture();
  pln.asi_units = 2, flt.vind = 115.0f;
  const picture kt = big_picture();
  flt.vind = 100.0f;
  const picture kt100 = big_picture();
  pln.asi_units = units;
  EXPECT_TRUE(mph.px == kt.px);
  EXPECT_FALSE(kt100.px == kt.px);
}

TEST_F(RenderView, UnderOvercastTheSkyTurnsGreyAndTheCloudBaseShows) {
  atm.cld_type = 1;
  atm.baseMSL = static_cast<float>(flt.Y) + 1000.0f;
  atm.topsMSL = static_cast<float>(flt.Y) + 2500.0f;
  const picture p = view_frame_picture();
  // The top rows are cloud: grey, not blue sky.
  EXPECT_EQ(count(p, 0, p.w, p.h - 10, p.h, is_sky), 0);
  // Rain falling shows against that grey: its streaks move between two moments. A clear sky
  // drops none.
  auto streaks = [&]() {
    atm.rain_tstm = 2.0f, atm.level = 2.0f;
    const picture wet = view_frame_picture();
    msc.elap_time += 0.13f;
    const picture later = view_frame_picture();
    atm.rain_tstm = 1.0f, atm.level = 0.0f;
    int n = 0;
    for (int y = p.h / 2; y < p.h; y++)
      for (int x = 0; x < p.w; x++)
        n += std::abs(luminance(wet.at(x, y)) - luminance(later.at(x, y))) > 8;
    return n;
  };
  EXPECT_GT(streaks(), 40);
  atm.cld_type = 0;
  EXPECT_EQ(streaks(), 0);
  atm.cld_type = 1;
  // In the cloud nothing but cloud is seen: from the cockpit of an aircraft in it, and from the
  // camera high above an aircraft under the base.
  const float field = static_cast<float>(flt.Y);
  for (int view : {601, 614}) {
    choose_view(view);
    flt.Y = flt.h = view == 601 ? atm.baseMSL + 800.0f : field;
    // The base, with its relief, 50 m over the aircraft.
    const float ax = static_cast<float>(flt.X), az = static_cast<float>(flt.Z);
    if (view == 614) atm.baseMSL += field + 50.0f - cloud_base_at(ax, az);
    if (view == 601) {  // the nose on the sun
      flt.psi = std::atan2(vf.sky.sun_dir[0], -vf.sky.sun_dir[2]) * con.radtodeg;
      flt.the = vf.sky.sun_elev;
    }
    update_cloud_position();  // as the loop does before drawing
    const picture in = view_frame_picture();
    const uint32_t c0 = in.at(in.w / 2, in.h / 2);
    for (int y = 0; y < in.h; y += 9)
      for (int x = 0; x < in.w; x += 9) {
        EXPECT_NEAR(luminance(in.at(x, y)), luminance(c0), 8) << view << ": " << x << " " << y;
      }
  }
}

TEST_F(RenderView, TheRunwayJustAheadIsNotCrossedByTheGroundUnderIt) {
  // The field lies some 160 km from the region's reference: the runway and the terrain it covers
  // must not fight for the pixels a couple of metres ahead of the pilot, in a picture of a size
  // a window has.
  const picture p = big_picture();
  EXPECT_EQ(count(p, 0, p.w, 0, p.h / 4, is_pavement), p.w * (p.h / 4));
  // A seaplane base's water lane is not paved: what is under it shows.
  char& letter = apt_lr[view_sbd()][0];
  const char painted = letter;
  letter = 'W';
  const picture lane = big_picture();
  letter = painted;
  EXPECT_LT(count(lane, 0, lane.w, 0, lane.h / 4, is_pavement), lane.w * (lane.h / 4) / 10);
}

TEST_F(RenderView, ShipsShowTheWholeDeckThatCarriesAnAircraft) {
  // Looking straight down on a deck point from 150 m: the ship hides the ground there.
  struct deck_point {
    int frigate;
    float x, z;  // in the ship's axes, m
  } const cases[] = {
      {1, 6.0f, -20.0f}, {1, 0.0f, -55.0f}, {0, -30.0f, -150.0f}, {0, -30.0f, 155.0f}};
  for (const deck_point& c : cases) {
    view_start(12.0f);
    const int kind = c.frigate;
    float p[3];
    place_ship_under_the_eye(kind, c.x, kind ? FRIGATE_DECK : CARRIER_DECK, c.z, 150.0f, p);
    uint32_t seen[2];
    for (int with = 0; with < 2; with++) {
      show_ship(with ? kind : -1);
      seen[with] = colour_at(big_picture(), p);
    }
    show_ship(-1);
    EXPECT_NE(seen[1], seen[0]) << c.frigate << " " << c.x << " " << c.z;
  }
}

TEST_F(RenderView, AtNightEachShipShowsItsLightOnItsHighestPoint) {
  // Looking straight down from 300 m at night on the top of the carrier's island, the frigate's
  // deckhouse and the rig's derrick (in each one's own axes): the mast-head light is there.
  struct mast {
    int kind;  // 0 carrier, 1 frigate, 2 oil rig
    float x, y, z;
  } const cases[] = {{0, 15.5f, CARRIER_DECK + 24.0f, 10.0f},
                     {1, 0.0f, FRIGATE_DECK + 9.0f, -5.0f},
                     {2, -8.0f, OILRIG_DECK + 38.0f, -8.0f}};
  for (const mast& c : cases) {
    view_start(0.5f);
    float p[3];
    place_ship_under_the_eye(c.kind, c.x, c.y + 1.0f, c.z, 300.0f, p);
    show_ship(c.kind);
    const uint32_t seen = colour_at(big_picture(), p);
    show_ship(-1);
    EXPECT_TRUE(is_light(seen)) << c.kind << " " << std::hex << seen;
  }
}
