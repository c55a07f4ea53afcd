// What the aircraft has around and under it besides the terrain, kept every frame whether or not
// a picture is drawn: the region move, whether it is under, in or over the clouds, the ships and
// oil rigs with the carrier's moving localizer, and the decks and roofs that carry it.
#include <cmath>

#include "flight/flight.h"
#include "weather/weather.h"
#include "world/world_local.h"

ship_state ships;

// The touchdown point of the carrier's angled deck, where its localizer and glide slope stand.
static const float CARR_TOUCH_X = -14.0f, CARR_TOUCH_Z = 110.0f;

// Centre of the ship on cell (i, j): between its south-west and north-east vertices.
static void cell_centre(int i, int j, float out[3]) {
  const int i1 = intmin2(i + 1, GRID_I - 1), j1 = intmin2(j + 1, GRID_J - 1);
  for (int k = 0; k < 3; k++) out[k] = 0.5f * (planexyz[i][j][k] + planexyz[i1][j1][k]);
}

static void add_ship(float (*list)[3], int* n, int i, int j) {
  if (*n >= SHIPS_MAX) return;
  cell_centre(i, j, list[*n]);
  (*n)++;
}

// The flat tops of the region's obstacles that can carry an aircraft (at least 2 m across each
// way), as boxes in world x and z with the roof's height. Lifetime: region; a cache of obs_xyz.
struct roof_box {
  float x0, x1, z0, z1, top;
};
static roof_box roofs[OBS_MAX];
static int roof_count;

static void find_roofs() {
  roof_count = 0;
  for (int s = 0; s < OBS_MAX; s++) {
    if (!obs_type[s]) continue;
    const float(*ring)[3] = obs_xyz[s][obs_top_level(s)];
    roof_box b = {fltmin4(ring[0][0], ring[1][0], ring[2][0], ring[3][0]),
                  fltmax4(ring[0][0], ring[1][0], ring[2][0], ring[3][0]),
                  fltmin4(ring[0][2], ring[1][2], ring[2][2], ring[3][2]),
                  fltmax4(ring[0][2], ring[1][2], ring[2][2], ring[3][2]), roof_height(s)};
    if (b.x1 - b.x0 >= 2.0f && b.z1 - b.z0 >= 2.0f) roofs[roof_count++] = b;
  }
}

// The ships and the obstacles stay where the region build put them, so they are looked for once
// per build rather than in every frame.
void find_region_surfaces() {
  find_roofs();
  ships.n_carr = ships.n_frig = ships.oilr_count = 0;
  ships.have_carr = ships.have_frig = 0;
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      if (carr_on_poly[i][j]) add_ship(ships.carr_at, &ships.n_carr, i, j);
      if (frig_on_poly[i][j]) add_ship(ships.frig_at, &ships.n_frig, i, j);
      if (oilr_on_poly[i][j]) add_ship(ships.oilr, &ships.oilr_count, i, j);
    }
}

// The ship of the list nearest to (x, z) into out; its distance, or -1 for an empty list.
static float nearest(const float (*list)[3], int n, float x, float z, float out[3]) {
  float best = -1.0f;
  for (int k = 0; k < n; k++) {
    const float d = pythag(list[k][0] - x, list[k][2] - z);
    if (best >= 0.0f && d >= best) continue;
    best = d;
    for (int c = 0; c < 3; c++) out[c] = list[k][c];
  }
  return best;
}

void update_ships() {
  const float ax = static_cast<float>(flt.X), az = static_cast<float>(flt.Z);
  const float best_c = nearest(ships.carr_at, ships.n_carr, ax, az, ships.carr);
  const float best_f = nearest(ships.frig_at, ships.n_frig, ax, az, ships.frig);
  ships.have_carr = best_c >= 0.0f;
  ships.have_frig = best_f >= 0.0f;
  // The ship state follows the nearer of the carrier and the frigate.
  const int carrier = ships.have_carr && (!ships.have_frig || best_c <= best_f);
  if (carrier || ships.have_frig) {
    const float* c = carrier ? ships.carr : ships.frig;
    const float the = carrier ? env.carr_the : env.frig_the;
    const float phi = carrier ? env.carr_phi : env.frig_phi;
    con.BOAT_loc_X = c[0], con.BOAT_loc_Y = c[1], con.BOAT_loc_Z = c[2];
    con.sinBOATthe = std::sin(the * con.degtorad), con.cosBOATthe = std::cos(the * con.degtorad);
    con.sinBOATphi = std::sin(phi * con.degtorad), con.cosBOATphi = std::cos(phi * con.degtorad);
    con.sinBOATpsi = isin(carrier ? CARRIER_HDG : FRIGATE_HDG);
    con.cosBOATpsi = icos(carrier ? CARRIER_HDG : FRIGATE_HDG);
  }
  if (ships.have_carr) {
    const float x =
        ships.carr[0] + CARR_TOUCH_X * icos(CARRIER_HDG) - CARR_TOUCH_Z * isin(CARRIER_HDG);
    const float z =
        ships.carr[2] + CARR_TOUCH_Z * icos(CARRIER_HDG) + CARR_TOUCH_X * isin(CARRIER_HDG);
    put_carrier_navs(x, ships.carr[1] + CARRIER_DECK, z);
  }
}

// Position of world point (x, z) in the axes of a ship at c heading hdg: right and aft, m.
static void ship_local(const float c[3], int hdg, float x, float z, float* lx, float* lz) {
  const float dx = x - c[0], dz = z - c[2];
  *lx = dx * icos(hdg) + dz * isin(hdg);
  *lz = dz * icos(hdg) - dx * isin(hdg);
}

int over_carrier_wires(float x, float z) {
  if (!ships.have_carr) return 0;
  float lx, lz;
  ship_local(ships.carr, CARRIER_HDG, x, z, &lx, &lz);
  return fltrange(lx, CARR_WIRE_X0, CARR_WIRE_X1) && fltrange(lz, CARR_WIRE_Z0, CARR_WIRE_Z1);
}

void update_over_surfaces() {
  const float x = static_cast<float>(flt.X), y = static_cast<float>(flt.Y),
              z = static_cast<float>(flt.Z);
  float lx, lz;
  env.over_carr = env.over_frig = env.over_obs = 0;
  // A deck counts only for an aircraft above the water line beside it; below, it is in the sea.
  if (ships.have_carr) {
    ship_local(ships.carr, CARRIER_HDG, x, z, &lx, &lz);
    env.over_carr = fltrange(lx, CARR_X0, CARR_X1) && fltrange(lz, CARR_Z0, CARR_Z1) &&
                    y > ships.carr[1] + CARRIER_DECK - 6.0f;
  }
  if (ships.have_frig) {
    ship_local(ships.frig, FRIGATE_HDG, x, z, &lx, &lz);
    const float half_w = lz >= FRIG_Z_FWD
                             ? FRIG_HALF_W
                             : FRIG_HALF_W * (lz - FRIG_Z0) / (FRIG_Z_FWD - FRIG_Z0);
    env.over_frig = fltrange(lz, FRIG_Z0, FRIG_Z1) && std::fabs(lx) <= half_w &&
                    y > ships.frig[1] + FRIGATE_DECK - 3.0f;
  }
  // Oil-rig decks and the roofs of buildings carry the aircraft like the ground does.
  float top = -1.0e9f;
  for (int k = 0; k < ships.oilr_count; k++) {
    const float* c = ships.oilr[k];
    if (std::fabs(x - c[0]) <= RIG_HALF && std::fabs(z - c[2]) <= RIG_HALF)
      top = fltmax2(top, c[1] + OILRIG_DECK);
  }
  for (int k = 0; k < roof_count; k++) {
    const roof_box& b = roofs[k];
    if (x >= b.x0 && x <= b.x1 && z >= b.z0 && z <= b.z1) top = fltmax2(top, b.top);
  }
  if (top > -1.0e8f) {
    env.over_obs = 1;
    obs_height = top;
  }
}

void update_cloud_position() {
  if (atm.cld_type == 0) {
    // No layer: nothing to be above, and every flight counts as under the (absent) clouds.
    scn.belowbases = 1;
    scn.abovetops = 0;
    return;
  }
  const float y = static_cast<float>(flt.Y);
  scn.belowbases = y < cloud_base_at(static_cast<float>(flt.X), static_cast<float>(flt.Z));
  scn.abovetops = y > atm.topsMSL;
}

void update_surroundings() {
  // The region follows the aircraft once there is one (-999 until the first region is built).
  if (env.apt_list_max != -999 && std::isfinite(flt.lat) && std::isfinite(flt.lon))
    check_region_move();
  update_cloud_position();
  update_ships();
  update_over_surfaces();
}
