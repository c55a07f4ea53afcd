// The settings-window kit: a window's contents as a const table of fields, and the one piece of
// code that clamps what the user sets, writes it to the record, lets the window react and keeps
// it in the preferences. The back ends draw the table (desktop: FLTK widgets) or hold it as a model
// that tests drive (headless); both end in the calls of "Events from the back ends" below. The kit
// knows no record of either program: a field points at its value, and the program's hooks do the
// rest. docs/forms.md shows a table.
#pragma once

#include <string>
#include <vector>

// What a field is, and so which widget shows it.
enum form_kind {
  FORM_NUMBER,  // a typed value with its unit
  FORM_SLIDER,  // a value dragged along a scale, shown with its unit
  FORM_CHECK,   // a 0/1 switch
  FORM_CHOICE,  // one of the names in `choices`, which stand for the values lo, lo + 1, ...
  FORM_BUTTON,  // a push button: steps field `target` by `step`, or is the window's action
  FORM_TEXT,    // a typed line of text, `count` characters with the terminator
  FORM_LIST,    // lines the window fills (form_list); the record holds the row picked, -1 none
  FORM_METER,   // a bar showing a value between lo and hi; the user does not set it
  FORM_LABEL,   // a line of text the window writes (form_text); no record
};

// Layout and behaviour flags.
enum {
  FORM_WRAP = 1,     // values beyond the range wrap round it (hours, degrees) instead of stopping
  FORM_BESIDE = 2,   // placed to the right of the field before it, on the same lines
  FORM_COLUMN = 4,   // starts a new column of the window
  FORM_NO_SAVE = 8,  // a change is not a preference (a start place, a list pick)
  FORM_STRICT = 16,  // a value that is not a number is refused rather than taken as the floor,
                     // a value is rounded to the decimals shown, and a number held outside the
                     // range is shown as it is, not changed, until the user sets it
};

// One field. Exactly one of f, i, s, get (or none, for buttons and labels) gives its value. An
// array field (count > 1 for numbers, checks and choices) shows one widget per element, on
// `count` lines named by `elements`; fields placed beside it share those lines (a grid).
struct form_field {
  form_kind kind;
  const char* name;     // unique in its window: the window's code and the tests name it so
  const char* label;    // shown before the value; a button's text; a grid column's heading
  const char* unit;     // shown after the value, or null
  float* f;             // the record's float value (element k at f[k]), or
  int* i;               // the record's int value, or
  char* s;              // the record's text (FORM_TEXT), or
  float (*get)(int k);  // a value computed from the records, written back by
  void (*set)(int k, float v);
  int count;             // elements of an array; characters of a text; visible lines of a list
  float lo, hi, step;    // range and step, in the shown unit; a button's step
  int decimals;          // decimals shown
  const float* scale;    // shown = record x *scale (a unit conversion); null for 1
  const char* choices;   // FORM_CHOICE: the names separated by '|'
  const char* elements;  // an array's line names separated by '|'
  const char* target;    // FORM_BUTTON: the field it steps; null for the window's action
  int flags;             // FORM_ flags
  int (*applies)();      // null when always; 0 greys the field out and refuses changes
};

// A settings window: its fields and the hooks of its own code, any of which may be null.
struct form_window {
  const form_field* fields;
  int count;
  // Before the window is shown and whenever it is shown again: fill lists and read-outs.
  void (*open)(int w);
  // Before a value is written (shown units): 0 refuses it (the hook says why), 1 lets it be.
  int (*check)(int w, int field, int element, float value);
  // After a value was written, a button was pressed (or repeated), a line typed or a row picked.
  void (*action)(int w, int field, int element);
};

// ---- Building tables -------------------------------------------------------------------------

// One builder per kind, and modifiers that return the field changed, so that a table reads as a
// list of what the window shows: beside(field_number(...)), array_of(field_check(...), 9, "...").
constexpr form_field field_of(form_kind kind, const char* name, const char* label,
                              const char* unit = nullptr) {
  form_field f{};
  f.kind = kind;
  f.name = name;
  f.label = label;
  f.unit = unit;
  f.count = 1;
  return f;
}
constexpr form_field ranged(form_field f, float lo, float hi, float step, int decimals) {
  f.lo = lo;
  f.hi = hi;
  f.step = step;
  f.decimals = decimals;
  return f;
}
constexpr form_field field_number(const char* name, const char* label, const char* unit, float* f,
                                  float lo, float hi, float step, int decimals,
                                  const float* scale = nullptr) {
  form_field r = ranged(field_of(FORM_NUMBER, name, label, unit), lo, hi, step, decimals);
  r.f = f;
  r.scale = scale;
  return r;
}
constexpr form_field field_number(const char* name, const char* label, const char* unit, int* i,
                                  int lo, int hi, int step = 1) {
  form_field r = ranged(field_of(FORM_NUMBER, name, label, unit), static_cast<float>(lo),
                        static_cast<float>(hi), static_cast<float>(step), 0);
  r.i = i;
  return r;
}
// A value the window's code computes from the records and writes back (k: the element).
constexpr form_field field_computed(const char* name, const char* label, const char* unit,
                                    float (*get)(int k), void (*set)(int k, float v), float lo,
                                    float hi, float step, int decimals) {
  form_field r = ranged(field_of(FORM_NUMBER, name, label, unit), lo, hi, step, decimals);
  r.get = get;
  r.set = set;
  return r;
}
constexpr form_field field_slider(const char* name, const char* label, const char* unit, float* f,
                                  float lo, float hi, float step, int decimals,
                                  const float* scale = nullptr) {
  form_field r = field_number(name, label, unit, f, lo, hi, step, decimals, scale);
  r.kind = FORM_SLIDER;
  return r;
}
constexpr form_field field_slider(const char* name, const char* label, const char* unit, int* i,
                                  int lo, int hi) {
  form_field r = field_number(name, label, unit, i, lo, hi);
  r.kind = FORM_SLIDER;
  return r;
}
constexpr form_field field_check(const char* name, const char* label, int* i) {
  form_field r = ranged(field_of(FORM_CHECK, name, label), 0.0f, 1.0f, 1.0f, 0);
  r.i = i;
  return r;
}
// The names stand for the values lo, lo + 1, ...
constexpr form_field field_choice(const char* name, const char* label, int* i, int lo, int hi,
                                  const char* choices) {
  form_field r = field_number(name, label, nullptr, i, lo, hi);
  r.kind = FORM_CHOICE;
  r.choices = choices;
  return r;
}
// A button that is the window's action, and one that steps another field.
constexpr form_field field_button(const char* name, const char* label) {
  form_field r = field_of(FORM_BUTTON, name, label);
  r.flags = FORM_NO_SAVE;
  return r;
}
constexpr form_field field_step(const char* name, const char* label, const char* target,
                                float step) {
  form_field r = field_of(FORM_BUTTON, name, label);
  r.target = target;
  r.step = step;
  return r;
}
constexpr form_field field_text(const char* name, const char* label, char* s, int size) {
  form_field r = field_of(FORM_TEXT, name, label);
  r.s = s;
  r.count = size;
  r.flags = FORM_NO_SAVE;
  return r;
}
constexpr form_field field_list(const char* name, int* row, int lines) {
  form_field r = field_of(FORM_LIST, name, "");
  r.i = row;
  r.count = lines;
  r.flags = FORM_NO_SAVE;
  return r;
}
constexpr form_field field_meter(const char* name, const char* label, float (*get)(int k), float lo,
                                 float hi, int decimals) {
  form_field r = ranged(field_of(FORM_METER, name, label), lo, hi, 0.0f, decimals);
  r.get = get;
  r.flags = FORM_NO_SAVE;
  return r;
}
// A line of text as wide as `width` pixels (0: the usual width).
constexpr form_field field_label(const char* name, int width = 0) {
  form_field r = field_of(FORM_LABEL, name, "");
  r.count = width;
  r.flags = FORM_NO_SAVE;
  return r;
}

constexpr form_field with_flags(form_field f, int flags) {
  f.flags |= flags;
  return f;
}
constexpr form_field beside(form_field f) { return with_flags(f, FORM_BESIDE); }
constexpr form_field new_column(form_field f) { return with_flags(f, FORM_COLUMN); }
constexpr form_field wrapping(form_field f) { return with_flags(f, FORM_WRAP); }
constexpr form_field not_saved(form_field f) { return with_flags(f, FORM_NO_SAVE); }
// A button whose action changes preferences: saved when it is let go.
constexpr form_field saved(form_field f) {
  f.flags &= ~FORM_NO_SAVE;
  return f;
}
// One widget per element of the record's array, on lines named by `elements` ('|'-separated).
constexpr form_field array_of(form_field f, int count, const char* elements) {
  f.count = count;
  f.elements = elements;
  return f;
}
// The value comes from get and goes back through set instead of a record's field.
constexpr form_field via(form_field f, float (*get)(int k), void (*set)(int k, float v)) {
  f.f = nullptr;
  f.i = nullptr;
  f.get = get;
  f.set = set;
  return f;
}
constexpr form_field applies_when(form_field f, int (*applies)()) {
  f.applies = applies;
  return f;
}

// The number of fields of a table.
template <typename T, int N>
constexpr int count_of(const T (&)[N]) {
  return N;
}

// ---- The kit's calls for the programs --------------------------------------------------------

// Opens window w (its title and place from the window table) with these fields, or raises it when
// it is open with them already; every value shown is the record's, brought into its field's range
// first. Closing goes through MACIBM_killwind and the user's close box (MACIBM_handlezap).
void MACIBM_form_open(int w, const form_window* def);
// Shows every field of window w again from the records (after the program changed them), or only
// the one named.
void form_refresh(int w);
void form_show(int w, const char* field);
// The lines of list `field` of window w, and the text of a label or text field.
void form_list(int w, const char* field, const std::vector<std::string>& lines);
void form_text(int w, const char* field, const char* text);
// The form shown in window w, or null when w is not an open settings window.
const form_window* form_of(int w);
// Index of the field of that name in def, or -1.
int form_field_index(const form_window* def, const char* name);
// A held button of window w repeats its action: called on every pass of the loop while the
// button is held (mnw.dragtime above 0.5 s), through the window's handler.
void form_repeat(int w);
// Called after every change the user made that is a preference (a held button: on release).
extern void (*form_save_hook)();

// The value a field shows for a record value and the record value for a shown one; and a shown
// value brought into the field's range (wrapped with FORM_WRAP, rounded for whole-number fields).
float form_value(const form_field& f, int element);
float form_clamp(const form_field& f, float shown);

// ---- Events from the back ends ---------------------------------------------------------------

// The user set a value (a choice's position for FORM_CHOICE, 0/1 for a check), typed a text,
// picked a row, pressed or released a button. Anything outside the window's table is ignored.
void form_set(int w, int field, int element, float shown);
void form_type(int w, int field, const char* text);
void form_pick(int w, int field, int row);
void form_press(int w, int field, int element);
void form_release();
// The window closed (killed or closed by the user): its state goes, a pending change is saved.
void form_closed(int w);
// Forgets every form, releasing the back end's widgets: the window table is being cleared.
void reset_forms();

// ---- Back-end hooks (implemented by src/app/headless and src/app/desktop) --------------------

// Builds window w for def: 0 when it stands, 1 when it cannot be made.
int backend_form_create(int w, const form_window* def);
void backend_form_destroy(int w);
// Field `field` element `element` shows this value (and enabled state); its list or text.
void backend_form_show(int w, int field, int element, float shown, int enabled);
void backend_form_list(int w, int field, const std::vector<std::string>& lines);
void backend_form_text(int w, int field, const char* text);
