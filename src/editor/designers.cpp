// The editor's design aids on the aircraft record in the file's units: the propeller designer, the
// instrument-location picker, the airfoil thickness the views draw, and the body smoothing.
#include "editor/editor.h"

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"

// ---- Propeller designer ----------------------------------------------------------------------

static float atan_deg(float y, float x) { return std::atan(y / x) * con.radtodeg; }

int design_prop(int p, int mode) {
  if (p < 0 || p > PART_LAST_DISC || (mode != DESIGN_BY_ADVANCE && mode != DESIGN_BY_SPEED))
    return 0;
  // Every element's angle divides by the radius and, designing by speed, by the rotation speed;
  // a blade of no length or a hub that does not turn has no design.
  const float radius_ft = pln.semilen[p], rpm = pln.des_rpm[p];
  if (!(radius_ft > 0.0f) || !(rpm > 0.0f) || !std::isfinite(radius_ft) || !std::isfinite(rpm) ||
      !std::isfinite(pln.des_adv[p]) || !std::isfinite(pln.des_vel[p])) {
    MACIBM_alert("The propeller cannot be designed:",
                 "its blade length and its design rpm must both be greater than zero.",
                 "Enter them first; the blades have not been changed.", "", ALERT_NOTICE);
    return 0;
  }
  pln.els[p] = MAX_ELS;
  const float R = radius_ft * con.fttomtrs;
  float a = pln.des_adv[p] * con.fttomtrs / 12.0f;  // advance per revolution, m
  const float w = rpm * con.rpmtorsc;               // rad/s
  float V = pln.des_vel[p] * con.ktstomsc;          // m/s
  for (int e = 0; e < MAX_ELS; e++) {
    const float r = (e + 0.5f) / MAX_ELS * R;
    pln.anginc[p][e] = mode == DESIGN_BY_ADVANCE ? atan_deg(a, con.pim2 * r) : atan_deg(V, w * r);
  }
  // The advance per revolution and the speed at the design rpm describe the same design.
  if (mode == DESIGN_BY_ADVANCE)
    V = w / con.pim2 * a;
  else
    a = V / (w / con.pim2);
  if (pln.varpitchEQ) {
    // The twist is kept relative to the tip; the pitch control adds the blade angle in flight.
    const float tip = atan_deg(a, con.pim2 * R);
    if (!pln.is_heli) {
      pln.minpitch[p] = 0.0f;
      pln.maxpitch[p] = tip + 10.0f;
    }
    for (int e = 0; e < MAX_ELS; e++) pln.anginc[p][e] -= tip;
  }
  if (mode == DESIGN_BY_ADVANCE)
    pln.des_vel[p] = V / con.ktstomsc;
  else
    pln.des_adv[p] = a / (con.fttomtrs / 12.0f);
  return 1;
}

// ---- Instrument picker -----------------------------------------------------------------------

const char* const instrument_names[INSTRUMENT_CODES] = {
    "      NONE",   "    airspeed",      " artifcl horizon", "    altimeter", "  supplementary",
    "    turn-slip", " directional gyro", "  vertical speed", "      A.D.F."};

// An instrument sits in one location at most; "none" may fill any number of them.
static void assign_instrument(int loc, int v) {
  for (int l = 1; l < PANEL_LOCS; l++)
    if (l != loc && v != 0 && pln.ins_of_loc[l] == v) pln.ins_of_loc[l] = 0;
  pln.ins_of_loc[loc] = v;
}

void fiddle_ins_loc(int loc, int x, int y, int mode) {
  if (loc < 1 || loc >= PANEL_LOCS) return;
  for (int v = 0; v < INSTRUMENT_CODES; v++) {
    const int top = y - PICKER_STEP * v;  // entry v's box: rows top .. top + PICKER_STEP - 1
    if (mode == 0 && intrange(mnw.mx, x, x + PICKER_WIDTH - 1) &&
        intrange(mnw.my, top, top + PICKER_STEP - 1))
      assign_instrument(loc, v);
  }
  for (int v = 0; v < INSTRUMENT_CODES; v++) {
    const int top = y - PICKER_STEP * v;
    const int chosen = pln.ins_of_loc[loc] == v;
    if (chosen) OGL_fillrect(57, x, top, PICKER_WIDTH, PICKER_STEP);
    OGL_string(chosen ? 36 : 37, x + 2, top + 1, instrument_names[v], 0, 0, 6);
  }
}

// ---- Airfoil thickness -----------------------------------------------------------------------

void assign_foil_thickness(const char* path, int p) {
  if (p < 0 || p >= NUM_PARTS || !path) return;
  // Read as a notice-only file of its own, so that a bad airfoil never ends the editor and a fault
  // of the aircraft file being read around it is kept.
  const int was_notice = inf_failure_notice, was_failed = inf_failed;
  inf_failure_notice = 1;
  inf_failed = 0;
  float t = 0.0f;
  if (inf_open(path, FILE_ANY, VERSION_AIRFOIL, 1)) {
    const int marker = intscan(path);
    if (!inf_failed && marker != 1234) {
      MACIBM_alert("You didn't select a foil!", path, "", "", ALERT_NOTICE);
    } else if (!inf_failed) {
      // The parameter line: the section's name, then its thickness ratio.
      char line[STR_SIZE];
      stringscan(line, path, STR_SIZE);
      std::istringstream in(line);
      in.imbue(std::locale::classic());
      std::string name;
      float v = 0.0f;
      if (!inf_failed && in >> name >> v && std::isfinite(v)) t = fltlim(v, 0.0f, 1.0f);
    }
  }
  if (inf.is_open()) inf.close();
  inf.clear();
  pln.trat[p] = t;
  inf_failure_notice = was_notice;
  inf_failed = was_failed;
}

// ---- Body smoothing --------------------------------------------------------------------------

// Bodies are 12..18, with at most the arrays' sections and points; smoothing needs an inner section
// and the quarter points of a section.
static int body_shape_ok(int b, int n, int m) {
  return b >= PART_FUSELAGE && b <= PART_MISC2 && n >= 3 && n <= BODY_SECTIONS && m >= 4 &&
         m <= BODY_POINTS;
}

float ret_y_center(int b, int j, int m) {
  if (b < PART_FUSELAGE || b > PART_MISC2 || j < 0 || j >= BODY_SECTIONS || m < 1 ||
      m > BODY_POINTS)
    return 0.0f;
  float sum = 0.0f;
  for (int k = 0; k < m; k++) sum += pln.body_Y[b][j][k];
  return sum / static_cast<float>(m);
}

float ret_ave_rad(int b, int n, int m) {
  if (!body_shape_ok(b, n, m)) return 0.0f;
  float sum = 0.0f;
  for (int j = 1; j <= n - 2; j++) {
    const float yc = ret_y_center(b, j, m);
    for (int k = 0; k < m; k++) sum += pythag(pln.body_X[b][j][k], pln.body_Y[b][j][k] - yc);
  }
  return sum / static_cast<float>((n - 2) * m);
}

void smoothit(int b, int n, int m) {
  if (!body_shape_ok(b, n, m)) return;
  float(*X)[BODY_POINTS] = pln.body_X[b];
  float(*Y)[BODY_POINTS] = pln.body_Y[b];
  float(*Z)[BODY_POINTS] = pln.body_Z[b];
  float r0 = ret_ave_rad(b, n, m);

  // Each inner point moves a tenth of the way to the line between its neighbours fore and aft.
  for (int j = 1; j <= n - 2; j++) {
    for (int k = 0; k < m; k++) {
      if (X[j - 1][k] == X[j + 1][k]) continue;
      // Two neighbours at one station would divide by nothing.
      const float dz = fallout(Z[j + 1][k] - Z[j - 1][k], -0.01f, 0.01f);
      const float f = (Z[j][k] - Z[j - 1][k]) / dz;
      const float xi = X[j - 1][k] + (X[j + 1][k] - X[j - 1][k]) * f;
      const float yi = Y[j - 1][k] + (Y[j + 1][k] - Y[j - 1][k]) * f;
      X[j][k] += 0.1f * (xi - X[j][k]);
      Y[j][k] += 0.1f * (yi - Y[j][k]);
    }
  }
  // Each inner section moves a fifth of the way to the ellipse through its own sides, top and
  // bottom.
  for (int j = 1; j <= n - 2; j++) {
    const float yc = ret_y_center(b, j, m);
    const float w = X[j][m / 4];
    const float h = (Y[j][0] - Y[j][m / 2]) * 0.5f;
    for (int k = 0; k < m; k++) {
      const float th = con.pim2 * static_cast<float>(k) / static_cast<float>(m);
      X[j][k] = 0.8f * X[j][k] + 0.2f * std::sin(th) * w;
      Y[j][k] = 0.8f * Y[j][k] + 0.2f * (yc + std::cos(th) * h);
    }
  }
  // Rounding shrinks a section; the body is brought back to its mean radius. A body of no size
  // keeps its points where they are rather than being divided by nothing.
  float r1 = ret_ave_rad(b, n, m);
  if (r0 < 0.01f) r0 = 0.01f;
  if (r1 < 0.01f) r1 = 0.01f;
  const float s = r0 / r1;
  for (int j = 1; j <= n - 2; j++) {
    const float yc = ret_y_center(b, j, m);
    for (int k = 0; k < m; k++) {
      X[j][k] *= s;
      Y[j][k] = yc + (Y[j][k] - yc) * s;
    }
  }
}
