// The 3-D view: terrain, runways and lights, buildings, clouds, lightning, stars, ships, traffic,
// the aircraft and the head-up display, and the moving map.
#pragma once

// Draws the out-of-the-window view and the head-up display from the world records once per frame.
// Also sets the drawing layer's light ratios ogl_light_rat and the view fields of con, among them the
// viewpoint con.VIEW_xyz from the camera of the chosen view.
void update_scenery();
// Forgets the chase view's lag and the tower chosen, for a new flight.
void reset_view_state();
// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Starts a lightning strike near the aircraft where the storm field is strong enough. Returns
// its distance from the aircraft in metres, or -1 when lightning did not strike.
float start_strike();
// Builds the drawing geometry of the aircraft in pln and loads its texture bitmaps, named from the
// aircraft file's path without its extension followed by " prop", " wng1", " wng2", " hstb",
// " vst1", " vst2", " fuse", " nace" or " misc", and the common "tire" and "metal".
void load_plane_geo(int build_geometry, int only_textures);
// Loads the ground, runway, deck and building textures for the season and resolution level.
void load_scenery_textures();
// Places traffic aircraft k anew around the aircraft (anew 1 at a flight start: anywhere around
// it; 0: ahead of it, coming into view).
void make_a_plane(int k, int anew);

// A command of the View menu (601..629): chooses the view, full screen or the zoom, and sets up
// the views that start from where the aircraft is (spot, follow, tower, chase).
void choose_view(int id);

// The rectangle of the 3-D view in the main window of wdx x wdy pixels whose panel reaches up to
// pixel row panel_top: above the panel, or all of the window in full screen or when the strip
// above the panel would be lower than 40 pixels.
void view_area(int wdx, int wdy, int panel_top, int fullscreen, int* x, int* y, int* w, int* h);
// The same rectangle in the main window's drawing coordinates, within the drawing.
void view_area_drawing(int* x, int* y, int* w, int* h);

// The controller's menu over the view: click 0 draws the current menu, click 1 acts on the line or
// entry under the mouse (mnw.mx, mnw.my). Nothing while the menu is down.
void plot_atc_options(int click);
// The controller's last sentence along the bottom of the view while it is shown, and the menu.
void draw_atc_words();
