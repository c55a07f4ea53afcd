// The serial outputs of the flight frame: the once-a-second position sentence, and the
// motion-platform and cockpit streams of one frame marker and a few floats per frame.
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

// Writes the float's 4 bytes to serial port 1; a short write is the fatal "Could not output
// serial port data!".
static void serial_dat(float value) {
  // The float's bits, least significant byte first, whatever the byte order of this machine.
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  unsigned char b[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                        static_cast<unsigned char>(bits >> 16),
                        static_cast<unsigned char>(bits >> 24)};
  if (MACIBM_serial_write(b, 4) < 4) {
    MACIBM_alert("Could not output serial port data!", "", "", "", ALERT_SIM_FATAL);
  }
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

int nmea_sentence(char* out) {
  char lat[16], lon[16], spd[16], trk_[16], var[16];
  degrees_minutes(lat, flt.lat, 2);
  degrees_minutes(lon, flt.lon, 3);
  tenths(spd, flt.v * con.msctokts);
  tenths(trk_, flt.hpath);
  tenths(var, static_cast<float>(std::abs(env.mvar)));
  // mvar is what a true heading needs added to read magnetic: a negative mvar is an easterly
  // variation, which the sentence marks E.
  return std::sprintf(out, "$GPRMC,000000.00,A,%s,%c,%s,%c,%s,%s,000000,%s,%c*00\n", lat,
                      flt.lat <= 0.0f ? 'S' : 'N', lon, flt.lon <= 0.0f ? 'W' : 'E', spd, trk_, var,
                      env.mvar > 0 ? 'W' : 'E');
}

// Local time the last position sentence went out. Lifetime: flight.
static float last_sent = 0.0f;

void reset_serial_outputs() { last_sent = 0.0f; }

void serial_outputs() {
  // A port that could not be opened was reported once when the first output asked for it; the
  // outputs then stay silent rather than failing on every frame.
  if (!set.ser_NMEA && !set.ser_motion && !set.ser_cockpit) return;
  if (!MACIBM_serial_ready()) return;
  // The sentence goes out once a second of local time; measuring across midnight keeps it going
  // after the clock wraps to 0.
  if (set.ser_NMEA && clock_since(msc.locl_time, last_sent) > 1.0f) {
    last_sent = msc.locl_time;
    char s[128];
    int n = nmea_sentence(s);
    if (MACIBM_serial_write(s, n) < n) {
      MACIBM_alert("Could not output serial port data!", "", "", "", ALERT_NOTICE);
    }
  }
  if (set.ser_motion) {
    float v[10] = {-999.0f,
                   msc.elap_time,
                   flt.the,
                   flt.psi,
                   flt.phi,
                   flt.lon,
                   flt.lat,
                   static_cast<float>(flt.X),
                   static_cast<float>(flt.Z),
                   static_cast<float>(flt.Y)};
    for (float x : v) serial_dat(x);
  }
  if (set.ser_cockpit) {
    float v[9] = {-999.0f, flt.vind, flt.the, flt.phi, flt.h_ind, flt.R, flt.Beta, flt.psi, flt.vu};
    for (float x : v) serial_dat(x);
  }
}
