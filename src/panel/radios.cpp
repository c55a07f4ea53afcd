// The radio stack: COM and NAV frequencies, ADF and transponder, the audio selector, the DME
// readout and the clocks. A click on the upper half of a frequency's digits tunes up, on the
// lower half down; megahertz and fraction (or each ADF and transponder digit) separately. The
// second clock shows UTC or, after a click on its name, the elapsed-time timer, which a click on
// its digits starts, stops and, once stopped, sets back to zero: the one button of a panel clock.
#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "panel/panel_local.h"
#include "render/ogl.h"
#include "shared/shared.h"
#include "world/world.h"

// Rows of text from the top of the stack, and its two columns.
enum { ROW0_Y = 316, ROW_STEP = 18, COL0_X = 610, COL1_X = 704, DIGITS_OFF = 30 };

static int row_y(int row) { return ROW0_Y - row * ROW_STEP; }

// Column, row and label of each radio.
struct radio_place {
  int x, row;
  const char* label;
};
static const radio_place place[RADIO_COUNT] = {
    {COL1_X, 0, "NAV1"}, {COL1_X, 1, "NAV2"}, {COL0_X, 0, "COM1"},
    {COL0_X, 1, "COM2"}, {COL0_X, 2, "ADF"},  {COL1_X, 2, "XPDR"},
};

// The digits' cell of character i of a radio's readout.
static panel_rect digit_rect(int radio, int first, int count) {
  int x0 = place[radio].x + DIGITS_OFF;
  return {x0 + 6 * first - 1, row_y(place[radio].row) - 4, 6 * count, 15};
}

static void click_tune(int code, int x, int y, const panel_rect& r) {
  tune_radio(code / 10, code % 10, y >= r.y + r.h / 2 ? 1 : -1);
}

static const panel_rect audio_rect[3] = {
    {610, 256, 26, 14}, {638, 256, 26, 14}, {666, 256, 30, 14}};
static const int audio_receiver[3] = {0, 1, 4};
static const char* const audio_label[3] = {"N1", "N2", "ADF"};

static void click_audio(int receiver, int x, int y, const panel_rect& r) { audio_select(receiver); }

static const panel_rect clock_name_rect = {COL1_X - 1, ROW0_Y - 4 * ROW_STEP - 4, 20, 15};
static const panel_rect clock_digits_rect = {COL1_X + 23, ROW0_Y - 4 * ROW_STEP - 4, 44, 15};

static void click_clock_name(int, int, int, const panel_rect&) { ins.clock_et = !ins.clock_et; }

static void click_timer(int, int, int, const panel_rect&) {
  if (!ins.clock_et) return;
  if (msc.timer_running)
    msc.timer_running = 0;
  else if (msc.timr_time > 0.0f)
    msc.timr_time = 0.0f;
  else
    msc.timer_running = 1;
}

void layout_radios() {
  for (int radio = RADIO_NAV1; radio <= RADIO_COM2; radio++) {
    add_hot_spot(digit_rect(radio, 0, 3), click_tune, radio * 10 + 0, 1);
    add_hot_spot(digit_rect(radio, 4, 2), click_tune, radio * 10 + 1, 1);
  }
  for (int d = 0; d < 3; d++)
    add_hot_spot(digit_rect(RADIO_ADF, d, 1), click_tune, RADIO_ADF * 10 + d, 1);
  for (int d = 0; d < 4; d++)
    add_hot_spot(digit_rect(RADIO_XPDR, d, 1), click_tune, RADIO_XPDR * 10 + d, 1);
  for (int k = 0; k < 3; k++) add_hot_spot(audio_rect[k], click_audio, audio_receiver[k], 0);
  add_hot_spot(clock_name_rect, click_clock_name, 0, 0);
  add_hot_spot(clock_digits_rect, click_timer, 0, 0);
}

float dme_nm() {
  int r = nav.dmesel;
  if ((r != 0 && r != 1) || !nav.goodnav[r]) return -1.0f;
  float dx = nav.vorX[r] - static_cast<float>(flt.X), dz = nav.vorZ[r] - static_cast<float>(flt.Z);
  // A DME times its reply along the line to the station, height included: over the station it
  // reads the height above it, not nothing.
  float dy = nav.vorY[r] - static_cast<float>(flt.Y);
  return std::sqrt(dx * dx + dy * dy + dz * dz) * con.mtrstonm;
}

static void draw_text(int c, int x, int row, const char* s) {
  OGL_string(c, x, row_y(row), s, 0, 0, 6);
}

void draw_radios(int full) {
  static shown_values s;
  float dme = dme_nm();
  float v[11] = {
      static_cast<float>(nav.nf[0]),
      static_cast<float>(nav.nf[1]),
      static_cast<float>(nav.cf[0]),
      static_cast<float>(nav.cf[1]),
      static_cast<float>(nav.adff),
      static_cast<float>(nav.tran1 * 1000 + nav.tran2 * 100 + nav.tran3 * 10 + nav.tran4),
      static_cast<float>(nav.radout * 10 + nav.dmesel),
      dme < 0.0f ? -1.0f : std::floor(dme * 10.0f),
      std::floor(msc.locl_time / 60.0f),
      std::floor(msc.zulu_time / 60.0f),
      ins.clock_et ? std::floor(msc.timr_time) : -1.0f};
  if (!shown_changed(&s, v, 11, 0.5f, full)) return;

  const panel_rect& r = lay.radios;
  OGL_fillrect(C_BLACK, r.x, r.y, r.w, r.h);
  OGL_framerect(C_EDGE, r.x, r.y, r.w, r.h);
  char t[32];
  for (int radio = RADIO_NAV1; radio <= RADIO_COM2; radio++) {
    const int* f = radio <= RADIO_NAV2 ? &nav.nf[radio] : &nav.cf[radio - RADIO_COM1];
    int mhz = intlim(*f / 100, 0, 999), frac = intlim(*f % 100, 0, 99);
    draw_text(C_WHITE, place[radio].x, place[radio].row, place[radio].label);
    std::snprintf(t, sizeof t, "%03d.%02d", mhz, frac);
    draw_text(C_AMBER, place[radio].x + DIGITS_OFF, place[radio].row, t);
  }
  draw_text(C_WHITE, place[RADIO_ADF].x, place[RADIO_ADF].row, "ADF");
  std::snprintf(t, sizeof t, "%03d", intlim(nav.adff, 0, 999));
  draw_text(C_AMBER, place[RADIO_ADF].x + DIGITS_OFF, place[RADIO_ADF].row, t);
  draw_text(C_WHITE, place[RADIO_XPDR].x, place[RADIO_XPDR].row, "XPDR");
  std::snprintf(t, sizeof t, "%d%d%d%d", intlim(nav.tran1, 0, 7), intlim(nav.tran2, 0, 7),
                intlim(nav.tran3, 0, 7), intlim(nav.tran4, 0, 7));
  draw_text(C_AMBER, place[RADIO_XPDR].x + DIGITS_OFF, place[RADIO_XPDR].row, t);

  for (int k = 0; k < 3; k++)
    draw_button(audio_rect[k], audio_label[k], nav.radout == audio_receiver[k], C_GREEN);
  if (dme < 0.0f)
    std::snprintf(t, sizeof t, "DME%d ---.-", nav.dmesel + 1);
  else
    std::snprintf(t, sizeof t, "DME%d %5.1f", nav.dmesel + 1, fltmin2(dme, 999.9f));
  draw_text(C_WHITE, COL1_X, 3, t);

  int h, m;
  sec_to_hrs_min(fltlim(msc.locl_time, 0.0f, 86399.0f), &h, &m);
  std::snprintf(t, sizeof t, "LCL %02d:%02d", h, m);
  draw_text(C_WHITE, COL0_X, 4, t);
  if (ins.clock_et) {
    // Minutes and seconds for the first hour, then hours, minutes and seconds.
    const int sec = static_cast<int>(fltlim(msc.timr_time, 0.0f, 86399.0f));
    if (sec < 3600)
      std::snprintf(t, sizeof t, "ET  %02d:%02d", sec / 60, sec % 60);
    else
      std::snprintf(t, sizeof t, "ET  %d:%02d:%02d", sec / 3600, sec / 60 % 60, sec % 60);
  } else {
    sec_to_hrs_min(fltlim(msc.zulu_time, 0.0f, 86399.0f), &h, &m);
    std::snprintf(t, sizeof t, "UTC %02d:%02d", h, m);
  }
  draw_text(C_WHITE, COL1_X, 4, t);
}
