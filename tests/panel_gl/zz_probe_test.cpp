#include "panel/panel_fixture.h"
#include "render_gl/gl_harness.h"
#include "render/ogl.h"
#include <string>
namespace {
TEST(ZZ, Probe) {
  std::string why;
  ASSERT_TRUE(gl_harness_open(&why)) << why;
  reset_world_state(); init_constants(); init_tape(); init_nav_pic(); make_test_aircraft();
  ins.baro = 29.92f; reset_panel(); panel_layout_now();
  gl_harness_fresh(0, GL_MAIN_W, GL_MAIN_H);
  struct { float the, phi; const char* n; } c[] = {{0,0,"level"},{30,0,"p30"},{-60,0,"pm60"},{0,90,"b90"},{0,180,"inv"},{10,180,"inv_p10"},{20,-45,"p20bl45"}};
  for (auto& k : c) {
    flt.the180 = k.the; flt.phi180 = k.phi; ins.tickle_all = 1; update_panel();
    save_picture(gl_read(0, 0, PANEL_W, PANEL_H), std::string("/tmp/panel-scr/ah_") + k.n + ".ppm");
  }
}
}
