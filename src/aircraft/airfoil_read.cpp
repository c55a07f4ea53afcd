// The airfoil and flap file readers: coefficient tables checked row by row, the Reynolds-number
// pairing of two airfoils, and the flap increments.
#include <cmath>
#include <cstdio>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "shared/shared.h"

// The sentence that tells the user which part uses the airfoil.
static const char* user_line(int p) {
  static const char* const line[LIFTING_PARTS] = {
      "The foil file is used by prop 1.",
      "The foil file is used by prop 2.",
      "The foil file is used by prop 3.",
      "The foil file is used by prop 4.",
      "The foil file is used by wing number one.",
      "The foil file is used by wing number one.",
      "The foil file is used by wing number two.",
      "The foil file is used by wing number two.",
      "The foil file is used by the horiz stab.",
      "The foil file is used by the horiz stab.",
      "The foil file is used by vertical stab number one.",
      "The foil file is used by vertical stab number two."};
  return p >= 0 && p < LIFTING_PARTS ? line[p] : "";
}

static void foil_fatal(const char* l1, const char* path, int p, const char* l4) {
  char name[STR_SIZE];
  std::snprintf(name, sizeof name, "The name of the airfoil file is: %s", path);
  MACIBM_alert(l1, name, user_line(p), l4, ALERT_SIM_FATAL);
}

// Row n of the tables stands for n/10 degrees up to row 200 and for n - 180 degrees beyond.
static float row_angle(int n) { return n <= 200 ? n / 10.0f : static_cast<float>(n - 180); }

// Checks one table row's angle against the angle its position implies.
static void wingalign(float read, float expected, const char* path) {
  if (std::fabs(read - expected) <= 0.00001f) return;
  trk << "Exited because looking in wingfile " << path << " for alpha " << expected
      << " but getting " << read << ".\n";
  MACIBM_alert("An error occurred during read-in of the airfoil file.",
               "Either the file has been corrupted, or it is not really an airfoil file.",
               "The corrupted file is:", path, ALERT_SIM_FATAL);
}

// Drag below the floor is physically impossible; the drag-only rows near zero angle allow a
// little rounding below zero.
static float read_drag(float floor, const char* path, int p) {
  float cd = fltscanNOSN(path);
  if (cd < floor)
    foil_fatal("An airfoil used by this aircraft has negative drag at some angle of attack!", path,
               p, "This is not possible! Modify the airfoil in 'Foilsmith' to have positive drag.");
  return cd;
}

// The first word of the parameter line is the section's name: skipped up to the blank after it,
// reading at most a line's worth of characters.
static int is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == x_eln;
}

static void skip_word(const char* path) {
  char c;
  do {
    if (!inf.get(c)) {
      MACIBM_alert("File-scanning error!", "stringscan", "file:", path, ALERT_SIM_FATAL);
      return;
    }
  } while (is_blank(c));
  for (int i = 0; i < STR_SIZE; i++) {
    if (!inf.get(c)) {
      MACIBM_alert("File-scanning error!", "stringscan", "file:", path, ALERT_SIM_FATAL);
      return;
    }
    if (is_blank(c)) {
      inf.unget();
      return;
    }
  }
}

void grabafoil(const char* path, int p, int rt, int re) {
  if (!inf_open(path, FILE_ANY, VERSION_AIRFOIL, 1)) {
    foil_fatal(
        "An airfoil file that is required by the aircraft you are attempting to fly could "
        "not be found.",
        path, p, "Make sure the missing airfoil file is in the 'airfoils' folder.");
    return;
  }
  if (intscan(path) != 1234) {
    foil_fatal(
        "An airfoil file that is required by the aircraft you are attempting to fly is "
        "corrupted.",
        path, p, "Revert to back-up.");
    return;
  }
  skip_word(path);
  pln.trat[p] = fltscanNOSN(path);
  pln.Re[p][rt][re] = fltscanNOSN(path);
  fltscanNOSN(path);  // the largest lift coefficient, shown by the airfoil maker only
  pln.alpha_max[p] = fltscanNOSN(path);
  rln(path);
  rln(path);

  float* clneg = afl.clneg[p][rt][re];
  float* cdneg = afl.cdneg[p][rt][re];
  float* clpos = afl.clpos[p][rt][re];
  float* cdpos = afl.cdpos[p][rt][re];
  for (int n = 270; n >= 100; n--) {
    wingalign(fltscanNOSN(path), -row_angle(n), path);
    clneg[n - 100] = fltscanNOSN(path);
    cdneg[n] = read_drag(0.0f, path, p);
  }
  for (int n = 99; n >= 0; n--) {
    wingalign(fltscanNOSN(path), -row_angle(n), path);
    cdneg[n] = read_drag(-0.01f, path, p);
  }
  rln(path);
  afl.clM[p][rt][re] = fltscan(path);
  afl.clB[p][rt][re] = fltscan(path);
  afl.cmal2[p][rt][re] = fltscan(path);
  afl.cmal3[p][rt][re] = fltscan(path);
  afl.cm1[p][rt][re] = fltscan(path);
  afl.cm2[p][rt][re] = fltscan(path);
  afl.cm3[p][rt][re] = fltscan(path);
  afl.cm4[p][rt][re] = fltscan(path);
  rln(path);
  for (int n = 0; n <= 99; n++) {
    wingalign(fltscanNOSN(path), row_angle(n), path);
    cdpos[n] = read_drag(0.0f, path, p);
  }
  for (int n = 100; n <= 270; n++) {
    wingalign(fltscanNOSN(path), row_angle(n), path);
    clpos[n - 100] = fltscanNOSN(path);
    cdpos[n] = read_drag(0.0f, path, p);
  }
  inf.close();

  // The zero-lift angle divides by the lift slope; a section without one cannot fly.
  if (afl.clM[p][rt][re] == 0.0f) {
    foil_fatal("An airfoil used by this aircraft has a lift slope of zero!", path, p,
               "Re-generate the airfoil in 'Foilsmith' with its lift data.");
    return;
  }
  afl.al_zl[p][rt][re] = -afl.clB[p][rt][re] / afl.clM[p][rt][re];
}

// Exchanges the two Reynolds choices of part p at position rt: tables, numbers and file names.
static void swap_reynolds(int p, int rt) {
  auto swap_rows = [](float* a, float* b, int n) {
    for (int i = 0; i < n; i++) {
      float t = a[i];
      a[i] = b[i];
      b[i] = t;
    }
  };
  swap_rows(afl.clneg[p][rt][0], afl.clneg[p][rt][1], AFL_CL_ROWS);
  swap_rows(afl.cdneg[p][rt][0], afl.cdneg[p][rt][1], AFL_CD_ROWS);
  swap_rows(afl.clpos[p][rt][0], afl.clpos[p][rt][1], AFL_CL_ROWS);
  swap_rows(afl.cdpos[p][rt][0], afl.cdpos[p][rt][1], AFL_CD_ROWS);
  float* single[] = {afl.clM[p][rt],   afl.clB[p][rt], afl.cmal2[p][rt], afl.cmal3[p][rt],
                     afl.cm1[p][rt],   afl.cm2[p][rt], afl.cm3[p][rt],   afl.cm4[p][rt],
                     afl.al_zl[p][rt], pln.Re[p][rt]};
  for (float* v : single) swap_rows(&v[0], &v[1], 1);
  char(*names)[STR_SIZE] = rt == 0 ? pln.Rafl0 : pln.Tafl0;
  char(*names1)[STR_SIZE] = rt == 0 ? pln.Rafl1 : pln.Tafl1;
  char t[STR_SIZE];
  C_to_C(names[p], t);
  C_to_C(names1[p], names[p]);
  C_to_C(t, names1[p]);
}

void checkRediff(const char* path0, const char* path1, int p, int rt) {
  if (std::fabs(pln.Re[p][rt][1] - pln.Re[p][rt][0]) < 0.99f) {
    MACIBM_alert(
        "You are attempting Reynolds number interpolation with two airfoils of similar Reynolds "
        "numbers.",
        path0, path1, "You must use Reynolds numbers at lest 1 meg apart for Re interpolation.",
        ALERT_SIM_FATAL);
    return;
  }
  // The flight model blends from choice 0 at its Reynolds number up to choice 1 at a higher one,
  // so a pair named the other way round is put in that order.
  if (pln.Re[p][rt][0] > pln.Re[p][rt][1]) swap_reynolds(p, rt);
}

void read_flap_file(const char* path) {
  if (!inf_open(path, FILE_ANY, VERSION_AIRFOIL, 1)) {
    MACIBM_alert(
        "The flap file that is required by the aircraft you are attempting to fly could "
        "not be found.",
        "The name of the missing flap file is: ", path,
        "Make sure the missing flap file is in the 'flaps' folder.", ALERT_SIM_FATAL);
    return;
  }
  if (intscan(path) != 2345) {
    MACIBM_alert("An error occurred during read-in of the flaps file.",
                 "Either the file has been corrupted, or it is not really a flaps file. The "
                 "corrupted flaps file is: ",
                 path,
                 "Re-generate the flaps file by opening it up with the 'Foilsmith' application and "
                 "then saving it.",
                 ALERT_SIM_FATAL);
    return;
  }
  rln(path);
  rln(path);
  for (int i = 0; i < FLAP_ROWS; i++) {
    fltscanNOSN(path);  // the row number
    pln.clflap[i] = fltscanNOSN(path);
    pln.cdflap[i] = fltscanNOSN(path);
    pln.cmflap[i] = fltscanNOSN(path);
  }
  inf.close();
}
