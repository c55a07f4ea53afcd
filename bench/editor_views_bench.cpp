// Redraws of Airwright's four views of the largest sample, the turboprop transport, through the
// GL drawing layer into a window of the editor's size on a (virtual) X display:
//   xvfb-run -a build/bench/editor_views_bench
// The editor redraws every view whenever a value changes and turns its perspective view 30 times a
// second, so a redraw (the geometry built again from the record, four panes drawn and presented)
// must take well under a thirtieth of a second. The geometry alone is measured too.
#include <benchmark/benchmark.h>

#include <string>

#include "app/macibm.h"
#include "editor/editor.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "gl_window.h"

namespace {

std::string why_not;

bool read_sample() {
  init_constants();
  std::snprintf(app_path, STR_SIZE, "%s/", KESTRIX_RUNTIME_DIR);
  reset_pln();
  reset_edt();
  int mirrored = 0;
  const std::string path = std::string(KESTRIX_RUNTIME_DIR) + "/aircraft/Turboprop Transport.acf";
  if (!read_aircraft_file(path.c_str(), &mirrored)) return why_not = "cannot read " + path, false;
  return true;
}

void BM_ViewGeometry(benchmark::State& state) {
  if (!read_sample()) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  int vertices = 0;
  for (auto _ : state) benchmark::DoNotOptimize(vertices = build_view_geometry());
  state.counters["triangle_vertices"] = vertices;
}
BENCHMARK(BM_ViewGeometry);

void BM_RedrawAllViews(benchmark::State& state) {
  static const bool ready =
      open_gl_window(EDITOR_WINDOW_W, EDITOR_WINDOW_H, &why_not) && read_sample();
  if (!ready) {
    state.SkipWithError(why_not.c_str());
    return;
  }
  reset_ogl();
  OGL_define_colors();
  ogl_gl_select_window(WIN_MAIN, EDITOR_WINDOW_W, EDITOR_WINDOW_H);
  mnw.up[WIN_MAIN] = 1;
  for (auto _ : state) {
    edt.turn = fltwrap(edt.turn + 0.7f, 0.0f, 360.0f);
    draw_views();
    OGL_present_changed();
    glFinish();
  }
  state.counters["redraws_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RedrawAllViews)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
