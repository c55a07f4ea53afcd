// One simulation frame, the same in every program: the desktop loop, the headless simulator and
// the headless flight runner all call sim_frame, and only the drawing is left out where nothing
// is shown.
#include "app/app.h"

#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/render.h"
#include "shared/shared.h"
#include "world/world.h"

// Without a picture there is no camera: the viewpoint the terrain lookups follow is the aircraft,
// where the flight start puts it.
static void viewpoint_at_aircraft() {
  con.VIEW_xyz[0] = static_cast<float>(flt.X);
  con.VIEW_xyz[1] = static_cast<float>(flt.Y);
  con.VIEW_xyz[2] = static_cast<float>(flt.Z);
}

// The steps, in their order, and what fixes it:
//
// 1. Aural warnings (update_warnings, on event ticks, in every view and every program). Reads
//    flt, nav, rel, pln and the warning switches of msc; writes the warning state of ins and
//    plays the horn, call-outs, marker tones and identifiers. They judge the state the last frame
//    left, and the panel after them shows what they decided.
// 1a. Panel (drawn only; on event ticks, not in full screen). Reads flt, nav, rel, ins, pln;
//    writes ins. It shows the state the last frame left, before anything moves, and writes no
//    flight state, so a program without a screen leaves the step out.
// 2. Surroundings (update_surroundings). Reads flt position, atm clouds, the region; writes env
//    (region move, over_carr, over_frig, over_obs), obs_height, scn.belowbases, abovetops, the
//    ship state and con.BOAT_*. Before the view, which draws the moved region and the ships, and
//    before the flight, whose contact stands on the decks and roofs found here.
// 3. View (drawn only). Reads everything; writes con.VIEW_xyz from the camera, the light ratios
//    of scn; the on-screen data list is drawn over it. Without a picture the viewpoint is the
//    aircraft. Before the flight, which looks up the terrain cell under the viewpoint.
// 4. Controls (update_controls). Reads the joystick, the mouse and keyboard yoke set.MK_*, the
//    levers' requests in flt, ott, flt air data; writes set.YK_*, FC_*, the surface deflections
//    and throttle requests in flt, ctm. Before the flight, whose force pass reads the deflections.
// 5. Flight (update_flight). Reads all of the above and msc.prd; writes flt, pat, rel, atm at the
//    aircraft, nav deviations, the clocks and counters of msc.
// 6. Graph (when graphed). Reads the finished frame; writes grf.
//
// The frame period msc.prd is the caller's: the frame never reads the wall clock.
void sim_frame(int draw) {
  if (msc.evup < 1) msc.evup = 1;
  const int event_tick = msc.cntr % msc.evup == 0;
  if (event_tick) update_warnings();
  // In full screen the panel draws nothing, but marks itself to be drawn whole on its return.
  if (draw && event_tick) update_panel();
  update_surroundings();
  if (draw) {
    update_scenery();
    draw_data_list();
  } else
    viewpoint_at_aircraft();
  update_controls();
  update_flight();
  if (set.grfout) update_graph();
}
