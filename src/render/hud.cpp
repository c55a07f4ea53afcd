// The head-up display, drawn over the forward view: a pitch ladder that stays on
// the real horizon, the flight-path marker where the aircraft is going, the waterline mark where
// its nose points, and airspeed, altitude, vertical speed and heading read-outs.
#include <cmath>

#include "app/app.h"
#include "flight/flight.h"
#include "panel/panel.h"
#include "render/scene.h"
#include "shared/shared.h"

// Window pixel of world direction d as the camera shows it; 0 when it lies behind the eye.
static int project(const float d[3], float* x, float* y) {
  const view_camera* c = &vf.cam;
  const float ahead = d[0] * c->fwd[0] + d[1] * c->fwd[1] + d[2] * c->fwd[2];
  if (ahead < 0.05f) return 0;
  const float f = 0.5f * vf.w / c->tan_half_w;
  *x = vf.x + 0.5f * vf.w +
       f * (d[0] * c->right[0] + d[1] * c->right[1] + d[2] * c->right[2]) / ahead;
  *y = vf.y + 0.5f * vf.h + f * (d[0] * c->up[0] + d[1] * c->up[1] + d[2] * c->up[2]) / ahead;
  return 1;
}

static void direction(float az_deg, float el_deg, float d[3]) {
  const float az = az_deg * con.degtorad, el = el_deg * con.degtorad;
  d[0] = std::sin(az) * std::cos(el);
  d[1] = std::sin(el);
  d[2] = -std::cos(az) * std::cos(el);
}

static int inside(float x, float y) {
  return x >= con.HUD_lft && x <= con.HUD_rgt && y >= con.HUD_bot && y <= con.HUD_top;
}

// The display is placed in window pixels, where the view's angles are, and drawn in the drawing's
// coordinates, so that its lines and figures grow with the panel's scale.
static int coord_x(float px) {
  const ogl_mapping& m = OGL_mapping();
  return OGL_coord_of_pixel(m.scale, m.ox, static_cast<int>(std::floor(px)));
}
static int coord_y(float py) {
  const ogl_mapping& m = OGL_mapping();
  return OGL_coord_of_pixel(m.scale, m.oy, static_cast<int>(std::floor(py)));
}

static void line(int c, float x1, float y1, float x2, float y2) {
  if (inside(x1, y1) && inside(x2, y2))
    OGL_line(c, coord_x(x1), coord_y(y1), coord_x(x2), coord_y(y2));
}

// One rung of the ladder at elevation `el` along the aircraft's heading: two arms beside a gap,
// dashed below the horizon, with its angle written at the ends.
static void rung(int c, float el) {
  float d[3], xa, ya, xb, yb, xc, yc, xd, yd;
  const float wide = el == 0.0f ? 12.0f : 6.0f;
  direction(flt.psi - wide, el, d);
  if (!project(d, &xa, &ya)) return;
  direction(flt.psi - 1.5f, el, d);
  if (!project(d, &xb, &yb)) return;
  direction(flt.psi + 1.5f, el, d);
  if (!project(d, &xc, &yc)) return;
  direction(flt.psi + wide, el, d);
  if (!project(d, &xd, &yd)) return;
  if (el >= 0.0f) {
    line(c, xa, ya, xb, yb);
    line(c, xc, yc, xd, yd);
  } else {
    for (int k = 0; k < 4; k += 2) {
      line(c, xa + (xb - xa) * k / 4, ya + (yb - ya) * k / 4, xa + (xb - xa) * (k + 1) / 4,
           ya + (yb - ya) * (k + 1) / 4);
      line(c, xc + (xd - xc) * k / 4, yc + (yd - yc) * k / 4, xc + (xd - xc) * (k + 1) / 4,
           yc + (yd - yc) * (k + 1) / 4);
    }
  }
  const float s = OGL_mapping().scale;
  if (el != 0.0f && inside(xd + 4 * s, yd - 3 * s) && inside(xd + 20 * s, yd + 4 * s))
    OGL_number(c, coord_x(xd) + 2, coord_y(yd) - 3, std::fabs(el), 2, 0, 6, 0, 0);
}

void draw_hud() {
  const int c = intrange(ins.HUD_color, 36, 69) ? ins.HUD_color : 45;
  // The display covers the middle of the view.
  con.HUD_lft = vf.x + 0.2f * vf.w;
  con.HUD_rgt = vf.x + 0.8f * vf.w;
  con.HUD_bot = vf.y + 0.1f * vf.h;
  con.HUD_top = vf.y + 0.9f * vf.h;
  const int saved = ogl_will_be_blitted;
  ogl_will_be_blitted = 1;

  for (int el = -30; el <= 30; el += 5) rung(c, static_cast<float>(el));

  // Waterline: where the nose points. Symbols are sized in drawing units of s pixels.
  const float s = OGL_mapping().scale;
  float x, y, d[3];
  float r[3], u[3], f[3];
  body_axes(flt.psi, flt.the, flt.phi, r, u, f);
  if (project(f, &x, &y)) {
    line(c, x - 10 * s, y, x - 4 * s, y);
    line(c, x - 4 * s, y, x, y - 4 * s);
    line(c, x, y - 4 * s, x + 4 * s, y);
    line(c, x + 4 * s, y, x + 10 * s, y);
  }
  // Flight-path marker: where the aircraft is going, once it moves.
  const float v[3] = {static_cast<float>(flt.vX), static_cast<float>(flt.vY),
                      -static_cast<float>(flt.vZ)};
  const float speed = pythag3(v[0], v[1], v[2]);
  if (speed > 5.0f) {
    for (int k = 0; k < 3; k++) d[k] = v[k] / speed;
    if (project(d, &x, &y) && inside(x - 12 * s, y - 4 * s) && inside(x + 12 * s, y + 7 * s)) {
      OGL_framecircle(c, coord_x(x), coord_y(y), 3);
      line(c, x - 10 * s, y, x - 4 * s, y);
      line(c, x + 4 * s, y, x + 10 * s, y);
      line(c, x, y + 4 * s, x, y + 7 * s);
    }
  }
  // Read-outs: speed at the left, altitude and climb at the right, heading at the top.
  const int left = coord_x(con.HUD_lft), right = coord_x(con.HUD_rgt) - 40;
  const int mid = coord_y(0.5f * (con.HUD_bot + con.HUD_top));
  OGL_number(c, left + 2, mid, fltlim(asi_speed(), 0.0f, 9999.0f), 3, 0, 6, 0, 0);
  OGL_number(c, right, mid, fltlim(flt.h_ind * con.mtrstoft, -9999.0f, 99999.0f), 5, 0, 6, 1, 0);
  OGL_number(c, right, mid - 12, fltlim(flt.vu * con.msctofpm, -9999.0f, 9999.0f), 4, 0, 6, 1, 0);
  OGL_number(c, coord_x(vf.x + 0.5f * vf.w) - 12, coord_y(con.HUD_top) - 9,
             static_cast<float>(intwrap(flt.magpsi_int, 0, 359)), 3, 0, 6, 0, 0);
  ogl_will_be_blitted = saved;
}
