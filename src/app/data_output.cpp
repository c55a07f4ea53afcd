// The data-output writers: the data file "Kestrix.out" (one line per event tick, labels every
// tenth), the on-screen list in the cockpit view, the graph's samples, and the header of the
// one-frame dump.
#include "app/app.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "aircraft/aircraft.h"
#include "app/macibm.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "render/ogl.h"
#include "shared/shared.h"

// ---- The data file -----------------------------------------------------------------------------

// A failed write (full disk, no permission, the file could not be opened) switches disk output off
// with one notice; the simulator flies on.
static void data_file_failed() {
  set.dskout = 0;
  for (int i = 0; i < DATA_GROUPS; i++) set.Bdsk[i] = 0;
  MACIBM_alert("Could not write the data file 'Kestrix.out'.",
               "The disk may be full, or the folder Kestrix was started from may not be writable.",
               "Data output to the file is now off.", "", ALERT_NOTICE);
}

static void file_text(const char* s) { trk.write(s, static_cast<std::streamsize>(std::strlen(s))); }

// Each field becomes "NAME,UNIT | " with blanks shown as '_'; a field left empty is skipped.
static void file_label(const char* label) {
  size_t n = std::strlen(label);
  for (int k = 0; k < GRF_VALUES; k++) {
    size_t at = static_cast<size_t>(k) * 10;
    char word[16];
    for (int c = 0; c < 4; c++) {
      char ch = at + c < n ? label[at + c] : ' ';
      word[c] = ch == ' ' ? '_' : ch;
    }
    word[4] = ',';
    for (int c = 0; c < 4; c++) {
      char ch = at + 5 + c < n ? label[at + 5 + c] : ' ';
      word[5 + c] = ch == ' ' ? '_' : ch;
    }
    if (word[3] == '_') continue;
    std::memcpy(word + 9, " | ", 4);
    file_text(word);
  }
}

int format_value(char* out, float v, int decimals) {
  // The value in units of its last decimal, rounded to even at a tie as printf rounds: a float
  // times 10^4 is exact in a double. printf's own float formatting costs more than the rest of a
  // line together.
  static const double scale[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
  decimals = intlim(decimals, 0, 4);
  double h =
      std::nearbyint(static_cast<double>(fltlim(v, -DATA_LIMIT, DATA_LIMIT)) * scale[decimals]);
  unsigned long long n = static_cast<unsigned long long>(std::fabs(h));
  char digits[32];
  int d = 0;
  for (int i = 0; i < decimals; i++, n /= 10) digits[d++] = static_cast<char>('0' + n % 10);
  if (decimals > 0) digits[d++] = '.';
  do {
    digits[d++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n);
  if (std::signbit(h)) digits[d++] = '-';
  int len = 0;
  for (int pad = 9 - d; pad > 0; pad--) out[len++] = ' ';
  while (d) out[len++] = digits[--d];
  out[len] = '\0';
  return len;
}

// Every labelled field has its column, blank when the group has no value for it now (an engine
// not fitted, a ratio of nothing over nothing), so that the columns after it stay under their
// labels. Two decimals, or the group's own where it shows more: a density in slugs per cubic
// foot would otherwise always read 0.00.
static void file_values(int group, const float v[GRF_VALUES]) {
  int dig[GRF_VALUES], dec[GRF_VALUES];
  set_dig_dec(group, dig, dec);
  for (int k = 0; k < GRF_VALUES; k++) {
    if (!data_field_used(group, k)) continue;
    char s[48];
    int n = 9;
    if (v[k] == DATA_ABSENT)  // the mark itself: a value near it, such as -999.004, is a value
      std::memset(s, ' ', 9);
    else
      n = format_value(s, v[k], intmax2(dec[k], 2));
    std::memcpy(s + n, " | ", 4);
    trk.write(s, n + 3);
  }
}

// The groups the last label line named. A choice made in the Data Output window takes effect at
// once, between two label lines: its first line is labelled, or its values would stand under
// the labels of other groups until the next label line.
static int labelled[DATA_GROUPS_DEFINED];

void dskoutproc() {
  if (!set.dskout) return;
  if (!trk.is_open() || !trk.good()) {
    data_file_failed();
    return;
  }
  if (msc.cntr10 == 0 || std::memcmp(labelled, set.Bdsk, sizeof labelled) != 0) {
    std::memcpy(labelled, set.Bdsk, sizeof labelled);
    file_text("\n");
    for (int g = 0; g < DATA_GROUPS_DEFINED; g++)
      if (set.Bdsk[g]) out_label(DEST_FILE, g, 0);
    file_text("\n");
  }
  for (int g = 0; g < DATA_GROUPS_DEFINED; g++)
    if (set.Bdsk[g]) out_dat(DEST_FILE, g, 0);
  file_text("\n");
  if (!trk.good()) data_file_failed();
}

// Written inside the frame, after its clocks have advanced and while its period is halved for
// the sub-step the dump covers.
void trackdiv() {
  if (!trk.is_open()) return;
  int h, m;
  sec_to_hrs_min(fltlim(msc.zulu_time, 0.0f, 86399.0f), &h, &m);
  char s[2048];
  std::snprintf(s, sizeof s,
                "\n\n------------------------------------------------------------------------\n"
                "ONE-FRAME DUMP of the frame ending at %.2f s of flight, %02d:%02d UTC: its first "
                "sub-step, of %.4f s\n"
                "aircraft %s (%s)\n"
                "------------------------------------------------------------------------\n",
                static_cast<double>(msc.elap_time), h, m, static_cast<double>(msc.prd),
                pln.C_file, pln.C_path);
  file_text(s);
}

// ---- The on-screen list ------------------------------------------------------------------------

// A value is a minus, then up to four digits: 29 pixels. A number's own sign stands 6 pixels left
// of its column, which at 30 apart is on the last digit of the value to its left. The minus takes
// the blank cell before the digits instead, and the columns stand 36 apart, so that each minus
// sits by its own digits with a clear gap before it. The right column is shifted so that its
// fourth value still ends inside the 800-pixel window.
enum {
  SCREEN_COLOR = 45,
  SCREEN_SPACING = 6,
  SCREEN_PITCH = 36,
  SCREEN_RIGHT_SHIFT = 652,
};

// Row r of the list: rows 0..4 down the left, 5..9 down the right. The list hangs from the top of
// the main window, 48 pixels down for the first row's names.
static void screen_place(int r, int* x0, int* y_name) {
  *x0 = r >= 5 ? SCREEN_RIGHT_SHIFT : 0;
  int k = r % 5;
  int top = mnw.dy[0] > 0 ? mnw.dy[0] : 580;
  *y_name = top - 48 - 40 * k;
}

static void screen_label(int r, const char* label) {
  int x0, y;
  screen_place(r, &x0, &y);
  for (int k = 0; k < GRF_VALUES; k++) {
    char name[5], unit[5];
    if (!data_label_field(label, k, name, unit)) continue;
    OGL_string(SCREEN_COLOR, x0 + 10 + SCREEN_PITCH * k, y, name, 0, 0, SCREEN_SPACING);
    OGL_string(SCREEN_COLOR, x0 + 10 + SCREEN_PITCH * k, y - 20, unit, 0, 0, SCREEN_SPACING);
  }
}

static void screen_values(int group, int r, const float v[GRF_VALUES]) {
  int x0, y, dig[GRF_VALUES], dec[GRF_VALUES];
  screen_place(r, &x0, &y);
  set_dig_dec(group, dig, dec);
  for (int k = 0; k < GRF_VALUES; k++) {
    if (v[k] == DATA_ABSENT) continue;
    const int x = x0 + 10 + SCREEN_PITCH * k;
    if (v[k] < 0.0f) OGL_string(SCREEN_COLOR, x, y - 10, "-", 0, 0, SCREEN_SPACING);
    OGL_number(SCREEN_COLOR, x, y - 10, v[k], dig[k], dec[k], SCREEN_SPACING, 0, 0);
  }
}

// The controller's menu is drawn where the list's left column stands, and text over text reads
// as neither: while the menu is up the list gives way to it.
void draw_data_list() {
  if (!set.rltout || atc.menu_up) return;
  if (mnw.up[WIN_MAIN]) MACIBM_startwind(WIN_MAIN, 0);
  OGL_text_batch(1);
  for (int r = 0; r < RLT_ROWS; r++) {
    if (!data_group_defined(set.rltsel[r])) continue;
    out_label(DEST_SCREEN, set.rltsel[r], r);
    out_dat(DEST_SCREEN, set.rltsel[r], r);
  }
  OGL_text_batch(0);
}

// ---- The three destinations --------------------------------------------------------------------

void sub_out_label(int dest, int slot, const char* label) {
  if (dest == DEST_FILE)
    file_label(label);
  else if (dest == DEST_SCREEN && slot >= 0 && slot < RLT_ROWS)
    screen_label(slot, label);
  else if (dest == DEST_GRAPH)
    graph_label(slot, label);
}

void sub_out_dat(int dest, int group, int slot, float a, float b, float c, float d) {
  const float v[GRF_VALUES] = {a, b, c, d};
  if (dest == DEST_FILE) {
    file_values(group, v);
  } else if (dest == DEST_SCREEN && slot >= 0 && slot < RLT_ROWS) {
    screen_values(group, slot, v);
  } else if (dest == DEST_GRAPH && slot >= 0 && slot < GRF_TRACES && grf.cntr >= 0 &&
             grf.cntr < GRF_SAMPLES) {
    for (int k = 0; k < GRF_VALUES; k++) grf.data[slot][k][grf.cntr] = v[k];
  }
}

void out_label(int dest, int group, int slot) {
  if (!data_group_defined(group)) return;
  char label[DATA_LABEL_LEN + 1];
  data_label(group, label);
  sub_out_label(dest, slot, label);
}

void out_dat(int dest, int group, int slot) {
  if (!data_group_defined(group)) return;
  float v[GRF_VALUES];
  data_values(group, v);
  sub_out_dat(dest, group, slot, v[0], v[1], v[2], v[3]);
}
