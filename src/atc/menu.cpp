// The controller menu: the seventeen lines of the main menu, which of them show and which is the
// suggested next call, and the list menus of airports and approaches. The view draws them and
// passes the pilot's picks back here.
#include <cctype>
#include <cstring>

#include "atc/atc.h"
#include "flight/flight.h"
#include "shared/shared.h"
#include "world/world.h"

static int valid_airport(int n) { return n >= 0 && n <= intmin2(env.aptmax, APT_MAX - 1); }

// "NAME departure, " for a known airport, nothing otherwise.
static void app_facility(char* s, int apt, const char* facility) {
  if (!valid_airport(apt)) return;
  app_C(s, apt_name[apt]);
  app_C(s, facility);
}

static void check_in_text(char* s, const char* tail) {
  const int dest = atc.plan_index;
  const char* end = "with you.";
  switch (atc.plan_phase) {
    case 5: {
      // The departure controller of the field the plan left: by the time the tower hands the
      // aircraft over, 650 ft up, another field can be the nearest (Redlands, climbing out of
      // San Bernardino on runway 6).
      const int dep = find_apt_by_id(fpl.dep_id_str);
      app_facility(s, dep >= 0 ? dep : local_airport(), " departure, ");
      break;
    }
    case 6:
      app_C(s, "Center, ");
      break;
    case 7:
      app_facility(s, dest, " approach, ");
      end = "with you inbound.";
      break;
    case 8:
      app_facility(s, dest, " tower, ");
      end = "with you inbound.";
      break;
    case 10:
      app_facility(s, dest, " ground, ");
      end = "clear active.";
      break;
    default:
      break;
  }
  app_C(s, tail);
  app_C(s, end);
}

static int shown(int yes) { return yes ? ATC_LINE_SHOWN : ATC_LINE_HIDDEN; }

// Whether the list menu of a level would hold anything: an empty list draws nothing at all, yet
// stays up, taking the clicks in the view and the mouse from the stick until Space closes it.
static int list_has_entries(int level) {
  const int was = atc.menu_level;
  atc.menu_level = level;
  int entry[ATC_LIST_MAX];
  const int count = atc_list_entries(entry);
  atc.menu_level = was;
  return count > 0;
}

int atc_main_line(int k, char* text) {
  char tail[STR_SIZE];
  start_command_string(tail, 1);
  text[0] = '\0';
  const int airborne = !flt.onsurface;
  switch (k) {
    case 0:
      C_to_C("File flight plan", text);
      return fpl.onfile ? ATC_LINE_SHOWN : ATC_LINE_SUGGESTED;
    case 1:
      C_to_C("Amend flight plan", text);
      return shown(fpl.onfile);
    case 2:
      C_to_C("Get ATIS...", text);
      return shown(list_has_entries(ATC_MENU_ATIS));
    case 4:
      C_plus_C(tail, "would like to pick up my flight plan.", text);
      return fpl.onfile && !fpl.activated ? ATC_LINE_SUGGESTED : ATC_LINE_HIDDEN;
    case 5:
      C_plus_C(tail, "would like to close my flight plan.", text);
      return shown(fpl.onfile && fpl.activated);
    case 6:
      check_in_text(text, tail);
      if (!atc.waiting_new_frq) return ATC_LINE_HIDDEN;
      return fpl.onfile ? ATC_LINE_SUGGESTED : ATC_LINE_SHOWN;
    case 7:
      C_plus_C(tail, "say again please.", text);
      return shown(atc.response[0] != '\0');
    case 9:
    case 10: {
      const int local = local_airport();
      app_facility(text, local, k == 9 ? " ground, " : " tower, ");
      app_C(text, tail);
      app_C(text, k == 9 ? "request taxi to active" : "request take off");
      if (!on_ground_at_tower(local)) return ATC_LINE_HIDDEN;
      return atc.plan_phase == 4 && fpl.activated ? ATC_LINE_SUGGESTED : ATC_LINE_SHOWN;
    }
    case 11:
      C_plus_C(tail, "request vectors...", text);
      return shown(airborne && list_has_entries(ATC_MENU_VECTORS));
    case 12:
      C_plus_C(tail, "request landing...", text);
      return shown(airborne && list_has_entries(ATC_MENU_LANDING));
    case 13:
      C_plus_C(tail, "request ILS...", text);
      return shown(airborne && list_has_entries(ATC_MENU_ILS));
    case 14:
      C_plus_C(tail, "request localizer...", text);
      return shown(airborne && list_has_entries(ATC_MENU_LOC));
    case 16:
      C_plus_C(tail, "DECLARING AN EMERGENCY, REQUEST VECTORS NEAREST FIELD!", text);
      return shown(airborne);
    default:
      return ATC_LINE_HIDDEN;
  }
}

// The plan as the menu files it while no Flight Plan window is at hand: from the local airport,
// to the destination on file, or back to the local airport when that names no airport.
static void file_from_menu(int local) {
  if (valid_airport(local)) {
    C_to_C(apt_id[local], fpl.dep_id_str);
    if (find_apt_by_id(fpl.arr_id_str) < 0) C_to_C(apt_id[local], fpl.arr_id_str);
  }
  file_flight_plan();
}

void atc_pick_line(int k) {
  char text[STR_SIZE];
  const int state = k >= 0 && k < ATC_MAIN_LINES ? atc_main_line(k, text) : ATC_LINE_HIDDEN;
  if (state == ATC_LINE_HIDDEN) {
    atc.menu_up = 0;
    return;
  }
  static char taxi[] = "request taxi.", takeoff[] = "request takeoff.",
              emergency[] = "declaring an emergency";
  const int levels[4] = {ATC_MENU_VECTORS, ATC_MENU_LANDING, ATC_MENU_ILS, ATC_MENU_LOC};
  char s[STR_SIZE];
  switch (k) {
    case 0: {
      const int local = local_airport();
      if (valid_airport(local)) C_to_C(apt_id[local], fpl.dep_id_str);
      if (atc_hooks.open_plan_window)
        atc_hooks.open_plan_window();
      else
        file_from_menu(local);
      break;
    }
    case 1:
      if (atc_hooks.open_plan_window) atc_hooks.open_plan_window();
      break;
    case 2:
      atc.menu_level = ATC_MENU_ATIS;
      return;
    case 4:
      pick_up_flight_plan();
      break;
    case 5:
      close_flight_plan_by_radio();
      break;
    case 6:
      atc.waiting_new_frq = 0;
      handle_plan(1);
      break;
    case 7:
      C_to_C(atc.response, s);
      speakstring(s);
      break;
    case 9:
      controller_respond(taxi);
      break;
    case 10:
      controller_respond(takeoff);
      break;
    case 11:
    case 12:
    case 13:
    case 14:
      // Only a request picked from the list ends the vectors under way: a list looked at and
      // closed would leave the aircraft on its last heading with no word.
      atc.menu_level = levels[k - 11];
      return;
    case 16:
      controller_respond(emergency);
      break;
    default:
      break;
  }
  atc.menu_up = 0;
}

// ---- List menus ------------------------------------------------------------------------------

static int lists_airports() {
  return atc.menu_level == ATC_MENU_ATIS || atc.menu_level == ATC_MENU_VECTORS ||
         atc.menu_level == ATC_MENU_LANDING;
}

int atc_list_columns() { return lists_airports() ? 4 : 2; }
int atc_list_column_chars() { return lists_airports() ? 150 / 6 : 300 / 6; }

int atc_list_entries(int* entry) {
  const int room = atc_list_columns() * ATC_LIST_ROWS;
  int count = 0;
  if (lists_airports()) {
    for (int n = 0; n <= intmin2(env.aptmax, APT_MAX - 1) && count < room; n++)
      if (use_apt(n)) entry[count++] = n;
  } else {
    for (int n = 0; n <= intmin2(env.navmax, NAV_MAX - 1) && count < room; n++)
      if (use_nav(n)) entry[count++] = n;
  }
  return count;
}

void atc_pick_entry(int k) {
  if (atc.menu_level == ATC_MENU_MAIN) return;
  int entry[ATC_LIST_MAX];
  const int count = atc_list_entries(entry);
  if (k < 0 || k >= count) return;  // an empty cell holds nothing to pick
  const int n = entry[k];
  const int level = atc.menu_level;
  atc.menu_up = 0;
  atc.menu_level = ATC_MENU_MAIN;
  if (level == ATC_MENU_ATIS) {
    give_ATIS(n);
    return;
  }
  atc.ils_vec_in_progress = 0;
  char request[STR_SIZE];
  switch (level) {
    case ATC_MENU_VECTORS:
      C_plus_C("request vectors ", apt_name[n], request);
      break;
    case ATC_MENU_LANDING:
      C_plus_C("request landing ", apt_name[n], request);
      break;
    case ATC_MENU_ILS:
      C_plus_C("request I L S ", nav_name[n], request);
      break;
    default:
      C_plus_C("request localizer ", nav_name[n], request);
      break;
  }
  controller_respond(request);
}

// Identifiers are compared as the database holds them: four characters, upper case, padded.
static int same_id(const char* a, const char* id4) {
  char want[5] = "    ";
  for (int k = 0; k < 4 && a[k]; k++)
    want[k] = static_cast<char>(std::toupper(static_cast<unsigned char>(a[k])));
  return strnlen(a, 5) <= 4 && std::strncmp(want, id4, 4) == 0;
}

int atc_pick_id(const char* id) {
  if (atc.menu_level == ATC_MENU_MAIN) return 0;
  int entry[ATC_LIST_MAX];
  const int count = atc_list_entries(entry);
  for (int k = 0; k < count; k++) {
    const char* have = lists_airports() ? apt_id[entry[k]] : nav_id[entry[k]];
    if (!same_id(id, have)) continue;
    atc_pick_entry(k);
    return 1;
  }
  return 0;
}
