// The generated items of the Location menu: a start on each runway end of every airport of the
// loaded region (Takeoff, VFR Final, ILS Final) and over each of its VORs and NDBs, rebuilt
// whenever the region's lists change.
#include "app/app.h"

#include <cstdio>
#include <vector>

#include "app/macibm.h"
#include "shared/shared.h"
#include "world/world.h"

// The identifiers of the items each generated submenu holds now, so that the next rebuild can
// take exactly those away.
static std::vector<int> shown[LOCATION_SUBMENUS];

static void add_item(int slot, int id, const char* text) {
  MACIBM_append_menu(LOCATION_FIRST_SUBMENU + slot, id, -1, text);
  shown[slot].push_back(id);
}

static void airport_items(int k, int n) {
  for (int r = 0; r < 6; r++) {
    int runway = r / 2;
    if (apt_len[n][runway] < 1) continue;  // an empty runway slot
    char rwy[STR_SIZE], text[STR_SIZE];
    rwy_item_name(n, runway, r % 2, rwy);
    std::snprintf(text, sizeof text, "%.4s %.40s %.16s", apt_id[n], apt_name[n], rwy);
    add_item(0, (LOCATION_TAKEOFF_BASE + k) * 100 + r + 1, text);
    add_item(1, (LOCATION_VFR_BASE + k) * 100 + r + 1, text);
    add_item(2, (LOCATION_ILS_BASE + k) * 100 + r + 1, text);
  }
}

static void navaid_items(int slot, int first_id, const int* to_index, int list_max) {
  for (int k = 0; k <= list_max && k < REGION_LIST_MAX; k++) {
    int n = to_index[k];
    if (n < 0 || n >= NAV_MAX) continue;
    char text[STR_SIZE];
    std::snprintf(text, sizeof text, "%.4s %.40s", nav_id[n], nav_name[n]);
    add_item(slot, first_id + k, text);
  }
}

void rebuild_location_menus() {
  for (int s = 0; s < LOCATION_SUBMENUS; s++) {
    for (int id : shown[s]) MACIBM_delete_menu_item(LOCATION_FIRST_SUBMENU + s, id);
    shown[s].clear();
  }
  for (int k = 0; k <= env.apt_list_max && k < REGION_LIST_MAX; k++) {
    int n = apt_to_index[k];
    if (n >= 0 && n < APT_MAX && n <= env.aptmax) airport_items(k, n);
  }
  navaid_items(3, 1201, vor_to_index, env.vor_list_max);
  navaid_items(4, 1301, ndb_to_index, env.ndb_list_max);
}
