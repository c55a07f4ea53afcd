// The flight-test card: the handbook figures of a design, each found by flying a standard
// procedure with the simulator's own frame at the chosen loads, in a standard atmosphere and calm
// air. The test pilot (pilot.cpp) only moves the controls. Flights are shared where procedures
// overlap: one glide finds the best glide and runs on into the clean stall, one climb finds the
// best-rate speed and its rate.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "aircraft/aircraft.h"
#include "app/app.h"
#include "app/macibm.h"
#include "controls/controls.h"
#include "flight/flight.h"
#include "flyrun.h"
#include "shared/shared.h"
#include "world/world.h"

const char* const CARD_NAMES[CARD_FIGURES] = {
    "weight_lb",    "stall_clean_kias", "stall_landing_kias", "vy_kias",         "roc_sl_fpm",
    "roc_8000_fpm", "ceiling_ft",       "vmax_sl_ktas",       "vmax_8000_ktas",  "best_glide_kias",
    "glide_ratio",  "takeoff_roll_ft",  "takeoff_50ft_ft",    "landing_roll_ft",
};

// The air procedures fly far above the flat ground, out of its effect and reach.
static const float AIR_GROUND_FT = -20000.0f;
static const float SWEEP_KT_PER_S = 1.0f;  // the speed falls 1 kt a second in every sweep
static const float SETTLE_S = 12.0f;       // the aircraft settles at the first speed of a sweep
static const float ENERGY_WINDOW_S = 2.0f;

static void set_figure(fly_card* card, int f, float v) {
  card->fig[f].state = CARD_FOUND;
  card->fig[f].value = v;
}

static void figure_not(fly_card* card, int f, int state, const char* why) {
  card->fig[f].state = state;
  std::snprintf(card->fig[f].why, sizeof card->fig[f].why, "%s", why);
}

// Several figures that fail, or do not apply, for one reason.
static void figures_not(fly_card* card, std::initializer_list<int> figures, int state,
                        const char* why) {
  for (int f : figures) figure_not(card, f, state, why);
}

// ---- One flight ------------------------------------------------------------------------------

// What stopped a flight early, for the figures that depended on it.
static char flight_why[200];
static const char* alert_line;  // the first line of the first alert of the flight, or null
static std::string alert_text;

static void note_alert(const alert_record& a) {
  if (alert_line) return;
  alert_text = a.line[0];
  alert_line = alert_text.c_str();
}

// Starts a flight as the runner's flat world starts it: in the air at alt_ft and kias, or at rest
// on the ground, with the flaps already where the procedure wants them.
static void card_start(fly_controls* c, float ground_ft, float alt_ft, float kias, int on_ground) {
  fly_options o;
  fly_default_options(&o);
  o.alt_ft = alt_ft, o.kias = kias, o.start_ground = on_ground, o.controls = *c;
  fly_flat_region(ground_ft * con.fttomtrs);
  // Every procedure meets the same chances (a leg torn off by a hard touchdown, the traffic the
  // start places), so that a card is the same whatever was flown before it in the same process.
  std::srand(1);
  fly_start(&o);
  // The flight start keeps the program's count of crashes; each procedure counts its own, or one
  // crash would fail every procedure after it.
  flt.crashes = 0;
  flt.flap = flt.flaprequest;
  alert_line = nullptr;
}

// One frame of the pilot's controls; 0 with flight_why set when the flight cannot go on.
static int card_frame(const fly_controls* c) {
  fly_set_controls(c);
  fly_frame();
  if (!fly_state_is_finite()) {
    std::snprintf(flight_why, sizeof flight_why, "the flight state stopped being finite at %.0f s",
                  fly_time());
    return 0;
  }
  if (flt.crashes > 0) {
    std::snprintf(flight_why, sizeof flight_why, "the aircraft crashed at %.0f s, %.0f kt",
                  fly_time(), fly_impact_kias());
    return 0;
  }
  if (alert_line) {
    std::snprintf(flight_why, sizeof flight_why, "the flight raised an alert: %.150s", alert_line);
    return 0;
  }
  return 1;
}

// ---- Energy rate -----------------------------------------------------------------------------

// The rate at which the aircraft gains energy height (h + v^2 / 2g), over the last two seconds:
// the climb it would have at a steady speed. A sweep changes the speed, and this takes the
// change out, so that one sweep gives the steady climb or sink at every speed it passes.
enum { ENERGY_RING = 256 };
struct energy_ring {
  float he[ENERGY_RING], kias[ENERGY_RING], horiz[ENERGY_RING];
  int n, span;
};

static void energy_reset(energy_ring* r) {
  r->n = 0;
  r->span = intlim(intround(ENERGY_WINDOW_S / msc.prd), 2, ENERGY_RING - 1);
}

static void energy_add(energy_ring* r) {
  int k = r->n % ENERGY_RING;
  r->he[k] = flt.h + flt.av * flt.av / (2.0f * con.g);
  r->kias[k] = flt.vind;
  r->horiz[k] = static_cast<float>(std::hypot(flt.vX, flt.vZ));
  r->n++;
}

// 1 when the window is full: the energy rate (m/s), the indicated speed and the horizontal
// speed at its middle.
static int energy_rate(const energy_ring* r, float* rate, float* kias, float* horiz) {
  if (r->n <= r->span) return 0;
  int now = (r->n - 1) % ENERGY_RING, then = (r->n - 1 - r->span) % ENERGY_RING;
  int mid = (r->n - 1 - r->span / 2) % ENERGY_RING;
  *rate = (r->he[now] - r->he[then]) / (r->span * msc.prd);
  *kias = r->kias[mid];
  *horiz = r->horiz[mid];
  return 1;
}

// Energy rates gathered by speed, in bins of 2 kt.
enum { SPEED_BINS = 400 };
struct speed_bins {
  double rate[SPEED_BINS], horiz[SPEED_BINS], kias[SPEED_BINS], h_ft[SPEED_BINS];
  int n[SPEED_BINS];
};

static void bins_add(speed_bins* b, float rate, float kias, float horiz) {
  int k = intlim(static_cast<int>(kias / 2.0f), 0, SPEED_BINS - 1);
  b->rate[k] += rate, b->horiz[k] += horiz, b->kias[k] += kias, b->n[k]++;
  b->h_ft[k] += flt.h * con.mtrstoft;
}

// The bin of the highest value of `score` among bins with enough samples; -1 when none. `edge`
// is set when that bin is the fastest or slowest one flown, where the best may lie beyond.
static int bins_best(const speed_bins* b, float (*score)(const speed_bins*, int), int* edge) {
  int best = -1, lo = -1, hi = -1;
  for (int k = 0; k < SPEED_BINS; k++) {
    if (b->n[k] < 8) continue;
    if (lo < 0) lo = k;
    hi = k;
    if (best < 0 || score(b, k) > score(b, best)) best = k;
  }
  *edge = best >= 0 && hi > lo && (best == lo || best == hi);
  return best;
}

static float mean_rate(const speed_bins* b, int k) {
  return static_cast<float>(b->rate[k] / b->n[k]);
}
static float mean_kias(const speed_bins* b, int k) {
  return static_cast<float>(b->kias[k] / b->n[k]);
}
static float mean_h_ft(const speed_bins* b, int k) {
  return static_cast<float>(b->h_ft[k] / b->n[k]);
}
// Distance forward for height lost: the horizontal speed over the sink of energy height.
static float glide_of(const speed_bins* b, int k) {
  float sink = -mean_rate(b, k);
  return sink > 0.0f ? static_cast<float>(b->horiz[k] / b->n[k]) / sink : 0.0f;
}

// ---- Sweeps ----------------------------------------------------------------------------------

struct sweep_plan {
  float alt_ft;    // start altitude
  float from, to;  // indicated speeds, kt: settle at `from`, slow towards `to`
  float throttle;  // 0 idle .. 1 full
  int gear_down;
  float flaps;
  int to_stall;  // 1: slow on until the aircraft stalls
  int prop_low;  // 1: the propeller levers back to their lowest speed (the coarsest pitch)
};

struct sweep_result {
  speed_bins bins;
  float min_kias;  // slowest speed held
  float vs_1g;     // the speed at the most lift the wings gave, brought to one g, kt
};

// Settles at `from`, then lets the target speed fall SWEEP_KT_PER_S while the nose holds it,
// gathering the energy rate at each speed. A sweep to the stall ends when the aircraft no longer
// slows: its speed has risen 3 kt above the slowest it held (the nose dropped), or it has not
// gone slower for six seconds (it mushes, or the elevator is at its stop). The stall speed is
// the speed at which the wings gave their most lift, brought to one g (the speed over the root of
// the load factor): the glide's path and the pull at the break do not move it. 0 with
// flight_why when it fails.
static int fly_sweep(const sweep_plan* s, sweep_result* r) {
  static speed_bins zero;
  r->bins = zero;
  r->min_kias = r->vs_1g = 1.0e9f;
  float slowest_at = 0.0f, nz = 1.0f;
  fly_controls c{};
  c.throttle = s->throttle, c.gear_down = s->gear_down, c.flaps = s->flaps;
  // No sweep starts beyond the maximum Mach number: high up, a start speed taken from the speeds
  // found lower down would be in the drag rise, and the slowing from it would spoil the sweep.
  float from = s->from;
  card_start(&c, AIR_GROUND_FT, s->alt_ft, from, 0);
  if (!card_frame(&c)) return 0;
  if (pln.Mmo > 0.0f && flt.machno > pln.Mmo) {
    from *= pln.Mmo / flt.machno;
    card_start(&c, AIR_GROUND_FT, s->alt_ft, from, 0);
  }
  if (s->prop_low) lever_set(LEVER_PROP, -1, 0.0f);
  card_pilot p;
  pilot_reset(&p);
  energy_ring ring;
  energy_reset(&ring);
  float sweep_s = (from - s->to) / SWEEP_KT_PER_S;
  float limit = SETTLE_S + sweep_s + 60.0f;
  while (fly_time() < limit) {
    float t = fly_time() - SETTLE_S;
    float target = t <= 0.0f ? from : from - SWEEP_KT_PER_S * t;
    if (!s->to_stall && target < s->to) return 1;
    pilot_hold_speed(&p, &c, fltmax2(target, 1.0f));
    if (!card_frame(&c)) return 0;
    if (t <= 0.0f) continue;
    energy_add(&ring);
    float rate, kias, horiz;
    if (energy_rate(&ring, &rate, &kias, &horiz)) bins_add(&r->bins, rate, kias, horiz);
    if (!s->to_stall) continue;
    // The load factor from the lift, smoothed over about half a second.
    nz += (flt.fnrmlaero / (flt.m_total * con.g) - nz) * fltmin2(msc.prd * 2.0f, 1.0f);
    if (nz > 0.5f) r->vs_1g = fltmin2(r->vs_1g, flt.vind / std::sqrt(nz));
    // The first ten knots of the sweep let the settling die away before a stall is looked for.
    if (target > from - 10.0f) {
      r->min_kias = flt.vind, slowest_at = t, r->vs_1g = 1.0e9f;
      continue;
    }
    if (flt.vind < r->min_kias - 0.1f) r->min_kias = flt.vind, slowest_at = t;
    if (flt.vind > r->min_kias + 3.0f || t - slowest_at > 6.0f) {
      // A stall is a speed below the start at which the wings carried the weight: an aircraft
      // that tumbled, or never flew slower at one g than it started, has none to give.
      if (r->vs_1g < from) return 1;
      std::snprintf(flight_why, sizeof flight_why,
                    "the wings never carried its weight below the %.0f kt it started at", from);
      return 0;
    }
    if (target < 0.2f * from) break;
  }
  std::snprintf(flight_why, sizeof flight_why,
                s->to_stall ? "the aircraft did not stall: it still held %.0f kt at the end of "
                              "the sweep"
                            : "the sweep did not reach %.0f kt in time",
                s->to_stall ? flt.vind : s->to);
  return 0;
}

// ---- The procedures --------------------------------------------------------------------------

// A speed of the aircraft file, in the units of its airspeed indicator, in knots.
static float file_speed_kt(float v) { return pln.asi_units == 1 ? v / con.nm_to_sm : v; }
static float vne_kt() { return file_speed_kt(pln.Vne); }
static int can_climb() { return pln.numen > 0 && pln.entype != ENGINE_NONE; }
// The engines run only while the tanks hold fuel: a card loaded without any cannot fly its
// powered procedures, whatever power the engines have.
static int has_fuel() { return set.load_fuel > 0.01f; }

// Idle glide from 2.5 times the estimated stall speed (at most 0.9 times the never-exceed speed),
// clean, slowing on into the stall: the best glide, the glide ratio and the clean stall. The
// propeller levers come back to the lowest speed, as a pilot stretching a glide pulls them: an
// idling propeller at fine pitch windmills, and its drag would make the best glide the slowest
// speed flown. Returns the stall speed, 0 when not found.
static float glide_and_clean_stall(fly_card* card) {
  static sweep_result r;
  float vs = msc.est_Vs * con.msctokts;
  sweep_plan s = {6000.0f, fltmin2(2.5f * vs, 0.9f * vne_kt()), 0.0f, 0.0f, 0, 0.0f, 1, 1};
  if (!fly_sweep(&s, &r)) {
    figures_not(card, {CARD_STALL_CLEAN, CARD_BEST_GLIDE, CARD_GLIDE_RATIO}, CARD_FAILED,
                flight_why);
    return 0.0f;
  }
  set_figure(card, CARD_STALL_CLEAN, r.vs_1g);
  // The glide is judged clear of the stall: at 1.1 times its speed and above.
  speed_bins b = r.bins;
  for (int k = 0; k < SPEED_BINS; k++)
    if (k * 2.0f < 1.1f * r.vs_1g) b.n[k] = 0;
  int edge = 0, best = bins_best(&b, glide_of, &edge);
  if (best < 0 || edge) {
    const char* why = best < 0 ? "the glide gave no steady speeds above the stall"
                               : "the best glide lies outside the speeds flown";
    figures_not(card, {CARD_BEST_GLIDE, CARD_GLIDE_RATIO}, CARD_FAILED, why);
  } else {
    set_figure(card, CARD_BEST_GLIDE, mean_kias(&b, best));
    set_figure(card, CARD_GLIDE_RATIO, glide_of(&b, best));
  }
  return r.vs_1g;
}

// As the clean stall, with the gear down and the flaps at `flaps` of their travel, from 1.4 times
// the clean stall speed (or the flaps' limit speed when that is lower): the stall speed, 0 with
// flight_why when it is not found.
static float stall_with_flaps(float vs_clean, float flaps) {
  static sweep_result r;
  float vs = vs_clean > 0.0f ? vs_clean : msc.est_Vs * con.msctokts;
  float from = 1.4f * vs;
  float vfe = file_speed_kt(pln.Vfe);
  if (flaps > 0.0f && vfe > 0.0f) from = fltmin2(from, vfe);
  sweep_plan s = {6000.0f, from, 0.0f, 0.0f, 1, flaps, 1, 0};
  return fly_sweep(&s, &r) ? r.vs_1g : 0.0f;
}

// The stall with the gear and the flaps fully down.
static float landing_stall(fly_card* card, float vs_clean) {
  float vso = stall_with_flaps(vs_clean, pln.flapEQ ? 1.0f : 0.0f);
  if (vso > 0.0f)
    set_figure(card, CARD_STALL_LANDING, vso);
  else
    figure_not(card, CARD_STALL_LANDING, CARD_FAILED, flight_why);
  return vso;
}

// Full power, clean, from well above the best-rate speed down to near the stall: the best rate of
// climb and its speed at alt_ft. 0 with `why` when there is no such best. With `limits` the best
// may lie at the slowest or fastest speed flown: near the ceiling the speeds a jet may fly narrow
// between the stall and its maximum Mach number, and the best it can do is at one of them.
static int best_climb(float alt_ft, float from, float to, float* vy, float* roc, char* why,
                      int limits = 0) {
  static sweep_result r;
  // A climb sweep gains height as it slows, and the engine loses power with it: the best rate
  // would be measured well above the height it is named for. The first sweep finds how much
  // height is gained before the best band; the second starts that much lower, so that the best
  // band is flown through alt_ft.
  float start_ft = alt_ft;
  int best = -1, edge = 0;
  for (int pass = 0; pass < 2; pass++) {
    sweep_plan s = {start_ft, from, to, 1.0f, 0, 0.0f, 0, 0};
    if (!fly_sweep(&s, &r)) {
      std::snprintf(why, 200, "%s", flight_why);
      return 0;
    }
    best = bins_best(&r.bins, mean_rate, &edge);
    if (best < 0) break;
    start_ft -= mean_h_ft(&r.bins, best) - alt_ft;
  }
  if (best < 0 || (edge && !limits)) {
    std::snprintf(why, 200, "the best rate of climb at %.0f ft lies outside %.0f to %.0f kt",
                  alt_ft, to, from);
    return 0;
  }
  *vy = mean_kias(&r.bins, best);
  *roc = mean_rate(&r.bins, best) * con.msctofpm;
  return 1;
}

// Level at full power from 0.7 times the never-exceed speed until the speed settles (within
// 0.03 kt a second over five seconds): the top speed, true. n/a when the aircraft passes its
// never-exceed speed first.
static float top_kias[2];  // the indicated top speeds at sea level and 8000 ft, 0 unknown

static void top_speed(fly_card* card, int f, float alt_ft) {
  top_kias[f == CARD_VMAX_8000] = 0.0f;
  fly_controls c{};
  c.throttle = 1.0f;
  float vne = vne_kt();
  card_start(&c, AIR_GROUND_FT, alt_ft, 0.7f * vne, 0);
  card_pilot p;
  pilot_reset(&p);
  float h = flt.h;
  int span = intround(5.0f / msc.prd), n = 0;
  static float tas[4096];
  while (fly_time() < 600.0f) {
    pilot_hold_height(&p, &c, h);
    if (!card_frame(&c)) return figure_not(card, f, CARD_FAILED, flight_why);
    if (flt.vind > vne) {
      char why[200];
      std::snprintf(why, sizeof why,
                    "level at full power it passes its never-exceed speed of %.0f kt", vne);
      return figure_not(card, f, CARD_NA, why);
    }
    tas[n % 4096] = flt.av * con.msctokts;
    n++;
    if (fly_time() < 20.0f || n <= span) continue;
    float change = tas[(n - 1) % 4096] - tas[(n - 1 - span) % 4096];
    if (std::fabs(change) < 0.03f * 5.0f && std::fabs(flt.h - h) < 15.0f) {
      top_kias[f == CARD_VMAX_8000] = flt.vind;
      return set_figure(card, f, flt.av * con.msctokts);
    }
  }
  char why[200];
  if (std::fabs(flt.h - h) * con.mtrstoft > 50.0f)
    std::snprintf(why, sizeof why,
                  "at full power it cannot hold its height: %.0f ft off after 600 s",
                  (flt.h - h) * con.mtrstoft);
  else
    std::snprintf(why, sizeof why, "the level speed at full power did not settle in 600 s");
  figure_not(card, f, CARD_FAILED, why);
}

// Where the best rate falls to 100 ft/min: from the rates at sea level and 8000 ft, a line
// through the last two heights flown, flown again at the height it gives until a climb lands
// within 300 ft of the height the line gives (at most eight climbs). The line is trusted at most
// 16000 ft beyond the last climb (a jet's rate falls faster high up than low down), and each
// climb sweeps from 30 kt above the best-rate speed of the climb before it, which falls with
// height, so that no climb begins faster than the thin air lets it hold. A rate that grows with
// height between sea level and 8000 ft (a turbocharged engine) moves the next climb 8000 ft up;
// above that it is a failure.
static void ceiling(fly_card* card, float vy, float vs) {
  float h0 = 0.0f, r0 = card->fig[CARD_ROC_SL].value;
  float h1 = 8000.0f, r1 = card->fig[CARD_ROC_8000].value;
  for (int k = 0; k < 8; k++) {
    float slope = (r1 - r0) / (h1 - h0);  // ft/min per ft
    if (slope >= 0.0f && k > 0) {
      char why[200];
      std::snprintf(
          why, sizeof why,
          "the best rate does not fall with height: %.0f ft/min at %.0f ft, %.0f at %.0f ft", r0,
          h0, r1, h1);
      return figure_not(card, CARD_CEILING, CARD_FAILED, why);
    }
    float h2 = slope < 0.0f ? h1 + (100.0f - r1) / slope : h1 + 8000.0f;
    if (std::fabs(h2 - h1) < 300.0f && slope < 0.0f) return set_figure(card, CARD_CEILING, h2);
    h2 = fltmin2(h2, h1 + 16000.0f);
    if (h2 > 60000.0f)
      return figure_not(card, CARD_CEILING, CARD_FAILED, "the ceiling lies above 60000 ft");
    float v, r;
    char why[200];
    float top = top_kias[1] > 0.0f ? 0.95f * top_kias[1] : vy + 30.0f;
    if (!best_climb(h2, fltmin2(vy + 30.0f, top), 1.1f * vs, &v, &r, why, 1))
      return figure_not(card, CARD_CEILING, CARD_FAILED, why);
    h0 = h1, r0 = r1, h1 = h2, r1 = r, vy = v;
  }
  figure_not(card, CARD_CEILING, CARD_FAILED, "the climbs found no steady ceiling");
}

// The climbs begin a little below the top speed (a climb needs power to spare), or at three
// times the stall speed when the top speed is not known.
static void climbs(fly_card* card, float vs) {
  float top = top_kias[0] > 0.0f ? 0.95f * top_kias[0] : 3.0f * vs;
  float from = fltmin2(fltmin2(3.0f * vs, top), 0.9f * vne_kt()), to = 1.1f * vs;
  float vy = 0.0f, roc = 0.0f, vy8 = 0.0f, roc8 = 0.0f;
  char why[200];
  if (!best_climb(0.0f, from, to, &vy, &roc, why)) {
    figures_not(card, {CARD_VY, CARD_ROC_SL}, CARD_FAILED, why);
  } else if (roc <= 0.0f) {
    std::snprintf(why, sizeof why, "it cannot climb at sea level: %.0f ft/min at best", roc);
    figures_not(card, {CARD_VY, CARD_ROC_SL}, CARD_FAILED, why);
  } else {
    set_figure(card, CARD_VY, vy);
    set_figure(card, CARD_ROC_SL, roc);
  }
  if (!best_climb(8000.0f, from, to, &vy8, &roc8, why))
    figure_not(card, CARD_ROC_8000, CARD_FAILED, why);
  else
    set_figure(card, CARD_ROC_8000, roc8);
  if (card->fig[CARD_ROC_SL].state != CARD_FOUND || card->fig[CARD_ROC_8000].state != CARD_FOUND)
    return figure_not(card, CARD_CEILING, CARD_FAILED,
                      "needs the rates of climb at sea level and 8000 ft");
  ceiling(card, vy8, vs);
}

// The flap setting of the class for take-off, as its handbooks give their distances: a notch (a
// quarter) for single piston aircraft and the turbine classes, none for piston twins.
static float takeoff_flaps() {
  if (!pln.flapEQ || (pln.entype == ENGINE_PISTON && pln.numen > 1)) return 0.0f;
  return 0.25f;
}

static float wheels_agl_ft() { return (flt.h - env.local_h - pln.h_eqlbm) * con.mtrstoft; }

// The lift-off attitude and how briskly the nose is brought to it: a short-field rotation, flown
// as the handbooks' distances are, not a gentle raise that leaves the aircraft running on its
// wheels well past its rotation speed.
static const float LIFTOFF_DEG = 12.0f;
static const float ROTATE_DEG_S = 5.0f;

// From rest with the brakes on and full power, brakes off after five seconds. At 1.1 times the
// stall speed of the take-off flaps the nose comes up promptly to the lift-off attitude and is
// held there through the lift-off until the speed reaches the climb speed, 1.2 times that stall
// speed, which the pilot then holds to 50 ft. The roll ends where the wheels leave the runway.
// That stall is flown, not reckoned between the clean and the landing stall: a flap gives much of
// its lift in the first part of its travel (a plain flap nearly half at a quarter of it).
static void takeoff(fly_card* card, float vs_clean) {
  float vs = takeoff_flaps() > 0.0f ? stall_with_flaps(vs_clean, takeoff_flaps()) : vs_clean;
  if (!(vs > 0.0f)) {
    char why[200];
    std::snprintf(why, sizeof why, "the stall with the take-off flaps was not found: %.150s",
                  flight_why);
    return figures_not(card, {CARD_TAKEOFF_ROLL, CARD_TAKEOFF_50FT}, CARD_FAILED, why);
  }
  float vr = 1.1f * vs, v2 = 1.2f * vs;
  fly_controls c{};
  c.throttle = 1.0f, c.gear_down = 1, c.flaps = takeoff_flaps(), c.brakes = 1.0f;
  card_start(&c, 0.0f, 0.0f, 0.0f, 1);
  card_pilot p;
  pilot_reset(&p);
  double x0 = 0.0, z0 = 0.0;
  float rotate_at = -1.0f, best = 0.0f, best_at = 0.0f;
  int airborne = 0, climbing = 0;
  while (fly_time() < 180.0f) {
    float t = fly_time();
    if (t >= 5.0f && c.brakes > 0.0f) {
      c.brakes = 0.0f;
      x0 = flt.X, z0 = flt.Z;
      best_at = t;
    }
    if (rotate_at < 0.0f && c.brakes == 0.0f && flt.vind >= vr) {
      rotate_at = t;
      p.pitch_base = flt.the180;
    }
    if (airborne && (flt.vind >= v2 || climbing)) {
      climbing = 1;
      pilot_hold_speed(&p, &c, v2);
    } else if (rotate_at >= 0.0f) {
      pilot_rotate(&p, &c, LIFTOFF_DEG, ROTATE_DEG_S);
    } else {
      pilot_hold_pitch(&p, &c, flt.the180);
      c.elevator = 0.0f;
    }
    if (!card_frame(&c))
      return figures_not(card, {CARD_TAKEOFF_ROLL, CARD_TAKEOFF_50FT}, CARD_FAILED, flight_why);
    float dist_ft = static_cast<float>(std::hypot(flt.X - x0, flt.Z - z0)) * con.mtrstoft;
    // Only a lift-off after the brakes are let go starts the climb: an aircraft settling onto
    // its wheels while held may leave them for a moment, with no roll to measure from yet.
    if (!airborne && c.brakes == 0.0f && !flt.onsurface && wheels_agl_ft() > 1.0f) {
      airborne = 1;
      set_figure(card, CARD_TAKEOFF_ROLL, dist_ft);
    }
    if (airborne && wheels_agl_ft() >= 50.0f) return set_figure(card, CARD_TAKEOFF_50FT, dist_ft);
    // On the runway the speed must keep growing: 1 kt in ten seconds at least.
    if (!airborne && c.brakes == 0.0f) {
      if (flt.vind > best + 1.0f) best = flt.vind, best_at = t;
      if (t - best_at > 10.0f) break;
    }
  }
  char why[200];
  if (!airborne) {
    std::snprintf(why, sizeof why,
                  "it cannot take off: it reaches only %.0f kt on the runway, short of the "
                  "%.0f kt at which it would rotate",
                  best, vr);
    figure_not(card, CARD_TAKEOFF_ROLL, CARD_FAILED, why);
  } else {
    std::snprintf(why, sizeof why, "it left the runway but did not climb to 50 ft");
  }
  figure_not(card, CARD_TAKEOFF_50FT, CARD_FAILED, why);
}

// From 100 ft on the final at 1.3 times the landing stall speed, flaps and gear down, the power
// holding the speed and the nose the descent (300 ft/min, easing to 100 ft/min near the
// runway); at 15 ft the power comes off. After touchdown full brakes, the elevator neutral, until
// the aircraft stops.
static void landing(fly_card* card, float vs_landing) {
  float vapp = 1.3f * vs_landing;
  fly_controls c{};
  c.throttle = 0.3f, c.gear_down = 1, c.flaps = pln.flapEQ ? 1.0f : 0.0f;
  card_start(&c, 0.0f, 100.0f + pln.h_eqlbm * con.mtrstoft, vapp, 0);
  card_pilot p;
  pilot_reset(&p);
  float power_int = c.throttle;
  int down = 0;
  double x0 = 0.0, z0 = 0.0;
  while (fly_time() < 180.0f) {
    if (!down && flt.onsurface) down = 1, x0 = flt.X, z0 = flt.Z;
    if (down) {
      c.throttle = 0.0f, c.brakes = 1.0f;
      pilot_hold_pitch(&p, &c, 0.0f);
      c.elevator = 0.0f;
    } else {
      float agl = wheels_agl_ft();
      pilot_hold_climb(&p, &c, fltlim(-agl * 6.0f, -300.0f, -100.0f));
      float err = vapp - flt.vind;
      power_int = fltlim(power_int + err * msc.prd * 0.02f, 0.0f, 1.0f);
      c.throttle = agl < 15.0f ? 0.0f : fltlim(power_int + 0.05f * err, 0.0f, 1.0f);
    }
    if (!card_frame(&c)) return figure_not(card, CARD_LANDING_ROLL, CARD_FAILED, flight_why);
    if (down && static_cast<float>(std::hypot(flt.vX, flt.vZ)) < 0.3f) {
      float d = static_cast<float>(std::hypot(flt.X - x0, flt.Z - z0)) * con.mtrstoft;
      return set_figure(card, CARD_LANDING_ROLL, d);
    }
  }
  figure_not(card, CARD_LANDING_ROLL, CARD_FAILED,
             down ? "the aircraft did not stop within 180 s" : "the aircraft did not touch down");
}

// ---- The card --------------------------------------------------------------------------------

void (*card_progress_hook)(int done, int total);

static const char* const NO_WHEELS = "no wheels: the card's runway is dry land";

// The procedures flown, for the progress: the glide, the landing stall, two top speeds, the
// climbs with the ceiling, the take-off and the landing.
enum { CARD_STEPS = 7 };
static void step_done(int* done) {
  ++*done;
  if (card_progress_hook) card_progress_hook(*done, CARD_STEPS);
}

void card_fly(fly_card* card) {
  *card = fly_card{};
  void (*alert_before)(const alert_record&) = macibm_alert_hook;
  macibm_alert_hook = note_alert;
  card->fig[CARD_WEIGHT].state = CARD_FOUND;
  card->fig[CARD_WEIGHT].value =
      (pln.m_empty + set.load_fuel + set.load_fixed + set.load_jettison) * con.kgstolbs;
  if (pln.is_heli) {
    for (int f = CARD_WEIGHT + 1; f < CARD_FIGURES; f++)
      figure_not(card, f, CARD_NA, "a helicopter: the card's procedures are flown by aeroplanes");
    macibm_alert_hook = alert_before;
    return;
  }
  int done = 0;
  float vs = glide_and_clean_stall(card);
  step_done(&done);
  float vso = landing_stall(card, vs);
  step_done(&done);
  const int powered = can_climb() && has_fuel();
  if (!powered) {
    figures_not(card,
                {CARD_VY, CARD_ROC_SL, CARD_ROC_8000, CARD_CEILING, CARD_VMAX_SL, CARD_VMAX_8000,
                 CARD_TAKEOFF_ROLL, CARD_TAKEOFF_50FT},
                can_climb() ? CARD_FAILED : CARD_NA,
                can_climb() ? "no fuel: the tanks are empty at this load, and the engines do not "
                              "run without fuel"
                            : "no engine");
  } else {
    top_speed(card, CARD_VMAX_SL, 0.0f);
  }
  step_done(&done);
  if (powered) top_speed(card, CARD_VMAX_8000, 8000.0f);
  step_done(&done);
  if (powered && !(vs > 0.0f)) {
    figures_not(
        card,
        {CARD_VY, CARD_ROC_SL, CARD_ROC_8000, CARD_CEILING, CARD_TAKEOFF_ROLL, CARD_TAKEOFF_50FT},
        CARD_FAILED, "needs the clean stall speed");
  } else if (powered) {
    climbs(card, vs);
    step_done(&done);
    if (!pln.gearEQ)
      figures_not(card, {CARD_TAKEOFF_ROLL, CARD_TAKEOFF_50FT}, CARD_NA, NO_WHEELS);
    else
      takeoff(card, vs);
  }
  while (done < CARD_STEPS - 1) step_done(&done);
  if (!pln.gearEQ)
    figure_not(card, CARD_LANDING_ROLL, CARD_NA, NO_WHEELS);
  else if (vso > 0.0f)
    landing(card, vso);
  else
    figure_not(card, CARD_LANDING_ROLL, CARD_FAILED, "needs the landing stall speed");
  step_done(&done);
  macibm_alert_hook = alert_before;
}

// Ceilings to the nearest 100 ft, the glide ratio to a tenth, the rest whole.
int card_print(const fly_card* card, std::FILE* out, std::FILE* errs) {
  int status = FLY_OK;
  for (int f = 0; f < CARD_FIGURES; f++) {
    const card_figure& g = card->fig[f];
    if (g.state == CARD_FOUND) {
      double v = f == CARD_CEILING ? std::round(g.value / 100.0) * 100.0 : g.value;
      std::fprintf(out, f == CARD_GLIDE_RATIO ? "card %s=%.1f\n" : "card %s=%.0f\n", CARD_NAMES[f],
                   v);
    } else if (g.state == CARD_NA) {
      std::fprintf(out, "card %s=n/a\n", CARD_NAMES[f]);
      std::fprintf(errs, "kestrix-fly: %s does not apply: %s\n", CARD_NAMES[f], g.why);
    } else {
      std::fprintf(errs, "kestrix-fly: %s failed: %s\n", CARD_NAMES[f], g.why);
      status = FLY_ALERT;
    }
  }
  return status;
}
