// Entry points of subsystems that are not built yet, each doing nothing until its owner lands.
#include "atc/atc.h"
#include "controls/controls.h"
#include "panel/panel.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/world.h"

// Air traffic control will provide this.
void handle_plan(int) {}

// Air traffic control will provide this.
void controller_respond(char*) {}

// Air traffic control will provide this.
void LSO_respond() {}

// The world (navigation database) will provide this.
void setnav(int) {}

// The controls will provide this.
void forcecall(int, int, int, int) {}

// Sound will provide this.
void play_buffer(int, int) {}

// Sound will provide this.
void stop_buffer(int) {}

// Rendering will provide this.
void start_strike() {}

// The instrument panel will provide this.
void init_ecam() {}
