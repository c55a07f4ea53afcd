// The radios: receiver ranges, tuning NAV 1, NAV 2, ADF and the GPS target against the navaid
// table, and the GPS course and distance.
#include <cmath>
#include <cstring>

#include "flight/flight.h"
#include "panel/panel.h"
#include "world/world_local.h"

// Ranges grow linearly with height from their sea-level value to their value at 30000 ft, and on
// beyond it.
// Last navaid slot a scan visits; the scans never leave the table.
static int last_nav() { return intmin2(env.navmax, NAV_MAX - 1); }

float ils_range() {
  return interp(0.0f, 4.0f / 9.0f, 30000.0f * con.fttomtrs, 14.0f / 9.0f, flt.h);
}

float vor_range() {
  return interp(0.0f, 8.0f / 9.0f, 30000.0f * con.fttomtrs, 28.0f / 9.0f, flt.h);
}

// 1 when navaid n is on `freq`, within `range` degrees and nearer than *best (which it updates).
// Distances are in degrees of latitude: a degree of longitude is shorter by the cosine of the
// latitude, and counted whole it made a station to the east or west seem farther than one as far
// to the north, so that of two stations sharing a frequency the farther could win, and a station
// well within range east or west was not received.
static int check_nav(int n, int freq, float* best, float range) {
  if (nav_f12[n] != freq) return 0;
  float d = pythag(flt.lat - nav_lat[n],
                   (flt.lon - nav_lon[n]) * std::cos(flt.lat * con.degtorad));
  if (d < range && d < *best) {
    *best = d;
    return 1;
  }
  return 0;
}

static void copy_id(int radio, int n) { std::memcpy(nav.nav_id[radio], nav_id[n], 4); }

// Localizers whose front course the aircraft is on; the nearest wins.
static void tune_localizer(int r, float range) {
  float best = 9.9e9f;
  for (int n = 0; n <= last_nav(); n++) {
    if ((nav_type[n] != 4 && nav_type[n] != 5) || nav_f12[n] != nav.nf[r]) continue;
    float x = X_with_latlon(nav_lat[n], nav_lon[n]);
    float z = Z_with_lat(nav_lat[n]);
    float bearing =
        std::atan2(x - static_cast<float>(flt.X), static_cast<float>(flt.Z) - z) * con.radtodeg;
    float off = fltwrap(bearing - static_cast<float>(nav_hdng[n]), -180.0f, 180.0f);
    if (off < -90.0f || off > 90.0f) continue;
    if (!check_nav(n, nav.nf[r], &best, range)) continue;
    nav.goodnav[r] = 1;
    nav.vorX[r] = x;
    nav.vorY[r] = nav_h[n];
    nav.vorZ[r] = z;
    nav.ilscrs[r] = static_cast<float>(nav_hdng[n]);
    nav.ilsgs[r] = 0;
    copy_id(r, n);
  }
}

// Glide slopes facing the aircraft's heading; the nearest of those wins. The heading is tested
// before the distance, so that the glide slope of the opposite runway end, when nearer, does not
// hide the one the aircraft is flying towards.
static void tune_glide_slope(int r, float range) {
  float best = 9.9e9f;
  for (int n = 0; n <= last_nav(); n++) {
    if (nav_type[n] != 6 || nav_f12[n] != nav.nf[r]) continue;
    int off = intwrap(nav_hdng[n] - flt.psi_int, -179, 180);
    if (off <= -90 || off >= 90) continue;
    if (!check_nav(n, nav.nf[r], &best, range)) continue;
    nav.gsX[r] = X_with_latlon(nav_lat[n], nav_lon[n]);
    nav.gsY[r] = nav_h[n];
    nav.gsZ[r] = Z_with_lat(nav_lat[n]);
    nav.ilsgs[r] = 3;
  }
}

// A VOR on the frequency overrides a localizer found before it.
static void tune_vor(int r, float range) {
  float best = 9.9e9f;
  for (int n = 0; n <= last_nav(); n++) {
    if (nav_type[n] != 3 || !check_nav(n, nav.nf[r], &best, range)) continue;
    nav.goodnav[r] = 1;
    nav.vorX[r] = X_with_latlon(nav_lat[n], nav_lon[n]);
    nav.vorY[r] = nav_h[n];
    nav.vorZ[r] = Z_with_lat(nav_lat[n]);
    nav.ilsgs[r] = 9;
    copy_id(r, n);
  }
}

static void tune_adf() {
  nav.goodnav[4] = 0;
  float best = 9.9e9f, range = ils_range();
  for (int n = 0; n <= last_nav(); n++) {
    if (nav_type[n] != 2 || !check_nav(n, nav.adff, &best, range)) continue;
    nav.goodnav[4] = 1;
    nav.adfX = X_with_latlon(nav_lat[n], nav_lon[n]);
    nav.adfZ = Z_with_lat(nav_lat[n]);
    copy_id(4, n);
  }
}

// The display names the target by the identifier the preferences kept beside its index; taken
// from the target itself, it cannot name another place (the first start's default, or a database
// written anew since).
static void set_gps_ident(const char* id) {
  for (int k = 0; k < 4; k++) nav.gps_id[k] = char_to_code(id[k]);
}

// The target index comes from the preferences or a menu; one outside its table leaves the target
// where it was.
static void set_gps_target() {
  int i = nav.gps_index;
  if (nav.gps_index_mode == 1) {
    if (i < 0 || i > env.aptmax || i >= APT_MAX) return;
    nav.gps_lat = apt_lat[i][0];
    nav.gps_lon = apt_lon[i][0];
    set_gps_ident(apt_id[i]);
  } else {
    if (i < 0 || i > last_nav()) return;
    nav.gps_lat = nav_lat[i];
    nav.gps_lon = nav_lon[i];
    set_gps_ident(nav_id[i]);
  }
}

void setnav(int radio) {
  if (radio == 0 || radio == 1) {
    nav.goodnav[radio] = 0;
    float ils = ils_range();
    tune_localizer(radio, ils);
    tune_glide_slope(radio, ils);
    tune_vor(radio, vor_range());
  } else if (radio == 4) {
    tune_adf();
  } else if (radio == 5) {
    set_gps_target();
    if (ins.lock_GPS) {
      get_gps_data(&nav.gps_crs, &nav.gps_dis);
      nav.gps_lock_crs = nav.gps_crs;
      ins.lock_GPS = 0;
    }
  }
}

// From the latitudes and longitudes of the aircraft and the target, on the mean latitude's scale
// east and west. The region's x of a target beyond the region is drawn out from the region's edge
// and moves with the region: each move of a region towards a target some degrees of latitude away
// shifted it sideways, by 0.7 nm at 160 nm, the cross-track needle jumping three dots and the
// autopilot turning 16 degrees off the course it was holding.
void get_gps_data(float* crs, float* dis) {
  const float mid = 0.5f * (nav.gps_lat + flt.lat) * con.degtorad;
  const float dx = fltwrap(nav.gps_lon - flt.lon, -180.0f, 180.0f) * 60.0f * con.nmtomtrs *
                   std::cos(mid);
  const float dz = (nav.gps_lat - flt.lat) * 60.0f * con.nmtomtrs;
  *crs = fltwrap(std::atan2(dx, dz) * con.radtodeg, 0.0f, 360.0f);
  *dis = pythag(dx, dz);
}
