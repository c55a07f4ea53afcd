// Entry points of subsystems that are not built yet, each doing the least that keeps its callers
// correct. Each block goes when its subsystem provides the real one.
#include "controls/controls.h"

// Keyboard commands (src/controls): no key acts yet.
void handle_simkey(char c) {}

// Keyboard commands (src/controls).
void yoke_key(int k) {}

// Keyboard commands (src/controls).
void freeviews_keys(int k) {}
