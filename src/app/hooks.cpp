// The calls the lower layers make up to the panel, the view, the menus and the data output: the
// application wires each hook to its handler here, so that the lower layers name nothing above
// them. The hooks are filled before the program starts; tests and runners may replace one.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "world/world.h"

// The menu highlight (colour 0) pulses in green.
static void pulse_menu_highlight(float g) { OGL_assigncolor(0, 0.0f, g, 0.0f); }

// The whole screen flashes ten times between two colours.
static void crash_flash() {
  for (int k = 0; k < 10; k++) {
    OGL_fillrect(8, 0, 0, 800, 600);
    OGL_fillrect(25, 0, 0, 800, 600);
  }
}

static void show_progress() { OGL_show_init(0); }

// A new flight: the aural warnings and the views that follow the aircraft by themselves forget the
// last one (the tower view takes the tower nearest the new start, the chase view starts afresh).
static void forget_last_flight() {
  reset_warnings();
  reset_view_state();
}

aircraft_hookstruct aircraft_hooks = {load_plane_geo};

world_hookstruct world_hooks = {show_progress};

controls_hookstruct controls_hooks = {APPLICATION_handlemenu, freeviews_keys, plotflap, step_baro,
                                      step_decision_height};

flight_hookstruct flight_hooks = {plotflap,     plotswee,
                                  plotvect,     gear_light,
                                  init_ecam,    pulse_menu_highlight,
                                  crash_flash,  load_scenery_textures,
                                  make_a_plane, start_strike,
                                  forget_last_flight, trackdiv,
                                  dskoutproc};

// The simulator opens its Flight Plan window here (install_simulator_hooks); without it, as in the
// headless runner, the controller files the plan from its menu.
atc_hookstruct atc_hooks = {nullptr};
