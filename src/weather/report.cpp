// The one-line weather report: time, sky, visibility, precipitation and the data group of
// temperature, dew point, wind and altimeter setting.
#include <cstring>

#include "shared/shared.h"
#include "weather/weather.h"

enum {
  REPORT_WORDS = 40,     // words of a report that are looked at
  REPORT_WORD_LEN = 399  // characters kept of each word
};

// A report split into its words.
struct report_words {
  char w[REPORT_WORDS][REPORT_WORD_LEN + 1];
  int n;
};

// Splits at blanks. Runs of blanks, tabs and line ends count as one separator, so a report with a
// doubled blank still has its words in their places; words beyond the fortieth are ignored and a
// word is cut after 399 characters.
static void split_words(const char* s, report_words* r) {
  r->n = 0;
  while (*s && r->n < REPORT_WORDS) {
    while (*s == ' ' || *s == '\t' || *s == '\r' || *s == '\n') s++;
    if (!*s) break;
    int len = 0;
    char* w = r->w[r->n++];
    for (; *s && *s != ' ' && *s != '\t' && *s != '\r' && *s != '\n'; s++)
      if (len < REPORT_WORD_LEN) w[len++] = *s;
    w[len] = '\0';
  }
}

static int is_digit(char c) { return c >= '0' && c <= '9'; }

// A whole number of one to nine digits and nothing else; *v receives its value.
static int whole_number(const char* s, int* v) {
  int len = 0, value = 0;
  for (; s[len]; len++) {
    if (!is_digit(s[len]) || len >= 9) return 0;
    value = value * 10 + (s[len] - '0');
  }
  if (len == 0) return 0;
  *v = value;
  return 1;
}

static int count_char(const char* s, char c) {
  int n = 0;
  for (; *s; s++) n += *s == c;
  return n;
}

// The time word HHMM; only a real time of day is taken.
static void decode_time(const char* w, float* time) {
  if (!is_digit(w[0]) || !is_digit(w[1]) || !is_digit(w[2]) || !is_digit(w[3])) return;
  int hours = (w[0] - '0') * 10 + (w[1] - '0'), minutes = (w[2] - '0') * 10 + (w[3] - '0');
  if (hours > 23 || minutes > 59) return;
  *time = static_cast<float>(hours * 3600 + minutes * 60);
}

// The sky from word `first` on: "CLR", or pairs of height (hundreds of feet) and cover for as long
// as a pair starts more than two words before the data group (or, without one, while a whole pair
// remains). Scattered clouds are clouds but no layer; broken and overcast ones make the layer.
// Returns 1 when a layer set the base and tops.
static int decode_sky(const report_words& r, int first, int group, float field_h, int* cld,
                      float* base, float* tops) {
  if (first >= r.n) return 0;
  if (std::strcmp(r.w[first], "CLR") == 0) {
    *cld = 0;
    return 0;
  }
  int present = 0, layer = 0, lowest = 0, highest = 0;
  for (int p = first; group >= 0 ? p < group - 2 : p + 1 < r.n; p += 2) {
    int height = 0;
    if (!whole_number(r.w[p], &height) || height <= 0) continue;
    const char* cover = r.w[p + 1];
    int broken = std::strcmp(cover, "BKN") == 0 || std::strcmp(cover, "OVC") == 0;
    if (!broken && std::strcmp(cover, "SCT") != 0) continue;
    present = 1;
    if (!broken) continue;
    lowest = layer ? intmin2(lowest, height) : height;
    highest = layer ? intmax2(highest, height) : height;
    layer = 1;
  }
  if (!present) return 0;
  *cld = 0;
  if (!layer) return 0;
  *cld = 1;
  *base = static_cast<float>(lowest) * 100.0f * con.fttomtrs + field_h;
  *tops = static_cast<float>(highest) * 100.0f * con.fttomtrs + field_h;
  return 1;
}

// Visibility in nautical miles from the one to three words before the data group: a whole number,
// a fraction, or a whole number and a fraction. Later checks override earlier ones, so "1 1/2"
// gives 1.5. Words before `first` (the time and the word after it) are never visibility.
static void decode_visibility(const report_words& r, int first, int group, float* vis) {
  auto word = [&](int back) -> const char* {
    int k = group - back;
    return k >= first && k >= 0 ? r.w[k] : "";
  };
  int v = 0;
  float nm = -1.0f;
  if (whole_number(word(1), &v)) nm = static_cast<float>(v);
  if (whole_number(word(2), &v)) nm = static_cast<float>(v);
  if (str_is_frac(word(1)) && str_to_frac(word(1)) >= 0.0f) {
    nm = str_to_frac(word(1));
    if (whole_number(word(2), &v)) nm += static_cast<float>(v);
  }
  if (str_is_frac(word(2)) && str_to_frac(word(2)) >= 0.0f) {
    nm = str_to_frac(word(2));
    if (whole_number(word(3), &v)) nm += static_cast<float>(v);
  }
  if (nm >= 0.0f) *vis = nm * con.nmtomtrs;
}

// The precipitation word: kind 2 rain, 3 rain with fog, 4 showers, 1 thunderstorm; level 1..3 for
// light, moderate and heavy.
static int decode_precip(const char* w, int* kind, int* level) {
  static const char* const words[6][3] = {
      {"R-", "R", "R+"},    {"RW-", "RW", "RW+"},    {"TRW-", "TRW", "TRW+"},
      {"R-F", "RF", "R+F"}, {"RW-F", "RWF", "RW+F"}, {"TRW-F", "TRWF", "TRW+F"},
  };
  static const int kinds[6] = {2, 4, 1, 3, 4, 1};
  for (int row = 0; row < 6; row++) {
    for (int l = 0; l < 3; l++) {
      if (std::strcmp(w, words[row][l]) == 0) {
        *kind = kinds[row];
        *level = l + 1;
        return 1;
      }
    }
  }
  return 0;
}

// Splits the data group at its slashes into at most five fields of up to 399 characters.
static int split_fields(const char* s, char f[5][REPORT_WORD_LEN + 1]) {
  int n = 0, len = 0;
  for (;; s++) {
    if (*s == '/' || *s == '\0') {
      f[n][len] = '\0';
      n++;
      len = 0;
      if (*s == '\0' || n == 5) break;
    } else if (len < REPORT_WORD_LEN) {
      f[n][len++] = *s;
    }
  }
  return n;
}

// Altimeter setting from the first three digits: 992 is 29.92 and 013 is 30.13 inHg.
static void decode_pressure(const char* f, float* baro) {
  int v = 0;
  if (!whole_number(f, &v) || v <= 0 || std::strlen(f) < 3) return;
  float inches = (f[0] - '0') + (f[1] - '0') * 0.1f + (f[2] - '0') * 0.01f;
  *baro = inches < 5.0f ? inches + 30.0f : inches + 20.0f;
}

// Wind dddss or VRss, with an optional gust dddssGgg: direction in tens of degrees, speeds in
// knots. A field of any other form, or a direction beyond 360, sets nothing.
static void decode_wind(const char* f, float* dir, float* spd, float* gust) {
  size_t len = std::strlen(f);
  if (len != 4 && len != 7) return;
  int variable = f[0] == 'V' && f[1] == 'R';
  if (!variable && (!is_digit(f[0]) || !is_digit(f[1]))) return;
  if (!is_digit(f[2]) || !is_digit(f[3])) return;
  int has_gust = len == 7 && f[4] == 'G';
  if (has_gust && (!is_digit(f[5]) || !is_digit(f[6]))) return;
  int degrees = variable ? 0 : (f[0] - '0') * 100 + (f[1] - '0') * 10;
  if (degrees > 360) return;
  *dir = variable ? static_cast<float>(intrand(0, 35) * 10) : static_cast<float>(degrees);
  float knots = static_cast<float>((f[2] - '0') * 10 + (f[3] - '0'));
  *spd = knots * con.ktstomsc;
  // A gust below the mean speed is no gust at all.
  float gust_kt = has_gust ? static_cast<float>((f[5] - '0') * 10 + (f[6] - '0')) : knots;
  *gust = fltmax2(gust_kt - knots, 0.0f) * con.ktstomsc;
}

void decode_wxr(const char* report, float field_h, float* time, int* cld, float* base, float* tops,
                float* vis, int* precip_kind, int* precip_level, float* temp, float* dewp,
                float* wind_dir, float* wind_spd, float* gust, float* baro) {
  if (!report) return;
  static report_words r;  // 16 kB: kept off the stack of the flight frame
  split_words(report, &r);
  if (r.n == 0) return;

  int has_time = std::strlen(r.w[0]) == 4;
  if (has_time) decode_time(r.w[0], time);
  int group = -1;
  for (int k = 0; k < r.n && group < 0; k++)
    if (count_char(r.w[k], '/') > 2) group = k;

  // The word after the time (or the first word) names the report; the sky follows it.
  int sky = has_time ? 2 : 1;
  int layer = decode_sky(r, sky, group, field_h, cld, base, tops);
  if (group < 0) return;
  decode_visibility(r, sky, group, vis);

  int whole = 0;
  if (group > 3 && !whole_number(r.w[group - 1], &whole) &&
      decode_precip(r.w[group - 1], precip_kind, precip_level)) {
    // The tops rise with the precipitation above the layer this report gave. Without a layer there
    // are no tops of this report to raise, and adding to the old ones would pile up over readings.
    float rise = *precip_kind == 1 ? 10000.0f : 1000.0f;
    if (layer) *tops += static_cast<float>(*precip_level) * rise * con.fttomtrs;
  }

  static char f[5][REPORT_WORD_LEN + 1];
  int slashes = count_char(r.w[group], '/');
  if (slashes != 3 && slashes != 4) return;
  split_fields(r.w[group], f);
  int first = slashes == 4 ? 1 : 0;  // a leading field is skipped
  int v = 0;
  if (whole_number(f[first], &v) && v > 0) *temp = static_cast<float>(v);
  if (whole_number(f[first + 1], &v) && v > 0) *dewp = static_cast<float>(v);
  decode_pressure(f[first + 3], baro);
  decode_wind(f[first + 2], wind_dir, wind_spd, gust);
}
