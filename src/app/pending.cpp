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

// Settings windows (src/app).
void manage_pln(int open) {}

