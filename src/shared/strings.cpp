// String and character helpers: copying and joining into the conventional 400-character buffers,
// digit and fraction conversions, the 37-symbol code, flag packing, clock text and the names of
// the terrain environment files.
#include "shared/shared.h"

#include <cmath>
#include <cstdio>
#include <cstring>

char C_s[STR_SIZE];
static char lit_buffer[STR_SIZE];

// ---- Copying and joining ---------------------------------------------------------------------

// Every helper writes at most STR_SIZE - 1 characters and a terminator, the size of the buffers the
// programs pass, so that an overlong name read from a file is cut instead of overrunning the
// destination. Sources may overlap the destination (C_plus_C(path, name, path) is common).
static void bounded_join(const char* a, const char* b, char* to) {
  char tmp[STR_SIZE];
  size_t n = 0;
  for (const char* s : {a, b}) {
    if (!s) continue;
    while (*s && n < STR_SIZE - 1) tmp[n++] = *s++;
  }
  tmp[n] = '\0';
  std::memcpy(to, tmp, n + 1);
}

void C_to_C(const char* from, char* to) { bounded_join(from, nullptr, to); }
void C_plus_C(const char* a, const char* b, char* to) { bounded_join(a, b, to); }
void app_C(char* to, const char* b) { bounded_join(to, b, to); }

char* lit_to_var(const char* s) {
  C_to_C(s, lit_buffer);
  return lit_buffer;
}

// ---- Digits and fractions --------------------------------------------------------------------

static bool is_digit(char c) { return c >= '0' && c <= '9'; }

int str_is_int(const char* s) {
  for (; *s; s++)
    if (!is_digit(*s)) return 0;
  return 1;
}

int str_is_frac(const char* s) {
  return std::strlen(s) == 3 && is_digit(s[0]) && s[0] > '0' && s[1] == '/' && is_digit(s[2]) &&
                 s[2] > '0'
             ? 1
             : 0;
}

int str_to_int(const char* s) {
  size_t n = std::strlen(s);
  if (n < 1 || n > 4 || !str_is_int(s)) return -1;
  int v = 0;
  for (size_t i = 0; i < n; i++) v = v * 10 + (s[i] - '0');
  return v;
}

// A three-character string whose outer characters are not digits, or whose divisor is zero, has
// no value; it gives -1 like any other unusable string rather than NaN or infinity.
float str_to_frac(const char* s) {
  if (std::strlen(s) != 3 || !is_digit(s[0]) || !is_digit(s[2]) || s[2] == '0') return -1.0f;
  return static_cast<float>(s[0] - '0') / static_cast<float>(s[2] - '0');
}

// Only the last five digits of the magnitude are written; the magnitude is taken in 64 bits so
// that the most negative int has one.
void int_to_str(int v, char* to) {
  long long m = v;
  bool negative = m < 0;
  if (negative) m = -m;
  std::snprintf(to, 7, "%s%d", negative ? "-" : "", static_cast<int>(m % 100000));
}

int char_to_int(char c) {
  if (is_digit(c)) return c - '0';
  if (c == '+') return 1;
  if (c == '-') return -1;
  return 0;
}

char int_to_char(int d) { return d >= 1 && d <= 9 ? static_cast<char>('0' + d) : '0'; }

// ---- The 37-symbol code: blank, digits, capital letters --------------------------------------

char code_to_char(int k) {
  if (k == 0) return ' ';
  if (k >= 1 && k <= 10) return static_cast<char>('0' + k - 1);
  if (k >= 11 && k <= 36) return static_cast<char>('A' + k - 11);
  return '0';
}

// Characters outside the code read as '0', so that an unreadable identifier still decodes to
// something the code can show.
int char_to_code(char c) {
  if (c == ' ') return 0;
  if (is_digit(c)) return c - '0' + 1;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 11;
  return 1;
}

// ---- Flags -----------------------------------------------------------------------------------

int bol_to_int(int a, int b, int c, int d, int e) {
  return (a ? 1 : 0) + (b ? 2 : 0) + (c ? 4 : 0) + (d ? 8 : 0) + (e ? 16 : 0);
}

void int_to_bol(int* a, int* b, int* c, int* d, int* e, int v) {
  *a = (v & 1) ? 1 : 0;
  *b = (v & 2) ? 1 : 0;
  *c = (v & 4) ? 1 : 0;
  *d = (v & 8) ? 1 : 0;
  *e = (v & 16) ? 1 : 0;
}

// ---- Clock and file names --------------------------------------------------------------------

void sec_to_hrs_min(float s, int* h, int* m) {
  double whole = std::floor(static_cast<double>(s));
  if (std::isnan(whole)) whole = 0.0;
  if (whole > 2.0e9) whole = 2.0e9;
  if (whole < -2.0e9) whole = -2.0e9;
  int secs = static_cast<int>(whole);
  *h = secs / 3600;
  *m = secs / 60 - 60 * *h;
}

// A sign ('+' from zero up) and at least three digits of the magnitude.
static void degree_part(long long v, char* to) {
  std::snprintf(to, 24, "%c%03lld", v >= 0 ? '+' : '-', v >= 0 ? v : -v);
}

// The quadrant's file is named by its south-west corner, latitude first; it lies in the folder of
// its 10 x 10 degree tile, or in the flat "United States" folder.
void return_latlon_str_ENV(int lat, int lon, char* to, int in_tile_folder) {
  char lat_s[24], lon_s[24], tlat_s[24], tlon_s[24];
  long long la = lat, lo = lon;
  degree_part(la, lat_s);
  degree_part(lo, lon_s);
  degree_part((la + 60) / 10 * 10 - 60, tlat_s);
  degree_part((lo + 180) / 10 * 10 - 180, tlon_s);
  if (in_tile_folder)
    std::snprintf(to, STR_SIZE, "%s%s/%s%s.env", tlat_s, tlon_s, lat_s, lon_s);
  else
    std::snprintf(to, STR_SIZE, "United States/%s%s.env", lat_s, lon_s);
}
