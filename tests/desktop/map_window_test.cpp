// A map window on the desktop: opened by its menu command, drawn through its own context and
// shown on the screen, a screenshot of the window with the map's colours in it.
#include <FL/Fl_Window.H>

#include <set>
#include <vector>

#include "app/app.h"
#include "desktop_fixture.h"
#include "flight/flight.h"
#include "render/map.h"
#include "render/ogl.h"
#include "shared/shared.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include <FL/x.H>

TEST_F(DesktopTest, AMapOpenedFromItsMenuShowsItsPictureInItsWindow) {
  reset_world_state();
  init_constants();
  OGL_define_colors();
  flt.lat = 34.1f, flt.lon = -117.2f;
  open_main_window();
  APPLICATION_handlemenu(503);
  ASSERT_EQ(mnw.up[MAP_WIN_CHART], 1);
  for (int k = 0; k < 10; k++) {
    update_maps();
    OGL_present_changed();
    Fl::check();
  }
  Fl_Window* win = static_cast<Fl_Window*>(mnw.wind[MAP_WIN_CHART]);
  XImage* img = XGetImage(fl_display, fl_xid(win), 0, 0, MAP_CHART_W, MAP_CHART_H, AllPlanes, ZPixmap);
  ASSERT_NE(img, nullptr);
  std::set<unsigned long> colours;
  std::vector<unsigned long> at_first;
  int black = 0;
  for (int y = 0; y < MAP_CHART_H; y++)
    for (int x = 0; x < MAP_CHART_W; x++) {
      const unsigned long c = XGetPixel(img, x, y) & 0xffffff;
      colours.insert(c);
      at_first.push_back(c);
      black += c == 0;
    }
  XDestroyImage(img);
  // The paper, the bar and its buttons, the aircraft, the scale and the text: not an empty window.
  EXPECT_GE(colours.size(), 6u);
  EXPECT_LT(black, MAP_CHART_W * MAP_CHART_H / 20);

  // Made twice as large and a little taller, the window shows the map at twice its size with a
  // band above and below it: each band is one plain colour, not what the window showed before.
  const int wdx = 2 * MAP_CHART_W, wdy = 2 * MAP_CHART_H + 40;
  map_setup(MAP_LOCAL, 0);  // what the window showed before: another chart
  map_draw(MAP_WIN_CHART);
  OGL_present_changed();
  win->resize(0, 0, wdx, wdy);  // all of it on the screen
  map_setup(MAP_ENROUTE, 0);
  for (int k = 0; k < 10; k++) {
    Fl::check();
    map_draw(MAP_WIN_CHART);
    OGL_present_changed();
  }
  Fl::flush();
  XSync(fl_display, False);
  ASSERT_EQ(mnw.wdy[MAP_WIN_CHART], wdy);
  ASSERT_EQ(mnw.oy[MAP_WIN_CHART], 20);
  img = XGetImage(fl_display, fl_xid(win), 0, 0, wdx, wdy, AllPlanes, ZPixmap);
  ASSERT_NE(img, nullptr);
  for (int band : {0, wdy - mnw.oy[MAP_WIN_CHART]}) {
    std::set<unsigned long> band_colours;
    for (int y = band; y < band + mnw.oy[MAP_WIN_CHART] - 1; y++)
      for (int x = 0; x < wdx; x++) band_colours.insert(XGetPixel(img, x, y) & 0xffffff);
    EXPECT_EQ(band_colours.size(), 1u) << "band at row " << band;
  }
  // Between them the same map, every drawing pixel now two by two: chart, symbols and labels
  // alike, bar the odd thin line drawn one pixel wide.
  int differ = 0;
  for (int y = 0; y < MAP_CHART_H; y++)
    for (int x = 0; x < MAP_CHART_W; x++)
      differ += (XGetPixel(img, 2 * x, 20 + 2 * y) & 0xffffff) !=
                at_first[static_cast<size_t>(y * MAP_CHART_W + x)];
  EXPECT_LT(differ, MAP_CHART_W * MAP_CHART_H / 50);
  XDestroyImage(img);
}
