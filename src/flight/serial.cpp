// The serial outputs of the flight frame: the once-a-second position sentences (RMC and GGA, with
// their checksums and the simulator's UTC time and date), and the motion-platform and cockpit
// streams of one frame marker and a few floats per frame.
#include "flight/flight.h"
#include "flight/local.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/macibm.h"
#include "panel/panel.h"
#include "shared/shared.h"
#include "world/world.h"

// ---- Sentences -------------------------------------------------------------------------------

int nmea_checksum(const char* sentence) {
  const char* p = sentence;
  if (*p == '$') p++;
  int sum = 0;
  for (; *p && *p != '*'; p++) sum ^= static_cast<unsigned char>(*p);
  return sum;
}

// Closes a sentence whose body (from '$') is in out[0..n): "*HH" and CR LF, as receivers expect.
static int close_sentence(char* out, int n, int size) {
  return n + std::snprintf(out + n, size - n, "*%02X\r\n", nmea_checksum(out));
}

// Degrees and minutes of an angle: `deg_digits` digits of whole degrees, two of minutes, a point
// and two of hundredths of minutes, all truncated.
static void degrees_minutes(char* out, float angle, int deg_digits) {
  float a = std::fabs(angle);
  int deg = truncate_in(a, 0, 999);
  int hundredths = truncate_in((a - deg) * 6000.0f, 0, 5999);
  std::sprintf(out, "%0*d%02d.%02d", deg_digits, deg, hundredths / 100, hundredths % 100);
}

// Three digits, a point and one digit of value x 10, rounded and held to 0..9999.
static void tenths(char* out, float value) {
  int n = intlim(intround(value * 10.0f), 0, 9999);
  std::sprintf(out, "%03d.%d", n / 10, n % 10);
}

// UTC of the simulator's clock as hhmmss.ss, from the local time (which a flight start sets,
// while the universal time waits for the frame's clocks).
static float utc_now() {
  float z = zulu_for_local(msc.locl_time);
  return z >= 0.0f && z < 86400.0f ? z : 0.0f;  // midnight is the start of a day
}

static void utc_time(char* out) {
  float z = utc_now();
  int cs = intlim(intround(z * 100.0f), 0, 8639999);
  std::sprintf(out, "%02d%02d%02d.%02d", cs / 360000, cs / 6000 % 60, cs / 100 % 60, cs % 100);
}

// The simulator keeps a time of day but no calendar: a flight begins on NMEA_FIRST_DAY and the
// date moves on each time its UTC clock passes midnight, and back when the clock is set back
// across it (the time of day window). Lifetime: flight.
static int days_flown = 0;
static float last_zulu = -1.0f;

static void follow_midnight() {
  float z = utc_now();
  if (last_zulu >= 0.0f && z < last_zulu - 43200.0f) days_flown++;
  if (last_zulu >= 0.0f && z > last_zulu + 43200.0f) days_flown--;
  last_zulu = z;
}

// Day, month and year of a day count from 1 January 1970 (the proleptic Gregorian calendar).
static void civil_date(long days, int* d, int* m, int* y) {
  days += 719468;
  long era = (days >= 0 ? days : days - 146096) / 146097;
  long doe = days - era * 146097;
  long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = static_cast<int>(yoe + era * 400 + (*m <= 2));
}

// ddmmyy
static void utc_date(char* out) {
  int d, m, y;
  civil_date(NMEA_FIRST_DAY + days_flown, &d, &m, &y);
  std::sprintf(out, "%02d%02d%02d", d, m, y % 100);
}

float longitude_180() { return std::isfinite(flt.lon) ? std::remainder(flt.lon, 360.0f) : 0.0f; }

float speed_over_ground() {
  return static_cast<float>(std::sqrt(flt.vX * flt.vX + flt.vZ * flt.vZ));
}

int nmea_sentence(char* out) {
  char tim[16], date[16], lat[16], lon[16], spd[16], trk_[16], var[16];
  utc_time(tim);
  utc_date(date);
  const float east = longitude_180();
  degrees_minutes(lat, flt.lat, 2);
  degrees_minutes(lon, east, 3);
  tenths(spd, speed_over_ground() * con.msctokts);
  // Receivers read a course of 000.0 to 359.9: one that rounds up to a whole turn is 000.0.
  tenths(trk_, static_cast<float>(intwrap(intround(flt.hpath * 10.0f), 0, 3599)) / 10.0f);
  tenths(var, static_cast<float>(std::abs(env.mvar)));
  // mvar is what a true heading needs added to read magnetic: a negative mvar is an easterly
  // variation, which the sentence marks E.
  int n = std::snprintf(out, NMEA_MAX, "$GPRMC,%s,A,%s,%c,%s,%c,%s,%s,%s,%s,%c", tim, lat,
                        flt.lat <= 0.0f ? 'S' : 'N', lon, east <= 0.0f ? 'W' : 'E', spd, trk_, date,
                        var, env.mvar > 0 ? 'W' : 'E');
  return close_sentence(out, n, NMEA_MAX);
}

int nmea_gga(char* out) {
  char tim[16], lat[16], lon[16];
  utc_time(tim);
  const float east = longitude_180();
  degrees_minutes(lat, flt.lat, 2);
  degrees_minutes(lon, east, 3);
  float alt = std::isfinite(flt.h) ? fltlim(flt.h, -9999.0f, 99999.0f) : 0.0f;
  // A GPS fix from eight satellites with a good geometry; the height is above mean sea level,
  // with no separation of the geoid given.
  int n = std::snprintf(out, NMEA_MAX, "$GPGGA,%s,%s,%c,%s,%c,1,08,1.0,%.1f,M,0.0,M,,", tim, lat,
                        flt.lat <= 0.0f ? 'S' : 'N', lon, east <= 0.0f ? 'W' : 'E',
                        static_cast<double>(alt));
  return close_sentence(out, n, NMEA_MAX);
}

// ---- Writing ---------------------------------------------------------------------------------

// UTC of the whole second whose sentences went out last. Lifetime: flight.
static long last_second = -1;

void reset_serial_outputs() {
  last_second = -1;
  days_flown = 0;
  last_zulu = -1.0f;
}

// A port that fails a write (gone, full, closed by its reader) is not worth a notice every frame:
// one notice, and the serial outputs go off, all of them, since they share the port. The port is
// released, so that switching an output on again tries it afresh.
static void port_failed() {
  set.ser_NMEA = set.ser_motion = set.ser_cockpit = 0;
  MACIBM_alert("Could not output serial port data!",
               "The serial port did not take what was written to it.",
               "The serial outputs are now off.", "", ALERT_NOTICE);
  MACIBM_serial_close();
}

// Each float as its 4 bytes, least significant byte first whatever the byte order of this
// machine; the whole frame in one write.
static void write_floats(const float* v, int n) {
  unsigned char b[4 * 16];
  for (int i = 0; i < n; i++) {
    std::uint32_t bits;
    std::memcpy(&bits, &v[i], 4);
    for (int k = 0; k < 4; k++) b[4 * i + k] = static_cast<unsigned char>(bits >> (8 * k));
  }
  if (MACIBM_serial_write(b, 4 * n) < 4 * n) port_failed();
}

void serial_outputs() {
  // The date follows the clock while the outputs are off too: sentences switched on after
  // midnight belong to the new day.
  follow_midnight();
  if (!set.ser_NMEA && !set.ser_motion && !set.ser_cockpit) return;
  // A port that is missing or held by another program was told once when it was opened; the
  // outputs then go off rather than failing on every frame.
  if (!MACIBM_serial_ready()) {
    set.ser_NMEA = set.ser_motion = set.ser_cockpit = 0;
    MACIBM_serial_close();
    return;
  }
  // The sentences go out once for each whole second of UTC, like a receiver's fixes; the local
  // clock steps an hour at a time-zone boundary, which is no new second.
  long second = static_cast<long>(std::floor(utc_now()));
  if (set.ser_NMEA && second != last_second) {
    last_second = second;
    char s[2 * NMEA_MAX];
    int n = nmea_sentence(s);
    n += nmea_gga(s + n);
    if (MACIBM_serial_write(s, n) < n) port_failed();
  }
  if (set.ser_motion) {
    const float v[10] = {-999.0f,
                         msc.elap_time,
                         flt.the,
                         flt.psi,
                         flt.phi,
                         longitude_180(),
                         flt.lat,
                         static_cast<float>(flt.X),
                         static_cast<float>(flt.Z),
                         static_cast<float>(flt.Y)};
    write_floats(v, 10);
  }
  if (set.ser_cockpit) {
    const float v[9] = {-999.0f, flt.vind, flt.the,  flt.phi, flt.h_ind,
                        flt.R,   flt.Beta, flt.psi, flt.vu};
    write_floats(v, 9);
  }
}
