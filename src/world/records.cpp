// The navigation database, the terrain region arrays, airport scenery, obstacles and traffic, the
// records env, scn and nav, and the records' resets.
#include "world/world.h"

#include <cstring>
#include <type_traits>

// The records are cleared in place, byte-wise, which is only sound while they stay plain data
// (and assigning an empty scn would first build a copy of its two megabytes on the stack).
static_assert(std::is_trivially_copyable<envstruct>::value, "env must stay plain data");
static_assert(std::is_trivially_copyable<scenerystruct>::value, "scn must stay plain data");
static_assert(std::is_trivially_copyable<navstruct>::value, "nav must stay plain data");

float apt_lat[APT_MAX][APT_RWYS];
float apt_lon[APT_MAX][APT_RWYS];
int apt_num[APT_MAX][APT_RWYS];
char apt_lr[APT_MAX][APT_RWYS];
int apt_hdng[APT_MAX][APT_RWYS];
int apt_len[APT_MAX][APT_RWYS];
int apt_width[APT_MAX][APT_RWYS];
int apt_lite[APT_MAX][APT_RWYS];
float apt_h[APT_MAX];
int apt_twr[APT_MAX];
char apt_id[APT_MAX][5];
char apt_name[APT_MAX][40];
int apt_kind[APT_MAX];
int apt_twrf[APT_MAX];
int apt_atisf[APT_MAX];
int apt_surf[APT_MAX][APT_RWYS];

int nav_type[NAV_MAX];
float nav_lat[NAV_MAX];
float nav_lon[NAV_MAX];
float nav_h[NAV_MAX];
int nav_f12[NAV_MAX];
int nav_hdng[NAV_MAX];
char nav_id[NAV_MAX][5];
char nav_name[NAV_MAX][40];

float fix_lat[FIX_MAX];
float fix_lon[FIX_MAX];
char fix_name[FIX_MAX][6];

int apt_inreg[APT_MAX];
int nav_inreg[NAV_MAX];
int apt_to_index[REGION_LIST_MAX];
int vor_to_index[REGION_LIST_MAX];
int ndb_to_index[REGION_LIST_MAX];

float planexyz[GRID_I][GRID_J][3];
float planenrml[GRID_I][GRID_J][3];
unsigned int planetex[GRID_I][GRID_J];
int planes[GRID_I][GRID_J][2][2];
int planet[GRID_I][GRID_J][2][2];
int on_water[GRID_I][GRID_J];
int apt_on_poly[GRID_I][GRID_J];
int city_on_poly[GRID_I][GRID_J];
int tree_on_poly[GRID_I][GRID_J];
float city_xyz[GRID_I][GRID_J][2][3][3];
float tree_xyz[GRID_I][GRID_J][2][3][2][3];
int frig_on_poly[GRID_I][GRID_J];
int carr_on_poly[GRID_I][GRID_J];
int oilr_on_poly[GRID_I][GRID_J];
int on_fire_now[GRID_I][GRID_J];
int was_on_fire[GRID_I][GRID_J];

float rway_elev[REGION_LIST_MAX][APT_RWYS];
float r_x_min[REGION_LIST_MAX][APT_RWYS];
float r_x_max[REGION_LIST_MAX][APT_RWYS];
float r_z_min[REGION_LIST_MAX][APT_RWYS];
float r_z_max[REGION_LIST_MAX][APT_RWYS];

int obs_type[OBS_MAX];
float obs_xyz[OBS_MAX][4][4][3];
float obs_height;

float traf_xyz[TRAFFIC][3];
float traf_v[TRAFFIC];
int traf_h[TRAFFIC];

envstruct env;
scenerystruct scn;
navstruct nav;

void reset_env() {
  std::memset(&env, 0, sizeof env);
  env.apt_list_max = env.vor_list_max = env.ndb_list_max = -999;
  env.i_aircraft = 89;
  env.j_aircraft = 79;
}

void reset_scn() {
  std::memset(&scn, 0, sizeof scn);
  scn.zoom = 1.0f;
}

void reset_nav() {
  std::memset(&nav, 0, sizeof nav);
  nav.radout = 2;
  nav.gs_dest = 1;
  nav.tran1 = 1;
  nav.tran2 = 2;
}
