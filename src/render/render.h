// The 3-D view: the aircraft's drawing geometry and textures.
#pragma once

// Builds the drawing geometry of the aircraft in pln and loads its texture bitmaps, named from the
// aircraft file's path without its extension followed by " prop", " wng1", " wng2", " hstb",
// " vst1", " vst2", " fuse", " nace" or " misc", and the common "tire" and "metal".
void load_plane_geo(int build_geometry, int only_textures);
