// The X11 window, GLX context and pixel reading behind the GL tests.
#include "render_gl/gl_harness.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

#include "app/desktop/ogl_gl.h"
#include "app/macibm.h"
#include "render/ogl.h"
#include "world/world.h"

static Display* dpy;
static Window win;
static GLXContext ctx;
static int swaps;

static void make_current(int w) { glXMakeCurrent(dpy, win, ctx); }
static void swap(int w) {
  glXSwapBuffers(dpy, win);
  swaps++;
}

bool gl_harness_open(std::string* why) {
  if (dpy) return true;
  dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    *why = "no X display: run under xvfb-run";
    return false;
  }
  int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                 8,        GLX_DEPTH_SIZE,   24,           None};
  XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
  if (!vi) {
    *why = "no double-buffered RGB visual";
    return false;
  }
  XSetWindowAttributes swa = {};
  swa.colormap = XCreateColormap(dpy, RootWindow(dpy, vi->screen), vi->visual, AllocNone);
  win = XCreateWindow(dpy, RootWindow(dpy, vi->screen), 0, 0, GL_TEST_W, GL_TEST_H, 0, vi->depth,
                      InputOutput, vi->visual, CWColormap | CWBorderPixel, &swa);
  XMapWindow(dpy, win);
  XSync(dpy, False);
  ctx = glXCreateContext(dpy, vi, nullptr, True);
  XFree(vi);
  if (!ctx || !glXMakeCurrent(dpy, win, ctx)) {
    *why = "no GL context";
    return false;
  }
  ogl_gl_make_current = make_current;
  ogl_gl_swap = swap;
  return true;
}

void gl_harness_fresh() {
  make_current(GL_TEST_WINDOW);
  reset_ogl();
  reset_scn();
  OGL_define_colors();
  ogl_res = 5;
  ogl_gl_select_window(GL_TEST_WINDOW, GL_TEST_W, GL_TEST_H);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Nothing drawn by an earlier test is left waiting to be presented.
  OGL_present_changed();
}

int gl_harness_swaps() { return swaps; }

uint32_t gl_pixel(int x, int y) {
  unsigned char p[4];
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
}

uint32_t gl_screen_pixel(int x, int y) {
  // What the X server shows in the window, read past GL: rows count down from the top there.
  glFinish();
  XSync(dpy, False);
  XImage* img = XGetImage(dpy, win, x, GL_TEST_H - 1 - y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0xdeadbeef;
  uint32_t c = (uint32_t)XGetPixel(img, 0, 0) & 0xffffff;
  XDestroyImage(img);
  return c;
}

std::string gl_picture(int x, int y, int w, int h) {
  std::vector<unsigned char> p((size_t)w * h * 4);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  std::string s;
  for (int j = h - 1; j >= 0; j--) {
    for (int i = 0; i < w; i++) {
      const unsigned char* q = &p[4 * ((size_t)j * w + i)];
      bool black = q[0] == 0 && q[1] == 0 && q[2] == 0;
      bool white = q[0] == 255 && q[1] == 255 && q[2] == 255;
      s += black ? '.' : white ? '#' : '+';
    }
    s += '\n';
  }
  return s;
}

