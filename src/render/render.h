// The 3-D view: terrain, runways and lights, buildings, clouds, lightning, stars, ships, traffic,
// the aircraft and the head-up display, and the moving map.
#pragma once

// Draws the out-of-the-window view and the head-up display from the world records once per frame,
// and moves the terrain region when the aircraft nears its edge.
void update_scenery();
// Starts a lightning strike near the aircraft.
void start_strike();
// Builds the drawing geometry of the aircraft in pln and loads its texture bitmaps, named from the
// aircraft file's path without its extension followed by " prop", " wng1", " wng2", " hstb",
// " vst1", " vst2", " fuse", " nace" or " misc", and the common "tire" and "metal".
void load_plane_geo(int build_geometry, int only_textures);
// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Places traffic aircraft k anew around the aircraft (anew 1 at a flight start).
void make_a_plane(int k, int anew);
