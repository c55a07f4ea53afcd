// The maps drawn by Mesa over the region around "SBD ": every map gives a full picture (the
// screenshot check), and the en-route chart shows the aircraft at its centre and the field's
// runways where they lie. MAP_GL_DUMP names a folder to keep the pictures in.
#include "render_view/view_fixture.h"

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "app/desktop/ogl_gl.h"
#include "app/macibm.h"
#include "flight/flight.h"
#include "render/map.h"
#include "render/ogl.h"
#include "weather/weather.h"
#include "world/world.h"

namespace {

class RenderMapGl : public RenderView {
 protected:
  // Window w of the size its map has in the simulator, drawn with its map set up afresh. The
  // harness's own fresh start would clear the scenery record, whose runways the view's tests
  // that follow need.
  static picture draw(int kind, int w, int dx, int dy) {
    reset_ogl();
    OGL_define_colors();
    ogl_gl_select_window(w, dx, dy);
    mnw.up[w] = 1, mnw.dx[w] = dx, mnw.dy[w] = dy;
    map_setup(kind, 0);
    map_draw(w);
    const picture p = gl_read(0, 0, dx, dy);
    dump(p, "map" + std::to_string(kind));
    mnw.up[w] = 0;
    return p;
  }
  // Keeps a picture in the folder MAP_GL_DUMP names, if any.
  static void dump(const picture& p, const std::string& name) {
    if (const char* dir = std::getenv("MAP_GL_DUMP"))
      save_picture(p, std::string(dir) + "/" + name + ".ppm");
  }
  // A climbing circle of 8 km round the field, as the flight path records it.
  static void circle_path() {
    const int sbd = view_sbd();
    const float cx = X_with_latlon(apt_lat[sbd][0], apt_lon[sbd][0]);
    const float cz = Z_with_lat(apt_lat[sbd][0]);
    for (int k = 0; k < 200; k++) {
      const float a = k * 0.05f;
      pat.xyztpp[k][0] = cx + 8000.0f * std::sin(a);
      pat.xyztpp[k][1] = apt_h[sbd] + 10.0f * k;
      pat.xyztpp[k][2] = cz - 8000.0f * std::cos(a);
      pat.inited[k] = 1;
    }
    pat.inited[200] = 0;
    pat.cntr_record = 199;
  }
};

bool is_aircraft_yellow(uint32_t c) {
  return red_of(c) > 220 && green_of(c) > 180 && blue_of(c) < 80;
}
bool is_towered_blue(uint32_t c) {
  return blue_of(c) > 150 && red_of(c) < 60 && green_of(c) > 50 && green_of(c) < 110;
}

TEST_F(RenderMapGl, EveryMapFillsItsWindowWithAPictureOfManyColours) {
  circle_path();
  atm.rain_tstm = 4.0f;  // storms for the radar
  const struct {
    int kind, w, dx, dy;
  } maps[] = {{MAP_ENROUTE, 3, 640, 480}, {MAP_LOCAL, 3, 640, 480}, {MAP_RADAR, 3, 640, 480},
              {MAP_WORLD, 4, 800, 450},   {MAP_ISO, 26, 760, 540},  {MAP_PATH, 27, 432, 494}};
  for (const auto& m : maps) {
    const picture p = draw(m.kind, m.w, m.dx, m.dy);
    // Beside the background and the bars: symbols, labels, ground, a path; and nothing of the
    // black the window starts as is left in the map area: every pixel is drawn.
    std::set<uint32_t> colours(p.px.begin(), p.px.end());
    EXPECT_GT(colours.size(), 10u) << m.kind;
    const uint32_t bg = p.at(m.dx / 2, m.dy - MAP_BAR_H - 2);
    int drawn = 0, black = 0;
    for (int y = MAP_INFO_H; y < m.dy - MAP_BAR_H; y++)
      for (int x = 0; x < m.dx; x++) {
        drawn += p.at(x, y) != bg;
        black += p.at(x, y) == 0;
      }
    EXPECT_GT(drawn, m.dx * m.dy / 100) << m.kind;
    EXPECT_LT(black, m.dx * m.dy / 50) << m.kind;
  }
  atm.rain_tstm = 1.0f;
}

TEST_F(RenderMapGl, TheEnrouteChartShowsTheAircraftAtItsCentreAndTheFieldsRunways) {
  const picture p = draw(MAP_ENROUTE, 3, 640, 480);
  const int cx = 320, cy = (480 - MAP_BAR_H) / 2;
  EXPECT_GT(count(p, cx - 10, cx + 10, cy - 10, cy + 10, is_aircraft_yellow), 30);
  EXPECT_EQ(count(p, 0, 200, 0, 200, is_aircraft_yellow), 0);
  // The trainer stands on runway 0 of the towered field, placed at its middle: zoomed in, the
  // runway in the chart's blue reaches out from under it both ways along its heading.
  map_of_window(3)->ppnm = 60.0f;
  mnw.up[3] = 1;
  map_draw(3);
  const picture z = gl_read(0, 0, 640, 480);
  dump(z, "zoomed");
  const int sbd = view_sbd();
  const float h = apt_hdng[sbd][0] * con.degtorad;
  const float half_px = 0.5f * apt_len[sbd][0] * con.mtrstonm * 60.0f;
  int blue = 0;
  for (float f = 0.3f; f < 0.95f; f += 0.1f)
    for (int s : {-1, 1}) {
      const int x = cx + intround(s * f * half_px * std::sin(h));
      const int y = cy + intround(s * f * half_px * std::cos(h));
      blue += count(z, x - 1, x + 2, y - 1, y + 2, is_towered_blue) > 0;
    }
  EXPECT_GE(blue, 12);
}

}  // namespace
