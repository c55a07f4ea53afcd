// The pieces every controller sentence is built from: call signs, phonetic words, frequencies,
// squawk codes, headings, turns, the altimeter, the runway, the wind and traffic types. Numbers are
// said the controllers' way, digit by digit with blanks between ("1 2 1 point 8 0").
#include <cctype>
#include <cmath>
#include <cstring>

#include "aircraft/aircraft.h"
#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "weather/weather.h"
#include "world/world.h"

// ---- Words and call signs --------------------------------------------------------------------

static const char* const digit_words[10] = {"zero", "one", "two",   "three", "four",
                                            "five", "six", "seven", "eight", "niner"};
static const char* const letter_words[26] = {
    "alpha",  "bravo", "charlie", "delta",  "echo",    "foxtrot", "golf",   "hotel", "india",
    "juliet", "kilo",  "lima",    "mike",   "november", "oscar",  "papa",   "quebec", "romeo",
    "sierra", "tango", "uniform", "victor", "whiskey", "x ray",   "yankee", "zooloo"};

const char* get_phonetic(char c) {
  if (c >= '0' && c <= '9') return digit_words[c - '0'];
  if (c >= 'A' && c <= 'Z') return letter_words[c - 'A'];
  return "";
}

void app_phonetic(char* s, char c) {
  const char* w = get_phonetic(c);
  if (!*w) return;
  app_C(s, w);
  app_C(s, " ");
}

// A file name may be as long as the system allows and a tail number as long as its line: both are
// cut here, so that whatever the controller says after the call sign still fits the sentence.
enum { CALL_NAME_MAX = 40, CALL_TAIL_MAX = 10 };

void start_command_string(char* s, int own) {
  s[0] = '\0';
  if (!own) {
    char reg[6] = {'N', code_to_char(intrand(1, 10)), code_to_char(intrand(1, 10)),
                   code_to_char(intrand(1, 10)), code_to_char(intrand(1, 36)),
                   code_to_char(intrand(11, 36))};
    for (char c : reg) app_phonetic(s, c);
    return;
  }
  // The name without its extension; a name without one is said whole.
  size_t keep = strnlen(pln.C_file, sizeof pln.C_file);
  const char* dot = keep < sizeof pln.C_file ? std::strrchr(pln.C_file, '.') : nullptr;
  if (dot) keep = static_cast<size_t>(dot - pln.C_file);
  if (keep > CALL_NAME_MAX) keep = CALL_NAME_MAX;
  if (keep > 0) {
    char name[CALL_NAME_MAX + 2];
    std::memcpy(name, pln.C_file, keep);
    name[keep] = ' ';
    name[keep + 1] = '\0';
    app_C(s, name);
  }
  // A tail number typed in small letters is the same registration.
  for (size_t k = 0; k < CALL_TAIL_MAX && k < sizeof pln.tailnum && pln.tailnum[k]; k++)
    app_phonetic(s, static_cast<char>(std::toupper(static_cast<unsigned char>(pln.tailnum[k]))));
}

// ---- Numbers ---------------------------------------------------------------------------------

void app_digits(char* s, int v, int width) {
  char d[12];
  int n = 0;
  if (v < 0) v = 0;
  do {
    d[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0 && n < 10);
  while (n < width && n < 10) d[n++] = '0';
  char out[24];
  int k = 0;
  for (int i = n - 1; i >= 0; i--) {
    out[k++] = d[i];
    if (i > 0) out[k++] = ' ';
  }
  out[k] = '\0';
  app_C(s, out);
}

void app_int(char* s, float v) {
  char t[16];
  int_to_str(std::isfinite(v) ? intround(v) : 0, t);
  app_C(s, t);
}

void app_freq(char* s, int whole, int frac) {
  app_digits(s, intlim(whole, 0, 999), 3);
  app_C(s, " point ");
  app_digits(s, intlim(frac, 0, 99), 2);
}

void app_freq_khz(char* s, int khz) {
  const int rest = khz % 1000;
  app_freq(s, khz / 1000, rest / 10);
  if (rest % 10) {
    app_C(s, " ");
    app_digits(s, rest % 10, 1);
  }
}

int invent_frequency() { return intrand(118, 134) * 1000 + intrand(0, 19) * 50; }
int invent_ground_frequency() { return 121000 + intrand(0, 9) * 100; }

int tower_frequency(int apt) {
  if (apt >= 0 && apt < APT_MAX && apt_twrf[apt] >= 118000 && apt_twrf[apt] < 137000)
    return apt_twrf[apt];
  return invent_frequency();
}

void app_squawk(char* s) {
  // 7500, 7600 and 7700 tell every radar that the aircraft is hijacked, has lost its radio or
  // is in an emergency: no controller gives them out.
  int d[4];
  do {
    for (int& x : d) x = intrand(0, 7);
  } while (d[0] == 7 && d[1] >= 5 && d[2] == 0 && d[3] == 0);
  for (int k = 0; k < 4; k++) {
    if (k) app_C(s, " ");
    app_digits(s, d[k], 1);
  }
}

// ---- Headings --------------------------------------------------------------------------------

int app_heading_string(char* s, int hdg, int step) {
  int h = intnear(((hdg % 360) + 360) % 360, step > 0 ? step : 1);
  if (h <= 0 || h > 360) h = 360;
  app_digits(s, h, 3);
  return h;
}

int app_turn_string(char* s, int hdg, int step) {
  int d = ((hdg - flt.magpsi_int) % 360 + 360) % 360;  // 0..359
  if (d > 180) d -= 360;                               // -179..180
  app_C(s, d < 1 ? "turn left heading " : "turn right heading ");
  return app_heading_string(s, hdg, step);
}

// ---- Altimeter, runway, wind -----------------------------------------------------------------

// The setting is rounded to the hundredth in double precision: truncating the single-precision
// value would read many settings a hundredth low (30.05 is 30.0499...).
static void app_setting(char* s, int standard) {
  int hundredths = 2992;
  if (!standard && std::isfinite(atm.baro) && atm.baro > 20.0f && atm.baro < 40.0f)
    hundredths = static_cast<int>(std::floor(static_cast<double>(atm.baro) * 100.0 + 0.5));
  app_C(s, "altimeter ");
  app_digits(s, hundredths / 100, 2);
  app_C(s, " ");
  app_digits(s, hundredths % 100, 2);
}

void app_altimeter_string(char* s) { app_setting(s, !(flt.h * con.mtrstoft < 18000.0f)); }

// A pilot listens to the destination's information in cruise, above the standard-setting height,
// to set the altimeter for the descent.
void app_field_altimeter_string(char* s) { app_setting(s, 0); }

void app_current_rway_string(char* s, int apt) { app_landing_rway_string(s, apt, -1); }

void app_landing_rway_string(char* s, int apt, int nav) {
  if (apt < 0 || apt >= APT_MAX) return;
  int r, end, has_ils, ils_nav;
  if (!localizer_rway(apt, nav, &r, &end)) get_active_rway(apt, &r, &end, &has_ils, &ils_nav);
  int num = apt_num[apt][r];
  char lr = apt_lr[apt][r];
  if (end == 2) {
    num = intwrap(num + 18, 1, 36);
    lr = lr == 'L' ? 'R' : lr == 'R' ? 'L' : lr;
  }
  app_C(s, "runway ");
  app_digits(s, intlim(num, 1, 36), 1);
  if (lr == 'L') app_C(s, " left");
  if (lr == 'R') app_C(s, " right");
  // The middle one of three parallel runways: without it the number names all three.
  if (lr == 'C') app_C(s, " center");
}

void app_wind_string(char* s, int apt) {
  const int k = wind_index(apt >= 0 && apt < APT_MAX ? apt_h[apt] : 0.0f);
  const int dir = inttrunc(atm.wnddir[k]);
  const int spd = inttrunc(atm.wndspd[k] * con.msctokts);
  const int gust = inttrunc((atm.wndspd[k] + atm.shrspd[k] + atm.level) * con.msctokts);
  const int var = inttrunc(atm.shrdir[k]);
  if (gust < 1) {
    app_C(s, "Wind calm");
    return;
  }
  if (gust < 5) {
    app_C(s, "Wind light and variable");
    return;
  }
  if (var > 10 || gust > spd + 5) app_C(s, "Wind shear alert. ");
  app_C(s, "Wind ");
  app_heading_string(s, dir, 10);
  app_C(s, " at ");
  app_int(s, static_cast<float>(spd));
  if (var > 10) {
    app_C(s, " variable ");
    app_heading_string(s, dir - var, 10);
    app_C(s, " to ");
    app_heading_string(s, dir + var, 10);
  }
  if (gust > spd + 5) {
    app_C(s, " gust ");
    app_int(s, static_cast<float>(gust));
  }
}

// ---- Traffic ---------------------------------------------------------------------------------

static const char* const plane_types[26] = {
    "Cessna 152",    "Cessna 172",     "Piper Warrior", "Piper Archer",  "Piper Arrow",
    "Beech Duke",    "Tobago",         "Trinidad",      "Mooney",        "Glasair",
    "Lancair",       "Beech Duchess",  "Beech Baron",   "Cessna 310",    "Cessna 414",
    "Pilatus PC 12", "Beech Starship", "Piaggio Avanti", "Lear 35",      "Lear 55",
    "Cessna Citation", "Boeing 727",   "Boeing 737",    "Boeing 757",    "Boeing 767",
    "Airbus A-300"};

void app_rand_plane(char* s, int alt) {
  app_C(s, plane_types[alt < 10000 ? intrand(0, 17) : intrand(11, 25)]);
}
