// Entry points of subsystems that are not built yet, each doing the least that keeps the loop
// correct. Each block goes when its subsystem provides the real one.
#include "aircraft/aircraft.h"
#include "app/app.h"
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
void manage_id_(int open) {}

// Settings windows (src/app).
void manage_nam(int open) {}

// Settings windows (src/app).
void manage_map(int open) {}

// Settings windows (src/app).
void manage_gid(int open) {}

// Settings windows (src/app).
void manage_tim(int open) {}

// Settings windows (src/app).
void manage_flt(int open) {}

// Settings windows (src/app).
void manage_joy(int open) {}

// Settings windows (src/app).
void manage_ins(int open) {}

// Settings windows (src/app).
void manage_eqp(int open) {}

// Settings windows (src/app).
void manage_pln(int open) {}

// Settings windows (src/app).
void util_keepjoycurrent() {}

// Data output (src/app).
void dskoutproc() {}

// Data output (src/app).
void trackdiv() {}
