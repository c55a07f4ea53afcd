// Entry points of subsystems that are not built yet, each doing the least that keeps the loop
// correct. Each block goes when its subsystem provides the real one.
#include "aircraft/aircraft.h"
#include "app/app.h"
#include "atc/atc.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/ogl.h"
#include "render/render.h"
#include "shared/shared.h"
#include "world/world.h"

// Graph window (src/app).
void clear_graph() { reset_grf(); }

// Graph window (src/app).
void update_graph() {}

// Graph window (src/app).
void plot_grf_current() {}

// Graph window (src/app).
void manage_grf(int open) {}

// Settings windows (src/app).
void manage_pln(int open) {}

// Air traffic control (src/atc).
void handle_plan(int) {}

// Air traffic control (src/atc).
void controller_respond(char*) {}

// Air traffic control (src/atc).
void LSO_respond() {}

// Data output (src/app).
void dskoutproc() {}

// Data output (src/app).
void trackdiv() {}
