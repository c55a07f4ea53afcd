// Boxes and dialogs on FLTK: the alert box, the three-answer question and the open and save
// dialogs, each starting in the data folder of its file kind. None needs the main window, so an
// alert raised before it exists is shown all the same.
#include <FL/Fl.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app.h"
#include "app/desktop/desktop.h"
#include "app/macibm.h"
#include "render/ogl.h"
#include "shared/shared.h"

// Whatever the program drew is on the screen behind the box, and the menus are up to date.
static void before_box() {
  desktop_menu_bar_refresh();
  OGL_present_changed();
}

// The box runs its own dispatch, which may draw other windows.
static void after_box() { desktop_restore_current(); }

// The box is as wide as its longest line: a line longer than this is broken at its last blank
// before it, so that the box and its button stay on the screen.
static std::string wrapped(const std::string& text) {
  const size_t most = 100;
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t cut = end;
    if (end - start > most) {
      const size_t blank = text.rfind(' ', start + most);
      if (blank != std::string::npos && blank > start) cut = blank;
    }
    out.append(text, start, cut - start);
    if (cut < text.size()) out += '\n';
    start = cut + 1;
  }
  return out;
}

// The text is handed over as an argument, never as the format: a file name may hold a "%".
void backend_show_alert(const char* title, const std::string& text) {
  if (!backend_init()) return;
  before_box();
  fl_message_title(title);
  fl_message("%s", wrapped(text).c_str());
  after_box();
}

// The toolkit lays the buttons out from the right: Cancel (also Escape and the close box), Yes
// (also Return) and No, so that Return keeps the changes and no key throws them away.
int backend_ask(const char* title, const std::string& question) {
  if (!backend_init()) return 3;
  before_box();
  fl_message_title(title);
  int r = fl_choice("%s", "Cancel", "Yes", "No", question.c_str());
  after_box();
  return r == 1 ? 1 : (r == 2 ? 2 : 3);
}

// ---- File dialogs ----------------------------------------------------------------------------

static std::string folder_of(const char* path) {
  std::string p = path ? path : "";
  size_t slash = p.rfind('/');
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

std::string desktop_dialog_folder(const char* ext) {
  std::string e = ext ? ext : "";
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string program = app_path;
  if (e == "acf") return program + "aircraft/";
  if (e == "afl") return program + "airfoils/";
  if (e == "flp") return program + "flaps/";
  if (e == "sit") {
    std::string config = folder_of(prefs_path);
    if (!config.empty()) return config;
  }
  return program;
}

// A pattern matches its extension in lower or upper case: files copied from other systems often
// keep upper-case extensions.
static std::string either_case(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  if (pattern.compare(0, 2, "*.") != 0) return pattern;
  std::string lower = pattern.substr(2), upper = lower;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (lower == upper) return pattern;
  return "*.{" + lower + "," + upper + "}";
}

// The chooser shows the pattern after the description itself.
static std::string without_pattern(const std::string& desc) {
  size_t open = desc.rfind(" (");
  return open != std::string::npos && desc.back() == ')' ? desc.substr(0, open) : desc;
}

// The list holds pairs of NUL-terminated texts (description, pattern) and ends with an empty text.
std::string desktop_dialog_filter(const char* filter, int size) {
  std::string out;
  int i = 0;
  auto next = [&](std::string* s) {
    s->clear();
    while (i < size && filter[i]) *s += filter[i++];
    if (i >= size) return false;
    i++;  // the NUL
    return !s->empty();
  };
  std::string desc, pattern;
  while (next(&desc) && next(&pattern)) {
    if (!out.empty()) out += '\n';
    out += without_pattern(desc) + "\t" + either_case(pattern);
  }
  return out;
}

int backend_file_dialog(int save, const char* start_name, char* path, int size) {
  if (!backend_init()) return 0;
  before_box();
  Fl_Native_File_Chooser chooser;
  chooser.type(save ? Fl_Native_File_Chooser::BROWSE_SAVE_FILE
                    : Fl_Native_File_Chooser::BROWSE_FILE);
  chooser.title(save ? "Save" : "Open");
  if (save)
    chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER);
  std::string filter = desktop_dialog_filter(filter_str, static_cast<int>(sizeof filter_str));
  if (!filter.empty()) chooser.filter(filter.c_str());
  std::string folder = desktop_dialog_folder(def_ext);
  chooser.directory(folder.c_str());
  // A proposed name is offered when saving; an opening "*.acf" is the filter, not a name.
  if (save && start_name && start_name[0] && !std::strchr(start_name, '*'))
    chooser.preset_file(start_name);
  int r = chooser.show();
  after_box();
  if (r != 0 || !chooser.filename() || !chooser.filename()[0]) return 0;
  const char* chosen = chooser.filename();
  // A path cut to fit would name another file.
  if (static_cast<int>(std::strlen(chosen)) >= size) {
    MACIBM_alert("That file's full path is too long for Kestrix:", chosen,
                 "Please move the file to a folder with a shorter path.", "", ALERT_NOTICE);
    return 0;
  }
  std::snprintf(path, static_cast<size_t>(size), "%s", chosen);
  return 1;
}
