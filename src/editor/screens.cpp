// The editor's screens built on the settings-window kit: each screen's own fields, the part fields
// of the aircraft file's part sections (walked from the file's own field list, so that a field the
// file gains is on a screen at once), per-element incidences and controls, body cross-sections,
// the file choosers and the rules a change must keep. Every change marks the aircraft changed,
// keeps the twins mirrored and redraws the views.
#include "editor/screens.h"

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/macibm.h"
#include "editor/editor.h"
#include "shared/shared.h"

// ---- Part fields -----------------------------------------------------------------------------

namespace {

// The range and step the screens give a part field, in the file's unit, and whether it belongs to
// the expert screen; listed in the order the screens show them.
struct part_range {
  const void* field;
  float lo, hi, step;
  int expert;
};

const part_range part_ranges[] = {
    {pln.semilen, 0.0f, 300.0f, 0.1f, 0},    {pln.Croot, 0.0f, 100.0f, 0.1f, 0},
    {pln.Ctip, 0.0f, 100.0f, 0.1f, 0},       {pln.sweep1, -80.0f, 80.0f, 1.0f, 0},
    {pln.dihed, -90.0f, 90.0f, 1.0f, 0},     {pln.Zarm, -500.0f, 500.0f, 0.1f, 0},
    {pln.Xarm, -500.0f, 500.0f, 0.1f, 0},    {pln.Yarm, -500.0f, 500.0f, 0.1f, 0},
    {pln.els, 1.0f, MAX_ELS, 1.0f, 0},       {pln.numblades, 1.0f, 12.0f, 1.0f, 0},
    {pln.propdir, 0.0f, 1.0f, 1.0f, 0},      {pln.minpitch, -90.0f, 90.0f, 1.0f, 0},
    {pln.maxpitch, -90.0f, 90.0f, 1.0f, 0},  {pln.Rafl0, 0.0f, 0.0f, 0.0f, 0},
    {pln.diffRT, 0.0f, 1.0f, 1.0f, 0},       {pln.Tafl0, 0.0f, 0.0f, 0.0f, 0},
    {pln.diffRe, 0.0f, 1.0f, 1.0f, 1},       {pln.Rafl1, 0.0f, 0.0f, 0.0f, 1},
    {pln.Tafl1, 0.0f, 0.0f, 0.0f, 1},        {pln.varsweepEQ, 0.0f, 1.0f, 1.0f, 1},
    {pln.sweep2, -80.0f, 80.0f, 1.0f, 1},    {pln.des_adv, 0.0f, 1000.0f, 1.0f, 1},
    {pln.des_rpm, 0.0f, 50000.0f, 10.0f, 1}, {pln.des_vel, 0.0f, 2000.0f, 1.0f, 1},
};

// What a field does besides holding its value: a button that chooses a file or designs a disc.
enum { JOB_NONE, JOB_AIRFOIL, JOB_FLAP, JOB_DESIGN };
struct field_job {
  int job;
  int part;
  char* text;  // the name a chooser fills
  int mode;    // the designer's mode
};

struct built_screen {
  std::vector<form_field> fields;
  std::vector<field_job> jobs;
  form_window win;
};

const char* const disc_rows = "1|2|3|4";
const char* const element_rows = "1|2|3|4|5|6|7|8";
const char* const section_rows = "1|2|3|4|5|6|7|8|9";

}  // namespace

static built_screen built[SCREENS_LAST + 1];
// Names and labels made up for part fields, kept for the life of the program (a deque never moves
// what it holds).
static std::deque<std::string> made_names;

static const char* kept(const std::string& s) {
  made_names.push_back(s);
  return made_names.back().c_str();
}

static int never() { return 0; }

// Every field of a screen is a design value: a mistyped one is refused, none is a preference.
static void add(built_screen& b, form_field f, field_job j = {JOB_NONE, 0, nullptr, 0}) {
  f.flags |= FORM_STRICT | FORM_NO_SAVE;
  b.fields.push_back(f);
  b.jobs.push_back(j);
}

static const acf_part_field* part_field_of(const void* field) {
  for (int k = 0; k < acf_part_field_count; k++) {
    const acf_part_field& f = acf_part_fields[k];
    const void* p = f.str ? static_cast<const void*>(f.str)
                          : (f.i ? static_cast<const void*>(f.i) : static_cast<const void*>(f.f));
    if (p == field) return &f;
  }
  return nullptr;
}

static const char* unit_text(acf_unit u) {
  switch (u) {
    case UNIT_FT:
      return "ft";
    case UNIT_INCH:
      return "in";
    case UNIT_RPM:
      return "rpm";
    case UNIT_KT:
      return "kt";
    case UNIT_DEG:
      return "deg";
    case UNIT_NONE:
      break;
  }
  return nullptr;
}

// The part fields of parts p0.. (n of them, as arrays over the parts when n > 1); a twin's are
// read-only and named "twin ...".
static void add_part_fields(built_screen& b, int expert, int p0, int n, int twin) {
  const std::string prefix = twin ? "twin " : "";
  int (*applies)() = twin ? never : nullptr;
  for (const part_range& r : part_ranges) {
    const acf_part_field* f = part_field_of(r.field);
    if (!f || r.expert != expert || (f->discs_only && p0 > PART_LAST_DISC)) continue;
    const std::string label = prefix + f->label;
    if (f->kind == ACF_NAME) {
      // Typed names could name no file: names come from the chooser only.
      for (int i = 0; i < n; i++) {
        const char* name = kept(n > 1 ? label + " " + std::to_string(i + 1) : label);
        add(b, applies_when(field_text(name, name, f->str[p0 + i], STR_SIZE), never));
        if (!twin)
          add(b, beside(field_button(kept(std::string("choose ") + name), "Choose...")),
              {JOB_AIRFOIL, p0 + i, f->str[p0 + i], 0});
      }
      continue;
    }
    const char* name = kept(label);
    form_field ff;
    if (f->kind == ACF_FLOAT)
      ff = field_number(name, name, unit_text(f->unit), &f->f[p0], r.lo, r.hi, r.step, f->decimals);
    else if (f->kind == ACF_FLAG || f->kind == ACF_SWITCH)
      ff = field_check(name, name, &f->i[p0]);
    else if (f->kind == ACF_ROTATION)
      ff = field_choice(name, name, &f->i[p0], 0, 1, "usual|reverse");
    else
      ff = field_number(name, name, unit_text(f->unit), &f->i[p0], static_cast<int>(r.lo),
                        static_cast<int>(r.hi), static_cast<int>(r.step));
    if (n > 1) ff = array_of(ff, n, disc_rows);
    add(b, applies_when(ff, applies));
  }
}

static const char* control_label(const char* line) {
  static const struct {
    const char* line;
    const char* label;
  } labels[] = {{" ailn\n", "aileron"},  {" splr\n", "spoiler"},     {" flap\n", "flap"},
                {" slat\n", "slat"},     {" sbrk\n", "speed brake"}, {" drud\n", "yaw brake"},
                {" elev\n", "elevator"}, {" rudd\n", "rudder"}};
  for (const auto& l : labels)
    if (std::string(l.line) == line) return l.label;
  return line;
}

// Part p's incidence per element and, for a surface, the controls each element carries.
static void add_element_rows(built_screen& b, int p, int twin) {
  const std::string prefix = twin ? "twin " : "";
  int (*applies)() = twin ? never : nullptr;
  add(b, applies_when(array_of(field_number(kept(prefix + "incidence"), "incidence", "deg",
                                            &pln.anginc[p][0], -90.0f, 90.0f, 0.1f, 3),
                               MAX_ELS, element_rows),
                      applies));
  for (int c = 0; c < acf_control_line_count; c++) {
    const acf_control_line& l = acf_control_lines[c];
    if (p < l.first || p > l.last) continue;
    const char* label = control_label(l.name);
    add(b, applies_when(beside(array_of(field_check(kept(prefix + label), label, &l.flags[p][0]),
                                        MAX_ELS, element_rows)),
                        applies));
  }
}

// The expert disc screens: each disc's blade twist beside the others, and its designer.
static void add_disc_rows(built_screen& b, int p0, int n) {
  for (int i = 0; i < n; i++) {
    const std::string suffix = n > 1 ? " " + std::to_string(i + 1) : "";
    form_field inc = array_of(field_number(kept("incidence" + suffix), kept("incidence" + suffix),
                                           "deg", &pln.anginc[p0 + i][0], -90.0f, 90.0f, 0.1f, 3),
                              MAX_ELS, element_rows);
    add(b, i > 0 ? beside(inc) : inc);
  }
  for (int i = 0; i < n; i++) {
    const std::string suffix = n > 1 ? " " + std::to_string(i + 1) : "";
    add(b, field_button(kept("design by advance" + suffix), kept("Design by advance" + suffix)),
        {JOB_DESIGN, p0 + i, nullptr, DESIGN_BY_ADVANCE});
    add(b, beside(field_button(kept("design by speed" + suffix), "by speed and rpm")),
        {JOB_DESIGN, p0 + i, nullptr, DESIGN_BY_SPEED});
  }
}

// ---- Body cross-sections ---------------------------------------------------------------------

static int body_section_ok(int b, int j) {
  return b >= PART_FUSELAGE && b <= PART_MISC2 && j >= 0 && j <= 8;
}

float body_section_value(int b, int j, int q) {
  if (!body_section_ok(b, j)) return 0.0f;
  switch (q) {
    case SECTION_STATION:
      return pln.body_Z[b][j][0];
    case SECTION_CENTRE: {
      float sum = 0.0f;
      for (int k = 0; k < BODY_POINTS; k++) sum += pln.body_Y[b][j][k];
      return sum / BODY_POINTS;
    }
    case SECTION_WIDTH:
      return pln.body_X[b][j][BODY_POINTS / 4];
    case SECTION_HEIGHT:
      return 0.5f * (pln.body_Y[b][j][0] - pln.body_Y[b][j][BODY_POINTS / 2]);
    default:
      return 0.0f;
  }
}

void set_body_section(int b, int j, int q, float v) {
  if (!body_section_ok(b, j) || q < 0 || q >= SECTION_VALUES || !std::isfinite(v)) return;
  float s[SECTION_VALUES];
  for (int k = 0; k < SECTION_VALUES; k++) s[k] = body_section_value(b, j, k);
  s[q] = v;
  for (int k = 0; k < BODY_POINTS; k++) {
    const float a = con.pim2 * static_cast<float>(k) / BODY_POINTS;
    pln.body_Z[b][j][k] = s[SECTION_STATION];
    pln.body_X[b][j][k] = std::sin(a) * s[SECTION_WIDTH];
    pln.body_Y[b][j][k] = s[SECTION_CENTRE] + std::cos(a) * s[SECTION_HEIGHT];
  }
}

// A body takes a new radius by growing or shrinking every cross-section about its own centre, so
// that it keeps its shape. A body that had no radius yet is measured by its mean radius, and one
// of no size becomes round.
static void set_body_radius(int b, float r) {
  if (b < PART_FUSELAGE || b > PART_MISC2 || !(r > 0.0f) || !std::isfinite(r)) return;
  float old = pln.body_r[b];
  if (!(old > 0.01f)) old = ret_ave_rad(b, f_body_s_dim(b), BODY_POINTS);
  const float s = old > 0.01f ? r / old : 0.0f;
  for (int j = 0; j <= 8; j++) {
    const float yc = body_section_value(b, j, SECTION_CENTRE);
    for (int k = 0; k < BODY_POINTS; k++) {
      const float a = con.pim2 * static_cast<float>(k) / BODY_POINTS;
      pln.body_X[b][j][k] = s > 0.0f ? pln.body_X[b][j][k] * s : std::sin(a) * r;
      pln.body_Y[b][j][k] = yc + (s > 0.0f ? (pln.body_Y[b][j][k] - yc) * s : std::cos(a) * r);
    }
  }
  pln.body_r[b] = r;
}

template <int B>
static float radius_get(int) {
  return pln.body_r[B];
}
template <int B>
static void radius_set(int, float v) {
  set_body_radius(B, v);
}

template <int B, int Q>
static float section_get(int j) {
  return body_section_value(B, j, Q);
}
template <int B, int Q>
static void section_set(int j, float v) {
  set_body_section(B, j, Q, v);
}

template <int B>
static void add_sections(built_screen& b) {
  add(b, field_computed("radius", "radius", "ft", radius_get<B>, radius_set<B>, 0.1f, 100.0f, 0.1f,
                        1));
  const struct {
    const char* name;
    float (*get)(int);
    void (*set)(int, float);
    float lo, hi;
  } columns[] = {
      {"station", section_get<B, SECTION_STATION>, section_set<B, SECTION_STATION>, -500, 500},
      {"centre height", section_get<B, SECTION_CENTRE>, section_set<B, SECTION_CENTRE>, -100, 100},
      {"half width", section_get<B, SECTION_WIDTH>, section_set<B, SECTION_WIDTH>, 0, 100},
      {"half height", section_get<B, SECTION_HEIGHT>, section_set<B, SECTION_HEIGHT>, 0, 100},
  };
  // The cross-sections Kestrix draws and flies: nine of the fuselage, five of the other bodies.
  for (const auto& c : columns) {
    form_field f = array_of(field_computed(c.name, c.name, "ft", c.get, c.set, c.lo, c.hi, 0.1f, 2),
                            f_body_s_dim(B), section_rows);
    add(b, c.get == columns[0].get ? new_column(f) : beside(f));
  }
}

static void add_body(built_screen& b, int body) {
  if (body == PART_FUSELAGE) add_sections<PART_FUSELAGE>(b);
  if (body == PART_NACELLE1) add_sections<PART_NACELLE1>(b);
  if (body == PART_MISC1) add_sections<PART_MISC1>(b);
}

// ---- The rules a change keeps ----------------------------------------------------------------

static int is_wide(int code) {
  return code == 1 || code == 2 || code == 3 || code == 5 || code == 6 || code == 7;
}

// Instrument v in location loc, taken from any other location: at most three wide instruments a
// row, as the panel has room for.
static int panel_row_fits(int loc, int v) {
  int wide = 0;
  const int first = loc <= 4 ? 1 : 5;
  for (int l = first; l < first + 4; l++) {
    const int code = l == loc ? v : (pln.ins_of_loc[l] == v ? 0 : pln.ins_of_loc[l]);
    wide += is_wide(code);
  }
  return wide <= 3;
}

static int elevators_on_tail() {
  for (int e = 0; e < MAX_ELS; e++)
    if (pln.elev[PART_HSTAB_RIGHT][e]) return 1;
  return 0;
}

static int station_taken(int j, float v) {
  for (int n : {j - 1, j + 1})
    if (n >= 0 && n <= 8 && body_section_value(PART_FUSELAGE, n, SECTION_STATION) == v) return 1;
  return 0;
}

// The part whose per-element row a field is (its incidences or one of its controls), or -1.
static int element_row_part(const form_field& f) {
  const float* inc = &pln.anginc[0][0];
  if (f.f >= inc && f.f < inc + NUM_PARTS * MAX_ELS) return static_cast<int>(f.f - inc) / MAX_ELS;
  for (int c = 0; c < acf_control_line_count; c++) {
    const int* flags = &acf_control_lines[c].flags[0][0];
    if (f.i >= flags && f.i < flags + NUM_PARTS * MAX_ELS)
      return static_cast<int>(f.i - flags) / MAX_ELS;
  }
  return -1;
}

static int is_speed(const float* f) {
  return f == &pln.Vso || f == &pln.Vs || f == &pln.Vfe || f == &pln.Vno || f == &pln.Vne;
}

// Says why a value cannot be taken: each is a value Kestrix would refuse to fly.
static const char* refusal(const form_field& f, int element, float v) {
  // The file keeps, and Kestrix flies, only the part's own elements.
  const int p = element_row_part(f);
  if (p >= 0 && element >= pln.els[p])
    return "That element is beyond the number of elements of this part: raise the number of "
           "elements first.";
  if ((f.f == &pln.omegamin && v >= pln.omegamax) || (f.f == &pln.omegamax && v <= pln.omegamin))
    return "The idle rpm must be below the maximum rpm.";
  // A helicopter's engines turn its main and tail rotors, the two discs its screens shape; a
  // third or fourth engine would fly discs that no screen shows, wherever the file leaves them.
  if (f.i == &pln.numen && pln.is_heli && v > 2.0f)
    return "A helicopter has 1 or 2 engines: they turn its main and tail rotors.";
  if ((f.f == &pln.m_empty && v > pln.m_max) || (f.f == &pln.m_max && v < pln.m_empty))
    return "The empty weight cannot be more than the maximum weight.";
  if (!pln.is_heli && is_speed(f.f) && v <= 0.0f)
    return "An airplane's speeds must be above zero: the airspeed indicator and the stall warning "
           "are scaled by them.";
  if (f.i == &pln.ins_of_loc[1] && !panel_row_fits(element + 1, static_cast<int>(v)))
    return "There can only be three wide instruments on each row of the panel.";
  if (f.get == section_get<PART_FUSELAGE, SECTION_STATION> && station_taken(element, v))
    return "Two fuselage cross-sections cannot be at the same station.";
  if ((f.i == &pln.hstabtype && v == 1.0f && (pln.hstbtrimmax > 0.01f || elevators_on_tail())) ||
      (f.f == &pln.hstbtrimmax && v > 0.01f && pln.hstabtype == 1) ||
      (f.i == &pln.elev[PART_HSTAB_RIGHT][0] && v != 0.0f && pln.hstabtype == 1))
    return "A stabilator moves as a whole: it has neither elevators nor a stabilizer trim.";
  if ((f.i == &pln.skidEQ && v != 0.0f && pln.skidl <= 0.0f) ||
      (f.f == &pln.skidl && v <= 0.0f && pln.skidEQ))
    return "Skids need a length.";
  return nullptr;
}

static int screen_check(int w, int field, int element, float v) {
  const char* why = refusal(built[w].fields[static_cast<size_t>(field)], element, v);
  if (!why) return 1;
  MACIBM_alert(why, "", "", "", ALERT_NOTICE);
  return 0;
}

// An airfoil file has the number 1234 on its third line, read as the simulator's reader reads it.
// Its lines end as the platform that wrote it ends them: in a line feed, a carriage return and
// line feed, or a carriage return alone. The two lines before it are short: a file of another
// kind is refused without being read through.
static int is_airfoil_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  char c;
  for (int ends = 0, n = 0; ends < 2; n++) {
    if (n > STR_SIZE || !in.get(c)) return 0;
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && in.peek() == '\n') in.get(c);
    ends++;
  }
  int marker = 0;
  return in >> marker && marker == 1234;
}

// The chooser starts in the folder Kestrix reads the files from, and takes only a file from it.
static int choose_file(const field_job& j) {
  const int airfoil = j.job == JOB_AIRFOIL;
  const char* folder = airfoil ? "airfoils" : "flaps";
  char name[STR_SIZE], path[STR_SIZE] = "";
  C_to_C(j.text, name);
  ap_dir(folder, name);
  if (!MACIBM_open(name, path, airfoil ? FILE_AIRFOIL : FILE_FLAP)) return 0;
  char in_folder[STR_SIZE];
  C_to_C(name, in_folder);
  ap_dir(folder, in_folder);
  std::error_code ec;
  if (!std::filesystem::equivalent(path, in_folder, ec)) {
    char there[STR_SIZE] = "";
    ap_dir(folder, there);
    MACIBM_alert("Kestrix reads these files from its own folder only:", there,
                 "Copy the file there first, then choose it from there.", "", ALERT_NOTICE);
    return 0;
  }
  if (airfoil && !is_airfoil_file(path)) {
    MACIBM_alert("You didn't select a foil!", path, "", "", ALERT_NOTICE);
    return 0;
  }
  C_to_C(name, j.text);
  if (airfoil && j.text == pln.Rafl0[j.part]) assign_foil_thickness(path, j.part);
  return 1;
}

// What follows a value that was taken: the instrument leaves its old place, and the artificial
// stability's high speed stays above its low speed as the reader would make it.
static void after_value(const form_field& f, int element) {
  if (f.i == &pln.ins_of_loc[1]) {
    const int loc = element + 1, v = pln.ins_of_loc[loc];
    for (int l = 1; l < PANEL_LOCS; l++)
      if (l != loc && v > 0 && pln.ins_of_loc[l] == v) pln.ins_of_loc[l] = 0;
  }
  if (pln.AShiV < pln.ASloV + 1.0f) pln.AShiV = pln.ASloV + 1.0f;
}

static void screen_action(int w, int field, int element) {
  const built_screen& b = built[w];
  const field_job& j = b.jobs[static_cast<size_t>(field)];
  if (j.job == JOB_AIRFOIL || j.job == JOB_FLAP) {
    if (!choose_file(j)) return;
  } else if (j.job == JOB_DESIGN) {
    if (!design_prop(j.part, j.mode)) return;
  } else {
    after_value(b.fields[static_cast<size_t>(field)], element);
  }
  edt.planemod = 1;
  apply_symmetry();
  // Another screen may show the same values (the normal and expert screens of a part).
  for (int o = 1; o <= SCREENS_LAST; o++)
    if (o != w && form_of(o)) form_refresh(o);
  MACIBM_invalwind(WIN_MAIN);
}

// ---- Screens ---------------------------------------------------------------------------------

// A screen's lines of text say what they are named.
static void screen_open(int w) {
  const form_window* def = form_of(w);
  for (int k = 0; def && k < def->count; k++)
    if (def->fields[k].kind == FORM_LABEL) form_text(w, def->fields[k].name, def->fields[k].name);
}

static void build(built_screen& b, const screen_def& d) {
  for (int k = 0; k < d.count; k++) {
    const form_field& f = d.fields[k];
    if (f.kind == FORM_TEXT && f.s == pln.flap_str) {
      add(b, applies_when(f, never));
      add(b, beside(field_button("choose flap file", "Choose...")), {JOB_FLAP, 0, pln.flap_str, 0});
    } else {
      add(b, f);
    }
  }
  if (d.nparts > 0) {
    const int p0 = d.parts[0], disc = p0 <= PART_LAST_DISC;
    size_t first = b.fields.size();
    add_part_fields(b, d.expert, p0, d.nparts, 0);
    if (d.count > 0 && first < b.fields.size()) b.fields[first].flags |= FORM_COLUMN;
    // The elements' rows in a column of their own, the twin's under the part's own, and the
    // twin's fields in the last column.
    first = b.fields.size();
    if (disc && d.expert) add_disc_rows(b, p0, d.nparts);
    if (!disc && !d.expert) add_element_rows(b, p0, 0);
    if (!disc && !d.expert && d.twin >= 0) add_element_rows(b, d.twin, 1);
    if (first < b.fields.size()) b.fields[first].flags |= FORM_COLUMN;
    if (d.twin >= 0) {
      first = b.fields.size();
      add_part_fields(b, d.expert, d.twin, 1, 1);
      if (first < b.fields.size()) b.fields[first].flags |= FORM_COLUMN;
    }
  }
  if (d.body >= 0) add_body(b, d.body);
  b.win = {b.fields.data(), static_cast<int>(b.fields.size()), screen_open, screen_check,
           screen_action};
}

const screen_def* screen_of(int w) {
  for (int k = 0; k < screen_def_count; k++)
    if (screen_defs[k].w == w) return &screen_defs[k];
  return nullptr;
}

int screen_window_of_item(int item) {
  const int w = item - (pln.is_heli ? SCREEN_ITEMS_HELI : SCREEN_ITEMS_PLANE);
  const int first = pln.is_heli ? SCREENS_HELI_FIRST : SCREENS_PLANE_FIRST;
  const int last = pln.is_heli ? SCREENS_LAST : SCREENS_HELI_FIRST - 1;
  return w >= first && w <= last && screen_of(w) ? w : 0;
}

void open_screen(int w) {
  const screen_def* d = screen_of(w);
  if (!d) return;
  built_screen& b = built[w];
  if (b.fields.empty()) build(b, *d);
  MACIBM_form_open(w, &b.win);
}

const form_window* screen_form(int w) {
  return w >= 0 && w <= SCREENS_LAST && !built[w].fields.empty() ? &built[w].win : nullptr;
}
