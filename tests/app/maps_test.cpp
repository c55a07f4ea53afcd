// The map windows in the simulator: each command opens its map, the pickers hold the flight, a
// press acts once however long it is held, a drag pans, and a click on a picking map starts the
// flight there with the region around it, or says that the place lies beyond the world.
#include "app_fixture.h"

#include <cmath>

#include "controls/controls.h"
#include "flight/flight.h"
#include "render/map.h"
#include "world/world.h"

class AppMaps : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    APPLICATION_setupmenus();
  }
  // The mouse goes down at window pixel (x, y), counted from the bottom as the maps count.
  static void press(int w, float x, float y) {
    macibm_event_mouse_move(w, intround(x), mnw.dy[w] - 1 - intround(y));
    macibm_event_button_down(w);
  }
  static void move(int w, float x, float y) {
    macibm_event_mouse_move(w, intround(x), mnw.dy[w] - 1 - intround(y));
  }
};

TEST_F(AppMaps, EveryMapCommandOpensItsWindowAndOnlyThePickersHoldTheFlight) {
  const struct {
    int id, window, kind, pick;
    const char* title;
  } cases[] = {{503, 3, MAP_ENROUTE, 0, "Low Enroute"},
               {504, 3, MAP_LOCAL, 0, "Local Virtual-World"},
               {505, 3, MAP_RADAR, 0, "Weather Radar Map"},
               {506, 26, MAP_ISO, 0, "Isometric Region"},
               {507, 4, MAP_WORLD, 1, "World"},
               {508, 27, MAP_PATH, 0, "3-D Flight Path"},
               {311, 3, MAP_ENROUTE, 1, "Enroute: Click A Place To Start There"},
               {312, 3, MAP_LOCAL, 1, "Local VR: Click A Place To Start There"},
               {313, 4, MAP_WORLD, 1, "World"}};
  // In this order a moving map follows a picker: the picker's hold must go with it.
  for (const auto& c : cases) {
    APPLICATION_handlemenu(c.id);
    ASSERT_EQ(mnw.up[c.window], 1) << c.id;
    const mapview* v = map_of_window(c.window);
    EXPECT_EQ(v->kind, c.kind) << c.id;
    EXPECT_EQ(v->pick, c.pick) << c.id;
    EXPECT_EQ(msc.winsup, c.pick) << c.id;
    EXPECT_STREQ(mnw.windowname[c.window], c.title) << c.id;
    EXPECT_GT(mnw.dx[c.window], 100) << c.id;
  }
  EXPECT_FALSE(alert_shown("Low Enroute"));  // none of them is "not available"
  // A picking chart keeps picking, and holding the flight, after a look at the radar tab.
  APPLICATION_handlemenu(311);
  msc.paused = 1;
  for (int tab : {MAP_BTN_RADAR, MAP_BTN_ENROUTE}) {
    int bx, bw;
    ASSERT_TRUE(map_button_box(map_of_window(3), tab, &bx, &bw));
    press(3, bx + 2.0f, mnw.dy[3] - 5.0f);
    manage_map(0);
    macibm_event_button_up();
    update_maps();
    loop_pass();
    EXPECT_EQ(msc.winsup, 1) << tab;
  }
  EXPECT_EQ(map_of_window(3)->pick, 1);
  EXPECT_STREQ(mnw.windowname[3], "Enroute: Click A Place To Start There");
  msc.paused = 0;
  // Any other command closes the picker, and the flight goes on without it.
  APPLICATION_handlemenu(313);
  APPLICATION_handlemenu(VIEW_CHASE);
  EXPECT_EQ(mnw.up[4], 0);
  EXPECT_EQ(msc.winsup, 0);
  // The "d" key is the en-route chart's command, and closing the picker lets the flight go on.
  handle_simkey('d');
  EXPECT_EQ(mnw.up[4], 0);
  EXPECT_EQ(map_of_window(3)->kind, MAP_ENROUTE);
  headless_post_close(3);
  MACIBM_dispatch_events();
  EXPECT_EQ(msc.winsup, 0);
}

TEST_F(AppMaps, APressActsOnceHoweverLongItIsHeldAndADragPansTheChart) {
  APPLICATION_handlemenu(503);
  mapview* v = map_of_window(3);
  const float ppnm = v->ppnm;
  int bx, bw;
  ASSERT_TRUE(map_button_box(v, MAP_BTN_ZOOM_IN, &bx, &bw));
  press(3, bx + 2.0f, mnw.dy[3] - 5.0f);
  for (int k = 0; k < 5; k++) {
    manage_map(0);  // what the loop's repeat of a held button calls
    update_maps();
  }
  EXPECT_FLOAT_EQ(v->ppnm, ppnm * 1.5f);
  macibm_event_button_up();
  update_maps();

  float lat0, lon0;
  map_unproject(v, 200.0f, 200.0f, &lat0, &lon0);
  press(3, 200.0f, 200.0f);
  move(3, 260.0f, 170.0f);
  update_maps();
  EXPECT_FALSE(v->follow);
  float x, y;
  map_project(v, lat0, lon0, &x, &y);
  EXPECT_NEAR(x, 260.0f, 0.5f);
  EXPECT_NEAR(y, 170.0f, 0.5f);
  macibm_event_button_up();
  update_maps();
  EXPECT_EQ(mnw.up[3], 1);  // a drag picks nothing, nor does a click on a chart that only shows
  press(3, 300.0f, 300.0f);
  macibm_event_button_up();
  update_maps();
  EXPECT_EQ(mnw.up[3], 1);
}

TEST_F(AppMaps, AClickOnThePickingWorldMapStartsTheFlightThereOrSaysItIsBeyondTheWorld) {
  init_country_data();
  region_corner_for(34.1f, -117.2f);
  load_region();
  APPLICATION_handlemenu(313);
  mapview* v = map_of_window(4);
  ASSERT_EQ(msc.winsup, 1);

  // South of the world: a message, and the map stays up for another try.
  float x, y;
  map_project(v, 22.0f, -100.0f, &x, &y);
  press(4, x, y);
  macibm_event_button_up();
  update_maps();
  EXPECT_TRUE(alert_shown("That place lies outside the world Kestrix flies in."));
  EXPECT_EQ(mnw.up[4], 1);

  // Near Denver, far beyond the loaded region.
  const float lat = 39.7f, lon = -104.9f;
  map_project(v, lat, lon, &x, &y);
  press(4, x, y);
  macibm_event_button_up();
  update_maps();
  EXPECT_EQ(mnw.up[4], 0);
  EXPECT_EQ(msc.winsup, 0);
  EXPECT_EQ(env.lat_sou, 39);
  EXPECT_EQ(env.lon_wes, -106);
  // Within a pixel of the world map, a kilometre above the ground there.
  const float px_deg = 1.0f / (60.0f * v->ppnm * std::cos(v->ref_lat * con.degtorad));
  EXPECT_NEAR(flt.lat, lat, px_deg);
  EXPECT_NEAR(flt.lon, lon, px_deg);
  int i = env.i_aircraft, j = env.j_aircraft;
  const float fx = static_cast<float>(flt.X), fz = static_cast<float>(flt.Z);
  ASSERT_TRUE(find_ijt_with_loc(fx, fz, &i, &j, 1));
  const float ground = find_local_h(fx, fz, i, j);
  EXPECT_NEAR(flt.Y - ground, 1000.0f, 1.0f);
  EXPECT_GT(ground, 1000.0f);  // the high plains, not flat water
}
