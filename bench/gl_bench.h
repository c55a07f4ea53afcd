// What the benchmarks that draw with the real GL drawing layer share (run under a virtual X
// server: xvfb-run -a build/bench/<name>): one X11 window with a GLX context, and the program's
// start-up on the generated world's database.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "app/desktop/ogl_gl.h"
#include "shared/shared.h"
#include "world/world.h"

// Last: Xlib defines names such as None and Bool that the headers above use.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace gl_window {
inline Display* dpy;
inline Window win;
inline GLXContext ctx;
inline void make_current(int) { glXMakeCurrent(dpy, win, ctx); }
inline void swap(int) { glXSwapBuffers(dpy, win); }
}  // namespace gl_window

// Opens the display and a w x h window, and lends the drawing layer its context; false with the
// reason when there is no display or no suitable visual.
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
  return true;
}

// The records afresh, the program's start-up tables and the navigation database of the world the
// build generated; false with the reason when it has not been generated.
inline bool load_runtime_database(std::string* why) {
  const std::string dir = KESTRIX_RUNTIME_DIR;
  if (!std::filesystem::exists(dir + "/world/apt_dat")) return *why = "no generated world data", false;
  reset_world_state();
  init_constants();
  std::snprintf(app_path, STR_SIZE, "%s/", dir.c_str());
  initgen();
  init_country_data();
  return true;
}
