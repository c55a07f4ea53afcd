// The main window's menu bar, drawn from the common menu table: menus, submenus, separators,
// accelerators, check marks and greyed items. The toolkit's items are rebuilt whole when the table
// has changed, at the next event dispatch or before a box or dialog is shown.
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/fl_draw.H>

#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "app/desktop/desktop.h"
#include "app/macibm.h"

static Fl_Menu_Bar* bar;
static std::vector<Fl_Menu_Item> items;  // the toolkit's menus, in its nested layout
static std::deque<std::string> labels;   // their texts; a deque keeps each one where it is
static bool table_changed = true;
static bool labeltype_set = false;

// ---- Labels ----------------------------------------------------------------------------------

// Bytes a UTF-8 sequence starting with this byte takes; 1 for a byte that starts none.
static int utf8_length(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

std::string desktop_menu_label(const char* text) {
  std::string out;
  if (!text) return out;
  const size_t n = std::strlen(text);
  for (size_t i = 0; i < n;) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '&') {
      if (i + 1 >= n) break;  // a marker with nothing left to mark
      if (text[i + 1] == '&') {
        out += "&&";
        i += 2;
        continue;
      }
      out += '&';
      i++;
      continue;
    }
    if ((c & 0xC0) == 0x80) {  // a continuation byte with no start: not a character
      i++;
      continue;
    }
    const int len = utf8_length(c);
    if (i + static_cast<size_t>(len) > n) break;  // a character cut by the end of the buffer
    bool whole = true;
    for (int k = 1; k < len; k++)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) whole = false;
    if (whole) out.append(text + i, static_cast<size_t>(len));
    i += whole ? static_cast<size_t>(len) : 1;
  }
  // A marker whose character was dropped marks nothing.
  if (!out.empty() && out.back() == '&' && (out.size() < 2 || out[out.size() - 2] != '&'))
    out.pop_back();
  return out;
}

// Menu texts are drawn as they stand: the toolkit's default labels would take an "@" (as in
// "[@] Spot: Arrow Keys Move") for the start of a drawn symbol.
static void draw_plain_label(const Fl_Label* o, int x, int y, int w, int h, Fl_Align align) {
  fl_font(o->font, o->size);
  fl_color(static_cast<Fl_Color>(o->color));
  fl_draw(o->value, x, y, w, h, align, o->image, 0);
}

static void measure_plain_label(const Fl_Label* o, int& w, int& h) {
  fl_font(o->font, o->size);
  fl_measure(o->value, w, h, 0);
}

static const Fl_Labeltype plain_label = FL_FREE_LABELTYPE;

// ---- Building the toolkit's menus ------------------------------------------------------------

// Commands wait until the toolkit has closed its menu and returned.
static void item_callback(Fl_Widget*, void* data) {
  desktop_post_menu(static_cast<int>(reinterpret_cast<std::intptr_t>(data)));
}

static Fl_Menu_Item make_item(const char* text, int flags, void* data) {
  Fl_Menu_Item it;
  std::memset(&it, 0, sizeof it);
  labels.push_back(desktop_menu_label(text));
  it.text = labels.back().c_str();
  it.flags = flags;
  it.callback_ = item_callback;
  it.user_data_ = data;
  it.labeltype_ = static_cast<uchar>(plain_label);
  return it;
}

static Fl_Menu_Item end_of_menu() {
  Fl_Menu_Item it;
  std::memset(&it, 0, sizeof it);
  return it;
}

// The entries of menu m, then the end of the menu. A separator is the toolkit's line under the
// entry before it; columns are not drawn, long menus scroll instead. `depth` stops a table whose
// submenus hold each other.
static void add_entries(int m, int depth) {
  long last = -1;  // the last entry of this menu so far, which a separator underlines
  const int n = macibm_menu_size(m);
  for (int k = 0; k < n; k++) {
    const macibm_menu_item* e = macibm_menu_entry(m, k);
    if (e->separator) {
      if (last >= 0) items[static_cast<size_t>(last)].flags |= FL_MENU_DIVIDER;
      continue;
    }
    int flags = e->enabled ? 0 : FL_MENU_INACTIVE;
    if (e->submenu) {
      if (depth > 8 || !macibm_menu_exists(e->id)) continue;
      last = static_cast<long>(items.size());
      items.push_back(make_item(e->text, flags | FL_SUBMENU, nullptr));
      items.back().callback_ = nullptr;
      add_entries(e->id, depth + 1);
      continue;
    }
    if (e->checked) flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
    last = static_cast<long>(items.size());
    items.push_back(
        make_item(e->text, flags, reinterpret_cast<void*>(static_cast<std::intptr_t>(e->id))));
  }
  items.push_back(end_of_menu());
}

static void rebuild() {
  items.clear();
  labels.clear();
  add_entries(0, 0);
  // The bar shows nothing while the table is empty.
  bar->menu(items.data());
  bar->redraw();
}

// ---- The bar ---------------------------------------------------------------------------------

void desktop_menu_bar_create(int x, int y, int w, int h) {
  if (!labeltype_set) {
    Fl::set_labeltype(plain_label, draw_plain_label, measure_plain_label);
    labeltype_set = true;
  }
  bar = new Fl_Menu_Bar(x, y, w, h);
  table_changed = true;
  desktop_menu_bar_refresh();
}

void desktop_menu_bar_refresh() {
  if (!bar || !table_changed) return;
  table_changed = false;
  rebuild();
}

void backend_menus_changed() { table_changed = true; }

void desktop_menu_bar_open() {
  desktop_menu_bar_refresh();
  if (!bar || !bar->menu() || !bar->menu()->text) return;
  const Fl_Menu_Item* first = bar->menu();
  const Fl_Menu_Item* v = first->pulldown(bar->x(), bar->y(), bar->w(), bar->h(), first, bar, 0, 1);
  bar->picked(v);
}

void desktop_menu_bar_gone() {
  bar = nullptr;
  table_changed = true;
}

const Fl_Menu_Item* desktop_menu_bar_menu() {
  if (!bar) return nullptr;
  desktop_menu_bar_refresh();
  return items.data();
}
