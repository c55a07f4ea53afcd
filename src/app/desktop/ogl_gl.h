// What the desktop window code tells the GL drawing back end, and what it lends it for presenting.
// A window updated piecemeal needs its picture kept between presents, and the back buffer of an
// X11 window is undefined after a swap. Where the window system can show a part of a back buffer
// without swapping (ogl_gl_swap_rect), the back buffer keeps the picture, is never swapped, and
// each present shows only the part drawn since the last one. Elsewhere each window draws into an
// off-screen picture of its own; the changed pictures are copied to their windows and swapped
// once per loop pass.
#pragma once

// Called with window w's GL context current whenever it becomes the window drawn into (creation,
// MACIBM_startwind, a resize): makes its off-screen picture of dx x dy pixels the drawing target
// (creating or resizing it; a new picture starts black), sets the viewport and a pixel projection
// with the origin at the bottom-left, and resets the drawing state.
void ogl_gl_select_window(int w, int dx, int dy);
// Copies window w's picture into the back buffer of its context, which must be current: for a
// window that the system asks to repaint. The caller swaps.
void ogl_gl_blit_window(int w);
// True when window w's picture is its back buffer (see ogl_gl_swap_rect): the window must then
// never be swapped, only shown with ogl_gl_show_window, its context current.
int ogl_gl_window_direct(int w);
void ogl_gl_show_window(int w);
// Releases window w's picture; its context must be current. Called before the window goes.
void ogl_gl_release_window(int w);

// Supplied by the window code: make window w's context current, and swap its buffers. Until they
// are set nothing is presented.
extern void (*ogl_gl_make_current)(int w);
extern void (*ogl_gl_swap)(int w);
// Optional, supplied by the window code: show the rectangle of window w's back buffer with its
// lower-left corner at pixel (x, y) from the bottom-left, leaving the rest of the window as it
// is, normally by ogl_gl_copy_sub_buffer. Set before a window's picture is made, it makes the
// window's back buffer its picture where the GL can show parts of it; without it every present
// copies the off-screen picture and swaps the whole window.
extern void (*ogl_gl_swap_rect)(int w, int x, int y, int dx, int dy);
// Shows that rectangle of the current context's back buffer in its window, where the GL can.
void ogl_gl_copy_sub_buffer(int x, int y, int dx, int dy);
