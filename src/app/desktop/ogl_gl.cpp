// The drawing layer's back end on OpenGL 1.x immediate mode. Each window keeps its picture where
// it survives presenting: where the window system can show part of a back buffer without swapping
// it, in the back buffer itself, which is then never swapped, and only the part drawn since the
// last present is shown (the view above the panel on most frames, not the whole window);
// elsewhere in an off-screen picture (a framebuffer object) of its own, copied to the window and
// swapped when the loop presents.
#include "app/desktop/ogl_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstring>

#include "app/macibm.h"
#include "render/ogl.h"

void (*ogl_gl_make_current)(int w) = nullptr;
void (*ogl_gl_swap)(int w) = nullptr;
void (*ogl_gl_swap_rect)(int w, int x, int y, int dx, int dy) = nullptr;

// ---- Extensions ------------------------------------------------------------------------------

static PFNGLGENFRAMEBUFFERSEXTPROC gen_framebuffers;
static PFNGLDELETEFRAMEBUFFERSEXTPROC delete_framebuffers;
static PFNGLBINDFRAMEBUFFEREXTPROC bind_framebuffer;
static PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC framebuffer_renderbuffer;
static PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC check_framebuffer_status;
static PFNGLGENRENDERBUFFERSEXTPROC gen_renderbuffers;
static PFNGLDELETERENDERBUFFERSEXTPROC delete_renderbuffers;
static PFNGLBINDRENDERBUFFEREXTPROC bind_renderbuffer;
static PFNGLRENDERBUFFERSTORAGEEXTPROC renderbuffer_storage;
static PFNGLBLITFRAMEBUFFEREXTPROC blit_framebuffer;
typedef void (*copy_sub_buffer_fn)(Display*, GLXDrawable, int, int, int, int);
static copy_sub_buffer_fn copy_sub_buffer;

static bool extensions_looked_up = false;
static bool have_fbo = false;

static bool has_extension(const char* list, const char* name) {
  if (!list) return false;
  const size_t n = std::strlen(name);
  for (const char* p = std::strstr(list, name); p; p = std::strstr(p + n, name))
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
  return false;
}

template <typename F>
static void look_up(F* f, const char* name) {
  *f = reinterpret_cast<F>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// Entry points are the same for every context of the process, so they are looked up once, with
// the first context current.
static void look_up_extensions() {
  if (extensions_looked_up) return;
  extensions_looked_up = true;
  const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!has_extension(ext, "GL_EXT_framebuffer_object") ||
      !has_extension(ext, "GL_EXT_framebuffer_blit"))
    return;
  look_up(&gen_framebuffers, "glGenFramebuffersEXT");
  look_up(&delete_framebuffers, "glDeleteFramebuffersEXT");
  look_up(&bind_framebuffer, "glBindFramebufferEXT");
  look_up(&framebuffer_renderbuffer, "glFramebufferRenderbufferEXT");
  look_up(&check_framebuffer_status, "glCheckFramebufferStatusEXT");
  look_up(&gen_renderbuffers, "glGenRenderbuffersEXT");
  look_up(&delete_renderbuffers, "glDeleteRenderbuffersEXT");
  look_up(&bind_renderbuffer, "glBindRenderbufferEXT");
  look_up(&renderbuffer_storage, "glRenderbufferStorageEXT");
  look_up(&blit_framebuffer, "glBlitFramebufferEXT");
  have_fbo = gen_framebuffers && delete_framebuffers && bind_framebuffer &&
             framebuffer_renderbuffer && check_framebuffer_status && gen_renderbuffers &&
             delete_renderbuffers && bind_renderbuffer && renderbuffer_storage && blit_framebuffer;
}

// The loop runs as fast as it can; it must never wait for the display's refresh. Also looks up
// the copy of part of a back buffer to its window, which the window system offers or not.
static void no_swap_wait() {
  Display* dpy = glXGetCurrentDisplay();
  GLXDrawable drawable = glXGetCurrentDrawable();
  if (!dpy || !drawable) return;
  const char* ext = glXQueryExtensionsString(dpy, DefaultScreen(dpy));
  if (!copy_sub_buffer && has_extension(ext, "GLX_MESA_copy_sub_buffer"))
    look_up(&copy_sub_buffer, "glXCopySubBufferMESA");
  if (has_extension(ext, "GLX_EXT_swap_control")) {
    PFNGLXSWAPINTERVALEXTPROC swap_interval;
    look_up(&swap_interval, "glXSwapIntervalEXT");
    if (swap_interval) swap_interval(dpy, drawable, 0);
  } else if (has_extension(ext, "GLX_MESA_swap_control")) {
    PFNGLXSWAPINTERVALMESAPROC swap_interval;
    look_up(&swap_interval, "glXSwapIntervalMESA");
    if (swap_interval) swap_interval(0);
  }
}

// ---- Windows ---------------------------------------------------------------------------------

struct gl_picture {
  GLuint fbo, color, depth;  // 0 while the window draws straight into its back buffer
  int dx, dy;
  int swap_set;  // the swap interval has been set for this window
  int changed;   // drawn into since it was last presented
  int direct;    // the picture is the back buffer, shown in parts and never swapped
  // Pixels drawn into since the last present, x0 <= x < x1 and y0 <= y < y1; empty when x0 >= x1.
  int x0, y0, x1, y1;
};
static gl_picture pictures[MAX_WINDOWS];
static int current = -1;  // window drawn into
static int in_view;       // between ogl_be_view and ogl_be_view_end: 3-D drawing stays in the view

// Widens the current picture's drawn box by the pixels x0..x1-1, y0..y1-1, kept within it.
static void drawn(float x0, float y0, float x1, float y1) {
  if (current < 0) return;
  gl_picture* p = &pictures[current];
  const int a0 = !(x0 > 0.0f) ? 0 : x0 >= p->dx ? p->dx : static_cast<int>(x0);
  const int b0 = !(y0 > 0.0f) ? 0 : y0 >= p->dy ? p->dy : static_cast<int>(y0);
  const int a1 = !(x1 < p->dx) ? p->dx : x1 <= 0.0f ? 0 : static_cast<int>(x1) + 1;
  const int b1 = !(y1 < p->dy) ? p->dy : y1 <= 0.0f ? 0 : static_cast<int>(y1) + 1;
  if (a0 >= a1 || b0 >= b1) return;
  if (p->x0 >= p->x1) {
    p->x0 = a0, p->y0 = b0, p->x1 = a1, p->y1 = b1;
    return;
  }
  p->x0 = a0 < p->x0 ? a0 : p->x0;
  p->y0 = b0 < p->y0 ? b0 : p->y0;
  p->x1 = a1 > p->x1 ? a1 : p->x1;
  p->y1 = b1 > p->y1 ? b1 : p->y1;
}

static void drawn_all() {
  if (current >= 0) drawn(0.0f, 0.0f, pictures[current].dx, pictures[current].dy);
}

static void free_picture(gl_picture* p) {
  if (p->fbo) delete_framebuffers(1, &p->fbo);
  if (p->color) delete_renderbuffers(1, &p->color);
  if (p->depth) delete_renderbuffers(1, &p->depth);
  p->fbo = p->color = p->depth = 0;
}

static void make_picture(gl_picture* p, int dx, int dy) {
  gen_framebuffers(1, &p->fbo);
  gen_renderbuffers(1, &p->color);
  gen_renderbuffers(1, &p->depth);
  bind_framebuffer(GL_FRAMEBUFFER_EXT, p->fbo);
  bind_renderbuffer(GL_RENDERBUFFER_EXT, p->color);
  renderbuffer_storage(GL_RENDERBUFFER_EXT, GL_RGBA8, dx, dy);
  framebuffer_renderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                           p->color);
  bind_renderbuffer(GL_RENDERBUFFER_EXT, p->depth);
  renderbuffer_storage(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, dx, dy);
  framebuffer_renderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                           p->depth);
  bind_renderbuffer(GL_RENDERBUFFER_EXT, 0);
  if (check_framebuffer_status(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
    // The window then draws straight into its back buffer, as on a system without pictures.
    bind_framebuffer(GL_FRAMEBUFFER_EXT, 0);
    free_picture(p);
    return;
  }
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Window w's back buffer, its picture, of old_dx x old_dy pixels (0 when there was none) made
// dx x dy. The GL gives a back buffer the window's new size only when the window is swapped, which
// this one otherwise never is; the new back buffer holds nothing, so it starts black with the old
// picture stretched over it, as an off-screen picture does, until the program draws it again
// (which a paused simulation does only when it goes on).
static void resize_back_buffer(int w, int old_dx, int old_dy, int dx, int dy) {
  GLint most = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
  GLuint old = 0;
  glDisable(GL_SCISSOR_TEST);
  if (old_dx > 0 && old_dy > 0 && old_dx <= most && old_dy <= most) {
    glGenTextures(1, &old);
    glBindTexture(GL_TEXTURE_2D, old);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 0, 0, old_dx, old_dy, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  if (ogl_gl_swap) ogl_gl_swap(w);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!old) return;
  for (GLenum cap : {GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_CULL_FACE})
    glDisable(cap);
  glEnable(GL_TEXTURE_2D);
  glViewport(0, 0, dx, dy);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  static const float corners[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  for (const auto& c : corners) {
    glTexCoord2fv(c);
    glVertex2fv(c);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &old);
}

void ogl_gl_select_window(int w, int dx, int dy) {
  if (w < 0 || w >= MAX_WINDOWS) return;
  look_up_extensions();
  gl_picture* p = &pictures[w];
  if (!p->swap_set) {
    no_swap_wait();
    p->swap_set = 1;
  }
  // The way a window keeps its picture is chosen when the picture is made: a window changing way
  // starts a new picture.
  const int direct = copy_sub_buffer && ogl_gl_swap_rect ? 1 : 0;
  if (p->direct != direct) {
    if (p->fbo) {
      bind_framebuffer(GL_FRAMEBUFFER_EXT, 0);
      free_picture(p);
    }
    p->direct = direct;
    p->dx = p->dy = 0;
  }
  if (have_fbo && direct) bind_framebuffer(GL_FRAMEBUFFER_EXT, 0);
  if (have_fbo && !direct) {
    gl_picture old = {};
    if (p->fbo && (p->dx != dx || p->dy != dy)) {
      old = *p;
      p->fbo = p->color = p->depth = 0;
    }
    if (!p->fbo && dx > 0 && dy > 0) make_picture(p, dx, dy);
    // A window given a new size shows its old picture stretched until the program has drawn it
    // again, which a paused simulation does only when it goes on.
    if (old.fbo && p->fbo) {
      bind_framebuffer(GL_READ_FRAMEBUFFER_EXT, old.fbo);
      bind_framebuffer(GL_DRAW_FRAMEBUFFER_EXT, p->fbo);
      blit_framebuffer(0, 0, old.dx, old.dy, 0, 0, dx, dy, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    if (old.fbo) free_picture(&old);
    bind_framebuffer(GL_FRAMEBUFFER_EXT, p->fbo);
  }
  const int resized = p->dx != dx || p->dy != dy;
  if (resized && direct && dx > 0 && dy > 0) resize_back_buffer(w, p->dx, p->dy, dx, dy);
  p->dx = dx;
  p->dy = dy;
  current = w;
  // A new or resized picture goes up whole the next time it is presented.
  if (resized) drawn_all();

  glViewport(0, 0, dx, dy);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, dx, 0.0, dy, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  OGL_reset();
}

void ogl_gl_blit_window(int w) {
  if (w < 0 || w >= MAX_WINDOWS || !pictures[w].fbo) return;
  const gl_picture* p = &pictures[w];
  bind_framebuffer(GL_READ_FRAMEBUFFER_EXT, p->fbo);
  bind_framebuffer(GL_DRAW_FRAMEBUFFER_EXT, 0);
  blit_framebuffer(0, 0, p->dx, p->dy, 0, 0, p->dx, p->dy, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  bind_framebuffer(GL_FRAMEBUFFER_EXT, p->fbo);
}

static int ignore_x_error(Display*, XErrorEvent*) { return 0; }

void ogl_gl_copy_sub_buffer(int x, int y, int dx, int dy) {
  Display* dpy = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  if (!copy_sub_buffer || !dpy || !drawable || dx <= 0 || dy <= 0) return;
  // While the window is being resized on the screen its back buffer may not have the size the
  // rectangle was drawn for, and the X server refuses the copy. That copy is skipped (the program
  // draws the window again at its new size) instead of the refusal ending the program; errors of
  // earlier requests still reach the program's own handler first.
  XSync(dpy, False);
  int (*handler)(Display*, XErrorEvent*) = XSetErrorHandler(ignore_x_error);
  copy_sub_buffer(dpy, drawable, x, y, dx, dy);
  XSync(dpy, False);
  XSetErrorHandler(handler);
}

void ogl_gl_show_window(int w) {
  if (w < 0 || w >= MAX_WINDOWS || !pictures[w].direct || !ogl_gl_swap_rect) return;
  ogl_gl_swap_rect(w, 0, 0, pictures[w].dx, pictures[w].dy);
}

int ogl_gl_window_direct(int w) { return w >= 0 && w < MAX_WINDOWS && pictures[w].direct; }

// Shows window w's picture, whose context is current: a back buffer that is the picture only in
// the part drawn since the last present (the rest of the window shows it already), an off-screen
// picture whole.
static void present(int w) {
  gl_picture* p = &pictures[w];
  const int x0 = p->x0, y0 = p->y0, x1 = p->x1, y1 = p->y1;
  p->x0 = p->y0 = p->x1 = p->y1 = 0;
  if (p->direct && ogl_gl_swap_rect) {
    if (x0 < x1 && y0 < y1) ogl_gl_swap_rect(w, x0, y0, x1 - x0, y1 - y0);
    return;
  }
  ogl_gl_blit_window(w);
  ogl_gl_swap(w);
}

void ogl_gl_release_window(int w) {
  if (w < 0 || w >= MAX_WINDOWS) return;
  if (have_fbo) {
    bind_framebuffer(GL_FRAMEBUFFER_EXT, 0);
    free_picture(&pictures[w]);
  }
  pictures[w] = gl_picture{};
  if (current == w) current = -1;
}

void OGL_present_changed() {
  if (!ogl_gl_make_current || !ogl_gl_swap) return;
  const int drawing = current;
  int last_made_current = drawing;
  for (int w = 0; w < MAX_WINDOWS; w++) {
    if (!pictures[w].changed) continue;
    pictures[w].changed = 0;
    if (w != last_made_current) ogl_gl_make_current(w);
    last_made_current = w;
    present(w);
  }
  // Drawing goes on in the window that was being drawn into.
  if (drawing >= 0 && last_made_current != drawing) {
    ogl_gl_make_current(drawing);
    if (pictures[drawing].fbo) bind_framebuffer(GL_FRAMEBUFFER_EXT, pictures[drawing].fbo);
  }
}

// ---- Drawing hooks ---------------------------------------------------------------------------

void ogl_be_reset() {
  static const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glFrontFace(GL_CW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glHint(GL_FOG_HINT, GL_FASTEST);
  glDisable(GL_NORMALIZE);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DITHER);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glDisable(GL_FOG);
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glPointSize(1.0f);
  glLineWidth(1.0f);
}

void ogl_be_enable(int cap, int on) {
  GLenum caps[2] = {0, 0};
  switch (cap) {
    case OGL_CAP_FOG:
      caps[0] = GL_FOG;
      break;
    case OGL_CAP_LIGHT:
      caps[0] = GL_LIGHTING;
      caps[1] = GL_LIGHT0;
      break;
    case OGL_CAP_TEXTURE:
      caps[0] = GL_TEXTURE_2D;
      break;
    case OGL_CAP_DEPTH:
      caps[0] = GL_DEPTH_TEST;
      break;
    case OGL_CAP_BLEND:
      caps[0] = GL_BLEND;
      break;
    case OGL_CAP_ADD:
      glBlendFunc(GL_SRC_ALPHA, on ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
      return;
    case OGL_CAP_ALPHA_TEST:
      caps[0] = GL_ALPHA_TEST;
      break;
    case OGL_CAP_OFFSET:
      caps[0] = GL_POLYGON_OFFSET_FILL;
      break;
    case OGL_CAP_DEPTH_WRITE:
      glDepthMask(on ? GL_TRUE : GL_FALSE);
      return;
    case OGL_CAP_CULL:
      caps[0] = GL_CULL_FACE;
      break;
    default:
      return;
  }
  for (GLenum c : caps) {
    if (!c) continue;
    if (on)
      glEnable(c);
    else
      glDisable(c);
  }
}

void ogl_be_color(float r, float g, float b) { glColor3f(r, g, b); }

// Widens the drawn box by the n vertices in xy and pad pixels about them.
static void drawn_around(const float* xy, int n, float pad) {
  float lo[2] = {xy[0], xy[1]}, hi[2] = {xy[0], xy[1]};
  for (int i = 1; i < n; i++) {
    const float x = xy[2 * i], y = xy[2 * i + 1];
    lo[0] = x < lo[0] ? x : lo[0], hi[0] = x > hi[0] ? x : hi[0];
    lo[1] = y < lo[1] ? y : lo[1], hi[1] = y > hi[1] ? y : hi[1];
  }
  drawn(lo[0] - pad, lo[1] - pad, hi[0] + pad, hi[1] + pad);
}

void ogl_be_draw2d(int prim, const float* xy, int n, float width) {
  static const GLenum modes[4] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_QUADS};
  if (n <= 0 || prim < 0 || prim > 3) return;
  if (width != 1.0f) glLineWidth(width);
  glBegin(modes[prim]);
  for (int i = 0; i < n; i++) glVertex2f(xy[2 * i], xy[2 * i + 1]);
  glEnd();
  // Wide lines and points reach half their width beyond their vertices.
  drawn_around(xy, n, 1.0f + (width > 1.0f ? width : 1.0f));
  if (width != 1.0f) glLineWidth(1.0f);
}

// The text pictures' textures: the names after those of the numbered textures (n + 1 for n below
// OGL_TEXTURES), taken in turn. A texture that a draw still waiting in the renderer reads cannot
// be refilled without finishing that draw first, so a frame's few text draws each get their own.
enum { TEXT_TEXTURES = 8 };
static const GLuint FIRST_TEXT_TEXTURE = OGL_TEXTURES + 1;

void ogl_be_glyphs(const float* xy, const float* st, int n, const unsigned char* picture, int w,
                   int h) {
  if (n <= 0) return;
  static int next;
  // The drawing layer's texturing, binding and alpha test are left as they were found.
  GLint was_bound = 0, was_func = GL_ALWAYS;
  GLfloat was_ref = 0.0f;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &was_bound);
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &was_func);
  glGetFloatv(GL_ALPHA_TEST_REF, &was_ref);
  const GLboolean was_textured = glIsEnabled(GL_TEXTURE_2D),
                  was_tested = glIsEnabled(GL_ALPHA_TEST);
  glBindTexture(GL_TEXTURE_2D, FIRST_TEXT_TEXTURE + next);
  next = (next + 1) % TEXT_TEXTURES;
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, w, h, 0, GL_ALPHA, GL_UNSIGNED_BYTE, picture);
  // Each pixel centre falls on the middle of one of the picture's pixels, which it takes as it is.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy);
  glTexCoordPointer(2, GL_FLOAT, 0, st);
  glDrawArrays(GL_QUADS, 0, n);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glAlphaFunc(was_func, was_ref);
  if (!was_tested) glDisable(GL_ALPHA_TEST);
  if (!was_textured) glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, was_bound);
  drawn_around(xy, n, 1.0f);
}

// 3-D drawing outside a view may reach anywhere in the window.
void ogl_be_line3d(const float a[3], const float b[3]) {
  if (!in_view) drawn_all();
  glBegin(GL_LINES);
  glVertex3fv(a);
  glVertex3fv(b);
  glEnd();
}

void ogl_be_quad3d(const float* const p[4], const float normal[3], const float* st) {
  if (!in_view) drawn_all();
  glBegin(GL_QUADS);
  glNormal3fv(normal);
  for (int i = 0; i < 4; i++) {
    if (st) glTexCoord2f(st[2 * i], st[2 * i + 1]);
    glVertex3fv(p[i]);
  }
  glEnd();
}

// Texture n is GL texture name n + 1: name 0 is the default texture.
void ogl_be_bind_texture(int n) { glBindTexture(GL_TEXTURE_2D, (GLuint)n + 1); }

int ogl_be_max_texture_size() {
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  return size > 0 ? size : OGL_BMP_MAX;
}

void ogl_be_texture_level(int level, int w, int h, const unsigned char* rgba) {
  glTexImage2D(GL_TEXTURE_2D, level, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void ogl_be_texture_params(int mipmapped, int clamp) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // Clamping to the edge texels keeps the border colour from bleeding into the picture.
  const GLint wrap = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void ogl_be_draw_pixels(int x, int y, int w, int h, const unsigned char* rgba, float zoom) {
  // The raster position is set at the origin, which is always inside the window, and moved by a
  // bitmap of no size: a position outside the window would drop the whole picture.
  glRasterPos2i(0, 0);
  glBitmap(0, 0, 0.0f, 0.0f, (GLfloat)x, (GLfloat)y, nullptr);
  if (zoom != 1.0f) glPixelZoom(zoom, zoom);
  glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  if (zoom != 1.0f) glPixelZoom(1.0f, 1.0f);
  const float z = zoom < 0.0f ? -zoom : zoom;
  drawn(x - 1.0f, y - 1.0f, x + w * z + 1.0f, y + h * z + 1.0f);
}

void ogl_be_changed(int x, int y, int w, int h) {
  if (current >= 0) pictures[current].changed = 1;
}

// ---- 3-D view --------------------------------------------------------------------------------

void ogl_be_view(int x, int y, int w, int h, const float proj[16], const float camera[16],
                 const float rgb[3]) {
  glViewport(x, y, w, h);
  glScissor(x, y, w, h);
  glEnable(GL_SCISSOR_TEST);
  // The view's drawing stays within its scissor box.
  drawn(x, y, static_cast<float>(x) + w - 1, static_cast<float>(y) + h - 1);
  in_view = 1;
  glClearColor(rgb[0], rgb[1], rgb[2], 1.0f);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(proj);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(camera);
  glDepthFunc(GL_LEQUAL);
  glAlphaFunc(GL_GREATER, 0.5f);
  glPolygonOffset(-1.0f, -4.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void ogl_be_view_end() {
  static const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
  glDisable(GL_SCISSOR_TEST);
  in_view = 0;
  // The window's size is that of its picture, which the view's viewport was a part of.
  GLint vp[4] = {0, 0, 1, 1};
  if (current >= 0 && pictures[current].dx > 0 && pictures[current].dy > 0) {
    vp[2] = pictures[current].dx;
    vp[3] = pictures[current].dy;
  } else {
    glGetIntegerv(GL_VIEWPORT, vp);
  }
  glViewport(0, 0, vp[2], vp[3]);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, vp[2], 0.0, vp[3], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDepthMask(GL_TRUE);
  glDepthFunc(GL_LESS);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
}

void ogl_be_modelview(const float m[16]) {
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(m);
}

void ogl_be_fog(float start, float end, const float rgb[3]) {
  const GLfloat c[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
  glFogf(GL_FOG_START, start);
  glFogf(GL_FOG_END, end);
  glFogfv(GL_FOG_COLOR, c);
}

void ogl_be_sun(const float dir[3], const float diffuse[3], const float ambient[3]) {
  const GLfloat pos[4] = {dir[0], dir[1], dir[2], 0.0f};
  const GLfloat dif[4] = {diffuse[0], diffuse[1], diffuse[2], 1.0f};
  const GLfloat amb[4] = {ambient[0], ambient[1], ambient[2], 1.0f};
  const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, pos);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, dif);
  glLightfv(GL_LIGHT0, GL_AMBIENT, amb);
  glLightfv(GL_LIGHT0, GL_SPECULAR, none);
  // The sun's ambient part is the only ambient light of the scene.
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
}

void ogl_be_batch(int prim, const ogl_vertex* v, int n, float size) {
  static const GLenum modes[3] = {GL_TRIANGLES, GL_LINES, GL_POINTS};
  if (prim == OGL_BATCH_POINTS) glPointSize(size);
  if (prim == OGL_BATCH_LINES) glLineWidth(size);
  if (!in_view) drawn_all();
  const GLsizei stride = sizeof(ogl_vertex);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, stride, &v->x);
  glNormalPointer(GL_FLOAT, stride, &v->nx);
  glTexCoordPointer(2, GL_FLOAT, stride, &v->s);
  glColorPointer(4, GL_UNSIGNED_BYTE, stride, &v->r);
  glDrawArrays(modes[prim], 0, n);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  if (prim == OGL_BATCH_POINTS) glPointSize(1.0f);
  if (prim == OGL_BATCH_LINES) glLineWidth(1.0f);
}
