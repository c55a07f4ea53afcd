// The drawing layer: palette, 2-D primitives in window pixels (origin bottom-left) and the view's
// texture and aircraft-drawing loads.
#pragma once

// Stores palette entry c (0..69), red, green and blue 0..1.
void OGL_assigncolor(int c, float r, float g, float b);
// Filled rectangle of colour c, x..x + w by y..y + h - 1.
void OGL_fillrect(int c, int x, int y, int w, int h);
// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Builds the aircraft's drawing geometry and loads its textures.
void load_plane_geo(int a, int b);
// Places traffic aircraft k anew around the aircraft (anew 1 at a flight start).
void make_a_plane(int k, int anew);
