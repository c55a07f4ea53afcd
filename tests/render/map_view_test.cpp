// The map windows' views: the projection, zoom within its limits, fitting the region, the button
// bar, dragging the ground along with the mouse, clicks against drags, and turning the 3-D maps.
#include "map_fixture.h"

#include <cmath>

namespace {

class RenderMapView : public MapTest {
 protected:
  static int bar_y(const mapview* v) { return map_height(v->win) - MAP_BAR_H / 2; }
  static int button_x(const mapview* v, int id) {
    int x, w;
    EXPECT_TRUE(map_button_box(v, id, &x, &w)) << id;
    return x + w / 2;
  }
};

TEST_F(RenderMapView, ProjectionRoundTripsWithNorthUpAndTrueScaleAlongItsParallel) {
  mapview* v = open(MAP_ENROUTE);
  ASSERT_EQ(v->win, MAP_WIN_CHART);
  EXPECT_TRUE(v->follow);
  float x0, y0;
  map_project(v, v->clat, v->clon, &x0, &y0);
  EXPECT_FLOAT_EQ(x0, MAP_CHART_W / 2.0f);
  EXPECT_FLOAT_EQ(y0, (MAP_CHART_H - MAP_BAR_H) / 2.0f);
  // One nautical mile north and one east of the centre are each ppnm pixels away.
  const float one_nm_lon = 1.0f / (60.0f * std::cos(v->ref_lat * con.degtorad));
  const float places[][2] = {{v->clat + 1.0f / 60.0f, v->clon}, {v->clat, v->clon + one_nm_lon},
                             {33.5f, -118.0f}, {35.0f, -116.1f}};
  for (const auto& p : places) {
    float x, y, lat, lon;
    map_project(v, p[0], p[1], &x, &y);
    map_unproject(v, x, y, &lat, &lon);
    EXPECT_NEAR(lat, p[0], 1e-4f);
    EXPECT_NEAR(lon, p[1], 1e-4f);
  }
  float xn, yn, xe, ye;
  map_project(v, places[0][0], places[0][1], &xn, &yn);
  map_project(v, places[1][0], places[1][1], &xe, &ye);
  EXPECT_NEAR(yn - y0, v->ppnm, 1e-2f);
  EXPECT_NEAR(xn, x0, 1e-3f);
  EXPECT_NEAR(xe - x0, v->ppnm, 1e-2f);
  EXPECT_NEAR(ye, y0, 1e-3f);
}

TEST_F(RenderMapView, ZoomKeepsTheCentreAndItsLimitsAndFitShowsTheRegion) {
  env.lat_sou = 33, env.lon_wes = -119, env.dx = 270000.0f, env.dz = 222000.0f;
  mapview* v = open(MAP_LOCAL);
  EXPECT_FALSE(v->follow);
  // Every corner of the region lies in the map area, and the region fills most of it.
  float xs[2], ys[2];
  map_project(v, 33.0f, -119.0f, &xs[0], &ys[0]);
  map_project(v, 35.0f, -116.0f, &xs[1], &ys[1]);
  EXPECT_GE(xs[0], 0.0f);
  EXPECT_GE(ys[0], 0.0f);
  EXPECT_LE(xs[1], MAP_CHART_W);
  EXPECT_LE(ys[1], MAP_CHART_H - MAP_BAR_H);
  EXPECT_GT(std::fmax(xs[1] - xs[0], (ys[1] - ys[0]) * MAP_CHART_W / (MAP_CHART_H - MAP_BAR_H)),
            0.9f * MAP_CHART_W);

  const float lat = v->clat, lon = v->clon;
  for (int k = 0; k < 40; k++) map_zoom(v, 1.5f);
  EXPECT_FLOAT_EQ(v->ppnm, MAP_PPNM_MAX);
  for (int k = 0; k < 80; k++) map_zoom(v, 1.0f / 1.5f);
  EXPECT_FLOAT_EQ(v->ppnm, MAP_PPNM_MIN);
  map_zoom(v, 0.0f);  // no scale at all is refused
  map_zoom(v, NAN);
  EXPECT_FLOAT_EQ(v->ppnm, MAP_PPNM_MIN);
  EXPECT_FLOAT_EQ(v->clat, lat);
  EXPECT_FLOAT_EQ(v->clon, lon);
}

TEST_F(RenderMapView, TheBarsButtonsActOnPress) {
  env.lat_sou = 33, env.lon_wes = -119, env.dx = 270000.0f, env.dz = 222000.0f;
  mapview* v = open(MAP_ENROUTE, 1);
  const float ppnm = v->ppnm;
  map_press(v, button_x(v, MAP_BTN_ZOOM_IN), bar_y(v));
  EXPECT_FLOAT_EQ(v->ppnm, ppnm * 1.5f);
  EXPECT_FALSE(v->down);  // a button is no drag
  map_press(v, button_x(v, MAP_BTN_FOLLOW), bar_y(v));
  EXPECT_FALSE(v->follow);
  // A tab shows another chart and keeps the picking; the radar cannot pick.
  map_press(v, button_x(v, MAP_BTN_LOCAL), bar_y(v));
  EXPECT_EQ(v->kind, MAP_LOCAL);
  EXPECT_TRUE(v->pick);
  map_press(v, button_x(v, MAP_BTN_RADAR), bar_y(v));
  EXPECT_EQ(v->kind, MAP_RADAR);
  EXPECT_FALSE(v->pick);
  EXPECT_EQ(map_button_at(v, MAP_CHART_W - 2, bar_y(v)), MAP_BTN_NONE);
  // The world's bar has no chart tabs.
  mapview* world = open(MAP_WORLD);
  EXPECT_FALSE(map_button_box(world, MAP_BTN_RADAR, nullptr, nullptr));
  EXPECT_EQ(map_button_at(world, button_x(world, MAP_BTN_ALL), bar_y(world)), MAP_BTN_ALL);
}

TEST_F(RenderMapView, ADragCarriesTheGroundWithTheMouseAndOnlyAStillPressClicks) {
  mapview* v = open(MAP_ENROUTE, 1);
  float lat0, lon0;
  map_unproject(v, 100.0f, 100.0f, &lat0, &lon0);
  map_press(v, 100, 100);
  map_drag(v, 102, 98);  // within the slop: nothing moves yet
  EXPECT_TRUE(v->follow);
  map_drag(v, 150, 80);
  EXPECT_FALSE(v->follow);
  float x, y, lat, lon;
  map_project(v, lat0, lon0, &x, &y);
  EXPECT_NEAR(x, 150.0f, 1e-2f);
  EXPECT_NEAR(y, 80.0f, 1e-2f);
  EXPECT_EQ(map_release(v, 150, 80, &lat, &lon), 0);  // a drag picks nothing

  map_press(v, 300, 200);
  map_drag(v, 301, 201);
  ASSERT_EQ(map_release(v, 302, 199, &lat, &lon), 1);
  float want_lat, want_lon;
  map_unproject(v, 302.0f, 199.0f, &want_lat, &want_lon);
  EXPECT_FLOAT_EQ(lat, want_lat);
  EXPECT_FLOAT_EQ(lon, want_lon);
  EXPECT_EQ(map_release(v, 302, 199, &lat, &lon), 0);  // one release per press
  v->clon = 179.99f;
  map_unproject(v, 100.0f, 100.0f, &lat0, &lon0);
  map_press(v, 100, 100);
  map_drag(v, 50, 100);
  map_project(v, lat0, lon0, &x, &y);
  EXPECT_NEAR(x, 50.0f, 1e-2f);
  EXPECT_EQ(map_release(v, 50, 100, &lat, &lon), 0);

  v = open(MAP_ENROUTE);
  for (float clon : {-117.0f, 182.5f}) {
    v->ppnm = 100.0f, v->clat = 34.9996f, v->clon = clon;
    map_project(v, v->clat, v->clon, &x, &y);
    map_press(v, intround(x), intround(y));
    EXPECT_EQ(map_release(v, intround(x), intround(y), &lat, &lon), 0);
    EXPECT_STREQ(v->info, clon < 0.0f ? "N35 00.0  W117 00.0" : "N35 00.0  W177 30.0");
  }
}

TEST_F(RenderMapView, DraggingTheThreeDMapsTurnsThemWithinTheirTilt) {
  for (int kind : {MAP_ISO, MAP_PATH}) {
    mapview* v = open(kind);
    const float yaw = v->yaw;
    map_press(v, 200, 200);
    map_drag(v, 260, 200);
    EXPECT_FLOAT_EQ(v->yaw, fltwrap(yaw - 30.0f, 0.0f, 360.0f)) << kind;
    map_drag(v, 260, -2000);
    EXPECT_FLOAT_EQ(v->pitch, 89.0f);
    map_drag(v, 260, 2000);
    EXPECT_FLOAT_EQ(v->pitch, 5.0f);
    float lat, lon;
    EXPECT_EQ(map_release(v, 200, 200, &lat, &lon), 0);
    map_zoom(v, 100.0f);
    EXPECT_FLOAT_EQ(v->zoom, 16.0f);
  }
}

TEST_F(RenderMapView, OnlyTheWorldTheDataCoversIsInIt) {
  const struct {
    float lat, lon;
    int in;
  } cases[] = {{34.1f, -117.2f, 1}, {23.0f, -126.0f, 1}, {51.0f, -65.0f, 1}, {22.9f, -100.0f, 0},
               {40.0f, -64.9f, 0},  {40.0f, -126.1f, 0}, {NAN, -100.0f, 0}, {51.1f, -100.0f, 0}};
  for (const auto& c : cases) EXPECT_EQ(map_in_world(c.lat, c.lon), c.in) << c.lat << " " << c.lon;
}

}  // namespace
