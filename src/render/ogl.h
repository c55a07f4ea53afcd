// The drawing layer: every OGL_ call the programs make to draw, and the view options it keeps.
// Implemented by the headless and desktop back ends.
#pragma once

// ---- State -----------------------------------------------------------------------------------

extern int ogl_will_be_blitted;  // 1 while a whole frame is drawn for presenting at once
extern int ogl_res;              // texture resolution level, 1..5 (default 2)
extern int ogl_trees;            // draw trees
extern int ogl_fscene;           // draw the full scene

// ---- Calls -----------------------------------------------------------------------------------

// The layer's default state for the window being made current.
void OGL_reset();
// Stores palette entry c (0..69), red, green and blue 0..1; another number is a fatal alert.
void OGL_assigncolor(int c, float r, float g, float b);
// Loads bitmap `name` as a texture (kinds 68, 69) or draws it as a screen image (70, 71).
int OGL_texbmp(int kind, int a, int b, const char* name);
// One step of the start-up progress bar.
void OGL_show_init(int style);
// Presents every window whose picture changed since the last call; the loop calls it once per
// pass.
void OGL_present_changed();
