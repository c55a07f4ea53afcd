// The settings windows on FLTK: each field of a form's table becomes a native widget (a value
// input or slider with its unit, a check button, a choice, a button, a text input, a list, a bar
// or a label), laid out in columns from the table; a window too large for the screen scrolls. What
// the user does is queued and handed to the kit after the toolkit returns, so that no program
// code (a flight start that closes this very window) runs inside the toolkit's event handling.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "app/desktop/desktop.h"
#include "app/form.h"
#include "app/macibm.h"

enum {
  FONT_SIZE = 13,
  MARGIN = 10,
  GAP = 8,
  LINE = 26,       // height of one line of widgets
  ROW = 30,        // distance between lines
  LIST_LINE = 17,  // height of a list's line
  NUMBER_W = 80,
  SLIDER_W = 200,
  CHOICE_W = 220,
  TEXT_W = 140,
  LIST_W = 330,
  LABEL_W = 360,
  COLUMN_GAP = 24,
  SCREEN_MARGIN = 60,
};

// The widgets of one open form: one per element of each field.
namespace {
struct form_widgets {
  Fl_Double_Window* window = nullptr;
  std::vector<std::vector<Fl_Widget*>> field;  // [field][element]
};

enum user_event { UE_SET, UE_TYPE, UE_PICK, UE_PRESS, UE_RELEASE };
struct queued {
  user_event kind;
  int w, field, element;
  float value;
  std::string text;
};
}  // namespace

static form_widgets shown_forms[MAX_WINDOWS];
static std::deque<queued> queue;

// ---- Events ----------------------------------------------------------------------------------

// The widget's user data packs window, field and element.
static void* pack(int w, int field, int element) {
  return reinterpret_cast<void*>(static_cast<std::intptr_t>((w << 20) | (field << 8) | element));
}
static void unpack(void* data, int* w, int* field, int* element) {
  std::intptr_t v = reinterpret_cast<std::intptr_t>(data);
  *w = static_cast<int>(v >> 20);
  *field = static_cast<int>((v >> 8) & 0xfff);
  *element = static_cast<int>(v & 0xff);
}

static void post(user_event kind, void* data, float value, const char* text = "") {
  queued q{kind, 0, 0, 0, value, text ? text : ""};
  unpack(data, &q.w, &q.field, &q.element);
  queue.push_back(q);
}

// A typed field that holds no number (emptied, or a lone sign) would read as 0; it goes to the kit
// as not a number, which refuses it in a design field and takes the floor elsewhere.
static void value_cb(Fl_Widget* wd, void* data) {
  float v = static_cast<float>(static_cast<Fl_Valuator*>(wd)->value());
  if (auto* in = dynamic_cast<Fl_Value_Input*>(wd)) {
    const char* text = in->input.value();
    char* end = nullptr;
    std::strtod(text, &end);
    if (end == text) v = std::numeric_limits<float>::quiet_NaN();
  }
  post(UE_SET, data, v);
}
static void check_cb(Fl_Widget* wd, void* data) {
  post(UE_SET, data, static_cast<Fl_Check_Button*>(wd)->value() ? 1.0f : 0.0f);
}
static void choice_cb(Fl_Widget* wd, void* data) {
  post(UE_SET, data, static_cast<float>(static_cast<Fl_Choice*>(wd)->value()));
}
static void text_cb(Fl_Widget* wd, void* data) {
  post(UE_TYPE, data, 0.0f, static_cast<Fl_Input*>(wd)->value());
}
static void list_cb(Fl_Widget* wd, void* data) {
  post(UE_PICK, data, static_cast<float>(static_cast<Fl_Hold_Browser*>(wd)->value() - 1));
}
// A button reports both its press and its release, so that a held one repeats in the loop.
static void button_cb(Fl_Widget* wd, void* data) {
  post(static_cast<Fl_Button*>(wd)->value() ? UE_PRESS : UE_RELEASE, data, 0.0f);
}
void desktop_take_typed_value() {
  for (Fl_Widget* f = Fl::focus(); f; f = f->parent())
    if (f->callback() == value_cb && f->changed()) {
      f->do_callback();
      break;
    }
}

// Closing a window does not drop the value it was showing.
static void close_cb(Fl_Widget*, void* data) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  int w, field, element;
  unpack(data, &w, &field, &element);
  desktop_take_typed_value();
  desktop_post_close(w);
}

void desktop_deliver_form_events() {
  while (!queue.empty()) {
    queued q = queue.front();
    queue.pop_front();
    switch (q.kind) {
      case UE_SET:
        form_set(q.w, q.field, q.element, q.value);
        break;
      case UE_TYPE:
        form_type(q.w, q.field, q.text.c_str());
        break;
      case UE_PICK:
        form_pick(q.w, q.field, static_cast<int>(q.value));
        break;
      case UE_PRESS:
        form_press(q.w, q.field, q.element);
        break;
      case UE_RELEASE:
        form_release();
        break;
    }
  }
}

// ---- Layout ----------------------------------------------------------------------------------

static int text_width(const char* s) {
  fl_font(FL_HELVETICA, FONT_SIZE);
  return s && s[0] ? static_cast<int>(fl_width(s)) + 4 : 0;
}

static int elements_of(const form_field& f) {
  bool array = f.kind == FORM_NUMBER || f.kind == FORM_SLIDER || f.kind == FORM_CHECK ||
               f.kind == FORM_CHOICE || f.kind == FORM_METER;
  return array && f.count > 1 ? f.count : 1;
}

// The n-th name of a '|'-separated list, or "".
static std::string nth_name(const char* names, int n) {
  std::string s = names ? names : "";
  size_t start = 0;
  for (int k = 0; k < n; k++) {
    start = s.find('|', start);
    if (start == std::string::npos) return "";
    start++;
  }
  size_t end = s.find('|', start);
  return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

static int value_width(const form_field& f) {
  switch (f.kind) {
    case FORM_NUMBER:
      return NUMBER_W;
    case FORM_SLIDER:
    case FORM_METER:
      return SLIDER_W;
    case FORM_CHOICE:
      return CHOICE_W;
    case FORM_TEXT:
      return TEXT_W;
    case FORM_CHECK:
      return f.count > 1 ? LINE : text_width(f.label) + LINE;
    case FORM_BUTTON:
      return text_width(f.label) + 24;
    case FORM_LIST:
      return LIST_W;
    case FORM_LABEL:
      return f.count > 0 ? f.count : LABEL_W;
  }
  return NUMBER_W;
}

// Width of the label column of the column that field k starts: its fields' labels and element
// names, beside fields and full-width kinds excepted.
static int label_column(const form_window* def, int k) {
  int wmax = 0;
  for (int j = k; j < def->count; j++) {
    const form_field& f = def->fields[j];
    if (j > k && (f.flags & FORM_COLUMN)) break;
    if (f.flags & FORM_BESIDE) continue;
    int n = elements_of(f);
    if (n > 1)
      for (int e = 0; e < n; e++)
        wmax = std::max(wmax, text_width(nth_name(f.elements, e).c_str()));
    else if (f.kind != FORM_CHECK && f.kind != FORM_BUTTON && f.kind != FORM_LIST &&
             f.kind != FORM_LABEL)
      wmax = std::max(wmax, text_width(f.label));
  }
  return wmax;
}

// Choice names may hold characters the toolkit's menus treat as commands: '/' (a submenu), '&'
// (a shortcut), '\' and a leading '_' (a divider); they are escaped.
static std::string menu_text(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '/' || c == '&' || c == '\\' || (c == '_' && out.empty())) out += '\\';
    out += c;
  }
  return out;
}

// The toolkit's value input treats a field whose step is whole as whole-number text: it drops a
// typed decimal point ("55.5" became 555) and reads "034" as octal. This one has no step, so every
// value is read as a decimal number (the kit rounds and clamps it), and shows the field's decimals
// itself, as the step used to.
namespace {
struct number_input : Fl_Value_Input {
  int decimals;
  number_input(int x, int y, int w, int h, int d) : Fl_Value_Input(x, y, w, h), decimals(d) {}
  int format(char* buf) override { return std::snprintf(buf, 128, "%.*f", decimals, value()); }
};
}  // namespace

static Fl_Widget* make_widget(const form_field& f, int x, int y, int vw, int h, void* data) {
  Fl_Widget* wd = nullptr;
  switch (f.kind) {
    case FORM_NUMBER: {
      auto* v = new number_input(x, y, vw, h, std::clamp(f.decimals, 0, 6));
      v->bounds(f.lo, f.hi);
      v->step(0.0);
      v->when(FL_WHEN_RELEASE | FL_WHEN_ENTER_KEY);
      v->callback(value_cb, data);
      wd = v;
      break;
    }
    case FORM_SLIDER: {
      auto* v = new Fl_Value_Slider(x, y, vw, h);
      v->type(FL_HOR_NICE_SLIDER);
      v->bounds(f.lo, f.hi);
      v->step(f.step > 0.0f ? f.step : 0.0);
      v->precision(f.decimals);
      v->textsize(FONT_SIZE);
      v->when(FL_WHEN_RELEASE);
      v->callback(value_cb, data);
      wd = v;
      break;
    }
    case FORM_CHECK: {
      auto* c = new Fl_Check_Button(x, y, vw, h, f.count > 1 ? nullptr : f.label);
      c->callback(check_cb, data);
      wd = c;
      break;
    }
    case FORM_CHOICE: {
      auto* c = new Fl_Choice(x, y, vw, h);
      int names = 1;
      for (const char* p = f.choices ? f.choices : ""; *p; p++) names += *p == '|';
      for (int n = 0; n < names; n++) c->add(menu_text(nth_name(f.choices, n)).c_str());
      c->callback(choice_cb, data);
      wd = c;
      break;
    }
    case FORM_BUTTON: {
      auto* b = new Fl_Button(x, y, vw, h, f.label);
      b->when(FL_WHEN_CHANGED);
      b->callback(button_cb, data);
      wd = b;
      break;
    }
    case FORM_TEXT: {
      auto* t = new Fl_Input(x, y, vw, h);
      t->when(FL_WHEN_CHANGED);
      t->callback(text_cb, data);
      wd = t;
      break;
    }
    case FORM_LIST: {
      auto* l = new Fl_Hold_Browser(x, y, vw, h);
      l->format_char(0);  // names are shown as they are, '@' included
      l->textfont(FL_COURIER);
      l->textsize(FONT_SIZE - 1);
      l->callback(list_cb, data);
      wd = l;
      break;
    }
    case FORM_METER: {
      auto* p = new Fl_Progress(x, y, vw, h);
      p->minimum(f.lo);
      p->maximum(f.hi);
      // A light bar, so that the value written across it reads on either side of its end.
      p->selection_color(fl_rgb_color(140, 180, 240));
      p->labelcolor(FL_BLACK);
      wd = p;
      break;
    }
    case FORM_LABEL: {
      auto* b = new Fl_Box(x, y, vw, h);
      b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
      wd = b;
      break;
    }
  }
  wd->labelsize(FONT_SIZE);
  return wd;
}

static void side_label(const std::string& text, int x, int y, int w, int h, Fl_Align align) {
  if (text.empty()) return;
  auto* b = new Fl_Box(x, y, w, h);
  b->copy_label(text.c_str());
  b->labelsize(FONT_SIZE);
  b->align(align | FL_ALIGN_INSIDE);
}

// Lays the fields out in columns: a label column, the value widgets, the unit. Array fields take
// one line per element under a heading; fields marked beside follow on the same lines.
static void lay_out(int w, const form_window* def, form_widgets* fw, int* width, int* height) {
  int col_x = MARGIN, col_bottom = MARGIN, labels_w = label_column(def, 0);
  int right = MARGIN, bottom = MARGIN;
  int prev_y = MARGIN, prev_right = MARGIN;
  fw->field.assign(static_cast<size_t>(def->count), {});
  for (int k = 0; k < def->count; k++) {
    const form_field& f = def->fields[k];
    if ((f.flags & FORM_COLUMN) && k > 0) {
      col_x = right + COLUMN_GAP;
      col_bottom = MARGIN;
      labels_w = label_column(def, k);
    }
    const int n = elements_of(f);
    const int vw = value_width(f);
    const int h = f.kind == FORM_LIST ? std::max(f.count, 3) * LIST_LINE + 4 : LINE;
    const bool full = f.kind == FORM_LIST || f.kind == FORM_LABEL || f.kind == FORM_BUTTON ||
                      (f.kind == FORM_CHECK && n == 1);
    int x, y;
    if ((f.flags & FORM_BESIDE) && k > 0) {
      x = prev_right + GAP;
      y = prev_y;
      if (n == 1 && !full && f.label && f.label[0]) {
        side_label(f.label, x, y, text_width(f.label), LINE, FL_ALIGN_RIGHT);
        x += text_width(f.label) + 4;
      }
    } else {
      y = col_bottom;
      x = full ? col_x : col_x + labels_w + (labels_w > 0 ? 6 : 0);
      if (n == 1 && !full)
        side_label(f.label ? f.label : "", col_x, y, labels_w, LINE, FL_ALIGN_RIGHT);
    }
    int top = y;
    if (n > 1) {  // a heading over the column of elements, the element names at its left
      side_label(f.label ? f.label : "", x, y, std::max(vw, text_width(f.label)), LINE,
                 FL_ALIGN_CENTER);
      y += ROW;
      if (!(f.flags & FORM_BESIDE))
        for (int e = 0; e < n; e++)
          side_label(nth_name(f.elements, e), col_x, y + e * ROW, labels_w, LINE, FL_ALIGN_RIGHT);
    }
    for (int e = 0; e < n; e++)
      fw->field[static_cast<size_t>(k)].push_back(
          make_widget(f, x, y + e * ROW, vw, h, pack(w, k, e)));
    int r = x + vw;
    if (n > 1) r = std::max(r, x + text_width(f.label));  // a heading wider than its column
    if (f.unit && f.unit[0]) {
      side_label(f.unit, r + 4, y, text_width(f.unit), LINE, FL_ALIGN_LEFT);
      r += 4 + text_width(f.unit);
    }
    const int b = y + (n - 1) * ROW + h;
    prev_y = top;
    prev_right = r;
    col_bottom = std::max(col_bottom, b + (ROW - LINE));
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  }
  *width = right + MARGIN;
  *height = bottom + MARGIN;
}

// ---- Back-end hooks --------------------------------------------------------------------------

// A form opens over the middle of the main window, as the settings windows did over the screen.
static void place(int dx, int dy, int* x, int* y) {
  const Fl_Widget* main_view = static_cast<const Fl_Widget*>(mnw.wind[0]);
  const Fl_Window* top = main_view ? main_view->top_window() : nullptr;
  int ox = top ? top->x() : 0, oy = top ? top->y() : 0;
  int ow = top ? top->w() : Fl::w(), oh = top ? top->h() : Fl::h();
  *x = std::max(0, ox + (ow - dx) / 2);
  *y = std::max(0, oy + (oh - dy) / 2);
}

int backend_form_create(int w, const form_window* def) {
  form_widgets& fw = shown_forms[w];
  fw = form_widgets();
  // The contents are laid out first, inside a scrolling group sized afterwards to the screen.
  auto* win = new Fl_Double_Window(100, 100, mnw.windowname[w]);
  auto* scroll = new Fl_Scroll(0, 0, 100, 100);
  int cw = 0, ch = 0;
  lay_out(w, def, &fw, &cw, &ch);
  scroll->end();
  win->end();
  int dx = std::min(cw, Fl::w() - SCREEN_MARGIN), dy = std::min(ch, Fl::h() - SCREEN_MARGIN);
  if (dx < cw) dy = std::min(dy + Fl::scrollbar_size(), Fl::h() - SCREEN_MARGIN);
  if (dy < ch) dx = std::min(dx + Fl::scrollbar_size(), Fl::w() - SCREEN_MARGIN);
  int x, y;
  place(dx, dy, &x, &y);
  win->resize(x, y, dx, dy);
  scroll->resize(0, 0, dx, dy);
  win->size_range(dx, dy, dx, dy);
  win->callback(close_cb, pack(w, 0, 0));
  fw.window = win;
  mnw.wind[w] = win;
  win->show();
  if (!win->shown()) {
    Fl::delete_widget(win);
    fw = form_widgets();
    mnw.wind[w] = nullptr;
    return 1;
  }
  return 0;
}

void backend_form_destroy(int w) {
  form_widgets& fw = shown_forms[w];
  if (fw.window) {
    fw.window->hide();
    Fl::delete_widget(fw.window);
  }
  fw = form_widgets();
  mnw.wind[w] = nullptr;
  // Events of the window that are still queued belong to nobody now.
  for (auto it = queue.begin(); it != queue.end();) it = it->w == w ? queue.erase(it) : it + 1;
  desktop_restore_current();
}

static Fl_Widget* widget(int w, int field, int element) {
  if (w < 0 || w >= MAX_WINDOWS) return nullptr;
  form_widgets& fw = shown_forms[w];
  if (field < 0 || field >= static_cast<int>(fw.field.size())) return nullptr;
  auto& v = fw.field[static_cast<size_t>(field)];
  if (element < 0 || element >= static_cast<int>(v.size())) return nullptr;
  return v[static_cast<size_t>(element)];
}

void backend_form_show(int w, int field, int element, float shown, int enabled) {
  Fl_Widget* wd = widget(w, field, element);
  const form_window* def = form_of(w);
  if (!wd || !def) return;
  const form_field& f = def->fields[field];
  switch (f.kind) {
    case FORM_NUMBER:
    case FORM_SLIDER:
      static_cast<Fl_Valuator*>(wd)->value(shown);
      // An emptied field already holds 0 as its value, so a value of 0 would not be written back
      // into its text: it would stay blank while the record holds the floor.
      if (auto* in = dynamic_cast<Fl_Value_Input*>(wd)) {
        char* end = nullptr;
        std::strtod(in->input.value(), &end);
        if (end == in->input.value()) {
          char text[128];
          in->format(text);
          in->input.value(text);
        }
      }
      break;
    case FORM_CHECK:
      static_cast<Fl_Check_Button*>(wd)->value(shown != 0.0f);
      break;
    case FORM_CHOICE:
      static_cast<Fl_Choice*>(wd)->value(static_cast<int>(shown));
      break;
    case FORM_LIST: {
      auto* l = static_cast<Fl_Hold_Browser*>(wd);
      int row = static_cast<int>(shown);
      if (row >= 0 && row < l->size()) {
        l->value(row + 1);
        l->middleline(row + 1);
      } else {
        l->deselect();
      }
      break;
    }
    case FORM_METER: {
      auto* p = static_cast<Fl_Progress*>(wd);
      char text[32];
      std::snprintf(text, sizeof text, "%.*f", f.decimals, shown);
      if (p->label() && std::string(p->label()) == text) break;
      p->value(shown < f.lo ? f.lo : (shown > f.hi ? f.hi : shown));
      p->copy_label(text);
      break;
    }
    default:
      break;
  }
  if (enabled)
    wd->activate();
  else
    wd->deactivate();
}

void backend_form_list(int w, int field, const std::vector<std::string>& lines) {
  Fl_Widget* wd = widget(w, field, 0);
  const form_window* def = form_of(w);
  if (!wd || !def || def->fields[field].kind != FORM_LIST) return;
  auto* l = static_cast<Fl_Hold_Browser*>(wd);
  l->clear();
  for (const std::string& s : lines) l->add(s.c_str());
}

void backend_form_text(int w, int field, const char* text) {
  Fl_Widget* wd = widget(w, field, 0);
  const form_window* def = form_of(w);
  if (!wd || !def) return;
  if (def->fields[field].kind == FORM_TEXT) {
    auto* in = static_cast<Fl_Input*>(wd);
    if (std::string(in->value()) != text) in->value(text);
  } else if (def->fields[field].kind == FORM_LABEL &&
             std::string(wd->label() ? wd->label() : "") != text) {
    // The joystick window writes its read-outs on every pass: only a change is drawn again.
    wd->copy_label(text);
    wd->redraw();
  }
}
