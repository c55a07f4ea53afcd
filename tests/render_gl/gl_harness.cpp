// The X11 window, GLX context and pixel reading behind the GL tests.
#include "render_gl/gl_harness.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "app/desktop/ogl_gl.h"
#include "app/macibm.h"
#include "render/ogl.h"

static Display* dpy;
static Window win;
static GLXContext ctx;
static int swaps;

static void make_current(int w) { glXMakeCurrent(dpy, win, ctx); }
static void swap(int w) {
  glXSwapBuffers(dpy, win);
  swaps++;
}
static int rect_swaps, last_rect[4];
static void swap_rect(int w, int x, int y, int dx, int dy) {
  ogl_gl_copy_sub_buffer(x, y, dx, dy);
  rect_swaps++;
  last_rect[0] = x, last_rect[1] = y, last_rect[2] = dx, last_rect[3] = dy;
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

void gl_harness_fresh(int w, int dx, int dy) {
  make_current(w);
  reset_ogl();
  OGL_define_colors();
  ogl_res = 5;
  ogl_gl_select_window(w, dx, dy);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Nothing drawn by an earlier test is left waiting to be presented.
  OGL_present_changed();
}

int gl_harness_swaps() { return swaps; }

void gl_harness_partial(bool on) { ogl_gl_swap_rect = on ? swap_rect : nullptr; }

int gl_harness_rect_swaps(int rect[4]) {
  for (int k = 0; rect && k < 4; k++) rect[k] = last_rect[k];
  return rect_swaps;
}

picture gl_read(int x, int y, int w, int h) {
  std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  picture p;
  p.w = w, p.h = h;
  p.px.resize(static_cast<size_t>(w) * h);
  for (size_t k = 0; k < p.px.size(); k++)
    p.px[k] = static_cast<uint32_t>(rgba[4 * k]) << 16 | rgba[4 * k + 1] << 8 | rgba[4 * k + 2];
  return p;
}

uint32_t gl_pixel(int x, int y) { return gl_read(x, y, 1, 1).px[0]; }

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
  const picture p = gl_read(x, y, w, h);
  std::string s;
  for (int j = h - 1; j >= 0; j--) {
    for (int i = 0; i < w; i++) s += p.at(i, j) == 0 ? '.' : p.at(i, j) == 0xffffff ? '#' : '+';
    s += '\n';
  }
  return s;
}

void save_picture(const picture& p, const std::string& path) {
  write_file(path, ppm_bytes(p.w, p.h, [&p](int x, int y) { return p.at(x, p.h - 1 - y); }));
}
