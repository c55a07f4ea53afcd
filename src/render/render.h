// The 3-D view: terrain, runways and lights, buildings, clouds, stars, ships, traffic, the aircraft
// and the head-up display, and the moving map.
#pragma once

// Draws the out-of-the-window view and the head-up display from the world records once per frame,
// and moves the terrain region when the aircraft nears its edge.
void update_scenery();

// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Builds the aircraft's drawing geometry and loads its textures.
void load_plane_geo(int a, int b);
// Places traffic aircraft k anew around the aircraft (anew 1 at a flight start).
void make_a_plane(int k, int anew);
