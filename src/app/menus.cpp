// The menu table shared by both back ends: the menu bar, drop-down menus and submenus with their
// items, separators, check marks, greying and column breaks, and the bound checks of each call.
// The back ends draw the menu bar from this table.
#include "app/macibm.h"

#include <cstdio>
#include <cstring>
#include <vector>

// Menu 0 is the menu bar; its entries are the drop-down menus. A menu exists once it has been
// created and until it is deleted.
struct menu_record {
  int exists;
  char title[400];
  std::vector<macibm_menu_item> entries;
};
static menu_record menus[MAX_MENUS];

// Indexes above 234 and below 1 are refused with the call's own text or the general one; every
// index accepted lies inside the table.
static bool menu_index_bad(int m, const char* message) {
  if (m > 234) {
    MACIBM_alert(message, "", "", reinterpret_cast<const char*>(&m), macibm_fatal_value_kind());
    return true;
  }
  if (m < 1) {
    MACIBM_alert("Menu index must be 1->235!", "", "", reinterpret_cast<const char*>(&m),
                 macibm_fatal_value_kind());
    return true;
  }
  return false;
}

// Bytes of the UTF-8 character starting with c, counted so that a cut never splits one.
static int char_bytes(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0 && c < 0xF0) return 3;
  if (c >= 0xC0 && c < 0xE0) return 2;
  return 1;
}

// The text as a menu shows it: "&" before the character at accel_pos (none when it is -1 or past
// the text) and every ampersand of the text itself doubled, so that a name such as "A&M Field"
// marks no accelerator. A text too long for the buffer is cut before a whole character, never
// between an "&" and what it marks.
static void menu_text(char* out, size_t size, const char* text, int accel_pos) {
  const char* t = text ? text : "";
  const int len = static_cast<int>(std::strlen(t));
  size_t n = 0;
  for (int i = 0; i < len;) {
    char piece[8];
    size_t p = 0;
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c == '&') {
      piece[p++] = '&';
      piece[p++] = '&';
      i++;
    } else {
      if (i == accel_pos) piece[p++] = '&';
      int bytes = char_bytes(c);
      if (bytes > len - i) bytes = len - i;
      for (int k = 0; k < bytes; k++) piece[p++] = t[i + k];
      i += bytes;
    }
    if (n + p > size - 1) break;
    std::memcpy(out + n, piece, p);
    n += p;
  }
  out[n] = '\0';
}

static macibm_menu_item new_entry(int id, const char* text) {
  macibm_menu_item e;
  std::memset(&e, 0, sizeof e);
  e.id = id;
  e.enabled = 1;
  menu_text(e.text, sizeof e.text, text, -1);
  return e;
}

// A submenu that is deleted also leaves the menu that held it.
static void unlink_submenu(int m) {
  for (menu_record& r : menus) {
    for (size_t k = 0; k < r.entries.size(); k++) {
      if (r.entries[k].submenu && r.entries[k].id == m) {
        r.entries.erase(r.entries.begin() + static_cast<long>(k));
        break;
      }
    }
  }
}

void MACIBM_create_menu(int m, const char* title) {
  if (menu_index_bad(m, "Menu index out of range in create_menu!")) return;
  unlink_submenu(m);
  menus[m].exists = 1;
  std::snprintf(menus[m].title, sizeof menus[m].title, "%s", title ? title : "");
  menus[m].entries.clear();
  macibm_menu_item e = new_entry(m, title);
  e.submenu = 1;
  menus[0].exists = 1;
  menus[0].entries.push_back(e);
  backend_menus_changed();
}

void MACIBM_create_submenu(int parent, int m, int pos, const char* title) {
  if (menu_index_bad(parent, "Menu index out of range in create_sub_menu!")) return;
  if (menu_index_bad(m, "Menu index out of range in create_sub_menu!")) return;
  unlink_submenu(m);
  menus[m].exists = 1;
  std::snprintf(menus[m].title, sizeof menus[m].title, "%s", title ? title : "");
  menus[m].entries.clear();
  macibm_menu_item e = new_entry(m, title);
  e.submenu = 1;
  e.new_column = pos % 25 == 0 ? 1 : 0;
  menus[parent].exists = 1;
  menus[parent].entries.push_back(e);
  backend_menus_changed();
}

void MACIBM_append_menu(int m, int id, int accel_pos, const char* text) {
  if (menu_index_bad(m, "Menu index out of range in append_menu!")) return;
  const char* t = text ? text : "";
  macibm_menu_item e = new_entry(id, "");
  if (t[0] == '-') {
    e.separator = 1;
  } else {
    menu_text(e.text, sizeof e.text, t, accel_pos);
    e.new_column = id % 25 == 0 ? 1 : 0;
  }
  menus[m].exists = 1;
  menus[m].entries.push_back(e);
  backend_menus_changed();
}

void MACIBM_delete_menu_item(int m, int id) {
  if (menu_index_bad(m, "Menu index out of range in delete_menu_item!")) return;
  std::vector<macibm_menu_item>& es = menus[m].entries;
  for (size_t k = 0; k < es.size(); k++) {
    if (!es[k].separator && !es[k].submenu && es[k].id == id) {
      es.erase(es.begin() + static_cast<long>(k));
      backend_menus_changed();
      return;
    }
  }
}

void MACIBM_delete_menu(int m) {
  if (menu_index_bad(m, "Menu index out of range in delete_menu!")) return;
  unlink_submenu(m);
  menus[m].exists = 0;
  menus[m].title[0] = '\0';
  menus[m].entries.clear();
  backend_menus_changed();
}

static macibm_menu_item* find_item(int m, int id) {
  if (m < 0 || m >= MAX_MENUS) return nullptr;
  for (macibm_menu_item& e : menus[m].entries)
    if (!e.separator && !e.submenu && e.id == id) return &e;
  return nullptr;
}

void MACIBM_check_menu(int m, int id, int on) {
  macibm_menu_item* e = find_item(m, id);
  if (!e) return;
  e->checked = on ? 1 : 0;
  backend_menus_changed();
}

void MACIBM_gray_menu(int m, int id, int enabled) {
  macibm_menu_item* e = find_item(m, id);
  if (!e) return;
  e->enabled = enabled ? 1 : 0;
  backend_menus_changed();
}

int macibm_menu_exists(int m) { return m >= 0 && m < MAX_MENUS && menus[m].exists; }

const char* macibm_menu_title(int m) { return m >= 0 && m < MAX_MENUS ? menus[m].title : ""; }

int macibm_menu_size(int m) {
  return m >= 0 && m < MAX_MENUS ? static_cast<int>(menus[m].entries.size()) : 0;
}

const macibm_menu_item* macibm_menu_entry(int m, int k) {
  if (k < 0 || k >= macibm_menu_size(m)) return nullptr;
  return &menus[m].entries[static_cast<size_t>(k)];
}

const macibm_menu_item* macibm_find_menu_item(int m, int id) { return find_item(m, id); }

void macibm_clear_menus() {
  for (menu_record& r : menus) {
    r.exists = 0;
    r.title[0] = '\0';
    r.entries.clear();
  }
  backend_menus_changed();
}
