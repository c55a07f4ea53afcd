// The settings-window kit's common code: the open forms, and the one path every change takes from
// either back end: range, the window's check, the record, the window's action, the widgets, the
// preferences. Held buttons repeat through the loop's own repeat.
#include "app/form.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/macibm.h"

void (*form_save_hook)() = nullptr;

// What the kit keeps of each open settings window.
namespace {
struct form_state {
  const form_window* def;  // null when the window is not a form
  int held_field;          // button held down, -1 none
  int held_element;
};
}  // namespace

static form_state forms[MAX_WINDOWS];

static bool valid_window(int w) { return w >= 0 && w < MAX_WINDOWS && forms[w].def; }

static const form_field* field_at(int w, int field, int element) {
  if (!valid_window(w) || field < 0 || field >= forms[w].def->count) return nullptr;
  const form_field* f = &forms[w].def->fields[field];
  int elements = f->kind == FORM_TEXT || f->kind == FORM_LIST ? 1 : (f->count > 1 ? f->count : 1);
  if (element < 0 || element >= elements) return nullptr;
  return f;
}

const form_window* form_of(int w) { return w >= 0 && w < MAX_WINDOWS ? forms[w].def : nullptr; }

int form_field_index(const form_window* def, const char* name) {
  if (!def || !name) return -1;
  for (int k = 0; k < def->count; k++)
    if (def->fields[k].name && std::strcmp(def->fields[k].name, name) == 0) return k;
  return -1;
}

static float scale_of(const form_field& f) { return f.scale && *f.scale != 0.0f ? *f.scale : 1.0f; }

float form_value(const form_field& f, int element) {
  float v = 0.0f;
  if (f.get)
    v = f.get(element);
  else if (f.f)
    v = f.f[element];
  else if (f.i)
    v = static_cast<float>(f.i[element]);
  return v * scale_of(f);
}

// Whole-number records take whole shown values; a choice's values run lo.. over its names.
float form_clamp(const form_field& f, float shown) {
  if (!std::isfinite(shown)) shown = f.lo;
  // A design value keeps the decimals it is shown with, which are those its file keeps: the value
  // used is the one shown and saved, never one that the file would round to another.
  if ((f.flags & FORM_STRICT) && f.decimals >= 0 && f.decimals <= 6) {
    const double scale = std::pow(10.0, f.decimals);
    shown = static_cast<float>(std::round(static_cast<double>(shown) * scale) / scale);
  }
  // Whole numbers round before the range: rounded after a wrap, 359.6 of a 0..360 field would
  // become 360, a value the range leaves out and the record cannot hold.
  const bool whole = f.i || f.kind == FORM_CHECK || f.kind == FORM_CHOICE;
  if (whole) shown = std::round(shown);
  if (f.flags & FORM_WRAP) {
    float period = f.hi - f.lo;
    if (period > 0.0f) {
      shown = std::fmod(shown - f.lo, period);
      if (shown < 0.0f) shown += period;
      shown += f.lo;
    }
  } else if (f.hi > f.lo) {
    shown = shown < f.lo ? f.lo : (shown > f.hi ? f.hi : shown);
  }
  return shown;
}

static int field_enabled(const form_field& f) { return !f.applies || f.applies(); }

static void write_value(const form_field& f, int element, float shown) {
  float v = shown / scale_of(f);
  if (f.set)
    f.set(element, v);
  else if (f.f)
    f.f[element] = v;
  else if (f.i)
    f.i[element] = static_cast<int>(std::lround(v));
}

static int elements_of(const form_field& f) {
  if (f.kind == FORM_TEXT || f.kind == FORM_LIST || f.kind == FORM_BUTTON || f.kind == FORM_LABEL)
    return 1;
  return f.count > 1 ? f.count : 1;
}

// A check shows 0/1, a choice its position among the names.
static float widget_value(const form_field& f, int element) {
  float v = form_value(f, element);
  if (f.kind == FORM_CHOICE) return v - f.lo;
  if (f.kind == FORM_CHECK) return v != 0.0f ? 1.0f : 0.0f;
  if (f.kind == FORM_LIST) return f.i ? static_cast<float>(f.i[0]) : -1.0f;
  return v;
}

static void show_field(int w, int k) {
  const form_field& f = forms[w].def->fields[k];
  int enabled = field_enabled(f);
  if (f.kind == FORM_TEXT && f.s) backend_form_text(w, k, f.s);
  for (int e = 0; e < elements_of(f); e++) backend_form_show(w, k, e, widget_value(f, e), enabled);
}

void form_refresh(int w) {
  if (!valid_window(w)) return;
  for (int k = 0; k < forms[w].def->count; k++) show_field(w, k);
}

void form_show(int w, const char* field) {
  int k = valid_window(w) ? form_field_index(forms[w].def, field) : -1;
  if (k >= 0) show_field(w, k);
}

// A record outside its field's range (a hand-edited preferences file, another version) is brought
// to the nearest allowed value, so that what the window shows is what the program uses. A design
// number is the file's: it shows as held, since opening a window is no change of the design (a
// switch or a choice still takes a value it can show).
static void bring_into_range(const form_window* def) {
  for (int k = 0; k < def->count; k++) {
    const form_field& f = def->fields[k];
    if (f.kind != FORM_NUMBER && f.kind != FORM_SLIDER && f.kind != FORM_CHOICE &&
        f.kind != FORM_CHECK)
      continue;
    if ((f.flags & FORM_STRICT) && f.kind == FORM_NUMBER) continue;
    if (!f.f && !f.i) continue;  // computed values are the program's to keep in range
    for (int e = 0; e < elements_of(f); e++) {
      float v = form_value(f, e);
      float c = f.kind == FORM_CHECK ? (v != 0.0f ? 1.0f : 0.0f) : form_clamp(f, v);
      if (c != v) write_value(f, e, c);
    }
  }
}

void MACIBM_form_open(int w, const form_window* def) {
  if (w <= 0 || w >= MAX_WINDOWS || !def) return;
  if (mnw.up[w] && forms[w].def != def) MACIBM_killwind(w);
  bring_into_range(def);
  if (!mnw.up[w]) {
    if (macibm_hold_sounds_hook) macibm_hold_sounds_hook();
    forms[w] = {def, -1, 0};
    if (backend_form_create(w, def) != 0) {
      forms[w].def = nullptr;
      MACIBM_alert("Can't create window!", "", "", reinterpret_cast<const char*>(&w),
                   macibm_fatal_value_kind());
      return;
    }
    mnw.up[w] = 1;
  }
  if (def->open) def->open(w);
  form_refresh(w);
}

void form_list(int w, const char* field, const std::vector<std::string>& lines) {
  int k = valid_window(w) ? form_field_index(forms[w].def, field) : -1;
  if (k >= 0) backend_form_list(w, k, lines);
}

void form_text(int w, const char* field, const char* text) {
  int k = valid_window(w) ? form_field_index(forms[w].def, field) : -1;
  if (k < 0) return;
  const form_field& f = forms[w].def->fields[k];
  if (f.kind == FORM_TEXT && f.s && f.count > 0)
    std::snprintf(f.s, f.count, "%s", text ? text : "");
  backend_form_text(w, k, text ? text : "");
}

static void save_change(const form_field& f) {
  if (!(f.flags & FORM_NO_SAVE) && form_save_hook) form_save_hook();
}

// The window's action may close it (a flight start closes every settings window): nothing of the
// window is touched after it unless it is still the same form.
static void act(int w, const form_window* def, int field, int element) {
  if (def->action) def->action(w, field, element);
  if (forms[w].def == def) form_refresh(w);
}

void form_set(int w, int field, int element, float shown) {
  const form_field* f = field_at(w, field, element);
  if (!f || !field_enabled(*f)) return;
  if (f->kind != FORM_NUMBER && f->kind != FORM_SLIDER && f->kind != FORM_CHECK &&
      f->kind != FORM_CHOICE)
    return;
  const form_window* def = forms[w].def;
  // A design value the user mistyped is kept as it was: the floor would silently change it.
  if ((f->flags & FORM_STRICT) && !std::isfinite(shown)) {
    show_field(w, field);
    return;
  }
  if (f->kind == FORM_CHOICE) shown += f->lo;
  if (f->kind == FORM_CHECK) shown = shown != 0.0f ? 1.0f : 0.0f;
  float v = form_clamp(*f, shown);
  if (def->check && !def->check(w, field, element, v)) {
    if (forms[w].def == def) show_field(w, field);
    return;
  }
  write_value(*f, element, v);
  act(w, def, field, element);
  if (forms[w].held_field < 0) save_change(*f);
}

void form_type(int w, int field, const char* text) {
  const form_field* f = field_at(w, field, 0);
  if (!f || f->kind != FORM_TEXT || !field_enabled(*f)) return;
  if (f->s && f->count > 0) std::snprintf(f->s, f->count, "%s", text ? text : "");
  act(w, forms[w].def, field, 0);
}

void form_pick(int w, int field, int row) {
  const form_field* f = field_at(w, field, 0);
  if (!f || f->kind != FORM_LIST || !field_enabled(*f)) return;
  if (f->i) f->i[0] = row < 0 ? -1 : row;
  act(w, forms[w].def, field, 0);
}

// A button steps its target field (element for element when both are arrays), or is the
// window's own action.
static void fire(int w, int field, int element) {
  const form_window* def = forms[w].def;
  const form_field& b = def->fields[field];
  int t = b.target ? form_field_index(def, b.target) : -1;
  if (t < 0) {
    act(w, def, field, element);
    return;
  }
  int e = def->fields[t].count > 1 ? element : 0;
  form_set(w, t, e, widget_value(def->fields[t], e) + b.step);
}

// The press is the loop's held button: its time, window and state are the mouse's.
void form_press(int w, int field, int element) {
  const form_field* f = field_at(w, field, element);
  if (!f || f->kind != FORM_BUTTON || !field_enabled(*f)) return;
  mnw.mousedown = 1;
  macibm_button_down_ms = MACIBM_clock_ms();
  mnw.dragtime = 0.0f;
  mnw.dragging_index = w;
  forms[w].held_field = field;
  forms[w].held_element = element;
  fire(w, field, element);
}

void form_repeat(int w) {
  if (!valid_window(w) || forms[w].held_field < 0) return;
  if (!mnw.mousedown || mnw.dragtime <= 0.5f) return;
  fire(w, forms[w].held_field, forms[w].held_element);
}

static void end_hold(int w) {
  if (forms[w].held_field < 0) return;
  const form_field& f = forms[w].def->fields[forms[w].held_field];
  int t = f.target ? form_field_index(forms[w].def, f.target) : -1;
  forms[w].held_field = -1;
  save_change(t >= 0 ? forms[w].def->fields[t] : f);
}

void form_release() {
  mnw.mousedown = 0;
  for (int w = 0; w < MAX_WINDOWS; w++)
    if (forms[w].def) end_hold(w);
}

// A window that goes while its button is held takes the hold with it: its release may never come.
void form_closed(int w) {
  if (!valid_window(w)) return;
  if (forms[w].held_field >= 0) mnw.mousedown = 0;
  end_hold(w);
  forms[w].def = nullptr;
}

void reset_forms() {
  for (int w = 0; w < MAX_WINDOWS; w++)
    if (forms[w].def) {
      backend_form_destroy(w);
      forms[w].def = nullptr;
    }
}
