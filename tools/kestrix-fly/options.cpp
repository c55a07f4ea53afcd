// The runner's input: command-line options and the timed command script.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flyrun.h"

void fly_default_options(fly_options* o) {
  *o = fly_options{};
  o->alt_ft = 3000.0f;
  o->kias = 90.0f;
  o->seconds = 60.0f;
  o->prd = 0.05f;
  o->controls.gear_down = 1;
  std::snprintf(o->airport, sizeof o->airport, "SBD ");
}

// A whole, finite number and nothing else.
static int parse_number(const char* s, float* out) {
  if (!s || !*s) return 0;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(s, &end);
  if (end == s || *end != '\0' || errno == ERANGE || !std::isfinite(v)) return 0;
  if (std::fabs(v) > 1.0e30) return 0;
  *out = static_cast<float>(v);
  return 1;
}

static int in_range(float v, float lo, float hi) { return v >= lo && v <= hi; }

// "270/15": a direction 0..360 and a speed 0..200, each a plain number.
static int parse_wind(const char* s, float* dir, float* kt) {
  const char* slash = std::strchr(s, '/');
  if (!slash || slash - s >= 32) return 0;
  char d[32];
  std::memcpy(d, s, slash - s);
  d[slash - s] = '\0';
  return parse_number(d, dir) && in_range(*dir, 0.0f, 360.0f) && parse_number(slash + 1, kt) &&
         in_range(*kt, 0.0f, 200.0f);
}

// The file options; a path cut short to fit would name another file, so a longer one is refused.
static const char* const path_options[] = {"aircraft", "script", "csv", "cycle-dump", "data-out",
                                           "nmea"};
enum { PATH_MAX_CHARS = 399 };

static int path_fits(const char* name, const char* path, char* err) {
  for (const char* p : path_options) {
    if (std::strcmp(name, p) == 0 && std::strlen(path) > PATH_MAX_CHARS) {
      std::snprintf(err, FLY_ERR, "--%s takes a path of at most %d characters", name,
                    PATH_MAX_CHARS);
      return 0;
    }
  }
  return 1;
}

static void copy_path(char* to, const char* from) { std::snprintf(to, 400, "%s", from); }

// "5,16,26": whole numbers 0..50, each marked in chosen[]; at least one.
static int parse_groups(const char* s, int chosen[60]) {
  for (int g = 0; g < 60; g++) chosen[g] = 0;
  int n = 0;
  const char* p = s;
  while (*p) {
    char* end = nullptr;
    errno = 0;
    long g = std::strtol(p, &end, 10);
    if (end == p || errno || g < 0 || g > 50 || (*end != ',' && *end != '\0')) return 0;
    chosen[g] = 1;
    n++;
    p = *end == ',' ? end + 1 : end;
    if (*end == ',' && *p == '\0') return 0;
  }
  return n > 0;
}

// The value of one control: its name, where it goes and its range.
struct control_key {
  const char* name;
  unsigned bit;
  float lo, hi;
};

static const control_key control_keys[] = {
    {"throttle", FLY_THROTTLE, 0.0f, 1.0f}, {"elevator", FLY_ELEVATOR, -1.0f, 1.0f},
    {"aileron", FLY_AILERON, -1.0f, 1.0f},  {"rudder", FLY_RUDDER, -1.0f, 1.0f},
    {"flaps", FLY_FLAPS, 0.0f, 1.0f},       {"brakes", FLY_BRAKES, 0.0f, 1.0f},
};

static float* control_field(fly_controls* c, unsigned bit) {
  switch (bit) {
    case FLY_THROTTLE:
      return &c->throttle;
    case FLY_ELEVATOR:
      return &c->elevator;
    case FLY_AILERON:
      return &c->aileron;
    case FLY_RUDDER:
      return &c->rudder;
    case FLY_FLAPS:
      return &c->flaps;
    default:
      return &c->brakes;
  }
}

// The autopilot's commands: the same names on the command line ("ap-hdg") and in scripts
// ("ap_hdg").
struct autopilot_key {
  const char* name;
  unsigned bit;
  float lo, hi;
};

static const autopilot_key autopilot_keys[] = {
    {"ap_hdg", FLY_AP_HDG, 0.0f, 360.0f},
    {"ap_alt_ft", FLY_AP_ALT, -2000.0f, 100000.0f},
    {"ap_vs_fpm", FLY_AP_VS, -20000.0f, 20000.0f},
    {"ap_kias", FLY_AP_KIAS, 0.0f, 2000.0f},
};

static int same_key(const char* name, const char* key) {
  for (; *name && *key; name++, key++) {
    if (*name != *key && !(*name == '-' && *key == '_')) return 0;
  }
  return *name == *key;
}

// Engages autopilot mode `name` with its target; "ap_nav" with the value 1 engages NAV 1, and
// "ap_off" with the value 1 switches every mode off. Results as set_control's.
static int set_autopilot(fly_controls* c, unsigned* mask, const char* name, const char* value,
                         char* err) {
  const int off = same_key(name, "ap_off");
  if (off || same_key(name, "ap_nav")) {
    if (std::strcmp(value, "1") != 0) {
      std::snprintf(err, FLY_ERR, "%s takes the value 1, not '%s'", off ? "ap_off" : "ap_nav",
                    value);
      return 0;
    }
    if (off) c->ap_hdg_on = c->ap_nav_on = c->ap_alt_on = c->ap_vs_on = c->ap_kias_on = 0;
    if (!off) c->ap_nav_on = 1;
    *mask |= off ? FLY_AP_OFF : FLY_AP_NAV;
    return 1;
  }
  for (const autopilot_key& k : autopilot_keys) {
    if (!same_key(name, k.name)) continue;
    float v;
    if (!parse_number(value, &v) || !in_range(v, k.lo, k.hi)) {
      std::snprintf(err, FLY_ERR, "%s must be a number from %g to %g, not '%s'", k.name, k.lo, k.hi,
                    value);
      return 0;
    }
    switch (k.bit) {
      case FLY_AP_HDG:
        c->ap_hdg_on = 1, c->ap_hdg = v;
        break;
      case FLY_AP_ALT:
        c->ap_alt_on = 1, c->ap_alt_ft = v;
        break;
      case FLY_AP_VS:
        c->ap_vs_on = 1, c->ap_vs_fpm = v;
        break;
      default:
        c->ap_kias_on = 1, c->ap_kias = v;
        break;
    }
    *mask |= k.bit;
    return 1;
  }
  return -1;
}

// NAV 1's frequency ("116.2") or course in magnetic degrees. Results as set_control's.
static int set_radio(fly_controls* c, unsigned* mask, const char* name, const char* value,
                     char* err) {
  float v;
  if (std::strcmp(name, "nav1") == 0) {
    // NAV receivers tune 108.00 to 117.95 MHz in steps of 0.05 MHz.
    long key = parse_number(value, &v) ? std::lround(v * 100.0) : 0;
    if (key < 10800 || key > 11795 || key % 5 != 0 || std::fabs(v * 100.0 - key) > 0.01) {
      std::snprintf(err, FLY_ERR,
                    "nav1 must be a NAV frequency from 108.00 to 117.95 MHz in steps of 0.05, not "
                    "'%s'",
                    value);
      return 0;
    }
    c->nav1 = static_cast<int>(key);
    *mask |= FLY_NAV1;
    return 1;
  }
  if (std::strcmp(name, "obs") == 0) {
    if (!parse_number(value, &v) || !in_range(v, 0.0f, 360.0f)) {
      std::snprintf(err, FLY_ERR, "obs must be a course from 0 to 360 degrees magnetic, not '%s'",
                    value);
      return 0;
    }
    c->obs = v;
    *mask |= FLY_OBS;
    return 1;
  }
  return -1;
}

// Heading select and NAV 1 both steer: a line or a command line engages one of them.
static int one_lateral_mode(unsigned mask, char* err) {
  if ((mask & FLY_AP_HDG) && (mask & FLY_AP_NAV)) {
    std::snprintf(err, FLY_ERR, "ap_hdg and ap_nav both steer the aircraft: give one of them");
    return 0;
  }
  return 1;
}

// Sets control `name` from text; 1 when it is a known control with a value in range, -1 when the
// name is not a control, 0 when the value is bad (err says why).
static int set_control(fly_controls* c, unsigned* mask, const char* name, const char* value,
                       char* err) {
  int ap = set_autopilot(c, mask, name, value, err);
  if (ap >= 0) return ap;
  int radio = set_radio(c, mask, name, value, err);
  if (radio >= 0) return radio;
  if (std::strcmp(name, "gear") == 0) {
    if (std::strcmp(value, "up") != 0 && std::strcmp(value, "down") != 0) {
      std::snprintf(err, FLY_ERR, "gear must be up or down, not '%s'", value);
      return 0;
    }
    c->gear_down = std::strcmp(value, "down") == 0;
    *mask |= FLY_GEAR;
    return 1;
  }
  for (const control_key& k : control_keys) {
    if (std::strcmp(name, k.name) != 0) continue;
    float v;
    if (!parse_number(value, &v) || !in_range(v, k.lo, k.hi)) {
      std::snprintf(err, FLY_ERR, "%s must be a number from %g to %g, not '%s'", k.name, k.lo, k.hi,
                    value);
      return 0;
    }
    *control_field(c, k.bit) = v;
    *mask |= k.bit;
    return 1;
  }
  return -1;
}

const char FLY_USAGE[] =
    "usage: kestrix-fly --aircraft FILE|builtin:NAME\n"
    "  start:    [--start air|ground|runway|vfr-final|ils-final] [--airport ID] [--runway 0..5]\n"
    "            [--lat DEG --lon DEG] [--alt-ft N] [--kias N] [--heading DEG]\n"
    "            [--ground-elev-ft N] [--fuel-lb N] [--payload-lb N]\n"
    "  run:      [--seconds N] [--prd S] [--script FILE] [--csv FILE] [--cycle-dump FILE]\n"
    "            [--dump-at S] [--wind DIR/KT]\n"
    "  output:   [--data-out FILE --groups N,N,...] [--nmea FILE|PIPE|PTY]\n"
    "  pilot:    [--throttle 0..1] [--elevator -1..1] [--aileron -1..1] [--rudder -1..1]\n"
    "            [--flaps 0..1] [--gear up|down] [--brakes 0..1]\n"
    "  radios:   [--nav1 MHZ] [--obs DEG]\n"
    "  autopilot: [--ap-hdg DEG] [--ap-nav] [--ap-alt-ft N] [--ap-vs-fpm N] [--ap-kias N]\n"
    "            [--ap-follow-atc]\n"
    "  card:     --test-card [--fuel-lb N] [--payload-lb N] [--progress]: the flight-test card\n"
    "  --help    this text\n";

// Options that exclude each other; 0 with a message when two of them meet.
static int check_together(const fly_options* o, int have_lat, int have_lon, int have_elev,
                          int have_place, char* err) {
  // Without an airport start they would be ignored, and the flat world flown instead.
  if (have_place && !o->airport_start) {
    std::snprintf(err, FLY_ERR,
                  "--airport and --runway choose where --start runway, vfr-final or ils-final "
                  "starts");
    return 0;
  }
  if (o->airport_start && have_elev) {
    std::snprintf(err, FLY_ERR,
                  "--ground-elev-ft is for the flat world, not with an airport start");
    return 0;
  }
  if (have_lat != have_lon) {
    std::snprintf(err, FLY_ERR, "--lat and --lon go together");
    return 0;
  }
  if (o->at_position && (o->airport_start || o->start_ground)) {
    std::snprintf(err, FLY_ERR, "--lat and --lon give an air start: --start must be air");
    return 0;
  }
  if (o->at_position && have_elev) {
    std::snprintf(err, FLY_ERR, "--ground-elev-ft is for the flat world, not with --lat and --lon");
    return 0;
  }
  return 1;
}

// The starts that set their own height, speed or heading: an option for them would be ignored.
static int start_takes(const fly_options* o, int have_alt, int have_kias, int have_heading,
                       char* err) {
  if (o->airport_start && (have_alt || have_kias || have_heading)) {
    std::snprintf(err, FLY_ERR,
                  "--alt-ft, --kias and --heading are for an air start: --start runway, vfr-final "
                  "and ils-final take the runway's");
    return 0;
  }
  if (o->start_ground && (have_alt || have_kias)) {
    std::snprintf(err, FLY_ERR,
                  "--start ground is at rest on the ground: --alt-ft and --kias are for an air "
                  "start");
    return 0;
  }
  return 1;
}

int fly_parse_args(int argc, const char* const* argv, fly_options* o, char* err) {
  fly_default_options(o);
  int have_aircraft = 0, have_lat = 0, have_lon = 0, have_elev = 0, have_groups = 0;
  int have_flight_option = 0;  // an option with a value other than the aircraft and its loads
  int have_place = 0;          // --airport or --runway
  int have_dump_at = 0, have_alt = 0, have_kias = 0, have_heading = 0;
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    if (std::strcmp(a, "--help") == 0) {
      o->help = 1;
      return 1;
    }
    if (std::strncmp(a, "--", 2) != 0) {
      std::snprintf(err, FLY_ERR, "unexpected argument '%s'", a);
      return 0;
    }
    if (std::strcmp(a, "--ap-nav") == 0) {  // a mode without a target of its own
      set_control(&o->controls, &o->given, "ap_nav", "1", err);
      continue;
    }
    if (std::strcmp(a, "--ap-follow-atc") == 0) {
      o->ap_follow_atc = 1;
      continue;
    }
    if (std::strcmp(a, "--test-card") == 0) {
      o->test_card = 1;
      continue;
    }
    if (std::strcmp(a, "--progress") == 0) {
      o->progress = 1;
      continue;
    }
    if (i + 1 >= argc) {
      std::snprintf(err, FLY_ERR, "option %s needs a value", a);
      return 0;
    }
    const char* name = a + 2;
    const char* v = argv[++i];
    unsigned mask = 0;
    float x;
    if (!path_fits(name, v, err)) return 0;
    if (std::strcmp(name, "aircraft") != 0 && std::strcmp(name, "fuel-lb") != 0 &&
        std::strcmp(name, "payload-lb") != 0)
      have_flight_option = 1;
    if (std::strcmp(name, "aircraft") == 0) {
      copy_path(o->aircraft, v);
      have_aircraft = 1;
    } else if (std::strcmp(name, "start") == 0) {
      static const char* const starts[] = {"air", "ground", "runway", "vfr-final", "ils-final"};
      static const int airport_starts[] = {0, 0, 900, 1000, 1100};
      int k = 0;
      while (k < 5 && std::strcmp(v, starts[k]) != 0) k++;
      if (k == 5) {
        std::snprintf(err, FLY_ERR,
                      "--start must be air, ground, runway, vfr-final or ils-final, not '%s'", v);
        return 0;
      }
      o->start_ground = k == 1;
      o->airport_start = airport_starts[k];
    } else if (std::strcmp(name, "airport") == 0) {
      // Identifiers are four characters, shorter ones padded with blanks as the database has them.
      size_t n = std::strlen(v);
      if (n < 1 || n > 4 || std::strchr(v, ' ')) {
        std::snprintf(err, FLY_ERR,
                      "--airport must be an identifier of 1 to 4 characters, not '%s'", v);
        return 0;
      }
      std::snprintf(o->airport, sizeof o->airport, "%-4s", v);
      have_place = 1;
    } else if (std::strcmp(name, "runway") == 0) {
      if (!parse_number(v, &x) || !in_range(x, 0.0f, 5.0f) || x != std::floor(x)) {
        std::snprintf(err, FLY_ERR, "--runway must be a whole number from 0 to 5, not '%s'", v);
        return 0;
      }
      o->runway = static_cast<int>(x);
      have_place = 1;
    } else if (std::strcmp(name, "wind") == 0) {
      if (!parse_wind(v, &o->wind_dir, &o->wind_kt)) {
        std::snprintf(err, FLY_ERR,
                      "--wind must be DIR/KT, a direction 0..360 and a speed 0..200 kt, not '%s'",
                      v);
        return 0;
      }
    } else if (std::strcmp(name, "script") == 0) {
      copy_path(o->script, v);
    } else if (std::strcmp(name, "csv") == 0) {
      copy_path(o->csv, v);
    } else if (std::strcmp(name, "cycle-dump") == 0) {
      copy_path(o->cycle_dump, v);
    } else if (std::strcmp(name, "data-out") == 0) {
      copy_path(o->data_out, v);
    } else if (std::strcmp(name, "nmea") == 0) {
      copy_path(o->nmea, v);
    } else if (std::strcmp(name, "groups") == 0) {
      if (!parse_groups(v, o->groups)) {
        std::snprintf(err, FLY_ERR,
                      "--groups must be data-output groups from 0 to 50 separated by commas, not "
                      "'%s'",
                      v);
        return 0;
      }
      have_groups = 1;
    } else {
      struct numeric {
        const char* name;
        float* to;
        float lo, hi;
      };
      const numeric nums[] = {
          {"alt-ft", &o->alt_ft, -2000.0f, 300000.0f},
          {"kias", &o->kias, 0.0f, 2000.0f},
          {"heading", &o->heading, 0.0f, 360.0f},
          {"ground-elev-ft", &o->ground_elev_ft, -2000.0f, 30000.0f},
          {"seconds", &o->seconds, 0.0f, 86400.0f},
          {"prd", &o->prd, 0.001f, 0.1f},
          {"dump-at", &o->dump_at, 0.0f, 86400.0f},
          // The region about the point is laid out flat: at the pole its longitudes would run
          // wild, so starts end at 89 degrees, as the simulator's Location dialog has them.
          {"lat", &o->lat, -89.0f, 89.0f},
          {"lon", &o->lon, -180.0f, 180.0f},
          {"fuel-lb", &o->fuel_lb, 0.0f, 1.0e6f},
          {"payload-lb", &o->payload_lb, 0.0f, 1.0e6f},
      };
      int done = 0;
      for (const numeric& n : nums) {
        if (std::strcmp(name, n.name) != 0) continue;
        if (!parse_number(v, &x) || !in_range(x, n.lo, n.hi)) {
          std::snprintf(err, FLY_ERR, "--%s must be a number from %g to %g, not '%s'", n.name, n.lo,
                        n.hi, v);
          return 0;
        }
        *n.to = x;
        done = 1;
        have_lat |= n.to == &o->lat;
        have_lon |= n.to == &o->lon;
        have_elev |= n.to == &o->ground_elev_ft;
        have_dump_at |= n.to == &o->dump_at;
        have_alt |= n.to == &o->alt_ft;
        have_kias |= n.to == &o->kias;
        have_heading |= n.to == &o->heading;
        o->have_fuel |= n.to == &o->fuel_lb;
        o->have_payload |= n.to == &o->payload_lb;
      }
      if (!done) {
        int r = set_control(&o->controls, &mask, name, v, err);
        if (r == 0) return 0;
        if (r < 0) {
          std::snprintf(err, FLY_ERR, "unknown option %s", a);
          return 0;
        }
        o->given |= mask;
      }
    }
  }
  if (!have_aircraft) {
    std::snprintf(err, FLY_ERR, "--aircraft FILE is required");
    return 0;
  }
  o->at_position = have_lat && have_lon;
  if (have_groups != (o->data_out[0] != '\0')) {
    std::snprintf(err, FLY_ERR, "--data-out and --groups go together");
    return 0;
  }
  if (o->progress && !o->test_card) {
    std::snprintf(err, FLY_ERR, "--progress goes with --test-card");
    return 0;
  }
  // The card flies its own starts and pilot.
  if (o->test_card && (have_flight_option || o->given || o->ap_follow_atc)) {
    std::snprintf(err, FLY_ERR,
                  "--test-card flies its own starts and pilot: only --aircraft, --fuel-lb and "
                  "--payload-lb go with it");
    return 0;
  }
  // Both are written to the one data-output stream.
  if (o->data_out[0] && o->cycle_dump[0]) {
    std::snprintf(err, FLY_ERR, "--data-out and --cycle-dump both write the data file: give one");
    return 0;
  }
  if (have_dump_at && !o->cycle_dump[0]) {
    std::snprintf(err, FLY_ERR, "--dump-at goes with --cycle-dump");
    return 0;
  }
  // The dump is taken at the start of the first frame at or after dump_at.
  const long frames = std::lround(o->seconds / o->prd);
  if (o->cycle_dump[0] && (frames < 1 || (frames - 1) * o->prd + 1.0e-6f < o->dump_at)) {
    std::snprintf(err, FLY_ERR,
                  "--dump-at %g s is not within the run: its last frame starts at %g s", o->dump_at,
                  frames < 1 ? 0.0 : (frames - 1) * o->prd);
    return 0;
  }
  return one_lateral_mode(o->given, err) &&
         check_together(o, have_lat, have_lon, have_elev, have_place, err) &&
         start_takes(o, have_alt, have_kias, have_heading, err);
}

// What the pilot says to the controller: "atc=N" picks line N of the main menu, "atc_pick=ID" the
// list entry of that identifier. Results as set_control's.
static int set_atc(fly_script_entry* e, const char* name, const char* value, char* err) {
  float v;
  if (std::strcmp(name, "atc") == 0) {
    if (!parse_number(value, &v) || !in_range(v, 0.0f, 16.0f) || v != std::floor(v)) {
      std::snprintf(err, FLY_ERR, "atc must be a main-menu line from 0 to 16, not '%s'", value);
      return 0;
    }
    e->atc_line = static_cast<int>(v);
    e->mask |= FLY_ATC;
    return 1;
  }
  if (std::strcmp(name, "atc_pick") == 0) {
    const size_t n = std::strlen(value);
    if (n < 1 || n > 4) {
      std::snprintf(err, FLY_ERR, "atc_pick must be an identifier of 1 to 4 characters, not '%s'",
                    value);
      return 0;
    }
    std::snprintf(e->atc_pick, sizeof e->atc_pick, "%s", value);
    e->mask |= FLY_ATC_PICK;
    return 1;
  }
  return -1;
}

int fly_parse_script_line(const char* line, fly_script_entry* e, char* err) {
  *e = fly_script_entry{};
  char buf[512];
  if (std::strlen(line) >= sizeof buf) {
    std::snprintf(err, FLY_ERR, "line too long");
    return 0;
  }
  std::strcpy(buf, line);
  int have_t = 0;
  for (char* tok = std::strtok(buf, " \t\r\n"); tok; tok = std::strtok(nullptr, " \t\r\n")) {
    char* eq = std::strchr(tok, '=');
    if (!eq || eq == tok || eq[1] == '\0') {
      std::snprintf(err, FLY_ERR, "'%s' is not name=value", tok);
      return 0;
    }
    *eq = '\0';
    const char* name = tok;
    const char* value = eq + 1;
    if (std::strcmp(name, "t") == 0) {
      if (have_t || !parse_number(value, &e->t) || e->t < 0.0f) {
        std::snprintf(err, FLY_ERR, "t must be given once as a time of 0 s or more, not '%s'",
                      value);
        return 0;
      }
      have_t = 1;
      continue;
    }
    int r = set_atc(e, name, value, err);
    if (r < 0) r = set_control(&e->c, &e->mask, name, value, err);
    if (r == 0) return 0;
    if (r < 0) {
      std::snprintf(err, FLY_ERR, "unknown control '%s'", name);
      return 0;
    }
  }
  if (!have_t) {
    std::snprintf(err, FLY_ERR, "the line gives no time t=");
    return 0;
  }
  if (!e->mask) {
    std::snprintf(err, FLY_ERR, "the line sets no control");
    return 0;
  }
  return one_lateral_mode(e->mask, err);
}

// One line of any length without its end; 0 at the end of the file.
static int read_line(std::FILE* f, std::string* line) {
  line->clear();
  int ch;
  while ((ch = std::fgetc(f)) != EOF && ch != '\n') line->push_back(static_cast<char>(ch));
  return ch != EOF || !line->empty();
}

int fly_read_script(const char* path, fly_script* s, char* err) {
  s->count = 0;
  std::FILE* f = std::fopen(path, "r");
  if (!f) {
    std::snprintf(err, FLY_ERR, "cannot open script %s", path);
    return 0;
  }
  std::string line;
  int n = 0;
  while (read_line(f, &line)) {
    n++;
    // A comment runs to the end of its line, however long.
    line.erase(std::min(line.find('#'), line.size()));
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    if (s->count >= FLY_SCRIPT_MAX) {
      std::snprintf(err, FLY_ERR, "script %s line %d: more than %d entries", path, n,
                    FLY_SCRIPT_MAX);
      std::fclose(f);
      return 0;
    }
    char why[FLY_ERR];
    if (!fly_parse_script_line(line.c_str() + first, &s->entry[s->count], why)) {
      std::snprintf(err, FLY_ERR, "script %.120s line %d: %.150s", path, n, why);
      std::fclose(f);
      return 0;
    }
    s->count++;
  }
  // A folder opens for reading on Linux, and reads as nothing: it is not an empty script.
  if (std::ferror(f)) {
    std::snprintf(err, FLY_ERR, "cannot read script %s", path);
    std::fclose(f);
    return 0;
  }
  std::fclose(f);
  std::stable_sort(s->entry, s->entry + s->count,
                   [](const fly_script_entry& a, const fly_script_entry& b) { return a.t < b.t; });
  return 1;
}

void fly_apply_script(fly_controls* c, const fly_script_entry* e) {
  unsigned m = e->mask;
  if (m & FLY_THROTTLE) c->throttle = e->c.throttle;
  if (m & FLY_ELEVATOR) c->elevator = e->c.elevator;
  if (m & FLY_AILERON) c->aileron = e->c.aileron;
  if (m & FLY_RUDDER) c->rudder = e->c.rudder;
  if (m & FLY_FLAPS) c->flaps = e->c.flaps;
  if (m & FLY_GEAR) c->gear_down = e->c.gear_down;
  if (m & FLY_BRAKES) c->brakes = e->c.brakes;
  if (m & FLY_AP_OFF) c->ap_hdg_on = c->ap_nav_on = c->ap_alt_on = c->ap_vs_on = c->ap_kias_on = 0;
  // Engaging one lateral mode drops the other, as the panel's buttons do.
  if (m & FLY_AP_HDG) c->ap_hdg_on = 1, c->ap_nav_on = 0, c->ap_hdg = e->c.ap_hdg;
  if (m & FLY_AP_NAV) c->ap_nav_on = 1, c->ap_hdg_on = 0;
  if (m & FLY_NAV1) c->nav1 = e->c.nav1;
  if (m & FLY_OBS) c->obs = e->c.obs;
  if (m & FLY_AP_ALT) c->ap_alt_on = 1, c->ap_alt_ft = e->c.ap_alt_ft;
  if (m & FLY_AP_VS) c->ap_vs_on = 1, c->ap_vs_fpm = e->c.ap_vs_fpm;
  if (m & FLY_AP_KIAS) c->ap_kias_on = 1, c->ap_kias = e->c.ap_kias;
}
