// The paint kit: a starting bitmap for each part's texture, showing where the part's elements or
// cross-sections fall in the texture, for the designer to paint over in a graphics program.
#include "editor/editor.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "app/macibm.h"
#include "shared/shared.h"

namespace {
enum { KIT_SIDE = 256 };  // a power of two, as textures must be

struct canvas {
  std::vector<uint8_t> px = std::vector<uint8_t>(KIT_SIDE * KIT_SIDE * 3, 255);  // rows bottom-up
  void dot(int x, int y) {
    if (x < 0 || y < 0 || x >= KIT_SIDE || y >= KIT_SIDE) return;
    uint8_t* p = &px[(static_cast<size_t>(y) * KIT_SIDE + x) * 3];
    p[0] = p[1] = p[2] = 0;
  }
  // Lines at texture coordinates s (across) and t (up), 0..1.
  void across(float t) {
    const int y = intlim(static_cast<int>(t * (KIT_SIDE - 1) + 0.5f), 0, KIT_SIDE - 1);
    for (int x = 0; x < KIT_SIDE; x++) dot(x, y);
  }
  void up(float s, float t0 = 0.0f, float t1 = 1.0f) {
    const int x = intlim(static_cast<int>(s * (KIT_SIDE - 1) + 0.5f), 0, KIT_SIDE - 1);
    const int y0 = static_cast<int>(t0 * (KIT_SIDE - 1)), y1 = static_cast<int>(t1 * (KIT_SIDE - 1));
    for (int y = y0; y <= y1; y++) dot(x, y);
  }
  // A dashed line across part of the width, for a control's hinge.
  void hinge(float s0, float s1, float t) {
    const int y = intlim(static_cast<int>(t * (KIT_SIDE - 1) + 0.5f), 0, KIT_SIDE - 1);
    for (int x = static_cast<int>(s0 * (KIT_SIDE - 1)); x <= static_cast<int>(s1 * (KIT_SIDE - 1));
         x++)
      if (x % 6 < 3) dot(x, y);
  }
};

struct kit_part {
  const char* file;  // the bitmap's name
  int part;          // the part whose outline it holds
};
const kit_part kit_parts[] = {
    {"start wng1.bmp", PART_WING1_RIGHT}, {"start wng2.bmp", PART_WING2_RIGHT},
    {"start hstb.bmp", PART_HSTAB_RIGHT}, {"start vstb.bmp", PART_VSTAB1},
    {"start fuse.bmp", PART_FUSELAGE},    {"start nace.bmp", PART_NACELLE1},
    {"start misc.bmp", PART_MISC1},
};
}  // namespace

// The aircraft's drawing maps a surface's texture span-wise across (s = element / elements) and
// chord-wise up from the leading edge (t), and a body's along its stations across and round its
// points up, from the top through the right side.
static void outline(int p, canvas* c) {
  c->across(0.0f);
  c->across(1.0f);
  if (p <= PART_VSTAB2) {
    const int els = intlim(pln.els[p], 1, MAX_ELS);
    for (int e = 0; e <= els; e++) c->up(static_cast<float>(e) / els);
    const float crat = p == PART_VSTAB1 || p == PART_VSTAB2 ? pln.rudd_crat
                       : p >= PART_HSTAB_LEFT             ? pln.elev_crat
                                                          : pln.ailn_crat;
    for (int e = 0; e < els; e++) {
      int control = 0;
      // A slat runs along the leading edge: it has no hinge near the trailing edge.
      for (int l = 0; l < acf_control_line_count; l++)
        if (acf_control_lines[l].flags != pln.slat && p >= acf_control_lines[l].first &&
            p <= acf_control_lines[l].last && acf_control_lines[l].flags[p][e])
          control = 1;
      if (control && crat > 0.0f && crat < 1.0f)
        c->hinge(static_cast<float>(e) / els, static_cast<float>(e + 1) / els, 1.0f - crat);
    }
    return;
  }
  const int ns = intlim(f_body_s_dim(p), 2, 9), nr = intlim(f_body_r_dim(p), 1, BODY_POINTS);
  for (int j = 0; j < ns; j++) c->up(static_cast<float>(j) / (ns - 1));
  for (int k = 0; k <= nr; k++) c->across(static_cast<float>(k) / nr);
}

static void put32(std::ofstream& f, uint32_t v) {
  const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
  f.write(b, 4);
}
static void put16(std::ofstream& f, uint16_t v) {
  const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
  f.write(b, 2);
}

// A 24-bit bitmap, rows bottom-up as the file format keeps them, each a multiple of 4 bytes.
static int write_bmp(const char* path, const canvas& c) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return 0;
  const uint32_t row = KIT_SIDE * 3, data = row * KIT_SIDE;
  f.write("BM", 2);
  put32(f, 54 + data);
  put32(f, 0);
  put32(f, 54);
  put32(f, 40);
  put32(f, KIT_SIDE);
  put32(f, KIT_SIDE);
  put16(f, 1);
  put16(f, 24);
  put32(f, 0);
  put32(f, data);
  put32(f, 2835);
  put32(f, 2835);
  put32(f, 0);
  put32(f, 0);
  for (int y = 0; y < KIT_SIDE; y++)
    for (int x = 0; x < KIT_SIDE; x++) {
      const uint8_t* p = &c.px[(static_cast<size_t>(y) * KIT_SIDE + x) * 3];
      const char bgr[3] = {static_cast<char>(p[2]), static_cast<char>(p[1]),
                           static_cast<char>(p[0])};
      f.write(bgr, 3);
    }
  f.flush();
  return f.good() ? 1 : 0;
}

int make_paint_kit() {
  MACIBM_alert("I shall now create a bitmap called 'start fuse.bmp', which will contain an outline "
               "of the fuselage of this airplane.",
               "I will do the same thing for all the other parts on this airplane. You may adjust "
               "the SIZES of these bitmaps to any power of 2.",
               "These bitmaps are good starting points for you to do your own textures for this "
               "airplane with a graphics program.",
               "Just remember, if you change the aircraft geometry, then you will need to change "
               "your texture to fit the new shape of the plane!",
               ALERT_NOTICE);
  // Beside the aircraft's file, where the simulator looks for its textures.
  char folder[STR_SIZE] = "";
  if (edt.planenamed && pln.C_path[0]) {
    C_to_C(pln.C_path, folder);
    char* slash = std::strrchr(folder, '/');
    if (slash)
      slash[1] = '\0';
    else
      folder[0] = '\0';
  }
  int written = 0;
  for (const kit_part& k : kit_parts) {
    if (!have_this_part(k.part)) continue;
    canvas c;
    outline(k.part, &c);
    char path[STR_SIZE];
    C_plus_C(folder, k.file, path);
    if (write_bmp(path, c))
      written++;
    else
      MACIBM_alert("I could not write the bitmap:", path,
                   "Could the folder be read-only? Save the aircraft in a folder of your own first.",
                   "", ALERT_NOTICE);
  }
  return written;
}
