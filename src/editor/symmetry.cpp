// The symmetry rules of the editor: the left wings and stabiliser are mirror images of the right
// ones, nacelles 2 to 4 copies of nacelle 1, and the second miscellaneous body a copy of the
// first. The readers and the simulator take every part as written, so it is the editor that keeps
// a design symmetric.
#include "editor/editor.h"

#include <cstring>

#include "shared/shared.h"

// A value is only written when it differs, so that a part already equal to its twin keeps its
// bytes (a zero stays a zero rather than becoming a negative zero), and the record compares equal
// when nothing changed.
static void follow(float* dst, float v) {
  if (*dst != v) *dst = v;
}
static void follow(int* dst, int v) { *dst = v; }

void copy_foil(int src, int dst) {
  if (src < 0 || src >= LIFTING_PARTS || dst < 0 || dst >= LIFTING_PARTS || src == dst) return;
  C_to_C(pln.Rafl0[src], pln.Rafl0[dst]);
  C_to_C(pln.Rafl1[src], pln.Rafl1[dst]);
  C_to_C(pln.Tafl0[src], pln.Tafl0[dst]);
  C_to_C(pln.Tafl1[src], pln.Tafl1[dst]);
  follow(&pln.sweep1[dst], pln.sweep1[src]);
  follow(&pln.sweep2[dst], pln.sweep2[src]);
  follow(&pln.dihed[dst], pln.dihed[src]);
  follow(&pln.semilen[dst], pln.semilen[src]);
  follow(&pln.Croot[dst], pln.Croot[src]);
  follow(&pln.Ctip[dst], pln.Ctip[src]);
  follow(&pln.Zarm[dst], pln.Zarm[src]);
  follow(&pln.Yarm[dst], pln.Yarm[src]);
  follow(&pln.Xarm[dst], -pln.Xarm[src]);
  follow(&pln.trat[dst], pln.trat[src]);
  follow(&pln.diffRe[dst], pln.diffRe[src]);
  follow(&pln.diffRT[dst], pln.diffRT[src]);
  follow(&pln.varsweepEQ[dst], pln.varsweepEQ[src]);
  follow(&pln.els[dst], pln.els[src]);
  for (int e = 0; e < MAX_ELS; e++) follow(&pln.anginc[dst][e], pln.anginc[src][e]);
  // The controls of the part's kind: the lines its section holds in the file.
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (dst < l.first || dst > l.last) continue;
    for (int e = 0; e < MAX_ELS; e++) l.flags[dst][e] = l.flags[src][e];
  }
}

void copy_body(int src, int dst) {
  if (src < PART_FUSELAGE || src > PART_MISC2 || dst < PART_FUSELAGE || dst > PART_MISC2 ||
      src == dst)
    return;
  for (int j = 0; j < BODY_SECTIONS; j++) {
    for (int k = 0; k < BODY_POINTS; k++) {
      follow(&pln.body_X[dst][j][k], pln.body_X[src][j][k]);
      follow(&pln.body_Y[dst][j][k], pln.body_Y[src][j][k]);
      follow(&pln.body_Z[dst][j][k], pln.body_Z[src][j][k]);
    }
  }
}

int is_mirrored_part(int p) {
  return p == PART_WING1_LEFT || p == PART_WING2_LEFT || p == PART_HSTAB_LEFT ||
         (p > PART_NACELLE1 && p <= PART_NACELLE4) || p == PART_MISC2;
}

int apply_symmetry() {
  static planestruct before;
  before = pln;
  for (int b = PART_NACELLE1 + 1; b <= PART_NACELLE4; b++) copy_body(PART_NACELLE1, b);
  copy_body(PART_MISC1, PART_MISC2);
  copy_foil(PART_WING1_RIGHT, PART_WING1_LEFT);
  copy_foil(PART_WING2_RIGHT, PART_WING2_LEFT);
  copy_foil(PART_HSTAB_RIGHT, PART_HSTAB_LEFT);
  return std::memcmp(&before, &pln, sizeof pln) != 0 ? 1 : 0;
}
