// Helpers shared by the world's own files: the projection of the loaded region, safe float-to-int
// conversions and the list of terrain files that could not be used. Not for other subsystems.
#pragma once

#include "shared/shared.h"
#include "world/world.h"

// Metres per degree of latitude: 60 nautical miles.
inline float m_per_deg() { return 60.0f * con.nmtomtrs; }

// Truncates toward zero, giving 0 for NaN and saturating far outside the int range, so that a
// wild coordinate yields a wild but defined index that the caller then limits.
int trunc_int(float v);

// The region is laid out from one meridian, env.lon_wes, at the world x of vertex (0, 0), and from
// the parallel env.lat_sou at the world z of that vertex: x = (lon - lon_wes) * m_per_deg *
// cos(lat) + x00, z = z00 - (lat - lat_sou) * m_per_deg. Every quadrant uses the same pair, so
// the grid has no seams and the conversions are exact inverses everywhere in the region.
float region_x(float lat, float lon);
float region_z(float lat);

// Database airports: slot r holds a runway long enough to build scenery on.
inline int runway_in_use(int n, int r) { return apt_len[n][r] > 1 ? 1 : 0; }

// Reports, in one notice, the terrain files that could not be used while the region was built;
// a move that only finds more of the missing files already told says nothing.
void report_terrain_problems(int on_move);

// The generator of generated scenery, seeded with the place (latitude and longitude) something
// is made for: before make_an_obs for a file's object, and for each cell's towns and trees
// (obstacles.cpp). Ranges as intrand and fltrand.
void seed_place_rand(float lat, float lon);
int place_intrand(int lo, int hi);
float place_fltrand(float lo, float hi);

// Places cities, trees and ships on the cells of quadrant (c, r) and clears their fire
// (terrain_features.cpp). Called for quadrants read from a file.
void place_cities_and_trees(int c, int r);
void clear_fire(int c, int r);
void place_ships(int c, int r);
