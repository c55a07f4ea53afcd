// The window of a (virtual) X display that the GL benchmarks draw into, with the desktop back
// end's presenting hooks pointed at it.
#pragma once

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <string>

#include "app/desktop/ogl_gl.h"

namespace gl_window {
inline Display* dpy;
inline Window win;
inline GLXContext ctx;
inline void make_current(int) { glXMakeCurrent(dpy, win, ctx); }
inline void swap(int) { glXSwapBuffers(dpy, win); }
inline void swap_rect(int, int x, int y, int dx, int dy) { ogl_gl_copy_sub_buffer(x, y, dx, dy); }
}  // namespace gl_window

// Opens a w x h double-buffered window with a current GL context; false with the reason in *why
// when the display, the visual or the context cannot be had.
inline bool open_gl_window(int w, int h, std::string* why) {
  using namespace gl_window;
  dpy = XOpenDisplay(nullptr);
  if (!dpy) return *why = "no X display: run under xvfb-run", false;
  int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                 8,        GLX_DEPTH_SIZE,   24,           None};
  XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
  if (!vi) return *why = "no double-buffered RGB visual", false;
  XSetWindowAttributes swa = {};
  swa.colormap = XCreateColormap(dpy, RootWindow(dpy, vi->screen), vi->visual, AllocNone);
  win = XCreateWindow(dpy, RootWindow(dpy, vi->screen), 0, 0, w, h, 0, vi->depth, InputOutput,
                      vi->visual, CWColormap | CWBorderPixel, &swa);
  XMapWindow(dpy, win);
  XSync(dpy, False);
  ctx = glXCreateContext(dpy, vi, nullptr, True);
  XFree(vi);
  if (!ctx || !glXMakeCurrent(dpy, win, ctx)) return *why = "no GL context", false;
  ogl_gl_make_current = make_current;
  ogl_gl_swap = swap;
  ogl_gl_swap_rect = swap_rect;
  return true;
}
