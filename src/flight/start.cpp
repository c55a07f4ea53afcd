// Where a flight starts: the airport and runway, the custom position, the helipad, ship and
// formation approaches and the catapult. The clean start of the flight state follows in
// start_reset.cpp.
#include "flight/flight.h"

#include <cmath>

#include "app/app.h"
#include "app/macibm.h"
#include "shared/shared.h"
#include "world/world.h"

static float nm(float miles) { return miles * con.nmtomtrs; }

// Moves the place d metres back along heading h (whole degrees): away from where it points.
static void move_back(start_place* s, float d, int h) {
  h = whole_turn(h);
  s->X -= d * isin(h);
  s->Z += d * icos(h);
}

// ---- Airport ---------------------------------------------------------------------------------

// A selection from outside the database (a damaged preferences or situation file) is reported and
// replaced by the first airport or runway, so the flight still starts somewhere real.
static int start_airport() {
  int a = msc.loc_apt_wrl;
  if (a < 0 || a > env.aptmax || a >= APT_MAX) {
    MACIBM_alert("loc_apt_wrl out of range!", "", "", "", ALERT_NOTICE);
    a = msc.loc_apt_wrl = 0;
  }
  if (!intrange(msc.rway_sel, 0, 5)) {
    MACIBM_alert("rway_sel out of range!", "", "", "", ALERT_NOTICE);
    msc.rway_sel = 0;
  }
  return a;
}

static void place_at_airport(start_place* s) {
  int a = start_airport();
  int kind = msc.typestart;
  // An aircraft that cannot roll on the ground starts on a short final instead.
  if (kind != TYPESTART_VFR_FINAL && kind != TYPESTART_ILS_FINAL && !pln.gearEQ && !pln.skidEQ)
    kind = TYPESTART_VFR_FINAL;

  int k = msc.rway_sel / 2;
  if (apt_len[a][k] < 1) k = 0;
  int far_end = msc.rway_sel & 1;
  int h = whole_turn(apt_hdng[a][k]);
  float half = 0.5f * apt_len[a][k];

  // The threshold of the chosen end: half the runway back from its centre along the direction of
  // take-off, which from the far end is the reverse heading.
  int psi = far_end ? whole_turn(h + 180) : h;
  s->X = X_with_latlon(apt_lat[a][k], apt_lon[a][k]);
  s->Z = Z_with_lat(apt_lat[a][k]);
  move_back(s, half, psi);
  s->Y = apt_h[a];
  s->psi = static_cast<float>(psi);
  msc.runwayview_X = static_cast<float>(s->X) + 2.0f;
  msc.runwayview_Y = static_cast<float>(s->Y) + 2.0f;
  msc.runwayview_Z = static_cast<float>(s->Z) + 2.0f;

  if (kind == TYPESTART_VFR_FINAL || kind == TYPESTART_ILS_FINAL) {
    // On a 3-degree path, 1.5 nm out on a visual final and 9 nm out on an instrument final.
    float d = nm(kind == TYPESTART_ILS_FINAL ? 9.0f : 1.5f);
    move_back(s, d, psi);
    s->Y += d * isin(3);
    s->the = 0.0f;
    s->v = 1.2f * msc.est_Vs;
    s->power = 0.5f;
    s->gear = 0;
  } else {
    s->Y += pln.h_eqlbm;
    s->the = pln.the_eqlbm;
    s->v = 0.1f;
    s->power = 0.02f;
    s->gear = 1;
  }
}

// ---- Custom positions ------------------------------------------------------------------------

// The height of what would carry an aircraft at the place: a deck, a roof or the terrain; minus
// infinity outside the loaded grid. The flight state is replaced by the start that follows, so
// meanwhile it stands at the place for the decks and roofs under it to be found.
static float surface_under(const start_place* s) {
  flt.X = s->X, flt.Y = s->Y, flt.Z = s->Z;
  update_ships();
  update_over_surfaces();
  // A deck stands as the sea has pitched and rolled it, as the wheels will find it.
  if (env.over_carr || env.over_frig || env.over_obs)
    return hard_surface_h(static_cast<float>(s->X), static_cast<float>(s->Z));
  int i, j;
  const float x = static_cast<float>(s->X), z = static_cast<float>(s->Z);
  if (!find_ijt_with_loc(x, z, &i, &j, 1)) return -INFINITY;
  return find_local_h(x, z, i, j);
}

// A saved situation: below the stall speed and resting on something the aircraft was parked,
// with its engines at idle; slow but well above what is under it, it was hovering or flying
// slowly and goes on flying, or a helicopter would start in the air with its rotor stopped.
static void place_situation(start_place* s) {
  s->X = set.cus_X;
  s->Z = set.cus_Z;
  s->psi = set.cus_psi;
  s->Y = set.cus_Y;
  s->v = set.cus_v;
  s->the = 0.0f;
  const bool parked =
      set.cus_v < msc.est_Vs && set.cus_Y <= surface_under(s) + pln.h_eqlbm + 3.0f;
  s->power = parked ? 0.02f : 0.5f;
  s->gear = parked ? 1 : 0;
}

static void place_in_flight(start_place* s) {
  s->X = set.cus_X;
  s->Z = set.cus_Z;
  s->psi = set.cus_psi;
  s->Y = set.cus_Y;
  s->v = set.cus_v;
  s->the = 0.0f;
  s->power = 0.5f;
  s->gear = 0;
}

// ---- Approaches ------------------------------------------------------------------------------

static float horizontal_distance(float x, float z) {
  return static_cast<float>(std::hypot(x - flt.X, z - flt.Z));
}

// The helipad is painted over the whole roof: its middle, the mean of the top level's corners.
static void roof_centre(int o, float* x, float* z) {
  const float(*ring)[3] = obs_xyz[o][obs_top_level(o)];
  *x = 0.25f * (ring[0][0] + ring[1][0] + ring[2][0] + ring[3][0]);
  *z = 0.25f * (ring[0][2] + ring[1][2] + ring[2][2] + ring[3][2]);
}

// One nautical mile south of the nearest building-top helipad, flying north towards it. A corner
// of the building's foot would line the approach up on the edge of the roof or beside it.
static int place_helipad(start_place* s) {
  int best = -1;
  float best_d = 0.0f, best_x = 0.0f, best_z = 0.0f;
  for (int o = 0; o < OBS_MAX; o++) {
    if (obs_type[o] < 94 || obs_type[o] > 96) continue;
    float x, z;
    roof_centre(o, &x, &z);
    float d = horizontal_distance(x, z);
    if (best < 0 || d < best_d) best = o, best_d = d, best_x = x, best_z = z;
  }
  if (best < 0) {
    MACIBM_alert("I can't find any buildings with helipads in the area!",
                 "Try going to New York, Chicago, Los Angeles or some other major city.",
                 "There are likely to be building-top helipads there.", "", ALERT_NOTICE);
    return 0;
  }
  s->X = best_x;
  s->Z = best_z + nm(1.0f);
  s->Y = roof_height(best) + nm(0.05f);
  s->psi = 0.0f;
  s->the = 0.0f;
  s->v = 1.2f * msc.est_Vs;
  s->power = 0.2f;
  s->gear = 0;
  return 1;
}

// The nearest cell carrying the wanted ship: its centre is the middle of the cell's diagonal.
// Cells run to one short of the last grid vertex, whose diagonal neighbour lies outside the grid.
static int nearest_ship(int type, float c[3]) {
  int found = 0;
  float best_d = 0.0f;
  for (int i = 0; i < GRID_I - 1; i++) {
    for (int j = 0; j < GRID_J - 1; j++) {
      int here = type == START_FRIGATE   ? frig_on_poly[i][j]
                 : type == START_OIL_RIG ? oilr_on_poly[i][j]
                                         : carr_on_poly[i][j];
      if (!here) continue;
      float x = 0.5f * (planexyz[i][j][0] + planexyz[i + 1][j + 1][0]);
      float z = 0.5f * (planexyz[i][j][2] + planexyz[i + 1][j + 1][2]);
      float d = horizontal_distance(x, z);
      if (found && d >= best_d) continue;
      found = 1;
      best_d = d;
      c[0] = x;
      c[1] = 0.5f * (planexyz[i][j][1] + planexyz[i + 1][j + 1][1]);
      c[2] = z;
    }
  }
  return found;
}

static int place_ship(int type, start_place* s) {
  // The shuttle tows an aeroplane's wheels or skids: an aircraft with neither would stand inside
  // the deck and be thrown off it, and a helicopter, at the start's power, rises off the shuttle
  // and would be flung from it in mid-air; both fly the carrier's approach instead.
  if (type == START_CATAPULT && (pln.is_heli || (!pln.gearEQ && !pln.skidEQ)))
    type = START_CARRIER;
  float c[3] = {0.0f, 0.0f, 0.0f};
  if (!nearest_ship(type, c)) {
    MACIBM_alert("I can't find any ships in the area!", "", "", "", ALERT_NOTICE);
    return 0;
  }
  if (type == START_CATAPULT) {
    // On the carrier's bow catapult, held until launched.
    s->X = c[0] - 11.5f;
    s->Z = c[2] - 60.0f;
    s->Y = c[1] + pln.h_eqlbm + CARRIER_DECK;
    // On the deck where the waves have tilted it: a bow pitched up 3 degrees stands 3 m above
    // its level height here, which would start the aircraft inside the ship.
    const float deck = surface_under(s);
    if (env.over_carr) s->Y = deck + pln.h_eqlbm;
    s->psi = 2.0f;
    s->the = 0.0f;
    s->v = 0.01f;
    s->power = 0.5f;
    s->gear = 1;
    s->cat_stage = 3;  // held on the catapult until launched
    return 1;
  }
  // Lined up with the deck on a 3.5-degree path.
  float d = nm(pln.is_heli ? 1.0f : 3.0f);
  int h = type == START_CARRIER ? 352 : 355;
  float deck = type == START_FRIGATE ? FRIGATE_DECK : type == START_CARRIER ? CARRIER_DECK : OILRIG_DECK;
  s->X = c[0];
  s->Z = c[2];
  move_back(s, d, h);
  s->Y = c[1] + deck + d * std::sin(3.5f * con.degtorad);
  s->psi = static_cast<float>(h);
  s->the = 0.0f;
  s->v = 1.2f * msc.est_Vs;
  s->power = 0.2f;
  s->gear = 0;
  return 1;
}

// 0.2 nm behind the nearest traffic aircraft and a little to its right, at its height and speed.
// A traffic slot without speed holds no aircraft; with none flying the aircraft stays put.
static void place_formation(start_place* s) {
  int best = -1;
  float best_d = 0.0f;
  for (int t = 0; t < TRAFFIC; t++) {
    if (!(traf_v[t] > 0.0f)) continue;
    float d = horizontal_distance(traf_xyz[t][0], traf_xyz[t][2]);
    if (best < 0 || d < best_d) best = t, best_d = d;
  }
  if (best < 0) return;
  s->X = traf_xyz[best][0];
  s->Z = traf_xyz[best][2];
  move_back(s, nm(0.2f), traf_h[best] - 10);
  s->Y = traf_xyz[best][1];
  s->psi = static_cast<float>(whole_turn(traf_h[best]));
  s->the = 0.0f;
  // Traffic flies at up to 250 kt: no faster than the top of the aircraft's normal range, or a
  // trainer would lose its wings to the overspeed check within the first second.
  const float top_kt = pln.asi_units == 2 ? pln.Vno : pln.Vno / 1.15f;
  s->v = top_kt > 0.0f ? fltmin2(traf_v[best], top_kt * con.ktstomsc) : traf_v[best];
  s->power = 0.6f;
  s->gear = 0;
}

// ---- The start -------------------------------------------------------------------------------

void set_fltvars(int type) {
  for (int k = 0; k < TRAFFIC; k++) flight_hooks.place_traffic(k, 1);

  // Where and how the aircraft flies now: what stays when a start type does not move it.
  start_place s;
  s.X = flt.X, s.Y = flt.Y, s.Z = flt.Z;
  s.psi = flt.psi, s.the = flt.the, s.v = flt.v;
  s.power = flt.throrequest[0];
  s.gear = set.gear_handle;
  s.cat_stage = 5;

  int placed = 1;
  switch (type) {
    case START_AIRPORT:
      place_at_airport(&s);
      break;
    case START_CUSTOM:
      place_situation(&s);
      break;
    case START_IN_FLIGHT:
      place_in_flight(&s);
      break;
    case START_HELIPAD:
      placed = place_helipad(&s);
      break;
    case START_FRIGATE:
    case START_CARRIER:
    case START_OIL_RIG:
    case START_CATAPULT:
      placed = place_ship(type, &s);
      break;
    case START_FORMATION:
      place_formation(&s);
      break;
    default:
      break;
  }
  if (!placed) return;
  start_flight_state(&s);
}
