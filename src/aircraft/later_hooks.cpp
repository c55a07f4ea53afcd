// Entry points of other subsystems that loading an aircraft calls and that are not built yet.
// Each does nothing until its subsystem provides it; then it leaves this file.
#include "app/macibm.h"
#include "render/render.h"
#include "sound/sound.h"

// Drawing geometry and textures of the aircraft: the 3-D view builds them.
void load_plane_geo(int build_geometry, int only_textures) {}

// Sound buffers: the sound subsystem loads them.
void fill_buffer(int n) {}

// Open dialog of the platform layer: without one, every request counts as cancelled.
int MACIBM_open(char* name, char* path, int kind) { return 0; }
