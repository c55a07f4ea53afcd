// The out-of-the-window view: the entry points the flight frame calls when the scenery textures,
// the aircraft's drawing or the traffic around it must be made anew.
#pragma once

// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Builds the aircraft's drawing geometry and loads its textures.
void load_plane_geo(int a, int b);
// Places traffic aircraft k anew around the aircraft (anew 1 at a flight start).
void make_a_plane(int k, int anew);
