// Limits, ranges, wrapping, minimum and maximum, rounding, small arithmetic, random numbers and the
// timed wait.
#include "shared/shared.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <thread>

// Converts to int, saturating at the ends of the int range and giving 0 for NaN, so that a wild
// value from a damaged file yields a wild but defined int instead of undefined behaviour.
static int saturate_to_int(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT_MAX;
  if (v <= -2147483648.0) return INT_MIN;
  return static_cast<int>(v);
}

// ---- Limits, ranges, wrapping ----------------------------------------------------------------

int intlim(int x, int lo, int hi) {
  if (x < lo) return lo;
  if (x > hi) return hi;
  return x;
}

float fltlim(float x, float lo, float hi) {
  if (x < lo) return lo;
  if (x > hi) return hi;
  return x;
}

int intrange(int x, int lo, int hi) { return lo <= x && x <= hi ? 1 : 0; }
int fltrange(float x, float lo, float hi) { return lo <= x && x <= hi ? 1 : 0; }

int intbox(int x, int y, int x1, int y1, int x2, int y2) {
  return x1 <= x && x <= x2 && y1 <= y && y <= y2 ? 1 : 0;
}

// Unlike intbox, a point on any edge of a float box is outside it.
int fltbox(float x, float y, float x1, float y1, float x2, float y2) {
  return x1 < x && x < x2 && y1 < y && y < y2 ? 1 : 0;
}

// The range is inclusive at both ends, so its period is hi - lo + 1: 10 over 0..9 becomes 0.
int intwrap(int x, int lo, int hi) {
  if (x < lo) return x + (hi - lo + 1);
  if (x > hi) return x - (hi - lo + 1);
  return x;
}

int whole_turn(int deg) {
  int d = deg % 360;
  return d < 0 ? d + 360 : d;
}

// One wrap only: both ends are legal values, and a value more than a period out stays out.
float fltwrap(float x, float lo, float hi) {
  if (x < lo) return x + (hi - lo);
  if (x > hi) return x - (hi - lo);
  return x;
}

float fallout(float x, float lo, float hi) {
  if (x < lo || x > hi) return x;
  return x < (lo + hi) * 0.5f ? lo : hi;
}

int intpos(int x) { return x > 0 ? 1 : 0; }
int fltpos(float x) { return x > 0.0f ? 1 : 0; }
float fltsgn(float x) { return x < 0.0f ? -1.0f : 1.0f; }

// ---- Minimum, maximum, swap ------------------------------------------------------------------

int intmin2(int a, int b) { return a < b ? a : b; }
int intmax2(int a, int b) { return a > b ? a : b; }
float fltmin2(float a, float b) { return a < b ? a : b; }
float fltmax2(float a, float b) { return a > b ? a : b; }
float fltmin4(float a, float b, float c, float d) { return fltmin2(fltmin2(a, b), fltmin2(c, d)); }
float fltmax4(float a, float b, float c, float d) { return fltmax2(fltmax2(a, b), fltmax2(c, d)); }
float fltmax3(float a, float b, float c) { return fltmax2(fltmax2(a, b), c); }

void int_switch(int* a, int* b) {
  int t = *a;
  *a = *b;
  *b = t;
}

void flt_switch(float* a, float* b) {
  float t = *a;
  *a = *b;
  *b = t;
}

// ---- Rounding and arithmetic -----------------------------------------------------------------

// Adds the half in double precision: in single precision 0.49999997 + 0.5 rounds up to 1.0 and
// the result would be 1 instead of 0.
int intround(float x) {
  double v = x;
  return saturate_to_int(v >= 0.0 ? v + 0.5 : v - 0.5);
}

int inttrunc(float x) { return saturate_to_int(x); }

float clock_since(float now, float then) {
  float d = now - then;
  return d < 0.0f ? d + 86400.0f : d;
}

float clock_after(float now, float seconds) { return fltwrap(now + seconds, 0.0f, 86400.0f); }

int clock_reached(float now, float when) { return clock_since(now, when) < 43200.0f; }

float fltnear(float x, int step) {
  return static_cast<float>(intround(x / static_cast<float>(step))) * static_cast<float>(step);
}

int intnear(int x, int step) { return saturate_to_int(fltnear(static_cast<float>(x), step)); }

float sqr(float x) { return x * x; }
float signsqr(float x) { return x > 0.0f ? x * x : -(x * x); }
float signsqrt(float x) { return x > 0.0f ? std::sqrt(x) : -std::sqrt(-x); }
float pythag(float a, float b) { return std::sqrt(a * a + b * b); }
float pythag3(float a, float b, float c) { return std::sqrt(a * a + b * b + c * c); }

float interp(float x1, float y1, float x2, float y2, float x) {
  return y1 + (x - x1) * (y2 - y1) / (x2 - x1);
}

// ---- Random numbers --------------------------------------------------------------------------

// The generator's values are taken modulo 32768, so that every caller sees the 0..32767 range the
// formulas below are scaled for, whatever the C library's own RAND_MAX.
static int next_rand() { return std::rand() % 32768; }

// The product is formed in 64 bits so that wide ranges cannot overflow; only r = 32767 reaches
// hi + 1, which the limit folds back to hi.
int intrand_of(int r, int lo, int hi) {
  long long v = lo + static_cast<long long>(r) * (static_cast<long long>(hi) - lo + 1) / 32767;
  return static_cast<int>(v > hi ? hi : v);
}

float fltrand_of(int r, float lo, float hi) {
  return static_cast<float>(lo + r * (hi - lo) / 32767.0);
}

int intrand(int lo, int hi) { return intrand_of(next_rand(), lo, hi); }
float fltrand(float lo, float hi) { return fltrand_of(next_rand(), lo, hi); }

// ---- Timed wait ------------------------------------------------------------------------------

// Waits on the monotonic clock; sleeping rather than spinning leaves the processor to the rest of
// the desktop while the wait runs. The wait is rounded up so that it is never shorter than asked.
void delay(float s) {
  if (!(s > 0.0f)) return;
  double secs = s < 1.0e6f ? s : 1.0e6;
  auto wait = std::chrono::ceil<std::chrono::nanoseconds>(std::chrono::duration<double>(secs));
  std::this_thread::sleep_until(std::chrono::steady_clock::now() + wait);
}
