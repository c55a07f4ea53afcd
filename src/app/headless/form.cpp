// The headless back end's settings windows: a model of each window's widgets (the value, text,
// lines and enabled state the desktop would show) and the user's part, played by tests through the
// kit's own events.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/headless/headless.h"
#include "app/macibm.h"

namespace {
struct widget_model {
  std::vector<float> shown;  // per element
  int enabled = 1;
  std::string text;
  std::vector<std::string> lines;
};
}  // namespace

static std::map<int, std::vector<widget_model>> models;

int backend_form_create(int w, const form_window* def) {
  models[w] = std::vector<widget_model>(static_cast<size_t>(def->count));
  mnw.wind[w] = &models[w];
  return 0;
}

void backend_form_destroy(int w) { models.erase(w); }

static widget_model* model(int w, int field) {
  auto it = models.find(w);
  if (it == models.end() || field < 0 || field >= static_cast<int>(it->second.size()))
    return nullptr;
  return &it->second[static_cast<size_t>(field)];
}

void backend_form_show(int w, int field, int element, float shown, int enabled) {
  widget_model* m = model(w, field);
  if (!m || element < 0) return;
  if (m->shown.size() <= static_cast<size_t>(element))
    m->shown.resize(static_cast<size_t>(element) + 1, NAN);
  m->shown[static_cast<size_t>(element)] = shown;
  m->enabled = enabled;
}

void backend_form_list(int w, int field, const std::vector<std::string>& lines) {
  if (widget_model* m = model(w, field)) m->lines = lines;
}

void backend_form_text(int w, int field, const char* text) {
  if (widget_model* m = model(w, field)) m->text = text ? text : "";
}

// ---- The user's part -------------------------------------------------------------------------

static int index_of(int w, const char* field) { return form_field_index(form_of(w), field); }

bool headless_form_set(int w, const char* field, float shown, int element) {
  int k = index_of(w, field);
  if (k < 0) return false;
  form_set(w, k, element, shown);
  return true;
}

bool headless_form_type(int w, const char* field, const char* text) {
  int k = index_of(w, field);
  if (k < 0) return false;
  form_type(w, k, text);
  return true;
}

bool headless_form_pick(int w, const char* field, int row) {
  int k = index_of(w, field);
  if (k < 0) return false;
  form_pick(w, k, row);
  return true;
}

bool headless_form_press(int w, const char* field, int element) {
  int k = index_of(w, field);
  if (k < 0) return false;
  form_press(w, k, element);
  return true;
}

void headless_form_release() { form_release(); }

float headless_form_shown(int w, const char* field, int element) {
  widget_model* m = model(w, index_of(w, field));
  if (!m || element < 0 || static_cast<size_t>(element) >= m->shown.size()) return NAN;
  return m->shown[static_cast<size_t>(element)];
}

std::string headless_form_text(int w, const char* field) {
  widget_model* m = model(w, index_of(w, field));
  return m ? m->text : std::string();
}

const std::vector<std::string>& headless_form_lines(int w, const char* field) {
  static const std::vector<std::string> none;
  widget_model* m = model(w, index_of(w, field));
  return m ? m->lines : none;
}

bool headless_form_enabled(int w, const char* field) {
  widget_model* m = model(w, index_of(w, field));
  return m && m->enabled;
}
